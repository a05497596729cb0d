#include "storage/stored_game_checks.h"

#include "rules/board_checks.h"
#include "rules/game_end.h"
#include "rules/perft.h"

namespace quorvel {

namespace {

bool isPieceCode(int code) {
    return (code >= 0 && code <= 6) || (code >= 11 && code <= 16);
}

bool heldForBlack(const Position& position) {
    return position[0] == kMarkerPlayerBlack;
}

// The side that moved is the lower one exactly when it is the player's
// colour on the board as it was held.
bool moverIsUpper(const Position& position, bool whiteMoved) {
    return whiteMoved == heldForBlack(position);
}

}  // namespace

bool storedTextValid(const MoveText& t) {
    auto file = [](char c) { return c >= 'a' && c <= 'h'; };
    auto rank = [](char c) { return c >= '1' && c <= '8'; };
    auto marker = [](char c) { return c == 0 || c == '+' || c == 'P'; };
    const std::string visible(t.c_str(), strnlen(t.c_str(), 5));
    const bool ordinary = visible.size() == 5 && file(t[0]) && rank(t[1]) && (t[2] == '-' || t[2] == 'x') &&
                          file(t[3]) && rank(t[4]);
    const bool castling = visible == "o-o" || visible == "o-o-o";
    const bool tailClear = visible != "o-o" || t[4] == 0;
    return (ordinary || castling) && tailClear && marker(t[5]) && marker(t[6]) && t[7] == 0;
}

bool storedPositionPlayable(const Position& p, bool whiteMoved) {
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y)
            if (!isPieceCode(p.at(x, y))) return false;
    if (kingsAndPawnsFault(p) != BoardFault::none || kingsTouch(p)) return false;
    // A double-step file beyond 8 would send the en-passant test off the board.
    for (int cell : {kLowerCastledCell, kUpperCastledCell, kUpperRookAMovedCell, kUpperRookHMovedCell,
                     kUpperKingMovedCell, kLowerRookAMovedCell, kLowerRookHMovedCell, kLowerKingMovedCell})
        if (p[cell] != 0 && p[cell] != 1) return false;
    for (int cell : {kLowerDoubleStepFileCell, kUpperDoubleStepFileCell})
        if (p[cell] < 0 || p[cell] > 8) return false;
    if (p[0] != kMarkerPlayerBlack && p[0] != kMarkerPlayerWhite) return false;
    return !isInCheck(p, packState(p, 0), moverIsUpper(p, whiteMoved));
}

bool storedMoveLeads(const Position& before, const MoveText& text, const Position& after, bool whiteMoved) {
    // Both boards as `after` holds them.
    Position board = before;
    if (heldForBlack(before) != heldForBlack(after)) mirrorPosition(board);
    const auto move = legalMoveBetween(board, packState(board, 0), moverIsUpper(after, whiteMoved), after);
    if (!move) return false;
    // The text must name that move.
    const MoveText rows = toChessRanks(text, heldForBlack(after));
    if (rows.isCastling())
        return move->castling == (rows.isLongCastling() ? Castling::queenSide : Castling::kingSide);
    return move->castling == Castling::none && move->fromX == rows[0] - 'a' + 1 &&
           move->fromY == rows[1] - '0' && move->toX == rows[3] - 'a' + 1 && move->toY == rows[4] - '0';
}

}  // namespace quorvel
