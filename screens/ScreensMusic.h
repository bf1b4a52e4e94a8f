// Which of the game's three musics should play: one pure answer from the screen, the play
// state and the player's music switches (player record bytes 64, 65, 76 and 84). The sound
// layer plays the answer; a music not chosen fades out.
#pragma once

#include "Engine/EngTypes.h"

struct UserOptions;

struct ScreensMusicChoice {
  char menu;       // "Menu.ogg"
  char game_over;  // "GameOver.ogg"
  char won;        // "Win.ogg"
};

// screens_on: a menu screen is showing (screen is its id); otherwise play, after a lost
// (game_over) or won garden or during it. Without a player nothing plays.
ScreensMusicChoice ScreensChooseMusic(char screens_on, euint screen, char game_over, char game_won,
                                      const UserOptions *options);
