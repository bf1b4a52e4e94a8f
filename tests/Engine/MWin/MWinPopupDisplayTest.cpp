// Popups and text fields with a real font and the system clipboard: popups size themselves to
// their texts within the limits, and pasting runs every character through the field's limits.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngLanguages.h"
#include "Engine/EngMain.h"
#include "Engine/EngVarious.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinTextEdit.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/MWinSkinTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/MWinWidgetDisplayTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

class MWinPopupDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    ASSERT_TRUE(FileExists(kVeraBold)) << "install ttf-bitstream-vera";
    EngWhichDeviceResetForTests();
    EngLanguagesExit();
    SetWindowSizeForToolkit(640, 480);
    memset(eng_key_down, 0, sizeof(eng_key_down));
    mwin = new MWin(nullptr);
    ASSERT_TRUE(AddVeraBoldFont(mwin, 24));
    ASSERT_TRUE(mwin->Startup());
    ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
    ASSERT_TRUE(mwin->CreateGraphicsObjects());
    screen = mwin->GetDesktop()->AddCollection("SCREEN");
  }
  void TearDown() override {
    delete mwin;
    memset(eng_key_down, 0, sizeof(eng_key_down));
    DeviceTest::TearDown();
  }
  float PopupWidth() { return mwin->PopupGetWindow()->GetOrigArea()->width; }
  float PopupHeight() { return mwin->PopupGetWindow()->GetOrigArea()->height; }

  TempDir dir;
  MWin *mwin = nullptr;
  MWinCollection *screen = nullptr;
};

TEST_F(MWinPopupDisplayTest, PopupsSizeThemselvesToTheirTexts) {
  ASSERT_TRUE(mwin->PopupMessage("Hi", "Short"));
  const float short_w = PopupWidth(), short_h = PopupHeight();
  mwin->PopupTurnOff();
  EXPECT_GT(short_w, 75);
  EXPECT_LT(short_w, 300);

  std::string long_text;
  for (int i = 0; i < 40; i++) long_text += "many words ";
  ASSERT_TRUE(mwin->PopupMessage("Hi", long_text.c_str()));
  const float long_w = PopupWidth(), long_h = PopupHeight();
  // Wrapped within the widest box (600) and the window's edge of 20, taller for its lines.
  EXPECT_GT(long_w, short_w);
  EXPECT_LE(long_w, 600 + 20 + 20);
  EXPECT_GT(long_h, 2 * short_h);
  MWinButton *msg = mwin->GetButtonFromIDs("MWIN_POPUP", "MWIN_POPUP_WIN", "MSG", 0);
  ASSERT_NE(msg, nullptr);
  EXPECT_LE(msg->GetOrigArea()->x + msg->GetOrigArea()->width, long_w);
  mwin->PopupTurnOff();

  // A long title widens the box up to the limit as well.
  ASSERT_TRUE(mwin->PopupMessage("A rather longer title than the text", "x"));
  EXPECT_GT(PopupWidth(), short_w);
  mwin->PopupTurnOff();
}

TEST_F(MWinPopupDisplayTest, PastingStopsAtTheLimitAndPassesTheFilters) {
  _MWinWindowCreateInfo info = {};
  info.width = 640;
  info.height = 480;
  MWinWindow *window = screen->AddWindow("W", &info);
  auto *edit = dynamic_cast<MWinTextEdit *>(
      window->AddButton("E", MWIN_BUTTON_TEXT_EDIT, "MWIN_TEXBUT_NONE", nullptr, 100, 100, 200, 30));
  ASSERT_NE(edit, nullptr);
  struct Case {
    _MWinButtonTextEditType kind;
    int max;
    const char *clipboard;
    const char *want;
  } cases[] = {
      {MWIN_TEXTEDIT_TEXT, 6, "pasted too long", "xpaste"},
      {MWIN_TEXTEDIT_NUMBER, 10, "1a2.3.4-", "12.34"},
      {MWIN_TEXTEDIT_IP_ADDRESS, 63, "10..0.1234", "10.0.123"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.clipboard);
    edit->TextEditSetLength(c.max);
    edit->TextEditSetType(c.kind);
    edit->TextEditSetText(c.kind == MWIN_TEXTEDIT_TEXT ? "x" : "");
    edit->TextEditTurnOnEditing(1);
    ASSERT_TRUE(VariousCopyClipboardFromString(c.clipboard));
    eng_key_down[231] = 2;
    EXPECT_TRUE(edit->TextEditHandleKeyDownUChar('v'));
    EXPECT_EQ(eng_key_down[231], 0);
    EXPECT_STREQ(edit->TextEditGetText(), c.want);
    edit->TextEditTurnOffEditing(0);
  }
  // Copy puts the field's text on the clipboard.
  edit->TextEditSetType(MWIN_TEXTEDIT_TEXT);
  edit->TextEditSetText("copied");
  edit->TextEditTurnOnEditing(1);
  eng_key_down[231] = 2;
  EXPECT_TRUE(edit->TextEditHandleKeyDownUChar('c'));
  char out[32] = {0};
  ASSERT_TRUE(VariousPasteClipboardToString(out, sizeof(out)));
  EXPECT_STREQ(out, "copied");
  eng_key_down[231] = 0;
  edit->TextEditTurnOffEditing(0);
}

const char *Item(int entry, MWinButton *, void *) {
  static const char *const names[] = {"one", "two", "three", "four", "five", "six"};
  return names[entry];
}

// The field with its blinking cursor, and the list with its rows and sidebar, drawn in popups.
TEST_F(MWinPopupDisplayTest, FieldsAndListsDrawInTheirPopups) {
  auto drawn_in = [](const _Dimension *a) {
    std::vector<unsigned char> rgb(640 * 480 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int lit = 0;
    for (int y = int(a->y) + 1; y < int(a->y + a->height) - 1; y++)
      for (int x = int(a->x) + 1; x < int(a->x + a->width) - 1; x++) {
        const unsigned char *p = &rgb[((479 - y) * 640 + x) * 3];
        if (p[0] > 24 || p[1] > 24 || p[2] > 24) lit++;
      }
    return lit;
  };
  char buffer[32] = "typed";
  ASSERT_TRUE(mwin->PopupGetText("Name", nullptr, buffer, sizeof(buffer), nullptr, nullptr));
  auto *edit = dynamic_cast<MWinTextEdit *>(mwin->GetButtonFromIDs("MWIN_POPUP", "MWIN_POPUP_WIN", "TEXTEDIT", 0));
  ASSERT_NE(edit, nullptr);
  edit->TextEditTurnOnEditing(1);
  MWinTextEditResetBlinkClock();
  eng_main_current_time = 10.0;
  mwin->Tick2();
  EXPECT_TRUE(edit->TextEditIsCursorVisible());
  device->ClearScreen();
  mwin->RenderMain();
  mwin->RenderPopups();
  EXPECT_GT(drawn_in(edit->GetActualArea()), 0);
  mwin->PopupTurnOff();

  int chosen = 2;
  int *chosen_p = &chosen;
  ASSERT_TRUE(mwin->PopupPanel("Pick", nullptr, 6, 3, 200, 90, Item, 1, &chosen_p, nullptr, nullptr, nullptr));
  MWinButton *panel = mwin->GetButtonFromIDs("MWIN_POPUP", "MWIN_POPUP_WIN", "PANEL", 0);
  ASSERT_NE(panel, nullptr);
  device->ClearScreen();
  mwin->RenderMain();
  mwin->RenderPopups();
  EXPECT_GT(drawn_in(panel->GetActualArea()), 0);
  mwin->PopupTurnOff();
}

}  // namespace
}  // namespace qwtest
