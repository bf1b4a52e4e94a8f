// Moving a data folder from the older preferences root ($XDG_CONFIG_HOME) to the data root
// ($XDG_DATA_HOME), where the program keeps it now.
#include "Engine/EngPrefFolder.h"

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMisc.h"

char PrefFolderMoveOldFolderIfExistsToApplicationSupportFolder_MAC(const char *folder_name) {
  static char old_path[PREF_FOLDER_BUFFER_SIZE], new_path[PREF_FOLDER_BUFFER_SIZE];
  EngMiscUseApplicationsSupportDirectoryForApplicationDataDirectory(1);
  if (!folder_name || !*folder_name) return 0;
  if (EngMiscGetUserApplicationDataSubSubDirectory("Tallowmere", folder_name, new_path, sizeof(new_path)) &&
      EngFileDirectoryExists(new_path))
    return 0;
  EngMiscUseApplicationsSupportDirectoryForApplicationDataDirectory(0);
  if (EngMiscGetUserApplicationDataSubSubDirectory("Tallowmere", folder_name, old_path, sizeof(old_path)) &&
      EngFileDirectoryExists(old_path)) {
    EngMiscUseApplicationsSupportDirectoryForApplicationDataDirectory(1);
    char maker[PREF_FOLDER_BUFFER_SIZE];
    if (EngMiscCreateUserApplicationDataSubDirectoryIfNeeded("Tallowmere", maker, sizeof(maker)) &&
        EngMiscGetUserApplicationDataSubSubDirectory("Tallowmere", folder_name, new_path, sizeof(new_path))) {
      DebugInfoAlt(ENG_FUNC, "Moving preferences folder from <%s> to <%s>", old_path, new_path);
      EngFileRenameDirectory(old_path, new_path);
    }
  }
  EngMiscUseApplicationsSupportDirectoryForApplicationDataDirectory(1);
  return 1;
}
