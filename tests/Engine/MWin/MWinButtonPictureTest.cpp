// The picture a widget shows, without a device: attaching and refusing textures and pictures,
// the blending kind, texture coordinates and borders, and the animation driven by the widget's
// tick through the toolkit.
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngMain.h"
#include "Engine/EngPicture.h"
#include "Engine/EngTexture.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

class MWinButtonPictureTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    eng_main_current_time = 10.0;
    eng_main_frames_per_second = 0.125f;
    window = AddWindow(Desktop()->AddCollection("C"), "W", 0, 0, 640, 480);
    ASSERT_NE(window, nullptr);
    label = window->AddButton("P", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", nullptr, 100, 100, 200, 80);
    ASSERT_NE(label, nullptr);
  }
  void TearDown() override {
    eng_main_frames_per_second = 1.0f / 60.0f;
    MWinTest::TearDown();
  }
  // A picture of one set whose stages change on every tick.
  void MakeCyclingPicture(EngPicture *picture, int stages) {
    ASSERT_TRUE(picture->AddSet("S"));
    EngPictureSet *set = picture->GetSet(0);
    for (int i = 1; i < stages; i++) ASSERT_TRUE(picture->AddStage(set));
    for (auto &stage : set->stages) {
      for (float &t : stage->alpha.times) t = 0;
      picture->ResetStageVars(stage.get());
    }
  }

  MWinWindow *window = nullptr;
  MWinButton *label = nullptr;
  EngTexture texture;
  EngPicture picture;
};

TEST_F(MWinButtonPictureTest, ANewWidgetShowsNothing) {
  EXPECT_EQ(label->PictureExists(), 0);
  EXPECT_EQ(label->GetPicture()->texture, nullptr);
  EXPECT_EQ(label->GetPicture()->picture, nullptr);
  EXPECT_EQ(label->PictureTick(), 0);
  EXPECT_EQ(label->PictureDraw(), 0);  // no device
}

TEST_F(MWinButtonPictureTest, ATextureIsAttachedWithItsBlendingEvenWhenNotLoaded) {
  std::string log = Logged([&] { EXPECT_TRUE(label->PictureAttachTextureToButton(&texture, 3)); });
  EXPECT_NE(log.find("Warning: texture is not loaded"), std::string::npos) << log;
  EXPECT_NE(log.find("PictureAttachTextureToButton"), std::string::npos) << log;
  EXPECT_EQ(label->PictureExists(), 7);
  EXPECT_EQ(label->GetPicture()->texture, &texture);
  EXPECT_TRUE(label->PictureSetBlendType(0));
  EXPECT_EQ(label->PictureExists(), 4);

  // Replacing it by a picture drops the texture, and the reverse.
  EXPECT_TRUE(label->PictureAttachPictureToButton(&picture, 1));
  EXPECT_EQ(label->PictureExists(), 2);
  EXPECT_EQ(label->GetPicture()->texture, nullptr);
  EXPECT_EQ(label->GetPicture()->picture, &picture);
  EXPECT_EQ(label->GetPicture()->animate, 1);
  Logged([&] { label->PictureAttachTextureToButton(&texture, 1); });
  EXPECT_EQ(label->GetPicture()->picture, nullptr);
  EXPECT_EQ(label->PictureExists(), 5);
}

TEST_F(MWinButtonPictureTest, RefusalsAreReportedAndARefusedAttachmentLeavesNothing) {
  struct Case {
    const char *name;
    std::function<char()> call;
    const char *message;
  } cases[] = {
      {"null texture", [&] { return label->PictureAttachTextureToButton(nullptr, 0); }, "No texture"},
      {"null picture", [&] { return label->PictureAttachPictureToButton(nullptr, 1); }, "No picture"},
  };
  for (const Case &c : cases) {
    Logged([&] { label->PictureAttachTextureToButton(&texture, 0); });
    label->PictureSetBorders(10);
    char result = 1;
    std::string log = Logged([&] { result = c.call(); });
    EXPECT_EQ(result, 0) << c.name;
    EXPECT_NE(log.find(c.message), std::string::npos) << c.name << ": " << log;
    EXPECT_EQ(label->PictureExists(), 0) << c.name;
    EXPECT_EQ(label->GetPicture()->texture, nullptr) << c.name;
    EXPECT_EQ(label->GetPicture()->borders_set, 0) << c.name;
  }
}

TEST_F(MWinButtonPictureTest, BlendingAndCoordinatesNeedATexture) {
  std::string log = Logged([&] { EXPECT_FALSE(label->PictureSetBlendType(2)); });
  EXPECT_NE(log.find("No picture attached."), std::string::npos) << log;
  label->PictureAttachPictureToButton(&picture, 0);
  log = Logged([&] { EXPECT_FALSE(label->PictureSetBlendType(2)); });
  EXPECT_NE(log.find("No picture attached."), std::string::npos) << log;
  EXPECT_EQ(label->PictureExists(), 2);

  // Coordinates want a loaded texture: neither none nor an unloaded one will do.
  log = Logged([&] { EXPECT_FALSE(label->PictureSetTextureCoordinates(0, 0, 0.5f, 0.5f)); });
  EXPECT_NE(log.find("Texture Not Ok"), std::string::npos) << log;
  Logged([&] { label->PictureAttachTextureToButton(&texture, 0); });
  log = Logged([&] { EXPECT_FALSE(label->PictureSetTextureCoordinates(nullptr)); });
  EXPECT_NE(log.find("Texture Not Ok"), std::string::npos) << log;
  EXPECT_EQ(label->GetPicture()->tc_set, 0);
}

TEST_F(MWinButtonPictureTest, BordersArePercentagesOfTheSizeWhenSetAndStayFixed) {
  struct Case {
    const char *name;
    std::function<void()> set;
    float left, top, right, bottom;
  } cases[] = {
      {"four", [&] { label->PictureSetBorders(10, 25, 5, 50); }, 20, 20, 10, 40},
      {"two", [&] { label->PictureSetBorders(10, 25); }, 20, 20, 20, 20},
      {"one", [&] { label->PictureSetBorders(50); }, 100, 40, 100, 40},
  };
  for (const Case &c : cases) {
    label->SetOrigPos(100, 100, 200, 80);
    c.set();
    const _MWinButtonPicture *p = label->GetPicture();
    EXPECT_EQ(p->borders_set, 1) << c.name;
    EXPECT_FLOAT_EQ(p->border_left, c.left) << c.name;
    EXPECT_FLOAT_EQ(p->border_top, c.top) << c.name;
    EXPECT_FLOAT_EQ(p->border_right, c.right) << c.name;
    EXPECT_FLOAT_EQ(p->border_bottom, c.bottom) << c.name;
    label->SetOrigPos(100, 100, 400, 160);
    EXPECT_FLOAT_EQ(p->border_left, c.left) << c.name;
  }
  // Borders belong to the widget, not to what it shows: attaching keeps them, a reset drops them.
  Logged([&] { label->PictureAttachTextureToButton(&texture, 0); });
  EXPECT_EQ(label->GetPicture()->borders_set, 1);
  label->PictureRemoveTextureFromButton();
  EXPECT_EQ(label->GetPicture()->borders_set, 0);
  EXPECT_EQ(label->PictureExists(), 0);
}

TEST_F(MWinButtonPictureTest, TheToolkitsTickAnimatesOnlyAnAnimatedPicture) {
  MakeCyclingPicture(&picture, 3);
  EngPictureSet *set = picture.GetSet(0);
  label->PictureAttachPictureToButton(&picture, 0);
  mwin->Tick2();
  EXPECT_EQ(set->vars.current_stage, 0);

  label->PictureAttachPictureToButton(&picture, 1);
  for (int want : {1, 2, 0}) {
    eng_main_current_time = eng_main_current_time + 0.125;
    EXPECT_EQ(label->Tick(), 1);
    EXPECT_EQ(set->vars.current_stage, want);
  }
  eng_main_current_time = eng_main_current_time + 0.125;
  mwin->Tick2();
  EXPECT_EQ(set->vars.current_stage, 1);

  // A disabled or hidden widget does not tick.
  label->Disable();
  mwin->Tick2();
  label->Enable();
  label->Hide();
  EXPECT_EQ(label->Tick(), 0);
  EXPECT_EQ(set->vars.current_stage, 1);
}

}  // namespace
}  // namespace qwtest
