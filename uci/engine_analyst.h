#pragma once
// An engine installed on the computer (Stockfish, GNU Chess...) as an
// analyst, through the UCI client: each request is one search with a
// "movetime", its answer the engine's best move with the last score and
// line it gave. The engine is started when the analyst is made, so its
// handshake runs while nothing is asked yet.
//
// One worker thread speaks to the engine, one request at a time, as the
// own engine's analyst does; the client's own thread only hands it the
// engine's answers and faults. A fault (the engine does not answer, has
// stopped, plays an illegal move) answers the request with its French
// message; the analyst stays answerable, every request then saying so.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "uci/analyst.h"
#include "uci/chess_engine.h"

namespace quorvel {

// What the player reads when an engine fails: "Le moteur Stockfish ne
// répond pas", "Le moteur Stockfish s'est arrêté", "Coup illégal du moteur
// Stockfish : e2e5".
std::string engineFaultText(const EngineFault& fault, const std::string& engineName);

class EngineAnalyst final : public Analyst {
public:
    // `engine` is the client's adapter (makeUciEngine()); it is started on
    // `command` at once.
    EngineAnalyst(EngineCommand command, std::unique_ptr<ChessEngine> engine);
    // Stops a running request, ends the engine and waits for its process;
    // no answer is given after this.
    ~EngineAnalyst() override;
    EngineAnalyst(const EngineAnalyst&) = delete;
    EngineAnalyst& operator=(const EngineAnalyst&) = delete;

    // The engine's own name once it has said it, the program's before.
    std::string name() const override;
    std::uint64_t analyse(AnalysisRequest request, Answer answer) override;
    void cancel() override;

private:
    struct Job {
        std::uint64_t number = 0;
        AnalysisRequest request;
        Answer answer;
        bool skipped = false;  // cancelled or followed by another before it started: answered unsearched
    };

    void work();
    Analysis run(std::unique_lock<std::mutex>& lock, const Job& job);
    EngineEvents events();

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string name_;
    std::uint64_t lastNumber_ = 0;
    std::deque<Job> queue_;
    bool running_ = false;
    bool stopWanted_ = false;
    bool closing_ = false;
    // What the engine said of the search under way.
    int finished_ = 0;  // the number of the last search over: answers up to it are late
    std::optional<SearchAnswer> heardAnswer_;
    std::optional<EngineFault> heardFault_;
    std::optional<AnalysisScore> heardExact_;  // the last exact score of the best line
    std::vector<std::string> heardExactLine_;
    std::optional<EngineFault> lastFault_;  // one that ended the engine
    bool ended_ = false;

    std::unique_ptr<ChessEngine> engine_;
    std::thread worker_;  // last: it uses everything above
};

}  // namespace quorvel
