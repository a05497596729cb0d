#pragma once
// Hand-built trees for the tree-search tests.

#include <utility>
#include <vector>

#include "engine/search_tree.h"

namespace quorvel::test {

// Gives `parent` a child array holding (move, score) pairs; returns its first entry.
inline NodeIndex addChildren(SearchTree& tree, NodeIndex parent,
                             const std::vector<std::pair<const char*, int>>& kids) {
    const int n = static_cast<int>(kids.size());
    const NodeIndex first = tree.allocateArray(n);
    for (int i = 0; i < n; ++i) {
        SearchNode child{};
        child.siblingsLeft = static_cast<std::int8_t>(n - i);
        child.depth = static_cast<std::int8_t>(tree[parent].depth + 1);
        child.score = static_cast<std::int16_t>(kids[static_cast<std::size_t>(i)].second);
        child.move = MoveText::fromString(kids[static_cast<std::size_t>(i)].first);
        child.parent = parent;
        tree[first + static_cast<NodeIndex>(i)] = child;
    }
    tree[parent].children = first;
    return first;
}

// A line of single children from the main root down to `depth`; returns its last node.
inline NodeIndex singleLine(SearchTree& tree, int depth) {
    NodeIndex node = SearchTree::mainRoot();
    for (int d = 0; d < depth; ++d) node = addChildren(tree, node, {{"b1-b2", 0}});
    return node;
}

inline NodeIndex childNamed(const SearchTree& tree, NodeIndex parent, const char* move) {
    const NodeIndex first = tree[parent].children;
    for (int i = 0; i < tree.arrayLength(first); ++i) {
        if (tree[first + static_cast<NodeIndex>(i)].move.str().rfind(move, 0) == 0)
            return first + static_cast<NodeIndex>(i);
    }
    return kNoNode;
}

}  // namespace quorvel::test
