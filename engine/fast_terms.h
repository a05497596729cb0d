#pragma once
// The evaluation split for the fast expansion: a piece-square part that a
// move changes on two or three squares only, and the terms that look at
// neighbouring squares, recomputed on the child board from square sets.
// All values are signed: positive for the upper side.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "engine/bitboard.h"
#include "engine/evaluation.h"
#include "rules/position.h"

namespace quorvel {

// A board as square sets plus a 64-entry copy of the codes.
struct FastBoard {
    std::array<std::int8_t, 64> square{};
    std::array<Bits, 17> pieces{};  // by piece code
    std::array<Bits, 2> army{};     // 0: upper side, 1: lower side
    Bits occupied = 0;

    static FastBoard from(const Position& position);
    // One king per side, known codes, no pawn on an end row.
    bool ordinary() const;

    void remove(int bit) {
        const int code = square[static_cast<std::size_t>(bit)];
        if (code == 0) return;
        const Bits mask = ~single(bit);
        pieces[static_cast<std::size_t>(code)] &= mask;
        army[code > 10 ? 1 : 0] &= mask;
        occupied &= mask;
        square[static_cast<std::size_t>(bit)] = 0;
    }
    void put(int bit, int code) {
        remove(bit);
        const Bits mask = single(bit);
        pieces[static_cast<std::size_t>(code)] |= mask;
        army[code > 10 ? 1 : 0] |= mask;
        occupied |= mask;
        square[static_cast<std::size_t>(bit)] = static_cast<std::int8_t>(code);
    }
};

// Rows as bit masks: bit (X-1)*8 + (Y-1) is square (X, Y).
constexpr Bits kRow1 = 0x0101010101010101ull;
constexpr Bits rowMask(int row) {
    return kRow1 << (row - 1);
}
constexpr Bits kFileA = 0xFFull;
constexpr Bits kFileH = 0xFFull << 56;

// One side's terms from its square sets, so that a child needs no board of
// its own: rooks on open files, bishop neighbours, pawn shape, and the
// global terms (state bits, queen at home, pawns).
inline int rookFiles(Bits rookSet, Bits occupied, bool upper) {
    int count = 0;
    for (Bits rooks = rookSet; rooks != 0; rooks &= rooks - 1) {
        const int bit = std::countr_zero(rooks);
        const int x = fileOf(bit), y = rowOf(bit);
        const auto file = static_cast<std::uint8_t>(occupied >> (8 * (x - 1)));
        if (upper) {
            // Empty run below the rook, the lower side's home row excluded.
            const int below = file & ((1 << (y - 1)) - 1);
            count += std::max(
                0, std::min(y - 1 - static_cast<int>(std::bit_width(static_cast<unsigned>(below))), y - 2));
        } else {
            const auto above = static_cast<std::uint8_t>(file >> y);
            count += std::max(0, std::min(static_cast<int>(std::countr_zero(above)), 7 - y));
        }
    }
    return 2 * count;
}

// Pairs of own bishops side by side, counted with shifts: the square behind
// (its row limits already exclude a bishop on its home row, so the
// undeveloped exception never applies) and the three on the file to the left.
constexpr Bits rows(int from, int to) {
    Bits mask = 0;
    for (int r = from; r <= to; ++r) mask |= rowMask(r);
    return mask;
}

inline int bishopNeighbours(Bits bishops, bool upper) {
    if ((bishops & (bishops - 1)) == 0) return 0;
    const Bits notFileA = ~kFileA;
    int pairs = 0;
    if (upper) {
        constexpr Bits k16 = rows(1, 6), k28 = rows(2, 8);
        pairs += countBits(bishops & (bishops >> 1) & k16);
        pairs += countBits(bishops & notFileA & (bishops << 7) & k16);
        pairs += countBits(bishops & notFileA & (bishops << 9) & k28);
    } else {
        constexpr Bits k38 = rows(3, 8), k17 = rows(1, 7);
        pairs += countBits(bishops & (bishops << 1) & k38);
        pairs += countBits(bishops & notFileA & (bishops << 7) & k17);
        pairs += countBits(bishops & notFileA & (bishops << 9) & k38);
    }
    pairs += countBits(bishops & notFileA & (bishops << 8));
    return 5 * pairs;
}

inline int pawnShape(Bits p, bool upper) {
    const Bits away = p & ~rowMask(upper ? 7 : 2);
    int doubled = 0, missing = 0;
    if (upper) {
        doubled = countBits(p & (p << 1) & ~rowMask(1));
        missing = countBits(away & ~kFileA & ~rowMask(8) & ~(p << 7)) +
                  countBits(away & ~kFileH & ~rowMask(8) & ~(p >> 9));
    } else {
        doubled = countBits(p & (p >> 1) & ~rowMask(8));
        missing = countBits(away & ~kFileA & ~rowMask(1) & ~(p << 9)) +
                  countBits(away & ~kFileH & ~rowMask(1) & ~(p >> 7));
    }
    return -10 * doubled - 3 * missing;
}

// The global terms that read the state bits and the queen's square.
inline int globalState(bool queenAtHome, StateWord state, int plyCount, bool upper) {
    const bool castled = state & (upper ? kUpperCastled : kLowerCastled);
    const bool kingMoved = state & (upper ? kUpperKingMoved : kLowerKingMoved);
    const bool rookMoved =
        state & (upper ? (kUpperRookAMoved | kUpperRookHMoved) : (kLowerRookAMoved | kLowerRookHMoved));
    int value = castled ? 25 : (kingMoved ? -50 : -5);
    if (plyCount < 20 && !queenAtHome) value -= 60;
    if (rookMoved && !castled) value -= 10;
    return value;
}

// The global terms that read the pawns alone.
inline int globalPawns(Bits pawns, int plyCount, bool upper) {
    const Bits secondRow = rowMask(upper ? 7 : 2);
    constexpr Bits kWings = 0xFFFFFFull | (0xFFFFFFull << 40);
    constexpr Bits kCentreFiles = 0xFFFFull << 24;
    int value = 0;
    if (plyCount < 50) value -= 10 * (6 - countBits(pawns & secondRow & kWings));
    if (plyCount < 20 && (pawns & rowMask(upper ? 5 : 4) & kCentreFiles) == 0) value -= 10;
    value -= 10 * countBits(pawns & secondRow & kCentreFiles);
    return value;
}

// Everything one side's pawns score on their own (shape and global terms),
// remembered by pawn set: siblings and cousins share most pawn sets. Only
// for boards without pawns on the end rows, whose squares tag the entries.
class PawnTermCache {
public:
    int terms(Bits pawns, int plyCount, bool upper) {
        // Tags on end-row squares: never 0, and the side.
        const Bits key = pawns | single(bitOf(8, 1)) | (upper ? single(bitOf(1, 1)) : 0);
        Entry& e = entries_[static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - kBits))];
        if (e.key != key || e.plyCount != plyCount) {
            e.key = key;
            e.plyCount = plyCount;
            e.value = pawnShape(pawns, upper) + globalPawns(pawns, plyCount, upper);
        }
        return e.value;
    }

private:
    static constexpr int kBits = 12;
    struct Entry {
        Bits key = 0;
        int plyCount = 0;
        int value = 0;
    };
    std::array<Entry, std::size_t{1} << kBits> entries_{};
};
// The search thread's cache.
PawnTermCache& pawnTermCache();

// The sets one side's terms read.
struct SideBits {
    Bits rooks = 0, bishops = 0, pawns = 0;
    bool queenAtHome = false;  // the side's queen stands on (4, home row)
};

// Terms of one piece that depend on its code and square only, for one game
// phase: value[code][bit], positive for the upper side.
struct PieceSquareTable {
    int plyCount = -1;
    std::array<std::array<int, 64>, 17> value{};
};
const PieceSquareTable& pieceSquareTable(int plyCount);

int staticTotal(const FastBoard& board, int plyCount);
SideBits sideBits(const FastBoard& board, bool upper);

// One side's share of the neighbour and global terms, kept per node so that
// a child recomputes only what its move can change.
struct SideTerms {
    int rooks = 0, bishops = 0;
    int pawns = 0;   // pawn shape and the global terms of the pawns
    int global = 0;  // the global terms of the state bits and the queen
    int sum() const { return rooks + bishops + pawns + global; }
};
SideTerms sideTerms(const FastBoard& board, StateWord state, int plyCount, bool upper, PawnTermCache& pawns);

}  // namespace quorvel
