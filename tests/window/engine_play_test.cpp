// What the window tells an engine of another program and how it shows what
// the engine says: the strength from what it offers, the time of a move, its
// line in the player's notation and its score.

#include "window/engine_play.h"

#include <gtest/gtest.h>

#include "rules/fen.h"
#include "uci/game_for_engine.h"

namespace quorvel::testing {
namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;

EngineOffers offering(bool elo, bool skill) {
    EngineOffers offers;
    if (elo) offers.elo = IntRange{1350, 2850};
    if (skill) offers.skillLevel = IntRange{0, 20};
    return offers;
}

EngineStrength strength(std::optional<int> elo, std::optional<int> skill, std::optional<int> seconds = {}) {
    EngineStrength s;
    s.elo = elo;
    s.skillLevel = skill;
    s.moveSeconds = seconds;
    return s;
}

// The Elo first, then the skill level, and only what the engine offers.
TEST(EnginePlay, TheStrengthIsSetFromWhatTheEngineOffersInOrder) {
    struct Row {
        const char* what;
        EngineOffers offers;
        EngineStrength chosen;
        Settings expected;
    };
    const Row rows[] = {
        {"an Elo chosen and offered",
         offering(true, true),
         strength(1500, 5),
         {{"UCI_LimitStrength", "true"}, {"UCI_Elo", "1500"}}},
        {"an Elo below the range",
         offering(true, false),
         strength(1000, {}),
         {{"UCI_LimitStrength", "true"}, {"UCI_Elo", "1350"}}},
        {"an Elo above the range",
         offering(true, false),
         strength(4000, {}),
         {{"UCI_LimitStrength", "true"}, {"UCI_Elo", "2850"}}},
        {"no Elo chosen: full strength",
         offering(true, true),
         strength({}, 5),
         {{"UCI_LimitStrength", "false"}}},
        {"a skill level without Elo", offering(false, true), strength(1500, 5), {{"Skill Level", "5"}}},
        {"a skill level past its range", offering(false, true), strength({}, 25), {{"Skill Level", "20"}}},
        {"no skill level chosen", offering(false, true), strength({}, {}), {}},
        {"nothing offered", offering(false, false), strength(1500, 5), {}},
    };
    for (const Row& row : rows) EXPECT_EQ(strengthSettings(row.chosen, row.offers), row.expected) << row.what;
}

TEST(EnginePlay, AMoveTakesTheGamesTimeUnlessTheEngineOffersNothingElse) {
    struct Row {
        const char* what;
        EngineOffers offers;
        EngineStrength chosen;
        long long moveTime;
    };
    const TimeLimits limits{9, 8};
    const Row rows[] = {
        {"the game's time", offering(true, true), strength({}, {}), 17000},
        {"its own time, unused while it offers an Elo", offering(true, false), strength({}, {}, 3), 17000},
        {"its own time, unused while it offers a skill", offering(false, true), strength({}, {}, 3), 17000},
        {"its own time", offering(false, false), strength({}, {}, 3), 3000},
        {"no time of its own", offering(false, false), strength({}, {}), 17000},
    };
    for (const Row& row : rows) {
        const GoRequest go = moveLimits(limits, row.chosen, row.offers);
        EXPECT_EQ(go.moveTime, row.moveTime) << row.what;
        EXPECT_FALSE(go.whiteTime || go.blackTime || go.depth || go.infinite) << row.what;
    }
    EXPECT_EQ(moveLimits(TimeLimits{4, 4}, {}, {}).moveTime, 8000);
}

ChessPosition from(const std::string& fen) {
    auto setup = parseFen(fen, FenOrientation::whiteLower);
    return liveChessPosition(std::get<FenSetup>(setup).record);
}

// "Niveau 9" and up: every 200 Elo from 1400, the engine's top last.
TEST(EnginePlay, TheLadderClimbsFrom1400ToTheEnginesTop) {
    struct Row {
        const char* what;
        int low, high;
        std::size_t most;
        std::vector<int> expected;
    };
    const Row rows[] = {
        {"Debian's Stockfish 15.1", 1350, 2850, 12, {1400, 1600, 1800, 2000, 2200, 2400, 2600, 2850}},
        {"a top one step away", 1320, 3190, 12, {1400, 1600, 1800, 2000, 2200, 2400, 2600, 2800, 3000, 3190}},
        {"a top just past a step", 1320, 2700, 12, {1400, 1600, 1800, 2000, 2200, 2400, 2700}},
        {"a range from above 1400", 1500, 2000, 12, {1500, 1700, 2000}},
        {"a range ending at 1400", 1000, 1400, 12, {1400}},
        {"a range below 1400", 800, 1399, 12, {}},
        {"a short room keeps the top", 1350, 2850, 3, {1400, 1600, 2850}},
        {"no room", 1350, 2850, 0, {}},
    };
    for (const Row& row : rows) EXPECT_EQ(eloLadder(row.low, row.high, row.most), row.expected) << row.what;
}

TEST(EnginePlay, TheLineIsWrittenInThePlayersNotationUpToItsFirstIllegalMove) {
    struct Row {
        const char* what;
        std::string fen;
        std::vector<std::string> pv;
        bool algebraic;
        std::string expected;
    };
    const std::string start = kStartFen;
    const std::string castle = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const Row rows[] = {
        {"French letters", start, {"g1f3", "g8f6", "e2e4", "f6e4"}, true, "Cf3   Cf6   e4   Cxe4"},
        {"coordinates", start, {"g1f3", "g8f6", "e2e4", "f6e4"}, false, "g1-f3   g8-f6   e2-e4   f6xe4"},
        {"castling both ways", castle, {"e1c1", "e8g8"}, false, "o-o-o   o-o"},
        {"castling as the move list writes it", castle, {"e1g1", "e8c8"}, true, "o-o   o-o-o"},
        {"en passant is a capture", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2", {"e5d6"}, false, "e5xd6"},
        {"a promotion names its piece", "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", {"b7b8n"}, false, "b7-b8=C"},
        {"a promotion in letters", "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", {"b7b8q"}, true, "b8=D+"},
        {"an illegal move ends the line", start, {"e2e4", "e2e4", "g8f6"}, true, "e4"},
        {"junk ends the line", start, {"e2e4", "zz", "g8f6"}, true, "e4"},
        {"a promotion without its piece ends it", "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", {"b7b8"}, true, ""},
        {"Black to move", "4k3/8/8/8/8/8/3p4/4K3 b - - 0 1", {"d2d1q", "e1d1"}, true, "d1=D+   Rxd1"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(engineLineText(from(row.fen), row.pv, row.algebraic), row.expected) << row.what;

    const std::vector<std::string> shuffle = {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3"};
    EXPECT_EQ(engineLineText(from(start), shuffle, true, 2), "Cf3   Cf6");
    EXPECT_EQ(engineLineText(from(start), shuffle, true, 0), "");
}

TEST(EnginePlay, TheScoreIsTheEnginesSidesInPawnsOrMoves) {
    struct Row {
        UciScore score;
        bool engineIsWhite;
        std::string expected;
    };
    const Row rows[] = {
        {{UciScore::Kind::centipawns, 31}, false, "note finale des Noirs : 0.31"},
        {{UciScore::Kind::centipawns, -250}, true, "note finale des Blancs : -2.50"},
        {{UciScore::Kind::centipawns, 0}, true, "note finale des Blancs : 0.00"},
        {{UciScore::Kind::mate, 3}, false, "note finale des Noirs : mat en 3"},
        {{UciScore::Kind::mate, -2}, true, "note finale des Blancs : mat subi en 2"},
        {{UciScore::Kind::mate, 0}, true, "note finale des Blancs : mat subi"},
    };
    for (const Row& row : rows) EXPECT_EQ(engineScoreText(row.score, row.engineIsWhite), row.expected);
}

}  // namespace
}  // namespace quorvel::testing
