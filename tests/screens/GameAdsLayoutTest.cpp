// The other-games screen's layout on the real toolkit: each device layout builds its own set of
// widgets (the phone and tablet sets differ from the desktop's), and every token it uses is in
// the English texts.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "Engine/EngFont.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinWindow.h"
#include "screens/ScreenLayout.h"
#include "screens/layouts/GameAdsCollectionController.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/screens/LayoutTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class GameAdsLayout : public qwtest::LayoutOnly<GameAdsCollectionController> {
 public:

  // Every member by its widget id.
  std::vector<std::pair<std::string, MWinButton *>> Members() const {
    return {{"Title", mwinGameAdsMainWinTitleButton},   {"Pic1Bg", mwinGameAdsMainWinPic1BgButton},
            {"Pic1", mwinGameAdsMainWinPic1Button},     {"Pic2Bg", mwinGameAdsMainWinPic2BgButton},
            {"Pic2", mwinGameAdsMainWinPic2Button},     {"PicCen", mwinGameAdsMainWinPicCenButton},
            {"Desc1", mwinGameAdsMainWinDesc1Button},   {"Desc2", mwinGameAdsMainWinDesc2Button},
            {"Desc3", mwinGameAdsMainWinDesc3Button},   {"Desc4", mwinGameAdsMainWinDesc4Button},
            {"Download", mwinGameAdsMainWinDownloadButton}, {"TellAFriend", mwinGameAdsMainWinTellAFriendButton},
            {"Prev", mwinGameAdsMainWinPrevButton},     {"Next", mwinGameAdsMainWinNextButton},
            {"Desc", mwinGameAdsMainWinDescButton},     {"Platform", mwinGameAdsMainWinPlatformButton},
            {"GetApp", mwinGameAdsMainWinGetAppButton}, {"Back", mwinGameAdsMainWinBackButton},
            {"Pic1Frame", mwinGameAdsMainWinPic1FrameButton}};
  }
};

class GameAdsLayoutTest : public qwtest::LayoutTest {
 protected:
};

TEST_F(GameAdsLayoutTest, EachDeviceLayoutBuildsItsOwnWidgets) {
  const std::vector<std::string> normal = {"Title", "Pic1Bg", "Pic1",     "Pic2Bg",      "Pic2", "PicCen", "Desc1",
                                           "Desc2", "Desc3",  "Desc4",    "Download",    "TellAFriend", "Prev", "Next"};
  const std::vector<std::string> phone_portrait = {"Title", "Pic1", "Desc", "Platform", "Prev", "Next", "GetApp"};
  const std::vector<std::string> phone_landscape = {"Title", "Pic1", "Desc", "Prev", "Next", "Back", "GetApp",
                                                    "Platform"};
  const std::vector<std::string> pad = {"Platform", "Title", "Pic1Frame", "Pic1",  "Prev", "Next",
                                        "GetApp",   "Desc1", "Desc2",     "Desc3", "Desc4"};
  const std::vector<std::string> *sets[] = {&normal, &phone_portrait, &phone_landscape, &pad, &pad};
  for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++) {
    SCOPED_TRACE(layout);
    mwin->SetScreenLayout(_EngLayout(layout));
    GameAdsLayout ads;
    ASSERT_EQ(ads.CreateCollection(mwin), 1);
    ASSERT_NE(ads.mwinGameAdsMainWinWindow, nullptr);
    MWinWindow *window = ads.mwinGameAdsMainWinWindow;
    const std::vector<std::string> &expected = *sets[layout];
    EXPECT_EQ(window->GetNumButtons(), int(expected.size()));
    std::set<std::string> wanted(expected.begin(), expected.end());
    for (const auto &member : ads.Members()) {
      bool should = wanted.count(member.first) > 0;
      EXPECT_EQ(member.second != nullptr, should) << member.first;
      EXPECT_EQ(window->GetButtonFromID(member.first.c_str(), 0), member.second) << member.first;
    }
    const _Dimension *area = window->GetOrigArea();
    if (layout == 0)
      EXPECT_FLOAT_EQ(area->y, 30.0f);
    else
      EXPECT_GE(area->y, 50.0f);
    EXPECT_LT(area->height, 451.0f);
    EXPECT_NE(window->GetHideButton(), nullptr);
    EXPECT_EQ(window->GetController(0), &ads);
    ads.RemoveVars();
    for (const auto &member : ads.Members()) EXPECT_EQ(member.second, nullptr);
    Desktop()->RemoveAllCollections();
  }
}

TEST_F(GameAdsLayoutTest, TheDesktopWidgetsHaveTheirPlacesAndLooks) {
  GameAdsLayout ads;
  ASSERT_EQ(ads.CreateCollection(mwin), 1);
  struct Case {
    MWinButton *button;
    _Dimension area;
    const char *text;
  } cases[] = {{ads.mwinGameAdsMainWinTitleButton, {150, 0, 341, 35}, "GAME TITLE"},
               {ads.mwinGameAdsMainWinPic1Button, {52, 125, 257, 262}, ""},
               {ads.mwinGameAdsMainWinPicCenButton, {125, 100, 390, 290}, ""},
               {ads.mwinGameAdsMainWinDesc4Button, {25, 100, 590, 16}, "Line 4 of the game description text."},
               {ads.mwinGameAdsMainWinDownloadButton, {77.88f, 400, 130, 30}, "Instant Download"},
               {ads.mwinGameAdsMainWinNextButton, {467.12f, 400, 95, 30}, "Next"}};
  for (const Case &c : cases) {
    ASSERT_NE(c.button, nullptr);
    SCOPED_TRACE(c.button->GetID());
    qwtest::ExpectArea(c.button->GetOrigArea(), c.area);
    EXPECT_STREQ(c.button->GetTextP() ? c.button->GetTextP() : "", c.text);
    EXPECT_EQ(c.button->GetTextAlign(), MWIN_ALIGN_CENTRE);
    EXPECT_STREQ(c.button->GetFontID(), "Main");
  }
  EXPECT_EQ(ads.mwinGameAdsMainWinTitleButton->IsLanguageTokenMode(), 0);
}

TEST_F(GameAdsLayoutTest, EveryTokenTheTablesUseIsInTheEnglishTexts) {
  const std::string english = qwtest::ReadWholeFile(qwtest::SourceDir() + "/resources/CommonTexts/English.txt");
  for (int device = 0; device < ENG_NUM_LAYOUTS; device++) {
    const ScreenLayout &layout = GameAdsCollectionController::GetLayout(_EngLayout(device));
    const ScreenLayoutWindow &window = layout.windows[0];
    for (int n = 0; n < window.num_widgets; n++) {
      const ScreenLayoutWidget *row = ScreenLayoutGetWidget(window, n, _EngLayout(device));
      if (row->settings.token_rule != 2) continue;
      EXPECT_NE(english.find(std::string("\n") + row->settings.token + "=" + row->text), std::string::npos)
          << row->settings.token;
    }
    for (const char *token : {window.record.title_token, window.record.hide_token, window.record.extra_token})
      if (token[0]) {
        EXPECT_NE(english.find(std::string("\n") + token + "="), std::string::npos) << token;
      }
  }
}

}  // namespace
