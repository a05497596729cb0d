// The options file beside quorvel.ini: whatever it holds, each reader gets a
// usable value, and what is written comes back.

#include "storage/preferences_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

TEST(PreferencesFile, WrittenValuesComeBackAndAnOldFileSurvivesAFailedWrite) {
    const test::TempFolder folder;
    const std::string path = (folder.path() / "preferences.ini").string();
    Preferences written;
    written.setInteger("window.width", 1400);
    written.setFlag("check.box", true);
    written.set("engine.name", "Stockfish 15.1 = fort");
    ASSERT_TRUE(writePreferences(path, written));
    EXPECT_EQ(readPreferences(path), written);

    // A folder in the way of the temporary file makes the write fail.
    fs::create_directory(path + ".nouveau");
    Preferences other;
    other.setInteger("window.width", 900);
    EXPECT_FALSE(writePreferences(path, other));
    EXPECT_EQ(readPreferences(path), written);
}

TEST(PreferencesFile, AMissingFileAFolderOrAPipeReadAsNothing) {
    const test::TempFolder folder;
    EXPECT_FALSE(readPreferences((folder.path() / "absent.ini").string()));
    EXPECT_FALSE(readPreferences(folder.path().string()));
    const std::string pipe = (folder.path() / "pipe.ini").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(readPreferences(pipe));
}

TEST(PreferencesFile, DamagedLinesAreSkippedAndTheLastOfTwoValuesHolds) {
    const Preferences p = Preferences::parse(
        "# comment\r\n\n  level = 3 \r\nno equals sign\n=orphan\nbad key!=1\nlevel=5\n\xff\xfe=x\nname=a=b\n");
    EXPECT_EQ(p.integer("level", {1, 8}, 8), 5);
    EXPECT_EQ(p.text("name"), "a=b");
    EXPECT_EQ(p.values().size(), 2u);
}

TEST(PreferencesFile, EachReaderFallsBackOutsideItsRange) {
    struct Row {
        const char* value;
        int expected;
    };
    // Range 1..8, default 4: each side of each limit, and what is not a number.
    for (const Row row : {Row{"1", 1}, Row{"8", 8}, Row{"0", 4}, Row{"9", 4}, Row{"-1", 4}, Row{"3x", 4},
                          Row{"", 4}, Row{" 7", 7}, Row{"99999999999999", 4}, Row{"+3", 4}}) {
        Preferences p;
        p.set("n", row.value);
        EXPECT_EQ(p.integer("n", {1, 8}, 4), row.expected) << '"' << row.value << '"';
    }
    Preferences flags = Preferences::parse("a=1\nb=0\nc=true\nd=oui\n");
    EXPECT_TRUE(flags.flag("a", false));
    EXPECT_FALSE(flags.flag("b", true));
    EXPECT_TRUE(flags.flag("c", false));
    EXPECT_TRUE(flags.flag("d", true));
    EXPECT_FALSE(flags.flag("d", false));
    EXPECT_FALSE(flags.flag("absent", false));
}

TEST(PreferencesFile, AValueCantBreakIntoASecondLine) {
    Preferences p;
    EXPECT_TRUE(p.set("name", "two\nlines\rhere"));
    EXPECT_FALSE(p.set("bad key", "x"));
    EXPECT_FALSE(p.set("", "x"));
    const Preferences back = Preferences::parse(p.serialise());
    EXPECT_EQ(back, p);
    EXPECT_EQ(back.text("name"), "two lines here");
}

}  // namespace
}  // namespace quorvel
