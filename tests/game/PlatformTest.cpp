// Platform codes: the running platform, the names and validity of the thirteen codes, and
// each code's cell of the icon sheet.
#include "game/Platform.h"

#include <gtest/gtest.h>

#include <string>

#include "Engine/EngDebug.h"

namespace {

struct PlatformCase {
  char code;
  const char *name;
  int column, row;
};

const PlatformCase kPlatforms[] = {
    {'M', "Mac", 0, 0},     {'m', "Mac", 0, 0},       {'W', "PC", 1, 0},            {'I', "iPhone", 2, 0},
    {'P', "iPad", 3, 0},    {'A', "Android", 0, 1},   {'L', "Linux", 1, 1},         {'R', "Windows RT", 2, 1},
    {'S', "Surface", 3, 1}, {'F', "Kindle", 0, 2},    {'r', "Windows Phone", 1, 2}, {'B', "BlackBerry", 2, 2},
    {'b', "PlayBook", 3, 2},
};

TEST(PlatformTest, TheRunningPlatformIsLinux) {
  EXPECT_EQ(PlatformGetCurrentPlatform(0), 'L');
  EXPECT_STREQ(PlatformGetCurrentPlatformAsString(0), "Linux");
  EXPECT_EQ(PlatformIsPlatformValid(PlatformGetCurrentPlatform(0), 1), 1);
}

TEST(PlatformTest, CodesNameValidateAndHaveTheirCells) {
  DebugResetForTests();
  for (const PlatformCase &p : kPlatforms) {
    SCOPED_TRACE(p.code);
    EXPECT_STREQ(PlatformGetPlatformAsString(p.code), p.name);
    EXPECT_EQ(PlatformIsPlatformValid(p.code, 1), 1);
    float l = 0, t = 0, r = 0, b = 0;
    ASSERT_EQ(PlatformGetIconCell(p.code, &l, &t, &r, &b), 1);
    EXPECT_FLOAT_EQ(l, 0.25f * p.column + 0.01f);
    EXPECT_FLOAT_EQ(t, 0.25f * p.row + 0.01f);
    EXPECT_FLOAT_EQ(r, 0.25f * p.column + 0.24f);
    EXPECT_FLOAT_EQ(b, 0.25f * p.row + 0.24f);
  }
  EXPECT_EQ(DebugGetNumMessages(), 0);
}

TEST(PlatformTest, UnknownCodesAreNamedUnknownAndReportedOnlyWhenAsked) {
  DebugResetForTests();
  for (char code : {'?', 'l', 'w', '\0', char(200)}) {
    SCOPED_TRACE(int(code));
    EXPECT_STREQ(PlatformGetPlatformAsString(code), "Unknown");
    EXPECT_EQ(PlatformIsPlatformValid(code, 0), 0);
    EXPECT_EQ(PlatformGetIconCell(code, nullptr, nullptr, nullptr, nullptr), 0);
  }
  EXPECT_EQ(DebugGetNumMessages(), 0);
  EXPECT_EQ(PlatformIsPlatformValid('?', 1), 0);
  ASSERT_EQ(DebugGetNumMessages(), 1);
  EXPECT_NE(std::string(DebugGetMessage(0)->text).find("Invalid platform '63'."), std::string::npos);
  DebugResetForTests();
}

}  // namespace
