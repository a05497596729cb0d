#pragma once
// An analyst for tests: fixed replies by position, given on a thread of its
// own as a real analyst does. Answers can be held back and released one by
// one, to play them late (after the caller has moved on) or to cancel them.

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "uci/analyst.h"

namespace quorvel::test {

class ScriptedAnalyst final : public Analyst {
public:
    struct Reply {
        AnalysisScore score;
        std::string bestMove;  // UCI
    };

    ScriptedAnalyst() : worker_([this] { work(); }) {}
    ~ScriptedAnalyst() override {
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
        }
        changed_.notify_all();
        worker_.join();
    }

    // The reply for a position ("startpos moves e2e4"); a position without
    // one is answered with a score of 0 and no move.
    void script(const std::string& position, AnalysisScore score, std::string bestMove = {}) {
        std::lock_guard lock(mutex_);
        replies_[position] = Reply{score, std::move(bestMove)};
    }
    // The reply to the request numbered `number`, whatever its position.
    void scriptRequest(std::uint64_t number, AnalysisScore score, std::string bestMove = {}) {
        std::lock_guard lock(mutex_);
        byNumber_[number] = Reply{score, std::move(bestMove)};
    }
    // While held, answers wait for release().
    void hold(bool held) {
        std::lock_guard lock(mutex_);
        held_ = held;
    }
    // Gives the oldest held answer (complete unless it was cancelled).
    // False when none waits.
    bool releaseOne() {
        {
            std::lock_guard lock(mutex_);
            if (waiting_.empty()) return false;
            ready_.push_back(std::move(waiting_.front()));
            waiting_.pop_front();
        }
        changed_.notify_all();
        return true;
    }
    void releaseAll() {
        while (releaseOne()) {
        }
    }
    // Waits until `count` answers have been handed over (answer() returned).
    bool waitForAnswers(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return answered_ >= count; });
    }
    // The positions asked, as "startpos moves e2e4".
    std::vector<std::string> askedPositions() const {
        std::vector<std::string> words;
        for (const AnalysisRequest& request : asked()) words.push_back(positionWords(request.game));
        return words;
    }
    // Waits until `count` requests have been asked.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return asked_.size() >= count; });
    }
    std::vector<AnalysisRequest> asked() const {
        std::lock_guard lock(mutex_);
        return asked_;
    }
    std::size_t held() const {
        std::lock_guard lock(mutex_);
        return waiting_.size();
    }
    int cancels() const {
        std::lock_guard lock(mutex_);
        return cancels_;
    }

    std::string name() const override { return "Analyste de test"; }

    std::uint64_t analyse(AnalysisRequest request, Answer answer) override {
        std::uint64_t number = 0;
        {
            std::lock_guard lock(mutex_);
            number = ++lastNumber_;
            Pending pending{Analysis{}, std::move(answer)};
            pending.analysis.request = number;
            pending.analysis.complete = true;
            std::optional<Reply> reply;
            if (const auto byNumber = byNumber_.find(number); byNumber != byNumber_.end()) {
                reply = byNumber->second;
            } else if (const auto byPosition = replies_.find(positionWords(request.game));
                       byPosition != replies_.end()) {
                reply = byPosition->second;
            }
            pending.analysis.score = reply ? reply->score : AnalysisScore{};
            if (reply) pending.analysis.bestMove = reply->bestMove;
            if (!pending.analysis.bestMove.empty()) pending.analysis.line = {pending.analysis.bestMove};
            asked_.push_back(std::move(request));
            (held_ ? waiting_ : ready_).push_back(std::move(pending));
        }
        changed_.notify_all();
        return number;
    }

    // Held answers become stopped ones; they still wait for release().
    void cancel() override {
        std::lock_guard lock(mutex_);
        ++cancels_;
        for (Pending& pending : waiting_) pending.analysis.complete = false;
    }

private:
    struct Pending {
        Analysis analysis;
        Answer answer;
    };

    void work() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return closing_ || !ready_.empty(); });
            if (closing_) return;
            Pending pending = std::move(ready_.front());
            ready_.pop_front();
            lock.unlock();
            pending.answer(std::move(pending.analysis));
            lock.lock();
            ++answered_;
            changed_.notify_all();
        }
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::string, Reply> replies_;
    std::map<std::uint64_t, Reply> byNumber_;
    std::deque<Pending> waiting_, ready_;
    std::vector<AnalysisRequest> asked_;
    std::uint64_t lastNumber_ = 0;
    std::size_t answered_ = 0;
    int cancels_ = 0;
    bool held_ = false;
    bool closing_ = false;
    std::thread worker_;
};

}  // namespace quorvel::test
