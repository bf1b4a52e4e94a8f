// The play field drawn on a real OpenGL device: sprites face their travel through the sprite
// transform, the garden picture's outer band never shows, each wave's new bug pictures leave no
// sprite batches behind, each generated garden is drawn and left as a screenshot in the build
// folder, and every frame of play is its layers drawn whole, byte for byte.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngDeviceGL.h"
#include "Engine/EngDim.h"
#include "Engine/EngDrawnCopy.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngLights.h"
#include "Engine/EngMain.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngTexture.h"
#include "Engine/EngUtilsGL.h"
#include "Engine/EngWindow.h"
#include "benchmarks/GameScene.h"
#include "game/Bugs.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Sprites.h"
#include "game/Traverse.h"
#include "game/Weapons.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/ScopedGlWindow.h"
#include "tests/Engine/TextureTestSupport.h"
#include "tests/game/HeadlessGame.h"
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

// --- Frames as the game draws them against every layer drawn whole -------------------------

// A window of its own size and samples with an engine device over it, for whole frames of the
// field; the field's pictures are made in it and go with it.
class FieldWindow {
 public:
  FieldWindow(int width, int height, int samples) : m_gl(width, height, samples), m_width(width), m_height(height) {}
  ~FieldWindow() {
    QuarrelwickDestroyGraphics();
    device.reset();
    window.reset();
    eng_main_window = nullptr;
    eng_main_device_type = 0;
    eng_main_window_aa = 0;
  }
  // False with why when the window or its device could not be made.
  bool Open(int samples, std::string *why) {
    if (!m_gl.Ok()) return *why = m_gl.Error(), false;
    EngDeviceGL_ResetForTests();
    EngLightsResetForTests();
    EngDimResetForTests();
    EngUtilsGL_ResetForTests();
    eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
    eng_main_window_aa = samples;
    window.reset(new EngWindow(nullptr, "field frames"));
    eng_main_window = window.get();
    window->UpdateWindowVariables(1, m_width, m_height, 32, 60);
    device.reset(new EngDevice(window.get()));
    if (!device->Create(1, m_width, m_height, 32, 60)) return *why = "no device", false;
    GLint sample_buffers = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &sample_buffers);
    if ((sample_buffers > 0) != (samples > 0)) return *why = "the display offers no such window", false;
    if (!QuarrelwickCreateGraphics()) return *why = "the field's pictures were not made", false;
    return true;
  }
  // The window filled with a colour the field never shows, so that whatever a frame leaves
  // undrawn stands out.
  void Spoil() {
    device->SetClearColour(0.9f, 0.1f, 0.6f);
    device->ClearScreen();
  }
  // One frame of the field as the game draws it (whole: every layer whole over a cleared window),
  // read back: rows bottom first, RGBA.
  std::vector<unsigned char> Frame(bool whole) {
    QuarrelwickSetFrameShortcuts(whole ? 0 : 1);
    if (whole || !QuarrelwickFieldCoversWindow()) device->ClearScreen();
    device->PrepareFor2D(1);
    QuarrelwickRender();
    device->RestoreAfter2D();
    QuarrelwickSetFrameShortcuts(1);
    glFinish();
    std::vector<unsigned char> rgba(size_t(m_width) * size_t(m_height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
  }
  // Empty when the frames are the same bytes; else how many pixels differ, and the first.
  std::string Difference(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b) const {
    long differ = 0;
    std::string first;
    for (size_t i = 0; i < a.size() && i < b.size(); i += 4) {
      if (memcmp(&a[i], &b[i], 3) == 0) continue;
      if (differ++ == 0) {
        const long pixel = long(i / 4);
        first = " first at " + std::to_string(pixel % m_width) + "," + std::to_string(m_height - 1 - pixel / m_width) +
                " from the top-left: " + std::to_string(a[i]) + " " + std::to_string(a[i + 1]) + " " +
                std::to_string(a[i + 2]) + " against " + std::to_string(b[i]) + " " + std::to_string(b[i + 1]) + " " +
                std::to_string(b[i + 2]);
      }
    }
    if (a.size() != b.size()) return "frames of different sizes";
    return differ ? std::to_string(differ) + " pixels differ," + first : std::string();
  }
  // The pointer over the weapon, so that its reach and its level badge are drawn.
  void PointAt(const Weapon *w) {
    QuarrelwickMoveMouse((QW_FIELD_LEFT + (w->x + 1.0f) * QW_FIELD_WIDTH * 0.5f) * eng_main_window_x_ratio,
                         (QW_FIELD_TOP + (w->y + 1.0f) * QW_FIELD_HEIGHT * 0.5f) * eng_main_window_y_ratio);
  }

  std::unique_ptr<EngWindow> window;
  std::unique_ptr<EngDevice> device;

 private:
  qwtest::ScopedGlWindow m_gl;
  int m_width, m_height;
};

struct WindowShape {
  const char *name;
  int width, height, samples;
};
// The game's own window, another shape, and one multisampled as anti-aliasing makes it.
const WindowShape kShapes[] = {
    {"1024 x 768", 1024, 768, 0}, {"800 x 500", 800, 500, 0}, {"640 x 480, 4 samples", 640, 480, 4}};

class PlayFieldFramesDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qwtest::ResetPlayFieldModules();
    QuarrelwickPre3dInit();
  }
  void TearDown() override {
    EngDrawnCopyFailBlitsForTests(0);
    qwtest::ResetPlayFieldModules();
    ASSERT_TRUE(m_cwd.Restore());
  }

  // A game in garden 0 played by the headless player's script until its third wave has begun:
  // factories, weapons firing, bugs on the road, bullets and spray clouds in flight.
  bool BuildPlay(std::string *why) {
    if (!m_cwd.Enter(qwtest::BuiltResources())) return *why = "no resources folder", false;
    level_garden = 0;
    level_difficulty = 0;
    srand(82);
    qwtest::HeadlessGame game;
    if (!game.Start()) return *why = "the game did not start", false;
    game.Play(3, 60L * 60 * 20);
    if (!game.Fault().empty()) return *why = game.Fault(), false;
    if (bug_level_num < 2 || num_weapons < 4) return *why = "the script bought too little", false;
    return true;
  }

  static void Tick(int frames) {
    for (int i = 0; i < frames; i++) {
      eng_main_current_time = eng_main_current_time + 1.0 / 60.0;
      game_per_second = 1.0f / 60.0f;
      QuarrelwickTick();
    }
  }

  // The first firing weapon on the field, or null.
  static const Weapon *AFiringWeapon(int after) {
    for (int i = 0; i < num_weapons; i++) {
      const Weapon *w = weapons[(i + after) % num_weapons];
      if (w && w->type < QW_NUM_FIRING_TYPES) return w;
    }
    return nullptr;
  }

  // At several moments of the scene, with the pointer over the field, over a weapon (its reach
  // and badge drawn) and carrying a weapon to place: the frame as the game draws it, over a
  // spoilt window, is the frame of every layer drawn whole, byte for byte, both when the still
  // layers are drawn and kept and when they are put back.
  void CompareMoments(FieldWindow *field, int moments) {
    for (int moment = 0; moment < moments; moment++) {
      SCOPED_TRACE("moment " + std::to_string(moment));
      const Weapon *over = AFiringWeapon(moment);
      if (moment % 3 == 1 && over) field->PointAt(over);
      if (moment % 3 == 2 && !weapon_to_place) SidebarStartPlacingWeapon(QuarrelwickGetBestWeaponTypeOfFamily(1));
      if (moment % 3 == 0) {
        if (weapon_to_place) SidebarMouseButtonPressed(1, 1);
        QuarrelwickMoveMouse(0.6f * float(eng_main_window_width), 0.4f * float(eng_main_window_height));
      }
      const std::vector<unsigned char> whole = field->Frame(true);
      field->Spoil();
      const std::vector<unsigned char> drawn = field->Frame(false);
      field->Spoil();
      const std::vector<unsigned char> kept = field->Frame(false);
      EXPECT_EQ(field->Difference(drawn, whole), "");
      EXPECT_EQ(field->Difference(kept, whole), "");
      Tick(37);
    }
  }

  // The scene built, in each window shape.
  void CompareInEveryShape() {
    std::string why;
    for (const WindowShape &shape : kShapes) {
      SCOPED_TRACE(shape.name);
      FieldWindow field(shape.width, shape.height, shape.samples);
      ASSERT_TRUE(field.Open(shape.samples, &why)) << why;
      CompareMoments(&field, 6);
      // Only a single-sampled window keeps the still layers; a multisampled one draws them.
      EXPECT_EQ(EngDrawnCopyIsValid(), shape.samples == 0 ? 1 : 0);
    }
  }

  qwtest::WorkingFolder m_cwd;
};

TEST_F(PlayFieldFramesDisplayTest, EveryFrameOfPlayIsItsLayersDrawnWhole) {
  std::string why;
  ASSERT_TRUE(BuildPlay(&why)) << why;
  CompareInEveryShape();
}

TEST_F(PlayFieldFramesDisplayTest, EveryFrameOfALateWaveIsItsLayersDrawnWhole) {
  std::string why;
  ASSERT_TRUE(qwbench::BuildLateWave(&why)) << why;
  CompareInEveryShape();
}

// A copy of the still layers that OpenGL refuses, whether putting it back or keeping it, leaves
// that frame and the ones after it to draw the layers: still every layer drawn whole.
TEST_F(PlayFieldFramesDisplayTest, ACopyOpenGLRefusesLeavesTheLayersToBeDrawn) {
  std::string why;
  ASSERT_TRUE(BuildPlay(&why)) << why;
  for (const bool at_restore : {true, false}) {
    SCOPED_TRACE(at_restore ? "putting back" : "keeping");
    FieldWindow field(640, 480, 0);
    ASSERT_TRUE(field.Open(0, &why)) << why;
    if (at_restore) {
      field.Frame(false);
      ASSERT_EQ(EngDrawnCopyIsValid(), 1);
    }
    for (int frame = 0; frame < 3; frame++) {
      SCOPED_TRACE("frame " + std::to_string(frame));
      const std::vector<unsigned char> whole = field.Frame(true);
      field.Spoil();
      EngDrawnCopyFailBlitsForTests(frame == 0 ? 1 : 0);
      const std::vector<unsigned char> drawn = field.Frame(false);
      EngDrawnCopyFailBlitsForTests(0);
      EXPECT_EQ(field.Difference(drawn, whole), "");
      EXPECT_EQ(EngDrawnCopyIsValid(), 0);
      Tick(20);
    }
  }
}

}  // namespace
