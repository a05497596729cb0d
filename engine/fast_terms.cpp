#include "engine/fast_terms.h"

#include <algorithm>

#include "engine/evaluation.h"

namespace quorvel {

namespace {

constexpr Bits kRow1 = 0x0101010101010101ull;
constexpr Bits rowMask(int row) { return kRow1 << (row - 1); }
constexpr Bits kFileA = 0xFFull;
constexpr Bits kFileH = 0xFFull << 56;

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

struct Table {
    int plyCount = -1;
    std::array<std::array<int, 64>, 17> value{};
};

const Table& tableFor(int plyCount) {
    // One search thread at a time, one game phase per search: rebuilt rarely.
    thread_local Table table;
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

int rookFiles(const FastBoard& b, bool upper) {
    int count = 0;
    for (Bits rooks = b.pieces[upper ? kUpperRook : kLowerRook]; rooks != 0; rooks &= rooks - 1) {
        const int bit = std::countr_zero(rooks);
        const int x = fileOf(bit), y = rowOf(bit);
        const auto file = static_cast<std::uint8_t>(b.occupied >> (8 * (x - 1)));
        if (upper) {
            // Empty run below the rook, the lower side's home row excluded.
            const int below = file & ((1 << (y - 1)) - 1);
            count += std::max(0, std::min(y - 1 - static_cast<int>(std::bit_width(static_cast<unsigned>(below))), y - 2));
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

int bishopNeighbours(const FastBoard& b, bool upper) {
    const Bits bishops = b.pieces[upper ? kUpperBishop : kLowerBishop];
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

int pawnShape(const FastBoard& b, bool upper) {
    const Bits p = b.pieces[upper ? kUpperPawn : kLowerPawn];
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

int globalSide(const FastBoard& b, StateWord state, int plyCount, bool upper) {
    const bool castled = state & (upper ? kUpperCastled : kLowerCastled);
    const bool kingMoved = state & (upper ? kUpperKingMoved : kLowerKingMoved);
    const bool rookMoved =
        state & (upper ? (kUpperRookAMoved | kUpperRookHMoved) : (kLowerRookAMoved | kLowerRookHMoved));
    const Bits pawns = b.pieces[upper ? kUpperPawn : kLowerPawn];
    const int second = upper ? 7 : 2;
    const int home = upper ? 8 : 1;
    int value = castled ? 25 : (kingMoved ? -50 : -5);
    if (plyCount < 20 && b.square[static_cast<std::size_t>(bitOf(4, home))] != (upper ? kUpperQueen : kLowerQueen)) {
        value -= 60;
    }
    if (rookMoved && !castled) value -= 10;
    const Bits secondRow = rowMask(second);
    constexpr Bits kWings = 0xFFFFFFull | (0xFFFFFFull << 40);
    if (plyCount < 50) value -= 10 * (6 - countBits(pawns & secondRow & kWings));
    const Bits centreFiles = 0xFFFFull << 24;
    if (plyCount < 20 && (pawns & rowMask(upper ? 5 : 4) & centreFiles) == 0) value -= 10;
    value -= 10 * countBits(pawns & secondRow & centreFiles);
    return value;
}

}  // namespace

FastBoard FastBoard::from(const Position& position) {
    FastBoard b;
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const int code = position.at(x, y);
            if (code > 0 && code <= 16) b.put(bitOf(x, y), code);
            if (code < 0 || code > 16) b.pieces[0] |= single(bitOf(x, y));  // never a real piece
        }
    }
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

int pieceSquare(int code, int bit, int plyCount) {
    return tableFor(plyCount).value[static_cast<std::size_t>(code)][static_cast<std::size_t>(bit)];
}

int staticTotal(const FastBoard& board, int plyCount) {
    const Table& table = tableFor(plyCount);
    int total = 0;
    for (Bits all = board.occupied; all != 0; all &= all - 1) {
        const int bit = std::countr_zero(all);
        total += table.value[static_cast<std::size_t>(board.square[static_cast<std::size_t>(bit)])]
                            [static_cast<std::size_t>(bit)];
    }
    return total;
}

int neighbourTerms(const FastBoard& board) {
    return rookFiles(board, true) - rookFiles(board, false) + bishopNeighbours(board, true) -
           bishopNeighbours(board, false) + pawnShape(board, true) - pawnShape(board, false);
}

SideTerms sideTerms(const FastBoard& board, StateWord state, int plyCount, bool upper) {
    return {rookFiles(board, upper), bishopNeighbours(board, upper), pawnShape(board, upper),
            globalSide(board, state, plyCount, upper)};
}

SideTerms childSideTerms(const SideTerms& parent, const FastBoard& child, StateWord state, int plyCount, bool upper,
                         const TermChanges& changes) {
    SideTerms terms = parent;
    if (changes.rooks) terms.rooks = rookFiles(child, upper);
    if (changes.bishops) terms.bishops = bishopNeighbours(child, upper);
    if (changes.pawns) terms.pawns = pawnShape(child, upper);
    if (changes.global) terms.global = globalSide(child, state, plyCount, upper);
    return terms;
}

int globalTermsFast(const FastBoard& board, StateWord state, int plyCount) {
    return globalSide(board, state, plyCount, true) - globalSide(board, state, plyCount, false);
}

}  // namespace quorvel
