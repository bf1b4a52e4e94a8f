#include "screens/PopupCC.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinWindow.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Weapons.h"
#include "screens/ScreenLayout.h"
#include "screens/ScreensText.h"

PopupCC *g_popup_cc = nullptr;

namespace {

const char *const kCollection = "Popup";

// The rows a factory has none of.
const char *const kValueRows[] = {"ReloadT", "RangeT", "DamageT", "SlowT", "Reload", "Range", "Damage", "Slow"};
const char *const kFactoryWeaponHidden[] = {"Arrow1", "Arrow2", "Arrow3", "Arrow4", "Reload2", "Range2",
                                            "Damage2", "Slow2", "Sell", "TargetT", "Target", "FullUpgrade"};

const _WeaponTypeLevelDetails &Details(EngInt32 type, EngInt32 level) { return weapon_type_level_details[type][level]; }

void Format(char *out, size_t size, const char *format, double value) { snprintf(out, size, format, value); }

void WithNumber(const char *token, const char *english, EngInt32 n, char *out, int size) {
  char number[16];
  snprintf(number, sizeof(number), "%d", int(n));
  ScreensTextWithArg(token, english, number, out, size);
}

}  // namespace

// ---- The facts ----

EngInt32 PopupTopLevel(EngInt32 type) { return type >= QW_FIRST_FACTORY_TYPE ? 2 : 3; }

char PopupIsValidWeapon(EngInt32 type, EngInt32 level, EngInt32 target_mode) {
  if (type < 0 || type >= QW_NUM_WEAPON_TYPES) return 0;
  if (level < 0 || level > PopupTopLevel(type)) return 0;
  return (target_mode >= 0 && target_mode < POPUP_NUM_TARGET_MODES) ? 1 : 0;
}

EngInt32 PopupSellValue(EngInt32 type, EngInt32 level) {
  if (!PopupIsValidWeapon(type, level, 0)) return 0;
  long long paid = 0;
  for (int n = 0; n <= level; n++) paid += Details(type, n).price;
  return EngInt32(paid * Details(type, level).sell_percent / 100);
}

EngInt32 PopupFullUpgradePrice(EngInt32 type, EngInt32 level) {
  if (!PopupIsValidWeapon(type, level, 0)) return 0;
  EngInt32 price = 0;
  for (int n = level + 1; n <= PopupTopLevel(type); n++) price += Details(type, n).price;
  return price;
}

_Dimension PopupWeaponBox(float x, float y, float size) {
  _Dimension box;
  box.x = float(int((x - size / 2 + 1) * QW_FIELD_WIDTH * 0.5f + QW_FIELD_LEFT));
  box.y = float(int((y - size / 2 + 1) * QW_FIELD_HEIGHT * 0.5f));
  box.width = float(int(size * QW_FIELD_WIDTH * 0.5f));
  box.height = float(int(size * QW_FIELD_HEIGHT * 0.5f));
  return box;
}

void PopupPlaceBesideBox(const _Dimension &box, float h, float *x, float *y) {
  *x = box.x + box.width + 10;
  *y = box.y + box.height * 0.5f - h * 0.5f;
}

void PopupPlaceOverWeapon(const _Dimension &box, float w, float h, float *x, float *y) {
  *x = box.x + box.width * 0.5f - w * 0.5f;
  *y = box.y + box.height - h;
}

// ---- The collection ----

PopupCC::PopupCC()
    : m_exists(0), m_short_of_cash(0), m_destroy_soon(0), m_in_press(0), m_weapon_window(nullptr),
      m_sidebar_window(nullptr), m_target_names{} {}

void PopupCC::Forget() {
  m_exists = 0;
  m_short_of_cash = 0;
  m_weapon_window = nullptr;
  m_sidebar_window = nullptr;
  RemoveVars();
}

char PopupCC::CollectionExists() {
  if (!m_exists) return 0;
  MWinDesktop *desktop = m_mwin ? m_mwin->GetDesktop() : nullptr;
  if (!desktop || !desktop->DoesCollectionExist(kCollection)) Forget();
  return m_exists;
}

char PopupCC::CreateCollectionIfNeeded(char restart) {
  // The game builds and fills it from its own frame, outside the screen manager.
  MWinEntryScope scope(m_mwin);
  if (CollectionExists()) {
    if (restart) StartingCB(nullptr);
    return 1;
  }
  Forget();
  m_destroy_soon = 0;
  if (!m_mwin) return 0;
  CreateCollection(m_mwin);
  MWinDesktop *desktop = m_mwin->GetDesktop();
  if (desktop && desktop->DoesCollectionExist(kCollection)) m_exists = 1;
  StartingCB(nullptr);
  m_destroy_soon = 0;
  return m_exists;
}

void PopupCC::DestroyCollectionIfNeeded() {
  if (!CollectionExists()) return;
  MWinDesktop *desktop = m_mwin->GetDesktop();
  desktop->RemoveCollection(kCollection);
  Forget();
}

void PopupCC::TickCB() {
  if (!m_destroy_soon) return;
  weapon_info_shown = -1;
  m_destroy_soon = 0;
  DestroyCollectionIfNeeded();
}

char PopupCC::IsWeaponWindowShown() {
  return (CollectionExists() && m_weapon_window && m_weapon_window->IsShown()) ? 1 : 0;
}

char PopupCC::IsMouseInWeaponWindow() {
  if (!IsWeaponWindowShown()) return 0;
  return m_mwin->IsMouseScreenCursorInArea(m_weapon_window->GetOrigArea());
}

// ---- The fill ----

MWinButton *PopupCC::Widget(MWinWindow *window, const char *id) {
  return window ? window->GetButtonFromID(id, 1) : nullptr;
}

void PopupCC::SetWidgetText(MWinWindow *window, const char *id, const char *text) {
  if (MWinButton *b = Widget(window, id)) b->SetText(text);
}

void PopupCC::HideWidgets(MWinWindow *window, const char *const *ids, int count) {
  for (int i = 0; i < count; i++)
    if (MWinButton *b = Widget(window, ids[i])) b->Hide();
}

void PopupCC::SetStatRows(MWinWindow *window, const _WeaponTypeLevelDetails &d, char next) {
  const struct {
    const char *id, *next_id;
    double value;
  } rows[] = {{"Reload", "Reload2", d.fire_rate},
              {"Range", "Range2", d.range * 100.0},
              {"Damage", "Damage2", d.damage},
              {"Slow", "Slow2", d.slow}};
  char text[64];
  for (const auto &row : rows) {
    Format(text, sizeof(text), "%.0f", row.value);
    SetWidgetText(window, next ? row.next_id : row.id, text);
  }
}

void PopupCC::RestoreWindow(MWinWindow *window, int which) {
  // A refill may follow a factory's fill, which shrank the window and hid its rows.
  const ScreenLayout &layout = GetLayout();
  const ScreenLayoutWindow &table = layout.windows[which];
  const _EngLayout device = ScreenLayoutChooseBuilder(layout, m_mwin->GetScreenLayout());
  const _Dimension *area = window->GetOrigArea();
  window->SetOrigPos(area->x, area->y, table.area[device].width, table.area[device].height);
  for (int n = 0; n < table.num_widgets; n++) {
    MWinButton *b = window->GetButtonFromID(table.widgets[n].id, 0);
    if (!b) continue;
    b->SetOrigPos(table.widget_areas[n][device].x, table.widget_areas[n][device].y);
    b->SetShownFlag(1);
    b->Enable();
  }
}

void PopupCC::ShowNothing(const char *why, int value) {
  if (m_sidebar_window) m_sidebar_window->Show(0);
  if (m_weapon_window) m_weapon_window->Show(0);
  if (why) {
    // A hand-edited saved game would otherwise log on every frame.
    static char reported = 0;
    if (!reported) DebugErrorAlt(ENG_FUNC, "%s %d", why, value);
    reported = 1;
  }
}

void PopupCC::StartingCB(void *) {
  if (!m_mwin) return;
  MWinCollection *collection = m_mwin->GetCollectionFromID(kCollection, 0);
  m_sidebar_window = collection ? collection->GetWindowFromID("Sidebar", 0) : nullptr;
  m_weapon_window = collection ? collection->GetWindowFromID("Weapon", 0) : nullptr;
  m_short_of_cash = 0;
  if (!m_sidebar_window || !m_weapon_window) return;
  // A locked box shows nothing of its own, as the game's update decides.
  if (sbl_over_what >= 0 && sbl_over_what < QW_SIDEBAR_BOXES && sb_button_on[sbl_over_what] &&
      play_state == QW_PLAY_IDLE) {
    FillSidebar(sbl_over_what);
    return;
  }
  Weapon *w = (weapon_info_shown >= 0 && weapon_info_shown < num_weapons && weapon_info_shown < QW_MAX_WEAPONS)
                  ? weapons[weapon_info_shown]
                  : nullptr;
  if (!w) {
    ShowNothing(nullptr, 0);
    return;
  }
  FillWeapon(w);
}

void PopupCC::FillSidebar(int box) {
  const EngInt32 type = sb_lb_weapon_types[box];
  if (!PopupIsValidWeapon(type, 0, 0)) {
    ShowNothing("Invalid weapon type", type);
    return;
  }
  MWinWindow *window = m_sidebar_window;
  if (!window->IsShown()) window->Show(1);
  m_weapon_window->Show(0);
  RestoreWindow(window, 0);
  const _Dimension *area = window->GetOrigArea();
  const float w = area->width, h = area->height;
  // Beside the box where the column draws it now.
  _Dimension box_area = sb_lb_tex_pos[box];
  SidebarGetSideButtonPosition(box, 1, 0.0f, 0.0f, &box_area);
  float x = 0, y = 0;
  PopupPlaceBesideBox(box_area, h, &x, &y);
  window->SetOrigPos(x, y);
  window->EnsureOnScreen();

  const _WeaponTypeLevelDetails &d = Details(type, 0);
  SetWidgetText(window, "Title", WeaponsGetTypeName(type));
  char text[64];
  snprintf(text, sizeof(text), "%d", int(d.price));
  SetWidgetText(window, "Cost", text);
  if (MWinButton *cost = Widget(window, "Cost")) {
    _ColourRGBA colour;
    cost->GetTextColour(&colour);
    const char dear = d.price > cash ? 1 : 0;
    cost->SetTextColour(1, dear ? 0.0f : 1.0f, dear ? 0.0f : 1.0f, colour.a);
    if (dear) m_short_of_cash = 1;
  }
  if (type >= QW_FIRST_FACTORY_TYPE) {
    HideWidgets(window, kValueRows, int(sizeof(kValueRows) / sizeof(kValueRows[0])));
    // 70 high around the centre it had.
    window->SetOrigPos(window->GetOrigArea()->x, window->GetOrigArea()->y + h * 0.5f - 35, w, 70);
    window->EnsureOnScreen();
    return;
  }
  SetStatRows(window, d, 0);
}

void PopupCC::MarkUpgrading(MWinWindow *window) {
  const char *upgrading = ScreensText("Popup_Upgrading", "Upgrading ...");
  for (const char *id : {"Upgrade", "FullUpgrade"})
    if (MWinButton *b = Widget(window, id)) {
      b->SetText(upgrading);
      b->Disable();
    }
  if (MWinButton *sell = Widget(window, "Sell")) sell->Disable();
}

void PopupCC::FillWeapon(Weapon *weapon) {
  const EngInt32 type = weapon->type, level = weapon->level;
  if (!PopupIsValidWeapon(type, level, weapon->target_mode)) {
    ShowNothing(type < 0 || type >= QW_NUM_WEAPON_TYPES ? "Invalid weapon type"
                : level < 0 || level > PopupTopLevel(type) ? "Invalid weapon level"
                                                            : "Invalid target mode",
                type < 0 || type >= QW_NUM_WEAPON_TYPES         ? type
                : level < 0 || level > PopupTopLevel(type) ? level
                                                            : weapon->target_mode);
    return;
  }
  MWinWindow *window = m_weapon_window;
  if (!window->IsShown()) window->Show(1);
  m_sidebar_window->Show(0);
  RestoreWindow(window, 1);
  const float w = window->GetOrigArea()->width, h = window->GetOrigArea()->height;
  const _Dimension box = PopupWeaponBox(weapon->x, weapon->y, weapon->size);
  float x = 0, y = 0;
  PopupPlaceOverWeapon(box, w, h, &x, &y);
  window->SetOrigPos(x, y);
  window->Activate();
  window->EnsureOnScreen();

  const char factory = type >= QW_FIRST_FACTORY_TYPE ? 1 : 0;
  const EngInt32 top = PopupTopLevel(type);
  const _WeaponTypeLevelDetails &d = Details(type, level);
  SetWidgetText(window, "Title", WeaponsGetTypeName(type));
  char text[96];
  if (!factory) {
    SetStatRows(window, d, 0);
  } else {
    HideWidgets(window, kValueRows, int(sizeof(kValueRows) / sizeof(kValueRows[0])));
    HideWidgets(window, kFactoryWeaponHidden, int(sizeof(kFactoryWeaponHidden) / sizeof(kFactoryWeaponHidden[0])));
    PopupPlaceOverWeapon(box, w, 100, &x, &y);
    window->SetOrigPos(x, y, w, 100);
    window->EnsureOnScreen();
    if (MWinButton *upgrade = Widget(window, "Upgrade"))
      upgrade->SetOrigPos(w * 0.5f - upgrade->GetOrigArea()->width * 0.5f, 100 - 40);
  }

  WithNumber("Popup_SellFor", "Sell (%1)", PopupSellValue(type, level), text, int(sizeof(text)));
  SetWidgetText(window, "Sell", text);
  WithNumber("Popup_LevelNumber", "Level %1", level + 1, text, int(sizeof(text)));
  SetWidgetText(window, "Level", text);
  if (MWinChoice *target = MWinChoice::From(Widget(window, "Target"))) {
    static const char *const kTokens[POPUP_NUM_TARGET_MODES][2] = {
        {"Popup_TargetFront", "Front"}, {"Popup_TargetBack", "Back"}, {"Popup_TargetStrong", "Strong"},
        {"Popup_TargetWeak", "Weak"},   {"Popup_TargetNear", "Near"}};
    for (int i = 0; i < POPUP_NUM_TARGET_MODES; i++) m_target_names[i] = ScreensText(kTokens[i][0], kTokens[i][1]);
    target->ChoiceSetStrings(POPUP_NUM_TARGET_MODES, m_target_names);
    target->ChoiceSetSel(weapon->target_mode, 0);
  }

  MWinButton *upgrade = Widget(window, "Upgrade"), *full = Widget(window, "FullUpgrade");
  if (level < top) {
    const EngInt32 prices[2] = {Details(type, level + 1).price, PopupFullUpgradePrice(type, level)};
    MWinButton *buttons[2] = {upgrade, full};
    const char *const tokens[2][2] = {{"Popup_UpgradeFor", "Upgrade (%1)"},
                                      {"Popup_FullUpgradeFor", "Full Upgrade (%1)"}};
    for (int i = 0; i < 2; i++) {
      if (!buttons[i]) continue;
      WithNumber(tokens[i][0], tokens[i][1], prices[i], text, int(sizeof(text)));
      buttons[i]->SetText(text);
      _ColourRGBA colour;
      buttons[i]->GetTextColour(&colour);
      const char dear = prices[i] > cash ? 1 : 0;
      buttons[i]->SetTextColour(1, dear ? 0.0f : 1.0f, dear ? 0.0f : 1.0f, colour.a);
      if (dear) {
        buttons[i]->Disable();
        m_short_of_cash = 1;
      } else {
        buttons[i]->Enable();
      }
    }
    if (!factory) {
      SetStatRows(window, Details(type, level + 1), 1);
    }
  } else {
    for (MWinButton *b : {upgrade, full}) {
      if (!b) continue;
      b->SetText(ScreensText("Popup_MaximumLevel", "Maximum Level"));
      _ColourRGBA colour;
      b->GetTextColour(&colour);
      b->SetTextColour(1, 1, 1, colour.a);
      b->Disable();
    }
    if (!factory)
      for (const char *id : {"Reload2", "Range2", "Damage2", "Slow2"}) SetWidgetText(window, id, "-");
  }
  if (weapon->upgrading) MarkUpgrading(window);
}

// ---- Presses ----

char PopupCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *) {
  if (!button || !CollectionExists() || button->GetWindow() != m_weapon_window) return 0;
  const char *id = button->GetID();
  const char upgrade = strcmp(id, "Upgrade") == 0, full = strcmp(id, "FullUpgrade") == 0;
  const char target = strcmp(id, "Target") == 0, sell = strcmp(id, "Sell") == 0;
  if (!upgrade && !full && !target && !sell) return 0;
  Weapon *w = (weapon_info_shown >= 0 && weapon_info_shown < num_weapons && weapon_info_shown < QW_MAX_WEAPONS)
                  ? weapons[weapon_info_shown]
                  : nullptr;
  if (!w) return 1;
  // What the game does on a change of cash or a sale waits for the next update.
  m_in_press = 1;
  if (upgrade || full) {
    if (upgrade ? w->StartUpgrade() : w->StartFullUpgrade()) {
      MarkUpgrading(m_weapon_window);
      DestroyCollectionSoon();
    }
  } else if (target) {
    MWinChoice *choice = MWinChoice::From(button);
    const int mode = choice ? choice->ChoiceGetSel() : -1;
    if (mode >= 0 && mode < POPUP_NUM_TARGET_MODES) w->target_mode = mode;
    DestroyCollectionSoon();
  } else {
    WeaponsSellWeapon(weapon_info_shown);
    if (m_mwin && m_mwin->GetScreenLayout() != ENG_LAYOUT_DESKTOP) DestroyCollectionSoon();
  }
  m_in_press = 0;
  return 1;
}
