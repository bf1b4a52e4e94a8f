// Safety of the saves. Crashes: a child process saves the player file, the resume game, a local
// score file and the display settings over and over, alternating between two versions, and is killed with SIGKILL
// at random moments among its saves. After every kill each file must be whole: exactly the old
// or the new version, never a mix, a cut file or no file at all. The seed of the kill moments is
// printed; QW_SAVE_CRASH_SEED=<n> runs with that one. And what
// is found at a save's temporary name: each save replaces it or refuses at once.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngResModes.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Quarrelwick.h"
#include "game/SavedGame.h"
#include "online/Scores.h"
#include "players/UserClass.h"
#include "tests/support/TestSupport.h"

namespace {

const char *const kKey = "QX_SEALING_KEY";
const int kGarden = 3;

std::string DataFolder(const std::string &home) { return home + "/Tallowmere/Quarrelwick"; }
std::string PlayerPath(const std::string &home) { return DataFolder(home) + "/Users/Bob.usr"; }
std::string ScoresPath(const std::string &home) {
  return DataFolder(home) + "/Scores/LG_" + std::to_string(kGarden) + ".sco";
}
std::string SettingsPath(const std::string &home) { return DataFolder(home) + "/Resolution.dat"; }
std::string SavedGamePath(const std::string &home) { return DataFolder(home) + "/Users/Bob_SavedGame00.dat"; }

// A full local list, so a cut score file is far from the whole one.
void SeedScoreList() {
  std::vector<unsigned char> file;
  auto seal = [&file](const unsigned char *plain, EngUInt32 n) {
    void *sealed = EngEncryptionEncrypt(plain, n);
    const unsigned char *bytes = static_cast<const unsigned char *>(sealed);
    file.insert(file.end(), bytes, bytes + n + ENG_ENCRYPTION_BLOCK_SIZE);
    EngFree(sealed, 0, "SeedScoreList");
  };
  unsigned char header[SCORES_HEADER_SIZE];
  ScoresMakeHeaderPiece(kGarden, header);
  seal(header, SCORES_HEADER_SIZE);
  for (int i = 0; i < SCORES_MAX_LOCAL; i++) {
    ScoresScore s;
    memset(&s, 0, sizeof(s));
    s.score = 100000 - i;
    s.level = 1 + i % 50;
    s.date.year = 2026;
    s.date.month = char(1 + i % 12);
    s.date.day = char(1 + i % 28);
    s.user_id = 77;
    snprintf(s.name, sizeof(s.name), "Player%d", i);
    memcpy(s.country, "GB", 2);
    unsigned char record[SCORES_RECORD_SIZE];
    ScoresMakeRecordPiece(&s, record);
    seal(record, SCORES_RECORD_SIZE);
  }
  EngFileOpenWriteAndClose(ScoresGetFilename(1), 0, file.data(), euint(file.size()));
  ScoresReadCurrentGardenScores();
}

// Puts every saved thing in memory into version `version` (0 or 1); the two differ in every file.
void MakeVersion(UserClass *user, int version) {
  user->GetInfo()->other_games_pos = EngInt16(version + 1);
  resolution.window_x = 100 + version;
  cash = 1000 + version;
  score = 5000 + 7 * version;
  ScoresScore *scores = ScoresGetScores();
  for (EngInt32 i = 0; i < ScoresGetNumScores(); i++) scores[i].level = 1 + (i + version) % 50;
}

// Sets up the modules that save, with the data folder under home, and makes the player Bob, not
// remembered as the last player (the settings are saved on their own); 0, or the step that failed.
int SetUpSaving(const std::string &home, UserClass *user) {
  setenv("XDG_DATA_HOME", home.c_str(), 1);
  DebugSetLogFilename((home + "/Log.txt").c_str(), 1);
  if (!PrefFolderSetup("Quarrelwick", 0, nullptr, 1)) return 10;
  static _EngDisplayModeInfo desktop = {1920, 1080, 32, 60.0f};
  EngResModesSetDisplayForTests(&desktop, 1, &desktop);
  ResolutionSetupModule(_UpdaterProgramName(17), 2.01f, 1.5f, nullptr, 0, 1, 0, 0, 0, "Resolution", "License",
                        "License.txt", "Startup", "ResTitle.jpg");
  if (!EngEncryptionInit(kKey)) return 11;
  if (!user->CreateNewUser("Bob", "GB", 1)) return 12;
  user->GetInfo()->id = 77;
  GameSetUserInfoForTests(user->GetInfo());
  ScoresSetUserForTests(user);
  ScoresPre3dInit();
  ScoresSetCurrentGarden(kGarden);
  ScoresReadCurrentGardenScores();
  if (ScoresGetNumScores() != SCORES_MAX_LOCAL) SeedScoreList();
  if (ScoresGetNumScores() != SCORES_MAX_LOCAL) return 13;
  return 0;
}

// The four saves of a round, in the order the child makes them.
const int kSaves = 4;

// Runs in the child: saves everything `rounds` times (forever when negative), starting from
// version `first`. With a progress pipe it writes a byte as each save starts (`a` plus the save's
// place in the round, the second round's after the first's) and another as it ends (`A` plus the
// same), so the parent kills at a moment it chose among the saves and learns where the kill fell.
[[noreturn]] void SaveLoop(const std::string &home, int first, int rounds, int progress_fd) {
  UserClass user(nullptr, "Quarrelwick", 0, USER_ENCRYPTION_RECORD);
  if (int failed = SetUpSaving(home, &user)) _exit(failed);
  auto tell = [progress_fd](char base, int i, int save) {
    const char byte = char(base + (i % 2) * kSaves + save);
    if (progress_fd >= 0 && write(progress_fd, &byte, 1) != 1) _exit(14);
  };
  for (int i = 0; rounds < 0 || i < rounds; i++) {
    MakeVersion(&user, (first + i) % 2);
    const std::function<bool()> saves[kSaves] = {[&] { return user.Save(1) != 0; },
                                                 [] { return ScoresWriteToFile() != 0; },
                                                 [] {
                                                   ResolutionSaveSettings();
                                                   return true;
                                                 },
                                                 [] { return SaveGame(0, 1) != 0; }};
    for (int save = 0; save < kSaves; save++) {
      tell('a', i, save);
      if (!saves[save]()) _exit(20 + save);
      tell('A', i, save);
    }
  }
  _exit(0);
}

int RunToEnd(const std::string &home, int first, int rounds) {
  pid_t pid = fork();
  if (pid == 0) SaveLoop(home, first, rounds, -1);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

// The plain pieces of a sealed file of pieces of the given sizes (the first, then the rest);
// empty when the file is not exactly such pieces.
std::vector<std::string> Unseal(const std::string &file, size_t first, size_t rest) {
  std::vector<std::string> pieces;
  size_t at = 0;
  for (size_t n = first; at < file.size(); n = rest) {
    if (at + n + ENG_ENCRYPTION_BLOCK_SIZE > file.size()) return {};
    EngUInt32 size = 0;
    void *plain = EngEncryptionDecryptData(file.data() + at, EngUInt32(n + ENG_ENCRYPTION_BLOCK_SIZE), &size);
    if (!plain) return {};
    pieces.emplace_back(static_cast<char *>(plain), size);
    EngFree(plain, 0, "Unseal");
    at += n + ENG_ENCRYPTION_BLOCK_SIZE;
  }
  return pieces;
}

// The sealed files get a fresh counter block on every save, so they are compared unsealed.
std::vector<std::string> Player(const std::string &home) {
  return Unseal(qwtest::ReadWholeFile(PlayerPath(home)), USER_INFO_SIZE, USER_INFO_SIZE);
}
std::vector<std::string> SavedGame(const std::string &home) {
  return Unseal(qwtest::ReadWholeFile(SavedGamePath(home)), SAVED_GAME_RECORD_SIZE, SAVED_GAME_RECORD_SIZE);
}
std::vector<std::string> Scores(const std::string &home) {
  return Unseal(qwtest::ReadWholeFile(ScoresPath(home)), SCORES_HEADER_SIZE, SCORES_RECORD_SIZE);
}

class SaveCrashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EngEncryptionResetForTests();
    ASSERT_EQ(EngEncryptionInit(kKey), 1);
  }
  void TearDown() override {
    ScoresSetUserForTests(nullptr);
    GameSetUserInfoForTests(nullptr);
    ResolutionResetForTests();
    PrefFolderResetForTests();
    DebugResetForTests();
    EngEncryptionResetForTests();
  }
};

TEST_F(SaveCrashTest, EverySaveLeavesTheOldOrTheNewFileWhateverMomentItIsKilledAt) {
  // The two versions, each saved whole by a run that is not disturbed.
  qwtest::TempDir ref[2], live;
  for (int v = 0; v < 2; v++) ASSERT_EQ(RunToEnd(ref[v].Path(), v, 1), 0) << qwtest::ReadWholeFile(ref[v].File("Log.txt"));
  std::vector<std::string> player[2], scores[2], game[2];
  std::string settings[2];
  for (int v = 0; v < 2; v++) {
    player[v] = Player(ref[v].Path());
    scores[v] = Scores(ref[v].Path());
    settings[v] = qwtest::ReadWholeFile(SettingsPath(ref[v].Path()));
    ASSERT_EQ(player[v].size(), 1u);
    ASSERT_EQ(scores[v].size(), size_t(SCORES_MAX_LOCAL + 1));
    ASSERT_EQ(settings[v].size(), size_t(RESOLUTION_FILE_SIZE));
    game[v] = SavedGame(ref[v].Path());
    ASSERT_EQ(game[v].size(), 1u);
  }
  ASSERT_NE(player[0], player[1]);
  ASSERT_NE(scores[0], scores[1]);
  ASSERT_NE(settings[0], settings[1]);
  ASSERT_NE(game[0], game[1]);

  ASSERT_EQ(RunToEnd(live.Path(), 0, 1), 0);
  // The kill moments come from a seed, printed first; QW_SAVE_CRASH_SEED=<n> replays one.
  unsigned seed = std::random_device{}();
  if (const char *s = getenv("QW_SAVE_CRASH_SEED")) seed = unsigned(strtoul(s, nullptr, 10));
  fprintf(stderr, "save crash: seed %u (replay with QW_SAVE_CRASH_SEED=%u)\n", seed, seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  // Kills go on until enough have fallen, and enough of them in the middle of a save of each
  // version, however long a round takes on this machine; only a hang ends them early.
  const int kKills = 40, kDuringSaves = 4;
  int seen[2] = {0, 0}, during[2] = {0, 0}, kills = 0;
  const auto hung_at = std::chrono::steady_clock::now() + std::chrono::duration<double>(3 * qwtest::kHangSeconds);
  while (kills < kKills || during[0] < kDuringSaves || during[1] < kDuringSaves) {
    ASSERT_LT(std::chrono::steady_clock::now(), hung_at)
        << "still waiting after " << kills << " kills for " << kDuringSaves << " in the middle of a save of each version ("
        << during[0] << " and " << during[1] << " so far)";
    int progress[2];
    ASSERT_EQ(pipe(progress), 0);
    const int first = int(random() % 2);
    // The save to kill in (one of the first two rounds) and how long after it starts.
    const char target = char('a' + random() % (2 * kSaves));
    const auto delay = std::chrono::microseconds(random() % 4 == 0 ? 0 : random() % 3000);
    pid_t pid = fork();
    if (pid == 0) {
      close(progress[0]);
      SaveLoop(live.Path(), first, -1, progress[1]);
    }
    close(progress[1]);
    std::string told;
    for (char byte = 0; byte != target;) {
      ASSERT_EQ(read(progress[0], &byte, 1), 1) << "the saving child ended before its save " << target << "\n"
                                                << qwtest::ReadWholeFile(live.File("Log.txt"));
      told += byte;
    }
    std::this_thread::sleep_for(delay);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended on its own with " << WEXITSTATUS(status) << "\n"
                                     << qwtest::ReadWholeFile(live.File("Log.txt"));
    char rest[4096];
    for (ssize_t n; (n = read(progress[0], rest, sizeof rest)) > 0;) told.append(rest, size_t(n));
    close(progress[0]);
    kills++;
    // A last byte that is a start means the kill fell inside that save; its round tells the
    // version it was writing.
    const char last = told.back();
    if (last >= 'a' && last < 'a' + 2 * kSaves) during[(first + (last - 'a') / kSaves) % 2]++;

    const std::vector<std::string> p = Player(live.Path()), s = Scores(live.Path());
    const std::string r = qwtest::ReadWholeFile(SettingsPath(live.Path()));
    SCOPED_TRACE("kill " + std::to_string(kills) + " after \"" + told + "\"");
    ASSERT_TRUE(p == player[0] || p == player[1]) << "player file of " << qwtest::ReadWholeFile(PlayerPath(live.Path())).size()
                                                  << " bytes is neither version";
    ASSERT_TRUE(s == scores[0] || s == scores[1]) << "score file of " << qwtest::ReadWholeFile(ScoresPath(live.Path())).size()
                                                  << " bytes is neither version";
    ASSERT_TRUE(r == settings[0] || r == settings[1]) << "settings file of " << r.size() << " bytes is neither version";
    const std::vector<std::string> g = SavedGame(live.Path());
    ASSERT_TRUE(g == game[0] || g == game[1]) << "saved game of " << qwtest::ReadWholeFile(SavedGamePath(live.Path())).size()
                                              << " bytes is neither version";
    seen[p == player[1]]++;
  }
  // Kills fell between saves of both versions, so the loop really saved while it was killed.
  EXPECT_GT(seen[0], 0);
  EXPECT_GT(seen[1], 0);
  std::printf("%d kills, %d/%d inside a save of the old/new version: player file old/new version %d/%d\n", kills,
              during[0], during[1], seen[0], seen[1]);
}

// What stands at a save's temporary name (a pipe, a folder, a socket, a link to a pipe or to a
// file outside the data folder) neither holds a save up nor takes its bytes: each of the game's
// saves replaces it at once, or, for a folder, fails and keeps the old file.
TEST_F(SaveCrashTest, WhatStandsAtATemporaryNameIsReplacedOrRefusedAtOnce) {
  qwtest::TempDir home;
  const std::string h = home.Path();
  qwtest::ScopedEnvVar data_home("XDG_DATA_HOME", h.c_str());
  UserClass user(nullptr, "Quarrelwick", 0, USER_ENCRYPTION_RECORD);
  ASSERT_EQ(SetUpSaving(h, &user), 0) << qwtest::ReadWholeFile(home.File("Log.txt"));
  const auto joined = [](const std::vector<std::string> &pieces) {
    std::string all;
    for (const std::string &piece : pieces) all += piece;
    return all;
  };
  struct Save {
    const char *what;
    std::string path;
    std::function<bool()> save;
    std::function<std::string()> contents;
  };
  const Save saves[] = {
      {"player", PlayerPath(h), [&] { return user.Save(1) == 1; }, [&] { return joined(Player(h)); }},
      {"local scores", ScoresPath(h), [] { return ScoresWriteToFile() == 1; }, [&] { return joined(Scores(h)); }},
      // The settings tell a failure by a popup only.
      {"settings", SettingsPath(h), [] { return ResolutionSaveSettings(), true; },
       [&] { return qwtest::ReadWholeFile(SettingsPath(h)); }},
      {"saved game", SavedGamePath(h), [] { return SaveGame(0, 1) == 1; }, [&] { return joined(SavedGame(h)); }},
  };
  std::string version[2][4];
  for (int v = 0; v < 2; v++) {
    MakeVersion(&user, v);
    for (int i = 0; i < 4; i++) {
      ASSERT_TRUE(saves[i].save()) << saves[i].what;
      version[v][i] = saves[i].contents();
      ASSERT_FALSE(version[v][i].empty()) << saves[i].what;
    }
  }
  for (int i = 0; i < 4; i++) ASSERT_NE(version[0][i], version[1][i]) << saves[i].what;

  for (qwtest::NotAFile kind : qwtest::kNotAFileKindsForWriting) {
    MakeVersion(&user, 0);
    for (const Save &s : saves) ASSERT_TRUE(s.save());
    MakeVersion(&user, 1);
    for (int i = 0; i < 4; i++) {
      const Save &s = saves[i];
      SCOPED_TRACE(std::string(s.what) + " over a " + qwtest::NotAFileName(kind));
      const std::string temporary = s.path + ".tmp";
      qwtest::MakeNotAFile(kind, temporary);
      bool saved = false;
      EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(temporary, [&] { saved = s.save(); }));
      struct stat status;
      ASSERT_EQ(lstat(s.path.c_str(), &status), 0);
      EXPECT_TRUE(S_ISREG(status.st_mode));
      const bool folder = kind == qwtest::NotAFile::kFolder;
      EXPECT_EQ(s.contents(), version[folder ? 0 : 1][i]);
      if (folder) {
        EXPECT_TRUE(std::filesystem::is_directory(temporary));
        std::filesystem::remove_all(temporary);
      } else {
        EXPECT_TRUE(saved);
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(temporary)));
      }
      if (kind == qwtest::NotAFile::kLinkToOutsideFile) {
        EXPECT_EQ(qwtest::ReadWholeFile(qwtest::OutsideFile()), qwtest::kOutsideBytes);
      }
    }
  }
}

}  // namespace
