#pragma once
// Recording a move given on the chess board as the window (a human's move)
// or the engine (the computer's) would have recorded it: the board held so
// that the mover has its usual side, the move text with its check, mate and
// stalemate marks, the position in the history with its side marker. A game
// built this way is the game that was played.

#include "perft.h"
#include "position.h"

namespace quorvel {

// `move` is a legal move of the side to move on the chess board (White the
// lower side, rows the ranks; see record_positions.h). The human moves the
// lower side and the computer the upper side, so the live board is mirrored
// first when the mover's colour asks for it. False, with the record
// unchanged, when the record is full or the move is refused.
bool recordChessMove(GameRecord& record, const LegalMove& move, bool byComputer);

}  // namespace quorvel
