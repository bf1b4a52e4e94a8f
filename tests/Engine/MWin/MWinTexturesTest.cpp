#include <gtest/gtest.h>

#include <string>

#include "Engine/MWin/MWinTextures.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

class MWinTexturesTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    tex = mwin->GetTextures();
    file = dir.File("a.tga");
    WriteWholeFile(file, "x");  // registration only checks that the file exists
  }
  // Adds a texture "T" and a button with only its normal state set.
  _MWinTextureButton *NormalOnly(const char *id) {
    if (tex->GetTextureNumFromID("T") < 0) tex->AddTexture("T", file.c_str());
    return tex->AddTextureButton(id, "T", 0.1f, 0.2f, 0.3f, 0.4f, "", 0, 0, 0, 0, "", 0, 0, 0, 0, "", 0, 0, 0, 0);
  }
  TempDir dir;
  std::string file;
  MWinTextures *tex = nullptr;
};

TEST_F(MWinTexturesTest, AddTextureChecksItsArgumentsInOrder) {
  const std::string missing = dir.File("missing.tga");
  struct Case {
    const char *id;
    const char *file;
    std::string message;
  } cases[] = {
      {"A", nullptr, "No filename passed in"},
      {"A", "", "No filename passed in"},
      {"A", missing.c_str(), "File does not exist <" + missing + ">"},
      {"0123456789012345678901234567890123", file.c_str(), "Source string Too Long"},
  };
  for (const Case &c : cases) {
    std::string log = Logged([&] { EXPECT_FALSE(tex->AddTexture(c.id, c.file)); });
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
  }
  EXPECT_EQ(tex->GetNumTextures(), 0);

  // A file name of 255 characters is accepted, 256 refused.
  std::string name = dir.Path() + "/";
  name += std::string(255 - name.size() - 4, 'n') + ".tga";
  ASSERT_EQ(name.size(), 255u);
  WriteWholeFile(name, "x");
  EXPECT_TRUE(tex->AddTexture("Long", name.c_str()));
  std::string log = Logged([&] { EXPECT_FALSE(tex->AddTexture("Longer", (name + "x").c_str())); });
  EXPECT_NE(log.find("Filename too long"), std::string::npos) << log;
}

TEST_F(MWinTexturesTest, SixtyFourTexturesFitAndDuplicateIdsFindTheFirst) {
  for (int i = 0; i < MWIN_MAX_TEXTURES; i++) ASSERT_TRUE(tex->AddTexture(i < 2 ? "Same" : "T", file.c_str(), 1, 2));
  std::string log = Logged([&] { EXPECT_FALSE(tex->AddTexture("X", file.c_str())); });
  EXPECT_NE(log.find("Too many textures"), std::string::npos) << log;
  EXPECT_EQ(tex->GetTextureNumFromID("Same"), 0);
  EXPECT_EQ(tex->GetTextureNumFromID("X"), -1);
  _MWinTextureEntry *entry = tex->GetTextureFromID("Same");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->with_alpha, 1);
  EXPECT_EQ(entry->alpha_mode, 2);
  EXPECT_EQ(entry->texture, nullptr) << "textures load with the toolkit's graphics";
}

TEST_F(MWinTexturesTest, TextureButtonsTakeDefaultsAndCountUpToTwoHundredFiftySix) {
  _MWinTextureButton *b = NormalOnly("B0");
  ASSERT_NE(b, nullptr);
  EXPECT_STREQ(b->id, "B0");
  EXPECT_EQ(b->states[0].texture_num, 0);
  EXPECT_FLOAT_EQ(b->states[0].bottom, 0.4f);
  for (int s = 1; s < 4; s++) EXPECT_EQ(b->states[s].texture_num, -1);
  EXPECT_EQ(b->draw_style_x, 1);
  EXPECT_EQ(b->draw_style_y, 1);
  EXPECT_EQ(b->screen_edge_x, 16);
  EXPECT_EQ(b->screen_edge_y, 16);
  EXPECT_EQ(b->texture_edge_x, 0);
  EXPECT_EQ(b->extra_width, 0);
  EXPECT_FALSE(b->states[0].colour_multiplier_on);

  for (int i = 1; i < MWIN_MAX_TEXTURE_BUTTONS; i++)
    ASSERT_NE(tex->AddTextureButton(("B" + std::to_string(i)).c_str(), "T"), nullptr) << i;
  std::string log = Logged([&] { EXPECT_EQ(tex->AddTextureButton("Extra", "T"), nullptr); });
  EXPECT_NE(log.find("Too many texture buttons"), std::string::npos) << log;
  EXPECT_EQ(tex->GetTexButNumFromID("B255"), 255);
}

TEST_F(MWinTexturesTest, RefusedTextureButtonsLeaveTheTableUnchanged) {
  NormalOnly("B");
  struct Case {
    const char *id;
    const char *message;
  } cases[] = {
      {"", "Invalid ID passed in"},
      {nullptr, "Invalid ID passed in"},
      {"B", "Texture button alread exits <B>"},
      {"0123456789012345678901234567890123", "Source string Too Long"},
  };
  for (const Case &c : cases) {
    std::string log = Logged([&] { EXPECT_EQ(tex->AddTextureButton(c.id, "T"), nullptr); });
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
  }
  EXPECT_EQ(tex->GetNumTextureButtons(), 1);
}

TEST_F(MWinTexturesTest, AStateWithAnUnknownTextureStaysUnsetButTheButtonIsAdded) {
  tex->AddTexture("T", file.c_str());
  _MWinTextureButton *b = nullptr;
  std::string log = Logged([&] {
    b = tex->AddTextureButton("B", "T", 0, 0, 1, 1, "Nope", 0, 0, 1, 1, "", 0, 0, 0, 0, "T", 0.5f, 0, 1, 1);
  });
  ASSERT_NE(b, nullptr);
  EXPECT_NE(log.find("Texture <Nope> does not exist"), std::string::npos) << log;
  EXPECT_EQ(b->states[1].texture_num, -1);
  EXPECT_EQ(b->states[2].texture_num, -1);
  EXPECT_EQ(b->states[3].texture_num, 0);
  EXPECT_FLOAT_EQ(b->states[3].left, 0.5f);
}

TEST_F(MWinTexturesTest, TheFourTextureFormTakesTheFirstTextureForEmptyIds) {
  tex->AddTexture("A", file.c_str());
  tex->AddTexture("B", file.c_str());
  _MWinTextureButton *b = tex->AddTextureButton("X", "A", "", "B", nullptr);
  ASSERT_NE(b, nullptr);
  const int expected[4] = {0, 0, 1, 0};
  for (int s = 0; s < 4; s++) {
    EXPECT_EQ(b->states[s].texture_num, expected[s]) << s;
    EXPECT_EQ(b->states[s].right, 1.0f);
  }
  _MWinTextureButton *one = tex->AddTextureWithOneTextureButton("Own", file.c_str(), 1, 0);
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->states[2].texture_num, tex->GetTextureNumFromID("Own"));
}

TEST_F(MWinTexturesTest, SettingStatesAndCopyingTheNormalState) {
  _MWinTextureButton *b = NormalOnly("B");
  std::string log =
      Logged([&] { EXPECT_FALSE(tex->SetTextureButtonState("B", MWIN_TEXSTATE_PRESSED, "", 0, 0, 1, 1)); });
  EXPECT_NE(log.find("Invalid parameters passed in"), std::string::npos) << log;
  log = Logged([&] { EXPECT_FALSE(tex->SetTextureButtonState("Z", MWIN_TEXSTATE_PRESSED, "T", 0, 0, 1, 1)); });
  EXPECT_NE(log.find("Texture Button <Z> does not exist"), std::string::npos) << log;
  // A refused texture still clears the state first.
  ASSERT_TRUE(tex->SetTextureButtonState("B", MWIN_TEXSTATE_PRESSED, "T", 0, 0, 1, 1));
  Logged([&] { EXPECT_FALSE(tex->SetTextureButtonState(b, MWIN_TEXSTATE_PRESSED, "Nope", 0, 0, 1, 1)); });
  EXPECT_EQ(b->states[2].texture_num, -1);

  ASSERT_TRUE(tex->SetTextureButtonStateColourMultiplier("B", MWIN_TEXSTATE_NORMAL, 0.5f));
  ASSERT_TRUE(tex->CopyAllStatesFromNormalState("B"));
  for (int s = 1; s < 4; s++) {
    EXPECT_EQ(b->states[s].texture_num, 0);
    EXPECT_FLOAT_EQ(b->states[s].top, 0.2f);
    EXPECT_TRUE(b->states[s].colour_multiplier_on);
  }
  tex->AddTextureButton("Empty", "T", 0, 0, 0, 0);
  tex->GetTexButFromID("Empty")->states[0].texture_num = -1;
  struct Case {
    const char *id;
    const char *message;
  } cases[] = {{"", "Invalid ID passed in"},
               {"Q", "Could not find texture button <Q>"},
               {"Empty", "No normal state texture set on button <Empty>"}};
  for (const Case &c : cases) {
    log = Logged([&] { EXPECT_FALSE(tex->CopyAllStatesFromNormalState(c.id)); });
    EXPECT_NE(log.find(c.message), std::string::npos) << log;
  }
}

TEST_F(MWinTexturesTest, DrawStyleExtrasAndColourMultipliers) {
  _MWinTextureButton *b = NormalOnly("B");
  ASSERT_TRUE(tex->SetTexButDrawStyle("B", 2, 0.1f, 12, 3, 0.2f, 5));
  EXPECT_EQ(b->draw_style_x, 2);
  EXPECT_EQ(b->draw_style_y, 3);
  EXPECT_FLOAT_EQ(b->texture_edge_y, 0.2f);
  EXPECT_FLOAT_EQ(b->screen_edge_x, 12);
  ASSERT_TRUE(tex->SetTexButDrawExtra("B", 4, 6, 99, 99));
  float w = -1, top = -1, bottom = -1;
  EXPECT_TRUE(tex->GetTextureButtonExtraRenderSize(0, &w, &top, &bottom));
  EXPECT_EQ(w, 4);
  EXPECT_EQ(top, 3);
  EXPECT_EQ(bottom, 3);
  EXPECT_FALSE(tex->GetTextureButtonExtraRenderSize(1, &w, &top, nullptr));
  EXPECT_EQ(w, 0);
  EXPECT_EQ(top, 0);
  std::string log = Logged([&] {
    EXPECT_FALSE(tex->SetTexButDrawStyle("Z", 2, 0, 0, 2, 0, 0));
    EXPECT_FALSE(tex->SetTexButDrawExtra("Z", 1, 1, 1));
  });
  EXPECT_NE(log.find("Texture Button <Z> does not exist"), std::string::npos) << log;

  ASSERT_TRUE(tex->SetTextureButtonStateColourMultiplier("B", MWIN_TEXSTATE_PRESSED, 0.2f, 0.3f, 0.4f, 0.5f));
  EXPECT_TRUE(b->states[2].colour_multiplier_on);
  EXPECT_FLOAT_EQ(b->states[2].colour_multiplier.a, 0.5f);
  // An alpha of 0 turns the multiplier off rather than drawing transparent.
  ASSERT_TRUE(tex->SetTextureButtonStateColourMultiplier("B", MWIN_TEXSTATE_PRESSED, 1, 1, 1, 0));
  EXPECT_FALSE(b->states[2].colour_multiplier_on);
  ASSERT_TRUE(tex->SetTextureButtonStateColourMultiplier("B", MWIN_TEXSTATE_DISABLED, 0.45f));
  EXPECT_FLOAT_EQ(b->states[3].colour_multiplier.g, 0.45f);
  EXPECT_FLOAT_EQ(b->states[3].colour_multiplier.a, 1.0f);
  log = Logged([&] {
    EXPECT_FALSE(tex->SetTextureButtonStateColourMultiplier("", MWIN_TEXSTATE_NORMAL, 1.0f));
    EXPECT_FALSE(tex->SetTextureButtonStateColourMultiplier("Z", MWIN_TEXSTATE_NORMAL, 1.0f));
  });
  EXPECT_NE(log.find("Empty texbut ID"), std::string::npos) << log;
  EXPECT_NE(log.find("Unknown texbut ID <Z>"), std::string::npos) << log;
  // By standard slot.
  ASSERT_TRUE(tex->SetStandardTextureToTexBut(MWIN_STDTEX_PUSH_BUTTON, "B"));
  ASSERT_TRUE(tex->SetTextureButtonStateColourMultiplier(MWIN_STDTEX_PUSH_BUTTON, MWIN_TEXSTATE_HIGHLIGHTED, 0.3f));
  EXPECT_FLOAT_EQ(b->states[1].colour_multiplier.r, 0.3f);
}

TEST_F(MWinTexturesTest, StandardSlotsBindLookUpAndUnbind) {
  NormalOnly("A");
  _MWinTextureButton *b = NormalOnly("B");
  for (int slot = 0; slot < MWIN_NUM_STANDARD_TEXBUTS; slot++) EXPECT_EQ(tex->GetStandardTexButNum(slot), -1);
  ASSERT_TRUE(tex->SetStandardTextureToTexBut(MWIN_STDTEX_WIN_BACK, "B"));
  EXPECT_EQ(tex->GetStandardTexButNum(MWIN_STDTEX_WIN_BACK), 1);
  EXPECT_STREQ(tex->GetStandardTexButID(MWIN_STDTEX_WIN_BACK), "B");
  EXPECT_EQ(tex->GetStandardTexButID(MWIN_STDTEX_WHITE), nullptr);

  // A button bound to a slot names itself "MWIN_TEXBUT_DEFAULT" unless the real id is asked for.
  EXPECT_STREQ(tex->GetIDFromTexButNum(1, 0), "MWIN_TEXBUT_DEFAULT");
  EXPECT_STREQ(tex->GetIDFromTexButNum(1, 1), "B");
  EXPECT_STREQ(tex->GetIDFromTexButNum(0, 0), "A");
  EXPECT_STREQ(tex->GetIDFromTexButNum(2, 0), "MWIN_TEXBUT_NONE");
  EXPECT_STREQ(tex->GetIDFromTexButNum(-1, 1), "MWIN_TEXBUT_NONE");

  std::string log = Logged([&] {
    EXPECT_FALSE(tex->SetStandardTextureToTexBut(33, "B"));
    EXPECT_FALSE(tex->SetStandardTextureToTexBut(-1, "B"));
    EXPECT_FALSE(tex->SetStandardTextureToTexBut(0, "Z"));
    EXPECT_EQ(tex->GetStandardTexButNum(33), -1);
    EXPECT_EQ(tex->GetStandardTexButID(33), nullptr);
    EXPECT_EQ(tex->RemoveStandardTextureButton(33), -1);
  });
  EXPECT_NE(log.find("Invalid std tex num 33"), std::string::npos) << log;
  EXPECT_NE(log.find("Invalid std tex num -1"), std::string::npos) << log;
  EXPECT_NE(log.find("Texture Button <Z> does not exist"), std::string::npos) << log;
  EXPECT_NE(log.find("Invalid standard texbut num: 33"), std::string::npos) << log;
  EXPECT_EQ(tex->GetStandardTexButNum(0), 1) << "a refused binding keeps the old one";

  // An empty id or a null button unbinds.
  ASSERT_TRUE(tex->SetStandardTextureToTexBut(3, "A"));
  ASSERT_TRUE(tex->SetStandardTextureToTexBut(3, ""));
  EXPECT_EQ(tex->GetStandardTexButNum(3), -1);
  ASSERT_TRUE(tex->SetStandardTextureToTexBut(3, b));
  ASSERT_TRUE(tex->SetStandardTextureToTexBut(3, static_cast<_MWinTextureButton *>(nullptr)));
  EXPECT_EQ(tex->GetStandardTexButNum(3), -1);

  EXPECT_EQ(tex->RemoveStandardTextureButton(3), 0);
  EXPECT_EQ(tex->RemoveStandardTextureButton(0), 1);
  EXPECT_EQ(tex->GetStandardTexButNum(0), -1);
  EXPECT_EQ(tex->GetTexButNumFromID("B"), -1) << "the removed button can no longer be found by id";
  EXPECT_EQ(tex->GetNumTextureButtons(), 2);
}

TEST_F(MWinTexturesTest, AddStandardTextureButtonRegistersBindsAndStyles) {
  tex->AddTexture("T", file.c_str());
  ASSERT_TRUE(tex->AddStandardTextureButton(MWIN_STDTEX_CHOICE, "C", "T", 0, 0, 1, 1, "", 0, 0, 0, 0, "", 0, 0, 0,
                                            0, "", 0, 0, 0, 0, 2, 0.1f, 10, 0, 0, 0));
  EXPECT_EQ(tex->GetStandardTexButNum(MWIN_STDTEX_CHOICE), tex->GetTexButNumFromID("C"));
  EXPECT_EQ(tex->GetTexButFromID("C")->draw_style_x, 2);
  EXPECT_EQ(tex->GetTexButFromID("C")->draw_style_y, 0);
  ASSERT_TRUE(tex->AddStandardTextureButton(MWIN_STDTEX_BLACK, "Black", file.c_str()));
  EXPECT_STREQ(tex->GetStandardTexButID(MWIN_STDTEX_BLACK), "Black");
  EXPECT_GE(tex->GetTextureNumFromID("Black"), 0);
  Logged([&] { EXPECT_FALSE(tex->AddStandardTextureButton(MWIN_STDTEX_WHITE, "C", file.c_str())); });
  EXPECT_EQ(tex->GetStandardTexButNum(MWIN_STDTEX_WHITE), -1);
}

TEST_F(MWinTexturesTest, ClearingEmptiesTheTablesAndUnbindsTheSlots) {
  NormalOnly("B");
  tex->SetStandardTextureToTexBut(5, "B");
  tex->RemoveAllTexButs();
  EXPECT_EQ(tex->GetNumTextureButtons(), 0);
  EXPECT_EQ(tex->GetNumTextures(), 1);
  EXPECT_EQ(tex->GetStandardTexButNum(5), -1);
  NormalOnly("B");
  tex->SetStandardTextureToTexBut(5, "B");
  tex->RemoveAllTexturesAndTexButs();
  EXPECT_EQ(tex->GetNumTextures(), 0);
  EXPECT_EQ(tex->GetNumTextureButtons(), 0);
  EXPECT_EQ(tex->GetStandardTexButNum(5), -1);
}

TEST_F(MWinTexturesTest, WithoutADeviceNothingLoadsAndNothingIsDrawn) {
  NormalOnly("B");
  // The registered file is no picture and there is no device: the load fails and is reported.
  EXPECT_FALSE(tex->CreateTextures());
  EXPECT_FALSE(tex->AreTexturesLoaded());
  EXPECT_EQ(tex->GetTextureFromID("T")->texture, nullptr);
  _Dimension area = {0, 0, 10, 10};
  EXPECT_FALSE(tex->DrawTextureButton(0, MWIN_TEXSTATE_NORMAL, &area, nullptr));
  EXPECT_FALSE(tex->DrawTextureButton(0, MWIN_TEXSTATE_NORMAL, nullptr, nullptr));
  EXPECT_FALSE(tex->DrawTextureButton(7, MWIN_TEXSTATE_NORMAL, 0, 0, 10, 10, nullptr));
  EXPECT_FALSE(tex->DrawTextureButtonPart(-1, MWIN_TEXSTATE_NORMAL, 0, 0, 10, 10, 0, 0, 1, 1, nullptr));
}

}  // namespace
}  // namespace qwtest
