// Picture animation: run-time state of sets and stages, its resets, and the per-frame tick that
// changes stages and moves, turns, throbs and scrolls them. Time comes from the engine clock.
#include <cmath>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "Engine/EngMiscRandom.h"
#include "Engine/EngPicture.h"

namespace {

// (1 - cos(pi p)) / 2 written as the two half-sine arcs: flat at both ends.
float Eased(float p) {
  float s;
  if (p < 0.5f) {
    s = sinf((1.0f - 2.0f * p) * (-ENG_MATH_PI / 2.0f));
  } else {
    s = sinf((p - 0.5f) * 2.0f * (ENG_MATH_PI / 2.0f));
  }
  return 0.5f * s + 0.5f;
}

// Stage alpha times above 5 s are shortened to 5 s, above 10 s to half a second.
float ShortenedTime(float t) {
  if (t > 10.0f) return 0.5f;
  if (t > 5.0f) return 5.0f;
  return t;
}

void TickRotation(_EngPictureStageRot *rot, _EngPictureStageRotVars *vars, float step) {
  const float start = rot->values[0], end = rot->values[1];
  const float increment = rot->values[2] * rot->values[3] * step;
  const float low = start < end ? start : end;
  const float high = start < end ? end : start;
  const int mode = rot->flags[1];
  if (mode <= 0) {
    vars->angle = start;
  } else if (mode == 1) {
    vars->angle += increment;
    if (vars->angle >= end) vars->angle = start;
  } else if (mode == 2) {
    vars->angle += increment;
    if (vars->angle >= 360.0f) vars->angle -= 360.0f;
  } else if (mode == 3) {
    if (vars->direction >= 0) {
      vars->angle += increment;
      if (low != high && vars->angle >= high) {
        vars->angle = high;
        vars->direction = -1;
      }
    } else {
      vars->angle -= increment;
      if (low != high && vars->angle <= low) {
        vars->angle = low;
        vars->direction = 1;
      }
    }
  } else {
    if (start == end) {
      vars->angle = start;
      return;
    }
    const float phase_step = increment / fabsf(end - start);
    if (vars->direction >= 0) {
      vars->eased_phase += phase_step;
      if (vars->eased_phase >= 1.0f) vars->direction = -1;
    } else {
      vars->eased_phase -= phase_step;
      if (vars->eased_phase <= 0.0f) vars->direction = 1;
    }
    vars->angle = low + Eased(vars->eased_phase) * (high - low);
  }
}

// One axis of scrolling texture coordinates: (low, high) are left/right or top/bottom.
void ScrollAxis(const _EngPictureStageTexCoords *tc, float speed, float tile, float set_low, float set_high,
                float step, float *low, float *high) {
  if (speed == 0.0f) return;
  *low += speed * step * tile;
  if (tc->use_default) {
    if (*low >= 1.0f) {
      *low -= 1.0f;
    } else if (*low < 0.0f) {
      *low += 1.0f;
    }
    *high = *low + tile;
  } else {
    *high = *low + (set_high - set_low) * tile;
    if (*low > set_high) {
      *low = set_low;
      *high = set_high;
    }
  }
}

void TickTexCoords(_EngPictureStageTexCoords *tc, _TexCoords *vars, float step) {
  ScrollAxis(tc, tc->speed.x, tc->tile.x, tc->tc.left, tc->tc.right, step, &vars->left, &vars->right);
  ScrollAxis(tc, tc->speed.y, tc->tile.y, tc->tc.top, tc->tc.bottom, step, &vars->top, &vars->bottom);
}

}  // namespace

void EngPicture::ResetStageVars(_EngPictureStage *stage) {
  if (!stage) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  EngPictureStageVars *vars = &stage->vars;
  vars->pos.progress = 0;
  vars->pos.direction = 1;
  vars->pos.area = stage->pos.main_area;
  vars->rot.angle = stage->rot.values[0];
  vars->rot.direction = 1;
  vars->alpha.throb_value = 0;
  vars->alpha.throb_phase = 0;
  ResetStageTimeVars(&stage->alpha, &vars->alpha);
  ResetTextureCoordinates(stage);
  MoveToNextRandomPosition(&stage->pos, &vars->pos);
}

void EngPicture::ResetSetVars(eint set_num) {
  if (set_num < 0 || set_num >= GetNumSets()) {
    DebugErrorAlt(ENG_FUNC, "Invalid set num %d (%d)", set_num, GetNumSets());
    return;
  }
  EngPictureSetVars *vars = &m_sets[size_t(set_num)]->vars;
  vars->current_stage = 0;
  vars->skip_long_times = 0;
  vars->stage_start_time = eng_main_current_time;
}

void EngPicture::ResetStageTimeVars(_EngPictureStageAlpha *alpha, _EngPictureStageAlphaVars *vars) {
  if (!alpha || !vars) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  vars->cycle_length[0] = 0;
  vars->cycle_length[1] = 0;
  for (int i = 0; i < 4; i++) {
    vars->times[i][0] = alpha->times[i];
    vars->times[i][1] = ShortenedTime(alpha->times[i]);
    vars->cycle_length[0] += vars->times[i][0];
    vars->cycle_length[1] += vars->times[i][1];
  }
}

void EngPicture::ResetTextureCoordinates(_EngPictureStage *stage) {
  if (!stage) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  if (stage->tc.use_default) {
    stage->vars.tc = _TexCoords{0, 0, stage->tc.tile.x, stage->tc.tile.y};
  } else {
    stage->vars.tc = stage->tc.tc;
  }
}

void EngPicture::ResetTextureCoordinates(eint set_num, eint stage_num) {
  _EngPictureSet *set = GetSet(set_num);
  if (!set) return;
  if (stage_num < 0 || stage_num >= eint(set->stages.size())) {
    DebugErrorAlt(ENG_FUNC, "Invalid stage num %d (%d)", stage_num, eint(set->stages.size()));
    return;
  }
  ResetTextureCoordinates(set->stages[size_t(stage_num)].get());
}

void EngPicture::MoveToNextRandomPosition(_EngPictureStagePos *pos, _EngPictureStagePosVars *vars) {
  if (!pos || !vars) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  if (pos->trans_type != EPIC_TRANS_RANDOM) return;
  const _Dimension &r = pos->random_area;
  const _Dimension &m = pos->main_area;
  vars->random_x = EngMiscRandRangeFloat(r.x, r.x + r.width - m.width, 0);
  vars->random_y = EngMiscRandRangeFloat(r.y, r.y + r.height - m.height, 0);
}

void EngPicture::TickCalcStageTransArea(_EngPictureStagePos *pos, _EngPictureStagePosVars *vars,
                                        _EngPictureStageAlphaVars *alpha_vars) {
  if (!pos || !vars || !alpha_vars) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  switch (pos->trans_type) {
    case EPIC_TRANS_RANDOM:
      EngMathInterpolateTwoDimensions(pos->main_area, pos->end_area, alpha_vars->throb_value, &vars->area);
      vars->area.x = vars->random_x;
      vars->area.y = vars->random_y;
      break;
    case EPIC_TRANS_EASED_BACK_AND_FORTH:
      EngMathInterpolateTwoDimensions(pos->main_area, pos->end_area, Eased(vars->progress), &vars->area);
      break;
    case EPIC_TRANS_LOOP:
    case EPIC_TRANS_BACK_AND_FORTH:
      EngMathInterpolateTwoDimensions(pos->main_area, pos->end_area, vars->progress, &vars->area);
      break;
    default:
      break;
  }
}

void EngPicture::Tick(float speed) {
  const float step = eng_main_frames_per_second * speed;
  const double now = eng_main_current_time;
  for (auto &set_ptr : m_sets) {
    _EngPictureSet *set = set_ptr.get();
    const eint num_stages = eint(set->stages.size());
    eint current = set->vars.current_stage;
    if (current < 0 || current >= num_stages) continue;

    // Stage changes follow the clock, not the speed factor.
    if (num_stages >= 2) {
      const int k = set->vars.skip_long_times ? 1 : 0;
      _EngPictureStage *alpha_source = GroupSource(set, current, EPIC_LOCK_ALPHA);
      if (now >= set->vars.stage_start_time + alpha_source->vars.alpha.cycle_length[k]) {
        set->vars.stage_start_time = now;
        current = (current + 1) % num_stages;
        set->vars.current_stage = current;
      }
    }
    _EngPictureStage *pos_source = GroupSource(set, current, EPIC_LOCK_POS);
    _EngPictureStage *rot_source = GroupSource(set, current, EPIC_LOCK_ROT);
    _EngPictureStage *alpha_source = GroupSource(set, current, EPIC_LOCK_ALPHA);
    _EngPictureStage *tc_source = GroupSource(set, current, EPIC_LOCK_TC);

    _EngPictureStagePos *pos = &pos_source->pos;
    _EngPictureStagePosVars *pos_vars = &pos_source->vars.pos;
    const float increment = pos->trans_speeds[0] * pos->trans_speeds[1] * step;
    switch (pos->trans_type) {
      case EPIC_TRANS_LOOP:
        pos_vars->progress += increment;
        if (pos_vars->progress >= 1.0f) pos_vars->progress -= 1.0f;
        break;
      case EPIC_TRANS_BACK_AND_FORTH:
      case EPIC_TRANS_EASED_BACK_AND_FORTH:
        pos_vars->progress += pos_vars->direction >= 0 ? increment : -increment;
        if (pos_vars->progress >= 1.0f) {
          pos_vars->progress = 1.0f;
          pos_vars->direction = -1;
        } else if (pos_vars->progress <= 0.0f) {
          pos_vars->progress = 0.0f;
          pos_vars->direction = 1;
        }
        break;
      default:
        break;
    }
    if (pos->trans_type > 0) TickCalcStageTransArea(pos, pos_vars, &alpha_source->vars.alpha);

    if (rot_source->rot.flags[0]) TickRotation(&rot_source->rot, &rot_source->vars.rot, step);

    _EngPictureStageAlpha *alpha = &alpha_source->alpha;
    if (alpha->throb_on) {
      char cycled = 0;
      _EngPictureStageAlphaVars *alpha_vars = &alpha_source->vars.alpha;
      const float v =
          EngMiscThrobEffect(&alpha_vars->throb_phase, alpha->throb_speed * step * alpha->throb_mult, &cycled);
      alpha_vars->throb_value = alpha->throb_min + (alpha->level - alpha->throb_min) * v;
      if (cycled) MoveToNextRandomPosition(pos, pos_vars);
    }

    if (tc_source->tc.move) TickTexCoords(&tc_source->tc, &tc_source->vars.tc, step);
  }
}

void EngPicture::SetCurrentStageInSet(eint set_num, eint stage_num) {
  if (set_num < 0 || set_num >= GetNumSets()) {
    DebugErrorAlt(ENG_FUNC, "Bad set num %d (%d).", set_num, GetNumSets());
    return;
  }
  EngPictureSetVars *vars = &m_sets[size_t(set_num)]->vars;
  vars->current_stage = stage_num;
  vars->stage_start_time = eng_main_current_time;
}

void EngPicture::DebugSetSkipLongTimes(eint set_num, char skip) {
  if (set_num == -1) {
    for (eint i = 0; i < GetNumSets(); i++) DebugSetSkipLongTimes(i, skip);
    return;
  }
  if (set_num < 0 || set_num >= GetNumSets()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return;
  }
  _EngPictureSet *set = m_sets[size_t(set_num)].get();
  set->vars.stage_start_time = eng_main_current_time;
  set->vars.skip_long_times = skip;
  for (auto &stage : set->stages) ResetStageVars(stage.get());
}

EngPictureSetVars *EngPicture::GetSetVars(eint set_num) {
  if (set_num < 0 || set_num >= GetNumSets()) {
    DebugErrorAlt(ENG_FUNC, "Invalid set num %d (%d)", set_num, GetNumSets());
    return nullptr;
  }
  return &m_sets[size_t(set_num)]->vars;
}

EngPictureStageVars *EngPicture::GetStageVars(_EngPictureSet *set, eint stage_num) {
  if (!set) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  if (stage_num < 0 || stage_num >= eint(set->stages.size())) {
    DebugErrorAlt(ENG_FUNC, "Invalid stage num %d (%d)", stage_num, eint(set->stages.size()));
    return nullptr;
  }
  return &set->stages[size_t(stage_num)]->vars;
}
