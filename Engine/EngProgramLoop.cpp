// The five main-loop types of EngProgram and their settings.
#include "Engine/EngProgram.h"

#include <csignal>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPowerEvents.h"
#include "Engine/EngWindow.h"

static void LoopSleep(double seconds) { EngMiscCallPlatformSleepFunc(seconds); }

static void SleepMicroseconds(EngInt32 us) {
  if (us > 0) LoopSleep(us / 1000000.0);
}

// A SIGINT or SIGTERM recorded by the handler closes the program down here, on the main
// thread: without ExitCB, unless the program ends on them as on its Quit command.
static void ActOnPendingSignal() {
  int sig = EngProgramPendingSignal();
  if (sig != SIGINT && sig != SIGTERM) return;
  if (eng_main_program && eng_main_program->SignalsEndLikeQuit()) {
    EngProgramClearPendingSignal();
    eng_main_program->SetExitingFlag();
    return;
  }
  if (eng_main_program) eng_main_program->ForceExitNow(nullptr, nullptr, 1);
  EngMainCallExit(0);
}

char EngProgram::CheckProgramStillThere(const char *tag) {
  if (eng_main_program) return 1;
  DebugInfoAlt(ENG_FUNC, "Exiting as no eng_main_program. %s", tag);
  m_exiting = 1;
  return 0;
}

void EngProgram::GetEvents() {
  ActOnPendingSignal();
  EngPowerEventsPoll_MAC();
  if (!m_exiting && m_window) m_window->GetWindowEvents();
}

char EngProgram::RunMainLoop() {
  switch (m_main_loop_type) {
    case ENG_MAIN_LOOP_CONSTANT_FRAME_RATE:
      while (!m_exiting) DoConstantFrameRateTick();
      return 0;
    case ENG_MAIN_LOOP_FIXED_STEP_FULL_RENDER:
      return RunFixedStepLoop();
    case ENG_MAIN_LOOP_EVENT_DRIVEN:
      return RunEventDrivenLoop();
    case ENG_MAIN_LOOP_FULL:
      return RunFullLoop();
    case ENG_MAIN_LOOP_RENDER_WHEN_NEEDED:
      return RunRenderWhenNeededLoop();
  }
  return 0;
}

char EngProgram::DoConstantFrameRateTick() {
  double frame_start = EngMainUpdateCurrentTime();
  const double period = 1.0 / m_constant_frame_rate;
  // A wait (or a sleep step) ends a little after its deadline; counting from the last deadline
  // rather than from this frame's start keeps the average period at 1 / rate. A frame that is a
  // whole period behind, or that input started early, counts from now.
  double deadline = frame_start + period;
  if (m_last_deadline > 0.0 && frame_start >= m_last_deadline && frame_start < m_last_deadline + period)
    deadline = m_last_deadline + period;
  m_last_deadline = deadline;

  if (!m_exiting) {
    GetEvents();
    if (!m_exiting && eng_main_program) {
      DoTick();
      if (!eng_main_program) {
        DebugInfoAlt(ENG_FUNC, "Exiting as no eng_main_program.");
        m_exiting = 1;
        return 0;
      }
      DoRender2();
    }
  }
  if (!eng_main_program) {
    DebugInfoAlt(ENG_FUNC, "Exiting as no eng_main_program.");
    m_exiting = 1;
    return 0;
  }

  double now = EngMainUpdateCurrentTime();
  EngInt32 sleep_count = 0;
  for (;;) {
    if (m_immediate_response && m_input_arrived) {
      m_input_arrived = 0;
      break;
    }
    if (now >= deadline && !(m_minimum_sleep_count > 0 && sleep_count < m_minimum_sleep_count)) break;
    if (m_exiting) break;
    // Waiting on the window wakes at once for input and otherwise when the frame is due, where
    // a sleep of a millisecond at a time costs an idle program a good part of its CPU.
    const double step = m_sleep_longer ? 0.010 : 0.001;
    if (!(m_immediate_response && !m_sleep_longer && m_window && now < deadline &&
          m_window->WaitForEvents_MAC(deadline - now)))
      LoopSleep(step);
    if (m_immediate_response && !m_exiting) GetEvents();
    now = EngMainUpdateCurrentTime();
    sleep_count++;
  }
  m_input_arrived = 0;

  if (m_adapt_frame_rate && now >= m_adapt_next_change_time) AdaptFrameRate(sleep_count);

  float duration = float(now - frame_start);
  eng_main_frames_per_second = duration;
  if (duration > 0) eng_main_frame_rate = 1.0f / duration;
  return 1;
}

void EngProgram::AdaptFrameRate(EngInt32 sleep_count) {
  EngInt32 sum = sleep_count + m_adapt_kept_counts[0] + m_adapt_kept_counts[1] + m_adapt_kept_counts[2];
  m_adapt_kept_counts[0] = m_adapt_kept_counts[1];
  m_adapt_kept_counts[1] = m_adapt_kept_counts[2];
  m_adapt_kept_counts[2] = sleep_count;
  if (sum >= 36) {
    if (m_constant_frame_rate < 240) m_constant_frame_rate += 3;
  } else if (sum >= 20) {
    if (m_constant_frame_rate < 120) m_constant_frame_rate += 3;
  } else if (sum <= 3) {
    if (m_constant_frame_rate > 60) m_constant_frame_rate -= 3;
  }
  m_adapt_next_change_time = eng_main_current_time + 0.1;
}

char EngProgram::DoMinimizedSleep(char, char) {
  if (m_sleep_when_minimised && m_window && m_window->IsMinimized()) {
    LoopSleep(0.05);
    return 1;
  }
  return 0;
}

void EngProgram::DoTick() {
  if (m_exiting || m_computer_asleep || DoMinimizedSleep(1, 0)) return;
  TickCB();
}

void EngProgram::DoRender() { DoRender2(); }

void EngProgram::DoRender2() {
  if (!eng_main_device || m_computer_asleep || m_exiting || DoMinimizedSleep(0, 1)) return;
  RenderCB();
  if (eng_main_device) eng_main_device->SwapBuffers();
  FullLoopCalcFrameRate();
}

void EngProgram::DoTickAndRender() {
  if (m_exiting || m_computer_asleep || DoMinimizedSleep(1, 1)) return;
  if (TickCB()) RenderCB();
  if (eng_main_device) {
    eng_main_device->SwapBuffers();
    FullLoopCalcFrameRate();
  }
}

void EngProgram::DoTickNoRender() {
  if (m_exiting || m_computer_asleep || DoMinimizedSleep(1, 0)) return;
  TickCB();
  FullLoopCalcFrameRate();
}

void EngProgram::FullLoopCalcFrameRate() {
  if (m_main_loop_type != ENG_MAIN_LOOP_FULL) return;
  double now = EngMainUpdateCurrentTime();
  if (!m_full_loop_time_recorded) {
    m_full_loop_time_recorded = 1;
    m_full_loop_last_time = now;
    return;
  }
  double duration = now - m_full_loop_last_time;
  if (duration == 0) return;
  eng_main_frames_per_second = float(duration);
  if (duration > 0.0001) m_full_loop_last_time = now;
  eng_main_frame_rate = eng_main_frames_per_second != 0 ? 1.0f / eng_main_frames_per_second : 1000.0f;
}

signed char EngProgram::RunFixedStepLoop() {
  double next_tick = EngMainUpdateCurrentTime();
  while (!m_exiting) {
    if (!CheckProgramStillThere("(FullRender)")) return 1;
    double now = EngMainUpdateCurrentTime();
    for (int ticks = 0; now > next_tick && ticks < 10; ticks++) {
      GetEvents();
      DoTick();
      next_tick += eng_main_frames_per_second;
      now = EngMainUpdateCurrentTime();
    }
    if (!CheckProgramStillThere("(FullRender)")) return 1;
    DoRender2();
    FullLoopDoSleep();
  }
  return 1;
}

signed char EngProgram::RunEventDrivenLoop() {
  while (!m_exiting) {
    if (!CheckProgramStillThere("(EventDriven)")) return 1;
    double now = EngMainUpdateCurrentTime();
    if (!m_exiting) GetEvents();
    if (!CheckProgramStillThere("(EventDriven B)")) return 1;
    bool pending = m_event_pending_actions > 0;
    bool due = pending || now < m_event_spell_until ||
               (m_event_actions_until != 0.0 && m_event_actions_until > now);
    if (!due) {
      EventDrivenLoopDoSleep();
      if (m_event_sleeping_cb) m_event_sleeping_cb();
    } else {
      if (m_event_full_frame_rate != 0) {
        eng_main_frame_rate = m_event_full_frame_rate;
        eng_main_frames_per_second = 1.0f / m_event_full_frame_rate;
      }
      double deadline = now + eng_main_frames_per_second;
      if (m_event_do_tick) DoTick();
      if (m_event_do_render) DoRender2();
      if (m_event_actions_until == 0.0) {
        while (EngMainUpdateCurrentTime() < deadline && !m_exiting) LoopSleep(0.001);
      }
    }
    now = EngMainUpdateCurrentTime();
    if (pending) m_event_spell_until = now + m_event_action_spell;
    if (m_event_pending_actions > 0) m_event_pending_actions--;
    if (m_event_actions_until != 0.0 && now >= m_event_actions_until) m_event_actions_until = 0.0;
  }
  return 1;
}

signed char EngProgram::RunFullLoop() {
  while (!m_exiting) {
    if (!CheckProgramStillThere("(Full)")) return 1;
    EngMainUpdateCurrentTime();
    if (!m_exiting) GetEvents();
    DoTickAndRender();
    FullLoopDoSleep();
  }
  return 1;
}

signed char EngProgram::RunRenderWhenNeededLoop() {
  while (!m_exiting) {
    if (!CheckProgramStillThere("(RenderWhenNeeded)")) return 1;
    EngMainUpdateCurrentTime();
    if (!m_exiting) GetEvents();
    if (!CheckProgramStillThere("(RenderWhenNeeded B)")) return 1;
    if (m_rwn_render_needed) {
      m_rwn_render_needed = 0;
      if (m_rwn_frame_rate != 0) {
        eng_main_frame_rate = m_rwn_frame_rate;
        eng_main_frames_per_second = 1.0f / m_rwn_frame_rate;
      }
      DoTick();
      DoRender2();
      RenderWhenNeededLoopDoSleep(1);
    } else {
      if (m_rwn_tick_when_not_rendering) DoTick();
      if (m_rwn_not_rendering_cb) m_rwn_not_rendering_cb();
      RenderWhenNeededLoopDoSleep(0);
    }
  }
  return 1;
}

// Settings.

void EngProgram::ConstantFrameRateLoopSetConstantFrameRate(float rate) {
  if (m_main_loop_type != ENG_MAIN_LOOP_CONSTANT_FRAME_RATE &&
      m_main_loop_type != ENG_MAIN_LOOP_FIXED_STEP_FULL_RENDER) {
    DebugErrorAlt(ENG_FUNC, "Constant frame rates not setup");
    return;
  }
  if (rate > 0) m_constant_frame_rate = rate;
  eng_main_frame_rate = m_constant_frame_rate;
  eng_main_frames_per_second = 1.0f / m_constant_frame_rate;
}

void EngProgram::ConstantFrameRateLoopSetMinimumSleepAmount(EngInt32 count) { m_minimum_sleep_count = count; }
void EngProgram::ConstantFrameRateLoopSleepLonger(char on) { m_sleep_longer = on; }
void EngProgram::ConstantFrameRateLoopImmediateResponseToInput(char on) { m_immediate_response = on; }
void EngProgram::ConstantFrameRateLoopAdjustFrameRateForHighPerformanceWithoutHogging() { m_adapt_frame_rate = 1; }
void EngProgram::SleepWhenMinimized(char on) { m_sleep_when_minimised = on; }

void EngProgram::FullLoopSetTickSleepAmount(EngInt32 ms) {
  if (m_main_loop_type != ENG_MAIN_LOOP_FIXED_STEP_FULL_RENDER && m_main_loop_type != ENG_MAIN_LOOP_FULL)
    DebugErrorAlt(ENG_FUNC, "Main loop type is %d.", int(m_main_loop_type));
  m_full_loop_tick_sleep_us = ms * 1000;
}

void EngProgram::FullLoopDoSleep() { SleepMicroseconds(m_full_loop_tick_sleep_us); }

void EngProgram::EventDrivenLoopSetTickSleepAmount(EngInt32 ms) { m_event_tick_sleep_us = ms < 0 ? 0 : ms * 1000; }
void EngProgram::EventDrivenLoopSetFullFrameRate(float rate) { m_event_full_frame_rate = rate > 0 ? rate : 60.0f; }

void EngProgram::EventDrivenLoopSetupDoingActionsOnKeyAndMouseEvents(char do_tick, char do_render, char act_on_mouse) {
  if (do_render && !do_tick) {
    DebugErrorAlt(ENG_FUNC, "do_tick must be specified also");
    do_tick = 1;
  }
  m_event_do_tick = do_tick;
  m_event_do_render = do_render;
  m_event_act_on_mouse = act_on_mouse;
}

void EngProgram::EventDrivenLoopSetupCallbackToCallWhenSleeping(EngProgramVoidCB callback) { m_event_sleeping_cb = callback; }

void EngProgram::EventDrivenLoopDoTimerActionOnNextTick() {
  if (m_main_loop_type == ENG_MAIN_LOOP_EVENT_DRIVEN) m_event_pending_actions = 2;
}

void EngProgram::EventDrivenLoopDoTimerActionsForAWhile() {
  if (m_main_loop_type == ENG_MAIN_LOOP_EVENT_DRIVEN) m_event_actions_until = eng_main_current_time + 10.0;
}

void EngProgram::EventDrivenLoopDoTimerActionNow(char mouse_event) {
  if (m_main_loop_type == ENG_MAIN_LOOP_EVENT_DRIVEN) {
    if (!(mouse_event && !m_event_act_on_mouse)) m_event_pending_actions = 1;
  } else if (m_main_loop_type == ENG_MAIN_LOOP_CONSTANT_FRAME_RATE && m_immediate_response) {
    m_input_arrived = 1;
  }
}

void EngProgram::EventDrivenLoopDoSleep() { SleepMicroseconds(m_event_tick_sleep_us); }

void EngProgram::RenderWhenNeededLoopSetTickSleepAmounts(EngInt32 ms_after_render, EngInt32 ms_not_rendering) {
  m_rwn_sleep_after_render_us = ms_after_render < 0 ? 0 : ms_after_render * 1000;
  m_rwn_sleep_not_rendering_us = ms_not_rendering < 0 ? 0 : ms_not_rendering * 1000;
}

void EngProgram::RenderWhenNeededLoopCallTickCBWhenNotRendering(char on) { m_rwn_tick_when_not_rendering = on; }
void EngProgram::RenderWhenNeededLoopSetupCallbackToCallWhenNotRendering(EngProgramVoidCB callback) {
  m_rwn_not_rendering_cb = callback;
}

void EngProgram::RenderWhenNeededLoopDoSleep(char rendered) {
  if (m_event_tick_sleep_us == 0) return;
  SleepMicroseconds(rendered ? m_rwn_sleep_after_render_us : m_rwn_sleep_not_rendering_us);
}

void EngProgram::RenderNeeded() {
  if (m_main_loop_type == ENG_MAIN_LOOP_RENDER_WHEN_NEEDED) m_rwn_render_needed = 1;
}
