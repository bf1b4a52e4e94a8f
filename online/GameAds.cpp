#include "online/GameAds.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMemory.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"
#include "Engine/EngVarious.h"
#include "online/EngInternet.h"
#include "online/Updater.h"

// The rows are the maker's other games (all of them made up for this game); row 3 is this game.
// Only the included flag ever changes.
static const GameAdInfo kGameAds[GAME_ADS_NUM_ROWS] = {
    // 0
    {0, "QUILLIBROOK FERRY", "Quillibrook Ferry",
     {"Steer a little paddle ferry along the winding Quillibrook.",
      "Carry hens, hay carts and grumbling badgers to the right jetty,",
      "dodge driftwood and weirs, and keep every passenger dry.",
      "Forty river stretches, from lazy meadows to the roaring mill race."}},
    // 1
    {0, "MOSSGRUBBLE MINES", "Mossgrubble Mines",
     {"Dig down through chalk, clay and glittering seams of copper.",
      "Prop up your tunnels, pump out the floods and steer the mine carts,",
      "then trade your ore with the moles of Mossgrubble for better picks.",
      "How deep dare you go before the lantern oil runs low?"}},
    // 2
    {0, "THIMBLEWICK BAKERY", "Thimblewick Bakery",
     {"The whole village wants breakfast, and the oven is yours.",
      "Knead, bake and ice against the clock, take the orders in turn",
      "and keep the mice away from the flour sacks.",
      "Grow a tiny kitchen into the finest bakery in Thimblewick."}},
    // 3
    {0, "QUARRELWICK", "Quarrelwick",
     {"Bugs are marching through the garden toward the house.",
      "Build factories and weapons beside the path, upgrade them and aim them,",
      "and stop every bug of fifty waves before it reaches the door.",
      "Four gardens, three difficulties and high scores to beat."}},
    // 4
    {0, "COBBLEFLUTE CARAVAN", "Cobbleflute Caravan",
     {"Lead a painted wagon from market town to market town.",
      "Buy low, sell high, feed the ponies and mend the wheels,",
      "and play a tune on the cobbleflute when the road gets long.",
      "Thirty towns, a hundred wares and a fortune to be made."}},
    // 5
    {0, "LARKSPINDLE LIGHTHOUSE", "Larkspindle Lighthouse",
     {"Keep the lamp of Larkspindle burning through the stormy nights.",
      "Turn the great lens toward the fishing boats in trouble,",
      "haul up the oil and mend the glass before the gale returns.",
      "Every ship you guide home brings a new story to the keeper."}},
    // 6
    {0, "PEBBLEQUAY HARBOUR", "Pebblequay Harbour",
     {"Run a busy little harbour on the rocky Pebblequay coast.",
      "Berth the boats, load the cranes and sort the catch of the day,",
      "while the tide rises and falls under your piers.",
      "Build a fishing hamlet into a bustling port, one quay at a time."}},
    // 7
    {0, "SPROCKETMOTH", "Sprocketmoth",
     {"A clockwork moth flutters through a house of candles.",
      "Tilt and tap to glide past the flames and wind your spring,",
      "collect the brass gears and find the way to the attic window.",
      "Sixty rooms to flutter through, in your pocket."}},
    // 8
    {0, "SPROCKETMOTH", "Sprocketmoth",
     {"A clockwork moth flutters through a house of candles.",
      "Glide past the flames, wind your spring and collect the gears,",
      "now with bigger rooms and a sketchbook of every moth you build.",
      "Sixty rooms to flutter through, on the big screen."}},
    // 9
    {0, "SPROCKETMOTH", "Sprocketmoth",
     {"A clockwork moth flutters through a house of candles.",
      "Tilt and tap to glide past the flames and wind your spring,",
      "collect the brass gears and find the way to the attic window.",
      "Sixty rooms to flutter through, on your phone or tablet."}},
    // 10
    {0, "HOLLYRATTLE HIVES", "Hollyrattle Hives",
     {"Keep bees in the hedgerows of Hollyrattle.",
      "Plant the flowers they love, build hives and split the swarms,",
      "chase off the wasps and sell your honey at the summer fair.",
      "A calm and busy year of beekeeping, season by season."}},
    // 11
    {0, "BUMBLEYARN", "Bumbleyarn",
     {"Roll a ball of wool through a knitting basket maze.",
      "Tangle around the needles, unspool over the gaps",
      "and knit a scarf long enough to reach the kitten.",
      "Eighty woolly puzzles, in your pocket."}},
    // 12
    {0, "BUMBLEYARN", "Bumbleyarn",
     {"Roll a ball of wool through a knitting basket maze.",
      "Tangle around the needles and unspool over the gaps,",
      "with roomier baskets and a pattern book to fill.",
      "Eighty woolly puzzles, on the big screen."}},
    // 13
    {0, "BUMBLEYARN", "Bumbleyarn",
     {"Roll a ball of wool through a knitting basket maze.",
      "Tangle around the needles, unspool over the gaps",
      "and knit a scarf long enough to reach the kitten.",
      "Eighty woolly puzzles, on your phone or tablet."}},
    // 14
    {0, "TALLOWMERE CLASSICS", "Tallowmere Classics",
     {"The first games from Tallowmere, gathered in one place.",
      "Puzzles, little strategy games and a few odd experiments",
      "from the early days, each one still playable today.",
      "Visit the page to see them all."}},
    // 15
    {0, "TALLOWMERE GAMES", "Tallowmere Games",
     {"Games for the desktop, for phones and for tablets.",
      "Every game Tallowmere makes is listed on one page,",
      "with pictures, news and free demos to try.",
      "Come and have a look."}},
    // 16
    {0, "GUSTERBY BALLOONS", "Gusterby Balloons",
     {"Fly a hot air balloon over the hills of Gusterby.",
      "Ride the winds up and down to steer, drop the post to the farms",
      "and race the swallows home before the sun goes down.",
      "Thirty flights over fields, rivers and sleepy towns."}},
    // 17
    {0, "FERNWHISTLE ORCHARD", "Fernwhistle Orchard",
     {"Tend an old orchard on the slopes of Fernwhistle.",
      "Prune the trees, graft new kinds and pick the fruit in time,",
      "then press cider and bake pies for the harvest fair.",
      "Bring the orchard back to life, row by row and year by year."}},
    // 18
    {0, "GORSEBERRY SPRINT", "Gorseberry Sprint",
     {"A hedgehog races across the heath for the last berries.",
      "Swipe to roll, jump the gorse and curl up under the hawks,",
      "and beat the rabbits to the finish flag.",
      "Fifty heathland races, in your pocket."}},
    // 19
    {0, "GORSEBERRY SPRINT", "Gorseberry Sprint",
     {"A hedgehog races across the heath for the last berries.",
      "Swipe to roll, jump the gorse and curl up under the hawks,",
      "now with wider heaths and a race against a friend.",
      "Fifty heathland races, on the big screen."}},
    // 20
    {0, "GORSEBERRY SPRINT", "Gorseberry Sprint",
     {"A hedgehog races across the heath for the last berries.",
      "Swipe to roll, jump the gorse and curl up under the hawks,",
      "and beat the rabbits to the finish flag.",
      "Fifty heathland races, on your phone or tablet."}},
    // 21
    {0, "FROSTWHISTLE SLEDGES", "Frostwhistle Sledges",
     {"Race wooden sledges down the snowy slopes of Frostwhistle.",
      "Lean into the bends, leap the drifts and wax your runners,",
      "then build a faster sledge for the next hill.",
      "Twenty hills from the village green to the high peaks."}},
    // 22
    {0, "TUMBLECRUMB CASTLE", "Tumblecrumb Castle",
     {"Stack stones, beams and turrets into the tallest castle.",
      "Every block has its own weight, so build with care:",
      "one wobble too many and the whole keep comes tumbling down.",
      "Fifty towers to raise, and a knight who wants a view."}},
    // 23
    {0, "WICKERWANE OWLS", "Wickerwane Owls",
     {"Guide a family of owls through the woods of Wickerwane.",
      "Hunt by moonlight, hide from the foxes and find hollow trees,",
      "and teach the owlets to fly before the winter comes.",
      "A quiet night-time adventure among the old oaks."}},
    // 24
    {0, "DRIZZLEMOOR GOLF", "Drizzlemoor Golf",
     {"Putt your way across the soggy moors of Drizzlemoor.",
      "Mind the puddles, the sheep and the sudden gusts of wind,",
      "and bank the ball off the stone walls to save a stroke.",
      "Thirty-six holes of mud, heather and happy little birdies."}},
    // 25
    {0, "", "",
     {"",
      "",
      "",
      ""}},
};

static const GameAdRowInfo kRowInfo[GAME_ADS_NUM_ROWS] = {
    {GAME_AD_DESKTOP, "quillibrook", "Quillibrook",
     {"GameAd00_1.jpg", "GameAd00_2.jpg"}, "QuillibrookFerry.tar.gz", 1},  // 0
    {GAME_AD_DESKTOP, "mossgrubble", "Mossgrubble",
     {"GameAd01_1.jpg", "GameAd01_2.jpg"}, "MossgrubbleMines.tar.gz", 2},  // 1
    {GAME_AD_DESKTOP, "thimblewick", "Thimblewick",
     {"GameAd02_1.jpg", "GameAd02_2.jpg"}, "ThimblewickBakery.tar.gz", 4},  // 2
    {GAME_AD_DESKTOP, "quarrelwick", "Quarrelwick", {nullptr, nullptr}, "Quarrelwick.tar.gz", 3},  // 3
    {GAME_AD_DESKTOP, "cobbleflute", "Cobbleflute",
     {"GameAd04_1.jpg", "GameAd04_2.jpg"}, "CobblefluteCaravan.tar.gz", 5},  // 4
    {GAME_AD_DESKTOP, "larkspindle", "Larkspindle",
     {"GameAd05_1.jpg", "GameAd05_2.jpg"}, "LarkspindleLighthouse.tar.gz", 6},  // 5
    {GAME_AD_DESKTOP, "pebblequay", "Pebblequay",
     {"GameAd06_1.jpg", "GameAd06_2.jpg"}, "PebblequayHarbour.tar.gz", 7},  // 6
    {GAME_AD_IPHONE, "sprocketmoth", "Sprocketmoth", {nullptr, nullptr}, nullptr, 0},  // 7
    {GAME_AD_IPAD, "sprocketmoth", "Sprocketmoth", {nullptr, nullptr}, nullptr, 0},  // 8
    {GAME_AD_ANDROID, "sprocketmoth", "Sprocketmoth", {nullptr, nullptr}, nullptr, 0},  // 9
    {GAME_AD_DESKTOP, "hollyrattle", "Hollyrattle",
     {"GameAd10_1.jpg", "GameAd10_2.jpg"}, "HollyrattleHives.tar.gz", 8},  // 10
    {GAME_AD_IPHONE, "bumbleyarn", "Bumbleyarn", {nullptr, nullptr}, nullptr, 0},  // 11
    {GAME_AD_IPAD, "bumbleyarn", "Bumbleyarn", {nullptr, nullptr}, nullptr, 0},  // 12
    {GAME_AD_ANDROID, "bumbleyarn", "Bumbleyarn", {nullptr, nullptr}, nullptr, 0},  // 13
    {GAME_AD_DESKTOP_NO_LINK, nullptr, nullptr, {nullptr, nullptr}, nullptr, 0},  // 14
    {GAME_AD_ALL_PLATFORMS, nullptr, nullptr, {nullptr, nullptr}, nullptr, 0},  // 15
    {GAME_AD_DESKTOP, "gusterby", "Gusterby",
     {"GameAd16_1.jpg", "GameAd16_2.jpg"}, "GusterbyBalloons.tar.gz", 9},  // 16
    {GAME_AD_DESKTOP, "fernwhistle", "Fernwhistle",
     {"GameAd17_1.jpg", "GameAd17_2.jpg"}, "FernwhistleOrchard.tar.gz", 10},  // 17
    {GAME_AD_IPHONE, "gorseberry", "Gorseberry", {nullptr, nullptr}, nullptr, 0},  // 18
    {GAME_AD_IPAD, "gorseberry", "Gorseberry", {nullptr, nullptr}, nullptr, 0},  // 19
    {GAME_AD_ANDROID, "gorseberry", "Gorseberry", {nullptr, nullptr}, nullptr, 0},  // 20
    {GAME_AD_DESKTOP_NO_LINK, "frostwhistle", "Frostwhistle", {nullptr, nullptr}, nullptr, 0},  // 21
    {GAME_AD_DESKTOP, "tumblecrumb", "Tumblecrumb",
     {"GameAd22_1.jpg", "GameAd22_2.jpg"}, "TumblecrumbCastle.tar.gz", 11},  // 22
    {GAME_AD_DESKTOP, "wickerwane", "Wickerwane",
     {"GameAd23_1.jpg", "GameAd23_2.jpg"}, "WickerwaneOwls.tar.gz", 12},  // 23
    {GAME_AD_DESKTOP, "drizzlemoor", "Drizzlemoor",
     {"GameAd24_1.jpg", "GameAd24_2.jpg"}, "DrizzlemoorGolf.tar.gz", 13},  // 24
    {GAME_AD_SPARE, nullptr, nullptr, {nullptr, nullptr}, nullptr, 0},  // 25
};

static const int kIncludedRows[] = {0, 1, 2, 4, 5, 6, 10, 16, 17, 22, 23, 24};
static const char kTellAFriendPage[] = "/cgi-bin/common/friend/ShowTellAFriend.cgi";

GameAdInfo game_ads[GAME_ADS_NUM_ROWS];
EngInt32 game_ads_cur_game_ad = 0;
char game_ads_path[GAME_ADS_PATH_SIZE];
char game_ads_from_prog[GAME_ADS_FROM_PROG_SIZE];
char game_ads_user_name[GAME_ADS_USER_NAME_SIZE];
char game_ads_buffer[GAME_ADS_BUFFER_SIZE];
const char *const game_ads_games_folder = "/games/";
const char *const game_ads_this_program = "Quarrelwick";

static EngInt16 *game_ad_num16_var = nullptr;
static GameAdsPicFilenameCB game_ads_get_pic_filename_cb = nullptr;
static EngTexture *game_ads_tex1 = nullptr;
static EngTexture *game_ads_tex2 = nullptr;
static char download_link[GAME_ADS_BUFFER_SIZE];
static char table_ready = 0;

static void SetupTable() {
  if (table_ready) return;
  table_ready = 1;
  memcpy(game_ads, kGameAds, sizeof(game_ads));
  EngSafeStrcpy(game_ads_path, various_tallowmere_home_page, sizeof(game_ads_path));
  EngSafeStrcpy(game_ads_from_prog, "Unknown", sizeof(game_ads_from_prog));
  game_ads_user_name[0] = 0;
  game_ads_buffer[0] = 0;
}

// The textures live as long as the module is used; the program's exit frees them.
static EngTexture *Tex(int n) {
  EngTexture *&tex = n == 0 ? game_ads_tex1 : game_ads_tex2;
  if (!tex) tex = new EngTexture();
  return tex;
}

static char TexLoaded(EngTexture *tex) { return tex && tex->IsOk(); }

static const GameAdRowInfo *CurrentInfo() { return GameAdsGetRowInfo(game_ads_cur_game_ad); }

static char CurrentKindIs(_GameAdKind kind) {
  const GameAdRowInfo *info = CurrentInfo();
  return info && info->kind == kind ? 1 : 0;
}

static void WriteVariable() {
  if (game_ad_num16_var) *game_ad_num16_var = EngInt16(game_ads_cur_game_ad);
}

static int PrevRow(int r) { return r <= 0 ? GAME_ADS_NUM_ROWS - 1 : r - 1; }
static int NextRow(int r) { return r >= GAME_ADS_NUM_ROWS - 1 ? 0 : r + 1; }

static void Step(int (*step)(int)) {
  SetupTable();
  int r = game_ads_cur_game_ad;
  for (int n = 0; n < GAME_ADS_NUM_ROWS; n++) {
    r = step(r);
    if (game_ads[r].included) break;
  }
  // With nothing included the 26 steps come back to the start.
  game_ads_cur_game_ad = r;
}

void GameAdsSetupAdsToBeIncluded() {
  SetupTable();
  for (GameAdInfo &row : game_ads) row.included = 0;
  for (int row : kIncludedRows) game_ads[row].included = 1;
}

int GameAdsGetNumAdsIncluded() {
  SetupTable();
  int count = 0;
  for (const GameAdInfo &row : game_ads)
    if (row.included) count++;
  return count;
}

void GameAdsSetGetPicFilenameCB(GameAdsPicFilenameCB callback) { game_ads_get_pic_filename_cb = callback; }

void GameAdsSetInternetLinksPath(const char *path, const char *from_prog, const char *user_name) {
  SetupTable();
  size_t path_len = path ? strlen(path) : 0;
  if (path_len < 5 || path_len >= GAME_ADS_PATH_SIZE || path[path_len - 1] != '/') {
    DebugErrorAlt(ENG_FUNC, "Invalid path");
    return;
  }
  size_t prog_len = from_prog ? strlen(from_prog) : 0;
  if (prog_len < 5 || prog_len >= GAME_ADS_FROM_PROG_SIZE) {
    DebugErrorAlt(ENG_FUNC, "Invalid from prog");
    return;
  }
  EngSafeStrcpy(game_ads_path, path, sizeof(game_ads_path));
  EngSafeStrcpy(game_ads_from_prog, from_prog, sizeof(game_ads_from_prog));
  // A name that would not fit is left out rather than cut.
  if (!user_name || !user_name[0] || strlen(user_name) >= GAME_ADS_USER_NAME_SIZE)
    game_ads_user_name[0] = 0;
  else
    EngSafeStrcpy(game_ads_user_name, user_name, sizeof(game_ads_user_name));
}

void GameAdsSetGameAdInt16Variable(EngInt16 **variable) {
  game_ad_num16_var = variable ? *variable : nullptr;
  if (game_ad_num16_var) GameAdsSetCurGameAd(*game_ad_num16_var);
}

void GameAdsSetCurGameAd(int row) {
  SetupTable();
  if (row < 0 || row >= GAME_ADS_NUM_ROWS) {
    DebugErrorAlt(ENG_FUNC, "Invalid ad num %d", row);
    row = 0;
  }
  game_ads_cur_game_ad = row;
  Step(PrevRow);
  Step(NextRow);
  WriteVariable();
}

void GameAdsGoToPrevAdNum() {
  Step(PrevRow);
  WriteVariable();
}

void GameAdsGoToNextAdNum() {
  Step(NextRow);
  WriteVariable();
}

EngInt16 GameAdsGetTessaloomAdNumForCurrentPlatform() {
  SetupTable();
  if (game_ads[GAME_ADS_FIRST_VISIT_ROW].included) return GAME_ADS_FIRST_VISIT_ROW;
  DebugErrorAlt(ENG_FUNC, "Ad %d is not included.", int(GAME_ADS_FIRST_VISIT_ROW));
  return -1;
}

const char *GameAdsGetPicFilenameCB(int row, int pic) {
  const GameAdRowInfo *info = GameAdsGetRowInfo(row);
  const char *name = info && (pic == 0 || pic == 1) ? info->pics[pic] : nullptr;
  if (!name) DebugErrorAlt(ENG_FUNC, "Unsuppored ad/pic [%d:%d]", row, pic);
  return name;
}

void GameAdsCreateGraphics(char only_if_missing) {
  if (only_if_missing && TexLoaded(game_ads_tex1)) return;
  GameAdsDestroyGraphics();
  if (!game_ads_get_pic_filename_cb) {
    DebugErrorAlt(ENG_FUNC, "No pic filename callback specified");
    return;
  }
  const char *first = game_ads_get_pic_filename_cb(game_ads_cur_game_ad, 0);
  if (!first) {
    DebugErrorAlt(ENG_FUNC, "No pic filename for pic %d:%d", int(game_ads_cur_game_ad), 0);
    return;
  }
  if (!Tex(0)->LoadFromFile(first, 0, 0)) return;
  const char *second = game_ads_get_pic_filename_cb(game_ads_cur_game_ad, 1);
  if (second) Tex(1)->LoadFromFile(second, 0, 0);
}

void GameAdsDestroyGraphics() {
  if (game_ads_tex1) game_ads_tex1->Destroy();
  if (game_ads_tex2) game_ads_tex2->Destroy();
}

EngTexture *GameAdsGetAdTex1P() { return Tex(0); }
EngTexture *GameAdsGetAdTex2P() { return Tex(1); }

const char *GameAdsGetDownloadLinkForCurrentAd() {
  SetupTable();
  const GameAdRowInfo *info = CurrentInfo();
  if (!info || !info->download || game_ads_cur_game_ad >= GAME_ADS_NUM_ROWS - 1) return nullptr;
  const char *slash = game_ads_path[0] && game_ads_path[strlen(game_ads_path) - 1] != '/' ? "/" : "";
  int n = snprintf(download_link, sizeof(download_link), "%s%s%s", game_ads_path, slash, info->download);
  if (n < 0 || size_t(n) >= sizeof(download_link)) {
    DebugErrorAlt(ENG_FUNC, "Link too long");
    return nullptr;
  }
  return download_link;
}

char GameAdsIsCurrentAdAnIOSApp() { return CurrentKindIs(GAME_AD_IPHONE) || CurrentKindIs(GAME_AD_IPAD) ? 1 : 0; }
char GameAdsIsCurrentAdAnIPhoneApp() { return CurrentKindIs(GAME_AD_IPHONE); }
char GameAdsIsCurrentAdAnIPadApp() { return CurrentKindIs(GAME_AD_IPAD); }
char GameAdsIsCurrentAdAnAndroidApp() { return CurrentKindIs(GAME_AD_ANDROID); }
char GameAdsIsCurrentAdAnAllInOneAd() { return CurrentKindIs(GAME_AD_ALL_PLATFORMS); }
char GameAdsIsCurrentAdAOnePicAd() { return GameAdsIsCurrentAdAnIPadApp() || GameAdsIsCurrentAdAnAllInOneAd() ? 1 : 0; }

// The program is ended by its own loop, never from under the screen's tick: the page opens or
// the download runs once it has exited.
static char EndProgramThen(void (*after_exit)()) {
  if (!eng_main_program) return 0;
  eng_main_program->SetAfterExitCB(after_exit);
  eng_main_program->SetExitingFlag();
  return 1;
}

static void OpenBufferNow() { VariousGoOnlineNow(game_ads_buffer); }

static void GoOnline() {
  if (EndProgramThen(OpenBufferNow)) return;
  OpenBufferNow();
}

void GameAdsDownloadCB() {
  SetupTable();
  const GameAdRowInfo *info = CurrentInfo();
  if (!info || game_ads_cur_game_ad >= GAME_ADS_NUM_ROWS - 1 || !info->updater_id || !info->download) return;
  _UpdaterProgramName program = _UpdaterProgramName(info->updater_id);
  if (!UpdaterSetupUrl(program, 0.0f)) return;
  if (EndProgramThen(GameAdsDownloadCB)) return;
  const char *link = GameAdsGetDownloadLinkForCurrentAd();
  if (!link || !UpdaterSetupUrl(program, 0.0f)) return;
  UpdaterStartDownload(link);
}

void GameAdsHomePageCB() {
  SetupTable();
  const GameAdRowInfo *info = CurrentInfo();
  const char *page = info && info->page_id ? info->page_id : "all";
  int n = snprintf(game_ads_buffer, sizeof(game_ads_buffer), "%sm_%s.html", game_ads_path, page);
  if (n < 0 || n > VARIOUS_MAX_URL_LENGTH) {
    DebugErrorAlt(ENG_FUNC, "Address too long");
    game_ads_buffer[0] = 0;
    return;
  }
  GoOnline();
}

void GameAdsTellAFriendCB() {
  SetupTable();
  const GameAdRowInfo *info = CurrentInfo();
  const char *rec = info && info->rec_id ? info->rec_id : "All";
  char *from = EngInternetURLEncodeString(game_ads_from_prog);
  char *rec_encoded = EngInternetURLEncodeString(rec);
  char *name = EngInternetURLEncodeString(game_ads_user_name);
  int n = -1;
  if (from && rec_encoded && name)
    n = snprintf(game_ads_buffer, sizeof(game_ads_buffer), "%s%s?from_prog=%s&rec=%s&&user_name=%s",
                 various_tallowmere_home_page, kTellAFriendPage, from, rec_encoded, name);
  free(from);
  free(rec_encoded);
  free(name);
  // An address cut to fit would name someone else: it is refused whole.
  if (n < 0 || n > VARIOUS_MAX_URL_LENGTH) {
    DebugErrorAlt(ENG_FUNC, n < 0 ? "Out of memory" : "Address too long");
    game_ads_buffer[0] = 0;
    return;
  }
  GoOnline();
}

const GameAdRowInfo *GameAdsGetRowInfo(int row) {
  return row >= 0 && row < GAME_ADS_NUM_ROWS ? &kRowInfo[row] : nullptr;
}

void GameAdsGetTitleToken(int row, char *out, int size) { snprintf(out, size_t(size), "GameAds_Row%02dTitle", row); }

void GameAdsGetDescToken(int row, int line, char *out, int size) {
  snprintf(out, size_t(size), "GameAds_Row%02dDesc%d", row, line + 1);
}

const char *GameAdsGetTitleText(int row) {
  SetupTable();
  if (row < 0 || row >= GAME_ADS_NUM_ROWS) return "";
  char token[48];
  GameAdsGetTitleToken(row, token, sizeof(token));
  return game_ads[row].title_upper[0] ? EngLanguagesGetStringIfExists(token, game_ads[row].title_upper) : "";
}

const char *GameAdsGetDescText(int row, int line) {
  SetupTable();
  if (row < 0 || row >= GAME_ADS_NUM_ROWS || line < 0 || line >= GAME_ADS_DESC_LINES) return "";
  char token[48];
  GameAdsGetDescToken(row, line, token, sizeof(token));
  const char *english = game_ads[row].desc[line];
  return english[0] ? EngLanguagesGetStringIfExists(token, english) : "";
}

void GameAdsResetForTests() {
  if (game_ads_tex1) delete game_ads_tex1;
  if (game_ads_tex2) delete game_ads_tex2;
  game_ads_tex1 = game_ads_tex2 = nullptr;
  table_ready = 0;
  SetupTable();
  game_ads_cur_game_ad = 0;
  game_ad_num16_var = nullptr;
  game_ads_get_pic_filename_cb = nullptr;
  download_link[0] = 0;
}

EngInt16 *GameAdsGetInt16VariableForTests() { return game_ad_num16_var; }
