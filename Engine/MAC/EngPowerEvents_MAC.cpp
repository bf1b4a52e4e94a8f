// No source of power notices is connected yet; registration succeeds and does nothing.
#include "Engine/EngPowerEvents.h"

char EngPowerEventsRegisterForNotifications_MAC() { return 1; }
void EngPowerEventsDeregisterNotifications_MAC() {}
