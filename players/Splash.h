// The start-up splash: one layered picture shown over the first players screen while a player
// is chosen, with fade-in, shown and fade-out stages that darken the screen by the inverse of
// the fade level. Program-wide state; main thread only. SplashEnd drops the picture, so every
// start needs a new SplashSetupPicture.
#pragma once

#include "Engine/EngTypes.h"

class EngFont;
class EngPicture;

// Seconds since the shown stage began; non-zero ends that stage.
typedef char (*SPLASH_WAIT_CB)(double seconds, void *context);
typedef void (*SPLASH_DONE_CB)(void *context);
typedef const char *(*SPLASH_GET_TEXT_CB)(int n, void *context);

enum : char { SPLASH_STAGE_FADING_IN = 1, SPLASH_STAGE_SHOWN = 2, SPLASH_STAGE_FADING_OUT = 3, SPLASH_STAGE_DONE = 4 };

char SplashSetupPicture(const char *folder, const char *file, const char *sound_file, EngFont *font, float scale_x,
                        float scale_y, SPLASH_GET_TEXT_CB text_cb, SPLASH_WAIT_CB wait_cb, SPLASH_DONE_CB done_cb,
                        void *context);
// Design units (640 by 480); with narrow_screen the height follows a window narrower than high.
void SplashSetPictureDimension(float x, float y, float w, float h, char narrow_screen);
char SplashStart();
void SplashShowNow();
char SplashTick();
// clear: 0 nothing, 1 the colour buffer, 2 colour and depth.
char SplashRender(char clear);
void SplashEnd();
char SplashIsOn();
char SplashCreateGraphics();
void SplashDestroyGraphics();

// For tests: the stage, the fade level and the picture (its draw area).
char SplashGetStage();
float SplashGetFadeLevel();
EngPicture *SplashGetPicture();
void SplashResetForTests();
