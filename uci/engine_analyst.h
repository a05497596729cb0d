#pragma once
// An engine installed on the computer (Stockfish, GNU Chess...) as an
// analyst, through the UCI client: each request is one search with a
// "movetime", its answer the engine's best move with the last score and
// line it gave. The engine is started when the analyst is made, so its
// handshake runs while nothing is asked yet.
//
// The queue's worker speaks to the engine, one request at a time; the
// client's own thread only hands it the engine's answers and faults. A fault (the engine does not answer, has
// stopped, plays an illegal move) answers the request with its French
// message; the analyst stays answerable, every request then saying so.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "uci/chess_engine.h"
#include "uci/queued_analyst.h"

namespace quorvel {

// What the player reads when an engine fails: "Le moteur Stockfish ne
// répond pas", "Le moteur Stockfish s'est arrêté", "Coup illégal du moteur
// Stockfish : e2e5".
std::string engineFaultText(const EngineFault& fault, const std::string& engineName);

class EngineAnalyst final : public QueuedAnalyst {
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

private:
    Analysis run(std::unique_lock<std::mutex>& lock, const Job& job) override;
    EngineEvents events();

    std::string name_;
    // What the engine said of the search under way.
    int finished_ = 0;  // the number of the last search over: answers up to it are late
    std::optional<SearchAnswer> heardAnswer_;
    std::optional<EngineFault> heardFault_;
    std::optional<AnalysisScore> heardExact_;  // the last exact score of the best line
    std::vector<std::string> heardExactLine_;
    std::optional<EngineFault> lastFault_;  // one that ended the engine
    bool ended_ = false;

    std::unique_ptr<ChessEngine> engine_;
};

}  // namespace quorvel
