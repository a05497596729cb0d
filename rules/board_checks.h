#pragma once
// What a board needs before the rules can play from it, whichever army is
// the lower side: checked on a position a user gives and on every board a
// stored game holds.

#include "position.h"

namespace quorvel {

enum class BoardFault {
    none,
    pawnOnBackRow,  // a pawn on row 1 or 8 has either promoted or never existed
    lowerKingMissing,
    lowerKingsExtra,
    upperKingMissing,
    upperKingsExtra,
};

// One king a side and no pawn on a back row; the first fault in the order
// of the enumeration.
BoardFault kingsAndPawnsFault(const Position& board);

// The two kings on neighbouring squares, where each would attack the other.
bool kingsTouch(const Position& board);

}  // namespace quorvel
