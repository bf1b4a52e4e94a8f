#include "game/Sound.h"

#include <cmath>
#include <cstdio>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngSound.h"
#include "Engine/MWin/MWin.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Quarrelwick.h"
#include "players/UserClass.h"
#include "players/UserInfo.h"
#include "screens/ScreensMusic.h"

namespace {

EngSound *s_snd[SOUND_NUM_SOUNDS];
_SndMusic s_musics[SOUND_NUM_MUSICS];
EngUInt8 s_disabled = 0;
// Set once the check for another program's music was made (it answers no on the desktop).
EngUInt8 s_checked_music_on_device = 0;
// Sound started for this run; a failed start turns it off without touching the settings.
EngUInt8 s_running = 0;
char s_file_name[512];
// One launch and one hit sound per bullet kind: the rotation never moves.
EngUInt8 s_launch_rotation[9], s_hit_rotation[9];
UserOptions *s_test_options = nullptr;

const char *const kNamedSounds[] = {"Upgrade.wav", "FullUpgrade.wav", "Pickup.wav", "Drop.wav",
                                    "BugKill.wav", "LifeLost.wav",    "LevelUp.wav", "Cash.wav"};
const char *const kMusicFiles[SOUND_NUM_MUSICS] = {"Menu.ogg", "GameOver.ogg", "Win.ogg"};

UserOptions *Options() {
  if (s_test_options) return s_test_options;
  UserClass *user = main_game ? main_game->GetLoadedUser() : nullptr;
  return user ? &user->GetInfo()->options : nullptr;
}

bool SoundsOn() {
  UserOptions *o = Options();
  return o && o->sound_on;
}

void ClearMusic(_SndMusic *m, int id) {
  *m = _SndMusic();
  m->id = EngUInt8(id);
}

void FadeOut(_SndMusic *m) {
  if (m->playing) m->stopping = 1;
}

// Bytes of one sample frame of the music (16-bit stereo); positions keep to whole frames.
const EngUInt32 kMusicFrameBytes = 4;

}  // namespace

// ---- Start-up and shut-down -----------------------------------------------------------------

char SoundPre3dInit() {
  for (EngSound *&s : s_snd) s = nullptr;
  for (int i = 0; i < SOUND_NUM_MUSICS; i++) ClearMusic(&s_musics[i], i);
  return 1;
}

char SoundInit() {
  for (int i = 0; i < 9; i++) s_launch_rotation[i] = s_hit_rotation[i] = 0;
  if (!resolution.sound_on) return 1;
  snprintf(s_file_name, sizeof(s_file_name), "%s0%s", "BulletLaunch", ".wav");
  if (!EngSoundInit(ENG_SOUND_SYSTEM_OPENAL, 0, 0, 0, s_file_name, SOUND_NUM_SOUNDS)) {
    DebugErrorAlt(ENG_FUNC, "EngSoundInit() Failed - turning off sound");
    s_running = 0;
    return 0;
  }
  s_running = 1;
  return SoundLoadGameSounds();
}

char SoundIsRunning() { return s_running; }

char SoundLoadGameSounds() {
  if (s_snd[0]) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_ALEX);
    SoundUnloadAll();
  }
  for (int id = 0; id < SOUND_NUM_SOUNDS; id++) {
    delete s_snd[id];
    s_snd[id] = nullptr;
    bool optional = id < 18;
    if (id < 9)
      snprintf(s_file_name, sizeof(s_file_name), "%s%d%s", "BulletLaunch", id, ".wav");
    else if (id < 18)
      snprintf(s_file_name, sizeof(s_file_name), "%s%d%s", "BulletHit", id - 9, ".wav");
    else
      snprintf(s_file_name, sizeof(s_file_name), "%s", kNamedSounds[id - 18]);
    if (optional && !EngFileExists(s_file_name, 0)) continue;
    // The engine logs a missing or unreadable file with its name; the id stays silent.
    EngSound *sound = new EngSound(s_file_name, 0, 0);
    if (sound->ok)
      s_snd[id] = sound;
    else
      delete sound;
  }
  static const float kFades[SOUND_NUM_MUSICS][2] = {{1.0f, 1.0f}, {3.0f, 0.5f}, {1.0f, 1.0f}};
  for (int i = 0; i < SOUND_NUM_MUSICS; i++) {
    _SndMusic *m = &s_musics[i];
    delete m->sound;
    ClearMusic(m, i);
    m->start_at_full = i == SOUND_MUSIC_WON ? 1 : 0;
    m->fade_in_speed = kFades[i][0];
    m->fade_out_speed = kFades[i][1];
    m->looped = 1;
    m->keeps_position = i == SOUND_MUSIC_MENU ? 1 : 0;
    m->sound = new EngSound(kMusicFiles[i]);
  }
  SoundsUpdateMainMusicsVolume();
  SoundsUpdateVolumes();
  return 1;
}

char SoundLoadAll() { return SoundLoadGameSounds(); }

void SoundUnloadAll() {
  for (_SndMusic &m : s_musics) SoundStopMusicNow(&m);
  for (EngSound *&s : s_snd) {
    delete s;
    s = nullptr;
  }
  for (int i = 0; i < SOUND_NUM_MUSICS; i++) {
    delete s_musics[i].sound;
    ClearMusic(&s_musics[i], i);
  }
}

void SoundExit() {
  SoundUnloadAll();
  EngSoundExit();
  s_running = 0;
}

void SoundResetForTests() {
  SoundUnloadAll();
  EngSoundResetForTests();
  s_running = 0;
  s_disabled = 0;
  s_checked_music_on_device = 0;
  s_test_options = nullptr;
  SoundRequestsKept() = SoundRequests();
}

void SoundSetOptionsForTests(UserOptions *options) { s_test_options = options; }

// ---- Volumes --------------------------------------------------------------------------------

void SoundsUpdateMainMusicsVolume() {
  UserOptions *o = Options();
  if (o) s_musics[SOUND_MUSIC_MENU].target = o->music_volume * 0.7f;
}

void SoundsUpdateVolumes() {
  if (!SoundsOn()) return;
  for (int id = 0; id < SOUND_NUM_SOUNDS; id++) SoundSetSoundVolume(id);
}

void SoundSetSoundVolume(int id) {
  UserOptions *o = Options();
  if (!o || id < 0 || id >= SOUND_NUM_SOUNDS || !s_snd[id]) return;
  s_snd[id]->SetVolume(o->sound_volume);
}

void SoundEnable(char enable) { s_disabled = enable ? 0 : 1; }

// ---- Effects --------------------------------------------------------------------------------

SoundRequests &SoundRequestsKept() {
  static SoundRequests kept;
  return kept;
}

EngSound *SoundGet(int id) { return (id >= 0 && id < SOUND_NUM_SOUNDS) ? s_snd[id] : nullptr; }

void SoundPlay(int id) {
  if (SoundRequestsKept().on) SoundRequestsKept().played.push_back(id);
  if (s_disabled || !SoundsOn() || id < 0 || id >= SOUND_NUM_SOUNDS || !s_snd[id]) return;
  s_snd[id]->Play();
}

void SoundPlayLooped(int id) {
  if (s_disabled || !SoundsOn() || id < 0 || id >= SOUND_NUM_SOUNDS || !s_snd[id]) return;
  s_snd[id]->PlayLooped();
}

void SoundStop(int id) {
  if (!SoundsOn() || id < 0 || id >= SOUND_NUM_SOUNDS || !s_snd[id]) return;
  s_snd[id]->Stop();
}

void SoundPlay3d(int id, char) { SoundPlay(id); }

static void PlayBulletSound(int first_id, int type, const EngUInt8 *rotation) {
  if (s_disabled || !SoundsOn() || type < 0 || type > 8) return;
  int id = first_id + type + rotation[type];
  if (s_snd[id]) s_snd[id]->Play();
}

void SoundPlayBulletLaunchSound(int type, int level) {
  if (SoundRequestsKept().on) SoundRequestsKept().launches.emplace_back(type, level);
  PlayBulletSound(0, type, s_launch_rotation);
}

void SoundPlayBulletHitSound(int type, int level) {
  if (SoundRequestsKept().on) SoundRequestsKept().hits.emplace_back(type, level);
  PlayBulletSound(9, type, s_hit_rotation);
}

void SoundPlayMuiSound(int) {}

// ---- Music ----------------------------------------------------------------------------------

_SndMusic *SoundGetMusic(int id) { return (id >= 0 && id < SOUND_NUM_MUSICS) ? &s_musics[id] : nullptr; }

void SoundTick() {
  const float dt = game_per_second;
  for (_SndMusic &m : s_musics) {
    if (m.stopping) {
      if (m.volume > 0.0f) {
        m.volume = std::fmax(0.0f, m.volume - m.fade_out_speed * 0.2f * dt);
        SoundSetMusicVolume(&m);
      }
      if (!(m.volume > 0.0f)) SoundStopMusicNow(&m);
      continue;
    }
    if (!m.playing) continue;
    if (m.target > m.volume) {
      float v = m.volume == 0.0f ? 0.001f : m.volume + m.fade_in_speed * 0.2f * dt;
      m.volume = std::fmin(m.target, v);
      SoundSetMusicVolume(&m);
    } else if (m.volume > m.target) {
      m.volume = std::fmax(m.target, m.volume - m.fade_out_speed * 0.2f * dt);
      SoundSetMusicVolume(&m);
    }
  }
}

void SoundSetMusicVolume(_SndMusic *m) {
  if (m && m->sound && m->sound->IsPlaying()) m->sound->SetVolume(m->volume);
}

void SoundStopMusicNow(_SndMusic *m) {
  if (!m) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  if (!m->playing) {
    m->stopping = 0;
    return;
  }
  if (m->sound) {
    UserOptions *o = m->keeps_position ? Options() : nullptr;
    if (o && m->sound->IsPlaying()) {
      EngUInt32 size = m->sound->GetPlayBufferSize();
      if (size) o->music_position = float(double(m->sound->GetPlayBufferPos()) / double(size));
    }
    m->sound->Stop();
    m->sound->Destroy();
  }
  m->playing = 0;
  m->stopping = 0;
  m->volume = 0.0f;
}

char SoundLoadAndPlayMusicFile(_SndMusic *m, const char *file) {
  if (!m || !file || !*file || !m->sound) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  const float start_volume = m->start_at_full ? m->target : 0.0f;
  SoundStopMusicNow(m);
  if (SoundIsMusicAlreadyPlayingOnDevice()) return 1;
  if (!m->sound->LoadSoundFromOggFile(file, 0, 0)) {
    m->sound->Destroy();
    DebugErrorAlt(ENG_FUNC, "Could not load <%s>", file);
    return 0;
  }
  m->volume = start_volume;
  m->playing = 1;
  m->stopping = 0;
  m->sound->SetVolume(0.0f);
  if (m->looped)
    m->sound->PlayLooped();
  else
    m->sound->Play();
  UserOptions *o = m->keeps_position ? Options() : nullptr;
  if (o) {
    // A position from a damaged player file starts the music from its beginning.
    float fraction = o->music_position;
    if (!(fraction >= 0.0f && fraction < 1.0f)) fraction = 0.0f;
    EngUInt32 size = m->sound->GetPlayBufferSize();
    EngUInt32 pos = EngUInt32(double(fraction) * double(size));
    pos -= pos % kMusicFrameBytes;
    if (pos > 0 && pos < size) m->sound->SetPlayBufferPos(pos);
  }
  m->sound->SetVolume(start_volume);
  return 1;
}

// Starts one music unless the player has it off (then it fades out) or it already plays; the
// others fade out.
static void StartMusic(int id) {
  _SndMusic *m = &s_musics[id];
  UserOptions *o = Options();
  char on = 0;
  if (o) {
    if (id == SOUND_MUSIC_MENU) on = o->music_on;
    if (id == SOUND_MUSIC_GAME_OVER) {
      m->target = o->game_over_music_volume;
      on = o->game_over_music_on;
    }
    if (id == SOUND_MUSIC_WON) {
      m->target = o->won_music_volume;
      on = o->won_music_on;
    }
  }
  if (!on) {
    if (id == SOUND_MUSIC_MENU)
      for (_SndMusic &other : s_musics) FadeOut(&other);
    else
      FadeOut(m);
    return;
  }
  // Without a sound device there is nothing to start (that was logged once at start-up).
  if (!m->sound) return;
  if (m->playing) {
    // Chosen again while it fades out: it fades back in from where it is.
    m->stopping = 0;
    if (id == SOUND_MUSIC_MENU) SoundsUpdateMainMusicsVolume();
    return;
  }
  for (int i = 0; i < SOUND_NUM_MUSICS; i++)
    if (i != id) FadeOut(&s_musics[i]);
  if (id == SOUND_MUSIC_MENU) SoundsUpdateMainMusicsVolume();
  if (!SoundLoadAndPlayMusicFile(m, kMusicFiles[id])) DebugStandardError(ENG_FUNC, DEBUG_ERR_OPFA);
}

void SoundStartMainMusic() { StartMusic(SOUND_MUSIC_MENU); }
void SoundStartGameOverMusic() { StartMusic(SOUND_MUSIC_GAME_OVER); }
void SoundStartWinMusic() { StartMusic(SOUND_MUSIC_WON); }
void SoundStopMainMusic() { FadeOut(&s_musics[SOUND_MUSIC_MENU]); }
void SoundStopGameOverMusic() { FadeOut(&s_musics[SOUND_MUSIC_GAME_OVER]); }
void SoundStopWinMusic() { FadeOut(&s_musics[SOUND_MUSIC_WON]); }

void SoundStopAllMusic(char now) {
  for (_SndMusic &m : s_musics) {
    if (now)
      SoundStopMusicNow(&m);
    else
      FadeOut(&m);
  }
}

void SoundStartOrStopMusic() {
  char screens_on = 1;
  euint screen = 0;
  if (MWin *mwin = main_game ? main_game->GetMWin() : nullptr) {
    screens_on = mwin->AreScreensOn();
    if (screens_on) screen = mwin->GetCurrentScreen();
  }
  SoundFollowMusicChoice(ScreensChooseMusic(screens_on, screen, char(game_over), char(game_won), Options()));
}

void SoundFollowMusicChoice(const ScreensMusicChoice &choice) {
  if (!choice.menu) SoundStopMainMusic();
  if (!choice.game_over) SoundStopGameOverMusic();
  if (!choice.won) SoundStopWinMusic();
  if (choice.menu) SoundStartMainMusic();
  if (choice.game_over) SoundStartGameOverMusic();
  if (choice.won) SoundStartWinMusic();
}

void SoundNeedToCheckIfMusicIsAlreadyPlayingOnDevice() { s_checked_music_on_device = 0; }

char SoundIsMusicAlreadyPlayingOnDevice() {
  // Only phones and tablets share their music player with the game; the desktop answers no.
  s_checked_music_on_device = 1;
  return 0;
}
