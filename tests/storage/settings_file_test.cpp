// The settings file: 183 bytes in a fixed layout, read field by field.

#include "storage/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <random>

#include "storage/fixed_field.h"
#include "temp_folder.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

Settings everyFieldChanged() {
    Settings s;
    s.mainTimeLimit = 120;
    s.secondaryTimeLimit = 300;
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
    const test::TempFolder folder;
    ASSERT_TRUE(writeSettings(folder.path().string(), original));
    EXPECT_EQ(fs::file_size(folder.path() / "quorvel.ini"), 183u);

    Settings loaded;
    ASSERT_TRUE(readSettings(folder.path().string(), loaded));
    EXPECT_EQ(loaded, original);
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

TEST(SettingsFile, APipeOrAFolderOfThatNameIsNoSettingsFile) {
    const test::TempFolder temp;
    const fs::path& folder = temp.path();
    Settings s = everyFieldChanged();
    ASSERT_EQ(mkfifo((folder / "quorvel.ini").c_str(), 0600), 0);
    EXPECT_FALSE(readSettings(folder.string(), s));  // and returns at once
    fs::remove(folder / "quorvel.ini");
    fs::create_directory(folder / "quorvel.ini");
    EXPECT_FALSE(readSettings(folder.string(), s));
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
    EXPECT_EQ(u.secondaryTimeLimit, 300);
}

TEST(SettingsFile, AnotherVersionMarkIsReadTheSame) {
    std::string bytes = settingsBytes(everyFieldChanged());
    bytes.replace(0, 6, "0.9999");
    Settings s;
    readSettingsBytes(bytes, s);
    EXPECT_EQ(s, everyFieldChanged());
}

// A field read whole but out of its range, or not the text the writer
// makes, takes its default; the other fields keep what the file says.
TEST(SettingsFile, FieldsOutOfRangeOrNotTextTakeTheirDefault) {
    const Settings d;
    struct Damage {
        const char* name;
        std::size_t at;
        std::string bytes;
        std::function<void(Settings&)> defaultOf;
    };
    const Damage damages[] = {
        {"a thinking time of 0", 6, std::string("0\0", 2),
         [&](Settings& s) { s.mainTimeLimit = d.mainTimeLimit; }},
        {"a thinking time of 301", 6, std::string("301\0", 4),
         [&](Settings& s) { s.mainTimeLimit = d.mainTimeLimit; }},
        {"a number with letters", 6, std::string("+15x7\0", 6),
         [&](Settings& s) { s.mainTimeLimit = d.mainTimeLimit; }},
        {"an empty number", 14, std::string(8, '\0'),
         [&](Settings& s) { s.secondaryTimeLimit = d.secondaryTimeLimit; }},
        {"a name of control bytes", 22, std::string("\x01\x02\x1b.ech\0", 8),
         [&](Settings& s) { s.gameFileName = d.gameFileName; }},
        {"a name that is not UTF-8", 22, std::string("\xff\xfe.ech\0", 7),
         [&](Settings& s) { s.gameFileName = d.gameFileName; }},
        {"a name in another folder", 22, std::string("../../x.ech\0", 12),
         [&](Settings& s) { s.gameFileName = d.gameFileName; }},
        {"a name under a relative folder", 22, std::string("d/x.ech\0", 8),
         [&](Settings& s) { s.gameFileName = d.gameFileName; }},
        {"a flag of 'y'", 102, "y", [&](Settings& s) { s.showThinking = d.showThinking; }},
        {"a flag of '2' where the default is on", 168, "2",
         [&](Settings& s) { s.showPossibleMoves = d.showPossibleMoves; }},
        {"no such piece set", 106, std::string("30\0", 3), [&](Settings& s) { s.pieceSet = d.pieceSet; }},
        {"a main depth past the search's tables", 114, std::string("50\0", 3),
         [&](Settings& s) { s.engine.maxDepthMain = d.engine.maxDepthMain; }},
        {"no children after a cut-off", 122, std::string("0\0", 2),
         [&](Settings& s) { s.engine.minSons = d.engine.minSons; }},
        {"a negative tolerance", 130, std::string("-250\0", 5),
         [&](Settings& s) { s.engine.alphaBetaTolerance = d.engine.alphaBetaTolerance; }},
        {"a colour past white", 138, std::string("16777216\0", 9),
         [&](Settings& s) { s.darkColour = d.darkColour; }},
        {"a colour of bytes", 148, std::string("\x80\x81\0", 3),
         [&](Settings& s) { s.lightColour = d.lightColour; }},
        {"a secondary depth of 11", 175, std::string("11\0", 3),
         [&](Settings& s) { s.engine.maxDepthSecondary = d.engine.maxDepthSecondary; }},
    };
    const std::string good = settingsBytes(everyFieldChanged());
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        std::string bytes = good;
        bytes.replace(damage.at, damage.bytes.size(), damage.bytes);
        Settings read = everyFieldChanged();
        readSettingsBytes(bytes, read);
        Settings expected = everyFieldChanged();
        damage.defaultOf(expected);
        EXPECT_EQ(read, expected);
    }
}

// Each numeric field at its limits is kept, one step past either limit
// takes the default; the other fields keep what the file says.
TEST(SettingsFile, EachNumberIsTakenUpToItsLimitsAndNotPast) {
    struct Limits {
        const char* name;
        std::size_t at;
        int width;
        std::int64_t low, high;
        std::function<void(Settings&, std::int64_t)> set;
        std::function<std::int64_t(const Settings&)> get;
    };
    const Limits fields[] = {
        {"main time", 6, 8, 1, 300,
         [](Settings& s, std::int64_t v) { s.mainTimeLimit = static_cast<std::int32_t>(v); },
         [](const Settings& s) { return std::int64_t{s.mainTimeLimit}; }},
        {"secondary time", 14, 8, 1, 300,
         [](Settings& s, std::int64_t v) { s.secondaryTimeLimit = static_cast<std::int32_t>(v); },
         [](const Settings& s) { return std::int64_t{s.secondaryTimeLimit}; }},
        {"main depth", 114, 8, 1, 10,
         [](Settings& s, std::int64_t v) { s.engine.maxDepthMain = static_cast<std::int8_t>(v); },
         [](const Settings& s) { return std::int64_t{s.engine.maxDepthMain}; }},
        {"children after a cut-off", 122, 8, 1, 100,
         [](Settings& s, std::int64_t v) { s.engine.minSons = static_cast<std::int32_t>(v); },
         [](const Settings& s) { return std::int64_t{s.engine.minSons}; }},
        {"tolerance", 130, 8, 0, 1000,
         [](Settings& s, std::int64_t v) { s.engine.alphaBetaTolerance = static_cast<std::int32_t>(v); },
         [](const Settings& s) { return std::int64_t{s.engine.alphaBetaTolerance}; }},
        {"dark squares", 138, 10, 0, 0xFFFFFF,
         [](Settings& s, std::int64_t v) { s.darkColour = static_cast<std::uint32_t>(v); },
         [](const Settings& s) { return std::int64_t{s.darkColour}; }},
        {"light squares", 148, 10, 0, 0xFFFFFF,
         [](Settings& s, std::int64_t v) { s.lightColour = static_cast<std::uint32_t>(v); },
         [](const Settings& s) { return std::int64_t{s.lightColour}; }},
        {"border", 158, 10, 0, 0xFFFFFF,
         [](Settings& s, std::int64_t v) { s.borderColour = static_cast<std::uint32_t>(v); },
         [](const Settings& s) { return std::int64_t{s.borderColour}; }},
        {"secondary depth", 175, 8, 0, 10,
         [](Settings& s, std::int64_t v) { s.engine.maxDepthSecondary = static_cast<std::int8_t>(v); },
         [](const Settings& s) { return std::int64_t{s.engine.maxDepthSecondary}; }},
    };
    const Settings d;
    const std::string good = settingsBytes(everyFieldChanged());
    for (const Limits& f : fields) {
        for (const std::int64_t value : {f.low - 1, f.low, f.low + 1, f.high - 1, f.high, f.high + 1}) {
            SCOPED_TRACE(std::string(f.name) + " " + std::to_string(value));
            std::string bytes = good;
            bytes.replace(f.at, static_cast<std::size_t>(f.width), decimalField(value, f.width));
            Settings read = everyFieldChanged();
            readSettingsBytes(bytes, read);
            Settings expected = everyFieldChanged();
            f.set(expected, value >= f.low && value <= f.high ? value : f.get(d));
            EXPECT_EQ(read, expected);
        }
    }
}

// Names as a user gives them are kept; control characters are not text.
TEST(SettingsFile, GameFileNamesAUserGivesAreKept) {
    struct Row {
        std::string name;
        bool kept;
    };
    const Row rows[] = {
        {"ma partie.ech", true},
        {"/home/joueur/mes parties/finale.ech", true},
        {"partie\u00A0du\u00A0jour.ech", true},  // no-break spaces
        {"\u00E9t\u00E9 \u20AC.ech", true},
        {"a\x1F.ech", false},
        {"a\x7F.ech", false},
        {"a\u0080.ech", false},
        {"a\u009F.ech", false},
        {"parties/a.ech", false},
        {"/home/joueur/../a.ech", false},
    };
    for (const Row& row : rows) {
        Settings s;
        std::string bytes = settingsBytes(s);
        std::string field = row.name;
        field.resize(80, '\0');
        bytes.replace(22, 80, field);
        s.gameFileName = "mienne.ech";
        readSettingsBytes(bytes, s);
        EXPECT_EQ(s.gameFileName, row.kept ? row.name : std::string("partie.ech")) << row.name;
    }
}

TEST(SettingsFile, ARandomFileGivesOnlyValuesTheProgramOffers) {
    std::mt19937 random(183);
    for (int i = 0; i < 2000; ++i) {
        std::string bytes(183, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        Settings s;
        readSettingsBytes(bytes, s);
        ASSERT_GE(s.mainTimeLimit, 1);
        ASSERT_LE(s.mainTimeLimit, 300);
        ASSERT_GE(s.secondaryTimeLimit, 1);
        ASSERT_LE(s.secondaryTimeLimit, 300);
        for (const char c : s.gameFileName) ASSERT_TRUE(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
        ASSERT_TRUE(s.pieceSet == 0 || s.pieceSet == 20 || s.pieceSet == 40);
        ASSERT_GE(s.engine.maxDepthMain, 1);
        ASSERT_LE(s.engine.maxDepthMain, 10);
        ASSERT_LE(s.darkColour, 0xFFFFFFu);
        // The writer takes back whatever was read.
        Settings again;
        readSettingsBytes(settingsBytes(s), again);
        ASSERT_EQ(again, s);
    }
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
    EXPECT_EQ(u.gameFileName, "partie.ech");
}

}  // namespace
}  // namespace quorvel
