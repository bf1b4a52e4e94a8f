// The start-up path in the real program, in-process under Xvfb with a temporary HOME, the
// login name "tester" and the locale "de_DE.UTF-8", pressed with SDL events as the X server
// delivers them: from an empty data folder through the first players screen, the new player
// and the country screens to the main menu, and the starts that follow.
#include <GL/glew.h>
#include <SDL.h>
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/EngMisc.h"
#include "Engine/EngPicture.h"
#include "Engine/EngProgram.h"
#include "Engine/EngVarious.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCheckbox.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinWindow.h"
#include "Engine/Resolution.h"
#include "game/Game.h"
#include "game/Main.h"
#include "game/Program.h"
#include "players/Country.h"
#include "players/CountryCC.h"
#include "players/Splash.h"
#include "players/UserClass.h"
#include "players/UserLoadCC.h"
#include "players/UserNewCC.h"
#include "players/UserScreens.h"
#include "players/UsersCC.h"
#include "screens/MainControl.h"
#include "screens/VQ_Screens.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"
#include "tests/screens/ScreensProgramTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

class UserScreensDisplayTest : public qwtest::ProgramInputTest {
 protected:
  void SetUp() override {
    NoteFolders();
    if (HasFatalFailure()) return;
    EngMiscSetUserNameForTests("tester");
    EngMiscSetLocaleVariablesForTests(1, nullptr, nullptr, "de_DE.UTF-8");
    StartProgram();
  }
  void TearDown() override {
    StopProgram();
    EngMiscSetUserNameForTests(nullptr);
    EngMiscSetLocaleVariablesForTests(0, nullptr, nullptr, nullptr);
    ASSERT_TRUE(m_cwd.Restore());
  }
  // The players' modules start afresh with each start of the program.
  void BeforeProgramStart() override {
    CountryResetForTests();
    SplashResetForTests();
    UserNewResetForTests();
  }
  void AfterProgramStop() override {
    SplashResetForTests();
    CountryResetForTests();
  }

  euint Current() { return main_game->GetMWin()->GetCurrentScreen(); }
  UserScreens *Screens() { return main_game->GetScreens()->GetUserScreens(); }
  UsersCC *Users() { return Screens()->GetUsersCC(); }
  UserNewCC *New() { return Screens()->GetUserNewCC(); }
  CountryCC *Country() { return Screens()->GetCountryCC(); }
  MWinPanel *CountryList() { return static_cast<MWinPanel *>(Country()->mwinCountryMainWinCountryButton); }
  // A left click in the middle of a widget; the window is 640 by 480, so pixels are units.
  void Click(MWinButton *button) {
    ASSERT_NE(button, nullptr);
    const _Dimension *a = button->GetActualArea();
    ClickAtPixel(int(a->x + a->width / 2), int(a->y + a->height / 2));
  }
  void ClickRow(int row) {
    _Dimension r;
    ASSERT_EQ(CountryList()->PanelGetNthItemsDimension(row, &r), 1);
    ClickAtPixel(int(r.x + r.width / 2), int(r.y + r.height / 2));
  }
  void Type(const char *text) {
    SDL_Event e = {};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = SDL_GetWindowID(Native());
    snprintf(e.text.text, sizeof(e.text.text), "%s", text);
    Push(e);
  }
  std::string PopupText() {
    MWin *mwin = main_game->GetMWin();
    if (!mwin->PopupIsOn() || !mwin->PopupGetWindow()) return "<none>";
    MWinButton *msg = mwin->PopupGetWindow()->GetButtonFromID("MSG", 0);
    return msg ? msg->GetTextP() : "<no text>";
  }
  static std::string Text(MWinButton *button) {
    const char *text = button ? button->GetTextP() : nullptr;
    return text ? text : "";
  }
  // The player record of a player file.
  std::string Record(const std::string &file) {
    std::string bytes = qwtest::ReadWholeFile(file);
    EngUInt32 size = 0;
    void *plain = EngEncryptionDecryptData(bytes.data(), EngUInt32(bytes.size()), &size);
    std::string record = plain ? std::string(static_cast<char *>(plain), size) : std::string();
    EngFree(plain, 0, "test");
    return record;
  }
  // A pixel from the frame just drawn, given from the top-left corner.
  void Pixel(int x, int y, unsigned char rgb[3]) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, eng_main_window_height - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  }
};

TEST_F(UserScreensDisplayTest, FromAnEmptyFolderToTheMenuAndTheStartsThatFollow) {
  // The first start: title, splash, New Player and Exit Game only.
  ASSERT_EQ(Current(), USERS_SCREEN_ID);
  UsersCC *users = Users();
  EXPECT_EQ(users->mwinUsersMainWinContinueButton->IsShown(), 0);
  EXPECT_EQ(users->mwinUsersMainWinAlwaysLoadButton->IsShown(), 0);
  EXPECT_EQ(users->mwinUsersMainWinManageButton->IsEnabled(), 0);
  EXPECT_EQ(users->mwinUsersMainWinDeviceButton->IsShown(), 0);
  EXPECT_EQ(users->mwinUsersMainWinLoadProgressButton->IsShown(), 0);
  EXPECT_EQ(users->mwinUsersMainWinLangFlagButton->IsShown(), 0);
  EXPECT_STREQ(users->mwinUsersMainWinNewButton->GetTextP(), "New Player");
  EXPECT_STREQ(users->mwinUsersMainWinExitButton->GetTextP(), "Exit Game");
  const _Dimension *title = users->mwinUsersMainWinTitlePicButton->GetOrigArea();
  EXPECT_EQ(std::vector<float>({title->x, title->y, title->width, title->height}),
            std::vector<float>({120, 0, 400, 90}));
  EXPECT_EQ(UsersControlGetTitlePicture()->AreGraphicsCreated(), 1);
  EXPECT_EQ(SplashIsOn(), 1);
  EXPECT_EQ(SplashGetStage(), SPLASH_STAGE_SHOWN);
  const _Dimension *splash = SplashGetPicture()->GetDrawArea();
  EXPECT_FLOAT_EQ(splash->y, 135);
  EXPECT_FLOAT_EQ(splash->height, 240);
  EXPECT_FLOAT_EQ(splash->x + splash->width / 2, 320);
  // The title's and the splash's textures were read by their own names, none refused.
  EXPECT_EQ(EngPicture_GetTextureFileOverwriteCB(), nullptr);
  for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) {
    EXPECT_EQ(strstr(DebugGetMessage(i)->text, "No file returned"), nullptr) << DebugGetMessage(i)->text;
    EXPECT_EQ(strstr(DebugGetMessage(i)->text, "Unexpected file"), nullptr) << DebugGetMessage(i)->text;
  }

  // New Player offers the login name, capitalised, and the locale's country.
  Click(users->mwinUsersMainWinNewButton);
  ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
  EXPECT_EQ(SplashIsOn(), 0);
  EXPECT_EQ(main_game->GetMWin()->PopupIsOn(), 0);
  UserNewCC *screen = New();
  EXPECT_EQ(Text(screen->mwinUserNewMainWinNameButton), "Tester");
  EXPECT_STREQ(screen->mwinUserNewMainWinCountryButton->GetTextP(), "Germany");
  EXPECT_EQ(screen->GetFlagRow(), 71);
  Frame("new-player");

  // Continue creates, saves and loads the player; the menu follows.
  Click(screen->mwinUserNewMainWinContinueButton);
  ASSERT_EQ(Current(), MAIN_SCREEN_ID);
  ASSERT_EQ(qwtest::ReadWholeFile(DataFile("Users/Tester.usr")).size(), 676u);
  std::string record = Record(DataFile("Users/Tester.usr"));
  ASSERT_EQ(record.size(), size_t(USER_INFO_SIZE));
  EXPECT_EQ(record.substr(34, 3), std::string("DE\0", 3));
  EXPECT_EQ(main_game->GetScreens()->GetUserScreens()->GetUserLoadCC()->GetNumUsers(), 0);  // emptied
  // The day-first dates of a new player outside the US go to disk with its next save.
  ASSERT_EQ(main_game->GetUser()->Save(1), 1);
  EXPECT_EQ(Record(DataFile("Users/Tester.usr"))[503], 1);
  // Compared by the player's random id, name and country: the game also saves the player when
  // its window loses the focus, and every save seals the file afresh.
  const std::string saved = Record(DataFile("Users/Tester.usr")).substr(14, 26);

  // Back to the players' screens: New keeps the name, and Continue refuses to overwrite
  // the saved player.
  main_game->GetScreens()->GotoScreen(USERS_SCREEN_ID, nullptr);
  Frames(1);
  Click(Users()->mwinUsersMainWinNewButton);
  ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "Tester");
  // (The notice stays for 2 s and is gone when the click returns.)
  Click(New()->mwinUserNewMainWinContinueButton);
  ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "");
  EXPECT_EQ(Record(DataFile("Users/Tester.usr")).substr(14, 26), saved);

  // The name prompt: the same name is refused on the fifth frame, Cancel brings the name back.
  Click(New()->mwinUserNewMainWinNameButton);
  ASSERT_EQ(main_game->GetMWin()->PopupIsOn(), 1);
  EXPECT_EQ(PopupText(), "Enter name:");
  Type("Tester");
  Key(SDLK_RETURN);
  EXPECT_EQ(main_game->GetMWin()->PopupIsOn(), 0);
  Frames(5);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "");
  Click(New()->mwinUserNewMainWinNameButton);
  Type("Sunset");
  Key(SDLK_RETURN);
  Frames(5);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "");
  Click(New()->mwinUserNewMainWinNameButton);
  Type("Ada");
  Key(SDLK_RETURN);
  Frames(5);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "Ada");
  Click(New()->mwinUserNewMainWinNameButton);
  Type("Bo");
  main_game->GetMWin()->PopupTurnOffAndCallCancelOrNoCB();
  Frames(5);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "Ada");  // the name before the prompt
  // By keys: Return on the focused field asks (and does not answer), Return on the field left
  // empty is refused as invalid (the name emptied), and Return on Cancel, put there with Tab,
  // cancels.
  {
    const _Dimension *name = New()->mwinUserNewMainWinNameButton->GetActualArea();
    PushMotion(int(name->x + name->width / 2), int(name->y + name->height / 2));
    Frames(1);
    ASSERT_TRUE(New()->mwinUserNewMainWinNameButton->IsActive());
  }
  Key(SDLK_RETURN);
  Frames(5);
  EXPECT_EQ(PopupText(), "Enter name:");
  Key(SDLK_RETURN);
  Frames(5);
  EXPECT_EQ(main_game->GetMWin()->PopupIsOn(), 0);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "");
  Click(New()->mwinUserNewMainWinNameButton);
  Type("Ada");
  Key(SDLK_RETURN);
  Frames(5);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "Ada");
  Click(New()->mwinUserNewMainWinNameButton);
  Type("Bo");
  Key(SDLK_TAB);
  Key(SDLK_TAB);
  ASSERT_NE(main_game->GetMWin()->PopupGetWindow(), nullptr);
  ASSERT_NE(main_game->GetMWin()->PopupGetWindow()->GetActiveButton(), nullptr);
  EXPECT_STREQ(main_game->GetMWin()->PopupGetWindow()->GetActiveButton()->GetID(), "CANCEL");
  Key(SDLK_RETURN);
  Frames(5);
  EXPECT_EQ(main_game->GetMWin()->PopupIsOn(), 0);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "Ada");
  // The field takes 19 characters of a longer name; letters above 127 are names too.
  Click(New()->mwinUserNewMainWinNameButton);
  Type("ABCDEFGHIJKLMNOPQRSTUVWXY");
  Key(SDLK_RETURN);
  Frames(5);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "ABCDEFGHIJKLMNOPQRS");
  Click(New()->mwinUserNewMainWinNameButton);
  Type("Zo\xC3\xAB");
  Key(SDLK_RETURN);
  Frames(5);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "Zo\xEB");
  EXPECT_EQ(Record(DataFile("Users/Tester.usr")).substr(14, 26), saved);

  // The next start offers to continue, with the player's flag right of the button.
  StopProgram();
  StartProgram();
  ASSERT_EQ(Current(), USERS_SCREEN_ID);
  users = Users();
  EXPECT_STREQ(users->mwinUsersMainWinContinueButton->GetTextP(), "Continue Player: Tester");
  EXPECT_EQ(users->mwinUsersMainWinContinueButton->IsShown(), 1);
  EXPECT_EQ(users->mwinUsersMainWinAlwaysLoadButton->IsShown(), 1);
  EXPECT_STREQ(users->GetLastUserCountryCode(), "DE");
  main_game->Render();
  const _Dimension *cont = users->mwinUsersMainWinContinueButton->GetActualArea();
  unsigned char rgb[3];
  Pixel(int(cont->x + cont->width + 5 + 12), int(cont->y + cont->height / 2), rgb);  // the flag's red middle
  EXPECT_GT(rgb[0], 180);
  EXPECT_LT(rgb[1], 80);
  Frame("players-returning");

  // Always load, then Continue: every later start reaches the menu by itself.
  Click(users->mwinUsersMainWinAlwaysLoadButton);
  ASSERT_EQ(MWinCheckbox::From(users->mwinUsersMainWinAlwaysLoadButton)->CheckboxGet(), 1);
  Click(users->mwinUsersMainWinContinueButton);
  ASSERT_EQ(Current(), MAIN_SCREEN_ID);
  StopProgram();
  // The automatic Continue is timed: the engine's clock moves by its readings, not by how
  // slow the machine is.
  qwtest::SteppingClock::Install(0.001);
  StartProgram();
  ASSERT_EQ(Current(), USERS_SCREEN_ID);
  users = Users();
  for (MWinButton *b :
       {users->mwinUsersMainWinContinueButton, users->mwinUsersMainWinNewButton, users->mwinUsersMainWinManageButton,
        users->mwinUsersMainWinExitButton, users->mwinUsersMainWinAlwaysLoadButton})
    EXPECT_EQ(b->IsShown(), 0);
  EXPECT_NEAR(users->GetAutoContinueTime() - eng_main_current_time, 0.1, 0.1);
  for (int i = 0; i < 60 && Current() == USERS_SCREEN_ID; i++) Frames(1);
  qwtest::SteppingClock::Remove();
  EXPECT_EQ(Current(), MAIN_SCREEN_ID);
  EXPECT_EQ(SplashIsOn(), 0);

  // The file breaks between the start's test and the automatic Continue: the load fails and
  // the buttons come back.
  StopProgram();
  qwtest::SteppingClock::Install(0.001);
  StartProgram();
  ASSERT_EQ(Current(), USERS_SCREEN_ID);
  ASSERT_GT(Users()->GetAutoContinueTime(), 0);
  std::string bytes = qwtest::ReadWholeFile(DataFile("Users/Tester.usr"));
  qwtest::WriteWholeFile(DataFile("Users/Tester.usr"), bytes.substr(0, 675));
  for (int i = 0; i < 60 && Users()->GetAutoContinueTime() > 0; i++) Frames(1);
  qwtest::SteppingClock::Remove();
  EXPECT_EQ(Current(), USERS_SCREEN_ID);
  for (MWinButton *b : {Users()->mwinUsersMainWinContinueButton, Users()->mwinUsersMainWinNewButton,
                        Users()->mwinUsersMainWinExitButton})
    EXPECT_EQ(b->IsShown(), 1);

  // A last player whose file is one byte short is no last player.
  StopProgram();
  StartProgram();
  ASSERT_EQ(Current(), USERS_SCREEN_ID);
  EXPECT_EQ(Users()->mwinUsersMainWinContinueButton->IsShown(), 0);
  EXPECT_EQ(Users()->mwinUsersMainWinNewButton->IsShown(), 1);
}

TEST_F(UserScreensDisplayTest, ThePlayersPicturesStayMadeThroughTheMenus) {
  ASSERT_EQ(Current(), USERS_SCREEN_ID);
  EXPECT_EQ(UsersControlGetTitlePicture()->AreGraphicsCreated(), 1);
  EXPECT_EQ(CountryGetFlagsTexture()->IsOk(), 1);
  Click(Users()->mwinUsersMainWinNewButton);
  ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
  Click(New()->mwinUserNewMainWinContinueButton);
  ASSERT_EQ(Current(), MAIN_SCREEN_ID);
  // The players' pictures stay made through the menus, until the graphics go.
  EXPECT_EQ(UsersControlGetTitlePicture()->AreGraphicsCreated(), 1);
  EXPECT_EQ(CountryGetFlagsTexture()->IsOk(), 1);
  Frames(2);

  // Back on the players' screen they are there again: the flag beside Continue is drawn.
  main_game->GetScreens()->GotoScreen(USERS_SCREEN_ID, nullptr);
  Frames(1);
  ASSERT_EQ(Current(), USERS_SCREEN_ID);
  EXPECT_EQ(UsersControlGetTitlePicture()->AreGraphicsCreated(), 1);
  EXPECT_EQ(CountryGetFlagsTexture()->IsOk(), 1);
  main_game->Render();
  const _Dimension *cont = Users()->mwinUsersMainWinContinueButton->GetActualArea();
  unsigned char rgb[3];
  Pixel(int(cont->x + cont->width + 5 + 12), int(cont->y + cont->height / 2), rgb);  // the flag's red middle
  EXPECT_GT(rgb[0], 180);
  EXPECT_LT(rgb[1], 80);
}

TEST_F(UserScreensDisplayTest, TheCountryScreenOpensOnTheLocaleAndContinuesBack) {
  Click(Users()->mwinUsersMainWinNewButton);
  ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
  Click(New()->mwinUserNewMainWinCountryButton);
  ASSERT_EQ(Current(), COUNTRY_SCREEN_ID);
  MWinPanel *list = CountryList();
  EXPECT_EQ(list->PanelGetNumEntries(), COUNTRY_NUM_COUNTRIES);
  EXPECT_EQ(list->PanelGetPos(), 71);
  int first = 0, end = 0;
  ASSERT_EQ(list->PanelGetStartAndEndDisplayPos(&first, &end), 1);
  EXPECT_LE(first, 71);
  EXPECT_GT(end, 71);
  EXPECT_NEAR((first + end) / 2.0, 71, 1.5);  // centred

  // Rows of 18 units: Germany's flag, 20 by 12, 21 units left of the row.
  _Dimension area = *list->GetOrigArea();
  area.height = 18 * 17;
  list->SetOrigArea(&area);
  list->PanelUpdateNumPerPageVar(17);
  list->PanelCenterToPosIfPossible();
  main_game->Render();
  _Dimension row;
  ASSERT_EQ(list->PanelGetNthItemsDimension(71, &row), 1);
  ASSERT_FLOAT_EQ(row.height, 18);
  const char *stripes[] = {"black", "red", "gold"};
  unsigned char rgb[3];
  for (int s = 0; s < 3; s++) {
    SCOPED_TRACE(stripes[s]);
    Pixel(int(row.x - 11), int(row.y + 7.5f + 4 * s), rgb);
    bool right = s == 0   ? rgb[0] + rgb[1] + rgb[2] < 120
                 : s == 1 ? rgb[0] > 150 && rgb[1] < 80
                          : rgb[0] > 180 && rgb[1] > 150 && rgb[2] < 100;
    EXPECT_TRUE(right) << int(rgb[0]) << " " << int(rgb[1]) << " " << int(rgb[2]);
  }
  Pixel(int(row.x - 24), int(row.y + 11), rgb);  // left of the flag: the lawn, no black, red or gold
  EXPECT_GT(rgb[1], 50);
  EXPECT_GT(rgb[1], rgb[0]);
  EXPECT_GT(rgb[1], rgb[2]);

  // A single click selects; a second click on the row, frames later on the engine's clock,
  // continues.
  HoldClock();
  ClickRow(first + 1);
  EXPECT_EQ(Current(), COUNTRY_SCREEN_ID);
  EXPECT_EQ(list->PanelGetPos(), first + 1);
  ClickRow(first + 1);
  ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
  EXPECT_STREQ(country_code_selected, CountryGetCountryCode(first + 1));
  EXPECT_STREQ(New()->mwinUserNewMainWinCountryButton->GetTextP(), CountryGetCountryName(first + 1));

  // Continue on row 0 stores "AF" and goes back.
  Click(New()->mwinUserNewMainWinCountryButton);
  ASSERT_EQ(Current(), COUNTRY_SCREEN_ID);
  EXPECT_EQ(CountryList()->PanelGetPos(), 71);  // every visit opens on the locale's row
  CountryList()->PanelSetPos(0, 0, 0);
  Click(Country()->mwinCountryMainWinContinueButton);
  ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
  EXPECT_STREQ(country_code_selected, "AF");
  EXPECT_STREQ(New()->mwinUserNewMainWinCountryButton->GetTextP(), "Afghanistan");
  EXPECT_EQ(CountryGetFlagsTexture() != nullptr, true);  // the atlas stays

  // Return on a row continues too; with no row selected Continue asks for one.
  Click(New()->mwinUserNewMainWinCountryButton);
  Key(SDLK_RETURN);
  ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
  EXPECT_STREQ(country_code_selected, "DE");
  Click(New()->mwinUserNewMainWinCountryButton);
  CountryList()->PanelAllowNoPos();
  CountryList()->PanelSetPos(-1, 0, 0);
  Click(Country()->mwinCountryMainWinContinueButton);
  EXPECT_EQ(Current(), COUNTRY_SCREEN_ID);
  EXPECT_EQ(PopupText(), "Please select a country first");
}

// With a locale that names no country (the C locale) the new-player screen shows the unknown
// country, and the log notes it at each look-up, however often the new-player and country
// screens open.
TEST_F(UserScreensDisplayTest, ALocaleWithoutACountryIsNotedAtEachLookUp) {
  StopProgram();
  EngMiscSetLocaleVariablesForTests(1, nullptr, nullptr, "C");
  StartProgram();
  for (int visit = 0; visit < 3; visit++) {
    SCOPED_TRACE(visit);
    Click(Users()->mwinUsersMainWinNewButton);
    ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
    EXPECT_STREQ(New()->mwinUserNewMainWinCountryButton->GetTextP(), "(Unknown Country)");
    Click(New()->mwinUserNewMainWinCountryButton);
    ASSERT_EQ(Current(), COUNTRY_SCREEN_ID);
    // Continue wants a row chosen; the way back to the first screen is taken for the player.
    main_game->GetScreens()->GotoScreen(USERS_SCREEN_ID, nullptr);
    Frames(2);
    ASSERT_EQ(Current(), USERS_SCREEN_ID);
  }
  int notes = 0, not_found = 0;
  for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) {
    const std::string text = DebugGetMessage(i)->text;
    notes += text.find("Could not get local country pos") != std::string::npos;
    not_found += text.find("not found") != std::string::npos;
  }
  // The new-player screen's first visit and each country screen's look the locale's country up;
  // each new-player visit looks the unknown code up twice.
  EXPECT_EQ(notes, 4);
  EXPECT_EQ(not_found, 6);
}

}  // namespace

namespace {

// Dragged by its scrollbar the list stops between rows: every row that shows, the one only
// partly in view below the others too, shows its flag, whole and inside its row.
TEST_F(UserScreensDisplayTest, AfterAScrollbarDragEveryShownRowHasItsFlag) {
  Click(Users()->mwinUsersMainWinNewButton);
  Click(New()->mwinUserNewMainWinCountryButton);
  ASSERT_EQ(Current(), COUNTRY_SCREEN_ID);
  MWinPanel *list = CountryList();
  ASSERT_TRUE(list->PanelIsSidebarShown());
  const _Dimension thumb = *list->PanelGetThumbArea();
  const int tx = int(thumb.x + thumb.width / 2), ty = int(thumb.y + thumb.height / 2);
  SDL_WarpMouseInWindow(Native(), tx, ty);
  PushMotion(tx, ty);
  PushButton(tx, ty, true);
  for (int dy = 4; dy <= 23; dy += 4) PushMotion(tx, ty + dy, SDL_BUTTON_LMASK);
  PushButton(tx, ty + 23, false);
  int first = 0, end = 0;
  ASSERT_EQ(list->PanelGetStartAndEndDisplayPos(&first, &end), 1);
  _Dimension top;
  ASSERT_EQ(list->PanelGetNthDisplayedItemsDimension(0, &top), 1);
  ASSERT_LT(top.y, list->GetActualArea()->y - 0.5f) << "the drag left the list on a whole row";
  const std::vector<unsigned char> with = Frame("country-dragged");
  CountryDestroyGraphics();
  const std::vector<unsigned char> without = Frame();
  CountryCreateGraphics();
  const CountryListFlagSize size = CountryGetListFlagSize(ENG_LAYOUT_CURRENT);
  const _Dimension *area = list->GetActualArea();
  // Each row from the second to the one partly in view (its flag's middle inside the list):
  // flag pixels left of the row, and none above or below its flag's band.
  for (int item = first + 1; item <= end && item < COUNTRY_NUM_COUNTRIES; item++) {
    SCOPED_TRACE(CountryGetCountryName(item, nullptr, nullptr));
    const float y = top.y + float(item - first) * top.height;
    const float middle = y + top.height / 2 + size.extra_height / 2 + 0.5f;
    if (middle >= area->y + area->height) break;
    const int drawn = PixelsDiffering(with, without, int(top.x - size.width - 1), int(middle - 3), int(size.width), 6);
    EXPECT_GT(drawn, int(size.width) * 3) << "row " << item;
  }
  EXPECT_EQ(
      PixelsDiffering(with, without, int(top.x - size.width - 1), int(area->y + area->height) + 1, int(size.width), 10),
      0);
}

TEST_F(UserScreensDisplayTest, TheResetPathMakesThePlayerAfreshAndContinueMayMakeItAgain) {
  Click(Users()->mwinUsersMainWinNewButton);
  ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
  EXPECT_EQ(New()->ResetAndLoadUser(nullptr), 0);
  // As the load screen leaves it: the broken file removed, this screen shown.
  ASSERT_EQ(New()->ResetAndLoadUser("Tester"), 1);
  Frames(1);
  EXPECT_EQ(Current(), USER_NEW_SCREEN_ID);
  EXPECT_EQ(main_game->GetUser()->IsLoaded(), 1);
  ASSERT_EQ(qwtest::ReadWholeFile(DataFile("Users/Tester.usr")).size(), 676u);
  EXPECT_EQ(Record(DataFile("Users/Tester.usr")).substr(34, 3), std::string("DE\0", 3));
  // The user picks another country and continues: the same name is made once more.
  memcpy(country_code_selected, "FR", 3);
  Click(New()->mwinUserNewMainWinContinueButton);
  ASSERT_EQ(Current(), MAIN_SCREEN_ID);
  EXPECT_EQ(Record(DataFile("Users/Tester.usr")).substr(34, 3), std::string("FR\0", 3));
}

char wait_answer = 0;
double waited = -1;
int done_calls = 0;

// Left alone, the first screen is drawn whole every frame: its title and the splash move from
// frame to frame, on the engine's clock.
TEST_F(UserScreensDisplayTest, LeftAloneTheTitleAndTheSplashMoveEveryFrame) {
  ASSERT_EQ(Current(), USERS_SCREEN_ID);
  ASSERT_EQ(SplashGetStage(), SPLASH_STAGE_SHOWN);
  HoldClock();
  const _Dimension title = *Users()->mwinUsersMainWinTitlePicButton->GetActualArea();
  const _Dimension splash = *SplashGetPicture()->GetDrawArea();
  std::vector<unsigned char> shown_title, shown_splash;
  // The title's top, which the splash's turning square never reaches.
  auto look = [&] {
    shown_title = Pixels(int(title.x), int(title.y), int(title.width), 80);
    shown_splash = Pixels(int(splash.x), int(splash.y), int(splash.width), int(splash.height));
  };
  for (int i = 0; i < 240; i++) RestingFrame(look);
  int title_moved = 0, splash_moved = 0;
  std::vector<unsigned char> title_before = shown_title, splash_before = shown_splash;
  for (int i = 0; i < 240; i++) {
    RestingFrame(look);
    title_moved += shown_title != title_before;
    splash_moved += shown_splash != splash_before;
    title_before = shown_title;
    splash_before = shown_splash;
  }
  EXPECT_GE(title_moved, 216);  // now and then two frames fall alike
  EXPECT_GE(splash_moved, 216);
}

// The name prompt's cursor blinks every 0.3 s of the engine's clock, and every blink is shown.
TEST_F(UserScreensDisplayTest, TheNamePromptsCursorBlinksInTheFramesShown) {
  ASSERT_EQ(Current(), USERS_SCREEN_ID);
  Click(Users()->mwinUsersMainWinNewButton);
  ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
  Click(New()->mwinUserNewMainWinNameButton);
  ASSERT_EQ(main_game->GetMWin()->PopupIsOn(), 1);
  MWinButton *edit = main_game->GetMWin()->GetButtonFromIDs("MWIN_POPUP", "MWIN_POPUP_WIN", "TEXTEDIT", 0);
  ASSERT_NE(edit, nullptr);
  Type("Ada");
  HoldClock();
  const _Dimension field = *edit->GetActualArea();
  std::vector<unsigned char> shown;
  auto look = [&] { shown = Pixels(int(field.x), int(field.y), int(field.width), int(field.height)); };
  RestingFrame(look);
  std::vector<unsigned char> before = shown;
  std::vector<int> runs(1, 0);
  for (int i = 0; i < 180; i++) {
    RestingFrame(look);
    runs.back()++;
    if (shown != before) runs.push_back(0);
    before = shown;
  }
  // Ten blinks in three seconds, each shown for 18 frames (19 where the clock's rounding falls).
  EXPECT_NEAR(int(runs.size()) - 1, 10, 1);
  for (size_t i = 1; i + 1 < runs.size(); i++) EXPECT_NEAR(runs[i], 18, 1) << "blink " << i;
}

// A size report the real window does not have (larger than it) is drawn at all the same: the
// program runs on, and shows the screen again once the size is right.
TEST_F(UserScreensDisplayTest, ASizeReportLargerThanTheWindowEndsNothing) {
  ASSERT_EQ(Current(), USERS_SCREEN_ID);
  int real_w = 0, real_h = 0;
  SDL_GetWindowSize(Native(), &real_w, &real_h);
  // A size beyond the display is held at the display's.
  SDL_Rect display;
  ASSERT_EQ(SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(Native()), &display), 0) << SDL_GetError();
  const struct { int w, h; } reports[] = {{real_w + 20, real_h + 20}, {real_w * 3, real_h * 3}, {real_w, real_h}};
  for (const auto &r : reports) {
    SCOPED_TRACE(testing::Message() << r.w << "x" << r.h);
    SDL_Event e = {};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = SDL_GetWindowID(Native());
    e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    e.window.data1 = r.w;
    e.window.data2 = r.h;
    Push(e);
    Frames(30);
    EXPECT_EQ(eng_main_window_width, std::min(r.w, display.w));
    EXPECT_EQ(eng_main_window_height, std::min(r.h, display.h));
    EXPECT_EQ(main_program->IsExiting(), 0);
  }
  // Back at its real size, the window shows the screen drawn, not one colour.
  EXPECT_EQ(Current(), USERS_SCREEN_ID);
  main_game->Render();
  const std::vector<unsigned char> shown = Pixels(0, 0, real_w, real_h);
  EXPECT_NE(std::adjacent_find(shown.begin(), shown.end(), std::not_equal_to<unsigned char>()), shown.end());
}

TEST_F(UserScreensDisplayTest, TheSplashStagesOnTheEngineClock) {
  SplashEnd();
  ASSERT_EQ(SplashSetupPicture(
                nullptr, "Splash.ttx", nullptr, nullptr, 1, 1, nullptr,
                [](double seconds, void *) {
                  waited = seconds;
                  return wait_answer;
                },
                [](void *) { done_calls++; }, nullptr),
            1);
  ASSERT_EQ(SplashStart(), 1);
  EngInt32 before = DebugGetNumMessages();
  EXPECT_EQ(SplashStart(), 0);
  std::string log;
  for (EngInt32 i = before; i < DebugGetNumMessages(); i++) log += DebugGetMessage(i)->text;
  EXPECT_NE(log.find("Splash is already on"), std::string::npos) << log;
  const double t0 = 1000;
  struct Step {
    double at;
    char stage;
    float level;
  };
  // Dark for 0.8 s, full after 2.4 s; then the wait callback holds it until it answers.
  const Step fade_in[] = {{0, 1, 0}, {0.8, 1, 0}, {1.6, 1, 0.5f}, {2.4, 1, 1}, {2.41, 2, 1}, {5, 2, 1}};
  for (const Step &s : fade_in) {
    SCOPED_TRACE(s.at);
    eng_main_current_time = t0 + s.at;
    ASSERT_EQ(SplashTick(), 1);
    EXPECT_EQ(SplashGetStage(), s.stage);
    EXPECT_NEAR(SplashGetFadeLevel(), s.level, 0.01);
  }
  EXPECT_NEAR(waited, 5 - 2.41, 0.01);
  wait_answer = 1;
  eng_main_current_time = t0 + 6;
  SplashTick();
  EXPECT_EQ(SplashGetStage(), SPLASH_STAGE_FADING_OUT);
  const Step fade_out[] = {{6.75, 3, 0.5f}, {7.5, 4, 0}};
  for (const Step &s : fade_out) {
    SCOPED_TRACE(s.at);
    eng_main_current_time = t0 + s.at;
    SplashTick();
    EXPECT_EQ(SplashGetStage(), s.stage);
    EXPECT_NEAR(SplashGetFadeLevel(), s.level, 0.01);
  }
  EXPECT_EQ(done_calls, 0);
  SplashTick();  // finished: the splash ends itself
  EXPECT_EQ(SplashIsOn(), 0);
  EXPECT_EQ(done_calls, 1);
  SplashEnd();
  EXPECT_EQ(done_calls, 1);
  EXPECT_EQ(SplashStart(), 1);  // the picture is gone: a new start needs a new set-up
  EXPECT_EQ(SplashIsOn(), 1);
  EXPECT_EQ(SplashGetPicture()->GetNumSets(), 0);
  SplashEnd();
  eng_main_current_time = EngMainGetCurrentTimeWithoutUpdatingGlobalCurrentTime();
}

}  // namespace

namespace {

// The load player screen on one folder: two players with flags, a file one byte short, a name
// too long for a player, and files that are no players' or belong to no listed player.
class UserLoadDisplayTest : public UserScreensDisplayTest {
 protected:
  void SetUp() override {
    UserScreensDisplayTest::SetUp();
    MakePlayer("Bob", "GB");
    MakePlayer("Bob.Jr", "DE");
    MakePlayer("Ann", "FR");
    std::string ann = qwtest::ReadWholeFile(DataFile("Users/Ann.usr"));
    qwtest::WriteWholeFile(DataFile("Users/Ann.usr"), ann.substr(0, 675));
    for (const char *file : {"Bob.png", "Bob.Jr.png", "Bob_SavedGame10.dat", "Bob.USR", ".usr", "a.us"})
      qwtest::WriteWholeFile(DataFile(std::string("Users/") + file), file);
    qwtest::WriteWholeFile(DataFile("Users/" + std::string(kLongName) + ".usr"),
                           qwtest::ReadWholeFile(DataFile("Users/Bob.usr")));
    StopProgram();
    StartProgram();
    m_before = Folder();
  }
  // A real player file, saved by the player module.
  void MakePlayer(const char *name, const char *country) {
    UserClass maker(nullptr, "Quarrelwick", 0, USER_ENCRYPTION_ACCEPT_PLAIN);
    ASSERT_EQ(maker.CreateNewUser(name, country, 0), 1);
    ASSERT_EQ(maker.Save(1), 1);
  }
  // Every file of the Users folder with its size.
  std::map<std::string, size_t> Folder() {
    std::map<std::string, size_t> files;
    DIR *dir = opendir(DataFile("Users").c_str());
    if (!dir) return files;
    while (dirent *e = readdir(dir))
      if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0)
        files[e->d_name] = qwtest::ReadWholeFile(DataFile(std::string("Users/") + e->d_name)).size();
    closedir(dir);
    return files;
  }
  std::map<std::string, size_t> Without(std::initializer_list<const char *> gone) {
    std::map<std::string, size_t> files = m_before;
    for (const char *file : gone) files.erase(file);
    return files;
  }
  UserLoadCC *Load() { return Screens()->GetUserLoadCC(); }
  MWinPanel *List() { return UserLoadAsPanel(Load()->mwinUserLoadMainWinPanelButton); }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int i = 0; i < List()->PanelGetNumEntries(); i++)
      rows.push_back(std::string(List()->PanelGetStringAtPos(i)) + "/" + Load()->GetUsersCountryCode(i));
    return rows;
  }
  void OpenLoadScreen() {
    ASSERT_EQ(Current(), USERS_SCREEN_ID);
    ASSERT_EQ(Users()->mwinUsersMainWinManageButton->IsEnabled(), 1);
    Click(Users()->mwinUsersMainWinManageButton);
    ASSERT_EQ(Current(), USER_LOAD_SCREEN_ID);
  }
  void Choose(int row) {
    _Dimension r;
    ASSERT_EQ(List()->PanelGetNthItemsDimension(row, &r), 1);
    ClickAtPixel(int(r.x + r.width / 2), int(r.y + r.height / 2));
    ASSERT_EQ(List()->PanelGetPos(), row);
  }
  std::string PopupTitle() {
    MWin *mwin = main_game->GetMWin();
    const char *title = mwin->PopupIsOn() ? mwin->PopupGetWindow()->GetTitleText() : nullptr;
    return title ? title : "<none>";
  }
  MWinButton *PopupButton(const char *id) {
    MWin *mwin = main_game->GetMWin();
    return mwin->PopupIsOn() ? mwin->PopupGetWindow()->GetButtonFromID(id, 0) : nullptr;
  }
  // Saturated pixels in the right 30 units of a panel row: a flag there.
  int FlagPixels(int row) {
    _Dimension r;
    if (!List()->PanelGetNthItemsDimension(row, &r)) return -1;
    int count = 0;
    // Inside the gold frame the selected row is drawn with.
    for (int y = int(r.y + 6); y < int(r.y + r.height - 6); y++)
      for (int x = int(r.x + r.width - 30); x < int(r.x + r.width - 6); x++) {
        unsigned char rgb[3];
        Pixel(x, y, rgb);
        int hi = std::max({rgb[0], rgb[1], rgb[2]}), lo = std::min({rgb[0], rgb[1], rgb[2]});
        if (hi - lo > 90) count++;
      }
    return count;
  }

  // The frame as a PPM file when QW_SCREENSHOT_DIR names a folder, for a person to look at.
  void Shot(const char *name) {
    const char *dir = getenv("QW_SCREENSHOT_DIR");
    if (!dir) return;
    main_game->Render();
    const int w = eng_main_window_width, h = eng_main_window_height;
    std::vector<unsigned char> rgb(size_t(w) * size_t(h) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    if (FILE *f = fopen((std::string(dir) + "/" + name + ".ppm").c_str(), "wb")) {
      fprintf(f, "P6\n%d %d\n255\n", w, h);
      for (int y = h - 1; y >= 0; y--) fwrite(rgb.data() + size_t(y) * w * 3, 1, size_t(w) * 3, f);
      fclose(f);
    }
  }

  static constexpr const char *kLongName = "abcdefghijklmnopqrstuvwxyz1234";
  std::map<std::string, size_t> m_before;
};

TEST_F(UserLoadDisplayTest, ListsThePlayersWithFlagsAndDeletesOnlyAfterYes) {
  OpenLoadScreen();
  const std::vector<std::string> rows = {"abcdefghijklmnopqrstuvwxy/", "Ann/", "Bob/GB", "Bob.Jr/DE"};
  EXPECT_EQ(Rows(), rows);
  UserLoadCC *screen = Load();
  for (MWinButton *b : {screen->mwinUserLoadMainWinPanelButton, screen->mwinUserLoadMainWinLoadButton,
                        screen->mwinUserLoadMainWinDeleteButton, screen->mwinUserLoadMainWinBackButton})
    EXPECT_EQ(b->IsEnabled(), 1);
  EXPECT_EQ(screen->mwinUserLoadMainWinSettingsButton->IsShown(), 0);
  EXPECT_EQ(screen->mwinUserLoadMainWinLoadProgressButton->IsShown(), 0);
  EXPECT_EQ(List()->PanelGetNumEntriesPerPage(), USER_LOAD_ROWS_PER_PAGE);
  EXPECT_STREQ(screen->mwinUserLoadMainWinLoadButton->GetTextP(), "Load User");
  EXPECT_STREQ(screen->mwinUserLoadMainWinDeleteButton->GetTextP(), "Delete User");
  Shot("load_screen");
  main_game->Render();
  EXPECT_EQ(FlagPixels(0), 0);
  EXPECT_EQ(FlagPixels(1), 0);
  EXPECT_GT(FlagPixels(2), 20);
  EXPECT_GT(FlagPixels(3), 20);

  // The long name: neither reset nor delete by a name cut from another.
  Choose(0);
  Click(screen->mwinUserLoadMainWinLoadButton);
  EXPECT_EQ(PopupTitle(), "Error");
  EXPECT_EQ(PopupText(), "Unable to load user.");
  EXPECT_EQ(PopupButton("NO"), nullptr);
  Key(SDLK_RETURN);
  EXPECT_EQ(main_game->GetMWin()->PopupIsOn(), 0);
  EXPECT_EQ(Folder(), m_before);
  Click(screen->mwinUserLoadMainWinDeleteButton);
  Click(PopupButton("OK"));
  EXPECT_EQ(Folder(), m_before);
  EXPECT_EQ(Rows(), rows);

  // Delete asks; No leaves every file.
  Choose(2);
  Click(screen->mwinUserLoadMainWinDeleteButton);
  EXPECT_EQ(PopupText(), "Are you sure you want to delete this user?");
  Shot("load_screen_delete_question");
  Click(PopupButton("CANCEL"));
  EXPECT_EQ(main_game->GetMWin()->PopupIsOn(), 0);
  EXPECT_EQ(Folder(), m_before);
  // Yes removes Bob's own files only ("Bob", a dot, one extension: "Bob.USR" too, though it is
  // not listed), and the screen restarts on the folder.
  Click(screen->mwinUserLoadMainWinDeleteButton);
  Click(PopupButton("OK"));
  EXPECT_EQ(Folder(), Without({"Bob.usr", "Bob.png", "Bob.USR"}));
  EXPECT_EQ(Rows(), std::vector<std::string>({"abcdefghijklmnopqrstuvwxy/", "Ann/", "Bob.Jr/DE"}));

  // Load User on a good player: the menu follows.
  Choose(2);
  Click(Load()->mwinUserLoadMainWinLoadButton);
  ASSERT_EQ(Current(), MAIN_SCREEN_ID);
  EXPECT_STREQ(main_game->GetUser()->GetInfo()->name, "Bob.Jr");
  EXPECT_EQ(SplashIsOn(), 0);
}

TEST_F(UserLoadDisplayTest, AFileThatDoesNotLoadIsResetDeletedOrLeft) {
  OpenLoadScreen();
  // Cancel changes nothing.
  Choose(1);
  Click(Load()->mwinUserLoadMainWinLoadButton);
  EXPECT_EQ(PopupTitle(), "Unable to load player.");
  EXPECT_EQ(PopupText().rfind("It is possible that this player file is not compatible", 0), 0u) << PopupText();
  ASSERT_NE(PopupButton("NO"), nullptr);
  EXPECT_EQ(Text(PopupButton("OK")), "Reset");
  EXPECT_EQ(Text(PopupButton("NO")), "Delete");
  EXPECT_EQ(Text(PopupButton("CANCEL")), "Cancel");
  Shot("load_screen_failed_load");
  Click(PopupButton("CANCEL"));
  EXPECT_EQ(Current(), USER_LOAD_SCREEN_ID);
  EXPECT_EQ(Folder(), m_before);
  EXPECT_EQ(Rows().size(), 4u);

  // Reset: only the player file is made afresh, on the new player screen; the menu waits.
  Click(Load()->mwinUserLoadMainWinLoadButton);
  Click(PopupButton("OK"));
  ASSERT_EQ(Current(), USER_NEW_SCREEN_ID);
  EXPECT_EQ(Text(New()->mwinUserNewMainWinNameButton), "Ann");
  std::map<std::string, size_t> reset = m_before;
  reset["Ann.usr"] = 676;
  EXPECT_EQ(Folder(), reset);
  EXPECT_EQ(Record(DataFile("Users/Ann.usr")).substr(14, 4), std::string("Ann\0", 4));
  Frames(3);
  EXPECT_EQ(Current(), USER_NEW_SCREEN_ID);
  Click(New()->mwinUserNewMainWinContinueButton);
  ASSERT_EQ(Current(), MAIN_SCREEN_ID);
  EXPECT_STREQ(main_game->GetUser()->GetInfo()->name, "Ann");

  // Delete after a failed load: every file of the player, without a further question.
  main_game->GetScreens()->GotoScreen(USERS_SCREEN_ID, nullptr);
  Frames(1);
  qwtest::WriteWholeFile(DataFile("Users/Ann.usr"), std::string(675, 'x'));
  qwtest::WriteWholeFile(DataFile("Users/Ann.png"), "photo");
  OpenLoadScreen();
  Choose(1);
  Click(Load()->mwinUserLoadMainWinLoadButton);
  Click(PopupButton("NO"));
  EXPECT_EQ(main_game->GetMWin()->PopupIsOn(), 0);
  EXPECT_EQ(Current(), USER_LOAD_SCREEN_ID);
  EXPECT_EQ(Folder(), Without({"Ann.usr"}));
  EXPECT_EQ(Rows(), std::vector<std::string>({"abcdefghijklmnopqrstuvwxy/", "Bob/GB", "Bob.Jr/DE"}));
  // The loaded player is gone: nothing saves it again.
  EXPECT_EQ(main_game->GetUser()->IsLoaded(), 0);

  // A file gone behind the screen's back: its delete is logged, and the screen restarts.
  ASSERT_EQ(unlink(DataFile("Users/Bob.Jr.usr").c_str()), 0);
  Choose(2);
  Click(Load()->mwinUserLoadMainWinDeleteButton);
  EngInt32 before = DebugGetNumMessages();
  Click(PopupButton("OK"));
  std::string log;
  for (EngInt32 i = before; i < DebugGetNumMessages(); i++) log += DebugGetMessage(i)->text;
  EXPECT_NE(log.find("User <Bob.Jr> does not exist."), std::string::npos) << log;
  EXPECT_EQ(Rows(), std::vector<std::string>({"abcdefghijklmnopqrstuvwxy/", "Bob/GB"}));

  // Back returns to the first players screen.
  Click(Load()->mwinUserLoadMainWinBackButton);
  EXPECT_EQ(Current(), USERS_SCREEN_ID);
}

}  // namespace
