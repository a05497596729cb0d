// The fast expansion against the literal one, on positions reached by random
// play from varied starts, both sides to move: identical child lists.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/expansion.h"
#include "engine_test_support.h"
#include "rules/move_application.h"

namespace quorvel {
namespace {

#ifdef QUORVEL_SANITIZED
constexpr int kPositions = 2000;
#else
constexpr int kPositions = 12000;
#endif

const char* const kStarts[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1",
    "4k3/1P6/8/2pP4/8/8/6p1/4K2R w K c6 0 40",
};

bool sameChild(const SearchNode& a, const SearchNode& b) {
    return a.move == b.move && a.score == b.score && a.state == b.state;
}

// Plays random games from the starts and compares the two expansions on
// `positions` positions along them, each with one of the settings.
void compareAlongRandomGames(const std::vector<EvalSettings>& variants, int positions, unsigned seed) {
    std::mt19937 random(seed);
    int compared = 0;
    int start = 0;
    while (compared < positions) {
        const auto record = test::recordFromFen(kStarts[start++ % std::size(kStarts)]);
        ASSERT_TRUE(record);
        Position position = record->current;
        StateWord state = record->state;
        bool upper = true;
        for (int ply = 0; ply < 80 && compared < positions; ++ply, upper = !upper) {
            const EvalSettings& settings = variants[random() % variants.size()];
            NodeList literal{}, fast{};
            const ExpansionCounts a = literalExpand(position, state, upper, settings, literal);
            const ExpansionCounts b = fastExpand(position, state, upper, settings, fast);
            ++compared;
            ASSERT_EQ(a.childCount, b.childCount) << "ply " << ply;
            ASSERT_EQ(a.dropped, b.dropped);
            ASSERT_EQ(a.evaluated, b.evaluated);
            ASSERT_EQ(a.stalemate, b.stalemate);
            for (int i = 0; i < a.childCount; ++i) {
                const auto& x = literal[static_cast<std::size_t>(i)];
                const auto& y = fast[static_cast<std::size_t>(i)];
                ASSERT_TRUE(sameChild(x, y))
                    << "half-moves played " << settings.plyCount << ", child " << i << " literal "
                    << x.move.str() << " " << x.score << " fast " << y.move.str() << " " << y.score;
            }
            if (a.childCount == 0) break;
            const SearchNode& next = literal[random() % static_cast<unsigned>(a.childCount)];
            replayMoveText(position, next.move, upper);
            state = next.state;
        }
    }
}

TEST(ExpansionOracle, FastExpansionListsExactlyTheLiteralChildren) {
    compareAlongRandomGames({{0, true, 3}, {25, true, 2}, {55, false, 5}, {70, true, 4}}, kPositions,
                            20240611);
}

// The game phase changes the evaluation below 20 and 50 half-moves played
// and above 60: each boundary and either side of it.
TEST(ExpansionOracle, BothExpansionsAgreeAtEachGamePhaseBoundary) {
    std::vector<EvalSettings> variants;
    for (const int ply : {19, 20, 21, 49, 50, 51, 59, 60, 61, 62}) variants.push_back({ply, true, 3});
    compareAlongRandomGames(variants, kPositions / 4, 20240612);
}

}  // namespace
}  // namespace quorvel
