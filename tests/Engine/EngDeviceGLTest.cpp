// The OpenGL back end's state as OpenGL itself reports it: defaults, viewports, depth, faces,
// clearing, transforms, the rendering flag and picking.
#include "Engine/EngDeviceGL.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "Engine/EngMatrix.h"
#include "tests/Engine/DeviceTestSupport.h"

using qwtest::DeviceTest;

namespace {

GLint GetInt(GLenum what) {
  GLint v = 0;
  glGetIntegerv(what, &v);
  return v;
}

void GetViewport(GLint out[4]) { glGetIntegerv(GL_VIEWPORT, out); }

void ExpectMatrixNear(const float *a, const float *b) {
  for (int i = 0; i < 16; i++) EXPECT_NEAR(a[i], b[i], 1e-5f) << "element " << i;
}

}  // namespace

TEST_F(DeviceTest, DefaultsReachOpenGl) {
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(GetInt(GL_DEPTH_FUNC), GL_LEQUAL);
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(GetInt(GL_FRONT_FACE), GL_CCW);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
  EXPECT_EQ(GetInt(GL_UNPACK_ALIGNMENT), 1);
  EXPECT_EQ(GetInt(GL_PACK_ALIGNMENT), 1);
  GLint vp[4];
  GetViewport(vp);
  EXPECT_EQ(vp[2], 640);
  EXPECT_EQ(vp[3], 480);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0], 0.0f);
  EXPECT_EQ(clear[3], 1.0f);
  EXPECT_EQ(EDEV_BLEND_SRC_ALPHA, GL_SRC_ALPHA);
  EXPECT_EQ(EDEV_BLEND_INV_DEST_COLOUR, GL_ONE_MINUS_DST_COLOR);
  EXPECT_EQ(EDEV_BLEND_SRC_ALPHA_SATURATE, GL_SRC_ALPHA_SATURATE);
  EXPECT_EQ(device->GetPerspectiveFOV(), 45.0f);
  EXPECT_TRUE(device->IsViewportFullScreen());
}

TEST_F(DeviceTest, ViewportsTurnTopLeftRectanglesIntoOpenGlOnes) {
  struct Case {
    int window_w, window_h;
    char ratioed;
    int x, y, w, h;
    GLint gl[4];
  };
  const Case cases[] = {
      {640, 480, 0, 10, 20, 100, 50, {10, 410, 100, 50}},
      {1280, 960, 0, 10, 20, 100, 50, {10, 890, 100, 50}},
      {1280, 960, 1, 10, 20, 100, 50, {20, 820, 200, 100}},
      {1024, 768, 1, 1, 1, 3, 3, {2, 761, 5, 5}},
  };
  for (const Case &c : cases) {
    eng_main_window_width = c.window_w;
    eng_main_window_height = c.window_h;
    if (c.ratioed)
      device->SetViewportToSizeRatioed(c.x, c.y, c.w, c.h);
    else
      device->SetViewportToSize(c.x, c.y, c.w, c.h);
    GLint vp[4];
    GetViewport(vp);
    EXPECT_EQ(vp[0], c.gl[0]);
    EXPECT_EQ(vp[1], c.gl[1]);
    EXPECT_EQ(vp[2], c.gl[2]);
    EXPECT_EQ(vp[3], c.gl[3]);
    EXPECT_FALSE(device->IsViewportFullScreen());
  }
  eng_main_window_width = 640;
  eng_main_window_height = 480;
  device->SetViewportToSize(10, 20, 100, 50);
  _EngDeviceViewport current;
  device->GetCurrentViewport(&current);
  EXPECT_EQ(current.x, 10);
  EXPECT_EQ(current.y, 20);
  EXPECT_EQ(current.width, 100);
  EXPECT_EQ(current.height, 50);

  // A null rectangle means the full window.
  device->SetViewportToSize(static_cast<_Dimension *>(nullptr));
  EXPECT_TRUE(device->IsViewportFullScreen());
  EXPECT_EQ(device->GetCurrentViewport()->width, 640);
  GLint vp[4];
  GetViewport(vp);
  EXPECT_EQ(vp[1], 0);
  EXPECT_EQ(vp[3], 480);
}

TEST_F(DeviceTest, ViewportsFollowTheScreenOrientation) {
  struct Case {
    int orientation;
    GLint gl[4];
  };
  // Design rectangle (12, 20, 100, 50) in a 640 by 480 window.
  const Case cases[] = {
      {0, {12, 410, 100, 50}},
      {1, {528, 20, 100, 50}},
      {2, {546, 396, 67, 75}},
      {3, {27, 9, 67, 75}},
  };
  for (const Case &c : cases) {
    EngDeviceGL_SetOrientationForTests(c.orientation);
    device->SetViewportToSizeWithOrientationRatioed(12, 20, 100, 50);
    GLint vp[4];
    GetViewport(vp);
    EXPECT_EQ(vp[0], c.gl[0]) << "orientation " << c.orientation;
    EXPECT_EQ(vp[1], c.gl[1]) << "orientation " << c.orientation;
    EXPECT_EQ(vp[2], c.gl[2]) << "orientation " << c.orientation;
    EXPECT_EQ(vp[3], c.gl[3]) << "orientation " << c.orientation;
  }
}

TEST_F(DeviceTest, WithoutAContextValuesAreKeptButOpenGlIsLeftAlone) {
  eng_gl_3d_setup = 0;
  device->SetViewportToSize(10, 20, 100, 50);
  device->SetClearColour(1.0f, 0.0f, 0.0f);
  device->UseDepthBuffer(0);
  device->PushTransformMatrix();
  EXPECT_EQ(device->BeginRendering(), 0);
  eng_gl_3d_setup = 1;
  EXPECT_TRUE(device->IsViewportFullScreen());
  EXPECT_EQ(eng_main_device_gl->GetTransformPushDepth(), 0);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0], 0.0f);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  float r;
  device->GetClearColour(&r, nullptr, nullptr);
  EXPECT_EQ(r, 1.0f);
  EXPECT_FALSE(device->IsDepthBufferOn());
}

TEST_F(DeviceTest, DepthCullingAndFaceOrder) {
  device->UseDepthBuffer(0);
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  device->TurnOnDepthBuffer();  // not in use: no effect
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  device->UseDepthBuffer(1);
  EXPECT_EQ(device->TurnOffDepthBufferIfNeeded(), 1);
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(device->TurnOffDepthBufferIfNeeded(), 0);
  device->TurnOnDepthBuffer();
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

  device->ShowTwoSidedPolygons(1);
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(device->ShowTwoSidedPolygonsIfNeeded(0), 1);
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(device->ShowTwoSidedPolygonsIfNeeded(0), 0);

  device->SetPolygonDrawOrder(0);
  EXPECT_EQ(GetInt(GL_FRONT_FACE), GL_CW);
  device->SetPolygonDrawOrder(1);
  EXPECT_EQ(GetInt(GL_FRONT_FACE), GL_CCW);

  EXPECT_EQ(device->TurnOffLightingIfNeeded(), 1);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_EQ(device->TurnOffLightingIfNeeded(), 0);
  EXPECT_EQ(device->TurnOnLightingIfNeeded(), 1);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(DeviceTest, ClearScreenUsesTheStoredColour) {
  device->SetClearColour(1.0f, 0.0f, 1.0f);
  device->ClearScreen();
  unsigned char rgb[3];
  ReadPixel(5, 5, rgb);
  EXPECT_EQ(rgb[0], 255);
  EXPECT_EQ(rgb[1], 0);
  EXPECT_EQ(rgb[2], 255);
  device->SetClearColour(static_cast<const _ColourRGB *>(nullptr));
  device->ClearScreenBuffer();
  ReadPixel(5, 5, rgb);
  EXPECT_EQ(rgb[0], 0);
  std::string log = Logged([&] { device->GetClearColour(static_cast<_ColourRGB *>(nullptr)); });
  EXPECT_NE(log.find("GetClearColour"), std::string::npos);
}

TEST_F(DeviceTest, TransformPushAndPopRestoreTheModelView) {
  device->SetTransformMatrixPos(1.0f, 2.0f, 3.0f);
  device->PushTransformMatrix();
  device->SetTransformMatrixRotDeg(0.0f, 0.0f, 90.0f);
  device->PopTransformMatrix();
  EngMatrix got, want;
  device->GetTransformMatrix(&got);
  want.SetTranslateMatrix(1.0f, 2.0f, 3.0f);
  ExpectMatrixNear(got.m, want.m);
  EXPECT_EQ(eng_main_device_gl->GetTransformPushDepth(), 0);

  // One push, two pops: the second is refused before it reaches OpenGL's stack.
  device->PushTransformMatrix();
  device->PopTransformMatrix();
  std::string log = Logged([&] { device->PopTransformMatrix(); });
  EXPECT_NE(log.find("Too many pops"), std::string::npos);
  EXPECT_EQ(eng_main_device_gl->GetTransformPushDepth(), 0);
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(DeviceTest, TransformSettersApplyTranslationRotationAndScaleInOrder) {
  EngMatrix got, want;
  device->SetTransformMatrixRot(0.0f, 0.0f, 0.0f);
  device->GetTransformMatrix(&got);
  want.SetIdentityMatrix();
  ExpectMatrixNear(got.m, want.m);

  // translate, rotate Z by 90 degrees, scale 2: a point (1, 0, 0) lands at (5, 8, 3).
  device->SetTransformMatrixPosRotScale(5.0f, 6.0f, 3.0f, 0.0f, 0.0f, 1.5707964f, 2.0f, 2.0f, 2.0f);
  device->GetTransformMatrix(&got);
  _Vector3d p = {1.0f, 0.0f, 0.0f}, out;
  got.TransformVectorByMatrix2(&p, &out);
  EXPECT_NEAR(out.x, 5.0f, 1e-4f);
  EXPECT_NEAR(out.y, 8.0f, 1e-4f);
  EXPECT_NEAR(out.z, 3.0f, 1e-4f);

  device->SetTransformMatrixPosScaleRot(5.0f, 6.0f, 3.0f, 2.0f, 1.0f, 1.0f, 0.0f, 0.0f, 1.5707964f);
  device->GetTransformMatrix(&got);
  got.TransformVectorByMatrix2(&p, &out);
  EXPECT_NEAR(out.x, 5.0f, 1e-4f);
  EXPECT_NEAR(out.y, 7.0f, 1e-4f);

  device->SetTransformMatrixPos(1.0f, 0.0f, 0.0f);
  device->MultTransformMatrixScale(3.0f, 3.0f, 3.0f);
  device->GetTransformMatrix(&got);
  got.TransformVectorByMatrix2(&p, &out);
  EXPECT_NEAR(out.x, 4.0f, 1e-5f);

  EngMatrix m;
  m.SetTranslateMatrix(7.0f, 8.0f, 9.0f);
  device->SetTransformMatrix(&m);
  device->GetTransformMatrix(&got);
  ExpectMatrixNear(got.m, m.m);
  device->SetTransformMatrix(nullptr);
  device->GetTransformMatrix(&got);
  ExpectMatrixNear(got.m, want.m);
}

TEST_F(DeviceTest, PerspectiveAndLookAtBuildTheLoadedProjection) {
  device->SetPerspectiveFOV(60.0f, 0);
  EngMatrix projection;
  device->GetProjectionMatrix(&projection);
  EXPECT_EQ(projection.m[0], 1.0f);  // stored only, not yet applied
  const _Vector3d eye = {0.0f, 0.0f, 10.0f}, target = {0.0f, 0.0f, 0.0f}, up = {0.0f, 1.0f, 0.0f};
  device->SetupLookAtViewAxisUp(&eye, &target, &up);
  device->SetPerspectiveFOV(60.0f, 1);
  EngMatrix perspective, view, want;
  perspective.SetPerspectiveMatrix(60.0f, 1.0f, 0.01f, 100.0f);
  view.SetLookAtMatrix(&eye, &target, &up);
  EngMatrixMultiplyMatrixByMatrix(&perspective, &view, &want);
  device->GetProjectionMatrix(&projection);
  ExpectMatrixNear(projection.m, want.m);
  GLfloat loaded[16];
  glGetFloatv(GL_PROJECTION_MATRIX, loaded);
  ExpectMatrixNear(loaded, want.m);
  EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
}

TEST_F(DeviceTest, PickingFindsThePointUnderAPixel) {
  eng_main_window_width = 640;
  eng_main_window_height = 480;
  const _Vector3d up = {0.0f, 1.0f, 0.0f};
  struct Case {
    _Vector3d eye;
    float surface;
  };
  const Case cases[] = {{{0, 0, 10}, 0.0f}, {{3, 4, 10}, 0.0f}, {{3, 4, 10}, -5.0f}};
  device->SetPerspectiveAspect(640.0f / 480.0f, 1);
  for (const Case &c : cases) {
    const _Vector3d target = {c.eye.x, c.eye.y, 0.0f};
    device->SetupLookAtViewAxisUp(&c.eye, &target, &up);
    float a = -1, b = -1;
    ASSERT_EQ(device->GetScreenPointInFullScreen(320, 240, c.surface, &a, &b), 1);
    EXPECT_NEAR(a, c.eye.x, 1e-3f);
    EXPECT_NEAR(b, c.eye.y, 1e-3f);
  }
  // A point projected to the screen comes back as the same pixel.
  const _Vector3d eye = {0, 0, 10}, target = {0, 0, 0};
  device->SetupLookAtViewAxisUp(&eye, &target, &up);
  const _Vector3d point = {1.0f, 1.0f, 0.0f};
  _Vector2d pixel;
  ASSERT_EQ(device->Convert3DPointTo2D(&point, &pixel, 0), 1);
  float a, b;
  ASSERT_EQ(device->GetScreenPointInFullScreen((int)(pixel.x + 0.5f), (int)(pixel.y + 0.5f), 0.0f, &a, &b), 1);
  EXPECT_NEAR(a, 1.0f, 0.05f);
  EXPECT_NEAR(b, 1.0f, 0.05f);
  _Vector2d design;
  device->Convert3DPointTo2D(&target, &design, 1);
  EXPECT_NEAR(design.x, 320.0f, 1e-3f);
  EXPECT_NEAR(design.y, 240.0f, 1e-3f);
  EXPECT_NE(Logged([&] { device->Convert3DPointTo2D(nullptr, &design, 0); }).find("Invalid parameters"),
            std::string::npos);
  // Outside the viewport, the XZ form refuses.
  _EngDeviceViewport vp = {0, 0, 100, 100, 0, 1};
  EXPECT_EQ(device->GetScreenPointInViewportStructXZ(&vp, 200, 50, 0.0f, &a, &b), 0);
}

TEST_F(DeviceTest, RenderingFlag) {
  EXPECT_EQ(device->BeginRenderingIfNeeded(), 1);
  EXPECT_EQ(device->BeginRenderingIfNeeded(), 0);
  EXPECT_EQ(device->IsRenderingOn(), 1);
  device->EndRendering();
  EXPECT_NE(Logged([&] { device->EndRendering(); }).find("Not rendering"), std::string::npos);
  EXPECT_EQ(device->IsRenderingOn(), 0);
}
