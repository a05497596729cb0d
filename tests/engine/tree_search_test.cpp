// The tree search: soft cut-off, sorting, mate and stalemate marks, candidate
// pruning, the secondary tree's inserted level and the repetition rule.

#include "engine/tree_search.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/page_memory.h"
#include "engine/search_reports.h"
#include "engine_test_support.h"
#include "rules/move_application.h"
#include "tree_test_support.h"

namespace quorvel {
namespace {

int gExpansions = 0;

// Counts its calls and gives every node one child.
ExpansionCounts countingExpand(const Position&, StateWord, bool, const EvalSettings&, NodeList& out) {
    ++gExpansions;
    out[0].move = MoveText::fromString("a1-a2");
    out[0].score = 100;
    return ExpansionCounts{1, 0, 1, false};
}

struct Fixture {
    SearchStatus status;
    SearchTree tree{status};
    std::unique_ptr<GameRecord> record;  // the position searched, when one is given
    Fixture() { tree.resetRoot(SearchTree::mainRoot(), 0); }
    explicit Fixture(const char* fen) : record(test::recordFromFen(fen)) {
        tree.resetRoot(SearchTree::mainRoot(), record->state);
    }
};

// A depth-3 node with children of the given scores.
NodeIndex chainToDepthThree(SearchTree& tree, const std::vector<int>& scores) {
    const NodeIndex node = test::singleLine(tree, 3);
    const char* names[] = {"c1-c2", "d1-d2", "e1-e2", "f1-f2", "g1-g2"};
    std::vector<std::pair<const char*, int>> kids;
    for (std::size_t i = 0; i < scores.size(); ++i) kids.emplace_back(names[i], scores[i]);
    test::addChildren(tree, node, kids);
    return node;
}

// Gives the scores of gFreshScores to a fresh list (the frontier's children).
std::vector<int> gFreshScores;
ExpansionCounts scoredExpand(const Position&, StateWord, bool, const EvalSettings&, NodeList& out) {
    for (std::size_t i = 0; i < gFreshScores.size(); ++i) {
        out[i].move = MoveText::fromString("a1-a2");
        out[i].move[0] = static_cast<char>('a' + i);  // names the child by its place in the list
        out[i].score = static_cast<std::int16_t>(gFreshScores[i]);
    }
    const int n = static_cast<int>(gFreshScores.size());
    return ExpansionCounts{n, 0, static_cast<std::uint32_t>(n), false};
}

// Once the first child reaches beta, `minSons` more children are searched,
// then the loop goes on while their stored scores stay within the tolerance
// of the first child's. Inside the tree the children searched are counted by
// their expansions.
TEST(SoftCutOff, InsideTheTreeSearchesMinSonsMoreThenStopsOutsideTheTolerance) {
    const struct {
        std::vector<int> scores;
        int tolerance, minSons, searched;
    } cases[] = {
        {{10, 10, 20, 10}, 0, 1, 3}, {{10, 10, 20, 10}, 10, 1, 4}, {{10, 10, 20, 10}, 9, 1, 3},
        {{10, 20, 10, 10}, 0, 1, 2}, {{10, 20, 10, 10}, 0, 2, 4},  {{10, 20, 30, 40, 50}, 0, 3, 4},
    };
    for (const auto& c : cases) {
        Fixture f;
        EngineOptions options;
        options.alphaBetaTolerance = c.tolerance;
        options.minSons = c.minSons;
        const NodeIndex node = chainToDepthThree(f.tree, c.scores);
        TreeSearch search(f.tree, options, Position{}, 0, false, countingExpand);
        search.depthLimit = 5;
        gExpansions = 0;
        search.pass(node, -kExcluded, 0);  // the first child already reaches beta
        EXPECT_EQ(gExpansions, c.searched) << "tolerance " << c.tolerance << " minSons " << c.minSons;
    }
}

// The same at the frontier, over the children just generated: the value
// returned is the best score among the children searched.
TEST(SoftCutOff, AtTheFrontierSearchesMinSonsMoreThenStopsOutsideTheTolerance) {
    gFreshScores = {10, 15, 20, 100, 200};
    const struct {
        int tolerance, minSons, value;
    } cases[] = {{0, 1, 15}, {0, 2, 20}, {0, 4, 200}, {4, 1, 15}, {5, 1, 20}, {10, 1, 100}, {10, 2, 100}};
    for (const auto& c : cases) {
        Fixture f;
        EngineOptions options;
        options.alphaBetaTolerance = c.tolerance;
        options.minSons = c.minSons;
        const NodeIndex node = test::singleLine(f.tree, 3);
        TreeSearch search(f.tree, options, Position{}, 0, false, scoredExpand);
        search.depthLimit = 4;
        EXPECT_EQ(search.pass(node, -kExcluded, 0), c.value)
            << "tolerance " << c.tolerance << " minSons " << c.minSons;
    }
}

TEST(SoftCutOff, NeverTakenAboveDepthThreeOrAtShallowDepthLimits) {
    Fixture f;
    const NodeIndex node = test::singleLine(f.tree, 2);
    test::addChildren(f.tree, node, {{"c1-c2", 10}, {"d1-d2", 10}, {"e1-e2", 20}, {"f1-f2", 10}});
    TreeSearch search(f.tree, EngineOptions{}, Position{}, 0, false, countingExpand);
    search.depthLimit = 4;
    gExpansions = 0;
    search.pass(node, 200, kExcluded);  // every child falls below alpha
    EXPECT_EQ(gExpansions, 4);
}

TEST(BackUp, MergeSortPutsTheRightHalfFirstOnEqualScores) {
    Fixture f;
    const NodeIndex first =
        test::addChildren(f.tree, SearchTree::mainRoot(), {{"a", 5}, {"b", 7}, {"c", 5}, {"d", 7}});
    const NodeIndex grandchild = test::addChildren(f.tree, first, {{"g", 0}});
    TreeSearch search(f.tree, EngineOptions{}, Position{}, 0, false, countingExpand);
    search.depthLimit = 3;
    search.backUp(SearchTree::mainRoot());
    const char* expected[] = {"d", "b", "c", "a"};
    for (int i = 0; i < 4; ++i) {
        const SearchNode& n = f.tree[first + static_cast<NodeIndex>(i)];
        EXPECT_EQ(n.move.str(), expected[i]);
        EXPECT_EQ(n.siblingsLeft, 4 - i);
    }
    // "a" moved to the last slot: its own child must point there.
    EXPECT_EQ(f.tree[grandchild].parent, first + 3);
}

// A list already in order but for equal scores is no exception: the later
// of two equal siblings still comes first, in the back-up's sort at even and
// odd depths and in a fresh array written sorted.
TEST(BackUp, ListsAlreadySortedWithEqualScoresStillPutTheLaterFirst) {
    const struct {
        int depth;  // of the node whose children are sorted
        std::vector<int> scores;
    } cases[] = {{0, {9, 7, 7, 5}}, {1, {1, 3, 3, 8}}, {0, {4, 4, 4}}, {1, {2, 2}}};
    for (const auto& c : cases) {
        const std::string expected = c.scores.size() == 4 ? "acbd" : c.scores.size() == 3 ? "cba" : "ba";
        std::string order;
        {
            Fixture f;
            const NodeIndex node = test::singleLine(f.tree, c.depth);
            const char* names[] = {"a", "b", "c", "d"};
            std::vector<std::pair<const char*, int>> kids;
            for (std::size_t i = 0; i < c.scores.size(); ++i) kids.emplace_back(names[i], c.scores[i]);
            const NodeIndex first = test::addChildren(f.tree, node, kids);
            for (std::size_t i = 0; i < c.scores.size(); ++i)
                test::addChildren(f.tree, first + static_cast<NodeIndex>(i), {{"g", 0}});
            TreeSearch search(f.tree, EngineOptions{}, Position{}, 0, false, countingExpand);
            search.depthLimit = c.depth + 3;
            search.backUp(SearchTree::mainRoot());
            for (std::size_t i = 0; i < c.scores.size(); ++i)
                order += f.tree[first + static_cast<NodeIndex>(i)].move.str();
            EXPECT_EQ(order, expected) << "back-up at depth " << c.depth;
        }
        {
            // The same list generated by the expansion of a node of that parity.
            Fixture f;
            const NodeIndex node = test::singleLine(f.tree, c.depth + 2);
            gFreshScores = c.scores;
            TreeSearch search(f.tree, EngineOptions{}, Position{}, 0, false, scoredExpand);
            search.depthLimit = c.depth + 3;
            search.pass(node, -kExcluded, kExcluded);
            std::string fresh;
            const NodeIndex first = f.tree[node].children;
            for (std::size_t i = 0; i < c.scores.size(); ++i)
                fresh += f.tree[first + static_cast<NodeIndex>(i)].move[0];
            EXPECT_EQ(fresh, expected) << "fresh array at depth " << c.depth;
        }
    }
}

TEST(CandidatePruning, KeepsTheBestAndMarksThePrunedLost) {
    Fixture f;
    const NodeIndex first = test::addChildren(f.tree, SearchTree::mainRoot(),
                                              {{"a", 30}, {"b", 50}, {"c", 40}, {"d", 10}, {"e", 40}});
    for (int i = 0; i < 5; ++i) test::addChildren(f.tree, first + static_cast<NodeIndex>(i), {{"x", 0}});
    TreeSearch search(f.tree, EngineOptions{}, Position{}, 0, false, countingExpand);
    EXPECT_EQ(search.pruneRootCandidates(7), 5);  // fewer live children than asked: nothing pruned
    EXPECT_EQ(search.pruneRootCandidates(2), 2);
    const int expected[] = {-25000, 50, 40, -25000, 40};
    for (int i = 0; i < 5; ++i) {
        const SearchNode& n = f.tree[first + static_cast<NodeIndex>(i)];
        EXPECT_EQ(n.score, expected[i]) << i;
        EXPECT_EQ(n.children == kNoNode, expected[i] == -25000) << i;
    }
    EXPECT_EQ(f.status.entriesFreed.load(), 2u);
    EXPECT_FALSE(f.status.reportFrozen.load());
}

TEST(CandidatePruning, StopLeavesNoRootChildOverAHalfFreedSubtree) {
    Fixture f;
    const NodeIndex first = test::addChildren(f.tree, SearchTree::mainRoot(),
                                              {{"a", 30}, {"b", 50}, {"c", 40}, {"d", 10}, {"e", 40}});
    for (int i = 0; i < 5; ++i) {
        const NodeIndex below =
            test::addChildren(f.tree, first + static_cast<NodeIndex>(i), {{"x", 0}, {"y", 0}});
        test::addChildren(f.tree, below, {{"z", 0}});
    }
    TreeSearch search(f.tree, EngineOptions{}, Position{}, 0, false, countingExpand);
    f.status.stop.store(true);
    search.pruneRootCandidates(2);
    // The first child to prune is cut loose whole; the pruning goes no further.
    EXPECT_EQ(f.tree[first].children, kNoNode);
    EXPECT_EQ(f.tree[first].score, -25000);
    EXPECT_NE(f.tree[first + 3].children, kNoNode);
    EXPECT_FALSE(f.status.reportFrozen.load());
    // What is still attached frees once, without touching the loose subtree.
    f.tree.freeArray(SearchTree::mainRoot());
    EXPECT_EQ(f.status.entriesFreed.load(), 5u + 4u * 3u);  // the root's array and four subtrees
}

TEST(SearchTreeMemory, FreeingCountsEveryArrayButTerminalOnes) {
    Fixture f;
    const NodeIndex first = test::addChildren(f.tree, SearchTree::mainRoot(), {{"a", 0}, {"b", 0}, {"c", 0}});
    test::addChildren(f.tree, first, {{"x", 0}, {"y", 0}});
    const NodeIndex terminal = f.tree.allocateArray(1);
    f.tree[terminal] = SearchNode{};
    f.tree[terminal].depth = 2;
    f.tree[first + 1].children = terminal;
    f.tree.freeArray(SearchTree::mainRoot());
    EXPECT_EQ(f.status.entriesFreed.load(), 5u);
}

// Runs main passes up to `depth` on the record's position.
void searchTo(TreeSearch& search, SearchTree& tree, int depth) {
    while (search.depthLimit < depth) {
        ++search.depthLimit;
        search.pass(SearchTree::mainRoot(), -kExcluded, kExcluded);
        search.backUp(SearchTree::mainRoot());
    }
    (void)tree;
}

TEST(EndOfGame, MateIsMarkedOnceAndNeverExpandedAgain) {
    Fixture f("k2r4/8/8/8/8/8/5PPP/6K1 b - - 0 1");  // d8-d1 mates
    TreeSearch search(f.tree, EngineOptions{}, f.record->current, 40, false, fastExpand);
    searchTo(search, f.tree, 1);
    ++search.depthLimit;
    search.pass(SearchTree::mainRoot(), -kExcluded, kExcluded);
    const NodeIndex mate = test::childNamed(f.tree, SearchTree::mainRoot(), "d8-d1");
    ASSERT_NE(mate, kNoNode);
    EXPECT_EQ(f.tree[mate].move.str(), "d8-d1++");
    EXPECT_EQ(f.tree[mate].score, 20000);
    const NodeIndex terminal = f.tree[mate].children;
    ASSERT_NE(terminal, kNoNode);
    EXPECT_EQ(f.tree[terminal].siblingsLeft, 0);
    search.backUp(SearchTree::mainRoot());
    EXPECT_EQ(f.tree[SearchTree::mainRoot()].score, 30000);
    searchTo(search, f.tree, 3);
    // Sorting may have moved it; a re-expansion would have given it a deeper array.
    const NodeIndex again = test::childNamed(f.tree, SearchTree::mainRoot(), "d8-d1");
    ASSERT_NE(again, kNoNode);
    EXPECT_EQ(f.tree[again].move.str(), "d8-d1++");
    EXPECT_EQ(f.tree.arrayLength(f.tree[again].children), 0);
    EXPECT_EQ(f.tree[f.tree[again].children].depth, 2);
}

TEST(EndOfGame, MarkLookUpsFindWhatTheTreeWalksFind) {
    // Mates and stalemates at several depths, with sorting, mate pruning and
    // candidate pruning moving and freeing marked nodes between passes.
    const char* const positions[] = {
        "k7/8/2K5/8/8/8/8/7R w - - 0 1",  "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
        "7k/5Q2/6K1/8/8/8/8/8 w - - 0 1", "k7/8/8/8/8/8/5q2/7K b - - 0 1",
        "k7/2Q5/1K6/8/8/8/8/8 w - - 0 1", "2k5/8/2K5/8/8/8/8/R6R w - - 0 1",
        "8/8/8/8/8/1k6/8/KQ6 b - - 0 1"};
    for (const char* fen : positions) {
        Fixture f(fen);
        TreeSearch search(f.tree, EngineOptions{}, f.record->current, 40, false, fastExpand);
        for (int depth = 1; depth <= 5; ++depth) {
            searchTo(search, f.tree, depth);
            if (depth == 3) search.pruneRootCandidates(10);
            if (depth >= 4) search.pruneRootCandidates(11 - depth);
            for (const char* marker : {"++", "P"}) {
                for (const bool deepest : {false, true}) {
                    f.tree.selected = SearchTree::mainRoot();
                    if (marker[0] == '+') {
                        f.tree.findMateNode(SearchTree::mainRoot());
                    } else {
                        f.tree.findStalemateNode(SearchTree::mainRoot(), deepest);
                    }
                    // The mate walk always looks for the shallowest.
                    const bool wanted = marker[0] == '+' ? false : deepest;
                    EXPECT_EQ(search.findMarked(marker, wanted), f.tree.selected)
                        << fen << " depth " << depth << " " << marker << " deepest " << deepest;
                }
            }
        }
    }
}

TEST(EndOfGame, StalemateBacksUpAsADraw) {
    Fixture f("k7/8/8/8/8/8/5q2/7K b - - 0 1");  // f2-g3 stalemates
    TreeSearch search(f.tree, EngineOptions{}, f.record->current, 40, false, fastExpand);
    searchTo(search, f.tree, 2);
    const NodeIndex stalemate = test::childNamed(f.tree, SearchTree::mainRoot(), "f2-g3");
    ASSERT_NE(stalemate, kNoNode);
    EXPECT_EQ(f.tree[stalemate].move.str(), "f2-g3P");
    EXPECT_EQ(f.tree[stalemate].score, 0);
    EXPECT_GT(f.tree[SearchTree::mainRoot()].score, 1000);
    EXPECT_LT(f.tree[SearchTree::mainRoot()].score, 25000);
}

TEST(SecondarySearch, OddDepthNodeIsReplayedOnceBelowTheInsertedLevel) {
    Fixture f;
    Position start;
    setInitialPosition(start);
    TreeSearch search(f.tree, EngineOptions{}, start, 0, false, fastExpand);
    searchTo(search, f.tree, 1);
    const NodeIndex x = test::childNamed(f.tree, SearchTree::mainRoot(), "a7-a5");
    ASSERT_NE(x, kNoNode);
    f.status.mainPhaseOver.store(true);
    f.status.inSecondary.store(true);
    search.secondarySearch(x, 1);
    const NodeIndex inserted = f.tree[SearchTree::secondaryRoot()].children;
    ASSERT_NE(inserted, kNoNode);
    EXPECT_EQ(f.tree[inserted].move.str(), "a7-a5");
    ASSERT_NE(f.tree[inserted].children, kNoNode);
    EXPECT_EQ(f.tree.arrayLength(f.tree[inserted].children), 20);
    const Position after = nodePosition(f.tree, f.tree[inserted].children, search.base());
    EXPECT_EQ(after.at(1, 5), kUpperPawn);
    EXPECT_EQ(after.at(1, 7), 0);
}

// Stops the search at its first expansion inside a secondary tree.
SearchStatus* gStopInSecondary = nullptr;
ExpansionCounts stoppingInSecondary(const Position& position, StateWord state, bool upper,
                                    const EvalSettings& settings, NodeList& out) {
    if (gStopInSecondary != nullptr && gStopInSecondary->inSecondary.load())
        gStopInSecondary->stop.store(true);
    return fastExpand(position, state, upper, settings, out);
}

// The principal leaf Qc1-c7 stalemates (White is the upper side here, so
// its ranks are mirrored in the tree): its secondary tree ends the line at
// once and backs it up as a draw, so another move becomes principal. A tree
// stopped before its first level is complete has no verdict: the leaf keeps
// its score.
TEST(SecondaryVerdict, StalemateEndingTheLineBacksUpAsADraw) {
    for (const bool stopped : {false, true}) {
        Fixture f("k7/8/1K6/8/8/8/8/2Q5 w - - 0 1");
        gStopInSecondary = stopped ? &f.status : nullptr;
        TreeSearch search(f.tree, EngineOptions{}, f.record->current, 40, false, stoppingInSecondary);
        searchTo(search, f.tree, 1);
        const NodeIndex stalemating =
            test::childNamed(f.tree, SearchTree::mainRoot(), "c8-c2");  // Qc1-c7 in chess ranks
        ASSERT_NE(stalemating, kNoNode);
        f.tree[stalemating].score = 5000;  // far above any other move: principal
        f.tree[SearchTree::mainRoot()].score = 5000;
        f.status.mainPhaseOver.store(true);
        search.secondaryPhase(5000);
        gStopInSecondary = nullptr;
        EXPECT_EQ(f.tree[stalemating].score, stopped ? 5000 : 0) << "stopped " << stopped;
        EXPECT_EQ(f.tree.selected == stalemating, stopped) << "stopped " << stopped;
    }
}

// The deepest level a secondary tree reaches.
SearchStatus* gSecondaryWatch = nullptr;
int gDeepestSecondaryLevel = 0;
ExpansionCounts watchingSecondaryDepth(const Position& position, StateWord state, bool upper,
                                       const EvalSettings& settings, NodeList& out) {
    if (gSecondaryWatch != nullptr && gSecondaryWatch->inSecondary.load())
        gDeepestSecondaryLevel = std::max(gDeepestSecondaryLevel, settings.depthLimit);
    return fastExpand(position, state, upper, settings, out);
}

// The secondary budget: an odd maximum below an even leaf loses a level, so
// the line ends on the same side's move as the main tree's; below an odd
// leaf the inserted copy of the leaf takes one more level.
TEST(SecondarySearch, DepthBudgetFollowsTheParityOfTheLeaf) {
    const struct {
        int leafDepth, maxDepthSecondary, deepestLevel;
    } cases[] = {{2, 2, 2}, {2, 3, 2}, {2, 4, 4}, {1, 1, 2}, {1, 2, 3}, {1, 3, 4}};
    for (const auto& c : cases) {
        Fixture f("8/8/4k3/3p4/3P1K2/8/8/8 w - - 0 50");
        EngineOptions options;
        options.maxDepthSecondary = static_cast<std::int8_t>(c.maxDepthSecondary);
        TreeSearch search(f.tree, options, f.record->current, f.record->plyCount, false,
                          watchingSecondaryDepth);
        searchTo(search, f.tree, c.leafDepth);
        f.status.mainPhaseOver.store(true);
        gSecondaryWatch = &f.status;
        gDeepestSecondaryLevel = 0;
        search.secondaryPhase(f.tree[SearchTree::mainRoot()].score);
        gSecondaryWatch = nullptr;
        EXPECT_EQ(gDeepestSecondaryLevel, c.deepestLevel)
            << "leaf depth " << c.leafDepth << ", secondary depth " << c.maxDepthSecondary;
    }
}

// Twelve children at the first two levels, two below, every score its own
// and no two of them next to each other: backed-up values never tie.
int gScoresGiven = 0;
ExpansionCounts distinctScores(const Position&, StateWord, bool, const EvalSettings& settings,
                               NodeList& out) {
    const int n = settings.depthLimit <= 2 ? 12 : 2;
    for (int i = 0; i < n; ++i) {
        SearchNode& child = out[static_cast<std::size_t>(i)];
        child.move = MoveText::fromString("a1-a2");
        child.move[0] = static_cast<char>('a' + i % 8);
        child.score = static_cast<std::int16_t>((gScoresGiven++ * 7919) % 10000 * 3 - 15000);
    }
    return ExpansionCounts{n, 0, static_cast<std::uint32_t>(n), false};
}

// Three levels below the examined node the secondary tree keeps its 10 best
// candidates, then 13 - depth limit after each deeper level; below an odd
// node's inserted copy the candidates are the opponent's replies.
TEST(SecondarySearch, KeepsTenCandidatesThenThirteenMinusTheDepthLimit) {
    const struct {
        int examinedDepth, budget, kept;
    } cases[] = {{2, 3, 10}, {2, 4, 9}, {2, 5, 8}, {1, 3, 10}, {1, 4, 8}, {1, 5, 7}};
    for (const auto& c : cases) {
        Fixture f;
        NodeIndex examined = test::addChildren(f.tree, SearchTree::mainRoot(), {{"b1-b2", 0}});
        if (c.examinedDepth == 2) examined = test::addChildren(f.tree, examined, {{"b7-b6", 0}});
        TreeSearch search(f.tree, EngineOptions{}, Position{}, 30, false, distinctScores);
        gScoresGiven = 0;
        f.status.mainPhaseOver.store(true);
        f.status.inSecondary.store(true);
        search.secondarySearch(examined, c.budget);
        NodeIndex candidates = f.tree[SearchTree::secondaryRoot()].children;
        if (c.examinedDepth == 1) candidates = f.tree[candidates].children;
        int live = 0;
        for (int i = 0; i < f.tree.arrayLength(candidates); ++i) {
            if (f.tree[candidates + static_cast<NodeIndex>(i)].children != kNoNode) ++live;
        }
        EXPECT_EQ(live, c.kept) << "examined at depth " << c.examinedDepth << ", budget " << c.budget;
    }
}

// A record whose last six moves shuffle knights back and forth.
std::unique_ptr<GameRecord> shufflingRecord(bool recorded) {
    auto record = std::make_unique<GameRecord>();
    const char* texts[] = {"e2-e4", "e7-e5", "d2-d3", "d7-d6", "c2-c3", "c7-c6",
                           "g1-f3", "g8-f6", "f3-g1", "f6-g8", "g1-f3", "g8-f6"};
    for (int i = 0; i < 12; ++i) {
        if (recorded || i >= 6) record->moves[static_cast<std::size_t>(i)] = MoveText::fromString(texts[i]);
    }
    if (!recorded) {
        for (int i = 6; i < 12; ++i) record->moves[static_cast<std::size_t>(i)].clear();
    }
    record->plyCount = 12;
    return record;
}

NodeIndex chooseBetween(Fixture& f, int best, int other, const GameRecord& record) {
    test::addChildren(f.tree, SearchTree::mainRoot(), {{"best", best}, {"other", other}});
    f.tree[SearchTree::mainRoot()].score = static_cast<std::int16_t>(best);
    TreeSearch search(f.tree, EngineOptions{}, Position{}, 12, false, countingExpand);
    search.depthLimit = 2;
    f.tree.selected = test::childNamed(f.tree, SearchTree::mainRoot(), "best");
    return search.finalChoice(best, record);
}

TEST(RepetitionRule, ShufflingPrefersALevelAlternativeButNeverALosingOne) {
    const auto shuffling = shufflingRecord(true);
    {
        Fixture f;
        EXPECT_EQ(f.tree[chooseBetween(f, 1, 0, *shuffling)].move.str(), "other");
    }
    {
        Fixture f;
        EXPECT_EQ(f.tree[chooseBetween(f, 0, -1, *shuffling)].move.str(), "best");
    }
    {
        Fixture f;
        EXPECT_EQ(f.tree[chooseBetween(f, 1, -150, *shuffling)].move.str(), "best");
    }
}

TEST(RepetitionRule, EmptyMoveTextsAreNoBackAndForth) {
    Fixture f;
    const auto empty = shufflingRecord(false);
    EXPECT_EQ(f.tree[chooseBetween(f, 1, 0, *empty)].move.str(), "best");
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

TEST(NodeArena, ArraysFillPagesExactlyAndStayUsable) {
    NodeArena arena;
    // 3 reserved + 65533 single entries fill the first page to the last index.
    for (std::uint32_t i = 3; i < NodeArena::kPageSize; ++i) ASSERT_NE(arena.allocate(1), kNoNode);
    const NodeIndex next = arena.allocate(100);
    ASSERT_EQ(next, NodeArena::kPageSize);
    arena[next + 99].score = 7;  // lies in the second page
    arena.release(next, 100);
    EXPECT_EQ(arena.allocate(100), next);
}

// A size of this process in kilobytes from the kernel's report: "VmRSS:"
// the resident memory, "VmSize:" the address space.
long statusKilobytes(const std::string& field) {
    std::ifstream in("/proc/self/status");
    std::string key;
    long kilobytes = -1;
    while (in >> key) {
        if (key == field && in >> kilobytes) break;
        in.ignore(1 << 16, '\n');
    }
    return kilobytes;
}

long residentKilobytes() {
    return statusKilobytes("VmRSS:");
}

// The sanitizers keep memory of their own beside ours (AddressSanitizer's
// shadow of every byte written, ThreadSanitizer's record of unmapped
// memory): under them the resident size says nothing about the arena.
#if defined(QUORVEL_SANITIZED)
constexpr bool kResidentSizeTells = false;
#else
constexpr bool kResidentSizeTells = true;
#endif

// What the arena holds from the system is counted where it maps and unmaps
// its pages, so the bound is exact on any machine; the resident size is
// checked too, with a wide margin, as the user would see it.
TEST(NodeArena, ClearGivesAFinishedTreesPagesBackToTheSystem) {
    NodeArena arena;
    const long before = residentKilobytes();
    ASSERT_GT(before, 0);
    // After a search: the pages kept for the next one, the helper's ready
    // pages (one of them perhaps still being mapped), nothing else.
    const std::size_t heldBetweenSearches =
        (NodeArena::kKeptPages + NodeArena::kReadyPages) * NodeArena::kPageBytes;
    // Two searches: a heap keeps what it once handed out for its own reuse.
    for (int search = 0; search < 2; ++search) {
        // 150 MB of arrays (100 pages), every node written, as a search writes them.
        for (int i = 0; i < 100 * 655; ++i) {
            const NodeIndex first = arena.allocate(100);
            ASSERT_NE(first, kNoNode);
            for (NodeIndex n = first; n < first + 100; ++n) arena[n].score = 1;
        }
        EXPECT_GE(mappedPageBytes(), 100 * NodeArena::kPageBytes) << "search " << search;
        arena.clear();
        arena.waitUntilReturned();
        EXPECT_LE(mappedPageBytes(), heldBetweenSearches) << "search " << search;
        if (!kResidentSizeTells) continue;
        // The pages still held make 15 MB; 60 MB leaves four times that for
        // the heap, page tables and huge pages the kernel may round up to,
        // and lies far below the 150 MB of a tree not given back.
        EXPECT_LT(residentKilobytes() - before, 60 * 1024) << "search " << search;
    }
}

#ifndef QUORVEL_SANITIZED  // the sanitizers reserve more address space than the limit leaves
// A search that ran out of memory still gives its pages back: the helper,
// waiting for the search to take a page before it tries the system again,
// must wake for the pages to return. The child process has its address
// space limited; a helper that does not wake leaves it to the alarm.
TEST(NodeArenaDeathTest, PagesGoBackAfterTheSystemRefusedOne) {
    EXPECT_EXIT(
        {
            NodeArena arena;
            rlimit limit{};
            getrlimit(RLIMIT_AS, &limit);
            limit.rlim_cur = static_cast<rlim_t>(statusKilobytes("VmSize:") + 64 * 1024) * 1024;
            setrlimit(RLIMIT_AS, &limit);
            while (arena.allocate(100) != kNoNode) {
            }
            // A search takes a while to record its move after the refusal:
            // the helper is back to waiting for the next page by then.
            alarm(10);
            arena.waitUntilRefused(1);
            arena.clear();
            arena.waitUntilReturned();
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace quorvel
