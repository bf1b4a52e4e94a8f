#include "screens/layouts/SystemCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kText = {1, 1, 1, 0.7f};
constexpr _Vector2d kScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;
constexpr _MWinTextAlign kRight = MWIN_ALIGN_RIGHT;

const ScreenLayoutWidget kWidgets[] = {
    {"Bg", MWIN_BUTTON_PUSH, "Back1", "", "Main", kText, kScale, kCentre, ScreenPlaceholder().Label()},
    {"ModeText", MWIN_BUTTON_PUSH, kNone, "Card Alignment", "Main", kText, kScale, kRight,
     ScreenToken("Startup_DisplayMode").Label()},
    {"Mode", MWIN_BUTTON_CHOICE, kDefault, " ", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"Res", MWIN_BUTTON_LIST, kDefault, "Row 1", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"FreqText", MWIN_BUTTON_PUSH, kNone, "Frequency", "Main", kText, kScale, kRight,
     ScreenToken("Startup_Frequency").Label()},
    {"Freq", MWIN_BUTTON_LIST, kDefault, "Row 1", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"AaText", MWIN_BUTTON_PUSH, kNone, "Card Spacing", "Main", kText, kScale, kRight,
     ScreenToken("Startup_Antialiasing").Label()},
    {"Aa", MWIN_BUTTON_LIST, kDefault, "Row 1", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"AaInfo", MWIN_BUTTON_PUSH, kDefault, "?", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"Change", MWIN_BUTTON_PUSH, kDefault, "Change", "Main", kText, kScale, kCentre, ScreenToken("System_Change")},
};

#define AREA(x, y, w, h) {{x, y, w, h}, {x, y, w, h}, {x, y, w, h}, {x, y, w, h}, {x, y, w, h}}
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    AREA(145, 130, 350, 220),       AREA(150, 148, 135, 24),      AREA(290, 148, 198.57f, 24),
    AREA(290, 184.33f, 198.57f, 24), AREA(150, 220.67f, 135, 24),  AREA(290, 220.67f, 85.07f, 24),
    AREA(150, 257, 135, 24),         AREA(290, 257, 160, 24),      AREA(455, 257, 29.46f, 24),
    AREA(268.9f, 310.27f, 102.19f, 23.6f),
};
#undef AREA

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("MainWin", kScreenLayoutPlainWindow, kWidgets, kAreas),
};

const ScreenLayout kLayout = {"System", kWindows, 1, 1};

}  // namespace

using Self = SystemCollectionController;

SystemCollectionController::SystemCollectionController() { RemoveVars(); }

const ScreenLayout &Self::GetLayout() { return kLayout; }

std::array<MWinButton **, 10> Self::Widgets() {
  return {&mwinSystemMainWinBgButton,  &mwinSystemMainWinModeTextButton, &mwinSystemMainWinModeButton,
          &mwinSystemMainWinResButton, &mwinSystemMainWinFreqTextButton, &mwinSystemMainWinFreqButton,
          &mwinSystemMainWinAaTextButton, &mwinSystemMainWinAaButton,   &mwinSystemMainWinAaInfoButton,
          &mwinSystemMainWinChangeButton};
}

char Self::CreateCollection(MWin *mwin) {
  return ScreenLayoutBuildCollection(ENG_FUNC, mwin,
                                     [this](MWin *m, MWinDesktop *d) { return AddCollectionToDesktop(m, d); });
}

// Every device layout builds the desktop's window.
MWinCollection *Self::AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop) {
  return ScreenLayoutBuildCollectionOnDesktop(ENG_FUNC, kLayout, mwin, desktop, &mwinSystemCollection,
                                              [this](MWinCollection *c, _EngLayout) {
                                                AddMainWinWindowToCollectionNormal(c);
                                              });
}

MWinWindow *Self::AddMainWinWindowToCollectionNormal(MWinCollection *c) {
  return ScreenLayoutBuildWindow(ENG_FUNC, kLayout, 0, ENG_LAYOUT_DESKTOP, c, &mwinSystemMainWinWindow, this,
                                 [this](MWinWindow *w) { return AddMainWinWindowButtonsToWindowNormal(w); });
}

char Self::AddMainWinWindowButtonsToWindowNormal(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_DESKTOP, w, Widgets().data());
}

void Self::RemoveVars() {
  mwinSystemCollection = nullptr;
  mwinSystemMainWinWindow = nullptr;
  for (MWinButton **member : Widgets()) *member = nullptr;
}

void Self::SetScreensVar(MWinScreens *screens) { ScreenLayoutSetScreensVar(this, screens, 1); }
