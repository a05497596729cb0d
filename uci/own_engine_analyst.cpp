#include "uci/own_engine_analyst.h"

#include "rules/uci_position.h"
#include "uci/uci_go.h"
#include "uci/uci_session.h"

namespace quorvel {

OwnEngineAnalyst::OwnEngineAnalyst(std::uint64_t totalMemory) {
    // No book file: a book move says nothing of the position's worth.
    session_ = std::make_unique<UciSession>([this](const std::string& line) { heard(line); }, std::string(),
                                            totalMemory);
    startWorker();
}

OwnEngineAnalyst::~OwnEngineAnalyst() {
    stopWorker();
    session_.reset();
}

std::string OwnEngineAnalyst::name() const {
    return "Quorvel 1.0";
}

Analysis OwnEngineAnalyst::run(std::unique_lock<std::mutex>& lock, const Job& job) {
    Analysis analysis;
    analysis.request = job.number;
    running_ = true;
    stopWanted_ = false;
    heardScore_.reset();
    heardLine_.clear();
    heardBestMove_.reset();
    lock.unlock();
    // The session would search the previous position after a bad one.
    const std::string words = positionWords(job.request.game);
    const UciPositionResult parsed = setUpUciPosition(words);
    const bool readable = parsed.position && parsed.problem.empty();
    if (readable) {
        session_->handleLine("position " + words);
        session_->handleLine("go movetime " +
                             std::to_string(std::max<long long>(1, job.request.time.count())));
    }
    lock.lock();
    if (!readable) {
        running_ = false;
        analysis.problem = "Position illisible : " + (parsed.problem.empty() ? words : parsed.problem);
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
    analysis.score = heardScore_;
    analysis.line = heardLine_;
    if (!analysis.bestMove.empty() && (analysis.line.empty() || analysis.line.front() != analysis.bestMove))
        analysis.line = {analysis.bestMove};
    return analysis;
}

void OwnEngineAnalyst::heard(const std::string& line) {
    {
        std::lock_guard lock(mutex_);
        if (const auto best = parseBestMove(line)) {
            heardBestMove_ = best->move;
        } else if (line.rfind("bestmove", 0) == 0) {
            heardBestMove_ = "0000";  // an answer without a move is still the answer
        } else if (const auto info = parseInfoLine(line); info && analysisScoreOf(*info)) {
            heardScore_ = analysisScoreOf(*info);
            if (!info->pv.empty()) heardLine_ = info->pv;
        } else {
            return;
        }
    }
    changed_.notify_all();
}

}  // namespace quorvel
