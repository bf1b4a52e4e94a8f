#include "screens/layouts/ScoresCollectionController.h"

#include "Engine/EngTypes.h"
#include "Engine/MWin/MWinTabPanel.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kText = {1, 1, 1, 0.7f};
constexpr _ColourRGBA kGardenText = {0, 0, 0, 0.7f};
constexpr _Vector2d kScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

const ScreenLayoutWidget kWidgets[] = {
    {"Title", MWIN_BUTTON_STATIC, "Back2", "", "Main", kText, kScale, kCentre, ScreenText()},
    // The behaviour class names the garden in the heading.
    {"Heading",
     MWIN_BUTTON_STATIC,
     kNone,
     "HIGH SCORES",
     "Main",
     {1, 1, 1, 0.8f},
     {1.6f, 1.74f},
     kCentre,
     ScreenPlaceholder()},
    {"Level0", MWIN_BUTTON_PUSH, "Main", "", "Main", kGardenText, {1, 1}, kCentre, ScreenText()},
    {"Level1", MWIN_BUTTON_PUSH, "Main", "", "Main", kGardenText, {1, 1}, kCentre, ScreenText()},
    {"Level2", MWIN_BUTTON_PUSH, "Main", "", "Main", kGardenText, {1, 1}, kCentre, ScreenText()},
    {"Level3", MWIN_BUTTON_PUSH, "Main", "", "Main", kGardenText, {1, 1}, kCentre, ScreenText()},
    {"Which", MWIN_BUTTON_CHOICE, kDefault, "", "Main", kText, kScale, kCentre, ScreenText()},
    {"Range", MWIN_BUTTON_CHOICE, kDefault, "", "Main", kText, kScale, kCentre, ScreenText()},
    {"Scores", MWIN_BUTTON_TAB_PANEL, kNone, "", "Main", kText, kScale, kCentre, ScreenText()},
    // "Update" also reads "Updating..." and "Failed": the behaviour class sets its text.
    {"Update", MWIN_BUTTON_PUSH, kDefault, "Update", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"Submit", MWIN_BUTTON_PUSH, kDefault, "Submit", "Main", kText, kScale, kCentre, ScreenText()},
    {"FindMe", MWIN_BUTTON_PUSH, kDefault, "Me", "Main", kText, kScale, kCentre, ScreenText()},
    {"Reset", MWIN_BUTTON_PUSH, kDefault, "Reset", "Main", kText, kScale, kCentre, ScreenText()},
    {"Back", MWIN_BUTTON_PUSH, kDefault, "Back", "Main", kText, kScale, kCentre, ScreenText()},
    {"DbgDelete", MWIN_BUTTON_PUSH, kDefault, "Delete", "Main", kText, kScale, kCentre,
     ScreenText().Colour(1, 1, 1, 0.299f)},
    {"Info", MWIN_BUTTON_PUSH, "Back3", "Info", "Main", kText, {0.9f, 0.95f}, kCentre, ScreenPlaceholder().Label()},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    /* Title */ {{128, 0, 384, 84}, {128, 0, 384, 84}, {40, 180, 52, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}},
    /* Heading */ {{170, 85, 300, 20}, {170, 85, 300, 20}, {170, 10, 300, 30}, {170, 85, 300, 20}, {170, 85, 300, 20}},
    /* Level0 */ {{10, 80, 70, 70}, {10, 80, 70, 70}, {10, 20, 70, 75}, {10, 80, 70, 70}, {10, 80, 70, 70}},
    /* Level1 */ {{90, 80, 70, 70}, {90, 80, 70, 70}, {85, 20, 70, 75}, {90, 80, 70, 70}, {90, 80, 70, 70}},
    /* Level2 */ {{480, 80, 70, 70}, {480, 80, 70, 70}, {485, 20, 70, 75}, {480, 80, 70, 70}, {480, 80, 70, 70}},
    /* Level3 */ {{560, 80, 70, 70}, {560, 80, 70, 70}, {560, 20, 70, 75}, {560, 80, 70, 70}, {560, 80, 70, 70}},
    /* Which */ {{170, 120, 105, 25}, {170, 120, 105, 25}, {160, 45, 110, 50}, {170, 120, 105, 25}, {170, 120, 105, 25}},
    /* Range */ {{280, 120, 190, 25}, {280, 120, 190, 25}, {275, 45, 205, 50}, {280, 120, 190, 25}, {280, 120, 190, 25}},
    /* Scores */
    {{10, 155, 620, 280}, {10, 155, 620, 280}, {10, 100, 620, 310}, {10, 155, 620, 275}, {10, 155, 620, 280}},
    /* Update */ {{10, 440, 70, 30}, {10, 440, 70, 30}, {10, 420, 90, 50}, {10, 440, 70, 30}, {10, 440, 70, 30}},
    /* Submit */ {{90, 440, 70, 30}, {90, 440, 70, 30}, {110, 420, 90, 50}, {90, 440, 70, 30}, {90, 440, 70, 30}},
    /* FindMe */ {{170, 440, 40, 30}, {170, 440, 40, 30}, {210, 420, 55, 50}, {170, 440, 40, 30}, {170, 440, 40, 30}},
    /* Reset */ {{220, 440, 45, 30}, {220, 440, 45, 30}, {275, 420, 60, 50}, {220, 440, 45, 30}, {220, 440, 45, 30}},
    /* Back */ {{565, 440, 65, 30}, {565, 440, 65, 30}, {555, 420, 75, 50}, {565, 440, 65, 30}, {565, 440, 65, 30}},
    /* DbgDelete */ {{15, 5, 40, 15}, {15, 5, 40, 15}, {425, 5, 55, 45}, {15, 5, 40, 15}, {15, 5, 40, 15}},
    /* Info */
    {{275, 440, 281.6f, 30}, {275, 440, 281.6f, 30}, {345, 420, 200, 50}, {275, 440, 281.6f, 30}, {275, 440, 281.6f, 30}},
};

// On the phone in landscape the title stays (the behaviour class still sets it up) but hidden.
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(2), {"Title", MWIN_BUTTON_STATIC, "Back2", "", "Main", kText, kScale, kCentre, ScreenText().Hidden()}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("Main", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"Scores", kWindows, 1, 1};

}  // namespace

MWinTabPanel *ScoresCollectionController::GetScoresTable() {
  return static_cast<MWinTabPanel *>(mwinScoresMainScoresButton);
}

std::array<MWinButton **, 16> ScoresCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 16, "sixteen members");
  return {&mwinScoresMainTitleButton,  &mwinScoresMainHeadingButton, &mwinScoresMainLevel0Button,
          &mwinScoresMainLevel1Button, &mwinScoresMainLevel2Button,  &mwinScoresMainLevel3Button,
          &mwinScoresMainWhichButton,  &mwinScoresMainRangeButton,   &mwinScoresMainScoresButton,
          &mwinScoresMainUpdateButton, &mwinScoresMainSubmitButton,  &mwinScoresMainFindMeButton,
          &mwinScoresMainResetButton,  &mwinScoresMainBackButton,    &mwinScoresMainDbgDeleteButton,
          &mwinScoresMainInfoButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(ScoresCollectionController, Main, kLayout, mwinScoresCollection,
                                    mwinScoresMainWindow)
