// The texts the game and the menus draw with a colour of their own, read back from the real
// program under Xvfb at a 4:3 and a 16:9 window: the sidebar's texts, the tutorial's hint, the
// LEVEL banner, the garden-won caption in every garden, a too-dear price and the scores' "Failed".
// Each text is found as what changes when it alone is taken away; its strokes must be its colour
// laid at its opacity over what was there, and that ground dark enough to read it (the WCAG
// contrast, measured under the strokes). The high-score list's places and scores line up on
// their right edges. With QW_SCREENSHOT_DIR set every scene is left there, and every reading is
// printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinTabPanel.h"
#include "game/GameWon.h"
#include "game/Levels.h"
#include "game/Popup.h"
#include "game/Quarrelwick.h"
#include "game/Sidebar.h"
#include "game/Tutorial.h"
#include "screens/ScoresCC.h"
#include "tests/screens/ScreensProgramTestSupport.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/ScoreTestService.h"

namespace {

struct WindowSize {
  int width, height;
};
const WindowSize kSizes[] = {{1024, 768}, {1280, 720}};

// WCAG's relative luminance of an sRGB pixel and the contrast of two of them.
double Luminance(const unsigned char *p) {
  double l[3];
  for (int c = 0; c < 3; c++) {
    const double v = p[c] / 255.0;
    l[c] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  }
  return 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2];
}
double Contrast(const unsigned char *a, const unsigned char *b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
double Quantile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[size_t(q * double(v.size() - 1) + 0.5)];
}

// A text as read back: its pixels, the opacity its strokes were laid with, how far their colour
// strays from the designed one, and the contrast of the strokes against the ground under them.
struct TextReading {
  int pixels = 0, strokes = 0;
  double alpha = 0, stray = 0, contrast = 0, contrast_low = 0;
};

// What changed between the frame with the text and the frame without it is the text (with its
// soft shadow and edges). Each changed pixel gives the opacity that lays the designed colour
// over the ground there; the strokes' middles are the pixels the text covers wholly, those near
// the highest opacity read.
TextReading Read(const std::vector<unsigned char> &with, const std::vector<unsigned char> &without,
                 const float rgb[3]) {
  TextReading r;
  struct Px {
    size_t at;
    double alpha;
  };
  std::vector<Px> changed;
  for (size_t at = 0; at + 2 < with.size(); at += 3) {
    double d2 = 0, dot = 0, moved = 0;
    for (int c = 0; c < 3; c++) {
      const double ground = without[at + c], toward = rgb[c] * 255.0 - ground;
      d2 += toward * toward;
      dot += (with[at + c] - ground) * toward;
      moved += std::fabs(with[at + c] - ground);
    }
    if (moved < 24 || d2 < 400) continue;
    changed.push_back({at, dot / d2});
  }
  r.pixels = int(changed.size());
  if (changed.empty()) return r;
  std::vector<double> alphas;
  for (const Px &p : changed) alphas.push_back(p.alpha);
  const double top = Quantile(alphas, 0.99);
  std::vector<double> stroke_alphas, strays, contrasts;
  for (const Px &p : changed) {
    if (p.alpha < 0.9 * top) continue;
    stroke_alphas.push_back(p.alpha);
    contrasts.push_back(Contrast(&with[p.at], &without[p.at]));
  }
  r.strokes = int(stroke_alphas.size());
  r.alpha = Quantile(stroke_alphas, 0.5);
  for (const Px &p : changed) {
    if (p.alpha < 0.9 * top) continue;
    double worst = 0;
    for (int c = 0; c < 3; c++) {
      const double ground = without[p.at + c];
      worst = std::max(worst, std::fabs(with[p.at + c] - (ground + r.alpha * (rgb[c] * 255.0 - ground))));
    }
    strays.push_back(worst);
  }
  r.stray = Quantile(strays, 0.5);
  r.contrast = Quantile(contrasts, 0.5);
  r.contrast_low = Quantile(contrasts, 0.1);
  return r;
}

// Each text's designed colour and opacity, and the contrast its ground must give it: WCAG's
// 4.5:1 unless said otherwise.
struct Look {
  const char *name;
  float rgb[3], alpha;
  double min_contrast;
};
const Look kLooks[] = {
    {"SidebarWave", {1, 1, 1}, 0.8f, 4.5},
    {"SidebarScore", {1, 1, 1}, 0.8f, 4.5},
    {"SidebarCash", {1, 1, 1}, 0.8f, 4.5},
    {"SidebarLives", {1, 1, 1}, 0.8f, 4.5},
    {"TutorialHint", {1, 1, 1}, 0.8f, 4.5},
    // Over the middle of the play field, where the road and the bugs are: its ground stays the
    // garden's, and only its black copy under it sets it off.
    {"LevelBanner", {1, 1, 1}, 0.7f, 0.0},
    {"GardenWon", {0.8f, 1.0f, 0.5f}, 0.7f, 4.5},
    // Pure red at 0.7 reaches 2.9:1 even on black.
    {"TooDearPrice", {1, 0, 0}, 0.7f, 2.5},
    // Pure red reaches 4.5:1 only on near black; on the dark disabled button this text, large at
    // these windows, needs WCAG's 3:1 for large text.
    {"ScoresFailed", {1, 0, 0}, 1.0f, 3.0},
};
const Look &LookOf(const std::string &name) {
  for (const Look &l : kLooks)
    if (name.rfind(l.name, 0) == 0) return l;
  ADD_FAILURE() << "no look for " << name;
  return kLooks[0];
}

class TextLooksDisplayTest : public qwtest::ScreensProgramTest, public ::testing::WithParamInterface<WindowSize> {
 protected:
  TextLooksDisplayTest() {
    m_window_width = GetParam().width;
    m_window_height = GetParam().height;
  }
  void BeforeProgramStart() override { TutorialSetOptionForTests(1); }
  void AfterProgramStop() override { TutorialSetOptionForTests(-1); }

  std::string Shot(const std::string &scene) const {
    return scene + "_" + std::to_string(m_window_width) + "x" + std::to_string(m_window_height);
  }
  // The text's look against its design (kLooks, by the name's start), read from a frame with it
  // and one without it.
  void Expect(const std::string &name, const std::vector<unsigned char> &with,
              const std::vector<unsigned char> &without) {
    SCOPED_TRACE(name);
    const Look &look = LookOf(name);
    const TextReading r = Read(with, without, look.rgb);
    printf(
        "%-14s %4dx%-4d pixels %5d strokes %5d alpha %.3f (designed %.2f) stray %4.1f contrast %5.2f:1 "
        "(a tenth of the strokes below %5.2f:1)\n",
        name.c_str(), m_window_width, m_window_height, r.pixels, r.strokes, r.alpha, look.alpha, r.stray, r.contrast,
        r.contrast_low);
    ASSERT_GT(r.strokes, 20);
    EXPECT_NEAR(r.alpha, look.alpha, 0.05);
    EXPECT_LT(r.stray, 12.0);
    EXPECT_GE(r.contrast, look.min_contrast);
  }
  // The same with the frame that shows the text left as a screenshot; show(false) takes the text
  // away and show(true) gives it back.
  void Expect(const std::string &name, const std::function<void(bool)> &show) {
    const std::vector<unsigned char> with = Frame(Shot(name).c_str());
    show(false);
    const std::vector<unsigned char> without = Frame();
    show(true);
    Expect(name, with, without);
  }
  // A new game in a garden, in play and waiting for its start, with the tutorial's first hint up.
  void Play(int garden) {
    level_garden = EngInt16(garden);
    ASSERT_EQ(QuarrelwickInitForNewGame(0), 1);
    main_game->ReturnToGame();
    Frames(30);
    ASSERT_EQ(LevelsIsPictureLoaded(), 1);
  }
  ScoresCC *Scores() { return Screens()->GetScoresCC(); }
  UserOptions *Options() { return &main_game->GetUser()->GetInfo()->options; }
  std::string UpdateText() {
    const char *text = Scores()->mwinScoresMainUpdateButton->GetTextP();
    return text ? text : "";
  }

  qwtest::ScoreTestService m_service;
  qwtest::ScopedEnvVar m_url{"QUARRELWICK_SCORE_URL", m_service.BaseUrl().c_str()};
};

// Takes a text of the play field away by emptying it, and gives it back.
struct Emptied {
  char *text;
  std::string kept;
  void Show(bool shown) {
    if (shown) {
      strcpy(text, kept.c_str());
    } else {
      kept = text;
      text[0] = 0;
    }
  }
};

TEST_P(TextLooksDisplayTest, TheSidebarTheHintAndTheBannerInPlay) {
  // The banner keeps the stage it is brought to for as long as the readings take.
  HoldClock();
  ASSERT_NO_FATAL_FAILURE(Play(0));
  ASSERT_EQ(tut_on, 0);
  ASSERT_EQ(tut_stage, 2);
  for (char *text : {level_str_1, score_str, cash_str, lives_str}) {
    Emptied e{text, ""};
    const char *name = text == level_str_1 ? "SidebarWave"
                       : text == score_str ? "SidebarScore"
                       : text == cash_str  ? "SidebarCash"
                                           : "SidebarLives";
    Expect(name, [&](bool shown) { e.Show(shown); });
  }
  Emptied hint{tut_text_str, ""};
  Expect("TutorialHint", [&](bool shown) { hint.Show(shown); });

  // The banner at its full strength, between its fade in and its fade out.
  eng_main_current_time = eng_main_current_time + 0.6;
  for (int i = 0; i < 200 && LevelsGetBannerStage() < 2; i++) {
    game_per_second = 1.0f / 60.0f;
    LevelsTick();
  }
  ASSERT_EQ(LevelsGetBannerStage(), 2);
  ASSERT_FLOAT_EQ(LevelsGetBannerBlend(), 1.0f);
  Expect("LevelBanner", [](bool shown) {
    if (!shown) LevelsTurnOffLevelText();
  });
}

TEST_P(TextLooksDisplayTest, TheGardenWonCaptionInEveryGarden) {
  for (int garden = 0; garden < 4; garden++) {
    SCOPED_TRACE(garden);
    ASSERT_NO_FATAL_FAILURE(Play(garden));
    TutorialEnd();
    GameWonInit();
    // The caption set, still clear: the ground without it. Then faded in.
    game_per_second = 1.0f / 60.0f;
    GameWonDoTick(1);
    ASSERT_STREQ(GameWonGetCaption(), "GARDEN DEFENDED !!");
    const std::vector<unsigned char> without = Frame();
    for (int i = 0; i < 200 && GameWonGetStage() < 2; i++) GameWonDoTick(1);
    ASSERT_EQ(GameWonGetStage(), 2);
    const std::string name = "GardenWon" + std::to_string(garden);
    Expect(name, Frame(Shot(name).c_str()), without);
    GameWonEnd(0);
  }
}

TEST_P(TextLooksDisplayTest, ATooDearPriceInTheShop) {
  ASSERT_NO_FATAL_FAILURE(Play(0));
  TutorialEnd();
  // The gun factory's facts, with no cash to buy it.
  cash = 0;
  play_state = 0;
  sbl_over_what = 9;
  PopupUpdate(1);
  MWinCollection *popup = Root()->GetCollectionFromID("Popup", 0);
  ASSERT_NE(popup, nullptr);
  MWinButton *cost = popup->GetWindowFromID("Sidebar", 0)->GetButtonFromID("Cost", 0);
  ASSERT_NE(cost, nullptr);
  ASSERT_EQ(PopupIsButtonDisabled(), 1);
  const std::string price = cost->GetTextP();
  Expect("TooDearPrice", [&](bool shown) { cost->SetText(shown ? price.c_str() : ""); });
}

TEST_P(TextLooksDisplayTest, FailedOnTheScoresScreen) {
  qwtest::RefusedPort refused;
  qwtest::ScopedEnvVar url("QUARRELWICK_SCORE_URL", refused.Url("").c_str());
  Options()->scores_online = 1;
  Options()->scores_auto_update = 1;
  Screens()->GotoScreen(SCORES_SCREEN_ID, nullptr);
  ASSERT_TRUE(FramesUntil([&] { return UpdateText() == "Failed"; }));
  MWinButton *update = Scores()->mwinScoresMainUpdateButton;
  Expect("ScoresFailed", [&](bool shown) { update->SetText(shown ? "Failed" : ""); });
}

// The world table's rows: places 1. to 12. and scores of one to twelve digits that all end in 9,
// so right-aligned texts end on the same pixel column whatever their length.
TEST_P(TextLooksDisplayTest, PlacesAndScoresAreRightAligned) {
  const time_t now = time(nullptr);
  struct tm today;
  localtime_r(&now, &today);
  m_service.SetToday(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday);
  const char *names[] = {"Ann", "Bea", "Cal", "Dan", "Eve", "Fay", "Gus", "Hal", "Ida", "Jon", "Kit", "Lou"};
  const long long points[] = {9, 19, 99, 199, 999, 1999, 9999, 19999, 99999, 199999, 999999, 1999999};
  for (int i = 0; i < 12; i++) {
    qwtest::ScoreServiceEntry e;
    e.name = names[i];
    e.country = "GB";
    e.score = points[i];
    e.level = 112;
    e.uid = unsigned(600 + i);
    e.platform = 'L';
    e.year = today.tm_year + 1900;
    e.month = today.tm_mon + 1;
    e.day = today.tm_mday;
    m_service.AddScore(1000, e);
  }
  Options()->scores_online = 1;
  Options()->scores_auto_update = 1;
  Options()->scores_garden = 0;
  Screens()->GotoScreen(SCORES_SCREEN_ID, nullptr);
  ASSERT_TRUE(FramesUntil([&] { return Scores()->GetRowCount() == 12; }));
  const std::vector<unsigned char> frame = Frame(Shot("ScoresTable").c_str());

  // The rows' texts are the table's gold and blue at the table's opacity; each cell of the place
  // (column 0 of the world table) and the score (column 6) is looked at where it is drawn.
  const int w = m_window_width;
  auto text = [&](int x, int y) {
    const unsigned char *p = &frame[(size_t(y) * size_t(w) + size_t(x)) * 3];
    const int r = p[0], g = p[1], b = p[2];
    return (r > 150 && g > 100 && r >= g && r - b > 90) || (g > 150 && b > 130 && g - r > 60);
  };
  MWinTabPanel *table = Scores()->GetScoresTable();
  ASSERT_NE(table, nullptr);
  for (int column : {0, 6}) {
    SCOPED_TRACE(column);
    std::vector<int> lefts, rights;
    for (int row = 0; row < 12; row++) {
      _Dimension cell;
      ASSERT_EQ(table->GetEntryDisplayedArea(row, column, &cell), 1);
      float x0, y0, x1, y1;
      EngWindowDesignToPixel(cell.x, cell.y, &x0, &y0);
      EngWindowDesignToPixel(cell.x + cell.width, cell.y + cell.height, &x1, &y1);
      int left = w, right = -1;
      for (int y = int(y0) + 1; y < int(y1) - 1; y++)
        for (int x = int(x0); x < int(x1); x++)
          if (text(x, y)) left = std::min(left, x), right = std::max(right, x);
      ASSERT_GE(right, left) << row;
      lefts.push_back(left), rights.push_back(right);
    }
    // The texts end on one column of pixels and start wherever their length puts them.
    auto spread = [](const std::vector<int> &v) {
      return *std::max_element(v.begin(), v.end()) - *std::min_element(v.begin(), v.end());
    };
    EXPECT_LE(spread(rights), 1);
    EXPECT_GE(spread(lefts), 3);
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, TextLooksDisplayTest, ::testing::ValuesIn(kSizes),
                         [](const ::testing::TestParamInfo<WindowSize> &i) {
                           return std::to_string(i.param.width) + "x" + std::to_string(i.param.height);
                         });

}  // namespace
