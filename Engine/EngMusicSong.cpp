#include "Engine/EngMusicSong.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMusicList.h"
#include "Engine/EngMusicPatterns.h"

EngMusicSong em_song;

void *cm_samples_datas[ENG_MUSIC_MAX_SAMPLES];
EngUInt32 cm_samples_data_sizes[ENG_MUSIC_MAX_SAMPLES];

// ---------------------------------------------------------------------------------------------
// Fields

EngUInt8 EngMusicVarU8(const EngUInt8 *vars, size_t at) { return vars[at]; }

EngInt8 EngMusicVarI8(const EngUInt8 *vars, size_t at) { return EngInt8(vars[at]); }

EngUInt32 EngMusicVarU32(const EngUInt8 *vars, size_t at) {
  return EngUInt32(vars[at]) | (EngUInt32(vars[at + 1]) << 8) | (EngUInt32(vars[at + 2]) << 16) |
         (EngUInt32(vars[at + 3]) << 24);
}

EngInt32 EngMusicVarI32(const EngUInt8 *vars, size_t at) { return EngInt32(EngMusicVarU32(vars, at)); }

float EngMusicVarFloat(const EngUInt8 *vars, size_t at) {
  EngUInt32 bits = EngMusicVarU32(vars, at);
  float value;
  memcpy(&value, &bits, sizeof(value));
  return value;
}

void EngMusicSetVarU8(EngUInt8 *vars, size_t at, EngUInt8 value) { vars[at] = value; }

void EngMusicSetVarU32(EngUInt8 *vars, size_t at, EngUInt32 value) {
  for (int i = 0; i < 4; i++) vars[at + size_t(i)] = EngUInt8(value >> (8 * i));
}

void EngMusicSetVarI32(EngUInt8 *vars, size_t at, EngInt32 value) { EngMusicSetVarU32(vars, at, EngUInt32(value)); }

void EngMusicSetVarFloat(EngUInt8 *vars, size_t at, float value) {
  EngUInt32 bits;
  memcpy(&bits, &value, sizeof(bits));
  EngMusicSetVarU32(vars, at, bits);
}

// ---------------------------------------------------------------------------------------------
// The song

EngMusicSong::~EngMusicSong() { Destroy(); }

void EngMusicSong::Destroy() {
  if (m_vars) EngFree(m_vars, 1, "EngMusicSong::Destroy");
  m_vars = nullptr;
}

char EngMusicSong::Init() {
  Destroy();
  m_vars = static_cast<EngUInt8 *>(EngMalloc(ENG_MUSIC_SONG_VARS_SIZE, ENG_FUNC, 1));
  if (!m_vars) return 0;
  EngSafeStrcpy(reinterpret_cast<char *>(m_vars + ENG_MUSIC_VAR_TITLE), "Untitled Song", 128);
  EngSafeStrcpy(reinterpret_cast<char *>(m_vars + ENG_MUSIC_VAR_AUTHOR), "Unknown Author", 128);
  m_vars[ENG_MUSIC_VAR_TEXT3] = 0;
  EngMusicSetVarI32(m_vars, ENG_MUSIC_VAR_KEY, 0);
  EngMusicSetVarI32(m_vars, ENG_MUSIC_VAR_TEMPO, 180);
  EngMusicSetVarU8(m_vars, ENG_MUSIC_VAR_NEW_SONG_BYTE, 255);
  EngMusicSetVarI32(m_vars, ENG_MUSIC_VAR_NUM_SAMPLES, 0);
  EngMusicSetVarI32(m_vars, ENG_MUSIC_VAR_NUM_PATTERNS, 0);
  EngMusicSetVarI32(m_vars, ENG_MUSIC_VAR_NUM_TRACKS, 0);
  EngMusicListUpdateSoundsPerSampleVar();
  EngMusicPatternsInit();
  return 1;
}

char EngMusicSong::IsOk(const char *caller) {
  if (m_vars) return 1;
  if (caller) DebugError(caller, "No song.");
  return 0;
}

EngUInt8 *EngMusicSong::GetVars() {
  if (!m_vars) DebugErrorAlt(ENG_FUNC, "No vars.");
  return m_vars;
}

void EngMusicSong::SetSongKey(int key) {
  if (m_vars) EngMusicSetVarI32(m_vars, ENG_MUSIC_VAR_KEY, key);
}

namespace {

struct EngMusicTimedRecord {
  float time;
  EngUInt8 bytes[ENG_MUSIC_NOTE_SIZE];
};
static_assert(ENG_MUSIC_NOTE_SIZE == ENG_MUSIC_ENTRY_SIZE, "notes and track entries sort alike");

}  // namespace

void EngMusicSortRecords(EngUInt8 *first, int count, size_t time_at) {
  if (count < 2) return;
  std::vector<EngMusicTimedRecord> records(static_cast<size_t>(count));
  for (int i = 0; i < count; i++) {
    memcpy(records[size_t(i)].bytes, first + size_t(i) * ENG_MUSIC_NOTE_SIZE, ENG_MUSIC_NOTE_SIZE);
    records[size_t(i)].time = EngMusicVarFloat(records[size_t(i)].bytes, time_at);
  }
  std::stable_sort(records.begin(), records.end(),
                   [](const EngMusicTimedRecord &a, const EngMusicTimedRecord &b) { return a.time < b.time; });
  for (int i = 0; i < count; i++)
    memcpy(first + size_t(i) * ENG_MUSIC_NOTE_SIZE, records[size_t(i)].bytes, ENG_MUSIC_NOTE_SIZE);
}

namespace {

int EngMusicClampCount(EngInt32 count, int most) { return count < 0 ? 0 : count > most ? most : int(count); }

}  // namespace

void EngMusicSong::SortPatternsInPatternLists() {
  if (!m_vars) return;
  for (int t = 0; t < ENG_MUSIC_MAX_TRACKS; t++)
    EngMusicSortRecords(m_vars + EngMusicEntryAt(t, 0), GetNumEntries(t), ENG_MUSIC_ENTRY_START);
}

char EngMusicSong::ReadVarsFromFile(EngFile *file) {
  if (!file) {
    DebugErrorAlt(ENG_FUNC, "No file");
    return 0;
  }
  Destroy();
  m_vars = static_cast<EngUInt8 *>(EngMalloc(ENG_MUSIC_SONG_VARS_SIZE, ENG_FUNC, 0));
  if (!m_vars) return 0;
  return file->Read(m_vars, ENG_MUSIC_SONG_VARS_SIZE, 1);
}

int EngMusicSong::GetNumSamples() {
  return m_vars ? EngMusicClampCount(EngMusicVarI32(m_vars, ENG_MUSIC_VAR_NUM_SAMPLES), ENG_MUSIC_MAX_SAMPLES) : 0;
}

int EngMusicSong::GetNumPatterns() {
  return m_vars ? EngMusicClampCount(EngMusicVarI32(m_vars, ENG_MUSIC_VAR_NUM_PATTERNS), ENG_MUSIC_MAX_PATTERNS)
                : 0;
}

int EngMusicSong::GetNumTracks() {
  return m_vars ? EngMusicClampCount(EngMusicVarI32(m_vars, ENG_MUSIC_VAR_NUM_TRACKS), ENG_MUSIC_MAX_TRACKS) : 0;
}

int EngMusicSong::GetNumNotes(int pattern) {
  if (!m_vars || pattern < 0 || pattern >= ENG_MUSIC_MAX_PATTERNS) return 0;
  return EngMusicClampCount(EngMusicVarI32(m_vars, EngMusicPatternAt(pattern) + ENG_MUSIC_PATTERN_NUM_NOTES),
                            ENG_MUSIC_MAX_NOTES);
}

int EngMusicSong::GetNumEntries(int track) {
  if (!m_vars || track < 0 || track >= ENG_MUSIC_MAX_TRACKS) return 0;
  return EngMusicClampCount(EngMusicVarI32(m_vars, EngMusicTrackAt(track) + ENG_MUSIC_TRACK_NUM_ENTRIES),
                            ENG_MUSIC_MAX_TRACK_ENTRIES);
}

char EngMusicSong::IsSampleInUse(int sample) {
  if (!m_vars || sample < 0 || sample >= GetNumSamples()) return 0;
  return EngMusicVarU8(m_vars, EngMusicSampleAt(sample) + ENG_MUSIC_SAMPLE_IN_USE) ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// Samples

void EngMusicSamplesFirstTimeInit() {
  for (int i = 0; i < ENG_MUSIC_MAX_SAMPLES; i++) cm_samples_datas[i] = nullptr;
}

char EngMusicSamplesInit() { return 1; }

void EngMusicSamplesExit() {
  for (int i = 0; i < ENG_MUSIC_MAX_SAMPLES; i++) {
    free(cm_samples_datas[i]);
    cm_samples_datas[i] = nullptr;
  }
}

char EngMusicSamplesCreateNewEmptySample() {
  if (!em_song.IsOk(nullptr)) return 0;
  EngUInt8 *vars = em_song.GetVars();
  EngInt32 count = EngMusicVarI32(vars, ENG_MUSIC_VAR_NUM_SAMPLES);
  if (count < 0 || count >= ENG_MUSIC_MAX_SAMPLES) return 0;
  memset(vars + EngMusicSampleAt(count), 0, ENG_MUSIC_SAMPLE_SIZE);
  EngMusicSetVarI32(vars, ENG_MUSIC_VAR_NUM_SAMPLES, count + 1);
  return 1;
}
