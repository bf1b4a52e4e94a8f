// Feeds arbitrary bytes, as the text of a key event or the clipboard, to the one UTF-8 to
// Latin-1 conversion: no NUL may come out (it would cut a text field there), and no input byte
// may give more than one character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Engine/MAC/EngText_MAC.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  // SDL hands over a NUL-terminated text: the input is read up to its first NUL.
  const std::string text(reinterpret_cast<const char *>(data), strnlen(reinterpret_cast<const char *>(data), size));
  const std::string latin1 = EngUtf8ToLatin1_MAC(text.c_str());
  if (latin1.find('\0') != std::string::npos) abort();
  if (latin1.size() > text.size()) abort();
  // What is ASCII stays itself.
  bool ascii = true;
  for (unsigned char c : text) ascii = ascii && c < 0x80;
  if (ascii && latin1 != text) abort();
  return 0;
}
