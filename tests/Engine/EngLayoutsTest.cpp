// Which layout applies for a device kind and orientation, and the per-layout tables.
#include "Engine/EngLayouts.h"

#include <gtest/gtest.h>

#include "Engine/EngMainOrientation.h"
#include "Engine/EngWhichDevice.h"

namespace {

class EngLayoutsTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    EngLayoutsResetForTests();
    EngWhichDeviceResetForTests();
    EngMainOrientationResetForTests();
  }
};

TEST_F(EngLayoutsTest, CurrentLayoutFollowsDeviceKindAndOrientation) {
  struct Case {
    char desktop_mode, tablet_mode;
    _EngOrientation orientation;
    _EngLayout want;
  } cases[] = {
      {0, 0, ENG_ORIENTATION_LANDSCAPE_RIGHT, ENG_LAYOUT_DESKTOP},
      {0, 0, ENG_ORIENTATION_PORTRAIT, ENG_LAYOUT_DESKTOP},
      {1, 0, ENG_ORIENTATION_LANDSCAPE_RIGHT, ENG_LAYOUT_PHONE_LANDSCAPE},
      {1, 0, ENG_ORIENTATION_PORTRAIT_UPSIDE_DOWN, ENG_LAYOUT_PHONE_PORTRAIT},
      {1, 1, ENG_ORIENTATION_PORTRAIT, ENG_LAYOUT_TABLET_PORTRAIT},
      {1, 2, ENG_ORIENTATION_LANDSCAPE_LEFT, ENG_LAYOUT_TABLET_LANDSCAPE},
      {1, 1, ENG_ORIENTATION_UNSET, ENG_LAYOUT_DESKTOP},
  };
  for (const Case &c : cases) {
    ewd_desktop_mode = c.desktop_mode;
    ewd_tablet_mode = c.tablet_mode;
    EngMainSetOrientation(c.orientation);
    EXPECT_EQ(EngLayoutsGetLayout(ENG_LAYOUT_CURRENT), c.want)
        << int(c.desktop_mode) << int(c.tablet_mode) << EngMainGetOrientationAsString(c.orientation);
    EXPECT_EQ(EngLayoutsGetLayout(ENG_LAYOUT_TABLET_LANDSCAPE), ENG_LAYOUT_TABLET_LANDSCAPE);
  }
}

TEST_F(EngLayoutsTest, LayoutOutsideTheTablesIsRefused) {
  for (int bad : {5, 99, 0x7fffffff}) {
    _EngLayout layout = _EngLayout(bad);
    EXPECT_EQ(EngLayoutsGetLayout(layout), ENG_LAYOUT_DESKTOP);
    EXPECT_EQ(EngLayoutsGetButtonSize(layout), EngLayoutsGetButtonSize(ENG_LAYOUT_DESKTOP));
    EXPECT_EQ(EngLayoutsGetWidth(layout), 640);
  }
}

TEST_F(EngLayoutsTest, PerLayoutTables) {
  struct Case {
    _EngLayout layout;
    char mobile, handheld, tablet, portrait, landscape;
    int width, height;
    float button_w, button_h, text_w, text_h;
  } cases[] = {
      {ENG_LAYOUT_DESKTOP, 0, 0, 0, 1, 0, 640, 480, 60, 20, 0.9f, 0.99f},
      {ENG_LAYOUT_PHONE_PORTRAIT, 1, 1, 0, 1, 0, 320, 480, 120, 30, 2.6f, 1.43f},
      {ENG_LAYOUT_PHONE_LANDSCAPE, 1, 1, 0, 0, 1, 480, 320, 90, 40, 1.8f, 1.8f},
      {ENG_LAYOUT_TABLET_PORTRAIT, 1, 0, 1, 1, 0, 768, 1024, 100, 24, 1.8f, 0.99f},
      {ENG_LAYOUT_TABLET_LANDSCAPE, 1, 0, 1, 0, 1, 1024, 768, 72, 32, 1.3f, 1.3f},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(int(c.layout));
    EXPECT_EQ(EngLayoutsIsMobile(c.layout), c.mobile);
    EXPECT_EQ(EngLayoutsIsHandheld(c.layout), c.handheld);
    EXPECT_EQ(EngLayoutsIsHandheldPotrait(c.layout), c.layout == ENG_LAYOUT_PHONE_PORTRAIT);
    EXPECT_EQ(EngLayoutsIsTablet(c.layout), c.tablet);
    EXPECT_EQ(EngLayoutsIsPortrait(c.layout), c.portrait);
    EXPECT_EQ(EngLayoutsIsLandscape(c.layout), c.landscape);
    EXPECT_EQ(EngLayoutsGetWidth(c.layout), c.width);
    EXPECT_EQ(EngLayoutsGetHeight(c.layout), c.height);
    EXPECT_FLOAT_EQ(EngLayoutsGetRatio(c.layout), float(c.width) / float(c.height));
    EXPECT_FLOAT_EQ(EngLayoutsGetButtonSize(c.layout)->x, c.button_w);
    EXPECT_FLOAT_EQ(EngLayoutsGetButtonSize(c.layout)->y, c.button_h);
    const _Vector2d *text = EngLayoutsGetButtonTextSize(c.layout);
    EXPECT_FLOAT_EQ(text->x, c.text_w);
    EXPECT_FLOAT_EQ(text->y, c.text_h);
    const _Vector2d *ratios = EngLayoutsGetTextSizeRatios(c.layout);
    EXPECT_FLOAT_EQ(EngLayoutsGetTextSizeRatio(c.layout), ratios->y / ratios->x);
  }
}

}  // namespace
