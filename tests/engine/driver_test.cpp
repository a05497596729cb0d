// The search driver on its own thread, its phases ended by a fake clock tick
// driven from the hooks and from the test thread: no sleeps.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "engine/expansion.h"
#include "engine/search_driver.h"
#include "engine_test_support.h"
#include "rules/game_end.h"

namespace quorvel {
namespace {

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1";

struct DriverRun {
    SearchStatus status;
    SearchDriver driver{status};
    std::unique_ptr<GameRecord> record;
    SearchHooks hooks;
    std::mutex mutex;
    std::condition_variable signal;
    int passesDone = 0;
    bool secondaryStarted = false;

    explicit DriverRun(const char* fen) : record(test::recordFromFen(fen)) {
        status.prepareSearchWithoutWindow();
    }
    void start(const EngineOptions& options) {
        auto user = hooks.passFinished;
        hooks.passFinished = [this, user](int depth) {
            if (user) user(depth);
            std::lock_guard lock(mutex);
            passesDone = depth;
            signal.notify_all();
        };
        hooks.secondaryPhaseStarted = [this] {
            std::lock_guard lock(mutex);
            secondaryStarted = true;
            signal.notify_all();
        };
        driver.setHooks(hooks);
        driver.start(*record, options, false);
    }
    void waitForSecondaryPhase() {
        std::unique_lock lock(mutex);
        signal.wait(lock, [&] { return secondaryStarted; });
    }
    void waitForPass(int depth) {
        std::unique_lock lock(mutex);
        signal.wait(lock, [&] { return passesDone >= depth; });
    }
    // The recorded move is one the rules allow in the starting position.
    bool playedALegalMove(const char* fen) {
        if (record->plyCount != test::recordFromFen(fen)->plyCount + 1) return false;
        const auto before = test::recordFromFen(fen);
        NodeList list{};
        const ExpansionCounts counts =
            literalExpand(before->current, before->state, true, EvalSettings{}, list);
        const MoveText played = toChessRanks(record->moves[static_cast<std::size_t>(record->plyCount - 1)],
                                             record->playerIsBlack);
        for (int i = 0; i < counts.childCount; ++i) {
            const MoveText& m = list[static_cast<std::size_t>(i)].move;
            if (m[0] == played[0] && m[1] == played[1] && m[3] == played[3] && m[4] == played[4]) return true;
        }
        return false;
    }
};

TEST(SearchDriver, MainTimeLimitEndsTheMainPhaseOnTheTenthTick) {
    DriverRun run(kStart);
    std::atomic<bool> overAfterNine{true}, overAfterTen{false};
    run.hooks.passFinished = [&](int depth) {
        if (depth != 1) return;
        for (int i = 0; i < 9; ++i) accountSearchSecond(run.status, TimeLimits{9, 8}, 1ull << 40);
        overAfterNine = run.status.mainPhaseOver.load();
        accountSearchSecond(run.status, TimeLimits{9, 8}, 1ull << 40);
        overAfterTen = run.status.mainPhaseOver.load();
    };
    run.start(EngineOptions{});
    run.driver.wait();
    EXPECT_FALSE(overAfterNine.load());
    EXPECT_TRUE(overAfterTen.load());
    EXPECT_EQ(run.status.mainDepthShown.load(), 1);
    EXPECT_TRUE(run.driver.lastOutcome().movePlayed);
    EXPECT_TRUE(run.playedALegalMove(kStart));
    EXPECT_TRUE(run.status.searchIdle.load());
    EXPECT_EQ(run.status.entriesFreed.load(), run.status.nodesCreated.load());
}

TEST(SearchDriver, MemoryBudgetEndsTheMainPhase) {
    DriverRun run(kStart);
    run.hooks.passFinished = [&](int depth) {
        if (depth != 2) return;
        const std::uint64_t inUse = run.status.memoryInUse();
        accountSearchSecond(run.status, TimeLimits{1000, 1000}, 3 * inUse);  // exactly at the budget
        if (run.status.mainPhaseOver.load()) return;
        accountSearchSecond(run.status, TimeLimits{1000, 1000}, 3 * inUse - 3);
    };
    run.start(EngineOptions{});
    run.driver.wait();
    EXPECT_EQ(run.status.mainDepthShown.load(), 2);
    EXPECT_EQ(run.status.searchSeconds.load(), 2);
    EXPECT_TRUE(run.playedALegalMove(kStart));
}

TEST(SearchDriver, SecondaryTimeLimitStopsASearchWaitingForStop) {
    DriverRun run(kStart);
    EngineOptions options;
    options.maxDepthMain = 2;       // the principal leaf lies at an even depth...
    options.maxDepthSecondary = 1;  // ...so the secondary budget is 0: only stop ends the phase
    run.start(options);
    run.waitForSecondaryPhase();
    for (int i = 0; i < 8; ++i) accountSearchSecond(run.status, TimeLimits{1000, 8}, 1ull << 40);
    EXPECT_FALSE(run.status.stop.load());
    EXPECT_TRUE(run.driver.running());
    const auto stopped = std::chrono::steady_clock::now();
    accountSearchSecond(run.status, TimeLimits{1000, 8}, 1ull << 40);
    EXPECT_TRUE(run.status.stop.load());
    run.driver.wait();
    // The search sees the flag within milliseconds, and without it would wait
    // for ever: 30 s only tells the two apart, with room for a sanitizer
    // build on a busy machine.
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::seconds(30));
    EXPECT_TRUE(run.playedALegalMove(kStart));
}

TEST(SearchDriver, SecondPressOfTheStopButtonStopsTheSearch) {
    DriverRun run(kStart);
    EngineOptions options;
    options.maxDepthMain = 2;
    options.maxDepthSecondary = 1;
    run.start(options);
    run.waitForPass(2);
    pressStop(run.status);
    pressStop(run.status);
    EXPECT_TRUE(run.status.stop.load());
    run.driver.wait();
    EXPECT_TRUE(run.playedALegalMove(kStart));
}

TEST(SearchDriver, FirstPressEndsOnlyTheMainPhase) {
    DriverRun run(kStart);
    std::atomic<bool> overAfterFirst{false}, stoppedAfterFirst{true};
    run.hooks.passFinished = [&](int depth) {
        if (depth != 1) return;
        pressStop(run.status);
        overAfterFirst = run.status.mainPhaseOver.load();
        stoppedAfterFirst = run.status.stop.load();
    };
    EngineOptions options;
    options.maxDepthMain = 5;
    run.start(options);
    run.waitForSecondaryPhase();
    pressStop(run.status);
    run.driver.wait();
    EXPECT_TRUE(overAfterFirst.load());
    EXPECT_FALSE(stoppedAfterFirst.load());
    EXPECT_EQ(run.status.mainDepthShown.load(), 1);
    EXPECT_TRUE(run.status.stop.load());
    EXPECT_TRUE(run.playedALegalMove(kStart));
}

// The fast expansion, pressing stop twice from inside a given pass: the pass
// winds up at once and its back-up is where the stop lands.
SearchStatus* gPressTarget = nullptr;
int gPressDuringPass = 0;
int gExpansionsBeforePress = 0;

ExpansionCounts pressingStopDuringPass(const Position& position, StateWord state, bool upperSide,
                                       const EvalSettings& settings, NodeList& out) {
    if (gPressTarget != nullptr && settings.depthLimit == gPressDuringPass && --gExpansionsBeforePress == 0) {
        pressStop(*gPressTarget);
        pressStop(*gPressTarget);
    }
    return fastExpand(position, state, upperSide, settings, out);
}

MoveText lastMove(const GameRecord& record) {
    return record.moves[static_cast<std::size_t>(record.plyCount - 1)];
}

TEST(SearchDriver, StopInTheLastBackUpPlaysTheLastCompletePass) {
    for (const char* fen : {kStart, "r1bqkbnr/pppp1ppp/2n5/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3"}) {
        for (int interrupted : {4, 5}) {
            // What the last complete pass chose: a search that ends there.
            DriverRun reference(fen);
            EngineOptions shallow;
            shallow.maxDepthMain = static_cast<std::int8_t>(interrupted - 1);
            shallow.maxDepthSecondary = 0;
            reference.start(shallow);
            reference.driver.wait();
            ASSERT_TRUE(reference.playedALegalMove(fen));

            DriverRun run(fen);
            std::string reportOfLastPass;
            run.hooks.passFinished = [&](int depth) {
                if (depth == interrupted - 1) reportOfLastPass = run.status.mainReport();
            };
            gPressTarget = &run.status;
            gPressDuringPass = interrupted;
            gExpansionsBeforePress = 20;
            run.driver.setExpansion(pressingStopDuringPass);
            run.start(EngineOptions{});
            run.driver.wait();
            gPressTarget = nullptr;
            const std::string where = std::string(fen) + ", stopped in pass " + std::to_string(interrupted);
            EXPECT_TRUE(run.status.stop.load()) << where;
            EXPECT_TRUE(run.playedALegalMove(fen)) << where;
            EXPECT_EQ(lastMove(*run.record).str(), lastMove(*reference.record).str()) << where;
            // The interrupted pass was never backed up into a report.
            EXPECT_EQ(run.status.mainReport(), reportOfLastPass) << where;
            EXPECT_TRUE(run.status.searchIdle.load()) << where;
            EXPECT_EQ(run.status.entriesFreed.load(), run.status.nodesCreated.load()) << where;
        }
    }
}

// A secondary tree whose principal line ends in a mate before its frontier
// gives the examined leaf that mate (the secondary root's backed-up value):
// the computer mates, or steers clear of a capture that lets it be mated.
// Both expansions play the same game.
TEST(SecondaryVerdict, MateOnASecondaryLineDecidesTheMove) {
    struct Case {
        const char* fen;
        int depth;
        bool mates;           // the computer's move mates at once
        const char* avoided;  // a move that allows a mate, or null
        bool mateScoreShown;  // the final report gives the mate's score
    };
    const Case cases[] = {
        {"7k/5Q2/6K1/8/8/8/8/8 w - - 0 1", 1, true, nullptr, true},
        {"k7/8/2K5/8/8/8/8/7R w - - 0 1", 2, false, nullptr, true},
        {"1r4k1/5ppp/8/8/8/8/1N3PPP/4R1K1 b - - 0 1", 1, false, "b8xb2", false},
    };
    for (const Case& c : cases) {
        std::string played[2], reports[2];
        int run = 0;
        for (const ExpandFn expand : {fastExpand, literalExpand}) {
            DriverRun search(c.fen);
            search.status.showThinking.store(true);
            search.driver.setExpansion(expand);
            EngineOptions options;
            options.maxDepthMain = static_cast<std::int8_t>(c.depth);
            options.maxDepthSecondary = 3;
            search.start(options);
            search.driver.wait();
            ASSERT_TRUE(search.playedALegalMove(c.fen)) << c.fen;
            played[run] = lastMove(*search.record).str();
            reports[run] = search.status.statusText();
            if (c.mates) {
                EXPECT_TRUE(isCheckmated(search.record->current, search.record->state, false)) << c.fen;
            }
            if (c.avoided) {
                EXPECT_NE(played[run].substr(0, 5), c.avoided) << c.fen;
            }
            // The computer plays White in the first two: the report gives Black's score.
            EXPECT_EQ(reports[run].find(": -300.00") != std::string::npos, c.mateScoreShown) << c.fen << "\n"
                                                                                             << reports[run];
            ++run;
        }
        EXPECT_EQ(played[0], played[1]) << c.fen;
        EXPECT_EQ(reports[0], reports[1]) << c.fen;
    }
}

// After the pass at depth 3 the root keeps its 10 best moves, after each
// deeper pass 11 - depth: the information dialog lists the others as lost.
TEST(SearchDriver, RootKeepsTenCandidatesAtDepthThreeThenElevenMinusTheDepth) {
    // With the jitter, no move here ties with the last one kept at the cut.
    const char* rookEnding = "r5k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 30";
#ifdef QUORVEL_SANITIZED
    const int deepest = 5;
#else
    const int deepest = 6;
#endif
    for (int depth = 2; depth <= deepest; ++depth) {
        DriverRun run(rookEnding);
        run.driver.setExpansion(test::jitteredExpand);
        std::string report;
        run.hooks.showInformation = [&](const std::string&, const std::string& initial) {
            report = initial;
            return std::optional<ExplorerPath>{};
        };
        EngineOptions options;
        options.maxDepthMain = static_cast<std::int8_t>(depth);
        options.maxDepthSecondary = 0;
        options.extraDisplays = true;
        run.start(options);
        run.driver.wait();
        const std::string firstLevel = report.substr(0, report.find("\r\n\r\n"));
        int moves = 0, lost = 0;
        for (std::size_t at = 0; (at = firstLevel.find("),", at)) != std::string::npos; ++at) ++moves;
        for (const char* mark : {"(-250.00)", "(-320.00)"}) {
            for (std::size_t at = 0; (at = firstLevel.find(mark, at)) != std::string::npos; ++at) ++lost;
        }
        const int kept = depth < 3 ? moves : depth == 3 ? 10 : 11 - depth;
        EXPECT_GT(moves, 10) << firstLevel;
        EXPECT_EQ(moves - lost, kept) << "depth " << depth << "\n" << firstLevel;
    }
}

TEST(SearchDriver, ComputerWithoutAMoveRecordsNothing) {
    const char* stalemated = "k7/2Q5/1K6/8/8/8/8/8 b - - 0 1";
    DriverRun run(stalemated);
    const GameRecord before = *run.record;
    run.start(EngineOptions{});
    run.driver.wait();
    const SearchOutcome outcome = run.driver.lastOutcome();
    EXPECT_TRUE(outcome.noMove);
    EXPECT_FALSE(outcome.movePlayed);
    EXPECT_EQ(run.record->plyCount, before.plyCount);
    EXPECT_EQ(run.record->history, before.history);
    EXPECT_TRUE(run.status.searchIdle.load());
}

TEST(SearchDriver, FinishedGameIsNotSearched) {
    DriverRun run("k7/1Q6/1K6/8/8/8/8/8 b - - 0 1");
    run.start(EngineOptions{});
    run.driver.wait();
    EXPECT_TRUE(run.driver.lastOutcome().gameOver);
    EXPECT_EQ(run.status.nodesCreated.load(), 0u);
}

TEST(SearchDriver, WaitsForTheFirstPaintWithoutSpinning) {
    DriverRun run(kStart);
    run.status.firstPaintDone.store(false);
    EngineOptions options;
    options.maxDepthMain = 1;
    options.maxDepthSecondary = 0;
    run.start(options);
    EXPECT_EQ(run.status.nodesCreated.load(), 0u);
    run.status.markPainted();
    run.driver.wait();
    EXPECT_TRUE(run.playedALegalMove(kStart));
}

// The record goes back to its owner as soon as the move is recorded and its
// recovery copy written: the information dialog that may follow, the freeing
// of the tree and the beep need only the tree, so the window can show the
// move and run the human's clock meanwhile.
TEST(SearchDriver, TheRecordIsHandedBackWithItsRecoveryCopyBeforeTheInformationDialog) {
    struct Case {
        const char* name;
        const char* fen;
        bool extraDisplays;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        {"a move, the extra displays on",
         "r5k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 30",
         true,
         {"moveRecorded", "writeRecovery", "recordReleased", "showInformation", "beep", "finished"}},
        {"a move, no extra displays",
         "r5k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 30",
         false,
         {"moveRecorded", "writeRecovery", "recordReleased", "beep", "finished"}},
        {"no move to play",
         "k7/2Q5/1K6/8/8/8/8/8 b - - 0 1",
         true,
         {"writeRecovery", "recordReleased", "beep", "finished"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DriverRun run(c.fen);
        std::vector<std::string> events;  // written on the search thread, read after it ended
        int pliesWhenWritten = -1;
        run.hooks.moveRecorded = [&] { events.push_back("moveRecorded"); };
        run.hooks.writeRecovery = [&](const GameRecord& record) {
            events.push_back("writeRecovery");
            pliesWhenWritten = record.plyCount;
        };
        run.hooks.recordReleased = [&] { events.push_back("recordReleased"); };
        run.hooks.showInformation = [&](const std::string&, const std::string&) {
            events.push_back("showInformation");
            return std::optional<ExplorerPath>{};
        };
        run.hooks.beep = [&] { events.push_back("beep"); };
        run.hooks.finished = [&] { events.push_back("finished"); };
        EngineOptions options;
        options.maxDepthMain = 2;
        options.maxDepthSecondary = 0;
        options.extraDisplays = c.extraDisplays;
        const int before = run.record->plyCount;
        run.start(options);
        run.driver.wait();
        EXPECT_EQ(events, c.events);
        // The recovery copy holds the move the search recorded.
        EXPECT_EQ(pliesWhenWritten, run.record->plyCount);
        EXPECT_EQ(run.record->plyCount, before + (c.events.front() == "moveRecorded" ? 1 : 0));
    }
}

}  // namespace
}  // namespace quorvel
