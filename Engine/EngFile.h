// Files: a thin object over the buffered standard file calls, and free functions that test,
// read, write, delete, copy and move whole files and folders. Every failure is logged through
// the debug log and returned as 0 or null; nothing here throws. The trash folder is in MAC/.
#pragma once

#include <cstdio>
#include <functional>

#include "Engine/EngTypes.h"

// How a whole-file save ended (EngFileSaveAtomically below); the old file is kept unless saved.
enum EngFileSaveResult { ENG_FILE_SAVED = 0, ENG_FILE_SAVE_NOT_CREATED, ENG_FILE_SAVE_NOT_WRITTEN };

// Which file an open stream wrote through, so a name swapped for another thing later is told apart.
struct EngFileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
};

class EngFile {
 public:
  EngFile();
  // Opens at once (for writing, or for reading with reporting); test is_open afterwards.
  EngFile(const char *path, char for_writing, char text_mode);
  ~EngFile();
  EngFile(const EngFile &) = delete;
  EngFile &operator=(const EngFile &) = delete;

  char OpenForReading(const char *path, char text_mode, char report);
  char OpenForReadingIfExists(const char *path, char text_mode);
  char OpenForWriting(const char *path, char text_mode);
  char CreateForWriting(const char *path, char text_mode);
  // A new file only: whatever stands at the name (a file, a link, a pipe, a folder) fails the
  // open, so nothing is written through a link put there after the caller removed the name.
  char CreateNewForWriting(const char *path, char text_mode);
  char OpenForAppending(const char *path, char text_mode);
  // 0 when the stream could not be flushed on closing (the data may be lost); closed either way.
  char Close();
  // 0 when not open or the file cannot be asked.
  char GetIdentity(EngFileIdentity *out);

  char Read(void *buffer, EngUInt32 count, char report_nothing_read);
  EngUInt32 FRead(void *buffer, EngUInt32 count);
  char ReadLine(char *buffer, EngUInt32 size);
  char Write(const void *buffer, EngUInt32 count);
  EngUInt32 FWrite(const void *buffer, EngUInt32 count);
  char Printf(const char *format, ...) __attribute__((format(printf, 2, 3)));

  char Rewind();
  char MoveToPosition(EngUInt32 position);
  char MoveToPositionFromCurrentPosition(EngInt32 offset);
  char MoveToEnd();
  EngUInt32 GetPosition();
  char IsAtEnd();
  EngUInt32 GetSize();

  char is_open;
  char is_for_reading;
  char is_text;
  FILE *stream;

 private:
  // The last open for reading found something that is not a regular file.
  char m_not_regular;
  void CloseIfAlreadyOpen(const char *signature, const char *path);
  char OpenWithMode(const char *path, char mode, char for_reading, char text_mode);
  char OpenForWritingAs(const char *func, const char *path, char mode, char text_mode, const char *failure,
                        char quick);
};

// Files are tested without opening them: opening a pipe waits until someone writes. Only a
// regular file (or a link to one) exists here; a folder, a pipe, a socket or a device does not,
// and every open for reading refuses them without waiting.
char EngFileExists(const char *path, char report);
// 1 when the path holds something that is not a regular file, logged once under the caller's
// signature; the caller goes on as for a missing file.
char EngFileIsNotRegular(const char *signature, const char *path);
// 1 when anything at all is at the path, a dangling link included: a rename there replaces it.
char EngFileNameIsTaken(const char *path);
// A standard stream for the libraries that read one (fclose it), refusing as above; null when
// the path holds no regular file or cannot be opened.
FILE *EngFileOpenStreamForReading(const char *path);
char EngFileDirectoryExists(const char *path);
EngUInt32 EngFileGetFileSize(const char *path, char text_mode = 0);
EngUInt32 EngFileGetLastModifiedTime(const char *path);
char EngFileOpenReadAndClose(const char *path, char text_mode, void *buffer, euint size);
char EngFileOpenReadAndCloseIfExists(const char *path, char text_mode, void *buffer, euint size);
// Every whole-file save goes through this one: the file is replaced whole or not at all.
// Whatever stands at "<path>.tmp" (a file left by a killed save, a link, a pipe) is removed and
// the name made afresh, without following a link or waiting for a reader; a folder there is
// left and fails the save. `write` fills the open file (false abandons the save); it is then
// synced, renamed over the path and the folder synced. Beyond what the file object reports for
// `write`, nothing is logged: each caller tells its own failure from the result.
EngFileSaveResult EngFileSaveAtomically(const char *path, char text_mode, const std::function<bool(EngFile &)> &write,
                                        unsigned permissions = 0666);
char EngFileOpenWriteAndClose(const char *path, char text_mode, const void *buffer, euint size);
// A new zero-filled block (free with EngFree) of the file's size + extra + 1 bytes.
void *EngFileReadFileContentsToMemory(const char *path, char text_mode, euint extra, euint *size_out);
char EngFileWriteMemoryContentsToFile(const char *path, char text_mode, const void *buffer, euint size);

char EngFileCreateDirectory(const char *path, char report);
char EngFileDelete(const char *path, char report);
char EngFileDeleteIfExists(const char *path, char report);
char EngFileDeleteDirectory(const char *path);
char EngFileCopyFile(const char *source, const char *target, char fail_if_target_exists);
// With `only`, the source must be that very file, not followed through a link: anything else
// there fails the move and is left as it is.
char EngFileMoveFile(const char *source, const char *target, const EngFileIdentity *only = nullptr);
char EngFileRenameDirectory(const char *source, const char *target);
char EngFileMoveToTrash(const char *path);

void EngFileReverseWordBitsForPlatform(EngUInt32 *words, euint count);
void EngFileOutputLastError(const char *caller, const char *text, char flag, EngInt32 number, char flag2);

// The user's trash folder (created when missing) into the buffer of the given size.
char EngFileGetTrashDirectory_MAC(char *buffer, int size);
