// Gardens: the choice of garden, size and difficulty, the per-wave multipliers they set, the
// garden picture under the play field and the "LEVEL  n" banner. The path data itself is in
// Traverse; the angle helpers are in Calcs.
#pragma once

#include "Engine/EngTypes.h"

extern EngInt16 level_garden;
extern EngInt16 level_difficulty;
extern EngUInt8 level_garden_size;
extern float level_bug_cash_mult;
extern float level_size_mult;
extern float level_bug_size_mult;
extern float level_weapon_size_mult;
extern float level_overall_bug_hp_mult;
extern float level_onscreen_start_pos;
extern float level_onscreen_end_pos;

char LevelsPre3dInit();
// The picture and path-data names of the current garden and size, in a shared buffer that
// the next call overwrites.
char *LevelsGetPicFilename(char unused);
char *LevelsGetTravCalcsFilename(char output);
char LevelsCreateGraphics(char unused);
void LevelsDestroyGraphics(char unused);
// Whether the play-field picture of the current garden and size is loaded.
char LevelsIsPictureLoaded();
// How many times a garden's play-field picture was read from its file since start.
EngInt32 LevelsGetPictureLoads();
void LevelsRenderMainBackground();
void LevelsInitForNewGame(char unused);
char LevelsInitForNewLevel(char unused);
const char *LevelsGetDifficultyAsText(short difficulty);
void LevelsTick();
void LevelsRender();
void LevelsTurnOffLevelText();

// The banner as it stands: stage (-1 off, 0..3), blend 0..1 and text.
EngInt32 LevelsGetBannerStage();
float LevelsGetBannerBlend();
const char *LevelsGetBannerText();
// Back to the start-up state, the picture freed (tests call it between cases).
void LevelsResetForTests();
