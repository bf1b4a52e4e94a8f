// The in-play weapon popup: the behaviour of the collection "Popup". Over a shop box it shows
// the box's facts beside it; for a placed weapon it shows the weapon's level, this level's and
// the next level's values, the target choice and the Upgrade, Full Upgrade and Sell buttons.
// The game builds and removes the collection on demand (game/Popup.h) and reaches the one
// controller through g_popup_cc; no screen change leads to it.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"
#include "screens/layouts/PopupCollectionController.h"

class Weapon;
struct _WeaponTypeLevelDetails;

class PopupCC : public PopupCollectionController {
 public:
  PopupCC();

  // The fill: which window shows, where, and its texts, from the game's state.
  void StartingCB(void *data) override;
  // Acts on a destroy-soon asked for by a press.
  void TickCB() override;
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

  // Builds the collection when it is not there (refilling an existing one on restart); 1 when
  // it exists afterwards.
  char CreateCollectionIfNeeded(char restart);
  void DestroyCollectionIfNeeded();
  void DestroyCollectionSoon() { m_destroy_soon = 1; }
  char IsMouseInWeaponWindow();
  // Whether the collection is on the desktop. A collection removed by someone else (the
  // screens remove every collection when they start) is forgotten here, pointers and all.
  char CollectionExists();
  char IsWeaponWindowShown();
  // Set by the last fill when a price shown is above the cash.
  char IsShortOfCash() const { return m_short_of_cash; }
  // While a press is being answered: the game neither removes nor refills the popup then.
  char IsAnsweringPress() const { return m_in_press; }
  MWinWindow *GetWeaponWindow() { return CollectionExists() ? m_weapon_window : nullptr; }
  MWinWindow *GetSidebarWindow() { return CollectionExists() ? m_sidebar_window : nullptr; }

 private:
  void Forget();
  MWinButton *Widget(MWinWindow *window, const char *id);
  void SetWidgetText(MWinWindow *window, const char *id, const char *text);
  void HideWidgets(MWinWindow *window, const char *const *ids, int count);
  // The four value rows (Reload, Range, Damage, Slow) of a level; next picks the rows ending in 2.
  void SetStatRows(MWinWindow *window, const _WeaponTypeLevelDetails &d, char next);
  // Back to the built look: size, widget places, everything shown and enabled.
  void RestoreWindow(MWinWindow *window, int which);
  void FillSidebar(int box);
  void FillWeapon(Weapon *w);
  void ShowNothing(const char *why, int value);
  void MarkUpgrading(MWinWindow *window);

  char m_exists;
  char m_short_of_cash;
  char m_destroy_soon;
  char m_in_press;
  MWinWindow *m_weapon_window;
  MWinWindow *m_sidebar_window;
  const char *m_target_names[5];
};

// The one popup controller while the game's screens table exists; null otherwise.
extern PopupCC *g_popup_cc;

// The facts the popup shows, over the weapon tables. type 0..11 and level 0..top are the
// caller's to check (PopupIsValidWeapon).
enum { POPUP_NUM_TARGET_MODES = 5 };
char PopupIsValidWeapon(EngInt32 type, EngInt32 level, EngInt32 target_mode);
EngInt32 PopupTopLevel(EngInt32 type);
// What selling refunds: the prices of levels 0..level times that level's sell percent / 100.
EngInt32 PopupSellValue(EngInt32 type, EngInt32 level);
// The prices of every level above this one.
EngInt32 PopupFullUpgradePrice(EngInt32 type, EngInt32 level);
// A weapon's box on the play field (-1..1 units) in design units, each value truncated.
_Dimension PopupWeaponBox(float x, float y, float size);
// Where a window of width w and height h goes: right of a shop box, centred on it; centred
// over a weapon's box with the bottom edges level.
void PopupPlaceBesideBox(const _Dimension &box, float h, float *x, float *y);
void PopupPlaceOverWeapon(const _Dimension &box, float w, float h, float *x, float *y);
