#include "storage/pgn_reader.h"

#include <gtest/gtest.h>

#include "pgn_samples.h"
#include "storage/text_encoding.h"

namespace quorvel {
namespace {

using namespace quorvel::testing;

std::string joined(const std::vector<std::string>& moves) {
    std::string text;
    for (const std::string& m : moves) text += (text.empty() ? "" : " ") + m;
    return text;
}

struct LexRow {
    const char* name;
    std::string text;
    const char* moves;  // the main line's tokens
    const char* result;
};

// What annotates a game is dropped, whatever its form; the main line stays.
TEST(PgnReader, AnnotationsAreDroppedAndTheMainLineKept) {
    const LexRow rows[] = {
        {"numbers attached", "1.e4 e5 2.Nf3 *", "e4 e5 Nf3", "*"},
        {"black's numbers", "1. e4 1... e5 2. Nf3 2...Nc6 3. Bb5 3. ... a6 1-0", "e4 e5 Nf3 Nc6 Bb5 a6",
         "1-0"},
        {"comments", "1. e4 {best (by test)} e5 ; rest of line ( ignored\n2. Nf3 0-1", "e4 e5 Nf3", "0-1"},
        {"nested variations", "1. e4 e5 (1... c5 2. Nf3 (2. c3 {or ) this}) d6) 2. Nf3 1/2-1/2", "e4 e5 Nf3",
         "1/2-1/2"},
        {"NAGs and marks", "1. e4 $1 e5 $146 2. Nf3!? Nc6?! 3. Bb5!! *", "e4 e5 Nf3!? Nc6?! Bb5!!", "*"},
        {"escape lines", "% note\n1. e4\n%1. d4\ne5 *", "e4 e5", "*"},
        {"castling with zeros", "1. 0-0 0-0-0 *", "0-0 0-0-0", "*"},
        {"e.p. apart", "1. exd6 e.p. *", "exd6", "*"},
        {"no result", "1. e4 e5", "e4 e5", "*"},
        {"half-point sign", "1. e4 \xC2\xBD-\xC2\xBD", "e4", "1/2-1/2"},
        // Any blank separates tokens, and a line may end in any convention.
        {"tabs", "1.\te4\te5\t2.\tNf3\t*", "e4 e5 Nf3", "*"},
        {"form feeds and vertical tabs", "1. e4\fe5\v2. Nf3 *", "e4 e5 Nf3", "*"},
        {"old Mac line ends", "1. e4 ; a note\re5\r2. Nf3 *\r", "e4 e5 Nf3", "*"},
        {"Windows line ends", "1. e4 ; a note\r\ne5 *\r\n", "e4 e5", "*"},
        {"numbers glued to moves", "1.e4 e5 2.Nf3 Nc6 3.Bb5 3...a6 4.Ba4 *", "e4 e5 Nf3 Nc6 Bb5 a6 Ba4", "*"},
    };
    for (const LexRow& row : rows) {
        const auto games = readPgnGames(row.text);
        ASSERT_EQ(games.size(), 1u) << row.name;
        EXPECT_EQ(joined(games[0].moves), row.moves) << row.name;
        EXPECT_EQ(games[0].result, row.result) << row.name;
        EXPECT_TRUE(games[0].problem.empty()) << row.name;
    }
}

TEST(PgnReader, TagsOfAnOldDatabaseInLatin1WithWindowsLineEnds) {
    const auto games = readPgnGames(databaseGame());
    ASSERT_EQ(games.size(), 1u);
    const PgnGameText& game = games[0];
    EXPECT_EQ(game.tag("Event"), "Championnat de France \u00E0 Brest");
    EXPECT_EQ(game.tag("White"), "Herv\u00E9, J.");
    EXPECT_EQ(game.tag("Black"), "Le Goff, \"Yann\"");
    EXPECT_EQ(game.moves.size(), 85u);
    EXPECT_EQ(game.moves[8], "0-0");
    EXPECT_EQ(game.moves.back(), "Re6");
    EXPECT_EQ(game.result, "1-0");
    EXPECT_EQ(game.summary(),
              "Herv\u00E9, J. \u2013 Le Goff, \"Yann\", Championnat de France \u00E0 Brest, "
              "1998.07.12, 1-0");
}

TEST(PgnReader, SeveralGamesOneAfterTheOther) {
    const auto games = readPgnGames(kSeveralGames);
    ASSERT_EQ(games.size(), 4u);
    EXPECT_EQ(joined(games[0].moves), "f3 e5 g4 Qh4#");
    EXPECT_EQ(games[1].tag("SetUp"), "1");
    EXPECT_EQ(joined(games[1].moves), "Qxf7#");
    EXPECT_EQ(games[2].result, "1/2-1/2");
    EXPECT_TRUE(games[3].tags.empty());
    EXPECT_EQ(games[3].summary(), "? \u2013 ?, ?, ?, *");
    // Tags after a move text without a result begin the next game.
    const auto unfinished = readPgnGames("[White \"A\"]\n1. e4\n[White \"B\"]\n1. d4 *");
    ASSERT_EQ(unfinished.size(), 2u);
    EXPECT_EQ(unfinished[0].result, "*");
    EXPECT_EQ(unfinished[1].tag("White"), "B");
}

TEST(PgnReader, UnclosedCommentsAndVariationsAreReported) {
    const auto comment = readPgnGames("[White \"A\"]\n1. e4 { never closed");
    ASSERT_EQ(comment.size(), 1u);
    EXPECT_EQ(comment[0].problem, "Commentaire non fermé");
    const auto variation = readPgnGames("1. e4 (1. d4 d5 *");
    ASSERT_EQ(variation.size(), 1u);
    EXPECT_EQ(variation[0].problem, "Variante non fermée");
    EXPECT_TRUE(readPgnGames("  \n% nothing\n").empty());
}

// The ends of each range: what is UTF-8 stays, every other byte is read as
// Windows-1252 (0x80..0x9F) or Latin-1 (0xA0..0xFF).
TEST(TextEncoding, TheEndsOfEachRange) {
    struct Row {
        const char* name;
        std::string bytes;
        const char* text;
    };
    const Row rows[] = {
        {"Windows-1252's first byte", "\x80", "\u20AC"},
        {"Windows-1252's last byte", "\x9F", "\u0178"},
        {"a byte Windows-1252 leaves unused", "\x81", "\u0081"},
        {"Latin-1's first byte", "\xA0", "\u00A0"},
        {"Latin-1's last byte", "\xFF", "\u00FF"},
        {"the last one-byte character", "\x7F", "\x7F"},
        {"the first two-byte character", "\xC2\x80", "\u0080"},
        {"an overlong two-byte form", "\xC1\xBF", "\u00C1\u00BF"},
        {"the last two-byte character", "\xDF\xBF", "\u07FF"},
        {"the first three-byte character", "\xE0\xA0\x80", "\u0800"},
        {"an overlong three-byte form", "\xE0\x9F\xBF", "\u00E0\u0178\u00BF"},
        {"the last character before the surrogates", "\xED\x9F\xBF", "\uD7FF"},
        {"the first surrogate", "\xED\xA0\x80", "\u00ED\u00A0\u20AC"},
        {"the last surrogate", "\xED\xBF\xBF", "\u00ED\u00BF\u00BF"},
        {"the first character after the surrogates", "\xEE\x80\x80", "\uE000"},
        {"the first four-byte character", "\xF0\x90\x80\x80", "\U00010000"},
        {"the last character", "\xF4\x8F\xBF\xBF", "\U0010FFFF"},
        {"past the last character", "\xF4\x90\x80\x80", "\u00F4\u0090\u20AC\u20AC"},
        {"a sequence cut short", "\xE9t\xE9", "\u00E9t\u00E9"},
    };
    for (const Row& row : rows) EXPECT_EQ(utf8FromAnyText(row.bytes), row.text) << row.name;
    EXPECT_EQ(unixLineEnds("a\rb\r\rc\r"), "a\nb\n\nc\n");
}

TEST(TextEncoding, Utf8KeptLatin1AndWindowsQuotesConverted) {
    EXPECT_EQ(utf8FromAnyText("Ga\u00EBl"), "Ga\u00EBl");
    EXPECT_EQ(utf8FromAnyText("\xEF\xBB\xBFZo\u00EB"), "Zo\u00EB");
    EXPECT_EQ(utf8FromAnyText("Herv\xE9"), "Herv\u00E9");
    EXPECT_EQ(utf8FromAnyText("\x93quoi\x94 \x80"), "\u201Cquoi\u201D \u20AC");
    // Bytes that only look like the start of a UTF-8 sequence are Latin-1.
    EXPECT_EQ(utf8FromAnyText("\xC3"), "\u00C3");
    EXPECT_EQ(utf8FromAnyText("\xE9t\xE9"), "\u00E9t\u00E9");
    EXPECT_EQ(unixLineEnds("a\r\nb\rc\n"), "a\nb\nc\n");
}

}  // namespace
}  // namespace quorvel
