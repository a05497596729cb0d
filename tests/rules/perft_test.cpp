#include "rules/perft.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "test_positions.h"

namespace quorvel {
namespace {

struct PerftRow {
    const char* name;
    const char* fen;
    std::vector<std::uint64_t> counts;  // depth 1, 2, ...
};

// Published figures; the deeper depths run through tools/perft-deep.sh.
const std::vector<PerftRow> kShallowRows = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {20, 400, 8902}},
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", {48, 2039}},
    {"rook endgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", {14, 191, 2812, 43238}},
    {"promotions", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", {6, 264, 9467}},
    {"discovered checks", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", {44, 1486}},
    {"middlegame", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", {46, 2079}},
    {"black to move", "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", {6, 264, 9467}},
    {"en passant pin", "3k4/3p4/8/K1P4r/8/8/8/8 b - - 0 1", {18, 92, 1670, 10138}},
    {"castling gives check", "5k2/8/8/8/8/8/8/4K2R w K - 0 1", {15, 66, 1198, 6399}},
};

void expectCounts(const PerftRow& row, FenOrientation orientation) {
    const GameRecord r = testing::setUp(row.fen, orientation);
    const bool whiteToMove = std::string(row.fen).find(" w ") != std::string::npos;
    // White is the upper side exactly when the board is held mirrored.
    const bool sideIsUpper = whiteToMove == r.playerIsBlack;
    for (std::size_t i = 0; i < row.counts.size(); ++i) {
        EXPECT_EQ(perft(r.current, r.state, sideIsUpper, static_cast<int>(i + 1)), row.counts[i])
            << row.name << " at depth " << i + 1 << ": " << row.fen;
    }
}

TEST(Perft, PublishedCountsWithWhiteAsTheLowerSide) {
    for (const PerftRow& row : kShallowRows) expectCounts(row, FenOrientation::whiteLower);
}

TEST(Perft, SameCountsWithTheBoardHeldMirrored) {
    for (const PerftRow& row : kShallowRows) expectCounts(row, FenOrientation::blackLower);
}

TEST(Perft, DivideNamesMovesInChessCoordinatesForEitherOrientation) {
    for (auto orientation : {FenOrientation::whiteLower, FenOrientation::blackLower}) {
        const GameRecord r = testing::setUp("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", orientation);
        const auto lines = divide(r.current, r.state, r.playerIsBlack, r.playerIsBlack, 1);
        std::vector<std::string> names;
        for (const auto& line : lines) names.push_back(line.move);
        EXPECT_NE(std::find(names.begin(), names.end(), "b7b8q"), names.end());
        EXPECT_NE(std::find(names.begin(), names.end(), "b7b8n"), names.end());
        EXPECT_NE(std::find(names.begin(), names.end(), "e1d1"), names.end());
        EXPECT_EQ(lines.size(), 9u);
    }
}

}  // namespace
}  // namespace quorvel
