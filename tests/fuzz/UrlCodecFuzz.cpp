// Feeds arbitrary text to the URL decoder (it must stay inside the text, whatever '%' and '+'
// it meets) and checks that decoding undoes encoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "online/EngInternet.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  // The codec works on NUL-terminated text: the input up to its first NUL.
  std::string text(reinterpret_cast<const char *>(data), size);
  text.resize(strlen(text.c_str()));

  char *decoded = EngInternetURLDecodeString(text.c_str());
  if (!decoded || strlen(decoded) > text.size()) abort();
  free(decoded);

  char *encoded = EngInternetURLEncodeString(text.c_str());
  if (!encoded || strlen(encoded) > text.size() * 3) abort();
  char *back = EngInternetURLDecodeString(encoded);
  if (!back || text != back) abort();
  // What the encoder writes is safe in a URL as it stands.
  for (const char *p = encoded; *p; p++)
    if (!strchr("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-._~+%", *p)) abort();
  free(encoded);
  free(back);
  return 0;
}
