// Where the shipped files are found: the user's own book first, then beside
// the program, then the installed data folder; never the current folder.

#include "storage/data_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// A fake installed tree: <root>/bin holds the program, <root>/share/quorvel
// the data, <root>/user the user's data folder.
class DataTree : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("quorvel-data-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        for (const char* folder : {"bin", "share/quorvel", "user"}) fs::create_directories(root / folder);
        folders = {(root / "user").string(), (root / "bin").string()};
    }
    void TearDown() override { fs::remove_all(root); }

    void put(const fs::path& file) { std::ofstream(root / file) << "e2e4 e7e5\n"; }
    std::string at(const fs::path& file) const { return (root / file).lexically_normal().string(); }
    std::string found(UserCopy userCopy = UserCopy::allowed) const {
        return findDataFile(kBookFileName, folders, userCopy);
    }

    fs::path root;
    DataFolders folders;
};

TEST(DataFiles, CandidatesComeInOrderOfPrecedence) {
    const DataFolders both{"/home/j/.local/share/quorvel", "/usr/bin"};
    struct Case {
        const char* name;
        DataFolders folders;
        UserCopy userCopy;
        std::vector<std::string> expected;
    } cases[] = {
        {"user copy allowed",
         both,
         UserCopy::allowed,
         {"/home/j/.local/share/quorvel/ouvertures.txt", "/usr/bin/ouvertures.txt",
          "/usr/share/quorvel/ouvertures.txt"}},
        {"user copy ignored",
         both,
         UserCopy::ignored,
         {"/usr/bin/ouvertures.txt", "/usr/share/quorvel/ouvertures.txt"}},
        {"no user folder",
         {"", "/usr/bin"},
         UserCopy::allowed,
         {"/usr/bin/ouvertures.txt", "/usr/share/quorvel/ouvertures.txt"}},
        {"program folder unknown", {"/u", ""}, UserCopy::allowed, {"/u/ouvertures.txt"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dataFileCandidates(kBookFileName, c.folders, c.userCopy), c.expected) << c.name;
}

TEST_F(DataTree, TheUserBookWinsThenTheProgramFolderThenTheInstalledOne) {
    EXPECT_EQ(found(), "") << "no book anywhere";
    put("share/quorvel/ouvertures.txt");
    EXPECT_EQ(found(), at("share/quorvel/ouvertures.txt"));
    put("bin/ouvertures.txt");
    EXPECT_EQ(found(), at("bin/ouvertures.txt"));
    put("user/ouvertures.txt");
    EXPECT_EQ(found(), at("user/ouvertures.txt"));
    EXPECT_EQ(found(UserCopy::ignored), at("bin/ouvertures.txt")) << "a clip is never the user's";
}

TEST_F(DataTree, AFolderNamedLikeTheBookIsPassedOver) {
    fs::create_directories(root / "user/ouvertures.txt");
    put("share/quorvel/ouvertures.txt");
    EXPECT_EQ(found(), at("share/quorvel/ouvertures.txt"));
}

TEST_F(DataTree, TheCurrentFolderIsNeverLookedIn) {
    put("ouvertures.txt");
    const fs::path before = fs::current_path();
    fs::current_path(root);
    const std::string book = found();
    fs::current_path(before);
    EXPECT_EQ(book, "");
}

// Sets or unsets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DataFiles, TheUserFolderFollowsTheXdgRule) {
    struct Case {
        const char* dataHome;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/srv/x", "/home/j", "/srv/x/quorvel"},
        {nullptr, "/home/j", "/home/j/.local/share/quorvel"},
        {"", "/home/j", "/home/j/.local/share/quorvel"},
        {nullptr, nullptr, "/.local/share/quorvel"},
    };
    for (const Case& c : cases) {
        ScopedEnv dataHome("XDG_DATA_HOME", c.dataHome);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(defaultDataFolders().user, c.expected) << (c.dataHome ? c.dataHome : "(unset)");
    }
}

TEST(DataFiles, TheProgramFolderHoldsTheRunningProgram) {
    const DataFolders folders = defaultDataFolders();
    ASSERT_FALSE(folders.program.empty());
    EXPECT_TRUE(fs::equivalent(fs::path(folders.program), fs::canonical("/proc/self/exe").parent_path()));
}

}  // namespace
}  // namespace quorvel
