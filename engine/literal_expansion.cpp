// The literal expansion: every target of every piece's window is tried with
// the rules' move test and attack test, and each child is scored by the
// square-by-square evaluation. Slow on purpose; it is the reference the fast
// expansion is checked against.

#include <algorithm>
#include <cstdlib>

#include "engine/expansion.h"
#include "rules/move_validity.h"
#include "rules/notation.h"

namespace quorvel {

namespace {

void findKing(const Position& p, int code, int& kx, int& ky) {
    kx = ky = 0;
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            if (p.at(x, y) == code) {
                kx = x;
                ky = y;
                return;
            }
        }
    }
}

struct Kings {
    int upperX, upperY, lowerX, lowerY;
};

// Builds, scores and lists one child; a refused castling gives none.
void createChild(const Position& p, StateWord state, const MoveCheck& check, int x, int y, int tx, int ty,
                 const EvalSettings& settings, NodeList& out, ExpansionCounts& counts) {
    const bool upper = check.moverIsUpper;
    const int piece = check.piece;
    Position child = p;
    int placed = piece;
    if (piece == kUpperPawn && ty == 1) placed = kUpperQueen;
    if (piece == kLowerPawn && ty == 8) placed = kLowerQueen;
    StateWord next = stateAfterMove(state, piece, x, y, tx, ty);
    if (check.castling != Castling::none) {
        if (!castlingAllowed(p, state, upper, check.castling)) return;
        next |= upper ? kUpperCastled : kLowerCastled;
        const bool kingSide = check.castling == Castling::kingSide;
        child.at(kingSide ? 6 : 4, y) = child.at(kingSide ? 8 : 1, y);
        child.at(kingSide ? 8 : 1, y) = 0;
    }
    const int opposingPawn = upper ? kLowerPawn : kUpperPawn;
    const bool pawn = piece == kUpperPawn || piece == kLowerPawn;
    const bool enPassant = pawn && check.target == 0 && std::abs(tx - x) == 1 && std::abs(ty - y) == 1 &&
                           p.at(tx, y) == opposingPawn;
    const bool capture = check.target != 0 || enPassant;
    child.at(x, y) = 0;
    child.at(tx, ty) = static_cast<std::int8_t>(placed);
    const std::int16_t score = evaluate(child, next, placed, x, y, tx, ty, settings);
    ++counts.evaluated;
    if (counts.childCount < kMaxChildren) {
        SearchNode& entry = out[static_cast<std::size_t>(counts.childCount++)];
        entry.score = score;
        entry.state = next;
        entry.move = buildMoveText(x, y, tx, ty, placed, capture);
    } else {
        ++counts.dropped;
    }
}

}  // namespace

ExpansionCounts literalExpand(const Position& p, StateWord state, bool sideIsUpper,
                              const EvalSettings& settings, NodeList& out) {
    ExpansionCounts counts;
    Kings kings{};
    findKing(p, kUpperKing, kings.upperX, kings.upperY);
    findKing(p, kLowerKing, kings.lowerX, kings.lowerY);
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const int code = p.at(x, y);
            if (code == 0 || isUpperPiece(code) != sideIsUpper) continue;
            const TargetWindow w = targetWindow(code, x, y);
            const bool king = code == kUpperKing || code == kLowerKing;
            for (int tx = w.fromX; tx <= w.toX; ++tx) {
                for (int ty = w.fromY; ty <= w.toY; ++ty) {
                    const MoveCheck check = checkMove(p, state, x, y, tx, ty, false);
                    if (!check.valid) continue;
                    Kings k = kings;
                    if (king && sideIsUpper) k.upperX = tx, k.upperY = ty;
                    if (king && !sideIsUpper) k.lowerX = tx, k.lowerY = ty;
                    if (kingAttacked(p, state, x, y, tx, ty, k.upperX, k.upperY, k.lowerX, k.lowerY,
                                     sideIsUpper)) {
                        continue;
                    }
                    createChild(p, state, check, x, y, tx, ty, settings, out, counts);
                }
            }
        }
    }
    if (counts.childCount == 0) {
        counts.stalemate = !kingAttacked(p, state, 0, 0, 0, 0, kings.upperX, kings.upperY, kings.lowerX,
                                         kings.lowerY, sideIsUpper);
    }
    return counts;
}

}  // namespace quorvel
