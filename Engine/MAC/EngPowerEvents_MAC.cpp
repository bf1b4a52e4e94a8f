// logind's PrepareForSleep(true/false) over sd-bus. The bus is read without blocking from
// the main thread's event pump, so every notice reaches the program on the main thread.
// Without a system bus (containers, CI) registration fails with one information line and the
// program runs on without power notices.
#include "Engine/EngPowerEvents.h"

#include <systemd/sd-bus.h>

#include "Engine/EngDebug.h"
#include "Engine/EngProgram.h"

static char registered = 0;
static char system_sleeping = 0;
static char told_no_bus = 0;
static sd_bus *bus = nullptr;
static sd_bus_slot *slot = nullptr;

static void CloseBus() {
  if (slot) slot = sd_bus_slot_unref(slot);
  if (bus) bus = sd_bus_flush_close_unref(bus);
}

void EngPowerEventsSetRegisteredForTests(char on) { registered = on; }

void EngPowerEventsResetForTests() {
  CloseBus();
  registered = 0;
  system_sleeping = 0;
  told_no_bus = 0;
}

char EngPowerEventsIsRegistered_MAC() { return registered; }

static int PrepareForSleep(sd_bus_message *message, void *, sd_bus_error *) {
  int going_to_sleep = 0;
  if (sd_bus_message_read(message, "b", &going_to_sleep) < 0) return 0;
  // logind waits only for delay inhibitors, which are not taken: the sleep is allowed as
  // soon as it is asked.
  if (going_to_sleep) {
    EngPowerEventsCB_MAC(ENG_POWER_CAN_SYSTEM_SLEEP);
    EngPowerEventsCB_MAC(ENG_POWER_SYSTEM_WILL_SLEEP);
  } else {
    EngPowerEventsCB_MAC(ENG_POWER_SYSTEM_HAS_POWERED_ON);
  }
  return 0;
}

char EngPowerEventsRegisterForNotifications_MAC() {
  if (registered) {
    DebugErrorAlt(ENG_FUNC, "Already registered.");
    return 0;
  }
  int r = sd_bus_open_system(&bus);
  if (r >= 0)
    r = sd_bus_match_signal(bus, &slot, "org.freedesktop.login1", "/org/freedesktop/login1",
                            "org.freedesktop.login1.Manager", "PrepareForSleep", PrepareForSleep, nullptr);
  if (r < 0) {
    // Not a fault: machines without a system bus simply send no notices. Said once a run, not
    // at every window re-creation.
    if (!told_no_bus) DebugInfoAlt(ENG_FUNC, "IORegisterForSystemPower failed: running on without sleep notices.");
    told_no_bus = 1;
    CloseBus();
    return 0;
  }
  registered = 1;
  return 1;
}

void EngPowerEventsDeregisterNotifications_MAC() {
  if (!registered) {
    DebugErrorAlt(ENG_FUNC, "Not registered.");
    return;
  }
  CloseBus();
  registered = 0;
}

void EngPowerEventsPoll_MAC() {
  if (!bus) return;
  // A handful per frame at most; a broken connection stops the notices, not the program.
  for (int i = 0; i < 16; i++) {
    int r = sd_bus_process(bus, nullptr);
    if (r < 0) {
      DebugErrorAlt(ENG_FUNC, "System bus failed [%d]", r);
      CloseBus();
      return;
    }
    if (r == 0) return;
  }
}

void EngPowerEventsCB_MAC(int message) {
  if (!registered) {
    DebugErrorAlt(ENG_FUNC, "Not registered for notifications!");
    return;
  }
  switch (message) {
    case ENG_POWER_CAN_SYSTEM_SLEEP:
      break;
    case ENG_POWER_SYSTEM_WILL_SLEEP:
      if (system_sleeping) {
        DebugInfoAlt(ENG_FUNC, "System already sleeping.");
        break;
      }
      system_sleeping = 1;
      if (eng_main_program) eng_main_program->ComputerSleeping(1);
      break;
    case ENG_POWER_SYSTEM_HAS_POWERED_ON:
      if (!system_sleeping) {
        DebugInfoAlt(ENG_FUNC, "System is not sleeping.");
        break;
      }
      system_sleeping = 0;
      if (eng_main_program) eng_main_program->ComputerSleeping(0);
      break;
    default:
      break;
  }
}
