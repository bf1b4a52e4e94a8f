#include "Engine/EngBlowfish.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include <tomcrypt.h>

namespace {

void PutBigEndian(uint64_t value, unsigned char *bytes) {
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<unsigned char>(value >> (56 - 8 * i));
}

}  // namespace

TEST(EngBlowfishTest, KnownAnswerVectors) {
  struct Case {
    uint64_t key, plain, cipher;
  };
  const Case cases[] = {
      {0x0000000000000000ull, 0x0000000000000000ull, 0x4EF997456198DD78ull},
      {0xFFFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull, 0x51866FD5B85ECB8Aull},
      {0x3000000000000000ull, 0x1000000000000001ull, 0x7D856F9A613063F2ull},
      {0x1111111111111111ull, 0x1111111111111111ull, 0x2466DD878B963C9Dull},
      {0x0123456789ABCDEFull, 0x1111111111111111ull, 0x61F9C3802281B096ull},
      {0x1111111111111111ull, 0x0123456789ABCDEFull, 0x7D0CC630AFDA1EC7ull},
      {0xFEDCBA9876543210ull, 0x0123456789ABCDEFull, 0x0ACEAB0FC6A0A28Dull},
      {0x7CA110454A1A6E57ull, 0x01A1D6D039776742ull, 0x59C68245EB05282Bull},
  };
  for (const Case &c : cases) {
    unsigned char key[8];
    PutBigEndian(c.key, key);
    BlowFishCtx ctx;
    BlowFishInit(&ctx, key, 8);
    unsigned int left = unsigned(c.plain >> 32), right = unsigned(c.plain);
    BlowFishEncrypt(&ctx, &left, &right);
    EXPECT_EQ(c.cipher, (uint64_t(left) << 32) | right) << std::hex << c.key;
    BlowFishDecrypt(&ctx, &left, &right);
    EXPECT_EQ(c.plain, (uint64_t(left) << 32) | right) << std::hex << c.key;
  }
}

// The engine's cipher is the standard one: libtomcrypt's Blowfish, over the key lengths it
// takes, gives the same blocks.
TEST(EngBlowfishTest, SameBlocksAsLibtomcrypt) {
  for (int keyLength : {8, 9, 13, 16, 31, 32, 55, 56}) {
    unsigned char key[56];
    for (int i = 0; i < keyLength; ++i) key[i] = static_cast<unsigned char>(37 * i + keyLength);
    symmetric_key reference;
    ASSERT_EQ(CRYPT_OK, blowfish_setup(key, keyLength, 0, &reference)) << keyLength;
    BlowFishCtx ctx;
    BlowFishInit(&ctx, key, keyLength);

    for (uint64_t plain : {0x0000000000000000ull, 0x0123456789ABCDEFull, 0xFFFFFFFF00000001ull}) {
      unsigned char block[8], expected[8];
      PutBigEndian(plain, block);
      ASSERT_EQ(CRYPT_OK, blowfish_ecb_encrypt(block, expected, &reference));
      unsigned int left = unsigned(plain >> 32), right = unsigned(plain);
      BlowFishEncrypt(&ctx, &left, &right);
      uint64_t cipher = (uint64_t(left) << 32) | right;
      unsigned char got[8];
      PutBigEndian(cipher, got);
      EXPECT_EQ(0, memcmp(expected, got, 8)) << "key length " << keyLength << ", block " << std::hex << plain;
    }
  }
}

TEST(EngBlowfishTest, BufferIsEncryptedInBigEndianBlocksAndTailKept) {
  // The 0123456789ABCDEF vector, its key bytes used as a key string.
  const char key[] = "\x01\x23\x45\x67\x89\xab\xcd\xef";
  unsigned char data[10];
  memset(data, 0x11, 8);
  data[8] = 0xAA;
  data[9] = 0xBB;
  ASSERT_EQ(1, EngEncryptionEncryptDataUsingBlowfishEncryption(key, data, 10));
  const unsigned char expected[10] = {0x61, 0xF9, 0xC3, 0x80, 0x22, 0x81, 0xB0, 0x96, 0xAA, 0xBB};
  EXPECT_EQ(0, memcmp(expected, data, 10));

  ASSERT_EQ(1, EngEncryptionDecryptDataUsingBlowfishEncryption(key, data, 10));
  const unsigned char plain[10] = {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0xAA, 0xBB};
  EXPECT_EQ(0, memcmp(plain, data, 10));
}

TEST(EngBlowfishTest, BlocksAreIndependentAndBothNamesAgree) {
  char data[24], copy[24];
  memset(data, 'x', sizeof(data));
  memcpy(copy, data, sizeof(data));
  ASSERT_EQ(1, EngEncryptionEncryptDataUsingBlowfishEncryption("TALLY_K417", data, 24));
  EXPECT_EQ(0, memcmp(data, data + 8, 8));
  EXPECT_EQ(0, memcmp(data, data + 16, 8));
  EXPECT_NE(0, memcmp(data, copy, 8));

  ASSERT_EQ(1, EngEncryptionEncryptDataUsingBlowfishEncryptionNew("TALLY_K417", copy, 24));
  EXPECT_EQ(0, memcmp(data, copy, 24));
  ASSERT_EQ(1, EngEncryptionDecryptDataUsingBlowfishEncryptionNew("TALLY_K417", copy, 24));
  EXPECT_EQ(std::string(24, 'x'), std::string(copy, 24));
}

TEST(EngBlowfishTest, KeyBytesBeyondSeventyTwoHaveNoEffect) {
  std::string key72 = std::string(71, 'k') + "z";
  char a[8] = {1, 2, 3, 4, 5, 6, 7, 8}, b[8] = {1, 2, 3, 4, 5, 6, 7, 8}, c[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_EQ(1, EngEncryptionEncryptDataUsingBlowfishEncryption((key72 + "tail").c_str(), a, 8));
  ASSERT_EQ(1, EngEncryptionEncryptDataUsingBlowfishEncryption((key72 + "other tail").c_str(), b, 8));
  ASSERT_EQ(1, EngEncryptionEncryptDataUsingBlowfishEncryption((std::string(71, 'k') + "y").c_str(), c, 8));
  EXPECT_EQ(0, memcmp(a, b, 8));
  EXPECT_NE(0, memcmp(a, c, 8));
}

TEST(EngBlowfishTest, RefusedInputIsLeftUntouched) {
  struct Case {
    const char *key;
    EngUInt32 n;
    const char *message;
  };
  const Case cases[] = {
      {"12345678", 7, "Invalid data (must be at least 8 bytes long)."},
      {"1234567", 8, "Invalid key."},
      {nullptr, 8, "Invalid key."},
      {"", 16, "Invalid key."},
  };
  for (const Case &c : cases) {
    char data[16] = "unchanged text!";
    testing::internal::CaptureStderr();
    EXPECT_EQ(0, EngEncryptionEncryptDataUsingBlowfishEncryption(c.key, data, c.n));
    EXPECT_EQ(0, EngEncryptionDecryptDataUsingBlowfishEncryptionNew(c.key, data, c.n));
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, log.find(c.message)) << log;
    EXPECT_STREQ("unchanged text!", data);
  }
  testing::internal::CaptureStderr();
  EXPECT_EQ(0, EngEncryptionEncryptDataUsingBlowfishEncryption("12345678", nullptr, 8));
  EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("Invalid data"));
}
