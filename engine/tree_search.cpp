#include "engine/tree_search.h"

#include <algorithm>
#include <cstdlib>

#include "engine/search_reports.h"
#include "rules/move_application.h"

namespace quorvel {

namespace {

// The sibling order is that of a top-down merge sort (split at the middle,
// the right half first on equal scores). By induction over the merges that
// order is total: by score, and among equal scores the later entry first.
// Sorting by that key directly gives the very same order, and an insertion
// sort is quick on arrays that the previous pass left almost sorted.
// Fills `origin` with the entry that goes to each place; false when the
// entries are strictly ordered already and nothing moves.
template <typename ScoreOf>
bool sortedOrder(int length, bool descending, bool nearlySorted, ScoreOf scoreOf,
                 std::array<int, kMaxChildren>& origin) {
    bool ordered = true;
    for (int i = 1; i < length && ordered; ++i) {
        ordered = descending ? scoreOf(i - 1) > scoreOf(i) : scoreOf(i - 1) < scoreOf(i);
    }
    if (ordered) return false;
    // Key: the score (negated when descending) times 128, minus the origin,
    // so that ascending keys give the order above.
    std::array<int, kMaxChildren> keys;  // only the first `length` entries are used
    for (int i = 0; i < length; ++i)
        keys[static_cast<std::size_t>(i)] = (descending ? -scoreOf(i) : scoreOf(i)) * 128 - i;
    // Keys are distinct, so any sort gives the same order: an insertion sort
    // for the nearly sorted arrays of later passes; for the fresh lists in
    // generation order, each key's place is the count of smaller keys, which
    // the compiler turns into wide comparisons without a branch.
    if (!nearlySorted) {
        for (int i = 0; i < length; ++i) {
            const int key = keys[static_cast<std::size_t>(i)];
            int place = 0;
            for (int j = 0; j < length; ++j) place += keys[static_cast<std::size_t>(j)] < key ? 1 : 0;
            origin[static_cast<std::size_t>(place)] = i;
        }
        return true;
    }
    for (int i = 1; i < length; ++i) {
        const int key = keys[static_cast<std::size_t>(i)];
        int j = i - 1;
        for (; j >= 0 && keys[static_cast<std::size_t>(j)] > key; --j) {
            keys[static_cast<std::size_t>(j + 1)] = keys[static_cast<std::size_t>(j)];
        }
        keys[static_cast<std::size_t>(j + 1)] = key;
    }
    for (int i = 0; i < length; ++i)
        origin[static_cast<std::size_t>(i)] = ((-keys[static_cast<std::size_t>(i)]) % 128 + 128) % 128;
    return true;
}

}  // namespace

TreeSearch::TreeSearch(SearchTree& tree, const EngineOptions& options, const Position& base, int plyCount,
                       bool playerIsBlack, ExpandFn expand)
    : tree_(tree),
      status_(tree.status()),
      options_(options),
      base_(base),
      plyCount_(plyCount),
      playerIsBlack_(playerIsBlack),
      expand_(expand),
      nodesCreated_(tree.status().nodesCreated.load()) {}

ReportContext TreeSearch::reportContext() const {
    ReportContext context;
    context.showThinking = status_.showThinking.load();
    context.playerIsBlack = playerIsBlack_;
    context.base = base_;
    context.secondaryText = secondaryText;
    context.depthLimit = depthLimit;
    context.nodesCreated = status_.nodesCreated.load();
    context.searchSeconds = status_.searchSeconds.load();
    return context;
}

PrincipalLine TreeSearch::principalLine(NodeIndex leaf) const {
    return principalLineOf(tree_, leaf, leaf == continuedLeaf_ ? continuation_ : std::vector<MoveText>{});
}

// Expansion is allowed in the main phase, and in the secondary phase until stop.
bool TreeSearch::mayExpand() const {
    if (status_.stop.load(std::memory_order_relaxed)) return false;
    return !status_.mainPhaseOver.load(std::memory_order_relaxed) ||
           status_.inSecondary.load(std::memory_order_relaxed);
}

void TreeSearch::expand(NodeIndex index) {
    const Position position = positionOf(index);
    SearchNode& node = tree_[index];
    const EvalSettings settings{plyCount_, options_.horizonReduction, depthLimit};
    const ExpansionCounts counts =
        expand_(position, node.state, (node.depth & 1) == 0, settings, tree_.generated);
    nodesCreated_ += counts.evaluated;
    status_.nodesCreated.store(nodesCreated_, std::memory_order_relaxed);
    if (counts.dropped > status_.largestDropped.load(std::memory_order_relaxed)) {
        status_.largestDropped.store(counts.dropped, std::memory_order_relaxed);
    }
    const int length = std::max(counts.childCount, 1);
    const NodeIndex first = tree_.allocateArray(length);
    if (first == kNoNode) {
        // Out of memory in spite of the budget: end the phase as the budget would.
        (status_.inSecondary.load() ? status_.stop : status_.mainPhaseOver).store(true);
        return;
    }
    if (counts.childCount == 0) {
        if (!node.move.empty()) {
            if (counts.stalemate) {
                writeStalemateMarker(node.move);
            } else {
                writeMateMarker(node.move);
                node.score = (node.depth & 1) ? kMateScore : -kMateScore;
            }
            if (!status_.inSecondary.load(std::memory_order_relaxed) && node.parent != kNoNode) {
                markedArrays_.push_back(tree_[node.parent].children);
            }
        }
        // A terminal array: no child to visit, but the node counts as expanded.
        SearchNode terminal{};
        terminal.depth = static_cast<std::int8_t>(depthLimit);
        terminal.score = node.score;
        terminal.parent = index;
        tree_[first] = terminal;
        node.children = first;
        return;
    }
    // The back-up that follows this pass would sort the fresh array by these
    // very scores, so it is written in that order now, straight from the
    // generated list; the back-up then leaves it alone.
    std::array<int, kMaxChildren> order;  // only the first childCount entries are used
    for (int i = 0; i < counts.childCount; ++i) order[static_cast<std::size_t>(i)] = i;
    if (sortsAfterPass(counts.childCount)) {
        const NodeList& list = tree_.generated;
        sortedOrder(
            counts.childCount, (node.depth & 1) == 0, false,
            [&](int i) { return int{list[static_cast<std::size_t>(i)].score}; }, order);
    }
    for (int i = 0; i < counts.childCount; ++i) {
        const SearchNode& generated =
            tree_.generated[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
        SearchNode& child = tree_[first + static_cast<NodeIndex>(i)];
        child.siblingsLeft = static_cast<std::int8_t>(counts.childCount - i);
        child.depth = static_cast<std::int8_t>(depthLimit);
        child.score = generated.score;
        child.state = generated.state;
        child.move = generated.move;
        child.parent = index;
        child.children = kNoNode;
    }
    node.children = first;
    freshCount_ = counts.childCount;
}

bool TreeSearch::sortsAfterPass(int length) const {
    return sorting && options_.alphaBetaSorting && depthLimit >= 3 && length > 1;
}

// The pass over a node's just generated children, in generation order: they
// are leaves, so each child's value is its static score.
int TreeSearch::passFresh(const NodeList& list, int length, int nodeDepth, int alpha, int beta) const {
    const bool odd = (nodeDepth & 1) != 0;
    const int reference = list[0].score;
    const bool cutAllowed = depthLimit > 3 && nodeDepth >= 3;
    int v = odd ? alpha : beta;
    bool cutPending = false;
    int extra = 0;
    for (int i = 0; i < length; ++i) {
        const int r = list[static_cast<std::size_t>(i)].score;
        v = odd ? std::max(v, r) : std::min(v, r);
        if (!cutPending) {
            cutPending = cutAllowed && (odd ? v >= beta : v <= alpha);
        } else if (++extra >= options_.minSons && std::abs(r - reference) > options_.alphaBetaTolerance) {
            break;
        }
    }
    return v;
}

// Siblings follow each other in a pass, so the parent's position is kept and
// each child replays its own move alone. Nothing moves during a pass and the
// base changes only between passes: a pass from a root starts afresh.
Position TreeSearch::positionOf(NodeIndex index) {
    const SearchNode& node = tree_[index];
    if (node.depth < 1 || node.parent == kNoNode) return nodePosition(tree_, index, base_);
    if (node.parent != cachedParent_) {
        cachedParentPosition_ = nodePosition(tree_, node.parent, base_);
        cachedParent_ = node.parent;
    }
    Position position = cachedParentPosition_;
    replayMoveText(position, node.move, (node.depth & 1) != 0);
    return position;
}

int TreeSearch::pass(NodeIndex index, int alpha, int beta) {
    SearchNode& node = tree_[index];
    if (node.depth == 0) cachedParent_ = kNoNode;
    if (node.children == kNoNode && node.depth == depthLimit - 1 && mayExpand()) {
        freshCount_ = 0;
        expand(index);
        if (freshCount_ > 0) return passFresh(tree_.generated, freshCount_, node.depth, alpha, beta);
    }
    if (node.children == kNoNode) return node.score;
    const bool odd = (node.depth & 1) != 0;
    int v = odd ? alpha : beta;
    const NodeIndex first = node.children;
    const int length = tree_.arrayLength(first);
    bool cutPending = false;
    int extra = 0;
    int reference = 0;
    for (int i = 0; i < length; ++i) {
        // Once nothing may be expanded the rest of the walk changes nothing,
        // so leave at once: stop takes effect whatever the tree's size.
        if (!mayExpand()) return v;
        const NodeIndex child = first + static_cast<NodeIndex>(i);
        if (odd) {
            v = std::max(v, pass(child, v, beta));
        } else {
            v = std::min(v, pass(child, alpha, v));
        }
        if (!cutPending) {
            reference = tree_[first].score;
            cutPending = depthLimit > 3 && node.depth >= 3 && (odd ? v >= beta : v <= alpha);
        } else if (++extra >= options_.minSons &&
                   std::abs(tree_[child].score - reference) > options_.alphaBetaTolerance) {
            break;
        }
    }
    return v;
}

void TreeSearch::sortChildren(NodeIndex index) {
    const NodeIndex first = tree_[index].children;
    const int length = tree_.arrayLength(first);
    std::array<int, kMaxChildren> origin;  // filled by sortedOrder
    const bool moved = sortedOrder(
        length, (tree_[index].depth & 1) == 0, true,
        [&](int i) { return int{tree_[first + static_cast<NodeIndex>(i)].score}; }, origin);
    if (!moved) return;
    // The generated list serves as the copy buffer, as the sort's first buffer.
    for (int i = 0; i < length; ++i) {
        tree_.generated[static_cast<std::size_t>(i)] =
            tree_[first + static_cast<NodeIndex>(origin[static_cast<std::size_t>(i)])];
    }
    for (int i = 0; i < length; ++i) {
        SearchNode entry = tree_.generated[static_cast<std::size_t>(i)];
        const NodeIndex slot = first + static_cast<NodeIndex>(i);
        entry.siblingsLeft = static_cast<std::int8_t>(length - i);
        entry.parent = index;
        tree_[slot] = entry;
        if (origin[static_cast<std::size_t>(i)] != i && entry.children != kNoNode) {
            const int grandchildren = tree_.arrayCapacity(entry.children);
            for (int g = 0; g < grandchildren; ++g)
                tree_[entry.children + static_cast<NodeIndex>(g)].parent = slot;
        }
    }
}

int TreeSearch::backUp(NodeIndex index) {
    if (stopAbortsBackUp_ && status_.stop.load(std::memory_order_relaxed)) {
        backUpAborted_ = true;
        return 0;
    }
    SearchNode& node = tree_[index];
    const bool odd = (node.depth & 1) != 0;
    if (node.children == kNoNode) {
        if (node.depth >= depthLimit - 1) return node.score;
        if (moveContains(node.move, "++") || moveContains(node.move, "P")) return node.score;
        node.score = odd ? -kExcluded : kExcluded;
        return node.score;
    }
    // A stalemate is a draw. Over its empty terminal array it would back up
    // like a mate and the engine would stalemate a lost opponent.
    if (hasStalemateMarker(node.move)) {
        node.score = 0;
        return 0;
    }
    const int length = tree_.arrayLength(node.children);
    int v = odd ? kBound : -kBound;
    if (node.depth == depthLimit - 1) {
        // A node of the frontier, expanded during this pass: its children
        // are leaves, already in sorted order, with nothing below to prune.
        for (int i = 0; i < length; ++i) {
            const int r = tree_[node.children + static_cast<NodeIndex>(i)].score;
            v = odd ? std::min(v, r) : std::max(v, r);
        }
        node.score = static_cast<std::int16_t>(v);
        return v;
    }
    if (sortsAfterPass(length)) sortChildren(index);
    const bool matePruning = !status_.inSecondary.load() && !status_.mainPhaseOver.load();
    for (int i = 0; i < length; ++i) {
        const NodeIndex child = node.children + static_cast<NodeIndex>(i);
        if (matePruning && tree_[child].children != kNoNode) prunePrincipalMates(index, child);
        const int r = backUp(child);
        v = odd ? std::min(v, r) : std::max(v, r);
    }
    node.score = static_cast<std::int16_t>(v);
    return v;
}

std::optional<int> TreeSearch::backUpUnlessStopped(NodeIndex root) {
    stopAbortsBackUp_ = true;
    backUpAborted_ = false;
    const int v = backUp(root);
    stopAbortsBackUp_ = false;
    if (backUpAborted_) return std::nullopt;
    return v;
}

// A line already lost by mate for the side choosing at `parent` is cut off.
void TreeSearch::prunePrincipalMates(NodeIndex parent, NodeIndex childIndex) {
    SearchNode& child = tree_[childIndex];
    if (child.children == kNoNode) return;
    const bool parentOdd = (tree_[parent].depth & 1) != 0;
    if (parentOdd ? child.score >= kMatePrune : child.score <= -kMatePrune) {
        tree_.pruneArray(child.children, child.depth);
        child.children = kNoNode;
    }
}

int TreeSearch::backUpPath(NodeIndex leaf) {
    for (NodeIndex n = tree_[leaf].parent; n != kNoNode; n = tree_[n].parent) {
        SearchNode& node = tree_[n];
        const bool odd = (node.depth & 1) != 0;
        int v = odd ? kBound : -kBound;
        const int length = tree_.arrayLength(node.children);
        for (int i = 0; i < length; ++i) {
            const int r = tree_[node.children + static_cast<NodeIndex>(i)].score;
            v = odd ? std::min(v, r) : std::max(v, r);
        }
        node.score = static_cast<std::int16_t>(v);
    }
    return tree_[SearchTree::mainRoot()].score;
}

int TreeSearch::pruneCandidates(NodeIndex first, int n, bool reversed, bool mainRoot) {
    status_.reportFrozen.store(true);
    const int length = tree_.arrayLength(first);
    auto child = [&](int i) -> SearchNode& { return tree_[first + static_cast<NodeIndex>(i)]; };
    int live = 0;
    std::array<int, kMaxChildren> withArray{};
    int counted = 0;
    for (int i = 0; i < length; ++i) {
        if (child(i).children == kNoNode) continue;
        withArray[static_cast<std::size_t>(counted++)] = child(i).score;
        if (tree_.arrayLength(child(i).children) > 0) ++live;
    }
    if (live <= n) {
        status_.reportFrozen.store(false);
        return live;
    }
    // The threshold loop lowers T from the best score until n children with
    // an array reach it, and ends one step past: one below the n-th best.
    if (reversed) {
        std::sort(withArray.begin(), withArray.begin() + counted);
    } else {
        std::sort(withArray.begin(), withArray.begin() + counted, std::greater<>());
    }
    int nth = 0;
    if (n >= 1) {
        nth = withArray[static_cast<std::size_t>(n - 1)];
    } else {
        // Asked for none: the loop stops at once, one step past the best score.
        nth = reversed ? kExcluded : -kExcluded;
        for (int i = 0; i < length; ++i)
            nth = reversed ? std::min(nth, int{child(i).score}) : std::max(nth, int{child(i).score});
    }
    const int threshold = reversed ? nth + 1 : nth - 1;
    const int keepDepth = reversed ? 2 : 1;
    for (int i = 0; i < length; ++i) {
        SearchNode& c = child(i);
        const bool beyond = reversed ? c.score > threshold : c.score < threshold;
        const bool lost = mainRoot && c.score < -kMatePrune;
        if (c.children != kNoNode && (beyond || lost)) {
            // Pruning the main root can free much of a large tree; a stop
            // does not wait for it. The rest is dropped with the whole tree.
            bool whole = true;
            if (mainRoot) {
                whole = tree_.pruneArrayUnlessStopped(c.children, keepDepth);
            } else {
                tree_.pruneArray(c.children, keepDepth);
            }
            c.children = kNoNode;
            if (mainRoot) c.score = -kMatePrune;
            if (!whole) break;
        }
    }
    status_.reportFrozen.store(false);
    return n;
}

int TreeSearch::pruneRootCandidates(int n) {
    const NodeIndex first = tree_[SearchTree::mainRoot()].children;
    if (first == kNoNode) return 0;
    return pruneCandidates(first, n, false, true);
}

int TreeSearch::pruneSecondaryCandidates(int n) {
    const NodeIndex first = tree_[SearchTree::secondaryRoot()].children;
    if (first == kNoNode) return 0;
    if (tree_.arrayLength(first) == 1) {
        // Below the inserted level the opponent chooses: keep its best replies.
        const NodeIndex below = tree_[first].children;
        if (below == kNoNode) return 0;
        return pruneCandidates(below, n, true, false);
    }
    return pruneCandidates(first, n, false, false);
}

}  // namespace quorvel
