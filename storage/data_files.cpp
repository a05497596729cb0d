#include "storage/data_files.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quorvel {

namespace fs = std::filesystem;

namespace {

std::string joined(const std::string& folder, const std::string& name) {
    return (fs::path(folder) / name).lexically_normal().string();
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

std::string installedDataFolder(const std::string& programFolder) {
    // The build places the relative path from the installed programs to
    // the installed data, so a tree installed under any prefix finds itself.
    return joined(programFolder, QUORVEL_DATA_FROM_PROGRAM);
}

std::vector<std::string> dataFileCandidates(const std::string& name, const DataFolders& folders,
                                            UserCopy userCopy) {
    std::vector<std::string> candidates;
    if (userCopy == UserCopy::allowed && !folders.user.empty())
        candidates.push_back(joined(folders.user, name));
    if (!folders.program.empty()) {
        candidates.push_back(joined(folders.program, name));
        candidates.push_back(joined(installedDataFolder(folders.program), name));
    }
    return candidates;
}

std::string findDataFile(const std::string& name, const DataFolders& folders, UserCopy userCopy) {
    for (const std::string& candidate : dataFileCandidates(name, folders, userCopy)) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) return candidate;
    }
    return {};
}

DataFolders defaultDataFolders() {
    DataFolders folders;
    // The same rule as QStandardPaths on Linux: an unset or empty
    // XDG_DATA_HOME means ~/.local/share, an unset HOME the root folder.
    fs::path dataHome(environment("XDG_DATA_HOME"));
    if (dataHome.empty()) {
        const std::string home = environment("HOME");
        dataHome = fs::path(home.empty() ? "/" : home) / ".local/share";
    }
    folders.user = (dataHome / "quorvel").lexically_normal().string();
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) folders.program = program.parent_path().string();
    return folders;
}

}  // namespace quorvel
