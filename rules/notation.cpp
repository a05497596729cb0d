#include "notation.h"

#include "move_validity.h"
#include "record_positions.h"

namespace quorvel {

char frenchPieceLetter(int code) {
    switch (pieceKind(code)) {
        case kUpperKing:
            return 'R';
        case kUpperQueen:
            return 'D';
        case kUpperRook:
            return 'T';
        case kUpperKnight:
            return 'C';
        case kUpperBishop:
            return 'F';
        default:
            return 0;
    }
}

namespace {

std::string algebraicText(const MoveText& text, const Position& after, StateWord state, int promotedKind) {
    // The history entry is in board rows; read it in chess ranks.
    Position board{};
    const bool rowsReversed = after[0] == kMarkerPlayerBlack;
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) board.at(x, y) = rowsReversed ? after.at(x, 9 - y) : after.at(x, y);
    }
    const int fromX = text[0] - 'a' + 1, fromY = text[1] - '0';
    const int toX = text[3] - 'a' + 1, toY = text[4] - '0';
    if (fromX < 1 || fromX > 8 || fromY < 1 || fromY > 8 || toX < 1 || toX > 8 || toY < 1 || toY > 8) {
        return text.str();
    }
    std::string result;
    const std::int8_t code = board.at(toX, toY);
    // A promoted pawn is written as the pawn's move, its new piece after it.
    const char letter = promotedKind != 0 ? 0 : frenchPieceLetter(code);
    if (letter != 0) {
        result += letter;
        // Rivals of the same kind that could also have reached the square.
        for (int x = 1; x <= 8; ++x) {
            for (int y = 1; y <= 8; ++y) {
                if ((x == toX && y == toY) || board.at(x, y) != code) continue;
                board.at(toX, toY) = 0;
                if (checkMove(board, state, x, y, toX, toY, false).valid)
                    result += (x == fromX) ? text[1] : text[0];
                board.at(toX, toY) = code;
            }
        }
    }
    if (text[2] == 'x') {
        if (letter == 0) result += text[0];
        result += 'x';
    }
    result += text[3];
    result += text[4];
    if (promotedKind != 0) result += std::string("=") + frenchPieceLetter(promotedKind);
    if (text[5] == '+') result += '+';
    if (text[6] == '+') result += '+';
    return result;
}

}  // namespace

std::string formatMove(const MoveText& text, const Position& after, StateWord state, bool isLast,
                       bool algebraic, int promotedKind) {
    if (text.empty()) return " ";
    std::string shown = text.str();
    if (algebraic && shown.find("o-o") == std::string::npos) {
        shown = algebraicText(text, after, state, promotedKind);
    } else if (promotedKind != 0 && shown.size() >= 5) {
        shown.insert(5, std::string("=") + frenchPieceLetter(promotedKind));
    }
    return isLast ? ">" + shown + "<" : shown;
}

std::string formatRecordMove(const GameRecord& record, int index, bool isLast, bool algebraic) {
    if (index < 0 || index >= GameRecord::kCapacity) return " ";
    const auto k = static_cast<std::size_t>(index);
    return formatMove(record.moves[k], record.history[k], record.state, isLast, algebraic,
                      promotionAt(record, index));
}

int promotionAt(const GameRecord& record, int index) {
    if (index < 0 || index >= record.recordLength || index >= GameRecord::kCapacity) return 0;
    const MoveText& text = record.moves[static_cast<std::size_t>(index)];
    if (text.empty() || text.isCastling()) return 0;
    const int fromX = text[0] - 'a' + 1, fromY = text[1] - '0';
    const int toX = text[3] - 'a' + 1, toY = text[4] - '0';
    auto onBoard = [](int x, int y) { return x >= 1 && x <= 8 && y >= 1 && y <= 8; };
    if (!onBoard(fromX, fromY) || !onBoard(toX, toY) || (toY != 8 && toY != 1)) return 0;
    // Both positions with White below and rows as ranks, as the text is.
    const Position before = positionAtPly(record, index).board;
    if (pieceKind(before.at(fromX, fromY)) != kUpperPawn) return 0;
    const int kind = pieceKind(positionAtPly(record, index + 1).board.at(toX, toY));
    return kind == kUpperPawn || kind == 0 ? 0 : kind;
}

MoveText buildMoveText(int fromX, int fromY, int toX, int toY, int placedPiece, bool capture) {
    if ((placedPiece == kUpperKing || placedPiece == kLowerKing) && fromX == 5) {
        if (toX == 7) return MoveText::fromString("o-o");
        if (toX == 3) return MoveText::fromString("o-o-o");
    }
    MoveText text;
    text[0] = static_cast<char>('a' - 1 + fromX);
    text[1] = static_cast<char>('0' + fromY);
    text[2] = capture ? 'x' : '-';
    text[3] = static_cast<char>('a' - 1 + toX);
    text[4] = static_cast<char>('0' + toY);
    return text;
}

std::string longAlgebraic(const MoveText& text, bool whiteMoved, int promotionPiece) {
    if (text.isCastling()) {
        const char rank = whiteMoved ? '1' : '8';
        return std::string("e") + rank + (text.isLongCastling() ? 'c' : 'g') + rank;
    }
    std::string result{text[0], text[1], text[3], text[4]};
    switch (pieceKind(promotionPiece)) {
        case kUpperQueen:
            result += 'q';
            break;
        case kUpperRook:
            result += 'r';
            break;
        case kUpperBishop:
            result += 'b';
            break;
        case kUpperKnight:
            result += 'n';
            break;
        default:
            break;
    }
    return result;
}

}  // namespace quorvel
