#include "coach/review_run.h"

#include <condition_variable>
#include <mutex>
#include <optional>

namespace quorvel {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds estimatedTimeLeft(int done, int total, std::chrono::milliseconds elapsed,
                                            std::chrono::milliseconds perPosition) {
    const int remaining = std::max(0, total - done);
    if (done <= 0) return perPosition * remaining;
    return elapsed * remaining / done;
}

struct ReviewRun::Shared {
    Analyst& analyst;
    const std::vector<ReviewPosition> positions;
    const std::chrono::milliseconds perPosition;
    int total = 0;

    // Callbacks run under it, so that cancel() returning means none runs.
    std::recursive_mutex callbackMutex;
    std::mutex mutex;  // guards the fields below
    std::vector<PositionScore> scores;
    std::size_t next = 0;  // the position asked, or the next to ask
    bool cancelled = false;
    bool scored = false;  // a position got its score from the analyst
    std::string problem;  // the first reason an answer gave for having none
    int done = 0;
    Clock::time_point started;
    OnProgress progress;
    OnFinished finished;

    Shared(Analyst& a, std::vector<ReviewPosition> p, std::chrono::milliseconds t)
        : analyst(a), positions(std::move(p)), perPosition(t), scores(positions.size()) {
        for (const ReviewPosition& position : positions) total += !position.decided;
    }

    // Asks for the next position that needs the analyst, or ends the run.
    static void askNext(const std::shared_ptr<Shared>& self) {
        std::unique_lock lock(self->mutex);
        while (self->next < self->positions.size() && self->positions[self->next].decided) ++self->next;
        if (self->cancelled) return;
        if (self->next == self->positions.size()) {
            GameReview review = reviewGame(self->positions, self->scores);
            review.analyst = self->analyst.name();
            review.moveTimeMs = static_cast<int>(self->perPosition.count());
            review.scored = self->scored;
            review.problem = self->problem;
            lock.unlock();
            std::lock_guard callback(self->callbackMutex);
            if (!self->isCancelled() && self->finished) self->finished(review);
            return;
        }
        const std::size_t index = self->next;
        AnalysisRequest request{self->positions[index].game, self->perPosition};
        lock.unlock();
        // An answer is known by the position it was asked for: the run asks
        // one at a time, so any other is late.
        const std::weak_ptr<Shared> weak = self;
        self->analyst.analyse(std::move(request), [weak, index](Analysis analysis) {
            if (const auto shared = weak.lock()) answered(shared, index, std::move(analysis));
        });
    }

    static void answered(const std::shared_ptr<Shared>& self, std::size_t index, Analysis analysis) {
        ReviewProgress progress;
        {
            std::unique_lock lock(self->mutex);
            if (self->cancelled || index != self->next) return;
            self->scores[index] = PositionScore{analysis.score, analysis.bestMove};
            self->scored = self->scored || analysis.score.has_value();
            if (self->problem.empty()) self->problem = analysis.problem;
            ++self->next;
            ++self->done;
            progress.done = self->done;
            progress.total = self->total;
            progress.left = estimatedTimeLeft(
                self->done, self->total,
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - self->started),
                self->perPosition);
        }
        {
            std::lock_guard callback(self->callbackMutex);
            if (!self->isCancelled() && self->progress) self->progress(progress);
        }
        askNext(self);
    }

    bool isCancelled() {
        std::lock_guard lock(mutex);
        return cancelled;
    }
};

ReviewRun::ReviewRun(Analyst& analyst, std::vector<ReviewPosition> positions,
                     std::chrono::milliseconds perPosition)
    : shared_(std::make_shared<Shared>(analyst, std::move(positions), perPosition)) {}

ReviewRun::~ReviewRun() {
    cancel();
}

int ReviewRun::total() const {
    return shared_->total;
}

void ReviewRun::start(OnProgress progress, OnFinished finished) {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->progress = std::move(progress);
        shared_->finished = std::move(finished);
        shared_->started = Clock::now();
    }
    Shared::askNext(shared_);
}

void ReviewRun::cancel() {
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->cancelled) return;
        shared_->cancelled = true;
    }
    shared_->analyst.cancel();
    // A callback under way ends before this returns.
    std::lock_guard callback(shared_->callbackMutex);
}

GameReview reviewToEnd(Analyst& analyst, std::vector<ReviewPosition> positions,
                       std::chrono::milliseconds perPosition, const ReviewRun::OnProgress& progress) {
    std::mutex mutex;
    std::condition_variable ended;
    std::optional<GameReview> result;
    ReviewRun run(analyst, std::move(positions), perPosition);
    run.start(progress, [&](const GameReview& review) {
        std::lock_guard lock(mutex);
        result = review;
        ended.notify_all();
    });
    std::unique_lock lock(mutex);
    ended.wait(lock, [&] { return result.has_value(); });
    return *result;
}

}  // namespace quorvel
