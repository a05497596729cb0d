#pragma once
// The "info" lines a chess program shows while the engine thinks.

#include <chrono>
#include <cstdint>
#include <string>

#include "engine/search_status.h"
#include "uci/uci_info_line.h"

namespace quorvel {

// The line ends with the mated side's last move (the "++" mark).
bool endsInMate(const PrincipalLine& line);

// A line worth showing: it has moves, and it ends in a mate or its score is
// an evaluation, not one of the bounds the back-up gives to lines it left
// out or to a node whose side has no move (a pass cut short by the clock can
// leave the root with one).
bool isScored(const PrincipalLine& line);

// Hundredths of a pawn from the engine's side, or moves to a mate, negative
// when the engine is mated, for a line that ends in a mate; and its text
// ("cp X", "mate N").
UciScore uciScoreOf(const PrincipalLine& line);
std::string uciScore(const PrincipalLine& line);

// The line's moves in the engines' notation, from `base` (the position the
// search started from, the engine, the upper side, to move).
std::string uciLine(const Position& base, const PrincipalLine& line, bool playerIsBlack);

// What one "info" line shows.
struct InfoSnapshot {
    int depth = 0;                      // the main tree's depth limit
    int secondaryDepth = 0;             // the secondary tree's depth below the main one
    std::uint32_t nodes = 0;            // positions evaluated
    std::chrono::milliseconds time{0};  // since the "go"
    PrincipalLine line;                 // empty before the first level is complete
};

// "info depth D seldepth S score ... nodes N nps R time T pv ...". The
// selective depth is the deepest the search looked along its line; score
// and pv are left out while the line has none.
std::string formatInfo(const InfoSnapshot& info, const Position& base, bool playerIsBlack);

}  // namespace quorvel
