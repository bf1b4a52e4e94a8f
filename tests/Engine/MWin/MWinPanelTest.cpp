#include "Engine/MWin/MWinPanel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Engine/EngWindow.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"

namespace qwtest {
namespace {

const char *kNames[] = {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf", "hotel", "india", "juliet"};

struct Report {
  int reason, item, how;
};
std::vector<Report> reports;

void RecordPanel(MWin *, _MWinButtonCallbackInfo *info, int, int) {
  reports.push_back({info->panel_reason, info->panel_item, info->panel_flag});
}

// A panel of ten items, three rows of 20 units shown at (100, 100), 200 wide.
class MWinPanelTest : public MWinTest {
 protected:
  void SetUp() override {
    program.reset(CountingProgram::Make());
    main_window = new EngWindow(program.get(), "tests");
    eng_main_window = main_window;
    MWinTest::SetUp();
    window = AddWindow(Desktop()->AddCollection("C"), "W", 0, 0, 640, 480);
    panel = dynamic_cast<MWinPanel *>(
        window->AddButton("P", MWIN_BUTTON_PANEL, "MWIN_TEXBUT_DEFAULT", nullptr, 100, 100, 200, 60));
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->PanelSetStrings(10, 3, kNames));
    panel->SetCallback(RecordPanel, 0, 0, 0);
    mwin->MoveMouse(110.0f, 110.0f);
    ASSERT_TRUE(panel->IsActive());
    reports.clear();
  }
  void TearDown() override {
    memset(eng_key_down, 0, sizeof(eng_key_down));
    MWinTest::TearDown();
    eng_main_window = nullptr;
    delete main_window;
    program.reset();
  }
  void ClickRow(int row) { Click(110, 100 + 20.0f * float(row) + 10); }
  std::vector<int> Selected() {
    std::vector<int> items;
    for (int i = 0; i < panel->PanelGetNumSelectedItems(); i++) items.push_back(panel->PanelGetNthSelectedItemNum(i));
    return items;
  }

  std::unique_ptr<CountingProgram> program;
  EngWindow *main_window = nullptr;
  MWinWindow *window = nullptr;
  MWinPanel *panel = nullptr;
};

TEST_F(MWinPanelTest, SingleSelectionByClicksKeysAndWheel) {
  int bound = 0;
  panel->PanelRegisterIntVariable(&bound, 0);
  ClickRow(2);
  EXPECT_EQ(panel->PanelGetPos(), 2);
  EXPECT_EQ(bound, 2);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].reason, 0);
  EXPECT_EQ(reports[0].how, 1);

  struct Step {
    int key;
    int pos;
    float display;
  } steps[] = {
      {247, 3, 1},  // down scrolls the selection into view
      {249, 6, 4},  // page down
      {249, 9, 7},  // page down is clamped to the last item
      {247, 9, 7},  // nothing below the last
      {248, 6, 6},  // page up
      {246, 5, 5},  // up
      {'a', 0, 0},  // first letter, searched from the item after the selection and wrapping
      {'h', 7, 6},  // found after the selection, centred
      {'z', 7, 6},  // no item begins with it
  };
  for (const Step &s : steps) {
    SCOPED_TRACE(s.key);
    mwin->KeyDown(s.key);
    EXPECT_EQ(panel->PanelGetPos(), s.pos);
    EXPECT_FLOAT_EQ(panel->PanelGetDisplayPos(), s.display);
    EXPECT_EQ(bound, s.pos);
  }
  EXPECT_EQ(reports.back().how, 0);  // a first-letter choice counts as the program's

  mwin->MouseWheelMoved(-2);
  EXPECT_FLOAT_EQ(panel->PanelGetDisplayPos(), 7);  // no further than count - per page
  mwin->MouseWheelMoved(3);
  EXPECT_FLOAT_EQ(panel->PanelGetDisplayPos(), 4);
  mwin->MouseWheelMoved(10);
  EXPECT_FLOAT_EQ(panel->PanelGetDisplayPos(), 0);
  EXPECT_EQ(panel->PanelGetPos(), 7);  // the wheel scrolls without selecting

  ClickRow(1);  // rows follow the display position
  EXPECT_EQ(panel->PanelGetPos(), 1);
  EXPECT_STREQ(panel->PanelGetSelString(), "bravo");
  EXPECT_STREQ(panel->PanelGetStringAtPos(10), "");
}

TEST_F(MWinPanelTest, EnterAndDoubleClickActivate) {
  ClickRow(1);
  reports.clear();
  mwin->KeyDown(13);
  mwin->ButtonDoubleClicked(0);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].reason, 1);
  EXPECT_EQ(reports[0].item, 1);
  EXPECT_EQ(reports[1].reason, 1);
  EXPECT_EQ(reports[1].how, 2);
}

TEST_F(MWinPanelTest, MultipleSelectionWithShiftRangesAndCommandToggles) {
  panel->PanelAllowMultisel(1, 0);
  ClickRow(0);
  EXPECT_EQ(Selected(), std::vector<int>{0});
  eng_key_down[228] = 2;  // shift: the range from the anchor, everything else cleared
  ClickRow(2);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1, 2}));
  eng_key_down[228] = 0;
  eng_key_down[231] = 2;  // command: one item toggles
  ClickRow(1);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));
  ClickRow(1);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1, 2}));
  eng_key_down[231] = 0;
  ClickRow(1);  // a plain click keeps only its item
  EXPECT_EQ(Selected(), std::vector<int>{1});
  eng_key_down[228] = 2;  // shift with the keys extends without clearing
  mwin->KeyDown(247);
  mwin->KeyDown(247);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
  eng_key_down[228] = 0;
  mwin->KeyDown(247);
  EXPECT_EQ(Selected(), std::vector<int>{4});
  EXPECT_EQ(panel->PanelGetNthSelectedItemNum(1), -1);
  int pos = panel->PanelGetPos();
  EXPECT_EQ(panel->HandleKeyDown('a'), 0);  // no first-letter search with several selected
  EXPECT_EQ(panel->PanelGetPos(), pos);

  panel->PanelAllowMultisel(1, 1);  // toggling on every click
  ClickRow(0);
  ClickRow(1);
  EXPECT_EQ(Selected().size(), 2u);
}

TEST_F(MWinPanelTest, TheSidebarShowsOnlyWhenItemsOverflowAndScrollsByPagesAndDrags) {
  ASSERT_TRUE(panel->PanelSetStrings(3, 3, kNames));
  EXPECT_FALSE(panel->PanelIsSidebarShown());
  EXPECT_FLOAT_EQ(panel->PanelGetTextAreaWidth(), 200);

  ASSERT_TRUE(panel->PanelSetStrings(10, 3, kNames));
  ASSERT_TRUE(panel->PanelIsSidebarShown());
  const MWinLayoutSettings *layout = panel->GetLayoutSettings();
  const _Dimension side = *panel->PanelGetSidebarArea();
  EXPECT_FLOAT_EQ(side.x + side.width, 300);
  EXPECT_FLOAT_EQ(panel->PanelGetTextAreaWidth(), 200 - layout->side_bar_width);
  EXPECT_GE(panel->PanelGetThumbArea()->height, layout->vscrollbar_margin);

  const float track_x = side.x + side.width / 2;
  Click(track_x, side.y + side.height - 2);  // below the thumb: one page down
  EXPECT_FLOAT_EQ(panel->PanelGetDisplayPos(), 3);
  Click(track_x, side.y + 1);  // above it: one page up, never below 0
  EXPECT_FLOAT_EQ(panel->PanelGetDisplayPos(), 0);

  const _Dimension thumb = *panel->PanelGetThumbArea();
  mwin->MoveMouse(track_x, thumb.y + thumb.height / 2);
  mwin->ButtonPressed(0, 1, 0);
  mwin->MoveMouse(track_x, side.y + side.height);  // dragged to the bottom
  EXPECT_FLOAT_EQ(panel->PanelGetDisplayPos(), 7);
  mwin->MoveMouse(track_x + 150, side.y + side.height / 2);  // the drag keeps the panel off the track
  EXPECT_GT(panel->PanelGetDisplayPos(), 0);
  EXPECT_LT(panel->PanelGetDisplayPos(), 7);
  mwin->ButtonPressed(0, 0, 0);
  EXPECT_FALSE(panel->IsDragging());
  EXPECT_EQ(panel->PanelGetPos(), 0);  // scrolling never selected
}

TEST_F(MWinPanelTest, RefusalsAndShownRows) {
  std::string log = Logged([&] {
    EXPECT_FALSE(panel->PanelSetStrings(-1, 3, kNames));
    EXPECT_FALSE(panel->PanelSetStrings(2, 3, nullptr));
    EXPECT_FALSE(panel->PanelSetStringsLanguageToken(0, 3, "T"));
    const _ColourRGBA red = {1, 0, 0, 1};
    EXPECT_FALSE(panel->PanelSetEntryColour(10, &red));
  });
  EXPECT_NE(log.find("invalid num entries -1 (ID: P)"), std::string::npos);
  EXPECT_NE(log.find("Null strings (ID: P)"), std::string::npos);
  EXPECT_NE(log.find("Invalid entry num 10 (10)"), std::string::npos);
  EXPECT_EQ(panel->PanelGetNumEntries(), 10);

  panel->PanelSetDisplayPos(8.5f);
  EXPECT_FLOAT_EQ(panel->PanelGetDisplayPos(), 7);
  EXPECT_EQ(panel->PanelGetNumDisplayedItems(), 3);
  _Dimension row;
  ASSERT_TRUE(panel->PanelGetNthDisplayedItemsDimension(1, &row));
  EXPECT_FLOAT_EQ(row.y, 120);
  EXPECT_FALSE(panel->PanelGetNthDisplayedItemsDimension(3, &row));
  EXPECT_TRUE(panel->PanelSetPosToString("india"));
  EXPECT_EQ(panel->PanelGetPos(), 8);

  panel->PanelAllowNoPos();
  panel->PanelSetPos(-5, 0, 0);
  EXPECT_EQ(panel->PanelGetPos(), -1);
  EXPECT_EQ(panel->PanelGetNumSelectedItems(), 0);
}

}  // namespace
}  // namespace qwtest
