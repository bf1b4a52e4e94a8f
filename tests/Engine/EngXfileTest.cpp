// Mesh models without a context: part bookkeeping, the colour setters, what the front answers
// on a device that is not OpenGL, and loading untextured model files the tests write.
#include "Engine/EngXfile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Engine/EngMain.h"
#include "Engine/EngMaterials.h"
#include "Engine/EngProgram.h"
#include "tests/Engine/XfileTestSupport.h"
#include "tests/support/TestSupport.h"

using qwtest::MemoryModel;
using qwtest::SquareMeshText;

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

// --- Loading model files ---------------------------------------------------------------------

std::vector<float> Floats(const float *p, int n) { return p ? std::vector<float>(p, p + n) : std::vector<float>(); }

TEST_F(EngXfileTest, LoadFromFileReadsTheModelIntoItsPartsAndALaterLoadReplacesThem) {
  qwtest::TempDir dir;
  SquareMeshText red;
  red.r = 1, red.g = 0, red.b = 0;
  SquareMeshText moved;
  moved.name = "Moved";
  moved.r = 0, moved.g = 0.5f, moved.b = 0;
  moved.frame = true;
  moved.tx = 10, moved.ty = 20, moved.tz = 0;
  qwtest::WriteWholeFile(dir.File("two.x"), "xof 0303txt 0032\n" + red.Text() + moved.Text());

  MemoryModel model;
  std::string log = Logged([&] {
    EXPECT_EQ(model.LoadFromFile(dir.Path().c_str(), "two.x", 2, 3, 1, nullptr, 0, 0, nullptr, nullptr, nullptr), 1);
  });
  ASSERT_EQ(model.GetNumMaterials(), 2) << log;
  EXPECT_EQ(model.IsOk(), 1);
  _EngXfilePart *square = model.Part(0);
  ASSERT_EQ(square->num_vertices, 6);
  EXPECT_EQ(Floats(square->positions, 18), (std::vector<float>{0, 0, 0, 2, 0, 0, 2, 3, 0, 0, 0, 0, 2, 3, 0, 0, 3, 0}));
  EXPECT_EQ(Floats(square->normals, 18), (std::vector<float>{0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}));
  EXPECT_EQ(Floats(square->diffuse, 4), (std::vector<float>{1, 0, 0, 1}));
  EXPECT_EQ(square->texture, nullptr);
  _EngXfilePart *frame = model.Part(1);
  ASSERT_EQ(frame->num_vertices, 6);
  EXPECT_EQ(Floats(frame->positions, 3), (std::vector<float>{20, 60, 0}));
  // The frame's translation moves the corners, never the normals.
  EXPECT_EQ(Floats(frame->normals, 3), (std::vector<float>{0, 0, 1}));
  EXPECT_EQ(Floats(frame->diffuse, 4), (std::vector<float>{0, 0.5f, 0, 1}));
  EXPECT_EQ(model.Part(2)->num_vertices, 0);

  // Without a folder the name is the path; the old parts go.
  qwtest::WriteWholeFile(dir.File("one.x"), red.Text());
  EXPECT_EQ(model.LoadFromFile(nullptr, dir.File("one.x").c_str(), 1, 1, 1, nullptr, 0, 0, nullptr, nullptr, nullptr),
            1);
  EXPECT_EQ(model.GetNumMaterials(), 1);
  EXPECT_EQ(Floats(model.Part(0)->positions, 9), (std::vector<float>{0, 0, 0, 1, 0, 0, 1, 1, 0}));
  EXPECT_EQ(model.Part(1)->positions, nullptr);

  // No device exists here: destroying still frees every array.
  ASSERT_EQ(eng_main_device, nullptr);
  model.Destroy();
  EXPECT_EQ(model.Parts(), nullptr);
  EXPECT_EQ(model.GetNumMaterials(), 0);
}

char *NoTexture(EngXfile *, int, char *, char *, void *, void *) {
  static char empty[] = "";
  return empty;
}

char *TooLongTextureName(EngXfile *, int, char *, char *, void *, void *) {
  static std::string name(300, 'n');
  return &name[0];
}

// Every bad file is refused with the parser's messages or keeps only its sound parts; none
// leaves a triangle that was never written, and the model takes a good file afterwards.
TEST_F(EngXfileTest, MalformedModelFilesAreRefusedWithTheirMessages) {
  qwtest::TempDir dir;
  const std::string good = SquareMeshText().Text();
  SquareMeshText textured;
  textured.texture = "missing.tga";
  auto edited = [&](const std::string &from, const std::string &to) {
    std::string text = good;
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  std::string many;
  for (int i = 0; i < 150; i++) many += "Mesh m {\n}\n";
  const std::string near_limit(511 - dir.Path().size(), 'x');  // with the slash: 512 characters

  struct Case {
    const char *name;
    const char *file;  // null: no file name
    std::string text;  // written unless the case is about the name
    XFILE_MATERIAL_OVERWRITE_FUNC overwrite;
    char result;
    std::vector<std::string> messages;
    int parts;     // the part count after the load
    int vertices;  // part 0's vertex count
  };
  const Case cases[] = {
      {"no name", nullptr, "", nullptr, 0, {"No file name"}, 0, 0},
      {"name too long", near_limit.c_str(), "", nullptr, 0, {"Invalid file name <"}, 0, 0},
      {"missing file", "absent.x", "", nullptr, 0, {"Could not open file <", "absent.x>"}, 0, 0},
      {"empty file", "m.x", "", nullptr, 0, {"Could not find any meshes in model", "Failed to parse the xfile"}, 0, 0},
      {"150 meshes", "m.x", many, nullptr, 0, {"Too many parts in model", "Failed to parse the xfile"}, 0, 0},
      {"absurd vertex count", "m.x", edited("Square {\n4;", "Square {\n4294967295;"), nullptr, 1,
       {"Too many m_vertices"}, 1, 0},
      {"fewer vertices than counted", "m.x", edited("Square {\n4;", "Square {\n5;"), nullptr, 1,
       {"Bad vertex <"}, 1, 0},
      {"face past the vertices", "m.x", edited("3;0,2,3;;", "3;0,2,9;;"), nullptr, 1, {"Bad Vertices (0 2 9)"}, 1, 0},
      {"normal past the normals", "m.x", edited("3;0,0,0;;\n}", "3;0,0,4;;\n}"), nullptr, 1,
       {"Bad Normals (0 0 4)"}, 1, 0},
      {"five-point face", "m.x", edited("3;0,2,3;;", "5;0,1,2,3,0;;"), nullptr, 1,
       {"<5> point m_faces not supported"}, 1, 0},
      {"truncated", "m.x", good.substr(0, good.find("MeshNormals")), nullptr, 1, {}, 1, 0},
      {"long line", "m.x", edited("0.0;0.0;0.0;,", "0.0;0.0;0.0;," + std::string(600, ' ')), nullptr, 1,
       {"Line too long"}, 1, 0},
      {"overwrite name too long", "m.x", textured.Text(), TooLongTextureName, 0,
       {"Material name to long <nnn", "Failed to parse the xfile"}, 1, 6},
      {"overwrite removes the texture", "m.x", textured.Text(), NoTexture, 1, {}, 1, 6},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    if (c.file && std::string(c.file) == "m.x") qwtest::WriteWholeFile(dir.File("m.x"), c.text);
    MemoryModel model;
    std::string log = Logged([&] {
      EXPECT_EQ(model.LoadFromFile(dir.Path().c_str(), c.file, 1, 1, 1, nullptr, 0, 0, c.overwrite, nullptr, nullptr),
                c.result);
    });
    for (const std::string &m : c.messages) EXPECT_TRUE(Contains(log, m)) << m << "\n" << log;
    EXPECT_EQ(model.GetNumMaterials(), c.parts);
    if (c.parts > 0) {
      _EngXfilePart *part = model.Part(0);
      EXPECT_EQ(part->num_vertices, c.vertices);
      if (c.vertices == 0) {
        EXPECT_EQ(part->positions, nullptr);
      }
      EXPECT_EQ(part->texture, nullptr);
    }
    model.Render();
    qwtest::WriteWholeFile(dir.File("good.x"), good);
    EXPECT_EQ(model.LoadFromFile(dir.Path().c_str(), "good.x", 1, 1, 1, nullptr, 0, 0, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(model.Part(0)->num_vertices, 6);
  }
}

// A quad face is not drawn as two triangles: its triangle slot stays, cleared, so it draws
// nothing rather than whatever the memory held.
TEST_F(EngXfileTest, QuadFacesLeaveAClearedTriangle) {
  qwtest::TempDir dir;
  std::string text = SquareMeshText().Text();
  text.replace(text.find("3;0,2,3;;"), 9, "4;0,1,2,3;;");
  text.replace(text.find("3;0,0,0;;\n}"), 9, "4;0,0,0,0;;");
  qwtest::WriteWholeFile(dir.File("quad.x"), text);
  MemoryModel model;
  std::string log = Logged([&] {
    EXPECT_EQ(model.LoadFromFile(dir.Path().c_str(), "quad.x", 5, 5, 5, nullptr, 0, 0, nullptr, nullptr, nullptr), 1);
  });
  EXPECT_TRUE(Contains(log, "Not updated")) << log;
  _EngXfilePart *part = model.Part(0);
  ASSERT_EQ(part->num_vertices, 6);
  EXPECT_EQ(Floats(part->positions, 9), (std::vector<float>{0, 0, 0, 5, 0, 0, 5, 5, 0}));
  EXPECT_EQ(Floats(part->positions + 9, 9), std::vector<float>(9, 0.0f));
  EXPECT_EQ(Floats(part->normals + 9, 9), std::vector<float>(9, 0.0f));
}
