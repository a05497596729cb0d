#include "game_end.h"

#include "move_validity.h"

namespace quorvel {

bool hasLegalMove(const Position& position, StateWord state, bool sideIsUpper) {
    for (int fromX = 1; fromX <= 8; ++fromX) {
        for (int fromY = 1; fromY <= 8; ++fromY) {
            const std::int8_t code = position.at(fromX, fromY);
            if (sideIsUpper ? !isUpperPiece(code) : !isLowerPiece(code)) continue;
            for (int toX = 1; toX <= 8; ++toX) {
                for (int toY = 1; toY <= 8; ++toY) {
                    const MoveCheck m = checkMove(position, state, fromX, fromY, toX, toY, false);
                    if (!m.valid) continue;
                    // A castling is an escape only when it would be accepted.
                    if (m.castling != Castling::none) {
                        if (castlingAllowed(position, state, sideIsUpper, m.castling)) return true;
                        continue;
                    }
                    if (!kingAttacked(position, state, fromX, fromY, toX, toY, 0, 0, 0, 0, sideIsUpper))
                        return true;
                }
            }
        }
    }
    return false;
}

bool isInCheck(const Position& position, StateWord state, bool sideIsUpper) {
    return kingAttacked(position, state, 0, 0, 0, 0, 0, 0, 0, 0, sideIsUpper);
}

bool isCheckmated(const Position& position, StateWord state, bool sideIsUpper) {
    return !hasLegalMove(position, state, sideIsUpper) && isInCheck(position, state, sideIsUpper);
}

bool isStalemated(const Position& position, StateWord state, bool sideIsUpper) {
    return !hasLegalMove(position, state, sideIsUpper) && !isInCheck(position, state, sideIsUpper);
}

namespace {

// From-square and to-square only: separators and markers are ignored.
bool sameSquares(const MoveText& a, const MoveText& b) {
    return a[0] == b[0] && a[1] == b[1] && a[3] == b[3] && a[4] == b[4];
}

bool reversed(const MoveText& a, const MoveText& b) {
    return a[0] == b[3] && a[1] == b[4] && a[3] == b[0] && a[4] == b[1];
}

}  // namespace

bool isRepetition(const GameRecord& record, int n) {
    if (n < 10 || n >= GameRecord::kCapacity) return false;
    const auto entry = [&](int k) -> const MoveText& { return record.moves[static_cast<std::size_t>(k)]; };
    const MoveText& a = entry(n);
    const MoveText& b = entry(n - 1);
    // Empty entries (a game set up from a position) are no moves at all.
    if (a.empty() || b.empty()) return false;
    return sameSquares(entry(n - 4), a) && sameSquares(entry(n - 5), b) && reversed(entry(n - 2), a) &&
           reversed(entry(n - 6), a) && reversed(entry(n - 3), b) && reversed(entry(n - 7), b);
}

}  // namespace quorvel
