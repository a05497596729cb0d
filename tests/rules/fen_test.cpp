#include "rules/fen.h"

#include <gtest/gtest.h>

#include "played_games.h"

namespace quorvel {
namespace {

using testing::playedGame;
using testing::setUp;

struct Refusal {
    const char* fen;
    const char* message;
};

// Text that is no FEN and positions no game reaches get a message saying why.
TEST(FenLegality, RefusedPositionsSayWhy) {
    const Refusal rows[] = {
        {"", "la FEN est vide"},
        {"   ", "la FEN est vide"},
        {"4k3/8/8/8/8/8/8/4K3", "une FEN a de 2 à 6 champs"},
        {"4k3/8/8/8/8/8/8/4K4 w - - 0 1", "la rangée 1 a plus de 8 cases"},
        {"4k3/8/8/8/8/8/4K3 w - - 0 1", "l'échiquier n'a pas 8 rangées de 8 cases"},
        {"4k3/8/8/8/8/8/8/8 w - - 0 1", "les Blancs n'ont pas de roi"},
        {"4k2k/8/8/8/8/8/8/4K3 w - - 0 1", "les Noirs ont plus d'un roi"},
        {"4k2P/8/8/8/8/8/8/4K3 b - - 0 1", "un pion se trouve sur la première ou la dernière rangée"},
        {"rnbqkbnr/pppppppp/8/8/8/1N6/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "les Blancs ont plus de 16 pièces"},
        {"4k3/pppppppp/p7/8/8/8/8/4K3 w - - 0 1", "les Noirs ont plus de 8 pions"},
        {"8/8/8/3kK3/8/8/8/8 w - - 0 1", "les deux rois se touchent"},
        {"4k2R/8/8/8/8/8/8/4K3 w - - 0 1", "les Noirs sont en échec alors que les Blancs ont le trait"},
        {"4k3/4r3/8/8/8/8/8/4K3 b - - 0 1", "les Blancs sont en échec alors que les Noirs ont le trait"},
        {"4k3/8/8/8/8/8/8/4K3 x - - 0 1", "le trait doit être \u00AB w \u00BB ou \u00AB b \u00BB"},
        {"4k3/8/8/8/8/8/8/4K3 w KX - 0 1", "droits de roque invalides \u00AB KX \u00BB"},
        {"4k3/8/8/8/8/8/8/4K3 w - e9 0 1", "case en passant invalide \u00AB e9 \u00BB"},
        {"4k3/8/8/8/8/8/8/4K3 w - e6 0 1", "la case en passant e6 ne suit pas le pas double d'un pion"},
        {"4k3/8/8/8/8/8/8/4K3 w - - -1 1", "compteur de demi-coups invalide \u00AB -1 \u00BB"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 0", "numéro de coup invalide \u00AB 0 \u00BB"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 151", "le numéro de coup dépasse les 300 demi-coups d'une partie"},
        {"8/8/8/8/8/8/8/4K3 w - - 0 1", "les Noirs n'ont pas de roi"},
        {"4k3/8/8/8/8/8/8/p3K3 w - - 0 1", "un pion se trouve sur la première ou la dernière rangée"},
        {"8/8/8/3k4/3K4/8/8/8 w - - 0 1", "les deux rois se touchent"},  // on a file
        {"4k3/8/8/8/8/P7/PPPPPPPP/4K3 w - - 0 1", "les Blancs ont plus de 8 pions"},
        {"4k3/8/8/8/8/8/8/4K3 w - e3 0 1", "case en passant invalide \u00AB e3 \u00BB"},
        {"4k3/8/8/8/8/8/8/4K3 b - e6 0 1", "case en passant invalide \u00AB e6 \u00BB"},
        // The pawn that has just stepped twice crossed two empty squares.
        {"4k3/8/4n3/4pP2/8/8/8/4K3 w - e6 0 2", "la case en passant e6 ne suit pas le pas double d'un pion"},
        {"4k3/4n3/8/4pP2/8/8/8/4K3 w - e6 0 2", "la case en passant e6 ne suit pas le pas double d'un pion"},
        {"4k3/8/8/8/3Pp3/3N4/8/4K3 b - d3 0 1", "la case en passant d3 ne suit pas le pas double d'un pion"},
        {"4k3/8/8/8/3Pp3/8/3N4/4K3 b - d3 0 1", "la case en passant d3 ne suit pas le pas double d'un pion"},
    };
    for (const Refusal& row : rows) {
        const auto parsed = parseLegalFen(row.fen, FenOrientation::whiteLower);
        const auto* error = std::get_if<FenError>(&parsed);
        ASSERT_NE(error, nullptr) << row.fen;
        EXPECT_EQ(error->message, row.message) << row.fen;
    }
}

// The other side of each limit above: read, and written back the same.
TEST(FenLegality, PositionsAtTheEdgeOfEachLimitAreTaken) {
    const char* fens[] = {
        kStartFen,                                                       // 16 men and 8 pawns a side
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1",      // Black to move first
        "4k3/8/8/8/8/8/8/4K3 b - - 0 150",                               // the record's last half-move
        "8/8/8/3k4/8/4K3/8/8 w - - 0 1",                                 // kings a knight's move apart
        "8/8/8/2k5/4K3/8/8/8 w - - 0 1",                                 // two files apart
        "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3",  // en passant, White to take
        "rnbqkbnr/pppp1ppp/8/8/3Pp3/8/PPP2PPP/RNBQKBNR b KQkq d3 0 3",   // and Black
        // A capture en passant the pin forbids: the double step still happened.
        "4r1k1/8/8/3pP3/8/8/8/4K3 w - d6 0 2",
        "8/8/8/K2pP2r/8/8/8/6k1 w - d6 0 2",
        "4k3/8/8/8/8/8/8/4K3 w - - 1000 1",
    };
    for (const char* fen : fens) {
        const auto parsed = parseLegalFen(fen, FenOrientation::whiteLower);
        const auto* error = std::get_if<FenError>(&parsed);
        ASSERT_EQ(error, nullptr) << fen << ": " << error->message;
        EXPECT_EQ(formatFen(std::get<FenSetup>(parsed).record), fen);
    }
}

// The rook on g1 may come to h1 later: a right dropped for want of a rook at
// home stays lost, whatever the number of fields the FEN was written with.
TEST(FenLegality, ADroppedRightStaysLostWhenARookComesHome) {
    for (const char* fen : {"4k3/8/8/8/8/8/8/R3K1R1 w KQ", "4k3/8/8/8/8/8/8/R3K1R1 w KQ -",
                            "4k3/8/8/8/8/8/8/R3K1R1 w KQ - 0", "4k3/8/8/8/8/8/8/R3K1R1 w KQ - 0 1"}) {
        SCOPED_TRACE(fen);
        auto parsed = parseLegalFen(fen, FenOrientation::whiteLower);
        ASSERT_TRUE(std::holds_alternative<FenSetup>(parsed));
        GameRecord r = std::get<FenSetup>(parsed).record;
        keepSetupInHistory(r);
        testing::playSan(r, "Rh1 Kd7");
        const ChessPosition now = positionAtPly(r, r.plyCount);
        EXPECT_EQ(std::get<SanError>(readSan(now.board, now.state, true, "O-O")), SanError::illegal);
        EXPECT_TRUE(std::holds_alternative<LegalMove>(readSan(now.board, now.state, true, "O-O-O")));
    }
}

TEST(FenLegality, CastlingRightsWithoutTheirKingOrRookAreDropped) {
    const auto parsed = parseLegalFen("r3k3/8/8/8/8/8/8/RN2K1B1 w KQkq - 0 9", FenOrientation::whiteLower);
    ASSERT_TRUE(std::holds_alternative<FenSetup>(parsed));
    EXPECT_EQ(formatFen(std::get<FenSetup>(parsed).record), "r3k3/8/8/8/8/8/8/RN2K1B1 w Qq - 0 9");
    EXPECT_TRUE(std::get<FenSetup>(parsed).record.current[kLowerRookHMovedCell]);
    // Nor does a side that has castled keep one, whatever its king-moved cell
    // says (a game file may hold such a board): the rules refuse it.
    GameRecord castled = setUp("4k3/8/8/8/8/8/8/4K2R w K - 0 9");
    castled.history[15][kLowerCastledCell] = 1;
    EXPECT_EQ(formatFen(castled), "4k3/8/8/8/8/8/8/4K2R w - - 0 9");
}

TEST(FenLegality, TheEngineBenchmarkStillReadsItsOwnPositions) {
    // The side not to move in check: refused from a user, but the plain
    // reader keeps reading the boards the engine's fixed benchmark uses.
    const char* fen = "8/8/8/8/8/2K5/1p6/1k1Q4 w - - 0 60";
    EXPECT_TRUE(std::holds_alternative<FenSetup>(parseFen(fen, FenOrientation::sideToMoveUpper)));
    EXPECT_TRUE(std::holds_alternative<FenError>(parseLegalFen(fen, FenOrientation::sideToMoveUpper)));
}

// A position read and written again gives the same FEN, whichever army the
// board holds as the lower side.
TEST(FenCopy, ReadAndWrittenAgainInEveryOrientation) {
    const char* fens[] = {
        kStartFen,
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2",
        "rnbqkbnr/pppp1ppp/8/8/3pP3/8/PPP2PPP/RNBQKBNR b Kq e3 0 3",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 b - - 37 61",
        "r3k3/8/8/8/8/8/8/4K2R w Kq - 5 40",
    };
    for (const char* fen : fens) {
        for (auto orientation : {FenOrientation::whiteLower, FenOrientation::blackLower,
                                 FenOrientation::sideToMoveLower, FenOrientation::sideToMoveUpper}) {
            EXPECT_EQ(formatFen(setUp(fen, orientation)), fen) << static_cast<int>(orientation);
        }
    }
}

TEST(FenCopy, CountersFollowTheMovesPlayedFromTheSetUp) {
    // Cross-checked with another engine's position display.
    GameRecord r = playedGame("Ra2 Kd8 e4 Kc7 Kd2", "4k3/8/8/8/8/8/4P3/R3K3 w Q - 7 20");
    EXPECT_EQ(formatFen(r), "8/2k5/8/8/4P3/8/R2K4/8 b - - 2 22");
    GameRecord castled = playedGame("O-O O-O-O Rxf5", "r3k2r/8/8/5p2/8/8/8/R3K2R w KQkq - 0 5");
    EXPECT_EQ(formatFen(castled), "2kr3r/8/8/5R2/8/8/8/R5K1 b - - 0 6");
    // The set-up position's own clock counts until a capture or a pawn move.
    GameRecord quiet = playedGame("Kd1 Kd8", "4k3/8/8/8/8/8/8/4K2R w - - 40 30");
    EXPECT_EQ(formatFen(quiet), "3k4/8/8/8/8/8/8/3K3R w - - 42 31");
}

TEST(FenCopy, AStartAtMoveOneIsKeptAsMoveTwoAndTheInitialPositionAsANewGame) {
    // The game file holds no position before its first half-move.
    GameRecord puzzle = setUp("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", FenOrientation::sideToMoveLower);
    keepSetupInHistory(puzzle);
    EXPECT_EQ(puzzle.plyCount, 2);
    EXPECT_EQ(setupPly(puzzle), 2);
    EXPECT_EQ(formatFen(puzzle), "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 2");
    GameRecord start = setUp(kStartFen);
    keepSetupInHistory(start);
    EXPECT_EQ(start.plyCount, 0);
    EXPECT_EQ(setupPly(start), 0);
    GameRecord blackFirst = setUp("6k1/5ppp/8/8/8/8/8/R5K1 b - - 3 1");
    keepSetupInHistory(blackFirst);
    EXPECT_EQ(blackFirst.plyCount, 1);
    EXPECT_EQ(formatFen(blackFirst), "6k1/5ppp/8/8/8/8/8/R5K1 b - - 3 1");
}

}  // namespace
}  // namespace quorvel
