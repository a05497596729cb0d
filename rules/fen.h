#pragma once
// Setting up a game record from a FEN string, for the command-line tools.
//
// The mapping: a missing K (k) right sets that side's h-rook bit, a missing
// Q (q) its a-rook bit, a side with neither also gets its king-moved bit; the
// castled bits stay clear. The en-passant square sets the double-step file of
// the side that has just moved. plyCount = 2 * (fullmove - 1), +1 when Black
// is to move; the earlier move texts stay empty.

#include <optional>
#include <string>
#include <variant>

#include "position.h"

namespace quorvel {

struct FenError {
    std::string message;
};

struct FenSetup {
    GameRecord record;  // current, state, plyCount, recordLength, playerIsBlack
    bool whiteToMove = true;
};

// Which army White becomes: the lower side (the player has White), the upper
// side (the board held mirrored, playerIsBlack set), or whichever makes the
// side to move the upper side, the computer's (used by search).
enum class FenOrientation { whiteLower, blackLower, sideToMoveUpper };

std::variant<FenSetup, FenError> parseFen(const std::string& fen, FenOrientation orientation);

inline const char* kStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

}  // namespace quorvel
