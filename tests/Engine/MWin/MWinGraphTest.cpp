#include "Engine/MWin/MWinGraph.h"

#include <gtest/gtest.h>

#include <string>

#include "Engine/MWin/MWinGroup.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

class MWinGraphTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    MWinWindow *window = AddWindow(Desktop()->AddCollection("C"), "W", 0, 0, 640, 480);
    graph = window->AddGraph("G", "MWIN_TEXBUT_NONE", 100, 100, 300, 200);
    ASSERT_NE(graph, nullptr);
  }
  MWinGraph *graph = nullptr;
};

TEST_F(MWinGraphTest, StartsFromTheRootsDefaultsWithoutMarks) {
  EXPECT_EQ(graph->GetType(), MWIN_BUTTON_GRAPH);
  EXPECT_FALSE(graph->IsReady());
  EXPECT_EQ(graph->GetStyle(), MWIN_GRAPH_LINE);
  EXPECT_EQ(graph->GetDrawAxes(), 1);
  EXPECT_EQ(graph->GetMarksType(), MWIN_GRAPH_MARKS_ENDS);
  EXPECT_FLOAT_EQ(graph->GetMargin(), 0);
  EXPECT_FLOAT_EQ(graph->GetLineThickness(), 4);
  EXPECT_FLOAT_EQ(graph->GetAxisThickness(), 2);
  EXPECT_FLOAT_EQ(graph->GetMarkThickness(), 2);
  EXPECT_FLOAT_EQ(graph->GetMarkLength(), 8);
  EXPECT_FALSE(graph->HasMarks());
  EXPECT_EQ(graph->GetVertCount(), 4);
}

TEST_F(MWinGraphTest, SetStyleKeepsWhatIsGivenAsMinusOne) {
  graph->SetStyle(_MWinGraphStyle(-1), -1, _MWinGraphDrawMarksType(-1), -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(graph->GetStyle(), MWIN_GRAPH_LINE);
  EXPECT_EQ(graph->GetDrawAxes(), 1);
  EXPECT_FLOAT_EQ(graph->GetLineThickness(), 4);
  graph->SetStyle(MWIN_GRAPH_BLOCKS, 0, MWIN_GRAPH_MARKS_ALL, 5, 6, 7, 8, 9, 10);
  EXPECT_EQ(graph->GetStyle(), MWIN_GRAPH_BLOCKS);
  EXPECT_EQ(graph->GetMarksType(), MWIN_GRAPH_MARKS_ALL);
  EXPECT_FLOAT_EQ(graph->GetMargin(), 5);
  EXPECT_FLOAT_EQ(graph->GetBlockGap(), 10);
  graph->SetStyle(_MWinGraphStyle(3), -1, _MWinGraphDrawMarksType(-1), -1, -1, -1, -1, -1, -1);
  EXPECT_EQ(graph->GetStyle(), MWIN_GRAPH_BLOCKS);
}

TEST_F(MWinGraphTest, MarksAreValidatedAgainstTheStylesMinimumCount) {
  struct Case {
    _MWinGraphStyle style;
    double h_min, h_max;
    int h_count;
    double v_min, v_max;
    int v_count;
    bool ok;
    int want_h_count;
  } cases[] = {
      {MWIN_GRAPH_LINE, 0, 10, 2, 0, 100, 4, true, 2},
      {MWIN_GRAPH_LINE, 0, 10, 1, 0, 100, 4, false, 0},
      {MWIN_GRAPH_LINE, 0, 10, 5, 0, 100, 1, false, 0},
      {MWIN_GRAPH_LINE, 10, 0, 5, 0, 100, 4, false, 0},
      {MWIN_GRAPH_AREA, 0, 10, 5, 100, 0, 4, false, 0},
      {MWIN_GRAPH_BLOCKS, 0, 10, 1, 0, 100, 1, true, 1},
      {MWIN_GRAPH_BLOCKS, 0, 10, 5, 0, 100, 4, true, 5},
      // An empty horizontal range leaves the minimum count.
      {MWIN_GRAPH_LINE, 5, 5, 10, 0, 100, 4, true, 2},
      {MWIN_GRAPH_BLOCKS, 5, 5, 10, 0, 100, 4, true, 1},
      // More vertical marks than horizontal ones have their own places.
      {MWIN_GRAPH_LINE, 0, 10, 3, 0, 100, 40, true, 3},
  };
  for (const Case &c : cases) {
    graph->Free();
    graph->SetStyle(c.style, -1, _MWinGraphDrawMarksType(-1), -1, -1, -1, -1, -1, -1);
    std::string log = Logged([&] {
      EXPECT_EQ(graph->SetMarks(c.h_min, c.h_max, c.h_count, c.v_min, c.v_max, c.v_count), c.ok ? 1 : 0);
    });
    EXPECT_EQ(log.find("Invalid Parameters") != std::string::npos, !c.ok) << log;
    EXPECT_EQ(graph->HasMarks(), c.ok ? 1 : 0);
    if (c.ok) {
      EXPECT_EQ(graph->GetHorzCount(), c.want_h_count) << c.style << " " << c.h_count;
    }
  }
}

TEST_F(MWinGraphTest, MarkValuesAreCheckedAndCropped) {
  std::string log = Logged([&] {
    EXPECT_FALSE(graph->SetMarkValue(0, 5));
    EXPECT_EQ(graph->GetVertMarkValue(0), 0);
  });
  EXPECT_NE(log.find("Marks not setup"), std::string::npos);
  ASSERT_TRUE(graph->SetMarks(0, 10, 5, 0, 100, 4));
  EXPECT_TRUE(graph->SetMarkValue(4, 42.5));
  EXPECT_DOUBLE_EQ(graph->GetVertMarkValue(4), 42.5);
  struct Case {
    int mark;
    double value;
    const char *log;
    double stored;
  } cases[] = {
      {0, 150, "Warning - Invalid vert val 150.000000 - cropping", 100},
      {1, -3, "Warning - Invalid vert val -3.000000 - cropping", 0},
      {5, 10, "Invalid horz mark num 5", 0},
      {-1, 10, "Invalid horz mark num -1", 0},
  };
  for (const Case &c : cases) {
    log = Logged([&] { graph->SetMarkValue(c.mark, c.value); });
    EXPECT_NE(log.find(c.log), std::string::npos) << log;
    double got = 0;
    Logged([&] { got = graph->GetVertMarkValue(c.mark); });
    EXPECT_DOUBLE_EQ(got, c.stored) << c.mark;
  }
}

TEST_F(MWinGraphTest, CaptionsAreCutToThirtyOneCharactersAndFreedByFourNulls) {
  graph->SetTexts("0123456789012345678901234567890123456789", nullptr, "x", nullptr);
  ASSERT_NE(graph->GetCaption(0), nullptr);
  EXPECT_EQ(std::string(graph->GetCaption(0)), std::string("0123456789012345678901234567890"));
  EXPECT_STREQ(graph->GetCaption(1), "");
  EXPECT_STREQ(graph->GetCaption(2), "x");
  graph->SetTexts(nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(graph->GetCaption(0), nullptr);
}

TEST_F(MWinGraphTest, TheValueLineStepFollowsTheVerticalRange) {
  struct Case {
    double range, step;
  } cases[] = {
      {1000000, 100000}, {200001, 100000}, {200000, 10000}, {20001, 10000}, {2001, 1000}, {201, 100},
      {200, 10},         {100, 10},        {20, 1},         {2.5, 1},       {2, 0.1},     {0.21, 0.1},
      {0.2, 0.01},       {0.03, 0.01},     {0.0021, 0.001}, {0.002, 0},     {0, 0},
  };
  for (const Case &c : cases) EXPECT_DOUBLE_EQ(MWinGraph::ValueLineStep(c.range), c.step) << c.range;
}

}  // namespace
}  // namespace qwtest
