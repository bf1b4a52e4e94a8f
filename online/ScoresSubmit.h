// Sending one finished game's score to the score server: the record as a JSON object, sealed
// under the game's key and posted; the server's few-byte answer says whether it was stored,
// beaten or refused for an old version, and the player is told.
#pragma once

#include <string>

#include "Engine/EngTypes.h"
#include "online/ScoresMain.h"

struct ScoresScore;
class MWin;

// -3 communication problem, -2 no connection, -1 error or refusal, 4 accepted, 6 a better
// score is held, 7 the game is out of date; 0, 1, 2, 3 and 5 are never returned.
typedef EngInt32 ScoresSubmitResult;

// With mwin null, the toolkit off or a popup already up, no popup is shown.
ScoresSubmitResult ScoresSubmitScore(ScoresProgram program, EngUInt16 game_version, EngUInt32 score_set,
                                     const ScoresScore *score, MWin *mwin, EngInt32 *unused);
char ScoresSubmitIsSubmitResultCodeAnError(ScoresSubmitResult result);
char ScoresSubmitIsSubmitResultCodeASubmission(ScoresSubmitResult result);
char ScoresSubmitDoInternetTest(char *error_text, int size);

// The JSON text that is sealed and sent (without its NUL); empty when it cannot be written.
std::string ScoresSubmitMakeJsonText(ScoresProgram program, EngUInt16 game_version, EngUInt32 score_set,
                                     const ScoresScore *score);
extern const char *const SCORES_SUBMIT_KEY;
