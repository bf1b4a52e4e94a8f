// Password-based encryption (PBKDF2-HMAC-SHA1 keys, AES counter mode, an HMAC-SHA1 code and a
// 2-byte verifier) with its SHA-1, HMAC, AES and entropy-pool building blocks. SHA-1 and AES come
// from libtomcrypt; how salt, verifier, data and code sit in a file is the caller's choice.
#pragma once

#include "Engine/EngTypes.h"

enum {
  SHA1_BLOCK_SIZE = 64,
  SHA1_DIGEST_SIZE = 20,
  AES_BLOCK_SIZE = 16,
  FCRYPT_MAX_PASSWORD_LENGTH = 128,
  FCRYPT_MAX_KEY_LENGTH = 32,
  FCRYPT_MAX_SALT_LENGTH = 16,
  FCRYPT_VERIFIER_LENGTH = 2,
  FCRYPT_MAC_LENGTH = 10,
  FCRYPT_KEY_ITERATIONS = 1000,
  PRNG_POOL_SIZE = 260,
};

// fcrypt_init's results besides 0.
enum {
  FCRYPT_PASSWORD_TOO_LONG = -100,
  FCRYPT_BAD_MODE = -101,
  FCRYPT_BAD_PARAMETER = -102,
};

// Modes 1, 2 and 3 are AES-128, AES-192 and AES-256; 0 for any other mode.
constexpr int FcryptKeyLength(int mode) { return mode >= 1 && mode <= 3 ? 8 + 8 * mode : 0; }
constexpr int FcryptSaltLength(int mode) { return mode >= 1 && mode <= 3 ? 4 + 4 * mode : 0; }

// SHA-1 (FIPS 180): the chaining value, the count of bytes hashed and the partial block.
struct sha1_ctx {
  EngUInt32 hash[5];
  EngUInt64 count;
  unsigned char wbuf[SHA1_BLOCK_SIZE];
};

void sha1_begin(sha1_ctx *ctx);
void sha1_hash(const unsigned char *data, unsigned long length, sha1_ctx *ctx);
void sha1_end(unsigned char *digest, sha1_ctx *ctx);
void sha1(unsigned char *digest, const unsigned char *data, unsigned long length);
// The compression function alone: wbuf, as one whole block, into hash (count is left alone).
void sha1_compile(sha1_ctx *ctx);

// HMAC-SHA1 (RFC 2104). The key may come in several pieces, all before the first data.
struct hmac_ctx {
  unsigned char key[SHA1_BLOCK_SIZE];
  sha1_ctx ctx[1];
  EngUInt32 klen;  // all ones once the key is fixed and the inner hash has begun
};

void hmac_sha1_begin(hmac_ctx *ctx);
// 0 (reported) when data has already been given.
char hmac_sha1_key(const unsigned char *key, unsigned long key_length, hmac_ctx *ctx);
void hmac_sha1_data(const unsigned char *data, unsigned long data_length, hmac_ctx *ctx);
// Writes the first mac_length bytes (at most 20) of the code.
void hmac_sha1_end(unsigned char *mac, unsigned long mac_length, hmac_ctx *ctx);
void hmac_sha1(const unsigned char *key, unsigned long key_length, const unsigned char *data,
               unsigned long data_length, unsigned char *mac, unsigned long mac_length);

// PBKDF2 with HMAC-SHA1 (RFC 2898); key_length need not be a multiple of 20.
void derive_key(const unsigned char *password, unsigned int password_length, const unsigned char *salt,
                unsigned int salt_length, unsigned int iterations, unsigned char *key, unsigned int key_length);

// AES (FIPS-197) encryption. The schedule is libtomcrypt's, kept opaque here.
struct aes_encrypt_ctx {
  alignas(16) unsigned char schedule[4352];
  EngInt32 usable;
};

// The length in bytes (16, 24, 32) or bits (128, 192, 256); 1 when usable, else 0.
int aes_set_encrypt_key(const unsigned char *key, unsigned int length, aes_encrypt_ctx *ctx);
// 0 when the schedule is not usable.
int aes_encrypt_block(const unsigned char *in, unsigned char *out, const aes_encrypt_ctx *ctx);

// The encryption context: counter block, key-stream block and its position, keys and mode.
struct fcrypt_ctx {
  unsigned char nonce[AES_BLOCK_SIZE];
  unsigned char encr_bfr[AES_BLOCK_SIZE];
  aes_encrypt_ctx encr_ctx;
  hmac_ctx auth_ctx;
  unsigned int encr_pos;
  unsigned int pwd_len;
  unsigned int mode;
};

// The salt holds FcryptSaltLength(mode) bytes. Returns 0 and the verifier (its two bytes in
// memory order), or FCRYPT_PASSWORD_TOO_LONG, FCRYPT_BAD_MODE or FCRYPT_BAD_PARAMETER.
int fcrypt_init(int mode, const unsigned char *password, unsigned int password_length, const unsigned char *salt,
                EngUInt16 *verifier, fcrypt_ctx *ctx);
// In place; data may come in pieces of any size. The code covers the encrypted bytes.
void fcrypt_encrypt(unsigned char *data, unsigned int length, fcrypt_ctx *ctx);
void fcrypt_decrypt(unsigned char *data, unsigned int length, fcrypt_ctx *ctx);
// Writes the FCRYPT_MAC_LENGTH-byte code and returns its length.
int fcrypt_end(unsigned char *mac, fcrypt_ctx *ctx);

// The entropy pool. The entropy function writes up to length bytes and returns how many.
typedef int (*prng_entropy_fn)(unsigned char *buffer, unsigned int length);

struct prng_ctx {
  unsigned char rbuf[PRNG_POOL_SIZE];
  unsigned char obuf[PRNG_POOL_SIZE];
  unsigned int pos;
  prng_entropy_fn entropy;
};

void prng_init(prng_entropy_fn entropy, prng_ctx *ctx);
void prng_rand(unsigned char *data, unsigned int length, prng_ctx *ctx);
void prng_end(prng_ctx *ctx);
