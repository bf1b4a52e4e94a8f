// Where a widget of a screen's table sits, for the tests that click the built program from
// outside.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "Engine/EngMathTypes.h"
#include "Engine/EngLayouts.h"
#include "screens/ScreenLayout.h"

namespace qwtest {

// In design units, on the desktop layout.
inline _Dimension Area(const ScreenLayout &layout, const char *widget) {
  for (int w = 0; w < layout.num_windows; w++) {
    const ScreenLayoutWindow &window = layout.windows[w];
    for (int i = 0; i < window.num_widgets; i++)
      if (strcmp(window.widgets[i].id, widget) == 0) {
        _Dimension a = window.widget_areas[i][ENG_LAYOUT_DESKTOP];
        a.x += window.area[ENG_LAYOUT_DESKTOP].x;
        a.y += window.area[ENG_LAYOUT_DESKTOP].y;
        return a;
      }
  }
  ADD_FAILURE() << "no widget " << widget << " in " << layout.collection;
  return {0, 0, 1, 1};
}

}  // namespace qwtest
