#include "engine/fast_terms.h"

#include <algorithm>

#include "engine/evaluation.h"

namespace quorvel {

namespace {

// The literal value of a piece alone on the square, before neighbours count.
int pieceSquareLiteral(int code, int x, int y, int plyCount) {
    const bool upper = code < 10;
    const int kind = pieceKind(code);
    const bool opening = plyCount < 50;
    const bool onHome = y == (upper ? 8 : 1);
    int value = kMaterial[static_cast<std::size_t>(kind)];
    if (opening && x >= 4 && x <= 5 && y >= 4 && y <= 5) value += 5;
    if (kind == 1 && opening && !onHome) value -= 50;
    if ((kind == 2 || kind == 4 || kind == 5) && opening && onHome) value -= 10;
    if (kind == 4 && (x < 3 || x > 6 || y < 3 || y > 6)) value -= 10;
    if (kind == 6 && plyCount > 60) value += upper ? 2 * (9 - y) : 2 * y;
    return upper ? value : -value;
}

}  // namespace

const PieceSquareTable& pieceSquareTable(int plyCount) {
    // One search thread at a time, one game phase per search: rebuilt rarely.
    thread_local PieceSquareTable table;
    if (table.plyCount != plyCount) {
        for (int code = 1; code <= 16; ++code) {
            if (code >= 7 && code <= 10) continue;
            for (int bit = 0; bit < 64; ++bit) {
                table.value[static_cast<std::size_t>(code)][static_cast<std::size_t>(bit)] =
                    pieceSquareLiteral(code, fileOf(bit), rowOf(bit), plyCount);
            }
        }
        table.plyCount = plyCount;
    }
    return table;
}

SideBits sideBits(const FastBoard& b, bool upper) {
    const int home = upper ? 8 : 1;
    const int queen = upper ? kUpperQueen : kLowerQueen;
    return {b.pieces[static_cast<std::size_t>(upper ? kUpperRook : kLowerRook)],
            b.pieces[static_cast<std::size_t>(upper ? kUpperBishop : kLowerBishop)],
            b.pieces[static_cast<std::size_t>(upper ? kUpperPawn : kLowerPawn)],
            b.square[static_cast<std::size_t>(bitOf(4, home))] == queen};
}

FastBoard FastBoard::from(const Position& position) {
    // Every square goes into the set of its code (the empty squares into
    // set 0, cleared afterwards), so the loop has no branch on occupancy.
    FastBoard b;
    Bits unknown = 0;
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const int code = position.at(x, y);
            const int bit = bitOf(x, y);
            if (code < 0 || code > 16) {
                unknown |= single(bit);  // never a real piece
                continue;
            }
            b.pieces[static_cast<std::size_t>(code)] |= single(bit);
            b.square[static_cast<std::size_t>(bit)] = static_cast<std::int8_t>(code);
        }
    }
    b.pieces[0] = unknown;
    for (int code = 1; code <= 6; ++code) b.army[0] |= b.pieces[static_cast<std::size_t>(code)];
    for (int code = 11; code <= 16; ++code) b.army[1] |= b.pieces[static_cast<std::size_t>(code)];
    for (int code = 7; code <= 10; ++code) b.army[0] |= b.pieces[static_cast<std::size_t>(code)];
    b.occupied = b.army[0] | b.army[1];
    return b;
}

bool FastBoard::ordinary() const {
    for (int code = 7; code <= 10; ++code) {
        if (pieces[static_cast<std::size_t>(code)] != 0) return false;
    }
    const Bits endRows = rowMask(1) | rowMask(8);
    return pieces[0] == 0 && countBits(pieces[kUpperKing]) == 1 && countBits(pieces[kLowerKing]) == 1 &&
           ((pieces[kUpperPawn] | pieces[kLowerPawn]) & endRows) == 0;
}

int staticTotal(const FastBoard& board, int plyCount) {
    const PieceSquareTable& table = pieceSquareTable(plyCount);
    int total = 0;
    for (Bits all = board.occupied; all != 0; all &= all - 1) {
        const int bit = std::countr_zero(all);
        total += table.value[static_cast<std::size_t>(board.square[static_cast<std::size_t>(bit)])]
                            [static_cast<std::size_t>(bit)];
    }
    return total;
}

SideTerms sideTerms(const FastBoard& board, StateWord state, int plyCount, bool upper, PawnTermCache& pawns) {
    const SideBits s = sideBits(board, upper);
    return {rookFiles(s.rooks, board.occupied, upper), bishopNeighbours(s.bishops, upper),
            pawns.terms(s.pawns, plyCount, upper), globalState(s.queenAtHome, state, plyCount, upper)};
}

PawnTermCache& pawnTermCache() {
    // One cache per thread: the search thread's, or a test's.
    thread_local PawnTermCache cache;
    return cache;
}

}  // namespace quorvel
