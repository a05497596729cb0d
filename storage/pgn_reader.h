#pragma once
// Reading PGN text as other chess programs write it: several games in one
// file, each a section of tag pairs and a move text. The reader keeps the
// tags and the moves of the main line and drops what only annotates them:
// comments { } and ; , variations ( ) to any depth, NAGs ($1) and "!?"
// marks, move numbers ("12." "12..."), lines starting with '%'. Windows and
// Unix line ends, UTF-8 and Latin-1 text are all read.

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct PgnTag {
    std::string name;
    std::string value;  // UTF-8, escapes resolved
};

struct PgnGameText {
    std::vector<PgnTag> tags;
    std::vector<std::string> moves;  // the main line's move tokens, as written ("Nxe4+", "0-0")
    std::string result;              // the game's closing token; "*" when it had none
    std::string problem;             // what made the text unreadable (French), empty when none

    // The value of a tag, empty when the game has none.
    std::string tag(std::string_view name) const;
    // "White – Black, Event, Date, Result", for choosing among the games.
    std::string summary() const;
};

// The games of a file's bytes, in order.
std::vector<PgnGameText> readPgnGames(std::string_view bytes);

}  // namespace quorvel
