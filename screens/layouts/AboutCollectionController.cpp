#include "screens/layouts/AboutCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kButtonText = {1, 1, 1, 0.7f};
constexpr _Vector2d kButtonScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

// The same in every device layout.
const ScreenLayoutWidget kWidgets[] = {
    {"Title", MWIN_BUTTON_PUSH, kNone, "", "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, kCentre, ScreenText()},
    {"HomePage", MWIN_BUTTON_PUSH, kDefault, "Home Page", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Forums", MWIN_BUTTON_PUSH, kDefault, "Forums", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Logs", MWIN_BUTTON_PUSH, kDefault, "Logs", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Back", MWIN_BUTTON_PUSH, kDefault, "Back", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Version",
     MWIN_BUTTON_STATIC,
     kNone,
     "Version",
     "Main",
     kButtonText,
     {0.9f, 0.95f},
     kCentre,
     ScreenPlaceholder().Colour(1, 1, 1, 0.6f)},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Title
    {{128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}},
    // HomePage
    {{10, 440, 80, 30}, {10, 440, 80, 30}, {10, 420, 110, 50}, {10, 440, 80, 30}, {10, 435, 100, 35}},
    // Forums
    {{190, 440, 80, 30}, {190, 440, 80, 30}, {175, 420, 110, 50}, {190, 440, 80, 30}, {180, 435, 100, 35}},
    // Logs
    {{370, 440, 80, 30}, {370, 440, 80, 30}, {355, 420, 110, 50}, {370, 440, 80, 30}, {360, 435, 100, 35}},
    // Back
    {{550, 440, 80, 30}, {550, 440, 80, 30}, {520, 420, 110, 50}, {550, 440, 80, 30}, {530, 435, 100, 35}},
    // Version
    {{240, 90, 160, 10}, {240, 90, 160, 10}, {240, 90, 160, 10}, {240, 90, 160, 10}, {240, 90, 160, 10}},
};

constexpr ScreenLayoutWindowRecord kRecord = {
    0, 0, 0, 0, 0, "About", kDefault, kNone, "MWIN_FONT_DEFAULT", "", "", "", "", "", "", ""};
const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("About", kRecord, kWidgets, kAreas),
};

const ScreenLayout kLayout = {"About", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 6> AboutCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 6, "six members");
  return {&mwinAboutAboutTitleButton, &mwinAboutAboutHomePageButton, &mwinAboutAboutForumsButton,
          &mwinAboutAboutLogsButton,  &mwinAboutAboutBackButton,     &mwinAboutAboutVersionButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(AboutCollectionController, About, kLayout, mwinAboutCollection,
                                    mwinAboutAboutWindow)
