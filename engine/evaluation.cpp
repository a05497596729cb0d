#include "engine/evaluation.h"

#include <cstdlib>

#include "rules/move_validity.h"

namespace quorvel {

namespace {

struct Side {
    bool upper;
    int home() const { return upper ? 8 : 1; }
    int second() const { return upper ? 7 : 2; }
    int opponentHome() const { return upper ? 1 : 8; }
    int ahead() const { return upper ? -1 : 1; }
    int code(int kind) const { return upper ? kind : kind + 10; }
    bool owns(int code) const { return upper ? isUpperPiece(code) : isLowerPiece(code); }
};

bool onBoard(int x, int y) {
    return x >= 1 && x <= 8 && y >= 1 && y <= 8;
}

int rookTerm(const Position& p, const Side& side, int x, int y) {
    int count = 0;
    for (int row = y + side.ahead(); onBoard(x, row) && p.at(x, row) == 0; row += side.ahead()) {
        if (row != side.opponentHome()) ++count;
    }
    return 2 * count;
}

int bishopTerm(const Position& p, const Side& side, int x, int y, bool undeveloped) {
    const int bishop = side.code(5);
    int value = 0;
    const int behind = y - side.ahead();
    const bool behindAllowed = side.upper ? y <= 6 : y >= 3;
    if (!undeveloped && behindAllowed && onBoard(x, behind) && p.at(x, behind) == bishop) value += 5;
    if (x >= 2) {
        const bool upAllowed = side.upper ? y < 7 : y < 8;
        const bool downAllowed = side.upper ? y > 1 : y > 2;
        if (upAllowed && p.at(x - 1, y + 1) == bishop) value += 5;
        if (p.at(x - 1, y) == bishop) value += 5;
        if (downAllowed && p.at(x - 1, y - 1) == bishop) value += 5;
    }
    return value;
}

int pawnTerm(const Position& p, const Side& side, int x, int y, int plyCount) {
    const int pawn = side.code(6);
    int value = 0;
    const int ahead = y + side.ahead();
    if (onBoard(x, ahead) && p.at(x, ahead) == pawn) value -= 10;
    if (y != side.second()) {
        const int behind = y - side.ahead();
        for (int dx : {-1, 1}) {
            if (onBoard(x + dx, behind) && p.at(x + dx, behind) != pawn) value -= 3;
        }
    }
    if (plyCount > 60) value += side.upper ? 2 * (9 - y) : 2 * y;
    return value;
}

int pieceTerms(const Position& p, const Side& side, int x, int y, int kind, int plyCount) {
    const bool opening = plyCount < 50;
    int value = kMaterial[static_cast<std::size_t>(kind)];
    if (opening && x >= 4 && x <= 5 && y >= 4 && y <= 5) value += 5;
    const bool onHome = y == side.home();
    switch (kind) {
        case 1:
            if (opening && !onHome) value -= 50;
            break;
        case 2:
            if (opening && onHome) value -= 10;
            break;
        case 3:
            value += rookTerm(p, side, x, y);
            break;
        case 4:
            if (x < 3 || x > 6 || y < 3 || y > 6) value -= 10;
            if (opening && onHome) value -= 10;
            break;
        case 5:
            if (opening && onHome) value -= 10;
            value += bishopTerm(p, side, x, y, opening && onHome);
            break;
        case 6:
            value += pawnTerm(p, side, x, y, plyCount);
            break;
        default:
            break;
    }
    return value;
}

}  // namespace

int squareTerms(const Position& position, int plyCount, bool upper) {
    const Side side{upper};
    int total = 0;
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const int code = position.at(x, y);
            if (code != 0 && side.owns(code))
                total += pieceTerms(position, side, x, y, pieceKind(code), plyCount);
        }
    }
    return total;
}

int globalTerms(const Position& p, StateWord state, int plyCount, bool upper) {
    const Side side{upper};
    const bool castled = state & (upper ? kUpperCastled : kLowerCastled);
    const bool kingMoved = state & (upper ? kUpperKingMoved : kLowerKingMoved);
    const bool rookMoved =
        state & (upper ? (kUpperRookAMoved | kUpperRookHMoved) : (kLowerRookAMoved | kLowerRookHMoved));
    const int pawn = side.code(6);
    int value = castled ? 25 : (kingMoved ? -50 : -5);
    if (plyCount < 20 && p.at(4, side.home()) != side.code(2)) value -= 60;
    if (rookMoved && !castled) value -= 10;
    if (plyCount < 50) {
        for (int x : {1, 2, 3, 6, 7, 8}) {
            if (p.at(x, side.second()) != pawn) value -= 10;
        }
    }
    const int centreRow = upper ? 5 : 4;
    if (plyCount < 20 && p.at(4, centreRow) != pawn && p.at(5, centreRow) != pawn) value -= 10;
    if (p.at(4, side.second()) == pawn) value -= 10;
    if (p.at(5, side.second()) == pawn) value -= 10;
    return value;
}

namespace {

// The mover loses the value of the piece it placed where an opposing piece
// could take it; a castling costs a fixed amount instead.
int horizonTerm(const Position& child, StateWord state, int placed, int fromX, int toX, int toY) {
    if (pieceKind(placed) == 1 && fromX == 5 && std::abs(toX - fromX) == 2) return -30;
    const bool moverUpper = isUpperPiece(placed);
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const int code = child.at(x, y);
            if (code == 0 || isUpperPiece(code) == moverUpper) continue;
            if (checkMove(child, state, x, y, toX, toY, false).valid) {
                return -kMaterial[static_cast<std::size_t>(pieceKind(placed))];
            }
        }
    }
    return 0;
}

}  // namespace

std::int16_t evaluate(const Position& child, StateWord state, int placed, int fromX, int fromY, int toX,
                      int toY, const EvalSettings& settings) {
    (void)fromY;
    int upper =
        squareTerms(child, settings.plyCount, true) + globalTerms(child, state, settings.plyCount, true);
    int lower =
        squareTerms(child, settings.plyCount, false) + globalTerms(child, state, settings.plyCount, false);
    if (settings.horizonReduction && settings.depthLimit > 2) {
        const int term = horizonTerm(child, state, placed, fromX, toX, toY);
        (isUpperPiece(placed) ? upper : lower) += term;
    }
    // Each side's total is a 16-bit sum and so is the difference; modular
    // arithmetic gives the same wrap when done once at the end.
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(upper - lower));
}

}  // namespace quorvel
