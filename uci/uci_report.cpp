#include "uci/uci_report.h"

#include <algorithm>

#include "engine/search_tree.h"
#include "rules/move_application.h"
#include "rules/uci_move.h"

namespace quorvel {

bool endsInMate(const PrincipalLine& line) {
    return !line.moves.empty() && line.moves.back()[5] == '+' && line.moves.back()[6] == '+';
}

bool isScored(const PrincipalLine& line) {
    return !line.moves.empty() && (endsInMate(line) || std::abs(line.score) < kMateScore);
}

UciScore uciScoreOf(const PrincipalLine& line) {
    if (!endsInMate(line)) return {UciScore::Kind::centipawns, line.score};
    // The engine made the odd moves of the line: an odd length is its mate.
    const int plies = static_cast<int>(line.moves.size());
    return {UciScore::Kind::mate, plies % 2 == 1 ? (plies + 1) / 2 : -plies / 2};
}

std::string uciScore(const PrincipalLine& line) {
    return formatScore(uciScoreOf(line));
}

std::string uciLine(const Position& base, const PrincipalLine& line, bool playerIsBlack) {
    Position position = base;
    bool moverIsUpper = true;
    std::string text;
    for (const MoveText& move : line.moves) {
        const std::string uci = uciMoveOfText(position, move, moverIsUpper, playerIsBlack);
        if (uci.empty()) break;
        text += (text.empty() ? "" : " ") + uci;
        replayMoveText(position, move, moverIsUpper);
        moverIsUpper = !moverIsUpper;
    }
    return text;
}

std::string formatInfo(const InfoSnapshot& info, const Position& base, bool playerIsBlack) {
    const long long ms = info.time.count();
    const int selDepth =
        std::max({info.depth, info.depth + info.secondaryDepth, static_cast<int>(info.line.moves.size())});
    UciInfo line;
    line.depth = std::max(1, info.depth);
    line.selDepth = std::max(1, selDepth);
    const std::string pv = uciLine(base, info.line, playerIsBlack);
    if (!pv.empty() && isScored(info.line)) line.score = uciScoreOf(info.line);
    line.nodes = info.nodes;
    if (ms > 0) line.nps = static_cast<std::uint64_t>(info.nodes) * 1000 / static_cast<std::uint64_t>(ms);
    line.timeMs = ms;
    for (std::size_t at = 0; at < pv.size();) {
        const std::size_t blank = std::min(pv.find(' ', at), pv.size());
        line.pv.push_back(pv.substr(at, blank - at));
        at = blank + 1;
    }
    return formatInfoLine(line);
}

}  // namespace quorvel
