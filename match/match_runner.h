#pragma once
// A match between two engines: games in turn from the openings, each
// opening played twice so that each engine has each colour, on one or more
// pairs of engine processes side by side. The rules referee every game
// (MatchGame); an engine that fails loses its game and is started again for
// the next one.

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "match/elo.h"
#include "match/match_game.h"
#include "match/match_openings.h"
#include "uci/chess_engine.h"

namespace quorvel {

// One side of the match.
struct MatchEngine {
    EngineCommand command;
    std::vector<std::pair<std::string, std::string>> options;  // name, value; checked against its offers
    GoRequest limits;  // what each "go" says: a movetime, a depth, or nothing (the engine's own time)
    std::optional<std::chrono::milliseconds> deadline;  // per move; by default from the limits
};

struct MatchSettings {
    std::array<MatchEngine, 2> engines;
    int games = 2;
    int maxMoves = 200;             // full moves per game, a draw at the cap; 0: none
    std::vector<Opening> openings;  // empty: the initial position
    int concurrency = 1;            // games played at once, each with its own two processes
    EngineTimeouts timeouts;
    std::string date = "????.??.??";  // for the PGN
};

struct PlayedGame {
    int number = 0;            // from 1
    bool firstIsWhite = true;  // engine 1 had White
    std::string white, black;  // the engines' names
    Verdict verdict;
    std::string pgn;
};

struct MatchReport {
    std::array<std::string, 2> names;  // as the engines call themselves, told apart when alike
    MatchScore score;                  // engine 1's, in the games that ended
    int unfinished = 0;                // games that could not go on, counted for no one
    std::string stoppedBecause;        // why games were left unplayed; empty when none was
};

// The report, or why an engine could not be used: it does not answer, it
// has no option of that name, or refuses the value; nothing is played then.
// A number outside an option's range is brought within it, as the engine
// itself would, and `notice` says so once. `gameOver` is called for each
// finished game, one at a time, from the thread that played it.
std::variant<MatchReport, std::string> runMatch(const MatchSettings& settings,
                                                const std::function<void(const PlayedGame&)>& gameOver,
                                                const std::function<void(const std::string&)>& notice = {});

// What engine 1 scored in a game: +1 a win, 0 a draw, -1 a loss.
int firstEngineScore(const PlayedGame& game);

}  // namespace quorvel
