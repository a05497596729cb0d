#pragma once
// The texts in which the search explains itself: the main line after each
// pass, the line of each secondary tree, the final report with the speed,
// and the full report and node explorer of the information dialog. Lines
// end with CR LF; scores print as pawns with "%4.2f".

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/search_node.h"
#include "engine/search_status.h"

namespace quorvel {

class SearchTree;

struct ReportContext {
    bool showThinking = false;
    bool playerIsBlack = false;
    Position base{};            // the main tree's root position, for the pieces the moves carry
    std::string secondaryText;  // the current secondary report
    int depthLimit = 0;         // of the main tree
    std::uint32_t nodesCreated = 0;
    std::int32_t searchSeconds = 0;
};

// "%4.2f" of a score in hundredths of a pawn.
std::string formatScore(int hundredths);
// A node's move in chess ranks, markers included; a pawn's promotion names
// its new piece ("a7-a8=D") when `promotedKind` is not 0.
std::string displayMove(const MoveText& move, bool playerIsBlack, int promotedKind = 0);

// The moves from the first node deeper than minDepth - 1 down to `node`.
std::vector<MoveText> lineMoves(const SearchTree& tree, NodeIndex node, int minDepth);
// The line from the main root to `leaf`, then `continuation` (a secondary
// tree's line below the leaf), scored by the leaf.
PrincipalLine principalLineOf(const SearchTree& tree, NodeIndex leaf,
                              const std::vector<MoveText>& continuation);

std::string formatMainReport(const SearchTree& tree, NodeIndex leaf, const ReportContext& context);
// `base` is the secondary tree's root position.
std::string formatSecondaryReport(const SearchTree& tree, NodeIndex secondaryLeaf, bool skipInserted,
                                  bool playerIsBlack, const Position& base = {});
std::string formatFinalReport(const SearchTree& tree, NodeIndex node, const ReportContext& context);
// Uses the tree's selection walk, hence not const.
std::string formatInfoReport(SearchTree& tree, const ReportContext& context);

// Path typed in the explorer: slot d - 1 holds the text wanted at depth d.
using ExplorerSlots = std::array<std::string, 9>;
std::string formatNodeExplorer(const SearchTree& tree, NodeIndex root, const ExplorerSlots& path,
                               const ReportContext& context);

}  // namespace quorvel
