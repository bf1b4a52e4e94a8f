#include "Engine/MAC/EngGuiGtk_MAC.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/MAC/EngText_MAC.h"

int eng_gui_quiet = 0;

static char gtk_started = 0;
static char setlocale_disabled = 0;
static EngGuiTestDriver test_driver = nullptr;
static void *test_driver_user = nullptr;
static int windows_shown = 0;

static const char *const kDialogKey = "eng-gui-dialog";
static const char *const kCommandKey = "eng-gui-command";
// Builder objects whose id starts so take their text from the language token that follows,
// their text in the file being its English default.
static const char kLanguagePrefix[] = "LANG_";

// ---------------------------------------------------------------------------------------------
// Texts

std::string EngGuiToUtf8(const char *latin1) { return EngLatin1ToUtf8_MAC(latin1 ? latin1 : ""); }
std::string EngGuiFromUtf8(const char *utf8) { return EngUtf8ToLatin1_MAC(utf8 ? utf8 : ""); }

int EngGuiCopyOut(const std::string &text, char *buffer, int size) {
  size_t n = text.size();
  int result = 1;
  if (n >= size_t(size)) {
    n = size_t(size) - 1;
    result = -1;
  }
  memcpy(buffer, text.data(), n);
  buffer[n] = 0;
  return result;
}

// ---------------------------------------------------------------------------------------------
// Start-up

char EngGuiIsNonInteractive_MAC() {
  const char *v = getenv("QUARRELWICK_NONINTERACTIVE");
  return v && *v && strcmp(v, "0") != 0;
}

char EngGuiInit_MAC() {
  if (gtk_started) return 1;
  // GTK would otherwise switch the process to the user's locale, and numbers written with
  // printf ("%.3f" in addresses, JSON) would take a decimal comma.
  if (!setlocale_disabled) {
    gtk_disable_setlocale();
    setlocale_disabled = 1;
  }
  if (!gtk_init_check(nullptr, nullptr)) {
    DebugErrorAlt(ENG_FUNC, "GTK could not start (no display?)");
    return 0;
  }
  gtk_started = 1;
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Events

_EngGuiDialog *EngGuiDialogOfWidget(GtkWidget *widget) {
  if (!widget) return nullptr;
  auto *dialog = static_cast<_EngGuiDialog *>(g_object_get_data(G_OBJECT(widget), kDialogKey));
  if (dialog) return dialog;
  GtkWidget *top = gtk_widget_get_toplevel(widget);
  return top ? static_cast<_EngGuiDialog *>(g_object_get_data(G_OBJECT(top), kDialogKey)) : nullptr;
}

static void EndLoop(_EngGuiDialog *dialog) {
  dialog->ended = 1;
  if (dialog->loop && g_main_loop_is_running(dialog->loop)) g_main_loop_quit(dialog->loop);
}

static void Dispatch(_EngGuiDialog *dialog, const _EngGuiEvent &event) {
  EngGuiWatch watch(dialog);
  EngInt32 result = dialog->handler ? dialog->handler(dialog, &event, dialog->user) : ENG_GUI_NOT_HANDLED;
  // The standard handling of an unhandled close box ends the window's loop.
  if (watch.Alive() && result == ENG_GUI_NOT_HANDLED && event.event_class == ENG_GUI_CLASS_WINDOW &&
      event.kind == ENG_GUI_KIND_WINDOW_CLOSE)
    EndLoop(dialog);
}

static void SendCommand(GtkWidget *widget) {
  if (eng_gui_quiet) return;
  _EngGuiDialog *dialog = EngGuiDialogOfWidget(widget);
  if (!dialog) return;
  _EngGuiEvent event = {};
  event.event_class = ENG_GUI_CLASS_COMMAND;
  event.kind = ENG_GUI_KIND_COMMAND_PROCESS;
  event.command = EngGuiGetControlCommandID_MAC(EngGuiControl(widget));
  event.control = EngGuiControl(widget);
  Dispatch(dialog, event);
}

static void SendClose(_EngGuiDialog *dialog) {
  _EngGuiEvent event = {};
  event.event_class = ENG_GUI_CLASS_WINDOW;
  event.kind = ENG_GUI_KIND_WINDOW_CLOSE;
  Dispatch(dialog, event);
}

static void OnClicked(GtkButton *button, gpointer) { SendCommand(GTK_WIDGET(button)); }
static void OnToggled(GtkToggleButton *button, gpointer) {
  // A radio group sends one command, for the button that turned on.
  if (GTK_IS_RADIO_BUTTON(button) && !gtk_toggle_button_get_active(button)) return;
  SendCommand(GTK_WIDGET(button));
}
static void OnChanged(GtkComboBox *combo, gpointer) { SendCommand(GTK_WIDGET(combo)); }

static gboolean OnDelete(GtkWidget *, GdkEvent *, gpointer data) {
  SendClose(static_cast<_EngGuiDialog *>(data));
  return TRUE;  // the window is destroyed by its owner, after its loop
}

static gboolean OnKeyPress(GtkWidget *, GdkEventKey *key, gpointer data) {
  if (!(key->state & GDK_CONTROL_MASK)) return FALSE;
  guint lower = gdk_keyval_to_lower(key->keyval);
  if (lower >= 0x80) return FALSE;
  _EngGuiEvent event = {};
  event.event_class = ENG_GUI_CLASS_KEYBOARD;
  event.kind = ENG_GUI_KIND_KEY_DOWN;
  event.key = lower;
  event.modifiers = ENG_GUI_MODIFIER_CONTROL;
  auto *dialog = static_cast<_EngGuiDialog *>(data);
  return dialog->handler && dialog->handler(dialog, &event, dialog->user) == 0;
}

void EngGuiSetControlCommandID_MAC(EngGuiControlRef control, EngUInt32 command) {
  if (!control) return;
  g_object_set_data(G_OBJECT(EngGuiWidget(control)), kCommandKey, GUINT_TO_POINTER(command));
}

EngUInt32 EngGuiGetControlCommandID_MAC(EngGuiControlRef control) {
  if (!control) return 0;
  return EngUInt32(GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(EngGuiWidget(control)), kCommandKey)));
}

void EngGuiAttachWidget(_EngGuiDialog *dialog, GtkWidget *widget, EngUInt32 command) {
  g_object_set_data(G_OBJECT(widget), kDialogKey, dialog);
  EngGuiSetControlCommandID_MAC(EngGuiControl(widget), command);
  if (GTK_IS_COMBO_BOX(widget))
    g_signal_connect(widget, "changed", G_CALLBACK(OnChanged), nullptr);
  else if (GTK_IS_TOGGLE_BUTTON(widget))
    g_signal_connect(widget, "toggled", G_CALLBACK(OnToggled), nullptr);
  else if (GTK_IS_BUTTON(widget))
    g_signal_connect(widget, "clicked", G_CALLBACK(OnClicked), nullptr);
}

static void AttachWindow(_EngGuiDialog *dialog) {
  g_object_set_data(G_OBJECT(dialog->window), kDialogKey, dialog);
  g_signal_connect(dialog->window, "delete-event", G_CALLBACK(OnDelete), dialog);
  g_signal_connect(dialog->window, "key-press-event", G_CALLBACK(OnKeyPress), dialog);
}

// ---------------------------------------------------------------------------------------------
// Interface files

// A widget's command is its name when that is four characters (GTK names a widget after its
// class otherwise).
static EngUInt32 CommandFromName(GtkWidget *widget) {
  const char *name = gtk_widget_get_name(widget);
  if (!name || strlen(name) != 4) return 0;
  return (EngUInt32(EngUInt8(name[0])) << 24) | (EngUInt32(EngUInt8(name[1])) << 16) |
         (EngUInt32(EngUInt8(name[2])) << 8) | EngUInt32(EngUInt8(name[3]));
}

static std::string Translate(const char *token, const char *utf8_default) {
  std::string fallback = EngGuiFromUtf8(utf8_default);
  return EngGuiToUtf8(EngLanguagesGetStringIfExists(token, fallback.c_str()));
}

static void TranslateObject(GObject *object) {
  if (!GTK_IS_BUILDABLE(object)) return;
  const char *id = gtk_buildable_get_name(GTK_BUILDABLE(object));
  if (!id || strncmp(id, kLanguagePrefix, sizeof(kLanguagePrefix) - 1) != 0) return;
  const char *token = id + sizeof(kLanguagePrefix) - 1;
  if (GTK_IS_LABEL(object)) {
    gtk_label_set_text(GTK_LABEL(object), Translate(token, gtk_label_get_text(GTK_LABEL(object))).c_str());
  } else if (GTK_IS_BUTTON(object)) {
    const char *label = gtk_button_get_label(GTK_BUTTON(object));
    if (label) gtk_button_set_label(GTK_BUTTON(object), Translate(token, label).c_str());
  } else if (GTK_IS_WINDOW(object)) {
    const char *title = gtk_window_get_title(GTK_WINDOW(object));
    gtk_window_set_title(GTK_WINDOW(object), Translate(token, title ? title : "").c_str());
  }
}

static std::string UiFileName(const char *name) { return std::string(name) + ".ui"; }

// GtkBuilder takes a file cut short as whole, so the file's XML is checked first.
static char IsWellFormed(const std::string &path, GError **error) {
  gchar *contents = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(path.c_str(), &contents, &length, error)) return 0;
  static const GMarkupParser kNoParser = {nullptr, nullptr, nullptr, nullptr, nullptr};
  GMarkupParseContext *context = g_markup_parse_context_new(&kNoParser, GMarkupParseFlags(0), nullptr, nullptr);
  gboolean ok = g_markup_parse_context_parse(context, contents, gssize(length), error) &&
                g_markup_parse_context_end_parse(context, error);
  g_markup_parse_context_free(context);
  g_free(contents);
  return ok ? 1 : 0;
}

char EngGuiLoadNIB_MAC(const char *name, EngGuiNibRef *nib) {
  if (!name || !nib) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  *nib = nullptr;
  if (!EngGuiInit_MAC()) return 0;
  GtkBuilder *builder = gtk_builder_new();
  GError *error = nullptr;
  std::string file = UiFileName(name);
  if (!IsWellFormed(file, &error) || !gtk_builder_add_from_file(builder, file.c_str(), &error)) {
    DebugErrorAlt(ENG_FUNC, "Could not load NIB <%s> [%ld]", file.c_str(), error ? long(error->code) : -1L);
    if (error) {
      DebugInfo("%s", error->message);
      g_error_free(error);
    }
    g_object_unref(builder);
    return 0;
  }
  *nib = reinterpret_cast<EngGuiNibRef>(builder);
  return 1;
}

void EngGuiReleaseNIB_MAC(EngGuiNibRef nib) {
  if (nib) g_object_unref(reinterpret_cast<GtkBuilder *>(nib));
}

char EngGuiLoadMenuFromNIB_MAC(const char *name) {
  EngGuiNibRef nib = nullptr;
  if (!EngGuiLoadNIB_MAC(name, &nib)) return 0;
  // Only the file's "MenuBar" is checked: the dialogs run before any window that could carry it.
  char ok = gtk_builder_get_object(reinterpret_cast<GtkBuilder *>(nib), "MenuBar") != nullptr;
  if (!ok) DebugErrorAlt(ENG_FUNC, "SetMenuBarFromNib failed");
  EngGuiReleaseNIB_MAC(nib);
  return ok;
}

char EngGuiLoadDialogFromNib_MAC(const char *file, const char *window_name, EngGuiEventHandler handler, char run,
                                 EngGuiHandlerRef *handler_ref, EngGuiWindowRef *window) {
  if (!handler || !handler_ref || !window || !file || !window_name) return 0;
  if (*handler_ref || *window) DebugErrorAlt(ENG_FUNC, "Warning - parameters not null");
  if (!EngGuiInit_MAC()) return 0;
  std::string path = UiFileName(file);
  if (!EngFileExists(path.c_str(), 0)) {
    DebugErrorAlt(ENG_FUNC, "CreateNibReference() failed [%d]", -43);
    return 0;
  }
  GtkBuilder *builder = gtk_builder_new();
  GError *error = nullptr;
  // Only the named window and what it holds are built.
  gchar *ids[] = {const_cast<gchar *>(window_name), nullptr};
  if (!IsWellFormed(path, &error) || !gtk_builder_add_objects_from_file(builder, path.c_str(), ids, &error)) {
    DebugErrorAlt(ENG_FUNC, "CreateNibReference() failed [%d]", error ? int(error->code) : -1);
    if (error) {
      DebugInfo("%s: %s", path.c_str(), error->message);
      g_error_free(error);
    }
    g_object_unref(builder);
    return 0;
  }
  GObject *object = gtk_builder_get_object(builder, window_name);
  if (!object || !GTK_IS_WINDOW(object)) {
    DebugErrorAlt(ENG_FUNC, "CreateWindowFromNib() failed [%d]", -1);
    g_object_unref(builder);
    return 0;
  }
  auto *dialog = new _EngGuiDialog;
  dialog->builder = builder;
  dialog->window = GTK_WIDGET(object);
  dialog->name = window_name;
  dialog->handler = handler;
  AttachWindow(dialog);
  GSList *objects = gtk_builder_get_objects(builder);
  for (GSList *o = objects; o; o = o->next) {
    GObject *item = G_OBJECT(o->data);
    TranslateObject(item);
    if (GTK_IS_WIDGET(item) && item != object) {
      GtkWidget *widget = GTK_WIDGET(item);
      EngUInt32 command = CommandFromName(widget);
      if (command) EngGuiAttachWidget(dialog, widget, command);
    }
  }
  g_slist_free(objects);
  *handler_ref = dialog;
  *window = dialog;
  if (run) return EngGuiDoDialog_MAC(handler_ref, window, 0, 1);
  return 1;
}

char EngGuiLoadAndRunDialogFromNib_MAC(const char *file, const char *window_name, EngGuiEventHandler handler,
                                       EngGuiWindowRef *window) {
  EngGuiHandlerRef handler_ref = nullptr;
  return EngGuiLoadDialogFromNib_MAC(file, window_name, handler, 1, &handler_ref, window);
}

// ---------------------------------------------------------------------------------------------
// Loops

static gboolean RunDriver(gpointer data) {
  auto *dialog = static_cast<_EngGuiDialog *>(data);
  dialog->driver_source = 0;
  EngGuiWatch watch(dialog);
  if (test_driver) test_driver(dialog, dialog->name.c_str(), test_driver_user);
  // A test never leaves a window waiting for a person.
  if (watch.Alive() && !dialog->ended) SendClose(dialog);
  if (watch.Alive() && !dialog->ended) EndLoop(dialog);
  return G_SOURCE_REMOVE;
}

void EngGuiShowWindow_MAC(EngGuiWindowRef window) {
  if (!window) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  if (EngGuiIsNonInteractive_MAC() && !test_driver) return;
  gtk_widget_show(window->window);
  gtk_window_present(GTK_WINDOW(window->window));
  windows_shown++;
  if (test_driver && !window->driver_source) window->driver_source = g_idle_add(RunDriver, window);
}

// A dialog from a file answers with its default button's command, a window built in code with
// its close box: what a non-interactive run does in place of a person.
static void AnswerByDefault(_EngGuiDialog *dialog) {
  EngGuiWatch watch(dialog);
  GtkWidget *def = dialog->builder ? gtk_window_get_default_widget(GTK_WINDOW(dialog->window)) : nullptr;
  if (def && EngGuiGetControlCommandID_MAC(EngGuiControl(def)))
    SendCommand(def);
  else
    SendClose(dialog);
  if (watch.Alive() && !dialog->ended) EndLoop(dialog);
}

// False when a callback destroyed the dialog while its loop ran.
// A quit asked for while a dialog waits (a signal, the session ending) closes it as its close
// box would, so the program never hangs in a dialog nobody answers.
struct QuitWatch {
  _EngGuiDialog *dialog;
  bool fired;
};

static gboolean CheckQuit(gpointer data) {
  QuitWatch *quit = static_cast<QuitWatch *>(data);
  if (!EngMiscQuitRequested_MAC()) return G_SOURCE_CONTINUE;
  quit->fired = true;
  SendClose(quit->dialog);
  return G_SOURCE_REMOVE;
}

static bool RunLoop(_EngGuiDialog *dialog) {
  if (dialog->ended) return true;
  EngGuiWatch watch(dialog);
  if (EngGuiIsNonInteractive_MAC() && !test_driver) {
    AnswerByDefault(dialog);
    return watch.Alive();
  }
  GMainLoop *loop = g_main_loop_new(nullptr, FALSE);
  dialog->loop = loop;
  QuitWatch quit{dialog, false};
  guint quit_source = g_timeout_add(100, CheckQuit, &quit);
  g_main_loop_run(loop);
  if (!quit.fired) g_source_remove(quit_source);
  g_main_loop_unref(loop);
  if (!watch.Alive()) return false;
  dialog->loop = nullptr;
  return true;
}

char EngGuiDoDialog_MAC(EngGuiHandlerRef *handler_ref, EngGuiWindowRef *window, char modal_for_window,
                        char destroy_after) {
  if (!handler_ref || !window || !*handler_ref || !*window) {
    DebugInfo("EngGuiDoDialog_MAC: Bad parameters");
    return 0;
  }
  _EngGuiDialog *dialog = *window;
  dialog->ended = 0;
  gtk_window_set_modal(GTK_WINDOW(dialog->window), modal_for_window ? TRUE : FALSE);
  EngGuiShowWindow_MAC(dialog);
  if (!RunLoop(dialog)) {
    *handler_ref = nullptr;
    *window = nullptr;
    return 1;
  }
  gtk_widget_hide(dialog->window);
  if (destroy_after) EngGuiDestroyDialog_MAC(handler_ref, window);
  // Let the hidden window leave the screen before the caller goes on.
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
  return 1;
}

void EngGuiQuitDialogLoop_MAC(EngGuiWindowRef window) {
  if (window) EndLoop(window);
}

char EngGuiRunWindowLoop_MAC(EngGuiWindowRef window) {
  if (!window) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  window->ended = 0;
  RunLoop(window);
  return 1;
}

char EngGuiProcessOneEvent_MAC(EngGuiWindowRef window) {
  if (window && !window->ended && EngGuiIsNonInteractive_MAC() && !test_driver) {
    SendClose(window);
    return 1;
  }
  if (!gtk_started || !g_main_context_pending(nullptr)) return 0;
  g_main_context_iteration(nullptr, FALSE);
  return 1;
}

void EngGuiDestroyDialog_MAC(EngGuiHandlerRef *handler_ref, EngGuiWindowRef *window) {
  if (!handler_ref || !window || !*window) {
    DebugInfo("EngGuiDestroyDialog_MAC: Bad parameters");
    return;
  }
  _EngGuiDialog *dialog = *window;
  if (dialog->driver_source) g_source_remove(dialog->driver_source);
  EndLoop(dialog);
  for (bool *alive : dialog->watchers) *alive = false;
  gtk_widget_hide(dialog->window);
  gtk_widget_destroy(dialog->window);
  if (dialog->builder) g_object_unref(dialog->builder);
  delete dialog;
  *handler_ref = nullptr;
  *window = nullptr;
}

void EngGuiSetWindowTitle_MAC(EngGuiWindowRef window, const char *title) {
  if (!window) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  gtk_window_set_title(GTK_WINDOW(window->window), EngGuiToUtf8(title ? title : "").c_str());
}

namespace {

struct StatusText {
  EngInt32 status;
  const char *error;
  const char *comment;
};

const StatusText kStatusTexts[] = {
    {ENG_GUI_STATUS_PARAM, "paramErr", "error in user parameter list"},
    {ENG_GUI_STATUS_MENU_ITEM_NOT_FOUND, "menuItemNotFoundErr", "specified menu item wasn't found"},
};

}  // namespace

// Logged under the name of the call that answered, with the status's own texts.
char EngGuiIsReturnCodeOk_MAC(const char *name, EngInt32 status) {
  if (status == 0) return 1;
  const char *signature = name && name[0] ? name : ENG_FUNC;
  for (const StatusText &text : kStatusTexts) {
    if (text.status != status) continue;
    DebugErrorAlt(signature, "Error: %s (%s)", text.error, text.comment);
    return 0;
  }
  char number[16];
  snprintf(number, sizeof(number), "%d", int(status));
  DebugErrorAlt(signature, "Error: %s (%s)", number, "unknown status");
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Windows built in code

char EngGuiCreateWindow_MAC(int x, int y, int width, int height, EngGuiEventHandler handler, void *user,
                            EngGuiWindowRef *window) {
  if (!window || width < 1 || height < 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  *window = nullptr;
  if (!EngGuiInit_MAC()) return 0;
  auto *dialog = new _EngGuiDialog;
  dialog->window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  dialog->handler = handler;
  dialog->user = user;
  gtk_window_set_modal(GTK_WINDOW(dialog->window), TRUE);
  gtk_window_set_resizable(GTK_WINDOW(dialog->window), FALSE);
  gtk_window_set_default_size(GTK_WINDOW(dialog->window), width, height);
  gtk_widget_set_size_request(dialog->window, width, height);
  gtk_window_move(GTK_WINDOW(dialog->window), x, y);
  dialog->fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(dialog->window), dialog->fixed);
  gtk_widget_show(dialog->fixed);
  AttachWindow(dialog);
  *window = dialog;
  return 1;
}

void EngGuiActivateWindow_MAC(EngGuiWindowRef window, char active) {
  if (window && active) gtk_window_present(GTK_WINDOW(window->window));
}

void EngGuiSetDefaultButton_MAC(EngGuiWindowRef window, EngGuiControlRef control) {
  if (!window || !control) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  gtk_widget_set_can_default(EngGuiWidget(control), TRUE);
  gtk_window_set_default(GTK_WINDOW(window->window), EngGuiWidget(control));
}

// ---------------------------------------------------------------------------------------------
// Tests

void EngGuiSetTestDriver_MAC(EngGuiTestDriver driver, void *user) {
  test_driver = driver;
  test_driver_user = user;
}

EngGuiControlRef EngGuiTestFindObject_MAC(EngGuiWindowRef window, const char *object_id) {
  if (!window || !window->builder || !object_id) return nullptr;
  GObject *object = gtk_builder_get_object(window->builder, object_id);
  return object && GTK_IS_WIDGET(object) ? EngGuiControl(GTK_WIDGET(object)) : nullptr;
}

EngGuiControlRef EngGuiTestGetCreatedControl_MAC(EngGuiWindowRef window, int n) {
  if (!window || n < 0 || size_t(n) >= window->created.size()) return nullptr;
  return EngGuiControl(window->created[size_t(n)]);
}

void EngGuiTestClick_MAC(EngGuiControlRef control) {
  if (control && GTK_IS_BUTTON(EngGuiWidget(control))) gtk_button_clicked(GTK_BUTTON(EngGuiWidget(control)));
}

void EngGuiTestChoose_MAC(EngGuiControlRef control, int index) {
  GtkWidget *widget = EngGuiWidget(control);
  if (!widget) return;
  if (GTK_IS_COMBO_BOX(widget)) {
    gtk_combo_box_set_active(GTK_COMBO_BOX(widget), index);
  } else if (GTK_IS_CONTAINER(widget)) {
    GList *children = gtk_container_get_children(GTK_CONTAINER(widget));
    GList *child = g_list_nth(children, guint(index));
    if (child && GTK_IS_TOGGLE_BUTTON(child->data))
      gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(child->data), TRUE);
    g_list_free(children);
  }
}

void EngGuiTestTypeText_MAC(EngGuiControlRef control, const char *text) {
  GtkWidget *widget = EngGuiWidget(control);
  std::string utf8 = EngGuiToUtf8(text);
  if (widget && GTK_IS_ENTRY(widget))
    gtk_entry_set_text(GTK_ENTRY(widget), utf8.c_str());
  else if (widget && GTK_IS_TEXT_VIEW(widget))
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(widget)), utf8.c_str(), -1);
}

// Both go through GTK's own event path, at once, as the server's events would.
static void DeliverEvent(GdkEvent *event) {
  gtk_main_do_event(event);
  gdk_event_free(event);
}

void EngGuiTestPressCloseBox_MAC(EngGuiWindowRef window) {
  GdkWindow *gdk_window = window ? gtk_widget_get_window(window->window) : nullptr;
  if (!gdk_window) return;
  GdkEvent *event = gdk_event_new(GDK_DELETE);
  event->any.window = GDK_WINDOW(g_object_ref(gdk_window));
  event->any.send_event = TRUE;
  DeliverEvent(event);
}

void EngGuiTestPressKey_MAC(EngGuiWindowRef window, char key, char control_held) {
  GdkWindow *gdk_window = window ? gtk_widget_get_window(window->window) : nullptr;
  if (!gdk_window) return;
  GdkEvent *event = gdk_event_new(GDK_KEY_PRESS);
  event->key.window = GDK_WINDOW(g_object_ref(gdk_window));
  event->key.send_event = TRUE;
  event->key.time = GDK_CURRENT_TIME;
  event->key.keyval = gdk_unicode_to_keyval(guint32(EngUInt8(key)));
  event->key.state = control_held ? GDK_CONTROL_MASK : 0;
  GdkSeat *seat = gdk_display_get_default_seat(gdk_window_get_display(gdk_window));
  if (seat) gdk_event_set_device(event, gdk_seat_get_keyboard(seat));
  DeliverEvent(event);
}

char EngGuiTestSaveScreenshot_MAC(EngGuiWindowRef window, const char *png_path) {
  if (!window || !png_path) return 0;
  // The server draws asynchronously; a few rounds of events let the window settle.
  for (int round = 0; round < 20; round++) {
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
    g_usleep(10000);
  }
  GdkWindow *gdk_window = gtk_widget_get_window(window->window);
  if (!gdk_window) return 0;
  int width = gdk_window_get_width(gdk_window), height = gdk_window_get_height(gdk_window);
  GdkPixbuf *pixbuf = gdk_pixbuf_get_from_window(gdk_window, 0, 0, width, height);
  if (!pixbuf) return 0;
  gboolean ok = gdk_pixbuf_save(pixbuf, png_path, "png", nullptr, nullptr);
  g_object_unref(pixbuf);
  return ok ? 1 : 0;
}

int EngGuiTestGetNumWindowsShown_MAC() { return windows_shown; }

void EngGuiResetForTests() {
  test_driver = nullptr;
  test_driver_user = nullptr;
  windows_shown = 0;
}
