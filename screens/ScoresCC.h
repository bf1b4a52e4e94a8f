// The high-score screen 'STAT': one garden's scores for a date range in a table, the player's
// local list or the world table, garden buttons, the range
// choice, submitting, resetting the player's scores and the last game's row highlighted.
// The scores module reads the garden from here and tells the screen when its list changes.
#pragma once

#include "Engine/EngMiscDate.h"
#include "Engine/EngTypes.h"
#include "online/Scores.h"
#include "screens/layouts/ScoresCollectionController.h"

struct UserOptions;

class ScoresCC : public ScoresCollectionController, public ScoresScreenLink {
 public:
  enum { COLUMN_POS, COLUMN_DATE, COLUMN_NAME, COLUMN_COUNTRY, COLUMN_DEVICE, COLUMN_LEVEL, COLUMN_SCORE, NUM_COLUMNS };

  ScoresCC();
  ~ScoresCC() override;

  void StartingCB(void *data) override;
  void TickCB() override;
  void RenderCB(_MWinRenderStage stage) override;
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

  // Called by the scores module.
  void UpdateForNewGarden() override;
  void SetInfoMessage(const char *text) override;
  void InternetDoneAddingLastScore(char ok) override;
  void AddOnlineAfterPopupCB(char answer) override;
  static void AddOnlineAfterPopupCB_Static(MWin *mwin, char answer, void *data);

  void WhichCB();
  void RangeCB(MWin *mwin, _MWinButtonCallbackInfo *info, int a, int b);
  void GardenCB(char garden);
  void SetupList(int row);
  const char *FillTabPanelCB(int row, int column);
  void UpdateButtonsCB();
  void FindMeCB();
  void DoneCB();
  void SubmitCB();
  void UpdateCB();
  void ResetCB();
  void AddBestRangeScoreOnline(char range);
  void CancelAnyUpdates();
  char ViewingScoresScreen();
  const char *GetRangeStringCB(int item);
  void AfterResetPopupCB(char answer);
  void AfterAutoUpdatePopupCB(char answer);

  EngInt32 GetGarden() const { return ScoresGetCurrentGarden(); }
  char IsOnline();
  int GetRowCount() const { return m_row_count; }
  const ScoresScore *GetRowEntry(int row) const;

  // Cell texts: "37T" for level code 137; the date with two-digit years for 2000 to 2099;
  // a name longer than the limit cut to limit - 3 characters and "...".
  static void FormatLevel(EngInt32 code, char *out, int size);
  static void FormatDate(const _EngMiscDate *date, char day_first, char month_and_day_only, char *out, int size);
  static void FormatName(const char *name, int name_size, int limit, char *out, int size);

 private:
  UserOptions *Options();
  void ClearList();
  void UpdateHeading();

  int m_first_row = 0;
  int m_list_count = 0;
  ScoresScore *m_list = nullptr;
  int m_visible_rows = 15;
  int m_players_row = -1;
  int m_players_local_entry = -1;
  int m_found_row = -1;
  double m_found_time = 0;
  int m_columns[NUM_COLUMNS];
  int m_num_columns = 0;
  int m_name_limit = 22;
  char m_refresh_pending = 0;
  double m_refresh_time = 0;
  double m_failed_time = 0;
  double m_highlight_time = 0;
  double m_last_tick = -1;
  int m_row_map[SCORES_MAX_LOCAL];
  // Each row's country, looked up once with the list rather than at every frame's drawing.
  int m_row_country[SCORES_MAX_LOCAL];
  int m_row_count = 0;
  char m_cell[64];
};
