#include "screens/layouts/SoundsCollectionController.h"

#include "Engine/EngTypes.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kText = {1, 1, 1, 0.7f};
constexpr _Vector2d kScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;
constexpr _MWinTextAlign kRight = MWIN_ALIGN_RIGHT;

// Builder order: the game-over volume row comes before its switch's row, which lies above it.
// The choices' "On" and the sliders' empty text stand until the behaviour class fills them.
const ScreenLayoutWidget kWidgets[] = {
    {"Title", MWIN_BUTTON_PUSH, kNone, "", "Main", kText, kScale, kCentre, ScreenText()},
    {"SoundsOnText", MWIN_BUTTON_PUSH, kNone, "Sounds:", "Main", kText, kScale, kRight, ScreenText().Label()},
    {"SoundsOn", MWIN_BUTTON_CHOICE, kDefault, "On", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"SoundsVolText", MWIN_BUTTON_PUSH, kNone, "Volume:", "Main", kText, kScale, kRight, ScreenText().Label()},
    {"SoundsVol", MWIN_BUTTON_HORZ_SCROLLBAR, kDefault, "", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"MainMusicOnText", MWIN_BUTTON_PUSH, kNone, "Main Music:", "Main", kText, kScale, kRight, ScreenText().Label()},
    {"MainMusicOn", MWIN_BUTTON_CHOICE, kDefault, "On", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"MainMusicOnText2", MWIN_BUTTON_PUSH, kNone, "Play Main Music:", "Main", kText, kScale, kRight,
     ScreenText().Label()},
    {"MainMusicOnWhen", MWIN_BUTTON_CHOICE, kDefault, "On", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"MainMusicVolText", MWIN_BUTTON_PUSH, kNone, "Volume:", "Main", kText, kScale, kRight, ScreenText().Label()},
    {"MainMusicVol", MWIN_BUTTON_HORZ_SCROLLBAR, kDefault, "", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"WinMusicOnText", MWIN_BUTTON_PUSH, kNone, "Game Won Music:", "Main", kText, kScale, kRight, ScreenText().Label()},
    {"WinMusicOn", MWIN_BUTTON_CHOICE, kDefault, "On", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"WinMusicVolText", MWIN_BUTTON_PUSH, kNone, "Volume:", "Main", kText, kScale, kRight, ScreenText().Label()},
    {"WinMusicVol", MWIN_BUTTON_HORZ_SCROLLBAR, kDefault, "", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"GoMusicVolText", MWIN_BUTTON_PUSH, kNone, "Volume:", "Main", kText, kScale, kRight, ScreenText().Label()},
    {"GoMusicVol", MWIN_BUTTON_HORZ_SCROLLBAR, kDefault, "", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"GoMusicOnText", MWIN_BUTTON_PUSH, kNone, "Game Over Music:", "Main", kText, kScale, kRight, ScreenText().Label()},
    {"GoMusicOn", MWIN_BUTTON_CHOICE, kDefault, "On", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"Back", MWIN_BUTTON_PUSH, kDefault, "Back", "Main", kText, kScale, kCentre, ScreenText()},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape: only
// the phone in landscape has rectangles of its own.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Title
    {{128, 0, 384, 84}, {128, 0, 384, 84}, {0, 0, 85, 45}, {128, 0, 384, 84}, {128, 0, 384, 84}},
    // SoundsOnText
    {{40, 95, 170, 30}, {40, 95, 170, 30}, {10, 5, 190, 45}, {40, 95, 170, 30}, {40, 95, 170, 30}},
    // SoundsOn
    {{220, 95, 300, 30}, {220, 95, 300, 30}, {205, 5, 315, 45}, {220, 95, 300, 30}, {220, 95, 300, 30}},
    // SoundsVolText
    {{40, 130, 170, 30}, {40, 130, 170, 30}, {10, 57, 190, 45}, {40, 130, 170, 30}, {40, 130, 170, 30}},
    // SoundsVol
    {{220, 130, 300, 30}, {220, 130, 300, 30}, {205, 57, 315, 45}, {220, 130, 300, 30}, {220, 130, 300, 30}},
    // MainMusicOnText
    {{40, 175, 170, 30}, {40, 175, 170, 30}, {10, 120, 190, 45}, {40, 175, 170, 30}, {40, 175, 170, 30}},
    // MainMusicOn
    {{220, 175, 300, 30}, {220, 175, 300, 30}, {205, 120, 315, 45}, {220, 175, 300, 30}, {220, 175, 300, 30}},
    // MainMusicOnText2
    {{40, 210, 170, 30}, {40, 210, 170, 30}, {10, 167, 190, 45}, {40, 210, 170, 30}, {40, 210, 170, 30}},
    // MainMusicOnWhen
    {{220, 210, 300, 30}, {220, 210, 300, 30}, {205, 167, 315, 45}, {220, 210, 300, 30}, {220, 210, 300, 30}},
    // MainMusicVolText
    {{40, 245, 170, 30}, {40, 245, 170, 30}, {10, 214, 190, 45}, {40, 245, 170, 30}, {40, 245, 170, 30}},
    // MainMusicVol
    {{220, 245, 300, 30}, {220, 245, 300, 30}, {205, 214, 315, 45}, {220, 245, 300, 30}, {220, 245, 300, 30}},
    // WinMusicOnText
    {{40, 290, 170, 30}, {40, 290, 170, 30}, {10, 275, 190, 45}, {40, 290, 170, 30}, {40, 290, 170, 30}},
    // WinMusicOn
    {{220, 290, 300, 30}, {220, 290, 300, 30}, {205, 275, 315, 45}, {220, 290, 300, 30}, {220, 290, 300, 30}},
    // WinMusicVolText
    {{40, 325, 170, 30}, {40, 325, 170, 30}, {10, 322, 190, 45}, {40, 325, 170, 30}, {40, 325, 170, 30}},
    // WinMusicVol
    {{220, 325, 300, 30}, {220, 325, 300, 30}, {205, 322, 315, 45}, {220, 325, 300, 30}, {220, 325, 300, 30}},
    // GoMusicVolText
    {{40, 405, 170, 30}, {40, 405, 170, 30}, {10, 432, 190, 45}, {40, 405, 170, 30}, {40, 405, 170, 30}},
    // GoMusicVol
    {{220, 405, 300, 30}, {220, 405, 300, 30}, {205, 432, 315, 45}, {220, 405, 300, 30}, {220, 405, 300, 30}},
    // GoMusicOnText
    {{40, 370, 170, 30}, {40, 370, 170, 30}, {10, 385, 190, 45}, {40, 370, 170, 30}, {40, 370, 170, 30}},
    // GoMusicOn
    {{220, 370, 300, 30}, {220, 370, 300, 30}, {205, 385, 315, 45}, {220, 370, 300, 30}, {220, 370, 300, 30}},
    // Back
    {{550, 440, 80, 30}, {550, 440, 80, 30}, {540, 420, 90, 50}, {550, 440, 80, 30}, {550, 440, 80, 30}},
};

// The phone in landscape has no room for the title picture: it is built, then hidden.
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(2),
     {"Title", MWIN_BUTTON_PUSH, kNone, "", "Main", kText, kScale, kCentre, ScreenText().Hidden()}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("Sounds", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"Sounds", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 20> SoundsCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 20, "twenty members");
  return {&mwinSoundsSoundsTitleButton,           &mwinSoundsSoundsSoundsOnTextButton,
          &mwinSoundsSoundsSoundsOnButton,        &mwinSoundsSoundsSoundsVolTextButton,
          &mwinSoundsSoundsSoundsVolButton,       &mwinSoundsSoundsMainMusicOnTextButton,
          &mwinSoundsSoundsMainMusicOnButton,     &mwinSoundsSoundsMainMusicOnText2Button,
          &mwinSoundsSoundsMainMusicOnWhenButton, &mwinSoundsSoundsMainMusicVolTextButton,
          &mwinSoundsSoundsMainMusicVolButton,    &mwinSoundsSoundsWinMusicOnTextButton,
          &mwinSoundsSoundsWinMusicOnButton,      &mwinSoundsSoundsWinMusicVolTextButton,
          &mwinSoundsSoundsWinMusicVolButton,     &mwinSoundsSoundsGoMusicVolTextButton,
          &mwinSoundsSoundsGoMusicVolButton,      &mwinSoundsSoundsGoMusicOnTextButton,
          &mwinSoundsSoundsGoMusicOnButton,       &mwinSoundsSoundsBackButton};
}

static MWinHorzScrollbar *Slider(MWinButton *button) {
  return button && button->GetType() == MWIN_BUTTON_HORZ_SCROLLBAR ? static_cast<MWinHorzScrollbar *>(button) : nullptr;
}
MWinHorzScrollbar *SoundsCollectionController::GetSoundsVol() { return Slider(mwinSoundsSoundsSoundsVolButton); }
MWinHorzScrollbar *SoundsCollectionController::GetMainMusicVol() { return Slider(mwinSoundsSoundsMainMusicVolButton); }
MWinHorzScrollbar *SoundsCollectionController::GetWinMusicVol() { return Slider(mwinSoundsSoundsWinMusicVolButton); }
MWinHorzScrollbar *SoundsCollectionController::GetGoMusicVol() { return Slider(mwinSoundsSoundsGoMusicVolButton); }

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(SoundsCollectionController, Sounds, kLayout, mwinSoundsCollection,
                                    mwinSoundsSoundsWindow)
