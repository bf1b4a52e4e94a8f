// Windows of other shapes than the design's: the real program started in-process under Xvfb at
// 4:3, 16:9 and 3:4. The 640 by 480 design space is stretched over the whole window; the toolkit
// squeezes its windows by the widescreen and narrowscreen ratios, and the players screen's splash
// is kept square. Read back from the screen: the menu's background fills the window, a squeezed
// button keeps its shape, the splash is square, the range disc reaches as far on each axis as
// the targeting rule does, and a press where a thing is drawn presses it. With
// QW_SCREENSHOT_DIR set, the screens are left there for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/EngJpeg.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPicture.h"
#include "game/Bugs.h"
#include "game/Levels.h"
#include "game/PlayField.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Traverse.h"
#include "game/Tutorial.h"
#include "game/Weapons.h"
#include "players/Splash.h"
#include "screens/PopupCC.h"
#include "tests/screens/ScreensProgramTestSupport.h"

namespace {

struct WindowCase {
  int width, height;
};

const WindowCase kWindows[] = {{1024, 768}, {1280, 720}, {720, 960}};

std::string Name(const WindowCase &c) { return std::to_string(c.width) + "x" + std::to_string(c.height); }

// The box round the pixels that differ clearly between two frames, within a rectangle.
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool Found() const { return right >= left && bottom >= top; }
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  float CentreX() const { return (left + right + 1) * 0.5f; }
  float CentreY() const { return (top + bottom + 1) * 0.5f; }
};

class WideWindowDisplayTest : public qwtest::ScreensProgramTest, public ::testing::WithParamInterface<WindowCase> {
 protected:
  WideWindowDisplayTest() {
    m_window_width = GetParam().width;
    m_window_height = GetParam().height;
  }
  void BeforeProgramStart() override { TutorialSetOptionForTests(0); }
  void AfterProgramStop() override { TutorialSetOptionForTests(-1); }

  // Design units to window pixels: the design space over the whole window.
  float PixelX(float design_x) const { return design_x * float(m_window_width) / 640.0f; }
  float PixelY(float design_y) const { return design_y * float(m_window_height) / 480.0f; }
  // A point of the play field (-1..1 both ways) there.
  void FieldToPixel(float fx, float fy, int *px, int *py) const {
    *px = int(PixelX(QW_FIELD_LEFT + (fx + 1.0f) * QW_FIELD_WIDTH * 0.5f) + 0.5f);
    *py = int(PixelY(QW_FIELD_TOP + (fy + 1.0f) * QW_FIELD_HEIGHT * 0.5f) + 0.5f);
  }
  // Pixels per field unit on each axis.
  float FieldUnitX() const { return PixelX(QW_FIELD_WIDTH * 0.5f); }
  float FieldUnitY() const { return PixelY(QW_FIELD_HEIGHT * 0.5f); }
  const unsigned char *At(const std::vector<unsigned char> &f, int x, int y) const {
    return &f[(size_t(y) * size_t(m_window_width) + size_t(x)) * 3];
  }
  Box Changed(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b, int threshold, int x0 = 0,
              int y0 = 0, int x1 = 1 << 30, int y1 = 1 << 30) const {
    Box box;
    for (int y = std::max(0, y0); y < std::min(m_window_height, y1); y++)
      for (int x = std::max(0, x0); x < std::min(m_window_width, x1); x++) {
        const unsigned char *p = At(a, x, y), *q = At(b, x, y);
        if (std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) < threshold) continue;
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
      }
    return box;
  }
  // Where a widget is drawn: what changes when it is hidden.
  Box DrawnBox(MWinButton *button) {
    const std::vector<unsigned char> shown = Frame();
    button->SetShownFlag(0);
    const std::vector<unsigned char> hidden = Frame();
    button->SetShownFlag(1);
    Frames(1);
    return Changed(shown, hidden, 30);
  }
};

TEST_P(WideWindowDisplayTest, TheMenuFillsTheWindowKeepsItsButtonsShapeAndPressesWhereDrawn) {
  const WindowCase &c = GetParam();
  const float w = float(c.width), h = float(c.height);
  EXPECT_FLOAT_EQ(eng_main_window_x_ratio, w / 640.0f);
  EXPECT_FLOAT_EQ(eng_main_window_y_ratio, h / 480.0f);
  EXPECT_NEAR(eng_main_window_x_widescreen_ratio, std::min(1.0f, h / w * 4.0f / 3.0f), 1e-6f);
  EXPECT_FLOAT_EQ(eng_main_window_y_narrowscreen_ratio, std::min(1.0f, w / h));
  Frames(2);
  const std::vector<unsigned char> menu = Frame(("MainMenu_" + Name(c)).c_str());

  // The background is stretched over the whole window: along its left, right and bottom edges,
  // clear of the widgets, the window shows what the picture shows at the same fraction of its
  // own size (nearly everywhere: a sharp edge in the picture may fall on a sample).
  int bw = 0, bh = 0;
  unsigned char *bg = EngJpegReadFileToBuffer((m_resources + "/MenuBg.jpg").c_str(), &bw, &bh);
  ASSERT_NE(bg, nullptr);
  auto like_the_picture = [&](float u, float v) {
    float window_rgb[3] = {0, 0, 0}, picture_rgb[3] = {0, 0, 0};
    const int wx = int(u * w), wy = int(v * h), px = int(u * float(bw)), py = int(v * float(bh));
    const int wr = 3, pr = std::max(1, int(3.0f * float(bw) / w));
    int wn = 0, pn = 0;
    for (int y = wy - wr; y <= wy + wr; y++)
      for (int x = wx - wr; x <= wx + wr; x++, wn++)
        for (int k = 0; k < 3; k++) window_rgb[k] += At(menu, x, y)[k];
    for (int y = py - pr; y <= py + pr; y++)
      for (int x = px - pr; x <= px + pr; x++, pn++)
        for (int k = 0; k < 3; k++) picture_rgb[k] += bg[(size_t(y) * size_t(bw) + size_t(x)) * 3 + size_t(k)];
    float differ = 0;
    for (int k = 0; k < 3; k++) differ += std::fabs(window_rgb[k] / float(wn) - picture_rgb[k] / float(pn));
    return differ < 45.0f;
  };
  struct Edge {
    const char *name;
    float u0, v0, du, dv;
  } lines[] = {{"left edge", 0.02f, 0.02f, 0, 0.024f}, {"left side", 0.1f, 0.02f, 0, 0.024f},
               {"right side", 0.9f, 0.02f, 0, 0.024f}, {"right edge", 0.98f, 0.02f, 0, 0.024f},
               {"bottom", 0.02f, 0.98f, 0.024f, 0},    {"path", 0.02f, 0.93f, 0.024f, 0}};
  for (const Edge &e : lines) {
    int alike = 0;
    for (int i = 0; i < 41; i++) alike += like_the_picture(e.u0 + e.du * float(i), e.v0 + e.dv * float(i)) ? 1 : 0;
    EXPECT_GE(alike, 36) << "along the " << e.name;
  }
  EngFree(bg, 0, "test");

  // A button of the squeezed menu, read back from the screen, is drawn at its squeezed size:
  // its face (the actual area) with at most the texture's own rim round it (the render area).
  // On 4:3 and 16:9 windows the face keeps the design's proportions; on a window narrower than
  // square the desktop's narrowscreen ratio, width / height, keeps them only as far as a square
  // window would show them.
  MWinButton *play = Menu()->mwinMainMainPlayButton;
  ASSERT_NE(play, nullptr);
  const Box drawn = DrawnBox(play);
  ASSERT_TRUE(drawn.Found());
  const _Dimension *face = play->GetActualArea(), *rim = play->GetRenderArea(), *orig = play->GetOrigArea();
  EXPECT_GE(drawn.Width() + 1, PixelX(face->width));
  EXPECT_LE(drawn.Width() - 1, PixelX(rim->width));
  EXPECT_GE(drawn.Height() + 1, PixelY(face->height));
  EXPECT_LE(drawn.Height() - 1, PixelY(rim->height));
  EXPECT_NEAR(drawn.CentreX(), PixelX(face->x + face->width / 2), 2.0f);
  EXPECT_NEAR(drawn.CentreY(), PixelY(face->y + face->height / 2), 2.0f);
  const float sx = eng_main_window_x_widescreen_ratio * eng_main_window_x_ratio;
  const float sy = eng_main_window_y_narrowscreen_ratio * eng_main_window_y_ratio;
  EXPECT_NEAR(PixelX(face->width), orig->width * sx, 0.5f);
  EXPECT_NEAR(PixelY(face->height), orig->height * sy, 0.5f);
  if (w / h >= 4.0f / 3.0f - 1e-4f) {
    EXPECT_NEAR(sx / sy, 1.0f, 1e-5f) << "keeps its proportions";
  }

  // A press just beside where the button is drawn (inside where the unsqueezed button would
  // lie on a wide window) presses nothing; one in its middle, as drawn, presses it.
  MWinButton *options = Menu()->mwinMainMainOptionsButton;
  ASSERT_NE(options, nullptr);
  const Box at = DrawnBox(options);
  ASSERT_TRUE(at.Found());
  PushClick(at.left - 4, int(at.CentreY()));
  Frames(2);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  ClickAtPixel(int(at.CentreX()), int(at.CentreY()));
  Frames(2);
  EXPECT_EQ(Root()->GetCurrentScreen(), OPTIONS_SCREEN_ID);
  Frame(("Options_" + Name(c)).c_str());
  Screens()->GotoScreen(MAIN_SCREEN_ID, nullptr);
  Frames(2);

  // A popup over the menu: its OK pressed where it is drawn closes it.
  ASSERT_EQ(Root()->PopupMessage("Quarrelwick", "The design space fills the window."), 1);
  Frames(2);
  Frame(("MenuPopup_" + Name(c)).c_str());
  MWinButton *ok = Root()->PopupGetWindow()->GetButtonFromID("OK", 0);
  ASSERT_NE(ok, nullptr);
  const _Dimension *oa = ok->GetActualArea();
  ClickAtPixel(int(PixelX(oa->x + oa->width / 2)), int(PixelY(oa->y + oa->height / 2)));
  Frames(2);
  EXPECT_EQ(Root()->PopupIsOn(), 0);
}

TEST_P(WideWindowDisplayTest, ThePlayersScreenSplashIsSquareOnTheScreen) {
  const WindowCase &c = GetParam();
  Screens()->GotoScreen(USERS_SCREEN_ID, nullptr);
  Frames(3);
  ASSERT_EQ(SplashIsOn(), 1);
  const std::vector<unsigned char> with = Frame(("Players_" + Name(c)).c_str());
  const _Dimension area = *SplashGetPicture()->GetDrawArea();
  SplashEnd();
  const std::vector<unsigned char> without = Frame();
  // The round garden in its wooden ring, read back: the clear changes where the splash was.
  const Box garden = Changed(with, without, 90, int(PixelX(area.x)) - 2, int(PixelY(area.y)) - 2,
                             int(PixelX(area.x + area.width)) + 3, int(PixelY(area.y + area.height)) + 3);
  ASSERT_TRUE(garden.Found());
  EXPECT_NEAR(garden.Width(), garden.Height(), 0.03f * garden.Height() + 2)
      << garden.Width() << " by " << garden.Height();
  EXPECT_NEAR(garden.CentreX(), PixelX(320), 3);
  // The draw area itself: as many pixels across as down, centred on 320 and, on a window
  // narrower than square, narrowed about its middle.
  EXPECT_NEAR(PixelX(area.width), PixelY(area.height), 1.0f);
  EXPECT_FLOAT_EQ(area.height, 240.0f * eng_main_window_y_narrowscreen_ratio);
  EXPECT_FLOAT_EQ(area.y + area.height / 2, 255.0f);
}

TEST_P(WideWindowDisplayTest, TheRangeDiscReachesAsTheTargetingDoesAndPressesActWhereDrawn) {
  const WindowCase &c = GetParam();
  level_garden = 0;
  level_difficulty = 0;
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  main_game->ReturnToGame();
  // Only the disc may change between the frames without and with it: the LEVEL banner, fading
  // over the field's middle, is taken away, and the clock moves only with the frames.
  HoldClock();
  LevelsTurnOffLevelText();
  cash = 5000;
  game_paused = 1;
  const int type = 1;
  float fx = 0, fy = 0;
  bool placed = false;
  // Room round it for the whole disc inside the field, low enough for the popup to stand over.
  for (fy = 0.2f; fy < 0.5f && !placed; fy += 0.05f)
    for (fx = -0.4f; fx < 0.5f && !placed; fx += 0.05f)
      if (WeaponsCanPlaceWeaponHere(type, fx, fy, 0)) placed = WeaponsCreateNew(type, fx, fy, 0, 0) ? true : false;
  ASSERT_TRUE(placed);
  ASSERT_EQ(num_weapons, 1);
  const Weapon *weapon = weapons[0];
  ASSERT_NE(weapon, nullptr);
  const float range = weapon_type_level_details[weapon->type][weapon->level].range;
  const float reach = weapon->half_size + range;
  ASSERT_LT(std::fabs(weapon->x) + reach, 1.0f);
  ASSERT_LT(std::fabs(weapon->y) + reach, 1.0f);
  int cx = 0, cy = 0, away_x = 0, away_y = 0;
  FieldToPixel(weapon->x, weapon->y, &cx, &cy);
  FieldToPixel(weapon->x < 0 ? 0.85f : -0.85f, -0.85f, &away_x, &away_y);
  PushMotion(away_x, away_y);
  Frames(2);
  const std::vector<unsigned char> plain = Frame();
  PushMotion(cx, cy);
  Frames(2);
  ASSERT_EQ(weapon->highlighted, 1) << "the pointer at the drawn centre is over the weapon";
  const std::vector<unsigned char> shown = Frame(("PlayField_" + Name(c)).c_str());

  // The disc as drawn: the square of half size `reach` in field units, so on the screen as
  // wide and as high as the field's units are on each axis (its rim lies just inside).
  const int limit_x = int(reach * FieldUnitX() * 1.3f) + 4, limit_y = int(reach * FieldUnitY() * 1.3f) + 4;
  const Box disc = Changed(plain, shown, 24, cx - limit_x, cy - limit_y, cx + limit_x, cy + limit_y);
  ASSERT_TRUE(disc.Found()) << "no range disc drawn";
  EXPECT_NEAR(disc.CentreX(), cx, 2);
  EXPECT_NEAR(disc.CentreY(), cy, 2);
  const float edge_x = disc.Width() * 0.5f / FieldUnitX(), edge_y = disc.Height() * 0.5f / FieldUnitY();
  EXPECT_NEAR(edge_x, reach, 0.03f * reach + 1.5f / FieldUnitX()) << "across";
  EXPECT_NEAR(edge_y, reach, 0.03f * reach + 1.5f / FieldUnitY()) << "down";

  // The targeting rule reaches sqrt(range^2 + bug size) from the weapon; with a bug of the size
  // that makes that half + range, a bug just inside the drawn edge is taken and one just outside
  // is not, across and down alike.
  ASSERT_GT(traverse_info.num_steps, 10);
  const float size_before = bug_size;
  BugsSetBugSize(reach * reach - range * range);
  // The wave's own bugs (queued before the road) stand aside for one on the road.
  const EngInt32 num_before = num_bugs;
  Bug *const first_before = bugs[0];
  num_bugs = 1;
  bugs[0] = new Bug(0, 0);
  bugs[0]->path_pos = float(traverse_info.num_steps / 2);
  bugs[0]->CalcState();
  ASSERT_EQ(bugs[0]->on_screen, 1);
  const float bx = bugs[0]->GetScreenX(), by = bugs[0]->GetScreenY();
  for (const float k : {0.95f, 1.05f}) {
    const int want = k < 1.0f ? 0 : -1;
    EXPECT_EQ(BugsGetTargetBugWithinRange(bx - k * edge_x, by, range, 0), want) << "across, " << k << " of the edge";
    EXPECT_EQ(BugsGetTargetBugWithinRange(bx, by + k * edge_y, range, 0), want) << "down, " << k << " of the edge";
  }
  delete bugs[0];
  bugs[0] = first_before;
  num_bugs = num_before;
  BugsSetBugSize(size_before);

  // A press where the weapon is drawn selects it; the popup stands over it, centred on it as
  // drawn (the toolkit squeezes it about its own middle).
  PushClick(cx, cy);
  Frames(2);
  EXPECT_EQ(weapon_info_shown, 0);
  ASSERT_NE(g_popup_cc, nullptr);
  MWinWindow *popup = g_popup_cc->GetWeaponWindow();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->IsShown(), 1);
  const _Dimension *pa = popup->GetActualAreaReal();
  EXPECT_NEAR(PixelX(pa->x + pa->width / 2), float(cx), 2.0f);
  const _Dimension *po = popup->GetOrigArea();
  const _Dimension weapon_box = PopupWeaponBox(weapon->x, weapon->y, weapon->size);
  EXPECT_NEAR(po->y + po->height, weapon_box.y + weapon_box.height, 0.5f);
  Frame(("WeaponPopup_" + Name(c)).c_str());

  // The shop's popup stands beside the box the pointer is on, as the column draws it.
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
  EXPECT_NEAR(shop->GetOrigArea()->x, shop_box.x + shop_box.width + 10, 0.5f);
  EXPECT_GT(shop->GetActualAreaReal()->x, shop_box.x + shop_box.width);
  Frame(("ShopPopup_" + Name(c)).c_str());
  // A press on the box, where it is drawn, takes up its factory to place.
  PushClick(int(PixelX(shop_box.x + shop_box.width / 2)), int(PixelY(shop_box.y + shop_box.height / 2)));
  EXPECT_EQ(play_state, QW_PLAY_PLACING);
  PushMotion(cx, cy - c.height / 12);
  Frames(2);
  Frame(("Placing_" + Name(c)).c_str());
  // The menu button of the bottom bar, pressed where it is drawn, brings the pause screen.
  PushButton(cx, cy - c.height / 12, true, SDL_BUTTON_RIGHT);
  PushButton(cx, cy - c.height / 12, false, SDL_BUTTON_RIGHT);
  PushClick(int(PixelX(608)), int(PixelY(465)));
  Frames(2);
  EXPECT_EQ(Root()->GetCurrentScreen(), PAUSE_SCREEN_ID);
  Frame(("Pause_" + Name(c)).c_str());
}

INSTANTIATE_TEST_SUITE_P(Windows, WideWindowDisplayTest, ::testing::ValuesIn(kWindows),
                         [](const ::testing::TestParamInfo<WindowCase> &info) { return Name(info.param); });

}  // namespace
