#include "rules/notation.h"

#include <gtest/gtest.h>

#include "rules/move_application.h"
#include "rules/move_recording.h"
#include "test_positions.h"

namespace quorvel {
namespace {

using testing::setUp;

MoveText marked(const char* text, const char* markers = "") {
    MoveText m = MoveText::fromString(text);
    for (int i = 0; markers[i] != 0; ++i) m[5 + i] = markers[i];
    return m;
}

Position historyOf(const char* fen, FenOrientation orientation = FenOrientation::whiteLower) {
    GameRecord r = setUp(fen, orientation);
    Position p = r.current;
    p[0] = r.playerIsBlack ? kMarkerPlayerBlack : kMarkerPlayerWhite;
    return p;
}

TEST(Coordinates, ShowTheStoredTextWithItsMarkers) {
    const Position p = historyOf("4k3/8/8/8/4P3/8/8/4K3 b - - 0 1");
    EXPECT_EQ(formatMove(marked("e2-e4", "+"), p, 0, false, false), "e2-e4+");
    EXPECT_EQ(formatMove(marked("e2-e4", "+"), p, 0, true, false), ">e2-e4+<");
    EXPECT_EQ(formatMove(marked("e7-e6", "P"), p, 0, false, false), "e7-e6P");
    EXPECT_EQ(formatMove(MoveText{}, p, 0, true, false), " ");
}

TEST(Algebraic, PiecesPawnsCapturesAndMarks) {
    EXPECT_EQ(formatMove(marked("g1-f3"), historyOf("4k3/8/8/8/8/5N2/8/4K3 b - - 0 1"), 0, false, true),
              "Cf3");
    EXPECT_EQ(formatMove(marked("e4xd5"), historyOf("4k3/8/8/3P4/8/8/8/4K3 b - - 0 1"), 0, false, true),
              "exd5");
    EXPECT_EQ(formatMove(marked("e2-e4"), historyOf("4k3/8/8/8/4P3/8/8/4K3 b - - 0 1"), 0, false, true),
              "e4");
    EXPECT_EQ(formatMove(marked("d1-h5", "++"), historyOf("4k3/8/8/7Q/8/8/8/4K3 b - - 0 1"), 0, true, true),
              ">Dh5++<");
    EXPECT_EQ(formatMove(marked("e7-e6", "P"), historyOf("4k3/8/4p3/8/8/8/8/4K3 w - - 0 1"), 0, false, true),
              "e6");
}

TEST(Algebraic, RivalsAddTheirFileOrTheirRow) {
    // Rooks a1 (moved to d1) and h1 both reach d1.
    EXPECT_EQ(formatMove(marked("a1-d1"), historyOf("4k3/8/8/8/8/8/6K1/3R3R b - - 0 1"), 0, false, true),
              "Tad1");
    // Rook from a1 to a3 with the rival on a5: same file, so the row digit.
    EXPECT_EQ(formatMove(marked("a1-a3"), historyOf("4k3/8/8/R7/8/R7/8/6K1 b - - 0 1"), 0, false, true),
              "T1a3");
}

TEST(Algebraic, CastlingShowsAsItIsInBothNotations) {
    const Position p = historyOf("4k3/8/8/8/8/8/8/5RK1 b - - 0 1");
    EXPECT_EQ(formatMove(marked("o-o"), p, 0, false, true), "o-o");
    EXPECT_EQ(formatMove(marked("o-o-o", "+"), p, 0, false, true), "o-o-o+");
}

TEST(Algebraic, BlackPlayerHistoryIsReadWithItsRowsReversed) {
    // White's knight stands on f3 of the real board; the entry is held mirrored.
    const Position p = historyOf("4k3/8/8/8/8/5N2/8/4K3 b - - 0 1", FenOrientation::blackLower);
    ASSERT_EQ(p[0], kMarkerPlayerBlack);
    EXPECT_EQ(formatMove(marked("g1-f3"), p, 0, false, true), "Cf3");
}

TEST(BuildMoveText, Forms) {
    EXPECT_EQ(buildMoveText(5, 1, 7, 1, kLowerKing, false).str(), "o-o");
    EXPECT_EQ(buildMoveText(5, 8, 3, 8, kUpperKing, false).str(), "o-o-o");
    EXPECT_EQ(buildMoveText(5, 1, 6, 1, kLowerKing, false).str(), "e1-f1");
    EXPECT_EQ(buildMoveText(4, 4, 5, 5, kLowerPawn, true).str(), "d4xe5");
    EXPECT_EQ(longAlgebraic(MoveText::fromString("e7-e8"), true, kLowerQueen), "e7e8q");
    EXPECT_EQ(longAlgebraic(MoveText::fromString("o-o-o"), false), "e8c8");
}

// A promotion reads as one: the pawn's move and its new piece, in both
// notations, whoever promotes; a piece's own move to the last rank does not.
TEST(Promotion, NamesTheNewPieceInBothNotations) {
    struct Case {
        const char* fen;
        FenOrientation orientation;
        LegalMove move;  // on the chess board, rows the ranks
        bool byComputer;
        const char* coordinates;
        const char* algebraic;
        int kind;  // promotionAt
    };
    const Case cases[] = {
        {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1",
         FenOrientation::whiteLower,
         {1, 7, 1, 8, Castling::none, kLowerQueen},
         false,
         "a7-a8=D+",
         "a8=D+",
         kUpperQueen},
        {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1",
         FenOrientation::whiteLower,
         {1, 7, 2, 8, Castling::none, kLowerKnight},
         false,
         "a7xb8=C",
         "axb8=C",
         kUpperKnight},
        {"4k3/8/8/8/8/8/4p3/K7 b - - 0 1",
         FenOrientation::whiteLower,
         {5, 2, 5, 1, Castling::none, kUpperRook},
         true,
         "e2-e1=T+",
         "e1=T+",
         kUpperRook},
        {"4k3/8/8/8/8/8/4p3/K7 b - - 0 1",
         FenOrientation::blackLower,
         {5, 2, 5, 1, Castling::none, kLowerBishop},
         false,
         "e2-e1=F",
         "e1=F",
         kUpperBishop},
        {"4k3/Q7/8/8/8/8/8/4K3 w - - 0 1",
         FenOrientation::whiteLower,
         {1, 7, 1, 8},
         false,
         "a7-a8+",
         "Da8+",
         0},
        {"4k3/8/8/8/8/8/P7/4K3 w - - 0 1", FenOrientation::whiteLower, {1, 2, 1, 4}, false, "a2-a4", "a4", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.coordinates);
        GameRecord record = setUp(c.fen, c.orientation);
        keepSetupInHistory(record);  // as a pasted or imported position is kept
        ASSERT_TRUE(recordChessMove(record, c.move, c.byComputer));
        const int index = record.plyCount - 1;
        EXPECT_EQ(promotionAt(record, index), c.kind);
        EXPECT_EQ(formatRecordMove(record, index, false, false), c.coordinates);
        EXPECT_EQ(formatRecordMove(record, index, false, true), c.algebraic);
        EXPECT_EQ(formatRecordMove(record, index, true, false), std::string(">") + c.coordinates + "<");
        // The stored text stays the game file's: no piece letter in it.
        EXPECT_EQ(record.moves[static_cast<std::size_t>(index)].str().find('='), std::string::npos);
    }
}

}  // namespace
}  // namespace quorvel
