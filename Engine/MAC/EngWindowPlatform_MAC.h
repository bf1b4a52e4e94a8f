// What the window's SDL2 files share among themselves: whether SDL video is up, and the key
// table. No SDL types here; text conversion at the SDL boundary is EngText_MAC's.
#pragma once

// 1 when SDL video runs (the X11 driver unless SDL_VIDEODRIVER names another), 0 when the
// window is headless (the "dummy" driver, or forced by a test), -1 when video failed.
int EngWindowVideoState_MAC();

// The key table: an SDL key code and modifier mask to an engine key code (0: no key event).
// Also sets the modifier states in eng_key_down.
unsigned char EngWindowConvertKey_MAC(int keycode, unsigned int mods);
// The character a Ctrl (Command) shortcut also types, or 0 (the key table holds which).
unsigned char EngWindowCommandChar_MAC(int keycode, unsigned int mods);
void EngWindowKeyModifiersChanged_MAC(unsigned int mods);
