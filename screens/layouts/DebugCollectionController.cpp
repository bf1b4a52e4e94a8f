#include "screens/layouts/DebugCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";

const ScreenLayoutWidget kWidgets[] = {
    {"StartupAction", MWIN_BUTTON_LIST, kDefault, "Row 1", "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT,
     ScreenPlaceholder().Colour(1, 1, 1, 0.8f)},
};

const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    {{10, 10, 300, 20}, {10, 10, 480, 36}, {10, 10, 380, 36}, {10, 10, 400, 30}, {10, 10, 300, 30}},
};

// Phones and tablets: a larger text and no colour of their own.
const ScreenLayoutVariant kVariants[] = {
    {ScreenLayouts(1, 3, 4),
     {"StartupAction", MWIN_BUTTON_LIST, kDefault, "Row 1", "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_LEFT,
      ScreenPlaceholder()}},
    {ScreenLayouts(2),
     {"StartupAction", MWIN_BUTTON_LIST, kDefault, "Row 1", "Main", {1, 1, 1, 0.7f}, {0.75f, 0.9f},
      MWIN_ALIGN_LEFT, ScreenPlaceholder()}},
};

// Type 0, fixed, a Back (hide) button, no extra button, a title bar.
constexpr ScreenLayoutWindowRecord kRecord = {0, 0, 1, 0, 1, "Debug Settings", kDefault, kDefault, "Main", "Back",
                                              kDefault, "", "", "Debug_Title", "Debug_Back", ""};

const ScreenLayoutWindow kWindows[] = {
    {"MainWin",
     kRecord,
     {{160, 100, 320, 280}, {70, 60, 500, 360}, {120, 30, 400, 420}, {110, 90, 420, 300}, {160, 100, 320, 280}},
     {1, 1, 1, 0.7f},
     {1, 1.1f},
     MWIN_ALIGN_CENTRE,
     kWidgets,
     1,
     kAreas,
     kVariants,
     int(sizeof(kVariants) / sizeof(kVariants[0]))},
};

const ScreenLayout kLayout = {"Debug", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 1> DebugCollectionController::Widgets() { return {&mwinDebugMainWinStartupActionButton}; }

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(DebugCollectionController, MainWin, kLayout, mwinDebugCollection,
                                    mwinDebugMainWinWindow)
