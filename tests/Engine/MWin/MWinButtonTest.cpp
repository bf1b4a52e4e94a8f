#include "Engine/MWin/MWinButton.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "Engine/MWin/MWinTextures.h"
#include "tests/Engine/MWin/MWinSkinTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

class MWinButtonTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    collection = Desktop()->AddCollection("C");
    window = AddWindow(collection, "W", 100, 50, 200, 100);
    ASSERT_NE(window, nullptr);
  }
  MWinButton *Add(_MWinButtonType type, float x, float y, float w, float h, const char *back = "MWIN_TEXBUT_NONE") {
    return window->AddButton("B", type, back, "Text", x, y, w, h);
  }
  MWinCollection *collection = nullptr;
  MWinWindow *window = nullptr;
};

TEST_F(MWinButtonTest, PlacementTakesDefaultsCentresAndKeepsAMinimumSize) {
  // Desktop layout: default button 60 by 20; the window is 200 by 100 at (100, 50).
  struct Case {
    float x, y, w, h;
    float want_x, want_y, want_w, want_h;
  } cases[] = {
      {10, 20, 30, 40, 10, 20, 30, 40},
      {10, 20, -1, -1, 10, 20, 60, 20},    // the layout's default size
      {-1, -1, 40, 10, 80, 45, 40, 10},    // centred in the window
      {-1, 5, -1, -1, 70, 5, 60, 20},      // centred with the default width
      {0, 0, 1, 0.5f, 0, 0, 2, 2},         // at least 2 by 2
  };
  for (const Case &c : cases) {
    MWinButton *b = Add(MWIN_BUTTON_PUSH, c.x, c.y, c.w, c.h);
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << "," << c.w << "," << c.h);
    EXPECT_FLOAT_EQ(b->GetOrigArea()->x, c.want_x);
    EXPECT_FLOAT_EQ(b->GetOrigArea()->y, c.want_y);
    EXPECT_FLOAT_EQ(b->GetOrigArea()->width, c.want_w);
    EXPECT_FLOAT_EQ(b->GetOrigArea()->height, c.want_h);
    EXPECT_FLOAT_EQ(b->GetActualArea()->x, 100 + c.want_x);
    EXPECT_FLOAT_EQ(b->GetActualArea()->y, 50 + c.want_y);
    window->RemoveButton(b);
  }
}

TEST_F(MWinButtonTest, SettersChangePartOfTheAreaAndTheUncheckedFormStoresAsGiven) {
  MWinButton *b = Add(MWIN_BUTTON_PUSH, 10, 20, 30, 40);
  b->SetOrigWidth(1);
  EXPECT_FLOAT_EQ(b->GetOrigArea()->width, 2);
  b->SetOrigPosNoBoundsCheck(5, 6, 1, 1);
  EXPECT_FLOAT_EQ(b->GetOrigArea()->width, 1);
  EXPECT_FLOAT_EQ(b->GetActualArea()->width, 2);  // a window's widget is at least 2 wide
  b->SetOrigPos(10, 20, 30, 40);
  b->SetOrigXPos(15);
  b->SetOrigHeight(-1);
  EXPECT_FLOAT_EQ(b->GetOrigArea()->x, 15);
  EXPECT_FLOAT_EQ(b->GetOrigArea()->height, 20);

  b->SetOrigPos(10, 20, 30, 40);
  b->SetOrigBoundingBox(-9999, -9999, 100, 50);
  EXPECT_FLOAT_EQ(b->GetOrigArea()->x, 10);
  EXPECT_FLOAT_EQ(b->GetOrigArea()->y, 20);
  EXPECT_FLOAT_EQ(b->GetOrigArea()->width, 90);
  EXPECT_FLOAT_EQ(b->GetOrigArea()->height, 30);
  int x1, y1, x2, y2;
  b->GetOrigBoundingBox(&x1, &y1, &x2, &y2);
  EXPECT_EQ(x2, 100);
  EXPECT_EQ(y2, 50);
  EXPECT_FALSE(b->GetActualArea(nullptr));
}

TEST_F(MWinButtonTest, OnScreenFollowsTheDesignScreenBounds) {
  // Relative to the window at (100, 50).
  struct Case {
    float x, y, h;
    char on;
  } cases[] = {
      {0, -60.5f, 10, 0},  // ends at y = -0.5
      {0, -60, 10, 1},     // ends at y = 0
      {0, 430, 10, 1},     // starts at y = 480
      {0, 430.5f, 10, 0},  // starts below
      {-140, 0, 10, 0},    // ends left of x = 0 (width 30)
      {541, 0, 10, 0},     // starts right of x = 640
  };
  MWinButton *b = Add(MWIN_BUTTON_PUSH, 0, 0, 30, 10);
  for (const Case &c : cases) {
    b->SetOrigPosNoBoundsCheck(c.x, c.y, 30, c.h);
    EXPECT_EQ(b->IsOnScreen(), c.on) << c.x << "," << c.y;
  }
}

TEST_F(MWinButtonTest, TheRenderAreaIsClippedToTheWindow) {
  // The window (100, 50, 200, 100) less its edge margins, then without them.
  MWinLayoutSettings *layout = mwin->GetLayoutSettings();
  const float mx = layout->window_edge_margin_x, my = layout->window_edge_margin_y;
  ASSERT_GT(mx, 0);
  MWinButton *b = Add(MWIN_BUTTON_PUSH, 0, 0, 50, 30);
  b->SetOrigPos(-10, 90);
  const _Dimension *r = b->GetRenderArea();
  EXPECT_FLOAT_EQ(r->x, 100 + mx);
  EXPECT_FLOAT_EQ(r->width, 40 - mx);
  EXPECT_FLOAT_EQ(r->y, 140);
  EXPECT_FLOAT_EQ(r->height, 10 - my);
  window->UseWindowMarginsForCroppingButtons(0);
  EXPECT_FLOAT_EQ(r->x, 100);
  EXPECT_FLOAT_EQ(r->width, 40);
  EXPECT_FLOAT_EQ(r->height, 10);
  b->SetOrigPos(300, 10, 20, 20);  // wholly outside: nothing to draw
  EXPECT_FLOAT_EQ(r->width, 0);
  EXPECT_FLOAT_EQ(r->height, 0);
}

TEST_F(MWinButtonTest, KindsOutOfRangeAreRefusedAndNeverUsed) {
  MWinButton *b = nullptr;
  std::string log = Logged([&] { b = Add(_MWinButtonType(17), 0, 0, 10, 10, "MWIN_TEXBUT_DEFAULT"); });
  EXPECT_NE(log.find("Invalid Type 17"), std::string::npos) << log;
  EXPECT_EQ(b->GetType(), MWIN_BUTTON_INVALID);
  EXPECT_EQ(b->GetBackTexButNum(), -1);
  Logged([&] { b->SetBackTexButToDefault(); });
  EXPECT_TRUE(b->SetType(MWIN_BUTTON_FRAME));
  log = Logged([&] { EXPECT_FALSE(b->SetType(_MWinButtonType(-5))); });
  EXPECT_NE(log.find("Invalid Type -5"), std::string::npos);
  EXPECT_EQ(b->GetType(), MWIN_BUTTON_INVALID);
}

TEST_F(MWinButtonTest, MakingWidgetsLeavesTheGamesRandomSequenceAlone) {
  srand(1234);
  int a = rand(), b2 = rand();
  srand(1234);
  std::set<EngUInt16> signatures;
  for (int i = 0; i < 20; i++) {
    MWinButton *b = Add(MWIN_BUTTON_PUSH, 0, 0, 10, 10);
    EXPECT_GE(b->GetSignature(), 1);
    EXPECT_LE(b->GetSignature(), 65533);
    EXPECT_TRUE(b->IsValid());
    signatures.insert(b->GetSignature());
  }
  EXPECT_EQ(rand(), a);
  EXPECT_EQ(rand(), b2);
  EXPECT_GT(signatures.size(), 15u);
}

TEST_F(MWinButtonTest, BacksComeFromTheKindsStandardSlotOrAnId) {
  TempDir dir;
  ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
  MWinTextures *tex = mwin->GetTextures();
  struct Case {
    _MWinButtonType type;
    int slot;
  } cases[] = {
      {MWIN_BUTTON_WINDOW_OWN, 3}, {MWIN_BUTTON_PUSH, 27}, {MWIN_BUTTON_STATIC, 4}, {MWIN_BUTTON_TEXT_EDIT, 28},
      {MWIN_BUTTON_LIST, 29},      {MWIN_BUTTON_CHECKBOX, 27}, {MWIN_BUTTON_PANEL, 30}, {MWIN_BUTTON_FRAME, 3},
  };
  for (const Case &c : cases) {
    MWinButton *b = Add(c.type, 0, 0, 10, 10, "MWIN_TEXBUT_DEFAULT");
    EXPECT_EQ(b->GetBackTexButNum(), tex->GetStandardTexButNum(c.slot)) << c.type;
    EXPECT_TRUE(b->HasBackTex());
  }
  MWinButton *b = Add(MWIN_BUTTON_PUSH, 0, 0, 10, 10);
  EXPECT_FALSE(b->HasBackTex());
  EXPECT_TRUE(b->SetBackTexButToTexBut("StdPanel"));
  EXPECT_EQ(b->GetBackTexButNum(), tex->GetStandardTexButNum(30));
  EXPECT_FALSE(b->SetBackTexButToTexBut("Nothing"));
  EXPECT_EQ(b->GetBackTexButNum(), -1);
  EXPECT_STREQ(b->GetBackTexButID(), "Nothing");
  std::string log = Logged([&] { EXPECT_FALSE(b->SetBackTexButToTexBut("")); });
  EXPECT_NE(log.find("No id"), std::string::npos);
  EXPECT_STREQ(b->GetBackTexButID(), "MWIN_TEXBUT_NONE");
}

TEST_F(MWinButtonTest, ACustomBackNeedsAShortNameAndALoadableFile) {
  MWinButton *b = Add(MWIN_BUTTON_PUSH, 0, 0, 10, 10);
  EXPECT_TRUE(b->SetBackTexButToCustom(nullptr));
  EXPECT_FALSE(b->HasCustomBack());
  std::string long_name(300, 'a');
  std::string log = Logged([&] { EXPECT_FALSE(b->SetBackTexButToCustom(long_name.c_str())); });
  EXPECT_NE(log.find("Invalid filename"), std::string::npos);
  log = Logged([&] { EXPECT_FALSE(b->SetBackTexButToCustom("/nonexistent/Back.tga")); });
  EXPECT_NE(log.find("Could not load custom texture state 0 </nonexistent/Back.tga>"), std::string::npos) << log;
  EXPECT_FALSE(b->HasCustomBack());
  EXPECT_EQ(b->GetBackCustomTexButFilename(), nullptr);
}

TEST_F(MWinButtonTest, EscapeAndDefaultButtonsGoToTheWindow) {
  MWinButton *b = Add(MWIN_BUTTON_PUSH, 0, 0, 10, 10);
  EXPECT_TRUE(b->SetEscapeButtonForParentWindow());
  EXPECT_TRUE(b->SetDefaultButtonForParentWindow());
  EXPECT_EQ(window->GetEscapeButton(), b);
  EXPECT_EQ(window->GetDefaultButton(), b);
}

}  // namespace
}  // namespace qwtest
