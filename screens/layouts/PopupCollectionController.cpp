#include "screens/layouts/PopupCollectionController.h"

#include "Engine/EngTypes.h"
#include "screens/ScreenLayout.h"

namespace {

constexpr const char *kDefault = "MWIN_TEXBUT_DEFAULT";
constexpr const char *kNone = "MWIN_TEXBUT_NONE";
constexpr _ColourRGBA kText = {1, 1, 1, 0.7f};
constexpr _Vector2d kScale = {0.9f, 0.95f};
// Narrow enough that "Target:" and each target's name fit their boxes, margins and all.
constexpr _Vector2d kTargetScale = {0.64f, 0.9f};
constexpr _MWinTextAlign kLeft = MWIN_ALIGN_LEFT;
constexpr _MWinTextAlign kCentre = MWIN_ALIGN_CENTRE;
constexpr _MWinTextAlign kRight = MWIN_ALIGN_RIGHT;

// A value the behaviour class writes.
constexpr ScreenLayoutWidget Value(const char *id, const char *text, _MWinTextAlign align) {
  return {id, MWIN_BUTTON_STATIC, kNone, text, "Main", kText, kScale, align, ScreenPlaceholder()};
}
// A caption in the player's language.
constexpr ScreenLayoutWidget Caption(const char *id, const char *text) {
  return {id, MWIN_BUTTON_STATIC, kNone, text, "Main", kText, kScale, kRight, ScreenText()};
}

// Builder order, not row order: Cost at y 40, Range 70, Reload Rate 90, Damage 110, Slowdown 130.
const ScreenLayoutWidget kSidebarWidgets[] = {
    Value("Title", "Unset", kCentre), Value("Cost", "Unset", kLeft),   Caption("CostT", "Cost:"),
    Value("Reload", "Unset", kLeft),  Caption("DamageT", "Damage:"),   Value("Damage", "Unset", kLeft),
    Caption("ReloadT", "Reload Rate:"), Value("Slow", "Unset", kLeft), Caption("SlowT", "Slowdown:"),
    Value("Range", "Unset", kLeft),   Caption("RangeT", "Range:"),
};

// Layouts 0 Normal, 1 IPhonePortrait, 2 IPhoneLandscape, 3 IPadPortrait, 4 IPadLandscape.
// Layout 2 has rectangles of its own; the others share the desktop's.
#define QW_POPUP_AREAS(x, y, w, h, lx, ly, lw, lh) \
  { {x, y, w, h}, {x, y, w, h}, {lx, ly, lw, lh}, {x, y, w, h}, {x, y, w, h} }
const _Dimension kSidebarAreas[][ENG_NUM_LAYOUTS] = {
    /* Title */ QW_POPUP_AREAS(0, 6, 140, 25, 0, 6, 160, 25),
    /* Cost */ QW_POPUP_AREAS(90, 40, 50, 20, 130, 45, 50, 20),
    /* CostT */ QW_POPUP_AREAS(10, 40, 80, 20, 5, 45, 120, 20),
    /* Reload */ QW_POPUP_AREAS(90, 90, 50, 20, 130, 95, 50, 20),
    /* DamageT */ QW_POPUP_AREAS(10, 110, 80, 20, 5, 120, 120, 20),
    /* Damage */ QW_POPUP_AREAS(90, 110, 50, 20, 130, 120, 50, 20),
    /* ReloadT */ QW_POPUP_AREAS(10, 90, 80, 20, 5, 95, 120, 20),
    /* Slow */ QW_POPUP_AREAS(90, 130, 50, 20, 130, 145, 50, 20),
    /* SlowT */ QW_POPUP_AREAS(10, 130, 80, 20, 5, 145, 120, 20),
    /* Range */ QW_POPUP_AREAS(90, 70, 50, 20, 130, 70, 50, 20),
    /* RangeT */ QW_POPUP_AREAS(10, 70, 80, 20, 5, 70, 120, 20),
};
static_assert(sizeof(kSidebarAreas) / sizeof(kSidebarAreas[0]) == sizeof(kSidebarWidgets) / sizeof(kSidebarWidgets[0]),
              "one area row a widget");

// Rows of 16 units' pitch: a caption, this level's value, "->" and the next level's value.
const ScreenLayoutWidget kWeaponWidgets[] = {
    Value("Title", "Unset", kCentre),
    Value("Reload", "Unset", kCentre),
    Caption("DamageT", "Damage:"),
    Value("Damage", "Unset", kCentre),
    Caption("ReloadT", "Reload Rate:"),
    Value("Slow", "Unset", kCentre),
    Caption("SlowT", "Slowdown:"),
    Value("Range", "Unset", kCentre),
    Caption("RangeT", "Range:"),
    Value("Reload2", "Unset", kCentre),
    Value("Damage2", "Unset", kCentre),
    Value("Slow2", "Unset", kCentre),
    Value("Range2", "Unset", kCentre),
    Value("Level", "Level X", kCentre),
    // The behaviour class writes the buttons' texts with their prices.
    {"Upgrade", MWIN_BUTTON_PUSH, kDefault, "Upgrade", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"Sell", MWIN_BUTTON_PUSH, kDefault, "Sell", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    Value("Arrow1", "->", kLeft),
    Value("Arrow2", "->", kLeft),
    Value("Arrow3", "->", kLeft),
    Value("Arrow4", "->", kLeft),
    {"FullUpgrade", MWIN_BUTTON_PUSH, kDefault, "Full Upgrade", "Main", kText, kScale, kCentre, ScreenPlaceholder()},
    {"TargetT", MWIN_BUTTON_STATIC, kNone, "Target:", "Main", kText, kTargetScale, kRight, ScreenText()},
    {"Target", MWIN_BUTTON_CHOICE, kDefault, "", "Main", kText, kTargetScale, kCentre, ScreenPlaceholder()},
};

const _Dimension kWeaponAreas[][ENG_NUM_LAYOUTS] = {
    /* Title */ QW_POPUP_AREAS(0, 6, 210, 25, 0, 6, 235, 25),
    /* Reload */ QW_POPUP_AREAS(110, 74, 30, 20, 130, 95, 40, 20),
    /* DamageT */ QW_POPUP_AREAS(20, 90, 80, 20, 5, 120, 120, 20),
    /* Damage */ QW_POPUP_AREAS(110, 90, 30, 20, 130, 120, 40, 20),
    /* ReloadT */ QW_POPUP_AREAS(20, 74, 80, 20, 5, 95, 120, 20),
    /* Slow */ QW_POPUP_AREAS(110, 106, 30, 20, 130, 150, 40, 20),
    /* SlowT */ QW_POPUP_AREAS(20, 106, 80, 20, 5, 150, 120, 20),
    /* Range */ QW_POPUP_AREAS(110, 58, 30, 20, 130, 70, 40, 20),
    /* RangeT */ QW_POPUP_AREAS(20, 58, 80, 20, 5, 70, 120, 20),
    /* Reload2 */ QW_POPUP_AREAS(160, 74, 30, 20, 190, 95, 40, 20),
    /* Damage2 */ QW_POPUP_AREAS(160, 90, 30, 20, 190, 120, 40, 20),
    /* Slow2 */ QW_POPUP_AREAS(160, 106, 30, 20, 190, 150, 40, 20),
    /* Range2 */ QW_POPUP_AREAS(160, 58, 30, 20, 190, 70, 40, 20),
    /* Level */ QW_POPUP_AREAS(0, 32, 210, 20, 0, 35, 235, 25),
    /* Upgrade */ QW_POPUP_AREAS(10, 162, 115, 25, 10, 235, 125, 40),
    /* Sell */ QW_POPUP_AREAS(135, 162, 65, 25, 150, 235, 75, 40),
    /* Arrow1 */ QW_POPUP_AREAS(140, 58, 20, 20, 165, 70, 25, 20),
    /* Arrow2 */ QW_POPUP_AREAS(140, 74, 20, 20, 165, 95, 25, 20),
    /* Arrow3 */ QW_POPUP_AREAS(140, 90, 20, 20, 165, 120, 25, 20),
    /* Arrow4 */ QW_POPUP_AREAS(140, 106, 20, 20, 165, 150, 25, 20),
    /* FullUpgrade */ QW_POPUP_AREAS(10, 192, 190, 25, 10, 280, 216, 40),
    /* TargetT */ QW_POPUP_AREAS(2, 133, 34, 20, 3, 185, 60, 40),
    /* Target */ QW_POPUP_AREAS(37, 133, 171, 20, 65, 185, 160, 40),
};
#undef QW_POPUP_AREAS
static_assert(sizeof(kWeaponAreas) / sizeof(kWeaponAreas[0]) == sizeof(kWeaponWidgets) / sizeof(kWeaponWidgets[0]),
              "one area row a widget");

// Small floating windows that the player may drag, on the third background.
constexpr ScreenLayoutWindowRecord kFloatingWindow = {
    0, 2, 0, 0, 0, "", kDefault, "Back3", "MWIN_FONT_DEFAULT", "", "", "", "", "", "", ""};
constexpr _Dimension kSidebarWindow = {50, 30, 140, 160};
constexpr _Dimension kWeaponWindow = {290, 30, 210, 224};
const ScreenLayoutWindow kWindows[] = {
    {"Sidebar", kFloatingWindow,
     {kSidebarWindow, kSidebarWindow, {50, 30, 190, 180}, kSidebarWindow, kSidebarWindow}, {1, 1, 1, 1}, {1, 1},
     kLeft, kSidebarWidgets, int(sizeof(kSidebarWidgets) / sizeof(kSidebarWidgets[0])), kSidebarAreas, nullptr, 0},
    {"Weapon", kFloatingWindow,
     {kWeaponWindow, kWeaponWindow, {290, 30, 235, 330}, kWeaponWindow, kWeaponWindow}, {1, 1, 1, 1}, {1, 1},
     kLeft, kWeaponWidgets, int(sizeof(kWeaponWidgets) / sizeof(kWeaponWidgets[0])), kWeaponAreas, nullptr, 0},
};

const ScreenLayout kLayout = {"Popup", kWindows, 2, 1};

using Self = PopupCollectionController;
// The builders of a device layout.
MWinWindow *AddSidebar(Self *self, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutCallBuilder(self, layout, c, &Self::AddSidebarWindowToCollectionNormal,
                                 &Self::AddSidebarWindowToCollectionIPhonePortrait,
                                 &Self::AddSidebarWindowToCollectionIPhoneLandscape,
                                 &Self::AddSidebarWindowToCollectionIPadPortrait,
                                 &Self::AddSidebarWindowToCollectionIPadLandscape);
}
char AddSidebarButtons(Self *self, _EngLayout layout, MWinWindow *w) {
  return ScreenLayoutCallBuilder(self, layout, w, &Self::AddSidebarWindowButtonsToWindowNormal,
                                 &Self::AddSidebarWindowButtonsToWindowIPhonePortrait,
                                 &Self::AddSidebarWindowButtonsToWindowIPhoneLandscape,
                                 &Self::AddSidebarWindowButtonsToWindowIPadPortrait,
                                 &Self::AddSidebarWindowButtonsToWindowIPadLandscape);
}
MWinWindow *AddWeapon(Self *self, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutCallBuilder(self, layout, c, &Self::AddWeaponWindowToCollectionNormal,
                                 &Self::AddWeaponWindowToCollectionIPhonePortrait,
                                 &Self::AddWeaponWindowToCollectionIPhoneLandscape,
                                 &Self::AddWeaponWindowToCollectionIPadPortrait,
                                 &Self::AddWeaponWindowToCollectionIPadLandscape);
}
char AddWeaponButtons(Self *self, _EngLayout layout, MWinWindow *w) {
  return ScreenLayoutCallBuilder(self, layout, w, &Self::AddWeaponWindowButtonsToWindowNormal,
                                 &Self::AddWeaponWindowButtonsToWindowIPhonePortrait,
                                 &Self::AddWeaponWindowButtonsToWindowIPhoneLandscape,
                                 &Self::AddWeaponWindowButtonsToWindowIPadPortrait,
                                 &Self::AddWeaponWindowButtonsToWindowIPadLandscape);
}

}  // namespace

PopupCollectionController::PopupCollectionController() { RemoveVars(); }

const ScreenLayout &PopupCollectionController::GetLayout() { return kLayout; }

std::array<MWinButton **, 11> Self::SidebarWidgets() {
  static_assert(sizeof(kSidebarWidgets) / sizeof(kSidebarWidgets[0]) == 11, "eleven members");
  return {&mwinPopupSidebarTitleButton, &mwinPopupSidebarCostButton, &mwinPopupSidebarCostTButton,
          &mwinPopupSidebarReloadButton, &mwinPopupSidebarDamageTButton, &mwinPopupSidebarDamageButton,
          &mwinPopupSidebarReloadTButton, &mwinPopupSidebarSlowButton, &mwinPopupSidebarSlowTButton,
          &mwinPopupSidebarRangeButton, &mwinPopupSidebarRangeTButton};
}

std::array<MWinButton **, 23> Self::WeaponWidgets() {
  static_assert(sizeof(kWeaponWidgets) / sizeof(kWeaponWidgets[0]) == 23, "twenty-three members");
  return {&mwinPopupWeaponTitleButton, &mwinPopupWeaponReloadButton, &mwinPopupWeaponDamageTButton,
          &mwinPopupWeaponDamageButton, &mwinPopupWeaponReloadTButton, &mwinPopupWeaponSlowButton,
          &mwinPopupWeaponSlowTButton, &mwinPopupWeaponRangeButton, &mwinPopupWeaponRangeTButton,
          &mwinPopupWeaponReload2Button, &mwinPopupWeaponDamage2Button, &mwinPopupWeaponSlow2Button,
          &mwinPopupWeaponRange2Button, &mwinPopupWeaponLevelButton, &mwinPopupWeaponUpgradeButton,
          &mwinPopupWeaponSellButton, &mwinPopupWeaponArrow1Button, &mwinPopupWeaponArrow2Button,
          &mwinPopupWeaponArrow3Button, &mwinPopupWeaponArrow4Button, &mwinPopupWeaponFullUpgradeButton,
          &mwinPopupWeaponTargetTButton, &mwinPopupWeaponTargetButton};
}

char Self::CreateCollection(MWin *mwin) {
  return ScreenLayoutBuildCollection(ENG_FUNC, mwin,
                                     [this](MWin *m, MWinDesktop *d) { return AddCollectionToDesktop(m, d); });
}

// "Sidebar" first, then "Weapon"; a failed "Sidebar" does not stop "Weapon".
MWinCollection *Self::AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop) {
  return ScreenLayoutBuildCollectionOnDesktop(ENG_FUNC, kLayout, mwin, desktop, &mwinPopupCollection,
                                              [this](MWinCollection *c, _EngLayout l) {
                                                AddSidebar(this, l, c);
                                                AddWeapon(this, l, c);
                                              });
}

MWinWindow *Self::AddSidebarWindow(const char *signature, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutBuildWindow(signature, kLayout, 0, layout, c, &mwinPopupSidebarWindow, this,
                                 [this, layout](MWinWindow *w) { return AddSidebarButtons(this, layout, w); });
}

MWinWindow *Self::AddWeaponWindow(const char *signature, _EngLayout layout, MWinCollection *c) {
  return ScreenLayoutBuildWindow(signature, kLayout, 1, layout, c, &mwinPopupWeaponWindow, this,
                                 [this, layout](MWinWindow *w) { return AddWeaponButtons(this, layout, w); });
}

MWinWindow *Self::AddSidebarWindowToCollectionNormal(MWinCollection *c) {
  return AddSidebarWindow(ENG_FUNC, ENG_LAYOUT_DESKTOP, c);
}
MWinWindow *Self::AddWeaponWindowToCollectionNormal(MWinCollection *c) {
  return AddWeaponWindow(ENG_FUNC, ENG_LAYOUT_DESKTOP, c);
}
MWinWindow *Self::AddSidebarWindowToCollectionIPhonePortrait(MWinCollection *c) {
  return AddSidebarWindow(ENG_FUNC, ENG_LAYOUT_PHONE_PORTRAIT, c);
}
MWinWindow *Self::AddWeaponWindowToCollectionIPhonePortrait(MWinCollection *c) {
  return AddWeaponWindow(ENG_FUNC, ENG_LAYOUT_PHONE_PORTRAIT, c);
}
MWinWindow *Self::AddSidebarWindowToCollectionIPhoneLandscape(MWinCollection *c) {
  return AddSidebarWindow(ENG_FUNC, ENG_LAYOUT_PHONE_LANDSCAPE, c);
}
MWinWindow *Self::AddWeaponWindowToCollectionIPhoneLandscape(MWinCollection *c) {
  return AddWeaponWindow(ENG_FUNC, ENG_LAYOUT_PHONE_LANDSCAPE, c);
}
MWinWindow *Self::AddSidebarWindowToCollectionIPadPortrait(MWinCollection *c) {
  return AddSidebarWindow(ENG_FUNC, ENG_LAYOUT_TABLET_PORTRAIT, c);
}
MWinWindow *Self::AddWeaponWindowToCollectionIPadPortrait(MWinCollection *c) {
  return AddWeaponWindow(ENG_FUNC, ENG_LAYOUT_TABLET_PORTRAIT, c);
}
MWinWindow *Self::AddSidebarWindowToCollectionIPadLandscape(MWinCollection *c) {
  return AddSidebarWindow(ENG_FUNC, ENG_LAYOUT_TABLET_LANDSCAPE, c);
}
MWinWindow *Self::AddWeaponWindowToCollectionIPadLandscape(MWinCollection *c) {
  return AddWeaponWindow(ENG_FUNC, ENG_LAYOUT_TABLET_LANDSCAPE, c);
}
char Self::AddSidebarWindowButtonsToWindowNormal(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_DESKTOP, w, SidebarWidgets().data());
}
char Self::AddWeaponWindowButtonsToWindowNormal(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 1, ENG_LAYOUT_DESKTOP, w, WeaponWidgets().data());
}
char Self::AddSidebarWindowButtonsToWindowIPhonePortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_PHONE_PORTRAIT, w, SidebarWidgets().data());
}
char Self::AddWeaponWindowButtonsToWindowIPhonePortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 1, ENG_LAYOUT_PHONE_PORTRAIT, w, WeaponWidgets().data());
}
char Self::AddSidebarWindowButtonsToWindowIPhoneLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_PHONE_LANDSCAPE, w, SidebarWidgets().data());
}
char Self::AddWeaponWindowButtonsToWindowIPhoneLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 1, ENG_LAYOUT_PHONE_LANDSCAPE, w, WeaponWidgets().data());
}
char Self::AddSidebarWindowButtonsToWindowIPadPortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_TABLET_PORTRAIT, w, SidebarWidgets().data());
}
char Self::AddWeaponWindowButtonsToWindowIPadPortrait(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 1, ENG_LAYOUT_TABLET_PORTRAIT, w, WeaponWidgets().data());
}
char Self::AddSidebarWindowButtonsToWindowIPadLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 0, ENG_LAYOUT_TABLET_LANDSCAPE, w, SidebarWidgets().data());
}
char Self::AddWeaponWindowButtonsToWindowIPadLandscape(MWinWindow *w) {
  return ScreenLayoutBuildWidgets(ENG_FUNC, kLayout, 1, ENG_LAYOUT_TABLET_LANDSCAPE, w, WeaponWidgets().data());
}

void Self::RemoveVars() {
  mwinPopupCollection = nullptr;
  mwinPopupSidebarWindow = nullptr;
  mwinPopupWeaponWindow = nullptr;
  for (MWinButton **member : SidebarWidgets()) *member = nullptr;
  for (MWinButton **member : WeaponWidgets()) *member = nullptr;
}

void Self::SetScreensVar(MWinScreens *screens) { ScreenLayoutSetScreensVar(this, screens, 1); }
