#include "screens/layouts/DebugCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";

const ScreenLayoutWidget kWidgets[] = {
    {"StartupAction", MWIN_BUTTON_LIST, kDefault, "Row 1", "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT,
     ScreenPlaceholder().Colour(1, 1, 1, 0.8f)},
};

const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    {{10, 10, 300, 20}, {10, 10, 480, 36}, {10, 10, 380, 36}, {10, 10, 400, 30}, {10, 10, 300, 30}},
};

// Phones and tablets: a larger text and no colour of their own.
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(1, 3, 4),
     {"StartupAction", MWIN_BUTTON_LIST, kDefault, "Row 1", "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_LEFT,
      ScreenPlaceholder()}},
    {ScreenLayouts(2),
     {"StartupAction", MWIN_BUTTON_LIST, kDefault, "Row 1", "Main", {1, 1, 1, 0.7f}, {0.75f, 0.9f},
      MWIN_ALIGN_LEFT, ScreenPlaceholder()}},
};

// Type 0, fixed, a Back (hide) button, no extra button, a title bar.
constexpr ScreenLayoutWindowRecord kRecord = {0, 0, 1, 0, 1, "Debug Settings", kDefault, kDefault, "Main", "Back",
                                              kDefault, "", "", "Debug_Title", "Debug_Back", ""};

const ScreenLayoutWindow kWindows[] = {
    {"MainWin",
     kRecord,
     {{160, 100, 320, 280}, {70, 60, 500, 360}, {120, 30, 400, 420}, {110, 90, 420, 300}, {160, 100, 320, 280}},
     {1, 1, 1, 0.7f},
     {1, 1.1f},
     MWIN_ALIGN_CENTRE,
     kWidgets,
     1,
     kAreas,
     kVariants,
     int(sizeof(kVariants) / sizeof(kVariants[0]))},
};

const ScreenLayout kLayout = {"Debug", kWindows, 1, 1};

using Self = DebugCollectionController;
// The builders of a device layout.
MWinWindow *AddWindow(Self *self, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutCallBuilder(self, layout, c, &Self::AddMainWinWindowToCollectionNormal,
                                 &Self::AddMainWinWindowToCollectionIPhonePortrait,
                                 &Self::AddMainWinWindowToCollectionIPhoneLandscape,
                                 &Self::AddMainWinWindowToCollectionIPadPortrait,
                                 &Self::AddMainWinWindowToCollectionIPadLandscape);
}
char AddButtons(Self *self, _EngLayout layout, MWinWindow *w) {
  return ScreenLayoutCallBuilder(self, layout, w, &Self::AddMainWinWindowButtonsToWindowNormal,
                                 &Self::AddMainWinWindowButtonsToWindowIPhonePortrait,
                                 &Self::AddMainWinWindowButtonsToWindowIPhoneLandscape,
                                 &Self::AddMainWinWindowButtonsToWindowIPadPortrait,
                                 &Self::AddMainWinWindowButtonsToWindowIPadLandscape);
}

}  // namespace

DebugCollectionController::DebugCollectionController() { RemoveVars(); }

const ScreenLayout &DebugCollectionController::GetLayout() { return kLayout; }

std::array<MWinButton **, 1> DebugCollectionController::Widgets() { return {&mwinDebugMainWinStartupActionButton}; }

char DebugCollectionController::CreateCollection(MWin *mwin) {
  return ScreenLayoutBuildCollection(ENG_FUNC, mwin,
                                     [this](MWin *m, MWinDesktop *d) { return AddCollectionToDesktop(m, d); });
}

MWinCollection *DebugCollectionController::AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop) {
  return ScreenLayoutBuildCollectionOnDesktop(ENG_FUNC, kLayout, mwin, desktop, &mwinDebugCollection,
                                              [this](MWinCollection *c, _EngLayout l) { AddWindow(this, l, c); });
}

MWinWindow *DebugCollectionController::AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutBuildWindow(signature, kLayout, 0, layout, c, &mwinDebugMainWinWindow, this,
                                 [this, layout](MWinWindow *w) { return AddButtons(this, layout, w); });
}

MWinWindow *DebugCollectionController::AddMainWinWindowToCollectionNormal(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_DESKTOP, c);
}
MWinWindow *DebugCollectionController::AddMainWinWindowToCollectionIPhonePortrait(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_PHONE_PORTRAIT, c);
}
MWinWindow *DebugCollectionController::AddMainWinWindowToCollectionIPhoneLandscape(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_PHONE_LANDSCAPE, c);
}
MWinWindow *DebugCollectionController::AddMainWinWindowToCollectionIPadPortrait(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_TABLET_PORTRAIT, c);
}
MWinWindow *DebugCollectionController::AddMainWinWindowToCollectionIPadLandscape(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_TABLET_LANDSCAPE, c);
}

char DebugCollectionController::AddMainWinWindowButtonsToWindowNormal(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_DESKTOP, w, Widgets().data());
}
char DebugCollectionController::AddMainWinWindowButtonsToWindowIPhonePortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_PHONE_PORTRAIT, w, Widgets().data());
}
char DebugCollectionController::AddMainWinWindowButtonsToWindowIPhoneLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_PHONE_LANDSCAPE, w, Widgets().data());
}
char DebugCollectionController::AddMainWinWindowButtonsToWindowIPadPortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_TABLET_PORTRAIT, w, Widgets().data());
}
char DebugCollectionController::AddMainWinWindowButtonsToWindowIPadLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_TABLET_LANDSCAPE, w, Widgets().data());
}

void DebugCollectionController::RemoveVars() {
  mwinDebugCollection = nullptr;
  mwinDebugMainWinWindow = nullptr;
  for (MWinButton **member : Widgets()) *member = nullptr;
}

void DebugCollectionController::SetScreensVar(MWinScreens *screens) { ScreenLayoutSetScreensVar(this, screens, 1); }
