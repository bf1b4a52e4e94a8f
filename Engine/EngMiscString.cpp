#include "Engine/EngMiscString.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

enum { ENG_MISC_INT_STRING_SIZE = 16 };

static char eng_misc_int_string[ENG_MISC_INT_STRING_SIZE];

static char EngMiscAsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

static char EngMiscIsAsciiLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

static char EngMiscIsSeparator(char c) { return c == '/' || c == '\\'; }

// The library's own hex digit rule: other characters are not checked.
static int EngMiscHexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return c - 87;
}

const char *EngMiscStrIStr(const char *text, const char *find) {
  if (!text || !find || !*text || !*find) return nullptr;
  for (const char *t = text; *t; t++) {
    const char *a = t;
    const char *b = find;
    while (*a && *b && EngMiscAsciiUpper(*a) == EngMiscAsciiUpper(*b)) {
      a++;
      b++;
    }
    if (!*b) return t;
    if (!*a) return nullptr;
  }
  return nullptr;
}

const char *EngMiscMatchStringInString(const char *text, const char *find, char after) {
  if (!text || !*text) return nullptr;
  if (!find || !*find) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  const char *found = strstr(text, find);
  if (found && after) found += strlen(find);
  return found;
}

char *EngMiscGetStringInBetweenStrings(const char *text, const char *start, const char *end) {
  if (!text || !*text) return nullptr;
  if (!start || !*start || !end || !*end) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  const char *from = strstr(text, start);
  if (!from) return nullptr;
  from += strlen(start);
  const char *to = strstr(from, end);
  if (!to) return nullptr;
  size_t length = size_t(to - from);
  char *result = static_cast<char *>(EngMalloc(length + 1, ENG_FUNC, 0));
  if (!result) return nullptr;
  memcpy(result, from, length);
  result[length] = 0;
  return result;
}

int EngMiscGetFirstOccurenceOfCharacterInString(const char *text, char c) {
  if (!text || !*text) return -1;
  for (int i = 0; text[i]; i++)
    if (text[i] == c) return i;
  return -1;
}

char EngMiscRemoveFirstOccurenceOfStringFromString(char *text, const char *remove, const char *insert) {
  if (!text || !*text || !remove || !*remove) return 0;
  char *found = strstr(text, remove);
  if (!found) return 0;
  size_t remove_length = strlen(remove);
  size_t insert_length = 0;
  if (insert) {
    insert_length = strlen(insert);
    if (insert_length > remove_length) {
      DebugErrorAlt(ENG_FUNC, "str_to_add too long.");
      insert_length = 0;
    }
  }
  char *tail = found + remove_length;
  // The text never grows, so the part after the occurrence only ever moves left.
  memmove(found + insert_length, tail, strlen(tail) + 1);
  if (insert_length) memcpy(found, insert, insert_length);
  return 1;
}

static char EngMiscIsWordEnd(char c) { return c == 0 || c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

char *EngMiscGetStringAfterReplacingStringInStringOnce(const char *text, const char *find, const char *replace,
                                                      char case_sensitive, char word_end) {
  if (!text || !find || !*find || !replace) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  if (!*text) return nullptr;
  size_t find_length = strlen(find);
  const char *match = text;
  for (;;) {
    match = case_sensitive ? EngStrStr(match, find, 0) : EngStrIStr(match, find, 0);
    if (!match) return nullptr;
    if (!word_end || EngMiscIsWordEnd(match[find_length])) break;
    match++;
  }
  size_t text_length = strlen(text);
  size_t before = size_t(match - text);
  size_t replace_length = strlen(replace);
  size_t after = text_length - before - find_length;
  size_t new_length = before + replace_length + after;
  size_t buffer_size = (new_length > text_length ? new_length : text_length) + 1;
  char *result = static_cast<char *>(EngMalloc(buffer_size, ENG_FUNC, 0));
  if (!result) return nullptr;
  memcpy(result, text, before);
  memcpy(result + before, replace, replace_length);
  memcpy(result + before + replace_length, match + find_length, after);
  result[new_length] = 0;
  return result;
}

void EngMiscMakeStringUpperCase(char *text) {
  if (!text) return;
  for (; *text; text++) *text = EngMiscAsciiUpper(*text);
}

char EngMiscRemoveAnyCarriageReturnsFromEndOfString(char *text) {
  if (!text || !*text) return 0;
  size_t length = strlen(text);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) text[--length] = 0;
  return 1;
}

char EngMiscRemoveAnySpacesFromStartOrEndOfString(char *text) {
  if (!text || !*text) return 0;
  size_t length = strlen(text);
  size_t first = 0;
  while (first < length && (text[first] == ' ' || text[first] == '\t')) first++;
  while (length > first && (text[length - 1] == ' ' || text[length - 1] == '\t')) length--;
  memmove(text, text + first, length - first);
  text[length - first] = 0;
  return 1;
}

const char *EngMiscGetStringFromInt32(int n) {
  snprintf(eng_misc_int_string, sizeof(eng_misc_int_string), "%d", n);
  return eng_misc_int_string;
}

char EngMiscIsCharAlphaNumeric(char c, char space, char dot, char comma, char dash) {
  if (EngMiscIsAsciiLetterOrDigit(c)) return 1;
  return (space && c == ' ') || (dot && c == '.') || (comma && c == ',') || (dash && c == '-');
}

char EngMiscIsStringAlphaNumeric(const char *text, char space, char dot, char comma, char dash) {
  if (!text || !*text) return 0;
  for (; *text; text++)
    if (!EngMiscIsCharAlphaNumeric(*text, space, dot, comma, dash)) return 0;
  return 1;
}

static char EngMiscEqualsIgnoringCase(const char *a, const char *b) {
  for (; *a && *b; a++, b++)
    if (EngMiscAsciiUpper(*a) != EngMiscAsciiUpper(*b)) return 0;
  return *a == *b;
}

char EngMiscIsFilenamePicture(const char *name) {
  if (!name || strlen(name) < 4) return 0;
  const char *dot = strrchr(name, '.');
  if (!dot || dot == name || strlen(dot + 1) < 3) return 0;
  static const char *const kPictureExtensions[] = {"jpg", "jpeg", "tga", "bmp"};
  for (const char *extension : kPictureExtensions)
    if (EngMiscEqualsIgnoringCase(dot + 1, extension)) return 1;
  return 0;
}

char EngMiscIsEmailAddressValid(const char *text, int max_length) {
  if (!text) return 0;
  size_t length = strlen(text);
  if (length < 3) return 0;
  if (max_length > 0 && length >= size_t(max_length)) return 0;
  int at_count = 0;
  size_t at = 0;
  for (size_t i = 0; i < length; i++) {
    unsigned char c = (unsigned char)text[i];
    if (c < 33 || c > 126) return 0;
    if (c == '@') {
      at_count++;
      at = i;
    }
  }
  if (at_count != 1 || at == 0 || at + 1 >= length) return 0;
  return strchr(text + at + 1, '.') ? 1 : 0;
}

const char *EngMiscGetFilenameInPathWithFilenameString(const char *path, int *separator_index, int *length,
                                                       char report) {
  if (separator_index) *separator_index = -1;
  if (length) *length = 0;
  if (!path || !*path) {
    if (report) DebugErrorAlt(ENG_FUNC, "No path");
    return nullptr;
  }
  size_t path_length = strlen(path);
  if (length) *length = int(path_length);
  if (path_length < 2) {
    if (report) DebugErrorAlt(ENG_FUNC, "Path too small");
    return nullptr;
  }
  for (size_t i = path_length - 1; i-- > 0;) {
    if (EngMiscIsSeparator(path[i])) {
      if (separator_index) *separator_index = int(i);
      return path + i + 1;
    }
  }
  if (report) DebugErrorAlt(ENG_FUNC, "No path/filename found");
  return nullptr;
}

// The last '.' of a name when it is neither its first nor its last character.
static const char *EngMiscFindExtensionDot(const char *signature, const char *name) {
  if (!name || !*name) {
    DebugErrorAlt(signature, "No filename.");
    return nullptr;
  }
  const char *dot = strrchr(name, '.');
  if (!dot || dot == name || !dot[1]) {
    DebugErrorAlt(signature, "No extension in [%s].", name);
    return nullptr;
  }
  return dot;
}

const char *EngMiscGetExtensionFromFilename(const char *name) {
  const char *dot = EngMiscFindExtensionDot(ENG_FUNC, name);
  return dot ? dot + 1 : nullptr;
}

char *EngMiscGetBasenameFromFilename(const char *name) {
  const char *dot = EngMiscFindExtensionDot(ENG_FUNC, name);
  if (!dot) return nullptr;
  size_t length = size_t(dot - name);
  char *result = static_cast<char *>(EngMalloc(length + 1, ENG_FUNC, 0));
  if (!result) return nullptr;
  memcpy(result, name, length);
  result[length] = 0;
  return result;
}

char *EngMiscGetRootFolderFromPath(const char *path, int *length, char *allocated) {
  if (length) *length = 0;
  if (allocated) *allocated = 0;
  if (!allocated || !path || !*path) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  const char *separator = strchr(path, '\\');
  if (!separator) separator = strchr(path, '/');
  size_t path_length = strlen(path);
  if (!separator || !separator[1]) {
    if (length) *length = int(path_length);
    return const_cast<char *>(path);
  }
  if (separator == path) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return nullptr;
  }
  size_t root_length = size_t(separator - path);
  char *root = static_cast<char *>(EngMalloc(root_length + 1, ENG_FUNC, 0));
  if (!root) return nullptr;
  memcpy(root, path, root_length);
  root[root_length] = 0;
  if (length) *length = int(root_length);
  *allocated = 1;
  return root;
}

// The text is never written to, and every copy is cut to the buffer. The position comes
// only from earlier reads, so it never lies past the terminator.
static char EngMiscReadUpTo(char *data, EngUInt32 *pos, char separator, char *buffer, size_t size) {
  const char *start = data + *pos;
  if (!*start) {
    buffer[0] = 0;
    return 0;
  }
  const char *stop = strchr(start, separator);
  if (!stop) {
    size_t copied = strnlen(start, size - 1);
    memcpy(buffer, start, copied);
    buffer[copied] = 0;
    *pos += EngUInt32(copied);
    return 1;
  }
  size_t line_length = size_t(stop - start);
  size_t copied = line_length < size - 1 ? line_length : size - 1;
  memcpy(buffer, start, copied);
  buffer[copied] = 0;
  *pos += EngUInt32(line_length + 1);
  return data[*pos] ? 1 : 2;
}

char EngMiscGetLineFromData(_EngMiscGetLineFromDataInfo *info, char *buffer, size_t size) {
  if (!info || !info->data) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (!buffer || !size) {
    DebugErrorAlt(ENG_FUNC, "No line.");
    return 0;
  }
  return EngMiscReadUpTo(info->data, &info->pos, '\n', buffer, size);
}

char EngMiscGetFieldFromData(_EngMiscGetFieldFromDataInfo *info, char *buffer, size_t size) {
  if (!info || !info->data || !info->separator) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (!buffer || !size) {
    DebugErrorAlt(ENG_FUNC, "No field.");
    return 0;
  }
  return EngMiscReadUpTo(info->data, &info->pos, info->separator, buffer, size);
}

// atoi's reading, but a number too large for an int becomes INT_MAX or INT_MIN instead
// of undefined behaviour.
static long EngMiscParseInt(const char *text) {
  errno = 0;
  long value = strtol(text, nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return value;
}

template <typename T>
static char EngMiscGetBoundedFromString(const char *signature, const char *text, T *out, T min, T max,
                                        const char *no_out_message) {
  if (!out) {
    DebugErrorAlt(signature, "%s", no_out_message);
    return 0;
  }
  if (!text || !*text) {
    DebugErrorAlt(signature, "No string.");
    *out = 0;
    return 0;
  }
  long value = EngMiscParseInt(text);
  if (value < long(min)) {
    DebugErrorAlt(signature, "Value too low (%d < %d)", int(value), int(min));
    *out = min;
    return 0;
  }
  if (value > long(max)) {
    DebugErrorAlt(signature, "Value too high (%d > %d)", int(value), int(max));
    *out = max;
    return 0;
  }
  *out = T(value);
  return 1;
}

char EngMiscGetIntFromString(const char *text, int *int_out, int min, int max) {
  return EngMiscGetBoundedFromString<int>(ENG_FUNC, text, int_out, min, max, "No int_out.");
}

char EngMiscGetInt16FromString(const char *text, short *out_val, short min, short max) {
  return EngMiscGetBoundedFromString<short>(ENG_FUNC, text, out_val, min, max, "No out_val.");
}

char EngMiscGetUInt16FromString(const char *text, unsigned short *out_val, unsigned short min,
                                unsigned short max) {
  return EngMiscGetBoundedFromString<unsigned short>(ENG_FUNC, text, out_val, min, max, "No out_val.");
}

char EngMiscGetCharFromString(const char *text, char *out_val, char min, char max) {
  return EngMiscGetBoundedFromString<char>(ENG_FUNC, text, out_val, min, max, "No out_val.");
}

char EngMiscGetUCharFromString(const char *text, unsigned char *out_val, unsigned char min, unsigned char max) {
  return EngMiscGetBoundedFromString<unsigned char>(ENG_FUNC, text, out_val, min, max, "No out_val.");
}

char *EngMiscUrlEncodeString(const char *text) {
  if (!text) return nullptr;
  size_t length = strlen(text);
  char *result = static_cast<char *>(malloc(3 * length + 1));
  if (!result) return nullptr;
  static const char kHexDigits[] = "0123456789abcdef";
  char *out = result;
  for (const char *in = text; *in; in++) {
    char c = *in;
    if (EngMiscIsAsciiLetterOrDigit(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      *out++ = c;
    } else {
      unsigned char byte = (unsigned char)c;
      *out++ = '%';
      *out++ = kHexDigits[byte >> 4];
      *out++ = kHexDigits[byte & 0x0f];
    }
  }
  *out = 0;
  return result;
}

char *EngMiscUrlDecodeString(const char *text) {
  if (!text) return nullptr;
  char *result = static_cast<char *>(malloc(strlen(text) + 1));
  if (!result) return nullptr;
  char *out = result;
  for (const char *in = text; *in; in++) {
    if (*in == '+') {
      *out++ = ' ';
    } else if (*in == '%') {
      if (in[1] && in[2]) {
        *out++ = char(EngMiscHexDigitValue(in[1]) * 16 + EngMiscHexDigitValue(in[2]));
        in += 2;
      }
    } else {
      *out++ = *in;
    }
  }
  *out = 0;
  return result;
}

void EngMiscOutputLongString(const char *text, int piece_length, char first_and_last_only) {
  if (!text) {
    DebugPlainText("(nothing)");
    return;
  }
  if (!*text) {
    DebugPlainText("(empty)");
    return;
  }
  if (piece_length < 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  size_t length = strlen(text);
  if (length <= size_t(piece_length)) {
    DebugPlainText("[%s]", text);
    return;
  }
  size_t pieces = (length + size_t(piece_length) - 1) / size_t(piece_length);
  for (size_t i = 0; i < pieces; i++) {
    if (first_and_last_only && i != 0 && i != pieces - 1) continue;
    size_t offset = i * size_t(piece_length);
    int count = int(length - offset < size_t(piece_length) ? length - offset : size_t(piece_length));
    DebugPlainText("%02d: <%.*s>", int(i), count, text + offset);
  }
}

void EngMiscStringResetForTests() { memset(eng_misc_int_string, 0, sizeof(eng_misc_int_string)); }
