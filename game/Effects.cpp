#include "game/Effects.h"

#include "Engine/EngDebug.h"
#include "Engine/EngTexture.h"
#include "game/Quarrelwick.h"
#include "game/Sprites.h"

Effect *effects[EFFECTS_MAX];
EngInt32 num_effects = 0;
static EngTexture *effect_texs = nullptr;

namespace {

// Per type: reserved, start life, fade per second. The explosion never fades: its animation ends it.
const float effect_details[][3] = {{0.0f, 1.0f, 0.0f}};
const int kNumTypes = int(sizeof(effect_details) / sizeof(effect_details[0]));

const float kFramesPerSecond = 20.0f;
const int kFrames = 15;
const float kAlpha = 0.7f;

void DeleteAll() {
  for (Effect *&e : effects) {
    delete e;
    e = nullptr;
  }
  num_effects = 0;
}

}  // namespace

Effect::Effect(int type_, float x_, float y_, float size_)
    : alive(1),
      type(type_),
      x(x_),
      y(y_),
      size(size_),
      half_size(size_ * 0.5f),
      angle(QW_FACING_UP),
      life(type_ >= 0 && type_ < kNumTypes ? effect_details[type_][1] : 0.0f),
      frame(-1.0f),
      part_left(0.0f),
      part_right(1.0f),
      part_top(0.0f),
      part_bottom(1.0f) {}

void Effect::Tick() {
  if (!alive || type != 0) return;
  const float dt = game_per_second;
  float f = frame;
  if (f == -1.0f) f = 0.0f;
  const int before = frame < 0.0f ? -1 : int(frame);
  frame = f + kFramesPerSecond * dt;
  if (!(frame < float(kFrames))) {
    Die();
    return;
  }
  const int i = int(frame);
  if (i != before) {
    part_left = float(i % 4) * 0.25f;
    part_top = float(i / 4) * 0.25f;
    part_right = part_left + 0.25f;
    part_bottom = part_top + 0.25f;
  }
  const float fade = effect_details[type][2];
  if (fade > 0.0f) {
    life -= fade * dt;
    if (life <= 0.0f) Die();
  }
}

void Effect::Render() {
  if (!alive || !(half_size > 0.0f) || !(life > 0.0f)) return;
  const _TexCoords part = {part_left, part_top, part_right, part_bottom};
  SpritesAdd(0, effect_texs, x, y, 0.0f, 0.0f, angle, 0, half_size, &part, 1.0f, 1.0f, 1.0f, kAlpha);
}

void Effect::Die() { alive = 0; }

char EffectsPre3dInit() {
  for (Effect *&e : effects) e = nullptr;
  num_effects = 0;
  return 1;
}

char EffectsCreateGraphics() {
  if (!effect_texs) effect_texs = new EngTexture();
  // Alpha mode 5: the sheet is drawn on black and its brightness is its alpha.
  return effect_texs->LoadFromJpegFile("Explosion2.jpg", 1, 5, 0);
}

void EffectsDestroyGraphics() {
  delete effect_texs;
  effect_texs = nullptr;
}

void EffectsInitForNewGame() { DeleteAll(); }

void EffectsInitForNewLevel() {}

void EffectsPost3dExit() { DeleteAll(); }

char EffectsCreateNew(int type, float x, float y, float size) {
  if (num_effects >= EFFECTS_MAX) return 0;
  delete effects[num_effects];
  effects[num_effects] = new Effect(type, x, y, size);
  num_effects++;
  return 1;
}

void EffectsTick() {
  for (int i = 0; i < num_effects; i++)
    if (effects[i]) effects[i]->Tick();
  EffectsCheckNumEffects();
}

void EffectsRender() {
  if (!effect_texs || num_effects == 0) return;
  // One draw for every explosion: they share the sheet.
  SpritesBegin();
  for (int i = 0; i < num_effects; i++)
    if (effects[i]) effects[i]->Render();
  SpritesFlush();
}

void EffectsCheckNumEffects() {
  int highest = -1;
  for (int i = 0; i < EFFECTS_MAX; i++) {
    if (effects[i] && !effects[i]->alive) {
      delete effects[i];
      effects[i] = nullptr;
    }
    if (effects[i]) highest = i;
  }
  num_effects = highest + 1;
}
