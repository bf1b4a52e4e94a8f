// Writes the seed files of the fuzz targets whose inputs only the game's own writers make
// (sealed texts and records, player files, score files) into the folder given, each under its
// target's name: FuzzSeeds tests/fuzz/corpus
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngResModes.h"
#include "Engine/EngZlib.h"
#include "Engine/Resolution.h"
#include "online/Scores.h"
#include "players/UserClass.h"
#include "tests/fuzz/FuzzScratch.h"

static std::string out_dir;

static void Write(const std::string &name, const void *p, size_t n) {
  const std::filesystem::path path = std::filesystem::path(out_dir) / name;
  std::filesystem::create_directories(path.parent_path());
  FILE *f = fopen(path.c_str(), "wb");
  if (!f) abort();
  fwrite(p, 1, n, f);
  fclose(f);
}

static std::string ReadAll(const char *path) {
  FILE *f = fopen(path, "rb");
  if (!f) abort();
  std::string s;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  fclose(f);
  return s;
}

static std::string Sealed(const void *p, size_t n) {
  void *s = EngEncryptionEncrypt(p, EngUInt32(n));
  std::string out(static_cast<char *>(s), n + ENG_ENCRYPTION_BLOCK_SIZE);
  EngFree(s, 0, "seed");
  return out;
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: FuzzSeeds <corpus folder>\n");
    return 2;
  }
  out_dir = argv[1];
  setenv("QUARRELWICK_NONINTERACTIVE", "1", 1);
  FuzzLogToScratch();
  FuzzDataFolder();
  static _EngDisplayModeInfo desktop = {1920, 1080, 32, 60.0f};
  EngResModesSetDisplayForTests(&desktop, 1, &desktop);
  ResolutionSetupModule(_UpdaterProgramName(17), 2.01f, 1.5f, nullptr, 0, 1, 0, 0, 0, "Resolution", "License",
                        "License.txt", "Startup", "ResTitle.jpg");
  EngEncryptionInit("QX_SEALING_KEY");

  // Unseal: sealed and plain Base64 texts.
  const char msg[] = "score=1234&name=Ann&garden=1";
  char *t = EngZlibEncryptCompressAndEncodeToBase64Data("TALLY_K417", msg, sizeof msg, 0, 0, nullptr);
  Write("UnsealFuzz/unseal-sealed.txt", t, strlen(t));
  EngFree(t, 0, "seed");
  t = EngZlibEncodeDataToBase64(msg, sizeof msg);
  Write("UnsealFuzz/unseal-base64.txt", t, strlen(t));
  EngFree(t, 0, "seed");
  unsigned int zn = 0;
  char *z = EngZlibCompressData(msg, sizeof msg, &zn, 0);
  Write("UnsealFuzz/unseal-deflated.bin", z, zn);
  EngFree(z, 0, "seed");

  // Record: a sealed record whose first two bytes give its own size.
  unsigned char rec[40];
  for (int i = 0; i < 40; i++) rec[i] = (unsigned char)(i * 7);
  std::string r = Sealed(rec, sizeof rec);
  Write("RecordFuzz/record-sealed.bin", r.data(), r.size());
  std::string two = Sealed(rec, 8) + Sealed(rec, 16);
  Write("RecordFuzz/record-two.bin", two.data(), two.size());

  // Player files, plain and sealed.
  {
    UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_NONE);
    if (!user.CreateNewUser("Ann", "GB", 1) || !user.Save(1)) abort();
    char path[USER_PATH_SIZE];
    UserGetUserFileName("Ann", path, nullptr);
    std::string s = ReadAll(path);
    Write("UserFileFuzz/user-plain.bin", s.data(), s.size());
  }
  {
    UserClass user(nullptr, "Quarrelwick", 1, USER_ENCRYPTION_ACCEPT_PLAIN);
    if (!user.CreateNewUser("Bob", "DE", 1) || !user.Save(1)) abort();
    char path[USER_PATH_SIZE];
    UserGetUserFileName("Bob", path, nullptr);
    std::string s = ReadAll(path);
    Write("UserFileFuzz/user-sealed.bin", s.data(), s.size());
  }

  // Score file: a header and two records, sealed piece by piece; and the plain record pieces.
  ScoresPre3dInit();
  ScoresSetCurrentGarden(0);
  unsigned char header[SCORES_HEADER_SIZE];
  ScoresMakeHeaderPiece(0, header);
  std::string file = Sealed(header, sizeof header), pieces;
  for (int i = 0; i < 2; i++) {
    ScoresScore s = {};
    s.score = 5000 - 1000 * i;
    s.level = 12 + i + 100;
    s.date.year = 2026;
    s.date.month = 12;
    s.date.day = 10;
    s.user_id = 7;
    strcpy(s.name, i ? "Bob" : "Ann");
    memcpy(s.country, "GB", 3);
    unsigned char piece[SCORES_RECORD_SIZE];
    ScoresMakeRecordPiece(&s, piece);
    file += Sealed(piece, sizeof piece);
    pieces.append(reinterpret_cast<char *>(piece), sizeof piece);
  }
  Write("ScoreFileFuzz/scores-file.bin", file.data(), file.size());
  Write("ScoreFileFuzz/scores-records.bin", pieces.data(), pieces.size());
  return 0;
}
