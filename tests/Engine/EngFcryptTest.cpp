#include "Engine/EngFcrypt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <tomcrypt.h>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "tests/support/TestSupport.h"

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes FromHex(const std::string &hex) {
  Bytes out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out.push_back((unsigned char)std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

std::string ToHex(const unsigned char *bytes, size_t count) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < count; i++) {
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  return out;
}
std::string ToHex(const Bytes &bytes) { return ToHex(bytes.data(), bytes.size()); }

Bytes FromText(const std::string &text) { return Bytes(text.begin(), text.end()); }

Bytes Pattern(size_t count, unsigned seed) {
  Bytes bytes(count);
  for (size_t i = 0; i < count; i++) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = (unsigned char)(seed >> 16);
  }
  return bytes;
}

std::string Logged(const std::function<void()> &action) {
  testing::internal::CaptureStderr();
  action();
  return testing::internal::GetCapturedStderr();
}

int Sha1Index() {
  register_hash(&sha1_desc);
  return find_hash("sha1");
}

// The expected encryption built from independent pieces: libtomcrypt's PBKDF2, single-block
// AES and HMAC. Returns the verifier bytes, the ciphertext and the 10-byte code.
struct Sealed {
  Bytes verifier, ciphertext, mac;
};

Sealed ReferenceEncrypt(int mode, const Bytes &password, const Bytes &salt, const Bytes &plain) {
  const unsigned long k = FcryptKeyLength(mode);
  Bytes material(2 * k + 2);
  unsigned long material_length = material.size();
  EXPECT_EQ(CRYPT_OK, pkcs_5_alg2(password.data(), password.size(), salt.data(), salt.size(), 1000, Sha1Index(),
                                  material.data(), &material_length));
  symmetric_key key;
  EXPECT_EQ(CRYPT_OK, aes_desc.setup(material.data(), int(k), 0, &key));
  Sealed sealed;
  sealed.verifier.assign(material.begin() + 2 * k, material.end());
  sealed.ciphertext = plain;
  unsigned char counter[16] = {}, stream[16];
  for (size_t i = 0; i < plain.size(); i++) {
    if (i % 16 == 0) {
      for (int j = 0; j < 8; j++) {
        counter[j] = static_cast<unsigned char>(counter[j] + 1);
        if (counter[j] != 0) break;
      }
      aes_desc.ecb_encrypt(counter, stream, &key);
    }
    sealed.ciphertext[i] ^= stream[i % 16];
  }
  unsigned char mac[20];
  unsigned long mac_length = sizeof mac;
  EXPECT_EQ(CRYPT_OK, hmac_memory(Sha1Index(), material.data() + k, k, sealed.ciphertext.data(),
                                  sealed.ciphertext.size(), mac, &mac_length));
  sealed.mac.assign(mac, mac + 10);
  return sealed;
}

Sealed Encrypt(int mode, const Bytes &password, const Bytes &salt, const Bytes &plain,
               const std::vector<size_t> &pieces = {}) {
  fcrypt_ctx ctx;
  EngUInt16 verifier = 0;
  EXPECT_EQ(0, fcrypt_init(mode, password.data(), (unsigned)password.size(), salt.data(), &verifier, &ctx));
  Sealed sealed;
  const unsigned char *v = reinterpret_cast<const unsigned char *>(&verifier);
  sealed.verifier.assign(v, v + 2);
  sealed.ciphertext = plain;
  size_t done = 0;
  for (size_t piece : pieces) {
    fcrypt_encrypt(sealed.ciphertext.data() + done, (unsigned)piece, &ctx);
    done += piece;
  }
  fcrypt_encrypt(sealed.ciphertext.data() + done, (unsigned)(plain.size() - done), &ctx);
  sealed.mac.resize(10);
  EXPECT_EQ(10, fcrypt_end(sealed.mac.data(), &ctx));
  return sealed;
}

class EngFcryptTest : public testing::Test {
 protected:
  void SetUp() override { DebugResetForTests(); }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Building blocks

TEST_F(EngFcryptTest, Sha1KnownAnswersWholeAndInPieces) {
  struct Case {
    std::string data;
    const char *digest;
  };
  const Case cases[] = {
      {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
      {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
      {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.digest);
    const Bytes data = FromText(c.data);
    unsigned char digest[20];
    sha1(digest, data.data(), data.size());
    EXPECT_EQ(c.digest, ToHex(digest, 20));

    // The same through pieces of awkward sizes, crossing block ends.
    sha1_ctx ctx;
    sha1_begin(&ctx);
    size_t done = 0;
    for (size_t piece = 1; done < data.size(); piece = piece * 3 + 1) {
      const size_t n = std::min(piece, data.size() - done);
      sha1_hash(data.data() + done, n, &ctx);
      done += n;
    }
    EXPECT_EQ(data.size(), ctx.count);
    sha1_end(digest, &ctx);
    EXPECT_EQ(c.digest, ToHex(digest, 20));
  }
}

TEST_F(EngFcryptTest, Sha1CompileIsTheBareCompressionFunction) {
  // "abc" padded to one block, compressed from the initial value, is SHA-1("abc").
  sha1_ctx ctx;
  sha1_begin(&ctx);
  memset(ctx.wbuf, 0, sizeof ctx.wbuf);
  memcpy(ctx.wbuf, "abc\x80", 4);
  ctx.wbuf[63] = 24;  // the message length in bits
  sha1_compile(&ctx);
  EXPECT_EQ(0u, ctx.count);
  unsigned char digest[20];
  for (int i = 0; i < 5; i++) {
    for (int j = 0; j < 4; j++) digest[4 * i + j] = (unsigned char)(ctx.hash[i] >> (24 - 8 * j));
  }
  EXPECT_EQ("a9993e364706816aba3e25717850c26c9cd0d89d", ToHex(digest, 20));
}

// RFC 2202's HMAC-SHA1 test cases, each also with the key given in pieces and against libtomcrypt.
TEST_F(EngFcryptTest, HmacSha1KnownAnswers) {
  struct Case {
    Bytes key, data;
    const char *mac;
  };
  const Case cases[] = {
      {Bytes(20, 0x0b), FromText("Hi There"), "b617318655057264e28bc0b6fb378c8ef146be00"},
      {FromText("Jefe"), FromText("what do ya want for nothing?"), "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
      {Bytes(20, 0xaa), Bytes(50, 0xdd), "125d7342b9ac11cd91a39af48aa17b4f63f175d3"},
      {FromHex("0102030405060708090a0b0c0d0e0f10111213141516171819"), Bytes(50, 0xcd),
       "4c9007f4026250c6bc8414f9bf50c86c2d7235da"},
      {Bytes(80, 0xaa), FromText("Test Using Larger Than Block-Size Key - Hash Key First"),
       "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
      {Bytes(80, 0xaa), FromText("Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data"),
       "e8e99d0f45237d786d6bbaa7965c7808bbff1a91"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.mac);
    unsigned char mac[20];
    hmac_sha1(c.key.data(), c.key.size(), c.data.data(), c.data.size(), mac, 20);
    EXPECT_EQ(c.mac, ToHex(mac, 20));

    for (size_t first : {size_t(1), size_t(19), size_t(64), c.key.size()}) {
      if (first > c.key.size()) continue;
      hmac_ctx ctx;
      hmac_sha1_begin(&ctx);
      EXPECT_EQ(1, hmac_sha1_key(c.key.data(), first, &ctx));
      EXPECT_EQ(1, hmac_sha1_key(c.key.data() + first, c.key.size() - first, &ctx));
      hmac_sha1_data(c.data.data(), 7, &ctx);
      hmac_sha1_data(c.data.data() + 7, c.data.size() - 7, &ctx);
      memset(mac, 0, sizeof mac);
      hmac_sha1_end(mac, 20, &ctx);
      EXPECT_EQ(c.mac, ToHex(mac, 20)) << "key split after " << first;
    }

    unsigned long length = 20;
    ASSERT_EQ(CRYPT_OK, hmac_memory(Sha1Index(), c.key.data(), c.key.size(), c.data.data(), c.data.size(), mac,
                                    &length));
    EXPECT_EQ(c.mac, ToHex(mac, 20));
  }

  // Truncation (RFC 2202 case 5) and a length past 20, which gives the 20 bytes only.
  const Bytes key(20, 0x0c), data = FromText("Test With Truncation");
  unsigned char mac[24];
  memset(mac, 0xEE, sizeof mac);
  hmac_sha1(key.data(), key.size(), data.data(), data.size(), mac, 12);
  EXPECT_EQ("4c1a03424b55e07fe7f27be1eeeeeeee", ToHex(mac, 16));
  hmac_sha1(key.data(), key.size(), data.data(), data.size(), mac, 24);
  EXPECT_EQ("4c1a03424b55e07fe7f27be1d58bb9324a9a5a04eeeeeeee", ToHex(mac, 24));

  // An empty key is a key of 64 zero bytes, and the key cannot change once data has begun.
  hmac_ctx ctx;
  hmac_sha1_begin(&ctx);
  hmac_sha1_data(data.data(), data.size(), &ctx);
  EXPECT_NE("", Logged([&] { EXPECT_EQ(0, hmac_sha1_key(key.data(), key.size(), &ctx)); }));
  hmac_sha1_end(mac, 20, &ctx);
  unsigned char zeros_mac[20];
  const Bytes zeros(64, 0);
  hmac_sha1(zeros.data(), zeros.size(), data.data(), data.size(), zeros_mac, 20);
  EXPECT_EQ(ToHex(zeros_mac, 20), ToHex(mac, 20));
}

// RFC 6070's PBKDF2-HMAC-SHA1 vectors, plus libtomcrypt's result for other shapes.
TEST_F(EngFcryptTest, DeriveKeyKnownAnswers) {
  struct Case {
    std::string password, salt;
    unsigned int iterations;
    const char *key;
  };
  const Case cases[] = {
      {"password", "salt", 1, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
      {"password", "salt", 2, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
      {"password", "salt", 4096, "4b007901b765489abead49d926f721d065a429c1"},
      // 25 bytes: the second block is used in part.
      {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096,
       "3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038"},
      {std::string("pass\0word", 9), std::string("sa\0lt", 5), 4096, "56fa6aa75548099dcc37d7f03425e0c3"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.key);
    const Bytes password = FromText(c.password), salt = FromText(c.salt), expected = FromHex(c.key);
    Bytes key(expected.size() + 4, 0xEE);
    derive_key(password.data(), (unsigned)password.size(), salt.data(), (unsigned)salt.size(), c.iterations,
               key.data(), (unsigned)expected.size());
    EXPECT_EQ(c.key, ToHex(key.data(), expected.size()));
    EXPECT_EQ(Bytes(4, 0xEE), Bytes(key.end() - 4, key.end()));  // nothing past the length
  }

  for (unsigned int length : {1u, 20u, 21u, 34u, 50u, 66u, 100u}) {
    SCOPED_TRACE(length);
    const Bytes password = Pattern(100, length), salt = Pattern(16, length + 1);  // a key past one block
    Bytes key(length), expected(length);
    derive_key(password.data(), 100, salt.data(), 16, 3, key.data(), length);
    unsigned long expected_length = length;
    ASSERT_EQ(CRYPT_OK, pkcs_5_alg2(password.data(), 100, salt.data(), 16, 3, Sha1Index(), expected.data(),
                                    &expected_length));
    EXPECT_EQ(ToHex(expected), ToHex(key));
  }
}

// FIPS-197 appendix C, with the key length in bytes and in bits.
TEST_F(EngFcryptTest, AesKnownAnswersAndUnusableLengths) {
  const Bytes plain = FromHex("00112233445566778899aabbccddeeff");
  const Bytes key = FromHex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
  struct Case {
    unsigned int length;
    const char *cipher;  // null: unusable
  };
  const Case cases[] = {
      {16, "69c4e0d86a7b0430d8cdb78070b4c55a"},  {128, "69c4e0d86a7b0430d8cdb78070b4c55a"},
      {24, "dda97ca4864cdfe06eaf70a0ec0d7191"},  {192, "dda97ca4864cdfe06eaf70a0ec0d7191"},
      {32, "8ea2b7ca516745bfeafc49904b496089"},  {256, "8ea2b7ca516745bfeafc49904b496089"},
      {20, nullptr}, {0, nullptr}, {15, nullptr}, {64, nullptr},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.length);
    aes_encrypt_ctx ctx;
    unsigned char out[16] = {};
    EXPECT_EQ(c.cipher ? 1 : 0, aes_set_encrypt_key(key.data(), c.length, &ctx));
    EXPECT_EQ(c.cipher ? 1 : 0, aes_encrypt_block(plain.data(), out, &ctx));
    EXPECT_EQ(c.cipher ? c.cipher : "00000000000000000000000000000000", ToHex(out, 16));
  }
}

// ---------------------------------------------------------------------------------------------
// Password-based encryption

TEST_F(EngFcryptTest, InitRefusesBadModesAndLongPasswords) {
  const Bytes password(129, 'p'), salt(16, 's');
  fcrypt_ctx ctx;
  EngUInt16 verifier = 0;
  struct Case {
    int mode;
    unsigned int length;
    int result;
  };
  const Case cases[] = {{0, 8, FCRYPT_BAD_MODE},           {4, 8, FCRYPT_BAD_MODE},  {-1, 8, FCRYPT_BAD_MODE},
                        {1, 129, FCRYPT_PASSWORD_TOO_LONG}, {3, 128, 0},              {1, 0, 0},
                        {2, 1, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", length " << c.length);
    EXPECT_EQ(c.result, fcrypt_init(c.mode, password.data(), c.length, salt.data(), &verifier, &ctx));
  }
  EXPECT_NE("", Logged([&] { EXPECT_EQ(FCRYPT_BAD_PARAMETER, fcrypt_init(1, password.data(), 8, nullptr, &verifier, &ctx)); }));
  EXPECT_EQ(FCRYPT_BAD_PARAMETER, fcrypt_init(1, nullptr, 8, salt.data(), &verifier, &ctx));
  EXPECT_EQ(FCRYPT_BAD_PARAMETER, fcrypt_init(1, password.data(), 8, salt.data(), nullptr, &ctx));
}

// Key material from PBKDF2, the little-endian counter starting at 1, the code over the
// ciphertext: checked for each mode against a reference made of libtomcrypt's own pieces.
TEST_F(EngFcryptTest, EncryptionMatchesTheReferenceInEveryMode) {
  for (int mode = 1; mode <= 3; mode++) {
    SCOPED_TRACE(mode);
    const Bytes password = FromText("correct horse"), salt = Pattern(FcryptSaltLength(mode), mode);
    // Past 256 blocks, so the counter carries into its second byte.
    const Bytes plain = Pattern(16 * 300 + 5, 77);
    const Sealed expected = ReferenceEncrypt(mode, password, salt, plain);
    const Sealed sealed = Encrypt(mode, password, salt, plain);
    EXPECT_EQ(ToHex(expected.verifier), ToHex(sealed.verifier));
    EXPECT_EQ(ToHex(expected.ciphertext), ToHex(sealed.ciphertext));
    EXPECT_EQ(ToHex(expected.mac), ToHex(sealed.mac));
  }
}

TEST_F(EngFcryptTest, PiecesGiveTheSameCiphertextAndCode) {
  const Bytes password = FromText("pw"), salt = Pattern(8, 3), plain = Pattern(100, 9);
  const Sealed whole = Encrypt(1, password, salt, plain);
  const Sealed pieces = Encrypt(1, password, salt, plain, {7, 50});
  const Sealed bytes = Encrypt(1, password, salt, plain, std::vector<size_t>(99, 1));
  EXPECT_EQ(whole.ciphertext, pieces.ciphertext);
  EXPECT_EQ(whole.mac, pieces.mac);
  EXPECT_EQ(whole.ciphertext, bytes.ciphertext);
  EXPECT_EQ(whole.mac, bytes.mac);
}

// A file as a caller might lay it out: salt, verifier, ciphertext, code.
TEST_F(EngFcryptTest, FileWithRightWrongPasswordAndTamperedBytes) {
  qwtest::TempDir dir;
  const std::string path = dir.File("secret.bin");
  const int mode = 3;
  const Bytes password = FromText("open sesame"), salt = Pattern(FcryptSaltLength(mode), 42);
  const Bytes plain = FromText("The treasure is under the third tower from the left.");

  const Sealed sealed = Encrypt(mode, password, salt, plain);
  Bytes file = salt;
  file.insert(file.end(), sealed.verifier.begin(), sealed.verifier.end());
  file.insert(file.end(), sealed.ciphertext.begin(), sealed.ciphertext.end());
  file.insert(file.end(), sealed.mac.begin(), sealed.mac.end());
  ASSERT_EQ(1, EngFileOpenWriteAndClose(path.c_str(), 0, file.data(), (euint)file.size()));

  // 1 and the plain text, 0 for a wrong verifier, -1 for a wrong code.
  auto open = [&](const Bytes &attempt, Bytes *out) {
    Bytes stored(EngFileGetFileSize(path.c_str()));
    EXPECT_EQ(1, EngFileOpenReadAndClose(path.c_str(), 0, stored.data(), (euint)stored.size()));
    const size_t s = FcryptSaltLength(mode);
    fcrypt_ctx ctx;
    EngUInt16 verifier = 0;
    EXPECT_EQ(0, fcrypt_init(mode, attempt.data(), (unsigned)attempt.size(), stored.data(), &verifier, &ctx));
    if (memcmp(&verifier, stored.data() + s, 2) != 0) return 0;
    *out = Bytes(stored.begin() + s + 2, stored.end() - 10);
    fcrypt_decrypt(out->data(), (unsigned)out->size(), &ctx);
    unsigned char mac[10];
    fcrypt_end(mac, &ctx);
    return memcmp(mac, stored.data() + stored.size() - 10, 10) == 0 ? 1 : -1;
  };

  Bytes out;
  EXPECT_EQ(1, open(password, &out));
  EXPECT_EQ(plain, out);
  EXPECT_EQ(0, open(FromText("open sesame!"), &out));
  EXPECT_EQ(0, open(FromText("Open sesame"), &out));

  // Any changed byte of the ciphertext or the code is caught by the code.
  const size_t body = FcryptSaltLength(mode) + 2;
  for (size_t at : {body, body + plain.size() / 2, file.size() - 1}) {
    SCOPED_TRACE(at);
    Bytes tampered = file;
    tampered[at] ^= 0x01;
    ASSERT_EQ(1, EngFileOpenWriteAndClose(path.c_str(), 0, tampered.data(), (euint)tampered.size()));
    EXPECT_EQ(-1, open(password, &out));
  }
}

// ---------------------------------------------------------------------------------------------
// Entropy pool

namespace {

unsigned entropy_seed = 0;
unsigned entropy_chunk = 0;  // 0: as much as asked
int entropy_calls = 0;

int CountingEntropy(unsigned char *buffer, unsigned int length) {
  entropy_calls++;
  const unsigned int n = entropy_chunk && entropy_chunk < length ? entropy_chunk : length;
  for (unsigned int i = 0; i < n; i++) buffer[i] = (unsigned char)(entropy_seed++ * 7);
  return int(n);
}

int DryEntropy(unsigned char *, unsigned int) {
  entropy_calls++;
  return 0;
}

Bytes PoolOutput(unsigned seed, unsigned chunk, const std::vector<unsigned int> &pieces) {
  entropy_seed = seed;
  entropy_chunk = chunk;
  prng_ctx ctx;
  prng_init(CountingEntropy, &ctx);
  Bytes out;
  for (unsigned int piece : pieces) {
    Bytes part(piece);
    prng_rand(part.data(), piece, &ctx);
    out.insert(out.end(), part.begin(), part.end());
  }
  prng_end(&ctx);
  EXPECT_EQ(Bytes(sizeof ctx, 0), Bytes(reinterpret_cast<unsigned char *>(&ctx),
                                         reinterpret_cast<unsigned char *>(&ctx) + sizeof ctx));
  return out;
}

}  // namespace

TEST_F(EngFcryptTest, PoolOutputDependsOnEntropyNotOnHowItIsAskedFor) {
  const Bytes whole = PoolOutput(1, 0, {1000});
  EXPECT_EQ(1000u, whole.size());
  // Pieces across the 260-byte refills, and entropy delivered a few bytes at a time.
  EXPECT_EQ(whole, PoolOutput(1, 0, {1, 259, 1, 300, 439}));
  EXPECT_EQ(whole, PoolOutput(1, 7, {1000}));
  const Bytes other = PoolOutput(2, 0, {1000});
  EXPECT_NE(whole, other);
  // No 260-byte stretch repeats the one before it.
  for (size_t at = 260; at + 260 <= whole.size(); at += 260) {
    EXPECT_NE(Bytes(whole.begin() + at - 260, whole.begin() + at), Bytes(whole.begin() + at, whole.begin() + at + 260));
  }
}

TEST_F(EngFcryptTest, DryEntropyIsReportedInsteadOfHanging) {
  prng_ctx ctx;
  entropy_calls = 0;
  const std::string log = Logged([&] { prng_init(DryEntropy, &ctx); });
  EXPECT_NE(std::string::npos, log.find("Entropy source gave no data.")) << log;
  EXPECT_LT(entropy_calls, 100);
  prng_end(&ctx);

  // A pool never given a source hands out nothing but zeros, and says so.
  unsigned char data[8];
  memset(data, 0xAA, sizeof data);
  EXPECT_NE("", Logged([&] { prng_init(nullptr, &ctx); }));
  EXPECT_NE("", Logged([&] { prng_rand(data, sizeof data, &ctx); }));
  EXPECT_EQ(Bytes(8, 0), Bytes(data, data + 8));
}
