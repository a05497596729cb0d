// The protocol's lines, read and written once for the server and the client:
// options with blanks in their names and values, info lines with bounds,
// mates and partial fields, go from a game's clocks, bestmove.

#include <gtest/gtest.h>

#include "uci/uci_go.h"
#include "uci/uci_info_line.h"
#include "uci/uci_option_line.h"

namespace quorvel {
namespace {

using Type = UciOptionType;

struct OptionCase {
    const char* line;
    std::optional<UciOption> expected;
};

const OptionCase kOptionLines[] = {
    {"option name Hash type spin default 16 min 1 max 33554432",
     UciOption{"Hash", Type::spin, "16", 1, 33554432, {}}},
    {"option name Skill Level type spin default 20 min 0 max 20",
     UciOption{"Skill Level", Type::spin, "20", 0, 20, {}}},
    {"option name UCI_LimitStrength type check default false",
     UciOption{"UCI_LimitStrength", Type::check, "false", {}, {}, {}}},
    {"option name Clear Hash type button", UciOption{"Clear Hash", Type::button, "", {}, {}, {}}},
    // Blanks inside a combo's choices, a choice named like nothing else.
    {"option name Play Style type combo default Very Solid var Very Solid var Normal var Risky  Play",
     UciOption{"Play Style", Type::combo, "Very Solid", {}, {}, {"Very Solid", "Normal", "Risky  Play"}}},
    // A text runs to the end of the line, keywords and all.
    {"option name Book File type string default /home/min/var max/book.bin",
     UciOption{"Book File", Type::string, "/home/min/var max/book.bin", {}, {}, {}}},
    {"option name SyzygyPath type string default <empty>",
     UciOption{"SyzygyPath", Type::string, "", {}, {}, {}}},
    {"option name Debug Log File type filename default",
     UciOption{"Debug Log File", Type::filename, "", {}, {}, {}}},
    {"option\tname  Threads type spin default 1 min 1 max 512\r",
     UciOption{"Threads", Type::spin, "1", 1, 512, {}}},
    // A bound that does not read is left out; the option stays.
    {"option name Contempt type spin default 0 min -100 max lots",
     UciOption{"Contempt", Type::spin, "0", -100, {}, {}}},
    {"option name Hash type table default 1", std::nullopt},
    {"option name type spin default 1", std::nullopt},
    {"option name Hash", std::nullopt},
    {"option Hash type spin", std::nullopt},
    {"id name Hash type spin", std::nullopt},
    {"", std::nullopt},
};

TEST(UciOptionLine, ReadsNamesAndValuesWithTheirBlanks) {
    for (const OptionCase& c : kOptionLines) {
        SCOPED_TRACE(c.line);
        const auto option = parseOptionLine(c.line);
        ASSERT_EQ(option.has_value(), c.expected.has_value());
        if (option) {
            EXPECT_EQ(option->name, c.expected->name);
            EXPECT_EQ(option->type, c.expected->type);
            EXPECT_EQ(option->defaultValue, c.expected->defaultValue);
            EXPECT_EQ(option->min, c.expected->min);
            EXPECT_EQ(option->max, c.expected->max);
            EXPECT_EQ(option->vars, c.expected->vars);
        }
    }
}

TEST(UciOptionLine, WrittenOptionsReadBackTheSame) {
    for (const OptionCase& c : kOptionLines) {
        if (!c.expected) continue;
        const std::string line = formatOptionLine(*c.expected);
        SCOPED_TRACE(line);
        EXPECT_EQ(parseOptionLine(line), c.expected);
    }
    EXPECT_EQ(formatOptionLine({"Path", Type::string, "", {}, {}, {}}),
              "option name Path type string default <empty>");
    EXPECT_EQ(formatOptionLine({"Ponder", Type::check, "false", {}, {}, {}}),
              "option name Ponder type check default false");
}

TEST(UciSetOption, NameAndValueKeepTheirBlanksAndValueIsAlwaysWritten) {
    struct Case {
        const char* arguments;
        std::optional<std::string> name, value;
    };
    const Case cases[] = {
        {"name Skill Level value 3", "Skill Level", "3"},
        {"name BookFile value /tmp/my  book.txt ", "BookFile", "/tmp/my  book.txt"},
        {"name Path value", "Path", ""},
        {"name Clear Hash", "Clear Hash", std::nullopt},
        {"name", std::nullopt, std::nullopt},
        {"Skill Level value 3", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const auto setting = parseSetOption(c.arguments);
        ASSERT_EQ(setting.has_value(), c.name.has_value());
        if (!setting) continue;
        EXPECT_EQ(setting->name, *c.name);
        EXPECT_EQ(setting->value, c.value);
    }
    EXPECT_EQ(formatSetOption("UCI_Elo", "1320"), "setoption name UCI_Elo value 1320");
    // An empty value still says "value": an engine may refuse the command without it.
    const std::string empty = formatSetOption("SyzygyPath", "");
    EXPECT_EQ(empty.rfind("setoption name SyzygyPath value", 0), 0u);
    EXPECT_EQ(parseSetOption(empty.substr(10))->value, "");
    EXPECT_EQ(formatButtonPress("Clear Hash"), "setoption name Clear Hash");
}

UciScore cp(int value, bool lower = false, bool upper = false) {
    return {UciScore::Kind::centipawns, value, lower, upper};
}
UciScore mate(int moves) {
    return {UciScore::Kind::mate, moves, false, false};
}

TEST(UciInfoLine, ReadsTheFieldsEnginesSend) {
    struct Case {
        const char* line;
        std::optional<UciInfo> expected;
    };
    const Case cases[] = {
        {"info depth 12 seldepth 18 multipv 1 score cp 31 nodes 123456 nps 987654 time 125 pv e2e4 e7e5 g1f3",
         UciInfo{12, 18, 1, cp(31), 123456, 987654, 125, {"e2e4", "e7e5", "g1f3"}}},
        // A bound is no exact score.
        {"info depth 9 score cp 20 lowerbound nodes 5", UciInfo{9, {}, {}, cp(20, true), 5, {}, {}, {}}},
        {"info depth 9 score cp -15 upperbound", UciInfo{9, {}, {}, cp(-15, false, true), {}, {}, {}, {}}},
        // A mate has its own kind: mated now, mated in two, mating in three.
        {"info score mate 0", UciInfo{{}, {}, {}, mate(0), {}, {}, {}, {}}},
        {"info score mate -2 pv g8h8", UciInfo{{}, {}, {}, mate(-2), {}, {}, {}, {"g8h8"}}},
        {"info depth 30 score mate 3", UciInfo{30, {}, {}, mate(3), {}, {}, {}, {}}},
        // Partial lines and fields Quorvel does not show.
        {"info nodes 1000 time 3", UciInfo{{}, {}, {}, {}, 1000, {}, 3, {}}},
        {"info depth 5 currmove e2e4 currmovenumber 1 hashfull 12 tbhits 0 cpuload 900",
         UciInfo{5, {}, {}, {}, {}, {}, {}, {}}},
        {"info depth 20 wdl 100 800 100 score cp 12 pv d2d4 currline e2e4 e7e5",
         UciInfo{20, {}, {}, cp(12), {}, {}, {}, {"d2d4"}}},
        // The principal line ends at the next field.
        {"info pv e2e4 e7e5 nodes 77", UciInfo{{}, {}, {}, {}, 77, {}, {}, {"e2e4", "e7e5"}}},
        // Values that do not read are left out, the rest stays; text after "string" is not read.
        {"info depth x nodes -5 score cp pv a2a3", UciInfo{{}, {}, {}, {}, {}, {}, {}, {"a2a3"}}},
        {"info depth 3 string depth 99", UciInfo{3, {}, {}, {}, {}, {}, {}, {}}},
        {"info depth", UciInfo{}},
        {"info string NNUE evaluation using nn-ad9b42354671.nnue enabled", std::nullopt},
        {"information depth 3", std::nullopt},
        {"bestmove e2e4", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(parseInfoLine(c.line), c.expected);
    }
}

TEST(UciInfoLine, WrittenLinesReadBackAndPartialLinesKeepTheLastOne) {
    UciInfo info{7, 11, {}, cp(-40, false, true), 5000, 250000, 20, {"b2b1q", "e1g1"}};
    const std::string line = formatInfoLine(info);
    EXPECT_EQ(line,
              "info depth 7 seldepth 11 score cp -40 upperbound nodes 5000 nps 250000 time 20 pv b2b1q e1g1");
    EXPECT_EQ(parseInfoLine(line), info);
    EXPECT_EQ(formatInfoLine(UciInfo{}), "info");

    UciInfo merged = info;
    mergeInfo(merged, *parseInfoLine("info nodes 9000 time 40"));
    EXPECT_EQ(merged.pv, info.pv);
    EXPECT_EQ(merged.score, info.score);
    EXPECT_EQ(merged.nodes, 9000u);
    mergeInfo(merged, *parseInfoLine("info depth 8 score mate 2 pv a1a8"));
    EXPECT_EQ(merged.depth, 8);
    EXPECT_EQ(merged.score, mate(2));
    EXPECT_EQ(merged.pv, std::vector<std::string>{"a1a8"});
    EXPECT_EQ(merged.selDepth, 11);
}

TEST(UciGoLine, ClocksMoveTimeAndDepthAreWrittenAsEnginesReadThem) {
    struct Case {
        GoRequest request;
        const char* line;
    };
    auto clocks = [](long long w, long long b, long long wi, long long bi, int toGo) {
        GoRequest r;
        r.whiteTime = w;
        r.blackTime = b;
        r.whiteIncrement = wi;
        r.blackIncrement = bi;
        r.movesToGo = toGo;
        return r;
    };
    GoRequest moveTime, depth, infinite;
    moveTime.moveTime = 1000;
    depth.depth = 6;
    infinite.infinite = true;
    const Case cases[] = {
        {GoRequest{}, "go"},
        {moveTime, "go movetime 1000"},
        {depth, "go depth 6"},
        {infinite, "go infinite"},
        {clocks(60000, 59000, 1000, 1000, 0), "go wtime 60000 btime 59000 winc 1000 binc 1000"},
        // No increment and sudden death are left out rather than written as zeros.
        {clocks(300000, 1200, 0, 0, 0), "go wtime 300000 btime 1200"},
        {clocks(5000, 7000, 0, 2000, 12), "go wtime 5000 btime 7000 binc 2000 movestogo 12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string line = formatGo(c.request);
        EXPECT_EQ(line, c.line);
        // The server reads back what the client writes.
        const GoRequest back = parseGo(line.substr(2));
        EXPECT_TRUE(back.problems.empty());
        EXPECT_EQ(formatGo(back), line);
    }
}

TEST(UciSearchLines, PositionAndBestMove) {
    EXPECT_EQ(formatPosition("", {}), "position startpos");
    EXPECT_EQ(formatPosition("", {"e2e4", "e7e5"}), "position startpos moves e2e4 e7e5");
    EXPECT_EQ(formatPosition("8/8/8/8/8/8/8/K1k5 w - - 0 1", {"a1a2"}),
              "position fen 8/8/8/8/8/8/8/K1k5 w - - 0 1 moves a1a2");

    struct Case {
        const char* line;
        std::optional<std::string> move, ponder;
    };
    const Case cases[] = {
        {"bestmove e2e4", "e2e4", std::nullopt},
        {"bestmove e7e8q ponder d1d8", "e7e8q", "d1d8"},
        {"bestmove  g1f3 ponder", "g1f3", std::nullopt},
        {"bestmove (none)", "(none)", std::nullopt},  // read; refusing it is the client's business
        {"bestmove", std::nullopt, std::nullopt},
        {"bestmoves e2e4", std::nullopt, std::nullopt},
        {"info bestmove e2e4", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto best = parseBestMove(c.line);
        ASSERT_EQ(best.has_value(), c.move.has_value());
        if (!best) continue;
        EXPECT_EQ(best->move, *c.move);
        EXPECT_EQ(best->ponder, c.ponder);
    }
    EXPECT_EQ(formatBestMove("a7a8n"), "bestmove a7a8n");
}

}  // namespace
}  // namespace quorvel
