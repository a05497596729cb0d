// Randomized damage to a good game file and to PGN text: the readers must
// never crash, and a refused file must leave the game as it was. The
// libFuzzer targets under tests/fuzz explore the readers further; this runs
// with every build.

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "pgn_samples.h"
#include "scripted_game.h"
#include "storage/game_file.h"
#include "storage/pgn_export.h"
#include "storage/pgn_import.h"

namespace quorvel {
namespace {

std::string mutate(std::string bytes, std::mt19937& random) {
    for (int e = 1 + static_cast<int>(random() % 4); e > 0 && !bytes.empty(); --e) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 4) {
            case 0:
                bytes.resize(at);
                break;
            case 1:
                bytes.insert(at, 1 + random() % 100, static_cast<char>(random()));
                break;
            case 2:
                bytes[at] = static_cast<char>('0' + random() % 10);
                break;  // digits where the numbers are
            default:
                bytes[at] = static_cast<char>(random() % 20);
                break;  // small codes, like pieces
        }
    }
    return bytes;
}

TEST(ReaderMutation, DamagedGameFilesNeverCrashAndLeaveTheGameOnRefusal) {
    GameRecord game = test::newScriptedGame(true);
    test::playScriptedLine(game, "e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3 a7a6");
    const std::string good = gameFileBytes(game);
    std::mt19937 random(20260);
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        GameRecord target = game;
        const GameFileError error = readGameBytes(mutate(good, random), target);
        if (error == GameFileError::none) {
            ++accepted;
            ASSERT_GE(target.plyCount, 0);
            ASSERT_LE(target.plyCount, GameRecord::kCapacity);
            ASSERT_EQ(target.recordLength, target.plyCount);
        } else {
            ASSERT_EQ(gameFileBytes(target), good);
            ASSERT_EQ(target.current, game.current);
        }
    }
    EXPECT_GT(accepted, 0);  // the mutations do not only produce refusals
}

// Damaged PGN text: every game read is imported or refused with a message,
// and an imported game is exported and read back to the same record.
TEST(ReaderMutation, DamagedPgnNeverCrashesAndWhatIsImportedGoesRoundTrip) {
#ifdef QUORVEL_SANITIZED
    constexpr int kRounds = 200;
#else
    constexpr int kRounds = 1000;
#endif
    const std::string good = testing::databaseGame() + testing::kSeveralGames;
    std::mt19937 random(4711);
    int imported = 0;
    for (int i = 0; i < kRounds; ++i) {
        const auto games = readPgnGames(mutate(good, random));
        for (std::size_t g = 0; g < games.size(); ++g) {
            auto record = std::make_unique<GameRecord>();
            if (const auto error = importPgnGame(games[g], static_cast<int>(g) + 1, *record)) {
                ASSERT_FALSE(error->message.empty());
                continue;
            }
            ++imported;
            const auto text = exportPgn(*record, PgnExportOptions{});
            ASSERT_TRUE(std::holds_alternative<std::string>(text));
            const auto again = readPgnGames(std::get<std::string>(text));
            ASSERT_EQ(again.size(), 1u);
            auto back = std::make_unique<GameRecord>();
            ASSERT_FALSE(importPgnGame(again[0], 1, *back));
            ASSERT_EQ(gameFileBytes(*back), gameFileBytes(*record));
        }
    }
    EXPECT_GT(imported, 0);
}

}  // namespace
}  // namespace quorvel
