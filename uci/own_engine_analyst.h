#pragma once
// Quorvel's own engine as an analyst, at its full settings (the engine
// options' defaults) and without its opening book, whose moves carry no
// score. It is driven through an in-process UCI session: "go movetime"
// plans the search in milliseconds, and the session's lines give the score
// and the line as any engine would.
//
// The queue's worker speaks to the session, one request at a time; the
// session's own threads only hand it their lines.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "uci/queued_analyst.h"

namespace quorvel {

class UciSession;

class OwnEngineAnalyst final : public QueuedAnalyst {
public:
    // `totalMemory` sets the search's memory budget, as in the game.
    explicit OwnEngineAnalyst(std::uint64_t totalMemory);
    // Stops a running request and waits for the engine; no answer is given
    // after this.
    ~OwnEngineAnalyst() override;
    OwnEngineAnalyst(const OwnEngineAnalyst&) = delete;
    OwnEngineAnalyst& operator=(const OwnEngineAnalyst&) = delete;

    std::string name() const override;

private:
    Analysis run(std::unique_lock<std::mutex>& lock, const Job& job) override;
    void heard(const std::string& line);  // a line of the session, on any of its threads

    // What the session said of the running request.
    std::optional<AnalysisScore> heardScore_;
    std::vector<std::string> heardLine_;
    std::optional<std::string> heardBestMove_;

    std::unique_ptr<UciSession> session_;
};

}  // namespace quorvel
