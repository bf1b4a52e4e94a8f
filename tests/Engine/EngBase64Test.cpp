#include "Engine/EngBase64.h"

#include <gtest/gtest.h>
#include <tomcrypt.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Encode(const std::string &bytes) {
  std::unique_ptr<Base64> codec(Base64::getInstance());
  std::string out(size_t(Base64::getEncodeLength(int(bytes.size()))), '?');
  codec->Encode(bytes.data(), int(bytes.size()), &out[0]);
  return out;
}

// Decodes into a buffer prefilled with '#', so untouched output shows.
std::string Decode(const std::string &text, int *outLength) {
  std::unique_ptr<Base64> codec(Base64::getInstance());
  std::string out(text.size() + 4, '#');
  *outLength = -1;
  codec->Decode(text.data(), int(text.size()), &out[0], *outLength);
  return out.substr(0, *outLength < 0 ? 0 : size_t(*outLength));
}

}  // namespace

TEST(EngBase64Test, Rfc4648VectorsBothWays) {
  const std::pair<std::string, std::string> cases[] = {
      {"f", "Zg=="},         {"fo", "Zm8="},           {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},  {"fooba", "Zm9vYmE="},    {"foobar", "Zm9vYmFy"},
      {"\xfb\xff\xbf", "+/+/"}, {std::string("\0\0\0", 3), "AAAA"}, {"abc" + std::string(1, '\0'), "YWJjAA=="},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(c.second, Encode(c.first));
    int length = 0;
    EXPECT_EQ(c.first, Decode(c.second, &length));
    EXPECT_EQ(int(c.first.size()), length);
  }
}

TEST(EngBase64Test, Lengths) {
  struct Case {
    int n, encode, decode, padding;
  };
  const Case cases[] = {{0, 0, 0, 0}, {1, 4, 0, 2}, {2, 4, 1, 1}, {3, 4, 2, 0},
                        {4, 8, 3, 2}, {8, 12, 6, 1}, {12, 16, 9, 0}};
  for (const Case &c : cases) {
    EXPECT_EQ(c.encode, Base64::getEncodeLength(c.n)) << c.n;
    EXPECT_EQ(c.decode, Base64::getDecodeLength(c.n)) << c.n;
    EXPECT_EQ(c.padding, Base64::getNumberOfPaddingChars(c.n)) << c.n;
  }
}

TEST(EngBase64Test, RefusedInputLeavesOutputUntouched) {
  const char *cases[] = {"Zm9", "Zm9vY", "Zm\x80v\xff", "\xff"};
  for (const char *text : cases) {
    std::unique_ptr<Base64> codec(Base64::getInstance());
    char out[16] = "untouched";
    int length = -7;
    codec->Decode(text, int(strlen(text)), out, length);
    EXPECT_EQ(-7, length) << text;
    EXPECT_STREQ("untouched", out) << text;
  }
}

TEST(EngBase64Test, CharactersOutsideTheAlphabetReadAsZero) {
  int length = 0;
  EXPECT_EQ(std::string("\0\0\0", 3), Decode("!!!!", &length));
  EXPECT_EQ(3, length);
}

// Texts no encoder writes, decoded as this codec always has: other characters read as zero
// bits, '=' as the value 64, and only the last group's last two places drop bytes for '='.
TEST(EngBase64Test, MalformedTextsDecodeAsBefore) {
  const std::pair<std::string, std::string> cases[] = {
      {"====", "\x04"},
      {"=AAA", std::string(3, '\0')},
      {"A=AA", std::string("\x04\0\0", 3)},
      {"AB=C", std::string("\0\x02", 2)},
      {"A=B=", std::string("\x04\0", 2)},
      {"Z===", "\x64"},
      {"Zm9=", "\x66\x6f"},
      {"Zm=v", "\x66\x2f"},
      {"ABC=DEF=", std::string("\0\x10\xc0\x0c\x41", 5)},
      {"Zg==Zg==", "\x66\x10\x40\x66"},
      {"Zm9v\n\r\t ", std::string("foo\0\0\0", 6)},
      {"-_.~", std::string(3, '\0')},
      {std::string("AB\0C", 4), std::string("\0\x10\x02", 3)},
      {"\x7f\x01@[", std::string(3, '\0')},
      {"Zm\x80v", "\x66\x60\x2f"},
      {"Zm9v\xff\xff\xff\xff", std::string("foo\0\0\0", 6)},
      {"\x80\xbf\xc0\xfe", std::string(3, '\0')},
      {"////", "\xff\xff\xff"},
      {"+/=/", "\xfb\x3f"},
  };
  for (const auto &c : cases) {
    int length = -1;
    EXPECT_EQ(c.second, Decode(c.first, &length)) << c.first;
    EXPECT_EQ(int(c.second.size()), length) << c.first;
  }
}

// Well-formed text agrees with libtomcrypt's codec both ways: every tail length, every byte
// value.
TEST(EngBase64Test, AgreesWithLibtomcryptOnWellFormedText) {
  std::mt19937 random(68);
  std::vector<std::string> inputs;
  for (int n = 1; n <= 64; n++) {
    std::string bytes(size_t(n), '\0');
    for (char &b : bytes) b = char(random() & 0xff);
    inputs.push_back(bytes);
  }
  std::string every(256, '\0');
  for (int i = 0; i < 256; i++) every[size_t(i)] = char(i);
  inputs.push_back(every);
  for (const std::string &bytes : inputs) {
    const int n = int(bytes.size());
    SCOPED_TRACE(n);
    std::string theirs(size_t(Base64::getEncodeLength(n)) + 1, '\0');
    unsigned long theirs_length = theirs.size();
    ASSERT_EQ(CRYPT_OK, base64_encode(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(),
                                      reinterpret_cast<unsigned char *>(&theirs[0]), &theirs_length));
    theirs.resize(theirs_length);
    const std::string text = Encode(bytes);
    EXPECT_EQ(theirs, text);

    std::string decoded(bytes.size() + 3, '\0');
    unsigned long decoded_length = decoded.size();
    ASSERT_EQ(CRYPT_OK, base64_strict_decode(reinterpret_cast<const unsigned char *>(text.data()), text.size(),
                                             reinterpret_cast<unsigned char *>(&decoded[0]), &decoded_length));
    decoded.resize(decoded_length);
    int length = 0;
    EXPECT_EQ(decoded, Decode(text, &length));
    EXPECT_EQ(bytes, decoded);
  }
}
