#include "Engine/MAC/EngGuiGtk_MAC.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngTexture.h"

static const char *const kMinimumKey = "eng-gui-minimum";
static const char *const kMaximumKey = "eng-gui-maximum";

enum { SINGLE_LINE_MAX_HEIGHT = 40 };

// What is placed, shown and enabled: a multi-line text's scrolled frame, else the control.
static GtkWidget *Outer(EngGuiControlRef control) {
  GtkWidget *widget = EngGuiWidget(control);
  GtkWidget *parent = widget ? gtk_widget_get_parent(widget) : nullptr;
  return GTK_IS_TEXT_VIEW(widget) && parent && GTK_IS_SCROLLED_WINDOW(parent) ? parent : widget;
}

static char Have(EngGuiControlRef control, const char *signature) {
  if (control) return 1;
  DebugErrorAlt(signature, "No control.");
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Finding controls

static std::string ObjectId(EngUInt32 signature, EngInt32 id) {
  char code[5] = {char(signature >> 24), char(signature >> 16), char(signature >> 8), char(signature), 0};
  for (int i = 3; i >= 0 && code[i] == ' '; i--) code[i] = 0;
  char text[32];
  snprintf(text, sizeof(text), "%s-%d", code, int(id));
  return text;
}

static GtkWidget *Find(EngGuiWindowRef window, EngUInt32 signature, EngInt32 id) {
  if (!window || !window->builder) return nullptr;
  GObject *object = gtk_builder_get_object(window->builder, ObjectId(signature, id).c_str());
  return object && GTK_IS_WIDGET(object) ? GTK_WIDGET(object) : nullptr;
}

char EngGuiDoesControlExist_MAC(EngGuiWindowRef window, EngUInt32 signature, EngInt32 id) {
  return Find(window, signature, id) != nullptr;
}

char EngGuiGetControl_MAC(EngGuiWindowRef window, EngUInt32 signature, EngInt32 id, EngGuiControlRef *control) {
  if (!window || !control) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  GtkWidget *widget = Find(window, signature, id);
  *control = EngGuiControl(widget);
  if (!widget) {
    DebugErrorAlt(ENG_FUNC, "Could not get control [id = %d] <%s>", int(id), ObjectId(signature, id).c_str());
    return 0;
  }
  return 1;
}

// ---------------------------------------------------------------------------------------------
// State of any control

void EngGuiEnableControl_MAC(EngGuiControlRef control, char on) {
  if (Have(control, ENG_FUNC)) gtk_widget_set_sensitive(Outer(control), on ? TRUE : FALSE);
}
void EngGuiDisableControl_MAC(EngGuiControlRef control) {
  if (Have(control, ENG_FUNC)) gtk_widget_set_sensitive(Outer(control), FALSE);
}
void EngGuiShowControl_MAC(EngGuiControlRef control, char show) {
  if (Have(control, ENG_FUNC)) gtk_widget_set_visible(Outer(control), show ? TRUE : FALSE);
}
void EngGuiHideControl_MAC(EngGuiControlRef control) {
  if (Have(control, ENG_FUNC)) gtk_widget_set_visible(Outer(control), FALSE);
}
char EngGuiIsControlEnabled_MAC(EngGuiControlRef control) {
  return control && gtk_widget_get_sensitive(Outer(control));
}
char EngGuiIsControlVisible_MAC(EngGuiControlRef control) {
  return control && gtk_widget_get_visible(Outer(control));
}

// A radio group is a box of radio buttons; its value counts them from 1.
static EngInt32 RadioGroupValue(GtkWidget *box) {
  GList *children = gtk_container_get_children(GTK_CONTAINER(box));
  EngInt32 value = 0, index = 1;
  for (GList *c = children; c; c = c->next, index++)
    if (GTK_IS_TOGGLE_BUTTON(c->data) && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(c->data))) value = index;
  g_list_free(children);
  return value;
}

EngInt32 EngGuiGetControlValue_MAC(EngGuiControlRef control) {
  GtkWidget *widget = EngGuiWidget(control);
  if (!widget) return 0;
  if (GTK_IS_COMBO_BOX(widget)) return gtk_combo_box_get_active(GTK_COMBO_BOX(widget)) + 1;
  if (GTK_IS_TOGGLE_BUTTON(widget)) return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget)) ? 1 : 0;
  if (GTK_IS_CONTAINER(widget)) return RadioGroupValue(widget);
  return 0;
}

void EngGuiSetControlValue_MAC(EngGuiControlRef control, EngInt32 value) {
  GtkWidget *widget = EngGuiWidget(control);
  if (!widget) return;
  EngGuiQuiet quiet;
  if (GTK_IS_COMBO_BOX(widget)) {
    int count = EngGuiGetMenuCount_MAC(control);
    gtk_combo_box_set_active(GTK_COMBO_BOX(widget), value >= 1 && value <= count ? value - 1 : -1);
  } else if (GTK_IS_TOGGLE_BUTTON(widget)) {
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget), value != 0);
  } else if (GTK_IS_CONTAINER(widget)) {
    GList *children = gtk_container_get_children(GTK_CONTAINER(widget));
    GList *child = value >= 1 ? g_list_nth(children, guint(value - 1)) : nullptr;
    if (child && GTK_IS_TOGGLE_BUTTON(child->data))
      gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(child->data), TRUE);
    g_list_free(children);
  }
}

void EngGuiGetControlRange_MAC(EngGuiControlRef control, EngInt32 *minimum, EngInt32 *maximum) {
  GObject *object = control ? G_OBJECT(EngGuiWidget(control)) : nullptr;
  if (minimum) *minimum = object ? EngInt32(GPOINTER_TO_INT(g_object_get_data(object, kMinimumKey))) : 0;
  if (maximum) *maximum = object ? EngInt32(GPOINTER_TO_INT(g_object_get_data(object, kMaximumKey))) : 0;
}

void EngGuiCheckButton_MAC(EngGuiControlRef control, char on) {
  if (Have(control, ENG_FUNC)) EngGuiSetControlValue_MAC(control, on ? 1 : 0);
}

char EngGuiIsButtonChecked_MAC(EngGuiControlRef control) {
  if (!Have(control, ENG_FUNC)) return 0;
  return EngGuiGetControlValue_MAC(control) != 0;
}

// ---------------------------------------------------------------------------------------------
// Texts

void EngGuiSetStaticTextString_MAC(EngGuiControlRef control, const char *text) {
  if (!Have(control, ENG_FUNC)) return;
  GtkWidget *widget = EngGuiWidget(control);
  // Plain text: a text from a file or a server is never read as markup.
  std::string utf8 = EngGuiToUtf8(text);
  if (GTK_IS_LABEL(widget))
    gtk_label_set_text(GTK_LABEL(widget), utf8.c_str());
  else if (GTK_IS_TEXT_VIEW(widget))
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(widget)), utf8.c_str(), -1);
  else
    DebugErrorAlt(ENG_FUNC, "CFStringCreateWithCString() failed for <%s>", text ? text : "");
}

static std::string WidgetText(GtkWidget *widget) {
  if (GTK_IS_LABEL(widget)) return EngGuiFromUtf8(gtk_label_get_text(GTK_LABEL(widget)));
  if (GTK_IS_ENTRY(widget)) return EngGuiFromUtf8(gtk_entry_get_text(GTK_ENTRY(widget)));
  if (GTK_IS_BUTTON(widget)) return EngGuiFromUtf8(gtk_button_get_label(GTK_BUTTON(widget)));
  if (GTK_IS_TEXT_VIEW(widget)) {
    GtkTextBuffer *buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(widget));
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gchar *text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
    std::string out = EngGuiFromUtf8(text);
    g_free(text);
    return out;
  }
  return std::string();
}

int EngGuiGetStaticTextString_MAC(EngGuiControlRef control, char *buffer, int size) {
  if (!control || !buffer || size < 1) return 0;
  return EngGuiCopyOut(WidgetText(EngGuiWidget(control)), buffer, size);
}

void EngGuiSetEditableTextString_MAC(EngGuiControlRef control, const char *text) {
  if (!Have(control, ENG_FUNC)) return;
  GtkWidget *widget = EngGuiWidget(control);
  if (GTK_IS_ENTRY(widget)) {
    EngGuiQuiet quiet;
    gtk_entry_set_text(GTK_ENTRY(widget), EngGuiToUtf8(text).c_str());
  } else {
    EngGuiSetStaticTextString_MAC(control, text);
  }
}

void EngGuiSetEditableTextString2_MAC(EngGuiControlRef control, const char *text) {
  EngGuiSetEditableTextString_MAC(control, text);
}

int EngGuiGetEditableTextString_MAC(EngGuiControlRef control, char *buffer, int size) {
  return EngGuiGetStaticTextString_MAC(control, buffer, size);
}

void EngGuiSetEditableTextInt_MAC(EngGuiControlRef control, int value) {
  if (!Have(control, ENG_FUNC)) return;
  char text[16];
  snprintf(text, sizeof(text), "%d", value);
  EngGuiSetEditableTextString_MAC(control, text);
}

int EngGuiGetEditableTextInt_MAC(EngGuiControlRef control) {
  if (!control) return -1;
  char text[256];
  EngGuiGetEditableTextString_MAC(control, text, sizeof(text));
  int value = 0;
  if (sscanf(text, "%d", &value) != 1) return 0;
  return value;
}

void EngGuiSetBevelButtonTextString_MAC(EngGuiControlRef control, const char *text) {
  if (!Have(control, ENG_FUNC)) return;
  GtkWidget *widget = EngGuiWidget(control);
  if (GTK_IS_BUTTON(widget))
    gtk_button_set_label(GTK_BUTTON(widget), EngGuiToUtf8(text).c_str());
  else
    EngGuiSetStaticTextString_MAC(control, text);
}

char EngGuiSetTextAlignment_MAC(EngGuiControlRef control, int align) {
  if (!Have(control, ENG_FUNC)) return 0;
  if (align < 0 || align > 2) return 0;
  float x = align == 0 ? 0.0f : align == 1 ? 0.5f : 1.0f;
  GtkWidget *widget = EngGuiWidget(control);
  if (GTK_IS_BUTTON(widget)) widget = gtk_bin_get_child(GTK_BIN(widget));
  if (widget && GTK_IS_LABEL(widget)) {
    gtk_label_set_xalign(GTK_LABEL(widget), x);
    gtk_label_set_justify(GTK_LABEL(widget), align == 0   ? GTK_JUSTIFY_LEFT
                                             : align == 1 ? GTK_JUSTIFY_CENTER
                                                          : GTK_JUSTIFY_RIGHT);
  } else if (widget && GTK_IS_ENTRY(widget)) {
    gtk_entry_set_alignment(GTK_ENTRY(widget), x);
  }
  return 1;
}

void EngGuiSetBevelButtonTextAlignment(EngGuiControlRef control, char align) {
  if (align < -1 || align > 2) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  DebugInfo("EngGuiSetBevelButtonTextAlignment: Not tested.");
  // The system direction is left to right here.
  EngGuiSetTextAlignment_MAC(control, align < 0 ? 0 : align);
}

void EngGuiSetRadioControlEntryTextString_MAC(EngGuiControlRef control, int index, const char *text) {
  if (!Have(control, ENG_FUNC)) return;
  GtkWidget *widget = EngGuiWidget(control);
  GtkWidget *button = nullptr;
  if (GTK_IS_CONTAINER(widget)) {
    GList *children = gtk_container_get_children(GTK_CONTAINER(widget));
    GList *child = index >= 0 ? g_list_nth(children, guint(index)) : nullptr;
    if (child && GTK_IS_BUTTON(child->data)) button = GTK_WIDGET(child->data);
    g_list_free(children);
  }
  if (!button) {
    DebugErrorAlt(ENG_FUNC, "Could not get radio sub control.");
    return;
  }
  gtk_button_set_label(GTK_BUTTON(button), EngGuiToUtf8(text).c_str());
}

void EngGuiCenterControlHorizontallyInWindow_MAC(EngGuiWindowRef window, EngGuiControlRef control) {
  if (!window || !control) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  GtkWidget *widget = EngGuiWidget(control);
  GtkWidget *parent = gtk_widget_get_parent(widget);
  if (parent && GTK_IS_FIXED(parent)) {
    int window_width = 0, window_height = 0, width = 0, height = 0;
    gtk_window_get_size(GTK_WINDOW(window->window), &window_width, &window_height);
    gtk_widget_get_size_request(widget, &width, &height);
    if (width < 0) gtk_widget_get_preferred_width(widget, nullptr, &width);
    int y = 0;
    gtk_container_child_get(GTK_CONTAINER(parent), widget, "y", &y, nullptr);
    gtk_fixed_move(GTK_FIXED(parent), widget, int(window_width / 2 - width / 2.0), y);
  } else {
    gtk_widget_set_halign(widget, GTK_ALIGN_CENTER);
  }
}

EngGuiControlRef EngGuiGetSuperControl_MAC(EngGuiControlRef control) {
  if (!control) return nullptr;
  GtkWidget *parent = gtk_widget_get_parent(Outer(control));
  return parent ? EngGuiControl(parent) : nullptr;
}

void EngGuiGetControlSize_MAC(EngGuiControlRef control, int *width, int *height) {
  int w = 0, h = 0;
  if (control) {
    GtkWidget *widget = Outer(control);
    gtk_widget_get_size_request(widget, &w, &h);
    if (w < 0) gtk_widget_get_preferred_width(widget, nullptr, &w);
    if (h < 0) gtk_widget_get_preferred_height(widget, nullptr, &h);
  }
  if (width) *width = w;
  if (height) *height = h;
}

char EngGuiGetControlBounds_MAC(EngGuiControlRef control, int *left, int *top, int *right, int *bottom) {
  if (!control || !left || !top || !right || !bottom) return 0;
  GtkWidget *widget = Outer(control);
  GtkWidget *parent = gtk_widget_get_parent(widget);
  if (!parent || !GTK_IS_FIXED(parent)) return 0;
  int x = 0, y = 0, width = 0, height = 0;
  gtk_container_child_get(GTK_CONTAINER(parent), widget, "x", &x, "y", &y, nullptr);
  EngGuiGetControlSize_MAC(control, &width, &height);
  *left = x;
  *top = y;
  *right = x + width;
  *bottom = y + height;
  return 1;
}

char EngGuiEmbedControlAt_MAC(EngGuiControlRef control, EngGuiControlRef enclosing, int left, int top, int right,
                              int bottom) {
  if (!control || !enclosing || !GTK_IS_FIXED(EngGuiWidget(enclosing))) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  GtkWidget *widget = Outer(control);
  GtkWidget *fixed = EngGuiWidget(enclosing);
  GtkWidget *parent = gtk_widget_get_parent(widget);
  if (parent == fixed) {
    gtk_fixed_move(GTK_FIXED(fixed), widget, left, top);
  } else {
    g_object_ref(widget);
    if (parent) gtk_container_remove(GTK_CONTAINER(parent), widget);
    gtk_fixed_put(GTK_FIXED(fixed), widget, left, top);
    g_object_unref(widget);
  }
  gtk_widget_set_size_request(widget, right - left, bottom - top);
  return 1;
}

int EngGuiShowControlsWithCommand_MAC(EngGuiWindowRef window, EngUInt32 command, char show) {
  if (!window || !window->builder) return 0;
  int found = 0;
  GSList *objects = gtk_builder_get_objects(window->builder);
  for (GSList *o = objects; o; o = o->next) {
    if (!GTK_IS_WIDGET(o->data)) continue;
    EngGuiControlRef control = EngGuiControl(GTK_WIDGET(o->data));
    if (EngGuiGetControlCommandID_MAC(control) != command) continue;
    gtk_widget_set_visible(Outer(control), show ? TRUE : FALSE);
    found++;
  }
  g_slist_free(objects);
  return found;
}

// ---------------------------------------------------------------------------------------------
// Popup menus: a popup is its own menu.

char EngGuiGetPopupButtonMenu_MAC(EngGuiControlRef control, EngGuiMenuRef *menu) {
  if (!control || !menu || !GTK_IS_COMBO_BOX_TEXT(EngGuiWidget(control))) {
    if (menu) *menu = nullptr;
    DebugErrorAlt(ENG_FUNC, "Could not get popup menu");
    return 0;
  }
  *menu = control;
  return 1;
}

int EngGuiGetPopupButtonMenuRef_MAC(EngGuiControlRef control, EngGuiMenuRef *menu) {
  if (!control) return -1;
  if (!menu || !GTK_IS_COMBO_BOX_TEXT(EngGuiWidget(control))) return ENG_GUI_STATUS_PARAM;
  *menu = control;
  return 0;
}

static GtkTreeModel *Model(EngGuiMenuRef menu) {
  if (!menu || !GTK_IS_COMBO_BOX(EngGuiWidget(menu))) return nullptr;
  return gtk_combo_box_get_model(GTK_COMBO_BOX(EngGuiWidget(menu)));
}

int EngGuiGetMenuCount_MAC(EngGuiMenuRef menu) {
  GtkTreeModel *model = Model(menu);
  return model ? gtk_tree_model_iter_n_children(model, nullptr) : 0;
}

void EngGuiResetMenu_MAC(EngGuiMenuRef menu) {
  if (!menu || !GTK_IS_COMBO_BOX_TEXT(EngGuiWidget(menu))) return;
  EngGuiQuiet quiet;
  gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(EngGuiWidget(menu)));
}

void EngGuiAddStringToMenu_MAC(EngGuiMenuRef menu, const char *text) {
  if (!menu || !GTK_IS_COMBO_BOX_TEXT(EngGuiWidget(menu))) return;
  EngGuiQuiet quiet;
  gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(EngGuiWidget(menu)), EngGuiToUtf8(text).c_str());
}

static std::string ItemText(EngGuiMenuRef menu, int index, EngInt32 *status) {
  GtkTreeModel *model = Model(menu);
  GtkTreeIter iter;
  *status = ENG_GUI_STATUS_PARAM;
  if (!model) return std::string();
  *status = ENG_GUI_STATUS_MENU_ITEM_NOT_FOUND;
  if (index < 0 || !gtk_tree_model_iter_nth_child(model, &iter, nullptr, index)) return std::string();
  gchar *text = nullptr;
  // GtkComboBoxText keeps its texts in column 0.
  gtk_tree_model_get(model, &iter, 0, &text, -1);
  std::string out = EngGuiFromUtf8(text);
  g_free(text);
  *status = 0;
  return out;
}

void EngGuiGetMenuItemString_MAC(EngGuiMenuRef menu, int index, char *buffer, int size) {
  if (!buffer || size < 1) return;
  EngInt32 status = 0;
  std::string text = ItemText(menu, index, &status);
  if (EngGuiIsReturnCodeOk_MAC("CopyMenuItemTextAsCFString", status))
    EngGuiCopyOut(text, buffer, size);
  else
    buffer[0] = 0;
}

void EngGuiGetPopupMenuCurrentText_MAC(EngGuiMenuRef menu, EngGuiControlRef control, char *buffer, int size) {
  int item = control ? EngGuiGetPopupControlCurrentSelection_MAC(control) : 0;
  EngGuiGetMenuItemString_MAC(menu, item, buffer, size);
}

void EngGuiSetPopupControlCurrentSelection_MAC(EngGuiControlRef control, int selection) {
  if (!Have(control, ENG_FUNC)) return;
  EngGuiSetControlValue_MAC(control, selection + 1);
  gtk_widget_queue_draw(EngGuiWidget(control));
}

int EngGuiGetPopupControlCurrentSelection_MAC(EngGuiControlRef control) {
  if (!control) return -1;
  return EngGuiGetControlValue_MAC(control) - 1;
}

int EngGuiSyncPopupButtonToMenu_MAC(EngGuiControlRef control) {
  if (!control) return -1;
  EngGuiMenuRef menu = nullptr;
  int status = EngGuiGetPopupButtonMenuRef_MAC(control, &menu);
  if (status != 0) return status;
  int count = EngGuiGetMenuCount_MAC(menu);
  GObject *object = G_OBJECT(EngGuiWidget(control));
  g_object_set_data(object, kMinimumKey, GINT_TO_POINTER(count > 0 ? 1 : 0));
  g_object_set_data(object, kMaximumKey, GINT_TO_POINTER(count));
  return 0;
}

void EngGuiSetPopupMenuAsNotAvailable_MAC(EngGuiWindowRef window, EngUInt32 signature, EngInt32 id) {
  GtkWidget *widget = Find(window, signature, id);
  if (!widget) return;
  EngGuiControlRef control = EngGuiControl(widget);
  int count = EngGuiGetMenuCount_MAC(control);
  const char *text = EngLanguagesGetStringIfExists("GUI_UNAVAILABLE", "Unavailable");
  for (int i = 0; i < count; i++) EngGuiSetMenuItemText_MAC(control, i, text);
  EngGuiDisableControl_MAC(control);
}

void EngGuiSetMenuTitleText_MAC(EngGuiMenuRef menu, const char *text) {
  GtkWidget *widget = EngGuiWidget(menu);
  const char *id = widget && GTK_IS_BUILDABLE(widget) ? gtk_buildable_get_name(GTK_BUILDABLE(widget)) : nullptr;
  _EngGuiDialog *dialog = EngGuiDialogOfWidget(widget);
  GObject *title = nullptr;
  if (id && dialog && dialog->builder) title = gtk_builder_get_object(dialog->builder, (std::string(id) + "-title").c_str());
  if (!title || !GTK_IS_LABEL(title)) {
    DebugErrorAlt(ENG_FUNC, "Could not set menu text to <%s>", text ? text : "");
    return;
  }
  gtk_label_set_text(GTK_LABEL(title), EngGuiToUtf8(text).c_str());
}

void EngGuiSetMenuItemText_MAC(EngGuiMenuRef menu, int item, const char *text) {
  if (!menu || !GTK_IS_COMBO_BOX_TEXT(EngGuiWidget(menu)) || item < 0 || item >= EngGuiGetMenuCount_MAC(menu)) {
    DebugErrorAlt(ENG_FUNC, "Could not set menu text to <%s>", text ? text : "");
    return;
  }
  GtkComboBoxText *combo = GTK_COMBO_BOX_TEXT(EngGuiWidget(menu));
  EngGuiQuiet quiet;
  int active = gtk_combo_box_get_active(GTK_COMBO_BOX(combo));
  gtk_combo_box_text_remove(combo, item);
  gtk_combo_box_text_insert_text(combo, item, EngGuiToUtf8(text).c_str());
  gtk_combo_box_set_active(GTK_COMBO_BOX(combo), active);
}

// Menu commands live in a menu bar, and there is none here: like a program without one, these
// find no command and change nothing.
void EngGuiEnableMenuItemUsingCommandId_MAC(EngGuiMenuRef, EngUInt32, char) {}
void EngGuiCheckMenuItemUsingCommandId_MAC(EngGuiMenuRef, EngUInt32, char) {}

// ---------------------------------------------------------------------------------------------
// Pictures

EngGuiImageRef EngGuiCreateCGImageFromBundleResource(const char *file, const _TexCoords *coords) {
  if (!file || !*file) {
    DebugErrorAlt(ENG_FUNC, "No filename.");
    return nullptr;
  }
  if (!EngFileExists(file, 0)) {
    DebugErrorAlt(ENG_FUNC, "File does not exist [%s].", file);
    return nullptr;
  }
  GError *error = nullptr;
  GdkPixbuf *pixbuf = gdk_pixbuf_new_from_file(file, &error);
  if (!pixbuf) {
    DebugErrorAlt(ENG_FUNC, "No source");
    if (error) {
      DebugInfo("%s: %s", file, error->message);
      g_error_free(error);
    }
    return nullptr;
  }
  if (coords) {
    int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
    int x = int(coords->left * w), y = int(coords->top * h);
    int cw = int(coords->right * w) - x, ch = int(coords->bottom * h) - y;
    if (x < 0 || y < 0 || cw < 1 || ch < 1 || x + cw > w || y + ch > h) {
      DebugErrorAlt(ENG_FUNC, "Bad crop of [%s]: %d, %d, %d x %d of %d x %d", file, x, y, cw, ch, w, h);
      g_object_unref(pixbuf);
      return nullptr;
    }
    GdkPixbuf *part = gdk_pixbuf_new_subpixbuf(pixbuf, x, y, cw, ch);
    GdkPixbuf *copy = gdk_pixbuf_copy(part);
    g_object_unref(part);
    g_object_unref(pixbuf);
    pixbuf = copy;
  }
  return reinterpret_cast<EngGuiImageRef>(pixbuf);
}

void EngGuiReleaseImage_MAC(EngGuiImageRef image) {
  if (image) g_object_unref(reinterpret_cast<GdkPixbuf *>(image));
}

void EngGuiGetImageSize_MAC(EngGuiImageRef image, int *width, int *height) {
  GdkPixbuf *pixbuf = reinterpret_cast<GdkPixbuf *>(image);
  if (width) *width = pixbuf ? gdk_pixbuf_get_width(pixbuf) : 0;
  if (height) *height = pixbuf ? gdk_pixbuf_get_height(pixbuf) : 0;
}

char EngGuiSetHiViewControlsPicture_MAC(EngGuiControlRef control, const char *file, const _TexCoords *coords) {
  if (!control) {
    DebugErrorAlt(ENG_FUNC, "No control.");
    return 0;
  }
  if (!file || !*file) {
    DebugErrorAlt(ENG_FUNC, "No filename.");
    return 0;
  }
  if (!EngFileExists(file, 0)) {
    DebugErrorAlt(ENG_FUNC, "File does not exist: [%s]", file);
    return 0;
  }
  EngGuiImageRef image = EngGuiCreateCGImageFromBundleResource(file, coords);
  if (!image) {
    DebugErrorAlt(ENG_FUNC, "No imageRef");
    return 0;
  }
  GtkWidget *widget = EngGuiWidget(control);
  if (!GTK_IS_IMAGE(widget)) {
    DebugErrorAlt(ENG_FUNC, "HIImageViewSetImage() failed (%d).", -50);
    EngGuiReleaseImage_MAC(image);
    return 0;
  }
  gtk_image_set_from_pixbuf(GTK_IMAGE(widget), reinterpret_cast<GdkPixbuf *>(image));
  EngGuiReleaseImage_MAC(image);
  return 1;
}

void EngGuiGetPictureSize_MAC(EngGuiControlRef control, int *width, int *height) {
  GtkWidget *widget = EngGuiWidget(control);
  GdkPixbuf *pixbuf = nullptr;
  if (widget && GTK_IS_IMAGE(widget) && gtk_image_get_storage_type(GTK_IMAGE(widget)) == GTK_IMAGE_PIXBUF)
    pixbuf = gtk_image_get_pixbuf(GTK_IMAGE(widget));
  EngGuiGetImageSize_MAC(reinterpret_cast<EngGuiImageRef>(pixbuf), width, height);
}

// ---------------------------------------------------------------------------------------------
// Controls made in code

EngGuiControlRef EngGuiCreateControl_MAC(EngGuiWindowRef window, _EngGuiControlKind kind, int x, int y, int width,
                                         int height) {
  if (!window || !window->fixed) {
    DebugErrorAlt(ENG_FUNC, "No window.");
    return nullptr;
  }
  GtkWidget *widget = nullptr, *outer = nullptr;
  switch (kind) {
    case ENG_GUI_STATIC_TEXT:
      widget = gtk_label_new("");
      gtk_label_set_line_wrap(GTK_LABEL(widget), TRUE);
      gtk_label_set_xalign(GTK_LABEL(widget), 0.0f);
      gtk_label_set_yalign(GTK_LABEL(widget), 0.0f);
      break;
    case ENG_GUI_PUSH_BUTTON: widget = gtk_button_new_with_label(""); break;
    case ENG_GUI_EDIT_TEXT:
      if (height <= SINGLE_LINE_MAX_HEIGHT) {
        widget = gtk_entry_new();
      } else {
        // A tall edit text holds lines, as the update check's message does.
        widget = gtk_text_view_new();
        gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(widget), GTK_WRAP_WORD_CHAR);
        gtk_text_view_set_left_margin(GTK_TEXT_VIEW(widget), 6);
        gtk_text_view_set_right_margin(GTK_TEXT_VIEW(widget), 6);
        outer = gtk_scrolled_window_new(nullptr, nullptr);
        gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(outer), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
        gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(outer), GTK_SHADOW_IN);
        gtk_container_add(GTK_CONTAINER(outer), widget);
        gtk_widget_show(widget);
      }
      break;
    case ENG_GUI_POPUP: widget = gtk_combo_box_text_new(); break;
    case ENG_GUI_PICTURE: widget = gtk_image_new(); break;
  }
  if (!widget) return nullptr;
  if (!outer) outer = widget;
  gtk_widget_set_size_request(outer, width, height);
  gtk_fixed_put(GTK_FIXED(window->fixed), outer, x, y);
  gtk_widget_show(outer);
  EngGuiAttachWidget(window, widget, 0);
  window->created.push_back(widget);
  return EngGuiControl(widget);
}

EngGuiControlRef EngGuiCreateHiViewPictureControl_MAC(EngGuiWindowRef window, int left, int top, int right,
                                                      int bottom, const char *file, const _TexCoords *coords) {
  if (!window) {
    DebugErrorAlt(ENG_FUNC, "No window.");
    return nullptr;
  }
  if (!window->fixed) {
    DebugErrorAlt(ENG_FUNC, "No root contentView.");
    return nullptr;
  }
  EngGuiControlRef control = EngGuiCreateControl_MAC(window, ENG_GUI_PICTURE, left, top, right - left, bottom - top);
  if (!control) {
    DebugErrorAlt(ENG_FUNC, "HIImageViewCreate() failed (%d).", -1);
    return nullptr;
  }
  if (file && *file) EngGuiSetHiViewControlsPicture_MAC(control, file, coords);
  return control;
}

void EngGuiMoveControl_MAC(EngGuiControlRef control, int x, int y) {
  if (!Have(control, ENG_FUNC)) return;
  GtkWidget *widget = Outer(control);
  GtkWidget *parent = gtk_widget_get_parent(widget);
  if (parent && GTK_IS_FIXED(parent)) gtk_fixed_move(GTK_FIXED(parent), widget, x, y);
}

void EngGuiSizeControl_MAC(EngGuiControlRef control, int width, int height) {
  if (Have(control, ENG_FUNC)) gtk_widget_set_size_request(Outer(control), width, height);
}
