#include "screens/layouts/UserNewCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kButtonText = {1, 1, 1, 0.7f};
constexpr _Vector2d kButtonScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

const ScreenLayoutWidget kWidgets[] = {
    {"Name", MWIN_BUTTON_PUSH, kDefault, "", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()},
    {"Back", MWIN_BUTTON_PUSH, kDefault, "Back", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Common_ButtonGoBack")},
    {"NameText", MWIN_BUTTON_PUSH, kNone, "User Name", "Main", kButtonText, kButtonScale, MWIN_ALIGN_RIGHT,
     ScreenToken("UserNew_NameText").Label()},
    {"Country", MWIN_BUTTON_PUSH, kDefault, "", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()},
    {"CountryText", MWIN_BUTTON_PUSH, kNone, "Country", "Main", kButtonText, kButtonScale, MWIN_ALIGN_RIGHT,
     ScreenToken("UserNew_CountryText").Label()},
    {"Continue", MWIN_BUTTON_PUSH, kDefault, "Continue", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("UserNew_Continue")},
    {"SolTextPic",
     MWIN_BUTTON_PUSH,
     kNone,
     "",
     "Main",
     {0, 0, 0, 0.7f},
     {0.7f, 1},
     kCentre,
     ScreenPlaceholder().Label()},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Name
    {{210, 200, 220, 35}, {190, 150, 300, 50}, {210, 180, 220, 45}, {210, 170, 260, 45}, {210, 190, 220, 40}},
    // Back
    {{535, 430, 90, 35}, {460, 410, 160, 50}, {515, 420, 110, 45}, {500, 410, 120, 45}, {515, 425, 110, 40}},
    // NameText
    {{90, 200, 113, 35}, {20, 150, 160, 50}, {90, 180, 113, 45}, {60, 170, 140, 45}, {90, 190, 113, 40}},
    // Country
    {{210, 275, 220, 35}, {190, 240, 300, 50}, {210, 260, 220, 45}, {210, 250, 260, 45}, {210, 265, 220, 40}},
    // CountryText
    {{90, 275, 113, 35}, {20, 240, 160, 50}, {90, 260, 113, 45}, {60, 250, 140, 45}, {90, 265, 113, 40}},
    // Continue
    {{245, 430, 150, 35}, {20, 410, 300, 50}, {245, 420, 150, 45}, {230, 410, 180, 45}, {245, 425, 150, 40}},
    // SolTextPic
    {{170, 10, 300, 90}, {170, 10, 300, 90}, {170, 10, 300, 90}, {170, 10, 300, 90}, {170, 10, 300, 90}},
};

// Phones and tablets carry no tokens; tablets draw the title's text a little larger.
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(1, 2, 3, 4),
     {"Back", MWIN_BUTTON_PUSH, kDefault, "Back", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"NameText", MWIN_BUTTON_PUSH, kNone, "User Name", "Main", kButtonText, kButtonScale, MWIN_ALIGN_RIGHT,
      ScreenPlaceholder().Label()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"CountryText", MWIN_BUTTON_PUSH, kNone, "Country", "Main", kButtonText, kButtonScale, MWIN_ALIGN_RIGHT,
      ScreenPlaceholder().Label()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"Continue", MWIN_BUTTON_PUSH, kDefault, "Continue", "Main", kButtonText, kButtonScale, kCentre,
      ScreenPlaceholder()}},
    {ScreenLayouts(3, 4),
     {"SolTextPic",
      MWIN_BUTTON_PUSH,
      kNone,
      "",
      "Main",
      {0, 0, 0, 0.8f},
      {1, 1.3f},
      kCentre,
      ScreenPlaceholder().Label()}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("MainWin", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"UserNew", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 7> UserNewCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 7, "one member a widget");
  return {&mwinUserNewMainWinNameButton, &mwinUserNewMainWinBackButton, &mwinUserNewMainWinNameTextButton, &mwinUserNewMainWinCountryButton, &mwinUserNewMainWinCountryTextButton, &mwinUserNewMainWinContinueButton, &mwinUserNewMainWinSolTextPicButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(UserNewCollectionController, MainWin, kLayout, mwinUserNewCollection,
                                    mwinUserNewMainWinWindow)
