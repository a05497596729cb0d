#include "uci/analyst.h"

#include <charconv>
#include <sstream>

namespace quorvel {

namespace {

std::vector<std::string> wordsOf(std::string_view text) {
    std::istringstream stream{std::string(text)};
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

std::optional<int> wholeNumber(const std::string& word) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

}  // namespace

AnalysisScore AnalysisScore::opposite() const {
    switch (kind) {
        case Kind::centipawns:
            return ofCentipawns(-value);
        case Kind::mates:
            return matedIn(value);
        case Kind::mated:
            break;
    }
    return matesIn(value);
}

std::optional<AnalysisScore> readUciScore(std::string_view text) {
    const std::vector<std::string> words = wordsOf(text);
    if (words.size() < 2) return std::nullopt;
    const auto value = wholeNumber(words[1]);
    if (!value) return std::nullopt;
    // A bound only says the score is above or below the number.
    if (words.size() > 2 && (words[2] == "lowerbound" || words[2] == "upperbound")) return std::nullopt;
    if (words[0] == "cp") return AnalysisScore::ofCentipawns(*value);
    if (words[0] != "mate") return std::nullopt;
    return *value > 0 ? AnalysisScore::matesIn(*value) : AnalysisScore::matedIn(-*value);
}

std::optional<AnalysisInfo> readAnalysisInfo(std::string_view infoLine) {
    const std::vector<std::string> words = wordsOf(infoLine);
    if (words.empty() || words[0] != "info") return std::nullopt;
    AnalysisInfo info;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "string") return std::nullopt;  // free text to the end of the line
        if (word == "multipv" && i + 1 < words.size() && words[i + 1] != "1") return std::nullopt;
        if (word == "score" && i + 2 < words.size()) {
            std::string score = words[i + 1] + " " + words[i + 2];
            if (i + 3 < words.size()) score += " " + words[i + 3];
            info.score = readUciScore(score);
            i += 2;
        } else if (word == "pv") {
            info.line.assign(words.begin() + static_cast<std::ptrdiff_t>(i) + 1, words.end());
            break;
        }
    }
    if (!info.score && info.line.empty()) return std::nullopt;
    return info;
}

}  // namespace quorvel
