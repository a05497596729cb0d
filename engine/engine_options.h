#pragma once
// The search settings, edited by the engine options dialog and kept in the
// settings file. The defaults are the program's start-up values and what
// "Par défaut" restores.

#include <cstdint>

namespace quorvel {

struct EngineOptions {
    bool extraDisplays = false;           // open the information dialog after each computer move
    std::int32_t alphaBetaTolerance = 0;  // soft cut-off tolerance, hundredths of a pawn, 0..1000
    std::int8_t maxDepthMain = 10;        // highest depth limit of the main tree, 1..10
    std::int32_t minSons = 1;             // children searched after a cut-off, 1..100
    std::int8_t maxDepthSecondary = 3;    // depth budget of each secondary tree, 0..10 (0: off)
    bool horizonReduction = true;         // horizon-effect term of the evaluation
    bool alphaBetaSorting = true;         // sort siblings in the back-up pass
    bool spareEngineFlag = false;         // carried by the dialog and the settings file only

    friend bool operator==(const EngineOptions&, const EngineOptions&) = default;
};

}  // namespace quorvel
