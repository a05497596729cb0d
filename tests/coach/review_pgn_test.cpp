// A reviewed game as PGN: glyphs, [%eval] comments and better moves where
// other programs look for them, read by a strict reader without a word and
// by Quorvel's own import back to the same game.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "coach/game_review.h"
#include "scripted_game.h"
#include "storage/pgn_export.h"
#include "storage/pgn_import.h"
#include "temp_folder.h"

namespace quorvel {
namespace {

AnalysisScore cp(int value) {
    return AnalysisScore::ofCentipawns(value);
}

struct Reviewed {
    std::unique_ptr<GameRecord> record;
    GameReview review;
};

// The hanging queen, then a mate in two missed and found again.
Reviewed reviewedGame() {
    Reviewed game{std::make_unique<GameRecord>(test::newScriptedGame(false)), {}};
    EXPECT_EQ(test::playScriptedLine(*game.record, "e2e4 e7e5 g1f3 d8g5 f3g5 b8c6 f1c4 g8h6"), 8);
    const std::vector<PositionScore> scores = {
        {cp(30), "e2e4"},   {cp(-30), "e7e5"},   {cp(25), "g1f3"},
        {cp(-25), "b8c6"},  {cp(1380), "f3g5"},  {cp(-1390), "g8f6"},
        {cp(1400), "f1c4"}, {cp(-1450), "d7d5"}, {AnalysisScore::matesIn(2), "c4f7"},
    };
    game.review = reviewGame(reviewPositions(*game.record), scores);
    game.review.analyst = "Quorvel 1.0";
    return game;
}

std::string exportedWithReview(const Reviewed& game, PgnExportOptions options = {}) {
    options.notes = pgnNotesOf(game.review);
    options.annotator = game.review.analyst;
    const auto text = exportPgn(*game.record, options);
    EXPECT_TRUE(std::holds_alternative<std::string>(text));
    return std::get<std::string>(text);
}

TEST(ReviewedPgn, GlyphsScoresAndBetterMovesFollowTheirMoves) {
    const std::string text = exportedWithReview(reviewedGame());
    EXPECT_NE(text.find("[Annotator \"Quorvel 1.0\"]\n"), std::string::npos) << text;
    EXPECT_NE(text.find("1. e4 {[%eval 0.30]} 1... e5 {[%eval 0.25]} 2. Nf3 {[%eval 0.25]} 2... Qg5 $4\n"
                        "{[%eval 13.80]} (2... Nc6) 3. Nxg5"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("4... Nh6 {[%eval #2]} *"), std::string::npos) << text;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
}

TEST(ReviewedPgn, TheImportReadsTheSameGameBack) {
    const Reviewed game = reviewedGame();
    const auto games = readPgnGames(exportedWithReview(game));
    ASSERT_EQ(games.size(), 1u);
    auto back = std::make_unique<GameRecord>();
    ASSERT_FALSE(importPgnGame(games[0], 1, *back));
    ASSERT_EQ(back->plyCount, game.record->plyCount);
    for (int i = 0; i < back->plyCount; ++i) {
        EXPECT_EQ(back->moves[static_cast<std::size_t>(i)], game.record->moves[static_cast<std::size_t>(i)]);
        EXPECT_TRUE(sameSquares(back->history[static_cast<std::size_t>(i)],
                                game.record->history[static_cast<std::size_t>(i)]));
    }
}

TEST(ReviewedPgn, AStrictReaderAcceptsItWithoutAWord) {
    const char* reader = "/usr/games/pgn-extract";
    if (!std::filesystem::exists(reader))
        GTEST_SKIP() << "pgn-extract is not installed (tools/install-deps.sh)";
    const test::TempFolder temp;
    const std::filesystem::path& folder = temp.path();
    PgnExportOptions fromFile;
    fromFile.sourceTags = {{"Event", "Club"}, {"White", "Ann"}, {"Black", "Bob"}, {"ECO", "C40"}};
    fromFile.sourceResult = "1-0";
    std::ofstream(folder / "in.pgn", std::ios::binary)
        << exportedWithReview(reviewedGame()) << exportedWithReview(reviewedGame(), fromFile);
    const std::string command = std::string(reader) + " -s -o " + (folder / "out.pgn").string() + " " +
                                (folder / "in.pgn").string() + " 2> " + (folder / "log.txt").string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(test::readAll(folder / "log.txt"), "") << "the strict reader complained";
    const std::string out = test::readAll(folder / "out.pgn");
    // It kept the comments, the glyphs and the variation.
    EXPECT_NE(out.find("$4"), std::string::npos) << out;
    EXPECT_NE(out.find("[%eval 13.80]"), std::string::npos) << out;
    EXPECT_NE(out.find("(2... Nc6)"), std::string::npos) << out;
    EXPECT_EQ(readPgnGames(out).size(), 2u);
}

TEST(ReviewedPgn, AGameFromAFileKeepsItsOwnTagsAndResult) {
    PgnExportOptions options;
    options.sourceTags = {{"Event", "Club"}, {"Site", "Lyon"}, {"White", "Ann"},    {"Black", "Bob"},
                          {"Result", "*"},   {"ECO", "C40"},   {"Annotator", "old"}};
    options.sourceResult = "1-0";
    const std::string text = exportedWithReview(reviewedGame(), options);
    EXPECT_EQ(
        text.substr(0, text.find("\n\n")),
        "[Event \"Club\"]\n[Site \"Lyon\"]\n[Date \"?\"]\n[Round \"?\"]\n[White \"Ann\"]\n[Black \"Bob\"]\n"
        "[Result \"1-0\"]\n[Annotator \"Quorvel 1.0\"]\n[ECO \"C40\"]");
    EXPECT_NE(text.find("#2]} 1-0\n"), std::string::npos) << text;
    // A result the board gives stands over the file's.
    Reviewed mated{std::make_unique<GameRecord>(test::newScriptedGame(false)), {}};
    ASSERT_EQ(test::playScriptedLine(*mated.record, "f2f3 e7e5 g2g4 d8h4"), 4);
    options.sourceResult = "1-0";
    EXPECT_NE(exportedWithReview(mated, options).find("[Result \"0-1\"]"), std::string::npos);
}

}  // namespace
}  // namespace quorvel
