// The review as it runs: the positions asked one by one, progress and the
// time left, a cancel that silences it, and answers that come too late.

#include "coach/review_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "scripted_analyst.h"
#include "scripted_game.h"

namespace quorvel {
namespace {

using std::chrono::milliseconds;

std::vector<ReviewPosition> positionsOf(const std::string& moves) {
    GameRecord record = test::newScriptedGame(false);
    EXPECT_EQ(test::playScriptedLine(record, moves), static_cast<int>(test::splitTokens(moves).size()));
    return reviewPositions(record);
}

// What a run told, waited on without sleeping.
struct Heard {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<ReviewProgress> progress;
    std::optional<GameReview> review;

    ReviewRun::OnProgress onProgress() {
        return [this](const ReviewProgress& p) {
            std::lock_guard lock(mutex);
            progress.push_back(p);
            changed.notify_all();
        };
    }
    ReviewRun::OnFinished onFinished() {
        return [this](const GameReview& r) {
            std::lock_guard lock(mutex);
            review = r;
            changed.notify_all();
        };
    }
    bool waitForProgress(std::size_t count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(20), [&] { return progress.size() >= count; });
    }
    bool waitForReview() {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(20), [&] { return review.has_value(); });
    }
};

TEST(ReviewRunning, EveryUndecidedPositionIsAskedOnceInOrder) {
    test::ScriptedAnalyst analyst;
    const auto positions = positionsOf("f2f3 e7e5 g2g4 d8h4");
    analyst.script("startpos moves f2f3 e7e5", AnalysisScore::ofCentipawns(-60), "b1c3");
    analyst.script("startpos moves f2f3 e7e5 g2g4", AnalysisScore::matesIn(1), "d8h4");
    Heard heard;
    ReviewRun run(analyst, positions, milliseconds(250));
    EXPECT_EQ(run.total(), 4);  // the mated position needs no analyst
    run.start(heard.onProgress(), heard.onFinished());
    ASSERT_TRUE(heard.waitForReview());

    const auto asked = analyst.asked();
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(positionWords(asked[0].game), "startpos");
    EXPECT_EQ(positionWords(asked[3].game), "startpos moves f2f3 e7e5 g2g4");
    for (const AnalysisRequest& request : asked) EXPECT_EQ(request.time, milliseconds(250));
    ASSERT_EQ(heard.progress.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(heard.progress[static_cast<std::size_t>(i)].done, i + 1);
        EXPECT_EQ(heard.progress[static_cast<std::size_t>(i)].total, 4);
    }
    EXPECT_EQ(heard.progress.back().left, milliseconds(0));

    const GameReview& review = *heard.review;
    EXPECT_TRUE(review.complete);
    EXPECT_EQ(review.analyst, "Analyste de test");
    EXPECT_EQ(review.moveTimeMs, 250);
    ASSERT_EQ(review.moves.size(), 4u);
    EXPECT_EQ(review.moves[2].mark, MoveMark::blunder);
    EXPECT_EQ(review.moves[3].bestSan, "Qh4#");
}

TEST(ReviewRunning, TheCommandLinesWaitGivesTheSameReview) {
    test::ScriptedAnalyst analyst;
    analyst.script("startpos moves e2e4 e7e5 g1f3", AnalysisScore::ofCentipawns(-20), "b8c6");
    analyst.script("startpos moves e2e4 e7e5 g1f3 d8g5", AnalysisScore::ofCentipawns(1380), "f3g5");
    int calls = 0;
    const GameReview review = reviewToEnd(analyst, positionsOf("e2e4 e7e5 g1f3 d8g5"), milliseconds(100),
                                          [&](const ReviewProgress&) { ++calls; });
    EXPECT_EQ(calls, 5);
    ASSERT_EQ(review.moves.size(), 4u);
    EXPECT_EQ(review.moves[3].mark, MoveMark::blunder);
    EXPECT_EQ(review.black.blunders, 1);
}

TEST(ReviewRunning, ACancelSilencesTheRunAndItsLateAnswer) {
    test::ScriptedAnalyst analyst;
    analyst.hold(true);
    Heard heard;
    auto run = std::make_unique<ReviewRun>(analyst, positionsOf("e2e4 e7e5 g1f3"), milliseconds(1000));
    run->start(heard.onProgress(), heard.onFinished());
    ASSERT_TRUE(analyst.releaseOne());
    ASSERT_TRUE(heard.waitForProgress(1));
    ASSERT_TRUE(analyst.waitForRequests(2));
    run->cancel();
    EXPECT_EQ(analyst.cancels(), 1);
    // The answer of the position asked before the cancel comes now.
    ASSERT_TRUE(analyst.releaseOne());
    ASSERT_TRUE(analyst.waitForAnswers(2));
    EXPECT_EQ(analyst.asked().size(), 2u);
    EXPECT_EQ(heard.progress.size(), 1u);
    EXPECT_FALSE(heard.review);
    run->cancel();  // twice is harmless
    EXPECT_EQ(analyst.cancels(), 1);
}

TEST(ReviewRunning, AnAnswerAfterTheRunIsGoneIsDropped) {
    test::ScriptedAnalyst analyst;
    analyst.hold(true);
    std::atomic<int> calls{0};
    {
        ReviewRun run(analyst, positionsOf("e2e4"), milliseconds(1000));
        run.start([&](const ReviewProgress&) { ++calls; }, [&](const GameReview&) { ++calls; });
        ASSERT_TRUE(analyst.waitForRequests(1));
    }
    ASSERT_TRUE(analyst.releaseOne());
    ASSERT_TRUE(analyst.waitForAnswers(1));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(analyst.asked().size(), 1u);
}

// An analyst that answers each request twice, the second time with another
// score, as a confused engine might.
class StutteringAnalyst final : public Analyst {
public:
    std::string name() const override { return "bègue"; }
    std::uint64_t analyse(AnalysisRequest, Answer answer) override {
        std::lock_guard lock(mutex_);
        const std::uint64_t number = ++last_;
        threads_.emplace_back([answer, number] {
            answer(Analysis{number, true, "", AnalysisScore::ofCentipawns(10), {}, ""});
            answer(Analysis{number, true, "", AnalysisScore::ofCentipawns(-900), {}, ""});
        });
        return number;
    }
    void cancel() override {}
    ~StutteringAnalyst() override {
        // Each thread may start the next before it ends.
        for (;;) {
            std::thread thread;
            {
                std::lock_guard lock(mutex_);
                if (threads_.empty()) return;
                thread = std::move(threads_.front());
                threads_.erase(threads_.begin());
            }
            thread.join();
        }
    }

private:
    std::mutex mutex_;
    std::uint64_t last_ = 0;
    std::vector<std::thread> threads_;
};

TEST(ReviewRunning, ASecondAnswerToOnePositionIsDropped) {
    StutteringAnalyst analyst;
    Heard heard;
    {
        ReviewRun run(analyst, positionsOf("e2e4 e7e5"), milliseconds(10));
        run.start(heard.onProgress(), heard.onFinished());
        ASSERT_TRUE(heard.waitForReview());
    }
    const GameReview& review = *heard.review;
    EXPECT_EQ(heard.progress.size(), 3u);
    ASSERT_EQ(review.moves.size(), 2u);
    EXPECT_EQ(review.start, AnalysisScore::ofCentipawns(10));
    EXPECT_EQ(review.moves[0].after, AnalysisScore::ofCentipawns(-10));
}

TEST(ReviewRunning, TheTimeLeftFollowsThePaceMeasured) {
    const struct {
        int done, total;
        int elapsed, perPosition, left;
    } cases[] = {
        {0, 10, 0, 1000, 10000},    // before the first: the time each may take
        {2, 10, 1000, 1000, 4000},  // quicker than asked: the pace measured
        {5, 10, 6000, 1000, 6000}, {10, 10, 9000, 1000, 0}, {11, 10, 9000, 1000, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(estimatedTimeLeft(c.done, c.total, milliseconds(c.elapsed), milliseconds(c.perPosition)),
                  milliseconds(c.left))
            << c.done << " of " << c.total;
}

TEST(ReviewRunning, AGameWithoutMovesIsReviewedAtOnce) {
    test::ScriptedAnalyst analyst;
    Heard heard;
    ReviewRun run(analyst, {}, milliseconds(100));
    run.start(heard.onProgress(), heard.onFinished());
    ASSERT_TRUE(heard.review);
    EXPECT_TRUE(heard.review->moves.empty());
    EXPECT_TRUE(analyst.asked().empty());
}

}  // namespace
}  // namespace quorvel
