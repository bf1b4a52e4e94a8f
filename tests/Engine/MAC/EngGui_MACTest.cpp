// The native dialog layer over GTK on the test display: controls of the real "Resolution.ui"
// found by signature and id, popup values and ranges, texts across the Latin-1 boundary, and
// windows built in code with their commands, close box and keys.
#include "Engine/MAC/EngGui_MAC.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngTexture.h"
#include "tests/Engine/MAC/GuiTestSupport.h"

namespace {

struct Received {
  std::vector<EngUInt32> commands;
  int closes = 0;
  int keys = 0;
};

// What the windows loaded from the file (which carry no user data) received.
Received nib_received;

EngInt32 Record(EngGuiWindowRef window, const _EngGuiEvent *event, void *user) {
  auto *received = user ? static_cast<Received *>(user) : &nib_received;
  if (event->event_class == ENG_GUI_CLASS_COMMAND) {
    if (received) received->commands.push_back(event->command);
    return 0;
  }
  if (event->event_class == ENG_GUI_CLASS_KEYBOARD && event->key == 'q' &&
      (event->modifiers & ENG_GUI_MODIFIER_CONTROL)) {
    if (received) received->keys++;
    EngGuiQuitDialogLoop_MAC(window);
    return 0;
  }
  if (event->event_class == ENG_GUI_CLASS_WINDOW && received) received->closes++;
  return ENG_GUI_NOT_HANDLED;
}

class EngGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    EngGuiResetForTests();
    ASSERT_EQ(EngGuiLoadDialogFromNib_MAC("Resolution", "Startup", Record, 0, &m_handler, &m_window), 1);
  }
  void TearDown() override {
    if (m_window) EngGuiDestroyDialog_MAC(&m_handler, &m_window);
    EngGuiResetForTests();
    DebugResetForTests();
  }
  EngGuiControlRef Control(const char (&signature)[5], EngInt32 id) {
    EngGuiControlRef control = nullptr;
    EXPECT_EQ(EngGuiGetControl_MAC(m_window, EngFourCC(signature), id, &control), 1) << signature;
    return control;
  }
  static bool LogHas(const std::string &text) {
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++)
      if (std::string(DebugGetMessage(i)->text).find(text) != std::string::npos) return true;
    return false;
  }

  qwtest::GuiResources m_resources;
  EngGuiHandlerRef m_handler = nullptr;
  EngGuiWindowRef m_window = nullptr;
};

TEST_F(EngGuiTest, ControlsAreFoundBySignatureWithoutTrailingBlanksAndId) {
  EXPECT_EQ(EngGuiDoesControlExist_MAC(m_window, EngFourCC("RES "), 13), 1);
  EXPECT_EQ(EngGuiDoesControlExist_MAC(m_window, EngFourCC("RES "), 14), 0);
  EngGuiControlRef control = nullptr;
  EXPECT_EQ(EngGuiGetControl_MAC(m_window, EngFourCC("CTXQ"), 41, &control), 0);
  EXPECT_EQ(control, nullptr);
  EXPECT_TRUE(LogHas("Could not get control [id = 41]"));
  // The command is the widget's name, trailing blank included.
  EXPECT_EQ(EngGuiGetControlCommandID_MAC(Control("RES ", 13)), EngFourCC("RES "));
}

TEST_F(EngGuiTest, PopupSelectionsCountFromZeroAndValuesFromOne) {
  EngGuiControlRef popup = Control("ANTI", 15);
  EngGuiMenuRef menu = nullptr;
  ASSERT_EQ(EngGuiGetPopupButtonMenu_MAC(popup, &menu), 1);
  for (const char *item : {"Off", "Low", "High"}) EngGuiAddStringToMenu_MAC(menu, item);
  EngGuiSyncPopupButtonToMenu_MAC(popup);
  EngGuiSetPopupControlCurrentSelection_MAC(popup, 0);
  EXPECT_EQ(EngGuiGetControlValue_MAC(popup), 1);
  EXPECT_EQ(EngGuiGetPopupControlCurrentSelection_MAC(popup), 0);
  EngGuiSetPopupControlCurrentSelection_MAC(popup, 2);
  EXPECT_EQ(EngGuiGetControlValue_MAC(popup), 3);
  EXPECT_EQ(EngGuiGetPopupControlCurrentSelection_MAC(nullptr), -1);
  EngInt32 minimum = -1, maximum = -1;
  EngGuiGetControlRange_MAC(popup, &minimum, &maximum);
  EXPECT_EQ(minimum, 1);
  EXPECT_EQ(maximum, 3);

  EngGuiResetMenu_MAC(menu);
  EXPECT_EQ(EngGuiSyncPopupButtonToMenu_MAC(popup), 0);
  EngGuiGetControlRange_MAC(popup, &minimum, &maximum);
  EXPECT_EQ(minimum, 0);
  EXPECT_EQ(maximum, 0);
  EXPECT_EQ(EngGuiSyncPopupButtonToMenu_MAC(nullptr), -1);
}

TEST_F(EngGuiTest, AProgramsOwnChangesSendNoCommand) {
  nib_received = Received();
  EngGuiControlRef popup = Control("MUSI", 50);
  EngGuiAddStringToMenu_MAC(popup, "Off");
  EngGuiAddStringToMenu_MAC(popup, "On");
  EngGuiSetPopupControlCurrentSelection_MAC(popup, 1);
  EngGuiSetControlValue_MAC(Control("MODE", 12), 2);
  EXPECT_EQ(EngGuiGetControlValue_MAC(Control("MODE", 12)), 2);
  EXPECT_TRUE(nib_received.commands.empty());
  // A person's choice does.
  EngGuiTestChoose_MAC(popup, 0);
  EngGuiTestChoose_MAC(Control("MODE", 12), 0);
  EXPECT_EQ(nib_received.commands, (std::vector<EngUInt32>{EngFourCC("MUSI"), EngFourCC("MODE")}));
}

TEST_F(EngGuiTest, TextReadsAlwaysEndInsideTheBuffer) {
  EngGuiControlRef label = Control("VERS", 11);
  EngGuiSetStaticTextString_MAC(label, "abcdefghijklmnopqrst");
  char buffer[8];
  memset(buffer, 'Z', sizeof(buffer));
  EXPECT_EQ(EngGuiGetStaticTextString_MAC(label, buffer, sizeof(buffer)), -1);
  EXPECT_STREQ(buffer, "abcdefg");
  char whole[32];
  EXPECT_EQ(EngGuiGetStaticTextString_MAC(label, whole, sizeof(whole)), 1);
  EXPECT_STREQ(whole, "abcdefghijklmnopqrst");
  EXPECT_EQ(EngGuiGetStaticTextString_MAC(label, whole, 0), 0);
  EXPECT_EQ(EngGuiGetStaticTextString_MAC(nullptr, whole, 8), 0);
}

TEST_F(EngGuiTest, Latin1TextsCrossTheBoundaryAndMarkupStaysText) {
  EngGuiControlRef label = Control("VERS", 11);
  const char *texts[] = {"Caf\xE9", "<b>bold</b> & <i>", "\xA9 2026 \xBD"};
  for (const char *text : texts) {
    EngGuiSetStaticTextString_MAC(label, text);
    char back[64];
    EXPECT_EQ(EngGuiGetStaticTextString_MAC(label, back, sizeof(back)), 1);
    EXPECT_STREQ(back, text);
  }
  EngGuiControlRef popup = Control("FREQ", 14);
  EngGuiAddStringToMenu_MAC(popup, "Caf\xE9");
  char item[16];
  EngGuiGetMenuItemString_MAC(popup, 0, item, sizeof(item));
  EXPECT_STREQ(item, "Caf\xE9");
}

TEST_F(EngGuiTest, UnavailablePopupsAndMenuTitles) {
  EngGuiControlRef popup = Control("MUSI", 50);
  EngGuiAddStringToMenu_MAC(popup, "Off");
  EngGuiAddStringToMenu_MAC(popup, "On");
  EngGuiSetPopupMenuAsNotAvailable_MAC(m_window, EngFourCC("MUSI"), 50);
  char item[32];
  EngGuiGetMenuItemString_MAC(popup, 1, item, sizeof(item));
  EXPECT_STREQ(item, "Unavailable");
  EXPECT_FALSE(EngGuiIsControlEnabled_MAC(popup));
  EngGuiSetPopupMenuAsNotAvailable_MAC(m_window, EngFourCC("CTXQ"), 41);  // not there: nothing

  EngGuiSetMenuTitleText_MAC(popup, "Musik");
  char title[32];
  EngGuiGetStaticTextString_MAC(EngGuiTestFindObject_MAC(m_window, "MUSI-50-title"), title, sizeof(title));
  EXPECT_STREQ(title, "Musik");
}

TEST_F(EngGuiTest, MenuCommandCallsAnswerQuietlyWithoutAMenuBar) {
  EngGuiControlRef popup = Control("MUSI", 50);
  EngGuiAddStringToMenu_MAC(popup, "Off");
  DebugResetForTests();
  for (EngGuiMenuRef menu : {popup, static_cast<EngGuiMenuRef>(nullptr)}) {
    for (char on : {0, 1}) {
      EngGuiEnableMenuItemUsingCommandId_MAC(menu, EngFourCC("MUSI"), on);
      EngGuiCheckMenuItemUsingCommandId_MAC(menu, EngFourCC("MUSI"), on);
    }
  }
  EXPECT_EQ(DebugGetNumMessages(), 0);
  EXPECT_TRUE(EngGuiIsControlEnabled_MAC(popup));
  char item[16];
  EngGuiGetMenuItemString_MAC(popup, 0, item, sizeof(item));
  EXPECT_STREQ(item, "Off");
}

TEST_F(EngGuiTest, FailedStatusesAreLoggedWithTheirOwnTexts) {
  struct Case {
    EngInt32 status;
    char ok;
    const char *logged;
  };
  const Case cases[] = {
      {0, 1, nullptr},
      {-50, 0, "( SomeCall )    Error: paramErr (error in user parameter list)"},
      {-5622, 0, "( SomeCall )    Error: menuItemNotFoundErr (specified menu item wasn't found)"},
      {-12345, 0, "( SomeCall )    Error: -12345 (unknown status)"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.status);
    DebugResetForTests();
    EXPECT_EQ(EngGuiIsReturnCodeOk_MAC("SomeCall", c.status), c.ok);
    EXPECT_EQ(DebugGetNumMessages(), c.logged ? 1 : 0);
    if (c.logged) {
      EXPECT_TRUE(LogHas(c.logged));
    }
  }
  // An item past the end of a popup is a missing item, not a bad call.
  EngGuiControlRef popup = Control("MUSI", 50);
  EngGuiAddStringToMenu_MAC(popup, "Off");
  DebugResetForTests();
  char item[16] = "x";
  EngGuiGetMenuItemString_MAC(popup, 3, item, sizeof(item));
  EXPECT_STREQ(item, "");
  EXPECT_TRUE(LogHas("( CopyMenuItemTextAsCFString )    Error: menuItemNotFoundErr"));
}

TEST_F(EngGuiTest, PicturesAreCroppedByTextureCoordinates) {
  std::vector<unsigned char> rgb(48 * 12 * 3, 90);
  ASSERT_EQ(EngJpegWriteFileFromBuffer(m_resources.File("Picture.jpg").c_str(), 90, 72, 48, 12, rgb.data()), 1);
  struct Case {
    _TexCoords coords;
    int width, height;  // 0: refused
  };
  const Case cases[] = {
      {{0, 0, 1, 1}, 48, 12},
      {{0.25f, 0, 0.75f, 0.5f}, 24, 6},
      {{0.5f, 0.5f, 0.5f, 1}, 0, 0},  // nothing left
      {{0, 0, 1.5f, 1}, 0, 0},        // outside the picture
  };
  for (const Case &c : cases) {
    EngGuiImageRef image = EngGuiCreateCGImageFromBundleResource("Picture.jpg", &c.coords);
    int width = 0, height = 0;
    EngGuiGetImageSize_MAC(image, &width, &height);
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(height, c.height);
    EngGuiReleaseImage_MAC(image);
  }
  EXPECT_EQ(EngGuiCreateCGImageFromBundleResource("Missing.jpg", nullptr), nullptr);
  EXPECT_TRUE(LogHas("File does not exist [Missing.jpg]."));
  qwtest::WriteWholeFile(m_resources.File("Broken.jpg"), "not a picture");
  EXPECT_EQ(EngGuiCreateCGImageFromBundleResource("Broken.jpg", nullptr), nullptr);
  EXPECT_TRUE(LogHas("No source"));
  EngGuiControlRef view = Control("TPIC", 10);
  EXPECT_EQ(EngGuiSetHiViewControlsPicture_MAC(view, "Picture.jpg", nullptr), 1);
  int width = 0, height = 0;
  EngGuiGetPictureSize_MAC(view, &width, &height);
  EXPECT_EQ(width, 48);
}

TEST_F(EngGuiTest, WindowsBuiltInCodeSendCommandsCloseAndKeys) {
  Received received;
  EngGuiWindowRef window = nullptr;
  ASSERT_EQ(EngGuiCreateWindow_MAC(100, 100, 300, 200, Record, &received, &window), 1);
  EngGuiControlRef button = EngGuiCreateControl_MAC(window, ENG_GUI_PUSH_BUTTON, 10, 10, 100, 30);
  ASSERT_NE(button, nullptr);
  EngGuiSetControlCommandID_MAC(button, EngFourCC("SWBT") + 1);
  EngGuiSetBevelButtonTextString_MAC(button, "Press");
  {
    qwtest::GuiDriver driver([&](EngGuiWindowRef shown, const std::string &name) {
      EXPECT_EQ(shown, window);
      EXPECT_EQ(name, "");
      EngGuiTestClick_MAC(EngGuiTestGetCreatedControl_MAC(shown, 0));
      EngGuiTestPressCloseBox_MAC(shown);  // not handled: the loop ends
    });
    EngGuiShowWindow_MAC(window);
    EXPECT_EQ(EngGuiRunWindowLoop_MAC(window), 1);
  }
  EXPECT_EQ(received.commands, std::vector<EngUInt32>{EngFourCC("SWBT") + 1});
  EXPECT_EQ(received.closes, 1);
  {
    qwtest::GuiDriver driver([&](EngGuiWindowRef shown, const std::string &) {
      EngGuiTestPressKey_MAC(shown, 'q', 0);
      EngGuiTestPressKey_MAC(shown, 'q', 1);
    });
    EngGuiShowWindow_MAC(window);
    EXPECT_EQ(EngGuiRunWindowLoop_MAC(window), 1);
  }
  EXPECT_EQ(received.keys, 1);
  EXPECT_EQ(received.closes, 1);
  EngGuiHandlerRef handler = window;
  EngGuiDestroyDialog_MAC(&handler, &window);
  EXPECT_EQ(window, nullptr);
}

}  // namespace
