#pragma once
// A ChessEngine driven one step at a time, for callers without an event
// loop (the match runner, the tests): each call waits for the engine's
// answer or its fault. The waits end within the engine's own deadlines
// (handshake, readiness, search), so none is endless, except a search
// bounded by "infinite", which this does not take.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "uci/chess_engine.h"

namespace quorvel {

// How one search ended: an answer, a fault, or a request refused before
// anything was sent (a position the rules refuse, an engine that has ended).
struct SearchOutcome {
    std::optional<SearchAnswer> answer;
    std::optional<EngineFault> fault;
    std::string refused;
};

class SyncEngine {
public:
    explicit SyncEngine(std::unique_ptr<ChessEngine> engine);
    ~SyncEngine();  // ends the engine and waits for it
    SyncEngine(const SyncEngine&) = delete;
    SyncEngine& operator=(const SyncEngine&) = delete;

    // Starts the program and waits for the handshake: what it offers, or
    // the fault (notAnswering).
    std::variant<EngineOffers, EngineFault> start(const EngineCommand& command);
    void setOption(const std::string& name, const std::string& value);
    void newGame();
    SearchOutcome search(const SearchRequest& request);
    // Ends the engine and waits until its process is reaped.
    void quit();

    bool running() const;
    ChessEngine& engine() { return *engine_; }

private:
    std::unique_ptr<ChessEngine> engine_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<EngineOffers> offers_;
    std::vector<EngineFault> faults_;
    std::optional<SearchAnswer> answer_;
    bool ended_ = false;
    bool started_ = false;  // the caller's thread only
};

}  // namespace quorvel
