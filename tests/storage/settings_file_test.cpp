// The settings file: 183 bytes in a fixed layout, read field by field.

#include "storage/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

Settings everyFieldChanged() {
    Settings s;
    s.mainTimeLimit = 120;
    s.secondaryTimeLimit = -3;
    s.gameFileName = "/home/joueur/parties/défense française.ech";
    s.showThinking = true;
    s.engine.spareEngineFlag = true;
    s.engine.extraDisplays = true;
    s.engine.horizonReduction = false;
    s.pieceSet = 40;
    s.engine.maxDepthMain = 7;
    s.engine.minSons = 100;
    s.engine.alphaBetaTolerance = 1000;
    s.darkColour = 16777215;
    s.lightColour = 0x00123456;
    s.borderColour = 0;
    s.showPossibleMoves = false;
    s.engine.alphaBetaSorting = false;
    s.algebraicNotation = true;
    s.showCoordinates = false;
    s.shadedPieces = false;
    s.humanVsHuman = true;
    s.boardTurned = true;
    s.engine.maxDepthSecondary = 0;
    return s;
}

TEST(SettingsFile, EveryFieldSurvivesTheRoundTripIn183Bytes) {
    const Settings original = everyFieldChanged();
    const fs::path folder =
        fs::temp_directory_path() / ("quorvel-settings-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    ASSERT_TRUE(writeSettings(folder.string(), original));
    EXPECT_EQ(fs::file_size(folder / "quorvel.ini"), 183u);

    Settings loaded;
    ASSERT_TRUE(readSettings(folder.string(), loaded));
    EXPECT_EQ(loaded, original);
    fs::remove_all(folder);
}

TEST(SettingsFile, DefaultsFillTheLayoutAtTheirOffsets) {
    const std::string bytes = settingsBytes(Settings{});
    ASSERT_EQ(bytes.size(), 183u);
    EXPECT_EQ(bytes.substr(0, 6), "1.0500");
    EXPECT_EQ(bytes.substr(6, 10), std::string("9\0\0\0\0\0\0\0"
                                               "8\0",
                                               10));
    EXPECT_EQ(bytes.substr(22, 11), std::string("partie.ech\0", 11));
    EXPECT_EQ(bytes.substr(102, 4), "0001");
    EXPECT_EQ(bytes.substr(114, 3), std::string("10\0", 3));
    EXPECT_EQ(bytes.substr(138, 8), std::string("9987162\0", 8));
    EXPECT_EQ(bytes.substr(158, 8), "13290186");
    EXPECT_EQ(bytes.substr(168, 7), "1101100");
    EXPECT_EQ(bytes.substr(175, 2), std::string("3\0", 2));
}

TEST(SettingsFile, MissingFileKeepsEveryValue) {
    Settings s = everyFieldChanged();
    EXPECT_FALSE(readSettings((fs::temp_directory_path() / "quorvel-absent-folder").string(), s));
    EXPECT_EQ(s, everyFieldChanged());
}

TEST(SettingsFile, ShortFileSetsOnlyTheFieldsItHoldsWhole) {
    const std::string full = settingsBytes(everyFieldChanged());
    Settings s;
    readSettingsBytes(full.substr(0, 110), s);  // up to the middle of pieceSet
    EXPECT_EQ(s.mainTimeLimit, 120);
    EXPECT_EQ(s.gameFileName, everyFieldChanged().gameFileName);
    EXPECT_FALSE(s.engine.horizonReduction);
    EXPECT_EQ(s.pieceSet, 0);
    EXPECT_EQ(s.engine.maxDepthMain, 10);
    EXPECT_TRUE(s.showPossibleMoves);

    Settings t;
    readSettingsBytes(full.substr(0, 171), t);  // the flags stop after the notation
    EXPECT_TRUE(t.algebraicNotation);
    EXPECT_TRUE(t.showCoordinates);
    EXPECT_FALSE(t.humanVsHuman);
    EXPECT_EQ(t.engine.maxDepthSecondary, 3);

    Settings u;
    readSettingsBytes(full.substr(0, 60), u);  // the name field is cut
    EXPECT_EQ(u.gameFileName, "partie.ech");
    EXPECT_EQ(u.secondaryTimeLimit, -3);
}

TEST(SettingsFile, AnotherVersionMarkIsReadTheSame) {
    std::string bytes = settingsBytes(everyFieldChanged());
    bytes.replace(0, 6, "0.9999");
    Settings s;
    readSettingsBytes(bytes, s);
    EXPECT_EQ(s, everyFieldChanged());
}

TEST(SettingsFile, NumbersFollowTheLeadingDigitsRuleUnlessTheyReachPastTables) {
    std::string bytes = settingsBytes(Settings{});
    bytes.replace(6, 8, std::string("+15x7\0\0\0", 8));
    bytes.replace(14, 8, std::string(8, '\0'));
    bytes.replace(106, 8, std::string("30\0\0\0\0\0\0", 8));  // no such piece set
    bytes.replace(114, 8, std::string("50\0\0\0\0\0\0", 8));  // deeper than the search's tables
    bytes.replace(130, 8, std::string("-250\0\0\0\0", 8));
    bytes[168] = 'y';  // anything but "1" is false
    Settings s;
    s.pieceSet = 20;
    readSettingsBytes(bytes, s);
    EXPECT_EQ(s.mainTimeLimit, 15);
    EXPECT_EQ(s.secondaryTimeLimit, 0);
    EXPECT_EQ(s.engine.alphaBetaTolerance, -250);
    EXPECT_FALSE(s.showPossibleMoves);
    EXPECT_EQ(s.pieceSet, 20);
    EXPECT_EQ(s.engine.maxDepthMain, 10);
}

TEST(SettingsFile, NameThatDoesNotFitIsReplacedByTheDefault) {
    Settings s;
    s.gameFileName = std::string(80, 'a') + ".ech";
    const std::string bytes = settingsBytes(s);
    ASSERT_EQ(bytes.size(), 183u);
    EXPECT_EQ(bytes.substr(22, 11), std::string("partie.ech\0", 11));

    s.gameFileName = std::string(79, 'b');  // the longest that fits
    Settings t;
    readSettingsBytes(settingsBytes(s), t);
    EXPECT_EQ(t.gameFileName, s.gameFileName);

    // A full field without its terminator names no file we wrote.
    std::string unterminated = settingsBytes(Settings{});
    unterminated.replace(22, 80, std::string(80, 'c'));
    Settings u;
    u.gameFileName = "mienne.ech";
    readSettingsBytes(unterminated, u);
    EXPECT_EQ(u.gameFileName, "mienne.ech");
}

}  // namespace
}  // namespace quorvel
