#pragma once
// Whether the entries of a stored game are a game the rules can go on
// with: move texts in the forms the rules read, boards the rules can play
// from, and each move leading from its board to the next.

#include "rules/position.h"

namespace quorvel {

// A move text in one of the forms the rules read, ended inside its 8 bytes.
bool storedTextValid(const MoveText& text);

// A board the rules can play from: piece codes they know, one king a side,
// the kings apart, no pawn on a back row, state cells in their ranges, a
// side marker, and the king of the side that has just moved (White when
// `whiteMoved`) not left attacked.
bool storedPositionPlayable(const Position& position, bool whiteMoved);

// Half-move k+1 (`text`, in chess ranks) is a legal move on `before` that
// gives `after`. The two boards may be held for different players (their
// side markers say how); a promotion may be to any piece.
bool storedMoveLeads(const Position& before, const MoveText& text, const Position& after, bool whiteMoved);

}  // namespace quorvel
