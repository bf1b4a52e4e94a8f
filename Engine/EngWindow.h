// The main window: owner of the rendering device, running the ordered create, destroy and
// re-create sequences around the program's callbacks, switching modes, and keeping the
// window globals. The native half (SDL2) lives in Engine/MAC/EngWindow*_MAC.cpp.
#pragma once

#include "Engine/EngPointerWarps.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTypes.h"

class EngDevice;

struct _EngCreateWindowParms {
  EngInt32 x = -1;
  EngInt32 y = -1;
  EngInt32 width = 1024;
  EngInt32 height = 768;
  EngInt32 bit_depth = 32;
  char windowed = 1;
  EngInt32 frequency = 60;
  EngInt32 anti_aliasing = 0;
  EngInt32 multisample_type = 0;
  EngInt32 multisample_quality = 0;
  char report_double_clicks = 0;
  EngInt32 platform_value = 0;
  char window_class_name[256] = {0};
};

struct _EngWindowRestrictResizingInfo {
  EngInt32 min_width;
  EngInt32 min_height;
  float min_ratio;
  float max_ratio;
};

struct _EngWindowResChangeSettings {
  char change_requested;
  char windowed;
  EngInt32 width;
  EngInt32 height;
  EngInt32 bit_depth;
  EngInt32 x;
  EngInt32 y;
  EngInt32 frequency;
  EngInt32 anti_aliasing;
  EngInt32 multisample_type;
  EngInt32 multisample_quality;
};

typedef void (*ENG_WINDOW_RES_CHANGE_DONE_CB)(void *user_data);

// A rectangle of the desktop in screen pixels, and the window manager's frame (title bar and
// borders) around a window's client area.
struct _EngWindowArea {
  EngInt32 x, y, width, height;
};
struct _EngWindowFrame {
  EngInt32 top, left, bottom, right;
};

extern EngInt32 eng_main_window_width;
extern EngInt32 eng_main_window_height;
extern char eng_main_window_windowed;
extern EngInt32 eng_main_window_bitdepth;
extern EngInt32 eng_main_window_frequency;
extern EngInt32 eng_main_window_aa;
extern EngInt32 eng_main_window_ms_type;
extern EngInt32 eng_main_window_ms_quality;
extern float eng_main_window_x_ratio;
extern float eng_main_window_y_ratio;
extern float eng_main_window_x_ratio_inv;
extern float eng_main_window_y_ratio_inv;
extern float eng_main_window_width_over_height;
extern float eng_main_window_height_over_width;
extern char eng_main_window_portraited;
extern float eng_main_window_x_widescreen_ratio;
extern float eng_main_window_y_narrowscreen_ratio;
extern float eng_main_window_y_narrowscreen_ratio_actual;
// The design space every position is given in. The window stretches it over its whole client
// area (x ratio width / ENG_DESIGN_WIDTH, y ratio height / ENG_DESIGN_HEIGHT); the widescreen and
// narrowscreen ratios squeeze what must keep its 4:3 proportions on a window of another shape.
constexpr EngInt32 ENG_DESIGN_WIDTH = 640;
constexpr EngInt32 ENG_DESIGN_HEIGHT = 480;
// Window pixels to design units and back, through that stretch.
void EngWindowPixelToDesign(float px, float py, float *x, float *y);
void EngWindowDesignToPixel(float x, float y, float *px, float *py);
// Key and mouse-button states: 2 held, 0 up. 228 shift, 229 control, 230 option,
// 231 command (the Ctrl key here), 253..255 left, right, middle button.
extern EngUInt8 eng_key_down[256];

class EngWindow {
 public:
  EngWindow(EngProgram *program, const char *title);
  ~EngWindow();
  EngWindow(const EngWindow &) = delete;
  EngWindow &operator=(const EngWindow &) = delete;

  char Create(_EngCreateWindowParms *parms);
  void Destroy();
  char CreateGraphicsDevice();
  void DestroyGraphicsDevice();
  char DoCreateGraphicsDevice(char fresh);
  void DoDestroyGraphicsDevice(char destroy_device);
  void UpdateWindowVariables();
  void UpdateWindowVariables(char windowed, int width, int height, int bit_depth, int frequency);
  void DisableWidescreenOrNarrowscreenCalculations(char widescreen, char narrowscreen);
  int GetWindowEvents();
  int ProcessMessages();
  // Lets the platform read its events into its queue without handling them, so a loop that
  // holds the main loop keeps the window responsive.
  void PumpEvents();
  char RecreateDevice();
  void RecreateDeviceOnNextTick() { m_recreate_on_next_tick = 1; }
  char ChangeDeviceType(_EngDeviceType type);
  void ChangeDeviceResolutionOnNextTick(_EngWindowResChangeSettings *settings, ENG_WINDOW_RES_CHANGE_DONE_CB done,
                                        void *user_data);
  void SetVarsForFullscreenModeToggle(int win_width, int win_height, int win_bits, int win_freq, int win_x,
                                      int win_y, int fs_width, int fs_height, int fs_bits, int fs_freq);
  char ToggleFullscreenMode();
  void GotActiveMsg(char active);
  void GotMinimizedMsg(char minimised);
  void WindowResized(int width, int height);
  void RestrictResizing(char on, _EngWindowRestrictResizingInfo *info);
  void SetTitle(const char *title);
  const char *GetTitle() const { return m_title; }
  void SetCursorPos(int x, int y);
  void SetCursorPosRatioed(float x, float y);
  void GetCursorPos(int *x, int *y);
  void GetCursorPosRatioed(float *x, float *y);
  void GetCursorPosRatioedForOrientation(float *x, float *y);
  void TurnOnCursor();
  void TurnOffCursor();
  char GetWindowPos(int *x, int *y);
  void Show(char show);
  void Minimize(char minimise);
  char PrepareDisplayForFullscreenOrWindowed(char windowed, int width, int height, int bits, int frequency, char flag);
  void RestoreDisplayAfterFullscreenOrWindowed(char windowed);

  // State read by the program, the device and the platform half.
  char IsMinimized() const { return m_minimised; }
  char IsActive() const { return m_active; }
  char IsWindowed() const { return eng_main_window_windowed; }
  char IsChangingMode() const { return m_changing_mode; }
  char IsRecreating() const { return m_recreating; }
  // The program's graphics objects stand: made (or being made) and not destroyed since.
  char GraphicsObjectsExist() const { return m_objects_exist; }
  char NativeWindowExists() const { return m_native_window_exists; }
  char IsCursorShown() const { return m_cursor_shown; }
  char IsShown() const { return m_window_shown; }
  EngDevice *GetDevice() const { return m_device; }
  EngProgram *GetProgram() const { return m_program; }
  const _EngCreateWindowParms *GetCreateParms() const { return &m_parms; }

  // The platform half (SDL2).
  void OnCreate_MAC();
  char Create_MAC(_EngCreateWindowParms parms);
  char DoCreateWindow_MAC(_EngCreateWindowParms parms);
  void OnDestroy_MAC();
  char EventsRunLoop_MAC();
  char ProcessMessages_MAC();
  // Blocks until an event is pending (left for GetWindowEvents) or the time is up; 0 without
  // a shown window, where nothing waits.
  char WaitForEvents_MAC(double seconds);
  void PumpEvents_MAC();
  void EventsStopLoop_MAC();
  void SetCursorPos_MAC(int x, int y);
  void SetCursorPosRatioed_MAC(float x, float y);
  void GetCursorPos_MAC(int *x, int *y);
  void TurnOnCursor_MAC();
  void TurnOffCursor_MAC();
  char GetWindowPos_MAC(int *x, int *y);
  void Show_MAC(char show);
  void Minimize_MAC(char minimise);
  void UpdateTitle_MAC();
  void UpdateWindowCorner_MAC();
  // Translates one native event (an SDL_Event).
  void EventsHandler_MAC(const void *native_event);
  // Warps the pointer to the last place the program put it since the last pass over the events.
  void WarpPointerIfAsked_MAC();
  // Places a windowed window again, and makes it smaller where it does not fit, when the window
  // manager tells the size of the frame it gave it (only after the window is shown, sometimes a
  // good while later) or of another frame (one without the resize grip first, for example).
  void PlaceForKnownFrame_MAC();
  // A size told of the window beyond its display is held at the display's size, and the native
  // window made no larger than the display again, so that nothing is drawn larger than it.
  void HoldSizeWithinDisplay_MAC(int *width, int *height);
  char PrepareDisplayForFullscreenOrWindowed_MAC(char windowed, int width, int height, int bits, int frequency,
                                                 char flag);
  void RestoreDisplayAfterFullscreenOrWindowed_MAC(char windowed);
  void *GetNativeWindow_MAC() const { return m_native_window; }
  char IsHeadless_MAC() const { return m_headless; }

  // The message translators of the platform half: engine key codes in, program input out.
  void MsgsKeyDown(EngUInt8 code);
  void MsgsKeyUp(EngUInt8 code);
  void MsgsCharTyped(EngUInt8 code);
  void MsgsMouseMove(float x, float y);
  void MsgsMouseButtonPress(int button, char pressed, int clicks);
  void MsgsMouseWheelInput(int delta);
  // A resize report: carried out once per frame however many arrive.
  void MsgsWindowSizeChanged(int width, int height);

 private:
  char DoRecreateDevice(_EngDeviceType type);
  char DoChangeResolution();
  char RecreateWindowAndDevice(_EngCreateWindowParms *parms);
  char ReCreateAfterModeChange(_EngCreateWindowParms *parms, const _EngCreateWindowParms *previous);
  void TearDownForModeChange();
  void ApplyPendingResize();

  EngProgram *m_program;
  char m_title[255] = {0};
  char m_active = 1;
  char m_recreating = 0;
  char m_objects_exist = 0;
  char m_recreate_on_next_tick = 0;
  char m_changing_mode = 0;
  EngInt32 m_toggle_win_width = -1, m_toggle_win_height = -1, m_toggle_win_bits = -1, m_toggle_win_freq = -1;
  EngInt32 m_toggle_win_x = -1, m_toggle_win_y = -1;
  EngInt32 m_toggle_fs_width = -1, m_toggle_fs_height = -1, m_toggle_fs_bits = -1, m_toggle_fs_freq = -1;
  char m_disable_widescreen = 0;
  char m_disable_narrowscreen = 0;
  char m_cursor_shown = 1;
  char m_window_shown = 0;
  char m_report_double_clicks = 0;
  char m_restrict_resizing = 0;
  _EngWindowRestrictResizingInfo m_restrict_info = {0, 0, 0.0f, 0.0f};
  _EngWindowResChangeSettings m_res_change = {};
  char m_res_change_pending = 0;
  ENG_WINDOW_RES_CHANGE_DONE_CB m_res_change_done = nullptr;
  void *m_res_change_user_data = nullptr;
  EngDevice *m_device = nullptr;
  char m_minimised = 0;

  // The platform half's own fields.
  char m_native_window_exists = 0;
  void *m_native_window = nullptr;
  EngUInt32 m_native_window_id = 0;
  char m_headless = 0;
  EngInt32 m_content_x = 0, m_content_y = 0;
  EngInt32 m_last_mouse_x = 0, m_last_mouse_y = 0;
  EngPointerWarps m_warps;
  char m_stop = 0;
  char m_resize_pending = 0;
  EngInt32 m_resize_width = 0, m_resize_height = 0;
  // The windowed window's requested place and size, the frame it was last placed for, and
  // whether the window manager has told its frame yet.
  char m_placed_by_frame = 0;
  char m_frame_told = 0;
  EngInt32 m_place_x = -1, m_place_y = -1, m_place_width = 0, m_place_height = 0;
  _EngWindowFrame m_placed_frame = {0, 0, 0, 0};
  double m_resize_next_time = 0.0;
  double m_last_wheel_time = -1.0;
  EngInt32 m_last_wheel_delta = 0;

  _EngCreateWindowParms m_parms = {};
};

char SetWindowClientSize(int width, int height);

// Where a windowed window's client area goes (platform half): the requested place and size
// (x or y negative: centred), limited so that the client area with its frame lies inside the
// desktop's usable area; a requested place that would not is moved left and up until it does.
_EngWindowArea EngWindowPlaceWindowed_MAC(EngInt32 x, EngInt32 y, EngInt32 width, EngInt32 height,
                                          const _EngWindowArea &usable, const _EngWindowFrame &frame);

// Test seams of the platform half. Headless: no native window, nothing pumped; used when
// SDL's video driver is "dummy" (as the non-display tests run) or forced here.
void EngWindowForceHeadlessForTests(char on);
// The next `count` native window creations fail (headless only).
void EngWindowFailNativeCreationsForTests(int count);
// The desktop's usable area and the window manager's frame, in place of the display's; null
// puts the display's back.
void EngWindowSetDesktopForTests(const _EngWindowArea *usable, const _EngWindowFrame *frame);
