#include "screens/ScreensText.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "Engine/EngLanguages.h"

const char *ScreensText(const char *token, const char *english) {
  return EngLanguagesGetStringIfExists(token, english);
}

void ScreensTextWithArg(const char *token, const char *english, const char *arg, char *out, int size) {
  if (!out || size <= 0) return;
  const std::string text = EngLanguagesText(token, english, arg ? arg : "");
  const size_t n = std::min(text.size(), size_t(size - 1));
  memcpy(out, text.data(), n);
  out[n] = 0;
}
