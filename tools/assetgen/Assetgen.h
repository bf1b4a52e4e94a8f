// assetgen: turns the sources under assets/ (SVG pictures, atlas manifests, picture
// descriptions, sound and music descriptions, verbatim files) into the game's resources/.
// Each job is described by JSON; see tools/assetgen/README.md for the formats.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/assetgen/AssetJson.h"

namespace assetgen {

// A fault in a source: the message names what is wrong; the caller adds the file.
class AssetError : public std::runtime_error {
 public:
  explicit AssetError(const std::string &what) : std::runtime_error(what) {}
};

// A fault that already names its own file (an SVG, a picture description).
class SourceError : public std::runtime_error {
 public:
  SourceError(const std::string &file, const std::string &what) : std::runtime_error(what), m_file(file) {}
  const std::string &File() const { return m_file; }

 private:
  std::string m_file;
};

struct Rgba {
  double r = 0, g = 0, b = 0, a = 1;
};

// Named colours shared by every picture (assets/palette.json).
class Palette {
 public:
  void Load(const std::string &path);
  const std::string &Text() const { return m_text; }
  // Replaces every @name in an SVG source by its colour; an unknown name fails.
  std::string Substitute(const std::string &svg) const;
  // "#rrggbb", "#rrggbbaa" or "@name".
  Rgba Colour(const std::string &colour) const;
  const std::map<std::string, std::string> &Colours() const { return m_colours; }

 private:
  std::string m_text;
  std::map<std::string, std::string> m_colours;
};

struct Context {
  std::string assets_dir;
  std::string out_dir;
  Palette palette;
  // Every file name that ends up in resources/: made by a job, copied, or checked in.
  std::set<std::string> made;
};

struct Job {
  std::string type;
  std::string file;   // the description file
  std::string dir;    // its folder, against which its sources are resolved
  std::string label;  // the description file relative to the top of the checkout, for messages
  JsonValue desc;
  std::string output;               // relative to resources/
  std::vector<std::string> inputs;  // every file the job reads
  bool uses_palette = false;
  bool uses_made = false;  // depends on the set of made files (picture descriptions)
  // Outputs of other jobs that this one reads from resources/ (relative to it): it is made
  // after every other job, and again whenever one of them changes.
  std::vector<std::string> made_inputs;
};

// Members of a job description; each throws AssetError naming the member.
const JsonValue &Member(const JsonValue &desc, const char *name);
std::string MemberString(const JsonValue &desc, const char *name);
std::string MemberString(const JsonValue &desc, const char *name, const std::string &fallback);
double MemberNumber(const JsonValue &desc, const char *name);
double MemberNumber(const JsonValue &desc, const char *name, double fallback);
int MemberInt(const JsonValue &desc, const char *name, int lo, int hi);
int MemberInt(const JsonValue &desc, const char *name, int lo, int hi, int fallback);
std::vector<double> Numbers(const JsonValue &value, size_t count, const char *what);

std::string ReadFile(const std::string &path);
std::string PathJoin(const std::string &dir, const std::string &name);
std::string Extension(const std::string &name);  // lower case, without the dot
uint64_t Hash64(const std::string &bytes, uint64_t seed = 1469598103934665603ull);

// A job kind: describe checks a description and lists its output's inputs without heavy work;
// make writes the output to the path given (a temporary name the driver renames).
struct JobKind {
  const char *type;
  void (*describe)(Job &job);
  void (*make)(const Job &job, const Context &ctx, const std::string &path);
};
// Each kind's source file registers it with one static object of this class, so adding a kind
// touches no other file but the tool's source list.
class JobKindRegistrar {
 public:
  explicit JobKindRegistrar(const JobKind &kind);
};
const JobKind *FindJobKind(const std::string &type);
std::string JobKindNames();  // "atlas, music, ..." for messages
// The driver's own kind for assets/static/: the file copied as it is.
void MakeCopy(const Job &job, const Context &ctx, const std::string &path);

// Collects the engine's error and warning reports made on this thread while it lives.
class EngineMessageCapture {
 public:
  EngineMessageCapture();
  ~EngineMessageCapture();
  EngineMessageCapture(const EngineMessageCapture &) = delete;
  EngineMessageCapture &operator=(const EngineMessageCapture &) = delete;
  // The reports joined by "; ", empty when there were none.
  std::string Errors() const;

 private:
  std::vector<std::string> m_lines;
  std::vector<std::string> *m_previous;
};
// Routes the engine's reports to the captures; called once at start.
void InstallEngineMessageHook();

// One tile of the contact sheet: a made picture whole, or some of its rectangles (an atlas
// button's states, in texture coordinates [left, top, right, bottom]) side by side.
struct SheetTile {
  std::string label;
  std::string picture;  // relative to resources/
  std::vector<std::vector<double>> crops;
};
// Writes the contact sheet of the tiles.
void MakeSheet(const Context &ctx, const std::vector<SheetTile> &tiles, const std::string &path);
// The tiles an atlas adds to the sheet: each rectangle entry with more than one state.
void AtlasSheetTiles(const Job &job, std::vector<SheetTile> *tiles);

}  // namespace assetgen
