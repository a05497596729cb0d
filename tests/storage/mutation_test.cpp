// Randomized damage to good files: the readers must never crash, and a
// refused game file must leave the game as it was. The libFuzzer targets
// under tests/fuzz explore further; this keeps a quick version in every run.

#include <gtest/gtest.h>

#include <random>

#include "scripted_game.h"
#include "storage/game_file.h"
#include "storage/settings_file.h"

namespace quorvel {
namespace {

std::string mutate(std::string bytes, std::mt19937& random) {
    std::uniform_int_distribution<int> kind(0, 4);
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = bytes.empty() ? 0 : random() % bytes.size();
        switch (kind(random)) {
        case 0:
            if (!bytes.empty()) bytes[at] = static_cast<char>(random());
            break;
        case 1:
            bytes.resize(at);
            break;
        case 2:
            bytes.insert(at, 1 + random() % 100, static_cast<char>(random()));
            break;
        case 3:  // a plausible digit where the numbers are
            if (!bytes.empty()) bytes[at] = static_cast<char>('0' + random() % 10);
            break;
        default:
            if (!bytes.empty()) bytes[at] = static_cast<char>(random() % 20);  // small codes, like pieces
            break;
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

TEST(ReaderMutation, DamagedSettingsFilesNeverCrash) {
    const std::string good = settingsBytes(Settings{});
    std::mt19937 random(4242);
    for (int i = 0; i < 20000; ++i) {
        Settings s;
        readSettingsBytes(mutate(good, random), s);
        ASSERT_LE(s.gameFileName.size(), 79u);
        ASSERT_EQ(settingsBytes(s).size(), 183u);
    }
}

}  // namespace
}  // namespace quorvel
