#pragma once
// The clock's per-second accounting for the command line, on a thread of its
// own, as the window's one-second tick does it during a search.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/search_status.h"
#include "engine/system_memory.h"

namespace quorvel::cli {

// Calls the per-second accounting once a second until told to finish. From
// second `stopAt` on (when not 0) it also presses the stop button as a user
// would: once to end the main phase, then again to stop the search, either
// `secondPressAfter` ms later (which can land in the main phase's last
// back-up) or, by default, at the first tick of the secondary phase
// (`secondaryBegun`).
class Ticker {
public:
    Ticker(SearchStatus& status, const TimeLimits& limits, int stopAt, std::optional<int> secondPressAfter,
           const std::atomic<bool>& secondaryBegun)
        : thread_([this, &status, limits, stopAt, secondPressAfter, &secondaryBegun] {
              const std::uint64_t memory = totalPhysicalMemory();
              std::unique_lock lock(mutex_);
              for (int second = 1;; ++second) {
                  if (wake_.wait_for(lock, std::chrono::seconds(1), [this] { return done_; })) return;
                  const bool wasStopped = status.stop.load();
                  accountSearchSecond(status, limits, memory);
                  const bool press = !status.mainPhaseOver.load() || secondaryBegun.load();
                  if (stopAt > 0 && second >= stopAt && !status.stop.load() && press) {
                      pressStop(status);
                      if (secondPressAfter && !status.stop.load()) {
                          const auto delay = std::chrono::milliseconds(*secondPressAfter);
                          if (wake_.wait_for(lock, delay, [this] { return done_; })) return;
                          note(status, wasStopped);
                          pressStop(status);
                      }
                  }
                  note(status, wasStopped);
              }
          }) {}
    ~Ticker() { finish(); }
    // Ends the ticking; afterwards the time points may be read.
    void finish() {
        if (!thread_.joinable()) return;
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    // When the clock stopped the search (read once the ticking has ended).
    std::optional<std::chrono::steady_clock::time_point> stoppedAt;

private:
    void note(const SearchStatus& status, bool wasStopped) {
        if (!wasStopped && status.stop.load() && !stoppedAt) stoppedAt = std::chrono::steady_clock::now();
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

}  // namespace quorvel::cli
