// Screen dimming: a black, partly transparent quad drawn over the whole screen, behind popups
// and for fades. Each function does its work only when the device kind is OpenGL.
#pragma once

// The level is the brightness left: 1 full, 0 black.
void EngDimSetLevel(float level);
float EngDimGetLevel();
void EngDimTurnOff();
char EngDimIsOn();
// Once per frame after drawing: darkens by 1 - level while dimming is on.
void EngDimDo();
// One-off: draws the quad with the given alpha.
void EngDimDarkenScreen(float alpha);
void EngDimDeleteGraphics();

void EngDimSetLevel_GL(float level);
float EngDimGetLevel_GL();
void EngDimTurnOff_GL();
char EngDimIsOn_GL();
void EngDimDo_GL();
void EngDimDarkenScreen_GL(float alpha);
void EngDimDeleteGraphics_GL();

void EngDimResetForTests();
