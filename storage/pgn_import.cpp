#include "storage/pgn_import.h"

#include <charconv>
#include <memory>
#include <variant>

#include "rules/fen.h"
#include "rules/move_application.h"
#include "rules/move_recording.h"
#include "rules/record_positions.h"
#include "rules/san.h"
#include "storage/pgn_players.h"

namespace quorvel {

namespace {

std::string inGame(int gameNumber) {
    return " dans la partie " + std::to_string(gameNumber);
}

// "23." for White's move, "23..." for Black's, numbered as the file numbers them.
std::string moveNumber(int ply) {
    return std::to_string(ply / 2 + 1) + (ply % 2 == 0 ? "." : "...");
}

// Sets `record` up at the game's start; `numberedFrom` is the half-move
// the file's move numbers start at, which its FEN gives.
std::optional<PgnImportError> startPosition(const PgnGameText& game, int gameNumber, GameRecord& record,
                                            int& numberedFrom) {
    const std::string fen = game.tag("FEN");
    numberedFrom = 0;
    if (fen.empty()) {
        newGame(record);
        return std::nullopt;
    }
    // The player holds the side to move, as after pasting the position.
    auto parsed = parseLegalFen(fen, FenOrientation::sideToMoveLower);
    if (const auto* error = std::get_if<FenError>(&parsed))
        return PgnImportError{"Position de départ invalide" + inGame(gameNumber) + " : " + error->message};
    record = std::get<FenSetup>(parsed).record;
    numberedFrom = record.plyCount;
    keepSetupInHistory(record);
    return std::nullopt;
}

// The live board goes to the human's side when the human is to move.
void handLiveBoard(GameRecord& record, PlayerRoles roles) {
    const bool whiteToMove = record.plyCount % 2 == 0;
    const bool moverIsProgram = whiteToMove ? roles.whiteIsProgram : roles.blackIsProgram;
    holdLiveBoardFor(record, whiteToMove == moverIsProgram);
}

}  // namespace

std::optional<int> readTimeTag(const std::string& value) {
    long total = 0;
    int parts = 0;
    std::size_t at = 0;
    while (at <= value.size() && parts < 3) {
        const std::size_t end = std::min(value.find(':', at), value.size());
        int part = 0;
        const auto [stop, error] = std::from_chars(value.data() + at, value.data() + end, part);
        if (error != std::errc() || stop != value.data() + end || part < 0) return std::nullopt;
        total = total * 60 + part;
        ++parts;
        at = end + 1;
    }
    if (at <= value.size() || total > 9999999) return std::nullopt;
    return static_cast<int>(total);
}

std::string timeTagText(int seconds) {
    auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return std::to_string(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60);
}

std::optional<PgnImportError> importPgnGame(const PgnGameText& game, int gameNumber, GameRecord& out) {
    if (!game.problem.empty()) return PgnImportError{game.problem + inGame(gameNumber)};
    auto record = std::make_unique<GameRecord>();
    int numberedFrom = 0;
    if (auto error = startPosition(game, gameNumber, *record, numberedFrom)) return error;
    const int firstPly = record->plyCount;
    if (firstPly + static_cast<long>(game.moves.size()) > GameRecord::kCapacity) {
        return PgnImportError{"La partie " + std::to_string(gameNumber) + " compte plus de " +
                              std::to_string(GameRecord::kCapacity) +
                              " demi-coups : elle ne peut pas être importée"};
    }
    const PlayerRoles roles = rolesFromTags(game);
    for (std::size_t i = 0; i < game.moves.size(); ++i) {
        const std::string& token = game.moves[i];
        const ChessPosition before = positionAtPly(*record, record->plyCount);
        const auto read = readSan(before.board, before.state, before.whiteToMove, token);
        // Messages number the moves as the file does.
        const std::string where =
            moveNumber(numberedFrom + static_cast<int>(i)) + " " + frenchLetters(token) + inGame(gameNumber);
        if (const auto* error = std::get_if<SanError>(&read)) {
            switch (*error) {
                case SanError::unreadable:
                    return PgnImportError{"Coup illisible " + where};
                case SanError::ambiguous:
                    return PgnImportError{"Coup ambigu " + where};
                case SanError::illegal:
                    break;
            }
            return PgnImportError{"Coup illégal " + where};
        }
        const bool byProgram = before.whiteToMove ? roles.whiteIsProgram : roles.blackIsProgram;
        if (!recordChessMove(*record, std::get<LegalMove>(read), byProgram))
            return PgnImportError{"Coup illégal " + where};
    }
    for (auto [tag, clock] :
         {std::pair{"WhiteTimeUsed", &record->whiteClock}, std::pair{"BlackTimeUsed", &record->blackClock}}) {
        if (const auto seconds = readTimeTag(game.tag(tag))) *clock = *seconds;
    }
    handLiveBoard(*record, roles);
    out = *record;
    return std::nullopt;
}

}  // namespace quorvel
