// Deflate and inflate of byte buffers (zlib format), URL-friendly Base64 and the sealing of
// data for transport: Blowfish under a key string, deflate at level 9, then Base64 with
// '=', '/', '+' written as '_', '.', '-'. Returned buffers come from EngMalloc, hold one
// zero byte after their content and are released with EngFree. Failures are logged.
#pragma once

#include "Engine/EngTypes.h"

// The zlib version the format was made with; other 1.x versions are accepted.
#define ENG_ZLIB_VERSION "1.2.5"

// Compresses into the caller's buffer, whose capacity is *outLength on entry; *outLength
// receives the compressed size. A negative level means 9.
char EngZlibDeflateData(char const *in, unsigned int n, char *out, unsigned int *outLength, int level);
// Decompresses into a new buffer; output above 100 times the input is refused.
char *EngZlibInflateData(char const *in, unsigned int n, unsigned int *outLength);
char *EngZlibCompressData(void const *data, unsigned int n, unsigned int *outLength, char flag);
char *EngZlibUncompressData(void const *data, unsigned int n, unsigned int *outLength);

// Sealing and unsealing: the result of sealing is a zero-terminated string, after the first
// prefixLength characters of prefix.
char *EngZlibEncryptCompressAndEncodeToBase64Data(char const *key, void const *data, unsigned int n, char flag,
                                                  unsigned int prefixLength, char const *prefix);
char *EngZlibDecodeDataFromBase64UncompressItAndDecrpytIt(char const *key, char const *text,
                                                          unsigned int *outLength);

char *EngZlibCompressAndEncodeToBase64Data(const void *data, EngUInt32 n, char flag);
char *EngZlibDecodeDataFromBase64AndUncompressIt(void const *text, unsigned int length, unsigned int *outLength);
char *EngZlibEncodeDataToBase64(const void *data, EngUInt32 n);
char *EngZlibDecodeDataFromBase64(void const *text, unsigned int length, unsigned int *outLength);
// Encodes the string with its terminating zero byte.
char *EngZlibEncodeStringToBase64(const char *text);
char *EngZlibDecodeStringFromBase64(const char *text);
char *EngZlibGetBase64StringForData(const void *data, EngUInt32 n);
// Encodes the string without its terminating zero byte.
char *EngZlibGetBase64StringForString(const char *text);

char *EngZlibEncryptAndCompressData(char const *key, void const *data, unsigned int n, unsigned int *outLength,
                                    char flag);
char *EngZlibUncompressDataAndDecrpytIt(char const *key, void const *data, unsigned int n,
                                        unsigned int *outLength);
char *EngZlibEncryptData(const char *key, const void *data, EngUInt32 n);
char *EngZlibDecryptData(const char *key, const void *data, EngUInt32 n);

void EngZlibConvertBase64CharsToUrlFriendlyChars(char *text);
void EngZlibConvertUrlFriendlyCharsToBase64Chars(char *text);

// Forgets that the different-version warning was given and any version set for tests.
void EngZlibResetForTests();
// Makes the version test see this text instead of the library's (null: the library's).
void EngZlibSetVersionForTests(const char *version);
