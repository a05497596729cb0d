#pragma once
// Where the captured-pieces window draws each missing piece. The position
// is given with the human as White on the lower side: codes 1..6 are
// Black's pieces, 11..16 White's.

#include <vector>

#include "rules/position.h"

namespace quorvel {

struct PiecePlacement {
    int code = 0;  // 2..6 or 12..16
    int x = 0;     // pixels of the client area, top-left of a 50 x 50 picture
    int y = 0;
};

// Missing pieces per code: queens 1 - count, rooks, knights and bishops
// 2 - count, pawns 8 - count, never negative (a promoted pawn counts as
// missing, an extra queen is not shown). Black's first, from (180, 10), 40
// pixels apart, nine to a row; White's start on a row 50 pixels lower.
// Empty when nothing is missing.
std::vector<PiecePlacement> layoutCapturedPieces(const Position& whiteLower);

}  // namespace quorvel
