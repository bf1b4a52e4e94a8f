// OpenGL error reports: one error read per call, at most 100 reports a run.
#include "Engine/EngUtilsGL.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "Engine/EngDevice.h"
#include "tests/Engine/DeviceTestSupport.h"

using qwtest::DeviceTest;

namespace {

bool Contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

TEST_F(DeviceTest, ErrorChecksReportTheFirstHundredErrorsOnly) {
  EXPECT_EQ(EngUtilsGL_ErrorCheck("void Caller()", "label"), 1);
  for (int report = 1; report <= 102; report++) {
    glEnable(0x7FFF);
    std::string log = Logged([&] { EXPECT_EQ(EngUtilsGL_ErrorCheck("void Caller()", "label"), 0); });
    if (report < 100) {
      EXPECT_TRUE(Contains(log, "label : OpenGL error: GL_INVALID_ENUM")) << report << ": " << log;
      EXPECT_FALSE(Contains(log, "no more errors")) << report;
    } else if (report == 100) {
      EXPECT_TRUE(Contains(log, "label : OpenGL error: GL_INVALID_ENUM (no more errors)")) << log;
    } else {
      EXPECT_EQ(log, "") << report;
    }
  }
  EXPECT_EQ(EngUtilsGL_ErrorCheck("void Caller()", nullptr), 1);

  // Without a context nothing is read.
  glEnable(0x7FFF);
  eng_gl_3d_setup = 0;
  EXPECT_EQ(EngUtilsGL_ErrorCheck("void Caller()", "label"), 1);
  eng_gl_3d_setup = 1;
  EXPECT_EQ(glGetError(), (GLenum)GL_INVALID_ENUM);
}

}  // namespace
