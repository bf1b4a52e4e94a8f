// System sleep and wake notices, turned into EngProgram::ComputerSleeping calls on the
// main thread. Registered while the main window exists.
#pragma once

char EngPowerEventsRegisterForNotifications_MAC();
void EngPowerEventsDeregisterNotifications_MAC();
