// The main window: owner of the rendering device, running the ordered create, destroy and
// re-create sequences around the program's callbacks, and pumping events once per frame.
// The native half (Engine/MAC/EngWindow_MAC.cpp) is headless until the SDL window lands.
#pragma once

#include "Engine/EngTypes.h"

class EngProgram;
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

extern EngInt32 eng_main_window_width;
extern EngInt32 eng_main_window_height;
extern char eng_main_window_windowed;

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
  int GetWindowEvents();
  char IsMinimized() const { return m_minimised; }
  char IsWindowed() const { return eng_main_window_windowed; }
  EngDevice *GetDevice() const { return m_device; }
  const char *GetTitle() const { return m_title; }

 private:
  EngProgram *m_program;
  char m_title[255] = {0};
  char m_changing_mode = 0;
  char m_minimised = 0;
  char m_native_window_exists = 0;
  EngDevice *m_device = nullptr;
  _EngCreateWindowParms m_parms;
};

// The native half.
char EngWindowCreateNative_MAC(EngWindow *window, const _EngCreateWindowParms *parms);
void EngWindowDestroyNative_MAC(EngWindow *window);
int EngWindowPumpEvents_MAC(EngWindow *window);
