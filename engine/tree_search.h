#pragma once
// The level-by-level tree search: a pass grows the frontier with an
// alpha-beta walk and a soft cut-off, the back-up computes minimax values
// while sorting siblings and pruning lost lines, candidate pruning narrows
// the root's moves, the secondary phase re-searches the principal leaves
// with small trees, and the final choice avoids drifting into repetitions.
//
// Everything here runs on the search thread; the only shared state is the
// SearchStatus flags and counters.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_options.h"
#include "engine/expansion.h"
#include "engine/search_tree.h"
#include "rules/position.h"

namespace quorvel {

struct ReportContext;

class TreeSearch {
public:
    // `base` is the game position (the upper side, the computer, to move);
    // `plyCount` the half-moves already played.
    TreeSearch(SearchTree& tree, const EngineOptions& options, const Position& base, int plyCount,
               bool playerIsBlack, ExpandFn expand);

    // Passes
    int pass(NodeIndex node, int alpha, int beta);
    int backUp(NodeIndex node);
    // backUp that gives up as soon as stop is raised: nullopt then, and the
    // scores are left half backed up (the structure stays sound).
    std::optional<int> backUpUnlessStopped(NodeIndex root);
    // The back-up of the secondary phase once the main tree is consistent:
    // only the changed leaf's ancestors can change, and nothing is sorted or
    // pruned then, so recomputing them gives what a full back-up gives.
    int backUpPath(NodeIndex leaf);
    // The full back-up of the main tree at the start of the secondary phase,
    // computed at the root level alone.
    int backUpRootAfterPruning();
    // Keeps the n best root moves of the main tree; returns the live count.
    // A stop ends it early: the root child being pruned then loses its whole
    // subtree, the ones after it keep theirs.
    int pruneRootCandidates(int n);
    int pruneSecondaryCandidates(int n);

    // Secondary phase
    void secondarySearch(NodeIndex examined, int budget);
    // Runs the secondary phase from the main tree's principal leaf;
    // `started` (may be empty) is called once its counters are reset.
    void secondaryPhase(int rootScore, const std::function<void()>& started = {});
    // The repetition rule and the fall-backs; returns the node whose
    // depth-1 ancestor is the move to play.
    NodeIndex finalChoice(int rootScore, const GameRecord& record);
    // The mate ("++") and stalemate ("P") walks of the final choice from the
    // main root, answered from the arrays that received a mark instead of a
    // walk over the whole tree (which could take a good part of a second
    // after a stop on a large tree). The main root when there is none.
    NodeIndex findMarked(std::string_view marker, bool deepest);

    // State of the passes
    int depthLimit = 0;
    bool sorting = true;  // switched off for the back-ups of the secondary phase
    std::string secondaryText;
    std::string mainReport;  // last main report written by the secondary phase

    // The report context for this search (thinking flag, colours, texts).
    ReportContext reportContext() const;
    // The line from the main root to `leaf`, followed by the line of the
    // last secondary tree when that tree was grown below `leaf`.
    PrincipalLine principalLine(NodeIndex leaf) const;

    const Position& base() const { return base_; }

private:
    bool mayExpand() const;
    void expand(NodeIndex node);
    Position positionOf(NodeIndex node);
    void sortChildren(NodeIndex node);
    bool sortsAfterPass(int length) const;
    int passFresh(const NodeList& list, int length, int nodeDepth, int alpha, int beta) const;
    void prunePrincipalMates(NodeIndex node, NodeIndex child);
    int pruneCandidates(NodeIndex first, int n, bool reversed, bool mainRoot);
    void examineLeaf(NodeIndex leaf, int ringIndex);

    bool liveInMainTree(NodeIndex first) const;
    bool visitedBefore(NodeIndex a, NodeIndex b) const;

    // Arrays of the main tree in which a node got a mate or stalemate mark.
    // Arrays never move and a node stays in its array, so every marked node
    // still in the tree lies in one of them.
    std::vector<NodeIndex> markedArrays_;

    // The secondary tree's last complete level: whether there was one, the
    // score of its selected leaf (the root when the line ended in a mate or
    // a stalemate), its report and its line below the examined node (empty
    // when the line ended early).
    struct SecondaryVerdict {
        bool complete = false;
        int score = 0;
        std::string text;
        std::vector<MoveText> line;
    };
    SecondaryVerdict verdict_;
    NodeIndex continuedLeaf_ = kNoNode;   // the main-tree leaf the last secondary tree examined
    std::vector<MoveText> continuation_;  // that tree's line below it
    bool stopAbortsBackUp_ = false;       // a back-up of a secondary tree gives up on stop
    bool backUpAborted_ = false;
    int freshCount_ = 0;                // children written by the last expansion
    NodeIndex cachedParent_ = kNoNode;  // whose position cachedParentPosition_ holds
    Position cachedParentPosition_{};

    SearchTree& tree_;
    SearchStatus& status_;
    EngineOptions options_;
    Position base_;
    int plyCount_;
    bool playerIsBlack_;
    ExpandFn expand_;
    std::array<std::string, 100> ringTexts_{};
    std::uint32_t nodesCreated_ = 0;  // the search thread's own count, published to the status
};

}  // namespace quorvel
