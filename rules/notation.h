#pragma once
// Display notations of a move: coordinates as stored, or short algebraic
// notation with French piece letters (R, D, T, C, F).

#include <string>

#include "position.h"

namespace quorvel {

// The display text of one record entry. `after` is the history entry of the
// same index (cell 0 the side marker); `state` the game's current StateWord.
// `promotedKind` is the kind a pawn became on this move (promotionAt), 0 for
// none: the text then names it, "a7-a8=D+" or "a8=D+", where the stored
// text says "a7-a8+" and the piece on a8 alone would read as a queen's move.
std::string formatMove(const MoveText& text, const Position& after, StateWord state, bool isLast,
                       bool algebraic, int promotedKind = 0);
// The display text of record entry `index`, promotion included.
std::string formatRecordMove(const GameRecord& record, int index, bool isLast, bool algebraic);

// The kind (kUpperQueen..kUpperBishop) a pawn became on half-move `index`
// of the record, 0 when that half-move promoted nothing.
int promotionAt(const GameRecord& record, int index);
// The French letter of a piece kind or code: R, D, T, C, F; 0 for a pawn.
char frenchPieceLetter(int code);

// "o-o"/"o-o-o" for a king going from file 5 to 7/3, else from, '-' or 'x', to.
MoveText buildMoveText(int fromX, int fromY, int toX, int toY, int placedPiece, bool capture);

// Long algebraic form of a text whose digits are chess ranks, as engines
// print it ("e2e4", "e7e8q"); castling becomes the king's move of the side.
std::string longAlgebraic(const MoveText& text, bool whiteMoved, int promotionPiece = 0);

}  // namespace quorvel
