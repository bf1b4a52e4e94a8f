#include "Engine/EngMusicPatterns.h"

#include "Engine/EngMusicSong.h"

const EngUInt8 octave_to_music_note[ENG_MUSIC_STAFF_POSITIONS] = {
    33, 35, 36, 38, 40, 41, 43, 45, 47, 48, 50, 52, 53, 55, 57, 59,
    60, 62, 64, 65, 67, 69, 71, 72, 74, 76, 77, 79, 81, 83, 84, 86,
};

const char num_to_letter[88] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 'A', 0, 'B', 'C', 0, 'D', 0, 'E', 'F', 0, 'G', 0, 'A', 0, 'B',
    'C', 0, 'D', 0, 'E', 'F', 0, 'G', 0, 'A', 0, 'B', 'C', 0, 'D', 0,
    'E', 'F', 0, 'G', 0, 'A', 0, 'B', 'C', 0, 'D', 0, 'E', 'F', 0, 'G',
    0, 'A', 0, 'B', 'C', 0, 'D', 0,
};

char EngMusicPatternsInit() {
  EngUInt8 *vars = em_song.IsOk(nullptr) ? em_song.GetVars() : nullptr;
  if (!vars) return 0;
  for (int p = 0; p < ENG_MUSIC_MAX_PATTERNS; p++) {
    EngMusicSetVarI32(vars, EngMusicPatternAt(p) + ENG_MUSIC_PATTERN_SAMPLE, -1);
    EngMusicSetVarU8(vars, EngMusicPatternAt(p) + ENG_MUSIC_PATTERN_VOLUME, 128);
  }
  return 1;
}

void EngMusicPatternsSortNotesInPatterns(int pattern) {
  if (!em_song.IsOk(nullptr) || pattern < 0 || pattern >= ENG_MUSIC_MAX_PATTERNS) return;
  EngMusicSortRecords(em_song.GetVars() + EngMusicNoteAt(pattern, 0), em_song.GetNumNotes(pattern),
                      ENG_MUSIC_NOTE_START);
}

namespace {

bool EngMusicLetterIn(char letter, const char *letters) {
  for (; *letters; letters++)
    if (*letters == letter) return true;
  return false;
}

}  // namespace

int EngMusicPatternsConvertOctaveNoteToMusicNote(int staff, char accidental, int transposition) {
  if (!em_song.IsOk(nullptr)) return -1;
  int position = staff + transposition;
  if (position < 0 || position >= ENG_MUSIC_STAFF_POSITIONS) return -1;
  int note = octave_to_music_note[position];
  char letter = num_to_letter[note];

  // Sharps are added in the order F C G D, flats in the order B E A D.
  static const char kSharps[] = "FCGD";
  static const char kFlats[] = "BEAD";
  EngInt32 key = EngMusicVarI32(em_song.GetVars(), ENG_MUSIC_VAR_KEY);
  bool raised = false, lowered = false;
  if (key >= 1 && key <= 4) {
    for (int i = 0; i < key; i++)
      if (kSharps[i] == letter) raised = true;
  } else if (key >= 5 && key <= 8) {
    for (int i = 0; i < key - 4; i++)
      if (kFlats[i] == letter) lowered = true;
  }
  if (raised) note++;
  if (lowered) note--;

  if (accidental == 3) {
    if (raised) note--;
    if (lowered) note++;
  } else if (accidental == 2) {
    if (!lowered && EngMusicLetterIn(letter, "ABDEG")) note -= raised ? 2 : 1;
  } else if (accidental == 1) {
    if (!raised && EngMusicLetterIn(letter, "ACDFG")) note += lowered ? 2 : 1;
  }
  return note;
}

int EngMusicPatternsGetSample(int pattern) {
  if (!em_song.IsOk(nullptr) || pattern < 0 || pattern >= em_song.GetNumPatterns()) return -1;
  EngInt32 sample = EngMusicVarI32(em_song.GetVars(), EngMusicPatternAt(pattern) + ENG_MUSIC_PATTERN_SAMPLE);
  return em_song.IsSampleInUse(sample) ? int(sample) : -1;
}
