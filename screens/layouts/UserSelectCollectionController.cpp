#include "screens/layouts/UserSelectCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kButtonText = {1, 1, 1, 0.7f};
constexpr _Vector2d kButtonScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;
constexpr _ColourRGBA kSelectText = {1, 1, 1, 0.75f};
constexpr _Vector2d kSelectScale = {1.3f, 1.42f};

// The desktop makes no "AlwaysLoad" and no "Device", phones and tablets no "Exit".
const ScreenLayoutWidget kWidgets[] = {
    {"New", MWIN_BUTTON_PUSH, kDefault, "Setup Player", "Main", kButtonText, kButtonScale, kCentre,
     ScreenPlaceholder()},
    {"TitlePic", MWIN_BUTTON_STATIC, kNone, "", "Main", {0, 0, 0, 0.8f}, {1, 1.3f}, kCentre, ScreenPlaceholder()},
    {"SelText", MWIN_BUTTON_PUSH, kNone, "Select Player", "Main", kButtonText, kButtonScale, kCentre,
     ScreenPlaceholder().Label()},
    {"Panel", MWIN_BUTTON_PANEL, kDefault, "", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()},
    {"Delete", MWIN_BUTTON_PUSH, kDefault, "Delete Player", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("UserLoad_Delete")},
    {"Exit", MWIN_BUTTON_PUSH, kDefault, "Exit", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()},
    {"AlwaysLoad", MWIN_BUTTON_INVALID, kDefault, "", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()},
    {"Device", MWIN_BUTTON_INVALID, kDefault, "", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()},
    {"LangFlag", MWIN_BUTTON_PUSH, "Main", "", "Main", kButtonText, kButtonScale, MWIN_ALIGN_RIGHT,
     ScreenPlaceholder()},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // New
    {{489.34f, 324.74f, 140.66f, 45.54f}, {340, 400, 280, 50}, {480, 300, 145, 45}, {350, 390, 270, 45},
     {470, 320, 155, 45}},
    // TitlePic
    {{120, 5, 400, 90}, {120, 5, 400, 90}, {120, 5, 400, 90}, {120, 5, 400, 90}, {120, 5, 400, 90}},
    // SelText
    {{10.29f, 302.06f, 139.25f, 18.08f}, {20, 95, 600, 30}, {15, 90, 450, 25}, {20, 95, 600, 25}, {15, 95, 440, 25}},
    // Panel
    {{10.29f, 324.74f, 139.25f, 139.47f}, {20, 130, 600, 260}, {15, 120, 450, 345}, {20, 125, 600, 255},
     {15, 125, 440, 340}},
    // Delete
    {{489.34f, 375.04f, 140.66f, 25.48f}, {20, 400, 280, 50}, {480, 355, 145, 40}, {20, 390, 270, 45},
     {470, 375, 155, 40}},
    // Exit
    {{489.34f, 438.73f, 140.66f, 25.48f}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    // AlwaysLoad
    {{0, 0, 0, 0}, {20, 455, 600, 20}, {480, 120, 145, 40}, {20, 445, 600, 25}, {470, 125, 155, 40}},
    // Device
    {{0, 0, 0, 0}, {430, 5, 100, 35}, {480, 420, 145, 40}, {470, 445, 150, 30}, {470, 425, 155, 40}},
    // LangFlag
    {{590, 5, 45, 35}, {590, 5, 45, 35}, {590, 5, 45, 35}, {590, 5, 45, 35}, {590, 5, 45, 35}},
};

const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(1, 2, 3, 4),
     {"SelText", MWIN_BUTTON_PUSH, kNone, "Select Player", "Main", kSelectText, kSelectScale, kCentre,
      ScreenPlaceholder().Label()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"Delete", MWIN_BUTTON_PUSH, kDefault, "Delete", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"Exit", MWIN_BUTTON_INVALID, kDefault, "", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"AlwaysLoad", MWIN_BUTTON_CHECKBOX, kDefault, "Always load this player:", "Main", kButtonText, kButtonScale,
      kCentre, ScreenPlaceholder()}},
    {ScreenLayouts(1, 2, 4),
     {"Device", MWIN_BUTTON_PUSH, kDefault, "Device", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()}},
    {ScreenLayouts(3),
     {"Device", MWIN_BUTTON_PUSH, kDefault, "Device", "Main", kButtonText, kButtonScale, kCentre,
      ScreenToken("Users_Device")}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("MainWin", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"UserSelect", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 9> UserSelectCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 9, "one member a widget");
  return {&mwinUserSelectMainWinNewButton, &mwinUserSelectMainWinTitlePicButton, &mwinUserSelectMainWinSelTextButton, &mwinUserSelectMainWinPanelButton, &mwinUserSelectMainWinDeleteButton, &mwinUserSelectMainWinExitButton, &mwinUserSelectMainWinAlwaysLoadButton, &mwinUserSelectMainWinDeviceButton, &mwinUserSelectMainWinLangFlagButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(UserSelectCollectionController, MainWin, kLayout, mwinUserSelectCollection,
                                    mwinUserSelectMainWinWindow)
