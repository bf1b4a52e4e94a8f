// Feeds arbitrary text to the picture description reader through a file, then ticks, saves,
// reloads and edits whatever loaded. A refused description must leave the picture empty; a
// loaded one must hold only valid texture numbers, transition types and check values, and
// load back from its own save with the same shape.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "tests/fuzz/FuzzScratch.h"

namespace {

std::string input_path, saved_path;

void CheckShape(EngPicture &picture) {
  for (eint s = 0; s < picture.GetNumSets(); s++) {
    EngPictureSetVars *vars = picture.GetSetVars(s);
    if (!vars) abort();
    EngPictureSet *set = picture.GetSet(s);
    if (!set) continue;  // a set without stages
    if (set->check != ENG_PICTURE_SET_CHECK || set->name[ENG_PICTURE_SET_NAME_SIZE - 1] != 0) abort();
    for (auto &stage : set->stages) {
      if (stage->check != ENG_PICTURE_STAGE_CHECK) abort();
      if (stage->tex_num < -1 || stage->tex_num >= picture.GetNumTextures()) abort();
      if (stage->pos.trans_type < 0 || stage->pos.trans_type > 4) abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  FuzzLogToScratch();
  const std::string base = FuzzScratchFolder() + "/picture";
  input_path = base + ".ttx";
  saved_path = base + "-saved.ttx";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  FILE *file = fopen(input_path.c_str(), "wb");
  if (!file) return 0;
  if (size) fwrite(data, 1, size, file);
  fclose(file);

  eng_main_current_time = 1000.0;
  eng_main_frames_per_second = 1.0f / 60.0f;
  EngPicture picture;
  if (!picture.LoadFromFile(nullptr, input_path.c_str(), 0)) {
    if (picture.GetNumSets() || picture.GetNumTextures()) abort();
    return 0;
  }
  CheckShape(picture);
  const float steps[] = {1.0f / 60.0f, 0.5f, 7.0f, 1e30f};
  for (float step : steps) {
    eng_main_frames_per_second = step;
    eng_main_current_time = eng_main_current_time + double(step);
    picture.Tick(size ? float(data[0]) / 64.0f : 1.0f);
    picture.Draw();
  }
  CheckShape(picture);

  const eint sets = picture.GetNumSets(), textures = picture.GetNumTextures();
  if (picture.SaveToFile(nullptr, saved_path.c_str(), 0)) {
    EngPicture again;
    if (!again.LoadFromFile(nullptr, saved_path.c_str(), 0)) abort();
    if (again.GetNumSets() != sets || again.GetNumTextures() != textures) abort();
    CheckShape(again);
  }

  if (textures) picture.RemoveTexture(textures / 2);
  if (sets) {
    EngPictureSet *set = picture.GetSet(sets / 2);
    if (set && set->stages.size() > 1) picture.RemoveStage(set, 0);
    picture.RemoveSet(sets / 2);
  }
  picture.Tick(1.0f);
  CheckShape(picture);
  return 0;
}
