#include "game/Quarrelwick.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngDrawnCopy.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "Engine/EngMatrix.h"
#include "Engine/EngMemory.h"
#include "Engine/EngSpriteOutlines.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "game/Bugs.h"
#include "game/Effects.h"
#include "game/Game.h"
#include "game/GameOver.h"
#include "game/GameWon.h"
#include "game/Levels.h"
#include "game/Popup.h"
#include "game/Sidebar.h"
#include "game/Sprites.h"
#include "game/Traverse.h"
#include "game/Tutorial.h"
#include "game/Weapons.h"
#include "screens/PopupCC.h"

EngUInt8 play_state = QW_PLAY_IDLE;
EngUInt8 game_paused = QW_GAME_NOT_STARTED;
EngUInt8 game_over = 0;
double game_over_time = 0.0;
EngUInt8 game_won = 0;
EngUInt8 game_started = 0;
EngInt32 bug_level_num = -1;
EngInt32 cash = 0;
EngInt32 score = 0;
EngInt32 score_added = 0;
EngInt32 lives = 0;
EngInt32 factory_levels[3] = {0, 0, 0};
Weapon *weapon_to_place = nullptr;
EngInt32 weapon_placing_type = -1;
char score_str[128];
char lives_str[64];
char cash_str[128];
char level_str_1[128];
char level_str_2[128];
float cursor_x_fs = 0.0f, cursor_y_fs = 0.0f;
float cursor_x = 0.0f, cursor_y = 0.0f;
EngUInt8 grid[QW_GRID_SIZE][QW_GRID_SIZE];
float game_per_second = 1.0f;
// "Cursor1.tga" (normal), "Cursor2.tga" (cannot place).
static EngTexture *cursor_tex[2] = {nullptr, nullptr};
EngTexture *range_tex = nullptr;
EngTexture *numbers_tex = nullptr;

static EngInt8 cursor_type = 0;
static char frame_shortcuts = 1;
static char graphics_created = 0;
// The texture changes the kept still layers were drawn after; 0 none kept.
static EngUInt32 layers_uploads = 0;
static EngMatrix saved_transform = [] {
  EngMatrix m;
  m.SetIdentityMatrix();
  return m;
}();

enum { KEY_SPACE = 32, KEY_CONTROL = 229, KEY_COMMAND = 231 };

// Counters are summed wide and held within 0..INT32_MAX, so no delta can wrap them.
static EngInt32 ClampCounter(long long value) {
  if (value < 0) return 0;
  if (value > INT_MAX) return INT_MAX;
  return EngInt32(value);
}

// A delta beyond twice the counter's range gives the same clamped result, and cannot overflow.
static EngInt32 AddToCounter(EngInt32 counter, long delta) {
  const long long limit = 2LL * INT_MAX + 2;
  long long d = delta < -limit ? -limit : delta > limit ? limit : (long long)delta;
  return ClampCounter((long long)counter + d);
}

// The score every weapon on the field adds (Weapon::GetScoreValue, 10 each, factories
// included).
static long long WeaponsScore() { return WeaponsGetScoreValue(); }

static const char *CurrentSpeciesName() {
  return (bug_species >= 0 && bug_species < BUGS_NUM_SPECIES) ? bug_names[bug_species] : "";
}

static void ClearTexts() {
  score_str[0] = lives_str[0] = cash_str[0] = 0;
  level_str_1[0] = level_str_2[0] = 0;
}

void QuarrelwickResetForTests() {
  QuarrelwickDestroyGraphics();
  frame_shortcuts = 1;
  layers_uploads = 0;
  SidebarResetForTests();
  TutorialResetForTests();
  play_state = QW_PLAY_IDLE;
  game_paused = QW_GAME_NOT_STARTED;
  game_over = 0;
  game_over_time = 0.0;
  game_won = 0;
  game_started = 0;
  bug_level_num = -1;
  cash = score = score_added = lives = 0;
  factory_levels[0] = factory_levels[1] = factory_levels[2] = 0;
  delete weapon_to_place;
  weapon_to_place = nullptr;
  weapon_placing_type = -1;
  WeaponsResetForTests();
  EffectsPost3dExit();
  GameOverResetForTests();
  GameWonResetForTests();
  SpritesResetForTests();
  ClearTexts();
  cursor_x_fs = cursor_y_fs = cursor_x = cursor_y = 0.0f;
  memset(grid, 0, sizeof(grid));
  game_per_second = 1.0f;
  cursor_type = 0;
  saved_transform.SetIdentityMatrix();
}

// --- Life cycle ------------------------------------------------------------------------------

char QuarrelwickPre3dInit() {
  LevelsPre3dInit();
  SidebarPre3dInit();
  if (!BugsPre3dInit()) return 0;
  if (!WeaponsPre3dInit()) return 0;
  return EffectsPre3dInit();
}

static char LoadTga(EngTexture **slot, const char *name) {
  if (!*slot) *slot = new EngTexture();
  // Alpha mode 2: the file's own alpha.
  if ((*slot)->LoadFromTgaFile(name, 1, 2)) return 1;
  DebugErrorAlt(ENG_FUNC, "Could not load texture <%s>", name);
  return 0;
}

char QuarrelwickCreateGraphics() {
  // The sprites' outlines, made by the asset tool beside their pictures; without them (told in
  // the log) every sprite is drawn whole.
  EngSpriteOutlinesLoadFile("SpriteOutlines.dat");
  if (!LoadTga(&cursor_tex[0], "Cursor1.tga") || !LoadTga(&cursor_tex[1], "Cursor2.tga") ||
      !LoadTga(&range_tex, "Range.tga") || !LoadTga(&numbers_tex, "Numbers.tga"))
    return 0;
  // A garden or bug picture that cannot be made is logged and play goes on without it.
  // The garden's picture may be read already (the garden selection reads it).
  if (!LevelsIsPictureLoaded() && !LevelsCreateGraphics(0)) DebugErrorAlt(ENG_FUNC, "LevelsCreateGraphics() failed");
  if (!BugsCreateGraphics()) DebugErrorAlt(ENG_FUNC, "BugsCreateGraphics() failed");
  if (!WeaponsCreateGraphics()) {
    DebugErrorAlt(ENG_FUNC, "WeaponsCreateGraphics() failed");
    return 0;
  }
  if (!SidebarCreateGraphics()) {
    DebugErrorAlt(ENG_FUNC, "SidebarCreateGraphics() failed");
    return 0;
  }
  // Logs its own failure; play goes on without hints.
  TutorialCreateGraphics();
  if (!EffectsCreateGraphics()) {
    DebugErrorAlt(ENG_FUNC, "EffectsCreateGraphics() failed");
    return 0;
  }
  if (!GameOverCreateGraphics()) {
    DebugErrorAlt(ENG_FUNC, "GameOverCreateGraphics() failed");
    return 0;
  }
  if (!GameWonCreateGraphics()) {
    DebugErrorAlt(ENG_FUNC, "GameWonCreateGraphics() failed");
    return 0;
  }
  QuarrelwickUpdateCursorPos(-1);
  graphics_created = 1;
  return 1;
}

char QuarrelwickGraphicsCreated() { return graphics_created; }

void QuarrelwickDestroyGraphics() {
  graphics_created = 0;
  LevelsDestroyGraphics(0);
  SidebarDestroyGraphics();
  TutorialDestroyGraphics();
  WeaponsDestroyGraphics();
  EffectsDestroyGraphics();
  BugsDestroyGraphics();
  GameOverDestroyGraphics();
  GameWonDestroyGraphics();
  for (EngTexture **t : {&cursor_tex[0], &cursor_tex[1], &range_tex, &numbers_tex}) {
    delete *t;
    *t = nullptr;
  }
}

void QuarrelwickPost3dExit() {
  delete weapon_to_place;
  weapon_to_place = nullptr;
  BugsPost3dExit();
  WeaponsPost3dExit();
  EffectsPost3dExit();
}

char QuarrelwickInitForNewGame(char restoring) {
  play_state = QW_PLAY_IDLE;
  game_over = 0;
  game_over_time = 0.0;
  game_won = 0;
  game_paused = QW_GAME_NOT_STARTED;
  ClearTexts();
  bug_level_num = 0;
  cash = 500;
  score = 0;
  score_added = 0;
  lives = 20;
  factory_levels[0] = factory_levels[1] = factory_levels[2] = 0;
  LevelsInitForNewGame(0);
  // A garden without its path is not played: the caller stays in the menus.
  if (level_garden >= 0 && !TraverseIsLoaded()) {
    DebugErrorAlt(ENG_FUNC, "No path data for garden %d", int(level_garden));
    return 0;
  }
  BugsInitForNewGame(restoring);
  WeaponsInitForNewGame();
  SidebarInitForNewGame();
  EffectsInitForNewGame();
  PopupInitForNewGame();
  TutorialInitForNewGame(restoring);
  play_state = QW_PLAY_IDLE;
  weapon_placing_type = -1;
  delete weapon_to_place;
  weapon_to_place = nullptr;
  return QuarrelwickInitForNewLevel(restoring);
}

char QuarrelwickInitForNewLevel(char restoring) {
  if (!LevelsInitForNewLevel(0)) {
    DebugErrorAlt(ENG_FUNC, "LevelsInitForNewLevel() failed");
    return 0;
  }
  if (!BugsInitForNewLevel(restoring)) {
    DebugErrorAlt(ENG_FUNC, "BugsInitForNewLevel() failed");
    return 0;
  }
  PopupInitForNewLevel();
  WeaponsInitForNewLevel();
  EffectsInitForNewLevel();
  QuarrelwickChangeCash(0);
  QuarrelwickChangeScore(0);
  QuarrelwickChangeLives(0);
  QuarrelwickUpdateLevelStrings();
  // The last wave's bugs, bullets and effects are gone: their pages go back to the system, so
  // that a long game keeps the size of its first waves.
  EngMemoryGiveBackFreePages();
  return 1;
}

// --- Counters --------------------------------------------------------------------------------

void QuarrelwickChangeCash(long delta) {
  if (game_over) return;
  cash = AddToCounter(cash, delta);
  snprintf(cash_str, sizeof(cash_str), "%d", cash);
  // A price the popup showed as too dear may now be affordable.
  if (PopupIsButtonDisabled()) PopupUpdate(1);
}

void QuarrelwickChangeScore(long delta) {
  if (game_over) return;
  score_added = AddToCounter(score_added, delta);
  score = ClampCounter((long long)bug_level_num * 100 + WeaponsScore() + score_added);
  snprintf(score_str, sizeof(score_str), "%d", score);
}

void QuarrelwickChangeLives(int delta) {
  if (game_over) return;
  lives = AddToCounter(lives, delta);
  snprintf(lives_str, sizeof(lives_str), "%d", lives);
  if (lives <= 0) GameOverInit();
}

void QuarrelwickUpdateLevelStrings() {
  static const char *const kSuffix[3] = {"", "T", "X"};
  int d = (level_difficulty >= 0 && level_difficulty <= 2) ? level_difficulty : 0;
  snprintf(level_str_1, sizeof(level_str_1), "%d%s: %s", int(bug_level_num) + 1, kSuffix[d], CurrentSpeciesName());
  for (char *p = level_str_1; *p; p++) *p = char(toupper((unsigned char)*p));
  snprintf(level_str_2, sizeof(level_str_2), "%s: %.0f", EngLanguagesGetStringIfExists("Quarrelwick_HP", "HP"),
           bug_type.hp);
  QuarrelwickChangeScore(0);
}

void QuarrelwickShowNotEnoughMoneyMessage() {}

// --- Keys ------------------------------------------------------------------------------------

static char KeyPressed(int key) { return eng_key_down[key] >= 2 ? 1 : 0; }

EngInt32 QuarrelwickGetBestWeaponTypeOfFamily(int family) {
  if (family < 0 || family > 2) return -1;
  EngInt32 level = factory_levels[family];
  if (level > 0) return level - 1 + 3 * family;
  return 9 + family;
}

// A refused start (placing already, short of cash) leaves the key set.
static char StartPlacingWeapon(EngInt32 type) { return SidebarStartPlacingWeapon(type); }

static void ReadPlayKeys() {
  if (KeyPressed(KEY_CONTROL) || KeyPressed(KEY_COMMAND)) return;
  if (KeyPressed('U')) {
    WeaponsUpgradeHighlightedWeapon(0);
    eng_key_down[static_cast<unsigned char>('U')] = 0;
  }
  if (KeyPressed('F')) {
    WeaponsUpgradeHighlightedWeapon(1);
    eng_key_down[static_cast<unsigned char>('F')] = 0;
  }
  static const char kFamilyKeys[3] = {'G', 'S', 'P'};
  for (int family = 0; family < 3; family++) {
    int key = kFamilyKeys[family];
    if (play_state != QW_PLAY_IDLE || !KeyPressed(key)) continue;
    if (StartPlacingWeapon(QuarrelwickGetBestWeaponTypeOfFamily(family))) eng_key_down[key] = 0;
  }
}

// --- Frame -----------------------------------------------------------------------------------

void QuarrelwickTick() {
  if (game_over) {
    WeaponsTick();
    EffectsTick();
    GameOverTick();
    return;
  }
  if (game_won) {
    WeaponsTick();
    EffectsTick();
    GameWonTick();
    return;
  }
  if (KeyPressed(KEY_SPACE)) {
    game_paused = game_paused == QW_GAME_RUNNING ? QW_GAME_PAUSED : QW_GAME_RUNNING;
    eng_key_down[KEY_SPACE] = 0;
    TutorialAdvanceIfNeeded();
  }
  LevelsTick();
  SidebarTick();
  WeaponsTick();
  EffectsTick();
  BugsTick();
  PopupTick();
  TutorialTick();
  ReadPlayKeys();
}

void QuarrelwickSetFrameShortcuts(char on) { frame_shortcuts = on ? 1 : 0; }
char QuarrelwickFrameShortcutsOn() { return frame_shortcuts; }

char QuarrelwickFieldCoversWindow() {
  return frame_shortcuts && level_garden >= 0 && LevelsIsPictureLoaded() && SidebarCoversItsPlace();
}

// The garden and the shop column's pictures change only with a texture: drawn once, they are
// kept and put back with one copy while no texture changes, which costs a software renderer
// far less than drawing the window's worth of garden again.
static void RenderStillLayers() {
  if (!QuarrelwickFieldCoversWindow()) {
    LevelsRenderMainBackground();
    SidebarRenderPictures();
    return;
  }
  const EngUInt32 uploads = EngTextureGetUploadCount();
  if (layers_uploads != 0 && uploads == layers_uploads && EngDrawnCopyRestore()) return;
  LevelsRenderMainBackground();
  SidebarRenderPictures();
  layers_uploads = EngDrawnCopySave() ? uploads : 0;
}

// The field: garden, shop column, bugs, weapons, effects; 0 when nothing goes over it.
static char RenderField() {
  EngDevice *device = eng_main_device;
  if (!device) return 0;
  RenderStillLayers();
  SidebarRenderTexts();
  device->SetViewportToSizeRatioed(EngInt32(QW_FIELD_LEFT), EngInt32(QW_FIELD_TOP), EngInt32(QW_FIELD_WIDTH),
                                   EngInt32(QW_FIELD_HEIGHT));
  device->EnableBlendingType(0);
  BugsRender();
  WeaponsRender();
  EffectsRender();
  if (game_won) {
    GameWonRender();
    device->SetViewportFullScreen();
    device->DisableBlending();
    return 0;
  }
  LevelsRender();
  TutorialInGameRender();
  device->SetViewportFullScreen();
  if (weapon_to_place) weapon_to_place->Render();
  device->DisableBlending();
  return 1;
}

// What lies over the field: the tutorial's hint, the popup, the cursor.
static void RenderOverlay() {
  EngDevice *device = eng_main_device;
  if (!device || game_won) return;
  TutorialMainRender();
  if (game_over) {
    GameOverRender();
    return;
  }
  PopupRender();
  device->EnableBlendingType(0);
  if (EngTexture *cursor = cursor_tex[cursor_type]) cursor->DrawPure();
  device->DisableBlending();
}

void QuarrelwickRender() {
  if (RenderField()) RenderOverlay();
}

// --- Pointer ---------------------------------------------------------------------------------

EngInt8 QuarrelwickGetCursorType() { return cursor_type; }

void QuarrelwickUpdateCursorPos(char type) {
  if (type >= 0) cursor_type = type ? 1 : 0;
  EngTexture *cursor = cursor_tex[cursor_type];
  if (cursor) cursor->PositionPure(cursor_x_fs, cursor_y_fs, eng_main_window_x_widescreen_ratio * 0.06f, 0.08f);
}

void QuarrelwickMoveMouse(float x, float y) {
  if (game_over || game_won) return;
  float X = x * eng_main_window_x_ratio_inv, Y = y * eng_main_window_y_ratio_inv;
  cursor_x_fs = X / 320.0f - 1.0f;
  cursor_y_fs = Y / 240.0f - 1.0f;
  cursor_x = (X - QW_FIELD_LEFT) / (QW_FIELD_WIDTH * 0.5f) - 1.0f;
  cursor_y = (Y - QW_FIELD_TOP) / (QW_FIELD_HEIGHT * 0.5f) - 1.0f;
  if (PopupMoveMouse(x, y, X, Y)) {
    QuarrelwickUpdateCursorPos(0);
    return;
  }
  if (play_state == QW_PLAY_IDLE) {
    QuarrelwickUpdateCursorPos(0);
    WeaponsMoveMouse();
  } else {
    QuarrelwickUpdateCursorPos(WeaponsCanPlaceWeaponHere(weapon_placing_type, cursor_x, cursor_y, 0) ? 0 : 1);
    WeaponsMoveMouse();
    if (weapon_to_place) weapon_to_place->SetFullViewportPos(cursor_x_fs, cursor_y_fs);
  }
  SidebarMoveMouse(X, Y);
}

void QuarrelwickMouseButtonPressed(char button, char state) {
  if (game_over || game_won) {
    // A press ends it; the click that lost the game must not skip the picture.
    if (state != 1) return;
    if (game_over && eng_main_current_time - game_over_time <= 1.0) return;
    if (GameOverEnd() || GameWonEnd(1)) GameEndGameAndGoToScoresScreen();
    return;
  }
  // Offered in this order until one takes the click.
  if (PopupMouseButtonPressed(button, state)) return;
  if (WeaponsMouseButtonPressed(button, state)) return;
  SidebarMouseButtonPressed(button, state);
}

// --- Grid and transforms ---------------------------------------------------------------------

void QuarrelwickFillGridFromTraverseData() {
  for (int y = 0; y < QW_GRID_SIZE; y++)
    for (int x = 0; x < QW_GRID_SIZE; x++) {
      const EngUInt8 cell = traverse_info.grid[y * QW_GRID_SIZE + x];
      grid[y][x] = cell == 0 ? 0 : cell == 1 ? 1 : EngUInt8(QW_GRID_SOLID);
    }
}

static int CellOf(float v) {
  if (!std::isfinite(v)) return 0;
  // Far outside the field the product would not fit an int; the edge cell is the answer.
  if (v < -QW_GRID_FAR) return 0;
  if (v > QW_GRID_FAR) return QW_GRID_SIZE - 1;
  int cell = QwGridCellUnclamped(v);
  if (cell < 0) return 0;
  if (cell >= QW_GRID_SIZE) return QW_GRID_SIZE - 1;
  return cell;
}

void QuarrelwickGetGridPosition(float x, float y, int *cell_x, int *cell_y) {
  if (cell_x) *cell_x = CellOf(x);
  if (cell_y) *cell_y = CellOf(y);
}

EngUInt8 QuarrelwickGetGridCell(int cell_x, int cell_y) {
  if (cell_x < 0 || cell_y < 0 || cell_x >= QW_GRID_SIZE || cell_y >= QW_GRID_SIZE) return 1;
  return grid[cell_y][cell_x];
}

void QuarrelwickSetupPosAndZRotMatrices(float x, float y, float ox, float oy, float angle, char squash, char save) {
  EngDevice *device = eng_main_device;
  if (!device) return;
  if (save) device->GetTransformMatrix(&saved_transform);
  EngMatrix m, step;
  m.SetTranslateMatrix(x + ox, oy - y, 0.0f);
  m.PreMultiplyByMatrix(step.SetRotateZMatrix(QW_FACING_UP - angle));
  if (ox != 0.0f || oy != 0.0f) m.PreMultiplyByMatrix(step.SetTranslateMatrix(-ox, -oy, 0.0f));
  if (squash) m.PreMultiplyByMatrix(step.SetScaleMatrix(QW_SPRITE_SQUASH, 1.0f, 1.0f));
  device->SetTransformMatrix(&m);
}

void QuarrelwickRestoreAfterSettingUpPosAndZRotMatrices() {
  if (eng_main_device) eng_main_device->SetTransformMatrix(&saved_transform);
}
