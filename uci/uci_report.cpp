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

std::string uciScore(const PrincipalLine& line) {
    if (!endsInMate(line)) return "cp " + std::to_string(line.score);
    // The engine made the odd moves of the line: an odd length is its mate.
    const int plies = static_cast<int>(line.moves.size());
    return "mate " + std::to_string(plies % 2 == 1 ? (plies + 1) / 2 : -plies / 2);
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
    std::string text = "info depth " + std::to_string(std::max(1, info.depth)) + " seldepth " +
                       std::to_string(std::max(1, selDepth));
    const std::string pv = uciLine(base, info.line, playerIsBlack);
    if (!pv.empty() && isScored(info.line)) text += " score " + uciScore(info.line);
    text += " nodes " + std::to_string(info.nodes);
    if (ms > 0) text += " nps " + std::to_string(static_cast<long long>(info.nodes) * 1000 / ms);
    text += " time " + std::to_string(ms);
    if (!pv.empty()) text += " pv " + pv;
    return text;
}

}  // namespace quorvel
