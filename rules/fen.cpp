#include "fen.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <vector>

#include "board_checks.h"
#include "move_application.h"
#include "move_validity.h"
#include "record_positions.h"

namespace quorvel {

namespace {

std::vector<std::string> splitFields(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> fields;
    for (std::string field; stream >> field;) fields.push_back(field);
    return fields;
}

// White is the lower side while the board is being read.
std::int8_t pieceCode(char letter) {
    static const std::string kLetters = "KQRNBPkqrnbp";
    static constexpr std::int8_t kCodes[] = {kLowerKing,   kLowerQueen,  kLowerRook,   kLowerKnight,
                                             kLowerBishop, kLowerPawn,   kUpperKing,   kUpperQueen,
                                             kUpperRook,   kUpperKnight, kUpperBishop, kUpperPawn};
    const auto at = kLetters.find(letter);
    return at == std::string::npos ? std::int8_t{0} : kCodes[at];
}

char pieceLetter(int code) {
    if (code == 0) return 0;
    const char letter = "kqrnbp"[pieceKind(code) - 1];
    return isLowerPiece(code) ? static_cast<char>(letter - 'a' + 'A') : letter;
}

std::string quoted(const std::string& text) {
    return "\u00AB " + text + " \u00BB";
}

std::optional<std::string> readBoard(const std::string& field, Position& position) {
    int x = 1, y = 8;
    for (char c : field) {
        if (c == '/') {
            if (x != 9) return "la rangée " + std::to_string(y) + " n'a pas 8 cases";
            if (--y < 1) return std::string("l'échiquier a plus de 8 rangées");
            x = 1;
        } else if (c >= '1' && c <= '8') {
            x += c - '0';
            if (x > 9) return "la rangée " + std::to_string(y) + " a plus de 8 cases";
        } else if (std::int8_t code = pieceCode(c); code != 0) {
            if (x > 8) return "la rangée " + std::to_string(y) + " a plus de 8 cases";
            position.at(x++, y) = code;
        } else {
            return "caractère inattendu " + quoted(std::string(1, c)) + " dans l'échiquier";
        }
    }
    if (y != 1 || x != 9) return std::string("l'échiquier n'a pas 8 rangées de 8 cases");
    return std::nullopt;
}

// One king a side and no pawn on the first or last rank: the rules need
// them. White is the lower side.
std::optional<std::string> boardProblem(const Position& position) {
    switch (kingsAndPawnsFault(position)) {
        case BoardFault::pawnOnBackRow:
            return "un pion se trouve sur la première ou la dernière rangée";
        case BoardFault::lowerKingMissing:
            return "les Blancs n'ont pas de roi";
        case BoardFault::lowerKingsExtra:
            return "les Blancs ont plus d'un roi";
        case BoardFault::upperKingMissing:
            return "les Noirs n'ont pas de roi";
        case BoardFault::upperKingsExtra:
            return "les Noirs ont plus d'un roi";
        case BoardFault::none:
            break;
    }
    return std::nullopt;
}

// More men than a game can have. White is the lower side.
std::optional<std::string> materialProblem(const Position& position) {
    int pieces[2] = {0, 0}, pawns[2] = {0, 0};  // [0] White, [1] Black
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            const int code = position.at(x, y);
            if (code == 0) continue;
            const int side = isLowerPiece(code) ? 0 : 1;
            ++pieces[side];
            pawns[side] += code == kLowerPawn || code == kUpperPawn;
        }
    }
    static const char* const kSides[] = {"les Blancs", "les Noirs"};
    for (int side = 0; side < 2; ++side) {
        if (pieces[side] > 16) return std::string(kSides[side]) + " ont plus de 16 pièces";
        if (pawns[side] > 8) return std::string(kSides[side]) + " ont plus de 8 pions";
    }
    return std::nullopt;
}

std::optional<std::string> kingsProblem(const Position& position, StateWord state, bool whiteToMove) {
    if (kingsTouch(position)) return std::string("les deux rois se touchent");
    // The side that has just moved can't have left its king attacked.
    if (kingAttacked(position, state, 0, 0, 0, 0, 0, 0, 0, 0, whiteToMove))
        return std::string(whiteToMove ? "les Noirs sont en échec alors que les Blancs ont le trait"
                                       : "les Blancs sont en échec alors que les Noirs ont le trait");
    return std::nullopt;
}

std::optional<std::string> readCastling(const std::string& field, Position& position) {
    bool rights[4] = {false, false, false, false};  // K Q k q
    if (field != "-") {
        for (char c : field) {
            const std::string letters = "KQkq";
            const auto index = letters.find(c);
            if (index == std::string::npos) return "droits de roque invalides " + quoted(field);
            rights[index] = true;
        }
    }
    // White is the lower side here.
    position[kLowerRookHMovedCell] = !rights[0];
    position[kLowerRookAMovedCell] = !rights[1];
    position[kUpperRookHMovedCell] = !rights[2];
    position[kUpperRookAMovedCell] = !rights[3];
    position[kLowerKingMovedCell] = !rights[0] && !rights[1];
    position[kUpperKingMovedCell] = !rights[2] && !rights[3];
    return std::nullopt;
}

std::optional<std::string> readPassant(const std::string& field, bool whiteToMove, Position& position) {
    if (field == "-") return std::nullopt;
    const char rank = whiteToMove ? '6' : '3';
    if (field.size() != 2 || field[0] < 'a' || field[0] > 'h' || field[1] != rank)
        return "case en passant invalide " + quoted(field);
    // The side that has just moved made the double step.
    position[whiteToMove ? kUpperDoubleStepFileCell : kLowerDoubleStepFileCell] =
        static_cast<std::int8_t>(field[0] - 'a' + 1);
    return std::nullopt;
}

// The en-passant square lies behind a pawn of the side that has just moved,
// and both squares that pawn has just crossed, the en-passant square and the
// one it started from, are empty. White is the lower side.
std::optional<std::string> passantProblem(const Position& position, bool whiteToMove) {
    const int x = whiteToMove ? position[kUpperDoubleStepFileCell] : position[kLowerDoubleStepFileCell];
    if (x < 1 || x > 8) return std::nullopt;
    const int start = whiteToMove ? 7 : 2, behind = whiteToMove ? 6 : 3, pawnRow = whiteToMove ? 5 : 4;
    const std::int8_t pawn = whiteToMove ? kUpperPawn : kLowerPawn;
    if (position.at(x, pawnRow) == pawn && position.at(x, behind) == 0 && position.at(x, start) == 0)
        return std::nullopt;
    const std::string square{static_cast<char>('a' + x - 1), static_cast<char>('0' + behind)};
    return "la case en passant " + square + " ne suit pas le pas double d'un pion";
}

std::optional<int> readNumber(const std::string& field) {
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
    return value;
}

std::string boardText(const Position& board) {
    std::string text;
    for (int rank = 8; rank >= 1; --rank) {
        int empty = 0;
        for (int file = 1; file <= 8; ++file) {
            const char c = pieceLetter(board.at(file, rank));
            if (c == 0) {
                ++empty;
                continue;
            }
            if (empty) text += static_cast<char>('0' + empty);
            empty = 0;
            text += c;
        }
        if (empty) text += static_cast<char>('0' + empty);
        if (rank > 1) text += '/';
    }
    return text;
}

std::string castlingText(const Position& board, StateWord state) {
    const int rights = castlingRights(board, state);
    std::string text;
    for (int bit = 0; bit < 4; ++bit)
        if (rights & (1 << bit)) text += "KQkq"[bit];
    return text.empty() ? "-" : text;
}

bool isInitialSetup(const GameRecord& record) {
    Position initial{};
    setInitialPosition(initial);
    return record.plyCount == 0 && !record.playerIsBlack && record.current == initial;
}

}  // namespace

std::variant<FenSetup, FenError> parseFen(const std::string& fen, FenOrientation orientation) {
    const std::vector<std::string> fields = splitFields(fen);
    if (fields.empty()) return FenError{"la FEN est vide"};
    if (fields.size() < 2 || fields.size() > 6) return FenError{"une FEN a de 2 à 6 champs"};
    FenSetup setup;
    Position& position = setup.record.current;
    if (auto error = readBoard(fields[0], position)) return FenError{*error};
    if (auto error = boardProblem(position)) return FenError{*error};
    if (fields[1] != "w" && fields[1] != "b")
        return FenError{"le trait doit être " + quoted("w") + " ou " + quoted("b")};
    setup.whiteToMove = fields[1] == "w";
    if (auto error = readCastling(fields.size() > 2 ? fields[2] : "-", position)) return FenError{*error};
    if (auto error = readPassant(fields.size() > 3 ? fields[3] : "-", setup.whiteToMove, position))
        return FenError{*error};
    int clock = 0;
    if (fields.size() > 4) {
        const auto number = readNumber(fields[4]);
        if (!number || *number < 0) return FenError{"compteur de demi-coups invalide " + quoted(fields[4])};
        clock = *number;
    }
    int fullmove = 1;
    if (fields.size() > 5) {
        const auto number = readNumber(fields[5]);
        if (!number || *number < 1) return FenError{"numéro de coup invalide " + quoted(fields[5])};
        fullmove = *number;
    }
    const long ply = 2L * (fullmove - 1) + (setup.whiteToMove ? 0 : 1);
    if (ply >= GameRecord::kCapacity)
        return FenError{"le numéro de coup dépasse les 300 demi-coups d'une partie"};

    bool blackLower = orientation == FenOrientation::blackLower;
    if (orientation == FenOrientation::sideToMoveUpper) blackLower = setup.whiteToMove;
    if (orientation == FenOrientation::sideToMoveLower) blackLower = !setup.whiteToMove;
    if (blackLower) mirrorPosition(position);
    GameRecord& record = setup.record;
    record.playerIsBlack = blackLower;
    record.state = packState(position, 0);
    record.plyCount = static_cast<std::int32_t>(ply);
    record.recordLength = record.plyCount;
    record.setupHalfMoveClock = clock;
    if (ply > 0) {
        Position& entry = record.history[static_cast<std::size_t>(ply - 1)];
        entry = position;
        entry[0] = blackLower ? kMarkerPlayerBlack : kMarkerPlayerWhite;
    }
    return setup;
}

std::variant<FenSetup, FenError> parseLegalFen(const std::string& fen, FenOrientation orientation) {
    auto parsed = parseFen(fen, FenOrientation::whiteLower);
    auto* setup = std::get_if<FenSetup>(&parsed);
    if (setup == nullptr) return parsed;
    const Position& position = setup->record.current;
    for (auto problem : {materialProblem(position), passantProblem(position, setup->whiteToMove),
                         kingsProblem(position, setup->record.state, setup->whiteToMove)}) {
        if (problem) return FenError{*problem};
    }
    // A right whose king or rook is not at home is no right: the board
    // decides, as it does when the position is written again.
    std::vector<std::string> fields = splitFields(fen);
    if (fields.size() > 2) fields[2] = castlingText(position, setup->record.state);
    std::string kept;
    for (const std::string& field : fields) kept += (kept.empty() ? "" : " ") + field;
    return parseFen(kept, orientation);
}

void keepSetupInHistory(GameRecord& record) {
    if (record.plyCount != 0 || isInitialSetup(record)) return;
    record.plyCount = record.recordLength = 2;
    Position& entry = record.history[1];
    entry = record.current;
    entry[0] = record.playerIsBlack ? kMarkerPlayerBlack : kMarkerPlayerWhite;
}

std::string formatFen(const GameRecord& record) {
    const int ply = std::min(std::max(record.plyCount, 0), GameRecord::kCapacity);
    const ChessPosition now = positionAtPly(record, ply);
    // The side that has just moved made the double step, if any.
    const int file = now.whiteToMove ? upperDoubleStepFile(now.state) : lowerDoubleStepFile(now.state);
    std::string passant = "-";
    if (file >= 1 && file <= 8)
        passant = std::string{static_cast<char>('a' + file - 1), now.whiteToMove ? '6' : '3'};
    return boardText(now.board) + (now.whiteToMove ? " w " : " b ") + castlingText(now.board, now.state) +
           " " + passant + " " + std::to_string(halfMoveClock(record)) + " " + std::to_string(ply / 2 + 1);
}

}  // namespace quorvel
