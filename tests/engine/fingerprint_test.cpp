// The engine's fingerprint: the benchmark's node count and moves, pinned,
// with the fast expansion and with the literal one. A change that moves a
// figure changes the algorithm: it changes the figure here in the same
// commit and says why.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/bench_suite.h"

namespace quorvel {
namespace {

struct Fingerprint {
    const char* name;
    int depth;
    std::vector<std::string> positions;  // names from the suite; empty: all of it
    std::uint64_t nodes;
    const char* moves;  // the moves played, in suite order
};

void PrintTo(const Fingerprint& fingerprint, std::ostream* out) {
    *out << fingerprint.name;
}

const char* const kEndgames[] = {"pawn endgame", "queen against pawn", "mate in two", "promotion race",
                                 "over 100 moves"};

const Fingerprint kFingerprints[] = {
#ifndef QUORVEL_SANITIZED
    // `quorvel-cli bench`, the figure the README gives.
    {"Bench", kBenchDepth, {}, 3852891, "g1f3 f1b5 c4d5 g8f6 d1c2 c8d7 g2h1 f4g3 c3b3 c6c7 g2g1q d2b2"},
    // Candidate pruning and the soft cut-off show first at depth 5.
    {"DepthFive",
     5,
     {"start", "rook endgame", "pawn endgame", "queen against pawn", "mate in two", "promotion race",
      "over 100 moves"},
     1895838,
     "g1f3 a1f1 f4e3 c3b3 h1b1 g2g1q d2b2"},
    // One main level: the secondary trees choose, with stalemates and mates
    // ending their lines.
    {"DepthOne", 1, {}, 985841, "g1f3 d4c6 c4d5 g8f6 d1c2 c8d7 g2h1 f4g3 d1h1 c6d5 g2g1q c4a2"},
#endif
    {"Endgames",
     kBenchDepth,
     {std::begin(kEndgames), std::end(kEndgames)},
     9682,
     "f4g3 c3b3 c6c7 g2g1q d2b2"},
};

std::vector<BenchPosition> suiteOf(const Fingerprint& fingerprint) {
    if (fingerprint.positions.empty()) return {kBenchSuite.begin(), kBenchSuite.end()};
    std::vector<BenchPosition> chosen;
    for (const std::string& name : fingerprint.positions) {
        for (const BenchPosition& position : kBenchSuite) {
            if (name == position.name) chosen.push_back(position);
        }
    }
    return chosen;
}

struct Totals {
    std::uint64_t nodes = 0;
    std::string moves;
    std::string table;  // one line per position, for the failure message
};

Totals run(const Fingerprint& fingerprint, ExpandFn expand) {
    Totals totals;
    for (const BenchResult& result : runBench(suiteOf(fingerprint), fingerprint.depth, expand)) {
        totals.nodes += result.nodes;
        totals.moves += (totals.moves.empty() ? "" : " ") + result.move;
        totals.table += result.name + " " + result.move + " " + std::to_string(result.nodes) + "\n";
    }
    return totals;
}

class EngineFingerprint : public ::testing::TestWithParam<Fingerprint> {};

TEST_P(EngineFingerprint, FastAndLiteralExpansionsGiveThePinnedFigures) {
    const Fingerprint& pinned = GetParam();
    ASSERT_EQ(suiteOf(pinned).size(),
              pinned.positions.empty() ? kBenchSuite.size() : pinned.positions.size());
    const Totals fast = run(pinned, fastExpand);
    const Totals literal = run(pinned, literalExpand);
    EXPECT_EQ(fast.nodes, literal.nodes) << "fast:\n" << fast.table << "literal:\n" << literal.table;
    EXPECT_EQ(fast.moves, literal.moves);
    EXPECT_EQ(fast.nodes, pinned.nodes) << fast.table;
    EXPECT_EQ(fast.moves, pinned.moves);
}

INSTANTIATE_TEST_SUITE_P(Suite, EngineFingerprint, ::testing::ValuesIn(kFingerprints),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvel
