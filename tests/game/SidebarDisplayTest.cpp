// The shop column and bottom bar on a real OpenGL device: the boxes stamped into the column
// (bright, darkened but not black, empty once the factory is bought, nothing outside the
// boxes touched), missing or broken pictures named, and garden 0 in play with the shop, the
// bar and the first hint left as a screenshot in the build folder.
#include "game/Sidebar.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinScreens.h"
#include "game/Bugs.h"
#include "game/Game.h"
#include "game/Levels.h"
#include "game/Program.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
#include "game/Tutorial.h"
#include "game/Weapons.h"
#include "screens/VQ_Screens.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"
#include "tests/game/PlayFieldDisplaySupport.h"
#include "tests/support/TestSupport.h"

namespace {

// Absolute, so it holds after the tests change folder.
std::string BuildDir() {
  static const std::string dir = [] {
    char path[4096];
    return std::string(realpath(qwtest::BinaryDir().c_str(), path) ? path : ".");
  }();
  return dir;
}
std::string Resources() { return BuildDir() + "/resources"; }

class SidebarDisplayTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    qwtest::DeviceTest::SetUp();
    BuildDir();
    qwtest::ResetLogInWorkingFolder();
    qwtest::ResetPlayFieldModules();
    srand(5);
    eng_main_current_time = 100.0;
    qwtest::UseUnitWindowRatios();
    eng_main_window_x_widescreen_ratio = 1.0f;
    ASSERT_TRUE(m_cwd.Enter(Resources()));
    ASSERT_EQ(QuarrelwickPre3dInit(), 1);
  }
  void TearDown() override {
    main_game = nullptr;
    qwtest::ResetPlayFieldModules();
    if (m_game) {
      m_game->GetScreens()->RemoveAllScreens();
      m_game->DeleteGraphics();
    }
    delete m_game;
    delete m_program;
    EngProgramSetResourcesPathForTests(nullptr);
    ASSERT_TRUE(m_cwd.Restore());
    DebugResetForTests();
    qwtest::DeviceTest::TearDown();
  }
  // The game made over the real resources, a new game in garden 0 with the tutorial on.
  void StartGardenZeroWithTheTutorial() {
    // Kept by pointer: the string must outlive the program.
    m_resources = Resources();
    EngProgramSetResourcesPathForTests(m_resources.c_str());
    m_program = new Program();
    m_game = new Game(m_program, "Game", 0);
    ASSERT_EQ(m_game->Pre3dInit(), 1);
    ASSERT_EQ(m_game->CreateGraphics(), 1);
    main_game = m_game;
    TutorialSetOptionForTests(1);
    level_garden = 0;
    ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  }
  qwtest::WorkingFolder m_cwd;
  std::string m_resources;
  Program *m_program = nullptr;
  Game *m_game = nullptr;
};

struct Picture {
  std::vector<unsigned char> px;  // RGB or RGBA, rows top first
  int w = 0, channels = 3;
  const unsigned char *At(int x, int y) const {
    return &px[(size_t(y) * size_t(w) + size_t(x)) * size_t(channels)];
  }
};

Picture Read(EngTexture *t) {
  Picture p;
  p.px = qwtest::ReadTexture(t);
  p.w = t->GetWidth();
  p.channels = t->GetNumChannels();
  EXPECT_EQ(p.px.size(), size_t(p.w) * size_t(t->GetHeight()) * size_t(p.channels));
  return p;
}

bool InAnyBox(int x, int y) {
  for (const auto &p : sb_lb_pos)
    if (x >= p[0] && x < p[2] && y >= p[1] && y < p[3]) return true;
  return false;
}

float Luminance(const unsigned char *p) { return 0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2]; }

TEST_F(SidebarDisplayTest, ColumnShowsBrightLockedAndBoughtBoxes) {
  ASSERT_EQ(WeaponsCreateGraphics(), 1);
  // The gun factory at level 2: boxes 0 and 1 bright.
  factory_levels[0] = 2;
  ASSERT_EQ(SidebarCreateGraphics(), 1);
  ASSERT_NE(sb_left_tex, nullptr);
  ASSERT_NE(sb_bottom_tex, nullptr);
  ASSERT_EQ(sb_left_tex->GetWidth(), 256);
  ASSERT_EQ(sb_left_tex->GetHeight(), 1024);
  Picture bright = Read(sb_left_tex);

  // The gun factory back at level 1 and the spray factory bought.
  factory_levels[0] = 1;
  factory_levels[1] = 1;
  ASSERT_EQ(SidebarUpdateFactories(0), 1);
  Picture now = Read(sb_left_tex);
  EngTexture plain_tex;
  ASSERT_EQ(plain_tex.LoadFromFile("SideLeft1024.jpg", 0, 0, 0), 1);
  Picture plain = Read(&plain_tex);

  int outside_changed = 0;
  for (int y = 0; y < 1024; y++)
    for (int x = 0; x < 256; x++)
      if (!InAnyBox(x, y))
        for (int c = 0; c < 3; c++) outside_changed += now.At(x, y)[c] != plain.At(x, y)[c];
  EXPECT_EQ(outside_changed, 0);

  // Box 0 is as bright as before; box 1 is locked: every pixel darkened to 45 %, the weapon
  // still there, not black.
  const EngInt32 *b0 = sb_lb_pos[0], *b1 = sb_lb_pos[1];
  int box0_changed = 0, box1_off = 0;
  float box1_lum = 0, box1_bright_lum = 0;
  for (int y = b0[1]; y < b0[3]; y++)
    for (int x = b0[0]; x < b0[2]; x++)
      for (int c = 0; c < 3; c++) box0_changed += now.At(x, y)[c] != bright.At(x, y)[c];
  for (int y = b1[1]; y < b1[3]; y++)
    for (int x = b1[0]; x < b1[2]; x++) {
      for (int c = 0; c < 3; c++) box1_off += std::abs(now.At(x, y)[c] - bright.At(x, y)[c] * 115 / 255) > 2;
      box1_lum += Luminance(now.At(x, y));
      box1_bright_lum += Luminance(bright.At(x, y));
    }
  EXPECT_EQ(box0_changed, 0);
  EXPECT_EQ(box1_off, 0);
  const float n1 = float((b1[2] - b1[0]) * (b1[3] - b1[1]));
  EXPECT_GT(box1_lum / n1, 40.0f);
  EXPECT_LT(box1_lum / box1_bright_lum, 0.5f);

  // Boxes 9 and 10 (both factories bought) are the same empty cream box; box 11 still offers
  // its factory, box 0 shows its weapon.
  auto centre = [&now](int box) {
    const EngInt32 *p = sb_lb_pos[box];
    return now.At((p[0] + p[2]) / 2, (p[1] + p[3]) / 2);
  };
  int different = 0;
  for (int y = 10; y < 70; y++)
    for (int x = 10; x < 60; x++)
      for (int c = 0; c < 3; c++)
        different += now.At(sb_lb_pos[9][0] + x, sb_lb_pos[9][1] + y)[c] !=
                     now.At(sb_lb_pos[10][0] + x, sb_lb_pos[10][1] + y)[c];
  EXPECT_EQ(different, 0);
  const unsigned char *empty = centre(10);
  EXPECT_GT(empty[0], 200);
  EXPECT_GT(empty[1], 180);
  EXPECT_GT(empty[2], 120);
  for (int box : {0, 11}) {
    const unsigned char *c = centre(box);
    EXPECT_GT(std::abs(c[0] - empty[0]) + std::abs(c[1] - empty[1]) + std::abs(c[2] - empty[2]), 60) << box;
  }

  // Unlocked and sold again, every box is as it first was: no darkening or picture is left
  // behind by the stamps before.
  factory_levels[0] = 2;
  factory_levels[1] = 0;
  ASSERT_EQ(SidebarUpdateFactories(0), 1);
  EXPECT_EQ(Read(sb_left_tex).px, bright.px);
}

void CopyFile(const std::string &from, const std::string &to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream out(to, std::ios::binary);
  out << in.rdbuf();
}

TEST_F(SidebarDisplayTest, MissingOrBrokenPicturesAreNamed) {
  qwtest::TempDir dir;
  const char *files[] = {
      "Cursor1.tga", "Cursor2.tga", "Range.tga", "Numbers.tga", "TurretBase.tga", "TurretTop.tga", "CannonBase.tga",
      "CannonTop.tga", "TankBase.tga", "TankTop.tga", "SpraySmall.tga", "SprayMedium.tga", "SprayLarge.tga",
      "RockThrowerBase.tga", "RockThrowerTop.tga", "GrenadeLauncherBase.tga", "GrenadeLauncherTop.tga",
      "MissileLauncherBase.tga", "MissileLauncherTop.tga", "BulletTurret.tga", "BulletCannon.tga",
      "BulletTank.tga", "BulletSpraySmall.tga", "BulletSprayMedium.tga", "BulletSprayLarge.tga", "BulletStone.tga",
      "BulletGrenade.tga", "BulletMissile.tga", "Factory.tga", "Box.tga", "Darken.tga", "SideLeft1024.jpg",
      "BotBar1024.jpg", "TutBox.png", "Explosion2.jpg"};
  for (const char *f : files) CopyFile(Resources() + "/" + f, dir.File(f));
  ASSERT_TRUE(m_cwd.Enter(dir.Path()));
  ASSERT_EQ(QuarrelwickCreateGraphics(), 1);
  QuarrelwickDestroyGraphics();

  struct Case {
    const char *file;
    bool broken;  // else missing
  } cases[] = {{"SideLeft1024.jpg", false}, {"BotBar1024.jpg", true}, {"Darken.tga", true}, {"Box.tga", false}};
  for (const Case &k : cases) {
    SCOPED_TRACE(k.file);
    if (k.broken)
      std::ofstream(dir.File(k.file), std::ios::binary) << "not a picture";
    else
      ASSERT_EQ(unlink(dir.File(k.file).c_str()), 0);
    std::string log = Logged([] { EXPECT_EQ(QuarrelwickCreateGraphics(), 0); });
    EXPECT_NE(log.find(k.file), std::string::npos) << log;
    EXPECT_NE(log.find("SidebarCreateGraphics() failed"), std::string::npos) << log;
    QuarrelwickDestroyGraphics();
    CopyFile(Resources() + "/" + k.file, dir.File(k.file));
  }

  // The tutorial's picture: with the option off nothing is loaded; with it on a missing
  // picture is logged and play goes on without hints.
  level_garden = -1;
  ASSERT_EQ(QuarrelwickCreateGraphics(), 1);
  TutorialSetOptionForTests(0);
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  EXPECT_EQ(tut_box_tex, nullptr);
  TutorialSetOptionForTests(1);
  TutorialAdvanceIfNeeded();
  EXPECT_NE(tut_box_tex, nullptr);
  QuarrelwickDestroyGraphics();
  ASSERT_EQ(unlink(dir.File("TutBox.png").c_str()), 0);
  std::string log = Logged([] {
    EXPECT_EQ(QuarrelwickCreateGraphics(), 1);
    TutorialAdvanceIfNeeded();
  });
  EXPECT_NE(log.find("TutBox.png"), std::string::npos) << log;
  EXPECT_NE(log.find("TutorialCreateGraphics() failed"), std::string::npos) << log;
  EXPECT_EQ(tut_on, 1);
  EXPECT_EQ(tut_box_tex, nullptr);
  // Asked again, it does not fill the log.
  log = Logged([] { TutorialAdvanceIfNeeded(); });
  EXPECT_EQ(log.find("TutBox.png"), std::string::npos) << log;
  device->PrepareFor2D(1);
  QuarrelwickRender();
  device->RestoreAfter2D();
}

TEST_F(SidebarDisplayTest, GardenZeroInPlayWithTheShopTheBarAndTheFirstHint) {
  ASSERT_NO_FATAL_FAILURE(StartGardenZeroWithTheTutorial());
  ASSERT_EQ(tut_on, 0);
  ASSERT_NE(tut_box_tex, nullptr);
  game_per_second = 0.05f;
  for (int i = 0; i < 30; i++) TutorialTick();
  EXPECT_EQ(tut_stage, 2);
  QuarrelwickMoveMouse(330, 200);
  device->PrepareFor2D(1);
  device->SetClearColour(0.0f, 0.0f, 0.0f);
  device->ClearScreen();
  QuarrelwickRender();
  std::vector<unsigned char> frame = qwtest::ReadFrameRgb();
  device->RestoreAfter2D();
  std::string shot = BuildDir() + "/SidebarShot.jpg";
  EXPECT_TRUE(EngJpegWriteFileFromBuffer(shot.c_str(), 92, 72, 640, 480, frame.data()));
  auto at = [&frame](int x, int y) { return &frame[(size_t(y) * 640 + size_t(x)) * 3]; };

  // The hint's box is held inside the screen, at its left edge above the factory row.
  EXPECT_EQ(tut_box_dim.x, 0.0f);
  EXPECT_LE(tut_box_dim.x + tut_box_dim.width, 640.0f);
  _Dimension factory9;
  ASSERT_EQ(SidebarGetSideButtonPosition(9, 1, 0, 0, &factory9), 1);
  EXPECT_LT(tut_box_dim.y + tut_box_dim.height, factory9.y);
  // Its frame is drawn white, and the red highlight runs round the factory boxes.
  const _Dimension &h = tut_highlight_dims[0];
  int white = 0, red = 0;
  for (int x = int(tut_box_dim.x) + 10; x < int(tut_box_dim.x + tut_box_dim.width) - 10; x++) {
    const unsigned char *p = at(x, int(tut_box_dim.y) + 1);
    white += p[0] > 180 && p[1] > 180 && p[2] > 180;
  }
  for (int x = int(h.x) + 6; x < int(h.x + h.width) - 6; x++)
    for (int y : {int(h.y) + 1, int(h.y + h.height) - 2}) {
      const unsigned char *p = at(x, y);
      red += p[0] > 150 && p[1] < 90 && p[2] < 90;
    }
  EXPECT_GT(white, int(tut_box_dim.width) / 2);
  EXPECT_GT(red, int(h.width));

  // The bar's START text is white on the button face; the numbers are written in their wells.
  int text = 0;
  for (int y = 455; y < 476; y++)
    for (int x = 480; x < 545; x++) text += Luminance(at(x, y)) > 200;
  EXPECT_GT(text, 40);
  for (int left : {111, 280, 420}) {
    int bright = 0;
    for (int y = 455; y < 476; y++)
      for (int x = left; x < left + 20; x++) bright += Luminance(at(x, y)) > 170;
    EXPECT_GT(bright, 10) << left;
  }

  // A gun factory bought: its box empties, the Turret's box lights and the hint moves to it;
  // the wave runs. Left as a second screenshot.
  bool placed = false;
  for (float y = -0.9f; y < 0.9f && !placed; y += 0.1f)
    for (float x = -0.9f; x < 0.9f && !placed; x += 0.1f)
      if (WeaponsCanPlaceWeaponHere(9, x, y, 0)) placed = WeaponsCreateNew(9, x, y, 0, 0) == 1;
  ASSERT_TRUE(placed);
  EXPECT_EQ(sb_button_on[0], 1);
  EXPECT_EQ(sb_button_on[9], 0);
  TutorialAdvanceIfNeeded();
  EXPECT_STREQ(tut_text_str, "Place a weapon near the road.");
  for (int i = 0; i < 30; i++) TutorialTick();
  game_paused = 0;
  for (int i = 0; i < 200; i++) BugsTick();
  device->PrepareFor2D(1);
  device->ClearScreen();
  QuarrelwickRender();
  frame = qwtest::ReadFrameRgb();
  device->RestoreAfter2D();
  EXPECT_TRUE(EngJpegWriteFileFromBuffer((BuildDir() + "/SidebarShot2.jpg").c_str(), 92, 72, 640, 480, frame.data()));
  EXPECT_STREQ(SidebarGetButtonText(), "PAUSE");
}

// The wave texts stay inside the dark plaque at the top of the column, its frame untouched, for
// every bug's name after a one- or two-digit wave at any difficulty, at every window size. Told
// by the pixels alone: the plaque's inside is found on the column drawn bare, row by row out
// from its middle, and every pixel the texts change must lie in it.
TEST_F(SidebarDisplayTest, TheWaveTextsStayInsideTheirPlaqueAtEveryWindowSize) {
  ASSERT_NO_FATAL_FAILURE(StartGardenZeroWithTheTutorial());
  ASSERT_EQ(WeaponsCreateGraphics(), 1);
  ASSERT_EQ(SidebarCreateGraphics(), 1);
  EngFont *font = GameGetMainFont();
  ASSERT_NE(font, nullptr);
  struct Size {
    int w, h;
  } sizes[] = {{640, 480}, {320, 240}, {400, 300}, {640, 400}, {640, 360}, {360, 480}};
  std::vector<std::string> texts;
  for (int species = 0; species < BUGS_NUM_SPECIES; species++)
    for (const char *wave : {"1: ", "9T: ", "10: ", "99X: "}) {
      std::string text = std::string(wave) + bug_names[species];
      for (char &c : text) c = char(toupper(static_cast<unsigned char>(c)));
      texts.push_back(text);
    }
  // The longest of them is narrowed to the room the plaque leaves, and only what needs it.
  font->SetScale(0.74f, 0.8f);
  EXPECT_GT(font->GetStringWidth("99X: GLISCHROCHILUS"), SidebarGetWaveTextRoom());
  EXPECT_LT(font->GetStringWidth("1: ADONIA"), SidebarGetWaveTextRoom());
  auto dark = [](const unsigned char *p) { return p[0] + p[1] + p[2] < 260; };
  // The first wave's texts show; the hint's board, which may lie over the column, does not.
  bug_species = 0;
  tut_on = 1;
  for (const Size &size : sizes) {
    eng_main_window_width = size.w;
    eng_main_window_height = size.h;
    eng_main_window_x_ratio = float(size.w) / 640.0f;
    eng_main_window_y_ratio = float(size.h) / 480.0f;
    eng_main_window_x_ratio_inv = 1.0f / eng_main_window_x_ratio;
    eng_main_window_y_ratio_inv = 1.0f / eng_main_window_y_ratio;
    // The column alone, or with two texts, drawn as the program draws into a window of this size
    // (into the lower left of the test's window).
    auto draw = [&](const char *line1, const char *line2) {
      snprintf(level_str_1, sizeof(level_str_1), "%s", line1);
      snprintf(level_str_2, sizeof(level_str_2), "%s", line2);
      glViewport(0, 0, 640, 480);
      device->PrepareFor2D(1);
      device->SetClearColour(0.0f, 0.0f, 0.0f);
      device->ClearScreen();
      device->SetViewportFullScreen();
      QuarrelwickRender();
      std::vector<unsigned char> f = qwtest::ReadFrameRgb();
      device->RestoreAfter2D();
      glViewport(0, 0, 640, 480);
      return f;
    };
    auto at = [&](const std::vector<unsigned char> &f, int x, int y) {
      return &f[(size_t(480 - size.h + y) * 640 + size_t(x)) * 3];
    };
    const std::vector<unsigned char> bare = draw("", "");
    float cx = 0, top = 0, bottom = 0, ignored = 0;
    EngWindowDesignToPixel(50.0f, 4.0f, &cx, &top);
    EngWindowDesignToPixel(50.0f, 62.0f, &ignored, &bottom);
    for (const std::string &text : texts) {
      SCOPED_TRACE(text + " at " + std::to_string(size.w) + "x" + std::to_string(size.h));
      const std::vector<unsigned char> frame = draw(text.c_str(), "HP: 123456");
      int changed = 0, outside = 0;
      for (int y = std::max(0, int(top)); y < std::min(size.h, int(bottom)); y++) {
        // The plaque's inside on this row: dark, out from the middle; a row across its rivets
        // or its middle line is narrower or none.
        int left = int(cx), right = int(cx);
        if (!dark(at(bare, left, y))) left = right = -1;
        while (left > 0 && dark(at(bare, left - 1, y))) left--;
        while (right >= 0 && right + 1 < size.w && dark(at(bare, right + 1, y))) right++;
        for (int x = 0; x < std::min(size.w, int(cx) * 2 + 2); x++) {
          const unsigned char *p = at(frame, x, y), *q = at(bare, x, y);
          if (abs(p[0] - q[0]) + abs(p[1] - q[1]) + abs(p[2] - q[2]) <= 60) continue;
          changed++;
          if (x < left || x > right) outside++;
        }
      }
      EXPECT_GT(changed, 20);
      EXPECT_EQ(outside, 0);
      if (const char *dir = getenv("QW_SCREENSHOT_DIR"))
        if (text == texts.back())
          EngJpegWriteFileFromBuffer(
              (std::string(dir) + "/WaveText-" + std::to_string(size.w) + "x" + std::to_string(size.h) + ".jpg")
                  .c_str(),
              92, 72, 640, 480, frame.data());
    }
  }
  eng_main_window_width = 640;
  eng_main_window_height = 480;
  qwtest::UseUnitWindowRatios();
}

// The tutorial's red frame lies on its box, the box widened by the frame's margins, at every
// window shape: the play field is stretched over the window, so the frame and the column must
// come from the same design rectangle. Each shape is drawn into the lower left of the test's
// window, as the program draws into a window of that size; the column's positions were worked
// out at 4:3, as at start-up.
TEST_F(SidebarDisplayTest, TheTutorialFrameLiesOnItsBoxAtEveryWindowShape) {
  ASSERT_NO_FATAL_FAILURE(StartGardenZeroWithTheTutorial());
  struct Shape {
    const char *name;
    int w, h;
  } shapes[] = {{"4:3", 640, 480}, {"16:10", 640, 400}, {"16:9", 640, 360}, {"3:4", 360, 480}};
  // The hints in turn: the factory row, a weapon's box, the Start button.
  auto place = [](int type) {
    for (float y = -0.9f; y < 0.9f; y += 0.1f)
      for (float x = -0.9f; x < 0.9f; x += 0.1f)
        if (WeaponsCanPlaceWeaponHere(type, x, y, 0) && WeaponsCreateNew(type, x, y, 0, 0) == 1) return true;
    return false;
  };
  struct Step {
    const char *name;
    int first_box, last_box;  // -1: the Start button
    float x_margin, y_margin;
    int gun_factories, guns;  // bought before the hint
  } steps[] = {
      {"factories", 9, 11, 6, 11, 0, 0},
      {"weapon", 0, 0, 6, 11, 1, 0},
      {"start", -1, -1, 5, 3, 0, 2},
  };
  for (const Step &step : steps) {
    for (int i = 0; i < step.gun_factories; i++) ASSERT_TRUE(place(QW_FIRST_FACTORY_TYPE));
    for (int i = 0; i < step.guns; i++) ASSERT_TRUE(place(0));
    for (const Shape &shape : shapes) {
      SCOPED_TRACE(std::string(step.name) + " at " + shape.name);
      eng_main_window_width = shape.w;
      eng_main_window_height = shape.h;
      eng_main_window_x_ratio = float(shape.w) / 640.0f;
      eng_main_window_y_ratio = float(shape.h) / 480.0f;
      eng_main_window_x_ratio_inv = 1.0f / eng_main_window_x_ratio;
      eng_main_window_y_ratio_inv = 1.0f / eng_main_window_y_ratio;
      eng_main_window_x_widescreen_ratio = std::min(1.0f, float(shape.h) / float(shape.w) * 1.3333334f);
      TutorialAdvanceIfNeeded();
      ASSERT_EQ(tut_on, 0);
      game_per_second = 0.05f;
      for (int i = 0; i < 30; i++) TutorialTick();
      glViewport(0, 0, 640, 480);
      device->PrepareFor2D(1);
      device->SetClearColour(0.0f, 0.0f, 0.0f);
      auto draw = [&] {
        glViewport(0, 0, 640, 480);
        device->PrepareFor2D(1);
        device->SetClearColour(0.0f, 0.0f, 0.0f);
        device->ClearScreen();
        glViewport(0, 0, shape.w, shape.h);
        QuarrelwickRender();
        std::vector<unsigned char> f = qwtest::ReadFrameRgb();
        device->RestoreAfter2D();
        glViewport(0, 0, 640, 480);
        return f;
      };
      const std::vector<unsigned char> frame = draw();
      tut_on = 1;
      const std::vector<unsigned char> bare = draw();
      tut_on = 0;
      // The red frame's outer rectangle, in window pixels: red where the hint is drawn.
      int left = shape.w, right = -1, top = shape.h, bottom = -1;
      for (int y = 0; y < shape.h; y++)
        for (int x = 0; x < shape.w; x++) {
          const size_t at = (size_t(480 - shape.h + y) * 640 + size_t(x)) * 3;
          const unsigned char *p = &frame[at], *q = &bare[at];
          if (p[0] < 120 || p[0] < p[1] + 60 || p[0] < p[2] + 60 || abs(p[0] - q[0]) + abs(p[1] - q[1]) < 40) continue;
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      // The box as drawn: its texture pixels over the column's 100 by 450 units, or the Start
      // button's units in the bottom bar; widened by the margins.
      float bx0, by0, bx1, by1;
      if (step.first_box < 0) {
        bx0 = 468, bx1 = 555, by0 = 450, by1 = 480;
      } else {
        bx0 = float(sb_lb_pos[step.first_box][0]) * 100 / 256, by0 = float(sb_lb_pos[step.first_box][1]) * 450 / 1024;
        bx1 = float(sb_lb_pos[step.last_box][2]) * 100 / 256, by1 = float(sb_lb_pos[step.last_box][3]) * 450 / 1024;
      }
      bx0 -= step.x_margin, bx1 += step.x_margin, by0 -= step.y_margin, by1 = std::min(480.0f, by1 + step.y_margin);
      const float sx = float(shape.w) / 640.0f, sy = float(shape.h) / 480.0f;
      EXPECT_NEAR(left, bx0 * sx, 2.0);
      EXPECT_NEAR(right + 1, bx1 * sx, 2.0);
      EXPECT_NEAR(top, by0 * sy, 2.0);
      EXPECT_NEAR(bottom + 1, by1 * sy, 2.0);
      if (const char *dir = getenv("QW_SCREENSHOT_DIR"))
        EngJpegWriteFileFromBuffer((std::string(dir) + "/Tutorial-" + step.name + "-" + std::to_string(shape.w) + "x" +
                                    std::to_string(shape.h) + ".jpg")
                                       .c_str(),
                                   92, 72, 640, 480, frame.data());
    }
  }
}

}  // namespace
