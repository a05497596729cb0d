// The report texts: score format, the thinking flag, colours, CR LF, speed.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quorvel
