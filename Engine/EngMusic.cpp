#include "Engine/EngMusic.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>

#include <pthread.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMusicFile.h"
#include "Engine/EngMusicList.h"
#include "Engine/EngMusicMusic.h"
#include "Engine/EngMusicSong.h"
#include "Engine/EngMusicSound.h"

float cm_main_vol = 1.0f;

// Owned by the callers' side.
static EngUInt8 cm_initialised = 0;
static EngUInt8 cm_threaded = 0;
static EngUInt8 cm_initd_sound = 0;
static pthread_t cm_thread;
static EngUInt8 cm_thread_alive = 0;

// Guarded by cm_mutex while the thread lives.
static pthread_mutex_t cm_mutex;
// Wakes the thread from its pause when it is asked to end.
static pthread_cond_t cm_thread_wake;
static EngUInt8 cm_thread_done = 0;
// Ending does not go through the queue, so a full queue cannot keep the thread alive.
static EngUInt8 cm_thread_exit = 0;
static _CmmThreadMsg cm_thread_msgs[CMM_MAX_THREAD_MSGS];
static EngInt32 cm_num_thread_msgs = 0;
static char cm_thread_filename[CMM_FILENAME_SIZE];
static float cm_thread_main_vol = 1.0f;
static float cm_thread_play_time = 0.0f;

static std::atomic<unsigned long> cm_sleep_ticks_playing{1};
static std::atomic<unsigned long> cm_sleep_ticks_idle{10};

namespace {

float EngMusicClampVolume(float volume) { return volume < 0.0f ? 0.0f : volume > 1.0f ? 1.0f : volume; }

// Every sound of the samples goes, owners last (see EngMusicSoundReleaseSampleSounds).
void EngMusicReleaseAllSampleSounds() {
  for (int s = 0; s < ENG_MUSIC_MAX_SAMPLES; s++) EngMusicSoundReleaseSampleSounds(s);
}

void EngMusicInitSongNow() {
  EngMusicSamplesExit();
  EngMusicMusicInit();
  em_song.Init();
  EngMusicListGenerate();
  EngMusicListUpdateSoundsPerSampleVar();
}

void EngMusicInitialiseNow() {
  EngMusicSamplesExit();
  EngMusicReleaseAllSampleSounds();
  EngMusicListFirstTimeInit();
  EngMusicInitSongNow();
}

// The thread's last act: everything it owns goes with it.
void EngMusicThreadExitNow() {
  EngMusicListExit();
  EngMusicSamplesExit();
  EngMusicReleaseAllSampleSounds();
  cm_num_thread_msgs = 0;
  cm_thread_done = 1;
}

// Waits up to ms milliseconds, or until the thread is asked to end; cm_mutex is held.
void EngMusicThreadPause(unsigned long ms) {
  timespec deadline;
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  deadline.tv_sec += time_t(ms / 1000);
  deadline.tv_nsec += long(ms % 1000) * 1000000L;
  if (deadline.tv_nsec >= 1000000000L) {
    deadline.tv_sec++;
    deadline.tv_nsec -= 1000000000L;
  }
  while (!cm_thread_exit) {
    if (pthread_cond_timedwait(&cm_thread_wake, &cm_mutex, &deadline) == ETIMEDOUT) break;
  }
}

void *EngMusicThreadMain(void *) {
  pthread_mutex_lock(&cm_mutex);
  for (;;) {
    if (cm_thread_exit) break;
    if (cm_num_thread_msgs > 0) {
      _CmmThreadMsg message = cm_thread_msgs[0];
      cm_num_thread_msgs--;
      memmove(cm_thread_msgs, cm_thread_msgs + 1, size_t(cm_num_thread_msgs) * sizeof(cm_thread_msgs[0]));
      if (message == CMM_THREAD_MSG_EXIT) break;
      switch (message) {
        case CMM_THREAD_MSG_INIT:
          EngMusicInitialiseNow();
          break;
        case CMM_THREAD_MSG_LOAD:
          EngMusicFileLoadSongAndSamplesFromFile(cm_thread_filename);
          break;
        case CMM_THREAD_MSG_VOLUME:
          cm_main_vol = EngMusicClampVolume(cm_thread_main_vol);
          EngMusicMusicUpdateAllPlayingNotesVolumes();
          break;
        case CMM_THREAD_MSG_PLAY_TIME:
          EngMusicListSetPlayTime(cm_thread_play_time);
          break;
        case CMM_THREAD_MSG_START:
          EngMusicListStartPlaying();
          break;
        case CMM_THREAD_MSG_STOP:
          EngMusicListStopPlaying();
          break;
        default:
          break;
      }
    }
    char playing = EngMusicListIsPlaying();
    if (playing) {
      EngMusicMusicTick();
      EngMusicListTick();
    }
    if (cm_num_thread_msgs > 0 || cm_thread_exit) {
      // Lets the callers in between two messages.
      pthread_mutex_unlock(&cm_mutex);
      pthread_mutex_lock(&cm_mutex);
      continue;
    }
    unsigned long ms = playing ? cm_sleep_ticks_playing.load() : cm_sleep_ticks_idle.load();
    if (ms) {
      EngMusicThreadPause(ms);
    } else {
      pthread_mutex_unlock(&cm_mutex);
      pthread_mutex_lock(&cm_mutex);
    }
  }
  EngMusicThreadExitNow();
  pthread_mutex_unlock(&cm_mutex);
  return nullptr;
}

// Sets up the mutex and the wake-up; 0 when either fails.
char EngMusicCreateMutex() {
  if (pthread_mutex_init(&cm_mutex, nullptr) != 0) return 0;
  pthread_condattr_t attributes;
  bool ok = pthread_condattr_init(&attributes) == 0;
  ok = ok && pthread_condattr_setclock(&attributes, CLOCK_MONOTONIC) == 0;
  ok = ok && pthread_cond_init(&cm_thread_wake, &attributes) == 0;
  pthread_condattr_destroy(&attributes);
  if (!ok) {
    pthread_mutex_destroy(&cm_mutex);
    return 0;
  }
  return 1;
}

void EngMusicDestroyMutex() {
  pthread_cond_destroy(&cm_thread_wake);
  pthread_mutex_destroy(&cm_mutex);
}

void EngMusicLock() {
  if (cm_threaded) pthread_mutex_lock(&cm_mutex);
}

void EngMusicUnlock() {
  if (cm_threaded) pthread_mutex_unlock(&cm_mutex);
}

}  // namespace

char EngMusicInitialise(char threaded) {
  return EngMusicInitialise(threaded, 0, ENG_SOUND_SYSTEM_OPENAL, 0, nullptr, 0);
}

char EngMusicInitialise(char threaded, char initSound, _EngSoundSystem system, char enable3d, const char *name,
                        char allowUnfocused) {
  const char *tag = "EngMusicInitialise";
  if (cm_initialised) {
    DebugError(tag, "Already Initialsed");
    EngMusicExit();
  }
  if (initSound) {
    if (!EngMusicSoundInit(system, enable3d, name, allowUnfocused)) return 0;
    cm_initd_sound = 1;
  }
  cm_threaded = 0;
  if (threaded) {
    if (!EngMusicCreateMutex()) {
      DebugError(tag, "pthread_mutex_init() failed");
    } else {
      // The first message waits before the thread runs, so it is the first thing it does.
      cm_thread_done = 0;
      cm_thread_exit = 0;
      cm_num_thread_msgs = 0;
      EngMusicAddThreadMessageToQueue(CMM_THREAD_MSG_INIT);
      if (pthread_create(&cm_thread, nullptr, EngMusicThreadMain, nullptr) != 0) {
        DebugError(tag, "pthread_create() failed");
        cm_num_thread_msgs = 0;
        EngMusicDestroyMutex();
      } else {
        cm_thread_alive = 1;
        cm_threaded = 1;
        cm_initialised = 1;
        return 1;
      }
    }
  }
  EngMusicInitialiseNow();
  cm_initialised = 1;
  return 1;
}

void EngMusicExit() {
  if (cm_threaded) {
    pthread_mutex_lock(&cm_mutex);
    cm_thread_exit = 1;
    pthread_cond_signal(&cm_thread_wake);
    pthread_mutex_unlock(&cm_mutex);
    if (cm_thread_alive) {
      int result = pthread_join(cm_thread, nullptr);
      if (result != 0) DebugErrorAlt(ENG_FUNC, "pthread_join() failed [%d]", result);
    }
    cm_thread_alive = 0;
    EngMusicDestroyMutex();
  } else if (cm_initialised) {
    EngMusicListExit();
    EngMusicSamplesExit();
    EngMusicReleaseAllSampleSounds();
  }
  if (cm_initd_sound) EngSoundExit();
  cm_initd_sound = 0;
  cm_threaded = 0;
  cm_initialised = 0;
}

void EngMusicSetTickSleepAmounts(unsigned long playing, unsigned long idle) {
  cm_sleep_ticks_playing = playing;
  cm_sleep_ticks_idle = idle;
}

char EngMusicIsInitialsed() { return cm_initialised; }

void EngMusicInitSong() {
  // Threaded, the song belongs to the engine thread: change it only while that waits.
  EngMusicLock();
  EngMusicInitSongNow();
  EngMusicUnlock();
}

char EngMusicLoadSongAndSamplesFromFile(const char *file) {
  if (!cm_initialised) return 0;
  if (!cm_threaded) return EngMusicFileLoadSongAndSamplesFromFile(file);
  if (!file || !*file || strlen(file) >= CMM_FILENAME_SIZE) {
    DebugErrorAlt(ENG_FUNC, "Invalid Filename");
    return 0;
  }
  EngMusicLock();
  EngSafeStrcpy(cm_thread_filename, file, sizeof(cm_thread_filename));
  EngMusicAddThreadMessageToQueue(CMM_THREAD_MSG_LOAD);
  EngMusicUnlock();
  return 1;
}

char EngMusicIsSongLoaded() {
  if (!cm_initialised) return 0;
  EngMusicLock();
  char ok = em_song.IsOk(nullptr);
  EngMusicUnlock();
  return ok;
}

void EngMusicSetMainVolume(float volume) {
  if (!cm_initialised) return;
  if (cm_threaded) {
    EngMusicLock();
    if (!(cm_num_thread_msgs > 0 && cm_thread_msgs[cm_num_thread_msgs - 1] == CMM_THREAD_MSG_VOLUME))
      EngMusicAddThreadMessageToQueue(CMM_THREAD_MSG_VOLUME);
    cm_thread_main_vol = volume;
    EngMusicUnlock();
    return;
  }
  cm_main_vol = EngMusicClampVolume(volume);
  EngMusicMusicUpdateAllPlayingNotesVolumes();
}

float EngMusicGetPlayTime() {
  if (!cm_initialised) return 0.0f;
  EngMusicLock();
  float time = EngMusicListGetPlayTime();
  EngMusicUnlock();
  return time;
}

void EngMusicSetPlayTime(float time) {
  if (!cm_initialised) return;
  if (!cm_threaded) {
    EngMusicListSetPlayTime(time);
    return;
  }
  EngMusicLock();
  cm_thread_play_time = time;
  EngMusicAddThreadMessageToQueue(CMM_THREAD_MSG_PLAY_TIME);
  EngMusicUnlock();
}

char EngMusicStartPlaying() {
  if (!cm_initialised) return 0;
  if (!cm_threaded) return EngMusicListStartPlaying();
  EngMusicLock();
  EngMusicAddThreadMessageToQueue(CMM_THREAD_MSG_START);
  EngMusicUnlock();
  return 1;
}

void EngMusicStopPlaying() {
  if (!cm_initialised) return;
  if (!cm_threaded) {
    EngMusicListStopPlaying();
    return;
  }
  EngMusicLock();
  EngMusicAddThreadMessageToQueue(CMM_THREAD_MSG_STOP);
  EngMusicUnlock();
}

void EngMusicTick() {
  if (!cm_initialised || cm_threaded) return;
  EngMusicMusicTick();
  EngMusicListTick();
}

void EngMusicAddThreadMessageToQueue(_CmmThreadMsg message) {
  if (cm_num_thread_msgs >= CMM_MAX_THREAD_MSGS) {
    DebugError("EngMusicAddThreadMessageToQueue", "too many messages");
    return;
  }
  cm_thread_msgs[cm_num_thread_msgs++] = message;
}

int EngMusicGetNumQueuedMessages() {
  if (!cm_threaded) return 0;
  EngMusicLock();
  int count = cm_num_thread_msgs;
  EngMusicUnlock();
  return count;
}

char EngMusicIsThreaded() { return cm_threaded; }

void EngMusicResetForTests() {
  if (cm_initialised) EngMusicExit();
  EngMusicListResetForTests();
  EngMusicSamplesExit();
  for (int i = 0; i < ENG_MUSIC_MAX_SAMPLES; i++) cm_samples_data_sizes[i] = 0;
  EngMusicReleaseAllSampleSounds();
  EngMusicSoundStopPlayingSampleLoadedFromFile();
  EngMusicMusicInit();
  em_song.Destroy();
  cm_main_vol = 1.0f;
  cm_thread_main_vol = 1.0f;
  cm_thread_play_time = 0.0f;
  cm_num_thread_msgs = 0;
  cm_sleep_ticks_playing = 1;
  cm_sleep_ticks_idle = 10;
}
