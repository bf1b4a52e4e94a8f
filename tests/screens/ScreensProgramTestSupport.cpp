#include "tests/screens/ScreensProgramTestSupport.h"

#include <algorithm>

namespace qwtest {

static double held_clock = 0;
static bool clock_held = false;

// A frame of the constant-frame-rate loop at the held clock, with no deadline to wait for.
static void HeldFrame() {
  held_clock += 1.0 / 60.0;
  EngMainUpdateCurrentTime();
  eng_main_frames_per_second = 1.0f / 60.0f;
  eng_main_frame_rate = 60.0f;
  main_program->GetEvents();
  if (main_program->IsExiting() || !eng_main_program) return;
  main_program->DoTick();
  if (!eng_main_program) return;
  main_program->DoRender2();
}

void ProgramInputTest::Frames(int n) {
  for (int i = 0; i < n && main_program && !main_program->IsExiting(); i++) {
    if (clock_held)
      HeldFrame();
    else
      main_program->DoConstantFrameRateTick();
  }
}

bool ProgramInputTest::FramesUntil(const std::function<bool()> &condition, double seconds) {
  return WaitUntil(
      [&] {
        if (condition()) return true;
        Frames(1);
        return false;
      },
      seconds);
}

MWin *ProgramInputTest::Root() { return main_game->GetMWin(); }

VQ_Screens *ProgramInputTest::Screens() { return main_game->GetScreens(); }

MainCC *ProgramInputTest::Menu() { return main_game->GetScreens()->GetMainCC(); }

SDL_Window *ProgramInputTest::Native() { return static_cast<SDL_Window *>(eng_main_window->GetNativeWindow_MAC()); }

void ProgramInputTest::Push(SDL_Event e) {
  SDL_PushEvent(&e);
  Frames(1);
}

void ProgramInputTest::PushWindowEvent(SDL_WindowEventID event) {
  SDL_Event e = {};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = SDL_GetWindowID(Native());
  e.window.event = Uint8(event);
  Push(e);
}

void ProgramInputTest::PushMotion(int x, int y, Uint32 buttons) {
  SDL_Event e = {};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = SDL_GetWindowID(Native());
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = buttons;
  Push(e);
}

void ProgramInputTest::PushButton(int x, int y, bool pressed, Uint8 button) {
  SDL_Event e = {};
  e.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.windowID = SDL_GetWindowID(Native());
  e.button.button = button;
  e.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = 1;
  e.button.x = x;
  e.button.y = y;
  Push(e);
}

void ProgramInputTest::PushClick(int x, int y) {
  PushMotion(x, y);
  PushButton(x, y, true);
  PushButton(x, y, false);
}

void ProgramInputTest::ClickAtPixel(int x, int y) {
  // The real pointer goes there too: a window that another test maps or unmaps makes X report
  // the pointer's own position, which would otherwise take the place of this one.
  SDL_WarpMouseInWindow(Native(), x, y);
  PushClick(x, y);
}

void ProgramInputTest::ClickAt(MWinButton *button, float across) {
  ASSERT_NE(button, nullptr);
  // Where the toolkit draws it: the window's place, squeeze and scroll are in its actual area.
  const _Dimension a = *button->GetActualArea();
  float x = 0, y = 0;
  EngWindowDesignToPixel(a.x + a.width * across, a.y + a.height / 2, &x, &y);
  ClickAtPixel(int(x), int(y));
}

void ProgramInputTest::Key(SDL_Keycode key, Uint16 mod) {
  for (int down = 1; down >= 0; down--) {
    SDL_Event e = {};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = SDL_GetWindowID(Native());
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    e.key.keysym.mod = mod;
    Push(e);
  }
}

void ProgramInputTest::AnswerYes() {
  ASSERT_EQ(Root()->PopupIsOn(), 1);
  Click(Root()->PopupGetWindow()->GetButtonFromID("OK", 0));
  Frames(2);
}

std::string ProgramInputTest::InstallBrowserOpener() {
  std::string opener = m_home.File("opener.sh"), opened = m_home.File("opened.txt");
  WriteWholeFile(opener, "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened + "'\n");
  EXPECT_EQ(chmod(opener.c_str(), 0700), 0);
  VariousSetBrowserOpenerForTests(opener.c_str());
  return opened;
}

std::string ProgramInputTest::DataFile(const std::string &name) {
  return m_home.File(".local/share/Tallowmere/Quarrelwick/" + name);
}

std::vector<unsigned char> ProgramInputTest::Frame(const char *shot_name) {
  main_game->Render();
  const int w = eng_main_window_width, h = eng_main_window_height;
  std::vector<unsigned char> rgb(size_t(w) * size_t(h) * 3), flipped(rgb.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  for (int y = 0; y < h; y++)
    std::copy(rgb.begin() + size_t(h - 1 - y) * w * 3, rgb.begin() + size_t(h - y) * w * 3,
              flipped.begin() + size_t(y) * w * 3);
  const char *dir = getenv("QW_SCREENSHOT_DIR");
  if (dir && shot_name) SavePpm(std::string(dir) + "/" + shot_name + ".ppm", flipped);
  return flipped;
}

void ProgramInputTest::SavePpm(const std::string &path, const std::vector<unsigned char> &rgb) {
  FILE *f = fopen(path.c_str(), "wb");
  if (!f) return;
  fprintf(f, "P6\n%d %d\n255\n", eng_main_window_width, eng_main_window_height);
  fwrite(rgb.data(), 1, rgb.size(), f);
  fclose(f);
}

int ProgramInputTest::PixelsDiffering(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b, int x,
                                      int y, int w, int h) {
  int differ = 0;
  const int width = eng_main_window_width;
  for (int row = y; row < y + h; row++)
    for (int col = x; col < x + w; col++) {
      size_t i = (size_t(row) * width + col) * 3;
      if (abs(a[i] - b[i]) + abs(a[i + 1] - b[i + 1]) + abs(a[i + 2] - b[i + 2]) > 60) differ++;
    }
  return differ;
}

void ProgramInputTest::NoteFolders() {
  m_build = qwtest::BinaryDir();
  m_resources = m_build + "/resources";
}

void ProgramInputTest::StartProgram() {
  DebugResetForTests();
  MainResetForTests();
  ResolutionResetForTests();
  MainControlResetForTests();
  VariousResetForTests();
  BeforeProgramStart();
  main_create_window_parms = _EngCreateWindowParms();
  EngProgramSetResourcesPathForTests(m_resources.c_str());
  char arg0[] = "quarrelwick";
  char *argv[] = {arg0, nullptr};
  int exit_code = 0;
  ASSERT_EQ(MainCreateAndInitMainProgram(nullptr, 1, argv, &exit_code), 1);
  main_create_window_parms.windowed = 1;
  main_create_window_parms.width = m_window_width;
  main_create_window_parms.height = m_window_height;
  ASSERT_EQ(EngMainCreateMainWindowAndDevice(), 1);
  Frames(3);
}

void ProgramInputTest::HoldClock() {
  held_clock = eng_main_current_time;
  clock_held = true;
  EngMainSetClockForTests([] { return held_clock; });
}

void ProgramInputTest::RestingFrame(const std::function<void()> &look) {
  held_clock += 1.0 / 60.0;
  EngMainUpdateCurrentTime();
  eng_main_frames_per_second = 1.0f / 60.0f;
  main_game->Tick();
  main_game->Render();
  if (look) look();
  eng_main_device->SwapBuffers();
}

std::vector<unsigned char> ProgramInputTest::Pixels(int x, int y, int w, int h) {
  std::vector<unsigned char> rgb(size_t(w) * size_t(h) * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, eng_main_window_height - y - h, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

void ProgramInputTest::StopProgram() {
  EngMainSetClockForTests(nullptr);
  clock_held = false;
  if (main_program) MainExitAndDeleteMainProgram(1);
  VariousResetForTests();
  MainControlResetForTests();
  EngProgramSetResourcesPathForTests(nullptr);
  ResolutionResetForTests();
  main_create_window_parms = _EngCreateWindowParms();
  DebugResetForTests();
  AfterProgramStop();
}

void ScreensProgramTest::SetUp() {
  NoteFolders();
  if (HasFatalFailure()) return;
  StartProgram();
  if (HasFatalFailure()) return;
  // The game opens on the first players screen; a player made there (or, after a restart in
  // the same home, loaded again) leads to the menu.
  ASSERT_EQ(main_game->GetMWin()->GetCurrentScreen(), USERS_SCREEN_ID);
  UserClass *user = main_game->GetUser();
  if (user->DoesUserFileExist(m_player)) {
    ASSERT_EQ(user->LoadUser(m_player, 0, nullptr, nullptr), 1);
    user->AfterUserCreatedOrLoaded(0, 0);
  } else {
    ASSERT_EQ(user->CreateNewUser(m_player, "GB", 0), 1);
    user->AfterUserCreatedOrLoaded(1, 0);
  }
  Frames(2);
}

void ScreensProgramTest::TearDown() {
  StopProgram();
  ASSERT_TRUE(m_cwd.Restore());
}

}  // namespace qwtest
