#include "Engine/EngFile.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

namespace {

enum { ENG_FILE_FORMAT_STR_SIZE = 2058 };

// One per thread: the debug log writes through Printf from any thread.
thread_local char eng_file_format_str[ENG_FILE_FORMAT_STR_SIZE];

bool IsEmpty(const char *path) { return !path || !*path; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// The file object

EngFile::EngFile() : is_open(0), is_for_reading(0), is_text(0), stream(nullptr), m_not_regular(0) {}

EngFile::EngFile(const char *path, char for_writing, char text_mode) : EngFile() {
  if (for_writing)
    OpenForWriting(path, text_mode);
  else
    OpenForReading(path, text_mode, 1);
}

EngFile::~EngFile() { Close(); }

void EngFile::CloseIfAlreadyOpen(const char *signature, const char *path) {
  if (!stream) return;
  DebugErrorAlt(signature, "File was already opened [%s]", EngReturnSafeString(path));
  Close();
}

namespace {

void MakeBlocking(int descriptor) {
  int flags = fcntl(descriptor, F_GETFL);
  if (flags >= 0) fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
}

// Opens for reading without waiting: a pipe or a device would hold the open (and then each read)
// until someone writes. Only a regular file, or a link to one, is opened; anything else closes
// again with *not_regular set. The descriptor is made blocking again for the reads.
int OpenRegularForReading(const char *path, bool *not_regular, int extra_flags = 0) {
  *not_regular = false;
  int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | extra_flags);
  if (descriptor < 0) {
    // A socket cannot be opened at all; it is no more a file than a pipe.
    struct stat status;
    if (errno == ENXIO && stat(path, &status) == 0 && !S_ISREG(status.st_mode)) *not_regular = true;
    return -1;
  }
  struct stat status;
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    *not_regular = true;
    close(descriptor);
    errno = EINVAL;
    return -1;
  }
  MakeBlocking(descriptor);
  return descriptor;
}

// Opens for writing without waiting and truncates only once the open is known to be a regular
// file: a pipe would hold the open until someone reads. A pipe, a socket or a folder is refused;
// a device (such as /dev/full) is written as asked. Mode 'x' makes a new file only: whatever
// is at the name, a link included, fails the open.
int OpenForWritingWithoutWaiting(const char *path, char mode) {
  const int how = mode == 'a' ? O_APPEND : mode == 'x' ? O_EXCL | O_NOFOLLOW : 0;
  int descriptor = open(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | how, 0666);
  if (descriptor < 0) return -1;
  struct stat status;
  if (fstat(descriptor, &status) != 0 || S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode) ||
      S_ISDIR(status.st_mode) || (mode == 'w' && S_ISREG(status.st_mode) && ftruncate(descriptor, 0) != 0)) {
    close(descriptor);
    errno = EINVAL;
    return -1;
  }
  MakeBlocking(descriptor);
  return descriptor;
}

}  // namespace

char EngFile::OpenWithMode(const char *path, char mode, char for_reading, char text_mode) {
  m_not_regular = 0;
  FILE *opened = nullptr;
  if (for_reading) {
    bool not_regular = false;
    int descriptor = OpenRegularForReading(path, &not_regular);
    m_not_regular = not_regular ? 1 : 0;
    if (descriptor < 0) return 0;
    opened = fdopen(descriptor, "r");
    if (!opened) {
      close(descriptor);
      return 0;
    }
  } else {
    int descriptor = OpenForWritingWithoutWaiting(path, mode);
    if (descriptor < 0) return 0;
    opened = fdopen(descriptor, mode == 'a' ? "a" : "w");
    if (!opened) {
      close(descriptor);
      return 0;
    }
  }
  stream = opened;
  is_open = 1;
  is_for_reading = for_reading;
  is_text = text_mode ? 1 : 0;
  return 1;
}

char EngFile::OpenForReading(const char *path, char text_mode, char report) {
  CloseIfAlreadyOpen(ENG_FUNC, path);
  if (IsEmpty(path)) {
    if (report) DebugErrorAlt(ENG_FUNC, "No filename specified");
    return 0;
  }
  if (!OpenWithMode(path, 'r', 1, text_mode)) {
    // What is not a file is told even when a missing one is not: it is no first run.
    if (m_not_regular)
      DebugErrorAlt(ENG_FUNC, "Not a regular file <%s>", path);
    else if (report)
      DebugErrorAlt(ENG_FUNC, "Could not open file <%s>", path);
    return 0;
  }
  return 1;
}

char EngFile::OpenForReadingIfExists(const char *path, char text_mode) { return OpenForReading(path, text_mode, 0); }

// The common steps of the writing opens; each reports under its own signature. A quick report
// goes to standard error only (the debug log's own file is opened that way).
char EngFile::OpenForWritingAs(const char *func, const char *path, char mode, char text_mode, const char *failure,
                               char quick) {
  CloseIfAlreadyOpen(func, path);
  if (IsEmpty(path)) {
    DebugErrorAlt(func, "No filename specified");
    return 0;
  }
  if (!OpenWithMode(path, mode, 0, text_mode)) {
    if (quick)
      DebugErrorQuickAlt(func, failure, path);
    else
      DebugErrorAlt(func, failure, path);
    return 0;
  }
  return 1;
}

char EngFile::OpenForWriting(const char *path, char text_mode) {
  return OpenForWritingAs(ENG_FUNC, path, 'w', text_mode, "Could not open or create file <%s>", 1);
}

char EngFile::CreateForWriting(const char *path, char text_mode) {
  return OpenForWritingAs(ENG_FUNC, path, 'w', text_mode, "Could not create file <%s>", 0);
}

char EngFile::CreateNewForWriting(const char *path, char text_mode) {
  CloseIfAlreadyOpen(ENG_FUNC, path);
  if (IsEmpty(path)) {
    DebugErrorAlt(ENG_FUNC, "No filename specified");
    return 0;
  }
  if (!OpenWithMode(path, 'x', 0, text_mode)) {
    if (errno == EEXIST)
      DebugErrorAlt(ENG_FUNC, "Could not create file <%s>: something else is already at its name", path);
    else
      DebugErrorAlt(ENG_FUNC, "Could not create file <%s>", path);
    return 0;
  }
  return 1;
}

char EngFile::OpenForAppending(const char *path, char text_mode) {
  return OpenForWritingAs(ENG_FUNC, path, 'a', text_mode, "Could not open or create file <%s>", 0);
}

char EngFile::Close() {
  char ok = 1;
  if (stream) {
    // Buffered data reach the disk only here; a failure now is lost data and must be told.
    if (fclose(stream) != 0) {
      ok = 0;
      if (!is_for_reading) DebugErrorQuickAlt(ENG_FUNC, "Could not write to file");
    }
  }
  stream = nullptr;
  is_open = 0;
  is_for_reading = 0;
  is_text = 0;
  return ok;
}

char EngFile::GetIdentity(EngFileIdentity *out) {
  if (!stream || !out) {
    DebugErrorAlt(ENG_FUNC, "File is not opened");
    return 0;
  }
  struct stat status;
  if (fstat(fileno(stream), &status) != 0) {
    DebugErrorAlt(ENG_FUNC, "Could not read the file's status");
    return 0;
  }
  out->device = status.st_dev;
  out->inode = status.st_ino;
  return 1;
}

char EngFile::Read(void *buffer, EngUInt32 count, char report_nothing_read) {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not open");
    return 0;
  }
  if (!is_for_reading) {
    DebugErrorAlt(ENG_FUNC, "File is not open for reading");
    return 0;
  }
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "Nowhere to read to");
    return 0;
  }
  size_t got = count ? fread(buffer, 1, count, stream) : 0;
  if (got == 0) {
    if (report_nothing_read) DebugErrorAlt(ENG_FUNC, "Could not read from file");
    return 0;
  }
  if (got < count) {
    DebugErrorAlt(ENG_FUNC, "Problem reading from file [ read %u not %u ]", unsigned(got), unsigned(count));
    return 0;
  }
  return 1;
}

EngUInt32 EngFile::FRead(void *buffer, EngUInt32 count) {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not open");
    return 0;
  }
  if (!is_for_reading) {
    DebugErrorAlt(ENG_FUNC, "File is not open for reading");
    return 0;
  }
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "Nowhere to read to");
    return 0;
  }
  return count ? EngUInt32(fread(buffer, 1, count, stream)) : 0;
}

char EngFile::ReadLine(char *buffer, EngUInt32 size) {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not open");
    return 0;
  }
  if (!is_for_reading) {
    DebugErrorAlt(ENG_FUNC, "File is not open for reading");
    return 0;
  }
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "Nowhere to read to");
    return 0;
  }
  // Without room for one character and the terminator a line never advances.
  if (size < 2) {
    DebugErrorAlt(ENG_FUNC, "Buffer too small to read a line (%u bytes)", unsigned(size));
    if (size == 1) buffer[0] = 0;
    return 0;
  }
  int limit = size > EngUInt32(INT_MAX) ? INT_MAX : int(size);
  if (!fgets(buffer, limit, stream)) {
    buffer[0] = 0;
    return 0;
  }
  return 1;
}

char EngFile::Write(const void *buffer, EngUInt32 count) {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not open");
    return 0;
  }
  if (is_for_reading) {
    DebugErrorAlt(ENG_FUNC, "File is not open for writing");
    return 0;
  }
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "Nowhere to write from");
    return 0;
  }
  size_t written = count ? fwrite(buffer, 1, count, stream) : 0;
  if (written == 0) {
    DebugErrorAlt(ENG_FUNC, "Could not write to file");
    return 0;
  }
  // A short write loses data whatever the mode.
  if (written < count) {
    DebugErrorAlt(ENG_FUNC, "Only wrote %u of %u bytes to file", unsigned(written), unsigned(count));
    return 0;
  }
  return 1;
}

EngUInt32 EngFile::FWrite(const void *buffer, EngUInt32 count) {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not open");
    return 0;
  }
  if (is_for_reading) {
    DebugErrorAlt(ENG_FUNC, "File is not open for writing");
    return 0;
  }
  if (!buffer) {
    DebugErrorAlt(ENG_FUNC, "Nowhere to write from");
    return 0;
  }
  return count ? EngUInt32(fwrite(buffer, 1, count, stream)) : 0;
}

char EngFile::Printf(const char *format, ...) {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not open");
    return 0;
  }
  if (is_for_reading) {
    DebugErrorAlt(ENG_FUNC, "File is not open for writing");
    return 0;
  }
  va_list args;
  va_start(args, format);
  int formatted = vsnprintf(eng_file_format_str, sizeof eng_file_format_str, format, args);
  va_end(args);
  if (formatted < 0) {
    DebugErrorAlt(ENG_FUNC, "Could not write to file");
    return 0;
  }
  size_t length = strlen(eng_file_format_str);
  if (length == 0) return 1;
  if (!Write(eng_file_format_str, EngUInt32(length))) {
    DebugErrorAlt(ENG_FUNC, "Could not write to file");
    return 0;
  }
  return 1;
}

char EngFile::Rewind() {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not opened");
    return 0;
  }
  if (fseek(stream, 0, SEEK_SET) != 0) {
    DebugErrorAlt(ENG_FUNC, "Error rewinding file");
    return 0;
  }
  return 1;
}

char EngFile::MoveToPosition(EngUInt32 position) {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not opened");
    return 0;
  }
  if (fseek(stream, long(position), SEEK_SET) != 0) {
    DebugErrorAlt(ENG_FUNC, "Error moving to end of file");
    return 0;
  }
  return 1;
}

char EngFile::MoveToPositionFromCurrentPosition(EngInt32 offset) {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not opened");
    return 0;
  }
  if (fseek(stream, long(offset), SEEK_CUR) != 0) {
    DebugErrorAlt(ENG_FUNC, "Error moving to end of file");
    return 0;
  }
  return 1;
}

char EngFile::MoveToEnd() {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not opened");
    return 0;
  }
  if (fseek(stream, 0, SEEK_END) != 0) {
    DebugErrorAlt(ENG_FUNC, "Error moving to end of file");
    return 0;
  }
  return 1;
}

EngUInt32 EngFile::GetPosition() {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not opened");
    return 0;
  }
  long position = ftell(stream);
  return (position < 0 || position > long(UINT32_MAX)) ? 0 : EngUInt32(position);
}

char EngFile::IsAtEnd() {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not opened");
    return 0;
  }
  return feof(stream) ? 1 : 0;
}

EngUInt32 EngFile::GetSize() {
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "File is not opened");
    return 0;
  }
  long remembered = ftell(stream);
  long size = MoveToEnd() ? ftell(stream) : -1;
  // A size that does not fit the record sizes' width must not pass for a small file.
  if (size < 0 || size > long(UINT32_MAX)) {
    DebugErrorAlt(ENG_FUNC, "Problem getting size");
    size = 0;
  }
  if (remembered >= 0) fseek(stream, remembered, SEEK_SET);
  return EngUInt32(size);
}

// ---------------------------------------------------------------------------------------------
// Whole files

char EngFileExists(const char *path, char report) {
  struct stat status;
  if (!IsEmpty(path) && stat(path, &status) == 0 && S_ISREG(status.st_mode)) return 1;
  if (report) DebugError("EngFileExists", "File not found: %s", EngReturnSafeString(path));
  return 0;
}

char EngFileIsNotRegular(const char *signature, const char *path) {
  struct stat status;
  // A dangling link is as good as a missing file; a link to a pipe is a pipe.
  if (IsEmpty(path) || stat(path, &status) != 0 || S_ISREG(status.st_mode)) return 0;
  DebugErrorAlt(signature, "Not a regular file <%s>", path);
  return 1;
}

char EngFileNameIsTaken(const char *path) {
  struct stat status;
  return (!IsEmpty(path) && lstat(path, &status) == 0) ? 1 : 0;
}

FILE *EngFileOpenStreamForReading(const char *path) {
  if (IsEmpty(path)) return nullptr;
  bool not_regular = false;
  int descriptor = OpenRegularForReading(path, &not_regular);
  if (descriptor < 0) return nullptr;
  FILE *stream = fdopen(descriptor, "rb");
  if (!stream) close(descriptor);
  return stream;
}

char EngFileDirectoryExists(const char *path) {
  if (IsEmpty(path)) return 0;
  DIR *dir = opendir(path);
  if (!dir) return 0;
  closedir(dir);
  return 1;
}

EngUInt32 EngFileGetFileSize(const char *path, char text_mode) {
  EngFile file;
  if (!file.OpenForReading(path, text_mode, 1)) {
    DebugErrorAlt(ENG_FUNC, "Could not open file <%s>", EngReturnSafeString(path));
    return 0;
  }
  return file.GetSize();
}

EngUInt32 EngFileGetLastModifiedTime(const char *path) {
  if (IsEmpty(path)) {
    DebugErrorAlt(ENG_FUNC, "No filename specified");
    return 0;
  }
  struct stat status;
  if (stat(path, &status) != 0 || !S_ISREG(status.st_mode)) {
    DebugErrorAlt(ENG_FUNC, "Could not open file <%s>", path);
    return 0;
  }
  if (status.st_mtime < 0) return 0;
  return EngUInt32(status.st_mtime);
}

namespace {

char OpenReadAndClose(const char *signature, const char *path, char text_mode, void *buffer, euint size,
                      char report_missing) {
  EngFile file;
  if (!file.OpenForReading(path, text_mode, report_missing)) {
    if (report_missing) DebugErrorAlt(signature, "Could not open file <%s>", path);
    return 0;
  }
  // The caller's buffer is exactly the size asked for: a file of any other size is not read.
  if (file.GetSize() != size) {
    DebugErrorAlt(signature, "Invalid file size in <%s>", path);
    return 0;
  }
  if (!file.Read(buffer, size, 1)) {
    DebugErrorAlt(signature, "Could not read from file <%s>", path);
    return 0;
  }
  file.Close();
  return 1;
}

// A whole-file save of one buffer, reporting one of the two messages given (the first when
// the file cannot be created).
char SaveBuffer(const char *signature, const char *path, char text_mode, const void *buffer, euint size,
                const char *open_failed_message, const char *write_failed_message) {
  EngFileSaveResult result =
      EngFileSaveAtomically(path, text_mode, [&](EngFile &file) { return file.Write(buffer, size) != 0; });
  if (result == ENG_FILE_SAVED) return 1;
  DebugErrorAlt(signature, result == ENG_FILE_SAVE_NOT_CREATED ? open_failed_message : write_failed_message, path);
  return 0;
}

// A renamed file's new name reaches the disk only when its folder is synced too.
void SyncFolderOf(const char *path) {
  const char *slash = strrchr(path, '/');
  std::string folder = !slash ? "." : slash == path ? "/" : std::string(path, slash);
  int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
}

}  // namespace

EngFileSaveResult EngFileSaveAtomically(const char *path, char text_mode, const std::function<bool(EngFile &)> &write,
                                        unsigned permissions) {
  if (IsEmpty(path)) return ENG_FILE_SAVE_NOT_CREATED;
  const std::string temporary = std::string(path) + ".tmp";
  // unlink takes a link away rather than what it names, and never a folder; whatever comes back
  // before the exclusive create below makes it fail rather than be written through.
  unlink(temporary.c_str());
  int descriptor =
      open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, permissions & 0777);
  if (descriptor < 0) return ENG_FILE_SAVE_NOT_CREATED;
  MakeBlocking(descriptor);
  EngFile file;
  file.stream = fdopen(descriptor, "w");
  if (!file.stream) {
    close(descriptor);
    unlink(temporary.c_str());
    return ENG_FILE_SAVE_NOT_CREATED;
  }
  file.is_open = 1;
  file.is_text = text_mode ? 1 : 0;
  bool ok = write(file) && fflush(file.stream) == 0 && fsync(fileno(file.stream)) == 0;
  ok = file.Close() && ok;
  ok = ok && rename(temporary.c_str(), path) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return ENG_FILE_SAVE_NOT_WRITTEN;
  }
  SyncFolderOf(path);
  return ENG_FILE_SAVED;
}

char EngFileOpenReadAndClose(const char *path, char text_mode, void *buffer, euint size) {
  if (IsEmpty(path)) {
    DebugErrorAlt(ENG_FUNC, "No filename specified");
    return 0;
  }
  return OpenReadAndClose(ENG_FUNC, path, text_mode, buffer, size, 1);
}

char EngFileOpenReadAndCloseIfExists(const char *path, char text_mode, void *buffer, euint size) {
  if (IsEmpty(path)) return 0;
  return OpenReadAndClose(ENG_FUNC, path, text_mode, buffer, size, 0);
}

char EngFileOpenWriteAndClose(const char *path, char text_mode, const void *buffer, euint size) {
  if (IsEmpty(path)) {
    DebugErrorAlt(ENG_FUNC, "No filename specified");
    return 0;
  }
  return SaveBuffer(ENG_FUNC, path, text_mode, buffer, size, "Could not open file <%s>",
                    "Could not write to file <%s>");
}

void *EngFileReadFileContentsToMemory(const char *path, char text_mode, euint extra, euint *size_out) {
  if (size_out) *size_out = 0;
  if (IsEmpty(path)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  if (!EngFileExists(path, 0)) {
    DebugErrorAlt(ENG_FUNC, "File does not exist.");
    return nullptr;
  }
  EngFile file;
  if (!file.OpenForReading(path, text_mode, 1)) {
    DebugErrorAlt(ENG_FUNC, "Could not open file.");
    return nullptr;
  }
  EngUInt32 size = file.GetSize();
  if (size == 0) {
    DebugErrorAlt(ENG_FUNC, "File is empty.");
    return nullptr;
  }
  // The reported size must fit the caller's 32-bit count, terminator included.
  if (EngUInt64(size) + extra + 1 > UINT32_MAX) {
    DebugErrorAlt(ENG_FUNC, "File is too large.");
    return nullptr;
  }
  void *block = EngMalloc(size_t(size) + extra + 1, "EngFileReadFileContentsToMemory", 1);
  if (!block) return nullptr;
  if (!file.Read(block, size, 1)) {
    EngFree(block, 0, "EngFileReadFileContentsToMemory");
    DebugErrorAlt(ENG_FUNC, "Could not read file");
    return nullptr;
  }
  if (size_out) *size_out = size + extra;
  return block;
}

char EngFileWriteMemoryContentsToFile(const char *path, char text_mode, const void *buffer, euint size) {
  if (IsEmpty(path) || !buffer || !size) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  return SaveBuffer(ENG_FUNC, path, text_mode, buffer, size, "Could not open file.", "Could not write to file.");
}

// ---------------------------------------------------------------------------------------------
// Folders, deleting, copying and moving

char EngFileCreateDirectory(const char *path, char report) {
  if (IsEmpty(path)) {
    DebugErrorAlt(ENG_FUNC, "No filename specified");
    return 0;
  }
  if (mkdir(path, 0777) != 0) {
    if (report) DebugErrorAlt(ENG_FUNC, "Failed to create directory <%s>", path);
    return 0;
  }
  if (!EngFileDirectoryExists(path)) {
    if (report) DebugErrorAlt(ENG_FUNC, "Directory was not created <%s>", path);
    return 0;
  }
  return 1;
}

char EngFileDelete(const char *path, char report) {
  if (IsEmpty(path)) {
    DebugErrorAlt(ENG_FUNC, "No filename specified");
    return 0;
  }
  if (unlink(path) != 0) {
    if (report) DebugErrorAlt(ENG_FUNC, "Deletion failed.");
    return 0;
  }
  return 1;
}

char EngFileDeleteIfExists(const char *path, char report) {
  // A pipe or a link left at one of our names goes too: opened for writing, a pipe would wait.
  struct stat status;
  if (IsEmpty(path) || lstat(path, &status) != 0 || S_ISDIR(status.st_mode)) return 1;
  return EngFileDelete(path, report);
}

char EngFileDeleteDirectory(const char *path) {
  if (IsEmpty(path)) {
    DebugErrorAlt(ENG_FUNC, "No name specified");
    return 0;
  }
  if (rmdir(path) != 0) {
    DebugErrorAlt(ENG_FUNC, "Deletion failed.");
    return 0;
  }
  return 1;
}

namespace {

bool IsIdentity(const struct stat &status, const EngFileIdentity &identity) {
  return S_ISREG(status.st_mode) && status.st_dev == identity.device && status.st_ino == identity.inode;
}

// Without following a link: a link to the very file is still not the file.
bool NameHoldsIdentity(const char *path, const EngFileIdentity &identity) {
  struct stat status;
  return lstat(path, &status) == 0 && IsIdentity(status, identity);
}

// Copies a regular file's bytes and permission bits into a whole-file save of the target, so an
// existing target is replaced whole or not at all. With `only`, what was opened must be that file
// (checked on the descriptor, so a swap after any earlier check is not copied); *not_the_file then
// tells that failure from the others.
bool CopyFileContents(const char *source, const char *target, const EngFileIdentity *only = nullptr,
                      bool *not_the_file = nullptr) {
  bool not_regular = false;
  int input = OpenRegularForReading(source, &not_regular, only ? O_NOFOLLOW : 0);
  if (input < 0) {
    if (only && not_the_file) *not_the_file = not_regular || errno == ELOOP;
    return false;
  }
  struct stat status;
  if (fstat(input, &status) != 0 || (only && !IsIdentity(status, *only))) {
    if (only && not_the_file) *not_the_file = true;
    close(input);
    return false;
  }
  EngFileSaveResult result = EngFileSaveAtomically(
      target, 0,
      [&](EngFile &file) {
        std::vector<char> chunk(65536);
        for (;;) {
          ssize_t got = read(input, chunk.data(), chunk.size());
          if (got < 0 && errno == EINTR) continue;
          if (got <= 0) return got == 0;
          if (!file.Write(chunk.data(), EngUInt32(got))) return false;
        }
      },
      unsigned(status.st_mode & 0777));
  close(input);
  return result == ENG_FILE_SAVED;
}

}  // namespace

char EngFileCopyFile(const char *source, const char *target, char fail_if_target_exists) {
  if (IsEmpty(source) || IsEmpty(target)) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (strcmp(source, target) == 0) {
    DebugErrorAlt(ENG_FUNC, "Files are the same <%s>", source);
    return 0;
  }
  if (fail_if_target_exists && EngFileNameIsTaken(target)) {
    DebugErrorAlt(ENG_FUNC, "File <%s> exists", target);
    return 0;
  }
  if (!EngFileExists(source, 0)) {
    DebugErrorAlt(ENG_FUNC, "File <%s> does not exist", source);
    return 0;
  }
  // An existing target is replaced by the rename at the end of the copy, not deleted first,
  // so a copy that fails half way leaves it as it was.
  if (!CopyFileContents(source, target) || !EngFileExists(target, 0)) {
    DebugErrorAlt(ENG_FUNC, "File was not copied: <%s> to <%s>", source, target);
    return 0;
  }
  return 1;
}

char EngFileMoveFile(const char *source, const char *target, const EngFileIdentity *only) {
  if (IsEmpty(source) || IsEmpty(target)) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  // Whatever is at the target (a folder, a pipe, a link) would be replaced by the rename.
  if (EngFileNameIsTaken(target)) {
    DebugErrorAlt(ENG_FUNC, "File <%s> exists", target);
    return 0;
  }
  if (only && !NameHoldsIdentity(source, *only)) {
    DebugErrorAlt(ENG_FUNC, "File <%s> is not the file that was written", source);
    return 0;
  }
  if (!EngFileExists(source, 0)) {
    DebugErrorAlt(ENG_FUNC, "File <%s> does not exist", source);
    return 0;
  }
  if (rename(source, target) != 0) {
    if (errno == EXDEV) {
      // Another file system: copy, and remove the source only once the copy is safely there.
      bool not_the_file = false;
      if (CopyFileContents(source, target, only, &not_the_file)) {
        unlink(source);
      } else if (not_the_file) {
        DebugErrorAlt(ENG_FUNC, "File <%s> is not the file that was written", source);
        return 0;
      }
    }
  } else if (only && !NameHoldsIdentity(target, *only)) {
    // The name was swapped between the check and the rename: what came is not left at the target.
    rename(target, source);
    DebugErrorAlt(ENG_FUNC, "File <%s> is not the file that was written", source);
    return 0;
  }
  if (!EngFileExists(target, 0)) {
    DebugErrorAlt(ENG_FUNC, "File was not moved: <%s> to <%s>", source, target);
    return 0;
  }
  if (EngFileExists(source, 0)) {
    DebugErrorAlt(ENG_FUNC, "Existing file still exists: <%s> to <%s>", source, target);
    return 0;
  }
  return 1;
}

char EngFileRenameDirectory(const char *source, const char *target) {
  if (IsEmpty(source) || IsEmpty(target)) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters");
    return 0;
  }
  if (EngFileDirectoryExists(target)) {
    DebugErrorAlt(ENG_FUNC, "File <%s> exists", target);
    return 0;
  }
  if (!EngFileDirectoryExists(source)) {
    DebugErrorAlt(ENG_FUNC, "File <%s> does not exist", source);
    return 0;
  }
  rename(source, target);
  if (!EngFileDirectoryExists(target)) {
    DebugErrorAlt(ENG_FUNC, "Dir was not renamed: <%s> to <%s>", source, target);
    return 0;
  }
  if (EngFileDirectoryExists(source)) {
    DebugErrorAlt(ENG_FUNC, "Existing directory still exists: <%s> to <%s>", source, target);
    return 0;
  }
  return 1;
}

char EngFileMoveToTrash(const char *path) {
  if (IsEmpty(path)) {
    DebugErrorAlt(ENG_FUNC, "No filename");
    return 0;
  }
  if (!EngFileExists(path, 0)) {
    DebugErrorAlt(ENG_FUNC, "File does not exist");
    return 0;
  }
  enum { TRASH_FOLDER_SIZE = 512 };
  size_t length = strlen(path);
  size_t buffer_size = length + TRASH_FOLDER_SIZE + 1;
  char *trash_path = static_cast<char *>(EngMalloc(buffer_size, "EngFileMoveToTrash", 1));
  if (!trash_path) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  if (!EngFileGetTrashDirectory_MAC(trash_path, TRASH_FOLDER_SIZE)) {
    EngFree(trash_path, 1, "EngFileMoveToTrash");
    return 0;
  }
  const char *separator = strrchr(path, '/');
  const char *name = separator ? separator + 1 : path;
  size_t used = strlen(trash_path);
  snprintf(trash_path + used, buffer_size - used, "/%s", name);
  if (EngFileExists(trash_path, 0)) EngFileDelete(trash_path, 1);
  DebugInfo("Moving <%s> to the trash <%s>", path, trash_path);
  char moved = EngFileMoveFile(path, trash_path);
  EngFree(trash_path, 1, "EngFileMoveToTrash");
  return moved;
}

// ---------------------------------------------------------------------------------------------
// Platform odds and ends

void EngFileReverseWordBitsForPlatform(EngUInt32 *words, euint count) {
  // Files hold little-endian words; only a big-endian processor has anything to do.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  if (!words) return;
  for (euint i = 0; i < count; i++) words[i] = __builtin_bswap32(words[i]);
#else
  (void)words;
  (void)count;
#endif
}

void EngFileOutputLastError(const char *caller, const char *, char, EngInt32, char) {
  if (caller)
    DebugErrorAlt(ENG_FUNC, "Not supported on Mac (called by %s)", caller);
  else
    DebugErrorAlt(ENG_FUNC, "Not supported on Mac");
}
