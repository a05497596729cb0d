#include "uci_move.h"

#include "notation.h"

namespace quorvel {

namespace {

bool onBoard(int x, int y) {
    return x >= 1 && x <= 8 && y >= 1 && y <= 8;
}

}  // namespace

std::optional<LegalMove> findUciMove(const Position& position, StateWord state, bool sideIsUpper,
                                     bool playerIsBlack, std::string_view text) {
    // The promotion letter in either case; none means a queen.
    std::string wanted(text);
    if (wanted.size() == 5) wanted[4] = static_cast<char>(wanted[4] | 0x20);
    for (const LegalMove& move : legalMoves(position, state, sideIsUpper)) {
        const std::string uci = uciMoveOf(move, playerIsBlack);
        if (uci == wanted || uci == wanted + 'q') return move;
    }
    return std::nullopt;
}

std::string uciMoveOf(const LegalMove& move, bool playerIsBlack) {
    // A castling is the king's move, which the squares already say.
    const MoveText rows = buildMoveText(move.fromX, move.fromY, move.toX, move.toY, 0, false);
    return longAlgebraic(toChessRanks(rows, playerIsBlack), true, move.promotionPiece);
}

std::string uciMoveOfText(const Position& before, const MoveText& rows, bool moverIsUpper,
                          bool playerIsBlack) {
    int promotion = 0;
    if (!rows.isCastling()) {
        const int fromX = rows[0] - 0x60, fromY = rows[1] - 0x30, toX = rows[3] - 0x60, toY = rows[4] - 0x30;
        if (!onBoard(fromX, fromY) || !onBoard(toX, toY)) return {};
        const int piece = before.at(fromX, fromY);
        if (moverIsUpper ? piece == kUpperPawn && toY == 1 : piece == kLowerPawn && toY == 8)
            promotion = kUpperQueen;
    }
    // White is the lower side exactly when the player has White.
    const bool whiteMoved = moverIsUpper == playerIsBlack;
    return longAlgebraic(toChessRanks(rows, playerIsBlack), whiteMoved, promotion);
}

std::string uciMoveOfRecorded(const Position& before, const MoveText& recorded, bool playerIsBlack) {
    // The conversion back gives the board's rows, where the promotion is seen.
    return uciMoveOfText(before, toChessRanks(recorded, playerIsBlack), true, playerIsBlack);
}

}  // namespace quorvel
