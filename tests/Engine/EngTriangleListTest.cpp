// Triangle lists without a context: creation, what each setter stores and where, and refusals.
#include "Engine/EngTriangleList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Engine/EngMain.h"
#include "Engine/EngProgram.h"

namespace {

bool Contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

std::vector<float> Floats(const float *array, size_t first, size_t count) {
  return std::vector<float>(array + first, array + first + count);
}

class EngTriangleListTest : public ::testing::Test {
 protected:
  void SetUp() override { eng_main_device_type = ENG_DEVICE_TYPE_OPENGL; }
  void TearDown() override {
    eng_main_device_type = 0;
    EngTriangleListFailAllocationForTests(0);
  }
  static std::string Logged(const std::function<void()> &f) {
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
  }
};

TEST_F(EngTriangleListTest, EachTypeGetsItsArraysWithTheirDefaults) {
  struct Case {
    _EngTriangleListType type;
    bool normals, tex_coords, colours;
  };
  const Case cases[] = {
      {ETL_TYPE_NONE, false, false, false},         {ETL_TYPE_POS, false, false, false},
      {ETL_TYPE_POS_TEX, false, true, false},       {ETL_TYPE_POS_NORM_TEX, true, true, false},
      {ETL_TYPE_POS_NORM_COL, true, false, true},   {ETL_TYPE_POS_TEX_COL, false, true, true},
      {ETL_TYPE_POS_NORM_TEX_COL, true, true, true}, {ETL_TYPE_POS_COL, false, false, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.type);
    EngTriangleList list;
    EXPECT_EQ(list.IsCreated(), 0);
    ASSERT_EQ(list.Create(c.type, nullptr, 3), 1);
    EXPECT_EQ(list.IsCreated(), 1);
    EXPECT_EQ(list.GetType(), c.type);
    EXPECT_EQ(list.GetNumTriangles(), 3u);
    EXPECT_NE(list.GetPositionArray(), nullptr);
    EXPECT_EQ(list.GetNormalArray() != nullptr, c.normals);
    EXPECT_EQ(list.GetTextureCoordinateArray() != nullptr, c.tex_coords);
    EXPECT_EQ(list.GetColourArray() != nullptr, c.colours);
    for (size_t corner = 0; corner < 9; corner++) {
      if (c.normals) {
        EXPECT_EQ(Floats(list.GetNormalArray(), corner * 3, 3), (std::vector<float>{0, 0, 1}));
      }
      if (c.tex_coords) {
        EXPECT_EQ(Floats(list.GetTextureCoordinateArray(), corner * 2, 2), (std::vector<float>{0, 1}));
      }
      if (c.colours) {
        EXPECT_EQ(Floats(list.GetColourArray(), corner * 4, 4), (std::vector<float>{1, 1, 1, 1}));
      }
    }
  }
}

TEST_F(EngTriangleListTest, CreateRefusesZeroTrianglesAndRebuildsACreatedList) {
  EngTriangleList list;
  std::string log = Logged([&] { EXPECT_EQ(list.Create(ETL_TYPE_POS_COL, nullptr, 0), 0); });
  EXPECT_TRUE(Contains(log, "Invalid num triangles")) << log;
  EXPECT_EQ(list.IsCreated(), 0);

  ASSERT_EQ(list.Create(ETL_TYPE_POS_COL, nullptr, 4), 1);
  list.SetColour(0, 0.5f, 0.5f, 0.5f, 0.5f);
  // A refused count leaves the created list as it was.
  log = Logged([&] { EXPECT_EQ(list.Create(ETL_TYPE_POS, nullptr, 0), 0); });
  EXPECT_TRUE(Contains(log, "Invalid num triangles")) << log;
  EXPECT_EQ(list.IsCreated(), 1);
  EXPECT_EQ(list.GetType(), ETL_TYPE_POS_COL);
  EXPECT_EQ(list.GetColourArray()[0], 0.5f);

  EngTexture *texture = reinterpret_cast<EngTexture *>(&list);  // a borrowed pointer, never dereferenced
  log = Logged([&] { EXPECT_EQ(list.Create(ETL_TYPE_POS_NORM_TEX, texture, 2), 1); });
  EXPECT_TRUE(Contains(log, "Warning - Already created")) << log;
  EXPECT_EQ(list.GetNumTriangles(), 2u);
  EXPECT_EQ(list.GetColourArray(), nullptr);
  EXPECT_NE(list.GetNormalArray(), nullptr);
  EXPECT_EQ(list.GetTexture(), texture);
  list.SetTexture(nullptr);
  EXPECT_EQ(list.GetTexture(), nullptr);

  list.Destroy();
  EXPECT_EQ(list.IsCreated(), 0);
  EXPECT_EQ(list.GetPositionArray(), nullptr);
  EXPECT_EQ(list.GetNormalArray(), nullptr);
  EXPECT_EQ(list.Create(ETL_TYPE_POS, nullptr, 1), 1);
}

TEST_F(EngTriangleListTest, AFailedAllocationLeavesTheListNotCreatedAndFreesTheRest) {
  const char *messages[] = {"No memory (verts - num triangles=5)", "No memory (normals - num triangles=5)",
                            "No memory (cols - num triangles=5)", "No memory (tcs - num triangles=5)"};
  for (int which = 1; which <= 4; which++) {
    EngTriangleList list;
    ASSERT_EQ(list.Create(ETL_TYPE_POS_COL, nullptr, 2), 1);
    EngTriangleListFailAllocationForTests(which);
    std::string log = Logged([&] { EXPECT_EQ(list.Create(ETL_TYPE_POS_NORM_TEX_COL, nullptr, 5), 0); });
    EngTriangleListFailAllocationForTests(0);
    EXPECT_TRUE(Contains(log, messages[which - 1])) << log;
    EXPECT_EQ(list.IsCreated(), 0);
    EXPECT_EQ(list.GetPositionArray(), nullptr);
    EXPECT_EQ(list.GetNormalArray(), nullptr);
    EXPECT_EQ(list.GetColourArray(), nullptr);
    EXPECT_EQ(list.GetTextureCoordinateArray(), nullptr);
    list.SetColour(0, 1, 1, 1, 1);
    EXPECT_EQ(list.Create(ETL_TYPE_POS_COL, nullptr, 1), 1);
  }
}

TEST_F(EngTriangleListTest, CornersAreStoredWithTheSecondAndThirdExchanged) {
  EngTriangleList list;
  ASSERT_EQ(list.Create(ETL_TYPE_POS_NORM_TEX, nullptr, 2), 1);
  list.SetPositions(1, 1, 2, 3, 4, 5, 6, 7, 8, 9);
  EXPECT_EQ(Floats(list.GetPositionArray(), 9, 9), (std::vector<float>{1, 2, 3, 7, 8, 9, 4, 5, 6}));

  _Vector3d p = {10, 11, 12}, q = {13, 14, 15}, r = {16, 17, 18};
  list.SetPositionsP(0, &p, &q, &r);
  EXPECT_EQ(Floats(list.GetPositionArray(), 0, 9), (std::vector<float>{10, 11, 12, 16, 17, 18, 13, 14, 15}));
  list.SetPositionsP(0, &p, nullptr, &r);
  list.SetPositionsP(0, nullptr, &q, &p);
  EXPECT_EQ(Floats(list.GetPositionArray(), 0, 9), (std::vector<float>{10, 11, 12, 16, 17, 18, 13, 14, 15}));

  list.SetPositionsRatioed(0, 0, 0, 0.5f, 640, 0, 0.5f, 0, 480, 0.5f);
  EXPECT_EQ(Floats(list.GetPositionArray(), 0, 9),
            (std::vector<float>{-1, 1, 0.5f, -1, -1, 0.5f, 1, 1, 0.5f}));
  list.SetPositionsRatioed(0, 320, 240, 0, 160, 120, 0, 480, 360, 0);
  EXPECT_EQ(Floats(list.GetPositionArray(), 0, 9),
            (std::vector<float>{0, 0, 0, 0.5f, -0.5f, 0, -0.5f, 0.5f, 0}));

  // Normals: same exchange, z negated.
  list.SetNormals(0, 0, 0, -1, 1, 0, 2, 0, 1, -3);
  EXPECT_EQ(Floats(list.GetNormalArray(), 0, 9), (std::vector<float>{0, 0, 1, 0, 1, 3, 1, 0, -2}));
  _Vector3d n1 = {1, 2, 3}, n2 = {4, 5, 6}, n3 = {7, 8, 9};
  list.SetNormalsP(1, &n1, &n2, &n3);
  EXPECT_EQ(Floats(list.GetNormalArray(), 9, 9), (std::vector<float>{1, 2, -3, 7, 8, -9, 4, 5, -6}));
  list.SetNormalsP(1, &n1, &n2, nullptr);
  EXPECT_EQ(Floats(list.GetNormalArray(), 9, 9), (std::vector<float>{1, 2, -3, 7, 8, -9, 4, 5, -6}));

  // Texture coordinates keep the given order.
  list.SetTextureCoordinates(1, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f);
  EXPECT_EQ(Floats(list.GetTextureCoordinateArray(), 6, 6), (std::vector<float>{0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f}));
  EXPECT_EQ(Floats(list.GetTextureCoordinateArray(), 0, 6), (std::vector<float>{0, 1, 0, 1, 0, 1}));
}

TEST_F(EngTriangleListTest, ColoursAreCheckedAndVertexColoursAddressStoredCorners) {
  EngTriangleList list;
  ASSERT_EQ(list.Create(ETL_TYPE_POS_COL, nullptr, 2), 1);
  list.SetColour(1, 0.1f, 0.2f, 0.3f, 0.4f);
  const std::vector<float> set = {0.1f, 0.2f, 0.3f, 0.4f};
  for (size_t corner = 0; corner < 3; corner++) EXPECT_EQ(Floats(list.GetColourArray(), 12 + corner * 4, 4), set);

  const float bad_values[][4] = {{1, 1, 1, -0.5f}, {-0.1f, 0, 0, 0}, {0, NAN, 0, 1}};
  for (const auto &v : bad_values) {
    std::string log = Logged([&] { list.SetColour(1, v[0], v[1], v[2], v[3]); });
    EXPECT_TRUE(Contains(log, "Invalid values")) << log;
    _ColourRGBA colour = {v[0], v[1], v[2], v[3]};
    log = Logged([&] { list.SetColour(1, &colour); });
    EXPECT_TRUE(Contains(log, "Invalid values")) << log;
    EXPECT_EQ(Floats(list.GetColourArray(), 12, 4), set);
  }

  list.SetColour(1, nullptr);
  EXPECT_EQ(Floats(list.GetColourArray(), 12, 12), std::vector<float>(12, 1.0f));
  _ColourRGBA green = {0, 1, 0, 0.5f};
  list.SetColour(0, &green);
  EXPECT_EQ(Floats(list.GetColourArray(), 8, 4), (std::vector<float>{0, 1, 0, 0.5f}));

  list.SetVertexColour(0, 1, 0.25f, 0.5f, 0.75f, 1);
  _ColourRGBA blue = {0, 0, 1, 1};
  list.SetVertexColour(0, 2, &blue);
  EXPECT_EQ(Floats(list.GetColourArray(), 0, 12),
            (std::vector<float>{0, 1, 0, 0.5f, 0.25f, 0.5f, 0.75f, 1, 0, 0, 1, 1}));

  for (int vertex : {3, -1, 100}) {
    std::string log = Logged([&] {
      list.SetVertexColour(1, vertex, 0, 0, 0, 0);
      list.SetVertexColour(1, vertex, &blue);
    });
    EXPECT_TRUE(Contains(log, "Invalid vertex num " + std::to_string(vertex))) << log;
  }
  std::string log = Logged([&] { list.SetVertexColour(1, 0, nullptr); });
  EXPECT_TRUE(Contains(log, "No colour specified")) << log;
  EXPECT_EQ(Floats(list.GetColourArray(), 12, 12), std::vector<float>(12, 1.0f));
}

TEST_F(EngTriangleListTest, EverySetterRefusesATriangleOutsideTheList) {
  EngTriangleList list;
  ASSERT_EQ(list.Create(ETL_TYPE_POS_NORM_TEX_COL, nullptr, 4), 1);
  _Vector3d v = {1, 2, 3};
  _ColourRGBA colour = {0, 0, 0, 0};
  const std::function<void(unsigned int)> setters[] = {
      [&](unsigned int i) { list.SetPositions(i, 1, 2, 3, 4, 5, 6, 7, 8, 9); },
      [&](unsigned int i) { list.SetPositionsP(i, &v, &v, &v); },
      [&](unsigned int i) { list.SetPositionsRatioed(i, 1, 2, 3, 4, 5, 6, 7, 8, 9); },
      [&](unsigned int i) { list.SetNormals(i, 1, 2, 3, 4, 5, 6, 7, 8, 9); },
      [&](unsigned int i) { list.SetNormalsP(i, &v, &v, &v); },
      [&](unsigned int i) { list.SetTextureCoordinates(i, 1, 2, 3, 4, 5, 6); },
      [&](unsigned int i) { list.SetColour(i, 0, 0, 0, 0); },
      [&](unsigned int i) { list.SetColour(i, &colour); },
      [&](unsigned int i) { list.SetVertexColour(i, 0, 0, 0, 0, 0); },
      [&](unsigned int i) { list.SetVertexColour(i, 0, &colour); },
  };
  for (size_t k = 0; k < sizeof(setters) / sizeof(setters[0]); k++) {
    for (unsigned int index : {4u, 5u, 0xFFFFFFFFu}) {
      std::string log = Logged([&] { setters[k](index); });
      EXPECT_TRUE(Contains(log, "Invalid Triangle " + std::to_string(index) + " (num=4)"))
          << "setter " << k << ": " << log;
    }
  }
  // Nothing reached the list's last triangle either.
  EXPECT_EQ(Floats(list.GetColourArray(), 36, 12), std::vector<float>(12, 1.0f));
  EXPECT_EQ(Floats(list.GetNormalArray(), 27, 9), (std::vector<float>{0, 0, 1, 0, 0, 1, 0, 0, 1}));
}

TEST_F(EngTriangleListTest, SettersDoNothingWithoutTheirArrayOrBeforeCreation) {
  EngTriangleList list;
  std::string log = Logged([&] {
    list.SetPositions(0, 1, 2, 3, 4, 5, 6, 7, 8, 9);
    list.SetColour(0, 1, 1, 1, 1);
    list.SetupAndDraw();
    list.SetupAndDrawPart(0, 1);
  });
  EXPECT_EQ(log, "");
  ASSERT_EQ(list.Create(ETL_TYPE_POS, nullptr, 1), 1);
  log = Logged([&] {
    list.SetNormals(0, 1, 2, 3, 4, 5, 6, 7, 8, 9);
    list.SetTextureCoordinates(5, 1, 2, 3, 4, 5, 6);
    list.SetColour(0, 1, 1, 1, 1);
    list.SetVertexColour(0, 7, nullptr);
  });
  EXPECT_EQ(log, "");
  EXPECT_EQ(list.GetNormalArray(), nullptr);
}

TEST_F(EngTriangleListTest, AnotherDeviceKindMakesEveryCallANoOp) {
  EngTriangleList list;
  ASSERT_EQ(list.Create(ETL_TYPE_POS_COL, nullptr, 2), 1);
  eng_main_device_type = 0;
  EXPECT_EQ(list.Create(ETL_TYPE_POS, nullptr, 5), 0);
  EXPECT_EQ(list.PrepareToAlterData(), 0);
  list.SetColour(0, 0, 0, 0, 0);
  EXPECT_EQ(list.GetNumTriangles(), 2u);
  EXPECT_EQ(list.GetColourArray()[0], 1.0f);
  // The arrays are freed all the same when the list goes.
  list.Destroy();
  EXPECT_EQ(list.GetPositionArray(), nullptr);
  eng_main_device_type = ENG_DEVICE_TYPE_OPENGL;
  EXPECT_EQ(list.PrepareToAlterData(), 1);
}

}  // namespace
