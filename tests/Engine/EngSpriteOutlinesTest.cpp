// The sprite outline file: what the asset tool writes is read back whole and found by picture
// and part; every kind of damage is refused with "Load failed" and its reason, leaving no
// outlines (sprites are then drawn whole) rather than a wrong or half-read one.
#include "Engine/EngSpriteOutlines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tests/Engine/ImageTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

_EngSpriteOutline Outline(_TexCoords part, std::vector<std::pair<float, float>> corners) {
  _EngSpriteOutline o;
  o.part = part;
  o.num_corners = EngInt32(corners.size());
  for (size_t i = 0; i < corners.size() && i < 16; i++) {
    o.corners[i][0] = corners[i].first;
    o.corners[i][1] = corners[i].second;
  }
  return o;
}

// A round blob's octagon in the whole of a 64 x 64 picture, the picture's first quarter with
// nothing showing, and a mirrored part whose polygon is stored turning the other way.
std::vector<_EngSpriteOutlinePicture> GoodPictures() {
  const _TexCoords whole = {1.0f / 64, 1.0f / 64, 63.0f / 64, 63.0f / 64};
  const _TexCoords mirrored = {0.75f, 0.0f, 0.25f, 0.5f};
  return {{"Blob.tga",
           64,
           64,
           {Outline(whole, {{0.3f, 0.2f}, {0.6f, 0.2f}, {0.8f, 0.4f}, {0.8f, 0.6f}, {0.6f, 0.8f}, {0.3f, 0.8f}}),
            Outline({0.0f, 0.0f, 0.5f, 0.5f}, {})}},
          {"Sheet.jpg", 128, 32, {Outline(mirrored, {{0.3f, 0.1f}, {0.7f, 0.1f}, {0.7f, 0.4f}, {0.3f, 0.4f}})}}};
}

std::string Bytes(const std::vector<_EngSpriteOutlinePicture> &pictures) {
  const std::vector<unsigned char> b = EngSpriteOutlinesEncode(pictures);
  return std::string(b.begin(), b.end());
}

// The checksum put right after an edit, so that the edit itself is what the reader meets.
std::string Sealed(std::string b) {
  uint32_t h = 2166136261u;
  for (size_t i = 12; i < b.size(); i++) {
    h ^= uint8_t(b[i]);
    h *= 16777619u;
  }
  for (int i = 0; i < 4; i++) b[8 + size_t(i)] = char((h >> (8 * i)) & 0xFF);
  return b;
}

char Load(const std::string &b, const char *name = "outlines") {
  return EngSpriteOutlinesLoadFromMemory(reinterpret_cast<const unsigned char *>(b.data()), b.size(), name);
}

double TwiceArea(const _EngSpriteOutline &o) {
  double twice = 0.0;
  for (int i = 0; i < o.num_corners; i++) {
    const float *a = o.corners[i], *b = o.corners[(i + 1) % o.num_corners];
    twice += double(a[0]) * b[1] - double(b[0]) * a[1];
  }
  return twice;
}

class SpriteOutlinesTest : public ::testing::Test {
 protected:
  void TearDown() override { EngSpriteOutlinesReset(); }
};

TEST_F(SpriteOutlinesTest, WrittenOutlinesAreFoundByPictureAndPart) {
  const EngUInt32 before = EngSpriteOutlinesGeneration();
  ASSERT_EQ(Load(Bytes(GoodPictures())), 1);
  EXPECT_NE(EngSpriteOutlinesGeneration(), before);

  // By the file's own name, from whatever folder the texture was loaded, at its size only.
  const EngInt32 blob = EngSpriteOutlinesFindPicture("./Blob.tga", 64, 64);
  ASSERT_GE(blob, 0);
  EXPECT_EQ(EngSpriteOutlinesFindPicture("/somewhere/else/Blob.tga", 64, 64), blob);
  EXPECT_EQ(EngSpriteOutlinesFindPicture("Blob.tga", 128, 128), -1);
  EXPECT_EQ(EngSpriteOutlinesFindPicture("Blob.png", 64, 64), -1);
  EXPECT_EQ(EngSpriteOutlinesFindPicture(nullptr, 64, 64), -1);

  // Parts match within a ten-thousandth, not a texel.
  const _TexCoords near_whole = {1.0f / 64 + 5e-5f, 1.0f / 64, 63.0f / 64, 63.0f / 64 - 5e-5f};
  const _EngSpriteOutline *o = EngSpriteOutlinesFindPart(blob, &near_whole);
  ASSERT_NE(o, nullptr);
  ASSERT_EQ(o->num_corners, 6);
  // The corners as written, in some order round the polygon.
  int found = 0;
  const _EngSpriteOutline written = GoodPictures()[0].parts[0];
  for (int i = 0; i < 6; i++)
    for (int j = 0; j < 6; j++)
      found += o->corners[i][0] == written.corners[j][0] && o->corners[i][1] == written.corners[j][1];
  EXPECT_EQ(found, 6);
  const _TexCoords off_by_a_texel = {2.0f / 64, 1.0f / 64, 63.0f / 64, 63.0f / 64};
  EXPECT_EQ(EngSpriteOutlinesFindPart(blob, &off_by_a_texel), nullptr);
  const _TexCoords quarter = {0.0f, 0.0f, 0.5f, 0.5f};
  ASSERT_NE(EngSpriteOutlinesFindPart(blob, &quarter), nullptr);
  EXPECT_EQ(EngSpriteOutlinesFindPart(blob, &quarter)->num_corners, 0) << "nothing of it shows";
  EXPECT_EQ(EngSpriteOutlinesFindPart(-1, &quarter), nullptr);
  EXPECT_EQ(EngSpriteOutlinesFindPart(99, &quarter), nullptr);

  // Every polygon turns as its part's quad does, whichever way it was stored.
  for (const _EngSpriteOutlinePicture &picture : GoodPictures()) {
    const char *name = picture.name.c_str();
    const EngInt32 pic = EngSpriteOutlinesFindPicture(name, picture.width, picture.height);
    ASSERT_GE(pic, 0) << name;
    for (const _EngSpriteOutline &stored : picture.parts) {
      const _EngSpriteOutline *read = EngSpriteOutlinesFindPart(pic, &stored.part);
      ASSERT_NE(read, nullptr);
      if (!read->num_corners) continue;
      const double quad = -double(stored.part.right - stored.part.left) * double(stored.part.bottom - stored.part.top);
      EXPECT_GT(TwiceArea(*read) * quad, 0.0) << name;
    }
  }

  // The file itself, and a load that fails leaves nothing of the one before.
  qwtest::TempDir dir;
  qwtest::WriteWholeFile(dir.File("SpriteOutlines.dat"), Bytes(GoodPictures()));
  EngSpriteOutlinesReset();
  ASSERT_EQ(EngSpriteOutlinesLoadFile(dir.File("SpriteOutlines.dat").c_str()), 1);
  EXPECT_GE(EngSpriteOutlinesFindPicture("Sheet.jpg", 128, 32), 0);
  qwimage::Logged([] { EXPECT_EQ(Load("QWSO"), 0); });
  EXPECT_EQ(EngSpriteOutlinesFindPicture("Sheet.jpg", 128, 32), -1);
}

TEST_F(SpriteOutlinesTest, DamagedFilesAreRefusedWithTheirReason) {
  const std::string good = Bytes(GoodPictures());
  auto with = [](void (*edit)(std::vector<_EngSpriteOutlinePicture> *)) {
    std::vector<_EngSpriteOutlinePicture> p = GoodPictures();
    edit(&p);
    return Bytes(p);
  };
  // Offsets in the good file: the first picture's name length at 16, its part count at 30.
  struct Case {
    const char *name;
    std::string bytes;
    const char *reason;
  } cases[] = {
      {"empty", "", "it is too short"},
      {"cut", good.substr(0, good.size() - 5), "its checksum is wrong"},
      {"cut and sealed", Sealed(good.substr(0, good.size() - 5)), "it ends inside an outline"},
      {"not ours", "PNG!" + good.substr(4), "it is not a sprite outline file"},
      {"later version", Sealed(good.substr(0, 4) + std::string("\x02\0\0\0", 4) + good.substr(8)),
       "its version is not known"},
      {"a flipped bit", good.substr(0, 40) + char(good[40] ^ 4) + good.substr(41), "its checksum is wrong"},
      {"a byte more", Sealed(good + '\0'), "bytes follow its last picture"},
      {"too long", Sealed(good + std::string(ENG_SPRITE_OUTLINES_MAX_BYTES, '\0')), "it is too long"},
      {"too many pictures", Sealed(good.substr(0, 12) + std::string("\xFF\xFF\0\0", 4) + good.substr(16)),
       "it has too many pictures"},
      {"no name", Sealed(good.substr(0, 16) + '\0' + good.substr(17)), "a picture's name has a wrong length"},
      {"a path for a name", with([](auto *p) { (*p)[0].name = "../Blob.tga"; }), "a picture's name is not a file name"},
      {"no pixels", with([](auto *p) { (*p)[1].height = 0; }), "a picture's size is out of range"},
      {"no parts", with([](auto *p) { (*p)[1].parts.clear(); }), "a picture has a wrong number of parts"},
      {"too many parts", with([](auto *p) { (*p)[1].parts.resize(300, (*p)[1].parts[0]); }),
       "a picture has a wrong number of parts"},
      {"a part not a number",
       with([](auto *p) { (*p)[0].parts[0].part.left = std::numeric_limits<float>::quiet_NaN(); }),
       "a part is not a rectangle of the texture"},
      {"a flat part", with([](auto *p) { (*p)[0].parts[1].part.bottom = 0.0f; }),
       "a part is not a rectangle of the texture"},
      {"two corners", with([](auto *p) { (*p)[0].parts[0].num_corners = 2; }),
       "an outline has a wrong number of corners"},
      {"seventeen corners", with([](auto *p) { (*p)[0].parts[0].num_corners = 17; }),
       "an outline has a wrong number of corners"},
      {"a corner past its part", with([](auto *p) { (*p)[1].parts[0].corners[1][0] = 0.8f; }),
       "an outline's corner lies outside its part"},
      {"a corner not a number",
       with([](auto *p) { (*p)[0].parts[0].corners[3][1] = std::numeric_limits<float>::infinity(); }),
       "an outline's corner lies outside its part"},
      {"a bow tie", with([](auto *p) { std::swap((*p)[1].parts[0].corners[2][0], (*p)[1].parts[0].corners[3][0]); }),
       "an outline is not a convex polygon"},
      {"a dent", with([](auto *p) { (*p)[0].parts[0].corners[2][0] = 0.5f; }), "an outline is not a convex polygon"},
      {"no area", with([](auto *p) {
         for (auto &c : (*p)[1].parts[0].corners) c[1] = 0.2f;
       }),
       "an outline is not a convex polygon"},
  };
  ASSERT_EQ(good[16], 8) << "the name's length where the cases expect it";
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(Load(good), 1);
    const std::string log = qwimage::Logged([&] { EXPECT_EQ(Load(c.bytes, "Damaged.dat"), 0); });
    EXPECT_NE(log.find("Load failed <Damaged.dat>"), std::string::npos) << log;
    EXPECT_NE(log.find(c.reason), std::string::npos) << log;
    EXPECT_EQ(EngSpriteOutlinesFindPicture("Blob.tga", 64, 64), -1) << "nothing kept";
  }
}

TEST_F(SpriteOutlinesTest, AMissingOrUnreadableFileLeavesNone) {
  qwtest::TempDir dir;
  ASSERT_EQ(Load(Bytes(GoodPictures())), 1);
  for (const std::string &path : {dir.File("SpriteOutlines.dat"), dir.Path()}) {
    const std::string log = qwimage::Logged([&] { EXPECT_EQ(EngSpriteOutlinesLoadFile(path.c_str()), 0); });
    EXPECT_NE(log.find("Load failed <" + path + ">"), std::string::npos) << log;
    EXPECT_EQ(EngSpriteOutlinesFindPicture("Blob.tga", 64, 64), -1);
  }
}

// Whether the point lies inside the triangle, more than a hair from each of its edges; *near
// is set when it lies within that hair of one.
bool Inside(const float *a, const float *b, const float *c, double x, double y, bool *near) {
  const float *corners[3] = {a, b, c};
  double twice = (double(b[0]) - a[0]) * (double(c[1]) - a[1]) - (double(b[1]) - a[1]) * (double(c[0]) - a[0]);
  bool inside = true;
  for (int i = 0; i < 3; i++) {
    const float *p = corners[i], *q = corners[(i + 1) % 3];
    const double ex = double(q[0]) - p[0], ey = double(q[1]) - p[1];
    const double side = (ex * (y - p[1]) - ey * (x - p[0])) * (twice > 0 ? 1 : -1) / std::hypot(ex, ey);
    if (std::fabs(side) < 1e-6) *near = true;
    if (side <= 0.0) inside = false;
  }
  return inside;
}

// A sprite's square cut along its part's outline (as the file gives it): the fan covers just
// the outline and the rest the square round it, every point of the square in exactly one
// triangle; every triangle turns as the square does, on the texture and on the field; every
// corner lands where the square's texture coordinates put it, and an outline's corner at a
// corner of its part exactly on the square's own corner.
TEST_F(SpriteOutlinesTest, ASquareCutAlongItsOutlineIsTiledByTheFanAndTheRest) {
  const float a = 1.0f / 64, z = 63.0f / 64;
  const _TexCoords whole = {a, a, z, z}, mirrored = {0.75f, 0.0f, 0.25f, 0.5f};
  std::vector<std::pair<float, float>> round;
  for (int k = 0; k < 16; k++) {
    // Touching each side of the part at its middle.
    const double angle = k * 2.0 * 3.14159265358979 / 16, r = 0.5 * (z - a) / std::cos(3.14159265358979 / 16);
    round.push_back({float(std::min<double>(z, std::max<double>(a, 0.5 + r * std::cos(angle)))),
                     float(std::min<double>(z, std::max<double>(a, 0.5 + r * std::sin(angle))))});
  }
  struct Case {
    const char *name;
    _TexCoords part;
    std::vector<std::pair<float, float>> corners;
  } cases[] = {
      {"a box inside", whole, {{0.3f, 0.3f}, {0.6f, 0.3f}, {0.6f, 0.7f}, {0.3f, 0.7f}}},
      {"a hexagon inside", whole, {{0.3f, 0.2f}, {0.6f, 0.2f}, {0.8f, 0.4f}, {0.8f, 0.6f}, {0.6f, 0.8f}, {0.3f, 0.8f}}},
      {"an edge along a side", whole, {{a, 0.3f}, {0.5f, 0.2f}, {0.6f, 0.6f}, {a, 0.7f}}},
      {"a corner of the part", whole, {{a, a}, {0.4f, a}, {0.5f, 0.5f}, {a, 0.4f}}},
      {"the whole part", whole, {{a, a}, {z, a}, {z, z}, {a, z}}},
      {"sixteen corners touching every side", whole, round},
      {"a mirrored part", mirrored, {{0.3f, 0.1f}, {0.7f, 0.1f}, {0.7f, 0.4f}, {0.3f, 0.4f}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(Load(Bytes({{"Split.tga", 64, 64, {Outline(c.part, c.corners)}}})), 1);
    const _EngSpriteOutline *o = EngSpriteOutlinesFindPart(EngSpriteOutlinesFindPicture("Split.tga", 64, 64), &c.part);
    ASSERT_NE(o, nullptr);
    const int n = o->num_corners;
    // The square turned and stretched on the field, corners in strip order.
    const float turn = 0.7f, cs = std::cos(turn), sn = std::sin(turn);
    const float local[4][2] = {{-0.2f, -0.1f}, {0.2f, -0.1f}, {-0.2f, 0.1f}, {0.2f, 0.1f}};
    float position[4][3];
    for (int k = 0; k < 4; k++) {
      position[k][0] = 0.31f + local[k][0] * cs - local[k][1] * sn;
      position[k][1] = -0.17f + local[k][0] * sn + local[k][1] * cs;
      position[k][2] = 0.0f;
    }
    _EngSpriteOutlineSplit split;
    EngSpriteOutlinesSplit(o, position, &split);
    ASSERT_EQ(split.num_points, n + 4);
    ASSERT_LE(split.fan_triangles + split.rest_triangles, ENG_SPRITE_OUTLINES_MAX_SPLIT_TRIANGLES);
    const _TexCoords &p = o->part;
    const double du = double(p.right) - p.left, dv = double(p.top) - p.bottom;
    for (int i = 0; i < split.num_points; i++) {
      const double s = (split.uv[i][0] - p.left) / du, t = (split.uv[i][1] - p.bottom) / dv;
      for (int k = 0; k < 2; k++)
        EXPECT_NEAR(split.at[i][k],
                    position[0][k] + (position[1][k] - position[0][k]) * s + (position[2][k] - position[0][k]) * t,
                    1e-5)
            << "point " << i;
      const float square[4][2] = {{p.left, p.bottom}, {p.right, p.bottom}, {p.left, p.top}, {p.right, p.top}};
      for (int k = 0; k < 4; k++)
        if (split.uv[i][0] == square[k][0] && split.uv[i][1] == square[k][1]) {
          EXPECT_EQ(memcmp(split.at[i], position[k], sizeof(position[k])), 0) << "point " << i;
        }
    }
    const auto twice = [](const float *u, const float *v, const float *w) {
      return (double(v[0]) - u[0]) * (double(w[1]) - u[1]) - (double(v[1]) - u[1]) * (double(w[0]) - u[0]);
    };
    const double square_uv = twice(split.uv[n], split.uv[n + 1], split.uv[n + 2]);
    const double square_at = twice(position[0], position[1], position[2]);
    const int triangles = split.fan_triangles + split.rest_triangles;
    for (int i = 0; i < triangles; i++) {
      const EngUInt8 *tri = split.triangles[i];
      ASSERT_LT(std::max({tri[0], tri[1], tri[2]}), split.num_points);
      EXPECT_GT(twice(split.uv[tri[0]], split.uv[tri[1]], split.uv[tri[2]]) * square_uv, 0.0) << "triangle " << i;
      EXPECT_GT(twice(split.at[tri[0]], split.at[tri[1]], split.at[tri[2]]) * square_at, 0.0) << "triangle " << i;
    }
    // Points all over the square, off any grid the corners lie on.
    int checked = 0;
    for (int iy = 0; iy < 53; iy++)
      for (int ix = 0; ix < 59; ix++) {
        const double x = p.left + du * (ix + 0.37) / 59, y = p.bottom + dv * (iy + 0.61) / 53;
        bool near = false;
        int in_fan = 0, in_rest = 0;
        for (int i = 0; i < triangles; i++) {
          const EngUInt8 *tri = split.triangles[i];
          if (Inside(split.uv[tri[0]], split.uv[tri[1]], split.uv[tri[2]], x, y, &near))
            (i < split.fan_triangles ? in_fan : in_rest)++;
        }
        if (near) continue;
        checked++;
        bool in_outline = true;
        for (int i = 0; i < n; i++) {
          const float *u = o->corners[i], *v = o->corners[(i + 1) % n];
          const double side = (double(v[0]) - u[0]) * (y - u[1]) - (double(v[1]) - u[1]) * (x - u[0]);
          if (side * square_uv <= 0.0) in_outline = false;
        }
        ASSERT_EQ(in_fan + in_rest, 1) << x << "," << y;
        ASSERT_EQ(in_fan, in_outline ? 1 : 0) << x << "," << y;
      }
    EXPECT_GT(checked, 3000);
  }
}

}  // namespace
