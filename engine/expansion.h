#pragma once
// Node expansion: rebuild a node's position from a base position and the
// moves on its path, generate the legal moves of the side to move in a fixed
// order (pieces by file then row, targets by file then row), and score each
// child. Two implementations share this contract: the literal one, which
// tries every target with the rules' move and attack tests, and the fast
// one the search uses. They must produce identical child lists.

#include <cstdint>
#include <cstdlib>

#include "engine/evaluation.h"
#include "engine/search_node.h"
#include "rules/position.h"

namespace quorvel {

class SearchTree;

struct ExpansionCounts {
    int childCount = 0;           // entries written to the list, 0..100
    int dropped = 0;              // legal moves found after the list was full
    std::uint32_t evaluated = 0;  // children scored, dropped ones included
    bool stalemate = false;       // no child and the side to move is not in check
};

// Writes the children of the position (side to move given) into `out`:
// move, score and state of each; the other fields are left as they are.
using ExpandFn = ExpansionCounts (*)(const Position& position, StateWord state, bool sideIsUpper,
                                     const EvalSettings& settings, NodeList& out);

ExpansionCounts literalExpand(const Position& position, StateWord state, bool sideIsUpper,
                              const EvalSettings& settings, NodeList& out);
ExpansionCounts fastExpand(const Position& position, StateWord state, bool sideIsUpper,
                           const EvalSettings& settings, NodeList& out);

// The position of a node: the base with the moves of the node and its
// ancestors of depth 1 and more replayed from the top down (odd depth: a move
// of the upper side).
Position nodePosition(const SearchTree& tree, NodeIndex node, const Position& base);

// The state after a move of `piece` (code on the from-square), as the move
// application computes it; castling bits are the caller's business. Inline:
// both expansions call it for every child.
inline StateWord stateAfterMove(StateWord state, int piece, int fromX, int fromY, int toX, int toY) {
    const bool upper = isUpperPiece(piece);
    if (piece == kUpperKing) state |= kUpperKingMoved;
    if (piece == kLowerKing) state |= kLowerKingMoved;
    if (piece == kUpperRook && fromX == 1) state |= kUpperRookAMoved;
    if (piece == kUpperRook && fromX == 8) state |= kUpperRookHMoved;
    if (piece == kLowerRook && fromX == 1) state |= kLowerRookAMoved;
    if (piece == kLowerRook && fromX == 8) state |= kLowerRookHMoved;
    state = upper ? withUpperDoubleStepFile(state, 0) : withLowerDoubleStepFile(state, 0);
    const bool pawn = piece == kUpperPawn || piece == kLowerPawn;
    if (pawn && std::abs(toY - fromY) == 2) {
        state = upper ? withUpperDoubleStepFile(state, toX) : withLowerDoubleStepFile(state, toX);
    }
    return state;
}

}  // namespace quorvel
