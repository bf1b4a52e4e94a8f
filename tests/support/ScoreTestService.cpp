#include "tests/support/ScoreTestService.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <chrono>
#include <map>
#include <thread>

#include "Engine/EngJson.h"
#include "Engine/EngMemory.h"
#include "Engine/EngZlib.h"
#include "Engine/json/Exception.h"

namespace qwtest {

const char *const ScoreTestService::kPath = "/cgi-bin/common/scores/Scores.fcgi";

ScoreTestService::ScoreTestService(double lifetime_seconds) : m_server(lifetime_seconds) {
  m_server.Handle(kPath, [this](const HttpRequest &request) { return Serve(request); });
}

std::string ScoreTestService::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(Port()); }

void ScoreTestService::SetToday(int year, int month, int day) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_year = year;
  m_month = month;
  m_day = day;
}

void ScoreTestService::ScriptSubmitReply(const std::string &reply) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_submit_script = reply;
}

void ScoreTestService::ScriptTableReply(const std::string &reply) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_table_script = reply;
}

void ScoreTestService::AddScore(unsigned set, const ScoreServiceEntry &entry) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_scores.emplace_back(set, entry);
}

void ScoreTestService::SetTableDelay(double seconds) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_table_delay = seconds;
}

std::vector<std::string> ScoreTestService::Submissions() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_submissions;
}

std::vector<std::string> ScoreTestService::TableQueries() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_queries;
}

std::vector<ScoreServiceEntry> ScoreTestService::Scores(unsigned set) {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<ScoreServiceEntry> out;
  for (const auto &kept : m_scores)
    if (kept.first == set) out.push_back(kept.second);
  return out;
}

static std::map<std::string, std::string> QueryValues(const std::string &target) {
  std::map<std::string, std::string> values;
  const size_t q = target.find('?');
  if (q == std::string::npos) return values;
  size_t at = q + 1;
  while (at <= target.size()) {
    size_t end = target.find('&', at);
    if (end == std::string::npos) end = target.size();
    const std::string pair = target.substr(at, end - at);
    const size_t eq = pair.find('=');
    if (eq != std::string::npos) values[pair.substr(0, eq)] = pair.substr(eq + 1);
    at = end + 1;
  }
  return values;
}

std::string ScoreTestService::Serve(const HttpRequest &request) {
  if (request.method == "POST") return Submit(request.body);
  const auto values = QueryValues(request.target);
  auto number = [&](const char *name, int fallback) {
    auto it = values.find(name);
    return it == values.end() ? fallback : atoi(it->second.c_str());
  };
  std::string script;
  double delay = 0;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queries.push_back(request.target);
    script = m_table_script;
    delay = m_table_delay;
  }
  if (delay > 0) std::this_thread::sleep_for(std::chrono::duration<double>(delay));
  if (!script.empty()) return script;
  if (number("gv", 0) == 0 || number("pr", 0) == 0) return " X bad request";
  return TableReply(unsigned(number("st", 0)), number("ra", 0), number("sp", 1), number("ep", 99));
}

// The members and their kinds, in the order the game writes them.
static const struct {
  const char *name;
  char kind;  // 's' string, 'n' number
} kMembers[19] = {{"ac", 's'},  {"ver", 'n'},  {"prog", 'n'}, {"gver", 'n'}, {"set", 'n'},
                  {"uid", 'n'}, {"name", 's'}, {"cc", 's'},   {"fb", 's'},   {"v1", 'n'},
                  {"v2", 'n'},  {"v3", 'n'},   {"v4", 'n'},   {"f1", 'n'},   {"f2", 'n'},
                  {"f3", 'n'},  {"f4", 'n'},   {"date", 'n'}, {"plat", 's'}};

std::string ScoreTestService::Submit(const std::string &body) {
  // The body is the sealed text and its NUL.
  const std::string sealed = body.substr(0, strnlen(body.c_str(), body.size()));
  unsigned length = 0;
  char *plain = EngZlibDecodeDataFromBase64UncompressItAndDecrpytIt("TALLY_K417", sealed.c_str(), &length);
  std::string text = plain ? std::string(plain, strnlen(plain, length)) : std::string();
  if (plain) EngFree(plain, 0, "ScoreTestService");
  std::string script;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_submissions.push_back(text);
    script = m_submit_script;
  }
  if (text.empty()) return " X unsealing\n";
  json::Object object;
  if (!EngJsonReadObjectFromString(&object, text.c_str())) return " X not json\n";
  std::map<std::string, double> numbers;
  std::map<std::string, std::string> strings;
  int index = 0;
  try {
    for (auto it = object.Begin(); it != object.End(); ++it, ++index) {
      if (index >= 19 || it->name != kMembers[index].name) return " X members\n";
      if (kMembers[index].kind == 's')
        strings[it->name] = it->element.CastTo<json::String>().Value();
      else
        numbers[it->name] = it->element.CastTo<json::Number>().Value();
    }
  } catch (const json::Exception &) {
    return " X types\n";
  }
  if (index != 19 || strings["ac"] != "Sub") return " X members\n";
  if (!script.empty()) return script;
  ScoreServiceEntry entry;
  entry.score = (long long)numbers["v1"];
  entry.level = (long long)numbers["v2"];
  entry.v3 = (unsigned long long)numbers["v3"];
  entry.v4 = (unsigned long long)numbers["v4"];
  entry.uid = (unsigned long long)numbers["uid"];
  entry.name = strings["name"];
  entry.country = strings["cc"];
  entry.text = strings["fb"];
  const long long date = (long long)numbers["date"];
  entry.year = int(date / 750);
  entry.month = int(date % 750 / 50);
  entry.day = int(date % 50);
  entry.platform = strings["plat"].empty() ? '?' : strings["plat"][0];
  const unsigned set = unsigned(numbers["set"]);
  std::lock_guard<std::mutex> lock(m_mutex);
  for (auto &kept : m_scores) {
    ScoreServiceEntry &old = kept.second;
    if (kept.first != set || old.uid != entry.uid || old.name != entry.name || old.country != entry.country) continue;
    if (old.score >= entry.score) return " D\n";
    old = entry;
    return " A\n";
  }
  m_scores.emplace_back(set, entry);
  return " A\n";
}

static int DayOfYear(int year, int month, int day) {
  static const int before[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return before[(month - 1) % 12] + (leap && month > 2 ? 1 : 0) + day;
}

static int Week(int year, int month, int day) {
  const int d = DayOfYear(year, month, day);
  return d >= 364 ? 52 : d / 7 + 1;
}

bool ScoreTestService::InRange(const ScoreServiceEntry &e, int range) const {
  switch (range) {
    case 0:
      return true;
    case 1:
      return e.year == m_year;
    case 2:
      return e.year == m_year && e.month == m_month;
    case 3:
      return e.year == m_year && Week(e.year, e.month, e.day) == Week(m_year, m_month, m_day);
    case 4:
      return e.year == m_year && e.month == m_month && e.day == m_day;
    default:
      return false;
  }
}

std::string ScoreTestService::TableReply(unsigned set, int range, int first, int last) {
  std::vector<ScoreServiceEntry> shown;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto &kept : m_scores)
      if (kept.first == set && InRange(kept.second, range)) shown.push_back(kept.second);
  }
  std::stable_sort(shown.begin(), shown.end(),
                   [](const ScoreServiceEntry &a, const ScoreServiceEntry &b) { return a.score > b.score; });
  std::string reply = "Y \n";
  for (int position = 1; position <= int(shown.size()); position++) {
    if (position < first || position > last) continue;
    const ScoreServiceEntry &e = shown[size_t(position - 1)];
    std::string name = e.name;
    std::replace(name.begin(), name.end(), ' ', '_');
    std::string text = e.text.empty() ? "-" : e.text;
    std::replace(text.begin(), text.end(), ' ', '_');
    char line[512];
    snprintf(line, sizeof(line), "%lld %lld %llu %llu %llu %s %s %s %04d-%02d-%02d %c\n", e.score, e.level, e.v3, e.v4,
             e.uid, name.c_str(), e.country.empty() ? "??" : e.country.c_str(), text.c_str(), e.year, e.month, e.day,
             e.platform);
    reply += line;
  }
  return reply + "*\n";
}

}  // namespace qwtest
