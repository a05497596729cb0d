// Randomized damage to book text: the reader never crashes and the lookup
// only ever plays legal moves of the computer.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "../storage/scripted_game.h"
#include "engine/opening_book.h"
#include "rules/move_validity.h"

namespace quorvel {
namespace {

TEST(BookMutation, DamagedBooksNeverCrashNorPlayIllegalMoves) {
    std::ifstream in(QUORVEL_BOOK_FILE, std::ios::binary);
    const std::string good{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string sample = good.substr(0, 4000);
    const std::string alphabet = "abcdefgh12345678 ,\r\n\xE9x";
    std::mt19937 random(1650);
    for (int i = 0; i < 3000; ++i) {
        std::string text = sample;
        for (int e = 0; e < 20; ++e) {
            const std::size_t at = random() % text.size();
            if (random() % 3 == 0)
                text.erase(at, random() % 8);
            else
                text[at] = alphabet[random() % alphabet.size()];
            if (text.empty()) text.push_back(' ');
        }
        OpeningBook book;
        book.loadFromText(text);
        for (const bool black : {false, true}) {
            GameRecord game = test::newScriptedGame(black);
            if (!black) {
                ASSERT_TRUE(test::playScripted(game, "e2e4"));
            }
            const GameRecord before = game;
            if (book.playBookMove(game, static_cast<int>(random() % 32768))) {
                ASSERT_EQ(game.plyCount, before.plyCount + 1);
                // Replaying the recorded text through the rules must agree.
                GameRecord check = before;
                const MoveText t = game.moves[static_cast<std::size_t>(before.plyCount)];
                std::string token = t.isCastling() ? "" : std::string{t[0], t[1], t[3], t[4]};
                if (!token.empty()) {
                    ASSERT_TRUE(test::playScripted(check, token)) << t.str();
                    ASSERT_EQ(check.current, game.current);
                }
            } else {
                ASSERT_EQ(game.current, before.current);
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
