// Where the online services live: the score server's and the update server's base addresses.
// QUARRELWICK_SCORE_URL and QUARRELWICK_UPDATE_URL override the maker's address (tests point
// them at a server of their own on 127.0.0.1); a value that is not an http or https address is
// logged and ignored.
#pragma once

// The environment is read on every call; the text stays valid until the environment changes.
const char *OnlineConfigGetScoreBaseURL();
const char *OnlineConfigGetUpdateBaseURL();
// 1 when an update server is named, by the environment or built in.
char OnlineConfigHasUpdateAddress();
