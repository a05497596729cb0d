#pragma once
// What both analysts share: the requests wait in a queue and one worker
// thread runs them one at a time. A new request or a cancel stops the one
// running, which answers with what it had; requests still waiting then are
// answered without a search, so every request gets exactly one answer.
//
// A subclass runs one request in run() and calls startWorker() at the end
// of its constructor and stopWorker() first in its destructor: the worker
// calls run(), which uses the subclass's members.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

#include "uci/analyst.h"

namespace quorvel {

class QueuedAnalyst : public Analyst {
public:
    // The subclass has stopped the worker: a thread left running would end
    // the program here.
    ~QueuedAnalyst() override = default;
    QueuedAnalyst(const QueuedAnalyst&) = delete;
    QueuedAnalyst& operator=(const QueuedAnalyst&) = delete;

    std::uint64_t analyse(AnalysisRequest request, Answer answer) final;
    void cancel() final;

protected:
    struct Job {
        std::uint64_t number = 0;
        AnalysisRequest request;
        Answer answer;
        bool skipped = false;  // cancelled or followed by another before it started: answered unsearched
    };

    QueuedAnalyst() = default;
    void startWorker();
    // Ends the worker after the request it runs; no answer is given after.
    void stopWorker();

    // Runs one job and returns its analysis. Called on the worker with the
    // lock held, which it lets go while it speaks to the engine; it ends
    // early when stopWanted_ or closing_ turns true (changed_ says so).
    virtual Analysis run(std::unique_lock<std::mutex>& lock, const Job& job) = 0;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool running_ = false;     // run() works for a request
    bool stopWanted_ = false;  // the running request should end now
    bool closing_ = false;

private:
    void work();

    std::uint64_t lastNumber_ = 0;
    std::deque<Job> queue_;  // requests not started yet, oldest first
    std::thread worker_;
};

}  // namespace quorvel
