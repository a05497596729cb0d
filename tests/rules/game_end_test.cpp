#include "rules/game_end.h"

#include <gtest/gtest.h>

#include "rules/move_application.h"
#include "test_positions.h"

namespace quorvel {
namespace {

using testing::setUp;

TEST(GameEnd, FoolsMateIsMateForTheLowerSide) {
    const GameRecord r = setUp("rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3");
    EXPECT_TRUE(isCheckmated(r.current, r.state, false));
    EXPECT_FALSE(isStalemated(r.current, r.state, false));
    EXPECT_FALSE(isCheckmated(r.current, r.state, true));
}

TEST(GameEnd, KingWithoutMovesAndNotInCheckIsStalemated) {
    const GameRecord r = setUp("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
    EXPECT_TRUE(isStalemated(r.current, r.state, true));
    EXPECT_FALSE(isCheckmated(r.current, r.state, true));
    EXPECT_FALSE(isInCheck(r.current, r.state, true));
}

TEST(GameEnd, CastlingOutOfCheckIsNoEscape) {
    // Only castling would move the king off e1, and the king is in check.
    const GameRecord r = setUp("4r1k1/8/b7/8/b7/8/3P1P2/4K2R w K - 0 1");
    ASSERT_TRUE(isInCheck(r.current, r.state, false));
    EXPECT_TRUE(isCheckmated(r.current, r.state, false));
}

TEST(GameEnd, EnPassantCaptureOfTheCheckingPawnIsAnEscape) {
    const GameRecord r = setUp("8/8/8/2ppP3/3QK3/3PP3/8/7k w - d6 0 2");
    ASSERT_TRUE(isInCheck(r.current, r.state, false));
    EXPECT_FALSE(isCheckmated(r.current, r.state, false));
}

TEST(GameEnd, PositionWithoutAKingIsNeverInCheck) {
    GameRecord r = setUp("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    r.current.at(5, 1) = 0;
    EXPECT_FALSE(isInCheck(r.current, r.state, false));
    EXPECT_TRUE(isStalemated(r.current, r.state, false));
}

// Knights shuttling g1-f3-g1 and g8-f6-g8 after `before` other half-moves.
GameRecord shuffled(int before, int cycles) {
    GameRecord r;
    newGame(r);
    const char* opening[] = {"e2-e4", "e7-e5", "d2-d3", "d7-d6", "c2-c3"};
    int ply = 0;
    for (int i = 0; i < before; ++i) r.moves[ply++] = MoveText::fromString(opening[i]);
    const bool whiteFirst = before % 2 == 0;
    const char* white[] = {"g1-f3", "f3-g1"};
    const char* black[] = {"g8-f6", "f6-g8"};
    for (int i = 0; i < 2 * cycles; ++i) {
        const char* first = whiteFirst ? white[i % 2] : black[i % 2];
        const char* second = whiteFirst ? black[i % 2] : white[i % 2];
        r.moves[ply++] = MoveText::fromString(first);
        r.moves[ply++] = MoveText::fromString(second);
    }
    r.plyCount = r.recordLength = ply;
    return r;
}

TEST(Repetition, TwoBackAndForthCyclesAfterThreeMovesAreADraw) {
    const GameRecord r = shuffled(3, 2);
    EXPECT_EQ(r.plyCount, 11);
    EXPECT_TRUE(isRepetition(r, r.plyCount - 1));
    EXPECT_FALSE(isRepetition(r, r.plyCount - 2));  // one half-move fewer
    const GameRecord early = shuffled(2, 2);
    EXPECT_FALSE(isRepetition(early, early.plyCount - 1));  // fewer than 11 half-moves
}

TEST(Repetition, MarkersAndSeparatorsAreIgnored) {
    GameRecord r = shuffled(3, 2);
    r.moves[10][5] = '+';
    r.moves[6][2] = 'x';
    EXPECT_TRUE(isRepetition(r, 10));
}

TEST(Repetition, OtherMoveOrdersAndEmptyTextsAreNotDetected) {
    GameRecord r = shuffled(3, 2);
    std::swap(r.moves[3], r.moves[5]);
    EXPECT_FALSE(isRepetition(r, 10));
    GameRecord fromPosition;  // a game set up from a position: no texts at all
    fromPosition.plyCount = fromPosition.recordLength = 20;
    EXPECT_FALSE(isRepetition(fromPosition, 19));
}

}  // namespace
}  // namespace quorvel
