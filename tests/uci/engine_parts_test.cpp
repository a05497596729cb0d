// The client's parts that need no engine: cutting output into lines, the
// command line of an engine, what it offers, its search deadlines, the
// engines Debian installs, how a process ended.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>

#include "uci/chess_engine.h"
#include "uci/engine_process.h"
#include "uci/known_engines.h"
#include "uci/line_splitter.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;

TEST(LineSplitter, LinesAreWholeWhateverThePiecesAndOverlongOnesAreDropped) {
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
        std::vector<std::string> lines;
        std::size_t dropped;
    };
    const Case cases[] = {
        {"whole lines", {"uciok\nreadyok\n"}, {"uciok", "readyok"}, 0},
        {"split anywhere", {"best", "move e2", "e4\nread", "yok\n"}, {"bestmove e2e4", "readyok"}, 0},
        {"Windows line ends", {"uciok\r\n", "\r\n"}, {"uciok", ""}, 0},
        {"a last line without its end", {"bestmove a7a8q"}, {"bestmove a7a8q"}, 0},
        // Sixteen bytes at most: the long line goes, the next one stays.
        {"too long in one piece", {"0123456789ABCDEFG\nuciok\n"}, {"uciok"}, 1},
        {"too long over pieces", {"01234", "56789ABCDEF", "G", "H\nok\n"}, {"ok"}, 1},
        {"exactly the cap", {"0123456789ABCDEF\n"}, {"0123456789ABCDEF"}, 0},
        {"too long and never ended", {"0123456789ABCDEFGHIJ"}, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineSplitter splitter(16);
        std::vector<std::string> lines;
        auto take = [&](std::string_view line) { lines.emplace_back(line); };
        for (const std::string& piece : c.pieces) splitter.feed(piece, take);
        splitter.finish(take);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(splitter.droppedLines(), c.dropped);
    }
}

TEST(EngineCommand, ReadsAsAShellWouldAndWritesBackTheSame) {
    struct Case {
        const char* line;
        std::optional<EngineCommand> command;
    };
    const Case cases[] = {
        {"stockfish", EngineCommand{"stockfish", {}}},
        {"  gnuchess   --uci ", EngineCommand{"gnuchess", {"--uci"}}},
        {"'/opt/my engines/fish' -x \"a b\"", EngineCommand{"/opt/my engines/fish", {"-x", "a b"}}},
        {"engine a\\ b 'it'\\''s' \"q\\\"\"", EngineCommand{"engine", {"a b", "it's", "q\""}}},
        {"engine ''", EngineCommand{"engine", {""}}},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"'unclosed", std::nullopt},
        {"''", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto command = parseEngineCommand(c.line);
        EXPECT_EQ(command, c.command);
        if (command) {
            EXPECT_EQ(parseEngineCommand(command->text()), command);
        }
    }
    EXPECT_EQ((EngineCommand{"/usr/games/stockfish", {}}.shortName()), "stockfish");
    EXPECT_EQ((EngineCommand{"toga2", {}}.shortName()), "toga2");
}

UciOption spin(const char* name, int low, int high) {
    return {name, UciOptionType::spin, std::to_string(low), low, high, {}};
}
UciOption check(const char* name) {
    return {name, UciOptionType::check, "false", {}, {}, {}};
}

TEST(EngineOffers, StrengthIsOfferedOnlyWhenEverythingItNeedsIsThere) {
    struct Case {
        const char* name;
        std::vector<UciOption> options;
        std::optional<IntRange> elo, skill;
    };
    const Case cases[] = {
        {"Stockfish",
         {check("UCI_LimitStrength"), spin("UCI_Elo", 1320, 3190), spin("Skill Level", 0, 20)},
         IntRange{1320, 3190},
         IntRange{0, 20}},
        {"names in another case",
         {check("uci_limitstrength"), spin("UCI_ELO", 1000, 2000)},
         IntRange{1000, 2000},
         std::nullopt},
        {"an Elo without the switch", {spin("UCI_Elo", 1320, 3190)}, std::nullopt, std::nullopt},
        {"a switch without the Elo", {check("UCI_LimitStrength")}, std::nullopt, std::nullopt},
        {"an Elo that is no spin",
         {check("UCI_LimitStrength"), {"UCI_Elo", UciOptionType::string, "1500", {}, {}, {}}},
         std::nullopt,
         std::nullopt},
        {"a range the wrong way round", {spin("Skill Level", 20, 0)}, std::nullopt, std::nullopt},
        {"a spin without its range",
         {{"Skill Level", UciOptionType::spin, "3", {}, {}, {}}},
         std::nullopt,
         std::nullopt},
        {"nothing", {}, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineOffers offers;
        offers.options = c.options;
        readStrengthOffers(offers);
        EXPECT_EQ(offers.elo, c.elo);
        EXPECT_EQ(offers.skillLevel, c.skill);
    }
}

TEST(EngineOffers, ValuesAreCheckedAgainstTheOption) {
    const UciOption combo{"Style", UciOptionType::combo, "Normal", {}, {}, {"Solid", "Normal", "Risky"}};
    const UciOption text{"Path", UciOptionType::string, "", {}, {}, {}};
    const UciOption button{"Clear Hash", UciOptionType::button, "", {}, {}, {}};
    struct Case {
        const UciOption& option;
        const char* value;
        bool fits;
    };
    const UciOption elo = spin("UCI_Elo", 1320, 3190);
    const UciOption limit = check("UCI_LimitStrength");
    const Case cases[] = {
        {elo, "1320", true},    {elo, "3190", true},    {elo, "1319", false},   {elo, "3191", false},
        {elo, "15OO", false},   {elo, "", false},       {elo, "1500 ", false},  {limit, "true", true},
        {limit, "false", true}, {limit, "yes", false},  {combo, "risky", true}, {combo, "Aggressive", false},
        {text, "", true},       {text, "/a b/c", true}, {button, "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(!checkOptionValue(c.option, c.value).has_value(), c.fits)
            << c.option.name << " " << c.value;
    }
}

TEST(SearchDeadline, TheEngineAlwaysGetsMoreThanTheTimeItWasGiven) {
    EngineTimeouts t;
    t.searchGrace = 2000ms;
    t.openSearch = 120000ms;
    struct Case {
        const char* go;
        bool whiteToMove;
        std::optional<std::chrono::milliseconds> deadline;
    };
    const Case cases[] = {
        {"movetime 1000", true, 3100ms},
        {"movetime 0", false, 2000ms},
        {"wtime 60000 btime 1000", true, 68000ms},
        {"wtime 60000 btime 1000", false, 3100ms},
        {"wtime 60000 btime 1000 movetime 500", true, 2550ms},
        {"depth 8", true, 120000ms},
        {"", true, 120000ms},
        {"infinite", true, std::nullopt},
        {"wtime 1000 binc 500", false, 120000ms},  // no clock for the side to move: open
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.go);
        EXPECT_EQ(searchDeadline(parseGo(c.go), c.whiteToMove, t), c.deadline);
    }
    // The defaults the issue names: five seconds for the handshake.
    EXPECT_EQ(EngineTimeouts{}.handshake, 5000ms);
}

TEST(KnownEngines, FoundOnThePathThenInTheGamesFolderWithGnuChessInUciMode) {
    const auto root =
        std::filesystem::temp_directory_path() / ("quorvel_engines_" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    auto make = [&](const std::string& relative, bool executable) {
        const auto file = root / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << "#!/bin/sh\n";
        ::chmod(file.c_str(), executable ? 0755 : 0644);
        return file.string();
    };
    const std::string bin = (root / "bin").string(), games = (root / "games").string();
    make("bin/toga2", true);
    make("games/toga2", true);     // the first on the path wins
    make("bin/stockfish", false);  // not executable: looked for further
    make("games/stockfish", true);
    make("games/gnuchess", true);
    make("bin/glaurung/x", true);  // a folder of that name is no program
    std::filesystem::create_directories(root / "games" / "ethereal-chess");

    auto programs = [](const std::vector<KnownEngine>& found) {
        std::vector<std::string> names;
        for (const KnownEngine& e : found) names.push_back(e.program + " " + e.command.text());
        return names;
    };
    EXPECT_EQ(programs(findKnownEngines(":" + bin + "::", {games})),
              (std::vector<std::string>{"stockfish " + games + "/stockfish",
                                        "gnuchess " + games + "/gnuchess --uci", "toga2 " + bin + "/toga2"}));
    // GNU Chess under its UCI name needs no argument, and is preferred.
    make("bin/gnuchessu", true);
    EXPECT_EQ(programs(findKnownEngines(bin, {games})),
              (std::vector<std::string>{"stockfish " + games + "/stockfish",
                                        "gnuchessu " + bin + "/gnuchessu", "toga2 " + bin + "/toga2"}));
    EXPECT_TRUE(findKnownEngines("", {}).empty());
    std::filesystem::remove_all(root);
}

// An engine run by path finds the programs beside it (Debian's gnuchessu
// runs "gnuchess" by name) whatever PATH the window was started with.
TEST(EngineProcess, TheEnginesFolderIsOnItsPath) {
    struct Row {
        const char* what;
        std::string program;
        std::vector<std::string> environment;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"added at the end",
         "/usr/games/gnuchessu",
         {"HOME=/root", "PATH=/usr/bin:/bin"},
         {"HOME=/root", "PATH=/usr/bin:/bin:/usr/games"}},
        {"already there", "/usr/games/gnuchessu", {"PATH=/usr/games:/usr/bin"}, {"PATH=/usr/games:/usr/bin"}},
        {"a longer folder is not it",
         "/usr/games/gnuchessu",
         {"PATH=/usr/games2"},
         {"PATH=/usr/games2:/usr/games"}},
        {"no PATH at all", "/opt/engines/sf", {"HOME=/root"}, {"HOME=/root", "PATH=/opt/engines"}},
        {"an empty PATH", "/opt/engines/sf", {"PATH="}, {"PATH=/opt/engines"}},
        {"a name found on PATH", "stockfish", {"PATH=/usr/bin"}, {"PATH=/usr/bin"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(engineEnvironment(row.program, row.environment), row.expected) << row.what;
}

TEST(EngineProcess, EndsAreToldAsTheySound) {
    EXPECT_EQ(describeExit(3 << 8), "exit status 3");
    EXPECT_EQ(describeExit(SIGKILL), "killed by signal 9 (SIGKILL)");
    EXPECT_EQ(describeExit(SIGSEGV), "killed by signal 11 (SIGSEGV)");
    EXPECT_STREQ(faultName(EngineFaultKind::notAnswering), "not answering");
    EXPECT_STREQ(faultName(EngineFaultKind::timeout), "timeout");
}

}  // namespace
}  // namespace quorvel
