// The report texts: score format, the thinking flag, colours, CR LF, speed,
// and the information dialog's full report and node explorer.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "engine/search_reports.h"
#include "tree_test_support.h"

namespace quorvel {
namespace {

struct Line {
    SearchStatus status;
    SearchTree tree{status};
    NodeIndex leaf = kNoNode;
    Line() {
        tree.resetRoot(SearchTree::mainRoot(), 0);
        const NodeIndex first = test::addChildren(tree, SearchTree::mainRoot(), {{"e7-e5", 0}});
        const NodeIndex second = test::addChildren(tree, first, {{"g1-f3", 0}});
        leaf = test::addChildren(tree, second, {{"b8-c6", -125}});
    }
};

TEST(Reports, ScoresPrintAsPawnsWithTwoDecimals) {
    EXPECT_EQ(formatScore(1234), "12.34");
    EXPECT_EQ(formatScore(-5), "-0.05");
    EXPECT_EQ(formatScore(0), "0.00");
}

TEST(Reports, MainReportIsTheCandidateUnlessThinkingIsShown) {
    Line line;
    ReportContext context;
    EXPECT_EQ(formatMainReport(line.tree, line.leaf, context), "e7-e5");
    context.showThinking = true;
    EXPECT_EQ(formatMainReport(line.tree, line.leaf, context),
              "e7-e5   g1-f3   b8-c6   \r\nnote finale des Noirs : -1.25\r\n");
    context.playerIsBlack = true;  // ranks mirrored back, score seen from the other side
    context.secondaryText = "|  a2-a3   ";
    EXPECT_EQ(formatMainReport(line.tree, line.leaf, context),
              "e2-e4   g8-f6   b1-c3   |  a2-a3   \r\nnote finale des Noirs : 1.25\r\n");
}

TEST(Reports, SecondaryReportSkipsTheInsertedLevelAndIsEmptyAtTheRoot) {
    Line line;
    EXPECT_EQ(formatSecondaryReport(line.tree, SearchTree::mainRoot(), false, false), "");
    EXPECT_EQ(formatSecondaryReport(line.tree, line.leaf, false, false), "|  e7-e5   g1-f3   b8-c6   ");
    EXPECT_EQ(formatSecondaryReport(line.tree, line.leaf, true, false), "|  g1-f3   b8-c6   ");
}

TEST(Reports, SpeedOnlyWithThinkingAndAtLeastOneSecond) {
    Line line;
    ReportContext context;
    context.showThinking = true;
    context.nodesCreated = 1001;
    EXPECT_EQ(formatFinalReport(line.tree, line.leaf, context).find("vitesse"), std::string::npos);
    context.searchSeconds = 2;
    const std::string text = formatFinalReport(line.tree, line.leaf, context);
    EXPECT_EQ(text.substr(text.size() - 21), "\r\nvitesse : 500 ech/s");
}

// A tree grown to depth limit 3 with backed-up scores, for the information
// dialog: e7-e5 is the best line, d7-d5 and a7-a6 other lines, b1-c3 scores
// 5 under a parent that does not, h7-h6 lies past the -25.00 bound.
struct InfoTree {
    SearchStatus status;
    SearchTree tree{status};
    ReportContext context;
    InfoTree() {
        const NodeIndex root = SearchTree::mainRoot();
        tree.resetRoot(root, 0);
        tree[root].score = 10;
        const NodeIndex first = test::addChildren(
            tree, root, {{"e7-e5", 10}, {"d7-d5", 5}, {"g8-f6", -3}, {"a7-a6", -2500}, {"h7-h6", -2501}});
        test::addChildren(tree, first, {{"g1-f3", 10}, {"b1-c3", 5}, {"d2-d4", 12}});
        const NodeIndex c4 = test::addChildren(tree, first + 1, {{"c2-c4", 5}});
        const NodeIndex take = test::addChildren(tree, c4, {{"d5xc4", 5}});
        test::addChildren(tree, take, {{"e2-e4", 5}, {"e2-e3", 7}});
        test::addChildren(tree, first + 3, {{"a2-a3", -2500}});
        test::addChildren(tree, first + 4, {{"h2-h3", -2501}});
        context.depthLimit = 3;
    }
};

TEST(Reports, InformationReportListsRootMovesBestLineAndOtherLinesDownToMinus25) {
    InfoTree info;
    const std::string text = formatInfoReport(info.tree, info.context);
    EXPECT_EQ(text,
              "Mouvements possibles (1er niveau) :\r\n"
              "e7-e5 (0.10),  d7-d5 (0.05),  g8-f6 (-0.03),  a7-a6 (-25.00),  h7-h6 (-25.01),  "
              "\r\n\r\nMeilleure solution trouvée :\r\ne7-e5"
              "\r\n\r\nNote à la racine : 0.10"
              "\r\n\r\nAutres solutions :\r\n"
              "d7-d5   c2-c4    score : 0.05\r\n"
              "a7-a6   a2-a3    score : -25.00\r\n");
    // Seen from Black: moves mirrored back to chess ranks, the root score as it is.
    info.context.playerIsBlack = true;
    info.context.showThinking = true;
    const std::string black = formatInfoReport(info.tree, info.context);
    EXPECT_EQ(black.substr(0, 52), "Mouvements possibles (1er niveau) :\r\ne2-e4 (0.10),  ");
    EXPECT_NE(black.find("Meilleure solution trouvée :\r\ne2-e4   g8-f6   \r\nnote finale des Noirs : -0.10"),
              std::string::npos);
    EXPECT_NE(black.find("Note à la racine : 0.10"), std::string::npos);
    EXPECT_NE(black.find("d2-d4   c7-c5    score : 0.05"), std::string::npos);
}

ExplorerSlots slots(std::initializer_list<std::string> texts) {
    ExplorerSlots path{};
    std::copy(texts.begin(), texts.end(), path.begin());
    return path;
}

TEST(Reports, NodeExplorerListsEachMatchingNodeWithItsChildren) {
    InfoTree info;
    info.context.showThinking = true;
    // Field 1 alone: every root move containing it, with all its children.
    ExplorerSlots path = slots({"e7"});
    EXPECT_EQ(formatNodeExplorer(info.tree, SearchTree::mainRoot(), path, info.context),
              "Noeud examiné : e7-e5   \r\nnote finale des Noirs : 0.10\r\n"
              "\r\nListe des fils\r\n------------------\r\n\r\n"
              "e7-e5   g1-f3   \r\nnote finale des Noirs : 0.10\r\n\r\n"
              "e7-e5   b1-c3   \r\nnote finale des Noirs : 0.05\r\n\r\n"
              "e7-e5   d2-d4   \r\nnote finale des Noirs : 0.12\r\n\r\n");
    // "7" is in every root move; only those with children are listed.
    path = slots({"7"});
    const std::string all = formatNodeExplorer(info.tree, SearchTree::mainRoot(), path, info.context);
    for (const char* listed : {"Noeud examiné : e7-e5", "Noeud examiné : d7-d5", "Noeud examiné : a7-a6"}) {
        EXPECT_NE(all.find(listed), std::string::npos) << listed;
    }
    EXPECT_EQ(all.find("Noeud examiné : g8-f6"), std::string::npos);
    // An empty field between filled ones matches every move at its depth.
    path = slots({"d7", "", "x"});
    const std::string deep = formatNodeExplorer(info.tree, SearchTree::mainRoot(), path, info.context);
    EXPECT_EQ(deep.rfind("Noeud examiné : d7-d5   c2-c4   d5xc4   ", 0), 0u) << deep;
    EXPECT_NE(deep.find("d7-d5   c2-c4   d5xc4   e2-e3   \r\nnote finale des Noirs : 0.07\r\n"),
              std::string::npos);
    EXPECT_EQ(deep.find("Noeud examiné :", 1), std::string::npos);
    // A path that matches nothing, or a matching node without children, gives nothing.
    path = slots({"zz"});
    EXPECT_EQ(formatNodeExplorer(info.tree, SearchTree::mainRoot(), path, info.context), "");
    path = slots({"g8-f6"});
    EXPECT_EQ(formatNodeExplorer(info.tree, SearchTree::mainRoot(), path, info.context), "");
    path = slots({"e7", "b1", "x"});
    EXPECT_EQ(formatNodeExplorer(info.tree, SearchTree::mainRoot(), path, info.context), "");
}

// A pawn reaching the last row reads as a promotion in every report: the
// computer's (upper) pawns promote on row 1, the human's on row 8; a piece
// making the same move is not promoted.
TEST(Reports, PromotionsNameTheirNewPieceInTheLinesShown) {
    SearchStatus status;
    SearchTree tree{status};
    const NodeIndex root = SearchTree::mainRoot();
    tree.resetRoot(root, 0);
    Position base{};
    base.at(1, 2) = kUpperPawn;
    base.at(2, 2) = kUpperRook;
    base.at(8, 7) = kLowerPawn;
    base.at(5, 8) = kUpperKing;
    base.at(5, 1) = kLowerKing;
    tree[root].score = 10;
    const NodeIndex first = test::addChildren(tree, root, {{"a2-a1", 10}, {"b2-b1", 5}});
    const NodeIndex reply = test::addChildren(tree, first, {{"h7-h8", 10}});
    const NodeIndex leaf = test::addChildren(tree, reply, {{"e8-d8", 10}});
    ReportContext context;
    context.base = base;
    context.depthLimit = 3;
    EXPECT_EQ(formatMainReport(tree, leaf, context), "a2-a1=D");
    EXPECT_EQ(formatMainReport(tree, first + 1, context), "b2-b1");
    context.showThinking = true;
    EXPECT_EQ(formatMainReport(tree, leaf, context),
              "a2-a1=D   h7-h8=D   e8-d8   \r\nnote finale des Noirs : 0.10\r\n");
    // The human plays Black: the ranks are mirrored back, the pieces stay.
    context.playerIsBlack = true;
    EXPECT_EQ(formatMainReport(tree, leaf, context).substr(0, 20), "a7-a8=D   h2-h1=D   ");
    context.playerIsBlack = false;
    const std::string info = formatInfoReport(tree, context);
    EXPECT_NE(info.find("a2-a1=D (0.10)"), std::string::npos) << info;
    EXPECT_NE(info.find("b2-b1 (0.05)"), std::string::npos) << info;
    // A secondary line from the same root position, its first level inserted.
    EXPECT_EQ(formatSecondaryReport(tree, leaf, true, false, base), "|  h7-h8=D   e8-d8   ");
    // Without the position the moves stay as they were stored.
    EXPECT_EQ(formatSecondaryReport(tree, leaf, false, false), "|  a2-a1   h7-h8   e8-d8   ");
}

}  // namespace
}  // namespace quorvel
