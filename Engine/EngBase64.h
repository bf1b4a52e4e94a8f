// The Base64 codec of RFC 4648 without line breaks; the sealing functions of EngZlib make
// its output URL-friendly. Decoding takes only whole groups of four characters.
#pragma once

class Base64 {
 public:
  // A new codec; the caller deletes it. Null when it cannot be allocated.
  static Base64 *getInstance();

  static int getEncodeLength(int n);
  static int getDecodeLength(int n);
  static int getNumberOfPaddingChars(int n);

  // Writes getEncodeLength(n) characters, no terminator.
  void Encode(const char *in, int n, char *out);
  // Decodes length characters into out (room for getDecodeLength(length) bytes). A length
  // that is not a multiple of 4 leaves out and outLength untouched.
  void Decode(const char *in, int length, char *out, int &outLength);
  void Decode(const char *in, int length, char *out);

  static void create_map();

  static const char encode_table[66];
  // Every byte value has an entry, so any text decodes; characters outside the alphabet
  // look up as 0.
  static unsigned char decode_map[256];
};
