#include "window/board_focus.h"

namespace quorvel::board {

QPoint pictureSquareOfChess(ChessSquare square, bool boardTurned) {
    return boardTurned ? QPoint(9 - square.file, square.rank) : QPoint(square.file, 9 - square.rank);
}

ChessSquare chessSquareOfPicture(QPoint pictureSquare, bool boardTurned) {
    // Each mapping is its own inverse.
    const QPoint back = pictureSquareOfChess({pictureSquare.x(), pictureSquare.y()}, boardTurned);
    return {back.x(), back.y()};
}

Square storedSquareOf(ChessSquare square, bool playerIsBlack) {
    return {square.file, playerIsBlack ? 9 - square.rank : square.rank};
}

ChessSquare chessSquareOf(Square stored, bool playerIsBlack) {
    return {stored.x, playerIsBlack ? 9 - stored.y : stored.y};
}

ChessSquare stepFocus(ChessSquare from, int dx, int dy, bool boardTurned) {
    const QPoint shown = pictureSquareOfChess(from, boardTurned) + QPoint(dx, dy);
    if (shown.x() < 1 || shown.x() > 8 || shown.y() < 1 || shown.y() > 8) return from;
    return chessSquareOfPicture(shown, boardTurned);
}

ChessSquare humanKingSquare(const Position& current, bool playerIsBlack) {
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y)
            if (current.at(x, y) == kLowerKing) return chessSquareOf({x, y}, playerIsBlack);
    return {5, 1};
}

}  // namespace quorvel::board
