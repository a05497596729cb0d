#pragma once
// The draws of the rules of chess that end a game on the board, and the
// result of a game as a whole.
//
// Positions repeat when the same pieces stand on the same squares with the
// same side to move, the same castling rights and the same en-passant
// capture possible, whatever the moves between them.

#include "position.h"

namespace quorvel {

enum class DrawReason { none, repetition, fiftyMoves, insufficientMaterial };

// Kings alone, a king and one minor piece against a king, or kings and
// bishops only with every bishop on squares of one colour. `board` is any
// position; the sides do not matter.
bool insufficientMaterial(const Position& board);

// How often the position after plyCount half-moves has stood on the board,
// this time included.
int repetitionCount(const GameRecord& record);

// The draw that ends the game at plyCount, if any. A side to move without a
// legal move is mated or stalemated, which decides first: then none.
DrawReason drawReason(const GameRecord& record);

enum class GameResult { ongoing, whiteWins, blackWins, draw };

// Mate, stalemate, the draws above, or the record full at 300 half-moves.
GameResult gameResult(const GameRecord& record);

// "1-0", "0-1", "1/2-1/2" or "*".
const char* resultToken(GameResult result);

}  // namespace quorvel
