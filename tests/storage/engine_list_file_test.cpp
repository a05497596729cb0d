// The list of engines beside quorvel.ini: what is written comes back, a
// damaged file loses only what can't be read (and says so), and the choices
// always name an engine that is there, or Quorvel's own.

#include "storage/engine_list_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

EngineEntry entry(std::string name, std::string program, EngineOrigin origin = EngineOrigin::added) {
    EngineEntry e;
    e.name = std::move(name);
    e.program = std::move(program);
    e.origin = origin;
    return e;
}

EngineChoices sample() {
    EngineChoices c;
    EngineEntry stockfish = entry("Stockfish 15.1", "/usr/games/stockfish", EngineOrigin::found);
    stockfish.strength.elo = 1500;
    stockfish.eloRange = std::pair{1350, 2850};
    stockfish.skillRange = std::pair{0, 20};
    EngineEntry gnu = entry("GNU Chess", "/usr/games/gnuchess", EngineOrigin::found);
    gnu.arguments = {"--uci", "--hash size 32"};
    gnu.removed = true;
    EngineEntry mine = entry("Mon = moteur", "/home/moi/mes moteurs/moteur");
    mine.renamed = true;
    mine.strength.moveSeconds = 3;
    mine.strength.skillLevel = -5;
    c.engines = {stockfish, gnu, mine};
    c.opponent = 1;
    c.white = 0;
    c.black = 3;
    return c;
}

TEST(EngineListFile, WhatIsWrittenComesBackAndAnOldFileSurvivesAFailedWrite) {
    const test::TempFolder folder;
    const std::string path = folder.file(kEngineListFileName);
    const EngineChoices written = sample();
    ASSERT_TRUE(writeEngineList(path, written));
    const EngineListRead read = readEngineList(path);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.choices, written);

    fs::create_directory(path + ".nouveau");
    EngineChoices other;
    EXPECT_FALSE(writeEngineList(path, other));
    EXPECT_EQ(readEngineList(path).choices, written);
}

TEST(EngineListFile, AMissingFileIsTheFirstStartAndAFolderIsSaid) {
    const test::TempFolder folder;
    const EngineListRead missing = readEngineList(folder.file("absent.ini"));
    EXPECT_TRUE(missing.problems.empty());
    EXPECT_EQ(missing.choices, EngineChoices{});
    const EngineListRead folderRead = readEngineList(folder.path().string());
    EXPECT_EQ(folderRead.problems.size(), 1u);
    EXPECT_EQ(folderRead.choices.opponent, 0);
}

// Each damage loses what it touches, is said once, and leaves the rest.
TEST(EngineListFile, ADamagedFileLosesOnlyWhatCantBeRead) {
    const std::string good = "engine.1.name=A\nengine.1.program=/a\nengine.2.name=B\nengine.2.program=/b\n";
    struct Row {
        const char* what;
        std::string text;
        std::size_t engines;
        int opponent;
        std::size_t problems;
    };
    const Row rows[] = {
        {"all well", good + "opponent=2\n", 2, 2, 0},
        {"an entry without its program", good + "engine.3.name=C\nopponent=2\n", 2, 2, 1},
        {"an opponent past the list", good + "opponent=3\n", 2, 0, 1},
        {"an opponent that is no number", good + "opponent=deux\n", 2, 0, 1},
        {"a negative opponent", good + "opponent=-1\n", 2, 0, 1},
        {"an opponent naming a dropped entry", good + "engine.3.name=C\nopponent=3\n", 2, 0, 2},
        {"numbers with a gap", "engine.4.program=/d\nengine.9.program=/i\nopponent=9\n", 2, 2, 0},
        {"an unreadable Elo", good + "engine.1.elo=fort\nopponent=1\n", 2, 1, 1},
        {"an Elo range upside down", good + "engine.1.elo.range=2850-1350\n", 2, 0, 1},
        {"seconds out of range", good + "engine.2.seconds=0\n", 2, 0, 1},
        {"an unknown origin", good + "engine.2.origin=volé\n", 2, 0, 1},
        {"binary junk", std::string("\xff\xfe\x00\x01=\n", 6) + good, 2, 0, 0},
        {"a line without '='", good + "opponent 2\n", 2, 0, 0},
    };
    for (const Row& row : rows) {
        const EngineListRead read = parseEngineList(row.text);
        EXPECT_EQ(read.choices.engines.size(), row.engines) << row.what;
        EXPECT_EQ(read.choices.opponent, row.opponent) << row.what;
        EXPECT_EQ(read.problems.size(), row.problems) << row.what;
    }
}

TEST(EngineListFile, AValueThatDoesNotReadLeavesTheEngineAtItsDefaultStrength) {
    const EngineListRead read = parseEngineList(
        "engine.1.program=/a\nengine.1.elo=1500x\nengine.1.skill=7\nengine.1.elo.range=-10-10\n"
        "engine.1.renamed=1\nengine.1.removed=1\n");
    ASSERT_EQ(read.choices.engines.size(), 1u);
    const EngineEntry& e = read.choices.engines[0];
    EXPECT_FALSE(e.strength.elo);
    EXPECT_EQ(e.strength.skillLevel, 7);
    EXPECT_EQ(e.eloRange, (std::pair{-10, 10}));
    EXPECT_EQ(e.name, "a");  // no name: the program's
    EXPECT_TRUE(e.renamed);
    // Only a found engine can be removed and kept.
    EXPECT_FALSE(e.removed);
}

TEST(EngineListFile, AChoiceOfARemovedEngineGoesBackToQuorvelsOwn) {
    const EngineListRead read = parseEngineList(
        "engine.1.program=/a\nengine.1.origin=found\nengine.1.removed=1\nengine.2.program=/b\n"
        "opponent=1\nwhite=2\nblack=1\n");
    EXPECT_EQ(read.choices.opponent, 0);
    EXPECT_EQ(read.choices.white, 2);
    EXPECT_EQ(read.choices.black, 0);
    EXPECT_EQ(read.problems.size(), 2u);
}

TEST(EngineListFile, MoreEnginesThanTheMenuHoldsAreLeftOut) {
    std::string text;
    for (int n = 1; n <= kMaxEngines + 3; ++n)
        text += "engine." + std::to_string(n) + ".program=/e" + std::to_string(n) + "\n";
    const EngineListRead read = parseEngineList(text);
    EXPECT_EQ(read.choices.engines.size(), static_cast<std::size_t>(kMaxEngines));
    EXPECT_EQ(read.problems.size(), 1u);
}

// Removing shifts the choices after the entry, and sends those that named
// it back to Quorvel's own engine; a found engine stays, marked removed.
TEST(EngineListFile, RemovingAnEngineKeepsTheOtherChoices) {
    EngineChoices c;
    c.engines = {entry("A", "/a"), entry("B", "/b", EngineOrigin::found), entry("C", "/c")};
    c.opponent = 3;
    c.white = 1;
    c.black = 2;
    c.remove(1);
    ASSERT_EQ(c.engines.size(), 2u);
    EXPECT_EQ(c.engines[0].name, "B");
    EXPECT_EQ(c.opponent, 2);
    EXPECT_EQ(c.white, 0);
    EXPECT_EQ(c.black, 1);
    c.remove(1);
    ASSERT_EQ(c.engines.size(), 2u);
    EXPECT_TRUE(c.engines[0].removed);
    EXPECT_EQ(c.black, 0);
    EXPECT_EQ(c.engine(1), nullptr);
    EXPECT_EQ(c.opponent, 2);
    c.remove(0);
    c.remove(7);
    EXPECT_EQ(c.engines.size(), 2u);
}

TEST(EngineListFile, FoundEnginesAreAddedOnceAndARemovedOneStaysRemoved) {
    EngineChoices c;
    c.engines = {entry("Stockfish 15.1", "/usr/games/stockfish", EngineOrigin::found),
                 entry("Toga II", "/usr/games/toga2", EngineOrigin::found)};
    c.engines[1].removed = true;
    c.opponent = 1;
    mergeFoundEngines(c, {{"/usr/games/stockfish", {}, "Stockfish"},
                          {"/usr/games/toga2", {}, "Toga II"},
                          {"/usr/games/gnuchess", {"--uci"}, "GNU Chess"}});
    ASSERT_EQ(c.engines.size(), 3u);
    EXPECT_EQ(c.engines[0].name, "Stockfish 15.1");  // its own name stays
    EXPECT_TRUE(c.engines[1].removed);
    EXPECT_EQ(c.engines[2].name, "GNU Chess");
    EXPECT_EQ(c.engines[2].arguments, std::vector<std::string>{"--uci"});
    EXPECT_EQ(c.engines[2].origin, EngineOrigin::found);
    EXPECT_EQ(c.opponent, 1);

    EngineChoices full;
    for (int n = 0; n < kMaxEngines; ++n) full.engines.push_back(entry("e", "/e" + std::to_string(n)));
    mergeFoundEngines(full, {{"/usr/games/stockfish", {}, "Stockfish"}});
    EXPECT_EQ(full.engines.size(), static_cast<std::size_t>(kMaxEngines));
}

}  // namespace
}  // namespace quorvel
