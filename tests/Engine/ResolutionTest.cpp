// The display settings record: its byte layout, saving and loading "Resolution.dat", the files
// that are refused, applying it to the window with a made-up desktop, and the weekly check.
#include "Engine/Resolution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"
#include "tests/support/TestSupport.h"

namespace {

// What the update service's weekly check was handed, and what it does.
struct FakeUpdater {
  int calls = 0;
  _EngMiscDate seen = {0, 0, 0};
  EngUInt32 program = 0;
  float version = 0;
  char result = 0;
  _EngMiscDate store = {2024, 5, 17};
} fake_updater;

const _UpdaterProgramName kProgram = _UpdaterProgramName(3);
const _UpdaterProgramName kNoCheck = _UpdaterProgramName(17);

std::vector<std::pair<int, std::string>> popups;
void RecordPopup(_EngMiscPopupType type, const char *title, const char *text) {
  popups.push_back({int(type), std::string(title) + "|" + text});
}

std::string Bytes(const _Resolution &r) {
  unsigned char bytes[RESOLUTION_FILE_SIZE];
  ResolutionWriteRecordToBytes(&r, bytes);
  return std::string(reinterpret_cast<char *>(bytes), sizeof(bytes));
}

EngUInt32 U32At(const std::string &bytes, size_t at) {
  EngUInt32 v = 0;
  for (int i = 0; i < 4; i++) v |= EngUInt32(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return v;
}

float F32At(const std::string &bytes, size_t at) {
  EngUInt32 u = U32At(bytes, at);
  float f;
  memcpy(&f, &u, 4);
  return f;
}

struct WindowGlobals {
  char windowed = eng_main_window_windowed;
  EngInt32 width = eng_main_window_width, height = eng_main_window_height, bits = eng_main_window_bitdepth,
           frequency = eng_main_window_frequency, aa = eng_main_window_aa;
  void Restore() const {
    eng_main_window_windowed = windowed;
    eng_main_window_width = width;
    eng_main_window_height = height;
    eng_main_window_bitdepth = bits;
    eng_main_window_frequency = frequency;
    eng_main_window_aa = aa;
  }
};

char FakeWeeklyVersionCheck(_EngMiscDate *last_check, _UpdaterProgramName program, float version);

class ResolutionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_data.Start());
    m_path = m_data.File("Tallowmere/Quarrelwick/Resolution.dat");
    ResolutionResetForTests();
    SetDesktop(1920, 1080);
    *MainGetCreateWindowParms() = _EngCreateWindowParms();
    popups.clear();
    EngMiscSetPopupHandlerForTests(RecordPopup);
    fake_updater = FakeUpdater();
    ResolutionSetWeeklyVersionCheckCB(FakeWeeklyVersionCheck);
    SetUpModule(kProgram);
  }
  void TearDown() override {
    ResolutionSetWeeklyVersionCheckCB(nullptr);
    EngMiscSetPopupHandlerForTests(nullptr);
    EngResModesSetDisplayForTests(nullptr, 0, nullptr);
    ResolutionResetForTests();
    PrefFolderResetForTests();
    *MainGetCreateWindowParms() = _EngCreateWindowParms();
    m_globals.Restore();
    DebugResetForTests();
  }
  static void SetUpModule(_UpdaterProgramName program) {
    ResolutionSetupModule(program, 2.01f, 1.5f, nullptr, 0, 1, 0, 0, 0, "Resolution", "License", "License.txt",
                          "Startup", "ResTitle.jpg");
  }
  void SetDesktop(int width, int height) {
    m_desktop = {width, height, 32, 60.0f};
    EngResModesSetDisplayForTests(&m_desktop, 1, &m_desktop);
  }
  // Whether a message from the index on holds the text.
  static bool LogHas(const std::string &text, EngInt32 from = 0) {
    for (EngInt32 i = from; i < DebugGetNumMessages(); i++)
      if (std::string(DebugGetMessage(i)->text).find(text) != std::string::npos) return true;
    return false;
  }
  static std::string Log() {
    std::string all;
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) all += std::string(DebugGetMessage(i)->text) + "\n";
    return all;
  }
  static _Resolution Defaults() {
    _Resolution saved = resolution;
    memset(&resolution, 0, sizeof(resolution));
    ResolutionSetDefaultResolution();
    _Resolution defaults = resolution;
    resolution = saved;
    return defaults;
  }
  // A sound record of values unlike the defaults, as another run would have saved it.
  static _Resolution Saved() {
    _Resolution r = Defaults();
    r.show_dialog = 0;
    r.windowed = 1;
    r.window_x = 40;
    r.window_y = 60;
    r.window_width = 800;
    r.window_height = 600;
    r.window_bitdepth = 24;
    r.window_aa = 4;
    r.fullscreen_width = 1280;
    r.fullscreen_height = 1024;
    r.fullscreen_frequency = 75;
    r.fullscreen_aa = 8;
    r.last_version_check = {2023, 12, 31};
    EngSafeStrcpy(r.last_player, "Marigold", sizeof(r.last_player));
    EngSafeStrcpy(r.language, "Deutsch", sizeof(r.language));
    return r;
  }
  void WriteFile(const std::string &bytes) { qwtest::WriteWholeFile(m_path, bytes); }

  qwtest::PlayerDataFolder m_data;
  std::string m_path;
  _EngDisplayModeInfo m_desktop;
  WindowGlobals m_globals;
};


char FakeWeeklyVersionCheck(_EngMiscDate *last_check, _UpdaterProgramName program, float version) {
  fake_updater.calls++;
  fake_updater.seen = *last_check;
  fake_updater.program = EngUInt32(program);
  fake_updater.version = version;
  *last_check = fake_updater.store;
  return fake_updater.result;
}



TEST_F(ResolutionTest, FieldsSitAtTheirOffsetsLittleEndian) {
  _Resolution r = Saved();
  r.window_x = -1;
  r.fullscreen_bitdepth = 16;
  r.ttxq_quality = 2;
  r.ctxq_quality = 3;
  r.language_chosen = 7;
  r.show_text_viewer = 0;
  r.sound_on = 0;
  r.music_on = 0;
  r.reserved_flag_141 = 9;
  r.reserved_flag_345 = 5;
  std::string b = Bytes(r);
  ASSERT_EQ(b.size(), 412u);
  EXPECT_EQ(U32At(b, 0), 0x3FC00000u);  // 1.5
  EXPECT_FLOAT_EQ(F32At(b, 4), 2.01f);
  struct {
    size_t offset;
    EngUInt32 value;
  } words[] = {{12, 2023},        {24, 0xFFFFFFFFu}, {28, 60},   {32, 800},  {36, 600}, {40, 24}, {44, 1280},
               {48, 1024},        {52, 16},          {56, 75},   {60, 4},    {64, 8}};
  for (const auto &w : words) EXPECT_EQ(U32At(b, w.offset), w.value) << "offset " << w.offset;
  struct {
    size_t offset;
    int value;
  } single[] = {{8, 0},  {16, 12}, {17, 31}, {20, 1},  {68, 2},   {69, 3},
                {134, 7}, {141, 9}, {142, 0}, {143, 0}, {305, 0}, {345, 5}};
  for (const auto &s : single) EXPECT_EQ(static_cast<unsigned char>(b[s.offset]), s.value) << "offset " << s.offset;
  EXPECT_EQ(std::string(b.c_str() + 70), "Deutsch");
  EXPECT_EQ(std::string(b.c_str() + 306), "Marigold");
  EXPECT_EQ(b[144], 0);
  EXPECT_EQ(b[225], 0);

  _Resolution back;
  ResolutionReadRecordFromBytes(reinterpret_cast<const unsigned char *>(b.data()), &back);
  EXPECT_EQ(Bytes(back), b);
}

TEST_F(ResolutionTest, DefaultsAreFullScreenAtTheDisplaysSize) {
  ResolutionSetDefaultResolution();
  const _Resolution &r = resolution;
  EXPECT_EQ(r.settings_version, 1.5f);
  EXPECT_EQ(r.game_version, 2.01f);
  EXPECT_EQ(r.windowed, 0);
  EXPECT_EQ(r.fullscreen_width, 1920);
  EXPECT_EQ(r.fullscreen_height, 1080);
  EXPECT_EQ(r.fullscreen_bitdepth, 32);
  EXPECT_EQ(r.fullscreen_frequency, 60);
  EXPECT_EQ(r.window_x, -1);
  EXPECT_EQ(r.window_y, -1);
  EXPECT_EQ(r.window_width, 1024);
  EXPECT_EQ(r.window_height, 768);
  EXPECT_EQ(r.window_bitdepth, 32);
  EXPECT_EQ(r.show_dialog, 1);
  EXPECT_STREQ(r.language, "English");
  EXPECT_EQ(r.sound_on, 1);
  EXPECT_EQ(r.music_on, 1);
  EXPECT_STREQ(r.last_player, "");
  EXPECT_EQ(r.last_version_check.year, 0u);

  // A display that cannot be read still gives a size every later apply accepts.
  EngResModesSetDisplayForTests(&m_desktop, 1, nullptr);
  ResolutionSetDefaultResolution();
  EXPECT_EQ(resolution.fullscreen_width, 1024);
  EXPECT_EQ(resolution.fullscreen_height, 768);
  EXPECT_EQ(ResolutionSetSettings(), 1);
}

TEST_F(ResolutionTest, SaveAndLoadRoundTripByteForByte) {
  resolution = Saved();
  resolution.game_version = 1.0f;
  ResolutionSaveSettings();
  std::string first = qwtest::ReadWholeFile(m_path);
  ASSERT_EQ(first.size(), 412u);
  EXPECT_FLOAT_EQ(F32At(first, 4), 2.01f);  // the saving program's version, always
  EXPECT_FALSE(qwtest::FileExists(m_path + ".tmp"));
  EXPECT_TRUE(popups.empty());

  ResolutionResetForTests();
  SetUpModule(kProgram);
  ASSERT_EQ(ResolutionLoadSettings(), 1);
  EXPECT_STREQ(resolution.last_player, "Marigold");
  EXPECT_EQ(resolution.last_version_check.day, 31);
  ResolutionSaveSettings();
  EXPECT_EQ(qwtest::ReadWholeFile(m_path), first);
  ResolutionSaveSettings();
  EXPECT_EQ(qwtest::ReadWholeFile(m_path), first);
}

TEST_F(ResolutionTest, AMissingFileGivesTheDefaultsQuietly) {
  EXPECT_EQ(ResolutionLoadSettings(), 0);
  EXPECT_EQ(Bytes(resolution), Bytes(Defaults()));
  EXPECT_EQ(DebugGetNumMessages(), 0);
  // The defaults are not applied by the load.
  EXPECT_EQ(MainGetCreateWindowParms()->windowed, 1);
  EXPECT_EQ(MainGetCreateWindowParms()->width, 1024);
}

// A pipe or the like in the file's place is refused at once and told once: the defaults stand,
// and the next save puts a file there (a folder stays, and its save is refused).
TEST_F(ResolutionTest, WhatIsNotAFileIsRefusedAtOnceForTheDefaults) {
  for (qwtest::NotAFile kind : qwtest::kNotAFileKinds) {
    SCOPED_TRACE(qwtest::NotAFileName(kind));
    qwtest::MakeNotAFile(kind, m_path);
    DebugClearLog(0);
    ResolutionResetForTests();
    SetUpModule(kProgram);
    EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(m_path, [] { EXPECT_EQ(ResolutionLoadSettings(), 0); }));
    EXPECT_EQ(Bytes(resolution), Bytes(Defaults()));
    const std::string log = Log();
    EXPECT_EQ(qwtest::CountLogLines(log, "ReadFile", "Not a regular file <" + m_path + ">"), 1) << log;
    EXPECT_EQ(log.find("Not a regular file"), log.rfind("Not a regular file")) << log;
  }
}

TEST_F(ResolutionTest, RefusedFilesAreLoggedAndReplacedByTheDefaults) {
  const std::string good = Bytes(Saved());
  auto with = [&](void (*change)(_Resolution &)) {
    _Resolution r = Saved();
    change(r);
    return Bytes(r);
  };
  struct Case {
    const char *name;
    std::string bytes;
    const char *logged;
  } cases[] = {
      {"411 bytes", good.substr(0, 411), "is 411 bytes, not 412"},
      {"413 bytes", good + "x", "is 413 bytes, not 412"},
      {"empty", "", "is 0 bytes, not 412"},
      {"version 1.4", with([](_Resolution &r) { r.settings_version = 1.4f; }), "has version 1.4, not 1.5"},
      {"version NaN", with([](_Resolution &r) { r.settings_version = std::nanf(""); }), "has version nan"},
      {"window width 0", with([](_Resolution &r) { r.window_width = 0; }), "Bad sizes: window 0 x 600"},
      {"negative height", with([](_Resolution &r) { r.fullscreen_height = -768; }), "full screen 1280 x -768"},
      {"huge width", with([](_Resolution &r) { r.fullscreen_width = 1 << 30; }), "Bad sizes"},
      {"odd bit depth", with([](_Resolution &r) { r.window_bitdepth = 17; }), "Bad bit depths: window 17"},
      {"zero bit depth", with([](_Resolution &r) { r.fullscreen_bitdepth = 0; }), "full screen 0"},
      {"anti-aliasing 3", with([](_Resolution &r) { r.window_aa = 3; }), "Bad anti-aliasing: window 3"},
      {"anti-aliasing 16", with([](_Resolution &r) { r.fullscreen_aa = 16; }), "full screen 16"},
      {"windowed flag 7", with([](_Resolution &r) { r.windowed = 7; }), "Bad windowed flag 7"},
      {"refresh rate", with([](_Resolution &r) { r.fullscreen_frequency = -60; }), "Bad refresh rate -60"},
      {"month 13", with([](_Resolution &r) { r.last_version_check = {2024, 13, 1}; }), "version check 2024-13-1"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EngInt32 first_message = DebugGetNumMessages();
    memset(&resolution, 0x5A, sizeof(resolution));
    *MainGetCreateWindowParms() = _EngCreateWindowParms();
    WriteFile(c.bytes);
    EXPECT_EQ(ResolutionLoadSettings(), 0);
    EXPECT_TRUE(LogHas(c.logged, first_message)) << Log();
    // Every defaulted field is set; the bytes the defaults leave alone keep the old record's.
    _Resolution expected;
    memset(&expected, 0x5A, sizeof(expected));
    std::swap(expected, resolution);
    ResolutionSetDefaultResolution();
    std::swap(expected, resolution);
    EXPECT_EQ(Bytes(resolution), Bytes(expected));
    EXPECT_EQ(MainGetCreateWindowParms()->width, 1024);
  }
  // The same file whole is taken.
  WriteFile(good);
  EXPECT_EQ(ResolutionLoadSettings(), 1);
  EXPECT_EQ(MainGetCreateWindowParms()->width, 800);
}

TEST_F(ResolutionTest, LoadedTextsEndWithinTheirFields) {
  std::string bytes = Bytes(Saved());
  bytes.replace(70, 64, std::string(64, 'L'));
  bytes.replace(144, 81, std::string(81, 'R'));
  bytes.replace(225, 80, std::string(80, 'S'));
  bytes.replace(306, 32, std::string(32, 'P'));
  WriteFile(bytes);
  ASSERT_EQ(ResolutionLoadSettings(), 1);
  EXPECT_EQ(strlen(resolution.language), 63u);
  EXPECT_EQ(strnlen(resolution.reserved_text_144, 81), 80u);
  EXPECT_EQ(strnlen(resolution.reserved_text_225, 80), 79u);
  EXPECT_EQ(strlen(resolution.last_player), 31u);
  EXPECT_EQ(resolution.music_on, Saved().music_on);  // the byte after the text is its own
}

TEST_F(ResolutionTest, ApplyingSetsTheGlobalsAndTheWindowParameters) {
  SetDesktop(1280, 1024);
  struct Case {
    const char *name;
    char windowed;
    int width, height;
    int want_width, want_height, want_frequency, want_aa, want_x;
  } cases[] = {
      {"windowed, fits", 1, 800, 600, 800, 600, 0, 4, 40},
      {"windowed, too big", 1, 2000, 1500, 1280, 974, 0, 4, 40},
      {"windowed, exactly the usable desktop", 1, 1280, 974, 1280, 974, 0, 4, 40},
      {"full screen", 0, 800, 600, 1280, 1024, 75, 8, -1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    *MainGetCreateWindowParms() = _EngCreateWindowParms();
    resolution = Saved();
    resolution.windowed = c.windowed;
    resolution.window_width = c.width;
    resolution.window_height = c.height;
    ASSERT_EQ(ResolutionSetSettings(), 1);
    EXPECT_EQ(eng_main_window_windowed, c.windowed);
    EXPECT_EQ(eng_main_window_width, c.want_width);
    EXPECT_EQ(eng_main_window_height, c.want_height);
    const _EngCreateWindowParms *p = MainGetCreateWindowParms();
    EXPECT_EQ(p->windowed, c.windowed);
    EXPECT_EQ(p->width, c.want_width);
    EXPECT_EQ(p->height, c.want_height);
    EXPECT_EQ(p->bit_depth, c.windowed ? 24 : 32);
    EXPECT_EQ(p->frequency, c.want_frequency);
    EXPECT_EQ(p->anti_aliasing, c.want_aa);
    EXPECT_EQ(p->x, c.want_x);
    // The limit is on the window, never on the stored choice.
    EXPECT_EQ(resolution.window_width, c.width);
  }

  // A size or depth that is not positive changes nothing.
  resolution = Saved();
  resolution.fullscreen_bitdepth = 0;
  eng_main_window_width = 321;
  *MainGetCreateWindowParms() = _EngCreateWindowParms();
  EXPECT_EQ(ResolutionSetSettings(), 0);
  EXPECT_TRUE(LogHas("Bad resolution values"));
  EXPECT_EQ(eng_main_window_width, 321);
  EXPECT_EQ(MainGetCreateWindowParms()->height, 768);
}

TEST_F(ResolutionTest, SavingLimitsAWindowTooBigForTheDesktop) {
  SetDesktop(1280, 1024);
  resolution = Saved();
  eng_main_window_windowed = 1;
  eng_main_window_width = 3000;
  eng_main_window_height = 3000;
  ResolutionSaveSettings();
  EXPECT_EQ(eng_main_window_width, 1280);
  EXPECT_EQ(eng_main_window_height, 974);
  EXPECT_EQ(resolution.window_width, 800);

  eng_main_window_windowed = 0;
  eng_main_window_width = 3000;
  ResolutionEnsureWindowedModeNotTooBig();
  EXPECT_EQ(eng_main_window_width, 3000);
}

TEST_F(ResolutionTest, AFailedSaveKeepsTheOldFileAndTellsTheUser) {
  resolution = Saved();
  ResolutionSaveSettings();
  const std::string old = qwtest::ReadWholeFile(m_path);
  resolution.window_width = 640;

  ASSERT_EQ(mkdir((m_path + ".tmp").c_str(), 0700), 0);  // the temporary file cannot be made
  ResolutionSaveSettings();
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0].first, int(ENG_MISC_POPUP_ERROR));
  EXPECT_EQ(popups[0].second, "Problem Creating to Resolution File|Could not create file  " + m_path +
                                  "  . \n\n Ensure the disk is not full and has writing permission.");
  EXPECT_EQ(qwtest::ReadWholeFile(m_path), old);
  ASSERT_EQ(rmdir((m_path + ".tmp").c_str()), 0);

  // The file's place is taken by a folder with something in it: the rename fails.
  std::string other = m_data.File("Tallowmere/Quarrelwick/Other.dat");
  ASSERT_EQ(rename(m_path.c_str(), other.c_str()), 0);
  ASSERT_EQ(mkdir(m_path.c_str(), 0700), 0);
  qwtest::WriteWholeFile(m_path + "/inside", "x");
  ResolutionSaveSettings();
  ASSERT_EQ(popups.size(), 2u);
  EXPECT_EQ(popups[1].second, "Problem Writing to Resolution File|Could not write to file  " + m_path + "  .");
  EXPECT_FALSE(qwtest::FileExists(m_path + ".tmp"));
  EXPECT_EQ(resolution.window_width, 640);
}

TEST_F(ResolutionTest, UpdatingFromTheCurrentModeKeepsTheOtherMode) {
  resolution = Saved();
  eng_main_window_windowed = 0;
  eng_main_window_width = 1600;
  eng_main_window_height = 900;
  eng_main_window_bitdepth = 16;
  eng_main_window_frequency = 50;
  eng_main_window_aa = 2;
  ResolutionUpdateSettingsFromCurrent();
  EXPECT_EQ(resolution.windowed, 0);
  EXPECT_EQ(resolution.fullscreen_width, 1600);
  EXPECT_EQ(resolution.fullscreen_height, 900);
  EXPECT_EQ(resolution.fullscreen_bitdepth, 16);
  EXPECT_EQ(resolution.fullscreen_frequency, 50);
  EXPECT_EQ(resolution.fullscreen_aa, 2);
  EXPECT_EQ(resolution.window_width, 800);

  eng_main_window_windowed = 1;
  eng_main_window_width = 1000;
  eng_main_window_height = 700;
  ResolutionUpdateSettingsFromCurrent();
  EXPECT_EQ(resolution.windowed, 1);
  EXPECT_EQ(resolution.window_width, 1000);
  EXPECT_EQ(resolution.window_height, 700);
  EXPECT_EQ(resolution.window_aa, 2);
  EXPECT_EQ(resolution.window_x, 40);  // no window to ask
  EXPECT_EQ(resolution.fullscreen_width, 1600);
}

TEST_F(ResolutionTest, TheWeeklyCheckGetsTheStoredDateAndItsAnswerIsSaved) {
  resolution = Saved();
  ResolutionSaveSettings();
  fake_updater.result = 1;
  EXPECT_EQ(ResolutionDoWeeklyVersionCheck(), 1);
  ASSERT_EQ(fake_updater.calls, 1);
  EXPECT_EQ(fake_updater.seen.year, 2023u);
  EXPECT_EQ(fake_updater.seen.day, 31);
  EXPECT_EQ(fake_updater.program, 3u);
  EXPECT_EQ(fake_updater.version, 2.01f);
  std::string saved = qwtest::ReadWholeFile(m_path);
  EXPECT_EQ(U32At(saved, 12), 2024u);
  EXPECT_EQ(saved[16], 5);
  EXPECT_EQ(saved[17], 17);

  // The program that asks for no check gets none and its file is left alone.
  ResolutionResetForTests();
  SetUpModule(kNoCheck);
  EXPECT_EQ(ResolutionDoWeeklyVersionCheck(), 0);
  EXPECT_EQ(fake_updater.calls, 1);
  EXPECT_EQ(qwtest::ReadWholeFile(m_path), saved);
}

TEST_F(ResolutionTest, NothingRunsBeforeTheModuleIsSetUp) {
  ResolutionResetForTests();
  EXPECT_EQ(ResolutionLoadSettings(), 0);
  EXPECT_EQ(ResolutionDoWeeklyVersionCheck(), 0);
  EXPECT_EQ(ResolutionDoDialog(), 0);
  ResolutionSaveSettings();
  EXPECT_TRUE(LogHas("Module not setup"));
  EXPECT_EQ(fake_updater.calls, 0);
  EXPECT_FALSE(qwtest::FileExists(m_path));
}

TEST_F(ResolutionTest, SetUpCutsNamesAndLogLineShowsTheMode) {
  std::string long_name(40, 'n');
  ResolutionSetupModule(kProgram, 2.01f, 1.5f, nullptr, 0, 1, 0, 1, 0, long_name.c_str(), "b", "c", "d", nullptr);
  EXPECT_EQ(std::string(res_module_info.names[0]), std::string(31, 'n'));
  EXPECT_STREQ(res_module_info.names[4], "");
  EXPECT_EQ(res_module_info.options[3], 1);

  eng_main_window_windowed = 1;
  eng_main_window_width = 800;
  eng_main_window_height = 600;
  eng_main_window_bitdepth = 32;
  eng_main_window_frequency = 0;
  eng_main_window_aa = 4;
  CommonAddResolutionToLogfile(-1);
  CommonAddResolutionToLogfile(1);
  EXPECT_TRUE(LogHas("Res: [Win: 1  W:800  H:600  B:32  F:0  AA:4]"));
  EXPECT_TRUE(LogHas("Res 2: [Win: 1  W:800"));
}

TEST_F(ResolutionTest, WithoutADisplayTheDialogFailsAndTheLoadedSettingsStand) {
  ResolutionSetDefaultResolution();
  resolution.windowed = 1;
  resolution.window_width = 800;
  resolution.window_height = 600;
  resolution.show_text_viewer = 0;
  ResolutionSaveSettings();
  std::string before = qwtest::ReadWholeFile(m_path);
  EXPECT_EQ(ResolutionDoDialog(), 0);
  EXPECT_TRUE(LogHas("GTK could not start"));
  EXPECT_EQ(qwtest::ReadWholeFile(m_path), before);
  EXPECT_EQ(resolution.window_width, 800);
  EXPECT_EQ(eng_main_window_width, 800);
}

}  // namespace
