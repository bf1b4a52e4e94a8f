// The tracker song file: the version 1.0, the song's variables block, then one chunk per sample
// that has data (index, size, WAV image). Saving is atomic; a load checks every count and index
// it reads and leaves a new empty song when it fails part-way.
#pragma once

enum { ENG_MUSIC_FILE_HEADER_SIZE = 4 };

char EngMusicFileSaveSongAndSamplesToFile(const char *file);
char EngMusicFileLoadSongAndSamplesFromFile(const char *file);
