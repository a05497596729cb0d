#pragma once
// Moves in the notation engines exchange with chess programs: from-square,
// to-square and an optional promotion letter in chess coordinates ("e2e4",
// "e7e8q", castling as the king's move "e1g1"), read against the stored
// board, whose rows are reversed when the player has Black.

#include <optional>
#include <string>
#include <string_view>

#include "perft.h"
#include "position.h"

namespace quorvel {

// The legal move of the side that `text` names, or nullopt when the text is
// malformed or names no legal move. A promotion without its letter becomes
// a queen.
std::optional<LegalMove> findUciMove(const Position& position, StateWord state, bool sideIsUpper,
                                     bool playerIsBlack, std::string_view text);

// The text of a legal move of the side.
std::string uciMoveOf(const LegalMove& move, bool playerIsBlack);

// The text of a move written in rows of `before` (the engine's internal
// form, markers ignored); a pawn reaching the far row is promoted to a
// queen, as the engine always does. Empty when the text names no move.
std::string uciMoveOfText(const Position& before, const MoveText& rows, bool moverIsUpper,
                          bool playerIsBlack);

// The text of the computer's move as the record holds it (chess ranks),
// played from `before`.
std::string uciMoveOfRecorded(const Position& before, const MoveText& recorded, bool playerIsBlack);

}  // namespace quorvel
