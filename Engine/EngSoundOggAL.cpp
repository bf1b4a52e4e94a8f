// Whole Ogg Vorbis files into one OpenAL buffer of 16-bit samples, so that music plays, loops
// and seeks like a WAV sound. The file is decoded twice (count, then fill) so that no growing
// buffer is needed.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <AL/al.h>
#include <vorbis/vorbisfile.h>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngSound.h"
#include "Engine/EngSoundAL.h"

namespace {

enum { ENG_SOUND_OGG_CHUNK_SIZE = 32768 };

// One decoding pass: returns the PCM byte count (0 on any failure) and sets format and rate;
// copies at most dest_size bytes to dest when dest is given.
int EngSoundAl_DoReadOggFile(const char *file, char *dest, size_t dest_size, int &format, int &rate,
                             char big_endian) {
  const char *tag = "EngSoundAl_DoReadOggFile";
  char *chunk = static_cast<char *>(EngMalloc(ENG_SOUND_OGG_CHUNK_SIZE, tag, 0));
  if (!chunk) return 0;
  FILE *fp = EngFileOpenStreamForReading(file);
  if (!fp) {
    DebugError(tag, "Cannot open <%s>", file);
    EngFree(chunk, 1, tag);
    return 0;
  }
  OggVorbis_File *vf = static_cast<OggVorbis_File *>(EngMalloc(sizeof(OggVorbis_File), tag, 1));
  if (!vf) {
    fclose(fp);
    EngFree(chunk, 1, tag);
    return 0;
  }
  if (ov_open(fp, vf, nullptr, 0) != 0) {
    DebugError(tag, "Cannot decode <%s>", file);
    // A refused file stays ours to close.
    fclose(fp);
    ov_clear(vf);
    EngFree(vf, 1, tag);
    EngFree(chunk, 1, tag);
    return 0;
  }

  size_t total = 0;
  char failed = 0;
  vorbis_info *info = ov_info(vf, -1);
  if (!info || info->channels < 1 || info->channels > 2) {
    // Played as stereo, more channels would come out as noise at the wrong speed.
    DebugError(tag, "Cannot play <%s>: %d channels, only mono and stereo are supported", file,
               info ? info->channels : 0);
    failed = 1;
  } else if (info->rate < 1 || info->rate > INT_MAX) {
    DebugError(tag, "Cannot play <%s>: sample rate %ld", file, info->rate);
    failed = 1;
  } else {
    const int channels = info->channels;
    const long first_rate = info->rate;
    format = channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    rate = static_cast<int>(first_rate);
    int section = 0;
    int last_section = 0;
    for (;;) {
      long got = ov_read(vf, chunk, ENG_SOUND_OGG_CHUNK_SIZE, big_endian ? 1 : 0, 2, 1, &section);
      if (got < 0) {
        DebugError(tag, "Error decoding <%s>", file);
        failed = 1;
        break;
      }
      if (got == 0) {
        // A cut file decodes its whole pages and just stops; only the end-of-stream page
        // says that everything was there.
        if (!vf->os.e_o_s) {
          DebugError(tag, "Cannot play <%s>: the file is cut short", file);
          failed = 1;
        }
        break;
      }
      if (section != last_section) {
        // A chained file whose later part has another layout cannot share one buffer format.
        vorbis_info *part = ov_info(vf, section);
        if (!part || part->channels != channels || part->rate != first_rate) {
          DebugError(tag, "Error decoding <%s>", file);
          failed = 1;
          break;
        }
        last_section = section;
      }
      if (dest && total < dest_size) {
        size_t room = dest_size - total;
        memcpy(dest + total, chunk, static_cast<size_t>(got) < room ? static_cast<size_t>(got) : room);
      }
      total += static_cast<size_t>(got);
      if (total > static_cast<size_t>(INT_MAX)) {
        DebugError(tag, "Cannot play <%s>: too much sound data", file);
        failed = 1;
        break;
      }
    }
  }

  EngFree(chunk, 1, tag);
  ov_clear(vf);
  EngFree(vf, 1, tag);
  return failed ? 0 : static_cast<int>(total);
}

}  // namespace

char EngSound::LoadSoundFromOggFileAL(const char *file, char, char big_endian) {
  const char *tag = "EngSound::LoadSoundFromOggFileAL";
  if (!EngFileExists(file, 0)) {
    DebugError(tag, "Sound <%s> does not exist", EngReturnSafeString(file));
    return 0;
  }
  if (!EngSoundIsSetup_AL()) {
    DebugError(tag, "Sound not setup.");
    return 0;
  }
  int format = 0;
  int rate = 0;
  int count = EngSoundAl_DoReadOggFile(file, nullptr, 0, format, rate, big_endian);
  if (count <= 0) {
    DebugError(tag, "Error reading Ogg file <%s> [1]", file);
    return 0;
  }
  char *block = static_cast<char *>(malloc(static_cast<size_t>(count)));
  if (!block) {
    DebugError(tag, "No memory to allocate for file <%s>  (needed:%u)", file, static_cast<unsigned>(count));
    return 0;
  }
  // The file may have changed between the passes: only what the second pass wrote is played.
  int second = EngSoundAl_DoReadOggFile(file, block, static_cast<size_t>(count), format, rate, big_endian);
  if (second <= 0) {
    DebugError(tag, "Error reading Ogg file <%s> [2]", file);
    free(block);
    return 0;
  }
  unsigned size = static_cast<unsigned>(second < count ? second : count);
  char loaded = LoadSoundFromDataAL(block, format, size, static_cast<unsigned>(rate));
  free(block);
  if (!loaded) {
    DebugError(tag, "Problem loading sound from data");
    return 0;
  }
  return 1;
}
