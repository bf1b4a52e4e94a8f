// Cross-promotion: the table of the maker's other games, which of them are shown, the one on
// show (written back into the player's record), its two pictures, and its three actions (its
// download, its page, the tell-a-friend page), each of which ends the program first.
#pragma once

#include "Engine/EngTypes.h"

class EngTexture;

enum {
  GAME_ADS_NUM_ROWS = 26,
  GAME_ADS_TITLE_SIZE = 64,
  GAME_ADS_DESC_LINES = 4,
  GAME_ADS_DESC_SIZE = 128,
  GAME_ADS_PATH_SIZE = 400,
  GAME_ADS_FROM_PROG_SIZE = 64,
  GAME_ADS_USER_NAME_SIZE = 80,
  GAME_ADS_BUFFER_SIZE = 512,
  // The row shown on a player's first visit.
  GAME_ADS_FIRST_VISIT_ROW = 17,
};

struct GameAdInfo {
  EngUInt8 included;
  char title_upper[GAME_ADS_TITLE_SIZE];
  char title[GAME_ADS_TITLE_SIZE];
  char desc[GAME_ADS_DESC_LINES][GAME_ADS_DESC_SIZE];
};
static_assert(sizeof(GameAdInfo) == 641, "a row is 641 bytes");

enum _GameAdKind : EngUInt8 {
  GAME_AD_DESKTOP = 0,          // a desktop game with a download link
  GAME_AD_DESKTOP_NO_LINK = 1,  // a desktop game whose page is the way to it
  GAME_AD_IPHONE = 2,
  GAME_AD_IPAD = 3,
  GAME_AD_ANDROID = 4,
  GAME_AD_ALL_PLATFORMS = 5,
  GAME_AD_SPARE = 6,
};

// What a row carries beside its record.
struct GameAdRowInfo {
  _GameAdKind kind;
  const char *page_id;     // null: the page "all"
  const char *rec_id;      // null: "All"
  const char *pics[2];     // null: no picture; a one-picture row names its file twice
  const char *download;    // the file under the link base; null without a download
  EngUInt32 updater_id;    // the updater's program, 0 without a download
};

typedef const char *(*GameAdsPicFilenameCB)(int row, int pic);

extern GameAdInfo game_ads[GAME_ADS_NUM_ROWS];
extern EngInt32 game_ads_cur_game_ad;
extern char game_ads_path[GAME_ADS_PATH_SIZE];
extern char game_ads_from_prog[GAME_ADS_FROM_PROG_SIZE];
extern char game_ads_user_name[GAME_ADS_USER_NAME_SIZE];
extern char game_ads_buffer[GAME_ADS_BUFFER_SIZE];

// The maker's games folder on its web site, the link base the main menu hands over, and this
// game's id on the tell-a-friend page.
extern const char *const game_ads_games_folder;
extern const char *const game_ads_this_program;

void GameAdsSetupAdsToBeIncluded();
int GameAdsGetNumAdsIncluded();
void GameAdsSetGetPicFilenameCB(GameAdsPicFilenameCB callback);
void GameAdsSetInternetLinksPath(const char *path, const char *from_prog, const char *user_name);
void GameAdsSetGameAdInt16Variable(EngInt16 **variable);
void GameAdsSetCurGameAd(int row);
void GameAdsGoToPrevAdNum();
void GameAdsGoToNextAdNum();
EngInt16 GameAdsGetTessaloomAdNumForCurrentPlatform();
const char *GameAdsGetPicFilenameCB(int row, int pic);
void GameAdsCreateGraphics(char only_if_missing);
void GameAdsDestroyGraphics();
EngTexture *GameAdsGetAdTex1P();
EngTexture *GameAdsGetAdTex2P();
// The current row's download link (the link base and its file), or null.
const char *GameAdsGetDownloadLinkForCurrentAd();
char GameAdsIsCurrentAdAnIOSApp();
char GameAdsIsCurrentAdAnIPhoneApp();
char GameAdsIsCurrentAdAnIPadApp();
char GameAdsIsCurrentAdAnAndroidApp();
char GameAdsIsCurrentAdAnAllInOneAd();
char GameAdsIsCurrentAdAOnePicAd();
void GameAdsDownloadCB();
void GameAdsHomePageCB();
void GameAdsTellAFriendCB();

// A row's attributes (null outside 0..25), and its shown texts: the language's, else the
// table's English.
const GameAdRowInfo *GameAdsGetRowInfo(int row);
const char *GameAdsGetTitleText(int row);
const char *GameAdsGetDescText(int row, int line);
// The language tokens of a row's texts ("GameAds_Row17Title", "GameAds_Row17Desc1").
void GameAdsGetTitleToken(int row, char *out, int size);
void GameAdsGetDescToken(int row, int line, char *out, int size);

// Tests: the module back to its start (table, state, textures freed).
void GameAdsResetForTests();
// The registered variable, as the module holds it.
EngInt16 *GameAdsGetInt16VariableForTests();
