// Screen dimming: the drawn black quad darkens what is on screen and leaves the state alone.
#include "Engine/EngDim.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "Engine/EngDeviceGL.h"
#include "Engine/EngMain.h"
#include "tests/Engine/DeviceTestSupport.h"

using qwtest::DeviceTest;

TEST_F(DeviceTest, DimmingDarkensTheScreenByOneMinusTheLevel) {
  struct Case {
    float level;
    int expected;  // of a white screen
  };
  const Case cases[] = {{1.0f, 255}, {0.25f, 64}, {0.5f, 128}, {0.0f, 0}};
  for (const Case &c : cases) {
    device->SetClearColour(1.0f, 1.0f, 1.0f);
    device->ClearScreen();
    EngDimSetLevel(c.level);
    EXPECT_TRUE(EngDimIsOn());
    EngDimDo();
    unsigned char rgb[3];
    ReadPixel(320, 240, rgb);
    EXPECT_NEAR(rgb[0], c.expected, 1) << "level " << c.level;
    ReadPixel(0, 0, rgb);
    EXPECT_NEAR(rgb[2], c.expected, 1) << "level " << c.level;
    ReadPixel(639, 479, rgb);
    EXPECT_NEAR(rgb[1], c.expected, 1) << "level " << c.level;
  }
  EngDimTurnOff();
  EXPECT_EQ(EngDimGetLevel(), 0.0f);
  device->ClearScreen();
  EngDimDo();
  unsigned char rgb[3];
  ReadPixel(320, 240, rgb);
  EXPECT_EQ(rgb[0], 255);
}

TEST_F(DeviceTest, DarkeningLeavesBlending2DAndLightingAsFound) {
  device->EnableBlendingType(10);
  EngDimDarkenScreen(0.0f);
  char on;
  EngInt32 source, destination;
  device->GetBlendingState(&on, &source, &destination);
  EXPECT_EQ(on, 1);
  GLint gl_source;
  glGetIntegerv(GL_BLEND_SRC, &gl_source);
  EXPECT_EQ(gl_source, GL_ONE);
  EXPECT_EQ(source, GL_ONE);
  EXPECT_FALSE(device->Is2dPrepared());
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0], 1.0f);

  device->DisableBlending();
  device->PrepareFor2D(1);
  EngDimDarkenScreen(0.5f);
  EXPECT_TRUE(device->Is2dPrepared());
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  device->RestoreAfter2D();
}

TEST(EngDim, DoesNothingForAnotherDeviceKind) {
  EngDimResetForTests();
  eng_main_device_type = 0;
  EngDimSetLevel(0.5f);
  EXPECT_EQ(EngDimIsOn(), 0);
  EXPECT_EQ(EngDimGetLevel(), 0.0f);
  EngDimDarkenScreen(1.0f);
}
