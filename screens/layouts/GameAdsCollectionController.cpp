#include "screens/layouts/GameAdsCollectionController.h"

#include <cstring>
#include <vector>

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kButtonText = {1, 1, 1, 0.7f};
constexpr _ColourRGBA kPicText = {0, 0, 0, 0.7f};
constexpr _ColourRGBA kDescText = {0.7f, 0.7f, 0.7f, 1};
constexpr _ColourRGBA kTitleText = {1, 1, 1, 0.8f};
constexpr _Vector2d kButtonScale = {1, 1.1f};
constexpr _Vector2d kOne = {1, 1};
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;
constexpr _MWinButtonType kPush = MWIN_BUTTON_PUSH;

// Every layout's rectangle in all five columns: each table is built for its own layouts only.
#define AREA(x, y, w, h) {{x, y, w, h}, {x, y, w, h}, {x, y, w, h}, {x, y, w, h}, {x, y, w, h}}

// ---- Normal (desktop)
const ScreenLayoutWidget kNormalWidgets[] = {
    {"Title", kPush, kNone, "GAME TITLE", "Main", kTitleText, {1.6f, 1.74f}, kCentre, ScreenPlaceholder().Label()},
    {"Pic1Bg", kPush, "Back1", "", "Main", kPicText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"Pic1", kPush, "Back3", "", "Main", kPicText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"Pic2Bg", kPush, "Back1", "", "Main", kPicText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"Pic2", kPush, kNone, "", "Main", kPicText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"PicCen", kPush, "Back1", "", "Main", kPicText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"Desc1", kPush, kNone, "Line 1 of the game description text.", "Main", kDescText, kOne, kCentre,
     ScreenPlaceholder().Label()},
    {"Desc2", kPush, kNone, "Line 2 of the game description text.", "Main", kDescText, kOne, kCentre,
     ScreenPlaceholder().Label()},
    {"Desc3", kPush, kNone, "Line 3 of the game description text.", "Main", kDescText, kOne, kCentre,
     ScreenPlaceholder().Label()},
    {"Desc4", kPush, kNone, "Line 4 of the game description text.", "Main", kDescText, kOne, kCentre,
     ScreenPlaceholder().Label()},
    {"Download", kPush, kDefault, "Instant Download", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("GameAds_Download")},
    {"TellAFriend", kPush, kDefault, "Tell A Friend", "Main", kButtonText, kButtonScale, kCentre,
     ScreenToken("GameAds_TellAFriend")},
    {"Prev", kPush, kDefault, "Prev", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("Common_Previous")},
    {"Next", kPush, kDefault, "Next", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("Common_Next")},
};
const _Dimension kNormalAreas[][ENG_NUM_LAYOUTS] = {
    AREA(150, 0, 341, 35),      AREA(52, 125, 258, 265),  AREA(52, 125, 257, 262),  AREA(329, 125, 258, 265),
    AREA(329, 125, 257, 262),   AREA(125, 100, 390, 290), AREA(25, 40, 590, 16),    AREA(25, 60, 590, 16),
    AREA(25, 80, 590, 16),      AREA(25, 100, 590, 16),   AREA(77.88f, 400, 130, 30), AREA(219.76f, 400, 130, 30),
    AREA(361.38f, 400, 95, 30), AREA(467.12f, 400, 95, 30),
};
static_assert(sizeof(kNormalAreas) / sizeof(kNormalAreas[0]) == sizeof(kNormalWidgets) / sizeof(kNormalWidgets[0]),
              "one area row a widget");

// ---- Phones and tablets
constexpr _ColourRGBA kPlatformColour = {0.35f, 0.55f, 0.25f, 1};
const ScreenLayoutWidget kPhonePortraitWidgets[] = {
    {"Title", kPush, kNone, "GAME TITLE", "Main", kTitleText, {1.4f, 1.5f}, kCentre, ScreenPlaceholder().Label()},
    {"Pic1", kPush, "Back3", "", "Main", kPicText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"Desc", kPush, kNone, "Game description text.", "Main", kDescText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"Platform", kPush, "Back1", "PLATFORM", "Main", kButtonText, kOne, kCentre,
     ScreenPlaceholder().Colour(kPlatformColour.r, kPlatformColour.g, kPlatformColour.b, kPlatformColour.a).Label()},
    {"Prev", kPush, kDefault, "Prev", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("Common_Previous")},
    {"Next", kPush, kDefault, "Next", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("Common_Next")},
    {"GetApp", kPush, kDefault, "Get App!", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("GameAds_GetApp")},
};
const _Dimension kPhonePortraitAreas[][ENG_NUM_LAYOUTS] = {
    AREA(20, 0, 600, 40),  AREA(170, 45, 300, 230), AREA(20, 280, 600, 60),  AREA(220, 345, 200, 25),
    AREA(20, 380, 140, 40), AREA(480, 380, 140, 40), AREA(220, 380, 200, 40),
};
const ScreenLayoutWidget kPhoneLandscapeWidgets[] = {
    {"Title", kPush, kNone, "GAME TITLE", "Main", kTitleText, {1.4f, 1.5f}, kCentre, ScreenPlaceholder().Label()},
    {"Pic1", kPush, "Back3", "", "Main", kPicText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"Desc", kPush, kNone, "Game description text.", "Main", kDescText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"Prev", kPush, kDefault, "Prev", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("Common_Previous")},
    {"Next", kPush, kDefault, "Next", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("Common_Next")},
    {"Back", kPush, kDefault, "Ok", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("Common_ButtonDone")},
    {"GetApp", kPush, kDefault, "Get App!", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("GameAds_GetApp")},
    {"Platform", kPush, kNone, "PLATFORM", "Main", kButtonText, kOne, kCentre, ScreenPlaceholder().Label()},
};
const _Dimension kPhoneLandscapeAreas[][ENG_NUM_LAYOUTS] = {
    AREA(20, 0, 600, 40),   AREA(20, 50, 280, 280),  AREA(320, 50, 300, 230), AREA(20, 350, 120, 45),
    AREA(160, 350, 120, 45), AREA(500, 350, 120, 45), AREA(320, 350, 160, 45), AREA(320, 290, 300, 30),
};
const ScreenLayoutWidget kPadWidgets[] = {
    {"Platform", kPush, kNone, "NoteText", "Main", kButtonText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"Title", kPush, kNone, "GAME TITLE", "Main", kTitleText, {1.6f, 1.74f}, kCentre, ScreenPlaceholder().Label()},
    {"Pic1Frame", kPush, "Back3", "", "Main", kPicText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"Pic1", kPush, "Black2", "", "Main", kPicText, kOne, kCentre, ScreenPlaceholder().Label()},
    {"Prev", kPush, kDefault, "Prev", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("Common_Previous")},
    {"Next", kPush, kDefault, "Next", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("Common_Next")},
    {"GetApp", kPush, kDefault, "Get App!", "Main", kButtonText, kButtonScale, kCentre, ScreenToken("GameAds_GetApp")},
    {"Desc1", kPush, kNone, "Line 1 of the game description text.", "Main", kDescText, kOne, kCentre,
     ScreenPlaceholder().Label()},
    {"Desc2", kPush, kNone, "Line 2 of the game description text.", "Main", kDescText, kOne, kCentre,
     ScreenPlaceholder().Label()},
    {"Desc3", kPush, kNone, "Line 3 of the game description text.", "Main", kDescText, kOne, kCentre,
     ScreenPlaceholder().Label()},
    {"Desc4", kPush, kNone, "Line 4 of the game description text.", "Main", kDescText, kOne, kCentre,
     ScreenPlaceholder().Label()},
};
const _Dimension kPadAreas[][ENG_NUM_LAYOUTS] = {
    AREA(20, 385, 600, 20),  AREA(150, 0, 341, 35),  AREA(185, 40, 270, 250), AREA(195, 50, 250, 230),
    AREA(40, 300, 110, 35),  AREA(490, 300, 110, 35), AREA(255, 300, 130, 35), AREA(25, 340, 590, 16),
    AREA(25, 356, 590, 16),  AREA(25, 372, 590, 16),  AREA(25, 388, 590, 16),
};
#undef AREA

constexpr ScreenLayoutWindowRecord kNormalRecord = {
    0,  0, 1, 0, 1, "Also by Tallowmere", kDefault, kNone, "Main", "Back", kDefault, "", "", "GameAds_AlsoText",
    "Common_ButtonGoBack", ""};
// The phone and tablet windows sit lower and carry no tokens for their title and buttons.
constexpr ScreenLayoutWindowRecord kMobileRecord = {
    0, 0, 1, 0, 1, "Also by Tallowmere", kDefault, kNone, "Main", "Back", kDefault, "", "", "", "", ""};
constexpr _Dimension kNormalArea = {0, 30, 640, 450};
constexpr _Dimension kMobileArea = {0, 50, 640, 420};
constexpr _ColourRGBA kWindowTitle = {1, 1, 1, 0.7f};
constexpr _Vector2d kWindowTitleScale = {1, 1.1f};

#define COUNT(a) int(sizeof(a) / sizeof(a[0]))
const ScreenLayoutWindow kNormalWindow[] = {
    {"MainWin", kNormalRecord, {kNormalArea, kNormalArea, kNormalArea, kNormalArea, kNormalArea}, kWindowTitle,
     kWindowTitleScale, kCentre, kNormalWidgets, COUNT(kNormalWidgets), kNormalAreas, nullptr, 0}};
const ScreenLayoutWindow kPhonePortraitWindow[] = {
    {"MainWin", kMobileRecord, {kMobileArea, kMobileArea, kMobileArea, kMobileArea, kMobileArea}, kWindowTitle,
     kWindowTitleScale, kCentre, kPhonePortraitWidgets, COUNT(kPhonePortraitWidgets), kPhonePortraitAreas, nullptr,
     0}};
const ScreenLayoutWindow kPhoneLandscapeWindow[] = {
    {"MainWin", kMobileRecord, {kMobileArea, kMobileArea, kMobileArea, kMobileArea, kMobileArea}, kWindowTitle,
     kWindowTitleScale, kCentre, kPhoneLandscapeWidgets, COUNT(kPhoneLandscapeWidgets), kPhoneLandscapeAreas,
     nullptr, 0}};
const ScreenLayoutWindow kPadWindow[] = {
    {"MainWin", kMobileRecord, {kMobileArea, kMobileArea, kMobileArea, kMobileArea, kMobileArea}, kWindowTitle,
     kWindowTitleScale, kCentre, kPadWidgets, COUNT(kPadWidgets), kPadAreas, nullptr, 0}};
static_assert(sizeof(kPhonePortraitAreas) / sizeof(kPhonePortraitAreas[0]) == COUNT(kPhonePortraitWidgets), "areas");
static_assert(sizeof(kPhoneLandscapeAreas) / sizeof(kPhoneLandscapeAreas[0]) == COUNT(kPhoneLandscapeWidgets),
              "areas");
static_assert(sizeof(kPadAreas) / sizeof(kPadAreas[0]) == COUNT(kPadWidgets), "areas");
#undef COUNT

const ScreenLayout kNormalLayout = {"GameAds", kNormalWindow, 1, 1};
const ScreenLayout kPhonePortraitLayout = {"GameAds", kPhonePortraitWindow, 1, 1};
const ScreenLayout kPhoneLandscapeLayout = {"GameAds", kPhoneLandscapeWindow, 1, 1};
const ScreenLayout kPadLayout = {"GameAds", kPadWindow, 1, 1};

}  // namespace

using Self = GameAdsCollectionController;

GameAdsCollectionController::GameAdsCollectionController() { RemoveVars(); }

const ScreenLayout &GameAdsCollectionController::GetLayout(_EngLayout device) {
  switch (device) {
    case ENG_LAYOUT_PHONE_PORTRAIT: return kPhonePortraitLayout;
    case ENG_LAYOUT_PHONE_LANDSCAPE: return kPhoneLandscapeLayout;
    case ENG_LAYOUT_TABLET_PORTRAIT:
    case ENG_LAYOUT_TABLET_LANDSCAPE: return kPadLayout;
    default: return kNormalLayout;
  }
}

std::array<MWinButton **, 19> GameAdsCollectionController::AllWidgets() {
  return {&mwinGameAdsMainWinTitleButton,    &mwinGameAdsMainWinPic1BgButton,      &mwinGameAdsMainWinPic1Button,
          &mwinGameAdsMainWinPic2BgButton,   &mwinGameAdsMainWinPic2Button,        &mwinGameAdsMainWinPicCenButton,
          &mwinGameAdsMainWinDesc1Button,    &mwinGameAdsMainWinDesc2Button,       &mwinGameAdsMainWinDesc3Button,
          &mwinGameAdsMainWinDesc4Button,    &mwinGameAdsMainWinDownloadButton,    &mwinGameAdsMainWinTellAFriendButton,
          &mwinGameAdsMainWinPrevButton,     &mwinGameAdsMainWinNextButton,        &mwinGameAdsMainWinDescButton,
          &mwinGameAdsMainWinPlatformButton, &mwinGameAdsMainWinGetAppButton,      &mwinGameAdsMainWinBackButton,
          &mwinGameAdsMainWinPic1FrameButton};
}

char GameAdsCollectionController::CreateCollection(MWin *mwin) {
  return ScreenLayoutBuildCollection(ENG_FUNC, mwin,
                                     [this](MWin *m, MWinDesktop *d) { return AddCollectionToDesktop(m, d); });
}

MWinCollection *GameAdsCollectionController::AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop) {
  return ScreenLayoutBuildCollectionOnDesktop(ENG_FUNC, kNormalLayout, mwin, desktop, &mwinGameAdsCollection,
                                              [this](MWinCollection *c, _EngLayout l) {
                                                ScreenLayoutCallBuilder(
                                                    this, l, c, &Self::AddMainWinWindowToCollectionNormal,
                                                    &Self::AddMainWinWindowToCollectionIPhonePortrait,
                                                    &Self::AddMainWinWindowToCollectionIPhoneLandscape,
                                                    &Self::AddMainWinWindowToCollectionIPadPortrait,
                                                    &Self::AddMainWinWindowToCollectionIPadLandscape);
                                              });
}

MWinWindow *Self::AddMainWinWindow(const char *signature, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutBuildWindow(signature, GetLayout(layout), 0, layout, c, &mwinGameAdsMainWinWindow, this,
                                 [this, layout](MWinWindow *w) {
                                   return ScreenLayoutCallBuilder(this, layout, w,
                                                                  &Self::AddMainWinWindowButtonsToWindowNormal,
                                                                  &Self::AddMainWinWindowButtonsToWindowIPhonePortrait,
                                                                  &Self::AddMainWinWindowButtonsToWindowIPhoneLandscape,
                                                                  &Self::AddMainWinWindowButtonsToWindowIPadPortrait,
                                                                  &Self::AddMainWinWindowButtonsToWindowIPadLandscape);
                                 });
}

// The members of the table's widgets, in its order, found by id.
char Self::AddMainWinButtons(const char *signature, _EngLayout layout, MWinWindow *w) {
  static const char *const kIds[19] = {"Title",  "Pic1Bg",      "Pic1", "Pic2Bg", "Pic2",     "PicCen", "Desc1",
                                       "Desc2",  "Desc3",       "Desc4", "Download", "TellAFriend", "Prev", "Next",
                                       "Desc",   "Platform",    "GetApp", "Back",  "Pic1Frame"};
  const ScreenLayout &table = GetLayout(layout);
  std::array<MWinButton **, 19> all = AllWidgets();
  // Widgets the layout does not have stay empty.
  for (MWinButton **member : all) *member = nullptr;
  std::vector<MWinButton **> members;
  for (int n = 0; n < table.windows[0].num_widgets; n++) {
    MWinButton **member = nullptr;
    for (int i = 0; i < 19; i++)
      if (strcmp(kIds[i], table.windows[0].widgets[n].id) == 0) member = all[size_t(i)];
    members.push_back(member);
  }
  return ScreenLayoutBuildWidgets(signature, table, 0, layout, w, members.data());
}

MWinWindow *Self::AddMainWinWindowToCollectionNormal(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_DESKTOP, c);
}
MWinWindow *Self::AddMainWinWindowToCollectionIPhonePortrait(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_PHONE_PORTRAIT, c);
}
MWinWindow *Self::AddMainWinWindowToCollectionIPhoneLandscape(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_PHONE_LANDSCAPE, c);
}
MWinWindow *Self::AddMainWinWindowToCollectionIPadPortrait(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_TABLET_PORTRAIT, c);
}
MWinWindow *Self::AddMainWinWindowToCollectionIPadLandscape(MWinCollection *c) {
  return AddMainWinWindow(ENG_FUNC, ENG_LAYOUT_TABLET_LANDSCAPE, c);
}

char Self::AddMainWinWindowButtonsToWindowNormal(MWinWindow *w) {
  return AddMainWinButtons(ENG_FUNC, ENG_LAYOUT_DESKTOP, w);
}
char Self::AddMainWinWindowButtonsToWindowIPhonePortrait(MWinWindow *w) {
  return AddMainWinButtons(ENG_FUNC, ENG_LAYOUT_PHONE_PORTRAIT, w);
}
char Self::AddMainWinWindowButtonsToWindowIPhoneLandscape(MWinWindow *w) {
  return AddMainWinButtons(ENG_FUNC, ENG_LAYOUT_PHONE_LANDSCAPE, w);
}
char Self::AddMainWinWindowButtonsToWindowIPadPortrait(MWinWindow *w) {
  return AddMainWinButtons(ENG_FUNC, ENG_LAYOUT_TABLET_PORTRAIT, w);
}
char Self::AddMainWinWindowButtonsToWindowIPadLandscape(MWinWindow *w) {
  return AddMainWinButtons(ENG_FUNC, ENG_LAYOUT_TABLET_LANDSCAPE, w);
}

void Self::RemoveVars() {
  mwinGameAdsCollection = nullptr;
  mwinGameAdsMainWinWindow = nullptr;
  for (MWinButton **member : AllWidgets()) *member = nullptr;
}

void Self::SetScreensVar(MWinScreens *screens) { ScreenLayoutSetScreensVar(this, screens, 1); }
