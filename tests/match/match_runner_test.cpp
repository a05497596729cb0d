// Whole matches between fake engines: colours and openings in turn, the
// faults of an engine lost as games and the engine started again, wrong
// commands and options said before anything is played, and no process left.

#include "match/match_runner.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

#include "storage/pgn_reader.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;

int childCount() {
    int count = 0;
    DIR* proc = ::opendir("/proc");
    while (dirent* entry = proc ? ::readdir(proc) : nullptr) {
        std::ifstream stat("/proc/" + std::string(entry->d_name) + "/stat");
        std::string line;
        if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) continue;
        std::istringstream rest(line.substr(line.rfind(')') + 1));
        std::string state;
        pid_t parent = 0;
        rest >> state >> parent;
        count += parent == ::getpid();
    }
    if (proc) ::closedir(proc);
    return count;
}

MatchEngine fake(std::vector<std::string> script) {
    MatchEngine engine;
    engine.command = {QUORVEL_FAKE_ENGINE, std::move(script)};
    engine.limits.moveTime = 5;
    return engine;
}

MatchSettings settings(MatchEngine first, MatchEngine second, int games) {
    MatchSettings s;
    s.engines = {std::move(first), std::move(second)};
    s.games = games;
    s.maxMoves = 25;
    s.timeouts.handshake = 3000ms;
    s.timeouts.quitGrace = 300ms;
    s.timeouts.termGrace = 300ms;
    s.date = "2026.12.01";
    return s;
}

struct Played {
    std::vector<PlayedGame> games;
    std::vector<std::string> notices;
    std::variant<MatchReport, std::string> outcome;
};

Played play(const MatchSettings& s) {
    Played p;
    std::mutex mutex;
    p.outcome = runMatch(
        s,
        [&](const PlayedGame& game) {
            std::lock_guard lock(mutex);
            p.games.push_back(game);
        },
        [&](const std::string& note) { p.notices.push_back(note); });
    std::sort(p.games.begin(), p.games.end(), [](auto& a, auto& b) { return a.number < b.number; });
    return p;
}

class Match : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(childCount(), 0) << "an engine process was left behind"; }
};

TEST_F(Match, ColoursAlternateEachOpeningIsPlayedTwiceAndTheScoreAddsUp) {
    MatchSettings s = settings(fake({"name=Alpha"}), fake({"name=Beta"}), 6);
    s.openings = {{"", {"e2e4", "e7e5"}}, {"4k3/pppppppp/8/8/8/8/PPPPPPPP/4K3 b - - 0 1", {}}};
    const Played p = play(s);
    ASSERT_TRUE(std::holds_alternative<MatchReport>(p.outcome)) << std::get<std::string>(p.outcome);
    const MatchReport& report = std::get<MatchReport>(p.outcome);
    EXPECT_EQ(report.names[0], "Alpha");
    EXPECT_EQ(report.names[1], "Beta");
    ASSERT_EQ(p.games.size(), 6u);
    int points = 0;
    for (const PlayedGame& game : p.games) {
        SCOPED_TRACE(game.number);
        EXPECT_EQ(game.firstIsWhite, game.number % 2 == 1);
        EXPECT_EQ(game.white, game.firstIsWhite ? "Alpha" : "Beta");
        EXPECT_NE(game.verdict.result, GameResult::ongoing);
        points += firstEngineScore(game);
        const auto pgn = readPgnGames(game.pgn);
        ASSERT_EQ(pgn.size(), 1u);
        EXPECT_EQ(pgn[0].tag("Round"), std::to_string(game.number));
        EXPECT_EQ(pgn[0].tag("White"), game.white);
        // Openings 1, 1, 2, 2, 1, 1.
        const bool secondOpening = (game.number - 1) / 2 % 2 == 1;
        EXPECT_EQ(pgn[0].tag("FEN"), secondOpening ? s.openings[1].fen : "");
        if (!secondOpening) {
            EXPECT_EQ(pgn[0].moves[0], "e4");
            EXPECT_EQ(pgn[0].moves[1], "e5");
        }
    }
    EXPECT_EQ(report.score.games(), 6);
    EXPECT_EQ(report.score.wins - report.score.losses, points);
}

TEST_F(Match, AnEngineThatFailsLosesItsGameAndIsStartedAgain) {
    struct Case {
        const char* name;
        std::vector<std::string> script;  // of engine 2
        GameEnd reason;
        const char* detail;
        int games;  // an engine that ends is started again: it fails in each game
    };
    const Case cases[] = {
        {"crash", {"crash-on-go=2"}, GameEnd::engineStopped, "SIGABRT", 3},
        {"hang", {"hang-on-go=2", "ignore-quit"}, GameEnd::timeout, "no bestmove", 3},
        {"illegal move", {"illegal-on-go=2"}, GameEnd::illegalMove, "e2e5", 1},
        {"malformed bestmove", {"malformed-on-go=1"}, GameEnd::illegalMove, "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MatchEngine second = fake(c.script);
        second.deadline = 500ms;
        const Played p = play(settings(fake({}), second, c.games));
        ASSERT_TRUE(std::holds_alternative<MatchReport>(p.outcome)) << std::get<std::string>(p.outcome);
        const MatchReport& report = std::get<MatchReport>(p.outcome);
        EXPECT_EQ(report.stoppedBecause, "");
        // Engine 2 fails in every game, whatever its colour, and loses it.
        EXPECT_EQ(report.score.wins, c.games);
        ASSERT_EQ(p.games.size(), static_cast<std::size_t>(c.games));
        for (const PlayedGame& game : p.games) {
            EXPECT_EQ(game.verdict.reason, c.reason) << gameEndName(game.verdict.reason);
            EXPECT_NE(game.verdict.detail.find(c.detail), std::string::npos) << game.verdict.detail;
            EXPECT_EQ(firstEngineScore(game), 1);
        }
        EXPECT_EQ(childCount(), 0);
    }
}

TEST_F(Match, EnginesAlikeAreToldApartAndPairsPlaySideBySide) {
    MatchSettings s = settings(fake({}), fake({}), 4);
    s.concurrency = 2;
    const Played p = play(s);
    ASSERT_TRUE(std::holds_alternative<MatchReport>(p.outcome));
    const MatchReport& report = std::get<MatchReport>(p.outcome);
    EXPECT_EQ(report.names[0], "Fake Engine (1)");
    EXPECT_EQ(report.names[1], "Fake Engine (2)");
    ASSERT_EQ(p.games.size(), 4u);
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(p.games[static_cast<std::size_t>(n - 1)].number, n);
}

TEST_F(Match, WrongCommandsAndOptionsAreSaidBeforeAnyGame) {
    struct Case {
        const char* name;
        MatchEngine second;
        const char* error;
    };
    auto with = [](std::vector<std::pair<std::string, std::string>> options) {
        MatchEngine e = fake({});
        e.options = std::move(options);
        return e;
    };
    const Case cases[] = {
        {"no such program", MatchEngine{{"/nonexistent/engine", {}}, {}, {}, {}},
         "engine 2 ('/nonexistent/engine') does not answer: cannot start"},
        {"no uciok", fake({"no-uciok"}),
         "engine 2 ('" QUORVEL_FAKE_ENGINE " no-uciok') does not answer: no uciok"},
        {"no such option", with({{"Threads", "2"}}), "engine 2 (Fake Engine) has no option 'Threads'"},
        {"a refused value", with({{"UCI_LimitStrength", "maybe"}}), "UCI_LimitStrength takes true or false"},
        {"not a number", with({{"Skill Level", "high"}}), "Skill Level takes a whole number from 0 to 20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t played = 0;
        const auto outcome = runMatch(settings(fake({}), c.second, 2), [&](const PlayedGame&) { ++played; });
        ASSERT_TRUE(std::holds_alternative<std::string>(outcome));
        EXPECT_NE(std::get<std::string>(outcome).find(c.error), std::string::npos)
            << std::get<std::string>(outcome);
        EXPECT_EQ(played, 0u);
        EXPECT_EQ(childCount(), 0);
    }
}

TEST_F(Match, ANumberOutsideAnOptionsRangeIsBroughtWithinItAndSaid) {
    const auto log = std::filesystem::temp_directory_path() / ("quorvel_match_" + std::to_string(::getpid()));
    MatchEngine second = fake({"log=" + log.string()});
    second.options = {{"uci_elo", "1200"}, {"UCI_LimitStrength", "true"}, {"Play Style", "risky play"}};
    const Played p = play(settings(fake({}), second, 1));
    ASSERT_TRUE(std::holds_alternative<MatchReport>(p.outcome)) << std::get<std::string>(p.outcome);
    EXPECT_EQ(p.notices, std::vector<std::string>{
                             "engine 2 (Fake Engine): UCI_Elo 1200 is outside 1320..3190: 1320 is used"});
    std::ifstream in(log);
    std::vector<std::string> settingLines;
    for (std::string line; std::getline(in, line);)
        if (line.find("setoption") != std::string::npos) settingLines.push_back(line);
    // Under the names the engine gave its options.
    EXPECT_EQ(settingLines, (std::vector<std::string>{"< setoption name UCI_Elo value 1320",
                                                      "< setoption name UCI_LimitStrength value true",
                                                      "< setoption name Play Style value risky play"}));
    std::filesystem::remove(log);
}

TEST_F(Match, AnEngineThatCannotBeStartedAgainStopsTheMatch) {
    // It crashes at its first move, and its file is gone before it is started again.
    const auto copy =
        std::filesystem::temp_directory_path() / ("quorvel_fake_copy_" + std::to_string(::getpid()));
    std::filesystem::copy_file(QUORVEL_FAKE_ENGINE, copy, std::filesystem::copy_options::overwrite_existing);
    MatchEngine second{{copy.string(), {"crash-on-go=1"}}, {}, {}, {}};
    second.limits.moveTime = 5;
    std::size_t played = 0;
    const auto outcome = runMatch(settings(fake({}), second, 4), [&](const PlayedGame& game) {
        ++played;
        EXPECT_EQ(game.verdict.reason, GameEnd::engineStopped);
        std::filesystem::remove(copy);
    });
    ASSERT_TRUE(std::holds_alternative<MatchReport>(outcome));
    const MatchReport& report = std::get<MatchReport>(outcome);
    EXPECT_EQ(played, 1u);
    EXPECT_EQ(report.score.games(), 1);
    EXPECT_NE(report.stoppedBecause.find("engine 2"), std::string::npos) << report.stoppedBecause;
}

}  // namespace
}  // namespace quorvel
