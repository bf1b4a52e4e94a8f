// The per-user data folder: root/"Tallowmere"/<program folder> with its log file and
// subfolders, "Common" beside it, and the user's documents, desktop and downloads folders.
// Every path comes back in one of three shared 768-byte static buffers that the next call of
// any of these functions may overwrite: copy a path you want to keep.
#pragma once

#include "Engine/EngTypes.h"

enum { PREF_FOLDER_BUFFER_SIZE = 768, PREF_FOLDER_NAME_SIZE = 128 };

// Null when the data folder cannot be made: the caller must not start, rather than write
// the user's files into the working (resources) folder.
const char *PrefFolderSetup(const char *folder_name, char set_log_file, const char *log_file_name,
                            char use_application_support);
char PrefFolderSetDebugLogFile(const char *log_file_name);
const char *PrefFolderGetMainFolder();
const char *PrefFolderGetMainFolderWithFileAppended(const char *file_name);
const char *PrefFolderGetSubFolder(const char *name, char create);
const char *PrefFolderGetSubFolderWithFileAppended(const char *sub_name, const char *file_name, char create);
const char *PrefFolderGetSubSubFolder(const char *sub_name, const char *sub_sub_name, char create);
const char *PrefFolderGetSubSubFolderWithFileAppended(const char *sub_name, const char *sub_sub_name,
                                                      const char *file_name, char create);
const char *PrefFolderGetTallowmereCommonFolder();
const char *PrefFolderGetTallowmereCommonSubFolder(const char *name, char create);
const char *PrefFolderGetMyDocsFolder();
const char *PrefFolderGetMyDocsSubFolder(const char *name, char create);
const char *PrefFolderGetMyDocsSubFolderWithFileAppended(const char *sub_name, const char *file_name);
const char *PrefFolderGetMyDocsSubSubFolder(const char *sub_name, const char *sub_sub_name, char create);
const char *PrefFolderGetDesktopFolder();
const char *PrefFolderGetDesktopSubFolder(const char *name, char create);
const char *PrefFolderGetDownloadsFolder();
const char *PrefFolderGetDownloadsSubFolder(const char *name, char create);
// Moves a data folder from the preferences root ($XDG_CONFIG_HOME) to the data root.
char PrefFolderMoveOldFolderIfExistsToApplicationSupportFolder_MAC(const char *folder_name);
// Moves players' files from another program folder's "Users" into this one's, companion
// files first, never over a file that is already there.
char PrefFolderMoveOldUsersIfAnyToNewFolder(const char *old_folder_name, const char *new_folder_name);

// The three result buffers, for tests that check which one a call wrote.
const char *PrefFolderGetBufferForTests(int which);
void PrefFolderResetForTests();
