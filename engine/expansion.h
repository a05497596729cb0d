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
#include "rules/move_application.h"
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

}  // namespace quorvel
