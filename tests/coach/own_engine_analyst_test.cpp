// Quorvel's own engine as the analyst: a real search, bounded in time,
// numbered, stopped, and a review that finds a queen left hanging.

#include "uci/own_engine_analyst.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "coach/review_run.h"
#include "engine/system_memory.h"
#include "scripted_game.h"
#include "analysis_answers.h"

namespace quorvel {
namespace {

using std::chrono::milliseconds;

// The game the words after "position" name, as the rules read them.
UciGameText game(const std::string& words) {
    UciGameText text;
    std::istringstream stream(words);
    std::string word;
    stream >> word;
    if (word == "fen") {
        for (int field = 0; field < 6 && stream >> word && word != "moves"; ++field)
            text.fen += (text.fen.empty() ? "" : " ") + word;
    }
    while (stream >> word)
        if (word != "moves") text.moves.push_back(word);
    return text;
}

TEST(OwnEngineAnalyst, AReviewMarksTheHangingQueenAsABlunder) {
    GameRecord record = test::newScriptedGame(false);
    ASSERT_EQ(test::playScriptedLine(record, "e2e4 e7e5 g1f3 d8g5 f3g5 b8c6"), 6);
    OwnEngineAnalyst analyst(totalPhysicalMemory());
    const GameReview review = reviewToEnd(analyst, reviewPositions(record), milliseconds(300));
    ASSERT_TRUE(review.complete);
    ASSERT_EQ(review.moves.size(), 6u);
    EXPECT_EQ(review.analyst, "Quorvel 1.0");
    const ReviewedMove& queen = review.moves[3];
    EXPECT_EQ(queen.playedSan, "Qg5");
    EXPECT_EQ(queen.mark, MoveMark::blunder);
    ASSERT_TRUE(queen.after);
    // A queen is worth far more than five of the engine's pawns.
    EXPECT_GT(boundedScore(*queen.after), 500);
    EXPECT_FALSE(queen.bestSan.empty());
    EXPECT_NE(queen.bestSan, "Qg5");
    // Taking it is what the engine would do.
    EXPECT_EQ(review.moves[4].playedSan, "Nxg5");
    EXPECT_EQ(review.moves[4].mark, MoveMark::none);
    EXPECT_EQ(review.black.blunders, 1);
    EXPECT_EQ(review.white.blunders, 0);
}

TEST(OwnEngineAnalyst, AnswersCarryTheirNumbersAndALaterRequestEndsAnEarlierOne) {
    OwnEngineAnalyst analyst(totalPhysicalMemory());
    test::AnalysisAnswers answers;
    // A long search, then another request at once: the first ends early.
    const auto first = analyst.analyse({game("startpos"), std::chrono::seconds(60)}, answers.answer());
    const auto second =
        analyst.analyse({game("startpos moves e2e4 e7e5 g1f3 d8g5"), milliseconds(200)}, answers.answer());
    EXPECT_GT(second, first);
    EXPECT_GT(first, 0u);
    ASSERT_TRUE(answers.waitFor(2));
    EXPECT_EQ(answers.received[0].request, first);
    EXPECT_FALSE(answers.received[0].complete);
    const Analysis& found = answers.received[1];
    EXPECT_EQ(found.request, second);
    EXPECT_TRUE(found.complete);
    EXPECT_EQ(found.bestMove, "f3g5");
    ASSERT_TRUE(found.score);
    EXPECT_GT(boundedScore(*found.score), 500);
    ASSERT_FALSE(found.line.empty());
    EXPECT_EQ(found.line.front(), "f3g5");
}

// Asked once the first request runs (were it still waiting, it would be
// skipped and end at once all the same): its search is stopped, not left its
// minute.
TEST(OwnEngineAnalyst, ARunningRequestIsStoppedByTheNext) {
    OwnEngineAnalyst analyst(totalPhysicalMemory());
    test::AnalysisAnswers answers;
    analyst.analyse({game("startpos"), std::chrono::seconds(60)}, answers.answer());
    std::this_thread::sleep_for(milliseconds(300));
    analyst.analyse({game("startpos moves e2e4"), milliseconds(100)}, answers.answer());
    ASSERT_TRUE(answers.waitFor(2, std::chrono::seconds(30)));
    EXPECT_FALSE(answers.received[0].complete);
    EXPECT_TRUE(answers.received[1].complete);
}

TEST(OwnEngineAnalyst, ACancelEndsTheSearchAtOnce) {
    OwnEngineAnalyst analyst(totalPhysicalMemory());
    test::AnalysisAnswers answers;
    const auto started = std::chrono::steady_clock::now();
    analyst.analyse({game("startpos moves d2d4"), std::chrono::seconds(60)}, answers.answer());
    analyst.cancel();
    ASSERT_TRUE(answers.waitFor(1));
    EXPECT_FALSE(answers.received[0].complete);
    // Far less than the minute asked, with room for a slow machine.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
    // The analyst still works afterwards.
    analyst.analyse({game("startpos"), milliseconds(100)}, answers.answer());
    ASSERT_TRUE(answers.waitFor(2));
    EXPECT_TRUE(answers.received[1].complete);
    EXPECT_FALSE(answers.received[1].bestMove.empty());
}

TEST(OwnEngineAnalyst, AMatedPositionHasNoMoveAndABadOneIsSaidSo) {
    OwnEngineAnalyst analyst(totalPhysicalMemory());
    test::AnalysisAnswers answers;
    analyst.analyse({game("startpos moves f2f3 e7e5 g2g4 d8h4"), milliseconds(100)}, answers.answer());
    analyst.analyse({game("startpos moves e2e5"), milliseconds(100)}, answers.answer());
    analyst.analyse({game("fen nonsense"), milliseconds(100)}, answers.answer());
    ASSERT_TRUE(answers.waitFor(3));
    // The first two may have been passed over for the later ones; an
    // answer that was searched says what it found.
    for (const Analysis& analysis : answers.received) EXPECT_TRUE(analysis.bestMove.empty());
    EXPECT_NE(answers.received[2].problem, "");
    EXPECT_FALSE(answers.received[2].complete);
}

TEST(OwnEngineAnalyst, ItsEndStopsARunningSearch) {
    test::AnalysisAnswers answers;
    const auto started = std::chrono::steady_clock::now();
    {
        OwnEngineAnalyst analyst(totalPhysicalMemory());
        analyst.analyse({game("startpos"), std::chrono::seconds(60)}, answers.answer());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
}

}  // namespace
}  // namespace quorvel
