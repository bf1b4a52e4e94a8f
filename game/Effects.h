// Short pictures over the play field: effect 0 is the explosion of a landing grenade or a
// missile hit, 15 frames of a 4 x 4 sheet over 0.75 s. Effects live in a fixed array of 1,000
// slots; an effect that ends only marks itself dead, and the tick removes the dead after its loop.
#pragma once

#include "Engine/EngTypes.h"

class EngTexture;

enum { EFFECTS_MAX = 1000 };

class Effect {
 public:
  Effect(int type, float x, float y, float size);
  void Tick();
  void Render();
  // Marks the effect dead; EffectsTick deletes it once its loop is done.
  void Die();

  EngUInt8 alive;
  EngInt32 type;
  float x, y;
  float size, half_size;
  float angle;
  float life;
  float frame;  // -1: not started
  float part_left, part_right, part_top, part_bottom;
};

extern Effect *effects[EFFECTS_MAX];
extern EngInt32 num_effects;

char EffectsPre3dInit();
char EffectsCreateGraphics();
void EffectsDestroyGraphics();
void EffectsInitForNewGame();
void EffectsInitForNewLevel();
void EffectsPost3dExit();
// 0 when all 1,000 slots up to the last live effect are taken.
char EffectsCreateNew(int type, float x, float y, float size);
void EffectsTick();
void EffectsRender();
// Deletes every dead effect and sets num_effects to the highest live slot + 1.
void EffectsCheckNumEffects();
