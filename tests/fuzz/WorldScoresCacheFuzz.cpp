// Feeds arbitrary bytes to the world table's cache reader. A cache it trusts must be whole:
// exactly 22 + 88 x count bytes, this game's version, no more records than the capacity, each
// one the table accepts, stamped within the last 15 minutes; and written again it gives the
// same records back.
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
  const int capacity = 100;
  _EngMiscDateAndTime now = {{2026, 3, 20}, {12, 30, 0}};
  const EngUInt32 now_minutes = EngMiscGetMinutesFromDateAndTime(&now);
  static ScoresScore scores[100];
  int count = -1;
  EngUInt32 stamp = 0;
  if (!ScoresMainReadCache(data, size, 150, capacity, now_minutes, 15, nullptr, scores, &count, &stamp)) return 0;
  if (count < 0 || count > capacity) abort();
  if (size != size_t(SCORES_MAIN_CACHE_HEADER) + size_t(count) * SCORES_SCORE_SIZE) abort();
  if (data[0] != 150 || data[1] != 0) abort();
  if (stamp > now_minutes || now_minutes - stamp > 15) abort();
  for (int i = 0; i < count; i++) {
    if (!ScoresMainIsWorldRecordAcceptable(&scores[i])) abort();
    // The record as stored is the record as loaded.
    unsigned char bytes[SCORES_SCORE_SIZE];
    ScoresScoreToBytes(&scores[i], bytes);
    const uint8_t *stored = data + SCORES_MAIN_CACHE_HEADER + size_t(i) * SCORES_SCORE_SIZE;
    if (memcmp(bytes, stored, 22) != 0 || memcmp(bytes + 24, stored + 24, 62) != 0) abort();
  }
  const std::string again = ScoresMainMakeCache(150, now, scores, count);
  static ScoresScore back[100];
  int back_count = -1;
  if (!ScoresMainReadCache(reinterpret_cast<const unsigned char *>(again.data()), again.size(), 150, capacity,
                           now_minutes, 15, nullptr, back, &back_count, nullptr) ||
      back_count != count)
    abort();
  return 0;
}
