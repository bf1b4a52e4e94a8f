// System sleep and wake notices, turned into EngProgram::ComputerSleeping calls on the
// main thread. Registered while the main window exists. On Linux the notices are logind's
// PrepareForSleep signal on the system bus, read when the main loop pumps its events.
#pragma once

enum _EngPowerMessage {
  ENG_POWER_CAN_SYSTEM_SLEEP = 1,
  ENG_POWER_SYSTEM_WILL_SLEEP = 2,
  ENG_POWER_SYSTEM_HAS_POWERED_ON = 3,
};

char EngPowerEventsRegisterForNotifications_MAC();
void EngPowerEventsDeregisterNotifications_MAC();
// The handler of one notice; other messages are ignored.
void EngPowerEventsCB_MAC(int message);
// Reads the notices that have arrived, without waiting; called from the event pump.
void EngPowerEventsPoll_MAC();
char EngPowerEventsIsRegistered_MAC();

// Test seams: mark the module registered without a bus, and put it back to its start.
void EngPowerEventsSetRegisteredForTests(char on);
void EngPowerEventsResetForTests();
