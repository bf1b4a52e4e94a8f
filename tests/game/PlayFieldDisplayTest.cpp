// The play field drawn on a real OpenGL device: sprites face their travel through the sprite
// transform, the garden picture's outer band never shows, each wave's new bug pictures leave no
// sprite batches behind, and each generated garden is drawn and left as a screenshot in the
// build folder.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngMain.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "benchmarks/GameScene.h"
#include "game/Bugs.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Sprites.h"
#include "game/Traverse.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"
#include "tests/game/PlayFieldDisplaySupport.h"
#include "tests/support/TestSupport.h"

namespace {

class PlayFieldDisplayTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    qwtest::DeviceTest::SetUp();
    qwtest::ResetPlayFieldModules();
    srand(3);
    qwtest::UseUnitWindowRatios();
    device->PrepareFor2D(1);
    device->SetClearColour(0.0f, 0.0f, 0.0f);
    device->ClearScreen();
  }
  void TearDown() override {
    device->RestoreAfter2D();
    qwtest::ResetPlayFieldModules();
    ASSERT_TRUE(m_cwd.Restore());
    qwtest::DeviceTest::TearDown();
  }
  qwtest::WorkingFolder m_cwd;
};

// Front (the picture's top half) red, back blue.
qwtest::Rgba FrontRed(int, int y, int, int h) {
  return y < h / 2 ? qwtest::Rgba{255, 0, 0, 255} : qwtest::Rgba{0, 0, 255, 255};
}

TEST_F(PlayFieldDisplayTest, SpriteFacesItsTravel) {
  EngTexture sprite;
  qwtest::MakeTexture(&sprite, 64, 64, true, FrontRed);
  const float h = 0.1f;
  sprite.PositionPure(-h, -h, 2 * h, 2 * h);
  // Travel (dx, dy) in play-field units, y down; where the front must show, in window pixels
  // from the field's middle (370, 225).
  struct Case {
    const char *name;
    float dx, dy;
    int fx, fy;
  } cases[] = {
      {"right", 1, 0, 18, 0}, {"left", -1, 0, -18, 0}, {"up", 0, -1, 0, -15}, {"down", 0, 1, 0, 15},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    device->ClearScreen();
    device->SetViewportToSizeRatioed(100, 0, 540, 450);
    device->EnableBlendingType(0);
    float path_angle = std::atan2(c.dy, -c.dx);
    QuarrelwickSetupPosAndZRotMatrices(0.0f, 0.0f, 0.0f, 0.0f, -path_angle, 1, 1);
    sprite.DrawPure();
    QuarrelwickRestoreAfterSettingUpPosAndZRotMatrices();
    device->SetViewportFullScreen();
    device->DisableBlending();
    EXPECT_EQ(At(370 + c.fx, 225 + c.fy), 'r');
    EXPECT_EQ(At(370 - c.fx, 225 - c.fy), 'b');
  }
  // The restore put the transform back: a plain draw lands where it is placed.
  EngMatrix m;
  device->GetTransformMatrix(&m);
  EXPECT_FLOAT_EQ(m.m[0], 1.0f);
  EXPECT_FLOAT_EQ(m.m[12], 0.0f);
}

TEST_F(PlayFieldDisplayTest, PictureOuterBandNeverShows) {
  qwtest::TempDir dir;
  ASSERT_TRUE(m_cwd.Enter(dir.Path()));
  // Grey inside, with a white mark at each inner corner; a pure red band 64 pixels wide.
  std::vector<unsigned char> rgb(1024 * 1024 * 3);
  for (int y = 0; y < 1024; y++)
    for (int x = 0; x < 1024; x++) {
      unsigned char *p = &rgb[(size_t(y) * 1024 + size_t(x)) * 3];
      bool band = x < 64 || y < 64 || x >= 960 || y >= 960;
      bool corner = !band && (x < 96 || x >= 928) && (y < 96 || y >= 928);
      p[0] = band ? 255 : corner ? 255 : 128;
      p[1] = band ? 0 : corner ? 255 : 128;
      p[2] = band ? 0 : corner ? 255 : 128;
    }
  ASSERT_TRUE(EngJpegWriteFileFromBuffer("Level0.jpg", 95, 72, 1024, 1024, rgb.data()));
  level_garden = 0;
  ASSERT_EQ(LevelsCreateGraphics(0), 1);
  LevelsRenderMainBackground();
  std::vector<unsigned char> frame = qwtest::ReadFrameRgb();
  int reddish = 0;
  for (int y = 0; y < 450; y++)
    for (int x = 100; x < 640; x++) {
      const unsigned char *p = &frame[(size_t(y) * 640 + size_t(x)) * 3];
      if (int(p[0]) - int(p[1]) > 40 || int(p[0]) - int(p[2]) > 40) reddish++;
    }
  EXPECT_EQ(reddish, 0);
  // The picture fills the field exactly: its inner corners are in the field's corners, and
  // nothing is drawn beside it.
  EXPECT_EQ(At(102, 2), 'w');
  EXPECT_EQ(At(637, 447), 'w');
  EXPECT_EQ(At(370, 225), '?');
  EXPECT_EQ(At(98, 225), 'k');
  EXPECT_EQ(At(370, 452), 'k');

  // Another size is refused with its message.
  std::vector<unsigned char> small(256 * 128 * 3, 200);
  ASSERT_TRUE(EngJpegWriteFileFromBuffer("Level1.jpg", 90, 72, 256, 128, small.data()));
  level_garden = 1;
  std::string log = Logged([] { EXPECT_EQ(LevelsCreateGraphics(0), 0); });
  EXPECT_NE(log.find("Bad tex size (256 x 128)."), std::string::npos) << log;
  // A missing one is logged and the field stays bare.
  level_garden = 2;
  log = Logged([] { EXPECT_EQ(LevelsCreateGraphics(0), 0); });
  EXPECT_NE(log.find("Level2.jpg"), std::string::npos) << log;
  LevelsRenderMainBackground();
}

TEST_F(PlayFieldDisplayTest, EachGardenIsDrawnAndLeftAsAScreenshot) {
  ASSERT_TRUE(m_cwd.Enter(qwtest::BuiltResources()));
  ASSERT_EQ(QuarrelwickCreateGraphics(), 1);
  for (int g = 0; g < 4; g++) {
    SCOPED_TRACE(g);
    level_garden = EngInt16(g);
    ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
    ASSERT_GT(num_bugs, 0);
    // Let the wave walk in for a while, so the shot shows it on the road.
    game_paused = 0;
    game_per_second = 0.05f;
    for (int i = 0; i < 300; i++) BugsTick();
    QuarrelwickMoveMouse(400, 300);
    device->ClearScreen();
    QuarrelwickRender();
    std::vector<unsigned char> frame = qwtest::ReadFrameRgb();
    std::string shot = qwtest::BinaryDir() + "/GardenShot" + std::to_string(g) + ".jpg";
    EXPECT_TRUE(EngJpegWriteFileFromBuffer(shot.c_str(), 90, 72, 640, 480, frame.data()));
    // The road shows at the middle of its path, in the play field.
    const _Vector2d &p = traverse_info.points[traverse_info.num_points / 2];
    int x = int(std::lround(100 + (p.x + 1) * 270)), y = int(std::lround((p.y + 1) * 225));
    const unsigned char *c = &frame[(size_t(y) * 640 + size_t(x)) * 3];
    EXPECT_GT(c[0], c[1]) << x << "," << y;
    EXPECT_GT(c[1], c[2]) << x << "," << y;
    // The shop column is drawn left of the field.
    EXPECT_NE(At(40, 170), 'k');
  }
}

TEST_F(PlayFieldDisplayTest, MissingOrBrokenBugPicturesAreNamed) {
  qwtest::TempDir dir;
  ASSERT_TRUE(m_cwd.Enter(dir.Path()));
  EXPECT_EQ(BugsCreateGraphics(), 1);  // no species yet: nothing to load
  bug_species = 0;
  std::string log = Logged([] { EXPECT_EQ(BugsCreateGraphics(), 0); });
  EXPECT_NE(log.find("./Aclypea.tga"), std::string::npos) << log;
  // A broken second frame is named too.
  std::string resources = qwtest::BuiltResources() + "/";
  qwtest::WriteWholeFile(dir.File("Aclypea.tga"), qwtest::ReadWholeFile(resources + "Aclypea.tga"));
  qwtest::WriteWholeFile(dir.File("Aclypea2.tga"), "not a picture");
  log = Logged([] { EXPECT_EQ(BugsCreateGraphics(), 0); });
  EXPECT_NE(log.find("./Aclypea2.tga"), std::string::npos) << log;
  // No second frame at all is fine; the bars are needed.
  ASSERT_EQ(unlink(dir.File("Aclypea2.tga").c_str()), 0);
  log = Logged([] { EXPECT_EQ(BugsCreateGraphics(), 0); });
  EXPECT_NE(log.find("HpBack.tga"), std::string::npos) << log;
  qwtest::WriteWholeFile(dir.File("HpBack.tga"), qwtest::ReadWholeFile(resources + "HpBack.tga"));
  qwtest::WriteWholeFile(dir.File("HpFill.tga"), qwtest::ReadWholeFile(resources + "HpFill.tga"));
  EXPECT_EQ(BugsCreateGraphics(), 1);
  // A bug without its pictures draws nothing and play goes on.
  BugsDestroyGraphics();
  num_bugs = 1;
  bugs[0] = new Bug(0, 0);
  BugsRender();
}

TEST_F(PlayFieldDisplayTest, BugAndItsBarLandAtTheirPathPoint) {
  ASSERT_TRUE(m_cwd.Enter(qwtest::BuiltResources()));
  level_garden = 0;
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  ASSERT_GT(num_bugs, 0);
  for (int i = 1; i < BUGS_MAX; i++) {
    delete bugs[i];
    bugs[i] = nullptr;
  }
  Bug *b = bugs[0];
  b->path_pos = float(traverse_info.num_steps / 2);
  b->hp = b->max_hp;
  b->CalcState();
  ASSERT_EQ(b->state, 3);
  device->ClearScreen();
  device->SetViewportToSizeRatioed(100, 0, 540, 450);
  device->EnableBlendingType(0);
  BugsRender();
  device->SetViewportFullScreen();
  device->DisableBlending();
  std::vector<unsigned char> frame = qwtest::ReadFrameRgb();
  const int px = int(std::lround(100 + (b->GetScreenX() + 1) * 270)), py = int(std::lround((b->GetScreenY() + 1) * 225));
  auto lit = [&](int x, int y) {
    const unsigned char *c = &frame[(size_t(y) * 640 + size_t(x)) * 3];
    return c[0] + c[1] + c[2] > 60;
  };
  // The body covers its point; the ground a bug's length away stays clear.
  int body = 0;
  for (int y = py - 4; y <= py + 4; y++)
    for (int x = px - 4; x <= px + 4; x++) body += lit(x, y) ? 1 : 0;
  EXPECT_GT(body, 40) << px << "," << py;
  EXPECT_FALSE(lit(px + 60, py));
  EXPECT_FALSE(lit(px - 60, py + 40));
  // The full bar: green, 0.075 above the bug, 0.06 wide.
  const unsigned char *bar = &frame[(size_t(py - 17) * 640 + size_t(px)) * 3];
  EXPECT_GT(int(bar[1]), int(bar[0]) + 40) << int(bar[0]) << " " << int(bar[1]) << " " << int(bar[2]);
  EXPECT_GT(int(bar[1]), int(bar[2]) + 40);
  const unsigned char *right = &frame[(size_t(py - 17) * 640 + size_t(px + 6)) * 3];
  EXPECT_GT(int(right[1]), int(right[0]) + 40);
  // At a quarter of its hit points the bar's right part is empty.
  b->hp = b->max_hp * 0.25;
  device->ClearScreen();
  device->SetViewportToSizeRatioed(100, 0, 540, 450);
  device->EnableBlendingType(0);
  BugsRender();
  device->SetViewportFullScreen();
  device->DisableBlending();
  frame = qwtest::ReadFrameRgb();
  right = &frame[(size_t(py - 17) * 640 + size_t(px + 6)) * 3];
  EXPECT_LT(int(right[1]), 100);
  const unsigned char *left = &frame[(size_t(py - 17) * 640 + size_t(px - 6)) * 3];
  EXPECT_GT(int(left[1]), int(left[0]) + 40);
}

// Each wave makes its bug pictures anew. With blocks the size of a picture's handle taken
// between waves, so that the new pictures land at new addresses, the sprite batches stay those
// of the pictures alive: at most the body's two frames and the bar's two parts.
TEST_F(PlayFieldDisplayTest, EachWavesBugPicturesLeaveNoSpriteBatchesBehind) {
  ASSERT_TRUE(m_cwd.Enter(qwtest::BuiltResources()));
  level_garden = 0;
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  std::vector<std::unique_ptr<char[]>> taken;
  for (int wave = 1; wave <= 20; wave++) {
    SCOPED_TRACE(wave);
    for (int i = 0; i < 4; i++) taken.emplace_back(new char[sizeof(EngTexture)]);
    bug_level_num = wave;
    ASSERT_EQ(BugsInitForNewLevel(0), 1);
    ASSERT_GT(num_bugs, 0);
    // Every bug on the road, in both walk frames, at full hit points less one.
    for (int i = 0; i < num_bugs; i++) {
      Bug *b = bugs[i];
      b->path_pos = float(traverse_info.num_steps / 2 - i);
      b->anim_frame = i % 2 ? 5.0f : 15.0f;
      b->hp = b->max_hp - 1.0;
      b->CalcState();
    }
    BugsRender();
    ASSERT_LE(SpritesGetBatchCount(), 4);
  }
}

// The field as the game draws it (no clear, the still layers put back from the kept copy,
// spray clouds cropped and not drawn at the very end of their fade) against every layer drawn
// whole over a cleared window: the same pixels without bullets, and nearly so with them.
TEST_F(PlayFieldDisplayTest, TheShortWayDrawsTheFieldAsEveryLayerDrawnWholeDoes) {
  auto draw = [&](bool old_way) {
    QuarrelwickSetFrameShortcuts(old_way ? 0 : 1);
    device->SetClearColour(0.9f, 0.1f, 0.6f);
    if (old_way || !QuarrelwickFieldCoversWindow()) device->ClearScreen();
    QuarrelwickRender();
    glFinish();
    return qwtest::ReadFrameRgb();
  };
  auto psnr = [](const std::vector<unsigned char> &a, const std::vector<unsigned char> &b) {
    double sum = 0.0;
    for (size_t i = 0; i < a.size(); i++) sum += double(int(a[i]) - int(b[i])) * double(int(a[i]) - int(b[i]));
    const double mse = sum / double(a.size());
    return mse == 0.0 ? 1000.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
  };
  auto tick = [](int frames) {
    for (int i = 0; i < frames; i++) {
      eng_main_current_time = eng_main_current_time + 1.0 / 60.0;
      game_per_second = 1.0f / 60.0f;
      QuarrelwickTick();
    }
  };
  const bool late[] = {false, true};
  for (bool late_wave : late) {
    SCOPED_TRACE(late_wave ? "late wave" : "empty field");
    std::string why;
    ASSERT_TRUE(late_wave ? qwbench::BuildLateWave(&why) : qwbench::BuildEmptyField(&why)) << why;
    ASSERT_EQ(QuarrelwickCreateGraphics(), 1);
    QuarrelwickMoveMouse(400, 200);
    tick(240);
    ASSERT_TRUE(QuarrelwickFieldCoversWindow());
    for (int round = 0; round < 3; round++) {
      const std::vector<unsigned char> old_way = draw(true);
      // The first short frame keeps the still layers, the second puts them back.
      const std::vector<unsigned char> first = draw(false), kept = draw(false);
      EXPECT_EQ(first, kept) << "round " << round;
      if (late_wave)
        EXPECT_GE(psnr(old_way, kept), 45.0) << "round " << round;
      else
        EXPECT_EQ(psnr(old_way, kept), 1000.0) << "round " << round;
      tick(37);
    }
    QuarrelwickSetFrameShortcuts(1);
    QuarrelwickDestroyGraphics();
  }
}

}  // namespace
