#include "uci/uci_go.h"

#include <algorithm>
#include <charconv>

#include "uci/uci_words.h"

namespace quorvel {

namespace {

std::optional<long long> readNumber(std::string_view word) {
    long long value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

// Clocks can run below zero in some programs; a negative time is no time.
long long nonNegative(long long value) {
    return std::max(0LL, value);
}

}  // namespace

GoRequest parseGo(std::string_view arguments) {
    const UciWords words(arguments);
    GoRequest request;
    auto valued = [&](std::size_t& i) -> std::optional<long long> {
        if (i + 1 >= words.size()) {
            request.problems.push_back(std::string(words[i]) + " needs a value");
            return std::nullopt;
        }
        const auto value = readNumber(words[i + 1]);
        if (!value) {
            std::string problem = "bad value '";
            problem.append(words[i + 1]).append("' for ").append(words[i]);
            request.problems.push_back(std::move(problem));
        }
        ++i;
        return value;
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view w = words[i];
        if (w == "infinite") {
            request.infinite = true;
        } else if (w == "movetime") {
            if (auto v = valued(i)) request.moveTime = nonNegative(*v);
        } else if (w == "wtime") {
            if (auto v = valued(i)) request.whiteTime = nonNegative(*v);
        } else if (w == "btime") {
            if (auto v = valued(i)) request.blackTime = nonNegative(*v);
        } else if (w == "winc") {
            if (auto v = valued(i)) request.whiteIncrement = nonNegative(*v);
        } else if (w == "binc") {
            if (auto v = valued(i)) request.blackIncrement = nonNegative(*v);
        } else if (w == "movestogo") {
            if (auto v = valued(i)) request.movesToGo = static_cast<int>(std::clamp(*v, 0LL, 1000LL));
        } else if (w == "depth") {
            if (auto v = valued(i)) request.depth = static_cast<int>(std::clamp(*v, 1LL, 1000LL));
        } else {
            // Built in steps: GCC 12 warns wrongly about "'" + std::string.
            std::string problem(1, '\'');
            problem.append(w).append("' is not supported");
            request.problems.push_back(std::move(problem));
        }
    }
    return request;
}

std::string formatGo(const GoRequest& request) {
    std::string text = "go";
    auto field = [&](const char* name, const auto& value, bool wanted) {
        if (value && wanted) text += std::string(" ") + name + " " + std::to_string(*value);
    };
    if (request.infinite) text += " infinite";
    field("wtime", request.whiteTime, true);
    field("btime", request.blackTime, true);
    // An increment of zero is no increment, and a zero "movestogo" is sudden death.
    field("winc", request.whiteIncrement, request.whiteIncrement > 0);
    field("binc", request.blackIncrement, request.blackIncrement > 0);
    field("movestogo", request.movesToGo, request.movesToGo > 0);
    field("movetime", request.moveTime, true);
    field("depth", request.depth, true);
    return text;
}

std::string formatPosition(std::string_view fen, const std::vector<std::string>& moves) {
    std::string text = fen.empty() ? "position startpos" : "position fen " + std::string(fen);
    if (!moves.empty()) text += " moves";
    for (const std::string& move : moves) text += " " + move;
    return text;
}

std::optional<BestMove> parseBestMove(std::string_view line) {
    const UciWords words(line);
    if (words.size() < 2 || words[0] != "bestmove") return std::nullopt;
    BestMove best{std::string(words[1]), std::nullopt};
    if (words.size() >= 4 && words[2] == "ponder") best.ponder = std::string(words[3]);
    return best;
}

std::string formatBestMove(std::string_view move) {
    return "bestmove " + std::string(move);
}

}  // namespace quorvel
