// Our book as shipped: every line is read by the loader and every token is a
// legal move when the line is replayed from the initial position.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "../storage/scripted_game.h"
#include "engine/opening_book.h"

namespace quorvel {
namespace {

std::string bookText() {
    std::ifstream in(QUORVEL_BOOK_FILE, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(BookContent, LoaderAcceptsEveryLineOfTheFile) {
    const std::string text = bookText();
    ASSERT_FALSE(text.empty()) << QUORVEL_BOOK_FILE;
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);  // CR LF, never a lone LF

    OpeningBook book;
    ASSERT_EQ(book.load(QUORVEL_BOOK_FILE), OpeningBook::LoadStatus::loaded);
    EXPECT_GE(book.lineCount(), 300);
    EXPECT_EQ(static_cast<std::size_t>(book.lineCount()), lines);
}

TEST(BookContent, EveryLineReplaysLegallyWithItsName) {
    OpeningBook book;
    book.load(QUORVEL_BOOK_FILE);
    for (int n = 0; n < book.lineCount(); ++n) {
        std::string tokens;
        int count = 0;
        while (count < OpeningBook::kSlots && !book.token(n, count).empty())
            tokens += book.token(n, count++) + " ";
        const std::string& name = book.lineName(n);
        EXPECT_GE(count, 8) << name;
        EXPECT_FALSE(name.empty()) << "line " << n + 1;
        EXPECT_NE(name[0], ' ') << name;
        GameRecord game = test::newScriptedGame(false);
        EXPECT_EQ(test::playScriptedLine(game, tokens), count) << "line " << n + 1 << ": " << name << "\n"
                                                               << tokens;
    }
}

}  // namespace
}  // namespace quorvel
