// The start-up display dialog and the licence viewer, built from the real "Resolution.ui" on the
// test display over a made-up list of display modes, worked through their real widgets.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPrefFolder.h"
#include "Engine/EngResModes.h"
#include "Engine/EngVarious.h"
#include "Engine/EngWindow.h"
#include "Engine/MAC/EngGui_MAC.h"
#include "Engine/Resolution.h"
#include "tests/Engine/MAC/GuiTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {
_EngCreateWindowParms test_parms;
}  // namespace

// The game's window parameters, as the display settings see them.
_EngCreateWindowParms *MainGetCreateWindowParms() { return &test_parms; }

namespace {

using qwtest::GuiDriver;

const _UpdaterProgramName kProgram = _UpdaterProgramName(3);

std::vector<std::string> popups;
void RecordPopup(_EngMiscPopupType, const char *title, const char *) { popups.push_back(title); }

int updater_calls = 0;
char FakeUpdater(_UpdaterProgramName program, float version) {
  EXPECT_EQ(EngUInt32(program), 3u);
  EXPECT_FLOAT_EQ(version, 2.01f);
  updater_calls++;
  return 0;
}

const char *Links(_ResolutionLinkType type) {
  return type == RESOLUTION_LINK_HOME ? "https://tallowmere.example.com/quarrelwick" : nullptr;
}

// 1920 x 1080 at 60 and 75 Hz, 1280 x 1024 at 60 Hz only, 1024 x 768 at 60 and 85 Hz.
const _EngDisplayModeInfo kModes[] = {
    {1920, 1080, 32, 60.0f}, {1920, 1080, 32, 75.0f}, {1280, 1024, 32, 60.0f},
    {1024, 768, 32, 60.0f},  {1024, 768, 32, 85.0f},
};

EngGuiControlRef Find(EngGuiWindowRef window, const char *id) {
  EngGuiControlRef control = EngGuiTestFindObject_MAC(window, id);
  EXPECT_NE(control, nullptr) << id;
  return control;
}

std::string ItemText(EngGuiControlRef popup, int index) {
  char text[64];
  EngGuiGetMenuItemString_MAC(popup, index, text, sizeof(text));
  return text;
}

std::string SelectedText(EngGuiControlRef popup) {
  return ItemText(popup, EngGuiGetPopupControlCurrentSelection_MAC(popup));
}

int ItemIndex(EngGuiControlRef popup, const std::string &text) {
  for (int i = 0; i < EngGuiGetMenuCount_MAC(popup); i++)
    if (ItemText(popup, i) == text) return i;
  return -1;
}

class ResolutionDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    eng_main_device_type = 1;  // as the program object sets it before start-up
    DebugResetForTests();
    DebugSetLogFilename(m_data.File("Log.txt").c_str(), 1);
    PrefFolderResetForTests();
    ASSERT_NE(PrefFolderSetup("Quarrelwick", 0, nullptr, 1), nullptr);
    m_path = m_data.File("Tallowmere/Quarrelwick/Resolution.dat");
    ResolutionResetForTests();
    EngResModesSetDisplayForTests(kModes, 5, &kModes[0]);
    *MainGetCreateWindowParms() = _EngCreateWindowParms();
    popups.clear();
    updater_calls = 0;
    EngMiscSetPopupHandlerForTests(RecordPopup);
    ResolutionSetUpdaterCB(FakeUpdater);
    EngGuiResetForTests();
    ResolutionSetupModule(kProgram, 2.01f, 1.5f, Links, 0, 1, 0, 0, 0, "Resolution", "License", "License.txt",
                          "Startup", "ResTitle.jpg");
  }
  void TearDown() override {
    EngGuiResetForTests();
    ResolutionSetUpdaterCB(nullptr);
    EngMiscSetPopupHandlerForTests(nullptr);
    EngResModesSetDisplayForTests(nullptr, 0, nullptr);
    ResolutionResetForTests();
    PrefFolderResetForTests();
    *MainGetCreateWindowParms() = _EngCreateWindowParms();
    VariousResetForTests();
    DebugResetForTests();
    eng_main_device_type = 0;
  }
  // A saved record past the licence: full screen 1920 x 1080 at 75 Hz, windowed 800 x 600.
  void SaveAcceptedSettings(char windowed = 0) {
    ResolutionSetDefaultResolution();
    resolution.show_text_viewer = 0;
    resolution.windowed = windowed;
    resolution.fullscreen_width = 1920;
    resolution.fullscreen_height = 1080;
    resolution.fullscreen_frequency = 75;
    resolution.window_width = 800;
    resolution.window_height = 600;
    ResolutionSaveSettings();
    ASSERT_TRUE(qwtest::FileExists(m_path));
  }
  _Resolution Saved() const {
    std::string bytes = qwtest::ReadWholeFile(m_path);
    _Resolution r;
    EXPECT_EQ(bytes.size(), size_t(RESOLUTION_FILE_SIZE));
    if (bytes.size() == RESOLUTION_FILE_SIZE)
      ResolutionReadRecordFromBytes(reinterpret_cast<const unsigned char *>(bytes.data()), &r);
    return r;
  }
  static bool LogHas(const std::string &text) {
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++)
      if (std::string(DebugGetMessage(i)->text).find(text) != std::string::npos) return true;
    return false;
  }

  qwtest::TempDir m_data;
  qwtest::ScopedEnvVar m_xdg{"XDG_DATA_HOME", m_data.Path().c_str()};
  qwtest::GuiResources m_resources;
  std::string m_path;
};

TEST_F(ResolutionDialogTest, DecliningTheLicenceEndsWithoutTheDialogAndKeepsItsFlag) {
  std::string shown_text;
  GuiDriver driver([&](EngGuiWindowRef window, const std::string &name) {
    ASSERT_EQ(name, "License");
    char text[4096];
    EngGuiGetStaticTextString_MAC(Find(window, "LITX-30"), text, sizeof(text));
    shown_text = text;
    EngGuiTestClick_MAC(Find(window, "LANG_LIC_DECLINE"));
  });
  EXPECT_EQ(ResolutionDoDialog(), -1);
  EXPECT_EQ(driver.Names(), std::vector<std::string>{"License"});
  EXPECT_NE(shown_text.find("WHAT GOES ONLINE"), std::string::npos);
  EXPECT_EQ(resolution.show_text_viewer, 1);
  EXPECT_FALSE(qwtest::FileExists(m_path));
}

// A quit asked for while the licence waits (SDL turns SIGTERM into a quit event) closes it as
// its close box would: start-up ends and the program never hangs in a dialog.
TEST_F(ResolutionDialogTest, AQuitWhileTheLicenceWaitsClosesIt) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
  GuiDriver driver([&](EngGuiWindowRef, const std::string &) {
    SDL_Event quit;
    memset(&quit, 0, sizeof(quit));
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    EXPECT_EQ(EngMiscQuitRequested_MAC(), 1);
  });
  EXPECT_EQ(ResolutionDoDialog(), -1);
  EXPECT_EQ(driver.Names(), std::vector<std::string>{"License"});
  EXPECT_EQ(resolution.show_text_viewer, 1);
  EXPECT_FALSE(qwtest::FileExists(m_path));
  SDL_FlushEvent(SDL_QUIT);
  EXPECT_EQ(EngMiscQuitRequested_MAC(), 0);
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

TEST_F(ResolutionDialogTest, AcceptingClearsTheFlagAndTheCloseBoxThenChangesNothing) {
  _EngCreateWindowParms before = *MainGetCreateWindowParms();
  GuiDriver driver([&](EngGuiWindowRef window, const std::string &name) {
    if (name == "License") {
      EngGuiTestClick_MAC(Find(window, "LANG_LIC_ACCEPT"));
    } else {
      EngGuiTestChoose_MAC(Find(window, "MODE-12"), 1);
      EngGuiTestPressCloseBox_MAC(window);
    }
  });
  EXPECT_EQ(ResolutionDoDialog(), -1);
  EXPECT_EQ(driver.Names(), (std::vector<std::string>{"License", "Startup"}));
  EXPECT_EQ(resolution.show_text_viewer, 0);
  EXPECT_FALSE(qwtest::FileExists(m_path));
  EXPECT_EQ(MainGetCreateWindowParms()->windowed, before.windowed);
  EXPECT_EQ(MainGetCreateWindowParms()->width, before.width);
}

TEST_F(ResolutionDialogTest, QuitEndsWithMinusOneAndSavesNothing) {
  SaveAcceptedSettings();
  std::string before = qwtest::ReadWholeFile(m_path);
  GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
    EngGuiTestChoose_MAC(Find(window, "ANTI-15"), 3);
    EngGuiTestClick_MAC(Find(window, "LANG_RES_QUIT"));
  });
  EXPECT_EQ(ResolutionDoDialog(), -1);
  EXPECT_EQ(qwtest::ReadWholeFile(m_path), before);
}

TEST_F(ResolutionDialogTest, TheDialogShowsTheRecordAndWindowedModeTakesItsOwnAntiAliasing) {
  SaveAcceptedSettings();
  GuiDriver driver([&](EngGuiWindowRef window, const std::string &name) {
    ASSERT_EQ(name, "Startup");
    EngGuiControlRef res = Find(window, "RES-13"), freq = Find(window, "FREQ-14"), anti = Find(window, "ANTI-15");
    char version[16];
    EngGuiGetStaticTextString_MAC(Find(window, "VERS-11"), version, sizeof(version));
    EXPECT_STREQ(version, "V 2.01");
    EXPECT_EQ(EngGuiGetMenuCount_MAC(res), 3);
    EXPECT_EQ(SelectedText(res), "1920 x 1080 x 32");
    EXPECT_EQ(SelectedText(freq), "75 Hz");
    EXPECT_EQ(EngGuiGetMenuCount_MAC(freq), 2);
    EXPECT_EQ(EngGuiGetMenuCount_MAC(anti), 4);
    EXPECT_EQ(ItemText(anti, 2), "Med [4x4]");
    EXPECT_EQ(SelectedText(Find(window, "MUSI-50")), "On");
    EXPECT_EQ(EngGuiGetControlValue_MAC(Find(window, "MODE-12")), 1);
    EXPECT_TRUE(EngGuiIsControlEnabled_MAC(res));
    EXPECT_TRUE(EngGuiIsControlEnabled_MAC(freq));

    EngGuiTestChoose_MAC(Find(window, "MODE-12"), 1);
    EXPECT_EQ(resolution.windowed, 1);
    EXPECT_FALSE(EngGuiIsControlEnabled_MAC(res));
    EXPECT_FALSE(EngGuiIsControlEnabled_MAC(freq));
    EngGuiTestChoose_MAC(anti, 2);
    EXPECT_EQ(resolution.window_aa, 4);
    EXPECT_EQ(resolution.fullscreen_aa, 0);

    EngGuiTestChoose_MAC(Find(window, "MODE-12"), 0);
    EXPECT_TRUE(EngGuiIsControlEnabled_MAC(res));
    EXPECT_EQ(SelectedText(anti), "Off");
    EngGuiTestChoose_MAC(anti, 3);
    EXPECT_EQ(resolution.fullscreen_aa, 8);
    EXPECT_EQ(resolution.window_aa, 4);
    EngGuiTestChoose_MAC(Find(window, "MUSI-50"), 0);
    EXPECT_EQ(resolution.music_on, 0);
    EngGuiTestClick_MAC(Find(window, "STAR-14"));
  });
  EXPECT_EQ(ResolutionDoDialog(), 1);
  _Resolution saved = Saved();
  EXPECT_EQ(saved.windowed, 0);
  EXPECT_EQ(saved.window_aa, 4);
  EXPECT_EQ(saved.fullscreen_aa, 8);
  EXPECT_EQ(saved.music_on, 0);
  EXPECT_EQ(eng_main_window_windowed, 0);
  EXPECT_EQ(eng_main_window_aa, 8);
  EXPECT_EQ(MainGetCreateWindowParms()->anti_aliasing, 8);
}

TEST_F(ResolutionDialogTest, AModeWithOneRefreshRateDisablesTheRefreshList) {
  SaveAcceptedSettings();
  GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
    EngGuiControlRef res = Find(window, "RES-13"), freq = Find(window, "FREQ-14");
    int single = ItemIndex(res, "1280 x 1024 x 32");
    ASSERT_GE(single, 0);
    EngGuiTestChoose_MAC(res, single);
    EXPECT_EQ(EngGuiGetMenuCount_MAC(freq), 1);
    EXPECT_FALSE(EngGuiIsControlEnabled_MAC(freq));
    EXPECT_EQ(resolution.fullscreen_width, 1280);
    EXPECT_EQ(resolution.fullscreen_frequency, 60);

    EngGuiTestChoose_MAC(res, ItemIndex(res, "1024 x 768 x 32"));
    EXPECT_TRUE(EngGuiIsControlEnabled_MAC(freq));
    EngGuiTestChoose_MAC(freq, ItemIndex(freq, "85 Hz"));
    EXPECT_EQ(resolution.fullscreen_frequency, 85);
    EngGuiTestClick_MAC(Find(window, "STAR-14"));
  });
  EXPECT_EQ(ResolutionDoDialog(), 1);
  _Resolution saved = Saved();
  EXPECT_EQ(saved.fullscreen_width, 1024);
  EXPECT_EQ(saved.fullscreen_height, 768);
  EXPECT_EQ(saved.fullscreen_frequency, 85);
  EXPECT_EQ(eng_main_window_width, 1024);
  EXPECT_EQ(eng_main_window_frequency, 85);
}

TEST_F(ResolutionDialogTest, LinksHelpAndNewVersionButtons) {
  SaveAcceptedSettings();
  VariousSetBrowserOpenerForTests("true");
  GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
    EXPECT_TRUE(EngGuiIsControlVisible_MAC(Find(window, "LANG_RES_HOME_PAGE")));
    // The game gives no address for the forum: its button is not offered.
    EXPECT_FALSE(EngGuiIsControlVisible_MAC(Find(window, "LANG_RES_FORUM")));
    EngGuiTestClick_MAC(Find(window, "LANG_RES_HOME_PAGE"));
    EngGuiTestClick_MAC(Find(window, "NEWV-34"));
    EngGuiTestClick_MAC(Find(window, "LANG_RES_AA_HELP"));
    EngGuiTestClick_MAC(Find(window, "LANG_RES_MUSIC_HELP"));
    EngGuiTestClick_MAC(Find(window, "STAR-14"));
  });
  EXPECT_EQ(ResolutionDoDialog(), 1);
  EXPECT_EQ(VariousWaitForBrowserOpenerForTests(), 0);
  EXPECT_STREQ(various_online_str, "https://tallowmere.example.com/quarrelwick");
  EXPECT_EQ(updater_calls, 1);
  EXPECT_EQ(popups, (std::vector<std::string>{"Anti-Aliasing", "Music"}));
}

TEST_F(ResolutionDialogTest, NonInteractiveWithoutDriverShowsNothingAndStartsWithTheLoadedSettings) {
  SaveAcceptedSettings(1);
  _Resolution loaded = Saved();
  EXPECT_EQ(ResolutionDoDialog(), 1);
  EXPECT_EQ(EngGuiTestGetNumWindowsShown_MAC(), 0);
  _Resolution saved = Saved();
  EXPECT_EQ(memcmp(&saved, &loaded, sizeof(saved)), 0);
  EXPECT_EQ(eng_main_window_windowed, 1);
  EXPECT_EQ(eng_main_window_width, 800);
}

TEST_F(ResolutionDialogTest, NonInteractiveFirstStartAcceptsTheText) {
  EXPECT_EQ(ResolutionDoDialog(), 1);
  EXPECT_EQ(EngGuiTestGetNumWindowsShown_MAC(), 0);
  EXPECT_EQ(Saved().show_text_viewer, 0);
}

TEST_F(ResolutionDialogTest, AMissingTitlePictureLeavesItEmpty) {
  SaveAcceptedSettings();
  int width = -1, height = -1;
  GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
    EngGuiGetPictureSize_MAC(Find(window, "TPIC-10"), &width, &height);
    EngGuiTestClick_MAC(Find(window, "STAR-14"));
  });
  EXPECT_EQ(ResolutionDoDialog(), 1);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  EXPECT_TRUE(LogHas("File does not exist: [ResTitle.jpg]"));
}

TEST_F(ResolutionDialogTest, TheTitlePictureIsShownAsItIs) {
  SaveAcceptedSettings();
  std::vector<unsigned char> rgb(48 * 12 * 3, 200);
  ASSERT_EQ(EngJpegWriteFileFromBuffer(m_resources.File("ResTitle.jpg").c_str(), 90, 72, 48, 12, rgb.data()), 1);
  int width = -1, height = -1;
  GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
    EngGuiGetPictureSize_MAC(Find(window, "TPIC-10"), &width, &height);
  });
  EXPECT_EQ(ResolutionDoDialog(), -1);
  EXPECT_EQ(width, 48);
  EXPECT_EQ(height, 12);
}

TEST_F(ResolutionDialogTest, ALongLicenceIsCutAt64KiBAndAMissingOneIsSkipped) {
  // One line wider than any screen, then more lines than fit in a window's height.
  std::string text = std::string(30000, 'x');
  for (int i = 0; i < 20000; i++) text += "y\n";
  qwtest::WriteWholeFile(m_resources.File("License.txt"), text);
  size_t shown = 0;
  {
    GuiDriver driver([&](EngGuiWindowRef window, const std::string &name) {
      if (name != "License") return;
      std::vector<char> text(80000);
      EngGuiGetStaticTextString_MAC(Find(window, "LITX-30"), text.data(), int(text.size()));
      shown = strlen(text.data());
      EngGuiTestClick_MAC(Find(window, "LANG_LIC_ACCEPT"));
    });
    EXPECT_EQ(ResolutionDoDialog(), -1);
  }
  EXPECT_EQ(shown, size_t(64 * 1024));

  ResolutionSetDefaultResolution();
  ResolutionSaveSettings();  // the text is to be shown again
  unlink(m_resources.File("License.txt").c_str());
  GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
    EngGuiTestClick_MAC(Find(window, "STAR-14"));
  });
  EXPECT_EQ(ResolutionDoDialog(), 1);
  EXPECT_EQ(driver.Names(), std::vector<std::string>{"Startup"});
  EXPECT_EQ(resolution.show_text_viewer, 1);
}

// The sound option on, over a file of the test's own: the sound popup in a fixed box of 360 x 80,
// the 'CTXQ' popup (music, as there is no 'MUSI') in another box, and, by case, a 'TTXQ' popup.
TEST_F(ResolutionDialogTest, SoundAndMusicPopupsShareTheSoundBoxWhenShown) {
  SaveAcceptedSettings();
  std::string ui = qwtest::ReadWholeFile(m_resources.File("Resolution.ui"));
  const size_t musi = ui.find("<object class=\"GtkComboBoxText\" id=\"MUSI-50\">");
  ASSERT_NE(musi, std::string::npos);
  ui.replace(musi, strlen("<object class=\"GtkComboBoxText\" id=\"MUSI-50\">"),
             "<object class=\"GtkComboBoxText\" id=\"NOTMUSI-50\">");
  auto popup = [](const char *id, const char *command, int x, int y, int width, int height) {
    char text[512];
    snprintf(text, sizeof(text),
             "<child><object class=\"GtkComboBoxText\" id=\"%s\"><property name=\"visible\">True</property>"
             "<property name=\"name\">%s</property><property name=\"width-request\">%d</property>"
             "<property name=\"height-request\">%d</property></object>"
             "<packing><property name=\"x\">%d</property><property name=\"y\">%d</property></packing></child>",
             id, command, width, height, x, y);
    return std::string(text);
  };
  auto box = [](const std::string &children) {
    return "<child><object class=\"GtkFixed\"><property name=\"visible\">True</property>"
           "<property name=\"width-request\">360</property><property name=\"height-request\">80</property>" +
           children + "</object></child>";
  };
  struct Case {
    const char *what;
    bool ttxq;
    int sound[4], music[4];  // left, top, right, bottom in their boxes
    bool music_in_sound_box;
  };
  const Case cases[] = {
      // Without one nothing moves but the music popup, which takes the sound popup's edges.
      {"without a TTXQ control", false, {200, 3, 290, 33}, {200, 40, 290, 66}, false},
      // Both in the sound's box, centred on its height (80 / 2 -+ 30 / 2), 15 in from its sides.
      {"with a TTXQ control", true, {15, 25, 135, 55}, {225, 25, 345, 55}, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    std::string own = ui;
    const std::string boxes = box(popup("SOUN-40", "SOUN", 200, 3, 90, 30) +
                                  (c.ttxq ? popup("TTXQ-42", "TTXQ", 200, 40, 90, 26) : std::string())) +
                              box(popup("CTXQ-41", "CTXQ", 10, 40, 150, 26));
    const size_t links = own.find("<child>\n          <object class=\"GtkBox\">\n            <property name=\"visible\">"
                                  "True</property>\n            <property name=\"spacing\">6</property>");
    ASSERT_NE(links, std::string::npos);
    own.insert(links, boxes);
    qwtest::WriteWholeFile(m_resources.File("Resolution.ui"), own);
    ResolutionResetForTests();
    ResolutionSetupModule(kProgram, 2.01f, 1.5f, Links, 0, 1, 1, 0, 0, "Resolution", "License", "License.txt",
                          "Startup", "ResTitle.jpg");
    DebugResetForTests();
    int shown = 0;
    GuiDriver driver([&](EngGuiWindowRef window, const std::string &) {
      shown++;
      EngGuiControlRef sound = Find(window, "SOUN-40"), music = Find(window, "CTXQ-41");
      int got[4];
      EXPECT_EQ(EngGuiGetControlBounds_MAC(sound, &got[0], &got[1], &got[2], &got[3]), 1);
      EXPECT_EQ(std::vector<int>(got, got + 4), std::vector<int>(c.sound, c.sound + 4));
      EXPECT_EQ(EngGuiGetControlBounds_MAC(music, &got[0], &got[1], &got[2], &got[3]), 1);
      EXPECT_EQ(std::vector<int>(got, got + 4), std::vector<int>(c.music, c.music + 4));
      EXPECT_EQ(EngGuiGetSuperControl_MAC(music) == EngGuiGetSuperControl_MAC(sound), c.music_in_sound_box);
      if (c.ttxq) {
        EXPECT_FALSE(EngGuiIsControlVisible_MAC(Find(window, "TTXQ-42")));
      }
      EXPECT_TRUE(EngGuiIsControlVisible_MAC(music));
      // Both still work where they now stand.
      EngGuiTestChoose_MAC(sound, 0);
      EngGuiTestChoose_MAC(music, 0);
      EXPECT_EQ(resolution.sound_on, 0);
      EXPECT_EQ(resolution.music_on, 0);
      EngGuiTestClick_MAC(Find(window, "STAR-14"));
    });
    EXPECT_EQ(ResolutionDoDialog(), 1);
    EXPECT_EQ(shown, 1);
  }
}

TEST_F(ResolutionDialogTest, ADialogThatCannotBeBuiltGivesZeroAndKeepsTheSettings) {
  SaveAcceptedSettings();
  std::string ui = qwtest::ReadWholeFile(m_resources.File("Resolution.ui"));
  struct Case {
    const char *what;
    std::string ui;
    const char *logged;
  };
  std::string no_stgm = ui;
  no_stgm.replace(no_stgm.find("id=\"STGM-28\""), 12, "id=\"STGM-29\"");
  const Case cases[] = {
      {"malformed", "<interface><object class=\"GtkWindow\" id=\"Startup\"><child>", "CreateNibReference() failed"},
      {"missing control", no_stgm, "Could not get control [id = 28]"},
      {"no file", "", "CreateNibReference() failed"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    DebugResetForTests();
    if (c.ui.empty())
      unlink(m_resources.File("Resolution.ui").c_str());
    else
      qwtest::WriteWholeFile(m_resources.File("Resolution.ui"), c.ui);
    std::string before = qwtest::ReadWholeFile(m_path);
    GuiDriver driver([&](EngGuiWindowRef, const std::string &) { ADD_FAILURE() << "no window should show"; });
    EXPECT_EQ(ResolutionDoDialog(), 0);
    EXPECT_TRUE(LogHas(c.logged));
    EXPECT_EQ(qwtest::ReadWholeFile(m_path), before);
  }
}

}  // namespace
