// The portable front: forwarding only for the OpenGL kind with a back end, and its life cycle.
#include "Engine/EngDevice.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "Engine/EngDeviceGL.h"
#include "Engine/EngMain.h"
#include "Engine/EngMatrix.h"
#include "tests/Engine/DeviceTestSupport.h"

using qwtest::DeviceTest;

TEST(EngDeviceFront, WithoutABackEndEveryOperationIsInertAndAnswersZero) {
  eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
  EngDevice device(nullptr);
  ASSERT_EQ(eng_main_device_gl, nullptr);
  EXPECT_EQ(device.GetCurrentViewport(), nullptr);
  EXPECT_EQ(device.GetProjectionMatrix(), nullptr);
  EXPECT_EQ(device.IsLightingOn(), 0);
  EXPECT_EQ(device.IsViewportFullScreen(), 0);
  EXPECT_EQ(device.BeginRendering(), 0);
  EXPECT_EQ(device.PrepareFor2DIfNeeded(1), 0);
  EXPECT_EQ(device.GetPerspectiveFOV(), 0.0f);
  float a = 5.0f;
  EXPECT_EQ(device.GetScreenPointInFullScreen(1, 1, 0.0f, &a, nullptr), 0);
  EXPECT_EQ(a, 5.0f);
  _EngDeviceViewport vp = {1, 2, 3, 4, 0, 1};
  device.GetCurrentViewport(&vp);
  EXPECT_EQ(vp.x, 1);
  device.SwapBuffers();
  device.ClearScreen();
  eng_main_device_type = 0;
}

TEST(EngDeviceFront, CreateRefusesAnotherDeviceKind) {
  eng_main_device_type = 0;
  EngDevice device(nullptr);
  EXPECT_EQ(device.Create(1, 640, 480, 32, 60), 0);
  EXPECT_EQ(eng_main_device_gl, nullptr);
  EXPECT_EQ(eng_main_device, nullptr);
  EXPECT_EQ(device.IsCreated(), 0);
}

TEST(EngDeviceFront, ViewportStructHelpers) {
  eng_main_window_width = 1280;
  eng_main_window_height = 960;
  EngWindow window(nullptr, "t");
  eng_main_window = &window;
  _EngDeviceViewport vp;
  EngDeviceResetViewportStruct(&vp);
  EXPECT_EQ(vp.width, 99);
  EXPECT_EQ(vp.height, 99);
  EXPECT_EQ(vp.max_z, 1.0f);
  EngDeviceSetViewportStructToSizeRatioed(&vp, 10, 20, 101, 50);
  EXPECT_EQ(vp.x, 20);
  EXPECT_EQ(vp.y, 40);
  EXPECT_EQ(vp.width, 202);
  EXPECT_EQ(vp.height, 100);
  EngDeviceResetViewportStruct(nullptr);
  EngDeviceSetViewportStructToSize(nullptr, 1, 2, 3, 4);
  eng_main_window = nullptr;
  eng_main_window_width = 640;
  eng_main_window_height = 480;
}

TEST_F(DeviceTest, CreateBuildsTheBackEndAndDestroyReleasesIt) {
  EXPECT_TRUE(device->IsCreated());
  ASSERT_NE(eng_main_device_gl, nullptr);
  EXPECT_EQ(eng_gl_3d_setup, 1);
  EXPECT_EQ(eng_main_device_gl->AreExtensionsNotInitialised(), 0);
  EXPECT_GE(eng_main_device_gl->GetGlVersion(), 2.1f);
  EXPECT_GT(eng_main_device_gl->GetMaxTextureSize(), 256);
  device->Destroy();
  EXPECT_EQ(eng_main_device_gl, nullptr);
  EXPECT_EQ(eng_gl_3d_setup, 0);
  EXPECT_EQ(eng_main_device, nullptr);
  EXPECT_FALSE(device->IsCreated());
  // A re-creation starts again from the defaults.
  ASSERT_TRUE(device->Create(1, 640, 480, 32, 60));
  EXPECT_EQ(device->IsBlendingEnabled(), 0);
  EXPECT_EQ(device->Is2dPrepared(), 0);
}

TEST_F(DeviceTest, ForwardsOnlyForTheOpenGlKind) {
  device->SetClearColour(0.5f, 0.25f, 1.0f);
  eng_main_device_type = 0;
  device->SetClearColour(0.0f, 0.0f, 0.0f);
  EXPECT_EQ(device->IsLightingOn(), 0);
  eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
  float r, g, b;
  device->GetClearColour(&r, &g, &b);
  EXPECT_EQ(r, 0.5f);
  EXPECT_EQ(g, 0.25f);
  EXPECT_EQ(b, 1.0f);
}
