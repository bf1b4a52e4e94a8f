// Picture description files: saving and loading back, the older "Layers" form, values that
// are corrected while reading, and descriptions that are refused.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Logged(const std::function<void()> &action) {
  testing::internal::CaptureStderr();
  action();
  return testing::internal::GetCapturedStderr();
}

// A stage object with the required members and the given extra members (a JSON fragment).
std::string Stage(const std::string &extra = "", const std::string &tex_num = "0") {
  std::string text = "{\"TexNum\": " + tex_num +
                     ", \"Alpha Level\": 1, \"Alpha Throb On\": 0, \"Alpha Throb Min Level\": 0,"
                     " \"Alpha Throb Speed\": 0.5, \"Alpha Throb Mult\": 1";
  if (!extra.empty()) text += ", " + extra;
  return text + "}";
}

std::string Texture(const std::string &name) { return "{\"Path\": \"\", \"Filename\": \"" + name + "\"}"; }

class EngPictureFileTest : public testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    eng_main_current_time = 100.0;
    eng_main_frames_per_second = 1.0f / 60.0f;
  }
  std::string Write(const std::string &name, const std::string &text) {
    qwtest::WriteWholeFile(dir.File(name), text);
    return name;
  }
  // Loads the text from the temp folder; the result and what was logged.
  char Load(const std::string &text, std::string *log = nullptr) {
    Write("pic.ttx", text);
    char result = 0;
    std::string logged = Logged([&] { result = picture.LoadFromFile(dir.Path().c_str(), "pic.ttx", 0); });
    if (log) *log = logged;
    return result;
  }
  static void ExpectEmpty(EngPicture &p) {
    EXPECT_EQ(p.GetNumSets(), 0);
    EXPECT_EQ(p.GetNumTextures(), 0);
    const _Dimension *area = p.GetDrawArea();
    EXPECT_EQ(area->x, 0);
    EXPECT_EQ(area->y, 0);
    EXPECT_EQ(area->width, 640);
    EXPECT_EQ(area->height, 480);
  }

  qwtest::TempDir dir;
  EngPicture picture;
};

void ExpectSameStage(const _EngPictureStage &a, const _EngPictureStage &b) {
  EXPECT_EQ(a.check, b.check);
  EXPECT_EQ(a.tex_num, b.tex_num);
  EXPECT_EQ(0, memcmp(a.locks, b.locks, sizeof(a.locks)));
  EXPECT_EQ(0, memcmp(&a.pos, &b.pos, sizeof(a.pos)));
  EXPECT_EQ(0, memcmp(&a.rot, &b.rot, sizeof(a.rot)));
  EXPECT_EQ(a.alpha.show, b.alpha.show);
  for (int i = 0; i < 4; i++) EXPECT_EQ(a.alpha.times[i], b.alpha.times[i]);
  EXPECT_EQ(a.alpha.level, b.alpha.level);
  EXPECT_EQ(a.alpha.blend_type, b.alpha.blend_type);
  EXPECT_EQ(a.alpha.throb_on, b.alpha.throb_on);
  EXPECT_EQ(a.alpha.throb_min, b.alpha.throb_min);
  EXPECT_EQ(a.alpha.throb_speed, b.alpha.throb_speed);
  EXPECT_EQ(a.alpha.throb_mult, b.alpha.throb_mult);
  EXPECT_EQ(a.tc.use_default, b.tc.use_default);
  EXPECT_EQ(0, memcmp(&a.tc.tc, &b.tc.tc, sizeof(a.tc.tc)));
  EXPECT_EQ(0, memcmp(&a.tc.tile, &b.tc.tile, sizeof(a.tc.tile)));
  EXPECT_EQ(a.tc.move, b.tc.move);
  EXPECT_EQ(0, memcmp(&a.tc.speed, &b.tc.speed, sizeof(a.tc.speed)));
}

TEST_F(EngPictureFileTest, SavedPictureLoadsBackEqualAndSavesToTheSameText) {
  qwtest::WriteWholeFile(dir.File("a.png"), "x");
  qwtest::WriteWholeFile(dir.File("b.jpg"), "x");
  EngPicture original;
  original.SetDrawArea(10.5f, 20.25f, 300, 200.75f);
  ASSERT_TRUE(original.AddTexture(dir.Path().c_str(), "a.png"));
  ASSERT_TRUE(original.AddTexture(dir.Path().c_str(), "b.jpg"));
  ASSERT_TRUE(original.AddSet("Background"));
  ASSERT_TRUE(original.AddSet(""));
  EngPictureSet *second = original.GetSet(1);
  ASSERT_TRUE(original.AddStage(second));
  // Every field away from its default, with values a short decimal text carries exactly.
  EngPictureStage *s = original.GetStage(second, 1);
  s->tex_num = 1;
  s->locks[0] = 1;
  s->locks[2] = -3;
  s->pos.main_area = _Dimension{0.125f, 0.25f, 0.5f, 0.75f};
  s->pos.trans_type = 3;
  s->pos.trans_speeds[0] = 0.5f;
  s->pos.trans_speeds[1] = 2;
  s->pos.end_area = _Dimension{-0.5f, 1.5f, 0.1f, 0.2f};
  s->pos.random_area = _Dimension{0.3f, 0.4f, 0.6f, 0.7f};
  s->rot.flags[0] = 1;
  s->rot.flags[1] = 4;
  s->rot.values[0] = -45;
  s->rot.values[1] = 90.5f;
  s->rot.values[2] = 30;
  s->rot.values[3] = 1.5f;
  s->alpha.show = 0;
  s->alpha.times[0] = 1;
  s->alpha.times[1] = 2.5f;
  s->alpha.times[2] = 7;
  s->alpha.times[3] = 0.25f;
  s->alpha.level = 0.8f;
  s->alpha.blend_type = 25;
  s->alpha.throb_on = 1;
  s->alpha.throb_min = 0.2f;
  s->alpha.throb_speed = 1.75f;
  s->alpha.throb_mult = 3;
  s->tc.use_default = 0;
  s->tc.tc = _TexCoords{0.1f, 0.2f, 0.9f, 0.8f};
  s->tc.tile = _Vector2d{2, 3};
  s->tc.move = 1;
  s->tc.speed = _Vector2d{0.25f, -0.5f};
  ASSERT_TRUE(original.SaveToFile(dir.Path().c_str(), "saved", 1));

  ASSERT_TRUE(picture.LoadFromFile(dir.Path().c_str(), "saved", 1));
  EXPECT_EQ(0, memcmp(picture.GetDrawArea(), original.GetDrawArea(), sizeof(_Dimension)));
  ASSERT_EQ(picture.GetNumTextures(), 2);
  for (int t = 0; t < 2; t++) {
    EXPECT_STREQ(picture.GetTexture(t)->path, original.GetTexture(t)->path);
    EXPECT_STREQ(picture.GetTexture(t)->filename, original.GetTexture(t)->filename);
  }
  ASSERT_EQ(picture.GetNumSets(), 2);
  for (int i = 0; i < 2; i++) {
    EngPictureSet *a = original.GetSet(i), *b = picture.GetSet(i);
    EXPECT_STREQ(a->name, b->name);
    ASSERT_EQ(a->stages.size(), b->stages.size());
    for (size_t j = 0; j < a->stages.size(); j++) ExpectSameStage(*a->stages[j], *b->stages[j]);
  }
  EXPECT_STREQ(picture.GetSet(1)->name, "Set 1");
  EXPECT_STREQ(picture.GetPath(), dir.Path().c_str());

  ASSERT_TRUE(picture.SaveToFile(dir.Path().c_str(), "again.ttx", 0));
  EXPECT_EQ(qwtest::ReadWholeFile(dir.File("again.ttx")), qwtest::ReadWholeFile(dir.File("saved.ttx")));
  const std::string text = qwtest::ReadWholeFile(dir.File("saved.ttx"));
  EXPECT_NE(text.find("\"Trans Random Area\""), std::string::npos);
  EXPECT_NE(text.find("\"Number\""), std::string::npos);
  EXPECT_EQ(text.find("\"Layers\""), std::string::npos);
}

TEST_F(EngPictureFileTest, StageValuesAreCorrectedWhileReading) {
  struct Case {
    const char *tex_num;
    const char *extra;
    int want_tex;
    int want_trans;
    const char *message;
  };
  const Case cases[] = {
      {"2.5", "", 2, 0, nullptr},
      {"-2.5", "", -1, 0, nullptr},  // -2 is below -1 and so shows nothing
      {"2.6", "", -1, 0, nullptr},   // 3 is past the three textures
      {"1.4", "", 1, 0, nullptr},
      {"5", "", -1, 0, nullptr},
      {"-1", "", -1, 0, nullptr},
      {"0", "\"Trans Type\": 7", 0, 0, "Invalid trans type 7."},
      {"0", "\"Trans Type\": -1", 0, 0, "Invalid trans type -1."},
      {"0", "\"Trans Type\": 4.9", 0, 4, nullptr},
      {"1e300", "", -1, 0, nullptr},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.tex_num) + " " + c.extra);
    std::string log;
    ASSERT_TRUE(Load("{\"Textures\": [" + Texture("a.png") + "," + Texture("b.png") + "," + Texture("c.png") +
                         "], \"Sets\": [{\"Name\": \"S\", \"Stages\": [" + Stage(c.extra, c.tex_num) + "]}]}",
                     &log));
    EngPictureStage *stage = picture.GetStage(picture.GetSet(0), 0);
    EXPECT_EQ(stage->tex_num, c.want_tex);
    EXPECT_EQ(stage->pos.trans_type, c.want_trans);
    if (c.message) {
      EXPECT_NE(log.find(c.message), std::string::npos) << log;
    }
  }
}

TEST_F(EngPictureFileTest, OptionalMembersKeepTheirValuesAndAreReported) {
  std::string log;
  ASSERT_TRUE(Load("{\"Sets\": [{\"Name\": \"S\", \"Stages\": [" +
                       Stage("\"TC Tile\": [4], \"RotValues\": [1, 2, 3, 4, 5], \"Main Area\": [0.5, 0.5]") + "]}]}",
                   &log));
  EngPictureStage *stage = picture.GetStage(picture.GetSet(0), 0);
  EXPECT_EQ(stage->tc.speed.x, 0);
  EXPECT_EQ(stage->tc.speed.y, 0);
  EXPECT_EQ(stage->tc.tile.x, 4);  // a short array fills only its first places
  EXPECT_EQ(stage->tc.tile.y, 0);
  EXPECT_EQ(stage->rot.values[3], 4);  // a long one fills all places and is reported
  EXPECT_NE(log.find("Error during parse."), std::string::npos);
  EXPECT_EQ(stage->pos.main_area.x, 0.5f);
  EXPECT_EQ(stage->pos.main_area.width, 1.0f);
  EXPECT_NE(log.find("TC Speed"), std::string::npos) << log;
  EXPECT_EQ(picture.GetDrawArea()->width, 640);
}

TEST_F(EngPictureFileTest, NamesFallBackToTheirIndexAndAreCut) {
  const std::string long_name(40, 'n');
  ASSERT_TRUE(Load("{\"Sets\": [{\"Name\": \"" + long_name + "\", \"Stages\": [" + Stage() +
                   "]}, {\"Name\": \"B\", \"Stages\": []}, {\"Name\": \"\", \"Stages\": [" + Stage() + "]}]}"));
  ASSERT_EQ(picture.GetNumSets(), 3);
  EXPECT_EQ(std::string(picture.GetSet(0)->name), long_name.substr(0, 31));
  EXPECT_STREQ(picture.GetSet(2)->name, "Set 2");
}

TEST_F(EngPictureFileTest, OlderLayersFormIsOneStagePerSetWithoutLocksOrAlphaTimes) {
  ASSERT_TRUE(Load("{\"Layers\": [" + Stage("\"Name\": \"L\"") + "," + Stage("\"Name\": \"\"") + "," +
                   Stage("\"Name\": \"\", \"Locks\": [1, 1, 1, 1], \"Alpha Times\": [1, 2, 3, 4]") + "]}"));
  ASSERT_EQ(picture.GetNumSets(), 3);
  EXPECT_STREQ(picture.GetSet(0)->name, "L");
  EXPECT_STREQ(picture.GetSet(2)->name, "Layer 2");
  EngPictureStage *stage = picture.GetStage(picture.GetSet(2), 0);
  ASSERT_EQ(picture.GetSet(2)->stages.size(), 1u);
  for (int i = 0; i < 4; i++) {
    EXPECT_EQ(stage->locks[i], 0);
    EXPECT_EQ(stage->alpha.times[i], 0);
  }
}

TEST_F(EngPictureFileTest, SetsWinOverLayersAndAnEmptySetsArrayLoads) {
  ASSERT_TRUE(Load("{\"Layers\": [" + Stage("\"Name\": \"L\"") + "], \"Sets\": []}"));
  EXPECT_EQ(picture.GetNumSets(), 0);
  ASSERT_TRUE(Load("{\"Sets\": [{\"Name\": \"S\", \"Stages\": [" + Stage() + "]}], \"Layers\": 5}"));
  EXPECT_EQ(picture.GetNumSets(), 1);
}

TEST_F(EngPictureFileTest, BadDescriptionsAreReportedAndLeaveThePictureEmpty) {
  std::string many_textures;
  for (int i = 0; i <= ENG_PICTURE_MAX_TEXTURES; i++) many_textures += (i ? "," : "") + Texture("t.png");
  std::string many_stages;
  for (int i = 0; i <= ENG_PICTURE_MAX_STAGES; i++) many_stages += (i ? "," : "") + Stage();
  const std::string good_set = "{\"Name\": \"S\", \"Stages\": [" + Stage() + "]}";
  struct Case {
    std::string text;
    const char *message;
  };
  const Case cases[] = {
      {"{\"Textures\": [" + Texture("a.png") + "]}", "Needed elements not found file [pic.ttx]"},
      {"{\"Sets\": [{\"Name\": \"S\", \"Stages\": [{\"TexNum\": 0, \"Alpha Level\": 1, \"Alpha Throb On\": 0,"
       " \"Alpha Throb Min Level\": 0, \"Alpha Throb Speed\": 0.5}]}]}",
       "json::Exception <Object member not found: Alpha Throb Mult>"},
      {"{\"Sets\": [{\"Stages\": []}]}", "json::Exception"},
      {"{\"Sets\": [{\"Name\": 3, \"Stages\": []}]}", "json::Exception"},
      {"{\"Sets\": 4}", "json::Exception"},
      {"{\"Sets\": [7]}", "json::Exception"},
      {"{\"Sets\": [{\"Name\": \"S\", \"Stages\": [\"x\"]}]}", "json::Exception"},
      {"{\"Sets\": [{\"Name\": \"S\", \"Stages\": [" + Stage("", "\"0\"") + "]}]}", "json::Exception"},
      {"{\"Textures\": [{\"Path\": 1, \"Filename\": \"a\"}], \"Sets\": [" + good_set + "]}", "json::Exception"},
      {"{\"Textures\": {}, \"Sets\": [" + good_set + "]}", "json::Exception"},
      {"{\"Textures\": [" + many_textures + "], \"Sets\": []}", "Too many textures"},
      {"{\"Sets\": [{\"Name\": \"S\", \"Stages\": [" + many_stages + "]}]}", "Too many stages"},
      {"{\"Draw Area\": [0, 0, 1e30, 10], \"Sets\": [" + good_set + "]}", "Bad draw area"},
      {"{\"Draw Area\": [0, 0, -5, 10], \"Sets\": [" + good_set + "]}", "Bad draw area"},
      {"{\"Sets\": [{\"Name\": \"S\", \"Stages\": [" + Stage("\"RotValues\": [0, 1e39]") + "]}]}",
       "Number out of range in stage 0 of set 0"},
      {"{\"Layers\": [" + Stage("\"Name\": \"L\", \"TC Speed\": [-1e300, 0]") + "]}", "Number out of range in layer 0"},
      {"{\"Sets\": [" + good_set + "", ""},
      {"", ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text.substr(0, 120));
    // A good load first, so that a refused one must really empty the picture.
    ASSERT_TRUE(Load("{\"Draw Area\": [1, 2, 3, 4], \"Textures\": [" + Texture("a.png") + "], \"Sets\": [" +
                     good_set + "]}"));
    std::string log;
    EXPECT_FALSE(Load(c.text, &log));
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
    EXPECT_FALSE(log.empty());
    ExpectEmpty(picture);
  }
}

TEST_F(EngPictureFileTest, FileNamesAndPaths) {
  Write("Title.ttx", "{\"Sets\": []}");
  std::string log = Logged([&] { EXPECT_TRUE(picture.LoadFromFile(dir.Path().c_str(), "Title", 1)); });
  EXPECT_STREQ(picture.GetPath(), dir.Path().c_str());

  // Without a folder the name is taken as it is and the stored folder stays.
  EXPECT_TRUE(picture.LoadFromFile(nullptr, dir.File("Title.ttx").c_str(), 0));
  EXPECT_STREQ(picture.GetPath(), dir.Path().c_str());

  log = Logged([&] { EXPECT_FALSE(picture.LoadFromFile(dir.Path().c_str(), "Title", 0)); });
  EXPECT_NE(log.find("File not found <" + dir.File("Title") + ">"), std::string::npos) << log;
  log = Logged([&] { EXPECT_FALSE(picture.LoadFromFile(dir.Path().c_str(), "", 0)); });
  EXPECT_NE(log.find("No filename"), std::string::npos);
  log = Logged([&] { EXPECT_FALSE(picture.SaveToFile(nullptr, nullptr, 0)); });
  EXPECT_NE(log.find("No filename"), std::string::npos);
  log = Logged([&] { EXPECT_FALSE(picture.SaveToFile((dir.Path() + "/missing/folder").c_str(), "x", 1)); });
  EXPECT_FALSE(log.empty());
}

TEST_F(EngPictureFileTest, SetPathKeepsTheOldPathWhenTooLong) {
  EXPECT_TRUE(picture.SetPath("folder"));
  const std::string longest(512, 'p');
  EXPECT_TRUE(picture.SetPath(longest.c_str()));
  EXPECT_EQ(std::string(picture.GetPath()), longest);
  std::string log = Logged([&] { EXPECT_FALSE(picture.SetPath((longest + "q").c_str())); });
  EXPECT_NE(log.find("Path too long"), std::string::npos);
  EXPECT_EQ(std::string(picture.GetPath()), longest);
  EXPECT_TRUE(picture.SetPath(""));
  EXPECT_EQ(picture.GetPath(), nullptr);
}

}  // namespace
