#include "screens/layouts/SelectCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kText = {1, 1, 1, 0.7f};
constexpr _ColourRGBA kDark = {0, 0, 0, 0.7f};
constexpr _ColourRGBA kWhite = {1, 1, 1, 1};
constexpr _Vector2d kScale = {1, 1.1f};
constexpr _Vector2d kPlain = {1, 1};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;
constexpr _MWinButtonType kPush = MWIN_BUTTON_PUSH;
constexpr _MWinButtonType kStatic = MWIN_BUTTON_STATIC;

// The gardens' frames, pictures and difficulty buttons each form a two-by-two grid (garden g in
// column g % 2, row g / 2); the behaviour class finds the pictures and buttons by these ids.
// The difficulty buttons' texts are the behaviour class's.
const ScreenLayoutWidget kWidgets[] = {
    {"Title", kStatic, kNone, "", "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, kPlain, kCentre, ScreenText()},
    {"SelectT",
     kStatic,
     kNone,
     "Select a Garden to Defend",
     "Main",
     {1, 1, 1, 0.8f},
     {1.5f, 1.5f},
     kCentre,
     ScreenText()},
    {"Bg0", kStatic, "Back3", "", "Main", kWhite, kPlain, kCentre, ScreenText()},
    {"Bg1", kStatic, "Back3", "", "Main", kWhite, kPlain, kCentre, ScreenText()},
    {"Bg2", kStatic, "Back3", "", "Main", kWhite, kPlain, kCentre, ScreenText()},
    {"Bg3", kStatic, "Back3", "", "Main", kWhite, kPlain, kCentre, ScreenText()},
    {"Level0", kStatic, "Back2", "", "Main", kDark, kPlain, kCentre, ScreenText()},
    {"Level1", kStatic, "Back2", "", "Main", kDark, kPlain, kCentre, ScreenText()},
    {"Level2", kStatic, "Back2", "", "Main", kDark, kPlain, kCentre, ScreenText()},
    {"Level3", kStatic, "Back2", "", "Main", kDark, kPlain, kCentre, ScreenText()},
    {"Diff0", kPush, kDefault, "Normal", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"Diff1", kPush, kDefault, "Normal", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"Diff2", kPush, kDefault, "Normal", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"Diff3", kPush, kDefault, "Normal", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"Back", kPush, kDefault, "Back", "Main", kText, kScale, kCentre, ScreenText()},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Title
    {{128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}},
    // SelectT
    {{120, 80, 400, 40}, {120, 80, 400, 40}, {120, 80, 400, 40}, {120, 80, 400, 40}, {120, 80, 400, 40}},
    // Bg0
    {{158, 137, 154, 146}, {153, 138, 162, 144}, {157, 137, 156, 146}, {155, 138, 160, 144}, {158, 138, 154, 144}},
    // Bg1
    {{328, 137, 154, 146}, {323, 138, 162, 144}, {327, 137, 156, 146}, {325, 138, 160, 144}, {328, 138, 154, 144}},
    // Bg2
    {{158, 297, 154, 146}, {153, 298, 162, 144}, {157, 297, 156, 146}, {155, 298, 160, 144}, {158, 298, 154, 144}},
    // Bg3
    {{328, 297, 154, 146}, {323, 298, 162, 144}, {327, 297, 156, 146}, {325, 298, 160, 144}, {328, 298, 154, 144}},
    // Level0
    {{160, 140, 150, 140}, {160, 140, 150, 140}, {160, 140, 150, 140}, {160, 140, 150, 140}, {160, 140, 150, 140}},
    // Level1
    {{330, 140, 150, 140}, {330, 140, 150, 140}, {330, 140, 150, 140}, {330, 140, 150, 140}, {330, 140, 150, 140}},
    // Level2
    {{160, 300, 150, 140}, {160, 300, 150, 140}, {160, 300, 150, 140}, {160, 300, 150, 140}, {160, 300, 150, 140}},
    // Level3
    {{330, 300, 150, 140}, {330, 300, 150, 140}, {330, 300, 150, 140}, {330, 300, 150, 140}, {330, 300, 150, 140}},
    // Diff0
    {{163, 256, 67, 22}, {162, 237, 146, 40}, {162, 226, 87, 50}, {163, 247, 95, 30}, {162, 242, 80, 35}},
    // Diff1
    {{333, 256, 67, 22}, {332, 237, 146, 40}, {332, 226, 87, 50}, {333, 247, 95, 30}, {332, 242, 80, 35}},
    // Diff2
    {{163, 416, 67, 22}, {162, 397, 146, 40}, {162, 386, 87, 50}, {163, 407, 95, 30}, {162, 402, 80, 35}},
    // Diff3
    {{333, 416, 67, 22}, {332, 397, 146, 40}, {332, 386, 87, 50}, {333, 407, 95, 30}, {332, 402, 80, 35}},
    // Back
    {{550, 440, 80, 30}, {520, 430, 115, 45}, {550, 420, 80, 50}, {550, 445, 80, 30}, {550, 435, 80, 35}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("Main", kScreenLayoutPlainWindow, kWidgets, kAreas),
};

const ScreenLayout kLayout = {"Select", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 15> SelectCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 15, "one member a widget");
  return {&mwinSelectMainTitleButton,  &mwinSelectMainSelectTButton, &mwinSelectMainBg0Button,
          &mwinSelectMainBg1Button,    &mwinSelectMainBg2Button,     &mwinSelectMainBg3Button,
          &mwinSelectMainLevel0Button, &mwinSelectMainLevel1Button,  &mwinSelectMainLevel2Button,
          &mwinSelectMainLevel3Button, &mwinSelectMainDiff0Button,   &mwinSelectMainDiff1Button,
          &mwinSelectMainDiff2Button,  &mwinSelectMainDiff3Button,   &mwinSelectMainBackButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(SelectCollectionController, Main, kLayout, mwinSelectCollection,
                                    mwinSelectMainWindow)
