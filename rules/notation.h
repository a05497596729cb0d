#pragma once
// Display notations of a move: coordinates as stored, or short algebraic
// notation with French piece letters (R, D, T, C, F).

#include <string>

#include "position.h"

namespace quorvel {

// The display text of one record entry. `after` is the history entry of the
// same index (cell 0 the side marker); `state` the game's current StateWord.
std::string formatMove(const MoveText& text, const Position& after, StateWord state, bool isLast,
                       bool algebraic);

// "o-o"/"o-o-o" for a king going from file 5 to 7/3, else from, '-' or 'x', to.
MoveText buildMoveText(int fromX, int fromY, int toX, int toY, int placedPiece, bool capture);

// Long algebraic form of a text whose digits are chess ranks, as engines
// print it ("e2e4", "e7e8q"); castling becomes the king's move of the side.
std::string longAlgebraic(const MoveText& text, bool whiteMoved, int promotionPiece = 0);

}  // namespace quorvel
