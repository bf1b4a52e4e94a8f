// Tracker patterns: their set-up in a new song, keeping notes in time order, and turning a
// written note (staff position, accidental, transposition) into a note number under the
// song's key. Note numbers are MIDI-like: 60 is middle C, 69 the A of 440 Hz.
#pragma once

#include "Engine/EngTypes.h"

enum { ENG_MUSIC_STAFF_POSITIONS = 32 };

char EngMusicPatternsInit();
void EngMusicPatternsSortNotesInPatterns(int pattern);
// -1 without a song or when staff + transposition is off the staff.
int EngMusicPatternsConvertOctaveNoteToMusicNote(int staff, char accidental, int transposition);
// The sample a pattern plays: -1 unless the pattern is below the count and names a sample in use.
int EngMusicPatternsGetSample(int pattern);

extern const EngUInt8 octave_to_music_note[ENG_MUSIC_STAFF_POSITIONS];
// 'A' to 'G' for the white keys from note 33 up, 0 for every other note number below 88.
extern const char num_to_letter[88];
