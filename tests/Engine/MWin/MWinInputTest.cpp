#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <string>

#include "Engine/MWin/MWinGroup.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

class MWinInputTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    window = AddWindow(Desktop()->AddCollection("C"), "W", 0, 0, 200, 200);
    button = AddCountingButton(window, "B", 10, 10, 50, 20);
  }
  MWinWindow *window = nullptr;
  MWinButton *button = nullptr;
};

TEST_F(MWinInputTest, HitTestsTakeTheLeftAndTopEdgesButNotTheRightAndBottom) {
  const _Dimension area = {10, 20, 30, 40};
  const _Dimension offset = {5, -5, 0, 0};
  struct Case {
    float x, y;
    char inside, inside_with_offset;
  } cases[] = {
      {10, 20, 1, 0},     {40, 20, 0, 1},       {39.99f, 59.99f, 1, 0}, {10, 60, 0, 0},
      {9.99f, 20, 0, 0},  {10, 19.99f, 0, 0},   {15, 15, 0, 1},         {44.99f, 54.99f, 0, 1},
      {45, 30, 0, 0},
  };
  for (const Case &c : cases) {
    mwin->MoveMouse(c.x, c.y);
    EXPECT_EQ(mwin->IsMouseScreenCursorInArea(&area), c.inside) << c.x << "," << c.y;
    EXPECT_EQ(mwin->IsMouseViewportCursorInArea(&area), c.inside) << c.x << "," << c.y;
    EXPECT_EQ(mwin->IsMouseScreenCursorInArea(&area, &offset), c.inside_with_offset) << c.x << "," << c.y;
  }
  EXPECT_FALSE(mwin->IsMouseScreenCursorInArea(nullptr));
  EXPECT_FALSE(mwin->IsMouseCursorInViewport(nullptr));
  const _EngDeviceViewport vp = {10, 20, 30, 40, 0, 1};
  mwin->MoveMouse(40.0f, 20.0f);
  EXPECT_FALSE(mwin->IsMouseCursorInViewport(&vp));
  mwin->MoveMouse(10.0f, 20.0f);
  EXPECT_TRUE(mwin->IsMouseCursorInViewport(&vp));
}

TEST_F(MWinInputTest, TheCursorIsConvertedFromWindowPixelsToDesignUnits) {
  SetWindowSizeForToolkit(1280, 960);
  mwin->MoveMouse(100, 50);
  float x = 0, y = 0;
  EXPECT_TRUE(mwin->GetMousePos(&x, &y));
  EXPECT_FLOAT_EQ(x, 50);
  EXPECT_FLOAT_EQ(y, 25);

  const _EngDeviceViewport vp = {40, 20, 320, 240, 0, 1};
  mwin->SetCurrentActiveViewport(&vp);
  const _Dimension corner = {19, 9, 2, 2};  // (50 - 40) * 2, (25 - 20) * 2 in the viewport
  EXPECT_TRUE(mwin->IsMouseViewportCursorInArea(&corner));
  const _EngDeviceViewport empty = {0, 0, 0, 10, 0, 1};
  mwin->SetCurrentActiveViewport(&empty);  // refused: the viewport stays
  EXPECT_TRUE(mwin->IsMouseViewportCursorInArea(&corner));
  mwin->SetCurrentActiveViewport(nullptr);
  EXPECT_FALSE(mwin->IsMouseViewportCursorInArea(&corner));
}

// A pointer position converts without undefined behaviour however far it is: a far one is held
// at a bound (a million pixels) far beyond any screen, one that is no number is no move, and a
// normal one is exactly as before.
TEST_F(MWinInputTest, FarPointerPositionsAreHeldAtABoundAndNoNumberIsNoMove) {
  SetWindowSizeForToolkit(1280, 960);  // two window pixels to a design unit
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    float x, y;
    bool moves;
    float design_x, design_y;
  } cases[] = {
      {100, 50, true, 50, 25},
      {-3.5f, 1279.75f, true, -1.75f, 639.875f},
      {-999999, 999999, true, -499999.5f, 499999.5f},
      {-1e30f, 1e30f, true, -5e5f, 5e5f},
      {1e30f, -1e30f, true, 5e5f, -5e5f},
      {-inf, inf, true, -5e5f, 5e5f},
      {-FLT_MAX, 2.5e9f, true, -5e5f, 5e5f},
      {nan, 10, false, 1, 2},
      {10, nan, false, 1, 2},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    mwin->MoveMouse(2.0f, 4.0f);
    const char handled = mwin->MoveMouse(c.x, c.y);
    if (!c.moves) {
      EXPECT_EQ(handled, 0);
    }
    float x = 0, y = 0;
    EXPECT_TRUE(mwin->GetMousePos(&x, &y));
    EXPECT_FLOAT_EQ(x, c.design_x);
    EXPECT_FLOAT_EQ(y, c.design_y);
  }
}

TEST_F(MWinInputTest, ASecondMessageInOneFrameIsRefusedAndTheFirstDelivered) {
  AddCountingButton(window, "B2", 100, 100, 20, 20);
  EXPECT_TRUE(mwin->AddMessageToQueue("C", "W", "B", MWIN_MSG_CALL_CALLBACK));
  std::string log = Logged([&] { EXPECT_FALSE(mwin->AddMessageToQueue("C", "W", "B2", MWIN_MSG_CALL_CALLBACK)); });
  EXPECT_NE(log.find("Queue not empty"), std::string::npos);
  EXPECT_TRUE(mwin->Tick2());
  EXPECT_EQ(Presses("B"), 1);
  EXPECT_EQ(Presses("B2"), 0);
  EXPECT_EQ(mwin->GetNumQueuedMessages(), 0);
  EXPECT_FALSE(mwin->ProcessQueueMessages());

  log = Logged([&] {
    EXPECT_FALSE(mwin->AddMessageToQueue("C", "", "B", MWIN_MSG_CALL_CALLBACK));
    EXPECT_FALSE(mwin->AddMessageToQueue("C", "W", nullptr, MWIN_MSG_CALL_CALLBACK));
  });
  EXPECT_NE(log.find("ID(s) invalid"), std::string::npos);
  EXPECT_EQ(mwin->GetNumQueuedMessages(), 0);
}

TEST_F(MWinInputTest, AMessageForADeletedWidgetIsDropped) {
  ASSERT_TRUE(mwin->AddMessageToQueue("C", "W", "B", MWIN_MSG_CALL_CALLBACK));
  EXPECT_TRUE(window->RemoveButton(button));
  EXPECT_EQ(mwin->GetNumQueuedMessages(), 0);
  std::string log = Logged([&] { EXPECT_FALSE(mwin->Tick2()); });
  EXPECT_EQ(log.find("failed"), std::string::npos) << log;

  // Another button's message stays when a button is deleted.
  MWinButton *other = AddCountingButton(window, "O", 100, 100, 20, 20);
  AddCountingButton(window, "P", 100, 150, 20, 20);
  ASSERT_TRUE(mwin->AddMessageToQueue("C", "W", "P", MWIN_MSG_CALL_CALLBACK));
  window->RemoveButton(other);
  EXPECT_EQ(mwin->GetNumQueuedMessages(), 1);
  mwin->Tick2();
  EXPECT_EQ(Presses("P"), 1);
}

TEST_F(MWinInputTest, AMessageWhoseButtonIsGoneOtherwiseIsReportedAndEmptied) {
  ASSERT_TRUE(mwin->AddMessageToQueue("C", "W", "GONE", MWIN_MSG_CALL_CALLBACK));
  std::string log = Logged([&] { EXPECT_FALSE(mwin->ProcessQueueMessages()); });
  EXPECT_NE(log.find("mwinp->GetButtonFromIDs() failed [C, W, GONE]"), std::string::npos) << log;
  EXPECT_EQ(mwin->GetNumQueuedMessages(), 0);
}

TEST_F(MWinInputTest, APushButtonCallsBackOnTheReleaseAfterAPressOnIt) {
  mwin->MoveMouse(20.0f, 20.0f);
  EXPECT_TRUE(button->IsActive());
  EXPECT_TRUE(mwin->ButtonPressed(0, 1, 0));
  EXPECT_EQ(Presses("B"), 0);
  EXPECT_TRUE(mwin->ButtonPressed(0, 0, 0));
  EXPECT_EQ(Presses("B"), 1);
  EXPECT_TRUE(mwin->ButtonPressed(0, 0, 0));  // a release alone
  EXPECT_EQ(Presses("B"), 1);
  EXPECT_FALSE(mwin->ButtonPressed(1, 1, 0));
  EXPECT_TRUE(mwin->ButtonDoubleClicked(0));
  EXPECT_EQ(Presses("B"), 2);
}

TEST_F(MWinInputTest, ProcessInputDispatchesByEventTypeOnlyWhileOnAndAllowed) {
  // A move onto a button: the window sends x and y as float bits.
  EXPECT_FALSE(mwin->ProcessInput(_EngDesktopInputType(1), EngInputParmFromFloat(20.5f), EngInputParmFromFloat(20.5f)));
  EXPECT_TRUE(button->IsActive());
  mwin->ProcessInput(_EngDesktopInputType(2), 0, 1);
  mwin->ProcessInput(_EngDesktopInputType(2), 0, 0);
  EXPECT_EQ(Presses("B"), 1);
  EXPECT_FALSE(mwin->ProcessInput(_EngDesktopInputType(99), 0, 0));
  mwin->AllowInput(0);
  mwin->ProcessInput(_EngDesktopInputType(2), 0, 1);
  mwin->ProcessInput(_EngDesktopInputType(2), 0, 0);
  EXPECT_EQ(Presses("B"), 1);
}

TEST_F(MWinInputTest, LookupsByIdsReportOnlyWhenAsked) {
  EXPECT_EQ(mwin->GetButtonFromIDs("C", "W", "B", 1), button);
  std::string log = Logged([&] {
    EXPECT_EQ(mwin->GetButtonFromIDs("C", "W", "X", 0), nullptr);
    EXPECT_EQ(mwin->GetWindowFromIDs("C", "X", 0), nullptr);
    EXPECT_EQ(mwin->GetCollectionFromID("X", 0), nullptr);
  });
  EXPECT_EQ(log, "");
  log = Logged([&] {
    EXPECT_EQ(mwin->GetButtonFromIDs("C", "W", "", 1), nullptr);
    EXPECT_EQ(mwin->GetWindowFromIDs("C", "", 1), nullptr);
    EXPECT_FALSE(mwin->SetButtonCallback("C", "W", "X", nullptr, 0, 0));
  });
  EXPECT_NE(log.find("No Button ID"), std::string::npos);
  EXPECT_NE(log.find("No Window ID"), std::string::npos);
  EXPECT_NE(log.find("Could not find button W:X"), std::string::npos);
}

}  // namespace
}  // namespace qwtest
