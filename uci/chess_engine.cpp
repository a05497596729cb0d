#include "uci/chess_engine.h"

#include "uci/uci_engine.h"

namespace quorvel {

const char* faultName(EngineFaultKind kind) {
    switch (kind) {
        case EngineFaultKind::notAnswering:
            return "not answering";
        case EngineFaultKind::stopped:
            return "stopped";
        case EngineFaultKind::illegalMove:
            return "illegal move";
        case EngineFaultKind::timeout:
            return "timeout";
    }
    return "fault";
}

std::optional<std::chrono::milliseconds> searchDeadline(const GoRequest& limits, bool whiteToMove,
                                                        const EngineTimeouts& timeouts) {
    if (limits.infinite) return std::nullopt;
    const auto& clock = whiteToMove ? limits.whiteTime : limits.blackTime;
    std::optional<long long> given = limits.moveTime;
    if (clock && (!given || *clock < *given)) given = clock;
    if (!given) return timeouts.openSearch;
    // A loaded machine answers late; an engine past a tenth more and the grace has hung.
    return std::chrono::milliseconds(*given + *given / 10) + timeouts.searchGrace;
}

std::unique_ptr<ChessEngine> makeUciEngine(EngineTimeouts timeouts) {
    return std::make_unique<UciEngine>(timeouts);
}

}  // namespace quorvel
