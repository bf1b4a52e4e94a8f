#include "screens/layouts/OptionsCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kText = {1, 1, 1, 0.7f};
constexpr _Vector2d kScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;
constexpr _MWinTextAlign kRight = MWIN_ALIGN_RIGHT;

// Builder order, which is not the order of the rows on the screen. The choices get their
// entries from the behaviour class.
const ScreenLayoutWidget kWidgets[] = {
    {"Title", MWIN_BUTTON_PUSH, kNone, "", "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, kCentre, ScreenText()},
    {"ShowResT", MWIN_BUTTON_PUSH, kNone, "Startup Window:", "Main", kText, kScale, kRight, ScreenText().Label()},
    {"ShowRes", MWIN_BUTTON_CHOICE, kDefault, "", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"ShowResInfo", MWIN_BUTTON_PUSH, kDefault, "?", "Main", kText, kScale, kCentre, ScreenText()},
    {"OneUser", MWIN_BUTTON_CHOICE, kDefault, "", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"OneUserT", MWIN_BUTTON_PUSH, kNone, "Always Start with Current User:", "Main", kText, kScale, kRight,
     ScreenText().Label()},
    {"OneUserInfo", MWIN_BUTTON_PUSH, kDefault, "?", "Main", kText, kScale, kCentre, ScreenText()},
    {"PowerT", MWIN_BUTTON_PUSH, kNone, "CPU Usage:", "Main", kText, kScale, kRight, ScreenText().Label()},
    {"Power", MWIN_BUTTON_CHOICE, kDefault, "", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"DateFormatText", MWIN_BUTTON_PUSH, kNone, "Date Format:", "Main", kText, kScale, kRight, ScreenText().Label()},
    {"DateFormat", MWIN_BUTTON_CHOICE, kDefault, " ", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"PowerInfo", MWIN_BUTTON_PUSH, kDefault, "?", "Main", kText, kScale, kCentre, ScreenText()},
    {"DateFormatInfo", MWIN_BUTTON_PUSH, kDefault, "?", "Main", kText, kScale, kCentre, ScreenText()},
    {"Back", MWIN_BUTTON_PUSH, kDefault, "Back", "Main", kText, kScale, kCentre, ScreenText()},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Title
    {{128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}},
    // ShowResT
    {{10, 185, 240, 30}, {10, 185, 240, 30}, {10, 90, 325, 50}, {10, 185, 240, 30}, {10, 145, 240, 30}},
    // ShowRes
    {{255, 185, 285, 30}, {255, 185, 285, 30}, {340, 90, 230, 50}, {255, 185, 285, 30}, {255, 145, 285, 30}},
    // ShowResInfo
    {{555, 185, 30, 30}, {555, 185, 30, 30}, {585, 90, 45, 50}, {555, 185, 30, 30}, {555, 145, 30, 30}},
    // OneUser
    {{255, 230, 285, 30}, {335, 210, 235, 45}, {340, 200, 230, 50}, {255, 230, 285, 30}, {260, 230, 280, 35}},
    // OneUserT
    {{10, 230, 240, 30}, {10, 210, 325, 45}, {10, 200, 320, 50}, {10, 230, 240, 30}, {10, 230, 240, 35}},
    // OneUserInfo
    {{555, 230, 30, 30}, {585, 210, 45, 45}, {585, 200, 45, 50}, {555, 230, 30, 30}, {555, 230, 30, 35}},
    // PowerT
    {{10, 320, 240, 30}, {10, 320, 325, 45}, {10, 320, 320, 50}, {10, 320, 240, 30}, {10, 320, 240, 35}},
    // Power
    {{255, 320, 285, 30}, {335, 320, 235, 45}, {340, 320, 230, 50}, {255, 320, 285, 30}, {260, 320, 280, 35}},
    // DateFormatText
    {{10, 275, 240, 30}, {10, 265, 325, 45}, {10, 260, 320, 50}, {10, 275, 240, 30}, {10, 275, 240, 35}},
    // DateFormat
    {{255, 275, 285, 30}, {335, 265, 235, 45}, {340, 260, 230, 50}, {255, 275, 285, 30}, {260, 275, 280, 35}},
    // PowerInfo
    {{555, 320, 30, 30}, {585, 320, 45, 45}, {585, 320, 45, 50}, {555, 320, 30, 30}, {555, 320, 30, 35}},
    // DateFormatInfo
    {{555, 275, 30, 30}, {585, 265, 45, 45}, {585, 260, 45, 50}, {555, 275, 30, 30}, {555, 275, 30, 35}},
    // Back
    {{550, 440, 80, 30}, {505, 425, 120, 45}, {535, 420, 95, 50}, {515, 440, 110, 30}, {550, 435, 80, 35}},
};

// Phones and tablets offer no startup window: its row is built, then hidden.
constexpr EngUInt8 kMobile = ScreenLayouts(1, 2, 3, 4);
const ScreenLayoutVariant kVariants[] = {
    {kMobile,
     {"ShowResT", MWIN_BUTTON_PUSH, kNone, "Startup Window:", "Main", kText, kScale, kRight,
      ScreenText().Hidden().Label()}},
    {kMobile,
     {"ShowRes", MWIN_BUTTON_CHOICE, kDefault, "", "Main", kText, kScale, kCentre, ScreenPlaceholder().Hidden()}},
    {kMobile, {"ShowResInfo", MWIN_BUTTON_PUSH, kDefault, "?", "Main", kText, kScale, kCentre, ScreenText().Hidden()}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("Options", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"Options", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 14> OptionsCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 14, "fourteen members");
  return {
      &mwinOptionsOptionsTitleButton,          &mwinOptionsOptionsShowResTButton,   &mwinOptionsOptionsShowResButton,
      &mwinOptionsOptionsShowResInfoButton,    &mwinOptionsOptionsOneUserButton,    &mwinOptionsOptionsOneUserTButton,
      &mwinOptionsOptionsOneUserInfoButton,    &mwinOptionsOptionsPowerTButton,     &mwinOptionsOptionsPowerButton,
      &mwinOptionsOptionsDateFormatTextButton, &mwinOptionsOptionsDateFormatButton, &mwinOptionsOptionsPowerInfoButton,
      &mwinOptionsOptionsDateFormatInfoButton, &mwinOptionsOptionsBackButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(OptionsCollectionController, Options, kLayout, mwinOptionsCollection,
                                    mwinOptionsOptionsWindow)
