// The tracker's voices: each sample has up to 64 voice slots, each sounding one of the sample's
// instances at a note's rate, looping, sustaining and releasing as the sample's loop mode says.
// Note numbers become rates on an equal-tempered scale where note 60 plays at 44,100 Hz.
#pragma once

#include "Engine/EngTypes.h"

enum _EngMusicSlotState : EngUInt32 {
  ENG_MUSIC_SLOT_FREE = 0,
  ENG_MUSIC_SLOT_ONCE = 1,
  ENG_MUSIC_SLOT_LOOP = 2,
  ENG_MUSIC_SLOT_SUSTAIN = 3,
  ENG_MUSIC_SLOT_TAIL = 4,
  ENG_MUSIC_SLOT_ONCE_RELEASED = 5,
};

// 0 for notes outside 0..86.
unsigned long EngMusicMusicGetFrequencyFromNoteNum(int note);
char EngMusicMusicSetSampleSoundToNoteFrequency(int sound, int note);
// The equal-tempered frequency of a note number (0..127) in Hz; 0 outside.
float EngMusicMusicGetNoteFrequency(int note);

void EngMusicMusicInit();
// The slot that sounds the note, or -1 (nothing started).
int EngMusicMusicPlaySampleSound(int sample, int note, unsigned char volume);
char EngMusicMusicStopPlayingSampleSound(int sample, int slot, char stopFree, char now);
void EngMusicMusicTick();
void EngMusicMusicUpdateAllPlayingNotesVolumes();
void EngMusicMusicEnd();
void EngMusicMusicUpdateSample(int sample);
unsigned long EngMusicMusicGetSampleLength(int sample);
float EngMusicMusicGetSampleLengthInSeconds(int sample);

_EngMusicSlotState EngMusicMusicGetSlotState(int sample, int slot);
// The volume (0-255) a slot was started with.
EngUInt8 EngMusicMusicGetSlotVolume(int sample, int slot);
