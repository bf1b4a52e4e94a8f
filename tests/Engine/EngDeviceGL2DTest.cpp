// 2D mode, the 19 blending types with their cached pair, cropping, and where design-space
// drawing lands on the screen.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Engine/EngDeviceGL.h"
#include "Engine/EngMatrix.h"
#include "tests/Engine/DeviceTestSupport.h"

using qwtest::DeviceTest;

namespace {

void GetBlend(GLint *source, GLint *destination) {
  glGetIntegerv(GL_BLEND_SRC, source);
  glGetIntegerv(GL_BLEND_DST, destination);
}

void GetScissor(GLint out[4]) { glGetIntegerv(GL_SCISSOR_BOX, out); }

// A flat quad given in design units, drawn with the design-to-clip mapping.
void DrawDesignQuad(float x, float y, float w, float h, float r, float g, float b) {
  auto cx = [](float v) { return v / 320.0f - 1.0f; };
  auto cy = [](float v) { return 1.0f - v / 240.0f; };
  const GLfloat corners[] = {cx(x), cy(y + h), 0, cx(x + w), cy(y + h), 0, cx(x), cy(y), 0, cx(x + w), cy(y), 0};
  glDisable(GL_TEXTURE_2D);
  glColor4f(r, g, b, 1.0f);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, corners);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  glDisableClientState(GL_VERTEX_ARRAY);
  glColor4f(1, 1, 1, 1);
  glEnable(GL_TEXTURE_2D);
}

}  // namespace

TEST_F(DeviceTest, TwoDModeUsesIdentityMatricesAndRestoresTheScene) {
  EngMatrix projection;
  projection.SetPerspectiveMatrix(45.0f, 1.0f, 0.1f, 10.0f);
  device->SetProjectionMatrixToMatrix(&projection);
  device->SetTransformMatrixPos(1.0f, 2.0f, 3.0f);

  device->PrepareFor2D(1);
  EXPECT_TRUE(device->Is2dPrepared());
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  GLfloat m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  for (int i = 0; i < 16; i++) EXPECT_EQ(m[i], eng_matrix_identity[i]);
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  for (int i = 0; i < 16; i++) EXPECT_EQ(m[i], eng_matrix_identity[i]);
  EXPECT_NE(Logged([&] { device->PrepareFor2D(1); }).find("Already prepared"), std::string::npos);
  EXPECT_EQ(device->PrepareFor2DIfNeeded(1), 0);

  device->RestoreAfter2D();
  EXPECT_FALSE(device->Is2dPrepared());
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  for (int i = 0; i < 16; i++) EXPECT_NEAR(m[i], projection.m[i], 1e-6f);
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 1.0f);
  EXPECT_EQ(m[14], 3.0f);
  EXPECT_NE(Logged([&] { device->RestoreAfter2D(); }).find("Not prepared"), std::string::npos);

  // Asked to keep lighting, 2D mode leaves it on.
  EXPECT_EQ(device->PrepareFor2DIfNeeded(0), 1);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  device->RestoreAfter2D();
}

TEST_F(DeviceTest, EveryBlendingTypeReachesOpenGl) {
  const GLenum pairs[19][2] = {
      {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
      {GL_SRC_ALPHA, GL_SRC_ALPHA},
      {GL_SRC_ALPHA, GL_DST_COLOR},
      {GL_ONE, GL_SRC_ALPHA},
      {GL_SRC_COLOR, GL_SRC_ALPHA},
      {GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR},
      {GL_ONE_MINUS_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR},
      {GL_ONE, GL_ONE_MINUS_SRC_ALPHA},
      {GL_SRC_ALPHA, GL_ONE},
      {GL_SRC_COLOR, GL_ONE_MINUS_SRC_ALPHA},
      {GL_ONE, GL_ONE},
      {GL_ONE_MINUS_SRC_ALPHA, GL_ONE},
      {GL_ONE_MINUS_SRC_COLOR, GL_ONE},
      {GL_DST_COLOR, GL_ZERO},
      {GL_ZERO, GL_ONE_MINUS_SRC_COLOR},
      {GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA},
      {GL_SRC_COLOR, GL_ONE},
      {GL_ONE, GL_ONE_MINUS_SRC_COLOR},
      {GL_DST_COLOR, GL_ONE},
  };
  for (int type = 0; type < 19; type++) {
    device->DisableBlending();
    device->EnableBlendingType(type);
    GLint source, destination;
    GetBlend(&source, &destination);
    EXPECT_EQ((GLenum)source, pairs[type][0]) << "type " << type;
    EXPECT_EQ((GLenum)destination, pairs[type][1]) << "type " << type;
    EXPECT_TRUE(glIsEnabled(GL_BLEND)) << "type " << type;
    char on;
    EngInt32 s, d;
    EXPECT_EQ(device->GetBlendingState(&on, &s, &d), 1);
    EXPECT_EQ((GLenum)s, pairs[type][0]);
    EXPECT_EQ((GLenum)d, pairs[type][1]);
  }
}

TEST_F(DeviceTest, TheCachedBlendingPairIsIssuedOnlyWhenItChanges) {
  device->EnableBlendingType(0);
  // Changed behind the device's back: a repeated request must not reach OpenGL again.
  glBlendFunc(GL_ONE, GL_ZERO);
  device->EnableBlendingType(0);
  GLint source, destination;
  GetBlend(&source, &destination);
  EXPECT_EQ(source, GL_ONE);
  EXPECT_EQ(destination, GL_ZERO);

  device->DisableBlending();
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  device->EnableBlendingType(0);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  GetBlend(&source, &destination);
  EXPECT_EQ(source, GL_ONE);

  device->EnableBlendingType(10);
  GetBlend(&source, &destination);
  EXPECT_EQ(source, GL_ONE);
  EXPECT_EQ(destination, GL_ONE);

  for (int type : {19, -1}) {
    std::string log = Logged([&] { device->EnableBlendingType(type); });
    EXPECT_NE(log.find("Invalid Type " + std::to_string(type)), std::string::npos);
  }
  GetBlend(&source, &destination);
  EXPECT_EQ(destination, GL_ONE);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));

  // After a re-creation the pair is unknown again, so the first request always gets through.
  device->Destroy();
  ASSERT_TRUE(device->Create(1, 640, 480, 32, 60));
  glBlendFunc(GL_ONE, GL_ZERO);
  device->EnableSpecificBlending(EDEV_BLEND_SRC_ALPHA, EDEV_BLEND_ONE);
  GetBlend(&source, &destination);
  EXPECT_EQ(source, GL_SRC_ALPHA);
  EXPECT_EQ(destination, GL_ONE);
}

TEST_F(DeviceTest, BlendingSaveSlots) {
  device->EnableBlendingType(8);
  EXPECT_EQ(device->SaveOrRestoreBlendingState(1), 1);
  device->EnableBlendingType(0);
  EXPECT_NE(Logged([&] { EXPECT_EQ(device->SaveOrRestoreBlendingState(1), 0); }).find("Already saved"),
            std::string::npos);
  device->DisableBlending();
  EXPECT_EQ(device->SaveOrRestoreBlendingState(0), 1);
  GLint source, destination;
  GetBlend(&source, &destination);
  EXPECT_EQ(source, GL_SRC_ALPHA);
  EXPECT_EQ(destination, GL_ONE);  // the first save stayed
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_NE(Logged([&] { EXPECT_EQ(device->SaveOrRestoreBlendingState(0), 0); }).find("Not saved"), std::string::npos);

  // The combined slot brings back 2D mode and lighting as well.
  device->DisableBlending();
  EXPECT_EQ(device->SaveOrRestoreBlendingLightingAnd2DStates(1), 1);
  device->PrepareFor2D(1);
  device->EnableBlendingType(0);
  EXPECT_EQ(device->SaveOrRestoreBlendingLightingAnd2DStates(0), 1);
  EXPECT_FALSE(device->Is2dPrepared());
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(DeviceTest, CroppingSetsTheScissorBox) {
  struct Case {
    const char *what;
    std::function<void()> crop;
    GLint box[4];
  };
  _Dimension dim = {10.5f, 20.5f, 100.9f, 50.9f};
  const Case cases[] = {
      {"pixels", [&] { device->CropToArea(0, 0, 100, 50); }, {0, 430, 100, 50}},
      {"pixel dimension", [&] { device->CropToArea(&dim); }, {10, 408, 100, 50}},
      {"whole window ratioed", [&] { device->CropToAreaRatioed(0, 0, 640, 480); }, {0, 0, 640, 480}},
      {"ratioed", [&] { device->CropToAreaRatioed(320, 240, 160, 120); }, {320, 120, 160, 120}},
  };
  for (const Case &c : cases) {
    c.crop();
    GLint box[4];
    GetScissor(box);
    for (int i = 0; i < 4; i++) EXPECT_EQ(box[i], c.box[i]) << c.what << " [" << i << "]";
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST)) << c.what;
    EXPECT_TRUE(device->IsCropOn());
  }
  device->TurnOffCrop();
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_FALSE(device->IsCropOn());

  // Inside a viewport (100, 100, 320, 240) the design space shrinks to it.
  device->SetViewportToSize(100, 100, 320, 240);
  for (int in_viewport = 0; in_viewport < 2; in_viewport++) {
    if (in_viewport)
      device->CropToAreaInViewportRatioed(0, 0, 320, 240);
    else
      device->CropToAreaRatioed(0, 0, 320, 240);
    GLint box[4];
    GetScissor(box);
    EXPECT_EQ(box[0], 100);
    EXPECT_EQ(box[1], 480 - 100 - 120);
    EXPECT_EQ(box[2], 160);
    EXPECT_EQ(box[3], 120);
  }
  device->TurnOffCrop();
  device->SetViewportFullScreen();

  EngDeviceGL_SetOrientationForTests(4);
  EXPECT_NE(Logged([&] { device->CropToAreaRatioed(0, 0, 10, 10); }).find("Not implemented for orientation"),
            std::string::npos);
  EXPECT_FALSE(device->IsCropOn());
}

TEST_F(DeviceTest, ADesignSpaceQuadLandsOnItsPixelsAndCropClipsIt) {
  device->SetClearColour(0.0f, 0.0f, 0.0f);
  device->ClearScreen();
  device->PrepareFor2D(1);
  DrawDesignQuad(100, 50, 100, 100, 1.0f, 0.0f, 0.0f);
  struct Probe {
    int x, y;
    unsigned char red;
  };
  // The 640 by 480 window maps design units one to one.
  const Probe probes[] = {{100, 50, 255}, {199, 149, 255}, {150, 100, 255}, {99, 100, 0},
                          {200, 100, 0},  {150, 49, 0},    {150, 150, 0},   {0, 0, 0}};
  for (const Probe &p : probes) {
    unsigned char rgb[3];
    ReadPixel(p.x, p.y, rgb);
    EXPECT_EQ(rgb[0], p.red) << "pixel " << p.x << "," << p.y;
  }

  device->ClearScreen();
  device->CropToAreaRatioed(0, 0, 150, 480);
  DrawDesignQuad(100, 50, 100, 100, 0.0f, 1.0f, 0.0f);
  device->TurnOffCrop();
  unsigned char rgb[3];
  ReadPixel(149, 100, rgb);
  EXPECT_EQ(rgb[1], 255);
  ReadPixel(150, 100, rgb);
  EXPECT_EQ(rgb[1], 0);
  device->RestoreAfter2D();
}
