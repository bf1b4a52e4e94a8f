// Saved games in a temporary data folder: file names, the round trip of weapons (packed into the
// first slots), bugs, counters and pause state, the record's bytes before encryption, and the
// refusals (slot, game over, wrong size, version, failed checks) that leave the game as it was.
#include "game/SavedGame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMain.h"
#include "Engine/EngPrefFolder.h"
#include "game/Bugs.h"
#include "game/Game.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
#include "game/Weapons.h"
#include "players/UserInfo.h"
#include "tests/game/HeadlessGame.h"
#include "tests/game/PlayFieldRequests.h"
#include "tests/game/PlayFieldTestSupport.h"
#include "tests/game/WeaponsTestSupport.h"

namespace {

// A game on garden 0's straight road with a player "Ann" whose data folder is the test's own.
class SavedGameTest : public qwtest::WeaponFieldTest {
 protected:
  void SetUp() override {
    WeaponFieldTest::SetUp();
    PrefFolderResetForTests();
    ASSERT_NE(PrefFolderSetup("Quarrelwick", 0, nullptr, 1), nullptr);
    EngEncryptionResetForTests();
    ASSERT_EQ(EngEncryptionInit("QX_SEALING_KEY"), 1);
    memset(&m_info, 0, sizeof(m_info));
    strcpy(m_info.name, "Ann");
    GameSetUserInfoForTests(&m_info);
  }
  void TearDown() override {
    GameSetUserInfoForTests(nullptr);
    EngEncryptionResetForTests();
    PrefFolderResetForTests();
    WeaponFieldTest::TearDown();
  }
  std::string UsersPath(const std::string &file) const {
    return m_home.Path() + "/Tallowmere/Quarrelwick/Users/" + file;
  }
  static std::string Logged(const std::function<void()> &f) {
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
  }
  // What a refused load must leave alone.
  struct State {
    int garden, difficulty, cash, score, lives, wave, weapons, bugs, paused;
    bool operator==(const State &o) const { return memcmp(this, &o, sizeof(State)) == 0; }
  };
  static State Now() {
    int live_bugs = 0;
    for (Bug *b : bugs) live_bugs += b ? 1 : 0;
    return {level_garden, level_difficulty, cash, score, lives, bug_level_num, num_weapons, live_bugs, game_paused};
  }
  // Seals a record as the game would, into garden g's slot s.
  void Seal(const std::vector<unsigned char> &record, int garden, int slot) {
    const EngInt16 was = level_garden;
    level_garden = EngInt16(garden);
    const char *path = SaveGameGetFilename(slot, 0);
    level_garden = was;
    ASSERT_NE(path, nullptr);
    ASSERT_EQ(EngEncryptionEncryptAndWriteToFile(path, record.data(), EngUInt32(record.size())), 1);
  }
  static std::vector<unsigned char> Record() {
    std::vector<unsigned char> r(SAVED_GAME_RECORD_SIZE);
    SavedGameWriteRecord(r.data());
    return r;
  }

  qwtest::TempDir m_home;
  qwtest::ScopedEnvVar m_xdg{"XDG_DATA_HOME", m_home.Path().c_str()};
  _UserInfo m_info;
};

static void PutI32(std::vector<unsigned char> *r, size_t at, EngInt32 v) {
  for (int i = 0; i < 4; i++) (*r)[at + size_t(i)] = (unsigned char)(EngUInt32(v) >> (8 * i));
}
static void PutF32(std::vector<unsigned char> *r, size_t at, float f) {
  EngInt32 v;
  memcpy(&v, &f, 4);
  PutI32(r, at, v);
}
static void PutF64(std::vector<unsigned char> *r, size_t at, double d) {
  unsigned char b[8];
  memcpy(b, &d, 8);
  for (int i = 0; i < 8; i++) (*r)[at + size_t(i)] = b[i];  // the tests run little-endian
}

TEST_F(SavedGameTest, FileNamesFollowThePlayerGardenAndSlot) {
  level_garden = 2;
  EXPECT_EQ(std::string(SaveGameGetFilename(0, 1)), UsersPath("Ann_SavedGame00.dat"));
  EXPECT_EQ(std::string(SaveGameGetFilename(3, 0)), UsersPath("Ann_SavedGame33.dat"));
  EXPECT_EQ(std::string(SaveGameGetFilename(10, 0)), UsersPath("Ann_SavedGame310.dat"));
  // The Latin-1 name is written in UTF-8; a '/' never makes a path.
  strcpy(m_info.name, "Zo\xEB");
  EXPECT_EQ(std::string(SaveGameGetFilename(1, 0)), UsersPath("Zo\xC3\xAB_SavedGame31.dat"));
  strcpy(m_info.name, "../x");
  testing::internal::CaptureStderr();
  EXPECT_EQ(SaveGameGetFilename(1, 0), nullptr);
  EXPECT_EQ(SaveGame(1, 0), 0);
  testing::internal::GetCapturedStderr();
  GameSetUserInfoForTests(nullptr);  // nobody loaded
  EXPECT_EQ(DoesSavedGameExist(0, 1), 0);
  EXPECT_EQ(RemoveSavedGame(0, 1), 0);
}

// A pipe or the like in a saved game's place: Continue finds no game at once, told once.
TEST_F(SavedGameTest, WhatIsNotAFileIsNoSavedGame) {
  const std::string path = UsersPath("Ann_SavedGame00.dat");
  for (qwtest::NotAFile kind : qwtest::kNotAFileKinds) {
    SCOPED_TRACE(qwtest::NotAFileName(kind));
    qwtest::MakeNotAFile(kind, path);
    const State before = Now();
    std::string logged;
    EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(path, [&] {
      logged = Logged([] {
        EXPECT_EQ(DoesSavedGameExist(0, 1), 0);
        EXPECT_EQ(LoadSavedGame(0, 1), 0);
      });
    }));
    EXPECT_TRUE(Now() == before);
    // Asked twice, told twice: once for each question.
    EXPECT_EQ(qwtest::CountLogLines(logged, "DoesSavedGameExist", "Not a regular file <" + path + ">"), 2) << logged;
  }
}

TEST_F(SavedGameTest, ARoundTripPutsTheGameBack) {
  // Weapons in slots 0, 2 and 5; the others sold.
  const float xs[6] = {-0.8f, -0.6f, -0.4f, -0.2f, 0.0f, 0.2f};
  const int types[6] = {0, 1, 9, 4, 3, 6};
  for (int i = 0; i < 6; i++) ASSERT_EQ(Place(types[i], xs[i], 0.3f), 1) << i;
  for (int slot : {1, 3, 4}) WeaponsSellWeapon(slot);
  weapons[2]->level = 2;
  weapons[2]->UpdateSize();
  weapons[2]->target_mode = 3;
  weapons[5]->upgrading = 1;
  weapons[5]->upgrade_progress = 0.25f;
  weapons[5]->reload = 0.5f;
  // Bugs along the road with their own hit points and speed; slot 2 empty.
  for (int slot : {0, 1, 3}) {
    Bug *b = AddBug(slot, 1000 + 300 * slot);
    b->hp = 10.0 + slot;
    b->speed = 40.0 + slot;
  }
  bug_level_num = 7;
  cash = 1234;
  lives = 13;
  level_difficulty = 1;
  QuarrelwickChangeScore(77);
  last_boss_level = 5;

  struct Case {
    const char *name;
    EngUInt8 paused;
  };
  for (const Case &c : {Case{"paused", 1}, Case{"waiting for the start", 2}, Case{"running", 0}}) {
    SCOPED_TRACE(c.name);
    game_paused = c.paused;
    const State before = Now();
    const int score_before = score, added_before = score_added;
    ASSERT_EQ(SaveGame(4, 0), 1);
    EXPECT_EQ(qwtest::ReadWholeFile(UsersPath("Ann_SavedGame14.dat")).size(), 63300u);

    // Another game in another garden meanwhile.
    cash = 5;
    QuarrelwickInitForNewGame(0);
    ASSERT_EQ(LoadSavedGame(4, 0), 1);
    EXPECT_EQ(num_weapons, 3);
    const int expected_types[3] = {0, 9, 6};
    for (int i = 0; i < 3; i++) {
      ASSERT_NE(weapons[i], nullptr) << i;
      EXPECT_EQ(weapons[i]->type, expected_types[i]) << i;
    }
    EXPECT_EQ(weapons[1]->level, 2);
    EXPECT_EQ(weapons[1]->target_mode, 3);
    EXPECT_FLOAT_EQ(weapons[1]->half_size, weapons[1]->size * 0.5f);
    EXPECT_FLOAT_EQ(weapons[0]->x, -0.8f);
    EXPECT_EQ(factory_levels[0], 3);  // the factory counts again
    for (int slot : {0, 1, 3}) {
      ASSERT_NE(bugs[slot], nullptr) << slot;
      EXPECT_FLOAT_EQ(bugs[slot]->path_pos, float(1000 + 300 * slot));
      EXPECT_DOUBLE_EQ(bugs[slot]->hp, 10.0 + slot);
      EXPECT_DOUBLE_EQ(bugs[slot]->speed, 40.0 + slot);
      EXPECT_EQ(bugs[slot]->state, 3);
    }
    EXPECT_EQ(bugs[2] == nullptr || bugs[2]->alive == 0, true);
    EXPECT_EQ(num_bugs, 4);
    // The weapons packed; the empty bug slot holds a dead bug until the next tick.
    State expected = before;
    expected.weapons = 3;
    expected.bugs = 4;
    EXPECT_TRUE(Now() == expected);
    EXPECT_EQ(score, score_before);
    EXPECT_EQ(score_added, added_before);
    EXPECT_EQ(level_difficulty, 1);
    EXPECT_EQ(last_boss_level, 5);
    EXPECT_EQ(std::string(cash_str), "1234");
    // No new wave and no banner.
    EXPECT_EQ(LevelsGetBannerStage(), -1);
    // The wave keeps walking from where it was, not from a new start.
    game_paused = 0;
    BugsTick();
    BugsTick();
    ASSERT_NE(bugs[0], nullptr);
    EXPECT_GT(bugs[0]->path_pos, 1000.0f);
    EXPECT_EQ(bug_level_num, 7);
    // Back to the saved state for the next case.
    ASSERT_EQ(LoadSavedGame(4, 0), 1);
  }
}

TEST_F(SavedGameTest, TheRecordHoldsItsFieldsAtTheirOffsets) {
  ASSERT_EQ(Place(4, -0.5f, 0.3f), 1);
  weapons[0]->level = 1;
  weapons[0]->target_mode = 2;
  Bug *b = AddBug(1, 1500);
  b->hp = 42.5;
  b->saved_value = -7;
  level_garden = 2;
  level_difficulty = 1;
  bug_species = 4;
  bug_type = {123.5, 44.0, 9.0, 3};
  bugs_line_pos_dist = 0.25f;
  last_boss_level = 11;
  score = 1000;
  score_added = 400;
  lives = 9;
  cash = 70000;
  bug_level_num = 12;
  game_paused = 1;
  const std::vector<unsigned char> r = Record();
  auto bytes = [&](size_t at, size_t n) { return std::vector<unsigned char>(r.begin() + at, r.begin() + at + n); };
  using V = std::vector<unsigned char>;
  EXPECT_EQ(r.size(), 63284u);
  EXPECT_EQ(bytes(0, 4), V({0xD7, 0xA3, 0x00, 0x40}));  // 2.01f
  // Weapon slot 0.
  EXPECT_EQ(bytes(4, 16), V({1, 0, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(bytes(20, 4), V({0x00, 0x00, 0x00, 0xBF}));  // x -0.5
  EXPECT_EQ(bytes(60, 56), V(56, 0));                    // slot 1 empty
  EXPECT_EQ(bytes(56004, 4), V({1, 0, 0, 0}));
  EXPECT_EQ(bytes(56008, 4), V({4, 0, 0, 0}));
  EXPECT_EQ(bytes(56012, 8), V({0, 0, 0, 0, 0, 0xE0, 0x5E, 0x40}));  // 123.5
  EXPECT_EQ(bytes(56036, 4), V({3, 0, 0, 0}));
  EXPECT_EQ(bytes(56040, 4), V({0x00, 0x00, 0x80, 0x3E}));  // 0.25f
  // Bug slot 0 empty (never made), slot 1 alive with its double hit points at 4 mod 8.
  EXPECT_EQ(bytes(56048, 72), V(72, 0));
  const size_t bug1 = 56048 + 72;
  EXPECT_EQ(bytes(bug1, 4), V({1, 0, 0, 0}));
  EXPECT_EQ(bytes(bug1 + 16, 4), V({0x00, 0x80, 0xBB, 0x44}));  // path_pos 1500
  EXPECT_EQ(r[bug1 + 36], 1);
  EXPECT_EQ(bytes(bug1 + 40, 4), V({0xF9, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(bytes(bug1 + 52, 8), V({0, 0, 0, 0, 0, 0x40, 0x45, 0x40}));  // 42.5
  EXPECT_EQ(bytes(bug1 + 60, 8), V({0, 0, 0, 0, 0, 0, 0x59, 0x40}));     // 100
  EXPECT_EQ(r[bug1 + 68], 3);
  EXPECT_EQ(bytes(63248, 4), V({2, 0, 0, 0}));
  EXPECT_EQ(bytes(63252, 4), V({11, 0, 0, 0}));
  EXPECT_EQ(bytes(63256, 4), V({2, 0, 1, 0}));
  EXPECT_EQ(bytes(63260, 24), V({0xE8, 0x03, 0, 0, 0x90, 0x01, 0, 0, 9, 0, 0, 0, 0x70, 0x11, 0x01, 0, 12, 0, 0, 0,
                                 1, 0, 0, 0}));
}

TEST_F(SavedGameTest, RefusedSavesWriteNothing) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(SaveGame(11, 0), 0);
  EXPECT_EQ(SaveGame(-1, 0), 0);
  EXPECT_EQ(DoesSavedGameExist(11, 0), 0);
  game_over = 1;
  EXPECT_EQ(SaveGame(2, 0), 0);
  EXPECT_EQ(SaveGame(0, 1), 0);
  testing::internal::GetCapturedStderr();
  EXPECT_FALSE(qwtest::FileExists(UsersPath("Ann_SavedGame12.dat")));
  EXPECT_FALSE(qwtest::FileExists(UsersPath("Ann_SavedGame00.dat")));
  EXPECT_FALSE(qwtest::FileExists(UsersPath("Ann_SavedGame111.dat")));
  game_over = 0;
  // A later save replaces the file whole; removing it answers whether it was there.
  ASSERT_EQ(SaveGame(2, 0), 1);
  EXPECT_EQ(DoesSavedGameExist(2, 0), 1);
  EXPECT_EQ(RemoveSavedGame(2, 0), 1);
  EXPECT_EQ(RemoveSavedGame(2, 0), 0);
  EXPECT_EQ(DoesSavedGameExist(2, 0), 0);
}

// Save & Exit saves, and the way out saves the same game again: one save is one file write and
// one log line. A changed game, or a file that no longer holds it, is written again.
TEST_F(SavedGameTest, TheSameGameSavedAgainIsWrittenAndReportedOnce) {
  ASSERT_EQ(Place(0, -0.5f, 0.3f), 1);
  auto times_saved = [](const std::string &log) {
    int n = 0;
    for (size_t at = log.find("GAME SAVED TO SLOT 0:0"); at != std::string::npos;
         at = log.find("GAME SAVED TO SLOT 0:0", at + 1))
      n++;
    return n;
  };
  const std::string path = UsersPath("Ann_SavedGame00.dat");
  EXPECT_EQ(times_saved(Logged([] {
              EXPECT_EQ(SaveGame(0, 1), 1);
              EXPECT_EQ(SaveGame(0, 1), 1);
            })),
            1);
  const std::string first = qwtest::ReadWholeFile(path);
  cash += 10;
  EXPECT_EQ(times_saved(Logged([] { EXPECT_EQ(SaveGame(0, 1), 1); })), 1);
  EXPECT_NE(qwtest::ReadWholeFile(path), first);
  qwtest::WriteWholeFile(path, first);  // the file holds an older game
  EXPECT_EQ(times_saved(Logged([] { EXPECT_EQ(SaveGame(0, 1), 1); })), 1);
  ASSERT_EQ(RemoveSavedGame(0, 1), 1);
  EXPECT_EQ(times_saved(Logged([] { EXPECT_EQ(SaveGame(0, 1), 1); })), 1);
  EXPECT_EQ(DoesSavedGameExist(0, 1), 1);
}

TEST_F(SavedGameTest, BadFilesAreRefusedAndDeletedWithTheGameUntouched) {
  ASSERT_EQ(Place(0, -0.5f, 0.3f), 1);
  AddBug(0, 1200);
  cash = 321;
  const std::vector<unsigned char> good = Record();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char *name;
    std::function<void(std::vector<unsigned char> *)> patch;
    const char *message;
  };
  const char *kProblem = "Problem reading saved game file 3";
  const Case cases[] = {
      {"63,299 bytes", [](std::vector<unsigned char> *r) { r->pop_back(); }, kProblem},
      {"version 2.00", [](std::vector<unsigned char> *r) { PutF32(r, 0, 2.0f); },
       "Incorrect version [2.000000 not 2.010000] reading saved game file 3"},
      {"1,001 weapons", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_NUM_WEAPONS, 1001); }, kProblem},
      {"negative weapons", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_NUM_WEAPONS, -1); }, kProblem},
      {"101 bugs", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_NUM_BUGS, 101); }, kProblem},
      {"garden 4", [](std::vector<unsigned char> *r) { (*r)[SAVED_GAME_OFS_GARDEN] = 4; }, kProblem},
      {"difficulty 3", [](std::vector<unsigned char> *r) { (*r)[SAVED_GAME_OFS_DIFFICULTY] = 3; }, kProblem},
      {"wave 50", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_WAVE, 50); }, kProblem},
      {"last boss wave 50", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_LAST_BOSS, 50); }, kProblem},
      {"last boss wave negative",
       [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_LAST_BOSS, -1); }, kProblem},
      {"no lives", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_LIVES, 0); }, kProblem},
      {"21 lives", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_LIVES, 21); }, kProblem},
      {"negative cash", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_CASH, -5); }, kProblem},
      {"pause 3", [](std::vector<unsigned char> *r) { (*r)[SAVED_GAME_OFS_PAUSED] = 3; }, kProblem},
      {"won 2", [](std::vector<unsigned char> *r) { (*r)[SAVED_GAME_OFS_GAME_WON] = 2; }, kProblem},
      {"weapon type 12", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_WEAPONS + 4, 12); }, kProblem},
      {"weapon level 4", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_WEAPONS + 8, 4); }, kProblem},
      {"factory level 3",
       [](std::vector<unsigned char> *r) {
         PutI32(r, SAVED_GAME_OFS_WEAPONS + 4, 10);
         PutI32(r, SAVED_GAME_OFS_WEAPONS + 8, 3);
       },
       kProblem},
      {"target mode 5", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_WEAPONS + 12, 5); }, kProblem},
      {"weapon x NaN", [nan](std::vector<unsigned char> *r) { PutF32(r, SAVED_GAME_OFS_WEAPONS + 16, nan); }, kProblem},
      {"bug state 6", [](std::vector<unsigned char> *r) { (*r)[SAVED_GAME_OFS_BUGS + 68] = 6; }, kProblem},
      {"bug path index 16000",
       [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_BUGS + 20, 16000); }, kProblem},
      {"bug index far out", [](std::vector<unsigned char> *r) { PutI32(r, SAVED_GAME_OFS_BUGS, -2147483647 - 1); },
       kProblem},
      {"bug max hp 0", [](std::vector<unsigned char> *r) { PutF64(r, SAVED_GAME_OFS_BUGS + 60, 0.0); }, kProblem},
      {"bug hp infinite",
       [](std::vector<unsigned char> *r) { PutF64(r, SAVED_GAME_OFS_BUGS + 52, std::numeric_limits<double>::infinity()); },
       kProblem},
      {"bug type speed NaN",
       [](std::vector<unsigned char> *r) { PutF64(r, SAVED_GAME_OFS_BUG_SPEED, std::nan("")); }, kProblem},
  };
  level_garden = 0;
  const State before = Now();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned char> record = good;
    c.patch(&record);
    if (record.size() == good.size()) {
      const char *why = nullptr;
      EXPECT_EQ(SavedGameCheckRecord(record.data(), &why) == 0, strncmp(c.name, "version", 7) != 0);
    }
    Seal(record, 0, 3);
    ASSERT_EQ(DoesSavedGameExist(3, 0), 1);
    const std::string log = Logged([] { EXPECT_EQ(LoadSavedGame(3, 0), 0); });
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
    EXPECT_EQ(DoesSavedGameExist(3, 0), 0);
    EXPECT_TRUE(Now() == before);
    EXPECT_EQ(level_garden, 0);
  }
  // A missing file is only noted.
  const std::string log = Logged([] { EXPECT_EQ(LoadSavedGame(3, 0), 0); });
  EXPECT_NE(log.find("Saved game does not exist at slot 3"), std::string::npos) << log;
  // The untouched record itself passes.
  EXPECT_EQ(SavedGameCheckRecord(good.data(), nullptr), 1);
}

// Numbers beyond anything a game makes are refused as damage, whatever field holds them: a finite
// but huge speed walked a bug to infinity and the next aim converted that to an int.
TEST_F(SavedGameTest, NumbersBeyondWhatAGameMakesAreRefused) {
  ASSERT_EQ(Place(7, -0.5f, 0.3f), 1);
  AddBug(0, 1200);
  bug_type = {5000.0, 45.0, 120.0, 18};
  bugs_line_pos_dist = 600.0f;
  BugsSetBugSize(0.12f);
  cash = 321;
  const std::vector<unsigned char> good = Record();
  ASSERT_EQ(SavedGameCheckRecord(good.data(), nullptr), 1);
  const size_t weapon = SAVED_GAME_OFS_WEAPONS, bug = SAVED_GAME_OFS_BUGS;
  const double huge = std::ldexp(1.0, 209);
  struct Case {
    const char *name;
    size_t at;
    char width;  // 'i' int32, 'f' float, 'd' double
    double value;
    const char *why;
  } cases[] = {
      {"bug speed 2^209", bug + 44, 'd', huge, "bug speed"},
      {"bug speed 61", bug + 44, 'd', 61.0, "bug speed"},
      {"bug speed negative", bug + 44, 'd', -1.0, "bug speed"},
      {"bug path position far ahead", bug + 16, 'f', 16000.0 + 601.0, "bug path position"},
      {"bug path position far back", bug + 16, 'f', -101.0 * 600.0 - 1.0, "bug path position"},
      {"bug shift longer than a road", bug + 32, 'f', -16001.0, "bug path position"},
      {"bug hit points above its most", bug + 52, 'd', 100.5, "bug hit points"},
      {"bug hit points negative", bug + 52, 'd', -1.0, "bug hit points"},
      {"bug most hit points 2^209", bug + 60, 'd', huge, "bug hit points"},
      {"bug walk phase negative", bug + 8, 'f', -1.0, "bug number"},
      {"wave hit points 2e6", SAVED_GAME_OFS_BUG_HP, 'd', 2e6, "bug type hit points"},
      {"wave speed 2^209", SAVED_GAME_OFS_BUG_SPEED, 'd', huge, "bug type speed"},
      {"wave cash per kill 2^209", SAVED_GAME_OFS_BUG_CASH, 'd', huge, "bug type reward"},
      {"wave score per kill negative", SAVED_GAME_OFS_BUG_SCORE, 'i', -5.0, "bug type reward"},
      {"wave score per kill 20,000", SAVED_GAME_OFS_BUG_SCORE, 'i', 20000.0, "bug type reward"},
      {"queue spacing 0", SAVED_GAME_OFS_BUG_DISTANCE, 'f', 0.0, "bug spacing"},
      {"queue spacing past a road", SAVED_GAME_OFS_BUG_DISTANCE, 'f', 16001.0, "bug spacing"},
      {"bug size 1", SAVED_GAME_OFS_BUG_SIZE, 'f', 1.0, "bug size"},
      {"cash 3,000,001", SAVED_GAME_OFS_CASH, 'i', 3000001.0, "cash or score"},
      {"score 2^31 - 1", SAVED_GAME_OFS_SCORE, 'i', 2147483647.0, "cash or score"},
      {"score added 4,000,001", SAVED_GAME_OFS_SCORE_ADDED, 'i', 4000001.0, "cash or score"},
      {"weapon size above its type's", weapon + 24, 'f', 0.14f, "weapon size"},
      {"weapon size 0", weapon + 24, 'f', 0.0, "weapon size"},
      {"weapon upgrade 1.5", weapon + 40, 'f', 1.5, "weapon upgrade"},
      {"weapon throb phase a turn back", weapon + 44, 'f', -6.3, "weapon throb"},
      {"weapon brightness 2", weapon + 48, 'f', 2.0, "weapon throb"},
      {"weapon reload negative", weapon + 52, 'f', -0.5, "weapon reload"},
      {"weapon reload infinite", weapon + 52, 'f', HUGE_VAL, "weapon reload"},
  };
  level_garden = 0;
  const State before = Now();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned char> record = good;
    if (c.width == 'i') PutI32(&record, c.at, EngInt32(c.value));
    if (c.width == 'f') PutF32(&record, c.at, float(c.value));
    if (c.width == 'd') PutF64(&record, c.at, c.value);
    const char *why = nullptr;
    EXPECT_EQ(SavedGameCheckRecord(record.data(), &why), 0);
    EXPECT_STREQ(why, c.why);
    Seal(record, 0, 3);
    const std::string log = Logged([] { EXPECT_EQ(LoadSavedGame(3, 0), 0); });
    EXPECT_NE(log.find("Problem reading saved game file 3"), std::string::npos) << log;
    EXPECT_NE(log.find(std::string("Bad ") + c.why + " in <" + UsersPath("Ann_SavedGame13.dat") + ">"),
              std::string::npos)
        << log;
    EXPECT_EQ(DoesSavedGameExist(3, 0), 0);
    EXPECT_TRUE(Now() == before);
  }
}

// Inputs the saved-game fuzzer found, laid over a good record as it lays them: 12-byte patches
// of a kind (where, and 1, 2, 4 or 8 bytes wide), a slot or counter, an offset and the value.
TEST_F(SavedGameTest, RecordsTheFuzzerFoundAreRefused) {
  ASSERT_EQ(Place(0, -0.5f, 0.3f), 1);
  // The fuzzer's good record has a wave of bugs; the findings reach into its first nine.
  for (int slot = 0; slot < 9; slot++) AddBug(slot, 1200 + 10 * slot);
  bug_level_num = 12;
  cash = 4321;  // what a game could hold (placing gave the test plenty)
  const std::vector<unsigned char> good = Record();
  ASSERT_EQ(SavedGameCheckRecord(good.data(), nullptr), 1);
  struct Case {
    const char *file, *why;
  } cases[] = {
      // The last boss's wave at -2^31: the next wave's boss choice overflowed counting from it.
      {"last-boss-wave-far-back.bin", "last boss wave"},
      // A bug's speed near 2^209: it walked to infinity, and the aim ahead of it converted that
      // to an int.
      {"bug-speed-far-too-fast.bin", "bug speed"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.file);
    const std::string input = qwtest::ReadWholeFile(qwtest::SourceDir() + "/tests/data/fuzz/SavedGameFuzz/" + c.file);
    ASSERT_GE(input.size(), 12u);
    std::vector<unsigned char> record = good;
    for (size_t i = 0; i + 12 <= input.size(); i += 12) {
      const unsigned char kind = (unsigned char)input[i], a = (unsigned char)input[i + 1];
      const unsigned b = (unsigned char)input[i + 2] | unsigned((unsigned char)input[i + 3]) << 8;
      size_t at;
      switch (kind & 3) {
        case 0: at = SAVED_GAME_OFS_WEAPONS + (a % 8) * SAVED_GAME_WEAPON_SIZE + b % SAVED_GAME_WEAPON_SIZE; break;
        case 1: at = SAVED_GAME_OFS_BUGS + (a % 8) * SAVED_GAME_BUG_SIZE + b % SAVED_GAME_BUG_SIZE; break;
        case 2: at = (a & 1) ? SAVED_GAME_OFS_NUM_BUGS + b % 36 : SAVED_GAME_OFS_NUM_WEAPONS + b % 44; break;
        default: at = (size_t(a) << 16 | b) % SAVED_GAME_RECORD_SIZE; break;
      }
      const size_t width = size_t(1) << ((kind >> 2) & 3);
      for (size_t k = 0; k < width && at + k < record.size(); k++) record[at + k] = (unsigned char)input[i + 4 + k];
    }
    const char *why = nullptr;
    EXPECT_EQ(SavedGameCheckRecord(record.data(), &why), 0);
    EXPECT_STREQ(why, c.why);
    Seal(record, 0, 3);
    const State before = Now();
    const std::string log = Logged([] { EXPECT_EQ(LoadSavedGame(3, 0), 0); });
    EXPECT_NE(log.find("Problem reading saved game file 3"), std::string::npos) << log;
    EXPECT_TRUE(Now() == before);
  }
}

// The bounds on restored numbers hold for everything the game makes: in its real gardens, on
// every difficulty, a game saved at any moment passes the checks.
class SavedGameBoundsTest : public qwtest::PlayFieldTest {
 protected:
  bool StartGarden(int garden, int difficulty) {
    const std::string name = "TravCalcs" + std::to_string(garden) + ".dat";
    qwtest::WriteWholeFile(m_dir.File(name), qwtest::ReadWholeFile(qwtest::BuiltResources() + "/" + name));
    level_garden = EngInt16(garden);
    level_difficulty = EngInt16(difficulty);
    // Without a device the garden's picture is not made; that is logged and play goes on.
    testing::internal::CaptureStderr();
    const bool started = m_game.Start();
    testing::internal::GetCapturedStderr();
    return started;
  }
  // The first fault of the game as it stands, saved.
  static std::string Fault() {
    std::vector<unsigned char> record(SAVED_GAME_RECORD_SIZE);
    SavedGameWriteRecord(record.data());
    const char *why = nullptr;
    return SavedGameCheckRecord(record.data(), &why) ? "" : why;
  }
  qwtest::HeadlessGame m_game;
};

// Every wave the generator makes, each with a bug slowed to the floor, one hurt, one killed
// (and not yet removed) and one about to leave the road, on every garden and difficulty: the
// last waves' lone bosses at the slowest speed are the strongest bugs a game has.
TEST_F(SavedGameBoundsTest, EveryWaveTheGeneratorMakesPasses) {
  for (int garden = 0; garden < 4; garden++)
    for (int difficulty = 0; difficulty < 3; difficulty++) {
      ASSERT_TRUE(StartGarden(garden, difficulty));
      for (int wave = 0; wave < 50; wave++)
        for (int seed = 0; seed < 8; seed++) {
          SCOPED_TRACE("garden " + std::to_string(garden) + ", difficulty " + std::to_string(difficulty) + ", wave " +
                       std::to_string(wave) + ", seed " + std::to_string(seed));
          srand(unsigned(1000 * wave + seed));
          bug_level_num = wave;
          last_boss_level = seed % 2 ? 0 : wave;  // a boss is due, or the last one just came
          ASSERT_EQ(QuarrelwickInitForNewLevel(0), 1);
          ASSERT_GE(num_bugs, 1);
          bugs[0]->ReduceSpeed(1e9);
          bugs[num_bugs - 1]->ReduceHP(bugs[num_bugs - 1]->hp * 0.5);
          if (num_bugs > 2) {
            bugs[1]->path_pos = float(traverse_info.num_steps) - 0.001f;
            bugs[1]->CalcState();
            bugs[2]->ReduceHP(1e12);
          }
          ASSERT_EQ(Fault(), "");
        }
    }
  // The strongest bug of all: a lone boss of the last wave on Extreme at nearly the slowest speed.
  ASSERT_TRUE(StartGarden(0, 2));
  bug_level_num = 49;
  bool found = false;
  for (unsigned seed = 0; seed < 100000 && !found; seed++) {
    srand(seed);
    last_boss_level = 0;
    ASSERT_EQ(QuarrelwickInitForNewLevel(0), 1);
    found = num_bugs == 1 && bug_type.speed < 30.5;
  }
  ASSERT_TRUE(found);
  EXPECT_GT(bugs[0]->max_hp, 700000.0);
  EXPECT_EQ(Fault(), "");
}

// A whole game on the hardest difficulty, saved every second of play. The frame step is the
// measured length of the last frame: now and then one lasts a second (a busy machine), which
// takes walk phases, reloads and throbs past where a frame of 1/60 s leaves them.
TEST_F(SavedGameBoundsTest, AWholeGameOnExtremePassesAtEveryMoment) {
  srand(20261210);
  ASSERT_TRUE(StartGarden(0, 2));
  std::string fault;
  while (fault.empty() && !game_won && !game_over && m_game.Frames() < 60L * 60 * 90) {
    m_game.Step();
    if (m_game.Frames() % 1200 == 600) {
      game_per_second = 1.0f;
      QuarrelwickTick();
    }
    if (m_game.Frames() % 60 == 0) fault = Fault();
  }
  EXPECT_EQ(fault, "") << "wave " << bug_level_num + 1 << ", frame " << m_game.Frames();
  printf("extreme: wave %d, lives %d, cash %d, score %d\n", bug_level_num + 1, lives, cash, score);
  EXPECT_GE(bug_level_num, 20);
}

}  // namespace
