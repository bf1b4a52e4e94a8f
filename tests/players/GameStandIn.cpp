// STAND-IN for the game object's members and record callbacks that the player profile calls,
// until the game's own land; the defaults are the game's. Counts the calls for the tests.
#include <cstring>

#include "Engine/EngWhichDevice.h"
#include "game/Game.h"
#include "players/UserInfo.h"

int game_stand_in_after_user_loaded_calls = 0;
char game_stand_in_last_created = -1;
char game_stand_in_last_skip = -1;

MWin *Game::GetMWin() { return nullptr; }
UserClass *Game::GetUser() { return nullptr; }

void Game::AfterUserLoaded(char just_created, char skip) {
  game_stand_in_after_user_loaded_calls++;
  game_stand_in_last_created = just_created;
  game_stand_in_last_skip = skip;
}

void UserInfoSetDefaultOptionsCB(Game *, _UserInfo *info) {
  memset(&info->options, 0, sizeof(info->options));
  UserOptions &o = info->options;
  o.show_startup_window = 1;
  o.notices_left = 3;
  o.sound_on = 1;
  o.sound_volume = 1.0f;
  o.music_on = 1;
  o.music_when = 1;
  o.music_volume = 0.25f;
  o.music_position = 0.0f;
  o.game_over_music_on = 1;
  o.game_over_music_volume = 0.25f;
  o.won_music_on = 1;
  o.won_music_volume = 0.25f;
  o.scores_online = 1;
  o.scores_range = 1;
  o.scores_auto_update = IS_DESKTOP ? 1 : 0;
  o.tutorial_on = 1;
  info->other_games_pos = -1;
}

void UserInfoNewUserJustSavedCB(Game *, _UserInfo *, char) {}
void UserInfoUserAboutToBeDeletedCB(Game *, _UserInfo *, const char *, char) {}
