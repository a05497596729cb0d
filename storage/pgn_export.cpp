#include "storage/pgn_export.h"

#include <algorithm>
#include <vector>

#include "rules/fen.h"
#include "rules/game_outcome.h"
#include "rules/perft.h"
#include "rules/record_positions.h"
#include "rules/san.h"
#include "storage/pgn_import.h"

namespace quorvel {

namespace {

constexpr std::size_t kLineWidth = 80;

}  // namespace

std::string pgnTagLine(const std::string& name, const std::string& value) {
    std::string escaped;
    for (char c : value) {
        if (c == '\\' || c == '"') escaped += '\\';
        // A tag stays on its line.
        escaped += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    }
    return "[" + name + " \"" + escaped + "\"]\n";
}

std::string pgnWrapped(const std::vector<std::string>& tokens) {
    std::string text, line;
    for (const std::string& token : tokens) {
        if (!line.empty() && line.size() + 1 + token.size() > kLineWidth) {
            text += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + token;
    }
    return text + line + "\n";
}

std::variant<std::string, PgnExportError> exportPgn(const GameRecord& record,
                                                    const PgnExportOptions& options) {
    const int start = setupPly(record);
    const int end = std::clamp(record.plyCount, start, GameRecord::kCapacity);
    std::vector<std::string> tokens;
    ChessPosition after = positionAtPly(record, start);
    for (int ply = start; ply < end; ++ply) {
        const ChessPosition before = after;
        after = positionAtPly(record, ply + 1);
        const auto move = legalMoveBetween(before.board, before.state, !before.whiteToMove, after.board);
        if (!move) {
            return PgnExportError{"Le coup " + std::to_string(ply / 2 + 1) + (ply % 2 == 0 ? "." : "...") +
                                  " ne mène pas à la position suivante : la partie est endommagée"};
        }
        if (ply % 2 == 0) {
            tokens.push_back(std::to_string(ply / 2 + 1) + ".");
        } else if (ply == start) {
            tokens.push_back(std::to_string(ply / 2 + 1) + "...");
        }
        tokens.push_back(sanOf(before.board, before.state, before.whiteToMove, *move));
    }
    // The result of the position shown, not of moves stepped back over.
    GameRecord shown = record;
    shown.plyCount = end;
    const std::string result = resultToken(gameResult(shown));
    tokens.push_back(result);

    const PlayerRoles roles = rolesFromRecord(record, options.fallbackRoles);
    auto name = [&](bool program) { return program ? std::string(kProgramName) : options.humanName; };
    auto type = [](bool program) { return std::string(program ? "program" : "human"); };
    std::string text = pgnTagLine("Event", "Partie Quorvel") + pgnTagLine("Site", "?") +
                       pgnTagLine("Date", options.date) + pgnTagLine("Round", "-") +
                       pgnTagLine("White", name(roles.whiteIsProgram)) +
                       pgnTagLine("Black", name(roles.blackIsProgram)) + pgnTagLine("Result", result);
    if (start > 0) {
        GameRecord setup = record;
        setup.plyCount = start;
        text += pgnTagLine("SetUp", "1") + pgnTagLine("FEN", formatFen(setup));
    }
    text += pgnTagLine("WhiteType", type(roles.whiteIsProgram)) +
            pgnTagLine("BlackType", type(roles.blackIsProgram));
    if (record.whiteClock > 0) text += pgnTagLine("WhiteTimeUsed", timeTagText(record.whiteClock));
    if (record.blackClock > 0) text += pgnTagLine("BlackTimeUsed", timeTagText(record.blackClock));
    return text + "\n" + pgnWrapped(tokens) + "\n";
}

}  // namespace quorvel
