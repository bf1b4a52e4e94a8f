// SWin's platform steps over the engine's native dialogs (GTK).
#include "Engine/MWin/SWin.h"

#include "Engine/MAC/EngGui_MAC.h"

namespace {

EngGuiWindowRef W(void *window) { return static_cast<EngGuiWindowRef>(window); }
EngGuiControlRef C(void *control) { return static_cast<EngGuiControlRef>(control); }

EngInt32 Handler(EngGuiWindowRef, const _EngGuiEvent *event, void *user) {
  auto *swin = static_cast<SWin *>(user);
  if (!swin) return -1;
  if (event->event_class == ENG_GUI_CLASS_COMMAND) return SWin::MacEventsHandler(nullptr, event->command, swin);
  if (event->event_class == ENG_GUI_CLASS_WINDOW && event->kind == ENG_GUI_KIND_WINDOW_CLOSE) {
    swin->OnCloseBox();
    return 0;
  }
  if (event->event_class == ENG_GUI_CLASS_KEYBOARD) {
    swin->OnKeyDown(char(event->key), (event->modifiers & ENG_GUI_MODIFIER_CONTROL) ? 1 : 0);
    return 0;
  }
  return ENG_GUI_NOT_HANDLED;
}

_EngGuiControlKind Kind(_SWinButtonType kind) {
  switch (kind) {
    case SWIN_STATIC_TEXT: return ENG_GUI_STATIC_TEXT;
    case SWIN_PUSH_BUTTON: return ENG_GUI_PUSH_BUTTON;
    case SWIN_EDIT_TEXT: return ENG_GUI_EDIT_TEXT;
    case SWIN_PICTURE: return ENG_GUI_PICTURE;
    default: return ENG_GUI_POPUP;
  }
}

class NativePlatform : public SWinPlatform {
 public:
  char CreateWindow(SWin *owner, int x, int y, int width, int height, void **window) override {
    EngGuiWindowRef made = nullptr;
    if (!EngGuiCreateWindow_MAC(x, y, width, height, Handler, owner, &made)) return 0;
    *window = made;
    return 1;
  }
  void DestroyWindow(void *window) override {
    EngGuiWindowRef w = W(window);
    EngGuiHandlerRef h = w;
    EngGuiDestroyDialog_MAC(&h, &w);
  }
  void SetTitle(void *window, const char *title) override { EngGuiSetWindowTitle_MAC(W(window), title); }
  void ShowWindow(void *window) override { EngGuiShowWindow_MAC(W(window)); }
  void SetDefaultButton(void *window, void *control) override { EngGuiSetDefaultButton_MAC(W(window), C(control)); }
  void *CreateControl(void *window, _SWinButtonType kind, int x, int y, int width, int height) override {
    return EngGuiCreateControl_MAC(W(window), Kind(kind), x, y, width, height);
  }
  void SetCommandID(void *control, EngUInt32 command) override { EngGuiSetControlCommandID_MAC(C(control), command); }
  void SetText(void *control, _SWinButtonType kind, const char *text) override {
    if (kind == SWIN_PUSH_BUTTON)
      EngGuiSetBevelButtonTextString_MAC(C(control), text);
    else if (kind == SWIN_EDIT_TEXT)
      EngGuiSetEditableTextString_MAC(C(control), text);
    else
      EngGuiSetStaticTextString_MAC(C(control), text);
  }
  int GetText(void *control, char *buffer, int size) override {
    return EngGuiGetStaticTextString_MAC(C(control), buffer, size);
  }
  int SetAlignment(void *control, _SWinTextAlign align) override {
    return EngGuiSetTextAlignment_MAC(C(control), int(align)) ? 0 : -50;
  }
  void Enable(void *control, char on) override { EngGuiEnableControl_MAC(C(control), on); }
  void Show(void *control, char on) override { EngGuiShowControl_MAC(C(control), on); }
  void Place(void *control, int x, int y, int width, int height) override {
    EngGuiSizeControl_MAC(C(control), width, height);
    EngGuiMoveControl_MAC(C(control), x, y);
  }
  char HasMenu(void *control) override {
    EngGuiMenuRef menu = nullptr;
    return EngGuiGetPopupButtonMenuRef_MAC(C(control), &menu) == 0;
  }
  void ResetMenu(void *control) override { EngGuiResetMenu_MAC(C(control)); }
  void AddMenuItem(void *control, const char *text) override { EngGuiAddStringToMenu_MAC(C(control), text); }
  void SelectMenuItem(void *control, int selection) override {
    EngGuiSetPopupControlCurrentSelection_MAC(C(control), selection);
  }
  int GetMenuSelection(void *control) override { return EngGuiGetPopupControlCurrentSelection_MAC(C(control)); }
  void SyncMenu(void *control) override { EngGuiSyncPopupButtonToMenu_MAC(C(control)); }
  char SetPicture(void *control, const char *file) override {
    return EngGuiSetHiViewControlsPicture_MAC(C(control), file, nullptr);
  }
  void RunLoop(void *window) override { EngGuiRunWindowLoop_MAC(W(window)); }
  void QuitLoop(void *window) override { EngGuiQuitDialogLoop_MAC(W(window)); }
  char ProcessOneEvent(void *window) override { return EngGuiProcessOneEvent_MAC(W(window)); }
};

}  // namespace

SWinPlatform *SWinNativePlatform() {
  static NativePlatform platform;
  return &platform;
}
