#include "Engine/MAC/EngText_MAC.h"

std::string EngLatin1ToUtf8_MAC(const char *text) {
  std::string out;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text ? text : ""); *p; p++) {
    if (*p < 0x80) {
      out += char(*p);
    } else {
      out += char(0xC0 | (*p >> 6));
      out += char(0x80 | (*p & 0x3F));
    }
  }
  return out;
}

std::string EngUtf8ToLatin1_MAC(const char *text) {
  std::string out;
  const unsigned char *p = reinterpret_cast<const unsigned char *>(text ? text : "");
  while (*p) {
    unsigned char c = *p;
    int extra;
    unsigned long code;
    if (c < 0x80) {
      out += char(c);
      p++;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      code = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      code = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      code = c & 0x07;
    } else {
      out += '?';
      p++;
      continue;
    }
    p++;
    int taken = 0;
    while (taken < extra && (*p & 0xC0) == 0x80) {
      code = (code << 6) | (*p & 0x3F);
      p++;
      taken++;
    }
    // Overlong forms and truncated sequences are malformed.
    static const unsigned long minimum[4] = {0, 0x80, 0x800, 0x10000};
    if (taken < extra || code < minimum[extra] || code > 0xFF)
      out += '?';
    else
      out += char(code);
  }
  return out;
}
