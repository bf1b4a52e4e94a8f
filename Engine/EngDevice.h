// The rendering device of the main window. Until the OpenGL back end lands this holds
// only its life cycle and the buffer swap the main loop needs.
#pragma once

#include "Engine/EngTypes.h"

class EngDevice {
 public:
  EngDevice() = default;
  virtual ~EngDevice() = default;
  EngDevice(const EngDevice &) = delete;
  EngDevice &operator=(const EngDevice &) = delete;

  virtual char Create(char windowed, EngInt32 width, EngInt32 height, EngInt32 bit_depth, EngInt32 frequency);
  virtual void Destroy();
  virtual void SwapBuffers() {}
  virtual void ClearScreen(float r, float g, float b) { (void)r, (void)g, (void)b; }
  void GoingToBeDestroyed() {}
  char IsCreated() const { return m_created; }

 protected:
  char m_created = 0;
};

// Test seam: the window constructs its device through this factory when set.
void EngDeviceSetFactoryForTests(EngDevice *(*factory)());
EngDevice *EngDeviceMake();
