#include "screens/layouts/UserLoadCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kButtonText = {1, 1, 1, 0.7f};
constexpr _Vector2d kButtonScale = {1, 1.1f};
constexpr _Vector2d kSmallScale = {0.9f, 0.95f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

const ScreenLayoutWidget kWidgets[] = {
    {"Panel", MWIN_BUTTON_PANEL, kDefault, "", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()},
    {"Load", MWIN_BUTTON_PUSH, kDefault, "Load User", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("UserLoad_Load")},
    {"Back", MWIN_BUTTON_PUSH, kDefault, "Back", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Common_ButtonGoBack")},
    {"SolTextPic", MWIN_BUTTON_PUSH, kNone, "", "Main", kButtonText, kButtonScale, kCentre,
     ScreenPlaceholder().Label()},
    {"LoadProgress", MWIN_BUTTON_PUSH, "Back1", "Loading: 0%", "Main", kButtonText, kButtonScale, kCentre,
     ScreenPlaceholder().Label()},
    {"Settings", MWIN_BUTTON_PUSH, kDefault, "Settings", "Main", kButtonText, kSmallScale, kCentre,
     ScreenPlaceholder()},
    {"Delete", MWIN_BUTTON_PUSH, kDefault, "Delete User", "Main", kButtonText, kSmallScale, kCentre,
     ScreenToken("UserLoad_Delete")},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Panel
    {{200, 145, 240, 230}, {20, 100, 600, 280}, {150, 100, 340, 300}, {120, 105, 400, 280}, {180, 105, 280, 300}},
    // Load
    {{455, 145, 100, 35}, {20, 390, 290, 40}, {505, 100, 120, 45}, {120, 395, 190, 40}, {475, 105, 150, 40}},
    // Back
    {{535, 430, 90, 35}, {330, 435, 290, 40}, {505, 420, 120, 45}, {470, 430, 150, 40}, {475, 425, 150, 40}},
    // SolTextPic
    {{170, 10, 300, 90}, {170, 10, 300, 90}, {170, 10, 300, 90}, {170, 10, 300, 90}, {170, 10, 300, 90}},
    // LoadProgress
    {{200, 430, 240, 35}, {20, 435, 290, 40}, {150, 420, 340, 45}, {120, 440, 340, 30}, {180, 425, 280, 40}},
    // Settings
    {{30, 340, 100, 35}, {20, 435, 100, 40}, {15, 370, 120, 45}, {20, 430, 120, 40}, {15, 380, 150, 40}},
    // Delete
    {{100, 145, 85, 30}, {330, 390, 290, 40}, {15, 100, 120, 45}, {330, 395, 190, 40}, {15, 105, 150, 40}},
};

// Phones and tablets carry no language tokens, read "Delete" and have a black title text.
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(1, 2, 3, 4),
     {"Load", MWIN_BUTTON_PUSH, kDefault, "Load User", "Main", kButtonText, kButtonScale, kCentre,
      ScreenPlaceholder()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"Back", MWIN_BUTTON_PUSH, kDefault, "Back", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()}},
    {ScreenLayouts(1, 2),
     {"SolTextPic",
      MWIN_BUTTON_PUSH,
      kNone,
      "",
      "Main",
      {0, 0, 0, 0.7f},
      kButtonScale,
      kCentre,
      ScreenPlaceholder().Label()}},
    {ScreenLayouts(3, 4),
     {"SolTextPic",
      MWIN_BUTTON_PUSH,
      kNone,
      "",
      "Main",
      {0, 0, 0, 0.8f},
      kButtonScale,
      kCentre,
      ScreenPlaceholder().Label()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"Delete", MWIN_BUTTON_PUSH, kDefault, "Delete", "Main", kButtonText, kSmallScale, kCentre, ScreenPlaceholder()}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("MainWin", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"UserLoad", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 7> UserLoadCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 7, "one member a widget");
  return {&mwinUserLoadMainWinPanelButton, &mwinUserLoadMainWinLoadButton, &mwinUserLoadMainWinBackButton, &mwinUserLoadMainWinSolTextPicButton, &mwinUserLoadMainWinLoadProgressButton, &mwinUserLoadMainWinSettingsButton, &mwinUserLoadMainWinDeleteButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(UserLoadCollectionController, MainWin, kLayout, mwinUserLoadCollection,
                                    mwinUserLoadMainWinWindow)
