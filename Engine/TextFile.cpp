#include "Engine/TextFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

namespace {

const EngUInt32 DB_SIG = 0x54464C42;  // "TFLB"
const size_t kBlockUnit = 1024;

struct BlockHeader {
  EngUInt32 signature;
  EngUInt32 capacity;
  EngUInt32 length;
};
static_assert(sizeof(BlockHeader) == 12, "three 32-bit words");

BlockHeader *HeaderOf(const void *block) {
  BlockHeader *header = reinterpret_cast<BlockHeader *>(static_cast<char *>(const_cast<void *>(block)) - sizeof(BlockHeader));
  DebugAssertAlt(header->signature == DB_SIG, ENG_FUNC, "Bad memory block signature");
  return header;
}

char *eng_text_file_last_error = nullptr;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Growable blocks

void *alloc_block(void *block, size_t size) {
  DebugAssertAlt(size <= 0xFFFFFFFFu - kBlockUnit - sizeof(BlockHeader), ENG_FUNC, "Block size too large");
  const size_t wanted = (size + kBlockUnit - 1) / kBlockUnit * kBlockUnit;
  BlockHeader *header = block ? HeaderOf(block) : nullptr;
  if (header && header->capacity >= wanted) {
    header->length = EngUInt32(size);
    return block;
  }
  // An empty request still gets one unit, so a block always has room for a terminator.
  const size_t capacity = wanted ? wanted : kBlockUnit;
  header = static_cast<BlockHeader *>(realloc(header, sizeof(BlockHeader) + capacity));
  DebugAssertAlt(header != nullptr, ENG_FUNC, "Out of memory for a block of %zu bytes", size);
  if (!header) abort();
  header->signature = DB_SIG;
  header->capacity = EngUInt32(capacity);
  header->length = EngUInt32(size);
  return header + 1;
}

void free_block(void *block) {
  if (block) free(HeaderOf(block));
}

void *copy_block(const void *block) {
  if (!block) return nullptr;
  const BlockHeader *header = HeaderOf(block);
  BlockHeader *copy = static_cast<BlockHeader *>(malloc(sizeof(BlockHeader) + header->capacity));
  DebugAssertAlt(copy != nullptr, ENG_FUNC, "Out of memory copying a block");
  if (!copy) abort();
  memcpy(copy, header, sizeof(BlockHeader) + header->capacity);
  return copy + 1;
}

size_t get_blocklen(const void *block) { return block ? HeaderOf(block)->length : 0; }

size_t get_buflen(const void *block) { return block ? HeaderOf(block)->capacity : 0; }

int linebuf_AtoU(const char *text, int length, wchar_t **block) {
  if (!text) text = "";
  const size_t count = length < 0 ? strlen(text) : size_t(length);
  wchar_t *out = alloc_block(*block, (count + 1) * sizeof(wchar_t));
  for (size_t i = 0; i < count; i++) out[i] = wchar_t(static_cast<unsigned char>(text[i]));
  out[count] = 0;
  *block = out;
  return int(count);
}

int linebuf_UtoA(const wchar_t *units, int count, char **block, bool *lossy) {
  size_t total = 0;
  if (units) total = count < 0 ? wcslen(units) : size_t(count);
  char *out = alloc_block(*block, total + 1);
  size_t length = 0;
  for (size_t i = 0; i < total; i++) {
    const wchar_t unit = units[i];
    if (unit >= 0 && unit <= 255) {
      out[length++] = char(unit);
      continue;
    }
    // No narrow form: one '?' per character, a surrogate pair being one character.
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < total && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) i++;
    out[length++] = '?';
    if (lossy) *lossy = true;
  }
  out[length] = 0;
  *block = out;
  return int(length);
}

// ---------------------------------------------------------------------------------------------
// Strings

char *copy_string(const char *text) {
  if (!text) text = "";
  const size_t size = strlen(text) + 1;
  char *copy = static_cast<char *>(EngMalloc(size, "copy_string", 0));
  if (copy) memcpy(copy, text, size);
  return copy;
}

char *AtoA(const char *text) { return copy_string(text); }

char *vFormatPString(const char *format, va_list args) {
  char text[512];
  vsnprintf(text, sizeof text, format ? format : "", args);
  return copy_string(text);
}

char *FormatPString(const char *format, ...) {
  va_list args;
  va_start(args, format);
  char *text = vFormatPString(format, args);
  va_end(args);
  return text;
}

void vLogError(const char *format, va_list args) {
  char text[512];
  vsnprintf(text, sizeof text, format ? format : "", args);
  DebugError("vLogError", "%s", text);
}

void LogError(const char *format, ...) {
  va_list args;
  va_start(args, format);
  vLogError(format, args);
  va_end(args);
}

void SetLastErrorString(const char *text) {
  if (eng_text_file_last_error) EngFree(eng_text_file_last_error, 0, "SetLastErrorString");
  eng_text_file_last_error = text ? copy_string(text) : nullptr;
}

const char *GetLastErrorString() { return eng_text_file_last_error ? eng_text_file_last_error : ""; }

char *LookupSystemError(int) { return copy_string(""); }

// ---------------------------------------------------------------------------------------------
// TextFile

TextFile::TextFile()
    : file_name(nullptr),
      file_mode(TF_CLOSED),
      encoding(TF_DETECT),
      flags(0),
      ansi_pass_thru(false),
      buffer_size(0),
      reader(nullptr),
      writer(nullptr),
      bom_pending(false),
      conversion_parameter(0),
      unknown_char(nullptr) {}

TextFile::~TextFile() {
  Close();
  SetUnknownChar(nullptr);
}

void TextFile::Release() {
  delete reader;
  reader = nullptr;
  delete writer;
  writer = nullptr;
  if (file_name) EngFree(file_name, 0, "TextFile");
  file_name = nullptr;
  file_mode = TF_CLOSED;
}

int TextFile::Open(const char *name, int mode, int encoding_and_flags, int buffer_size_) {
  if (file_mode != TF_CLOSED) Close();
  const int wanted = encoding_and_flags & 0xFF;
  encoding = TF_DETECT;
  if (mode == TF_READ) {
    DebugAssertAlt(wanted == TF_DETECT || wanted == TF_ANSI, ENG_FUNC, "Reading needs encoding 0 or 1, not %d",
                   wanted);
    if (!name || !*name || !file.OpenForReading(name, 1, 1)) {
      DebugError("TextFile", "OpenFileError (%s)", name ? name : "");
      return TF_ERROR;
    }
  } else if (mode == TF_WRITE || mode == TF_APPEND) {
    DebugAssertAlt(wanted >= TF_DETECT && wanted <= TF_UTF8, ENG_FUNC, "Bad encoding %d", wanted);
    char opened = 0;
    if (name && *name) opened = mode == TF_WRITE ? file.CreateForWriting(name, 1) : file.OpenForAppending(name, 1);
    if (!opened) {
      DebugError("TextFile", "OpenFileError - could not open file for writing (%s)", name ? name : "");
      return TF_ERROR;
    }
  } else {
    DebugError("TextFile", "Bad file mode %d (%s)", mode, name ? name : "");
    return TF_ERROR;
  }

  file_name = copy_string(name);
  file_mode = mode;
  encoding = wanted;
  flags = encoding_and_flags;
  ansi_pass_thru = false;
  buffer_size = buffer_size_ > 0 ? buffer_size_ : TF_DEFAULT_BUFFER_SIZE;

  if (mode == TF_READ) {
    int result = CreateReader();
    if (result != TF_OK) {
      file.Close();
      Release();
    }
    return result;
  }
  if (encoding == TF_DETECT) encoding = TF_ANSI;
  bom_pending = true;
  if (mode == TF_APPEND && file.GetSize() != 0) {
    file.MoveToEnd();
    bom_pending = false;
  }
  switch (encoding) {
    case TF_UTF8: writer = new UTF8_TextFileWriter(file_name, &file, buffer_size); break;
    case TF_UTF16LE: writer = new UTF16LE_TextFileWriter(file_name, &file, buffer_size); break;
    case TF_UTF16BE: writer = new UTF16BE_TextFileWriter(file_name, &file, buffer_size); break;
    default: writer = new ANSI_TextFileWriter(file_name, &file, buffer_size); break;
  }
  return TF_OK;
}

int TextFile::CreateReader() {
  // UTF-16 is read in whole units; an odd buffer would split one, whatever the caller asked.
  const int even_size = buffer_size + (buffer_size & 1);
  if (encoding == TF_ANSI) {
    reader = new ANSI_TextFileReader(this, file_name, &file, buffer_size);
    return TF_OK;
  }
  unsigned char bom[3];
  int got = 0;
  auto read_byte = [&]() -> int {
    if (file.FRead(&bom[got], 1) == 1) return bom[got++];
    if (ferror(file.stream)) return -2;
    return -1;
  };
  int first = read_byte();
  if (first == -2) {
    DebugError("TextFile", "FileReadError (1byte: %s)", file_name);
    return TF_ERROR;
  }
  if (first == -1) {
    reader = new TextFileReader(file_name, &file, buffer_size);  // an empty file: at its end at once
    return TF_OK;
  }
  int second = -1, third = -1;
  if (first == 0xEF || first == 0xFE || first == 0xFF) second = read_byte();
  if (first == 0xEF && second == 0xBB) third = read_byte();
  if (second == -2 || third == -2) {
    DebugError("TextFile", "FileReadError (%s)", file_name);
    return TF_ERROR;
  }
  if (first == 0xEF && second == 0xBB && third == 0xBF) {
    encoding = TF_UTF8;
    reader = new UTF8_TextFileReader(file_name, &file, buffer_size);
  } else if (first == 0xFE && second == 0xFF) {
    encoding = TF_UTF16BE;
    reader = new UTF16BE_TextFileReader(file_name, &file, even_size);
  } else if (first == 0xFF && second == 0xFE) {
    encoding = TF_UTF16LE;
    reader = new UTF16LE_TextFileReader(file_name, &file, even_size);
  } else {
    // Two thirds of a UTF-8 BOM is a damaged file rather than single-byte text that happens
    // to start with those letters: say so, then read its bytes as they are.
    if (first == 0xEF && second == 0xBB)
      DebugWarning("TextFile", "Incomplete UTF-8 BOM, read as single-byte text (%s)", file_name);
    if (!file.Rewind()) {
      DebugError("TextFile", "FileReadError (%s)", file_name);
      return TF_ERROR;
    }
    encoding = TF_ANSI;
    reader = new ANSI_TextFileReader(this, file_name, &file, buffer_size);
  }
  return TF_OK;
}

int TextFile::Close() {
  if (file_mode == TF_CLOSED) return TF_OK;
  int result = TF_OK;
  if (writer) result = writer->Flush();
  if (!file.Close() && file_mode != TF_READ) {
    DebugError("TextFile", "FileWriteError (%s)", file_name);
    result = TF_ERROR;
  }
  Release();
  return result;
}

int TextFile::ReadLine(bool *lossy, char **line) {
  if (lossy) *lossy = false;
  DebugAssertAlt(file_mode == TF_READ && reader != nullptr, ENG_FUNC, "Not open for reading");
  DebugAssertAlt(line != nullptr, ENG_FUNC, "No line block");
  // The caller always gets a usable (empty) line back, even at the end.
  *line = alloc_block(*line, 1);
  (*line)[0] = 0;
  return reader->ReadLine(lossy, line);
}

int TextFile::ReadChar() {
  DebugAssertAlt(file_mode == TF_READ && reader != nullptr, ENG_FUNC, "Not open for reading");
  return reader->ReadChar();
}

int TextFile::WriteBOMIfPending() {
  if (!bom_pending) return TF_OK;
  int result = writer->WriteBOM();
  if (result < 0) return result;
  bom_pending = false;
  return TF_OK;
}

int TextFile::WriteString(bool *lossy, const char *text) {
  if (lossy) *lossy = false;
  DebugAssertAlt(file_mode > TF_READ && writer != nullptr, ENG_FUNC, "Not open for writing");
  int result = WriteBOMIfPending();
  if (result < 0) return result;
  if (!text || !*text) return TF_OK;
  if (flags & TF_NO_CRLF) return writer->WriteString(text, int(strlen(text)));
  for (;;) {
    const char *feed = strchr(text, '\n');
    if (!feed) return *text ? writer->WriteString(text, int(strlen(text))) : TF_OK;
    if (feed > text && (result = writer->WriteString(text, int(feed - text))) < 0) return result;
    if ((result = writer->WriteString("\r\n", 2)) < 0) return result;
    text = feed + 1;
  }
}

int TextFile::WriteChar(bool *lossy, int character) {
  if (lossy) *lossy = false;
  DebugAssertAlt(file_mode > TF_READ && writer != nullptr, ENG_FUNC, "Not open for writing");
  if (character == '\n') return WriteString(lossy, "\n");
  int result = WriteBOMIfPending();
  if (result < 0) return result;
  // Only UTF-8 can hold a character beyond the narrow range.
  if (lossy && encoding != TF_UTF8 && (character < 0 || character > 255)) *lossy = true;
  return writer->WriteChar(character);
}

int TextFile::vFormatString(bool *lossy, const char *format, va_list args) {
  char text[512];
  vsnprintf(text, sizeof text, format ? format : "", args);
  return WriteString(lossy, text);
}

int TextFile::FormatString(bool *lossy, const char *format, ...) {
  va_list args;
  va_start(args, format);
  int result = vFormatString(lossy, format, args);
  va_end(args);
  return result;
}

int TextFile::Flush() {
  if (file_mode == TF_READ || !writer) return TF_OK;
  return writer->Flush();
}

int TextFile::Rewind() {
  if (file_mode == TF_CLOSED) return TF_OK;
  if (writer && writer->Flush() < 0) return TF_ERROR;
  if (!file.Rewind()) {
    DebugError("TextFile::Rewind", "Error rewinding file");
    return TF_ERROR;
  }
  if (reader) {
    // The BOM was read when the file was opened; reading starts after it again.
    const EngUInt32 bom_length = encoding == TF_UTF8 ? 3 : (encoding == TF_UTF16LE || encoding == TF_UTF16BE) ? 2 : 0;
    if (bom_length && !file.MoveToPosition(bom_length)) {
      DebugError("TextFile::Rewind", "Error rewinding file");
      return TF_ERROR;
    }
    reader->Restart();
  }
  if (file_mode == TF_WRITE) bom_pending = true;
  return TF_OK;
}

void TextFile::SetUnknownChar(const char *text) {
  if (unknown_char) EngFree(unknown_char, 0, "TextFile");
  unknown_char = text ? copy_string(text) : nullptr;
}

void TextFile::SetAnsiPassThru(bool flag) {
  DebugAssertAlt(file_mode == TF_READ, ENG_FUNC, "Pass-through is for reading only");
  DebugAssertAlt(!flag || encoding == TF_ANSI, ENG_FUNC, "Pass-through needs single-byte text");
  ansi_pass_thru = flag;
}
