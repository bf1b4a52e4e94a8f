// Picture description files: JSON text with a draw area, texture files and sets of stages
// ("Sets"), or the older form where each of the "Layers" is a one-stage set. Only the
// current form is written.
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngJson.h"
#include "Engine/EngMath.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPicture.h"
#include "Engine/EngWindow.h"

namespace {

const size_t kNameBufferSize = 1024;

// Required members are read through the const model, which throws when one is missing or of
// another kind; the load then fails as a whole.
double RequiredNumber(const json::Object &object, const char *name) {
  return object[name].CastTo<json::Number>().Value();
}

float ToFloat(double value) {
  if (std::isnan(value) || std::fabs(value) <= double(FLT_MAX)) return float(value);
  return value > 0 ? HUGE_VALF : -HUGE_VALF;
}

// Truncated toward zero, then the low byte, as the typed char getter does.
char ToChar(double value) {
  EngInt32 whole = 0;
  if (std::isnan(value)) {
    whole = 0;
  } else if (value >= 2147483647.0) {
    whole = INT32_MAX;
  } else if (value <= -2147483648.0) {
    whole = INT32_MIN;
  } else {
    whole = EngInt32(value);
  }
  return char(EngUInt8(EngUInt32(whole) & 0xFFu));
}

// Folder + "/" + file name when a folder is given, then ".ttx" when asked.
void BuildFullName(char *out, const char *path, const char *filename, char add_ext) {
  if (path) {
    snprintf(out, kNameBufferSize, "%s/%s", path, filename);
  } else {
    snprintf(out, kNameBufferSize, "%s", filename);
  }
  if (add_ext) {
    size_t length = strlen(out);
    snprintf(out + length, kNameBufferSize - length, ".ttx");
  }
}

void ReadStageKeys(const char *signature, const json::Object &object, _EngPictureStage *stage, char layer_form,
                   eint num_textures) {
  stage->tex_num = EngMathRoundDouble(RequiredNumber(object, "TexNum"));
  if (stage->tex_num < -1 || stage->tex_num >= num_textures) stage->tex_num = -1;
  if (!layer_form) {
    EngJsonReadNumbersFromObject(object, "Locks", &stage->locks[0], &stage->locks[1], &stage->locks[2],
                                 &stage->locks[3], nullptr);
  }
  stage->pos.main_area = _Dimension{0, 0, 1, 1};
  EngJsonGetDimensionFromObject(object, "Main Area", &stage->pos.main_area);
  EngJsonGetCharFromObject(object, "Trans Type", &stage->pos.trans_type);
  if (stage->pos.trans_type < EPIC_TRANS_NONE || stage->pos.trans_type > EPIC_TRANS_RANDOM) {
    DebugErrorAlt(signature, "Invalid trans type %d.", stage->pos.trans_type);
    stage->pos.trans_type = EPIC_TRANS_NONE;
  }
  EngJsonReadNumbersFromObject(object, "Trans Speeds", &stage->pos.trans_speeds[0], &stage->pos.trans_speeds[1],
                               nullptr, nullptr);
  EngJsonGetDimensionFromObject(object, "Trans End Area", &stage->pos.end_area);
  if (EngJsonDoesElementExistInObject(object, "Trans Random Area", 0)) {
    EngJsonGetDimensionFromObject(object, "Trans Random Area", &stage->pos.random_area);
  }
  EngJsonReadNumbersFromObject(object, "RotFlags", &stage->rot.flags[0], &stage->rot.flags[1], nullptr, nullptr,
                               nullptr);
  EngJsonReadNumbersFromObject(object, "RotValues", &stage->rot.values[0], &stage->rot.values[1],
                               &stage->rot.values[2], &stage->rot.values[3]);
  EngJsonGetCharFromObject(object, "Show", &stage->alpha.show);
  stage->alpha.level = ToFloat(RequiredNumber(object, "Alpha Level"));
  EngJsonGetCharFromObject(object, "Alpha Blend Type", &stage->alpha.blend_type);
  if (!layer_form) {
    EngJsonReadNumbersFromObject(object, "Alpha Times", &stage->alpha.times[0], &stage->alpha.times[1],
                                 &stage->alpha.times[2], &stage->alpha.times[3]);
  }
  stage->alpha.throb_on = ToChar(RequiredNumber(object, "Alpha Throb On"));
  stage->alpha.throb_min = ToFloat(RequiredNumber(object, "Alpha Throb Min Level"));
  stage->alpha.throb_speed = ToFloat(RequiredNumber(object, "Alpha Throb Speed"));
  stage->alpha.throb_mult = ToFloat(RequiredNumber(object, "Alpha Throb Mult"));
  EngJsonGetCharFromObject(object, "TC Default", &stage->tc.use_default);
  EngJsonReadNumbersFromObject(object, "TC TC", &stage->tc.tc.left, &stage->tc.tc.top, &stage->tc.tc.right,
                               &stage->tc.tc.bottom);
  EngJsonGetVector2dFromObject(object, "TC Tile", &stage->tc.tile);
  EngJsonGetCharFromObject(object, "TC Move", &stage->tc.move);
  EngJsonGetVector2dFromObject(object, "TC Speed", &stage->tc.speed);
}

// Numbers beyond a float's range arrive as infinities, which a saved file could not carry.
bool AreStageNumbersFinite(const _EngPictureStage &stage) {
  const float values[] = {stage.pos.main_area.x, stage.pos.main_area.y, stage.pos.main_area.width,
                          stage.pos.main_area.height, stage.pos.trans_speeds[0], stage.pos.trans_speeds[1],
                          stage.pos.end_area.x, stage.pos.end_area.y, stage.pos.end_area.width,
                          stage.pos.end_area.height, stage.pos.random_area.x, stage.pos.random_area.y,
                          stage.pos.random_area.width, stage.pos.random_area.height, stage.rot.values[0],
                          stage.rot.values[1], stage.rot.values[2], stage.rot.values[3], stage.alpha.times[0],
                          stage.alpha.times[1], stage.alpha.times[2], stage.alpha.times[3], stage.alpha.level,
                          stage.alpha.throb_min, stage.alpha.throb_speed, stage.alpha.throb_mult, stage.tc.tc.left,
                          stage.tc.tc.top, stage.tc.tc.right, stage.tc.tc.bottom, stage.tc.tile.x, stage.tc.tile.y,
                          stage.tc.speed.x, stage.tc.speed.y};
  for (float v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

void CopyName(char *out, size_t size, const std::string &name, const char *fallback, eint index) {
  if (name.empty()) {
    snprintf(out, size, fallback, index);
  } else {
    EngSafeStrcpy(out, name.c_str(), size);
  }
}

// Adds the stage's members in file order; 0 when any of them could not be stored.
char WriteStage(json::Object &out, const _EngPictureStage *stage, eint index) {
  const char *c = nullptr;
  char ok = 1;
  ok &= EngJsonAddFloatToObject(out, "Number", float(index));
  ok &= EngJsonAddInt32ToObject(out, "TexNum", stage->tex_num);
  ok &= EngJsonAddNumbersToObject(out, "Locks", &stage->locks[0], &stage->locks[1], &stage->locks[2],
                                  &stage->locks[3], c);
  ok &= EngJsonAddDimensionToObject(out, "Main Area", stage->pos.main_area);
  ok &= EngJsonAddCharToObject(out, "Trans Type", stage->pos.trans_type);
  ok &= EngJsonAddNumbersToObject(out, "Trans Speeds", &stage->pos.trans_speeds[0], &stage->pos.trans_speeds[1],
                                  static_cast<const float *>(nullptr), static_cast<const float *>(nullptr));
  ok &= EngJsonAddDimensionToObject(out, "Trans End Area", stage->pos.end_area);
  ok &= EngJsonAddDimensionToObject(out, "Trans Random Area", stage->pos.random_area);
  ok &= EngJsonAddNumbersToObject(out, "RotFlags", &stage->rot.flags[0], &stage->rot.flags[1], c, c, c);
  ok &= EngJsonAddNumbersToObject(out, "RotValues", &stage->rot.values[0], &stage->rot.values[1],
                                  &stage->rot.values[2], &stage->rot.values[3]);
  ok &= EngJsonAddCharToObject(out, "Show", stage->alpha.show);
  ok &= EngJsonAddFloatToObject(out, "Alpha Level", stage->alpha.level);
  ok &= EngJsonAddCharToObject(out, "Alpha Blend Type", stage->alpha.blend_type);
  ok &= EngJsonAddNumbersToObject(out, "Alpha Times", &stage->alpha.times[0], &stage->alpha.times[1],
                                  &stage->alpha.times[2], &stage->alpha.times[3]);
  ok &= EngJsonAddCharToObject(out, "Alpha Throb On", stage->alpha.throb_on);
  ok &= EngJsonAddFloatToObject(out, "Alpha Throb Min Level", stage->alpha.throb_min);
  ok &= EngJsonAddFloatToObject(out, "Alpha Throb Speed", stage->alpha.throb_speed);
  ok &= EngJsonAddFloatToObject(out, "Alpha Throb Mult", stage->alpha.throb_mult);
  ok &= EngJsonAddCharToObject(out, "TC Default", stage->tc.use_default);
  ok &= EngJsonAddNumbersToObject(out, "TC TC", &stage->tc.tc.left, &stage->tc.tc.top, &stage->tc.tc.right,
                                  &stage->tc.tc.bottom);
  ok &= EngJsonAddVector2dToObject(out, "TC Tile", stage->tc.tile);
  ok &= EngJsonAddCharToObject(out, "TC Move", stage->tc.move);
  ok &= EngJsonAddVector2dToObject(out, "TC Speed", stage->tc.speed);
  return ok;
}

}  // namespace

char EngPicture::LoadFromFile(const char *path, const char *filename, char add_ext) {
  DestroyGraphics();
  Free();
  m_graphics_created = 0;
  m_draw_area = _Dimension{0, 0, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT};
  if (!filename || !*filename) {
    DebugErrorAlt(ENG_FUNC, "No filename");
    return 0;
  }
  char *name = static_cast<char *>(EngMalloc(kNameBufferSize, ENG_FUNC, 1));
  if (!name) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  if (path) SetPath(path);
  BuildFullName(name, path, filename, add_ext);

  char result = 0;
  try {
    json::Object document;
    if (!EngFileExists(name, 0)) {
      DebugErrorAlt(ENG_FUNC, "File not found <%s>", name);
    } else if (!EngJsonReadObjectFromFile(&document, name)) {
      // Already reported by the reader.
    } else if (!EngJsonDoesElementExistInObject(document, "Layers", 0) &&
               !EngJsonDoesElementExistInObject(document, "Sets", 0)) {
      DebugErrorAlt(ENG_FUNC, "Needed elements not found file [%s]", filename);
    } else {
      const json::Object &doc = document;
      result = 1;
      EngJsonGetDimensionFromObject(doc, "Draw Area", &m_draw_area);
      if (!IsDrawAreaSane(m_draw_area)) {
        DebugErrorAlt(ENG_FUNC, "Bad draw area (%g, %g, %g, %g) in <%s>", double(m_draw_area.x),
                      double(m_draw_area.y), double(m_draw_area.width), double(m_draw_area.height), name);
        result = 0;
      }

      if (result && EngJsonDoesElementExistInObject(doc, "Textures", 0)) {
        const json::Array &textures = doc["Textures"].CastTo<json::Array>();
        if (textures.Size() > ENG_PICTURE_MAX_TEXTURES) {
          DebugErrorAlt(ENG_FUNC, "Too many textures (%d) in <%s>", int(textures.Size()), name);
          result = 0;
        }
        for (auto it = textures.Begin(); result && it != textures.End(); ++it) {
          const json::Object &entry = it->CastTo<json::Object>();
          const std::string &tex_path = entry["Path"].CastTo<json::String>().Value();
          const std::string &tex_file = entry["Filename"].CastTo<json::String>().Value();
          if (!AllocTexture()) {
            result = 0;
            break;
          }
          EngPictureTexture *texture = &m_textures[m_num_textures - 1];
          EngSafeStrcpy(texture->path, tex_path.c_str(), sizeof(texture->path));
          EngSafeStrcpy(texture->filename, tex_file.c_str(), sizeof(texture->filename));
        }
      }

      const char layer_form = !EngJsonDoesElementExistInObject(doc, "Sets", 0);
      const json::Array *sets = nullptr;
      if (result) {
        sets = &doc[layer_form ? "Layers" : "Sets"].CastTo<json::Array>();
        if (sets->Size() > ENG_PICTURE_MAX_SETS) {
          DebugErrorAlt(ENG_FUNC, "Too many sets (%d) in <%s>", int(sets->Size()), name);
          result = 0;
        }
      }
      for (auto it = sets ? sets->Begin() : json::Array::const_iterator(); result && sets && it != sets->End();
           ++it) {
        const json::Object &entry = it->CastTo<json::Object>();
        if (!AllocSet()) {
          result = 0;
          break;
        }
        const eint set_num = GetNumSets() - 1;
        _EngPictureSet *set = m_sets.back().get();
        CopyName(set->name, sizeof(set->name), entry["Name"].CastTo<json::String>().Value(),
                 layer_form ? "Layer %d" : "Set %d", set_num);
        if (layer_form) {
          if (!AllocStage(set)) {
            result = 0;
            break;
          }
          ReadStageKeys(ENG_FUNC, entry, set->stages.back().get(), 1, GetNumTextures());
          if (!AreStageNumbersFinite(*set->stages.back())) {
            DebugErrorAlt(ENG_FUNC, "Number out of range in layer %d of <%s>", set_num, name);
            result = 0;
            break;
          }
          ResetStageVars(set->stages.back().get());
          continue;
        }
        const json::Array &stages = entry["Stages"].CastTo<json::Array>();
        if (stages.Size() > ENG_PICTURE_MAX_STAGES) {
          DebugErrorAlt(ENG_FUNC, "Too many stages (%d) in set %d of <%s>", int(stages.Size()), set_num, name);
          result = 0;
          break;
        }
        for (const json::UnknownElement &element : stages) {
          const json::Object &stage_object = element.CastTo<json::Object>();
          if (!AllocStage(set)) {
            result = 0;
            break;
          }
          ReadStageKeys(ENG_FUNC, stage_object, set->stages.back().get(), 0, GetNumTextures());
          if (!AreStageNumbersFinite(*set->stages.back())) {
            DebugErrorAlt(ENG_FUNC, "Number out of range in stage %d of set %d of <%s>",
                          eint(set->stages.size()) - 1, set_num, name);
            result = 0;
            break;
          }
          ResetStageVars(set->stages.back().get());
        }
      }
    }
  } catch (const json::Exception &exception) {
    DebugErrorAlt(ENG_FUNC, "json::Exception <%s>", DebugOutsideText(exception.what()).c_str());
    result = 0;
  } catch (const std::bad_alloc &) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    result = 0;
  }
  EngFree(name, 0, ENG_FUNC);
  if (!result) {
    Free();
    m_draw_area = _Dimension{0, 0, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT};
    return 0;
  }
  Tick(1.0f);
  return 1;
}

char EngPicture::SaveToFile(const char *path, const char *filename, char add_ext) {
  if (!filename || !*filename) {
    DebugErrorAlt(ENG_FUNC, "No filename");
    return 0;
  }
  char *name = static_cast<char *>(EngMalloc(kNameBufferSize, ENG_FUNC, 1));
  if (!name) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  if (path) SetPath(path);
  BuildFullName(name, path, filename, add_ext);

  char result = 0;
  try {
    json::Object document;
    char ok = EngJsonAddDimensionToObject(document, "Draw Area", m_draw_area);
    json::Array textures;
    for (eint i = 0; i < GetNumTextures(); i++) {
      json::Object entry;
      ok &= EngJsonAddFloatToObject(entry, "Number", float(i));
      ok &= EngJsonAddStringToObject(entry, "Path", m_textures[i].path);
      ok &= EngJsonAddStringToObject(entry, "Filename", m_textures[i].filename);
      textures.Insert(entry, textures.End());
    }
    document["Textures"] = textures;
    json::Array sets;
    for (auto &set : m_sets) {
      json::Object set_object;
      set_object["Name"] = json::String(set->name);
      json::Array stages;
      eint index = 0;
      for (auto &stage : set->stages) {
        json::Object stage_object;
        ok &= WriteStage(stage_object, stage.get(), index++);
        stages.Insert(stage_object, stages.End());
      }
      set_object["Stages"] = stages;
      sets.Insert(set_object, sets.End());
    }
    document["Sets"] = sets;
    result = ok ? EngJsonWriteObjectToFile(document, name) : 0;
  } catch (const json::Exception &exception) {
    DebugErrorAlt(ENG_FUNC, "json::Exception <%s>", DebugOutsideText(exception.what()).c_str());
    result = 0;
  } catch (const std::bad_alloc &) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    result = 0;
  }
  EngFree(name, 0, ENG_FUNC);
  return result;
}
