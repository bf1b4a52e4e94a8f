// Score submission against the stand-in score server: the sealed JSON text, the server's
// answers and what the scores module does with each result.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/EngZlib.h"
#include "Engine/Resolution.h"
#include "online/CurlInterface.h"
#include "online/Scores.h"
#include "online/ScoresMain.h"
#include "online/ScoresSubmit.h"
#include "tests/online/WorldScoresTestSupport.h"
#include "tests/support/HttpTestServer.h"

namespace qwtest {
namespace {

class ScoresSubmitTest : public WorldScoresTestBase {
 protected:
  static ScoresScore Fixed() {
    ScoresScore s = MakeScore(4321, 137, 2011, 1, 1, 77, "Bo\"b\\", "GB");
    s.v3 = 3000000000u;
    s.v4 = 4;
    s.small[1] = 2;
    return s;
  }
  static std::string Sealed(const std::string &json) {
    char *sealed = EngZlibEncryptCompressAndEncodeToBase64Data(SCORES_SUBMIT_KEY, json.c_str(),
                                                               unsigned(json.size() + 1), 0, 0, nullptr);
    std::string out = sealed ? sealed : "";
    EngFree(sealed, 0, "test");
    return out;
  }
};

TEST_F(ScoresSubmitTest, TheServiceUnsealsTheExpectedJsonText) {
  const ScoresScore s = Fixed();
  const std::string expected =
      "{\n\t\"ac\" : \"Sub\",\n\t\"ver\" : 1,\n\t\"prog\" : 55,\n\t\"gver\" : 150,\n\t\"set\" : 1002,\n"
      "\t\"uid\" : 77,\n\t\"name\" : \"Bo\\\"b\\\\\",\n\t\"cc\" : \"GB\",\n\t\"fb\" : \"\",\n\t\"v1\" : 4321,\n"
      "\t\"v2\" : 137,\n\t\"v3\" : 3000000000,\n\t\"v4\" : 4,\n\t\"f1\" : 0,\n\t\"f2\" : 2,\n\t\"f3\" : 0,\n"
      "\t\"f4\" : 0,\n\t\"date\" : 1508301,\n\t\"plat\" : \"L\"\n}";
  EXPECT_EQ(ScoresSubmitMakeJsonText(55, 150, 1002, &s), expected);
  EXPECT_EQ(ScoresSubmitScore(55, 150, 1002, &s, nullptr, nullptr), 4);
  ASSERT_EQ(m_service.Submissions().size(), 1u);
  EXPECT_EQ(m_service.Submissions()[0], expected);
  // Sealing is repeatable, and what was posted is that sealing with its NUL.
  EXPECT_EQ(Sealed(expected), Sealed(expected));
  const auto requests = m_service.Server().Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.back().method, "POST");
  EXPECT_EQ(requests.back().path, "/cgi-bin/common/scores/Scores.fcgi");
  EXPECT_EQ(requests.back().body, Sealed(expected) + std::string(1, '\0'));
  ASSERT_EQ(m_service.Scores(1002).size(), 1u);
  EXPECT_EQ(m_service.Scores(1002)[0].name, "Bo\"b\\");
}

TEST_F(ScoresSubmitTest, TheServerAnswersGiveTheirResults) {
  const ScoresScore s = Fixed();
  struct Case {
    const char *reply;
    int result;
    const char *log;
  } cases[] = {
      {" A\n", 4, nullptr},
      {" D\n", 6, nullptr},
      {" V 150 151", 7, nullptr},
      {" V 150 150", -1, nullptr},
      {" V 149 150", -1, nullptr},
      {" V 151 150", -1, nullptr},
      {" V x y", -1, nullptr},
      {" X text", -1, "CE: text"},
      {"A\n\n", -1, "CE: Unknown [A\\n\\n]."},
      {" Q\n", -1, "CE: Unknown [ Q\\n]."},
      {" A", -3, nullptr},
      {"A\n", -3, nullptr},
      {"", -3, nullptr},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.reply);
    m_service.Server().Reply("/cgi-bin/common/scores/Scores.fcgi", c.reply);
    EXPECT_EQ(ScoresSubmitScore(55, 150, 1000, &s, nullptr, nullptr), c.result);
    if (c.log) {
      EXPECT_TRUE(LogHas(c.log)) << Log();
    }
  }
  RefusedPort refused;
  ScopedEnvVar url("QUARRELWICK_SCORE_URL", refused.Url("").c_str());
  EXPECT_EQ(ScoresSubmitScore(55, 150, 1000, &s, nullptr, nullptr), -3);
  EXPECT_TRUE(LogHas("Problem submitting ["));
}

// Only a 2xx answer's body is the server's answer: an error page or a redirect that happens to
// read " A" is a failed submission (-3, the could-not-communicate message), never a success.
TEST_F(ScoresSubmitTest, OnlyATwoHundredAnswerCounts) {
  const ScoresScore s = Fixed();
  struct Case {
    int status;
    const char *headers;
    int result;
  } cases[] = {
      {500, "", -3},
      {302, "Location: /cgi-bin/common/scores/Elsewhere.fcgi\r\n", -3},
      {404, "", -3},
      {200, "", 4},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.status);
    DebugClearLog(0);
    m_service.Server().Reply("/cgi-bin/common/scores/Scores.fcgi", " A\n", c.status, c.headers);
    EXPECT_EQ(ScoresSubmitScore(55, 150, 1000, &s, nullptr, nullptr), c.result);
    EXPECT_EQ(LogHas("HTTP status " + std::to_string(c.status)), c.result < 0) << Log();
    EXPECT_EQ(LogHas("Problem submitting [(no data)]."), c.result < 0) << Log();
  }
}

TEST_F(ScoresSubmitTest, TheServiceRefusesWhatIsNotAWholeScoreAndKeepsTheBest) {
  const ScoresScore s = Fixed();
  ScoresScore lower = s;
  lower.score = 100;
  ScoresScore higher = s;
  higher.score = 9000;
  EXPECT_EQ(ScoresSubmitScore(55, 150, 1000, &s, nullptr, nullptr), 4);
  EXPECT_EQ(ScoresSubmitScore(55, 150, 1000, &lower, nullptr, nullptr), 6);
  EXPECT_EQ(ScoresSubmitScore(55, 150, 1000, &higher, nullptr, nullptr), 4);
  ASSERT_EQ(m_service.Scores(1000).size(), 1u);
  EXPECT_EQ(m_service.Scores(1000)[0].score, 9000);
  EXPECT_EQ(m_service.Scores(1000)[0].year, 2011);
  // A body that is not a sealed score, a member missing, a member of the wrong type.
  const std::string whole = ScoresSubmitMakeJsonText(55, 150, 1000, &s);
  std::string wrong_type = whole;
  wrong_type.replace(wrong_type.find("\"v1\" : 4321"), 11, "\"v1\" : \"4321\"");
  std::string missing = whole;
  missing.erase(missing.find("\t\"fb\""), strlen("\t\"fb\" : \"\",\n"));
  for (const std::string &body : {std::string("not sealed"), Sealed(missing), Sealed(wrong_type)}) {
    CurlInterface curl("test", 0);
    const std::string url = m_service.BaseUrl() + "/cgi-bin/common/scores/Scores.fcgi";
    ASSERT_EQ(curl.DownloadFromUrlUsingPost(url.c_str(), nullptr, 64, body.c_str(), EngUInt32(body.size() + 1), 0, 5,
                                            nullptr),
              1);
    EXPECT_EQ(std::string(curl.GetDownloadedData()).substr(0, 2), " X") << body;
  }
  EXPECT_EQ(m_service.Scores(1000).size(), 1u);
  EXPECT_EQ(ScoresSubmitScore(55, 150, 1000, nullptr, nullptr, nullptr), -1);
  EXPECT_TRUE(LogHas("Parameters error"));
  ScoresScore invalid = s;
  invalid.user_id = 0;
  EXPECT_EQ(ScoresSubmitScore(55, 150, 1000, &invalid, nullptr, nullptr), -1);
  EXPECT_EQ(m_service.Submissions().size(), 6u);
}

TEST_F(ScoresSubmitTest, ClassifiersOfTheResults) {
  for (int r : {-3, -2, -1, 0, 2, 7}) EXPECT_EQ(ScoresSubmitIsSubmitResultCodeAnError(r), 1) << r;
  for (int r : {1, 3, 4, 5, 6}) EXPECT_EQ(ScoresSubmitIsSubmitResultCodeAnError(r), 0) << r;
  for (int r : {1, 4, 5}) EXPECT_EQ(ScoresSubmitIsSubmitResultCodeASubmission(r), 1) << r;
  for (int r : {-3, -2, -1, 0, 2, 3, 6, 7}) EXPECT_EQ(ScoresSubmitIsSubmitResultCodeASubmission(r), 0) << r;
  EXPECT_EQ(ScoresSubmitIsSubmitResultCodeAnError(9), 1);
  EXPECT_TRUE(LogHas("Unexpected result 9"));
  EXPECT_EQ(ScoresSubmitIsSubmitResultCodeASubmission(9), 0);
}

TEST_F(ScoresSubmitTest, AnAcceptedScoreDeletesTheGardensWorldCachesOfEveryRange) {
  ScoresSetCurrentGarden(2);
  m_user->GetInfo()->options.scores_range = 3;
  // Caches of every range of garden 3 and one of another garden.
  WriteScoreFile(2, "");
  const char letters[5] = {'A', 'Y', 'M', 'W', 0};
  for (char letter : letters) WriteWholeFile(CachePath(1002, letter), "cache");
  WriteWholeFile(CachePath(1001, 'A'), "cache");
  ScoresScore s = MakeScore(600, 4, 2026, 3, 20, 77, "Bob", "GB");
  EXPECT_EQ(ScoresCallSubmitScore(&s), 1);
  for (char letter : letters) EXPECT_FALSE(FileExists(CachePath(1002, letter))) << int(letter);
  EXPECT_TRUE(FileExists(CachePath(1001, 'A')));
  EXPECT_EQ(m_user->GetInfo()->options.scores_range, 3);
  EXPECT_NE(m_service.Submissions().back().find("\"set\" : 1002"), std::string::npos);

  // " D" keeps the caches.
  WriteWholeFile(CachePath(1002, 'A'), "cache");
  s.score = 500;
  EXPECT_EQ(ScoresCallSubmitScore(&s), 1);
  EXPECT_TRUE(FileExists(CachePath(1002, 'A')));
}

TEST_F(ScoresSubmitTest, AnOutOfDateGameReArmsTheStartUpWindowAndTheVersionCheck) {
  resolution.show_dialog = 0;
  resolution.last_version_check.year = 2026;
  resolution.last_version_check.month = 3;
  resolution.last_version_check.day = 1;
  m_service.ScriptSubmitReply(" V 150 151");
  ScoresScore s = MakeScore(600, 4, 2026, 3, 20, 77, "Bob", "GB");
  EXPECT_EQ(ScoresCallSubmitScore(&s), 0);
  EXPECT_EQ(resolution.show_dialog, 1);
  EXPECT_EQ(resolution.last_version_check.year, 0u);
  EXPECT_EQ(resolution.last_version_check.month, 0);
  EXPECT_TRUE(LogHas("Problem submitting score [7]."));
}

TEST_F(ScoresSubmitTest, TheModuleRefusesMissingAndInvalidScores) {
  EXPECT_EQ(ScoresCallSubmitScore(nullptr), 0);
  EXPECT_TRUE(LogHas("Internal Error (no ss)"));
  ScoresScore invalid = MakeScore(600, 4, 2026, 3, 20, 0, "Bob", "GB");
  EXPECT_EQ(ScoresCallSubmitScore(&invalid), 0);
  EXPECT_TRUE(LogHas("Internal Error (invalid ss)"));
  EXPECT_TRUE(m_service.Submissions().empty());
}

}  // namespace
}  // namespace qwtest
