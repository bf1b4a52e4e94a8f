// The picture object: defaults, accessors and their reports, and the editing operations with
// the renumbering of texture numbers.
#include "Engine/EngPicture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMain.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Logged(const std::function<void()> &action) {
  testing::internal::CaptureStderr();
  action();
  return testing::internal::GetCapturedStderr();
}

class EngPictureTest : public testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    eng_main_current_time = 10.0;
    for (const char *name : {"a.png", "b.png", "c.png"}) qwtest::WriteWholeFile(dir.File(name), "x");
  }
  void AddTextures() {
    for (const char *name : {"a.png", "b.png", "c.png"}) ASSERT_TRUE(picture.AddTexture(dir.Path().c_str(), name));
  }

  qwtest::TempDir dir;
  EngPicture picture;
};

TEST_F(EngPictureTest, NewSetsGetIndexNamesAndOneDefaultStage) {
  ASSERT_TRUE(picture.AddSet("First"));
  ASSERT_TRUE(picture.AddSet(nullptr));
  ASSERT_TRUE(picture.AddSet(""));
  ASSERT_EQ(picture.GetNumSets(), 3);
  EXPECT_STREQ(picture.GetSet(0)->name, "First");
  EXPECT_STREQ(picture.GetSet(2)->name, "Set 2");
  EngPictureSet *set = picture.GetSet(2);
  EXPECT_EQ(set->check, ENG_PICTURE_SET_CHECK);
  EXPECT_EQ(set->vars.current_stage, 0);
  EXPECT_EQ(set->vars.stage_start_time, 10.0);
  ASSERT_EQ(picture.GetNumStages(set), 1);
  const EngPictureStage *s = picture.GetStage(set, 0);
  EXPECT_EQ(s->check, ENG_PICTURE_STAGE_CHECK);
  EXPECT_EQ(s->tex_num, -1);
  EXPECT_EQ(s->pos.main_area.width, 1);
  EXPECT_EQ(s->pos.trans_type, 0);
  EXPECT_EQ(s->rot.values[3], 1);
  EXPECT_EQ(s->alpha.show, 1);
  EXPECT_EQ(s->alpha.times[2], 1);
  EXPECT_EQ(s->alpha.level, 1);
  EXPECT_EQ(s->alpha.throb_speed, 0.5f);
  EXPECT_EQ(s->alpha.throb_mult, 1);
  EXPECT_EQ(s->tc.use_default, 1);
  EXPECT_EQ(s->tc.tc.right, 1);
  EXPECT_EQ(s->tc.tile.y, 1);
  EXPECT_EQ(s->vars.pos.area.height, 1);
  EXPECT_EQ(s->vars.alpha.cycle_length[0], 1);
  EXPECT_EQ(s->vars.tc.right, 1);
}

TEST_F(EngPictureTest, RemovingAnySetRemovesItAndKeepsTheOrder) {
  for (const char *name : {"A", "B", "C"}) ASSERT_TRUE(picture.AddSet(name));
  EngPictureSet *last = picture.GetSet(2);
  EXPECT_TRUE(picture.RemoveSet(1));
  ASSERT_EQ(picture.GetNumSets(), 2);
  EXPECT_STREQ(picture.GetSet(0)->name, "A");
  EXPECT_EQ(picture.GetSet(1), last);
  EXPECT_TRUE(picture.RemoveSet(1));
  EXPECT_TRUE(picture.RemoveSet(0));
  EXPECT_EQ(picture.GetNumSets(), 0);
  std::string log = Logged([&] { EXPECT_FALSE(picture.RemoveSet(0)); });
  EXPECT_NE(log.find("Invalid set num 0 (0)"), std::string::npos);
}

TEST_F(EngPictureTest, RemovingATextureRenumbersTheStages) {
  AddTextures();
  ASSERT_TRUE(picture.AddSet("S"));
  EngPictureSet *set = picture.GetSet(0);
  ASSERT_TRUE(picture.AddStage(set));
  ASSERT_TRUE(picture.AddStage(set));
  for (int i = 0; i < 3; i++) picture.GetStage(set, i)->tex_num = i;
  EXPECT_TRUE(picture.RemoveTexture(1));
  ASSERT_EQ(picture.GetNumTextures(), 2);
  EXPECT_STREQ(picture.GetTexture(1)->filename, "c.png");
  EXPECT_EQ(picture.GetStage(set, 0)->tex_num, 0);
  EXPECT_EQ(picture.GetStage(set, 1)->tex_num, -1);
  EXPECT_EQ(picture.GetStage(set, 2)->tex_num, 1);
  EXPECT_TRUE(picture.RemoveTexture(1));
  EXPECT_TRUE(picture.RemoveTexture(0));
  EXPECT_EQ(picture.GetNumTextures(), 0);
  std::string log = Logged([&] {
    EXPECT_FALSE(picture.RemoveTexture(0));
    EXPECT_EQ(picture.GetTexture(0), nullptr);
  });
  EXPECT_NE(log.find("No textures"), std::string::npos);
  AddTextures();
  log = Logged([&] { EXPECT_FALSE(picture.RemoveTexture(3)); });
  EXPECT_NE(log.find("Invalid tex num 3 (3)"), std::string::npos);
}

TEST_F(EngPictureTest, RemovingTheCurrentLastStageLeavesTheSetInert) {
  ASSERT_TRUE(picture.AddSet("S"));
  EngPictureSet *set = picture.GetSet(0);
  ASSERT_TRUE(picture.AddStage(set));
  picture.SetCurrentStageInSet(0, 1);
  EXPECT_TRUE(picture.RemoveStage(set, 1));
  EXPECT_EQ(picture.GetNumStages(set), 1);
  picture.Tick(1.0f);
  picture.Draw();
  EXPECT_EQ(set->vars.current_stage, 1);
  picture.SetCurrentStageInSet(0, 0);
  std::string log = Logged([&] { EXPECT_FALSE(picture.RemoveStage(set, 1)); });
  EXPECT_NE(log.find("Invalid stage num 1 (1)"), std::string::npos);
}

TEST_F(EngPictureTest, AddTextureChecksNamesAndFiles) {
  const std::string longest(63, 'f');
  qwtest::WriteWholeFile(dir.File(longest), "x");
  EXPECT_TRUE(picture.AddTexture(dir.Path().c_str(), longest.c_str()));
  EXPECT_EQ(std::string(picture.GetTexture(0)->filename), longest);
  EXPECT_STREQ(picture.GetTexture(0)->path, dir.Path().c_str());

  // Without a folder the picture's folder is used.
  picture.SetPath(dir.Path().c_str());
  EXPECT_TRUE(picture.AddTexture(nullptr, "a.png"));
  EXPECT_STREQ(picture.GetTexture(1)->path, "");

  struct Case {
    const char *path;
    std::string filename;
    const char *message;
  };
  const std::string folder = dir.Path();
  const Case cases[] = {
      {folder.c_str(), std::string(64, 'f'), "Filename too long"},
      {folder.c_str(), "", "No filename"},
      {folder.c_str(), "none.png", "File not found (A): <"},
      {nullptr, "none.png", "File not found (B): <"},
  };
  for (const Case &c : cases) {
    std::string log = Logged([&] { EXPECT_FALSE(picture.AddTexture(c.path, c.filename.c_str())); });
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
  }
  picture.SetPath(nullptr);
  std::string log = Logged([&] { EXPECT_FALSE(picture.AddTexture(nullptr, "none.png")); });
  EXPECT_NE(log.find("File not found (C): <none.png>"), std::string::npos);
  log = Logged([&] { EXPECT_FALSE(picture.AddTexture(std::string(512, 'p').c_str(), "a.png")); });
  EXPECT_NE(log.find("Path too long"), std::string::npos);
  EXPECT_EQ(picture.GetNumTextures(), 2);
}

TEST_F(EngPictureTest, AccessorsReportBadIndexesAndCheckValues) {
  ASSERT_TRUE(picture.AddSet("S"));
  ASSERT_TRUE(picture.AllocSet());
  std::string log = Logged([&] {
    EXPECT_EQ(picture.GetSet(1), nullptr);
    EXPECT_EQ(picture.GetSet(-1), nullptr);
    EXPECT_EQ(picture.GetStage(picture.GetSet(0), 1), nullptr);
    EXPECT_EQ(picture.GetStage(nullptr, 0), nullptr);
    EXPECT_EQ(picture.GetNumStages(nullptr), 0);
  });
  EXPECT_NE(log.find("Set num 1 has no stages [0]"), std::string::npos) << log;
  EXPECT_NE(log.find("Invalid set num -1 (2)"), std::string::npos);
  EXPECT_NE(log.find("Invalid stage num 1 (1)"), std::string::npos);
  EXPECT_NE(log.find("Bad parameters."), std::string::npos);

  EngPictureSet *set = picture.GetSet(0);
  EngPictureStage *stage = picture.GetStage(set, 0);
  EXPECT_TRUE(picture.IsStageOk(set, stage));
  stage->check = 7;
  log = Logged([&] { EXPECT_FALSE(picture.IsStageOk(set, stage)); });
  EXPECT_NE(log.find("Check value is 7."), std::string::npos);
  stage->check = ENG_PICTURE_STAGE_CHECK;
  set->check = 5;
  log = Logged([&] {
    EXPECT_FALSE(picture.IsSetOk(set, 1));
    EXPECT_FALSE(picture.AddStage(set));
    EXPECT_FALSE(picture.AllocStage(set));
  });
  EXPECT_NE(log.find("Check value is 5."), std::string::npos);
  EXPECT_NE(log.find("Internal error."), std::string::npos);
  set->check = ENG_PICTURE_SET_CHECK;
  EXPECT_EQ(picture.GetNumStages(set), 1);
}

TEST_F(EngPictureTest, FreeReportsEmptySetsOnceAndKeepsThePath) {
  ASSERT_TRUE(picture.AddSet("S"));
  ASSERT_TRUE(picture.AllocSet());
  picture.SetPath("folder");
  picture.SetDrawArea(1, 2, 3, 4);
  std::string log = Logged([&] { picture.Init(); });
  EXPECT_EQ(log.find("No stages [0]."), log.rfind("No stages [0]."));
  EXPECT_NE(log.find("No stages [0]."), std::string::npos);
  EXPECT_EQ(picture.GetNumSets(), 0);
  EXPECT_STREQ(picture.GetPath(), "folder");
  EXPECT_EQ(picture.GetDrawArea()->width, 640);
  picture.Destroy();
  EXPECT_EQ(picture.GetPath(), nullptr);
}

TEST_F(EngPictureTest, DrawingWithoutADeviceDoesNothing) {
  AddTextures();
  ASSERT_TRUE(picture.AddSet("S"));
  picture.GetStage(picture.GetSet(0), 0)->tex_num = 0;
  std::string log = Logged([&] {
    picture.Draw();
    picture.DrawWithAlpha(0.5f);
    picture.DrawSet(4, 1.0f);
  });
  EXPECT_TRUE(log.empty()) << log;
}

}  // namespace
