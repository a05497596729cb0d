#include "storage/level_results.h"

#include <cassert>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <vector>

#include "storage/replace_file.h"

namespace quorvel {

namespace {

constexpr std::string_view kHeader = "quorvel-results 1";
// A file of results is a few hundred bytes; anything far larger is not ours.
constexpr std::uintmax_t kLargestFile = 1 << 16;
constexpr int kMostGames = 1000000;

// The whole decimal numbers of a line, separated by single blanks.
std::optional<std::vector<int>> numbers(std::string_view line) {
    std::vector<int> values;
    while (!line.empty()) {
        int value = 0;
        const auto [stop, error] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (error != std::errc{} || stop == line.data()) return std::nullopt;
        values.push_back(value);
        line.remove_prefix(static_cast<std::size_t>(stop - line.data()));
        if (!line.empty()) {
            if (line.front() != ' ' || line.size() == 1) return std::nullopt;
            line.remove_prefix(1);
        }
    }
    return values;
}

}  // namespace

const LevelTally& LevelResults::record(int level, PlayerScore score) {
    assert(level >= 1 && level <= kHighestLevel);
    LevelTally& t = tallies_[level];
    switch (score) {
        case PlayerScore::won:
            ++t.won;
            t.run = t.run > 0 ? t.run + 1 : 1;
            break;
        case PlayerScore::drawn:
            ++t.drawn;
            t.run = 0;
            break;
        case PlayerScore::lost:
            ++t.lost;
            t.run = t.run < 0 ? t.run - 1 : -1;
            break;
    }
    return t;
}

LevelTally LevelResults::tally(int level) const {
    const auto found = tallies_.find(level);
    return found == tallies_.end() ? LevelTally{} : found->second;
}

std::string LevelResults::serialise() const {
    std::string text(kHeader);
    text += '\n';
    for (const auto& [level, t] : tallies_) {
        text += std::to_string(level) + ' ' + std::to_string(t.won) + ' ' + std::to_string(t.drawn) + ' ' +
                std::to_string(t.lost) + ' ' + std::to_string(t.run) + '\n';
    }
    return text;
}

std::optional<LevelResults> LevelResults::parse(std::string_view text) {
    LevelResults results;
    bool headerSeen = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;  // a cut last line
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!headerSeen) {
            if (line != kHeader) return std::nullopt;
            headerSeen = true;
            continue;
        }
        const auto values = numbers(line);
        if (!values || values->size() != 5) return std::nullopt;
        const int level = (*values)[0];
        LevelTally t{(*values)[1], (*values)[2], (*values)[3], (*values)[4]};
        const bool countsFit = t.won >= 0 && t.drawn >= 0 && t.lost >= 0 && t.won <= kMostGames &&
                               t.drawn <= kMostGames && t.lost <= kMostGames;
        // A run of wins can't be longer than the wins, nor one of losses.
        const bool runFits = countsFit && t.run <= t.won && -t.run <= t.lost;
        if (level < 1 || level > kHighestLevel || !runFits || t.games() == 0 ||
            results.tallies_.count(level) != 0) {
            return std::nullopt;
        }
        results.tallies_[level] = t;
    }
    if (!headerSeen) return std::nullopt;
    return results;
}

LevelResultsReading readLevelResults(const std::string& path) {
    LevelResultsReading reading;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        // Something else in its place (a folder) is not a file of ours either.
        reading.status = std::filesystem::exists(path, error) ? LevelResultsReading::Status::damaged
                                                              : LevelResultsReading::Status::missing;
        return reading;
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > kLargestFile) {
        reading.status = LevelResultsReading::Status::damaged;
        return reading;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return reading;  // missing or unreadable
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (auto results = LevelResults::parse(text)) {
        reading.status = LevelResultsReading::Status::read;
        reading.results = std::move(*results);
    } else {
        reading.status = LevelResultsReading::Status::damaged;
    }
    return reading;
}

bool writeLevelResults(const std::string& path, const LevelResults& results) {
    return replaceFile(path, results.serialise());
}

}  // namespace quorvel
