// The platform half of the user's locale: the POSIX locale variables in the order the C
// library gives them precedence for messages. The process locale itself is never set or
// read, so the answer does not depend on what setlocale() has been told.
#include "Engine/EngMisc.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"

static char test_locale_on = 0;
static std::string test_locale_values[3];
static char test_locale_set[3] = {0, 0, 0};

void EngMiscSetLocaleVariablesForTests(char on, const char *lc_all, const char *lc_messages, const char *lang) {
  test_locale_on = on;
  const char *values[3] = {lc_all, lc_messages, lang};
  for (int i = 0; i < 3; i++) {
    test_locale_set[i] = on && values[i] ? 1 : 0;
    test_locale_values[i] = test_locale_set[i] ? values[i] : "";
  }
}

static const char *LocaleVariable(int which) {
  static const char *const names[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  if (test_locale_on) return test_locale_set[which] ? test_locale_values[which].c_str() : nullptr;
  return getenv(names[which]);
}

char EngMiscGetLocaleIdentifier_MAC(char *buffer, int size) {
  if (!buffer || size < 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  buffer[0] = 0;
  for (int i = 0; i < 3; i++) {
    const char *value = LocaleVariable(i);
    if (!value || !value[0]) continue;
    // Bounded: the variable can hold anything the user's shell put there.
    size_t length = strnlen(value, size_t(size));
    if (length >= size_t(size)) return 0;
    memcpy(buffer, value, length);
    buffer[length] = 0;
    return 1;
  }
  return 1;
}
