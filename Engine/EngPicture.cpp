// The picture object: life cycle, accessors and the editing operations that keep texture
// numbers, check values and created graphics consistent.
#include "Engine/EngPicture.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWindow.h"

EngPicture::EngPicture()
    : m_path(nullptr),
      m_graphics_created(0),
      m_textures(nullptr),
      m_num_textures(0),
      m_draw_area{0, 0, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT} {}

EngPicture::~EngPicture() { Destroy(); }

void EngPicture::Init() {
  Free();
  m_graphics_created = 0;
  m_draw_area = _Dimension{0, 0, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT};
}

void EngPicture::Free() {
  // Textures still loaded would be lost with their records.
  DestroyGraphics();
  if (m_textures) EngFree(m_textures, 0, ENG_FUNC);
  m_textures = nullptr;
  m_num_textures = 0;
  for (auto &set : m_sets) {
    if (IsSetOk(set.get(), 0)) set->stages.clear();
  }
  m_sets.clear();
}

void EngPicture::Destroy() {
  DestroyGraphics();
  Free();
  if (m_path) EngFree(m_path, 0, ENG_FUNC);
  m_path = nullptr;
}

void EngPicture::SetDrawArea(const _Dimension *area) {
  if (area) m_draw_area = *area;
}

void EngPicture::SetDrawArea(float x, float y, float w, float h) { m_draw_area = _Dimension{x, y, w, h}; }

char EngPicture::SetPath(const char *path) {
  if (!path || !*path) {
    if (m_path) EngFree(m_path, 0, ENG_FUNC);
    m_path = nullptr;
    return 1;
  }
  size_t length = strlen(path);
  if (length > ENG_PICTURE_PATH_SIZE) {
    DebugErrorAlt(ENG_FUNC, "Path too long");
    return 0;
  }
  char *copy = static_cast<char *>(EngMalloc(length + 1, "SetPath", 0));
  if (!copy) return 0;
  memcpy(copy, path, length + 1);
  if (m_path) EngFree(m_path, 0, ENG_FUNC);
  m_path = copy;
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Accessors

eint EngPicture::GetNumSets() { return eint(m_sets.size()); }

EngPictureSet *EngPicture::GetSet(eint set_num) {
  if (set_num < 0 || set_num >= GetNumSets()) {
    DebugErrorAlt(ENG_FUNC, "Invalid set num %d (%d)", set_num, GetNumSets());
    return nullptr;
  }
  EngPictureSet *set = m_sets[size_t(set_num)].get();
  if (set->stages.empty()) {
    DebugErrorAlt(ENG_FUNC, "Set num %d has no stages [%d]", set_num, 0);
    return nullptr;
  }
  return set;
}

eint EngPicture::GetNumStages(_EngPictureSet *set) {
  if (!set) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  return eint(set->stages.size());
}

EngPictureStage *EngPicture::GetStage(_EngPictureSet *set, eint stage_num) {
  if (!set) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  if (stage_num < 0 || stage_num >= eint(set->stages.size())) {
    DebugErrorAlt(ENG_FUNC, "Invalid stage num %d (%d)", stage_num, eint(set->stages.size()));
    return nullptr;
  }
  return set->stages[size_t(stage_num)].get();
}

eint EngPicture::GetNumTextures() { return m_textures ? m_num_textures : 0; }

EngPictureTexture *EngPicture::GetTexture(eint tex_num) {
  if (!m_textures) {
    DebugErrorAlt(ENG_FUNC, "No textures");
    return nullptr;
  }
  if (tex_num < 0 || tex_num >= m_num_textures) {
    DebugErrorAlt(ENG_FUNC, "Invalid tex num %d (%d)", tex_num, m_num_textures);
    return nullptr;
  }
  return &m_textures[tex_num];
}

char EngPicture::IsSetOk(_EngPictureSet *set, char allow_empty) {
  if (!set) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (set->check != ENG_PICTURE_SET_CHECK) {
    DebugErrorAlt(ENG_FUNC, "Check value is %d.", set->check);
    return 0;
  }
  if (!allow_empty && set->stages.empty()) {
    DebugErrorAlt(ENG_FUNC, "No stages [%d].", 0);
    return 0;
  }
  return 1;
}

char EngPicture::IsStageOk(_EngPictureSet *set, _EngPictureStage *stage) {
  if (!IsSetOk(set, 0)) return 0;
  if (!stage) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (stage->check != ENG_PICTURE_STAGE_CHECK) {
    DebugErrorAlt(ENG_FUNC, "Check value is %d.", stage->check);
    return 0;
  }
  return 1;
}

_EngPictureStage *EngPicture::GroupSource(_EngPictureSet *set, eint stage_num, int group) {
  _EngPictureStage *stage = set->stages[size_t(stage_num)].get();
  if (set->stages.size() >= 2 && stage_num != 0 && stage->locks[group]) return set->stages[0].get();
  return stage;
}

// ---------------------------------------------------------------------------------------------
// Building blocks

char EngPicture::AllocTexture() {
  if (!m_textures) {
    m_textures = static_cast<EngPictureTexture *>(EngMalloc(sizeof(EngPictureTexture), ENG_FUNC, 1));
    if (!m_textures) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
      m_num_textures = 0;
      return 0;
    }
    m_num_textures = 1;
    return 1;
  }
  // A failed growth keeps the list as it was: the stages still refer to it.
  void *grown = EngRealloc(m_textures, sizeof(EngPictureTexture) * size_t(m_num_textures + 1), ENG_FUNC);
  if (!grown) {
    DebugErrorAlt(ENG_FUNC, "No memory (realloc)");
    return 0;
  }
  m_textures = static_cast<EngPictureTexture *>(grown);
  memset(&m_textures[m_num_textures], 0, sizeof(EngPictureTexture));
  m_num_textures++;
  return 1;
}

char EngPicture::AllocSet() {
  std::unique_ptr<_EngPictureSet> set(new (std::nothrow) _EngPictureSet());
  if (!set) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  set->check = ENG_PICTURE_SET_CHECK;
  m_sets.push_back(std::move(set));
  ResetSetVars(GetNumSets() - 1);
  return 1;
}

char EngPicture::AllocStage(_EngPictureSet *set) {
  if (!IsSetOk(set, 1)) return 0;
  std::unique_ptr<_EngPictureStage> stage(new (std::nothrow) _EngPictureStage());
  if (!stage) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  stage->check = ENG_PICTURE_STAGE_CHECK;
  stage->tex_num = -1;
  set->stages.push_back(std::move(stage));
  return 1;
}

void EngPicture::FreeSet(_EngPictureSet *set) {
  if (IsSetOk(set, 0)) set->stages.clear();
}

// ---------------------------------------------------------------------------------------------
// Editing

char EngPicture::AddSet(const char *name) {
  if (!AllocSet()) return 0;
  const eint set_num = GetNumSets() - 1;
  _EngPictureSet *set = m_sets[size_t(set_num)].get();
  if (name && *name) {
    EngSafeStrcpy(set->name, name, sizeof(set->name));
  } else {
    snprintf(set->name, sizeof(set->name), "Set %d", set_num);
  }
  ResetSetVars(set_num);
  return AddStage(set);
}

char EngPicture::AddStage(_EngPictureSet *set) {
  if (!set || set->check != ENG_PICTURE_SET_CHECK) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  if (!AllocStage(set)) return 0;
  _EngPictureStage *stage = set->stages.back().get();
  stage->tex_num = -1;
  stage->pos.main_area = _Dimension{0, 0, 1, 1};
  stage->rot.values[3] = 1;
  stage->alpha.show = 1;
  stage->alpha.times[2] = 1;
  stage->alpha.level = 1;
  stage->alpha.throb_speed = 0.5f;
  stage->alpha.throb_mult = 1;
  stage->tc.use_default = 1;
  stage->tc.tc = _TexCoords{0, 0, 1, 1};
  stage->tc.tile = _Vector2d{1, 1};
  ResetStageVars(stage);
  return 1;
}

char EngPicture::RemoveSet(eint set_num) {
  if (set_num < 0 || set_num >= GetNumSets()) {
    DebugErrorAlt(ENG_FUNC, "Invalid set num %d (%d)", set_num, GetNumSets());
    return 0;
  }
  const char had_graphics = m_graphics_created;
  DestroyGraphics();
  m_sets.erase(m_sets.begin() + set_num);
  if (had_graphics) CreateGraphics();
  return 1;
}

char EngPicture::RemoveStage(_EngPictureSet *set, eint stage_num) {
  if (!IsSetOk(set, 0)) return 0;
  if (stage_num < 0 || stage_num >= eint(set->stages.size())) {
    DebugErrorAlt(ENG_FUNC, "Invalid stage num %d (%d)", stage_num, eint(set->stages.size()));
    return 0;
  }
  const char had_graphics = m_graphics_created;
  DestroyGraphics();
  set->stages.erase(set->stages.begin() + stage_num);
  if (had_graphics) CreateGraphics();
  return 1;
}

char EngPicture::AddTexture(const char *path, const char *filename) {
  // A name that does not fit its record would be cut and then name another file.
  if (path && strlen(path) >= ENG_PICTURE_PATH_SIZE) {
    DebugErrorAlt(ENG_FUNC, "Path too long");
    return 0;
  }
  if (!filename || !*filename) {
    DebugErrorAlt(ENG_FUNC, "No filename");
    return 0;
  }
  if (strlen(filename) >= ENG_PICTURE_FILENAME_SIZE) {
    DebugErrorAlt(ENG_FUNC, "Filename too long");
    return 0;
  }
  char *name = static_cast<char *>(EngMalloc(1024, ENG_FUNC, 1));
  if (!name) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  char found;
  if (path) {
    snprintf(name, 1024, "%s/%s", path, filename);
    found = EngFileExists(name, 0);
    if (!found) DebugErrorAlt(ENG_FUNC, "File not found (A): <%s> / <%s>", path, filename);
  } else if (m_path && *m_path) {
    snprintf(name, 1024, "%s/%s", m_path, filename);
    found = EngFileExists(name, 0);
    if (!found) DebugErrorAlt(ENG_FUNC, "File not found (B): <%s> / <%s>", m_path, filename);
  } else {
    found = EngFileExists(filename, 0);
    if (!found) DebugErrorAlt(ENG_FUNC, "File not found (C): <%s>", filename);
  }
  EngFree(name, 0, ENG_FUNC);
  if (!found || !AllocTexture()) return 0;
  EngPictureTexture *texture = &m_textures[m_num_textures - 1];
  EngSafeStrcpy(texture->path, path ? path : "", sizeof(texture->path));
  EngSafeStrcpy(texture->filename, filename, sizeof(texture->filename));
  if (m_graphics_created) {
    DestroyGraphics();
    CreateGraphics();
  }
  return 1;
}

char EngPicture::RemoveTexture(eint tex_num) {
  if (!m_textures) {
    DebugErrorAlt(ENG_FUNC, "No textures");
    return 0;
  }
  if (tex_num < 0 || tex_num >= m_num_textures) {
    DebugErrorAlt(ENG_FUNC, "Invalid tex num %d (%d)", tex_num, m_num_textures);
    return 0;
  }
  const char had_graphics = m_graphics_created;
  DestroyGraphics();
  for (auto &set : m_sets) {
    for (auto &stage : set->stages) {
      if (stage->tex_num == tex_num) {
        stage->tex_num = -1;
      } else if (stage->tex_num > tex_num) {
        stage->tex_num--;
      }
    }
  }
  memmove(&m_textures[tex_num], &m_textures[tex_num + 1],
          sizeof(EngPictureTexture) * size_t(m_num_textures - tex_num - 1));
  m_num_textures--;
  if (m_num_textures == 0) {
    EngFree(m_textures, 0, ENG_FUNC);
    m_textures = nullptr;
  }
  if (had_graphics) CreateGraphics();
  return 1;
}
