#include "Engine/EngFcrypt.h"

#include <cstring>

#include <tomcrypt.h>

#include "Engine/EngDebug.h"

static_assert(sizeof(symmetric_key) <= sizeof(aes_encrypt_ctx::schedule), "AES schedule does not fit");
static_assert(alignof(symmetric_key) <= 16, "AES schedule is not aligned enough");

namespace {

const EngUInt32 kHmacInData = 0xFFFFFFFFu;
const unsigned int kEntropyAttempts = 16;

// libtomcrypt's state is filled from the context for each call and read back afterwards, so the
// context stays a plain record.
void LoadState(const sha1_ctx *ctx, hash_state *md) {
  memset(md, 0, sizeof *md);
  for (int i = 0; i < 5; i++) md->sha1.state[i] = ctx->hash[i];
  // libtomcrypt counts the bits of whole blocks only; the rest waits in its buffer.
  md->sha1.curlen = ulong32(ctx->count % SHA1_BLOCK_SIZE);
  md->sha1.length = (ctx->count - md->sha1.curlen) * 8;
  memcpy(md->sha1.buf, ctx->wbuf, SHA1_BLOCK_SIZE);
}

void StoreState(const hash_state *md, sha1_ctx *ctx) {
  for (int i = 0; i < 5; i++) ctx->hash[i] = EngUInt32(md->sha1.state[i]);
  ctx->count = md->sha1.length / 8 + md->sha1.curlen;
  memcpy(ctx->wbuf, md->sha1.buf, SHA1_BLOCK_SIZE);
}

symmetric_key *Schedule(aes_encrypt_ctx *ctx) { return reinterpret_cast<symmetric_key *>(ctx->schedule); }
const symmetric_key *Schedule(const aes_encrypt_ctx *ctx) {
  return reinterpret_cast<const symmetric_key *>(ctx->schedule);
}

void LoadBigEndian(const unsigned char *bytes, EngUInt32 *words, int count) {
  for (int i = 0; i < count; i++) {
    words[i] = EngUInt32(bytes[4 * i]) << 24 | EngUInt32(bytes[4 * i + 1]) << 16 | EngUInt32(bytes[4 * i + 2]) << 8 |
               EngUInt32(bytes[4 * i + 3]);
  }
}

void StoreBigEndian(const EngUInt32 *words, unsigned char *bytes, int count) {
  for (int i = 0; i < count; i++) {
    bytes[4 * i] = (unsigned char)(words[i] >> 24);
    bytes[4 * i + 1] = (unsigned char)(words[i] >> 16);
    bytes[4 * i + 2] = (unsigned char)(words[i] >> 8);
    bytes[4 * i + 3] = (unsigned char)words[i];
  }
}

// Fixes the key and starts the inner hash.
void HmacStartData(hmac_ctx *ctx) {
  if (ctx->klen == kHmacInData) return;
  if (ctx->klen > SHA1_BLOCK_SIZE) {
    // A key longer than a block stands for its hash.
    sha1_end(ctx->key, ctx->ctx);
    ctx->klen = SHA1_DIGEST_SIZE;
  }
  memset(ctx->key + ctx->klen, 0, SHA1_BLOCK_SIZE - ctx->klen);
  for (int i = 0; i < SHA1_BLOCK_SIZE; i++) ctx->key[i] ^= 0x36;
  sha1_begin(ctx->ctx);
  sha1_hash(ctx->key, SHA1_BLOCK_SIZE, ctx->ctx);
  ctx->klen = kHmacInData;
}

// The counter block's low 8 bytes count up as one little-endian number; the high 8 stay zero.
void CounterMode(unsigned char *data, unsigned int length, fcrypt_ctx *ctx) {
  for (unsigned int i = 0; i < length; i++) {
    if (ctx->encr_pos == AES_BLOCK_SIZE) {
      for (int j = 0; j < 8; j++) {
        ctx->nonce[j] = static_cast<unsigned char>(ctx->nonce[j] + 1);  // a carry wraps the byte
        if (ctx->nonce[j] != 0) break;
      }
      aes_encrypt_block(ctx->nonce, ctx->encr_bfr, &ctx->encr_ctx);
      ctx->encr_pos = 0;
    }
    data[i] ^= ctx->encr_bfr[ctx->encr_pos++];
  }
}

bool CheckData(const char *signature, const void *data, unsigned long length, const void *ctx) {
  if (!ctx || (!data && length)) {
    DebugStandardError(signature, DEBUG_ERR_BAPA);
    return false;
  }
  return true;
}

// The pool as 13 slots of 20 bytes: each slot is compressed, chained from the slot before it
// (the last for the first), with the 64 bytes from it onwards (wrapping) as the block.
void PrngMix(unsigned char *pool) {
  sha1_ctx ctx;
  memset(&ctx, 0, sizeof ctx);
  for (unsigned int slot = 0; slot < PRNG_POOL_SIZE; slot += SHA1_DIGEST_SIZE) {
    const unsigned int previous = (slot ? slot : unsigned(PRNG_POOL_SIZE)) - SHA1_DIGEST_SIZE;
    LoadBigEndian(pool + previous, ctx.hash, 5);
    for (unsigned int i = 0; i < SHA1_BLOCK_SIZE; i++) ctx.wbuf[i] = pool[(slot + i) % PRNG_POOL_SIZE];
    sha1_compile(&ctx);
    StoreBigEndian(ctx.hash, pool + slot, 5);
  }
  zeromem(&ctx, sizeof ctx);
}

void PrngRefill(const char *signature, prng_ctx *ctx) {
  memcpy(ctx->obuf, ctx->rbuf, PRNG_POOL_SIZE);
  memset(ctx->rbuf, 0, PRNG_POOL_SIZE);
  unsigned int filled = 0, failures = 0;
  while (filled < PRNG_POOL_SIZE && ctx->entropy) {
    const unsigned int wanted = PRNG_POOL_SIZE - filled;
    const int got = ctx->entropy(ctx->rbuf + filled, wanted);
    if (got <= 0) {
      // A source that has run dry must not hang the caller.
      if (++failures == kEntropyAttempts) {
        DebugErrorAlt(signature, "Entropy source gave no data.");
        break;
      }
      continue;
    }
    failures = 0;
    filled += unsigned(got) < wanted ? unsigned(got) : wanted;
  }
  for (int i = 0; i < PRNG_POOL_SIZE; i++) ctx->rbuf[i] ^= (unsigned char)~ctx->obuf[i];
  PrngMix(ctx->rbuf);
  PrngMix(ctx->obuf);
  ctx->pos = 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// SHA-1

void sha1_begin(sha1_ctx *ctx) {
  if (!ctx) return;
  hash_state md;
  sha1_init(&md);
  memset(ctx, 0, sizeof *ctx);
  StoreState(&md, ctx);
}

void sha1_hash(const unsigned char *data, unsigned long length, sha1_ctx *ctx) {
  if (!CheckData(ENG_FUNC, data, length, ctx) || !length) return;
  hash_state md;
  LoadState(ctx, &md);
  const int err = sha1_process(&md, data, length);
  if (err != CRYPT_OK) {
    DebugErrorAlt(ENG_FUNC, "sha1_process error: %s", error_to_string(err));
    return;
  }
  StoreState(&md, ctx);
}

void sha1_end(unsigned char *digest, sha1_ctx *ctx) {
  if (!digest || !ctx) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  hash_state md;
  LoadState(ctx, &md);
  sha1_done(&md, digest);
  zeromem(&md, sizeof md);
}

void sha1(unsigned char *digest, const unsigned char *data, unsigned long length) {
  sha1_ctx ctx;
  sha1_begin(&ctx);
  sha1_hash(data, length, &ctx);
  sha1_end(digest, &ctx);
}

void sha1_compile(sha1_ctx *ctx) {
  if (!ctx) return;
  // With an empty buffer, one whole block goes straight to the compression function.
  sha1_ctx block_ctx = *ctx;
  block_ctx.count = 0;
  hash_state md;
  LoadState(&block_ctx, &md);
  unsigned char block[SHA1_BLOCK_SIZE];
  memcpy(block, ctx->wbuf, SHA1_BLOCK_SIZE);
  sha1_process(&md, block, SHA1_BLOCK_SIZE);
  for (int i = 0; i < 5; i++) ctx->hash[i] = EngUInt32(md.sha1.state[i]);
}

// ---------------------------------------------------------------------------------------------
// HMAC-SHA1

void hmac_sha1_begin(hmac_ctx *ctx) {
  if (ctx) memset(ctx, 0, sizeof *ctx);
}

char hmac_sha1_key(const unsigned char *key, unsigned long key_length, hmac_ctx *ctx) {
  if (!CheckData(ENG_FUNC, key, key_length, ctx)) return 0;
  if (ctx->klen == kHmacInData) {
    DebugErrorAlt(ENG_FUNC, "The key cannot change once data has been given.");
    return 0;
  }
  if (!key_length) return 1;
  const EngUInt64 total = EngUInt64(ctx->klen) + key_length;
  if (total <= SHA1_BLOCK_SIZE) {
    memcpy(ctx->key + ctx->klen, key, key_length);
  } else {
    if (ctx->klen <= SHA1_BLOCK_SIZE) {
      sha1_begin(ctx->ctx);
      sha1_hash(ctx->key, ctx->klen, ctx->ctx);
    }
    sha1_hash(key, key_length, ctx->ctx);
  }
  // Any length past a block only means "hashed".
  ctx->klen = total < kHmacInData ? EngUInt32(total) : kHmacInData - 1;
  return 1;
}

void hmac_sha1_data(const unsigned char *data, unsigned long data_length, hmac_ctx *ctx) {
  if (!CheckData(ENG_FUNC, data, data_length, ctx)) return;
  HmacStartData(ctx);
  sha1_hash(data, data_length, ctx->ctx);
}

void hmac_sha1_end(unsigned char *mac, unsigned long mac_length, hmac_ctx *ctx) {
  if (!ctx || (!mac && mac_length)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  HmacStartData(ctx);
  unsigned char digest[SHA1_DIGEST_SIZE];
  sha1_end(digest, ctx->ctx);
  // The key block holds key XOR 0x36; this turns it into key XOR 0x5C.
  for (int i = 0; i < SHA1_BLOCK_SIZE; i++) ctx->key[i] ^= 0x36 ^ 0x5C;
  sha1_begin(ctx->ctx);
  sha1_hash(ctx->key, SHA1_BLOCK_SIZE, ctx->ctx);
  sha1_hash(digest, SHA1_DIGEST_SIZE, ctx->ctx);
  sha1_end(digest, ctx->ctx);
  memcpy(mac, digest, mac_length < SHA1_DIGEST_SIZE ? mac_length : (unsigned long)SHA1_DIGEST_SIZE);
  zeromem(digest, sizeof digest);
}

void hmac_sha1(const unsigned char *key, unsigned long key_length, const unsigned char *data,
               unsigned long data_length, unsigned char *mac, unsigned long mac_length) {
  hmac_ctx ctx;
  hmac_sha1_begin(&ctx);
  hmac_sha1_key(key, key_length, &ctx);
  hmac_sha1_data(data, data_length, &ctx);
  hmac_sha1_end(mac, mac_length, &ctx);
  zeromem(&ctx, sizeof ctx);
}

// ---------------------------------------------------------------------------------------------
// PBKDF2

void derive_key(const unsigned char *password, unsigned int password_length, const unsigned char *salt,
                unsigned int salt_length, unsigned int iterations, unsigned char *key, unsigned int key_length) {
  if ((!password && password_length) || (!salt && salt_length) || (!key && key_length)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  // The keyed context is made once and copied for every HMAC.
  hmac_ctx keyed;
  hmac_sha1_begin(&keyed);
  hmac_sha1_key(password, password_length, &keyed);
  HmacStartData(&keyed);

  hmac_ctx ctx;
  unsigned char u[SHA1_DIGEST_SIZE], block[SHA1_DIGEST_SIZE];
  for (EngUInt32 index = 1, done = 0; done < key_length; index++) {
    const unsigned char counter[4] = {(unsigned char)(index >> 24), (unsigned char)(index >> 16),
                                      (unsigned char)(index >> 8), (unsigned char)index};
    ctx = keyed;
    hmac_sha1_data(salt, salt_length, &ctx);
    hmac_sha1_data(counter, 4, &ctx);
    hmac_sha1_end(u, SHA1_DIGEST_SIZE, &ctx);
    memcpy(block, u, SHA1_DIGEST_SIZE);
    for (unsigned int j = 1; j < iterations; j++) {
      ctx = keyed;
      hmac_sha1_data(u, SHA1_DIGEST_SIZE, &ctx);
      hmac_sha1_end(u, SHA1_DIGEST_SIZE, &ctx);
      for (int k = 0; k < SHA1_DIGEST_SIZE; k++) block[k] ^= u[k];
    }
    const unsigned int part = key_length - done < SHA1_DIGEST_SIZE ? key_length - done : unsigned(SHA1_DIGEST_SIZE);
    memcpy(key + done, block, part);
    done += part;
  }
  zeromem(&keyed, sizeof keyed);
  zeromem(&ctx, sizeof ctx);
  zeromem(u, sizeof u);
  zeromem(block, sizeof block);
}

// ---------------------------------------------------------------------------------------------
// AES

int aes_set_encrypt_key(const unsigned char *key, unsigned int length, aes_encrypt_ctx *ctx) {
  if (!ctx) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  ctx->usable = 0;
  if (length == 128 || length == 192 || length == 256) length /= 8;
  if (length != 16 && length != 24 && length != 32) return 0;
  if (!key) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  const int err = aes_desc.setup(key, int(length), 0, Schedule(ctx));
  if (err != CRYPT_OK) {
    DebugErrorAlt(ENG_FUNC, "AES key setup error: %s", error_to_string(err));
    return 0;
  }
  ctx->usable = 1;
  return 1;
}

int aes_encrypt_block(const unsigned char *in, unsigned char *out, const aes_encrypt_ctx *ctx) {
  if (!ctx || !ctx->usable) return 0;
  if (!in || !out) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  // libtomcrypt's descriptor does not take a const schedule, but encrypting leaves it alone.
  return aes_desc.ecb_encrypt(in, out, const_cast<symmetric_key *>(Schedule(ctx))) == CRYPT_OK ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// Password-based encryption

int fcrypt_init(int mode, const unsigned char *password, unsigned int password_length, const unsigned char *salt,
                EngUInt16 *verifier, fcrypt_ctx *ctx) {
  if (password_length > FCRYPT_MAX_PASSWORD_LENGTH) return FCRYPT_PASSWORD_TOO_LONG;
  if (mode < 1 || mode > 3) return FCRYPT_BAD_MODE;
  if (!ctx || !salt || !verifier || (!password && password_length)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return FCRYPT_BAD_PARAMETER;
  }
  const unsigned int key_length = FcryptKeyLength(mode);
  unsigned char material[2 * FCRYPT_MAX_KEY_LENGTH + FCRYPT_VERIFIER_LENGTH];
  derive_key(password, password_length, salt, FcryptSaltLength(mode), FCRYPT_KEY_ITERATIONS, material,
             2 * key_length + FCRYPT_VERIFIER_LENGTH);

  memset(ctx, 0, sizeof *ctx);
  ctx->encr_pos = AES_BLOCK_SIZE;
  ctx->pwd_len = password_length;
  ctx->mode = unsigned(mode);
  aes_set_encrypt_key(material, key_length, &ctx->encr_ctx);
  hmac_sha1_begin(&ctx->auth_ctx);
  hmac_sha1_key(material + key_length, key_length, &ctx->auth_ctx);
  memcpy(verifier, material + 2 * key_length, FCRYPT_VERIFIER_LENGTH);
  zeromem(material, sizeof material);
  return 0;
}

void fcrypt_encrypt(unsigned char *data, unsigned int length, fcrypt_ctx *ctx) {
  if (!CheckData(ENG_FUNC, data, length, ctx)) return;
  CounterMode(data, length, ctx);
  hmac_sha1_data(data, length, &ctx->auth_ctx);
}

void fcrypt_decrypt(unsigned char *data, unsigned int length, fcrypt_ctx *ctx) {
  if (!CheckData(ENG_FUNC, data, length, ctx)) return;
  hmac_sha1_data(data, length, &ctx->auth_ctx);
  CounterMode(data, length, ctx);
}

int fcrypt_end(unsigned char *mac, fcrypt_ctx *ctx) {
  if (!mac || !ctx) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  hmac_sha1_end(mac, FCRYPT_MAC_LENGTH, &ctx->auth_ctx);
  return FCRYPT_MAC_LENGTH;
}

// ---------------------------------------------------------------------------------------------
// Entropy pool

void prng_init(prng_entropy_fn entropy, prng_ctx *ctx) {
  if (!ctx) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  memset(ctx, 0, sizeof *ctx);
  if (!entropy) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  ctx->entropy = entropy;
  PrngRefill(ENG_FUNC, ctx);
  for (int i = 0; i < 20; i++) PrngMix(ctx->rbuf);
  PrngRefill(ENG_FUNC, ctx);
}

void prng_rand(unsigned char *data, unsigned int length, prng_ctx *ctx) {
  if (!CheckData(ENG_FUNC, data, length, ctx)) return;
  if (!ctx->entropy) {
    // Never hand out bytes from a pool that was not set up.
    DebugErrorAlt(ENG_FUNC, "Random pool not set up.");
    memset(data, 0, length);
    return;
  }
  unsigned int done = 0;
  while (done < length) {
    if (ctx->pos >= PRNG_POOL_SIZE) PrngRefill(ENG_FUNC, ctx);
    const unsigned int part =
        length - done < PRNG_POOL_SIZE - ctx->pos ? length - done : PRNG_POOL_SIZE - ctx->pos;
    memcpy(data + done, ctx->obuf + ctx->pos, part);
    ctx->pos += part;
    done += part;
  }
}

void prng_end(prng_ctx *ctx) {
  if (ctx) zeromem(ctx, sizeof *ctx);
}
