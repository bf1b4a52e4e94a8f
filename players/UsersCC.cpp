#include "players/UsersCC.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngLayouts.h"
#include "Engine/EngMain.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPicture.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCheckbox.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/Modules.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "players/Country.h"
#include "players/Splash.h"
#include "players/UserClass.h"
#include "players/UserLoadCC.h"
#include "players/UserScreens.h"
#include "screens/ScreensText.h"

static const char *const kSplashFile = "Splash.ttx";
static const double kAutoContinueDelay = 0.1;

// Never deleted: it outlives every screen; its textures go with the device.
EngPicture *UsersControlGetTitlePicture() {
  static EngPicture *picture = new EngPicture();
  return picture;
}

char UsersControlCreateGraphics() {
  // The title's and the splash's textures are read as their descriptions name them.
  EngPicture_SetTextureFileOverwriteCB(nullptr);
  EngPicture *title = UsersControlGetTitlePicture();
  if (title->GetNumSets() <= 0) {
    const char *file = mwm_get_item_filename_cb ? mwm_get_item_filename_cb(MODULES_ITEM_TITLE_PICTURE) : nullptr;
    if (file && title->LoadFromFile(nullptr, file, 0)) title->CreateGraphics();
  } else if (!title->AreGraphicsCreated()) {
    title->CreateGraphics();
  }
  if (mwm_user_mod.show_splash) SplashCreateGraphics();
  return 1;
}

void UsersControlDestroyGraphics() {
  EngPicture *title = UsersControlGetTitlePicture();
  title->DestroyGraphics();
  title->Destroy();
  SplashDestroyGraphics();
}

void UsersControlSetupTitleButton(MWinButton *button, char keep_position) {
  if (!button) return;
  static const float widths[ENG_NUM_LAYOUTS] = {400, 620, 400, 460, 360};
  static const float heights[ENG_NUM_LAYOUTS] = {90, 65, 90, 60, 75};
  button->SetBackTexButToNone();
  button->PictureAttachPictureToButton(UsersControlGetTitlePicture(), 1);
  _Dimension area = *button->GetOrigArea();
  if (keep_position != 1) area = {110, 0, 420, 80};
  int layout = EngLayoutsGetLayout(ENG_LAYOUT_CURRENT);
  area.width = widths[layout];
  area.height = heights[layout];
  area.x = 320 - area.width / 2;
  button->SetOrigArea(&area);
}

void UsersUpdateFlag(MWin *, MWinButton *button) {
  if (button && !mwm_user_mod.show_language_flag_button) button->Hide();
}

char UsersControlSplashWaitCB(double, void *) { return 0; }

void UsersControlContinueExtraRenderCB(MWinButton *button, _Dimension *area, _MWinTextureState, int, void *user) {
  DebugAssertAlt(user ? 1 : 0, ENG_FUNC, "No user data");
  if (!button || !area) return;
  UsersCC *screen = static_cast<UsersCC *>(user);
  button->RestoreAfterRenderAreaCrop();
  CountryDrawFlagOnOutsideRightOfButton(screen->GetLastUserCountryRow(), area);
  button->CropRenderAreaToButtonNew2();
}

UsersCC::UsersCC(UserScreens *user_screens)
    : m_user_screens(user_screens), m_country_row(-1), m_auto_continue_time(0) {
  DebugAssertAlt(user_screens ? 1 : 0, ENG_FUNC, "No user screens");
  memset(m_country_code, 0, sizeof(m_country_code));
}

static void ShowIf(MWinButton *button, char shown) {
  if (!button) return;
  if (shown)
    button->SetShownFlag(1);
  else
    button->Hide();
}

static void SetCheckbox(MWinButton *button, char value) {
  if (MWinCheckbox *box = button ? MWinCheckbox::From(button) : nullptr) box->CheckboxSet(value, 0);
}

void UsersCC::StartingCB(void *) {
  MWinScreens *screens = m_mwin ? m_mwin->GetScreens() : nullptr;
  if (EngLayoutsIsMobile(ENG_LAYOUT_CURRENT)) {
    if (screens) screens->GotoScreen(USER_SELECT_SCREEN_ID, nullptr);
    return;
  }
  m_auto_continue_time = 0;
  if (!mwm_get_item_filename_cb) {
    DebugErrorAlt(ENG_FUNC, "Users module is not setup");
    return;
  }
  SetCheckbox(mwinUsersMainWinAlwaysLoadButton, 0);
  if (mwinUsersMainWinContinueButton)
    mwinUsersMainWinContinueButton->SetExtraRenderCB(UsersControlContinueExtraRenderCB, 0, this);
  else
    DebugErrorAlt(ENG_FUNC, "No continue button.");
  if (mwinUsersMainWinLoadProgressButton && mwinUsersMainWinContinueButton) {
    _Dimension a = *mwinUsersMainWinContinueButton->GetOrigArea();
    _Dimension grown = {a.x - 1, a.y - 1, a.width + 2, a.height + 2};
    mwinUsersMainWinLoadProgressButton->SetOrigArea(&grown);
  } else if (!mwinUsersMainWinLoadProgressButton) {
    DebugErrorAlt(ENG_FUNC, "No load progress button.");
  }

  UserLoadCC *list = m_user_screens->GetUserLoadCC();
  if (!list) DebugErrorAlt(ENG_FUNC, "No ul_cc.");
  if (list) {
    list->SetupUserNameList();
    if (!mwinUsersMainWinManageButton)
      DebugErrorAlt(ENG_FUNC, "No manage button");
    else if (list->GetNumUsers() >= 1)
      mwinUsersMainWinManageButton->Enable();
    else
      mwinUsersMainWinManageButton->Disable();
  }

  char always_load = 0;
  memset(m_country_code, 0, sizeof(m_country_code));
  char loads = list ? list->IsLastUserLoadedOk(&always_load, m_country_code) : 0;
  m_country_row = loads ? CountryGetCountryNumFromCode(m_country_code, 1) : -1;
  if (loads) {
    char text[128];
    snprintf(text, sizeof(text), "%s: %s", ScreensText("Users_ContinuePlayer", "Continue Player"),
             resolution.last_player);
    if (mwinUsersMainWinContinueButton) {
      mwinUsersMainWinContinueButton->SetText(text);
      mwinUsersMainWinContinueButton->SetShrinkTextToFit(1);
    }
    ShowIf(mwinUsersMainWinContinueButton, 1);
    ShowIf(mwinUsersMainWinAlwaysLoadButton, 1);
  } else {
    ShowIf(mwinUsersMainWinContinueButton, 0);
    ShowIf(mwinUsersMainWinAlwaysLoadButton, 0);
  }
  if (mwinUsersMainWinNewButton) mwinUsersMainWinNewButton->SetText(ScreensText("Users_New", "New Player"));

  if (!SplashIsOn() && mwm_user_mod.show_splash) {
    if (SplashSetupPicture(nullptr, kSplashFile, nullptr, nullptr, 1, 1, nullptr, UsersControlSplashWaitCB, nullptr,
                           this)) {
      float w = 240 * eng_main_window_x_widescreen_ratio;
      float top = 0, bottom = 480;
      if (mwinUsersMainWinTitlePicButton) {
        const _Dimension *t = mwinUsersMainWinTitlePicButton->GetOrigArea();
        top = t->y + t->height;
      }
      if (mwinUsersMainWinAlwaysLoadButton) bottom = mwinUsersMainWinAlwaysLoadButton->GetOrigArea()->y;
      SplashSetPictureDimension(320 - w / 2, (bottom - top) / 2 + top - 120, w, 240, 1);
      if (SplashStart()) SplashShowNow();
    }
  }

  CountryCreateGraphics();
  UsersControlCreateGraphics();
  UsersControlSetupTitleButton(mwinUsersMainWinTitlePicButton, 0);
  UsersUpdateFlag(m_mwin, mwinUsersMainWinLangFlagButton);
  ShowIf(mwinUsersMainWinLoadProgressButton, 0);
  ShowIf(mwinUsersMainWinDeviceButton, 0);

  if (loads && always_load) {
    for (MWinButton *b : {mwinUsersMainWinManageButton, mwinUsersMainWinExitButton, mwinUsersMainWinDeviceButton,
                          mwinUsersMainWinNewButton, mwinUsersMainWinContinueButton})
      ShowIf(b, 0);
    SetCheckbox(mwinUsersMainWinAlwaysLoadButton, 1);
    ShowIf(mwinUsersMainWinAlwaysLoadButton, 0);
    ShowIf(mwinUsersMainWinLangFlagButton, 0);
    SplashShowNow();
    m_auto_continue_time = EngMainUpdateCurrentTime() + kAutoContinueDelay;
  } else {
    SetCheckbox(mwinUsersMainWinAlwaysLoadButton, 0);
  }
}

static char IsCurrentOnDesktop(MWin *mwin) {
  MWinScreens *screens = mwin ? mwin->GetScreens() : nullptr;
  return char(!EngLayoutsIsMobile(ENG_LAYOUT_CURRENT) && screens && screens->GetCurrentScreen() == USERS_SCREEN_ID);
}

void UsersCC::TickCB() {
  if (IsCurrentOnDesktop(m_mwin)) SplashTick();
  if (m_auto_continue_time > 0 && eng_main_current_time >= m_auto_continue_time) {
    m_auto_continue_time = 0;
    ContinueCB();
  }
}

void UsersCC::RenderCB(_MWinRenderStage stage) {
  if (stage == MWIN_RENDER_STAGE_1 && IsCurrentOnDesktop(m_mwin)) SplashRender(0);
}

char UsersCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *) {
  if (!button) return 0;
  MWinScreens *screens = m_mwin ? m_mwin->GetScreens() : nullptr;
  if (button == mwinUsersMainWinContinueButton) {
    ContinueCB();
  } else if (button == mwinUsersMainWinNewButton) {
    SplashEnd();
    if (screens) screens->GotoScreen(USER_NEW_SCREEN_ID, nullptr);
  } else if (button == mwinUsersMainWinManageButton) {
    SplashEnd();
    if (screens) screens->GotoScreen(USER_LOAD_SCREEN_ID, nullptr);
  } else if (button == mwinUsersMainWinExitButton) {
    SplashEnd();
    EngMiscCloseProgram();
  } else {
    return 0;
  }
  return 1;
}

void UsersCC::ContinueCB() {
  MWinCheckbox *box = mwinUsersMainWinAlwaysLoadButton ? MWinCheckbox::From(mwinUsersMainWinAlwaysLoadButton) : nullptr;
  char always_load = box ? box->CheckboxGet() : 0;
  if (!m_game) return;
  UserClass *user = m_game->GetUser();
  char name[RESOLUTION_PLAYER_NAME_SIZE + 1];
  memcpy(name, resolution.last_player, RESOLUTION_PLAYER_NAME_SIZE);
  name[RESOLUTION_PLAYER_NAME_SIZE] = 0;
  if (name[0] && user->LoadUser(name, 0, nullptr, nullptr)) {
    if (!user->IsLoaded()) {
      DebugErrorAlt(ENG_FUNC, "User is not loaded.");
      return;
    }
    user->AfterUserCreatedOrLoaded(0, 0);
    if (always_load) user->AlwaysLoadThisUser(0);
    SplashEnd();
    return;
  }
  // The widgets are gone when the failure left this screen.
  if (mwinUsersMainWinManageButton) mwinUsersMainWinManageButton->Enable();
  ShowIf(mwinUsersMainWinExitButton, 1);
  ShowIf(mwinUsersMainWinNewButton, 1);
  ShowIf(mwinUsersMainWinContinueButton, 1);
}
