#include "rules/spoken_texts.h"

#include <gtest/gtest.h>

#include "rules/move_recording.h"
#include "rules/uci_move.h"
#include "test_positions.h"

namespace quorvel {
namespace {

ChessPosition chessPosition(const char* fen) {
    const GameRecord r = testing::setUp(fen);
    return positionAtPly(r, r.plyCount);
}

LegalMove moveOf(const ChessPosition& p, const char* uci) {
    const auto move = findUciMove(p.board, p.state, !p.whiteToMove, false, uci);
    EXPECT_TRUE(move) << uci;
    return move.value_or(LegalMove{});
}

struct MoveRow {
    const char* fen;
    const char* uci;
    MoveEnding ending;
    const char* words;
};

TEST(SpokenTexts, EachMoveInWords) {
    const MoveRow rows[] = {
        {kStartFen, "g1f3", MoveEnding::none, "Cavalier f3"},
        {kStartFen, "e2e4", MoveEnding::none, "Pion e4"},
        {"rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 2", "e4d5", MoveEnding::none,
         "Pion prend d5"},
        // Two pawns can take on d5: the file says which.
        {"rnbqkbnr/ppp1pppp/8/3p4/2P1P3/8/PP1P1PPP/RNBQKBNR w KQkq d6 0 2", "c4d5", MoveEnding::none,
         "Pion c prend d5"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", MoveEnding::none, "Petit roque"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", MoveEnding::none, "Grand roque"},
        {"3k4/8/8/8/8/8/8/3QK3 w - - 0 1", "d1d7", MoveEnding::check, "Dame d7, échec"},
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", MoveEnding::checkmate,
         "Tour a8. Échec et mat, les Blancs gagnent"},
        {"r5k1/8/8/8/8/8/5PPP/6K1 b - - 0 1", "a8a1", MoveEnding::checkmate,
         "Tour a1. Échec et mat, les Noirs gagnent"},
        {"7k/8/5K2/8/8/8/8/6Q1 w - - 0 1", "g1g6", MoveEnding::stalemate, "Dame g6. Pat"},
        {"4k3/8/8/8/8/8/8/4K1N1 w - - 0 1", "g1f3", MoveEnding::repetition,
         "Cavalier f3. Partie nulle par répétition"},
        {"4k3/8/8/8/8/8/8/4K1N1 w - - 0 1", "g1f3", MoveEnding::fiftyMoves,
         "Cavalier f3. Partie nulle par la règle des cinquante coups"},
        {"4k3/8/8/8/8/8/8/4KBN1 w - - 0 1", "f1b5", MoveEnding::insufficientMaterial,
         "Fou b5. Partie nulle, matériel insuffisant"},
        // Promotions and en passant have their own words.
        {"2r1k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7b8q", MoveEnding::none, "Pion b8, promotion en dame"},
        {"2r1k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7c8n", MoveEnding::none,
         "Pion prend c8, promotion en cavalier"},
        {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", "e5f6", MoveEnding::none,
         "Pion prend f6 en passant"},
        // The rival's letter or digit, as the notation writes it.
        {"4k3/8/8/8/8/8/8/1N3NK1 w - - 0 1", "b1d2", MoveEnding::none, "Cavalier b d2"},
        {"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3", MoveEnding::none, "Tour 1 a3"},
        {"4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "a1b2", MoveEnding::none, "Dame a1 b2"},
        {"4k3/8/8/8/3p4/2N5/8/4K3 w - - 0 1", "c3d5", MoveEnding::none, "Cavalier d5"},
        {"4k3/8/8/3p4/8/2N5/8/4K3 w - - 0 1", "c3d5", MoveEnding::none, "Cavalier prend d5"},
    };
    for (const MoveRow& row : rows) {
        const ChessPosition p = chessPosition(row.fen);
        EXPECT_EQ(spokenMove(p, moveOf(p, row.uci), row.ending), row.words) << row.fen << " " << row.uci;
    }
}

// The record's last move, its ending found by the rules, in both colours
// the player may have.
TEST(SpokenTexts, TheRecordsLastMoveWithItsEnding) {
    struct Row {
        const char* fen;
        const char* uci;
        bool byComputer;
        const char* words;
    };
    const Row rows[] = {
        {kStartFen, "e2e4", false, "Pion e4"},
        {kStartFen, "g1f3", true, "Cavalier f3"},
        {"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2", "d8h4", true,
         "Dame h4. Échec et mat, les Noirs gagnent"},
        {"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2", "d8h4", false,
         "Dame h4. Échec et mat, les Noirs gagnent"},
        {"3k4/8/8/8/8/8/8/3QK3 w - - 0 1", "d1d7", false, "Dame d7, échec"},
        {"7k/8/5K2/8/8/8/8/6Q1 w - - 0 1", "g1g6", true, "Dame g6. Pat"},
        {"4k3/8/8/8/8/8/8/4KB2 w - - 0 1", "f1b5", false, "Fou b5. Partie nulle, matériel insuffisant"},
    };
    for (const Row& row : rows) {
        GameRecord r = testing::setUp(row.fen);
        keepSetupInHistory(r);
        const ChessPosition before = positionAtPly(r, r.plyCount);
        ASSERT_TRUE(recordChessMove(r, moveOf(before, row.uci), row.byComputer)) << row.uci;
        EXPECT_EQ(spokenLastMove(r), row.words) << row.fen << " " << row.uci;
    }
}

TEST(SpokenTexts, TheSameBoardComingBackIsSaidOnce) {
    GameRecord r = testing::setUp(kStartFen);
    const char* shuffle[] = {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"};
    for (const char* uci : shuffle) {
        const ChessPosition before = positionAtPly(r, r.plyCount);
        ASSERT_TRUE(recordChessMove(r, moveOf(before, uci), r.plyCount % 2 == 1));
    }
    EXPECT_EQ(endingOf(r), MoveEnding::repetition);
    EXPECT_EQ(spokenLastMove(r), "Cavalier g8. Partie nulle par répétition");
}

TEST(SpokenTexts, TheStateOnRequest) {
    GameRecord r = testing::setUp(kStartFen);
    EXPECT_EQ(spokenLastMoveReport(r), "Aucun coup joué");
    ASSERT_TRUE(recordChessMove(r, moveOf(positionAtPly(r, 0), "e2e4"), false));
    EXPECT_EQ(spokenLastMoveReport(r), "Dernier coup, Blancs : Pion e4");
    ASSERT_TRUE(recordChessMove(r, moveOf(positionAtPly(r, 1), "g8f6"), true));
    EXPECT_EQ(spokenLastMoveReport(r), "Dernier coup, Noirs : Cavalier f6");

    const Position start = positionAtPly(testing::setUp(kStartFen), 0).board;
    EXPECT_EQ(spokenPieces(start, true),
              "Blancs : roi e1, dame d1, tours a1 et h1, fous c1 et f1, cavaliers b1 et g1, "
              "pions a2, b2, c2, d2, e2, f2, g2 et h2");
    const Position ending = chessPosition("6k1/5pp1/8/8/8/8/8/R5K1 w - - 0 1").board;
    EXPECT_EQ(spokenPieces(ending, false), "Noirs : roi g8, pions f7 et g7");
    EXPECT_EQ(spokenPieces(ending, true), "Blancs : roi g1, tour a1");

    struct ClockRow {
        int white, black;
        const char* words;
    };
    const ClockRow clocks[] = {
        {0, 0, "Blancs : 0 seconde. Noirs : 0 seconde"},
        {1, 61, "Blancs : 1 seconde. Noirs : 1 minute 1 seconde"},
        {125, 120, "Blancs : 2 minutes 5 secondes. Noirs : 2 minutes"},
        {3600, 7322, "Blancs : 1 heure. Noirs : 2 heures 2 minutes 2 secondes"},
    };
    for (const ClockRow& row : clocks) EXPECT_EQ(spokenClocks(row.white, row.black), row.words);

    EXPECT_EQ(squareContents(start, 5, 2), "e2, pion blanc");
    EXPECT_EQ(squareContents(start, 4, 8), "d8, dame noire");
    EXPECT_EQ(squareContents(start, 8, 1), "h1, tour blanche");
    EXPECT_EQ(squareContents(start, 7, 8), "g8, cavalier noir");
    EXPECT_EQ(squareContents(start, 5, 4), "e4, vide");
}

}  // namespace
}  // namespace quorvel
