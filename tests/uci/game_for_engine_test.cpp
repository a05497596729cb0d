// The window's game as an engine is told it, and the engine's answer played
// back: the same moves whatever side the player holds, from the initial or a
// set-up position, and nothing recorded for a move the rules refuse.

#include "uci/game_for_engine.h"

#include <gtest/gtest.h>

#include "../rules/played_games.h"
#include "rules/fen.h"
#include "rules/uci_position.h"

namespace quorvel {
namespace {

using testing::playedGame;
using testing::playSan;
using Moves = std::vector<std::string>;

TEST(GameForEngine, TheMovesReadAsEnginesWriteThemWhateverSideThePlayerHolds) {
    struct Row {
        const char* what;
        std::string san;
        bool whiteByComputer;
        Moves expected;
    };
    const Row rows[] = {
        {"nothing played", "", false, {}},
        {"the player has White",
         "e4 e5 Nf3 Nc6 Bc4 Nf6 O-O",
         false,
         {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "g8f6", "e1g1"}},
        {"the player has Black",
         "d4 d5 c4 dxc4 Nc3 Nf6 Bg5 Bf5 Qd2 Nc6 O-O-O",
         true,
         {"d2d4", "d7d5", "c2c4", "d5c4", "b1c3", "g8f6", "c1g5", "c8f5", "d1d2", "b8c6", "e1c1"}},
        {"en passant", "e4 a6 e5 d5 exd6", false, {"e2e4", "a7a6", "e4e5", "d7d5", "e5d6"}},
    };
    for (const Row& row : rows) {
        GameRecord record = testing::setUp(kStartFen);
        playSan(record, row.san, row.whiteByComputer, !row.whiteByComputer);
        const auto game = gameForEngine(record);
        ASSERT_TRUE(game) << row.what;
        EXPECT_EQ(game->fen, "") << row.what;
        EXPECT_EQ(game->moves, row.expected) << row.what;
    }
}

TEST(GameForEngine, ASetUpPositionIsToldAsItsFenWithTheMovesSince) {
    const std::string fen = "4k3/1P6/8/8/8/8/8/4K3 w - - 0 40";
    const GameRecord record = playedGame("b8=N Kf7", fen);
    const auto game = gameForEngine(record);
    ASSERT_TRUE(game);
    EXPECT_EQ(game->fen, "4k3/1P6/8/8/8/8/8/4K3 w - - 0 40");
    EXPECT_EQ(game->moves, (Moves{"b7b8n", "e8f7"}));

    // Before any move, the set-up position alone; Black to move shows in it.
    const GameRecord black = playedGame("", "4k3/8/8/8/8/8/3p4/4K3 b - - 3 12");
    const auto blackGame = gameForEngine(black);
    ASSERT_TRUE(blackGame);
    EXPECT_EQ(blackGame->fen, "4k3/8/8/8/8/8/3p4/4K3 b - - 3 12");
    EXPECT_TRUE(blackGame->moves.empty());
}

TEST(GameForEngine, AGameWhoseMovesDoNotFollowIsRefused) {
    GameRecord record = playedGame("e4 e5 Nf3");
    // The entry after 1. e4 no longer follows from the start.
    record.history[0] = record.history[2];
    EXPECT_FALSE(gameForEngine(record));
}

TEST(GameForEngine, OnlyAGameThatGoesOnContinuesTheEnginesGame) {
    const GameForEngine start{"", {"e2e4"}};
    struct Row {
        GameForEngine later;
        bool continues;
    };
    const Row rows[] = {
        {{"", {"e2e4"}}, true},
        {{"", {"e2e4", "e7e5", "g1f3"}}, true},
        {{"", {}}, false},                       // taken back to the start
        {{"", {"d2d4", "e7e5"}}, false},         // another first move
        {{kStartFen, {"e2e4", "e7e5"}}, false},  // another start, even the same board
    };
    for (const Row& row : rows) EXPECT_EQ(continuesGame(start, row.later), row.continues);
}

TEST(GameForEngine, TheEnginesMoveIsRecordedAsTheComputersOrNotAtAll) {
    struct Row {
        const char* san;  // played before the engine's move
        bool playerIsBlack;
        const char* move;
        bool recorded;
    };
    const Row rows[] = {
        {"e4", false, "e7e5", true},  {"", true, "e2e4", true},      // the engine has White
        {"e4", false, "e7e4", false}, {"e4", false, "e2e4", false},  // a White move on Black's turn
        {"e4", false, "", false},     {"e4", false, "e7e5x", false}, {"e4 e5 Nf3", false, "e8g8", false},
    };
    for (const Row& row : rows) {
        GameRecord record = testing::setUp(
            kStartFen, row.playerIsBlack ? FenOrientation::blackLower : FenOrientation::whiteLower);
        playSan(record, row.san);
        const GameRecord before = record;
        EXPECT_EQ(recordEngineMove(record, row.move), row.recorded) << row.move;
        if (!row.recorded) {
            EXPECT_EQ(std::memcmp(&before, &record, sizeof record), 0) << row.move;
            continue;
        }
        EXPECT_EQ(record.plyCount, before.plyCount + 1);
        const auto game = gameForEngine(record);
        ASSERT_TRUE(game);
        EXPECT_EQ(game->moves.back(), row.move);
    }
}

// A promotion names its piece; the engine's notation has no default queen.
TEST(GameForEngine, APromotionWithoutItsPieceIsRefused) {
    GameRecord record = playedGame("Kf2", "4k3/8/8/8/8/8/p7/4K3 w - - 0 1");
    GameRecord queen = record;
    EXPECT_FALSE(recordEngineMove(record, "a2a1"));
    EXPECT_TRUE(recordEngineMove(queen, "a2a1n"));
    const ChessPosition after = liveChessPosition(queen);
    EXPECT_EQ(after.board.at(1, 1), kUpperKnight);
    EXPECT_TRUE(after.whiteToMove);
}

}  // namespace
}  // namespace quorvel
