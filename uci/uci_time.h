#pragma once
// How a "go" command bounds one search. The engine's own limits are whole
// seconds counted by the clock's tick, too coarse for the clocks chess
// programs keep; a timed "go" therefore raises the same two flags, main phase
// over and stop, at planned moments measured in milliseconds from the
// command. The tick still runs for the memory budget.

#include <chrono>
#include <optional>

#include "engine/search_status.h"
#include "uci/uci_go.h"

namespace quorvel {

struct SearchPlan {
    int maxDepthMain = 10;                                  // 1..10
    TimeLimits tickLimits;                                  // the whole-second limits the tick applies
    std::optional<std::chrono::milliseconds> mainPhaseEnd;  // from the command: main phase over
    std::optional<std::chrono::milliseconds> stopAt;        // from the command: stop
    bool waitForStop = false;                               // "infinite": bestmove only after "stop"
};

// A limit the tick never reaches.
constexpr std::int32_t kNoTimeLimit = 1 << 30;
// Kept back from every timed move: reading the command, answering after the
// stop, and the chess program's own delays.
constexpr std::chrono::milliseconds kMoveOverhead{50};

// The plan for the engine's side. `limits` and `depth` are the options' values.
SearchPlan planSearch(const GoRequest& request, bool engineIsWhite, const TimeLimits& limits, int depth);

// The thinking time given to one move by a clock: `remaining` and
// `increment` of the engine's side, `movesToGo` to the next time control
// (0 when the rest of the game must be played in that time).
std::chrono::milliseconds moveAllotment(long long remaining, long long increment, int movesToGo);

}  // namespace quorvel
