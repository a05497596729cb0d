#include "match/match_pgn.h"

#include <cstdio>
#include <vector>

#include "storage/pgn_export.h"

namespace quorvel {

namespace {

// A comment may hold anything but its own braces.
std::string commentToken(const std::string& text) {
    std::string token = "{";
    for (char c : text) {
        if (c != '{' && c != '}') token += c;
    }
    return token + "}";
}

}  // namespace

std::string moveComment(const UciInfo& info, std::chrono::milliseconds elapsed) {
    char text[64];
    std::string comment;
    if (info.score) {
        if (info.score->kind == UciScore::Kind::mate) {
            std::snprintf(text, sizeof text, "%sM%d", info.score->value < 0 ? "-" : "+",
                          info.score->value < 0 ? -info.score->value : info.score->value);
        } else {
            std::snprintf(text, sizeof text, "%+.2f", info.score->value / 100.0);
        }
        comment = text;
        if (info.depth) comment.append("/").append(std::to_string(*info.depth));
        comment += ' ';
    }
    std::snprintf(text, sizeof text, "%.2fs", static_cast<double>(elapsed.count()) / 1000.0);
    return comment + text;
}

std::string matchGamePgn(const MatchGame& game, const Verdict& verdict, const MatchPgnTags& tags) {
    const std::string result = resultToken(verdict.result);
    std::string text = pgnTagLine("Event", tags.event) + pgnTagLine("Site", tags.site) +
                       pgnTagLine("Date", tags.date) + pgnTagLine("Round", std::to_string(tags.round)) +
                       pgnTagLine("White", tags.white) + pgnTagLine("Black", tags.black) +
                       pgnTagLine("Result", result);
    if (!game.startFen().empty()) text += pgnTagLine("SetUp", "1") + pgnTagLine("FEN", game.startFen());
    text += pgnTagLine("PlyCount", std::to_string(game.moves().size()));
    text += pgnTagLine("Termination", terminationTag(verdict.reason));

    std::vector<std::string> tokens;
    const int firstPly = (game.firstMoveNumber() - 1) * 2 + (game.blackStarts() ? 1 : 0);
    bool afterComment = false;
    for (std::size_t i = 0; i < game.sanMoves().size(); ++i) {
        const int ply = firstPly + static_cast<int>(i);
        const std::string number = std::to_string(ply / 2 + 1);
        // Black's move carries its number at the start and after a comment.
        if (ply % 2 == 0) {
            tokens.push_back(number + ".");
        } else if (i == 0 || afterComment) {
            tokens.push_back(number + "...");
        }
        tokens.push_back(game.sanMoves()[i]);
        afterComment = !game.comments()[i].empty();
        if (afterComment) tokens.push_back(commentToken(game.comments()[i]));
    }
    tokens.push_back(commentToken(verdictSentence(verdict)));
    tokens.push_back(result);
    return text + "\n" + pgnWrapped(tokens) + "\n";
}

}  // namespace quorvel
