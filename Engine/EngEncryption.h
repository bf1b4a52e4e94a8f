// Encrypted record files: one program-wide key, AES-128 in counter mode over fixed-size
// records, each stored behind its own 16-byte counter block (a record of n bytes takes n + 16).
// Needs libtomcrypt (kept out of this header) and the file module; records belong to callers.
#pragma once

#include "Engine/EngTypes.h"

class EngFile;

enum { ENG_ENCRYPTION_BLOCK_SIZE = 16, ENG_ENCRYPTION_MAX_KEY_LENGTH = 16 };

char EngEncryptionInit(const char *key_string);
// A new block of n + 16 bytes (counter block, then the encrypted record); free with EngFree.
void *EngEncryptionEncrypt(const void *data, EngUInt32 n);
// buffer holds a container of n + 16 bytes and has room for n + 17: the record lands at offset
// 0 followed by a zero byte.
char EngEncryptionDecrypt(void *buffer, EngUInt32 n);
// size counts the counter block; the new block (free with EngFree) holds the record and a zero.
void *EngEncryptionDecryptData(const void *data, EngUInt32 size, EngUInt32 *out_size);
// Saves atomically: the old file stays whole when the save fails.
char EngEncryptionEncryptAndWriteToFile(const char *path, const void *data, EngUInt32 n);
char EngEncryptionEncryptAndWriteToOpenFile(EngFile *file, const void *data, EngUInt32 n);
char EngEncryptionReadFromFileAndDecrypt(const char *path, void *out, EngUInt32 n);
char EngEncryptionReadFromOpenFileAndDecrypt(EngFile *file, void *out, EngUInt32 n);
char EngEncryptionCheckEncryptedFileSizeOk(const char *path, EngUInt32 n);
char EngEncryptionCheckOpenEncryptedFileSizeOk(EngFile *file, EngUInt32 n);

// Forgets the key, so tests start from "not set up".
void EngEncryptionResetForTests();
