// Description members, files and the palette.
#include "tools/assetgen/Assetgen.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "Engine/EngDebug.h"

namespace assetgen {

const JsonValue &Member(const JsonValue &desc, const char *name) {
  const JsonValue *v = desc.Find(name);
  if (!v) throw AssetError("line " + std::to_string(desc.line) + ": member \"" + name + "\" is missing");
  return *v;
}

static std::string At(const JsonValue &v) { return "line " + std::to_string(v.line) + ": "; }

std::string MemberString(const JsonValue &desc, const char *name) {
  const JsonValue &v = Member(desc, name);
  if (!v.IsString()) throw AssetError(At(v) + "\"" + name + "\" must be a string, not " + JsonKindName(v.kind));
  return v.text;
}

std::string MemberString(const JsonValue &desc, const char *name, const std::string &fallback) {
  return desc.Find(name) ? MemberString(desc, name) : fallback;
}

double MemberNumber(const JsonValue &desc, const char *name) {
  const JsonValue &v = Member(desc, name);
  if (!v.IsNumber() || !std::isfinite(v.number))
    throw AssetError(At(v) + "\"" + name + "\" must be a number, not " + JsonKindName(v.kind));
  return v.number;
}

double MemberNumber(const JsonValue &desc, const char *name, double fallback) {
  return desc.Find(name) ? MemberNumber(desc, name) : fallback;
}

int MemberInt(const JsonValue &desc, const char *name, int lo, int hi) {
  double n = MemberNumber(desc, name);
  if (n != std::floor(n) || n < lo || n > hi)
    throw AssetError(At(Member(desc, name)) + "\"" + name + "\" must be a whole number from " + std::to_string(lo) +
                     " to " + std::to_string(hi));
  return int(n);
}

int MemberInt(const JsonValue &desc, const char *name, int lo, int hi, int fallback) {
  return desc.Find(name) ? MemberInt(desc, name, lo, hi) : fallback;
}

std::vector<double> Numbers(const JsonValue &value, size_t count, const char *what) {
  if (!value.IsArray() || value.items.size() != count)
    throw AssetError(At(value) + what + " must be an array of " + std::to_string(count) + " numbers");
  std::vector<double> out;
  for (const auto &item : value.items) {
    if (!item.IsNumber() || !std::isfinite(item.number))
      throw AssetError(At(item) + what + " must hold numbers only");
    out.push_back(item.number);
  }
  return out;
}

std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw SourceError(path, "cannot be read");
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string PathJoin(const std::string &dir, const std::string &name) {
  if (dir.empty() || (!name.empty() && name[0] == '/')) return name;
  return dir + "/" + name;
}

std::string Extension(const std::string &name) {
  size_t dot = name.rfind('.');
  size_t slash = name.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = name.substr(dot + 1);
  for (auto &c : ext) c = char(tolower(static_cast<unsigned char>(c)));
  return ext;
}

uint64_t Hash64(const std::string &bytes, uint64_t seed) {
  uint64_t h = seed;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

static bool IsNameChar(char c) { return isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-'; }

static bool ParseHex(const std::string &hex, Rgba *out) {
  if ((hex.size() != 7 && hex.size() != 9) || hex[0] != '#') return false;
  for (size_t i = 1; i < hex.size(); i++)
    if (!isxdigit(static_cast<unsigned char>(hex[i]))) return false;
  auto byte = [&](size_t at) { return double(strtoul(hex.substr(at, 2).c_str(), nullptr, 16)) / 255.0; };
  out->r = byte(1);
  out->g = byte(3);
  out->b = byte(5);
  out->a = hex.size() == 9 ? byte(7) : 1.0;
  return true;
}

void Palette::Load(const std::string &path) {
  m_text = ReadFile(path);
  m_colours.clear();
  JsonValue doc;
  try {
    doc = JsonParse(m_text);
    if (!doc.IsObject()) throw AssetError("line 1: the palette must be an object");
    const JsonValue &colours = Member(doc, "colours");
    if (!colours.IsObject()) throw AssetError(At(colours) + "\"colours\" must be an object");
    for (const auto &m : colours.members) {
      Rgba rgba;
      if (!m.second.IsString() || !ParseHex(m.second.text, &rgba))
        throw AssetError(At(m.second) + "colour \"" + m.first + "\" must be \"#rrggbb\" or \"#rrggbbaa\"");
      for (char c : m.first)
        if (!IsNameChar(c)) throw AssetError(At(m.second) + "colour name \"" + m.first + "\" may hold only a-z, 0-9, _ and -");
      m_colours[m.first] = m.second.text;
    }
  } catch (const AssetError &e) {
    throw SourceError(path, e.what());
  }
}

std::string Palette::Substitute(const std::string &svg) const {
  std::string out;
  out.reserve(svg.size());
  int line = 1;
  for (size_t i = 0; i < svg.size(); i++) {
    char c = svg[i];
    if (c == '\n') line++;
    if (c != '@' || i + 1 >= svg.size() || !IsNameChar(svg[i + 1])) {
      out += c;
      continue;
    }
    size_t end = i + 1;
    while (end < svg.size() && IsNameChar(svg[end])) end++;
    std::string name = svg.substr(i + 1, end - i - 1);
    auto it = m_colours.find(name);
    if (it == m_colours.end())
      throw AssetError("line " + std::to_string(line) + ": colour @" + name + " is not in the palette");
    std::string hex = it->second;
    if (hex.size() == 9) {
      // SVG 1.1 colours carry no alpha: #rrggbbaa becomes rgba() which librsvg reads.
      Rgba rgba;
      ParseHex(hex, &rgba);
      char buf[64];
      snprintf(buf, sizeof(buf), "rgba(%d,%d,%d,%.3f)", int(lround(rgba.r * 255)), int(lround(rgba.g * 255)),
               int(lround(rgba.b * 255)), rgba.a);
      hex = buf;
    }
    out += hex;
    i = end - 1;
  }
  return out;
}

Rgba Palette::Colour(const std::string &colour) const {
  Rgba rgba;
  std::string hex = colour;
  if (!colour.empty() && colour[0] == '@') {
    auto it = m_colours.find(colour.substr(1));
    if (it == m_colours.end()) throw AssetError("colour " + colour + " is not in the palette");
    hex = it->second;
  }
  if (!ParseHex(hex, &rgba)) throw AssetError("colour \"" + colour + "\" must be \"#rrggbb\", \"#rrggbbaa\" or \"@name\"");
  return rgba;
}

static std::vector<JobKind> &Kinds() {
  static std::vector<JobKind> kinds;
  return kinds;
}

JobKindRegistrar::JobKindRegistrar(const JobKind &kind) { Kinds().push_back(kind); }

const JobKind *FindJobKind(const std::string &type) {
  for (const JobKind &k : Kinds())
    if (type == k.type) return &k;
  return nullptr;
}

std::string JobKindNames() {
  std::vector<std::string> names;
  for (const JobKind &k : Kinds()) names.push_back(k.type);
  std::sort(names.begin(), names.end());
  std::string out;
  for (const auto &n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

static thread_local std::vector<std::string> *tl_capture = nullptr;

static void CaptureEngineMessage(const char *text) {
  if (!tl_capture || !text) return;
  std::string line = text;
  if (line.find("<ERROR>") != std::string::npos || line.find("<WARNING>") != std::string::npos) {
    size_t start = line.find('>') + 1;
    while (start < line.size() && line[start] == ' ') start++;
    tl_capture->push_back(line.substr(start));
  }
}

void InstallEngineMessageHook() { DebugSetExtraMessageLogCallback(CaptureEngineMessage); }

EngineMessageCapture::EngineMessageCapture() : m_previous(tl_capture) { tl_capture = &m_lines; }
EngineMessageCapture::~EngineMessageCapture() { tl_capture = m_previous; }

std::string EngineMessageCapture::Errors() const {
  std::string out;
  for (const auto &line : m_lines) out += (out.empty() ? "" : "; ") + line;
  return out;
}

}  // namespace assetgen
