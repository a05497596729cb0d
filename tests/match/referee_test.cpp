// The match's referee and its numbers: how games end by the rules and by
// failures, the Elo estimate at every score (no inf, no nan), the openings
// read from files, and the PGN of a game, which a strict reader must take.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "match/elo.h"
#include "match/match_game.h"
#include "match/match_openings.h"
#include "match/match_pgn.h"

namespace quorvel {
namespace {

struct EloCase {
    MatchScore score;
    std::optional<double> difference, low, high;
    double los;
    const char* text;
};

const EloCase kElo[] = {
    {{0, 0, 0}, {}, {}, {}, 0.5, "no game played"},
    // All won or all lost: the exact bound on the share, 2.5 %^(1/n).
    {{10, 0, 0}, {}, 140.2, {}, 0.9992, "at least +140.2 (95 %): every game won"},
    {{0, 0, 4}, {}, {}, 72.1, 0.0228, "at most +72.1 (95 %): every game lost"},
    {{1, 0, 0}, {}, -636.4, {}, 0.8413, "at least -636.4 (95 %): every game won"},
    {{30, 40, 30}, 0.0, -53.2, 53.2, 0.5, "+0.0 +/- 53.2 (95 %)"},
    {{60, 30, 10}, 190.8, 134.4, 258.4, 1.0, "+190.8 +/- 62.0 (95 %)"},
    {{55, 20, 25}, 107.5, 47.1, 175.1, 0.9996, "+107.5 +/- 64.0 (95 %)"},
    {{100, 800, 100}, 0.0, -9.6, 9.6, 0.5, "+0.0 +/- 9.6 (95 %)"},
    // The interval passes 100 %: only its lower end is finite.
    {{9, 0, 1}, 381.7, 159.0, {}, 0.9943, "+381.7, at least +159.0 (95 %)"},
    {{3, 1, 0}, 338.0, 117.4, {}, 0.9584, "+338.0, at least +117.4 (95 %)"},
    {{0, 1, 3}, -338.0, {}, -117.4, 0.0416, "-338.0, at most -117.4 (95 %)"},
    {{0, 1, 0}, 0.0, 0.0, 0.0, 0.5, "+0.0 +/- 0.0 (95 %)"},
};

void expectNear(const std::optional<double>& actual, const std::optional<double>& expected,
                const char* what) {
    ASSERT_EQ(actual.has_value(), expected.has_value()) << what;
    if (actual) {
        EXPECT_NEAR(*actual, *expected, 0.06) << what;
    }
}

TEST(Elo, EstimatesWithTheirIntervalAtEveryKindOfScore) {
    for (const EloCase& c : kElo) {
        SCOPED_TRACE(std::to_string(c.score.wins) + "-" + std::to_string(c.score.draws) + "-" +
                     std::to_string(c.score.losses));
        const EloEstimate e = estimateElo(c.score);
        expectNear(e.difference, c.difference, "difference");
        expectNear(e.low, c.low, "low");
        expectNear(e.high, c.high, "high");
        EXPECT_NEAR(e.likelihoodOfSuperiority, c.los, 0.0001);
        EXPECT_EQ(describeElo(e), c.text);
    }
}

TEST(Elo, NoScoreGivesInfinityOrNotANumber) {
    for (int w = 0; w <= 7; ++w) {
        for (int d = 0; d <= 7; ++d) {
            for (int l = 0; l <= 7; ++l) {
                const EloEstimate e = estimateElo({w, d, l});
                for (const auto& value : {e.difference, e.low, e.high}) {
                    if (value) {
                        EXPECT_TRUE(std::isfinite(*value)) << w << "-" << d << "-" << l;
                    }
                }
                if (e.low && e.high) {
                    EXPECT_LE(*e.low, *e.high);
                }
                if (e.difference && e.low) {
                    EXPECT_LE(*e.low, *e.difference + 1e-9);
                }
                if (e.difference && e.high) {
                    EXPECT_GE(*e.high, *e.difference - 1e-9);
                }
                const std::string text = describeElo(e);
                EXPECT_EQ(text.find("inf"), std::string::npos) << text;
                EXPECT_EQ(text.find("nan"), std::string::npos) << text;
                EXPECT_EQ(text.find("-0.0"), std::string::npos) << text;
            }
        }
    }
    EXPECT_NEAR(eloOfShare(0.75), 190.85, 0.01);
    EXPECT_NEAR(eloOfShare(0.5), 0.0, 1e-9);
}

MatchGame startGame(const std::string& fen = "") {
    auto started = MatchGame::start(fen);
    EXPECT_TRUE(std::holds_alternative<MatchGame>(started)) << std::get<std::string>(started);
    return std::move(std::get<MatchGame>(started));
}

struct EndCase {
    const char* name;
    const char* fen;
    std::vector<std::string> moves;
    int maxMoves;
    std::optional<GameResult> result;  // none: the game goes on
    GameEnd reason;
};

const std::vector<EndCase> kEnds = {
    {"fool's mate", "", {"f2f3", "e7e5", "g2g4", "d8h4"}, 0, GameResult::blackWins, GameEnd::checkmate},
    {"back-rank mate",
     "6k1/5ppp/8/8/8/8/8/3R2K1 w - - 0 1",
     {"d1d8"},
     0,
     GameResult::whiteWins,
     GameEnd::checkmate},
    {"stalemate", "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", {}, 0, GameResult::draw, GameEnd::stalemate},
    {"stalemate by a move",
     "7k/4Q3/6K1/8/8/8/8/8 w - - 0 1",
     {"e7f7"},
     0,
     GameResult::draw,
     GameEnd::stalemate},
    // The initial position for the third time.
    {"threefold repetition",
     "",
     {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"},
     0,
     GameResult::draw,
     GameEnd::repetition},
    {"twice is not three times", "", {"g1f3", "g8f6", "f3g1", "f6g8"}, 0, std::nullopt, GameEnd::aborted},
    {"fifty moves", "8/8/4k3/8/8/3K4/8/R7 w - - 99 80", {"a1a2"}, 0, GameResult::draw, GameEnd::fiftyMoves},
    {"forty-nine and a half moves",
     "8/8/4k3/8/8/3K4/8/R7 w - - 98 80",
     {"a1a2"},
     0,
     std::nullopt,
     GameEnd::aborted},
    {"a pawn move resets the count",
     "8/8/4k3/8/8/3K4/P7/8 w - - 99 80",
     {"a2a3"},
     0,
     std::nullopt,
     GameEnd::aborted},
    {"the last rook taken",
     "8/8/4k3/8/3r4/3K4/8/8 w - - 0 1",
     {"d3d4"},
     0,
     GameResult::draw,
     GameEnd::insufficientMaterial},
    {"bishops on one colour",
     "8/8/4k3/1b6/8/3K4/8/1B6 w - - 0 1",
     {"d3c2"},
     0,
     GameResult::draw,
     GameEnd::insufficientMaterial},
    {"bishops on both colours",
     "8/8/4k3/2b5/8/3K4/8/1B6 w - - 0 1",
     {"d3c2"},
     0,
     std::nullopt,
     GameEnd::aborted},
    {"the move cap", "", {"e2e4", "e7e5", "g1f3", "b8c6"}, 2, GameResult::draw, GameEnd::moveCap},
    {"one half-move short of the cap", "", {"e2e4", "e7e5", "g1f3"}, 2, std::nullopt, GameEnd::aborted},
    {"a game under way", "", {"e2e4"}, 0, std::nullopt, GameEnd::aborted},
};

TEST(MatchGame, TheRulesEndTheGameAndSayWhy) {
    for (const EndCase& c : kEnds) {
        SCOPED_TRACE(c.name);
        MatchGame game = startGame(c.fen);
        for (const std::string& move : c.moves) ASSERT_TRUE(game.play(move)) << move;
        const auto verdict = game.adjudicate(c.maxMoves);
        ASSERT_EQ(verdict.has_value(), c.result.has_value());
        if (!verdict) continue;
        EXPECT_EQ(verdict->result, *c.result);
        EXPECT_EQ(verdict->reason, c.reason) << gameEndName(verdict->reason);
    }
}

TEST(MatchGame, MovesTheRulesRefuseLeaveTheGameAsItWas) {
    MatchGame game = startGame("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    for (const char* move : {"e2e4", "b7b8", "b7b8k", "e1e3", "", "b7", "b7b8qq", "0000"}) {
        EXPECT_FALSE(game.play(move)) << move;
    }
    EXPECT_TRUE(game.moves().empty());
    EXPECT_TRUE(game.whiteToMove());
    EXPECT_TRUE(game.play("B7B8N", "a comment"));  // read in any case, kept in the engines' case
    EXPECT_EQ(game.moves(), std::vector<std::string>{"b7b8n"});
    EXPECT_EQ(game.sanMoves(), std::vector<std::string>{"b8=N"});
    EXPECT_EQ(game.comments(), std::vector<std::string>{"a comment"});
    EXPECT_EQ(game.uciOfSan("Kf7"), "e8f7");
    EXPECT_EQ(game.uciOfSan("Kd7"), std::nullopt);  // the new knight guards d7
    EXPECT_EQ(game.uciOfSan("Kd1"), std::nullopt);
}

TEST(MatchGame, ASideThatFailsLosesAndEachEndHasItsWords) {
    MatchGame game = startGame();
    EXPECT_EQ(game.forfeit(GameEnd::timeout, "").result, GameResult::blackWins);
    ASSERT_TRUE(game.play("e2e4"));
    const Verdict illegal = game.forfeit(GameEnd::illegalMove, "e7e4");
    EXPECT_EQ(illegal.result, GameResult::whiteWins);
    EXPECT_EQ(verdictSentence(illegal), "Black's engine made an illegal move: e7e4");
    struct Case {
        Verdict verdict;
        const char* sentence;
        const char* termination;
    };
    const Case cases[] = {
        {{GameResult::blackWins, GameEnd::checkmate, ""}, "Black mates", "normal"},
        {{GameResult::draw, GameEnd::repetition, ""}, "Draw by threefold repetition", "normal"},
        {{GameResult::draw, GameEnd::moveCap, ""}, "Draw at the move cap", "adjudication"},
        {{GameResult::whiteWins, GameEnd::engineStopped, ""}, "Black's engine stopped", "abandoned"},
        {{GameResult::blackWins, GameEnd::timeout, ""},
         "White's engine found no move in time",
         "time forfeit"},
        {{GameResult::blackWins, GameEnd::illegalMove, ""},
         "White's engine made an illegal move",
         "rules infraction"},
        {{GameResult::ongoing, GameEnd::aborted, "no room"},
         "The game could not go on: no room",
         "unterminated"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(verdictSentence(c.verdict), c.sentence);
        EXPECT_STREQ(terminationTag(c.verdict.reason), c.termination);
    }
    EXPECT_TRUE(std::holds_alternative<std::string>(MatchGame::start("8/8/8/8/8/8/8/8 w - - 0 1")));
}

TEST(Openings, FenLinesAndPgnGamesArePlayedThroughTheRules) {
    struct Case {
        const char* name;
        const char* text;
        std::optional<int> plies;
        std::vector<Opening> openings;
        const char* error;  // part of the error, when the file is refused
    };
    const Case cases[] = {
        {"FEN lines, comments, an EPD with operations",
         "# openings\n\nrnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1\r\n"
         "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - bm Bb5; id \"Ruy\";\n",
         {},
         {{"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", {}},
          {"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -", {}}},
         nullptr},
        {"a bad FEN names its line", "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\nnot a fen\n", {}, {}, "line 2:"},
        {"a finished game is no opening",
         "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1\n",
         {},
         {},
         "line 1: the game is over"},
        {"kings alone are a draw already",
         "8/8/8/8/8/8/8/K1k5 w - - 0 1\n",
         {},
         {},
         "line 1: the game is over"},
        {"PGN games, capped, one from a FEN",
         "[Event \"a\"]\n\n1. e4 e5 2. Nf3 {main line} Nc6 (2... d6) 3. Bb5 a6 *\n\n"
         "[Event \"b\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 1\"]\n\n1... Kd7 2. e4 Kd6 *\n",
         4,
         {{"", {"e2e4", "e7e5", "g1f3", "b8c6"}},
          {"4k3/8/8/8/8/8/4P3/4K3 b - - 0 1", {"e8d7", "e2e4", "d7d6"}}},
         nullptr},
        {"move numbers without tags are PGN",
         "1. d4 d5 2. c4 *\n",
         {},
         {{"", {"d2d4", "d7d5", "c2c4"}}},
         nullptr},
        {"an illegal move names its game",
         "[Event \"a\"]\n\n1. e4 *\n\n[Event \"b\"]\n\n1. e5 *\n",
         {},
         {},
         "game 2: the move 'e5'"},
        {"a mate is over", "1. f3 e5 2. g4 Qh4# 0-1\n", {}, {}, "game 1: the game is over"},
        {"nothing", "\n# only a comment\n", {}, {}, "no opening"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = readOpenings(c.text, c.plies);
        if (c.error) {
            ASSERT_TRUE(std::holds_alternative<std::string>(read));
            EXPECT_NE(std::get<std::string>(read).find(c.error), std::string::npos)
                << std::get<std::string>(read);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<std::vector<Opening>>(read)) << std::get<std::string>(read);
        const auto& openings = std::get<std::vector<Opening>>(read);
        ASSERT_EQ(openings.size(), c.openings.size());
        for (std::size_t i = 0; i < openings.size(); ++i) {
            EXPECT_EQ(openings[i].fen, c.openings[i].fen);
            EXPECT_EQ(openings[i].moves, c.openings[i].moves);
        }
    }
}

TEST(MatchPgn, AGameIsWrittenWithItsTagsCommentsAndEnd) {
    MatchGame game = startGame();
    for (const char* move : {"f2f3", "e7e5", "g2g4"}) ASSERT_TRUE(game.play(move));
    UciInfo info;
    info.depth = 7;
    info.score = UciScore{UciScore::Kind::mate, 1};
    ASSERT_TRUE(game.play("d8h4", moveComment(info, std::chrono::milliseconds(1234))));
    const auto verdict = game.adjudicate(0);
    ASSERT_TRUE(verdict);
    MatchPgnTags tags;
    tags.date = "2026.12.01";
    tags.round = 3;
    tags.white = "Quorvel 1.0";
    tags.black = "Stock\"fish\"";
    EXPECT_EQ(matchGamePgn(game, *verdict, tags),
              "[Event \"quorvel-cli match\"]\n[Site \"?\"]\n[Date \"2026.12.01\"]\n[Round \"3\"]\n"
              "[White \"Quorvel 1.0\"]\n[Black \"Stock\\\"fish\\\"\"]\n[Result \"0-1\"]\n[PlyCount \"4\"]\n"
              "[Termination \"normal\"]\n\n1. f3 e5 2. g4 Qh4# {+M1/7 1.23s} {Black mates} 0-1\n\n");

    struct Case {
        std::optional<UciScore> score;
        std::optional<int> depth;
        int ms;
        const char* text;
    };
    const Case comments[] = {
        {UciScore{UciScore::Kind::centipawns, 31}, 12, 980, "+0.31/12 0.98s"},
        {UciScore{UciScore::Kind::centipawns, -150}, {}, 20, "-1.50 0.02s"},
        {UciScore{UciScore::Kind::mate, -3}, 20, 1000, "-M3/20 1.00s"},
        {{}, 5, 50, "0.05s"},
    };
    for (const Case& c : comments) {
        UciInfo i;
        i.score = c.score;
        i.depth = c.depth;
        EXPECT_EQ(moveComment(i, std::chrono::milliseconds(c.ms)), c.text);
    }
}

// Random legal games from a position with Black to move, past the rules'
// 300 half-moves, written as PGN: a strict reader takes them all without a
// word and counts every move.
TEST(MatchPgn, AStrictReaderTakesLongGamesAndSetUpPositions) {
    const char* reader = "/usr/games/pgn-extract";
    if (!std::filesystem::exists(reader))
        GTEST_SKIP() << "pgn-extract is not installed (tools/install-deps.sh)";
    std::mt19937 random(17);
    std::string all;
    std::vector<std::size_t> lengths;
    bool pastTheRecord = false;
    for (int g = 0; g < 12; ++g) {
        MatchGame game = startGame(
            g % 2 == 0 ? "" : "r3k2r/pppq1ppp/2np1n2/2b1p3/2B1P3/2NP1N2/PPPQ1PPP/R3K2R b KQkq - 3 9");
        std::optional<Verdict> verdict;
        while (!(verdict = game.adjudicate(400))) {
            const std::vector<std::string> moves = game.legalMoves();
            ASSERT_FALSE(moves.empty());
            ASSERT_TRUE(game.play(moves[random() % moves.size()], g % 3 == 0 ? "+0.10/3 0.01s" : ""));
        }
        pastTheRecord = pastTheRecord || game.moves().size() > 300;
        lengths.push_back(game.moves().size());
        MatchPgnTags tags;
        tags.round = g + 1;
        tags.white = "A";
        tags.black = "B";
        all += matchGamePgn(game, *verdict, tags);
    }
    EXPECT_TRUE(pastTheRecord) << "no game was longer than the rules' record";
    const auto folder =
        std::filesystem::temp_directory_path() / ("quorvel_match_pgn_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "in.pgn", std::ios::binary) << all;
    const std::string command = std::string(reader) + " -s --plycount -o " + (folder / "out.pgn").string() +
                                " " + (folder / "in.pgn").string() + " 2> " + (folder / "log.txt").string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream log(folder / "log.txt");
    const std::string complaints((std::istreambuf_iterator<char>(log)), {});
    EXPECT_EQ(complaints, "") << "the strict reader complained";
    std::ifstream out(folder / "out.pgn");
    const std::string replayed((std::istreambuf_iterator<char>(out)), {});
    std::vector<std::size_t> counted;
    for (std::size_t at = replayed.find("[PlyCount \""); at != std::string::npos;
         at = replayed.find("[PlyCount \"", at + 1))
        counted.push_back(std::stoul(replayed.substr(at + 11)));
    EXPECT_EQ(counted, lengths);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quorvel
