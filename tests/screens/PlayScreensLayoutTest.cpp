// The garden selection's, the notice's and the pause screen's generated layouts on the real
// toolkit: sample rectangles and hidden flags per device layout, the gardens' grid, every member
// stored, the texts' tokens; and the difficulty bytes as the selection reads and cycles them.
#include <gtest/gtest.h>

#include <string>

#include "Engine/EngFont.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinWindow.h"
#include "players/UserInfo.h"
#include "screens/ScreenLayout.h"
#include "screens/SelectCC.h"
#include "screens/layouts/NoticeCollectionController.h"
#include "screens/layouts/PauseCollectionController.h"
#include "screens/layouts/SelectCollectionController.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/screens/LayoutTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

// With the table-order member list in reach.
template <class Layout>
class Built : public qwtest::LayoutOnly<Layout> {
 public:
  using Layout::Widgets;
};

class PlayScreensLayoutTest : public qwtest::LayoutTest {
 protected:
  void TearDown() override {
    mwin->SetScreenLayout(ENG_LAYOUT_DESKTOP);
    MWinTest::TearDown();
  }
  // Builds the layout for a device layout; checks every member is built, stored in builder order
  // and that the window is the layout's; answers the window.
  template <class Layout>
  MWinWindow *Build(Built<Layout> *layout, int device, MWinWindow *Layout::*window, const char *collection) {
    mwin->SetScreenLayout(_EngLayout(device));
    EXPECT_EQ(layout->CreateCollection(mwin), 1);
    MWinWindow *w = layout->*window;
    EXPECT_NE(w, nullptr);
    if (!w) return nullptr;
    EXPECT_NE(Desktop()->GetCollectionFromID(collection, 0), nullptr);
    const ScreenLayoutWindow &table = Layout::GetLayout().windows[0];
    int n = 0;
    for (MWinButton **member : layout->Widgets()) {
      EXPECT_NE(*member, nullptr) << table.widgets[n].id;
      EXPECT_EQ(*member, w->GetButtonFromID(table.widgets[n].id, 0)) << table.widgets[n].id;
      n++;
    }
    EXPECT_EQ(n, table.num_widgets);
    EXPECT_EQ(w->GetController(0), layout);
    return w;
  }
  static void ExpectArea(MWinButton *b, const _Dimension &area) {
    qwtest::ExpectArea(b->GetOrigArea(), area);
  }
};

struct Sample {
  const char *screen;  // "Select", "Notice" or "Pause"
  int layout;
  const char *id;
  _Dimension area;
  bool shown;
};

TEST_F(PlayScreensLayoutTest, SampleRectanglesAndHiddenFlagsPerDeviceLayout) {
  const Sample samples[] = {
      {"Select", 0, "Title", {128, 0, 384, 84}, true},          {"Select", 0, "SelectT", {120, 80, 400, 40}, true},
      {"Select", 0, "Bg3", {328, 297, 154, 146}, true},         {"Select", 0, "Level2", {160, 300, 150, 140}, true},
      {"Select", 0, "Diff1", {333, 256, 67, 22}, true},         {"Select", 0, "Back", {550, 440, 80, 30}, true},
      {"Select", 1, "Diff3", {332, 397, 146, 40}, true},        {"Select", 1, "Back", {520, 430, 115, 45}, true},
      {"Select", 2, "Bg1", {327, 137, 156, 146}, true},         {"Select", 2, "Back", {550, 420, 80, 50}, true},
      {"Select", 2, "Level1", {330, 140, 150, 140}, true},      {"Select", 3, "Diff2", {163, 407, 95, 30}, true},
      {"Select", 4, "Bg2", {158, 298, 154, 144}, true},         {"Select", 7, "Diff0", {163, 256, 67, 22}, true},
      {"Notice", 0, "Frame", {132.5f, 142.5f, 375, 195}, true}, {"Notice", 0, "Ok", {265, 297.5f, 110, 30}, true},
      {"Notice", 3, "Text", {142.5f, 154.5f, 355, 133}, true},  {"Notice", 4, "Title", {128, 0, 384, 84}, true},
      {"Pause", 0, "Resume", {220, 120, 200, 35}, true},        {"Pause", 0, "Save", {220, 420, 200, 35}, true},
      {"Pause", 1, "Options", {150, 350, 340, 40}, true},       {"Pause", 1, "Save", {0, 320, 95, 40}, false},
      {"Pause", 2, "Resume", {210, 115, 220, 50}, true},        {"Pause", 2, "Quit", {210, 420, 220, 50}, true},
      {"Pause", 2, "Title", {128, 0, 384, 84}, true},           {"Pause", 2, "Save", {60, 400, 90, 40}, false},
      {"Pause", 3, "Save", {30, 380, 95, 30}, false},           {"Pause", 4, "Save", {100, 395, 55, 40}, false},
      {"Pause", 4, "Help", {220, 260, 200, 40}, true},          {"Pause", 7, "Save", {220, 420, 200, 35}, true},
  };
  for (const Sample &s : samples) {
    SCOPED_TRACE(std::string(s.screen) + " " + std::to_string(s.layout) + " " + s.id);
    Built<SelectCollectionController> select;
    Built<NoticeCollectionController> notice;
    Built<PauseCollectionController> pause;
    MWinWindow *w = nullptr;
    if (std::string(s.screen) == "Select")
      w = Build(&select, s.layout, &SelectCollectionController::mwinSelectMainWindow, "Select");
    else if (std::string(s.screen) == "Notice")
      w = Build(&notice, s.layout, &NoticeCollectionController::mwinNoticeNoticeWindow, "Notice");
    else
      w = Build(&pause, s.layout, &PauseCollectionController::mwinPauseMainWinWindow, "Pause");
    ASSERT_NE(w, nullptr);
    MWinButton *b = w->GetButtonFromID(s.id, 0);
    ASSERT_NE(b, nullptr);
    ExpectArea(b, s.area);
    EXPECT_EQ(b->IsShown() ? true : false, s.shown);
    Desktop()->RemoveAllCollections();
  }
}

TEST_F(PlayScreensLayoutTest, EveryLayoutKeepsTheGardensGridWithButtonsOnPicturesOnFrames) {
  for (int device = 0; device < ENG_NUM_LAYOUTS; device++) {
    SCOPED_TRACE(device);
    Built<SelectCollectionController> select;
    MWinWindow *w = Build(&select, device, &SelectCollectionController::mwinSelectMainWindow, "Select");
    ASSERT_NE(w, nullptr);
    auto area = [w](const char *group, int g) {
      return *w->GetButtonFromID((std::string(group) + std::to_string(g)).c_str(), 0)->GetOrigArea();
    };
    auto inside = [](const _Dimension &in, const _Dimension &out) {
      return in.x >= out.x && in.y >= out.y && in.x + in.width <= out.x + out.width &&
             in.y + in.height <= out.y + out.height;
    };
    for (const char *group : {"Bg", "Level", "Diff"}) {
      const _Dimension first = area(group, 0);
      for (int g = 1; g < 4; g++) {
        const _Dimension a = area(group, g);
        EXPECT_FLOAT_EQ(a.x, first.x + 170 * (g % 2)) << group << g;
        EXPECT_FLOAT_EQ(a.y, first.y + 160 * (g / 2)) << group << g;
        EXPECT_FLOAT_EQ(a.width, first.width) << group << g;
        EXPECT_FLOAT_EQ(a.height, first.height) << group << g;
      }
    }
    for (int g = 0; g < 4; g++) {
      EXPECT_TRUE(inside(area("Level", g), area("Bg", g))) << g;
      EXPECT_TRUE(inside(area("Diff", g), area("Level", g))) << g;
      // Over the picture's lower half.
      EXPECT_GT(area("Diff", g).y, area("Level", g).y + area("Level", g).height / 2) << g;
      MWinButton *picture = w->GetButtonFromID(("Level" + std::to_string(g)).c_str(), 0);
      EXPECT_EQ(picture->GetType(), MWIN_BUTTON_STATIC);
      EXPECT_EQ(picture->HasText(), 0);
    }
    Desktop()->RemoveAllCollections();
  }
  Built<SelectCollectionController> select;
  ASSERT_EQ(select.CreateCollection(mwin), 1);
  select.RemoveVars();
  EXPECT_EQ(select.mwinSelectCollection, nullptr);
  EXPECT_EQ(select.mwinSelectMainWindow, nullptr);
  for (MWinButton **member : select.Widgets()) EXPECT_EQ(*member, nullptr);
}

TEST_F(PlayScreensLayoutTest, EveryTokenTheThreeTablesUseIsInTheEnglishTexts) {
  const std::string english = qwtest::ReadWholeFile(qwtest::SourceDir() + "/resources/CommonTexts/English.txt");
  int tokens = 0;
  for (const ScreenLayout *layout : {&SelectCollectionController::GetLayout(), &NoticeCollectionController::GetLayout(),
                                     &PauseCollectionController::GetLayout()}) {
    const ScreenLayoutWindow &window = layout->windows[0];
    for (int n = 0; n < window.num_widgets; n++)
      for (int device = 0; device < ENG_NUM_LAYOUTS; device++) {
        const ScreenLayoutWidget *row = ScreenLayoutGetWidget(window, n, _EngLayout(device));
        if (row->settings.token_rule != 1 || !row->text[0]) continue;
        const std::string token = std::string(layout->collection) + "_" + row->id;
        EXPECT_NE(english.find("\n" + token + "=" + row->text + "\n"), std::string::npos) << token;
        tokens++;
      }
  }
  // "SelectT" and "Back"; "Ok"; the seven commands.
  EXPECT_EQ(tokens, 5 * (2 + 1 + 7));
}

TEST(SelectDifficultiesTest, StoredBytesArePutInRangeShownAndCycled) {
  struct Case {
    int highest, chosen;
    int stored_highest, stored_chosen;  // after the screen read them
    bool shown;
    int after_press;
  } cases[] = {
      {0, 0, 0, 0, false, 0},       {1, 0, 1, 0, true, 1},     {1, 1, 1, 1, true, 0},    {2, 0, 2, 0, true, 1},
      {2, 1, 2, 1, true, 2},        {2, 2, 2, 2, true, 0},     {1, 2, 1, 1, true, 0},    {0, 2, 0, 0, false, 0},
      {3, 1, 0, 0, false, 0},       {2, 3, 2, 0, true, 1},     {200, 0, 0, 0, false, 0}, {2, 200, 2, 0, true, 1},
      {0x80, 0x80, 0, 0, false, 0}, {0xFF, 1, 0, 0, false, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.highest) + "/" + std::to_string(c.chosen));
    _UserGardenProgress p = {};
    p.highest_difficulty = EngInt8(c.highest);
    p.chosen_difficulty = EngInt8(c.chosen);
    EXPECT_EQ(SelectCC::NextDifficulty(&p), c.after_press);
    EXPECT_EQ(SelectCC::PutDifficultiesInRange(&p), c.stored_chosen);
    EXPECT_EQ(p.highest_difficulty, c.stored_highest);
    EXPECT_EQ(p.chosen_difficulty, c.stored_chosen);
    EXPECT_EQ(p.highest_difficulty >= 1, c.shown);
  }
  EXPECT_EQ(SelectCC::PutDifficultiesInRange(nullptr), 0);
}

}  // namespace
