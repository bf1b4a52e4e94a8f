// The resume game and the game over in the real program, started in-process under Xvfb with a
// temporary HOME and clicked with SDL events: a game left with its player is offered again when
// the player comes back, Yes puts it back as it was, and a lost game shows its picture until a
// click leads to the high scores. Screenshots stay in the build folder.
#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngVarious.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinWindow.h"
#include "Engine/Resolution.h"
#include "game/Bugs.h"
#include "game/Game.h"
#include "game/GameOver.h"
#include "game/Levels.h"
#include "game/Main.h"
#include "game/Program.h"
#include "game/Quarrelwick.h"
#include "game/Weapons.h"
#include "players/UserClass.h"
#include "players/UserScreens.h"
#include "screens/MainControl.h"
#include "screens/VQ_Screens.h"
#include "tests/screens/ScreensProgramTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class ResumeDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  ResumeDisplayTest() { m_player = "Ann"; }

  MWinButton *PopupButton(const char *text) {
    MWinWindow *window = main_game->GetMWin()->PopupGetWindow();
    for (MWinButton *b = window ? window->GetFirstButton() : nullptr; b; b = b->GetNext())
      if (b->GetTextP() && std::string(b->GetTextP()) == text) return b;
    return nullptr;
  }
  std::string PopupTexts() {
    std::string texts;
    MWinWindow *window = main_game->GetMWin()->PopupGetWindow();
    for (MWinButton *b = window ? window->GetFirstButton() : nullptr; b; b = b->GetNext())
      if (b->GetTextP() && b->GetTextP()[0]) texts += std::string(b->GetTextP()) + "|";
    return texts;
  }
  void Shot(const char *name) {
    std::vector<unsigned char> frame = Frame();
    EXPECT_TRUE(EngJpegWriteFileFromBuffer((m_build + "/" + name).c_str(), 90, 72, 640, 480, frame.data()));
  }
};

TEST_F(ResumeDisplayTest, ALeftGameIsOfferedAgainAndALostOneEndsOnTheScores) {
  MWin *mwin = main_game->GetMWin();
  // Into play in the first garden, with three weapons beside the road (the middle one sold)
  // and the wave walked in.
  level_garden = 0;
  level_difficulty = 0;
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  main_game->ReturnToGame();
  cash = 5000;
  int placed = 0;
  for (float x = -0.8f; x < 0.8f && placed < 3; x += 0.05f)
    if (WeaponsCanPlaceWeaponHere(0, x, 0.9f, 0)) placed += WeaponsCreateNew(0, x, 0.9f, 0, 0) ? 1 : 0;
  ASSERT_EQ(placed, 3);
  WeaponsSellWeapon(1);
  game_paused = 0;
  Frames(120);
  game_paused = 1;
  Frames(1);
  std::vector<float> places;
  for (int i = 0; i < num_bugs; i++) places.push_back(bugs[i] ? bugs[i]->path_pos : -1.0f);
  const EngInt32 kept_cash = cash, kept_score = score, kept_wave = bug_level_num;
  const float second_x = weapons[2]->x;

  // The player leaves (saved as at exit) and comes back to a fresh start.
  main_game->UserIsBeingUnloaded();
  EXPECT_TRUE(qwtest::FileExists(m_home.File(".local/share/Tallowmere/Quarrelwick/Users/Ann_SavedGame00.dat")));
  QuarrelwickInitForNewGame(0);
  UserClass *user = main_game->GetUser();
  ASSERT_EQ(user->LoadUser("Ann", 0, nullptr, nullptr), 1);
  user->AfterUserCreatedOrLoaded(0, 0);
  Frames(2);
  ASSERT_EQ(mwin->GetCurrentScreen(), MAIN_SCREEN_ID);
  ASSERT_EQ(mwin->PopupIsOn(), 1);
  EXPECT_NE(PopupTexts().find("Resume your last game?"), std::string::npos) << PopupTexts();
  Shot("ResumeAsked.jpg");

  Click(PopupButton("Yes"));
  Frames(2);
  EXPECT_EQ(mwin->AreScreensOn(), 0);
  EXPECT_EQ(game_started, 1);
  EXPECT_EQ(game_paused, 1);
  EXPECT_EQ(cash, kept_cash);
  EXPECT_EQ(score, kept_score);
  EXPECT_EQ(bug_level_num, kept_wave);
  EXPECT_EQ(num_weapons, 2);
  ASSERT_NE(weapons[1], nullptr);
  EXPECT_FLOAT_EQ(weapons[1]->x, second_x);
  for (size_t i = 0; i < places.size(); i++) {
    if (places[i] < 0.0f) continue;
    ASSERT_NE(bugs[i], nullptr) << i;
    EXPECT_FLOAT_EQ(bugs[i]->path_pos, places[i]) << i;
  }
  Shot("ResumedGame.jpg");

  // Lost: the picture throbs, a click within the second does nothing, a later one shows the
  // high scores. The second is the engine's, counted in frames.
  HoldClock();
  game_paused = 0;
  lives = 1;
  QuarrelwickChangeLives(-1);
  ASSERT_EQ(game_over, 1);
  ClickAtPixel(400, 240);
  EXPECT_EQ(game_over, 1);
  Frames(90);
  EXPECT_EQ(GameOverGetStage(), 1);
  Shot("GameOverInTheProgram.jpg");
  while (eng_main_current_time - game_over_time <= 1.1) Frames(1);
  ClickAtPixel(400, 240);
  Frames(2);
  EXPECT_EQ(game_over, 0);
  EXPECT_EQ(mwin->AreScreensOn(), 1);
  EXPECT_EQ(mwin->GetCurrentScreen(), SCORES_SCREEN_ID);
  // The lost game is no longer offered.
  EXPECT_FALSE(qwtest::FileExists(m_home.File(".local/share/Tallowmere/Quarrelwick/Users/Ann_SavedGame00.dat")));
}

}  // namespace
