#include "Engine/MWin/MWinColour.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/MWin/MWinCollectionController.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "tests/Engine/MWin/MWinProgramTestSupport.h"

namespace qwtest {
namespace {

std::vector<int> changes;  // the by-user byte of each callback
void Changed(MWin *, _MWinButtonCallbackInfo *info, int, int) { changes.push_back(info->colour_flag); }

// The picker spans x 110..310, y 110..174: three bars 20 high with gaps of 2.
class MWinColourTest : public MWinProgramWindowTest {
 protected:
  void SetUp() override {
    MWinProgramWindowTest::SetUp();
    changes.clear();
    picker = window->GetFirstGroup()->AddColour("P", "MWIN_TEXBUT_NONE", nullptr, 10, 10, 200, 64);
    ASSERT_NE(picker, nullptr);
  }
  void ExpectColour(float r, float g, float b, float tolerance = 1e-4f) {
    _ColourRGB c;
    ASSERT_TRUE(picker->Get(&c));
    EXPECT_NEAR(c.r, r, tolerance);
    EXPECT_NEAR(c.g, g, tolerance);
    EXPECT_NEAR(c.b, b, tolerance);
  }
  MWinColour *picker = nullptr;
};

TEST_F(MWinColourTest, StartsAtItsResetColourWithThreeBarsOutsideTheGroup) {
  EXPECT_TRUE(picker->IsReady());
  ExpectColour(0.25f, 0.5f, 0.5f);
  EXPECT_EQ(window->GetNumButtons(), 1);
  const char *ids[3] = {"Colour_HS_0", "Colour_HS_1", "Colour_HS_2"};
  const float maxima[3] = {255, 1, 1};
  for (int k = 0; k < 3; k++) {
    MWinHorzScrollbar *bar = picker->GetScrollbar(k);
    ASSERT_NE(bar, nullptr);
    EXPECT_STREQ(bar->GetID(), ids[k]);
    EXPECT_DOUBLE_EQ(bar->m_max, maxima[k]);
    EXPECT_FLOAT_EQ(bar->GetActualArea()->y, 110 + k * 22.0f);
    EXPECT_FLOAT_EQ(bar->GetActualArea()->height, 20);
    EXPECT_FLOAT_EQ(bar->GetTransparency(), 0.6f);
  }
  EXPECT_FLOAT_EQ(picker->GetScrollbar(0)->GetPosFloat(), 127.5f);
}

TEST_F(MWinColourTest, TheHueTableRunsFromRedThroughBlueAndGreenBackToRed) {
  struct Case {
    int i;
    float r, g, b;
  } cases[] = {{0, 1, 0, 0},        {42, 1, 0, 1},     {43, 1, 0, 1},   {84, 0, 0, 1}, {85, 0, 0, 1},
               {127, 0, 1, 1},      {128, 0, 1, 1},    {170, 0, 1, 0},  {171, 0, 1, 0}, {212, 41 / 42.0f, 1, 0},
               {213, 1, 1, 0},      {255, 1, 0, 0},    {64, 1 - 21 / 41.0f, 0, 1}};
  for (const Case &c : cases) {
    const float *e = mwin->ColourGetHueEntry(c.i);
    EXPECT_NEAR(e[0], c.r, 1e-5f) << c.i;
    EXPECT_NEAR(e[1], c.g, 1e-5f) << c.i;
    EXPECT_NEAR(e[2], c.b, 1e-5f) << c.i;
  }
}

TEST_F(MWinColourTest, AColourMovesTheBarsAndComesBackFromThem) {
  struct Case {
    float r, g, b;
    float hue, saturation, value;
  } cases[] = {
      {1, 0, 0, 255, 1, 1},
      {0, 0, 1, 85, 1, 1},
      {0, 1, 0, 170, 1, 1},
      {0.5f, 0.25f, 0.25f, 255, 0.5f, 0.5f},
      {0.2f, 0.4f, 0.8f, 255 * (1 - 0.6111111f), 0.75f, 0.8f},
  };
  for (const Case &c : cases) {
    picker->Set(c.r, c.g, c.b, 0);
    EXPECT_NEAR(picker->GetHuePos(), c.hue, 1e-3f) << c.r << c.g << c.b;
    EXPECT_NEAR(picker->GetSaturation(), c.saturation, 1e-5f);
    EXPECT_NEAR(picker->GetValue(), c.value, 1e-5f);
    EXPECT_NEAR(picker->GetScrollbar(0)->GetPosFloat(), c.hue, 1e-3f);
    EXPECT_NEAR(picker->GetScrollbar(1)->GetPosFloat(), c.saturation, 1e-5f);
    EXPECT_NEAR(picker->GetScrollbar(2)->GetPosFloat(), c.value, 1e-5f);
    // Back through the table, whose entries are 1/42 of a segment apart.
    ExpectColour(c.r, c.g, c.b, 0.025f);
  }
  // Black moves only the value; a grey only the value and the saturation.
  picker->Set(1, 0, 0, 0);
  picker->Set(0, 0, 0, 0);
  EXPECT_FLOAT_EQ(picker->GetHuePos(), 255);
  EXPECT_FLOAT_EQ(picker->GetSaturation(), 1);
  EXPECT_FLOAT_EQ(picker->GetValue(), 0);
  ExpectColour(0, 0, 0);
  picker->Set(0.5f, 0.5f, 0.5f, 0);
  EXPECT_FLOAT_EQ(picker->GetHuePos(), 255);
  EXPECT_FLOAT_EQ(picker->GetSaturation(), 0);
  EXPECT_FLOAT_EQ(picker->GetValue(), 0.5f);
  ExpectColour(0.5f, 0.5f, 0.5f);
}

TEST_F(MWinColourTest, AChannelOutsideZeroToOneIsRefusedWithoutAVariable) {
  picker->Set(0.2f, 0.4f, 0.8f, 0);
  std::string log = Logged([&] { picker->Set(1.5f, 0, 0, 0); });
  EXPECT_NE(log.find("invalid col R:1.500000 G:0.000000 B:0.000000 (ID: P)"), std::string::npos) << log;
  ExpectColour(0.2f, 0.4f, 0.8f, 0.025f);
}

TEST_F(MWinColourTest, ABoundVariableHoldsItsOwnScaleAndIsKeptInRange) {
  _ColourRGB var = {255, 0, 0};
  EXPECT_FALSE(picker->RegisterVariableMult(nullptr, 255, 0));
  ASSERT_TRUE(picker->RegisterVariableMult(&var, 255, 0));
  EXPECT_FLOAT_EQ(picker->GetHuePos(), 255);
  EXPECT_NEAR(var.r, 255, 1e-3f);
  picker->Set(0, 0, 255, 0);
  EXPECT_NEAR(picker->GetHuePos(), 85, 1e-3f);
  EXPECT_NEAR(var.b, 255, 1e-3f);
  EXPECT_NEAR(var.r, 0, 1e-3f);
  // Out of the variable's range: kept at the ends, so the strips' bytes never wrap.
  picker->Set(300, -20, 0, 0);
  EXPECT_NEAR(var.r, 255, 1e-3f);
  EXPECT_NEAR(var.g, 0, 1e-3f);
  const unsigned char *value_strip = picker->GetStripPixels(2);
  ASSERT_NE(value_strip, nullptr);
  const unsigned char *last = value_strip + (16 * 256 + 250) * 3;
  EXPECT_GT(last[0], 240);
  EXPECT_EQ(last[1], 0);
  // A variable changed by its owner is read back on request.
  var = {0, 255, 0};
  picker->UpdateFromRegisteredVariable(0);
  EXPECT_NEAR(picker->GetHuePos(), 170, 1e-3f);
}

TEST_F(MWinColourTest, TheStripsShowEachBarsChoiceInsideABorder) {
  picker->Set(1, 0, 0, 0);
  const unsigned char *hue = picker->GetStripPixels(0), *sat = picker->GetStripPixels(1),
                      *val = picker->GetStripPixels(2);
  auto px = [](const unsigned char *strip, int col, int row) { return strip + (row * 256 + col) * 3; };
  // The standard border: two columns and two rows in the root's strip border colour (black).
  for (const unsigned char *p : {px(hue, 0, 10), px(hue, 255, 10), px(hue, 100, 0), px(sat, 100, 31)})
    EXPECT_EQ(p[0] + p[1] + p[2], 0);
  EXPECT_EQ(px(hue, 85, 16)[2], 255);   // blue at a third of the way
  EXPECT_EQ(px(hue, 170, 16)[1], 255);  // green at two thirds
  EXPECT_EQ(px(sat, 253, 16)[0], 255);  // full saturation: the hue
  EXPECT_LT(px(sat, 253, 16)[1], 4);
  EXPECT_EQ(px(sat, 2, 16)[1], 253);    // none: the value's grey
  EXPECT_LT(px(val, 2, 16)[0], 4);      // no brightness: black
  EXPECT_GT(px(val, 253, 16)[0], 250);
}

TEST_F(MWinColourTest, DraggingABarCallsBackOncePerChangeAsTheUser) {
  picker->SetCallback(Changed, 0, 0, 0);
  _ColourRGB var = {0, 0, 0};
  ASSERT_TRUE(picker->RegisterVariable(&var));
  picker->Set(1, 0, 0, 0);
  ASSERT_TRUE(changes.empty());
  MWinHorzScrollbar *value_bar = picker->GetScrollbar(2);
  float thumb = value_bar->GetScreenXPos() + value_bar->GetThumbLength() / 2;
  // The first move activates the picker, the next one the bar under the pointer.
  mwin->MoveMouse(thumb, 164.0f);
  mwin->MoveMouse(thumb, 164.0f);
  ASSERT_TRUE(value_bar->IsActive());
  EXPECT_FALSE(picker->GetScrollbar(0)->IsActive());
  mwin->ButtonPressed(0, 1, 0);
  ASSERT_TRUE(value_bar->IsDragging());
  mwin->MoveMouse(thumb - 40, 164.0f);
  mwin->MoveMouse(thumb - 80, 190.0f);  // the drag holds when the pointer leaves the bar
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0], 1);
  EXPECT_EQ(changes[1], 1);
  EXPECT_LT(picker->GetValue(), 0.6f);
  EXPECT_NEAR(var.r, picker->GetValue(), 1e-5f);
  mwin->ButtonPressed(0, 0, 0);
  EXPECT_FALSE(value_bar->IsDragging());
  // Set by the program: by-user 0.
  changes.clear();
  picker->Set(0, 1, 0, 1);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], 0);
}

class Controller : public MWinCollectionController {
 public:
  char CreateCollection(MWin *) override { return 1; }
  void RemoveVars() override {}
  void StartingCB(void *) override {}
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *) override {
    ids.push_back(button->GetID());
    return 1;
  }
  std::vector<std::string> ids;
};

TEST_F(MWinColourTest, InAControllersWindowTheBarsStillReachThePicker) {
  Controller controller;
  window->SetController(&controller);
  MWinHorzScrollbar *hue_bar = picker->GetScrollbar(0);
  float thumb = hue_bar->GetScreenXPos() + hue_bar->GetThumbLength() / 2;
  mwin->MoveMouse(thumb, 120.0f);
  mwin->MoveMouse(thumb, 120.0f);
  mwin->ButtonPressed(0, 1, 0);
  float before = picker->GetHuePos();
  mwin->MoveMouse(thumb + 30, 120.0f);
  mwin->ButtonPressed(0, 0, 0);
  EXPECT_NE(picker->GetHuePos(), before);
  ASSERT_FALSE(controller.ids.empty());
  EXPECT_EQ(controller.ids[0], "Colour_HS_0");
  window->SetController(nullptr);
}

}  // namespace
}  // namespace qwtest
