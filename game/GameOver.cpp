#include "game/GameOver.h"

#include "Engine/EngMain.h"
#include "game/Quarrelwick.h"

void GameOverInit() {
  if (game_over) return;
  game_over = 1;
  game_over_time = eng_main_current_time;
}
