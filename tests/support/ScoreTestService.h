// A stand-in score server on 127.0.0.1 for tests and for trying the game by hand: it unseals
// each posted score with the engine's own unsealing, answers " X" unless the score carries its
// 19 members in order with their types, keeps the best score of each player per score set and
// answers " A\n" (stored) or " D\n" (a better one is held), or a scripted answer; and it serves the
// world tables in the game's grammar for a range counted from a date of its own.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "tests/support/HttpTestServer.h"

namespace qwtest {

struct ScoreServiceEntry {
  long long score = 0, level = 0;
  unsigned long long v3 = 0, v4 = 0, uid = 0;
  std::string name, country, text;
  int year = 2026, month = 1, day = 1;
  char platform = 'L';
};

class ScoreTestService {
 public:
  static const char *const kPath;
  explicit ScoreTestService(double lifetime_seconds = 60.0);

  int Port() const { return m_server.Port(); }
  // What QUARRELWICK_SCORE_URL is set to: "http://127.0.0.1:<port>".
  std::string BaseUrl() const;
  HttpTestServer &Server() { return m_server; }

  // The date the ranges are counted from (year, month, week, day).
  void SetToday(int year, int month, int day);
  // The answer to every following submission instead of " A" or " D" (" V 150 151", " X full");
  // an empty text ends the script.
  void ScriptSubmitReply(const std::string &reply);
  // The whole answer to every following table request; an empty text serves the kept scores.
  void ScriptTableReply(const std::string &reply);
  void AddScore(unsigned set, const ScoreServiceEntry &entry);
  // Table replies wait this long before they go, so a test can see a download under way.
  void SetTableDelay(double seconds);

  // The unsealed JSON texts (without their NUL) of every submission, accepted or not.
  std::vector<std::string> Submissions();
  std::vector<std::string> TableQueries();
  std::vector<ScoreServiceEntry> Scores(unsigned set);

  // The table reply for one set and range, best first, positions sp to ep (from 1).
  std::string TableReply(unsigned set, int range, int first, int last);

 private:
  std::string Serve(const HttpRequest &request);
  std::string Submit(const std::string &body);
  bool InRange(const ScoreServiceEntry &e, int range) const;

  HttpTestServer m_server;
  std::mutex m_mutex;
  int m_year = 2026, m_month = 1, m_day = 1;
  std::string m_submit_script, m_table_script;
  double m_table_delay = 0;
  std::vector<std::string> m_submissions, m_queries;
  std::vector<std::pair<unsigned, ScoreServiceEntry>> m_scores;
};

}  // namespace qwtest
