#include "uci/uci_time.h"

#include <algorithm>

namespace quorvel {

namespace {

// Some programs give an untimed game a clock of the largest number they can
// write. Past a year no figure changes a move, and the sums below and the
// moments on the steady clock stay far from overflowing.
constexpr long long kLongestTime = 365LL * 24 * 3600 * 1000;

}  // namespace

std::chrono::milliseconds moveAllotment(long long remaining, long long increment, int movesToGo) {
    // Sudden death is taken as thirty moves more; the increment comes back
    // after the move, so most of it may be spent now.
    remaining = std::min(remaining, kLongestTime);
    increment = std::min(increment, kLongestTime);
    const long long moves = movesToGo > 0 ? movesToGo : 30;
    long long allot = remaining / moves + increment * 3 / 4;
    // One move never takes more than a third of the clock, unless it is the
    // last before the time control; and something is always left on it.
    if (moves > 1) allot = std::min(allot, remaining / 3);
    const long long reserve = std::max<long long>(kMoveOverhead.count(), remaining / 20);
    allot = std::min(allot, remaining - reserve);
    return std::chrono::milliseconds(std::max(0LL, allot));
}

SearchPlan planSearch(const GoRequest& request, bool engineIsWhite, const TimeLimits& limits, int depth) {
    SearchPlan plan;
    plan.maxDepthMain = std::clamp(request.depth.value_or(depth), 1, 10);
    const auto& ownTime = engineIsWhite ? request.whiteTime : request.blackTime;
    const auto& ownIncrement = engineIsWhite ? request.whiteIncrement : request.blackIncrement;

    std::optional<std::chrono::milliseconds> budget;
    if (request.moveTime) budget = std::chrono::milliseconds(*request.moveTime);
    if (ownTime) {
        const auto allot = moveAllotment(*ownTime, ownIncrement.value_or(0), request.movesToGo.value_or(0));
        budget = budget ? std::min(*budget, allot) : allot;
    }
    if (request.infinite) {
        plan.tickLimits = {kNoTimeLimit, kNoTimeLimit};
        plan.waitForStop = true;
    } else if (budget) {
        // The main tree gets a little more than half, as the engine's own
        // default limits (9 and 8 seconds) give it; the stop comes early
        // enough for the answer to leave before the budget is spent.
        const auto total = std::clamp(*budget - kMoveOverhead, std::chrono::milliseconds(1),
                                      std::chrono::milliseconds(kLongestTime));
        plan.tickLimits = {kNoTimeLimit, kNoTimeLimit};
        plan.mainPhaseEnd = total * 55 / 100;
        plan.stopAt = total;
    } else if (request.depth) {
        // A fixed depth: the main tree is grown that deep whatever the time;
        // the secondary phase keeps its own limit.
        plan.tickLimits = {kNoTimeLimit, limits.secondaryTimeLimit};
    } else {
        plan.tickLimits = limits;
    }
    return plan;
}

}  // namespace quorvel
