#include "Engine/EngMiscNumeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(EngMiscNumericFloats, NearlyEqual) {
  struct {
    float a, b;
    char nearly, quite;
  } cases[] = {
      {1000, 1000.5f, 1, 1}, {1, 1.01f, 0, 1}, {0.5f, 0, 0, 0}, {0, 0, 1, 1},    {0, 0.5f, 0, 0},
      {1, 1.2f, 0, 0},       {-2, -2.001f, 1, 1}, {-2, 2, 0, 0}, {kNaN, 1, 0, 0}, {kNaN, kNaN, 0, 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << " vs " << c.b);
    EXPECT_EQ(EngMiscFloatsAreNearlyEqual(c.a, c.b), c.nearly);
    EXPECT_EQ(EngMiscFloatsAreQuiteNearlyEqual(c.a, c.b), c.quite);
  }
}

TEST(EngMiscNumericLines, SideOfLineAndOfItsPerpendicular) {
  struct {
    _Vector2d a, b, p;
    float side, perp;
  } cases[] = {
      {{0, 0}, {1, 0}, {0, 1}, -1, 1},   // above the line, behind b
      {{0, 0}, {1, 0}, {0, -1}, 1, 1},
      {{0, 0}, {2, 0}, {1, 5}, -10, 2},  // a's side of the perpendicular through b
      {{0, 0}, {2, 0}, {3, 0}, 0, -2},   // on the line, beyond b
      {{0, 0}, {2, 0}, {2, 7}, -14, 0},  // on the perpendicular
  };
  for (auto &c : cases) {
    SCOPED_TRACE(int(&c - cases));
    EXPECT_FLOAT_EQ(EngMiscGetSideOfLinePointIsOn2D(&c.a, &c.b, &c.p), c.side);
    EXPECT_FLOAT_EQ(EngMiscGetSideOfLinePointIsOn2DPerp(&c.a, &c.b, &c.p), c.perp);
    // The XZ forms read x and z and ignore y.
    _Vector3d a = {c.a.x, 99, c.a.y}, b = {c.b.x, -5, c.b.y}, p = {c.p.x, 7, c.p.y};
    EXPECT_FLOAT_EQ(EngMiscGetSideOfLinePointIsOn2DXZ(&a, &b, &p), c.side);
    EXPECT_FLOAT_EQ(EngMiscGetSideOfLinePointIsOn2DPerpXZ(&a, &b, &p), c.perp);
  }
}

TEST(EngMiscNumericPowers, ClosestPowerOf2) {
  struct {
    unsigned n, expected;
  } cases[] = {
      {0, 2},        {1, 2},        {2, 4},       {3, 4},        {5, 4},        {6, 8},           {11, 8},
      {12, 16},      {23, 16},      {24, 32},     {95, 64},      {96, 128},     {700, 512},       {767, 512},
      {768, 1024},   {1535, 1024},  {3071, 2048}, {6143, 4096},  {6144, 8192},  {12287, 8192},    {12288, 16384},
      {16384, 16384}, {16385, 32768}, {20000, 32768}, {0x80000000u, 0x80000000u},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(EngMiscGetClosestPowerOf2(c.n), c.expected);
  }
  testing::internal::CaptureStderr();
  EXPECT_EQ(EngMiscGetClosestPowerOf2(0x80000001u), 0u);  // no power fits, and the call returns
  EXPECT_EQ(EngMiscGetClosestPowerOf2(0xFFFFFFFFu), 0u);
  testing::internal::GetCapturedStderr();
}

TEST(EngMiscNumericColours, Desaturate) {
  struct {
    float amount;
    _ColourRGB expected;
  } cases[] = {{0, {1, 0.5f, 0.2f}}, {1, {0.2f, 0.2f, 0.2f}}, {0.5f, {0.6f, 0.35f, 0.2f}}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.amount);
    _ColourRGB colour = {1, 0.5f, 0.2f};
    EngMiscDesaturateColour(&colour, c.amount);
    EXPECT_FLOAT_EQ(colour.r, c.expected.r);
    EXPECT_FLOAT_EQ(colour.g, c.expected.g);
    EXPECT_FLOAT_EQ(colour.b, c.expected.b);
  }

  testing::internal::CaptureStderr();
  for (float bad : {-0.1f, 1.5f, kNaN}) {
    _ColourRGB colour = {1, 0.5f, 0.2f};
    EngMiscDesaturateColour(&colour, bad);
    EXPECT_EQ(colour.r, 1);
    EXPECT_EQ(colour.g, 0.5f);
  }
  EngMiscDesaturateColour(nullptr, 0.5f);
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("EngMiscDesaturateColour"), std::string::npos) << log;
}

TEST(EngMiscNumericColours, HexToRGBUsesOneStaticColour) {
  _ColourRGB *c = EngMiscHexColourToRGB(0xFF8000);
  EXPECT_FLOAT_EQ(c->r, 1);
  EXPECT_FLOAT_EQ(c->g, 128.0f / 255);
  EXPECT_FLOAT_EQ(c->b, 0);
  _ColourRGB *again = EngMiscHexColourToRGB(0xAB0000FF);  // the top byte is ignored
  EXPECT_EQ(again, c);
  EXPECT_FLOAT_EQ(c->r, 0);
  EXPECT_FLOAT_EQ(c->b, 1);
}

TEST(EngMiscNumericColours, RGB2HSV) {
  struct {
    float r, g, b, h, s, v;
  } cases[] = {
      {0.3f, 0.3f, 0.3f, 0.5f, 0, 0.3f},  // grey
      {0, 0, 0, 0.5f, 0, 0},              // black: no saturation, no division
      {1, 0, 0, 0, 1, 1},                 {0, 1, 0, 2.0f / 6, 1, 1},
      {0, 0, 1, 4.0f / 6, 1, 1},          {1, 0, 1, 5.0f / 6, 1, 1},  // b > g wraps the hue
      {1, 1, 0, 1.0f / 6, 1, 1},          {0.5f, 0.25f, 0.25f, 0, 0.5f, 0.5f},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.r << ", " << c.g << ", " << c.b);
    float h = -1, s = -1, v = -1;
    EngMiscRGB2HSV(c.r, c.g, c.b, &h, &s, &v);
    EXPECT_FLOAT_EQ(h, c.h);
    EXPECT_FLOAT_EQ(s, c.s);
    EXPECT_FLOAT_EQ(v, c.v);
  }
  float v = -1;
  EngMiscRGB2HSV(0.2f, 0.4f, 0.1f, nullptr, nullptr, &v);
  EXPECT_FLOAT_EQ(v, 0.4f);
  float h = -1;
  EngMiscRGB2HSV(0.2f, 0.4f, 0.1f, &h, nullptr, nullptr);
  EXPECT_NEAR(h, ((0.1f - 0.2f) / 0.3f + 2) / 6, 1e-6);
}

struct Item {
  int key;
  int id;
};

int CompareItems(const void *first, const void *second) {
  return static_cast<const Item *>(first)->key - static_cast<const Item *>(second)->key;
}

TEST(EngMiscNumericSort, InsertionSortIsStable) {
  const std::vector<std::vector<int>> inputs = {
      {3, 1, 2}, {5, 4, 3, 2, 1}, {1, 2, 3, 4}, {2, 1, 2, 1, 2, 1}, {7, 7, 7}, {0, -5, 10, -5, 0, 3},
  };
  for (const auto &keys : inputs) {
    std::vector<Item> items;
    for (size_t i = 0; i < keys.size(); i++) items.push_back({keys[i], int(i)});
    EngMiscInsertionSort(items.data(), items.size(), sizeof(Item), CompareItems);
    for (size_t i = 1; i < items.size(); i++) {
      SCOPED_TRACE(testing::Message() << "case of " << keys.size() << ", position " << i);
      ASSERT_LE(items[i - 1].key, items[i].key);
      if (items[i - 1].key == items[i].key) {
        EXPECT_LT(items[i - 1].id, items[i].id);
      }
    }
  }
}

TEST(EngMiscNumericSort, NothingToSort) {
  Item items[2] = {{2, 0}, {1, 1}};
  EngMiscInsertionSort(items, 1, sizeof(Item), CompareItems);
  EngMiscInsertionSort(items, 0, sizeof(Item), CompareItems);
  EngMiscInsertionSort(items, 2, 0, CompareItems);
  EngMiscInsertionSort(nullptr, 2, sizeof(Item), CompareItems);
  EXPECT_EQ(items[0].key, 2);
  EXPECT_EQ(items[1].key, 1);
}

TEST(EngMiscNumericBytes, SwapMemory) {
  char a[] = "first block", b[] = "other thing";
  ASSERT_EQ(sizeof(a), sizeof(b));
  EXPECT_EQ(EngMiscSwapMemory(a, b, sizeof(a)), 1);
  EXPECT_STREQ(a, "other thing");
  EXPECT_STREQ(b, "first block");

  testing::internal::CaptureStderr();
  EXPECT_EQ(EngMiscSwapMemory(nullptr, b, 4), 0);
  EXPECT_EQ(EngMiscSwapMemory(a, nullptr, 4), 0);
  EXPECT_EQ(EngMiscSwapMemory(a, b, 0), 0);
  testing::internal::GetCapturedStderr();
  EXPECT_STREQ(a, "other thing");
}

TEST(EngMiscNumericBytes, SwapWordsAndBytes) {
  unsigned int u = 0x11223344u;
  EngMiscSwapWords(&u);
  EXPECT_EQ(u, 0x44332211u);
  int i = 0x01020304;
  EngMiscSwapWords(&i);
  EXPECT_EQ(i, 0x04030201);
  int neg = -2;  // 0xFFFFFFFE
  EngMiscSwapWords(&neg);
  EXPECT_EQ(unsigned(neg), 0xFEFFFFFFu);

  float f = 1.0f;  // 0x3F800000
  EngMiscSwapWords(&f);
  unsigned int bits;
  memcpy(&bits, &f, 4);
  EXPECT_EQ(bits, 0x0000803Fu);
  EngMiscSwapWords(&f);
  EXPECT_EQ(f, 1.0f);

  unsigned short us = 0x1234;
  EngMiscSwapBytes(&us);
  EXPECT_EQ(us, 0x3412);
  short s = short(0x80FF);
  EngMiscSwapBytes(&s);
  EXPECT_EQ(s, short(0xFF80));

  EngMiscSwapWords(static_cast<unsigned int *>(nullptr));
  EngMiscSwapBytes(static_cast<short *>(nullptr));
}

TEST(EngMiscNumericBytes, FourCharCodes) {
  const unsigned char omem[4] = {'O', 'M', 'E', 'M'};
  EXPECT_EQ(EngMiscConvertFourCharsToNumber(omem), EngUInt32(DEBUG_ERR_OMEM));
  EXPECT_EQ(EngMiscConvertFourCharsToNumber(omem), EngFourCC("OMEM"));

  const unsigned char high[4] = {0xFF, 0x80, 0x01, 0xFE};
  EXPECT_EQ(EngMiscConvertFourCharsToNumber(high), 0xFF8001FEu);

  unsigned char out[4] = {0, 0, 0, 0};
  EXPECT_EQ(EngMiscConvertNumberToFourChars(0xFF8001FEu, out), 1);
  EXPECT_EQ(memcmp(out, high, 4), 0);
  EXPECT_EQ(EngMiscConvertNumberToFourChars(EngFourCC("MAIN"), out), 1);
  EXPECT_EQ(memcmp(out, "MAIN", 4), 0);

  testing::internal::CaptureStderr();
  EXPECT_EQ(EngMiscConvertFourCharsToNumber(nullptr), 0u);
  EXPECT_EQ(EngMiscConvertNumberToFourChars(1, nullptr), 0);
  testing::internal::GetCapturedStderr();
}

TEST(EngMiscNumericHex, DigitsBothWays) {
  struct {
    char c;
    int value;
  } digits[] = {{'0', 0}, {'9', 9}, {'a', 10}, {'f', 15}, {'A', 10}, {'F', 15}, {'c', 12}};
  for (const auto &d : digits) {
    SCOPED_TRACE(d.c);
    EXPECT_EQ(EngMiscConvertHexCharacterToNumber(d.c), d.value);
  }
  EngMiscConvertHexCharacterToNumber(char(0xE9));  // Latin-1 text must not upset the lower-casing

  struct {
    int n;
    char c;
  } chars[] = {{0, '0'}, {9, '9'}, {10, 'a'}, {15, 'f'}, {16, '0'}, {-1, 'f'}, {0x7B, 'b'}};
  for (const auto &d : chars) {
    SCOPED_TRACE(d.n);
    EXPECT_EQ(EngMiscConvertNumberToHexCharacter(char(d.n)), d.c);
  }
  for (int n = 0; n < 16; n++) EXPECT_EQ(EngMiscConvertHexCharacterToNumber(EngMiscConvertNumberToHexCharacter(char(n))), n);
}

TEST(EngMiscNumericHex, ShowBinaryStaysInsideTheBuffer) {
  testing::internal::CaptureStderr();
  char big[33 + 1];
  memset(big, '#', sizeof(big));
  EXPECT_EQ(EngMiscShowBinary(5, 32, big), big);
  EXPECT_STREQ(big, "Not Supported");
  EXPECT_EQ(big[33], '#');

  // A display of 8 bits needs 9 bytes: the message is cut to fit them.
  char small[9 + 1];
  memset(small, '#', sizeof(small));
  EngMiscShowBinary(5, 8, small);
  EXPECT_STREQ(small, "Not Supp");
  EXPECT_EQ(small[9], '#');

  char one = '#';
  EngMiscShowBinary(1, -3, &one);
  EXPECT_EQ(one, '#');
  EXPECT_EQ(EngMiscShowBinary(5, 8, nullptr), nullptr);
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Not supported on unix systems yet"), std::string::npos) << log;
}

}  // namespace
