#pragma once
// Plays games for the tests the way the window and the engine record them:
// the human moves the lower side, the computer the upper side, and the
// board is mirrored while the human has Black.

#include <string>
#include <vector>

#include "rules/position.h"

namespace quorvel::test {

// A new game with the human on the given side.
GameRecord newScriptedGame(bool playerIsBlack);

// Plays one half-move given in chess coordinates ("e2e4", castling as the
// king's move, "a7a8n" a promotion to another piece than the queen). False
// (record unchanged) when it is not legal.
bool playScripted(GameRecord& record, const std::string& token);

// Plays the blank-separated tokens; returns how many were legal before the
// first illegal one.
int playScriptedLine(GameRecord& record, const std::string& tokens);

std::vector<std::string> splitTokens(const std::string& tokens);

}  // namespace quorvel::test
