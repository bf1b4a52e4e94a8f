// Picture textures and drawing: loads the textures that shown stages use (through the
// program-wide file-name hook when one is set) and draws each set's current stage as one quad
// with its area, rotation, alpha envelope, throb, texture coordinates and blending.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFile.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPicture.h"
#include "Engine/EngWindow.h"

static EngPictureTextureFileOverwriteCB ep_texture_file_overwrite_cb = nullptr;

void EngPicture_SetTextureFileOverwriteCB(EngPictureTextureFileOverwriteCB cb) { ep_texture_file_overwrite_cb = cb; }

EngPictureTextureFileOverwriteCB EngPicture_GetTextureFileOverwriteCB() { return ep_texture_file_overwrite_cb; }

namespace {

const int kNameBufferSize = 1024;

bool HasAlphaExtension(const char *filename) {
  size_t length = strlen(filename);
  if (length < 5) return false;
  const char *ext = filename + length - 4;
  return strcasecmp(ext, ".png") == 0 || strcasecmp(ext, ".tga") == 0;
}

// Pixel values must stay far inside the int range before the device converts them.
bool IsPixelRectSane(float x, float y, float w, float h) {
  const float limit = 1.0e7f;
  const float values[] = {x, y, w, h};
  for (float v : values) {
    if (!std::isfinite(v) || std::fabs(v) > limit) return false;
  }
  return true;
}

void EnableBlendType(const char *signature, int type) {
  const EngInt32 inv_dest_alpha = EDEV_BLEND_INV_DEST_ALPHA;
  EngInt32 source = EDEV_BLEND_SRC_ALPHA;
  EngInt32 destination;
  int row = type;
  if (type >= 11 && type <= 19) {
    source = inv_dest_alpha;
    row = type - 10;
  }
  switch (row) {
    case 1: destination = EDEV_BLEND_INV_SRC_ALPHA; break;
    case 2: destination = EDEV_BLEND_SRC_ALPHA; break;
    case 3: destination = EDEV_BLEND_ONE; break;
    case 4: destination = EDEV_BLEND_SRC_COLOUR; break;
    case 5: destination = EDEV_BLEND_INV_SRC_COLOUR; break;
    case 6: destination = EDEV_BLEND_DEST_COLOUR; break;
    case 7: destination = EDEV_BLEND_INV_DEST_COLOUR; break;
    case 8: destination = EDEV_BLEND_DEST_ALPHA; break;
    case 9: destination = EDEV_BLEND_INV_DEST_ALPHA; break;
    case 10: destination = EDEV_BLEND_SRC_ALPHA_SATURATE; break;
    case 20:
      DebugErrorAlt(signature, "Invalid blend num");
      return;
    default:
      source = inv_dest_alpha;
      destination = EDEV_BLEND_ZERO;
      break;
  }
  eng_main_device->EnableSpecificBlending(source, destination);
}

}  // namespace

char EngPicture::IsDrawAreaSane(const _Dimension &a) {
  const float limit = 100000.0f;
  const float values[] = {a.x, a.y, a.width, a.height};
  for (float v : values) {
    if (!std::isfinite(v) || std::fabs(v) > limit) return 0;
  }
  return a.width >= 0 && a.height >= 0;
}

char EngPicture::IsTextureInUse(eint tex_num) {
  for (eint s = 0; s < GetNumSets(); s++) {
    _EngPictureSet *set = GetSet(s);
    if (!set) continue;
    for (eint i = 0; i < eint(set->stages.size()); i++) {
      _EngPictureStage *stage = set->stages[size_t(i)].get();
      if (stage->tex_num != tex_num) continue;
      if (GroupSource(set, i, EPIC_LOCK_ALPHA)->alpha.show) return 1;
    }
  }
  return 0;
}

char EngPicture::CreateGraphics() {
  if (m_num_textures < 1) return 1;
  if (!m_textures) {
    DebugErrorAlt(ENG_FUNC, "No textures");
    return 0;
  }
  if (m_graphics_created) DebugErrorAlt(ENG_FUNC, "Graphics already created (continuing...)");
  char *name = static_cast<char *>(EngMalloc(kNameBufferSize, ENG_FUNC, 1));
  if (!name) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  char result = 1;
  for (eint t = 0; t < m_num_textures; t++) {
    EngPictureTexture *record = &m_textures[t];
    if (!record->filename[0]) {
      DebugErrorAlt(ENG_FUNC, "No texture filename");
      result = 0;
      continue;
    }
    if (!IsTextureInUse(t)) continue;
    const char alpha = HasAlphaExtension(record->filename) ? 1 : 0;
    if (ep_texture_file_overwrite_cb) {
      name[0] = 0;
      const char *folder = record->path[0] ? record->path : m_path;
      if (!ep_texture_file_overwrite_cb(folder, record->filename, name, kNameBufferSize) || !name[0]) {
        DebugErrorAlt(ENG_FUNC, "No file returned for <%s>", record->filename);
        result = 0;
        continue;
      }
      name[kNameBufferSize - 1] = 0;
    } else if (record->path[0]) {
      snprintf(name, kNameBufferSize, "%s/%s", record->path, record->filename);
    } else if (m_path && *m_path) {
      snprintf(name, kNameBufferSize, "%s/%s", m_path, record->filename);
    } else {
      snprintf(name, kNameBufferSize, "%s", record->filename);
    }
    if (!EngFileExists(name, 0)) {
      DebugErrorAlt(ENG_FUNC, "File not found: <%s>", name);
      result = 0;
      continue;
    }
    if (!record->texture) record->texture = new (std::nothrow) EngTexture();
    if (!record->texture) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
      result = 0;
      continue;
    }
    record->texture->LoadFromFile(name, alpha, 2, 0);
    if (!record->texture->IsOk()) result = 0;
  }
  EngFree(name, 0, ENG_FUNC);
  m_graphics_created = 1;
  return result;
}

void EngPicture::DestroyGraphics() {
  if (!m_graphics_created) return;
  for (eint t = 0; t < m_num_textures && m_textures; t++) {
    EngPictureTexture *record = &m_textures[t];
    if (!record->texture) continue;
    record->texture->Destroy();
    delete record->texture;
    record->texture = nullptr;
  }
  m_graphics_created = 0;
}

void EngPicture::Draw() {
  for (eint s = 0; s < GetNumSets(); s++) DrawSet(s, 1.0f);
}

void EngPicture::DrawWithAlpha(float alpha) {
  for (eint s = 0; s < GetNumSets(); s++) DrawSet(s, alpha);
}

void EngPicture::DrawSet(eint set_num, float alpha) {
  if (!eng_main_device) return;
  _EngPictureSet *set = GetSet(set_num);
  if (!set) return;
  const eint current = set->vars.current_stage;
  if (current < 0 || current >= eint(set->stages.size())) return;
  _EngPictureStage *stage = set->stages[size_t(current)].get();
  _EngPictureStage *pos_source = GroupSource(set, current, EPIC_LOCK_POS);
  _EngPictureStage *rot_source = GroupSource(set, current, EPIC_LOCK_ROT);
  _EngPictureStage *alpha_source = GroupSource(set, current, EPIC_LOCK_ALPHA);
  _EngPictureStage *tc_source = GroupSource(set, current, EPIC_LOCK_TC);
  if (stage->tex_num < 0 || !alpha_source->alpha.show) return;
  EngPictureTexture *record = GetTexture(stage->tex_num);
  if (!record || !record->texture) return;
  EngTexture *texture = record->texture;

  const _Dimension area =
      pos_source->pos.trans_type > 0 ? pos_source->vars.pos.area : pos_source->pos.main_area;
  const bool area_usable = area.width > 0 && area.height > 0;

  // The fade envelope only applies where stages take turns.
  const _EngPictureStageAlpha *alpha_group = &alpha_source->alpha;
  const _EngPictureStageAlphaVars *alpha_vars = &alpha_source->vars.alpha;
  float a = alpha;
  if (set->stages.size() >= 2) {
    const int k = set->vars.skip_long_times ? 1 : 0;
    const double now = eng_main_current_time;
    const double s = set->vars.stage_start_time;
    const double length = alpha_vars->cycle_length[k];
    const double fade_in = alpha_vars->times[0][k];
    const double fade_out = alpha_vars->times[1][k];
    const double hidden = alpha_vars->times[3][k];
    if (fade_in > 0 && now < s + fade_in) a *= float(1.0 - (s + fade_in - now) / fade_in);
    if (fade_out > 0 && now >= s + length - hidden - fade_out) {
      a *= float(1.0 - (now - (s + length - hidden - fade_out)) / fade_out);
    }
    if (hidden > 0 && now >= s + length - hidden) a = 0;
  }
  float level = alpha_group->level * a;
  if (alpha_group->throb_on) level *= alpha_vars->throb_value;
  texture->SetAlphaLevel(level);
  texture->SetTextureCoordinates(&tc_source->vars.tc);

  if (!area_usable) {
    DebugErrorAlt(ENG_FUNC, "No pos.");
    return;
  }
  const int blend_type = alpha_group->blend_type;
  if (blend_type > 0) EnableBlendType(ENG_FUNC, blend_type);

  const _Dimension &d = m_draw_area;
  const bool full_screen = eng_main_device->IsViewportFullScreen();
  _EngDeviceViewport saved;
  bool viewport_set = false;
  if (IsDrawAreaSane(d)) {
    if (full_screen) {
      _Dimension draw_area = d;
      eng_main_device->SetViewportToSizeRatioed(&draw_area);
      viewport_set = true;
    } else {
      eng_main_device->GetCurrentViewport(&saved);
      // The design space spread over the current viewport.
      const float sx = float(saved.width) / ENG_DESIGN_WIDTH, sy = float(saved.height) / ENG_DESIGN_HEIGHT;
      const float x = d.x * sx + float(saved.x);
      const float y = d.y * sy + float(saved.y);
      const float w = d.width * sx;
      const float h = d.height * sy;
      if (IsPixelRectSane(x, y, w, h)) {
        eng_main_device->SetViewportToSize(EngMathRound(x), EngMathRound(y), EngMathRound(w), EngMathRound(h));
        viewport_set = true;
      }
    }
  }
  if (viewport_set && IsPixelRectSane(area.x, area.y, area.width, area.height)) {
    EngMatrix transform, step;
    transform.SetTranslateMatrix(2.0f * area.x + area.width - 1.0f, 1.0f - 2.0f * area.y - area.height, 0.0f);
    if (rot_source->rot.flags[0]) {
      step.SetRotateZMatrix(rot_source->vars.rot.angle * (-ENG_MATH_PI / 180.0f));
      transform.PreMultiplyByMatrix(&step);
    }
    step.SetScaleMatrix(2.0f * area.width, 2.0f * area.height, 1.0f);
    transform.PreMultiplyByMatrix(&step);
    eng_main_device->PushTransformMatrix();
    eng_main_device->SetTransformMatrix(&transform);
    texture->PositionPure(-0.5f, -0.5f, 1.0f, 1.0f);
    texture->DrawPure();
    eng_main_device->PopTransformMatrix();
  }
  if (viewport_set) {
    if (full_screen) {
      eng_main_device->SetViewportFullScreen();
    } else {
      eng_main_device->SetViewportToViewportStruct(&saved);
    }
  }
  if (blend_type > 0) eng_main_device->DisableBlending();
}
