#include "screens/GameAdsCC.h"

#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMiscRandom.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinWindow.h"
#include "online/GameAds.h"
#include "screens/ScreenLayout.h"
#include "screens/ScreensText.h"
#include "screens/VQ_Screens.h"

enum { KEY_LEFT_ARROW = 244, KEY_RIGHT_ARROW = 245 };
static const float kFrameTime = 1.0f / 60.0f;

// One pulse for the whole program, as the button comes and goes with the rows.
static float pulse_angle = 0.0f;

GameAdsCC::GameAdsCC(MWinScreens *screens)
    : m_screens_p(screens), m_pending(nullptr), m_browse_style(0), m_style(1), m_scale1(1.0f), m_scale2(1.0f),
      m_pulse(0) {
  SetScreensVar(screens);
  ForgetWidgets();
}

void GameAdsCC::ForgetWidgets() {
  m_prev = m_next = m_back = m_tell = m_main = nullptr;
  m_pic1_bg = m_pic1 = m_pic2_bg = m_pic2 = m_pic_cen = m_pic_cen_bg = nullptr;
  m_pending = nullptr;
}

void GameAdsCC::RemoveVars() {
  GameAdsCollectionController::RemoveVars();
  ForgetWidgets();
}

MWinButton *GameAdsCC::Find(const char *id, char report) {
  return m_mwin ? m_mwin->GetButtonFromIDs("GameAds", "MainWin", id, report) : nullptr;
}

void GameAdsCC::CustomiseAppearence(char style, float scale1, float scale2) {
  if (style >= 0) m_style = style;
  if (scale1 >= 0) m_scale1 = scale1;
  if (scale2 >= 0) m_scale2 = scale2;
}

static char IsCurrent(MWinScreens *screens) {
  return screens && screens->AreOn() && screens->GetCurrentScreen() == GAME_ADS_SCREEN_ID ? 1 : 0;
}

void GameAdsCC::CreateGraphics() {
  DestroyGraphics();
  if (!IsCurrent(m_screens_p)) return;
  GameAdsCreateGraphics(1);
  // Made anew while on show (a new device): the pictures go straight back.
  AttachPictures();
}

void GameAdsCC::AttachPictures() {
  EngTexture *tex1 = GameAdsGetAdTex1P();
  EngTexture *tex2 = GameAdsGetAdTex2P();
  if (GameAdsIsCurrentAdAOnePicAd()) {
    MWinButton *centre = Find("PicCen", 0);
    if (centre && tex1->IsOk()) centre->SetBackTexButToCustomTexP(tex1);
    return;
  }
  MWinButton *pic1 = Find("Pic1", 0);
  MWinButton *pic2 = Find("Pic2", 0);
  if (pic1 && tex1->IsOk()) pic1->SetBackTexButToCustomTexP(tex1);
  if (pic2 && tex2->IsOk()) pic2->SetBackTexButToCustomTexP(tex2);
}

void GameAdsCC::DestroyGraphics() {
  if (IsCurrent(m_screens_p)) {
    // The widgets must not draw a texture that is about to go: back to their own frames.
    // Naming a frame keeps a custom picture, so the picture goes first.
    if (MWinButton *pic = Find("Pic1", 0)) {
      pic->SetBackTexButToNone();
      pic->SetBackTexButToTexBut("Back3");
    }
    if (MWinButton *pic = Find("Pic2", 0)) pic->SetBackTexButToNone();
    if (MWinButton *pic = Find("PicCen", 0)) {
      pic->SetBackTexButToNone();
      pic->SetBackTexButToTexBut("Back1");
    }
  }
  GameAdsDestroyGraphics();
}

static void Show(MWinButton *button, char shown) {
  if (!button) return;
  if (shown) {
    // The toolkit's widgets have Hide but no Show of their own.
    if (!button->IsShown()) {
      button->SetShownFlag(1);
      if (MWin *mwin = button->GetMWin()) mwin->RenderNeeded();
    }
  } else {
    button->Hide();
  }
}

void GameAdsCC::StartingCB(void *) {
  GameAdsSetCurGameAd(game_ads_cur_game_ad);
  const int row = game_ads_cur_game_ad;

  if (MWinButton *title = Find("Title", 1)) {
    const char *suffix = GameAdsIsCurrentAdAnIPhoneApp()   ? "  (iPhone)"
                         : GameAdsIsCurrentAdAnIPadApp()   ? "  (iPad)"
                         : GameAdsIsCurrentAdAnAndroidApp() ? "  (Android)"
                                                            : "";
    char text[GAME_ADS_TITLE_SIZE + 16];
    snprintf(text, sizeof(text), "%s%s", GameAdsGetTitleText(row), suffix);
    title->SetText(text);
  }
  static const char *const kDescIds[GAME_ADS_DESC_LINES] = {"Desc1", "Desc2", "Desc3", "Desc4"};
  for (int line = 0; line < GAME_ADS_DESC_LINES; line++)
    if (MWinButton *desc = Find(kDescIds[line], 1)) desc->SetText(GameAdsGetDescText(row, line));

  CreateGraphics();

  m_pic1_bg = Find("Pic1Bg", 0);
  m_pic1 = Find("Pic1", 0);
  m_pic2_bg = Find("Pic2Bg", 0);
  m_pic2 = Find("Pic2", 0);
  m_pic_cen_bg = Find("PicCenBg", 0);
  m_pic_cen = Find("PicCen", 0);
  for (MWinButton *pic : {m_pic1_bg, m_pic1, m_pic2_bg, m_pic2}) Show(pic, 1);
  Show(m_pic_cen, 0);
  Show(m_pic_cen_bg, 0);

  m_prev = Find("Prev", 1);
  m_next = Find("Next", 1);
  m_back = Find("Back", 0);
  if (!m_back && mwinGameAdsMainWinWindow) m_back = mwinGameAdsMainWinWindow->GetHideButton();
  if (m_back)
    m_back->SetEscapeButtonForParentWindow();
  else
    DebugErrorAlt(ENG_FUNC, "No back button");

  m_pulse = 0;
  m_tell = Find("TellAFriend", 0);
  m_main = Find("Download", 0);
  if (!m_main) m_main = Find("HomePage", 1);
  if (m_main) {
    if (!GameAdsGetDownloadLinkForCurrentAd()) {
      if (GameAdsIsCurrentAdAnIOSApp())
        m_main->SetText(ScreensText("GameAds_AppStore", "App Store"));
      else if (GameAdsIsCurrentAdAnAndroidApp())
        m_main->SetText(ScreensText("GameAds_PlayStore", "Play Store"));
      else
        m_main->SetText(ScreensText("Startup_HomePage", "Home Page"));
    } else if (m_main->HasText()) {
      const char *text = ScreensText("GameAds_Download", "Instant Download");
      // A translation that reads just "Download" is a quiet button.
      if (strcmp(m_main->GetTextP(), "Download") != 0 && strcmp(text, "Download") != 0) {
        m_main->SetText(text);
        m_pulse = 1;
      }
    }
    m_main->SetTransparency(1.0f);
  }

  if (GameAdsIsCurrentAdAOnePicAd()) {
    if (!m_pic_cen) DebugErrorAlt(ENG_FUNC, "No center pic button");
    for (MWinButton *pic : {m_pic1_bg, m_pic1, m_pic2_bg, m_pic2}) Show(pic, 0);
    Show(m_pic_cen, 1);
    Show(m_pic_cen_bg, 1);
  }
  AttachPictures();

  if (GameAdsGetNumAdsIncluded() < 2) {
    Show(m_prev, 0);
    Show(m_next, 0);
  }
}

void GameAdsCC::PrevCB() {
  DestroyGraphics();
  GameAdsGoToPrevAdNum();
  StartingCB(nullptr);
}

void GameAdsCC::NextCB() {
  DestroyGraphics();
  GameAdsGoToNextAdNum();
  StartingCB(nullptr);
}

void GameAdsCC::BackCB() {
  ForgetWidgets();
  if (m_screens_p) m_screens_p->GoBack();
}

void GameAdsCC::MainButtonCB() {
  if (GameAdsGetDownloadLinkForCurrentAd()) {
    GameAdsDownloadCB();
  } else if (!GameAdsIsCurrentAdAnIOSApp() && !GameAdsIsCurrentAdAnAndroidApp()) {
    GameAdsHomePageCB();
  } else if (m_mwin) {
    const char *text =
        GameAdsIsCurrentAdAnIPhoneApp()
            ? ScreensText("GameAds_StoreHintIPhone",
                          "Search the App Store on your iPhone for \"Tallowmere\" to find the app.")
        : GameAdsIsCurrentAdAnIPadApp()
            ? ScreensText("GameAds_StoreHintIPad",
                          "Search the App Store on your iPad for \"Tallowmere\" to find the app.")
            : ScreensText("GameAds_StoreHintAndroid",
                          "Search Google Play on your Android phone\nor tablet for \"Tallowmere\" to find the app.");
    m_mwin->PopupMessage(text);
  }
}

void GameAdsCC::TickCB() {
  if (m_pending) {
    MWinButton *pressed = m_pending;
    m_pending = nullptr;
    MWinButton *window_back = mwinGameAdsMainWinWindow ? mwinGameAdsMainWinWindow->GetHideButton() : nullptr;
    MWinButton *back_widget = Find("Back", 0);
    if (pressed == m_prev && m_prev)
      PrevCB();
    else if (pressed == m_next && m_next)
      NextCB();
    else if (pressed == back_widget && back_widget)
      BackCB();
    else if (pressed == m_tell && m_tell)
      GameAdsTellAFriendCB();
    else if (pressed == window_back && window_back)
      BackCB();
    else if (pressed == m_main && m_main)
      MainButtonCB();
    return;
  }
  if (eng_key_down[KEY_LEFT_ARROW] >= 2) {
    eng_key_down[KEY_LEFT_ARROW] = 0;
    PrevCB();
    return;
  }
  if (eng_key_down[KEY_RIGHT_ARROW] >= 2) {
    eng_key_down[KEY_RIGHT_ARROW] = 0;
    NextCB();
    return;
  }
  if (m_main && m_main->IsShown() && m_pulse) {
    float t = EngMiscThrobEffect(&pulse_angle, 4.0f * kFrameTime, nullptr);
    m_main->SetTransparency(0.7f + 0.3f * t);
  }
}

char GameAdsCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *) {
  if (!button) return 0;
  m_pending = button;
  return 1;
}
