// The module settings and the picture texture-name override.
#include "Engine/Modules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngPicture.h"

namespace {

std::string Logged(const std::function<void()> &action) {
  testing::internal::CaptureStderr();
  action();
  return testing::internal::GetCapturedStderr();
}

const char *ItemName(_ModulesItem item) {
  switch (item) {
    case MODULES_ITEM_LOGO_RING_TEXTURE: return "GameRing.png";
    case MODULES_ITEM_LOGO_TEXT_TEXTURE: return "GameText.png";
    case MODULES_ITEM_EFFECTS_TEXTURE: return "GameEffects.png";
    case MODULES_ITEM_GENERAL_TEXTURE: return "";
    case MODULES_ITEM_MENU_BACKGROUND: return "GameMenu.jpg";
    default: return "";
  }
}

int extra_calls = 0;
char Extra(const char *, const char *filename, char *out, int size) {
  extra_calls++;
  if (strcmp(filename, "menubg.jpg") != 0) return 0;
  snprintf(out, size_t(size), "lower.jpg");
  return 1;
}
char OtherExtra(const char *, const char *, char *, int) { return 0; }

class ModulesTest : public testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    ModulesResetForTests();
    extra_calls = 0;
  }
  void TearDown() override { ModulesResetForTests(); }
  // The override's result and its output for a file name.
  static std::string Override(const char *filename, char *result, int size = 64) {
    char out[64] = "unchanged";
    *result = ModulesEngPictureTextureFileOverwriteCB("folder", filename, out, size);
    return out;
  }
};

TEST_F(ModulesTest, SettingsStartZeroedWithOneDevice) {
  EXPECT_EQ(mwm_user_mod.num_devices, 1);
  EXPECT_EQ(mwm_user_mod.title_image_mode, 0);
  _UserModule settings;
  memset(&settings, 0, sizeof(settings));
  settings.title_image_mode = 2;
  settings.show_splash = 1;
  EXPECT_TRUE(ModulesSetup(&settings, ItemName));
  EXPECT_EQ(0, memcmp(&mwm_user_mod, &settings, sizeof(settings)));
  EXPECT_EQ(mwm_get_item_filename_cb, ItemName);
  // A null record keeps the settings and still takes the callback.
  EXPECT_TRUE(ModulesSetup(nullptr, nullptr));
  EXPECT_EQ(mwm_user_mod.title_image_mode, 2);
  EXPECT_EQ(mwm_get_item_filename_cb, nullptr);
}

TEST_F(ModulesTest, WellKnownTexturesAreReplacedByTheGamesFiles) {
  ModulesSetup(nullptr, ItemName);
  ModulesSetEngPictureTextureFileOverwriteCB(Extra);
  EXPECT_EQ(EngPicture_GetTextureFileOverwriteCB(), ModulesEngPictureTextureFileOverwriteCB);
  struct Case {
    const char *filename;
    char result;
    const char *out;
    int extra_calls;
  };
  const Case cases[] = {
      {"TallowRing.png", 1, "GameRing.png", 0}, {"TmText.png", 1, "GameText.png", 0},
      {"TexEffects1.png", 1, "GameEffects.png", 0}, {"Misc.png", 1, "", 0},
      {"MenuBg.jpg", 1, "GameMenu.jpg", 0},     {"menubg.jpg", 1, "lower.jpg", 1},
      {"Other.png", 0, "unchanged", 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.filename);
    extra_calls = 0;
    char result = 0;
    std::string log;
    std::string out;
    log = Logged([&] { out = Override(c.filename, &result); });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(out, c.out);
    EXPECT_EQ(extra_calls, c.extra_calls);
    if (!c.result) {
      EXPECT_NE(log.find("Unexpected file <Other.png>"), std::string::npos) << log;
    }
  }
  // The output is cut to the buffer.
  char result = 0;
  EXPECT_EQ(Override("MenuBg.jpg", &result, 5), "Game");
}

TEST_F(ModulesTest, NullKeepsTheExtraCallbackAndMissingSetupIsReported) {
  char result = 1;
  std::string log = Logged([&] { Override("MenuBg.jpg", &result); });
  EXPECT_EQ(result, 0);
  EXPECT_NE(log.find("CBs not setup"), std::string::npos);

  ModulesSetup(nullptr, ItemName);
  ModulesSetEngPictureTextureFileOverwriteCB(Extra);
  EngPicture_SetTextureFileOverwriteCB(nullptr);
  ModulesSetEngPictureTextureFileOverwriteCB(nullptr);
  EXPECT_EQ(modules_extra_eng_pic_file_overwrite_cb, Extra);
  EXPECT_EQ(EngPicture_GetTextureFileOverwriteCB(), ModulesEngPictureTextureFileOverwriteCB);
  ModulesSetEngPictureTextureFileOverwriteCB(OtherExtra);
  EXPECT_EQ(modules_extra_eng_pic_file_overwrite_cb, OtherExtra);
}

}  // namespace
