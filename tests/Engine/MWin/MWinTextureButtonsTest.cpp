#include <gtest/gtest.h>

#include <string>

#include "Engine/MWin/MWinTextures.h"
#include "tests/Engine/MWin/MWinSkinTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

TEST_F(MWinTest, TheDefaultSkinFillsEveryStandardSlotFromOneAtlas) {
  TempDir dir;
  ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
  MWinTextures *tex = mwin->GetTextures();
  EXPECT_EQ(tex->GetNumTextures(), 1);
  EXPECT_EQ(tex->GetNumTextureButtons(), MWIN_NUM_STANDARD_TEXBUTS);
  const _MWinTextureEntry *atlas = tex->GetTextureFromID("StandardButtons");
  ASSERT_NE(atlas, nullptr);
  EXPECT_EQ(atlas->with_alpha, 1);
  EXPECT_EQ(atlas->alpha_mode, 2);
  const char *names[] = {"StdWinBack", "StdWinTitle", "StdButtonHide", "StdButtonBack", "StdButtonBack2",
                         "StdLeftArrow", "StdRightArrow", "StdUpArrow", "StdDownArrow", "StdScrollButton",
                         "StdScrollBack", "StdVScrollButton", "StdVScrollBack", "StdListOpenMain", "StdListOpenTop",
                         "StdListOpenBot", "StdListOpenSel", "StdCheckButton", "StdUnCheckButton",
                         "StdTabPanelHeading", "StdTabPanelVertDiv", "StdTabPanelRowBack1", "StdTabPanelRowBack2",
                         "StdTabPanelRowSel", "StdTabPanelRowEmpty", "StdBackHeading", "StdBackMain",
                         "StdPushButton", "StdTextEdit", "StdChoice", "StdPanel", "StdBlack", "StdWhite"};
  for (int slot = 0; slot < MWIN_NUM_STANDARD_TEXBUTS; slot++) {
    EXPECT_STREQ(tex->GetStandardTexButID(slot), names[slot]) << slot;
    EXPECT_EQ(tex->GetStandardTexButNum(slot), slot);
  }

  // Which states are set: 1 set, 0 falls back to normal.
  struct Case {
    int slot;
    int set[4];
  } cases[] = {{MWIN_STDTEX_WIN_BACK, {1, 0, 0, 0}},
               {MWIN_STDTEX_BUTTON_HIDE, {1, 1, 0, 0}},
               {MWIN_STDTEX_SCROLL_BACK, {1, 1, 0, 1}},
               {MWIN_STDTEX_VSCROLL_BACK, {1, 1, 0, 1}},
               {MWIN_STDTEX_PUSH_BUTTON, {1, 1, 1, 1}}};
  for (const Case &c : cases) {
    const _MWinTextureButton *b = tex->GetTexButFromNum(c.slot);
    for (int s = 0; s < 4; s++) EXPECT_EQ(b->states[s].texture_num >= 0, c.set[s] == 1) << c.slot << " " << s;
  }
  const _MWinTextureButton *vback = tex->GetTexButFromID("StdVScrollBack");
  EXPECT_FLOAT_EQ(vback->states[0].right, 0.249f);
  EXPECT_FLOAT_EQ(vback->states[3].right, 0.246f);
  EXPECT_FLOAT_EQ(vback->states[3].bottom, 0.6225f);
  EXPECT_EQ(vback->draw_style_x, 2);
  EXPECT_FLOAT_EQ(vback->texture_edge_y, 0.31f);
  EXPECT_FLOAT_EQ(vback->screen_edge_y, 4);
  const _MWinTextureButton *push = tex->GetTexButFromID("StdPushButton");
  EXPECT_FLOAT_EQ(push->states[2].right, 1.0f);
  EXPECT_FLOAT_EQ(push->texture_edge_y, 0.44f);
  EXPECT_EQ(tex->GetTexButFromID("StdChoice")->draw_style_y, 0);

  // Every state of every slot is tinted grey.
  const float greys[4] = {0.85f, 1.0f, 0.7f, 0.45f};
  for (int slot = 0; slot < MWIN_NUM_STANDARD_TEXBUTS; slot++)
    for (int s = 0; s < 4; s++) {
      const _MWinTextureButtonState &st = tex->GetTexButFromNum(slot)->states[s];
      ASSERT_TRUE(st.colour_multiplier_on);
      EXPECT_FLOAT_EQ(st.colour_multiplier.r, greys[s]);
      EXPECT_FLOAT_EQ(st.colour_multiplier.a, 1.0f);
    }
}

TEST_F(MWinTest, ASecondDefaultSkinFailsForEverySlotAndChangesNothing) {
  TempDir dir;
  ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
  MWinTextures *tex = mwin->GetTextures();
  tex->SetTextureButtonStateColourMultiplier("StdPanel", MWIN_TEXSTATE_NORMAL, 0.1f);
  std::string log = Logged([&] { EXPECT_FALSE(SetupTestSkin(mwin, dir.Path())); });
  EXPECT_NE(log.find("Texture button alread exits <StdWinBack>"), std::string::npos) << log;
  EXPECT_NE(log.find("Could not load texbut <StdWinBack>"), std::string::npos) << log;
  EXPECT_NE(log.find("Could not load texbut <StdWhite>"), std::string::npos) << log;
  EXPECT_NE(log.find("Problem setting up textures"), std::string::npos) << log;
  EXPECT_EQ(tex->GetNumTextureButtons(), MWIN_NUM_STANDARD_TEXBUTS);
  EXPECT_FLOAT_EQ(tex->GetTexButFromID("StdPanel")->states[0].colour_multiplier.r, 0.1f);
}

TEST_F(MWinTest, ADefaultSkinWithoutItsAtlasIsRefused) {
  TempDir dir;
  const std::string missing = dir.File("none.tga");
  std::string log = Logged([&] { EXPECT_FALSE(mwin->SetupDefaultTextures(missing.c_str())); });
  EXPECT_NE(log.find("Could not load texture <" + missing + ">"), std::string::npos) << log;
  EXPECT_EQ(mwin->GetTextures()->GetNumTextureButtons(), 0);
}

}  // namespace
}  // namespace qwtest
