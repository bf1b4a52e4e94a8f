#include "Engine/EngBase64.h"

#include <cstring>
#include <new>
#include <vector>

#include <tomcrypt.h>

const char Base64::encode_table[66] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";
unsigned char Base64::decode_map[128];

namespace {

struct DecodeMapInit {
  DecodeMapInit() { Base64::create_map(); }
} decode_map_init;

}  // namespace

Base64 *Base64::getInstance() { return new (std::nothrow) Base64; }

int Base64::getEncodeLength(int n) { return n <= 0 ? 0 : 4 * ((n + 2) / 3); }

int Base64::getDecodeLength(int n) { return n <= 0 ? 0 : (3 * (n / 4)) + (3 * (n % 4)) / 4; }

int Base64::getNumberOfPaddingChars(int n) { return n % 3 == 0 ? 0 : 3 - n % 3; }

void Base64::create_map() {
  memset(decode_map, 0, sizeof(decode_map));
  for (int i = 0; i < 65; ++i) decode_map[static_cast<unsigned char>(encode_table[i])] = static_cast<unsigned char>(i);
}

void Base64::Encode(const char *in, int n, char *out) {
  if (!in || !out || n <= 0) return;
  // libtomcrypt ends its text with a zero byte; the caller's buffer has room for the text only.
  std::vector<unsigned char> text(size_t(getEncodeLength(n)) + 1);
  unsigned long length = text.size();
  if (base64_encode(reinterpret_cast<const unsigned char *>(in), static_cast<unsigned long>(n), text.data(), &length) !=
      CRYPT_OK)
    return;
  memcpy(out, text.data(), length);
}

void Base64::Decode(const char *in, int length, char *out, int &outLength) {
  if (!in || !out || length < 0 || length % 4 != 0) return;
  const unsigned char *chars = reinterpret_cast<const unsigned char *>(in);
  for (int i = 0; i < length; ++i) {
    if (chars[i] >= 0x80) return;
  }
  if (length == 0) {
    outLength = 0;
    return;
  }

  // libtomcrypt takes the alphabet only, where this decoder has always read any other
  // character as zero bits and '=' as the value 64. A copy spells the same bits in the
  // alphabet: 64 sets no bit of its own character, only the lowest bit of the one before it.
  std::vector<unsigned char> text(static_cast<size_t>(length));
  for (int i = 0; i < length; i += 4) {
    for (int k = 0; k < 4; ++k) {
      unsigned value = decode_map[chars[i + k]] & 63u;
      if (k < 3 && chars[i + k + 1] == '=') value |= 1u;
      text[size_t(i + k)] = static_cast<unsigned char>(encode_table[value]);
    }
  }
  std::vector<unsigned char> bytes(size_t(getDecodeLength(length)));
  unsigned long count = bytes.size();
  if (base64_strict_decode(text.data(), static_cast<unsigned long>(length), bytes.data(), &count) != CRYPT_OK) return;

  // In the last group, '=' in either of the last two places drops the byte it stands for.
  if (chars[length - 1] == '=') --count;
  if (chars[length - 2] == '=') {
    if (chars[length - 1] != '=') bytes[count - 2] = bytes[count - 1];
    --count;
  }
  memcpy(out, bytes.data(), count);
  outLength = static_cast<int>(count);
}

void Base64::Decode(const char *in, int length, char *out) {
  int outLength = 0;
  Decode(in, length, out, outLength);
}
