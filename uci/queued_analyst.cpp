#include "uci/queued_analyst.h"

namespace quorvel {

void QueuedAnalyst::startWorker() {
    worker_ = std::thread([this] { work(); });
}

void QueuedAnalyst::stopWorker() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
}

std::uint64_t QueuedAnalyst::analyse(AnalysisRequest request, Answer answer) {
    std::uint64_t number = 0;
    {
        std::lock_guard lock(mutex_);
        number = ++lastNumber_;
        for (Job& job : queue_) job.skipped = true;
        queue_.push_back(Job{number, std::move(request), std::move(answer)});
        if (running_) stopWanted_ = true;
    }
    changed_.notify_all();
    return number;
}

void QueuedAnalyst::cancel() {
    {
        std::lock_guard lock(mutex_);
        // A request not started yet is answered without a search.
        for (Job& job : queue_) job.skipped = true;
        if (running_) stopWanted_ = true;
    }
    changed_.notify_all();
}

void QueuedAnalyst::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return closing_ || !queue_.empty(); });
        if (closing_) return;
        Job job = std::move(queue_.front());
        queue_.pop_front();
        Analysis analysis;
        analysis.request = job.number;
        if (!job.skipped) analysis = run(lock, job);
        if (closing_) return;
        // The answer may ask for the next request: no lock held.
        lock.unlock();
        job.answer(std::move(analysis));
        lock.lock();
    }
}

}  // namespace quorvel
