#include "screens/ScreensMusic.h"

#include "players/UserInfo.h"

static char IsPlayersOrCountryScreen(euint screen) {
  static const euint ids[] = {EngFourCC("uSEL"), EngFourCC("uUSR"), EngFourCC("uLOD"), EngFourCC("uNEW"),
                              EngFourCC("mCTY")};
  for (euint id : ids)
    if (id == screen) return 1;
  return 0;
}

ScreensMusicChoice ScreensChooseMusic(char screens_on, euint screen, char game_over, char game_won,
                                      const UserOptions *options) {
  ScreensMusicChoice none = {0, 0, 0};
  if (!options) return none;
  if (screens_on) {
    if (IsPlayersOrCountryScreen(screen)) return none;
    return {char(options->music_on && options->music_when != 2), 0, 0};
  }
  if (game_over) return {0, char(options->game_over_music_on ? 1 : 0), 0};
  if (game_won) return {0, 0, char(options->won_music_on ? 1 : 0)};
  return {char(options->music_on && options->music_when != 1), 0, 0};
}
