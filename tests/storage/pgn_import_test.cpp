#include "storage/pgn_import.h"

#include <gtest/gtest.h>

#include <memory>

#include "pgn_samples.h"
#include "rules/fen.h"
#include "rules/game_outcome.h"
#include "rules/move_application.h"
#include "rules/record_positions.h"
#include "storage/game_file.h"

namespace quorvel {
namespace {

using namespace quorvel::testing;

// The game numbered `number` of `text`, imported into a fresh record.
std::unique_ptr<GameRecord> imported(const std::string& text, int number = 1) {
    const auto games = readPgnGames(text);
    EXPECT_GE(static_cast<int>(games.size()), number);
    auto record = std::make_unique<GameRecord>();
    newGame(*record);
    if (static_cast<int>(games.size()) < number) return record;
    const auto error = importPgnGame(games[static_cast<std::size_t>(number - 1)], number, *record);
    EXPECT_FALSE(error) << (error ? error->message : "");
    return record;
}

std::string importError(const std::string& text, int number = 1) {
    const auto games = readPgnGames(text);
    if (static_cast<int>(games.size()) < number) return "no such game";
    auto record = std::make_unique<GameRecord>();
    newGame(*record);
    const std::string before = gameFileBytes(*record);
    const auto error = importPgnGame(games[static_cast<std::size_t>(number - 1)], number, *record);
    EXPECT_EQ(gameFileBytes(*record), before) << "a refused game changed the record";
    return error ? error->message : "";
}

TEST(PgnImport, GamesOtherProgramsWrote) {
    const auto site = imported(kSiteGame);
    EXPECT_EQ(site->plyCount, 42);
    EXPECT_EQ(site->moves[18].str(), "o-o-o");  // 10. O-O-O
    EXPECT_EQ(formatFen(*site), "r2qnrk1/4bppp/3p4/4nPP1/4P3/Np2B3/1P1Q3P/1K1R1B1R w - - 2 22")
        << "checked against another chess program";

    const auto database = imported(databaseGame());
    EXPECT_EQ(database->plyCount, 85);
    EXPECT_EQ(database->moves[8].str(), "o-o");
    EXPECT_EQ(database->moves[46][5], '+');  // 24. Bxf7+
    EXPECT_EQ(gameResult(*database), GameResult::ongoing);

    const auto mate = imported(kSeveralGames, 1);
    EXPECT_EQ(mate->plyCount, 4);
    EXPECT_EQ(mate->moves[3][5], '+');  // Qh4#: check and mate marks, as the window writes them
    EXPECT_EQ(mate->moves[3][6], '+');
    EXPECT_EQ(gameResult(*mate), GameResult::blackWins);
}

TEST(PgnImport, SetUpPositionsKeepTheirMoveNumbers) {
    const auto scholar = imported(kSeveralGames, 2);
    EXPECT_EQ(setupPly(*scholar), 6);
    EXPECT_EQ(scholar->plyCount, 7);
    EXPECT_EQ(gameResult(*scholar), GameResult::whiteWins);

    const auto ending = imported(kSeveralGames, 3);
    EXPECT_EQ(setupPly(*ending), 78);
    EXPECT_EQ(ending->plyCount, 88);
    EXPECT_EQ(ending->moves[79].str(), "d4xe3");  // the en-passant capture
    EXPECT_EQ(formatFen(*ending), "8/8/8/5k2/8/8/4N3/4K3 w - - 1 45");
    EXPECT_EQ(gameResult(*ending), GameResult::draw);  // a knight alone can't mate
}

TEST(PgnImport, TheComputersSideIsHeldAsTheWindowHoldsIt) {
    // Quorvel had White: its moves are the upper side's, the board held for
    // a player with Black, and the live board is the human's to move.
    const auto game = imported(
        "[White \"Quorvel\"]\n[Black \"Ann\"]\n[WhiteTimeUsed \"0:01:35\"]\n[BlackTimeUsed \"42\"]\n"
        "1. e4 e5 2. Nf3 *");
    EXPECT_EQ(game->history[0][0], kMarkerPlayerBlack);
    EXPECT_EQ(game->history[1][0], kMarkerPlayerBlack);
    EXPECT_TRUE(game->playerIsBlack);
    EXPECT_EQ(game->whiteClock, 95);
    EXPECT_EQ(game->blackClock, 42);
    // Two humans: each move held for its mover. The types decide over the names.
    const auto humans = imported("[White \"Quorvel\"]\n[WhiteType \"human\"]\n1. e4 e5 *");
    EXPECT_EQ(humans->history[0][0], kMarkerPlayerWhite);
    EXPECT_EQ(humans->history[1][0], kMarkerPlayerBlack);
}

TEST(PgnImport, BadGamesAreRefusedNamingTheGameAndTheMove) {
    struct Row {
        std::string text;
        int number;
        const char* message;
    };
    std::string tooLong, longest;
    for (int i = 0; i < 75; ++i) longest += "Nf3 Nf6 Ng1 Ng8 ";
    tooLong = longest + "Nf3";
    const Row rows[] = {
        {"[Event \"x\"]\n1. e4 e5 *\n\n" + databaseGame("Nxe4"), 2,
         "Coup illégal 23... Cxe4 dans la partie 2"},
        {"1. d4 d5 2. Nf3 Nf6 3. Nd2 *", 1, "Coup ambigu 3. Cd2 dans la partie 1"},
        {"1. e4 xyz *", 1, "Coup illisible 1... xyz dans la partie 1"},
        {"1. f3 e5 2. g4 Qh4# 3. a3 0-1", 1, "Coup illégal 3. a3 dans la partie 1"},
        {"[FEN \"8/8/8/3kK3/8/8/8/8 w - - 0 1\"]\n*", 1,
         "Position de départ invalide dans la partie 1 : les deux rois se touchent"},
        {"[FEN \"8/8/8/3k4/8/8/8/R3K3 w - - 0 30\"]\n30. Kb1 *", 1, "Coup illégal 30. Rb1 dans la partie 1"},
        // A set-up game at move 1 is numbered from move 1, whoever is to move.
        {"[FEN \"8/8/8/3k4/8/8/8/R3K3 w - - 0 1\"]\n1. Kb1 *", 1, "Coup illégal 1. Rb1 dans la partie 1"},
        {"[FEN \"8/8/8/3k4/8/8/8/R3K3 b - - 0 1\"]\n1... Kb6 *", 1, "Coup illégal 1... Rb6 dans la partie 1"},
        {"[FEN \"8/8/8/3k4/8/8/8/R3K3 w - - 0 1\"]\n1. Kd1 Kb6 *", 1,
         "Coup illégal 1... Rb6 dans la partie 1"},
        {"1. e4 { no end", 1, "Commentaire non fermé dans la partie 1"},
        {tooLong, 1, "La partie 1 compte plus de 300 demi-coups : elle ne peut pas être importée"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(importError(row.text, row.number), row.message) << row.text.substr(0, 60);
    EXPECT_EQ(imported(longest)->plyCount, 300);  // the longest game the record holds
}

TEST(PgnImport, TimeTags) {
    EXPECT_EQ(readTimeTag("1:02:03"), 3723);
    EXPECT_EQ(readTimeTag("2:03"), 123);
    EXPECT_EQ(readTimeTag("123"), 123);
    EXPECT_EQ(readTimeTag(""), std::nullopt);
    EXPECT_EQ(readTimeTag("1:2:3:4"), std::nullopt);
    EXPECT_EQ(readTimeTag("-5"), std::nullopt);
    EXPECT_EQ(timeTagText(3723), "1:02:03");
    EXPECT_EQ(readTimeTag(timeTagText(9999999)), 9999999);
}

}  // namespace
}  // namespace quorvel
