#include "screens/layouts/MainCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kButtonText = {1, 1, 1, 0.7f};
constexpr _Vector2d kButtonScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

const ScreenLayoutWidget kWidgets[] = {
    {"Title", MWIN_BUTTON_STATIC, "Back2", "", "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, kCentre, ScreenText()},
    {"Version",
     MWIN_BUTTON_STATIC,
     kNone,
     "vX.X",
     "Main",
     {1, 1, 1, 0.6f},
     {0.6f, 0.6f},
     MWIN_ALIGN_RIGHT,
     ScreenPlaceholder()},
    {"Welcome",
     MWIN_BUTTON_STATIC,
     kNone,
     "Wecome, Name.",
     "Main",
     {1, 1, 1, 0.8f},
     {1.5f, 1.5f},
     kCentre,
     ScreenPlaceholder()},
    {"Play", MWIN_BUTTON_PUSH, kDefault, "New Game", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Help", MWIN_BUTTON_PUSH, kDefault, "How To Play", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Scores", MWIN_BUTTON_PUSH, kDefault, "High Scores", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Sound", MWIN_BUTTON_PUSH, kDefault, "Sound & Music", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Options", MWIN_BUTTON_PUSH, kDefault, "Options", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"About", MWIN_BUTTON_PUSH, kDefault, "About", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"User", MWIN_BUTTON_PUSH, kDefault, "Change Player", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"OtherGames", MWIN_BUTTON_PUSH, kDefault, "Other Games", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Exit", MWIN_BUTTON_PUSH, kDefault, "Exit Game", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Debug",
     MWIN_BUTTON_PUSH,
     kDefault,
     "Debug",
     "Main",
     kButtonText,
     {0.9f, 0.95f},
     kCentre,
     ScreenText().Colour(1, 1, 1, 0.493f)},
    {"Review", MWIN_BUTTON_PUSH, kDefault, "Review", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Title
    {{128, 0, 384, 84}, {128, 0, 384, 84}, {0, 0, 640, 120}, {128, 0, 384, 84}, {128, 0, 384, 84}},
    // Version
    {{560, 0, 75, 20}, {555, 0, 80, 20}, {530, 450, 105, 25}, {555, 0, 80, 20}, {555, 0, 80, 20}},
    // Welcome
    {{120, 100, 400, 35}, {120, 100, 400, 35}, {57.5f, 120, 525, 30}, {120, 100, 400, 35}, {120, 100, 400, 35}},
    // Play
    {{235, 205, 170, 40}, {235, 205, 170, 40}, {50, 180, 250, 60}, {235, 205, 170, 40}, {235, 200, 170, 40}},
    // Help
    {{330, 280, 150, 30}, {330, 280, 150, 30}, {50, 250, 250, 60}, {330, 280, 150, 30}, {330, 275, 150, 35}},
    // Scores
    {{160, 280, 150, 30}, {160, 280, 150, 30}, {50, 320, 250, 60}, {160, 280, 150, 30}, {160, 275, 150, 35}},
    // Sound
    {{330, 320, 150, 30}, {330, 320, 150, 30}, {340, 180, 250, 60}, {330, 320, 150, 30}, {330, 320, 150, 35}},
    // Options
    {{160, 320, 150, 30}, {160, 320, 150, 30}, {340, 250, 250, 60}, {160, 320, 150, 30}, {160, 320, 150, 35}},
    // About
    {{330, 360, 150, 30}, {330, 360, 150, 30}, {340, 320, 250, 60}, {330, 360, 150, 30}, {330, 365, 150, 35}},
    // User
    {{160, 360, 150, 30}, {160, 360, 150, 30}, {50, 390, 250, 60}, {160, 360, 150, 30}, {160, 365, 150, 35}},
    // OtherGames
    {{160, 400, 150, 30}, {245, 405, 150, 30}, {340, 390, 250, 60}, {245, 400, 150, 30}, {245, 410, 150, 35}},
    // Exit
    {{330, 400, 150, 30}, {265, 425, 150, 30}, {265, 425, 150, 30}, {265, 425, 150, 30}, {435, 440, 150, 30}},
    // Debug
    {{10, 450, 50, 20}, {10, 445, 130, 30}, {5, 430, 80, 40}, {5, 450, 95, 25}, {5, 445, 80, 30}},
    // Review
    {{235, 150, 170, 30}, {165, 150, 310, 30}, {160, 115, 305, 50}, {192.5f, 145, 255, 30}, {200, 146, 240, 35}},
};

constexpr EngUInt8 kPhoneLandscape = ScreenLayouts(2);
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(1, 3, 4),
     {"Exit", MWIN_BUTTON_PUSH, kDefault, "Exit Game", "Main", kButtonText, kButtonScale, kCentre,
      ScreenText().Hidden()}},
    {kPhoneLandscape,
     {"Title", MWIN_BUTTON_STATIC, kNone, "", "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, kCentre, ScreenText()}},
    {kPhoneLandscape,
     {"Version", MWIN_BUTTON_STATIC, kNone, "vX.X", "Main", kButtonText, {0.9f, 0.95f}, MWIN_ALIGN_RIGHT,
      ScreenPlaceholder().Hidden()}},
    {kPhoneLandscape,
     {"Welcome", MWIN_BUTTON_STATIC, kNone, "Wecome, Name.", "Main", kButtonText, kButtonScale, kCentre,
      ScreenPlaceholder()}},
    {kPhoneLandscape,
     {"Play", MWIN_BUTTON_PUSH, "Main", "New Game", "Main", kButtonText, kButtonScale, kCentre, ScreenText()}},
    {kPhoneLandscape,
     {"Help", MWIN_BUTTON_PUSH, "Main", "How To Play", "Main", kButtonText, kButtonScale, kCentre, ScreenText()}},
    {kPhoneLandscape,
     {"Scores", MWIN_BUTTON_PUSH, "Main", "High Scores", "Main", kButtonText, kButtonScale, kCentre, ScreenText()}},
    {kPhoneLandscape,
     {"Sound", MWIN_BUTTON_PUSH, "Main", "Sound & Music", "Main", kButtonText, kButtonScale, kCentre, ScreenText()}},
    {kPhoneLandscape,
     {"Options", MWIN_BUTTON_PUSH, "Main", "Options", "Main", kButtonText, kButtonScale, kCentre, ScreenText()}},
    {kPhoneLandscape,
     {"About", MWIN_BUTTON_PUSH, "Main", "About", "Main", kButtonText, kButtonScale, kCentre, ScreenText()}},
    {kPhoneLandscape,
     {"User", MWIN_BUTTON_PUSH, "Main", "Change Player", "Main", kButtonText, kButtonScale, kCentre, ScreenText()}},
    {kPhoneLandscape,
     {"Exit", MWIN_BUTTON_PUSH, kDefault, "Exit Game", "Main", kButtonText, kButtonScale, kCentre,
      ScreenText().Hidden()}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("Main", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"Main", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 14> MainCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 14, "fourteen members");
  return {&mwinMainMainTitleButton,   &mwinMainMainVersionButton, &mwinMainMainWelcomeButton,
          &mwinMainMainPlayButton,    &mwinMainMainHelpButton,    &mwinMainMainScoresButton,
          &mwinMainMainSoundButton,   &mwinMainMainOptionsButton, &mwinMainMainAboutButton,
          &mwinMainMainUserButton,    &mwinMainMainOtherGamesButton, &mwinMainMainExitButton,
          &mwinMainMainDebugButton,   &mwinMainMainReviewButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(MainCollectionController, Main, kLayout, mwinMainCollection, mwinMainMainWindow)
