// The help screen in the real program under Xvfb, pressed with SDL events: opened from the
// main menu it turns the player's tutorial on, steps through its five pages, shows the keys
// and goes back with Escape.
#include <string>

#include "Engine/MWin/MWinScriptButton.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "screens/HelpCC.h"
#include "tests/screens/ScreensProgramTestSupport.h"

namespace {

// The first page as the text box must show it: the game's own help, word for word.
const char *const kFirstPage =
    "<0>Objective\n\nYour objective is to kill all bugs in your garden before they reach your house by destroying "
    "them with a variety of weapons.\n\n\n<1>Creating Factories & Weapons\n\nBefore you can create any weapons, you "
    "must first create a factory for that weapon. To create a factory, first select one by clicking on it with the "
    "mouse. Next move the mouse onto your garden and then click again to place the factory.\n\nAfter you create a "
    "factory one of your weapons will be available. Repeat the procedure above to place a weapon in the garden.";
const char *const kSecondPage =
    "<0>Upgrading\n\nA weapon can be upgraded to improve its capabilities. To upgrade a weapon To upgrade a weapon "
    "click on it and select \"Upgrade\" or simply press the \"U\" key when the mouse is over the weapon.\n\n\n"
    "<1>Full Upgrades\n\nA \"Full Upgrade\" upgrades a weapon to its maximum level, but takes the time and price of "
    "each of the individual upgrades added together. Select \"Full Upgrade\" or press the \"F\" key to do a full "
    "upgrade of the selected weapon.\n\nThe weapons level is displayed when you move the mouse over it.";

class HelpCCDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  HelpCC *Help() { return Screens()->GetHelpCC(); }
  std::string BoxText() {
    MWinScriptButton *box = Help()->GetInfoBox();
    return box && box->GetScriptText() ? box->GetScriptText() : "";
  }
};

TEST_F(HelpCCDisplayTest, ThePagesStepWithPrevAndNextAndTheLastOneSaysDone) {
  ASSERT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  _UserInfo *info = main_game->GetLoadedUser()->GetInfo();
  info->options.tutorial_on = 0;
  Click(Screens()->GetMainCC()->mwinMainMainHelpButton);
  ASSERT_EQ(Root()->GetCurrentScreen(), HELP_SCREEN_ID);
  EXPECT_EQ(info->options.tutorial_on, 1);

  HelpCC *help = Help();
  EXPECT_EQ(help->GetPage(), 0);
  EXPECT_EQ(BoxText(), kFirstPage);
  EXPECT_EQ(help->mwinHelpHelpPrevButton->IsEnabled(), 0);
  EXPECT_EQ(help->mwinHelpHelpNextButton->IsEnabled(), 1);
  EXPECT_EQ(help->mwinHelpHelpKeysButton->IsShown(), 1);
  EXPECT_STREQ(help->mwinHelpHelpBackButton->GetTextP(), "Back");
  EXPECT_GT(help->GetInfoBox()->GetNumParagraphs(), 3);
  Frame("help-page-1");

  // A click on the disabled Prev changes nothing.
  Click(help->mwinHelpHelpPrevButton);
  EXPECT_EQ(help->GetPage(), 0);
  EXPECT_EQ(BoxText(), kFirstPage);

  Click(help->mwinHelpHelpNextButton);
  EXPECT_EQ(help->GetPage(), 1);
  EXPECT_EQ(BoxText(), kSecondPage);
  EXPECT_EQ(help->mwinHelpHelpPrevButton->IsEnabled(), 1);
  EXPECT_STREQ(help->mwinHelpHelpBackButton->GetTextP(), "Back");
  for (int i = 0; i < 3; i++) Click(help->mwinHelpHelpNextButton);
  EXPECT_EQ(help->GetPage(), 4);
  EXPECT_EQ(BoxText().rfind("<0>Tips\n\nFactories, weapons and upgrades costs money.", 0), 0u) << BoxText();
  EXPECT_EQ(help->mwinHelpHelpNextButton->IsEnabled(), 0);
  EXPECT_STREQ(help->mwinHelpHelpBackButton->GetTextP(), "Done");
  Frame("help-page-5");
  // Next is disabled on the fifth page: a click on it changes nothing.
  const std::string fifth = BoxText();
  Click(help->mwinHelpHelpNextButton);
  EXPECT_EQ(help->GetPage(), 4);
  EXPECT_EQ(BoxText(), fifth);

  // Back a page: Next comes back, and Back keeps saying Done.
  Click(help->mwinHelpHelpPrevButton);
  EXPECT_EQ(help->GetPage(), 3);
  EXPECT_EQ(help->mwinHelpHelpNextButton->IsEnabled(), 1);
  EXPECT_STREQ(help->mwinHelpHelpBackButton->GetTextP(), "Done");
  EXPECT_EQ(BoxText().rfind("<0>Targeting\n\n", 0), 0u) << BoxText();

  // Keys lists the play keys in a popup.
  Click(help->mwinHelpHelpKeysButton);
  ASSERT_EQ(Root()->PopupIsOn(), 1);
  MWinButton *message = Root()->PopupGetWindow()->GetButtonFromID("MSG", 0);
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(std::string(message->GetTextP()).rfind("U: Upgrade Weapon\n\nF: Full Upgrade Weapon", 0), 0u);
  Frame("help-keys");
  Click(Root()->PopupGetWindow()->GetButtonFromID("OK", 0));
  Frames(2);
  EXPECT_EQ(Root()->PopupIsOn(), 0);
  EXPECT_EQ(Root()->GetCurrentScreen(), HELP_SCREEN_ID);

  // Escape is Back: the main menu again, and the page text is gone with the screen.
  Key(SDLK_ESCAPE);
  Frames(1);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(help->GetPageText(), nullptr);
  EXPECT_EQ(help->mwinHelpHelpInfoButton, nullptr);

  // Opened again, help starts on its first page with Back saying Back.
  Click(Screens()->GetMainCC()->mwinMainMainHelpButton);
  ASSERT_EQ(Root()->GetCurrentScreen(), HELP_SCREEN_ID);
  EXPECT_EQ(help->GetPage(), 0);
  EXPECT_STREQ(help->mwinHelpHelpBackButton->GetTextP(), "Back");
  EXPECT_EQ(BoxText(), kFirstPage);
  Click(help->mwinHelpHelpBackButton);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
}

}  // namespace
