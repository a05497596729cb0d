#include "engine/search_status.h"

namespace quorvel {

void accountSearchSecond(SearchStatus& status, const TimeLimits& limits, std::uint64_t totalMemory) {
    const bool mainWasOver = status.mainPhaseOver.load();
    const std::int32_t seconds = status.searchSeconds.fetch_add(1) + 1;
    const std::int32_t secondary =
        mainWasOver ? status.secondarySeconds.fetch_add(1) + 1 : status.secondarySeconds.load();
    if (seconds > limits.mainTimeLimit || status.memoryInUse() > totalMemory / 3)
        status.mainPhaseOver.store(true);
    if (secondary > limits.secondaryTimeLimit) {
        status.stop.store(true);
        status.wakeSearchThread();
    }
}

void pressStop(SearchStatus& status) {
    // A first press ends the main phase; a press after it stops everything.
    status.stop.store(status.mainPhaseOver.load());
    status.mainPhaseOver.store(true);
    status.wakeSearchThread();
}

void abortSearch(SearchStatus& status) {
    status.mainPhaseOver.store(true);
    status.stop.store(true);
    status.wakeSearchThread();
}

}  // namespace quorvel
