// qw_score_service: the tests' stand-in score server as a program, so that a person can see
// the world tables and submit scores. It listens on 127.0.0.1 at a free port, prints the
// address to set in QUARRELWICK_SCORE_URL, serves a few sample scores in every garden and runs
// until interrupted.
#include <csignal>
#include <cstdio>
#include <ctime>
#include <thread>

#include "tests/support/ScoreTestService.h"

static volatile std::sig_atomic_t s_stop = 0;
static void OnSignal(int) { s_stop = 1; }

int main() {
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  qwtest::ScoreTestService service(1e9);
  if (service.Port() == 0) {
    fprintf(stderr, "qw_score_service: could not listen on 127.0.0.1\n");
    return 1;
  }
  const time_t now = time(nullptr);
  struct tm today;
  localtime_r(&now, &today);
  service.SetToday(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday);
  static const struct {
    const char *name, *country;
    long long score, level;
    char platform;
  } kSamples[] = {{"Ada Thornbury", "GB", 48210, 231, 'L'}, {"Mirela", "RO", 31500, 125, 'M'},
                  {"Kenji", "JP", 22075, 118, 'W'},         {"Lucia", "ES", 9800, 12, 'L'},
                  {"Tomasz", "PL", 4120, 7, 'I'}};
  for (unsigned garden = 0; garden < 4; garden++) {
    unsigned id = 9001;
    for (const auto &sample : kSamples) {
      qwtest::ScoreServiceEntry e;
      e.name = sample.name;
      e.country = sample.country;
      e.score = sample.score / (garden + 1);
      e.level = sample.level;
      e.uid = id++;
      e.text = "-";
      e.platform = sample.platform;
      e.year = today.tm_year + 1900;
      e.month = today.tm_mon + 1;
      e.day = today.tm_mday;
      service.AddScore(1000 + garden, e);
    }
  }
  printf("qw_score_service listening; start the game with\n  QUARRELWICK_SCORE_URL=%s\n", service.BaseUrl().c_str());
  fflush(stdout);
  while (!s_stop) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  service.Server().Stop();
  return 0;
}
