#include "board_checks.h"

#include <cstdlib>

namespace quorvel {

BoardFault kingsAndPawnsFault(const Position& board) {
    int lowerKings = 0, upperKings = 0;
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const int code = board.at(x, y);
            if ((code == kLowerPawn || code == kUpperPawn) && (y == 1 || y == 8))
                return BoardFault::pawnOnBackRow;
            lowerKings += code == kLowerKing;
            upperKings += code == kUpperKing;
        }
    }
    if (lowerKings != 1) return lowerKings == 0 ? BoardFault::lowerKingMissing : BoardFault::lowerKingsExtra;
    if (upperKings != 1) return upperKings == 0 ? BoardFault::upperKingMissing : BoardFault::upperKingsExtra;
    return BoardFault::none;
}

bool kingsTouch(const Position& board) {
    int lowerX = 0, lowerY = 0, upperX = 0, upperY = 0;
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            if (board.at(x, y) == kLowerKing) lowerX = x, lowerY = y;
            if (board.at(x, y) == kUpperKing) upperX = x, upperY = y;
        }
    }
    return std::abs(lowerX - upperX) <= 1 && std::abs(lowerY - upperY) <= 1;
}

}  // namespace quorvel
