#include "storage/pgn_export.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "pgn_samples.h"
#include "rules/fen.h"
#include "rules/game_end.h"
#include "rules/move_application.h"
#include "rules/record_positions.h"
#include "scripted_game.h"
#include "storage/game_file.h"
#include "storage/pgn_import.h"
#include "temp_folder.h"

namespace quorvel {
namespace {

// Who held the board for each move, as the window's modes do.
enum class Mode { humanWhite, humanBlack, twoHumans, computers };

// A game played the way the window and the engine record it, with the
// rules' own move application (not the importer's), the board mirrored
// between moves as the modes mirror it, and the mate mark the window's
// announcement adds.
std::unique_ptr<GameRecord> windowGame(Mode mode, const std::string& moves) {
    auto r = std::make_unique<GameRecord>(test::newScriptedGame(mode == Mode::humanBlack));
    for (const std::string& token : test::splitTokens(moves)) {
        const bool whiteMoves = r->plyCount % 2 == 0;
        bool playerIsBlack = mode == Mode::humanBlack;
        if (mode == Mode::twoHumans) playerIsBlack = !whiteMoves;
        if (mode == Mode::computers) playerIsBlack = whiteMoves;
        holdLiveBoardFor(*r, playerIsBlack);
        EXPECT_TRUE(test::playScripted(*r, token)) << token;
        if (isCheckmated(r->current, r->state, true) || isCheckmated(r->current, r->state, false))
            r->moves[static_cast<std::size_t>(r->plyCount - 1)][6] = '+';
    }
    r->whiteClock = 95;
    r->blackClock = 102;
    return r;
}

std::string exported(const GameRecord& record, PlayerRoles fallback = {}) {
    PgnExportOptions options;
    options.date = "2024.03.09";
    options.humanName = "Ann";
    options.fallbackRoles = fallback;
    const auto text = exportPgn(record, options);
    EXPECT_TRUE(std::holds_alternative<std::string>(text));
    return std::holds_alternative<std::string>(text) ? std::get<std::string>(text) : "";
}

// En passant, castling on both sides, checks.
const char* kLively =
    "e2e4 d7d5 e4e5 f7f5 e5f6 g8f6 g1f3 b8c6 f1c4 c8g4 e1g1 d8d7 d2d3 e8c8 f3e5 c6e5 c4d5 e5f3 g2f3";
const char* kFoolsMate = "f2f3 e7e5 g2g4 d8h4";

TEST(PgnExport, TheSevenTagsThePlayersAndTheMoves) {
    const auto game = windowGame(Mode::humanWhite, "e2e4 e7e5 g1f3 b8c6 f1b5");
    EXPECT_EQ(exported(*game),
              "[Event \"Partie Quorvel\"]\n"
              "[Site \"?\"]\n"
              "[Date \"2024.03.09\"]\n"
              "[Round \"-\"]\n"
              "[White \"Ann\"]\n"
              "[Black \"Quorvel\"]\n"
              "[Result \"*\"]\n"
              "[WhiteType \"human\"]\n"
              "[BlackType \"program\"]\n"
              "[WhiteTimeUsed \"0:01:35\"]\n"
              "[BlackTimeUsed \"0:01:42\"]\n"
              "\n"
              "1. e4 e5 2. Nf3 Nc6 3. Bb5 *\n"
              "\n");
    const std::string mate = exported(*windowGame(Mode::humanBlack, kFoolsMate));
    EXPECT_NE(mate.find("[White \"Quorvel\"]\n[Black \"Ann\"]\n[Result \"0-1\"]"), std::string::npos);
    EXPECT_NE(mate.find("1. f3 e5 2. g4 Qh4# 0-1"), std::string::npos);
    // Without a move the mode says who plays.
    GameRecord empty;
    newGame(empty);
    EXPECT_NE(exported(empty, {true, true}).find("[White \"Quorvel\"]\n[Black \"Quorvel\"]"),
              std::string::npos);
}

TEST(PgnExport, ASetUpGameGivesItsPositionAndNumbersFromIt) {
    GameRecord r =
        std::get<FenSetup>(parseFen("4k3/8/8/8/8/8/4P3/R3K3 b Q - 7 20", FenOrientation::whiteLower)).record;
    ASSERT_TRUE(test::playScripted(r, "e8d8"));
    ASSERT_TRUE(test::playScripted(r, "e2e4"));
    const std::string text = exported(r);
    EXPECT_NE(text.find("[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/R3K3 b Q - 7 20\"]\n"), std::string::npos);
    EXPECT_NE(text.find("\n20... Kd8 21. e4 *\n"), std::string::npos);
}

// A position pasted at move 1, either side to move, then played on: the
// export names the position and numbers the moves as other programs expect,
// and reads back to the same positions.
TEST(PgnExport, ASetUpGameAtMoveOneGoesOutAndComesBack) {
    struct Row {
        const char* fen;
        const char* moves;  // coordinates
        const char* fenTag;
        const char* moveText;
    };
    const Row rows[] = {
        // The game file keeps no position before a first half-move: White's
        // first move of a set-up game is the game's move 2.
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "g1f1 g8h8 a1a8", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 2",
         "2. Kf1 Kh8 3. Ra8# 1-0"},
        {"6k1/5ppp/8/8/8/8/8/R5K1 b - - 0 1", "g8h8 a1a8", "6k1/5ppp/8/8/8/8/8/R5K1 b - - 0 1",
         "1... Kh8 2. Ra8# 1-0"},
        {"r5k1/8/8/8/8/8/5PPP/6K1 b - - 0 1", "a8a1", "r5k1/8/8/8/8/8/5PPP/6K1 b - - 0 1", "1... Ra1# 0-1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fen);
        auto parsed = parseLegalFen(row.fen, FenOrientation::sideToMoveLower);
        ASSERT_TRUE(std::holds_alternative<FenSetup>(parsed));
        auto original = std::make_unique<GameRecord>(std::get<FenSetup>(parsed).record);
        keepSetupInHistory(*original);
        for (const std::string& token : test::splitTokens(row.moves)) {
            holdLiveBoardFor(*original, original->plyCount % 2 == 1);  // two humans
            ASSERT_TRUE(test::playScripted(*original, token)) << token;
        }
        const std::string text = exported(*original);
        EXPECT_NE(text.find("[SetUp \"1\"]\n[FEN \"" + std::string(row.fenTag) + "\"]\n"), std::string::npos)
            << text;
        EXPECT_NE(text.find("\n" + std::string(row.moveText) + "\n"), std::string::npos) << text;

        const auto games = readPgnGames(text);
        ASSERT_EQ(games.size(), 1u);
        auto back = std::make_unique<GameRecord>();
        ASSERT_FALSE(importPgnGame(games[0], 1, *back));
        ASSERT_EQ(back->plyCount, original->plyCount);
        ASSERT_EQ(setupPly(*back), setupPly(*original));
        for (int ply = setupPly(*original); ply <= original->plyCount; ++ply) {
            EXPECT_EQ(positionAtPly(*back, ply).board, positionAtPly(*original, ply).board) << ply;
        }
        EXPECT_EQ(formatFen(*back), formatFen(*original));
    }
}

// Names with the two characters a tag value escapes come back as they were.
TEST(PgnExport, NamesWithQuotesAndBackslashesComeBack) {
    for (const char* name : {"DOMAINE\\ann", "Ann \"la Tour\"", "\\\"", "C:\\"}) {
        GameRecord r;
        newGame(r);
        PgnExportOptions options;
        options.humanName = name;
        const auto text = exportPgn(r, options);
        ASSERT_TRUE(std::holds_alternative<std::string>(text));
        const auto games = readPgnGames(std::get<std::string>(text));
        ASSERT_EQ(games.size(), 1u) << name;
        EXPECT_EQ(games[0].tag("White"), name);
        EXPECT_EQ(games[0].tag("Black"), "Quorvel");
    }
}

TEST(PgnExport, LinesOfAtMostEightyCharacters) {
    auto long_ = std::make_unique<GameRecord>();
    newGame(*long_);
    const auto games = readPgnGames(quorvel::testing::databaseGame());
    ASSERT_FALSE(importPgnGame(games[0], 1, *long_));
    const std::string text = exported(*long_);
    std::istringstream lines(text);
    int moveLines = 0;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
        moveLines += !line.empty() && line[0] != '[';
    }
    EXPECT_GE(moveLines, 6);
    EXPECT_NE(text.find("43. Re6 *\n"), std::string::npos);
}

// .ech -> PGN -> .ech gives the same bytes: texts with their marks, the
// positions held as each mode held them, the clocks.
TEST(PgnExport, RoundTripGivesTheSameGameFileBytes) {
    for (Mode mode : {Mode::humanWhite, Mode::humanBlack, Mode::twoHumans, Mode::computers}) {
        for (const char* moves : {kLively, kFoolsMate}) {
            const auto original = windowGame(mode, moves);
            auto back = std::make_unique<GameRecord>();
            const auto games = readPgnGames(exported(*original));
            ASSERT_EQ(games.size(), 1u);
            ASSERT_FALSE(importPgnGame(games[0], 1, *back));
            EXPECT_EQ(gameFileBytes(*back), gameFileBytes(*original))
                << "mode " << static_cast<int>(mode) << ": " << moves;
        }
    }
}

// A strict PGN reader accepts every exported game without a word, and what
// it writes back replays to the same positions, whose FENs it agrees with.
TEST(PgnExport, AStrictReaderAcceptsTheExportAndReplaysIt) {
    const char* reader = "/usr/games/pgn-extract";
    if (!std::filesystem::exists(reader))
        GTEST_SKIP() << "pgn-extract is not installed (tools/install-deps.sh)";
    std::vector<std::unique_ptr<GameRecord>> games;
    for (Mode mode : {Mode::humanWhite, Mode::humanBlack, Mode::twoHumans, Mode::computers})
        games.push_back(windowGame(mode, kLively));
    games.push_back(windowGame(Mode::humanWhite, kFoolsMate));
    for (const std::string& text : {quorvel::testing::databaseGame(), quorvel::testing::kSeveralGames}) {
        const auto read = readPgnGames(text);
        for (std::size_t i = 0; i < read.size(); ++i) {
            games.push_back(std::make_unique<GameRecord>());
            ASSERT_FALSE(importPgnGame(read[i], static_cast<int>(i) + 1, *games.back()));
        }
    }
    std::string all;
    for (const auto& game : games) all += exported(*game);

    const test::TempFolder temp;
    const std::filesystem::path& folder = temp.path();
    std::ofstream(folder / "in.pgn", std::ios::binary) << all;
    const std::string command = std::string(reader) + " -s --fencomments -o " +
                                (folder / "out.pgn").string() + " " + (folder / "in.pgn").string() + " 2> " +
                                (folder / "log.txt").string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string log = test::readAll(folder / "log.txt");
    const std::string out = test::readAll(folder / "out.pgn");
    EXPECT_EQ(log, "") << "the strict reader complained";

    const auto replayed = readPgnGames(out);
    ASSERT_EQ(replayed.size(), games.size());
    // Its FEN comments, split by game: each game's comments follow its tags.
    std::vector<std::vector<std::string>> fens;
    for (std::size_t at = 0, next; at < out.size(); at = next) {
        next = out.find("[Event ", at + 1);
        if (next == std::string::npos) next = out.size();
        fens.emplace_back();
        for (std::size_t c = out.find('{', at); c < next; c = out.find('{', c + 1)) {
            std::string fen = out.substr(c + 1, out.find('}', c) - c - 1);
            for (char& ch : fen)
                if (ch == '\n') ch = ' ';
            const auto first = fen.find_first_not_of(' '), last = fen.find_last_not_of(' ');
            fens.back().push_back(fen.substr(first, last - first + 1));
        }
    }
    ASSERT_EQ(fens.size(), games.size());
    for (std::size_t g = 0; g < games.size(); ++g) {
        auto again = std::make_unique<GameRecord>();
        ASSERT_FALSE(importPgnGame(replayed[g], static_cast<int>(g) + 1, *again)) << "game " << g + 1;
        const GameRecord& original = *games[g];
        const int start = setupPly(original);
        ASSERT_EQ(again->plyCount, original.plyCount) << "game " << g + 1;
        ASSERT_EQ(fens[g].size(), static_cast<std::size_t>(original.plyCount - start)) << "game " << g + 1;
        auto at = std::make_unique<GameRecord>(original);
        for (int ply = start + 1; ply <= original.plyCount; ++ply) {
            EXPECT_EQ(positionAtPly(*again, ply).board, positionAtPly(original, ply).board)
                << "game " << g + 1 << " ply " << ply;
            at->plyCount = ply;
            EXPECT_EQ(formatFen(*at), fens[g][static_cast<std::size_t>(ply - start - 1)])
                << "game " << g + 1 << " ply " << ply;
        }
    }
}

}  // namespace
}  // namespace quorvel
