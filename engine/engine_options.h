#pragma once
// The search settings, edited by the engine options dialog and kept in the
// settings file. The defaults are the program's start-up values and what
// "Par défaut" restores.

#include <cstdint>

namespace quorvel {

// The values a number may take, both ends included.
struct ValueRange {
    int low, high;
};

struct EngineOptions {
    bool extraDisplays = false;           // open the information dialog after each computer move
    std::int32_t alphaBetaTolerance = 0;  // soft cut-off tolerance, hundredths of a pawn (kToleranceRange)
    std::int8_t maxDepthMain = 10;        // highest depth limit of the main tree (kMainDepthRange)
    std::int32_t minSons = 1;             // children searched after a cut-off (kMinSonsRange)
    std::int8_t maxDepthSecondary = 3;    // secondary trees' depth budget, 0: off (kSecondaryDepthRange)
    bool horizonReduction = true;         // horizon-effect term of the evaluation
    bool alphaBetaSorting = true;         // sort siblings in the back-up pass
    bool spareEngineFlag = false;         // carried by the dialog and the settings file only

    friend bool operator==(const EngineOptions&, const EngineOptions&) = default;
};

// The ranges of the numbers above, as the options dialog offers them.
constexpr ValueRange kToleranceRange{0, 1000};
constexpr ValueRange kMinSonsRange{1, 100};
constexpr ValueRange kMainDepthRange{1, 10};
constexpr ValueRange kSecondaryDepthRange{0, 10};
// The thinking-time limits of the main and secondary trees, seconds.
constexpr ValueRange kTimeLimitRange{1, 300};

}  // namespace quorvel
