// The on-screen text entry drawn on the real device in a phone layout: its keys and the
// preview of a pressed key, fading with time.
#include "Engine/MWin/MWinTextEntryMobile.h"

#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "tests/Engine/MWin/MWinDeviceWidgetTestSupport.h"

namespace qwtest {
namespace {

class Layout : public MWinKeyInputLayout {
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
    _MWinWindowCreateInfo info = {};
    info.width = 640;
    info.height = 480;
    MWinCopyID(info.back_texbut, "MWIN_TEXBUT_NONE");
    MWinWindow *w = c->AddWindow("MainWin", &info);
    auto add = [&](const char *id, float x, float y, float width, float height) {
      return w->AddButton(id, MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "", x, y, width, height);
    };
    mwinKeyInputMainWinWindow = w;
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

class MWinTextEntryMobileDisplayTest : public MWinDeviceWidgetTest {
 protected:
  void SetUp() override {
    MWinDeviceWidgetTest::SetUp();
    // Key callbacks run only with a program, as in the game; the device's window serves.
    EngProgramSetResourcesPathForTests(dir.Path().c_str());
    program = new EngProgram();
    MWinTextEntryResetForTests();
    MWinSetKeyInputLayoutFactory([]() -> MWinKeyInputLayout * { return new Layout(); });
    EngWhichDeviceSetTabletMode(0, nullptr);
    mwin->SetScreenLayout(ENG_LAYOUT_PHONE_PORTRAIT);
  }
  void TearDown() override {
    mwin->PopupTurnOff();
    MWinTextEntryResetForTests();
    MWinDeviceWidgetTest::TearDown();
    delete program;
    EngProgramSetResourcesPathForTests(nullptr);
  }
  void Draw() {
    device->ClearScreen();
    mwin->RenderMain();
    mwin->RenderPopups();
  }
  EngProgram *program = nullptr;
  char buffer[32] = {0};
};

TEST_F(MWinTextEntryMobileDisplayTest, TheKeysAndThePressedKeysPreviewAreDrawn) {
  mwin->PopupGetTextSetType_Mobile(MWIN_TEXTEDIT_NUMBER, 0, 0);
  ASSERT_TRUE(mwin->PopupGetText_Mobile("Title", nullptr, buffer, 10, nullptr, nullptr));
  ASSERT_TRUE(mwin->PopupRenderFullScreenTextEntryMobile(1));
  MWinButton *key = mwinKeyInputMainWinWindow->GetButtonFromID("KEY_5", 0);
  ASSERT_NE(key, nullptr);
  const _Dimension k = *key->GetActualArea();
  // The preview of "5" will cover part of the key "2" above it: the key's own colour first.
  const int px_x = int(k.x + k.width / 2), px_y = int(k.y - 30);
  Draw();
  {
    Pixels px;
    const unsigned char *centre = px.At(int(k.x + k.width / 2), int(k.y + 4));
    EXPECT_GT(centre[2], centre[0] + 30);  // the push button's blue
    EXPECT_LT(px.At(px_x, px_y)[0], 140);
  }
  eng_main_current_time = 10.0;
  key->CallCallback();
  EXPECT_STREQ(buffer, "5");
  struct Case {
    double at;
    bool shown;
  } cases[] = {{10.2, true}, {10.6, false}};
  for (const Case &c : cases) {
    eng_main_current_time = c.at;
    Draw();
    Pixels px;
    EXPECT_EQ(px.At(px_x, px_y)[0] > 140, c.shown) << c.at << " " << int(px.At(px_x, px_y)[0]);
  }
  // Long after the press the preview is forgotten.
  eng_main_current_time = 14.0;
  Draw();
  EXPECT_STREQ(MWinTextEntryGetPreviewChar_Mobile(), "");
}

}  // namespace
}  // namespace qwtest
