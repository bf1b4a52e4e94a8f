// Fonts on a real device: the sheets reach their textures, and drawn text lands where it is
// measured to land (the frame is read back pixel by pixel; the window is 640 by 480, so design
// units and pixels coincide).
#include "Engine/EngFont.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Engine/EngDeviceGL.h"
#include "Engine/EngMain.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTextureGL.h"
#include "tests/Engine/DeviceTestSupport.h"

using qwtest::DeviceTest;

namespace {

const char *const kVeraBold = "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf";

bool Contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

// The lit pixels of the frame: their bounding box and colour.
struct Lit {
  int count = 0, min_x = 1 << 30, max_x = -1, min_y = 1 << 30, max_y = -1;
  int max_r = 0, max_g = 0, max_b = 0;
};

Lit ReadLit(int x0 = 0, int y0 = 0, int x1 = 640, int y1 = 480) {
  std::vector<unsigned char> rgba(640 * 480 * 4);
  glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  Lit lit;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) {
      const unsigned char *p = &rgba[((479 - y) * 640 + x) * 4];
      if (p[0] < 64 && p[1] < 64 && p[2] < 64) continue;
      lit.count++;
      lit.min_x = std::min(lit.min_x, x);
      lit.max_x = std::max(lit.max_x, x);
      lit.min_y = std::min(lit.min_y, y);
      lit.max_y = std::max(lit.max_y, y);
      lit.max_r = std::max(lit.max_r, (int)p[0]);
      lit.max_g = std::max(lit.max_g, (int)p[1]);
      lit.max_b = std::max(lit.max_b, (int)p[2]);
    }
  return lit;
}

std::vector<std::vector<unsigned char>> captured_sheets;

void CaptureSheet(const EngFont *, int, const unsigned char *data, int size, int channels) {
  captured_sheets.emplace_back(data, data + size * size * channels);
}

class FontDrawTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    EngFontResetForTests();
    captured_sheets.clear();
    EngFontSetSheetHookForTests(CaptureSheet);
    device->SetClearColour(0.0f, 0.0f, 0.0f);
    device->ClearScreen();
    // Plain white glyphs: the main font's size and scales, one channel, no shadow or blur.
    font.reset(new EngFont);
    font->SetCreationEffects(nullptr);
    ASSERT_EQ(font->CreateFromFontFile(kVeraBold, 0, 0, 32, 32, 254, nullptr, 0, 0.1604040f, 0.2048890f, 1.000135f,
                                       6.747f),
              1);
  }
  void TearDown() override {
    if (EngFontIsReadyForDrawing()) EngFontRestoreAfterDrawing();
    font.reset();
    EngFontSetSheetHookForTests(nullptr);
    DeviceTest::TearDown();
  }
  float W(const char *text) { return font->GetStringWidth(text); }

  std::unique_ptr<EngFont> font;
};

TEST_F(FontDrawTest, EachSheetIsUploadedToItsOwnTexture) {
  ASSERT_GT(font->GetNumSheets(), 0);
  ASSERT_EQ((int)captured_sheets.size(), font->GetNumSheets());
  std::vector<unsigned char> read(512 * 512);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (int sheet = 0; sheet < font->GetNumSheets(); sheet++) {
    SCOPED_TRACE(sheet);
    GLuint name = font->GetSheetTexture_GL(sheet);
    ASSERT_NE(name, 0u);
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, read.data());
    EXPECT_TRUE(read == captured_sheets[sheet]);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  font.reset();  // the textures go with the font
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(FontDrawTest, DrawnTextLandsWhereItIsMeasured) {
  struct Case {
    char mode, h_align;
    float x, y;
  };
  const Case cases[] = {{1, 0, 100, 200}, {0, 0, 100, 200}, {1, 1, 320, 100}, {1, 2, 600, 400}};
  const char *text = "HEH";
  const float width = W(text), height = font->GetLineHeight();
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << (int)c.mode << " align " << (int)c.h_align);
    device->ClearScreen();
    EngFontPrepareForDrawing(c.mode);
    font->DrawStringAlign(c.x, c.y, c.h_align, 2, text, 0);
    EngFontRestoreAfterDrawing();
    const float left = c.h_align == 0 ? c.x : c.h_align == 1 ? c.x - width / 2 : c.x - width;
    Lit lit = ReadLit();
    ASSERT_GT(lit.count, 50);
    EXPECT_GE(lit.min_x, (int)left - 1);
    EXPECT_LE(lit.min_x, (int)left + 3);
    EXPECT_LE(lit.max_x, (int)(left + width) + 1);
    EXPECT_GE(lit.max_x, (int)(left + width) - 3);
    // The capitals stand on the baseline just above y, within one line's height.
    EXPECT_LE(lit.max_y, (int)c.y + 1);
    EXPECT_GE(lit.max_y, (int)c.y - 3);
    EXPECT_GE(lit.min_y, (int)(c.y - height) - 1);
  }
}

TEST_F(FontDrawTest, VerticalAlignmentPlacesTheLineBox) {
  const float height = font->GetLineHeight();
  // Top-aligned at 100 is bottom-aligned at 100 + height.
  EngFontPrepareForDrawing(1);
  font->DrawStringAlign(100, 100, 0, 0, "H", 0);
  EngFontRestoreAfterDrawing();
  Lit top = ReadLit();
  device->ClearScreen();
  EngFontPrepareForDrawing(1);
  font->DrawStringAlign(100, 100 + height, 0, 2, "H", 0);
  EngFontRestoreAfterDrawing();
  Lit bottom = ReadLit();
  ASSERT_GT(top.count, 10);
  EXPECT_EQ(top.min_y, bottom.min_y);
  EXPECT_EQ(top.max_y, bottom.max_y);
  EXPECT_GE(top.min_y, 100);
}

TEST_F(FontDrawTest, ARightLimitEndsTheRunAtTheFirstCharacterThatDoesNotFit) {
  // "W" does not fit before the limit; the narrower "i" after it would, but the run has ended.
  const float x = 100, limit = x + W("H") + W("i") + 0.5f;
  ASSERT_LT(limit, x + W("HW"));
  EngFontPrepareForDrawing(1);
  float end = font->DrawStringPart(x, 200, "HWi", 0, limit);
  EngFontRestoreAfterDrawing();
  EXPECT_FLOAT_EQ(end, x + W("H"));
  Lit lit = ReadLit();
  ASSERT_GT(lit.count, 10);
  EXPECT_LE(lit.max_x, (int)(x + W("H")) + 1);

  // Without a limit every character is drawn.
  EngFontPrepareForDrawing(1);
  EXPECT_FLOAT_EQ(font->DrawStringPart(x, 200, "HWi", 0, 0), x + W("HWi"));
  EngFontRestoreAfterDrawing();
}

TEST_F(FontDrawTest, CountsRecordedPositionsAndTheStartX) {
  const float x = 50;
  EngFontPrepareForDrawing(1);
  struct Case {
    int count;
    const char *drawn;
  };
  for (const Case &c : {Case{3, "ABC"}, Case{0, "ABCDEF"}, Case{6, "ABCDEF"}, Case{10, "ABCDEF"}}) {
    SCOPED_TRACE(c.count);
    EXPECT_FLOAT_EQ(font->DrawStringPart(x, 100, "ABCDEF", c.count, 0), x + W(c.drawn));
  }
  font->RecordNextTextXPos(0);
  font->DrawStringPart(x, 100, "ABCDEF", 3, 0);
  EXPECT_FLOAT_EQ(font->RecordNextTextXPos(-1), x);
  font->RecordNextTextXPos(2);
  font->DrawStringPart(x, 100, "ABCDEF", 3, 0);
  EXPECT_FLOAT_EQ(font->RecordNextTextXPos(-1), x + W("AB"));
  font->RecordNextTextXPos(3);
  font->DrawStringPart(x, 100, "ABCDEF", 3, 0);
  EXPECT_FLOAT_EQ(font->RecordNextTextXPos(-1), x + W("ABC"));

  // Characters starting left of the start x move the pen but are not drawn.
  device->ClearScreen();
  font->DrawStringPartSetXStartPos(1, x + W("AB"));
  EXPECT_FLOAT_EQ(font->DrawStringPart(x, 300, "ABCD", 0, 0), x + W("ABCD"));
  font->DrawStringPartSetXStartPos(0, 0);
  EngFontRestoreAfterDrawing();
  Lit lit = ReadLit();
  ASSERT_GT(lit.count, 10);
  EXPECT_GE(lit.min_x, (int)(x + W("AB")) - 1);
}

TEST_F(FontDrawTest, ColourTintsTheGlyphsAndTheRestoreResetsIt) {
  font->SetColour(1, 0, 0, 1);
  EngFontPrepareForDrawing(1);
  font->DrawString(100, 200, "HEH");
  EngFontRestoreAfterDrawing();
  Lit lit = ReadLit();
  ASSERT_GT(lit.count, 10);
  EXPECT_GT(lit.max_r, 200);
  EXPECT_EQ(lit.max_g, 0);
  EXPECT_EQ(lit.max_b, 0);
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ((std::vector<float>(colour, colour + 4)), (std::vector<float>{1, 1, 1, 1}));
}

TEST_F(FontDrawTest, PrepareAndRestoreLeaveTheDeviceAsTheyFoundIt) {
  EngMatrix before;
  device->GetProjectionMatrix(&before);
  char blend_on = 0;
  EngInt32 source = 0, destination = 0;
  device->DisableBlending();
  EXPECT_EQ(device->Is2dPrepared(), 0);
  EngFontPrepareForDrawingWithOrientation(1);
  EXPECT_EQ(EngFontIsReadyForDrawing(), 1);
  EXPECT_EQ(device->Is2dPrepared(), 1);
  EXPECT_EQ(device->IsBlendingEnabled(), 1);
  char prepared = 1;
  EXPECT_EQ(EngFontPrepareForDrawingIfNeeded(1, &prepared), 1);
  EXPECT_EQ(prepared, 0);
  std::string log = DeviceTest::Logged([&] { EngFontPrepareForDrawingIfNeeded(0, &prepared); });
  EXPECT_TRUE(Contains(log, "Ratio mix problem")) << log;
  EXPECT_EQ(prepared, 1);
  EXPECT_EQ(eng_font_using_ratio, 0);
  EXPECT_EQ(EngFontRestoreAfterDrawingIfNeeded(), 1);
  EXPECT_EQ(EngFontRestoreAfterDrawingIfNeeded(), 0);
  EXPECT_EQ(device->Is2dPrepared(), 0);
  device->GetBlendingState(&blend_on, &source, &destination);
  EXPECT_EQ(blend_on, 0);
  EngMatrix after;
  device->GetProjectionMatrix(&after);
  EXPECT_EQ(std::vector<float>(before.m, before.m + 16), std::vector<float>(after.m, after.m + 16));

  log = DeviceTest::Logged([] { EngFontRestoreAfterDrawing(); });
  EXPECT_TRUE(Contains(log, "Not setup.")) << log;
  log = DeviceTest::Logged([] { EngFontPrepareForDrawing(2); });
  EXPECT_TRUE(Contains(log, "Call EngFontPrepareForDrawingPure2() instead")) << log;
  EXPECT_EQ(eng_font_using_ratio, 2);
  EXPECT_EQ(device->Is2dPrepared(), 0);
  EngFontRestoreAfterDrawing();

  // Saving unprepares; restoring prepares again in the saved mode, once.
  EngFontPrepareForDrawing(1);
  EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(1);
  EXPECT_EQ(EngFontIsReadyForDrawing(), 0);
  EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(0);
  EXPECT_EQ(EngFontIsReadyForDrawing(), 1);
  EXPECT_EQ(eng_font_using_ratio, 1);
  EngFontRestoreAfterDrawing();
  log = DeviceTest::Logged([] { EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(0); });
  EXPECT_TRUE(Contains(log, "Not saved")) << log;
  EXPECT_EQ(EngFontIsReadyForDrawing(), 0);
}

TEST_F(FontDrawTest, DrawingOutsideAPreparationIsRefused) {
  std::string log = DeviceTest::Logged([&] { EXPECT_EQ(font->DrawString(100, 200, "HEH"), 0.0f); });
  EXPECT_TRUE(Contains(log, "Not ready for drawings")) << log;
  EXPECT_EQ(ReadLit().count, 0);
  log = DeviceTest::Logged([&] { EXPECT_EQ(font->GetCharDrawingDimensions('a', nullptr, nullptr, nullptr), 0); });
  EXPECT_TRUE(Contains(log, "Not implemented.")) << log;
}

TEST_F(FontDrawTest, WrappedLinesAreDrawnWhereTheLayoutPutsThem) {
  const float x = 50, y = 100, lh = font->GetLineHeight();
  const float box_w = W("one two ") + W("th") - 0.01f;
  int lines = 0;
  char fitted = 0;
  float widest = 0, used = 0;
  EngFontPrepareForDrawing(1);
  font->DrawMultilineText(x, y, box_w, 200, 0, 0, "one two three", 1, 0, &widest, &used, &lines, &fitted);
  EngFontRestoreAfterDrawing();
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(fitted, 1);
  Lit first = ReadLit(0, (int)y, 640, (int)(y + lh));
  Lit second = ReadLit(0, (int)(y + lh), 640, (int)(y + 2 * lh) + 1);
  ASSERT_GT(first.count, 10);
  ASSERT_GT(second.count, 10);
  EXPECT_LE(first.max_x, (int)(x + W("one two")) + 1);
  // Left-aligned, the wrapped line starts with "three", not with the blank before it.
  EXPECT_LE(second.min_x, (int)x + 2);
  EXPECT_LE(second.max_x, (int)(x + W("three")) + 1);

  // Right-aligned, the blank stays in front and the line ends at the box's x.
  device->ClearScreen();
  EngFontPrepareForDrawing(1);
  font->DrawMultilineText(400, y, box_w, 200, 2, 0, "one two three", 1, 0, nullptr, nullptr, nullptr, nullptr);
  EngFontRestoreAfterDrawing();
  second = ReadLit(0, (int)(y + lh), 640, (int)(y + 2 * lh) + 1);
  EXPECT_GE(second.min_x, (int)(400 - W("three")) - 1);
  EXPECT_LE(second.max_x, 401);
}

// Bright pixels of a 4-channel texture (rows top first).
Lit TextureLit(EngTexture &texture) {
  Lit lit;
  unsigned char *pixels = texture.GetGL()->AllocAndGetTextureImageData();
  if (!pixels) return lit;
  for (int y = 0; y < texture.GetHeight(); y++)
    for (int x = 0; x < texture.GetWidth(); x++) {
      const unsigned char *p = pixels + (y * texture.GetWidth() + x) * 4;
      if (p[0] < 128 || p[3] < 128) continue;
      lit.count++;
      lit.min_x = std::min(lit.min_x, x);
      lit.max_x = std::max(lit.max_x, x);
      lit.min_y = std::min(lit.min_y, y);
      lit.max_y = std::max(lit.max_y, y);
    }
  texture.GetGL()->FreeAllocatedTextureImageData();
  return lit;
}

TEST_F(FontDrawTest, TextDrawnIntoATextureIsCentredOnTheGivenPoint) {
  // Scales that copy the glyphs at the size they were rasterised.
  const float xs = 1 / 0.1604040f, ys = 1 / 0.2048890f;
  for (char two_channels : {0, 1}) {
    SCOPED_TRACE((int)two_channels);
    EngFont source;
    _EngFontCreationEffects fx = {};
    source.SetCreationEffects(&fx);
    ASSERT_EQ(source.CreateFromFontFile(kVeraBold, two_channels, 0, 16, 32, 254, nullptr, 0, 0.1604040f, 0.2048890f,
                                        0, 0),
              1);
    EngTexture target;
    target.Create();
    ASSERT_EQ(target.CreateEmptyTexture(256, 128, 1), 1);
    ASSERT_EQ(source.DrawToTexture(&target, "HIH", 128, 64, xs, ys, 1), 1);
    Lit lit = TextureLit(target);
    const float width = source.GetStringWidth("HIH") * xs;
    ASSERT_GT(lit.count, 50);
    EXPECT_GE(lit.min_x, (int)(128 - width / 2) - 1);
    EXPECT_LE(lit.max_x, (int)(128 + width / 2) + 1);
    EXPECT_LE(lit.min_x, 128 - 10);
    EXPECT_GE(lit.max_x, 128 + 10);
    // The capitals stand around the line through y.
    EXPECT_LT(lit.min_y, 64);
    EXPECT_GT(lit.max_y, 56);
    EXPECT_LT(lit.max_y, 64 + 20);
  }

  EngTexture target;
  target.Create();
  ASSERT_EQ(target.CreateEmptyTexture(64, 64, 1), 1);
  EXPECT_EQ(font->DrawToTexture(&target, "   ", 32, 32, 1, 1, 0), 1);
  std::string log = DeviceTest::Logged([&] { EXPECT_EQ(font->DrawToTexture(&target, nullptr, 0, 0, 1, 1, 0), 0); });
  EXPECT_TRUE(Contains(log, "No string")) << log;
  log = DeviceTest::Logged([&] { EXPECT_EQ(font->DrawToTexture(nullptr, "a", 0, 0, 1, 1, 0), 0); });
  EXPECT_TRUE(Contains(log, "No texture")) << log;
}

}  // namespace
