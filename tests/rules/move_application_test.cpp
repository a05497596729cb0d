#include "rules/move_application.h"

#include <gtest/gtest.h>

#include "rules/notation.h"
#include "test_positions.h"

namespace quorvel {
namespace {

using testing::setUp;

MoveOutcome play(GameRecord& r, int fx, int fy, int tx, int ty, int promotion = 0) {
    const MoveCheck m = checkMove(r.current, r.state, fx, fy, tx, ty, false);
    EXPECT_TRUE(m.valid) << fx << fy << tx << ty;
    auto outcome = makeMove(r.current, r.state, fx, fy, tx, ty, m.castling, promotion);
    EXPECT_TRUE(outcome.has_value());
    r.state = outcome ? outcome->state : r.state;
    return outcome.value_or(MoveOutcome{});
}

TEST(InitialPosition, OverwritesRowsThreeToSixAndLeavesStateCells) {
    Position position{};
    position.at(4, 4) = kUpperQueen;
    position[kLowerCastledCell] = 1;
    setInitialPosition(position);
    EXPECT_EQ(position.at(4, 4), 0);
    EXPECT_EQ(position.at(5, 1), kLowerKing);
    EXPECT_EQ(position.at(4, 8), kUpperQueen);
    EXPECT_EQ(position.at(8, 7), kUpperPawn);
    EXPECT_EQ(position[kLowerCastledCell], 1);
}

TEST(StateUpdate, DoubleStepFileLastsOneMoveOfTheSameSide) {
    GameRecord r = setUp("4k3/p7/8/8/8/8/4P3/4K3 w - - 0 1");
    play(r, 5, 2, 5, 4);
    EXPECT_EQ(lowerDoubleStepFile(r.state), 5);
    play(r, 1, 7, 1, 5);
    EXPECT_EQ(lowerDoubleStepFile(r.state), 5);  // the other side's field is untouched
    EXPECT_EQ(upperDoubleStepFile(r.state), 1);
    play(r, 5, 1, 4, 1);
    EXPECT_EQ(lowerDoubleStepFile(r.state), 0);
    EXPECT_TRUE(r.state & kLowerKingMoved);
}

TEST(StateUpdate, RookBitsFollowTheFileLeftNotTheRook) {
    GameRecord r = setUp("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
    r.state &= ~std::uint32_t{kLowerRookAMoved | kLowerRookHMoved};
    play(r, 1, 1, 4, 1);
    EXPECT_TRUE(r.state & kLowerRookAMoved);
    r.state &= ~std::uint32_t{kLowerRookAMoved};
    play(r, 4, 1, 4, 3);
    EXPECT_EQ(r.state & (kLowerRookAMoved | kLowerRookHMoved), 0u);
    play(r, 4, 3, 8, 3);
    play(r, 8, 3, 8, 5);  // a rook leaving the h-file sets the bit even if it started elsewhere
    EXPECT_TRUE(r.state & kLowerRookHMoved);
}

TEST(MakeMove, CastlingMovesKingAndRookAndForbidsASecondOne) {
    GameRecord r = setUp("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
    play(r, 5, 1, 7, 1);
    EXPECT_EQ(r.current.at(7, 1), kLowerKing);
    EXPECT_EQ(r.current.at(6, 1), kLowerRook);
    EXPECT_EQ(r.current.at(8, 1), 0);
    EXPECT_TRUE(r.state & kLowerCastled);
    EXPECT_TRUE(r.state & kLowerKingMoved);
}

TEST(MakeMove, CastlingRefusedLeavesThePositionUnchanged) {
    GameRecord r = setUp("4k3/8/8/8/8/8/4p3/R3K2R w KQ - 0 1");
    const Position before = r.current;
    EXPECT_FALSE(makeMove(r.current, r.state, 5, 1, 7, 1, Castling::kingSide).has_value());
    EXPECT_EQ(r.current, before);
}

TEST(MakeMove, EnPassantTakesThePawnBesideAndIsACapture) {
    GameRecord r = setUp("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2");
    const MoveOutcome outcome = play(r, 5, 5, 4, 6);
    EXPECT_TRUE(outcome.capture);
    EXPECT_EQ(r.current.at(4, 5), 0);
    EXPECT_EQ(r.current.at(4, 6), kLowerPawn);
    EXPECT_EQ(buildMoveText(5, 5, 4, 6, kLowerPawn, outcome.capture).str(), "e5xd6");
}

TEST(MakeMove, PromotionPlacesTheChosenPieceOrAQueen) {
    GameRecord r = setUp("4k3/P7/8/8/8/8/p7/4K3 w - - 0 1");
    play(r, 1, 7, 1, 8, kLowerKnight);
    EXPECT_EQ(r.current.at(1, 8), kLowerKnight);
    play(r, 1, 2, 1, 1);
    EXPECT_EQ(r.current.at(1, 1), kUpperQueen);
}

TEST(Replay, PromotesToAQueenAndTakesEnPassant) {
    GameRecord r = setUp("4k3/P7/8/3pP3/8/8/8/4K3 w - d6 0 2");
    replayMoveText(r.current, MoveText::fromString("a7-a8"), false);
    EXPECT_EQ(r.current.at(1, 8), kLowerQueen);
    replayMoveText(r.current, MoveText::fromString("e5xd6"), false);
    EXPECT_EQ(r.current.at(4, 5), 0);
    replayMoveText(r.current, MoveText::fromString("o-o"), true);
    EXPECT_EQ(r.current.at(7, 8), kUpperKing);
    EXPECT_EQ(r.current.at(6, 8), kUpperRook);
}

TEST(RecordMove, FirstHalfMoveWritesHistoryEntryZero) {
    GameRecord r;
    newGame(r);
    const MoveOutcome outcome = play(r, 5, 2, 5, 4);
    ASSERT_EQ(recordMove(r, buildMoveText(5, 2, 5, 4, kLowerPawn, false), outcome.state, true),
              RecordResult::recorded);
    EXPECT_EQ(r.plyCount, 1);
    EXPECT_EQ(r.recordLength, 1);
    EXPECT_EQ(r.moves[0].str(), "e2-e4");
    EXPECT_EQ(r.history[0][0], kMarkerPlayerWhite);
    EXPECT_EQ(r.history[0].at(5, 4), kLowerPawn);
    EXPECT_EQ(r.history[0][kLowerDoubleStepFileCell], 5);
}

TEST(RecordMove, BlackPlayerTextsAreStoredInChessRanksWithTheirCheckMark) {
    GameRecord r = setUp("4k3/8/8/8/8/8/8/3QK3 b - - 0 1", FenOrientation::blackLower);
    ASSERT_TRUE(r.playerIsBlack);
    // Mirrored: the black king stands on (5, 1) as the lower side.
    const MoveOutcome outcome = play(r, 5, 1, 6, 2);
    ASSERT_EQ(recordMove(r, buildMoveText(5, 1, 6, 2, kLowerKing, false), outcome.state, true),
              RecordResult::recorded);
    EXPECT_EQ(r.moves[r.plyCount - 1].str(), "e8-f7");
    EXPECT_EQ(r.history[r.plyCount - 1][0], kMarkerPlayerBlack);
    GameRecord check = setUp("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
    const MoveOutcome checking = play(check, 4, 1, 4, 7);
    recordMove(check, buildMoveText(4, 1, 4, 7, kLowerQueen, false), checking.state, true);
    EXPECT_EQ(check.moves[0].str(), "d1-d7+");
}

TEST(RecordMove, NeverWritesA301stEntry) {
    GameRecord r;
    newGame(r);
    r.plyCount = GameRecord::kCapacity;
    r.recordLength = GameRecord::kCapacity;
    const GameRecord before = r;
    EXPECT_EQ(recordMove(r, MoveText::fromString("e2-e4"), r.state, true), RecordResult::recordFull);
    EXPECT_EQ(r.plyCount, before.plyCount);
    EXPECT_EQ(r.moves, before.moves);
}

TEST(RecordMove, PlayerMoveDiscardsTheStepsBackedOver) {
    GameRecord r;
    newGame(r);
    r.moves[3] = MoveText::fromString("g1-f3");
    r.plyCount = 0;
    const MoveOutcome outcome = play(r, 5, 2, 5, 4);
    recordMove(r, buildMoveText(5, 2, 5, 4, kLowerPawn, false), outcome.state, true);
    EXPECT_TRUE(r.moves[3].empty());
}

TEST(NewGame, ResetsRecordPositionAndColour) {
    GameRecord r = setUp("4k3/8/8/8/8/8/8/3QK3 b - - 0 30", FenOrientation::blackLower);
    r.state |= 0x12340000u;
    r.whiteClock = 50;
    newGame(r);
    EXPECT_EQ(r.plyCount, 0);
    EXPECT_EQ(r.recordLength, 0);
    EXPECT_FALSE(r.playerIsBlack);
    EXPECT_EQ(r.state, 0x12340000u);
    EXPECT_EQ(r.whiteClock, 0);
    Position initial{};
    setInitialPosition(initial);
    EXPECT_EQ(r.current, initial);
}

}  // namespace
}  // namespace quorvel
