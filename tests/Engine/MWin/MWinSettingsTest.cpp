#include <gtest/gtest.h>

#include <cstring>

#include "Engine/MWin/MWinSettings.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

class MWinSettingsTest : public MWinTest {
 protected:
  const MWinLayoutSettings &Block(int layout) { return mwin->GetSettings()->layouts[layout]; }
  const MWinLayoutSettings &Working(int layout) { return *mwin->GetLayoutSettings(_EngLayout(layout)); }
};

TEST_F(MWinSettingsTest, DefaultsFollowEachLayoutAndTheStandardSizes) {
  struct Case {
    float MWinLayoutSettings::*field;
    float values[5];
  } cases[] = {
      {&MWinLayoutSettings::title_bar_height, {30, 50, 55, 35, 40}},
      {&MWinLayoutSettings::default_button_height, {20, 45, 65, 25, 35}},
      {&MWinLayoutSettings::text_margin, {3, 3, 3, 3, 3}},
      {&MWinLayoutSettings::hscrollbar_arrow_width, {24, 24, 24, 24, 24}},
      {&MWinLayoutSettings::side_bar_width, {15, 15, 15, 15, 15}},
      {&MWinLayoutSettings::checkbox_gap, {3, 3, 3, 3, 3}},
      {&MWinLayoutSettings::range_bar_height, {8, 8, 8, 8, 8}},
      {&MWinLayoutSettings::frame_inset_y, {5, 0, 5, 0, 0}},
      {&MWinLayoutSettings::orientation_text_scale_x, {0, 0, 0, 0, 0}},
  };
  for (const Case &c : cases)
    for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++)
      EXPECT_FLOAT_EQ(Block(layout).*c.field, c.values[layout]) << "layout " << layout;
  for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++) {
    EXPECT_EQ(Block(layout).colour_border, 2);
    EXPECT_EQ(Block(layout).colour_gap, 2);
    EXPECT_EQ(Block(layout).swap_hide_and_extra, 0);
  }
  const _MWinSettings *s = mwin->GetSettings();
  EXPECT_EQ(s->choice_box_style, 2);
  EXPECT_EQ(s->pie_flag_signed, -1);
  EXPECT_FLOAT_EQ(s->graph_colours[8], 1.0f);
  EXPECT_EQ(s->clear_method, MWIN_CLEAR_NONE);
}

TEST_F(MWinSettingsTest, StandardSizesTakeOnlyValidValuesAndKeepFullOnlyValues) {
  _MWinSettings s;
  mwin->GetSettings(&s);
  s.layouts[0].title_bar_height = 99;    // written only by a full set-up
  s.layouts[0].hide_button_width = 99;   // reset by a partial set-up
  s.activate_window_under_mouse = 0;     // settings field a partial set-up keeps
  s.shrink_text_to_fit_default = 0;      // settings field a partial set-up resets
  mwin->SetSettings(&s);

  mwin->SetStandardButtonsWidthAndHeightAndMargins(0, -1, 0, -1);
  for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++) {
    EXPECT_FLOAT_EQ(Block(layout).text_margin, 0) << layout;         // margin 1 became 0
    EXPECT_FLOAT_EQ(Block(layout).choice_arrow_width, 12) << layout; // width kept
    EXPECT_FLOAT_EQ(Block(layout).choice_arrow_height, 12) << layout;
    EXPECT_FLOAT_EQ(Block(layout).vscrollbar_margin, 3) << layout;   // margin 2 kept
  }
  EXPECT_FLOAT_EQ(Block(0).title_bar_height, 99);
  EXPECT_FLOAT_EQ(Block(0).hide_button_width, 50);
  EXPECT_EQ(mwin->GetSettings()->activate_window_under_mouse, 0);
  EXPECT_EQ(mwin->GetSettings()->shrink_text_to_fit_default, 1);

  mwin->SetStandardButtonsWidthAndHeightAndMargins(20, 10, 4, 5);
  EXPECT_FLOAT_EQ(Block(2).vscrollbar_arrow_height, 40);
  EXPECT_FLOAT_EQ(Block(2).range_thumb_width, 20);
  EXPECT_FLOAT_EQ(Block(2).checkbox_margin, 4);
  EXPECT_FLOAT_EQ(Block(2).vscrollbar_margin, 5);
}

TEST_F(MWinSettingsTest, WorkingBlocksScaleHorizontalValuesByTheWidescreenRatio) {
  SetWindowSizeForToolkit(640, 480, 0.75f);
  mwin->UpdateLayoutSettings();
  for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++) {
    EXPECT_FLOAT_EQ(Working(layout).choice_arrow_width, 9) << layout;
    EXPECT_FLOAT_EQ(Block(layout).choice_arrow_width, 12) << layout;
    EXPECT_FLOAT_EQ(Working(layout).choice_arrow_height, 12) << layout;  // vertical: unscaled
    EXPECT_FLOAT_EQ(Working(layout).title_bar_height, Block(layout).title_bar_height);
    // The integer value scales to the nearest integer, an exact half toward zero.
    EXPECT_EQ(Working(layout).colour_border, 1);
    EXPECT_EQ(Working(layout).colour_gap, 2);
  }
  EXPECT_FLOAT_EQ(Working(2).frame_edge_width, 45);
  EXPECT_FLOAT_EQ(Working(2).frame_edge_height, 45);

  _MWinSettings s;
  mwin->GetSettings(&s);
  s.layouts[1].colour_border = 7;
  mwin->SetSettings(&s);
  mwin->UpdateLayoutSettings();
  EXPECT_EQ(Working(1).colour_border, 5);  // 5.25

  mwin->SetAutoResize(0);
  mwin->UpdateLayoutSettings();
  for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++)
    EXPECT_EQ(memcmp(&Working(layout), &Block(layout), sizeof(MWinLayoutSettings)), 0) << layout;
}

TEST_F(MWinSettingsTest, EachCollectionReadsTheBlockOfItsOwnLayout) {
  MWinCollection *desktop = Desktop()->AddCollection("D");
  MWinCollection *phone = Desktop()->AddCollection("P");
  phone->SetScreenLayout(ENG_LAYOUT_PHONE_LANDSCAPE);
  MWinWindow *wd = AddWindow(desktop, "W", 0, 100, 100, 100);
  MWinWindow *wp = AddWindow(phone, "W", 0, 100, 100, 100);
  EXPECT_FLOAT_EQ(wd->GetScreenLayout()->title_bar_height, 30);
  EXPECT_FLOAT_EQ(wp->GetScreenLayout()->title_bar_height, 55);
  EXPECT_TRUE(phone->IsActive());

  mwin->SetScreenLayout(ENG_LAYOUT_TABLET_PORTRAIT);
  EXPECT_EQ(mwin->GetScreenLayout(), ENG_LAYOUT_TABLET_PORTRAIT);
  EXPECT_EQ(desktop->GetScreenLayout(), ENG_LAYOUT_TABLET_PORTRAIT);
  EXPECT_EQ(phone->GetScreenLayout(), ENG_LAYOUT_TABLET_PORTRAIT);
  EXPECT_TRUE(phone->IsActive());
  EXPECT_FALSE(desktop->IsActive());
  EXPECT_FLOAT_EQ(mwin->GetLayoutSettings()->title_bar_height, 35);
}

}  // namespace
}  // namespace qwtest
