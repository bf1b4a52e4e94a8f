// The tab panel in a real window of the toolkit: building the table, rows per page and the
// sidebar, column widths, selection by click with shift and Ctrl in each mode, heading clicks,
// keys and wheel, scrolling into view, the bound variable, and a table with no room for rows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTabPanel.h"
#include "tests/Engine/MWin/MWinWidgetTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

struct Call {
  int row;
  int selected, heading, reason;
};
std::vector<Call> calls;

void Record(MWin *, _MWinButtonCallbackInfo *info, int, int) {
  calls.push_back({info->tab_row, info->tab_flags[0], info->tab_flags[1], info->tab_flags[2]});
}

const char *Entry(int row, int column, MWinTabPanel *) {
  static char text[32];
  snprintf(text, sizeof(text), "r%d c%d", row, column);
  return text;
}

const int kUp = 246, kDown = 247, kPageUp = 248, kPageDown = 249;

class MWinTabPanelTest : public MWinProgramTest {
 protected:
  void SetUp() override {
    MWinProgramTest::SetUp();
    calls.clear();
    collection = Desktop()->AddCollection("C");
    window = AddWindow(collection, "W", 50, 50, 400, 300);
  }
  MWinTabPanel *AddPanel(float h, int rows, int cols, int per_page, char title = 0) {
    MWinGroup *group = window->GetFirstGroup();
    auto *panel = new MWinTabPanel(mwin, "TP", group, "MWIN_TEXBUT_DEFAULT", 10, 10, 300, h);
    group->CompleteAddButton(panel);
    if (title) panel->SetPreferences(1, 1, 1, 1, 0, 1, 20);
    EXPECT_TRUE(panel->SetEntryCallback(rows, cols, per_page, Entry));
    panel->SetCallback(Record, 0, 0, 0);
    panel->Activate();
    return panel;
  }
  // The middle of a shown row (n counted from the first shown row) in the first column.
  void PointAtRow(MWinTabPanel *panel, int n) {
    const _Dimension *rows = panel->GetRowsArea();
    mwin->MoveMouse(rows->x + 5, rows->y + (float(n) + 0.5f) * panel->GetRowHeight());
    panel->Activate();
  }
  void ReleaseOnRow(MWinTabPanel *panel, int n) {
    PointAtRow(panel, n);
    EXPECT_EQ(panel->HandleMouseButtonPressed(0, 1, 0), 1);
    panel->HandleMouseButtonPressed(0, 0, 0);
  }
  std::vector<int> Selected(MWinTabPanel *panel) {
    std::vector<int> rows;
    for (int i = 0; i < panel->GetNumRows(); i++)
      if (panel->IsRowSelected(i)) rows.push_back(i);
    return rows;
  }

  MWinCollection *collection = nullptr;
  MWinWindow *window = nullptr;
};

TEST_F(MWinTabPanelTest, BuildingTheTableAndItsRefusals) {
  MWinGroup *group = window->GetFirstGroup();
  auto *panel = new MWinTabPanel(mwin, "TP", group, "MWIN_TEXBUT_DEFAULT", 10, 10, 300, 140);
  group->CompleteAddButton(panel);
  EXPECT_EQ(panel->GetType(), MWIN_BUTTON_TAB_PANEL);
  EXPECT_FALSE(panel->IsReady());
  EXPECT_NE(Logged([&] { EXPECT_FALSE(panel->SetNumRows(3)); }).find("Not setup"), std::string::npos);
  EXPECT_NE(Logged([&] { EXPECT_FALSE(panel->SetEntryCallback(3, 0, -1, Entry)); }).find("invalid num cols 0 (ID: TP)"),
            std::string::npos);
  EXPECT_NE(Logged([&] { EXPECT_FALSE(panel->SetEntryCallback(-1, 2, -1, Entry)); }).find("invalid num rows -1"),
            std::string::npos);
  EXPECT_NE(Logged([&] { EXPECT_FALSE(panel->SetEntryCallback(3, 2, -1, nullptr)); }).find("Null callback entry"),
            std::string::npos);
  ASSERT_TRUE(panel->SetEntryCallback(3, 2, -1, Entry));
  EXPECT_TRUE(panel->IsReady());
  EXPECT_EQ(panel->GetNumRows(), 3);
  EXPECT_EQ(panel->GetNumCols(), 2);
  EXPECT_STREQ(panel->GetEntryString(2, 1), "r2 c1");
  EXPECT_STREQ(panel->GetEntryString(3, 1), "");
  EXPECT_STREQ(panel->GetEntryString(0, 2), "");
  // A null callback keeps the one the panel has.
  ASSERT_TRUE(panel->SetEntryCallback(5, 4, -1, nullptr));
  EXPECT_EQ(panel->GetNumCols(), 4);
  EXPECT_TRUE(panel->SetNumRows(0));
  EXPECT_EQ(panel->GetFirstSelectedRow(), -1);
  panel->RemoveEntryCallbacks();
  EXPECT_FALSE(panel->IsReady());
  EXPECT_EQ(panel->GetNumCols(), 0);
  EXPECT_STREQ(panel->GetEntryString(0, 0), "");
}

TEST_F(MWinTabPanelTest, AddedThroughTheWindowOrAGroupAndRefusedWithoutAWindow) {
  ASSERT_EQ(window->CreateNewGroup(), 1);
  MWinGroup *second = window->GetNthGroup(1);
  window->AddButton("Before", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 0, 0, 10, 10);
  struct Case {
    const char *id;
    MWinGroup *group;  // null: through the window, which gives it to its first group
    MWinGroup *lands_in;
  } cases[] = {{"Window", nullptr, window->GetFirstGroup()}, {"Group", second, second}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.id);
    MWinTabPanel *panel = c.group ? c.group->AddTabPanel(c.id, "MWIN_TEXBUT_NONE", 10, 20, 300, 140)
                                  : window->AddTabPanel(c.id, "MWIN_TEXBUT_NONE", 10, 20, 300, 140);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetType(), MWIN_BUTTON_TAB_PANEL);
    EXPECT_EQ(panel->GetGroup(), c.lands_in);
    EXPECT_EQ(c.lands_in->m_last, panel);
    EXPECT_EQ(window->GetButtonFromID(c.id), panel);
    EXPECT_FALSE(panel->HasText());
    const _Dimension *a = panel->GetOrigArea();
    EXPECT_FLOAT_EQ(a->x, 10);
    EXPECT_FLOAT_EQ(a->y, 20);
    EXPECT_FLOAT_EQ(a->width, 300);
    EXPECT_FLOAT_EQ(a->height, 140);
    ASSERT_TRUE(panel->SetEntryCallback(20, 2, -2, Entry));
    EXPECT_TRUE(panel->IsSidebarShown());
  }
  EXPECT_EQ(window->GetNumButtons(), 3);
  EXPECT_STREQ(window->GetFirstButton()->GetID(), "Before");

  const int made = MWinButton::total_buttons_created;
  MWinGroup lonely(mwin, nullptr);
  std::string log = Logged([&] { EXPECT_EQ(lonely.AddTabPanel("TP", "MWIN_TEXBUT_NONE", 0, 0, 10, 10), nullptr); });
  EXPECT_NE(log.find("Not setup."), std::string::npos);
  EXPECT_EQ(lonely.GetNumButtons(), 0);
  EXPECT_EQ(MWinButton::total_buttons_created, made);
}

TEST_F(MWinTabPanelTest, RowsPerPageAndWhenTheSidebarAppears) {
  MWinTabPanel *panel = AddPanel(140, 10, 3, -2);
  ASSERT_FLOAT_EQ(panel->GetActualArea()->height, 140);
  EXPECT_EQ(panel->GetNumPerPage(), 10) << "140 / 13.2";
  EXPECT_FALSE(panel->IsSidebarShown());
  const float wide = panel->GetRowsArea()->width;
  EXPECT_FLOAT_EQ(wide, 300 - 2 * 2);

  ASSERT_TRUE(panel->SetNumRows(11));
  ASSERT_TRUE(panel->IsSidebarShown());
  const float s = mwin->GetLayoutSettings()->vscrollbar_width;
  EXPECT_FLOAT_EQ(panel->GetRowsArea()->width, wide - s);
  const _Dimension &bar = panel->GetSidebar()->area;
  EXPECT_FLOAT_EQ(bar.x + bar.width, panel->GetActualArea()->x + 300 - 2);
  EXPECT_TRUE(panel->WantsScrollingInput(1));
  EXPECT_FALSE(panel->WantsScrollingInput(0));

  ASSERT_TRUE(panel->SetNumRows(10));
  EXPECT_FALSE(panel->IsSidebarShown());
  EXPECT_EQ(panel->GetSidebar(), nullptr);
}

TEST_F(MWinTabPanelTest, ColumnWidthsFollowPercentagesAndHiddenColumns) {
  MWinTabPanel *panel = AddPanel(140, 5, 3, -1);
  const float width = panel->GetRowsArea()->width - 2 * 2;
  for (int c = 0; c < 3; c++) EXPECT_FLOAT_EQ(panel->GetColumnInfo(c)->width, width / 3);
  ASSERT_TRUE(panel->SetColumnWidthPercentage(0, 50));
  EXPECT_FLOAT_EQ(panel->GetColumnInfo(0)->width, width / 2);
  EXPECT_FLOAT_EQ(panel->GetColumnInfo(1)->width, width / 4);
  EXPECT_FLOAT_EQ(panel->GetColumnInfo(2)->x, width * 3 / 4);
  ASSERT_TRUE(panel->HideColumn(1, 1));
  EXPECT_FLOAT_EQ(panel->GetColumnInfo(1)->width, 0);
  EXPECT_FLOAT_EQ(panel->GetColumnInfo(2)->width, width / 2);
  EXPECT_NE(Logged([&] { EXPECT_FALSE(panel->SetColumnWidthPercentage(3, 10)); }).find("Column does not exist [3]"),
            std::string::npos);
  EXPECT_NE(Logged([&] { EXPECT_FALSE(panel->SetColumnWidthPercentage(0, 101)); }).find("Invalid percentage: [101]"),
            std::string::npos);
}

TEST_F(MWinTabPanelTest, AClickSelectsOnReleaseWithShiftAndCtrlInEachMode) {
  struct Case {
    const char *name;
    char mode;
    int modifier;  // engine key held for the second click, 0 none
    std::vector<int> after_second;
  } cases[] = {
      {"single: a click replaces", 0, 0, {3}},
      {"single with shift adds", 0, 228, {1, 3}},
      {"single with Ctrl adds", 0, 231, {1, 3}},
      {"multiple: a click replaces", 1, 0, {3}},
      {"multiple with shift adds", 1, 228, {1, 3}},
      {"multiple with Ctrl adds", 1, 231, {1, 3}},
      {"toggle: a click adds", 2, 0, {1, 3}},
      {"toggle with shift adds", 2, 228, {1, 3}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    MWinTabPanel *panel = AddPanel(140, 10, 2, -1);
    panel->AllowMultipleRowsSelection(c.mode);
    calls.clear();
    PointAtRow(panel, 1);
    EXPECT_EQ(panel->HandleMouseButtonPressed(0, 1, 0), 1);
    EXPECT_EQ(panel->GetNumSelectedRows(), 0) << "the press alone selects nothing";
    panel->HandleMouseButtonPressed(0, 0, 0);
    EXPECT_EQ(Selected(panel), std::vector<int>({1}));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].row, 1);
    EXPECT_EQ(calls[0].selected, 1);
    EXPECT_EQ(calls[0].reason, 1);
    if (c.modifier) eng_key_down[c.modifier] = 2;
    ReleaseOnRow(panel, 3);
    eng_key_down[228] = eng_key_down[231] = 0;
    EXPECT_EQ(Selected(panel), c.after_second);
    if (c.mode == 2) {
      ReleaseOnRow(panel, 3);
      EXPECT_EQ(Selected(panel), std::vector<int>({1})) << "a toggle click clears its own row only";
      EXPECT_EQ(calls.back().selected, 0);
    }
    window->GetFirstGroup()->RemoveButton(panel);
  }
}

TEST_F(MWinTabPanelTest, NoSelectionWhenSelectionIsOffOrBelowTheLastRow) {
  MWinTabPanel *panel = AddPanel(140, 3, 2, -1);
  ReleaseOnRow(panel, 5);
  EXPECT_EQ(panel->GetNumSelectedRows(), 0);
  panel->AllowSelection(0);
  ReleaseOnRow(panel, 1);
  EXPECT_EQ(panel->GetNumSelectedRows(), 0);
  EXPECT_TRUE(calls.empty());
}

TEST_F(MWinTabPanelTest, HeadingClicksToggleTheSortDirectionAndReportTheClick) {
  MWinTabPanel *panel = AddPanel(140, 5, 3, -1, 1);
  ASSERT_FLOAT_EQ(panel->GetTitleHeight(), 20);
  const _Dimension *rows = panel->GetRowsArea();
  auto click_heading = [&](int col) {
    const _MWinTabPanelColumnInfo *c = panel->GetColumnInfo(col);
    mwin->MoveMouse(panel->GetActualArea()->x + 2 + c->x + c->width / 2, rows->y - 10);
    panel->Activate();
    EXPECT_EQ(panel->HandleMouseButtonPressed(0, 1, 0), 1);
    EXPECT_EQ(panel->HandleMouseButtonPressed(0, 0, 0), 1);
  };
  click_heading(1);
  EXPECT_EQ(panel->GetSortInfo()->column, 1);
  EXPECT_EQ(panel->GetSortInfo()->direction, 0);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].heading, 1);
  click_heading(1);
  EXPECT_EQ(panel->GetSortInfo()->direction, 1);
  click_heading(1);
  EXPECT_EQ(panel->GetSortInfo()->direction, 0) << "twice returns it";
  click_heading(2);
  EXPECT_EQ(panel->GetSortInfo()->column, 2);
  EXPECT_EQ(panel->GetSortInfo()->previous_column, 1);
  EXPECT_EQ(calls.size(), 4u);
  EXPECT_EQ(panel->GetNumSelectedRows(), 0);

  panel->SetPreferences(1, 1, 1, 1, 0, 0, 0);
  click_heading(0);
  EXPECT_EQ(panel->GetSortInfo()->column, 2) << "sorting off";
  EXPECT_EQ(calls.size(), 4u);
}

TEST_F(MWinTabPanelTest, KeysMoveASingleSelectionWithoutASidebar) {
  MWinTabPanel *panel = AddPanel(140, 7, 2, -1);  // 7 rows a page: all fit
  ASSERT_FALSE(panel->IsSidebarShown());
  EXPECT_EQ(panel->HandleKeyDown(kDown), 1) << "nothing selected: taken, nothing happens";
  EXPECT_EQ(panel->GetNumSelectedRows(), 0);
  ASSERT_TRUE(panel->SelectRow(2, 1, 0, 0));
  struct Step {
    int key;
    int row;
  } steps[] = {{kDown, 3}, {kUp, 2}, {kPageDown, 6}, {kDown, 6}, {kPageUp, 0}, {kUp, 0}};
  for (const Step &s : steps) {
    EXPECT_EQ(panel->HandleKeyDown(s.key), 1);
    EXPECT_EQ(Selected(panel), std::vector<int>({s.row})) << "key " << s.key;
  }
  // Only real moves notify, with reason 0.
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].row, 3);
  EXPECT_EQ(calls[0].reason, 0);
}

TEST_F(MWinTabPanelTest, KeysScrollWithASidebarAndSelectingScrollsIntoView) {
  MWinTabPanel *panel = AddPanel(140, 20, 2, 5);
  ASSERT_TRUE(panel->IsSidebarShown());
  ASSERT_TRUE(panel->SelectRow(1, 1, 0, 0));
  panel->HandleKeyDown(kDown);
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 1);
  panel->HandleKeyDown(kPageDown);
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 6);
  for (int i = 0; i < 5; i++) panel->HandleKeyDown(kPageDown);
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 15) << "held to rows - per page";
  EXPECT_EQ(Selected(panel), std::vector<int>({1})) << "scrolling leaves the selection";

  panel->SetFirstRowDisplayed(0);
  ASSERT_TRUE(panel->SelectRow(12, 1, 0, 0));
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 8) << "rows 8 to 12 shown";
  EXPECT_EQ(panel->GetFirstDisplayedRow(), 8);
  EXPECT_EQ(panel->GetLastDisplayedRow(), 12);
  ASSERT_TRUE(panel->SelectRow(3, 1, 0, 0));
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 3);

  // The wheel scrolls by a row through the sidebar.
  EXPECT_EQ(panel->HandleMouseWheel(-2), 1);
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 5);
  panel->CenterToRowIfPossible(19);
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 15);
  panel->EnsureLastRowDisplayed();
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 15);
}

TEST_F(MWinTabPanelTest, SetFirstRowDisplayedIsHeldByTheSidebar) {
  MWinTabPanel *panel = AddPanel(140, 10, 2, 5);
  panel->SetFirstRowDisplayed(8);
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 5);
  panel->SetFirstRowDisplayed(10);
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 5) << "beyond the rows: ignored";
  ASSERT_TRUE(panel->SetNumRows(4));
  EXPECT_FLOAT_EQ(panel->GetFirstRow(), 0) << "all rows fit again";
}

TEST_F(MWinTabPanelTest, TheWheelAtTheTopReselectsTheTopRow) {
  MWinTabPanel *panel = AddPanel(140, 5, 2, -1);
  ASSERT_TRUE(panel->SelectRow(0, 1, 0, 0));
  EXPECT_EQ(panel->HandleMouseWheel(1), 1);
  EXPECT_EQ(Selected(panel), std::vector<int>({0}));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].row, 0);
  EXPECT_EQ(panel->HandleMouseWheel(-1), 1);
  EXPECT_EQ(Selected(panel), std::vector<int>({1}));
}

TEST_F(MWinTabPanelTest, DoubleClickReportsTheSelectedRow) {
  MWinTabPanel *panel = AddPanel(140, 5, 2, -1);
  ASSERT_TRUE(panel->SelectRow(2, 1, 0, 0));
  EXPECT_EQ(panel->HandleMouseButtonDoubleClicked(0), 1);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].row, 2);
  EXPECT_EQ(calls[0].reason, 2);
}

TEST_F(MWinTabPanelTest, TogglingABoundRowStillWritesTheVariable) {
  MWinTabPanel *panel = AddPanel(140, 5, 2, -1);
  int chosen = 3;
  ASSERT_TRUE(panel->RegisterIntVariable(&chosen, 0));
  EXPECT_EQ(Selected(panel), std::vector<int>({3}));
  ASSERT_TRUE(panel->SelectRow(3, -1, 0, 0));
  EXPECT_EQ(panel->GetNumSelectedRows(), 0);
  EXPECT_EQ(chosen, 3);
  ASSERT_TRUE(panel->SelectRow(4, 1, 0, 0));
  EXPECT_EQ(chosen, 4);
  chosen = 1;
  ASSERT_TRUE(panel->UpdateFromRegisteredVariable(0));
  EXPECT_TRUE(panel->IsRowSelected(1));
  EXPECT_NE(Logged([&] { EXPECT_FALSE(panel->SelectRow(5, 1, 0, 0)); }).find("Bad row number [5]"), std::string::npos);
  EXPECT_TRUE(panel->SetFirstSelectedRowNumberToColumnString(1, "r2 c1"));
  EXPECT_TRUE(panel->IsRowSelected(2));
  EXPECT_EQ(panel->GetNthSelectedRowNumber(1), 2);
  panel->AllowSelection(0);
  EXPECT_NE(Logged([&] { EXPECT_FALSE(panel->RegisterIntVariable(&chosen, 0)); }).find("Selection not active"),
            std::string::npos);
}

TEST_F(MWinTabPanelTest, APanelWithNoRoomForRowsTakesInputSafely) {
  // Shorter than its title row: the rows area has no height and no row fits.
  MWinTabPanel *panel = AddPanel(12, 4, 2, -1, 1);
  EXPECT_EQ(panel->GetNumPerPage(), 0);
  EXPECT_LE(panel->GetRowsArea()->height, 0);
  mwin->MoveMouse(panel->GetActualArea()->x + 20, panel->GetActualArea()->y + 5);
  panel->Activate();
  panel->HandleMouseButtonPressed(0, 1, 0);
  panel->HandleMouseButtonPressed(0, 0, 0);
  panel->HandleMouseWheel(1);
  panel->HandleKeyDown(kPageDown);
  panel->HandleMouseMove();
  _Dimension area;
  EXPECT_FALSE(panel->GetEntryDisplayedArea(0, 0, &area));
  EXPECT_NE(Logged([&] { EXPECT_FALSE(panel->GetNthDisplayedRowDimensionForColumn(0, 0, &area)); })
                .find("NUM PER PAGE <= 0"),
            std::string::npos);
  EXPECT_EQ(panel->GetNumSelectedRows(), 0);
}

}  // namespace
}  // namespace qwtest
