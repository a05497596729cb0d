#include "engine/bitboard.h"

namespace quorvel {

namespace {

bool inside(int x, int y) { return x >= 1 && x <= 8 && y >= 1 && y <= 8; }

AttackTables buildTables() {
    AttackTables t;
    // Directions ordered so that 0..3 raise the bit index and 4..7 lower it.
    constexpr int kDx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    constexpr int kDy[8] = {1, 0, 1, -1, -1, 0, -1, 1};
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const auto s = static_cast<std::size_t>(bitOf(x, y));
            for (int dx = -2; dx <= 2; ++dx) {
                for (int dy = -2; dy <= 2; ++dy) {
                    if (!inside(x + dx, y + dy)) continue;
                    const int ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
                    if ((ax == 1 && ay == 2) || (ax == 2 && ay == 1)) t.knight[s] |= single(bitOf(x + dx, y + dy));
                    if (ax <= 1 && ay <= 1 && (ax | ay) != 0) t.king[s] |= single(bitOf(x + dx, y + dy));
                }
            }
            for (int dx : {-1, 1}) {
                if (inside(x + dx, y - 1)) t.upperPawn[s] |= single(bitOf(x + dx, y - 1));
                if (inside(x + dx, y + 1)) t.lowerPawn[s] |= single(bitOf(x + dx, y + 1));
            }
            for (std::size_t d = 0; d < 8; ++d) {
                for (int cx = x + kDx[d], cy = y + kDy[d]; inside(cx, cy); cx += kDx[d], cy += kDy[d]) {
                    t.ray[d][s] |= single(bitOf(cx, cy));
                }
            }
        }
    }
    return t;
}

}  // namespace

const AttackTables& attackTables() {
    static const AttackTables tables = buildTables();
    return tables;
}

}  // namespace quorvel
