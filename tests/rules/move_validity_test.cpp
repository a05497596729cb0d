#include "rules/move_validity.h"

#include <gtest/gtest.h>

#include "rules/perft.h"
#include "test_positions.h"

namespace quorvel {
namespace {

using testing::setUp;

bool valid(const GameRecord& r, int fx, int fy, int tx, int ty, bool attack = false) {
    return checkMove(r.current, r.state, fx, fy, tx, ty, attack).valid;
}

bool legal(const GameRecord& r, bool upper, int fx, int fy, int tx, int ty) {
    for (const LegalMove& m : legalMoves(r.current, r.state, upper)) {
        if (m.fromX == fx && m.fromY == fy && m.toX == tx && m.toY == ty) return true;
    }
    return false;
}

TEST(MoveTest, KingsAreNeverCapturedAndAttackModeNeedsAKing) {
    const GameRecord r = setUp("4k3/8/8/8/8/8/4q3/4K3 w - - 0 1");
    EXPECT_FALSE(valid(r, 5, 2, 5, 1));        // queen onto the king: never a move
    EXPECT_TRUE(valid(r, 5, 2, 5, 1, true));   // but it attacks it
    EXPECT_FALSE(valid(r, 5, 2, 4, 1, true));  // attack mode onto an empty square
    EXPECT_FALSE(valid(r, 5, 2, 5, 2));        // same square
    EXPECT_FALSE(valid(r, 3, 3, 4, 4));        // empty from-square
}

TEST(MoveTest, KnightsJumpAndSlidersNeedAClearPath) {
    const GameRecord r = setUp("4k3/8/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1");
    EXPECT_TRUE(valid(r, 2, 1, 3, 3));
    EXPECT_FALSE(valid(r, 2, 1, 2, 3));
    EXPECT_FALSE(valid(r, 1, 1, 1, 4));  // rook blocked by its own pawn
    EXPECT_FALSE(valid(r, 3, 1, 5, 3));  // bishop blocked
    EXPECT_FALSE(valid(r, 4, 1, 4, 3));  // queen blocked
    const GameRecord open = setUp("4k3/8/8/8/8/8/8/R2QKB2 w - - 0 1");
    EXPECT_TRUE(valid(open, 1, 1, 1, 8));
    EXPECT_TRUE(valid(open, 4, 1, 8, 5));
    EXPECT_FALSE(valid(open, 1, 1, 5, 1));  // own king in the way and as target
    EXPECT_FALSE(valid(open, 6, 1, 6, 3));  // bishop off its diagonal
}

TEST(MoveTest, PawnSteps) {
    const GameRecord r = setUp("4k3/p7/1P6/8/8/2p5/2P5/4K3 b - - 0 1");
    EXPECT_TRUE(valid(r, 1, 7, 1, 5));   // upper pawn two rows
    EXPECT_TRUE(valid(r, 1, 7, 2, 6));   // capture
    EXPECT_FALSE(valid(r, 3, 2, 3, 3));  // blocked straight ahead
    EXPECT_FALSE(valid(r, 3, 2, 3, 4));
    EXPECT_FALSE(valid(r, 1, 7, 1, 8));  // backwards
    const GameRecord blocked = setUp("4k3/p7/N7/8/8/8/8/4K3 b - - 0 1");
    EXPECT_FALSE(valid(blocked, 1, 7, 1, 5));  // row 6 occupied, row 5 empty
}

TEST(MoveTest, EnPassantOnlyRightAfterTheDoubleStep) {
    const GameRecord r = setUp("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2");
    EXPECT_TRUE(valid(r, 5, 5, 4, 6));
    const GameRecord late = setUp("4k3/8/8/3pP3/8/8/8/4K3 w - - 0 2");
    EXPECT_FALSE(valid(late, 5, 5, 4, 6));
}

TEST(MoveTest, CastlingConditionsIgnoreCheck) {
    const GameRecord r = setUp("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
    EXPECT_EQ(checkMove(r.current, r.state, 5, 1, 7, 1, false).castling, Castling::kingSide);
    EXPECT_EQ(checkMove(r.current, r.state, 5, 1, 3, 1, false).castling, Castling::queenSide);
    EXPECT_EQ(checkMove(r.current, r.state, 5, 1, 6, 1, false).castling, Castling::none);
    const GameRecord inCheck = setUp("4r1k1/8/8/8/8/8/8/4K2R w K - 0 1");
    EXPECT_EQ(checkMove(inCheck.current, inCheck.state, 5, 1, 7, 1, false).castling, Castling::kingSide);
    const GameRecord moved = setUp("4k3/8/8/8/8/8/8/R3K2R w Q - 0 1");
    EXPECT_FALSE(valid(moved, 5, 1, 7, 1));
}

TEST(AttackTest, TrialMoveCapturingTheAttackerRemovesTheAttack) {
    const GameRecord r = setUp("4k3/8/8/8/8/8/3q4/4K3 w - - 0 1");
    EXPECT_TRUE(kingAttacked(r.current, r.state, 0, 0, 0, 0, 0, 0, 0, 0, false));
    EXPECT_FALSE(kingAttacked(r.current, r.state, 5, 1, 4, 2, 0, 0, 0, 0, false));
    EXPECT_TRUE(kingAttacked(r.current, r.state, 5, 1, 5, 2, 0, 0, 0, 0, false));
    const GameRecord noKing = setUp("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    Position empty = noKing.current;
    empty.at(5, 1) = 0;
    EXPECT_FALSE(kingAttacked(empty, 0, 0, 0, 0, 0, 0, 0, 0, 0, false));
}

TEST(Castling, RefusedThroughASquareAPawnAttacksDiagonally) {
    // The black pawn on e2 attacks f1: no king-side castling in chess.
    const GameRecord r = setUp("4k3/8/8/8/8/8/4p3/R3K2R w KQ - 0 1");
    EXPECT_FALSE(castlingAllowed(r.current, r.state, false, Castling::kingSide));
}

TEST(Castling, AnAttackedBFileSquareDoesNotStopTheQueenSide) {
    const GameRecord r = setUp("1r2k3/8/8/8/8/8/8/R3K3 w Q - 0 1");
    EXPECT_TRUE(castlingAllowed(r.current, r.state, false, Castling::queenSide));
    const GameRecord d1 = setUp("3rk3/8/8/8/8/8/8/R3K3 w Q - 0 1");
    EXPECT_FALSE(castlingAllowed(d1.current, d1.state, false, Castling::queenSide));
}

TEST(Castling, RefusedInCheckAndAfterCastlingOnce) {
    const GameRecord check = setUp("4r1k1/8/8/8/8/8/8/4K2R w K - 0 1");
    EXPECT_FALSE(castlingAllowed(check.current, check.state, false, Castling::kingSide));
    GameRecord free = setUp("6k1/8/8/8/8/8/8/4K2R w K - 0 1");
    EXPECT_TRUE(castlingAllowed(free.current, free.state, false, Castling::kingSide));
    EXPECT_FALSE(castlingAllowed(free.current, free.state | kLowerCastled, false, Castling::kingSide));
}

TEST(EnPassantSafety, CaptureExposingTheKingAlongTheRankIsRefused) {
    // Taking d6 en passant would empty the fifth rank between the rook and the king.
    const GameRecord r = setUp("8/8/8/K2pP2r/8/8/8/7k w - d6 0 2");
    EXPECT_TRUE(valid(r, 5, 5, 4, 6));
    EXPECT_FALSE(legal(r, false, 5, 5, 4, 6));
}

TEST(EnPassantSafety, CaptureOfTheCheckingPawnIsAnEscape) {
    // The black pawn that just arrived on d5 gives check; exd6 e.p. removes it.
    const GameRecord r = setUp("8/8/8/3pP3/4K3/8/8/7k w - d6 0 2");
    EXPECT_TRUE(kingAttacked(r.current, r.state, 0, 0, 0, 0, 0, 0, 0, 0, false));
    EXPECT_TRUE(legal(r, false, 5, 5, 4, 6));
}

}  // namespace
}  // namespace quorvel
