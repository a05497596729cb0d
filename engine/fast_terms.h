#pragma once
// The evaluation split for the fast expansion: a piece-square part that a
// move changes on two or three squares only, and the terms that look at
// neighbouring squares, recomputed on the child board from square sets.
// All values are signed: positive for the upper side.

#include <array>
#include <cstdint>

#include "engine/bitboard.h"
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

// Terms of one piece that depend on its code and square only.
int pieceSquare(int code, int bit, int plyCount);
int staticTotal(const FastBoard& board, int plyCount);
// Rooks on open files, bishop neighbours, doubled and unsupported pawns.
int neighbourTerms(const FastBoard& board);
int globalTermsFast(const FastBoard& board, StateWord state, int plyCount);

// One side's share of the neighbour and global terms, kept per node so that
// a child recomputes only what its move can change.
struct SideTerms {
    int rooks = 0, bishops = 0, pawns = 0, global = 0;
    int sum() const { return rooks + bishops + pawns + global; }
};
struct TermChanges {
    bool rooks = true, bishops = true, pawns = true, global = true;
};
SideTerms sideTerms(const FastBoard& board, StateWord state, int plyCount, bool upper);
SideTerms childSideTerms(const SideTerms& parent, const FastBoard& child, StateWord state, int plyCount, bool upper,
                         const TermChanges& changes);

}  // namespace quorvel
