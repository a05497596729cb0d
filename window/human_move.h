#pragma once
// The human's move on the stored position: the lower side (codes 11..16)
// moving from one square to another. Validation, the reachable squares shown
// while a piece is selected, and placing an accepted move on the board.

#include <optional>

#include "rules/move_validity.h"
#include "rules/position.h"
#include "window/board_geometry.h"

namespace quorvel {

struct HumanMove {
    board::Square from;
    board::Square to;
    Castling castling = Castling::none;
    bool promotes = false;  // a pawn reaching row 8: the chooser decides the piece
};

// The move if the rules accept it: the piece's geometry and path, castling
// with the chess rule (no castling out of, through or into check), en
// passant, and the human's own king not left attacked.
std::optional<HumanMove> validateHumanMove(const Position& position, StateWord state, board::Square from,
                                           board::Square to);

// Why validateHumanMove refuses a move, for the player.
enum class MoveRefusal {
    none,             // accepted
    notAMove,         // the piece can't go there
    kingLeftInCheck,  // the human's king would be attacked after it
    castlingInCheck,  // a castling out of or through check
};
MoveRefusal humanMoveRefusal(const Position& position, StateWord state, board::Square from, board::Square to);

// Makes an accepted move on `record.current` and records it. `promotionPiece`
// is the human's code chosen for a promoting pawn. False when the record is
// full (nothing changes then).
bool playHumanMove(GameRecord& record, const HumanMove& move, int promotionPiece);

}  // namespace quorvel
