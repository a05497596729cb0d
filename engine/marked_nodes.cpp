// The mate and stalemate look-ups of the final choice. They give what the
// tree's walks give from the main root (the shallowest candidate, or the
// deepest, the first in walk order on ties) while reading only the arrays
// that ever received a mark.

#include <algorithm>
#include <array>

#include "engine/tree_search.h"

namespace quorvel {

// Whether the array starting at `first` is still reachable from the main
// root: each step up must be the parent's own child array, and the parent
// must lie inside its own parent's array. A released or reused array fails
// one of these links, or is a live array of the main tree after all.
bool TreeSearch::liveInMainTree(NodeIndex first) const {
    NodeIndex array = first;
    for (int step = 0; step < 128; ++step) {
        const SearchNode& head = tree_[array];
        const NodeIndex parent = head.parent;
        if (parent == kNoNode || parent == SearchTree::secondaryRoot()) return false;
        const SearchNode& p = tree_[parent];
        if (p.children != array || p.depth + 1 != head.depth) return false;
        if (parent == SearchTree::mainRoot()) return true;
        if (p.parent == kNoNode) return false;
        const NodeIndex above = tree_[p.parent].children;
        if (above == kNoNode || parent < above ||
            parent >= above + static_cast<NodeIndex>(tree_.arrayLength(above))) {
            return false;
        }
        array = above;
    }
    return false;
}

// Walk order: the sibling indices from the root, compared in turn.
bool TreeSearch::visitedBefore(NodeIndex a, NodeIndex b) const {
    auto pathOf = [this](NodeIndex n, std::array<int, 128>& path) {
        int length = 0;
        while (tree_[n].depth > 0 && length < 128) {
            const NodeIndex parent = tree_[n].parent;
            path[static_cast<std::size_t>(length++)] = static_cast<int>(n - tree_[parent].children);
            n = parent;
        }
        std::reverse(path.begin(), path.begin() + length);
        return length;
    };
    std::array<int, 128> pa{}, pb{};
    const int la = pathOf(a, pa), lb = pathOf(b, pb);
    return std::lexicographical_compare(pa.begin(), pa.begin() + la, pb.begin(), pb.begin() + lb);
}

NodeIndex TreeSearch::findMarked(std::string_view marker, bool deepest) {
    const NodeIndex root = SearchTree::mainRoot();
    std::sort(markedArrays_.begin(), markedArrays_.end());
    markedArrays_.erase(std::unique(markedArrays_.begin(), markedArrays_.end()), markedArrays_.end());
    NodeIndex best = root;
    for (const NodeIndex first : markedArrays_) {
        if (!liveInMainTree(first)) continue;
        const int length = tree_.arrayLength(first);
        for (int i = 0; i < length; ++i) {
            const NodeIndex node = first + static_cast<NodeIndex>(i);
            if (!moveContains(tree_[node].move, marker)) continue;
            if (best == root) {
                best = node;
                continue;
            }
            const int depth = tree_[node].depth, bestDepth = tree_[best].depth;
            const bool better = deepest ? depth > bestDepth : depth < bestDepth;
            if (better || (depth == bestDepth && visitedBefore(node, best))) best = node;
        }
    }
    return best;
}

}  // namespace quorvel
