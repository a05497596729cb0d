// The game file: exact bytes, round trips, and files that must be refused
// without touching the game in memory.

#include "storage/game_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "rules/fen.h"
#include "rules/move_application.h"
#include "scripted_game.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// A Spanish game of 40 half-moves with castling on both sides and captures.
const char* kFortyPlies =
    "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1 f8e7 f1e1 b7b5 a4b3 d7d6 c2c3 e8g8 h2h3 c6b8 d2d4 b8d7 "
    "b1d2 c8b7 b3c2 f8e8 d2f1 e7f8 f1g3 g7g6 a2a4 c7c5 d4d5 c5c4 a4b5 a6b5 a1a8 d8a8 c1g5 h7h6 g5f6 d7f6";

class TempFolder {
public:
    TempFolder()
        : path_(fs::temp_directory_path() / ("quorvel-game-" + std::to_string(std::random_device{}()))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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

TEST(GameFile, ClockFieldsAreOptionalAndCappedToTheirWidth) {
    GameRecord game = test::newScriptedGame(false);
    test::playScriptedLine(game, "d2d4 g8f6 c2c4");
    game.whiteClock = 123456789;
    game.blackClock = 42;
    const std::string bytes = gameFileBytes(game);
    ASSERT_EQ(bytes.size(), 24u + 89u * 3u);
    EXPECT_EQ(bytes.substr(bytes.size() - 8), field("9999999"));

    GameRecord other = test::newScriptedGame(false);
    other.whiteClock = 11;
    other.blackClock = 22;
    const std::string withoutClocks = bytes.substr(0, bytes.size() - 16);
    ASSERT_EQ(readGameBytes(withoutClocks, other), GameFileError::none);
    EXPECT_EQ(other.plyCount, 3);
    EXPECT_EQ(other.whiteClock, 11);
    EXPECT_EQ(other.blackClock, 22);

    // Black's clock comes first: a file with one clock field sets only it.
    ASSERT_EQ(readGameBytes(bytes.substr(0, bytes.size() - 8), other), GameFileError::none);
    EXPECT_EQ(other.blackClock, 42);
    EXPECT_EQ(other.whiteClock, 11);
}

TEST(GameFile, SideMarkerOfTheLastPositionDecidesThePlayersColour) {
    GameRecord game = test::newScriptedGame(false);
    test::playScriptedLine(game, "e2e4 c7c5 g1f3");
    std::string bytes = gameFileBytes(game);
    bytes[8 + 3 * 8 + 2 * 81] = 1;  // last entry written while the player had Black

    GameRecord loaded = test::newScriptedGame(false);
    ASSERT_EQ(readGameBytes(bytes, loaded), GameFileError::none);
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

    expectUntouched("", GameFileError::truncated);
    expectUntouched(good.substr(0, 5), GameFileError::truncated);
    expectUntouched(good.substr(0, 8 + 8 * 20 + 3), GameFileError::truncated);  // inside the texts
    expectUntouched(good.substr(0, 8 + 8 * 40 + 81 * 39 + 80),
                    GameFileError::truncated);  // inside the last position
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
    auto damaged = [&](std::size_t at, char value) {
        std::string bytes = good;
        bytes[at] = value;
        return bytes;
    };
    expectUntouched(damaged(positions + squareIndex(4, 4), 7), GameFileError::badContent);  // no such piece
    expectUntouched(damaged(positions + squareIndex(5, 1), 0), GameFileError::badContent);  // lower king gone
    expectUntouched(damaged(positions + kUpperDoubleStepFileCell, 15),
                    GameFileError::badContent);  // file off the board
    expectUntouched(damaged(positions + kLowerKingMovedCell, 2), GameFileError::badContent);
    expectUntouched(damaged(positions, 0), GameFileError::badContent);  // side marker
    expectUntouched(damaged(8 + 1, '9'), GameFileError::badContent);    // "e9-e4"
    expectUntouched(damaged(8 + 7, '+'), GameFileError::badContent);    // text not ended
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
