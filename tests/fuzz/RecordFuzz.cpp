// Feeds arbitrary bytes to the encrypted record readers: in memory, as a single-record file of
// any size, and as a file of several records whose sizes the input itself asks for.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  static const std::string path = FuzzScratchFolder() + "/record.dat";
  static bool ready = false;
  if (!ready) {
    EngEncryptionInit("QX_SEALING_KEY");
    ready = true;
  }

  EngUInt32 out_size = 0;
  void *record = EngEncryptionDecryptData(data, EngUInt32(size), &out_size);
  if (record) {
    if (out_size + 16 != size) abort();
    EngFree(record, 0, "fuzz");
  }

  FILE *out = fopen(path.c_str(), "wb");
  if (!out) return 0;
  if (size) fwrite(data, 1, size, out);
  fclose(out);

  // A single record of a size taken from the input, right or wrong for the file.
  const EngUInt32 wanted = size >= 2 ? EngUInt32(data[0] | (data[1] << 8)) : 1;
  std::vector<unsigned char> buffer(wanted ? wanted : 1, 0xAA);
  if (EngEncryptionReadFromFileAndDecrypt(path.c_str(), buffer.data(), wanted) && size != size_t(wanted) + 16) abort();
  EngEncryptionCheckEncryptedFileSizeOk(path.c_str(), wanted);

  // Records one after another, each size from the input: reading must stop at the file's end.
  EngFile file;
  if (file.OpenForReading(path.c_str(), 0, 0)) {
    for (size_t i = 2; i + 1 < size && i < 40; i += 2) {
      const EngUInt32 n = EngUInt32(data[i] | (data[i + 1] << 8)) % 4096;
      std::vector<unsigned char> part(n ? n : 1);
      if (!EngEncryptionReadFromOpenFileAndDecrypt(&file, part.data(), n)) break;
    }
    EngEncryptionReadFromOpenFileAndDecrypt(&file, buffer.data(), 0xFFFFFFF0u);
  }
  return 0;
}
