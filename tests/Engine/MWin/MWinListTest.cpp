// The drop-down list through the real toolkit: the open layout around the button, opening,
// following the pointer, taking by click, Enter, wheel and keys, first-letter search, and
// Escape closing the list without reaching the window's escape button.
#include "Engine/MWin/MWinList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Engine/MWin/MWinWidgetTestSupport.h"

namespace qwtest {
namespace {

const ENG_CHAR *kFruit[] = {"apple", "banana", "berry", "cherry", nullptr};
const int kEnter = 13, kEscape = 27, kUp = 246, kDown = 247;

struct Event {
  int event, pos;
  bool operator==(const Event &o) const { return event == o.event && pos == o.pos; }
};

std::ostream &operator<<(std::ostream &os, const Event &e) { return os << "{" << e.event << "," << e.pos << "}"; }

class MWinListTest : public MWinWidgetTest {
 protected:
  void SetUp() override {
    MWinWidgetTest::SetUp();
    MWinListResetShared();
  }
  // A 30-high list at y 200 (the window fills the screen, so design and actual agree).
  MWinList *AddList(const ENG_CHAR **strings) {
    MWinList *list = MWinList::From(Add("L", MWIN_BUTTON_LIST, nullptr, 100, 200, 150, 30));
    EXPECT_NE(list, nullptr);
    EXPECT_FALSE(list->IsReady());
    EXPECT_TRUE(list->ListSetStrings(strings));
    return list;
  }
  std::vector<Event> Events() {
    std::vector<Event> e;
    for (auto &r : records()) e.push_back({r.list_event, r.list_pos});
    return e;
  }
};

TEST_F(MWinListTest, OpenLayoutAroundTheButton) {
  MWinList *list = AddList(kFruit);
  const ENG_CHAR *three[] = {"a", "b", "c"};
  ASSERT_TRUE(list->ListSetStrings(3, three));
  list->ListSetPos(1);
  list->ListOpen();
  ASSERT_TRUE(list->ListIsOpen());
  const MWinList::OpenLayout &o = list->ListGetOpenLayout();
  EXPECT_FLOAT_EQ(o.box_y, 170);
  EXPECT_FLOAT_EQ(o.box_h, 90);
  EXPECT_FALSE(o.can_scroll_up);
  EXPECT_FALSE(o.can_scroll_down);
  EXPECT_FLOAT_EQ(o.top_cap_y, 162.5f);
  EXPECT_FLOAT_EQ(o.top_cap_h, 15);
  EXPECT_FLOAT_EQ(o.bottom_cap_y, 252.5f);
  EXPECT_FLOAT_EQ(o.highlight_y, 200);
  EXPECT_EQ(o.first_shown, 0);
  EXPECT_EQ(o.end_shown, 3);
  list->ListClose(0, 0);

  std::vector<std::string> many_texts;
  for (int i = 0; i < 40; i++) many_texts.push_back("entry " + std::to_string(i));
  std::vector<const ENG_CHAR *> many;
  for (auto &t : many_texts) many.push_back(t.c_str());
  ASSERT_TRUE(list->ListSetStrings(40, many.data()));
  list->ListSetPos(20);
  list->ListOpen();
  // 6 whole rows above y 200 and 8 below: entries 14..28, of which the first and last rows
  // give way to the scroll rows.
  EXPECT_TRUE(o.can_scroll_up);
  EXPECT_TRUE(o.can_scroll_down);
  EXPECT_FLOAT_EQ(o.up_row_y, 20);
  EXPECT_FLOAT_EQ(o.box_y, 50);
  EXPECT_FLOAT_EQ(o.down_row_y, 440);
  EXPECT_FLOAT_EQ(o.box_h, 390);
  EXPECT_EQ(o.first_shown, 15);
  EXPECT_EQ(o.end_shown, 28);
  EXPECT_LT(o.top_cap_y, 0);
  EXPECT_LT(o.bottom_cap_y, 0);
}

TEST_F(MWinListTest, OpensOnAClickFollowsThePointerAndTakesTheEntryClicked) {
  MWinList *list = AddList(kFruit);
  int var = 0;
  list->ListRegisterIntVariable(&var);
  Click(150.0f, 215.0f);
  ASSERT_TRUE(list->ListIsOpen());
  EXPECT_EQ(list->ListGetOpenPos(), 0);
  EXPECT_TRUE(records().empty());

  // The open list takes the pointer anywhere in its column, over the rows below the button.
  mwin->MoveMouse(150.0f, 275.0f);  // third row
  EXPECT_EQ(list->ListGetOpenPos(), 2);
  EXPECT_STREQ(list->ListGetOpenString(), "berry");
  mwin->MoveMouse(150.0f, 262.0f);
  EXPECT_EQ(list->ListGetOpenPos(), 2);
  mwin->MoveMouse(150.0f, 258.0f);  // the upper edge of the third row is still the second
  EXPECT_EQ(list->ListGetOpenPos(), 1);
  EXPECT_EQ(Events(), (std::vector<Event>{{0, 0}, {0, 0}}));
  EXPECT_EQ(SelectionSounds(), 2u);
  EXPECT_EQ(var, 0);

  mwin->ButtonPressed(0, 1, 0);
  EXPECT_FALSE(list->ListIsOpen());
  EXPECT_EQ(list->ListGetPos(), 1);
  EXPECT_EQ(var, 1);
  EXPECT_STREQ(list->GetTextP(), "banana");
  EXPECT_EQ(Events().back(), (Event{1, 1}));
  mwin->ButtonPressed(0, 0, 0);  // the release neither opens nor reports
  EXPECT_FALSE(list->ListIsOpen());
  EXPECT_EQ(records().size(), 3u);
}

TEST_F(MWinListTest, LeavingOrClickingOutsideDropsTheList) {
  MWinList *list = AddList(kFruit);
  struct Case {
    const char *name;
    float x, y;
    char press;
  } cases[] = {
      {"pointer leaves the column", 300, 275, 0},
      {"click below the rows", 150, 400, 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    records().clear();
    Click(150.0f, 215.0f);
    ASSERT_TRUE(list->ListIsOpen());
    mwin->MoveMouse(150.0f, 245.0f);
    ASSERT_EQ(list->ListGetOpenPos(), 1);
    mwin->MoveMouse(c.x, c.y);
    if (c.press) mwin->ButtonPressed(0, 1, 0);
    EXPECT_FALSE(list->ListIsOpen());
    EXPECT_EQ(list->ListGetPos(), 0);
    EXPECT_EQ(Events().back(), (Event{2, 0}));
    mwin->ButtonPressed(0, 0, 0);
  }
}

TEST_F(MWinListTest, EscapeClosesTheListWithoutFiringTheWindowsEscapeButton) {
  MWinList *list = AddList(kFruit);
  AddCountingButton(window, "Esc", 400, 50, 60, 20);
  window->SetEscapeButton(window->GetButtonFromID("Esc", 0));

  // Escape with the highlight on the position: closed quietly.
  Click(150.0f, 215.0f);
  ASSERT_TRUE(list->ListIsOpen());
  EXPECT_TRUE(mwin->KeyDown(kEscape));
  mwin->Tick2();
  EXPECT_FALSE(list->ListIsOpen());
  EXPECT_TRUE(records().empty());
  EXPECT_EQ(Presses("Esc"), 0);

  // With another entry highlighted the drop is reported, the position kept.
  mwin->MoveMouse(150.0f, 215.0f);
  EXPECT_TRUE(mwin->KeyDown(kEnter));  // Enter opens
  ASSERT_TRUE(list->ListIsOpen());
  EXPECT_TRUE(mwin->KeyDown(kDown));
  EXPECT_TRUE(mwin->KeyDown(kEscape));
  mwin->Tick2();
  EXPECT_FALSE(list->ListIsOpen());
  EXPECT_EQ(list->ListGetPos(), 0);
  EXPECT_EQ(Events(), (std::vector<Event>{{0, 0}, {2, 0}}));
  EXPECT_EQ(Presses("Esc"), 0);

  // Closed, Escape is the window's again.
  EXPECT_TRUE(mwin->KeyDown(kEscape));
  mwin->Tick2();
  EXPECT_EQ(Presses("Esc"), 1);
}

TEST_F(MWinListTest, FirstLettersFindTheNextEntryRoundTheList) {
  MWinList *list = AddList(kFruit);
  mwin->MoveMouse(150.0f, 215.0f);
  ASSERT_TRUE(mwin->KeyDown(kEnter));
  ASSERT_TRUE(mwin->KeyDown(kDown));
  ASSERT_EQ(list->ListGetOpenPos(), 1);  // banana
  struct Step {
    int key;
    int want;
    char used;
  } steps[] = {{'b', 2, 1}, {'b', 1, 1}, {'c', 3, 1}, {'a', 0, 1}, {'z', 0, 0}, {'B', 0, 0}};
  for (const Step &s : steps) {
    SCOPED_TRACE(char(s.key));
    EXPECT_EQ(mwin->KeyDown(s.key), s.used);
    EXPECT_EQ(list->ListGetOpenPos(), s.want);
  }
  // The found entry sits at the button's place.
  EXPECT_EQ(list->ListGetOpenLayout().anchor, 0);
  ASSERT_TRUE(mwin->KeyDown('c'));
  EXPECT_FLOAT_EQ(list->ListGetOpenLayout().highlight_y, 200);
  EXPECT_TRUE(mwin->KeyDown(kEnter));
  EXPECT_FALSE(list->ListIsOpen());
  EXPECT_STREQ(list->ListGetString(), "cherry");
  EXPECT_EQ(Events().back(), (Event{1, 3}));
}

TEST_F(MWinListTest, WheelAndArrowKeysOnAClosedListStepAtOnce) {
  MWinList *list = AddList(kFruit);
  mwin->MoveMouse(150.0f, 215.0f);
  EXPECT_TRUE(mwin->MouseWheelMoved(1));  // up from the first entry: nothing
  EXPECT_TRUE(records().empty());
  EXPECT_TRUE(mwin->MouseWheelMoved(-1));
  EXPECT_FALSE(list->ListIsOpen());
  EXPECT_EQ(list->ListGetPos(), 1);
  EXPECT_EQ(Events(), (std::vector<Event>{{0, 0}, {1, 1}}));

  records().clear();
  EXPECT_TRUE(mwin->KeyDown(kDown));
  EXPECT_TRUE(mwin->KeyDown(kDown));
  EXPECT_TRUE(mwin->KeyDown(kUp));
  EXPECT_FALSE(list->ListIsOpen());
  EXPECT_EQ(list->ListGetPos(), 2);
  EXPECT_EQ(Events(), (std::vector<Event>{{0, 1}, {1, 2}, {0, 2}, {1, 3}, {0, 3}, {1, 2}}));

  // Open, the wheel moves the highlight only.
  records().clear();
  ASSERT_TRUE(mwin->KeyDown(kEnter));
  EXPECT_TRUE(mwin->MouseWheelMoved(-1));
  EXPECT_EQ(list->ListGetOpenPos(), 3);
  EXPECT_TRUE(mwin->MouseWheelMoved(-1));  // past the last: stays
  EXPECT_EQ(list->ListGetOpenPos(), 3);
  EXPECT_EQ(list->ListGetPos(), 2);
}

TEST_F(MWinListTest, LosingFocusDropsTheOpenList) {
  MWinList *list = AddList(kFruit);
  Click(150.0f, 215.0f);
  mwin->MoveMouse(150.0f, 245.0f);
  list->Deactivate();
  EXPECT_FALSE(list->ListIsOpen());
  EXPECT_EQ(Events().back(), (Event{2, 0}));
}

const ENG_CHAR *Counted(int entry, MWinButton *, void *user) {
  static std::string text;
  (*static_cast<std::vector<int> *>(user)).push_back(entry);
  text = "item " + std::to_string(entry);
  return text.c_str();
}

TEST_F(MWinListTest, EntriesFromACallbackAndRefusals) {
  MWinList *list = AddList(kFruit);
  static std::vector<int> asked;
  asked.clear();
  ASSERT_TRUE(list->ListSetStringsCallback(0, Counted, &asked));
  EXPECT_EQ(list->ListGetString(), nullptr);
  list->ListOpen();  // nothing to show: it closes again
  EXPECT_FALSE(list->ListIsOpen());
  EXPECT_TRUE(asked.empty());  // never asked for an entry it does not have

  ASSERT_TRUE(list->ListSetStringsCallback(5, Counted, nullptr));
  EXPECT_STREQ(list->GetTextP(), "item 0");
  EXPECT_TRUE(list->ListSetPosToString("item 3", 0));
  EXPECT_EQ(list->ListGetPos(), 3);
  EXPECT_EQ(list->ListGetFirstPosWithString("item 4"), 4);
  EXPECT_EQ(list->ListGetFirstPosWithString("nothing"), -1);
  for (int e : asked) EXPECT_TRUE(e >= 0 && e < 5) << e;

  std::string log = Logged([&] {
    EXPECT_FALSE(list->ListSetPos(5, 1));
    EXPECT_EQ(list->ListGetStringAtPos(-1), nullptr);
    EXPECT_EQ(list->ListGetOpenString(), nullptr);
    EXPECT_FALSE(list->ListSetStrings(0, kFruit));
    EXPECT_FALSE(list->ListSetStringsCallback(-1, Counted, nullptr));
    EXPECT_FALSE(list->ListSetStringsLanguageToken(2, ""));
  });
  for (const char *m : {"invalid pos : 5 (id: L, entries = 5)", "Bad pos -1 (5)", "Not valid.", "invalid num 0 (ID: L)",
                        "invalid num entries -1 (ID: L)", "Null token (ID: L)"})
    EXPECT_NE(log.find(m), std::string::npos) << m;
  EXPECT_EQ(list->ListGetPos(), 3);
  EXPECT_EQ(list->ListGetNumEntries(), 5);
  EXPECT_TRUE(records().empty());
}

TEST_F(MWinListTest, BoundVariablesAreReadBackLastOneWinning) {
  MWinList *list = AddList(kFruit);
  char small = 1;
  int large = 3;
  list->ListRegisterCharVariable(&small);
  EXPECT_EQ(list->ListGetPos(), 1);
  list->ListRegisterIntVariable(&large);
  EXPECT_EQ(list->ListGetPos(), 3);
  small = 2;
  large = 0;
  list->ListRefresh();
  EXPECT_EQ(list->ListGetPos(), 0);
  EXPECT_EQ(small, 2);  // only the int is written once it is bound
  large = 2;
  EXPECT_TRUE(list->ListUpdateFromRegisteredVariable(1));
  EXPECT_EQ(list->ListGetPos(), 2);
  EXPECT_EQ(Events(), (std::vector<Event>{{0, 2}}));
}

}  // namespace
}  // namespace qwtest
