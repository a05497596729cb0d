// The levels: their presets pinned, the level in force as options change by
// hand, and, on fixed positions, the moves the levels choose.

#include "engine/levels.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/search_driver.h"
#include "engine_test_support.h"
#include "rules/uci_move.h"

namespace quorvel {
namespace {

// The move `options` and `choice` play in `fen` (side to move: the computer),
// in coordinates, with no clock: the depth ends the search.
std::string movePlayed(const char* fen, const EngineOptions& options, RootChoice choice) {
    SearchStatus status;
    SearchDriver driver(status);
    driver.setRootChoice(choice);
    auto record = test::recordFromFen(fen);
    const GameRecord before = *record;
    status.prepareSearchWithoutWindow();
    driver.start(*record, options, false);
    driver.wait();
    if (record->plyCount != before.plyCount + 1) return "(none)";
    return uciMoveOfRecorded(before.current, record->moves[static_cast<std::size_t>(before.plyCount)],
                             record->playerIsBlack);
}

std::string levelMove(const char* fen, int level, std::uint32_t seed) {
    const LevelPreset& preset = levelPreset(level);
    return movePlayed(fen, preset.options, {preset.choiceMargin, seed});
}

TEST(Levels, PresetsArePinned) {
    struct Row {
        int main, secondary, mainTime, secondaryTime, margin;
    };
    const Row rows[kLevelCount] = {
        {3, 0, 4, 4, 150}, {3, 0, 4, 4, 80}, {3, 0, 4, 4, 30}, {3, 0, 4, 4, 0},
        {3, 3, 4, 4, 60},  {3, 3, 4, 4, 25}, {3, 3, 4, 4, 0}, {10, 3, 9, 8, 0},
    };
    for (int level = 1; level <= kLevelCount; ++level) {
        const LevelPreset& p = levelPreset(level);
        const Row& r = rows[level - 1];
        SCOPED_TRACE("level " + std::to_string(level));
        EXPECT_EQ(p.number, level);
        EXPECT_EQ(p.options.maxDepthMain, r.main);
        EXPECT_EQ(p.options.maxDepthSecondary, r.secondary);
        EXPECT_EQ(p.limits.mainTimeLimit, r.mainTime);
        EXPECT_EQ(p.limits.secondaryTimeLimit, r.secondaryTime);
        EXPECT_EQ(p.choiceMargin, r.margin);
        // Tolerance, minimum sons and the two check boxes stay the defaults'.
        EngineOptions rest = p.options;
        rest.maxDepthMain = EngineOptions{}.maxDepthMain;
        rest.maxDepthSecondary = EngineOptions{}.maxDepthSecondary;
        EXPECT_EQ(rest, EngineOptions{});
        if (level > 1) {
            EXPECT_GT(p.elo, levelPreset(level - 1).elo);
        }
        EXPECT_EQ(p.elo % 50, 0);
    }
}

TEST(Levels, TheStrongestIsTheProgramsDefaults) {
    const LevelPreset& top = levelPreset(kLevelCount);
    EXPECT_EQ(top.options, EngineOptions{});
    EXPECT_EQ(top.limits.mainTimeLimit, TimeLimits{}.mainTimeLimit);
    EXPECT_EQ(top.limits.secondaryTimeLimit, TimeLimits{}.secondaryTimeLimit);
    EXPECT_EQ(top.choiceMargin, 0);
    EXPECT_EQ(levelInForce(kCustomLevel, EngineOptions{}, TimeLimits{}), kLevelCount);
}

TEST(Levels, ALevelKeepsThePlayersDisplayFlags) {
    EngineOptions options;
    options.extraDisplays = true;
    options.spareEngineFlag = true;
    options.alphaBetaTolerance = 300;
    TimeLimits limits{200, 40};
    applyLevel(1, options, limits);
    EXPECT_TRUE(options.extraDisplays);
    EXPECT_TRUE(options.spareEngineFlag);
    EXPECT_EQ(options.alphaBetaTolerance, 0);
    EXPECT_EQ(options.maxDepthMain, levelPreset(1).options.maxDepthMain);
    EXPECT_EQ(limits.mainTimeLimit, levelPreset(1).limits.mainTimeLimit);
    EXPECT_TRUE(matchesLevel(1, options, limits));
}

TEST(Levels, LevelInForceFollowsHandChanges) {
    struct Case {
        const char* name;
        int remembered;
        int applied;  // the level whose preset the settings start from
        void (*change)(EngineOptions&, TimeLimits&);
        int expected;
    };
    const Case cases[] = {
        {"unchanged", 5, 5, [](EngineOptions&, TimeLimits&) {}, 5},
        {"display flag only", 5, 5, [](EngineOptions& o, TimeLimits&) { o.extraDisplays = true; }, 5},
        {"main depth", 5, 5, [](EngineOptions& o, TimeLimits&) { o.maxDepthMain = 6; }, kCustomLevel},
        {"secondary depth", 6, 6, [](EngineOptions& o, TimeLimits&) { o.maxDepthSecondary = 2; },
         kCustomLevel},
        {"tolerance", 8, 8, [](EngineOptions& o, TimeLimits&) { o.alphaBetaTolerance = 1; }, kCustomLevel},
        {"minimum sons", 8, 8, [](EngineOptions& o, TimeLimits&) { o.minSons = 2; }, kCustomLevel},
        {"horizon", 4, 4, [](EngineOptions& o, TimeLimits&) { o.horizonReduction = false; }, kCustomLevel},
        {"sorting", 4, 4, [](EngineOptions& o, TimeLimits&) { o.alphaBetaSorting = false; }, kCustomLevel},
        {"main time", 8, 8, [](EngineOptions&, TimeLimits& t) { t.mainTimeLimit = 4; }, kCustomLevel},
        {"secondary time", 8, 8, [](EngineOptions&, TimeLimits& t) { t.secondaryTimeLimit = 4; },
         kCustomLevel},
        // A level with a margin shares its options with one without: only
        // the remembered level tells them apart.
        {"margin level remembered", 2, 2, [](EngineOptions&, TimeLimits&) {}, 2},
        {"margin level forgotten", kCustomLevel, 2, [](EngineOptions&, TimeLimits&) {}, 4},
        {"another level's preset", 5, 4, [](EngineOptions&, TimeLimits&) {}, 4},
        {"hand change back to a preset", kCustomLevel, 7,
         [](EngineOptions& o, TimeLimits&) {
             o.maxDepthMain = 9;
             o.maxDepthMain = 3;
         },
         7},
    };
    for (const Case& c : cases) {
        EngineOptions options;
        TimeLimits limits;
        applyLevel(c.applied, options, limits);
        c.change(options, limits);
        EXPECT_EQ(levelInForce(c.remembered, options, limits), c.expected) << c.name;
    }
}

// Positions with the computer to move (White), and what each level plays.
struct Choice {
    const char* name;
    const char* fen;
    std::set<std::string> good;  // the moves that keep or win the material
    int fromLevel;               // levels from this one up play one of them, whatever the seed
};

const Choice kChoices[] = {
    {"a free queen is taken", "4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1", {"d2d5"}, 1},
    {"a mate in one is never missed", "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", {"d1d8"}, 1},
    {"a knight fork wins the rook", "r3k3/8/8/1N6/8/8/8/4K3 w - - 0 1", {"b5c7"}, 1},
};

TEST(Levels, EveryLevelTakesWhatItSees) {
    for (const Choice& c : kChoices) {
        for (int level = c.fromLevel; level <= 7; ++level) {
            const std::uint32_t seeds = levelPreset(level).choiceMargin > 0 ? 4 : 1;
            for (std::uint32_t seed = 1; seed <= seeds; ++seed) {
                EXPECT_TRUE(c.good.count(levelMove(c.fen, level, seed)))
                    << c.name << ", level " << level << ", seed " << seed;
            }
        }
    }
}
// The levels with a margin draw their moves: in an opening they vary with
// the seed; the levels without one play the search's own move, whatever the
// seed. A seed gives the same move each time.
TEST(Levels, WeakLevelsDrawTheirMovesStrongOnesDoNot) {
    const char* const fork = kChoices[2].fen;
    const char* const opening = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1";
    struct Case {
        const char* fen;
        int level;
        bool varies;
    };
    const Case cases[] = {{opening, 1, true}, {opening, 2, true},  {fork, 4, false},
                          {opening, 4, false}, {fork, 7, false}, {opening, 7, false}};
    for (const Case& c : cases) {
        std::set<std::string> moves;
        for (std::uint32_t seed = 1; seed <= 6; ++seed) moves.insert(levelMove(c.fen, c.level, seed));
        EXPECT_EQ(moves.size() > 1, c.varies) << c.fen << ", level " << c.level;
        EXPECT_EQ(levelMove(c.fen, c.level, 3), levelMove(c.fen, c.level, 3))
            << c.fen << ", level " << c.level;
    }
}

// No margin, whatever the seed, is the search's own choice: the same move
// as a driver never given a choice.
TEST(Levels, NoMarginIsTheSearchsOwnChoice) {
    const char* const fens[] = {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1",
                                "r3k3/8/8/1N6/8/8/8/4K3 w - - 0 1"};
    for (const char* fen : fens) {
        EngineOptions options;
        options.maxDepthMain = 4;
        SearchStatus status;
        SearchDriver plain(status);
        auto record = test::recordFromFen(fen);
        const GameRecord before = *record;
        status.prepareSearchWithoutWindow();
        plain.start(*record, options, false);
        plain.wait();
        const std::string own = uciMoveOfRecorded(
            before.current, record->moves[static_cast<std::size_t>(before.plyCount)], record->playerIsBlack);
        for (std::uint32_t seed : {0u, 1u, 77u}) EXPECT_EQ(movePlayed(fen, options, {0, seed}), own) << fen;
    }
}

}  // namespace
}  // namespace quorvel
