// The game's sounds: 26 effects played by id and three musics (menu, game over, garden won)
// that fade in and out, follow the player's sound options and remember where the menu music
// stopped. Built on the engine's EngSound; without a sound device every call is silent.
#pragma once

#include <utility>
#include <vector>

#include "Engine/EngTypes.h"
#include "screens/ScreensMusic.h"

class EngSound;
struct UserOptions;

enum {
  SOUND_NUM_SOUNDS = 26,
  SOUND_NUM_MUSICS = 3,
  SOUND_MUSIC_MENU = 0,
  SOUND_MUSIC_GAME_OVER = 1,
  SOUND_MUSIC_WON = 2,
};

struct _SndMusic {
  EngUInt8 id;
  EngUInt8 start_at_full;
  float fade_in_speed;   // volume per second is 0.2 x this
  float fade_out_speed;  // likewise
  EngUInt8 looped;
  EngUInt8 playing;
  EngUInt8 stopping;
  float volume;
  float target;
  // The play position (0..1 of the buffer) is kept in the player's record when it stops.
  EngUInt8 keeps_position;
  EngSound *sound;
};

char SoundPre3dInit();
char SoundInit();
char SoundLoadGameSounds();
char SoundLoadAll();
void SoundUnloadAll();
void SoundExit();
// Whether sound started for this run (a failed start leaves the player's settings alone).
char SoundIsRunning();

void SoundsUpdateMainMusicsVolume();
void SoundsUpdateVolumes();
void SoundSetSoundVolume(int id);
void SoundEnable(char enable);

void SoundPlay(int id);
void SoundPlayLooped(int id);
void SoundStop(int id);
void SoundPlay3d(int id, char);
void SoundPlayBulletLaunchSound(int type, int level);
void SoundPlayBulletHitSound(int type, int level);
void SoundPlayMuiSound(int);
// The effect of an id, or null when it is not loaded.
EngSound *SoundGet(int id);

void SoundTick();
// Plays the music the screens choose for the current situation; the others fade out.
void SoundStartOrStopMusic();
void SoundFollowMusicChoice(const ScreensMusicChoice &choice);
void SoundStartMainMusic();
void SoundStartGameOverMusic();
void SoundStartWinMusic();
void SoundStopMainMusic();
void SoundStopGameOverMusic();
void SoundStopWinMusic();
void SoundStopAllMusic(char now);
void SoundSetMusicVolume(_SndMusic *music);
void SoundStopMusicNow(_SndMusic *music);
char SoundLoadAndPlayMusicFile(_SndMusic *music, const char *file);
_SndMusic *SoundGetMusic(int id);

void SoundNeedToCheckIfMusicIsAlreadyPlayingOnDevice();
char SoundIsMusicAlreadyPlayingOnDevice();

// What the game asked to play, kept only while `on` (the play-field tests turn it on).
struct SoundRequests {
  bool on = false;
  std::vector<int> played;
  std::vector<std::pair<int, int>> launches, hits;  // (weapon type, level)
};
SoundRequests &SoundRequestsKept();
// The player options the sounds read; null is the loaded player's (tests give their own).
void SoundSetOptionsForTests(UserOptions *options);
// Unloads everything, shuts the device down and clears every flag.
void SoundResetForTests();
