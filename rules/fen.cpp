#include "fen.h"

#include <cctype>
#include <charconv>
#include <sstream>
#include <vector>

namespace quorvel {

namespace {

std::vector<std::string> splitFields(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> fields;
    for (std::string field; stream >> field;) fields.push_back(field);
    return fields;
}

std::int8_t pieceCode(char letter) {
    // White is the lower side while the board is being read.
    switch (letter) {
        case 'K':
            return kLowerKing;
        case 'Q':
            return kLowerQueen;
        case 'R':
            return kLowerRook;
        case 'N':
            return kLowerKnight;
        case 'B':
            return kLowerBishop;
        case 'P':
            return kLowerPawn;
        case 'k':
            return kUpperKing;
        case 'q':
            return kUpperQueen;
        case 'r':
            return kUpperRook;
        case 'n':
            return kUpperKnight;
        case 'b':
            return kUpperBishop;
        case 'p':
            return kUpperPawn;
        default:
            return 0;
    }
}

std::optional<std::string> readBoard(const std::string& field, Position& position) {
    int x = 1, y = 8;
    for (char c : field) {
        if (c == '/') {
            if (x != 9) return "rank " + std::to_string(y) + " does not have 8 squares";
            if (--y < 1) return "too many ranks";
            x = 1;
        } else if (c >= '1' && c <= '8') {
            x += c - '0';
            if (x > 9) return "rank " + std::to_string(y) + " has more than 8 squares";
        } else if (std::int8_t code = pieceCode(c); code != 0) {
            if (x > 8) return "rank " + std::to_string(y) + " has more than 8 squares";
            if ((code == kUpperPawn || code == kLowerPawn) && (y == 1 || y == 8))
                return "a pawn stands on rank 1 or 8";
            position.at(x++, y) = code;
        } else {
            return std::string("unexpected character '") + c + "' in the board";
        }
    }
    if (y != 1 || x != 9) return "the board does not have 8 ranks of 8 squares";
    int upperKings = 0, lowerKings = 0;
    for (std::int8_t code : position.cells) {
        upperKings += code == kUpperKing;
        lowerKings += code == kLowerKing;
    }
    if (upperKings != 1 || lowerKings != 1) return "each side needs exactly one king";
    return std::nullopt;
}

std::optional<std::string> readCastling(const std::string& field, Position& position) {
    bool rights[4] = {false, false, false, false};  // K Q k q
    if (field != "-") {
        for (char c : field) {
            const std::string letters = "KQkq";
            const auto index = letters.find(c);
            if (index == std::string::npos) return std::string("bad castling field '") + field + "'";
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

std::optional<int> readNumber(const std::string& field) {
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
    return value;
}

}  // namespace

std::variant<FenSetup, FenError> parseFen(const std::string& fen, FenOrientation orientation) {
    const std::vector<std::string> fields = splitFields(fen);
    if (fields.size() < 2 || fields.size() > 6) return FenError{"a FEN needs 2 to 6 fields"};
    FenSetup setup;
    Position& position = setup.record.current;
    if (auto error = readBoard(fields[0], position)) return FenError{*error};
    if (fields[1] != "w" && fields[1] != "b") return FenError{"the side to move must be 'w' or 'b'"};
    setup.whiteToMove = fields[1] == "w";
    if (auto error = readCastling(fields.size() > 2 ? fields[2] : "-", position)) return FenError{*error};
    const std::string passant = fields.size() > 3 ? fields[3] : "-";
    if (passant != "-") {
        const bool valid = passant.size() == 2 && passant[0] >= 'a' && passant[0] <= 'h' &&
                           passant[1] == (setup.whiteToMove ? '6' : '3');
        if (!valid) return FenError{"bad en-passant square '" + passant + "'"};
        // The side that has just moved made the double step.
        position[setup.whiteToMove ? kUpperDoubleStepFileCell : kLowerDoubleStepFileCell] =
            static_cast<std::int8_t>(passant[0] - 'a' + 1);
    }
    if (fields.size() > 4 && !readNumber(fields[4]))
        return FenError{"bad half-move clock '" + fields[4] + "'"};
    int fullmove = 1;
    if (fields.size() > 5) {
        const auto number = readNumber(fields[5]);
        if (!number || *number < 1) return FenError{"bad full-move number '" + fields[5] + "'"};
        fullmove = *number;
    }
    const long ply = 2L * (fullmove - 1) + (setup.whiteToMove ? 0 : 1);
    if (ply >= GameRecord::kCapacity)
        return FenError{"the full-move number is beyond the game record's 300 half-moves"};

    bool blackLower = orientation == FenOrientation::blackLower;
    if (orientation == FenOrientation::sideToMoveUpper) blackLower = setup.whiteToMove;
    if (blackLower) mirrorPosition(position);
    GameRecord& record = setup.record;
    record.playerIsBlack = blackLower;
    record.state = packState(position, 0);
    record.plyCount = static_cast<std::int32_t>(ply);
    record.recordLength = record.plyCount;
    if (ply > 0) {
        Position& entry = record.history[static_cast<std::size_t>(ply - 1)];
        entry = position;
        entry[0] = blackLower ? kMarkerPlayerBlack : kMarkerPlayerWhite;
    }
    return setup;
}

}  // namespace quorvel
