// The writers of TextFile: narrow text out in one encoding each, through a buffer.
#include "Engine/TextFile.h"

#include <cstring>

#include "Engine/EngDebug.h"

TextFileWriter::TextFileWriter(const char *file_name_, EngFile *file_, int buffer_size_)
    : file_name(file_name_),
      file(file_),
      buffer_size(buffer_size_ > 0 ? buffer_size_ : TF_DEFAULT_BUFFER_SIZE),
      buffer(nullptr),
      count(0) {
  buffer = new unsigned char[size_t(buffer_size)];
}

TextFileWriter::~TextFileWriter() { delete[] buffer; }

int TextFileWriter::WriteChar(int) {
  DebugAssertAlt(0, ENG_FUNC, "WriteChar must be overridden");
  return TF_ERROR;
}

int TextFileWriter::WriteString(const char *, int) {
  DebugAssertAlt(0, ENG_FUNC, "WriteString must be overridden");
  return TF_ERROR;
}

int TextFileWriter::WriteBOM() { return TF_OK; }

int TextFileWriter::Flush() {
  if (count == 0) return TF_OK;
  if (!file->Write(buffer, EngUInt32(count))) {
    DebugError("TextFile", "FileWriteError (%s)", file_name);
    return TF_ERROR;  // the bytes stay buffered
  }
  count = 0;
  return TF_OK;
}

int TextFileWriter::Put(const void *bytes, size_t size) {
  const unsigned char *from = static_cast<const unsigned char *>(bytes);
  while (size > 0) {
    if (count == buffer_size && Flush() < 0) return TF_ERROR;
    size_t part = size_t(buffer_size - count);
    if (part > size) part = size;
    memcpy(buffer + count, from, part);
    count += int(part);
    from += part;
    size -= part;
  }
  return TF_OK;
}

// ---------------------------------------------------------------------------------------------

int ANSI_TextFileWriter::WriteChar(int character) {
  const unsigned char byte = (unsigned char)(character & 0xFF);
  return Put(&byte, 1);
}

int ANSI_TextFileWriter::WriteString(const char *text, int length) { return Put(text, size_t(length)); }

int UTF8_TextFileWriter::WriteChar(int character) {
  const unsigned long code = (unsigned long)(unsigned)character;
  unsigned char bytes[4];
  size_t size;
  if (code < 0x80) {
    bytes[0] = (unsigned char)code;
    size = 1;
  } else if (code < 0x800) {
    bytes[0] = (unsigned char)(0xC0 | (code >> 6));
    bytes[1] = (unsigned char)(0x80 | (code & 0x3F));
    size = 2;
  } else if (code <= 0xFFFF) {
    bytes[0] = (unsigned char)(0xE0 | (code >> 12));
    bytes[1] = (unsigned char)(0x80 | ((code >> 6) & 0x3F));
    bytes[2] = (unsigned char)(0x80 | (code & 0x3F));
    size = 3;
  } else {
    bytes[0] = (unsigned char)(0xF0 | ((code >> 18) & 0x07));
    bytes[1] = (unsigned char)(0x80 | ((code >> 12) & 0x3F));
    bytes[2] = (unsigned char)(0x80 | ((code >> 6) & 0x3F));
    bytes[3] = (unsigned char)(0x80 | (code & 0x3F));
    size = 4;
  }
  return Put(bytes, size);
}

int UTF8_TextFileWriter::WriteString(const char *text, int length) {
  for (int i = 0; i < length; i++) {
    const unsigned char byte = (unsigned char)text[i];
    int result;
    if (byte < 0x80) {
      result = Put(&byte, 1);
    } else {
      const unsigned char pair[2] = {(unsigned char)(0xC0 | (byte >> 6)), (unsigned char)(0x80 | (byte & 0x3F))};
      result = Put(pair, 2);
    }
    if (result < 0) return result;
  }
  return TF_OK;
}

int UTF8_TextFileWriter::WriteBOM() {
  static const unsigned char bom[3] = {0xEF, 0xBB, 0xBF};
  return Put(bom, 3);
}

UTF16_TextFileWriter::UTF16_TextFileWriter(const char *file_name_, EngFile *file_, int buffer_size_,
                                           bool big_endian_)
    : TextFileWriter(file_name_, file_, buffer_size_), conversion(nullptr), big_endian(big_endian_) {
  conversion = new unsigned char[size_t(buffer_size) * 2];
}

UTF16_TextFileWriter::~UTF16_TextFileWriter() { delete[] conversion; }

int UTF16_TextFileWriter::WriteChar(int character) {
  const char narrow = char(character & 0xFF);
  return WriteString(&narrow, 1);
}

int UTF16_TextFileWriter::WriteString(const char *text, int length) {
  // Converted a buffer's worth at a time, so any length fits the conversion block.
  const int chunk = buffer_size;
  for (int start = 0; start < length; start += chunk) {
    const int part = length - start < chunk ? length - start : chunk;
    for (int i = 0; i < part; i++) {
      const unsigned char byte = (unsigned char)text[start + i];
      conversion[2 * i] = big_endian ? 0 : byte;
      conversion[2 * i + 1] = big_endian ? byte : 0;
    }
    if (Put(conversion, size_t(part) * 2) < 0) return TF_ERROR;
  }
  return TF_OK;
}

int UTF16_TextFileWriter::WriteBOM() {
  const unsigned char bom[2] = {(unsigned char)(big_endian ? 0xFE : 0xFF), (unsigned char)(big_endian ? 0xFF : 0xFE)};
  return Put(bom, 2);
}

UTF16LE_TextFileWriter::UTF16LE_TextFileWriter(const char *file_name_, EngFile *file_, int buffer_size_)
    : UTF16_TextFileWriter(file_name_, file_, buffer_size_, false) {}

UTF16BE_TextFileWriter::UTF16BE_TextFileWriter(const char *file_name_, EngFile *file_, int buffer_size_)
    : UTF16_TextFileWriter(file_name_, file_, buffer_size_, true) {}
