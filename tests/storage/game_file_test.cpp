// The game file: exact bytes, round trips, and files that must be refused
// without touching the game in memory.

#include "storage/game_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <variant>
#include <vector>

#include "rules/fen.h"
#include "rules/move_application.h"
#include "scripted_game.h"
#include "temp_folder.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// A Spanish game of 40 half-moves with castling on both sides and captures.
const char* kFortyPlies =
    "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1 f8e7 f1e1 b7b5 a4b3 d7d6 c2c3 e8g8 h2h3 c6b8 d2d4 b8d7 "
    "b1d2 c8b7 b3c2 f8e8 d2f1 e7f8 f1g3 g7g6 a2a4 c7c5 d4d5 c5c4 a4b5 a6b5 a1a8 d8a8 c1g5 h7h6 g5f6 d7f6";

using test::readAll;
using test::TempFolder;

std::string field(const std::string& digits) {
    std::string f = digits;
    f.resize(8, '\0');
    return f;
}

// The bytes the format prescribes, assembled independently of the writer.
std::string expectedBytes(const GameRecord& r) {
    std::string bytes = field(std::to_string(r.plyCount));
    for (int k = 0; k < r.plyCount; ++k) bytes.append(r.moves[static_cast<std::size_t>(k)].bytes.data(), 8);
    for (int k = 0; k < r.plyCount; ++k)
        bytes.append(reinterpret_cast<const char*>(r.history[static_cast<std::size_t>(k)].cells.data()), 81);
    return bytes + field(std::to_string(r.blackClock)) + field(std::to_string(r.whiteClock));
}

void expectSameGame(const GameRecord& a, const GameRecord& b) {
    EXPECT_EQ(a.moves, b.moves);
    EXPECT_EQ(a.history, b.history);
    EXPECT_EQ(a.plyCount, b.plyCount);
    EXPECT_EQ(a.recordLength, b.recordLength);
    // A loaded position keeps the side marker of its history entry in cell 0,
    // which no rule reads.
    Position ca = a.current, cb = b.current;
    ca[0] = cb[0] = 0;
    EXPECT_EQ(ca, cb);
    EXPECT_EQ(a.state, b.state);
    EXPECT_EQ(a.playerIsBlack, b.playerIsBlack);
    EXPECT_EQ(std::pair(a.whiteClock, a.blackClock), std::pair(b.whiteClock, b.blackClock));
}

class ScriptedGameFile : public ::testing::TestWithParam<bool> {};

TEST_P(ScriptedGameFile, FortyPliesSaveReloadAndSaveAgainIdentically) {
    const bool playerIsBlack = GetParam();
    GameRecord game = test::newScriptedGame(playerIsBlack);
    ASSERT_EQ(test::playScriptedLine(game, kFortyPlies), 40);
    game.whiteClock = 754;
    game.blackClock = 1203;
    // Texts are stored in chess ranks whichever side the player has.
    EXPECT_EQ(game.moves[0].str(), "e2-e4");
    EXPECT_EQ(game.moves[8].str(), "o-o");
    EXPECT_EQ(game.moves[33].str(), "a6xb5");

    TempFolder folder;
    const std::string path = folder.file("partie.ech");
    ASSERT_TRUE(writeGameFile(path, game));
    const std::string saved = readAll(path);
    ASSERT_EQ(saved.size(), 24u + 89u * 40u);
    EXPECT_EQ(saved, expectedBytes(game));
    EXPECT_EQ(saved[8 + 40 * 8], playerIsBlack ? 1 : 2);  // side marker of the first position

    GameRecord loaded = test::newScriptedGame(!playerIsBlack);
    ASSERT_EQ(readGameFile(path, loaded), GameFileError::none);
    expectSameGame(loaded, game);

    ASSERT_TRUE(writeGameFile(path, loaded));
    EXPECT_EQ(readAll(path), saved);
    EXPECT_FALSE(fs::exists(path + ".nouveau"));
}

INSTANTIATE_TEST_SUITE_P(BothColours, ScriptedGameFile, ::testing::Values(false, true));

TEST(GameFile, NewGameSavedAtOnceIsTwentyFourBytes) {
    GameRecord game = test::newScriptedGame(false);
    const std::string bytes = gameFileBytes(game);
    EXPECT_EQ(bytes, std::string("0", 1) + std::string(7, '\0') + field("0") + field("0"));

    // Reading it back gives the initial position and keeps the colour.
    GameRecord loaded = test::newScriptedGame(true);
    test::playScriptedLine(loaded, "e2e4 e7e5");
    ASSERT_EQ(readGameBytes(bytes, loaded), GameFileError::none);
    EXPECT_EQ(loaded.plyCount, 0);
    EXPECT_EQ(loaded.recordLength, 0);
    EXPECT_EQ(loaded.current, test::newScriptedGame(true).current);
    EXPECT_TRUE(loaded.moves[0].empty());
    EXPECT_TRUE(loaded.playerIsBlack);
}

TEST(GameFile, ClocksAreCappedToTheirWidth) {
    GameRecord game = test::newScriptedGame(false);
    test::playScriptedLine(game, "d2d4 g8f6 c2c4");
    game.whiteClock = 123456789;
    game.blackClock = 42;
    const std::string bytes = gameFileBytes(game);
    ASSERT_EQ(bytes.size(), 24u + 89u * 3u);
    EXPECT_EQ(bytes.substr(bytes.size() - 8), field("9999999"));
    GameRecord loaded = test::newScriptedGame(false);
    ASSERT_EQ(readGameBytes(bytes, loaded), GameFileError::none);
    EXPECT_EQ(loaded.whiteClock, 9999999);
    EXPECT_EQ(loaded.blackClock, 42);
}

// Every kind of game the program writes is read back as it was written.
TEST(GameFile, EveryKindOfGameTheProgramWritesIsReadBack) {
    struct Case {
        const char* name;
        GameRecord game;
    };
    std::vector<Case> cases;

    GameRecord twoHumans = test::newScriptedGame(false);
    for (const std::string& token :
         test::splitTokens("e2e4 d7d5 e4d5 g8f6 f1b5 c7c6 d5c6 d8a5 c6b7 a5b5 b7a8n")) {
        // The board goes to the side to move: the entries alternate between
        // the two ways of holding it.
        holdLiveBoardFor(twoHumans, twoHumans.plyCount % 2 == 1);
        ASSERT_TRUE(test::playScripted(twoHumans, token)) << token;
    }
    cases.push_back({"two humans, a promotion to a knight", twoHumans});

    GameRecord passant = test::newScriptedGame(true);
    ASSERT_EQ(test::playScriptedLine(passant, "e2e4 a7a6 e4e5 d7d5 e5d6 e8d7 d6c7 d7e8 c7b8r"), 9);
    cases.push_back({"en passant, the player with Black", passant});

    // Set up at move 10: the set-up board is entry 18, the eighteen before
    // it hold nothing.
    const auto setUp = parseFen("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 10", FenOrientation::whiteLower);
    ASSERT_TRUE(std::holds_alternative<FenSetup>(setUp));
    GameRecord fromPosition = std::get<FenSetup>(setUp).record;
    ASSERT_EQ(fromPosition.plyCount, 19);
    ASSERT_EQ(test::playScriptedLine(fromPosition, "e8c8 e1g1 h8h2"), 3);
    cases.push_back({"from a set-up position, castling", fromPosition});

    GameRecord fromPositionAtOnce =
        std::get<FenSetup>(parseFen("4k3/8/8/8/8/8/8/4K2R w K - 0 1", FenOrientation::whiteLower)).record;
    ASSERT_EQ(test::playScriptedLine(fromPositionAtOnce, "h1h8"), 1);
    cases.push_back({"from a set-up position at the first move, check", fromPositionAtOnce});
    cases.push_back({"a set-up position before its first move", std::get<FenSetup>(setUp).record});

    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.game.whiteClock = 61;
        c.game.blackClock = 3599;
        GameRecord loaded = test::newScriptedGame(false);
        ASSERT_EQ(readGameBytes(gameFileBytes(c.game), loaded), GameFileError::none);
        expectSameGame(loaded, c.game);
    }
}

TEST(GameFile, SideMarkerOfTheLastPositionDecidesThePlayersColour) {
    // The player changes to Black before White's third half-move.
    GameRecord game = test::newScriptedGame(false);
    test::playScriptedLine(game, "e2e4 c7c5");
    holdLiveBoardFor(game, true);
    ASSERT_EQ(test::playScriptedLine(game, "g1f3"), 1);

    GameRecord loaded = test::newScriptedGame(false);
    ASSERT_EQ(readGameBytes(gameFileBytes(game), loaded), GameFileError::none);
    EXPECT_TRUE(loaded.playerIsBlack);
}

// Everything a refused file must not change.
void expectUntouched(const std::string& bytes, GameFileError expected) {
    GameRecord game = test::newScriptedGame(true);
    test::playScriptedLine(game, "e2e4 e7e6 d2d4 d7d5");
    game.whiteClock = 5;
    const GameRecord before = game;
    EXPECT_EQ(readGameBytes(bytes, game), expected);
    expectSameGame(game, before);
}

TEST(GameFile, DamagedFilesAreRefusedAndTheGameStays) {
    GameRecord game = test::newScriptedGame(false);
    test::playScriptedLine(game, kFortyPlies);
    const std::string good = gameFileBytes(game);

    expectUntouched("", GameFileError::wrongSize);
    expectUntouched(good.substr(0, 5), GameFileError::wrongSize);
    expectUntouched(good.substr(0, 8 + 8 * 20 + 3), GameFileError::wrongSize);  // inside the texts
    expectUntouched(good.substr(0, 8 + 8 * 40 + 81 * 39 + 80),
                    GameFileError::wrongSize);                                    // inside the last position
    expectUntouched(good.substr(0, good.size() - 16), GameFileError::wrongSize);  // no clocks
    expectUntouched(good.substr(0, good.size() - 1), GameFileError::wrongSize);   // one byte short
    expectUntouched(good + '\0', GameFileError::wrongSize);                       // one byte more
    expectUntouched(std::string(100000, '\0'), GameFileError::wrongSize);         // zeros
    expectUntouched(field("301") + good.substr(8), GameFileError::badCount);
    expectUntouched(field("-1") + good.substr(8), GameFileError::badCount);
    expectUntouched(field("4x") + good.substr(8), GameFileError::badCount);
    expectUntouched(field("abc") + good.substr(8), GameFileError::badCount);
    expectUntouched(std::string("99999999") + good.substr(8), GameFileError::badCount);
}

TEST(GameFile, ContentTheRulesCannotHoldIsRefused) {
    GameRecord game = test::newScriptedGame(false);
    test::playScriptedLine(game, "e2e4 e7e5 g1f3");
    const std::string good = gameFileBytes(game);
    const std::size_t positions = 8 + 3 * 8;
    const std::size_t last = positions + 2 * 81;  // the board after g1-f3
    const std::size_t clocks = good.size() - 16;
    struct Damage {
        const char* name;
        std::size_t at;
        char value;
        GameFileError expected;
    };
    const Damage damages[] = {
        {"no such piece", positions + squareIndex(4, 4), 7, GameFileError::badContent},
        {"the lower king gone", positions + squareIndex(5, 1), 0, GameFileError::badContent},
        {"a double-step file off the board", positions + kUpperDoubleStepFileCell, 15,
         GameFileError::badContent},
        {"a double-step file of 9", positions + kUpperDoubleStepFileCell, 9, GameFileError::badContent},
        {"a double-step file of -1", positions + kLowerDoubleStepFileCell, -1, GameFileError::badContent},
        {"piece code 10", positions + squareIndex(4, 4), 10, GameFileError::badContent},
        {"piece code 17", positions + squareIndex(4, 4), 17, GameFileError::badContent},
        {"piece code -1", positions + squareIndex(4, 4), -1, GameFileError::badContent},
        {"a side marker of 3", positions, 3, GameFileError::badContent},
        {"a flag cell of 2", positions + kLowerKingMovedCell, 2, GameFileError::badContent},
        {"no side marker", positions, 0, GameFileError::badContent},
        {"e9-e4", 8 + 1, '9', GameFileError::badContent},
        {"a text not ended", 8 + 7, '+', GameFileError::badContent},
        {"a pawn on the last rank", last + squareIndex(1, 8), kUpperPawn, GameFileError::badContent},
        {"a pawn on the first rank", last + squareIndex(1, 1), kLowerPawn, GameFileError::badContent},
        {"kings side by side", last + squareIndex(5, 2), kUpperKing, GameFileError::badContent},
        {"White's king left in check", last + squareIndex(5, 3), kUpperRook, GameFileError::badContent},
        {"a clock of letters", clocks, 'x', GameFileError::badContent},
        {"a knight the move did not move", last + squareIndex(2, 1), 0, GameFileError::movesDisagree},
        {"g1-f3 told as g1-h3", 8 + 2 * 8 + 3, 'h', GameFileError::movesDisagree},
        {"e7-e5 told as e7-e6", 8 + 8 + 4, '6', GameFileError::movesDisagree},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.name);
        std::string bytes = good;
        bytes[d.at] = d.value;
        expectUntouched(bytes, d.expected);
    }
}

TEST(GameFile, FoldersPipesAndHugeFilesAreRefusedUnread) {
    TempFolder folder;
    GameRecord game = test::newScriptedGame(false);
    EXPECT_EQ(readGameFile(folder.path().string(), game), GameFileError::notAFile);
    const std::string pipe = folder.file("tube.ech");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(readGameFile(pipe, game), GameFileError::notAFile);  // and returns at once
    // Two gigabytes of zeros, held sparse: read as a count of 0, too long.
    const std::string zeros = folder.file("zeros.ech");
    std::ofstream(zeros).close();
    fs::resize_file(zeros, std::uintmax_t{2} << 30);
    EXPECT_EQ(readGameFile(zeros, game), GameFileError::wrongSize);
}

TEST(GameFile, AGameSetUpFromAPositionReadsBack) {
    // The entries before the set-up board hold nothing; the set-up board's
    // text is empty.
    GameRecord game =
        std::get<FenSetup>(parseFen("7k/5P2/8/8/3p4/8/4P3/4K3 w - - 0 40", FenOrientation::whiteLower))
            .record;
    ASSERT_TRUE(test::playScripted(game, "e2e4"));
    ASSERT_TRUE(test::playScripted(game, "d4e3"));
    const std::string bytes = gameFileBytes(game);
    GameRecord back;
    ASSERT_EQ(readGameBytes(bytes, back), GameFileError::none);
    EXPECT_EQ(gameFileBytes(back), bytes);
    EXPECT_EQ(back.plyCount, 80);
    EXPECT_EQ(back.current, game.history[79]);  // the board the game goes on from
    // Nothing but empty entries is no game.
    GameRecord empty;
    empty.plyCount = 3;
    expectUntouched(gameFileBytes(empty), GameFileError::badContent);
}

// A game as long as the record holds (300 half-moves) saves and loads whole.
TEST(GameFile, FullRecordRoundTrips) {
    TempFolder folder;
    GameRecord game = test::newScriptedGame(false);
    std::string shuffle;
    for (int i = 0; i < 75; ++i) shuffle += "g1f3 g8f6 f3g1 f6g8 ";
    ASSERT_EQ(test::playScriptedLine(game, shuffle), GameRecord::kCapacity);
    const std::string path = folder.file("longue.ech");
    ASSERT_TRUE(writeGameFile(path, game));
    GameRecord loaded = test::newScriptedGame(false);
    ASSERT_EQ(readGameFile(path, loaded), GameFileError::none);
    EXPECT_EQ(loaded.plyCount, GameRecord::kCapacity);
    EXPECT_EQ(loaded.moves, game.moves);
    EXPECT_EQ(loaded.history, game.history);
}

TEST(GameFile, FailedSaveKeepsThePreviousFile) {
    TempFolder folder;
    GameRecord game = test::newScriptedGame(false);
    test::playScriptedLine(game, "e2e4 e7e5");
    const std::string path = folder.file("partie.ech");
    ASSERT_TRUE(writeGameFile(path, game));
    const std::string before = readAll(path);

    // A save over a folder of that name, or into a missing folder, fails
    // and leaves no temporary file behind.
    fs::create_directory(folder.file("dossier.ech"));
    EXPECT_FALSE(writeGameFile(folder.file("dossier.ech"), game));
    EXPECT_TRUE(fs::is_directory(folder.file("dossier.ech")));
    EXPECT_FALSE(fs::exists(folder.file("dossier.ech.nouveau")));
    EXPECT_FALSE(writeGameFile(folder.file("absent/partie.ech"), game));
    EXPECT_EQ(readAll(path), before);

    EXPECT_EQ(readGameFile(folder.file("introuvable.ech"), game), GameFileError::cannotOpen);
}

}  // namespace
}  // namespace quorvel
