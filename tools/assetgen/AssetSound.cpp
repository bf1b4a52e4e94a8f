// The sound jobs: short effects synthesised from layered voices into 16-bit mono WAV, and
// music loops rendered from note lists into Ogg Vorbis. Noise uses fixed seeds and the
// Ogg stream a serial number taken from the output's name, so the files never change by run.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

#include <vorbis/vorbisenc.h>

#include "Engine/EngMath.h"
#include "tools/assetgen/Assetgen.h"

namespace assetgen {

namespace {

const int kRate = 44100;

std::string At(const JsonValue &v) { return "line " + std::to_string(v.line) + ": "; }

struct Noise {
  uint32_t state;
  double Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return double(state) / 2147483648.0 - 1.0;
  }
};

double Wave(const std::string &wave, double phase, Noise *noise) {
  const double p = phase - std::floor(phase);
  if (wave == "sine") return std::sin(ENG_MATH_TWO_PI * p);
  if (wave == "square") return p < 0.5 ? 0.8 : -0.8;
  if (wave == "saw") return 2.0 * p - 1.0;
  if (wave == "triangle") return p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
  return noise->Next();
}

bool IsWave(const std::string &w) {
  return w == "sine" || w == "square" || w == "saw" || w == "triangle" || w == "noise";
}

// One voice: a wave gliding from f0 to f1, shaped by attack, hold and release, then an
// optional one-pole low-pass; added into out from the start sample.
struct Voice {
  std::string wave = "sine";
  double f0 = 440, f1 = 440, start = 0, length = 0.2, attack = 0.005, release = 0.1, gain = 0.5;
  double lowpass = 0, highpass = 0, vibrato_rate = 0, vibrato_depth = 0;
  uint32_t seed = 1;
};

void RenderVoice(const Voice &v, std::vector<double> &out, bool wrap) {
  const size_t n = size_t(std::max(0.0, v.length) * kRate);
  const size_t first = size_t(std::max(0.0, v.start) * kRate);
  Noise noise{v.seed ? v.seed : 1};
  double phase = 0, low = 0, high_prev_in = 0, high = 0;
  const double lp_a = v.lowpass > 0 ? 1.0 - std::exp(-ENG_MATH_TWO_PI * v.lowpass / kRate) : 1.0;
  const double hp_a = v.highpass > 0 ? std::exp(-ENG_MATH_TWO_PI * v.highpass / kRate) : 0.0;
  for (size_t i = 0; i < n; i++) {
    const double t = double(i) / kRate, frac = n > 1 ? double(i) / double(n - 1) : 0.0;
    double f = v.f0 * std::pow(v.f1 / v.f0, frac);
    if (v.vibrato_depth > 0) f *= 1.0 + v.vibrato_depth * std::sin(ENG_MATH_TWO_PI * v.vibrato_rate * t);
    phase += f / kRate;
    double s = Wave(v.wave, phase, &noise);
    low += lp_a * (s - low);
    s = low;
    if (v.highpass > 0) {
      high = hp_a * (high + s - high_prev_in);
      high_prev_in = s;
      s = high;
    }
    double env = 1.0;
    if (v.attack > 0 && t < v.attack) env = t / v.attack;
    const double left = v.length - t;
    if (v.release > 0 && left < v.release) env *= std::max(0.0, left / v.release) * std::max(0.0, left / v.release);
    size_t at = first + i;
    if (at >= out.size()) {
      if (!wrap) break;
      at %= out.size();
    }
    out[at] += s * env * v.gain;
  }
}

void Normalise(std::vector<double> &samples, double peak_db) {
  double peak = 0;
  for (double s : samples) peak = std::max(peak, std::fabs(s));
  if (peak <= 0) return;
  const double scale = std::pow(10.0, peak_db / 20.0) / peak;
  for (double &s : samples) s *= scale;
}

void PutLe(std::string &out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; i++) out += char((v >> (8 * i)) & 0xff);
}

Voice ReadVoice(const JsonValue &d, uint32_t seed) {
  Voice v;
  v.wave = MemberString(d, "wave", "sine");
  if (!IsWave(v.wave)) throw AssetError(At(d) + "wave \"" + v.wave + "\" must be sine, square, saw, triangle or noise");
  if (const JsonValue *f = d.Find("freq")) {
    if (f->IsArray()) {
      std::vector<double> fs = Numbers(*f, 2, "\"freq\"");
      v.f0 = fs[0];
      v.f1 = fs[1];
    } else {
      v.f0 = v.f1 = MemberNumber(d, "freq");
    }
  }
  if (v.f0 <= 0 || v.f1 <= 0 || v.f0 > 20000 || v.f1 > 20000) throw AssetError(At(d) + "\"freq\" must lie in 1..20000 Hz");
  v.start = MemberNumber(d, "start", 0);
  v.length = MemberNumber(d, "length");
  v.attack = MemberNumber(d, "attack", 0.005);
  v.release = MemberNumber(d, "release", 0.05);
  v.gain = MemberNumber(d, "gain", 0.5);
  v.lowpass = MemberNumber(d, "lowpass", 0);
  v.highpass = MemberNumber(d, "highpass", 0);
  if (const JsonValue *vib = d.Find("vibrato")) {
    std::vector<double> vv = Numbers(*vib, 2, "\"vibrato\" [rate, depth]");
    v.vibrato_rate = vv[0];
    v.vibrato_depth = vv[1];
  }
  if (v.start < 0 || v.length <= 0 || v.length > 30 || v.attack < 0 || v.release < 0)
    throw AssetError(At(d) + "a layer needs start >= 0, 0 < length <= 30 and attack, release >= 0");
  v.seed = seed;
  return v;
}

}  // namespace

static void DescribeSound(Job &job) {
  if (Extension(job.output) != "wav") throw AssetError(At(job.desc) + "a sound's output must end in .wav");
  const double duration = MemberNumber(job.desc, "duration");
  if (duration <= 0 || duration > 30) throw AssetError(At(job.desc) + "\"duration\" must be above 0 and at most 30 s");
  const JsonValue &layers = Member(job.desc, "layers");
  if (!layers.IsArray() || layers.items.empty()) throw AssetError(At(layers) + "\"layers\" must be a non-empty array");
  for (const auto &l : layers.items) ReadVoice(l, 1);
}

static void MakeSound(const Job &job, const Context &, const std::string &path) {
  const double duration = MemberNumber(job.desc, "duration");
  std::vector<double> mix(size_t(duration * kRate), 0.0);
  uint32_t seed = uint32_t(MemberInt(job.desc, "seed", 1, 1 << 30, 1));
  for (const auto &l : Member(job.desc, "layers").items) RenderVoice(ReadVoice(l, seed++), mix, false);
  // A few milliseconds of fade at both ends keep the effect free of clicks.
  const size_t fade = std::min(mix.size() / 2, size_t(0.004 * kRate));
  for (size_t i = 0; i < fade; i++) {
    const double g = double(i) / double(fade);
    mix[i] *= g;
    mix[mix.size() - 1 - i] *= g;
  }
  Normalise(mix, MemberNumber(job.desc, "peak_db", -3.0));

  std::string wav = "RIFF";
  const uint32_t data_bytes = uint32_t(mix.size() * 2);
  PutLe(wav, 36 + data_bytes, 4);
  wav += "WAVEfmt ";
  PutLe(wav, 16, 4);
  PutLe(wav, 1, 2);  // PCM
  PutLe(wav, 1, 2);  // mono
  PutLe(wav, kRate, 4);
  PutLe(wav, kRate * 2, 4);
  PutLe(wav, 2, 2);
  PutLe(wav, 16, 2);
  wav += "data";
  PutLe(wav, data_bytes, 4);
  for (double s : mix) PutLe(wav, uint32_t(uint16_t(int16_t(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0)))), 2);
  FILE *f = fopen(path.c_str(), "wb");
  if (!f) throw AssetError("cannot write " + path);
  const bool ok = fwrite(wav.data(), 1, wav.size(), f) == wav.size();
  if (fclose(f) != 0 || !ok) throw AssetError("cannot write " + path);
}

namespace {

struct Note {
  std::vector<std::string> pitches;  // empty: a rest
  double beats;
};

double PitchHz(const std::string &name, const std::string &at) {
  static const int kSemis[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G from C
  if (name.size() < 2 || toupper(name[0]) < 'A' || toupper(name[0]) > 'G') throw AssetError(at + "bad pitch \"" + name + "\"");
  int semi = kSemis[toupper(name[0]) - 'A'];
  size_t i = 1;
  if (name[i] == '#') semi++, i++;
  else if (name[i] == 'b') semi--, i++;
  if (i >= name.size() || !isdigit(static_cast<unsigned char>(name[i])) || i + 1 != name.size())
    throw AssetError(at + "bad pitch \"" + name + "\" (write C4, F#3 or Bb2)");
  const int octave = name[i] - '0';
  const int midi = 12 * (octave + 1) + semi;
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

std::vector<Note> ParseNotes(const JsonValue &v) {
  if (!v.IsString()) throw AssetError(At(v) + "\"notes\" must be a string");
  std::vector<Note> notes;
  std::stringstream list(v.text);
  std::string item;
  while (std::getline(list, item, ',')) {
    std::stringstream words(item);
    std::string pitch, beats;
    words >> pitch >> beats;
    if (pitch.empty()) continue;
    Note n;
    char *end = nullptr;
    n.beats = strtod(beats.c_str(), &end);
    if (beats.empty() || *end || n.beats <= 0) throw AssetError(At(v) + "note \"" + item + "\" needs a length in beats");
    if (pitch != "r") {
      std::stringstream chord(pitch);
      std::string p;
      while (std::getline(chord, p, '+')) n.pitches.push_back(p);
    }
    notes.push_back(n);
  }
  if (notes.empty()) throw AssetError(At(v) + "\"notes\" holds no notes");
  return notes;
}

bool IsDrum(const std::string &name) { return name == "kick" || name == "snare" || name == "hat"; }

// The voices an instrument plays for one note.
std::vector<Voice> Instrument(const std::string &inst, const std::string &pitch, double len, double gain,
                              uint32_t seed, const std::string &at) {
  std::vector<Voice> out;
  Voice v;
  v.gain = gain;
  v.seed = seed;
  if (inst == "drum") {
    if (!IsDrum(pitch)) throw AssetError(at + "drums play kick, snare or hat, not \"" + pitch + "\"");
    if (pitch == "kick") {
      v.wave = "sine", v.f0 = 150, v.f1 = 45, v.length = 0.22, v.attack = 0.001, v.release = 0.2;
      out.push_back(v);
    } else if (pitch == "snare") {
      v.wave = "noise", v.length = 0.16, v.attack = 0.001, v.release = 0.15, v.lowpass = 6000, v.gain = gain * 0.6;
      out.push_back(v);
      v.wave = "triangle", v.f0 = v.f1 = 190, v.length = 0.1, v.release = 0.09, v.lowpass = 0, v.gain = gain * 0.5;
      out.push_back(v);
    } else {
      v.wave = "noise", v.length = 0.05, v.attack = 0.001, v.release = 0.045, v.highpass = 7000, v.gain = gain * 0.4;
      out.push_back(v);
    }
    return out;
  }
  const double f = PitchHz(pitch, at);
  v.f0 = v.f1 = f;
  if (inst == "pluck") {
    v.wave = "triangle", v.length = std::max(0.25, len), v.attack = 0.003, v.release = v.length * 0.9;
    out.push_back(v);
    v.wave = "saw", v.gain = gain * 0.25, v.lowpass = f * 3, v.release = v.length * 0.6;
    out.push_back(v);
  } else if (inst == "bass") {
    v.wave = "sine", v.length = len * 0.95, v.attack = 0.01, v.release = 0.06;
    out.push_back(v);
    v.wave = "square", v.gain = gain * 0.18, v.lowpass = f * 4;
    out.push_back(v);
  } else if (inst == "pad") {
    v.wave = "saw", v.length = len + 0.2, v.attack = std::min(0.25, len * 0.4), v.release = 0.3, v.lowpass = 1600,
    v.gain = gain * 0.5;
    out.push_back(v);
    v.f0 = v.f1 = f * 1.004;
    out.push_back(v);
  } else if (inst == "lead") {
    v.wave = "square", v.length = len * 0.9, v.attack = 0.01, v.release = 0.08, v.lowpass = 3000,
    v.vibrato_rate = 5.5, v.vibrato_depth = 0.006;
    out.push_back(v);
  } else if (inst == "bell") {
    v.wave = "sine", v.length = std::max(0.6, len), v.attack = 0.002, v.release = v.length;
    out.push_back(v);
    v.f0 = v.f1 = f * 2.76, v.gain = gain * 0.3, v.release = v.length * 0.5;
    out.push_back(v);
  } else {
    throw AssetError(at + "unknown instrument \"" + inst + "\" (pluck, bass, pad, lead, bell, drum)");
  }
  return out;
}

struct Track {
  std::string instrument;
  double gain, pan;
  std::vector<Note> notes;
  const JsonValue *where;
};

std::vector<Track> ReadTracks(const JsonValue &desc, double beats) {
  const JsonValue &tracks = Member(desc, "tracks");
  if (!tracks.IsArray() || tracks.items.empty()) throw AssetError(At(tracks) + "\"tracks\" must be a non-empty array");
  std::vector<Track> out;
  for (const auto &t : tracks.items) {
    Track track{MemberString(t, "instrument"), MemberNumber(t, "gain", 0.5), MemberNumber(t, "pan", 0.0),
                ParseNotes(Member(t, "notes")), &t};
    if (track.pan < -1 || track.pan > 1) throw AssetError(At(t) + "\"pan\" must lie in -1..1");
    double total = 0;
    for (const Note &n : track.notes) {
      total += n.beats;
      for (const auto &p : n.pitches) Instrument(track.instrument, p, 1, 1, 1, At(t));
    }
    // A shorter pattern repeats; it must fit the loop a whole number of times.
    const double repeats = beats / total;
    if (std::fabs(repeats - std::round(repeats)) > 1e-6 || repeats < 1)
      throw AssetError(At(t) + "the notes last " + std::to_string(total) + " beats, which does not divide the loop's " +
                       std::to_string(beats));
    out.push_back(track);
  }
  return out;
}

}  // namespace

static void DescribeMusic(Job &job) {
  if (Extension(job.output) != "ogg") throw AssetError(At(job.desc) + "music output must end in .ogg");
  const double tempo = MemberNumber(job.desc, "tempo");
  const double beats = MemberNumber(job.desc, "beats");
  if (tempo < 20 || tempo > 400 || beats <= 0 || beats * 60.0 / tempo > 600)
    throw AssetError(At(job.desc) + "\"tempo\" must lie in 20..400 and the loop last at most 10 minutes");
  ReadTracks(job.desc, beats);
}

static void MakeMusic(const Job &job, const Context &, const std::string &path) {
  const double tempo = MemberNumber(job.desc, "tempo"), beats = MemberNumber(job.desc, "beats");
  const double beat_s = 60.0 / tempo;
  const size_t frames = size_t(std::lround(beats * beat_s * kRate));
  std::vector<double> left(frames, 0.0), right(frames, 0.0);
  uint32_t seed = 7;
  for (const Track &t : ReadTracks(job.desc, beats)) {
    std::vector<double> mono(frames, 0.0);
    double at = 0;
    while (at < beats - 1e-9) {
      for (const Note &n : t.notes) {
        for (const auto &p : n.pitches)
          for (Voice v : Instrument(t.instrument, p, n.beats * beat_s, t.gain, seed++, At(*t.where))) {
            v.start = at * beat_s;
            // Tails past the end come round to the start: the loop joins without a seam.
            RenderVoice(v, mono, true);
          }
        at += n.beats;
      }
    }
    const double gl = std::cos((t.pan + 1) * ENG_MATH_PI / 4), gr = std::sin((t.pan + 1) * ENG_MATH_PI / 4);
    for (size_t i = 0; i < frames; i++) {
      left[i] += mono[i] * gl;
      right[i] += mono[i] * gr;
    }
  }
  double peak = 0;
  for (size_t i = 0; i < frames; i++) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  const double scale = peak > 0 ? std::pow(10.0, MemberNumber(job.desc, "peak_db", -3.0) / 20.0) / peak : 1.0;

  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, 2, kRate, float(MemberNumber(job.desc, "quality", 0.4))) != 0) {
    vorbis_info_clear(&vi);
    throw AssetError(At(job.desc) + "the Vorbis encoder refused the settings");
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, int(Hash64(job.output) & 0x7fffffff));
  std::string bytes;
  auto flush = [&](bool force) {
    ogg_page og;
    while (force ? ogg_stream_flush(&os, &og) : ogg_stream_pageout(&os, &og)) {
      bytes.append(reinterpret_cast<const char *>(og.header), size_t(og.header_len));
      bytes.append(reinterpret_cast<const char *>(og.body), size_t(og.body_len));
    }
  };
  ogg_packet h1, h2, h3;
  vorbis_analysis_headerout(&vd, &vc, &h1, &h2, &h3);
  ogg_stream_packetin(&os, &h1);
  ogg_stream_packetin(&os, &h2);
  ogg_stream_packetin(&os, &h3);
  flush(true);
  auto drain = [&]() {
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        flush(false);
      }
    }
  };
  const size_t chunk = 1024;
  for (size_t pos = 0; pos < frames; pos += chunk) {
    const size_t n = std::min(chunk, frames - pos);
    float **buf = vorbis_analysis_buffer(&vd, int(n));
    for (size_t i = 0; i < n; i++) {
      buf[0][i] = float(left[pos + i] * scale);
      buf[1][i] = float(right[pos + i] * scale);
    }
    vorbis_analysis_wrote(&vd, int(n));
    drain();
  }
  vorbis_analysis_wrote(&vd, 0);
  drain();
  flush(true);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  FILE *f = fopen(path.c_str(), "wb");
  if (!f) throw AssetError("cannot write " + path);
  const bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (fclose(f) != 0 || !ok) throw AssetError("cannot write " + path);
}

static JobKindRegistrar sound_kind({"sound", DescribeSound, MakeSound});
static JobKindRegistrar music_kind({"music", DescribeMusic, MakeMusic});

}  // namespace assetgen
