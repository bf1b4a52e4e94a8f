// The options screen's generated layout on the real toolkit: rectangles and the hidden
// startup-window row per device layout, the builder order, and its texts' tokens.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "Engine/EngFont.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinWindow.h"
#include "screens/ScreenLayout.h"
#include "screens/layouts/OptionsCollectionController.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/screens/LayoutTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class OptionsLayout : public qwtest::LayoutOnly<OptionsCollectionController> {
 public:
  std::array<MWinButton *, 14> Members() {
    return {
        mwinOptionsOptionsTitleButton,          mwinOptionsOptionsShowResTButton,   mwinOptionsOptionsShowResButton,
        mwinOptionsOptionsShowResInfoButton,    mwinOptionsOptionsOneUserButton,    mwinOptionsOptionsOneUserTButton,
        mwinOptionsOptionsOneUserInfoButton,    mwinOptionsOptionsPowerTButton,     mwinOptionsOptionsPowerButton,
        mwinOptionsOptionsDateFormatTextButton, mwinOptionsOptionsDateFormatButton, mwinOptionsOptionsPowerInfoButton,
        mwinOptionsOptionsDateFormatInfoButton, mwinOptionsOptionsBackButton};
  }
};

// Builder order, not the rows' order on the screen.
const char *const kOrder[14] = {"Title",      "ShowResT",    "ShowRes",        "ShowResInfo", "OneUser",
                                "OneUserT",   "OneUserInfo", "PowerT",         "Power",       "DateFormatText",
                                "DateFormat", "PowerInfo",   "DateFormatInfo", "Back"};

class OptionsCollectionControllerTest : public qwtest::LayoutTest {
 protected:
  void TearDown() override {
    mwin->SetScreenLayout(ENG_LAYOUT_DESKTOP);
    MWinTest::TearDown();
  }
};

TEST_F(OptionsCollectionControllerTest, EachDeviceLayoutBuildsItsRectanglesAndHidesTheStartupRowOffTheDesktop) {
  struct Case {
    int layout;
    const char *id;
    _Dimension area;
    bool shown;
  } cases[] = {
      {0, "Title", {128, 0, 384, 84}, true},           {0, "ShowResT", {10, 185, 240, 30}, true},
      {0, "ShowRes", {255, 185, 285, 30}, true},       {0, "ShowResInfo", {555, 185, 30, 30}, true},
      {0, "Power", {255, 320, 285, 30}, true},         {0, "DateFormat", {255, 275, 285, 30}, true},
      {0, "Back", {550, 440, 80, 30}, true},           {1, "OneUser", {335, 210, 235, 45}, true},
      {1, "ShowResT", {10, 185, 240, 30}, false},      {1, "ShowRes", {255, 185, 285, 30}, false},
      {1, "ShowResInfo", {555, 185, 30, 30}, false},   {2, "ShowRes", {340, 90, 230, 50}, false},
      {2, "DateFormatInfo", {585, 260, 45, 50}, true}, {3, "Back", {515, 440, 110, 30}, true},
      {3, "ShowResInfo", {555, 185, 30, 30}, false},   {3, "PowerT", {10, 320, 240, 30}, true},
      {4, "ShowResT", {10, 145, 240, 30}, false},      {4, "Power", {260, 320, 280, 35}, true},
      {4, "Title", {128, 0, 384, 84}, true},           {7, "ShowResT", {10, 185, 240, 30}, true},
      {7, "ShowRes", {255, 185, 285, 30}, true},       {7, "ShowResInfo", {555, 185, 30, 30}, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.layout) + " " + c.id);
    mwin->SetScreenLayout(_EngLayout(c.layout));
    OptionsLayout options;
    ASSERT_EQ(options.CreateCollection(mwin), 1);
    ASSERT_NE(options.mwinOptionsOptionsWindow, nullptr);
    EXPECT_EQ(options.mwinOptionsCollection, Desktop()->GetCollectionFromID("Options", 0));
    MWinButton *b = options.mwinOptionsOptionsWindow->GetButtonFromID(c.id, 0);
    ASSERT_NE(b, nullptr);
    qwtest::ExpectArea(b->GetOrigArea(), c.area);
    EXPECT_EQ(b->IsShown() ? true : false, c.shown);
    // Every member is built and stored in builder order, hidden or not.
    ASSERT_NO_FATAL_FAILURE(qwtest::ExpectMembersInOrder(options.Members(), options.mwinOptionsOptionsWindow, kOrder));
    EXPECT_EQ(options.mwinOptionsOptionsWindow->GetController(0), &options);
    Desktop()->RemoveAllCollections();
  }
}

TEST_F(OptionsCollectionControllerTest, CaptionsChoicesAndTheirLook) {
  OptionsLayout options;
  ASSERT_EQ(options.CreateCollection(mwin), 1);
  for (MWinButton *choice : {options.mwinOptionsOptionsShowResButton, options.mwinOptionsOptionsOneUserButton,
                             options.mwinOptionsOptionsPowerButton, options.mwinOptionsOptionsDateFormatButton})
    EXPECT_EQ(choice->GetType(), MWIN_BUTTON_CHOICE) << choice->GetID();
  MWinButton *caption = options.mwinOptionsOptionsOneUserTButton;
  EXPECT_EQ(caption->GetType(), MWIN_BUTTON_PUSH);
  EXPECT_STREQ(caption->GetTextP(), "Always Start with Current User:");
  EXPECT_EQ(caption->GetTextAlign(), MWIN_ALIGN_RIGHT);
  EXPECT_STREQ(caption->GetFontID(), "Main");
  _ColourRGBA colour;
  caption->GetTextColour(&colour);
  EXPECT_FLOAT_EQ(colour.a, 0.7f);
  float sx = 0, sy = 0;
  caption->GetTextScaleNoOrientation(&sx, &sy);
  EXPECT_FLOAT_EQ(sy, 1.1f);
  EXPECT_STREQ(options.mwinOptionsOptionsDateFormatButton->GetTextP(), " ");
  EXPECT_STREQ(options.mwinOptionsOptionsTitleButton->GetFontID(), "MWIN_FONT_DEFAULT");
  EXPECT_STREQ(options.mwinOptionsOptionsPowerInfoButton->GetTextP(), "?");
  options.RemoveVars();
  for (MWinButton *member : options.Members()) EXPECT_EQ(member, nullptr);
  EXPECT_EQ(options.mwinOptionsOptionsWindow, nullptr);
  EXPECT_EQ(options.mwinOptionsCollection, nullptr);
}

}  // namespace
