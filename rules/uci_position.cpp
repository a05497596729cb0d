#include "uci_position.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <variant>
#include <vector>

#include "fen.h"
#include "move_recording.h"
#include "perft.h"
#include "record_positions.h"
#include "uci_move.h"

namespace quorvel {

namespace {

std::vector<std::string> words(std::string_view text) {
    std::istringstream stream{std::string(text)};
    std::vector<std::string> result;
    for (std::string word; stream >> word;) result.push_back(word);
    return result;
}

// A long game's move number would not fit the record. Past move 100 the
// evaluation no longer looks at the number, so it is brought down to 100.
std::string withMoveNumberInRange(std::vector<std::string> fields) {
    constexpr int kHighest = 100;
    if (fields.size() >= 6) {
        int number = 0;
        const std::string& field = fields[5];
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
        const bool tooLarge =
            error == std::errc::result_out_of_range ||
            (error == std::errc() && end == field.data() + field.size() && number > kHighest);
        if (tooLarge) fields[5] = std::to_string(kHighest);
    }
    std::string fen;
    for (const std::string& field : fields) fen += (fen.empty() ? "" : " ") + field;
    return fen;
}

struct Request {
    std::string fen;
    std::vector<std::string> moves;
    bool startpos = false;
};

std::variant<Request, std::string> readRequest(std::string_view arguments) {
    const std::vector<std::string> w = words(arguments);
    Request request;
    std::size_t i = 0;
    if (!w.empty() && w[0] == "startpos") {
        request.fen = kStartFen;
        request.startpos = true;
        i = 1;
    } else if (!w.empty() && w[0] == "fen") {
        std::vector<std::string> fields;
        for (i = 1; i < w.size() && w[i] != "moves"; ++i) fields.push_back(w[i]);
        request.fen = withMoveNumberInRange(fields);
    } else {
        return std::string("position needs 'startpos' or 'fen'");
    }
    if (i < w.size() && w[i] != "moves") return "unexpected '" + w[i] + "' after the start position";
    if (i < w.size()) request.moves.assign(w.begin() + static_cast<std::ptrdiff_t>(i) + 1, w.end());
    return request;
}

// The record with the side to move on the chosen side of the board; a
// position no game can reach is refused, as everywhere a user gives one.
std::variant<FenSetup, std::string> startRecord(const std::string& fen, bool whiteIsUpper) {
    auto parsed = parseLegalFen(fen, whiteIsUpper ? FenOrientation::blackLower : FenOrientation::whiteLower);
    if (const auto* error = std::get_if<FenError>(&parsed)) return "bad FEN: " + error->message;
    return std::get<FenSetup>(std::move(parsed));
}

// A FEN of the initial position, move number 1 included.
bool isInitialPosition(const FenSetup& setup, bool whiteIsUpper) {
    const auto start = std::get<FenSetup>(startRecord(kStartFen, whiteIsUpper));
    return setup.record.plyCount == 0 && setup.whiteToMove && start.record.current == setup.record.current;
}

// Plays the moves on the record; returns how many were legal.
std::size_t playMoves(GameRecord& record, const std::vector<std::string>& moves, int& dropped) {
    std::size_t played = 0;
    for (const std::string& text : moves) {
        if (!playUciMove(record, text, dropped)) break;
        ++played;
    }
    return played;
}

}  // namespace

bool playUciMove(GameRecord& record, std::string_view text, int& dropped) {
    // White is the upper side exactly when the board is held for a player with Black.
    const bool upperToMove = (record.plyCount % 2 == 0) == record.playerIsBlack;
    const auto move = findUciMove(record.current, record.state, upperToMove, record.playerIsBlack, text);
    if (!move) return false;
    // Keep room for this move and the engine's answer.
    if (record.plyCount >= GameRecord::kCapacity - 1) {
        dropOldestHalfMoves(record, 2);
        dropped += 2;
    }
    // The move on the chess board, White below, as a game records it.
    LegalMove chessMove = *move;
    if (record.playerIsBlack) {
        chessMove.fromY = 9 - chessMove.fromY;
        chessMove.toY = 9 - chessMove.toY;
    }
    return recordChessMove(record, chessMove, upperToMove);
}

void dropOldestHalfMoves(GameRecord& record, int count) {
    count = std::clamp(count, 0, record.recordLength);
    const auto n = static_cast<std::ptrdiff_t>(count);
    std::move(record.moves.begin() + n, record.moves.end(), record.moves.begin());
    std::move(record.history.begin() + n, record.history.end(), record.history.begin());
    std::fill(record.moves.end() - n, record.moves.end(), MoveText{});
    std::fill(record.history.end() - n, record.history.end(), Position{});
    record.plyCount = std::max(0, record.plyCount - count);
    record.recordLength -= count;
}

UciPositionResult setUpUciPosition(std::string_view arguments) {
    UciPositionResult result;
    const auto request = readRequest(arguments);
    if (const auto* problem = std::get_if<std::string>(&request)) {
        result.problem = *problem;
        return result;
    }
    const Request& r = std::get<Request>(request);

    // A first run finds how many moves are legal, hence who is to move at
    // the end; the second sets the board up with that side on top.
    auto trial = startRecord(r.fen, false);
    if (const auto* problem = std::get_if<std::string>(&trial)) {
        result.problem = *problem;
        return result;
    }
    const bool whiteStarts = std::get<FenSetup>(trial).whiteToMove;
    int dropped = 0;
    const std::size_t legal = playMoves(std::get<FenSetup>(trial).record, r.moves, dropped);
    if (legal < r.moves.size())
        result.problem = "illegal move '" + r.moves[legal] + "': the moves from there on are left out";

    UciPosition position;
    position.engineIsWhite = whiteStarts == (legal % 2 == 0);
    auto setup = std::get<FenSetup>(startRecord(r.fen, position.engineIsWhite));
    position.fromInitialPosition = r.startpos || isInitialPosition(setup, position.engineIsWhite);
    position.record = std::make_unique<GameRecord>(std::move(setup.record));
    const std::vector<std::string> legalMoves(r.moves.begin(),
                                              r.moves.begin() + static_cast<std::ptrdiff_t>(legal));
    playMoves(*position.record, legalMoves, position.droppedHalfMoves);
    result.position = std::move(position);
    return result;
}

std::optional<UciGameText> uciGameOf(const GameRecord& record, int ply) {
    const int start = setupPly(record);
    ply = std::clamp(ply, start, std::max(start, std::min(record.recordLength, GameRecord::kCapacity)));
    UciGameText game;
    // A game with moves starts from the initial position or from its set-up
    // one; a game without any is its live position.
    if (start > 0 || record.recordLength == 0) {
        auto setup = std::make_unique<GameRecord>(record);
        setup->plyCount = start;
        const std::string fen = formatFen(*setup);
        if (fen != kStartFen) game.fen = fen;
    }
    auto moves = uciMovesOf(record, start, ply);
    if (!moves) return std::nullopt;
    game.moves = std::move(*moves);
    return game;
}

std::optional<std::vector<std::string>> uciMovesOf(const GameRecord& record, int from, int to) {
    std::vector<std::string> moves;
    ChessPosition after = positionAtPly(record, from);
    for (int p = from; p < to; ++p) {
        const ChessPosition before = after;
        after = positionAtPly(record, p + 1);
        const auto move = legalMoveBetween(before.board, before.state, !before.whiteToMove, after.board);
        if (!move) return std::nullopt;
        // A chess board: White below, rows equal to ranks.
        moves.push_back(uciMoveOf(*move, false));
    }
    return moves;
}

}  // namespace quorvel
