// The tracker music engine's controls: start-up and shut-down, songs, volume, play time and
// playing. The engine runs on the caller's thread (ticked by EngMusicTick) or on a thread of its
// own fed through a queue of at most 64 messages under one mutex; the calls act alike in both.
#pragma once

#include "Engine/EngSound.h"
#include "Engine/EngTypes.h"

enum _CmmThreadMsg : EngInt32 {
  CMM_THREAD_MSG_INIT = 0,
  CMM_THREAD_MSG_LOAD = 1,
  CMM_THREAD_MSG_VOLUME = 2,
  CMM_THREAD_MSG_PLAY_TIME = 3,
  CMM_THREAD_MSG_START = 4,
  CMM_THREAD_MSG_STOP = 5,
  CMM_THREAD_MSG_EXIT = 6,
};

enum { CMM_MAX_THREAD_MSGS = 64, CMM_FILENAME_SIZE = 512 };

// The music's main volume, 0.0 to 1.0; touched only where the engine runs.
extern float cm_main_vol;

char EngMusicInitialise(char threaded);
char EngMusicInitialise(char threaded, char initSound, _EngSoundSystem system, char enable3d, const char *name,
                        char allowUnfocused);
void EngMusicExit();
void EngMusicSetTickSleepAmounts(unsigned long playing, unsigned long idle);
char EngMusicIsInitialsed();
void EngMusicInitSong();
char EngMusicLoadSongAndSamplesFromFile(const char *file);
char EngMusicIsSongLoaded();
void EngMusicSetMainVolume(float volume);
float EngMusicGetPlayTime();
void EngMusicSetPlayTime(float time);
char EngMusicStartPlaying();
void EngMusicStopPlaying();
void EngMusicTick();
// The caller holds the mutex when the engine is threaded.
void EngMusicAddThreadMessageToQueue(_CmmThreadMsg message);

// Queued messages waiting for the engine thread (0 unthreaded).
int EngMusicGetNumQueuedMessages();
char EngMusicIsThreaded();
// Shuts the engine down and frees the song, the samples and their sounds.
void EngMusicResetForTests();
