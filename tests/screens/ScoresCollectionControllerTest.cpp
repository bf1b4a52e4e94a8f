// The high-score screen's generated layout on the real toolkit: what each device layout
// builds, the widget order, a tab panel that cannot be made, and its texts' tokens.
#include "screens/layouts/ScoresCollectionController.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinTabPanel.h"
#include "Engine/MWin/MWinWindow.h"
#include "screens/ScreenLayout.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/screens/LayoutTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class ScoresLayout : public qwtest::LayoutOnly<ScoresCollectionController> {
 public:
  std::array<MWinButton *, 16> Members() {
    return {mwinScoresMainTitleButton,  mwinScoresMainHeadingButton, mwinScoresMainLevel0Button,
            mwinScoresMainLevel1Button, mwinScoresMainLevel2Button,  mwinScoresMainLevel3Button,
            mwinScoresMainWhichButton,  mwinScoresMainRangeButton,   mwinScoresMainScoresButton,
            mwinScoresMainUpdateButton, mwinScoresMainSubmitButton,  mwinScoresMainFindMeButton,
            mwinScoresMainResetButton,  mwinScoresMainBackButton,    mwinScoresMainDbgDeleteButton,
            mwinScoresMainInfoButton};
  }
};

const char *const kOrder[16] = {"Title",  "Heading", "Level0", "Level1", "Level2", "Level3",    "Which", "Range",
                                "Scores", "Update",  "Submit", "FindMe", "Reset",  "Back", "DbgDelete", "Info"};

class ScoresCollectionControllerTest : public qwtest::LayoutTest {
 protected:
  void TearDown() override {
    ScreenLayoutFailWidgetForTests(nullptr);
    MWinTest::TearDown();
  }
};

TEST_F(ScoresCollectionControllerTest, EachDeviceLayoutBuildsItsRectangles) {
  struct Case {
    int layout;
    const char *id;
    _Dimension area;
    bool shown;
  } cases[] = {
      {0, "Title", {128, 0, 384, 84}, true},       {0, "Scores", {10, 155, 620, 280}, true},
      {0, "Info", {275, 440, 281.6f, 30}, true},   {0, "DbgDelete", {15, 5, 40, 15}, true},
      {1, "Scores", {10, 155, 620, 280}, true},    {4, "Level2", {480, 80, 70, 70}, true},
      {3, "Scores", {10, 155, 620, 275}, true},    {3, "Back", {565, 440, 65, 30}, true},
      {2, "Title", {40, 180, 52, 84}, false},      {2, "Range", {275, 45, 205, 50}, true},
      {2, "Info", {345, 420, 200, 50}, true},      {7, "Scores", {10, 155, 620, 280}, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.layout) + " " + c.id);
    mwin->SetScreenLayout(_EngLayout(c.layout));
    ScoresLayout scores;
    ASSERT_EQ(scores.CreateCollection(mwin), 1);
    ASSERT_NE(scores.mwinScoresMainWindow, nullptr);
    MWinButton *b = scores.mwinScoresMainWindow->GetButtonFromID(c.id, 0);
    ASSERT_NE(b, nullptr);
    qwtest::ExpectArea(b->GetOrigArea(), c.area);
    EXPECT_EQ(b->IsShown() ? true : false, c.shown);
    ASSERT_NO_FATAL_FAILURE(qwtest::ExpectMembersInOrder(scores.Members(), scores.mwinScoresMainWindow, kOrder));
    EXPECT_EQ(scores.mwinScoresMainScoresButton->GetType(), MWIN_BUTTON_TAB_PANEL);
    EXPECT_EQ(scores.GetScoresTable(), scores.mwinScoresMainScoresButton);
    EXPECT_EQ(scores.mwinScoresMainWindow->GetController(0), &scores);
    Desktop()->RemoveAllCollections();
  }
}

TEST_F(ScoresCollectionControllerTest, AMissingTablePanelLeavesOnlyItsMemberEmpty) {
  ScreenLayoutFailWidgetForTests("Scores");
  ScoresLayout scores;
  std::string log = qwtest::Logged([&] { EXPECT_EQ(scores.CreateCollection(mwin), 1); });
  EXPECT_NE(log.find("Could not add button(s) to window"), std::string::npos) << log;
  EXPECT_NE(log.find("ScoresCollectionController::AddMainWindowButtonsToWindowNormal"), std::string::npos) << log;
  EXPECT_EQ(scores.mwinScoresMainScoresButton, nullptr);
  EXPECT_NE(scores.mwinScoresMainUpdateButton, nullptr);
  EXPECT_NE(scores.mwinScoresMainInfoButton, nullptr);
  scores.RemoveVars();
  for (MWinButton *member : scores.Members()) EXPECT_EQ(member, nullptr);
  EXPECT_EQ(scores.mwinScoresMainWindow, nullptr);
  EXPECT_EQ(scores.mwinScoresCollection, nullptr);
}

TEST_F(ScoresCollectionControllerTest, TextsAndLook) {
  ScoresLayout scores;
  ASSERT_EQ(scores.CreateCollection(mwin), 1);
  EXPECT_STREQ(scores.mwinScoresMainHeadingButton->GetTextP(), "HIGH SCORES");
  EXPECT_STREQ(scores.mwinScoresMainFindMeButton->GetTextP(), "Me");
  EXPECT_STREQ(scores.mwinScoresMainDbgDeleteButton->GetTextP(), "Delete");
  EXPECT_STREQ(scores.mwinScoresMainInfoButton->GetFontID(), "Main");
  float sx = 0, sy = 0;
  scores.mwinScoresMainInfoButton->GetTextScaleNoOrientation(&sx, &sy);
  EXPECT_FLOAT_EQ(sx, 0.9f);
  EXPECT_FLOAT_EQ(sy, 0.95f);
  _ColourRGBA colour;
  scores.mwinScoresMainLevel0Button->GetTextColour(&colour);
  EXPECT_FLOAT_EQ(colour.r, 0.0f);
  EXPECT_FLOAT_EQ(colour.a, 0.7f);

  const std::string english = qwtest::ReadWholeFile(qwtest::SourceDir() + "/resources/CommonTexts/English.txt");
  const ScreenLayoutWindow &window = ScoresCollectionController::GetLayout().windows[0];
  for (int i = 0; i < window.num_widgets; i++) {
    const ScreenLayoutWidget &w = window.widgets[i];
    if (w.settings.token_rule != 1 || !w.text[0]) continue;
    const std::string line = std::string("\n") + "Scores_" + w.id + "=" + w.text + "\r\n";
    EXPECT_NE(english.find(line), std::string::npos) << w.id;
  }
}

}  // namespace
