#include "screens/AboutCC.h"

#include <cstdio>

#include "Engine/EngFont.h"
#include "Engine/EngMemory.h"
#include "Engine/EngPicture.h"
#include "Engine/EngVarious.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinWindow.h"
#include "game/Game.h"
#include "game/Main.h"
#include "game/Quarrelwick.h"
#include "screens/MainControl.h"
#include "screens/ScreensText.h"
#include "screens/VQ_Screens.h"

namespace {

// The game's pages under the maker's address.
const char *const kGamePagePath = "quarrelwick";
const char *const kForumsPagePath = "quarrelwick/forums";

struct AboutStyle {
  float scale_x, scale_y;
  float r, g, b;
  float alpha;
  float y_extra;
};
// Styles 1 to 5.
const AboutStyle kStyles[] = {
    {1.2f, 1.2f, 1, 1, 1, 1.0f, 0},
    {1.1f, 1.1f, 1, 1, 1, 1.0f, 0},
    {0.8f, 0.8f, 0.6f, 0.8f, 1.0f, 0.9f, 0},
    {0.9f, 0.9f, 1, 1, 1, 0.7f, 0},
    {0.8f, 0.7f, 1, 1, 1, 0.5f, 15},
};
constexpr int kNumStyles = int(sizeof(kStyles) / sizeof(kStyles[0]));

}  // namespace

AboutCC::AboutCC() : ac_alpha_mult(0) { FillTexts(); }

float AboutCC::GetRowY(int row, int style) {
  return 150.0f + 28.0f * float(row) + (style == 5 ? kStyles[4].y_extra : 0.0f);
}

void AboutCC::FillTexts() {
  struct Row {
    const char *token;
    const char *english;
    int style;
  };
  const Row rows[ABOUT_NUM_TEXTS] = {
      {"About_CreditRoles", "Design / Programming / Art / Sound / Music", 3},
      {"About_CreditMaker", "Tallowmere", 2},
      {nullptr, various_tallowmere_home_page, 4},
      {nullptr, "", 0},
      {"About_CreditBugArt", "Bug Artwork", 3},
      {"About_CreditBugArtist", "Drawn for Quarrelwick by Tallowmere", 2},
      {nullptr, "", 0},
      {"About_CreditClosing", "Copyright 2026 Tallowmere - %1", 5},
  };
  for (int i = 0; i < ABOUT_NUM_TEXTS; i++) {
    const Row &row = rows[i];
    about_texts[i].style = row.style;
    if (row.token)
      ScreensTextWithArg(row.token, row.english, various_tallowmere_home_page, about_texts[i].text, ABOUT_TEXT_SIZE);
    else
      EngSafeStrcpy(about_texts[i].text, row.english, ABOUT_TEXT_SIZE);
  }
}

void AboutCC::StartingCB(void *) {
  if (mwinAboutAboutWindow && mwinAboutAboutBackButton) mwinAboutAboutWindow->SetEscapeButton(mwinAboutAboutBackButton);
  ac_alpha_mult = 0;
  // The texts follow the language loaded now.
  FillTexts();
  // The main menu let the title picture go as it left.
  if (mwinAboutAboutTitleButton && !MainControlGetTitlePicture()->AreGraphicsCreated()) MainControlCreateGraphics();
  MainControlSetupTitleButton(mwinAboutAboutTitleButton);
  if (mwinAboutAboutVersionButton) {
    char version[16], text[64];
    snprintf(version, sizeof(version), "%.2f", double(MainGetGameVersion()));
    ScreensTextWithArg("About_Version", "Version %1", version, text, sizeof(text));
    mwinAboutAboutVersionButton->SetText(text);
  }
}

void AboutCC::TickCB() {
  if (ac_alpha_mult >= 1.0f) return;
  // Two seconds from nothing to full.
  ac_alpha_mult += game_per_second * 0.5f;
  if (ac_alpha_mult > 1.0f) ac_alpha_mult = 1.0f;
}

void AboutCC::RenderCB(_MWinRenderStage stage) {
  if (stage != MWIN_RENDER_STAGE_1) return;
  EngFont *font = m_game ? m_game->GetFontIfMade() : nullptr;
  if (!font || !font->IsCreated()) return;
  // Later text must not take the last credit style.
  _Vector2d old_scale = {1, 1};
  _ColourRGBA old_colour = {1, 1, 1, 1};
  font->GetScale(&old_scale);
  font->GetColour(&old_colour);
  EngFontPrepareForDrawingWithOrientation(1);
  int style = 0;
  for (int i = 0; i < ABOUT_NUM_TEXTS; i++) {
    const _AboutText &row = about_texts[i];
    if (row.style >= 1 && row.style <= kNumStyles) {
      style = row.style;
      const AboutStyle &s = kStyles[style - 1];
      font->SetScaleIncWidescreen(s.scale_x, s.scale_y);
      font->SetColour(s.r, s.g, s.b, ac_alpha_mult * s.alpha);
    }
    if (!row.text[0] || style == 0) continue;
    font->DrawStringAlign(320.0f, GetRowY(i, style), 1, 0, row.text, 0);
  }
  EngFontRestoreAfterDrawing();
  font->SetScale(&old_scale);
  font->SetColour(&old_colour);
}

void AboutCC::GoToScreen(euint id, char back) {
  MainControlDestroyGraphics();
  MWinScreens *screens = m_screens;
  if (!screens) return;
  if (back)
    screens->GoBack();
  else
    screens->GotoScreen(id, nullptr);
  if (screens->GetCurrentScreen() == ABOUT_SCREEN_ID && mwinAboutAboutTitleButton) MainControlCreateGraphics();
}

char AboutCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) {
  if (!button || !info) return 0;
  if (button == mwinAboutAboutHomePageButton) {
    // Asked first in both window modes, and the program stays.
    VariousGoOnlineToTallowmere(m_mwin, nullptr, kGamePagePath, 1, 1, 0, 0);
  } else if (button == mwinAboutAboutForumsButton) {
    VariousGoOnlineToTallowmere(m_mwin, nullptr, kForumsPagePath, 1, 1, 0, 0);
  } else if (button == mwinAboutAboutLogsButton) {
    GoToScreen(LOGS_SCREEN_ID, 0);
  } else if (button == mwinAboutAboutTitleButton) {
    MainControlTitleButtonClicked(button);
  } else if (button == mwinAboutAboutBackButton) {
    GoToScreen(0, 1);
  } else {
    return 0;
  }
  return 1;
}
