#include "online/Scores.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngByteCursor.h"
#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/MWin/MWin.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "online/ScoresSubmit.h"
#include "players/UserClass.h"
#include "screens/VQ_Screens.h"

const char *scores_ranges_adj_strs[SCORES_NUM_RANGES] = {"all time", "yearly", "monthly", "weekly", "daily"};
const char *scores_ranges_adj_caps_strs[SCORES_NUM_RANGES] = {"All Time", "Yearly", "Monthly", "Weekly", "Daily"};

EngInt32 score_last_entry_pos = -1;
EngInt32 score_last_entry_garden = -1;
char scores_control_from_game = 0;
char scores_control_from_pause = 0;

static ScoresScore s_game_scores[SCORES_MAX_LOCAL];
static EngInt32 s_num_game_scores = 0;
static ScoresScore *s_game_scores_subset = nullptr;
static EngInt32 s_num_game_scores_subset = 0;
static char s_score_file_str[SCORES_PATH_SIZE] = "Unset.sco";
static ScoresScore s_last_added_score;
static EngInt32 s_garden = 0;
static ScoresScreenLink *s_screen = nullptr;
static UserClass *s_test_user = nullptr;
static ScoresMain *scores_main = nullptr;
static bool s_use_test_user = false;

// Marks an entry for removal while the game-over pruning runs.
static const EngInt8 kRemoveMark = 'c';

// The conversions of a printf format in order, each whole from its '%' to its kind (flags,
// width, precision and length modifiers included), "%%" left out. An unfinished one counts too.
static std::vector<std::string> Conversions(const char *format) {
  std::vector<std::string> conversions;
  for (const char *p = format; *p; p++) {
    if (*p != '%') continue;
    const char *start = p++;
    if (*p == '%') continue;
    while (*p && !strchr("diouxXeEfFgGaAcspn%", *p)) p++;
    conversions.emplace_back(start, *p ? size_t(p - start + 1) : size_t(p - start));
    if (!*p) break;
  }
  return conversions;
}

char ScoresFormatMatches(const char *translated, const char *english) {
  return Conversions(translated) == Conversions(english) ? 1 : 0;
}

// A translated format is used only when it takes the same arguments as the English one.
static const char *ScoresFormat(const char *token, const char *english) {
  const char *text = EngLanguagesGetStringIfExists(token, english);
  return ScoresFormatMatches(text, english) ? text : english;
}

// ---- Records ----

void ScoresScoreToBytes(const ScoresScore *s, unsigned char bytes[SCORES_SCORE_SIZE]) {
  memset(bytes, 0, SCORES_SCORE_SIZE);
  EngByteWriter out(bytes, SCORES_SCORE_SIZE);
  out.Seek(0).U32(EngUInt32(s->score));
  out.Seek(4).U32(EngUInt32(s->level));
  out.Seek(8).U32(s->v3);
  out.Seek(12).U32(s->v4);
  out.Seek(16).U32(s->date.year);
  out.Seek(20).U8(EngUInt8(s->date.month));
  out.Seek(21).U8(EngUInt8(s->date.day));
  out.Seek(24).U16(s->user_id);
  out.Seek(26).Bytes(s->name, sizeof(s->name));
  out.Seek(58).Bytes(s->country, sizeof(s->country));
  out.Seek(61).Bytes(s->text, sizeof(s->text));
  out.Seek(81).U8(EngUInt8(s->platform));
  out.Seek(82).Bytes(s->small, sizeof(s->small));
}

void ScoresScoreFromBytes(const unsigned char bytes[SCORES_SCORE_SIZE], ScoresScore *s) {
  memset(s, 0, sizeof(*s));
  EngByteReader in(bytes, SCORES_SCORE_SIZE);
  s->score = EngInt32(in.Seek(0).U32());
  s->level = EngInt32(in.Seek(4).U32());
  s->v3 = in.Seek(8).U32();
  s->v4 = in.Seek(12).U32();
  s->date.year = in.Seek(16).U32();
  s->date.month = static_cast<char>(in.Seek(20).U8());
  s->date.day = static_cast<char>(in.Seek(21).U8());
  s->user_id = in.Seek(24).U16();
  in.Seek(26).Bytes(s->name, sizeof(s->name));
  in.Seek(58).Bytes(s->country, sizeof(s->country));
  in.Seek(61).Bytes(s->text, sizeof(s->text));
  s->platform = static_cast<char>(in.Seek(81).U8());
  in.Seek(82).Bytes(s->small, sizeof(s->small));
}

void ScoresMakeHeaderPiece(EngInt32 garden, unsigned char bytes[SCORES_HEADER_SIZE]) {
  memset(bytes, 0, SCORES_HEADER_SIZE);
  EngByteWriter out(bytes, SCORES_HEADER_SIZE);
  out.Seek(0).U16(SCORES_FILE_VERSION);
  out.Seek(2).U16(EngUInt16(garden));
}

static bool HeaderPieceMatches(const unsigned char bytes[SCORES_HEADER_SIZE], EngInt32 garden) {
  EngByteReader in(bytes, SCORES_HEADER_SIZE);
  return in.Seek(0).U16() == SCORES_FILE_VERSION && in.Seek(2).U16() == EngUInt16(garden);
}

void ScoresMakeRecordPiece(const ScoresScore *s, unsigned char bytes[SCORES_RECORD_SIZE]) {
  memset(bytes, 0, SCORES_RECORD_SIZE);
  EngByteWriter out(bytes, SCORES_RECORD_SIZE);
  out.Seek(0).U32(EngUInt32(s->score));
  out.Seek(4).U32(EngUInt32(s->level));
  out.Seek(16).U32(s->date.year);
  out.Seek(20).U8(EngUInt8(s->date.month));
  out.Seek(21).U8(EngUInt8(s->date.day));
  out.Seek(24).U16(s->user_id);
  out.Seek(26).Bytes(s->name, strnlen(s->name, SCORES_MAX_NAME));
  out.Seek(48).Bytes(s->country, strnlen(s->country, sizeof(s->country)));
}

// A record piece as a list entry, or 0 when it is no valid entry.
static char RecordPieceToScore(const unsigned char bytes[SCORES_RECORD_SIZE], ScoresScore *s) {
  memset(s, 0, sizeof(*s));
  EngByteReader in(bytes, SCORES_RECORD_SIZE);
  s->score = EngInt32(in.Seek(0).U32());
  s->level = EngInt32(in.Seek(4).U32());
  s->date.year = in.Seek(16).U32();
  s->date.month = static_cast<char>(in.Seek(20).U8());
  s->date.day = static_cast<char>(in.Seek(21).U8());
  s->user_id = in.Seek(24).U16();
  const char *name = reinterpret_cast<const char *>(bytes + 26);
  const char *country = reinterpret_cast<const char *>(bytes + 48);
  const size_t name_length = strnlen(name, SCORES_NAME_FIELD);
  const size_t country_length = strnlen(country, SCORES_COUNTRY_FIELD);
  if (s->score < 1 || s->level < 1 || s->date.day < 1 || s->date.day > 31 || s->date.month < 1 ||
      s->date.month > 12 || name_length < 1 || name_length > SCORES_MAX_NAME || country_length < 1 ||
      country_length > sizeof(s->country))
    return 0;
  memcpy(s->name, name, name_length);
  memcpy(s->country, country, country_length);
  return 1;
}

// ---- Module state ----

void ScoresSetScreenLink(ScoresScreenLink *link) { s_screen = link; }
ScoresScreenLink *ScoresGetScreenLink() { return s_screen; }
void ScoresSetCurrentGarden(EngInt32 garden) { s_garden = garden; }
EngInt32 ScoresGetCurrentGarden() { return s_garden; }
EngInt32 ScoresGetNumScores() { return s_num_game_scores; }
ScoresScore *ScoresGetScores() { return s_game_scores; }
const ScoresScore *ScoresGetLastAddedScore() { return &s_last_added_score; }
EngInt32 ScoresGetSubsetNum() { return s_num_game_scores_subset; }
ScoresScore *ScoresGetSubset() { return s_game_scores_subset; }

void ScoresSetUserForTests(UserClass *user) {
  s_test_user = user;
  s_use_test_user = user != nullptr;
}

static UserClass *LoadedUser() {
  if (s_use_test_user) return (s_test_user && s_test_user->IsLoaded()) ? s_test_user : nullptr;
  return main_game ? main_game->GetLoadedUser() : nullptr;
}

static void FreeSubset() {
  if (s_game_scores_subset) EngFree(s_game_scores_subset, 0, "ScoresFreeSubset");
  s_game_scores_subset = nullptr;
  s_num_game_scores_subset = 0;
}

static void TellScreen() {
  if (s_screen) s_screen->UpdateForNewGarden();
}

char ScoresPre3dInit() {
  EngSafeStrcpy(s_score_file_str, "Unset.sco", sizeof(s_score_file_str));
  memset(s_game_scores, 0, sizeof(s_game_scores));
  s_num_game_scores = 0;
  FreeSubset();
  score_last_entry_pos = -1;
  score_last_entry_garden = -1;
  memset(&s_last_added_score, 0, sizeof(s_last_added_score));
  if (!scores_main) scores_main = new ScoresMain();
  return 1;
}

void ScoresFinalExit() {
  FreeSubset();
  delete scores_main;
  scores_main = nullptr;
}

// ---- The file ----

const char *ScoresGetFilename(char create) {
  if (s_garden < 0 || s_garden > 3) {
    DebugErrorAlt(ENG_FUNC, "Invalid garden %d", int(s_garden));
    return nullptr;
  }
  const char *folder = PrefFolderGetSubFolder("Scores", create);
  if (!folder) return nullptr;
  if (create && !EngFileDirectoryExists(folder)) return nullptr;
  snprintf(s_score_file_str, sizeof(s_score_file_str), "%s%sLG_%d.sco", folder, "/", int(s_garden));
  return s_score_file_str;
}

// The last-added flag marks the entry that equals the score the last game added.
static void MarkLastAdded(ScoresScore *s) {
  s->small[0] = (s_last_added_score.score > 0 && ScoresAreScoresTheSame(s, &s_last_added_score)) ? 1 : 0;
}

void ScoresReadCurrentGardenScores() {
  s_num_game_scores = 0;
  TellScreen();
  const char *name = ScoresGetFilename(0);
  if (!name) {
    TellScreen();
    return;
  }
  const std::string path = name;
  EngFile file;
  if (EngFileIsNotRegular(ENG_FUNC, path.c_str()) || !file.OpenForReadingIfExists(path.c_str(), 0)) {
    TellScreen();
    return;
  }
  const EngUInt64 size = file.GetSize();
  unsigned char header[SCORES_HEADER_SIZE + 1];
  if (!file.Rewind() || !EngEncryptionReadFromOpenFileAndDecrypt(&file, header, SCORES_HEADER_SIZE) ||
      !HeaderPieceMatches(header, s_garden)) {
    file.Close();
    EngFileDelete(path.c_str(), 0);
    DebugErrorAlt(ENG_FUNC, "Score file invalid - deleted <%s>", path.c_str());
    TellScreen();
    return;
  }
  // A damaged record costs only itself: the rest load, the file stays and the next write keeps
  // the good ones.
  const EngUInt64 piece = SCORES_RECORD_SIZE + ENG_ENCRYPTION_BLOCK_SIZE;
  EngUInt64 remaining = size - (SCORES_HEADER_SIZE + ENG_ENCRYPTION_BLOCK_SIZE);
  for (int record = 1; remaining != 0 && s_num_game_scores < SCORES_MAX_LOCAL; record++) {
    unsigned char bytes[SCORES_RECORD_SIZE + 1];
    if (remaining < piece || !EngEncryptionReadFromOpenFileAndDecrypt(&file, bytes, SCORES_RECORD_SIZE)) {
      DebugErrorAlt(ENG_FUNC, "Score file invalid line %d - skipped <%s>", record, path.c_str());
      break;
    }
    remaining -= piece;
    ScoresScore *entry = &s_game_scores[s_num_game_scores];
    if (!RecordPieceToScore(bytes, entry)) {
      DebugErrorAlt(ENG_FUNC, "Invalid score entry %d - skipped <%s>", record, path.c_str());
      memset(entry, 0, sizeof(*entry));
      continue;
    }
    MarkLastAdded(entry);
    s_num_game_scores++;
  }
  file.Close();
  if (s_num_game_scores > 0) qsort(s_game_scores, size_t(s_num_game_scores), sizeof(ScoresScore), ScoresSortCallback);
  TellScreen();
}

char ScoresWriteToFile() {
  if (s_num_game_scores > 0) qsort(s_game_scores, size_t(s_num_game_scores), sizeof(ScoresScore), ScoresSortCallback);
  score_last_entry_pos = -1;
  for (EngInt32 i = 0; i < s_num_game_scores; i++)
    if (s_game_scores[i].small[0]) {
      score_last_entry_pos = i;
      score_last_entry_garden = s_garden;
    }
  const char *name = ScoresGetFilename(1);
  if (!name) return 0;
  // Sealed whole in memory and saved atomically, so a failed write keeps the old file.
  std::vector<unsigned char> out;
  out.reserve(size_t(SCORES_HEADER_SIZE + ENG_ENCRYPTION_BLOCK_SIZE) +
              size_t(s_num_game_scores) * (SCORES_RECORD_SIZE + ENG_ENCRYPTION_BLOCK_SIZE));
  auto seal = [&out](const unsigned char *plain, EngUInt32 n) {
    void *sealed = EngEncryptionEncrypt(plain, n);
    if (!sealed) return false;
    const unsigned char *bytes = static_cast<const unsigned char *>(sealed);
    out.insert(out.end(), bytes, bytes + n + ENG_ENCRYPTION_BLOCK_SIZE);
    EngFree(sealed, 0, "ScoresWriteToFile");
    return true;
  };
  unsigned char header[SCORES_HEADER_SIZE];
  ScoresMakeHeaderPiece(s_garden, header);
  if (!seal(header, SCORES_HEADER_SIZE)) {
    DebugErrorAlt(ENG_FUNC, "Could not write version to file <%s>", name);
    return 0;
  }
  for (EngInt32 i = 0; i < s_num_game_scores; i++) {
    unsigned char record[SCORES_RECORD_SIZE];
    ScoresMakeRecordPiece(&s_game_scores[i], record);
    if (!seal(record, SCORES_RECORD_SIZE)) {
      DebugErrorAlt(ENG_FUNC, "Could not write line to file <%s>", name);
      return 0;
    }
  }
  if (!EngFileOpenWriteAndClose(name, 0, out.data(), euint(out.size()))) {
    DebugErrorAlt(ENG_FUNC, "Could not write score file <%s> - old file kept", name);
    return 0;
  }
  return 1;
}

int ScoresSortCallback(const void *pa, const void *pb) {
  const ScoresScore *a = static_cast<const ScoresScore *>(pa), *b = static_cast<const ScoresScore *>(pb);
  if (a->score != b->score) return a->score > b->score ? -1 : 1;
  if (a->level != b->level) return a->level > b->level ? -1 : 1;
  const int names = strncmp(a->name, b->name, sizeof(a->name));
  return names > 0 ? -1 : names < 0 ? 1 : 0;
}

char ScoresAreScoresTheSame(const ScoresScore *a, const ScoresScore *b) {
  if (!a || !b) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (memcmp(a, b, sizeof(*a)) == 0) return 1;
  return a->score == b->score && a->level == b->level && a->date.year == b->date.year &&
         a->date.month == b->date.month && a->date.day == b->date.day && a->user_id == b->user_id &&
         strncmp(a->name, b->name, sizeof(a->name)) == 0 && strncmp(a->country, b->country, sizeof(a->country)) == 0 &&
         a->platform == b->platform;
}

// ---- The player ----

// The player's country as the list stores it: "?" is kept as "US".
static void StoredCountry(const _UserInfo *info, char country[3]) {
  memset(country, 0, 3);
  if (info->country[0] == '?') {
    memcpy(country, "US", 2);
  } else {
    memcpy(country, info->country, strnlen(info->country, 2));
  }
}

static bool IsPlayers(const ScoresScore *s, const _UserInfo *info) {
  char country[3];
  StoredCountry(info, country);
  return strncmp(s->name, info->name, sizeof(s->name)) == 0 && strncmp(s->country, country, sizeof(s->country)) == 0;
}

// ---- Game over ----

void ScoresCheckGameOverScore() {
  score_last_entry_pos = -1;
  score_last_entry_garden = -1;
  for (EngInt32 i = 0; i < s_num_game_scores; i++) s_game_scores[i].small[0] = 0;
  if (s_garden < 0 || s_garden > 3 || score == 0) return;
  score_last_entry_pos = -1;
  for (ScoresScore &s : s_game_scores) s.small[0] = 0;
  memset(&s_last_added_score, 0, sizeof(s_last_added_score));
  UserClass *user = LoadedUser();
  if (!user) {
    DebugErrorAlt("void ScoresAddGameScore()", "User not loaded");
    return;
  }
  const _UserInfo *info = user->GetInfo();
  ScoresReadCurrentGardenScores();
  for (ScoresScore &s : s_game_scores) s.small[0] = 0;
  _EngMiscDate today;
  EngMiscGetTodaysDate(&today);

  // Thin out the player's older entries: older years keep only the all-time best, earlier
  // months of this year the year's best, and days before the last nine the month's best.
  bool have_all = false, have_year = false, have_month = false;
  EngInt32 best_all = 0, best_year = 0, best_month = 0;
  for (EngInt32 i = 0; i < s_num_game_scores; i++) {
    ScoresScore &s = s_game_scores[i];
    if (s.user_id != info->id || strncmp(s.name, info->name, sizeof(s.name)) != 0) continue;
    if (!have_all) {
      have_all = true;
      best_all = s.score;
    }
    if (s.date.year < today.year) {
      if (s.score < best_all) s.small[0] = kRemoveMark;
      continue;
    }
    if (!have_year) {
      have_year = true;
      best_year = s.score;
    }
    if (s.date.month < today.month) {
      if (s.score < best_year) s.small[0] = kRemoveMark;
      continue;
    }
    if (!have_month) {
      have_month = true;
      best_month = s.score;
    }
    if (today.day >= 9 && s.date.day < today.day - 8 && s.score < best_month) s.small[0] = kRemoveMark;
  }
  EngInt32 kept = 0;
  for (EngInt32 i = 0; i < s_num_game_scores; i++)
    if (s_game_scores[i].small[0] != kRemoveMark) s_game_scores[kept++] = s_game_scores[i];
  for (EngInt32 i = kept; i < s_num_game_scores; i++) memset(&s_game_scores[i], 0, sizeof(ScoresScore));
  s_num_game_scores = kept;

  EngInt32 at = s_num_game_scores;
  if (s_num_game_scores < SCORES_MAX_LOCAL)
    s_num_game_scores++;
  else
    at = SCORES_MAX_LOCAL - 1;
  ScoresScore &entry = s_game_scores[at];
  memset(&entry, 0, sizeof(entry));
  entry.score = score;
  entry.level = bug_level_num + level_difficulty * 100 + 1;
  entry.date.year = today.year;
  entry.date.month = today.month;
  entry.date.day = today.day;
  entry.user_id = info->id;
  memcpy(entry.name, info->name, strnlen(info->name, sizeof(info->name)));
  StoredCountry(info, entry.country);
  entry.small[0] = 1;
  s_last_added_score = entry;
  ScoresWriteToFile();
}

ScoresScore *ScoresGetUsersBestScoreForCurrentGardenNotLastScore(ScoresRange range) {
  UserClass *user = LoadedUser();
  if (!user) {
    DebugErrorAlt(ENG_FUNC, "User not loaded.");
    return nullptr;
  }
  const _UserInfo *info = user->GetInfo();
  ScoresReadCurrentGardenScores();
  _EngMiscDate today;
  EngMiscGetTodaysDate(&today);
  ScoresScore *best = nullptr;
  EngInt32 best_score = 0;
  for (EngInt32 i = 0; i < s_num_game_scores; i++) {
    ScoresScore *s = &s_game_scores[i];
    if (!IsPlayers(s, info) || s->small[0] != 0 || s->score <= best_score) continue;
    if (range != SCORES_RANGE_ALL_TIME && !ScoresMainIsDateInRange(&s->date, &today, range)) continue;
    best = s;
    best_score = s->score;
  }
  if (best) memset(best->text, 0, sizeof(best->text));
  return best;
}

EngInt32 ScoresGetRangeOfLastScore() {
  for (EngInt32 r = SCORES_RANGE_ALL_TIME; r < SCORES_NUM_RANGES; r++) {
    const ScoresScore *best = ScoresGetUsersBestScoreForCurrentGardenNotLastScore(ScoresRange(r));
    if (!best || best->score < score) return r;
  }
  return -1;
}

static void AddOnlineAfterPopupCB_Static(MWin *, char answer, void *) {
  if (s_screen) s_screen->AddOnlineAfterPopupCB(answer);
}

void ScoresPromptToSubmitLastScore() {
  MWin *mwin = main_game ? main_game->GetMWin() : nullptr;
  VQ_Screens *screens = main_game ? main_game->GetScreens() : nullptr;
  if (!mwin || !screens || !mwin->AreScreensOn() || screens->GetCurrentScreen() != SCORES_SCREEN_ID) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return;
  }
  char *message = static_cast<char *>(EngMalloc(512, "ScoresPromptToSubmitLastScore", 1));
  if (!message) return;
  UserClass *user = LoadedUser();
  const char *name = user ? user->GetInfo()->name : "";
  const EngInt32 range = ScoresGetRangeOfLastScore();
  if (range >= 0) {
    snprintf(message, 512,
             ScoresFormat("Scores_BestScorePrompt",
                        "%s, you scored %d and got to level %d.\n\nThis is your best %s score for this garden.\n\n"
                        "Submit this score?"),
             name, int(score), int(bug_level_num + 1), scores_ranges_adj_strs[range]);
    mwin->PopupOkCancel(nullptr, message, AddOnlineAfterPopupCB_Static, nullptr);
  } else {
    snprintf(message, 512,
             ScoresFormat("Scores_BetterScoreExists",
                        "%s, you scored %d and got to level %d.\n\nYou already have a better score than this one."),
             name, int(score), int(bug_level_num + 1));
    mwin->PopupMessage(message);
  }
  EngFree(message, 0, "ScoresPromptToSubmitLastScore");
}

// ---- Queries of the high-score screen ----

char ScoresGetSubsetForRange(ScoresRange range, char, char) {
  FreeSubset();
  _EngMiscDate today;
  EngMiscGetTodaysDate(&today);
  auto in_range = [&](const ScoresScore &s) {
    return range == SCORES_RANGE_ALL_TIME || ScoresMainIsDateInRange(&s.date, &today, range);
  };
  EngInt32 count = 0;
  for (EngInt32 i = 0; i < s_num_game_scores; i++)
    if (in_range(s_game_scores[i])) count++;
  if (count == 0) return 0;
  s_game_scores_subset =
      static_cast<ScoresScore *>(EngMalloc(size_t(count) * sizeof(ScoresScore), "ScoresGetSubsetForRange", 1));
  if (!s_game_scores_subset) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  EngInt32 copied = 0;
  for (EngInt32 i = 0; i < s_num_game_scores && copied < count; i++)
    if (in_range(s_game_scores[i])) s_game_scores_subset[copied++] = s_game_scores[i];
  if (copied != count) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    FreeSubset();
    return 0;
  }
  s_num_game_scores_subset = count;
  return 1;
}

void ScoresResetScoresForThisGarden() {
  ScoresReadCurrentGardenScores();
  if (s_num_game_scores == 0) return;
  UserClass *user = LoadedUser();
  if (!user) {
    DebugErrorAlt(ENG_FUNC, "User not loaded.");
    return;
  }
  const _UserInfo *info = user->GetInfo();
  EngInt32 kept = 0;
  for (EngInt32 i = 0; i < s_num_game_scores; i++)
    if (!IsPlayers(&s_game_scores[i], info)) s_game_scores[kept++] = s_game_scores[i];
  for (EngInt32 i = kept; i < s_num_game_scores; i++) memset(&s_game_scores[i], 0, sizeof(ScoresScore));
  s_num_game_scores = kept;
  ScoresWriteToFile();
}

static ScoresScore *UsersBestScoreForRange(ScoresRange range) {
  UserClass *user = LoadedUser();
  if (!user) {
    DebugErrorAlt("ScoresScore *ScoresGetUsersBestScoreForCurrentGardenAndRange(ScoresRange)", "User not loaded.");
    return nullptr;
  }
  const _UserInfo *info = user->GetInfo();
  ScoresReadCurrentGardenScores();
  if (!ScoresGetSubsetForRange(range)) return nullptr;
  ScoresScore *best = nullptr;
  for (EngInt32 i = 0; i < s_num_game_scores_subset; i++) {
    ScoresScore *s = &s_game_scores_subset[i];
    if (IsPlayers(s, info) && s->score > 0 && (!best || s->score > best->score)) best = s;
  }
  if (best) memset(best->text, 0, sizeof(best->text));
  return best;
}

static ScoresScore *UsersLastScore() {
  UserClass *user = LoadedUser();
  if (!user) {
    DebugErrorAlt("ScoresScore *ScoresGetUsersLastScoreForCurrentGarden()", "User not loaded.");
    return nullptr;
  }
  const _UserInfo *info = user->GetInfo();
  ScoresReadCurrentGardenScores();
  for (EngInt32 i = 0; i < s_num_game_scores; i++) {
    ScoresScore *s = &s_game_scores[i];
    if (IsPlayers(s, info) && s->small[0]) {
      memset(s->text, 0, sizeof(s->text));
      return s;
    }
  }
  return nullptr;
}

char ScoresSubmitBestScoreForCurrentGardenAndRange(ScoresRange range) {
  return ScoresCallSubmitScore(UsersBestScoreForRange(range));
}

char ScoresSubmitLastScoreForCurrentGarden() { return ScoresCallSubmitScore(UsersLastScore()); }

char ScoresCallSubmitScore(const ScoresScore *ss) {
  MWin *mwin = main_game ? main_game->GetMWin() : nullptr;
  const char *refusal = nullptr, *token = nullptr;
  if (!ss) {
    refusal = "Internal Error (no ss)";
    token = "Scores_ErrorNoScore";
  } else if (!ScoresMainIsScoreValid(ss, 0)) {
    refusal = "Internal Error (invalid ss)";
    token = "Scores_ErrorInvalidScore";
  } else if (ss->score == 0) {
    refusal = "Internal Error (s 0)";
    token = "Scores_ErrorScoreZero";
  }
  if (refusal) {
    DebugErrorAlt(ENG_FUNC, "%s", refusal);
    if (mwin) mwin->PopupErrorMessage(EngLanguagesGetStringIfExists(token, refusal));
    return 0;
  }
  const EngInt32 result = ScoresSubmitScore(55, 150, EngUInt32(1000 + s_garden), ss, mwin, nullptr);
  if (result == 4 || result == 5) {
    // The garden's world tables now miss this score: every range is fetched again.
    if (s_screen)
      s_screen->InternetDoneAddingLastScore(1);
    else
      ScoresWorldAllScoresForCurrentGardenNeedToBeUpdated();
  }
  if (result == 7) {
    // Out of date: the next start shows the start-up window and checks for a new version.
    resolution.show_dialog = 1;
    memset(&resolution.last_version_check, 0, sizeof(resolution.last_version_check));
    DebugErrorAlt(ENG_FUNC, "Problem submitting score [%d].", int(result));
    return 0;
  }
  if (result > 0) return 1;
  DebugErrorAlt(ENG_FUNC, "Problem submitting score [%d].", int(result));
  return 0;
}

char ScoresIsInternetTested(Game *, char) { return 1; }

// ---- The world table ----

ScoresMain *ScoresGetWorldTable() { return scores_main; }

char ScoresWorldSetupNew() {
  if (!scores_main) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  scores_main->End();
  UserClass *user = LoadedUser();
  EngUInt8 range = user ? user->GetInfo()->options.scores_range : 0;
  if (range > SCORES_RANGE_DAY) range = SCORES_RANGE_ALL_TIME;
  const char automatic = user ? char(user->GetInfo()->options.scores_auto_update != 0) : 0;
  if (!scores_main->Setup(55, 150, 100, EngUInt32(1000 + s_garden), ScoresRange(range), nullptr, automatic, 15)) {
    DebugErrorAlt(ENG_FUNC, "Setup failed");
    return 0;
  }
  return 1;
}

static bool WorldReady() {
  if (!scores_main) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return false;
  }
  return scores_main->IsSetup() || ScoresWorldSetupNew();
}

char ScoresWorldUpdateIfNeeded() { return WorldReady() ? scores_main->UpdateIfNeeded(0) : 0; }

char ScoresWorldUpdate() { return WorldReady() ? scores_main->Update() : 0; }

char ScoresWorldIsUpdating() { return (scores_main && scores_main->IsSetup()) ? scores_main->IsUpdating() : 0; }

char ScoresWorldIsUpdateFinished() {
  if (!scores_main || !scores_main->IsSetup()) {
    DebugErrorAlt(ENG_FUNC, "Class not setup.");
    return 0;
  }
  EngInternetThreadReadResult status = 0;
  const char *message = nullptr;
  const int result = scores_main->IsUpdateFinished(&status, &message);
  if (message && *message) {
    if (s_screen) s_screen->SetInfoMessage(message);
  } else if (status == -5) {
    if (s_screen)
      s_screen->SetInfoMessage(EngLanguagesGetStringIfExists(
          "Scores_OldVersionNormal", "This game is out of date - you need to download the latest version."));
  }
  if (result != 1) return char(result);
  ScoresScore *list = scores_main->GetScoresList(0);
  for (EngInt32 i = 0; list && i < scores_main->GetNumScores(); i++) list[i].small[0] = 0;
  return 1;
}

void ScoresWorldAllScoresForCurrentGardenNeedToBeUpdated() {
  ScoresExit();
  if (!scores_main) {
    DebugErrorAlt(ENG_FUNC, "No class.");
    return;
  }
  UserClass *user = LoadedUser();
  EngUInt8 *option = user ? &user->GetInfo()->options.scores_range : nullptr;
  const EngUInt8 kept = option ? *option : 0;
  for (EngUInt8 range = SCORES_RANGE_ALL_TIME; range <= SCORES_RANGE_DAY; range++) {
    if (option) *option = range;
    scores_main->End();
    if (!option && range != SCORES_RANGE_ALL_TIME) break;
    if (ScoresWorldSetupNew()) {
      scores_main->DeleteScoresFile();
      scores_main->End();
    }
  }
  if (option) *option = kept;
}

void ScoresExit() {
  if (scores_main && scores_main->IsSetup()) scores_main->End();
}

int ScoresGetWorldNumScores() { return (scores_main && scores_main->IsSetup()) ? scores_main->GetNumScores() : 0; }

ScoresScore *ScoresGetWorldScores() {
  return (scores_main && scores_main->IsSetup()) ? scores_main->GetScoresList(1) : nullptr;
}
