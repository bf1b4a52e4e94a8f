// The default skin for toolkit tests: a small atlas that the test writes itself, laid out for
// the standard slots, so windows and widgets can be drawn and checked without the game's skin.
#pragma once

#include <string>

#include "Engine/MWin/MWin.h"

namespace qwtest {

// Writes a 256 by 256 32-bit TGA atlas: plain colours per quarter, with dark frames around the
// window back and title regions so that nine-part drawing shows.
bool WriteTestSkinAtlas(const std::string &path);
// Writes the atlas as "StandardButtons.tga" into the folder and sets up the default skin from it.
bool SetupTestSkin(MWin *mwin, const std::string &folder);

}  // namespace qwtest
