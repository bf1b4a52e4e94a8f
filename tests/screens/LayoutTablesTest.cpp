// Every generated screen layout's table against the values its screen is designed with,
// written out here row by row: kind, texture button, default text, rectangle, font, text colour,
// text scale, align and further settings of each widget in builder order, each window's place and
// title look, and the rectangles and looks that the phone and tablet layouts are given. Where a
// layout knowingly keeps another value, the mend is listed below with its reason.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "screens/ScreenLayout.h"
#include "screens/layouts/AboutCollectionController.h"
#include "screens/layouts/CountryCollectionController.h"
#include "screens/layouts/DebugCollectionController.h"
#include "screens/layouts/GameAdsCollectionController.h"
#include "screens/layouts/HelpCollectionController.h"
#include "screens/layouts/KeyInputCollectionController.h"
#include "screens/layouts/LogCollectionController.h"
#include "screens/layouts/MainCollectionController.h"
#include "screens/layouts/NoticeCollectionController.h"
#include "screens/layouts/OptionsCollectionController.h"
#include "screens/layouts/PauseCollectionController.h"
#include "screens/layouts/PopupCollectionController.h"
#include "screens/layouts/ScoresCollectionController.h"
#include "screens/layouts/SelectCollectionController.h"
#include "screens/layouts/SoundsCollectionController.h"
#include "screens/layouts/SystemCollectionController.h"
#include "screens/layouts/UserLoadCollectionController.h"
#include "screens/layouts/UserNewCollectionController.h"
#include "screens/layouts/UserSelectCollectionController.h"
#include "screens/layouts/UsersCollectionController.h"
#include "tests/screens/LayoutTestSupport.h"

namespace {

// A widget's settings beyond its look: a language token (null: not given; "": none), its own
// colour, hidden (-1: hidden by its screen at every start, so built either way).
struct Further {
  const char *token;
  char has_colour;
  _ColourRGBA colour;
  char hidden;
  constexpr Further Colour(float r, float g, float b, float a) const { return {token, 1, {r, g, b, a}, hidden}; }
  constexpr Further Hidden() const { return {token, has_colour, colour, 1}; }
  constexpr Further HiddenAtStart() const { return {token, has_colour, colour, -1}; }
};
constexpr Further Plain() { return {nullptr, 0, {0, 0, 0, 0}, 0}; }
constexpr Further Token(const char *token) { return {token, 0, {0, 0, 0, 0}, 0}; }

struct Expected {
  const char *id;
  _MWinButtonType kind;
  const char *texbut;
  const char *text;  // null: a widget made without a text
  _Dimension area;
  const char *font;
  _ColourRGBA text_colour;
  _Vector2d text_scale;
  _MWinTextAlign align;
  Further further;
};

// In the phone and tablet layouts some values are free: a rectangle of width -1, a text colour of
// alpha -1 or a text scale of x -1 is not checked.
constexpr _Dimension kFreeArea = {0, 0, -1, -1};
constexpr _ColourRGBA kFreeColour = {0, 0, 0, -1};
constexpr _Vector2d kFreeScale = {-1, -1};

// A widget's rectangle in one of the phone and tablet layouts.
struct DeviceArea {
  const char *id;
  int layout;
  _Dimension area;
};

// clang-format off
const Expected kLog[] = {
    {"CopySel", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Copy selected line(s)", {20, 405, 140, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Logs_CopySel")},
    {"Log", MWIN_BUTTON_PANEL, "MWIN_TEXBUT_DEFAULT", " ", {10, 5, 620, 390},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT, Plain()},
    {"CopyAll", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Copy all lines", {175, 405, 100, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Logs_CopyAll")},
    {"Help", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "?", {290, 405, 30, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Clear", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Clear", {570, 405, 50, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Logs_Clear")},
};

const Expected kMain[] = {
    {"Title", MWIN_BUTTON_STATIC, "Back2", "", {128, 0, 384, 84},
     "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Version", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "vX.X", {560, 0, 75, 20},
     "Main", {1, 1, 1, 0.6f}, {0.6f, 0.6f}, MWIN_ALIGN_RIGHT, Plain()},
    {"Welcome", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Wecome, Name.", {120, 100, 400, 35},
     "Main", {1, 1, 1, 0.8f}, {1.5f, 1.5f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Play", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "New Game", {235, 205, 170, 40},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Help", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "How To Play", {330, 280, 150, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Scores", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "High Scores", {160, 280, 150, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Sound", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Sound & Music", {330, 320, 150, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Options", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Options", {160, 320, 150, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"About", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "About", {330, 360, 150, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"User", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Change Player", {160, 360, 150, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"OtherGames", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Other Games", {160, 400, 150, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Exit", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Exit Game", {330, 400, 150, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Debug", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Debug", {10, 450, 50, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain().Colour(1, 1, 1, 0.493f)},
    {"Review", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Review", {235, 150, 170, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
};

const Expected kAbout[] = {
    {"Title", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "", {128, 0, 384, 84},
     "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"HomePage", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Home Page", {10, 440, 80, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Forums", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Forums", {190, 440, 80, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Logs", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Logs", {370, 440, 80, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Back", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Back", {550, 440, 80, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Version", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Version", {240, 90, 160, 10},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain().Colour(1, 1, 1, 0.6f)},
};

const Expected kHelp[] = {
    {"Title", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "", {128, 0, 384, 84},
     "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Prev", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Prev", {230, 420, 80, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Next", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Next", {330, 420, 80, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Keys", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Keys", {10, 440, 80, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Back", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Back", {550, 440, 80, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Info", MWIN_BUTTON_DRAG, "Back2", nullptr, {85, 115, 470, 270},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
};

const Expected kNotice[] = {
    {"Title", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "", {128, 0, 384, 84},
     "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Frame", MWIN_BUTTON_PUSH, "Back2", "", {132.5f, 142.5f, 375, 195},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Ok", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Ok", {265, 297.5f, 110, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Text", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Text", {142.5f, 154.5f, 355, 133},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
};

const Expected kOptions[] = {
    {"Title", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "", {128, 0, 384, 84},
     "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"ShowResT", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Startup Window:", {10, 185, 240, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"ShowRes", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "", {255, 185, 285, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"ShowResInfo", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "?", {555, 185, 30, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"OneUser", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "", {255, 230, 285, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"OneUserT", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Always Start with Current User:", {10, 230, 240, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"OneUserInfo", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "?", {555, 230, 30, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"PowerT", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "CPU Usage:", {10, 320, 240, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"Power", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "", {255, 320, 285, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"DateFormatText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Date Format:", {10, 275, 240, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"DateFormat", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", " ", {255, 275, 285, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"PowerInfo", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "?", {555, 320, 30, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"DateFormatInfo", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "?", {555, 275, 30, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Back", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Back", {550, 440, 80, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
};

const Expected kPause[] = {
    {"Title", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "", {128, 0, 384, 84},
     "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Resume", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Resume Game", {220, 120, 200, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Scores", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "High Scores", {220, 170, 200, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Help", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "How To Play", {220, 220, 200, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Sounds", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Sound & Music", {220, 270, 200, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Options", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Options", {220, 320, 200, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Quit", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Quit Game", {220, 370, 200, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Save", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Save Game & Exit", {220, 420, 200, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
};

const Expected kPopupSidebar[] = {
    {"Title", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {0, 6, 140, 25},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Cost", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {90, 40, 50, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT, Plain()},
    {"CostT", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Cost:", {10, 40, 80, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_RIGHT, Plain()},
    {"Reload", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {90, 90, 50, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT, Plain()},
    {"DamageT", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Damage:", {10, 110, 80, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_RIGHT, Plain()},
    {"Damage", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {90, 110, 50, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT, Plain()},
    {"ReloadT", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Reload Rate:", {10, 90, 80, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_RIGHT, Plain()},
    {"Slow", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {90, 130, 50, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT, Plain()},
    {"SlowT", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Slowdown:", {10, 130, 80, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_RIGHT, Plain()},
    {"Range", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {90, 70, 50, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT, Plain()},
    {"RangeT", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Range:", {10, 70, 80, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_RIGHT, Plain()},
};

const Expected kPopupWeapon[] = {
    {"Title", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {0, 6, 210, 25},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Reload", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {110, 74, 30, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"DamageT", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Damage:", {20, 90, 80, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_RIGHT, Plain()},
    {"Damage", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {110, 90, 30, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"ReloadT", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Reload Rate:", {20, 74, 80, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_RIGHT, Plain()},
    {"Slow", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {110, 106, 30, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"SlowT", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Slowdown:", {20, 106, 80, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_RIGHT, Plain()},
    {"Range", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {110, 58, 30, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"RangeT", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Range:", {20, 58, 80, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_RIGHT, Plain()},
    {"Reload2", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {160, 74, 30, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Damage2", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {160, 90, 30, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Slow2", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {160, 106, 30, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Range2", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Unset", {160, 58, 30, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Level", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Level X", {0, 32, 210, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Upgrade", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Upgrade", {10, 162, 115, 25},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Sell", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Sell", {135, 162, 65, 25},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Arrow1", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "->", {140, 58, 20, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT, Plain()},
    {"Arrow2", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "->", {140, 74, 20, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT, Plain()},
    {"Arrow3", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "->", {140, 90, 20, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT, Plain()},
    {"Arrow4", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "->", {140, 106, 20, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT, Plain()},
    {"FullUpgrade", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Full Upgrade", {10, 192, 190, 25},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"TargetT", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Target:", {3, 133, 40, 20},
     "Main", {1, 1, 1, 0.7f}, {0.75f, 0.9f}, MWIN_ALIGN_RIGHT, Plain()},
    {"Target", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "", {40, 133, 165, 20},
     "Main", {1, 1, 1, 0.7f}, {0.75f, 0.9f}, MWIN_ALIGN_CENTRE, Plain()},
};

const Expected kScores[] = {
    {"Title", MWIN_BUTTON_STATIC, "Back2", "", {128, 0, 384, 84},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Heading", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "HIGH SCORES", {170, 85, 300, 20},
     "Main", {1, 1, 1, 0.8f}, {1.6f, 1.74f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Level0", MWIN_BUTTON_PUSH, "Main", "", {10, 80, 70, 70},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Level1", MWIN_BUTTON_PUSH, "Main", "", {90, 80, 70, 70},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Level2", MWIN_BUTTON_PUSH, "Main", "", {480, 80, 70, 70},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Level3", MWIN_BUTTON_PUSH, "Main", "", {560, 80, 70, 70},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Which", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "", {170, 120, 105, 25},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Range", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "", {280, 120, 190, 25},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Scores", MWIN_BUTTON_TAB_PANEL, "MWIN_TEXBUT_NONE", nullptr, {10, 155, 620, 280},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Update", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Update", {10, 440, 70, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Submit", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Submit", {90, 440, 70, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"FindMe", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Me", {170, 440, 40, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Reset", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Reset", {220, 440, 45, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Back", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Back", {565, 440, 65, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"DbgDelete", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Delete", {15, 5, 40, 15},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain().Colour(1, 1, 1, 0.299f)},
    {"Info", MWIN_BUTTON_PUSH, "Back3", "Info", {275, 440, 281.6f, 30},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
};

const Expected kSelect[] = {
    {"Title", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "", {128, 0, 384, 84},
     "MWIN_FONT_DEFAULT", {0, 0, 0, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"SelectT", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Select a Garden to Defend", {120, 80, 400, 40},
     "Main", {1, 1, 1, 0.8f}, {1.5f, 1.5f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Bg0", MWIN_BUTTON_STATIC, "Back3", "", {158, 137, 154, 146},
     "Main", {1, 1, 1, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Bg1", MWIN_BUTTON_STATIC, "Back3", "", {328, 137, 154, 146},
     "Main", {1, 1, 1, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Bg2", MWIN_BUTTON_STATIC, "Back3", "", {158, 297, 154, 146},
     "Main", {1, 1, 1, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Bg3", MWIN_BUTTON_STATIC, "Back3", "", {328, 297, 154, 146},
     "Main", {1, 1, 1, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Level0", MWIN_BUTTON_STATIC, "Back2", "", {160, 140, 150, 140},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Level1", MWIN_BUTTON_STATIC, "Back2", "", {330, 140, 150, 140},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Level2", MWIN_BUTTON_STATIC, "Back2", "", {160, 300, 150, 140},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Level3", MWIN_BUTTON_STATIC, "Back2", "", {330, 300, 150, 140},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Diff0", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Normal", {163, 256, 67, 22},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Diff1", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Normal", {333, 256, 67, 22},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Diff2", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Normal", {163, 416, 67, 22},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Diff3", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Normal", {333, 416, 67, 22},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Back", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Back", {550, 440, 80, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
};

const Expected kSounds[] = {
    {"Title", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "", {128, 0, 384, 84},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"SoundsOnText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Sounds:", {40, 95, 170, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"SoundsOn", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "On", {220, 95, 300, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"SoundsVolText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Volume:", {40, 130, 170, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"SoundsVol", MWIN_BUTTON_HORZ_SCROLLBAR, "MWIN_TEXBUT_DEFAULT", "", {220, 130, 300, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"MainMusicOnText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Main Music:", {40, 175, 170, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"MainMusicOn", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "On", {220, 175, 300, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"MainMusicOnText2", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Play Main Music:", {40, 210, 170, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"MainMusicOnWhen", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "On", {220, 210, 300, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"MainMusicVolText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Volume:", {40, 245, 170, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"MainMusicVol", MWIN_BUTTON_HORZ_SCROLLBAR, "MWIN_TEXBUT_DEFAULT", "", {220, 245, 300, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"WinMusicOnText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Game Won Music:", {40, 290, 170, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"WinMusicOn", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "On", {220, 290, 300, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"WinMusicVolText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Volume:", {40, 325, 170, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"WinMusicVol", MWIN_BUTTON_HORZ_SCROLLBAR, "MWIN_TEXBUT_DEFAULT", "", {220, 325, 300, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"GoMusicVolText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Volume:", {40, 405, 170, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"GoMusicVol", MWIN_BUTTON_HORZ_SCROLLBAR, "MWIN_TEXBUT_DEFAULT", "", {220, 405, 300, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"GoMusicOnText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Game Over Music:", {40, 370, 170, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
    {"GoMusicOn", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", "On", {220, 370, 300, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Back", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Back", {550, 440, 80, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
};

const Expected kDebug[] = {
    {"StartupAction", MWIN_BUTTON_LIST, "MWIN_TEXBUT_DEFAULT", "Row 1", {10, 10, 300, 20},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_LEFT, Plain().Colour(1, 1, 1, 0.8f)},
};

const Expected kKeyInput[] = {
    {"Bg", MWIN_BUTTON_PUSH, "Back1", "", {0, 0, 640, 480},
     "Main", {1, 1, 1, 1}, {2.5f, 1.5f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Title", MWIN_BUTTON_PUSH, "Back1", "Title", {40, 10, 560, 40},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Message", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Optional Message", {40, 50, 560, 40},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Text", MWIN_BUTTON_PUSH, "Back1", "Text", {40, 90, 560, 40},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"KeysBack", MWIN_BUTTON_PUSH, "Back1", "", {40, 140, 560, 280},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Done", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Done", {220, 430, 200, 40},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Shift", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Shift", {50, 430, 100, 40},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Del", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Delete", {490, 430, 100, 40},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
};

const Expected kCountry[] = {
    {"Title", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "SELECT YOUR COUNTRY", {189, 18, 262, 18},
     "Main", {1, 1, 1, 0.75f}, {1.3f, 1.42f}, MWIN_ALIGN_CENTRE, Token("Country_Title")},
    {"Continue", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Continue", {250, 425, 140, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Common_ButtonContinue")},
    {"Country", MWIN_BUTTON_PANEL, "MWIN_TEXBUT_DEFAULT", " unset", {169.5f, 50, 301, 323},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Note", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "Your country is displayed in network games.", {40, 380, 560, 33},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Country_Note")},
};

const Expected kUsers[] = {
    {"Continue", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Continue", {215, 430, 210, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Common_ButtonContinue")},
    {"New", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Setup Player", {15, 430, 120, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Users_New")},
    {"Manage", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Load Player", {15, 385, 120, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Users_Load")},
    {"Device", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Device", {505, 385, 120, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Users_Device").HiddenAtStart()},
    {"Exit", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Exit Game", {505, 430, 120, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Users_Exit")},
    {"TitlePic", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "", {170, 10, 300, 90},
     "Main", {0, 0, 0, 0.7f}, {0.7f, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"LoadProgress", MWIN_BUTTON_PUSH, "Back3", "Loading: 0%", {375, 445, 75, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Common_Loading").HiddenAtStart()},
    {"AlwaysLoad", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_NONE", "Always Load This Player:", {215, 410, 210, 15},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Token("Users_AlwaysLoad").Colour(1, 1, 1, 0.354f)},
    {"LangFlag", MWIN_BUTTON_PUSH, "Main", "", {595, 5, 40, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Plain().HiddenAtStart()},
};

const Expected kUserNew[] = {
    {"Name", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "", {210, 200, 220, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Back", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Back", {535, 430, 90, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Common_ButtonGoBack")},
    {"NameText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "User Name", {90, 200, 113, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Token("UserNew_NameText")},
    {"Country", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "", {210, 275, 220, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"CountryText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Country", {90, 275, 113, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Token("UserNew_CountryText")},
    {"Continue", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Continue", {245, 430, 150, 35},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("UserNew_Continue")},
    {"SolTextPic", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "", {170, 10, 300, 90},
     "Main", {0, 0, 0, 0.7f}, {0.7f, 1}, MWIN_ALIGN_CENTRE, Plain()},
};

const Expected kUserLoad[] = {
    {"Panel", MWIN_BUTTON_PANEL, "MWIN_TEXBUT_DEFAULT", "", {200, 145, 240, 230},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Load", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Load User", {455, 145, 100, 35},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Token("UserLoad_Load")},
    {"Back", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Back", {535, 430, 90, 35},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Token("Common_ButtonGoBack")},
    {"SolTextPic", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "", {170, 10, 300, 90},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"LoadProgress", MWIN_BUTTON_PUSH, "Back1", "Loading: 0%", {200, 430, 240, 35},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Settings", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Settings", {30, 340, 100, 35},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Delete", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Delete User", {100, 145, 85, 30},
     "Main", {1, 1, 1, 0.7f}, {0.9f, 0.95f}, MWIN_ALIGN_CENTRE, Token("UserLoad_Delete")},
};

const Expected kUserSelect[] = {
    {"New", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Setup Player", {489.34f, 324.74f, 140.66f, 45.54f},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"TitlePic", MWIN_BUTTON_STATIC, "MWIN_TEXBUT_NONE", "", {120, 5, 400, 90},
     "Main", {0, 0, 0, 0.8f}, {1.0f, 1.3f}, MWIN_ALIGN_CENTRE, Plain()},
    {"SelText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Select Player", {10.29f, 302.06f, 139.25f, 18.08f},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Panel", MWIN_BUTTON_PANEL, "MWIN_TEXBUT_DEFAULT", "", {10.29f, 324.74f, 139.25f, 139.47f},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Delete", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Delete Player", {489.34f, 375.04f, 140.66f, 25.48f},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Token("UserLoad_Delete")},
    {"Exit", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Exit", {489.34f, 438.73f, 140.66f, 25.48f},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"LangFlag", MWIN_BUTTON_PUSH, "Main", "", {590, 5, 45, 35},
     "Main", {1, 1, 1, 0.7f}, {1.0f, 1.1f}, MWIN_ALIGN_RIGHT, Plain()},
};

const Expected kSystem[] = {
    {"Bg", MWIN_BUTTON_PUSH, "Back1", "", {145, 130, 350, 220},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"ModeText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Card Alignment", {150, 148, 135, 24},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Token("Startup_DisplayMode")},
    {"Mode", MWIN_BUTTON_CHOICE, "MWIN_TEXBUT_DEFAULT", " ", {290, 148, 198.57f, 24},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Res", MWIN_BUTTON_LIST, "MWIN_TEXBUT_DEFAULT", "Row 1", {290, 184.33f, 198.57f, 24},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"FreqText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Frequency", {150, 220.67f, 135, 24},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Token("Startup_Frequency")},
    {"Freq", MWIN_BUTTON_LIST, "MWIN_TEXBUT_DEFAULT", "Row 1", {290, 220.67f, 85.07f, 24},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"AaText", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Card Spacing", {150, 257, 135, 24},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_RIGHT, Token("Startup_Antialiasing")},
    {"Aa", MWIN_BUTTON_LIST, "MWIN_TEXBUT_DEFAULT", "Row 1", {290, 257, 160, 24},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"AaInfo", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "?", {455, 257, 29.46f, 24},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Change", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Change", {268.9f, 310.27f, 102.19f, 23.6f},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("System_Change")},
};

const Expected kGameAds[] = {
    {"Title", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "GAME TITLE", {150, 0, 341, 35},
     "Main", {1, 1, 1, 0.8f}, {1.6f, 1.74f}, MWIN_ALIGN_CENTRE, Plain()},
    {"Pic1Bg", MWIN_BUTTON_PUSH, "Back1", "", {52, 125, 258, 265},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Pic1", MWIN_BUTTON_PUSH, "Back3", "", {52, 125, 257, 262},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Pic2Bg", MWIN_BUTTON_PUSH, "Back1", "", {329, 125, 258, 265},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Pic2", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "", {329, 125, 257, 262},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"PicCen", MWIN_BUTTON_PUSH, "Back1", "", {125, 100, 390, 290},
     "Main", {0, 0, 0, 0.7f}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Desc1", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Line 1 of the game description text.", {25, 40, 590, 16},
     "Main", {0.7f, 0.7f, 0.7f, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Desc2", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Line 2 of the game description text.", {25, 60, 590, 16},
     "Main", {0.7f, 0.7f, 0.7f, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Desc3", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Line 3 of the game description text.", {25, 80, 590, 16},
     "Main", {0.7f, 0.7f, 0.7f, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Desc4", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", "Line 4 of the game description text.", {25, 100, 590, 16},
     "Main", {0.7f, 0.7f, 0.7f, 1}, {1, 1}, MWIN_ALIGN_CENTRE, Plain()},
    {"Download", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Instant Download", {77.88f, 400, 130, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("GameAds_Download")},
    {"TellAFriend", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Tell A Friend", {219.76f, 400, 130, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("GameAds_TellAFriend")},
    {"Prev", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Prev", {361.38f, 400, 95, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Common_Previous")},
    {"Next", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Next", {467.12f, 400, 95, 30},
     "Main", {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE, Token("Common_Next")},
};

const DeviceArea kMainAreas[] = {
    {"Title", 1, {128, 0, 384, 84}}, {"Title", 2, {0, 0, 640, 120}}, {"Title", 3, {128, 0, 384, 84}},
    {"Title", 4, {128, 0, 384, 84}}, {"Version", 1, {555, 0, 80, 20}}, {"Version", 2, {530, 450, 105, 25}},
    {"Version", 3, {555, 0, 80, 20}}, {"Version", 4, {555, 0, 80, 20}}, {"Welcome", 1, {120, 100, 400, 35}},
    {"Welcome", 2, {57.5f, 120, 525, 30}}, {"Welcome", 3, {120, 100, 400, 35}}, {"Welcome", 4, {120, 100, 400, 35}},
    {"Play", 1, {235, 205, 170, 40}}, {"Play", 2, {50, 180, 250, 60}}, {"Play", 3, {235, 205, 170, 40}},
    {"Play", 4, {235, 200, 170, 40}}, {"Help", 1, {330, 280, 150, 30}}, {"Help", 2, {50, 250, 250, 60}},
    {"Help", 3, {330, 280, 150, 30}}, {"Help", 4, {330, 275, 150, 35}}, {"Scores", 1, {160, 280, 150, 30}},
    {"Scores", 2, {50, 320, 250, 60}}, {"Scores", 3, {160, 280, 150, 30}}, {"Scores", 4, {160, 275, 150, 35}},
    {"Sound", 1, {330, 320, 150, 30}}, {"Sound", 2, {340, 180, 250, 60}}, {"Sound", 3, {330, 320, 150, 30}},
    {"Sound", 4, {330, 320, 150, 35}}, {"Options", 1, {160, 320, 150, 30}}, {"Options", 2, {340, 250, 250, 60}},
    {"Options", 3, {160, 320, 150, 30}}, {"Options", 4, {160, 320, 150, 35}}, {"About", 1, {330, 360, 150, 30}},
    {"About", 2, {340, 320, 250, 60}}, {"About", 3, {330, 360, 150, 30}}, {"About", 4, {330, 365, 150, 35}},
    {"User", 1, {160, 360, 150, 30}}, {"User", 2, {50, 390, 250, 60}}, {"User", 3, {160, 360, 150, 30}},
    {"User", 4, {160, 365, 150, 35}}, {"OtherGames", 1, {245, 405, 150, 30}}, {"OtherGames", 2, {340, 390, 250, 60}},
    {"OtherGames", 3, {245, 400, 150, 30}}, {"OtherGames", 4, {245, 410, 150, 35}}, {"Exit", 1, {265, 425, 150, 30}},
    {"Exit", 2, {265, 425, 150, 30}}, {"Exit", 3, {265, 425, 150, 30}}, {"Exit", 4, {435, 440, 150, 30}},
    {"Debug", 1, {10, 445, 130, 30}}, {"Debug", 2, {5, 430, 80, 40}}, {"Debug", 3, {5, 450, 95, 25}},
    {"Debug", 4, {5, 445, 80, 30}}, {"Review", 1, {165, 150, 310, 30}}, {"Review", 2, {160, 115, 305, 50}},
    {"Review", 3, {192.5f, 145, 255, 30}}, {"Review", 4, {200, 146, 240, 35}},
};
const DeviceArea kAboutAreas[] = {
    {"HomePage", 2, {10, 420, 110, 50}}, {"HomePage", 4, {10, 435, 100, 35}}, {"Forums", 2, {175, 420, 110, 50}},
    {"Forums", 4, {180, 435, 100, 35}}, {"Logs", 2, {355, 420, 110, 50}}, {"Logs", 4, {360, 435, 100, 35}},
    {"Back", 2, {520, 420, 110, 50}}, {"Back", 4, {530, 435, 100, 35}},
};
const DeviceArea kHelpAreas[] = {
    {"Title", 1, {128, 0, 384, 84}}, {"Title", 2, {128, 0, 384, 84}}, {"Title", 3, {128, 0, 384, 84}},
    {"Title", 4, {128, 0, 384, 84}}, {"Prev", 1, {10, 430, 130, 45}}, {"Prev", 2, {225, 420, 80, 50}},
    {"Prev", 3, {230, 440, 80, 30}}, {"Prev", 4, {230, 440, 80, 35}}, {"Next", 1, {155, 430, 130, 45}},
    {"Next", 2, {330, 420, 80, 50}}, {"Next", 3, {330, 440, 80, 30}}, {"Next", 4, {330, 440, 80, 35}},
    {"Keys", 1, {10, 430, 80, 45}}, {"Keys", 2, {10, 420, 80, 50}}, {"Keys", 3, {10, 440, 80, 30}},
    {"Keys", 4, {10, 440, 80, 35}}, {"Back", 1, {500, 430, 130, 45}}, {"Back", 2, {550, 420, 80, 50}},
    {"Back", 3, {550, 440, 80, 30}}, {"Back", 4, {550, 440, 80, 35}}, {"Info", 1, {10, 5, 620, 420}},
    {"Info", 2, {0, 0, 640, 415}}, {"Info", 3, {10, 100, 620, 330}}, {"Info", 4, {25, 85, 590, 340}},
};
const DeviceArea kOptionsAreas[] = {
    {"ShowResT", 1, {10, 185, 240, 30}}, {"ShowResT", 2, {10, 90, 325, 50}}, {"ShowResT", 3, {10, 185, 240, 30}},
    {"ShowResT", 4, {10, 145, 240, 30}}, {"ShowRes", 1, {255, 185, 285, 30}}, {"ShowRes", 2, {340, 90, 230, 50}},
    {"ShowRes", 3, {255, 185, 285, 30}}, {"ShowRes", 4, {255, 145, 285, 30}}, {"ShowResInfo", 1, {555, 185, 30, 30}},
    {"ShowResInfo", 2, {585, 90, 45, 50}}, {"ShowResInfo", 3, {555, 185, 30, 30}},
    {"ShowResInfo", 4, {555, 145, 30, 30}}, {"OneUser", 1, {335, 210, 235, 45}}, {"OneUser", 2, {340, 200, 230, 50}},
    {"OneUser", 3, {255, 230, 285, 30}}, {"OneUser", 4, {260, 230, 280, 35}}, {"OneUserT", 1, {10, 210, 325, 45}},
    {"OneUserT", 2, {10, 200, 320, 50}}, {"OneUserT", 3, {10, 230, 240, 30}}, {"OneUserT", 4, {10, 230, 240, 35}},
    {"OneUserInfo", 1, {585, 210, 45, 45}}, {"OneUserInfo", 2, {585, 200, 45, 50}},
    {"OneUserInfo", 3, {555, 230, 30, 30}}, {"OneUserInfo", 4, {555, 230, 30, 35}}, {"PowerT", 1, {10, 320, 325, 45}},
    {"PowerT", 2, {10, 320, 320, 50}}, {"PowerT", 3, {10, 320, 240, 30}}, {"PowerT", 4, {10, 320, 240, 35}},
    {"Power", 1, {335, 320, 235, 45}}, {"Power", 2, {340, 320, 230, 50}}, {"Power", 3, {255, 320, 285, 30}},
    {"Power", 4, {260, 320, 280, 35}}, {"DateFormatText", 1, {10, 265, 325, 45}},
    {"DateFormatText", 2, {10, 260, 320, 50}}, {"DateFormatText", 3, {10, 275, 240, 30}},
    {"DateFormatText", 4, {10, 275, 240, 35}}, {"DateFormat", 1, {335, 265, 235, 45}},
    {"DateFormat", 2, {340, 260, 230, 50}}, {"DateFormat", 3, {255, 275, 285, 30}},
    {"DateFormat", 4, {260, 275, 280, 35}}, {"PowerInfo", 1, {585, 320, 45, 45}}, {"PowerInfo", 2, {585, 320, 45, 50}},
    {"PowerInfo", 3, {555, 320, 30, 30}}, {"PowerInfo", 4, {555, 320, 30, 35}},
    {"DateFormatInfo", 1, {585, 265, 45, 45}}, {"DateFormatInfo", 2, {585, 260, 45, 50}},
    {"DateFormatInfo", 3, {555, 275, 30, 30}}, {"DateFormatInfo", 4, {555, 275, 30, 35}},
    {"Back", 1, {505, 425, 120, 45}}, {"Back", 2, {535, 420, 95, 50}}, {"Back", 3, {515, 440, 110, 30}},
    {"Back", 4, {550, 435, 80, 35}},
};
const DeviceArea kPauseAreas[] = {
    {"Resume", 1, {150, 125, 340, 40}}, {"Resume", 2, {210, 115, 220, 50}}, {"Resume", 3, {220, 150, 200, 30}},
    {"Resume", 4, {220, 160, 200, 40}}, {"Scores", 1, {150, 180, 340, 40}}, {"Scores", 2, {210, 176, 220, 50}},
    {"Scores", 3, {220, 200, 200, 30}}, {"Scores", 4, {220, 210, 200, 40}}, {"Help", 1, {150, 235, 340, 40}},
    {"Help", 2, {210, 237, 220, 50}}, {"Help", 3, {220, 245, 200, 30}}, {"Help", 4, {220, 260, 200, 40}},
    {"Sounds", 1, {150, 295, 340, 40}}, {"Sounds", 2, {210, 298, 220, 50}}, {"Sounds", 3, {220, 295, 200, 30}},
    {"Sounds", 4, {220, 310, 200, 40}}, {"Options", 1, {150, 350, 340, 40}}, {"Options", 2, {210, 359, 220, 50}},
    {"Options", 3, {220, 340, 200, 30}}, {"Options", 4, {220, 360, 200, 40}}, {"Quit", 1, {150, 410, 340, 40}},
    {"Quit", 2, {210, 420, 220, 50}}, {"Quit", 3, {220, 390, 200, 30}}, {"Quit", 4, {220, 410, 200, 40}},
    {"Save", 1, {0, 320, 95, 40}}, {"Save", 2, {60, 400, 90, 40}}, {"Save", 3, {30, 380, 95, 30}},
    {"Save", 4, {100, 395, 55, 40}},
};
const DeviceArea kScoresAreas[] = {
    {"Scores", 3, {10, 155, 620, 275}}, {"Title", 2, {40, 180, 52, 84}}, {"Heading", 2, {170, 10, 300, 30}},
    {"Level0", 2, {10, 20, 70, 75}}, {"Level1", 2, {85, 20, 70, 75}}, {"Level2", 2, {485, 20, 70, 75}},
    {"Level3", 2, {560, 20, 70, 75}}, {"Which", 2, {160, 45, 110, 50}}, {"Range", 2, {275, 45, 205, 50}},
    {"Scores", 2, {10, 100, 620, 310}}, {"Update", 2, {10, 420, 90, 50}}, {"Submit", 2, {110, 420, 90, 50}},
    {"FindMe", 2, {210, 420, 55, 50}}, {"Reset", 2, {275, 420, 60, 50}}, {"Back", 2, {555, 420, 75, 50}},
    {"DbgDelete", 2, {425, 5, 55, 45}}, {"Info", 2, {345, 420, 200, 50}},
};
const DeviceArea kPopupSidebarAreas[] = {
    {"Title", 2, {0, 6, 160, 25}}, {"Cost", 2, {130, 45, 50, 20}}, {"CostT", 2, {5, 45, 120, 20}},
    {"Reload", 2, {130, 95, 50, 20}}, {"DamageT", 2, {5, 120, 120, 20}}, {"Damage", 2, {130, 120, 50, 20}},
    {"ReloadT", 2, {5, 95, 120, 20}}, {"Slow", 2, {130, 145, 50, 20}}, {"SlowT", 2, {5, 145, 120, 20}},
    {"Range", 2, {130, 70, 50, 20}}, {"RangeT", 2, {5, 70, 120, 20}},
};
const DeviceArea kPopupWeaponAreas[] = {
    {"Title", 2, {0, 6, 235, 25}}, {"Level", 2, {0, 35, 235, 25}}, {"Reload", 2, {130, 95, 40, 20}},
    {"Upgrade", 2, {10, 235, 125, 40}}, {"DamageT", 2, {5, 120, 120, 20}}, {"Sell", 2, {150, 235, 75, 40}},
    {"Damage", 2, {130, 120, 40, 20}}, {"Arrow1", 2, {165, 70, 25, 20}}, {"ReloadT", 2, {5, 95, 120, 20}},
    {"Arrow2", 2, {165, 95, 25, 20}}, {"Slow", 2, {130, 150, 40, 20}}, {"Arrow3", 2, {165, 120, 25, 20}},
    {"SlowT", 2, {5, 150, 120, 20}}, {"Arrow4", 2, {165, 150, 25, 20}}, {"Range", 2, {130, 70, 40, 20}},
    {"FullUpgrade", 2, {10, 280, 216, 40}}, {"RangeT", 2, {5, 70, 120, 20}}, {"TargetT", 2, {3, 185, 60, 40}},
    {"Reload2", 2, {190, 95, 40, 20}}, {"Target", 2, {65, 185, 160, 40}}, {"Damage2", 2, {190, 120, 40, 20}},
    {"Slow2", 2, {190, 150, 40, 20}}, {"Range2", 2, {190, 70, 40, 20}},
};
const DeviceArea kLogAreas[] = {
    {"CopySel", 1, {5, 380, 245, 45}}, {"Log", 1, {10, 5, 620, 365}}, {"CopyAll", 1, {260, 380, 160, 45}},
    {"Help", 1, {430, 380, 75, 45}}, {"Clear", 1, {520, 380, 115, 45}}, {"CopySel", 2, {15, 370, 195, 45}},
    {"Log", 2, {10, 5, 620, 355}}, {"CopyAll", 2, {220, 370, 160, 45}}, {"Help", 2, {390, 370, 55, 45}},
    {"Clear", 2, {520, 370, 105, 45}}, {"CopySel", 3, {10, 415, 220, 25}}, {"Log", 3, {10, 5, 620, 400}},
    {"CopyAll", 3, {240, 415, 165, 25}}, {"Help", 3, {415, 415, 45, 25}}, {"Clear", 3, {520, 415, 110, 25}},
    {"CopySel", 4, {15, 400, 190, 35}}, {"Log", 4, {10, 5, 620, 390}}, {"CopyAll", 4, {220, 400, 135, 35}},
    {"Help", 4, {370, 400, 45, 35}}, {"Clear", 4, {540, 400, 85, 35}},
};
const _Dimension kLogWindowAreas[] = {
    {0, 50, 640, 430}, {0, 55, 640, 425}, {0, 35, 640, 450}, {0, 40, 640, 445},
};
// clang-format on

// Values the layouts keep on purpose, each with its reason.
struct Mend {
  const char *collection;
  const char *window;
  const char *id;
  EngUInt8 layouts;
  char has_area;
  _Dimension area;
  char has_scale;
  _Vector2d text_scale;
  const char *why;
};
const Mend kMends[] = {
    {"Popup",
     "Weapon",
     "TargetT",
     ScreenLayouts(0, 1, 3, 4),
     1,
     {2, 133, 34, 20},
     1,
     {0.64f, 0.9f},
     "at 0.75 wide \"Target:\" is wider than its 40-unit box, which also overlaps the choice by 3 units: "
     "the caption was clipped under the choice"},
    {"Popup",
     "Weapon",
     "Target",
     ScreenLayouts(0, 1, 3, 4),
     1,
     {37, 133, 171, 20},
     1,
     {0.64f, 0.9f},
     "at 0.75 wide the longer targets (\"Strong\") are wider than their fifth of a 165-unit choice and "
     "were clipped; the choice starts where the narrower caption ends"},
    {"Popup",
     "Weapon",
     "TargetT",
     ScreenLayouts(2),
     0,
     {0, 0, 0, 0},
     1,
     {0.64f, 0.9f},
     "one text scale for the caption in every layout"},
    {"Popup",
     "Weapon",
     "Target",
     ScreenLayouts(2),
     0,
     {0, 0, 0, 0},
     1,
     {0.64f, 0.9f},
     "one text scale for the choice in every layout"},
};

// The expected row with the mends that hold for it applied; why names them.
Expected Mended(Expected e, const char *collection, const char *window, int layout, std::string *why) {
  for (const Mend &m : kMends) {
    if (strcmp(m.collection, collection) != 0 || strcmp(m.window, window) != 0 || strcmp(m.id, e.id) != 0 ||
        !(m.layouts & (1 << layout)))
      continue;
    if (m.has_area) e.area = m.area;
    if (m.has_scale) e.text_scale = m.text_scale;
    *why += std::string(" (mended: ") + m.why + ")";
  }
  return e;
}

std::string TokenOf(const ScreenLayoutWidget &row, const char *collection) {
  if (row.settings.token_rule == 2 && row.settings.token) return row.settings.token;
  if (row.settings.token_rule == 1 && row.text && row.text[0]) return std::string(collection) + "_" + row.id;
  return "";
}

void ExpectColour(const _ColourRGBA &got, const _ColourRGBA &want, const char *what) {
  EXPECT_FLOAT_EQ(got.r, want.r) << what;
  EXPECT_FLOAT_EQ(got.g, want.g) << what;
  EXPECT_FLOAT_EQ(got.b, want.b) << what;
  EXPECT_FLOAT_EQ(got.a, want.a) << what;
}

const ScreenLayoutWidget *Row(const ScreenLayoutWindow &window, const char *id, int layout, int *n = nullptr) {
  for (int i = 0; i < window.num_widgets; i++) {
    const ScreenLayoutWidget *row = ScreenLayoutGetWidget(window, i, _EngLayout(layout));
    if (row && strcmp(row->id, id) == 0) {
      if (n) *n = i;
      return row;
    }
  }
  return nullptr;
}

// The whole row as one device layout builds it.
void ExpectRow(const ScreenLayout &layout, int w, int device, const Expected &expected) {
  const ScreenLayoutWindow &window = layout.windows[w];
  std::string why;
  const Expected e = Mended(expected, layout.collection, window.id, device, &why);
  SCOPED_TRACE(std::string(layout.collection) + "/" + window.id + " " + e.id + " layout " + std::to_string(device) +
               why);
  int n = -1;
  const ScreenLayoutWidget *row = Row(window, e.id, device, &n);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->kind, e.kind);
  EXPECT_STREQ(row->texbut, e.texbut);
  if (e.text) {
    EXPECT_STREQ(row->text, e.text);
  }
  if (e.area.width >= 0) qwtest::ExpectArea(&window.widget_areas[n][device], e.area);
  EXPECT_STREQ(row->font, e.font);
  if (e.text_colour.a >= 0) ExpectColour(row->text_colour, e.text_colour, "text colour");
  if (e.text_scale.x >= 0) {
    EXPECT_FLOAT_EQ(row->text_scale.x, e.text_scale.x);
    EXPECT_FLOAT_EQ(row->text_scale.y, e.text_scale.y);
  }
  EXPECT_EQ(row->align, e.align);
  EXPECT_EQ(row->settings.has_colour, e.further.has_colour);
  if (e.further.has_colour && row->settings.has_colour) ExpectColour(row->settings.colour, e.further.colour, "colour");
  if (e.further.hidden >= 0) {
    EXPECT_EQ(row->settings.hidden, e.further.hidden);
  }
  if (e.further.token) {
    EXPECT_EQ(TokenOf(*row, layout.collection), e.further.token);
  }
}

struct Window {
  const char *id;
  _Dimension area;
  _ColourRGBA title_colour;
  _Vector2d title_scale;
  _MWinTextAlign title_align;
};
constexpr _Dimension kWhole = {0, 0, 640, 480};
constexpr Window kPlainWindow(const char *id) { return {id, kWhole, {1, 1, 1, 1}, {1, 1}, MWIN_ALIGN_LEFT}; }

struct Screen {
  const ScreenLayout &layout;
  int window;
  Window expected;
  int device;  // the layout the rows are given for
  const Expected *rows;
  int num_rows;
};
#define ROWS(a) a, int(sizeof(a) / sizeof(a[0]))

const Screen &ScreenOf(const char *collection, int window = 0);

const Screen kScreens[] = {
    {LogCollectionController::GetLayout(),
     0,
     {"MainWin", {0, 30, 640, 450}, {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE},
     0,
     ROWS(kLog)},
    {MainCollectionController::GetLayout(), 0, kPlainWindow("Main"), 0, ROWS(kMain)},
    {AboutCollectionController::GetLayout(), 0, kPlainWindow("About"), 0, ROWS(kAbout)},
    {HelpCollectionController::GetLayout(), 0, kPlainWindow("Help"), 0, ROWS(kHelp)},
    {NoticeCollectionController::GetLayout(), 0, kPlainWindow("Notice"), 0, ROWS(kNotice)},
    {OptionsCollectionController::GetLayout(), 0, kPlainWindow("Options"), 0, ROWS(kOptions)},
    {PauseCollectionController::GetLayout(), 0, kPlainWindow("MainWin"), 0, ROWS(kPause)},
    {PopupCollectionController::GetLayout(),
     0,
     {"Sidebar", {50, 30, 140, 160}, {1, 1, 1, 1}, {1, 1}, MWIN_ALIGN_LEFT},
     0,
     ROWS(kPopupSidebar)},
    {PopupCollectionController::GetLayout(),
     1,
     {"Weapon", {290, 30, 210, 224}, {1, 1, 1, 1}, {1, 1}, MWIN_ALIGN_LEFT},
     0,
     ROWS(kPopupWeapon)},
    {ScoresCollectionController::GetLayout(), 0, kPlainWindow("Main"), 0, ROWS(kScores)},
    {SelectCollectionController::GetLayout(), 0, kPlainWindow("Main"), 0, ROWS(kSelect)},
    {SoundsCollectionController::GetLayout(), 0, kPlainWindow("Sounds"), 0, ROWS(kSounds)},
    {DebugCollectionController::GetLayout(),
     0,
     {"MainWin", {160, 100, 320, 280}, {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE},
     0,
     ROWS(kDebug)},
    {KeyInputCollectionController::GetLayout(), 0, kPlainWindow("MainWin"), 1, ROWS(kKeyInput)},
    {CountryCollectionController::GetLayout(), 0, kPlainWindow("MainWin"), 0, ROWS(kCountry)},
    {UsersCollectionController::GetLayout(), 0, kPlainWindow("MainWin"), 0, ROWS(kUsers)},
    {UserNewCollectionController::GetLayout(), 0, kPlainWindow("MainWin"), 0, ROWS(kUserNew)},
    {UserLoadCollectionController::GetLayout(), 0, kPlainWindow("MainWin"), 0, ROWS(kUserLoad)},
    {UserSelectCollectionController::GetLayout(), 0, kPlainWindow("MainWin"), 0, ROWS(kUserSelect)},
    {SystemCollectionController::GetLayout(), 0, kPlainWindow("MainWin"), 0, ROWS(kSystem)},
    {GameAdsCollectionController::GetLayout(),
     0,
     {"MainWin", {0, 30, 640, 450}, {1, 1, 1, 0.7f}, {1, 1.1f}, MWIN_ALIGN_CENTRE},
     0,
     ROWS(kGameAds)},
};

const Screen &ScreenOf(const char *collection, int window) {
  for (const Screen &s : kScreens)
    if (strcmp(s.layout.collection, collection) == 0 && s.window == window) return s;
  ADD_FAILURE() << collection;
  return kScreens[0];
}

const Expected &RowOf(const Screen &s, const char *id) {
  for (int i = 0; i < s.num_rows; i++)
    if (strcmp(s.rows[i].id, id) == 0) return s.rows[i];
  ADD_FAILURE() << id;
  return s.rows[0];
}

TEST(LayoutTablesTest, EveryWidgetOfTheDesignedLayoutInBuilderOrderWithItsWholeLook) {
  for (const Screen &s : kScreens) {
    const ScreenLayoutWindow &window = s.layout.windows[s.window];
    SCOPED_TRACE(std::string(s.layout.collection) + "/" + window.id);
    EXPECT_STREQ(window.id, s.expected.id);
    // A row of no kind is a widget this layout does not make.
    std::vector<const char *> built;
    for (int i = 0; i < window.num_widgets; i++) {
      const ScreenLayoutWidget *row = ScreenLayoutGetWidget(window, i, _EngLayout(s.device));
      if (row->kind != MWIN_BUTTON_INVALID) built.push_back(row->id);
    }
    ASSERT_EQ(int(built.size()), s.num_rows);
    for (int i = 0; i < s.num_rows; i++) {
      EXPECT_STREQ(built[i], s.rows[i].id) << i;
      ExpectRow(s.layout, s.window, s.device, s.rows[i]);
    }
    qwtest::ExpectArea(&window.area[s.device], s.expected.area);
    ExpectColour(window.title_colour, s.expected.title_colour, "title colour");
    EXPECT_FLOAT_EQ(window.title_scale.x, s.expected.title_scale.x);
    EXPECT_FLOAT_EQ(window.title_scale.y, s.expected.title_scale.y);
    EXPECT_EQ(window.title_align, s.expected.title_align);
  }
}

// A change the phone and tablet layouts make to a desktop row.
struct Change {
  const char *collection;
  int window;
  const char *id;
  EngUInt8 layouts;
  enum What { kHide, kTexbut, kText, kColour, kScale, kNoToken, kToken, kFreeArea, kFreeLook } what;
  const char *text;
  float v[4];
};

// Each screen's phone and tablet rows: the desktop row, in the rectangle the tables give (the
// desktop's where they give none), with the screen's changes.
Expected MobileRow(const Screen &s, const char *id, int layout, const DeviceArea *areas, int num_areas,
                   const Change *changes, int num_changes) {
  Expected e = RowOf(s, id);
  for (int i = 0; i < num_areas; i++)
    if (areas[i].layout == layout && strcmp(areas[i].id, id) == 0) e.area = areas[i].area;
  for (int i = 0; i < num_changes; i++) {
    const Change &c = changes[i];
    if (strcmp(c.collection, s.layout.collection) != 0 || c.window != s.window || strcmp(c.id, id) != 0 ||
        !(c.layouts & (1 << layout)))
      continue;
    switch (c.what) {
      case Change::kHide: e.further = e.further.Hidden(); break;
      case Change::kTexbut: e.texbut = c.text; break;
      case Change::kText: e.text = c.text; break;
      case Change::kColour: e.text_colour = {c.v[0], c.v[1], c.v[2], c.v[3]}; break;
      case Change::kScale: e.text_scale = {c.v[0], c.v[1]}; break;
      case Change::kNoToken: e.further.token = ""; break;
      case Change::kToken: e.further.token = c.text; break;
      case Change::kFreeArea: e.area = kFreeArea; break;
      case Change::kFreeLook:
        e.text_colour = kFreeColour;
        e.text_scale = kFreeScale;
        break;
    }
  }
  return e;
}

constexpr EngUInt8 kMobile = ScreenLayouts(1, 2, 3, 4);
constexpr EngUInt8 kPhones = ScreenLayouts(1, 2);
constexpr EngUInt8 kTablets = ScreenLayouts(3, 4);
#define CHANGE(collection, id, layouts, what)                         \
  {                                                                   \
    collection, 0, id, layouts, Change::what, nullptr, { 0, 0, 0, 0 } \
  }
#define CHANGE_TEXT(collection, id, layouts, what, text)           \
  {                                                                \
    collection, 0, id, layouts, Change::what, text, { 0, 0, 0, 0 } \
  }
#define CHANGE_VALUES(collection, id, layouts, what, ...)              \
  {                                                                    \
    collection, 0, id, layouts, Change::what, nullptr, { __VA_ARGS__ } \
  }

const Change kChanges[] = {
    CHANGE("Main", "Exit", kMobile, kHide),
    CHANGE_TEXT("Main", "Title", ScreenLayouts(2), kTexbut, "MWIN_TEXBUT_NONE"),
    CHANGE_VALUES("Main", "Version", ScreenLayouts(2), kColour, 1, 1, 1, 0.7f),
    CHANGE_VALUES("Main", "Version", ScreenLayouts(2), kScale, 0.9f, 0.95f),
    CHANGE("Main", "Version", ScreenLayouts(2), kHide),
    CHANGE_VALUES("Main", "Welcome", ScreenLayouts(2), kColour, 1, 1, 1, 0.7f),
    CHANGE_VALUES("Main", "Welcome", ScreenLayouts(2), kScale, 1, 1.1f),
    CHANGE_TEXT("Main", "Play", ScreenLayouts(2), kTexbut, "Main"),
    CHANGE_TEXT("Main", "Help", ScreenLayouts(2), kTexbut, "Main"),
    CHANGE_TEXT("Main", "Scores", ScreenLayouts(2), kTexbut, "Main"),
    CHANGE_TEXT("Main", "Sound", ScreenLayouts(2), kTexbut, "Main"),
    CHANGE_TEXT("Main", "Options", ScreenLayouts(2), kTexbut, "Main"),
    CHANGE_TEXT("Main", "About", ScreenLayouts(2), kTexbut, "Main"),
    CHANGE_TEXT("Main", "User", ScreenLayouts(2), kTexbut, "Main"),
    CHANGE("Help", "Keys", kMobile, kHide),
    CHANGE("Help", "Title", kPhones, kHide),
    CHANGE("Options", "ShowResT", kMobile, kHide),
    CHANGE("Options", "ShowRes", kMobile, kHide),
    CHANGE("Options", "ShowResInfo", kMobile, kHide),
    CHANGE("Pause", "Save", kMobile, kHide),
    CHANGE("Scores", "Title", ScreenLayouts(2), kHide),
    CHANGE("Sounds", "Title", ScreenLayouts(2), kHide),
    CHANGE_TEXT("Log", "CopySel", kPhones, kText, "Copy Selected"),
    CHANGE_TEXT("Log", "CopyAll", kPhones, kText, "Copy All"),
    CHANGE_TEXT("Log", "CopySel", kTablets, kText, "Copy Selected Lines"),
    CHANGE_TEXT("Log", "CopyAll", kTablets, kText, "Copy All Lines"),
    CHANGE("Log", "CopySel", kMobile, kNoToken),
    CHANGE("Log", "CopyAll", kMobile, kNoToken),
    CHANGE("Log", "Clear", kMobile, kNoToken),
    CHANGE_TEXT("Country", "Note", kMobile, kText, "Your country is used for online scores."),
    CHANGE("Country", "Title", kMobile, kNoToken),
    CHANGE("Country", "Continue", kMobile, kNoToken),
    CHANGE("Country", "Note", kMobile, kNoToken),
    CHANGE("Users", "New", kPhones, kNoToken),
    CHANGE("Users", "Exit", kMobile, kHide),
    CHANGE("Users", "Exit", kTablets, kNoToken),
    CHANGE_TEXT("Users", "LoadProgress", kPhones, kTexbut, "Back1"),
    CHANGE("UserNew", "Back", kMobile, kNoToken),
    CHANGE("UserNew", "NameText", kMobile, kNoToken),
    CHANGE("UserNew", "CountryText", kMobile, kNoToken),
    CHANGE("UserNew", "Continue", kMobile, kNoToken),
    CHANGE_VALUES("UserNew", "SolTextPic", kTablets, kColour, 0, 0, 0, 0.8f),
    CHANGE_VALUES("UserNew", "SolTextPic", kTablets, kScale, 1, 1.3f),
};

// Screens whose phone and tablet rectangles are their own to choose.
const char *const kFreeAreas[] = {"Country", "Users", "UserNew"};

TEST(LayoutTablesTest, ThePhoneAndTabletLayoutsKeepTheDesignedRowsWithTheirOwnRectanglesAndChanges) {
  struct Areas {
    const char *collection;
    int window;
    const DeviceArea *areas;
    int num_areas;
  } tables[] = {
      {"Main", 0, ROWS(kMainAreas)},
      {"About", 0, ROWS(kAboutAreas)},
      {"Help", 0, ROWS(kHelpAreas)},
      {"Notice", 0, nullptr, 0},
      {"Options", 0, ROWS(kOptionsAreas)},
      {"Pause", 0, ROWS(kPauseAreas)},
      {"Popup", 0, ROWS(kPopupSidebarAreas)},
      {"Popup", 1, ROWS(kPopupWeaponAreas)},
      {"Scores", 0, ROWS(kScoresAreas)},
      {"Log", 0, ROWS(kLogAreas)},
      {"Country", 0, nullptr, 0},
      {"Users", 0, nullptr, 0},
      {"UserNew", 0, nullptr, 0},
  };
  for (const Areas &t : tables) {
    const Screen &s = ScreenOf(t.collection, t.window);
    bool free_areas = false;
    for (const char *name : kFreeAreas) free_areas = free_areas || strcmp(name, t.collection) == 0;
    for (int layout = 1; layout < ENG_NUM_LAYOUTS; layout++)
      for (int i = 0; i < s.num_rows; i++) {
        Expected e = MobileRow(s, s.rows[i].id, layout, t.areas, t.num_areas, kChanges,
                               int(sizeof(kChanges) / sizeof(kChanges[0])));
        if (free_areas) e.area = kFreeArea;
        ExpectRow(s.layout, s.window, layout, e);
      }
  }
}

TEST(LayoutTablesTest, ThePhoneAndTabletWindowsStandWhereDesigned) {
  const Screen &log = ScreenOf("Log");
  for (int layout = 1; layout < ENG_NUM_LAYOUTS; layout++) {
    SCOPED_TRACE(layout);
    qwtest::ExpectArea(&log.layout.windows[0].area[layout], kLogWindowAreas[layout - 1]);
    for (const Screen *s : {&ScreenOf("Popup", 0), &ScreenOf("Popup", 1)}) {
      const bool wide = layout == 2;
      const _Dimension want = s->window == 0 ? (wide ? _Dimension{50, 30, 190, 180} : _Dimension{50, 30, 140, 160})
                                             : (wide ? _Dimension{290, 30, 235, 330} : _Dimension{290, 30, 210, 224});
      qwtest::ExpectArea(&s->layout.windows[s->window].area[layout], want);
    }
  }
}

// The garden grid: each group given by its garden-0 rectangle per layout, the others 170 units
// right and 160 units down; the title, heading and pictures keep the desktop's rectangles.
TEST(LayoutTablesTest, TheGardenSelectionGridPerLayout) {
  struct PerLayout {
    _Dimension bg0, diff0, back;
  } layouts[] = {
      {{158, 137, 154, 146}, {163, 256, 67, 22}, {550, 440, 80, 30}},
      {{153, 138, 162, 144}, {162, 237, 146, 40}, {520, 430, 115, 45}},
      {{157, 137, 156, 146}, {162, 226, 87, 50}, {550, 420, 80, 50}},
      {{155, 138, 160, 144}, {163, 247, 95, 30}, {550, 445, 80, 30}},
      {{158, 138, 154, 144}, {162, 242, 80, 35}, {550, 435, 80, 35}},
  };
  const Screen &s = ScreenOf("Select");
  for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++) {
    for (int i = 0; i < s.num_rows; i++) {
      Expected e = s.rows[i];
      const std::string id = e.id;
      auto grid = [&](const _Dimension &first) {
        const int g = id.back() - '0';
        return _Dimension{first.x + 170 * (g % 2), first.y + 160.0f * (g / 2), first.width, first.height};
      };
      if (id.rfind("Bg", 0) == 0) e.area = grid(layouts[layout].bg0);
      if (id.rfind("Diff", 0) == 0) e.area = grid(layouts[layout].diff0);
      if (id == "Back") e.area = layouts[layout].back;
      ExpectRow(s.layout, 0, layout, e);
    }
  }
}

// The sounds screen on a landscape phone: captions and controls in taller rows.
TEST(LayoutTablesTest, TheSoundsRowsOnTheLandscapePhone) {
  const struct {
    const char *caption, *control;
    float y;
  } rows[] = {{"SoundsOnText", "SoundsOn", 5},           {"SoundsVolText", "SoundsVol", 57},
              {"MainMusicOnText", "MainMusicOn", 120},   {"MainMusicOnText2", "MainMusicOnWhen", 167},
              {"MainMusicVolText", "MainMusicVol", 214}, {"WinMusicOnText", "WinMusicOn", 275},
              {"WinMusicVolText", "WinMusicVol", 322},   {"GoMusicOnText", "GoMusicOn", 385},
              {"GoMusicVolText", "GoMusicVol", 432}};
  const Screen &s = ScreenOf("Sounds");
  for (const auto &r : rows) {
    Expected caption = RowOf(s, r.caption), control = RowOf(s, r.control);
    caption.area = {10, r.y, 190, 45};
    control.area = {205, r.y, 315, 45};
    ExpectRow(s.layout, 0, 2, caption);
    ExpectRow(s.layout, 0, 2, control);
  }
  Expected title = RowOf(s, "Title"), back = RowOf(s, "Back");
  title.area = {0, 0, 85, 45};
  title.further = title.further.Hidden();
  back.area = {540, 420, 90, 50};
  ExpectRow(s.layout, 0, 2, title);
  ExpectRow(s.layout, 0, 2, back);
  for (int layout : {1, 3, 4})
    for (int i = 0; i < s.num_rows; i++) ExpectRow(s.layout, 0, layout, s.rows[i]);
}

// The rows whose phone and tablet values are only partly designed: the designed part.
TEST(LayoutTablesTest, ThePartlyDesignedPhoneAndTabletRows) {
  struct Case {
    const char *collection;
    const char *id;
    int layout;
    const char *text;  // null: the desktop's
    _ColourRGBA text_colour;
    _Vector2d text_scale;
    const char *token;  // "": none
  } cases[] = {
      {"Debug", "StartupAction", 1, nullptr, kFreeColour, {1, 1.1f}, nullptr},
      {"Debug", "StartupAction", 2, nullptr, kFreeColour, {0.75f, 0.9f}, nullptr},
      {"Debug", "StartupAction", 3, nullptr, kFreeColour, {1, 1.1f}, nullptr},
      {"Debug", "StartupAction", 4, nullptr, kFreeColour, {1, 1.1f}, nullptr},
      {"UserLoad", "SolTextPic", 1, nullptr, {0, 0, 0, 0.7f}, kFreeScale, ""},
      {"UserLoad", "SolTextPic", 2, nullptr, {0, 0, 0, 0.7f}, kFreeScale, ""},
      {"UserLoad", "SolTextPic", 3, nullptr, {0, 0, 0, 0.8f}, kFreeScale, ""},
      {"UserLoad", "SolTextPic", 4, nullptr, {0, 0, 0, 0.8f}, kFreeScale, ""},
      {"UserLoad", "Delete", 1, "Delete", kFreeColour, kFreeScale, ""},
      {"UserLoad", "Delete", 4, "Delete", kFreeColour, kFreeScale, ""},
      {"UserSelect", "SelText", 1, nullptr, {1, 1, 1, 0.75f}, {1.3f, 1.42f}, nullptr},
      {"UserSelect", "SelText", 2, nullptr, {1, 1, 1, 0.75f}, {1.3f, 1.42f}, nullptr},
      {"UserSelect", "SelText", 3, nullptr, {1, 1, 1, 0.75f}, {1.3f, 1.42f}, nullptr},
      {"UserSelect", "SelText", 4, nullptr, {1, 1, 1, 0.75f}, {1.3f, 1.42f}, nullptr},
      {"UserSelect", "Delete", 2, "Delete", kFreeColour, kFreeScale, ""},
      {"UserSelect", "Delete", 3, "Delete", kFreeColour, kFreeScale, ""},
  };
  for (const Case &c : cases) {
    const Screen &s = ScreenOf(c.collection);
    SCOPED_TRACE(std::string(c.collection) + " " + c.id + " layout " + std::to_string(c.layout));
    const ScreenLayoutWidget *row = Row(s.layout.windows[0], c.id, c.layout);
    ASSERT_NE(row, nullptr);
    EXPECT_STREQ(row->text, c.text ? c.text : RowOf(s, c.id).text);
    if (c.text_colour.a >= 0) ExpectColour(row->text_colour, c.text_colour, "text colour");
    if (c.text_scale.x >= 0) {
      EXPECT_FLOAT_EQ(row->text_scale.x, c.text_scale.x);
      EXPECT_FLOAT_EQ(row->text_scale.y, c.text_scale.y);
    }
    if (c.token) {
      EXPECT_EQ(TokenOf(*row, s.layout.collection), c.token);
    }
    if (strcmp(c.collection, "Debug") == 0) {
      EXPECT_EQ(row->settings.has_colour, 0);
    }
  }
}

}  // namespace
