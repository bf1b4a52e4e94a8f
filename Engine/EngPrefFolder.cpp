#include "Engine/EngPrefFolder.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngDirList.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"

static char pf_folder_name[PREF_FOLDER_NAME_SIZE];
static char pf_buffer[PREF_FOLDER_BUFFER_SIZE];
static char pf_buffer2[PREF_FOLDER_BUFFER_SIZE];
static char pf_buffer3[PREF_FOLDER_BUFFER_SIZE];

static const char *const maker_folder = "Tallowmere";

void PrefFolderResetForTests() {
  pf_folder_name[0] = 0;
  pf_buffer[0] = pf_buffer2[0] = pf_buffer3[0] = 0;
}

const char *PrefFolderGetBufferForTests(int which) {
  return which == 1 ? pf_buffer : which == 2 ? pf_buffer2 : which == 3 ? pf_buffer3 : nullptr;
}

static bool ValidName(const char *name) { return name && *name && strlen(name) < PREF_FOLDER_NAME_SIZE; }

// folder + "/" + name, cut to the buffer; the folder may be the target buffer itself.
static void Join(char *target, const char *folder, const char *name) {
  std::string joined = std::string(folder) + "/" + name;
  EngSafeStrcpy(target, joined.c_str(), PREF_FOLDER_BUFFER_SIZE);
}

static void Copy(char *target, const char *source) {
  if (target != source) EngSafeStrcpy(target, source, PREF_FOLDER_BUFFER_SIZE);
}

static bool MakeMainFolder() {
  if (!pf_folder_name[0]) {
    DebugErrorAlt(ENG_FUNC, "Folder name is empty");
  } else if (EngMiscCreateUserApplicationDataSubSubDirectoryIfNeeded(maker_folder, pf_folder_name, pf_buffer,
                                                                    PREF_FOLDER_BUFFER_SIZE)) {
    return true;
  } else {
    DebugErrorAlt(ENG_FUNC, "Could not create/get directory");
  }
  Copy(pf_buffer, ".");
  return false;
}

const char *PrefFolderSetup(const char *folder_name, char set_log_file, const char *log_file_name,
                            char use_application_support) {
  if (use_application_support) EngMiscUseApplicationsSupportDirectoryForApplicationDataDirectory(1);
  if (ValidName(folder_name)) {
    EngSafeStrcpy(pf_folder_name, folder_name, sizeof(pf_folder_name));
  } else {
    DebugErrorAlt(ENG_FUNC, "Invalid folder name");
    pf_folder_name[0] = 0;
  }
  // The folder comes first: without it the log and every user file would land in the
  // working folder, which is the resources folder.
  if (!MakeMainFolder()) {
    DebugErrorAlt(ENG_FUNC, "The per-user data folder could not be made; not starting.");
    return nullptr;
  }
  if (set_log_file) PrefFolderSetDebugLogFile(log_file_name);
  return PrefFolderGetMainFolder();
}

char PrefFolderSetDebugLogFile(const char *log_file_name) {
  const char *path = PrefFolderGetMainFolderWithFileAppended(log_file_name ? log_file_name : "LogFile.txt");
  return DebugSetLogFilename(path, 1);
}

const char *PrefFolderGetMainFolder() {
  MakeMainFolder();
  return pf_buffer;
}

// The file name to append, or null when the caller is to get the folder itself.
static const char *CheckFileName(const char *signature, const char *file_name) {
  if (file_name && strlen(file_name) >= PREF_FOLDER_NAME_SIZE) {
    DebugErrorAlt(signature, "Filename too long");
    return "Temp.dat";
  }
  if (!file_name || !*file_name) {
    DebugErrorAlt(signature, "No file specified");
    return nullptr;
  }
  return file_name;
}

const char *PrefFolderGetMainFolderWithFileAppended(const char *file_name) {
  const char *name = CheckFileName(ENG_FUNC, file_name);
  const char *main_folder = PrefFolderGetMainFolder();
  if (!name) return main_folder;
  Join(pf_buffer2, main_folder, name);
  return pf_buffer2;
}

// The shared steps of the subfolder functions: base in the first buffer, base/name in the
// second, made when asked; the base itself on any failure.
static const char *SubFolderOf(const char *signature, const char *(*get_base)(), const char *name, char create) {
  if (ValidName(name)) {
    Copy(pf_buffer, get_base());
    Join(pf_buffer2, pf_buffer, name);
  } else {
    DebugErrorAlt(signature, "Invalid sub folder name");
    Copy(pf_buffer2, get_base());
  }
  if (create && !EngFileDirectoryExists(pf_buffer2) && !EngFileCreateDirectory(pf_buffer2, 1)) {
    DebugErrorAlt(signature, "Could not create directory <%s>", pf_buffer2);
    Copy(pf_buffer2, get_base());
  }
  return pf_buffer2;
}

const char *PrefFolderGetSubFolder(const char *name, char create) {
  return SubFolderOf(ENG_FUNC, PrefFolderGetMainFolder, name, create);
}

const char *PrefFolderGetSubFolderWithFileAppended(const char *sub_name, const char *file_name, char create) {
  const char *name = CheckFileName(ENG_FUNC, file_name);
  const char *folder = PrefFolderGetSubFolder(sub_name, create);
  if (!name) return folder;
  Join(pf_buffer3, folder, name);
  return pf_buffer3;
}

const char *PrefFolderGetSubSubFolder(const char *sub_name, const char *sub_sub_name, char create) {
  if (ValidName(sub_name) && ValidName(sub_sub_name)) {
    Copy(pf_buffer, PrefFolderGetSubFolder(sub_name, create));
    Join(pf_buffer2, pf_buffer, sub_sub_name);
  } else {
    DebugErrorAlt(ENG_FUNC, "Invalid sub or sub sub folder name");
    Copy(pf_buffer2, PrefFolderGetMainFolder());
  }
  if (create && !EngFileDirectoryExists(pf_buffer2) && !EngFileCreateDirectory(pf_buffer2, 1)) {
    DebugErrorAlt(ENG_FUNC, "Could not create directory <%s>", pf_buffer2);
    Copy(pf_buffer2, pf_buffer);
  }
  return pf_buffer2;
}

const char *PrefFolderGetSubSubFolderWithFileAppended(const char *sub_name, const char *sub_sub_name,
                                                      const char *file_name, char create) {
  const char *name = CheckFileName(ENG_FUNC, file_name);
  const char *folder = PrefFolderGetSubSubFolder(sub_name, sub_sub_name, create);
  if (!name) return folder;
  Join(pf_buffer3, folder, name);
  return pf_buffer3;
}

const char *PrefFolderGetTallowmereCommonFolder() {
  if (!EngMiscCreateUserApplicationDataSubSubDirectoryIfNeeded(maker_folder, "Common", pf_buffer,
                                                               PREF_FOLDER_BUFFER_SIZE)) {
    DebugErrorAlt(ENG_FUNC, "Could not create/get directory");
    Copy(pf_buffer, ".");
  }
  return pf_buffer;
}

const char *PrefFolderGetTallowmereCommonSubFolder(const char *name, char create) {
  return SubFolderOf(ENG_FUNC, PrefFolderGetTallowmereCommonFolder, name, create);
}

static const char *UserFolder(const char *signature, char (*look_up)(char *, int)) {
  if (!look_up(pf_buffer, PREF_FOLDER_BUFFER_SIZE)) {
    DebugErrorAlt(signature, "Could not get directory");
    Copy(pf_buffer, ".");
  }
  return pf_buffer;
}

const char *PrefFolderGetMyDocsFolder() { return UserFolder(ENG_FUNC, EngMiscGetDocumentsDirectory); }
const char *PrefFolderGetDesktopFolder() { return UserFolder(ENG_FUNC, EngMiscGetDesktopDirectory); }
const char *PrefFolderGetDownloadsFolder() { return UserFolder(ENG_FUNC, EngMiscGetDownloadsDirectory); }

// The checked look-ups: a failed one gives "." rather than an empty base, which would put
// the subfolder at the root of the file system.
const char *PrefFolderGetMyDocsSubFolder(const char *name, char create) {
  return SubFolderOf(ENG_FUNC, PrefFolderGetMyDocsFolder, name, create);
}
const char *PrefFolderGetDesktopSubFolder(const char *name, char create) {
  return SubFolderOf(ENG_FUNC, PrefFolderGetDesktopFolder, name, create);
}
const char *PrefFolderGetDownloadsSubFolder(const char *name, char create) {
  return SubFolderOf(ENG_FUNC, PrefFolderGetDownloadsFolder, name, create);
}

const char *PrefFolderGetMyDocsSubFolderWithFileAppended(const char *sub_name, const char *file_name) {
  const char *name = CheckFileName(ENG_FUNC, file_name);
  const char *folder = PrefFolderGetMyDocsSubFolder(sub_name, 1);
  if (!name) return folder;
  Join(pf_buffer3, folder, name);
  return pf_buffer3;
}

const char *PrefFolderGetMyDocsSubSubFolder(const char *sub_name, const char *sub_sub_name, char create) {
  const char *sub = PrefFolderGetMyDocsSubFolder(sub_name, create);
  if (ValidName(sub_sub_name)) {
    Join(pf_buffer3, sub, sub_sub_name);
  } else {
    DebugErrorAlt(ENG_FUNC, "Invalid sub sub folder name");
    Copy(pf_buffer3, sub);
  }
  if (create && !EngFileDirectoryExists(pf_buffer3) && !EngFileCreateDirectory(pf_buffer3, 1)) {
    DebugErrorAlt(ENG_FUNC, "Could not create directory <%s>", pf_buffer3);
    Copy(pf_buffer3, pf_buffer);
  }
  return pf_buffer3;
}

// The name without its extension (after the last dot of the last path part).
static std::string BaseName(const std::string &name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

char PrefFolderMoveOldUsersIfAnyToNewFolder(const char *old_folder_name, const char *new_folder_name) {
  if (!old_folder_name || !*old_folder_name || !new_folder_name || !*new_folder_name) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  char old_block[PREF_FOLDER_BUFFER_SIZE], new_block[PREF_FOLDER_BUFFER_SIZE];
  const int room = 753;
  if (!EngMiscGetUserApplicationDataSubSubDirectory(maker_folder, old_folder_name, old_block, room) ||
      !EngMiscGetUserApplicationDataSubSubDirectory(maker_folder, new_folder_name, new_block, room))
    return 0;
  std::string old_users = std::string(old_block) + "/Users";
  std::string new_users = std::string(new_block) + "/Users";
  if (!EngFileDirectoryExists(old_block) || !EngFileDirectoryExists(old_users.c_str()) ||
      !EngFileDirectoryExists(new_block))
    return 0;
  if (!EngFileDirectoryExists(new_users.c_str()) && !EngFileCreateDirectory(new_users.c_str(), 1)) return 0;

  // Companion files go first, so that a player's ".usr" file never arrives without them.
  for (int pass = 0; pass < 2; pass++) {
    DirList list;
    if (!list.OpenDir(old_users.c_str(), nullptr, nullptr) || !list.PrepareToGetFilenamesInDir()) return 0;
    for (;;) {
      std::string name = list.GetNextFilenameInDir();
      if (name.empty()) break;
      std::string user_file = BaseName(name) + ".usr";
      std::string old_user = old_users + "/" + user_file, old_path = old_users + "/" + name;
      std::string new_user = new_users + "/" + user_file, new_path = new_users + "/" + name;
      if (EngFileExists(new_user.c_str(), 0) || !EngFileExists(old_user.c_str(), 0) ||
          !EngFileExists(old_path.c_str(), 0) || EngFileExists(new_path.c_str(), 0))
        continue;
      bool is_user_file = name == user_file;
      if (is_user_file == (pass == 1)) EngFileMoveFile(old_path.c_str(), new_path.c_str());
    }
    list.CleanupAfterGettingFilenamesInDir();
    list.CloseDir();
  }
  return 1;
}
