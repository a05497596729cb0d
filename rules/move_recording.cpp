#include "move_recording.h"

#include "game_end.h"
#include "move_application.h"
#include "notation.h"

namespace quorvel {

bool recordChessMove(GameRecord& record, const LegalMove& move, bool byComputer) {
    if (record.plyCount < 0 || record.plyCount >= GameRecord::kCapacity) return false;
    // Only these change before recordMove, which refuses without a change.
    const Position currentBefore = record.current;
    const bool sideBefore = record.playerIsBlack;
    const StateWord stateBefore = record.state;
    auto undo = [&] {
        record.current = currentBefore;
        record.playerIsBlack = sideBefore;
        record.state = stateBefore;
        return false;
    };
    const bool whiteMoves = record.plyCount % 2 == 0;
    // The human holds the lower side, the computer the upper one.
    const bool playerIsBlack = byComputer ? whiteMoves : !whiteMoves;
    holdLiveBoardFor(record, playerIsBlack);
    record.state = packState(record.current, record.state);
    auto row = [&](int rank) { return playerIsBlack ? 9 - rank : rank; };
    const int fromX = move.fromX, fromY = row(move.fromY), toX = move.toX, toY = row(move.toY);
    const MoveCheck check = checkMove(record.current, record.state, fromX, fromY, toX, toY, false);
    const bool moverIsUpper = byComputer;
    if (!check.valid || check.moverIsUpper != moverIsUpper) return undo();
    if (check.castling == Castling::none &&
        kingAttacked(record.current, record.state, fromX, fromY, toX, toY, 0, 0, 0, 0, moverIsUpper))
        return undo();
    int promotion = 0;
    if (move.promotionPiece != 0) {
        const int kind = pieceKind(move.promotionPiece);
        promotion = moverIsUpper ? kind : kind + 10;
    }
    const auto outcome =
        makeMove(record.current, record.state, fromX, fromY, toX, toY, check.castling, promotion);
    if (!outcome) return undo();
    const MoveText text = buildMoveText(fromX, fromY, toX, toY, check.piece, outcome->capture);
    if (recordMove(record, text, outcome->state, !byComputer) != RecordResult::recorded) return undo();
    // The marks the window and the engine add: a second '+' for a mate, and
    // the engine's "P" for a move of the computer that stalemates.
    MoveText& stored = record.moves[static_cast<std::size_t>(record.plyCount - 1)];
    if (!hasLegalMove(record.current, record.state, !moverIsUpper)) {
        if (isInCheck(record.current, record.state, !moverIsUpper)) {
            stored[6] = '+';
        } else if (byComputer) {
            stored[5] = 'P';
        }
    }
    return true;
}

}  // namespace quorvel
