#include "rules/uci_position.h"

#include <gtest/gtest.h>

#include "rules/game_end.h"
#include "rules/uci_move.h"
#include "test_positions.h"

namespace quorvel {
namespace {

using testing::setUp;

struct MoveCase {
    const char* fen;
    const char* text;
    const char* expected;  // the text read back from the legal move found; nullptr: refused
};

// Each row is tried with White as the lower side and as the upper side.
const MoveCase kMoveCases[] = {
    {kStartFen, "e2e4", "e2e4"},
    {kStartFen, "g1f3", "g1f3"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", "e1g1"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1c1", "e1c1"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "e8c8"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1", "e1g1", nullptr},  // the right is gone
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2", "e5d6", "e5d6"},     // en passant
    {"3k4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8n", "e7e8n"},
    {"3k4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8Q", "e7e8q"},
    {"3k4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8", "e7e8q"},  // no letter: a queen
    {"4k3/8/8/8/8/8/1p6/4K3 b - - 0 1", "b2b1r", "b2b1r"},
    {"3k4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8k", nullptr},
    {kStartFen, "e2e4q", nullptr},  // a letter on a move that promotes nothing
    {kStartFen, "e2e5", nullptr},
    {kStartFen, "e7e5", nullptr},                          // the other side's pawn
    {"4k3/8/8/8/8/8/4r3/4K3 w - - 0 1", "e1d2", nullptr},  // into check
    {kStartFen, "e2", nullptr},
    {kStartFen, "i2i4", nullptr},
    {kStartFen, "e0e4", nullptr},
    {kStartFen, "e2e4e5", nullptr},
};

TEST(UciMoves, AreFoundAmongTheLegalMovesInBothOrientations) {
    for (const MoveCase& c : kMoveCases) {
        for (const auto orientation : {FenOrientation::whiteLower, FenOrientation::blackLower}) {
            const GameRecord r = setUp(c.fen, orientation);
            const bool whiteToMove = std::string(c.fen).find(" w ") != std::string::npos;
            const bool sideIsUpper = whiteToMove == r.playerIsBlack;
            const auto move = findUciMove(r.current, r.state, sideIsUpper, r.playerIsBlack, c.text);
            SCOPED_TRACE(std::string(c.fen) + " " + c.text + (r.playerIsBlack ? " (mirrored)" : ""));
            if (c.expected == nullptr) {
                EXPECT_FALSE(move.has_value());
            } else {
                ASSERT_TRUE(move.has_value());
                EXPECT_EQ(uciMoveOf(*move, r.playerIsBlack), c.expected);
            }
        }
    }
}

TEST(UciMoves, EngineTextsBecomeChessSquaresWithTheQueenPromotion) {
    // The engine is the upper side; with the player Black, the upper side is White.
    const GameRecord white = setUp("r3k2r/4P3/8/8/8/8/8/R3K2R w KQkq - 0 1", FenOrientation::blackLower);
    EXPECT_EQ(uciMoveOfText(white.current, MoveText::fromString("o-o"), true, true), "e1g1");
    EXPECT_EQ(uciMoveOfText(white.current, MoveText::fromString("o-o-o"), false, true), "e8c8");
    EXPECT_EQ(uciMoveOfText(white.current, MoveText::fromString("e2-e1"), true, true), "e7e8q");
    EXPECT_EQ(uciMoveOfText(white.current, MoveText::fromString("a1-a2"), true, true), "a8a7");
    const GameRecord black = setUp("4k3/8/8/8/8/8/1p6/4K3 b - - 0 1", FenOrientation::whiteLower);
    EXPECT_EQ(uciMoveOfText(black.current, MoveText::fromString("b2xa1"), true, false), "b2a1q");
    EXPECT_EQ(uciMoveOfText(black.current, MoveText::fromString("    "), true, false), "");
}

const GameRecord& recordOf(const UciPositionResult& result) {
    static const GameRecord empty{};
    return result.position ? *result.position->record : empty;
}

TEST(UciPosition, MovesAreRecordedAsAGameWithTheEngineOnTop) {
    const auto result = setUpUciPosition("startpos moves e2e4 f7f6 d1h5");
    ASSERT_TRUE(result.position) << result.problem;
    EXPECT_TRUE(result.problem.empty());
    const GameRecord& r = recordOf(result);
    EXPECT_FALSE(result.position->engineIsWhite);
    EXPECT_FALSE(r.playerIsBlack);  // Black, the engine, is the upper side
    EXPECT_TRUE(result.position->fromInitialPosition);
    ASSERT_EQ(r.plyCount, 3);
    EXPECT_EQ(r.moves[0].str(), "e2-e4");
    EXPECT_EQ(r.moves[1].str(), "f7-f6");
    EXPECT_EQ(r.moves[2].str(), "d1-h5+");  // with its check mark, as in a game played on the board
    EXPECT_EQ(r.current.at(8, 5), kLowerQueen);
    EXPECT_EQ(r.history[2].at(8, 5), kLowerQueen);
    // A mate gets the second mark.
    EXPECT_EQ(recordOf(setUpUciPosition("startpos moves f2f3 e7e5 g2g4 d8h4")).moves[3].str(), "d8-h4++");
}

TEST(UciPosition, WhiteToMoveMirrorsTheBoard) {
    const auto result = setUpUciPosition("startpos moves e2e4 e7e5");
    const GameRecord& r = recordOf(result);
    EXPECT_TRUE(result.position->engineIsWhite);
    EXPECT_TRUE(r.playerIsBlack);
    EXPECT_EQ(r.current.at(5, 8), kUpperKing);  // e1 on the top row
    EXPECT_EQ(r.current.at(5, 5), kUpperPawn);  // the pawn on e4
    EXPECT_EQ(r.moves[0].str(), "e2-e4");       // the record keeps chess ranks
}

TEST(UciPosition, BookOnlyFromTheInitialPosition) {
    EXPECT_TRUE(
        setUpUciPosition(std::string("fen ") + kStartFen + " moves e2e4").position->fromInitialPosition);
    EXPECT_FALSE(setUpUciPosition("fen 4k3/8/8/8/8/8/8/4K2R w K - 0 1").position->fromInitialPosition);
    EXPECT_FALSE(setUpUciPosition("fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 5")
                     .position->fromInitialPosition);
}

TEST(UciPosition, AnIllegalMoveEndsTheListAndIsNamed) {
    const auto result = setUpUciPosition("startpos moves e2e4 e7e6 e4e6 g1f3");
    ASSERT_TRUE(result.position);
    EXPECT_NE(result.problem.find("e4e6"), std::string::npos);
    EXPECT_EQ(recordOf(result).plyCount, 2);
    EXPECT_TRUE(result.position->engineIsWhite);
}

TEST(UciPosition, MalformedStartsAreRefused) {
    for (const char* arguments :
         {"", "banana", "fen", "fen xyz w - - 0 1", "startpos junk e2e4", "fen 4k3/8/8/8/8/8/8/4K3 x - - 0 1",
          // the side not to move stands in check
          "fen 4k3/8/8/8/8/8/8/4K2r b - - 0 1",
          // positions no game reaches: 17 white men, an en-passant square behind no pawn
          "fen 4k3/8/8/8/QQQQQQQQ/QQQQQQQQ/8/4K3 b - - 0 1", "fen 4k3/8/8/8/8/8/8/4K3 w - d6 0 1"}) {
        const auto result = setUpUciPosition(arguments);
        EXPECT_FALSE(result.position) << arguments;
        EXPECT_FALSE(result.problem.empty()) << arguments;
    }
}

TEST(UciPosition, PastThreeHundredHalfMovesTheOldestAreLeftOut) {
    std::string arguments = "startpos moves";
    for (int i = 0; i < 100; ++i) arguments += " g1f3 g8f6 f3g1 f6g8";
    arguments += " e2e4";
    const auto result = setUpUciPosition(arguments);
    ASSERT_TRUE(result.position) << result.problem;
    const GameRecord& r = recordOf(result);
    EXPECT_EQ(r.plyCount, 299);  // room for the engine's answer
    EXPECT_EQ(r.recordLength, r.plyCount);
    EXPECT_EQ(result.position->droppedHalfMoves, 401 - 299);
    EXPECT_FALSE(result.position->engineIsWhite);
    EXPECT_EQ(r.moves[298].str(), "e2-e4");
    EXPECT_EQ(r.moves[297].str(), "f6-g8");
    EXPECT_EQ(r.current.at(5, 4), kLowerPawn);

    // The shuffle without the last move: the repetition is seen.
    std::string shuffle = "startpos moves";
    for (int i = 0; i < 100; ++i) shuffle += " g1f3 g8f6 f3g1 f6g8";
    const auto shuffled = setUpUciPosition(shuffle);
    const GameRecord& repeated = recordOf(shuffled);
    EXPECT_EQ(repeated.plyCount, 298);  // an even count too leaves room for the answer
    EXPECT_EQ(repeated.recordLength, repeated.plyCount);
    EXPECT_TRUE(isRepetition(repeated, repeated.plyCount - 1));
}

TEST(UciPosition, ALateMoveNumberStillFits) {
    const auto result = setUpUciPosition("fen 4k3/8/8/8/8/8/8/4K2R b K - 3 250 moves e8d7");
    ASSERT_TRUE(result.position) << result.problem;
    const GameRecord& r = recordOf(result);
    EXPECT_LT(r.plyCount, GameRecord::kCapacity);
    EXPECT_EQ(r.plyCount % 2, 0);  // White to move
    EXPECT_TRUE(result.position->engineIsWhite);
}

}  // namespace
}  // namespace quorvel
