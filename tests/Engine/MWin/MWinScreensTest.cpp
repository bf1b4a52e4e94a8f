#include "Engine/MWin/MWinScreens.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Engine/EngMemory.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"

namespace qwtest {
namespace {

const euint S1 = EngFourCC("SCR1"), S2 = EngFourCC("SCR2"), S3 = EngFourCC("SCR3");

// A program's manager: three fake screens and every hook written into the log.
class TestScreens : public MWinScreens {
 public:
  TestScreens(MWin *mwin, char fade, std::vector<std::string> *log, char *destroyed = nullptr)
      : MWinScreens(mwin, fade), m_log(log), m_destroyed(destroyed) {
    for (const char *name : m_names) {
      m_controllers.emplace_back(new FakeController(name, log));
      m_controllers.back()->m_screens = this;
      m_controllers.back()->m_mwin = mwin;
    }
  }
  ~TestScreens() override {
    RemoveAllScreens();  // before the controllers go
    if (m_destroyed) *m_destroyed = 1;
  }
  char SetupProgramScreens() override {
    for (size_t i = 0; i < m_controllers.size(); i++)
      if (!AddScreen(EngGetFourCharStringAsID(m_names[i]), m_controllers[i].get())) return 0;
    return setup_ok;
  }
  void PreScreensStartCB() override { m_log->push_back("PreScreensStart"); }
  void PostScreensStartCB(euint current) override { m_log->push_back(Named("PostScreensStart", current)); }
  void PreScreenChangeCB() override { m_log->push_back("PreScreenChange"); }
  void PostScreenChangeCB(euint current) override { m_log->push_back(Named("PostScreenChange", current)); }
  void PostScreensFinishCB() override { m_log->push_back("PostScreensFinish"); }

  char setup_ok = 1;

 private:
  static std::string Named(const char *hook, euint id) {
    return std::string(hook) + " " + EngGetFourCharIDAsString(id);
  }
  const char *m_names[3] = {"SCR1", "SCR2", "SCR3"};
  std::vector<std::string> *m_log;
  char *m_destroyed;
  std::vector<std::unique_ptr<FakeController>> m_controllers;
};

// A screen with one full-window push button that sends the player to `target`.
class ButtonController : public FakeController {
 public:
  ButtonController(const char *name, std::vector<std::string> *log, MWinScreens *screens, euint target)
      : FakeController(name, log), m_name(name), m_target(target) {
    m_screens = screens;
  }
  char CreateCollection(MWin *mwin) override {
    FakeController::CreateCollection(mwin);
    _MWinWindowCreateInfo info = {};
    info.width = 640;
    info.height = 480;
    MWinWindow *window = mwin->GetDesktop()->GetCollectionFromID(m_name.c_str(), 1)->AddWindow("W", &info);
    window->SetController(this);
    return window->AddButton("GO", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", nullptr, 0, 0, 640, 480) ? 1 : 0;
  }
  char ButtonsCallback(MWinButton *, _MWinButtonCallbackInfo *) override {
    m_screens->GotoScreen(m_target, nullptr);
    return 1;
  }

 private:
  std::string m_name;
  euint m_target;
};

class MWinScreensTest : public MWinTest {
 protected:
  void TearDown() override {
    SteppingClock::Remove();
    eng_main_device_type = 0;  // a program object sets it
    MWinTest::TearDown();
  }
  // The ids of the collections on the desktop, in order.
  std::vector<std::string> Collections() {
    std::vector<std::string> ids;
    for (MWinCollection *c = Desktop()->GetFirstCollection(); c; c = c->m_next) ids.push_back(c->GetID());
    return ids;
  }

  std::vector<std::string> calls;
};

TEST_F(MWinScreensTest, ChangesRunTheHooksAroundTheControllersAndKeepOnlyTheCurrentCollection) {
  TestScreens screens(mwin, 0, &calls);
  EXPECT_EQ(mwin->GetScreens(), &screens);
  ASSERT_TRUE(screens.SetupAllScreens());
  ASSERT_TRUE(screens.SetCurrentScreen(S1));
  Desktop()->AddCollection("LEFT");  // whatever was there before the screens goes
  screens.Start(0);
  EXPECT_EQ(Collections(), std::vector<std::string>{"SCR1"});
  char arg[] = "x";
  screens.GotoScreen(S2, arg);
  screens.GotoScreen(S3, nullptr);
  EXPECT_EQ(Collections(), std::vector<std::string>{"SCR3"});
  screens.GoBack();
  screens.GoBack();
  EXPECT_EQ(Collections(), std::vector<std::string>{"SCR1"});

  // What the rest of the toolkit sees through the root.
  EXPECT_EQ(mwin->GetCurrentScreen(), S1);
  EXPECT_EQ(mwin->GetFromScreen(), S2);
  EXPECT_EQ(mwin->GetPreviousScreen(), 0u);
  EXPECT_TRUE(mwin->AreScreensOn());

  screens.End(0);
  EXPECT_TRUE(mwin->IsOn());
  EXPECT_FALSE(screens.AreOn());
  EXPECT_TRUE(Collections().empty());

  const std::vector<std::string> expected = {
      "PreScreensStart", "PreScreenChange", "SCR1 CreateCollection", "SCR1 StartingCB -",
      "PostScreenChange SCR1", "PostScreensStart SCR1",                                        // Start
      "SCR1 RemoveVars", "PreScreenChange", "SCR2 CreateCollection", "SCR2 StartingCB x",
      "PostScreenChange SCR2",                                                                 // to S2
      "SCR2 RemoveVars", "PreScreenChange", "SCR3 CreateCollection", "SCR3 StartingCB -",
      "PostScreenChange SCR3",                                                                 // to S3
      "SCR3 RemoveVars", "PreScreenChange", "SCR2 CreateCollection", "SCR2 StartingCB -",
      "PostScreenChange SCR2",                                                                 // back
      "SCR2 RemoveVars", "PreScreenChange", "SCR1 CreateCollection", "SCR1 StartingCB -",
      "PostScreenChange SCR1",                                                                 // back
      "SCR1 RemoveVars", "PostScreensFinish",                                                  // End
  };
  EXPECT_EQ(calls, expected);
}

TEST_F(MWinScreensTest, AnUnknownIdLeavesTheCurrentScreenRunning) {
  TestScreens screens(mwin, 0, &calls);
  ASSERT_TRUE(screens.SetupAllScreens());
  screens.StartScreen(S2, 0);
  calls.clear();
  std::string log = Logged([&] { screens.GotoScreen(EngFourCC("NONE"), nullptr); });
  EXPECT_NE(log.find("Screen [NONE] not found."), std::string::npos);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(screens.GetCurrentScreen(), S2);
  EXPECT_EQ(Collections(), std::vector<std::string>{"SCR2"});
}

// The popup is closed without its answer, and the new screen gets the input back.
TEST_F(MWinScreensTest, GoingToAScreenWhileAPopupIsOpen) {
  TestScreens screens(mwin, 0, &calls);
  ASSERT_TRUE(screens.SetupAllScreens());
  screens.StartScreen(S1, 0);
  static int answers;
  answers = 0;
  ASSERT_TRUE(mwin->PopupOkCancel("Leave?", nullptr, [](MWin *, char, void *) { answers++; }, nullptr));
  ASSERT_TRUE(mwin->PopupIsOn());
  std::string log = Logged([&] { screens.GotoScreen(S2, nullptr); });
  EXPECT_NE(log.find("Called when a popup was on. Turning popup off..."), std::string::npos);
  EXPECT_FALSE(mwin->PopupIsOn());
  EXPECT_EQ(mwin->GetPopupCollection(), nullptr);
  EXPECT_EQ(answers, 0);
  EXPECT_EQ(Collections(), std::vector<std::string>{"SCR2"});
  EXPECT_TRUE(Desktop()->GetCollectionFromID("SCR2", 0)->IsActive());
  EXPECT_EQ(mwin->GetSettings()->activate_collection_under_mouse, 1);
}

TEST_F(MWinScreensTest, StartOrGotoStartsTheRootOnlyWhenItIsOff) {
  mwin->Shutdown();
  TestScreens screens(mwin, 0, &calls);
  ASSERT_TRUE(screens.SetupAllScreens());
  screens.StartOrGotoScreen(S2);
  EXPECT_TRUE(mwin->IsOn());
  EXPECT_TRUE(screens.AreOn());
  EXPECT_EQ(screens.GetCurrentScreen(), S2);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "PostScreensStart SCR2"), 0);  // not on this path

  screens.StartOrGotoScreen(S3);  // on: a plain change
  EXPECT_EQ(screens.GetCurrentScreen(), S3);
  EXPECT_EQ(screens.GetFromScreen(), S2);

  screens.End(-1);  // the start turned the root on, so the end turns it off
  EXPECT_FALSE(mwin->IsOn());
  EXPECT_FALSE(screens.AreScreensOn());
}

TEST_F(MWinScreensTest, AreOnNeedsTheRootAsWellAsTheTable) {
  TestScreens screens(mwin, 0, &calls);
  ASSERT_TRUE(screens.SetupAllScreens());
  screens.StartScreen(S1, 0);
  EXPECT_TRUE(screens.AreOn());
  mwin->Shutdown();
  EXPECT_TRUE(screens.AreScreensOn());
  EXPECT_FALSE(screens.AreOn());
  EXPECT_FALSE(mwin->AreScreensOn());
}

TEST_F(MWinScreensTest, AFailedProgramSetupIsReported) {
  TestScreens screens(mwin, 0, &calls);
  screens.setup_ok = 0;
  std::string log = Logged([&] { EXPECT_FALSE(screens.SetupAllScreens()); });
  EXPECT_NE(log.find("Could not setup program's screens"), std::string::npos);
}

TEST_F(MWinScreensTest, DeletingThroughTheBaseRunsTheSubclassDestructor) {
  char destroyed = 0;
  MWinScreens *screens = new TestScreens(mwin, 0, &calls, &destroyed);
  ASSERT_TRUE(screens->SetupAllScreens());
  screens->StartScreen(S1, 0);
  calls.clear();
  delete screens;
  EXPECT_TRUE(destroyed);
  // The subclass emptied the table while its controllers were alive.
  EXPECT_EQ(calls, (std::vector<std::string>{"SCR1 RemoveVars", "SCR2 RemoveVars", "SCR3 RemoveVars"}));
}

// A subclass that leaves the table alone: its controllers, members of its own, are gone before
// the base destructor runs, which must not call them.
TEST_F(MWinScreensTest, DeletingAfterTheSubclassDestroyedItsControllersCallsNone) {
  class Forgetful : public MWinScreens {
   public:
    Forgetful(MWin *mwin, std::vector<std::string> *log) : MWinScreens(mwin, 0), one("SCR1", log), two("SCR2", log) {}
    char SetupProgramScreens() override { return AddScreen(S1, &one) && AddScreen(S2, &two); }
    FakeController one, two;
  };
  MWinScreens *screens = new Forgetful(mwin, &calls);
  ASSERT_TRUE(screens->SetupAllScreens());
  screens->StartScreen(S1, 0);
  calls.clear();
  delete screens;
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(mwin->GetCurrentScreen(), 0u) << "the root forgot the manager";
  EXPECT_FALSE(mwin->AreScreensOn());
}

TEST_F(MWinScreensTest, FadesDrawAFrameCountSetByTheFirstFrameTime) {
  std::unique_ptr<CountingProgram> program(CountingProgram::Make());
  struct Case {
    double step;
    float frame_rate;
    char fade;
    int frames_per_fade;
  } cases[] = {
      {0.01, 60.0f, 1, 16},  // 0.15 s in 15 steps, after the first frame
      {0.2, 60.0f, 1, 1},    // a frame longer than the fade: the first frame only
      {0.0, 60.0f, 1, 1},    // no measurable frame time
      {1e-9, 60.0f, 1, 1},   // absurdly many steps
      {0.01, 1.0f, 1, 0},    // too slow to fade at all
      {0.01, 60.0f, 0, 0},   // fading off
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.step << " " << c.frame_rate << " " << int(c.fade));
    SteppingClock::Install(c.step);
    eng_main_frame_rate = c.frame_rate;
    program->frames = 0;
    // One manager per root: each case gets its own.
    delete mwin;
    mwin = new MWin(nullptr);
    ASSERT_TRUE(mwin->Startup());
    MWinScreens screens(mwin, c.fade);
    Logged([&] { screens.GotoScreen(EngFourCC("NONE"), nullptr); });  // fades even when nothing changes
    EXPECT_EQ(program->frames, 2 * c.frames_per_fade);
  }
}

// A screen change inside the press deletes the button, and a restarted screen gives a new
// button the same ids: the press never reaches the old one afterwards.
TEST_F(MWinScreensTest, AButtonMayChangeScreenFromItsOwnPress) {
  std::unique_ptr<CountingProgram> program(CountingProgram::Make());
  MWinScreens screens(mwin, 0);
  ButtonController one("SCR1", &calls, &screens, S2), two("SCR2", &calls, &screens, S2);
  ASSERT_TRUE(screens.SetupAllScreens());
  ASSERT_TRUE(screens.AddScreen(S1, &one));
  ASSERT_TRUE(screens.AddScreen(S2, &two));
  screens.StartScreen(S1, 0);

  Click(320, 240);  // its own window is deleted inside the press
  EXPECT_EQ(screens.GetCurrentScreen(), S2);
  EXPECT_EQ(Collections(), std::vector<std::string>{"SCR2"});
  Click(320, 240);  // restarts its own screen: a new button under the same ids
  EXPECT_EQ(screens.GetCurrentScreen(), S2);
  EXPECT_EQ(screens.GetPreviousScreen(), S2);
  EXPECT_EQ(Collections(), std::vector<std::string>{"SCR2"});
  screens.RemoveAllScreens();  // before the controllers go
}

}  // namespace
}  // namespace qwtest
