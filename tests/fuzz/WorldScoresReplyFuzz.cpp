// Feeds arbitrary bytes to the world table's reply parser as the lines after "Y \n", cut as the
// reader cuts a reply (8191 bytes). Every record kept must be one the table accepts, no more
// than the capacity, and a cache made of them must load back to the same records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMiscDate.h"
#include "online/Scores.h"
#include "online/ScoresMain.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  if (size > SCORES_MAIN_REPLY_SIZE - 1) size = SCORES_MAIN_REPLY_SIZE - 1;
  const int capacity = size > 0 ? 1 + data[0] % 100 : 100;
  static ScoresScore scores[100];
  memset(scores, 0, sizeof(scores));
  const int count = ScoresMainParseTable(reinterpret_cast<const char *>(data), size, scores, capacity, nullptr);
  if (count < 0 || count > capacity) abort();
  for (int i = 0; i < count; i++) {
    if (!ScoresMainIsWorldRecordAcceptable(&scores[i])) abort();
    if (memchr(scores[i].name, '_', sizeof(scores[i].name))) abort();
  }
  _EngMiscDateAndTime stamp = {{2026, 3, 20}, {12, 30, 0}};
  const std::string cache = ScoresMainMakeCache(150, stamp, scores, count);
  static ScoresScore loaded[100];
  int loaded_count = -1;
  EngUInt32 minutes = 0;
  if (!ScoresMainReadCache(reinterpret_cast<const unsigned char *>(cache.data()), cache.size(), 150, capacity,
                           EngMiscGetMinutesFromDateAndTime(&stamp), 15, nullptr, loaded, &loaded_count, &minutes))
    abort();
  if (loaded_count != count) abort();
  for (int i = 0; i < count; i++) {
    unsigned char a[SCORES_SCORE_SIZE], b[SCORES_SCORE_SIZE];
    ScoresScoreToBytes(&scores[i], a);
    ScoresScoreToBytes(&loaded[i], b);
    if (memcmp(a, b, sizeof(a)) != 0) abort();
  }
  return 0;
}
