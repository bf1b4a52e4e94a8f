// Placeholder until the memory module lands.
#include "Engine/EngMemory.h"

#include <cstdlib>
#include <cstring>

char eng_four_char_id_str[5] = "XXXX";

void *EngMalloc(size_t size, const char *, char zero_fill) {
  if (size == 0) return nullptr;
  return zero_fill ? calloc(1, size) : malloc(size);
}
void *EngRealloc(void *old_block, size_t size, const char *) {
  if (!old_block || !size) return nullptr;
  return realloc(old_block, size);
}
void EngFree(void *block, char, const char *) { free(block); }
char *EngMallocStringFromString(const char *text, char, const char *) { return text ? strdup(text) : nullptr; }
void EngZeroMemory(void *block, size_t size) { if (block && size) memset(block, 0, size); }
void EngCopyMemory(void *d, const void *s, size_t size) { if (d && s && size) memcpy(d, s, size); }
char *EngSafeStrcpy(char *d, const char *s, size_t n) {
  if (!d) return nullptr;
  if (n == 0) return d;
  if (!s) s = "";
  strncpy(d, s, n);
  d[n - 1] = 0;
  return d;
}
const char *EngStrStr(const char *t, const char *p, char) { return (t && p && *p) ? strstr(t, p) : nullptr; }
char *EngStrStr(char *t, const char *p, char) { return (t && p && *p) ? strstr(t, p) : nullptr; }
const char *EngStrIStr(const char *t, const char *p, char) { return (t && p && *p) ? strcasestr(t, p) : nullptr; }
char *EngStrIStr(char *t, const char *p, char) { return (t && p && *p) ? strcasestr(t, p) : nullptr; }
const char *EngReturnSafeString(const char *t) { return t ? t : "(none)"; }
const char *EngGetFourCharIDAsString(EngUInt32 c) {
  for (int i = 0; i < 4; i++) eng_four_char_id_str[i] = char((c >> (24 - 8 * i)) & 0xff);
  return eng_four_char_id_str;
}
EngUInt32 EngGetFourCharStringAsID(const char *t) {
  if (!t || strlen(t) != 4) return 0;
  return EngUInt32(EngUInt8(t[0])) << 24 | EngUInt32(EngUInt8(t[1])) << 16 | EngUInt32(EngUInt8(t[2])) << 8 | EngUInt8(t[3]);
}
