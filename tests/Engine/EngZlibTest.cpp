#include "Engine/EngZlib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "Engine/EngMemory.h"

namespace {

const char kScoreKey[] = "TALLY_K417";

// Frees a returned buffer and gives its content.
// The length is read after the call that fills it, hence the reference.
std::string Take(char *buffer, const unsigned int &length) {
  std::string bytes = buffer ? std::string(buffer, length) : std::string();
  if (buffer) {
    EXPECT_EQ(0, buffer[length]) << "no zero byte after the content";
    EngFree(buffer, 0, "test");
  }
  return bytes;
}

std::string TakeString(char *buffer) {
  if (!buffer) return "(null)";
  unsigned int length = (unsigned int)strlen(buffer);
  return Take(buffer, length);
}

// What the action logged.
std::string Logged(const std::function<void()> &action) {
  testing::internal::CaptureStderr();
  action();
  return testing::internal::GetCapturedStderr();
}

std::string PseudoRandomBytes(size_t n, unsigned seed) {
  std::string bytes(n, '\0');
  for (size_t i = 0; i < n; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = char(seed >> 16);
  }
  return bytes;
}

class EngZlibTest : public testing::Test {
 protected:
  void SetUp() override { EngZlibResetForTests(); }
  void TearDown() override { EngZlibResetForTests(); }
};

}  // namespace

TEST_F(EngZlibTest, CompressionRoundTrips) {
  const std::string inputs[] = {
      "x", PseudoRandomBytes(8, 1), PseudoRandomBytes(1000, 2), std::string(500, 'a') + PseudoRandomBytes(20, 4),
      std::string("\0\0\xff", 3),
  };
  for (const std::string &input : inputs) {
    unsigned int compressedLength = 0;
    char *compressed = EngZlibCompressData(input.data(), (unsigned int)input.size(), &compressedLength, 0);
    ASSERT_NE(nullptr, compressed) << input.size();
    std::string packed = Take(compressed, compressedLength);

    unsigned int length = 0;
    char *restored = EngZlibUncompressData(packed.data(), (unsigned int)packed.size(), &length);
    ASSERT_NE(nullptr, restored);
    EXPECT_EQ(input, Take(restored, length));
  }
}

TEST_F(EngZlibTest, DeflateReportsItsFailures) {
  std::string input = PseudoRandomBytes(200, 3);
  char out[300];
  unsigned int capacity = 50;
  std::string log = Logged([&] { EXPECT_EQ(0, EngZlibDeflateData(input.data(), 200, out, &capacity, -1)); });
  EXPECT_NE(std::string::npos, log.find("out buffer not big enough")) << log;

  capacity = sizeof(out);
  log = Logged([&] { EXPECT_EQ(0, EngZlibDeflateData(input.data(), 200, out, &capacity, 10)); });
  EXPECT_NE(std::string::npos, log.find("deflateInit() error -2")) << log;

  log = Logged([&] { EXPECT_EQ(0, EngZlibDeflateData(input.data(), 200, out, nullptr, 9)); });
  EXPECT_FALSE(log.empty());

  capacity = sizeof(out);
  EXPECT_EQ(1, EngZlibDeflateData(input.data(), 200, out, &capacity, -1));
  EXPECT_GT(capacity, 200u);
}

TEST_F(EngZlibTest, InflateRefusesBadData) {
  std::string zeros(1 << 20, '\0');
  unsigned int packedLength = 0;
  std::string packed = Take(EngZlibCompressData(zeros.data(), (unsigned int)zeros.size(), &packedLength, 0),
                            packedLength);
  ASSERT_FALSE(packed.empty());

  std::string text = "The quick brown fox jumps over the lazy dog, again and again and again.";
  std::string good = Take(EngZlibCompressData(text.data(), (unsigned int)text.size(), &packedLength, 0),
                          packedLength);
  std::string corrupt = good;
  corrupt[good.size() / 2] ^= 0x55;
  corrupt[good.size() / 2 + 1] ^= 0x55;

  struct Case {
    std::string data;
    const char *message;
  };
  const Case cases[] = {
      {packed, "buffer overrun"},
      {"not compressed at all", "inflate() error -3"},
      {good.substr(0, good.size() / 2), "inflate() error -5"},
      {good + "trailing", "inflate() internal error 1"},
      {corrupt, "inflate() error -3"},
  };
  for (const Case &c : cases) {
    unsigned int length = 99;
    char *result = nullptr;
    std::string log = Logged([&] {
      result = EngZlibUncompressData(c.data.data(), (unsigned int)c.data.size(), &length);
    });
    EXPECT_EQ(nullptr, result) << c.message;
    EXPECT_EQ(0u, length);
    EXPECT_NE(std::string::npos, log.find(c.message)) << log;
    EXPECT_NE(std::string::npos, log.find("Could not inflate data.")) << log;
  }
}

TEST_F(EngZlibTest, VersionTest) {
  std::string input = "version test data";
  char out[100];
  auto deflate = [&] {
    unsigned int capacity = sizeof(out);
    return EngZlibDeflateData(input.data(), (unsigned int)input.size(), out, &capacity, 9);
  };

  EngZlibSetVersionForTests("1.2.13");
  std::string log = Logged([&] {
    EXPECT_EQ(1, deflate());
    EXPECT_EQ(1, deflate());
    unsigned int length = 0;
    EngFree(EngZlibInflateData(out, 20, &length), 0, "test");
  });
  size_t first = log.find("warning: different zlib version (1.2.13 vs 1.2.5)");
  EXPECT_NE(std::string::npos, first) << log;
  EXPECT_EQ(std::string::npos, log.find("warning: different zlib version", first + 1)) << log;

  EngZlibSetVersionForTests("1.2.5");
  EngZlibResetForTests();
  EngZlibSetVersionForTests("1.2.5");
  EXPECT_EQ("", Logged([&] { EXPECT_EQ(1, deflate()); }));

  EngZlibSetVersionForTests("2.0.0");
  log = Logged([&] { EXPECT_EQ(0, deflate()); });
  EXPECT_NE(std::string::npos, log.find("incopatible zlib versions (2.0.0 vs 1.2.5)")) << log;
  log = Logged([&] {
    unsigned int length = 0;
    EXPECT_EQ(nullptr, EngZlibInflateData(out, 20, &length));
  });
  EXPECT_NE(std::string::npos, log.find("innormalatible zlib versions (2.0.0 vs 1.2.5)")) << log;
}

TEST_F(EngZlibTest, Base64Strings) {
  EXPECT_EQ("YWJjAA__", TakeString(EngZlibEncodeStringToBase64("abc")));
  EXPECT_EQ("YWJj", TakeString(EngZlibGetBase64StringForString("abc")));
  EXPECT_EQ("-.-.", TakeString(EngZlibEncodeDataToBase64("\xfb\xff\xbf", 3)));
  EXPECT_EQ("YQ__", TakeString(EngZlibGetBase64StringForData("a", 1)));
  EXPECT_EQ("YWI_", TakeString(EngZlibEncodeDataToBase64("ab", 2)));

  EXPECT_EQ("abc", TakeString(EngZlibDecodeStringFromBase64("YWJjAA__")));
  unsigned int length = 0;
  EXPECT_EQ(std::string("\xfb\xff\xbf"), Take(EngZlibDecodeDataFromBase64("-.-.", 4, &length), length));

  char text[] = "a=b/c+d_e.f-g";
  EngZlibConvertBase64CharsToUrlFriendlyChars(text);
  EXPECT_STREQ("a_b.c-d_e.f-g", text);
  EngZlibConvertUrlFriendlyCharsToBase64Chars(text);
  EXPECT_STREQ("a=b/c+d=e/f+g", text);
}

TEST_F(EngZlibTest, ACharacterOutsideTheAlphabetDecodesAsA) {
  const std::pair<const char *, const char *> cases[] = {{"YW\x80j", "YWAj"}, {"\xff\xff\xff\xff", "AAAA"}};
  for (const auto &c : cases) {
    unsigned int length = 0, plain_length = 0;
    const std::string decoded = Take(EngZlibDecodeDataFromBase64(c.first, 4, &length), length);
    EXPECT_EQ(Take(EngZlibDecodeDataFromBase64(c.second, 4, &plain_length), plain_length), decoded) << c.second;
    EXPECT_EQ(3u, length) << c.second;
  }
}

TEST_F(EngZlibTest, UndecodableBase64GivesNull) {
  const char *cases[] = {"YWJ", "YWJjA"};
  for (const char *text : cases) {
    unsigned int length = 5;
    std::string log = Logged([&] {
      EXPECT_EQ(nullptr, EngZlibDecodeDataFromBase64(text, (unsigned int)strlen(text), &length));
      EXPECT_EQ(nullptr, EngZlibDecodeStringFromBase64(text));
    });
    EXPECT_EQ(0u, length);
    EXPECT_EQ("", log) << text;
  }
  std::string log = Logged([] {
    EXPECT_EQ(nullptr, EngZlibEncodeStringToBase64(""));
    EXPECT_EQ(nullptr, EngZlibDecodeStringFromBase64(nullptr));
    EXPECT_EQ(nullptr, EngZlibGetBase64StringForString(nullptr));
  });
  EXPECT_NE(std::string::npos, log.find("No string.")) << log;
}

TEST_F(EngZlibTest, SealingRoundTrips) {
  const size_t sizes[] = {8, 9, 15, 16, 17, 100, 5000};
  for (size_t size : sizes) {
    std::string input = PseudoRandomBytes(size, unsigned(size));
    char *sealed = EngZlibEncryptCompressAndEncodeToBase64Data(kScoreKey, input.data(), (unsigned int)size, 0, 0,
                                                                nullptr);
    ASSERT_NE(nullptr, sealed) << size;
    std::string text = TakeString(sealed);
    EXPECT_EQ(std::string::npos, text.find_first_of("=/+\n")) << text;

    unsigned int length = 0;
    char *opened = EngZlibDecodeDataFromBase64UncompressItAndDecrpytIt(kScoreKey, text.c_str(), &length);
    ASSERT_NE(nullptr, opened) << size;
    EXPECT_EQ(input, Take(opened, length));
  }

  // Compression only, and encryption only, through Base64 as well.
  std::string input = std::string(3000, 'q') + PseudoRandomBytes(50, 9);
  std::string text = TakeString(EngZlibCompressAndEncodeToBase64Data(input.data(), (unsigned int)input.size(), 0));
  unsigned int length = 0;
  EXPECT_EQ(input, Take(EngZlibDecodeDataFromBase64AndUncompressIt(text.data(), (unsigned int)text.size(), &length),
                        length));

  std::string packed = Take(EngZlibEncryptAndCompressData(kScoreKey, input.data(), (unsigned int)input.size(),
                                                          &length, 0),
                            length);
  ASSERT_FALSE(packed.empty());
  EXPECT_EQ(input, Take(EngZlibUncompressDataAndDecrpytIt(kScoreKey, packed.data(), (unsigned int)packed.size(),
                                                          &length),
                        length));

  std::string encrypted = Take(EngZlibEncryptData(kScoreKey, "0123456789", 10), 10);
  EXPECT_NE("01234567", encrypted.substr(0, 8));
  EXPECT_EQ("89", encrypted.substr(8));
  EXPECT_EQ("0123456789", Take(EngZlibDecryptData(kScoreKey, encrypted.data(), 10), 10));
}

TEST_F(EngZlibTest, SealedFormatIsFixed) {
  const char submission[] = "{\n\t\"name\" : \"Tess\",\n\t\"score\" : 12345,\n\t\"level\" : 7\n}";
  const char sealed[] =
      "eNoBNQDK.2iJtYhYP2W6lzuMoZcsYs83bBHusmzPiUGZxv33ATnmIDEtLEiHp0b.S6w-DxymFSA3Cn0Ara0XAg__";

  std::string text = TakeString(
      EngZlibEncryptCompressAndEncodeToBase64Data(kScoreKey, submission, sizeof(submission), 0, 0, nullptr));
  EXPECT_EQ(sealed, text);

  unsigned int length = 0;
  EXPECT_EQ(std::string(submission, sizeof(submission)),
            Take(EngZlibDecodeDataFromBase64UncompressItAndDecrpytIt(kScoreKey, sealed, &length), length));
}

TEST_F(EngZlibTest, SealingWithPrefixMapsOnlyTheBase64) {
  std::string input = "prefixed sealing input";
  std::string plain = TakeString(
      EngZlibEncryptCompressAndEncodeToBase64Data(kScoreKey, input.data(), (unsigned int)input.size(), 0, 0, nullptr));
  std::string text = TakeString(EngZlibEncryptCompressAndEncodeToBase64Data(
      kScoreKey, input.data(), (unsigned int)input.size(), 0, 4, "d=+/ignored"));
  EXPECT_EQ("d=+/" + plain, text);
}

TEST_F(EngZlibTest, SealingRefusals) {
  struct Case {
    const char *key;
    const char *data;
    unsigned int n, prefixLength;
    const char *prefix;
    const char *message;
  };
  const Case cases[] = {
      {nullptr, "0123456789", 10, 0, nullptr, "No cipher"},
      {kScoreKey, nullptr, 10, 0, nullptr, "No data."},
      {kScoreKey, "0123456789", 0, 0, nullptr, "No data."},
      {kScoreKey, "0123456789", 10, 3, nullptr, "( "},
      {kScoreKey, "0123456789", 10, 0, "abc", "( "},
      {kScoreKey, "1234567", 7, 0, nullptr, "Could not encrpyt data."},
      {"short", "0123456789", 10, 0, nullptr, "Could not encrpyt data."},
  };
  for (const Case &c : cases) {
    std::string log = Logged([&] {
      EXPECT_EQ(nullptr, EngZlibEncryptCompressAndEncodeToBase64Data(c.key, c.data, c.n, 0, c.prefixLength, c.prefix));
    });
    EXPECT_NE(std::string::npos, log.find(c.message)) << log;
  }

  std::string log = Logged([] {
    unsigned int length = 1;
    EXPECT_EQ(nullptr, EngZlibDecodeDataFromBase64UncompressItAndDecrpytIt(nullptr, "YWJj", &length));
    EXPECT_EQ(nullptr, EngZlibDecodeDataFromBase64UncompressItAndDecrpytIt(kScoreKey, "", &length));
    EXPECT_EQ(0u, length);
  });
  EXPECT_NE(std::string::npos, log.find("No cipher")) << log;
  EXPECT_NE(std::string::npos, log.find("No data.")) << log;
}

TEST_F(EngZlibTest, CorruptSealedTextFailsCleanly) {
  std::string input = "{\n\t\"score\" : 100\n}";
  input.push_back('\0');
  std::string text = TakeString(
      EngZlibEncryptCompressAndEncodeToBase64Data(kScoreKey, input.data(), (unsigned int)input.size(), 0, 0, nullptr));
  ASSERT_FALSE(text.empty());

  // Too short once inflated to hold a cipher block.
  std::string tiny = TakeString(EngZlibCompressAndEncodeToBase64Data("abc", 3, 0));

  struct Case {
    std::string text;
    const char *message;  // empty: refused without a message
  };
  const Case cases[] = {
      {text.substr(0, text.size() - 1), ""},
      {text.substr(0, text.size() - 4), "Could not inflate data."},
      {"AAAA" + text.substr(4), "Could not inflate data."},
      {text + "AAAA", "Could not inflate data."},
      {text.substr(0, 8) + "\x80\x81\x82\x83" + text.substr(12), "Could not inflate data."},
      {tiny, "Could not decrpyt data."},
  };
  for (const Case &c : cases) {
    unsigned int length = 3;
    std::string log = Logged([&] {
      EXPECT_EQ(nullptr, EngZlibDecodeDataFromBase64UncompressItAndDecrpytIt(kScoreKey, c.text.c_str(), &length));
    });
    EXPECT_EQ(0u, length);
    if (*c.message) {
      EXPECT_NE(std::string::npos, log.find(c.message)) << log;
    } else {
      EXPECT_EQ("", log);
    }
  }

  // The wrong key opens the data but gives other bytes.
  unsigned int length = 0;
  std::string wrong = Take(EngZlibDecodeDataFromBase64UncompressItAndDecrpytIt("TALLY_K418", text.c_str(), &length),
                           length);
  EXPECT_EQ(input.size(), wrong.size());
  EXPECT_NE(input, wrong);
}
