#include "uci_move.h"

#include "notation.h"

namespace quorvel {

namespace {

// Board row of a chess rank, and rank of a row: the rows are reversed while
// the player has Black.
int rowOfRank(int rank, bool playerIsBlack) {
    return playerIsBlack ? 9 - rank : rank;
}

char promotionLetter(int piece) {
    switch (piece > 10 ? piece - 10 : piece) {
        case kUpperQueen:
            return 'q';
        case kUpperRook:
            return 'r';
        case kUpperBishop:
            return 'b';
        case kUpperKnight:
            return 'n';
        default:
            return 0;
    }
}

std::string squareText(int x, int y, bool playerIsBlack) {
    return {static_cast<char>('a' + x - 1), static_cast<char>('0' + rowOfRank(y, playerIsBlack))};
}

std::string moveText(int fromX, int fromY, int toX, int toY, int promotionPiece, bool playerIsBlack) {
    std::string text = squareText(fromX, fromY, playerIsBlack) + squareText(toX, toY, playerIsBlack);
    if (const char letter = promotionLetter(promotionPiece); letter != 0) text += letter;
    return text;
}

bool onBoard(int x, int y) {
    return x >= 1 && x <= 8 && y >= 1 && y <= 8;
}

}  // namespace

std::optional<LegalMove> findUciMove(const Position& position, StateWord state, bool sideIsUpper,
                                     bool playerIsBlack, std::string_view text) {
    if (text.size() != 4 && text.size() != 5) return std::nullopt;
    const int fromX = text[0] - 'a' + 1, fromY = rowOfRank(text[1] - '0', playerIsBlack);
    const int toX = text[2] - 'a' + 1, toY = rowOfRank(text[3] - '0', playerIsBlack);
    if (!onBoard(fromX, text[1] - '0') || !onBoard(toX, text[3] - '0')) return std::nullopt;
    // The promotion letter in either case; none means a queen.
    const char wanted = text.size() == 5 ? static_cast<char>(text[4] | 0x20) : 'q';
    if (std::string_view("qrbn").find(wanted) == std::string_view::npos) return std::nullopt;
    for (const LegalMove& move : legalMoves(position, state, sideIsUpper)) {
        if (move.fromX != fromX || move.fromY != fromY || move.toX != toX || move.toY != toY) continue;
        if (move.promotionPiece == 0) {
            if (text.size() == 4) return move;
            return std::nullopt;  // a letter on a move that promotes nothing
        }
        if (promotionLetter(move.promotionPiece) == wanted) return move;
    }
    return std::nullopt;
}

std::string uciMoveOf(const LegalMove& move, bool playerIsBlack) {
    // A castling is the king's move, which the squares already say.
    return moveText(move.fromX, move.fromY, move.toX, move.toY, move.promotionPiece, playerIsBlack);
}

std::string uciMoveOfText(const Position& before, const MoveText& rows, bool moverIsUpper,
                          bool playerIsBlack) {
    if (rows.isCastling()) {
        const int row = moverIsUpper ? 8 : 1;
        return moveText(5, row, rows.isLongCastling() ? 3 : 7, row, 0, playerIsBlack);
    }
    const int fromX = rows[0] - 0x60, fromY = rows[1] - 0x30, toX = rows[3] - 0x60, toY = rows[4] - 0x30;
    if (!onBoard(fromX, fromY) || !onBoard(toX, toY)) return {};
    const int piece = before.at(fromX, fromY);
    const bool promotes = moverIsUpper ? piece == kUpperPawn && toY == 1 : piece == kLowerPawn && toY == 8;
    return moveText(fromX, fromY, toX, toY, promotes ? kUpperQueen : 0, playerIsBlack);
}

}  // namespace quorvel
