#pragma once
// The opening book: lines of moves read from "ouvertures.txt". While the
// game follows one of them, the computer plays the line's next move instead
// of searching.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/position.h"

namespace quorvel {

class OpeningBook {
public:
    static constexpr int kMaxLines = 1650;
    static constexpr int kSlots = 20;          // half-moves stored per line
    static constexpr int kMaxNameLength = 99;  // characters, not bytes

    enum class LoadStatus { loaded, missing };

    // Reads the file; a file that can't be opened leaves the book empty.
    LoadStatus load(const std::string& path);
    // Parses book text (the file's content).
    void loadFromText(std::string_view text);

    int lineCount() const { return static_cast<int>(lines_.size()); }
    const std::string& lineName(int line) const { return lines_[static_cast<std::size_t>(line)].name; }
    // Token of slot `slot` ("e2e4"), empty when the slot is empty.
    std::string token(int line, int slot) const;

    // Plays the computer's next book move on the record (move text in chess
    // ranks, position into history, plyCount + 1). `random` is the generator's
    // first number after seeding with the time in seconds (0..32767); it picks
    // the line the scan starts from. Returns the played line's name, or
    // nullopt when no line matches (then nothing changed).
    std::optional<std::string> playBookMove(GameRecord& record, int random) const;

private:
    struct Line {
        std::array<std::array<char, 5>, kSlots> tokens{};
        std::string name;
    };
    std::vector<Line> lines_;
};

// The generator of the book: seeded with the time in seconds, gives 0..32767.
int bookRandom(std::uint32_t seedSeconds);

class SearchStatus;

// The search driver's book step for one computer move. Without a book or a
// line, or when no line follows the game, clears bookPlay; otherwise plays
// the move and sets the status text to "Ouverture : " and the line's name.
// Does nothing while bookPlay is clear. True when a move was played (the
// caller gives the beep).
bool playBookStep(const OpeningBook* book, GameRecord& record, SearchStatus& status,
                  std::uint32_t nowSeconds);

}  // namespace quorvel
