// The country table, its look-ups, the flag cells and the user's country from the locale.
#include "players/Country.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "tests/support/TestSupport.h"

namespace {

std::string LogText() {
  std::string all;
  for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) {
    all += DebugGetMessage(i)->text;
    all += '\n';
  }
  return all;
}

int CountOf(const std::string &text, const std::string &part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) count++;
  return count;
}

class CountryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    CountryResetForTests();
    EngMiscResetPlatformForTests_MAC();
    testing::internal::CaptureStderr();
  }
  void TearDown() override {
    testing::internal::GetCapturedStderr();
    EngMiscResetPlatformForTests_MAC();
    CountryResetForTests();
    DebugResetForTests();
  }
};

// The name with a leading "St " spelled out, in lower case, as the table is sorted.
std::string SortKey(const char *name) {
  std::string key = strncmp(name, "St ", 3) == 0 ? std::string("Saint ") + (name + 3) : std::string(name);
  for (char &c : key) c = char(tolower(static_cast<unsigned char>(c)));
  return key;
}

TEST_F(CountryTest, TableHasTheRowsInOrderWithUniqueCodes) {
  ASSERT_EQ(CountryGetNumCountries(), 222);
  struct Row {
    int n;
    const char *name, *code;
  } rows[] = {{0, "Afghanistan", "AF"},      {45, "Congo, The Democratic Republic of The", "CD"},
              {48, "Cote d'Ivoire", "CI"},   {60, "England", "GB"},
              {67, "France", "FR"},          {71, "Germany", "DE"},
              {97, "Japan", "JP"},           {141, "Netherlands Antilles", "AN"},
              {142, "New Caledonia", "NC"},  {147, "Northern Ireland", "G2"},
              {152, "Palestineian Territory, Occupied", "PS"},
              {166, "St Kitts & Nevis", "KN"}, {168, "St Vincent & The Grenadines", "VC"},
              {169, "Samoa", "WS"},          {173, "Scotland", "G3"},
              {208, "United States", "US"},  {216, "Virgin Islands, U.S.", "VI"},
              {217, "Wales", "G4"},          {221, "Zimbabwe", "ZW"}};
  for (const Row &row : rows) {
    EXPECT_STREQ(country_infos[row.n].name, row.name) << row.n;
    EXPECT_STREQ(country_infos[row.n].code, row.code) << row.n;
  }

  std::set<std::string> codes;
  for (int n = 0; n < 222; n++) {
    const CountryInfo &row = country_infos[n];
    EXPECT_EQ(row.flag, n == 142 ? 67 : n) << n;
    EXPECT_EQ(strlen(row.code), 2u) << n;
    EXPECT_EQ(row.code[2], 0) << n;
    EXPECT_EQ(row.code[3], 0) << n;
    EXPECT_TRUE(isupper(static_cast<unsigned char>(row.code[0])) && isalnum(static_cast<unsigned char>(row.code[1])))
        << n;
    EXPECT_LT(strnlen(row.name, sizeof(row.name)), sizeof(row.name)) << n;
    EXPECT_TRUE(codes.insert(row.code).second) << "duplicate code " << row.code;
    if (n > 0) {
      EXPECT_LT(SortKey(country_infos[n - 1].name), SortKey(row.name)) << n;
    }
  }
  EXPECT_EQ(codes.count("UK"), 0u);
}

TEST_F(CountryTest, LookUps) {
  // By code: exact and case-sensitive; "UK" is England or its own flag cell.
  struct {
    const char *code;
    char uk_is_gb;
    int want;
  } by_code[] = {{"UK", 1, 60}, {"UK", 0, 223}, {"GB", 0, 60}, {"GB", 1, 60}, {"AF", 1, 0},
                 {"ZW", 0, 221}, {"G4", 1, 217}, {"AN", 1, 141}, {"gb", 1, -1}, {"??", 1, -1},
                 {"GBR", 1, -1}, {"G", 1, -1},   {"", 1, -1},    {nullptr, 1, -1}};
  for (const auto &c : by_code)
    EXPECT_EQ(CountryGetCountryNumFromCode(c.code, c.uk_is_gb), c.want) << (c.code ? c.code : "(null)");

  // By row.
  EXPECT_STREQ(CountryGetCountryName(0), "Afghanistan");
  EXPECT_STREQ(CountryGetCountryName(221, nullptr, nullptr), "Zimbabwe");
  EXPECT_STREQ(CountryGetCountryName(222), "(Unknown Country)");
  EXPECT_STREQ(CountryGetCountryName(-1), "(Unknown Country)");
  EXPECT_STREQ(CountryGetCountryCode(60), "GB");
  EXPECT_STREQ(CountryGetCountryCode(300), "??");
  EXPECT_STREQ(CountryGetCountryCode(-1), "??");

  // Name from code, code and row from name.
  EXPECT_STREQ(CountryGetCountryNameFromCode("UK"), "England");
  EXPECT_STREQ(CountryGetCountryNameFromCode("DE"), "Germany");
  EXPECT_STREQ(CountryGetCountryNameFromCode("de"), "(Unknown Country)");
  EXPECT_STREQ(CountryGetCountryNameFromCode(""), "(Unknown Country)");
  EXPECT_STREQ(CountryGetCountryCodeFromName("United Kingdom"), "GB");
  EXPECT_STREQ(CountryGetCountryCodeFromName("Wales"), "G4");
  EXPECT_STREQ(CountryGetCountryCodeFromName("wales"), "??");
  EXPECT_STREQ(CountryGetCountryCodeFromName(nullptr), "??");
  EXPECT_EQ(CountryGetCountryNumFromName("United Kingdom"), 60);
  EXPECT_EQ(CountryGetCountryNumFromName("Palestineian Territory, Occupied"), 152);
  EXPECT_EQ(CountryGetCountryNumFromName("United Kingdom "), -1);
  EXPECT_EQ(CountryGetCountryNumFromName(""), -1);

  std::string log = LogText();
  EXPECT_NE(log.find("Code [gb] not found."), std::string::npos) << log;
  EXPECT_NE(log.find("Code [GBR] not found."), std::string::npos) << log;
  EXPECT_NE(log.find("Name [wales] not found."), std::string::npos) << log;
  EXPECT_NE(log.find("Bad parameters."), std::string::npos) << log;
}

TEST_F(CountryTest, AnUnknownCodeIsNotedOnEveryCall) {
  for (int call = 0; call < 3; call++) {
    EXPECT_EQ(CountryGetCountryNumFromCode("XX", 1), -1);
    EXPECT_STREQ(CountryGetCountryNameFromCode("XX"), "(Unknown Country)");
    EXPECT_EQ(CountryGetCountryNumFromCode("zz", 1), -1);
    EXPECT_EQ(CountryGetCountryNumFromCode("", 1), -1);
    EXPECT_STREQ(CountryGetCountryNameFromCode(nullptr), "(Unknown Country)");
  }
  std::string log = LogText();
  EXPECT_EQ(CountOf(log, "Code [XX] not found."), 6) << log;
  EXPECT_EQ(CountOf(log, "Code [zz] not found."), 3) << log;
  EXPECT_EQ(CountOf(log, "Bad parameters."), 6) << log;
  DebugResetForTests();

  // Codes from damaged files: a long one is shown cut to a code field's three bytes, and a
  // field without its terminator is read no further (the sanitizer build checks that).
  std::string long_code(5000, 'Q');
  EXPECT_EQ(CountryGetCountryNumFromCode(long_code.c_str(), 1), -1);
  const char unterminated[3] = {'G', 'B', 'X'};
  EXPECT_EQ(CountryGetCountryNumFromCode(unterminated, 1), -1);
  EXPECT_STREQ(CountryGetCountryNameFromCode(unterminated), "(Unknown Country)");
  log = LogText();
  EXPECT_EQ(CountOf(log, "Code [QQQ] not found."), 1) << log;
  EXPECT_EQ(CountOf(log, "Code [GBX] not found."), 2) << log;
}

TEST_F(CountryTest, FlagCoordinates) {
  struct {
    int cnum;
    char ok;
    float left, top;
  } cases[] = {{0, 1, 0.0f, 0.0f},          {221, 1, 0.8125f, 0.8125f}, {67, 1, 0.1875f, 0.25f},
               {142, 1, 0.1875f, 0.25f},    {223, 1, 0.9375f, 0.8125f}, {60, 1, 0.75f, 0.1875f},
               {222, 0, 0, 0},              {224, 0, 0, 0},             {-1, 0, 0, 0},
               {255, 0, 0, 0}};
  for (const auto &c : cases) {
    _TexCoords tc = {-1, -1, -1, -1};
    ASSERT_EQ(CountryGetFlagTextureCoordinates(c.cnum, &tc), c.ok) << c.cnum;
    if (!c.ok) continue;
    EXPECT_FLOAT_EQ(tc.left, c.left) << c.cnum;
    EXPECT_FLOAT_EQ(tc.top, c.top) << c.cnum;
    EXPECT_FLOAT_EQ(tc.right, c.left + 0.0625f) << c.cnum;
    EXPECT_FLOAT_EQ(tc.bottom, c.top + 0.0625f) << c.cnum;
  }
  EXPECT_EQ(CountryGetFlagTextureCoordinates(0, nullptr), 0);
}

TEST_F(CountryTest, LocalCountryFromTheLocaleVariables) {
  struct {
    const char *lc_all, *lc_messages, *lang;
    int want;
  } cases[] = {
      {nullptr, nullptr, "de_DE.UTF-8", 71},
      {nullptr, nullptr, "en_GB", 60},
      {nullptr, nullptr, "en_UK", 60},
      {nullptr, nullptr, "sr_RS@latin", 175},
      {nullptr, nullptr, "fr_FR_EURO", 67},
      {nullptr, nullptr, "en", -1},
      {nullptr, nullptr, "C", -1},
      {nullptr, nullptr, "POSIX", -1},
      {nullptr, nullptr, "C.UTF-8", -1},
      {nullptr, nullptr, "en_gb", -1},
      {nullptr, nullptr, "en_XX", -1},
      {nullptr, nullptr, "en_", -1},
      {nullptr, nullptr, nullptr, -1},
      {"ja_JP.UTF-8", "de_DE", "en_US", 97},
      {"", "de_DE", "en_US", 71},
      {"", "", "en_US.UTF-8", 208},
      {nullptr, "", "fr_FR", 67},
  };
  for (const auto &c : cases) {
    DebugResetForTests();
    CountryResetForTests();
    EngMiscSetLocaleVariablesForTests(1, c.lc_all, c.lc_messages, c.lang);
    std::string shown = std::string(c.lc_all ? c.lc_all : "-") + "/" + (c.lc_messages ? c.lc_messages : "-") + "/" +
                        (c.lang ? c.lang : "-");
    EXPECT_EQ(CountryGetLocalCountryPos(), c.want) << shown;
    EXPECT_EQ(LogText().find("Could not get local country pos") != std::string::npos, c.want < 0) << shown;
  }

  EngMiscSetLocaleVariablesForTests(1, nullptr, nullptr, "de_AT");
  EXPECT_STREQ(CountryGetLocalCountryName(), "Austria");
  EXPECT_STREQ(CountryGetLocalCountryCode(), "AT");
  EngMiscSetLocaleVariablesForTests(1, nullptr, nullptr, "C");
  EXPECT_STREQ(CountryGetLocalCountryName(), "(Unknown Country)");
  EXPECT_STREQ(CountryGetLocalCountryCode(), "??");
}

// The new-player and country screens ask for the local country, and look its code up, each
// time they open: without a country in the locale each of those calls is noted, the unknown
// country's own code "??" among the codes not found.
TEST_F(CountryTest, ALocaleWithoutACountryIsNotedOnEveryCall) {
  for (const char *lang : {"C", "POSIX", "en"}) {
    SCOPED_TRACE(lang);
    DebugResetForTests();
    CountryResetForTests();
    EngMiscSetLocaleVariablesForTests(1, nullptr, nullptr, lang);
    for (int visit = 0; visit < 3; visit++) {
      const char *code = CountryGetLocalCountryCode();
      EXPECT_STREQ(code, "??");
      EXPECT_EQ(CountryGetCountryNumFromCode(code, 1), -1);
      EXPECT_STREQ(CountryGetCountryNameFromCode(code), "(Unknown Country)");
      EXPECT_EQ(CountryGetLocalCountryPos(), -1);
    }
    const std::string log = LogText();
    EXPECT_EQ(CountOf(log, "Could not get local country pos"), 6) << log;
    EXPECT_EQ(CountOf(log, "Code [??] not found."), 6) << log;
    EXPECT_EQ(DebugGetNumMessages(), 12) << log;
  }
}

TEST_F(CountryTest, LocaleTextsOfAnyLengthOrBytes) {
  // A region part longer than 63 characters is no region at all.
  std::string region_long = "en_" + std::string(62, 'G');
  std::string region_too_long = "en_" + std::string(63, 'G');
  std::string huge = "de_DE" + std::string(100000, 'x');
  std::string bytes = "\xff\xfe_DE\x80";
  struct {
    std::string lang;
    int want;
    const char *log;
  } cases[] = {{region_long, -1, "Code [GGG] not found."},
               {region_too_long, -1, "Could not get local country pos"},
               {huge, -1, "CFStringGetCString failed"},
               {bytes, 71, nullptr}};
  for (const auto &c : cases) {
    DebugResetForTests();
    CountryResetForTests();
    EngMiscSetLocaleVariablesForTests(1, nullptr, nullptr, c.lang.c_str());
    EXPECT_EQ(CountryGetLocalCountryPos(), c.want) << c.lang.size();
    if (c.log) {
      EXPECT_NE(LogText().find(c.log), std::string::npos) << LogText();
    }
  }
}

TEST_F(CountryTest, SetupAndTheAtlasFileName) {
  EXPECT_EQ(country_want_high_res_tex, -1);
  EXPECT_EQ(cc_destroy_tex_when_done, 1);
  EXPECT_STREQ(CountryGetFlagsFilename(), "CountryFlags512.png");
  EXPECT_STREQ(CountryGetFlagsFilename(), "CountryFlags512.png");
  EXPECT_EQ(CountOf(LogText(), "Not setup."), 1) << LogText();

  int context = 0;
  auto on_continue = [](void *c) { ++*static_cast<int *>(c); };
  CountrySetupModule(1, 0, on_continue, &context, 10.0f, 20.0f);
  EXPECT_STREQ(CountryGetFlagsFilename(), "CountryFlags1024.png");
  EXPECT_EQ(cc_destroy_tex_when_done, 0);
  EXPECT_EQ(cc_on_continue_cb_context, &context);
  EXPECT_FLOAT_EQ(cc_border_y1, 10.0f);
  EXPECT_FLOAT_EQ(cc_border_y2, 20.0f);
  cc_on_continue_cb(cc_on_continue_cb_context);
  EXPECT_EQ(context, 1);
  CountrySetOnContinueCB(nullptr, nullptr);
  EXPECT_EQ(cc_on_continue_cb, nullptr);
  EXPECT_EQ(cc_on_continue_cb_context, nullptr);
  EXPECT_EQ(country_code_selected[0], 0);

  float w = 0, dh = 0, gap = 0;
  eng_main_window_x_widescreen_ratio = 0.75f;
  CountryGetFlagSizesForDrawingOnButtons(&w, &dh, &gap);
  eng_main_window_x_widescreen_ratio = 1.0f;
  EXPECT_FLOAT_EQ(w, 18.75f);
  EXPECT_FLOAT_EQ(dh, -4.0f);
  EXPECT_FLOAT_EQ(gap, 5.0f);
  CountryGetFlagSizesForDrawingOnButtons(nullptr, &dh, &gap);
}

TEST_F(CountryTest, AMissingAtlasFailsEachTimeAndDrawsNothing) {
  qwtest::TempDir empty;
  qwtest::WorkingFolder cwd;
  ASSERT_EQ(chdir(empty.Path().c_str()), 0);
  CountrySetupModule(0, 0, nullptr, nullptr, 0, 0);
  EXPECT_EQ(CountryCreateGraphics(), 0);
  EXPECT_EQ(CountryCreateGraphics(), 0);
  EXPECT_EQ(CountOf(LogText(), "Flags texture file does not exist <CountryFlags512.png>"), 2) << LogText();
  _Dimension button = {100, 100, 200, 30};
  CountryDrawFlag(0, &button);
  CountryDrawFlagOnRightSideOfButton(0, &button);
  CountryDrawFlagWithTransparency(0, &button, 0.5f);
  CountryRestoreFlagTexTransparency();
  CountryDestroyGraphics();
  EXPECT_EQ(CountryCreateGraphicsIfNeeded(nullptr), 1);
  ASSERT_TRUE(cwd.Restore());
}

TEST_F(CountryTest, RightSideFlagReportsItsBadArguments) {
  CountryDrawFlagOnRightSideOfButton(0, nullptr);
  _Dimension button = {100, 100, 200, 30};
  for (int i = 0; i < 5; i++) CountryDrawFlagOnRightSideOfButton(-1, &button);
  std::string log = LogText();
  EXPECT_NE(log.find("No dimension."), std::string::npos) << log;
  EXPECT_EQ(CountOf(log, "ERROR: CountryDrawFlagOnRightSideOfButton: Invalid cnum -1."), 1) << log;
}

}  // namespace
