#include "screens/ScreensText.h"

#include <cstring>

#include "Engine/EngLanguages.h"

const char *ScreensText(const char *token, const char *english) {
  return EngLangTokenExists(token, 0) ? EngLanguagesGetString(token, 0) : english;
}

void ScreensTextWithArg(const char *token, const char *english, const char *arg, char *out, int size) {
  if (!out || size <= 0) return;
  const char *text = ScreensText(token, english);
  if (!arg) arg = "";
  const char *at = strstr(text, "%1");
  int n = 0;
  auto put = [&](const char *from, size_t count) {
    for (size_t i = 0; i < count && n < size - 1; i++) out[n++] = from[i];
  };
  if (at) {
    put(text, size_t(at - text));
    put(arg, strlen(arg));
    put(at + 2, strlen(at + 2));
  } else {
    put(text, strlen(text));
  }
  out[n] = 0;
}
