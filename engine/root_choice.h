#pragma once
// How the move to play is taken from the root's moves. With a margin, it is
// drawn at random among the moves the search scored within the margin of the
// best: a weak level then errs like a weak player, by a modest amount it
// does not see, never by a piece it sees hanging. With no margin it is the
// search's own choice, and nothing in the search changes.

#include <cstdint>
#include <vector>

#include "engine/search_tree.h"

namespace quorvel {

struct RootChoice {
    int margin = 0;          // hundredths of a pawn, 0: the search's own choice
    std::uint32_t seed = 0;  // the draws' sequence; the game seeds it from the clock

    friend bool operator==(const RootChoice&, const RootChoice&) = default;
};

// The main root's children whose score is within `margin` of the best
// child's, in the array's order (mates and pruned moves score far below).
std::vector<NodeIndex> movesWithinMargin(const SearchTree& tree, int margin);

// One of them, by `draw` (any number: its remainder picks). kNoNode when
// the root has no child.
NodeIndex pickWithinMargin(const SearchTree& tree, int margin, std::uint32_t draw);

}  // namespace quorvel
