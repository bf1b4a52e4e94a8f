#include "Engine/EngBase64.h"

#include <cstring>
#include <new>

const char Base64::encode_table[66] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";
unsigned char Base64::decode_map[256];

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
  const unsigned char *bytes = reinterpret_cast<const unsigned char *>(in);
  int i = 0;
  for (; n - i >= 3; i += 3) {
    unsigned b0 = bytes[i], b1 = bytes[i + 1], b2 = bytes[i + 2];
    *out++ = encode_table[b0 >> 2];
    *out++ = encode_table[((b0 & 3) << 4) | (b1 >> 4)];
    *out++ = encode_table[((b1 & 15) << 2) | (b2 >> 6)];
    *out++ = encode_table[b2 & 63];
  }
  if (n - i == 1) {
    unsigned b0 = bytes[i];
    *out++ = encode_table[b0 >> 2];
    *out++ = encode_table[(b0 & 3) << 4];
    *out++ = '=';
    *out++ = '=';
  } else if (n - i == 2) {
    unsigned b0 = bytes[i], b1 = bytes[i + 1];
    *out++ = encode_table[b0 >> 2];
    *out++ = encode_table[((b0 & 3) << 4) | (b1 >> 4)];
    *out++ = encode_table[(b1 & 15) << 2];
    *out++ = '=';
  }
}

void Base64::Decode(const char *in, int length, char *out, int &outLength) {
  if (!in || !out || length < 0 || length % 4 != 0) return;
  const unsigned char *chars = reinterpret_cast<const unsigned char *>(in);
  int count = 0;
  for (int i = 0; i < length; i += 4) {
    unsigned v0 = decode_map[chars[i]], v1 = decode_map[chars[i + 1]];
    unsigned v2 = decode_map[chars[i + 2]], v3 = decode_map[chars[i + 3]];
    bool last = (i + 4 == length);
    out[count++] = char(((v0 << 2) | (v1 >> 4)) & 0xff);
    if (!last || chars[i + 2] != '=') out[count++] = char(((v1 << 4) | (v2 >> 2)) & 0xff);
    if (!last || chars[i + 3] != '=') out[count++] = char(((v2 << 6) | v3) & 0xff);
  }
  outLength = count;
}

void Base64::Decode(const char *in, int length, char *out) {
  int outLength = 0;
  Decode(in, length, out, outLength);
}
