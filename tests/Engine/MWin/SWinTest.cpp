// SWin's logic without a display: a fake platform records each step, so the control table, the
// placement rules, the command routing, the selection bookkeeping and the loop's quit are seen.
#include "Engine/MWin/SWin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"

namespace {

struct FakeControl {
  _SWinButtonType kind = SWIN_GROUP_FRAME;
  int x = 0, y = 0, width = 0, height = 0;
  EngUInt32 command = 0;
  std::string text;
  std::vector<std::string> items;
  int selected = -1;
  char enabled = 1;
};

class FakePlatform : public SWinPlatform {
 public:
  SWin *owner = nullptr;
  int windows = 0, runs = 0, quits = 0;
  int window_width = 0, window_height = 0;
  std::string title;
  std::vector<FakeControl *> controls;
  // Events waiting: a key (Ctrl+Q) or a command, delivered one per poll.
  std::deque<EngUInt32> waiting;
  const EngUInt32 kCtrlQ = 0xFFFFFFFF;

  ~FakePlatform() override {
    for (FakeControl *c : controls) delete c;
  }
  char CreateWindow(SWin *swin, int, int, int width, int height, void **window) override {
    owner = swin;
    windows++;
    window_width = width;
    window_height = height;
    *window = this;
    return 1;
  }
  void DestroyWindow(void *) override { windows--; }
  void SetTitle(void *, const char *text) override { title = text; }
  void ShowWindow(void *) override {}
  void SetDefaultButton(void *, void *) override {}
  void *CreateControl(void *, _SWinButtonType kind, int x, int y, int width, int height) override {
    auto *control = new FakeControl();
    control->kind = kind;
    control->x = x;
    control->y = y;
    control->width = width;
    control->height = height;
    controls.push_back(control);
    return control;
  }
  void SetCommandID(void *control, EngUInt32 command) override { Of(control)->command = command; }
  void SetText(void *control, _SWinButtonType, const char *text) override { Of(control)->text = text; }
  int GetText(void *control, char *buffer, int size) override {
    // Copies as much as asked, as a careless platform would: the caller must end it.
    memcpy(buffer, Of(control)->text.c_str(), size_t(std::min<size_t>(size_t(size), Of(control)->text.size())));
    return 1;
  }
  int SetAlignment(void *, _SWinTextAlign) override { return 0; }
  void Enable(void *control, char on) override { Of(control)->enabled = on; }
  void Show(void *, char) override {}
  void Place(void *control, int x, int y, int width, int height) override {
    FakeControl *c = Of(control);
    c->x = x;
    c->y = y;
    c->width = width;
    c->height = height;
  }
  char HasMenu(void *control) override { return Of(control)->kind == SWIN_LIST; }
  void ResetMenu(void *control) override { Of(control)->items.clear(); }
  void AddMenuItem(void *control, const char *text) override { Of(control)->items.push_back(text); }
  void SelectMenuItem(void *control, int selection) override { Of(control)->selected = selection; }
  int GetMenuSelection(void *control) override { return Of(control)->selected; }
  void SyncMenu(void *) override {}
  char SetPicture(void *, const char *) override { return 1; }
  void RunLoop(void *) override {
    runs++;
    while (!waiting.empty() && ProcessOneEvent(this)) {
    }
  }
  void QuitLoop(void *) override { quits++; }
  char ProcessOneEvent(void *) override {
    if (waiting.empty()) return 0;
    EngUInt32 event = waiting.front();
    waiting.pop_front();
    if (event == kCtrlQ)
      owner->OnKeyDown('q', 1);
    else
      SWin::MacEventsHandler(nullptr, event, owner);
    return 1;
  }
  static FakeControl *Of(void *control) { return static_cast<FakeControl *>(control); }
};

struct Calls {
  std::vector<std::string> log;
} calls;

void OnPush(SWin *) { calls.log.push_back("push"); }
void OnList(SWin *, int selection) { calls.log.push_back("list " + std::to_string(selection)); }
void OnChoice(SWin *, char selection) { calls.log.push_back("choice " + std::to_string(int(selection))); }

class SWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    calls = Calls();
    SWin::SetPlatformForTests(&m_platform);
    _SWinCreateInfo info = {};
    info.x = -1;
    info.y = -1;
    info.width = 650;
    info.height = 580;
    ASSERT_EQ(m_swin.CreateMainWindow(&info), 1);
  }
  void TearDown() override {
    if (m_swin.IsCreated()) m_swin.DestroyMainWindow();
    SWin::SetPlatformForTests(nullptr);
    DebugResetForTests();
  }
  static bool LogHas(const std::string &text) {
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++)
      if (std::string(DebugGetMessage(i)->text).find(text) != std::string::npos) return true;
    return false;
  }
  int AddList(int n) {
    static char strings[3][SWIN_STRING_SIZE] = {"One", "Two", "Three"};
    return m_swin.AddListButtonToWindow(10, 10, 100, 20, n, strings, OnList);
  }

  FakePlatform m_platform;
  SWin m_swin;
};

TEST_F(SWinTest, TheWindowLeavesOutItsTitleBarAndCarriesTheProgramsName) {
  int width = 0, height = 0;
  EXPECT_EQ(m_swin.GetSize(&width, &height), 1);
  EXPECT_EQ(width, 650);
  EXPECT_EQ(height, 550);
  EXPECT_EQ(m_platform.title, "Quarrelwick");
  _SWinCreateInfo info = {};
  EXPECT_EQ(m_swin.CreateMainWindow(&info), 0);
  EXPECT_TRUE(LogHas("Window already created"));
  EXPECT_EQ(m_swin.CreateMainWindow(nullptr), 0);
  EXPECT_TRUE(LogHas("No info specified"));
}

TEST_F(SWinTest, TwentyFourControlsAtMostAndGroupFramesAddNothing) {
  EXPECT_EQ(m_swin.AddGroupFrameToWindow(0, 0, 100, 100, "Frame"), 0);
  EXPECT_EQ(m_swin.GetNumButtons(), 0);
  for (int i = 0; i < SWIN_MAX_BUTTONS; i++) {
    EXPECT_EQ(m_swin.AddButtonToWindow(SWIN_STATIC_TEXT, 0, i * 20, 100, 20, "t"), i);
    EXPECT_EQ(m_platform.controls.back()->command, SWIN_COMMAND_BASE + EngUInt32(i));
  }
  EXPECT_EQ(m_swin.AddButtonToWindow(SWIN_PUSH_BUTTON, 0, 0, 100, 20, "one too many"), -1);
  EXPECT_TRUE(LogHas("Too many buttons"));
  EXPECT_EQ(m_swin.GetNumButtons(), SWIN_MAX_BUTTONS);
  EXPECT_EQ(m_platform.controls.size(), size_t(SWIN_MAX_BUTTONS));
}

TEST_F(SWinTest, ControlsArePlacedInsideTheWindow) {
  struct Case {
    int x, y, width, height;
    int want_x, want_y, want_width, want_height;
  };
  const Case cases[] = {
      {100, 10, 700, 30, 0, 10, 650, 30},     // too wide: the window's width at x 0
      {-1, 10, 100, 30, 275, 10, 100, 30},    // centred
      {600, 10, 100, 30, 550, 10, 100, 30},   // pushed back inside
      {10, -1, 100, 50, 10, 250, 100, 50},    // centred down
      {10, 540, 100, 50, 10, 500, 100, 50},   // pushed up inside
      {10, 10, 100, 900, 10, 0, 100, 550},    // too tall
  };
  for (const Case &c : cases) {
    int index = m_swin.AddButtonToWindow(SWIN_PUSH_BUTTON, c.x, c.y, c.width, c.height, "b");
    ASSERT_GE(index, 0);
    int x, y, width, height;
    m_swin.GetButtonPos(index, &x, &y, &width, &height);
    EXPECT_EQ(x, c.want_x) << c.x;
    EXPECT_EQ(y, c.want_y) << c.y;
    EXPECT_EQ(width, c.want_width);
    EXPECT_EQ(height, c.want_height);
  }
  // A static text's frame sits 3 pixels lower than its place.
  int text = m_swin.AddButtonToWindow(SWIN_STATIC_TEXT, 10, 20, 100, 20, "t");
  EXPECT_EQ(m_platform.controls.back()->y, 23);
  m_swin.MoveButton(text, -1, 40, -1, -1);
  EXPECT_EQ(m_platform.controls.back()->y, 43);
  EXPECT_EQ(m_platform.controls.back()->x, 10);
}

TEST_F(SWinTest, CommandsReachTheirControlAndOthersArePassedOn) {
  int push = m_swin.AddPushButtonToWindow(10, 10, 100, 30, "Ok", OnPush);
  ASSERT_EQ(push, 0);
  EXPECT_EQ(SWin::MacEventsHandler(nullptr, SWIN_COMMAND_BASE + 0, &m_swin), 0);
  EXPECT_EQ(calls.log, std::vector<std::string>{"push"});
  EXPECT_EQ(SWin::MacEventsHandler(nullptr, SWIN_COMMAND_BASE + 1, &m_swin), SWIN_NOT_HANDLED);
  EXPECT_EQ(SWin::MacEventsHandler(nullptr, SWIN_COMMAND_BASE + 24, &m_swin), SWIN_NOT_HANDLED);
  EXPECT_EQ(SWin::MacEventsHandler(nullptr, EngFourCC("quit"), &m_swin), SWIN_NOT_HANDLED);
  EXPECT_EQ(SWin::MacEventsHandler(nullptr, SWIN_COMMAND_BASE, nullptr), -1);
  EXPECT_EQ(calls.log.size(), 1u);
}

TEST_F(SWinTest, ListSelectionsAndTheirCallbacks) {
  int list = AddList(3);
  ASSERT_EQ(list, 0);
  EXPECT_TRUE(calls.log.empty());  // setting the strings runs no callback
  EXPECT_EQ(m_platform.controls[0]->items, (std::vector<std::string>{"One", "Two", "Three"}));
  EXPECT_EQ(m_platform.controls[0]->selected, 0);
  EXPECT_EQ(m_swin.ListGetSel(list), 0);
  m_swin.ListSetCharCallback(list, OnChoice);
  m_swin.ListSetSel(list, 2);
  m_swin.ListSetSel(list, 2);
  EXPECT_EQ(calls.log, (std::vector<std::string>{"list 2", "choice 2", "list 2", "choice 2"}));
  calls = Calls();
  char strings[1][SWIN_STRING_SIZE] = {"Only"};
  EXPECT_EQ(m_swin.ListSetStrs(list, 1, strings), 1);
  EXPECT_TRUE(calls.log.empty());
  EXPECT_EQ(m_swin.ListGetSel(list), 2);  // the stored selection stays

  // A person's choice is read back from the control and mirrored into the variables.
  int int_var = 1;
  char char_var = 0;
  m_swin.ListRegisterIntVariable(list, &int_var);
  m_swin.ListRegisterCharVariable(list, &char_var);
  calls = Calls();
  m_platform.controls[0]->selected = 1;
  SWin::MacEventsHandler(nullptr, SWIN_COMMAND_BASE, &m_swin);
  EXPECT_EQ(int_var, 1);
  EXPECT_EQ(char_var, 1);
  EXPECT_EQ(calls.log, (std::vector<std::string>{"list 1", "choice 1"}));

  m_swin.ListSetSel(list, 200);
  EXPECT_EQ(m_swin.ChoiceGetSel(list), -56);
  EXPECT_EQ(m_swin.ListSetStrs(list, 0, strings), 0);
  EXPECT_TRUE(LogHas("No entries"));
  EXPECT_EQ(m_swin.ListSetStrs(list, 1, nullptr), 0);
  EXPECT_TRUE(LogHas("No strings"));
  EXPECT_EQ(m_swin.ListRegisterIntVariable(list, nullptr), 0);
}

TEST_F(SWinTest, AChoiceIsAListAndKindsAreChecked) {
  char strings[2][SWIN_STRING_SIZE] = {"A", "B"};
  int choice = m_swin.AddChoiceButtonToWindow(10, 10, 100, 20, 2, strings, OnChoice);
  int push = m_swin.AddPushButtonToWindow(10, 40, 100, 30, "Ok", OnPush);
  ASSERT_EQ(choice, 0);
  EXPECT_EQ(m_platform.controls[0]->kind, SWIN_LIST);
  EXPECT_EQ(m_swin.ListGetSel(push), -1);
  EXPECT_EQ(m_swin.ListSetSel(push, 0), 0);
  EXPECT_TRUE(LogHas("Not a list button"));
  EXPECT_EQ(m_swin.PushButtonSetCallback(choice, OnPush), 0);
  EXPECT_TRUE(LogHas("Not a push button"));
  EXPECT_EQ(m_swin.SetButtonText(choice, "x"), 0);
  EXPECT_TRUE(LogHas("Only supported for push button,static and edit text buttons"));
  char buffer[8];
  EXPECT_EQ(m_swin.GetButtonText(push, buffer, sizeof(buffer)), 0);
  EXPECT_TRUE(LogHas("Only supported for Edit buttons"));
  EXPECT_EQ(m_swin.AddButtonToWindow(_SWinButtonType(5), 0, 0, 10, 10, ""), -1);
  EXPECT_TRUE(LogHas("Unknown button type 5"));
  EXPECT_EQ(m_swin.ListGetSel(7), -1);  // no such control
}

TEST_F(SWinTest, GetButtonTextAlwaysEndsInsideTheBuffer) {
  int edit = m_swin.AddButtonToWindow(SWIN_EDIT_TEXT, 10, 10, 200, 25, "abcdefghijklmnopqrst");
  char buffer[8];
  memset(buffer, 'Z', sizeof(buffer));
  EXPECT_EQ(m_swin.GetButtonText(edit, buffer, sizeof(buffer)), 1);
  EXPECT_EQ(strlen(buffer), 7u);
  EXPECT_EQ(m_swin.GetButtonText(edit, buffer, 0), 0);
}

TEST_F(SWinTest, AfterCtrlQEveryPollReturnsZero) {
  m_swin.AddPushButtonToWindow(10, 10, 100, 30, "Ok", OnPush);
  EXPECT_EQ(m_swin.ProcessAnyWindowsMessages(), 1);  // nothing waiting
  m_platform.waiting.push_back(SWIN_COMMAND_BASE);
  EXPECT_EQ(m_swin.ProcessAnyWindowsMessages(), 2);
  EXPECT_EQ(calls.log, std::vector<std::string>{"push"});
  m_platform.waiting.push_back(m_platform.kCtrlQ);
  m_platform.waiting.push_back(SWIN_COMMAND_BASE);
  EXPECT_EQ(m_swin.ProcessAnyWindowsMessages(), 0);
  EXPECT_EQ(m_swin.ProcessAnyWindowsMessages(), 0);
  EXPECT_EQ(m_platform.waiting.size(), 1u);  // nothing more is taken
  EXPECT_EQ(calls.log.size(), 1u);

  // A new window starts afresh.
  m_swin.DestroyMainWindow();
  EXPECT_EQ(m_swin.ProcessAnyWindowsMessages(), 0);
  EXPECT_TRUE(LogHas("No window"));
  _SWinCreateInfo info = {};
  info.width = 300;
  info.height = 200;
  ASSERT_EQ(m_swin.CreateMainWindow(&info), 1);
  EXPECT_EQ(m_swin.GetNumButtons(), 0);
  m_platform.waiting.clear();
  EXPECT_EQ(m_swin.ProcessAnyWindowsMessages(), 1);
}

TEST_F(SWinTest, TheBlockingLoopEndsThroughQuit) {
  m_platform.waiting.push_back(m_platform.kCtrlQ);
  EXPECT_EQ(m_swin.RunWindowLoop(), 1);
  EXPECT_EQ(m_platform.runs, 1);
  EXPECT_EQ(m_platform.quits, 1);
  EXPECT_EQ(m_swin.ProcessAnyWindowsMessages(), 0);
}

TEST_F(SWinTest, FontScaleGrowsControlsAndMovesThemFromTheCentre) {
  m_swin.SetFontScale(2);
  int index = m_swin.AddButtonToWindow(SWIN_PUSH_BUTTON, 10, 20, 50, 30, "b");
  int x, y, width, height;
  m_swin.GetButtonPos(index, &x, &y, &width, &height);
  EXPECT_EQ(x, 20);
  EXPECT_EQ(y, 40);
  EXPECT_EQ(width, 100);
  EXPECT_EQ(height, 60);
  _Dimension d = {100, -1, 10, 10};
  m_swin.AdjustSizeForFontScale(nullptr, &d, 400, 300, 0);
  EXPECT_FLOAT_EQ(d.x, 0);  // 200 - (200 - 100) x 2
  EXPECT_FLOAT_EQ(d.y, -1);
  EXPECT_FLOAT_EQ(d.width, 20);
}

}  // namespace
