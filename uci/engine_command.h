#pragma once
// How to start an engine: a program and its arguments, as the user names it
// on a command line ("gnuchess --uci") or in the list of engines.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct EngineCommand {
    std::string program;                 // a path, or a name looked up on PATH
    std::vector<std::string> arguments;  // not including the program

    // The program's file name without its folder, the name an engine goes
    // by before it has said its own ("stockfish").
    std::string shortName() const;
    // The command as one line, words with blanks or quotes quoted.
    std::string text() const;

    friend bool operator==(const EngineCommand&, const EngineCommand&) = default;
};

// Splits a command line into words as a shell would for plain words:
// blanks separate them, single or double quotes keep blanks inside one,
// a backslash takes the next character as it is. Nullopt for an empty line
// or an unclosed quote.
std::optional<EngineCommand> parseEngineCommand(std::string_view line);

}  // namespace quorvel
