// The other-games screen in the real program under Xvfb with a temporary HOME, reached from the
// main menu and pressed through the toolkit and with SDL key events: the first visit's row, Prev,
// Next and the arrow keys, a press acted on at the next tick, the pulse, the pictures, Escape.
#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"
#include "Engine/EngVarious.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinWindow.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Main.h"
#include "game/Program.h"
#include "online/GameAds.h"
#include "players/UserClass.h"
#include "players/UserScreens.h"
#include "screens/GameAdsCC.h"
#include "screens/MainCC.h"
#include "screens/MainControl.h"
#include "screens/VQ_Screens.h"
#include "tests/screens/ScreensProgramTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class GameAdsCCDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  // A press as the toolkit reports it, through its message queue: a pointer shared with other
  // windows on the server cannot move it.
  void Press(MWinButton *button) {
    ASSERT_NE(button, nullptr);
    ASSERT_NE(button->GetWindow(), nullptr);
    ASSERT_EQ(button->GetWindow()->SendButtonCallCallbackMessage(button, 1), 1);
    Frames(1);
  }
  GameAdsCC *Ads() { return main_game->GetScreens()->GetGameAdsCC(); }
  const char *Title() { return Ads()->mwinGameAdsMainWinTitleButton->GetTextP(); }
  void OpenOtherGames() {
    Press(Menu()->mwinMainMainOtherGamesButton);
    Frames(1);
    ASSERT_EQ(Root()->GetCurrentScreen(), GAME_ADS_SCREEN_ID);
  }
  // The frame as drawn now, as a binary PPM, for a person to look at.
  void SaveFrame(const char *path) { SavePpm(path, Frame()); }
};

TEST_F(GameAdsCCDisplayTest, AFirstVisitShowsTheOrchardAndPrevNextAndTheArrowsStepOnce) {
  UserClass *user = main_game->GetLoadedUser();
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(user->GetInfo()->other_games_pos, -1);
  EXPECT_EQ(Ads()->GetStyle(), 1);
  OpenOtherGames();
  EXPECT_STREQ(Title(), "FERNWHISTLE ORCHARD");
  EXPECT_EQ(user->GetInfo()->other_games_pos, 17);
  // The menu sets the screen's appearance on the way in.
  EXPECT_EQ(Ads()->GetStyle(), 0);
  EXPECT_FLOAT_EQ(Ads()->GetScale1(), 1.0f);
  EXPECT_FLOAT_EQ(Ads()->GetScale2(), 0.75f);
  EXPECT_STREQ(Ads()->mwinGameAdsMainWinDesc1Button->GetTextP(), GameAdsGetDescText(17, 0));
  // Both pictures are loaded and shown; the centred one is hidden.
  EXPECT_EQ(GameAdsGetAdTex1P()->IsOk(), 1);
  EXPECT_EQ(GameAdsGetAdTex2P()->IsOk(), 1);
  EXPECT_EQ(Ads()->mwinGameAdsMainWinPic1Button->HasCustomBack(), 1);
  EXPECT_EQ(Ads()->mwinGameAdsMainWinPic2Button->HasCustomBack(), 1);
  EXPECT_EQ(Ads()->mwinGameAdsMainWinPicCenButton->IsShown(), 0);
  if (const char *shot = getenv("QW_GADS_SCREENSHOT")) SaveFrame(shot);
  // Graphics made anew while on show (a new device) give the widgets their pictures back.
  main_game->GetScreens()->DestroyGraphics();
  EXPECT_EQ(Ads()->mwinGameAdsMainWinPic1Button->HasCustomBack(), 0);
  EXPECT_EQ(GameAdsGetAdTex1P()->IsOk(), 0);
  main_game->GetScreens()->CreateGraphics();
  EXPECT_EQ(GameAdsGetAdTex1P()->IsOk(), 1);
  EXPECT_EQ(Ads()->mwinGameAdsMainWinPic1Button->HasCustomBack(), 1);
  EXPECT_EQ(Ads()->mwinGameAdsMainWinPic2Button->HasCustomBack(), 1);

  // A press is only recorded while the toolkit reports it; the next tick acts on it.
  _MWinButtonCallbackInfo info = {};
  EXPECT_EQ(Ads()->ButtonsCallback(Ads()->mwinGameAdsMainWinPrevButton, &info), 1);
  EXPECT_EQ(game_ads_cur_game_ad, 17);
  Ads()->TickCB();
  EXPECT_EQ(game_ads_cur_game_ad, 16);
  EXPECT_STREQ(Title(), "GUSTERBY BALLOONS");
  EXPECT_EQ(user->GetInfo()->other_games_pos, 16);
  Press(Ads()->mwinGameAdsMainWinNextButton);
  Frames(1);
  EXPECT_STREQ(Title(), "FERNWHISTLE ORCHARD");
  Press(Ads()->mwinGameAdsMainWinNextButton);
  Frames(1);
  EXPECT_EQ(game_ads_cur_game_ad, 22);
  EXPECT_STREQ(Title(), "TUMBLECRUMB CASTLE");

  // One press of an arrow key is one step, however many frames pass.
  Key(SDLK_RIGHT, 0);
  Frames(3);
  EXPECT_EQ(game_ads_cur_game_ad, 23);
  Key(SDLK_LEFT, 0);
  Frames(3);
  EXPECT_EQ(game_ads_cur_game_ad, 22);
  // Round the end and back.
  GameAdsSetCurGameAd(24);
  Ads()->StartingCB(nullptr);
  Key(SDLK_RIGHT, 0);
  EXPECT_EQ(game_ads_cur_game_ad, 0);
  Key(SDLK_LEFT, 0);
  EXPECT_EQ(game_ads_cur_game_ad, 24);
  EXPECT_EQ(user->GetInfo()->other_games_pos, 24);

  // Escape is Back: the main menu again, with the row kept for the next visit.
  Key(SDLK_ESCAPE, 0);
  Frames(2);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(Ads()->GetMainButton(), nullptr);
  OpenOtherGames();
  EXPECT_EQ(game_ads_cur_game_ad, 24);
  EXPECT_STREQ(Title(), "DRIZZLEMOOR GOLF");
}

TEST_F(GameAdsCCDisplayTest, TheDownloadButtonPulsesUnlessItReadsDownload) {
  OpenOtherGames();
  MWinButton *main_button = Ads()->GetMainButton();
  ASSERT_EQ(main_button, Ads()->mwinGameAdsMainWinDownloadButton);
  EXPECT_STREQ(main_button->GetTextP(), "Instant Download");
  EXPECT_EQ(Ads()->IsPulsing(), 1);
  float low = 2, high = -1;
  for (int i = 0; i < 120; i++) {
    Ads()->TickCB();
    float a = main_button->GetTransparency();
    low = std::min(low, a);
    high = std::max(high, a);
  }
  EXPECT_GE(low, 0.7f - 1e-4f);
  EXPECT_LE(high, 1.0f + 1e-4f);
  EXPECT_LT(low, 0.75f);
  EXPECT_GT(high, 0.95f);
  // A button text of exactly "Download" stays still and opaque.
  main_button->SetText("Download");
  Ads()->StartingCB(nullptr);
  EXPECT_EQ(Ads()->IsPulsing(), 0);
  for (int i = 0; i < 30; i++) Ads()->TickCB();
  EXPECT_FLOAT_EQ(main_button->GetTransparency(), 1.0f);
}

TEST_F(GameAdsCCDisplayTest, DescriptionsFitTheirLinesAndStoreRowsNameTheirStore) {
  OpenOtherGames();
  MWinButton *desc = Ads()->mwinGameAdsMainWinDesc1Button;
  for (int row = 0; row < GAME_ADS_NUM_ROWS; row++) {
    for (int line = 0; line < GAME_ADS_DESC_LINES; line++) {
      desc->SetText(GameAdsGetDescText(row, line));
      EXPECT_LE(desc->GetTextWidth(), 590.0f) << row << ":" << line;
    }
  }
  // Rows not shown in the game still fill the screen by their kind.
  struct Case {
    int row;
    const char *title, *button;
    char one_pic;
  } cases[] = {{7, "SPROCKETMOTH  (iPhone)", "App Store", 0},
               {8, "SPROCKETMOTH  (iPad)", "App Store", 1},
               {9, "SPROCKETMOTH  (Android)", "Play Store", 0},
               {14, "TALLOWMERE CLASSICS", "Home Page", 0},
               {15, "TALLOWMERE GAMES", "Home Page", 1}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.row);
    game_ads[c.row].included = 1;
    GameAdsSetCurGameAd(c.row);
    Ads()->StartingCB(nullptr);
    EXPECT_STREQ(Title(), c.title);
    EXPECT_STREQ(Ads()->GetMainButton()->GetTextP(), c.button);
    EXPECT_EQ(Ads()->IsPulsing(), 0);
    EXPECT_EQ(Ads()->mwinGameAdsMainWinPicCenButton->IsShown(), c.one_pic);
    EXPECT_EQ(Ads()->mwinGameAdsMainWinPic1Button->IsShown(), c.one_pic ? 0 : 1);
  }
  // The store hint is a message popup, after the tick.
  GameAdsSetCurGameAd(9);
  Ads()->StartingCB(nullptr);
  _MWinButtonCallbackInfo info = {};
  Ads()->ButtonsCallback(Ads()->GetMainButton(), &info);
  EXPECT_EQ(Root()->PopupIsOn(), 0);
  Ads()->TickCB();
  EXPECT_EQ(Root()->PopupIsOn(), 1);
  Root()->PopupTurnOff();
  GameAdsSetupAdsToBeIncluded();
  // With one row shown there is nowhere to step to.
  for (GameAdInfo &row : game_ads) row.included = 0;
  game_ads[5].included = 1;
  Ads()->StartingCB(nullptr);
  EXPECT_EQ(Ads()->mwinGameAdsMainWinPrevButton->IsShown(), 0);
  EXPECT_EQ(Ads()->mwinGameAdsMainWinNextButton->IsShown(), 0);
  GameAdsSetupAdsToBeIncluded();
}

std::string broken_picture;
const char *MissingOrBrokenPictures(int, int pic) { return pic == 0 ? "GameAdMissing.jpg" : broken_picture.c_str(); }
const char *BrokenSecondPicture(int row, int pic) {
  return pic == 0 ? GameAdsGetPicFilenameCB(row, 0) : broken_picture.c_str();
}

TEST_F(GameAdsCCDisplayTest, MissingOrBrokenPicturesLeaveTheFrames) {
  OpenOtherGames();
  broken_picture = m_home.File("GameAdBroken.jpg");
  qwtest::WriteWholeFile(broken_picture, "\xff\xd8 not a picture");
  MWinButton *pic1 = Ads()->mwinGameAdsMainWinPic1Button, *pic2 = Ads()->mwinGameAdsMainWinPic2Button;
  GameAdsSetGetPicFilenameCB(MissingOrBrokenPictures);
  Ads()->NextCB();
  EXPECT_EQ(GameAdsGetAdTex1P()->IsOk(), 0);
  EXPECT_EQ(GameAdsGetAdTex2P()->IsOk(), 0);
  EXPECT_EQ(pic1->HasCustomBack(), 0);
  EXPECT_STREQ(pic1->GetBackTexButID(), "Back3");
  EXPECT_EQ(pic1->IsShown(), 1);
  EXPECT_EQ(Ads()->mwinGameAdsMainWinPic1BgButton->IsShown(), 1);
  GameAdsSetGetPicFilenameCB(BrokenSecondPicture);
  Ads()->NextCB();
  EXPECT_EQ(GameAdsGetAdTex1P()->IsOk(), 1);
  EXPECT_EQ(GameAdsGetAdTex2P()->IsOk(), 0);
  EXPECT_EQ(pic1->HasCustomBack(), 1);
  EXPECT_EQ(pic2->HasCustomBack(), 0);
  Frames(2);
}

TEST_F(GameAdsCCDisplayTest, TellAFriendEndsTheGameThenOpensTheBrowser) {
  std::string opener = m_home.File("opener.sh"), opened = m_home.File("opened.txt");
  qwtest::WriteWholeFile(opener, "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened + "'\n");
  ASSERT_EQ(chmod(opener.c_str(), 0700), 0);
  VariousSetBrowserOpenerForTests(opener.c_str());
  OpenOtherGames();
  Press(Ads()->mwinGameAdsMainWinTellAFriendButton);
  Frames(1);
  EXPECT_EQ(main_program->IsExiting(), 1);
  EXPECT_FALSE(qwtest::FileExists(opened));
  MainExitAndDeleteMainProgram(1);
  ASSERT_EQ(VariousWaitForBrowserOpenerForTests(), 0);
  EXPECT_EQ(qwtest::ReadWholeFile(opened),
            std::string(various_tallowmere_home_page) +
                "/cgi-bin/common/friend/ShowTellAFriend.cgi?from_prog=Quarrelwick&rec=Fernwhistle&&user_name=Player");
}

}  // namespace
