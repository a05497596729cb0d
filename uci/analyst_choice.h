#pragma once
// Which analyst the coach asks, by the name the settings and the command
// line keep: "quorvel" for Quorvel's own engine (always there), "auto" for
// the strongest at hand (Stockfish when it is installed, else Quorvel's
// own), or the command line of an engine installed on the computer
// ("stockfish", "/usr/games/gnuchess --uci").

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "uci/analyst.h"
#include "uci/engine_command.h"

namespace quorvel {

inline constexpr const char* kOwnAnalyst = "quorvel";
inline constexpr const char* kStrongestAnalyst = "auto";

// The engine a choice names, or nullopt for Quorvel's own: "auto" without
// Stockfish installed is Quorvel's own.
std::optional<EngineCommand> analystCommand(const std::string& choice);

// The analyst of a choice. An engine that can't be started answers every
// request with why (see EngineAnalyst). `totalMemory` bounds Quorvel's own
// search, as in the game.
std::unique_ptr<Analyst> makeAnalyst(const std::string& choice, std::uint64_t totalMemory);

// The choices to offer: the two above, then each engine Debian ships that is
// installed here, as its command line.
struct AnalystChoice {
    std::string key;   // what the settings keep
    std::string name;  // what the player reads
};
std::vector<AnalystChoice> analystChoices();

}  // namespace quorvel
