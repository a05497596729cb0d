// Node expansion and evaluation: the generation order, the list's capacity,
// the end-of-game outputs, en passant and castling, for both expansions.

#include "engine/expansion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/evaluation.h"
#include "engine_test_support.h"
#include "rules/move_application.h"

namespace quorvel {
namespace {

struct Expansion {
    const char* name;
    ExpandFn expand;
};
const Expansion kBoth[] = {{"literal", literalExpand}, {"fast", fastExpand}};

std::vector<std::string> moves(const NodeList& list, int count) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) texts.push_back(list[static_cast<std::size_t>(i)].move.str());
    return texts;
}

Position initialPosition() {
    Position p;
    setInitialPosition(p);
    return p;
}

TEST(Expansion, InitialPositionGivesTwentyChildrenInScanOrder) {
    const std::vector<std::string> expected{"a7-a5", "a7-a6", "b7-b5", "b7-b6", "b8-a6", "b8-c6", "c7-c5",
                                            "c7-c6", "d7-d5", "d7-d6", "e7-e5", "e7-e6", "f7-f5", "f7-f6",
                                            "g7-g5", "g7-g6", "g8-f6", "g8-h6", "h7-h5", "h7-h6"};
    for (const Expansion& e : kBoth) {
        NodeList list{};
        const ExpansionCounts counts = e.expand(initialPosition(), 0, true, EvalSettings{0, true, 3}, list);
        EXPECT_EQ(counts.childCount, 20) << e.name;
        EXPECT_EQ(counts.evaluated, 20u) << e.name;
        EXPECT_EQ(moves(list, counts.childCount), expected) << e.name;
    }
}

TEST(Evaluation, InitialPositionIsLevelWithoutTheHorizonTerm) {
    for (int ply : {0, 30, 70}) {
        EXPECT_EQ(evaluate(initialPosition(), 0, kUpperPawn, 1, 7, 1, 7, EvalSettings{ply, false, 5}), 0)
            << ply;
    }
}

TEST(Expansion, MoreThanHundredMovesKeepsTheFirstHundredAndCountsTheRest) {
    // White to move has 218 legal moves.
    const auto record = test::recordFromFen("R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1");
    ASSERT_TRUE(record);
    for (const Expansion& e : kBoth) {
        NodeList list{};
        const ExpansionCounts counts =
            e.expand(record->current, record->state, true, EvalSettings{0, true, 3}, list);
        EXPECT_EQ(counts.childCount, 100) << e.name;
        EXPECT_EQ(counts.dropped, 118) << e.name;
        EXPECT_EQ(counts.evaluated, 218u) << e.name;
    }
}

TEST(Expansion, NoMoveReportsStalemateOnlyWithoutCheck) {
    // Black to move (the upper side): stalemated, then mated.
    const auto stalemated = test::recordFromFen("k7/2Q5/1K6/8/8/8/8/8 b - - 0 1");
    const auto mated = test::recordFromFen("k7/1Q6/1K6/8/8/8/8/8 b - - 0 1");
    for (const Expansion& e : kBoth) {
        NodeList list{};
        ExpansionCounts counts = e.expand(stalemated->current, stalemated->state, true, EvalSettings{}, list);
        EXPECT_EQ(counts.childCount, 0) << e.name;
        EXPECT_TRUE(counts.stalemate) << e.name;
        counts = e.expand(mated->current, mated->state, true, EvalSettings{}, list);
        EXPECT_EQ(counts.childCount, 0) << e.name;
        EXPECT_FALSE(counts.stalemate) << e.name;
    }
}

TEST(Expansion, EnPassantChildIsScoredWithTheTakenPawnStillOnTheBoard) {
    // Black pawn d4 may take e3 en passant after e2-e4.
    const auto record = test::recordFromFen("4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1");
    ASSERT_TRUE(record);
    const EvalSettings settings{40, true, 3};
    for (const Expansion& e : kBoth) {
        NodeList list{};
        const ExpansionCounts counts = e.expand(record->current, record->state, true, settings, list);
        int found = -1;
        for (int i = 0; i < counts.childCount; ++i) {
            if (list[static_cast<std::size_t>(i)].move.str() == "d4xe3") found = i;
        }
        ASSERT_GE(found, 0) << e.name;
        Position child = record->current;
        child.at(4, 4) = 0;
        child.at(5, 3) = kUpperPawn;  // the white pawn on e4 stays
        const SearchNode& node = list[static_cast<std::size_t>(found)];
        EXPECT_EQ(node.score, evaluate(child, node.state, kUpperPawn, 4, 4, 5, 3, settings)) << e.name;
        child.at(5, 4) = 0;
        EXPECT_NE(node.score, evaluate(child, node.state, kUpperPawn, 4, 4, 5, 3, settings)) << e.name;
    }
}

TEST(Expansion, CastlingRefusedThroughASquareAPawnAttacks) {
    // The white pawn on e7 attacks d8 and f8, squares the king crosses,
    // though it could never step onto them.
    const auto refused = test::recordFromFen("r3k2r/4P3/8/8/8/8/8/4K3 b kq - 0 1");
    const auto allowed = test::recordFromFen("r3k2r/8/4P3/8/8/8/8/4K3 b kq - 0 1");
    for (const Expansion& e : kBoth) {
        NodeList list{};
        ExpansionCounts counts = e.expand(refused->current, refused->state, true, EvalSettings{}, list);
        auto texts = moves(list, counts.childCount);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "o-o"), 0) << e.name;
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "o-o-o"), 0) << e.name;
        counts = e.expand(allowed->current, allowed->state, true, EvalSettings{}, list);
        texts = moves(list, counts.childCount);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "o-o"), 1) << e.name;
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "o-o-o"), 1) << e.name;
    }
}

// A FEN rank from eight squares, '.' for an empty one.
std::string fenRank(const std::string& squares) {
    std::string rank;
    int empty = 0;
    for (const char c : squares) {
        if (c == '.') {
            ++empty;
            continue;
        }
        if (empty > 0) rank += std::to_string(empty);
        empty = 0;
        rank += c;
    }
    return empty > 0 ? rank + std::to_string(empty) : rank;
}

// Each square of a castling's path occupied, or attacked, for either colour
// as the upper or the lower army: the castlings still listed. The king may
// not castle out of check, through or into an attacked square; b1 or b8 may
// be attacked, but must be empty.
TEST(Expansion, CastlingPathSquaresOccupiedOrAttacked) {
    struct Case {
        char file;
        char change;  // 'o' own knight there, 'x' enemy knight there, 'a' enemy rook on the file
        const char* castlings;
    };
    const Case cases[] = {
        {'a', ' ', "o-o-o o-o"}, {'f', 'o', "o-o-o"}, {'g', 'o', "o-o-o"}, {'b', 'o', "o-o"},
        {'c', 'o', "o-o"},       {'d', 'o', "o-o"},   {'f', 'x', "o-o-o"}, {'g', 'x', "o-o-o"},
        {'b', 'x', "o-o"},       {'c', 'x', "o-o"},   {'d', 'x', "o-o"},   {'f', 'a', "o-o-o"},
        {'g', 'a', "o-o-o"},     {'c', 'a', "o-o"},   {'d', 'a', "o-o"},   {'b', 'a', "o-o-o o-o"},
        {'e', 'a', ""},
    };
    for (const bool white : {true, false}) {
        for (const bool upper : {true, false}) {
            for (const Case& c : cases) {
                const auto at = static_cast<std::size_t>(c.file - 'a');
                std::string home = white ? "R...K..R" : "r...k..r";
                std::string attack = "........";  // the rank of an attacking rook, three from home
                if (c.change == 'o') home[at] = white ? 'N' : 'n';
                if (c.change == 'x') home[at] = white ? 'n' : 'N';
                if (c.change == 'a') attack[at] = white ? 'r' : 'R';
                const std::string other = white ? "r3k2r" : "R3K2R";
                const std::string fen =
                    white ? other + "/8/8/8/" + fenRank(attack) + "/8/8/" + fenRank(home) + " w KQkq - 0 1"
                          : fenRank(home) + "/8/8/" + fenRank(attack) + "/8/8/8/" + other + " b KQkq - 0 1";
                const FenOrientation orientation = upper   ? FenOrientation::sideToMoveUpper
                                                   : white ? FenOrientation::whiteLower
                                                           : FenOrientation::blackLower;
                const auto record = test::recordFromFen(fen, orientation);
                ASSERT_TRUE(record) << fen;
                for (const Expansion& e : kBoth) {
                    NodeList list{};
                    const ExpansionCounts counts =
                        e.expand(record->current, record->state, upper, EvalSettings{}, list);
                    std::string listed;
                    for (const std::string& text : moves(list, counts.childCount)) {
                        if (text.rfind("o-o", 0) == 0) listed += (listed.empty() ? "" : " ") + text;
                    }
                    EXPECT_EQ(listed, c.castlings) << fen << (upper ? " upper " : " lower ") << e.name;
                }
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
