#pragma once
// What an engine offers, read from what it says after "uci": its name and
// author, its options, and the two ways it may be made weaker. A strength
// dialog shows only what is there: an Elo within the engine's own range
// (UCI_LimitStrength with UCI_Elo), else a skill level, else nothing but
// the time per move.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "uci/uci_option_line.h"

namespace quorvel {

struct IntRange {
    int low = 0;
    int high = 0;

    friend bool operator==(const IntRange&, const IntRange&) = default;
};

struct EngineOffers {
    std::string name;    // its "id name", or the program's file name when it gave none
    std::string author;  // its "id author", may be empty
    std::vector<UciOption> options;
    std::optional<IntRange> elo;  // UCI_LimitStrength and UCI_Elo (a spin with its range) are both there
    std::optional<IntRange> skillLevel;  // "Skill Level", a spin with its range

    // The option of that name, in any case; nullptr when there is none.
    const UciOption* find(std::string_view optionName) const;
};

// The strength offers of a list of options (fills `elo` and `skillLevel`).
void readStrengthOffers(EngineOffers& offers);

// A value fit for the option: a spin's number within its range, a check's
// true or false, one of a combo's choices (in any case), any text for a
// string. Returns what is wrong, or nullopt.
std::optional<std::string> checkOptionValue(const UciOption& option, std::string_view value);

// A spin's whole number outside its range, brought to the nearer end (what
// engines themselves do with it); nullopt for a value inside the range, or
// that is no whole number, or for an option that is no spin.
std::optional<int> clampedSpinValue(const UciOption& option, std::string_view value);

}  // namespace quorvel
