// The Blowfish block cipher (64-bit blocks, 16 rounds) and in-place encryption of a buffer
// under a key string, block by block (ECB); a tail shorter than a block stays as it is.
#pragma once

#include "Engine/EngTypes.h"

struct BlowFishCtx {
  EngUInt32 P[18];
  EngUInt32 S[4][256];
};

void BlowFishInit(BlowFishCtx *ctx, unsigned char *key, int length);
void BlowFishEncrypt(BlowFishCtx *ctx, unsigned int *left, unsigned int *right);
void BlowFishDecrypt(BlowFishCtx *ctx, unsigned int *left, unsigned int *right);

// The key must have at least 8 characters and the data at least 8 bytes; refused data is
// left untouched. 1 on success.
char EngEncryptionEncryptDataUsingBlowfishEncryption(const char *key, void *data, EngUInt32 n);
char EngEncryptionDecryptDataUsingBlowfishEncryption(const char *key, void *data, EngUInt32 n);
char EngEncryptionEncryptDataUsingBlowfishEncryptionNew(const char *key, void *data, EngUInt32 n);
char EngEncryptionDecryptDataUsingBlowfishEncryptionNew(const char *key, void *data, EngUInt32 n);
