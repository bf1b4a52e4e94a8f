// The tracker's event list and song clock: every note of every track entry becomes a start and
// a release event sorted by time; the clock turns the engine clock into song time and starts and
// releases voices as it passes events. Also the per-sample voice budget.
#pragma once

#include "Engine/EngTypes.h"

struct _EngMusicNoteEvent {
  float time;  // song time units
  EngUInt8 on;  // 1 start, 0 release
  EngUInt8 pattern;
  EngInt32 note;  // index within the pattern
  EngUInt8 transpose;
  EngUInt8 volume;
};

void EngMusicListFirstTimeInit();
// mode 1 cuts sounding voices at once, 0 lets them ring out, 255 only forgets them; any mode
// but 0 also stops every music sound.
void EngMusicListResetPlayingVarsAndStopSounds(char mode);
char EngMusicListGenerate();
int EngMusicListSortNoteEventEngMusicListCB(const void *a, const void *b);
void EngMusicListUseMaxSoundsPerSample(char use);
int EngMusicListGetMaxSoundsPerSample(int sample);
void EngMusicListUpdateSoundsPerSampleVar();
void EngMusicListSetPlaySpeedMult(float speed);
float EngMusicListGetPlaySpeedMult();
char EngMusicListStartPlaying();
void EngMusicListStopPlaying();
char EngMusicListIsPlaying();
float EngMusicListGetPlayTime();
void EngMusicListTick();
char EngMusicListPlayTick();
void EngMusicListSetPlayTime(float time);
void EngMusicListExit();

int EngMusicListGetNumNoteEvents();
const _EngMusicNoteEvent *EngMusicListGetNoteEvent(int index);
// The voice slot sounding a note of a pattern, -1 when the note is not sounding.
int EngMusicListGetNoteVoice(int pattern, int note);
char EngMusicListIsNotePlaying(int pattern, int note);
int EngMusicListGetNumRepeats();
// Back to the state before first use (the event list freed, nothing playing).
void EngMusicListResetForTests();
