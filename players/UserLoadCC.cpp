#include "players/UserLoadCC.h"

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngDirList.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngMemory.h"
#include "Engine/MAC/EngText_MAC.h"
#include "Engine/Resolution.h"
#include "players/UserClass.h"

static const char kPlayerFileEnding[] = ".usr";
static const size_t kListNameLength = 25;

// At least one character before the ending, which must be exact.
static char AcceptPlayerFile(EngInt32, const char *name, const char *, void *) {
  size_t length = name ? strlen(name) : 0;
  return char(length >= 5 && strcmp(name + length - 4, kPlayerFileEnding) == 0);
}

UserLoadCC::UserLoadCC(UserScreens *user_screens) : m_user_screens(user_screens) {
  DebugAssertAlt(user_screens ? 1 : 0, ENG_FUNC, "No user screens");
}

void UserLoadCC::SetupUserNameList() {
  m_list.clear();
  const char *folder = PrefFolderGetSubFolder("Users", 0);
  struct stat info;
  if (!folder || stat(folder, &info) != 0 || !S_ISDIR(info.st_mode)) return;
  DirList listing;
  if (!listing.OpenDir(folder, AcceptPlayerFile, nullptr)) return;
  if (listing.PrepareToGetFilenamesInDir()) {
    UserClass tester(nullptr, nullptr, 0, USER_ENCRYPTION_ACCEPT_PLAIN);
    for (const char *file = listing.GetNextFilenameInDir(); file && file[0]; file = listing.GetNextFilenameInDir()) {
      size_t length = strlen(file);
      if (length < 5) continue;
      // Files are named in UTF-8, players in Latin-1.
      std::string name = EngUtf8ToLatin1_MAC(std::string(file, length - 4).c_str());
      if (name.size() > kListNameLength) name.resize(kListNameLength);
      UserListEntry entry = {};
      // A name of 21 characters or more is no player's and never test-loads.
      EngSafeStrcpy(entry.name, name.c_str(), sizeof(entry.name));
      char country[4] = {0};
      // A folder named like a player file, or a file that is not one, stays without a flag.
      const char *path = listing.GetFilenameWithPath(file);
      if (path && stat(path, &info) == 0 && S_ISREG(info.st_mode) && tester.LoadUser(entry.name, 1, nullptr, country))
        memcpy(entry.country, country, 2);
      m_list.push_back({entry, name});
    }
    listing.CleanupAfterGettingFilenamesInDir();
  }
  listing.CloseDir();
  // Letter case decides only between names that are otherwise equal, capitals first.
  std::sort(m_list.begin(), m_list.end(), [](const Listed &a, const Listed &b) {
    int order = strcasecmp(a.name.c_str(), b.name.c_str());
    return order != 0 ? order < 0 : a.name < b.name;
  });
}

const char *UserLoadCC::GetUsersLocalName(int n) const {
  if (n < 0 || n >= GetNumUsers()) return nullptr;
  return m_list[size_t(n)].name.c_str();
}

const char *UserLoadCC::GetUsersCountryCode(int n) const {
  if (n < 0 || n >= GetNumUsers()) return "";
  return m_list[size_t(n)].entry.country;
}

char UserLoadCC::IsLastUserLoadedOk(char *always_load, char *country_code) {
  SetupUserNameList();
  char name[RESOLUTION_PLAYER_NAME_SIZE + 1];
  memcpy(name, resolution.last_player, RESOLUTION_PLAYER_NAME_SIZE);
  name[RESOLUTION_PLAYER_NAME_SIZE] = 0;
  if (!name[0]) return 0;
  UserClass tester(nullptr, nullptr, 0, USER_ENCRYPTION_ACCEPT_PLAIN);
  return tester.LoadUser(name, 1, always_load, country_code);
}
