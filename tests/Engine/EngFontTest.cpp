// Fonts without a display: creation from the real Vera Bold file checked against FreeType's own
// metrics, the sheets it packs, the blur, measuring, the colour and scale state, and the
// word-wrapping layout measured over a table of texts.
#include "Engine/EngFont.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Engine/EngMain.h"
#include "tests/support/TestSupport.h"

namespace {

const char *const kVeraBold = "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf";

// The game's main font, as it is created.
const float kXScale = 0.1604040f, kYScale = 0.2048890f, kLetterYExtra = 1.000135f, kHeightExtra = 6.747f;

bool Contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

std::string Logged(const std::function<void()> &f) {
  testing::internal::CaptureStderr();
  f();
  return testing::internal::GetCapturedStderr();
}

char CreateMainFont(EngFont *font, char two_channels = 1, int size = 32, char *wanted = nullptr,
                    int wanted_count = 0) {
  return font->CreateFromFontFile(kVeraBold, two_channels, 0, size, 32, 254, wanted, wanted_count, kXScale,
                                  kYScale, kLetterYExtra, kHeightExtra);
}

_EngFontCreationEffects Effects(int margin, int sx, int sy, float brightness, float opacity, int blur_first,
                                int blur_opacity) {
  _EngFontCreationEffects fx = {};
  fx.margin = margin;
  fx.shadow_x = sx;
  fx.shadow_y = sy;
  fx.shadow_brightness = brightness;
  fx.shadow_opacity = opacity;
  fx.blur_first = blur_first;
  fx.blur_opacity = blur_opacity;
  return fx;
}

// Every sheet the font hands over, copied.
struct Sheet {
  int number, size, channels;
  std::vector<unsigned char> data;
};
std::vector<Sheet> captured_sheets;

void CaptureSheet(const EngFont *, int sheet, const unsigned char *data, int size, int channels) {
  captured_sheets.push_back({sheet, size, channels, std::vector<unsigned char>(data, data + size * size * channels)});
}

class EngFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(qwtest::FileExists(kVeraBold)) << "install ttf-bitstream-vera";
    eng_main_device_type = 0;
    EngFontResetForTests();
    captured_sheets.clear();
    EngFontSetSheetHookForTests(CaptureSheet);
  }
  void TearDown() override {
    EngFontSetSheetHookForTests(nullptr);
    EngFontResetForTests();
  }
};

// FreeType's advance for a code at the given size, in whole pixels.
int FreeTypeAdvance(FT_Face face, int code) {
  if (FT_Load_Char(face, (FT_ULong)code, FT_LOAD_DEFAULT)) return -1;
  return (int)(face->glyph->advance.x >> 6);
}

TEST_F(EngFontTest, RefusesBadArgumentsWithTheirMessages) {
  struct Case {
    const char *file;
    char two_channels;
    int size, min_char, max_char;
    const char *message;
  };
  const Case cases[] = {
      {nullptr, 1, 32, 32, 254, "No font file name specified"},
      {"", 1, 32, 32, 254, "No font file name specified"},
      {kVeraBold, 1, 32, -1, 254, "Bad min_char_needed [-1]"},
      {kVeraBold, 1, 32, 100, 99, "Bad min_char_needed [100]"},
      {kVeraBold, 1, 32, 0, 31, "Bad max_char_needed [31]"},
      {kVeraBold, 1, 32, 32, 256, "Bad max_char_needed [256]"},
      {kVeraBold, 1, 7, 32, 254, "Bad max bitmap size [7]"},
      {kVeraBold, 1, 513, 32, 254, "Bad max bitmap size [513]"},
      {kVeraBold, 2, 32, 32, 254, "Bad has_two_channels [2]"},
      {"/nonexistent/NoSuchFont.ttf", 1, 32, 32, 254, "Could not find file </nonexistent/NoSuchFont.ttf>"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    EngFont font;
    char result = 1;
    std::string log = Logged([&] {
      result = font.CreateFromFontFile(c.file, c.two_channels, 0, c.size, c.min_char, c.max_char, nullptr, 0, 1, 1,
                                       0, 0);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(font.IsCreated(), 0);
    EXPECT_TRUE(Contains(log, c.message)) << log;
  }
}

TEST_F(EngFontTest, RefusesAFileThatIsNotAFontAndASecondCreation) {
  qwtest::TempDir dir;
  qwtest::WriteWholeFile(dir.File("Bad.ttf"), "this is not a font");
  EngFont font;
  std::string log = Logged([&] {
    EXPECT_EQ(font.CreateFromFontFile(dir.File("Bad.ttf").c_str(), 1, 0, 32, 32, 254, nullptr, 0, 1, 1, 0, 0), 0);
  });
  EXPECT_TRUE(Contains(log, "Problem loading font <" + dir.File("Bad.ttf") + ">")) << log;

  ASSERT_EQ(CreateMainFont(&font), 1);
  log = Logged([&] { EXPECT_EQ(CreateMainFont(&font), 0); });
  EXPECT_TRUE(Contains(log, "FD already setup")) << log;
  EXPECT_EQ(font.IsCreated(), 1);
}

TEST_F(EngFontTest, AdvanceWidthsAndLineHeightFollowFreeTypesMetrics) {
  EngFont font;
  EngFontShowCharWarnings(1);
  std::string log = Logged([&] { ASSERT_EQ(CreateMainFont(&font), 1); });
  EXPECT_FLOAT_EQ(font.GetLineHeight(), 32 * kYScale + kHeightExtra);
  EXPECT_EQ(font.GetCharCount(), 255);

  FT_Library library;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  FT_Face face;
  ASSERT_EQ(FT_New_Face(library, kVeraBold, 0, &face), 0);
  ASSERT_EQ(FT_Set_Char_Size(face, 32 * 64, 32 * 64, 150, 150), 0);
  int present = 0;
  for (int code = 32; code <= 254; code++) {
    SCOPED_TRACE(code);
    const bool in_face = FT_Get_Char_Index(face, (FT_ULong)code) != 0;
    const _EngFontLetter *letter = font.GetLetter(code);
    if (!in_face) {
      // A code the face lacks is left out, with its one warning.
      EXPECT_EQ(letter, nullptr);
      EXPECT_EQ(font.GetSheetNumber(code), -1);
      EXPECT_EQ(font.GetCharWidth((char)code), 0.0f);
      EXPECT_TRUE(Contains(log, "No char at " + std::to_string(code))) << log;
      continue;
    }
    present++;
    const float expected = FreeTypeAdvance(face, code) * kXScale;
    EXPECT_FLOAT_EQ(font.GetCharWidth((char)code), expected);
    ASSERT_NE(letter, nullptr);
    EXPECT_FLOAT_EQ(letter->advance, expected);
    EXPECT_EQ(letter->sheet, font.GetSheetNumber(code));
    EXPECT_LT(font.GetSheetNumber(code), font.GetNumSheets());
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  EXPECT_GT(present, 180);
  // Plausible widths of a bold face at this size: 'W' wider than 'M' wider than 'i'; digits equal.
  EXPECT_GT(font.GetCharWidth('W'), font.GetCharWidth('i'));
  EXPECT_GT(font.GetCharWidth('M'), font.GetCharWidth('l'));
  EXPECT_FLOAT_EQ(font.GetCharWidth('0'), font.GetCharWidth('8'));
  EXPECT_GT(font.GetCharWidth(' '), 0.0f);
  // Codes below the first wanted one get nothing.
  EXPECT_EQ(font.GetSheetNumber(10), -1);
  EXPECT_EQ(font.GetCharWidth('\n'), 0.0f);
}

TEST_F(EngFontTest, SheetsHoldEachGlyphsCoverageWhereItsRecordSays) {
  // One channel, no effects: a glyph's cell holds exactly FreeType's bitmap.
  EngFont font;
  font.SetCreationEffects(nullptr);
  ASSERT_EQ(CreateMainFont(&font, 0), 1);
  ASSERT_EQ((int)captured_sheets.size(), font.GetNumSheets());
  for (size_t i = 0; i < captured_sheets.size(); i++) {
    EXPECT_EQ(captured_sheets[i].number, (int)i);
    EXPECT_EQ(captured_sheets[i].size, 512);
    EXPECT_EQ(captured_sheets[i].channels, 1);
  }

  FT_Library library;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  FT_Face face;
  ASSERT_EQ(FT_New_Face(library, kVeraBold, 0, &face), 0);
  ASSERT_EQ(FT_Set_Char_Size(face, 32 * 64, 32 * 64, 150, 150), 0);
  for (int code : std::vector<int>{'A', 'g', 'W', '.', 0xC9 /* E acute */, 0xFE /* thorn */}) {
    SCOPED_TRACE(code);
    ASSERT_EQ(FT_Load_Char(face, (FT_ULong)code, FT_LOAD_RENDER), 0);
    const FT_Bitmap &bitmap = face->glyph->bitmap;
    const _EngFontLetter *letter = font.GetLetter(code);
    ASSERT_NE(letter, nullptr);
    const Sheet &sheet = captured_sheets[letter->sheet];
    const int x0 = (int)std::lround(letter->tex_left * 512), y0 = (int)std::lround(letter->tex_top * 512);
    EXPECT_EQ((int)std::lround((letter->tex_right - letter->tex_left) * 512), (int)bitmap.width);
    EXPECT_EQ((int)std::lround((letter->tex_bottom - letter->tex_top) * 512), (int)bitmap.rows);
    for (unsigned row = 0; row < bitmap.rows; row++)
      for (unsigned col = 0; col < bitmap.width; col++)
        ASSERT_EQ(sheet.data[(y0 + row) * 512 + x0 + col], bitmap.buffer[row * bitmap.pitch + col])
            << "row " << row << " col " << col;
    EXPECT_FLOAT_EQ(letter->x_offset, face->glyph->bitmap_left * kXScale);
    EXPECT_FLOAT_EQ(letter->y_offset, (face->glyph->bitmap_top - (int)bitmap.rows) * kYScale + kLetterYExtra);
    EXPECT_FLOAT_EQ(letter->width, bitmap.width * kXScale);
    EXPECT_FLOAT_EQ(letter->height, bitmap.rows * kYScale);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  // A space gets an advance and a blank 2 by 2 cell.
  const _EngFontLetter *space = font.GetLetter(' ');
  ASSERT_NE(space, nullptr);
  EXPECT_GT(space->advance, 0.0f);
  EXPECT_FLOAT_EQ(space->width, 2 * kXScale);
  const Sheet &sheet = captured_sheets[space->sheet];
  const int sx = (int)std::lround(space->tex_left * 512), sy = (int)std::lround(space->tex_top * 512);
  for (int row = 0; row < 2; row++)
    for (int col = 0; col < 2; col++) EXPECT_EQ(sheet.data[(sy + row) * 512 + sx + col], 0);
}

TEST_F(EngFontTest, MainFontEffectsGiveTwoChannelShadowedBlurredSheets) {
  EngFont font;
  _EngFontCreationEffects fx = Effects(2, 7, 6, 0.0f, 0.76655f, 3, 2);
  font.SetCreationEffects(&fx);
  ASSERT_EQ(CreateMainFont(&font), 1);
  ASSERT_EQ((int)captured_sheets.size(), font.GetNumSheets());
  const _EngFontLetter *a = font.GetLetter('A');
  ASSERT_NE(a, nullptr);
  const Sheet &sheet = captured_sheets[a->sheet];
  ASSERT_EQ(sheet.channels, 2);
  // The cell (texture rectangle less the widening by half the margin on each side).
  const int x0 = (int)std::lround(a->tex_left * 512 + 1), y0 = (int)std::lround(a->tex_top * 512 + 1);
  const int x1 = (int)std::lround(a->tex_right * 512 - 1), y1 = (int)std::lround(a->tex_bottom * 512 - 1);
  int opaque = 0, dark_opaque = 0, bright = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) {
      const unsigned char *p = &sheet.data[(y * 512 + x) * 2];
      if (p[1] > 100) opaque++;
      if (p[1] > 100 && p[0] < 40) dark_opaque++;
      if (p[0] > 100) bright++;
    }
  EXPECT_GT(bright, 100);       // the glyph
  EXPECT_GT(dark_opaque, 20);   // its black shadow, down and to the right
  EXPECT_GT(opaque, bright);
  // The quad covers the cell: glyph, both margins and the shadow's offset.
  EXPECT_FLOAT_EQ(a->width, (x1 - x0) * kXScale);
  EXPECT_FLOAT_EQ(a->height, (y1 - y0) * kYScale);
}

TEST_F(EngFontTest, SmallSheetsSplitTheGlyphsAndEachSheetIsHandedOverOnce) {
  EngFont font;
  font.SetSheetSize(128);
  ASSERT_EQ(CreateMainFont(&font, 1, 16), 1);
  EXPECT_GT(font.GetNumSheets(), 2);
  ASSERT_EQ((int)captured_sheets.size(), font.GetNumSheets());
  for (size_t i = 0; i < captured_sheets.size(); i++) {
    EXPECT_EQ(captured_sheets[i].number, (int)i);
    EXPECT_EQ(captured_sheets[i].size, 128);
  }
  // The later sheets start from a cleared buffer: the last sheet holds only its own glyphs.
  std::vector<int> codes_on_last;
  for (int c = 32; c <= 254; c++)
    if (font.GetSheetNumber(c) == font.GetNumSheets() - 1) codes_on_last.push_back(c);
  EXPECT_FALSE(codes_on_last.empty());
}

TEST_F(EngFontTest, EveryPlacedCellLiesInsideItsSheetAtEverySize) {
  // Glyphs at 150 dpi are about twice the point size: large sizes on small sheets cannot fit.
  struct Case {
    int sheet_size, size, margin, shadow;
  };
  const Case cases[] = {{64, 8, 0, 0},   {64, 20, 2, 7},   {64, 32, 2, 7},  {128, 60, 4, 4},
                        {96, 96, 0, 0},  {512, 200, 2, 7}, {512, 512, 0, 0}, {256, 40, 30, 30}};
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.sheet_size << " / " << c.size << " / " << c.margin);
    captured_sheets.clear();
    EngFont font;
    font.SetSheetSize(c.sheet_size);
    _EngFontCreationEffects fx = Effects(c.margin, c.shadow, c.shadow, 0.5f, 0.5f, 1, 1);
    font.SetCreationEffects(&fx);
    char created = 0;
    std::string log = Logged([&] { created = CreateMainFont(&font, 1, c.size); });
    if (!created) {
      EXPECT_TRUE(Contains(log, "No sheets")) << log;
      continue;
    }
    const float s = (float)c.sheet_size, half = c.margin / 2.0f / s;
    int placed = 0;
    for (int code = 32; code <= 254; code++) {
      const _EngFontLetter *l = font.GetLetter(code);
      if (!l) continue;
      placed++;
      EXPECT_GE(l->tex_left + half, 0.0f);
      EXPECT_GE(l->tex_top + half, 0.0f);
      EXPECT_LE(l->tex_right - half, 1.0f);
      EXPECT_LE(l->tex_bottom - half, 1.0f);
      EXPECT_LT(l->sheet, font.GetNumSheets());
    }
    EXPECT_GT(placed, 0);
  }
}

TEST_F(EngFontTest, OnlyWantedCodesAreMade) {
  std::vector<char> wanted(128, 0);
  wanted['A'] = wanted['b'] = 1;
  EngFont font;
  ASSERT_EQ(CreateMainFont(&font, 1, 32, wanted.data(), (int)wanted.size()), 1);
  EXPECT_NE(font.GetLetter('A'), nullptr);
  EXPECT_NE(font.GetLetter('b'), nullptr);
  EXPECT_EQ(font.GetLetter('B'), nullptr);
  EXPECT_EQ(font.GetSheetNumber('B'), -1);
  // Codes at or past the table's end are all wanted.
  EXPECT_NE(font.GetLetter(0xE9), nullptr);
}

TEST_F(EngFontTest, FontFileDetailsNameTheFaceAndItsCases) {
  char family[256] = "", style[256] = "";
  int cases = -1;
  ASSERT_EQ(EngFontGetFontFileDetails(kVeraBold, family, style, &cases), 1);
  EXPECT_STREQ(family, "Bitstream Vera Sans");
  EXPECT_STREQ(style, "Bold");
  EXPECT_EQ(cases, 3);
  EXPECT_EQ(EngFontGetFontFileDetails(kVeraBold, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(EngFontGetFontFileDetails("/nonexistent/NoSuchFont.ttf", family, style, &cases), 0);
}

TEST_F(EngFontTest, BinomialBlurWeightsAndEdges) {
  // A single bright pixel spreads with weights 1 2 1 / 2 4 2 / 1 2 1 over 16.
  std::vector<unsigned char> image(5 * 5, 0);
  image[2 * 5 + 2] = 160;
  BinomColor(1, 0, 1, 5, 5, image.data(), (unsigned)image.size());
  const unsigned char expected[5 * 5] = {
      // Edge rows and columns copy the source's second and second-last row or column.
      0, 0,  0,  0,  0,   //
      0, 10, 20, 10, 0,   //
      0, 20, 40, 20, 0,   //
      0, 10, 20, 10, 0,   //
      0, 0,  0,  0,  0};
  EXPECT_EQ(std::vector<unsigned char>(expected, expected + 25), image);

  // Edges take the pass's source values, not the blurred ones.
  std::vector<unsigned char> ramp(4 * 3);
  for (int i = 0; i < 12; i++) ramp[i] = (unsigned char)(i * 10);
  std::vector<unsigned char> blurred = ramp;
  BinomColor(1, 0, 1, 4, 3, blurred.data(), (unsigned)blurred.size());
  EXPECT_EQ(blurred[0], ramp[4]);    // the first row is the source's row 1, corners included
  EXPECT_EQ(blurred[11], ramp[7]);   // the last row is the source's row h - 2 = 1
  EXPECT_EQ(blurred[4], ramp[5]);    // the first column is the source's column 1

  // Two channels: each channel gets its own passes; none means untouched.
  std::vector<unsigned char> two(5 * 5 * 2, 0);
  two[(2 * 5 + 2) * 2] = 160;
  two[(2 * 5 + 2) * 2 + 1] = 160;
  BinomColor(2, 1, 0, 5, 5, two.data(), (unsigned)two.size());
  EXPECT_EQ(two[(2 * 5 + 2) * 2], 160);
  EXPECT_EQ(two[(2 * 5 + 2) * 2 + 1], 40);

  // No passes, an image without an inside, or a short buffer: nothing changes.
  std::vector<unsigned char> same = {1, 2, 3, 4};
  BinomColor(1, 0, 0, 2, 2, same.data(), 4);
  BinomColor(1, 0, 3, 2, 2, same.data(), 4);
  EXPECT_EQ((std::vector<unsigned char>{1, 2, 3, 4}), same);
  std::vector<unsigned char> short_buffer(9, 90);
  BinomColor(2, 1, 1, 3, 3, short_buffer.data(), 9);
  EXPECT_EQ(std::vector<unsigned char>(9, 90), short_buffer);
}

// --- Measuring and state ------------------------------------------------------------------------

class EngFontMeasureTest : public EngFontTest {
 protected:
  static void SetUpTestSuite() {
    font = new EngFont;
    font->CreateFromFontFile(kVeraBold, 1, 0, 32, 32, 254, nullptr, 0, kXScale, kYScale, kLetterYExtra,
                             kHeightExtra);
  }
  static void TearDownTestSuite() {
    delete font;
    font = nullptr;
  }
  void SetUp() override {
    EngFontTest::SetUp();
    ASSERT_EQ(font->IsCreated(), 1);
    font->SetScale(nullptr);
    font->SetMultilineYgap(0);
  }
  static float W(const char *text) {
    float w = 0;
    for (const char *p = text; *p; p++) w += font->GetCharWidth(*p);
    return w;
  }
  static EngFont *font;
};
EngFont *EngFontMeasureTest::font = nullptr;

TEST_F(EngFontMeasureTest, ScaleTurnsOnOnlyForNonZeroFactorsOtherThanOne) {
  const float ab = font->GetCharWidth('A') + font->GetCharWidth('b');
  const float lh = font->GetLineHeight();
  struct Case {
    float x, y, width, height;
  };
  const Case cases[] = {{2, 1, 2 * ab, lh}, {1, 1, ab, lh}, {0, 3, ab, lh}, {1, 0.5f, ab, 0.5f * lh}};
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    font->SetScale(c.x, c.y);
    EXPECT_FLOAT_EQ(font->GetStringWidth("Ab"), c.width);
    EXPECT_FLOAT_EQ(font->GetFontHeight(1), c.height);
    EXPECT_FLOAT_EQ(font->GetFontHeight(0), lh);
    float x = -1, y = -1;
    font->GetScale(&x, &y);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
  EXPECT_EQ(font->GetStringWidth(nullptr), 0.0f);
  EngFont empty;
  empty.SetScale(2, 2);
  EXPECT_EQ(empty.GetStringWidth("Ab"), 0.0f);
  EXPECT_EQ(empty.GetFontHeight(1), 0.0f);
}

TEST_F(EngFontMeasureTest, ColourKeepsComponentsGivenNegative) {
  EngFont empty;
  float r, g, b, a;
  empty.GetColour(&r, &g, &b, &a);
  EXPECT_EQ((std::vector<float>{r, g, b, a}), (std::vector<float>{1, 1, 1, 1}));

  EngFont other;
  ASSERT_EQ(CreateMainFont(&other, 1, 8), 1);
  other.SetColour(0.2f, 0.3f, 0.4f, 0.5f);
  other.SetColour(-1, 0.5f, -1, -1);
  _ColourRGBA colour;
  other.GetColour(&colour);
  EXPECT_EQ((std::vector<float>{colour.r, colour.g, colour.b, colour.a}),
            (std::vector<float>{0.2f, 0.5f, 0.4f, 0.5f}));
}

TEST_F(EngFontMeasureTest, VerticalAlignmentGivesTheBottomOfTheLine) {
  const float h = font->GetLineHeight();
  EXPECT_FLOAT_EQ(font->DrawStringPartAlignGetYPos(100, 0), 100 + h);
  EXPECT_FLOAT_EQ(font->DrawStringPartAlignGetYPos(100, 1), 100 + h / 2);
  EXPECT_FLOAT_EQ(font->DrawStringPartAlignGetYPos(100, 2), 100);
  EXPECT_FLOAT_EQ(font->DrawStringPartAlignGetYPos(100, 7), 100 + h);
  font->SetScale(1, 2);
  EXPECT_FLOAT_EQ(font->DrawStringPartAlignGetYPos(100, 0), 100 + 2 * h);
}

struct Layout {
  int lines;
  float widest, height;
  char fitted;
};

Layout Measure(EngFont *font, const std::string &text, float w, float h, int first_line = 0) {
  Layout out = {-1, -1, -1, -1};
  font->DrawMultilineText(10, 20, w, h, 0, 0, text.c_str(), 0, first_line, &out.widest, &out.height, &out.lines,
                          &out.fitted);
  return out;
}

TEST_F(EngFontMeasureTest, MultilineLayoutOverATableOfTexts) {
  const float lh = font->GetLineHeight(), wide = 1000, tall = 1000;
  // A box that holds "one two " and the first two letters of "three" only just does not.
  const float wrap_w = W("one two ") + W("th") - 0.01f;
  struct Case {
    const char *name;
    std::string text;
    float w, h;
    int first_line;
    Layout expected;
  };
  const Case cases[] = {
      {"empty", "", wide, tall, 0, {1, 0, lh, 1}},
      {"lone blank", " ", wide, tall, 0, {1, 0, lh, 1}},
      {"lone tab", "\t", wide, tall, 0, {1, 0, lh, 1}},
      {"one line", "Hello", wide, tall, 0, {1, W("Hello"), lh, 1}},
      {"wraps before the third word", "one two three", wrap_w, tall, 0,
       {2, std::max(W("one two "), W("three")), 2 * lh, 1}},
      {"empty middle line", "a\n\nb", wide, tall, 0, {3, std::max(W("a"), W("b")), 3 * lh, 1}},
      {"leading newline", "\nab", wide, tall, 0, {2, W("ab"), 2 * lh, 1}},
      {"trailing newline", "a\n", wide, tall, 0, {2, W("a"), 2 * lh, 1}},
      {"first two lines skipped", "a\nbb\nc\nd", wide, tall, 2, {2, W("bb"), 2 * lh, 1}},
      {"box of two lines", "a\nb\nc\nd", wide, 2 * lh, 0, {2, std::max(W("a"), W("b")), 2 * lh, 0}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Layout got = Measure(font, c.text, c.w, c.h, c.first_line);
    EXPECT_EQ(got.lines, c.expected.lines);
    EXPECT_FLOAT_EQ(got.widest, c.expected.widest);
    EXPECT_FLOAT_EQ(got.height, c.expected.height);
    EXPECT_EQ(got.fitted, c.expected.fitted);
  }
}

TEST_F(EngFontMeasureTest, AWordLongerThanTheBoxIsCutAndContinues) {
  const std::string word = "abcdefghijklmnop";
  const float w = W("abcde") + 0.5f;
  Layout got = Measure(font, word, w, 1000);
  EXPECT_GE(got.lines, 4);
  EXPECT_EQ(got.fitted, 1);
  EXPECT_LT(got.widest, w);
  // Even a box narrower than any letter ends: each line takes one character.
  got = Measure(font, "abc", 0.5f, 1000);
  EXPECT_GE(got.lines, 3);
  EXPECT_EQ(got.fitted, 1);
}

TEST_F(EngFontMeasureTest, LayoutUsesStoredScalesAndTheLineGap) {
  const float lh = font->GetLineHeight();
  font->SetScale(0, 3);
  Layout got = Measure(font, "a\nb", 1000, 1000);
  EXPECT_EQ(got.lines, 2);
  EXPECT_FLOAT_EQ(got.widest, 0);
  EXPECT_FLOAT_EQ(got.height, 6 * lh);
  font->SetScale(nullptr);
  font->SetMultilineYgap(5);
  got = Measure(font, "a\nb\nc", 1000, 1000);
  EXPECT_FLOAT_EQ(got.height, 15);
}

TEST_F(EngFontMeasureTest, LinesLongerThanTheBufferAreCutAndReported) {
  std::string log;
  Layout got;
  log = Logged([&] { got = Measure(font, std::string(300, 'i') + "\nb", 1e6f, 1000); });
  EXPECT_TRUE(Contains(log, "Line part too long")) << log;
  EXPECT_EQ(got.lines, 2);
  EXPECT_EQ(got.fitted, 1);
}

TEST_F(EngFontMeasureTest, NullTextOrFontNotCreatedMeasuresNothing) {
  Layout got = Measure(font, "x", 100, 100);
  font->DrawMultilineText(0, 0, 100, 100, 0, 0, nullptr, 0, 0, &got.widest, &got.height, &got.lines, &got.fitted);
  EXPECT_EQ(got.lines, 0);
  EXPECT_EQ(got.height, 0);
  EXPECT_EQ(got.fitted, 1);
  EngFont empty;
  empty.DrawMultilineText(0, 0, 100, 100, 0, 0, "abc", 0, 0, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(EngFontMeasureTest, DrawingWithoutADeviceOrPreparationDoesNothing) {
  EXPECT_EQ(font->DrawString(10, 10, "abc"), 0.0f);
  EXPECT_EQ(font->GetCharDrawingDimensions('a', nullptr, nullptr, nullptr), 1);
  EngFontRestoreAfterDrawing();
  EXPECT_EQ(EngFontIsReadyForDrawing(), 0);
  std::string log = Logged([&] { EXPECT_EQ(font->DrawToTexture(nullptr, "", 0, 0, 1, 1, 0), 0); });
  EXPECT_TRUE(Contains(log, "No string")) << log;
  log = Logged([&] { EXPECT_EQ(font->DrawToTexture(nullptr, "a", 0, 0, 1, 1, 0), 0); });
  EXPECT_TRUE(Contains(log, "No texture")) << log;
}

}  // namespace
