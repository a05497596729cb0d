#pragma once
// The answers an analyst gave, in the order they came, waited on.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "uci/analyst.h"

namespace quorvel::test {

struct AnalysisAnswers {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Analysis> received;

    Analyst::Answer answer() {
        return [this](Analysis analysis) {
            std::lock_guard lock(mutex);
            received.push_back(std::move(analysis));
            changed.notify_all();
        };
    }
    // False when fewer than `count` came within `limit`.
    bool waitFor(std::size_t count, std::chrono::seconds limit = std::chrono::seconds(60)) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, limit, [&] { return received.size() >= count; });
    }
};

}  // namespace quorvel::test
