// 8-bit string helpers: searching, trimming, checking and rewriting texts, file-name parts,
// reading lines and fields out of a text in memory, bounded number parsing and URL coding.
// Independent of the locale: letter cases and classes are ASCII's.
#pragma once

#include <cstddef>

#include "Engine/EngTypes.h"

// A text in memory read line by line; pos counts bytes from its start.
struct _EngMiscGetLineFromDataInfo {
  char *data;
  EngUInt32 pos;
};

// The same, read field by field up to the separator (never 0).
struct _EngMiscGetFieldFromDataInfo {
  char *data;
  char separator;
  EngUInt32 pos;
};

const char *EngMiscStrIStr(const char *text, const char *find);
const char *EngMiscMatchStringInString(const char *text, const char *find, char after);
// Heap result: free with EngFree.
char *EngMiscGetStringInBetweenStrings(const char *text, const char *start, const char *end);
int EngMiscGetFirstOccurenceOfCharacterInString(const char *text, char c);
char EngMiscRemoveFirstOccurenceOfStringFromString(char *text, const char *remove, const char *insert);
// Heap result: free with EngFree.
char *EngMiscGetStringAfterReplacingStringInStringOnce(const char *text, const char *find, const char *replace,
                                                      char case_sensitive, char word_end);
void EngMiscMakeStringUpperCase(char *text);
char EngMiscRemoveAnyCarriageReturnsFromEndOfString(char *text);
char EngMiscRemoveAnySpacesFromStartOrEndOfString(char *text);
// A static buffer that the next call overwrites.
const char *EngMiscGetStringFromInt32(int n);

char EngMiscIsCharAlphaNumeric(char c, char space, char dot, char comma, char dash);
char EngMiscIsStringAlphaNumeric(const char *text, char space, char dot, char comma, char dash);
char EngMiscIsFilenamePicture(const char *name);
char EngMiscIsEmailAddressValid(const char *text, int max_length);

const char *EngMiscGetFilenameInPathWithFilenameString(const char *path, int *separator_index, int *length,
                                                       char report);
const char *EngMiscGetExtensionFromFilename(const char *name);
// Heap result: free with EngFree.
char *EngMiscGetBasenameFromFilename(const char *name);
// The path itself, or a heap copy when *allocated is set (then free it with EngFree).
char *EngMiscGetRootFolderFromPath(const char *path, int *length, char *allocated);

// 0 at the end, 1 for a line with more text after it, 2 for a last line ending in a line
// feed. A line longer than the buffer is cut; the reading goes on with the next line.
char EngMiscGetLineFromData(_EngMiscGetLineFromDataInfo *info, char *buffer, size_t size);
char EngMiscGetFieldFromData(_EngMiscGetFieldFromDataInfo *info, char *buffer, size_t size);

char EngMiscGetIntFromString(const char *text, int *int_out, int min, int max);
char EngMiscGetInt16FromString(const char *text, short *out_val, short min, short max);
char EngMiscGetUInt16FromString(const char *text, unsigned short *out_val, unsigned short min,
                                unsigned short max);
char EngMiscGetCharFromString(const char *text, char *out_val, char min, char max);
char EngMiscGetUCharFromString(const char *text, unsigned char *out_val, unsigned char min, unsigned char max);

// Heap results from malloc: free with free().
char *EngMiscUrlEncodeString(const char *text);
char *EngMiscUrlDecodeString(const char *text);

void EngMiscOutputLongString(const char *text, int piece_length, char first_and_last_only);

// Puts the static result buffer back to its start state.
void EngMiscStringResetForTests();
