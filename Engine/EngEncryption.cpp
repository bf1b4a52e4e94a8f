#include "Engine/EngEncryption.h"

#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <tomcrypt.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"

namespace {

unsigned char eng_encryption_key[ENG_ENCRYPTION_MAX_KEY_LENGTH];
char eng_encryption_setup = 0;

// The largest record whose container, plus the terminating zero, still has a 32-bit size.
const EngUInt32 kMaxRecordSize = 0xFFFFFFFFu - ENG_ENCRYPTION_BLOCK_SIZE - 1;

bool IsEmpty(const char *text) { return !text || !*text; }

bool ReadUrandom(unsigned char *block) {
  int descriptor = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return false;
  size_t done = 0;
  while (done < ENG_ENCRYPTION_BLOCK_SIZE) {
    ssize_t got = read(descriptor, block + done, ENG_ENCRYPTION_BLOCK_SIZE - done);
    if (got <= 0) break;
    done += size_t(got);
  }
  close(descriptor);
  return done == ENG_ENCRYPTION_BLOCK_SIZE;
}

void MakeCounterBlock(unsigned char *block) {
  if (ReadUrandom(block)) return;
  // Without the system's generator the standard one still gives a fresh block per record.
  for (int i = 0; i < ENG_ENCRYPTION_BLOCK_SIZE; i++) block[i] = (unsigned char)(rand() & 0xFF);
}

// XORs n bytes of input with the key stream that starts at the counter block, into output
// (a different buffer). Reports libtomcrypt's failures under the caller's signature.
char RunCounterMode(const char *signature, const unsigned char *counter_block, const unsigned char *input,
                    unsigned char *output, EngUInt32 n, bool decrypt) {
  symmetric_CTR ctr;
  int cipher = find_cipher("aes");
  int err = ctr_start(cipher, counter_block, eng_encryption_key, ENG_ENCRYPTION_MAX_KEY_LENGTH, 0,
                      CTR_COUNTER_LITTLE_ENDIAN, &ctr);
  if (err != CRYPT_OK) {
    DebugErrorAlt(signature, "ctr_start error: %s", error_to_string(err));
    return 0;
  }
  if (decrypt) {
    err = ctr_setiv(counter_block, ENG_ENCRYPTION_BLOCK_SIZE, &ctr);
    if (err != CRYPT_OK) {
      DebugErrorAlt(signature, "ctr_setiv error: %s", error_to_string(err));
      ctr_done(&ctr);
      return 0;
    }
    err = ctr_decrypt(input, output, n, &ctr);
    if (err != CRYPT_OK) {
      DebugErrorAlt(signature, "ctr_decrypt error: %s", error_to_string(err));
      ctr_done(&ctr);
      return 0;
    }
  } else {
    err = ctr_encrypt(input, output, n, &ctr);
    if (err != CRYPT_OK) {
      DebugErrorAlt(signature, "ctr_encrypt error: %s", error_to_string(err));
      ctr_done(&ctr);
      return 0;
    }
  }
  err = ctr_done(&ctr);
  if (err != CRYPT_OK) {
    DebugErrorAlt(signature, "ctr_done error: %s", error_to_string(err));
    return 0;
  }
  return 1;
}

// Decrypts the container's n record bytes into a work block of n + 1 bytes (the record and a
// zero), never into the container itself. Null after a report.
unsigned char *DecryptToNewBlock(const char *signature, const unsigned char *container, EngUInt32 n) {
  unsigned char *record =
      static_cast<unsigned char *>(EngMalloc(size_t(n) + 1, "EngEncryptionDecryptToNewBlock", 0));
  if (!record) {
    DebugStandardError(signature, DEBUG_ERR_OMEM);
    return nullptr;
  }
  if (n > 0 && !RunCounterMode(signature, container, container + ENG_ENCRYPTION_BLOCK_SIZE, record, n, true)) {
    EngFree(record, 0, "EngEncryptionDecryptToNewBlock");
    return nullptr;
  }
  record[n] = 0;
  return record;
}

bool CheckSetup(const char *signature) {
  if (eng_encryption_setup) return true;
  DebugErrorAlt(signature, "Encryption not setup");
  return false;
}

// Reads one container of n + 16 bytes at the file's position and decrypts it into out.
char ReadAndDecrypt(const char *signature, EngFile *file, void *out, EngUInt32 n) {
  const size_t container_size = size_t(n) + ENG_ENCRYPTION_BLOCK_SIZE;
  unsigned char *container =
      static_cast<unsigned char *>(EngMalloc(container_size + 1, "EngEncryptionReadAndDecrypt", 0));
  if (!container) {
    DebugStandardError(signature, DEBUG_ERR_OMEM);
    return 0;
  }
  char ok = 0;
  if (file->Read(container, EngUInt32(container_size), 1)) {
    unsigned char *record = DecryptToNewBlock(signature, container, n);
    if (record) {
      memcpy(out, record, n);
      EngFree(record, 0, "EngEncryptionReadAndDecrypt");
      ok = 1;
    }
  }
  EngFree(container, 0, "EngEncryptionReadAndDecrypt");
  return ok;
}

}  // namespace

char EngEncryptionInit(const char *key_string) {
  if (IsEmpty(key_string) || strlen(key_string) > ENG_ENCRYPTION_MAX_KEY_LENGTH) {
    DebugErrorAlt(ENG_FUNC, "Invalid password");
    return 0;
  }
  if (register_cipher(&aes_desc) == -1) {
    DebugErrorAlt(ENG_FUNC, "Error registering cipher.");
    return 0;
  }
  memset(eng_encryption_key, 0, sizeof eng_encryption_key);
  memcpy(eng_encryption_key, key_string, strlen(key_string));
  eng_encryption_setup = 1;
  return 1;
}

void *EngEncryptionEncrypt(const void *data, EngUInt32 n) {
  if (!CheckSetup(ENG_FUNC)) return nullptr;
  if (!data || n == 0 || n > kMaxRecordSize) {
    DebugErrorAlt(ENG_FUNC, "Invalid data");
    return nullptr;
  }
  unsigned char *container =
      static_cast<unsigned char *>(EngMalloc(size_t(n) + ENG_ENCRYPTION_BLOCK_SIZE, "EngEncryptionEncrypt", 0));
  if (!container) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return nullptr;
  }
  MakeCounterBlock(container);
  if (!RunCounterMode(ENG_FUNC, container, static_cast<const unsigned char *>(data),
                      container + ENG_ENCRYPTION_BLOCK_SIZE, n, false)) {
    EngFree(container, 0, "EngEncryptionEncrypt");
    return nullptr;
  }
  return container;
}

char EngEncryptionDecrypt(void *buffer, EngUInt32 n) {
  if (!CheckSetup(ENG_FUNC)) return 0;
  if (!buffer || n == 0 || n > kMaxRecordSize) {
    DebugErrorAlt(ENG_FUNC, "Invalid data");
    return 0;
  }
  unsigned char *record = DecryptToNewBlock(ENG_FUNC, static_cast<unsigned char *>(buffer), n);
  if (!record) return 0;
  memcpy(buffer, record, size_t(n) + 1);
  EngFree(record, 0, "EngEncryptionDecrypt");
  return 1;
}

void *EngEncryptionDecryptData(const void *data, EngUInt32 size, EngUInt32 *out_size) {
  if (out_size) *out_size = 0;
  if (!CheckSetup(ENG_FUNC)) return nullptr;
  if (!data || size < ENG_ENCRYPTION_BLOCK_SIZE) {
    DebugErrorAlt(ENG_FUNC, "Invalid data");
    return nullptr;
  }
  const EngUInt32 n = size - ENG_ENCRYPTION_BLOCK_SIZE;
  unsigned char *record = DecryptToNewBlock(ENG_FUNC, static_cast<const unsigned char *>(data), n);
  if (!record) return nullptr;
  if (out_size) *out_size = n;
  return record;
}

char EngEncryptionEncryptAndWriteToFile(const char *path, const void *data, EngUInt32 n) {
  if (IsEmpty(path)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  void *container = EngEncryptionEncrypt(data, n);
  if (!container) return 0;
  char ok = EngFileWriteMemoryContentsToFile(path, 0, container, euint(n) + ENG_ENCRYPTION_BLOCK_SIZE);
  EngFree(container, 0, "EngEncryptionEncryptAndWriteToFile");
  return ok;
}

char EngEncryptionEncryptAndWriteToOpenFile(EngFile *file, const void *data, EngUInt32 n) {
  if (!file || !file->is_open) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  void *container = EngEncryptionEncrypt(data, n);
  if (!container) return 0;
  char ok = file->Write(container, n + ENG_ENCRYPTION_BLOCK_SIZE);
  EngFree(container, 0, "EngEncryptionEncryptAndWriteToOpenFile");
  return ok;
}

char EngEncryptionReadFromFileAndDecrypt(const char *path, void *out, EngUInt32 n) {
  if (IsEmpty(path) || !out || n == 0) return 0;
  if (!CheckSetup(ENG_FUNC)) return 0;
  if (n > kMaxRecordSize) {
    DebugErrorAlt(ENG_FUNC, "Invalid data");
    return 0;
  }
  if (EngUInt64(EngFileGetFileSize(path)) != EngUInt64(n) + ENG_ENCRYPTION_BLOCK_SIZE) {
    DebugError("EERFD", "Bad size in file <%s>", path);
    return 0;
  }
  EngFile file;
  if (!file.OpenForReading(path, 0, 1)) return 0;
  // The file may have changed since it was measured: check again on the open file.
  if (EngUInt64(file.GetSize()) != EngUInt64(n) + ENG_ENCRYPTION_BLOCK_SIZE) {
    DebugError("EERFD", "Bad size in file <%s>", path);
    return 0;
  }
  return ReadAndDecrypt(ENG_FUNC, &file, out, n);
}

char EngEncryptionReadFromOpenFileAndDecrypt(EngFile *file, void *out, EngUInt32 n) {
  if (!file || !file->is_open || !out) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (!CheckSetup(ENG_FUNC)) return 0;
  if (n == 0 || n > kMaxRecordSize) {
    DebugErrorAlt(ENG_FUNC, "Invalid data");
    return 0;
  }
  // A damaged file must not make us allocate or read past its end.
  const EngUInt64 size = file->GetSize(), position = file->GetPosition();
  if (position > size || size - position < EngUInt64(n) + ENG_ENCRYPTION_BLOCK_SIZE) {
    DebugErrorAlt(ENG_FUNC, "Record of %u bytes runs past the end of the file", n);
    return 0;
  }
  return ReadAndDecrypt(ENG_FUNC, file, out, n);
}

char EngEncryptionCheckEncryptedFileSizeOk(const char *path, EngUInt32 n) {
  if (IsEmpty(path)) return 0;
  EngFile file;
  if (!file.OpenForReading(path, 0, 0)) return 0;
  return EngUInt64(file.GetSize()) == EngUInt64(n) + ENG_ENCRYPTION_BLOCK_SIZE ? 1 : 0;
}

char EngEncryptionCheckOpenEncryptedFileSizeOk(EngFile *file, EngUInt32 n) {
  if (!file || !file->is_open) return 0;
  return EngUInt64(file->GetSize()) == EngUInt64(n) + ENG_ENCRYPTION_BLOCK_SIZE ? 1 : 0;
}

void EngEncryptionResetForTests() {
  memset(eng_encryption_key, 0, sizeof eng_encryption_key);
  eng_encryption_setup = 0;
}
