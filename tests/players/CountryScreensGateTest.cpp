// The atlas is loaded on a device change only while the country screen is the current one.
#include "players/Country.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/MWin/MWinScreens.h"
#include "tests/Engine/MWin/MWinTestSupport.h"
#include "tests/Engine/MWin/ScreensTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

const euint kCountry = EngFourCC("mCTY"), kOther = EngFourCC("uNEW");

class TwoScreens : public MWinScreens {
 public:
  TwoScreens(MWin *mwin, std::vector<std::string> *log)
      : MWinScreens(mwin, 0), m_country("mCTY", log), m_other("uNEW", log) {
    m_country.m_mwin = m_other.m_mwin = mwin;
    m_country.m_screens = m_other.m_screens = this;
  }
  ~TwoScreens() override { RemoveAllScreens(); }
  char SetupProgramScreens() override { return AddScreen(kCountry, &m_country) && AddScreen(kOther, &m_other); }

 private:
  qwtest::FakeController m_country, m_other;
};

class CountryScreensGateTest : public qwtest::MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    CountryResetForTests();
    CountrySetupModule(0, 0, nullptr, nullptr, 0, 0);
    ASSERT_TRUE(m_cwd.Enter(m_empty.Path()));  // no atlas: an attempt to load shows in the log
  }
  void TearDown() override {
    ASSERT_TRUE(m_cwd.Restore());
    CountryResetForTests();
    MWinTest::TearDown();
  }
  static int Attempts() {
    int n = 0;
    for (EngInt32 i = 0; i < DebugGetNumMessages(); i++)
      if (std::string(DebugGetMessage(i)->text).find("Flags texture file does not exist") != std::string::npos) n++;
    return n;
  }
  qwtest::TempDir m_empty;
  qwtest::WorkingFolder m_cwd;
  std::vector<std::string> m_calls;
};

TEST_F(CountryScreensGateTest, OnlyTheCountryScreenLoadsTheAtlas) {
  EXPECT_EQ(CountryCreateGraphicsIfNeeded(nullptr), 1);
  TwoScreens screens(mwin, &m_calls);
  ASSERT_TRUE(screens.SetupAllScreens());
  EXPECT_EQ(CountryCreateGraphicsIfNeeded(mwin), 1);  // screens not on yet
  screens.StartScreen(kOther, 0);
  EXPECT_EQ(CountryCreateGraphicsIfNeeded(mwin), 1);
  EXPECT_EQ(Attempts(), 0);
  screens.GotoScreen(kCountry, nullptr);
  EXPECT_EQ(CountryCreateGraphicsIfNeeded(mwin), 0);
  EXPECT_EQ(Attempts(), 1);
  screens.End(0);
  EXPECT_EQ(CountryCreateGraphicsIfNeeded(mwin), 1);
  EXPECT_EQ(Attempts(), 1);
}

}  // namespace
