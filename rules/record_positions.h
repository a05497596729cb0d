#pragma once
// The positions a game record holds, read the same way whatever side the
// player had when each was written: White as the lower side, rows equal to
// chess ranks.
//
// A game starts either from the initial position (ply 0) or from a set-up
// position (a FEN): the history entry of a half-move whose text is empty,
// with the entries before it unused.

#include "position.h"

namespace quorvel {

// A position on the chess board: White the lower side, row = rank.
struct ChessPosition {
    Position board{};  // state cells included; cell 0 clear
    StateWord state = 0;
    bool whiteToMove = true;
};

// The castlings a chess position still allows, the path and the attacks
// aside: king and rook at home, neither moved, the side not castled yet.
enum CastlingRight : int { kWhiteKingSide = 1, kWhiteQueenSide = 2, kBlackKingSide = 4, kBlackQueenSide = 8 };
int castlingRights(const Position& board, StateWord state);

// The ply the game starts from: 0 for the initial position, s when history
// entry s-1 holds a set-up position.
int setupPly(const GameRecord& record);

// The position after `ply` half-moves, for setupPly(record) <= ply <=
// recordLength. Ply 0 of a game without moves is the live position (a game
// set up from a FEN by the command-line tools starts there).
ChessPosition positionAtPly(const GameRecord& record, int ply);

// The half-moves played since the last capture or pawn move, back from
// plyCount, and the FEN half-move clock of the position shown: the same
// count, plus the set-up position's own clock when the run reaches it.
struct ReversibleRun {
    int plies = 0;
    int halfMoveClock = 0;
};
ReversibleRun reversibleRun(const GameRecord& record);
int halfMoveClock(const GameRecord& record);

}  // namespace quorvel
