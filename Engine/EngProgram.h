// The program object: the one EngProgram of the process, its 22 virtual callbacks, the
// five main-loop types (the game runs the constant-frame-rate one) and the ways out.
// The game derives its Program from it; the window calls most callbacks.
#pragma once

#include "Engine/EngTypes.h"

class EngWindow;
class EngDevice;
struct _EngCreateWindowParms;

enum _EngProgramMainLoopType : EngInt32 {
  ENG_MAIN_LOOP_CONSTANT_FRAME_RATE = 0,
  ENG_MAIN_LOOP_FIXED_STEP_FULL_RENDER = 1,
  ENG_MAIN_LOOP_EVENT_DRIVEN = 2,
  ENG_MAIN_LOOP_FULL = 3,
  ENG_MAIN_LOOP_RENDER_WHEN_NEEDED = 4,
};

enum _EngDeviceType : EngInt32 { ENG_DEVICE_TYPE_NONE = 0, ENG_DEVICE_TYPE_OPENGL = 1 };

enum _EngDesktopInputType : EngInt32 {
  ENG_INPUT_NONE = 0,
  ENG_INPUT_MOUSE_MOVE = 1,
  ENG_INPUT_MOUSE_BUTTON = 2,
  ENG_INPUT_DOUBLE_CLICK = 3,
  ENG_INPUT_WHEEL = 4,
  ENG_INPUT_KEY_DOWN = 5,
  ENG_INPUT_KEY_UP = 6,
  ENG_INPUT_CHARACTER = 7,
};
typedef EngInt32 EngInputParm1;
typedef EngInt32 EngInputParm2;

// A mouse move carries x and y as the bits of two 32-bit floats in its two parameters.
inline EngInt32 EngInputParmFromFloat(float value) {
  EngInt32 parm;
  __builtin_memcpy(&parm, &value, sizeof(parm));
  return parm;
}
inline float EngInputParmToFloat(EngInt32 parm) {
  float value;
  __builtin_memcpy(&value, &parm, sizeof(value));
  return value;
}

enum _EngOrientation : EngInt32 {
  ENG_ORIENTATION_UNSET = -1,
  ENG_ORIENTATION_PORTRAIT = 0,
  ENG_ORIENTATION_PORTRAIT_UPSIDE_DOWN = 1,
  ENG_ORIENTATION_LANDSCAPE_LEFT = 2,
  ENG_ORIENTATION_LANDSCAPE_RIGHT = 3,
};

typedef void (*EngProgramVoidCB)();

class EngProgram;
extern EngProgram *eng_main_program;
extern EngWindow *eng_main_window;
extern EngDevice *eng_main_device;

class EngProgram {
 public:
  EngProgram();
  virtual ~EngProgram();
  EngProgram(const EngProgram &) = delete;
  EngProgram &operator=(const EngProgram &) = delete;

  // The callbacks, in slot order.
  virtual signed char InitCB(int argc, char **argv);
  virtual signed char PreCreateWindowCB(_EngCreateWindowParms *parms);
  virtual signed char PostCreateWindowCB();
  virtual signed char PreDeviceInitCB();
  virtual signed char PostDeviceInitCB();
  virtual signed char PreCreateGraphicsObjectsCB();
  virtual signed char CreateGraphicsObjectsCB();
  virtual signed char PostCreateGraphicsObjectsCB();
  virtual void PreDestroyGraphicsDeviceCB();
  virtual void DestroyGraphicsObjectsCB();
  virtual void PostDestroyGraphicsObjectsCB();
  virtual signed char TickCB();
  virtual void RenderCB();
  virtual signed char InputCB(_EngDesktopInputType type, EngInputParm1 parm1, EngInputParm2 parm2);
  virtual void OrientationChangedCB(_EngOrientation orientation);
  virtual void ComputerSleepingCB(char sleeping);
  virtual void WindowActivatedCB(char active);
  virtual void WindowWasMinimized(char minimised);
  virtual void WindowResizedCB();
  virtual void PreDeviceExitCB();
  virtual void PostDeviceExitCB();
  virtual void ExitCB();

  // Set-up.
  signed char Init(void *ignored, int argc, char **argv);
  void SetupSignalsHandler();
  char GetResourcesPath_MAC(char *path, int size);
  void SetMainLoopType(_EngProgramMainLoopType type);
  char SetMainDeviceType(_EngDeviceType type);

  // Window and device.
  signed char CreateMainWindowAndDevice(ENG_CONST_STR title, const ENG_CHAR *ignored, _EngCreateWindowParms *parms);
  EngWindow *CreateMainWindow(ENG_CONST_STR title, _EngCreateWindowParms *parms, signed char *result);
  void DestroyMainWindowAndDevice();
  EngDevice *GetDevice();
  EngWindow *GetWindow() { return m_window; }
  void DeviceJustBeenCreated() {}
  void DeviceAboutToBeDestroyed() {}
  void WindowActivated(char active);
  void WindowResized();
  void ComputerSleeping(char sleeping);

  // The loop.
  char RunMainLoop();
  char DoConstantFrameRateTick();
  void DoTick();
  void DoRender();
  void DoRender2();
  void DoTickAndRender();
  void DoTickNoRender();
  char DoMinimizedSleep(char for_tick, char for_render);
  void FullLoopCalcFrameRate();
  void GetEvents();

  // Loop settings.
  void ConstantFrameRateLoopSetConstantFrameRate(float rate);
  void ConstantFrameRateLoopSetMinimumSleepAmount(EngInt32 count);
  void ConstantFrameRateLoopSleepLonger(char on);
  char ConstantFrameRateLoopSleepsLonger() const { return m_sleep_longer; }
  void ConstantFrameRateLoopImmediateResponseToInput(char on);
  void ConstantFrameRateLoopAdjustFrameRateForHighPerformanceWithoutHogging();
  void SleepWhenMinimized(char on);
  void FullLoopSetTickSleepAmount(EngInt32 ms);
  void FullLoopDoSleep();
  void EventDrivenLoopSetTickSleepAmount(EngInt32 ms);
  void EventDrivenLoopSetFullFrameRate(float rate);
  void EventDrivenLoopSetupDoingActionsOnKeyAndMouseEvents(char do_tick, char do_render, char act_on_mouse);
  void EventDrivenLoopSetupCallbackToCallWhenSleeping(EngProgramVoidCB callback);
  void EventDrivenLoopDoTimerActionOnNextTick();
  void EventDrivenLoopDoTimerActionsForAWhile();
  void EventDrivenLoopDoTimerActionNow(char mouse_event);
  void EventDrivenLoopDoSleep();
  void RenderWhenNeededLoopSetTickSleepAmounts(EngInt32 ms_after_render, EngInt32 ms_not_rendering);
  void RenderWhenNeededLoopCallTickCBWhenNotRendering(char on);
  void RenderWhenNeededLoopSetupCallbackToCallWhenNotRendering(EngProgramVoidCB callback);
  void RenderWhenNeededLoopDoSleep(char rendered);
  void RenderNeeded();

  // Ending.
  void SetExitingFlag() { m_exiting = 1; }
  void QuitMainLoop();
  void Exit(char ignored);
  void ForceExitNow(const char *title, const char *text, char quiet);
  void SetAfterExitCB(EngProgramVoidCB callback) { m_after_exit_cb = callback; }
  // SIGINT and SIGTERM end the program as its Quit command does, through the loop's end and
  // the whole closing-down, rather than at once without ExitCB; minimised or not, the loop
  // sees them at its next pass over the events.
  void SetSignalsEndLikeQuit(char on) { m_signals_end_like_quit = on; }
  char SignalsEndLikeQuit() const { return m_signals_end_like_quit; }
  void ShowPopupAfterExiting();
  void CloseAppNow() {}

  // State, read by the window, the engine and tests.
  char IsExiting() const { return m_exiting; }
  char IsAsleep() const { return m_computer_asleep; }
  char IsDeviceInitialised() const { return m_device_initialised; }
  void SetDeviceInitialised(char on) { m_device_initialised = on; }
  void SetInputArrived() { m_input_arrived = 1; }
  _EngProgramMainLoopType GetMainLoopType() const { return m_main_loop_type; }
  float GetConstantFrameRate() const { return m_constant_frame_rate; }
  const char *GetResourcesPath() const { return m_resources_path; }

 private:
  signed char RunEventDrivenLoop();
  signed char RunFixedStepLoop();
  signed char RunFullLoop();
  signed char RunRenderWhenNeededLoop();
  char CheckProgramStillThere(const char *tag);
  void AdaptFrameRate(EngInt32 sleep_count);

  char m_exiting = 0;
  char m_computer_asleep = 0;
  char m_show_popup_after_exit = 0;
  EngWindow *m_window = nullptr;
  char m_sleep_when_minimised = 1;
  char m_device_initialised = 0;
  EngProgramVoidCB m_after_exit_cb = nullptr;
  float m_constant_frame_rate = 60.0f;
  double m_last_deadline = 0.0;
  EngInt32 m_minimum_sleep_count = 0;
  char m_sleep_longer = 0;
  char m_immediate_response = 1;
  char m_adapt_frame_rate = 0;
  volatile char m_input_arrived = 0;
  EngInt32 m_full_loop_tick_sleep_us = 0;
  EngInt32 m_event_tick_sleep_us = 3000;
  EngInt32 m_event_pending_actions = 1;
  double m_event_actions_until = 0.0;
  char m_event_do_tick = 1;
  char m_event_do_render = 1;
  char m_event_act_on_mouse = 1;
  float m_event_full_frame_rate = 60.0f;
  float m_event_action_spell = 0.5f;
  EngProgramVoidCB m_event_sleeping_cb = nullptr;
  float m_rwn_frame_rate = 60.0f;
  EngInt32 m_rwn_sleep_after_render_us = 0;
  EngInt32 m_rwn_sleep_not_rendering_us = 3000;
  char m_rwn_tick_when_not_rendering = 1;
  char m_rwn_render_needed = 1;
  EngProgramVoidCB m_rwn_not_rendering_cb = nullptr;
  char m_resources_path[512] = {0};
  _EngProgramMainLoopType m_main_loop_type = ENG_MAIN_LOOP_CONSTANT_FRAME_RATE;

  // Loop bookkeeping that is not part of the settings.
  double m_adapt_next_change_time = 0.0;
  EngInt32 m_adapt_kept_counts[3] = {0, 0, 0};
  double m_event_spell_until = 0.0;
  double m_full_loop_last_time = 0.0;
  char m_full_loop_time_recorded = 0;
  char m_exit_done = 0;
  char m_signals_end_like_quit = 0;
};

// Where an installed program's resources lie, relative to the folder of its executable (the
// install layout decides it; "../share/quarrelwick" unless the executable sets another).
void EngProgramSetInstalledResources(const char *from_program_folder);

// Test seams for the process-level pieces of the program object.
// The resources folder the constructor changes into; null restores the default look-up.
void EngProgramSetResourcesPathForTests(const char *path);
// The signal that the handler recorded, or 0; the loop acts on it outside the handler.
int EngProgramPendingSignal();
// Forgets the recorded signal once it has been acted on.
void EngProgramClearPendingSignal();
