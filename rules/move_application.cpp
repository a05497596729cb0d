#include "move_application.h"

#include <cassert>
#include <cstdlib>

#include "notation.h"

namespace quorvel {

void setInitialPosition(Position& position) {
    constexpr std::int8_t kBackRow[8] = {kUpperRook, kUpperKnight, kUpperBishop, kUpperQueen,
                                         kUpperKing, kUpperBishop, kUpperKnight, kUpperRook};
    for (int x = 1; x <= 8; ++x) {
        position.at(x, 8) = kBackRow[x - 1];
        position.at(x, 7) = kUpperPawn;
        for (int y = 3; y <= 6; ++y) position.at(x, y) = 0;
        position.at(x, 2) = kLowerPawn;
        position.at(x, 1) = static_cast<std::int8_t>(kBackRow[x - 1] + 10);
    }
}

namespace {

// King and rook squares of a castling on the given home row.
void placeCastling(Position& position, int row, bool kingSide, std::int8_t king, std::int8_t rook) {
    position.at(5, row) = 0;
    if (kingSide) {
        position.at(8, row) = 0;
        position.at(7, row) = king;
        position.at(6, row) = rook;
    } else {
        position.at(1, row) = 0;
        position.at(3, row) = king;
        position.at(4, row) = rook;
    }
}

}  // namespace

std::optional<MoveOutcome> makeMove(Position& position, StateWord state, int fromX, int fromY, int toX,
                                    int toY, Castling castling, int promotionPiece) {
    const std::int8_t piece = position.at(fromX, fromY);
    assert(piece != 0);
    const bool upper = isUpperPiece(piece);
    MoveOutcome outcome;
    if (castling != Castling::none) {
        if (!castlingAllowed(position, state, upper, castling)) return std::nullopt;
        placeCastling(position, fromY, castling == Castling::kingSide, piece,
                      upper ? kUpperRook : kLowerRook);
        outcome.state =
            stateAfterMove(state, piece, fromX, fromY, toX, toY) | (upper ? kUpperCastled : kLowerCastled);
        return outcome;
    }
    std::int8_t placed = piece;
    const int farRow = upper ? 1 : 8;
    const bool pawn = piece == kUpperPawn || piece == kLowerPawn;
    if (pawn && toY == farRow) {
        placed = static_cast<std::int8_t>(promotionPiece != 0 ? promotionPiece
                                                              : (upper ? kUpperQueen : kLowerQueen));
    }
    outcome.capture = position.at(toX, toY) != 0;
    if (pawn && std::abs(toX - fromX) == 1 && std::abs(toY - fromY) == 1 && position.at(toX, toY) == 0) {
        const std::int8_t opposing = upper ? kLowerPawn : kUpperPawn;
        if (position.at(toX, fromY) == opposing) {
            position.at(toX, fromY) = 0;
            outcome.capture = true;
        }
    }
    position.at(toX, toY) = placed;
    position.at(fromX, fromY) = 0;
    outcome.state = stateAfterMove(state, piece, fromX, fromY, toX, toY);
    return outcome;
}

void replayMoveText(Position& position, const MoveText& text, bool moverIsUpper) {
    if (text.isCastling()) {
        const int row = moverIsUpper ? 8 : 1;
        placeCastling(position, row, !text.isLongCastling(), moverIsUpper ? kUpperKing : kLowerKing,
                      moverIsUpper ? kUpperRook : kLowerRook);
        return;
    }
    const int fromX = text[0] - 0x60, fromY = text[1] - 0x30;
    const int toX = text[3] - 0x60, toY = text[4] - 0x30;
    if (fromX < 1 || fromX > 8 || fromY < 1 || fromY > 8 || toX < 1 || toX > 8 || toY < 1 || toY > 8) return;
    std::int8_t piece = position.at(fromX, fromY);
    const bool pawn = piece == kUpperPawn || piece == kLowerPawn;
    if (pawn && std::abs(toX - fromX) == 1 && std::abs(toY - fromY) == 1 && position.at(toX, toY) == 0) {
        const std::int8_t opposing = piece == kUpperPawn ? kLowerPawn : kUpperPawn;
        if (position.at(toX, fromY) == opposing) position.at(toX, fromY) = 0;
    }
    if (piece == kUpperPawn && toY == 1) piece = kUpperQueen;
    if (piece == kLowerPawn && toY == 8) piece = kLowerQueen;
    position.at(toX, toY) = piece;
    position.at(fromX, fromY) = 0;
}

void newGame(GameRecord& record) {
    record.current = Position{};
    setInitialPosition(record.current);
    record.state &= 0xFFFF0000u;
    for (MoveText& text : record.moves) text.clear();
    for (Position& entry : record.history) entry = Position{};
    record.plyCount = 0;
    record.recordLength = 0;
    record.playerIsBlack = false;
    record.whiteClock = 0;
    record.blackClock = 0;
    record.setupHalfMoveClock = 0;
}

bool givesCheck(const Position& position, StateWord state, bool moverIsUpper) {
    return kingAttacked(position, state, 0, 0, 0, 0, 0, 0, 0, 0, !moverIsUpper);
}

RecordResult recordMove(GameRecord& record, const MoveText& text, StateWord newState, bool byPlayer) {
    const int ply = record.plyCount;
    if (ply < 0 || ply >= GameRecord::kCapacity) return RecordResult::recordFull;
    if (byPlayer) {
        for (int k = ply; k < GameRecord::kCapacity; ++k) record.moves[static_cast<std::size_t>(k)].clear();
    }
    MoveText stored = toChessRanks(text, record.playerIsBlack);
    const bool moverIsUpper = !byPlayer;
    if (givesCheck(record.current, newState, moverIsUpper)) stored[5] = '+';
    record.moves[static_cast<std::size_t>(ply)] = stored;
    record.state = newState;
    unpackState(newState, record.current);
    Position& entry = record.history[static_cast<std::size_t>(ply)];
    entry = record.current;
    entry[0] = record.playerIsBlack ? kMarkerPlayerBlack : kMarkerPlayerWhite;
    record.plyCount = ply + 1;
    record.recordLength = record.plyCount;
    return RecordResult::recorded;
}

}  // namespace quorvel
