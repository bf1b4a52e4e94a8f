#include "tests/Engine/MWin/MWinSkinTestSupport.h"

#include "Engine/EngTga.h"

namespace qwtest {

static const int atlas_size = 256;

// SetDataPartColour counts y from the bottom row; these rectangles are given from the top.
static void Fill(EngTga *tga, int x, int y, int w, int h, float r, float g, float b) {
  tga->SetDataPartColour(x, atlas_size - y - h, w, h, r, g, b, 1.0f);
}

static void Frame(EngTga *tga, int x, int y, int w, int h, int t, float r, float g, float b) {
  Fill(tga, x, y, w, t, r, g, b);
  Fill(tga, x, y + h - t, w, t, r, g, b);
  Fill(tga, x, y, t, h, r, g, b);
  Fill(tga, x + w - t, y, t, h, r, g, b);
}

bool WriteTestSkinAtlas(const std::string &path) {
  EngTga tga(atlas_size, atlas_size, 32, 0.75f, 0.75f, 0.8f, 1.0f);
  const int half = atlas_size / 2;
  Fill(&tga, half, 0, half, half, 0.55f, 0.65f, 0.85f);  // push buttons, lists, choices
  Fill(&tga, 0, half, half, half, 0.6f, 0.6f, 0.6f);     // scrollbars, arrows, boxes, panels
  Fill(&tga, half, half, half, half, 0.3f, 0.3f, 0.3f);
  Frame(&tga, 0, 32, half, half - 32, 4, 0.2f, 0.2f, 0.3f);  // window back
  Frame(&tga, 0, 0, half, 32, 3, 0.2f, 0.2f, 0.4f);          // title bar
  Frame(&tga, half, 0, half, 31, 3, 0.1f, 0.2f, 0.5f);       // push button
  return tga.SaveToFile(path.c_str()) != 0;
}

bool SetupTestSkin(MWin *mwin, const std::string &folder) {
  const std::string path = folder + "/StandardButtons.tga";
  return WriteTestSkinAtlas(path) && mwin->SetupDefaultTextures(path.c_str());
}

}  // namespace qwtest
