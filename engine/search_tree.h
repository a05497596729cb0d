#pragma once
// The search tree with the fixed buffers that the search uses beside it, and
// the walks other parts of the engine call: freeing and pruning child arrays,
// finding the deepest principal leaf, the shallowest mate and a stalemate.
//
// nodesCreated and entriesFreed live in the shared SearchStatus so that the
// window's "Mem :" and the memory budget read the truth.

#include <array>
#include <cstdint>

#include "engine/node_arena.h"
#include "engine/search_node.h"
#include "engine/search_status.h"

namespace quorvel {

constexpr std::int16_t kMateScore = 20000;
constexpr std::int16_t kBound = 30000;     // bound of the back-up's minimax
constexpr std::int16_t kExcluded = 32000;  // nodes left out of the back-up
constexpr std::int16_t kMatePrune = 25000;

class SearchTree {
public:
    explicit SearchTree(SearchStatus& status) : status_(status) {}

    SearchNode& operator[](NodeIndex index) { return arena_[index]; }
    const SearchNode& operator[](NodeIndex index) const { return arena_[index]; }
    SearchStatus& status() { return status_; }

    static constexpr NodeIndex mainRoot() { return NodeArena::kMainRoot; }
    static constexpr NodeIndex secondaryRoot() { return NodeArena::kSecondaryRoot; }
    // Sets a root to its empty state: one entry, depth 0, "    ".
    void resetRoot(NodeIndex root, StateWord state);

    // Number of entries of the array starting at `first` (0 for a terminal array).
    int arrayLength(NodeIndex first) const { return arena_[first].siblingsLeft; }
    // Entries the array physically holds: a terminal array has one.
    int arrayCapacity(NodeIndex first) const {
        const int n = arena_[first].siblingsLeft;
        return n > 0 ? n : 1;
    }

    // Allocation
    NodeIndex allocateArray(int count) { return arena_.allocate(count); }
    // Frees everything below the array; an array at depth 0 (a root) stays.
    void freeArray(NodeIndex first);
    // The same walk, releasing only arrays deeper than keepDepth.
    void pruneArray(NodeIndex first, int keepDepth);
    // pruneArray that gives up as soon as stop is raised and returns false.
    // The walk is then half done: the caller must detach `first` (its arrays
    // still held are dropped with the rest by clearAll).
    bool pruneArrayUnlessStopped(NodeIndex first, int keepDepth);
    // Drops every array at once at the end of a search; the roots survive.
    void clearAll() { arena_.clear(); }

    // Selection walks. The caller sets `selected` first (usually to a root).
    void findDeepestPrincipalLeaf(NodeIndex node, int target, int depthLimit);
    void findMateNode(NodeIndex node);
    void findStalemateNode(NodeIndex node, bool deepest);
    // The depth-1 ancestor of a node (the node itself at depth 1, a root stays).
    NodeIndex rootChildOf(NodeIndex node) const;

    // Node pointers (reset by the driver between passes).
    NodeIndex selected = kNoNode;
    NodeIndex examined = kNoNode;  // the main-tree node a secondary tree is built for
    NodeIndex chosen = kNoNode;

    // Fixed buffers.
    NodeList generated{};  // children of the node being expanded; first buffer of the sort
    NodeList scratch{};    // second buffer of the merge sort
    std::array<SearchNode, 100> savedRing{};

private:
    bool pruneWalk(NodeIndex first, int keepDepth, bool stoppable);
    void findMarked(NodeIndex node, std::string_view marker, bool deepest);

    SearchStatus& status_;
    NodeArena arena_;
};

}  // namespace quorvel
