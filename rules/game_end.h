#pragma once
// Checkmate, stalemate, check and the back-and-forth repetition.

#include "position.h"

namespace quorvel {

// Does the side have at least one legal move? A castling counts only when
// it would be accepted.
bool hasLegalMove(const Position& position, StateWord state, bool sideIsUpper);

bool isInCheck(const Position& position, StateWord state, bool sideIsUpper);
bool isCheckmated(const Position& position, StateWord state, bool sideIsUpper);
bool isStalemated(const Position& position, StateWord state, bool sideIsUpper);

// n is the index of the last recorded half-move (plyCount - 1). True when the
// last eight half-moves are two back-and-forth cycles of both sides.
bool isRepetition(const GameRecord& record, int n);

}  // namespace quorvel
