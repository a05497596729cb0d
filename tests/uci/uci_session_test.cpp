// The engine behind the Universal Chess Interface: the plans "go" makes, the
// "info" texts, the options, and whole dialogues with a session, waited on
// through the lines it sends (no sleeps).

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>

#include "engine/search_tree.h"
#include "uci/uci_options.h"
#include "uci/uci_report.h"
#include "uci/uci_session.h"
#include "uci/uci_time.h"
#include "rules/fen.h"
#include "rules/uci_move.h"
#include "rules/uci_position.h"

namespace quorvel {
namespace {

using std::chrono::milliseconds;

struct PlanCase {
    const char* go;
    bool engineIsWhite;
    int depth;
    std::optional<int> mainEnd, stopAt;  // ms
    TimeLimits tick;
    bool waitForStop;
};

constexpr TimeLimits kOptionLimits{9, 8};
constexpr TimeLimits kNever{kNoTimeLimit, kNoTimeLimit};

const PlanCase kPlans[] = {
    // No limit given: the engine's own limits, as in the game.
    {"", true, 10, {}, {}, kOptionLimits, false},
    {"depth 4", true, 4, {}, {}, {kNoTimeLimit, 8}, false},
    {"depth 40", false, 10, {}, {}, {kNoTimeLimit, 8}, false},
    {"infinite", true, 10, {}, {}, kNever, true},
    // The budget less the overhead; the main tree gets 55 % of it.
    {"movetime 1000", true, 10, 522, 950, kNever, false},
    {"movetime 1000 depth 3", false, 3, 522, 950, kNever, false},
    {"movetime -5", true, 10, 0, 1, kNever, false},
    // A thirtieth of the clock in sudden death...
    {"wtime 60000 btime 1000", true, 10, 1072, 1950, kNever, false},
    // ... never more than what leaves a reserve on it ...
    {"wtime 60000 btime 1000", false, 10, 0, 1, kNever, false},
    // ... the increment mostly spent, the last move before the control may take the rest but the reserve.
    {"wtime 10000 winc 2000 movestogo 1", true, 10, 5197, 9450, kNever, false},
    {"btime 30000 binc 3000 movestogo 10", false, 10, 2860, 5200, kNever, false},
    {"movetime 5000 wtime 3000", true, 10, 27, 50, kNever, false},
    // Each word at its edges: movestogo 0 is sudden death, 1 the last move
    // before the control; no increment; tiny and huge clocks.
    {"wtime 60000 movestogo 0", true, 10, 1072, 1950, kNever, false},
    {"wtime 10000 movestogo 1", true, 10, 5197, 9450, kNever, false},
    {"btime 10000 binc 0 movestogo 2", false, 10, 1805, 3283, kNever, false},
    {"wtime 30000 binc 3000 movestogo 10", true, 10, 1622, 2950, kNever, false},
    {"wtime 3000 winc 30000", true, 10, 522, 950, kNever, false},
    {"wtime 0 winc 0", true, 10, 0, 1, kNever, false},
    {"wtime 1", true, 10, 0, 1, kNever, false},
    {"movetime 0", true, 10, 0, 1, kNever, false},
    {"movetime 52", true, 10, 1, 2, kNever, false},
    {"wtime 3600000000 btime 1", true, 10, 65999972, 119999950, kNever, false},
    {"depth 1", true, 1, {}, {}, {kNoTimeLimit, 8}, false},
    {"depth 0", true, 1, {}, {}, {kNoTimeLimit, 8}, false},
};

TEST(UciGo, PlansBoundTheSearch) {
    for (const PlanCase& c : kPlans) {
        SCOPED_TRACE(std::string("go ") + c.go + (c.engineIsWhite ? " (White)" : " (Black)"));
        const SearchPlan plan = planSearch(parseGo(c.go), c.engineIsWhite, kOptionLimits, 10);
        EXPECT_EQ(plan.maxDepthMain, c.depth);
        EXPECT_EQ(plan.mainPhaseEnd, c.mainEnd ? std::optional(milliseconds(*c.mainEnd)) : std::nullopt);
        EXPECT_EQ(plan.stopAt, c.stopAt ? std::optional(milliseconds(*c.stopAt)) : std::nullopt);
        EXPECT_EQ(plan.tickLimits.mainTimeLimit, c.tick.mainTimeLimit);
        EXPECT_EQ(plan.tickLimits.secondaryTimeLimit, c.tick.secondaryTimeLimit);
        EXPECT_EQ(plan.waitForStop, c.waitForStop);
    }
}

// A program may give an untimed game the largest clock it can write: the
// move still gets a long think, not an instant one, nor one past any end.
TEST(UciGo, TheLargestClocksGiveALongThink) {
    const std::string largest = "9223372036854775807";
    for (const std::string& go :
         {"wtime " + largest + " btime " + largest, "wtime " + largest + " winc " + largest + " movestogo 1",
          "movetime " + largest}) {
        SCOPED_TRACE(go);
        const SearchPlan plan = planSearch(parseGo(go), true, kOptionLimits, 10);
        ASSERT_TRUE(plan.mainPhaseEnd && plan.stopAt);
        EXPECT_GT(*plan.mainPhaseEnd, std::chrono::hours(24));
        EXPECT_LT(*plan.mainPhaseEnd, *plan.stopAt);
        EXPECT_LE(*plan.stopAt, std::chrono::hours(24 * 366));
        // The moment of the stop on the steady clock is still ahead.
        const auto now = std::chrono::steady_clock::now();
        EXPECT_GT(now + *plan.stopAt, now);
    }
}

TEST(UciGo, ClockAllotmentsKeepTimeOnTheClock) {
    for (long long remaining : {0LL, 30LL, 500LL, 5000LL, 60000LL, 3600000LL}) {
        for (long long increment : {0LL, 1000LL, 30000LL}) {
            for (int movesToGo : {0, 1, 2, 40}) {
                const auto allot = moveAllotment(remaining, increment, movesToGo).count();
                EXPECT_GE(allot, 0);
                EXPECT_LE(allot, std::max(0LL, remaining - 50))
                    << remaining << " " << increment << " " << movesToGo;
                if (movesToGo != 1) {
                    EXPECT_LE(allot, remaining / 3);
                }
            }
        }
    }
}

TEST(UciGo, WordsNotUnderstoodAreReported) {
    EXPECT_TRUE(
        parseGo("wtime 1 btime 2 winc 3 binc 4 movestogo 5 depth 6 movetime 7 infinite").problems.empty());
    for (const char* go : {"movetime", "movetime abc", "ponder", "nodes 100", "depth 3 mate 2"}) {
        EXPECT_FALSE(parseGo(go).problems.empty()) << go;
    }
    EXPECT_EQ(parseGo("wtime -300").whiteTime, 0);  // an overrun clock
}

PrincipalLine line(std::initializer_list<const char*> moves, int score, bool mate = false) {
    PrincipalLine l;
    for (const char* m : moves) l.moves.push_back(MoveText::fromString(m));
    if (mate) writeMateMarker(l.moves.back());
    l.score = score;
    return l;
}

TEST(UciInfo, ScoresAreCentipawnsOrMatesFromTheEngineSide) {
    EXPECT_EQ(uciScore(line({"e7-e5"}, 31)), "cp 31");
    EXPECT_EQ(uciScore(line({"e7-e5", "d2-d4"}, -120)), "cp -120");
    EXPECT_EQ(uciScore(line({"a8-a1"}, 30000, true)), "mate 1");
    EXPECT_EQ(uciScore(line({"a8-a1", "h1-h2", "a1-h1"}, 30000, true)), "mate 2");
    EXPECT_EQ(uciScore(line({"e7-e6", "d1-h5"}, -30000, true)), "mate -1");
    // The back-up's bounds are no scores.
    EXPECT_TRUE(isScored(line({"e7-e5"}, 19999)));
    EXPECT_TRUE(isScored(line({"a8-a1"}, 30000, true)));
    EXPECT_FALSE(isScored(line({"e7-e5"}, 30000)));
    EXPECT_FALSE(isScored(line({"e7-e5"}, -32000)));
    EXPECT_FALSE(isScored(line({}, 0)));
}

TEST(UciInfo, LinesAreReplayedForPromotionsAndShownInChessSquares) {
    // Black to move on top (the player has White): the pawn on b2 promotes.
    const auto setUp = setUpUciPosition("fen 4k3/8/8/8/8/8/1p6/4K2R b K - 0 1");
    const Position& base = setUp.position->record->current;
    const PrincipalLine pv = line({"b2-b1", "o-o", "b1xf1"}, 250);
    EXPECT_EQ(uciLine(base, pv, false), "b2b1q e1g1 b1f1");
    InfoSnapshot info{3, 2, 5000, milliseconds(20), pv};
    EXPECT_EQ(formatInfo(info, base, false),
              "info depth 3 seldepth 5 score cp 250 nodes 5000 nps 250000 time 20 pv b2b1q e1g1 b1f1");
    info.line = {};
    info.time = milliseconds(0);
    EXPECT_EQ(formatInfo(info, base, false), "info depth 3 seldepth 5 nodes 5000 time 0");
}

TEST(UciOptions, AnnounceTheDialogValuesWithRangesAndDefaults) {
    UciSettings defaults;
    defaults.bookFile = "ouvertures.txt";
    const std::vector<std::string> lines = uciOptionLines(defaults);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "option name Main Tree Time type spin default 9 min 1 max 300");
    EXPECT_EQ(lines[5], "option name Secondary Tree Depth type spin default 3 min 0 max 10");
    EXPECT_EQ(lines[6], "option name Horizon Reduction type check default true");
    EXPECT_EQ(lines[9], "option name BookFile type string default ouvertures.txt");
    EXPECT_EQ(lines[10], "option name Level type spin default 0 min 0 max 8");
}

TEST(UciOptions, SetOptionChangesOneValueOrNothing) {
    struct Case {
        const char* arguments;
        bool accepted;
        std::function<bool(const UciSettings&)> holds;
    };
    const Case cases[] = {
        {"name Main Tree Time value 20", true,
         [](const UciSettings& s) { return s.limits.mainTimeLimit == 20; }},
        {"name secondary tree time value 300", true,
         [](const UciSettings& s) { return s.limits.secondaryTimeLimit == 300; }},
        {"name Main Tree Depth value 4", true,
         [](const UciSettings& s) { return s.engine.maxDepthMain == 4; }},
        {"name Alpha-Beta Tolerance value 1000", true,
         [](const UciSettings& s) { return s.engine.alphaBetaTolerance == 1000; }},
        {"name Minimum Sons value 7", true, [](const UciSettings& s) { return s.engine.minSons == 7; }},
        {"name Horizon Reduction value false", true,
         [](const UciSettings& s) { return !s.engine.horizonReduction; }},
        {"name Alpha-Beta Sorting value FALSE", true,
         [](const UciSettings& s) { return !s.engine.alphaBetaSorting; }},
        {"name OwnBook value false", true, [](const UciSettings& s) { return !s.ownBook; }},
        {"name BookFile value /tmp/my book.txt", true,
         [](const UciSettings& s) { return s.bookFile == "/tmp/my book.txt"; }},
        {"name BookFile value <empty>", true, [](const UciSettings& s) { return s.bookFile.empty(); }},
        // A level sets its preset and its root choice; 0 leaves the values.
        {"name Level value 1", true,
         [](const UciSettings& s) {
             return s.level == 1 && s.engine.maxDepthMain == 3 && s.engine.maxDepthSecondary == 0 &&
                    s.limits.mainTimeLimit == 4 && levelChoiceMargin(s) == 150;
         }},
        {"name level value 8", true,
         [](const UciSettings& s) {
             return s.level == 8 && s.engine == EngineOptions{} && s.limits.mainTimeLimit == 9 &&
                    s.limits.secondaryTimeLimit == 8 && levelChoiceMargin(s) == 0;
         }},
        {"name Level value 0", true,
         [](const UciSettings& s) {
             return s.level == 0 && s.engine == EngineOptions{} && levelChoiceMargin(s) == 0;
         }},
        {"name Level value 9", false, nullptr},
        {"name Main Tree Time value 0", false, nullptr},
        {"name Main Tree Depth value 11", false, nullptr},
        {"name Secondary Tree Depth value x", false, nullptr},
        {"name Minimum Sons", false, nullptr},
        {"name OwnBook value maybe", false, nullptr},
        {"name Hash value 64", false, nullptr},
        {"Main Tree Time value 3", false, nullptr},
        {"", false, nullptr},
    };
    for (const Case& c : cases) {
        UciSettings settings;
        settings.bookFile = "ouvertures.txt";
        const UciSettings before = settings;
        const auto problem = applySetOption(c.arguments, settings);
        EXPECT_EQ(!problem.has_value(), c.accepted) << c.arguments;
        if (c.accepted) {
            EXPECT_TRUE(c.holds(settings)) << c.arguments;
        } else {
            EXPECT_TRUE(settings.engine == before.engine && settings.ownBook == before.ownBook &&
                        settings.bookFile == before.bookFile &&
                        settings.limits.mainTimeLimit == before.limits.mainTimeLimit)
                << c.arguments;
        }
    }
}

// A session whose answers are collected; tests wait for the line they expect.
class Dialogue {
public:
    explicit Dialogue(std::string bookFile = "")
        : session_(
              [this](const std::string& line) {
                  std::lock_guard lock(mutex_);
                  lines_.push_back(line);
                  arrived_.notify_all();
              },
              std::move(bookFile), 1ull << 40) {}

    bool send(const std::string& line) { return session_.handleLine(line); }
    UciSession& session() { return session_; }

    // Index of the first line from `from` on that starts with `prefix`; -1
    // when none comes within `patience`.
    int waitFor(const std::string& prefix, int from = 0, milliseconds patience = milliseconds(60000)) {
        std::unique_lock lock(mutex_);
        int found = -1;
        arrived_.wait_for(lock, patience, [&] {
            for (int i = from; i < static_cast<int>(lines_.size()); ++i) {
                if (lines_[static_cast<std::size_t>(i)].rfind(prefix, 0) == 0) {
                    found = i;
                    return true;
                }
            }
            return false;
        });
        return found;
    }
    std::string line(int i) {
        std::lock_guard lock(mutex_);
        return i >= 0 && i < static_cast<int>(lines_.size()) ? lines_[static_cast<std::size_t>(i)] : "";
    }
    int count() {
        std::lock_guard lock(mutex_);
        return static_cast<int>(lines_.size());
    }
    // The move of "bestmove X", waiting for it.
    std::string bestMove(int from = 0) {
        const int at = waitFor("bestmove ", from);
        return at < 0 ? "(none)" : line(at).substr(9);
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::string> lines_;
    UciSession session_;  // last: its threads stop before the lines go
};

// Is `move` a legal move of the side to move after "position `position`"?
bool legalAfter(const std::string& position, const std::string& move) {
    const auto setUp = setUpUciPosition(position);
    if (!setUp.position) return false;
    const GameRecord& r = *setUp.position->record;
    return findUciMove(r.current, r.state, true, r.playerIsBlack, move).has_value();
}

TEST(UciDialogue, HandshakeNamesTheEngineAndItsOptions) {
    Dialogue d;
    d.send("uci\r");  // a Windows line end
    const int ok = d.waitFor("uciok");
    ASSERT_EQ(ok, 13);
    EXPECT_EQ(d.line(0), "id name Quorvel 1.0");
    EXPECT_EQ(d.line(1).rfind("id author ", 0), 0u);
    for (int i = 2; i < ok; ++i) EXPECT_EQ(d.line(i).rfind("option name ", 0), 0u) << d.line(i);
    d.send("\tisready ");
    EXPECT_EQ(d.waitFor("readyok"), ok + 1);
}

TEST(UciDialogue, IsReadyAndStopAreAnsweredDuringASearch) {
    Dialogue d;
    const std::string position = "startpos moves e2e4 e7e5";
    d.send("position " + position);
    d.send("go infinite");
    ASSERT_GE(d.waitFor("info depth"), 0);
    d.send("isready");
    const int ready = d.waitFor("readyok");
    ASSERT_GE(ready, 0);
    EXPECT_EQ(d.waitFor("bestmove", 0, milliseconds(0)), -1);  // still thinking
    const auto stopped = std::chrono::steady_clock::now();
    d.send("stop");
    const std::string move = d.bestMove(ready);
    // An infinite search answers only to the stop, within milliseconds: 30 s
    // leaves room for a sanitizer build on a busy machine.
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::seconds(30));
    EXPECT_TRUE(legalAfter(position, move)) << move;
    // Nothing follows the answer.
    d.send("isready");
    const int bestAt = d.waitFor("bestmove");
    EXPECT_EQ(d.waitFor("info", bestAt + 1, milliseconds(0)), -1);
}

TEST(UciDialogue, ANewGoRightAfterStopIsAnsweredToo) {
    Dialogue d;
    d.send("position startpos");
    d.send("go infinite");
    ASSERT_GE(d.waitFor("info depth"), 0);
    // A program that does not wait for the answer to "stop".
    d.send("stop");
    d.send("position startpos moves d2d4");
    d.send("go depth 2");
    const int first = d.waitFor("bestmove");
    EXPECT_TRUE(legalAfter("startpos", d.line(first).substr(9)));
    const int second = d.waitFor("bestmove", first + 1);
    EXPECT_TRUE(legalAfter("startpos moves d2d4", d.line(second).substr(9)));
    // The same without a stop: the running search ends first.
    d.send("go infinite");
    ASSERT_GE(d.waitFor("info depth", second + 1), 0);
    d.send("go depth 1");
    const int third = d.waitFor("bestmove", second + 1);
    ASSERT_GE(third, 0);
    EXPECT_GE(d.waitFor("bestmove", third + 1), 0);
}

TEST(UciDialogue, EachColourAnswersWithItsOwnLegalMove) {
    for (const char* position :
         {"startpos moves e2e4", "startpos moves e2e4 c7c5 g1f3",
          "fen r3k2r/pppq1ppp/2np1n2/2b1p3/2B1P3/2NP1N2/PPPQ1PPP/R3K2R w KQkq - 0 8"}) {
        Dialogue d;
        d.send(std::string("position ") + position);
        d.send("go depth 3");
        const std::string move = d.bestMove();
        EXPECT_TRUE(legalAfter(position, move)) << position << ": " << move;
        EXPECT_GE(d.waitFor("info depth 3 seldepth"), 0) << position;
    }
}

TEST(UciDialogue, AMateIsPlayedAndAnnounced) {
    Dialogue d;
    d.send("position fen 6k1/8/6K1/8/8/8/8/R7 w - - 0 1");
    d.send("go depth 3");
    EXPECT_EQ(d.bestMove(), "a1a8");
    const int info = d.waitFor("info depth");
    int mate = -1;
    for (int i = info; i >= 0 && i < d.count(); ++i) {
        if (d.line(i).find(" score mate 1 ") != std::string::npos) mate = i;
    }
    EXPECT_GE(mate, 0);
}

TEST(UciDialogue, NoLegalMoveAnswersTheNullMove) {
    for (const char* fen : {"6k1/5ppp/8/8/8/8/8/3R2K1 w - - 0 1 moves d1d8",  // mated
                            "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1"}) {              // stalemated
        Dialogue d;
        d.send(std::string("position fen ") + fen);
        d.send("go movetime 100");
        EXPECT_EQ(d.bestMove(), "0000") << fen;
    }
}

TEST(UciDialogue, GarbageIsReportedAndForgotten) {
    Dialogue d;
    const char* garbage[] = {"banana",
                             "position",
                             "position fen 9/8/8/8/8/8/8/8 w - - 0 1",
                             "position startpos moves e2e5",
                             "setoption name Main Tree Depth value 11",
                             "setoption name Nope value 1",
                             "setoption",
                             "go movetime soon",
                             "\x01\x02\xff garbage with control bytes"};
    int reports = 0;
    for (const char* text : garbage) {
        d.send(text);
        if (std::string(text).rfind("go", 0) == 0) break;
    }
    // The go above searched the position as it stood (the start, the bad
    // moves left out) under the engine's own limits: stop it.
    d.send("stop");
    EXPECT_TRUE(legalAfter("startpos", d.bestMove()));
    d.send(garbage[8]);
    d.send("");
    d.send("isready");
    const int ready = d.waitFor("readyok");
    for (int i = 0; i < ready; ++i) reports += d.line(i).rfind("info string ", 0) == 0;
    EXPECT_EQ(reports, 9);
    EXPECT_NE(d.line(ready - 1).find("'???"), std::string::npos);  // control bytes are not echoed
}

TEST(UciDialogue, TheBookAnswersFromTheInitialPositionOnly) {
    const auto file = std::filesystem::temp_directory_path() / "quorvel_uci_book.txt";
    std::ofstream(file) << "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6 ,Gambit de la dame\r\n";
    Dialogue d(file.string());
    d.send("position startpos moves d2d4");
    d.send("go movetime 2000");
    EXPECT_EQ(d.bestMove(), "d7d5");
    EXPECT_GE(d.waitFor("info string Ouverture : Gambit de la dame"), 0);

    d.send("setoption name OwnBook value false");
    d.send("position startpos moves d2d4");
    d.send("go depth 1");
    const int before = d.waitFor("bestmove") + 1;
    d.bestMove(before);
    EXPECT_EQ(d.waitFor("info string", before, milliseconds(0)), -1);

    d.send("setoption name BookFile value /nonexistent/book.txt");
    EXPECT_GE(d.waitFor("info string cannot read the opening book"), 0);
    std::filesystem::remove(file);
}

// The book's lines start from the initial position: a set-up position is
// searched even when the line's next move could be played on it.
TEST(UciDialogue, TheBookIsNotFollowedFromASetUpPosition) {
    const auto file = std::filesystem::temp_directory_path() / "quorvel_uci_setup_book.txt";
    std::ofstream(file) << "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 ,Partie espagnole\r\n";
    Dialogue d(file.string());
    const char* positions[] = {
        "fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq - 0 1",  // no white queen
        "fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w Kkq - 0 1",   // a right already lost
        "fen rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
    };
    int from = 0;
    for (const char* position : positions) {
        SCOPED_TRACE(position);
        d.send(std::string("position ") + position);
        d.send("go depth 1");
        const int answer = d.waitFor("bestmove", from);
        ASSERT_GE(answer, 0);
        EXPECT_EQ(d.waitFor("info string Ouverture", from, milliseconds(0)), -1);
        from = answer + 1;
    }
    // The same moves from the initial position follow the line.
    d.send(std::string("position fen ") + kStartFen + " moves e2e4");
    d.send("go depth 1");
    EXPECT_EQ(d.bestMove(from), "e7e5");
    std::filesystem::remove(file);
}

// The engine thinks on its own clock: a few milliseconds left on it are
// spent at once, whatever the other side has.
TEST(UciDialogue, TheEngineSpendsItsOwnClock) {
    for (const char* position : {"startpos", "startpos moves e2e4"}) {
        SCOPED_TRACE(position);
        Dialogue d;
        d.send("setoption name OwnBook value false");
        d.send(std::string("position ") + position);
        const bool engineIsWhite = std::string(position) == "startpos";
        const auto start = std::chrono::steady_clock::now();
        // Ten seconds for the other side, a move in one millisecond for the engine.
        d.send(engineIsWhite ? "go wtime 100 btime 300000 winc 0 binc 0"
                             : "go wtime 300000 btime 100 winc 0 binc 0");
        EXPECT_TRUE(legalAfter(position, d.bestMove()));
        const auto used = std::chrono::steady_clock::now() - start;
        // The answer follows the first level, a fraction of a millisecond;
        // 5 s leaves room for a sanitizer build on a busy machine and is
        // half of what the other side's clock would give.
        EXPECT_LT(used, std::chrono::seconds(5));
    }
}

TEST(UciDialogue, InfiniteHoldsTheAnswerUntilStop) {
    Dialogue d;
    d.send("position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");  // nothing to search
    d.send("go infinite");
    EXPECT_EQ(d.waitFor("bestmove", 0, milliseconds(300)), -1);
    d.send("stop");
    EXPECT_EQ(d.bestMove(), "0000");
}

TEST(UciDialogue, ALongGameKeepsItsLastHalfMoves) {
    Dialogue d;
    std::string position = "startpos moves";
    for (int i = 0; i < 80; ++i) position += " g1f3 g8f6 f3g1 f6g8";
    position += " e2e4 e7e5";
    d.send("position " + position);
    d.send("go depth 2");
    EXPECT_TRUE(legalAfter(position, d.bestMove()));
}

TEST(UciDialogue, QuitEndsASearch) {
    Dialogue d;
    d.send("go infinite");
    ASSERT_GE(d.waitFor("info depth"), 0);
    EXPECT_FALSE(d.send("quit"));
    EXPECT_TRUE(legalAfter("startpos", d.bestMove()));
}

TEST(UciDialogue, ATimedMoveAnswersInTime) {
    Dialogue d;
    d.send("setoption name OwnBook value false");
    d.send("position startpos moves d2d4 d7d5 c2c4");
    const auto start = std::chrono::steady_clock::now();
    d.send("go movetime 400");
    d.bestMove();
    const auto used = std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
    // The stop comes on time whatever the machine; the answer follows once
    // the search sees it, which a sanitizer build on a busy machine may take
    // a second or two to do. A plan lost on the way would leave the engine's
    // own limits of 9 and 8 seconds, or no limit at all: 5 s tells them apart.
    EXPECT_LT(used.count(), 5000);
}

}  // namespace
}  // namespace quorvel
