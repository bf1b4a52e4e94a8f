// libFuzzer target: "Resolution.dat" from arbitrary bytes, read through the real load path from
// the per-user data folder under a made-up desktop. Whatever is accepted must save and load back
// to the same record.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngWindow.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngResModes.h"
#include "Engine/Resolution.h"
#include "tests/fuzz/FuzzScratch.h"

static std::string fuzz_path;
static _EngCreateWindowParms fuzz_parms;
static const float kGameVersion = 2.01f;

// The game owns the window's creation parameters, which applying the settings writes.
_EngCreateWindowParms *MainGetCreateWindowParms() { return &fuzz_parms; }
static _EngDisplayModeInfo fuzz_desktop = {1920, 1080, 32, 60.0f};

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  FuzzLogToScratch();
  fuzz_path = FuzzDataFolder() + "/Tallowmere/Quarrelwick/Resolution.dat";
  EngMiscSetPopupHandlerForTests([](_EngMiscPopupType, const char *, const char *) {});
  EngResModesSetDisplayForTests(&fuzz_desktop, 1, &fuzz_desktop);
  ResolutionSetupModule(_UpdaterProgramName(3), kGameVersion, 1.5f, nullptr, 0, 1, 0, 0, 0, "Resolution", "License",
                        "License.txt", "Startup", "ResTitle.jpg");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  FILE *file = fopen(fuzz_path.c_str(), "wb");
  if (!file) abort();
  if (size) fwrite(data, 1, size, file);
  fclose(file);

  // The byte layout alone, on a whole record's worth of the input.
  unsigned char bytes[RESOLUTION_FILE_SIZE] = {0};
  memcpy(bytes, data, size < sizeof(bytes) ? size : sizeof(bytes));
  _Resolution parsed;
  ResolutionReadRecordFromBytes(bytes, &parsed);
  if (parsed.language[RESOLUTION_LANGUAGE_SIZE - 1] != 0) abort();

  if (ResolutionLoadSettings()) {
    if (size != RESOLUTION_FILE_SIZE) abort();
    _Resolution loaded = resolution;
    loaded.game_version = kGameVersion;  // saving stamps the program's own version
    ResolutionSaveSettings();
    if (!ResolutionLoadSettings()) abort();
    unsigned char a[RESOLUTION_FILE_SIZE], b[RESOLUTION_FILE_SIZE];
    ResolutionWriteRecordToBytes(&loaded, a);
    ResolutionWriteRecordToBytes(&resolution, b);
    if (memcmp(a, b, sizeof(a)) != 0) abort();
  }
  unlink(fuzz_path.c_str());
  return 0;
}
