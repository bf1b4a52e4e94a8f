#include "screens/layouts/KeyInputCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

MWinCollection *mwinKeyInputCollection = nullptr;

namespace {

constexpr _ColourRGBA kText = {1, 1, 1, 0.7f};
constexpr _Vector2d kScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

const ScreenLayoutWidget kWidgets[] = {
    {"Bg", MWIN_BUTTON_PUSH, "Back1", "", "Main", {1, 1, 1, 1}, {2.5f, 1.5f}, kCentre, ScreenText()},
    {"Title", MWIN_BUTTON_PUSH, "Back1", "Title", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"Message", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Optional Message", "Main", kText, kScale, kCentre,
     ScreenPlaceholder()},
    {"Text", MWIN_BUTTON_PUSH, "Back1", "Text", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"KeysBack", MWIN_BUTTON_PUSH, "Back1", "", "Main", kText, kScale, kCentre, ScreenText()},
    {"Done", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Done", "Main", kText, kScale, kCentre, ScreenText()},
    {"Shift", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Shift", "Main", kText, kScale, kCentre, ScreenText()},
    {"Del", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Delete", "Main", kText, kScale, kCentre, ScreenText()},
};

// Every layout keeps the phone-portrait rectangles: the keyboard fills the design space alike.
#define KEY_INPUT_AREA(x, y, w, h) {{x, y, w, h}, {x, y, w, h}, {x, y, w, h}, {x, y, w, h}, {x, y, w, h}}
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    KEY_INPUT_AREA(0, 0, 640, 480),    KEY_INPUT_AREA(40, 10, 560, 40),  KEY_INPUT_AREA(40, 50, 560, 40),
    KEY_INPUT_AREA(40, 90, 560, 40),   KEY_INPUT_AREA(40, 140, 560, 280), KEY_INPUT_AREA(220, 430, 200, 40),
    KEY_INPUT_AREA(50, 430, 100, 40),  KEY_INPUT_AREA(490, 430, 100, 40),
};
#undef KEY_INPUT_AREA

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("MainWin", kScreenLayoutPlainWindow, kWidgets, kAreas),
};

const ScreenLayout kLayout = {"KeyInput", kWindows, 1, 0};

using Self = KeyInputCollectionController;
// The builders of a device layout (no Normal: IPhonePortrait stands in).
MWinWindow *AddWindow(Self *self, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutCallBuilder(self, layout, c, &Self::AddMainWinWindowToCollectionIPhonePortrait,
                                 &Self::AddMainWinWindowToCollectionIPhonePortrait,
                                 &Self::AddMainWinWindowToCollectionIPhoneLandscape,
                                 &Self::AddMainWinWindowToCollectionIPadPortrait,
                                 &Self::AddMainWinWindowToCollectionIPadLandscape);
}
char AddButtons(Self *self, _EngLayout layout, MWinWindow *w) {
  return ScreenLayoutCallBuilder(self, layout, w, &Self::AddMainWinWindowButtonsToWindowIPhonePortrait,
                                 &Self::AddMainWinWindowButtonsToWindowIPhonePortrait,
                                 &Self::AddMainWinWindowButtonsToWindowIPhoneLandscape,
                                 &Self::AddMainWinWindowButtonsToWindowIPadPortrait,
                                 &Self::AddMainWinWindowButtonsToWindowIPadLandscape);
}

}  // namespace

KeyInputCollectionController::KeyInputCollectionController() { RemoveVars(); }

MWinKeyInputLayout *KeyInputCollectionController::New() { return new KeyInputCollectionController(); }

const ScreenLayout &KeyInputCollectionController::GetLayout() { return kLayout; }

std::array<MWinButton **, 8> KeyInputCollectionController::Widgets() {
  return {&mwinKeyInputMainWinBgButton,   &mwinKeyInputMainWinTitleButton,    &mwinKeyInputMainWinMessageButton,
          &mwinKeyInputMainWinTextButton, &mwinKeyInputMainWinKeysBackButton, &mwinKeyInputMainWinDoneButton,
          &mwinKeyInputMainWinShiftButton, &mwinKeyInputMainWinDelButton};
}

char KeyInputCollectionController::CreateCollection(MWin *mwin) {
  return ScreenLayoutBuildCollection(ENG_FUNC, mwin,
                                     [this](MWin *m, MWinDesktop *d) { return AddCollectionToDesktop(m, d); });
}

MWinCollection *KeyInputCollectionController::AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop) {
  return ScreenLayoutBuildCollectionOnDesktop(ENG_FUNC, kLayout, mwin, desktop, &mwinKeyInputCollection,
                                              [this](MWinCollection *c, _EngLayout l) { AddWindow(this, l, c); });
}

MWinWindow *KeyInputCollectionController::AddMainWinWindow(const char *signature, _EngLayout layout,
                                                           MWinCollection *c) {
  return ScreenLayoutBuildWindow(signature, kLayout, 0, layout, c, &mwinKeyInputMainWinWindow, this,
                                 [this, layout](MWinWindow *w) { return AddButtons(this, layout, w); });
}

MWinWindow *KeyInputCollectionController::AddMainWinWindowToCollectionIPhonePortrait(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_PHONE_PORTRAIT, c);
}
MWinWindow *KeyInputCollectionController::AddMainWinWindowToCollectionIPhoneLandscape(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_PHONE_LANDSCAPE, c);
}
MWinWindow *KeyInputCollectionController::AddMainWinWindowToCollectionIPadPortrait(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_TABLET_PORTRAIT, c);
}
MWinWindow *KeyInputCollectionController::AddMainWinWindowToCollectionIPadLandscape(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_TABLET_LANDSCAPE, c);
}

char KeyInputCollectionController::AddMainWinWindowButtonsToWindowIPhonePortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_PHONE_PORTRAIT, w, Widgets().data());
}
char KeyInputCollectionController::AddMainWinWindowButtonsToWindowIPhoneLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_PHONE_LANDSCAPE, w, Widgets().data());
}
char KeyInputCollectionController::AddMainWinWindowButtonsToWindowIPadPortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_TABLET_PORTRAIT, w, Widgets().data());
}
char KeyInputCollectionController::AddMainWinWindowButtonsToWindowIPadLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_TABLET_LANDSCAPE, w, Widgets().data());
}

void KeyInputCollectionController::RemoveVars() {
  mwinKeyInputCollection = nullptr;
  mwinKeyInputMainWinWindow = nullptr;
  for (MWinButton **member : Widgets()) *member = nullptr;
}

void KeyInputCollectionController::SetScreensVar(MWinScreens *screens) {
  ScreenLayoutSetScreensVar(this, screens, 0);
}
