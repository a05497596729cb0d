#include "uci/uci_info_line.h"

#include <algorithm>
#include <charconv>

#include "uci/uci_words.h"

namespace quorvel {

namespace {

template <class Number>
std::optional<Number> readNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The words that open a field of an "info" line; a line of moves (pv,
// refutation, currline) runs to the next of them.
constexpr std::string_view kFieldWords[] = {
    "depth",  "seldepth", "time",           "nodes",      "pv",       "multipv",
    "score",  "currmove", "currmovenumber", "hashfull",   "nps",      "tbhits",
    "sbhits", "cpuload",  "string",         "refutation", "currline", "wdl",
};

bool isFieldWord(std::string_view word) {
    return std::find(std::begin(kFieldWords), std::end(kFieldWords), word) != std::end(kFieldWords);
}

}  // namespace

std::optional<UciInfo> parseInfoLine(std::string_view line) {
    const UciWords words(line);
    if (words.size() == 0 || words[0] != "info") return std::nullopt;
    UciInfo info;
    std::size_t i = 1;
    // The value of the field at i, and i moved past it; a missing value
    // leaves the next field alone.
    auto value = [&]() -> std::string_view {
        if (i + 1 >= words.size() || isFieldWord(words[i + 1])) return {};
        return words[++i];
    };
    for (; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (word == "string") {
            // The rest of the line is text; a line that is only text says nothing of the search.
            if (i == 1) return std::nullopt;
            break;
        } else if (word == "depth") {
            info.depth = readNumber<int>(value());
        } else if (word == "seldepth") {
            info.selDepth = readNumber<int>(value());
        } else if (word == "multipv") {
            info.multiPv = readNumber<int>(value());
        } else if (word == "nodes") {
            info.nodes = readNumber<std::uint64_t>(value());
        } else if (word == "nps") {
            info.nps = readNumber<std::uint64_t>(value());
        } else if (word == "time") {
            info.timeMs = readNumber<long long>(value());
        } else if (word == "score") {
            UciScore score;
            bool read = false;
            while (i + 1 < words.size()) {
                const std::string_view part = words[i + 1];
                if (part == "cp" || part == "mate") {
                    ++i;
                    const auto number = i + 1 < words.size() ? readNumber<int>(words[i + 1]) : std::nullopt;
                    if (!number) break;
                    ++i;
                    score.kind = part == "mate" ? UciScore::Kind::mate : UciScore::Kind::centipawns;
                    score.value = *number;
                    read = true;
                } else if (part == "lowerbound" || part == "upperbound") {
                    ++i;
                    (part == "lowerbound" ? score.lowerBound : score.upperBound) = true;
                } else {
                    break;
                }
            }
            info.score = read ? std::optional(score) : std::nullopt;
        } else if (word == "pv") {
            info.pv.clear();
            while (i + 1 < words.size() && !isFieldWord(words[i + 1])) info.pv.emplace_back(words[++i]);
        } else if (word == "refutation" || word == "currline" || word == "wdl") {
            while (i + 1 < words.size() && !isFieldWord(words[i + 1])) ++i;
        } else if (isFieldWord(word)) {
            value();  // a field of one value Quorvel does not show
        }
        // Anything else is a word out of place: skipped.
    }
    return info;
}

std::string formatScore(const UciScore& score) {
    std::string text = (score.kind == UciScore::Kind::mate ? "mate " : "cp ") + std::to_string(score.value);
    if (score.lowerBound) text += " lowerbound";
    if (score.upperBound) text += " upperbound";
    return text;
}

std::string formatInfoLine(const UciInfo& info) {
    std::string text = "info";
    auto field = [&](const char* name, const auto& number) {
        if (number) text += std::string(" ") + name + " " + std::to_string(*number);
    };
    field("depth", info.depth);
    field("seldepth", info.selDepth);
    field("multipv", info.multiPv);
    if (info.score) text += " score " + formatScore(*info.score);
    field("nodes", info.nodes);
    field("nps", info.nps);
    field("time", info.timeMs);
    if (!info.pv.empty()) {
        text += " pv";
        for (const std::string& move : info.pv) text += " " + move;
    }
    return text;
}

void mergeInfo(UciInfo& older, const UciInfo& newer) {
    auto take = [](auto& to, const auto& from) {
        if (from) to = from;
    };
    take(older.depth, newer.depth);
    take(older.selDepth, newer.selDepth);
    take(older.multiPv, newer.multiPv);
    take(older.score, newer.score);
    take(older.nodes, newer.nodes);
    take(older.nps, newer.nps);
    take(older.timeMs, newer.timeMs);
    if (!newer.pv.empty()) older.pv = newer.pv;
}

}  // namespace quorvel
