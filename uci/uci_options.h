#pragma once
// The engine's settings as a chess program sees them: the values of the
// engine options dialog and the two thinking-time limits, with their ranges
// and defaults, and the opening book.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_options.h"
#include "engine/search_status.h"

namespace quorvel {

struct UciSettings {
    EngineOptions engine;
    TimeLimits limits;     // seconds
    int level = 0;         // "Level": 1..kLevelCount set its preset and its root choice; 0 none
    bool ownBook = true;   // answer from the opening book while the game follows it
    std::string bookFile;  // the book's path
};

// The "option name ... type ..." lines, defaults taken from `defaults`.
std::vector<std::string> uciOptionLines(const UciSettings& defaults);

// The root choice's margin of the level set, 0 without one.
int levelChoiceMargin(const UciSettings& settings);

// Applies the words after "setoption" ("name N [value V]", names in any
// case). Returns what was wrong, leaving the settings as they were, or
// nullopt.
std::optional<std::string> applySetOption(std::string_view arguments, UciSettings& settings);

}  // namespace quorvel
