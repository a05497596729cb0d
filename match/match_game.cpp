#include "match/match_game.h"

#include <charconv>

#include "rules/game_end.h"
#include "rules/perft.h"
#include "rules/san.h"
#include "rules/uci_move.h"
#include "rules/uci_position.h"

namespace quorvel {

namespace {

// The live position on the chess board: White below, rows the ranks.
struct ChessBoard {
    Position board;
    StateWord state;
    bool whiteToMove;
};

ChessBoard liveBoard(const GameRecord& record) {
    ChessBoard live{record.current, 0, record.plyCount % 2 == 0};
    if (record.playerIsBlack) mirrorPosition(live.board);
    live.board[0] = 0;
    live.state = packState(live.board, 0);
    return live;
}

std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return result;
}

// The FEN's fields 2 and 6: who starts, and the number of the first move.
void readFenNumbers(const std::string& fen, bool& blackStarts, int& firstMove) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (at < fen.size()) {
        const std::size_t start = fen.find_first_not_of(' ', at);
        if (start == std::string::npos) break;
        const std::size_t end = std::min(fen.find(' ', start), fen.size());
        fields.push_back(fen.substr(start, end - start));
        at = end;
    }
    blackStarts = fields.size() > 1 && fields[1] == "b";
    if (fields.size() > 5) {
        int number = 0;
        const auto [end, error] =
            std::from_chars(fields[5].data(), fields[5].data() + fields[5].size(), number);
        if (error == std::errc() && end == fields[5].data() + fields[5].size() && number >= 1)
            firstMove = number;
    }
}

}  // namespace

const char* gameEndName(GameEnd end) {
    switch (end) {
        case GameEnd::checkmate:
            return "checkmate";
        case GameEnd::stalemate:
            return "stalemate";
        case GameEnd::repetition:
            return "threefold repetition";
        case GameEnd::fiftyMoves:
            return "fifty-move rule";
        case GameEnd::insufficientMaterial:
            return "insufficient material";
        case GameEnd::moveCap:
            return "move cap";
        case GameEnd::illegalMove:
            return "illegal move";
        case GameEnd::engineStopped:
            return "engine stopped";
        case GameEnd::timeout:
            return "timeout";
        case GameEnd::notAnswering:
            return "engine not answering";
        case GameEnd::aborted:
            break;
    }
    return "aborted";
}

const char* terminationTag(GameEnd end) {
    switch (end) {
        case GameEnd::checkmate:
        case GameEnd::stalemate:
        case GameEnd::repetition:
        case GameEnd::fiftyMoves:
        case GameEnd::insufficientMaterial:
            return "normal";
        case GameEnd::moveCap:
            return "adjudication";
        case GameEnd::illegalMove:
            return "rules infraction";
        case GameEnd::timeout:
            return "time forfeit";
        case GameEnd::engineStopped:
        case GameEnd::notAnswering:
            return "abandoned";
        case GameEnd::aborted:
            break;
    }
    return "unterminated";
}

std::string verdictSentence(const Verdict& v) {
    const std::string winner = v.result == GameResult::whiteWins ? "White" : "Black";
    const std::string loser = v.result == GameResult::whiteWins ? "Black" : "White";
    switch (v.reason) {
        case GameEnd::checkmate:
            return winner + " mates";
        case GameEnd::stalemate:
            return "Stalemate";
        case GameEnd::repetition:
            return "Draw by threefold repetition";
        case GameEnd::fiftyMoves:
            return "Draw by the fifty-move rule";
        case GameEnd::insufficientMaterial:
            return "Draw by insufficient material";
        case GameEnd::moveCap:
            return "Draw at the move cap";
        case GameEnd::illegalMove:
            return loser + "'s engine made an illegal move" + (v.detail.empty() ? "" : ": " + v.detail);
        case GameEnd::engineStopped:
            return loser + "'s engine stopped";
        case GameEnd::timeout:
            return loser + "'s engine found no move in time";
        case GameEnd::notAnswering:
            return loser + "'s engine did not answer";
        case GameEnd::aborted:
            break;
    }
    return "The game could not go on" + (v.detail.empty() ? "" : ": " + v.detail);
}

MatchGame::MatchGame() = default;
MatchGame::MatchGame(MatchGame&&) noexcept = default;
MatchGame& MatchGame::operator=(MatchGame&&) noexcept = default;
MatchGame::~MatchGame() = default;

std::variant<MatchGame, std::string> MatchGame::start(const std::string& fen) {
    UciPositionResult setUp = setUpUciPosition(fen.empty() ? "startpos" : "fen " + fen);
    if (!setUp.position || !setUp.problem.empty()) return setUp.problem;
    MatchGame game;
    game.startFen_ = fen;
    readFenNumbers(fen, game.blackStarts_, game.firstMoveNumber_);
    game.record_ = std::move(setUp.position->record);
    return game;
}

bool MatchGame::whiteToMove() const {
    return record_->plyCount % 2 == 0;
}

bool MatchGame::play(std::string_view uciMove, std::string comment) {
    const ChessBoard live = liveBoard(*record_);
    const std::string text = lowered(uciMove);
    const auto move = findUciMove(live.board, live.state, !live.whiteToMove, false, text);
    // The rules' reader takes a promotion without its piece for a queen; an
    // engine must name it.
    if (!move || uciMoveOf(*move, false) != text) return false;
    const std::string san = sanOf(live.board, live.state, live.whiteToMove, *move);
    int dropped = 0;
    if (!playUciMove(*record_, text, dropped)) return false;
    moves_.push_back(text);
    san_.push_back(san);
    comments_.push_back(std::move(comment));
    return true;
}

std::vector<std::string> MatchGame::legalMoves() const {
    const ChessBoard live = liveBoard(*record_);
    std::vector<std::string> moves;
    for (const LegalMove& move : quorvel::legalMoves(live.board, live.state, !live.whiteToMove))
        moves.push_back(uciMoveOf(move, false));
    return moves;
}

std::optional<std::string> MatchGame::uciOfSan(std::string_view san) const {
    const ChessBoard live = liveBoard(*record_);
    const auto read = readSan(live.board, live.state, live.whiteToMove, san);
    if (const auto* move = std::get_if<LegalMove>(&read)) return uciMoveOf(*move, false);
    return std::nullopt;
}

std::optional<Verdict> MatchGame::adjudicate(int maxMoves) const {
    const GameResult result = gameResult(*record_);
    if (result != GameResult::ongoing) {
        const ChessBoard live = liveBoard(*record_);
        if (!hasLegalMove(live.board, live.state, !live.whiteToMove)) {
            const bool mated = isInCheck(live.board, live.state, !live.whiteToMove);
            return Verdict{result, mated ? GameEnd::checkmate : GameEnd::stalemate, {}};
        }
        switch (drawReason(*record_)) {
            case DrawReason::repetition:
                return Verdict{result, GameEnd::repetition, {}};
            case DrawReason::fiftyMoves:
                return Verdict{result, GameEnd::fiftyMoves, {}};
            case DrawReason::insufficientMaterial:
                return Verdict{result, GameEnd::insufficientMaterial, {}};
            case DrawReason::none:
                break;
        }
        return Verdict{result, GameEnd::aborted, "the rules' record is full"};
    }
    if (maxMoves > 0 && moves_.size() >= 2 * static_cast<std::size_t>(maxMoves))
        return Verdict{GameResult::draw, GameEnd::moveCap, {}};
    return std::nullopt;
}

Verdict MatchGame::forfeit(GameEnd reason, std::string detail) const {
    return {whiteToMove() ? GameResult::blackWins : GameResult::whiteWins, reason, std::move(detail)};
}

}  // namespace quorvel
