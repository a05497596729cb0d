#pragma once
// The engine's fixed benchmark: a suite of positions, each searched to a
// fixed depth with no time limit through one search driver. The total node
// count is the algorithm's fingerprint: a change that alters it changes the
// algorithm; one that only makes the search faster leaves it as it is.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/expansion.h"

namespace quorvel {

struct BenchPosition {
    const char* name;
    const char* fen;  // the side to move is the computer's
};

inline constexpr std::array<BenchPosition, 12> kBenchSuite{{
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
    {"open sicilian", "r1bqkb1r/pp2pppp/2np1n2/8/3NP3/2N5/PPP2PPP/R1BQKB1R w KQkq - 2 6"},
    {"queen's gambit", "rnbqkb1r/ppp2ppp/4pn2/3p4/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq - 2 4"},
    {"italian, black", "r1bqk1nr/pppp1ppp/2n5/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 5 4"},
    {"middlegame", "r2q1rk1/pp2bppp/2n1bn2/3p4/3P4/2NBBN2/PP3PPP/R2Q1RK1 w - - 4 11"},
    {"tactics", "r1b2rk1/2q1bppp/p2p1n2/np2p3/3PP3/5N1P/PPBN1PP1/R1BQR1K1 b - - 0 13"},
    {"rook endgame", "8/5pk1/6p1/8/1r6/6P1/5PK1/R7 w - - 0 40"},
    {"pawn endgame", "8/8/4k3/3p4/3P1K2/8/8/8 w - - 0 50"},
    {"queen against pawn", "8/8/8/8/8/2K5/1p6/1k1Q4 w - - 0 60"},
    {"mate in two", "k7/8/2K5/8/8/8/8/7R w - - 0 1"},
    {"promotion race", "8/1P6/8/8/8/8/6p1/K6k b - - 0 55"},
    {"over 100 moves", "R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1"},
}};

// The main tree's depth of the benchmark; the secondary trees' is 3.
inline constexpr int kBenchDepth = 4;

// What one position gave.
struct BenchResult {
    std::string name;
    std::string move;  // in the engines' notation ("e2e4", "g2g1q"), "(none)" without a move
    std::uint32_t nodes = 0;
    double seconds = 0;
};

// Searches each position to `depth` (1..10) with the given expansion.
std::vector<BenchResult> runBench(std::span<const BenchPosition> positions, int depth, ExpandFn expand);

}  // namespace quorvel
