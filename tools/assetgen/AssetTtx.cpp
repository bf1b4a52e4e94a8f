// Picture descriptions (.ttx) are written by hand; the tool copies them after the engine's
// own loader has read them and every texture they name is known to be made.
#include <fstream>

#include "Engine/EngPicture.h"
#include "tools/assetgen/Assetgen.h"

namespace assetgen {

static void DescribePicture(Job &job) {
  job.inputs.push_back(PathJoin(job.dir, MemberString(job.desc, "source")));
  job.uses_made = true;
}

static void MakePicture(const Job &job, const Context &ctx, const std::string &path) {
  const std::string &source = job.inputs[0];
  const std::string bytes = ReadFile(source);
  EngPicture picture;
  EngineMessageCapture capture;
  const char loaded = picture.LoadFromFile(nullptr, source.c_str(), 0);
  // A member the loader misses is only logged; a description of the game's must be complete.
  if (!loaded || !capture.Errors().empty())
    throw SourceError(source, "the engine's picture loader refused it: " +
                                  (capture.Errors().empty() ? std::string("no reason given") : capture.Errors()));
  if (picture.GetNumSets() < 1) throw SourceError(source, "has no sets");
  for (eint i = 0; i < picture.GetNumTextures(); i++) {
    const EngPictureTexture *tex = picture.GetTexture(i);
    if (!tex->filename[0]) throw SourceError(source, "texture " + std::to_string(i) + " has no file name");
    if (!ctx.made.count(tex->filename))
      throw SourceError(source, "names the texture \"" + std::string(tex->filename) + "\" that no job makes");
  }
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  if (!out.good()) throw AssetError("cannot write " + path);
}

void MakeCopy(const Job &job, const Context &, const std::string &path) {
  const std::string bytes = ReadFile(job.inputs[0]);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  if (!out.good()) throw AssetError("cannot write " + path);
}

static JobKindRegistrar picture_kind({"picture", DescribePicture, MakePicture});

}  // namespace assetgen
