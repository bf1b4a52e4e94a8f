// Heap wrappers that report failures under the caller's name, a bounded string copy,
// substring searches with a whole-word option, and four-character codes.
#pragma once

#include <cstddef>

#include "Engine/EngTypes.h"

// Blocks of 256 KB and more (pictures being decoded, a software renderer's textures, sounds) are
// mapped apart and given back to the system when freed. Left to itself the allocator raises
// that bound to the largest block freed so far, after which each new garden's picture lands in
// the heap beside longer-lived blocks and the heap only grows. Called once at start.
void EngMemorySetUpAllocator();
// Gives the heap's free pages back to the system: after loading, when the temporary copies
// are gone.
void EngMemoryGiveBackFreePages();

void *EngMalloc(size_t size, const char *caller, char zero_fill);
void *EngRealloc(void *old_block, size_t size, const char *caller);
void EngFree(void *block, char report_null, const char *caller);
char *EngMallocStringFromString(const char *text, char report_empty, const char *caller);
void EngZeroMemory(void *block, size_t size);
void EngCopyMemory(void *destination, const void *source, size_t size);
char *EngSafeStrcpy(char *destination, const char *source, size_t destination_size);
const char *EngStrStr(const char *text, const char *pattern, char word_end);
char *EngStrStr(char *text, const char *pattern, char word_end);
const char *EngStrIStr(const char *text, const char *pattern, char word_end);
char *EngStrIStr(char *text, const char *pattern, char word_end);
const char *EngReturnSafeString(const char *text);
const char *EngGetFourCharIDAsString(EngUInt32 code);
EngUInt32 EngGetFourCharStringAsID(const char *text);

extern char eng_four_char_id_str[5];
