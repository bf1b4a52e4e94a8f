// assetgen's driver: finds the job descriptions under assets/, remakes the outputs whose
// sources changed (in parallel), writes each through a temporary file and a rename, and
// keeps a state file of what made each output so that an unchanged source costs nothing.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include "Engine/EngDebug.h"
#include "tools/assetgen/AssetImage.h"
#include "tools/assetgen/Assetgen.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

// Bump when an output changes for the same sources (a new way of drawing, a format fix).
const char kToolGeneration[] = "assetgen-1";

struct Options {
  std::string assets, out, state, sheet, stamp;
  int jobs = 0;
  bool force = false;
};

void Usage() {
  fprintf(stderr,
          "usage: assetgen --assets DIR --out DIR --state FILE [--sheet FILE] [--stamp FILE] [--jobs N] "
          "[--force]\n");
}

bool ParseOptions(int argc, char **argv, Options *o) {
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    auto next = [&](std::string *v) {
      if (i + 1 >= argc) return false;
      *v = argv[++i];
      return true;
    };
    std::string n;
    if (a == "--assets") {
      if (!next(&o->assets)) return false;
    } else if (a == "--out") {
      if (!next(&o->out)) return false;
    } else if (a == "--state") {
      if (!next(&o->state)) return false;
    } else if (a == "--sheet") {
      if (!next(&o->sheet)) return false;
    } else if (a == "--stamp") {
      if (!next(&o->stamp)) return false;
    } else if (a == "--jobs") {
      if (!next(&n)) return false;
      o->jobs = atoi(n.c_str());
    } else if (a == "--force") {
      o->force = true;
    } else {
      return false;
    }
  }
  return !o->assets.empty() && !o->out.empty() && !o->state.empty();
}

struct Failure {
  std::string file, what;
};

Failure Describe(const std::exception &e, const std::string &fallback_file) {
  if (auto *s = dynamic_cast<const SourceError *>(&e)) return {s->File(), s->what()};
  return {fallback_file, e.what()};
}

void Describe(Job &job) {
  const JobKind *kind = FindJobKind(job.type);
  if (!kind)
    throw AssetError("line " + std::to_string(job.desc.line) + ": unknown job type \"" + job.type + "\" (" +
                     JobKindNames() + ")");
  kind->describe(job);
}

void Make(const Job &job, const Context &ctx, const std::string &path) {
  if (job.type == "copy") {
    MakeCopy(job, ctx, path);
    return;
  }
  FindJobKind(job.type)->make(job, ctx, path);
}

// An output name stays inside resources/.
bool IsSafeOutput(const std::string &name) {
  if (name.empty() || name[0] == '/' || name.find('\\') != std::string::npos) return false;
  std::stringstream parts(name);
  std::string part;
  while (std::getline(parts, part, '/'))
    if (part.empty() || part == "." || part == "..") return false;
  return true;
}

std::map<std::string, std::string> ReadState(const std::string &path) {
  std::map<std::string, std::string> state;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    size_t space = line.find(' ');
    if (space != std::string::npos) state[line.substr(space + 1)] = line.substr(0, space);
  }
  return state;
}

// Puts a finished temporary file in its place; a file left half-written would pass for made.
void RenameInto(const std::string &tmp, const std::string &path) {
  if (std::rename(tmp.c_str(), path.c_str()) == 0) return;
  const int err = errno;
  std::remove(tmp.c_str());
  throw AssetError("cannot rename " + tmp + " to " + path + ": " + strerror(err));
}

void WriteAtomically(const std::string &path, const std::string &bytes) {
  const std::string tmp = path + ".assetgen-tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
      const int err = errno;
      std::remove(tmp.c_str());
      throw AssetError("cannot write " + tmp + ": " + strerror(err));
    }
  }
  RenameInto(tmp, path);
}

std::string Hex(uint64_t v) {
  char buf[17];
  snprintf(buf, sizeof(buf), "%016llx", static_cast<unsigned long long>(v));
  return buf;
}

// One run of the tool, phase by phase; each phase adds what goes wrong to failures.
struct Run {
  const Options &opt;
  Context ctx;
  fs::path label_base;
  std::vector<Failure> failures;
  std::vector<Job> jobs;
  std::map<std::string, const Job *> by_output;
  std::map<std::string, std::string> old_state;
  std::vector<std::string> keys;
  std::vector<size_t> dirty;
  size_t made_up_to = 0;  // dirty jobs before this one were made (or tried)
  uint64_t tool_key = 0;
  std::vector<char> done;

  explicit Run(const Options &o) : opt(o) {
    ctx.assets_dir = fs::absolute(opt.assets).lexically_normal().string();
    ctx.out_dir = opt.out;
    label_base = fs::path(ctx.assets_dir).parent_path();
  }

  std::string LabelOf(const std::string &p) const { return fs::path(p).lexically_relative(label_base).string(); }

  void LoadPalette() {
    const std::string palette_path = ctx.assets_dir + "/palette.json";
    try {
      if (fs::exists(palette_path)) ctx.palette.Load(palette_path);
    } catch (const std::exception &e) {
      failures.push_back(Describe(e, LabelOf(palette_path)));
    }
  }

  // Find the descriptions and the verbatim files, in a fixed order.
  void FindJobs() {
    std::vector<std::string> files;
    for (auto it = fs::recursive_directory_iterator(ctx.assets_dir); it != fs::recursive_directory_iterator(); ++it)
      if (it->is_regular_file()) files.push_back(it->path().string());
    std::sort(files.begin(), files.end());

    const std::string static_dir = ctx.assets_dir + "/static/";
    for (const std::string &file : files) {
      if (file.compare(0, static_dir.size(), static_dir) == 0) {
        Job job;
        job.type = "copy";
        job.file = file;
        job.label = LabelOf(file);
        job.output = file.substr(static_dir.size());
        job.inputs.push_back(file);
        jobs.push_back(job);
        continue;
      }
      const std::string suffix = ".job.json";
      if (file.size() < suffix.size() || file.compare(file.size() - suffix.size(), suffix.size(), suffix) != 0)
        continue;
      try {
        ReadJobFile(file);
      } catch (const std::exception &e) {
        failures.push_back(Describe(e, LabelOf(file)));
      }
    }
  }

  void ReadJobFile(const std::string &file) {
    JsonValue doc = JsonParse(ReadFile(file));
    std::vector<const JsonValue *> descs;
    if (doc.IsObject() && doc.Find("jobs")) {
      const JsonValue &list = Member(doc, "jobs");
      if (!list.IsArray()) throw AssetError("line " + std::to_string(list.line) + ": \"jobs\" must be an array");
      for (const auto &d : list.items) descs.push_back(&d);
    } else {
      descs.push_back(&doc);
    }
    for (const JsonValue *d : descs) {
      if (!d->IsObject()) throw AssetError("line " + std::to_string(d->line) + ": a job must be an object");
      Job job;
      job.file = file;
      job.dir = fs::path(file).parent_path().string();
      job.label = LabelOf(file);
      job.desc = *d;
      job.type = MemberString(*d, "type");
      job.output = MemberString(*d, "output");
      if (!IsSafeOutput(job.output))
        throw AssetError("line " + std::to_string(d->line) + ": output \"" + job.output +
                         "\" must be a relative path inside resources/");
      Describe(job);
      job.inputs.push_back(file);
      jobs.push_back(job);
    }
  }

  void CheckOutputs() {
    for (const Job &job : jobs) {
      auto [it, fresh] = by_output.emplace(job.output, &job);
      if (!fresh)
        failures.push_back({job.label, "makes \"" + job.output + "\", which " + it->second->label + " makes too"});
      ctx.made.insert(fs::path(job.output).filename().string());
      ctx.made.insert(job.output);
    }
  }

  // A job that reads made outputs reads those of the first round only.
  void CheckMadeInputs() {
    for (const Job &job : jobs)
      for (const std::string &made : job.made_inputs) {
        auto it = by_output.find(made);
        if (it == by_output.end())
          failures.push_back({job.label, "reads \"" + made + "\", which no job makes"});
        else if (!it->second->made_inputs.empty())
          failures.push_back({job.label, "reads \"" + made + "\", which is made from other outputs itself"});
      }
  }

  void Report() const {
    for (const Failure &f : failures) {
      std::string file = f.file;
      if (fs::path(file).is_absolute()) {
        std::string rel = LabelOf(fs::path(file).lexically_normal().string());
        if (rel.compare(0, 2, "..") != 0) file = rel;
      }
      fprintf(stderr, "assetgen: error: %s: %s\n", file.c_str(), f.what.c_str());
    }
  }

  // What each output was made from; an output whose key is unchanged is left alone. The jobs
  // that read made outputs are keyed after the others are made (later set).
  void FindDirty(bool later) {
    if (!later) old_state = ReadState(opt.state);
    if (later && !failures.empty()) return;
    if (!later) {
      std::string tool_bytes;
      try {
        tool_bytes = ReadFile("/proc/self/exe");
      } catch (...) {
      }
      tool_key = Hash64(tool_bytes, Hash64(kToolGeneration));
    }
    std::string made_list;
    for (const auto &m : ctx.made) made_list += m + "\n";

    if (!later) keys.assign(jobs.size(), std::string());
    for (size_t i = 0; i < jobs.size(); i++) {
      const Job &job = jobs[i];
      if (job.made_inputs.empty() == later) continue;
      uint64_t h = Hash64(job.type + "\n" + job.output, tool_key);
      try {
        for (const auto &input : job.inputs) h = Hash64(ReadFile(input), Hash64(input, h));
        for (const auto &made : job.made_inputs) h = Hash64(ReadFile(PathJoin(opt.out, made)), Hash64(made, h));
      } catch (const std::exception &e) {
        failures.push_back(Describe(e, job.label));
        continue;
      }
      if (job.uses_palette) h = Hash64(ctx.palette.Text(), h);
      if (job.uses_made) h = Hash64(made_list, h);
      keys[i] = Hex(h);
      auto old = old_state.find(job.output);
      if (opt.force || old == old_state.end() || old->second != keys[i] || !fs::exists(PathJoin(opt.out, job.output)))
        dirty.push_back(i);
    }
  }

  // Makes the dirty jobs from the first not made yet on.
  void MakeDirty() {
    if (done.empty()) done.assign(jobs.size(), 0);
    const size_t first = made_up_to;
    made_up_to = dirty.size();
    if (!failures.empty()) return;
    std::mutex lock;
    std::atomic<size_t> next{first};
    auto worker = [&]() {
      for (;;) {
        size_t n = next.fetch_add(1);
        if (n >= dirty.size()) return;
        const Job &job = jobs[dirty[n]];
        const std::string final_path = PathJoin(opt.out, job.output);
        const std::string tmp = final_path + ".assetgen-tmp";
        try {
          std::error_code mk;
          fs::create_directories(fs::path(final_path).parent_path(), mk);
          Make(job, ctx, tmp);
          RenameInto(tmp, final_path);
          std::lock_guard<std::mutex> g(lock);
          done[dirty[n]] = 1;
        } catch (const std::exception &e) {
          std::remove(tmp.c_str());
          std::lock_guard<std::mutex> g(lock);
          Failure f = Describe(e, job.label);
          if (f.file != job.label) f.what += " (in " + job.label + ", making " + job.output + ")";
          failures.push_back(f);
        }
      }
    };
    int threads = opt.jobs > 0 ? opt.jobs : int(std::max(1u, std::thread::hardware_concurrency()));
    threads = int(std::min<size_t>(size_t(threads), std::max<size_t>(1, dirty.size() - first)));
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; t++) pool.emplace_back(worker);
    worker();
    for (auto &t : pool) t.join();
  }

  // Keep what is known good: unchanged outputs and the ones just made. Returns the sheet's tiles.
  std::vector<SheetTile> WriteState() {
    std::ostringstream state;
    std::vector<SheetTile> tiles;
    for (size_t i = 0; i < jobs.size(); i++) {
      const bool dirty_job = std::find(dirty.begin(), dirty.end(), i) != dirty.end();
      if (!keys[i].empty() && (!dirty_job || done[i])) state << keys[i] << ' ' << jobs[i].output << '\n';
      if (jobs[i].type != "copy" && IsPictureName(jobs[i].output))
        tiles.push_back({jobs[i].output, jobs[i].output, {}});
    }
    // Outputs of jobs that no longer exist go, so resources/ holds only what the sources make.
    std::error_code ec;
    for (const auto &old : old_state)
      if (!by_output.count(old.first) && IsSafeOutput(old.first)) fs::remove(PathJoin(opt.out, old.first), ec);
    try {
      WriteAtomically(opt.state, state.str());
    } catch (const std::exception &e) {
      failures.push_back(Describe(e, opt.state));
    }
    return tiles;
  }

  void WriteSheet(std::vector<SheetTile> tiles) {
    if (!failures.empty() || opt.sheet.empty()) return;
    bool any_picture_made = !fs::exists(opt.sheet);
    for (size_t i = 0; i < jobs.size(); i++)
      if (done[i] && IsPictureName(jobs[i].output)) any_picture_made = true;
    if (!any_picture_made) return;
    try {
      std::sort(tiles.begin(), tiles.end(), [](const SheetTile &a, const SheetTile &b) { return a.label < b.label; });
      for (const Job &job : jobs)
        if (job.type == "atlas") AtlasSheetTiles(job, &tiles);
      const std::string tmp = opt.sheet + ".assetgen-tmp";
      MakeSheet(ctx, tiles, tmp);
      RenameInto(tmp, opt.sheet);
    } catch (const std::exception &e) {
      failures.push_back(Describe(e, opt.sheet));
    }
  }
};

}  // namespace

int main(int argc, char **argv) {
  Options opt;
  if (!ParseOptions(argc, argv, &opt)) {
    Usage();
    return 2;
  }
  std::error_code ec;
  fs::create_directories(opt.out, ec);
  fs::create_directories(fs::path(opt.state).parent_path(), ec);
  // The engine logs to a file of its own; keep it out of resources/ and the build's top.
  DebugSetLogFilename((opt.state + ".log").c_str(), 1);
  InstallEngineMessageHook();

  Run run(opt);
  run.LoadPalette();
  if (!fs::is_directory(run.ctx.assets_dir)) {
    fprintf(stderr, "assetgen: error: %s: not a folder\n", run.ctx.assets_dir.c_str());
    return 1;
  }
  run.FindJobs();
  run.CheckOutputs();
  run.CheckMadeInputs();
  // A description that cannot be read leaves everything as it was, so that nothing is taken
  // for stale.
  if (!run.failures.empty()) {
    run.Report();
    return 1;
  }
  run.FindDirty(false);
  run.MakeDirty();
  run.FindDirty(true);
  run.MakeDirty();
  run.WriteSheet(run.WriteState());
  run.Report();
  if (!run.failures.empty()) return 1;

  size_t made = 0;
  for (char d : run.done) made += size_t(d);
  printf("assetgen: %zu of %zu outputs made, the rest unchanged\n", made, run.jobs.size());
  if (!opt.stamp.empty()) {
    try {
      WriteAtomically(opt.stamp, std::string(kToolGeneration) + "\n");
    } catch (const std::exception &e) {
      run.failures.push_back(Describe(e, opt.stamp));
      run.Report();
      return 1;
    }
  }
  return 0;
}
