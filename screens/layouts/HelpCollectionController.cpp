#include "screens/layouts/HelpCollectionController.h"

#include "Engine/EngTypes.h"
#include "Engine/MWin/MWinScriptButton.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kButtonText = {1, 1, 1, 0.7f};
constexpr _Vector2d kButtonScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

const ScreenLayoutWidget kWidgets[] = {
    {"Title", MWIN_BUTTON_PUSH, kNone, "", "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, kCentre, ScreenText()},
    {"Prev", MWIN_BUTTON_PUSH, kDefault, "Prev", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Next", MWIN_BUTTON_PUSH, kDefault, "Next", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Keys", MWIN_BUTTON_PUSH, kDefault, "Keys", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Back", MWIN_BUTTON_PUSH, kDefault, "Back", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    // The script text box; its pages come from HelpCC.
    {"Info", MWIN_BUTTON_DRAG, "Back2", "", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Title
    {{128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}},
    // Prev
    {{230, 420, 80, 30}, {10, 430, 130, 45}, {225, 420, 80, 50}, {230, 440, 80, 30}, {230, 440, 80, 35}},
    // Next
    {{330, 420, 80, 30}, {155, 430, 130, 45}, {330, 420, 80, 50}, {330, 440, 80, 30}, {330, 440, 80, 35}},
    // Keys
    {{10, 440, 80, 30}, {10, 430, 80, 45}, {10, 420, 80, 50}, {10, 440, 80, 30}, {10, 440, 80, 35}},
    // Back
    {{550, 440, 80, 30}, {500, 430, 130, 45}, {550, 420, 80, 50}, {550, 440, 80, 30}, {550, 440, 80, 35}},
    // Info
    {{85, 115, 470, 270}, {10, 5, 620, 420}, {0, 0, 640, 415}, {10, 100, 620, 330}, {25, 85, 590, 340}},
};

// Phones and tablets have no keys to list; phones give the title's room to the text.
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(1, 2),
     {"Title", MWIN_BUTTON_PUSH, kNone, "", "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, kCentre,
      ScreenText().Hidden()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"Keys", MWIN_BUTTON_PUSH, kDefault, "Keys", "Main", kButtonText, kButtonScale, kCentre, ScreenText().Hidden()}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("Help", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"Help", kWindows, 1, 1};

using Self = HelpCollectionController;
// The builders of a device layout.
MWinWindow *AddWindow(Self *self, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutCallBuilder(self, layout, c, &Self::AddHelpWindowToCollectionNormal,
                                 &Self::AddHelpWindowToCollectionIPhonePortrait,
                                 &Self::AddHelpWindowToCollectionIPhoneLandscape,
                                 &Self::AddHelpWindowToCollectionIPadPortrait,
                                 &Self::AddHelpWindowToCollectionIPadLandscape);
}
char AddButtons(Self *self, _EngLayout layout, MWinWindow *w) {
  return ScreenLayoutCallBuilder(self, layout, w, &Self::AddHelpWindowButtonsToWindowNormal,
                                 &Self::AddHelpWindowButtonsToWindowIPhonePortrait,
                                 &Self::AddHelpWindowButtonsToWindowIPhoneLandscape,
                                 &Self::AddHelpWindowButtonsToWindowIPadPortrait,
                                 &Self::AddHelpWindowButtonsToWindowIPadLandscape);
}

}  // namespace

HelpCollectionController::HelpCollectionController() { RemoveVars(); }

const ScreenLayout &HelpCollectionController::GetLayout() { return kLayout; }

std::array<MWinButton **, 6> HelpCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 6, "six members");
  return {&mwinHelpHelpTitleButton, &mwinHelpHelpPrevButton, &mwinHelpHelpNextButton,
          &mwinHelpHelpKeysButton,  &mwinHelpHelpBackButton, &mwinHelpHelpInfoButton};
}

MWinScriptButton *HelpCollectionController::GetInfoBox() {
  if (!mwinHelpHelpInfoButton || mwinHelpHelpInfoButton->GetType() != MWIN_BUTTON_DRAG) return nullptr;
  return static_cast<MWinScriptButton *>(mwinHelpHelpInfoButton);
}

char HelpCollectionController::CreateCollection(MWin *mwin) {
  return ScreenLayoutBuildCollection(ENG_FUNC, mwin,
                                     [this](MWin *m, MWinDesktop *d) { return AddCollectionToDesktop(m, d); });
}

MWinCollection *HelpCollectionController::AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop) {
  return ScreenLayoutBuildCollectionOnDesktop(ENG_FUNC, kLayout, mwin, desktop, &mwinHelpCollection,
                                              [this](MWinCollection *c, _EngLayout l) { AddWindow(this, l, c); });
}

MWinWindow *HelpCollectionController::AddHelpWindow(const char *signature, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutBuildWindow(signature, kLayout, 0, layout, c, &mwinHelpHelpWindow, this,
                                 [this, layout](MWinWindow *w) { return AddButtons(this, layout, w); });
}

MWinWindow *HelpCollectionController::AddHelpWindowToCollectionNormal(MWinCollection *c) {
  return AddHelpWindow(ENG_FUNC, ENG_LAYOUT_DESKTOP, c);
}
MWinWindow *HelpCollectionController::AddHelpWindowToCollectionIPhonePortrait(MWinCollection *c) {
  return AddHelpWindow(ENG_FUNC, ENG_LAYOUT_PHONE_PORTRAIT, c);
}
MWinWindow *HelpCollectionController::AddHelpWindowToCollectionIPhoneLandscape(MWinCollection *c) {
  return AddHelpWindow(ENG_FUNC, ENG_LAYOUT_PHONE_LANDSCAPE, c);
}
MWinWindow *HelpCollectionController::AddHelpWindowToCollectionIPadPortrait(MWinCollection *c) {
  return AddHelpWindow(ENG_FUNC, ENG_LAYOUT_TABLET_PORTRAIT, c);
}
MWinWindow *HelpCollectionController::AddHelpWindowToCollectionIPadLandscape(MWinCollection *c) {
  return AddHelpWindow(ENG_FUNC, ENG_LAYOUT_TABLET_LANDSCAPE, c);
}

char HelpCollectionController::AddHelpWindowButtonsToWindowNormal(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_DESKTOP, w, Widgets().data());
}
char HelpCollectionController::AddHelpWindowButtonsToWindowIPhonePortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_PHONE_PORTRAIT, w, Widgets().data());
}
char HelpCollectionController::AddHelpWindowButtonsToWindowIPhoneLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_PHONE_LANDSCAPE, w, Widgets().data());
}
char HelpCollectionController::AddHelpWindowButtonsToWindowIPadPortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_TABLET_PORTRAIT, w, Widgets().data());
}
char HelpCollectionController::AddHelpWindowButtonsToWindowIPadLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_TABLET_LANDSCAPE, w, Widgets().data());
}

void HelpCollectionController::RemoveVars() {
  mwinHelpCollection = nullptr;
  mwinHelpHelpWindow = nullptr;
  for (MWinButton **member : Widgets()) *member = nullptr;
}

void HelpCollectionController::SetScreensVar(MWinScreens *screens) { ScreenLayoutSetScreensVar(this, screens, 1); }
