// The tab panel's table arithmetic: column widths, rows per page, sort state, hits, and what
// clicks and keys do to the selection and the scroll position.
#include <gtest/gtest.h>

#include <vector>

#include "Engine/MWin/MWinTabPanelModel.h"

namespace {

std::vector<_MWinTabPanelColumnInfo> Columns(std::vector<int> percents, std::vector<int> hidden = {}) {
  std::vector<_MWinTabPanelColumnInfo> columns(percents.size());
  for (size_t i = 0; i < percents.size(); i++) {
    MWinTabPanelColumnDefaults(&columns[i]);
    columns[i].width_percent = static_cast<unsigned char>(percents[i]);
  }
  for (int h : hidden) columns[size_t(h)].hidden = 1;
  return columns;
}

struct WidthCase {
  const char *name;
  std::vector<int> percents;
  std::vector<int> hidden;
  char auto_widths;
  std::vector<float> widths;  // of a width of 200
  char auto_after;
};

TEST(MWinTabPanelModelTest, ColumnWidthsShareTheWidth) {
  const WidthCase cases[] = {
      {"half then two quarters", {50, 0, 0}, {}, 0, {100, 50, 50}, 0},
      {"over-full shares are scaled down", {60, 60}, {}, 0, {100, 100}, 0},
      {"no percentages turn automatic widths on", {0, 0, 0, 0}, {}, 0, {50, 50, 50, 50}, 1},
      {"under-full without a sharing column is scaled up", {25, 25}, {}, 0, {100, 100}, 0},
      {"automatic ignores percentages", {80, 10}, {}, 1, {100, 100}, 1},
      {"a hidden column gives its share away", {50, 0, 0}, {1}, 0, {100, 0, 100}, 0},
      {"hidden in automatic mode", {0, 0, 0}, {0}, 1, {0, 100, 100}, 1},
      {"hidden percentages do not count", {50, 50, 0}, {0}, 0, {0, 100, 100}, 0},
      {"everything hidden", {0, 0}, {0, 1}, 1, {0, 0}, 1},
  };
  for (const WidthCase &c : cases) {
    SCOPED_TRACE(c.name);
    auto columns = Columns(c.percents, c.hidden);
    char after = MWinTabPanelCalcColumnWidths(columns.data(), int(columns.size()), 200, c.auto_widths);
    EXPECT_EQ(after, c.auto_after);
    float x = 0;
    for (size_t i = 0; i < columns.size(); i++) {
      EXPECT_FLOAT_EQ(columns[i].width, c.widths[i]) << "column " << i;
      EXPECT_FLOAT_EQ(columns[i].x, x) << "column " << i;
      x += columns[i].width;
    }
  }
}

TEST(MWinTabPanelModelTest, RowsPerPageByModeAndLayout) {
  struct Case {
    int per_page;
    float height;
    _EngLayout layout;
    int expected;
  } cases[] = {
      {-1, 140, ENG_LAYOUT_DESKTOP, 7},   // 20 a row
      {0, 140, ENG_LAYOUT_DESKTOP, 7},    // anything else is the normal mode
      {-7, 140, ENG_LAYOUT_DESKTOP, 7},
      {-2, 140, ENG_LAYOUT_DESKTOP, 10},  // 13.2 a row
      {-3, 140, ENG_LAYOUT_DESKTOP, 17},  // 8 a row
      {5, 140, ENG_LAYOUT_DESKTOP, 5},    // fixed
      {-1, 140, ENG_LAYOUT_PHONE_LANDSCAPE, 3},
      {-1, 10, ENG_LAYOUT_DESKTOP, 0},
      {-1, 0, ENG_LAYOUT_DESKTOP, 0},
  };
  for (const Case &c : cases) {
    char mode;
    int fixed;
    MWinTabPanelPerPageMode(c.per_page, &mode, &fixed);
    EXPECT_EQ(MWinTabPanelCalcNumPerPage(mode, fixed, c.height, c.layout), c.expected)
        << "per page " << c.per_page << " height " << c.height << " layout " << int(c.layout);
  }
}

TEST(MWinTabPanelModelTest, HeadingClicksToggleTheSortColumnAndRememberThePrevious) {
  _MWinTabPanelSortInfo sort;
  MWinTabPanelSortClear(&sort);
  MWinTabPanelSortHeadingClick(&sort, 2);
  EXPECT_EQ(sort.column, 2);
  EXPECT_EQ(sort.direction, 0);
  EXPECT_EQ(sort.previous_column, -1);
  MWinTabPanelSortHeadingClick(&sort, 2);
  EXPECT_EQ(sort.direction, 1);
  MWinTabPanelSortHeadingClick(&sort, 2);
  EXPECT_EQ(sort.direction, 0) << "twice returns the direction to where it was";
  MWinTabPanelSortHeadingClick(&sort, 2);
  MWinTabPanelSortHeadingClick(&sort, 0);
  EXPECT_EQ(sort.column, 0);
  EXPECT_EQ(sort.direction, 0);
  EXPECT_EQ(sort.previous_column, 2);
  EXPECT_EQ(sort.previous_direction, 1);

  // A negative direction keeps it; a negative column clears everything.
  MWinTabPanelSortSetMain(&sort, 1, -1, 0);
  EXPECT_EQ(sort.column, 1);
  EXPECT_EQ(sort.direction, 0);
  EXPECT_EQ(sort.previous_column, 2);
  MWinTabPanelSortSetMain(&sort, -1, 1, 1);
  EXPECT_EQ(sort.column, -1);
  EXPECT_EQ(sort.direction, 0);
  EXPECT_EQ(sort.previous_column, -1);
  EXPECT_EQ(sort.previous_direction, 0);
}

TEST(MWinTabPanelModelTest, RowAndColumnUnderThePointer) {
  EXPECT_EQ(MWinTabPanelRowAtY(100, 100, 20, 0, 10), 0);
  EXPECT_EQ(MWinTabPanelRowAtY(139.9f, 100, 20, 0, 10), 1);
  EXPECT_EQ(MWinTabPanelRowAtY(110, 100, 20, 2.5f, 10), 3);
  EXPECT_EQ(MWinTabPanelRowAtY(100 + 20 * 10, 100, 20, 0, 10), -1) << "below the last row";
  EXPECT_EQ(MWinTabPanelRowAtY(120, 100, 0, 0, 10), -1) << "no row height";
  EXPECT_EQ(MWinTabPanelRowAtY(120, 100, -3, 0, 10), -1);

  auto columns = Columns({50, 0, 0}, {1});
  MWinTabPanelCalcColumnWidths(columns.data(), 3, 200, 0);
  EXPECT_EQ(MWinTabPanelColumnAtX(columns.data(), 3, 0), 0);
  EXPECT_EQ(MWinTabPanelColumnAtX(columns.data(), 3, 99.9f), 0);
  EXPECT_EQ(MWinTabPanelColumnAtX(columns.data(), 3, 100), 2) << "the hidden column takes no clicks";
  EXPECT_EQ(MWinTabPanelColumnAtX(columns.data(), 3, 200), -1);
  EXPECT_EQ(MWinTabPanelColumnAtX(columns.data(), 3, -1), -1);
}

TEST(MWinTabPanelModelTest, WhichClicksClearTheOtherRows) {
  for (char mode = 0; mode <= 2; mode++)
    for (char shift = 0; shift <= 1; shift++)
      for (char ctrl = 0; ctrl <= 1; ctrl++)
        EXPECT_EQ(MWinTabPanelClickClearsOthers(mode, shift, ctrl), mode != 2 && !shift && !ctrl)
            << "mode " << int(mode) << " shift " << int(shift) << " ctrl " << int(ctrl);
}

TEST(MWinTabPanelModelTest, KeysMoveByARowOrAPage) {
  char nav = 0;
  EXPECT_EQ(MWinTabPanelKeyMove(246, 5, &nav), -1);
  EXPECT_TRUE(nav);
  EXPECT_EQ(MWinTabPanelKeyMove(247, 5, &nav), 1);
  EXPECT_EQ(MWinTabPanelKeyMove(248, 5, &nav), -5);
  EXPECT_EQ(MWinTabPanelKeyMove(249, 5, &nav), 5);
  EXPECT_EQ(MWinTabPanelKeyMove(13, 5, &nav), 0);
  EXPECT_FALSE(nav);
  EXPECT_EQ(MWinTabPanelClampRow(-4, 10), 0);
  EXPECT_EQ(MWinTabPanelClampRow(14, 10), 9);
  EXPECT_EQ(MWinTabPanelClampRow(3, 10), 3);
}

TEST(MWinTabPanelModelTest, ScrollingARowIntoViewAndCentringOnIt) {
  EXPECT_FLOAT_EQ(MWinTabPanelScrollToShow(0, 12, 5), 8) << "rows 8 to 12 shown";
  EXPECT_FLOAT_EQ(MWinTabPanelScrollToShow(6, 3, 5), 3);
  EXPECT_FLOAT_EQ(MWinTabPanelScrollToShow(2.5f, 4, 5), 2.5f) << "already shown: kept";
  EXPECT_FLOAT_EQ(MWinTabPanelScrollToShow(2.5f, 7, 5), 3);
  EXPECT_FLOAT_EQ(MWinTabPanelCentreOn(10, 20, 5), 8);
  EXPECT_FLOAT_EQ(MWinTabPanelCentreOn(1, 20, 5), 0);
  EXPECT_FLOAT_EQ(MWinTabPanelCentreOn(19, 20, 5), 15);
  EXPECT_FLOAT_EQ(MWinTabPanelCentreOn(2, 3, 5), 0) << "all rows fit";
}

}  // namespace
