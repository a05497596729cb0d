#include "perft.h"

#include <algorithm>

#include "move_application.h"
#include "notation.h"

namespace quorvel {

namespace {

bool isPawn(int code) {
    return code == kUpperPawn || code == kLowerPawn;
}

}  // namespace

std::vector<LegalMove> legalMoves(const Position& position, StateWord state, bool sideIsUpper) {
    std::vector<LegalMove> moves;
    for (int fromX = 1; fromX <= 8; ++fromX) {
        for (int fromY = 1; fromY <= 8; ++fromY) {
            const std::int8_t code = position.at(fromX, fromY);
            if (sideIsUpper ? !isUpperPiece(code) : !isLowerPiece(code)) continue;
            const TargetWindow w = targetWindow(code, fromX, fromY);
            for (int toX = w.fromX; toX <= w.toX; ++toX) {
                for (int toY = w.fromY; toY <= w.toY; ++toY) {
                    const MoveCheck m = checkMove(position, state, fromX, fromY, toX, toY, false);
                    if (!m.valid) continue;
                    if (m.castling != Castling::none) {
                        if (castlingAllowed(position, state, sideIsUpper, m.castling)) {
                            moves.push_back({fromX, fromY, toX, toY, m.castling, 0});
                        }
                        continue;
                    }
                    if (kingAttacked(position, state, fromX, fromY, toX, toY, 0, 0, 0, 0, sideIsUpper))
                        continue;
                    if (isPawn(code) && toY == (sideIsUpper ? 1 : 8)) {
                        const int base = sideIsUpper ? 0 : 10;
                        for (int piece : {kUpperQueen, kUpperRook, kUpperBishop, kUpperKnight}) {
                            moves.push_back({fromX, fromY, toX, toY, Castling::none, piece + base});
                        }
                    } else {
                        moves.push_back({fromX, fromY, toX, toY, Castling::none, 0});
                    }
                }
            }
        }
    }
    return moves;
}

std::optional<LegalMove> legalMoveBetween(const Position& before, StateWord state, bool sideIsUpper,
                                          const Position& after) {
    for (const LegalMove& move : legalMoves(before, state, sideIsUpper)) {
        Position board = before;
        if (makeMove(board, state, move.fromX, move.fromY, move.toX, move.toY, move.castling,
                     move.promotionPiece) &&
            sameSquares(board, after))
            return move;
    }
    return std::nullopt;
}

std::uint64_t perft(const Position& position, StateWord state, bool sideIsUpper, int depth) {
    if (depth <= 0) return 1;
    const std::vector<LegalMove> moves = legalMoves(position, state, sideIsUpper);
    if (depth == 1) return moves.size();
    std::uint64_t nodes = 0;
    for (const LegalMove& move : moves) {
        Position child = position;
        const auto outcome = makeMove(child, state, move.fromX, move.fromY, move.toX, move.toY, move.castling,
                                      move.promotionPiece);
        if (outcome) nodes += perft(child, outcome->state, !sideIsUpper, depth - 1);
    }
    return nodes;
}

std::vector<DivideLine> divide(const Position& position, StateWord state, bool sideIsUpper,
                               bool playerIsBlack, int depth) {
    std::vector<DivideLine> lines;
    for (const LegalMove& move : legalMoves(position, state, sideIsUpper)) {
        Position child = position;
        const auto outcome = makeMove(child, state, move.fromX, move.fromY, move.toX, move.toY, move.castling,
                                      move.promotionPiece);
        if (!outcome) continue;
        const MoveText rows = buildMoveText(move.fromX, move.fromY, move.toX, move.toY,
                                            position.at(move.fromX, move.fromY), false);
        const MoveText ranks = toChessRanks(rows, playerIsBlack);
        // White is the lower side exactly when the player has White.
        const bool whiteMoved = sideIsUpper == playerIsBlack;
        lines.push_back({longAlgebraic(ranks, whiteMoved, move.promotionPiece),
                         perft(child, outcome->state, !sideIsUpper, depth - 1)});
    }
    return lines;
}

}  // namespace quorvel
