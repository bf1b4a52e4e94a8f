// Feeds arbitrary bytes to the player profile as a player file, plain (mode 0) and encrypted
// (mode 2): as given, and cut or padded to a record of the current version (plain and sealed),
// so that the fuzzer reaches the record's fields. A player that loads must hold only options
// in range and save to a file that loads back to the same record.
#include <cmath>
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
#include "Engine/EngResModes.h"
#include "Engine/Resolution.h"
#include "players/UserClass.h"
#include "tests/fuzz/FuzzScratch.h"

static std::string users_file;

static void Setup() {
  setenv("QUARRELWICK_NONINTERACTIVE", "1", 1);
  FuzzDataFolder();
  static _EngDisplayModeInfo desktop = {1920, 1080, 32, 60.0f};
  EngResModesSetDisplayForTests(&desktop, 1, &desktop);
  ResolutionSetupModule(_UpdaterProgramName(17), 2.01f, 1.5f, nullptr, 0, 1, 0, 0, 0, "Resolution", "License",
                        "License.txt", "Startup", "ResTitle.jpg");
  EngEncryptionInit("QX_SEALING_KEY");
  char path[USER_PATH_SIZE];
  if (!UserGetUserFileName("Fuzz", path, nullptr)) abort();
  users_file = path;
}

static void WriteFile(const void *data, size_t size) {
  FILE *out = fopen(users_file.c_str(), "wb");
  if (!out) abort();
  if (size) fwrite(data, 1, size, out);
  fclose(out);
}

static void Check(const _UserInfo *info) {
  const UserOptions &o = info->options;
  if (memchr(info->name, 0, sizeof(info->name)) == nullptr) abort();
  if (memchr(info->country, 0, sizeof(info->country)) == nullptr) abort();
  if (o.music_when > 2 || o.scores_garden > 3 || o.scores_online > 1 || o.scores_range < 1 || o.scores_range > 4)
    abort();
  for (const _UserGardenProgress &g : o.gardens)
    if (g.highest_difficulty < 0 || g.highest_difficulty > 2 || g.chosen_difficulty < 0 || g.chosen_difficulty > 2)
      abort();
  for (float v : {o.sound_volume, o.music_volume, o.game_over_music_volume, o.won_music_volume})
    if (!std::isfinite(v) || v < 0.0f || v > 1.0f) abort();
  if (info->other_games_pos < -1 || info->other_games_pos > 25) abort();
}

static void LoadAs(char mode, const void *data, size_t size) {
  WriteFile(data, size);
  UserClass user(nullptr, "Quarrelwick", 1, mode);
  char always = 0, country[3];
  const char tested = user.LoadUser("Fuzz", 1, &always, country);
  const char loaded = user.LoadUser("Fuzz", 0, nullptr, nullptr);
  if (tested != loaded) abort();
  if (!loaded) return;
  Check(user.GetInfo());
  unsigned char first[USER_INFO_SIZE], again[USER_INFO_SIZE];
  UserInfoWriteToBytes(user.GetInfo(), first);
  const EngUInt32 expected_size = mode ? EngUInt32{USER_ENCRYPTED_FILE_SIZE} : EngUInt32{USER_INFO_SIZE};
  if (EngFileGetFileSize(users_file.c_str()) != expected_size) abort();
  UserClass second(nullptr, "Quarrelwick", 0, mode);
  if (!second.LoadUser("Fuzz", 0, nullptr, nullptr)) abort();
  UserInfoWriteToBytes(second.GetInfo(), again);
  if (memcmp(first, again, sizeof(first)) != 0) abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  static bool ready = false;
  if (!ready) {
    Setup();
    ready = true;
  }
  if (size > 4096) return 0;
  LoadAs(USER_ENCRYPTION_NONE, data, size);
  LoadAs(USER_ENCRYPTION_ACCEPT_PLAIN, data, size);

  unsigned char record[USER_INFO_SIZE] = {};
  memcpy(record, data, size < sizeof(record) ? size : sizeof(record));
  const unsigned char version[4] = {0x00, 0x00, 0x00, 0x40};  // 2.0
  memcpy(record, version, sizeof(version));
  LoadAs(USER_ENCRYPTION_NONE, record, sizeof(record));
  void *sealed = EngEncryptionEncrypt(record, USER_INFO_SIZE);
  if (sealed) {
    LoadAs(USER_ENCRYPTION_ACCEPT_PLAIN, sealed, USER_ENCRYPTED_FILE_SIZE);
    EngFree(sealed, 0, "fuzz");
  }
  return 0;
}
