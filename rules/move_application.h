#pragma once
// How a move changes a Position and its StateWord, the initial position,
// the new-game reset and the bookkeeping of a move made on the live game.

#include <cstdlib>
#include <optional>

#include "move_validity.h"
#include "position.h"

namespace quorvel {

// Writes the initial armies into rows 1, 2, 7 and 8 and empties rows 3..6.
void setInitialPosition(Position& position);

struct MoveOutcome {
    StateWord state = 0;  // the new state word
    bool capture = false;
};

// The state after a move of `piece` (the code on the from-square): king and
// rook bits by the from-file, the mover's double-step field cleared, or set by
// a two-row pawn step. Castled bits are the caller's business. Inline: the
// engine's expansion calls it for every child.
inline StateWord stateAfterMove(StateWord state, int piece, int fromX, int fromY, int toX, int toY) {
    const bool upper = isUpperPiece(piece);
    if (piece == kUpperKing) state |= kUpperKingMoved;
    if (piece == kLowerKing) state |= kLowerKingMoved;
    if (piece == kUpperRook && fromX == 1) state |= kUpperRookAMoved;
    if (piece == kUpperRook && fromX == 8) state |= kUpperRookHMoved;
    if (piece == kLowerRook && fromX == 1) state |= kLowerRookAMoved;
    if (piece == kLowerRook && fromX == 8) state |= kLowerRookHMoved;
    state = upper ? withUpperDoubleStepFile(state, 0) : withLowerDoubleStepFile(state, 0);
    const bool pawn = piece == kUpperPawn || piece == kLowerPawn;
    if (pawn && std::abs(toY - fromY) == 2) {
        state = upper ? withUpperDoubleStepFile(state, toX) : withLowerDoubleStepFile(state, toX);
    }
    return state;
}

// Makes a move that passed the move test. `castling` is the move test's
// report; `promotionPiece` 0 means the mover's queen. Returns nullopt when
// a castling is refused (then the position is unchanged).
std::optional<MoveOutcome> makeMove(Position& position, StateWord state, int fromX, int fromY, int toX,
                                    int toY, Castling castling, int promotionPiece = 0);

// Applies a text whose digits are rows of `position`, without any test.
// Promotion is always to a queen; state cells are not changed.
void replayMoveText(Position& position, const MoveText& text, bool moverIsUpper);

// The rules' part of the new-game reset: live position, state, record.
void newGame(GameRecord& record);

enum class RecordResult { recorded, recordFull };

// Bookkeeping of a move already made on record.current: stores the text
// (chess ranks), the check mark, unpacks `newState`, copies the position into
// history with its side marker and advances plyCount and recordLength.
// `byPlayer` clears the moves the player had stepped back over.
// Refuses (and changes nothing) when the record already holds 300 entries.
RecordResult recordMove(GameRecord& record, const MoveText& text, StateWord newState, bool byPlayer);

// Does the side that just moved attack the other side's king?
bool givesCheck(const Position& position, StateWord state, bool moverIsUpper);

}  // namespace quorvel
