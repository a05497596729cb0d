#pragma once
// The levels of play a player chooses from, "Niveau 1" to "Niveau 8": each a
// preset of the engine options and thinking times, and, for the weakest, a
// margin within which the move is drawn at random among the root's moves.
// Level 8 is the program's defaults. Each level's strength was measured in
// matches (tools/calibrate-levels.sh, docs/levels.md) on Stockfish's
// UCI_Elo scale.

#include <cstdint>

#include "engine/engine_options.h"
#include "engine/search_status.h"

namespace quorvel {

struct LevelPreset {
    int number;             // 1..kLevelCount
    EngineOptions options;  // its extraDisplays and spareEngineFlag are the defaults' (see applyLevel)
    TimeLimits limits;      // seconds
    int choiceMargin;       // hundredths of a pawn, 0: the search's own choice
    int elo;                // measured strength, rounded to 50
};

constexpr int kLevelCount = 8;
// "Personnalisé": the options and times as the player set them.
constexpr int kCustomLevel = 0;

// Level `number`, 1..kLevelCount.
const LevelPreset& levelPreset(int number);

// The options and times of `level` in place of `options` and `limits`. The
// two display flags stay the player's: a level sets strength, not displays.
void applyLevel(int level, EngineOptions& options, TimeLimits& limits);

// Whether `options` and `limits` are `level`'s preset (the display flags aside).
bool matchesLevel(int level, const EngineOptions& options, const TimeLimits& limits);

// The level in force for these options and times: `remembered` when they are
// its preset, otherwise the first level without a choice margin whose preset
// they are (a margin cannot be seen in the options), otherwise kCustomLevel.
int levelInForce(int remembered, const EngineOptions& options, const TimeLimits& limits);

}  // namespace quorvel
