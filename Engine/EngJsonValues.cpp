// Typed values under member names: lookups, setters and the always-reporting getters.
#include "Engine/EngJson.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <new>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

namespace {

bool IsEmpty(const char *text) { return !text || !*text; }

void ReportBadParameter(const char *signature) { DebugStandardError(signature, DEBUG_ERR_BAPA); }

// Numbers outside the target range must not reach a plain cast, whose result would be undefined.
EngInt32 TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return EngInt32(value);
}

EngInt64 TruncateToInt64(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9223372036854775807.0) return INT64_MAX;
  if (value <= -9223372036854775808.0) return INT64_MIN;
  return EngInt64(value);
}

char ToChar(double value) { return char(EngUInt8(EngUInt32(TruncateToInt32(value)) & 0xFFu)); }
unsigned char ToUnsignedChar(double value) { return (unsigned char)(EngUInt32(TruncateToInt32(value)) & 0xFFu); }
EngInt16 ToInt16(double value) { return EngInt16(EngUInt16(EngUInt32(TruncateToInt32(value)) & 0xFFFFu)); }
EngUInt16 ToUInt16(double value) { return EngUInt16(EngUInt32(TruncateToInt32(value)) & 0xFFFFu); }
EngUInt32 ToUInt32(double value) { return EngUInt32(EngUInt64(TruncateToInt64(value)) & 0xFFFFFFFFu); }

float ToFloat(double value) {
  if (std::fabs(value) <= double(FLT_MAX) || std::isnan(value)) return float(value);
  return value > 0 ? HUGE_VALF : -HUGE_VALF;
}

// A lookup of the report-flag kind that failed: logged only when asked.
void ReportLookup(const char *signature, const json::Exception &exception, const char *name, char report) {
  if (report)
    DebugErrorAlt(signature, "Exception <%s> for element <%s>", DebugOutsideText(exception.what()).c_str(), name);
}

// The number under name, converted into *out, which is zeroed first.
template <typename T, typename Convert>
char GetNumberElement(const char *signature, const json::Object &object, const char *name, T *out, char report,
                      Convert convert) {
  if (IsEmpty(name) || !out) {
    ReportBadParameter(signature);
    return 0;
  }
  *out = 0;
  try {
    *out = convert(object[name].CastTo<json::Number>().Value());
    return 1;
  } catch (const json::Exception &exception) {
    ReportLookup(signature, exception, name, report);
  } catch (const std::bad_alloc &) {
    DebugStandardError(signature, DEBUG_ERR_OMEM);
  }
  return 0;
}

template <typename Build>
char SetMember(const char *signature, json::Object &object, const char *name, Build build) {
  if (IsEmpty(name)) {
    ReportBadParameter(signature);
    return 0;
  }
  try {
    const json::UnknownElement value = build();
    object[name] = value;
    return 1;
  } catch (const json::Exception &exception) {
    DebugErrorAlt(signature, "json::Exception <%s>", DebugOutsideText(exception.what()).c_str());
  } catch (const std::bad_alloc &) {
    DebugStandardError(signature, DEBUG_ERR_OMEM);
  }
  return 0;
}

void AppendNumbers(json::Array &) {}

template <typename T, typename... Rest>
void AppendNumbers(json::Array &array, const T *value, const Rest *...rest) {
  if (value) array.Insert(json::Number(double(*value)), array.End());
  AppendNumbers(array, rest...);
}

template <typename... T>
char SetNumbers(const char *signature, json::Object &object, const char *name, const T *...values) {
  return SetMember(signature, object, name, [&] {
    json::Array array;
    AppendNumbers(array, values...);
    return json::UnknownElement(array);
  });
}

// Walks the array under name. Every element must be a number (checked before its index), and
// one at index limit or beyond fails after the earlier ones were stored.
template <typename Store>
char ReadNumberArray(const char *signature, const json::Object &object, const char *name, size_t limit,
                     bool report_entry_number, Store store) {
  try {
    const json::Array &array = object[name].CastTo<json::Array>();
    size_t index = 0;
    for (const json::UnknownElement &element : array) {
      const double value = element.CastTo<json::Number>().Value();
      if (index >= limit) {
        if (report_entry_number) {
          DebugErrorAlt(signature, "Bad entry num %d (%d).", int(index), int(limit));
        } else {
          DebugErrorAlt(signature, "Error during parse.");
        }
        return 0;
      }
      store(index, value);
      index++;
    }
    return 1;
  } catch (const json::Exception &exception) {
    DebugErrorAlt(signature, "json::Exception <%s>", DebugOutsideText(exception.what()).c_str());
  } catch (const std::bad_alloc &) {
    DebugStandardError(signature, DEBUG_ERR_OMEM);
  }
  return 0;
}

// The number under name into *out, written only on success.
template <typename T, typename Convert>
char GetNumber(const char *signature, const json::Object &object, const char *name, T *out, Convert convert) {
  if (IsEmpty(name) || !out) {
    ReportBadParameter(signature);
    return 0;
  }
  try {
    *out = convert(object[name].CastTo<json::Number>().Value());
    return 1;
  } catch (const json::Exception &exception) {
    DebugErrorAlt(signature, "json::Exception <%s>", DebugOutsideText(exception.what()).c_str());
  } catch (const std::bad_alloc &) {
    DebugStandardError(signature, DEBUG_ERR_OMEM);
  }
  return 0;
}

// Stores each element into its place; a null place skips its element.
template <typename T, size_t N, typename Convert>
char ReadIntoPlaces(const char *signature, const json::Object &object, const char *name, T *const (&places)[N],
                    Convert convert) {
  if (IsEmpty(name)) {
    ReportBadParameter(signature);
    return 0;
  }
  return ReadNumberArray(signature, object, name, N, false, [&](size_t i, double value) {
    if (places[i]) *places[i] = convert(value);
  });
}

double Unchanged(double value) { return value; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Lookups with a report flag

char EngJsonDoesElementExistInObject(const json::Object &object, const char *name, char report) {
  if (IsEmpty(name)) {
    ReportBadParameter(ENG_FUNC);
    return 0;
  }
  try {
    object[name];
    return 1;
  } catch (const json::Exception &exception) {
    ReportLookup(ENG_FUNC, exception, name, report);
  } catch (const std::bad_alloc &) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
  }
  return 0;
}

const json::UnknownElement *EngJsonGetElementFromObject(const json::Object &object, const char *name, char report) {
  if (IsEmpty(name)) {
    ReportBadParameter(ENG_FUNC);
    return nullptr;
  }
  try {
    return &object[name];
  } catch (const json::Exception &exception) {
    ReportLookup(ENG_FUNC, exception, name, report);
  } catch (const std::bad_alloc &) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
  }
  return nullptr;
}

char EngJsonGetStringFromObjectElement(const json::Object &object, const char *name, char *out, size_t size,
                                       char report) {
  if (out && size) out[0] = 0;
  if (IsEmpty(name) || !out || !size) {
    ReportBadParameter(ENG_FUNC);
    return 0;
  }
  try {
    EngSafeStrcpy(out, object[name].CastTo<json::String>().Value().c_str(), size);
    return 1;
  } catch (const json::Exception &exception) {
    ReportLookup(ENG_FUNC, exception, name, report);
  } catch (const std::bad_alloc &) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
  }
  return 0;
}

const char *EngJsonGetStringFromObjectElement(const json::Object &object, const char *name, char report) {
  if (IsEmpty(name)) {
    ReportBadParameter(ENG_FUNC);
    return nullptr;
  }
  try {
    return object[name].CastTo<json::String>().Value().c_str();
  } catch (const json::Exception &exception) {
    ReportLookup(ENG_FUNC, exception, name, report);
  } catch (const std::bad_alloc &) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
  }
  return nullptr;
}

char EngJsonGetCharFromObjectElement(const json::Object &object, const char *name, char *out, char report) {
  return GetNumberElement(ENG_FUNC, object, name, out, report, ToChar);
}

char EngJsonGetUnsignedCharFromObjectElement(const json::Object &object, const char *name, unsigned char *out,
                                             char report) {
  return GetNumberElement(ENG_FUNC, object, name, out, report, ToUnsignedChar);
}

char EngJsonGetEInt8FromObjectElement(const json::Object &object, const char *name, signed char *out, char report) {
  return EngJsonGetCharFromObjectElement(object, name, reinterpret_cast<char *>(out), report);
}

char EngJsonGetEUInt8FromObjectElement(const json::Object &object, const char *name, unsigned char *out,
                                       char report) {
  return EngJsonGetUnsignedCharFromObjectElement(object, name, out, report);
}

char EngJsonGetFloatFromObjectElement(const json::Object &object, const char *name, float *out, char report) {
  return GetNumberElement(ENG_FUNC, object, name, out, report, ToFloat);
}

char EngJsonGetEIntFromObjectElement(const json::Object &object, const char *name, eint *out, char report) {
  return GetNumberElement(ENG_FUNC, object, name, out, report, TruncateToInt32);
}

char EngJsonGetEUIntFromObjectElement(const json::Object &object, const char *name, euint *out, char report) {
  return GetNumberElement(ENG_FUNC, object, name, out, report, ToUInt32);
}

char EngJsonGetEInt16FromObjectElement(const json::Object &object, const char *name, EngInt16 *out, char report) {
  return GetNumberElement(ENG_FUNC, object, name, out, report, ToInt16);
}

char EngJsonGetEUInt16FromObjectElement(const json::Object &object, const char *name, EngUInt16 *out,
                                        char report) {
  return GetNumberElement(ENG_FUNC, object, name, out, report, ToUInt16);
}

// ---------------------------------------------------------------------------------------------
// Setters

char EngJsonAddDimensionToObject(json::Object &object, const char *name, const _Dimension &dimension) {
  return SetNumbers(ENG_FUNC, object, name, &dimension.x, &dimension.y, &dimension.width, &dimension.height);
}

char EngJsonAddVector2dToObject(json::Object &object, const char *name, const _Vector2d &vector) {
  return SetNumbers(ENG_FUNC, object, name, &vector.x, &vector.y);
}

char EngJsonAddStringToObject(json::Object &object, const char *name, const char *text) {
  if (!text) {
    ReportBadParameter(ENG_FUNC);
    return 0;
  }
  return SetMember(ENG_FUNC, object, name, [&] { return json::UnknownElement(json::String(text)); });
}

char EngJsonAddCharToObject(json::Object &object, const char *name, char value) {
  return SetMember(ENG_FUNC, object, name, [&] { return json::UnknownElement(json::Number(double(value))); });
}

char EngJsonAddInt32ToObject(json::Object &object, const char *name, EngInt32 value) {
  return SetMember(ENG_FUNC, object, name, [&] { return json::UnknownElement(json::Number(double(value))); });
}

char EngJsonAddUInt32ToObject(json::Object &object, const char *name, EngUInt32 value) {
  return SetMember(ENG_FUNC, object, name, [&] { return json::UnknownElement(json::Number(double(value))); });
}

char EngJsonAddFloatToObject(json::Object &object, const char *name, float value) {
  return SetMember(ENG_FUNC, object, name, [&] { return json::UnknownElement(json::Number(double(value))); });
}

char EngJsonAddNumbersToObject(json::Object &object, const char *name, const char *c, const float *f1,
                               const float *f2, const float *f3, const float *f4) {
  return SetMember(ENG_FUNC, object, name, [&] {
    json::Array array;
    AppendNumbers(array, c);
    AppendNumbers(array, f1, f2, f3, f4);
    return json::UnknownElement(array);
  });
}

char EngJsonAddNumbersToObject(json::Object &object, const char *name, const char *c1, const char *c2,
                               const char *c3, const char *c4, const char *c5) {
  return SetNumbers(ENG_FUNC, object, name, c1, c2, c3, c4, c5);
}

char EngJsonAddNumbersToObject(json::Object &object, const char *name, const int *i1, const int *i2,
                               const int *i3, const int *i4) {
  return SetNumbers(ENG_FUNC, object, name, i1, i2, i3, i4);
}

char EngJsonAddNumbersToObject(json::Object &object, const char *name, const float *f1, const float *f2,
                               const float *f3, const float *f4) {
  return SetNumbers(ENG_FUNC, object, name, f1, f2, f3, f4);
}

char EngJsonAddNumbersToObject(json::Object &object, const char *name, const double *d1, const double *d2,
                               const double *d3, const double *d4) {
  return SetNumbers(ENG_FUNC, object, name, d1, d2, d3, d4);
}

// ---------------------------------------------------------------------------------------------
// Getters that always report

char EngJsonGetDimensionFromObject(const json::Object &object, const char *name, _Dimension *out) {
  if (IsEmpty(name) || !out) {
    ReportBadParameter(ENG_FUNC);
    return 0;
  }
  float *const fields[] = {&out->x, &out->y, &out->width, &out->height};
  return ReadNumberArray(ENG_FUNC, object, name, 4, false,
                         [&](size_t i, double value) { *fields[i] = ToFloat(value); });
}

char EngJsonGetVector2dFromObject(const json::Object &object, const char *name, _Vector2d *out) {
  if (IsEmpty(name) || !out) {
    ReportBadParameter(ENG_FUNC);
    return 0;
  }
  float *const fields[] = {&out->x, &out->y};
  return ReadNumberArray(ENG_FUNC, object, name, 2, false,
                         [&](size_t i, double value) { *fields[i] = ToFloat(value); });
}

char EngJsonGetArrayOfIntsFromObject(const json::Object &object, const char *name, eint count, eint *out) {
  if (IsEmpty(name) || !out || count <= 0) {
    ReportBadParameter(ENG_FUNC);
    return 0;
  }
  return ReadNumberArray(ENG_FUNC, object, name, size_t(count), true,
                         [&](size_t i, double value) { out[i] = TruncateToInt32(value); });
}

char EngJsonGetArrayOfFloatsFromObject(const json::Object &object, const char *name, int count, float *out) {
  if (IsEmpty(name) || !out || count <= 0) {
    ReportBadParameter(ENG_FUNC);
    return 0;
  }
  return ReadNumberArray(ENG_FUNC, object, name, size_t(count), true,
                         [&](size_t i, double value) { out[i] = ToFloat(value); });
}

char EngJsonGetCharFromObject(const json::Object &object, const char *name, char *out) {
  return GetNumber(ENG_FUNC, object, name, out, ToChar);
}

char EngJsonGetIntFromObject(const json::Object &object, const char *name, int *out) {
  return GetNumber(ENG_FUNC, object, name, out, TruncateToInt32);
}

char EngJsonGetFloatFromObject(const json::Object &object, const char *name, float *out) {
  return GetNumber(ENG_FUNC, object, name, out, ToFloat);
}

char EngJsonReadNumbersFromObject(const json::Object &object, const char *name, char *c, float *f1, float *f2,
                                  float *f3, float *f4) {
  if (IsEmpty(name)) {
    ReportBadParameter(ENG_FUNC);
    return 0;
  }
  float *const floats[] = {f1, f2, f3, f4};
  return ReadNumberArray(ENG_FUNC, object, name, 5, false, [&](size_t i, double value) {
    if (i == 0) {
      if (c) *c = ToChar(value);
    } else if (floats[i - 1]) {
      *floats[i - 1] = ToFloat(value);
    }
  });
}

char EngJsonReadNumbersFromObject(const json::Object &object, const char *name, char *c1, char *c2, char *c3,
                                  char *c4, char *c5) {
  char *const places[] = {c1, c2, c3, c4, c5};
  return ReadIntoPlaces(ENG_FUNC, object, name, places, ToChar);
}

char EngJsonReadNumbersFromObject(const json::Object &object, const char *name, int *i1, int *i2, int *i3,
                                  int *i4) {
  int *const places[] = {i1, i2, i3, i4};
  return ReadIntoPlaces(ENG_FUNC, object, name, places, TruncateToInt32);
}

char EngJsonReadNumbersFromObject(const json::Object &object, const char *name, float *f1, float *f2, float *f3,
                                  float *f4) {
  float *const places[] = {f1, f2, f3, f4};
  return ReadIntoPlaces(ENG_FUNC, object, name, places, ToFloat);
}

char EngJsonReadNumbersFromObject(const json::Object &object, const char *name, double *d1, double *d2,
                                  double *d3, double *d4) {
  double *const places[] = {d1, d2, d3, d4};
  return ReadIntoPlaces(ENG_FUNC, object, name, places, Unchanged);
}

eint EngJsonGetArraySize(const json::Array &array) { return eint(array.Size()); }
