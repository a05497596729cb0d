#include "record_positions.h"

#include <algorithm>

#include "move_application.h"

namespace quorvel {

namespace {

bool holdsPieces(const Position& entry) {
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y)
            if (entry.at(x, y) != 0) return true;
    return false;
}

bool isPawn(int code) {
    return code == kUpperPawn || code == kLowerPawn;
}

// The board with White as the lower side; `heldMirrored` when it was held
// for a player with Black (side marker 1 in history entries).
Position whiteLowerBoard(const Position& board, bool heldMirrored) {
    Position result = board;
    if (heldMirrored) mirrorPosition(result);
    result[0] = 0;
    return result;
}

// Does the move from `before` to `after` capture or move a pawn? Boards that
// no single move joins count as irreversible too.
bool isIrreversible(const Position& before, const Position& after) {
    int piecesBefore = 0, piecesAfter = 0;
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const int a = before.at(x, y), b = after.at(x, y);
            piecesBefore += a != 0;
            piecesAfter += b != 0;
            // A pawn that left, arrived or was promoted changes the pawns' squares.
            if ((isPawn(a) || isPawn(b)) && a != b) return true;
        }
    }
    // A capture; more men than before is no move at all (an entry left empty).
    return piecesAfter != piecesBefore;
}

}  // namespace

int castlingRights(const Position& b, StateWord s) {
    const bool whiteKingHome = !(s & (kLowerKingMoved | kLowerCastled)) && b.at(5, 1) == kLowerKing;
    const bool blackKingHome = !(s & (kUpperKingMoved | kUpperCastled)) && b.at(5, 8) == kUpperKing;
    int rights = 0;
    if (whiteKingHome && !(s & kLowerRookHMoved) && b.at(8, 1) == kLowerRook) rights |= kWhiteKingSide;
    if (whiteKingHome && !(s & kLowerRookAMoved) && b.at(1, 1) == kLowerRook) rights |= kWhiteQueenSide;
    if (blackKingHome && !(s & kUpperRookHMoved) && b.at(8, 8) == kUpperRook) rights |= kBlackKingSide;
    if (blackKingHome && !(s & kUpperRookAMoved) && b.at(1, 8) == kUpperRook) rights |= kBlackQueenSide;
    return rights;
}

int setupPly(const GameRecord& record) {
    const int held = std::clamp(std::max(record.plyCount, record.recordLength), 0, GameRecord::kCapacity);
    for (int k = held - 1; k >= 0; --k) {
        const auto index = static_cast<std::size_t>(k);
        if (record.moves[index].empty() && holdsPieces(record.history[index])) return k + 1;
    }
    return 0;
}

ChessPosition positionAtPly(const GameRecord& record, int ply) {
    ChessPosition result;
    result.whiteToMove = ply % 2 == 0;
    if (ply <= 0) {
        if (record.plyCount == 0) {
            result.board = whiteLowerBoard(record.current, record.playerIsBlack);
        } else {
            setInitialPosition(result.board);
        }
    } else {
        const Position& entry =
            record.history[static_cast<std::size_t>(std::min(ply, GameRecord::kCapacity) - 1)];
        result.board = whiteLowerBoard(entry, entry[0] == kMarkerPlayerBlack);
    }
    result.state = packState(result.board, 0);
    return result;
}

ReversibleRun reversibleRun(const GameRecord& record) {
    ReversibleRun run;
    const int start = setupPly(record);
    int ply = std::min(record.plyCount, GameRecord::kCapacity);
    ChessPosition after = positionAtPly(record, ply);
    for (; ply > start; --ply) {
        const ChessPosition before = positionAtPly(record, ply - 1);
        if (isIrreversible(before.board, after.board)) {
            run.halfMoveClock = run.plies;
            return run;
        }
        ++run.plies;
        after = before;
    }
    run.halfMoveClock = run.plies + std::max(record.setupHalfMoveClock, 0);
    return run;
}

int halfMoveClock(const GameRecord& record) {
    return reversibleRun(record).halfMoveClock;
}

}  // namespace quorvel
