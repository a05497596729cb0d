// The book's reader and its play, on small books written for each case.

#include "engine/opening_book.h"

#include <gtest/gtest.h>

#include "../storage/scripted_game.h"

namespace quorvel {
namespace {

// Lines of our own, 20 half-moves each: the Italian game with the castlings
// at half-moves 11 and 12, and a slow Italian without any castling.
const char* kItalian =
    "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 c2c3 g8f6 d2d3 d7d6 e1g1 e8g8 f1e1 a7a6 c4b3 c5a7 h2h3 h7h6 b1d2 f8e8";
const char* kSlowItalian =
    "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 c2c3 g8f6 d2d3 d7d6 b2b4 c5b6 a2a4 a7a6 b1d2 c8e6 c4e6 f7e6 d1b3 d8c8";

std::vector<std::string> slots(const OpeningBook& book, int line) {
    std::vector<std::string> result;
    for (int s = 0; s < OpeningBook::kSlots && !book.token(line, s).empty(); ++s)
        result.push_back(book.token(line, s));
    return result;
}

TEST(BookReader, TokenAgainstTheCommaIsDroppedAndALineNeedsSix) {
    OpeningBook book;
    book.loadFromText(
        "e2e4 e7e5 g1f3 b8c6 f1b5 ,Cinq coups\r\n"
        "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 ,Six coups\r\n"
        "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6,Collé à la virgule\r\n"
        "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6 f1g5,Sept moins un\r\n");
    ASSERT_EQ(book.lineCount(), 2);
    EXPECT_EQ(book.lineName(0), "Six coups");
    EXPECT_EQ(slots(book, 0).size(), 6u);
    EXPECT_EQ(book.lineName(1), "Sept moins un");
    EXPECT_EQ(slots(book, 1).size(), 6u);
    EXPECT_EQ(book.token(1, 5), "g8f6");
}

TEST(BookReader, TwentySlotsKeptWhileEveryTokenCounts) {
    OpeningBook book;
    std::string line;
    for (int i = 0; i < 22; ++i) line += (i % 2 ? "g8f6 " : "g1f3 ");
    book.loadFromText(line + ",Longue\r\nab cdefg h2h3 e2e4 e7e5 a2a3 ,Jetons de travers\r\n");
    ASSERT_EQ(book.lineCount(), 2);
    EXPECT_EQ(slots(book, 0).size(), 20u);
    // Tokens of the wrong length count towards the six but are never played.
    EXPECT_EQ(book.token(1, 0), "");
    EXPECT_EQ(book.token(1, 1), "");  // not cut down to "cdef"
    EXPECT_EQ(book.token(1, 2), "h2h3");
}

TEST(BookReader, LineWithoutCommaRunsOnAndNamesAreCut) {
    OpeningBook book;
    const std::string longName(120, 'x');
    book.loadFromText("e2e4 e7e5\r\ng1f3 b8c6\r\nf1b5 a7a6 ," + longName + "\r\n");
    ASSERT_EQ(book.lineCount(), 1);
    EXPECT_EQ(slots(book, 0).size(), 6u);
    EXPECT_EQ(book.lineName(0), std::string(99, 'x'));
}

std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

// Names are cut at 99 characters, however many bytes each takes in UTF-8,
// never inside one; Latin-1 names come out as UTF-8.
TEST(BookReader, NamesAreCutAtNinetyNineCharactersNotBytes) {
    const struct {
        std::string written, kept;
    } cases[] = {
        {std::string(98, 'y') + "é" + "zz", std::string(98, 'y') + "é"},
        {repeated("é", 120), repeated("é", 99)},
        {repeated("\xE9", 120), repeated("é", 99)},                          // Latin-1
        {std::string("Partie fran\xE7") + "aise", "Partie française"},       // Latin-1
        {repeated("\xE2\x82\xAC", 99) + "x", repeated("\xE2\x82\xAC", 99)},  // three-byte euros
        {repeated("\xF0\x9F\x98\x80", 100), repeated("\xF0\x9F\x98\x80", 99)},
        {repeated("é", 99), repeated("é", 99)},
        {"Partie du caf\xC3\xA9", "Partie du café"},      // UTF-8 ending in a two-byte letter
        {std::string("\xC9") + "cossaise", "Écossaise"},  // Latin-1 capitals
        {std::string("Caf\xE9"), "Café"},                 // Latin-1, last byte
        {std::string("Ouverture \xC0 l'\xE9preuve \xFF"), "Ouverture À l'épreuve ÿ"},
    };
    for (const auto& c : cases) {
        OpeningBook book;
        book.loadFromText("e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 ," + c.written + "\r\n");
        ASSERT_EQ(book.lineCount(), 1);
        EXPECT_EQ(book.lineName(0), c.kept) << c.written;
    }
}

TEST(BookReader, UnixLineEndsAndTheLineLimit) {
    OpeningBook book;
    book.loadFromText("e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 ,Un\nd2d4 d7d5 c2c4 e7e6 b1c3 g8f6 ,Deux\n");
    ASSERT_EQ(book.lineCount(), 2);
    EXPECT_EQ(book.lineName(0), "Un");

    std::string many;
    for (int i = 0; i < 1700; ++i) many += "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 ,L" + std::to_string(i) + "\r\n";
    book.loadFromText(many);
    EXPECT_EQ(book.lineCount(), OpeningBook::kMaxLines);
    EXPECT_EQ(book.lineName(OpeningBook::kMaxLines - 1), "L1649");
}

TEST(BookPlay, RandomNumberPicksTheStartLine) {
    OpeningBook book;
    book.loadFromText(
        "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 ,Zéro\r\n"
        "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6 ,Un\r\n"
        "c2c4 e7e5 b1c3 g8f6 g1f3 b8c6 ,Deux\r\n");
    // The computer has White: s = 17 r mod 2.
    GameRecord game = test::newScriptedGame(true);
    EXPECT_EQ(book.playBookMove(game, 1), "Un");
    EXPECT_EQ(game.moves[0].str(), "d2-d4");
    GameRecord other = test::newScriptedGame(true);
    EXPECT_EQ(book.playBookMove(other, 2), "Zéro");
    EXPECT_EQ(other.moves[0].str(), "e2-e4");
    for (std::uint32_t t : {0u, 1700000000u, 4294967295u})
        EXPECT_LE(static_cast<unsigned>(bookRandom(t)), 32767u);
}

TEST(BookPlay, MirroredBoardPlaysTheRealMoveAndRecordsItInChessRanks) {
    OpeningBook book;
    book.loadFromText(std::string(kItalian) + " ,Partie italienne\r\n");
    GameRecord game = test::newScriptedGame(true);
    ASSERT_EQ(book.playBookMove(game, 0), "Partie italienne");
    EXPECT_EQ(game.moves[0].str(), "e2-e4");
    EXPECT_EQ(game.current.at(5, 5), kUpperPawn);  // e7-e5 on the stored board
    EXPECT_EQ(game.current.at(5, 7), kEmpty);
    EXPECT_EQ(upperDoubleStepFile(game.state), 5);
    EXPECT_EQ(game.current[kUpperDoubleStepFileCell], 5);
    EXPECT_EQ(game.history[0][0], kMarkerPlayerBlack);
    EXPECT_EQ(game.plyCount, 1);
    EXPECT_EQ(game.recordLength, 1);
}

TEST(BookPlay, EighteenHalfMovesAreFollowedNineteenAreNot) {
    OpeningBook book;
    book.loadFromText(std::string(kSlowItalian) + " ,Partie italienne lente\r\n");
    const auto tokens = test::splitTokens(kSlowItalian);

    // The computer has White, so it plays the even slots, the 19th included.
    GameRecord game = test::newScriptedGame(true);
    for (int i = 0; i < 18; ++i) ASSERT_TRUE(test::playScripted(game, tokens[static_cast<std::size_t>(i)]));
    ASSERT_TRUE(book.playBookMove(game, 0));
    EXPECT_EQ(game.moves[18].str(), "d1-b3");

    GameRecord late = test::newScriptedGame(false);
    for (int i = 0; i < 19; ++i) ASSERT_TRUE(test::playScripted(late, tokens[static_cast<std::size_t>(i)]));
    EXPECT_FALSE(book.playBookMove(late, 0));
    EXPECT_EQ(late.plyCount, 19);
    EXPECT_EQ(late.moves[19].str(), "");
}

TEST(BookPlay, CastlingOfTheComputerMovesTheRookAndEndsTheBook) {
    OpeningBook book;
    book.loadFromText(std::string(kItalian) + " ,Partie italienne\r\n");
    const auto tokens = test::splitTokens(kItalian);
    GameRecord game = test::newScriptedGame(false);  // the computer has Black
    for (int i = 0; i < 11; ++i) {
        if (i % 2 == 0) {
            ASSERT_TRUE(test::playScripted(game, tokens[static_cast<std::size_t>(i)]));
        } else {
            ASSERT_TRUE(book.playBookMove(game, 0)) << i;
        }
    }
    // 11.O-O by the human is recorded as "o-o": no line matches any more.
    EXPECT_EQ(game.moves[10].str(), "o-o");
    EXPECT_FALSE(book.playBookMove(game, 0));
    EXPECT_EQ(game.plyCount, 11);

    // The computer castling from the book: king and rook both move.
    GameRecord mirrored = test::newScriptedGame(true);
    book.loadFromText("e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1g1 ,Roi à l'abri\r\n");
    for (int i = 0; i < 7; ++i) {
        if (i % 2 == 0) {
            ASSERT_TRUE(book.playBookMove(mirrored, 0)) << i;
        } else {
            ASSERT_TRUE(test::playScripted(
                mirrored, test::splitTokens("e2e4 e7e5 g1f3 b8c6 f1c4 f8c5")[static_cast<std::size_t>(i)]));
        }
    }
    EXPECT_EQ(mirrored.moves[6].str(), "o-o");
    EXPECT_EQ(mirrored.current.at(7, 8), kUpperKing);
    EXPECT_EQ(mirrored.current.at(6, 8), kUpperRook);
    EXPECT_EQ(mirrored.current.at(8, 8), kEmpty);
    EXPECT_NE(mirrored.state & kUpperKingMoved, 0u);
}

TEST(BookPlay, IllegalOrForeignTokensAreSkipped) {
    OpeningBook book;
    book.loadFromText(
        "e2e5 e7e5 g1f3 b8c6 f1b5 a7a6 ,Pion trop pressé\r\n"
        "e7e5 e2e4 g1f3 b8c6 f1b5 a7a6 ,Mauvais camp\r\n"
        "z9z9 e7e5 g1f3 b8c6 f1b5 a7a6 ,Hors de l'échiquier\r\n"
        "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6 ,Gambit dame\r\n");
    GameRecord game = test::newScriptedGame(true);
    EXPECT_EQ(book.playBookMove(game, 0), "Gambit dame");
    EXPECT_EQ(game.moves[0].str(), "d2-d4");
}

TEST(BookPlay, GameOutsideEveryLineChangesNothing) {
    OpeningBook book;
    book.loadFromText(std::string(kItalian) + " ,Partie italienne\r\n");
    GameRecord game = test::newScriptedGame(false);
    ASSERT_TRUE(test::playScripted(game, "d2d4"));
    const GameRecord before = game;
    EXPECT_FALSE(book.playBookMove(game, 0));
    EXPECT_EQ(game.plyCount, before.plyCount);
    EXPECT_EQ(game.current, before.current);
    EXPECT_EQ(game.moves, before.moves);

    // Texts left empty (a game set up from a position) follow no line.
    GameRecord fromPosition = test::newScriptedGame(false);
    fromPosition.plyCount = 1;
    EXPECT_FALSE(book.playBookMove(fromPosition, 0));
    EXPECT_FALSE(OpeningBook{}.playBookMove(game, 0));
}

}  // namespace
}  // namespace quorvel
