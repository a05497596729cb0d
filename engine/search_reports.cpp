#include "engine/search_reports.h"

#include <cstdio>
#include <vector>

#include "engine/search_tree.h"
#include "rules/move_application.h"
#include "rules/notation.h"

namespace quorvel {

namespace {

// The nodes from the depth-1 ancestor (or, with minDepth, the first node
// deeper than minDepth - 1) down to `node`, top first.
std::vector<NodeIndex> pathDown(const SearchTree& tree, NodeIndex node, int minDepth) {
    std::vector<NodeIndex> path;
    for (NodeIndex n = node; n != kNoNode && tree[n].depth >= minDepth; n = tree[n].parent) path.push_back(n);
    return {path.rbegin(), path.rend()};
}

// The kind a pawn becomes by `move` on `before` (0: no promotion); `before`
// then holds the position after it. The texts' digits are rows of the stored
// board, whose pawns promote on rows 8 (the lower side) and 1 (the upper).
int playAndTellPromotion(Position& before, const SearchNode& node) {
    const MoveText& move = node.move;
    const bool upper = (node.depth & 1) != 0;
    int promoted = 0;
    if (!move.isCastling() && move[0] >= 'a' && move[0] <= 'h' && move[1] >= '1' && move[1] <= '8' &&
        move[4] >= '1' && move[4] <= '8') {
        const int toRow = move[4] - '0';
        const bool lastRow = toRow == (upper ? 1 : 8);
        if (lastRow && pieceKind(before.at(move[0] - 'a' + 1, move[1] - '0')) == kUpperPawn) promoted = -1;
    }
    replayMoveText(before, move, upper);
    if (promoted != 0) promoted = pieceKind(before.at(move[3] - 'a' + 1, move[4] - '0'));
    return promoted;
}

// The moves of the line from the depth-1 node down to `node`, each followed
// by "   ", showing those at depth minDepth and deeper; `base` is the
// position before the depth-1 move.
std::string lineText(const SearchTree& tree, NodeIndex node, int minDepth, Position base,
                     bool playerIsBlack) {
    std::string text;
    for (NodeIndex n : pathDown(tree, node, 1)) {
        const int promoted = playAndTellPromotion(base, tree[n]);
        if (tree[n].depth >= minDepth) text += displayMove(tree[n].move, playerIsBlack, promoted) + "   ";
    }
    return text;
}

// A root child's move as shown, promotion included.
std::string rootMoveText(const SearchTree& tree, NodeIndex child, const ReportContext& context) {
    Position position = context.base;
    const int promoted = playAndTellPromotion(position, tree[child]);
    return displayMove(tree[child].move, context.playerIsBlack, promoted);
}

}  // namespace

std::vector<MoveText> lineMoves(const SearchTree& tree, NodeIndex node, int minDepth) {
    std::vector<MoveText> moves;
    for (NodeIndex n : pathDown(tree, node, minDepth)) moves.push_back(tree[n].move);
    return moves;
}

PrincipalLine principalLineOf(const SearchTree& tree, NodeIndex leaf,
                              const std::vector<MoveText>& continuation) {
    PrincipalLine line{lineMoves(tree, leaf, 1), tree[leaf].score};
    line.moves.insert(line.moves.end(), continuation.begin(), continuation.end());
    return line;
}

std::string formatScore(int hundredths) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%4.2f", hundredths / 100.0);
    return buffer;
}

std::string displayMove(const MoveText& move, bool playerIsBlack, int promotedKind) {
    std::string text = toChessRanks(move, playerIsBlack).str();
    if (promotedKind != 0 && text.size() >= 5)
        text.insert(5, std::string("=") + frenchPieceLetter(promotedKind));
    return text;
}

std::string formatMainReport(const SearchTree& tree, NodeIndex leaf, const ReportContext& context) {
    if (!context.showThinking) {
        const NodeIndex child = tree.rootChildOf(leaf);
        if (tree[child].depth != 1) return displayMove(tree[child].move, context.playerIsBlack);
        return rootMoveText(tree, child, context);
    }
    std::string text = lineText(tree, leaf, 1, context.base, context.playerIsBlack);
    if (tree[leaf].depth == 0) text += displayMove(tree[leaf].move, context.playerIsBlack) + "   ";
    text += context.secondaryText;
    // Negating the integer keeps a level score from printing as "-0.00".
    const int score = context.playerIsBlack ? -tree[leaf].score : tree[leaf].score;
    text += "\r\nnote finale des Noirs : " + formatScore(score) + "\r\n";
    return text;
}

std::string formatSecondaryReport(const SearchTree& tree, NodeIndex secondaryLeaf, bool skipInserted,
                                  bool playerIsBlack, const Position& base) {
    std::string text;
    if (tree[secondaryLeaf].depth != 0) text += "|  ";
    return text + lineText(tree, secondaryLeaf, skipInserted ? 2 : 1, base, playerIsBlack);
}

std::string formatFinalReport(const SearchTree& tree, NodeIndex node, const ReportContext& context) {
    std::string text = formatMainReport(tree, node, context);
    if (context.showThinking && context.searchSeconds != 0) {
        text +=
            "vitesse : " + std::to_string(static_cast<long>(context.nodesCreated / context.searchSeconds)) +
            " ech/s";
    }
    return text;
}

namespace {

// First node, depth first through nodes scoring s, with score s at or below
// the frontier.
NodeIndex firstLineWithScore(const SearchTree& tree, NodeIndex node, int s, int depthLimit) {
    const SearchNode& n = tree[node];
    if (n.score == s && n.depth >= depthLimit - 1) return node;
    if (n.children == kNoNode) return kNoNode;
    const int length = tree.arrayLength(n.children);
    for (int i = 0; i < length; ++i) {
        const NodeIndex child = n.children + static_cast<NodeIndex>(i);
        if (tree[child].score != s) continue;
        const NodeIndex found = firstLineWithScore(tree, child, s, depthLimit);
        if (found != kNoNode) return found;
    }
    return kNoNode;
}

}  // namespace

std::string formatInfoReport(SearchTree& tree, const ReportContext& context) {
    const NodeIndex root = SearchTree::mainRoot();
    std::string text = "Mouvements possibles (1er niveau) :\r\n";
    const SearchNode& r = tree[root];
    if (r.children != kNoNode) {
        for (int i = 0; i < tree.arrayLength(r.children); ++i) {
            const NodeIndex child = r.children + static_cast<NodeIndex>(i);
            text += rootMoveText(tree, child, context) + " (" + formatScore(tree[child].score) + "),  ";
        }
    }
    text += "\r\n\r\nMeilleure solution trouvée :\r\n";
    tree.selected = root;
    tree.findDeepestPrincipalLeaf(root, r.score, context.depthLimit);
    text += formatFinalReport(tree, tree.selected, context);
    text += "\r\n\r\nNote à la racine : " + formatScore(r.score);
    text += "\r\n\r\nAutres solutions :\r\n";
    for (int s = r.score - 1;; --s) {
        // The root itself never qualifies here: it is the walk's starting point.
        NodeIndex found = kNoNode;
        if (r.children != kNoNode) {
            for (int i = 0; i < tree.arrayLength(r.children) && found == kNoNode; ++i) {
                const NodeIndex child = r.children + static_cast<NodeIndex>(i);
                if (tree[child].score == s) found = firstLineWithScore(tree, child, s, context.depthLimit);
            }
        }
        if (found != kNoNode) {
            text += lineText(tree, found, 1, context.base, context.playerIsBlack);
            text += " score : " + formatScore(tree[found].score) + "\r\n";
        }
        if (s <= -2500) break;
    }
    return text;
}

namespace {

void exploreFrom(const SearchTree& tree, NodeIndex first, const ExplorerSlots& path, int deepest,
                 const ReportContext& context, std::string& text) {
    const int length = tree.arrayLength(first);
    for (int i = 0; i < length; ++i) {
        const NodeIndex node = first + static_cast<NodeIndex>(i);
        const SearchNode& n = tree[node];
        if (n.depth < 1 || n.depth > 9) continue;
        const std::string& wanted = path[static_cast<std::size_t>(n.depth - 1)];
        if (!wanted.empty() && !moveContains(n.move, wanted)) continue;
        if (n.depth == deepest && n.children != kNoNode) {
            text += "Noeud examiné : " + formatMainReport(tree, node, context);
            text += "\r\nListe des fils\r\n------------------\r\n\r\n";
            for (int c = 0; c < tree.arrayLength(n.children); ++c) {
                text += formatMainReport(tree, n.children + static_cast<NodeIndex>(c), context) + "\r\n";
            }
        }
        if (n.depth < deepest && n.children != kNoNode)
            exploreFrom(tree, n.children, path, deepest, context, text);
    }
}

}  // namespace

std::string formatNodeExplorer(const SearchTree& tree, NodeIndex root, const ExplorerSlots& path,
                               const ReportContext& context) {
    int deepest = 0;
    for (int d = 1; d <= 9; ++d) {
        if (!path[static_cast<std::size_t>(d - 1)].empty()) deepest = d;
    }
    std::string text;
    if (deepest == 0 || tree[root].children == kNoNode) return text;
    exploreFrom(tree, tree[root].children, path, deepest, context, text);
    return text;
}

}  // namespace quorvel
