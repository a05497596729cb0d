#pragma once
// FEN, the text form of a chess position: setting up a game record from it,
// and the FEN of the position a game record shows.
//
// The mapping: a missing K (k) right sets that side's h-rook bit, a missing
// Q (q) its a-rook bit, a side with neither also gets its king-moved bit; the
// castled bits stay clear. The en-passant square sets the double-step file of
// the side that has just moved. plyCount = 2 * (fullmove - 1), +1 when Black
// is to move; the earlier move texts stay empty, and the half-move clock is
// kept beside the record.

#include <optional>
#include <string>
#include <variant>

#include "position.h"

namespace quorvel {

// Why a FEN was refused, in French for the user ("les deux rois se touchent").
struct FenError {
    std::string message;
};

struct FenSetup {
    GameRecord record;  // current, state, plyCount, recordLength, playerIsBlack, setupHalfMoveClock
    bool whiteToMove = true;
};

// Which army White becomes: the lower side (the player has White), the upper
// side (the board held mirrored, playerIsBlack set), or whichever makes the
// side to move the upper side, the computer's (used by search), or the lower
// side, the player's (a position pasted into the window).
enum class FenOrientation { whiteLower, blackLower, sideToMoveUpper, sideToMoveLower };

// Refuses text that is not a FEN, and boards the rules can't work on: a
// missing or extra king, pawns on the first or last rank.
std::variant<FenSetup, FenError> parseFen(const std::string& fen, FenOrientation orientation);

// As parseFen, and refuses the positions no game can reach: more than 16
// pieces or 8 pawns a side, kings side by side, the side not to move in
// check, an en-passant square behind no pawn that has just made a double
// step. Castling rights whose king or rook is not at home are dropped. For
// positions a user gives.
std::variant<FenSetup, FenError> parseLegalFen(const std::string& fen, FenOrientation orientation);

// A set-up as a game to play on and save: the game file keeps no position
// before its first half-move, so a position other than the initial one with
// White to move at move 1 is placed at move 2.
void keepSetupInHistory(GameRecord& record);

// The FEN of the position after plyCount half-moves, with its castling
// rights, en-passant square, half-move clock and move number.
std::string formatFen(const GameRecord& record);

inline const char* kStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

}  // namespace quorvel
