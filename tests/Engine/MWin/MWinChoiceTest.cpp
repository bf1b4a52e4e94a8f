// The choice through the real toolkit: stepping and wrapping by keys, boxes and arrows by
// mouse, the bound variable, highlight reports, and the selection kept inside the entries.
#include "Engine/MWin/MWinChoice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Engine/MWin/MWinWidgetTestSupport.h"

namespace qwtest {
namespace {

const ENG_CHAR *kSizes[] = {"Small", "Medium", "Large"};
const int kEnter = 13, kLeft = 244, kRight = 245, kUp = 246, kDown = 247;

class MWinChoiceTest : public MWinWidgetTest {
 protected:
  // Three boxes of 40 units from x 100, at y 100..120.
  MWinChoice *AddChoice() {
    MWinChoice *choice = MWinChoice::From(Add("Ch", MWIN_BUTTON_CHOICE, nullptr, 100, 100, 120, 20));
    EXPECT_NE(choice, nullptr);
    EXPECT_FALSE(choice->IsReady());
    EXPECT_TRUE(choice->ChoiceSetStrings(3, kSizes));
    EXPECT_TRUE(choice->IsReady());
    return choice;
  }
  std::vector<int> Entries() {
    std::vector<int> e;
    for (auto &r : records()) e.push_back(r.choice_entry);
    return e;
  }
};

TEST_F(MWinChoiceTest, KeysStepAndEnterWraps) {
  MWinChoice *choice = AddChoice();
  int var = 0;
  choice->ChoiceRegisterIntVariable(&var, 0);
  mwin->MoveMouse(110.0f, 110.0f);
  ASSERT_TRUE(choice->IsActive());
  struct Step {
    int key;
    int want_sel;
  } steps[] = {{kEnter, 1}, {kEnter, 2}, {kEnter, 0},  {kLeft, 0}, {kUp, 0},
               {kRight, 1}, {kDown, 2},  {kRight, 2}, {kUp, 1},   {kLeft, 0}};
  for (const Step &s : steps) {
    SCOPED_TRACE(s.key);
    EXPECT_TRUE(mwin->KeyDown(s.key));  // the choice's keys are taken even when nothing changes
    EXPECT_EQ(choice->ChoiceGetSel(), s.want_sel);
    EXPECT_EQ(var, s.want_sel);
  }
  // Only real changes are reported.
  EXPECT_EQ(Entries(), (std::vector<int>{1, 2, 0, 1, 2, 1, 0}));
  for (auto &r : records()) EXPECT_EQ(r.choice_event, 0);
  EXPECT_FALSE(mwin->KeyDown('x'));
}

TEST_F(MWinChoiceTest, BoxesAreChosenByPressWithSound) {
  MWinChoice *choice = AddChoice();
  Click(215.0f, 110.0f);  // the third box
  EXPECT_EQ(choice->ChoiceGetSel(), 2);
  EXPECT_EQ(SelectionSounds(), 1u);
  Click(215.0f, 110.0f);  // the same box again: no report, no sound
  EXPECT_EQ(Entries(), std::vector<int>{2});
  EXPECT_EQ(SelectionSounds(), 1u);
  // Left of the first box clamps to entry 0.
  mwin->MoveMouse(90.0f, 110.0f);
  EXPECT_TRUE(choice->ChoiceBoxesHandleMousePress());
  EXPECT_EQ(choice->ChoiceGetSel(), 0);
  EXPECT_EQ(choice->ChoiceGetItemFromMousePos(0), -1);
  mwin->MoveMouse(230.0f, 110.0f);
  EXPECT_EQ(choice->ChoiceGetItemFromMousePos(1), 2);
}

TEST_F(MWinChoiceTest, ArrowsStepAndShowTheEntry) {
  MWinChoice *choice = AddChoice();
  choice->ChoiceUseArrows(1, 0);
  ASSERT_TRUE(choice->ChoiceIsUsingArrows());
  EXPECT_FALSE(choice->IsLeftArrowShown());
  EXPECT_TRUE(choice->IsRightArrowShown());
  // Right arrow: the last 15 units (arrow 12 + margin 3).
  Click(210.0f, 110.0f);
  EXPECT_EQ(choice->ChoiceGetSel(), 1);
  EXPECT_STREQ(choice->GetTextP(), "Medium");
  EXPECT_TRUE(choice->IsLeftArrowShown());
  Click(210.0f, 110.0f);
  EXPECT_EQ(choice->ChoiceGetSel(), 2);
  EXPECT_FALSE(choice->IsRightArrowShown());
  Click(210.0f, 110.0f);  // no right arrow any more
  Click(160.0f, 110.0f);  // the middle is no arrow
  EXPECT_EQ(choice->ChoiceGetSel(), 2);
  Click(102.0f, 110.0f);
  EXPECT_EQ(choice->ChoiceGetSel(), 1);
  EXPECT_EQ(Entries(), (std::vector<int>{1, 2, 1}));
  EXPECT_EQ(SelectionSounds(), 3u);
}

TEST_F(MWinChoiceTest, SelectionModesAndRefusals) {
  MWinChoice *choice = AddChoice();
  std::string log = Logged([&] { EXPECT_FALSE(choice->ChoiceSetSel(3, 1)); });
  EXPECT_NE(log.find("invalid sel : 3 (m_id: Ch, entries = 3)"), std::string::npos) << log;
  EXPECT_EQ(choice->ChoiceGetSel(), 0);
  EXPECT_TRUE(choice->ChoiceSetSel(-1, 0));
  EXPECT_TRUE(choice->ChoiceSetSel(1, 2));
  EXPECT_TRUE(choice->ChoiceSetSel(1, 2));  // unchanged: mode 2 stays quiet
  EXPECT_TRUE(choice->ChoiceSetSel(1, 1));  // mode 1 always reports
  EXPECT_TRUE(choice->ChoiceSetSel(2, 0));
  EXPECT_EQ(Entries(), (std::vector<int>{1, 1}));

  log = Logged([&] {
    EXPECT_FALSE(choice->ChoiceSetStrings(0, kSizes));
    EXPECT_FALSE(choice->ChoiceSetStrings(2, nullptr));
    EXPECT_FALSE(choice->ChoiceSetStringsCallback(2, nullptr, nullptr));
    EXPECT_FALSE(choice->ChoiceSetStringsLanguageToken(2, ""));
  });
  for (const char *m : {"invalid num 0 (ID: Ch)", "Null strings (ID: Ch)", "Null callback entry (ID: Ch)",
                        "Null token (ID: Ch)"})
    EXPECT_NE(log.find(m), std::string::npos) << m;
  EXPECT_EQ(choice->ChoiceGetSel(), 2);
  EXPECT_EQ(choice->ChoiceGetNumItems(), 3);
}

TEST_F(MWinChoiceTest, FewerItemsThanTheSelectionClampIt) {
  MWinChoice *choice = AddChoice();
  char var = 0;
  choice->ChoiceRegisterCharVariable(&var, 0);
  choice->ChoiceUseArrows(1, 0);
  choice->ChoiceSetSel(2, 0);
  ASSERT_EQ(var, 2);
  struct Case {
    int count, want_sel;
  } cases[] = {{5, 2}, {2, 1}, {1, 0}, {0, -1}, {3, -1}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.count);
    EXPECT_TRUE(choice->ChoiceSetNumItems(c.count));
    EXPECT_EQ(choice->ChoiceGetSel(), c.want_sel);
    EXPECT_EQ(var, c.want_sel);
    EXPECT_LT(choice->ChoiceGetSel(), choice->ChoiceGetNumItems());
  }
  EXPECT_TRUE(records().empty());
  Logged([&] { EXPECT_FALSE(choice->ChoiceSetNumItems(-1)); });
  EXPECT_EQ(choice->ChoiceGetNumItems(), 3);
}

TEST_F(MWinChoiceTest, WideSelectionAndHighlightReports) {
  MWinChoice *choice = AddChoice();
  choice->ChoiceSetSel(1, 0);
  choice->ChoiceSetSelectionExtraWidthMultiplier(2);
  EXPECT_FLOAT_EQ(choice->ChoiceGetItemWidth(1), 60);
  EXPECT_FLOAT_EQ(choice->ChoiceGetItemWidth(0), 30);
  choice->ChoiceSetSelectionExtraWidthMultiplier(1);
  EXPECT_FLOAT_EQ(choice->ChoiceGetItemWidth(1), 40);

  choice->ChoiceWantHighlightCallbacks(1);
  mwin->MoveMouse(105.0f, 110.0f);
  mwin->MoveMouse(108.0f, 110.0f);  // same entry: once only
  mwin->MoveMouse(150.0f, 110.0f);
  ASSERT_EQ(records().size(), 2u);
  EXPECT_EQ(records()[0].choice_entry, 0);
  EXPECT_EQ(records()[1].choice_entry, 1);
  for (auto &r : records()) EXPECT_EQ(r.choice_event, 1);
  EXPECT_EQ(choice->ChoiceGetSel(), 1);
}

const ENG_CHAR *Numbered(int entry, MWinButton *, void *user) {
  static std::string text;
  text = std::string(static_cast<const char *>(user)) + std::to_string(entry);
  return text.c_str();
}

TEST_F(MWinChoiceTest, EntriesFromACallback) {
  MWinChoice *choice = AddChoice();
  static char prefix[] = "Level ";
  ASSERT_TRUE(choice->ChoiceSetStringsCallback(4, Numbered, prefix));
  choice->ChoiceUseArrows(1, 0);
  choice->ChoiceSetSel(3, 0);
  EXPECT_STREQ(choice->GetTextP(), "Level 3");
  EXPECT_STREQ(choice->ChoiceGetString(4), "");
}

}  // namespace
}  // namespace qwtest
