#include "uci/own_engine_analyst.h"

#include "rules/uci_position.h"
#include "uci/uci_session.h"

namespace quorvel {

OwnEngineAnalyst::OwnEngineAnalyst(std::uint64_t totalMemory) {
    // No book file: a book move says nothing of the position's worth.
    session_ = std::make_unique<UciSession>([this](const std::string& line) { heard(line); }, std::string(),
                                            totalMemory);
    worker_ = std::thread([this] { work(); });
}

OwnEngineAnalyst::~OwnEngineAnalyst() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    worker_.join();
    session_.reset();
}

std::string OwnEngineAnalyst::name() const {
    return "Quorvel 1.0";
}

std::uint64_t OwnEngineAnalyst::analyse(AnalysisRequest request, Answer answer) {
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

void OwnEngineAnalyst::cancel() {
    {
        std::lock_guard lock(mutex_);
        // A request not started yet is answered without a search.
        for (Job& job : queue_) job.skipped = true;
        if (running_) stopWanted_ = true;
    }
    changed_.notify_all();
}

void OwnEngineAnalyst::work() {
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

Analysis OwnEngineAnalyst::run(std::unique_lock<std::mutex>& lock, const Job& job) {
    Analysis analysis;
    analysis.request = job.number;
    running_ = true;
    stopWanted_ = false;
    heardInfo_ = {};
    heardBestMove_.reset();
    lock.unlock();
    // The session would search the previous position after a bad one.
    const UciPositionResult parsed = setUpUciPosition(job.request.position);
    const bool readable = parsed.position && parsed.problem.empty();
    if (readable) {
        session_->handleLine("position " + job.request.position);
        session_->handleLine("go movetime " +
                             std::to_string(std::max<long long>(1, job.request.time.count())));
    }
    lock.lock();
    if (!readable) {
        running_ = false;
        analysis.problem =
            "Position illisible : " + (parsed.problem.empty() ? job.request.position : parsed.problem);
        return analysis;
    }
    changed_.wait(lock, [this] { return heardBestMove_ || stopWanted_ || closing_; });
    analysis.complete = heardBestMove_.has_value();
    if (!heardBestMove_) {
        lock.unlock();
        session_->handleLine("stop");
        lock.lock();
        // Every "go" gets its "bestmove"; the next request must not take it.
        changed_.wait(lock, [this] { return heardBestMove_.has_value(); });
    }
    running_ = false;
    // "0000": the side to move has no legal move.
    if (*heardBestMove_ != "0000") analysis.bestMove = *heardBestMove_;
    analysis.score = heardInfo_.score;
    analysis.line = heardInfo_.line;
    if (!analysis.bestMove.empty() && (analysis.line.empty() || analysis.line.front() != analysis.bestMove))
        analysis.line = {analysis.bestMove};
    return analysis;
}

void OwnEngineAnalyst::heard(const std::string& line) {
    {
        std::lock_guard lock(mutex_);
        if (line.rfind("bestmove", 0) == 0) {
            const std::size_t start = line.find_first_not_of(' ', 8);
            const std::size_t end = line.find(' ', start == std::string::npos ? line.size() : start);
            heardBestMove_ =
                start == std::string::npos ? std::string("0000") : line.substr(start, end - start);
        } else if (const auto info = readAnalysisInfo(line); info && info->score) {
            heardInfo_.score = info->score;
            if (!info->line.empty()) heardInfo_.line = info->line;
        } else {
            return;
        }
    }
    changed_.notify_all();
}

}  // namespace quorvel
