// The update check's reply and link texts: no network, no window, so the fuzzer builds them alone.
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "online/Updater.h"

static const char kLinkTag[] = "#DL:<";
enum { LINK_TAG_LENGTH = 5, LINK_MIN_TEXT = 11, LINK_MAX_TEXT = 256 };

char UpdaterTakeLinkFromReply(char *reply, char *link, size_t link_size) {
  if (!reply) return 0;
  char *tag = strstr(reply, kLinkTag);
  if (!tag) return 0;
  size_t measured = strlen(tag);
  if (measured >= LINK_MAX_TEXT) {
    tag[LINK_MAX_TEXT] = 0;
    DebugErrorAlt("UpdaterReadURL", "Link too long <%s...>",
                  DebugOutsideText(tag, LINK_MAX_TEXT, 4 * LINK_MAX_TEXT).c_str());
    return 0;
  }
  char taken = 0;
  if (measured >= LINK_MIN_TEXT && link && link_size > 0) {
    const char *text = tag + LINK_TAG_LENGTH;
    size_t length = strcspn(text, ">");
    if (length > link_size - 1) length = link_size - 1;
    memcpy(link, text, length);
    link[length] = 0;
    taken = 1;
  }
  // The player reads the reply; the link is the program's business.
  *tag = 0;
  return taken;
}

static bool IsNameCharacter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
         c == '-';
}

std::string UpdaterSanitiseFileName(const char *link) {
  if (!link) return std::string();
  std::string name(link);
  size_t query = name.find_first_of("?#");
  if (query != std::string::npos) name.erase(query);
  size_t slash = name.rfind('/');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  for (char &c : name)
    if (!IsNameCharacter(static_cast<unsigned char>(c))) c = '_';
  // No hidden files, and never "." or "..".
  size_t first = name.find_first_not_of('.');
  name.erase(0, first == std::string::npos ? name.size() : first);
  if (name.size() > UPDATER_MAX_FILE_NAME) name.resize(UPDATER_MAX_FILE_NAME);
  return name;
}
