#include "Engine/EngXfileParse.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "tests/support/TestSupport.h"

namespace {

// Two meshes: an untextured triangle under a translating frame with an inline material, and a
// textured square that refers by name to a top-level material with a texture.
const char kModel[] =
    "xof 0303txt 0032\n"
    "\n"
    "Material Brick {\n"
    " 1.000000;1.000000;1.000000;1.000000;;\n"
    " 0.000000;\n"
    " 0.000000;0.000000;0.000000;;\n"
    " 0.000000;0.000000;0.000000;;\n"
    " TextureFilename {\n"
    "  \"brick.png\";\n"
    " }\n"
    "}\n"
    "\n"
    "Frame Body {\n"
    " FrameTransformMatrix {\n"
    "  1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,10.0,20.0,30.0,1.0;;\n"
    " }\n"
    " Mesh Tri {\n"
    "  3;\n"
    "  0.0;0.0;0.0;,\n"
    "  1.0;0.0;0.0;,\n"
    "  0.0;2.0;0.0;;\n"
    "  1;\n"
    "  3;0,1,2;;\n"
    "  MeshNormals {\n"
    "   1;\n"
    "   0.0;0.0;2.0;;\n"
    "   1;\n"
    "   3;0,0,0;;\n"
    "  }\n"
    "  MeshMaterialList {\n"
    "   1;\n"
    "   1;\n"
    "   0;;\n"
    "   Material Red {\n"
    "    1.000000;0.000000;0.000000;1.000000;;\n"
    "    12.000000;\n"
    "    0.500000;0.500000;0.500000;;\n"
    "    0.100000;0.200000;0.300000;;\n"
    "   }\n"
    "  }\n"
    " }\n"
    "}\n"
    "\n"
    "Mesh Square {\r\n"
    "  4;\r\n"
    "  0.0;0.0;0.0;,\r\n"
    "  1.0;0.0;0.0;,\r\n"
    "  1.0;1.0;0.0;,\r\n"
    "  0.0;1.0;0.0;;\r\n"
    "  2;\r\n"
    "  3;0,1,2;,\r\n"
    "  3;0,2,3;;\r\n"
    "  MeshNormals {\r\n"
    "  1;\r\n"
    "  0.0;0.0;1.0;;\r\n"
    "  2;\r\n"
    "  3;0,0,0;,\r\n"
    "  3;0,0,0;;\r\n"
    "  }\r\n"
    "  MeshMaterialList {\r\n"
    "  1;\r\n"
    "  2;\r\n"
    "  0;,\r\n"
    "  0;;\r\n"
    "  { Brick }\r\n"
    "  }\r\n"
    "  MeshTextureCoords {\r\n"
    "  4;\r\n"
    "  0.0;0.0;,\r\n"
    "  1.0;0.0;,\r\n"
    "  1.0;1.0;,\r\n"
    "  0.0;1.0;;\r\n"
    "  }\r\n"
    "}\r\n";

// A mesh of one triangle; the pieces let tests change one block at a time.
struct MeshText {
  std::string header = "Mesh M {\n";
  std::string vertices = "3;\n1.0;0.0;0.0;,\n0.0;1.0;0.0;,\n0.0;0.0;1.0;;\n";
  std::string faces = "1;\n3;0,1,2;;\n";
  std::string normals = "MeshNormals {\n1;\n1.0;0.0;0.0;;\n1;\n3;0,0,0;;\n}\n";
  std::string materials =
      "MeshMaterialList {\n1;\n1;\n0;;\nMaterial Mat {\n0.2;0.4;0.6;0.8;;\n5.0;\n0.1;0.1;0.1;;\n0.0;0.0;0.0;;\n}\n}\n";
  std::string tex_coords;
  std::string footer = "}\n";

  std::string Text() const { return header + vertices + faces + normals + materials + tex_coords + footer; }
};

const char kTexturedMaterials[] =
    "MeshMaterialList {\n1;\n1;\n0;;\nMaterial Mat {\n1;1;1;1;;\n0;\n0;0;0;;\n0;0;0;;\n"
    "TextureFilename { \"t.png\"; }\n}\n}\n";
const char kTexCoords[] = "MeshTextureCoords {\n3;\n0.25;0.5;,\n0.75;0.0;,\n1.0;1.0;;\n}\n";

class XfileParseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    ASSERT_EQ(DebugSetLogFilename(dir.File("log.txt").c_str(), 0), 1);
    parts.assign(XFILE_MAX_PARTS, _EngXfilePart());
  }
  void TearDown() override {
    for (_EngXfilePart &part : parts) EngXfilePartFreeLists(&part);
    DebugResetForTests();
  }

  char Parse(const std::string &text, XfileConvert *convert = nullptr, float sx = 1, float sy = 1, float sz = 1) {
    for (_EngXfilePart &part : parts) EngXfilePartFreeLists(&part);
    parts.assign(XFILE_MAX_PARTS, _EngXfilePart());
    parser.reset(new EngXfileParse());
    return parser->ParseMemory(parts.data(), &num_parts, text.data(), text.size(), sx, sy, sz, convert);
  }

  bool Logged(const std::string &fragment) const {
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++)
      if (std::string(DebugGetMessage(i)->text).find(fragment) != std::string::npos) return true;
    return false;
  }
  std::string AllLogged() const {
    std::string all;
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) all += std::string(DebugGetMessage(i)->text) + "\n";
    return all;
  }

  static std::vector<float> Floats(const float *p, int n) {
    return p ? std::vector<float>(p, p + n) : std::vector<float>();
  }

  qwtest::TempDir dir;
  std::vector<_EngXfilePart> parts;
  EngInt32 num_parts = -1;
  std::unique_ptr<EngXfileParse> parser;
};

void ExpectModel(const std::vector<_EngXfilePart> &parts, EngInt32 num_parts) {
  ASSERT_EQ(num_parts, 2);
  const _EngXfilePart &tri = parts[0];
  ASSERT_EQ(tri.num_vertices, 3);
  // The frame moves the positions; the normal keeps its direction, at unit length.
  EXPECT_EQ(std::vector<float>(tri.positions, tri.positions + 9),
            (std::vector<float>{10, 20, 30, 11, 20, 30, 10, 22, 30}));
  EXPECT_EQ(std::vector<float>(tri.normals, tri.normals + 9), (std::vector<float>{0, 0, 1, 0, 0, 1, 0, 0, 1}));
  EXPECT_EQ(tri.texture_index, -1);
  EXPECT_EQ(std::vector<float>(tri.ambient, tri.ambient + 4), (std::vector<float>{1, 0, 0, 1}));
  EXPECT_EQ(std::vector<float>(tri.diffuse, tri.diffuse + 4), (std::vector<float>{1, 0, 0, 1}));
  EXPECT_EQ(std::vector<float>(tri.specular, tri.specular + 4), (std::vector<float>{0.5f, 0.5f, 0.5f, 1}));
  EXPECT_FLOAT_EQ(tri.shininess, 12.0f);
  EXPECT_EQ(std::vector<float>(tri.emission, tri.emission + 4), (std::vector<float>{0.1f, 0.2f, 0.3f, 1}));

  const _EngXfilePart &sq = parts[1];
  ASSERT_EQ(sq.num_vertices, 6);
  EXPECT_EQ(std::vector<float>(sq.positions, sq.positions + 18),
            (std::vector<float>{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0}));
  EXPECT_EQ(std::vector<float>(sq.tex_coords, sq.tex_coords + 12),
            (std::vector<float>{0, 0, 1, 0, 1, 1, 0, 0, 1, 1, 0, 1}));
  EXPECT_EQ(sq.texture_index, 0);
  // A textured part is white and shiny whatever its material says.
  EXPECT_EQ(std::vector<float>(sq.diffuse, sq.diffuse + 4), (std::vector<float>{1, 1, 1, 1}));
  EXPECT_EQ(std::vector<float>(sq.specular, sq.specular + 4), (std::vector<float>{0, 0, 0, 1}));
  EXPECT_FLOAT_EQ(sq.shininess, 127.0f);
  EXPECT_EQ(std::vector<float>(sq.emission, sq.emission + 4), (std::vector<float>{0, 0, 0, 0}));

  for (int i = 2; i < XFILE_MAX_PARTS; i++) {
    EXPECT_EQ(parts[i].num_vertices, 0);
    EXPECT_EQ(parts[i].texture_index, -1);
  }
}

TEST_F(XfileParseTest, ReadsPartsFromMemoryAndFromFileAlike) {
  ASSERT_EQ(Parse(kModel), 1) << AllLogged();
  ExpectModel(parts, num_parts);
  EXPECT_EQ(parser->GetNumNamedTextures(), 1);

  std::string path = dir.File("model.x");
  qwtest::WriteWholeFile(path, kModel);
  for (_EngXfilePart &part : parts) EngXfilePartFreeLists(&part);
  parts.assign(XFILE_MAX_PARTS, _EngXfilePart());
  EngFile file;
  ASSERT_EQ(file.OpenForReading(path.c_str(), 1, 1), 1);
  EngXfileParse from_file;
  ASSERT_EQ(from_file.ParseFile(parts.data(), &num_parts, &file, 1, 1, 1, nullptr), 1);
  ExpectModel(parts, num_parts);
}

TEST_F(XfileParseTest, LastMeshStaysReadableThroughTheAccessors) {
  ASSERT_EQ(Parse(kModel), 1);
  EXPECT_EQ(parser->GetLastLoadedModelPartNumVertices(), 4u);
  EXPECT_EQ(parser->GetLastLoadedModelPartNumNormals(), 1u);
  EXPECT_EQ(parser->GetLastLoadedModelPartNumFaces(), 2u);
  _Vector3d v;
  ASSERT_EQ(parser->GetLastLoadedModelPartVertex(2, &v), 1);
  EXPECT_EQ(v.x, 1.0f);
  EXPECT_EQ(v.y, 1.0f);
  EXPECT_EQ(parser->GetLastLoadedModelPartVertex(4, &v), 0);
  EXPECT_TRUE(Logged("Invalid num 4 (4)"));
  EngUInt32 a, b, c;
  ASSERT_EQ(parser->GetLastLoadedModelPartFace(1, &a, &b, &c), 1);
  EXPECT_EQ(a * 100 + b * 10 + c, 23u);
  float u, w;
  ASSERT_EQ(parser->GetLastLoadedModelPartVertexTexCoord(3, &u, &w), 1);
  EXPECT_EQ(u, 0.0f);
  EXPECT_EQ(w, 1.0f);
  // After the last part there is no current part.
  EXPECT_STREQ(parser->GetLastLoadedModelPartMaterialFilename(), "");
  EXPECT_TRUE(Logged("No part"));

  EngXfileParse unused;
  EXPECT_EQ(unused.GetLastLoadedModelPartNumVertices(), 0u);
  EXPECT_TRUE(Logged("Not setup ok"));
}

char *ReplaceName(EngXfile *, int part, char *, char *name, void *user1, void *) {
  static std::string result;
  result = *static_cast<std::string *>(user1);
  if (result == "<null>") return nullptr;
  result += "+" + std::string(name) + "#" + std::to_string(part);
  if (result[0] == '!') result.clear();
  return &result[0];
}

TEST_F(XfileParseTest, TextureNamesJoinTheFolderOrComeFromTheOverwriteFunction) {
  ASSERT_EQ(Parse(kModel), 1);
  char name[XFILE_NAME_SIZE];
  ASSERT_EQ(parser->GetPartTextureFileName(nullptr, 0, nullptr, nullptr, nullptr, nullptr, name), 1);
  EXPECT_STREQ(name, "");
  char folder[] = "models";
  ASSERT_EQ(parser->GetPartTextureFileName(nullptr, 1, folder, nullptr, nullptr, nullptr, name), 1);
  EXPECT_STREQ(name, "models/brick.png");

  std::string prefix = "<null>";
  ASSERT_EQ(parser->GetPartTextureFileName(nullptr, 1, nullptr, ReplaceName, &prefix, nullptr, name), 1);
  EXPECT_STREQ(name, "brick.png");
  prefix = "other";
  ASSERT_EQ(parser->GetPartTextureFileName(nullptr, 1, folder, ReplaceName, &prefix, nullptr, name), 1);
  EXPECT_STREQ(name, "other+brick.png#1");
  prefix = std::string(300, 'x');
  EXPECT_EQ(parser->GetPartTextureFileName(nullptr, 1, folder, ReplaceName, &prefix, nullptr, name), 0);
  EXPECT_TRUE(Logged("Material name to long <xxx"));
  prefix = "!";
  ASSERT_EQ(parser->GetPartTextureFileName(nullptr, 1, folder, ReplaceName, &prefix, nullptr, name), 1);
  EXPECT_STREQ(name, "");
  EXPECT_EQ(parts[1].texture_index, -1);
  EXPECT_EQ(parser->GetPartTextureFileName(nullptr, 2, nullptr, nullptr, nullptr, nullptr, name), 0);
}

TEST_F(XfileParseTest, FrameRotationTurnsNormalsButItsTranslationDoesNot) {
  MeshText mesh;
  mesh.header =
      "Frame F {\nFrameTransformMatrix {\n0.0,1.0,0.0,0.0,-1.0,0.0,0.0,0.0,0.0,0.0,1.0,0.0,5.0,6.0,7.0,1.0;;\n}\n"
      "Mesh M {\n";
  mesh.footer = "}\n}\n";
  ASSERT_EQ(Parse(mesh.Text()), 1) << AllLogged();
  ASSERT_EQ(parts[0].num_vertices, 3);
  // (1,0,0) turns a quarter about z to (0,1,0), then moves by (5,6,7).
  EXPECT_EQ(Floats(parts[0].positions, 3), (std::vector<float>{5, 7, 7}));
  EXPECT_EQ(Floats(parts[0].normals, 3), (std::vector<float>{0, 1, 0}));
}

TEST_F(XfileParseTest, ConversionsApplyToEveryMesh) {
  struct Case {
    const char *name;
    XfileConvert convert;
    float scale[3];
    std::vector<float> position0, normal0, tex0;
    std::vector<float> position1;
  };
  auto convert = [](void (*set)(XfileConvert *)) {
    XfileConvert c = XfileConvert();
    set(&c);
    return c;
  };
  const Case cases[] = {
      {"none", XfileConvert(), {1, 1, 1}, {1, 0, 0}, {1, 0, 0}, {0.25f, 0.5f}, {0, 1, 0}},
      {"reverse winding", convert([](XfileConvert *c) { c->reverse_winding = 1; }), {1, 1, 1}, {1, 0, 0}, {1, 0, 0},
       {0.25f, 0.5f}, {0, 0, 1}},
      {"negate", convert([](XfileConvert *c) { c->negate_vertex_x = c->negate_normal_x = c->negate_vertex_z = 1; }),
       {1, 1, 1}, {-1, 0, 0}, {-1, 0, 0}, {0.25f, 0.5f}, {0, 1, 0}},
      {"swap", convert([](XfileConvert *c) { c->swap_vertex_yz = 1; }), {1, 1, 1}, {1, 0, 0}, {1, 0, 0}, {0.25f, 0.5f},
       {0, 0, 1}},
      {"flip", convert([](XfileConvert *c) { c->flip_tex_u = c->flip_tex_v = 1; }), {1, 1, 1}, {1, 0, 0}, {1, 0, 0},
       {0.75f, 0.5f}, {0, 1, 0}},
      {"scale", XfileConvert(), {2, 3, 4}, {2, 0, 0}, {1, 0, 0}, {0.25f, 0.5f}, {0, 3, 0}},
      {"rotate z", convert([](XfileConvert *c) { c->rotate_z = float(M_PI / 2); }), {1, 1, 1}, {0, 1, 0}, {0, 1, 0},
       {0.25f, 0.5f}, {-1, 0, 0}},
  };
  MeshText mesh;
  mesh.materials = kTexturedMaterials;
  mesh.tex_coords = kTexCoords;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    XfileConvert copy = c.convert;
    ASSERT_EQ(Parse(mesh.Text(), &copy, c.scale[0], c.scale[1], c.scale[2]), 1);
    ASSERT_EQ(parts[0].num_vertices, 3) << AllLogged();
    auto near = [](std::vector<float> got, const std::vector<float> &want) {
      for (size_t i = 0; i < got.size(); i++) got[i] = std::round(got[i] * 1000) / 1000 + 0.0f;
      EXPECT_EQ(got, want);
    };
    near(Floats(parts[0].positions, 3), c.position0);
    near(Floats(parts[0].normals, 3), c.normal0);
    near(Floats(parts[0].tex_coords, 2), c.tex0);
    near(Floats(parts[0].positions + 3, 3), c.position1);
  }
  // Without texture coordinates the flips have nothing to change.
  XfileConvert flip = convert([](XfileConvert *c) { c->flip_tex_u = c->flip_tex_v = 1; });
  ASSERT_EQ(Parse(MeshText().Text(), &flip), 1);
  ASSERT_EQ(parts[0].num_vertices, 3);
  EXPECT_EQ(Floats(parts[0].tex_coords, 6), std::vector<float>(6, 0.0f));
}

TEST_F(XfileParseTest, QuadFacesLeaveAnEmptyTriangle) {
  MeshText mesh;
  mesh.vertices = "4;\n1;1;1;,\n2;2;2;,\n3;3;3;,\n4;4;4;;\n";
  mesh.faces = "2;\n4;0,1,2,3;,\n3;2,1,0;;\n";
  mesh.normals = "MeshNormals {\n1;\n1.0;0.0;0.0;;\n2;\n4;0,0,0,0;,\n3;0,0,0;;\n}\n";
  ASSERT_EQ(Parse(mesh.Text()), 1);
  ASSERT_EQ(parts[0].num_vertices, 6);
  EXPECT_TRUE(Logged("Not updated"));
  EXPECT_EQ(Floats(parts[0].positions, 9), std::vector<float>(9, 0.0f));
  EXPECT_EQ(Floats(parts[0].normals, 9), std::vector<float>(9, 0.0f));
  EXPECT_EQ(Floats(parts[0].positions + 9, 9), (std::vector<float>{3, 3, 3, 2, 2, 2, 1, 1, 1}));
}

TEST_F(XfileParseTest, SecondMaterialInAMeshIsIgnored) {
  MeshText mesh;
  mesh.faces = "2;\n3;0,1,2;,\n3;2,1,0;;\n";
  mesh.normals = "MeshNormals {\n1;\n1.0;0.0;0.0;;\n2;\n3;0,0,0;,\n3;0,0,0;;\n}\n";
  mesh.materials =
      "MeshMaterialList {\n2;\n2;\n0;,\n1;;\n"
      "Material A {\n0.1;0.1;0.1;1.0;;\n1.0;\n0;0;0;;\n0;0;0;;\n}\n"
      "Material B {\n0.9;0.9;0.9;1.0;;\n1.0;\n0;0;0;;\n0;0;0;;\n}\n}\n";
  ASSERT_EQ(Parse(mesh.Text()), 1);
  ASSERT_EQ(parts[0].num_vertices, 6);
  EXPECT_TRUE(Logged("Warning more than one material defined in a mesh - not supported yet. (1,0)"));
  EXPECT_FLOAT_EQ(parts[0].diffuse[0], 0.1f);
}

TEST_F(XfileParseTest, TemplateAndTabIndentedMeshLinesCountAsEmptyParts) {
  std::string text = "template Mesh {\n <3D82AB44-62DA-11cf-AB39-0020AF71E433>\n}\n\tMesh Hidden {\n}\n" +
                     MeshText().Text();
  ASSERT_EQ(Parse(text), 1);
  ASSERT_EQ(num_parts, 3);
  EXPECT_EQ(parts[0].num_vertices, 3);
  EXPECT_EQ(parts[1].num_vertices, 0);
  EXPECT_EQ(parts[2].num_vertices, 0);
}

TEST_F(XfileParseTest, LineOfExactlyTheBufferLengthIsAccepted) {
  MeshText mesh;
  std::string vertex = "1.0;0.0;0.0;,";
  mesh.vertices = "3;\n" + vertex + std::string(XFILE_LINE_SIZE - 1 - vertex.size(), ' ') +
                  "\n0.0;1.0;0.0;,\n0.0;0.0;1.0;;\n";
  ASSERT_EQ(Parse(mesh.Text()), 1);
  EXPECT_EQ(parts[0].num_vertices, 3) << AllLogged();
  mesh.vertices = "3;\n" + vertex + std::string(XFILE_LINE_SIZE - 1 - vertex.size(), ' ') +
                  "\r\n0.0;1.0;0.0;,\n0.0;0.0;1.0;;\n";
  ASSERT_EQ(Parse(mesh.Text()), 1);
  EXPECT_EQ(parts[0].num_vertices, 3) << AllLogged();
}

TEST_F(XfileParseTest, MeshesBelowTheVertexLimitLoad) {
  std::string text = "Mesh M {\n9999;\n";
  for (int i = 0; i < 9999; i++) text += std::to_string(i) + ";2;3;,\n";
  text += "1;\n3;9998,0,1;;\nMeshNormals {\n1;\n0;0;1;;\n1;\n3;0,0,0;;\n}\n" + MeshText().materials + "}\n";
  ASSERT_EQ(Parse(text), 1);
  ASSERT_EQ(parts[0].num_vertices, 3) << AllLogged();
  EXPECT_EQ(Floats(parts[0].positions, 3), (std::vector<float>{9998, 2, 3}));
}

TEST_F(XfileParseTest, NineteenTexturesFitAndTheTwentiethFails) {
  std::string materials;
  for (int i = 0; i < 19; i++)
    materials += "Material T" + std::to_string(i) + " {\n1;1;1;1;;\nTextureFilename {\n\"t" + std::to_string(i) +
                 ".png\";\n}\n}\n";
  MeshText mesh;
  mesh.materials = "MeshMaterialList {\n1;\n1;\n0;;\n{ T18 }\n}\n";
  mesh.tex_coords = kTexCoords;
  ASSERT_EQ(Parse(materials + mesh.Text()), 1);
  ASSERT_EQ(parts[0].num_vertices, 3) << AllLogged();
  EXPECT_EQ(parts[0].texture_index, 18);
  char name[XFILE_NAME_SIZE];
  ASSERT_EQ(parser->GetPartTextureFileName(nullptr, 0, nullptr, nullptr, nullptr, nullptr, name), 1);
  EXPECT_STREQ(name, "t18.png");

  ASSERT_EQ(Parse(materials + "Material T19 {\nTextureFilename {\n\"x.png\";\n}\n}\n" + mesh.Text()), 1);
  EXPECT_TRUE(Logged("Too many materials"));
  EXPECT_EQ(parts[0].num_vertices, 0);
}

TEST_F(XfileParseTest, LoadFailuresReturnZeroAndLeaveNoParts) {
  struct Case {
    const char *name;
    std::string text;
    const char *message;
  } cases[] = {
      {"empty", "", "Could not find any meshes in model"},
      {"no mesh", "xof 0303txt 0032\nFrame {\n}\n", "Could not find any meshes in model"},
      {"150 meshes", [] {
         std::string t;
         for (int i = 0; i < 150; i++) t += "Mesh m {\n}\n";
         return t;
       }(),
       "Too many parts in model"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    DebugResetForTests();
    EXPECT_EQ(Parse(c.text), 0);
    EXPECT_EQ(num_parts, 0);
    EXPECT_TRUE(Logged(c.message)) << AllLogged();
  }
  EngXfileParse p;
  EngInt32 n = 0;
  EXPECT_EQ(p.ParseMemory(nullptr, &n, "Mesh m {\n", 9, 1, 1, 1, nullptr), 0);
  EXPECT_TRUE(Logged("No parts."));
  EngFile closed;
  EXPECT_EQ(p.ParseFile(parts.data(), &n, &closed, 1, 1, 1, nullptr), 0);
  EXPECT_EQ(p.ParseLine(nullptr), 0);
}

// Every malformed mesh ends the parse with its message; the part stays empty, while a
// complete mesh before it is kept and the parse as a whole succeeds.
TEST_F(XfileParseTest, MalformedMeshesEndTheParseWithTheirMessage) {
  auto with = [](void (*edit)(MeshText *)) {
    MeshText m;
    edit(&m);
    return m.Text();
  };
  struct Case {
    const char *name;
    std::string mesh;
    const char *message;
  } cases[] = {
      {"10,000 vertices", with([](MeshText *m) { m->vertices = "10000;\n"; }), "Too many m_vertices"},
      {"negative vertices", with([](MeshText *m) { m->vertices = "-3;\n"; }), "Too many m_vertices"},
      {"4,000 faces", with([](MeshText *m) { m->faces = "4000;\n"; }), "Too many m_faces (4000)"},
      {"five-point face", with([](MeshText *m) { m->faces = "1;\n5;0,1,2,0,1;;\n"; }),
       "<5> point m_faces not supported"},
      {"face index too large", with([](MeshText *m) { m->faces = "1;\n3;0,1,10000;;\n"; }),
       "Bad Vertices <0,1,10000>"},
      {"negative face index", with([](MeshText *m) { m->faces = "1;\n4;0,-1,2,1;;\n"; }), "Bad Vertices <0,-1,2,1>"},
      {"short face", with([](MeshText *m) { m->faces = "1;\n3;0,1;;\n"; }), "Bad Vertices <0,1,-1>"},
      {"face past the vertices", with([](MeshText *m) { m->faces = "1;\n3;0,1,7;;\n"; }), "Bad Vertices (0 1 7)"},
      {"quad past the vertices", with([](MeshText *m) { m->faces = "1;\n4;0,1,2,3;;\n"; }), "Bad Vertices (0 1 2 3)"},
      {"normal past the normals",
       with([](MeshText *m) { m->normals = "MeshNormals {\n1;\n1;0;0;;\n1;\n3;0,0,1;;\n}\n"; }), "Bad Normals (0 0 1)"},
      {"too many normals", with([](MeshText *m) { m->normals = "MeshNormals {\n10000;\n"; }), "Too many m_normals"},
      {"normal faces differ", with([](MeshText *m) { m->normals = "MeshNormals {\n1;\n1;0;0;;\n2;\n"; }),
       "Num normal m_faces (2) is not equal num m_faces(1)"},
      {"normal face of 6", with([](MeshText *m) { m->normals = "MeshNormals {\n1;\n1;0;0;;\n1;\n6;0,0,0;;\n}\n"; }),
       "<6> point normal m_faces not supported"},
      {"bad normal index", with([](MeshText *m) { m->normals = "MeshNormals {\n1;\n1;0;0;;\n1;\n3;0,0,12345;;\n}\n"; }),
       "Bad Normals <0,0,12345>"},
      {"21 materials", with([](MeshText *m) { m->materials = "MeshMaterialList {\n21;\n"; }),
       "Invalid num. mesh materials (21)"},
      {"0 materials", with([](MeshText *m) { m->materials = "MeshMaterialList {\n0;\n"; }),
       "Invalid num. mesh materials (0)"},
      {"absurd face materials", with([](MeshText *m) { m->materials = "MeshMaterialList {\n1;\n4294967295;\n"; }),
       "Too many face materials (4294967295)"},
      {"texture coordinates differ",
       with([](MeshText *m) {
         m->materials = kTexturedMaterials;
         m->tex_coords = "MeshTextureCoords {\n4;\n";
       }),
       "Invalid num. text coordinates (4 not 3)"},
      {"textured without normals",
       with([](MeshText *m) {
         m->normals = "";
         m->materials = kTexturedMaterials;
         m->tex_coords = kTexCoords;
       }),
       "Bad Normals (0 0 0)"},
      {"vertices fewer than counted",
       with([](MeshText *m) { m->vertices = "4;\n1;0;0;,\n0;1;0;,\n0;0;1;;\n"; }), "Bad vertex <3;0,1,2;;>"},
      {"short normal", with([](MeshText *m) { m->normals = "MeshNormals {\n1;\n1.0;0.0\n"; }), "Bad normal <1.0;0.0>"},
      {"short texture coordinate",
       with([](MeshText *m) {
         m->materials = kTexturedMaterials;
         m->tex_coords = "MeshTextureCoords {\n3;\n0.5\n";
       }),
       "Bad texture coordinate <0.5>"},
      {"long material name", with([](MeshText *m) {
         m->materials = "MeshMaterialList {\n1;\n1;\n0;;\nMaterial " + std::string(300, 'n') + " {\n";
       }),
       "Material name to long <nnnn"},
      {"long material reference", with([](MeshText *m) {
         m->materials = "MeshMaterialList {\n1;\n1;\n0;;\n{ " + std::string(300, 'r') + " }\n";
       }),
       "Material name to long <rrrr"},
      {"long texture name", with([](MeshText *m) {
         m->materials = "MeshMaterialList {\n1;\n1;\n0;;\nMaterial Mat {\n1;1;1;1;;\n0;\n0;0;0;;\n0;0;0;;\n"
                        "TextureFilename { \"" +
                        std::string(400, 't') + "\"; }\n}\n}\n";
       }),
       "Material name to long <ttt"},
      {"long line", with([](MeshText *m) { m->vertices = "3;\n1.0;0.0;0.0;," + std::string(600, ' ') + "\n"; }),
       "Line too long (more than 511 characters)"},
      {"frame too deep", with([](MeshText *m) {
         std::string frames;
         for (int i = 0; i < 10; i++) frames += "Frame {\n";
         m->header = frames + "FrameTransformMatrix {\n1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;;\n}\n" + m->header;
       }),
       "Invalid level (11) for frame transform"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    DebugResetForTests();
    ASSERT_EQ(Parse(MeshText().Text() + c.mesh), 1);
    ASSERT_EQ(num_parts, 2);
    EXPECT_EQ(parts[0].num_vertices, 3);
    EXPECT_TRUE(Logged(c.message)) << AllLogged();
    EXPECT_EQ(parts[1].num_vertices, 0);
    EXPECT_EQ(parts[1].positions, nullptr);
    EXPECT_EQ(parts[1].normals, nullptr);
    EXPECT_EQ(parts[1].tex_coords, nullptr);
  }
}

TEST_F(XfileParseTest, TruncatedFilesKeepTheCompletedParts) {
  const std::string model = kModel;
  // Every cut of the model parses without harm; the first part is whole once its
  // material's closing line arrived.
  const size_t first_complete = model.find("   }\n  }\n }\n}\n") + 4;
  const size_t second_complete = model.rfind("  0.0;1.0;;") + 7;
  for (size_t cut = 0; cut <= model.size(); cut++) {
    SCOPED_TRACE(cut);
    char result = Parse(model.substr(0, cut));
    if (result == 0) {
      EXPECT_EQ(num_parts, 0);
      continue;
    }
    EXPECT_EQ(parts[0].num_vertices, cut >= first_complete ? 3 : 0);
    EXPECT_EQ(parts[1].num_vertices, cut >= second_complete ? 6 : 0);
  }
}

TEST_F(XfileParseTest, ThirdOfFiveMeshesFailingKeepsTheFirstTwo) {
  MeshText bad;
  bad.faces = "5000;\n";
  std::string text = MeshText().Text() + MeshText().Text() + bad.Text() + MeshText().Text() + MeshText().Text();
  ASSERT_EQ(Parse(text), 1);
  ASSERT_EQ(num_parts, 5);
  EXPECT_TRUE(Logged("Too many m_faces (5000)"));
  const int expected[5] = {3, 3, 0, 0, 0};
  for (int i = 0; i < 5; i++) EXPECT_EQ(parts[i].num_vertices, expected[i]) << i;
}

TEST_F(XfileParseTest, UnknownMaterialReferenceLeavesThePartUntextured) {
  MeshText mesh;
  mesh.materials = "MeshMaterialList {\n1;\n1;\n0;;\n{ Nowhere }\n}\n";
  ASSERT_EQ(Parse(mesh.Text()), 1);
  EXPECT_TRUE(Logged("Could not find m_material <Nowhere> in file"));
  EXPECT_EQ(parts[0].num_vertices, 3);
  EXPECT_EQ(parts[0].texture_index, -1);
}

TEST_F(XfileParseTest, DeveloperSwitchesWriteSourceAndTraceLines) {
  MeshText mesh;
  mesh.faces = "2;\n4;0,1,2,0;,\n3;0,1,2;;\n";
  mesh.normals = "MeshNormals {\n1;\n1.0;0.0;0.0;;\n2;\n4;0,0,0,0;,\n3;0,0,0;;\n}\n";
  const std::string text = mesh.Text();
  qwtest::WorkingFolder old_dir;
  ASSERT_EQ(chdir(dir.Path().c_str()), 0);
  EngXfileParse p;
  p.source_output = 1;
  p.trace = 1;
  char ok = p.ParseMemory(parts.data(), &num_parts, text.data(), text.size(), 1, 1, 1, nullptr);
  ASSERT_TRUE(old_dir.Restore());
  ASSERT_EQ(ok, 1);
  EXPECT_EQ(parts[0].num_vertices, 6);
  EXPECT_TRUE(Logged("###  PARSING MODEL"));
  EXPECT_TRUE(Logged("### LC: 2  ST: 01  LE: 1     3;"));
  // The quad goes out as two triangles beside the triangle: nine corners.
  std::string source = qwtest::ReadWholeFile(dir.File(XFILE_SOURCE_OUTPUT_FILE));
  size_t corners = 0;
  for (size_t at = source.find("glVertex3f"); at != std::string::npos; at = source.find("glVertex3f", at + 1))
    corners++;
  EXPECT_EQ(corners, 9u) << source;
  EXPECT_NE(source.find("glNewList"), std::string::npos);
}

TEST_F(XfileParseTest, FormatLineTrimsLeadingBlanksAndLineEnds) {
  struct Case {
    const char *in, *out;
  } cases[] = {
      {"   Mesh x {\r\n", "Mesh x {"}, {"\tMesh\tx\n", " Mesh x"}, {"", ""}, {"a\r\n\r\n\r\n", "a\r\n"}, {"  ", ""},
  };
  EngXfileParse p;
  for (const Case &c : cases) {
    char in[64], out[XFILE_LINE_SIZE];
    snprintf(in, sizeof(in), "%s", c.in);
    p.FormatLine(in, out);
    EXPECT_STREQ(out, c.out) << c.in;
  }
  p.FormatLine(nullptr, nullptr);
}

}  // namespace
