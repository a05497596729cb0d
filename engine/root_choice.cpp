#include "engine/root_choice.h"

#include <algorithm>

namespace quorvel {

std::vector<NodeIndex> movesWithinMargin(const SearchTree& tree, int margin) {
    std::vector<NodeIndex> moves;
    const NodeIndex first = tree[SearchTree::mainRoot()].children;
    if (first == kNoNode) return moves;
    const int length = tree.arrayLength(first);
    int best = -kExcluded;
    for (int i = 0; i < length; ++i)
        best = std::max<int>(best, tree[first + static_cast<NodeIndex>(i)].score);
    for (int i = 0; i < length; ++i) {
        const NodeIndex child = first + static_cast<NodeIndex>(i);
        if (tree[child].score >= best - margin) moves.push_back(child);
    }
    return moves;
}

NodeIndex pickWithinMargin(const SearchTree& tree, int margin, std::uint32_t draw) {
    const std::vector<NodeIndex> moves = movesWithinMargin(tree, margin);
    if (moves.empty()) return kNoNode;
    return moves[draw % moves.size()];
}

}  // namespace quorvel
