#include "screens/layouts/LogCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kButtonText = {1, 1, 1, 0.7f};
constexpr _Vector2d kButtonScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

const ScreenLayoutWidget kWidgets[] = {
    {"CopySel", MWIN_BUTTON_PUSH, kDefault, "Copy selected line(s)", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Logs_CopySel")},
    {"Log", MWIN_BUTTON_PANEL, kDefault, " ", "Main", kButtonText, {0.9f, 0.95f}, MWIN_ALIGN_LEFT,
     ScreenPlaceholder()},
    {"CopyAll", MWIN_BUTTON_PUSH, kDefault, "Copy all lines", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Logs_CopyAll")},
    {"Help", MWIN_BUTTON_PUSH, kDefault, "?", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()},
    {"Clear", MWIN_BUTTON_PUSH, kDefault, "Clear", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Logs_Clear")},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // CopySel
    {{20, 405, 140, 35}, {5, 380, 245, 45}, {15, 370, 195, 45}, {10, 415, 220, 25}, {15, 400, 190, 35}},
    // Log
    {{10, 5, 620, 390}, {10, 5, 620, 365}, {10, 5, 620, 355}, {10, 5, 620, 400}, {10, 5, 620, 390}},
    // CopyAll
    {{175, 405, 100, 35}, {260, 380, 160, 45}, {220, 370, 160, 45}, {240, 415, 165, 25}, {220, 400, 135, 35}},
    // Help
    {{290, 405, 30, 35}, {430, 380, 75, 45}, {390, 370, 55, 45}, {415, 415, 45, 25}, {370, 400, 45, 35}},
    // Clear
    {{570, 405, 50, 35}, {520, 380, 115, 45}, {520, 370, 105, 45}, {520, 415, 110, 25}, {540, 400, 85, 35}},
};
static_assert(sizeof(kAreas) / sizeof(kAreas[0]) == sizeof(kWidgets) / sizeof(kWidgets[0]), "one area row a widget");

// Phones and tablets carry their own texts and no tokens.
constexpr EngUInt8 kPhones = ScreenLayouts(1, 2);
constexpr EngUInt8 kTablets = ScreenLayouts(3, 4);
const ScreenLayoutVariant kVariants[] = {
    {kPhones,
     {"CopySel", MWIN_BUTTON_PUSH, kDefault, "Copy Selected", "Main", kButtonText, kButtonScale, kCentre,
      ScreenPlaceholder()}},
    {kPhones,
     {"CopyAll", MWIN_BUTTON_PUSH, kDefault, "Copy All", "Main", kButtonText, kButtonScale, kCentre,
      ScreenPlaceholder()}},
    {kTablets,
     {"CopySel", MWIN_BUTTON_PUSH, kDefault, "Copy Selected Lines", "Main", kButtonText, kButtonScale, kCentre,
      ScreenPlaceholder()}},
    {kTablets,
     {"CopyAll", MWIN_BUTTON_PUSH, kDefault, "Copy All Lines", "Main", kButtonText, kButtonScale, kCentre,
      ScreenPlaceholder()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"Clear", MWIN_BUTTON_PUSH, kDefault, "Clear", "Main", kButtonText, kButtonScale, kCentre,
      ScreenPlaceholder()}},
};

// Type 0, fixed, a Back (hide) button, no extra button, a title bar; no background.
constexpr ScreenLayoutWindowRecord kRecord = {0,      0,        1,  0,  1,  "Log Entries", kDefault, kNone,
                                              "Main", "Back",   kDefault, "", "", "Logs_Title",
                                              "Common_ButtonGoBack", ""};
constexpr ScreenLayoutWindowRecord kDeviceRecord = {0,      0,      1,        0,  1,  "Log Entries", kDefault, kNone,
                                                    "Main", "Back", kDefault, "", "", "",          "",       ""};

constexpr _Dimension kWindowAreas[ENG_NUM_LAYOUTS] = {
    {0, 30, 640, 450}, {0, 50, 640, 430}, {0, 55, 640, 425}, {0, 35, 640, 450}, {0, 40, 640, 445}};
constexpr int kNumWidgets = int(sizeof(kWidgets) / sizeof(kWidgets[0]));
constexpr int kNumVariants = int(sizeof(kVariants) / sizeof(kVariants[0]));

const ScreenLayoutWindow kWindows[] = {
    {"MainWin",
     kRecord,
     {kWindowAreas[0], kWindowAreas[1], kWindowAreas[2], kWindowAreas[3], kWindowAreas[4]},
     {1, 1, 1, 0.7f},
     {1, 1.1f},
     kCentre,
     kWidgets,
     kNumWidgets,
     kAreas,
     kVariants,
     kNumVariants},
};
const ScreenLayoutWindow kDeviceWindows[] = {
    {"MainWin",
     kDeviceRecord,
     {kWindowAreas[0], kWindowAreas[1], kWindowAreas[2], kWindowAreas[3], kWindowAreas[4]},
     {1, 1, 1, 0.7f},
     {1, 1.1f},
     kCentre,
     kWidgets,
     kNumWidgets,
     kAreas,
     kVariants,
     kNumVariants},
};

const ScreenLayout kLayout = {"Log", kWindows, 1, 1};
const ScreenLayout kDeviceLayout = {"Log", kDeviceWindows, 1, 1};

const ScreenLayout &LayoutFor(_EngLayout device) { return device == ENG_LAYOUT_DESKTOP ? kLayout : kDeviceLayout; }

using Self = LogCollectionController;
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

LogCollectionController::LogCollectionController() { RemoveVars(); }

const ScreenLayout &LogCollectionController::GetLayout() { return kLayout; }
const ScreenLayout &LogCollectionController::GetDeviceLayout() { return kDeviceLayout; }

std::array<MWinButton **, 5> LogCollectionController::Widgets() {
  static_assert(kNumWidgets == 5, "five members");
  return {&mwinLogMainWinCopySelButton, &mwinLogMainWinLogButton, &mwinLogMainWinCopyAllButton,
          &mwinLogMainWinHelpButton, &mwinLogMainWinClearButton};
}

char LogCollectionController::CreateCollection(MWin *mwin) {
  return ScreenLayoutBuildCollection(ENG_FUNC, mwin,
                                     [this](MWin *m, MWinDesktop *d) { return AddCollectionToDesktop(m, d); });
}

MWinCollection *LogCollectionController::AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop) {
  return ScreenLayoutBuildCollectionOnDesktop(ENG_FUNC, kLayout, mwin, desktop, &mwinLogCollection,
                                              [this](MWinCollection *c, _EngLayout l) { AddWindow(this, l, c); });
}

MWinWindow *LogCollectionController::AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutBuildWindow(signature, LayoutFor(layout), 0, layout, c, &mwinLogMainWinWindow, this,
                                 [this, layout](MWinWindow *w) { return AddButtons(this, layout, w); });
}

MWinWindow *LogCollectionController::AddMainWinWindowToCollectionNormal(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_DESKTOP, c);
}
MWinWindow *LogCollectionController::AddMainWinWindowToCollectionIPhonePortrait(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_PHONE_PORTRAIT, c);
}
MWinWindow *LogCollectionController::AddMainWinWindowToCollectionIPhoneLandscape(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_PHONE_LANDSCAPE, c);
}
MWinWindow *LogCollectionController::AddMainWinWindowToCollectionIPadPortrait(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_TABLET_PORTRAIT, c);
}
MWinWindow *LogCollectionController::AddMainWinWindowToCollectionIPadLandscape(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_TABLET_LANDSCAPE, c);
}

char LogCollectionController::AddMainWinWindowButtonsToWindowNormal(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_DESKTOP, w, Widgets().data());
}
char LogCollectionController::AddMainWinWindowButtonsToWindowIPhonePortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kDeviceLayout, 0, ENG_LAYOUT_PHONE_PORTRAIT, w, Widgets().data());
}
char LogCollectionController::AddMainWinWindowButtonsToWindowIPhoneLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kDeviceLayout, 0, ENG_LAYOUT_PHONE_LANDSCAPE, w, Widgets().data());
}
char LogCollectionController::AddMainWinWindowButtonsToWindowIPadPortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kDeviceLayout, 0, ENG_LAYOUT_TABLET_PORTRAIT, w, Widgets().data());
}
char LogCollectionController::AddMainWinWindowButtonsToWindowIPadLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kDeviceLayout, 0, ENG_LAYOUT_TABLET_LANDSCAPE, w, Widgets().data());
}

void LogCollectionController::RemoveVars() {
  mwinLogCollection = nullptr;
  mwinLogMainWinWindow = nullptr;
  for (MWinButton **member : Widgets()) *member = nullptr;
}

void LogCollectionController::SetScreensVar(MWinScreens *screens) { ScreenLayoutSetScreensVar(this, screens, 1); }
