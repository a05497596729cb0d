#pragma once
// 64-bit square sets for the fast expansion. Bit (X-1)*8 + (Y-1) stands for
// square (X, Y), so ascending bits run files 1..8 and, within a file, rows
// 1..8: exactly the order in which the expansion must list pieces and targets.

#include <array>
#include <bit>
#include <cstdint>

namespace quorvel {

using Bits = std::uint64_t;

constexpr int bitOf(int x, int y) {
    return (x - 1) * 8 + (y - 1);
}
constexpr int fileOf(int bit) {
    return bit / 8 + 1;
}
constexpr int rowOf(int bit) {
    return bit % 8 + 1;
}
constexpr Bits single(int bit) {
    return Bits{1} << bit;
}

// Bits set, without relying on a popcount instruction the generic x86-64
// target lacks (the library call it would make costs more than this).
inline int countBits(Bits b) {
    b = b - ((b >> 1) & 0x5555555555555555ull);
    b = (b & 0x3333333333333333ull) + ((b >> 2) & 0x3333333333333333ull);
    b = (b + (b >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((b * 0x0101010101010101ull) >> 56);
}

struct AttackTables {
    std::array<Bits, 64> knight{};
    std::array<Bits, 64> king{};
    std::array<Bits, 64> upperPawn{};           // squares an upper pawn attacks (towards row 1)
    std::array<Bits, 64> lowerPawn{};           // squares a lower pawn attacks (towards row 8)
    std::array<std::array<Bits, 64>, 8> ray{};  // 0..3 towards higher bits, 4..7 towards lower
    std::array<Bits, 64> lines{};               // all eight rays together
};

namespace detail {

constexpr bool inside(int x, int y) {
    return x >= 1 && x <= 8 && y >= 1 && y <= 8;
}

constexpr AttackTables buildTables() {
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
                    if ((ax == 1 && ay == 2) || (ax == 2 && ay == 1))
                        t.knight[s] |= single(bitOf(x + dx, y + dy));
                    if (ax <= 1 && ay <= 1 && (ax | ay) != 0) t.king[s] |= single(bitOf(x + dx, y + dy));
                }
            }
            for (int dx = -1; dx <= 1; dx += 2) {
                if (inside(x + dx, y - 1)) t.upperPawn[s] |= single(bitOf(x + dx, y - 1));
                if (inside(x + dx, y + 1)) t.lowerPawn[s] |= single(bitOf(x + dx, y + 1));
            }
            for (std::size_t d = 0; d < 8; ++d) {
                for (int cx = x + kDx[d], cy = y + kDy[d]; inside(cx, cy); cx += kDx[d], cy += kDy[d]) {
                    t.ray[d][s] |= single(bitOf(cx, cy));
                }
                t.lines[s] |= t.ray[d][s];
            }
        }
    }
    return t;
}

}  // namespace detail

// Built by the compiler: no start-up work and no guard on each use.
inline constexpr AttackTables kAttackTables = detail::buildTables();

inline const AttackTables& attackTables() {
    return kAttackTables;
}

inline Bits slide(const AttackTables& t, int dir, int from, Bits occupied) {
    Bits ray = t.ray[static_cast<std::size_t>(dir)][static_cast<std::size_t>(from)];
    const Bits blockers = ray & occupied;
    if (blockers != 0) {
        const int first = dir < 4 ? std::countr_zero(blockers) : 63 - std::countl_zero(blockers);
        ray ^= t.ray[static_cast<std::size_t>(dir)][static_cast<std::size_t>(first)];
    }
    return ray;
}

inline Bits rookAttacks(const AttackTables& t, int from, Bits occupied) {
    return slide(t, 0, from, occupied) | slide(t, 1, from, occupied) | slide(t, 4, from, occupied) |
           slide(t, 5, from, occupied);
}

inline Bits bishopAttacks(const AttackTables& t, int from, Bits occupied) {
    return slide(t, 2, from, occupied) | slide(t, 3, from, occupied) | slide(t, 6, from, occupied) |
           slide(t, 7, from, occupied);
}

}  // namespace quorvel
