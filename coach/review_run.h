#pragma once
// The review of a game as it runs: an analyst scores its positions one
// after the other, a bounded time each, while the caller goes on. Progress
// and the end are told through callbacks, called on the analyst's thread;
// after cancel() (or the run's end of life) none is called any more, and an
// answer that arrives late is dropped.

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "coach/game_review.h"
#include "uci/analyst.h"

namespace quorvel {

struct ReviewProgress {
    int done = 0;                       // positions scored
    int total = 0;                      // positions the analyst scores (decided ones need none)
    std::chrono::milliseconds left{0};  // the estimated time left
};

// The time left: the positions still to score at the pace measured so far,
// or at the time each may take before the first is done.
std::chrono::milliseconds estimatedTimeLeft(int done, int total, std::chrono::milliseconds elapsed,
                                            std::chrono::milliseconds perPosition);

class ReviewRun {
public:
    using OnProgress = std::function<void(const ReviewProgress&)>;
    using OnFinished = std::function<void(const GameReview&)>;

    // `analyst` outlives the run.
    ReviewRun(Analyst& analyst, std::vector<ReviewPosition> positions, std::chrono::milliseconds perPosition);
    ~ReviewRun();  // cancels
    ReviewRun(const ReviewRun&) = delete;
    ReviewRun& operator=(const ReviewRun&) = delete;

    void start(OnProgress progress, OnFinished finished);
    // Stops the analyst; no callback comes after this returns.
    void cancel();
    int total() const;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

// The whole review, waited for (the command line): `progress` as above.
GameReview reviewToEnd(Analyst& analyst, std::vector<ReviewPosition> positions,
                       std::chrono::milliseconds perPosition, const ReviewRun::OnProgress& progress = {});

}  // namespace quorvel
