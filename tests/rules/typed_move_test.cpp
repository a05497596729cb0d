#include "rules/typed_move.h"

#include <gtest/gtest.h>

#include "rules/perft.h"
#include "rules/record_positions.h"
#include "rules/san.h"
#include "rules/uci_move.h"
#include "test_positions.h"

namespace quorvel {
namespace {

// The side to move is the human's, the lower side of the stored board:
// with Black to move the board is held mirrored.
GameRecord humanToMove(const char* fen) {
    return testing::setUp(fen, FenOrientation::sideToMoveLower);
}

TypedMoveResult typed(const GameRecord& r, const char* text) {
    return readTypedMove(r.current, r.state, r.playerIsBlack, text);
}

// The found move in chess coordinates: "g1f3", "e7e8" (promotion apart).
std::string squaresOf(const GameRecord& r, const TypedMove& m) {
    auto rank = [&](int row) { return static_cast<char>('0' + (r.playerIsBlack ? 9 - row : row)); };
    return {static_cast<char>('a' + m.fromX - 1), rank(m.fromY), static_cast<char>('a' + m.toX - 1),
            rank(m.toY)};
}

const char* kOpen = "r3k2r/pppq1ppp/2n2n2/3pp3/3PP3/2N2N2/PPPQ1PPP/R3K2R w KQkq - 0 1";
const char* kOpenBlack = "r3k2r/pppq1ppp/2n2n2/3pp3/3PP3/2N2N2/PPPQ1PPP/R3K2R b KQkq - 0 1";
const char* kPromote = "2r1k3/1P6/8/8/8/8/8/4K3 w - - 0 1";
const char* kPromoteBlack = "4k3/8/8/8/8/8/1p6/2R1K3 b - - 0 1";
const char* kPassant = "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3";

struct ReadRow {
    const char* fen;
    const char* text;
    const char* squares;    // the move found
    int promotionKind = 0;  // the piece the text names
};

TEST(TypedMove, EveryNotationAPlayerTypes) {
    const ReadRow rows[] = {
        // French algebraic
        {kStartFen, "Cf3", "g1f3"},
        {kStartFen, "e4", "e2e4"},
        {"4k3/8/8/4p3/8/2B5/8/4K3 w - - 0 1", "Fxe5", "c3e5"},
        {kOpen, "exd5", "e4d5"},
        {kOpen, "dxe5", "d4e5"},
        {kOpen, "Cxd5", "c3d5"},
        {kOpen, "Cg5", "f3g5"},
        {kOpen, "Dg5", "d2g5"},
        {kOpen, "Re2", "e1e2"},
        {"4k3/4r3/8/8/8/8/8/4K3 w - - 0 1", "Rf1", "e1f1"},
        {"4k3/8/8/2p1p3/3P4/8/8/4K3 w - - 0 1", "dxc5", "d4c5"},
        {"4k3/8/8/2p1p3/3P4/8/8/4K3 w - - 0 1", "dxe5", "d4e5"},
        {kOpen, "O-O", "e1g1"},
        {kOpen, "0-0-0", "e1c1"},
        {kOpen, "o-o", "e1g1"},
        {kPromote, "bxc8=D", "b7c8", kUpperQueen},
        {kPromote, "b8D", "b7b8", kUpperQueen},
        {kPromote, "b8=T", "b7b8", kUpperRook},
        {kPromote, "b8F", "b7b8", kUpperBishop},
        {kPromote, "b8=R", "b7b8", kUpperRook},  // the French king is no promotion: the English rook
        {kPromote, "bxc8C", "b7c8", kUpperKnight},
        // English SAN
        {kStartFen, "Nf3", "g1f3"},
        {kOpen, "Nxd5", "c3d5"},
        {kOpen, "Qg5", "d2g5"},
        {kOpen, "Ke2", "e1e2"},
        {"4k3/8/8/4p3/8/2B5/8/4K3 w - - 0 1", "Bxe5", "c3e5"},
        {"4k3/8/8/8/8/8/1P6/2B1K3 w - - 0 1", "b3", "b2b3"},
        {"4k3/8/8/8/8/8/1P6/2B1K3 w - - 0 1", "Bd2", "c1d2"},
        {kPromote, "b8=Q", "b7b8", kUpperQueen},
        {kPromote, "b8=N", "b7b8", kUpperKnight},
        {kPromote, "bxc8=R", "b7c8", kUpperRook},
        {kPromote, "b8(B)", "b7b8", kUpperBishop},
        // Coordinates
        {kStartFen, "g1f3", "g1f3"},
        {kStartFen, "g1-f3", "g1f3"},
        {kOpen, "e4xd5", "e4d5"},
        {kOpen, "e1g1", "e1g1"},
        {kPromote, "b7b8q", "b7b8", kUpperQueen},
        {kPromote, "b7-c8n", "b7c8", kUpperKnight},
        {kPromote, "b7b8", "b7b8"},  // the chooser asks for the piece
        {kPromote, "b8", "b7b8"},
        // Marks, blanks and case
        {kStartFen, " Cf3+ ", "g1f3"},
        {kOpen, "exd5!?", "e4d5"},
        {kOpen, "Cxd5#", "c3d5"},
        {kOpen, "O-O+", "e1g1"},
        {kStartFen, "E4", "e2e4"},
        {kStartFen, "NF3", "g1f3"},
        {kStartFen, "G1F3", "g1f3"},
        {kOpen, "EXD5", "e4d5"},
        {kStartFen, "nf3", "g1f3"},
        {kStartFen, "cf3", "g1f3"},  // no pawn goes from the c-file to f3
        {kOpen, "ce2", "c3e2"},      // nor from the c-file to e2
        {kPassant, "exf6", "e5f6"},
        {kPassant, "exf6 e.p.", "e5f6"},
        {kPassant, "e5f6", "e5f6"},
        // Black to move: the stored board is mirrored
        {kOpenBlack, "Cxe4", "f6e4"},
        {kOpenBlack, "exd4", "e5d4"},
        {kOpenBlack, "O-O-O", "e8c8"},
        {kOpenBlack, "e8g8", "e8g8"},
        {kOpenBlack, "Re7", "e8e7"},
        {kPromoteBlack, "bxc1=D", "b2c1", kUpperQueen},
        {kPromoteBlack, "b1N", "b2b1", kUpperKnight},
    };
    for (const ReadRow& row : rows) {
        const GameRecord r = humanToMove(row.fen);
        const TypedMoveResult result = typed(r, row.text);
        const auto* move = std::get_if<TypedMove>(&result);
        ASSERT_TRUE(move) << row.text << " : " << typedMoveMessage(std::get<TypedMoveProblem>(result));
        EXPECT_EQ(squaresOf(r, *move), row.squares) << row.text;
        EXPECT_EQ(move->promotionKind, row.promotionKind) << row.text;
    }
}

TEST(TypedMove, TheFoundMoveCarriesWhatTheBoardNeeds) {
    const GameRecord castle = humanToMove(kOpenBlack);
    const auto longCastle = std::get<TypedMove>(typed(castle, "O-O-O"));
    EXPECT_EQ(longCastle.castling, Castling::queenSide);
    // Stored rows: the human's king is on row 1 whatever its colour.
    EXPECT_EQ(longCastle.fromY, 1);
    EXPECT_EQ(longCastle.toX, 3);
    const auto promotion = std::get<TypedMove>(typed(humanToMove(kPromote), "b8"));
    EXPECT_TRUE(promotion.promotes);
    EXPECT_EQ(promotion.toY, 8);
    EXPECT_FALSE(std::get<TypedMove>(typed(humanToMove(kStartFen), "e4")).promotes);
}

struct RefusalRow {
    const char* fen;
    const char* text;
    const char* message;
};

TEST(TypedMove, RefusalsSayWhy) {
    const RefusalRow rows[] = {
        {kStartFen, "", "Tapez un coup, par exemple e4, Cf3, exd5, O-O, e8=D ou g1f3"},
        {kStartFen, "   ", "Tapez un coup, par exemple e4, Cf3, exd5, O-O, e8=D ou g1f3"},
        {kStartFen, "zz9", "Coup illisible : « zz9 ». Tapez par exemple e4, Cf3, exd5, O-O, e8=D ou g1f3"},
        {kStartFen, "+", "Coup illisible : « + ». Tapez par exemple e4, Cf3, exd5, O-O, e8=D ou g1f3"},
        {kStartFen, "e9", "Coup illisible : « e9 ». Tapez par exemple e4, Cf3, exd5, O-O, e8=D ou g1f3"},
        {kPromote, "b8=K", "Coup illisible : « b8=K »"},
        {kStartFen, "Cf4", "Coup impossible : aucun cavalier ne peut aller en f4"},
        {"4k3/8/8/8/8/8/8/4K1N1 w - - 0 1", "Cf4", "Coup impossible : le cavalier ne peut pas aller en f4"},
        {kStartFen, "e5", "Coup impossible : aucun pion ne peut aller en e5"},
        {kStartFen, "dxe3", "Coup impossible : le pion de la colonne d ne peut pas aller en e3"},
        {"4k3/8/8/8/8/3P4/3P4/4K3 w - - 0 1", "dxe4",
         "Coup impossible : aucun pion de la colonne d ne peut aller en e4"},
        {kStartFen, "Cbd5", "Coup impossible : le cavalier de la colonne b ne peut pas aller en d5"},
        {kStartFen, "Fb5", "Coup impossible : aucun fou ne peut aller en b5"},
        {kStartFen, "Tb3", "Coup impossible : aucune tour ne peut aller en b3"},
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "Dd4", "Coup impossible : vous n'avez pas de dame"},
        {kStartFen, "Ce3c4", "Coup impossible : vous n'avez pas de cavalier en e3"},
        {kStartFen, "Cdf3", "Coup impossible : vous n'avez pas de cavalier sur la colonne d"},
        {kStartFen, "e3e4", "Coup impossible : la case e3 est vide"},
        {kStartFen, "e7e5", "Coup impossible : le pion en e7 n'est pas à vous"},
        {kStartFen, "g1e2", "Coup impossible : votre pion occupe déjà e2"},
        {kStartFen, "g1g3", "Coup impossible : le cavalier en g1 ne peut pas aller en g3"},
        {kStartFen, "Rf4", "Coup impossible : ni le roi ni les tours ne peuvent aller en f4"},
        // A pinned piece, and a king left in check
        {"4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1", "Cc3", "Coup impossible : votre roi serait en échec"},
        {"4k3/4r3/8/8/8/8/8/3K4 w - - 0 1", "Re2", "Coup impossible : votre roi serait en échec"},
        {"4k3/8/8/8/8/8/8/r3K3 w - - 0 1", "Kd1", "Coup impossible : votre roi resterait en échec"},
        // Castling, by its notation and by the king's squares
        {"4k3/8/8/8/8/8/8/R3K2R w - - 0 1", "O-O", "Coup impossible : vous ne pouvez plus roquer de ce côté"},
        {"4k3/8/8/8/8/8/8/RN2K1NR w KQ - 0 1", "O-O",
         "Coup impossible : des pièces séparent le roi et la tour"},
        {"4k3/8/8/8/8/8/8/RN2K1NR w KQ - 0 1", "e1c1",
         "Coup impossible : des pièces séparent le roi et la tour"},
        {"4k3/8/8/8/8/8/8/RN2K1NR w KQ - 0 1", "Rc1",
         "Coup impossible : des pièces séparent le roi et la tour"},
        {"4k3/4r3/8/8/8/8/8/R3K2R w KQ - 0 1", "O-O",
         "Coup impossible : on ne roque pas pour sortir d'un échec"},
        {"4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1", "0-0",
         "Coup impossible : le roi passerait ou arriverait sur une case attaquée"},
        {"4k3/8/8/8/8/8/6r1/R3K2R w KQ - 0 1", "e1g1",
         "Coup impossible : le roi passerait ou arriverait sur une case attaquée"},
        // A piece named for a move that does not promote
        {kStartFen, "e4=D", "Coup impossible : seul un pion qui atteint la dernière rangée est promu"},
        {kStartFen, "e2e4q", "Coup impossible : seul un pion qui atteint la dernière rangée est promu"},
        // Ambiguous: the candidates as they can be typed
        {"4k3/8/8/8/8/8/8/1N3NK1 w - - 0 1", "Cd2", "Coup ambigu : Cbd2 ou Cfd2 ?"},
        {"4k3/8/8/8/8/8/8/R4RK1 w - - 0 1", "Td1", "Coup ambigu : Tad1 ou Tfd1 ?"},
        {"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "Ta3", "Coup ambigu : T1a3 ou T5a3 ?"},
        // "R" fits the French king and the English rook
        {"4k3/8/8/8/8/8/7R/4K3 w - - 0 1", "Re2", "Coup ambigu : Re1-e2 ou Te2 ?"},
        {"4k3/8/8/8/8/8/8/4K2R w - - 0 1", "Rf1", "Coup ambigu : Re1-f1 ou Tf1 ?"},
        // "B" the bishop, "b" the file, told apart as SAN does
        {"4k3/8/8/8/8/8/1P6/2B1K3 w - - 0 1", "Bb3", "Coup impossible : le fou ne peut pas aller en b3"},
        // Black to move
        {kOpenBlack, "Cf4", "Coup impossible : aucun cavalier ne peut aller en f4"},
        {kOpenBlack, "d2d4", "Coup impossible : la dame en d2 n'est pas à vous"},
    };
    for (const RefusalRow& row : rows) {
        const GameRecord r = humanToMove(row.fen);
        const TypedMoveResult result = typed(r, row.text);
        const auto* problem = std::get_if<TypedMoveProblem>(&result);
        ASSERT_TRUE(problem) << row.text << " was read as a move";
        EXPECT_EQ(typedMoveMessage(*problem).substr(0, std::string(row.message).size()), row.message)
            << row.fen << " " << row.text;
    }
}

// Every legal move, written as each notation writes it, is read back as
// that move alone: the reader can't take one move for another.
TEST(TypedMove, EveryLegalMoveIsReadBackInEachNotation) {
    const char* fens[] = {kStartFen,
                          kOpen,
                          kOpenBlack,
                          kPromote,
                          kPromoteBlack,
                          kPassant,
                          "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                          "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1",
                          "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1",
                          "4k3/8/8/8/8/8/7R/4K3 w - - 0 1"};
    for (const char* fen : fens) {
        const GameRecord r = humanToMove(fen);
        const ChessPosition p = positionAtPly(r, r.plyCount);
        for (const LegalMove& m : legalMoves(p.board, p.state, !p.whiteToMove)) {
            const std::string uci = uciMoveOf(m, false);
            const std::string san = sanOf(p.board, p.state, p.whiteToMove, m);
            const std::string written[] = {uci, san, frenchLetters(san)};
            for (const std::string& text : written) {
                // "R" is the French king and the English rook: where both
                // reach the square the reader asks rather than guesses.
                const TypedMoveResult result = typed(r, text.c_str());
                if (const auto* problem = std::get_if<TypedMoveProblem>(&result)) {
                    EXPECT_EQ(problem->fault, TypedMoveFault::ambiguous) << fen << " " << text;
                    EXPECT_EQ(text[0], 'R') << fen << " " << text;
                    continue;
                }
                const TypedMove& read = std::get<TypedMove>(result);
                EXPECT_EQ(squaresOf(r, read), uci.substr(0, 4)) << fen << " " << text;
                EXPECT_EQ(read.promotionKind, pieceKind(m.promotionPiece)) << fen << " " << text;
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
