#pragma once
// The game the window holds, as an engine is told it and as its answer is
// played back: the position the game started from and the moves played
// since, in the engines' notation, and the engine's move recorded as the
// computer's.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/position.h"
#include "rules/record_positions.h"

namespace quorvel {

struct GameForEngine {
    std::string fen;                 // the start position; empty for the initial position
    std::vector<std::string> moves;  // "e2e4", "e7e8q", castling as the king's move

    friend bool operator==(const GameForEngine&, const GameForEngine&) = default;
};

// The record's game up to its live position. Nullopt when a half-move of the
// record does not lead from its position to the next (a damaged game).
std::optional<GameForEngine> gameForEngine(const GameRecord& record);

// A game continues another one: the same start, and the other's moves first.
// An engine is told "ucinewgame" only when the game does not continue.
bool continuesGame(const GameForEngine& earlier, const GameForEngine& later);

// The record's live position on the chess board (White below, rows the
// ranks), with the side to move.
ChessPosition liveChessPosition(const GameRecord& record);

// Records the engine's move, a move of the side to move in the engines'
// notation, as the computer's move (the live board held so that the mover
// is the upper side). False, the record unchanged, for a malformed or
// illegal move, a promotion without its piece, or a full record.
bool recordEngineMove(GameRecord& record, std::string_view move);

}  // namespace quorvel
