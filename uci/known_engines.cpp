#include "uci/known_engines.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

namespace quorvel {

namespace {

struct Candidate {
    const char* program;
    std::vector<std::string> arguments;
    const char* insteadOf;  // found only when that one is not: the same engine under another name
};

const Candidate kCandidates[] = {
    {"stockfish", {}, nullptr},      {"gnuchessu", {}, nullptr}, {"gnuchess", {"--uci"}, "gnuchessu"},
    {"ethereal-chess", {}, nullptr}, {"toga2", {}, nullptr},     {"glaurung", {}, nullptr},
};

bool isExecutableFile(const std::string& file) {
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(file.c_str(), X_OK) == 0;
}

std::optional<std::string> locate(const std::string& program, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        // An empty entry of PATH is the current folder, which says nothing of what is installed.
        if (folder.empty()) continue;
        const std::string file = folder + (folder.back() == '/' ? "" : "/") + program;
        if (isExecutableFile(file)) return file;
    }
    return std::nullopt;
}

std::vector<std::string> searchFolders(std::string_view path, const std::vector<std::string>& extraFolders) {
    std::vector<std::string> folders;
    for (std::size_t at = 0; at <= path.size();) {
        const std::size_t colon = std::min(path.find(':', at), path.size());
        folders.emplace_back(path.substr(at, colon - at));
        at = colon + 1;
    }
    folders.insert(folders.end(), extraFolders.begin(), extraFolders.end());
    return folders;
}

const char* pathVariable() {
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "";
}

}  // namespace

std::vector<KnownEngine> findKnownEngines(std::string_view path,
                                          const std::vector<std::string>& extraFolders) {
    const std::vector<std::string> folders = searchFolders(path, extraFolders);
    std::vector<KnownEngine> found;
    for (const Candidate& candidate : kCandidates) {
        if (candidate.insteadOf != nullptr && locate(candidate.insteadOf, folders)) continue;
        if (const auto file = locate(candidate.program, folders))
            found.push_back({candidate.program, {*file, candidate.arguments}});
    }
    return found;
}

std::vector<KnownEngine> findKnownEngines() {
    return findKnownEngines(pathVariable());
}

std::optional<std::string> findProgram(const std::string& name, std::string_view path,
                                       const std::vector<std::string>& extraFolders) {
    if (name.find('/') != std::string::npos) return name;
    if (name.empty()) return std::nullopt;
    return locate(name, searchFolders(path, extraFolders));
}

std::optional<std::string> findProgram(const std::string& name) {
    return findProgram(name, pathVariable());
}

}  // namespace quorvel
