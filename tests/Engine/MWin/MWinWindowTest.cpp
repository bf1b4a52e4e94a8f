#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Engine/EngLanguages.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

class MWinWindowTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    c = Desktop()->AddCollection("C");
    memset(&info, 0, sizeof(info));
  }
  MWinWindow *Make(const char *id) { return c->AddWindow(id, &info); }
  MWinCollection *c = nullptr;
  _MWinWindowCreateInfo info;
};

TEST_F(MWinWindowTest, TheRecordIsCorrectedAndPlaced) {
  struct Case {
    float x, y, w, h;
    char title_bar;
    float want_x, want_y, want_w, want_h;
  } cases[] = {
      {-9999, -9999, 200, 100, 0, 220, 190, 200, 100},  // centred in the 640 x 480 design space
      {10, 20, -5, -1, 0, 10, 20, 100, 100},            // negative sizes become 100
      {10, 5, 50, 50, 1, 10, 30, 50, 50},               // never above the 30-unit title bar
      {10, 40, 0, 0, 1, 10, 40, 1, 1},                  // at least 1 x 1
  };
  int n = 0;
  for (const Case &k : cases) {
    SCOPED_TRACE(n);
    info.x = k.x;
    info.y = k.y;
    info.width = k.w;
    info.height = k.h;
    info.has_title_bar = k.title_bar;
    MWinWindow *w = Make(("W" + std::to_string(n++)).c_str());
    float x, y, width, height;
    w->GetOrigPos(&x, &y, &width, &height);
    EXPECT_FLOAT_EQ(x, k.want_x);
    EXPECT_FLOAT_EQ(y, k.want_y);
    EXPECT_FLOAT_EQ(width, k.want_w);
    EXPECT_FLOAT_EQ(height, k.want_h);
    // The centring and size corrections are written back to the caller's record.
    if (k.x == -9999) {
      EXPECT_FLOAT_EQ(info.x, k.want_x);
    }
    if (k.w < 0) {
      EXPECT_FLOAT_EQ(info.width, 100);
    }
  }
}

TEST_F(MWinWindowTest, InconsistentTitleBarOptionsAreSwitchedOff) {
  info.width = info.height = 100;
  info.has_hide_button = 1;
  info.has_extra_button = 1;
  std::string log = Logged([&] { Make("NoBar"); });
  EXPECT_NE(log.find("Hide button but no title bar"), std::string::npos);
  EXPECT_NE(log.find("Extra button but no title bar"), std::string::npos);
  MWinWindow *w = c->GetWindowFromID("NoBar", 0);
  EXPECT_FALSE(w->GetCreateInfo()->has_hide_button);
  EXPECT_FALSE(w->GetCreateInfo()->has_extra_button);
  EXPECT_EQ(w->GetHideButton(), nullptr);

  info.has_title_bar = 1;
  info.has_extra_button = 2;
  strcpy(info.extra_button_text, "More");
  log = Logged([&] { Make("Two"); });
  EXPECT_NE(log.find("has_extra_button is 2 - setting to 0."), std::string::npos);
  w = c->GetWindowFromID("Two", 0);
  EXPECT_EQ(w->GetExtraButton(), nullptr);
  EXPECT_STREQ(w->GetCreateInfo()->extra_button_text, "");
  EXPECT_NE(w->GetHideButton(), nullptr);

  log = Logged([&] { c->AddWindow("Null", nullptr); });
  EXPECT_NE(log.find("No info passed in"), std::string::npos);
  w = c->GetWindowFromID("Null", 0);
  float x, y, width, height;
  w->GetOrigPos(&x, &y, &width, &height);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 10);
  EXPECT_EQ(width, 50);
  EXPECT_EQ(height, 50);
  EXPECT_STREQ(w->GetCreateInfo()->title_texbut, "MWIN_TEXBUT_DEFAULT");
  EXPECT_EQ(w->GetTitleFontNum(), -1);
}

TEST_F(MWinWindowTest, WidescreenMovesTheActualAreaButTheCallerSeesTheOrigOne) {
  SetWindowSizeForToolkit(800, 480, 1.25f);
  info.x = 100;
  info.y = 50;
  info.width = 200;
  info.height = 100;
  MWinWindow *w = Make("W");
  MWinButton *b = AddCountingButton(w, "B", 10, 20, 30, 40);
  const _Dimension *actual = w->GetActualAreaReal();
  EXPECT_FLOAT_EQ(actual->width, 250);
  EXPECT_FLOAT_EQ(actual->x, MWinApplyWidescreenRatioToXPos(100, 200));
  float x, y, width, height;
  w->GetActualPos(&x, &y, &width, &height);
  EXPECT_FLOAT_EQ(x, 100);
  EXPECT_FLOAT_EQ(width, 200);
  // Its widgets stretch with it.
  EXPECT_FLOAT_EQ(b->GetActualArea()->x, actual->x + 10 * 1.25f);
  EXPECT_FLOAT_EQ(b->GetActualArea()->width, 30 * 1.25f);
  EXPECT_FLOAT_EQ(b->GetActualArea()->y, actual->y + 20);

  // A collection without auto resize keeps the design-space area.
  c->CollectionSetAutoResizeFlag(0);
  MWinWindow *plain = Make("Plain");
  EXPECT_FLOAT_EQ(plain->GetActualAreaReal()->x, 100);
  EXPECT_FLOAT_EQ(plain->GetActualAreaReal()->width, 200);
}

TEST_F(MWinWindowTest, EnsureOnScreenClampsIntoTheDesignSpace) {
  struct Case {
    float x, y, w, h;
    char moved;
    float want_x, want_y;
  } cases[] = {
      {600, 10, 100, 50, 1, 540, 10},
      {10, 10, 100, 50, 0, 10, 10},
      {-20, 470, 100, 50, 1, 0, 430},
      {0, 0, 640, 480, 0, 0, 0},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.x);
    info.x = k.x;
    info.y = k.y;
    info.width = k.w;
    info.height = k.h;
    MWinWindow *w = Make("W");
    EXPECT_EQ(w->EnsureOnScreen(), k.moved);
    EXPECT_FLOAT_EQ(w->GetOrigArea()->x, k.want_x);
    EXPECT_FLOAT_EQ(w->GetOrigArea()->y, k.want_y);
    EXPECT_FLOAT_EQ(w->GetActualAreaReal()->x, k.want_x);
    c->RemoveWindow(w);
  }
}

TEST_F(MWinWindowTest, TheTitleBarHoldsItsHideAndExtraButtons) {
  info.x = 100;
  info.y = 100;
  info.width = 300;
  info.height = 200;
  info.has_title_bar = 1;
  info.has_hide_button = 1;
  info.has_extra_button = 1;
  strcpy(info.hide_button_text, "Close");
  strcpy(info.extra_button_lang_token, "HELP_TOKEN");
  TempDir dir;
  WriteWholeFile(dir.File("English.txt"), "Language=English\r\nFlagCountryCode=GB\r\nHELP_TOKEN=Help\r\n");
  ASSERT_EQ(EngLanguagesInit(dir.Path().c_str(), nullptr, 1), 1);
  ASSERT_EQ(EngLanguagesInitFinished(), 1);
  MWinWindow *w = Make("W");
  MWinButton *hide = w->GetHideButton(), *extra = w->GetExtraButton();
  ASSERT_NE(hide, nullptr);
  ASSERT_NE(extra, nullptr);
  EXPECT_STREQ(hide->GetID(), "STD_HIDE");
  EXPECT_STREQ(extra->GetID(), "STD_EXTRA");
  EXPECT_EQ(w->GetButtonFromID("STD_HIDE"), hide);
  EXPECT_EQ(w->GetNumButtons(), 0);  // owned by the window, not by a group
  EXPECT_STREQ(hide->GetTextP(), "Close");
  EXPECT_STREQ(extra->GetTextLanguageToken(), "HELP_TOKEN");
  // Desktop layout: title 30, buttons 50 x 22 with a gap of 5, centred in the title bar.
  EXPECT_FLOAT_EQ(hide->GetActualArea()->x, 105);
  EXPECT_FLOAT_EQ(extra->GetActualArea()->x, 100 + 300 - 5 - 50);
  EXPECT_FLOAT_EQ(hide->GetActualArea()->y, 100 - 15 - 11);
  EXPECT_FLOAT_EQ(w->GetTitleArea()->y, -30);
  EXPECT_FLOAT_EQ(w->GetTitleTextArea()->x, 55);
  EXPECT_FLOAT_EQ(w->GetTitleTextArea()->width, 300 - 110);

  mwin->GetLayoutSettings()->swap_hide_and_extra = 1;
  w->UpdateHideAndExtraButtons(0, 0, 0);
  EXPECT_FLOAT_EQ(hide->GetActualArea()->x, 345);
  EXPECT_FLOAT_EQ(extra->GetActualArea()->x, 105);

  w->RemoveHideButton();
  EXPECT_EQ(w->GetHideButton(), nullptr);
  EXPECT_NE(w->GetExtraButton(), nullptr);
  EXPECT_EQ(w->GetButtonFromID("STD_HIDE", 0), nullptr);
  EngLanguagesExit();
}

TEST_F(MWinWindowTest, TitleAndColourSetters) {
  info.width = info.height = 100;
  MWinWindow *w = Make("W");
  w->SetTitleText("Hello");
  EXPECT_STREQ(w->GetTitleText(), "Hello");
  EXPECT_FLOAT_EQ(w->GetTransparency(), 1);
  w->SetTransparency(1);  // stays off
  EXPECT_FLOAT_EQ(w->GetColour()->r, 1);
  w->SetTransparency(0.5f);
  EXPECT_FLOAT_EQ(w->GetTransparency(), 0.5f);
  _ColourRGB rgb = {0.2f, 0.3f, 0.4f};
  w->SetColour(&rgb);
  EXPECT_FLOAT_EQ(w->GetColour()->g, 0.3f);
  EXPECT_FLOAT_EQ(w->GetColour()->a, 0.5f);
  w->SetColour(static_cast<const _ColourRGBA *>(nullptr));
  EXPECT_FLOAT_EQ(w->GetColour()->g, 1);  // off: white
  EXPECT_FLOAT_EQ(w->GetTransparency(), 1);
  EXPECT_TRUE(w->SetBackTexButToTexBut("MWIN_TEXBUT_NONE"));
  EXPECT_STREQ(w->GetCreateInfo()->back_texbut, "MWIN_TEXBUT_NONE");
  EXPECT_EQ(w->GetBackTexButNum(), -1);
  EXPECT_EQ(w->GetBackCustomTexButFilename(), nullptr);
  std::string long_name(300, 'a');
  EXPECT_FALSE(w->SetBackTexButToCustom(long_name.c_str()));
  EXPECT_TRUE(w->SetBackTexButToCustom(""));
  EXPECT_FALSE(w->IsCustomBackOn());
}

TEST_F(MWinWindowTest, ScrollingGeometryAndTheWheel) {
  info.x = 100;
  info.y = 100;
  info.width = 200;
  info.height = 200;
  MWinWindow *w = Make("W");
  MWinButton *b = AddCountingButton(w, "B", 10, 250, 50, 20);

  w->SetExtraSize(-1, 50);
  EXPECT_FALSE(w->IsScrollingOn());
  EXPECT_EQ(w->GetExtraSize()[1], 0);

  w->SetExtraSize(0, 100);
  ASSERT_TRUE(w->IsScrollingOn());
  _MWinWindowScrollbar *bar = w->GetScrollbar(1);
  EXPECT_FLOAT_EQ(bar->thumb.height, 200.0f * 2 / 3);
  EXPECT_FLOAT_EQ(bar->travel_y, 200.0f / 3);
  EXPECT_FLOAT_EQ(bar->track.x, 100 + 200 - 30);

  // Two steps towards the user: 2% of the extra height each, against the wheel's sign.
  mwin->MoveMouse(150.0f, 150.0f);
  EXPECT_TRUE(mwin->MouseWheelMoved(-2));
  EXPECT_FLOAT_EQ(bar->pos, 4);
  EXPECT_FLOAT_EQ(w->GetVirtualOffsetY(), -4);
  EXPECT_FLOAT_EQ(b->GetActualArea()->y, 100 + 250 - 4);
  mwin->MouseWheelMoved(100);  // clamped at the top
  EXPECT_FLOAT_EQ(bar->pos, 0);
  w->ScrollToBottom();
  EXPECT_FLOAT_EQ(bar->pos, 100);
  EXPECT_FLOAT_EQ(bar->thumb.y, 100 + 200.0f / 3);
  EXPECT_FLOAT_EQ(b->GetActualArea()->y, 100 + 250 - 100);

  // A press on the track above the thumb pages up on release.
  mwin->MoveMouse(285.0f, 105.0f);
  EXPECT_TRUE(mwin->ButtonPressed(0, 1, 0));
  EXPECT_TRUE(mwin->ButtonPressed(0, 0, 0));
  EXPECT_FLOAT_EQ(bar->pos, 0);

  // Dragging the thumb by its whole travel scrolls the whole extra height.
  mwin->MoveMouse(285.0f, 110.0f);
  EXPECT_TRUE(mwin->ButtonPressed(0, 1, 0));
  mwin->MoveMouse(285.0f, 110.0f + 200.0f / 3);
  EXPECT_NEAR(bar->pos, 100, 1e-3);
  mwin->ButtonPressed(0, 0, 0);
  EXPECT_FALSE(bar->dragging);

  // A re-layout keeps the scroll position.
  w->SetOrigPos(120, 100);
  EXPECT_NEAR(bar->pos, 100, 1e-3);
  w->SetExtraSize(0, 0);
  EXPECT_FALSE(w->IsScrollingOn());
  EXPECT_FLOAT_EQ(w->GetVirtualOffsetY(), 0);
  EXPECT_FLOAT_EQ(b->GetActualArea()->y, 100 + 250);
}

TEST_F(MWinWindowTest, HorizontalScrollingKeepsTheTitleButtonsInPlace) {
  info.x = 100;
  info.y = 100;
  info.width = 200;
  info.height = 100;
  info.has_title_bar = 1;
  info.has_hide_button = 1;
  MWinWindow *w = Make("W");
  float hide_y = w->GetHideButton()->GetActualArea()->y;
  w->SetExtraSize(200, 0);
  _MWinWindowScrollbar *bar = w->GetScrollbar(0);
  EXPECT_FLOAT_EQ(bar->thumb.width, 100);
  EXPECT_FLOAT_EQ(bar->track.y, 100 + 100 - 30);
  w->ScrollToBottom();  // only the vertical axis: nothing moves
  EXPECT_FLOAT_EQ(w->GetVirtualOffsetX(), 0);
  bar->pos = 50;
  w->UpdateExtraPos(0, 1);
  EXPECT_FLOAT_EQ(w->GetVirtualOffsetX(), -50);
  EXPECT_FLOAT_EQ(bar->thumb.x, 100 + 100 * 50 / 200.0f);
  EXPECT_FLOAT_EQ(w->GetHideButton()->GetActualArea()->y, hide_y);
  EXPECT_FALSE(mwin->MouseWheelMoved(1));  // the wheel scrolls only the vertical axis
}

class MWinWindowButtonsTest : public MWinWindowTest {
 protected:
  void SetUp() override {
    MWinWindowTest::SetUp();
    info.x = 100;
    info.y = 100;
    info.width = 200;
    info.height = 100;
    info.has_title_bar = 1;
    w = Make("W");
  }
  MWinWindow *w = nullptr;
};

TEST_F(MWinWindowButtonsTest, CentringMovesTheShownButtonsTogether) {
  MWinButton *a = AddCountingButton(w, "A", 0, 0, 20, 10);
  MWinButton *b = AddCountingButton(w, "B", 40, 30, 20, 10);
  MWinButton *hidden = AddCountingButton(w, "H", 190, 90, 10, 10);
  hidden->Hide();
  w->CenterAllShownButtons(1, 1);
  // Box 60 x 40 centred in 200 x 100.
  EXPECT_FLOAT_EQ(a->GetOrigArea()->x, 70);
  EXPECT_FLOAT_EQ(a->GetOrigArea()->y, 30);
  EXPECT_FLOAT_EQ(b->GetOrigArea()->x, 110);
  EXPECT_FLOAT_EQ(hidden->GetOrigArea()->x, 190);
  EXPECT_FLOAT_EQ(a->GetActualArea()->x, 170);

  MWinButton *list[] = {a, b, hidden, nullptr};
  w->CenterGroupOfButtons(list, 0, 1);  // raised by half the title bar
  EXPECT_FLOAT_EQ(a->GetOrigArea()->y, 15);
  EXPECT_FLOAT_EQ(a->GetOrigArea()->x, 70);
  EXPECT_NE(Logged([&] { w->CenterGroupOfButtons(nullptr, 1, 1); }).find("No buttons"), std::string::npos);
}

TEST_F(MWinWindowButtonsTest, SpacingEvensOutTheGaps) {
  MWinButton *a = AddCountingButton(w, "A", 0, 0, 10, 10);
  MWinButton *b = AddCountingButton(w, "B", 10, 0, 10, 10);
  MWinButton *list2[] = {a, b, nullptr};
  w->SpaceGroupOfButtons(list2, 1, 1);
  EXPECT_FLOAT_EQ(b->GetOrigArea()->x, 10);

  MWinButton *hidden = AddCountingButton(w, "H", 30, 0, 10, 10);
  hidden->Hide();
  MWinButton *d = AddCountingButton(w, "D", 100, 0, 10, 10);
  w->SpaceAllShownButtons(1, 0);
  EXPECT_FLOAT_EQ(a->GetOrigArea()->x, 0);
  EXPECT_FLOAT_EQ(b->GetOrigArea()->x, 50);
  EXPECT_FLOAT_EQ(d->GetOrigArea()->x, 100);
  EXPECT_FLOAT_EQ(hidden->GetOrigArea()->x, 30);

  w->SpaceGroupOfButtons(std::vector<MWinButton *>{d, b, a}, 0, 1);  // same rows: nothing moves
  EXPECT_FLOAT_EQ(a->GetOrigArea()->y, 0);
}

TEST_F(MWinWindowButtonsTest, GroupsChainTheWindowsButtons) {
  MWinButton *a = AddCountingButton(w, "A", 0, 0, 10, 10);
  EXPECT_EQ(w->CreateNewGroup(), 1);
  EXPECT_EQ(w->CreateNewGroup(), 2);
  MWinGroup *g2 = w->GetNthGroup(2);
  MWinButton *c2 = g2->AddButton("C", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 0, 0, 10, 10);
  EXPECT_EQ(w->GetNumGroups(), 3);
  EXPECT_EQ(w->GetNumButtons(), 2);
  EXPECT_EQ(w->GetNthButton(1), c2);
  EXPECT_EQ(w->GetNextButton(a), c2);  // over the empty group
  EXPECT_EQ(w->GetPrevButton(c2), a);
  EXPECT_EQ(w->GetLastButton(), c2);
  EXPECT_EQ(w->GetButtonFromID("C"), c2);
  EXPECT_NE(Logged([&] { EXPECT_EQ(w->GetNthGroup(3), nullptr); }).find("Group 3 not found."), std::string::npos);
  EXPECT_NE(Logged([&] { EXPECT_EQ(w->GetNthButton(2), nullptr); }).find("Button 2 not found."), std::string::npos);

  w->RemoveAllButtons();
  EXPECT_EQ(w->GetNumGroups(), 1);
  EXPECT_EQ(w->GetNumButtons(), 0);
  EXPECT_EQ(w->GetLastGroup(), w->GetFirstGroup());
}

}  // namespace
}  // namespace qwtest
