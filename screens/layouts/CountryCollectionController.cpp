#include "screens/layouts/CountryCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kButtonText = {1, 1, 1, 0.7f};
constexpr _Vector2d kButtonScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

const ScreenLayoutWidget kWidgets[] = {
    {"Title",
     MWIN_BUTTON_STATIC,
     kNone,
     "SELECT YOUR COUNTRY",
     "Main",
     {1, 1, 1, 0.75f},
     {1.3f, 1.42f},
     kCentre,
     ScreenToken("Country_Title")},
    {"Continue", MWIN_BUTTON_PUSH, kDefault, "Continue", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("Common_ButtonContinue")},
    {"Country", MWIN_BUTTON_PANEL, kDefault, " unset", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()},
    {"Note", MWIN_BUTTON_STATIC, kNone, "Your country is displayed in network games.", "Main", kButtonText,
     kButtonScale, kCentre, ScreenToken("Country_Note")},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Title
    {{189, 18, 262, 18}, {189, 18, 262, 18}, {189, 8, 262, 18}, {189, 18, 262, 18}, {189, 12, 262, 18}},
    // Continue
    {{250, 425, 140, 35}, {220, 420, 200, 50}, {250, 430, 140, 40}, {230, 420, 180, 45}, {250, 428, 140, 40}},
    // Country
    {{169.5f, 50, 301, 323}, {140, 45, 400, 320}, {200, 34, 330, 350}, {150, 45, 380, 320}, {169.5, 42, 301, 335}},
    // Note
    {{40, 380, 560, 33}, {20, 372, 600, 40}, {40, 390, 560, 30}, {40, 375, 560, 33}, {40, 382, 560, 33}},
};

// Phones and tablets: the note tells what the country is for there; no texts go through tokens.
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(1, 2, 3, 4),
     {"Title",
      MWIN_BUTTON_STATIC,
      kNone,
      "SELECT YOUR COUNTRY",
      "Main",
      {1, 1, 1, 0.75f},
      {1.3f, 1.42f},
      kCentre,
      ScreenPlaceholder()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"Continue", MWIN_BUTTON_PUSH, kDefault, "Continue", "Main", kButtonText, kButtonScale, kCentre,
      ScreenPlaceholder()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"Note", MWIN_BUTTON_STATIC, kNone, "Your country is used for online scores.", "Main", kButtonText, kButtonScale,
      kCentre, ScreenPlaceholder()}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("MainWin", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"Country", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 4> CountryCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 4, "one member a widget");
  return {&mwinCountryMainWinTitleButton, &mwinCountryMainWinContinueButton, &mwinCountryMainWinCountryButton, &mwinCountryMainWinNoteButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(CountryCollectionController, MainWin, kLayout, mwinCountryCollection,
                                    mwinCountryMainWinWindow)
