#include "online/OnlineConfig.h"

#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "Engine/EngDebug.h"
#include "Engine/EngVarious.h"

// Longer bases would not leave room for the paths and queries put behind them.
enum { ONLINE_CONFIG_MAX_BASE_LENGTH = 400 };

static bool OnlineConfigIsHttpAddress(const char *value) {
  size_t scheme = 0;
  if (strncasecmp(value, "http://", 7) == 0)
    scheme = 7;
  else if (strncasecmp(value, "https://", 8) == 0)
    scheme = 8;
  else
    return false;
  size_t length = strlen(value);
  if (length <= scheme || length > ONLINE_CONFIG_MAX_BASE_LENGTH) return false;
  // A blank or a control character would end up inside a request line.
  for (size_t i = 0; i < length; i++) {
    unsigned char c = static_cast<unsigned char>(value[i]);
    if (c <= ' ' || c == 0x7F) return false;
  }
  return value[scheme] != '/';
}

static const char *OnlineConfigGetBase(const char *variable) {
  const char *value = getenv(variable);
  if (!value || !value[0]) return various_tallowmere_home_page;
  if (OnlineConfigIsHttpAddress(value)) return value;
  DebugErrorAlt(ENG_FUNC, "%s is not an http or https address; ignored.", variable);
  return various_tallowmere_home_page;
}

const char *OnlineConfigGetScoreBaseURL() { return OnlineConfigGetBase("QUARRELWICK_SCORE_URL"); }

// The maker's update server as built in: none yet (the home page answers no checks). Without it
// and without QUARRELWICK_UPDATE_URL there is nowhere to ask, and the weekly check is skipped.
static const char online_config_builtin_update_base[] = "";

const char *OnlineConfigGetUpdateBaseURL() {
  const char *base = OnlineConfigGetBase("QUARRELWICK_UPDATE_URL");
  if (base == various_tallowmere_home_page && online_config_builtin_update_base[0])
    return online_config_builtin_update_base;
  return base;
}

char OnlineConfigHasUpdateAddress() { return OnlineConfigGetUpdateBaseURL() != various_tallowmere_home_page; }
