// Feeds arbitrary bytes to the local score list as "LG_0.sco": as given, and cut into record
// pieces behind a good header and sealed, so that the fuzzer reaches the records' fields. A
// loaded list must hold at most 100 valid entries in order and write a file that loads back
// to the same list.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPrefFolder.h"
#include "online/Scores.h"
#include "tests/fuzz/FuzzScratch.h"

static std::string scores_file;

static void Setup() {
  setenv("QUARRELWICK_NONINTERACTIVE", "1", 1);
  FuzzDataFolder();
  EngEncryptionInit("QX_SEALING_KEY");
  ScoresPre3dInit();
  ScoresSetCurrentGarden(0);
  const char *path = ScoresGetFilename(1);
  if (!path) abort();
  scores_file = path;
}

static void WriteFile(const std::string &bytes) {
  FILE *out = fopen(scores_file.c_str(), "wb");
  if (!out) abort();
  if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), out);
  fclose(out);
}

static std::string Sealed(const unsigned char *plain, size_t n) {
  void *sealed = EngEncryptionEncrypt(plain, EngUInt32(n));
  if (!sealed) abort();
  std::string out(static_cast<char *>(sealed), n + ENG_ENCRYPTION_BLOCK_SIZE);
  EngFree(sealed, 0, "fuzz");
  return out;
}

static void CheckList() {
  const EngInt32 n = ScoresGetNumScores();
  if (n < 0 || n > SCORES_MAX_LOCAL) abort();
  const ScoresScore *list = ScoresGetScores();
  for (EngInt32 i = 0; i < n; i++) {
    const ScoresScore &s = list[i];
    const size_t name = strnlen(s.name, sizeof(s.name)), country = strnlen(s.country, sizeof(s.country));
    if (s.score < 1 || s.level < 1 || s.date.month < 1 || s.date.month > 12 || s.date.day < 1 || s.date.day > 31 ||
        name < 1 || name > SCORES_MAX_NAME || country < 1)
      abort();
    if (i > 0 && ScoresSortCallback(&list[i - 1], &list[i]) > 0) abort();
  }
}

static void Load(const std::string &bytes) {
  WriteFile(bytes);
  ScoresReadCurrentGardenScores();
  CheckList();
  if (!EngFileExists(scores_file.c_str(), 0)) {
    if (ScoresGetNumScores() != 0) abort();
    return;
  }
  static ScoresScore first[SCORES_MAX_LOCAL];
  const EngInt32 n = ScoresGetNumScores();
  memcpy(first, ScoresGetScores(), sizeof(ScoresScore) * size_t(n));
  if (!ScoresWriteToFile()) abort();
  if (EngFileGetFileSize(scores_file.c_str()) != EngUInt32(36 + 132 * n)) abort();
  ScoresReadCurrentGardenScores();
  if (ScoresGetNumScores() != n) abort();
  // Entries that sort alike may swap places; each must still be found.
  const ScoresScore *again = ScoresGetScores();
  for (EngInt32 i = 0; i < n; i++) {
    if (ScoresSortCallback(&first[i], &again[i]) != 0) abort();
    bool found = false;
    for (EngInt32 j = 0; j < n && !found; j++) found = ScoresAreScoresTheSame(&first[i], &again[j]);
    if (!found) abort();
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  static bool ready = false;
  if (!ready) {
    Setup();
    ready = true;
  }
  if (size > 16384) return 0;
  Load(std::string(reinterpret_cast<const char *>(data), size));

  unsigned char header[SCORES_HEADER_SIZE];
  ScoresMakeHeaderPiece(0, header);
  std::string file = Sealed(header, sizeof(header));
  for (size_t at = 0; at < size; at += SCORES_RECORD_SIZE) {
    unsigned char record[SCORES_RECORD_SIZE] = {};
    memcpy(record, data + at, size - at < sizeof(record) ? size - at : sizeof(record));
    file += Sealed(record, sizeof(record));
  }
  Load(file);
  return 0;
}
