// quorvel-cli bench: a fixed, deterministic suite searched to a fixed depth
// with no time limit. The total node count is the algorithm's fingerprint;
// it must not change when the code only gets faster.

#include <array>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <variant>

#include "cli_commands.h"
#include "engine/search_driver.h"
#include "rules/fen.h"
#include "rules/notation.h"

namespace quorvel::cli {

namespace {

struct BenchPosition {
    const char* name;
    const char* fen;
};

constexpr std::array<BenchPosition, 12> kSuite{{
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

}  // namespace

int runBench(const Args& args) {
    EngineOptions options;
    options.maxDepthMain = 4;
    options.maxDepthSecondary = 3;
    ExpandFn expand = fastExpand;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--literal") {
            expand = literalExpand;
        } else if (args[i] == "--depth" && i + 1 < args.size() && args[i + 1].size() == 1 &&
                   args[i + 1][0] >= '1' && args[i + 1][0] <= '9') {
            options.maxDepthMain = static_cast<std::int8_t>(args[++i][0] - '0');
        } else {
            return usageError("bench takes --literal and --depth N (1..9)");
        }
    }
    std::uint64_t total = 0;
    double seconds = 0;
    // One driver for the suite, as the window keeps one for the game.
    SearchStatus status;
    SearchDriver driver(status);
    driver.setExpansion(expand);
    for (const BenchPosition& position : kSuite) {
        const auto parsed = parseFen(position.fen, FenOrientation::sideToMoveUpper);
        const FenSetup& setup = std::get<FenSetup>(parsed);
        auto record = std::make_unique<GameRecord>(setup.record);
        const auto before = std::make_unique<GameRecord>(*record);
        status.searchIdle.store(false);
        status.markPainted();
        const auto start = std::chrono::steady_clock::now();
        driver.start(*record, options, false);
        driver.wait();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const std::uint32_t nodes = status.nodesCreated.load();
        total += nodes;
        std::string move = "(none)";
        if (record->plyCount > before->plyCount) {
            move = longAlgebraic(record->moves[static_cast<std::size_t>(record->plyCount - 1)],
                                 setup.whiteToMove);
        }
        std::printf("%-20s %-8s %10u\n", position.name, move.c_str(), nodes);
    }
    std::printf("total nodes %llu\n", static_cast<unsigned long long>(total));
    std::printf("seconds %.2f\n", seconds);
    std::printf("nodes per second %.0f\n", seconds > 0 ? total / seconds : 0.0);
    return 0;
}

}  // namespace quorvel::cli
