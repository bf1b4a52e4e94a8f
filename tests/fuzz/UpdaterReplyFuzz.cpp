// Feeds arbitrary replies to the update check's link handling and arbitrary links to the
// Desktop file name: the link must stay in its buffer, the reply may only get shorter, and a
// name may only hold [A-Za-z0-9._-], never start with '.', never exceed 100 characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "online/Updater.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzLogToScratch();
  // The reply as the check holds it: at most 2046 bytes, NUL-terminated.
  char reply[UPDATER_HTML_SIZE];
  size_t n = size < sizeof(reply) - 2 ? size : sizeof(reply) - 2;
  memcpy(reply, data, n);
  reply[n] = 0;
  size_t before = strlen(reply);
  char link[UPDATER_LINK_SIZE + 8];
  memset(link, 'G', sizeof(link));
  strcpy(link, "old");
  char taken = UpdaterTakeLinkFromReply(reply, link, UPDATER_LINK_SIZE);
  for (size_t i = UPDATER_LINK_SIZE; i < sizeof(link); i++)
    if (link[i] != 'G') abort();
  if (strlen(link) >= UPDATER_LINK_SIZE || strlen(reply) > before) abort();
  if (!taken && strcmp(link, "old") != 0) abort();
  if (strchr(link, '>')) abort();

  std::string name = UpdaterSanitiseFileName(taken ? link : reply);
  std::string raw = UpdaterSanitiseFileName(std::string(reinterpret_cast<const char *>(data), size).c_str());
  for (const std::string *s : {&name, &raw}) {
    if (s->size() > UPDATER_MAX_FILE_NAME || (!s->empty() && (*s)[0] == '.')) abort();
    for (char c : *s)
      if (!strchr("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-", c)) abort();
  }
  return 0;
}
