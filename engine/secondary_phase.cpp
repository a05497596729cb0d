// The secondary phase of the tree search and the final choice of the move.

#include <algorithm>
#include <cstring>

#include "engine/search_reports.h"
#include "engine/tree_search.h"

namespace quorvel {

void TreeSearch::secondarySearch(NodeIndex examined, int budget) {
    const Position savedBase = base_;
    const NodeIndex root = SearchTree::secondaryRoot();
    const SearchNode x = tree_[examined];
    verdict_ = {};
    tree_.resetRoot(root, x.state);
    tree_.selected = examined;
    depthLimit = 0;
    status_.secondaryDepthShown.store(0);
    int offset = -1;
    if (x.depth & 1) {
        // The opponent moves after X: insert X once more so the secondary
        // tree's depth parity matches the main tree's. The inserted node
        // replays X's move, so the base is the position before it.
        const NodeIndex inserted = tree_.allocateArray(1);
        if (inserted == kNoNode) {
            status_.stop.store(true);
            return;
        }
        SearchNode copy{};
        copy.siblingsLeft = 1;
        copy.depth = 1;
        copy.score = x.score;
        copy.state = x.state;
        copy.move = x.move;
        copy.parent = root;
        tree_[inserted] = copy;
        tree_[root].children = inserted;
        depthLimit = 1;
        budget += 1;
        offset = 0;
        base_ = nodePosition(tree_, x.parent, savedBase);
    } else {
        base_ = nodePosition(tree_, examined, savedBase);
    }
    int reached = depthLimit;
    tree_.selected = root;
    int kept = 100;
    while (reached < budget) {
        if (tree_[tree_.selected].depth == budget || status_.stop.load()) break;
        depthLimit = reached + 1;
        status_.secondaryDepthShown.store(reached + offset);
        pass(root, -kExcluded, kExcluded);
        // A level cut short by the stop is not backed up, and a back-up cut
        // short is not used: the last complete level gives the verdict, and
        // the move is recorded without a walk over a tree of any size.
        if (status_.stop.load()) break;
        const std::optional<int> backedUp = backUpUnlessStopped(root);
        if (!backedUp) break;
        const int v = *backedUp;
        if (depthLimit == offset + 4) kept = pruneSecondaryCandidates(10);
        if (depthLimit >= offset + 5) kept = pruneSecondaryCandidates(13 - depthLimit);
        tree_.selected = root;
        tree_.findDeepestPrincipalLeaf(root, v, depthLimit);
        // No leaf at the frontier means the principal line ended early, in a
        // mate or a stalemate: the root then holds that line's backed-up value.
        const NodeIndex found = tree_.selected;
        const int firstDepth = offset == 0 ? 2 : 1;  // the inserted copy of X is not part of the line
        verdict_ = {true, tree_[found].score,
                    formatSecondaryReport(tree_, found, offset == 0, playerIsBlack_, base_),
                    lineMoves(tree_, found, firstDepth)};
        if (kept < 2) break;
        reached = depthLimit;
    }
    base_ = savedBase;
}

// The main phase ended with a full back-up; since then only the candidate
// pruning changed the tree, and only at the root's children. A full back-up
// without sorting or pruning would recompute every other node from an
// unchanged subtree, giving the value it holds: so only the root's children
// that lost their subtree are backed up again (as leaves), then the root.
int TreeSearch::backUpRootAfterPruning() {
    const NodeIndex root = SearchTree::mainRoot();
    const NodeIndex first = tree_[root].children;
    if (first == kNoNode || hasStalemateMarker(tree_[root].move)) return backUp(root);
    const int length = tree_.arrayLength(first);
    int v = -kBound;
    for (int i = 0; i < length; ++i) {
        const NodeIndex child = first + static_cast<NodeIndex>(i);
        const int r = tree_[child].children == kNoNode ? backUp(child) : tree_[child].score;
        v = std::max(v, r);
    }
    tree_[root].score = static_cast<std::int16_t>(v);
    return v;
}

// One round of the secondary phase on the principal leaf; returns the new
// principal leaf of the main tree.
void TreeSearch::examineLeaf(NodeIndex leaf, int ringIndex) {
    const int mainDepthLimit = depthLimit;
    const int budget = [&] {
        int b = options_.maxDepthSecondary;
        if ((b & 1) && (tree_[leaf].depth & 1) == 0) --b;
        return b;
    }();
    tree_.savedRing[static_cast<std::size_t>(ringIndex)] = tree_[leaf];
    status_.inSecondary.store(true);
    secondarySearch(leaf, budget);
    // A secondary tree stopped before its first level has no verdict; the
    // leaf keeps its score rather than taking the empty root's bound.
    if (verdict_.complete) tree_[leaf].score = static_cast<std::int16_t>(verdict_.score);
    secondaryText = verdict_.text;
    continuedLeaf_ = leaf;
    continuation_ = verdict_.complete ? verdict_.line : std::vector<MoveText>{};
    ringTexts_[static_cast<std::size_t>(ringIndex)] = secondaryText;
    depthLimit = mainDepthLimit;
    const int v = backUpPath(leaf);
    tree_.selected = SearchTree::mainRoot();
    tree_.findDeepestPrincipalLeaf(SearchTree::mainRoot(), v, depthLimit);
    mainReport = formatMainReport(tree_, tree_.selected, reportContext());
    status_.setMainReport(mainReport);
    status_.setPrincipalLine(principalLine(tree_.selected));
    // After a stop the tree is left to the driver, which drops the whole
    // arena once the move is recorded.
    if (!status_.stop.load()) tree_.freeArray(SearchTree::secondaryRoot());
    tree_[SearchTree::secondaryRoot()].children = kNoNode;
}

void TreeSearch::secondaryPhase(int rootScore, const std::function<void()>& started) {
    const NodeIndex mainRoot = SearchTree::mainRoot();
    secondaryText.clear();
    status_.secondarySeconds.store(0);
    // A stop raised since the main phase ended (a second press of the button,
    // an abort) is kept: clearing it here would lose the request and leave
    // the phase running, or waiting for a stop that already came.
    if (started) started();
    tree_.selected = mainRoot;
    tree_.findDeepestPrincipalLeaf(mainRoot, rootScore, depthLimit);
    NodeIndex leaf = tree_.selected;
    NodeIndex lastExamined = kNoNode;
    const int mainDepthLimit = depthLimit;
    tree_.savedRing.fill(SearchNode{});
    int ring = 0;
    if (leaf != mainRoot && options_.maxDepthSecondary > 0) {
        bool consistent = false;
        while (status_.mainPhaseOver.load() && !status_.stop.load()) {
            const bool zeroBudget = options_.maxDepthSecondary == 1 && (tree_[leaf].depth & 1) == 0;
            if (zeroBudget) {
                // Nothing to search: wait for the stop the clock or the button raises.
                status_.waitForSearchWake([this] { return status_.stop.load(); });
                break;
            }
            if (!consistent) {
                // The back-up after each secondary tree is done at the root
                // once and then along the changed leaf's path only: nothing is
                // sorted or pruned in this phase, so the result is that of a
                // full back-up each time, and a stop never waits for a walk
                // over the whole tree.
                backUpRootAfterPruning();
                consistent = true;
            }
            lastExamined = leaf;
            examineLeaf(leaf, ring);
            ring = (ring + 1) % 100;
            leaf = tree_.selected;
            if (leaf == lastExamined) break;
        }
    }
    secondaryText.clear();
    for (std::size_t i = 0; i < tree_.savedRing.size(); ++i) {
        const SearchNode& saved = tree_.savedRing[i];
        if (saved.children == tree_[leaf].children && saved.parent == tree_[leaf].parent) {
            secondaryText = ringTexts_[i];
            break;
        }
    }
    tree_.selected = leaf;
    depthLimit = mainDepthLimit;
    status_.inSecondary.store(false);
}

namespace {

bool sameSquare(const MoveText& a, int ia, const MoveText& b, int ib) {
    return a[ia] == b[ib] && a[ia + 1] == b[ib + 1];
}

// The last six recorded moves are three back-and-forth pairs. Empty texts
// (a game set up from a position) are no moves and never count.
bool drifting(const GameRecord& record, int last) {
    for (int k = last; k >= last - 3; --k) {
        const MoveText& now = record.moves[static_cast<std::size_t>(k)];
        const MoveText& before = record.moves[static_cast<std::size_t>(k - 2)];
        if (now.empty() || before.empty()) return false;
        if (!sameSquare(now, 0, before, 3) || !sameSquare(before, 0, now, 3)) return false;
    }
    return true;
}

}  // namespace

NodeIndex TreeSearch::finalChoice(int rootScore, const GameRecord& record) {
    const NodeIndex root = SearchTree::mainRoot();
    const int last = record.plyCount - 1;
    if (last > 9 && last < GameRecord::kCapacity && drifting(record, last)) {
        for (int s = tree_[root].score - 1;; --s) {
            tree_.selected = root;
            tree_.findDeepestPrincipalLeaf(root, s, depthLimit);
            if (tree_.selected != root || depthLimit <= 1 || s <= 0 || rootScore - s >= 100) break;
        }
        if (tree_.selected == root || tree_[tree_.selected].score < 0) {
            tree_.selected = root;
            tree_.findDeepestPrincipalLeaf(root, tree_[root].score, depthLimit);
        }
    }
    if (tree_.selected == root) {
        if (rootScore > 0) tree_.selected = findMarked("++", false);
        if (tree_.selected == root) tree_.selected = findMarked("P", rootScore > 0);
        if (tree_.selected == root) tree_.selected = findMarked("++", false);
    }
    return tree_.selected;
}

}  // namespace quorvel
