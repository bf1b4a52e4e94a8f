#include "screens/layouts/UsersCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kButtonText = {1, 1, 1, 0.7f};
constexpr _Vector2d kButtonScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

const ScreenLayoutWidget kWidgets[] = {
    {"Continue", MWIN_BUTTON_PUSH, kDefault, "Continue", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Common_ButtonContinue")},
    {"New", MWIN_BUTTON_PUSH, kDefault, "Setup Player", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Users_New")},
    {"Manage", MWIN_BUTTON_PUSH, kDefault, "Load Player", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Users_Load")},
    {"Device", MWIN_BUTTON_PUSH, kDefault, "Device", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Users_Device").Hidden()},
    {"Exit", MWIN_BUTTON_PUSH, kDefault, "Exit Game", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Users_Exit")},
    {"TitlePic", MWIN_BUTTON_STATIC, kNone, "", "Main", {0, 0, 0, 0.7f}, {0.7f, 1}, kCentre, ScreenPlaceholder()},
    {"LoadProgress", MWIN_BUTTON_PUSH, "Back3", "Loading: 0%", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Common_Loading").Label()},
    {"AlwaysLoad",
     MWIN_BUTTON_CHECKBOX,
     kNone,
     "Always Load This Player:",
     "Main",
     kButtonText,
     {0.9f, 0.95f},
     kCentre,
     ScreenToken("Users_AlwaysLoad").Colour(1, 1, 1, 0.354f)},
    {"LangFlag", MWIN_BUTTON_PUSH, "Main", "", "Main", kButtonText, kButtonScale, MWIN_ALIGN_RIGHT,
     ScreenPlaceholder()},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Continue
    {{215, 430, 210, 35}, {170, 400, 300, 50}, {215, 420, 210, 45}, {190, 410, 260, 45}, {215, 425, 210, 40}},
    // New
    {{15, 430, 120, 35}, {20, 330, 280, 50}, {15, 420, 150, 45}, {20, 410, 150, 45}, {15, 425, 150, 40}},
    // Manage
    {{15, 385, 120, 35}, {340, 330, 280, 50}, {15, 370, 150, 45}, {20, 360, 150, 45}, {15, 380, 150, 40}},
    // Device
    {{505, 385, 120, 35}, {340, 270, 280, 50}, {475, 370, 150, 45}, {470, 360, 150, 45}, {475, 380, 150, 40}},
    // Exit
    {{505, 430, 120, 35}, {340, 400, 280, 50}, {475, 420, 150, 45}, {470, 410, 150, 45}, {475, 425, 150, 40}},
    // TitlePic
    {{170, 10, 300, 90}, {170, 10, 300, 90}, {170, 10, 300, 90}, {170, 10, 300, 90}, {170, 10, 300, 90}},
    // LoadProgress
    {{375, 445, 75, 30}, {375, 445, 75, 30}, {375, 445, 75, 30}, {375, 445, 75, 30}, {375, 445, 75, 30}},
    // AlwaysLoad
    {{215, 410, 210, 15}, {170, 375, 300, 20}, {215, 400, 210, 18}, {190, 390, 260, 18}, {215, 405, 210, 16}},
    // LangFlag
    {{595, 5, 40, 35}, {595, 5, 40, 35}, {595, 5, 40, 35}, {595, 5, 40, 35}, {595, 5, 40, 35}},
};

// Phones and tablets have no Exit; phones no token on New, tablets none on Exit; phones draw the
// loading bar on the plain back.
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(1, 2),
     {"New", MWIN_BUTTON_PUSH, kDefault, "Setup Player", "Main", kButtonText, kButtonScale, kCentre,
      ScreenPlaceholder()}},
    {ScreenLayouts(1, 2),
     {"Exit", MWIN_BUTTON_PUSH, kDefault, "Exit Game", "Main", kButtonText, kButtonScale, kCentre,
      ScreenToken("Users_Exit").Hidden()}},
    {ScreenLayouts(3, 4),
     {"Exit", MWIN_BUTTON_PUSH, kDefault, "Exit Game", "Main", kButtonText, kButtonScale, kCentre,
      ScreenPlaceholder().Hidden()}},
    {ScreenLayouts(1, 2),
     {"LoadProgress", MWIN_BUTTON_PUSH, "Back1", "Loading: 0%", "Main", kButtonText, kButtonScale, kCentre,
      ScreenToken("Common_Loading").Label()}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("MainWin", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"Users", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 9> UsersCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 9, "one member a widget");
  return {&mwinUsersMainWinContinueButton, &mwinUsersMainWinNewButton, &mwinUsersMainWinManageButton, &mwinUsersMainWinDeviceButton, &mwinUsersMainWinExitButton, &mwinUsersMainWinTitlePicButton, &mwinUsersMainWinLoadProgressButton, &mwinUsersMainWinAlwaysLoadButton, &mwinUsersMainWinLangFlagButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(UsersCollectionController, MainWin, kLayout, mwinUsersCollection,
                                    mwinUsersMainWinWindow)
