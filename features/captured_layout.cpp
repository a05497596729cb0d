#include "features/captured_layout.h"

#include <algorithm>

namespace quorvel {

namespace {

int fullCount(int code) {
    switch (code % 10) {
        case 2:
            return 1;
        case 6:
            return 8;
        default:
            return 2;
    }
}

int missing(const Position& position, int code) {
    int count = 0;
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y)
            if (position.at(x, y) == code) ++count;
    return std::max(0, fullCount(code) - count);
}

}  // namespace

std::vector<PiecePlacement> layoutCapturedPieces(const Position& whiteLower) {
    std::vector<PiecePlacement> placements;
    int x = 180;
    int y = 10;
    for (int side : {0, 10}) {
        // White's row starts 50 pixels below Black's last row, drawn or not.
        if (side == 10) {
            x = 180;
            y += 50;
        }
        for (int code = side + 2; code <= side + 6; ++code) {
            for (int n = missing(whiteLower, code); n > 0; --n) {
                placements.push_back({code, x, y});
                x += 40;
                if (x > 500) {
                    x = 180;
                    y += 40;
                }
            }
        }
    }
    return placements;
}

}  // namespace quorvel
