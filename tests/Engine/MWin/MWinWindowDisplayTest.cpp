// Windows drawn by the toolkit on the real device through the default skin and font and read
// back: back, title bar and title where the window is placed, the title-bar buttons' room,
// centring, and nothing drawn outside the window.
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/MWinSkinTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

const char *const kDejaVuBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// The bounds of the pixels that pass a test; empty when none do. Right and bottom are past the
// last pixel, so a drawn rectangle reads back as its own x, y, x + w, y + h.
struct Box {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  bool Empty() const { return right == INT_MIN; }
  void Add(int x, int y) {
    if (x < left) left = x;
    if (y < top) top = y;
    if (x + 1 > right) right = x + 1;
    if (y + 1 > bottom) bottom = y + 1;
  }
};

std::ostream &operator<<(std::ostream &out, const Box &b) {
  if (b.Empty()) return out << "(none)";
  return out << "(" << b.left << ", " << b.top << ")-(" << b.right << ", " << b.bottom << ")";
}

// The whole frame, read once, addressed from the window's top-left corner.
class Frame {
 public:
  Frame() : m_rgb(640 * 480 * 3) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, m_rgb.data());
  }
  const unsigned char *At(int x, int y) const { return &m_rgb[((479 - y) * 640 + x) * 3]; }
  // Anything not the black clear colour.
  Box Drawn() const {
    return Bounds([](const unsigned char *p) { return p[0] > 24 || p[1] > 24 || p[2] > 24; });
  }
  // The white of the default font, far brighter than any part of the skin.
  Box Text() const {
    return Bounds([](const unsigned char *p) { return p[0] > 225 && p[1] > 225 && p[2] > 225; });
  }

 private:
  template <typename Test>
  Box Bounds(Test test) const {
    Box box;
    for (int y = 0; y < 480; y++)
      for (int x = 0; x < 640; x++)
        if (test(At(x, y))) box.Add(x, y);
    return box;
  }
  std::vector<unsigned char> m_rgb;
};

class MWinWindowDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    ASSERT_TRUE(FileExists(kDejaVuBold)) << "install fonts-dejavu-core";
    EngWhichDeviceResetForTests();
    SetWindowSizeForToolkit(640, 480);
    mwin = new MWin(nullptr);
    ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
    // The default font is looked for in the working folder, as the game's resources are.
    WriteWholeFile(dir.File("MWinDefaultFont.ttf"), ReadWholeFile(kDejaVuBold));
    qwtest::WorkingFolder old;
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    const char font_ok = mwin->SetupDefaultFont();
    const char started = mwin->Startup();
    ASSERT_TRUE(old.Restore());
    ASSERT_TRUE(font_ok);
    ASSERT_TRUE(started);
    ASSERT_NE(mwin->GetFonts()->GetStandardFont(), nullptr);
    collection = mwin->GetDesktop()->AddCollection("C");
    device->SetClearColour(0, 0, 0);
    mwin->SetClearMethod(MWIN_CLEAR_COLOUR, nullptr);
  }
  void TearDown() override {
    delete mwin;
    DeviceTest::TearDown();
  }
  // A window as the screens make them: the default skin and font, a title bar and a title.
  static _MWinWindowCreateInfo Info(float x, float y, float w, float h) {
    _MWinWindowCreateInfo info;
    memset(&info, 0, sizeof(info));
    info.x = x;
    info.y = y;
    info.width = w;
    info.height = h;
    info.has_title_bar = 1;
    snprintf(info.title_text, sizeof(info.title_text), "%s", "Title");
    MWinCopyID(info.title_texbut, "MWIN_TEXBUT_DEFAULT");
    MWinCopyID(info.back_texbut, "MWIN_TEXBUT_DEFAULT");
    MWinCopyID(info.title_font, "MWIN_FONT_DEFAULT");
    return info;
  }

  TempDir dir;
  MWin *mwin = nullptr;
  MWinCollection *collection = nullptr;
};

// The skin's colours as drawn: the test atlas's window-back and title frames and the middle
// they share, each tinted by the default skin's 0.85 grey for the normal state (the window
// back and title have no highlighted state of their own).
struct Rgb {
  int r, g, b;
};
const Rgb kTitleFrame = {43, 43, 87}, kBackFrame = {43, 43, 65}, kMiddle = {163, 163, 173};

void ExpectColour(const Frame &frame, int x, int y, Rgb want, const char *what) {
  const unsigned char *p = frame.At(x, y);
  EXPECT_TRUE(std::abs(p[0] - want.r) <= 4 && std::abs(p[1] - want.g) <= 4 && std::abs(p[2] - want.b) <= 4)
      << what << " at (" << x << ", " << y << ") is " << int(p[0]) << ", " << int(p[1]) << ", " << int(p[2]);
}

struct PlacementCase {
  const char *name;
  float x, y, w, h;
  char title_bar, hide_button;
  const char *font;
  Box drawn;      // the window and its title bar, in pixels
  int text_left;  // where the title's first letter starts; -1 when no title is drawn
};

TEST_F(MWinWindowDisplayTest, AWindowIsDrawnWhereItIsPlacedAndNowhereElse) {
  // The title bar is 30 high above the window; the title starts 7 in from its text area, which
  // makes room for a hide button (5 gap + 50 wide) on both sides.
  const PlacementCase cases[] = {
      {"placed", 100, 150, 300, 200, 1, 0, "MWIN_FONT_DEFAULT", {100, 120, 400, 350}, 107},
      {"with a hide button", 100, 150, 300, 200, 1, 1, "MWIN_FONT_DEFAULT", {100, 120, 400, 350}, 162},
      {"centred", -9999, -9999, 200, 100, 1, 0, "MWIN_FONT_DEFAULT", {220, 160, 420, 290}, 227},
      {"pushed down so its title bar shows", 50, 10, 200, 100, 1, 0, "MWIN_FONT_DEFAULT", {50, 0, 250, 130}, 57},
      {"no title bar", 100, 150, 300, 200, 0, 0, "MWIN_FONT_DEFAULT", {100, 150, 400, 350}, -1},
      {"no title font", 100, 150, 300, 200, 1, 0, "MWIN_FONT_NONE", {100, 120, 400, 350}, -1},
  };
  for (const PlacementCase &c : cases) {
    SCOPED_TRACE(c.name);
    _MWinWindowCreateInfo info = Info(c.x, c.y, c.w, c.h);
    info.has_title_bar = c.title_bar;
    info.has_hide_button = c.hide_button;
    MWinCopyID(info.title_font, c.font);
    MWinWindow *window = collection->AddWindow("W", &info);
    ASSERT_NE(window, nullptr);
    mwin->RenderMain();
    const Frame frame;
    const Box drawn = frame.Drawn(), text = frame.Text();
    EXPECT_EQ(drawn.left, c.drawn.left) << drawn;
    EXPECT_EQ(drawn.top, c.drawn.top) << drawn;
    EXPECT_EQ(drawn.right, c.drawn.right) << drawn;
    EXPECT_EQ(drawn.bottom, c.drawn.bottom) << drawn;

    // Down a column clear of the title: the title bar's frame and middle, then the back's.
    const int column = c.drawn.right - 30, top = c.drawn.top, window_top = c.title_bar ? top + 30 : top;
    if (c.title_bar) {
      ExpectColour(frame, column, top + 1, kTitleFrame, "title bar's top edge");
      ExpectColour(frame, column, top + 15, kMiddle, "title bar's middle");
      ExpectColour(frame, column, window_top - 1, kTitleFrame, "title bar's bottom edge");
    }
    ExpectColour(frame, column, window_top + 1, kBackFrame, "back's top edge");
    ExpectColour(frame, (c.drawn.left + c.drawn.right) / 2, (window_top + c.drawn.bottom) / 2, kMiddle,
                 "back's middle");
    ExpectColour(frame, column, c.drawn.bottom - 1, kBackFrame, "back's bottom edge");

    if (c.text_left < 0) {
      EXPECT_TRUE(text.Empty()) << text;
    } else {
      // Left-aligned in the title text area, centred in the bar's height.
      EXPECT_GE(text.left, c.text_left) << text;
      EXPECT_LE(text.left, c.text_left + 3) << text;
      EXPECT_LT(text.right, c.drawn.right - 30) << text;
      EXPECT_NEAR((text.top + text.bottom) / 2.0, top + 15, 2) << text;
      EXPECT_GE(text.bottom - text.top, 6) << "the default font's letters: " << text;
    }
    if (c.hide_button) {
      MWinButton *hide = window->GetHideButton();
      ASSERT_NE(hide, nullptr);
      EXPECT_TRUE(hide->IsShown());
      const _Dimension *area = hide->GetActualArea();
      EXPECT_FLOAT_EQ(area->x, c.drawn.left + 5);
      EXPECT_FLOAT_EQ(area->y + area->height / 2, top + 15) << "centred in the title bar";
      EXPECT_LT(area->x + area->width, text.left) << "the title clears the hide button";
    }
    EXPECT_TRUE(collection->RemoveWindow(window));
  }
}

TEST_F(MWinWindowDisplayTest, TheTitleFollowsTheWindowWhenItIsPlacedAgain) {
  _MWinWindowCreateInfo info = Info(100, 150, 300, 200);
  MWinWindow *window = collection->AddWindow("W", &info);
  ASSERT_NE(window, nullptr);
  mwin->RenderMain();
  const Box before = Frame().Text();
  window->SetOrigPos(250, 200);
  mwin->RenderMain();
  const Frame frame;
  const Box drawn = frame.Drawn(), text = frame.Text();
  EXPECT_EQ(drawn.left, 250) << drawn;
  EXPECT_EQ(drawn.top, 170) << drawn;
  EXPECT_EQ(drawn.right, 550) << drawn;
  EXPECT_EQ(drawn.bottom, 400) << drawn;
  EXPECT_EQ(text.left - before.left, 150) << before << " " << text;
  EXPECT_EQ(text.top - before.top, 50) << before << " " << text;
}

TEST_F(MWinWindowDisplayTest, AScrollingWindowLeavesRoomForItsScrollbarBesideTheBack) {
  _MWinWindowCreateInfo info = Info(100, 150, 300, 200);
  MWinWindow *window = collection->AddWindow("W", &info);
  ASSERT_NE(window, nullptr);
  window->SetExtraSize(0, 400);
  mwin->RenderMain();
  const Frame frame;
  const Box drawn = frame.Drawn();
  EXPECT_EQ(drawn.right, 400) << drawn;
  EXPECT_EQ(drawn.bottom, 350) << drawn;
  // The back ends 30 in, where the track (a plain grey of the atlas) begins.
  ExpectColour(frame, 250, 250, kMiddle, "back's middle");
  ExpectColour(frame, 369, 250, kBackFrame, "back's right edge");
  const unsigned char *track = frame.At(385, 250);
  EXPECT_EQ(track[0], track[2]) << "grey, not the back's blue-grey";
  EXPECT_GT(track[0], 60);
}

}  // namespace
}  // namespace qwtest
