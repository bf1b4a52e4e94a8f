// Countries: the module's settings, the table look-ups and the user's own country.
// The table itself is in CountryTable.cpp, the flag atlas and its drawing in CountryFlags.cpp.
#include "players/Country.h"

#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"

EngInt8 country_want_high_res_tex = -1;
char cc_destroy_tex_when_done = 1;
CountryOnContinueCB cc_on_continue_cb = nullptr;
void *cc_on_continue_cb_context = nullptr;
float cc_border_y1 = 0.0f, cc_border_y2 = 0.0f;
char country_code_selected[3] = {0, 0, 0};

static const char *const country_unknown_code = "??";
static const int COUNTRY_ENGLAND = 60;
enum { COUNTRY_CODE_FIELD = 3, COUNTRY_LOCALE_SIZE = 255 };

void CountryFlagsResetForTests();

void CountryResetForTests() {
  country_want_high_res_tex = -1;
  cc_destroy_tex_when_done = 1;
  cc_on_continue_cb = nullptr;
  cc_on_continue_cb_context = nullptr;
  cc_border_y1 = cc_border_y2 = 0.0f;
  memset(country_code_selected, 0, sizeof(country_code_selected));
  CountryFlagsResetForTests();
}

void CountrySetupModule(char high_res, char destroy_tex_when_done, CountryOnContinueCB on_continue, void *context,
                        float border_y1, float border_y2) {
  country_want_high_res_tex = high_res ? 1 : 0;
  cc_destroy_tex_when_done = destroy_tex_when_done;
  cc_on_continue_cb = on_continue;
  cc_on_continue_cb_context = context;
  cc_border_y1 = border_y1;
  cc_border_y2 = border_y2;
}

void CountrySetOnContinueCB(CountryOnContinueCB on_continue, void *context) {
  cc_on_continue_cb = on_continue;
  cc_on_continue_cb_context = context;
}

// --- Look-ups ---

// Shown on the new-player screen when the locale gives no country.
static const char *UnknownName() { return EngLanguagesGetStringIfExists("Country_Unknown", "(Unknown Country)"); }

int CountryGetNumCountries() { return COUNTRY_NUM_COUNTRIES; }

static bool IsRow(int n) { return n >= 0 && n < COUNTRY_NUM_COUNTRIES; }

const char *CountryGetCountryName(int n, MWinButton *, void *) {
  return IsRow(n) ? country_infos[n].name : UnknownName();
}

const char *CountryGetCountryCode(int n) { return IsRow(n) ? country_infos[n].code : country_unknown_code; }

static bool IsMissing(const char *text) { return !text || !text[0]; }

// Codes are read no further than the three bytes of a record's code field, which a damaged
// file may leave without its terminator.
static void ReportUnknownCode(const char *signature, const char *code) {
  std::string shown(code, strnlen(code, COUNTRY_CODE_FIELD));
  DebugNoteAlt(2, signature, "Code [%s] not found.", DebugOutsideText(shown.data(), shown.size()).c_str());
}

static void ReportUnknownName(const char *signature, const char *name) {
  DebugNoteAlt(2, signature, "Name [%s] not found.", DebugOutsideText(name, strnlen(name, 63)).c_str());
}

static int FindCode(const char *code) {
  for (int n = 0; n < COUNTRY_NUM_COUNTRIES; n++)
    if (strncmp(country_infos[n].code, code, sizeof(country_infos[n].code)) == 0) return n;
  return -1;
}

static int FindName(const char *name) {
  if (strncmp(name, "United Kingdom", 15) == 0) return COUNTRY_ENGLAND;
  for (int n = 0; n < COUNTRY_NUM_COUNTRIES; n++)
    if (strncmp(country_infos[n].name, name, sizeof(country_infos[n].name)) == 0) return n;
  return -1;
}

static bool IsUk(const char *code) { return strncmp(code, "UK", 3) == 0; }

int CountryGetCountryNumFromCode(const char *code, char uk_is_gb) {
  if (IsMissing(code)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return -1;
  }
  if (IsUk(code)) return uk_is_gb ? COUNTRY_ENGLAND : COUNTRY_UK_FLAG;
  int n = FindCode(code);
  if (n < 0) ReportUnknownCode(ENG_FUNC, code);
  return n;
}

const char *CountryGetCountryNameFromCode(const char *code) {
  if (IsMissing(code)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return UnknownName();
  }
  int n = IsUk(code) ? COUNTRY_ENGLAND : FindCode(code);
  if (n < 0) {
    ReportUnknownCode(ENG_FUNC, code);
    return UnknownName();
  }
  return country_infos[n].name;
}

int CountryGetCountryNumFromName(const char *name) {
  if (IsMissing(name)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return -1;
  }
  int n = FindName(name);
  if (n < 0) ReportUnknownName(ENG_FUNC, name);
  return n;
}

const char *CountryGetCountryCodeFromName(const char *name) {
  if (IsMissing(name)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return country_unknown_code;
  }
  int n = FindName(name);
  if (n < 0) {
    ReportUnknownName(ENG_FUNC, name);
    return country_unknown_code;
  }
  return country_infos[n].code;
}

// --- The user's own country ---

int CountryGetLocalCountryPos() {
  char locale[COUNTRY_LOCALE_SIZE];
  if (!EngMiscGetLocaleIdentifier_MAC(locale, sizeof(locale))) {
    DebugErrorAlt(ENG_FUNC, "CFStringGetCString failed");
    locale[0] = 0;
  }
  const char *underscore = strchr(locale, '_');
  size_t rest = underscore ? strlen(underscore) : 0;
  if (underscore && rest >= 2 && rest <= 63) {
    // The region ends at its first non-capital: "DE.UTF-8" and "RS@latin" give "DE" and "RS";
    // a region in lower case gives nothing.
    char code[64];
    size_t length = 0;
    for (const char *p = underscore + 1; *p >= 'A' && *p <= 'Z'; p++) code[length++] = *p;
    code[length] = 0;
    int n = CountryGetCountryNumFromCode(code, 1);
    if (n >= 0) return n;
  }
  DebugNoteAlt(2, ENG_FUNC, "Could not get local country pos");
  return -1;
}

const char *CountryGetLocalCountryName() { return CountryGetCountryName(CountryGetLocalCountryPos()); }

const char *CountryGetLocalCountryCode() { return CountryGetCountryCode(CountryGetLocalCountryPos()); }
