// The player's results by level: counting, the runs of wins and losses, the
// file and its damage; the performance rating on known results.

#include "storage/level_results.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "storage/player_rating.h"
#include "temp_folder.h"

namespace quorvel {
namespace {

constexpr auto W = PlayerScore::won;
constexpr auto D = PlayerScore::drawn;
constexpr auto L = PlayerScore::lost;

TEST(LevelResults, CountsAndRunsFollowTheGames) {
    struct Case {
        const char* name;
        std::vector<PlayerScore> games;
        LevelTally expected;
    };
    const Case cases[] = {
        {"three wins", {W, W, W}, {3, 0, 0, 3}},
        {"a loss ends a run of wins", {W, W, L}, {2, 0, 1, -1}},
        {"a draw ends any run", {L, L, D}, {0, 1, 2, 0}},
        {"a win ends a run of losses", {L, L, L, W}, {1, 0, 3, 1}},
        {"three losses", {D, L, L, L}, {0, 1, 3, -3}},
    };
    for (const Case& c : cases) {
        LevelResults results;
        for (const PlayerScore s : c.games) results.record(4, s);
        EXPECT_EQ(results.tally(4), c.expected) << c.name;
        EXPECT_EQ(results.tally(5), LevelTally{}) << c.name;
    }
}

TEST(LevelResults, TextComesBackAsItWent) {
    LevelResults results;
    results.record(1, W);
    results.record(1, W);
    results.record(8, L);
    results.record(3, D);
    const std::string text = results.serialise();
    EXPECT_EQ(text, "quorvel-results 1\n1 2 0 0 2\n3 0 1 0 0\n8 0 0 1 -1\n");
    EXPECT_EQ(LevelResults::parse(text), results);
    EXPECT_EQ(LevelResults::parse("quorvel-results 1\r\n2 1 1 1 -1\r\n")->tally(2),
              (LevelTally{1, 1, 1, -1}));
    EXPECT_TRUE(LevelResults::parse("quorvel-results 1\n")->empty());
}

TEST(LevelResults, DamagedTextsAreRefused) {
    const char* const texts[] = {
        "",                                           // empty
        "2 1 1 1 0\n",                                // no header
        "quorvel-results 2\n2 1 1 1 0\n",             // another format
        "quorvel-results 1\n2 1 1 1 0",               // cut last line
        "quorvel-results 1\n2 1 1 1\n",               // a number missing
        "quorvel-results 1\n2 1 1 1 0 7\n",           // one too many
        "quorvel-results 1\n2 1 x 1 0\n",             // not a number
        "quorvel-results 1\n2  1 1 1 0\n",            // two blanks
        "quorvel-results 1\n2 1 1 1 0 \n",            // trailing blank
        "quorvel-results 1\n0 1 1 1 0\n",             // no level 0
        "quorvel-results 1\n100 1 1 1 0\n",           // past the highest level
        "quorvel-results 1\n2 -1 1 1 0\n",            // a negative count
        "quorvel-results 1\n2 1 1 1 2\n",             // a run longer than the wins
        "quorvel-results 1\n2 1 1 1 -2\n",            // or than the losses
        "quorvel-results 1\n2 0 0 0 0\n",             // a level without games
        "quorvel-results 1\n2 1 1 1 0\n2 1 1 1 0\n",  // a level twice
        "quorvel-results 1\n2 99999999999 1 1 0\n",   // out of int
    };
    for (const char* text : texts) EXPECT_FALSE(LevelResults::parse(text)) << text;
}

TEST(LevelResults, FileReadWrittenMissingAndDamaged) {
    test::TempFolder folder;
    const std::string path = folder.file(kLevelResultsFileName);
    EXPECT_EQ(readLevelResults(path).status, LevelResultsReading::Status::missing);

    LevelResults results;
    results.record(2, W);
    ASSERT_TRUE(writeLevelResults(path, results));
    const LevelResultsReading back = readLevelResults(path);
    EXPECT_EQ(back.status, LevelResultsReading::Status::read);
    EXPECT_EQ(back.results, results);

    std::ofstream(path, std::ios::binary | std::ios::trunc) << "quorvel-results 1\n2 1 0";
    const LevelResultsReading cut = readLevelResults(path);
    EXPECT_EQ(cut.status, LevelResultsReading::Status::damaged);
    EXPECT_TRUE(cut.results.empty());

    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(readLevelResults(path).status, LevelResultsReading::Status::damaged);
    EXPECT_FALSE(writeLevelResults(path, results));
}

TEST(PlayerRating, PerformanceOnKnownResults) {
    struct Case {
        const char* name;
        std::vector<Opposition> results;
        double rating;
        double margin;  // 95 %, Elo
    };
    const Case cases[] = {
        {"even score", {{1000, 2, 0, 2}}, 1000, 340.5},
        {"three out of four", {{1000, 3, 0, 1}}, 1000 + 400 * std::log10(3.0), 371.5},
        {"draws count half", {{1000, 2, 2, 0}}, 1000 + 400 * std::log10(3.0), 371.5},
        {"all won is capped", {{1000, 4, 0, 0}}, 1800, 567.5},
        {"all lost is capped", {{1000, 0, 0, 4}}, 200, 567.5},
        {"opponents averaged game by game",
         {{800, 1, 0, 0}, {1400, 0, 0, 3}},
         1250 - 400 * std::log10(3.0),
         371.5},
        {"a long series", {{1100, 15, 0, 5}}, 1100 + 400 * std::log10(3.0), 173.2},
    };
    for (const Case& c : cases) {
        const auto e = performanceRating(c.results);
        ASSERT_TRUE(e) << c.name;
        EXPECT_NEAR(e->rating, c.rating, 0.05) << c.name;
        EXPECT_NEAR(e->margin95, c.margin, 0.1) << c.name;
    }
    EXPECT_FALSE(performanceRating({}));
    EXPECT_FALSE(performanceRating({{1000, 0, 0, 0}}));
}

TEST(PlayerRating, UncertaintyInWords) {
    EXPECT_EQ(ratingUncertainty(*performanceRating({{1000, 1, 0, 0}})), "estimation provisoire, 1 partie");
    EXPECT_EQ(ratingUncertainty(*performanceRating({{1000, 2, 1, 1}})), "estimation provisoire, 4 parties");
    EXPECT_EQ(ratingUncertainty(*performanceRating({{1000, 5, 0, 4}})), "estimation provisoire, 9 parties");
    EXPECT_EQ(ratingUncertainty(*performanceRating({{1000, 12, 1, 12}})), "à ± 140 Elo près, 25 parties");
}

}  // namespace
}  // namespace quorvel
