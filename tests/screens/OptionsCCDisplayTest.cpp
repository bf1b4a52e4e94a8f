// The options screen in the real program under Xvfb, pressed with SDL events: the player's bytes
// shown and written by the choices (a hostile processor-use byte put back in range), CPU Usage
// applied to the main loop at once, Escape handing the startup window to the display settings,
// and the "?" popups, CPU Usage's two in turn.
#include <string>

#include "Engine/EngLanguages.h"
#include "Engine/EngPicture.h"
#include "Engine/MWin/MWinChoice.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "screens/OptionsCC.h"
#include "tests/screens/ScreensProgramTestSupport.h"

namespace {

class OptionsCCDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  OptionsCC *Options() { return Screens()->GetOptionsCC(); }
  UserOptions *Player() { return &main_game->GetLoadedUser()->GetInfo()->options; }
  void Open() {
    Click(Screens()->GetMainCC()->mwinMainMainOptionsButton);
    ASSERT_EQ(Root()->GetCurrentScreen(), OPTIONS_SCREEN_ID);
  }
  // A click on one entry of a two-entry choice.
  void Choose(MWinButton *choice, int entry) { ClickAt(choice, (float(entry) + 0.5f) / 2.0f); }
  static int Sel(MWinButton *choice) { return MWinChoice::From(choice)->ChoiceGetSel(); }
  static std::string Shown(MWinButton *choice) {
    MWinChoice *c = MWinChoice::From(choice);
    return c->ChoiceGetString(c->ChoiceGetSel());
  }
  std::string PopupText() {
    MWinButton *message = Root()->PopupGetWindow()->GetButtonFromID("MSG", 0);
    return message ? message->GetTextP() : "";
  }
  std::string PopupTitle() {
    const _MWinWindowCreateInfo *info = Root()->PopupGetWindow()->GetCreateInfo();
    return info->has_title_bar ? info->title_text : "";
  }
  void ClosePopup() {
    Click(Root()->PopupGetWindow()->GetButtonFromID("OK", 0));
    Frames(2);
  }
};

TEST_F(OptionsCCDisplayTest, TheChoicesShowAndWriteThePlayersBytesAndCpuUsageReachesTheMainLoopAtOnce) {
  ASSERT_NE(main_game->GetLoadedUser(), nullptr);
  UserOptions *o = Player();
  o->show_startup_window = 1;
  o->always_load = 0;
  o->date_format = 1;
  // An edited player file: a processor-use byte that no entry shows.
  o->processor_use = 5;
  main_program->ConstantFrameRateLoopSleepLonger(0);
  Open();
  OptionsCC *options = Options();
  EXPECT_EQ(MainControlGetTitlePicture()->AreGraphicsCreated(), 1);
  EXPECT_EQ(Sel(options->mwinOptionsOptionsPowerButton), 1);
  EXPECT_EQ(Shown(options->mwinOptionsOptionsPowerButton), "Low");
  EXPECT_EQ(o->processor_use, 1);
  EXPECT_EQ(Shown(options->mwinOptionsOptionsShowResButton), "On");
  EXPECT_EQ(Shown(options->mwinOptionsOptionsOneUserButton), "No");
  EXPECT_EQ(Shown(options->mwinOptionsOptionsDateFormatButton), "DD/MM/YY");
  EXPECT_EQ(options->mwinOptionsOptionsWindow->GetEscapeButton(), options->mwinOptionsOptionsBackButton);
  Frame("options");

  // CPU Usage: the byte and the main loop's sleep follow each click.
  Choose(options->mwinOptionsOptionsPowerButton, 0);
  EXPECT_EQ(o->processor_use, 0);
  EXPECT_EQ(main_program->ConstantFrameRateLoopSleepsLonger(), 0);
  Choose(options->mwinOptionsOptionsPowerButton, 1);
  EXPECT_EQ(o->processor_use, 1);
  EXPECT_EQ(main_program->ConstantFrameRateLoopSleepsLonger(), 1);
  EXPECT_EQ(Shown(options->mwinOptionsOptionsPowerButton), "Low");
  // The others only change their bytes.
  Choose(options->mwinOptionsOptionsOneUserButton, 1);
  EXPECT_EQ(o->always_load, 1);
  Choose(options->mwinOptionsOptionsDateFormatButton, 0);
  EXPECT_EQ(o->date_format, 0);
  EXPECT_EQ(Root()->GetCurrentScreen(), OPTIONS_SCREEN_ID);

  // A player loaded later brings its own processor use along.
  o->processor_use = 0;
  main_game->AfterUserLoaded(0, 0);
  if (Root()->PopupIsOn()) Root()->PopupTurnOff();
  EXPECT_EQ(main_program->ConstantFrameRateLoopSleepsLonger(), 0);
  o->processor_use = 1;
  main_game->AfterUserLoaded(0, 0);
  if (Root()->PopupIsOn()) Root()->PopupTurnOff();
  EXPECT_EQ(main_program->ConstantFrameRateLoopSleepsLonger(), 1);
}

TEST_F(OptionsCCDisplayTest, EscapeAndBackHandTheStartupWindowToTheDisplaySettings) {
  UserOptions *o = Player();
  o->show_startup_window = 0;
  resolution.show_dialog = 0;
  Open();
  Choose(Options()->mwinOptionsOptionsShowResButton, 1);
  EXPECT_EQ(o->show_startup_window, 1);
  // Only leaving hands it on.
  EXPECT_EQ(resolution.show_dialog, 0);
  Key(SDLK_ESCAPE);
  Frames(1);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(resolution.show_dialog, 1);
  EXPECT_EQ(Options()->mwinOptionsOptionsBackButton, nullptr);
  // The menu has its title picture again.
  EXPECT_EQ(MainControlGetTitlePicture()->AreGraphicsCreated(), 1);

  Open();
  EXPECT_EQ(Shown(Options()->mwinOptionsOptionsShowResButton), "On");
  Choose(Options()->mwinOptionsOptionsShowResButton, 0);
  Click(Options()->mwinOptionsOptionsBackButton);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(resolution.show_dialog, 0);
  EXPECT_EQ(o->show_startup_window, 0);
}

TEST_F(OptionsCCDisplayTest, EachQuestionMarkExplainsItsOptionAndCpuUsageTakesTwoPopupsInTurn) {
  // The texts below come from the game's language file.
  EXPECT_EQ(EngLangTokenExists("Options_PowerInfo2Text"), 1);
  Open();
  struct Case {
    MWinButton *OptionsCC::*button;
    const char *title;
    const char *text_start;
    const char *second_text_end;
  } cases[] = {
      {&OptionsCC::mwinOptionsOptionsShowResInfoButton, "Startup Window", "Show or skip the initial startup", nullptr},
      {&OptionsCC::mwinOptionsOptionsOneUserInfoButton, "", "Turn this option on to always load", nullptr},
      {&OptionsCC::mwinOptionsOptionsDateFormatInfoButton, "Date Format", "This controls how the date", nullptr},
      {&OptionsCC::mwinOptionsOptionsPowerInfoButton, "CPU Usage", "This option controls how much",
       "then you should use the \"Low\" setting."},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text_start);
    Click(Options()->*c.button);
    ASSERT_EQ(Root()->PopupIsOn(), 1);
    EXPECT_EQ(PopupTitle(), c.title);
    EXPECT_EQ(PopupText().rfind(c.text_start, 0), 0u) << PopupText();
    if (c.second_text_end) {
      EXPECT_NE(PopupText().find("\n\nIf CPU Usage is reduced"), std::string::npos) << PopupText();
      Frame("options-cpu-info");
      ClosePopup();
      // The second follows as the first closes.
      ASSERT_EQ(Root()->PopupIsOn(), 1);
      EXPECT_EQ(PopupTitle(), "CPU Usage");
      const std::string second = PopupText(), end = c.second_text_end;
      EXPECT_EQ(second.rfind("Use the default value of \"High\"", 0), 0u) << second;
      ASSERT_GE(second.size(), end.size());
      EXPECT_EQ(second.substr(second.size() - end.size()), end);
      Frame("options-cpu-info-2");
    }
    ClosePopup();
    EXPECT_EQ(Root()->PopupIsOn(), 0);
    EXPECT_EQ(Root()->GetCurrentScreen(), OPTIONS_SCREEN_ID);
  }
  _MWinButtonCallbackInfo info = {};
  EXPECT_EQ(Options()->ButtonsCallback(nullptr, &info), 0);
  EXPECT_EQ(Options()->ButtonsCallback(Options()->mwinOptionsOptionsPowerTButton, &info), 0);
  EXPECT_EQ(Options()->ButtonsCallback(Options()->mwinOptionsOptionsBackButton, nullptr), 0);
}

}  // namespace
