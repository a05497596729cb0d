#include "window/human_move.h"

#include "rules/move_application.h"
#include "rules/notation.h"

namespace quorvel {

namespace {

MoveRefusal judge(const Position& position, StateWord state, board::Square from, board::Square to,
                  HumanMove* accepted) {
    if (!from.onBoard() || !to.onBoard() || from == to) return MoveRefusal::notAMove;
    const int piece = position.at(from.x, from.y);
    if (!isLowerPiece(piece)) return MoveRefusal::notAMove;
    const int target = position.at(to.x, to.y);
    if (isLowerPiece(target) || target == kUpperKing) return MoveRefusal::notAMove;

    const MoveCheck check = checkMove(position, state, from.x, from.y, to.x, to.y, false);
    if (!check.valid) return MoveRefusal::notAMove;
    if (kingAttacked(position, state, from.x, from.y, to.x, to.y, 0, 0, 0, 0, false))
        return MoveRefusal::kingLeftInCheck;
    if (check.castling != Castling::none && !castlingAllowed(position, state, false, check.castling))
        return MoveRefusal::castlingInCheck;

    if (accepted) *accepted = HumanMove{from, to, check.castling, piece == kLowerPawn && to.y == 8};
    return MoveRefusal::none;
}

}  // namespace

std::optional<HumanMove> validateHumanMove(const Position& position, StateWord state, board::Square from,
                                           board::Square to) {
    HumanMove move;
    if (judge(position, state, from, to, &move) != MoveRefusal::none) return std::nullopt;
    return move;
}

MoveRefusal humanMoveRefusal(const Position& position, StateWord state, board::Square from,
                             board::Square to) {
    return judge(position, state, from, to, nullptr);
}

bool playHumanMove(GameRecord& record, const HumanMove& move, int promotionPiece) {
    if (record.plyCount >= GameRecord::kCapacity) return false;
    Position& board = record.current;
    const Position before = board;
    const int piece = board.at(move.from.x, move.from.y);
    const auto outcome = makeMove(board, record.state, move.from.x, move.from.y, move.to.x, move.to.y,
                                  move.castling, move.promotes ? promotionPiece : 0);
    if (!outcome) return false;
    const MoveText text =
        buildMoveText(move.from.x, move.from.y, move.to.x, move.to.y, piece, outcome->capture);
    if (recordMove(record, text, outcome->state, true) != RecordResult::recorded) {
        board = before;
        return false;
    }
    return true;
}

}  // namespace quorvel
