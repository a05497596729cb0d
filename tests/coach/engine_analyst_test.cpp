// An installed engine as the analyst, through the UCI client: against the
// client's scripted engine (answers, a later request, faults in French) and
// against Stockfish when it is installed (the hanging queen is a blunder).

#include "uci/engine_analyst.h"

#include <gtest/gtest.h>

#include <thread>

#include "coach/review_run.h"
#include "scripted_game.h"
#include "uci/analyst_choice.h"
#include "uci/known_engines.h"
#include "analysis_answers.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;

// Short, for faults to show quickly; generous for a loaded machine and the
// sanitizers.
EngineTimeouts quickTimeouts() {
    EngineTimeouts t;
    t.handshake = 3000ms;
    t.ready = 3000ms;
    t.searchGrace = 500ms;
    t.stopGrace = 2000ms;
    t.quitGrace = 300ms;
    t.termGrace = 300ms;
    return t;
}

std::unique_ptr<EngineAnalyst> fakeAnalyst(std::vector<std::string> arguments = {}) {
    return std::make_unique<EngineAnalyst>(EngineCommand{QUORVEL_FAKE_ENGINE, std::move(arguments)},
                                           makeUciEngine(quickTimeouts()));
}

AnalysisRequest at(std::vector<std::string> moves, std::chrono::milliseconds time = 100ms) {
    return {UciGameText{"", std::move(moves)}, time};
}

TEST(EngineAnalyst, AnswersWithTheEnginesMoveScoreAndName) {
    auto analyst = fakeAnalyst({"name=Analyste Factice"});
    test::AnalysisAnswers answers;
    const auto number = analyst->analyse(at({"e2e4"}), answers.answer());
    ASSERT_TRUE(answers.waitFor(1));
    const Analysis& found = answers.received[0];
    EXPECT_EQ(found.request, number);
    EXPECT_TRUE(found.complete);
    EXPECT_EQ(found.problem, "");
    EXPECT_EQ(found.bestMove.size(), 4u);
    EXPECT_EQ(found.score, AnalysisScore::ofCentipawns(12));
    ASSERT_FALSE(found.line.empty());
    EXPECT_EQ(found.line.front(), found.bestMove);
    EXPECT_EQ(analyst->name(), "Analyste Factice");
}

TEST(EngineAnalyst, ALaterRequestStopsTheOneUnderWay) {
    auto analyst = fakeAnalyst({"think=60000"});
    test::AnalysisAnswers answers;
    const auto first = analyst->analyse(at({}, 60000ms), answers.answer());
    const auto second = analyst->analyse(at({"d2d4"}, 50ms), answers.answer());
    ASSERT_TRUE(answers.waitFor(2));
    EXPECT_EQ(answers.received[0].request, first);
    EXPECT_FALSE(answers.received[0].complete);
    EXPECT_EQ(answers.received[1].request, second);
    // Stopped or never started, the first leaves the engine usable.
    EXPECT_EQ(answers.received[1].problem, "");
}

// Asked once the first request runs (the wait leaves the worker time to
// start it on any machine; were it still waiting, it would be skipped and end
// at once all the same): the engine is stopped, not left its minute.
TEST(EngineAnalyst, ARunningRequestIsStoppedByTheNext) {
    auto analyst = fakeAnalyst({"think=60000"});
    test::AnalysisAnswers answers;
    analyst->analyse(at({}, 60000ms), answers.answer());
    std::this_thread::sleep_for(300ms);
    analyst->analyse(at({"d2d4"}, 50ms), answers.answer());
    ASSERT_TRUE(answers.waitFor(2, 30s));
    EXPECT_FALSE(answers.received[0].complete);
    EXPECT_EQ(answers.received[1].problem, "");
}

TEST(EngineAnalyst, FaultsAnswerInFrenchAndStay) {
    const struct {
        std::vector<std::string> arguments;
        const char* problem;
    } cases[] = {
        {{"crash-on-go=1"}, "Le moteur Fake Engine s'est arrêté"},
        {{"illegal-on-go=1"}, "Coup illégal du moteur Fake Engine : "},
        {{"no-uciok"}, "Le moteur fake_engine ne répond pas"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        auto analyst = fakeAnalyst(c.arguments);
        test::AnalysisAnswers answers;
        analyst->analyse(at({"e2e4"}), answers.answer());
        ASSERT_TRUE(answers.waitFor(1));
        EXPECT_EQ(answers.received[0].problem.rfind(c.problem, 0), 0u) << answers.received[0].problem;
        EXPECT_TRUE(answers.received[0].bestMove.empty());
        EXPECT_FALSE(answers.received[0].score);
    }
    // An engine that has stopped says so to every request after.
    auto analyst = fakeAnalyst({"crash-on-go=1"});
    test::AnalysisAnswers answers;
    analyst->analyse(at({}), answers.answer());
    ASSERT_TRUE(answers.waitFor(1));
    analyst->analyse(at({"e2e4"}), answers.answer());
    ASSERT_TRUE(answers.waitFor(2));
    EXPECT_EQ(answers.received[1].problem, "Le moteur Fake Engine s'est arrêté");
}

TEST(EngineAnalyst, AnEngineThatNeverAnswersIsGivenUp) {
    auto analyst = fakeAnalyst({"hang-on-go=1"});
    test::AnalysisAnswers answers;
    analyst->analyse(at({}, 100ms), answers.answer());
    ASSERT_TRUE(answers.waitFor(1));
    EXPECT_FALSE(answers.received[0].complete);
    EXPECT_EQ(answers.received[0].problem, "Le moteur Fake Engine ne répond pas");
}

TEST(AnalystChoice, NamesTheEngineOrQuorvelsOwn) {
    EXPECT_FALSE(analystCommand(kOwnAnalyst));
    EXPECT_FALSE(analystCommand(""));
    const auto command = analystCommand("/opt/no-such-engine --uci");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, "/opt/no-such-engine");
    EXPECT_EQ(command->arguments, std::vector<std::string>{"--uci"});
    const auto strongest = analystCommand(kStrongestAnalyst);
    EXPECT_EQ(strongest.has_value(), findProgram("stockfish").has_value());
    EXPECT_EQ(makeAnalyst(kOwnAnalyst, 1ull << 33)->name(), "Quorvel 1.0");
    const auto choices = analystChoices();
    ASSERT_GE(choices.size(), 2u);
    EXPECT_EQ(choices[0].key, kStrongestAnalyst);
    EXPECT_EQ(choices[1].key, kOwnAnalyst);
}

TEST(EngineAnalyst, StockfishFindsTheHangingQueen) {
    const auto stockfish = findProgram("stockfish");
    if (!stockfish) GTEST_SKIP() << "Stockfish is not installed (tools/install-deps.sh)";
    GameRecord record = test::newScriptedGame(false);
    ASSERT_EQ(test::playScriptedLine(record, "e2e4 e7e5 g1f3 d8g5 f3g5 b8c6"), 6);
    EngineAnalyst analyst(EngineCommand{*stockfish, {}}, makeUciEngine());
    const GameReview review = reviewToEnd(analyst, reviewPositions(record), 200ms);
    EXPECT_TRUE(review.complete) << review.problem;
    EXPECT_EQ(review.analyst.rfind("Stockfish", 0), 0u) << review.analyst;
    ASSERT_EQ(review.moves.size(), 6u);
    EXPECT_EQ(review.moves[3].mark, MoveMark::blunder);
    EXPECT_EQ(review.moves[4].mark, MoveMark::none);
    EXPECT_EQ(review.black.blunders, 1);
}

}  // namespace
}  // namespace quorvel
