#include "game_outcome.h"

#include <algorithm>
#include <optional>

#include "game_end.h"
#include "move_validity.h"
#include "record_positions.h"

namespace quorvel {

namespace {

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

// What besides the squares makes two positions the same for the
// repetition rule; the side to move is the same two half-moves apart.
struct Rights {
    int castling;       // CastlingRight bits
    int enPassantFile;  // 0 unless an en-passant capture is possible

    friend bool operator==(const Rights&, const Rights&) = default;
};

Rights rightsOf(const ChessPosition& p) {
    return {castlingRights(p.board, p.state), enPassantFile(p)};
}

// How often `now`, the position after `ply` half-moves, has stood on the
// board within the last `reversible` half-moves, this time included.
int timesSeen(const GameRecord& record, int ply, const ChessPosition& now, int reversible) {
    int count = 1;
    std::optional<Rights> rights;
    for (int earlier = ply - 2; earlier >= ply - reversible; earlier -= 2) {
        const ChessPosition then = positionAtPly(record, earlier);
        // The rights are worked out only for boards that match square for square.
        if (!sameSquares(then.board, now.board)) continue;
        if (!rights) rights = rightsOf(now);
        if (rightsOf(then) == *rights) ++count;
    }
    return count;
}

int shownPly(const GameRecord& record) {
    return std::min(record.plyCount, GameRecord::kCapacity);
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
            switch (pieceKind(code)) {
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
    const int ply = shownPly(record);
    // Only positions since the last capture or pawn move can come back.
    return timesSeen(record, ply, positionAtPly(record, ply), reversibleRun(record).plies);
}

namespace {

// The draw of a position `now` whose side to move has a legal move; the
// reversible run serves both the repetition and the fifty-move rule.
DrawReason drawWithMovesLeft(const GameRecord& record, const ChessPosition& now) {
    const ReversibleRun run = reversibleRun(record);
    if (timesSeen(record, shownPly(record), now, run.plies) >= 3) return DrawReason::repetition;
    if (run.halfMoveClock >= 100) return DrawReason::fiftyMoves;
    if (insufficientMaterial(now.board)) return DrawReason::insufficientMaterial;
    return DrawReason::none;
}

}  // namespace

DrawReason drawReason(const GameRecord& record) {
    const ChessPosition now = positionAtPly(record, shownPly(record));
    if (!sideToMoveCanMove(now)) return DrawReason::none;
    return drawWithMovesLeft(record, now);
}

GameResult gameResult(const GameRecord& record) {
    const ChessPosition now = positionAtPly(record, shownPly(record));
    if (!sideToMoveCanMove(now)) {
        if (!isInCheck(now.board, now.state, !now.whiteToMove)) return GameResult::draw;
        return now.whiteToMove ? GameResult::blackWins : GameResult::whiteWins;
    }
    if (record.plyCount >= GameRecord::kCapacity || drawWithMovesLeft(record, now) != DrawReason::none)
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
