// The game's program object: start-up's display-settings steps on settings files the test
// writes, the weekly check that ends start-up, the module item and picture-file callbacks,
// the display dialog's links and the callbacks without a game.
#include "game/Program.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMiscDate.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngResModes.h"
#include "Engine/Modules.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Main.h"
#include "players/UserClass.h"
#include "tests/support/TestSupport.h"

namespace {

// The display dialog, shown in place of the native one: counts its showings and answers as a
// dialog that could not be built (0), so start-up goes on with the settings as loaded.
int dialogs_shown = 0;
char CountedDialog() {
  dialogs_shown++;
  return 0;
}

int weekly_checks = 0;
char weekly_answer = 0;
char FakeWeeklyCheck(_EngMiscDate *, _UpdaterProgramName, float) {
  weekly_checks++;
  return weekly_answer;
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_data.Start());
    ResolutionResetForTests();
    m_desktop = {1920, 1080, 32, 60.0f};
    EngResModesSetDisplayForTests(&m_desktop, 1, &m_desktop);
    ResolutionSetupModule(_UpdaterProgramName(3), 2.01f, 1.5f, MainGetResolutionLinkCB, 0, 1, 0, 0, 0, "Resolution",
                          "License", "License.txt", "Startup", "ResTitle.jpg");
    weekly_checks = 0;
    weekly_answer = 0;
    ResolutionSetWeeklyVersionCheckCB(FakeWeeklyCheck);
    dialogs_shown = 0;
    ResolutionSetDialogForTests(CountedDialog);
    EngEncryptionResetForTests();
    ASSERT_EQ(EngEncryptionInit("QX_SEALING_KEY"), 1);
    UserResetForTests();
    ASSERT_EQ(mkdir(m_resources.File("CommonTexts").c_str(), 0700), 0);
    qwtest::WriteWholeFile(m_resources.File("CommonTexts/English.txt"),
                           qwtest::ReadWholeFile(qwtest::SourceDir() + "/resources/CommonTexts/English.txt"));
    EngProgramSetResourcesPathForTests(m_resources.Path().c_str());
  }
  void TearDown() override {
    if (m_program) m_program->ExitCB();
    delete m_program;
    EngLanguagesExit();
    ModulesResetForTests();
    EngProgramSetResourcesPathForTests(nullptr);
    ResolutionSetWeeklyVersionCheckCB(nullptr);
    UserResetForTests();
    EngEncryptionResetForTests();
    EngResModesSetDisplayForTests(nullptr, 0, nullptr);
    ResolutionResetForTests();
    PrefFolderResetForTests();
    DebugResetForTests();
    ASSERT_TRUE(m_cwd.Restore());
  }

  std::string SettingsPath() const { return m_data.File("Tallowmere/Quarrelwick/Resolution.dat"); }
  // Valid settings in a window, as a program of the given version saved them.
  void WriteSettings(char show_dialog, float game_version) {
    _Resolution saved;
    memset(&saved, 0, sizeof(saved));
    saved.settings_version = 1.5f;
    saved.game_version = game_version;
    saved.show_dialog = show_dialog;
    EngMiscGetTodaysDate(&saved.last_version_check);
    saved.windowed = 1;
    saved.window_x = saved.window_y = -1;
    saved.window_width = 800;
    saved.window_height = 600;
    saved.window_bitdepth = saved.fullscreen_bitdepth = 32;
    saved.fullscreen_width = 1920;
    saved.fullscreen_height = 1080;
    saved.fullscreen_frequency = 60;
    EngSafeStrcpy(saved.language, "English", sizeof(saved.language));
    unsigned char bytes[RESOLUTION_FILE_SIZE];
    ResolutionWriteRecordToBytes(&saved, bytes);
    qwtest::WriteWholeFile(SettingsPath(), std::string(reinterpret_cast<char *>(bytes), sizeof(bytes)));
  }
  int ShowDialogByteOnDisk() const {
    std::string file = qwtest::ReadWholeFile(SettingsPath());
    return file.size() == RESOLUTION_FILE_SIZE ? file[8] : -1;
  }
  signed char Init() {
    m_program = new Program();
    return m_program->InitCB(0, nullptr);
  }

  qwtest::PlayerDataFolder m_data;
  qwtest::TempDir m_resources;
  qwtest::WorkingFolder m_cwd;
  _EngDisplayModeInfo m_desktop;
  Program *m_program = nullptr;
};

struct InitCase {
  const char *name;
  int file;  // -1 none, else the byte 8 written
  float version;
  bool dialog;
  char in_memory;  // byte 8 after start-up
};

class ProgramInitTest : public ProgramTest, public ::testing::WithParamInterface<InitCase> {};

TEST_P(ProgramInitTest, DisplaySettingsSteps) {
  const InitCase &c = GetParam();
  if (c.file >= 0) WriteSettings(char(c.file), c.version);
  EXPECT_EQ(Init(), 1);
  ASSERT_NE(m_program->GetGame(), nullptr);
  EXPECT_EQ(main_game, m_program->GetGame());
  EXPECT_EQ(ShowDialogByteOnDisk(), 1);  // saved with the byte set
  EXPECT_EQ(resolution.show_dialog, c.in_memory);
  EXPECT_EQ(dialogs_shown, c.dialog ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Settings, ProgramInitTest,
                         ::testing::Values(InitCase{"same version, no dialog asked", 0, 2.01f, false, 0},
                                           InitCase{"older version", 0, 2.0f, true, 0},
                                           InitCase{"dialog asked", 1, 2.01f, true, 1},
                                           InitCase{"no settings file", -1, 0.0f, true, 1}),
                         [](const ::testing::TestParamInfo<InitCase> &info) {
                           std::string n = info.param.name;
                           for (char &ch : n)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

TEST_F(ProgramTest, AWeeklyCheckThatEndsStartUpEndsItQuietly) {
  WriteSettings(0, 2.01f);
  // A check more than a week old asks again.
  _Resolution old_check;
  unsigned char bytes[RESOLUTION_FILE_SIZE];
  std::string file = qwtest::ReadWholeFile(SettingsPath());
  ResolutionReadRecordFromBytes(reinterpret_cast<const unsigned char *>(file.data()), &old_check);
  old_check.last_version_check.year -= 1;
  ResolutionWriteRecordToBytes(&old_check, bytes);
  qwtest::WriteWholeFile(SettingsPath(), std::string(reinterpret_cast<char *>(bytes), sizeof(bytes)));
  ASSERT_EQ(ResolutionLoadSettings(), 1);
  weekly_answer = 1;
  EXPECT_EQ(Init(), -1);
  EXPECT_EQ(weekly_checks, 1);
  EXPECT_EQ(resolution.show_dialog, 1);
}

TEST_F(ProgramTest, ModuleItemsAndPictureFiles) {
  const struct {
    int item;
    const char *file;
  } items[] = {{1, "QuarrelwickTitle.ttx"}, {9, "TmText.ttx"},       {10, "TallowRing.png"}, {11, "TmText.png"},
               {12, "TexEffects1.png"},     {14, "MenuBg.jpg"},       {0, ""},                {13, ""},
               {2, ""},                     {99, ""}};
  for (const auto &i : items) {
    SCOPED_TRACE(i.item);
    const EngInt32 before = DebugGetNumMessages();
    EXPECT_STREQ(Program_GetModulesItemFilenameCB(_ModulesItem(i.item)), i.file);
    EXPECT_EQ(DebugGetNumMessages() - before, i.file[0] ? 0 : 1);
  }
  char out[64] = "x";
  EXPECT_EQ(Program_SetEngPictureTextureFileOverwriteCB("pictures", "QuarrelwickText.png", out, sizeof(out)), 1);
  EXPECT_STREQ(out, "QuarrelwickText.png");
  char small[8];
  EXPECT_EQ(Program_SetEngPictureTextureFileOverwriteCB(nullptr, "QuarrelwickText.png", small, sizeof(small)), 1);
  EXPECT_STREQ(small, "Quarrel");
  EXPECT_EQ(Program_SetEngPictureTextureFileOverwriteCB("QuarrelwickText.png", "Other.png", out, sizeof(out)), 0);
  // The splash reads its own textures without the hook.
  EXPECT_EQ(Program_SetEngPictureTextureFileOverwriteCB(nullptr, "SplashArt.png", out, sizeof(out)), 0);
}

// Start-up hands the picture loader the game's file names.
TEST_F(ProgramTest, StartUpInstallsThePictureHooks) {
  WriteSettings(0, 2.01f);
  ASSERT_EQ(Init(), 1);
  char out[64] = "";
  EXPECT_EQ(ModulesEngPictureTextureFileOverwriteCB("pictures", "QuarrelwickText.png", out, sizeof(out)), 1);
  EXPECT_STREQ(out, "QuarrelwickText.png");
  EXPECT_EQ(ModulesEngPictureTextureFileOverwriteCB(nullptr, "TallowRing.png", out, sizeof(out)), 1);
  EXPECT_STREQ(out, "TallowRing.png");
  EXPECT_EQ(ModulesEngPictureTextureFileOverwriteCB(nullptr, "Unknown.png", out, sizeof(out)), 0);
}

TEST_F(ProgramTest, DisplayDialogLinks) {
  EXPECT_STREQ(MainGetResolutionLinkCB(RESOLUTION_LINK_HOME), "https://tallowmere.example.com/quarrelwick");
  EXPECT_STREQ(MainGetResolutionLinkCB(RESOLUTION_LINK_FORUM), "https://tallowmere.example.com/quarrelwick/forums");
  EXPECT_EQ(MainGetResolutionLinkCB(RESOLUTION_LINK_LK01), nullptr);
  EXPECT_FLOAT_EQ(MainGetGameVersion(), 2.01f);
  EXPECT_FLOAT_EQ(MainGetResFileVersion(), 1.5f);
  EXPECT_FLOAT_EQ(MainGetUserFileVersion(), 2.0f);
}

TEST_F(ProgramTest, WithoutAGameTheCallbacksFail) {
  m_program = new Program();
  _EngCreateWindowParms parms;
  EXPECT_EQ(m_program->PreCreateWindowCB(&parms), 0);
  EXPECT_EQ(m_program->PreDeviceInitCB(), 0);
  EXPECT_EQ(m_program->PostDeviceInitCB(), 0);
  EXPECT_EQ(m_program->CreateGraphicsObjectsCB(), 0);
  EXPECT_EQ(m_program->InputCB(ENG_INPUT_KEY_DOWN, 27, 0), 0);
  EXPECT_EQ(m_program->TickCB(), 0);  // no device
  m_program->RenderCB();
  m_program->DestroyGraphicsObjectsCB();
  m_program->PreDeviceExitCB();
  m_program->ExitCB();
  EXPECT_EQ(m_program->GetGame(), nullptr);
}

TEST_F(ProgramTest, ExitDestroysTheGame) {
  WriteSettings(0, 2.01f);
  ASSERT_EQ(Init(), 1);
  m_program->ExitCB();
  EXPECT_EQ(m_program->GetGame(), nullptr);
  EXPECT_EQ(main_game, nullptr);
}

}  // namespace
