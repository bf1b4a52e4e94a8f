#include "screens/OptionsCC.h"

#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "Engine/EngProgram.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "screens/MainControl.h"
#include "screens/ScreensText.h"
#include "screens/VQ_Screens.h"

namespace {

// The choices keep these pointers, not the texts: filled from the language as the screen starts.
const char *oc_off_on_strs[2];
const char *oc_no_yes_strs[2];
const char *oc_power_strs[2];
const char *date_format_list[2];

void FillLists() {
  oc_off_on_strs[0] = ScreensText("Options_Off", "Off");
  oc_off_on_strs[1] = ScreensText("Options_On", "On");
  oc_no_yes_strs[0] = ScreensText("Options_No", "No");
  oc_no_yes_strs[1] = ScreensText("Options_Yes", "Yes");
  oc_power_strs[0] = ScreensText("Options_PowerHigh", "High");
  oc_power_strs[1] = ScreensText("Options_PowerLow", "Low");
  date_format_list[0] = ScreensText("Options_DateMonthFirst", "MM/DD/YY");
  date_format_list[1] = ScreensText("Options_DateDayFirst", "DD/MM/YY");
}

// A choice of two entries over a player byte, which it shows and writes as it changes.
void Bind(MWinButton *button, const char **list, EngUInt8 *byte) {
  MWinChoice *choice = MWinChoice::From(button);
  if (!choice) return;
  choice->ChoiceSetStrings(2, list);
  if (byte) choice->ChoiceRegisterCharVariable(reinterpret_cast<char *>(byte), 0);
}

}  // namespace

int OptionsCC::PutOptionsInRange(UserOptions *o) {
  if (!o) return 0;
  int changed = 0;
  for (EngUInt8 *byte : {&o->show_startup_window, &o->always_load, &o->date_format, &o->processor_use})
    if (*byte > 1) {
      *byte = 1;
      changed++;
    }
  return changed;
}

UserOptions *OptionsCC::Options() {
  UserClass *user = m_game ? m_game->GetLoadedUser() : nullptr;
  return user ? &user->GetInfo()->options : nullptr;
}

void OptionsCC::UpdatePower() {
  if (!eng_main_program) return;
  UserOptions *o = Options();
  if (!o) return;
  eng_main_program->ConstantFrameRateLoopSleepLonger(o->processor_use ? 1 : 0);
}

void OptionsCC::StartingCB(void *) {
  // The menu let the title picture go as it left.
  if (mwinOptionsOptionsTitleButton && !MainControlGetTitlePicture()->AreGraphicsCreated()) MainControlCreateGraphics();
  MainControlSetupTitleButton(mwinOptionsOptionsTitleButton);
  FillLists();
  UserOptions *o = Options();
  PutOptionsInRange(o);
  Bind(mwinOptionsOptionsShowResButton, oc_off_on_strs, o ? &o->show_startup_window : nullptr);
  Bind(mwinOptionsOptionsOneUserButton, oc_no_yes_strs, o ? &o->always_load : nullptr);
  Bind(mwinOptionsOptionsPowerButton, oc_power_strs, o ? &o->processor_use : nullptr);
  if (mwinOptionsOptionsDateFormatButton)
    Bind(mwinOptionsOptionsDateFormatButton, date_format_list, o ? &o->date_format : nullptr);
  if (mwinOptionsOptionsBackButton) mwinOptionsOptionsBackButton->SetEscapeButtonForParentWindow();
}

void OptionsPower2InfoCB(MWin *mwin, char, void *) {
  if (!mwin) return;
  mwin->PopupMessage(ScreensText("Options_PowerInfoTitle", "CPU Usage"),
                     ScreensText("Options_PowerInfo2Text",
                                 "Use the default value of \"High\" unless you need to run other applications while "
                                 "playing the game.\n\nIf you have a laptop and it starts to heat up while playing, "
                                 "then you should use the \"Low\" setting."));
}

void OptionsCC::GoBack() {
  MainControlDestroyGraphics();
  if (!m_screens) return;
  m_screens->GoBack();
  // Nowhere to go back to: the screen stays, and so does its title.
  if (m_screens->GetCurrentScreen() == OPTIONS_SCREEN_ID && mwinOptionsOptionsTitleButton) MainControlCreateGraphics();
}

char OptionsCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) {
  if (!button || !info) return 0;
  if (button == mwinOptionsOptionsPowerButton) {
    // The choice has written the byte already.
    UpdatePower();
  } else if (button == mwinOptionsOptionsShowResButton || button == mwinOptionsOptionsOneUserButton ||
             button == mwinOptionsOptionsDateFormatButton) {
    // Only the bound byte changes; the player module writes the file.
  } else if (button == mwinOptionsOptionsShowResInfoButton) {
    if (m_mwin)
      m_mwin->PopupMessage(ScreensText("Options_ShowResInfoTitle", "Startup Window"),
                           ScreensText("Options_ShowResInfoText", "Show or skip the initial startup settings window."));
  } else if (button == mwinOptionsOptionsOneUserInfoButton) {
    if (m_mwin)
      m_mwin->PopupMessage(ScreensText("Options_OneUserInfoText",
                                       "Turn this option on to always load the same user at startup and skip the "
                                       "user selection screen."));
  } else if (button == mwinOptionsOptionsPowerInfoButton) {
    if (m_mwin)
      m_mwin->PopupMessage(ScreensText("Options_PowerInfoTitle", "CPU Usage"),
                           ScreensText("Options_PowerInfoText",
                                       "This option controls how much of your computer's processing power the game "
                                       "uses.\n\nIf CPU Usage is reduced, the smoothness of the graphics can be "
                                       "affected."),
                           OptionsPower2InfoCB, this);
  } else if (button == mwinOptionsOptionsDateFormatInfoButton) {
    if (m_mwin)
      m_mwin->PopupMessage(ScreensText("Options_DateFormatInfoTitle", "Date Format"),
                           ScreensText("Options_DateFormatInfoText",
                                       "This controls how the date is displayed in the high scores list."));
  } else if (button == mwinOptionsOptionsTitleButton) {
    MainControlTitleButtonClicked(button);
  } else if (button == mwinOptionsOptionsBackButton) {
    if (UserOptions *o = Options()) resolution.show_dialog = char(o->show_startup_window);
    GoBack();
  } else {
    return 0;
  }
  return 1;
}
