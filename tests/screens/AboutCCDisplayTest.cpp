// The about screen in the real program under Xvfb, pressed with SDL events: its version and
// title, credits that fade in over two seconds with injected frame steps and leave the font as
// they found it, the maker's pages after a Yes, and Escape back to the menu.
#include <string>
#include <vector>

#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngPicture.h"
#include "screens/AboutCC.h"
#include "tests/screens/ScreensProgramTestSupport.h"

namespace {

class AboutCCDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  AboutCC *About() { return Screens()->GetAboutCC(); }
  // One frame step of the game of the given length.
  void Tick(float seconds) {
    eng_main_frames_per_second = seconds;
    main_game->Tick();
  }
  // The frame without the screen's own drawing: the windows over the background alone.
  std::vector<unsigned char> WindowsOnly() {
    eng_main_device->BeginRendering();
    eng_main_device->ClearScreenBuffer();
    Root()->RenderMain();
    eng_main_device->EndRendering();
    std::vector<unsigned char> rgb(size_t(eng_main_window_width) * eng_main_window_height * 3),
        flipped(rgb.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, eng_main_window_width, eng_main_window_height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    const size_t row = size_t(eng_main_window_width) * 3;
    for (int y = 0; y < eng_main_window_height; y++)
      std::copy(rgb.begin() + (eng_main_window_height - 1 - y) * row, rgb.begin() + (eng_main_window_height - y) * row,
                flipped.begin() + y * row);
    return flipped;
  }
  // Pixels of the first credit row that differ from the windows alone.
  int FirstRowPixelsDrawn() {
    std::vector<unsigned char> with = Frame(), without = WindowsOnly();
    const int top = int(AboutCC::GetRowY(0, 3));
    return PixelsDiffering(with, without, 120, top, 400, 24);
  }
};

TEST_F(AboutCCDisplayTest, TheCreditsFadeInOverTwoSecondsAndLeaveTheFontAsTheyFoundIt) {
  Click(Screens()->GetMainCC()->mwinMainMainAboutButton);
  ASSERT_EQ(Root()->GetCurrentScreen(), ABOUT_SCREEN_ID);
  AboutCC *about = About();
  EXPECT_STREQ(about->mwinAboutAboutVersionButton->GetTextP(), "Version 2.01");
  EXPECT_EQ(MainControlGetTitlePicture()->AreGraphicsCreated(), 1);
  const _AboutText *roles = about->GetText(0);
  ASSERT_NE(roles, nullptr);
  EXPECT_STREQ(roles->text, "Design / Programming / Art / Sound / Music");
  EXPECT_EQ(std::string(about->GetText(2)->text), various_tallowmere_home_page);
  EXPECT_EQ(std::string(about->GetText(7)->text).find(various_tallowmere_home_page) != std::string::npos, true);

  // The fade starts again with the screen.
  Screens()->ReloadCurrentScreen();
  about = About();
  ASSERT_EQ(Root()->GetCurrentScreen(), ABOUT_SCREEN_ID);
  EXPECT_EQ(about->GetAlphaMult(), 0.0f);
  EXPECT_EQ(FirstRowPixelsDrawn(), 0);
  Frame("about-start");
  for (int i = 0; i < 10; i++) Tick(0.1f);
  EXPECT_NEAR(about->GetAlphaMult(), 0.5f, 1e-5f);
  const int half = FirstRowPixelsDrawn();
  for (int i = 0; i < 10; i++) Tick(0.1f);
  EXPECT_FLOAT_EQ(about->GetAlphaMult(), 1.0f);
  for (int i = 0; i < 30; i++) Tick(0.1f);
  EXPECT_FLOAT_EQ(about->GetAlphaMult(), 1.0f);
  const int full = FirstRowPixelsDrawn();
  EXPECT_GT(full, 300);
  EXPECT_GE(full, half);

  Frame("about-credits");
  // Drawing the credits leaves the main font's scale and colour as they were (the widgets
  // drawn before them set their own).
  EngFont *font = main_game->GetFont();
  font->SetScale(1.0f, 1.0f);
  font->SetColour(0.25f, 0.5f, 0.75f, 1.0f);
  ASSERT_EQ(eng_main_device->BeginRendering(), 1);
  about->RenderCB(MWIN_RENDER_STAGE_1);
  eng_main_device->EndRendering();
  _Vector2d scale = {0, 0};
  _ColourRGBA colour = {0, 0, 0, 0};
  font->GetScale(&scale);
  font->GetColour(&colour);
  EXPECT_FLOAT_EQ(scale.x, 1.0f);
  EXPECT_FLOAT_EQ(scale.y, 1.0f);
  EXPECT_FLOAT_EQ(colour.r, 0.25f);
  EXPECT_FLOAT_EQ(colour.b, 0.75f);
  EXPECT_FLOAT_EQ(colour.a, 1.0f);

  // Escape is Back.
  Key(SDLK_ESCAPE);
  Frames(1);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
  EXPECT_EQ(about->mwinAboutAboutBackButton, nullptr);
}

// Under the "Go Online ?" popup the credits dim as the screen's windows do: the credits' own
// pixels (where the screen differs from its windows alone) keep the same share of their
// brightness as the Back button's.
TEST_F(AboutCCDisplayTest, UnderAPopupTheCreditsDimWithEverythingElse) {
  Click(Screens()->GetMainCC()->mwinMainMainAboutButton);
  ASSERT_EQ(Root()->GetCurrentScreen(), ABOUT_SCREEN_ID);
  for (int i = 0; i < 30; i++) Tick(0.1f);
  const std::vector<unsigned char> bright = Frame("about-no-popup"), windows = WindowsOnly();
  Click(About()->mwinAboutAboutHomePageButton);
  ASSERT_EQ(Root()->PopupIsOn(), 1);
  const std::vector<unsigned char> dimmed = Frame("about-popup");
  const _Dimension popup = *Root()->PopupGetWindow()->GetActualAreaReal();
  auto outside_popup = [&](int x, int y) {
    return x < popup.x - 2 || x >= popup.x + popup.width + 2 || y < popup.y - 2 || y >= popup.y + popup.height + 2;
  };
  auto sum = [](const std::vector<unsigned char> &f, int x, int y) {
    const unsigned char *p = &f[(size_t(y) * 640 + size_t(x)) * 3];
    return double(p[0] + p[1] + p[2]);
  };
  double credits_bright = 0, credits_dimmed = 0;
  int credit_pixels = 0;
  for (int y = 0; y < 480; y++)
    for (int x = 0; x < 640; x++)
      if (outside_popup(x, y) && sum(bright, x, y) > sum(windows, x, y) + 90) {
        credit_pixels++;
        credits_bright += sum(bright, x, y);
        credits_dimmed += sum(dimmed, x, y);
      }
  ASSERT_GT(credit_pixels, 300);
  _Dimension back = {0, 0, 0, 0};
  ASSERT_TRUE(About()->mwinAboutAboutBackButton->GetActualArea(&back));
  double back_bright = 0, back_dimmed = 0;
  for (int y = int(back.y); y < int(back.y + back.height); y++)
    for (int x = int(back.x); x < int(back.x + back.width); x++) {
      back_bright += sum(bright, x, y);
      back_dimmed += sum(dimmed, x, y);
    }
  EXPECT_NEAR(credits_dimmed / credits_bright, back_dimmed / back_bright, 0.1);
  Click(Root()->PopupGetWindow()->GetButtonFromID("CANCEL", 0));
}

TEST_F(AboutCCDisplayTest, HomePageAndForumsOpenTheGamesPagesAfterAYes) {
  const std::string opened = InstallBrowserOpener();
  Click(Screens()->GetMainCC()->mwinMainMainAboutButton);
  ASSERT_EQ(Root()->GetCurrentScreen(), ABOUT_SCREEN_ID);
  const std::string game_page = std::string(various_tallowmere_home_page) + "/quarrelwick";
  struct Case {
    MWinButton *AboutCC::*button;
    std::string address;
  };
  const Case cases[] = {
      {&AboutCC::mwinAboutAboutHomePageButton, game_page},
      {&AboutCC::mwinAboutAboutForumsButton, game_page + "/forums"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.address);
    unlink(opened.c_str());
    // No opens nothing.
    Click(About()->*c.button);
    ASSERT_EQ(Root()->PopupIsOn(), 1);
    Click(Root()->PopupGetWindow()->GetButtonFromID("CANCEL", 0));
    Frames(2);
    EXPECT_EQ(VariousWaitForBrowserOpenerForTests(), -1);
    EXPECT_FALSE(qwtest::FileExists(opened));
    // Yes opens the page, and the game goes on.
    Click(About()->*c.button);
    AnswerYes();
    ASSERT_EQ(VariousWaitForBrowserOpenerForTests(), 0);
    EXPECT_EQ(qwtest::ReadWholeFile(opened), c.address);
    EXPECT_EQ(main_program->IsExiting(), 0);
    if (Root()->PopupIsOn()) Root()->PopupTurnOff();
    Frames(1);
    EXPECT_EQ(Root()->GetCurrentScreen(), ABOUT_SCREEN_ID);
  }
  // Full screen asks all the same, and never closes the program for the page.
  eng_main_window_windowed = 0;
  Click(About()->mwinAboutAboutForumsButton);
  EXPECT_EQ(Root()->PopupIsOn(), 1);
  EXPECT_EQ(main_program->IsExiting(), 0);
  if (Root()->PopupIsOn()) Click(Root()->PopupGetWindow()->GetButtonFromID("CANCEL", 0));
  eng_main_window_windowed = 1;
  Frames(1);
  EXPECT_EQ(main_program->IsExiting(), 0);

  Click(About()->mwinAboutAboutBackButton);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
}

}  // namespace
