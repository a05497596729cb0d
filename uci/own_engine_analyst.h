#pragma once
// Quorvel's own engine as an analyst, at its full settings (the engine
// options' defaults) and without its opening book, whose moves carry no
// score. It is driven through an in-process UCI session: "go movetime"
// plans the search in milliseconds, and the session's lines give the score
// and the line as any engine would.
//
// One worker thread speaks to the session, one request at a time; the
// session's own threads only hand it their lines.

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

namespace quorvel {

class UciSession;

class OwnEngineAnalyst final : public Analyst {
public:
    // `totalMemory` sets the search's memory budget, as in the game.
    explicit OwnEngineAnalyst(std::uint64_t totalMemory);
    // Stops a running request and waits for the engine; no answer is given
    // after this.
    ~OwnEngineAnalyst() override;
    OwnEngineAnalyst(const OwnEngineAnalyst&) = delete;
    OwnEngineAnalyst& operator=(const OwnEngineAnalyst&) = delete;

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
    // Runs one job on the session; returns its analysis. Called with the
    // lock held, which it lets go while it speaks to the session.
    Analysis run(std::unique_lock<std::mutex>& lock, const Job& job);
    void heard(const std::string& line);  // a line of the session, on any of its threads

    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t lastNumber_ = 0;
    std::deque<Job> queue_;    // requests not started yet, oldest first
    bool running_ = false;     // the session searches for a request
    bool stopWanted_ = false;  // the running request should end now
    bool closing_ = false;
    // What the session said of the running request.
    std::optional<AnalysisScore> heardScore_;
    std::vector<std::string> heardLine_;
    std::optional<std::string> heardBestMove_;

    std::unique_ptr<UciSession> session_;
    std::thread worker_;  // last: it uses everything above
};

}  // namespace quorvel
