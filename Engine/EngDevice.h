// The rendering device of the main window. Until the OpenGL back end lands this holds
// its life cycle, the context set-up through the platform half and the buffer swap.
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
  virtual void SwapBuffers();
  virtual void ClearScreen(float r, float g, float b);
  virtual void SetFullViewportSize(EngInt32 width, EngInt32 height) { (void)width, (void)height; }
  virtual void WindowResized() {}
  void GoingToBeDestroyed() {}
  char IsCreated() const { return m_created; }

 protected:
  char m_created = 0;
};

// Test seam: the window constructs its device through this factory when set.
void EngDeviceSetFactoryForTests(EngDevice *(*factory)());
EngDevice *EngDeviceMake();
