#include "tests/Engine/SoundFixtures.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include "Engine/EngDebug.h"

#if defined(__SANITIZE_ADDRESS__)
#define QW_SOUND_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QW_SOUND_LSAN 1
#endif
#endif
#ifdef QW_SOUND_LSAN
#include <sanitizer/lsan_interface.h>
#endif

namespace qwsound {

namespace {

void PutLE(std::string &out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; i++) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

double Tone(int frame, int rate, double hz, int channel) {
  // The second channel is a fifth higher, so a stereo fixture is not two equal channels.
  double f = channel ? hz * 1.5 : hz;
  return std::sin(2.0 * M_PI * f * frame / rate);
}

std::vector<std::string> *g_lines = nullptr;

void CaptureLine(const char *text) {
  if (g_lines) g_lines->push_back(text ? text : "");
}

bool g_openal_started = false;

}  // namespace

std::string MakeWav(int channels, int rate, int frames, double hz, double amplitude) {
  std::string data;
  for (int f = 0; f < frames; f++)
    for (int c = 0; c < channels; c++)
      PutLE(data, static_cast<uint16_t>(static_cast<int16_t>(std::lround(amplitude * 32767.0 * Tone(f, rate, hz, c)))), 2);
  std::string out = "RIFF";
  PutLE(out, static_cast<uint32_t>(36 + data.size()), 4);
  out += "WAVEfmt ";
  PutLE(out, 16, 4);
  PutLE(out, 1, 2);  // PCM
  PutLE(out, static_cast<uint32_t>(channels), 2);
  PutLE(out, static_cast<uint32_t>(rate), 4);
  PutLE(out, static_cast<uint32_t>(rate * channels * 2), 4);
  PutLE(out, static_cast<uint32_t>(channels * 2), 2);
  PutLE(out, 16, 2);
  out += "data";
  PutLE(out, static_cast<uint32_t>(data.size()), 4);
  return out + data;
}

std::string MakeOgg(int channels, int rate, int frames, double hz) {
#ifdef QW_SOUND_LSAN
  // libvorbisenc's multichannel set-up loses a block that vorbis_info_clear does not free.
  struct LeakCheckOff {
    LeakCheckOff() { __lsan_disable(); }
    ~LeakCheckOff() { __lsan_enable(); }
  } leak_check_off;
#endif
  std::string out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.1f) != 0) throw std::runtime_error("vorbis_encode_init_vbr");
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1234);

  ogg_packet header, header_comm, header_code;
  vorbis_analysis_headerout(&vd, &vc, &header, &header_comm, &header_code);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &header_comm);
  ogg_stream_packetin(&os, &header_code);
  ogg_page og;
  auto write_page = [&out](const ogg_page &page) {
    out.append(reinterpret_cast<const char *>(page.header), static_cast<size_t>(page.header_len));
    out.append(reinterpret_cast<const char *>(page.body), static_cast<size_t>(page.body_len));
  };
  while (ogg_stream_flush(&os, &og)) write_page(og);

  const int step = 1024;
  int done = 0;
  bool eos = false;
  while (!eos) {
    int n = frames - done < step ? frames - done : step;
    if (n > 0) {
      float **buf = vorbis_analysis_buffer(&vd, n);
      for (int f = 0; f < n; f++)
        for (int c = 0; c < channels; c++) buf[c][f] = static_cast<float>(0.5 * Tone(done + f, rate, hz, c));
      vorbis_analysis_wrote(&vd, n);
      done += n;
    } else {
      vorbis_analysis_wrote(&vd, 0);
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &og)) {
          write_page(og);
          if (ogg_page_eos(&og)) eos = true;
        }
      }
    }
    if (n <= 0 && !eos) {
      // Nothing left to analyse: push out whatever the stream still holds.
      while (ogg_stream_flush(&os, &og)) {
        write_page(og);
        if (ogg_page_eos(&og)) eos = true;
      }
      eos = true;
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

std::string OggWithHeader(const std::string &ogg, int channels, unsigned rate) {
  std::string out = ogg;
  auto *bytes = reinterpret_cast<unsigned char *>(&out[0]);
  if (out.size() < 27 || out.compare(0, 4, "OggS") != 0) throw std::runtime_error("not an Ogg page");
  long segments = bytes[26];
  long header_len = 27 + segments;
  long body_len = 0;
  for (long i = 0; i < segments; i++) body_len += bytes[27 + i];
  if (static_cast<long>(out.size()) < header_len + body_len || body_len < 16) throw std::runtime_error("short page");
  unsigned char *packet = bytes + header_len;
  packet[11] = static_cast<unsigned char>(channels);
  for (int i = 0; i < 4; i++) packet[12 + i] = static_cast<unsigned char>((rate >> (8 * i)) & 0xFF);
  ogg_page page;
  page.header = bytes;
  page.header_len = header_len;
  page.body = packet;
  page.body_len = body_len;
  ogg_page_checksum_set(&page);
  return out;
}

void LogCapture::Attach() {
  static std::vector<std::string> lines;
  lines.clear();
  g_lines = &lines;
  DebugSetExtraMessageLogCallback(CaptureLine);
  DebugPlainText("sound test log probe");
  m_works = !lines.empty();
  lines.clear();
}

LogCapture::~LogCapture() {
  DebugSetExtraMessageLogCallback(nullptr);
  g_lines = nullptr;
}

bool LogCapture::Has(const std::string &text) const { return Count(text) > 0; }

int LogCapture::Count(const std::string &text) const {
  int count = 0;
  if (g_lines)
    for (const std::string &line : *g_lines)
      if (line.find(text) != std::string::npos) count++;
  return count;
}

size_t LogCapture::Size() const { return g_lines ? g_lines->size() : 0; }

void LogCapture::Clear() {
  if (g_lines) g_lines->clear();
}

std::string LogCapture::All() const {
  std::string all;
  if (g_lines)
    for (const std::string &line : *g_lines) all += line + "\n";
  return all;
}

bool OpenALStartedInThisProcess() { return g_openal_started; }

void NoteOpenALStarted() { g_openal_started = true; }

}  // namespace qwsound
