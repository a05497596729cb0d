#pragma once
// The move test and the attack test: all the knowledge of how pieces move.
// Legality is the conjunction of both: the move test passes and, after the
// move, the mover's king is not attacked.

#include "position.h"

namespace quorvel {

enum class Castling : std::int8_t { none, kingSide, queenSide };

// Result of checkMove.
struct MoveCheck {
    bool valid = false;
    std::int8_t piece = 0;      // code on the from-square
    std::int8_t target = 0;     // code on the to-square
    bool moverIsUpper = false;  // piece is 10 or less
    Castling castling = Castling::none;
};

// May the piece on (fromX, fromY) go to (toX, toY)? With kingCapture set
// (attack mode): could it capture a king standing on the to-square?
// Coordinates are 1..8. Castling is reported when the board conditions hold;
// check and attacked squares are the business of castlingAllowed.
MoveCheck checkMove(const Position& position, StateWord state, int fromX, int fromY, int toX, int toY,
                    bool kingCapture);

// The squares worth trying as targets of the piece `code` on (x, y), clamped
// to the board: the move test refuses every other square anyway. Move
// generation tries them files ascending, rows ascending within a file.
struct TargetWindow {
    int fromX, toX, fromY, toY;
};
TargetWindow targetWindow(int code, int x, int y);

// Is the king of the given side attacked, after an optional trial move
// (fromX == 0: none)? A king X of 0 means: find that king on the board.
// The trial move of an en-passant capture also removes the taken pawn.
bool kingAttacked(const Position& position, StateWord state, int fromX, int fromY, int toX, int toY,
                  int upperKingX, int upperKingY, int lowerKingX, int lowerKingY, bool sideIsUpper);

// Does an opposing piece attack (could capture a king on) square (x, y)?
bool squareAttacked(const Position& position, StateWord state, int x, int y, bool byUpper);

// The chess rule for a castling that passed the move test: refused when the
// side has castled already, when its king is in check, or when an opposing
// piece attacks a square the king crosses or lands on (files 6 and 7 on the
// king's side, 4 and 3 on the queen's side). Shared by the move application,
// the engine's expansion and the click handling.
bool castlingAllowed(const Position& position, StateWord state, bool moverIsUpper, Castling castling);

}  // namespace quorvel
