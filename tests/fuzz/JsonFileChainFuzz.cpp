// libFuzzer target: the whole chain of a compressed and encrypted JSON file (decrypt, inflate,
// parse). The first byte chooses where the arbitrary bytes enter it:
//   0 the file itself; 1 the plain record (encrypted here, so inflating sees the bytes);
//   2 the JSON text (deflated and encrypted here, so the parser sees the bytes).
// Whatever reads must write and read back to the same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngJson.h"
#include "Engine/EngMemory.h"
#include "Engine/EngZlib.h"
#include "Engine/json/Elements.h"
#include "tests/fuzz/FuzzScratch.h"

static std::string fuzz_path, fuzz_path2;

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  FuzzLogToScratch();
  std::string base = FuzzScratchFolder() + "/jsonchain";
  fuzz_path = base + ".dat";
  fuzz_path2 = base + "-2.dat";
  if (!EngEncryptionInit("QX_SEALING_KEY")) abort();
  return 0;
}

static std::string Text(const json::Object &object) {
  char *text = EngJsonWriteObjectToString(object);
  if (!text) abort();
  std::string out = text;
  EngFree(text, 0, "fuzz");
  return out;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  if (size < 1) return 0;
  const uint8_t mode = data[0] % 3;
  const uint8_t *body = data + 1;
  const size_t n = size - 1;
  unlink(fuzz_path.c_str());
  if (mode == 0) {
    FILE *file = fopen(fuzz_path.c_str(), "wb");
    if (!file) abort();
    if (n) fwrite(body, 1, n, file);
    fclose(file);
  } else if (mode == 1) {
    if (n && !EngEncryptionEncryptAndWriteToFile(fuzz_path.c_str(), body, EngUInt32(n))) abort();
  } else {
    std::string text(reinterpret_cast<const char *>(body), n);
    unsigned int packed_size = 0;
    char *packed = EngZlibCompressData(text.c_str(), (unsigned int)text.size() + 1, &packed_size, 0);
    if (!packed) abort();
    if (!EngEncryptionEncryptAndWriteToFile(fuzz_path.c_str(), packed, packed_size)) abort();
    EngFree(packed, 0, "fuzz");
  }

  json::Object object;
  if (EngJsonReadCompressedAndEncryptedObjectFromFile(&object, fuzz_path.c_str())) {
    const std::string first = Text(object);
    if (!EngJsonWriteCompressedAndEncryptedObjectToFile(object, fuzz_path2.c_str())) abort();
    json::Object again;
    if (!EngJsonReadCompressedAndEncryptedObjectFromFile(&again, fuzz_path2.c_str())) abort();
    if (Text(again) != first) abort();
    unlink(fuzz_path2.c_str());
  }
  unlink(fuzz_path.c_str());
  return 0;
}
