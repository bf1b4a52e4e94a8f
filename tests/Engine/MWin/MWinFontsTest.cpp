#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>

#include "Engine/MWin/MWinFonts.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

const char *const kVeraBold = "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf";

class MWinFontsTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    fonts = mwin->GetFonts();
    file = dir.File("f.ttf");
    WriteWholeFile(file, "not rasterised until the graphics are made");
    memset(&params, 0, sizeof(params));
    params.size = 16;
    params.min_char = 32;
    params.max_char = 126;
    params.x_scale = params.y_scale = 1;
  }
  int Add(const char *id, const std::string &path) { return fonts->AddUserFont(id, path.c_str(), &params); }

  TempDir dir;
  std::string file;
  _MWinFontParams params;
  MWinFonts *fonts = nullptr;
};

TEST_F(MWinFontsTest, FontNumbersOfTheReservedAndRegisteredIds) {
  ASSERT_EQ(Add("A", file), 0);
  struct Case {
    const char *id;
    int num;
  } cases[] = {{"MWIN_FONT_NONE", -2}, {"MWIN_FONT_DEFAULT", -1}, {"", -2}, {nullptr, -2}, {"A", 0}};
  for (const Case &c : cases) EXPECT_EQ(fonts->GetFontNumFromID(c.id), c.num) << (c.id ? c.id : "null");
  std::string log = Logged([&] { EXPECT_EQ(fonts->GetFontNumFromID("Q"), -2); });
  EXPECT_NE(log.find("Font <Q> does not exist"), std::string::npos) << log;
  EXPECT_EQ(fonts->GetFont(-2), nullptr);
  EXPECT_EQ(fonts->GetFont(-1), nullptr);
  EXPECT_EQ(fonts->GetFont(0), nullptr) << "a file font has no EngFont before the graphics are made";
  EXPECT_EQ(fonts->GetFont(1), nullptr);
}

TEST_F(MWinFontsTest, FreedSlotsAreReusedAndTrailingEmptySlotsDropped) {
  EXPECT_EQ(Add("A", file), 0);
  EXPECT_EQ(Add("B", file), 1);
  EXPECT_EQ(Add("C", file), 2);
  ASSERT_TRUE(fonts->RemoveUserFont("B"));
  EXPECT_EQ(fonts->GetNumUserSlots(), 3);
  EXPECT_EQ(fonts->GetFontNumFromID("C"), 2) << "slot numbers never change";
  EXPECT_EQ(Add("D", file), 1);
  ASSERT_TRUE(fonts->RemoveUserFont("D"));
  ASSERT_TRUE(fonts->RemoveUserFont("C"));
  EXPECT_EQ(fonts->GetNumUserSlots(), 1) << "the last slot and the empty one before it are dropped";
  fonts->RemoveAllUserFonts();
  EXPECT_EQ(fonts->GetNumUserSlots(), 0);
}

TEST_F(MWinFontsTest, RefusedFontsAreReportedAndChangeNothing) {
  ASSERT_EQ(Add("A", file), 0);
  const std::string missing = dir.File("none.ttf"), long_name(256, 'x');
  EngFont font;
  struct Case {
    std::function<int()> add;
    std::string message;
  } cases[] = {
      {[&] { return Add("B", ""); }, "No filename passed in"},
      {[&] { return fonts->AddUserFont("B", nullptr, &params); }, "No filename passed in"},
      {[&] { return Add("B", long_name); }, "Filename too long"},
      {[&] { return fonts->AddUserFont("B", file.c_str(), nullptr); }, "Invalid Params"},
      {[&] { return Add("B", missing); }, "File does not exist <" + missing + ">"},
      {[&] { return Add("", file); }, "No id specified"},
      {[&] { return fonts->AddFont("", file.c_str(), &params); }, "Empty id"},
      {[&] { return Add("A", file); }, "Font <A> already created"},
      {[&] { return Add("0123456789012345678901234567890123", file); }, "Source string Too Long"},
      {[&] { return fonts->AddUserFontPointer("", &font); }, "No id specified"},
      {[&] { return fonts->AddUserFontPointer("B", nullptr); }, "No font passed in"},
      {[&] { return fonts->AddUserFontPointer("A", &font); }, "Font <A> already created"},
  };
  for (const Case &c : cases) {
    std::string log = Logged([&] { EXPECT_EQ(c.add(), -2) << c.message; });
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
  }
  EXPECT_EQ(fonts->GetNumUserSlots(), 1);
}

TEST_F(MWinFontsTest, StylesAreCheckedAndFoundByExactId) {
  ASSERT_TRUE(fonts->AddStandardFont(file.c_str(), &params));
  ASSERT_EQ(Add("A", file), 0);
  EXPECT_EQ(fonts->AddFontStyleToFont(0, "Big", 2, 2, 1, 0, 0, 1), 0);
  EXPECT_EQ(fonts->AddFontStyleToFont(0, "Big", 3, 3, 0, 1, 0, 1), 1);
  EXPECT_EQ(fonts->AddFontStyleToFont(-1, "Title", 1.5f, 1.25f, 0.5f, 0.5f, 0.5f, 1), 0);
  const _MWinFontStyle *big = fonts->GetFontsFontStyle(0, "Big");
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->scale_x, 2) << "the first style with the id";
  const _MWinFontStyle *title = fonts->GetFontsFontStyle(-1, "Title");
  ASSERT_NE(title, nullptr);
  EXPECT_FLOAT_EQ(title->scale_y, 1.25f);
  EXPECT_FLOAT_EQ(title->b, 0.5f);

  std::string log = Logged([&] {
    EXPECT_EQ(fonts->AddFontStyleToFont(-1, "Flat", 1.5f, 0, 1, 1, 1, 1), -1);
    EXPECT_EQ(fonts->AddFontStyleToFont(0, "", 1, 1, 1, 1, 1, 1), -1);
  });
  EXPECT_NE(log.find("Bad parameters."), std::string::npos) << log;
  log = Logged([&] {
    EXPECT_EQ(fonts->AddFontStyleToFont(5, "X", 1, 1, 1, 1, 1, 1), -1);
    EXPECT_EQ(fonts->GetFontsFontStyle(-2, "Big"), nullptr);
  });
  EXPECT_NE(log.find("Bad font num 5 (1)"), std::string::npos) << log;
  EXPECT_NE(log.find("Bad font num -2 (1)"), std::string::npos) << log;
  log = Logged([&] { EXPECT_EQ(fonts->GetFontsFontStyle(0, "big"), nullptr); });
  EXPECT_NE(log.find("Font style \"big\" not found in font 0."), std::string::npos) << log;
}

TEST_F(MWinFontsTest, RemovingReportsMissingFontsAndLeavesTheCallersFontAlone) {
  EngFont own;
  ASSERT_EQ(fonts->AddUserFontPointer("Mine", &own), 0);
  EXPECT_EQ(fonts->GetFont(0), &own);
  EXPECT_EQ(fonts->GetUserFont("Mine", 1), &own);
  std::string log = Logged([&] {
    EXPECT_FALSE(fonts->RemoveStandardFont());
    EXPECT_FALSE(fonts->RemoveUserFont("Q"));
    EXPECT_FALSE(fonts->RemoveUserFont(""));
    EXPECT_EQ(fonts->GetUserFont("", 0), nullptr);
  });
  EXPECT_NE(log.find("Font does not exist"), std::string::npos) << log;
  EXPECT_NE(log.find("Font <Q> does not exist"), std::string::npos) << log;
  EXPECT_NE(log.find("No id specified"), std::string::npos) << log;
  EXPECT_EQ(Logged([&] { EXPECT_EQ(fonts->GetUserFont("Q", 0), nullptr); }), "");
  log = Logged([&] { EXPECT_EQ(fonts->GetUserFont("Q", 1), nullptr); });
  EXPECT_NE(log.find("Font <Q> does not exist"), std::string::npos) << log;

  // The caller's font survives the graphics going and the record's removal (the sanitizer
  // build would catch its deletion).
  fonts->DestroyGraphicsObjects();
  EXPECT_EQ(fonts->GetFont(0), &own);
  ASSERT_TRUE(fonts->RemoveUserFont("Mine"));
  EXPECT_EQ(fonts->GetNumUserSlots(), 0);
}

TEST_F(MWinFontsTest, FileFontsAreRasterisedWithTheGraphicsAndDroppedWithThem) {
  ASSERT_TRUE(FileExists(kVeraBold)) << "install ttf-bitstream-vera";
  EngFont own;
  ASSERT_TRUE(fonts->AddStandardFont(kVeraBold, &params));
  ASSERT_EQ(Add("Vera", kVeraBold), 0);
  ASSERT_EQ(fonts->AddUserFontPointer("Mine", &own), 1);
  EXPECT_EQ(fonts->GetFont(0), nullptr);

  ASSERT_TRUE(fonts->CreateFonts());
  EXPECT_TRUE(fonts->AreFontsLoaded());
  ASSERT_NE(fonts->GetFont(-1), nullptr);
  ASSERT_NE(fonts->GetFont(0), nullptr);
  EXPECT_TRUE(fonts->GetFont(0)->IsCreated());
  EXPECT_EQ(fonts->GetFont(1), &own);
  std::string log = Logged([&] { EXPECT_FALSE(fonts->AddStandardFont(kVeraBold, &params)); });
  EXPECT_NE(log.find("Font is already loaded"), std::string::npos) << log;

  fonts->DestroyGraphicsObjects();
  EXPECT_FALSE(fonts->AreFontsLoaded());
  EXPECT_EQ(fonts->GetFont(-1), nullptr);
  EXPECT_EQ(fonts->GetFont(0), nullptr);
  EXPECT_EQ(fonts->GetFont(1), &own);
  ASSERT_TRUE(fonts->CreateFonts());
  EXPECT_NE(fonts->GetFont(0), nullptr) << "registrations survive and are rasterised again";

  EXPECT_TRUE(fonts->ReloadFont("Vera"));
  EXPECT_NE(fonts->GetFont(0), nullptr);
  EXPECT_TRUE(fonts->ReloadFont("MWIN_FONT_NONE"));
  EXPECT_TRUE(fonts->ReloadFont("Mine"));
  EXPECT_EQ(fonts->GetFont(1), &own);
}

TEST_F(MWinFontsTest, AnEmptySlotOrABadUserFontFailsTheLoadButNotTheStandardFont) {
  ASSERT_TRUE(FileExists(kVeraBold));
  ASSERT_TRUE(fonts->AddStandardFont(file.c_str(), &params));  // no font inside
  ASSERT_EQ(Add("A", kVeraBold), 0);
  ASSERT_EQ(Add("B", kVeraBold), 1);
  ASSERT_EQ(Add("C", kVeraBold), 2);
  std::string log = Logged([&] { EXPECT_TRUE(fonts->CreateFonts()); });
  EXPECT_NE(log.find("Could not create font <MWIN_STANDARD_FONT>"), std::string::npos) << log;
  EXPECT_EQ(fonts->GetFont(-1), nullptr);
  fonts->DestroyGraphicsObjects();

  ASSERT_TRUE(fonts->RemoveUserFont("B"));
  EXPECT_FALSE(fonts->CreateFonts()) << "an empty slot in the middle";
  EXPECT_NE(fonts->GetFont(0), nullptr);
  EXPECT_NE(fonts->GetFont(2), nullptr);
  fonts->DestroyGraphicsObjects();

  ASSERT_EQ(Add("Bad", file), 1);
  log = Logged([&] { EXPECT_FALSE(fonts->CreateFonts()); });
  EXPECT_NE(log.find("Could not create font <Bad>"), std::string::npos) << log;
}

TEST_F(MWinFontsTest, TheDefaultFontComesFromTheWorkingFolder) {
  qwtest::WorkingFolder old;
  ASSERT_EQ(chdir(dir.Path().c_str()), 0);
  std::string log = Logged([&] { EXPECT_FALSE(mwin->SetupDefaultFont()); });
  EXPECT_NE(log.find("Could not load font <MWinDefaultFont.ttf>"), std::string::npos) << log;
  WriteWholeFile(dir.File("MWinDefaultFont.ttf"), ReadWholeFile(kVeraBold));
  EXPECT_TRUE(mwin->SetupDefaultFont());
  const MWinFontC *record = fonts->GetFontRecord(-1);
  EXPECT_STREQ(record->id, "MWIN_STANDARD_FONT");
  EXPECT_EQ(record->params.unused1, 144);
  EXPECT_EQ(record->params.size, 32);
  EXPECT_EQ(record->params.max_char, 126);
  EXPECT_FLOAT_EQ(record->params.letter_y_extra, -2);
  EXPECT_EQ(record->params.unused6, 1);
  EXPECT_EQ(record->params.effects.margin, 2);
  EXPECT_FLOAT_EQ(record->params.effects.shadow_opacity, 0.5f);
  EXPECT_EQ(record->params.effects.blur_first, 2);
  EXPECT_TRUE(fonts->CreateFonts());
  EXPECT_NE(fonts->GetStandardFont(), nullptr);
  ASSERT_TRUE(old.Restore());
}

}  // namespace
}  // namespace qwtest
