#include <gtest/gtest.h>

#include "played_games.h"
#include "rules/game_outcome.h"

namespace quorvel {
namespace {

using testing::playedGame;
using testing::playSan;
using testing::setUp;

TEST(Repetition, TheSamePositionThreeTimesWhateverTheMoveOrder) {
    // The start position comes back through the king's knights, then the
    // queen's: a third time at the eighth half-move, with no back-and-forth.
    GameRecord r = playedGame("Nf3 Nf6 Ng1 Ng8 Nc3");
    EXPECT_EQ(repetitionCount(r), 1);
    playSan(r, "Nc6 Nb1");
    EXPECT_EQ(drawReason(r), DrawReason::none);
    playSan(r, "Nb8");
    EXPECT_EQ(repetitionCount(r), 3);
    EXPECT_EQ(drawReason(r), DrawReason::repetition);
}

TEST(Repetition, PositionsDifferingInCastlingRightsAreNotTheSame) {
    // The rooks' trip loses the king-side castling of both sides: the
    // board after 3...Rh8 is the one after 1...Nf6, the rights are not.
    GameRecord r = playedGame("Nf3 Nf6 Rg1 Rg8 Rh1 Rh8 Ng1 Ng8 Nf3 Nf6");
    EXPECT_EQ(repetitionCount(r), 2);  // the board stood there three times
    playSan(r, "Ng1 Ng8 Nf3 Nf6");
    EXPECT_EQ(repetitionCount(r), 3);
    EXPECT_EQ(drawReason(r), DrawReason::repetition);
}

TEST(Repetition, AnEnPassantCaptureMakesAPositionOfItsOwn) {
    // After 1...d5 White may take en passant; the same board later may not.
    GameRecord r = playedGame("d5 Nf3 Kd8 Ng1 Ke8 Nf3 Kd8 Ng1 Ke8", "4k3/3p4/8/4P3/8/8/8/4K1N1 b - - 0 30");
    EXPECT_EQ(repetitionCount(r), 2);
    EXPECT_EQ(drawReason(r), DrawReason::none);
    // A double step no pawn can answer leaves the position as it was:
    // after 1. e4 the board comes back twice without a double step.
    GameRecord start = playedGame("e4 Nf6 Nf3 Ng8 Ng1 Nf6 Nf3 Ng8 Ng1");
    EXPECT_EQ(repetitionCount(start), 3);
}

// The right to take en passant makes a position of its own only when the
// capture is legal: a pinned pawn, or one whose capture would open a rank
// onto its king, gives none. Each game brings the board after its first
// move back twice; `seen` is how often it stood there in all.
TEST(Repetition, OnlyALegalEnPassantCaptureMakesAPositionOfItsOwn) {
    struct Row {
        const char* name;
        const char* fen;
        const char* moves;
        int seen;
    };
    const Row rows[] = {
        {"taken from the left", "4k3/3p4/8/2P5/8/8/8/4K1N1 b - - 0 30", "d5 Nf3 Kd8 Ng1 Ke8 Nf3 Kd8 Ng1 Ke8",
         2},
        {"taken from the right", "4k3/3p4/8/4P3/8/8/8/4K1N1 b - - 0 30", "d5 Nf3 Kd8 Ng1 Ke8 Nf3 Kd8 Ng1 Ke8",
         2},
        {"taken by Black", "1n2k3/8/8/8/3p4/8/4P3/4K3 w - - 0 30", "e4 Nc6 Kf2 Nb8 Ke1 Nc6 Kf2 Nb8 Ke1", 2},
        {"the taker pinned on its file", "4r1k1/3p4/8/4P3/8/8/8/4K3 b - - 0 30",
         "d5 Kf1 Kg7 Ke1 Kg8 Kf1 Kg7 Ke1 Kg8", 3},
        {"both pawns leaving the king's rank", "4k3/3p4/8/K3P2r/8/8/8/8 b - - 0 30",
         "d5 Ka4 Kd8 Ka5 Ke8 Ka4 Kd8 Ka5 Ke8", 3},
        {"no pawn beside", "4k3/3p4/8/8/4P3/8/8/4K1N1 b - - 0 30", "d5 Nf3 Kd8 Ng1 Ke8 Nf3 Kd8 Ng1 Ke8", 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const GameRecord r = playedGame(row.moves, row.fen);
        ASSERT_EQ(r.plyCount, setupPly(r) + 9);
        EXPECT_EQ(repetitionCount(r), row.seen);
        EXPECT_EQ(drawReason(r), row.seen >= 3 ? DrawReason::repetition : DrawReason::none);
    }
}

TEST(FiftyMoves, AHundredHalfMovesWithoutCaptureOrPawnMove) {
    GameRecord r = playedGame("Kd1", "4k3/8/8/8/8/8/8/4K2R w - - 98 70");
    EXPECT_EQ(drawReason(r), DrawReason::none);
    playSan(r, "Kd8");
    EXPECT_EQ(halfMoveClock(r), 100);
    EXPECT_EQ(drawReason(r), DrawReason::fiftyMoves);
    // A pawn move starts the count again, the set-up's own clock with it.
    GameRecord pawn = playedGame("Kd1 Kd8 h3 Kc8", "4k3/8/8/8/8/8/7P/4K2R w - - 98 70");
    EXPECT_EQ(halfMoveClock(pawn), 1);
    EXPECT_EQ(drawReason(pawn), DrawReason::none);
    // Black's pawn moves count as White's do.
    GameRecord blackPawn = playedGame("Kd1 h6 Ke1", "4k3/7p/8/8/8/8/8/4K2R w - - 98 70");
    EXPECT_EQ(halfMoveClock(blackPawn), 1);
    EXPECT_EQ(drawReason(blackPawn), DrawReason::none);
}

// The game record holds 300 half-moves: a game that fills it is drawn.
TEST(GameResult, AFullRecordIsADraw) {
    GameRecord r = playedGame("Nf6", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 150");
    ASSERT_EQ(r.plyCount, GameRecord::kCapacity);
    EXPECT_EQ(drawReason(r), DrawReason::none);
    EXPECT_EQ(gameResult(r), GameResult::draw);
    r.plyCount = GameRecord::kCapacity - 1;
    EXPECT_EQ(gameResult(r), GameResult::ongoing);
}

TEST(FiftyMoves, AMateOnTheHundredthHalfMoveIsAMate) {
    GameRecord r = playedGame("Ra8#", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 99 70");
    EXPECT_EQ(halfMoveClock(r), 100);
    EXPECT_EQ(drawReason(r), DrawReason::none);
    EXPECT_EQ(gameResult(r), GameResult::whiteWins);
}

TEST(InsufficientMaterial, OnlyWhatCanNeverMate) {
    struct Row {
        const char* fen;
        bool insufficient;
    };
    const Row rows[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", true},
        {"4k3/8/8/8/8/8/8/4KN2 w - - 0 1", true},
        {"4k3/8/8/8/8/8/8/4KB2 w - - 0 1", true},
        {"4kb2/8/8/8/8/8/8/2B1K3 w - - 0 1", true},  // bishops on squares of one colour
        {"4k3/8/8/8/8/8/8/B1B1K3 w - - 0 1", true},  // a1 and c1: both dark
        {"4kb2/8/8/8/8/8/8/3BK3 w - - 0 1", false},  // f8 dark, d1 light
        {"4k3/8/8/8/8/8/8/3NKN2 w - - 0 1", false},  // two knights
        {"4k3/8/8/8/8/8/8/3NKB2 w - - 0 1", false},
        {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", false},
        {"4k3/8/8/8/8/8/8/4K2R w - - 0 1", false},
        {"3qk3/8/8/8/8/8/8/4K3 w - - 0 1", false},
    };
    for (const Row& row : rows) {
        const GameRecord r = setUp(row.fen);
        EXPECT_EQ(insufficientMaterial(r.current), row.insufficient) << row.fen;
    }
    GameRecord capture = playedGame("Kxf3", "8/8/8/8/8/5Pk1/8/4K3 b - - 0 50");
    EXPECT_EQ(drawReason(capture), DrawReason::insufficientMaterial);
}

TEST(GameResult, MateStalemateDrawsAndGamesGoingOn) {
    EXPECT_EQ(resultToken(gameResult(playedGame("f3 e5 g4 Qh4#"))), std::string("0-1"));
    EXPECT_EQ(resultToken(gameResult(playedGame("Ra8#", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 5"))),
              std::string("1-0"));
    EXPECT_EQ(resultToken(gameResult(playedGame("Qb6", "k7/8/8/2Q5/8/8/8/4K3 w - - 0 5"))),
              std::string("1/2-1/2"));
    EXPECT_EQ(resultToken(gameResult(playedGame("Nf3 Nf6 Ng1 Ng8 Nf3 Nf6 Ng1 Ng8"))), std::string("1/2-1/2"));
    EXPECT_EQ(resultToken(gameResult(playedGame("e4 e5"))), std::string("*"));
}

}  // namespace
}  // namespace quorvel
