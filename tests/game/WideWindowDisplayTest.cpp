// The picture keeps its 4:3 proportions in any window: the real program started in-process
// under Xvfb at several window sizes, with a weapon placed on the first garden. Its range disc,
// read back from the screen, is round; a pointer press where the weapon is drawn (an SDL event
// through the program's own input path) selects it, and one in a bar selects nothing; the bars
// are filled, not black. With QW_SCREENSHOT_DIR set, the main menu, a popup over it, the play
// field and its popups are left there for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/Levels.h"
#include "game/PlayField.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Tutorial.h"
#include "game/Weapons.h"
#include "screens/PopupCC.h"
#include "tests/screens/ScreensProgramTestSupport.h"

namespace {

struct WindowCase {
  int width, height;
  // Where the 640 by 480 picture must be drawn, in window pixels.
  int x, y, w, h;
};

const WindowCase kWindows[] = {
    {1024, 768, 0, 0, 1024, 768},  // 4:3, filled
    {1280, 720, 160, 0, 960, 720},  // 16:9, bars left and right
    {720, 720, 0, 90, 720, 540},    // narrower than 4:3, bars above and below
};

std::string Name(const WindowCase &c) { return std::to_string(c.width) + "x" + std::to_string(c.height); }

class WideWindowDisplayTest : public qwtest::ScreensProgramTest, public ::testing::WithParamInterface<WindowCase> {
 protected:
  WideWindowDisplayTest() {
    m_window_width = GetParam().width;
    m_window_height = GetParam().height;
  }
  void BeforeProgramStart() override { TutorialSetOptionForTests(0); }
  void AfterProgramStop() override { TutorialSetOptionForTests(-1); }

  // A design point where the expected picture draws it.
  float PixelX(float design_x) const { return float(GetParam().x) + design_x * float(GetParam().w) / 640.0f; }
  float PixelY(float design_y) const { return float(GetParam().y) + design_y * float(GetParam().h) / 480.0f; }
  // A point of the play field (-1..1 both ways) there.
  void FieldToPixel(float fx, float fy, int *px, int *py) const {
    *px = int(PixelX(QW_FIELD_LEFT + (fx + 1.0f) * QW_FIELD_WIDTH * 0.5f) + 0.5f);
    *py = int(PixelY(QW_FIELD_TOP + (fy + 1.0f) * QW_FIELD_HEIGHT * 0.5f) + 0.5f);
  }
  const unsigned char *At(const std::vector<unsigned char> &f, int x, int y) const {
    return &f[(size_t(y) * size_t(m_window_width) + size_t(x)) * 3];
  }
};

// The range disc is what changes when the pointer comes onto the weapon: the box round what
// changed near it is the disc's.
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

TEST_P(WideWindowDisplayTest, TheRangeDiscIsRoundAndAPressWhereTheWeaponIsDrawnSelectsIt) {
  const WindowCase &c = GetParam();
  const _EngPictureArea area = EngWindowPictureArea();
  EXPECT_EQ(area.x, c.x);
  EXPECT_EQ(area.y, c.y);
  EXPECT_EQ(area.width, c.w);
  EXPECT_EQ(area.height, c.h);
  Frames(2);
  std::vector<unsigned char> menu = Frame(("MainMenu_" + Name(c)).c_str());
  // The bars are the game's deep green lawn, not black or the clear colour.
  const bool bars = c.x > 0 || c.y > 0;
  const int bx = c.x > 0 ? c.x / 2 : c.width / 2, by = c.y > 0 ? c.y / 2 : c.height / 2;
  if (bars) {
    const unsigned char *p = At(menu, bx, by);
    EXPECT_GT(p[1], p[0] + 10) << "bar pixel " << int(p[0]) << "," << int(p[1]) << "," << int(p[2]);
    EXPECT_GT(p[1], p[2] + 10);
    EXPECT_GT(int(p[0]) + p[1] + p[2], 60);
  }

  // A popup over the menu darkens the bars with the picture, and its OK pressed where it is
  // drawn closes it.
  ASSERT_EQ(Root()->PopupMessage("Quarrelwick", "The picture keeps its shape in any window."), 1);
  Frames(2);
  std::vector<unsigned char> asked = Frame(("MenuPopup_" + Name(c)).c_str());
  if (bars) {
    const unsigned char *before = At(menu, bx, by), *under = At(asked, bx, by);
    EXPECT_LT(int(under[0]) + under[1] + under[2], int(before[0]) + before[1] + before[2] - 15);
  }
  AnswerYes();
  EXPECT_EQ(Root()->PopupIsOn(), 0);

  level_garden = 0;
  level_difficulty = 0;
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  main_game->ReturnToGame();
  cash = 5000;
  game_paused = 1;
  float fx = 0, fy = 0;
  bool placed = false;
  // Low enough for the popup to stand over it.
  for (fy = 0.2f; fy < 0.8f && !placed; fy += 0.05f)
    for (fx = -0.3f; fx < 0.5f && !placed; fx += 0.05f)
      if (WeaponsCanPlaceWeaponHere(0, fx, fy, 0)) placed = WeaponsCreateNew(0, fx, fy, 0, 0) ? true : false;
  ASSERT_TRUE(placed);
  ASSERT_EQ(num_weapons, 1);
  const Weapon *w = weapons[0];
  ASSERT_NE(w, nullptr);
  int cx = 0, cy = 0, away_x = 0, away_y = 0;
  FieldToPixel(w->x, w->y, &cx, &cy);
  FieldToPixel(w->x < 0 ? 0.8f : -0.6f, 0.8f, &away_x, &away_y);
  PushMotion(away_x, away_y);
  Frames(2);
  std::vector<unsigned char> plain = Frame();
  PushMotion(cx, cy);
  Frames(2);
  ASSERT_EQ(w->highlighted, 1) << "the pointer at the drawn centre is over the weapon";
  std::vector<unsigned char> shown = Frame(("PlayField_" + Name(c)).c_str());

  // The disc's radius in the field's units, as drawn: at most this far across on screen.
  const float reach = w->half_size + weapon_type_level_details[w->type][w->level].range;
  const int limit = int(reach * QW_FIELD_WIDTH * 0.5f * float(c.w) / 640.0f * 1.6f) + 4;
  Box box;
  for (int y = std::max(0, cy - limit); y < std::min(m_window_height, cy + limit); y++)
    for (int x = std::max(0, cx - limit); x < std::min(m_window_width, cx + limit); x++) {
      const unsigned char *a = At(plain, x, y), *b = At(shown, x, y);
      if (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) < 24) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  ASSERT_GT(box.right, box.left) << "no range disc drawn";
  EXPECT_NEAR(box.Width(), box.Height(), 2) << "disc " << box.Width() << " by " << box.Height();
  EXPECT_NEAR((box.left + box.right) / 2, cx, 2);
  EXPECT_NEAR((box.top + box.bottom) / 2, cy, 2);

  // A press in a bar, level with the weapon, hits nothing.
  if (c.x > 0) {
    PushClick(c.x / 2, cy);
    EXPECT_EQ(weapon_info_shown, -1);
    PushClick(c.x + c.w + (c.width - c.x - c.w) / 2, cy);
    EXPECT_EQ(weapon_info_shown, -1);
  }
  if (c.y > 0) {
    PushClick(cx, c.y / 2);
    EXPECT_EQ(weapon_info_shown, -1);
  }
  PushClick(cx, cy);
  Frames(2);
  EXPECT_EQ(weapon_info_shown, 0);
  ASSERT_NE(g_popup_cc, nullptr);
  MWinWindow *popup = g_popup_cc->GetWeaponWindow();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->IsShown(), 1);
  // The popup stands over the weapon, its foot on the weapon's box, where both are drawn.
  const _Dimension *pa = popup->GetOrigArea();
  const _Dimension weapon_box = PopupWeaponBox(w->x, w->y, w->size);
  EXPECT_NEAR(PixelX(pa->x + pa->width / 2), float(cx), 2.0f);
  EXPECT_NEAR(PixelY(pa->y + pa->height), PixelY(weapon_box.y + weapon_box.height), 1.0f);
  Frame(("WeaponPopup_" + Name(c)).c_str());

  // The shop's popup stands beside the box the pointer is on, as drawn.
  PushClick(cx, cy);
  int open_box = 0;
  while (open_box < QW_SIDEBAR_BOXES && !sb_button_on[open_box]) open_box++;
  ASSERT_LT(open_box, QW_SIDEBAR_BOXES);
  // The column draws its 256 by 1024 picture over 100 by 450 design units.
  const EngInt32 *p = sb_lb_pos[open_box];
  const _Dimension shop_box = {float(p[0]) * 100.0f / 256.0f, float(p[1]) * 450.0f / 1024.0f,
                               float(p[2] - p[0]) * 100.0f / 256.0f, float(p[3] - p[1]) * 450.0f / 1024.0f};
  PushMotion(int(PixelX(shop_box.x + shop_box.width / 2)), int(PixelY(shop_box.y + shop_box.height / 2)));
  Frames(2);
  EXPECT_EQ(sbl_over_what, open_box);
  MWinWindow *shop = g_popup_cc->GetSidebarWindow();
  ASSERT_NE(shop, nullptr);
  ASSERT_EQ(shop->IsShown(), 1);
  EXPECT_NEAR(PixelX(shop->GetOrigArea()->x), PixelX(shop_box.x + shop_box.width + 10), 1.0f);
  Frame(("ShopPopup_" + Name(c)).c_str());
  // A press on the box, where it is drawn, takes up its factory to place.
  PushClick(int(PixelX(shop_box.x + shop_box.width / 2)), int(PixelY(shop_box.y + shop_box.height / 2)));
  EXPECT_EQ(play_state, QW_PLAY_PLACING);
  PushMotion(cx, cy - c.h / 12);
  Frames(2);
  Frame(("Placing_" + Name(c)).c_str());
}

INSTANTIATE_TEST_SUITE_P(Windows, WideWindowDisplayTest, ::testing::ValuesIn(kWindows),
                         [](const ::testing::TestParamInfo<WindowCase> &info) { return Name(info.param); });

}  // namespace
