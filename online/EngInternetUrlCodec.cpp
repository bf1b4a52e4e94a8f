// URL percent-encoding and decoding (EngInternet.h). Kept apart from the reader so that the
// fuzz target links it alone.
#include <cstdlib>
#include <cstring>

#include "online/EngInternet.h"

static const char eng_internet_hex_digits[] = "0123456789abcdef";

static bool EngInternetIsUnreserved(unsigned char c) {
  // Bytes of 0x80 and above are never letters here, whatever the locale says.
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return c == '-' || c == '.' || c == '_' || c == '~';
}

char *EngInternetURLEncodeString(const char *text) {
  if (!text) return nullptr;
  size_t length = strlen(text);
  char *out = static_cast<char *>(malloc(length * 3 + 1));
  if (!out) return nullptr;
  char *p = out;
  for (size_t i = 0; i < length; i++) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (EngInternetIsUnreserved(c)) {
      *p++ = char(c);
    } else if (c == ' ') {
      *p++ = '+';
    } else {
      *p++ = '%';
      *p++ = eng_internet_hex_digits[c >> 4];
      *p++ = eng_internet_hex_digits[c & 15];
    }
  }
  *p = 0;
  return out;
}

// Any character has a value: other than hexadecimal digits they give nonsense, not a refusal.
static int EngInternetHexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
  return int(c) - 87;
}

char *EngInternetURLDecodeString(const char *text) {
  if (!text) return nullptr;
  size_t length = strlen(text);
  char *out = static_cast<char *>(malloc(length + 1));
  if (!out) return nullptr;
  char *p = out;
  for (size_t i = 0; i < length; i++) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '+') {
      *p++ = ' ';
    } else if (c == '%') {
      // i + 1 and i + 2 are read only when they lie before the terminating NUL.
      if (i + 2 < length) {
        int value = (EngInternetHexValue(static_cast<unsigned char>(text[i + 1])) * 16) |
                    EngInternetHexValue(static_cast<unsigned char>(text[i + 2]));
        *p++ = char(value & 0xFF);
        i += 2;
      }
    } else {
      *p++ = char(c);
    }
  }
  *p = 0;
  return out;
}
