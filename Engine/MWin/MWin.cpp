#include "Engine/MWin/MWin.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMain.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngToolkit.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinTextureLoad.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

// What the engine may ask of the toolkit without including it.
static char HookIsOn(MWin *mwin) { return mwin->IsOn(); }
static char HookPopupIsOn(MWin *mwin) { return mwin->PopupIsOn(); }
static void HookSetScreenLayout(MWin *mwin, _EngLayout layout) { mwin->SetScreenLayout(layout); }
static void HookUpdateOrientation(MWin *mwin) { mwin->UpdateOrientation(); }

// The engine's OK/Cancel question answers through its own callback type; one popup shows at a
// time, so one pending engine callback is kept.
static EngToolkitOkCancelCB hook_ok_cancel_cb = nullptr;
static void *hook_ok_cancel_user = nullptr;

static void HookOkCancelAnswered(MWin *mwin, char result, void *user) {
  (void)user;
  EngToolkitOkCancelCB callback = hook_ok_cancel_cb;
  void *data = hook_ok_cancel_user;
  hook_ok_cancel_cb = nullptr;
  hook_ok_cancel_user = nullptr;
  if (callback) callback(mwin, EngInt32(result), data);
}

static void HookPopupOkCancel(MWin *mwin, const char *title, const char *text, EngToolkitOkCancelCB callback,
                              void *user_data) {
  hook_ok_cancel_cb = callback;
  hook_ok_cancel_user = user_data;
  if (!mwin->PopupOkCancel(title, text, HookOkCancelAnswered, nullptr)) {
    hook_ok_cancel_cb = nullptr;
    hook_ok_cancel_user = nullptr;
  }
}

static char HookPopupNotice(MWin *mwin, const char *title, const char *text) {
  return mwin->PopupNoticeShowItAndRemoveIt(title, text);
}

MWin::MWin(Game *game) : m_game(game) {
  memset(&m_settings, 0, sizeof(m_settings));
  memset(m_layout_settings, 0, sizeof(m_layout_settings));
  for (auto &size : m_virtual_size) {
    size[0] = ENG_DESIGN_WIDTH;
    size[1] = ENG_DESIGN_HEIGHT;
  }
  SetupStandardSettings(1);
  UpdateLayoutSettings();
  m_desktop = new MWinDesktop(this);
  m_textures = new MWinTextures(this);
  m_fonts = new MWinFonts(this);
  PopupInit();
  _EngToolkitHooks hooks = {};
  hooks.is_on = HookIsOn;
  hooks.popup_is_on = HookPopupIsOn;
  hooks.popup_ok_cancel = HookPopupOkCancel;
  hooks.popup_notice_show_it_and_remove_it = HookPopupNotice;
  hooks.set_screen_layout = HookSetScreenLayout;
  hooks.update_orientation = HookUpdateOrientation;
  EngToolkitSetHooks(&hooks);
}

MWin::~MWin() {
  Destroy();
  ReleaseBgClearTexture();
  // The engine answers "off" again rather than reach a root that is gone.
  EngToolkitSetHooks(nullptr);
}

void MWin::Destroy() {
  if (m_scope_depth > 0) DebugErrorAlt(ENG_FUNC, "Destroyed inside an entry point");
  m_scope_depth = 0;
  FreeDiscarded();
  if (m_is_on == 1) Shutdown();
  delete m_desktop;
  m_desktop = nullptr;
  FreeDiscarded();
  if (m_screens) m_screens->ForgetMWin();
  m_screens = nullptr;
  delete m_textures;
  m_textures = nullptr;
  delete m_fonts;
  m_fonts = nullptr;
  ColourDestroyGraphics();
}

char MWin::Startup() {
  if (m_is_on == 1) DebugErrorAlt(ENG_FUNC, "MWin already on");
  m_is_on = 1;
  m_allow_input = 1;
  if (eng_main_device && !CreateGraphicsObjects()) DebugErrorAlt(ENG_FUNC, "Could not create graphics objects");
  UpdateOrientation();
  return 1;
}

char MWin::Shutdown() {
  PopupTurnOff();
  if (m_desktop) m_desktop->RemoveAllCollections();
  if (m_is_on != 1) DebugErrorAlt(ENG_FUNC, "MWin not on");
  DestroyGraphicsObjects();
  m_is_on = 0;
  m_message_count = 0;
  m_mouse_x = m_mouse_y = -1;
  RenderNeeded();
  return 1;
}

char MWin::IsOn() {
  if (m_is_on == 1) return 1;
  if (m_is_on != 0) DebugErrorAlt(ENG_FUNC, "m_is_on = %d.", int(m_is_on));
  return 0;
}

Game *MWin::GetGame(char may_be_null) {
  if (!m_game && !may_be_null) DebugAssert(0, "MWin::GetGame", "%s", "");
  return m_game;
}

void MWin::SetScreens(MWinScreens **screens) {
  DebugAssert(m_screens ? 0 : 1, "MWin::SetScreens", "Screens already set");
  if (screens) m_screens = *screens;
}

MWinScreens *MWin::GetScreens() {
  DebugAssert(m_screens ? 1 : 0, "MWin::GetScreens", "No screens");
  return m_screens;
}

char MWin::AreScreensOn() { return (m_screens && IsOn() && m_screens->AreOn()) ? 1 : 0; }

EngUInt32 MWin::GetCurrentScreen() { return m_screens ? m_screens->GetCurrentScreen() : 0; }

EngUInt32 MWin::GetPreviousScreen() { return m_screens ? m_screens->GetPreviousScreen() : 0; }

EngUInt32 MWin::GetFromScreen() { return m_screens ? m_screens->GetFromScreen() : 0; }

char MWin::CreateGraphicsObjects() {
  if (!IsOn()) return 1;
  char ok = 1;
  if (m_textures && !m_textures->CreateTextures()) {
    DebugErrorAlt(ENG_FUNC, "Could not load textures");
    ok = 0;
  }
  if (m_fonts && !m_fonts->CreateGraphicsObjects()) {
    DebugErrorAlt(ENG_FUNC, "Could not load fonts");
    ok = 0;
  }
  if (m_desktop && !m_desktop->CreateGraphicsObjects()) ok = 0;
  if (!CreateBgClearImage()) ok = 0;
  ColourCreateGraphics();
  ButtonsChanged();
  return ok;
}

void MWin::DestroyGraphicsObjects() {
  if (m_textures && m_textures->AreTexturesLoaded()) m_textures->DestroyTextures();
  if (m_fonts && m_fonts->AreFontsLoaded()) m_fonts->DestroyGraphicsObjects();
  if (m_desktop) m_desktop->DestroyGraphicsObjects();
  ColourDestroyGraphics();
  ReleaseBgClearTexture();
}

void MWin::ReleaseBgClearTexture() {
  MWinReleaseTexture(&m_bg_clear_texture);
  m_bg_clear_file[0] = 0;
}

char MWin::LoadBgClearTexture(const char *file) {
  ReleaseBgClearTexture();
  m_bg_clear_texture = MWinLoadJpegTextureRatioed(file);
  if (!m_bg_clear_texture) return 0;
  EngSafeStrcpy(m_bg_clear_file, file, sizeof(m_bg_clear_file));
  return 1;
}

char MWin::CreateBgClearImage() {
  if (m_settings.clear_method != MWIN_CLEAR_BACKGROUND_TEXTURE) {
    ReleaseBgClearTexture();
    return 1;
  }
  if (m_settings.background_texture) {
    MWinPositionTextureFullScreen(m_settings.background_texture);
    return 1;
  }
  // Loaded with the other graphics objects when they are made again; nothing is drawn until then.
  if (EngMainGraphicsAreDown()) {
    ReleaseBgClearTexture();
    return 1;
  }
  if (!LoadBgClearTexture(m_settings.background_image_file)) {
    DebugErrorAlt(ENG_FUNC, "Could not load background image <%s>", m_settings.background_image_file);
    m_settings.clear_method = MWIN_CLEAR_COLOUR;
    return 0;
  }
  return 1;
}

void MWin::SetClearMethod(_MWinClearMethod method, const char *file) {
  if (method >= 4 || method < 0) {
    DebugErrorAlt(ENG_FUNC, "Invalid method");
    return;
  }
  if (method != MWIN_CLEAR_BACKGROUND_TEXTURE) {
    ReleaseBgClearTexture();
    m_settings.clear_method = method;
    return;
  }
  if (!file || !file[0] || strlen(file) >= sizeof(m_settings.background_image_file)) {
    DebugErrorAlt(ENG_FUNC, "Background image file name not ok");
    return;
  }
  if (!EngFileExists(file, 0)) {
    DebugErrorAlt(ENG_FUNC, "Background image file does not exist: <%s>", file);
    m_settings.clear_method = MWIN_CLEAR_COLOUR;
    return;
  }
  if (IsOn() && m_bg_clear_texture && strcmp(m_bg_clear_file, file) == 0) {
    m_settings.clear_method = method;
    return;
  }
  EngSafeStrcpy(m_settings.background_image_file, file, sizeof(m_settings.background_image_file));
  m_settings.clear_method = method;
  if (IsOn()) CreateBgClearImage();
}

char MWin::Tick2() {
  MWinEntryScope scope(this);
  PopupTick();
  if (ProcessQueueMessages()) return 1;
  if (!m_desktop) {
    DebugErrorAlt("char MWin::Tick()", "No desktop");
    return 0;
  }
  return m_desktop->Tick();
}

// Clears by the clear method; reports whether it began rendering and entered 2D mode.
char MWin::ClearScreen(char *began_rendering, char *entered_2d) {
  EngDevice *device = eng_main_device;
  switch (m_settings.clear_method) {
    case MWIN_CLEAR_BACKGROUND_TEXTURE: {
      *began_rendering = device->BeginRenderingIfNeeded();
      *entered_2d = device->PrepareFor2DWithOrientationIfNeeded(1);
      EngTexture *texture = m_settings.background_texture ? m_settings.background_texture : m_bg_clear_texture;
      if (texture) MWinDrawTexture(texture);
      return 1;
    }
    case MWIN_CLEAR_COLOUR_AND_DEPTH: device->ClearScreenAndDepthBuffers(); break;
    case MWIN_CLEAR_COLOUR: device->ClearScreenBuffer(); break;
    default: break;
  }
  *entered_2d = device->PrepareFor2DIfNeeded(1);
  *began_rendering = device->BeginRenderingIfNeeded();
  return 1;
}

void MWin::FinishRendering(char began_rendering, char entered_2d) {
  EngDevice *device = eng_main_device;
  if (began_rendering) device->EndRendering();
  if (entered_2d) device->RestoreAfter2D();
}

void MWin::RenderMain(char darken) {
  MWinEntryScope scope(this);
  if (!eng_main_device || !IsOn() || !m_render_enabled) return;
  if (!IS_DESKTOP && PopupRenderFullScreenTextEntryMobile(1)) return;
  if (!m_desktop) {
    DebugErrorAlt("void MWin::RenderMain()", "No desktop");
    return;
  }
  char began = 0, entered_2d = 0;
  ClearScreen(&began, &entered_2d);
  {
    MWinDrawingScope drawing(eng_main_device);
    m_desktop->RenderAllExceptPopupCollection(darken);
  }
  FinishRendering(began, entered_2d);
}

char MWin::RenderPopups(char darken_first) {
  MWinEntryScope scope(this);
  if (!eng_main_device || !IsOn() || !m_render_enabled || !GetPopupCollection()) return 0;
  if (!IS_DESKTOP && PopupRenderFullScreenTextEntryMobile(0)) return 1;
  if (!m_desktop) {
    DebugErrorAlt("char MWin::RenderPopups()", "No desktop");
    return 0;
  }
  EngDevice *device = eng_main_device;
  char entered_2d = device->PrepareFor2DIfNeeded(1);
  char began = device->BeginRenderingIfNeeded();
  {
    MWinDrawingScope drawing(device);
    if (darken_first) m_desktop->RenderDarkening();
    m_desktop->RenderPopupCollection();
  }
  FinishRendering(began, entered_2d);
  return 1;
}

void MWin::ButtonsChanged() {
  MWinEntryScope scope(this);
  if (!m_desktop) {
    DebugErrorAlt("void MWin::ButtonsChanged()", "No desktop");
    return;
  }
  if (!eng_main_window) return;
  UpdateLayoutSettings();
  int x = 0, y = 0;
  if (!IS_DESKTOP) {
    if (m_mouse_x < 0 || m_mouse_y < 0) return;
    // The stored position is in design units; the entry points take window pixels.
    float px = 0, py = 0;
    EngWindowDesignToPixel(m_mouse_x, m_mouse_y, &px, &py);
    x = int(px);
    y = int(py);
  } else {
    if (m_cursor_cb)
      m_cursor_cb(&x, &y, m_cursor_cb_a, m_cursor_cb_b);
    else
      eng_main_window->GetCursorPos(&x, &y);
    EngMainChangeMousePosRatioedForOrientation(float(x), float(y), &m_mouse_x, &m_mouse_y);
  }
  UpdateViewportMousePos();
  MoveMouse(x, y);
  m_desktop->ActivateCollectionUnderMouse();
  MoveMouse(x, y);
  if (!IS_DESKTOP) {
    MWinButton *active = nullptr;
    MWinWindow *window = m_desktop->GetActiveWindow();
    if (window)
      while ((active = window->GetActiveButton()) != nullptr) active->Deactivate();
  }
  RenderNeeded();
}

void MWin::RenderNeeded() {
  if (eng_main_program) eng_main_program->RenderNeeded();
}

void MWin::SetSoundPlayCallback(MWIN_SOUND_CB callback, void *user) {
  m_sound_cb = callback;
  m_sound_cb_user = user;
}

void MWin::PlaySound(_MWinSoundEvent event) {
  if (m_sound_cb) m_sound_cb(event, m_sound_cb_user);
}

void MWin::SetGetCursorPosCB(MWIN_CURSOR_CB callback, void *a, void *b) {
  m_cursor_cb = callback;
  m_cursor_cb_a = a;
  m_cursor_cb_b = b;
}

char MWinCloseProgramCB(char result, void *user) {
  (void)user;
  if (result == 0) EngMiscCloseProgram();
  return 1;
}

void MWin::NewLanguageSet() {
  MWinEntryScope scope(this);
  if (!m_desktop) return;
  for (MWinCollection *c = m_desktop->GetFirstCollection(); c; c = c->m_next)
    for (MWinWindow *w = c->GetFirstWindow(c->GetScreenLayout()); w; w = w->m_next) w->NewLanguageSet();
}

void MWin::WindowResized() { DebugErrorAlt(ENG_FUNC, "Do not call. Recreate screen or windows instead."); }
