// The main menu in the real program, started in-process under Xvfb with a temporary HOME, and
// pressed with SDL mouse and key events as the X server delivers them: its texts, Change
// Player, New Game, the title's web page, Ctrl+F and Exit.
#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "Engine/EngContext.h"
#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "Engine/EngProgram.h"
#include "Engine/EngVarious.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinWindow.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Main.h"
#include "game/Program.h"
#include "game/SavedGame.h"
#include "players/UserClass.h"
#include "players/UserScreens.h"
#include "players/UsersCC.h"
#include "screens/MainCC.h"
#include "screens/MainControl.h"
#include "screens/SelectCC.h"
#include "screens/VQ_Screens.h"
#include "tests/screens/ScreensProgramTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class MainCCDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  // The title's pixels, from a frame drawn now; hiding the title gives the background alone.
  std::vector<unsigned char> TitleArea(bool with_title) {
    MWinButton *title = Menu()->mwinMainMainTitleButton;
    if (!with_title) title->Hide();
    main_game->Render();
    int x = int(128 * eng_main_window_x_ratio), w = int(384 * eng_main_window_x_ratio);
    int h = int(84 * eng_main_window_y_ratio);
    std::vector<unsigned char> rgb(size_t(w) * size_t(h) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, eng_main_window_height - h, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    title->SetShownFlag(1);
    return rgb;
  }
  int TitlePixelsDrawn() {
    std::vector<unsigned char> with = TitleArea(true), without = TitleArea(false);
    int differ = 0;
    for (size_t i = 0; i < with.size(); i += 3)
      if (abs(with[i] - without[i]) + abs(with[i + 1] - without[i + 1]) + abs(with[i + 2] - without[i + 2]) > 60)
        differ++;
    return differ;
  }
};

TEST_F(MainCCDisplayTest, TheMenuGreetsThePlayerAndItsButtonsDoWhatTheySay) {
  ASSERT_NE(main_game, nullptr);
  ASSERT_EQ(main_game->GetMWin()->GetCurrentScreen(), MAIN_SCREEN_ID);
  MainCC *menu = Menu();
  ASSERT_NE(menu->mwinMainMainWelcomeButton, nullptr);
  EXPECT_STREQ(menu->mwinMainMainWelcomeButton->GetTextP(), "Welcome, Player.");
  EXPECT_STREQ(menu->mwinMainMainVersionButton->GetTextP(), "Version 2.01");
  EXPECT_EQ(menu->mwinMainMainDebugButton->IsShown(), 0);
  EXPECT_EQ(menu->mwinMainMainReviewButton->IsShown(), 0);
  EXPECT_EQ(menu->mwinMainMainPlayButton->IsShown(), 1);
  EXPECT_EQ(MainControlGetTitlePicture()->AreGraphicsCreated(), 1);
  EXPECT_GT(TitlePixelsDrawn(), 2000);

  // A long Latin-1 name is greeted whole, narrowed to the line.
  UserClass *user = main_game->GetUser();
  const char *name = "Zo\xEB \xC5ngstr\xF6msdotter";
  ASSERT_EQ(user->CreateNewUser(name, "SE", 0), 1);
  user->AfterUserCreatedOrLoaded(1, 0);
  Frames(2);
  EXPECT_EQ(std::string(Menu()->mwinMainMainWelcomeButton->GetTextP()), std::string("Welcome, ") + name + ".");
  EXPECT_EQ(Menu()->mwinMainMainWelcomeButton->GetShrinkTextToFit(), 1);

  // Change Player clears "always start with this player" in the player file and saves the
  // display settings.
  user->AlwaysLoadThisUser(0);
  ASSERT_EQ(user->Save(1), 1);
  ASSERT_EQ(unlink(DataFile("Resolution.dat").c_str()), 0);
  Click(Menu()->mwinMainMainUserButton);
  EXPECT_TRUE(qwtest::FileExists(DataFile("Resolution.dat")));
  char always_load = 9, country[4] = {0};
  UserClass reader(nullptr, "Quarrelwick", 0, USER_ENCRYPTION_ACCEPT_PLAIN);
  ASSERT_EQ(reader.LoadUser(name, 1, &always_load, country), 1);
  EXPECT_EQ(always_load, 0);
  // The first players screen offers the player again, and its Continue leads back.
  ASSERT_EQ(main_game->GetMWin()->GetCurrentScreen(), USERS_SCREEN_ID);
  UsersCC *users = main_game->GetScreens()->GetUserScreens()->GetUsersCC();
  ASSERT_NE(users->mwinUsersMainWinContinueButton, nullptr);
  EXPECT_EQ(std::string(users->mwinUsersMainWinContinueButton->GetTextP()), std::string("Continue Player: ") + name);
  Click(users->mwinUsersMainWinContinueButton);
  Frames(2);
  ASSERT_EQ(main_game->GetMWin()->GetCurrentScreen(), MAIN_SCREEN_ID);

  // New Game deletes the resume game and offers the gardens; their Back leads to the menu again.
  SaveGame(0, 1);
  Click(Menu()->mwinMainMainPlayButton);
  EXPECT_EQ(DoesSavedGameExist(0, 1), 0);
  ASSERT_EQ(main_game->GetMWin()->GetCurrentScreen(), SELECT_SCREEN_ID);
  Click(main_game->GetScreens()->GetSelectCC()->mwinSelectMainBackButton);
  Frames(2);
  ASSERT_EQ(main_game->GetMWin()->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(MainControlGetTitlePicture()->AreGraphicsCreated(), 1);

  // The title asks, and Yes opens the game's page.
  std::string opener = m_home.File("opener.sh"), opened = m_home.File("opened.txt");
  qwtest::WriteWholeFile(opener, "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened + "'\n");
  ASSERT_EQ(chmod(opener.c_str(), 0700), 0);
  VariousSetBrowserOpenerForTests(opener.c_str());
  Click(Menu()->mwinMainMainTitleButton);
  MWin *mwin = main_game->GetMWin();
  ASSERT_EQ(mwin->PopupIsOn(), 1);
  MWinButton *yes = mwin->PopupGetWindow()->GetButtonFromID("OK", 0);
  Click(yes);
  Frames(2);
  ASSERT_EQ(VariousWaitForBrowserOpenerForTests(), 0);
  EXPECT_EQ(qwtest::ReadWholeFile(opened), std::string(various_tallowmere_home_page) + "/quarrelwick");
  if (mwin->PopupIsOn()) mwin->PopupTurnOff();
  Frames(1);

  // Ctrl+F: full screen, the device made anew, and the title drawn again.
  Key(SDLK_f, KMOD_LCTRL);
  Frames(3);
  EXPECT_EQ(eng_main_window_windowed, 0);
  ASSERT_EQ(main_game->GetMWin()->GetCurrentScreen(), MAIN_SCREEN_ID);
  ASSERT_NE(Menu()->mwinMainMainTitleButton, nullptr);
  EXPECT_EQ(MainControlGetTitlePicture()->AreGraphicsCreated(), 1);
  EXPECT_GT(TitlePixelsDrawn(), 2000);

  // Exit Game ends the loop.
  Click(Menu()->mwinMainMainExitButton);
  EXPECT_EQ(main_program->IsExiting(), 1);
}

// Left alone, the menu is drawn whole every frame and its title swells and shimmers from frame
// to frame, on the engine's clock.
TEST_F(MainCCDisplayTest, ATitleLeftAloneMovesEveryFrame) {
  ASSERT_EQ(main_game->GetMWin()->GetCurrentScreen(), MAIN_SCREEN_ID);
  HoldClock();
  const _Dimension title = *Menu()->mwinMainMainTitleButton->GetActualArea();
  std::vector<unsigned char> shown;
  auto look = [&] { shown = Pixels(int(title.x), int(title.y), int(title.width), int(title.height)); };
  // Well past the first seconds after the last input.
  for (int i = 0; i < 240; i++) RestingFrame(look);
  int moved = 0;
  std::vector<unsigned char> before = shown;
  for (int i = 0; i < 240; i++) {
    RestingFrame(look);
    moved += shown != before;
    before = shown;
  }
  EXPECT_GE(moved, 216);  // now and then two frames fall alike
  // The main loop shows every frame it draws.
  const EngInt32 swaps = EngContextSwapsMade_MAC();
  Frames(60);
  EXPECT_EQ(EngContextSwapsMade_MAC() - swaps, 60);
}

}  // namespace
