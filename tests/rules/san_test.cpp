#include "rules/san.h"

#include <gtest/gtest.h>

#include <optional>

#include "rules/record_positions.h"
#include "rules/uci_move.h"
#include "test_positions.h"

namespace quorvel {
namespace {

// The position of a FEN on the chess board.
ChessPosition chessPosition(const char* fen) {
    const GameRecord r = testing::setUp(fen);
    return positionAtPly(r, r.plyCount);
}

// "e7e8n": a legal move by its squares and promotion letter.
std::optional<LegalMove> byCoordinates(const ChessPosition& p, const std::string& text) {
    return findUciMove(p.board, p.state, !p.whiteToMove, false, text);
}

struct SanRow {
    const char* fen;
    const char* move;  // squares, promotion letter
    const char* san;
};

// Each row cross-checked with another chess program.
const SanRow kRows[] = {
    {kStartFen, "g1f3", "Nf3"},
    {kStartFen, "e2e4", "e4"},
    {"rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 2", "e4d5", "exd5"},
    {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", "e5f6", "exf6"},
    {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", "O-O"},
    {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "O-O-O"},
    {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "O-O+"},
    {"4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7b8q", "b8=Q+"},
    {"4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7b8n", "b8=N"},
    {"2r1k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7c8r", "bxc8=R+"},
    {"4k3/8/8/8/8/8/8/R4RK1 w - - 0 1", "a1d1", "Rad1"},
    {"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3", "R1a3"},
    {"4k3/8/8/8/8/8/8/N1N1K3 w - - 0 1", "a1b3", "Nab3"},
    {"4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "a1b2", "Qa1b2"},
    // A pinned rival needs no letter: only legal moves disambiguate.
    {"4k3/4r3/8/8/8/2N1N3/8/4K3 w - - 0 1", "c3d5", "Nd5"},
    {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", "Ra8#"},
    {"k7/8/1Q6/8/8/8/8/4K3 w - - 0 1", "b6b5", "Qb5"},
};

TEST(San, WrittenAsChessProgramsWriteIt) {
    for (const SanRow& row : kRows) {
        const ChessPosition p = chessPosition(row.fen);
        const auto move = byCoordinates(p, row.move);
        ASSERT_TRUE(move) << row.fen << " " << row.move;
        EXPECT_EQ(sanOf(p.board, p.state, p.whiteToMove, *move), row.san) << row.fen << " " << row.move;
    }
}

TEST(San, WhatIsWrittenIsReadBackToTheSameMove) {
    for (const SanRow& row : kRows) {
        const ChessPosition p = chessPosition(row.fen);
        const auto read = readSan(p.board, p.state, p.whiteToMove, row.san);
        ASSERT_TRUE(std::holds_alternative<LegalMove>(read)) << row.san;
        const LegalMove m = std::get<LegalMove>(read);
        EXPECT_EQ(sanOf(p.board, p.state, p.whiteToMove, m), row.san);
    }
}

struct ReadRow {
    const char* fen;
    const char* token;
    const char* move;  // squares, or "" when an error is expected
    SanError error = SanError::illegal;
};

// The forms other programs write, and the tokens that name no move.
TEST(San, OtherProgramsFormsAndBadTokens) {
    const char* open = "r3k2r/pppq1ppp/2n2n2/3pp3/3PP3/2N2N2/PPPQ1PPP/R3K2R w KQkq - 0 1";
    const char* promote = "2r1k3/1P6/8/8/8/8/8/4K3 w - - 0 1";
    const ReadRow rows[] = {
        {open, "0-0", "e1g1"},
        {open, "0-0-0", "e1c1"},
        {open, "o-o", "e1g1"},
        {open, "O-O+", "e1g1"},
        {open, "Nxd5!?", "c3d5"},
        {open, "N:d5", "c3d5"},
        {open, "Nc3xd5", "c3d5"},
        {open, "Nc3-d5", "c3d5"},
        {open, "e4xd5", "e4d5"},
        {open, "exd5??", "e4d5"},
        {open, "dxe5", "d4e5"},
        {open, "Ng5", "f3g5"},
        {"4k3/8/8/8/8/8/8/N1N1K3 w - - 0 1", "Nb3", "", SanError::ambiguous},
        {open, "Nb5", "c3b5"},
        {open, "Ke2", "e1e2"},
        {open, "Qa5", "", SanError::illegal},
        {open, "Zz9", "", SanError::unreadable},
        {open, "--", "", SanError::unreadable},
        {open, "e9", "", SanError::unreadable},
        {promote, "bxc8Q", "b7c8q"},
        {promote, "bxc8(N)", "b7c8n"},
        {promote, "bxc8", "b7c8q"},
        {promote, "b8=Q", "b7b8q"},
        {promote, "b8=K", "", SanError::unreadable},
        // Promotions in each form other programs write.
        {promote, "b8/Q", "b7b8q"},
        {promote, "b8=q", "b7b8q"},
        {promote, "bxc8=n", "b7c8n"},
        {promote, "bxc8/R", "b7c8r"},
        {promote, "b8(B)", "b7b8b"},
        {promote, "b7b8=N", "b7b8n"},
        {open, "o-o-o", "e1c1"},
        {open, "O-O-O#", "e1c1"},
        {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", "exf6e.p.", "e5f6"},
    };
    for (const ReadRow& row : rows) {
        const ChessPosition p = chessPosition(row.fen);
        const auto read = readSan(p.board, p.state, p.whiteToMove, row.token);
        if (*row.move == 0) {
            ASSERT_TRUE(std::holds_alternative<SanError>(read)) << row.token;
            EXPECT_EQ(std::get<SanError>(read), row.error) << row.token;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<LegalMove>(read)) << row.token;
        const LegalMove m = std::get<LegalMove>(read);
        const auto expected = byCoordinates(p, row.move);
        ASSERT_TRUE(expected) << row.move;
        EXPECT_TRUE(m.fromX == expected->fromX && m.fromY == expected->fromY && m.toX == expected->toX &&
                    m.toY == expected->toY && m.promotionPiece == expected->promotionPiece)
            << row.token;
    }
}

TEST(San, MessagesShowTheWindowsLetters) {
    EXPECT_EQ(frenchLetters("Nxe4+"), "Cxe4+");
    EXPECT_EQ(frenchLetters("Qh5#"), "Dh5#");
    EXPECT_EQ(frenchLetters("exd8=Q"), "exd8=D");
    EXPECT_EQ(frenchLetters("Kb1"), "Rb1");
    EXPECT_EQ(frenchLetters("Rab1"), "Tab1");
    EXPECT_EQ(frenchLetters("Bb5"), "Fb5");
    EXPECT_EQ(frenchLetters("O-O-O"), "o-o-o");
}

}  // namespace
}  // namespace quorvel
