// Text files: TextFile reads a file line by line into narrow (ISO 8859-1) text whatever its
// encoding (UTF-8, UTF-16 of either byte order, single-byte; told apart by the BOM), and
// writes narrow text in a chosen encoding. Lines travel in growable blocks (alloc_block).
#pragma once

#include <cstdarg>
#include <cstddef>

#include "Engine/EngFile.h"

// Encodings, as stored and reported.
enum { TF_DETECT = 0, TF_ANSI = 1, TF_UTF16LE = 2, TF_UTF16BE = 3, TF_UTF8 = 4 };
// File modes; every mode above TF_READ writes.
enum { TF_CLOSED = 0, TF_READ = 1, TF_WRITE = 2, TF_APPEND = 3 };
// Flag in Open's third argument: write line feeds as they are, not as "\r\n".
enum { TF_NO_CRLF = 0x100 };
// Results of the TextFile operations.
enum { TF_OK = 0, TF_EOF = -1, TF_ERROR = -2 };
enum { TF_DEFAULT_BUFFER_SIZE = 4096 };

class TextFile;

class TextFileReader {
 public:
  TextFileReader(const char *file_name, EngFile *file, int buffer_size);
  virtual ~TextFileReader();
  TextFileReader(const TextFileReader &) = delete;
  TextFileReader &operator=(const TextFileReader &) = delete;
  // The next unit other than a carriage return; -1 at the end, -2 on a read error.
  virtual int ReadChar();
  // 0 with a line in *line (a block), -1 at the end.
  virtual int ReadLine(bool *lossy, char **line);
  // Forgets buffered data and the end, after the file has been moved.
  void Restart();

 protected:
  int Fill(int unit_size);
  template <typename T>
  int ReadUnitsLine(int unit_size, bool big_endian, T **line, size_t *length);
  int ReadUnitChar(int unit_size, bool big_endian);
  void WarnOnce(const char *message);

  const char *file_name;
  EngFile *file;
  int buffer_size;
  unsigned char *buffer;
  int position;
  int count;
  bool at_end;
  bool warned;
};

class ANSI_TextFileReader : public TextFileReader {
 public:
  ANSI_TextFileReader(TextFile *owner, const char *file_name, EngFile *file, int buffer_size);
  int ReadChar() override;
  int ReadLine(bool *lossy, char **line) override;

 private:
  [[maybe_unused]] TextFile *owner;
};

class UTF8_TextFileReader : public TextFileReader {
 public:
  UTF8_TextFileReader(const char *file_name, EngFile *file, int buffer_size);
  ~UTF8_TextFileReader() override;
  int ReadChar() override;
  int ReadLine(bool *lossy, char **line) override;

 private:
  char *raw_line;
  wchar_t *decoded_line;
};

class UTF16_TextFileReader : public TextFileReader {
 public:
  UTF16_TextFileReader(const char *file_name, EngFile *file, int buffer_size, bool big_endian);
  ~UTF16_TextFileReader() override;
  int ReadChar() override;
  int ReadLine(bool *lossy, char **line) override;

 private:
  wchar_t *decoded_line;
  bool big_endian;
};

class UTF16LE_TextFileReader : public UTF16_TextFileReader {
 public:
  UTF16LE_TextFileReader(const char *file_name, EngFile *file, int buffer_size);
};

class UTF16BE_TextFileReader : public UTF16_TextFileReader {
 public:
  UTF16BE_TextFileReader(const char *file_name, EngFile *file, int buffer_size);
};

class TextFileWriter {
 public:
  TextFileWriter(const char *file_name, EngFile *file, int buffer_size);
  virtual ~TextFileWriter();
  TextFileWriter(const TextFileWriter &) = delete;
  TextFileWriter &operator=(const TextFileWriter &) = delete;
  virtual int WriteChar(int character);
  virtual int WriteString(const char *text, int length);
  virtual int WriteBOM();
  int Flush();

 protected:
  int Put(const void *bytes, size_t count);

  const char *file_name;
  EngFile *file;
  int buffer_size;
  unsigned char *buffer;
  int count;
};

class ANSI_TextFileWriter : public TextFileWriter {
 public:
  using TextFileWriter::TextFileWriter;
  int WriteChar(int character) override;
  int WriteString(const char *text, int length) override;
};

class UTF8_TextFileWriter : public TextFileWriter {
 public:
  using TextFileWriter::TextFileWriter;
  int WriteChar(int character) override;
  int WriteString(const char *text, int length) override;
  int WriteBOM() override;
};

class UTF16_TextFileWriter : public TextFileWriter {
 public:
  UTF16_TextFileWriter(const char *file_name, EngFile *file, int buffer_size, bool big_endian);
  ~UTF16_TextFileWriter() override;
  int WriteChar(int character) override;
  int WriteString(const char *text, int length) override;
  int WriteBOM() override;

 private:
  unsigned char *conversion;
  bool big_endian;
};

class UTF16LE_TextFileWriter : public UTF16_TextFileWriter {
 public:
  UTF16LE_TextFileWriter(const char *file_name, EngFile *file, int buffer_size);
};

class UTF16BE_TextFileWriter : public UTF16_TextFileWriter {
 public:
  UTF16BE_TextFileWriter(const char *file_name, EngFile *file, int buffer_size);
};

class TextFile {
 public:
  TextFile();
  ~TextFile();
  TextFile(const TextFile &) = delete;
  TextFile &operator=(const TextFile &) = delete;

  // encoding_and_flags: the encoding in its low 8 bits (reading takes TF_DETECT or TF_ANSI),
  // TF_NO_CRLF above; buffer_size 0 means 4096. 0 or -2.
  int Open(const char *name, int mode, int encoding_and_flags, int buffer_size);
  int Close();
  // *line is the caller's block (start it null, free it with free_block); 0 or -1.
  int ReadLine(bool *lossy, char **line);
  int ReadChar();
  int WriteString(bool *lossy, const char *text);
  int WriteChar(bool *lossy, int character);
  int FormatString(bool *lossy, const char *format, ...) __attribute__((format(printf, 3, 4)));
  int vFormatString(bool *lossy, const char *format, va_list args);
  int Flush();
  int Rewind();
  void SetUnknownChar(const char *text);
  void SetAnsiPassThru(bool flag);

  int GetEncoding() const { return encoding; }
  int GetMode() const { return file_mode; }
  bool GetAnsiPassThru() const { return ansi_pass_thru; }

 private:
  int CreateReader();
  int WriteBOMIfPending();
  void Release();

  char *file_name;
  int file_mode;
  int encoding;
  int flags;
  bool ansi_pass_thru;
  int buffer_size;
  EngFile file;
  TextFileReader *reader;
  TextFileWriter *writer;
  bool bom_pending;
  [[maybe_unused]] int conversion_parameter;  // no reader or writer converts by it
  char *unknown_char;
};

// Growable blocks: a header (signature, capacity, length) in front of the data pointer they
// are handed around as. Capacity is a multiple of 1024 and never shrinks.
void *alloc_block(void *block, size_t size);
template <typename T>
T *alloc_block(T *block, size_t size) {
  return static_cast<T *>(alloc_block(static_cast<void *>(block), size));
}
void free_block(void *block);
void *copy_block(const void *block);
size_t get_blocklen(const void *block);
size_t get_buflen(const void *block);
// Narrow text (its whole length when length is -1) as code points, terminated; the count.
int linebuf_AtoU(const char *text, int length, wchar_t **block);
// Code points (up to the terminator when count is -1) as narrow text, terminated; its length.
// A code point above 255 (a surrogate pair counts as one) becomes '?' and sets *lossy.
int linebuf_UtoA(const wchar_t *units, int count, char **block, bool *lossy = nullptr);

// New strings, freed with EngFree.
char *copy_string(const char *text);
char *AtoA(const char *text);
char *FormatPString(const char *format, ...) __attribute__((format(printf, 1, 2)));
char *vFormatPString(const char *format, va_list args);
void LogError(const char *format, ...) __attribute__((format(printf, 1, 2)));
void vLogError(const char *format, va_list args);
void SetLastErrorString(const char *text);
const char *GetLastErrorString();
char *LookupSystemError(int code);
