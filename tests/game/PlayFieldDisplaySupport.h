// What the play-field display tests share: the field's modules set back to their start, drawing
// in design space one to one, and the window read back.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <vector>

#include "Engine/EngWindow.h"
#include "game/Bugs.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"

namespace qwtest {

// The field, the levels, the bugs and the path as at start-up.
inline void ResetPlayFieldModules() {
  QuarrelwickResetForTests();
  LevelsResetForTests();
  BugsResetForTests();
  TraverseReset();
}

// The 640 by 480 design space drawn one to one.
inline void UseUnitWindowRatios() {
  eng_main_window_x_ratio = eng_main_window_y_ratio = 1.0f;
  eng_main_window_x_ratio_inv = eng_main_window_y_ratio_inv = 1.0f;
}

// The whole window, rows top first, RGB.
inline std::vector<unsigned char> ReadFrameRgb() {
  std::vector<unsigned char> rgba(640 * 480 * 4), rgb(640 * 480 * 3);
  glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  for (int y = 0; y < 480; y++)
    for (int x = 0; x < 640; x++)
      for (int c = 0; c < 3; c++)
        rgb[(size_t(y) * 640 + size_t(x)) * 3 + size_t(c)] = rgba[(size_t(479 - y) * 640 + size_t(x)) * 4 + size_t(c)];
  return rgb;
}

}  // namespace qwtest
