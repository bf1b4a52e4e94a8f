#include "Engine/MWin/MWinTextures.h"

MWinTextures::MWinTextures(MWin *mwin) : m_mwin(mwin) {}

MWinTextures::~MWinTextures() { DestroyTextures(); }

char MWinTextures::CreateTextures() {
  DestroyTextures();
  m_loaded = 1;
  return 1;
}

void MWinTextures::DestroyTextures() { m_loaded = 0; }
