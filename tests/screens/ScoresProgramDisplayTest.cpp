// The high-score screen's online table in the real program under Xvfb, pressed with SDL events
// and pointed at the stand-in score server: the main menu's Scores button opens it on the
// world table, "Update" fetches it again while reading "Updating...", and Back returns.
#include <ctime>
#include <functional>
#include <string>

#include "screens/ScoresCC.h"
#include "tests/screens/ScreensProgramTestSupport.h"
#include "tests/support/ScoreTestService.h"

namespace {

class ScoresProgramDisplayTest : public qwtest::ScreensProgramTest {
 protected:
  void SetUp() override {
    const time_t now = time(nullptr);
    struct tm today;
    localtime_r(&now, &today);
    m_service.SetToday(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday);
    const struct {
      const char *name, *country;
      long long score;
      char platform;
    } rows[] = {{"Ann Lee", "IE", 9000, 'W'}, {"Cy", "FR", 500, 'L'}};
    unsigned id = 500;
    for (const auto &row : rows) {
      qwtest::ScoreServiceEntry e;
      e.name = row.name;
      e.country = row.country;
      e.score = row.score;
      e.level = 112;
      e.uid = id++;
      e.platform = row.platform;
      e.year = today.tm_year + 1900;
      e.month = today.tm_mon + 1;
      e.day = today.tm_mday;
      m_service.AddScore(1000, e);
    }
    ScreensProgramTest::SetUp();
  }
  void TearDown() override {
    // A test that stopped early leaves no reader waiting on a held reply.
    m_service.Server().Release(qwtest::ScoreTestService::kPath);
    ScreensProgramTest::TearDown();
  }
  ScoresCC *Scores() { return Screens()->GetScoresCC(); }
  std::string UpdateText() {
    const char *text = Scores()->mwinScoresMainUpdateButton->GetTextP();
    return text ? text : "";
  }

  qwtest::ScoreTestService m_service;
  qwtest::ScopedEnvVar m_url{"QUARRELWICK_SCORE_URL", m_service.BaseUrl().c_str()};
};

TEST_F(ScoresProgramDisplayTest, TheMenuOpensTheWorldTableAndUpdateFetchesItAgain) {
  Click(Screens()->GetMainCC()->mwinMainMainScoresButton);
  ASSERT_EQ(Root()->GetCurrentScreen(), SCORES_SCREEN_ID);
  ASSERT_TRUE(FramesUntil([&] { return Scores()->GetRowCount() == 2; })) << "waited for the table's two rows";
  EXPECT_EQ(Scores()->FillTabPanelCB(0, 1), std::string("Ann Lee"));
  EXPECT_EQ(Scores()->FillTabPanelCB(1, 6), std::string("500"));
  ASSERT_EQ(m_service.TableQueries().size(), 1u);
  Frame("scores-online");

  // The reply waits until the test has seen the download under way.
  m_service.Server().HoldReplies(qwtest::ScoreTestService::kPath);
  ASSERT_TRUE(FramesUntil([&] { return Scores()->mwinScoresMainUpdateButton->IsEnabled() != 0; }))
      << "waited for Update to be enabled";
  Click(Scores()->mwinScoresMainUpdateButton);
  ASSERT_TRUE(FramesUntil([&] { return UpdateText() == "Updating..."; })) << "waited for \"Updating...\"";
  m_service.Server().Release(qwtest::ScoreTestService::kPath);
  ASSERT_TRUE(FramesUntil([&] { return UpdateText() == "Update"; })) << "waited for \"Update\" again";
  EXPECT_EQ(m_service.TableQueries().size(), 2u);
  EXPECT_EQ(Scores()->GetRowCount(), 2);

  Click(Scores()->mwinScoresMainBackButton);
  EXPECT_EQ(Root()->GetCurrentScreen(), MAIN_SCREEN_ID);
}

}  // namespace
