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

namespace {

// The review's words on the half-move `ply`; true when a comment or a
// variation was written.
bool addNote(std::vector<std::string>& tokens, const PgnMoveNote& note, int ply) {
    // Appended piece by piece: GCC 12 sees overlaps in a chain of string sums.
    if (note.nag > 0) tokens.push_back(std::string("$").append(std::to_string(note.nag)));
    if (!note.eval.empty()) tokens.push_back(std::string("{[%eval ").append(note.eval).append("]}"));
    if (!note.betterMove.empty()) {
        tokens.push_back(std::string("(").append(std::to_string(ply / 2 + 1)));
        tokens.back().append(ply % 2 == 0 ? ". " : "... ").append(note.betterMove).append(")");
    }
    return !note.eval.empty() || !note.betterMove.empty();
}

std::string setupTags(const GameRecord& record, int start) {
    if (start == 0) return {};
    GameRecord setup = record;
    setup.plyCount = start;
    return pgnTagLine("SetUp", "1") + pgnTagLine("FEN", formatFen(setup));
}

// The tags of a game read from PGN: the roster with its own values, then
// its other tags; what the export writes itself (the result, the set-up,
// the annotator) replaces theirs.
std::string sourceTagsText(const PgnExportOptions& options, const std::string& result,
                           const GameRecord& record, int start) {
    static constexpr const char* kRoster[] = {"Event", "Site", "Date", "Round", "White", "Black"};
    static constexpr const char* kOwn[] = {"Result", "SetUp", "FEN", "Annotator"};
    auto valueOf = [&](std::string_view name) -> std::string {
        for (const PgnTag& tag : options.sourceTags)
            if (tag.name == name) return tag.value;
        return "?";
    };
    auto among = [](const auto& names, std::string_view name) {
        return std::find(std::begin(names), std::end(names), name) != std::end(names);
    };
    std::string text;
    for (const char* name : kRoster) text += pgnTagLine(name, valueOf(name));
    text += pgnTagLine("Result", result);
    if (!options.annotator.empty()) text += pgnTagLine("Annotator", options.annotator);
    text += setupTags(record, start);
    for (const PgnTag& tag : options.sourceTags)
        if (!among(kRoster, tag.name) && !among(kOwn, tag.name)) text += pgnTagLine(tag.name, tag.value);
    return text;
}

}  // namespace

std::variant<std::string, PgnExportError> exportPgn(const GameRecord& record,
                                                    const PgnExportOptions& options) {
    const int start = setupPly(record);
    const int end = std::clamp(record.plyCount, start, GameRecord::kCapacity);
    std::vector<std::string> tokens;
    bool noted = false;  // the last move got a comment or a variation
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
        } else if (ply == start || noted) {
            // Black's move after a comment or a variation says its number again.
            tokens.push_back(std::to_string(ply / 2 + 1) + "...");
        }
        tokens.push_back(sanOf(before.board, before.state, before.whiteToMove, *move));
        noted = false;
        if (static_cast<std::size_t>(ply) < options.notes.size())
            noted = addNote(tokens, options.notes[static_cast<std::size_t>(ply)], ply);
    }
    // The result of the position shown, not of moves stepped back over.
    GameRecord shown = record;
    shown.plyCount = end;
    std::string result = resultToken(gameResult(shown));
    const bool known =
        options.sourceResult == "1-0" || options.sourceResult == "0-1" || options.sourceResult == "1/2-1/2";
    if (result == "*" && known && end == record.recordLength) result = options.sourceResult;
    tokens.push_back(result);
    if (!options.sourceTags.empty())
        return sourceTagsText(options, result, record, start) + "\n" + pgnWrapped(tokens) + "\n";

    const PlayerRoles roles = rolesFromRecord(record, options.fallbackRoles);
    auto name = [&](bool program) { return program ? std::string(kProgramName) : options.humanName; };
    auto type = [](bool program) { return std::string(program ? "program" : "human"); };
    std::string text = pgnTagLine("Event", "Partie Quorvel") + pgnTagLine("Site", "?") +
                       pgnTagLine("Date", options.date) + pgnTagLine("Round", "-") +
                       pgnTagLine("White", name(roles.whiteIsProgram)) +
                       pgnTagLine("Black", name(roles.blackIsProgram)) + pgnTagLine("Result", result);
    if (!options.annotator.empty()) text += pgnTagLine("Annotator", options.annotator);
    text += setupTags(record, start);
    text += pgnTagLine("WhiteType", type(roles.whiteIsProgram)) +
            pgnTagLine("BlackType", type(roles.blackIsProgram));
    if (record.whiteClock > 0) text += pgnTagLine("WhiteTimeUsed", timeTagText(record.whiteClock));
    if (record.blackClock > 0) text += pgnTagLine("BlackTimeUsed", timeTagText(record.blackClock));
    return text + "\n" + pgnWrapped(tokens) + "\n";
}

}  // namespace quorvel
