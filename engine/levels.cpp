#include "engine/levels.h"

#include <array>
#include <cassert>

namespace quorvel {

namespace {

EngineOptions depths(int main, int secondary) {
    EngineOptions options;
    options.maxDepthMain = static_cast<std::int8_t>(main);
    options.maxDepthSecondary = static_cast<std::int8_t>(secondary);
    return options;
}

// The strength figures: docs/levels.md, where the ones not measured yet are
// marked as placeholders.
// The low levels are bounded by depth, so that their strength does not
// depend on the machine's speed; their time limits only cap a rare
// position with a huge tree. Level 8 thinks for the default 9 + 8 seconds.
const std::array<LevelPreset, kLevelCount> kLevels{{
    {1, depths(3, 0), {4, 4}, 150, 300},
    {2, depths(3, 0), {4, 4}, 80, 550},
    {3, depths(3, 0), {4, 4}, 30, 600},
    {4, depths(3, 0), {4, 4}, 0, 650},
    {5, depths(3, 3), {4, 4}, 60, 700},
    {6, depths(3, 3), {4, 4}, 25, 750},
    {7, depths(3, 3), {4, 4}, 0, 1250},
    {8, EngineOptions{}, TimeLimits{}, 0, 1300},
}};

bool sameStrength(const EngineOptions& a, const EngineOptions& b) {
    return a.alphaBetaTolerance == b.alphaBetaTolerance && a.maxDepthMain == b.maxDepthMain &&
           a.minSons == b.minSons && a.maxDepthSecondary == b.maxDepthSecondary &&
           a.horizonReduction == b.horizonReduction && a.alphaBetaSorting == b.alphaBetaSorting;
}

}  // namespace

const LevelPreset& levelPreset(int number) {
    assert(number >= 1 && number <= kLevelCount);
    return kLevels[static_cast<std::size_t>(number - 1)];
}

void applyLevel(int level, EngineOptions& options, TimeLimits& limits) {
    const LevelPreset& preset = levelPreset(level);
    const bool extraDisplays = options.extraDisplays;
    const bool spare = options.spareEngineFlag;
    options = preset.options;
    options.extraDisplays = extraDisplays;
    options.spareEngineFlag = spare;
    limits = preset.limits;
}

bool matchesLevel(int level, const EngineOptions& options, const TimeLimits& limits) {
    if (level < 1 || level > kLevelCount) return false;
    const LevelPreset& preset = levelPreset(level);
    return sameStrength(preset.options, options) && preset.limits.mainTimeLimit == limits.mainTimeLimit &&
           preset.limits.secondaryTimeLimit == limits.secondaryTimeLimit;
}

int levelInForce(int remembered, const EngineOptions& options, const TimeLimits& limits) {
    if (matchesLevel(remembered, options, limits)) return remembered;
    for (const LevelPreset& preset : kLevels) {
        if (preset.choiceMargin == 0 && matchesLevel(preset.number, options, limits)) return preset.number;
    }
    return kCustomLevel;
}

}  // namespace quorvel
