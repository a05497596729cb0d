#pragma once
// The openings a match starts its games from, read from a file: a PGN file
// (the first moves of each game, from its FEN when it has one) or a file of
// positions, one FEN a line (an EPD line's operations after its four fields
// are left out; blank lines and lines starting with '#' too). Every opening
// is played through the rules as it is read, so a match never starts from a
// position or a move the rules refuse.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorvel {

struct Opening {
    std::string fen;                 // empty: the initial position
    std::vector<std::string> moves;  // the engines' notation
};

// `plies` caps the moves taken from each PGN game (all of them when none).
// The error names the line or the game, and what is wrong.
std::variant<std::vector<Opening>, std::string> readOpenings(std::string_view text, std::optional<int> plies);

}  // namespace quorvel
