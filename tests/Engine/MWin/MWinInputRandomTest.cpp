// Random input through the toolkit's entry points: a screen with one widget of every kind, popups
// of every kind, and callbacks (widget, controller, popup, hover sound, key hook) that remove
// widgets, windows and collections, change screens, resize and re-create the device. Under the
// sanitizer build any touch of freed memory stops the run; each seed is printed before it runs
// and QW_RANDOM_INPUT_SEED=<n> replays one seed (QW_RANDOM_INPUT_EVENTS sets the length).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Engine/EngMain.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinCheckbox.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinCollectionController.h"
#include "Engine/MWin/MWinColour.h"
#include "Engine/MWin/MWinFrameButton.h"
#include "Engine/MWin/MWinGraph.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinList.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinScriptButton.h"
#include "Engine/MWin/MWinTabPanel.h"
#include "Engine/MWin/MWinTextEdit.h"
#include "Engine/MWin/MWinVertScrollbar.h"
#include "tests/Engine/MWin/MWinWidgetTestSupport.h"

namespace qwtest {
namespace {

const char *kWords[] = {"Alder", "Birch", "Cedar", "Damson", "Elm", "Fir", "Gorse", "Hazel"};
const char *kScript = "<1<Tower>2>Shoots bugs\n<1<Range>2>Three tiles\nLine four\nLine five\nLine six\nLine seven\n";

class RandomScreen;
RandomScreen *current = nullptr;

class Controller : public MWinCollectionController {
 public:
  char CreateCollection(MWin *) override { return 1; }
  void RemoveVars() override {}
  void StartingCB(void *) override {}
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;
};

class RandomScreen {
 public:
  RandomScreen(MWin *mwin, unsigned seed) : m_mwin(mwin), m_rng(seed) {}

  unsigned Pick(unsigned n) { return n ? unsigned(m_rng() % n) : 0; }
  char Chance(unsigned percent) { return Pick(100) < percent ? 1 : 0; }
  float Uniform(float lo, float hi) { return lo + (hi - lo) * float(m_rng() % 10001) / 10000.0f; }

  MWinDesktop *Desktop() { return m_mwin->GetDesktop(); }

  // As the screen manager builds a screen: inside an entry scope, so that a hover callback run
  // while a window is added cannot free it under the builder.
  void Build() {
    MWinEntryScope scope(m_mwin);
    m_builds++;
    if (Desktop()->GetCollectionFromID("SCREEN", 0)) Desktop()->RemoveCollection("SCREEN");
    if (Desktop()->GetCollectionFromID("SIDE", 0)) Desktop()->RemoveCollection("SIDE");
    MWinCollection *c = Desktop()->AddCollection("SCREEN");
    if (!c) return;
    c->SetKeyDownHook(
        [](int key, void *) -> char {
          if (current && key == 'K') return current->Act(nullptr, "hook");
          return 0;
        },
        nullptr);
    BuildMain(c);
    BuildTools(c);
    if (Chance(50)) {
      MWinCollection *side = Desktop()->AddCollection("SIDE");
      _MWinWindowCreateInfo info = Info(440, 340, 200, 140, 1);
      MWinWindow *w = side ? side->AddWindow("NOTE", &info) : nullptr;
      if (w) {
        AddPush(w, "SideA", 10, 10);
        AddPush(w, "SideB", 10, 50);
        side->SetOverallAreaToSizeOfFirstWindow();
      }
    }
  }

  _MWinWindowCreateInfo Info(float x, float y, float w, float h, char title) {
    _MWinWindowCreateInfo info;
    memset(&info, 0, sizeof(info));
    info.x = x;
    info.y = y;
    info.width = w;
    info.height = h;
    info.has_title_bar = title;
    info.has_hide_button = title;
    info.has_extra_button = title;
    info.move_mode = title ? 1 : 0;
    MWinCopyID(info.back_texbut, "MWIN_TEXBUT_DEFAULT");
    MWinCopyID(info.title_texbut, "MWIN_TEXBUT_DEFAULT");
    MWinCopyID(info.title_font, "MWIN_FONT_DEFAULT");
    snprintf(info.title_text, sizeof(info.title_text), "Window");
    return info;
  }

  static void Callback(MWin *, _MWinButtonCallbackInfo *info, int, int) {
    if (current) current->Act(info ? info->button : nullptr, "widget");
  }

  MWinButton *AddPush(MWinWindow *w, const char *id, float x, float y) {
    MWinButton *b = w->AddButton(id, MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", id, x, y, 110, 30);
    if (b && !w->GetController(0)) b->SetCallback(Callback, 0, 0, 0);
    return b;
  }

  void Hook(MWinButton *b) {
    if (b) b->SetCallback(Callback, 0, 0, 0);
  }

  void BuildMain(MWinCollection *c) {
    _MWinWindowCreateInfo info = Info(0, 40, 420, 430, 1);
    MWinWindow *w = c->AddWindow("MAIN", &info);
    if (!w) return;
    w->SetHideButtonPlainCallback([](void *) { current && current->Act(nullptr, "hide"); }, nullptr);
    w->SetExtraButtonPlainCallback([](void *) { current && current->Act(nullptr, "extra"); }, nullptr);
    w->SetEmptyPressCB([](MWinWindow *, void *) -> char { return current ? current->Act(nullptr, "empty") : 0; },
                       nullptr);
    MWinGroup *g = w->GetFirstGroup();
    MWinButton *ok = AddPush(w, "Ok", 10, 10);
    MWinButton *cancel = AddPush(w, "Cancel", 130, 10);
    if (ok) ok->SetDefaultButtonForParentWindow();
    if (cancel) cancel->SetEscapeButtonForParentWindow();
    Hook(w->AddButton("Label", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_DEFAULT", "Label", 250, 10, 110, 30));
    auto *edit = dynamic_cast<MWinTextEdit *>(
        w->AddButton("Name", MWIN_BUTTON_TEXT_EDIT, "MWIN_TEXBUT_DEFAULT", nullptr, 10, 50, 150, 24));
    if (edit) {
      edit->TextEditSetLength(24);
      if (Chance(50)) edit->TextEditCallCallbackForEachKeyPress();
      Hook(edit);
    }
    auto *number = dynamic_cast<MWinTextEdit *>(
        w->AddButton("Number", MWIN_BUTTON_TEXT_EDIT, "MWIN_TEXBUT_DEFAULT", nullptr, 170, 50, 80, 24));
    if (number) {
      number->TextEditSetLength(6);
      number->TextEditSetType(MWIN_TEXTEDIT_NUMBER);
      Hook(number);
    }
    Hook(w->AddButton("Check", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_DEFAULT", "Check", 260, 50, 120, 24));
    if (MWinChoice *choice =
            MWinChoice::From(w->AddButton("Choice", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", nullptr, 10, 84,
                                          150, 24))) {
      choice->ChoiceSetStrings(4, kWords);
      Hook(choice);
    }
    if (MWinList *list = MWinList::From(
            w->AddButton("List", MWIN_BUTTON_LIST, "MWIN_TEXBUT_DEFAULT", nullptr, 170, 84, 150, 24))) {
      list->ListSetStrings(8, kWords);
      Hook(list);
    }
    if (auto *panel = dynamic_cast<MWinPanel *>(
            w->AddButton("Panel", MWIN_BUTTON_PANEL, "MWIN_TEXBUT_DEFAULT", nullptr, 10, 120, 150, 90))) {
      panel->PanelSetStrings(8, 3, kWords);
      Hook(panel);
    }
    if (MWinHorzScrollbar *h = g->AddHorzScrollbar("HBar", "MWIN_TEXBUT_DEFAULT", nullptr, 170, 120, 150, 20)) {
      h->SetValues(0, 20, 4, 1);
      Hook(h);
    }
    if (MWinVertScrollbar *v = g->AddVertScrollbar("VBar", "MWIN_TEXBUT_DEFAULT", nullptr, 330, 120, 20, 120)) {
      v->SetValues(0, 20, 4, 1);
      Hook(v);
    }
    if (MWinButton *range =
            w->AddButton("Range", MWIN_BUTTON_RANGE, "MWIN_TEXBUT_DEFAULT", nullptr, 170, 150, 150, 20)) {
      range->RangeSetLimits(0, 10, 1);
      Hook(range);
    }
    if (MWinButton *pie = w->AddButton("Pie", MWIN_BUTTON_PIE, "MWIN_TEXBUT_DEFAULT", nullptr, 360, 120, 40, 40)) {
      pie->PieSetValuesFloat(3, 10);
      Hook(pie);
    }
    Hook(g->AddGraph("Graph", "MWIN_TEXBUT_DEFAULT", 170, 180, 150, 40));
    Hook(g->AddColour("Colour", "MWIN_TEXBUT_NONE", nullptr, 10, 220, 150, 64));
    if (MWinScriptButton *script = g->AddScriptButton("Script", "MWIN_TEXBUT_DEFAULT", 170, 230, 150, 60)) {
      script->SetTextPointer(kScript);
      Hook(script);
    }
    auto *tab = new MWinTabPanel(m_mwin, "Table", g, "MWIN_TEXBUT_DEFAULT", 10, 300, 200, 100);
    g->CompleteAddButton(tab);
    tab->SetEntryCallback(12, 2, 4, [](int row, int column, MWinTabPanel *) { return kWords[(row + column) % 8]; });
    Hook(tab);
    if (MWinFrameButton *frame = g->AddFrameButton("Frame", "MWIN_TEXBUT_DEFAULT", "Frame", 220, 300, 180, 100)) {
      frame->AddCloseButton(Callback, 1);
    }
    if (Chance(50)) {
      w->CreateNewGroup();
      MWinGroup *second = w->GetNthGroup(1);
      if (second) Hook(second->AddButton("Over", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Over", 300, 30, 100, 40));
    }
  }

  void BuildTools(MWinCollection *c) {
    _MWinWindowCreateInfo info = Info(430, 40, 200, 280, 1);
    info.move_mode = 2;
    MWinWindow *w = c->AddWindow("TOOLS", &info);
    if (!w) return;
    w->SetController(&m_controller);
    w->AddButton("Tool1", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "One", 10, 10, 120, 30);
    w->AddButton("Tool2", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Two", 10, 50, 120, 30);
    auto *edit = dynamic_cast<MWinTextEdit *>(
        w->AddButton("ToolEdit", MWIN_BUTTON_TEXT_EDIT, "MWIN_TEXBUT_DEFAULT", nullptr, 10, 90, 150, 24));
    if (edit) edit->TextEditSetLength(10);
    w->AddButton("ToolCheck", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_DEFAULT", "Tick", 10, 120, 120, 24);
    if (MWinVertScrollbar *v =
            w->GetFirstGroup()->AddVertScrollbar("ToolBar", "MWIN_TEXBUT_DEFAULT", nullptr, 170, 10, 20, 200))
      v->SetValues(0, 5, 1, 1);
    if (Chance(50)) w->SetExtraSize(0, 300);
  }

  // Every live window and widget, found afresh each time.
  std::vector<MWinWindow *> Windows() {
    std::vector<MWinWindow *> out;
    for (MWinCollection *c = Desktop()->GetFirstCollection(); c; c = c->m_next)
      for (MWinWindow *w = c->GetFirstWindow(c->GetScreenLayout()); w; w = w->m_next) out.push_back(w);
    return out;
  }
  std::vector<MWinButton *> Buttons() {
    std::vector<MWinButton *> out;
    for (MWinWindow *w : Windows()) {
      if (w->GetHideButton()) out.push_back(w->GetHideButton());
      if (w->GetExtraButton()) out.push_back(w->GetExtraButton());
      for (MWinGroup *g = w->GetFirstGroup(); g; g = g->m_next)
        for (MWinButton *b = g->m_first; b; b = b->m_next) out.push_back(b);
    }
    return out;
  }
  static char InGroups(MWinWindow *w, MWinButton *button) {
    for (MWinGroup *g = w->GetFirstGroup(); g; g = g->m_next)
      for (MWinButton *b = g->m_first; b; b = b->m_next)
        if (b == button) return 1;
    return 0;
  }

  void OpenPopup() {
    static char buffer[32];
    static int chosen = 0;
    static int *chosen_p = &chosen;
    MWIN_POPUP_CALLBACK cb = [](MWin *, char, void *) {
      if (current) current->Act(nullptr, "popup");
    };
    switch (Pick(10)) {
      case 0: m_mwin->PopupMessage("Note", "A message", cb, nullptr); break;
      case 1: m_mwin->PopupErrorMessage("Error", "An error", cb, nullptr); break;
      case 2: m_mwin->PopupOkCancel("Sure?", "Go on?", cb, nullptr); break;
      case 3: m_mwin->PopupYesNo("Sure?", "Yes or no", cb, nullptr); break;
      case 4: m_mwin->PopupYesNoCancel("Sure?", "Three ways", cb, nullptr); break;
      case 5: m_mwin->PopupYesNoCancelExtra("Sure?", "Four ways", cb, nullptr); break;
      case 6:
        snprintf(buffer, sizeof(buffer), "typed");
        m_mwin->PopupGetText("Name", "Your name", buffer, sizeof(buffer), cb, nullptr);
        break;
      case 7:
        m_mwin->PopupPanel("Pick", nullptr, 8, 3, 200, 90, [](int entry, MWinButton *, void *) { return kWords[entry % 8]; },
                           MWIN_POPUP_OK, &chosen_p,
                           [](MWin *, int, void *) {
                             if (current && current->Chance(20)) current->Act(nullptr, "select");
                           },
                           cb, nullptr);
        break;
      case 8:
        m_mwin->PopupScript("Read", "Read this", kScript, "MWIN_TEXBUT_NONE", 200, 100, MWIN_POPUP_OK,
                            MWIN_POPUP_CANCEL, 0, cb, nullptr);
        break;
      default: m_mwin->PopupNoticeForTime("Notice", "Goes by itself", 0.5, 0); break;
    }
  }

  // What a callback does: usually nothing, sometimes something that removes what called it.
  char Act(MWinButton *from, const char *where) {
    (void)where;
    if (m_depth > 3) return 1;
    m_depth++;
    m_callbacks++;
    MWinWindow *window = from ? from->GetWindow() : nullptr;
    std::vector<MWinWindow *> windows = Windows();
    if (!window && !windows.empty()) window = windows[Pick(unsigned(windows.size()))];
    unsigned what = Pick(30);
    if (what <= 8 || what == 14) m_removals++;
    switch (what) {
      case 0:
      case 1:
        if (from && window && InGroups(window, from)) window->RemoveButton(from);
        break;
      case 2:
      case 3:
        if (window && window->GetCollection()) window->GetCollection()->RemoveWindow(window);
        break;
      case 4:
        if (window && window->GetCollection()) Desktop()->RemoveCollection(window->GetCollection()->GetID());
        break;
      case 5:
      case 6: Build(); break;
      case 7:
        if (!m_mwin->PopupIsOn()) OpenPopup();
        break;
      case 8:
        if (window) window->RemoveAllButtons();
        break;
      case 9:
        if (window) window->Show(Chance(50));
        break;
      case 10:
        if (from) Chance(50) ? from->Hide() : from->Disable();
        break;
      case 11: m_mwin->ButtonsChanged(); break;
      case 12:
        if (m_mwin->PopupIsOn()) Chance(50) ? m_mwin->PopupTurnOffAndCallOkCB() : m_mwin->PopupTurnOff();
        break;
      case 13:
        if (window && window->GetCollection()) {
          _MWinWindowCreateInfo info = Info(150, 150, 220, 140, 1);
          info.window_type = MWIN_WINDOW_MODAL;
          MWinWindow *modal = window->GetCollection()->AddWindow("MODAL", &info);
          if (modal) AddPush(modal, "ModalOk", 20, 20);
        }
        break;
      case 14: Desktop()->RemoveAllCollections(); break;
      default: break;
    }
    m_depth--;
    return 1;
  }

  // One event through an entry point.
  void Step() {
    float x = 0, y = 0;
    m_mwin->GetMousePos(&x, &y);
    unsigned roll = Pick(100);
    if (roll < 25) {
      std::vector<MWinButton *> buttons = Buttons();
      if (!buttons.empty()) {
        const _Dimension *a = buttons[Pick(unsigned(buttons.size()))]->GetActualArea();
        MoveTo(a->x + Uniform(0, a->width), a->y + Uniform(0, a->height));
      }
    } else if (roll < 35) {
      MoveTo(Uniform(-20, 660), Uniform(-20, 500));
    } else if (roll < 50) {
      m_mwin->ButtonPressed(Chance(90) ? 0 : 1, char(Pick(2)), 0);
    } else if (roll < 53) {
      m_mwin->ButtonDoubleClicked(0);
    } else if (roll < 60) {
      m_mwin->MouseWheelMoved(int(Pick(7)) - 3);
    } else if (roll < 74) {
      static const int keys[] = {9, 9, 13, 27, 32, 8, 127, 244, 245, 246, 247, 248, 249, 250, 251, 'A', 'K', 'V'};
      int key = keys[Pick(sizeof(keys) / sizeof(keys[0]))];
      eng_key_down[228] = Chance(20) ? 2 : 0;
      eng_key_down[key] = 2;
      m_mwin->KeyDown(key);
      eng_key_down[228] = 0;
    } else if (roll < 77) {
      m_mwin->KeyUp(int(Pick(256)));
    } else if (roll < 86) {
      m_mwin->KeyDownUChar((unsigned char)(Chance(90) ? 32 + Pick(95) : 160 + Pick(96)));
    } else if (roll < 88) {
      // Ctrl+V or Ctrl+C as the platform layer delivers them.
      eng_key_down[231] = 2;
      m_mwin->KeyDownUChar(Chance(50) ? 'v' : 'c');
      eng_key_down[231] = 0;
    } else if (roll < 96) {
      eng_main_current_time = eng_main_current_time + 0.05;
      m_mwin->Tick2();
    } else if (roll < 97) {
      static const int sizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 720}};
      const int *s = sizes[Pick(4)];
      SetWindowSizeForToolkit(s[0], s[1], float(s[0]) / float(s[1]) / (640.0f / 480.0f));
      m_mwin->ButtonsChanged();
    } else if (roll < 98) {
      m_mwin->DestroyGraphicsObjects();
      m_mwin->CreateGraphicsObjects();
    } else if (roll < 99) {
      m_mwin->CancelMouseButtonDown();
    } else {
      Build();
    }
    if (!Desktop()->GetFirstCollection()) Build();
  }

  void MoveTo(float x, float y) {
    m_cursor_x = x;
    m_cursor_y = y;
    m_mwin->MoveMouse(x, y);
  }

  // What must hold between events.
  void Check(const char *when) {
    ASSERT_EQ(m_mwin->GetNumDiscarded(), 0) << when;
    ASSERT_FALSE(m_mwin->IsInsideEntryPoint()) << when;
    for (MWinWindow *w : Windows()) {
      ASSERT_FALSE(w->IsGone()) << when;
      for (MWinButton *b : {w->GetDefaultButton(), w->GetEscapeButton()})
        if (b) {
          ASSERT_TRUE(InGroups(w, b)) << when << ": a default or escape button that is not in its window";
        }
    }
    for (MWinButton *b : Buttons()) ASSERT_FALSE(b->IsGone()) << when;
  }

  MWin *m_mwin;
  std::mt19937 m_rng;
  Controller m_controller;
  int m_builds = 0;
  int m_callbacks = 0;
  int m_removals = 0;
  int m_depth = 0;
  float m_cursor_x = 0, m_cursor_y = 0;
};

char Controller::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *) {
  return current ? current->Act(button, "controller") : 0;
}

class MWinInputRandomTest : public MWinProgramTest {
 protected:
  void TearDown() override {
    current = nullptr;
    memset(eng_key_down, 0, sizeof(eng_key_down));
    MWinProgramTest::TearDown();
    SetWindowSizeForToolkit(640, 480);
  }
};

TEST_F(MWinInputRandomTest, RandomEventsOnEveryWidgetAndPopupFindNothing) {
  // About fifteen seconds in the sanitizer build.
  std::vector<unsigned> seeds = {1, 2, 3, 4, 5, 6};
  int events = 40000;
  if (const char *s = getenv("QW_RANDOM_INPUT_SEED")) seeds = {unsigned(strtoul(s, nullptr, 10))};
  if (const char *n = getenv("QW_RANDOM_INPUT_EVENTS")) events = atoi(n);
  for (unsigned seed : seeds) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    // Printed first, so that a sanitizer's report follows the seed to replay.
    fprintf(stderr, "random input: seed %u (replay with QW_RANDOM_INPUT_SEED=%u)\n", seed, seed);
    RandomScreen screen(mwin, seed);
    current = &screen;
    mwin->SetSoundPlayCallback(
        [](_MWinSoundEvent e, void *) {
          if (current && e == MWIN_SOUND_ONTO_BUTTON && current->Chance(3)) current->Act(nullptr, "sound");
        },
        nullptr);
    mwin->SetGetCursorPosCB(
        [](int *x, int *y, void *, void *) {
          *x = current ? int(current->m_cursor_x) : 0;
          *y = current ? int(current->m_cursor_y) : 0;
        },
        nullptr, nullptr);
    screen.Build();
    for (int i = 0; i < events; i++) {
      screen.Step();
      screen.Check(("event " + std::to_string(i)).c_str());
      if (HasFatalFailure()) return;
    }
    if (mwin->PopupIsOn()) mwin->PopupTurnOff();
    Desktop()->RemoveAllCollections();
    current = nullptr;
    mwin->SetSoundPlayCallback(nullptr, nullptr);
    mwin->SetGetCursorPosCB(nullptr, nullptr, nullptr);
    fprintf(stderr, "random input: seed %u: %d events, %d callbacks, %d removing, %d screens built\n", seed, events,
            screen.m_callbacks, screen.m_removals, screen.m_builds);
    EXPECT_GT(screen.m_builds, 1) << "the screen was changed from inside callbacks";
  }
}

}  // namespace
}  // namespace qwtest
