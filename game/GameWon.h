// The garden won after its last wave. For now only its start, the flag that stops the
// play field; the scripted sequence with the final score comes later.
#pragma once

// Starts the garden-won sequence (nothing when it already runs).
void GameWonInit();
