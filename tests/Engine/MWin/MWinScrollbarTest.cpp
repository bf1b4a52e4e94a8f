// The scrollbars' value: clamping, snapping, the bound variable of each kind, the range set-ups,
// the automatic text, arrow, key and wheel steps, and a real drag through the toolkit's input.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinVertScrollbar.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

struct Change {
  int dragging;
  double pos;
};

class MWinScrollbarTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    window = AddWindow(Desktop()->AddCollection("C"), "W", 100, 100, 300, 200);
    changes.clear();
  }
  MWinHorzScrollbar *AddHorz(const char *text = nullptr) {
    MWinHorzScrollbar *bar = window->AddHorzScrollbar("H", "MWIN_TEXBUT_NONE", text, 10, 10, 200, 20);
    bar->SetCallback(Record, 0, 0, &changes, 0);
    return bar;
  }
  MWinVertScrollbar *AddVert() {
    MWinVertScrollbar *bar =
        window->GetFirstGroup()->AddVertScrollbar("V", "MWIN_TEXBUT_NONE", nullptr, 250, 10, 20, 150);
    bar->SetCallback(Record, 0, 0, &changes, 0);
    return bar;
  }
  static void Record(MWin *, _MWinButtonCallbackInfo *info, int, int, void *user) {
    static_cast<std::vector<Change> *>(user)->push_back({info->scrollbar_flag, info->scrollbar_pos});
  }
  MWinLayoutSettings *Layout() { return mwin->GetLayoutSettings(); }

  MWinWindow *window = nullptr;
  std::vector<Change> changes;
};

TEST_F(MWinScrollbarTest, PositionsAreClampedSnappedAndWrittenToTheBoundVariable) {
  char c = 0;
  unsigned char uc = 0;
  int i = 0;
  EngInt32 l = 0;
  EngUInt32 ul = 0;
  float f = 0;
  struct Case {
    const char *name;
    std::function<void(MWinScrollbar *)> bind;
    float snap;
    double min, max, value, pos;
    std::function<double()> read;
    double var;
  } cases[] = {
      {"char clamps", [&](MWinScrollbar *b) { b->RegisterCharVariable(&c); }, 0, -300, 300, -200, -200,
       [&] { return double(c); }, -127},
      {"char rounds", [&](MWinScrollbar *b) { b->RegisterCharVariable(&c); }, 0, -300, 300, 3.6, 3.6,
       [&] { return double(c); }, 4},
      {"uchar clamps", [&](MWinScrollbar *b) { b->RegisterUnsignedCharVariable(&uc); }, 0, -10, 300, 280, 280,
       [&] { return double(uc); }, 255},
      {"uchar floor", [&](MWinScrollbar *b) { b->RegisterUnsignedCharVariable(&uc); }, 0, -10, 300, -5, -5,
       [&] { return double(uc); }, 0},
      {"int divides", [&](MWinScrollbar *b) { b->RegisterIntVariable(&i, 10); }, 0, 0, 100, 26, 26,
       [&] { return double(i); }, 3},
      {"long half toward zero", [&](MWinScrollbar *b) { b->RegisterLongVariable(&l, 100); }, 0, -1000, 1000, 250,
       250, [&] { return double(l); }, 2},
      {"ulong never negative", [&](MWinScrollbar *b) { b->RegisterUnsignedLongVariable(&ul, 2); }, 0, -10, 10, -3,
       -3, [&] { return double(ul); }, 0},
      {"float divides", [&](MWinScrollbar *b) { b->RegisterFloatVariable(&f, 10); }, 0, 0, 100, 2.6, 2.6,
       [&] { return double(f); }, 0.26},
      {"float without multiplier", [&](MWinScrollbar *b) { b->RegisterFloatVariable(&f, 0); }, 0, 0, 100, 2.6, 2.6,
       [&] { return double(f); }, 2.6},
      {"clamped to max", [&](MWinScrollbar *b) { b->RegisterFloatVariable(&f, 1); }, 0, 0, 100, 150, 100,
       [&] { return double(f); }, 100},
      {"clamped to min", [&](MWinScrollbar *b) { b->RegisterFloatVariable(&f, 1); }, 0, -5, 100, -10, -5,
       [&] { return double(f); }, -5},
      {"snap 1", [&](MWinScrollbar *b) { b->RegisterFloatVariable(&f, 1); }, 1.0f, 0, 100, 2.5, 2,
       [&] { return double(f); }, 2},
      {"snap 0.1", [&](MWinScrollbar *b) { b->RegisterFloatVariable(&f, 1); }, 0.1f, 0, 100, 2.36, 2.4,
       [&] { return double(f); }, 2.4},
      {"snap 0.001", [&](MWinScrollbar *b) { b->RegisterFloatVariable(&f, 1); }, 0.001f, 0, 100, 2.3456, 2.346,
       [&] { return double(f); }, 2.346},
      {"snap 10", [&](MWinScrollbar *b) { b->RegisterIntVariable(&i, 1); }, 10.0f, 0, 100, 47, 50,
       [&] { return double(i); }, 50},
  };
  for (const Case &k : cases) {
    MWinHorzScrollbar *bar = AddHorz();
    bar->SetValuesDouble(k.min, k.max, 1, 1);
    bar->SetSnapFloat(k.snap);
    c = 1, uc = 1, i = 1, l = 1, ul = 1, f = 1;
    k.bind(bar);
    changes.clear();
    EXPECT_TRUE(bar->SetPosDouble(k.value, 0, 0, 1)) << k.name;
    EXPECT_NEAR(bar->GetPosDouble(), k.pos, 1e-6) << k.name;
    EXPECT_NEAR(k.read(), k.var, 1e-6) << k.name;
    ASSERT_EQ(changes.size(), 1u) << k.name;
    EXPECT_EQ(changes[0].dragging, 0) << k.name;
    EXPECT_NEAR(changes[0].pos, k.pos, 1e-6) << k.name;
    window->RemoveAllButtons();
  }
}

TEST_F(MWinScrollbarTest, IntegerVariablesSurviveARegisterAndUpdateRoundTrip) {
  MWinHorzScrollbar *bar = AddHorz();
  bar->SetValues(0, 1000, 0, 0);
  int i = 7;
  EngInt32 l = -3;
  EngUInt32 ul = 12;
  ASSERT_TRUE(bar->RegisterIntVariable(&i, 10));
  EXPECT_EQ(bar->GetPos(), 70);
  EXPECT_EQ(i, 7);
  i = 9;
  bar->UpdateFromRegisteredVariable(0);
  EXPECT_EQ(bar->GetPos(), 90);
  EXPECT_EQ(i, 9);

  bar->SetValues(-1000, 1000, 0, 0);
  ASSERT_TRUE(bar->RegisterLongVariable(&l, 100));
  EXPECT_EQ(bar->GetPos(), -300);
  EXPECT_EQ(l, -3);
  ASSERT_TRUE(bar->RegisterUnsignedLongVariable(&ul, 5));
  EXPECT_EQ(bar->GetPos(), 60);
  bar->UpdateFromRegisteredVariable(1);
  EXPECT_EQ(ul, 12u);
  // Reading back an unchanged value still reports it.
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_DOUBLE_EQ(changes[0].pos, 60);
  // A zero multiplier is refused by the binding and moves nothing.
  EXPECT_EQ(bar->RegisterIntVariable(&i, 0), 0);
  EXPECT_EQ(bar->GetPos(), 60);
}

TEST_F(MWinScrollbarTest, RangeSetUpsFillInPageAndStep) {
  MWinHorzScrollbar *bar = AddHorz();
  EXPECT_FALSE(bar->IsReady());
  bar->SetValues(0, 50, 0, 0);
  EXPECT_TRUE(bar->IsReady());
  EXPECT_DOUBLE_EQ(bar->m_page, 5.0);
  EXPECT_DOUBLE_EQ(bar->m_step, 0.5);
  bar->SetValuesFloat(0, 50, -1, 0);
  EXPECT_DOUBLE_EQ(bar->m_page, 5.0);
  EXPECT_DOUBLE_EQ(bar->m_step, 0.5);
  bar->SetPos(20, 0);
  bar->SetValuesLong(0, 50, 0, 0);
  EXPECT_DOUBLE_EQ(bar->m_page, 5.0);
  EXPECT_DOUBLE_EQ(bar->m_step, 0.0);
  EXPECT_EQ(bar->GetPos(), 0);  // every set-up starts at the minimum
  bar->Activate();
  // A zero step: the arrow keys and the wheel no longer move the value.
  EXPECT_EQ(bar->HandleKeyDown(245), 1);
  EXPECT_EQ(bar->HandleMouseWheel(-1), 1);
  EXPECT_EQ(bar->GetPosDouble(), 0);
  // A reversed range is ignored.
  bar->SetValues(10, 5, 1, 1);
  EXPECT_DOUBLE_EQ(bar->m_max, 50);
}

TEST_F(MWinScrollbarTest, ArrowStepsStopShortOfABoundWhilePagesClamp) {
  MWinHorzScrollbar *bar = AddHorz();
  bar->SetValues(0, 100, 10, 3);
  bar->TurnOnArrows(1);
  bar->SetPos(99, 0);
  changes.clear();
  // The second arrow, the right key and a wheel step toward the maximum leave 99.
  const _Dimension *a = bar->GetActualArea();
  MWinLayoutSettings *layout = Layout();
  Click(a->x + a->width - layout->choice_arrow_margin - layout->choice_arrow_width / 2, a->y + 5);
  EXPECT_EQ(bar->HandleKeyDown(245), 1);
  EXPECT_EQ(bar->HandleMouseWheel(-1), 1);
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 99);
  EXPECT_TRUE(changes.empty());
  // The down key is a page up and reaches the maximum.
  EXPECT_EQ(bar->HandleKeyDown(247), 1);
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 100);
  // The first arrow steps down; keys outside the table go to the key callback.
  Click(a->x + layout->choice_arrow_margin + layout->choice_arrow_width / 2, a->y + 5);
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 97);
  EXPECT_EQ(bar->HandleKeyDown('a'), 0);
  EXPECT_EQ(changes.size(), 2u);
}

TEST_F(MWinScrollbarTest, TheTwoKindsReadTheKeysAlongTheirOwnAxis) {
  MWinHorzScrollbar *h = AddHorz();
  MWinVertScrollbar *v = AddVert();
  // Key, then the change on each kind from 50 with page 10 and step 1.
  struct Case {
    int key;
    double horz, vert;
  } cases[] = {{244, 49, 40}, {245, 51, 60}, {246, 40, 49}, {247, 60, 51}, {248, 40, 40}, {249, 60, 60}};
  for (MWinScrollbar *bar : {static_cast<MWinScrollbar *>(h), static_cast<MWinScrollbar *>(v)}) {
    bar->SetValues(0, 100, 10, 1);
    bar->Activate();
  }
  for (const Case &c : cases) {
    h->SetPos(50, 0);
    v->SetPos(50, 0);
    EXPECT_EQ(h->HandleKeyDown(c.key), 1);
    EXPECT_EQ(v->HandleKeyDown(c.key), 1);
    EXPECT_DOUBLE_EQ(h->GetPosDouble(), c.horz) << c.key;
    EXPECT_DOUBLE_EQ(v->GetPosDouble(), c.vert) << c.key;
  }
  // The wheel: a positive step goes down.
  v->SetPos(50, 0);
  EXPECT_EQ(v->HandleMouseWheel(2), 1);
  EXPECT_DOUBLE_EQ(v->GetPosDouble(), 48);
  EXPECT_EQ(v->ArrowPress(1), 1);
  v->SetPos(100, 0);
  EXPECT_EQ(v->ArrowPress(1), 0);
}

TEST_F(MWinScrollbarTest, UnsupportedSnapUnitsAreReportedOnceAndSwitchedOff) {
  MWinHorzScrollbar *h = AddHorz();
  MWinVertScrollbar *v = AddVert();
  h->SetValues(0, 100, 0, 0);
  v->SetValues(0, 100, 0, 0);
  h->SetSnapFloat(0.5f);
  std::string log = Logged([&] {
    h->SetPosDouble(2.3, 0, 0, 0);
    h->SetPosDouble(2.7, 0, 0, 0);
  });
  EXPECT_NE(log.find("Unsupported snap value 0.500000"), std::string::npos) << log;
  EXPECT_EQ(log.find("Unsupported", log.find("Unsupported") + 1), std::string::npos) << log;
  EXPECT_DOUBLE_EQ(h->GetPosDouble(), 2.7);
  // The vertical one has no 0.0001 and no 10.
  for (float unit : {0.0001f, 10.0f}) {
    v->SetSnapFloat(unit);
    log = Logged([&] { v->SetPosDouble(47.34567, 0, 1, 0); });
    EXPECT_NE(log.find("Unsupported snap value"), std::string::npos) << unit;
    EXPECT_DOUBLE_EQ(v->GetPosDouble(), 47.34567);
  }
}

TEST_F(MWinScrollbarTest, TheAutoTextKeepsItsPrefixAcrossChanges) {
  MWinHorzScrollbar *bar = AddHorz("Volume");
  bar->SetValuesFloat(0, 1, 0.1f, 0.1f);
  bar->SetAutoTextFloat(1, 1, 1, 1.0f, 1);
  bar->SetPosFloat(0.5f, 0);
  EXPECT_STREQ(bar->GetTextP(), "Volume [0.5]");
  bar->SetPosFloat(0.25f, 0);
  EXPECT_STREQ(bar->GetTextP(), "Volume [0.2]");
  bar->SetAutoTextFloat(1, 2, 0, 100.0f, 0);
  bar->SetPosFloat(0.5f, 0);
  EXPECT_STREQ(bar->GetTextP(), "50.00");

  // Integer text, and a prefix longer than a text set later is cut to that text.
  MWinHorzScrollbar *count = window->AddHorzScrollbar("N", "MWIN_TEXBUT_NONE", "Count", 10, 40, 200, 20);
  count->SetValues(0, 10, 0, 0);
  count->SetAutoText(1, 1, 0);
  count->SetPos(7, 0);
  EXPECT_STREQ(count->GetTextP(), "Count 7");
  count->SetText("Co");
  count->SetPos(8, 0);
  EXPECT_STREQ(count->GetTextP(), "Co 8");

  // Setting the same value with notify calls back without rebuilding the text.
  count->SetText("mine");
  changes.clear();
  count->SetCallback(Record, 0, 0, &changes, 0);
  count->SetPos(8, 1);
  EXPECT_STREQ(count->GetTextP(), "mine");
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_DOUBLE_EQ(changes[0].pos, 8);

  // The vertical text is always bracketed after a prefix; 4 decimals are not offered.
  MWinVertScrollbar *v = window->GetFirstGroup()->AddVertScrollbar("V", "MWIN_TEXBUT_NONE", "Row", 250, 10, 20, 150);
  v->SetValuesFloat(0, 10, 0, 0);
  std::string log = Logged([&] { v->SetAutoTextFloat(1, 4, 1, 1.0f); });
  EXPECT_NE(log.find("Decimal places=4 not supported"), std::string::npos);
  v->SetPosFloat(2.5f, 0);
  EXPECT_STREQ(v->GetTextP(), "Row [2]");
  v->SetText("Row");
  v->SetAutoTextFloat(1, 1, 1, 1.0f);
  v->SetPosFloat(3.5f, 0);
  EXPECT_STREQ(v->GetTextP(), "Row [3.5]");
}

TEST_F(MWinScrollbarTest, ADragReportsEachMoveThenItsEnd) {
  MWinHorzScrollbar *bar = AddHorz();
  bar->SetValues(0, 100, 10, 1);
  bar->SetPos(50, 0);
  const _Dimension *a = bar->GetActualArea();
  float thumb = bar->GetThumbLength();
  float inset = Layout()->hscrollbar_margin;
  float travel = a->width - thumb - 2 * inset;
  ASSERT_GT(travel, 0);
  EXPECT_FLOAT_EQ(bar->GetScreenXPos(), a->x + inset + travel / 2);
  float centre = bar->GetScreenXPos() + thumb / 2, y = a->y + a->height / 2;

  // A press and release on the thumb without moving calls nothing and leaves it idle.
  Click(centre, y);
  EXPECT_TRUE(changes.empty());
  EXPECT_FALSE(bar->IsDragging());

  mwin->MoveMouse(centre, y);
  mwin->ButtonPressed(0, 1, 0);
  EXPECT_TRUE(bar->IsDragging());
  EXPECT_TRUE(bar->IsMouseVieportCursorInButton());
  for (float dx : {17.0f, 34.0f, 34.0f, 120.0f}) mwin->MoveMouse(centre + dx, y);
  mwin->ButtonPressed(0, 0, 0);
  EXPECT_FALSE(bar->IsDragging());
  // Each move that changed the value, with dragging set, then one final call without.
  ASSERT_EQ(changes.size(), 5u);
  EXPECT_EQ(changes[0].dragging, 1);
  EXPECT_NEAR(changes[0].pos, 60, 1e-6);
  EXPECT_NEAR(changes[1].pos, 70, 1e-6);
  EXPECT_EQ(changes[2].dragging, 1);  // unchanged, still reported
  EXPECT_NEAR(changes[3].pos, 100, 1e-6);
  EXPECT_EQ(changes[4].dragging, 0);
  EXPECT_NEAR(changes[4].pos, 100, 1e-6);
  EXPECT_EQ(bar->m_moved_by_drag, 0);

  // A click on the track beside the thumb moves one page toward it.
  changes.clear();
  bar->SetPos(20, 0);
  Click(bar->GetScreenXPos() + thumb + 10, y);
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 30);
  Click(bar->GetScreenXPos() - 5, y);
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), 20);
  ASSERT_EQ(changes.size(), 2u);
  // Inside the widget every screen position gives a value in range.
  EXPECT_DOUBLE_EQ(bar->DoGetXPosFromScreen(a->x + a->width - 1), 100);
  EXPECT_DOUBLE_EQ(bar->DoGetXPosFromScreen(a->x), 0);
}

TEST_F(MWinScrollbarTest, DeactivationEndsADragWithItsFinalCall) {
  MWinVertScrollbar *bar = AddVert();
  bar->SetValues(0, 100, 10, 1);
  const _Dimension *a = bar->GetActualArea();
  float x = a->x + a->width / 2, y = bar->GetScreenYPos() + bar->GetThumbLength() / 2;
  mwin->MoveMouse(x, y);
  mwin->ButtonPressed(0, 1, 0);
  ASSERT_TRUE(bar->IsDragging());
  EXPECT_TRUE(bar->KeepFocusOnMouseMove());
  mwin->MoveMouse(x, y + 30);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_GT(changes[0].pos, 0);
  bar->Deactivate();
  EXPECT_FALSE(bar->IsDragging());
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[1].dragging, 0);
  EXPECT_DOUBLE_EQ(changes[1].pos, changes[0].pos);
}

TEST_F(MWinScrollbarTest, AWidgetOfAnotherKindIsRefused) {
  MWinHorzScrollbar *bar = AddHorz();
  bar->SetValues(0, 100, 0, 0);
  bar->SetType(MWIN_BUTTON_STATIC);
  std::string log = Logged([&] { EXPECT_EQ(bar->SetPosDouble(5, 0, 0, 1), 0); });
  EXPECT_NE(log.find("Not a scrollbar [H]"), std::string::npos) << log;
  EXPECT_EQ(bar->GetPos(), -1);
  EXPECT_DOUBLE_EQ(bar->GetPosDouble(), -1);
  int i = 3;
  EXPECT_EQ(bar->RegisterIntVariable(&i, 1), 0);
  EXPECT_TRUE(changes.empty());
  bar->SetType(MWIN_BUTTON_HORZ_SCROLLBAR);
}

}  // namespace
}  // namespace qwtest
