// The registry of skin textures and texture buttons that widgets and windows are drawn from.
// Registrations survive the device; the textures are loaded with the toolkit's graphics.
#pragma once

#include "Engine/MWin/MWinTypes.h"

class MWinTextures {
 public:
  explicit MWinTextures(MWin *mwin);
  ~MWinTextures();
  MWinTextures(const MWinTextures &) = delete;
  MWinTextures &operator=(const MWinTextures &) = delete;

  char CreateTextures();
  void DestroyTextures();
  char AreTexturesLoaded() const { return m_loaded; }

 private:
  MWin *m_mwin;
  char m_loaded = 0;
};
