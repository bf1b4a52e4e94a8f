// The OpenAL back end of the sound system, started and shut through ALUT. The EngSound
// members ending in AL live in EngSoundAL.cpp (WAV and raw samples) and EngSoundOggAL.cpp
// (whole Ogg Vorbis files). No OpenAL type leaves these files.
#pragma once

#include "Engine/EngTypes.h"

// 1 when OpenAL runs; 0 (logged once) when no device could be opened, and sounds then stay empty.
char EngSoundInit_AL(char enable3d);
void EngSoundExit_AL();
char EngSoundIsSetup_AL();
// Reads and clears OpenAL's error state: 1 when there was none. With report set, a failure is
// logged under tag as "AL Error : <call> (<text>)".
char EngSoundErrorCheck_AL(const char *tag, const char *call, char report);
// The error text logged for an OpenAL error code.
const char *EngSoundErrorText_AL(int error, char *scratch, int scratch_size);
void EngSoundAlFixDeleteThenCreateProblem_AL();
