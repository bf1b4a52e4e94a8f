#include "game/Sidebar.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "game/Bugs.h"
#include "game/Game.h"
#include "game/Popup.h"
#include "game/Quarrelwick.h"
#include "game/Sound.h"
#include "game/Tutorial.h"
#include "game/Weapons.h"

EngTexture *sb_left_tex = nullptr;
EngTexture *sb_bottom_tex = nullptr;
// "Box.tga" (the empty box) and "Darken.tga" (laid over locked boxes).
static EngTexture *sb_box_back_tex = nullptr;
static EngTexture *sb_darken_tex = nullptr;
// The column as loaded: each box is put back from it before it is stamped again, so a box
// once darkened or filled never keeps that under the next, partly transparent, stamps.
static EngTexture *sb_left_plain_tex = nullptr;
// What each box of the side texture shows now. Every stamp reads the whole texture back and
// uploads it again, so only boxes whose look changed are stamped (a purchase stays smooth).
enum { BOX_UNKNOWN, BOX_EMPTY, BOX_BRIGHT, BOX_DARK };
static EngUInt8 box_shown[QW_SIDEBAR_BOXES];
EngInt32 sb_lb_pos[QW_SIDEBAR_BOXES][4];
_Dimension sb_lb_tex_pos[QW_SIDEBAR_BOXES];
EngInt32 sb_lb_weapon_types[QW_SIDEBAR_BOXES] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
EngUInt8 sb_button_on[QW_SIDEBAR_BOXES];
EngInt32 sbl_over_what = -1;
EngUInt8 sb_over_menu = 0;
float sbl_cursor_x = -1.0f, sbl_cursor_y = -1.0f;
// The pointer in design units, as the bottom bar sees it.
static float sbb_cursor_x = -1.0f, sbb_cursor_y = -1.0f;

// The side texture's size in pixels and the design rectangle it covers.
enum { SIDE_W = 256, SIDE_H = 1024 };
static const float kSideDesignW = 100.0f, kSideDesignH = 450.0f;
// The plaque behind the two wave texts spans x 12..240 of the side texture; its frame and a
// little air take 4 pixels more on each side.
static const float kPlaqueInnerLeft = 16.0f, kPlaqueInnerRight = 236.0f;
static const float kWaveTextX = 50.0f;
// The Start/Pause/Resume button and the menu button of the bottom bar, design x.
static const float kStartLeft = 468.0f, kStartRight = 555.0f, kMenuLeft = 576.0f, kMenuRight = float(ENG_DESIGN_WIDTH);

static bool IsBox(int box) { return box >= 0 && box < QW_SIDEBAR_BOXES; }

static void FreeTexture(EngTexture **t) {
  delete *t;
  *t = nullptr;
}

void SidebarPre3dInit() {
  static const EngInt32 kColumns[3][2] = {{14, 84}, {92, 162}, {170, 240}};
  const float ratio = eng_main_window_x_widescreen_ratio > 0.0f ? eng_main_window_x_widescreen_ratio : 1.0f;
  for (int i = 0; i < QW_SIDEBAR_BOXES; i++) {
    EngInt32 *p = sb_lb_pos[i];
    const int column = i % 3, row = i / 3;
    p[0] = kColumns[column][0];
    p[1] = 220 + 218 * row;
    p[2] = kColumns[column][1];
    p[3] = 300 + 218 * row;
    _Dimension &d = sb_lb_tex_pos[i];
    d.x = float(p[0]) * 100.0f * ratio / 256.0f;
    d.width = float(p[2]) * 100.0f * ratio / 256.0f - d.x;
    d.y = float(p[1]) * float(ENG_DESIGN_HEIGHT) / 1024.0f;
    d.height = float(p[3]) * float(ENG_DESIGN_HEIGHT) / 1024.0f - d.y;
  }
}

static char LoadPicture(EngTexture **slot, const char *name, char with_alpha) {
  if (!*slot) *slot = new EngTexture();
  // Alpha mode 2: the file's own alpha.
  if ((*slot)->LoadFromFile(name, with_alpha, with_alpha ? 2 : 0, 0) && (*slot)->IsOk()) return 1;
  DebugErrorAlt(ENG_FUNC, "Could not load texture <%s>", name);
  FreeTexture(slot);
  return 0;
}

char SidebarCreateGraphics() {
  if (!LoadPicture(&sb_box_back_tex, "Box.tga", 1)) return 0;
  if (!LoadPicture(&sb_darken_tex, "Darken.tga", 1)) return 0;
  return SidebarUpdateFactories(1);
}

void SidebarDestroyGraphics() {
  for (EngTexture **t : {&sb_left_tex, &sb_left_plain_tex, &sb_bottom_tex, &sb_box_back_tex, &sb_darken_tex})
    FreeTexture(t);
}

static void UpdateAvailability() {
  for (int i = 0; i < QW_SIDEBAR_BOXES; i++) {
    const int type = sb_lb_weapon_types[i];
    if (type >= QW_FIRST_FACTORY_TYPE && type < QW_NUM_WEAPON_TYPES) {
      sb_button_on[i] = factory_levels[type - QW_FIRST_FACTORY_TYPE] < 1 ? 1 : 0;
    } else if (type >= 0 && type < QW_FIRST_FACTORY_TYPE) {
      // A family's factory at level L unlocks the first L weapons of its row.
      sb_button_on[i] = factory_levels[type / 3] > type % 3 ? 1 : 0;
    } else {
      sb_button_on[i] = 0;
    }
  }
}

// Copies a whole picture into a rectangle of the side texture, blended by its alpha.
static char Stamp(EngTexture *from, int left, int top, int right, int bottom) {
  if (!from) return 0;
  return sb_left_tex->CopyPartFromAnotherTexture(from, 0, 0, -1, -1, left, top, right - left, bottom - top, 1,
                                                 nullptr);
}

static char DoStampBox(int i) {
  const EngInt32 *p = sb_lb_pos[i];
  const int w = p[2] - p[0], h = p[3] - p[1];
  if (!sb_left_tex->CopyPartFromAnotherTexture(sb_left_plain_tex, p[0], p[1], w, h, p[0], p[1], w, h, 0, nullptr))
    return 0;
  if (!Stamp(sb_box_back_tex, p[0], p[1], p[2], p[3])) return 0;
  const int type = sb_lb_weapon_types[i];
  if (type < 0 || type >= QW_NUM_WEAPON_TYPES) return 1;
  const int l = p[0] + 4, t = p[1] + 4, r = p[2] - 4, b = p[3] - 4;
  if (type >= QW_FIRST_FACTORY_TYPE) {
    const int family = type - QW_FIRST_FACTORY_TYPE;
    // A bought factory is upgraded on the field, never bought twice: its box stays empty.
    if (factory_levels[family] >= 1) {
      sb_button_on[i] = 0;
      return 1;
    }
    return Stamp(factory_texs[family][0], l, t, r, b);
  }
  if (!Stamp(weapon_texs[type][0], l, t, r, b)) return 0;
  if (weapon_texs[type][1] && !Stamp(weapon_texs[type][1], l, t, r, b)) return 0;
  // Darkened, not replaced: a locked weapon still shows what it will be.
  if (!sb_button_on[i] && !Stamp(sb_darken_tex, p[0], p[1], p[2], p[3])) return 0;
  return 1;
}

static EngUInt8 BoxLook(int i) {
  const int type = sb_lb_weapon_types[i];
  if (type < 0 || type >= QW_NUM_WEAPON_TYPES) return BOX_EMPTY;
  if (type >= QW_FIRST_FACTORY_TYPE) return factory_levels[type - QW_FIRST_FACTORY_TYPE] >= 1 ? BOX_EMPTY : BOX_BRIGHT;
  return sb_button_on[i] ? BOX_BRIGHT : BOX_DARK;
}

static char StampBox(int i) {
  const EngUInt8 look = BoxLook(i);
  if (box_shown[i] == look) return 1;
  box_shown[i] = BOX_UNKNOWN;
  if (!DoStampBox(i)) return 0;
  box_shown[i] = look;
  return 1;
}

char SidebarUpdateFactories(char redraw) {
  UpdateAvailability();
  if (redraw < 0) return 1;
  // Without the box pictures (no graphics made, as in the headless game) nothing is drawn.
  if (!sb_box_back_tex || !sb_darken_tex) return 0;
  if (!sb_left_tex || !sb_left_plain_tex) {
    FreeTexture(&sb_left_tex);
    FreeTexture(&sb_left_plain_tex);
    if (!LoadPicture(&sb_left_plain_tex, "SideLeft1024.jpg", 0) || !LoadPicture(&sb_left_tex, "SideLeft1024.jpg", 0))
      return 0;
    memset(box_shown, BOX_UNKNOWN, sizeof(box_shown));
  }
  // The weapons' pictures may have been made again: every box is stamped anew.
  if (redraw == 1) memset(box_shown, BOX_UNKNOWN, sizeof(box_shown));
  char ok = 1;
  for (int i = 0; i < QW_SIDEBAR_BOXES; i++)
    if (!StampBox(i)) {
      DebugErrorAlt(ENG_FUNC, "Could not draw box %d", i);
      ok = 0;
    }
  if (redraw == 1) FreeTexture(&sb_bottom_tex);
  if (!sb_bottom_tex && !LoadPicture(&sb_bottom_tex, "BotBar1024.jpg", 0)) return 0;
  return ok;
}

void SidebarInitForNewGame() { SidebarUpdateFactories(0); }

void SidebarTick() {}

const char *SidebarGetButtonText() {
  if (game_paused == QW_GAME_PAUSED) return EngLanguagesGetStringIfExists("Sidebar_Resume", "RESUME");
  if (game_paused == QW_GAME_NOT_STARTED) return EngLanguagesGetStringIfExists("Sidebar_Start", "START");
  return EngLanguagesGetStringIfExists("Sidebar_Pause", "PAUSE");
}

void SidebarRender() {
  SidebarRenderPictures();
  SidebarRenderTexts();
}

void SidebarRenderPictures() {
  if (sb_left_tex) sb_left_tex->PositionRatioedAndDraw(0.0f, 0.0f, kSideDesignW, kSideDesignH);
  if (sb_bottom_tex) sb_bottom_tex->PositionRatioedAndDraw(0.0f, 450.0f, float(ENG_DESIGN_WIDTH), 30.0f);
}

char SidebarCoversItsPlace() { return sb_left_tex && sb_bottom_tex; }

float SidebarGetWaveTextRoom() {
  const float left = kPlaqueInnerLeft * kSideDesignW / SIDE_W, right = kPlaqueInnerRight * kSideDesignW / SIDE_W;
  return 2.0f * std::min(kWaveTextX - left, right - kWaveTextX);
}

// At the wave texts' own scale, or smaller when the text, measured as the font will draw it,
// would run onto the plaque's frame (the longest bug name, a two-digit wave).
void SidebarDrawWaveText(EngFont *font, float y, const char *text) {
  if (!font || !text) return;
  font->SetScale(0.74f, 0.8f);
  const float width = font->GetStringWidth(text), room = SidebarGetWaveTextRoom();
  if (width > room) font->SetScale(0.74f * room / width, 0.8f * room / width);
  font->DrawStringAlign(kWaveTextX, y, 1, 1, text, 1);
}

void SidebarRenderTexts() {
  if (bug_species < 0) return;
  EngFont *font = GameGetMainFont();
  if (!font) return;
  font->SetColour(1.0f, 1.0f, 1.0f, 0.8f);
  SidebarDrawWaveText(font, 18.0f, level_str_1);
  SidebarDrawWaveText(font, 44.0f, level_str_2);
  font->SetScale(1.2f, 1.0f);
  font->DrawStringAlign(111.0f, 465.0f, 0, 1, score_str, 1);
  font->DrawStringAlign(280.0f, 465.0f, 0, 1, cash_str, 1);
  font->DrawStringAlign(420.0f, 465.0f, 0, 1, lives_str, 1);
  if (sb_over_menu == 1) font->SetColour(-1.0f, -1.0f, -1.0f, 1.0f);
  font->DrawStringAlign(510.0f, 465.0f, 1, 1, SidebarGetButtonText(), 1);
}

static bool InSideTexture(float sx, float sy) { return sx >= 0.0f && sx < SIDE_W && sy >= 0.0f && sy < SIDE_H; }

char SidebarMoveMouse(float X, float Y) {
  sb_over_menu = 0;
  sbl_cursor_x = float(SIDE_W) * X / kSideDesignW;
  sbl_cursor_y = float(SIDE_H) * Y / kSideDesignH;
  const EngInt32 before = sbl_over_what;
  sbl_over_what = -1;
  if (InSideTexture(sbl_cursor_x, sbl_cursor_y)) {
    for (int i = 0; i < QW_SIDEBAR_BOXES; i++) {
      const EngInt32 *p = sb_lb_pos[i];
      if (sbl_cursor_x < p[0] || sbl_cursor_x >= p[2] || sbl_cursor_y < p[1] || sbl_cursor_y >= p[3]) continue;
      const int type = sb_lb_weapon_types[i];
      const bool weapon = type >= 0 && type < QW_FIRST_FACTORY_TYPE;
      const bool open_factory = type >= QW_FIRST_FACTORY_TYPE && type < QW_NUM_WEAPON_TYPES &&
                                factory_levels[type - QW_FIRST_FACTORY_TYPE] < 1;
      if (!weapon && !open_factory) continue;
      sbl_over_what = i;
      break;
    }
    if (sbl_over_what != before) PopupUpdate(1);
    return 1;
  }
  // Leaving the column leaves no box's information behind.
  if (before != -1) PopupUpdate(1);
  sbb_cursor_x = X;
  sbb_cursor_y = Y;
  if (Y <= 450.0f) return 0;
  if (X >= kStartLeft && X < kStartRight)
    sb_over_menu = 1;
  else if (X >= kMenuLeft && X < kMenuRight)
    sb_over_menu = 2;
  return 1;
}

char SidebarMouseButtonPressed(char button, char state) {
  if (InSideTexture(sbl_cursor_x, sbl_cursor_y)) {
    if (button != 0) return 1;
    // A click in the column while placing puts that weapon back; only a double click goes on
    // to pick the box under it.
    if (play_state != QW_PLAY_IDLE && state != 0) {
      SidebarCancelAnyPlacing();
      if (state != 2) {
        SidebarReset();
        return 1;
      }
    }
    if (IsBox(sbl_over_what) && sb_button_on[sbl_over_what] && state != 0 &&
        sb_lb_weapon_types[sbl_over_what] >= 0)
      SidebarStartPlacingWeapon(sb_lb_weapon_types[sbl_over_what]);
    return 1;
  }
  if (sbb_cursor_y <= 450.0f) return 0;
  if (button != 0 || state != 1) return 1;
  if (sb_over_menu == 1) {
    game_paused = game_paused == QW_GAME_RUNNING ? QW_GAME_PAUSED : QW_GAME_RUNNING;
    TutorialAdvanceIfNeeded();
  } else if (sb_over_menu == 2) {
    if (main_game) main_game->ReturnToMenus();
  }
  return 1;
}

char SidebarStartPlacingWeapon(int type) {
  if (type < 0 || type >= QW_NUM_WEAPON_TYPES) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  if (play_state != QW_PLAY_IDLE) return 0;
  if (cash < weapon_type_level_details[type][0].price) return 0;
  play_state = QW_PLAY_PLACING;
  weapon_placing_type = type;
  delete weapon_to_place;
  weapon_to_place = new Weapon(GameGetMainGame(), type, cursor_x_fs, cursor_y_fs);
  weapon_to_place->SetFullViewportPos(cursor_x_fs, cursor_y_fs);
  SoundPlay(20);
  return 1;
}

void SidebarCancelAnyPlacing() {
  play_state = QW_PLAY_IDLE;
  QuarrelwickUpdateCursorPos(0);
  delete weapon_to_place;
  weapon_to_place = nullptr;
}

void SidebarReset() {
  sbl_over_what = -1;
  sb_over_menu = 0;
  PopupUpdate(1);
  SidebarUpdateFactories(-1);
}

// Margins widen the rectangle on both sides; it is then moved, not shrunk, to stay inside
// the limits.
static void WidenAndHold(_Dimension *d, float x_margin, float y_margin, float max_x, float max_y) {
  if (x_margin != 0.0f) {
    d->x -= x_margin;
    d->width += 2.0f * x_margin;
  }
  if (y_margin != 0.0f) {
    d->y -= y_margin;
    d->height += 2.0f * y_margin;
  }
  if (d->x < 0.0f) d->x = 0.0f;
  if (d->x + d->width > max_x) d->x = max_x - d->width;
  if (max_y > 0.0f) {
    if (d->y < 0.0f) d->y = 0.0f;
    if (d->y + d->height > max_y) d->y = max_y - d->height;
  }
}

char SidebarGetSideButtonPosition(int box, char on_screen, float x_margin, float y_margin, _Dimension *out) {
  if (!out) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (!IsBox(box)) {
    DebugErrorAlt(ENG_FUNC, "Bad bnum %d.", box);
    return 0;
  }
  *out = sb_lb_tex_pos[box];
  if (on_screen) {
    // Where the column draws the box: its texture pixels over the column's design rectangle,
    // whatever the window's shape was when the texture positions were worked out.
    const EngInt32 *p = sb_lb_pos[box];
    out->x = float(p[0]) * kSideDesignW / SIDE_W;
    out->width = float(p[2] - p[0]) * kSideDesignW / SIDE_W;
    out->y = float(p[1]) * kSideDesignH / SIDE_H;
    out->height = float(p[3] - p[1]) * kSideDesignH / SIDE_H;
  }
  WidenAndHold(out, x_margin, y_margin, float(ENG_DESIGN_WIDTH), float(ENG_DESIGN_HEIGHT));
  return 1;
}

char SidebarGetBottomButtonPosition(int button, char log, float x_margin, float y_margin, _Dimension *out) {
  if (!out) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (button != 0) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOIM);
    return 0;
  }
  *out = {kStartLeft, 450.0f, kStartRight - kStartLeft, 30.0f};
  if (log) DebugInfo("[%.0f %.0f %.0f %.0f]", double(out->x), double(out->y), double(out->width), double(out->height));
  WidenAndHold(out, x_margin, y_margin, float(ENG_DESIGN_WIDTH), 0.0f);
  return 1;
}

void SidebarResetForTests() {
  SidebarDestroyGraphics();
  memset(sb_button_on, 0, sizeof(sb_button_on));
  sbl_over_what = -1;
  sb_over_menu = 0;
  sbl_cursor_x = sbl_cursor_y = sbb_cursor_x = sbb_cursor_y = -1.0f;
  SidebarPre3dInit();
}
