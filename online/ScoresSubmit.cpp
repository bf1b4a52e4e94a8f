#include "online/ScoresSubmit.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

#include "Engine/EngDebug.h"
#include "Engine/EngJson.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMemory.h"
#include "Engine/EngZlib.h"
#include "Engine/MWin/MWin.h"
#include "Engine/json/Exception.h"
#include "game/Platform.h"
#include "online/CurlInterface.h"
#include "online/EngInternet.h"
#include "online/OnlineConfig.h"
#include "online/Scores.h"

const char *const SCORES_SUBMIT_KEY = "TALLY_K417";

// "Internal Error 3": which step failed, for a player's report.
static std::string InternalError(int step) {
  return std::string(EngLanguagesGetStringIfExists("Common_InternalError", "Internal Error")) + " " +
         std::to_string(step);
}

static std::string Field(const char *field, size_t size) { return std::string(field, strnlen(field, size)); }

static void BuildObject(json::Object &o, ScoresProgram program, EngUInt16 game_version, EngUInt32 score_set,
                        const ScoresScore *s) {
  const char platform[2] = {PlatformGetCurrentPlatform(), 0};
  EngJsonAddStringToObject(o, "ac", "Sub");
  EngJsonAddUInt32ToObject(o, "ver", 1);
  EngJsonAddUInt32ToObject(o, "prog", EngUInt32(program));
  EngJsonAddUInt32ToObject(o, "gver", game_version);
  EngJsonAddUInt32ToObject(o, "set", score_set);
  EngJsonAddUInt32ToObject(o, "uid", s->user_id);
  EngJsonAddStringToObject(o, "name", Field(s->name, sizeof(s->name)).c_str());
  EngJsonAddStringToObject(o, "cc", Field(s->country, sizeof(s->country)).c_str());
  EngJsonAddStringToObject(o, "fb", Field(s->text, sizeof(s->text)).c_str());
  EngJsonAddInt32ToObject(o, "v1", s->score);
  EngJsonAddInt32ToObject(o, "v2", s->level);
  EngJsonAddUInt32ToObject(o, "v3", s->v3);
  EngJsonAddUInt32ToObject(o, "v4", s->v4);
  EngJsonAddInt32ToObject(o, "f1", s->small[0]);
  EngJsonAddInt32ToObject(o, "f2", s->small[1]);
  EngJsonAddInt32ToObject(o, "f3", s->small[2]);
  EngJsonAddInt32ToObject(o, "f4", s->small[3]);
  const EngUInt32 date = EngUInt32(EngInt32(s->date.year) * 750 + EngInt32(s->date.month) * 50 + EngInt32(s->date.day));
  EngJsonAddUInt32ToObject(o, "date", date);
  EngJsonAddStringToObject(o, "plat", platform);
}

std::string ScoresSubmitMakeJsonText(ScoresProgram program, EngUInt16 game_version, EngUInt32 score_set,
                                     const ScoresScore *score) {
  if (!score) return std::string();
  json::Object object;
  BuildObject(object, program, game_version, score_set, score);
  char *text = EngJsonWriteObjectToString(object);
  if (!text) return std::string();
  std::string out(text);
  EngFree(text, 0, "ScoresSubmitMakeJsonText");
  return out;
}

namespace {
// Popups are decided once, at entry: none without a toolkit or while another popup is up.
struct Popups {
  MWin *mwin = nullptr;
  void Error(const char *title, const char *text) const {
    if (mwin) mwin->PopupErrorMessage(title, text);
  }
  void Message(const char *title, const char *text, double remove_after) const {
    if (!mwin) return;
    mwin->PopupMessage(title, text);
    if (remove_after > 0) mwin->PopupRemoveMessageAfterTime(remove_after);
  }
};
}  // namespace

ScoresSubmitResult ScoresSubmitScore(ScoresProgram program, EngUInt16 game_version, EngUInt32 score_set,
                                     const ScoresScore *score, MWin *mwin, EngInt32 *) {
  Popups popups;
  if (mwin && mwin->IsOn() && !mwin->PopupIsOn()) popups.mwin = mwin;
  const char *error_title = EngLanguagesGetStringIfExists("Common_Error", "Error");
  if (!score) {
    DebugErrorAlt(ENG_FUNC, "Parameters error");
    popups.Error(error_title, EngLanguagesGetStringIfExists("Common_InternalError", "Internal Error"));
    return -1;
  }
  if (!ScoresMainIsScoreValid(score, 0)) {
    popups.Error(error_title, InternalError(1).c_str());
    return -1;
  }
  if (EngInternetIsConnected() != 1) {
    popups.Error(error_title,
                 EngLanguagesGetStringIfExists("Misc_NoInternetConnection", "No connection to internet found"));
    return -2;
  }
  char *json_text = nullptr;
  try {
    json::Object object;
    BuildObject(object, program, game_version, score_set, score);
    json_text = EngJsonWriteObjectToString(object);
  } catch (const json::Exception &e) {
    DebugErrorAlt(ENG_FUNC, "json::Exception <%s>", DebugOutsideText(e.what()).c_str());
    popups.Error(error_title, InternalError(2).c_str());
    return -1;
  }
  if (!json_text) {
    popups.Error(error_title, InternalError(3).c_str());
    return -1;
  }
  // Drawn at once: the post below holds the main thread.
  if (popups.mwin)
    popups.mwin->PopupNoticeShowItAndRemoveIt(
        nullptr, EngLanguagesGetStringIfExists("Score_SubmittingScore", "Submitting your score..."));
  char *sealed = EngZlibEncryptCompressAndEncodeToBase64Data(SCORES_SUBMIT_KEY, json_text,
                                                             unsigned(strlen(json_text) + 1), 0, 0, nullptr);
  EngFree(json_text, 0, "ScoresSubmitScore");
  if (!sealed) {
    popups.Error(error_title, InternalError(4).c_str());
    return -1;
  }
  const char *problem_text = EngLanguagesGetStringIfExists("Score_InternetProblemCommunicating",
                                                           "Problem encountered communicating with Tallowmere");
  std::unique_ptr<CurlInterface> curl(new CurlInterface("ScoresSub", 0));
  char url[SCORES_MAIN_URL_SIZE];
  snprintf(url, sizeof(url), "%s/cgi-bin/common/scores/Scores.fcgi", OnlineConfigGetScoreBaseURL());
  const char posted = curl->DownloadFromUrlUsingPost(url, nullptr, 16, sealed, EngUInt32(strlen(sealed) + 1), 0, 15,
                                                    nullptr);
  EngFree(sealed, 0, "ScoresSubmitScore");
  const char *reply = curl->GetDownloadedData();
  const EngUInt32 length = reply ? curl->GetDownloadedDataSize() : 0;
  if (!posted) {
    DebugErrorAlt(ENG_FUNC, "Problem submitting [%s].",
                  (reply && length) ? DebugOutsideText(reply, length).c_str() : "(no data)");
    popups.Error(error_title, problem_text);
    return -3;
  }
  if (!reply || length < 3 || length > 19) {
    popups.Error(error_title, problem_text);
    return -3;
  }
  const std::string answer(reply, strnlen(reply, length));
  ScoresSubmitResult result = -1;
  const char *sorry = EngLanguagesGetStringIfExists("Common_Sorry", "Sorry");
  if (answer[0] == ' ' && answer[1] == 'A') {
    popups.Message(EngLanguagesGetStringIfExists("Scores_Congratulations", "Congratulations!"),
                   EngLanguagesGetStringIfExists("Score_SubmittedScore", "Your score was submitted successfully!"),
                   3.0);
    result = 4;
  } else if (answer[0] == ' ' && answer[1] == 'D') {
    popups.Message(nullptr,
                   EngLanguagesGetStringIfExists("Score_BetterScoreExists",
                                                 "You have already submitted as good a score or better."),
                   3.0);
    result = 6;
  } else if (answer[0] == ' ' && answer[1] == 'V') {
    // Numbers that do not parse read as 0, and so does a number no unsigned 32-bit value holds
    // (a sign included): wrapped, it could pass for a real version.
    long long values[2] = {0, 0};
    if (answer.size() > 3) EngInternetScanReplyNumbers(answer.data() + 3, answer.size() - 3, 0, UINT_MAX, values, 2);
    const unsigned held = unsigned(values[0]), newest = unsigned(values[1]);
    char message[512];
    const char *problem = EngLanguagesGetStringIfExists("Score_ProblemReadingList", "Problem reading high scores list");
    if (held != game_version) {
      snprintf(message, sizeof(message), "%s  [GV%d > CGV%d]", problem, int(game_version), int(held));
    } else if (newest == held) {
      snprintf(message, sizeof(message), "%s  [V SAME %d]", problem, int(held));
    } else if (newest > held) {
      message[0] = 0;
      const char *old = EngLanguagesGetStringIfExists(
          "Scores_OldVersionNormal", "This game is out of date - you need to download the latest version.");
      popups.Message(nullptr, old, 0);
      result = 7;
    } else {
      snprintf(message, sizeof(message), "%s  [V%d > V%d]", problem, int(held), int(newest));
    }
    if (result != 7) popups.Error(error_title, message);
  } else if (answer[0] == ' ' && answer[1] == 'X') {
    DebugErrorAlt(ENG_FUNC, "CE: %s",
                  answer.size() > 3 ? DebugOutsideText(answer.data() + 3, answer.size() - 3).c_str() : "");
    popups.Error(
        sorry, EngLanguagesGetStringIfExists("Score_ProblemSubmitting", "There was a problem submitting your score."));
  } else {
    DebugErrorAlt(ENG_FUNC, "CE: Unknown [%s].", DebugOutsideText(answer.data(), answer.size()).c_str());
    popups.Error(sorry, EngLanguagesGetStringIfExists("Score_UnknownProblem", "Unknown problem while submitting."));
  }
  return result;
}

char ScoresSubmitIsSubmitResultCodeAnError(ScoresSubmitResult result) {
  switch (result) {
    case -3: case -2: case -1: case 0: case 2: case 7:
      return 1;
    case 1: case 3: case 4: case 5: case 6:
      return 0;
    default:
      DebugErrorAlt(ENG_FUNC, "Unexpected result %d", int(result));
      return 1;
  }
}

char ScoresSubmitIsSubmitResultCodeASubmission(ScoresSubmitResult result) {
  if (result == 1 || result == 4 || result == 5) return 1;
  if (result >= -3 && result <= 7) return 0;
  DebugErrorAlt(ENG_FUNC, "Unexpected result %d", int(result));
  return 0;
}

char ScoresSubmitDoInternetTest(char *error_text, int size) {
  ScoresScore s;
  memset(&s, 0, sizeof(s));
  s.score = 99;
  s.date.year = 2011;
  s.date.month = 1;
  s.date.day = 1;
  s.user_id = 1234;
  memcpy(s.name, "Test", 4);
  memcpy(s.country, "IE", 2);
  const ScoresSubmitResult result = ScoresSubmitScore(SCORES_MAIN_TEST_PROGRAM, 100, 1, &s, nullptr, nullptr);
  if (result > 0) return 1;
  DebugErrorAlt(ENG_FUNC, "Return: %d", int(result));
  if (error_text && size > 0) EngSafeStrcpy(error_text, "Could not submit test score.", size_t(size));
  return 0;
}
