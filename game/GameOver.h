// The end of a game when the lives run out. For now only its start: the flag and the time
// that the play field reads; the throbbing picture and the wandering bugs come later.
#pragma once

// Starts the game over (nothing when it already runs).
void GameOverInit();
