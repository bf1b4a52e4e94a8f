// The game's skin read back from the toolkit's texture registry against the skin's table as
// written down for the toolkit (kept here as rows of text), the per-layout spacing values, the
// failures that leave the toolkit's own look, and the atlas check: every rectangle the code
// registers lies on painted pixels of the generated "Buttons.png".
#include "game/QuarrelwickMWin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngImageDecode.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextures.h"
#include "tests/support/TestSupport.h"

namespace {

const char *const kSkinRows = R"(
| "ArrowL" | - | (0.007, 0.635)-(0.124, 0.875) | (0.127, 0.627)-(0.249, 0.874) | (0.251, 0.628)-(0.374, 0.875) | (0.376, 0.627)-(0.498, 0.874) | 0, 0.0, 0.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | - |
| "ArrowR" | - | (0.124, 0.629)-(0.002, 0.875) | (0.25, 0.628)-(0.127, 0.874) | (0.374, 0.628)-(0.251, 0.876) | (0.499, 0.627)-(0.377, 0.873) | 1, 0.0, 0.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | - |
| "Back1" | - | (0.003, 0.003)-(0.247, 0.247) | - | - | - | 2, 0.09, 7.0 | 2, 0.09, 7.0 | 8.0, 4.0, 4.0 | - |
| "Back1NoHead" | - | (0.001, 0.057)-(0.249, 0.247) | - | - | - | 2, 0.04, 3.0 | 2, 0.09, 5.0 | 0.0, 0.0, 0.0 | - |
| "Back2" | - | (0.256, 0.001)-(0.495, 0.249) | - | - | - | 2, 0.18, 12.0 | 2, 0.18, 12.0 | 4.0, 2.0, 2.0 | - |
| "Back3" | - | (0.002, 0.002)-(0.248, 0.248) | - | - | - | 2, 0.09, 5.0 | 2, 0.09, 5.0 | 4.0, 2.0, 2.0 | state 0: 0.597, 0.597, 0.597, 1 |
| "Back4" | - | (0.649, 0.774)-(0.726, 0.851) | - | - | - | 2, 0.4, 14.0 | 2, 0.3, 12.0 | 0.0, 0.0, 0.0 | - |
| "Black" | - | (0.649, 0.774)-(0.726, 0.851) | - | - | - | 2, 0.08, 3.0 | 2, 0.09, 3.0 | 0.0, 0.0, 0.0 | - |
| "Black2" | - | (0.661, 0.784)-(0.711, 0.841) | - | - | - | 1, 0.0, 0.0 | 1, 0.0, 0.0 | 0.0, 0.0, 0.0 | - |
| "Box" | - | (0.0, 0.0)-(1.0, 1.0) | - | - | - | 0, 0.0, 0.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | - |
| "Heading" | - | (0.001, 0.315)-(0.249, 0.369) | - | - | - | 2, 0.04, 3.0 | 1, 0.18, 3.0 | 0.0, 0.0, 0.0 | - |
| "HorzLine" | - | (0.784, 0.775)-(0.843, 0.851) | - | - | - | 1, 0.43, 19.0 | 2, 0.03, 1.0 | 0.0, 0.0, 0.0 | state 0: 1, 1, 1, 0.303 |
| "Main" | - | (0.503, 0.002)-(0.746, 0.06) | (0.503, 0.063)-(0.749, 0.124) | (0.503, 0.126)-(0.746, 0.187) | (0.503, 0.189)-(0.746, 0.248) | 2, 0.08, 4.0 | 2, 0.23, 3.0 | 0.0, 0.0, 0.0 | state 0: 0.874, 0.874, 0.874, 1; state 2: 0.81, 0.81, 0.81, 1 |
| "Panel" | - | (0.501, 0.375)-(0.749, 0.436) | (0.502, 0.313)-(0.749, 0.374) | (0.501, 0.44)-(0.749, 0.499) | same | 2, 0.04, 4.0 | 2, 0.07, 2.0 | 2.0, 1.8, 1.8 | state 3: 0.475, 0.475, 0.475, 1 |
| "Start" | - | (0.879, 0.752)-(0.997, 0.87) | - | - | - | 2, 0.12, 3.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | - |
| "Title" | - | (0.001, 0.254)-(0.249, 0.31) | - | - | - | 2, 0.18, 12.0 | 2, 0.25, 5.0 | 4.0, 2.0, 2.0 | - |
| "TitleBack" | - | (0.033, 0.022)-(0.47, 0.447) | - | - | - | 2, 0.13, 7.0 | 2, 0.11, 4.0 | 0.0, 0.0, 0.0 | - |
| "TitleInv" | - | (0.02, 0.311)-(0.23, 0.251) | - | - | - | 0, 0.04, 3.0 | 0, 0.0, 0.0 | 0.001, 0.0, 0.0 | - |
| "StdWinBack" | 0 | (0.001, 0.001)-(0.249, 0.249) | - | - | - | 2, 0.1, 6.0 | 2, 0.14, 6.0 | 4.0, 2.0, 2.0 | - |
| "StdWinTitle" | 1 | (0.001, 0.318)-(0.249, 0.369) | - | - | - | 2, 0.04, 5.0 | 2, 0.1, 3.0 | 4.0, 0.0, 0.0 | - |
| "StdButtonHide" | 2 | (0.001, 0.438)-(0.249, 0.498) | same | same | same | 2, 0.09, 6.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | state 0: 0.865, 0.865, 0.865, 1; state 2: 0.974, 0.962, 1, 1; state 3: 0.452, 0.452, 0.452, 1 |
| "StdButtonBack" | 3 | (0.001, 0.001)-(0.249, 0.249) | - | - | - | 2, 0.09, 7.0 | 2, 0.09, 7.0 | 0.0, 0.0, 0.0 | - |
| "StdLeftArrow" | 5 | (0.003, 0.255)-(0.12, 0.37) | same | same | same | 1, 0.0, 0.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | state 0: 0.829, 0.829, 0.829, 1; state 1: 1, 1, 1, 1; state 2: 0.846, 0.846, 0.846, 1; state 3: 0.558, 0.558, 0.558, 1 |
| "StdRightArrow" | 6 | (0.131, 0.255)-(0.246, 0.37) | same | same | same | 1, 0.0, 0.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | state 0: 0.883, 0.883, 0.883, 1; state 1: 1, 1, 1, 1; state 2: 0.892, 0.892, 0.892, 1; state 3: 0.533, 0.533, 0.533, 1 |
| "StdUpArrow" | 7 | (0.751, 0.876)-(0.874, 0.999) | - | - | - | 0, 0.0, 0.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | - |
| "StdDownArrow" | 8 | (0.876, 0.876)-(0.999, 0.999) | - | - | - | 0, 0.0, 0.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | - |
| "StdScrollButton" | 9 | (0.506, 0.504)-(0.619, 0.563) | same | same | same | 0, 0.0, 0.0 | 0, 0.0, 0.0 | 0.0, 0.5, 0.5 | state 0: 0.933, 0.933, 0.933, 1; state 2: 0.907, 0.907, 0.907, 1; state 3: 0.716, 0.716, 0.716, 1 |
| "StdScrollBack" | 10 | (0.501, 0.128)-(0.749, 0.184) | - | - | same | 2, 0.08, 6.0 | 0, 0.0, 0.0 | 2.5, 0.75, 0.75 | state 3: 0.443, 0.443, 0.443, 1 |
| "StdVScrollButton" | 11 | (0.628, 0.508)-(0.682, 0.616) | - | - | - | 0, 0.0, 0.0 | 2, 0.15, 4.0 | 0.0, 0.0, 0.0 | - |
| "StdVScrollBack" | 12 | (0.688, 0.507)-(0.746, 0.747) | - | - | - | 0, 0.0, 0.0 | 2, 0.14, 13.0 | 2.0, 0.65, 0.65 | - |
| "StdListOpenMain" | 13 | (0.001, 0.025)-(0.249, 0.226) | - | - | - | 2, 0.08, 4.0 | 0, 0.0, 0.0 | 4.0, 0.0, 0.0 | - |
| "StdListOpenTop" | 14 | (0.001, 0.001)-(0.249, 0.024) | - | - | - | 2, 0.08, 4.0 | 0, 0.0, 0.0 | 4.0, 0.0, 0.0 | - |
| "StdListOpenBot" | 15 | (0.001, 0.22)-(0.249, 0.248) | - | - | - | 2, 0.08, 4.0 | 0, 0.0, 0.0 | 4.0, 0.0, 0.0 | - |
| "StdListOpenSel" | 16 | (0.501, 0.445)-(0.749, 0.494) | - | - | - | 2, 0.08, 4.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | - |
| "StdCheckButton" | 17 | (0.561, 0.563)-(0.625, 0.624) | - | - | - | 0, 0.0, 0.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | - |
| "StdUnCheckButton" | 18 | (0.499, 0.563)-(0.562, 0.624) | - | - | - | 0, 0.0, 0.0 | 0, 0.0, 0.0 | 0.0, 0.0, 0.0 | - |
| "StdTabPanelHeading" | 19 | (0.015, 0.267)-(0.234, 0.296) | same | same | same | 2, 0.18, 12.0 | 0, 0.0, 0.0 | 4.0, 0.0, 0.0 | state 3: 0.69, 0.69, 0.69, 1 |
| "StdTabPanelVertDiv" | 20 | (0.691, 0.508)-(0.743, 0.745) | - | - | - | 0, 0.0, 0.0 | 1, 0.21, 4.0 | 0.0, 0.0, 0.0 | state 0: 1, 1, 1, 0.339 |
| "StdTabPanelRowBack1" | 21 | (0.501, 0.32)-(0.749, 0.369) | - | - | - | 2, 0.18, 12.0 | 0, 0.0, 0.0 | 4.0, 0.0, 0.0 | state 0: 0.545, 0.545, 0.545, 1 |
| "StdTabPanelRowBack2" | 22 | (0.501, 0.258)-(0.749, 0.305) | - | - | - | 2, 0.18, 12.0 | 0, 0.0, 0.0 | 4.0, 0.0, 0.0 | state 0: 0.727, 0.727, 0.727, 1 |
| "StdTabPanelRowSel" | 23 | (0.501, 0.317)-(0.749, 0.37) | - | - | - | 2, 0.18, 12.0 | 0, 0.0, 0.0 | 4.0, 0.0, 0.0 | state 0: 1, 1, 1, 1 |
| "StdTabPanelRowEmpty" | 24 | (0.02, 0.027)-(0.212, 0.089) | - | - | - | 2, 0.18, 12.0 | 0, 0.0, 0.0 | 4.0, 0.0, 0.0 | state 0: 0.379, 0.379, 0.379, 1 |
| "StdBackHeading" | 25 | (0.001, 0.313)-(0.249, 0.369) | - | - | - | 2, 0.04, 3.0 | 2, 0.18, 3.0 | 4.025, 0.0, 0.0 | - |
| "StdBackMain" | 26 | (0.0, 0.057)-(0.249, 0.246) | - | - | - | 2, 0.18, 12.0 | 2, 0.24, 11.0 | 4.011, 0.0, 0.0 | - |
| "StdPushButton" | 27 | (0.752, 0.005)-(0.998, 0.058) | (0.752, 0.068)-(0.998, 0.12) | (0.752, 0.13)-(0.998, 0.183) | (0.752, 0.192)-(0.998, 0.246) | 2, 0.11, 6.0 | 2, 0.28, 4.0 | 6.0, 1.75, 1.75 | state 0: 0.874, 0.874, 0.874, 1; state 2: 0.81, 0.81, 0.81, 1 |
| "StdTextEdit" | 28 | (0.503, 0.25)-(0.746, 0.311) | same | (0.503, 0.312)-(0.746, 0.374) | same | 2, 0.04, 5.0 | 2, 0.14, 5.0 | 0.0, 2.0, 2.0 | state 0: 0.837, 0.837, 0.837, 1; state 1: 1, 1, 1, 1; state 3: 0.625, 0.625, 0.625, 1 |
| "StdChoice" | 29 | (0.503, 0.377)-(0.746, 0.436) | same | (0.503, 0.439)-(0.746, 0.498) | same | 2, 0.08, 8.0 | 0, 0.0, 0.0 | 2.0, 1.05, 1.05 | state 1: 0.925, 0.925, 0.925, 1; state 3: 0.543, 0.543, 0.543, 1 |
| "StdPanel" | 30 | (0.503, 0.379)-(0.746, 0.433) | (0.503, 0.442)-(0.746, 0.496) | (0.503, 0.442)-(0.746, 0.496) | same | 2, 0.09, 6.0 | 1, 0.18, 3.0 | 2.0, 1.8, 1.8 | state 3: 0.475, 0.475, 0.475, 1 |
| "StdBlack" | 31 | (0.649, 0.774)-(0.726, 0.851) | - | - | - | 2, 0.08, 3.0 | 2, 0.08, 3.0 | 3.2, 2.0, 2.0 | - |
| "StdWhite" | 32 | (0.774, 0.774)-(0.851, 0.851) | - | - | - | 2, 0.08, 3.0 | 2, 0.08, 3.0 | 3.2, 2.0, 2.0 | - |
)";

const char *const kLayoutRows = R"(
| 0 | 60 | 60 | 60 | 60 | 60 |
| 1 | 20 | 45 | 50 | 30 | 35 |
| 2 | 3 | 3 | 3 | 3 | 3 |
| 3 | 3 | 6 | 6 | 3 | 3 |
| 8 | 0 | 2.5 | 1.7 | 1.6 | 1.4 |
| 9 | 0 | 1.2 | 1.8 | 0.8 | 1.2 |
| 10 | 4.5 | 10 | 5 | 7 | 5 |
| 11 | 0 | 0 | 0 | 0 | 0 |
| 12 | 7.1 | 8 | 6 | 6.6 | 6 |
| 14 | 12 | 12 | 12 | 12 | 12 |
| 15 | 12 | 12 | 12 | 12 | 12 |
| 16 | 3 | 3 | 3 | 3 | 3 |
| 17 | 14 | 27.1 | 35 | 20 | 25 |
| 18 | 27.1 | 75 | 45.1 | 44.3 | 45.1 |
| 19 | 12.3 | 40 | 40 | 28.9 | 20 |
| 20 | 24.8 | 30.1 | 40.9 | 40.1 | 30.2 |
| 21 | 13.7 | 42.1 | 42.2 | 30.1 | 22 |
| 22 | 17 | 30.2 | 49.8 | 20.7 | 30.1 |
| 23 | 3 | 3 | 3 | 3 | 3 |
| 24 | 3 | 3 | 3 | 3 | 3 |
| 25 | 12 | 23.2 | 16.7 | 20.6 | 16 |
| 26 | 15.6 | 25.5 | 32.1 | 16.1 | 32.5 |
| 27 | 3 | 5.8 | 3 | 5 | 3 |
| 28 | 12 | 25 | 18.3 | 14.1 | 12 |
| 29 | 12 | 15.9 | 20.2 | 12 | 12 |
| 30 | 3 | 10.9 | 8.1 | 9.1 | 8.9 |
| 31 | 3 | 9.3 | 6.1 | 9 | 5.9 |
)";

struct ExpectedState {
  bool set = false;
  float r[4] = {0, 0, 0, 0};
};

struct ExpectedButton {
  std::string id;
  int slot = -1;
  ExpectedState states[4];
  int style[2] = {0, 0};
  float edge[2] = {0, 0}, size[2] = {0, 0};
  float extra[3] = {0, 0, 0};
  bool colour_on[4] = {false, false, false, false};
  float colour[4][4] = {};
};

std::vector<std::string> SplitCells(const std::string &row) {
  std::vector<std::string> cells;
  std::stringstream in(row);
  std::string cell;
  std::getline(in, cell, '|');  // before the first bar
  while (std::getline(in, cell, '|')) {
    size_t a = cell.find_first_not_of(' '), b = cell.find_last_not_of(' ');
    cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
  }
  if (!cells.empty() && cells.back().empty()) cells.pop_back();
  return cells;
}

std::vector<float> Numbers(const std::string &text) {
  std::vector<float> values;
  const char *p = text.c_str();
  while (*p) {
    if ((*p >= '0' && *p <= '9') || *p == '-' || *p == '.') {
      char *end = nullptr;
      float v = strtof(p, &end);
      if (end != p) {
        values.push_back(v);
        p = end;
        continue;
      }
    }
    p++;
  }
  return values;
}

std::vector<ExpectedButton> ParseSkin() {
  std::vector<ExpectedButton> buttons;
  std::stringstream in(kSkinRows);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::vector<std::string> c = SplitCells(line);
    EXPECT_EQ(c.size(), 10u) << line;
    if (c.size() != 10) continue;
    ExpectedButton b;
    b.id = c[0].substr(1, c[0].size() - 2);
    b.slot = c[1] == "-" ? -1 : atoi(c[1].c_str());
    for (int s = 0; s < 4; s++) {
      const std::string &text = c[2 + s];
      if (text == "-") continue;
      const std::string &from = text == "same" ? c[2] : text;
      std::vector<float> v = Numbers(from);
      EXPECT_EQ(v.size(), 4u) << line;
      b.states[s].set = true;
      for (int i = 0; i < 4 && i < int(v.size()); i++) b.states[s].r[i] = v[i];
    }
    for (int axis = 0; axis < 2; axis++) {
      std::vector<float> v = Numbers(c[6 + axis]);
      b.style[axis] = int(v[0]);
      b.edge[axis] = v[1];
      b.size[axis] = v[2];
    }
    std::vector<float> extra = Numbers(c[8]);
    for (int i = 0; i < 3; i++) b.extra[i] = extra[i];
    if (c[9] != "-") {
      std::stringstream parts(c[9]);
      std::string part;
      while (std::getline(parts, part, ';')) {
        std::vector<float> v = Numbers(part);  // state, r, g, b, a
        int s = int(v[0]);
        b.colour_on[s] = true;
        for (int i = 0; i < 4; i++) b.colour[s][i] = v[1 + i];
      }
    }
    buttons.push_back(b);
  }
  return buttons;
}

class QuarrelwickMWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    ASSERT_TRUE(m_cwd.Enter(m_dir.Path()));
    WriteSkinFiles(true, true);
  }
  void TearDown() override {
    ASSERT_TRUE(m_cwd.Restore());
    DebugResetForTests();
  }
  static std::string BuiltButtons() {
    return qwtest::BuiltResources() + "/Buttons.png";
  }
  void WriteSkinFiles(bool buttons, bool popup) {
    unlink(m_dir.File("Buttons.png").c_str());
    unlink(m_dir.File("Popup.tga").c_str());
    if (buttons) qwtest::WriteWholeFile(m_dir.File("Buttons.png"), qwtest::ReadWholeFile(BuiltButtons()));
    if (popup) {
      // A 1 x 1 uncompressed 32-bit TGA.
      std::string tga(18, '\0');
      tga[2] = 2;
      tga[12] = 1;
      tga[14] = 1;
      tga[16] = 32;
      tga[17] = 8;
      tga += std::string("\x10\x20\x30\xff", 4);
      qwtest::WriteWholeFile(m_dir.File("Popup.tga"), tga);
    }
  }
  static bool Logged(const std::string &text) {
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++)
      if (std::string(DebugGetMessage(i)->text).find(text) != std::string::npos) return true;
    return false;
  }

  qwtest::TempDir m_dir;
  qwtest::WorkingFolder m_cwd;
};

TEST_F(QuarrelwickMWinTest, EveryButtonReadsBackAsWrittenDown) {
  std::vector<ExpectedButton> expected = ParseSkin();
  ASSERT_EQ(expected.size(), 50u);
  MWin mwin(nullptr);
  ASSERT_EQ(QuarrelwickMWinSetupTexturesAndTexButs(&mwin), 1);
  MWinTextures *textures = mwin.GetTextures();
  const int buttons_tex = textures->GetTextureNumFromID("Buttons");
  ASSERT_GE(buttons_tex, 0);
  ASSERT_GE(textures->GetTextureNumFromID("Popup"), 0);
  EXPECT_EQ(textures->GetNumTextureButtons(), 50);

  for (const ExpectedButton &e : expected) {
    SCOPED_TRACE(e.id);
    const _MWinTextureButton *b = textures->GetTexButFromID(e.id.c_str());
    ASSERT_NE(b, nullptr);
    if (e.slot >= 0) {
      EXPECT_EQ(textures->GetStandardTexButNum(e.slot), textures->GetTexButNumFromID(e.id.c_str()));
    }
    for (int s = 0; s < 4; s++) {
      SCOPED_TRACE(s);
      if (!e.states[s].set) {
        EXPECT_EQ(b->states[s].texture_num, -1);
      } else {
        EXPECT_EQ(b->states[s].texture_num, buttons_tex);
        EXPECT_FLOAT_EQ(b->states[s].left, e.states[s].r[0]);
        EXPECT_FLOAT_EQ(b->states[s].top, e.states[s].r[1]);
        EXPECT_FLOAT_EQ(b->states[s].right, e.states[s].r[2]);
        EXPECT_FLOAT_EQ(b->states[s].bottom, e.states[s].r[3]);
      }
      EXPECT_EQ(b->states[s].colour_multiplier_on != 0, e.colour_on[s]);
      if (e.colour_on[s]) {
        EXPECT_FLOAT_EQ(b->states[s].colour_multiplier.r, e.colour[s][0]);
        EXPECT_FLOAT_EQ(b->states[s].colour_multiplier.g, e.colour[s][1]);
        EXPECT_FLOAT_EQ(b->states[s].colour_multiplier.b, e.colour[s][2]);
        EXPECT_FLOAT_EQ(b->states[s].colour_multiplier.a, e.colour[s][3]);
      }
    }
    EXPECT_EQ(b->draw_style_x, e.style[0]);
    EXPECT_FLOAT_EQ(b->texture_edge_x, e.edge[0]);
    EXPECT_FLOAT_EQ(b->screen_edge_x, e.size[0]);
    EXPECT_EQ(b->draw_style_y, e.style[1]);
    EXPECT_FLOAT_EQ(b->texture_edge_y, e.edge[1]);
    EXPECT_FLOAT_EQ(b->screen_edge_y, e.size[1]);
    EXPECT_FLOAT_EQ(b->extra_width, e.extra[0]);
    EXPECT_FLOAT_EQ(b->extra_top, e.extra[1]);
    EXPECT_FLOAT_EQ(b->extra_bottom, e.extra[2]);
  }
  // Slot 4 keeps the toolkit's own button.
  EXPECT_EQ(textures->GetStandardTexButNum(MWIN_STDTEX_BUTTON_BACK2), -1);
  EXPECT_EQ(DebugGetNumMessages(), 0);
}

TEST_F(QuarrelwickMWinTest, LayoutBlocksTakeTheGamesSpacing) {
  MWin mwin(nullptr);
  _MWinSettings before;
  mwin.GetSettings(&before);
  ASSERT_EQ(QuarrelwickMWinSetMWinSettings(&mwin), 1);
  _MWinSettings after;
  mwin.GetSettings(&after);

  std::vector<bool> written(67, false);
  std::stringstream in(kLayoutRows);
  std::string line;
  int rows = 0;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::vector<float> v = Numbers(line);
    ASSERT_EQ(v.size(), 6u) << line;
    // Positions count from the default button width, the block's eighth value.
    const int index = int(v[0]) + 7;
    written[index] = true;
    rows++;
    for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++) {
      const float *block = reinterpret_cast<const float *>(&after.layouts[layout]);
      EXPECT_FLOAT_EQ(block[index], v[1 + layout]) << "position " << v[0] << " layout " << layout;
    }
  }
  EXPECT_EQ(rows, 27);
  for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++) {
    const EngUInt32 *was = reinterpret_cast<const EngUInt32 *>(&before.layouts[layout]);
    const EngUInt32 *now = reinterpret_cast<const EngUInt32 *>(&after.layouts[layout]);
    for (int i = 0; i < 67; i++) {
      if (written[i]) continue;
      EXPECT_EQ(now[i], was[i]) << "index " << i << " layout " << layout;
    }
  }
  // On the desktop the layout text scale stays off.
  EXPECT_LE(mwin.GetLayoutSettings(ENG_LAYOUT_DESKTOP)->orientation_text_scale_x, 0.0f);
  EXPECT_EQ(QuarrelwickMWinSetMWinSettings(nullptr), 0);
}

TEST_F(QuarrelwickMWinTest, AMissingOrBrokenSkinKeepsTheToolkitsOwnLook) {
  struct Case {
    const char *name;
    bool buttons, popup, broken_buttons;
    const char *logged;
    int texture_buttons;
  };
  const Case cases[] = {
      {"no Buttons.png", false, true, false, "Could not load texture <Buttons.png>", 0},
      {"broken Buttons.png", false, true, true, "Could not load texture <Buttons.png>", 0},
      {"no Popup.tga", true, false, false, "Could not load texture <Popup.tga>", 50},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    DebugResetForTests();
    WriteSkinFiles(c.buttons, c.popup);
    if (c.broken_buttons) qwtest::WriteWholeFile(m_dir.File("Buttons.png"), "\x89PNG\r\n\x1a\nnot really");
    MWin mwin(nullptr);
    EXPECT_EQ(QuarrelwickMWinSetupTexturesAndTexButs(&mwin), 0);
    EXPECT_TRUE(Logged(c.logged));
    EXPECT_EQ(mwin.GetTextures()->GetNumTextureButtons(), c.texture_buttons);
  }
  DebugResetForTests();
  EXPECT_EQ(QuarrelwickMWinSetupTexturesAndTexButs(nullptr), 0);
  EXPECT_TRUE(Logged("No mwinp"));
}

TEST_F(QuarrelwickMWinTest, FontArgumentsAreChecked) {
  EXPECT_EQ(QuarrelwickMWinCreateFontApart(0, "VeraBd.ttf", nullptr), 0);
  EngFont *none = nullptr;
  EXPECT_EQ(QuarrelwickMWinCreateFontApart(0, nullptr, none), 0);
  DebugResetForTests();
  EngFont *font = reinterpret_cast<EngFont *>(this);  // never touched: the number is refused first
  EXPECT_EQ(QuarrelwickMWinCreateFontApart(1, "VeraBd.ttf", font), 0);
  EXPECT_TRUE(Logged("Bad font number 1"));
}

TEST_F(QuarrelwickMWinTest, TheSecondFontSetUpTakesItsPaths) {
  struct Case {
    const char *name;
    bool have_root, default_file, main_file;
    char load_default, add_main;
    const char *file;
    char result;
    const char *logged;
    bool main_registered;
  };
  const Case cases[] = {
      {"no root", false, true, true, 1, 1, "Main.ttf", 0, "No mwinp", false},
      {"default font missing", true, false, true, 1, 1, "Main.ttf", 0, "Could not load default font", false},
      {"default font only", true, true, true, 1, 0, "Main.ttf", 1, nullptr, false},
      {"nothing asked", true, false, false, 0, 0, nullptr, 1, nullptr, false},
      {"null file", true, false, true, 0, 1, nullptr, 0, nullptr, false},
      {"empty file", true, false, true, 0, 1, "", 0, nullptr, false},
      {"main font file missing", true, false, false, 0, 1, "Main.ttf", 0, "File does not exist <Main.ttf>", false},
      {"main font", true, false, true, 0, 1, "Main.ttf", 1, nullptr, true},
      {"both", true, true, true, 1, 1, "Main.ttf", 1, nullptr, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    DebugResetForTests();
    unlink(m_dir.File("MWinDefaultFont.ttf").c_str());
    unlink(m_dir.File("Main.ttf").c_str());
    if (c.default_file) qwtest::WriteWholeFile(m_dir.File("MWinDefaultFont.ttf"), "font");
    if (c.main_file) qwtest::WriteWholeFile(m_dir.File("Main.ttf"), "font");
    MWin mwin(nullptr);
    EXPECT_EQ(QuarrelwickMWinSetupFonts(c.have_root ? &mwin : nullptr, c.load_default, c.add_main,
                                        const_cast<char *>(c.file)),
              c.result);
    if (c.logged) {
      EXPECT_TRUE(Logged(c.logged));
    }
    MWinFonts *fonts = mwin.GetFonts();
    EXPECT_EQ(fonts->GetFontRecord(MWIN_FONT_NUM_DEFAULT)->file != nullptr,
              c.have_root && c.default_file && c.load_default);
    const int main = fonts->GetNumUserSlots() > 0 ? 0 : -2;
    EXPECT_EQ(main == 0, c.main_registered);
    if (main != 0) continue;
    const MWinFontC *record = fonts->GetFontRecord(0);
    EXPECT_STREQ(record->id, "Main");
    EXPECT_STREQ(record->file, "Main.ttf");
    // The registry rasterises it later with the main font's own values.
    EXPECT_EQ(record->params.max_char, 254);
    EXPECT_FLOAT_EQ(record->params.height_extra, 6.747f);
    EXPECT_EQ(record->params.effects.shadow_x, 7);
    EXPECT_FLOAT_EQ(record->params.effects.shadow_opacity, 0.766549f);
  }
}

TEST_F(QuarrelwickMWinTest, TheFifteenStylesAreReadBackFromTheRegistry) {
  struct Style {
    const char *name;
    float scale_x, scale_y, r, g, b, a;
  };
  const Style expected[] = {
      {"Buttons", 1.0f, 1.1f, 1, 1, 1, 0.7f},      {"Title", 1.0f, 1.3f, 0, 0, 0, 0.8f},
      {"Small", 0.9f, 0.95f, 1, 1, 1, 0.7f},       {"Small2", 0.85f, 0.9f, 0.5f, 0.6f, 0.6f, 0.8f},
      {"Heading1", 1.6f, 1.74f, 1, 1, 1, 0.8f},    {"Heading2", 1.3f, 1.42f, 1, 1, 1, 0.75f},
      {"Thin", 0.75f, 0.9f, 1, 1, 1, 0.7f},        {"Text1", 1.0f, 2.0f, 0.7f, 0.7f, 0.7f, 1},
      {"Low", 0.7f, 0.6f, 1, 1, 1, 0.7f},          {"Small3", 0.5f, 1.2f, 0, 0, 0, 0.7f},
      {"SmallWhite", 0.5f, 1.0f, 1, 1, 1, 1},      {"WhiteMed", 1.0f, 1.0f, 1, 1, 1, 1},
      {"GetFile", 0.6f, 0.9f, 0, 0, 0, 1},         {"Heading", 1.7f, 1.5f, 0, 0, 0, 0.8f},
      {"Thin2", 0.8f, 1.0f, 1, 1, 1, 0.7f},
  };
  qwtest::WriteWholeFile(m_dir.File("Main.ttf"), "font");
  MWin mwin(nullptr);
  ASSERT_EQ(QuarrelwickMWinSetupFonts(&mwin, 0, 1, const_cast<char *>("Main.ttf")), 1);
  EXPECT_EQ(QuarrelwickMWinAddFirstUserFontsStylesToFont(&mwin, 0), 1);
  const std::vector<_MWinFontStyle> &styles = mwin.GetFonts()->GetFontRecord(0)->styles;
  ASSERT_EQ(styles.size(), sizeof(expected) / sizeof(expected[0]));
  for (size_t i = 0; i < styles.size(); i++) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_STREQ(styles[i].id, expected[i].name);
    const float got[6] = {styles[i].scale_x, styles[i].scale_y, styles[i].r, styles[i].g, styles[i].b, styles[i].a};
    const float want[6] = {expected[i].scale_x, expected[i].scale_y, expected[i].r,
                           expected[i].g,       expected[i].b,       expected[i].a};
    for (int k = 0; k < 6; k++) EXPECT_FLOAT_EQ(got[k], want[k]) << k;
  }

  // Refusals: a negative index, no root, and a font the registry does not have.
  EXPECT_EQ(QuarrelwickMWinAddFirstUserFontsStylesToFont(&mwin, -1), 0);
  EXPECT_EQ(QuarrelwickMWinAddFirstUserFontsStylesToFont(nullptr, 0), 0);
  DebugResetForTests();
  EXPECT_EQ(QuarrelwickMWinAddFirstUserFontsStylesToFont(&mwin, 3), 0);
  EXPECT_TRUE(Logged("Bad font num 3 (1)"));
  EXPECT_EQ(styles.size(), sizeof(expected) / sizeof(expected[0]));
}

// Every rectangle the code registers, for every state it draws, lies on painted pixels.
TEST(QuarrelwickMWinAtlas, EveryRegisteredRectangleIsPainted) {
  int w = 0, h = 0, channels = 0;
  const std::string path = qwtest::BuiltResources() + "/Buttons.png";
  unsigned char *pixels = SOIL_load_OGL_texture_to_memory(path.c_str(), 4, 0, &w, &h, &channels);
  ASSERT_NE(pixels, nullptr) << path;
  int count = 0;
  const _QuarrelwickSkinButton *table = QuarrelwickMWinGetSkinTable(&count);
  for (int i = 0; i < count; i++) {
    for (int s = 0; s < 4; s++) {
      float l, t, r, b;
      if (!QuarrelwickMWinGetSkinStateRect(&table[i], s, &l, &t, &r, &b)) continue;
      int x0 = int(std::floor(std::fmin(l, r) * w)), x1 = int(std::ceil(std::fmax(l, r) * w));
      int y0 = int(std::floor(std::fmin(t, b) * h)), y1 = int(std::ceil(std::fmax(t, b) * h));
      ASSERT_TRUE(x0 >= 0 && y0 >= 0 && x1 <= w && y1 <= h) << table[i].id;
      int painted = 0, total = 0;
      for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++, total++)
          if (pixels[(y * w + x) * 4 + 3] > 0) painted++;
      EXPECT_GE(painted, total * 3 / 10) << table[i].id << " state " << s << ": " << painted << " of " << total;
    }
  }
  EngImageDecodeFree(pixels);
}

}  // namespace
