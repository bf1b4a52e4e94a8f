// The window's event pump over SDL2 and the translation of SDL events into the program's
// input events, with the whole key table in one place.
#include "Engine/EngWindow.h"

#include <SDL.h>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"
#include "Engine/MAC/EngText_MAC.h"
#include "Engine/MAC/EngWindowPlatform_MAC.h"

// The key table. The Ctrl key plays the Mac Command key's part (Ctrl+F toggles full screen,
// Ctrl+Q quits, Ctrl+C and Ctrl+V copy and paste in the toolkit), so it drives state 231.
//
//   modifier states  Shift -> 228, GUI (Super) -> 229 (control), Alt -> 230 (option), Ctrl -> 231
//   Backspace -> 127 (delete backwards)      Delete -> 8 (delete forwards)
//   Return, keypad Enter -> 13   Tab -> 9   Escape -> 27
//   F1..F12 -> 232..243
//   Left 244, Right 245, Up 246, Down 247, Page Up 248, Page Down 249, Home 250, End 251
//   Insert (where the Mac keyboard has Help) -> 252
//   keypad digits and operators -> their characters
//   printable keys (space to '~') -> their character; a letter is upper case while Shift is held
//   anything else (modifier keys alone, media keys) -> no key event
//   Ctrl+C, Ctrl+V (Ctrl alone) -> also the character 'c' or 'v', as Command+C and Command+V
//     typed on the Mac: SDL sends no text input while Ctrl is held, and the text fields copy
//     and paste on that character
// Typed characters do not come from this table but from SDL's text input (UTF-8 turned into
// ISO 8859-1), so they follow the keyboard layout.
static const struct {
  SDL_Keycode sdl;
  EngUInt8 engine;
} key_table[] = {
    {SDLK_BACKSPACE, 127}, {SDLK_DELETE, 8},        {SDLK_RETURN, 13},    {SDLK_KP_ENTER, 13}, {SDLK_RETURN2, 13},
    {SDLK_TAB, 9},         {SDLK_ESCAPE, 27},       {SDLK_F1, 232},       {SDLK_F2, 233},      {SDLK_F3, 234},
    {SDLK_F4, 235},        {SDLK_F5, 236},          {SDLK_F6, 237},       {SDLK_F7, 238},      {SDLK_F8, 239},
    {SDLK_F9, 240},        {SDLK_F10, 241},         {SDLK_F11, 242},      {SDLK_F12, 243},     {SDLK_LEFT, 244},
    {SDLK_RIGHT, 245},     {SDLK_UP, 246},          {SDLK_DOWN, 247},     {SDLK_PAGEUP, 248},  {SDLK_PAGEDOWN, 249},
    {SDLK_HOME, 250},      {SDLK_END, 251},         {SDLK_INSERT, 252},   {SDLK_HELP, 252},    {SDLK_KP_0, '0'},
    {SDLK_KP_1, '1'},      {SDLK_KP_2, '2'},        {SDLK_KP_3, '3'},     {SDLK_KP_4, '4'},    {SDLK_KP_5, '5'},
    {SDLK_KP_6, '6'},      {SDLK_KP_7, '7'},        {SDLK_KP_8, '8'},     {SDLK_KP_9, '9'},    {SDLK_KP_PERIOD, '.'},
    {SDLK_KP_DIVIDE, '/'}, {SDLK_KP_MULTIPLY, '*'}, {SDLK_KP_MINUS, '-'}, {SDLK_KP_PLUS, '+'}, {SDLK_KP_EQUALS, '='},
};

static const SDL_Keycode command_chars[] = {SDLK_c, SDLK_v};

unsigned char EngWindowCommandChar_MAC(int keycode, unsigned int mods) {
  if (!(mods & KMOD_CTRL) || (mods & (KMOD_SHIFT | KMOD_ALT | KMOD_GUI))) return 0;
  for (SDL_Keycode k : command_chars)
    if (k == keycode) return EngUInt8(keycode);
  return 0;
}

void EngWindowKeyModifiersChanged_MAC(unsigned int mods) {
  eng_key_down[231] = (mods & KMOD_CTRL) ? 2 : 0;
  eng_key_down[229] = (mods & KMOD_GUI) ? 2 : 0;
  eng_key_down[228] = (mods & KMOD_SHIFT) ? 2 : 0;
  eng_key_down[230] = (mods & KMOD_ALT) ? 2 : 0;
}

unsigned char EngWindowConvertKey_MAC(int keycode, unsigned int mods) {
  EngWindowKeyModifiersChanged_MAC(mods);
  for (const auto &entry : key_table)
    if (entry.sdl == keycode) return entry.engine;
  if (keycode >= 'a' && keycode <= 'z') return EngUInt8((mods & KMOD_SHIFT) ? keycode - 32 : keycode);
  if (keycode >= 32 && keycode < 127) return EngUInt8(keycode);
  return 0;
}

static void InputArrived(char mouse) {
  if (eng_main_program) eng_main_program->EventDrivenLoopDoTimerActionNow(mouse);
}

static signed char Deliver(EngProgram *program, _EngDesktopInputType type, EngInputParm1 p1, EngInputParm2 p2) {
  return program ? program->InputCB(type, p1, p2) : 0;
}

static EngUInt8 KeyIndex(EngUInt8 code) { return (code >= 'a' && code <= 'z') ? EngUInt8(code - 32) : code; }

void EngWindow::MsgsKeyDown(EngUInt8 code) {
  EngUInt8 k = KeyIndex(code);
  eng_key_down[k] = 2;
  Deliver(m_program, ENG_INPUT_KEY_DOWN, k, 0);
  // Delete backwards keeps its character event; printable characters arrive as text input,
  // and function and cursor keys have none.
  if (code == 127) Deliver(m_program, ENG_INPUT_CHARACTER, code, 0);
  InputArrived(0);
}

void EngWindow::MsgsKeyUp(EngUInt8 code) {
  EngUInt8 k = KeyIndex(code);
  eng_key_down[k] = 0;
  signed char consumed = Deliver(m_program, ENG_INPUT_KEY_UP, k, 0);
  InputArrived(0);
  if (!consumed && code == 'f' && eng_key_down[231] >= 2) ToggleFullscreenMode();
}

void EngWindow::MsgsCharTyped(EngUInt8 code) {
  if (code < 32 || code == 127) return;
  Deliver(m_program, ENG_INPUT_CHARACTER, code, 0);
  InputArrived(0);
}

void EngWindow::MsgsMouseMove(float x, float y) {
  m_last_mouse_x = int(x);
  m_last_mouse_y = int(y);
  EngInputParm1 p1 = EngInputParmFromFloat(x);
  EngInputParm2 p2 = EngInputParmFromFloat(y);
  Deliver(m_program, ENG_INPUT_MOUSE_MOVE, p1, p2);
  InputArrived(1);
}

void EngWindow::MsgsMouseButtonPress(int button, char pressed, int clicks) {
  if (!m_program) return;
  if (button >= 0 && button <= 2) eng_key_down[253 + button] = pressed ? 2 : 0;
  if (m_report_double_clicks) {
    if (pressed) {
      Deliver(m_program, clicks > 1 ? ENG_INPUT_DOUBLE_CLICK : ENG_INPUT_MOUSE_BUTTON, button, 1);
    } else if (clicks <= 1) {
      Deliver(m_program, ENG_INPUT_MOUSE_BUTTON, button, 0);
    }
  } else {
    Deliver(m_program, ENG_INPUT_MOUSE_BUTTON, button, pressed ? 1 : 0);
  }
  InputArrived(0);
}

void EngWindow::MsgsMouseWheelInput(int delta) {
  Deliver(m_program, ENG_INPUT_WHEEL, delta, 0);
  InputArrived(0);
}

void EngWindow::EventsHandler_MAC(const void *native_event) {
  const SDL_Event &e = *static_cast<const SDL_Event *>(native_event);
  // Events of a window we already destroyed (a mode change) are stale.
  auto ours = [&](Uint32 id) { return id == m_native_window_id && m_native_window; };
  bool input_open = !(eng_main_window_windowed && (!m_native_window || !m_window_shown));
  switch (e.type) {
    case SDL_MOUSEMOTION:
      if (input_open && ours(e.motion.windowID) && !m_warps.IsStaleEcho(e.motion.x, e.motion.y))
        MsgsMouseMove(float(e.motion.x), float(e.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (!input_open || !ours(e.button.windowID)) break;
      int button = e.button.button == SDL_BUTTON_LEFT     ? 0
                   : e.button.button == SDL_BUTTON_RIGHT  ? 1
                   : e.button.button == SDL_BUTTON_MIDDLE ? 2
                                                          : -1;
      if (button >= 0) MsgsMouseButtonPress(button, e.type == SDL_MOUSEBUTTONDOWN, e.button.clicks);
      break;
    }
    case SDL_MOUSEWHEEL: {
      if (!input_open || !ours(e.wheel.windowID) || e.wheel.y == 0) break;
      int delta = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      if (eng_main_current_time - m_last_wheel_time <= 0.001 && delta == m_last_wheel_delta) break;
      m_last_wheel_delta = delta;
      m_last_wheel_time = eng_main_current_time;
      MsgsMouseWheelInput(delta);
      break;
    }
    case SDL_KEYDOWN: {
      if (!input_open || !ours(e.key.windowID)) break;
      EngUInt8 code = EngWindowConvertKey_MAC(e.key.keysym.sym, e.key.keysym.mod);
      if (code) MsgsKeyDown(code);
      if (EngUInt8 typed = EngWindowCommandChar_MAC(e.key.keysym.sym, e.key.keysym.mod)) MsgsCharTyped(typed);
      if (code == 'q' && eng_key_down[231] >= 2 && !e.key.repeat) EventsStopLoop_MAC();
      break;
    }
    case SDL_KEYUP: {
      if (!input_open || !ours(e.key.windowID)) break;
      EngUInt8 code = EngWindowConvertKey_MAC(e.key.keysym.sym, e.key.keysym.mod);
      if (code) MsgsKeyUp(code);
      break;
    }
    case SDL_TEXTINPUT: {
      if (!input_open || !ours(e.text.windowID)) break;
      for (char c : EngUtf8ToLatin1_MAC(e.text.text)) MsgsCharTyped(EngUInt8(c));
      break;
    }
    case SDL_WINDOWEVENT:
      if (!ours(e.window.windowID)) break;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: GotActiveMsg(1); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: GotActiveMsg(0); break;
        case SDL_WINDOWEVENT_MINIMIZED: GotMinimizedMsg(1); break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
          if (m_minimised) GotMinimizedMsg(0);
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
          int width = e.window.data1, height = e.window.data2;
          HoldSizeWithinDisplay_MAC(&width, &height);
          MsgsWindowSizeChanged(width, height);
          break;
        }
        case SDL_WINDOWEVENT_MOVED: UpdateWindowCorner_MAC(); break;
        case SDL_WINDOWEVENT_CLOSE: EventsStopLoop_MAC(); break;
        default: break;
      }
      break;
    case SDL_QUIT: EventsStopLoop_MAC(); break;
    default: break;
  }
}

// Takes every pending event without waiting.
char EngWindow::EventsRunLoop_MAC() {
  if (m_headless || !SDL_WasInit(SDL_INIT_VIDEO)) return 0;
  WarpPointerIfAsked_MAC();
  SDL_Event e;
  while (SDL_PollEvent(&e)) EventsHandler_MAC(&e);
  PlaceForKnownFrame_MAC();
  WarpPointerIfAsked_MAC();
  return 0;
}

char EngWindow::ProcessMessages_MAC() {
  if (m_stop) return -1;
  if (m_headless || !SDL_WasInit(SDL_INIT_VIDEO)) return 1;
  WarpPointerIfAsked_MAC();
  SDL_Event e;
  if (SDL_WaitEventTimeout(&e, 1000 / 60)) {
    EventsHandler_MAC(&e);
    while (SDL_PollEvent(&e)) EventsHandler_MAC(&e);
  }
  WarpPointerIfAsked_MAC();
  return 1;
}

char EngWindow::WaitForEvents_MAC(double seconds) {
  if (m_headless || !SDL_WasInit(SDL_INIT_VIDEO)) return 0;
  const int ms = seconds > 1.0 ? 1000 : int(seconds * 1000.0);
  SDL_WaitEventTimeout(nullptr, ms < 1 ? 1 : ms);
  return 1;
}

void EngWindow::PumpEvents_MAC() {
  if (m_headless || !SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_PumpEvents();
}
