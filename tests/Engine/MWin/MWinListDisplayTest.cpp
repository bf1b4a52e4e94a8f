// The drop-down list on the real device: the open column drawn over the widgets below the
// button, and automatic scrolling on the down row, faster and faster, with the engine's clock
// set by the test.
#include "Engine/MWin/MWinList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/EngMain.h"
#include "Engine/MWin/MWinCheckbox.h"
#include "tests/Engine/MWin/MWinWidgetDisplayTestSupport.h"

namespace qwtest {
namespace {

class MWinListDisplayTest : public MWinWidgetDisplayTest {
 protected:
  void SetUp() override {
    MWinWidgetDisplayTest::SetUp();
    MWinListResetShared();
    for (int i = 0; i < 40; i++) texts.push_back("entry " + std::to_string(i));
    for (auto &t : texts) entries.push_back(t.c_str());
  }
  void TearDown() override {
    eng_main_current_time = 0;
    MWinWidgetDisplayTest::TearDown();
  }
  MWinList *AddList(int count, float y) {
    MWinList *list = MWinList::From(window->AddButton("L", MWIN_BUTTON_LIST, "MWIN_TEXBUT_DEFAULT", nullptr, 100, y,
                                                      150, 30));
    EXPECT_TRUE(list && list->ListSetStrings(count, entries.data()));
    if (list) list->SetTextColour(0, 0, 0, 0);  // the backs alone are read here
    return list;
  }
  std::vector<std::string> texts;
  std::vector<const ENG_CHAR *> entries;
};

TEST_F(MWinListDisplayTest, TheOpenListLiesOverTheWidgetsBelow) {
  MWinList *list = AddList(4, 100);
  MWinCheckbox *box =
      MWinCheckbox::From(window->AddButton("X", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_NONE", nullptr, 100, 160, 150, 30));
  ASSERT_NE(box, nullptr);
  mwin->RenderMain();
  EXPECT_TRUE(Bluish(120, 115));  // the closed list's back
  EXPECT_TRUE(Greyish(175, 175));  // the box, centred in the checkbox
  EXPECT_TRUE(Black(120, 145));    // nothing under the button yet

  mwin->MoveMouse(120.0f, 115.0f);
  mwin->ButtonPressed(0, 1, 0);
  mwin->ButtonPressed(0, 0, 0);
  ASSERT_TRUE(list->ListIsOpen());
  mwin->RenderMain();
  EXPECT_TRUE(Bluish(120, 145));  // the rows
  EXPECT_TRUE(Bluish(175, 175));  // over the checkbox's box
  EXPECT_TRUE(Black(120, 240));   // below the last row and its cap

  mwin->KeyDown(27);
  mwin->RenderMain();
  EXPECT_TRUE(Greyish(175, 175));
  EXPECT_TRUE(Black(120, 145));
}

TEST_F(MWinListDisplayTest, RestingOnTheDownRowScrollsFasterAndFaster) {
  MWinList *list = AddList(40, 200);
  list->ListSetPos(20);
  eng_main_current_time = 10.0;
  mwin->MoveMouse(120.0f, 215.0f);
  mwin->KeyDown(13);
  ASSERT_TRUE(list->ListIsOpen());
  const MWinList::OpenLayout &o = list->ListGetOpenLayout();
  ASSERT_TRUE(o.can_scroll_down);
  mwin->MoveMouse(120.0f, o.down_row_y + 15);
  ASSERT_EQ(list->ListGetOpenPos(), o.end_shown);

  // Nothing moves in the first 0.1 s after opening, though that tick counts as the last step
  // of all lists; then one row every 400 ms less 70 ms a step, down to 5 ms.
  struct Tick {
    double t;
    int want_scroll;
  } ticks[] = {{10.05, 0},  {10.2, 0},   {10.451, 1}, {10.7, 1},   {10.782, 2}, {11.043, 3},
               {11.234, 4}, {11.355, 5}, {11.406, 6}, {11.412, 7}, {11.418, 8}};
  for (const Tick &k : ticks) {
    SCOPED_TRACE(k.t);
    eng_main_current_time = k.t;
    list->Tick();
    EXPECT_EQ(o.scroll, k.want_scroll);
    EXPECT_EQ(list->ListGetOpenPos(), o.end_shown);  // the highlight rides the down row
  }
  EXPECT_EQ(list->ListGetOpenPos(), 28 + 8);
  mwin->RenderMain();
  EXPECT_TRUE(Bluish(120, int(o.down_row_y) + 15));

  // Off the row the delay starts again.
  mwin->MoveMouse(120.0f, 215.0f);
  eng_main_current_time = 11.5;
  list->Tick();
  EXPECT_EQ(o.delay_ms, 400);
  int scroll = o.scroll;
  mwin->KeyDown(13);
  EXPECT_FALSE(list->ListIsOpen());
  EXPECT_EQ(list->ListGetPos(), 20 + scroll + 0);
}

}  // namespace
}  // namespace qwtest
