// The registry of the toolkit's fonts: registered font files survive the device and are
// rasterised again with the toolkit's graphics.
#pragma once

#include "Engine/MWin/MWinTypes.h"

class MWinFonts {
 public:
  explicit MWinFonts(MWin *mwin);
  ~MWinFonts();
  MWinFonts(const MWinFonts &) = delete;
  MWinFonts &operator=(const MWinFonts &) = delete;

  char CreateGraphicsObjects();
  void DestroyGraphicsObjects();
  char AreFontsLoaded() const { return m_loaded; }

 private:
  MWin *m_mwin;
  char m_loaded = 0;
};
