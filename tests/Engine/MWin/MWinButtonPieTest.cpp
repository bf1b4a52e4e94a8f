// The pie gauge's state without a device: its reset from the toolkit's settings, the values it
// takes and refuses, its colours and the bound float it follows.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Engine/MWin/MWinSettings.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

class MWinButtonPieTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    window = AddWindow(Desktop()->AddCollection("C"), "W", 0, 0, 640, 480);
    ASSERT_NE(window, nullptr);
  }
  MWinButton *AddPie() { return window->AddButton("PIE", MWIN_BUTTON_PIE, "MWIN_TEXBUT_NONE", nullptr, 100, 100, 120, 120); }
  static void ExpectColour(const _ColourRGB &c, float r, float g, float b, const char *what) {
    EXPECT_FLOAT_EQ(c.r, r) << what;
    EXPECT_FLOAT_EQ(c.g, g) << what;
    EXPECT_FLOAT_EQ(c.b, b) << what;
  }

  MWinWindow *window = nullptr;
};

TEST_F(MWinButtonPieTest, ANewPieIsHalfFullInTheToolkitsColours) {
  float *defaults = mwin->GetSettings()->pie_colours;
  for (int i = 0; i < 9; i++) defaults[i] = 0.1f * float(i + 1);
  MWinButton *pie = AddPie();
  ASSERT_NE(pie, nullptr);
  EXPECT_EQ(pie->GetType(), MWIN_BUTTON_PIE);
  EXPECT_FLOAT_EQ(pie->GetPie()->value, 0.5f);
  EXPECT_FLOAT_EQ(pie->GetPie()->max, 1.0f);
  ExpectColour(pie->GetPie()->colours[MWIN_PIE_VALUE], 0.1f, 0.2f, 0.3f, "value");
  ExpectColour(pie->GetPie()->colours[MWIN_PIE_INNER], 0.4f, 0.5f, 0.6f, "inner");
  ExpectColour(pie->GetPie()->colours[MWIN_PIE_OUTER], 0.7f, 0.8f, 0.9f, "outer");
  // No device: nothing is made to draw with.
  for (EngTriangleList *list : pie->GetPie()->lists) EXPECT_EQ(list, nullptr);

  pie->PieSetValuesFloat(3, 4);
  pie->PieSetColours(1, 1, 1, 1, 1, 1, 1, 1, 1);
  pie->PieReset();
  EXPECT_FLOAT_EQ(pie->GetPie()->value, 0.5f);
  EXPECT_FLOAT_EQ(pie->GetPie()->max, 1.0f);
  ExpectColour(pie->GetPie()->colours[MWIN_PIE_OUTER], 0.7f, 0.8f, 0.9f, "outer after reset");
}

TEST_F(MWinButtonPieTest, ValuesAreTakenOnlyInsideZeroToAPositiveMaximum) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    float value, max;
    char taken;
  } cases[] = {
      {2, 1, 0}, {-0.5f, 1, 0}, {0, 0, 0}, {0, -1, 0}, {nan, 1, 0}, {0.5f, nan, 0},
      {0, 1, 1}, {1, 1, 1},     {7, 10, 1},
  };
  for (const Case &c : cases) {
    MWinButton *pie = AddPie();
    EXPECT_EQ(pie->PieSetValuesFloat(c.value, c.max), c.taken) << c.value << " of " << c.max;
    EXPECT_FLOAT_EQ(pie->GetPie()->value, c.taken ? c.value : 0.5f) << c.value << " of " << c.max;
    EXPECT_FLOAT_EQ(pie->GetPie()->max, c.taken ? c.max : 1.0f) << c.value << " of " << c.max;
    window->RemoveButton(pie);
  }
}

TEST_F(MWinButtonPieTest, AColourWithANegativeRedIsLeftAlone) {
  MWinButton *pie = AddPie();
  pie->PieSetColours(1, 0, 0, -1, 5, 5, 0, 0, 1);
  ExpectColour(pie->GetPie()->colours[MWIN_PIE_VALUE], 1, 0, 0, "value");
  ExpectColour(pie->GetPie()->colours[MWIN_PIE_INNER], 0.3984f, 0.8f, 0.3984f, "inner kept");
  ExpectColour(pie->GetPie()->colours[MWIN_PIE_OUTER], 0, 0, 1, "outer");
  pie->PieSetColours(-1, 0, 0, 0, 0, 0, -0.5f, 0, 0);
  ExpectColour(pie->GetPie()->colours[MWIN_PIE_VALUE], 1, 0, 0, "value kept");
  ExpectColour(pie->GetPie()->colours[MWIN_PIE_INNER], 0, 0, 0, "inner");
  ExpectColour(pie->GetPie()->colours[MWIN_PIE_OUTER], 0, 0, 1, "outer kept");
}

TEST_F(MWinButtonPieTest, ABoundFloatIsScaledAndHeldToTheRange) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    float var, mult, max, want;
  } cases[] = {
      {0.25f, 1, 1, 0.25f}, {30, 0.01f, 1, 0.3f}, {3, 1, 2, 2}, {-4, 1, 1, 0}, {5, -1, 10, 0}, {nan, 1, 1, 0},
  };
  for (const Case &c : cases) {
    MWinButton *pie = AddPie();
    ASSERT_TRUE(pie->PieSetValuesFloat(0, c.max));
    float var = c.var;
    EXPECT_TRUE(pie->PieRegisterFloatVariable(&var, c.mult));
    EXPECT_EQ(pie->GetRegisteredVariable()->kind, MWIN_REGVAR_FLOAT);
    EXPECT_FLOAT_EQ(pie->GetPie()->value, c.want) << c.var << " x " << c.mult;
    window->RemoveButton(pie);
  }

  // The gauge follows the variable only when asked, and only while a float is bound.
  MWinButton *pie = AddPie();
  float var = 0.2f;
  pie->PieRegisterFloatVariable(&var, 1);
  var = 0.9f;
  EXPECT_FLOAT_EQ(pie->GetPie()->value, 0.2f);
  pie->PieUpdateFromRegisteredVariable(1);
  EXPECT_FLOAT_EQ(pie->GetPie()->value, 0.9f);
  int other = 0;
  pie->RegisterIntVariable(&other, 1);
  var = 0.1f;
  pie->PieUpdateFromRegisteredVariable(0);
  EXPECT_FLOAT_EQ(pie->GetPie()->value, 0.9f);
  // Unbinding leaves the value where it was.
  pie->PieRegisterFloatVariable(nullptr, 1);
  EXPECT_EQ(pie->GetRegisteredVariable()->kind, MWIN_REGVAR_NONE);
  EXPECT_FLOAT_EQ(pie->GetPie()->value, 0.9f);
}

}  // namespace
}  // namespace qwtest
