// The checkbox through the real toolkit: toggled by a press (never the release, never a key),
// written into its bound variable and reported; refused values change nothing.
#include "Engine/MWin/MWinCheckbox.h"

#include <gtest/gtest.h>

#include "tests/Engine/MWin/MWinWidgetTestSupport.h"

namespace qwtest {
namespace {

class MWinCheckboxTest : public MWinWidgetTest {
 protected:
  MWinCheckbox *AddBox() {
    return MWinCheckbox::From(Add("Box", MWIN_BUTTON_CHECKBOX, "Sound", 100, 100, 120, 20));
  }
};

TEST_F(MWinCheckboxTest, AddButtonMakesACheckboxAndOtherKindsAreRefusedByFrom) {
  ASSERT_NE(AddBox(), nullptr);
  MWinButton *push = Add("P", MWIN_BUTTON_PUSH, "p", 0, 0, 40, 20);
  std::string log = Logged([&] { EXPECT_EQ(MWinCheckbox::From(push), nullptr); });
  EXPECT_NE(log.find("not a checkbox"), std::string::npos);
}

TEST_F(MWinCheckboxTest, APressTogglesAndTheReleaseDoesNothingMore) {
  MWinCheckbox *box = AddBox();
  char value = 0;
  ASSERT_TRUE(box->CheckboxRegisterCharVariable(&value, 0));
  mwin->MoveMouse(110.0f, 110.0f);
  ASSERT_TRUE(box->IsActive());

  EXPECT_TRUE(mwin->ButtonPressed(0, 1, 0));
  EXPECT_EQ(box->CheckboxGet(), 1);
  EXPECT_EQ(value, 1);
  ASSERT_EQ(records().size(), 1u);
  EXPECT_EQ(records()[0].checkbox_state, 1);
  EXPECT_STREQ(records()[0].button_id, "Box");

  mwin->ButtonPressed(0, 0, 0);
  EXPECT_EQ(box->CheckboxGet(), 1);
  EXPECT_EQ(records().size(), 1u);

  Click(110.0f, 110.0f);
  EXPECT_EQ(box->CheckboxGet(), 0);
  EXPECT_EQ(value, 0);
  ASSERT_EQ(records().size(), 2u);
  EXPECT_EQ(records()[1].checkbox_state, 0);

  // The right button, keys and a press elsewhere leave it alone; a double click toggles.
  Click(110.0f, 110.0f, 1);
  mwin->MoveMouse(110.0f, 110.0f);
  mwin->KeyDown(13);
  mwin->KeyDown(32);
  EXPECT_EQ(box->CheckboxGet(), 0);
  EXPECT_TRUE(mwin->ButtonDoubleClicked(0));
  EXPECT_EQ(box->CheckboxGet(), 1);
  EXPECT_EQ(records().size(), 3u);
}

TEST_F(MWinCheckboxTest, SettingAndBinding) {
  MWinCheckbox *box = AddBox();
  struct Case {
    const char *name;
    int initial;
    char value, call;
    char want_state, want_ok;
    size_t want_calls;
    const char *want_log;
  } cases[] = {
      {"set on, quietly", 0, 1, 0, 1, 1, 0, ""},
      {"set on, reported", 0, 1, 1, 1, 1, 1, ""},
      {"set off, reported", 1, 0, 1, 0, 1, 1, ""},
      {"value 2 refused", 1, 2, 1, 1, 0, 0, "Invalid check parameter: 2"},
      {"value -1 refused", 0, -1, 1, 0, 0, 0, "Invalid check parameter: -1"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    box->CheckboxSet(char(c.initial), 0);
    int var = c.initial;
    box->CheckboxRegisterIntVariable(&var, 0);
    records().clear();
    char ok = 0;
    std::string log = Logged([&] { ok = box->CheckboxSet(c.value, c.call); });
    EXPECT_EQ(ok, c.want_ok);
    EXPECT_EQ(box->CheckboxGet(), c.want_state);
    EXPECT_EQ(var, c.want_state);
    EXPECT_EQ(records().size(), c.want_calls);
    if (c.want_log[0]) {
      EXPECT_NE(log.find(c.want_log), std::string::npos) << log;
    }
    box->CheckboxRegisterIntVariable(nullptr, 0);
  }

  // Binding shows the variable's value, calling back only when asked.
  char on = 1;
  records().clear();
  box->CheckboxSet(0, 0);
  EXPECT_TRUE(box->CheckboxRegisterCharVariable(&on, 0));
  EXPECT_EQ(box->CheckboxGet(), 1);
  EXPECT_TRUE(records().empty());
  on = 0;
  EXPECT_TRUE(box->CheckboxRegisterCharVariable(&on, 1));
  EXPECT_EQ(box->CheckboxGet(), 0);
  EXPECT_EQ(records().size(), 1u);
  // A null pointer only unbinds.
  EXPECT_TRUE(box->CheckboxRegisterCharVariable(nullptr, 1));
  box->CheckboxSet(1, 0);
  EXPECT_EQ(on, 0);
}

}  // namespace
}  // namespace qwtest
