#include "Engine/EngEncryption.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <tomcrypt.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::FileExists;
using qwtest::ReadWholeFile;
using qwtest::WriteWholeFile;
typedef std::vector<unsigned char> Bytes;

// Whether any message in the debug log's ring holds the text.
bool LogHas(const std::string &text) {
  for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) {
    _DebugMessage *message = DebugGetMessage(i);
    if (message && std::string(message->text).find(text) != std::string::npos) return true;
  }
  return false;
}

Bytes Hex(const char *hex) {
  Bytes out;
  for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) out.push_back((unsigned char)std::stoi(std::string(hex + i, 2), nullptr, 16));
  return out;
}

std::string AsString(const Bytes &bytes) { return std::string(bytes.begin(), bytes.end()); }

Bytes Pattern(size_t count) {
  Bytes bytes(count);
  for (size_t i = 0; i < count; i++) bytes[i] = (unsigned char)(i * 37 + 11);
  return bytes;
}

// The key of NIST SP 800-38A's AES-128 examples has no zero byte, so it is a valid key string.
const char *const kNistKey = "\x2b\x7e\x15\x16\x28\xae\xd2\xa6\xab\xf7\x15\x88\x09\xcf\x4f\x3c";

// The key stream computed without counter mode: single-block AES of C0, C0 + 1, ... where the
// whole block counts up as one little-endian number.
Bytes KeyStream(const std::string &key_string, Bytes counter, size_t length) {
  unsigned char key[16] = {};
  memcpy(key, key_string.data(), key_string.size());
  register_cipher(&aes_desc);
  symmetric_ECB ecb;
  EXPECT_EQ(ecb_start(find_cipher("aes"), key, 16, 0, &ecb), CRYPT_OK);
  Bytes stream;
  while (stream.size() < length) {
    unsigned char block[16];
    EXPECT_EQ(ecb_encrypt(counter.data(), block, 16, &ecb), CRYPT_OK);
    stream.insert(stream.end(), block, block + 16);
    for (int i = 0; i < 16; i++) {
      counter[i] = static_cast<unsigned char>(counter[i] + 1);
      if (counter[i] != 0) break;
    }
  }
  ecb_done(&ecb);
  stream.resize(length);
  return stream;
}

// A container as a file holds it: the counter block, then the record XOR the key stream.
Bytes Container(const std::string &key, const Bytes &counter, const Bytes &record) {
  Bytes stream = KeyStream(key, counter, record.size());
  Bytes out = counter;
  for (size_t i = 0; i < record.size(); i++) out.push_back(record[i] ^ stream[i]);
  return out;
}

class EngEncryptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EngEncryptionResetForTests();
    ASSERT_EQ(EngEncryptionInit(kGameKey), 1);
  }
  void TearDown() override { EngEncryptionResetForTests(); }
  std::string Path(const std::string &name) const { return dir.File(name); }

  static constexpr const char *kGameKey = "QX_SEALING_KEY";
  qwtest::TempDir dir;
};

TEST_F(EngEncryptionTest, KeyStringOfOneToSixteenCharacters) {
  struct Case {
    const char *key;
    char ok;
  };
  const Case cases[] = {{nullptr, 0}, {"", 0}, {"ABCDEFGHIJKLMNOPQ", 0}, {"ABCDEFGHIJKLMNOP", 1}, {"abc", 1}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.key ? c.key : "(null)");
    EngEncryptionResetForTests();
    EXPECT_EQ(EngEncryptionInit(c.key), c.ok);
    const Bytes record = Pattern(20);
    void *container = EngEncryptionEncrypt(record.data(), 20);
    if (!c.ok) {
      EXPECT_EQ(container, nullptr);  // a refused key leaves the module unset
      continue;
    }
    ASSERT_NE(container, nullptr);
    // The key is the string's bytes, zero-padded to 16, not a hash of it.
    const unsigned char *bytes = static_cast<unsigned char *>(container);
    const Bytes counter(bytes, bytes + 16);
    EXPECT_EQ(Bytes(bytes, bytes + 36), Container(c.key, counter, record));
    EngFree(container, 0, "test");
  }
}

TEST_F(EngEncryptionTest, EverythingIsRefusedBeforeSetUp) {
  EngEncryptionResetForTests();
  const Bytes record = Pattern(8);
  Bytes container(8 + 17);
  EngUInt32 out_size = 99;
  EXPECT_EQ(EngEncryptionEncrypt(record.data(), 8), nullptr);
  EXPECT_EQ(EngEncryptionDecrypt(container.data(), 8), 0);
  EXPECT_EQ(EngEncryptionDecryptData(container.data(), 24, &out_size), nullptr);
  EXPECT_EQ(out_size, 0u);
  EXPECT_EQ(EngEncryptionEncryptAndWriteToFile(Path("r.dat").c_str(), record.data(), 8), 0);
  EXPECT_FALSE(FileExists(Path("r.dat")));
  WriteWholeFile(Path("in.dat"), std::string(24, 'x'));
  Bytes out(8, 0xAA);
  EXPECT_EQ(EngEncryptionReadFromFileAndDecrypt(Path("in.dat").c_str(), out.data(), 8), 0);
  EXPECT_EQ(out, Bytes(8, 0xAA));
}

// NIST SP 800-38A F.1.1 (ECB-AES128): a counter block equal to an example's plaintext gives
// that example's ciphertext as key stream, so a record of zeros decrypts to it.
TEST_F(EngEncryptionTest, KnownAnswerVectorsPinTheLayout) {
  EngEncryptionResetForTests();
  ASSERT_EQ(EngEncryptionInit(kNistKey), 1);
  // Block 1 is AES(C0) itself; checked through all three decryption paths.
  {
    Bytes container = Hex("6bc1bee22e409f96e93d7e117393172a");
    container.resize(32, 0);
    const Bytes expected = Hex("3ad77bb40d7a3660a89ecaf32466ef97");

    Bytes in_place = container;
    in_place.push_back(0x55);
    ASSERT_EQ(EngEncryptionDecrypt(in_place.data(), 16), 1);
    EXPECT_EQ(Bytes(in_place.begin(), in_place.begin() + 16), expected);
    EXPECT_EQ(in_place[16], 0);

    EngUInt32 size = 0;
    unsigned char *data = static_cast<unsigned char *>(EngEncryptionDecryptData(container.data(), 32, &size));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(size, 16u);
    EXPECT_EQ(Bytes(data, data + 16), expected);
    EXPECT_EQ(data[16], 0);
    EngFree(data, 0, "test");

    WriteWholeFile(Path("nist.dat"), AsString(container));
    Bytes out(16);
    ASSERT_EQ(EngEncryptionReadFromFileAndDecrypt(Path("nist.dat").c_str(), out.data(), 16), 1);
    EXPECT_EQ(out, expected);
  }
  // C0 is the second example plaintext less one in byte 0, so key-stream block 2 is that
  // example's ciphertext: byte 0 is the counter's least significant byte.
  {
    Bytes container = Hex("ad2d8a571e03ac9c9eb76fac45af8e51");
    container.resize(16 + 32, 0);
    container.push_back(0);
    ASSERT_EQ(EngEncryptionDecrypt(container.data(), 32), 1);
    EXPECT_EQ(Bytes(container.begin() + 16, container.begin() + 32), Hex("f5d3d58503b9699de785895a96fdbaaf"));
  }
}

TEST_F(EngEncryptionTest, CounterCarriesThroughAllSixteenBytesAndWraps) {
  struct Case {
    const char *what;
    Bytes counter;
    std::vector<Bytes> blocks;  // the counter blocks expected for the three key-stream blocks
  };
  Bytes carry(16, 0x00), carry2(16, 0x00), carry3(16, 0x00);
  carry[0] = 0xFF;
  carry2[1] = 0x01;
  carry3[0] = 0x01;
  carry3[1] = 0x01;
  Bytes one(16, 0x00);
  one[0] = 0x01;
  const Case cases[] = {
      {"byte 0 carries into byte 1", carry, {carry, carry2, carry3}},
      {"all 0xFF wraps to zero", Bytes(16, 0xFF), {Bytes(16, 0xFF), Bytes(16, 0x00), one}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    Bytes container = c.counter;
    container.resize(16 + 48, 0);
    container.push_back(0);
    ASSERT_EQ(EngEncryptionDecrypt(container.data(), 48), 1);
    for (int block = 0; block < 3; block++) {
      EXPECT_EQ(Bytes(container.begin() + 16 * block, container.begin() + 16 * block + 16),
                KeyStream(kGameKey, c.blocks[block], 16))
          << "block " << block;
    }
  }
}

TEST_F(EngEncryptionTest, EncryptMatchesTheIndependentKeyStreamAndRoundTrips) {
  for (size_t n : {1, 15, 16, 17, 33, 660}) {
    SCOPED_TRACE(n);
    const Bytes record = Pattern(n);
    unsigned char *first = static_cast<unsigned char *>(EngEncryptionEncrypt(record.data(), EngUInt32(n)));
    unsigned char *second = static_cast<unsigned char *>(EngEncryptionEncrypt(record.data(), EngUInt32(n)));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    const Bytes counter(first, first + 16);
    EXPECT_EQ(Bytes(first, first + 16 + n), Container(kGameKey, counter, record));
    // Each record has a fresh counter block, so the same record never gives the same file.
    EXPECT_NE(Bytes(first, first + 16), Bytes(second, second + 16));
    // A one-byte record's two ciphertexts match by chance once in 256 tries; longer ones not.
    if (n > 1) {
      EXPECT_NE(Bytes(first + 16, first + 16 + n), Bytes(second + 16, second + 16 + n));
    }

    EngUInt32 size = 0;
    unsigned char *back = static_cast<unsigned char *>(EngEncryptionDecryptData(second, EngUInt32(n + 16), &size));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(size, n);
    EXPECT_EQ(Bytes(back, back + n), record);
    EngFree(back, 0, "test");
    EngFree(first, 0, "test");
    EngFree(second, 0, "test");
  }
}

TEST_F(EngEncryptionTest, BadArgumentsAreRefused) {
  const Bytes record = Pattern(4);
  Bytes buffer(64, 0);
  EngUInt32 size = 7;
  EXPECT_EQ(EngEncryptionEncrypt(nullptr, 4), nullptr);
  EXPECT_EQ(EngEncryptionEncrypt(record.data(), 0), nullptr);
  EXPECT_EQ(EngEncryptionDecrypt(nullptr, 4), 0);
  EXPECT_EQ(EngEncryptionDecrypt(buffer.data(), 0), 0);
  EXPECT_EQ(EngEncryptionDecryptData(nullptr, 20, &size), nullptr);
  EXPECT_EQ(EngEncryptionDecryptData(buffer.data(), 15, &size), nullptr);
  EXPECT_EQ(size, 0u);

  // A container of only its counter block holds an empty record.
  unsigned char *empty = static_cast<unsigned char *>(EngEncryptionDecryptData(buffer.data(), 16, &size));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(empty[0], 0);
  EngFree(empty, 0, "test");

  EXPECT_EQ(EngEncryptionEncryptAndWriteToFile(nullptr, record.data(), 4), 0);
  EXPECT_EQ(EngEncryptionEncryptAndWriteToFile("", record.data(), 4), 0);
  EXPECT_EQ(EngEncryptionEncryptAndWriteToFile(Path("x.dat").c_str(), record.data(), 0), 0);
  EXPECT_FALSE(FileExists(Path("x.dat")));
  EXPECT_EQ(EngEncryptionEncryptAndWriteToOpenFile(nullptr, record.data(), 4), 0);
  EXPECT_EQ(EngEncryptionReadFromFileAndDecrypt(nullptr, buffer.data(), 4), 0);
  EXPECT_EQ(EngEncryptionReadFromFileAndDecrypt("", buffer.data(), 4), 0);
  EXPECT_EQ(EngEncryptionReadFromOpenFileAndDecrypt(nullptr, buffer.data(), 4), 0);
  EXPECT_EQ(EngEncryptionCheckEncryptedFileSizeOk(nullptr, 4), 0);
  EXPECT_EQ(EngEncryptionCheckOpenEncryptedFileSizeOk(nullptr, 4), 0);
}

TEST_F(EngEncryptionTest, SingleRecordFileHasExactlyTheRecordSizePlusSixteen) {
  const std::string path = Path("player.usr");
  const Bytes record = Pattern(660);
  ASSERT_EQ(EngEncryptionEncryptAndWriteToFile(path.c_str(), record.data(), 660), 1);
  EXPECT_EQ(ReadWholeFile(path).size(), 676u);
  EXPECT_FALSE(FileExists(path + ".tmp"));
  EXPECT_EQ(EngEncryptionCheckEncryptedFileSizeOk(path.c_str(), 660), 1);
  EXPECT_EQ(EngEncryptionCheckEncryptedFileSizeOk(path.c_str(), 659), 0);
  EXPECT_EQ(EngEncryptionCheckEncryptedFileSizeOk(Path("none.usr").c_str(), 660), 0);

  Bytes out(660);
  ASSERT_EQ(EngEncryptionReadFromFileAndDecrypt(path.c_str(), out.data(), 660), 1);
  EXPECT_EQ(out, record);

  // One byte too long or too short, or empty: refused before reading, the buffer untouched.
  const std::string whole = ReadWholeFile(path);
  for (const std::string &bad : {whole + "x", whole.substr(0, whole.size() - 1), std::string()}) {
    SCOPED_TRACE(bad.size());
    WriteWholeFile(Path("bad.usr"), bad);
    Bytes untouched(660, 0xAA);
    EXPECT_EQ(EngEncryptionReadFromFileAndDecrypt(Path("bad.usr").c_str(), untouched.data(), 660), 0);
    EXPECT_EQ(untouched, Bytes(660, 0xAA));
    EXPECT_EQ(EngEncryptionCheckEncryptedFileSizeOk(Path("bad.usr").c_str(), 660), 0);
  }
  Bytes untouched(660, 0xAA);
  EXPECT_EQ(EngEncryptionReadFromFileAndDecrypt(Path("none.usr").c_str(), untouched.data(), 660), 0);
  EXPECT_EQ(untouched, Bytes(660, 0xAA));
}

TEST_F(EngEncryptionTest, SeveralRecordsInOneFileReadBackInOrder) {
  const std::string path = Path("scores.dat");
  const std::vector<Bytes> records = {Pattern(1), Pattern(33), Pattern(200)};
  {
    EngFile file;
    ASSERT_EQ(file.OpenForWriting(path.c_str(), 0), 1);
    for (const Bytes &r : records) ASSERT_EQ(EngEncryptionEncryptAndWriteToOpenFile(&file, r.data(), EngUInt32(r.size())), 1);
  }
  EXPECT_EQ(ReadWholeFile(path).size(), 1u + 33 + 200 + 3 * 16);

  EngFile file;
  ASSERT_EQ(file.OpenForReading(path.c_str(), 0, 1), 1);
  EXPECT_EQ(EngEncryptionCheckOpenEncryptedFileSizeOk(&file, 1), 0);
  for (const Bytes &r : records) {
    Bytes out(r.size());
    ASSERT_EQ(EngEncryptionReadFromOpenFileAndDecrypt(&file, out.data(), EngUInt32(out.size())), 1);
    EXPECT_EQ(out, r);
  }
  // Nothing left: a further record is refused without reading past the end.
  Bytes out(8, 0xAA);
  EXPECT_EQ(EngEncryptionReadFromOpenFileAndDecrypt(&file, out.data(), 8), 0);
  EXPECT_EQ(out, Bytes(8, 0xAA));
  file.Close();

  // A truncated file, and a record count far beyond the file (as a damaged header would ask).
  const std::string whole = ReadWholeFile(path);
  WriteWholeFile(Path("cut.dat"), whole.substr(0, whole.size() - 5));
  ASSERT_EQ(file.OpenForReading(Path("cut.dat").c_str(), 0, 1), 1);
  Bytes first(1), second(33);
  EXPECT_EQ(EngEncryptionReadFromOpenFileAndDecrypt(&file, first.data(), 1), 1);
  EXPECT_EQ(EngEncryptionReadFromOpenFileAndDecrypt(&file, second.data(), 33), 1);
  Bytes third(200, 0xAA);
  EXPECT_EQ(EngEncryptionReadFromOpenFileAndDecrypt(&file, third.data(), 200), 0);
  EXPECT_EQ(third, Bytes(200, 0xAA));
  EXPECT_EQ(EngEncryptionReadFromOpenFileAndDecrypt(&file, third.data(), 0xFFFFFF00u), 0);
  EXPECT_EQ(EngEncryptionReadFromOpenFileAndDecrypt(&file, third.data(), 0xFFFFFFFFu), 0);
}

TEST_F(EngEncryptionTest, FailedSaveLeavesTheOldFileWhole) {
  const std::string path = Path("game.sav");
  const Bytes old_record = Pattern(100), new_record = Pattern(300);
  ASSERT_EQ(EngEncryptionEncryptAndWriteToFile(path.c_str(), old_record.data(), 100), 1);
  const std::string old_file = ReadWholeFile(path);

  // A full disk, simulated by a file size limit below the new file's size.
  struct rlimit old_limit;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  void (*old_handler)(int) = signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = old_limit;
  limit.rlim_cur = 200;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  char result = EngEncryptionEncryptAndWriteToFile(path.c_str(), new_record.data(), 300);
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadWholeFile(path), old_file);
  EXPECT_FALSE(FileExists(path + ".tmp"));

  // A read-only folder (only meaningful when not running as root, who may write anyway).
  if (geteuid() != 0) {
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    EXPECT_EQ(EngEncryptionEncryptAndWriteToFile(path.c_str(), new_record.data(), 300), 0);
    ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
    EXPECT_EQ(ReadWholeFile(path), old_file);
  }

  // The temporary file's name is taken by a folder.
  ASSERT_EQ(mkdir((path + ".tmp").c_str(), 0777), 0);
  EXPECT_EQ(EngEncryptionEncryptAndWriteToFile(path.c_str(), new_record.data(), 300), 0);
  EXPECT_EQ(ReadWholeFile(path), old_file);
  ASSERT_EQ(rmdir((path + ".tmp").c_str()), 0);

  Bytes out(100);
  ASSERT_EQ(EngEncryptionReadFromFileAndDecrypt(path.c_str(), out.data(), 100), 1);
  EXPECT_EQ(out, old_record);
  ASSERT_EQ(EngEncryptionEncryptAndWriteToFile(path.c_str(), new_record.data(), 300), 1);
  Bytes back(300);
  ASSERT_EQ(EngEncryptionReadFromFileAndDecrypt(path.c_str(), back.data(), 300), 1);
  EXPECT_EQ(back, new_record);
}

TEST_F(EngEncryptionTest, BadInputIsReportedWithItsOwnMessage) {
  DebugResetForTests();
  ASSERT_EQ(DebugSetLogFilename(Path("log.txt").c_str(), 0), 1);
  WriteWholeFile(Path("short.usr"), std::string(20, 'x'));
  Bytes out(8);
  EXPECT_EQ(EngEncryptionReadFromFileAndDecrypt(Path("short.usr").c_str(), out.data(), 8), 0);
  EXPECT_TRUE(LogHas("Bad size in file <" + Path("short.usr") + ">"));
  EngFile file;
  ASSERT_EQ(file.OpenForReading(Path("short.usr").c_str(), 0, 1), 1);
  EXPECT_EQ(EngEncryptionReadFromOpenFileAndDecrypt(&file, out.data(), 8), 0);
  EXPECT_TRUE(LogHas("runs past the end of the file"));
  EXPECT_EQ(EngEncryptionDecryptData(out.data(), 3, nullptr), nullptr);
  EXPECT_TRUE(LogHas("Invalid data"));
  EngEncryptionResetForTests();
  EXPECT_EQ(EngEncryptionInit("ABCDEFGHIJKLMNOPQ"), 0);
  EXPECT_TRUE(LogHas("Invalid password"));
  EXPECT_EQ(EngEncryptionEncrypt(out.data(), 8), nullptr);
  EXPECT_TRUE(LogHas("Encryption not setup"));
  DebugResetForTests();
}

}  // namespace
