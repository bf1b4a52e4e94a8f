// Lists the names in one folder, filtered by the caller's match callback, in the order the
// file system gives them. "." never appears, ".." only when asked for; other names that
// begin with a dot are listed like any other.
#pragma once

#include "Engine/EngTypes.h"

struct __dirstream;
struct dirent;

// (index of the next accepted entry, name, folder path, user data); nonzero accepts.
typedef char (*DIR_LIST_NEW_NAME_MATCH_CB)(EngInt32 index, const char *name, const char *folder_path,
                                           void *user_data);

class DirList {
 public:
  DirList() = default;
  ~DirList();
  DirList(const DirList &) = delete;
  DirList &operator=(const DirList &) = delete;

  void IncludeParentDirectory(char on) { m_include_parent = on; }
  char OpenDir(const char *folder_path, DIR_LIST_NEW_NAME_MATCH_CB callback, void *user_data);
  EngInt32 CountMatchedFilesInDir();
  char PrepareToGetFilenamesInDir();
  // The next accepted name, or an empty text at the end.
  const char *GetNextFilenameInDir();
  const char *GetFilenameWithPath(const char *name);
  void CleanupAfterGettingFilenamesInDir();
  void CloseDir();

 private:
  enum { STATE_NOT_OPEN = 0, STATE_OPEN = 1, STATE_LISTING = 2 };
  void FreeBuffers();
  // Reads entries from the stream until one is accepted; 0 at the end.
  char NextAcceptedEntry(__dirstream *stream);

  char *m_folder_path = nullptr;
  char *m_name = nullptr;
  char *m_full_path = nullptr;
  DIR_LIST_NEW_NAME_MATCH_CB m_callback = nullptr;
  void *m_user_data = nullptr;
  char m_state = STATE_NOT_OPEN;
  EngInt32 m_buffer_size = 0;
  EngInt32 m_matched_count = 0;
  __dirstream *m_stream = nullptr;
  dirent *m_entry = nullptr;
  char m_include_parent = 0;
};
