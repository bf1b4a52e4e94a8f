#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/MWin/MWinGroup.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

class MWinGroupTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    w = AddWindow(Desktop()->AddCollection("C"), "W", 100, 100, 300, 200);
    g = w->GetFirstGroup();
  }
  MWinButton *Add(const char *id) {
    return g->AddButton(id, MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 0, 0, 10, 10);
  }
  std::string Ids() {
    std::string ids;
    for (MWinButton *b = g->m_first; b; b = b->m_next) {
      ids += b->GetID();
      EXPECT_EQ(b->m_next ? b->m_next->m_prev : g->m_last, b);
    }
    return ids;
  }
  MWinWindow *w = nullptr;
  MWinGroup *g = nullptr;
};

TEST_F(MWinGroupTest, RemovingKeepsTheListEndsRight) {
  struct Case {
    const char *remove;
    const char *left;
  } cases[] = {{"A", "BC"}, {"B", "AC"}, {"C", "AB"}};
  for (const Case &k : cases) {
    SCOPED_TRACE(k.remove);
    Add("A");
    Add("B");
    Add("C");
    EXPECT_TRUE(g->RemoveButton(w->GetButtonFromID(k.remove)));
    EXPECT_EQ(Ids(), k.left);
    EXPECT_EQ(g->GetNumButtons(), 2);
    g->RemoveAllButtons();
    EXPECT_EQ(g->m_first, nullptr);
    EXPECT_EQ(g->m_last, nullptr);
  }
  MWinButton *only = Add("O");
  EXPECT_TRUE(g->RemoveButton(only));
  EXPECT_EQ(g->m_first, nullptr);
  EXPECT_EQ(g->m_last, nullptr);
  EXPECT_FALSE(g->RemoveButton(nullptr));
}

TEST_F(MWinGroupTest, ForeignButtonsAreNotRemoved) {
  Add("A");
  w->CreateNewGroup();
  MWinButton *other = w->GetNthGroup(1)->AddButton("Z", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 0, 0, 5, 5);
  std::string log = Logged([&] { EXPECT_FALSE(g->RemoveButton(other)); });
  EXPECT_NE(log.find("Button <Z> not in window <W>"), std::string::npos);
  EXPECT_EQ(MWinButton::total_buttons_created, 2);
  EXPECT_FALSE(g->RemoveAllButtonsAfterButton(other));
}

TEST_F(MWinGroupTest, RemoveAllAfterAButton) {
  MWinButton *a = Add("A");
  Add("B");
  MWinButton *c = Add("C");
  EXPECT_TRUE(g->RemoveAllButtonsAfterButton(c));
  EXPECT_EQ(Ids(), "ABC");
  EXPECT_TRUE(g->RemoveAllButtonsAfterButton(a));
  EXPECT_EQ(Ids(), "A");
  EXPECT_EQ(MWinButton::total_buttons_created, 1);
}

TEST_F(MWinGroupTest, NthButtonCountsFromZero) {
  EXPECT_NE(Logged([&] { EXPECT_EQ(g->GetNthButton(0), nullptr); }).find("No buttons."), std::string::npos);
  MWinButton *a = Add("A");
  Add("B");
  EXPECT_EQ(g->GetNthButton(0), a);
  EXPECT_NE(Logged([&] { EXPECT_EQ(g->GetNthButton(2), nullptr); }).find("Button 2 not found."), std::string::npos);
}

TEST_F(MWinGroupTest, AddingEveryKindAndCopies) {
  for (int type = 0; type < MWIN_NUM_BUTTON_TYPES; type++) {
    SCOPED_TRACE(type);
    bool special = type == MWIN_BUTTON_HORZ_SCROLLBAR || type == MWIN_BUTTON_VERT_SCROLLBAR ||
                   type == MWIN_BUTTON_GRAPH || type == MWIN_BUTTON_TAB_PANEL;
    std::string log = Logged([&] {
      MWinButton *b = g->AddButton("K", _MWinButtonType(type), "MWIN_TEXBUT_DEFAULT", "text", 5, 5, 20, 20);
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(b->GetType(), type);
      EXPECT_EQ(b->GetGroup(), g);
    });
    EXPECT_EQ(log.find("Use individual class buttons instead") != std::string::npos, special);
  }
  EXPECT_EQ(g->GetNumButtons(), MWIN_NUM_BUTTON_TYPES);  // the same id twice gives two buttons

  MWinButton *source = g->GetNthButton(1);
  source->Disable();
  MWinButton *copy = g->AddButton(source);
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->GetID(), "K");
  EXPECT_EQ(copy->GetType(), MWIN_BUTTON_PUSH);
  EXPECT_FALSE(copy->IsEnabled());
  EXPECT_FLOAT_EQ(copy->GetOrigArea()->width, 20);
  EXPECT_STREQ(copy->GetTextP(), "text");
  EXPECT_EQ(g->m_last, copy);
  EXPECT_EQ(g->AddButton(static_cast<MWinButton *>(nullptr)), nullptr);
}

int ticks = 0;
class TickingButton : public MWinButton {
 public:
  using MWinButton::MWinButton;
  char Tick() override { return ++ticks, 1; }
};

TEST_F(MWinGroupTest, AHiddenGroupNeitherTicksNorTakesInput) {
  ticks = 0;
  MWinButton *b = g->CompleteAddButton(
      new TickingButton(mwin, "T", g, MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 0, 0, 50, 50));
  EXPECT_TRUE(g->Tick());
  EXPECT_EQ(ticks, 1);
  b->Disable();
  EXPECT_FALSE(g->Tick());
  b->Enable();
  g->Hide();
  EXPECT_FALSE(g->Tick());
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(g->Render(), 1);
  mwin->MoveMouse(110.0f, 110.0f);
  EXPECT_FALSE(b->IsActive());
  g->Show(1);
  mwin->MoveMouse(111.0f, 110.0f);
  EXPECT_TRUE(b->IsActive());
  EXPECT_NE(Logged([&] { g->CompleteAddButton(nullptr); }).find("No button (no memory)"), std::string::npos);
}

}  // namespace
}  // namespace qwtest
