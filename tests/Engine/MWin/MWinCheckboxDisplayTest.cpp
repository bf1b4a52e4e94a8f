// The checkbox on the real device: its box beside left-aligned text, and beside centred text
// only from the second frame, once the text's end is known.
#include "Engine/MWin/MWinCheckbox.h"

#include <gtest/gtest.h>

#include "tests/Engine/MWin/MWinWidgetDisplayTestSupport.h"

namespace qwtest {
namespace {

class MWinCheckboxDisplayTest : public MWinWidgetDisplayTest {
 protected:
  // The first column from the left, in the row, holding the skin's grey box.
  static int FirstGreyX(int y) {
    for (int x = 0; x < 630; x++)
      if (Greyish(x, y) && Greyish(x + 4, y)) return x;
    return -1;
  }
};

TEST_F(MWinCheckboxDisplayTest, TheBoxSitsBesideTheText) {
  MWinCheckbox *left = MWinCheckbox::From(
      window->AddButton("A", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_NONE", "On", 100, 100, 300, 30));
  MWinCheckbox *centred = MWinCheckbox::From(
      window->AddButton("B", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_NONE", "On", 100, 200, 300, 30));
  ASSERT_TRUE(left && centred);
  left->SetTextAlign(MWIN_ALIGN_LEFT);
  left->SetTextColour(1, 0, 0, 1);
  centred->SetTextColour(1, 0, 0, 1);

  mwin->RenderMain();
  EXPECT_NEAR(FirstGreyX(115), 103, 2);  // margin 3 from the left edge
  EXPECT_EQ(FirstGreyX(215), -1);        // the centred text's end is not known yet
  float end = centred->CheckboxGetTextEndX();
  EXPECT_GT(end, 250);
  EXPECT_LT(end, 330);

  mwin->RenderMain();
  EXPECT_NEAR(FirstGreyX(215), end + 3, 2);  // a gap of a quarter box after the text
}

}  // namespace
}  // namespace qwtest
