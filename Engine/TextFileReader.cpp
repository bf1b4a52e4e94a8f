// The readers of TextFile: one per encoding, each cutting its units into lines and handing
// them over as narrow text.
#include "Engine/TextFile.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

namespace {

int UnitAt(const unsigned char *bytes, int unit_size, bool big_endian) {
  if (unit_size == 1) return bytes[0];
  return big_endian ? (bytes[0] << 8) | bytes[1] : bytes[0] | (bytes[1] << 8);
}

// Decodes a raw UTF-8 line into code points (a code point above U+FFFF as a surrogate pair).
// Returns the number of units; *invalid tells whether anything had to be replaced.
int DecodeUtf8(const unsigned char *bytes, size_t length, wchar_t **out, bool *invalid) {
  // At most one unit per byte, except that a four-byte sequence gives two.
  wchar_t *units = alloc_block(*out, (length + 1) * sizeof(wchar_t));
  size_t count = 0, i = 0;
  while (i < length) {
    const unsigned char lead = bytes[i];
    size_t need;
    long code;
    if (lead < 0x80) {
      units[count++] = lead;
      i++;
      continue;
    } else if (lead < 0xE0) {
      need = 1;
      code = lead & 0x1F;
      if (lead < 0xC0) *invalid = true;  // a continuation byte standing as a lead
    } else if (lead < 0xF0) {
      need = 2;
      code = lead & 0x0F;
    } else if (lead < 0xF8) {
      need = 3;
      code = lead & 0x07;
    } else {
      units[count++] = 0xFFFD;
      *invalid = true;
      i++;
      continue;
    }
    size_t taken = 1;
    while (taken <= need && i + taken < length && bytes[i + taken] != 0) {
      if ((bytes[i + taken] & 0xC0) != 0x80) *invalid = true;
      code = (code << 6) | (bytes[i + taken] & 0x3F);
      taken++;
    }
    if (taken <= need) {
      // Cut short by the end of the line (or a zero byte): one replacement for the rest.
      units[count++] = 0xFFFD;
      *invalid = true;
      i += taken;
      continue;
    }
    i += taken;
    if (code > 0xFFFF) {
      if (code > 0x10FFFF) code = 0x10FFFF;
      units[count++] = wchar_t((code >> 10) + 0xD7C0);
      units[count++] = wchar_t((code & 0x3FF) | 0xDC00);
    } else {
      units[count++] = wchar_t(code);
    }
  }
  units[count] = 0;
  *out = units;
  return int(count);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The base reader: buffering and cutting lines

TextFileReader::TextFileReader(const char *file_name_, EngFile *file_, int buffer_size_)
    : file_name(file_name_),
      file(file_),
      buffer_size(buffer_size_ > 0 ? buffer_size_ : TF_DEFAULT_BUFFER_SIZE),
      buffer(nullptr),
      position(0),
      count(0),
      at_end(false),
      warned(false) {
  buffer = new unsigned char[size_t(buffer_size)];
}

TextFileReader::~TextFileReader() { delete[] buffer; }

int TextFileReader::ReadChar() { return TF_EOF; }

int TextFileReader::ReadLine(bool *, char **) { return TF_EOF; }

void TextFileReader::Restart() {
  position = count = 0;
  at_end = false;
}

void TextFileReader::WarnOnce(const char *message) {
  if (warned) return;
  warned = true;
  DebugWarning("TextFile", "%s (%s)", message, file_name);
}

int TextFileReader::Fill(int unit_size) {
  if (at_end) return TF_EOF;
  EngUInt32 got = file->FRead(buffer, EngUInt32(buffer_size));
  if (got == 0) {
    at_end = true;
    if (ferror(file->stream)) {
      DebugError("TextFile", "FileReadError (%s)", file_name);
      return TF_ERROR;
    }
    return TF_EOF;
  }
  // Whole units only (the buffer size is even for UTF-16): a short read may have split one.
  if (got % EngUInt32(unit_size) != 0 && file->FRead(buffer + got, 1) == 1) got++;
  if (got % EngUInt32(unit_size) != 0) {
    WarnOnce("File ends inside a character");
    got--;
    if (got == 0) {
      at_end = true;
      return TF_EOF;
    }
  }
  position = 0;
  count = int(got);
  return TF_OK;
}

// Collects one line of units into *line (its length in *length, terminated). A line ends at a
// line feed, or at a carriage return when the unread buffer holds no line feed; a carriage
// return right before a line feed in the same buffer is dropped.
template <typename T>
int TextFileReader::ReadUnitsLine(int unit_size, bool big_endian, T **line, size_t *length) {
  *length = 0;
  *line = alloc_block(*line, sizeof(T));
  (*line)[0] = 0;
  bool taken = false;
  for (;;) {
    if (position >= count) {
      int result = Fill(unit_size);
      if (result != TF_OK) return taken ? TF_OK : TF_EOF;
    }
    int end = -1;
    for (int at = position; at < count && end < 0; at += unit_size)
      if (UnitAt(buffer + at, unit_size, big_endian) == 10) end = at;
    for (int at = position; at < count && end < 0; at += unit_size)
      if (UnitAt(buffer + at, unit_size, big_endian) == 13) end = at;
    int stop = end >= 0 ? end : count;
    if (end >= 0 && end - unit_size >= position && UnitAt(buffer + end, unit_size, big_endian) == 10 &&
        UnitAt(buffer + end - unit_size, unit_size, big_endian) == 13)
      stop -= unit_size;
    const size_t units = size_t(stop - position) / size_t(unit_size);
    if (units > 0) {
      *line = alloc_block(*line, (*length + units + 1) * sizeof(T));
      for (size_t i = 0; i < units; i++)
        (*line)[*length + i] = T(UnitAt(buffer + position + int(i) * unit_size, unit_size, big_endian));
      *length += units;
      (*line)[*length] = 0;
      taken = true;
    }
    if (end >= 0) {
      position = end + unit_size;
      return TF_OK;
    }
    position = count;
  }
}

int TextFileReader::ReadUnitChar(int unit_size, bool big_endian) {
  for (;;) {
    if (position >= count) {
      int result = Fill(unit_size);
      if (result != TF_OK) return result;
    }
    int unit = UnitAt(buffer + position, unit_size, big_endian);
    position += unit_size;
    if (unit != 13) return unit;
  }
}

// ---------------------------------------------------------------------------------------------
// The encodings

ANSI_TextFileReader::ANSI_TextFileReader(TextFile *owner_, const char *file_name_, EngFile *file_, int buffer_size_)
    : TextFileReader(file_name_, file_, buffer_size_), owner(owner_) {}

int ANSI_TextFileReader::ReadChar() { return ReadUnitChar(1, false); }

int ANSI_TextFileReader::ReadLine(bool *, char **line) {
  // Narrow text is single-byte already: the bytes are the line, pass-through or not.
  size_t length;
  return ReadUnitsLine(1, false, line, &length);
}

UTF8_TextFileReader::UTF8_TextFileReader(const char *file_name_, EngFile *file_, int buffer_size_)
    : TextFileReader(file_name_, file_, buffer_size_), raw_line(nullptr), decoded_line(nullptr) {}

UTF8_TextFileReader::~UTF8_TextFileReader() {
  free_block(raw_line);
  free_block(decoded_line);
}

int UTF8_TextFileReader::ReadChar() { return ReadUnitChar(1, false); }

int UTF8_TextFileReader::ReadLine(bool *lossy, char **line) {
  size_t length;
  int result = ReadUnitsLine(1, false, &raw_line, &length);
  if (result != TF_OK) return result;
  bool invalid = false;
  int units = DecodeUtf8(reinterpret_cast<const unsigned char *>(raw_line), length, &decoded_line, &invalid);
  if (invalid) WarnOnce("Invalid UTF-8 replaced");
  linebuf_UtoA(decoded_line, units, line, lossy);
  return TF_OK;
}

UTF16_TextFileReader::UTF16_TextFileReader(const char *file_name_, EngFile *file_, int buffer_size_,
                                           bool big_endian_)
    : TextFileReader(file_name_, file_, buffer_size_), decoded_line(nullptr), big_endian(big_endian_) {
  DebugAssertAlt(buffer_size % 2 == 0, ENG_FUNC, "UTF-16 buffer size must be even");
}

UTF16_TextFileReader::~UTF16_TextFileReader() { free_block(decoded_line); }

int UTF16_TextFileReader::ReadChar() { return ReadUnitChar(2, big_endian); }

int UTF16_TextFileReader::ReadLine(bool *lossy, char **line) {
  size_t length;
  int result = ReadUnitsLine(2, big_endian, &decoded_line, &length);
  if (result != TF_OK) return result;
  linebuf_UtoA(decoded_line, int(length), line, lossy);
  return TF_OK;
}

UTF16LE_TextFileReader::UTF16LE_TextFileReader(const char *file_name_, EngFile *file_, int buffer_size_)
    : UTF16_TextFileReader(file_name_, file_, buffer_size_, false) {}

UTF16BE_TextFileReader::UTF16BE_TextFileReader(const char *file_name_, EngFile *file_, int buffer_size_)
    : UTF16_TextFileReader(file_name_, file_, buffer_size_, true) {}
