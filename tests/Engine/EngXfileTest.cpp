// Mesh models without a context: part bookkeeping, the colour setters and what the front
// answers on a device that is not OpenGL. Models are built in memory.
#include "Engine/EngXfile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Engine/EngMain.h"
#include "Engine/EngMaterials.h"
#include "Engine/EngProgram.h"
#include "tests/Engine/XfileTestSupport.h"

using qwtest::MemoryModel;

namespace {

bool Contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

class EngXfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
    EngXfileResetForTests();
  }
  void TearDown() override {
    EngMaterialsUseAdvancedMaterials(0);
    EngXfileResetForTests();
    eng_main_device_type = 0;
  }
  static std::string Logged(const std::function<void()> &f) {
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
  }
};

TEST_F(EngXfileTest, CheckPartNumAcceptsOnlyExistingPartsAndReportsUnderTheCallersName) {
  MemoryModel model;
  std::string log = Logged([&] { EXPECT_EQ(model.CheckPartNum("void Caller(int)", 0), 0); });
  EXPECT_TRUE(Contains(log, "( Caller )")) << log;
  EXPECT_TRUE(Contains(log, "Parts are not created.")) << log;

  model.Build(3);
  struct Case {
    int num;
    char ok;
  };
  const Case cases[] = {{-1, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 0}};
  for (const Case &c : cases) {
    log = Logged([&] { EXPECT_EQ(model.CheckPartNum("void Caller(int)", c.num), c.ok) << c.num; });
    if (c.ok)
      EXPECT_EQ(log, "") << c.num;
    else
      EXPECT_TRUE(Contains(log, "XFile only has 3 materials (num = " + std::to_string(c.num) + ")")) << log;
  }
}

TEST_F(EngXfileTest, MaterialListsAreFreedPerPartAndTwiceWithoutHarm) {
  MemoryModel model;
  std::string log = Logged([&] {
    EXPECT_EQ(model.FreeAllMaterialLists(), 0);
    EXPECT_EQ(model.FreePartMaterialLists(0), 0);
  });
  EXPECT_TRUE(Contains(log, "No parts.")) << log;

  model.Build(3);
  for (int i = 0; i < 3; i++) model.SetSquare(i, 0, 0, 1);
  EXPECT_EQ(model.FreePartMaterialLists(1), 1);
  EXPECT_EQ(model.Part(1)->positions, nullptr);
  EXPECT_EQ(model.Part(1)->num_vertices, 0);
  EXPECT_NE(model.Part(0)->positions, nullptr);
  EXPECT_EQ(model.FreePartMaterialLists(1), 1);
  log = Logged([&] { EXPECT_EQ(model.FreePartMaterialLists(3), 0); });
  EXPECT_TRUE(Contains(log, "Bad part num 3 (3).")) << log;
  EXPECT_EQ(model.FreeAllMaterialLists(), 1);
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(model.Part(i)->positions, nullptr);
    EXPECT_EQ(model.Part(i)->normals, nullptr);
    EXPECT_EQ(model.Part(i)->tex_coords, nullptr);
  }
  EXPECT_EQ(model.FreeAllMaterialLists(), 1);
}

TEST_F(EngXfileTest, DataFileTypesOneToFourAreAccepted) {
  for (int type = -1; type <= 5; type++) {
    bool valid = type >= 1 && type <= 4;
    std::string log = Logged([&] { EXPECT_EQ(EngXfileDatFilesHaveType((char)type), valid ? 1 : 0) << type; });
    EXPECT_EQ(Contains(log, "Invalid type"), !valid) << type;
  }
}

TEST_F(EngXfileTest, WithoutOpenGlEveryForwardedOperationAnswersZeroQuietly) {
  eng_main_device_type = 0;
  MemoryModel model;
  model.Build(2);
  model.SetSquare(0, 0, 0, 1);
  EngTexture *texture = nullptr;
  std::string log = Logged([&] {
    EXPECT_EQ(model.GetNumMaterials(), 0);
    EXPECT_EQ(model.IsOk(), 0);
    EXPECT_EQ(model.GetPartMaterialTexture(0, &texture), 0);
    EXPECT_EQ(model.LoadFromFile("folder", "model.x", 1, 1, 1, nullptr, 0, 0, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(model.SetAllMaterialsTexturesFromFile("a.tga", 0, 0, 0), 0);
    EXPECT_EQ(model.SetMaterialTextureFromFile(0, "a.tga", 0, 0, 0), 0);
    EXPECT_EQ(model.RenderPart(0, 0, 0, 0, 0, nullptr, nullptr), 0);
    model.SetColour(0.5f, 0.5f, 0.5f);
    model.SetMaterialColours(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1);
    model.Render();
    model.Destroy();
    EngXfileUseColourWhenRenderingPartsThatHaveTextures(1);
  });
  EXPECT_EQ(log, "");
  EXPECT_EQ(model.Part(0)->diffuse[0], 1.0f);
  EXPECT_EQ(model.Part(0)->blending_on, 0);
  // The parts are still there; the model frees them when it goes, device or not.
  EXPECT_NE(model.Part(0)->positions, nullptr);
}

TEST_F(EngXfileTest, QueriesAndDestroyWorkOnTheParts) {
  MemoryModel model;
  EngTexture *texture = reinterpret_cast<EngTexture *>(1);
  std::string log = Logged([&] {
    EXPECT_EQ(model.IsOk(), 0);
    EXPECT_EQ(model.GetNumMaterials(), 0);
    EXPECT_EQ(model.GetPartMaterialTexture(0, &texture), 0);
  });
  EXPECT_TRUE(Contains(log, "Parts not created.")) << log;

  model.Build(2);
  model.SetSquare(0, 0, 0, 1);
  model.SetSquare(1, 0, 0, 1);
  EXPECT_EQ(model.IsOk(), 1);
  EXPECT_EQ(model.GetNumMaterials(), 2);
  EXPECT_EQ(model.GetPartMaterialTexture(1, &texture), 0) << "no texture";
  EXPECT_EQ(texture, nullptr);
  log = Logged([&] { EXPECT_EQ(model.GetPartMaterialTexture(2, &texture), 0); });
  EXPECT_TRUE(Contains(log, "Bad part num 2 (num = 2)")) << log;

  log = Logged([&] {
    EXPECT_EQ(model.RenderPart(0, 0, 0, 0, 0, nullptr, nullptr), 0) << "no device";
    model.Destroy();
  });
  EXPECT_EQ(log, "");
  EXPECT_EQ(model.Parts(), nullptr);
  EXPECT_EQ(model.IsOk(), 0);
  EXPECT_EQ(model.GetNumMaterials(), 0);
  model.Render();
  model.Destroy();
}

TEST_F(EngXfileTest, ColourSettersChangeTheDiffuseColourAndWithAdvancedMaterialsTheAmbient) {
  MemoryModel model;
  model.Build(2);
  model.SetMaterialColour(1, 0.25f, 0.5f, 0.75f);
  EXPECT_EQ(model.Part(1)->diffuse[0], 0.25f);
  EXPECT_EQ(model.Part(1)->diffuse[2], 0.75f);
  EXPECT_EQ(model.Part(1)->ambient[0], 1.0f);
  EXPECT_EQ(model.Part(0)->diffuse[0], 1.0f);
  model.SetTransparency(0.5f);
  EXPECT_EQ(model.Part(0)->diffuse[3], 0.5f);
  EXPECT_EQ(model.Part(1)->diffuse[3], 0.5f);
  EXPECT_EQ(model.Part(1)->ambient[3], 1.0f);

  std::string log = Logged([&] { EngXfileUseAdvancedMaterials(1); });
  EXPECT_TRUE(Contains(log, "Call EngMaterialsUseAdvancedMaterials(1) first")) << log;
  model.SetColour(0.1f, 0.2f, 0.3f);
  EXPECT_EQ(model.Part(0)->ambient[0], 1.0f) << "the switch stayed off";

  EngMaterialsUseAdvancedMaterials(1);
  EngXfileUseAdvancedMaterials(1);
  model.SetColourWithAlpha(0.1f, 0.2f, 0.3f, 0.4f);
  for (int i = 0; i < 2; i++) {
    EXPECT_EQ(model.Part(i)->diffuse[1], 0.2f);
    EXPECT_EQ(model.Part(i)->ambient[1], 0.2f);
    EXPECT_EQ(model.Part(i)->ambient[3], 0.4f);
  }
  model.SetMaterialTransparency(0, 0.9f);
  EXPECT_EQ(model.Part(0)->ambient[3], 0.9f);
  EXPECT_EQ(model.Part(1)->ambient[3], 0.4f);

  log = Logged([&] {
    model.SetMaterialColour(5, 0, 0, 0);
    model.SetMaterialTransparency(-1, 0);
  });
  EXPECT_TRUE(Contains(log, "XFile only has 2 materials (num = 5)")) << log;
  EXPECT_TRUE(Contains(log, "XFile only has 2 materials (num = -1)")) << log;
}

TEST_F(EngXfileTest, SpecularColourIsStoredEvenWhenAdvancedMaterialsAreOff) {
  MemoryModel model;
  model.Build(1);
  std::string log = Logged([&] { model.SetSpecularColour(0.2f, 0.4f, 0.6f, 30.0f); });
  EXPECT_TRUE(Contains(log, "Advanced Materials not on")) << log;
  EXPECT_EQ(model.Part(0)->specular[1], 0.4f);
  EXPECT_EQ(model.Part(0)->specular[3], 1.0f);
  EXPECT_EQ(model.Part(0)->shininess, 30.0f);
}

TEST_F(EngXfileTest, SetColoursTurnsBlendingOnByModeAndAlpha) {
  struct Case {
    char mode;
    float alpha;
    EngUInt8 blending;
  };
  const Case cases[] = {{1, 0.5f, 1}, {1, 1.0f, 0}, {1, 0.0f, 0}, {2, 1.0f, 1}, {2, 0.0f, 1}, {0, 0.5f, 0}};
  EngMaterialsUseAdvancedMaterials(1);
  EngXfileUseAdvancedMaterials(1);
  MemoryModel model;
  model.Build(2);
  for (const Case &c : cases) {
    model.SetColours(0.1f, 0.2f, 0.3f, c.alpha, 0.4f, 0.5f, 0.6f, 12.0f, 0.7f, 0.8f, 0.9f, c.mode, 7);
    for (int i = 0; i < 2; i++) {
      SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.alpha));
      const _EngXfilePart *p = model.Part(i);
      EXPECT_EQ(p->blending_on, c.blending);
      EXPECT_EQ(p->blend_type, 7);
      EXPECT_EQ(p->ambient[3], c.alpha);
      EXPECT_EQ(p->diffuse[2], 0.3f);
      EXPECT_EQ(p->specular[2], 0.6f);
      EXPECT_EQ(p->specular[3], 1.0f);
      EXPECT_EQ(p->emission[0], 0.7f);
      EXPECT_EQ(p->emission[3], 1.0f);
      EXPECT_EQ(p->shininess, 12.0f);
    }
  }
  EngXfileUseAdvancedMaterials(0);
  std::string log = Logged([&] { model.SetMaterialColours(0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0); });
  EXPECT_TRUE(Contains(log, "Advanced Materials not turned on")) << log;
  EXPECT_EQ(model.Part(0)->diffuse[3], 1.0f);
}

}  // namespace
