// The atomic save of the game file and the settings file: the new content is
// written beside the old file and renamed over it, never written into it.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <functional>
#include <iterator>

#include "scripted_game.h"
#include "storage/game_file.h"
#include "storage/replace_file.h"
#include "storage/settings_file.h"
#include "temp_folder.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

using test::readAll;

// A save of one of two contents (`second` picks the other) at `path`.
struct Saver {
    const char* name;
    const char* fileName;
    std::function<bool(const fs::path& path, bool second)> save;
};

void PrintTo(const Saver& saver, std::ostream* out) {
    *out << saver.name;
}

GameRecord scriptedGame(bool second) {
    GameRecord game = test::newScriptedGame(false);
    test::playScriptedLine(game, second ? "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6 c1g5 f8e7" : "e2e4 e7e5");
    return game;
}

const Saver kSavers[] = {
    {"game file", "partie.ech",
     [](const fs::path& path, bool second) { return writeGameFile(path.string(), scriptedGame(second)); }},
    {"settings file", kSettingsFileName,
     [](const fs::path& path, bool second) {
         Settings settings;
         settings.mainTimeLimit = second ? 120 : 9;
         return writeSettings(path.parent_path().string(), settings);
     }},
    {"any file", "texte.txt",
     [](const fs::path& path, bool second) {
         return replaceFile(path.string(), second ? std::string(3000, 'n') : std::string(300, 'o'));
     }},
};

class AtomicSave : public ::testing::TestWithParam<Saver> {
protected:
    fs::path file() const { return folder_ / GetParam().fileName; }

    test::TempFolder temp_;
    const fs::path& folder_ = temp_.path();
};

// A hard link names the old file itself: a save that wrote into the old
// file would change what the link shows.
TEST_P(AtomicSave, OldFileIsReplacedNotRewritten) {
    ASSERT_TRUE(GetParam().save(file(), false));
    const std::string before = readAll(file());
    fs::create_hard_link(file(), folder_ / "lien");
    ASSERT_TRUE(GetParam().save(file(), true));
    EXPECT_EQ(readAll(folder_ / "lien"), before);
    EXPECT_NE(readAll(file()), before);
}

// Files may not grow past 100 bytes while the new content is written: the
// save fails halfway through and the old file is whole.
TEST_P(AtomicSave, SaveFailingMidwayLeavesTheOldFileWhole) {
    ASSERT_TRUE(GetParam().save(file(), false));
    const std::string before = readAll(file());
    ASSERT_GT(before.size(), 100u);
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousSignal = signal(SIGXFSZ, SIG_IGN);  // a failed write, not the end of the process
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool savedAgain = GetParam().save(file(), true);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousSignal);
    EXPECT_FALSE(savedAgain);
    EXPECT_EQ(readAll(file()), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1)
        << "a file left behind";
}

INSTANTIATE_TEST_SUITE_P(EachFile, AtomicSave, ::testing::ValuesIn(kSavers), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (c == ' ') c = '_';
    return name;
});

}  // namespace
}  // namespace quorvel
