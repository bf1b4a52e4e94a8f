// Feeds arbitrary bytes to the JSON reader. Whatever it accepts must write, read back and
// write again to the same text (numbers may lose digits on the first write, not after).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "Engine/json/Reader.h"
#include "Engine/json/Writer.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  std::istringstream input(std::string(reinterpret_cast<const char *>(data), size));
  json::Object object;
  try {
    json::Reader::Read(object, input);
  } catch (const json::Exception &) {
    return 0;
  }

  std::ostringstream output;
  json::Writer::Write(object, output);
  std::istringstream again(output.str());
  json::Object reread;
  try {
    json::Reader::Read(reread, again);
  } catch (const json::Exception &) {
    abort();
  }
  if (reread.Size() != object.Size()) abort();
  std::ostringstream rewritten;
  json::Writer::Write(reread, rewritten);
  if (rewritten.str() != output.str()) abort();
  return 0;
}
