#include "Engine/MWin/MWinFonts.h"

MWinFonts::MWinFonts(MWin *mwin) : m_mwin(mwin) {}

MWinFonts::~MWinFonts() { DestroyGraphicsObjects(); }

char MWinFonts::CreateGraphicsObjects() {
  DestroyGraphicsObjects();
  m_loaded = 1;
  return 1;
}

void MWinFonts::DestroyGraphicsObjects() { m_loaded = 0; }
