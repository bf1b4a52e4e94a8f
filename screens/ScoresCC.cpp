#include "screens/ScoresCC.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinTabPanel.h"
#include "Engine/MWin/MWinWindow.h"
#include "game/Game.h"
#include "game/Levels.h"
#include "game/Platform.h"
#include "players/Country.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "screens/MainControl.h"
#include "screens/ScreensText.h"
#include "screens/SelectCC.h"
#include "screens/VQ_Screens.h"

namespace {

const char *const kWhichTokens[2] = {"Scores_WhichLocal", "Scores_WhichOnline"};
const char *const Scores_WhichList[3] = {"Local", "Online", "Friends"};
const char *const Scores_RangeListShort[SCORES_NUM_RANGES] = {"All", "Year", "Month", "Week", "Day"};
const char *const Scores_RangeListVeryShort[SCORES_NUM_RANGES] = {"A", "Y", "M", "W", "D"};
const char *const kRangeTokens[SCORES_NUM_RANGES] = {"Scores_RangeAll", "Scores_RangeYear", "Scores_RangeMonth",
                                                       "Scores_RangeWeek", "Scores_RangeDay"};
const char *const kRangeShortTokens[SCORES_NUM_RANGES] = {"Scores_RangeA", "Scores_RangeY", "Scores_RangeM",
                                                            "Scores_RangeW", "Scores_RangeD"};
const char *const kHeadingTokens[ScoresCC::NUM_COLUMNS] = {"Scores_ColumnPos",    "Scores_ColumnDate",
                                                           "Scores_ColumnName",   "Scores_ColumnCountry",
                                                           "Scores_ColumnDevice", "Scores_ColumnLevel",
                                                           "Scores_ColumnScore"};
const char *const kHeadings[ScoresCC::NUM_COLUMNS] = {"Pos", "Date", "Name", "Country", "Device", "Level", "Score"};

// The one screen object; the table's entry callback carries no context of its own.
ScoresCC *scores_cc = nullptr;

double Now() { return eng_main_current_time.load(); }

const char *RangeStringCB(int entry, MWinButton *, void *user) {
  return static_cast<ScoresCC *>(user)->GetRangeStringCB(entry);
}

const char *FillTabPanelCB_Static(int row, int column, MWinTabPanel *) {
  return scores_cc ? scores_cc->FillTabPanelCB(row, column) : "";
}

void AfterResetPopupCB_Static(MWin *, char answer, void *data) {
  static_cast<ScoresCC *>(data)->AfterResetPopupCB(answer);
}

void AfterAutoUpdatePopupCB_Static(MWin *, char answer, void *data) {
  static_cast<ScoresCC *>(data)->AfterAutoUpdatePopupCB(answer);
}

bool IsPlayers(const ScoresScore &s, const _UserInfo *info, bool with_id) {
  if (!info) return false;
  if (with_id && s.user_id != info->id) return false;
  char country[3] = {};
  if (info->country[0] == '?')
    memcpy(country, "US", 2);
  else
    memcpy(country, info->country, strnlen(info->country, 2));
  return strncmp(s.name, info->name, sizeof(s.name)) == 0 && strncmp(s.country, country, sizeof(s.country)) == 0;
}

char EntryIsValid(int index, const ScoresScore *s) {
  static const char *const kSignature = "char ScoresCC_IsScoreEntryValid(int, ScoresScore *)";
  if (!s) {
    DebugErrorAlt(kSignature, "%d: No score.", index);
    return 0;
  }
  if (s->date.year < 1900 || s->date.month < 1 || s->date.month > 12 || s->date.day < 1 || s->date.day > 31) {
    DebugErrorAlt(kSignature, "%d: Bad date [%d/%d/%d]", index, int(s->date.day), int(s->date.month),
                  int(s->date.year));
    return 0;
  }
  if (s->name[0] == 0) {
    DebugErrorAlt(kSignature, "%d: No user name.", index);
    return 0;
  }
  return 1;
}

}  // namespace

ScoresCC::ScoresCC() {
  for (int &c : m_columns) c = -1;
  memset(m_row_map, 0, sizeof(m_row_map));
  m_cell[0] = 0;
  scores_cc = this;
  ScoresSetScreenLink(this);
}

ScoresCC::~ScoresCC() {
  if (ScoresGetScreenLink() == this) ScoresSetScreenLink(nullptr);
  if (scores_cc == this) scores_cc = nullptr;
}

UserOptions *ScoresCC::Options() {
  UserClass *user = m_game ? m_game->GetLoadedUser() : nullptr;
  if (user) return &user->GetInfo()->options;
  // Without a player the screen still works on options of its own.
  static UserOptions fallback;
  return &fallback;
}

static const _UserInfo *PlayerInfo(Game *game) {
  UserClass *user = game ? game->GetLoadedUser() : nullptr;
  return user ? user->GetInfo() : nullptr;
}

char ScoresCC::IsOnline() { return Options()->scores_online == 1; }

char ScoresCC::ViewingScoresScreen() {
  return (m_mwin && m_mwin->AreScreensOn() && m_screens && m_screens->GetCurrentScreen() == SCORES_SCREEN_ID) ? 1 : 0;
}

const ScoresScore *ScoresCC::GetRowEntry(int row) const {
  if (row < 0 || row >= m_row_count || !m_list) return nullptr;
  const int index = m_row_map[row];
  return (index >= 0 && index < m_list_count) ? &m_list[index] : nullptr;
}

// ---- Entering ----

void ScoresCC::StartingCB(void *) {
  if (mwinScoresMainBackButton) mwinScoresMainBackButton->SetEscapeButtonForParentWindow();
  UserOptions *o = Options();
  if (level_garden >= 0) {
    ScoresSetCurrentGarden(level_garden);
    o->scores_garden = EngUInt8(level_garden);
  } else {
    ScoresSetCurrentGarden(o->scores_garden <= 3 ? o->scores_garden : 0);
  }
  ScoresReadCurrentGardenScores();

  if (MWinChoice *which = MWinChoice::From(mwinScoresMainWhichButton)) {
    // The choice keeps the pointers, not the texts.
    static const char *texts[2];
    texts[0] = ScreensText(kWhichTokens[0], Scores_WhichList[0]);
    texts[1] = ScreensText(kWhichTokens[1], Scores_WhichList[1]);
    which->ChoiceSetStrings(2, texts);
    if (o->scores_online > 1) o->scores_online = 0;
    which->ChoiceRegisterCharVariable(reinterpret_cast<char *>(&o->scores_online), 0);
    which->Enable();
  }
  if (o->scores_range < 1 || o->scores_range > 4) o->scores_range = 1;
  if (MWinChoice *range = MWinChoice::From(mwinScoresMainRangeButton)) {
    range->ChoiceSetStringsCallback(4, RangeStringCB, this);
    range->ChoiceSetSel(o->scores_range - 1);
    if (!m_mwin || m_mwin->GetScreenLayout() == ENG_LAYOUT_DESKTOP) range->ChoiceSetSelectionExtraWidthMultiplier(2.0f);
  }

  // With the graphics down the screen is started again when they come back, and these with it.
  if (!EngMainGraphicsAreDown()) {
    CountryCreateGraphics();
    PlatformCreateGraphics();
    SelectControlCreateGraphics();
  }
  MWinButton *gardens[4] = {mwinScoresMainLevel0Button, mwinScoresMainLevel1Button, mwinScoresMainLevel2Button,
                            mwinScoresMainLevel3Button};
  for (int g = 0; g < 4; g++) {
    if (!gardens[g]) continue;
    if (sc_texs[g].IsOk() && gardens[g]->PictureAttachTextureToButton(&sc_texs[g], 0)) {
      gardens[g]->PictureSetTextureCoordinates(0.0625f, 0.0625f, 0.9375f, 0.9375f);
      gardens[g]->PictureSetBorders(6.0f);
    }
  }
  MainControlCreateGraphics();
  if (mwinScoresMainTitleButton) MainControlSetupTitleButton(mwinScoresMainTitleButton);
  if (mwinScoresMainUpdateButton) mwinScoresMainUpdateButton->SetText(ScreensText("Scores_Update", "Update"));

  if (MWinTabPanel *table = GetScoresTable()) table->SetPreferences(1, 1, 1, 1, 1, 0, 0.0f);
  o->scores_flag = 0;
  if (mwinScoresMainInfoButton) {
    mwinScoresMainInfoButton->SetText("");
    mwinScoresMainInfoButton->Hide();
  }
  WhichCB();
  RangeCB(m_mwin, nullptr, 0, 0);
  UpdateForNewGarden();

  if (m_mwin && m_mwin->GetScreenLayout() != ENG_LAYOUT_DESKTOP && !m_mwin->PopupIsOn() && !o->scores_auto_update &&
      !o->scores_asked_auto_update) {
    o->scores_asked_auto_update = 1;
    m_mwin->PopupOkCancel(nullptr,
                          ScreensText("Scores_TurnOnAutoScores_Mobile",
                                      "Do you want automatically update the online scores?\n\nYou might not want to "
                                      "do this if you have to pay for internet access."),
                          AfterAutoUpdatePopupCB_Static, this);
  }
}

const char *ScoresCC::GetRangeStringCB(int item) {
  if (item < 0 || item > 3) return "";
  const int range = item + 1;
  const bool selected = MWinChoice::From(mwinScoresMainRangeButton) &&
                        MWinChoice::From(mwinScoresMainRangeButton)->ChoiceGetSel() == item;
  if ((m_mwin && m_mwin->GetScreenLayout() != ENG_LAYOUT_DESKTOP) || selected)
    return ScreensText(kRangeTokens[range], Scores_RangeListShort[range]);
  return ScreensText(kRangeShortTokens[range], Scores_RangeListVeryShort[range]);
}

void ScoresCC::UpdateHeading() {
  if (!mwinScoresMainHeadingButton) return;
  char text[96];
  char number[16];
  snprintf(number, sizeof(number), "%d", int(GetGarden() + 1));
  ScreensTextWithArg("Scores_GardenHeading", "GARDEN %1 HIGH SCORES", number, text, sizeof(text));
  mwinScoresMainHeadingButton->SetText(text);
}

void ScoresCC::UpdateForNewGarden() {
  m_refresh_pending = 1;
  m_refresh_time = Now();
  ScoresExit();
  if (GetGarden() != score_last_entry_garden) score_last_entry_pos = -1;
  if (GetGarden() >= 0 && GetGarden() <= 3) Options()->scores_garden = EngUInt8(GetGarden());
  m_first_row = 0;
  if (ViewingScoresScreen()) {
    SetupList(-1);
    UpdateHeading();
  }
}

void ScoresCC::ClearList() {
  m_players_row = m_players_local_entry = m_found_row = -1;
  if (MWinTabPanel *table = GetScoresTable()) table->RemoveAllRows();
  m_list = nullptr;
  m_list_count = 0;
  m_row_count = 0;
}

void ScoresCC::WhichCB() {
  ClearList();
  const char online = IsOnline();
  if (mwinScoresMainUpdateButton) online ? mwinScoresMainUpdateButton->Enable() : mwinScoresMainUpdateButton->Disable();
  if (mwinScoresMainResetButton) online ? mwinScoresMainResetButton->Disable() : mwinScoresMainResetButton->Enable();
  UpdateForNewGarden();
  if (online) FindMeCB();
}

void ScoresCC::RangeCB(MWin *, _MWinButtonCallbackInfo *info, int, int) {
  MWinChoice *range = MWinChoice::From(mwinScoresMainRangeButton);
  if (info && info->choice_event) {
    DebugNoteAlt(2, ENG_FUNC, "CH: %d", int(info->choice_entry));
    return;
  }
  if (range && range->ChoiceGetSel() >= 0 && range->ChoiceGetSel() <= 3)
    Options()->scores_range = EngUInt8(range->ChoiceGetSel() + 1);
  ClearList();
  UpdateForNewGarden();
  if (IsOnline()) FindMeCB();
}

void ScoresCC::GardenCB(char garden) {
  if (garden >= 0) ScoresSetCurrentGarden(garden);
  CancelAnyUpdates();
  ScoresReadCurrentGardenScores();
  UpdateForNewGarden();
}

// ---- The table ----

void ScoresCC::SetupList(int row) {
  UserOptions *o = Options();
  const _UserInfo *player = PlayerInfo(m_game);
  const char online = IsOnline();
  m_list = nullptr;
  m_list_count = 0;
  ScoresGetSubsetForRange(ScoresRange(o->scores_range));
  if (online) {
    m_list_count = ScoresGetWorldNumScores();
    m_list = ScoresGetWorldScores();
  } else {
    m_list_count = ScoresGetSubsetNum();
    m_list = ScoresGetSubset();
  }
  if (!m_list) m_list_count = 0;

  int bad = 0;
  for (int i = 0; i < m_list_count; i++)
    if (!EntryIsValid(i, &m_list[i])) bad++;
  if (bad) {
    DebugErrorAlt(ENG_FUNC, "%d bad scores.", bad);
    if (bad >= 2) {
      m_list = nullptr;
      m_list_count = 0;
    }
  }

  m_players_local_entry = -1;
  for (int i = 0; i < ScoresGetSubsetNum() && player; i++)
    if (IsPlayers(ScoresGetSubset()[i], player, true)) {
      m_players_local_entry = i;
      break;
    }
  if (mwinScoresMainSubmitButton)
    m_players_local_entry >= 0 ? mwinScoresMainSubmitButton->Enable() : mwinScoresMainSubmitButton->Disable();

  m_row_count = 0;
  if (!(online && o->scores_flag))
    for (int i = 0; i < m_list_count && i < SCORES_MAX_LOCAL; i++) m_row_map[m_row_count++] = i;
  for (int r = 0; r < m_row_count; r++) {
    const ScoresScore &entry = m_list[m_row_map[r]];
    char code[4] = {};
    memcpy(code, entry.country, strnlen(entry.country, sizeof(entry.country)));
    m_row_country[r] = CountryGetCountryNumFromCode(code, 1);
  }

  m_players_row = -1;
  if (online)
    for (int r = 0; r < m_row_count && player; r++)
      if (IsPlayers(m_list[m_row_map[r]], player, true)) {
        m_players_row = r;
        break;
      }
  if (mwinScoresMainFindMeButton)
    m_players_row >= 0 ? mwinScoresMainFindMeButton->Enable() : mwinScoresMainFindMeButton->Disable();

  const _EngLayout layout = m_mwin ? m_mwin->GetScreenLayout() : ENG_LAYOUT_DESKTOP;
  switch (layout) {
    case ENG_LAYOUT_TABLET_PORTRAIT:
      m_visible_rows = 20, m_name_limit = 17;
      break;
    case ENG_LAYOUT_TABLET_LANDSCAPE:
      m_visible_rows = 15, m_name_limit = 22;
      break;
    case ENG_LAYOUT_PHONE_PORTRAIT:
      m_visible_rows = 15, m_name_limit = 15;
      break;
    case ENG_LAYOUT_PHONE_LANDSCAPE:
      m_visible_rows = 10, m_name_limit = 18;
      break;
    default:
      m_visible_rows = 15, m_name_limit = 22;
      break;
  }
  UpdateButtonsCB();

  for (int &c : m_columns) c = -1;
  if (online) {
    m_columns[COLUMN_POS] = 0, m_columns[COLUMN_NAME] = 1, m_columns[COLUMN_DATE] = 2, m_columns[COLUMN_COUNTRY] = 3;
    m_columns[COLUMN_LEVEL] = 4, m_columns[COLUMN_DEVICE] = 5, m_columns[COLUMN_SCORE] = 6;
    m_num_columns = 7;
  } else {
    m_columns[COLUMN_POS] = 0, m_columns[COLUMN_NAME] = 1, m_columns[COLUMN_COUNTRY] = 2, m_columns[COLUMN_DATE] = 3;
    m_columns[COLUMN_LEVEL] = 4, m_columns[COLUMN_SCORE] = 5;
    m_num_columns = 6;
  }

  MWinTabPanel *table = GetScoresTable();
  if (!table) return;
  table->SetEntryCallback(m_row_count, m_num_columns, m_visible_rows, FillTabPanelCB_Static);
  table->AutoCalcColumnWidths(0);
  const int widths[NUM_COLUMNS] = {10, (online && o->scores_range) ? 15 : 20, 28,
                                   layout == ENG_LAYOUT_TABLET_PORTRAIT ? 15 : 12, 10, 16, 13};
  for (int c = 0; c < NUM_COLUMNS; c++)
    if (m_columns[c] >= 0) table->SetColumnWidthPercentage(m_columns[c], widths[c]);
  table->SetColumnTextAlign(m_columns[COLUMN_POS], MWIN_ALIGN_RIGHT);
  table->SetColumnTextAlign(m_columns[COLUMN_NAME], MWIN_ALIGN_LEFT);
  table->SetColumnTextAlign(m_columns[COLUMN_LEVEL], MWIN_ALIGN_CENTRE);
  table->SetColumnTextAlign(m_columns[COLUMN_SCORE], MWIN_ALIGN_RIGHT);
  table->SetRowTextStyle(0, 0.9f, 0.9f, 1.0f, 0.812f, 0.361f, 1.0f);
  table->SetRowTextStyle(1, 0.9f, 0.9f, 0.357f, 0.992f, 1.0f, 1.0f);
  table->AllowMultipleRowsSelection(1);
  if (mwinScoresMainDbgDeleteButton) mwinScoresMainDbgDeleteButton->Hide();
  table->SetFirstRowDisplayed(m_first_row);
  table->ClearSel();

  if (m_row_count == 0) return;
  if (row >= 0) {
    table->SelectRow(row, 1, 0, 0);
    table->CenterToRowIfPossible(row);
  } else if (!online) {
    for (int r = 0; r < m_row_count; r++)
      if (m_list[m_row_map[r]].small[0]) table->SelectRow(r, 1, 0, 0);
  } else if (m_players_row >= 0 && m_players_row < m_visible_rows) {
    table->SelectRow(m_players_row, 1, 0, 0);
  }
}

void ScoresCC::UpdateButtonsCB() {
  if (m_first_row > m_row_count - 1) m_first_row = m_row_count - 1;
  if (m_first_row < 0) m_first_row = 0;
}

void ScoresCC::FormatLevel(EngInt32 code, char *out, int size) {
  if (code >= 200 && code <= 299)
    snprintf(out, size_t(size), "%dX", int(code - 200));
  else if (code >= 100 && code <= 199)
    snprintf(out, size_t(size), "%dT", int(code - 100));
  else
    snprintf(out, size_t(size), "%d", int(code));
}

void ScoresCC::FormatDate(const _EngMiscDate *date, char day_first, char month_and_day_only, char *out, int size) {
  const int first = day_first ? date->day : date->month, second = day_first ? date->month : date->day;
  if (month_and_day_only) {
    snprintf(out, size_t(size), "%02d/%02d", first, second);
    return;
  }
  // Two digits only where they are unambiguous: 2000 to 2099.
  const long long year = date->year;
  if (year >= 2000 && year <= 2099)
    snprintf(out, size_t(size), "%02d/%02d/%02d", first, second, int(year - 2000));
  else
    snprintf(out, size_t(size), "%02d/%02d/%04lld", first, second, year);
}

void ScoresCC::FormatName(const char *name, int name_size, int limit, char *out, int size) {
  const int length = int(strnlen(name, size_t(name_size)));
  if (length > limit && limit >= 5)
    snprintf(out, size_t(size), "%.*s...", limit - 3, name);
  else
    snprintf(out, size_t(size), "%.*s", length, name);
}

const char *ScoresCC::FillTabPanelCB(int row, int column) {
  int kind = -1;
  for (int c = 0; c < NUM_COLUMNS; c++)
    if (m_columns[c] == column) kind = c;
  if (row < 0) return kind >= 0 ? ScreensText(kHeadingTokens[kind], kHeadings[kind]) : "???";
  const ScoresScore *s = GetRowEntry(row);
  m_cell[0] = 0;
  if (!s) return m_cell;
  switch (kind) {
    case COLUMN_POS:
      snprintf(m_cell, sizeof(m_cell), "%d.", m_row_map[row] + 1);
      break;
    case COLUMN_NAME:
      FormatName(s->name, int(sizeof(s->name)), m_name_limit, m_cell, int(sizeof(m_cell)));
      break;
    case COLUMN_LEVEL:
      FormatLevel(s->level, m_cell, int(sizeof(m_cell)));
      break;
    case COLUMN_SCORE:
      snprintf(m_cell, sizeof(m_cell), "%d", int(s->score));
      break;
    case COLUMN_DATE:
      FormatDate(&s->date, Options()->date_format == 1, IsOnline() && Options()->scores_range, m_cell,
                 int(sizeof(m_cell)));
      break;
    default:
      break;
  }
  return m_cell;
}

// ---- Frame ----

void ScoresCC::RenderCB(_MWinRenderStage stage) {
  MWinTabPanel *table = GetScoresTable();
  if (stage != MWIN_RENDER_STAGE_1 || !table || !table->IsShown() || !m_list) return;
  EngDevice *device = eng_main_device;
  if (!device) return;
  // Drawn as the toolkit draws: in 2D, without depth, blended, inside the table's rows.
  const char entered_2d = device->PrepareFor2DIfNeeded(1);
  {
    MWinDrawingScope drawing(device);
    const char cropped = table->CropToTableRowsArea(0);
    const int first = table->GetFirstDisplayedRow();
    for (int n = 0; n < table->GetNumDisplayedRows(); n++) {
      const int row = first + n;
      const ScoresScore *s = GetRowEntry(row);
      if (!s) continue;
      _Dimension cell;
      if (m_columns[COLUMN_COUNTRY] >= 0 && table->GetEntryDisplayedArea(row, m_columns[COLUMN_COUNTRY], &cell)) {
        const int country = m_row_country[row];
        // Whole, at its shape, inside its row with a little room above and below.
        if (country >= 0) CountryDrawFlagFitted(country, cell.x, cell.y + 2.0f, cell.width, cell.height - 4.0f);
      }
      if (m_columns[COLUMN_DEVICE] >= 0 && s->platform != '?' &&
          table->GetEntryDisplayedArea(row, m_columns[COLUMN_DEVICE], &cell)) {
        const float w = 14.0f * eng_main_window_x_widescreen_ratio;
        _Dimension icon = {cell.x + (cell.width - w) * 0.5f, cell.y + 1.0f, w, cell.height - 2.0f};
        PlatformDrawIcon(s->platform, &icon, 1.0f);
      }
    }
    if (cropped) table->RestoreAfterCrop();
  }
  if (entered_2d) device->RestoreAfter2D();
}

void ScoresCC::TickCB() {
  const double now = Now();
  if (now - m_last_tick < 0.1 && now >= m_last_tick) return;
  m_last_tick = now;

  if (!IsOnline() && m_found_row < 0 && score_last_entry_pos >= 0) {
    // The last game's row in the range shown: the entry that carries the last-added flag.
    int row = -1;
    for (int r = 0; r < m_row_count && row < 0; r++)
      if (m_list[m_row_map[r]].small[0]) row = r;
    SetupList(row);
    if (m_highlight_time == 0) {
      m_highlight_time = now;
    } else if (now - m_highlight_time >= 1.0) {
      score_last_entry_pos = -1;
      m_highlight_time = 0;
    }
  }
  if (m_failed_time != 0 && now - m_failed_time >= 3.0 && mwinScoresMainUpdateButton) {
    mwinScoresMainUpdateButton->SetText(ScreensText("Scores_Update", "Update"));
    mwinScoresMainUpdateButton->SetTextColour(1, 1, 1, 0.698f);
    m_failed_time = 0;
  }
  if (IsOnline()) {
    if (ScoresWorldIsUpdating()) {
      if (mwinScoresMainUpdateButton) {
        mwinScoresMainUpdateButton->Disable();
        mwinScoresMainUpdateButton->SetText(ScreensText("Scores_Updating", "Updating..."));
        mwinScoresMainUpdateButton->SetTextColour(1, 1, 1, 0.698f);
      }
      const char finished = ScoresWorldIsUpdateFinished();
      if (finished != 0) {
        SetupList(-1);
        FindMeCB();
        if (finished < 0 && finished != -2 && mwinScoresMainUpdateButton) {
          mwinScoresMainUpdateButton->SetText(ScreensText("Scores_Failed", "Failed"));
          mwinScoresMainUpdateButton->SetTextColour(1, 0, 0, 1);
          m_failed_time = now;
        }
      }
    } else if (!mwinScoresMainInfoButton || !mwinScoresMainInfoButton->IsShown()) {
      const char popup = m_mwin && m_mwin->PopupIsOn();
      if ((m_refresh_pending || Options()->scores_auto_update) && !popup && ScoresWorldUpdateIfNeeded() == 2) {
        SetupList(-1);
        FindMeCB();
        m_refresh_pending = 0;
      } else if (m_refresh_pending && now - m_refresh_time > 0.75) {
        if (popup)
          m_refresh_time = now;
        else
          m_refresh_pending = 0;
      }
    }
    if (m_failed_time == 0 && !ScoresWorldIsUpdating() && mwinScoresMainUpdateButton &&
        !mwinScoresMainUpdateButton->IsEnabled()) {
      mwinScoresMainUpdateButton->Enable();
      mwinScoresMainUpdateButton->SetText(ScreensText("Scores_Update", "Update"));
    }
  }
  EngUInt8 &s_key = eng_key_down[static_cast<unsigned char>('s')];
  if ((!m_mwin || m_mwin->GetScreenLayout() == ENG_LAYOUT_DESKTOP) && s_key && ViewingScoresScreen() &&
      !(m_mwin && m_mwin->PopupIsOn())) {
    s_key = 0;
    DoneCB();
  }
}

void ScoresCC::FindMeCB() {
  MWinTabPanel *table = GetScoresTable();
  if (m_players_row < 0 || m_players_row >= m_row_count) return;
  m_found_row = m_players_row;
  m_found_time = Now();
  if (table) {
    const int first = table->GetFirstDisplayedRow();
    const int target = m_players_row - m_visible_rows / 2;
    const int last_first = m_row_count - m_visible_rows + 1;
    if (m_players_row >= first + m_visible_rows)
      m_first_row = last_first < target ? last_first : target;
    else if (m_players_row < first)
      m_first_row = (last_first < target ? last_first : target) > 0 ? (last_first < target ? last_first : target) : 0;
  }
  SetupList(-1);
}

// ---- Presses ----

char ScoresCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) {
  if (!button) return 0;
  if (button == mwinScoresMainResetButton) {
    ResetCB();
  } else if (button == mwinScoresMainSubmitButton) {
    SubmitCB();
  } else if (button == mwinScoresMainUpdateButton) {
    UpdateCB();
  } else if (button == mwinScoresMainLevel0Button) {
    GardenCB(0);
  } else if (button == mwinScoresMainLevel1Button) {
    GardenCB(1);
  } else if (button == mwinScoresMainLevel2Button) {
    GardenCB(2);
  } else if (button == mwinScoresMainLevel3Button) {
    GardenCB(3);
  } else if (button == mwinScoresMainWhichButton) {
    WhichCB();
  } else if (button == mwinScoresMainRangeButton) {
    RangeCB(m_mwin, info, 0, 0);
  } else if (button == mwinScoresMainFindMeButton) {
    FindMeCB();
  } else if (button == mwinScoresMainTitleButton) {
    MainControlTitleButtonClicked(button);
  } else if (button == mwinScoresMainBackButton) {
    DoneCB();
  } else {
    return 0;
  }
  return 1;
}

void ScoresCC::ResetCB() {
  if (m_mwin)
    m_mwin->PopupYesNo(nullptr, ScreensText("Scores_ResetAll", "Reset all scores?"), AfterResetPopupCB_Static, this);
}

void ScoresCC::AfterResetPopupCB(char answer) {
  if (answer != 1) return;
  ScoresResetScoresForThisGarden();
  StartingCB(nullptr);
}

void ScoresCC::AfterAutoUpdatePopupCB(char answer) {
  if (answer == 1) Options()->scores_auto_update = 1;
}

void ScoresCC::SubmitCB() {
  MWinTabPanel *table = GetScoresTable();
  if (ViewingScoresScreen()) {
    if (table) table->Hide();
    AddBestRangeScoreOnline(-1);
    SetupList(-1);
    MWinShowButton(table, 1);
  } else {
    AddBestRangeScoreOnline(char(Options()->scores_range));
  }
}

void ScoresCC::UpdateCB() {
  if (IsOnline()) ScoresWorldUpdate();
}

void ScoresCC::AddBestRangeScoreOnline(char range) {
  if (range < 0) range = char(Options()->scores_range);
  ScoresSubmitBestScoreForCurrentGardenAndRange(ScoresRange(range));
  m_refresh_pending = 1;
  m_refresh_time = Now();
}

void ScoresCC::AddOnlineAfterPopupCB(char answer) {
  if (answer != 1) return;
  ScoresSubmitLastScoreForCurrentGarden();
  m_refresh_pending = 1;
  m_refresh_time = Now();
}

void ScoresCC::AddOnlineAfterPopupCB_Static(MWin *, char answer, void *data) {
  if (data) static_cast<ScoresCC *>(data)->AddOnlineAfterPopupCB(answer);
}

void ScoresCC::InternetDoneAddingLastScore(char ok) {
  if (ok == 1) ScoresWorldAllScoresForCurrentGardenNeedToBeUpdated();
}

void ScoresCC::SetInfoMessage(const char *text) {
  if (!text || !text[0] || !mwinScoresMainInfoButton) return;
  mwinScoresMainInfoButton->SetText(text);
  MWinShowButton(mwinScoresMainInfoButton, 1);
}

void ScoresCC::CancelAnyUpdates() { ScoresExit(); }

void ScoresCC::DoneCB() {
  CancelAnyUpdates();
  scores_control_from_game = 0;
  scores_control_from_pause = 0;
  SelectControlDestroyGraphics();
  PlatformDestroyGraphics();
  CountryDestroyGraphics();
  if (m_screens) m_screens->GoBack();
}
