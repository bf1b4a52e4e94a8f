// Feeds arbitrary text to the unsealing path and the plain Base64 and inflate decoders;
// the log goes to the scratch folder and standard error, which the runs discard.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngZlib.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  std::string text(reinterpret_cast<const char *>(data), size);
  unsigned int length = 0;

  char *opened = EngZlibDecodeDataFromBase64UncompressItAndDecrpytIt("TALLY_K417", text.c_str(), &length);
  if (opened) EngFree(opened, 0, "fuzz");

  char *decoded = EngZlibDecodeDataFromBase64(text.data(), (unsigned int)text.size(), &length);
  if (decoded) EngFree(decoded, 0, "fuzz");

  char *inflated = EngZlibUncompressData(text.data(), (unsigned int)text.size(), &length);
  if (inflated) EngFree(inflated, 0, "fuzz");
  return 0;
}
