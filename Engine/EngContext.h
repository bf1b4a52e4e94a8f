// The OpenGL context of the main window (SDL2 over GLX): pixel format, context creation with
// GLEW set up once per process, taking and releasing the display for full screen with the
// display faded to black and back, and the buffer swap. The device's OpenGL back end calls
// these; no SDL or GL types cross here.
#pragma once

#include "Engine/EngTypes.h"

// 1 while a context exists; most GL work is skipped while it is 0.
extern char eng_gl_3d_setup;

// Makes the context for the main window (full screen takes the display); on failure shows
// "Error setting up display context". Result 1 or 0. Headless windows succeed with no context.
char EngContextSetupCreate_MAC(char windowed, EngInt32 width, EngInt32 height, EngInt32 bit_depth, EngInt32 frequency);
void EngContextSetupDestroy_MAC();
void EngContextSwapBuffers_MAC();
char EngContextUseCurrent_MAC();
void EngContextClearScreen_MAC(float r, float g, float b);
// The pixel format and context the game's window asks SDL for: 8 bits a channel, a 24-bit depth
// buffer, `samples` samples (0 off), OpenGL 2.1 with the fixed-function pipeline.
void EngContextSetGlAttributes_MAC(EngInt32 samples, char double_buffer);
// 1 once glewInit has succeeded in this process.
char EngContextGlewIsReady_MAC();
// The multisample count asked for an anti-aliasing setting, itself a sample count (0 off).
EngInt32 EngContextSamplesForAntiAliasing(EngInt32 anti_aliasing);
void EngContextFailAfterTakingDisplayForTests(char on);
// How many times the main context's buffers were swapped in this process.
EngInt32 EngContextSwapsMade_MAC();
// Test seam: the window's gamma ramp (256 entries a channel) read and set through these in
// place of the display's; a result other than 0 is the display refusing. Null puts the
// display's back.
typedef int (*EngContextGammaGet)(void *window, EngUInt16 *red, EngUInt16 *green, EngUInt16 *blue);
typedef int (*EngContextGammaSet)(void *window, const EngUInt16 *red, const EngUInt16 *green, const EngUInt16 *blue);
void EngContextSetGammaRampForTests(EngContextGammaGet get, EngContextGammaSet set);
