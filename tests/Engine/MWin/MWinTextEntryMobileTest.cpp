#include "Engine/MWin/MWinTextEntryMobile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/MWin/MWinProgramTestSupport.h"

namespace qwtest {
namespace {

// A key-input layout as the screens build it: the window and its named widgets.
class TestKeyInputLayout : public MWinKeyInputLayout {
 public:
  char CreateCollection(MWin *) override { return 1; }
  void RemoveVars() override {}
  void StartingCB(void *) override {}
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *, _MWinButtonCallbackInfo *) override { return 0; }
  MWinWindow *AddMainWinWindowToCollectionIPhonePortrait(MWinCollection *c) override { return Build(c); }
  MWinWindow *AddMainWinWindowToCollectionIPhoneLandscape(MWinCollection *c) override { return Build(c); }
  MWinWindow *AddMainWinWindowToCollectionIPadPortrait(MWinCollection *c) override { return Build(c); }
  MWinWindow *AddMainWinWindowToCollectionIPadLandscape(MWinCollection *c) override { return Build(c); }

  static MWinWindow *Build(MWinCollection *c) {
    _MWinWindowCreateInfo info;
    memset(&info, 0, sizeof(info));
    info.width = 640;
    info.height = 480;
    MWinWindow *w = c->AddWindow("MainWin", &info);
    if (!w) return nullptr;
    mwinKeyInputMainWinWindow = w;
    auto add = [&](const char *id, float x, float y, float width, float height) {
      return w->AddButton(id, MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "", x, y, width, height);
    };
    mwinKeyInputMainWinBgButton = add("Bg", 0, 0, 640, 480);
    mwinKeyInputMainWinTitleButton = add("Title", 20, 10, 600, 30);
    mwinKeyInputMainWinMessageButton = add("Message", 20, 50, 600, 30);
    mwinKeyInputMainWinTextButton = add("Text", 20, 90, 600, 40);
    mwinKeyInputMainWinKeysBackButton = add("KeysBack", 20, 140, 600, 280);
    mwinKeyInputMainWinDoneButton = add("Done", 20, 430, 100, 40);
    mwinKeyInputMainWinShiftButton = add("Shift", 200, 430, 100, 40);
    mwinKeyInputMainWinDelButton = add("Del", 400, 430, 100, 40);
    return w;
  }
};

std::vector<char> results;
void Result(MWin *, char result, void *) { results.push_back(result); }
int key_sounds = 0;

class MWinTextEntryMobileTest : public MWinProgramWindowTest {
 protected:
  void SetUp() override {
    MWinProgramWindowTest::SetUp();
    MWinTextEntryResetForTests();
    MWinSetKeyInputLayoutFactory([]() -> MWinKeyInputLayout * { return new TestKeyInputLayout(); });
    results.clear();
    key_sounds = 0;
    mwin->SetSoundPlayCallback(
        [](_MWinSoundEvent e, void *) {
          if (e == MWIN_SOUND_KEY_OR_SCROLL) key_sounds++;
        },
        nullptr);
    memset(buffer, 0, sizeof(buffer));
  }
  void TearDown() override {
    mwin->PopupTurnOff();
    MWinTextEntryResetForTests();
    MWinProgramWindowTest::TearDown();
    EngWhichDeviceResetForTests();
  }
  // A phone in portrait, as the entry is used.
  void Phone() {
    EngWhichDeviceSetTabletMode(0, nullptr);
    mwin->SetScreenLayout(ENG_LAYOUT_PHONE_PORTRAIT);
  }
  char Open(int kind, char hide, char caps, int max_length = 20) {
    mwin->PopupGetTextSetType_Mobile(_MWinButtonTextEditType(kind), hide, caps);
    return mwin->PopupGetText_Mobile("Title", "Enter name:", buffer, max_length, Result, nullptr);
  }
  MWinButton *Key(char c) {
    char id[8] = {'K', 'E', 'Y', '_', c, 0};
    return mwinKeyInputMainWinWindow->GetButtonFromID(id, 0);
  }
  // Presses a key as its own callback does; 0 when the keyboard has no such key.
  bool Press(char c) {
    MWinButton *key = c == '<' ? mwinKeyInputMainWinDelButton : c == '^' ? mwinKeyInputMainWinShiftButton : Key(c);
    if (!key) return false;
    key->CallCallback();
    return true;
  }
  void Type(const char *keys) {
    for (const char *k = keys; *k; k++) EXPECT_TRUE(Press(*k)) << *k;
  }
  int CountKeys() {
    int n = 0;
    for (MWinButton *b = mwinKeyInputMainWinWindow->GetFirstButton(); b; b = b->GetNext())
      if (!strncmp(b->GetID(), "KEY_", 4)) n++;
    return n;
  }

  char buffer[64];
};

TEST_F(MWinTextEntryMobileTest, OnTheDesktopNothingRunsAndNothingChanges) {
  strcpy(buffer, "abc");
  std::string log = Logged([&] { EXPECT_EQ(Open(0, 0, 0), 0); });
  EXPECT_NE(log.find("Not mobile."), std::string::npos);
  EXPECT_FALSE(mwin->PopupIsOn());
  log = Logged([&] { MWinPopupGetTextKeyCB_Mobile(mwin, nullptr, 0, 'x'); });
  EXPECT_NE(log.find("Not mobile."), std::string::npos);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(MWinTextEntryGetBuffer_Mobile(), nullptr);
}

TEST_F(MWinTextEntryMobileTest, EachKindHasItsKeyboard) {
  Phone();
  struct Case {
    int kind, keys;
    bool shift_shown, has_space, has_minus, has_at;
  } cases[] = {
      {0, 47, true, true, true, false},    // layout A: the three blanks after Space make no keys
      {3, 50, true, false, true, true},    // layout B
      {1, 12, false, false, true, false},  // digit pad with "-"
      {2, 11, false, false, false, false}, // digit pad without it
      {4, 0, true, false, false, false},   // no keys at all
  };
  for (const Case &c : cases) {
    ASSERT_TRUE(Open(c.kind, 0, 0)) << c.kind;
    EXPECT_EQ(CountKeys(), c.keys) << c.kind;
    EXPECT_EQ(mwinKeyInputMainWinShiftButton->IsShown() != 0, c.shift_shown) << c.kind;
    EXPECT_FALSE(mwinKeyInputMainWinKeysBackButton->IsShown());
    EXPECT_EQ(Key(' ') != nullptr, c.has_space) << c.kind;
    EXPECT_EQ(Key('-') != nullptr, c.has_minus) << c.kind;
    EXPECT_EQ(Key('@') != nullptr, c.has_at) << c.kind;
    if (c.has_space) {
      // Four slots of a key 600 - 10 wide over ten, less a 6 gap, with three gaps.
      float kw = 590.0f / 10 - 6;
      EXPECT_NEAR(Key(' ')->GetOrigArea()->width, kw + 3 * (kw + 6), 1e-3f);
      EXPECT_STREQ(Key(' ')->GetTextP(), "Space");
      EXPECT_NEAR(Key('&')->GetOrigArea()->x, Key(' ')->GetOrigArea()->x + 4 * (kw + 6), 1e-3f);
    }
    mwin->PopupTurnOff();
  }
}

TEST_F(MWinTextEntryMobileTest, CharactersAreFilteredByKind) {
  Phone();
  struct Case {
    int kind;
    char caps;
    const char *keys;  // '<' deletes, '^' toggles shift
    const char *want;
    bool shift_after;
  } cases[] = {
      {0, 1, "HI TO", "Hi To", false},
      {0, 1, "HI.", "Hi.", true},
      {0, 1, "HI<<", "", true},      // empty again: capitals again
      {0, 1, "HI T<", "Hi ", false}, // ending in a blank: not
      {0, 0, "HI", "hi", false},
      {0, 0, "^HI", "Hi", false},     // shift lasts one letter
      {3, 0, "^AB^C", "ABc", false},  // e-mail: shift stays until pressed again
      {1, 0, "-1.5.-", "-1.5", false},
      {1, 0, "1-", "1", false},
      {2, 0, ".192.1", "192.1", false},
      {2, 0, "1923.4..5", "192.4.5", false},
  };
  for (const Case &c : cases) {
    memset(buffer, 0, sizeof(buffer));
    ASSERT_TRUE(Open(c.kind, 0, c.caps)) << c.keys;
    EXPECT_EQ(MWinTextEntryGetShift_Mobile(), c.caps);
    for (const char *k = c.keys; *k; k++) {
      bool pressed = Press(*k);
      EXPECT_TRUE(pressed) << c.keys << " " << *k;
    }
    EXPECT_STREQ(buffer, c.want) << c.keys;
    EXPECT_STREQ(mwinKeyInputMainWinTextButton->GetTextP(), c.want[0] ? c.want : nullptr) << c.keys;
    EXPECT_EQ(MWinTextEntryGetShift_Mobile() != 0, c.shift_after) << c.keys;
    mwin->PopupTurnOff();
  }
  // Kinds 4 and above have no keys and take any character unchanged.
  memset(buffer, 0, sizeof(buffer));
  ASSERT_TRUE(Open(4, 0, 0));
  MWinPopupGetTextKeyCB_Mobile(mwin, nullptr, 0, 'q');
  MWinPopupGetTextKeyCB_Mobile(mwin, nullptr, 1, '#');
  EXPECT_STREQ(buffer, "q#");
}

TEST_F(MWinTextEntryMobileTest, TheShiftKeyIsColouredByItsState) {
  Phone();
  ASSERT_TRUE(Open(0, 0, 1));
  _ColourRGBA c;
  mwinKeyInputMainWinShiftButton->GetColour(&c);
  EXPECT_FLOAT_EQ(c.r, 0.498f);
  EXPECT_FLOAT_EQ(c.g, 1.0f);
  Press('^');
  mwinKeyInputMainWinShiftButton->GetColour(&c);
  EXPECT_FLOAT_EQ(c.r, 0.8f);
  EXPECT_FLOAT_EQ(c.g, 0.8f);
}

TEST_F(MWinTextEntryMobileTest, TheMaximumLengthStopsKeysSilently) {
  Phone();
  strcpy(buffer, "1234567890123456789");
  ASSERT_TRUE(Open(1, 0, 0));
  EXPECT_STREQ(mwinKeyInputMainWinTextButton->GetTextP(), "1234567890123456789");
  Type("12");
  EXPECT_STREQ(buffer, "12345678901234567891");
  EXPECT_EQ(key_sounds, 1);
}

TEST_F(MWinTextEntryMobileTest, HiddenTextShowsOneStarPerCharacter) {
  Phone();
  ASSERT_TRUE(Open(0, 1, 0));
  Type("HELLO");
  EXPECT_STREQ(buffer, "hello");
  EXPECT_STREQ(mwinKeyInputMainWinTextButton->GetTextP(), "*****");
  EXPECT_EQ(key_sounds, 5);
}

TEST_F(MWinTextEntryMobileTest, APressedKeyIsPreviewedAboveItself) {
  Phone();
  ASSERT_TRUE(Open(0, 0, 0));
  MWinButton *key = Key('Q');
  ASSERT_NE(key, nullptr);
  Press('Q');
  EXPECT_STREQ(MWinTextEntryGetPreviewChar_Mobile(), "q");
  const _Dimension *k = key->GetActualArea();
  const _Dimension *p = MWinTextEntryGetPreviewArea_Mobile();
  EXPECT_NEAR(p->width, 1.1f * k->width, 1e-3f);
  EXPECT_NEAR(p->height, 1.6f * k->height, 1e-3f);
  EXPECT_NEAR(p->x + p->width / 2, k->x + k->width / 2, 1e-3f);
  EXPECT_NEAR(p->y + p->height, k->y - 5, 1e-3f);
  struct Case {
    double d;
    float alpha;
  } cases[] = {{0, 0}, {0.05, 0.5f}, {0.1, 1}, {0.25, 1}, {0.399, 1}, {0.45, 0.5f}, {0.5, 0}, {2, 0}};
  for (const Case &c : cases) EXPECT_NEAR(MWinTextEntryPreviewAlpha_Mobile(c.d), c.alpha, 1e-4f) << c.d;
}

TEST_F(MWinTextEntryMobileTest, DoneClosesWithOkAndForgetsTheBuffer) {
  Phone();
  ASSERT_TRUE(Open(0, 0, 1));
  EXPECT_TRUE(mwin->PopupIsOn());
  Type("AB");
  mwinKeyInputMainWinDoneButton->CallCallback();
  EXPECT_FALSE(mwin->PopupIsOn());
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0], 1);
  EXPECT_STREQ(buffer, "Ab");
  EXPECT_EQ(MWinTextEntryGetBuffer_Mobile(), nullptr);
}

TEST_F(MWinTextEntryMobileTest, APopupClosedAnyOtherWayForgetsTheBufferToo) {
  Phone();
  ASSERT_TRUE(Open(0, 0, 0));
  Type("A");
  mwin->PopupTurnOff();
  EXPECT_EQ(MWinTextEntryGetBuffer_Mobile(), nullptr);
  EXPECT_TRUE(results.empty());
  // A late key reaches nothing; a new entry opens without complaint.
  MWinPopupGetTextKeyCB_Mobile(mwin, nullptr, 0, 'z');
  EXPECT_STREQ(buffer, "a");
  std::string log = Logged([&] { EXPECT_TRUE(Open(0, 0, 0)); });
  EXPECT_EQ(log.find("Controller already created"), std::string::npos);
  EXPECT_EQ(MWinTextEntryGetBuffer_Mobile(), buffer);
}

TEST_F(MWinTextEntryMobileTest, AbsentTitleAndMessageGiveTheirRoomToTheText) {
  Phone();
  struct Case {
    const char *title, *message;
    bool title_shown, message_shown;
    float text_y, keys_y;
  } cases[] = {
      {"T", "M", true, true, 90, 140},
      {"T", nullptr, true, false, 75, 140},
      {nullptr, "M", false, true, 75, 140},
      {"", "", false, false, 10, 60},
  };
  for (const Case &c : cases) {
    ASSERT_TRUE(mwin->PopupGetText_Mobile(c.title, c.message, buffer, 20, Result, nullptr));
    EXPECT_EQ(mwinKeyInputMainWinTitleButton->IsShown() != 0, c.title_shown);
    EXPECT_EQ(mwinKeyInputMainWinMessageButton->IsShown() != 0, c.message_shown);
    EXPECT_FLOAT_EQ(mwinKeyInputMainWinTextButton->GetOrigArea()->y, c.text_y);
    EXPECT_FLOAT_EQ(mwinKeyInputMainWinKeysBackButton->GetOrigArea()->y, c.keys_y);
    mwin->PopupTurnOff();
  }
}

}  // namespace
}  // namespace qwtest
