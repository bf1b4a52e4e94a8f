#include "Engine/EngDirList.h"

#include <cstdio>
#include <cstring>
#include <dirent.h>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"

static char empty_name[1] = {0};

DirList::~DirList() { CloseDir(); }

void DirList::FreeBuffers() {
  if (m_folder_path) EngFree(m_folder_path, 0, ENG_FUNC);
  if (m_name) EngFree(m_name, 0, ENG_FUNC);
  if (m_full_path) EngFree(m_full_path, 0, ENG_FUNC);
  m_folder_path = m_name = m_full_path = nullptr;
  m_buffer_size = 0;
}

char DirList::OpenDir(const char *folder_path, DIR_LIST_NEW_NAME_MATCH_CB callback, void *user_data) {
  m_state = STATE_NOT_OPEN;
  if (!folder_path || !*folder_path) {
    DebugErrorAlt(ENG_FUNC, "Invalid Path Passed In");
    return 0;
  }
  FreeBuffers();
  size_t length = strlen(folder_path);
  if (length < 1 || length > 0x7FFFFF00u) {
    DebugErrorAlt(ENG_FUNC, "Invalid path len");
    return 0;
  }
  size_t size = length + 513;
  m_folder_path = static_cast<char *>(EngMalloc(size, "AllocBuffers", 1));
  m_name = static_cast<char *>(EngMalloc(size, "AllocBuffers", 1));
  m_full_path = static_cast<char *>(EngMalloc(size, "AllocBuffers", 1));
  if (!m_folder_path || !m_name || !m_full_path) {
    FreeBuffers();
    return 0;
  }
  m_buffer_size = EngInt32(length + 512);
  if (!EngFileDirectoryExists(folder_path)) {
    DebugErrorAlt(ENG_FUNC, "Directory does not exist [%s]", folder_path);
    return 0;
  }
  memcpy(m_folder_path, folder_path, length + 1);
  m_callback = callback;
  m_user_data = user_data;
  m_matched_count = 0;
  if (m_stream) closedir(m_stream);
  m_stream = nullptr;
  m_entry = nullptr;
  m_state = STATE_OPEN;
  return 1;
}

char DirList::NextAcceptedEntry(DIR *stream) {
  while ((m_entry = readdir(stream)) != nullptr) {
    const char *name = m_entry->d_name;
    if (strcmp(name, ".") == 0) continue;
    if (strcmp(name, "..") == 0 && m_include_parent != 1) continue;
    size_t length = strlen(name);
    if (length > size_t(m_buffer_size)) length = size_t(m_buffer_size);
    memcpy(m_name, name, length);
    m_name[length] = 0;
    if (!m_callback || m_callback(m_matched_count, m_name, m_folder_path, m_user_data)) return 1;
  }
  return 0;
}

EngInt32 DirList::CountMatchedFilesInDir() {
  if (m_state == STATE_LISTING) {
    DebugErrorAlt(ENG_FUNC, "Error - get filenames in progress");
    return 0;
  }
  if (m_state == STATE_NOT_OPEN) {
    DebugErrorAlt(ENG_FUNC, "Directory not opened - call DirList::OpenDir() first.");
    return 0;
  }
  DIR *stream = opendir(m_folder_path);
  if (!stream) {
    DebugErrorAlt(ENG_FUNC, "Could not open directory");
    return 0;
  }
  rewinddir(stream);
  // The callback's index counts the accepted entries of this pass.
  EngInt32 saved = m_matched_count;
  m_matched_count = 0;
  while (NextAcceptedEntry(stream)) m_matched_count++;
  EngInt32 count = m_matched_count;
  m_matched_count = saved;
  closedir(stream);
  m_entry = nullptr;
  return count;
}

char DirList::PrepareToGetFilenamesInDir() {
  if (m_state == STATE_NOT_OPEN || !m_folder_path) {
    DebugErrorAlt(ENG_FUNC, "Directory not opened - call DirList::OpenDir() first.");
    return 0;
  }
  if (m_state == STATE_LISTING) {
    DebugErrorAlt(ENG_FUNC, "Error - get filenames in progress");
    return 0;
  }
  m_matched_count = 0;
  m_stream = opendir(m_folder_path);
  if (!m_stream) {
    DebugErrorAlt(ENG_FUNC, "Could not open directory");
    return 0;
  }
  rewinddir(m_stream);
  m_state = STATE_LISTING;
  return 1;
}

const char *DirList::GetNextFilenameInDir() {
  if (m_state != STATE_LISTING) {
    DebugErrorAlt(ENG_FUNC, "Call DirList::PrepareToGetFilenamesInDir() first.");
    return empty_name;
  }
  // After the end the stream is closed and every further call answers the end again.
  if (!m_stream) return empty_name;
  if (NextAcceptedEntry(m_stream)) {
    m_matched_count++;
    return m_name;
  }
  closedir(m_stream);
  m_stream = nullptr;
  return empty_name;
}

const char *DirList::GetFilenameWithPath(const char *name) {
  if (m_state == STATE_NOT_OPEN || !m_full_path) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return empty_name;
  }
  if (!name || !*name) {
    DebugErrorAlt(ENG_FUNC, "No filename");
    return empty_name;
  }
  size_t size = size_t(m_buffer_size) + 1;
  if (strcmp(m_folder_path, "/") == 0)
    snprintf(m_full_path, size, "/%s", name);
  else
    snprintf(m_full_path, size, "%s/%s", m_folder_path, name);
  return m_full_path;
}

void DirList::CleanupAfterGettingFilenamesInDir() {
  if (m_state != STATE_LISTING) {
    DebugErrorAlt(ENG_FUNC, "Not getting files in dir");
    return;
  }
  if (m_stream) closedir(m_stream);
  m_stream = nullptr;
  m_entry = nullptr;
  m_state = STATE_OPEN;
}

void DirList::CloseDir() {
  FreeBuffers();
  m_callback = nullptr;
  m_user_data = nullptr;
  m_state = STATE_NOT_OPEN;
  m_matched_count = 0;
  if (m_stream) closedir(m_stream);
  m_stream = nullptr;
  m_entry = nullptr;
}
