#include "Engine/EngDevice.h"

#include "Engine/EngProgram.h"

static EngDevice *(*device_factory)() = nullptr;

void EngDeviceSetFactoryForTests(EngDevice *(*factory)()) { device_factory = factory; }

EngDevice *EngDeviceMake() { return device_factory ? device_factory() : new EngDevice(); }

char EngDevice::Create(char, EngInt32, EngInt32, EngInt32, EngInt32) {
  m_created = 1;
  return 1;
}

void EngDevice::Destroy() {
  m_created = 0;
  if (eng_main_device == this) eng_main_device = nullptr;
}
