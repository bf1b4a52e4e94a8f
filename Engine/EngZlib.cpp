#include "Engine/EngZlib.h"

#include <zlib.h>

#include <climits>
#include <cstring>

#include "Engine/EngBase64.h"
#include "Engine/EngBlowfish.h"
#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

namespace {

// The Base64 codec counts in int; larger buffers are refused up front.
const EngUInt32 kMaxBase64Bytes = 1u << 30;
const unsigned int kInflateStep = 1024;
const EngUInt64 kInflateMaxRatio = 100;

// Another 1.x library is told once per process, not on every call.
char version_warning_given = 0;
// Stands in for the library's own version text in tests.
const char *version_override = nullptr;

char ZlibVersionOk(const char *signature, const char *short_name, bool deflating) {
  const char *version = version_override ? version_override : zlibVersion();
  if (!version || version[0] != '1') {
    if (deflating) {
      DebugErrorAlt(signature, "incopatible zlib versions (%s vs %s)", EngReturnSafeString(version), ENG_ZLIB_VERSION);
    } else {
      DebugErrorAlt(signature, "innormalatible zlib versions (%s vs %s)", EngReturnSafeString(version),
                    ENG_ZLIB_VERSION);
    }
    return 0;
  }
  if (strcmp(version, ENG_ZLIB_VERSION) != 0 && !version_warning_given) {
    version_warning_given = 1;
    DebugWarning(short_name, "warning: different zlib version (%s vs %s)", version, ENG_ZLIB_VERSION);
  }
  return 1;
}

void MapChars(char *text, size_t length, const char *from, const char *to) {
  for (size_t i = 0; i < length; ++i) {
    for (int k = 0; from[k]; ++k) {
      if (text[i] == from[k]) {
        text[i] = to[k];
        break;
      }
    }
  }
}

// A copy of n bytes followed by a zero byte.
char *CopyWithTerminator(const char *signature, const void *data, EngUInt32 n) {
  if (n == UINT32_MAX) {
    DebugStandardError(signature, DEBUG_ERR_BAPA);
    return nullptr;
  }
  char *copy = static_cast<char *>(EngMalloc(size_t(n) + 1, signature, 0));
  if (!copy) return nullptr;
  if (n) memcpy(copy, data, n);
  copy[n] = 0;
  return copy;
}

// Deflates at level 9 into a new buffer sized by zlib's own bound.
// Encrypts or decrypts the buffer in place; when that fails, says so and frees it. A null
// buffer (a copy that could not be made) passes through.
char *BlowfishInPlace(const char *signature, const char *key, char *buffer, EngUInt32 n, bool encrypt) {
  if (!buffer) return nullptr;
  char done = encrypt ? EngEncryptionEncryptDataUsingBlowfishEncryption(key, buffer, n)
                      : EngEncryptionDecryptDataUsingBlowfishEncryption(key, buffer, n);
  if (!done) {
    DebugErrorAlt(signature, encrypt ? "Could not encrpyt data." : "Could not decrpyt data.");
    EngFree(buffer, 0, signature);
    return nullptr;
  }
  return buffer;
}

char *DeflateToNewBuffer(const char *signature, const void *data, EngUInt32 n, unsigned int *outLength) {
  uLong bound = compressBound(uLong(n));
  if (bound >= UINT_MAX) {
    DebugErrorAlt(signature, "Could not delfate data.");
    return nullptr;
  }
  char *compressed = static_cast<char *>(EngMalloc(size_t(bound) + 1, signature, 0));
  if (!compressed) return nullptr;
  unsigned int length = (unsigned int)bound;
  if (!EngZlibDeflateData(static_cast<const char *>(data), n, compressed, &length, 9)) {
    DebugErrorAlt(signature, "Could not delfate data.");
    EngFree(compressed, 0, signature);
    return nullptr;
  }
  compressed[length] = 0;
  *outLength = length;
  return compressed;
}

// Base64 in the URL-friendly form after the first prefixLength characters of prefix.
char *EncodeToNewString(const char *signature, const void *data, EngUInt32 n, EngUInt32 prefixLength,
                        const char *prefix) {
  if (n > kMaxBase64Bytes || prefixLength > kMaxBase64Bytes) {
    DebugStandardError(signature, DEBUG_ERR_BAPA);
    return nullptr;
  }
  Base64 *codec = Base64::getInstance();
  if (!codec) {
    DebugErrorAlt(signature, "No base64.");
    return nullptr;
  }
  int encodedLength = Base64::getEncodeLength(int(n));
  if (encodedLength <= 0) {
    delete codec;
    DebugErrorAlt(signature, "No encoded data.");
    return nullptr;
  }
  char *text = static_cast<char *>(EngMalloc(size_t(prefixLength) + size_t(encodedLength) + 1, signature, 0));
  if (!text) {
    delete codec;
    return nullptr;
  }
  if (prefixLength) strncpy(text, prefix, prefixLength);
  codec->Encode(static_cast<const char *>(data), int(n), text + prefixLength);
  delete codec;
  text[prefixLength + encodedLength] = 0;
  MapChars(text + prefixLength, size_t(encodedLength), "=/+", "_.-");
  return text;
}

// Decodes URL-friendly Base64 into a new buffer; null without a message when nothing decodes
// (a length that is not a multiple of 4, or bytes outside 7-bit ASCII).
char *DecodeToNewBuffer(const char *signature, const void *text, unsigned int length, unsigned int *outLength) {
  if (length > kMaxBase64Bytes) {
    DebugStandardError(signature, DEBUG_ERR_BAPA);
    return nullptr;
  }
  char *copy = CopyWithTerminator(signature, text, length);
  if (!copy) return nullptr;
  MapChars(copy, length, "_.-", "=/+");

  Base64 *codec = Base64::getInstance();
  if (!codec) {
    EngFree(copy, 0, signature);
    DebugErrorAlt(signature, "No base64.");
    return nullptr;
  }
  int capacity = Base64::getDecodeLength(int(length));
  char *decoded = static_cast<char *>(EngMalloc(size_t(capacity) + 1, signature, 0));
  if (!decoded) {
    delete codec;
    EngFree(copy, 0, signature);
    return nullptr;
  }
  int decodedLength = 0;
  codec->Decode(copy, int(length), decoded, decodedLength);
  delete codec;
  EngFree(copy, 0, signature);
  if (decodedLength <= 0) {
    EngFree(decoded, 0, signature);
    return nullptr;
  }
  decoded[decodedLength] = 0;
  *outLength = (unsigned int)decodedLength;
  return decoded;
}


}  // namespace

char EngZlibDeflateData(char const *in, unsigned int n, char *out, unsigned int *outLength, int level) {
  if ((!in && n) || !out || !outLength) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (!ZlibVersionOk(ENG_FUNC, "EngZlibDeflateData", true)) return 0;
  if (level < 0) level = 9;

  z_stream stream;
  memset(&stream, 0, sizeof(stream));
  int err = deflateInit(&stream, level);
  if (err != Z_OK) {
    DebugErrorAlt(ENG_FUNC, "deflateInit() error %d", err);
    return 0;
  }

  unsigned int capacity = *outLength;
  stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in));
  stream.avail_in = n;
  stream.next_out = reinterpret_cast<Bytef *>(out);
  stream.avail_out = capacity;
  err = deflate(&stream, Z_FINISH);
  if (err != Z_STREAM_END) {
    deflateEnd(&stream);
    if (err == Z_OK) {
      DebugErrorAlt(ENG_FUNC, "out buffer not big enough");
    } else {
      DebugErrorAlt(ENG_FUNC, "deflate() error %d", err);
    }
    return 0;
  }
  if (stream.avail_in != 0) {
    deflateEnd(&stream);
    DebugErrorAlt(ENG_FUNC, "deflate() internal error 1");
    return 0;
  }
  uLong total = stream.total_out;
  err = deflateEnd(&stream);
  if (err != Z_OK) {
    DebugErrorAlt(ENG_FUNC, "deflateEnd() error: %d", err);
    return 0;
  }
  if (total > capacity) {
    DebugErrorAlt(ENG_FUNC, "deflate() internal error 2");
    return 0;
  }
  *outLength = (unsigned int)total;
  return 1;
}

char *EngZlibInflateData(char const *in, unsigned int n, unsigned int *outLength) {
  if (outLength) *outLength = 0;
  if (!in || !n) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  if (!ZlibVersionOk(ENG_FUNC, "EngZlibInflateData", false)) return nullptr;

  z_stream stream;
  memset(&stream, 0, sizeof(stream));
  stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in));
  stream.avail_in = n;
  int err = inflateInit(&stream);
  if (err != Z_OK) {
    DebugErrorAlt(ENG_FUNC, "inflateInit() error %d", err);
    return nullptr;
  }

  const EngUInt64 limit = kInflateMaxRatio * EngUInt64(n);
  char *buffer = nullptr;
  EngUInt64 length = 0;
  do {
    size_t size = size_t(length) + kInflateStep + 1;
    char *grown = buffer ? static_cast<char *>(EngRealloc(buffer, size, ENG_FUNC))
                         : static_cast<char *>(EngMalloc(size, ENG_FUNC, 0));
    if (!grown) {
      EngFree(buffer, 0, ENG_FUNC);
      inflateEnd(&stream);
      return nullptr;
    }
    buffer = grown;
    stream.next_out = reinterpret_cast<Bytef *>(buffer + length);
    stream.avail_out = kInflateStep;
    err = inflate(&stream, Z_FINISH);
    length += kInflateStep;

    if (err == Z_BUF_ERROR && stream.avail_out != 0) {
      // Not for lack of room: the input ended before the compressed stream did.
      DebugErrorAlt(ENG_FUNC, "inflate() error %d [%s]", err, stream.msg ? stream.msg : "unexpected end of data");
      EngFree(buffer, 0, ENG_FUNC);
      inflateEnd(&stream);
      return nullptr;
    }
    if (err == Z_BUF_ERROR && (length > limit || length + kInflateStep + 1 >= UINT_MAX)) {
      DebugErrorAlt(ENG_FUNC, "buffer overrun");
      EngFree(buffer, 0, ENG_FUNC);
      inflateEnd(&stream);
      return nullptr;
    }
  } while (err == Z_BUF_ERROR);

  if (err != Z_STREAM_END) {
    if (err == Z_OK) {
      DebugErrorAlt(ENG_FUNC, "out buffer not big enough");
    } else {
      DebugErrorAlt(ENG_FUNC, "inflate() error %d [%s]", err, EngReturnSafeString(stream.msg));
    }
    EngFree(buffer, 0, ENG_FUNC);
    inflateEnd(&stream);
    return nullptr;
  }
  if (stream.avail_in != 0) {
    DebugErrorAlt(ENG_FUNC, "inflate() internal error 1");
    EngFree(buffer, 0, ENG_FUNC);
    inflateEnd(&stream);
    return nullptr;
  }
  uLong total = stream.total_out;
  err = inflateEnd(&stream);
  if (err != Z_OK) {
    DebugErrorAlt(ENG_FUNC, "inflateEnd() error: %d", err);
    EngFree(buffer, 0, ENG_FUNC);
    return nullptr;
  }
  buffer[total] = 0;
  if (outLength) *outLength = (unsigned int)total;
  return buffer;
}

char *EngZlibCompressData(void const *data, unsigned int n, unsigned int *outLength, char) {
  if (!data || !n) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  if (!outLength) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  *outLength = 0;
  // zlib's bound, not twice the input: small or incompressible data needs more room.
  return DeflateToNewBuffer(ENG_FUNC, data, n, outLength);
}

char *EngZlibUncompressData(void const *data, unsigned int n, unsigned int *outLength) {
  if (outLength) *outLength = 0;
  if (!data || !n) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  char *inflated = EngZlibInflateData(static_cast<const char *>(data), n, outLength);
  if (!inflated) DebugErrorAlt(ENG_FUNC, "Could not inflate data.");
  return inflated;
}

char *EngZlibEncryptCompressAndEncodeToBase64Data(char const *key, void const *data, unsigned int n, char,
                                                  unsigned int prefixLength, char const *prefix) {
  if (!key) {
    DebugErrorAlt(ENG_FUNC, "No cipher");
    return nullptr;
  }
  if (!data || !n) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  if ((prefixLength && !prefix) || (!prefixLength && prefix)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }

  char *encrypted = BlowfishInPlace(ENG_FUNC, key, CopyWithTerminator(ENG_FUNC, data, n), n, true);
  if (!encrypted) return nullptr;

  unsigned int compressedLength = 0;
  char *compressed = DeflateToNewBuffer(ENG_FUNC, encrypted, n, &compressedLength);
  EngFree(encrypted, 0, ENG_FUNC);
  if (!compressed) return nullptr;

  char *text = EncodeToNewString(ENG_FUNC, compressed, compressedLength, prefixLength, prefix);
  EngFree(compressed, 0, ENG_FUNC);
  return text;
}

char *EngZlibDecodeDataFromBase64UncompressItAndDecrpytIt(char const *key, char const *text,
                                                          unsigned int *outLength) {
  if (outLength) *outLength = 0;
  if (!key) {
    DebugErrorAlt(ENG_FUNC, "No cipher");
    return nullptr;
  }
  if (!text || !*text) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  size_t textLength = strlen(text);
  if (textLength > kMaxBase64Bytes) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }

  unsigned int decodedLength = 0;
  char *decoded = DecodeToNewBuffer(ENG_FUNC, text, (unsigned int)textLength, &decodedLength);
  if (!decoded) return nullptr;

  unsigned int inflatedLength = 0;
  char *inflated = EngZlibInflateData(decoded, decodedLength, &inflatedLength);
  EngFree(decoded, 0, ENG_FUNC);
  if (!inflated) {
    DebugErrorAlt(ENG_FUNC, "Could not inflate data.");
    return nullptr;
  }
  if (!BlowfishInPlace(ENG_FUNC, key, inflated, inflatedLength, false)) return nullptr;
  if (outLength) *outLength = inflatedLength;
  return inflated;
}

char *EngZlibCompressAndEncodeToBase64Data(const void *data, EngUInt32 n, char) {
  if (!data || !n) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  unsigned int compressedLength = 0;
  char *compressed = DeflateToNewBuffer(ENG_FUNC, data, n, &compressedLength);
  if (!compressed) return nullptr;
  char *text = EncodeToNewString(ENG_FUNC, compressed, compressedLength, 0, nullptr);
  EngFree(compressed, 0, ENG_FUNC);
  return text;
}

char *EngZlibDecodeDataFromBase64AndUncompressIt(void const *text, unsigned int length, unsigned int *outLength) {
  if (outLength) *outLength = 0;
  if (!text || !length) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  unsigned int decodedLength = 0;
  char *decoded = DecodeToNewBuffer(ENG_FUNC, text, length, &decodedLength);
  if (!decoded) return nullptr;
  char *inflated = EngZlibInflateData(decoded, decodedLength, outLength);
  EngFree(decoded, 0, ENG_FUNC);
  if (!inflated) DebugErrorAlt(ENG_FUNC, "Could not inflate data.");
  return inflated;
}

char *EngZlibEncodeDataToBase64(const void *data, EngUInt32 n) {
  if (!data || !n) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  return EncodeToNewString(ENG_FUNC, data, n, 0, nullptr);
}

char *EngZlibDecodeDataFromBase64(void const *text, unsigned int length, unsigned int *outLength) {
  if (outLength) *outLength = 0;
  if (!text || !length) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  unsigned int decodedLength = 0;
  char *decoded = DecodeToNewBuffer(ENG_FUNC, text, length, &decodedLength);
  if (decoded && outLength) *outLength = decodedLength;
  return decoded;
}

char *EngZlibEncodeStringToBase64(const char *text) {
  if (!text || !*text) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  size_t length = strlen(text);
  if (length >= kMaxBase64Bytes) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  return EncodeToNewString(ENG_FUNC, text, EngUInt32(length + 1), 0, nullptr);
}

char *EngZlibDecodeStringFromBase64(const char *text) {
  if (!text || !*text) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  size_t length = strlen(text);
  if (length > kMaxBase64Bytes) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  unsigned int decodedLength = 0;
  return DecodeToNewBuffer(ENG_FUNC, text, (unsigned int)length, &decodedLength);
}

char *EngZlibGetBase64StringForData(const void *data, EngUInt32 n) { return EngZlibEncodeDataToBase64(data, n); }

char *EngZlibGetBase64StringForString(const char *text) {
  if (!text) {
    DebugErrorAlt(ENG_FUNC, "No string.");
    return nullptr;
  }
  size_t length = strlen(text);
  if (length > kMaxBase64Bytes) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  return EngZlibEncodeDataToBase64(text, EngUInt32(length));
}

char *EngZlibEncryptAndCompressData(char const *key, void const *data, unsigned int n, unsigned int *outLength,
                                    char) {
  if (!outLength) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  *outLength = 0;
  if (!data || !n) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  char *encrypted = BlowfishInPlace(ENG_FUNC, key, CopyWithTerminator(ENG_FUNC, data, n), n, true);
  if (!encrypted) return nullptr;
  char *compressed = DeflateToNewBuffer(ENG_FUNC, encrypted, n, outLength);
  EngFree(encrypted, 0, ENG_FUNC);
  return compressed;
}

char *EngZlibUncompressDataAndDecrpytIt(char const *key, void const *data, unsigned int n,
                                        unsigned int *outLength) {
  if (outLength) *outLength = 0;
  if (!data || !n) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  unsigned int inflatedLength = 0;
  char *inflated = EngZlibInflateData(static_cast<const char *>(data), n, &inflatedLength);
  if (!inflated) {
    DebugErrorAlt(ENG_FUNC, "Could not inflate data.");
    return nullptr;
  }
  if (!BlowfishInPlace(ENG_FUNC, key, inflated, inflatedLength, false)) return nullptr;
  if (outLength) *outLength = inflatedLength;
  return inflated;
}

char *EngZlibEncryptData(const char *key, const void *data, EngUInt32 n) {
  if (!data || !n) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  return BlowfishInPlace(ENG_FUNC, key, CopyWithTerminator(ENG_FUNC, data, n), n, true);
}

char *EngZlibDecryptData(const char *key, const void *data, EngUInt32 n) {
  if (!data || !n) {
    DebugErrorAlt(ENG_FUNC, "No data.");
    return nullptr;
  }
  return BlowfishInPlace(ENG_FUNC, key, CopyWithTerminator(ENG_FUNC, data, n), n, false);
}

void EngZlibConvertBase64CharsToUrlFriendlyChars(char *text) {
  if (text) MapChars(text, strlen(text), "=/+", "_.-");
}

void EngZlibConvertUrlFriendlyCharsToBase64Chars(char *text) {
  if (text) MapChars(text, strlen(text), "_.-", "=/+");
}

void EngZlibResetForTests() {
  version_warning_given = 0;
  version_override = nullptr;
}

void EngZlibSetVersionForTests(const char *version) { version_override = version; }
