// The sound and music screen's generated layout on the real toolkit: rectangles and the hidden
// title per device layout, the builder order with the game-over rows swapped, the four volume
// sliders, and what the widgets hold before the behaviour class fills them.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "Engine/EngFont.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinWindow.h"
#include "screens/ScreenLayout.h"
#include "screens/layouts/OptionsCollectionController.h"
#include "screens/layouts/SoundsCollectionController.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/screens/LayoutTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class SoundsLayout : public qwtest::LayoutOnly<SoundsCollectionController> {
 public:
  std::array<MWinButton *, 20> Members() {
    return {mwinSoundsSoundsTitleButton,           mwinSoundsSoundsSoundsOnTextButton,
            mwinSoundsSoundsSoundsOnButton,        mwinSoundsSoundsSoundsVolTextButton,
            mwinSoundsSoundsSoundsVolButton,       mwinSoundsSoundsMainMusicOnTextButton,
            mwinSoundsSoundsMainMusicOnButton,     mwinSoundsSoundsMainMusicOnText2Button,
            mwinSoundsSoundsMainMusicOnWhenButton, mwinSoundsSoundsMainMusicVolTextButton,
            mwinSoundsSoundsMainMusicVolButton,    mwinSoundsSoundsWinMusicOnTextButton,
            mwinSoundsSoundsWinMusicOnButton,      mwinSoundsSoundsWinMusicVolTextButton,
            mwinSoundsSoundsWinMusicVolButton,     mwinSoundsSoundsGoMusicVolTextButton,
            mwinSoundsSoundsGoMusicVolButton,      mwinSoundsSoundsGoMusicOnTextButton,
            mwinSoundsSoundsGoMusicOnButton,       mwinSoundsSoundsBackButton};
  }
};

const char *const kOrder[20] = {"Title",           "SoundsOnText",     "SoundsOn",     "SoundsVolText",
                                "SoundsVol",       "MainMusicOnText",  "MainMusicOn",  "MainMusicOnText2",
                                "MainMusicOnWhen", "MainMusicVolText", "MainMusicVol", "WinMusicOnText",
                                "WinMusicOn",      "WinMusicVolText",  "WinMusicVol",  "GoMusicVolText",
                                "GoMusicVol",      "GoMusicOnText",    "GoMusicOn",    "Back"};

class SoundsCollectionControllerTest : public qwtest::LayoutTest {
 protected:
  void TearDown() override {
    mwin->SetScreenLayout(ENG_LAYOUT_DESKTOP);
    MWinTest::TearDown();
  }
};

TEST_F(SoundsCollectionControllerTest, EachDeviceLayoutBuildsItsRectanglesAndThePhoneInLandscapeHidesTheTitle) {
  struct Case {
    int layout;
    const char *id;
    _Dimension area;
    bool shown;
  } cases[] = {
      {0, "Title", {128, 0, 384, 84}, true},
      {0, "SoundsOnText", {40, 95, 170, 30}, true},
      {0, "SoundsVol", {220, 130, 300, 30}, true},
      {0, "GoMusicOn", {220, 370, 300, 30}, true},
      {0, "GoMusicVol", {220, 405, 300, 30}, true},
      {0, "Back", {550, 440, 80, 30}, true},
      {1, "MainMusicOnWhen", {220, 210, 300, 30}, true},
      {3, "WinMusicVolText", {40, 325, 170, 30}, true},
      {4, "Title", {128, 0, 384, 84}, true},
      {2, "Title", {0, 0, 85, 45}, false},
      {2, "GoMusicVol", {205, 432, 315, 45}, true},
      {2, "GoMusicVolText", {10, 432, 190, 45}, true},
      {2, "SoundsOn", {205, 5, 315, 45}, true},
      {2, "MainMusicVol", {205, 214, 315, 45}, true},
      {2, "WinMusicOnText", {10, 275, 190, 45}, true},
      {2, "Back", {540, 420, 90, 50}, true},
      {7, "GoMusicVol", {220, 405, 300, 30}, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.layout) + " " + c.id);
    mwin->SetScreenLayout(_EngLayout(c.layout));
    SoundsLayout sounds;
    ASSERT_EQ(sounds.CreateCollection(mwin), 1);
    ASSERT_NE(sounds.mwinSoundsSoundsWindow, nullptr);
    MWinButton *b = sounds.mwinSoundsSoundsWindow->GetButtonFromID(c.id, 0);
    ASSERT_NE(b, nullptr);
    qwtest::ExpectArea(b->GetOrigArea(), c.area);
    EXPECT_EQ(b->IsShown() ? true : false, c.shown);
    ASSERT_NO_FATAL_FAILURE(qwtest::ExpectMembersInOrder(sounds.Members(), sounds.mwinSoundsSoundsWindow, kOrder));
    Desktop()->RemoveAllCollections();
  }
}

TEST_F(SoundsCollectionControllerTest, TheWidgetsAreBuiltInTableOrderWithFourSliders) {
  SoundsLayout sounds;
  ASSERT_EQ(sounds.CreateCollection(mwin), 1);
  // The window's own order of building: the seventeenth is the game-over volume, the nineteenth
  // its switch, drawn above it.
  MWinGroup *group = sounds.mwinSoundsSoundsWindow->GetFirstGroup();
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(group->GetNumButtons(), 20);
  for (int i = 0; i < 20; i++) EXPECT_STREQ(group->GetNthButton(i)->GetID(), kOrder[i]) << i;
  EXPECT_STREQ(group->GetNthButton(16)->GetID(), "GoMusicVol");
  EXPECT_STREQ(group->GetNthButton(18)->GetID(), "GoMusicOn");
  EXPECT_LT(sounds.mwinSoundsSoundsGoMusicOnButton->GetOrigArea()->y,
            sounds.mwinSoundsSoundsGoMusicVolButton->GetOrigArea()->y);

  EXPECT_EQ(sounds.GetSoundsVol(), sounds.mwinSoundsSoundsSoundsVolButton);
  EXPECT_EQ(sounds.GetMainMusicVol(), sounds.mwinSoundsSoundsMainMusicVolButton);
  EXPECT_EQ(sounds.GetWinMusicVol(), sounds.mwinSoundsSoundsWinMusicVolButton);
  EXPECT_EQ(sounds.GetGoMusicVol(), sounds.mwinSoundsSoundsGoMusicVolButton);
  for (MWinHorzScrollbar *slider :
       {sounds.GetSoundsVol(), sounds.GetMainMusicVol(), sounds.GetWinMusicVol(), sounds.GetGoMusicVol()}) {
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetType(), MWIN_BUTTON_HORZ_SCROLLBAR);
    EXPECT_EQ(slider->HasText(), 0);
    EXPECT_STREQ(slider->GetFontID(), "Main");
  }
  for (MWinButton *choice : {sounds.mwinSoundsSoundsSoundsOnButton, sounds.mwinSoundsSoundsMainMusicOnButton,
                             sounds.mwinSoundsSoundsMainMusicOnWhenButton, sounds.mwinSoundsSoundsWinMusicOnButton,
                             sounds.mwinSoundsSoundsGoMusicOnButton}) {
    EXPECT_EQ(choice->GetType(), MWIN_BUTTON_CHOICE) << choice->GetID();
    EXPECT_STREQ(choice->GetTextP(), "On") << choice->GetID();
  }
  EXPECT_STREQ(sounds.mwinSoundsSoundsGoMusicOnTextButton->GetTextP(), "Game Over Music:");
  EXPECT_EQ(sounds.mwinSoundsSoundsGoMusicOnTextButton->GetTextAlign(), MWIN_ALIGN_RIGHT);
  // A button that is no slider is not taken for one.
  SoundsLayout other;
  EXPECT_EQ(other.GetSoundsVol(), nullptr);
}

TEST_F(SoundsCollectionControllerTest, EveryTokenTheOptionsAndSoundsTablesUseIsInTheEnglishTexts) {
  const std::string english = qwtest::ReadWholeFile(qwtest::SourceDir() + "/resources/CommonTexts/English.txt");
  int tokens = 0;
  for (const ScreenLayout *layout :
       {&SoundsCollectionController::GetLayout(), &OptionsCollectionController::GetLayout()}) {
    const ScreenLayoutWindow &window = layout->windows[0];
    for (int n = 0; n < window.num_widgets; n++)
      for (int device = 0; device < ENG_NUM_LAYOUTS; device++) {
        const ScreenLayoutWidget *row = ScreenLayoutGetWidget(window, n, _EngLayout(device));
        // Choices and sliders are filled by their screens; every other text goes by token.
        if (row->settings.token_rule != 1 || !row->text[0]) continue;
        const std::string token = std::string(layout->collection) + "_" + row->id;
        EXPECT_NE(english.find("\n" + token + "=" + row->text), std::string::npos) << token;
        tokens++;
      }
  }
  EXPECT_EQ(tokens, 5 * (10 + 9));
}

}  // namespace
