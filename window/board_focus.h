#pragma once
// The board's focus square for the keyboard. It is a square of the chess
// board (a file and a rank), so it stays on its square when the board turns
// or the human changes colour; the arrow keys move it in the directions of
// the screen, whichever way the board is shown.

#include <QPoint>

#include "rules/position.h"
#include "window/board_geometry.h"

namespace quorvel::board {

struct ChessSquare {
    int file = 5;  // 1..8, a..h
    int rank = 1;  // 1..8
    friend bool operator==(const ChessSquare&, const ChessSquare&) = default;
};

// The picture square (c, r) showing a chess square: White's side at the
// bottom unless the board is turned.
QPoint pictureSquareOfChess(ChessSquare square, bool boardTurned);
ChessSquare chessSquareOfPicture(QPoint pictureSquare, bool boardTurned);

// Between chess squares and squares of the stored position, whose rows are
// reversed while the human has Black.
Square storedSquareOf(ChessSquare square, bool playerIsBlack);
ChessSquare chessSquareOf(Square stored, bool playerIsBlack);

// One step on the screen (dx +1 to the right, dy +1 downwards); at the
// board's edge the focus stays where it is.
ChessSquare stepFocus(ChessSquare from, int dx, int dy, bool boardTurned);

// Where the focus starts: the human's king, on the human's side of the
// board (e1 when it can't be found).
ChessSquare humanKingSquare(const Position& current, bool playerIsBlack);

}  // namespace quorvel::board
