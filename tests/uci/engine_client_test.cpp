// The UCI client against a scripted fake engine that behaves or breaks on
// command, and against the real Stockfish where it is installed. Every test
// ends by counting this process's children: no engine is ever left behind.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <thread>

#include "child_processes.h"
#include "rules/uci_move.h"
#include "rules/uci_position.h"
#include "uci/known_engines.h"
#include "uci/sync_engine.h"
#include "uci/uci_engine.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using Kind = EngineFaultKind;

// Short times, so that the faults show quickly; generous enough for a
// loaded machine and the sanitizers.
EngineTimeouts quickTimeouts() {
    EngineTimeouts t;
    t.handshake = 3000ms;
    t.ready = 3000ms;
    t.searchGrace = 500ms;
    t.openSearch = 5000ms;
    t.stopGrace = 2000ms;
    t.quitGrace = 300ms;
    t.termGrace = 300ms;
    return t;
}

EngineCommand fake(std::vector<std::string> arguments = {}) {
    return {QUORVEL_FAKE_ENGINE, std::move(arguments)};
}

// The events of one engine, kept for the test, which waits on them.
class Recorder {
public:
    EngineEvents events() {
        EngineEvents e;
        e.ready = [this](const EngineOffers& o) { note([&] { offers = o; }); };
        e.progress = [this](const SearchProgress& p) { note([&] { progress.push_back(p); }); };
        e.answered = [this](const SearchAnswer& a) { note([&] { answers.push_back(a); }); };
        e.failed = [this](const EngineFault& f) { note([&] { faults.push_back(f); }); };
        e.ended = [this] { note([&] { ended = true; }); };
        return e;
    }

    // Waits until `condition` holds (checked under the lock); false after `patience`.
    bool waitUntil(const std::function<bool()>& condition, milliseconds patience = 30000ms) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, patience, condition);
    }
    bool answeredOrFailed(int number) {
        return waitUntil([&] {
            for (const SearchAnswer& a : answers)
                if (a.searchNumber == number) return true;
            return !faults.empty();
        });
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::optional<EngineOffers> offers;
    std::vector<SearchProgress> progress;
    std::vector<SearchAnswer> answers;
    std::vector<EngineFault> faults;
    bool ended = false;
    bool onCallerThread = false;  // a callback ran on the test's own thread

private:
    void note(const std::function<void()>& change) {
        {
            std::lock_guard lock(mutex);
            if (std::this_thread::get_id() == caller) onCallerThread = true;
            change();
        }
        changed.notify_all();
    }
    std::thread::id caller = std::this_thread::get_id();
};

// A started engine with its recorder; the engine is destroyed first.
struct Started {
    Recorder recorder;
    std::unique_ptr<ChessEngine> engine = makeUciEngine(quickTimeouts());

    explicit Started(const EngineCommand& command, bool waitReady = true) {
        engine->start(command, recorder.events());
        if (waitReady) {
            EXPECT_TRUE(recorder.waitUntil([&] { return recorder.offers || !recorder.faults.empty(); }));
        }
    }
    ~Started() { engine.reset(); }
};

SearchRequest moveTime(int ms, std::vector<std::string> moves = {}, std::string fen = "") {
    SearchRequest request;
    request.fen = std::move(fen);
    request.moves = std::move(moves);
    request.limits.moveTime = ms;
    return request;
}

SearchRequest infinite() {
    SearchRequest request;
    request.limits.infinite = true;
    return request;
}

bool legalAfter(const SearchRequest& request, const std::string& move) {
    const auto setUp = setUpUciPosition(formatPosition(request.fen, request.moves).substr(9));
    const GameRecord& r = *setUp.position->record;
    return findUciMove(r.current, r.state, true, r.playerIsBlack, move).has_value();
}

std::vector<std::string> logLines(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class EngineClient : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::childProcesses().empty()) << "a child left by an earlier test"; }
    void TearDown() override { EXPECT_TRUE(test::childProcesses().empty()) << "an engine process was left behind"; }

    std::filesystem::path logFile() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const auto file = std::filesystem::temp_directory_path() /
                          ("quorvel_fake_" + std::to_string(::getpid()) + "_" + test->name() + ".log");
        std::filesystem::remove(file);
        files_.push_back(file);
        return file;
    }
    ~EngineClient() override {
        for (const auto& file : files_) std::filesystem::remove(file);
    }

private:
    std::vector<std::filesystem::path> files_;
};

TEST_F(EngineClient, TheHandshakeNamesTheEngineAndWhatItOffers) {
    Started s(fake({"name=Fake  Engine 2.0"}));
    std::lock_guard lock(s.recorder.mutex);
    ASSERT_TRUE(s.recorder.offers);
    const EngineOffers& offers = *s.recorder.offers;
    EXPECT_EQ(offers.name, "Fake  Engine 2.0");
    EXPECT_EQ(offers.author, "the Quorvel tests");
    EXPECT_EQ(offers.options.size(), 7u);
    EXPECT_EQ(offers.elo, (IntRange{1320, 3190}));
    EXPECT_EQ(offers.skillLevel, (IntRange{0, 20}));
    ASSERT_NE(offers.find("play style"), nullptr);
    EXPECT_EQ(offers.find("Play Style")->vars, (std::vector<std::string>{"Solid", "Normal", "Risky Play"}));
    EXPECT_EQ(s.engine->state(), EngineState::ready);
    EXPECT_EQ(s.engine->offers().name, "Fake  Engine 2.0");
    EXPECT_EQ(test::childProcesses().size(), 1u);
    EXPECT_FALSE(s.recorder.onCallerThread);
}

TEST_F(EngineClient, ASearchIsAnsweredWithALegalMoveAndItsInfo) {
    const auto log = logFile();
    Started s(fake({"log=" + log.string(), "think=5000"}));
    s.engine->setOption("Skill Level", "3");
    s.engine->setOption("Book File", "");
    s.engine->setOption("Clear Hash", "");
    s.engine->newGame();
    const SearchRequest request = moveTime(150, {"e2e4", "c7c5", "g1f3"});
    const SearchStart started = s.engine->search(request);
    ASSERT_TRUE(started);
    ASSERT_TRUE(s.recorder.answeredOrFailed(started.number));
    s.engine.reset();
    ASSERT_TRUE(s.recorder.faults.empty()) << s.recorder.faults.front().detail;
    ASSERT_EQ(s.recorder.answers.size(), 1u);
    const SearchAnswer& answer = s.recorder.answers.front();
    EXPECT_EQ(answer.searchNumber, started.number);
    EXPECT_TRUE(legalAfter(request, answer.move)) << answer.move;
    EXPECT_EQ(answer.info.depth, 3);
    EXPECT_EQ(answer.info.pv.front(), answer.move);
    // The movetime bounded the fake's thinking, not its own five seconds.
    EXPECT_GE(answer.elapsed, 140ms);
    EXPECT_LT(answer.elapsed, 4000ms);
    EXPECT_TRUE(s.recorder.ended);

    // What the engine read, in order: options with "value" always, the
    // button only because it was asked for, then the game and the search.
    const std::vector<std::string> expected = {
        "< uci",
        "< isready",
        "< setoption name Skill Level value 3",
        "< setoption name Book File value ",
        "< setoption name Clear Hash",
        "< ucinewgame",
        "< isready",
        "< position startpos moves e2e4 c7c5 g1f3",
        "< go movetime 150",
        "< quit",
    };
    std::vector<std::string> read;
    for (const std::string& line : logLines(log))
        if (line.rfind("< ", 0) == 0) read.push_back(line);
    EXPECT_EQ(read, expected);
}

TEST_F(EngineClient, AButtonIsNeverPressedUnasked) {
    const auto log = logFile();
    {
        Started s(fake({"log=" + log.string()}));
        const SearchStart started = s.engine->search(moveTime(20));
        ASSERT_TRUE(s.recorder.answeredOrFailed(started.number));
    }
    for (const std::string& line : logLines(log))
        EXPECT_EQ(line.find("setoption"), std::string::npos) << line;
}

TEST_F(EngineClient, StopAnswersWithTheBestMoveSoFar) {
    Started s(fake());
    const SearchStart started = s.engine->search(infinite());
    ASSERT_TRUE(started);
    EXPECT_FALSE(s.recorder.waitUntil([&] { return !s.recorder.answers.empty(); }, 200ms));
    s.engine->stop();
    s.engine->stop();  // one "stop" per search reaches the engine, or the strict fake would exit
    ASSERT_TRUE(s.recorder.answeredOrFailed(started.number));
    std::lock_guard lock(s.recorder.mutex);
    EXPECT_TRUE(s.recorder.faults.empty());
    ASSERT_EQ(s.recorder.answers.size(), 1u);
    EXPECT_TRUE(legalAfter(infinite(), s.recorder.answers.front().move));
}

// A bestmove that comes after the search was abandoned belongs to no one:
// the next search waits for it, then goes, and only its own answer counts.
TEST_F(EngineClient, ALateBestMoveIsDroppedAndTheNextGoWaitsForIt) {
    enum class Abandon { cancel, newGame, newerSearch };
    for (Abandon how : {Abandon::cancel, Abandon::newGame, Abandon::newerSearch}) {
        SCOPED_TRACE(static_cast<int>(how));
        const auto log = logFile();
        Started s(fake({"slow-stop=300", "log=" + log.string()}));
        const SearchStart first = s.engine->search(infinite());
        ASSERT_TRUE(first);
        if (how == Abandon::cancel) s.engine->cancel();
        if (how == Abandon::newGame) s.engine->newGame();
        const SearchRequest next = moveTime(30, {"d2d4"});
        const SearchStart second = s.engine->search(next);
        ASSERT_TRUE(second);
        EXPECT_GT(second.number, first.number);
        ASSERT_TRUE(s.recorder.answeredOrFailed(second.number));
        s.engine.reset();
        ASSERT_TRUE(s.recorder.faults.empty()) << s.recorder.faults.front().detail;
        ASSERT_EQ(s.recorder.answers.size(), 1u);
        EXPECT_EQ(s.recorder.answers.front().searchNumber, second.number);
        EXPECT_TRUE(legalAfter(next, s.recorder.answers.front().move));
        // The second position left only after the first bestmove came back.
        const auto lines = logLines(log);
        const auto firstAnswer = std::find_if(
            lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("> bestmove", 0) == 0; });
        const auto secondPosition = std::find(lines.begin(), lines.end(), "< position startpos moves d2d4");
        ASSERT_NE(secondPosition, lines.end());
        EXPECT_LT(firstAnswer, secondPosition);
    }
}

TEST_F(EngineClient, BestMovesNobodyAskedForAreDropped) {
    Started s(fake({"spurious-bestmove", "answer-idle-stop"}));
    s.engine->stop();  // nothing under way: nothing is sent
    s.engine->newGame();
    const SearchRequest request = moveTime(30, {"e2e4"});
    const SearchStart started = s.engine->search(request);
    ASSERT_TRUE(s.recorder.answeredOrFailed(started.number));
    std::lock_guard lock(s.recorder.mutex);
    EXPECT_TRUE(s.recorder.faults.empty());
    ASSERT_EQ(s.recorder.answers.size(), 1u);
    EXPECT_TRUE(legalAfter(request, s.recorder.answers.front().move));
}

struct FaultCase {
    const char* name;
    std::vector<std::string> script;
    bool search;  // the fault shows in a search, not at the start
    Kind kind;
    const char* detail;  // a part of the fault's detail
    bool engineEnds;
    const char* move = "";  // an illegal move's text
};

const std::vector<FaultCase> kFaults = {
    {"crash at start", {"crash-at-start"}, false, Kind::notAnswering, "crashing at start", true},
    {"no uciok", {"no-uciok"}, false, Kind::notAnswering, "no uciok within 3 s", true},
    {"readyok too late", {"slow-ready=6000"}, false, Kind::notAnswering, "no readyok within 3 s", true},
    {"crash mid-game", {"crash-on-go=1"}, true, Kind::stopped, "SIGABRT", true},
    {"quits mid-game", {"exit-on-go=1"}, true, Kind::stopped, "exit status 0", true},
    {"closes its output", {"close-output"}, true, Kind::stopped, "closed its output", true},
    {"hangs", {"hang-on-go=1"}, true, Kind::timeout, "no bestmove within", true},
    {"hangs, ignores quit and SIGTERM",
     {"hang-on-go=1", "ignore-quit", "ignore-term"},
     true,
     Kind::timeout,
     "no bestmove within",
     true},
    {"illegal move", {"illegal-on-go=1"}, true, Kind::illegalMove, "'e2e5' is no legal move", false, "e2e5"},
    {"malformed bestmove",
     {"malformed-on-go=1"},
     true,
     Kind::illegalMove,
     "a bestmove without a move",
     false},
};

TEST_F(EngineClient, EachFaultIsReportedOnceAndNoProcessIsLeft) {
    for (const FaultCase& c : kFaults) {
        SCOPED_TRACE(c.name);
        Started s(fake(c.script));
        int number = 0;
        if (c.search) {
            EXPECT_TRUE(s.recorder.offers);
            const SearchStart started = s.engine->search(moveTime(100));
            ASSERT_TRUE(started);
            number = started.number;
        }
        ASSERT_TRUE(s.recorder.waitUntil([&] { return !s.recorder.faults.empty(); }));
        if (c.engineEnds) {
            EXPECT_TRUE(s.recorder.waitUntil([&] { return s.recorder.ended; }));
        }
        {
            std::lock_guard lock(s.recorder.mutex);
            ASSERT_EQ(s.recorder.faults.size(), 1u);
            const EngineFault& fault = s.recorder.faults.front();
            EXPECT_EQ(fault.kind, c.kind) << faultName(fault.kind);
            EXPECT_EQ(fault.searchNumber, number);
            EXPECT_NE(fault.detail.find(c.detail), std::string::npos) << fault.detail;
            EXPECT_TRUE(s.recorder.answers.empty());
            EXPECT_EQ(fault.move, c.move);
        }
        EXPECT_EQ(s.engine->state() == EngineState::ended, c.engineEnds);
        if (c.engineEnds) {
            EXPECT_TRUE(test::childProcesses().empty());
            EXPECT_FALSE(s.engine->search(moveTime(10)));
        } else {
            // The game goes on: the next search is answered.
            const SearchStart next = s.engine->search(moveTime(20, {"e2e4"}));
            ASSERT_TRUE(s.recorder.waitUntil([&] { return !s.recorder.answers.empty(); }));
            EXPECT_EQ(s.recorder.answers.front().searchNumber, next.number);
        }
    }
}

TEST_F(EngineClient, AProgramThatCannotStartIsNotAnswering) {
    for (const char* program : {"/nonexistent/engine", "quorvel-no-such-engine", "/etc/hostname", "/tmp"}) {
        SCOPED_TRACE(program);
        Started s(EngineCommand{program, {}});
        ASSERT_TRUE(s.recorder.waitUntil([&] { return s.recorder.ended; }));
        std::lock_guard lock(s.recorder.mutex);
        ASSERT_EQ(s.recorder.faults.size(), 1u);
        EXPECT_EQ(s.recorder.faults.front().kind, Kind::notAnswering);
        EXPECT_NE(s.recorder.faults.front().detail.find("cannot start"), std::string::npos);
    }
}

TEST_F(EngineClient, ATimeoutComesAfterTheTimeGivenNotBefore) {
    // The fake answers at the end of its movetime: the deadline, later, lets it.
    Started s(fake({"think=100000"}));
    const SearchStart started = s.engine->search(moveTime(400));
    ASSERT_TRUE(s.recorder.answeredOrFailed(started.number));
    {
        std::lock_guard lock(s.recorder.mutex);
        EXPECT_TRUE(s.recorder.faults.empty());
    }
    // A depth and a deadline of its own: the fake's long thought runs into it.
    SearchRequest depth;
    depth.limits.depth = 5;
    depth.deadline = 300ms;
    const auto asked = std::chrono::steady_clock::now();
    const SearchStart deep = s.engine->search(depth);
    EXPECT_TRUE(s.recorder.waitUntil([&] { return !s.recorder.faults.empty(); }));
    EXPECT_GE(std::chrono::steady_clock::now() - asked, 300ms);
    std::lock_guard lock(s.recorder.mutex);
    EXPECT_EQ(s.recorder.faults.front().kind, Kind::timeout);
    EXPECT_EQ(s.recorder.faults.front().searchNumber, deep.number);
}

TEST_F(EngineClient, FloodsJunkAndEndlessLinesNeitherBlockNorCrash) {
    struct Case {
        std::vector<std::string> script;
        int patienceMs;
    };
    const Case cases[] = {
        {{"flood=50000"}, 120000},  // megabytes of lines, far more than a pipe holds
        {{"junk", "long-line=3000000"}, 30000},
        {{"stderr-flood=2000000"}, 30000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script.front());
        Started s(fake(c.script));
        ASSERT_TRUE(s.recorder.offers);
        const auto asked = std::chrono::steady_clock::now();
        // The fake takes its time to write all that: the deadline is the test's patience.
        SearchRequest request = moveTime(50, {"g1f3"});
        request.deadline = milliseconds(c.patienceMs);
        const SearchStart started = s.engine->search(request);
        ASSERT_TRUE(s.recorder.answeredOrFailed(started.number));
        const auto took = std::chrono::steady_clock::now() - asked;
        std::lock_guard lock(s.recorder.mutex);
        ASSERT_TRUE(s.recorder.faults.empty()) << s.recorder.faults.front().detail;
        ASSERT_EQ(s.recorder.answers.size(), 1u);
        EXPECT_EQ(s.recorder.answers.front().info.nodes, 4242u);  // the last info line, not a flood's
        // Progress is thinned to about ten a second, whatever comes in.
        const auto tenths = std::chrono::duration_cast<milliseconds>(took).count() / 100;
        EXPECT_LE(static_cast<long long>(s.recorder.progress.size()), tenths + 3);
    }
}

TEST_F(EngineClient, QuitEndsEvenAnEngineThatIgnoresItOrIsPaused) {
    struct Case {
        std::vector<std::string> script;
        bool pause;
    };
    const Case cases[] = {
        {{}, false},
        {{"ignore-quit"}, false},
        {{"ignore-quit", "ignore-term"}, false},
        {{}, true},  // a paused engine ignores SIGTERM until it is continued
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script.size() + (c.pause ? 10 : 0));
        Started s(fake(c.script));
        ASSERT_TRUE(s.recorder.offers);
        s.engine->search(infinite());
        if (c.pause) {
            ASSERT_EQ(test::childProcesses().size(), 1u);
            ::kill(test::childProcesses().front(), SIGSTOP);
        }
        const auto asked = std::chrono::steady_clock::now();
        s.engine->quit();
        ASSERT_TRUE(s.recorder.waitUntil([&] { return s.recorder.ended; }));
        // quit, then SIGTERM after 300 ms, then SIGKILL 300 ms later.
        EXPECT_LT(std::chrono::steady_clock::now() - asked, 5000ms);
        EXPECT_TRUE(test::childProcesses().empty());
        std::lock_guard lock(s.recorder.mutex);
        EXPECT_TRUE(s.recorder.faults.empty());
    }
}

TEST_F(EngineClient, DestroyingTheEngineAtAnyMomentLeavesNoProcess) {
    for (int moment = 0; moment < 4; ++moment) {
        SCOPED_TRACE(moment);
        Recorder recorder;
        auto engine = makeUciEngine(quickTimeouts());
        if (moment > 0) engine->start(fake({"slow-ready=200"}), recorder.events());
        if (moment > 1) recorder.waitUntil([&] { return recorder.offers.has_value(); });
        if (moment > 2) engine->search(infinite());
        engine.reset();
        EXPECT_TRUE(test::childProcesses().empty());
    }
}

TEST_F(EngineClient, SearchesTheRulesCannotSetUpAreRefusedBeforeAnythingIsSent) {
    Started s(fake());
    struct Case {
        SearchRequest request;
        const char* problem;
    };
    const Case cases[] = {
        {moveTime(10, {"e2e4", "e2e4"}), "illegal move 'e2e4'"},
        {moveTime(10, {}, "8/8/8/8/8/8/8/8 w - - 0 1"), "can't be set up"},
        {moveTime(10, {"f2f3", "e7e5", "g2g4", "d8h4"}), "no legal move"},      // mated
        {moveTime(10, {}, "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1"), "no legal move"},  // stalemated
    };
    for (const Case& c : cases) {
        const SearchStart started = s.engine->search(c.request);
        EXPECT_FALSE(started);
        EXPECT_NE(started.problem.find(c.problem), std::string::npos) << started.problem;
    }
    auto notStarted = makeUciEngine();
    EXPECT_FALSE(notStarted->search(moveTime(10)));
}

TEST_F(EngineClient, TwoEnginesPlayAGameSideBySide) {
    SyncEngine white(makeUciEngine(quickTimeouts()));
    SyncEngine black(makeUciEngine(quickTimeouts()));
    ASSERT_TRUE(std::holds_alternative<EngineOffers>(white.start(fake({"name=White"}))));
    ASSERT_TRUE(std::holds_alternative<EngineOffers>(black.start(fake({"name=Black"}))));
    EXPECT_EQ(test::childProcesses().size(), 2u);
    white.newGame();
    black.newGame();
    SearchRequest request = moveTime(10);
    for (int ply = 0; ply < 20; ++ply) {
        SyncEngine& mover = ply % 2 == 0 ? white : black;
        const SearchReply outcome = mover.search(request);
        if (!outcome.refused.empty()) break;  // the game is over
        ASSERT_TRUE(outcome.answer) << (outcome.fault ? outcome.fault->detail : "");
        request.moves.push_back(outcome.answer->move);
    }
    EXPECT_GE(request.moves.size(), 4u);
    white.quit();
    black.quit();
    EXPECT_TRUE(test::childProcesses().empty());
}

TEST_F(EngineClient, SyncSearchesReportFaultsAndRefusals) {
    SyncEngine engine(makeUciEngine(quickTimeouts()));
    ASSERT_TRUE(
        std::holds_alternative<EngineOffers>(engine.start(fake({"illegal-on-go=2", "crash-on-go=3"}))));
    EXPECT_TRUE(engine.search(moveTime(10)).answer);
    const SearchReply illegal = engine.search(moveTime(10));
    ASSERT_TRUE(illegal.fault);
    EXPECT_EQ(illegal.fault->kind, Kind::illegalMove);
    const SearchReply crash = engine.search(moveTime(10));
    ASSERT_TRUE(crash.fault);
    EXPECT_EQ(crash.fault->kind, Kind::stopped);
    EXPECT_FALSE(engine.search(moveTime(10)).refused.empty());
    EXPECT_FALSE(engine.running());

    SyncEngine missing(makeUciEngine(quickTimeouts()));
    const auto start = missing.start({"/nonexistent/engine", {}});
    ASSERT_TRUE(std::holds_alternative<EngineFault>(start));
    EXPECT_EQ(std::get<EngineFault>(start).kind, Kind::notAnswering);
}

// The real thing, where Debian's package is installed (CI installs it).
TEST_F(EngineClient, StockfishPlaysLegalMovesThroughTheClient) {
    std::optional<EngineCommand> stockfish;
    for (const KnownEngine& known : findKnownEngines())
        if (known.program == "stockfish") stockfish = known.command;
    if (!stockfish) GTEST_SKIP() << "stockfish is not installed";

    SyncEngine engine(makeUciEngine());
    const auto start = engine.start(*stockfish);
    ASSERT_TRUE(std::holds_alternative<EngineOffers>(start)) << std::get<EngineFault>(start).detail;
    const EngineOffers& offers = std::get<EngineOffers>(start);
    EXPECT_EQ(offers.name.rfind("Stockfish", 0), 0u) << offers.name;
    ASSERT_TRUE(offers.elo);
    EXPECT_LT(offers.elo->low, 1500);
    EXPECT_TRUE(offers.skillLevel);
    engine.setOption("Threads", "1");
    engine.setOption("Hash", "16");
    engine.setOption("UCI_LimitStrength", "true");
    engine.setOption("UCI_Elo", "1500");
    engine.newGame();
    // The scholar's mate on the board: whatever its strength, it takes on f7.
    const SearchReply mate = engine.search(
        moveTime(200, {}, "r1bqkbnr/pppp1ppp/2n5/4p3/2B1P3/5Q2/PPPP1PPP/RNB1K1NR w KQkq - 2 3"));
    ASSERT_TRUE(mate.answer);
    EXPECT_EQ(mate.answer->move, "f3f7");
    engine.newGame();
    SearchRequest request = moveTime(100);
    for (int ply = 0; ply < 6; ++ply) {
        const SearchReply outcome = engine.search(request);
        ASSERT_TRUE(outcome.answer) << (outcome.fault ? outcome.fault->detail : outcome.refused);
        EXPECT_TRUE(outcome.answer->info.depth) << outcome.answer->move;
        request.moves.push_back(outcome.answer->move);
    }
    engine.quit();
}

}  // namespace
}  // namespace quorvel
