#include "game/GameWon.h"

#include "game/Quarrelwick.h"

void GameWonInit() {
  if (game_won) return;
  game_won = 1;
}
