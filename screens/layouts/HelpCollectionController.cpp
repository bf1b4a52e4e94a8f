#include "screens/layouts/HelpCollectionController.h"

#include "Engine/EngTypes.h"
#include "Engine/MWin/MWinScriptButton.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kButtonText = {1, 1, 1, 0.7f};
constexpr _Vector2d kButtonScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

const ScreenLayoutWidget kWidgets[] = {
    {"Title", MWIN_BUTTON_PUSH, kNone, "", "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, kCentre, ScreenText()},
    {"Prev", MWIN_BUTTON_PUSH, kDefault, "Prev", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Next", MWIN_BUTTON_PUSH, kDefault, "Next", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Keys", MWIN_BUTTON_PUSH, kDefault, "Keys", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    {"Back", MWIN_BUTTON_PUSH, kDefault, "Back", "Main", kButtonText, kButtonScale, kCentre, ScreenText()},
    // The script text box; its pages come from HelpCC.
    {"Info", MWIN_BUTTON_DRAG, "Back2", "", "Main", kButtonText, kButtonScale, kCentre, ScreenPlaceholder()},
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    // Title
    {{128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}, {128, 0, 384, 84}},
    // Prev
    {{230, 420, 80, 30}, {10, 430, 130, 45}, {225, 420, 80, 50}, {230, 440, 80, 30}, {230, 440, 80, 35}},
    // Next
    {{330, 420, 80, 30}, {155, 430, 130, 45}, {330, 420, 80, 50}, {330, 440, 80, 30}, {330, 440, 80, 35}},
    // Keys
    {{10, 440, 80, 30}, {10, 430, 80, 45}, {10, 420, 80, 50}, {10, 440, 80, 30}, {10, 440, 80, 35}},
    // Back
    {{550, 440, 80, 30}, {500, 430, 130, 45}, {550, 420, 80, 50}, {550, 440, 80, 30}, {550, 440, 80, 35}},
    // Info
    {{85, 115, 470, 270}, {10, 5, 620, 420}, {0, 0, 640, 415}, {10, 100, 620, 330}, {25, 85, 590, 340}},
};

// Phones and tablets have no keys to list; phones give the title's room to the text.
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(1, 2),
     {"Title", MWIN_BUTTON_PUSH, kNone, "", "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, kCentre,
      ScreenText().Hidden()}},
    {ScreenLayouts(1, 2, 3, 4),
     {"Keys", MWIN_BUTTON_PUSH, kDefault, "Keys", "Main", kButtonText, kButtonScale, kCentre, ScreenText().Hidden()}},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("Help", kScreenLayoutPlainWindow, kWidgets, kAreas, kVariants),
};

const ScreenLayout kLayout = {"Help", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 6> HelpCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 6, "six members");
  return {&mwinHelpHelpTitleButton, &mwinHelpHelpPrevButton, &mwinHelpHelpNextButton,
          &mwinHelpHelpKeysButton,  &mwinHelpHelpBackButton, &mwinHelpHelpInfoButton};
}

MWinScriptButton *HelpCollectionController::GetInfoBox() {
  if (!mwinHelpHelpInfoButton || mwinHelpHelpInfoButton->GetType() != MWIN_BUTTON_DRAG) return nullptr;
  return static_cast<MWinScriptButton *>(mwinHelpHelpInfoButton);
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(HelpCollectionController, Help, kLayout, mwinHelpCollection, mwinHelpHelpWindow)
