#include "screens/layouts/PauseCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kText = {1, 1, 1, 0.7f};
constexpr _Vector2d kScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

// The behaviour class tells the presses apart by these members.
const ScreenLayoutWidget kWidgets[] = {
    {"Title", MWIN_BUTTON_PUSH, kNone, "", "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, kCentre, ScreenText()},
    {"Resume", MWIN_BUTTON_PUSH, kDefault, "Resume Game", "Main", kText, kScale, kCentre, ScreenText()},
    {"Scores", MWIN_BUTTON_PUSH, kDefault, "High Scores", "Main", kText, kScale, kCentre, ScreenText()},
    {"Help", MWIN_BUTTON_PUSH, kDefault, "How To Play", "Main", kText, kScale, kCentre, ScreenText()},
    {"Sounds", MWIN_BUTTON_PUSH, kDefault, "Sound & Music", "Main", kText, kScale, kCentre, ScreenText()},
    {"Options", MWIN_BUTTON_PUSH, kDefault, "Options", "Main", kText, kScale, kCentre, ScreenText()},
    {"Quit", MWIN_BUTTON_PUSH, kDefault, "Quit Game", "Main", kText, kScale, kCentre, ScreenText()},
    {"Save", MWIN_BUTTON_PUSH, kDefault, "Save Game & Exit", "Main", kText, kScale, kCentre, ScreenText()},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Title
    {{128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}},
    // Resume
    {{220, 120, 200, 35}, {150, 125, 340, 40}, {210, 115, 220, 50}, {220, 150, 200, 30}, {220, 160, 200, 40}},
    // Scores
    {{220, 170, 200, 35}, {150, 180, 340, 40}, {210, 176, 220, 50}, {220, 200, 200, 30}, {220, 210, 200, 40}},
    // Help
    {{220, 220, 200, 35}, {150, 235, 340, 40}, {210, 237, 220, 50}, {220, 245, 200, 30}, {220, 260, 200, 40}},
    // Sounds
    {{220, 270, 200, 35}, {150, 295, 340, 40}, {210, 298, 220, 50}, {220, 295, 200, 30}, {220, 310, 200, 40}},
    // Options
    {{220, 320, 200, 35}, {150, 350, 340, 40}, {210, 359, 220, 50}, {220, 340, 200, 30}, {220, 360, 200, 40}},
    // Quit
    {{220, 370, 200, 35}, {150, 410, 340, 40}, {210, 420, 220, 50}, {220, 390, 200, 30}, {220, 410, 200, 40}},
    // Save
    {{220, 420, 200, 35}, {0, 320, 95, 40}, {60, 400, 90, 40}, {30, 380, 95, 30}, {100, 395, 55, 40}},
};

// Phones and tablets cannot close the program: their save-and-exit is built, then hidden.
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(1, 2, 3, 4),
     {"Save", MWIN_BUTTON_PUSH, kDefault, "Save Game & Exit", "Main", kText, kScale, kCentre, ScreenText().Hidden()}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("MainWin", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"Pause", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 8> PauseCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 8, "one member a widget");
  return {&mwinPauseMainWinTitleButton, &mwinPauseMainWinResumeButton, &mwinPauseMainWinScoresButton,
          &mwinPauseMainWinHelpButton,  &mwinPauseMainWinSoundsButton, &mwinPauseMainWinOptionsButton,
          &mwinPauseMainWinQuitButton,  &mwinPauseMainWinSaveButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(PauseCollectionController, MainWin, kLayout, mwinPauseCollection,
                                    mwinPauseMainWinWindow)
