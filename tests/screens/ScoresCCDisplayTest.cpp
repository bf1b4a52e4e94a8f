// The high-score screen with the real game, toolkit and device under Xvfb: a finished game ends
// on it with the submission question and its row highlighted, the table's cells, garden
// buttons, the S key, Reset beside other players' scores, and the online table from the
// stand-in score server with its downloads, failures, messages and submissions.
#include "screens/ScoresCC.h"

#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMain.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinTabPanel.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Levels.h"
#include "game/Program.h"
#include "game/Quarrelwick.h"
#include "players/Country.h"
#include "players/UserClass.h"
#include "screens/VQ_Screens.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "online/Scores.h"
#include "online/ScoresSubmit.h"
#include "tests/online/ScoresTestSupport.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/ScoreTestService.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::MakeScore;

class ScoresCCDisplayTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    m_resources = qwtest::BuiltResources();
    ASSERT_TRUE(m_data.Start());
    ResolutionResetForTests();
    m_desktop = {1920, 1080, 32, 60.0f};
    EngResModesSetDisplayForTests(&m_desktop, 1, &m_desktop);
    ResolutionSetupModule(_UpdaterProgramName(17), 2.01f, 1.5f, nullptr, 0, 1, 0, 0, 0, "Resolution", "License",
                          "License.txt", "Startup", "ResTitle.jpg");
    EngEncryptionResetForTests();
    ASSERT_EQ(EngEncryptionInit("QX_SEALING_KEY"), 1);
    UserResetForTests();
    qwtest::SetScoresToday(2026, 3, 20);
    CountrySetupModule(0, 0, nullptr, nullptr, 0.0f, 0.0f);
    EngProgramSetResourcesPathForTests(m_resources.c_str());
    m_program = new Program();
    eng_main_window_x_ratio = eng_main_window_y_ratio = 1.0f;
    eng_main_window_x_ratio_inv = eng_main_window_y_ratio_inv = 1.0f;
    eng_main_window_x_widescreen_ratio = eng_main_window_y_narrowscreen_ratio = 1.0f;
    eng_main_window_y_narrowscreen_ratio_actual = 1.0f;
    eng_main_window_width_over_height = 640.0f / 480.0f;
    eng_main_window_height_over_width = 480.0f / 640.0f;
    m_game = new Game(m_program, "Game", 0);
    main_game = m_game;  // as the program sets it at start
    ASSERT_EQ(m_game->Pre3dInit(), 1);
    ASSERT_EQ(m_game->CreateGraphics(), 1);
    m_mwin = m_game->GetMWin();
    m_screens = m_game->GetScreens();
    ASSERT_EQ(m_screens->SetupAllScreens(), 1);
    UserClass *user = m_game->GetUser();
    ASSERT_EQ(user->CreateNewUser("Bob", "GB", 0), 1);
    user->GetInfo()->id = 77;
    user->GetInfo()->options.scores_online = 0;
    level_garden = -1;
    eng_main_current_time = 100.0;
    // The reader threads read the engine clock afresh: they get the test's.
    EngMainSetClockForTests([] { return eng_main_current_time.load(); });
    m_service.SetToday(2026, 3, 20);
  }
  void TearDown() override {
    // The real clock again before the game ends: waits for reader threads count in it.
    EngMainSetClockForTests(nullptr);
    // A test that stopped early leaves no reader waiting on a held reply.
    m_service.Server().Release(qwtest::ScoreTestService::kPath);
    if (m_game) {
      if (m_screens) m_screens->RemoveAllScreens();
      m_game->DeleteGraphics();
    }
    delete m_game;
    main_game = nullptr;
    delete m_program;
    level_garden = -1;
    EngProgramSetResourcesPathForTests(nullptr);
    EngMiscSetClockForTests(nullptr);
    CountryResetForTests();
    UserResetForTests();
    EngEncryptionResetForTests();
    EngResModesSetDisplayForTests(nullptr, 0, nullptr);
    ResolutionResetForTests();
    PrefFolderResetForTests();
    ASSERT_TRUE(m_cwd.Restore());
    DebugResetForTests();
    DeviceTest::TearDown();
  }

  ScoresCC *Screen() { return m_screens->GetScoresCC(); }
  UserOptions *Options() { return &m_game->GetUser()->GetInfo()->options; }
  std::string ScoresPath(int garden) const {
    return m_data.File("Tallowmere/Quarrelwick/Scores/LG_" + std::to_string(garden) + ".sco");
  }
  void SaveList(int garden, const std::vector<ScoresScore> &entries) {
    std::string file = qwtest::Seal(qwtest::HeaderPiece(garden));
    for (const ScoresScore &s : entries) file += qwtest::Seal(qwtest::RecordPiece(s));
    mkdir(m_data.File("Tallowmere/Quarrelwick/Scores").c_str(), 0755);
    qwtest::WriteWholeFile(ScoresPath(garden), file);
  }
  void Tick(double seconds) {
    eng_main_current_time = eng_main_current_time + seconds;
    m_game->Tick();
  }
  std::string Cell(int row, int column) { return Screen()->FillTabPanelCB(row, column); }
  // Ticks the game, 0.1 s of the held clock and 10 ms of real time apart (for the worker),
  // until the condition holds; fails, naming what it waited for, only at the hang limit. While
  // a world table downloads, the clock swings between two readings instead of moving on: the
  // screen still polls at every tick, and the reader's 15 s limit on the engine's clock never
  // comes, however slowly the machine runs the worker.
  testing::AssertionResult TickUntil(const char *what, const std::function<bool()> &condition) {
    double swing_from = -1;
    const bool held = qwtest::WaitUntil([&] {
      if (condition()) return true;
      if (ScoresWorldIsUpdating()) {
        if (swing_from < 0) swing_from = eng_main_current_time;
        eng_main_current_time = eng_main_current_time > swing_from ? swing_from : swing_from + 0.15;
        m_game->Tick();
      } else {
        swing_from = -1;
        Tick(0.1);
      }
      return false;
    });
    if (held) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "still waiting for " << what << " after " << qwtest::kHangSeconds << " s";
  }
  std::string UpdateText() {
    const char *text = Screen()->mwinScoresMainUpdateButton->GetTextP();
    return text ? text : "";
  }
  void AddWorldScore(unsigned set, const char *name, const char *country, long long points, long long level,
                     unsigned uid, char platform, int day = 20) {
    qwtest::ScoreServiceEntry e;
    e.name = name;
    e.country = country;
    e.score = points;
    e.level = level;
    e.uid = uid;
    e.platform = platform;
    e.year = 2026;
    e.month = 3;
    e.day = day;
    m_service.AddScore(set, e);
  }
  void GoOnline(int garden) {
    Options()->scores_online = 1;
    Options()->scores_garden = EngUInt8(garden);
    Options()->scores_auto_update = 1;
    m_screens->StartScreen(MAIN_SCREEN_ID, -1);
    m_screens->GotoScreen(SCORES_SCREEN_ID, nullptr);
  }
  std::vector<int> SelectedRows() {
    std::vector<int> rows;
    MWinTabPanel *table = Screen()->GetScoresTable();
    for (int r = 0; table && r < table->GetNumRows(); r++)
      if (table->IsRowSelected(r)) rows.push_back(r);
    return rows;
  }
  std::string PopupText() {
    MWinButton *msg = m_mwin->GetPopupState()->msg;
    return (m_mwin->PopupIsOn() && msg && msg->GetTextP()) ? msg->GetTextP() : "";
  }
  // The frame as rows of RGB, top row first; also saved as a PPM when QW_SCREENSHOT names a file.
  std::vector<unsigned char> Frame() {
    std::vector<unsigned char> rgb(640 * 480 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::vector<unsigned char> flipped(rgb.size());
    for (int y = 0; y < 480; y++)
      std::copy(rgb.begin() + (479 - y) * 640 * 3, rgb.begin() + (480 - y) * 640 * 3, flipped.begin() + y * 640 * 3);
    if (const char *shot = getenv("QW_SCREENSHOT")) {
      if (FILE *f = fopen(shot, "wb")) {
        fprintf(f, "P6\n640 480\n255\n");
        fwrite(flipped.data(), 1, flipped.size(), f);
        fclose(f);
      }
    }
    return flipped;
  }

  qwtest::PlayerDataFolder m_data;
  qwtest::ScoreTestService m_service;
  qwtest::ScopedEnvVar m_url{"QUARRELWICK_SCORE_URL", m_service.BaseUrl().c_str()};
  qwtest::WorkingFolder m_cwd;
  std::string m_resources;
  _EngDisplayModeInfo m_desktop;
  Program *m_program = nullptr;
  Game *m_game = nullptr;
  MWin *m_mwin = nullptr;
  VQ_Screens *m_screens = nullptr;
};

TEST_F(ScoresCCDisplayTest, AFinishedGameEndsOnItsGardensScoresWithTheQuestionAndItsRowLit) {
  SaveList(1, {MakeScore(5000, 150, 2025, 6, 1, 9, "Ann", "IE"), MakeScore(900, 120, 2026, 1, 5, 77, "Bob", "GB"),
               MakeScore(100, 3, 2026, 3, 1, 12, "Cat", "FR")});
  Options()->scores_range = 1;  // Year: Ann's score of last year is not listed
  level_garden = 1;
  score = 800;
  bug_level_num = 36;
  level_difficulty = 1;
  m_game->EndGameAndGoToScoresScreen();
  ASSERT_EQ(m_mwin->GetCurrentScreen(), SCORES_SCREEN_ID);
  EXPECT_EQ(m_mwin->GetPreviousScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(PopupText(),
            "Bob, you scored 800 and got to level 37.\n\nThis is your best monthly score for this garden.\n\n"
            "Submit this score?");
  EXPECT_STREQ(Screen()->mwinScoresMainHeadingButton->GetTextP(), "GARDEN 2 HIGH SCORES");
  ASSERT_EQ(Screen()->GetRowCount(), 3);
  EXPECT_EQ(Cell(1, 1), "Bob");
  EXPECT_EQ(Cell(1, 4), "37T");
  EXPECT_EQ(Cell(1, 3), "03/20/26");
  EXPECT_EQ(SelectedRows(), std::vector<int>{1});
  Tick(0.2);
  EXPECT_EQ(SelectedRows(), std::vector<int>{1});
  Tick(1.2);
  EXPECT_EQ(score_last_entry_pos, -1);

  m_game->Render();
  Frame();

  // OK submits the last score to the server, which takes it; the online table shows it.
  m_mwin->PopupTurnOffAndCallOkCB();
  EXPECT_EQ(PopupText(), "Your score was submitted successfully!");
  const std::vector<qwtest::ScoreServiceEntry> kept = m_service.Scores(1001);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].score, 800);
  EXPECT_EQ(kept[0].level, 137);
  EXPECT_EQ(kept[0].name, "Bob");
  m_mwin->PopupTurnOff();
  Options()->scores_online = 1;
  Screen()->WhichCB();
  ASSERT_TRUE(TickUntil("the submitted score in the online table", [&] { return Screen()->GetRowCount() == 1; }));
  EXPECT_EQ(Cell(0, 1), "Bob");
  EXPECT_EQ(Cell(0, 6), "800");
}

TEST_F(ScoresCCDisplayTest, CellsOfTheLocalTable) {
  SaveList(0, {MakeScore(30, 1, 2024, 3, 5, 1, "Ann", "IE"), MakeScore(20, 137, 2100, 3, 5, 2, "Bea", "GB"),
               MakeScore(10, 250, 1999, 12, 31, 3, "ABCDEFGHIJKLMNOPQRST", "USA")});
  Options()->scores_garden = 0;
  m_screens->StartScreen(SCORES_SCREEN_ID, -1);
  EXPECT_EQ(Screen()->GetRowCount(), 0);  // the year's range holds none of them
  Options()->scores_range = 0;
  Screen()->SetupList(-1);
  ASSERT_EQ(Screen()->GetRowCount(), 3);
  struct Row {
    const char *pos, *name, *date_month_first, *date_day_first, *level, *score;
  } rows[] = {
      {"1.", "Ann", "03/05/24", "05/03/24", "1", "30"},
      {"2.", "Bea", "03/05/2100", "05/03/2100", "37T", "20"},
      {"3.", "ABCDEFGHIJKLMNOPQRST", "12/31/1999", "31/12/1999", "50X", "10"},
  };
  for (int r = 0; r < 3; r++) {
    SCOPED_TRACE(r);
    EXPECT_EQ(Cell(r, 0), rows[r].pos);
    EXPECT_EQ(Cell(r, 1), rows[r].name);
    EXPECT_EQ(Cell(r, 2), "");
    EXPECT_EQ(Cell(r, 3), rows[r].date_month_first);
    EXPECT_EQ(Cell(r, 4), rows[r].level);
    EXPECT_EQ(Cell(r, 5), rows[r].score);
    Options()->date_format = 1;
    EXPECT_EQ(Cell(r, 3), rows[r].date_day_first);
    Options()->date_format = 0;
  }
  const char *headings[] = {"Pos", "Name", "Country", "Date", "Level", "Score"};
  for (int c = 0; c < 6; c++) EXPECT_EQ(Cell(-1, c), headings[c]);
  EXPECT_EQ(Cell(-1, 6), "???");

  // Names from the world tables run to 31 characters: cut inside their field.
  char name[32], out[64];
  memcpy(name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ123456", 32);  // no terminator in the field
  ScoresCC::FormatName(name, 25, 22, out, sizeof(out));
  EXPECT_STREQ(out, "ABCDEFGHIJKLMNOPQRS...");
  ScoresCC::FormatName(name, 32, 4, out, sizeof(out));
  EXPECT_STREQ(out, "ABCDEFGHIJKLMNOPQRSTUVWXYZ123456");
}

TEST_F(ScoresCCDisplayTest, GardensLocalOnlyButtonsAndTheSKey) {
  SaveList(3, {MakeScore(70, 5, 2026, 3, 20, 77, "Bob", "GB")});
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  m_screens->GotoScreen(SCORES_SCREEN_ID, nullptr);
  ScoresCC *cc = Screen();
  EXPECT_EQ(MWinChoice::From(cc->mwinScoresMainWhichButton)->ChoiceGetSel(), 0);
  EXPECT_EQ(cc->mwinScoresMainWhichButton->IsEnabled(), 1);
  EXPECT_EQ(cc->mwinScoresMainUpdateButton->IsEnabled(), 0);
  EXPECT_EQ(cc->mwinScoresMainResetButton->IsEnabled(), 1);
  EXPECT_EQ(cc->mwinScoresMainFindMeButton->IsEnabled(), 0);
  EXPECT_EQ(cc->mwinScoresMainSubmitButton->IsEnabled(), 0);
  EXPECT_EQ(cc->mwinScoresMainDbgDeleteButton->IsShown(), 0);
  EXPECT_EQ(cc->mwinScoresMainInfoButton->IsShown(), 0);

  _MWinButtonCallbackInfo info = {};
  EXPECT_EQ(cc->ButtonsCallback(cc->mwinScoresMainLevel3Button, &info), 1);
  EXPECT_EQ(ScoresGetCurrentGarden(), 3);
  EXPECT_EQ(Options()->scores_garden, 3);
  EXPECT_STREQ(cc->mwinScoresMainHeadingButton->GetTextP(), "GARDEN 4 HIGH SCORES");
  EXPECT_EQ(cc->GetRowCount(), 1);
  EXPECT_EQ(cc->mwinScoresMainSubmitButton->IsEnabled(), 1);
  EXPECT_EQ(Options()->scores_online, 0);

  // The range choice writes the player's option; the chosen range reads as a word.
  MWinChoice *range = MWinChoice::From(cc->mwinScoresMainRangeButton);
  EXPECT_EQ(range->ChoiceGetSel(), 0);
  EXPECT_STREQ(cc->GetRangeStringCB(0), "Year");
  EXPECT_STREQ(cc->GetRangeStringCB(2), "W");
  range->ChoiceSetSel(2);
  info.choice_event = 0;
  EXPECT_EQ(cc->ButtonsCallback(range, &info), 1);
  EXPECT_EQ(Options()->scores_range, 3);
  EXPECT_STREQ(cc->GetRangeStringCB(2), "Week");
  EXPECT_STREQ(cc->GetRangeStringCB(0), "Y");
  EXPECT_EQ(cc->GetRowCount(), 1);

  // The row's country flag is drawn over the table in the Country cell (x 247 to 321).
  m_game->Render();
  const std::vector<unsigned char> frame = Frame();
  int bright = 0;
  for (int y = 176; y < 192; y++)
    for (int x = 274; x < 294; x++) {
      const unsigned char *p = &frame[(y * 640 + x) * 3];
      if (p[0] > 180) bright++;
    }
  EXPECT_GT(bright, 40);

  eng_key_down[static_cast<unsigned char>('s')] = 2;
  Tick(0.2);
  EXPECT_EQ(eng_key_down[static_cast<unsigned char>('s')], 0);
  EXPECT_EQ(m_mwin->GetCurrentScreen(), MAIN_SCREEN_ID);
}

TEST_F(ScoresCCDisplayTest, ResetRemovesOnlyThePlayersScores) {
  SaveList(2, {MakeScore(900, 5, 2026, 3, 20, 77, "Bob", "GB"), MakeScore(500, 5, 2026, 3, 19, 9, "Ann", "IE"),
               MakeScore(300, 5, 2026, 3, 18, 77, "Bob", "GB"), MakeScore(200, 5, 2026, 3, 18, 8, "Bob", "FR")});
  Options()->scores_garden = 2;
  m_screens->StartScreen(SCORES_SCREEN_ID, -1);
  ScoresCC *cc = Screen();
  ASSERT_EQ(cc->GetRowCount(), 4);
  _MWinButtonCallbackInfo info = {};
  EXPECT_EQ(cc->ButtonsCallback(cc->mwinScoresMainResetButton, &info), 1);
  EXPECT_EQ(PopupText(), "Reset all scores?");
  m_mwin->PopupTurnOffAndCallCancelOrNoCB();
  EXPECT_EQ(ScoresGetNumScores(), 4);
  EXPECT_EQ(cc->ButtonsCallback(cc->mwinScoresMainResetButton, &info), 1);
  m_mwin->PopupTurnOffAndCallOkCB();
  ASSERT_EQ(cc->GetRowCount(), 2);
  EXPECT_EQ(Cell(0, 1), "Ann");
  EXPECT_EQ(Cell(1, 1), "Bob");
  EXPECT_EQ(cc->GetRowEntry(1)->country[0], 'F');
  ScoresReadCurrentGardenScores();
  EXPECT_EQ(ScoresGetNumScores(), 2);
}

TEST_F(ScoresCCDisplayTest, OnlineShowsTheWorldTableWithItsColumnsFlagsAndIcons) {
  AddWorldScore(1000, "Ann Lee", "IE", 9000, 250, 12, 'W', 19);
  AddWorldScore(1000, "Bob", "GB", 7000, 137, 77, 'L');
  AddWorldScore(1000, "Cy", "FR", 500, 3, 13, 'M');
  {
    qwtest::ScoreServiceEntry old;  // last year's: not in the year's table
    old.name = "Old";
    old.country = "FR";
    old.score = 400;
    old.uid = 14;
    old.year = 2025;
    m_service.AddScore(1000, old);
  }
  AddWorldScore(1001, "Other", "GB", 100, 3, 15, 'L');
  m_service.Server().HoldReplies(qwtest::ScoreTestService::kPath);
  GoOnline(0);
  ScoresCC *cc = Screen();
  EXPECT_EQ(MWinChoice::From(cc->mwinScoresMainWhichButton)->ChoiceGetSel(), 1);
  EXPECT_EQ(cc->mwinScoresMainResetButton->IsEnabled(), 0);
  // The download runs on the worker: "Update" reads "Updating..." until the table is in.
  ASSERT_TRUE(TickUntil("\"Updating...\"", [&] { return UpdateText() == "Updating..."; }));
  EXPECT_EQ(cc->mwinScoresMainUpdateButton->IsEnabled(), 0);
  EXPECT_EQ(cc->GetRowCount(), 0);
  m_service.Server().Release(qwtest::ScoreTestService::kPath);
  ASSERT_TRUE(TickUntil("the table's three rows", [&] { return cc->GetRowCount() == 3; }));
  Tick(0.1);
  EXPECT_EQ(UpdateText(), "Update");
  EXPECT_EQ(cc->mwinScoresMainUpdateButton->IsEnabled(), 1);
  ASSERT_EQ(m_service.TableQueries().size(), 1u);
  EXPECT_EQ(m_service.TableQueries()[0],
            "/cgi-bin/common/scores/Scores.fcgi?zz=1&gv=150&pr=55&st=1000&ra=1&sp=1&ep=99");
  struct Row {
    const char *pos, *name, *date, *level, *score;
  } rows[] = {{"1.", "Ann Lee", "03/19", "50X", "9000"}, {"2.", "Bob", "03/20", "37T", "7000"},
              {"3.", "Cy", "03/20", "3", "500"}};
  for (int r = 0; r < 3; r++) {
    SCOPED_TRACE(r);
    EXPECT_EQ(Cell(r, 0), rows[r].pos);
    EXPECT_EQ(Cell(r, 1), rows[r].name);
    EXPECT_EQ(Cell(r, 2), rows[r].date);
    EXPECT_EQ(Cell(r, 3), "");
    EXPECT_EQ(Cell(r, 4), rows[r].level);
    EXPECT_EQ(Cell(r, 5), "");
    EXPECT_EQ(Cell(r, 6), rows[r].score);
  }
  const char *headings[] = {"Pos", "Name", "Date", "Country", "Level", "Device", "Score"};
  for (int c = 0; c < 7; c++) EXPECT_EQ(Cell(-1, c), headings[c]);
  // "Me" finds the player's row, which is selected.
  EXPECT_EQ(cc->mwinScoresMainFindMeButton->IsEnabled(), 1);
  EXPECT_EQ(SelectedRows(), std::vector<int>{1});

  // Flags and platform icons are drawn in their cells: the frame differs there from a table
  // whose rows carry an unknown platform and no flag. The rows' countries are read with the
  // list, once, and noted there when unknown; drawing adds no note.
  m_game->Render();
  const std::vector<unsigned char> with = Frame();
  ScoresScore *world = ScoresGetWorldScores();
  ASSERT_NE(world, nullptr);
  for (int i = 0; i < 3; i++) {
    world[i].platform = '?';
    memcpy(world[i].country, "??", 2);
  }
  const int row_count = cc->GetRowCount();
  auto notes = [] {
    int count = 0;
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++)
      count += strstr(DebugGetMessage(i)->text, "Code [??] not found.") != nullptr;
    return count;
  };
  DebugResetForTests();
  cc->SetupList(-1);
  ASSERT_EQ(cc->GetRowCount(), row_count);
  EXPECT_EQ(notes(), row_count);
  for (int frame = 0; frame < 3; frame++) m_game->Render();
  EXPECT_EQ(notes(), row_count);
  std::vector<unsigned char> without(640 * 480 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, without.data());
  std::vector<unsigned char> flipped(without.size());
  for (int y = 0; y < 480; y++)
    std::copy(without.begin() + (479 - y) * 640 * 3, without.begin() + (480 - y) * 640 * 3,
              flipped.begin() + y * 640 * 3);
  MWinTabPanel *table = cc->GetScoresTable();
  ASSERT_NE(table, nullptr);
  int flag_pixels = 0, icon_pixels = 0;
  for (int y = 150; y < 240; y++)
    for (int x = 0; x < 640; x++) {
      const size_t i = size_t(y * 640 + x) * 3;
      const int d = abs(with[i] - flipped[i]) + abs(with[i + 1] - flipped[i + 1]) + abs(with[i + 2] - flipped[i + 2]);
      if (d <= 60) continue;
      if (x < 400) flag_pixels++;
      else icon_pixels++;
    }
  EXPECT_GT(flag_pixels, 100);
  EXPECT_GT(icon_pixels, 50);
}

TEST_F(ScoresCCDisplayTest, AFailedDownloadShowsFailedInRedForThreeSeconds) {
  qwtest::RefusedPort refused;
  qwtest::ScopedEnvVar url("QUARRELWICK_SCORE_URL", refused.Url("").c_str());
  GoOnline(1);
  ScoresCC *cc = Screen();
  ASSERT_TRUE(TickUntil("\"Failed\"", [&] { return UpdateText() == "Failed"; }));
  const double failed_at = eng_main_current_time;
  _ColourRGBA colour;
  cc->mwinScoresMainUpdateButton->GetTextColour(&colour);
  EXPECT_EQ(colour.r, 1.0f);
  EXPECT_EQ(colour.g, 0.0f);
  EXPECT_EQ(colour.b, 0.0f);
  EXPECT_EQ(cc->GetRowCount(), 0);
  m_game->Render();
  Frame();
  ASSERT_TRUE(TickUntil("\"Update\" again", [&] { return UpdateText() == "Update"; }));
  // On the test's clock, which only the ticks move: the first tick at or after three seconds.
  EXPECT_GE(eng_main_current_time - failed_at, 3.0);
  EXPECT_LT(eng_main_current_time - failed_at, 3.3);
  EXPECT_EQ(cc->mwinScoresMainUpdateButton->IsEnabled(), 1);
}

TEST_F(ScoresCCDisplayTest, ServerMessagesShowInInfo) {
  GoOnline(0);
  m_service.ScriptTableReply(" M The tables are being recounted.");
  ASSERT_TRUE(TickUntil("the server's message", [&] { return Screen()->mwinScoresMainInfoButton->IsShown() != 0; }));
  EXPECT_STREQ(Screen()->mwinScoresMainInfoButton->GetTextP(), "The tables are being recounted.");

  // An old version: the out-of-date text.
  m_screens->StartScreen(MAIN_SCREEN_ID, -1);
  m_service.ScriptTableReply(" V 150 151 0");
  m_screens->GotoScreen(SCORES_SCREEN_ID, nullptr);
  EXPECT_EQ(Screen()->mwinScoresMainInfoButton->IsShown(), 0);
  ASSERT_TRUE(TickUntil("the out-of-date text", [&] { return Screen()->mwinScoresMainInfoButton->IsShown() != 0; }));
  EXPECT_STREQ(Screen()->mwinScoresMainInfoButton->GetTextP(),
               "This game is out of date - you need to download the latest version.");
}

TEST_F(ScoresCCDisplayTest, SubmitSendsThePlayersBestOfTheRangeAndTheTableRefreshes) {
  SaveList(2, {MakeScore(640, 112, 2026, 3, 18, 77, "Bob", "GB"), MakeScore(900, 5, 2025, 3, 18, 77, "Bob", "GB"),
               MakeScore(300, 4, 2026, 3, 19, 77, "Bob", "GB")});
  AddWorldScore(1002, "Ann", "IE", 5000, 20, 12, 'W');
  GoOnline(2);
  ScoresCC *cc = Screen();
  ASSERT_TRUE(TickUntil("Ann's row", [&] { return cc->GetRowCount() == 1; }));
  EXPECT_EQ(cc->mwinScoresMainFindMeButton->IsEnabled(), 0);
  EXPECT_EQ(cc->mwinScoresMainSubmitButton->IsEnabled(), 1);
  _MWinButtonCallbackInfo info = {};
  EXPECT_EQ(cc->ButtonsCallback(cc->mwinScoresMainSubmitButton, &info), 1);
  EXPECT_EQ(PopupText(), "Your score was submitted successfully!");
  const std::vector<qwtest::ScoreServiceEntry> kept = m_service.Scores(1002);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[1].score, 640);  // the year's best, not last year's 900
  m_mwin->PopupTurnOff();
  ASSERT_TRUE(TickUntil("the table with the submitted row", [&] { return cc->GetRowCount() == 2; }));
  EXPECT_EQ(Cell(1, 1), "Bob");
  EXPECT_EQ(Cell(1, 6), "640");
  EXPECT_EQ(cc->mwinScoresMainFindMeButton->IsEnabled(), 1);
  m_game->Render();
  Frame();
}

TEST_F(ScoresCCDisplayTest, TheSubmissionsAnswersShowInPopups) {
  SaveList(0, {MakeScore(640, 112, 2026, 3, 18, 77, "Bob", "GB")});
  m_screens->StartScreen(SCORES_SCREEN_ID, -1);
  ScoresCC *cc = Screen();
  struct Case {
    const char *reply, *popup;
  } cases[] = {
      {" D\n", "You have already submitted as good a score or better."},
      {" V 150 151", "This game is out of date - you need to download the latest version."},
      {" V 150 150", "Problem reading high scores list  [V SAME 150]"},
      {" V 149 150", "Problem reading high scores list  [GV150 > CGV149]"},
      {" V 150 149", "Problem reading high scores list  [V150 > V149]"},
      {" V x", "Problem reading high scores list  [GV150 > CGV0]"},
      {" X no", "There was a problem submitting your score."},
      {"A\n\n", "Unknown problem while submitting."},
      {"A\n", "Problem encountered communicating with Tallowmere"},
  };
  _MWinButtonCallbackInfo info = {};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.reply);
    m_service.ScriptSubmitReply(c.reply);
    EXPECT_EQ(cc->ButtonsCallback(cc->mwinScoresMainSubmitButton, &info), 1);
    EXPECT_EQ(PopupText(), c.popup);
    m_mwin->PopupTurnOff();
  }
  // With a popup already up, the submission shows none of its own.
  m_service.ScriptSubmitReply(" X no");
  m_mwin->PopupMessage("Still here");
  const ScoresScore s = MakeScore(640, 112, 2026, 3, 18, 77, "Bob", "GB");
  EXPECT_EQ(ScoresSubmitScore(55, 150, 1000, &s, m_mwin, nullptr), -1);
  EXPECT_EQ(PopupText(), "Still here");
}

}  // namespace
