// Countries: the fixed table of 222 countries (English name, two-letter code, flag cell),
// look-ups between row, code and name, the user's own country from the locale, and the flag
// atlas with its drawing helpers. Also holds the country screen's settings; not the screen.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTypes.h"

class MWin;
class MWinButton;

// One row of the table: 70 bytes, as the player and score files' codes expect.
struct CountryInfo {
  char name[64];  // English, NUL-terminated
  char code[4];   // two capitals (or a letter and a digit), then two zero bytes
  EngInt16 flag;  // cell in the flag atlas
};
static_assert(sizeof(CountryInfo) == 70, "CountryInfo is 70 bytes");

enum {
  COUNTRY_NUM_COUNTRIES = 222,
  // The atlas cell of the flag shown for the code "UK" when it is not read as "GB".
  COUNTRY_UK_FLAG = 223,
  COUNTRY_ATLAS_CELLS_PER_SIDE = 16,
};

extern const CountryInfo country_infos[COUNTRY_NUM_COUNTRIES];

typedef void (*CountryOnContinueCB)(void *context);

// Module state. The country screen reads the cc_ settings and writes the chosen code.
extern EngInt8 country_want_high_res_tex;  // -1 until set up; 0 the 512, 1 the 1024 atlas
extern char cc_destroy_tex_when_done;
extern CountryOnContinueCB cc_on_continue_cb;
extern void *cc_on_continue_cb_context;
extern float cc_border_y1, cc_border_y2;
extern char country_code_selected[3];

// Set-up and the atlas.
void CountrySetupModule(char high_res, char destroy_tex_when_done, CountryOnContinueCB on_continue, void *context,
                        float border_y1, float border_y2);
void CountrySetOnContinueCB(CountryOnContinueCB on_continue, void *context);
const char *CountryGetFlagsFilename();
char CountryCreateGraphics();
// Loads the atlas only while the country screen 'mCTY' is the current screen.
char CountryCreateGraphicsIfNeeded(MWin *mwin);
EngTexture *CountryGetFlagsTexture();
void CountryDestroyGraphics();

// Table look-ups; every comparison is exact and case-sensitive.
int CountryGetNumCountries();
// The shape of a list's text callback; the button and user pointer are not used.
const char *CountryGetCountryName(int n, MWinButton *button = nullptr, void *user = nullptr);
const char *CountryGetCountryCode(int n);
// "UK" is England (row 60) with uk_is_gb set, else the atlas cell COUNTRY_UK_FLAG.
int CountryGetCountryNumFromCode(const char *code, char uk_is_gb);
const char *CountryGetCountryNameFromCode(const char *code);
const char *CountryGetCountryCodeFromName(const char *name);
int CountryGetCountryNumFromName(const char *name);

// The user's own country from the locale's region; -1 when there is none in the table.
int CountryGetLocalCountryPos();
const char *CountryGetLocalCountryName();
const char *CountryGetLocalCountryCode();

// Flags. A country number is a row (0..221) or COUNTRY_UK_FLAG.
char CountryGetFlagTextureCoordinates(int cnum, _TexCoords *tc);
void CountryDrawFlag(int cnum, const _Dimension *dim);
void CountryDrawFlag(int cnum, float x, float y, float w, float h);
// A flag drawn whole at its own shape on the screen (about 5:3), as large as fits the
// rectangle (design units) and centred in it.
void CountryDrawFlagFitted(int cnum, float x, float y, float w, float h);
// The width in design units of a flag of that height, at its shape on this window.
float CountryGetFlagWidthForHeight(float height);
// The colour stays on the atlas until CountryRestoreFlagTexTransparency.
void CountryDrawFlagWithTransparency(int cnum, const _Dimension *dim, float alpha);
void CountryRestoreFlagTexTransparency();
void CountryGetFlagSizesForDrawingOnButtons(float *width, float *height_change, float *gap);
// A flag fitted into the band h - 4 high beside or inside a button's rectangle.
void CountryDrawFlagOnLeftSideOfButton(int cnum, const _Dimension *button);
void CountryDrawFlagOnOutsideLeftOfButton(int cnum, const _Dimension *button);
void CountryDrawFlagOnRightSideOfButton(int cnum, const _Dimension *button);
void CountryDrawFlagOnOutsideRightOfButton(int cnum, const _Dimension *button);
void CountryDrawFlagInTheCenterOfButton(int cnum, const _Dimension *button);

// Puts every setting, the chosen code and the once-only log memory back to the start, and
// releases the atlas.
void CountryResetForTests();
