// Platform icons drawn from the generated sheet on a real device: a code's cell shows, 'M'
// and 'm' draw the same, an unknown code draws nothing and is reported 20 times at most, and
// without the sheet nothing is drawn.
#include "game/Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class PlatformDisplayTest : public qwtest::DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    ASSERT_TRUE(m_cwd.Enter(qwtest::BuiltResources()));
    DebugResetForTests();
    DebugSetLogFilename(m_log_dir.File("Log.txt").c_str(), 1);  // not into the resources
    PlatformResetForTests();
    device->PrepareFor2D(1);
  }
  void TearDown() override {
    PlatformDestroyGraphics();
    PlatformResetForTests();
    ASSERT_TRUE(m_cwd.Restore());
    DebugResetForTests();
    DeviceTest::TearDown();
  }
  // Draws the icon over the whole 640 x 480 window on black and returns the centre's letter.
  std::string Drawn(char code) {
    device->SetClearColour(0, 0, 0);
    device->ClearScreen();
    _Dimension all = {0, 0, 640, 480};
    PlatformDrawIcon(code, &all, 1.0f);
    unsigned char rgb[3];
    std::string pixels;
    for (int y : {120, 240, 360})
      for (int x : {160, 320, 480}) {
        ReadPixel(x, y, rgb);
        pixels += std::to_string(rgb[0]) + "," + std::to_string(rgb[1]) + "," + std::to_string(rgb[2]) + ";";
      }
    return pixels;
  }
  int Reports(const char *text) {
    int n = 0;
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++)
      if (std::string(DebugGetMessage(i)->text).find(text) != std::string::npos) n++;
    return n;
  }
  qwtest::TempDir m_log_dir;
  qwtest::WorkingFolder m_cwd;
};

TEST_F(PlatformDisplayTest, IconsDrawFromTheSheet) {
  const std::string black = Drawn('?');
  ASSERT_EQ(PlatformCreateGraphics(), 1);
  EXPECT_EQ(PlatformCreateGraphics(), 1);  // already loaded
  const std::string linux_icon = Drawn('L');
  EXPECT_NE(linux_icon, black);
  EXPECT_EQ(Drawn('M'), Drawn('m'));
  EXPECT_NE(Drawn('M'), linux_icon);
  EXPECT_EQ(DebugGetNumMessages(), 0);
}

TEST_F(PlatformDisplayTest, UnknownCodesDrawNothingAndAreReportedTwentyTimes) {
  ASSERT_EQ(PlatformCreateGraphics(), 1);
  const std::string black = Drawn('?');
  for (int i = 0; i < 30; i++) EXPECT_EQ(Drawn('z'), black);
  EXPECT_EQ(Reports("Unknown platform: "), 20);
}

// A world table's platform byte is the server's: logged escaped, one line each.
TEST_F(PlatformDisplayTest, AnUnknownCodeFromOutsideIsReportedEscaped) {
  ASSERT_EQ(PlatformCreateGraphics(), 1);
  const struct {
    char code;
    const char *shown;
  } cases[] = {{'\x1b', "\\x1b"}, {'\r', "\\r"}, {'\n', "\\n"}, {'\0', "\\x00"}, {'\x9b', "\\x9b"}, {'\\', "\\\\"}};
  for (const auto &c : cases) {
    Drawn(c.code);
    EXPECT_EQ(Reports((std::string("Unknown platform: ") + c.shown).c_str()), 1) << c.shown;
  }
  EXPECT_EQ(DebugGetNumMessages(), 6);
  const std::string log = qwtest::ReadWholeFile(m_log_dir.File("Log.txt"));
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 6) << log;
  EXPECT_EQ(log.find_first_of(std::string("\x1b\r\x9b\0", 4)), std::string::npos) << log;
}

TEST_F(PlatformDisplayTest, WithoutTheSheetNothingIsDrawn) {
  ASSERT_TRUE(m_cwd.Restore());  // a folder without Platform.png
  qwtest::TempDir empty;
  ASSERT_TRUE(m_cwd.Enter(empty.Path()));
  const std::string black = Drawn('?');
  EXPECT_EQ(PlatformCreateGraphics(), 0);
  EXPECT_EQ(Reports("Could not create texture"), 1);
  EXPECT_EQ(Drawn('L'), black);
  EXPECT_EQ(Reports("Unknown platform"), 0);
}

}  // namespace
