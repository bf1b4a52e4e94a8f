// The graph built into triangle lists on the real device and drawn: value lines, ticks, data.
#include "Engine/MWin/MWinGraph.h"

#include "tests/Engine/MWin/MWinDeviceWidgetTestSupport.h"

namespace qwtest {
namespace {

// The graph's plot area with the standard settings (margin 0, axis 2, marks 2 long 8):
// x 100..400, y 100..300, base line at 298.
class MWinGraphDisplayTest : public MWinDeviceWidgetTest {
 protected:
  void SetUp() override {
    MWinDeviceWidgetTest::SetUp();
    graph = window->AddGraph("G", "MWIN_TEXBUT_NONE", 100, 100, 300, 200);
    ASSERT_NE(graph, nullptr);
  }
  MWinGraph *graph = nullptr;
};

TEST_F(MWinGraphDisplayTest, ValueLinesFollowTheStepOfTheVerticalRange) {
  _MWinGraphVerticalLinesInfo lines = {};
  lines.on = 1;
  lines.line_thickness = 1;
  lines.line_colour = {1, 0, 0, 1};
  lines.labels_on = 1;
  graph->SetVerticalLinesSettings(&lines);
  struct Case {
    double v_min, v_max;
    int count;
    const char *first, *last;
  } cases[] = {
      {0, 100, 9, "10", "90"},   // 100 coincides with the top
      {0, 200, 19, "10", "190"}, // 200 is not above 200: step 10
      {0, 201, 2, "100", "200"},
      {0, 1, 9, "0", "1"},       // labels without decimals
      {0, 0.001, 0, "", ""},     // too small a range for lines
  };
  for (const Case &c : cases) {
    ASSERT_TRUE(graph->SetMarks(0, 10, 5, c.v_min, c.v_max, 4));
    ASSERT_EQ(graph->GetValueLineCount(), c.count) << c.v_max;
    if (!c.count) continue;
    EXPECT_STREQ(graph->GetValueLine(0)->label, c.first);
    EXPECT_STREQ(graph->GetValueLine(c.count - 1)->label, c.last);
  }
  lines.decimals = 2;
  graph->SetVerticalLinesSettings(&lines);
  ASSERT_TRUE(graph->SetMarks(0, 10, 5, 0, 1, 4));
  ASSERT_EQ(graph->GetValueLineCount(), 9);
  EXPECT_STREQ(graph->GetValueLine(0)->label, "0.10");
  // Lines are counted from the whole steps above the minimum's remainder.
  ASSERT_TRUE(graph->SetMarks(0, 10, 5, 1000, 1199, 4));
  EXPECT_EQ(graph->GetValueLineCount(), 20);
  // 0..100: the line at 50 lies half way up from the bottom tick's centre.
  ASSERT_TRUE(graph->SetMarks(0, 10, 5, 0, 100, 4));
  EXPECT_NEAR(graph->GetValueLine(4)->y, 299 - 0.5f * 198, 1e-3f);
  mwin->RenderMain();
  Pixels px;
  const unsigned char *at = px.At(250, 200);
  EXPECT_GT(at[0], 200);
  EXPECT_EQ(at[1], 0);
}

TEST_F(MWinGraphDisplayTest, TickPositionsHaveRoomForEveryVerticalMark) {
  // Forty vertical marks with only four horizontal ones: each has its own place.
  ASSERT_TRUE(graph->SetMarks(0, 10, 3, 0, 100, 40));
  for (int j = 0; j < 40; j++) EXPECT_NEAR(graph->GetVertTickY(j), 299 - j * 198.0f / 39, 1e-3f) << j;
  EXPECT_EQ(graph->GetHorzTickCount(), 3);
  EXPECT_NEAR(graph->GetHorzTickX(2), 399, 1e-3f);
  graph->SetStyle(MWIN_GRAPH_LINE, -1, MWIN_GRAPH_MARKS_ALL, -1, -1, -1, -1, -1, -1);
  graph->SetMarks(0, 10, 3, 0, 100, 40);
  mwin->RenderMain();
  Pixels px;
  // A tick left of the axis at the top mark and at one in the middle.
  EXPECT_FALSE(px.Black(95, 101));
  EXPECT_FALSE(px.Black(95, int(299 - 20 * 198.0f / 39)));
}

TEST_F(MWinGraphDisplayTest, BlocksLinesAndAreasAreDrawnFromTheData) {
  graph->SetStyle(MWIN_GRAPH_BLOCKS, -1, MWIN_GRAPH_MARKS_ENDS, -1, -1, -1, -1, -1, 10);
  ASSERT_TRUE(graph->SetMarks(0, 10, 5, 0, 100, 4));
  EXPECT_EQ(graph->GetHorzTickCount(), 6);
  ASSERT_TRUE(graph->GetDataList()->IsCreated());
  EXPECT_EQ(graph->GetDataList()->GetNumTriangles(), 10u);
  for (int i = 0; i < 5; i++) graph->SetMarkValue(i, 20.0 * (i + 1));
  mwin->RenderMain();
  {
    Pixels px;
    // Block 0 (x 102..161.6, less 5 each side) is 20 high; block 4 reaches the top.
    EXPECT_GT(px.At(130, 290)[0], 240);
    EXPECT_TRUE(px.Black(130, 250));
    EXPECT_GT(px.At(370, 110)[0], 240);
    // The gap between blocks stays empty; the axes are grey.
    EXPECT_TRUE(px.Black(162, 290));
    EXPECT_NEAR(px.At(100, 200)[0], 153, 2);
    // Ticks at the first and last positions only.
    EXPECT_FALSE(px.Black(101, 304));
    EXPECT_TRUE(px.Black(221, 304));
    EXPECT_FALSE(px.Black(399, 304));
  }
  // A line graph of two marks has one segment, below the minimum of two: no data.
  graph->SetStyle(MWIN_GRAPH_LINE, -1, _MWinGraphDrawMarksType(-1), -1, -1, -1, -1, -1, -1);
  ASSERT_TRUE(graph->SetMarks(0, 10, 2, 0, 100, 4));
  EXPECT_FALSE(graph->GetDataList()->IsCreated());
  // An area graph of three marks fills under its polyline.
  graph->SetStyle(MWIN_GRAPH_AREA, -1, _MWinGraphDrawMarksType(-1), -1, -1, -1, -1, -1, -1);
  ASSERT_TRUE(graph->SetMarks(0, 10, 3, 0, 100, 4));
  graph->SetMarkValue(0, 50);
  graph->SetMarkValue(1, 50);
  graph->SetMarkValue(2, 50);
  graph->SetColours(-1, 0, 0, -1, 0, 0, 0, 1, 0);
  mwin->RenderMain();
  Pixels px;
  EXPECT_GT(px.At(250, 250)[1], 240);
  EXPECT_TRUE(px.Black(250, 150));
}

TEST_F(MWinGraphDisplayTest, CaptionsAndLabelsNeedAUserFont) {
  _MWinGraphVerticalLinesInfo lines = {};
  lines.on = lines.labels_on = 1;
  lines.line_thickness = 1;
  lines.line_colour = {0, 0, 1, 1};
  lines.label_scale_x = lines.label_scale_y = 0.5f;
  lines.label_colour = {1, 1, 1, 1};
  graph->SetVerticalLinesSettings(&lines);
  ASSERT_TRUE(graph->SetMarks(0, 10, 5, 0, 100, 4));
  graph->SetTexts("Top", "Foot", nullptr, nullptr);
  mwin->RenderMain();
  EXPECT_EQ(Pixels().Lit(20, 140, 90, 260), 0);
  ASSERT_TRUE(graph->SetFont("Vera"));
  graph->SetTextColour(1, 1, 1, 1);
  mwin->RenderMain();
  Pixels px;
  // Labels of the lines in the middle, left of the axis; none near the captions.
  EXPECT_GT(px.Lit(20, 140, 90, 260), 0);
  EXPECT_GT(px.Lit(20, 90, 90, 110), 0);  // "Top"
}

}  // namespace
}  // namespace qwtest
