// What starting a music costs the frame that starts it, and what the playing music holds in
// memory: the game's own start (the file decoded whole into one buffer, twice over, the menu
// music from its kept place half-way in) beside the engine's Ogg streaming player (which the
// game does not use) opening the same file and starting its two buffers, in the same run, on
// OpenAL Soft's null output, from the build's resources, with the program's allocator settings.
// Figures a script reads, one per line: music_start_ms= and music_start_streamed_ms= (the
// slowest start of the three musics), music_memory_mb= and music_memory_streamed_mb= (resident
// growth from before the menu music's start to while it plays). The game's growth is the
// music's samples, which OpenAL keeps (printed beside it from the buffer's own size): the
// decoded block they were copied from is given back when freed.
// No goal: the game's start decodes the whole file by design, a pause that only a start has.
// Usage: MusicStartBenchmark [rounds]
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Engine/EngMemory.h"
#include "Engine/EngOggStreamAL.h"
#include "Engine/EngSound.h"
#include "Engine/Resolution.h"
#include "benchmarks/ResidentMemory.h"
#include "game/Sound.h"
#include "players/UserInfo.h"

namespace {

using qwbench::ResidentMB;

using Clock = std::chrono::steady_clock;

const char *const kFiles[SOUND_NUM_MUSICS] = {"Menu.ogg", "GameOver.ogg", "Win.ogg"};

double Ms(Clock::time_point from) { return std::chrono::duration<double, std::milli>(Clock::now() - from).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1.0 : v[v.size() / 2];
}

double Max(const std::vector<double> &v) { return v.empty() ? -1.0 : *std::max_element(v.begin(), v.end()); }

// The game's start of one music, as a screen change or the end of a game asks for it.
void StartMusic(int id) {
  if (id == SOUND_MUSIC_MENU) SoundStartMainMusic();
  if (id == SOUND_MUSIC_GAME_OVER) SoundStartGameOverMusic();
  if (id == SOUND_MUSIC_WON) SoundStartWinMusic();
}

// The streaming player: the headers read, two buffers decoded and queued, the source started.
EngSound_AL_Ogg *StartStreamed(const char *file) {
  EngSound_AL_Ogg *sound = new EngSound_AL_Ogg(nullptr, 0, 0);
  if (!sound->LoadSoundFromFile(file, 0) || !sound->Play()) {
    delete sound;
    return nullptr;
  }
  return sound;
}

}  // namespace

int main(int argc, char **argv) {
  // As the program sets its allocator up at start: the decoded file, freed once uploaded, goes
  // back to the system instead of staying in the heap.
  EngMemorySetUpAllocator();
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
  setenv("ALSOFT_DRIVERS", getenv("ALSOFT_DRIVERS") ? getenv("ALSOFT_DRIVERS") : "null", 1);
  if (chdir(QW_RESOURCES_DIR) != 0) {
    fprintf(stderr, "no resources folder %s\n", QW_RESOURCES_DIR);
    return 1;
  }
  resolution.sound_on = 1;
  UserOptions options;
  options.sound_on = 1;
  options.sound_volume = 1.0f;
  options.music_on = 1;
  options.music_when = 0;
  options.music_volume = 0.5f;
  options.game_over_music_on = 1;
  options.game_over_music_volume = 1.0f;
  options.won_music_on = 1;
  options.won_music_volume = 1.0f;
  SoundPre3dInit();
  SoundSetOptionsForTests(&options);
  if (!SoundInit() || !SoundIsRunning()) {
    fprintf(stderr, "no sound device\n");
    return 1;
  }

  std::vector<double> game[SOUND_NUM_MUSICS], streamed[SOUND_NUM_MUSICS];
  double memory = -1.0, memory_streamed = -1.0, samples = -1.0;
  for (int r = 0; r < rounds; r++) {
    for (int id = 0; id < SOUND_NUM_MUSICS; id++) {
      options.music_position = 0.5f;
      malloc_trim(0);
      const double before = ResidentMB();
      const auto start = Clock::now();
      StartMusic(id);
      game[id].push_back(Ms(start));
      if (!SoundGetMusic(id)->playing) {
        fprintf(stderr, "%s did not start\n", kFiles[id]);
        return 1;
      }
      if (id == SOUND_MUSIC_MENU && r == rounds - 1) {
        memory = ResidentMB() - before;
        samples = double(SoundGetMusic(id)->sound->GetPlayBufferSize()) / (1024.0 * 1024.0);
      }
      SoundStopAllMusic(1);

      malloc_trim(0);
      const double before_streamed = ResidentMB();
      const auto start_streamed = Clock::now();
      EngSound_AL_Ogg *sound = StartStreamed(kFiles[id]);
      streamed[id].push_back(Ms(start_streamed));
      if (!sound) {
        fprintf(stderr, "%s did not stream\n", kFiles[id]);
        return 1;
      }
      if (id == SOUND_MUSIC_MENU && r == rounds - 1) memory_streamed = ResidentMB() - before_streamed;
      delete sound;
    }
  }
  SoundExit();

  printf("start of a music, ms (%d rounds; median and slowest)  %22s %22s\n", rounds, "whole file (the game)",
         "streaming player");
  double slowest = 0, slowest_streamed = 0;
  for (int id = 0; id < SOUND_NUM_MUSICS; id++) {
    printf("  %-48s %10.2f %10.2f %10.2f %10.2f\n", kFiles[id], Median(game[id]), Max(game[id]), Median(streamed[id]),
           Max(streamed[id]));
    slowest = std::max(slowest, Max(game[id]));
    slowest_streamed = std::max(slowest_streamed, Max(streamed[id]));
  }
  printf("  %-48s %21.2f %21.2f\n", "resident growth, menu music playing (MB)", memory, memory_streamed);
  printf("  %-48s %21.2f\n", "menu music's samples in its OpenAL buffer (MB)", samples);
  printf("music_start_ms=%.2f\nmusic_start_streamed_ms=%.2f\n", slowest, slowest_streamed);
  printf("music_memory_mb=%.2f\nmusic_memory_streamed_mb=%.2f\n", memory, memory_streamed);
  return 0;
}
