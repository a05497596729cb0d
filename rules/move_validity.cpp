#include "move_validity.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace quorvel {

namespace {

[[maybe_unused]] bool onBoard(int x, int y) {
    return x >= 1 && x <= 8 && y >= 1 && y <= 8;
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

// Every square strictly between from and to is empty (from and to lie on a line).
bool pathClear(const Position& position, int fromX, int fromY, int toX, int toY) {
    const int stepX = sign(toX - fromX);
    const int stepY = sign(toY - fromY);
    for (int x = fromX + stepX, y = fromY + stepY; x != toX || y != toY; x += stepX, y += stepY) {
        if (position.at(x, y) != 0) return false;
    }
    return true;
}

struct CastlingRow {
    std::uint32_t kingMovedBit;
    std::uint32_t rookMovedBit;
    int toX;
    int emptyFrom, emptyTo;  // files that must be empty
    int rookX;
};

// Board conditions of one castling of one side (the home row is implied by
// the king's row; only a king on file 5 of its home row meets them).
bool castlingConditions(const Position& position, StateWord state, bool upper, bool kingSide, int row,
                        int toX) {
    const CastlingRow kingRow{
        upper ? kUpperKingMoved : kLowerKingMoved, upper ? kUpperRookHMoved : kLowerRookHMoved, 7, 6, 7, 8};
    const CastlingRow queenRow{
        upper ? kUpperKingMoved : kLowerKingMoved, upper ? kUpperRookAMoved : kLowerRookAMoved, 3, 2, 4, 1};
    const CastlingRow& c = kingSide ? kingRow : queenRow;
    const int homeRow = upper ? 8 : 1;
    if (row != homeRow || toX != c.toX) return false;
    if (state & (c.kingMovedBit | c.rookMovedBit)) return false;
    for (int x = c.emptyFrom; x <= c.emptyTo; ++x) {
        if (position.at(x, homeRow) != 0) return false;
    }
    return position.at(c.rookX, homeRow) == (upper ? kUpperRook : kLowerRook);
}

bool pawnMove(const Position& position, StateWord state, const MoveCheck& m, int fromX, int fromY, int toX,
              int toY) {
    const bool upper = m.piece == kUpperPawn;
    const int forward = upper ? fromY - toY : toY - fromY;
    const int dx = std::abs(toX - fromX);
    if (forward < 0) return false;
    if (m.target != 0 && dx == 0) return false;
    if (forward == 2) {
        const int secondRow = upper ? 7 : 2;
        const int step = upper ? -1 : 1;
        return fromY == secondRow && dx == 0 && position.at(fromX, fromY + step) == 0 &&
               position.at(fromX, fromY + 2 * step) == 0;
    }
    if (forward > 2) return false;
    const std::int8_t opposingPawn = upper ? kLowerPawn : kUpperPawn;
    const int opposingFile = upper ? lowerDoubleStepFile(state) : upperDoubleStepFile(state);
    const int passingRow = upper ? 4 : 5;
    if (position.at(toX, fromY) == opposingPawn && opposingFile == toX && fromY == passingRow && dx == 1 &&
        forward == 1) {
        return true;
    }
    const bool opposing = upper ? isLowerPiece(m.target) : isUpperPiece(m.target);
    if (opposing && forward == 1 && dx == 1) return true;
    return dx == 0;
}

}  // namespace

MoveCheck checkMove(const Position& position, StateWord state, int fromX, int fromY, int toX, int toY,
                    bool kingCapture) {
    assert(onBoard(fromX, fromY) && onBoard(toX, toY));
    MoveCheck m;
    if (fromX == toX && fromY == toY) return m;
    m.piece = position.at(fromX, fromY);
    if (m.piece == 0) return m;
    const int dx = std::abs(toX - fromX);
    const int dy = std::abs(toY - fromY);
    const bool isKnight = m.piece == kUpperKnight || m.piece == kLowerKnight;
    if (!isKnight && dx != 0 && dy != 0 && dx != dy) return m;
    m.target = position.at(toX, toY);
    m.moverIsUpper = m.piece <= 10;
    if (kingCapture) {
        if (m.target != kUpperKing && m.target != kLowerKing) return m;
    } else {
        const bool own = m.moverIsUpper ? isUpperPiece(m.target) : isLowerPiece(m.target);
        if (own || m.target == kUpperKing || m.target == kLowerKing) return m;
    }
    switch (m.piece) {
        case kUpperKing:
        case kLowerKing:
            if (!kingCapture && fromX == 5 && fromY == toY) {
                const bool upper = m.piece == kUpperKing;
                if (castlingConditions(position, state, upper, true, fromY, toX)) {
                    m.castling = Castling::kingSide;
                    m.valid = true;
                    return m;
                }
                if (castlingConditions(position, state, upper, false, fromY, toX)) {
                    m.castling = Castling::queenSide;
                    m.valid = true;
                    return m;
                }
            }
            m.valid = dx <= 1 && dy <= 1;
            return m;
        case kUpperQueen:
        case kLowerQueen:
            m.valid = pathClear(position, fromX, fromY, toX, toY);
            return m;
        case kUpperRook:
        case kLowerRook:
            m.valid = (dx == 0 || dy == 0) && pathClear(position, fromX, fromY, toX, toY);
            return m;
        case kUpperBishop:
        case kLowerBishop:
            m.valid = dx == dy && pathClear(position, fromX, fromY, toX, toY);
            return m;
        case kUpperKnight:
        case kLowerKnight:
            m.valid = (dx == 2 && dy == 1) || (dx == 1 && dy == 2);
            return m;
        case kUpperPawn:
        case kLowerPawn:
            m.valid = pawnMove(position, state, m, fromX, fromY, toX, toY);
            return m;
        default:
            return m;
    }
}

namespace {

// Makes the trial move of the attack test: the piece moves, nothing else,
// except that an en-passant capture also takes the passed pawn, so that a
// capture exposing the king along the rank, or taking the checking pawn, is
// judged on the real position.
void makeTrialMove(Position& scratch, int fromX, int fromY, int toX, int toY) {
    const std::int8_t piece = scratch.at(fromX, fromY);
    const bool pawn = piece == kUpperPawn || piece == kLowerPawn;
    if (pawn && fromX != toX && scratch.at(toX, toY) == 0) {
        const std::int8_t opposing = piece == kUpperPawn ? kLowerPawn : kUpperPawn;
        if (scratch.at(toX, fromY) == opposing) scratch.at(toX, fromY) = 0;
    }
    scratch.at(toX, toY) = piece;
    scratch.at(fromX, fromY) = 0;
}

bool findKing(const Position& position, bool upper, int& kingX, int& kingY) {
    const std::int8_t king = upper ? kUpperKing : kLowerKing;
    for (int x = 1; x <= 8; ++x) {
        if (upper) {
            for (int y = 8; y >= 1; --y) {
                if (position.at(x, y) == king) {
                    kingX = x;
                    kingY = y;
                    return true;
                }
            }
        } else {
            for (int y = 1; y <= 8; ++y) {
                if (position.at(x, y) == king) {
                    kingX = x;
                    kingY = y;
                    return true;
                }
            }
        }
    }
    return false;
}

bool attackedBy(const Position& position, StateWord state, int kingX, int kingY, bool byUpper) {
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const std::int8_t code = position.at(x, y);
            if (byUpper ? !isUpperPiece(code) : !isLowerPiece(code)) continue;
            if (checkMove(position, state, x, y, kingX, kingY, true).valid) return true;
        }
    }
    return false;
}

}  // namespace

bool kingAttacked(const Position& position, StateWord state, int fromX, int fromY, int toX, int toY,
                  int upperKingX, int upperKingY, int lowerKingX, int lowerKingY, bool sideIsUpper) {
    Position scratch = position;
    if (fromX >= 1) makeTrialMove(scratch, fromX, fromY, toX, toY);
    int kingX = sideIsUpper ? upperKingX : lowerKingX;
    int kingY = sideIsUpper ? upperKingY : lowerKingY;
    if (kingX == 0 && !findKing(scratch, sideIsUpper, kingX, kingY)) return false;
    return attackedBy(scratch, state, kingX, kingY, !sideIsUpper);
}

bool squareAttacked(const Position& position, StateWord state, int x, int y, bool byUpper) {
    // The attack test asks whether a king could be taken, so stand one there.
    Position scratch = position;
    scratch.at(x, y) = byUpper ? kLowerKing : kUpperKing;
    return attackedBy(scratch, state, x, y, byUpper);
}

TargetWindow targetWindow(int code, int x, int y) {
    const auto clamp = [](int v) { return std::clamp(v, 1, 8); };
    switch (code) {
        case kUpperKing:
        case kLowerKing:
            return {clamp(x - 2), clamp(x + 2), clamp(y - 1), clamp(y + 1)};
        case kUpperKnight:
        case kLowerKnight:
            return {clamp(x - 2), clamp(x + 2), clamp(y - 2), clamp(y + 2)};
        case kUpperPawn:
            return {clamp(x - 1), clamp(x + 1), clamp(y - 2), clamp(y - 1)};
        case kLowerPawn:
            return {clamp(x - 1), clamp(x + 1), clamp(y + 1), clamp(y + 2)};
        default:
            return {1, 8, 1, 8};
    }
}

bool castlingAllowed(const Position& position, StateWord state, bool moverIsUpper, Castling castling) {
    if (castling == Castling::none) return false;
    if (state & (moverIsUpper ? kUpperCastled : kLowerCastled)) return false;
    if (kingAttacked(position, state, 0, 0, 0, 0, 0, 0, 0, 0, moverIsUpper)) return false;
    const int row = moverIsUpper ? 8 : 1;
    const int first = castling == Castling::kingSide ? 6 : 3;
    const int last = castling == Castling::kingSide ? 7 : 4;
    for (int x = first; x <= last; ++x) {
        if (squareAttacked(position, state, x, row, !moverIsUpper)) return false;
    }
    return true;
}

}  // namespace quorvel
