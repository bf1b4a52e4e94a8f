#include "screens/layouts/NoticeCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr _ColourRGBA kText = {1, 1, 1, 0.7f};
constexpr _Vector2d kScale = {1, 1.1f};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;

// The message lies in the frame, 10 units in at the sides and 12 at the top; its text is the
// behaviour class's.
const ScreenLayoutWidget kWidgets[] = {
    {"Title",
     MWIN_BUTTON_PUSH,
     "MWIN_TEXBUT_NONE",
     "",
     "MWIN_FONT_DEFAULT",
     {0, 0, 0, 1},
     {1, 1},
     kCentre,
     ScreenPlaceholder().Label()},
    {"Frame", MWIN_BUTTON_PUSH, "Back2", "", "Main", {0, 0, 0, 0.7f}, {1, 1}, kCentre, ScreenPlaceholder().Label()},
    {"Ok", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Ok", "Main", kText, kScale, kCentre, ScreenText()},
    {"Text", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Text", "Main", kText, kScale, kCentre, ScreenPlaceholder().Label()},
};

// The five device layouts are the same.
constexpr _Dimension kTitle = {128, 0, 384, 84}, kFrame = {132.5f, 142.5f, 375, 195}, kOk = {265, 297.5f, 110, 30},
                     kMessage = {142.5f, 154.5f, 355, 133};
const _Dimension kAreas[][ENG_NUM_LAYOUTS] = {
    {kTitle, kTitle, kTitle, kTitle, kTitle},
    {kFrame, kFrame, kFrame, kFrame, kFrame},
    {kOk, kOk, kOk, kOk, kOk},
    {kMessage, kMessage, kMessage, kMessage, kMessage},
};

const ScreenLayoutWindow kWindows[] = {
    ScreenLayoutWholeScreenWindow("Notice", kScreenLayoutPlainWindow, kWidgets, kAreas),
};

const ScreenLayout kLayout = {"Notice", kWindows, 1, 1};

}  // namespace

std::array<MWinButton **, 4> NoticeCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 4, "one member a widget");
  return {&mwinNoticeNoticeTitleButton, &mwinNoticeNoticeFrameButton, &mwinNoticeNoticeOkButton,
          &mwinNoticeNoticeTextButton};
}

SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(NoticeCollectionController, Notice, kLayout, mwinNoticeCollection,
                                    mwinNoticeNoticeWindow)
