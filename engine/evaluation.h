#pragma once
// The static evaluation of a position reached by one move: material,
// development, pawn structure and king safety, with a game-phase dependence
// on the half-moves played before the search, plus the horizon-effect term
// that depends on the search depth. Positive favours the upper side (the
// computer).
//
// This is the plain, square-by-square form. The search uses the equivalent
// incremental form of fast_expansion.cpp; tests hold the two together.

#include <array>
#include <cstdint>

#include "rules/position.h"

namespace quorvel {

// What the evaluation needs besides the position.
struct EvalSettings {
    int plyCount = 0;              // half-moves played in the game before the search
    bool horizonReduction = true;  // the horizon-effect term is wanted
    int depthLimit = 0;            // depth limit of the pass; the term needs more than 2
};

// Material by piece kind (code 1..6 of either side): king, queen, rook,
// knight, bishop, pawn.
constexpr std::array<int, 7> kMaterial{0, 0, 1320, 685, 427, 433, 110};

// `placed` is the code now on the to-square (the queen after a promotion,
// the king after a castling).
std::int16_t evaluate(const Position& child, StateWord state, int placed, int fromX, int fromY, int toX,
                      int toY, const EvalSettings& settings);

// The parts of the evaluation, per side, for tests and for the fast form.
int squareTerms(const Position& position, int plyCount, bool upper);
int globalTerms(const Position& position, StateWord state, int plyCount, bool upper);

}  // namespace quorvel
