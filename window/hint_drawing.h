#pragma once
// The coach's suggestion drawn on the board picture: both squares framed
// and an arrow from one to the other, green with a dark edge and a light
// halo, so that it reads on light and dark squares of any colour scheme and
// at any screen scale.
//
// It works from the picture square of each chess square alone, so it moves
// with the board's geometry.

#include <QImage>

namespace quorvel {

// A square of the chess board: file and rank 1..8.
struct ChessSquare {
    int file = 0;
    int rank = 0;
};

// The picture square (column, row from the top) where a chess square is
// drawn for the player's side and the board's rotation.
QPoint pictureSquareOfChess(ChessSquare square, bool playerIsBlack, bool boardTurned);

void drawHintArrow(QImage& picture, ChessSquare from, ChessSquare to, bool playerIsBlack, bool boardTurned);

}  // namespace quorvel
