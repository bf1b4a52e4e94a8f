// The real program for screen tests: started in-process under Xvfb in a design-size window
// with a temporary HOME, driven by SDL mouse and key events as the X server delivers them,
// and read back from the frame buffer (saved as PPM files when QW_SCREENSHOT_DIR names a
// folder, for a person to look at).
#pragma once

#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/EngVarious.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinWindow.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Main.h"
#include "game/Program.h"
#include "players/UserClass.h"
#include "players/UserScreens.h"
#include "screens/MainCC.h"
#include "screens/MainControl.h"
#include "screens/VQ_Screens.h"
#include "tests/support/TestSupport.h"

namespace qwtest {

// The temporary home and the input and read-back helpers, for tests that start the program
// themselves.
class ProgramInputTest : public ::testing::Test {
 protected:
  // Notes the working folder, to go back to, and the build's resources.
  void NoteFolders();
  // A start of the program as the executable makes it, with a window of m_window_width by
  // m_window_height (640 by 480 unless a test says otherwise: window pixels are design units),
  // and its stop; a test starts and stops it again as often as it likes.
  void StartProgram();
  void StopProgram();
  // Settings a test makes after the resets and before the program starts, and its own resets
  // after it stopped.
  virtual void BeforeProgramStart() {}
  virtual void AfterProgramStop() {}

  // Ticks of the program's loop, fewer once it is exiting: each waits for its frame's real
  // deadline, or, once the test holds the clock, moves the clock on a sixtieth of a second and
  // reads the events, ticks and draws at once.
  void Frames(int n);
  // Ticks of the program's loop, 10 ms of real time apart at least, until the condition holds
  // (true) or the real seconds pass (false): a bound only on a hang, held clock or not. The pause
  // keeps a held clock from running far ahead of the program's worker threads.
  bool FramesUntil(const std::function<bool()> &condition, double seconds = kHangSeconds);
  MWin *Root();
  VQ_Screens *Screens();
  MainCC *Menu();
  SDL_Window *Native();
  void Push(SDL_Event e);
  // A window event as the window manager brings it (minimised, restored, focus lost or gained).
  void PushWindowEvent(SDL_WindowEventID event);
  // A pointer move and a left press and release at a point, in window pixels, without moving
  // the real pointer; and each of those alone (buttons: the SDL button mask held while moving).
  void PushClick(int x, int y);
  void PushMotion(int x, int y, Uint32 buttons = 0);
  void PushButton(int x, int y, bool pressed, Uint8 button = SDL_BUTTON_LEFT);
  // The same with the real pointer moved there first.
  void ClickAtPixel(int x, int y);
  // A left click in the middle of a widget, where it is drawn.
  void Click(MWinButton *button) { ClickAt(button, 0.5f); }
  // A left click at a fraction of a widget's width (a choice's entry, a slider's track), halfway
  // down.
  void ClickAt(MWinButton *button, float across);
  void Key(SDL_Keycode key, Uint16 mod = 0);
  // Yes on the toolkit's question popup.
  void AnswerYes();
  // A browser stand-in that writes the address it was handed to a file; answers that file.
  std::string InstallBrowserOpener();
  std::string DataFile(const std::string &name);
  // A frame drawn now as RGB rows, top row first, in window pixels (design units in the
  // default 640 by 480 window); saved as shot_name.ppm when QW_SCREENSHOT_DIR names a folder.
  std::vector<unsigned char> Frame(const char *shot_name = nullptr);
  // RGB rows, top row first, of the main window's size as a binary PPM file.
  static void SavePpm(const std::string &path, const std::vector<unsigned char> &rgb);
  // The engine's clock, held by the test from now until the program stops, moved on a sixtieth
  // of a second by each frame (Frames and what pushes events) and each RestingFrame: one frame
  // of the main loop without its events, in which the game ticks and draws, shown after `look`
  // has seen it. What waits on the engine's clock inside a frame (a notice shown for a time)
  // waits for ever while it is held; screen fades are skipped.
  void HoldClock();
  void RestingFrame(const std::function<void()> &look = nullptr);
  // RGB rows, bottom row first, of a rectangle of the frame drawn (pixels from the top left).
  static std::vector<unsigned char> Pixels(int x, int y, int w, int h);
  // How many pixels of a rectangle differ clearly between two frames.
  static int PixelsDiffering(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b, int x, int y,
                             int w, int h);

  TempDir m_home;
  ScopedEnvVar m_home_var{"HOME", m_home.Path().c_str()};
  ScopedEnvVar m_xdg_data{"XDG_DATA_HOME", (m_home.Path() + "/.local/share").c_str()};
  ScopedEnvVar m_xdg_config{"XDG_CONFIG_HOME", (m_home.Path() + "/.config").c_str()};
  qwtest::WorkingFolder m_cwd;
  std::string m_build, m_resources;
  int m_window_width = 640, m_window_height = 480;
};

// The program started with a player and showing the main menu.
class ScreensProgramTest : public ProgramInputTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The player made (or, after a restart in the same home, loaded again) on the first screen.
  const char *m_player = "Player";
};

}  // namespace qwtest
