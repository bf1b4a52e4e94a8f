// The weapons' pictures on a real OpenGL device: the nine factory pictures carry their weapon
// in the yard, a missing or broken picture fails start-up with its name, and every weapon,
// factory and bullet is drawn over a garden and left as a screenshot in the build folder.
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "game/Bugs.h"
#include "game/Effects.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Traverse.h"
#include "game/Sprites.h"
#include "game/Weapons.h"
#include "tests/game/HeadlessGame.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/TextureTestSupport.h"
#include "tests/game/PlayFieldDisplaySupport.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Resources() {
  return qwtest::BuiltResources();
}

class WeaponsDisplayTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    qwtest::DeviceTest::SetUp();
    qwtest::ResetPlayFieldModules();
    ASSERT_EQ(WeaponsPre3dInit(), 1);
    qwtest::UseUnitWindowRatios();
  }
  void TearDown() override {
    qwtest::ResetPlayFieldModules();
    ASSERT_TRUE(m_cwd.Restore());
    qwtest::DeviceTest::TearDown();
  }
  qwtest::WorkingFolder m_cwd;
};

struct Picture {
  std::vector<unsigned char> px;  // RGBA, rows top first
  int w = 0;
  const unsigned char *At(int x, int y) const { return &px[(size_t(y) * size_t(w) + size_t(x)) * 4]; }
};

Picture Read(EngTexture *t) {
  Picture p;
  p.px = qwtest::ReadTexture(t);
  p.w = t->GetWidth();
  EXPECT_EQ(p.px.size(), size_t(p.w) * size_t(t->GetHeight()) * 4);
  return p;
}

TEST_F(WeaponsDisplayTest, FactoryPicturesCarryTheirWeaponInTheYard) {
  ASSERT_TRUE(m_cwd.Enter(Resources()));
  ASSERT_EQ(WeaponsCreateGraphics(), 1);
  EngTexture plain_tex;
  ASSERT_EQ(plain_tex.LoadFromTgaFile("Factory.tga", 1, 2, 0), 1);
  Picture plain = Read(&plain_tex);
  ASSERT_EQ(plain.w, 128);
  for (int family = 0; family < 3; family++)
    for (int level = 0; level < 3; level++) {
      SCOPED_TRACE(std::to_string(family) + ":" + std::to_string(level));
      int type = factory_tex_weapons[family][level];
      ASSERT_NE(factory_texs[family][level], nullptr);
      Picture f = Read(factory_texs[family][level]);
      Picture base = Read(weapon_texs[type][0]);
      Picture top;
      if (weapon_texs[type][1]) top = Read(weapon_texs[type][1]);
      int outside_changed = 0, weapon_pixels = 0, weapon_matches = 0;
      for (int y = 0; y < 128; y++)
        for (int x = 0; x < 128; x++) {
          const unsigned char *got = f.At(x, y);
          bool yard = x >= 32 && x < 96 && y >= 32 && y < 96;
          if (!yard) {
            for (int c = 0; c < 4; c++) outside_changed += got[c] != plain.At(x, y)[c];
            continue;
          }
          // The whole weapon picture is shrunk into the yard: each yard pixel shows the one
          // twice as far into the weapon's picture, the top over the base.
          int sx = (x - 32) * 2, sy = (y - 32) * 2;
          const unsigned char *want = nullptr;
          if (top.w && top.At(sx, sy)[3] == 255)
            want = top.At(sx, sy);
          else if (base.At(sx, sy)[3] == 255 && (!top.w || top.At(sx, sy)[3] == 0))
            want = base.At(sx, sy);
          if (!want) continue;
          weapon_pixels++;
          if (std::abs(got[0] - want[0]) <= 1 && std::abs(got[1] - want[1]) <= 1 && std::abs(got[2] - want[2]) <= 1)
            weapon_matches++;
        }
      EXPECT_EQ(outside_changed, 0);
      // The weapon covers a good part of its yard and shows there as it is.
      EXPECT_GT(weapon_pixels, 64 * 64 / 3);
      EXPECT_EQ(weapon_matches, weapon_pixels);
    }
}

void CopyFile(const std::string &from, const std::string &to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream out(to, std::ios::binary);
  out << in.rdbuf();
}

TEST_F(WeaponsDisplayTest, MissingOrBrokenPictureFailsStartUpWithItsName) {
  qwtest::TempDir dir;
  const char *files[] = {"Cursor1.tga", "Cursor2.tga", "Range.tga", "Numbers.tga", "TurretBase.tga",
                         "TurretTop.tga", "CannonBase.tga", "CannonTop.tga", "TankBase.tga", "TankTop.tga",
                         "SpraySmall.tga", "SprayMedium.tga", "SprayLarge.tga", "RockThrowerBase.tga",
                         "RockThrowerTop.tga", "GrenadeLauncherBase.tga", "GrenadeLauncherTop.tga",
                         "MissileLauncherBase.tga", "MissileLauncherTop.tga", "BulletTurret.tga",
                         "BulletCannon.tga", "BulletTank.tga", "BulletSpraySmall.tga", "BulletSprayMedium.tga",
                         "BulletSprayLarge.tga", "BulletStone.tga", "BulletGrenade.tga", "BulletMissile.tga",
                         "Factory.tga", "Explosion2.jpg", "Box.tga", "Darken.tga", "SideLeft1024.jpg",
                         "BotBar1024.jpg"};
  for (const char *f : files) CopyFile(Resources() + "/" + f, dir.File(f));
  ASSERT_TRUE(m_cwd.Enter(dir.Path()));
  ASSERT_EQ(QuarrelwickCreateGraphics(), 1);
  QuarrelwickDestroyGraphics();

  struct Case {
    const char *file;
    bool broken;  // else missing
  } cases[] = {{"BulletStone.tga", false}, {"GrenadeLauncherTop.tga", true}, {"Factory.tga", false}};
  for (const Case &k : cases) {
    SCOPED_TRACE(k.file);
    if (k.broken) {
      std::ofstream(dir.File(k.file), std::ios::binary) << "not a picture";
    } else {
      ASSERT_EQ(unlink(dir.File(k.file).c_str()), 0);
    }
    std::string log = Logged([] { EXPECT_EQ(QuarrelwickCreateGraphics(), 0); });
    EXPECT_NE(log.find(k.file), std::string::npos) << log;
    EXPECT_NE(log.find("WeaponsCreateGraphics() failed"), std::string::npos) << log;
    QuarrelwickDestroyGraphics();
    CopyFile(Resources() + "/" + k.file, dir.File(k.file));
  }
  // The explosion sheet is needed as much.
  ASSERT_EQ(unlink(dir.File("Explosion2.jpg").c_str()), 0);
  std::string log = Logged([] { EXPECT_EQ(QuarrelwickCreateGraphics(), 0); });
  EXPECT_NE(log.find("Explosion2.jpg"), std::string::npos) << log;
  EXPECT_NE(log.find("EffectsCreateGraphics() failed"), std::string::npos) << log;
  QuarrelwickDestroyGraphics();
}

// Draws one picture as the square of half size h at play-field point (x, y), turned to angle
// about the offset (ox, oy), the way the play field draws its sprites.
void DrawSprite(EngTexture *t, float x, float y, float ox, float oy, float angle, float h) {
  if (!t) return;
  QuarrelwickSetupPosAndZRotMatrices(x, y, ox, oy, angle, 0, 1);
  t->PositionPure(-h, -h, 2 * h, 2 * h);
  t->DrawPure();
  QuarrelwickRestoreAfterSettingUpPosAndZRotMatrices();
}

TEST_F(WeaponsDisplayTest, EveryWeaponFactoryAndBulletIsDrawnAndLeftAsAScreenshot) {
  ASSERT_TRUE(m_cwd.Enter(Resources()));
  level_garden = 0;
  ASSERT_EQ(LevelsCreateGraphics(0), 1);
  ASSERT_EQ(WeaponsCreateGraphics(), 1);
  device->PrepareFor2D(1);
  device->ClearScreen();
  LevelsRenderMainBackground();
  device->SetViewportToSizeRatioed(100, 0, 540, 450);
  device->EnableBlendingType(0);
  // Row 1: the nine weapons at their full size at levels 0 to 3, the tops aimed up-right, then
  // right; row 2: the factories; row 3: the bullets, much larger than in play.
  for (int t = 0; t < QW_NUM_FIRING_TYPES; t++) {
    const float full = weapon_type_details[t].size;
    for (int row = 0; row < 2; row++) {
      const float x = -0.85f + 0.21f * float(t), y = -0.8f + 0.22f * float(row);
      const float h = full * weapon_size_mults[row * 3] * 0.5f;
      const float aim = row ? 0.0f : 0.785f;
      const float px = weapon_type_details2[t].pivot_x, py = weapon_type_details2[t].pivot_y;
      if (weapon_texs[t][1]) {
        DrawSprite(weapon_texs[t][0], x, y, 0, 0, 1.5707964f, h);
        DrawSprite(weapon_texs[t][1], x, y, px, py, aim + 1.5707964f, h);
      } else {
        DrawSprite(weapon_texs[t][0], x, y, px, py, aim + 1.5707964f, h);
      }
    }
    DrawSprite(bullet_texs[t], -0.85f + 0.21f * float(t), 0.55f, 0, 0, 1.5707964f, 0.07f);
  }
  for (int family = 0; family < 3; family++)
    for (int level = 0; level < 3; level++)
      DrawSprite(factory_texs[family][level], -0.8f + 0.2f * float(family * 3 + level), 0.05f, 0, 0, 1.5707964f,
                 0.1f);
  device->SetViewportFullScreen();
  device->DisableBlending();
  const std::vector<unsigned char> rgb = qwtest::ReadFrameRgb();
  std::string shot = Resources() + "/../WeaponsShot.jpg";
  EXPECT_TRUE(EngJpegWriteFileFromBuffer(shot.c_str(), 92, 72, 640, 480, rgb.data()));
  // The Turret's blue ring and dome show around its centre (100 + 0.15 * 270, 0.2 * 225).
  int blue = 0;
  for (int y = 35; y < 56; y++)
    for (int x = 128; x < 154; x++) {
      const unsigned char *p = &rgb[(size_t(y) * 640 + size_t(x)) * 3];
      blue += p[2] > p[0] + 40;
    }
  EXPECT_GT(blue, 40);
  device->RestoreAfter2D();
}

TEST_F(WeaponsDisplayTest, BatchedSpritesLandWhereSingleOnesDo) {
  ASSERT_TRUE(m_cwd.Enter(Resources()));
  ASSERT_EQ(WeaponsCreateGraphics(), 1);
  EngTexture *numbers = new EngTexture();
  ASSERT_EQ(numbers->LoadFromTgaFile("Numbers.tga", 1, 2, 0), 1);
  const _TexCoords quarter = {0.5f, 0.5f, 1.0f, 1.0f};
  auto draw = [&](bool batch, bool flush) {
    device->ClearScreen();
    device->SetViewportToSizeRatioed(100, 0, 540, 450);
    device->EnableBlendingType(0);
    if (batch) SpritesBegin();
    // Turned, off-centre, squashed, tinted and part pictures, over each other.
    SpritesAdd(0, weapon_texs[1][0], -0.3f, 0.2f, 0.0f, 0.0f, 0.7f, 0, 0.1f, nullptr, 1, 1, 1, 1);
    SpritesAdd(1, weapon_texs[1][1], -0.3f, 0.2f, 0.0f, -0.0195f, 2.2f, 0, 0.1f, nullptr, 1, 0, 0, 0.8f);
    SpritesAdd(0, weapon_texs[5][0], 0.4f, -0.3f, 0.0f, 0.0f, -1.0f, 1, 0.15f, nullptr, 1, 1, 1, 0.6f);
    SpritesAdd(2, numbers, 0.4f, -0.3f, 0.0f, 0.0f, 1.5707964f, 0, 0.05f, &quarter, 1, 1, 1, 1);
    SpritesAddRect(2, bullet_texs[8], 0.0f, 0.5f, 0.0f, 0.0f, 3.0f, 0, -0.03f, -0.08f, 0.1f, 0.04f, nullptr, 1, 1, 1, 1);
    if (flush) SpritesFlush();
    device->SetViewportFullScreen();
    device->DisableBlending();
    return qwtest::ReadFrameRgb();
  };
  std::vector<unsigned char> single = draw(false, false);
  std::vector<unsigned char> nothing = draw(true, false);
  std::vector<unsigned char> batched = draw(true, true);
  // Before the flush nothing was drawn; after it the same picture, but for rounding.
  int drawn = 0, differ = 0;
  for (size_t i = 0; i < single.size(); i++) {
    drawn += nothing[i] != 0;
    differ += std::abs(int(single[i]) - int(batched[i])) > 8;
  }
  EXPECT_EQ(drawn, 0);
  EXPECT_LT(differ, 60);
  int lit = 0;
  for (unsigned char c : batched) lit += c > 0;
  EXPECT_GT(lit, 5000);
  delete numbers;
}

TEST_F(WeaponsDisplayTest, LateWaveInPlayIsLeftAsAScreenshot) {
  ASSERT_TRUE(m_cwd.Enter(Resources()));
  ASSERT_EQ(QuarrelwickCreateGraphics(), 1);
  srand(20261209);
  level_garden = 0;
  qwtest::HeadlessGame game;
  ASSERT_TRUE(game.Start());
  game.Play(40, 60L * 60 * 60);
  ASSERT_EQ(game.Fault(), "");
  ASSERT_EQ(game_over, 0);
  // Into the wave until its bugs are on the road, a weapon under the pointer.
  for (int i = 0; i < 60 * 8 && !game_won; i++) game.Step();
  QuarrelwickMoveMouse(400, 300);
  device->PrepareFor2D(1);
  device->ClearScreen();
  QuarrelwickRender();
  device->RestoreAfter2D();
  std::vector<unsigned char> rgb = qwtest::ReadFrameRgb();
  std::string shot = Resources() + "/../LateWaveShot.jpg";
  EXPECT_TRUE(EngJpegWriteFileFromBuffer(shot.c_str(), 92, 72, 640, 480, rgb.data()));
  int weapons_on_field = 0, bullets = 0;
  for (int i = 0; i < num_weapons; i++)
    if (weapons[i]) {
      weapons_on_field++;
      bullets += weapons[i]->num_bullet_slots;
    }
  EXPECT_GT(weapons_on_field, 30);
  EXPECT_GT(bullets, 0);
  EXPECT_GE(bug_level_num, 40);
}

TEST_F(WeaponsDisplayTest, WeaponBeingPlacedShowsRedWhereItCannotGo) {
  ASSERT_TRUE(m_cwd.Enter(Resources()));
  ASSERT_EQ(QuarrelwickCreateGraphics(), 1);
  play_state = 1;
  weapon_placing_type = 0;
  weapon_to_place = new Weapon(nullptr, 0, 0.0f, 0.0f);
  weapon_to_place->SetFullViewportPos(0.0f, 0.0f);  // the window's middle
  cursor_x = cursor_y = 0.0f;
  struct Case {
    const char *name;
    EngUInt8 ground;
    bool red;
  } cases[] = {{"over free ground", 0, false}, {"over the road", 1, true}};
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    memset(grid, k.ground, sizeof(grid));
    device->PrepareFor2D(1);
    device->ClearScreen();
    device->SetViewportFullScreen();
    device->EnableBlendingType(0);
    weapon_to_place->Render();
    device->DisableBlending();
    device->RestoreAfter2D();
    // The Turret's dome, at the middle of the window.
    unsigned char rgb[3];
    ReadPixel(320, 240, rgb);
    if (k.red) {
      EXPECT_GT(rgb[0], 100);
      EXPECT_LT(rgb[1], 30);
      EXPECT_LT(rgb[2], 30);
    } else {
      EXPECT_GT(rgb[2], rgb[0] + 40);
    }
  }
}

// An explosion shows its frame of the sheet over the field, warm and faded to the field at
// its black edges, and nothing beyond its square.
TEST_F(WeaponsDisplayTest, ExplosionIsDrawnOverTheField) {
  ASSERT_TRUE(m_cwd.Enter(Resources()));
  ASSERT_EQ(QuarrelwickCreateGraphics(), 1);
  level_garden = 0;
  ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
  auto shot = [&] {
    device->PrepareFor2D(1);
    device->ClearScreen();
    QuarrelwickRender();
    device->RestoreAfter2D();
    return qwtest::ReadFrameRgb();
  };
  const std::vector<unsigned char> before = shot();
  ASSERT_EQ(EffectsCreateNew(0, 0.3f, 0.3f, 0.5f), 1);
  game_per_second = 0.15f;  // frame 3: the burst near its largest
  EffectsTick();
  const std::vector<unsigned char> after = shot();
  int x0 = 640, y0 = 480, x1 = -1, y1 = -1;
  long changed = 0, warm = 0;
  for (int y = 0; y < 480; y++)
    for (int x = 0; x < 640; x++) {
      const unsigned char *a = &before[(size_t(y) * 640 + size_t(x)) * 3], *b = &after[(size_t(y) * 640 + size_t(x)) * 3];
      if (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) < 40) continue;
      changed++;
      if (b[0] > 180 && b[2] < b[0] - 60) warm++;
      x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    }
  ASSERT_GT(changed, 500);
  EXPECT_GT(warm * 3, changed);
  // Within one square of about a quarter of the field's height (450 pixels for 2 units).
  EXPECT_LE(x1 - x0, 120);
  EXPECT_LE(y1 - y0, 120);
  EXPECT_GE(x1 - x0, 40);
  EXPECT_EQ(EngJpegWriteFileFromBuffer((Resources() + "/../ExplosionShot.jpg").c_str(), 92, 72, 640, 480,
                                       after.data()),
            1);
}

}  // namespace
