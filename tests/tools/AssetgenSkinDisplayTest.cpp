// The made skin in use: a toolkit screen drawn with "Buttons.png" and "Popup.tga" set up the
// way the game sets up its skin (the standard slots from the atlas manifest), over the menu
// background, saved as skin-test.png in the build folder for a person to judge.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngLanguages.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCheckbox.h"
#include "Engine/MWin/MWinChoice.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/DeviceTestSupport.h"
#include "tests/Engine/MWin/MWinSkinTestSupport.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/tools/AssetgenDisplaySupport.h"
#include "tools/assetgen/AssetJson.h"

namespace qwtest {
namespace {

std::string Resources() { return MadeResources(); }

// Registers every standard slot of the manifest over the toolkit's own, as the game does.
void ApplyGameSkin(MWin *mwin) {
  MWinTextures *t = mwin->GetTextures();
  ASSERT_TRUE(t->AddTexture("Buttons", (Resources() + "Buttons.png").c_str(), 1, 2));
  ASSERT_TRUE(t->AddTexture("Popup", (Resources() + "Popup.tga").c_str(), 1, 2));
  const assetgen::JsonValue manifest =
      assetgen::JsonParse(ReadWholeFile(SourceDir() + "/assets/skin/Buttons.job.json"));
  const char *const states[4] = {"normal", "highlighted", "pressed", "disabled"};
  for (const auto &e : manifest.Find("rects")->items) {
    const assetgen::JsonValue *slot = e.Find("slot");
    if (!slot || !slot->IsNumber()) continue;
    const std::string id = e.Find("name")->text;
    const char *tex[4];
    float r[4][4];
    for (int s = 0; s < 4; s++) {
      const assetgen::JsonValue *v = e.Find(states[s]);
      const assetgen::JsonValue *use = v->IsString() ? e.Find("normal") : v;
      tex[s] = use->IsArray() ? "Buttons" : "";
      for (int k = 0; k < 4; k++) r[s][k] = use->IsArray() ? float(use->items[size_t(k)].number) : (k < 2 ? 0.0f : 1.0f);
    }
    const auto &sx = e.Find("style_x")->items, &sy = e.Find("style_y")->items, &ex = e.Find("extra")->items;
    const int n = int(slot->number);
    t->RemoveStandardTextureButton(n);
    ASSERT_TRUE(t->AddStandardTextureButton(n, id.c_str(), tex[0], r[0][0], r[0][1], r[0][2], r[0][3], tex[1], r[1][0],
                                            r[1][1], r[1][2], r[1][3], tex[2], r[2][0], r[2][1], r[2][2], r[2][3],
                                            tex[3], r[3][0], r[3][1], r[3][2], r[3][3], int(sx[0].number),
                                            float(sx[1].number), float(sx[2].number), int(sy[0].number),
                                            float(sy[1].number), float(sy[2].number)))
        << id;
    t->SetTexButDrawExtra(id.c_str(), float(ex[0].number), float(ex[1].number), float(ex[2].number));
    for (int s = 0; s < 4; s++) t->SetTextureButtonStateColourMultiplier(n, _MWinTextureState(s), 1.0f);
    for (const auto &c : e.Find("colours")->items)
      t->SetTextureButtonStateColourMultiplier(n, _MWinTextureState(int(c.items[0].number)), float(c.items[1].number),
                                               float(c.items[2].number), float(c.items[3].number),
                                               float(c.items[4].number));
  }
  // The popup's back: the whole popup picture, its frame kept in nine parts.
  ASSERT_NE(t->AddTextureButton("PopupBack", "Popup", 0, 0, 1, 1), nullptr);
  t->SetTexButDrawStyle("PopupBack", 2, 0.1f, 12, 2, 0.1f, 12);
  ASSERT_NE(t->AddTextureWithOneTextureButton("MenuBg", (Resources() + "MenuBg.jpg").c_str(), 0, 0), nullptr);
}

class AssetgenSkinDisplayTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    EngWhichDeviceResetForTests();
    EngLanguagesExit();
    SetWindowSizeForToolkit(640, 480);
    mwin = new MWin(nullptr);
    _MWinFontParams params;
    memset(&params, 0, sizeof(params));
    params.size = 20;
    params.min_char = 32;
    params.max_char = 126;
    params.x_scale = params.y_scale = 1;
    ASSERT_TRUE(mwin->GetFonts()->AddStandardFont("/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf", &params));
    ASSERT_TRUE(mwin->Startup());
    ASSERT_TRUE(SetupTestSkin(mwin, dir.Path()));
    ApplyGameSkin(mwin);
    ASSERT_TRUE(mwin->CreateGraphicsObjects());
  }
  void TearDown() override {
    delete mwin;
    EngLanguagesExit();
    DeviceTest::TearDown();
  }

  TempDir dir;
  MWin *mwin = nullptr;
};

TEST_F(AssetgenSkinDisplayTest, AToolkitScreenInTheGamesSkin) {
  mwin->SetClearMethod(MWIN_CLEAR_COLOUR, nullptr);
  device->SetClearColour(0, 0, 0);
  MWinCollection *c = mwin->GetDesktop()->AddCollection("Skin");
  _MWinWindowCreateInfo back = {};
  back.width = 640;
  back.height = 480;
  MWinCopyID(back.back_texbut, "MenuBg");
  ASSERT_NE(c->AddWindow("Back", &back), nullptr);

  _MWinWindowCreateInfo info = {};
  info.x = 30;
  info.y = 40;
  info.width = 360;
  info.height = 390;
  info.has_title_bar = 1;
  info.has_hide_button = 1;
  strcpy(info.title_text, "Garden Shed");
  strcpy(info.hide_button_text, "Back");
  MWinCopyID(info.title_texbut, "MWIN_TEXBUT_DEFAULT");
  MWinCopyID(info.back_texbut, "MWIN_TEXBUT_DEFAULT");
  MWinCopyID(info.title_font, "MWIN_FONT_DEFAULT");
  MWinCopyID(info.hide_button_texbut, "MWIN_TEXBUT_DEFAULT");
  MWinWindow *w = c->AddWindow("W", &info);
  ASSERT_NE(w, nullptr);

  const char *const labels[4] = {"Normal", "Highlighted", "Pressed", "Disabled"};
  MWinButton *push[4];
  for (int s = 0; s < 4; s++) {
    push[s] = w->AddButton(labels[s], MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", labels[s], 20, 15 + 48.0f * s, 150, 38);
    ASSERT_NE(push[s], nullptr);
    push[s]->SetOverrideRenderState(_MWinTextureState(s));
  }
  push[3]->Disable();
  MWinCheckbox *on = MWinCheckbox::From(w->AddButton("On", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_NONE", "Sound on", 190, 20, 150, 30));
  MWinCheckbox *off = MWinCheckbox::From(w->AddButton("Off", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_NONE", "Music", 190, 60, 150, 30));
  ASSERT_TRUE(on && off);
  on->CheckboxSet(1, 0);
  MWinButton *edit = w->AddButton("Edit", MWIN_BUTTON_TEXT_EDIT, "MWIN_TEXBUT_DEFAULT", "Pip", 190, 110, 150, 36);
  ASSERT_NE(edit, nullptr);
  MWinButton *choice = w->AddButton("Choice", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "", 190, 160, 150, 36);
  ASSERT_NE(choice, nullptr);
  const ENG_CHAR *gardens[2] = {"Meadow", "Pond"};
  MWinChoice::From(choice)->ChoiceSetStrings(2, gardens);
  MWinHorzScrollbar *bar = w->AddHorzScrollbar("Bar", "MWIN_TEXBUT_DEFAULT", nullptr, 20, 215, 320, 30);
  ASSERT_NE(bar, nullptr);
  bar->SetValues(0, 100, 20, 1);

  // The game's texts: white, a little see-through, at its sizes.
  for (MWinButton *b : {push[0], push[1], push[2], push[3], static_cast<MWinButton *>(on), static_cast<MWinButton *>(off),
                        edit, choice}) {
    b->SetTextColour(1, 1, 1, 0.85f);
    b->SetTextScale(0.6f, 0.66f);
  }
  mwin->PopupSetupTexturesAndFonts("PopupBack", "MWIN_TEXBUT_DEFAULT", "MWIN_FONT_DEFAULT", "MWIN_TEXBUT_DEFAULT",
                                   "MWIN_FONT_DEFAULT", 1, 1, 1, 0.85f, 0.6f, 0.66f, 1, 1, 1, 0.9f, 0.7f, 0.75f, 1);
  mwin->PopupDontLetNextPopupDarkenScreen();
  ASSERT_TRUE(mwin->PopupMessage("Wave 3", "The ants are coming!"));
  w->SetTitleTextScale(0.75f, 0.8f);
  _Dimension popup_area = *mwin->PopupGetWindow()->GetOrigArea();
  popup_area.x = 630 - popup_area.width;
  popup_area.y = 300;
  mwin->PopupGetWindow()->SetOrigArea(popup_area);

  // Twice: a checkbox beside centred text finds its place on the second frame.
  mwin->RenderMain();
  mwin->RenderPopups();
  mwin->RenderMain();
  mwin->RenderPopups();
  const std::vector<unsigned char> screen = ReadScreen();
  SaveScreenPng(screen, "skin-test.png");

  // The window's board is the skin's dark earth, its frame wood; each button state looks its own.
  double board[3], frame[3];
  MeanColour(screen, 60, 330, 180, 380, board);
  EXPECT_LT(board[0] + board[1] + board[2], 3 * 80.0) << "dark board";
  EXPECT_GT(board[0], board[2] + 10) << "earth, not grey or green";
  MeanColour(screen, 30, 200, 32, 240, frame);
  EXPECT_GT(frame[0], frame[2] + 20) << "wooden frame";
  double states[4][3];
  for (int s = 0; s < 4; s++) MeanColour(screen, 60, int(55 + 48 * s + 5), 160, int(55 + 48 * s + 30), states[s]);
  for (int a = 0; a < 4; a++)
    for (int b = a + 1; b < 4; b++) {
      double d = 0;
      for (int k = 0; k < 3; k++) d += std::fabs(states[a][k] - states[b][k]);
      EXPECT_GT(d, 6) << labels[a] << " and " << labels[b] << " look alike";
    }
}

}  // namespace
}  // namespace qwtest
