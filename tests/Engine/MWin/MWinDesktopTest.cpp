#include <gtest/gtest.h>

#include <string>

#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

class MWinDesktopTest : public MWinTest {
 protected:
  // A collection with one window covering the area and a button covering the window,
  // the collection's overall area set to the window.
  MWinCollection *AddScreen(const char *id, float x, float y, float w, float h) {
    MWinCollection *c = Desktop()->AddCollection(id);
    MWinWindow *window = AddWindow(c, "W", x, y, w, h);
    AddCountingButton(window, id, 0, 0, w, h);
    c->SetOverallAreaToSizeOfFirstWindow();
    return c;
  }
};

TEST_F(MWinDesktopTest, AddingAnExistingIdIsRefusedAndKeepsTheActiveCollection) {
  MWinCollection *a = Desktop()->AddCollection("A");
  MWinCollection *b = Desktop()->AddCollection("B");
  EXPECT_FALSE(a->IsActive());
  EXPECT_TRUE(b->IsActive());
  std::string log = Logged([&] { EXPECT_EQ(Desktop()->AddCollection("A"), nullptr); });
  EXPECT_NE(log.find("Collection already exists <A>"), std::string::npos);
  EXPECT_EQ(Desktop()->GetActiveCollection(), b);
  EXPECT_TRUE(Desktop()->SetActiveCollection("A"));
  EXPECT_EQ(Desktop()->GetActiveCollection(), a);
  EXPECT_FALSE(b->IsActive());
  log = Logged([&] { EXPECT_FALSE(Desktop()->SetActiveCollection("Z")); });
  EXPECT_NE(log.find("Could not find collection Z"), std::string::npos);
}

TEST_F(MWinDesktopTest, APressGoesToTheLastCollectionUnderTheCursor) {
  MWinCollection *below = AddScreen("BELOW", 0, 0, 400, 400);
  MWinCollection *above = AddScreen("ABOVE", 100, 100, 100, 100);
  Desktop()->SetActiveCollection("BELOW");

  Click(150, 150);  // both contain it: the later one takes it and becomes active
  EXPECT_EQ(Presses("ABOVE"), 1);
  EXPECT_EQ(Presses("BELOW"), 0);
  EXPECT_TRUE(above->IsActive());
  EXPECT_FALSE(below->IsActive());

  Click(50, 50);  // only the earlier one contains it
  EXPECT_EQ(Presses("BELOW"), 1);
  EXPECT_TRUE(below->IsActive());
  EXPECT_FALSE(above->IsActive());

  Click(500, 450);  // none contains it
  EXPECT_EQ(Presses("ABOVE") + Presses("BELOW"), 2);
}

TEST_F(MWinDesktopTest, ACollectionWithoutAnAreaTakesPressesAnywhere) {
  AddScreen("FIRST", 0, 0, 100, 100);
  MWinCollection *whole = Desktop()->AddCollection("WHOLE");
  AddCountingButton(AddWindow(whole, "W", 300, 300, 100, 100), "WHOLE", 0, 0, 100, 100);
  Click(50, 50);
  EXPECT_EQ(Presses("FIRST"), 0);
  EXPECT_TRUE(whole->IsActive());
  Click(350, 350);
  EXPECT_EQ(Presses("WHOLE"), 1);
}

TEST_F(MWinDesktopTest, WithoutActivationUnderTheMouseMovesGoToTheActiveCollection) {
  MWinCollection *left = AddScreen("LEFT", 0, 0, 100, 100);
  MWinCollection *right = AddScreen("RIGHT", 200, 0, 100, 100);
  mwin->GetSettings()->activate_collection_under_mouse = 0;
  Desktop()->SetActiveCollection("LEFT");
  mwin->MoveMouse(250.0f, 50.0f);
  EXPECT_TRUE(left->IsActive());
  EXPECT_FALSE(right->IsActive());

  mwin->GetSettings()->activate_collection_under_mouse = 1;
  mwin->MoveMouse(250.0f, 50.0f);
  EXPECT_TRUE(right->IsActive());
  EXPECT_FALSE(left->IsActive());
  // Outside both: nothing stays active.
  EXPECT_FALSE(mwin->MoveMouse(500.0f, 400.0f));
  EXPECT_EQ(Desktop()->GetActiveCollection(), nullptr);
}

char RemoveEverything(int, void *user) {
  static_cast<MWinDesktop *>(user)->RemoveAllCollections();
  return 0;
}

int keys_seen = 0;
char CountKey(int, void *) {
  keys_seen++;
  return 0;
}

TEST_F(MWinDesktopTest, AKeyHandlerThatRemovesTheScreenEndsTheKeyLoop) {
  Desktop()->AddCollection("A");
  MWinCollection *b = Desktop()->AddCollection("B");
  // The hook declines the key, yet the loop ends with 1 once the screen is gone.
  b->SetKeyDownHook(RemoveEverything, Desktop());
  EXPECT_TRUE(mwin->KeyDown('x'));
  EXPECT_EQ(Desktop()->GetFirstCollection(), nullptr);
}

TEST_F(MWinDesktopTest, KeysReachOnlyActiveCollectionsAndNotWhileKeyboardInputIsOff) {
  MWinCollection *a = Desktop()->AddCollection("A");
  MWinCollection *b = Desktop()->AddCollection("B");
  a->SetKeyDownHook(CountKey, nullptr);
  b->SetKeyDownHook(CountKey, nullptr);
  keys_seen = 0;
  EXPECT_FALSE(mwin->KeyDown('x'));
  EXPECT_EQ(keys_seen, 1);
  mwin->AllowKeyboardInput(0);
  EXPECT_FALSE(mwin->KeyDown('x'));
  EXPECT_FALSE(mwin->KeyUp('x'));
  EXPECT_FALSE(mwin->KeyDownUChar('x'));
  EXPECT_EQ(keys_seen, 1);
}

TEST_F(MWinDesktopTest, RemovingACollectionActivatesNoOther) {
  Desktop()->AddCollection("A");
  Desktop()->AddCollection("B");
  EXPECT_TRUE(Desktop()->RemoveCollection("B"));
  EXPECT_EQ(Desktop()->GetActiveCollection(), nullptr);
  std::string log = Logged([&] { EXPECT_FALSE(Desktop()->RemoveCollection("B")); });
  EXPECT_NE(log.find("Could not find collection"), std::string::npos);
  EXPECT_TRUE(Desktop()->DoesCollectionExist("A"));
  log = Logged([&] { EXPECT_FALSE(Desktop()->DoesCollectionExist("")); });
  EXPECT_NE(log.find("No Collection ID"), std::string::npos);
}

}  // namespace
}  // namespace qwtest
