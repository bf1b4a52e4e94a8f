// The engine's JSON services: whole documents to and from text files, strings and compressed,
// encrypted files, and typed values stored under member names. JSON exceptions never leave
// these functions: they are logged and turned into a 0 or null result.
#pragma once

#include <cstddef>

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"
#include "Engine/json/Elements.h"

// Whole documents. File saves are atomic: a failed save keeps the old file and returns 0.
char EngJsonWriteObjectToFile(const json::Object &object, const char *path);
// Adds the document's members to the object; on failure those read before the fault stay.
char EngJsonReadObjectFromFile(json::Object *object, const char *path);
// The JSON text in a new block from EngMalloc (release with EngFree), or null.
char *EngJsonWriteObjectToString(const json::Object &object);
char EngJsonReadObjectFromString(json::Object *object, const char *text);
// The text and a zero byte, deflated, stored as one encrypted record (EngEncryption must be set up).
char EngJsonWriteCompressedAndEncryptedObjectToFile(const json::Object &object, const ENG_CHAR *path);
char EngJsonReadCompressedAndEncryptedObjectFromFile(json::Object *object, const ENG_CHAR *path);

// Member lookups: a missing member or a value of the wrong kind gives 0 or null, logged only
// when report is set. The getters with an output zero it first (after checking parameters).
char EngJsonDoesElementExistInObject(const json::Object &object, const char *name, char report);
const json::UnknownElement *EngJsonGetElementFromObject(const json::Object &object, const char *name, char report);
// Copies at most size - 1 bytes and always terminates.
char EngJsonGetStringFromObjectElement(const json::Object &object, const char *name, char *out, size_t size,
                                       char report);
// The text inside the document: valid while the document is unchanged.
const char *EngJsonGetStringFromObjectElement(const json::Object &object, const char *name, char report);
// Numbers are truncated toward zero; the narrow types keep the low 8 or 16 bits, the unsigned
// 32-bit getter the low 32 bits of a 64-bit value (-1 gives 4294967295); signed 32-bit results
// saturate at the type's limits.
char EngJsonGetCharFromObjectElement(const json::Object &object, const char *name, char *out, char report);
char EngJsonGetUnsignedCharFromObjectElement(const json::Object &object, const char *name, unsigned char *out,
                                             char report);
char EngJsonGetEInt8FromObjectElement(const json::Object &object, const char *name, signed char *out, char report);
char EngJsonGetEUInt8FromObjectElement(const json::Object &object, const char *name, unsigned char *out,
                                       char report);
char EngJsonGetFloatFromObjectElement(const json::Object &object, const char *name, float *out, char report);
char EngJsonGetEIntFromObjectElement(const json::Object &object, const char *name, eint *out, char report);
char EngJsonGetEUIntFromObjectElement(const json::Object &object, const char *name, euint *out, char report);
char EngJsonGetEInt16FromObjectElement(const json::Object &object, const char *name, EngInt16 *out, char report);
char EngJsonGetEUInt16FromObjectElement(const json::Object &object, const char *name, EngUInt16 *out,
                                        char report);

// Setters: an existing member keeps its place and takes the new value, a new one is appended.
// Compound values are arrays of numbers under the one name.
char EngJsonAddDimensionToObject(json::Object &object, const char *name, const _Dimension &dimension);
char EngJsonAddVector2dToObject(json::Object &object, const char *name, const _Vector2d &vector);
char EngJsonAddStringToObject(json::Object &object, const char *name, const char *text);
char EngJsonAddCharToObject(json::Object &object, const char *name, char value);
char EngJsonAddInt32ToObject(json::Object &object, const char *name, EngInt32 value);
char EngJsonAddUInt32ToObject(json::Object &object, const char *name, EngUInt32 value);
char EngJsonAddFloatToObject(json::Object &object, const char *name, float value);
// One number per non-null pointer, in argument order (a null pointer is skipped, not an end).
char EngJsonAddNumbersToObject(json::Object &object, const char *name, const char *c, const float *f1,
                               const float *f2, const float *f3, const float *f4);
char EngJsonAddNumbersToObject(json::Object &object, const char *name, const char *c1, const char *c2,
                               const char *c3, const char *c4, const char *c5);
char EngJsonAddNumbersToObject(json::Object &object, const char *name, const int *i1, const int *i2,
                               const int *i3, const int *i4);
char EngJsonAddNumbersToObject(json::Object &object, const char *name, const float *f1, const float *f2,
                               const float *f3, const float *f4);
char EngJsonAddNumbersToObject(json::Object &object, const char *name, const double *d1, const double *d2,
                               const double *d3, const double *d4);

// Getters that always report a missing member, a wrong kind or too many array elements. They
// leave each output unchanged until they write it: a shorter array fills the first fields only,
// a longer one fills all of them and then fails.
char EngJsonGetDimensionFromObject(const json::Object &object, const char *name, _Dimension *out);
char EngJsonGetVector2dFromObject(const json::Object &object, const char *name, _Vector2d *out);
char EngJsonGetArrayOfIntsFromObject(const json::Object &object, const char *name, eint count, eint *out);
char EngJsonGetArrayOfFloatsFromObject(const json::Object &object, const char *name, int count, float *out);
char EngJsonGetCharFromObject(const json::Object &object, const char *name, char *out);
char EngJsonGetIntFromObject(const json::Object &object, const char *name, int *out);
char EngJsonGetFloatFromObject(const json::Object &object, const char *name, float *out);
// A null output skips its element.
char EngJsonReadNumbersFromObject(const json::Object &object, const char *name, char *c, float *f1, float *f2,
                                  float *f3, float *f4);
char EngJsonReadNumbersFromObject(const json::Object &object, const char *name, char *c1, char *c2, char *c3,
                                  char *c4, char *c5);
char EngJsonReadNumbersFromObject(const json::Object &object, const char *name, int *i1, int *i2, int *i3,
                                  int *i4);
char EngJsonReadNumbersFromObject(const json::Object &object, const char *name, float *f1, float *f2, float *f3,
                                  float *f4);
char EngJsonReadNumbersFromObject(const json::Object &object, const char *name, double *d1, double *d2,
                                  double *d3, double *d4);

eint EngJsonGetArraySize(const json::Array &array);
