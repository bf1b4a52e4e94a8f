// The layout builder on the real toolkit, through the main menu's, the debug settings' and the
// on-screen keyboard's tables: what each device layout builds, failures and what survives them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinTextEntryMobile.h"
#include "screens/ScreenLayout.h"
#include "screens/layouts/AboutCollectionController.h"
#include "screens/layouts/CountryCollectionController.h"
#include "screens/layouts/DebugCollectionController.h"
#include "screens/layouts/HelpCollectionController.h"
#include "screens/layouts/KeyInputCollectionController.h"
#include "screens/layouts/LogCollectionController.h"
#include "screens/layouts/MainCollectionController.h"
#include "screens/layouts/NoticeCollectionController.h"
#include "screens/layouts/OptionsCollectionController.h"
#include "screens/layouts/PauseCollectionController.h"
#include "screens/layouts/PopupCollectionController.h"
#include "screens/layouts/ScoresCollectionController.h"
#include "screens/layouts/SelectCollectionController.h"
#include "screens/layouts/SoundsCollectionController.h"
#include "screens/layouts/SystemCollectionController.h"
#include "screens/layouts/UserLoadCollectionController.h"
#include "screens/layouts/UserNewCollectionController.h"
#include "screens/layouts/UserSelectCollectionController.h"
#include "screens/layouts/UsersCollectionController.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/screens/LayoutTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

// The generated layout alone: no behaviour.
using MainLayout = qwtest::LayoutOnly<MainCollectionController>;

using SelectLayout = qwtest::LayoutOnly<UserSelectCollectionController>;

using DebugLayout = qwtest::LayoutOnly<DebugCollectionController>;

using HelpLayout = qwtest::LayoutOnly<HelpCollectionController>;

using AboutLayout = qwtest::LayoutOnly<AboutCollectionController>;

class ScreenLayoutTest : public qwtest::LayoutTest {
 protected:
  void TearDown() override {
    ScreenLayoutFailWidgetForTests(nullptr);
    MWinTest::TearDown();
  }
  MWinButton *Widget(MainLayout &main, const char *id) {
    return main.mwinMainMainWindow ? main.mwinMainMainWindow->GetButtonFromID(id, 0) : nullptr;
  }
  std::array<MWinButton *, 14> Members(MainLayout &m) {
    return {m.mwinMainMainTitleButton, m.mwinMainMainVersionButton,    m.mwinMainMainWelcomeButton,
            m.mwinMainMainPlayButton,  m.mwinMainMainHelpButton,       m.mwinMainMainScoresButton,
            m.mwinMainMainSoundButton, m.mwinMainMainOptionsButton,    m.mwinMainMainAboutButton,
            m.mwinMainMainUserButton,  m.mwinMainMainOtherGamesButton, m.mwinMainMainExitButton,
            m.mwinMainMainDebugButton, m.mwinMainMainReviewButton};
  }
};

TEST_F(ScreenLayoutTest, EachDeviceLayoutBuildsItsOwnRectanglesAndHiddenWidgets) {
  struct Case {
    int layout;
    const char *id;
    _Dimension area;
    bool shown;
  };
  const Case cases[] = {
      {0, "Play", {235, 205, 170, 40}, true},
      {0, "Exit", {330, 400, 150, 30}, true},
      {0, "Debug", {10, 450, 50, 20}, true},
      {0, "Version", {560, 0, 75, 20}, true},
      {1, "Exit", {265, 425, 150, 30}, false},
      {2, "Help", {50, 250, 250, 60}, true},
      {2, "Version", {530, 450, 105, 25}, false},
      {2, "Exit", {265, 425, 150, 30}, false},
      {3, "Review", {192.5f, 145, 255, 30}, true},
      {4, "Exit", {435, 440, 150, 30}, false},
      {4, "OtherGames", {245, 410, 150, 35}, true},
      // A layout that is none of the five builds the desktop's.
      {7, "Play", {235, 205, 170, 40}, true},
      {7, "Exit", {330, 400, 150, 30}, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.layout) + " " + c.id);
    mwin->SetScreenLayout(_EngLayout(c.layout));
    MainLayout main;
    ASSERT_EQ(main.CreateCollection(mwin), 1);
    ASSERT_NE(main.mwinMainMainWindow, nullptr);
    MWinButton *b = Widget(main, c.id);
    ASSERT_NE(b, nullptr);
    qwtest::ExpectArea(b->GetOrigArea(), c.area);
    EXPECT_EQ(b->IsShown() ? true : false, c.shown);
    for (MWinButton *member : Members(main)) EXPECT_NE(member, nullptr);
    EXPECT_EQ(main.mwinMainMainWindow->GetController(0), &main);
    Desktop()->RemoveAllCollections();
  }
}

TEST_F(ScreenLayoutTest, TheHelpAndAboutLayoutsPlaceAndHideTheirWidgetsPerDeviceLayout) {
  struct Case {
    const char *collection;
    int layout;
    const char *id;
    _Dimension area;
    bool shown;
  };
  const Case cases[] = {
      {"Help", 0, "Info", {85, 115, 470, 270}, true},
      {"Help", 0, "Keys", {10, 440, 80, 30}, true},
      {"Help", 0, "Title", {128, 0, 384, 84}, true},
      {"Help", 1, "Info", {10, 5, 620, 420}, true},
      {"Help", 1, "Title", {128, 0, 384, 84}, false},
      {"Help", 1, "Keys", {10, 430, 80, 45}, false},
      {"Help", 1, "Prev", {10, 430, 130, 45}, true},
      {"Help", 2, "Info", {0, 0, 640, 415}, true},
      {"Help", 2, "Title", {128, 0, 384, 84}, false},
      {"Help", 3, "Title", {128, 0, 384, 84}, true},
      {"Help", 3, "Keys", {10, 440, 80, 30}, false},
      {"Help", 4, "Info", {25, 85, 590, 340}, true},
      {"Help", 4, "Keys", {10, 440, 80, 35}, false},
      {"Help", 4, "Back", {550, 440, 80, 35}, true},
      {"About", 0, "HomePage", {10, 440, 80, 30}, true},
      {"About", 0, "Version", {240, 90, 160, 10}, true},
      {"About", 1, "HomePage", {10, 440, 80, 30}, true},
      {"About", 1, "Back", {550, 440, 80, 30}, true},
      {"About", 2, "HomePage", {10, 420, 110, 50}, true},
      {"About", 2, "Back", {520, 420, 110, 50}, true},
      {"About", 3, "Forums", {190, 440, 80, 30}, true},
      {"About", 3, "Logs", {370, 440, 80, 30}, true},
      {"About", 4, "Logs", {360, 435, 100, 35}, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.collection) + " " + std::to_string(c.layout) + " " + c.id);
    mwin->SetScreenLayout(_EngLayout(c.layout));
    HelpLayout help;
    AboutLayout about;
    const bool is_help = std::string(c.collection) == "Help";
    MWinWindow *window = nullptr;
    if (is_help) {
      ASSERT_EQ(help.CreateCollection(mwin), 1);
      window = help.mwinHelpHelpWindow;
      for (MWinButton *member : {help.mwinHelpHelpTitleButton, help.mwinHelpHelpPrevButton, help.mwinHelpHelpNextButton,
                                 help.mwinHelpHelpKeysButton, help.mwinHelpHelpBackButton, help.mwinHelpHelpInfoButton})
        EXPECT_NE(member, nullptr);
      // The text box is the script text box, reached through its own type.
      EXPECT_NE(help.GetInfoBox(), nullptr);
    } else {
      ASSERT_EQ(about.CreateCollection(mwin), 1);
      window = about.mwinAboutAboutWindow;
    }
    ASSERT_NE(window, nullptr);
    EXPECT_STREQ(window->GetID(), c.collection);
    EXPECT_FLOAT_EQ(window->GetOrigArea()->width, 640);
    MWinButton *b = window->GetButtonFromID(c.id, 0);
    ASSERT_NE(b, nullptr);
    qwtest::ExpectArea(b->GetOrigArea(), c.area);
    EXPECT_EQ(b->IsShown() ? true : false, c.shown);
    Desktop()->RemoveAllCollections();
  }
  mwin->SetScreenLayout(ENG_LAYOUT_DESKTOP);
}

TEST_F(ScreenLayoutTest, AboutLayoutsOneAndThreeAreTheDesktopsAndTheVersionKeepsItsOwnLook) {
  auto areas = [&](int layout) {
    mwin->SetScreenLayout(_EngLayout(layout));
    AboutLayout about;
    EXPECT_EQ(about.CreateCollection(mwin), 1);
    std::vector<std::array<float, 4>> out;
    for (MWinButton *b : {about.mwinAboutAboutTitleButton, about.mwinAboutAboutHomePageButton,
                          about.mwinAboutAboutForumsButton, about.mwinAboutAboutLogsButton,
                          about.mwinAboutAboutBackButton, about.mwinAboutAboutVersionButton}) {
      if (!b) return out;
      const _Dimension *a = b->GetOrigArea();
      out.push_back({a->x, a->y, a->width, a->height});
    }
    if (layout == 0) {
      MWinButton *version = about.mwinAboutAboutVersionButton;
      EXPECT_EQ(version->GetType(), MWIN_BUTTON_STATIC);
      EXPECT_EQ(version->IsLanguageTokenMode(), 0);
      float sx = 0, sy = 0;
      version->GetTextScaleNoOrientation(&sx, &sy);
      EXPECT_FLOAT_EQ(sx, 0.9f);
      EXPECT_FLOAT_EQ(sy, 0.95f);
      EXPECT_STREQ(about.mwinAboutAboutHomePageButton->GetTextP(), "Home Page");
      EXPECT_STREQ(about.mwinAboutAboutWindow->GetTitleText(), "About");
    }
    Desktop()->RemoveAllCollections();
    return out;
  };
  const auto desktop = areas(0);
  ASSERT_EQ(desktop.size(), 6u);
  EXPECT_EQ(areas(1), desktop);
  EXPECT_EQ(areas(3), desktop);
  EXPECT_NE(areas(2), desktop);
  mwin->SetScreenLayout(ENG_LAYOUT_DESKTOP);
}

TEST_F(ScreenLayoutTest, WidgetsGetTheirLookAndTheirLanguageTokens) {
  MainLayout main;
  ASSERT_EQ(main.CreateCollection(mwin), 1);
  MWinButton *play = main.mwinMainMainPlayButton;
  ASSERT_NE(play, nullptr);
  EXPECT_EQ(play->GetType(), MWIN_BUTTON_PUSH);
  EXPECT_STREQ(play->GetFontID(), "Main");
  EXPECT_EQ(play->GetTextAlign(), MWIN_ALIGN_CENTRE);
  _ColourRGBA colour;
  play->GetTextColour(&colour);
  EXPECT_FLOAT_EQ(colour.a, 0.7f);
  float sx = 0, sy = 0;
  play->GetTextScaleNoOrientation(&sx, &sy);
  EXPECT_FLOAT_EQ(sx, 1.0f);
  EXPECT_FLOAT_EQ(sy, 1.1f);
  EXPECT_STREQ(play->GetTextP(), "New Game");
  EXPECT_EQ(main.mwinMainMainTitleButton->GetType(), MWIN_BUTTON_STATIC);
  // Placeholders carry no token; the others carry "<Collection>_<Id>" once texts are loaded.
  EXPECT_STREQ(main.mwinMainMainWelcomeButton->GetTextP(), "Wecome, Name.");
  EXPECT_EQ(main.mwinMainMainWelcomeButton->IsLanguageTokenMode(), 0);
}

// Tab, the toolkit's own walk over the desktop layout as its table builds it, stops only on
// what a player can press: never on a label, a frame or a message, which show nothing under
// the pointer. A screen's title picture, which asks to go online, is one of its stops; being
// first in its table, it is the walk's last.
template <class Layout>
std::vector<std::string> TabStops(MWin *mwin) {
  static qwtest::LayoutOnly<Layout> layout;
  layout.RemoveVars();
  EXPECT_EQ(layout.CreateCollection(mwin), 1);
  MWinCollection *c = mwin->GetDesktop()->GetActiveCollection();
  MWinWindow *w = c ? c->GetActiveWindow() : nullptr;
  std::vector<std::string> stops;
  if (!w) {
    ADD_FAILURE() << "no window";
    return stops;
  }
  // From an empty corner of the screen, round once.
  mwin->MoveMouse(1.0f, 479.0f);
  for (int i = 0; i < 40; i++) {
    if (!w->HandleKeyDown(9)) break;
    MWinButton *on = w->GetActiveButton();
    std::string id = on ? on->GetID() : "";
    if (!stops.empty() && id == stops.front()) break;
    stops.push_back(id);
  }
  mwin->GetDesktop()->RemoveCollection(c->GetID());
  layout.RemoveVars();
  return stops;
}

TEST_F(ScreenLayoutTest, TabStopsOnlyOnWhatAPlayerCanPress) {
  using V = std::vector<std::string>;
  EXPECT_EQ(TabStops<PauseCollectionController>(mwin),
            (V{"Resume", "Scores", "Help", "Sounds", "Options", "Quit", "Save", "Title"}));
  EXPECT_EQ(TabStops<NoticeCollectionController>(mwin), (V{"Ok"}));
  EXPECT_EQ(TabStops<UserNewCollectionController>(mwin), (V{"Back", "Country", "Continue", "Name"}));
  EXPECT_EQ(TabStops<AboutCollectionController>(mwin), (V{"HomePage", "Forums", "Logs", "Back", "Title"}));
  EXPECT_EQ(TabStops<HelpCollectionController>(mwin), (V{"Prev", "Next", "Keys", "Back", "Info", "Title"}));
  EXPECT_EQ(TabStops<OptionsCollectionController>(mwin),
            (V{"ShowRes", "ShowResInfo", "OneUser", "OneUserInfo", "Power", "DateFormat", "PowerInfo",
               "DateFormatInfo", "Back", "Title"}));
  EXPECT_EQ(TabStops<SoundsCollectionController>(mwin),
            (V{"SoundsOn", "SoundsVol", "MainMusicOn", "MainMusicOnWhen", "MainMusicVol", "WinMusicOn", "WinMusicVol",
               "GoMusicVol", "GoMusicOn", "Back", "Title"}));
  EXPECT_EQ(TabStops<SystemCollectionController>(mwin), (V{"Mode", "Res", "Freq", "Aa", "AaInfo", "Change"}));
  EXPECT_EQ(TabStops<ScoresCollectionController>(mwin),
            (V{"Level0", "Level1", "Level2", "Level3", "Which", "Range", "Scores", "Update", "Submit", "FindMe",
               "Reset", "Back", "DbgDelete"}));
}

// The players' screens' widgets whose kind or default text their screens do not change later.
TEST_F(ScreenLayoutTest, ThePlayersScreensMakeTheirWidgetsOfTheirKindsAndTexts) {
  struct Case {
    const ScreenLayout *layout;
    const char *id;
    _MWinButtonType kind;
    const char *text;
  };
  const Case cases[] = {
      {&UsersCollectionController::GetLayout(), "New", MWIN_BUTTON_PUSH, "Setup Player"},
      {&UserNewCollectionController::GetLayout(), "NameText", MWIN_BUTTON_PUSH, "User Name"},
      {&UserNewCollectionController::GetLayout(), "CountryText", MWIN_BUTTON_PUSH, "Country"},
      {&UserNewCollectionController::GetLayout(), "SolTextPic", MWIN_BUTTON_PUSH, ""},
  };
  for (const Case &c : cases) {
    const ScreenLayoutWindow &window = c.layout->windows[0];
    for (int device = 0; device < ENG_NUM_LAYOUTS; device++) {
      SCOPED_TRACE(std::string(c.id) + " layout " + std::to_string(device));
      const ScreenLayoutWidget *row = nullptr;
      for (int n = 0; n < window.num_widgets && !row; n++) {
        const ScreenLayoutWidget *r = ScreenLayoutGetWidget(window, n, _EngLayout(device));
        if (strcmp(r->id, c.id) == 0) row = r;
      }
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(row->kind, c.kind);
      EXPECT_STREQ(row->text, c.text);
    }
  }
}

TEST_F(ScreenLayoutTest, EveryTokenTheTablesUseIsInTheEnglishTexts) {
  const std::string english = qwtest::ReadWholeFile(qwtest::SourceDir() + "/resources/CommonTexts/English.txt");
  for (const ScreenLayout *layout :
       {&MainCollectionController::GetLayout(), &DebugCollectionController::GetLayout(),
        &KeyInputCollectionController::GetLayout(), &HelpCollectionController::GetLayout(),
        &AboutCollectionController::GetLayout(), &LogCollectionController::GetLayout(),
        &LogCollectionController::GetDeviceLayout(), &UsersCollectionController::GetLayout(),
        &UserNewCollectionController::GetLayout(), &CountryCollectionController::GetLayout(),
        &PopupCollectionController::GetLayout(), &UserLoadCollectionController::GetLayout()}) {
    for (int w = 0; w < layout->num_windows; w++) {
      const ScreenLayoutWindow &window = layout->windows[w];
      for (int n = 0; n < window.num_widgets; n++) {
        for (int device = 0; device < ENG_NUM_LAYOUTS; device++) {
          const ScreenLayoutWidget *row = ScreenLayoutGetWidget(window, n, _EngLayout(device));
          std::string token;
          if (row->settings.token_rule == 1 && row->text[0])
            token = std::string(layout->collection) + "_" + row->id;
          else if (row->settings.token_rule == 2)
            token = row->settings.token;
          if (token.empty()) continue;
          // The first players screen's "New" is made as "Setup Player" and shows its token's text.
          const bool own_default = token == "Users_New" && std::string(row->text) == "Setup Player";
          EXPECT_NE(english.find("\n" + token + "=" + (own_default ? "" : row->text)), std::string::npos) << token;
        }
      }
      for (const char *token : {window.record.title_token, window.record.hide_token, window.record.extra_token})
        if (token[0]) {
          EXPECT_NE(english.find(std::string("\n") + token + "="), std::string::npos) << token;
        }
    }
  }
}

TEST_F(ScreenLayoutTest, ARowOfNoKindIsAWidgetThatLayoutDoesNotMake) {
  // The select player screen: no always-load box or device button on the desktop, no Exit on
  // phones and tablets.
  struct Case {
    _EngLayout layout;
    bool exit, always_load, device;
  } cases[] = {{ENG_LAYOUT_DESKTOP, true, false, false}, {ENG_LAYOUT_PHONE_LANDSCAPE, false, true, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(int(c.layout));
    mwin->SetScreenLayout(c.layout);
    SelectLayout select;
    std::string log = qwtest::Logged([&] { ASSERT_EQ(select.CreateCollection(mwin), 1); });
    EXPECT_EQ(log.find("Could not add"), std::string::npos) << log;
    EXPECT_EQ(select.mwinUserSelectMainWinExitButton != nullptr, c.exit);
    EXPECT_EQ(select.mwinUserSelectMainWinAlwaysLoadButton != nullptr, c.always_load);
    EXPECT_EQ(select.mwinUserSelectMainWinDeviceButton != nullptr, c.device);
    ASSERT_NE(select.mwinUserSelectMainWinPanelButton, nullptr);
    EXPECT_EQ(select.mwinUserSelectMainWinPanelButton->GetType(), MWIN_BUTTON_PANEL);
    mwin->GetDesktop()->RemoveCollection("UserSelect");
  }
  mwin->SetScreenLayout(ENG_LAYOUT_DESKTOP);
}

TEST_F(ScreenLayoutTest, ASecondBuildWhileTheFirstIsUpMakesNothing) {
  MainLayout first, second;
  ASSERT_EQ(first.CreateCollection(mwin), 1);
  std::string log = qwtest::Logged([&] { EXPECT_EQ(second.CreateCollection(mwin), 0); });
  EXPECT_EQ(second.mwinMainCollection, nullptr);
  EXPECT_EQ(second.mwinMainMainWindow, nullptr);
  EXPECT_NE(log.find("MainCollectionController::AddCollectionToDesktop"), std::string::npos) << log;
  EXPECT_NE(log.find("Could not create collection <Main>"), std::string::npos) << log;
  EXPECT_EQ(first.CreateCollection(nullptr), 0);
}

TEST_F(ScreenLayoutTest, AFailingWidgetLeavesOnlyItsOwnMemberEmpty) {
  ScreenLayoutFailWidgetForTests("Sound");
  MainLayout main;
  std::string log = qwtest::Logged([&] { EXPECT_EQ(main.CreateCollection(mwin), 1); });
  EXPECT_EQ(main.mwinMainMainSoundButton, nullptr);
  int built = 0;
  for (MWinButton *member : Members(main)) built += member ? 1 : 0;
  EXPECT_EQ(built, 13);
  EXPECT_NE(main.mwinMainMainOptionsButton, nullptr);
  ASSERT_NE(main.mwinMainMainWindow, nullptr);
  EXPECT_EQ(main.mwinMainMainWindow->GetController(0), &main);
  EXPECT_NE(
      log.find("MainCollectionController::AddMainWindowButtonsToWindowNormal )    Could not add button(s) to window"),
      std::string::npos)
      << log;
  // Without the opening bracket: clang's signature of a function returning a pointer puts the
  // star before the name, and the short name keeps it.
  EXPECT_NE(
      log.find("MainCollectionController::AddMainWindowToCollectionNormal )    Could not add buttons to window"),
      std::string::npos)
      << log;
}

// A build of a one-window layout class in which the first widget of the device layout's
// table fails: the log, and whether the collection and the window were made and kept.
template <class Layout>
std::string BuildWithAFailingWidget(MWin *mwin, bool *built) {
  const ScreenLayout &table = Layout::GetLayout();
  const ScreenLayoutWindow &window = table.windows[0];
  const ScreenLayoutWidget *row = nullptr;
  for (int n = 0; n < window.num_widgets && (!row || row->kind == MWIN_BUTTON_INVALID); n++)
    row = ScreenLayoutGetWidget(window, n, mwin->GetScreenLayout());
  ScreenLayoutFailWidgetForTests(row->id);
  qwtest::LayoutOnly<Layout> layout;
  MWinWindow *made = nullptr;
  std::string log = qwtest::Logged([&] {
    *built = layout.CreateCollection(mwin) == 1;
    MWinCollection *collection = mwin->GetDesktop()->GetCollectionFromID(table.collection, 0);
    made = collection ? collection->GetWindowFromID(window.id, 0) : nullptr;
  });
  *built = *built && made && made->GetController(0) == &layout;
  return log;
}

// Each device layout builds with its own two builders, and a failure names them: the layout
// class's and its window's names and the device layout's.
TEST_F(ScreenLayoutTest, EachOneWindowClassReportsUnderTheBuildersOfTheDeviceLayoutItBuilds) {
  struct Case {
    const char *window_builder;  // "<Class>::Add<Window>Window"
    std::string (*build)(MWin *, bool *);
  };
  const Case cases[] = {
      {"AboutCollectionController::AddAboutWindow", &BuildWithAFailingWidget<AboutCollectionController>},
      {"CountryCollectionController::AddMainWinWindow", &BuildWithAFailingWidget<CountryCollectionController>},
      {"DebugCollectionController::AddMainWinWindow", &BuildWithAFailingWidget<DebugCollectionController>},
      {"HelpCollectionController::AddHelpWindow", &BuildWithAFailingWidget<HelpCollectionController>},
      {"MainCollectionController::AddMainWindow", &BuildWithAFailingWidget<MainCollectionController>},
      {"NoticeCollectionController::AddNoticeWindow", &BuildWithAFailingWidget<NoticeCollectionController>},
      {"OptionsCollectionController::AddOptionsWindow", &BuildWithAFailingWidget<OptionsCollectionController>},
      {"PauseCollectionController::AddMainWinWindow", &BuildWithAFailingWidget<PauseCollectionController>},
      {"ScoresCollectionController::AddMainWindow", &BuildWithAFailingWidget<ScoresCollectionController>},
      {"SelectCollectionController::AddMainWindow", &BuildWithAFailingWidget<SelectCollectionController>},
      {"SoundsCollectionController::AddSoundsWindow", &BuildWithAFailingWidget<SoundsCollectionController>},
      {"UserLoadCollectionController::AddMainWinWindow", &BuildWithAFailingWidget<UserLoadCollectionController>},
      {"UserNewCollectionController::AddMainWinWindow", &BuildWithAFailingWidget<UserNewCollectionController>},
      {"UserSelectCollectionController::AddMainWinWindow", &BuildWithAFailingWidget<UserSelectCollectionController>},
      {"UsersCollectionController::AddMainWinWindow", &BuildWithAFailingWidget<UsersCollectionController>},
  };
  const char *const devices[ENG_NUM_LAYOUTS] = {"Normal", "IPhonePortrait", "IPhoneLandscape", "IPadPortrait",
                                                "IPadLandscape"};
  for (const Case &c : cases) {
    for (int device = 0; device < ENG_NUM_LAYOUTS; device++) {
      SCOPED_TRACE(std::string(c.window_builder) + " " + devices[device]);
      mwin->SetScreenLayout(_EngLayout(device));
      bool built = false;
      const std::string log = c.build(mwin, &built);
      EXPECT_TRUE(built);
      const std::string name = c.window_builder;
      EXPECT_NE(log.find(name + "ToCollection" + devices[device] + " )    Could not add buttons to window"),
                std::string::npos)
          << log;
      EXPECT_NE(log.find(name + "ButtonsToWindow" + devices[device] + " )    Could not add button(s) to window"),
                std::string::npos)
          << log;
      Desktop()->RemoveAllCollections();
    }
  }
  mwin->SetScreenLayout(ENG_LAYOUT_DESKTOP);
}

TEST_F(ScreenLayoutTest, RemoveVarsForgetsTheWidgetsButTheToolkitKeepsThem) {
  MainLayout main;
  ASSERT_EQ(main.CreateCollection(mwin), 1);
  MWinWindow *window = main.mwinMainMainWindow;
  MWinButton *play = main.mwinMainMainPlayButton;
  main.RemoveVars();
  EXPECT_EQ(main.mwinMainCollection, nullptr);
  EXPECT_EQ(main.mwinMainMainWindow, nullptr);
  for (MWinButton *member : Members(main)) EXPECT_EQ(member, nullptr);
  // Still alive and in place (AddressSanitizer would catch a freed one).
  EXPECT_EQ(window->GetNumButtons(), 14);
  EXPECT_STREQ(play->GetID(), "Play");
  EXPECT_EQ(mwin->GetCollectionFromID("Main", 0) != nullptr, true);
}

TEST_F(ScreenLayoutTest, TheDebugSettingsWindowHasItsTitleBackButtonAndList) {
  DebugLayout debug;
  ASSERT_EQ(debug.CreateCollection(mwin), 1);
  MWinWindow *window = debug.mwinDebugMainWinWindow;
  ASSERT_NE(window, nullptr);
  EXPECT_STREQ(window->GetTitleText(), "Debug Settings");
  EXPECT_NE(window->GetHideButton(), nullptr);
  const _Dimension *area = window->GetOrigArea();
  EXPECT_FLOAT_EQ(area->x, 160);
  EXPECT_FLOAT_EQ(area->width, 320);
  ASSERT_NE(debug.mwinDebugMainWinStartupActionButton, nullptr);
  EXPECT_EQ(debug.mwinDebugMainWinStartupActionButton->GetType(), MWIN_BUTTON_LIST);
}

TEST_F(ScreenLayoutTest, TheKeyboardFillsTheToolkitsGlobalsAndStandsInPortraitForOtherLayouts) {
  for (int layout : {0, 7, 2}) {
    SCOPED_TRACE(layout);
    mwin->SetScreenLayout(_EngLayout(layout));
    KeyInputCollectionController keys;
    ASSERT_EQ(keys.CreateCollection(mwin), 1);
    ASSERT_NE(mwinKeyInputCollection, nullptr);
    ASSERT_NE(mwinKeyInputMainWinWindow, nullptr);
    int expected = layout == 2 ? ENG_LAYOUT_PHONE_LANDSCAPE : ENG_LAYOUT_PHONE_PORTRAIT;
    EXPECT_EQ(mwinKeyInputCollection->GetFirstWindow(_EngLayout(expected)), mwinKeyInputMainWinWindow);
    for (MWinButton *b : {mwinKeyInputMainWinBgButton, mwinKeyInputMainWinTitleButton, mwinKeyInputMainWinMessageButton,
                          mwinKeyInputMainWinTextButton, mwinKeyInputMainWinKeysBackButton,
                          mwinKeyInputMainWinDoneButton, mwinKeyInputMainWinShiftButton, mwinKeyInputMainWinDelButton})
      EXPECT_NE(b, nullptr);
    EXPECT_FLOAT_EQ(mwinKeyInputMainWinDoneButton->GetOrigArea()->x, 220);
    keys.RemoveVars();
    EXPECT_EQ(mwinKeyInputMainWinDoneButton, nullptr);
    EXPECT_EQ(mwinKeyInputCollection, nullptr);
    Desktop()->RemoveAllCollections();
  }
}

}  // namespace
