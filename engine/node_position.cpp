#include <array>

#include "engine/expansion.h"
#include "engine/search_tree.h"
#include "rules/move_application.h"

namespace quorvel {

Position nodePosition(const SearchTree& tree, NodeIndex node, const Position& base) {
    // The path is at most one entry per ply; depths are int8.
    std::array<NodeIndex, 128> path{};
    int length = 0;
    for (NodeIndex n = node; tree[n].depth >= 1 && length < static_cast<int>(path.size());
         n = tree[n].parent) {
        path[static_cast<std::size_t>(length++)] = n;
    }
    Position position = base;
    for (int i = length - 1; i >= 0; --i) {
        const SearchNode& step = tree[path[static_cast<std::size_t>(i)]];
        replayMoveText(position, step.move, (step.depth & 1) != 0);
    }
    return position;
}

}  // namespace quorvel
