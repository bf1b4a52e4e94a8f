// Countries: the flag atlas (16 by 16 cells, loaded on demand and kept for the whole run)
// and the flag drawing into rectangles and beside buttons.
#include "players/Country.h"

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"

static EngTexture *country_flags_tex = nullptr;
static double country_invalid_cnum_next_time = 0.0;

static const float country_cell_size = 1.0f / COUNTRY_ATLAS_CELLS_PER_SIDE;
// Screen 'mCTY', four characters packed with the first in the most significant byte.
static const EngUInt32 country_screen_id = EngFourCC("mCTY");

void CountryFlagsResetForTests() {
  delete country_flags_tex;
  country_flags_tex = nullptr;
  country_invalid_cnum_next_time = 0.0;
}

EngTexture *CountryGetFlagsTexture() {
  if (!country_flags_tex) country_flags_tex = new EngTexture();
  return country_flags_tex;
}

static bool IsAtlasLoaded() { return country_flags_tex && country_flags_tex->IsOk(); }

const char *CountryGetFlagsFilename() {
  if (country_want_high_res_tex < 0) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    country_want_high_res_tex = 0;
  }
  return country_want_high_res_tex ? "CountryFlags1024.png" : "CountryFlags512.png";
}

char CountryCreateGraphics() {
  if (IsAtlasLoaded()) return 1;
  const char *file = CountryGetFlagsFilename();
  if (!EngFileExists(file, 0)) {
    DebugErrorAlt(ENG_FUNC, "Flags texture file does not exist <%s>", file);
    return 0;
  }
  return CountryGetFlagsTexture()->LoadFromFile(file, 1, 2, 0);
}

char CountryCreateGraphicsIfNeeded(MWin *mwin) {
  if (mwin && mwin->AreScreensOn() && mwin->GetCurrentScreen() == country_screen_id) return CountryCreateGraphics();
  return 1;
}

void CountryDestroyGraphics() {
  if (country_flags_tex) country_flags_tex->Destroy();
}

// --- Flags ---

char CountryGetFlagTextureCoordinates(int cnum, _TexCoords *tc) {
  if (!tc) return 0;
  int cell;
  if (cnum >= 0 && cnum < COUNTRY_NUM_COUNTRIES)
    cell = country_infos[cnum].flag;
  else if (cnum == COUNTRY_UK_FLAG)
    cell = COUNTRY_UK_FLAG;
  else
    return 0;
  if (cell < 0 || cell >= COUNTRY_ATLAS_CELLS_PER_SIDE * COUNTRY_ATLAS_CELLS_PER_SIDE) return 0;
  tc->left = float(cell % COUNTRY_ATLAS_CELLS_PER_SIDE) * country_cell_size;
  tc->top = float(cell / COUNTRY_ATLAS_CELLS_PER_SIDE) * country_cell_size;
  tc->right = tc->left + country_cell_size;
  tc->bottom = tc->top + country_cell_size;
  return 1;
}

void CountryDrawFlag(int cnum, float x, float y, float w, float h) {
  _TexCoords tc;
  if (!IsAtlasLoaded() || cnum < 0 || cnum > COUNTRY_UK_FLAG || !CountryGetFlagTextureCoordinates(cnum, &tc)) return;
  // Half a texel in from the cell's edges: the filtering would otherwise blend in a strip of
  // the neighbouring flag.
  const EngInt32 side = country_flags_tex->GetWidth();
  if (side > 0) {
    const float half = 0.5f / float(side);
    tc.left += half;
    tc.top += half;
    tc.right -= half;
    tc.bottom -= half;
  }
  country_flags_tex->PositionRatioed(x, y, w, h);
  country_flags_tex->DrawPart(&tc);
}

// The flags' shape on the screen: the country list's 20 by 12 units on a 4:3 window.
static const float country_flag_aspect = 5.0f / 3.0f;

float CountryGetFlagWidthForHeight(float height) {
  // The design space is stretched over the whole window, each axis apart (x ratio width / 640,
  // y ratio height / 480), so a unit is as wide as high on the screen only on a 4:3 window.
  const float sx = eng_main_window_x_ratio, sy = eng_main_window_y_ratio;
  return height * country_flag_aspect * (sx > 0.0f && sy > 0.0f ? sy / sx : 1.0f);
}

void CountryDrawFlagFitted(int cnum, float x, float y, float w, float h) {
  if (!(w > 0.0f) || !(h > 0.0f)) return;
  float fw = CountryGetFlagWidthForHeight(h), fh = h;
  if (fw > w) {
    fh = h * w / fw;
    fw = w;
  }
  CountryDrawFlag(cnum, x + (w - fw) * 0.5f, y + (h - fh) * 0.5f, fw, fh);
}

void CountryDrawFlag(int cnum, const _Dimension *dim) {
  if (dim) CountryDrawFlag(cnum, dim->x, dim->y, dim->width, dim->height);
}

void CountryDrawFlagWithTransparency(int cnum, const _Dimension *dim, float alpha) {
  if (country_flags_tex) country_flags_tex->SetColour(1.0f, 1.0f, 1.0f, alpha);
  CountryDrawFlag(cnum, dim);
}

void CountryRestoreFlagTexTransparency() {
  if (country_flags_tex) country_flags_tex->SetColour(1.0f, 1.0f, 1.0f, 1.0f);
}

// A flag's box beside a button is 25 units wide on a 4:3 window; the widescreen ratio narrows it
// on a wider one, where a unit is wider on the screen. The flag is fitted inside it whole.
static float FlagWidthOnButtons() { return 25.0f * eng_main_window_x_widescreen_ratio; }
static const float country_flag_height_change = -4.0f;
static const float country_flag_gap = 5.0f;
static const float country_flag_top = 2.5f;

void CountryGetFlagSizesForDrawingOnButtons(float *width, float *height_change, float *gap) {
  if (!width || !height_change || !gap) return;
  *width = FlagWidthOnButtons();
  *height_change = country_flag_height_change;
  *gap = country_flag_gap;
}

static void DrawFlagBesideButton(int cnum, const _Dimension *b, float left, float width) {
  CountryDrawFlagFitted(cnum, left, b->y + country_flag_top, width, b->height + country_flag_height_change);
}

void CountryDrawFlagOnLeftSideOfButton(int cnum, const _Dimension *b) {
  if (!b || cnum < 0) return;
  DrawFlagBesideButton(cnum, b, b->x + country_flag_gap, FlagWidthOnButtons());
}

void CountryDrawFlagOnOutsideLeftOfButton(int cnum, const _Dimension *b) {
  if (!b || cnum < 0) return;
  float fw = FlagWidthOnButtons();
  DrawFlagBesideButton(cnum, b, b->x - country_flag_gap - fw, fw);
}

void CountryDrawFlagOnRightSideOfButton(int cnum, const _Dimension *b) {
  if (!b) {
    DebugErrorAlt(ENG_FUNC, "No dimension.");
    return;
  }
  if (cnum < 0) {
    DebugInfoPeriodically(&country_invalid_cnum_next_time, 2.0,
                          "ERROR: CountryDrawFlagOnRightSideOfButton: Invalid cnum %d.", cnum);
    return;
  }
  float fw = FlagWidthOnButtons();
  DrawFlagBesideButton(cnum, b, b->x + b->width - fw - country_flag_gap, fw);
}

void CountryDrawFlagOnOutsideRightOfButton(int cnum, const _Dimension *b) {
  if (!b || cnum < 0) return;
  DrawFlagBesideButton(cnum, b, b->x + b->width + country_flag_gap, FlagWidthOnButtons());
}

void CountryDrawFlagInTheCenterOfButton(int cnum, const _Dimension *b) {
  if (!b || cnum < 0) return;
  float fw = (b->height + country_flag_height_change) * 0.8f;
  DrawFlagBesideButton(cnum, b, b->x + b->width / 2.0f - fw / 2.0f, fw);
}
