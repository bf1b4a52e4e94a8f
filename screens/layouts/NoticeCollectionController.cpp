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

using Self = NoticeCollectionController;
// The builders of a device layout.
MWinWindow *AddWindow(Self *self, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutCallBuilder(self, layout, c, &Self::AddNoticeWindowToCollectionNormal,
                                 &Self::AddNoticeWindowToCollectionIPhonePortrait,
                                 &Self::AddNoticeWindowToCollectionIPhoneLandscape,
                                 &Self::AddNoticeWindowToCollectionIPadPortrait,
                                 &Self::AddNoticeWindowToCollectionIPadLandscape);
}
char AddButtons(Self *self, _EngLayout layout, MWinWindow *w) {
  return ScreenLayoutCallBuilder(self, layout, w, &Self::AddNoticeWindowButtonsToWindowNormal,
                                 &Self::AddNoticeWindowButtonsToWindowIPhonePortrait,
                                 &Self::AddNoticeWindowButtonsToWindowIPhoneLandscape,
                                 &Self::AddNoticeWindowButtonsToWindowIPadPortrait,
                                 &Self::AddNoticeWindowButtonsToWindowIPadLandscape);
}

}  // namespace

NoticeCollectionController::NoticeCollectionController() { RemoveVars(); }

const ScreenLayout &NoticeCollectionController::GetLayout() { return kLayout; }

std::array<MWinButton **, 4> NoticeCollectionController::Widgets() {
  static_assert(sizeof(kWidgets) / sizeof(kWidgets[0]) == 4, "one member a widget");
  return {&mwinNoticeNoticeTitleButton, &mwinNoticeNoticeFrameButton, &mwinNoticeNoticeOkButton,
          &mwinNoticeNoticeTextButton};
}

char NoticeCollectionController::CreateCollection(MWin *mwin) {
  return ScreenLayoutBuildCollection(ENG_FUNC, mwin,
                                     [this](MWin *m, MWinDesktop *d) { return AddCollectionToDesktop(m, d); });
}

MWinCollection *NoticeCollectionController::AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop) {
  return ScreenLayoutBuildCollectionOnDesktop(ENG_FUNC, kLayout, mwin, desktop, &mwinNoticeCollection,
                                              [this](MWinCollection *c, _EngLayout l) { AddWindow(this, l, c); });
}

MWinWindow *NoticeCollectionController::AddNoticeWindow(const char *signature, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutBuildWindow(signature, kLayout, 0, layout, c, &mwinNoticeNoticeWindow, this,
                                 [this, layout](MWinWindow *w) { return AddButtons(this, layout, w); });
}

MWinWindow *NoticeCollectionController::AddNoticeWindowToCollectionNormal(MWinCollection *c) {
  return AddNoticeWindow(ENG_FUNC, ENG_LAYOUT_DESKTOP, c);
}
MWinWindow *NoticeCollectionController::AddNoticeWindowToCollectionIPhonePortrait(MWinCollection *c) {
  return AddNoticeWindow(ENG_FUNC, ENG_LAYOUT_PHONE_PORTRAIT, c);
}
MWinWindow *NoticeCollectionController::AddNoticeWindowToCollectionIPhoneLandscape(MWinCollection *c) {
  return AddNoticeWindow(ENG_FUNC, ENG_LAYOUT_PHONE_LANDSCAPE, c);
}
MWinWindow *NoticeCollectionController::AddNoticeWindowToCollectionIPadPortrait(MWinCollection *c) {
  return AddNoticeWindow(ENG_FUNC, ENG_LAYOUT_TABLET_PORTRAIT, c);
}
MWinWindow *NoticeCollectionController::AddNoticeWindowToCollectionIPadLandscape(MWinCollection *c) {
  return AddNoticeWindow(ENG_FUNC, ENG_LAYOUT_TABLET_LANDSCAPE, c);
}

char NoticeCollectionController::AddNoticeWindowButtonsToWindowNormal(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_DESKTOP, w, Widgets().data());
}
char NoticeCollectionController::AddNoticeWindowButtonsToWindowIPhonePortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_PHONE_PORTRAIT, w, Widgets().data());
}
char NoticeCollectionController::AddNoticeWindowButtonsToWindowIPhoneLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_PHONE_LANDSCAPE, w, Widgets().data());
}
char NoticeCollectionController::AddNoticeWindowButtonsToWindowIPadPortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_TABLET_PORTRAIT, w, Widgets().data());
}
char NoticeCollectionController::AddNoticeWindowButtonsToWindowIPadLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_TABLET_LANDSCAPE, w, Widgets().data());
}

void NoticeCollectionController::RemoveVars() {
  mwinNoticeCollection = nullptr;
  mwinNoticeNoticeWindow = nullptr;
  for (MWinButton **member : Widgets()) *member = nullptr;
}

void NoticeCollectionController::SetScreensVar(MWinScreens *screens) { ScreenLayoutSetScreensVar(this, screens, 1); }
