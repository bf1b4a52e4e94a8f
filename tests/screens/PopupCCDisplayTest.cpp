// The in-play weapon popup in the real program under Xvfb: a garden in play, driven by SDL
// mouse and key events frame by frame. A shop box shows its facts; a clicked weapon opens its
// window; Upgrade, Target, a right click and Sell do their part; and Escape to the pause
// screen with the window open, then back to play by its Resume button, builds the popup afresh.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/EngFont.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "game/Levels.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Weapons.h"
#include "screens/PauseCC.h"
#include "screens/PopupCC.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"
#include "tests/screens/ScreensProgramTestSupport.h"

namespace {

class PopupCCDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  void SetUp() override {
    ScreensProgramTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_NE(g_popup_cc, nullptr);
    // Garden 0 afresh: its path and its free ground.
    level_garden = 0;
    ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
    // A gun factory, so the guns' box is open, and a gun to click.
    cash = 10000;
    ASSERT_EQ(PlaceOnFreeGround(9), 1);
    ASSERT_EQ(PlaceOnFreeGround(0), 1);
    m_gun = num_weapons - 1;
    main_game->ReturnToGame();
    Frames(2);
  }
  // The first free ground, row by row from the middle of the garden down.
  static char PlaceOnFreeGround(int type) {
    for (float y = 0.1f; y < 0.8f; y += 0.05f)
      for (float x = -0.8f; x < 0.8f; x += 0.05f)
        if (WeaponsCanPlaceWeaponHere(type, x, y, 0)) return WeaponsCreateNew(type, x, y, 0, 0);
    return 0;
  }
  // Space starts or pauses the garden (the weapons tick only while it runs).
  void StartOrPause() {
    Key(SDLK_SPACE);
    Frames(1);
  }
  void Mouse(int x, int y) {
    SDL_WarpMouseInWindow(Native(), x, y);
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = SDL_GetWindowID(Native());
    e.motion.x = x;
    e.motion.y = y;
    Push(e);
  }
  void Button(int x, int y, Uint8 button, bool pressed) { PushButton(x, y, pressed, button); }
  void ClickAt(float x, float y, Uint8 button = SDL_BUTTON_LEFT) {
    Mouse(int(x), int(y));
    Button(int(x), int(y), button, true);
    Button(int(x), int(y), button, false);
  }
  // The middle of the gun on the screen, in design units (the window is 640 by 480).
  void GunCentre(float *x, float *y) {
    Weapon *w = weapons[m_gun];
    *x = (w->x + 1) * 270 + 100;
    *y = (w->y + 1) * 225;
  }
  void OpenGunWindow() {
    float x = 0, y = 0;
    GunCentre(&x, &y);
    ClickAt(x, y);
    Frames(1);
    ASSERT_EQ(g_popup_cc->IsWeaponWindowShown(), 1);
  }
  // At the design size every text of the weapon's window fits its box with the box's margins,
  // and the target's caption ends before its choice begins.
  void ExpectWeaponWindowTextsFit() {
    MWinButton *caption = Widget("Weapon", "TargetT");
    MWinChoice *target = MWinChoice::From(Widget("Weapon", "Target"));
    ASSERT_TRUE(caption && target);
    EXPECT_LE(caption->GetActualArea()->x + caption->GetActualArea()->width, target->GetActualArea()->x);
    for (const char *id : {"Title", "Level", "TargetT", "RangeT", "ReloadT", "DamageT", "SlowT", "Upgrade", "Sell",
                           "FullUpgrade"}) {
      MWinButton *b = Widget("Weapon", id);
      ASSERT_NE(b, nullptr) << id;
      EXPECT_LE(b->GetTextWidth(), b->GetActualArea()->width) << id;
    }
    const float margin = target->GetLayoutSettings()->choice_text_margin;
    EngFont *font = target->GetTextFont();
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(target->ChoiceGetNumItems(), 5);
    for (int i = 0; i < target->ChoiceGetNumItems(); i++) {
      target->UpdateTextFontColourAndScale();
      EXPECT_LE(font->GetStringWidth(target->ChoiceGetString(i)) + 2 * margin, target->ChoiceGetItemWidth(i))
          << target->ChoiceGetString(i);
    }
  }
  MWinButton *Widget(const char *window, const char *id) {
    MWinCollection *c = Root()->GetCollectionFromID("Popup", 0);
    MWinWindow *w = c ? c->GetWindowFromID(window, 0) : nullptr;
    return w ? w->GetButtonFromID(id, 0) : nullptr;
  }
  void ClickWidget(MWinButton *b) {
    ASSERT_NE(b, nullptr);
    const _Dimension *w = b->GetWindow()->GetOrigArea(), *a = b->GetOrigArea();
    ClickAt(w->x + a->x + a->width / 2, w->y + a->y + a->height / 2);
  }
  std::string Text(const char *window, const char *id) {
    MWinButton *b = Widget(window, id);
    return b && b->GetTextP() ? b->GetTextP() : "(none)";
  }
  // How many pixels of a rectangle are lit in a frame.
  static int Lit(const std::vector<unsigned char> &f, const _Dimension &a) {
    int lit = 0;
    for (int y = int(a.y); y < int(a.y + a.height); y++)
      for (int x = int(a.x); x < int(a.x + a.width); x++) {
        const unsigned char *p = &f[(size_t(y) * 640 + size_t(x)) * 3];
        if (p[0] + p[1] + p[2] > 300) lit++;
      }
    return lit;
  }

  int m_gun = -1;
};

TEST_F(PopupCCDisplayTest, ShopFactsWeaponWindowUpgradeAimAndSell) {
  ASSERT_EQ(sb_button_on[0], 1);
  cash = 1000;
  // Over the guns' box: the facts beside it.
  const _Dimension box = sb_lb_tex_pos[0];
  std::vector<unsigned char> before = Frame();
  Mouse(int(box.x + box.width / 2), int(box.y + box.height / 2));
  Frames(1);
  ASSERT_EQ(g_popup_cc->CollectionExists(), 1);
  MWinWindow *facts = g_popup_cc->GetSidebarWindow();
  ASSERT_EQ(facts->IsShown(), 1);
  EXPECT_EQ(Text("Sidebar", "Title"), WeaponsGetTypeName(0));
  const _Dimension area = *facts->GetOrigArea();
  EXPECT_FLOAT_EQ(area.x, box.x + box.width + 10);
  std::vector<unsigned char> shown = Frame("popup_shop_facts");
  EXPECT_GT(PixelsDiffering(before, shown, int(area.x), int(area.y), int(area.width), int(area.height)), 500);
  // Onto the garden: gone.
  Mouse(400, 100);
  Frames(1);
  EXPECT_EQ(g_popup_cc->CollectionExists(), 0);

  // A click on the gun opens its window.
  OpenGunWindow();
  EXPECT_EQ(weapon_info_shown, m_gun);
  EXPECT_EQ(Text("Weapon", "Level"), "Level 1");
  Frame("popup_weapon_window");
  ExpectWeaponWindowTextsFit();
  // Upgrade: paid, and the popup goes at the tick after the press.
  const int price = weapon_type_level_details[0][1].price;
  ClickWidget(Widget("Weapon", "Upgrade"));
  EXPECT_EQ(cash, 1000 - price);
  EXPECT_EQ(weapons[m_gun]->upgrading, 1);
  Frames(1);
  EXPECT_EQ(g_popup_cc->CollectionExists(), 0);
  EXPECT_EQ(weapon_info_shown, -1);
  // Shown again while it upgrades.
  OpenGunWindow();
  EXPECT_EQ(Text("Weapon", "Upgrade"), "Upgrading ...");
  EXPECT_EQ(Widget("Weapon", "Sell")->IsEnabled(), 0);
  Frame("popup_weapon_upgrading");
  weapons[m_gun]->upgrade_progress = 0.999f;
  StartOrPause();
  ASSERT_EQ(game_paused, 0);
  Frames(2);
  StartOrPause();
  ASSERT_EQ(game_paused, 1);
  EXPECT_EQ(weapons[m_gun]->level, 1);
  ASSERT_EQ(g_popup_cc->IsWeaponWindowShown(), 1);
  EXPECT_EQ(Text("Weapon", "Level"), "Level 2");

  // Target: a click on the third entry, "Strong".
  MWinChoice *target = MWinChoice::From(Widget("Weapon", "Target"));
  ASSERT_NE(target, nullptr);
  const _Dimension *w = target->GetWindow()->GetOrigArea(), *a = target->GetOrigArea();
  float x = w->x + a->x + target->ChoiceGetItemWidth(0) + target->ChoiceGetItemWidth(1) +
            target->ChoiceGetItemWidth(2) / 2;
  ClickAt(x, w->y + a->y + a->height / 2);
  EXPECT_EQ(weapons[m_gun]->target_mode, 2);
  Frames(1);
  EXPECT_EQ(g_popup_cc->CollectionExists(), 0);

  // A right click with the window open closes it and does nothing else.
  OpenGunWindow();
  const int cash_before = cash;
  const _Dimension *weapon_area = g_popup_cc->GetWeaponWindow()->GetOrigArea();
  ClickAt(weapon_area->x + 5, weapon_area->y + 5, SDL_BUTTON_RIGHT);
  EXPECT_EQ(g_popup_cc->CollectionExists(), 0);
  EXPECT_EQ(weapon_info_shown, -1);
  EXPECT_EQ(cash, cash_before);
  EXPECT_NE(weapons[m_gun], nullptr);

  // Sell: the refund, the gun gone, and the popup with it at the next update.
  OpenGunWindow();
  const int refund = PopupSellValue(0, 1);
  EXPECT_EQ(Text("Weapon", "Sell"), "Sell (" + std::to_string(refund) + ")");
  ClickWidget(Widget("Weapon", "Sell"));
  EXPECT_EQ(cash, cash_before + refund);
  EXPECT_EQ(weapons[m_gun], nullptr);
  Frames(1);
  EXPECT_EQ(g_popup_cc->CollectionExists(), 0);

  // The factory, short of cash: 100 high, its upgrade red and not pressable.
  cash = 10;
  Weapon *factory = weapons[0];
  ASSERT_NE(factory, nullptr);
  ClickAt((factory->x + 1) * 270 + 100, (factory->y + 1) * 225);
  Frames(1);
  ASSERT_EQ(g_popup_cc->IsWeaponWindowShown(), 1);
  EXPECT_FLOAT_EQ(g_popup_cc->GetWeaponWindow()->GetOrigArea()->height, 100);
  EXPECT_EQ(Widget("Weapon", "Upgrade")->IsEnabled(), 0);
  EXPECT_EQ(g_popup_cc->IsShortOfCash(), 1);
  Frame("popup_factory_window");
}

TEST_F(PopupCCDisplayTest, EscapeWithTheWindowOpenThenResumeBuildsItAfresh) {
  cash = 1000;
  OpenGunWindow();
  const _Dimension area = *g_popup_cc->GetWeaponWindow()->GetOrigArea();
  Key(SDLK_ESCAPE);
  Frames(1);
  ASSERT_EQ(Root()->GetCurrentScreen(), PAUSE_SCREEN_ID);
  EXPECT_EQ(Root()->GetDesktop()->DoesCollectionExist("Popup"), 0);
  EXPECT_EQ(g_popup_cc->CollectionExists(), 0);
  // Resume, then move and click where the window was: nothing freed is touched.
  ClickWidget(Screens()->GetPauseCC()->mwinPauseMainWinResumeButton);
  Frames(1);
  ASSERT_EQ(Root()->AreScreensOn(), 0);
  Mouse(int(area.x + 5), int(area.y + 5));
  Frames(1);
  float x = 0, y = 0;
  GunCentre(&x, &y);
  weapon_info_shown = -1;
  ClickAt(x, y);
  Frames(1);
  ASSERT_EQ(g_popup_cc->IsWeaponWindowShown(), 1);
  EXPECT_EQ(Text("Weapon", "Level"), "Level 1");
  ClickAt(x, y, SDL_BUTTON_RIGHT);
  Frames(1);
  EXPECT_EQ(g_popup_cc->CollectionExists(), 0);
}

}  // namespace
