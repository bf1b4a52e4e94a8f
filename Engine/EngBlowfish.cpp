#include "Engine/EngBlowfish.h"

#include <cstring>

#include "Engine/EngDebug.h"

// In EngBlowfishTables.cpp.
extern const EngUInt32 eng_blowfish_init_p[18];
extern const EngUInt32 eng_blowfish_init_s[4][256];

namespace {

const int kRounds = 16;

inline EngUInt32 BlowFishF(const BlowFishCtx *ctx, EngUInt32 x) {
  EngUInt32 a = (x >> 24) & 0xff, b = (x >> 16) & 0xff, c = (x >> 8) & 0xff, d = x & 0xff;
  return ((ctx->S[0][a] + ctx->S[1][b]) ^ ctx->S[2][c]) + ctx->S[3][d];
}

EngUInt32 ReadBigEndian(const unsigned char *bytes) {
  return (EngUInt32(bytes[0]) << 24) | (EngUInt32(bytes[1]) << 16) | (EngUInt32(bytes[2]) << 8) | bytes[3];
}

void WriteBigEndian(unsigned char *bytes, EngUInt32 value) {
  bytes[0] = EngUInt8(value >> 24);
  bytes[1] = EngUInt8(value >> 16);
  bytes[2] = EngUInt8(value >> 8);
  bytes[3] = EngUInt8(value);
}

char BlowfishBuffer(const char *signature, const char *key, void *data, EngUInt32 n, bool encrypt) {
  if (!data || n < 8) {
    DebugErrorAlt(signature, "Invalid data (must be at least 8 bytes long).");
    return 0;
  }
  size_t key_length = key ? strlen(key) : 0;
  if (key_length < 8) {
    DebugErrorAlt(signature, "Invalid key.");
    return 0;
  }

  BlowFishCtx ctx;
  // The schedule reads at most 72 key bytes; a longer key is cut there.
  BlowFishInit(&ctx, reinterpret_cast<unsigned char *>(const_cast<char *>(key)),
               key_length > 72 ? 72 : int(key_length));

  unsigned char *bytes = static_cast<unsigned char *>(data);
  for (EngUInt32 offset = 0; n - offset >= 8; offset += 8) {
    unsigned int left = ReadBigEndian(bytes + offset);
    unsigned int right = ReadBigEndian(bytes + offset + 4);
    if (encrypt) {
      BlowFishEncrypt(&ctx, &left, &right);
    } else {
      BlowFishDecrypt(&ctx, &left, &right);
    }
    WriteBigEndian(bytes + offset, left);
    WriteBigEndian(bytes + offset + 4, right);
  }
  return 1;
}

}  // namespace

void BlowFishInit(BlowFishCtx *ctx, unsigned char *key, int length) {
  memcpy(ctx->P, eng_blowfish_init_p, sizeof(ctx->P));
  memcpy(ctx->S, eng_blowfish_init_s, sizeof(ctx->S));

  if (key && length > 0) {
    int j = 0;
    for (int i = 0; i < kRounds + 2; ++i) {
      EngUInt32 data = 0;
      for (int k = 0; k < 4; ++k) {
        data = (data << 8) | key[j];
        if (++j >= length) j = 0;
      }
      ctx->P[i] ^= data;
    }
  }

  unsigned int left = 0, right = 0;
  for (int i = 0; i < kRounds + 2; i += 2) {
    BlowFishEncrypt(ctx, &left, &right);
    ctx->P[i] = left;
    ctx->P[i + 1] = right;
  }
  for (int box = 0; box < 4; ++box) {
    for (int i = 0; i < 256; i += 2) {
      BlowFishEncrypt(ctx, &left, &right);
      ctx->S[box][i] = left;
      ctx->S[box][i + 1] = right;
    }
  }
}

void BlowFishEncrypt(BlowFishCtx *ctx, unsigned int *left, unsigned int *right) {
  EngUInt32 xl = *left, xr = *right;
  for (int i = 0; i < kRounds; ++i) {
    xl ^= ctx->P[i];
    xr ^= BlowFishF(ctx, xl);
    EngUInt32 swap = xl;
    xl = xr;
    xr = swap;
  }
  EngUInt32 swap = xl;
  xl = xr;
  xr = swap;
  xr ^= ctx->P[kRounds];
  xl ^= ctx->P[kRounds + 1];
  *left = xl;
  *right = xr;
}

void BlowFishDecrypt(BlowFishCtx *ctx, unsigned int *left, unsigned int *right) {
  EngUInt32 xl = *left, xr = *right;
  for (int i = kRounds + 1; i > 1; --i) {
    xl ^= ctx->P[i];
    xr ^= BlowFishF(ctx, xl);
    EngUInt32 swap = xl;
    xl = xr;
    xr = swap;
  }
  EngUInt32 swap = xl;
  xl = xr;
  xr = swap;
  xr ^= ctx->P[1];
  xl ^= ctx->P[0];
  *left = xl;
  *right = xr;
}

char EngEncryptionEncryptDataUsingBlowfishEncryption(const char *key, void *data, EngUInt32 n) {
  return BlowfishBuffer(ENG_FUNC, key, data, n, true);
}

char EngEncryptionDecryptDataUsingBlowfishEncryption(const char *key, void *data, EngUInt32 n) {
  return BlowfishBuffer(ENG_FUNC, key, data, n, false);
}

char EngEncryptionEncryptDataUsingBlowfishEncryptionNew(const char *key, void *data, EngUInt32 n) {
  return BlowfishBuffer(ENG_FUNC, key, data, n, true);
}

char EngEncryptionDecryptDataUsingBlowfishEncryptionNew(const char *key, void *data, EngUInt32 n) {
  return BlowfishBuffer(ENG_FUNC, key, data, n, false);
}
