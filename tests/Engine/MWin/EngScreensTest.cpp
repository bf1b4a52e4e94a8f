#include "Engine/MWin/EngScreens.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Engine/MWin/MWinScreens.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"

namespace qwtest {
namespace {

const euint S1 = EngFourCC("SCR1"), S2 = EngFourCC("SCR2"), S3 = EngFourCC("SCR3");

size_t Count(const std::string &text, const std::string &part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) n++;
  return n;
}

class EngScreensTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    // Controllers need a screen manager to be bound to; this one's own table stays empty.
    manager.reset(new MWinScreens(mwin, 0));
    table.reset(new EngScreens(mwin, this));
    for (int i = 0; i < 3; i++) {
      controllers.emplace_back(new FakeController(names[i], &calls));
      controllers.back()->m_screens = manager.get();
      ASSERT_TRUE(table->Add(ids[i], controllers.back().get()));
    }
    // As the screen manager does, the screen being left loses its collections.
    table->RegisterPreChangeCallback([](MWin *mwin, void *user) {
      static_cast<EngScreensTest *>(user)->calls.push_back("pre");
      mwin->GetDesktop()->RemoveAllCollections();
    });
    table->RegisterPostChangeCallback(
        [](MWin *, void *user) { static_cast<EngScreensTest *>(user)->calls.push_back("post"); });
  }
  void TearDown() override {
    table.reset();
    manager.reset();
    controllers.clear();
    eng_main_device_type = 0;  // a program object sets it
    MWinTest::TearDown();
  }
  // Starts on S1 with the root left as it is, and forgets the calls so far.
  void StartOnS1() {
    ASSERT_TRUE(table->SetCurrentScreenID(S1));
    table->TurnOn(0);
    ASSERT_TRUE(table->AreOn());
    calls.clear();
  }

  const euint ids[3] = {S1, S2, S3};
  const char *names[3] = {"SCR1", "SCR2", "SCR3"};
  std::vector<std::string> calls;
  std::vector<std::unique_ptr<FakeController>> controllers;
  std::unique_ptr<MWinScreens> manager;
  std::unique_ptr<EngScreens> table;
};

TEST_F(EngScreensTest, GoingToTwoScreensAndBackTwiceEndsWhereItStartedWithTheRightFrom) {
  ASSERT_TRUE(table->SetCurrentScreenID(S1));
  table->TurnOn(0);
  EXPECT_EQ(table->GetPreviousScreenID(), 0u);
  char arg2[] = "two", arg3[] = "three";
  std::string log = Logged([&] {
    table->GotoScreen(S2, arg2);
    EXPECT_EQ(table->GetPreviousScreenID(), S1);
    EXPECT_EQ(table->GetFromScreenID(), S1);
    table->GotoScreen(S3, arg3);
    EXPECT_EQ(table->GetPreviousScreenID(), S2);
    table->GoBack();
    EXPECT_EQ(table->GetCurrentScreenID(), S2);
    EXPECT_EQ(table->GetFromScreenID(), S3);
    EXPECT_EQ(table->GetPreviousScreenID(), S1);  // going back leaves it alone
    table->GoBack();
  });
  EXPECT_EQ(log, "");
  EXPECT_EQ(table->GetCurrentScreenID(), S1);
  EXPECT_EQ(table->GetFromScreenID(), S2);
  EXPECT_EQ(table->GetPreviousScreenID(), 0u);
  EXPECT_TRUE(table->AreOn());

  const std::vector<std::string> expected = {
      "pre", "SCR1 CreateCollection", "SCR1 StartingCB -", "post",                             // TurnOn
      "SCR1 RemoveVars", "pre", "SCR2 CreateCollection", "SCR2 StartingCB two", "post",      // S1 -> S2
      "SCR2 RemoveVars", "pre", "SCR3 CreateCollection", "SCR3 StartingCB three", "post",    // S2 -> S3
      "SCR3 RemoveVars", "pre", "SCR2 CreateCollection", "SCR2 StartingCB -", "post",        // back to S2
      "SCR2 RemoveVars", "pre", "SCR1 CreateCollection", "SCR1 StartingCB -", "post",        // back to S1
  };
  EXPECT_EQ(calls, expected);
}

TEST_F(EngScreensTest, AnUnknownIdChangesNothing) {
  StartOnS1();
  std::string log = Logged([&] { table->GotoScreen(EngFourCC("NONE"), nullptr); });
  EXPECT_EQ(Count(log, "Screen [NONE] not found."), 1u);
  EXPECT_TRUE(calls.empty());  // the current screen was not even stopped
  EXPECT_EQ(table->GetCurrentScreenID(), S1);
  EXPECT_TRUE(table->AreOn());

  // Entered only by TurnOn, S1 has nowhere to go back to.
  log = Logged([&] { table->GoBack(); });
  EXPECT_EQ(Count(log, "Screen [] not found."), 1u);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(table->GetCurrentScreenID(), S1);

  log = Logged([&] { EXPECT_FALSE(table->SetCurrentScreenID(EngFourCC("NONE"))); });
  EXPECT_EQ(Count(log, "Screen [NONE] not found."), 2u);
  EXPECT_EQ(table->GetCurrentScreenID(), 0u);  // forgotten first
}

TEST_F(EngScreensTest, GoingToTheCurrentScreenRestartsItAndMakesItItsOwnPrevious) {
  StartOnS1();
  table->GotoScreen(S1, nullptr);
  EXPECT_EQ(table->GetPreviousScreenID(), S1);
  EXPECT_EQ(table->GetFromScreenID(), S1);
  table->GoBack();
  const std::vector<std::string> expected = {
      "SCR1 RemoveVars", "pre", "SCR1 CreateCollection", "SCR1 StartingCB -", "post",
      "SCR1 RemoveVars", "pre", "SCR1 CreateCollection", "SCR1 StartingCB -", "post",
  };
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(table->GetCurrentScreenID(), S1);
}

TEST_F(EngScreensTest, GoingToAScreenWithNoneCurrentStartsItFromNowhere) {
  std::string log = Logged([&] { table->GotoScreen(S2, nullptr); });
  EXPECT_EQ(Count(log, "Screen [] not found."), 1u);
  EXPECT_EQ(table->GetCurrentScreenID(), S2);
  EXPECT_EQ(table->GetPreviousScreenID(), 0u);
  EXPECT_EQ(table->GetFromScreenID(), 0u);
  EXPECT_TRUE(table->AreOn());
  const std::vector<std::string> expected = {"pre", "SCR2 CreateCollection", "SCR2 StartingCB -", "post"};
  EXPECT_EQ(calls, expected);
}

TEST_F(EngScreensTest, ADuplicateIdIsRefusedAndTheFirstControllerKept) {
  FakeController other("OTHR", &calls);
  std::string log = Logged([&] { EXPECT_FALSE(table->Add(S2, &other)); });
  EXPECT_NE(log.find("Screen [SCR2] already exists."), std::string::npos);
  EXPECT_EQ(table->GetScreenFromID(S2, nullptr)->controller, controllers[1].get());
  int index = -1;
  ASSERT_NE(table->GetScreenFromID(S3, &index), nullptr);
  EXPECT_EQ(index, 2);
}

TEST_F(EngScreensTest, TurningOnAndOffFollowsTheRootsState) {
  struct Case {
    char root_on_before, on_mode, off_mode, root_on_while_on, root_on_after;
  } cases[] = {
      {1, -1, -1, 1, 1},  // found on: left on
      {0, -1, -1, 1, 0},  // started here: shut down again
      {0, 1, -1, 1, 0},
      {1, 0, -1, 1, 1},   // left alone: left on
      {1, 0, 1, 1, 0},
      {0, 1, 0, 1, 1},    // mode 0 never shuts down
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.root_on_before) << " " << int(c.on_mode) << " " << int(c.off_mode));
    if (mwin->IsOn() && !c.root_on_before) mwin->Shutdown();
    if (!mwin->IsOn() && c.root_on_before) mwin->Startup();
    Desktop()->RemoveAllCollections();
    ASSERT_TRUE(table->SetCurrentScreenID(S1));
    table->TurnOn(c.on_mode);
    EXPECT_TRUE(table->AreOn());
    EXPECT_EQ(mwin->IsOn(), c.root_on_while_on);
    EXPECT_NE(Desktop()->GetCollectionFromID("SCR1", 0), nullptr);
    calls.clear();
    table->TurnOff(c.off_mode);
    EXPECT_FALSE(table->AreOn());
    EXPECT_EQ(mwin->IsOn(), c.root_on_after);
    EXPECT_EQ(calls, std::vector<std::string>{"SCR1 RemoveVars"});
    EXPECT_EQ(table->GetCurrentScreenID(), S1);
  }
}

TEST_F(EngScreensTest, TurningOnWithTheRootOffAndLeftAloneStaysOff) {
  mwin->Shutdown();
  ASSERT_TRUE(table->SetCurrentScreenID(S1));
  std::string log = Logged([&] { table->TurnOn(0); });
  EXPECT_NE(log.find("MWin is not on"), std::string::npos);
  EXPECT_FALSE(table->AreOn());
  EXPECT_EQ(calls, (std::vector<std::string>{"pre", "post"}));
}

TEST_F(EngScreensTest, TurningOffWithModeTwoForgetsTheScreen) {
  StartOnS1();
  table->TurnOff(2);
  EXPECT_FALSE(mwin->IsOn());
  EXPECT_EQ(table->GetCurrentScreenID(), 0u);
  std::string log = Logged([&] { table->TurnOn(-1); });
  EXPECT_NE(log.find("No start screen set."), std::string::npos);
  EXPECT_FALSE(table->AreOn());
  EXPECT_TRUE(mwin->IsOn());  // started all the same
  table->TurnOff(1);           // off already: nothing happens
  EXPECT_TRUE(mwin->IsOn());
}

TEST_F(EngScreensTest, TurningOffAScreenStartedWithoutTurningOnIsAnInternalError) {
  table->GotoScreen(S1, nullptr);
  ASSERT_TRUE(table->AreOn());
  std::string log = Logged([&] { table->TurnOff(-1); });
  EXPECT_NE(log.find("Internal error."), std::string::npos);
  EXPECT_FALSE(table->AreOn());
  EXPECT_FALSE(mwin->IsOn());
}

TEST_F(EngScreensTest, TickAndRenderReachTheCurrentControllerOnlyWhileOn) {
  std::unique_ptr<CountingProgram> program(CountingProgram::Make());
  int main_ticks = 0;
  table.reset(new EngScreens(mwin, &main_ticks));
  ASSERT_TRUE(table->Add(S1, controllers[0].get()));
  table->RegisterMainTickCallback([](MWin *, void *user) { ++*static_cast<int *>(user); });
  calls.clear();  // the old table cleared its controllers

  EXPECT_EQ(table->Tick(), 0);
  table->Render(MWIN_RENDER_STAGE_1);
  EXPECT_TRUE(calls.empty());

  ASSERT_TRUE(table->SetCurrentScreenID(S1));
  table->TurnOn(0);
  calls.clear();
  EXPECT_EQ(table->Tick(), 1);
  table->Render(MWIN_RENDER_STAGE_2);
  EXPECT_EQ(calls, (std::vector<std::string>{"SCR1 TickCB", "SCR1 RenderCB 2"}));
  EXPECT_EQ(main_ticks, 1);

  program->SetExitingFlag();
  EXPECT_EQ(table->Tick(), 0);
  EXPECT_EQ(main_ticks, 1);
  program.reset();
  EXPECT_EQ(table->Tick(), 0);  // no program at all
  EXPECT_EQ(main_ticks, 1);
}

TEST_F(EngScreensTest, RemovingScreensClearsOnlyBoundControllers) {
  FakeController loose("LOOS", &calls);
  ASSERT_TRUE(table->Add(EngFourCC("LOOS"), &loose));
  std::string log = Logged([&] { table->RemoveScreen(3); });
  EXPECT_NE(log.find("Bad controller_p"), std::string::npos);
  EXPECT_TRUE(calls.empty());

  StartOnS1();
  table->Exit();
  EXPECT_EQ(calls, (std::vector<std::string>{"SCR1 RemoveVars", "SCR2 RemoveVars", "SCR3 RemoveVars"}));
  EXPECT_FALSE(table->AreOn());
  EXPECT_EQ(table->GetCurrentScreenID(), S1);  // kept, but there is no entry behind it
  EXPECT_EQ(table->GetPreviousScreenID(), 0u);
  calls.clear();
  EXPECT_EQ(table->Tick(), 0);
  EXPECT_TRUE(calls.empty());
}

}  // namespace
}  // namespace qwtest
