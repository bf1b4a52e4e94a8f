#include "Engine/EngDevice.h"

#include "Engine/EngContext.h"
#include "Engine/EngProgram.h"

static EngDevice *(*device_factory)() = nullptr;

void EngDeviceSetFactoryForTests(EngDevice *(*factory)()) { device_factory = factory; }

EngDevice *EngDeviceMake() { return device_factory ? device_factory() : new EngDevice(); }

char EngDevice::Create(char windowed, EngInt32 width, EngInt32 height, EngInt32 bit_depth, EngInt32 frequency) {
  if (!EngContextSetupCreate_MAC(windowed, width, height, bit_depth, frequency)) return 0;
  m_created = 1;
  return 1;
}

void EngDevice::Destroy() {
  EngContextSetupDestroy_MAC();
  m_created = 0;
  if (eng_main_device == this) eng_main_device = nullptr;
}

void EngDevice::SwapBuffers() { EngContextSwapBuffers_MAC(); }

void EngDevice::ClearScreen(float r, float g, float b) { EngContextClearScreen_MAC(r, g, b); }
