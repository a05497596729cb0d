#include "match/match_openings.h"

#include <charconv>

#include "match/match_game.h"
#include "storage/pgn_reader.h"
#include "uci/uci_words.h"

namespace quorvel {

namespace {

bool isNumber(std::string_view word) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

// A PGN file opens with a tag or a move number; a FEN never does.
bool looksLikePgn(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (first == std::string_view::npos) return false;
    if (text[first] == '[') return true;
    const UciWords words(text.substr(first, text.find('\n', first) - first));
    return words.size() > 0 && words[0].size() >= 2 && words[0].back() == '.' &&
           isNumber(words[0].substr(0, words[0].size() - 1));
}

std::variant<std::vector<Opening>, std::string> readFenLines(std::string_view text) {
    std::vector<Opening> openings;
    int lineNumber = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        const UciWords words(line);
        if (words.size() == 0 || words[0].front() == '#') continue;
        // Six fields when the last two are the clocks; an EPD's four, its operations left out.
        const std::size_t fields = words.size() >= 6 && isNumber(words[4]) && isNumber(words[5]) ? 6 : 4;
        const std::string fen(words.span(0, std::min(fields, words.size())));
        const auto game = MatchGame::start(fen);
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (const auto* problem = std::get_if<std::string>(&game)) return where + *problem;
        if (std::get<MatchGame>(game).adjudicate(0)) return where + "the game is over in that position";
        openings.push_back({fen, {}});
    }
    return openings;
}

std::variant<std::vector<Opening>, std::string> readPgnOpenings(std::string_view text,
                                                                std::optional<int> plies) {
    std::vector<Opening> openings;
    const std::vector<PgnGameText> games = readPgnGames(text);
    for (std::size_t g = 0; g < games.size(); ++g) {
        const PgnGameText& pgn = games[g];
        const std::string where = "game " + std::to_string(g + 1) + ": ";
        if (!pgn.problem.empty()) return where + pgn.problem;
        Opening opening;
        opening.fen = pgn.tag("FEN");
        auto started = MatchGame::start(opening.fen);
        if (const auto* problem = std::get_if<std::string>(&started)) return where + *problem;
        MatchGame& game = std::get<MatchGame>(started);
        for (const std::string& san : pgn.moves) {
            if (plies && static_cast<int>(opening.moves.size()) >= *plies) break;
            const auto move = game.uciOfSan(san);
            if (!move || !game.play(*move)) return where + "the move '" + san + "' is not legal";
            opening.moves.push_back(*move);
        }
        if (game.adjudicate(0)) return where + "the game is over after its moves";
        openings.push_back(std::move(opening));
    }
    return openings;
}

}  // namespace

std::variant<std::vector<Opening>, std::string> readOpenings(std::string_view text,
                                                             std::optional<int> plies) {
    auto read = looksLikePgn(text) ? readPgnOpenings(text, plies) : readFenLines(text);
    if (const auto* openings = std::get_if<std::vector<Opening>>(&read); openings && openings->empty())
        return std::string("no opening to play");
    return read;
}

}  // namespace quorvel
