#include "engine/search_tree.h"

namespace quorvel {

void SearchTree::resetRoot(NodeIndex root, StateWord state) {
    SearchNode& node = arena_[root];
    node = SearchNode{};
    node.siblingsLeft = 1;
    node.depth = 0;
    node.score = -kBound;
    node.move = MoveText::fromString("    ");
    node.state = state;
}

void SearchTree::freeArray(NodeIndex first) {
    pruneArray(first, 0);
}

void SearchTree::pruneArray(NodeIndex first, int keepDepth) {
    pruneWalk(first, keepDepth, false);
}

bool SearchTree::pruneArrayUnlessStopped(NodeIndex first, int keepDepth) {
    return pruneWalk(first, keepDepth, true);
}

bool SearchTree::pruneWalk(NodeIndex first, int keepDepth, bool stoppable) {
    // Checked once per array: a stop waits for no more than one array's walk.
    if (stoppable && status_.stop.load(std::memory_order_relaxed)) return false;
    const int length = arrayLength(first);
    for (int i = 0; i < length; ++i) {
        const NodeIndex children = arena_[first + static_cast<NodeIndex>(i)].children;
        if (children != kNoNode && !pruneWalk(children, keepDepth, stoppable)) return false;
    }
    const SearchNode& head = arena_[first];
    if (head.depth > keepDepth) {
        status_.entriesFreed.fetch_add(static_cast<std::uint32_t>(length), std::memory_order_relaxed);
        arena_.release(first, arrayCapacity(first));
    }
    return true;
}

void SearchTree::findDeepestPrincipalLeaf(NodeIndex node, int target, int depthLimit) {
    const SearchNode& n = arena_[node];
    if (n.children == kNoNode) {
        if (n.depth >= depthLimit - 1 && n.score == target && n.depth >= arena_[selected].depth)
            selected = node;
        return;
    }
    const int length = arrayLength(n.children);
    for (int i = 0; i < length; ++i) {
        const NodeIndex child = n.children + static_cast<NodeIndex>(i);
        if (arena_[child].score == target) findDeepestPrincipalLeaf(child, target, depthLimit);
    }
}

void SearchTree::findMarked(NodeIndex node, std::string_view marker, bool deepest) {
    const SearchNode& n = arena_[node];
    if (moveContains(n.move, marker)) {
        const int selectedDepth = arena_[selected].depth;
        if (selected == mainRoot() || (deepest ? n.depth > selectedDepth : n.depth < selectedDepth)) {
            selected = node;
        }
        return;
    }
    if (n.children == kNoNode) return;
    const int length = arrayLength(n.children);
    for (int i = 0; i < length; ++i) findMarked(n.children + static_cast<NodeIndex>(i), marker, deepest);
}

void SearchTree::findMateNode(NodeIndex node) {
    findMarked(node, "++", false);
}

void SearchTree::findStalemateNode(NodeIndex node, bool deepest) {
    findMarked(node, "P", deepest);
}

NodeIndex SearchTree::rootChildOf(NodeIndex node) const {
    while (arena_[node].depth > 1) node = arena_[node].parent;
    return node;
}

}  // namespace quorvel
