#include "screens/PauseCC.h"

#include "Engine/EngMisc.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinScreens.h"
#include "game/Game.h"
#include "game/Quarrelwick.h"
#include "game/SavedGame.h"
#include "online/Scores.h"
#include "screens/MainControl.h"
#include "screens/ScreensText.h"
#include "screens/VQ_Screens.h"

void PauseCC::StartingCB(void *) {
  MainControlCreateGraphics();
  MainControlSetupTitleButton(mwinPauseMainWinTitleButton);
  // Escape leaves the pause screen the way it came.
  if (mwinPauseMainWinResumeButton) mwinPauseMainWinResumeButton->SetEscapeButtonForParentWindow();
}

void PauseCC::GoTo(euint id) {
  MainControlDestroyGraphics();
  if (m_screens) m_screens->GotoScreen(id, nullptr);
}

void PauseCC::ResumeCB() {
  MainControlDestroyGraphics();
  if (m_game) m_game->ReturnToGame();
}

void PauseCC::ScoresCB() {
  MainControlDestroyGraphics();
  scores_control_from_pause = 1;
  if (m_screens) m_screens->GotoScreen(SCORES_SCREEN_ID, nullptr);
}

void PauseCC::HelpCB() { GoTo(HELP_SCREEN_ID); }
void PauseCC::SoundsCB() { GoTo(SOUNDS_SCREEN_ID); }
void PauseCC::OptionsCB() { GoTo(OPTIONS_SCREEN_ID); }

void PauseCC::QuitCB() {
  if (m_mwin)
    m_mwin->PopupOkCancel(nullptr, ScreensText("Pause_QuitQuestion", "Are you sure you wish to quit the game ?"),
                          AfterQuitPopupCB_Static, this);
}

void PauseCC::SaveCB() {
  if (SaveGame(0, 1)) {
    EngMiscCloseProgram();
    return;
  }
  // The game stays in memory and the player can try again or play on.
  if (m_mwin)
    m_mwin->PopupErrorMessage(ScreensText("Common_Error", "Error"),
                              ScreensText("Pause_SaveFailed", "The game could not be saved."));
}

void PauseCC::AfterQuitPopupCB_Static(MWin *, char result, void *user) {
  if (user) static_cast<PauseCC *>(user)->AfterQuitPopupCB(result);
}

void PauseCC::AfterQuitPopupCB(char result) {
  if (result != 1) return;
  RemoveSavedGame(0, 1);
  game_started = 0;
  GoTo(MAIN_SCREEN_ID);
}

char PauseCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) {
  if (!button || !info) return 0;
  if (button == mwinPauseMainWinResumeButton)
    ResumeCB();
  else if (button == mwinPauseMainWinScoresButton)
    ScoresCB();
  else if (button == mwinPauseMainWinHelpButton)
    HelpCB();
  else if (button == mwinPauseMainWinSoundsButton)
    SoundsCB();
  else if (button == mwinPauseMainWinOptionsButton)
    OptionsCB();
  else if (button == mwinPauseMainWinQuitButton)
    QuitCB();
  else if (button == mwinPauseMainWinSaveButton)
    SaveCB();
  else if (button == mwinPauseMainWinTitleButton)
    MainControlTitleButtonClicked(button);
  else
    return 0;
  return 1;
}
