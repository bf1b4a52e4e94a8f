// The in-play weapon popup on the real toolkit (no device) over a game on a straight road: the
// layout each device layout builds, the facts the popup shows (prices, refunds, placing), when
// the play field keeps or removes it, the presses, and a collection that went without it.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinFonts.h"
#include "game/Popup.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Weapons.h"
#include "screens/PopupCC.h"
#include "screens/ScreenLayout.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/game/PlayFieldRequests.h"
#include "tests/game/WeaponsTestSupport.h"

namespace {

const char *const kSidebarOrder[11] = {"Title",   "Cost", "CostT", "Reload", "DamageT", "Damage",
                                       "ReloadT", "Slow", "SlowT", "Range",  "RangeT"};
const char *const kWeaponOrder[23] = {"Title",  "Reload", "DamageT",     "Damage",  "ReloadT", "Slow",
                                      "SlowT",  "Range",  "RangeT",      "Reload2", "Damage2", "Slow2",
                                      "Range2", "Level",  "Upgrade",     "Sell",    "Arrow1",  "Arrow2",
                                      "Arrow3", "Arrow4", "FullUpgrade", "TargetT", "Target"};

class PopupTest : public qwtest::WeaponFieldTest {
 protected:
  void SetUp() override {
    WeaponFieldTest::SetUp();
    memcpy(m_saved_levels, weapon_type_level_details, sizeof(m_saved_levels));
    qwtest::SetWindowSizeForToolkit(640, 480);
    mwin = new MWin(nullptr);
    ASSERT_TRUE(mwin->Startup());
    mwin->GetFonts()->AddUserFontPointer("Main", &m_font);
    m_cc = new PopupCC();
    m_cc->m_mwin = mwin;
    g_popup_cc = m_cc;
    // A gun of known prices: 100, then 50 (80 %), 60 and 70; the gun factory 200, 300, 400.
    SetLevels(0, {{100, 75}, {50, 80}, {60, 85}, {70, 90}});
    SetLevels(9, {{200, 50}, {300, 60}, {400, 70}});
    for (int i = 0; i < QW_SIDEBAR_BOXES; i++) {
      sb_lb_weapon_types[i] = i;
      // Texture pixels of the column's 256 by 1024 picture, drawn over 100 by 450 units:
      // the box is (25, 0, 50, 28.125) where it is drawn.
      const EngInt32 box[4] = {64, 0, 192, 64};
      std::copy(box, box + 4, sb_lb_pos[i]);
      sb_button_on[i] = 1;
    }
    sbl_over_what = -1;
    play_state = 0;
    weapon_info_shown = -1;
  }
  void TearDown() override {
    g_popup_cc = nullptr;
    delete m_cc;
    delete mwin;
    memcpy(weapon_type_level_details, m_saved_levels, sizeof(m_saved_levels));
    sbl_over_what = -1;
    WeaponFieldTest::TearDown();
  }
  static void SetLevels(int type, std::vector<std::pair<int, int>> levels) {
    for (size_t n = 0; n < levels.size(); n++) {
      _WeaponTypeLevelDetails &d = weapon_type_level_details[type][n];
      d.price = levels[n].first;
      d.sell_percent = levels[n].second;
      d.fire_rate = 2.0f + float(n);
      d.range = 0.25f + 0.05f * float(n);
      d.damage = 10.0f * float(n + 1);
      d.slow = float(n);
    }
  }
  // A weapon of that type and level at (x, y), its window shown; its slot.
  int ShowWeapon(int type, int level, float x = -0.5f, float y = -0.5f) {
    EXPECT_EQ(Place(type, x, y), 1);
    int slot = num_weapons - 1;
    weapons[slot]->level = level;
    weapons[slot]->UpdateSize();
    weapon_info_shown = slot;
    PopupUpdate(1);
    return slot;
  }
  MWinWindow *Window(const char *id) {
    MWinCollection *c = mwin->GetCollectionFromID("Popup", 0);
    return c ? c->GetWindowFromID(id, 0) : nullptr;
  }
  MWinButton *Widget(const char *window, const char *id) {
    MWinWindow *w = Window(window);
    return w ? w->GetButtonFromID(id, 0) : nullptr;
  }
  std::string Text(const char *window, const char *id) {
    MWinButton *b = Widget(window, id);
    return b && b->GetTextP() ? b->GetTextP() : "(none)";
  }
  bool Red(const char *window, const char *id) {
    _ColourRGBA c;
    Widget(window, id)->GetTextColour(&c);
    EXPECT_FLOAT_EQ(c.a, 0.7f);
    return c.r == 1 && c.g == 0 && c.b == 0;
  }
  bool Shown(const char *window, const char *id) { return Widget(window, id)->IsShown() != 0; }
  // A left click in design units through the play field's glue.
  static char ClickAt(float x, float y) {
    PopupMoveMouse(x, y, x, y);
    char took = PopupMouseButtonPressed(0, 1);
    PopupMouseButtonPressed(0, 0);
    return took;
  }
  static char ClickWidget(MWinButton *b) {
    const _Dimension *w = b->GetWindow()->GetOrigArea(), *a = b->GetOrigArea();
    return ClickAt(w->x + a->x + a->width / 2, w->y + a->y + a->height / 2);
  }

  MWin *mwin = nullptr;
  EngFont m_font;
  PopupCC *m_cc = nullptr;
  _WeaponTypeLevelDetails m_saved_levels[QW_NUM_WEAPON_TYPES][QW_WEAPON_LEVELS];
};

// ---- The layout ----

class PopupLayoutTest : public qwtest::MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    mwin->GetFonts()->AddUserFontPointer("Main", &m_font);
  }
  EngFont m_font;
};

class BareLayout : public PopupCollectionController {
 public:
  void StartingCB(void *) override {}
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *, _MWinButtonCallbackInfo *) override { return 0; }
  std::vector<MWinButton *> SidebarMembers() {
    return {mwinPopupSidebarTitleButton,   mwinPopupSidebarCostButton,    mwinPopupSidebarCostTButton,
            mwinPopupSidebarReloadButton,  mwinPopupSidebarDamageTButton, mwinPopupSidebarDamageButton,
            mwinPopupSidebarReloadTButton, mwinPopupSidebarSlowButton,    mwinPopupSidebarSlowTButton,
            mwinPopupSidebarRangeButton,   mwinPopupSidebarRangeTButton};
  }
  std::vector<MWinButton *> WeaponMembers() {
    return {mwinPopupWeaponTitleButton,   mwinPopupWeaponReloadButton,  mwinPopupWeaponDamageTButton,
            mwinPopupWeaponDamageButton,  mwinPopupWeaponReloadTButton, mwinPopupWeaponSlowButton,
            mwinPopupWeaponSlowTButton,   mwinPopupWeaponRangeButton,   mwinPopupWeaponRangeTButton,
            mwinPopupWeaponReload2Button, mwinPopupWeaponDamage2Button, mwinPopupWeaponSlow2Button,
            mwinPopupWeaponRange2Button,  mwinPopupWeaponLevelButton,   mwinPopupWeaponUpgradeButton,
            mwinPopupWeaponSellButton,    mwinPopupWeaponArrow1Button,  mwinPopupWeaponArrow2Button,
            mwinPopupWeaponArrow3Button,  mwinPopupWeaponArrow4Button,  mwinPopupWeaponFullUpgradeButton,
            mwinPopupWeaponTargetTButton, mwinPopupWeaponTargetButton};
  }
};

void ExpectArea(const _Dimension *a, _Dimension e) {
  EXPECT_FLOAT_EQ(a->x, e.x);
  EXPECT_FLOAT_EQ(a->y, e.y);
  EXPECT_FLOAT_EQ(a->width, e.width);
  EXPECT_FLOAT_EQ(a->height, e.height);
}

TEST_F(PopupLayoutTest, EachDeviceLayoutBuildsBothWindowsInOrder) {
  struct Case {
    int layout;
    _Dimension sidebar, weapon;
    const char *window, *id;
    _Dimension area;
  } cases[] = {
      {0, {50, 30, 140, 160}, {290, 30, 210, 224}, "Weapon", "FullUpgrade", {10, 192, 190, 25}},
      {0, {50, 30, 140, 160}, {290, 30, 210, 224}, "Sidebar", "Cost", {90, 40, 50, 20}},
      {7, {50, 30, 140, 160}, {290, 30, 210, 224}, "Weapon", "Target", {37, 133, 171, 20}},
      {1, {50, 30, 140, 160}, {290, 30, 210, 224}, "Weapon", "Target", {37, 133, 171, 20}},
      {3, {50, 30, 140, 160}, {290, 30, 210, 224}, "Weapon", "Level", {0, 32, 210, 20}},
      {4, {50, 30, 140, 160}, {290, 30, 210, 224}, "Sidebar", "SlowT", {10, 130, 80, 20}},
      {2, {50, 30, 190, 180}, {290, 30, 235, 330}, "Weapon", "FullUpgrade", {10, 280, 216, 40}},
      {2, {50, 30, 190, 180}, {290, 30, 235, 330}, "Weapon", "Target", {65, 185, 160, 40}},
      {2, {50, 30, 190, 180}, {290, 30, 235, 330}, "Sidebar", "Slow", {130, 145, 50, 20}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.layout) + " " + c.window + " " + c.id);
    mwin->SetScreenLayout(_EngLayout(c.layout));
    BareLayout popup;
    ASSERT_EQ(popup.CreateCollection(mwin), 1);
    MWinCollection *collection = Desktop()->GetCollectionFromID("Popup", 0);
    ASSERT_NE(collection, nullptr);
    ASSERT_EQ(popup.mwinPopupCollection, collection);
    ASSERT_NE(popup.mwinPopupSidebarWindow, nullptr);
    ASSERT_NE(popup.mwinPopupWeaponWindow, nullptr);
    EXPECT_EQ(collection->GetWindowFromID("Sidebar", 0), popup.mwinPopupSidebarWindow);
    ExpectArea(popup.mwinPopupSidebarWindow->GetOrigArea(), c.sidebar);
    ExpectArea(popup.mwinPopupWeaponWindow->GetOrigArea(), c.weapon);
    for (MWinWindow *w : {popup.mwinPopupSidebarWindow, popup.mwinPopupWeaponWindow}) {
      EXPECT_EQ(w->GetCreateInfo()->move_mode, 2);
      EXPECT_EQ(w->GetController(0), &popup);
    }
    MWinWindow *window = std::string(c.window) == "Weapon" ? popup.mwinPopupWeaponWindow : popup.mwinPopupSidebarWindow;
    ExpectArea(window->GetButtonFromID(c.id, 0)->GetOrigArea(), c.area);
    std::vector<MWinButton *> side = popup.SidebarMembers(), weapon = popup.WeaponMembers();
    for (int i = 0; i < 11; i++)
      EXPECT_EQ(side[size_t(i)], popup.mwinPopupSidebarWindow->GetButtonFromID(kSidebarOrder[i], 0))
          << kSidebarOrder[i];
    for (int i = 0; i < 23; i++) {
      ASSERT_NE(weapon[size_t(i)], nullptr) << kWeaponOrder[i];
      EXPECT_EQ(weapon[size_t(i)], popup.mwinPopupWeaponWindow->GetButtonFromID(kWeaponOrder[i], 0)) << kWeaponOrder[i];
    }
    EXPECT_EQ(popup.mwinPopupWeaponTargetButton->GetType(), MWIN_BUTTON_CHOICE);
    EXPECT_EQ(popup.mwinPopupWeaponSellButton->GetType(), MWIN_BUTTON_PUSH);
    EXPECT_EQ(MWinChoice::From(popup.mwinPopupWeaponTargetButton)->ChoiceGetNumItems(), 0);
    popup.RemoveVars();
    for (MWinButton *b : popup.SidebarMembers()) EXPECT_EQ(b, nullptr);
    for (MWinButton *b : popup.WeaponMembers()) EXPECT_EQ(b, nullptr);
    EXPECT_EQ(popup.mwinPopupCollection, nullptr);
    EXPECT_EQ(popup.mwinPopupWeaponWindow, nullptr);
    EXPECT_NE(Desktop()->GetCollectionFromID("Popup", 0), nullptr);
    Desktop()->RemoveAllCollections();
  }
}

TEST_F(PopupLayoutTest, ASecondBuildWhileThePopupExistsAddsNoWindow) {
  BareLayout first, second;
  ASSERT_EQ(first.CreateCollection(mwin), 1);
  std::string log = qwtest::Logged([&] { EXPECT_EQ(second.CreateCollection(mwin), 0); });
  EXPECT_NE(log.find("Could not create collection <Popup>"), std::string::npos) << log;
  EXPECT_EQ(second.mwinPopupCollection, nullptr);
  EXPECT_EQ(second.mwinPopupSidebarWindow, nullptr);
  EXPECT_EQ(second.mwinPopupWeaponWindow, nullptr);
  int windows = 0;
  MWinCollection *c = Desktop()->GetCollectionFromID("Popup", 0);
  for (const char *id : {"Sidebar", "Weapon"})
    if (c->GetWindowFromID(id, 0)) windows++;
  EXPECT_EQ(windows, 2);
  EXPECT_EQ(first.mwinPopupWeaponTargetTButton->GetTextP(), std::string("Target:"));
}

// ---- The facts ----

TEST_F(PopupTest, SellAndFullUpgradePricesOverTheTables) {
  struct Case {
    int type, level, sell, full;
  } cases[] = {
      {0, 0, 75, 180},                  // 100 at 75 %; 50 + 60 + 70 above
      {0, 1, 120, 130},                 // (100 + 50) at 80 %
      {0, 3, 252, 0},                   // 280 at 90 %
      {9, 2, 630, 0},                   // the factory at its top: 900 at 70 %
      {9, 0, 100, 700}, {12, 0, 0, 0},  // no such type
      {0, 4, 0, 0},                     // above the top
      {9, 3, 0, 0},     {-1, 0, 0, 0},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(PopupSellValue(c.type, c.level), c.sell) << c.type << " " << c.level;
    EXPECT_EQ(PopupFullUpgradePrice(c.type, c.level), c.full) << c.type << " " << c.level;
  }
}

TEST_F(PopupTest, PlacingBesideABoxAndOverAWeapon) {
  float x = 0, y = 0;
  PopupPlaceBesideBox({5, 45, 90, 30}, 160, &x, &y);
  EXPECT_FLOAT_EQ(x, 105);
  EXPECT_FLOAT_EQ(y, -20);  // the window pulls it onto the screen
  // A weapon of size 0.2 at (0, 0): 40... of the field's 540 by 450 right of the column.
  _Dimension box = PopupWeaponBox(0, 0, 0.2f);
  ExpectArea(&box, {100 + 243, 202, 54, 45});
  PopupPlaceOverWeapon(box, 210, 224, &x, &y);
  EXPECT_FLOAT_EQ(x, 343 + 27 - 105);
  EXPECT_FLOAT_EQ(y, 202 + 45 - 224);
  box = PopupWeaponBox(-1.0f, -1.0f, 0.1f);
  ExpectArea(&box, {86, -11, 27, 22});  // truncated toward zero
}

TEST_F(PopupTest, ShopBoxShowsItsFactsRedWhenTooDear) {
  struct Case {
    int cash;
    bool red;
  } cases[] = {{99, true}, {100, false}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.cash);
    cash = c.cash;
    sbl_over_what = 0;
    PopupUpdate(1);
    ASSERT_EQ(m_cc->CollectionExists(), 1);
    EXPECT_EQ(Window("Sidebar")->IsShown(), 1);
    EXPECT_EQ(Window("Weapon")->IsShown(), 0);
    EXPECT_EQ(Text("Sidebar", "Title"), WeaponsGetTypeName(0));
    EXPECT_EQ(Text("Sidebar", "Cost"), "100");
    EXPECT_EQ(Red("Sidebar", "Cost"), c.red);
    EXPECT_EQ(PopupIsButtonDisabled(), c.red ? 1 : 0);
    EXPECT_EQ(Text("Sidebar", "Reload"), "2");
    EXPECT_EQ(Text("Sidebar", "Range"), "25");
    EXPECT_EQ(Text("Sidebar", "Damage"), "10");
    EXPECT_EQ(Text("Sidebar", "Slow"), "0");
    // Right of the box (25, 0, 50, 28.125) as drawn, held on the screen.
    ExpectArea(Window("Sidebar")->GetOrigArea(), {85, 0, 140, 160});
    PopupInitForNewGame();
    EXPECT_EQ(m_cc->CollectionExists(), 0);
  }
}

TEST_F(PopupTest, AFactoryBoxIsSeventyHighAndARefillGivesAWeaponBoxItsRowsBack) {
  cash = 1000;
  sbl_over_what = 9;
  // Drawn at (25, 281.25, 50, 28.125): the popup 160 high centred on it, then 70 high.
  const EngInt32 low_box[4] = {64, 640, 192, 704};
  std::copy(low_box, low_box + 4, sb_lb_pos[9]);
  PopupUpdate(1);
  ASSERT_EQ(m_cc->CollectionExists(), 1);
  EXPECT_EQ(Text("Sidebar", "Cost"), "200");
  ExpectArea(Window("Sidebar")->GetOrigArea(), {85, 260.3125f, 140, 70});
  for (const char *id : {"ReloadT", "RangeT", "DamageT", "SlowT", "Reload", "Range", "Damage", "Slow"})
    EXPECT_FALSE(Shown("Sidebar", id)) << id;
  EXPECT_TRUE(Shown("Sidebar", "Cost"));
  // The pointer moves to a gun's box: the sidebar refills the same collection.
  sbl_over_what = 1;
  std::copy(low_box, low_box + 4, sb_lb_pos[1]);
  PopupUpdate(1);
  ExpectArea(Window("Sidebar")->GetOrigArea(), {85, 215.3125f, 140, 160});
  for (const char *id : {"RangeT", "Slow"}) EXPECT_TRUE(Shown("Sidebar", id)) << id;
}

TEST_F(PopupTest, AWeaponsWindowShowsItsLevelsPricesAndTarget) {
  struct Case {
    int level, cash;
    const char *upgrade, *full;
    bool enabled_upgrade, enabled_full, short_of_cash;
    const char *range2;
  } cases[] = {
      {0, 99, "Upgrade (50)", "Full Upgrade (180)", true, false, true, "30"},
      {0, 180, "Upgrade (50)", "Full Upgrade (180)", true, true, false, "30"},
      {1, 59, "Upgrade (60)", "Full Upgrade (130)", false, false, true, "35"},
      {3, 0, "Maximum Level", "Maximum Level", false, false, false, "-"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.level);
    cash = c.cash;
    int slot = ShowWeapon(0, c.level);
    weapons[slot]->target_mode = 3;
    PopupUpdate(1);
    cash = c.cash;  // placing paid
    PopupUpdate(1);
    ASSERT_EQ(m_cc->IsWeaponWindowShown(), 1);
    EXPECT_EQ(Window("Sidebar")->IsShown(), 0);
    EXPECT_EQ(Text("Weapon", "Level"), "Level " + std::to_string(c.level + 1));
    EXPECT_EQ(Text("Weapon", "Upgrade"), c.upgrade);
    EXPECT_EQ(Text("Weapon", "FullUpgrade"), c.full);
    EXPECT_EQ(Widget("Weapon", "Upgrade")->IsEnabled() != 0, c.enabled_upgrade);
    EXPECT_EQ(Widget("Weapon", "FullUpgrade")->IsEnabled() != 0, c.enabled_full);
    EXPECT_EQ(Red("Weapon", "FullUpgrade"), c.level < 3 && !c.enabled_full);
    EXPECT_EQ(m_cc->IsShortOfCash() != 0, c.short_of_cash);
    EXPECT_EQ(Text("Weapon", "Range2"), c.range2);
    EXPECT_EQ(Text("Weapon", "Range"), std::to_string(25 + 5 * c.level));
    EXPECT_EQ(Text("Weapon", "Sell"), "Sell (" + std::to_string(PopupSellValue(0, c.level)) + ")");
    MWinChoice *target = MWinChoice::From(Widget("Weapon", "Target"));
    ASSERT_EQ(target->ChoiceGetNumItems(), 5);
    EXPECT_STREQ(target->ChoiceGetString(2), "Strong");
    EXPECT_EQ(target->ChoiceGetSel(), 3);
    WeaponsSellWeapon(slot);
    PopupUpdate(0);
    EXPECT_EQ(m_cc->CollectionExists(), 0);
  }
}

TEST_F(PopupTest, AWindowSitsOverItsWeaponInsideTheScreen) {
  cash = 1000;
  int slot = ShowWeapon(0, 0, -0.5f, 0.5f);
  Weapon *w = weapons[slot];
  const _Dimension box = PopupWeaponBox(w->x, w->y, w->size);
  const _Dimension *area = Window("Weapon")->GetOrigArea();
  EXPECT_FLOAT_EQ(area->x + area->width / 2, box.x + box.width / 2);
  EXPECT_FLOAT_EQ(area->y + area->height, box.y + box.height);
  // At the right edge the window is pulled inside.
  weapon_info_shown = ShowWeapon(0, 0, 0.9f, 0.6f);
  area = Window("Weapon")->GetOrigArea();
  EXPECT_FLOAT_EQ(area->x, 640 - 210);
}

TEST_F(PopupTest, AFactoryAtItsTopLevelIsAHundredHighWithMaximumLevel) {
  cash = 0;
  ShowWeapon(9, 2);
  ASSERT_EQ(m_cc->IsWeaponWindowShown(), 1);
  EXPECT_FLOAT_EQ(Window("Weapon")->GetOrigArea()->height, 100);
  EXPECT_EQ(Text("Weapon", "Upgrade"), "Maximum Level");
  EXPECT_FALSE(Widget("Weapon", "Upgrade")->IsEnabled());
  ExpectArea(Widget("Weapon", "Upgrade")->GetOrigArea(), {105 - 57.5f, 60, 115, 25});
  for (const char *id : {"Sell", "Target", "TargetT", "FullUpgrade", "Range", "Range2", "Arrow1", "SlowT"})
    EXPECT_FALSE(Shown("Weapon", id)) << id;
  EXPECT_TRUE(Shown("Weapon", "Title"));
  EXPECT_TRUE(Shown("Weapon", "Level"));
}

TEST_F(PopupTest, WhatATamperedWeaponShowsIsNothingLoggedOnce) {
  cash = 1000;
  int slot = ShowWeapon(0, 0);
  struct Case {
    int type, level, mode;
  } cases[] = {{12, 0, 0}, {0, 4, 0}, {9, 3, 0}, {0, 0, 5}, {-3, 0, 0}, {0, -1, 0}};
  std::string log = qwtest::Logged([&] {
    for (const Case &c : cases) {
      Weapon *w = weapons[slot];
      w->type = c.type;
      w->level = c.level;
      w->target_mode = c.mode;
      PopupUpdate(1);
      EXPECT_EQ(Window("Weapon")->IsShown(), 0) << c.type << " " << c.level << " " << c.mode;
      EXPECT_EQ(Window("Sidebar")->IsShown(), 0);
      EXPECT_EQ(m_cc->IsMouseInWeaponWindow(), 0);
    }
  });
  size_t first = log.find("Invalid weapon");
  EXPECT_NE(first, std::string::npos) << log;
  EXPECT_EQ(log.find("Invalid", first + 1), std::string::npos) << log;
  weapons[slot]->type = 0;
  weapons[slot]->level = 0;
  weapons[slot]->target_mode = 0;
}

// ---- When the popup stands ----

TEST_F(PopupTest, TheUpdateKeepsThePopupOnlyWhenItIsWanted) {
  cash = 1000;
  ASSERT_EQ(Place(0, -0.5f, -0.5f), 1);
  struct Case {
    int over;
    bool available;
    int placing;
    int shown;
    bool exists;
    const char *window;
  } cases[] = {
      {2, true, 0, -1, true, "Sidebar"}, {2, false, 0, -1, false, nullptr}, {2, true, 1, -1, false, nullptr},
      {-1, true, 0, -1, false, nullptr}, {-1, true, 0, 0, true, "Weapon"},  {2, true, 1, 0, true, "Weapon"},
      {2, false, 0, 0, true, "Weapon"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.over) + " " + std::to_string(c.available) + " " + std::to_string(c.placing) + " " +
                 std::to_string(c.shown));
    PopupInitForNewGame();
    sbl_over_what = c.over;
    sb_button_on[2] = c.available ? 1 : 0;
    play_state = EngUInt8(c.placing);
    weapon_info_shown = c.shown;
    PopupUpdate(0);
    ASSERT_EQ(m_cc->CollectionExists() != 0, c.exists);
    if (c.window) {
      EXPECT_EQ(Window(c.window)->IsShown(), 1);
      EXPECT_EQ(Window(std::string(c.window) == "Weapon" ? "Sidebar" : "Weapon")->IsShown(), 0);
    }
    // Once built, the next frame's update leaves it as it is.
    PopupTick();
    EXPECT_EQ(m_cc->CollectionExists() != 0, c.exists);
  }
  play_state = 0;
}

TEST_F(PopupTest, ARightClickClosesTheWindowAndAClickOutsideGoesOn) {
  cash = 1000;
  int slot = ShowWeapon(0, 0);
  const int cash_before = cash;
  const _Dimension area = *Window("Weapon")->GetOrigArea();
  // Outside the window the weapons and the sidebar get the click.
  EXPECT_EQ(ClickAt(area.x - 20 < 0 ? area.x + area.width + 20 : area.x - 20, area.y + 5), 0);
  EXPECT_EQ(m_cc->CollectionExists(), 1);
  PopupMoveMouse(area.x + 5, area.y + 5, 0, 0);
  EXPECT_EQ(m_cc->IsMouseInWeaponWindow(), 1);
  EXPECT_EQ(PopupMouseButtonPressed(1, 1), 1);
  EXPECT_EQ(m_cc->CollectionExists(), 0);
  EXPECT_EQ(weapon_info_shown, -1);
  EXPECT_NE(weapons[slot], nullptr);
  EXPECT_EQ(cash, cash_before);
  EXPECT_EQ(PopupMouseButtonPressed(1, 1), 0);
}

TEST_F(PopupTest, UpgradeTakesTheCashAndThePopupGoesAtTheNextTick) {
  cash = 1000;
  int slot = ShowWeapon(0, 0);
  cash = 1000;
  PopupUpdate(1);
  EXPECT_EQ(ClickWidget(Widget("Weapon", "Upgrade")), 1);
  EXPECT_EQ(cash, 950);
  EXPECT_EQ(weapons[slot]->upgrading, 1);
  // Still there, showing the upgrade under way, until the next tick.
  ASSERT_EQ(m_cc->CollectionExists(), 1);
  EXPECT_EQ(Text("Weapon", "Upgrade"), "Upgrading ...");
  EXPECT_EQ(Text("Weapon", "FullUpgrade"), "Upgrading ...");
  EXPECT_FALSE(Widget("Weapon", "Sell")->IsEnabled());
  PopupTick();
  EXPECT_EQ(m_cc->CollectionExists(), 0);
  EXPECT_EQ(weapon_info_shown, -1);
  // Shown again while upgrading: no button to press.
  weapon_info_shown = slot;
  PopupUpdate(1);
  EXPECT_EQ(Text("Weapon", "Upgrade"), "Upgrading ...");
  EXPECT_FALSE(Widget("Weapon", "Upgrade")->IsEnabled());
  // The level done, the popup is built again from the new level.
  for (int i = 0; i < 2000 && weapons[slot]->upgrading; i++) Tick();
  EXPECT_EQ(weapons[slot]->level, 1);
  ASSERT_EQ(m_cc->IsWeaponWindowShown(), 1);
  EXPECT_EQ(Text("Weapon", "Level"), "Level 2");
  EXPECT_EQ(Text("Weapon", "Upgrade"), "Upgrade (60)");
}

TEST_F(PopupTest, FullUpgradeAndTargetAndSell) {
  cash = 1000;
  int slot = ShowWeapon(0, 0);
  cash = 1000;
  PopupUpdate(1);
  // Target: the weapon aims at the strongest; the popup goes at the next tick.
  MWinChoice *target = MWinChoice::From(Widget("Weapon", "Target"));
  ASSERT_EQ(target->ChoiceSetSel(2, 0), 1);
  EXPECT_EQ(m_cc->ButtonsCallback(target, nullptr), 1);
  EXPECT_EQ(weapons[slot]->target_mode, 2);
  EXPECT_EQ(m_cc->CollectionExists(), 1);
  PopupTick();
  EXPECT_EQ(m_cc->CollectionExists(), 0);
  // Sell: the refund paid, the weapon gone, the popup at the next update.
  weapon_info_shown = slot;
  PopupUpdate(1);
  EXPECT_EQ(ClickWidget(Widget("Weapon", "Sell")), 1);
  EXPECT_EQ(cash, 1075);
  EXPECT_EQ(weapons[slot], nullptr);
  EXPECT_EQ(weapon_info_shown, -1);
  EXPECT_EQ(m_cc->CollectionExists(), 1);
  PopupUpdate(0);
  EXPECT_EQ(m_cc->CollectionExists(), 0);
  // Full upgrade: every level's price at once.
  slot = ShowWeapon(0, 0, 0.5f, -0.5f);
  cash = 1000;
  PopupUpdate(1);
  EXPECT_EQ(ClickWidget(Widget("Weapon", "FullUpgrade")), 1);
  EXPECT_EQ(cash, 820);
  EXPECT_EQ(weapons[slot]->full_upgrade, 1);
  EXPECT_EQ(Text("Weapon", "Upgrade"), "Upgrading ...");
  // A press with no weapon behind it is answered and does nothing.
  weapon_info_shown = -1;
  EXPECT_EQ(m_cc->ButtonsCallback(Widget("Weapon", "Sell"), nullptr), 1);
  EXPECT_EQ(m_cc->ButtonsCallback(Widget("Weapon", "Title"), nullptr), 0);
  EXPECT_EQ(cash, 820);
}

TEST_F(PopupTest, MoreCashWhileTooDearMakesUpgradePressable) {
  cash = 1000;
  ShowWeapon(0, 0);
  QuarrelwickChangeCash(49 - cash);
  PopupUpdate(1);
  ASSERT_EQ(PopupIsButtonDisabled(), 1);
  EXPECT_FALSE(Widget("Weapon", "Upgrade")->IsEnabled());
  QuarrelwickChangeCash(1);
  EXPECT_TRUE(Widget("Weapon", "Upgrade")->IsEnabled());
  EXPECT_FALSE(Red("Weapon", "Upgrade"));
  EXPECT_EQ(PopupIsButtonDisabled(), 1);  // the full upgrade is still too dear
  QuarrelwickChangeCash(130);
  EXPECT_EQ(PopupIsButtonDisabled(), 0);
  EXPECT_TRUE(Widget("Weapon", "FullUpgrade")->IsEnabled());
}

TEST_F(PopupTest, ACollectionRemovedByOthersIsForgottenAndBuiltAfresh) {
  cash = 1000;
  int slot = ShowWeapon(0, 0);
  cash = 10;
  PopupUpdate(1);
  ASSERT_EQ(PopupIsButtonDisabled(), 1);
  const _Dimension area = *Window("Weapon")->GetOrigArea();
  // The screens remove every collection when they start.
  mwin->GetDesktop()->RemoveAllCollections();
  EXPECT_EQ(m_cc->CollectionExists(), 0);
  EXPECT_EQ(m_cc->GetWeaponWindow(), nullptr);
  EXPECT_EQ(PopupIsButtonDisabled(), 0);
  EXPECT_EQ(PopupMoveMouse(area.x + 5, area.y + 5, 0, 0), 0);
  EXPECT_EQ(PopupMouseButtonPressed(0, 1), 0);
  m_cc->DestroyCollectionIfNeeded();
  m_cc->TickCB();
  PopupRender();
  // Back in play, the next update builds it again.
  weapon_info_shown = slot;
  PopupTick();
  ASSERT_EQ(m_cc->IsWeaponWindowShown(), 1);
  EXPECT_EQ(Text("Weapon", "Level"), "Level 1");
  EXPECT_EQ(PopupMoveMouse(area.x + 5, area.y + 5, 0, 0), 1);
}

TEST_F(PopupTest, WithoutAControllerNothingHappens) {
  g_popup_cc = nullptr;
  sbl_over_what = 0;
  PopupUpdate(1);
  PopupTick();
  PopupRender();
  EXPECT_EQ(PopupIsButtonDisabled(), 1);
  EXPECT_EQ(PopupMoveMouse(10, 10, 10, 10), 0);
  EXPECT_EQ(PopupMouseButtonPressed(1, 1), 0);
  EXPECT_EQ(mwin->GetCollectionFromID("Popup", 0), nullptr);
}

}  // namespace
