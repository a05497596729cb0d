#include "game_outcome.h"

#include <algorithm>
#include <cstring>

#include "game_end.h"
#include "move_validity.h"
#include "record_positions.h"

namespace quorvel {

namespace {

// What makes two positions the same for the repetition rule.
struct RepetitionKey {
    std::int8_t squares[64];
    bool whiteToMove;
    int castlingRights;  // CastlingRight bits
    int enPassantFile;   // 0 unless an en-passant capture is possible

    friend bool operator==(const RepetitionKey& a, const RepetitionKey& b) {
        return std::memcmp(a.squares, b.squares, sizeof a.squares) == 0 && a.whiteToMove == b.whiteToMove &&
               a.castlingRights == b.castlingRights && a.enPassantFile == b.enPassantFile;
    }
};

// The file of the pawn that has just made a double step, when the side to
// move can legally take it en passant. A double step no pawn can answer
// leaves the position as it would be without it.
int enPassantFile(const ChessPosition& p) {
    const bool moverUpper = !p.whiteToMove;  // White is the lower side
    const int file = moverUpper ? lowerDoubleStepFile(p.state) : upperDoubleStepFile(p.state);
    if (file < 1 || file > 8) return 0;
    const int fromRow = moverUpper ? 4 : 5;
    const int toRow = moverUpper ? 3 : 6;
    const std::int8_t pawn = moverUpper ? kUpperPawn : kLowerPawn;
    for (int x : {file - 1, file + 1}) {
        if (x < 1 || x > 8 || p.board.at(x, fromRow) != pawn) continue;
        if (!checkMove(p.board, p.state, x, fromRow, file, toRow, false).valid) continue;
        if (!kingAttacked(p.board, p.state, x, fromRow, file, toRow, 0, 0, 0, 0, moverUpper)) return file;
    }
    return 0;
}

RepetitionKey keyOf(const ChessPosition& p) {
    RepetitionKey key{};
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y) key.squares[(x - 1) * 8 + (y - 1)] = p.board.at(x, y);
    key.whiteToMove = p.whiteToMove;
    key.castlingRights = castlingRights(p.board, p.state);
    key.enPassantFile = enPassantFile(p);
    return key;
}

bool sideToMoveCanMove(const ChessPosition& p) {
    return hasLegalMove(p.board, p.state, !p.whiteToMove);
}

}  // namespace

bool insufficientMaterial(const Position& board) {
    int minors = 0, knights = 0;
    int bishopColours = 0;  // bit 0: a bishop on a dark square, bit 1: on a light one
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const int code = board.at(x, y);
            switch (code > 10 ? code - 10 : code) {
                case 0:
                case kUpperKing:
                    break;
                case kUpperKnight:
                    ++minors;
                    ++knights;
                    break;
                case kUpperBishop:
                    ++minors;
                    bishopColours |= (x + y) % 2 == 0 ? 1 : 2;
                    break;
                default:
                    return false;  // a pawn, a rook or a queen can still mate
            }
        }
    }
    return minors <= 1 || (knights == 0 && bishopColours != 3);
}

int repetitionCount(const GameRecord& record) {
    const int ply = std::min(record.plyCount, GameRecord::kCapacity);
    const ChessPosition now = positionAtPly(record, ply);
    // Only positions since the last capture or pawn move can come back.
    const int earliest = ply - reversibleRun(record).plies;
    int count = 1;
    bool keyed = false;
    RepetitionKey key{};
    for (int earlier = ply - 2; earlier >= earliest; earlier -= 2) {
        const ChessPosition then = positionAtPly(record, earlier);
        // The rights are worked out only for boards that match square for square.
        if (!sameSquares(then.board, now.board)) continue;
        if (!keyed) {
            key = keyOf(now);
            keyed = true;
        }
        if (keyOf(then) == key) ++count;
    }
    return count;
}

DrawReason drawReason(const GameRecord& record) {
    const ChessPosition now = positionAtPly(record, std::min(record.plyCount, GameRecord::kCapacity));
    if (!sideToMoveCanMove(now)) return DrawReason::none;
    if (repetitionCount(record) >= 3) return DrawReason::repetition;
    if (halfMoveClock(record) >= 100) return DrawReason::fiftyMoves;
    if (insufficientMaterial(now.board)) return DrawReason::insufficientMaterial;
    return DrawReason::none;
}

GameResult gameResult(const GameRecord& record) {
    const ChessPosition now = positionAtPly(record, std::min(record.plyCount, GameRecord::kCapacity));
    if (!sideToMoveCanMove(now)) {
        if (!isInCheck(now.board, now.state, !now.whiteToMove)) return GameResult::draw;
        return now.whiteToMove ? GameResult::blackWins : GameResult::whiteWins;
    }
    if (drawReason(record) != DrawReason::none || record.plyCount >= GameRecord::kCapacity)
        return GameResult::draw;
    return GameResult::ongoing;
}

const char* resultToken(GameResult result) {
    switch (result) {
        case GameResult::whiteWins:
            return "1-0";
        case GameResult::blackWins:
            return "0-1";
        case GameResult::draw:
            return "1/2-1/2";
        case GameResult::ongoing:
            break;
    }
    return "*";
}

}  // namespace quorvel
