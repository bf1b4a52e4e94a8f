// The list of saved players that the players' screens read: every "<name>.usr" in the Users
// folder, with the country each file test-loads with, and the test of the last player. Its
// own screen (load, delete and reset of players) is not in the game yet.
#pragma once

#include <string>
#include <vector>

#include "Engine/EngTypes.h"

class UserScreens;

// 28 bytes: the name (cut to 25 characters) and the country code, empty when the file did not
// test-load.
struct UserListEntry {
  char name[25];
  char country[3];
};
static_assert(sizeof(UserListEntry) == 28, "UserListEntry is 28 bytes");

class UserLoadCC {
 public:
  explicit UserLoadCC(UserScreens *user_screens);

  // Rebuilds the list from the folder, sorted by name without regard to letter case.
  void SetupUserNameList();
  int GetNumUsers() const { return int(m_list.size()); }
  // Null outside the list.
  const char *GetUsersLocalName(int n) const;
  const char *GetUsersDisplayName(int n) const { return GetUsersLocalName(n); }
  // Empty outside the list.
  const char *GetUsersCountryCode(int n) const;
  // 1 when the display settings name a last player and that player's file test-loads; its
  // always-load flag and country code come back then. Rebuilds the list first.
  char IsLastUserLoadedOk(char *always_load, char *country_code);
  void Cleanup() { m_list.clear(); }

 private:
  UserScreens *m_user_screens;
  // The entry, and its name whole up to 25 characters (the entry's field holds 24).
  struct Listed {
    UserListEntry entry;
    std::string name;
  };
  std::vector<Listed> m_list;
};
