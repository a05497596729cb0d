#pragma once
// Drawing one chess piece in a 50 x 50 cell of a dialog, with the board's
// artwork, so the dialogs show the piece set the player chose.

#include <QPoint>

class QPainter;

namespace quorvel {

// Side of the cell a piece picture occupies, pixels.
inline constexpr int kPieceCell = 50;

// Draws piece `code` (1..6 or 11..16; only its type is used) in the colour
// `white`, centred in the cell whose top-left corner is `cell`.
void drawPiecePicture(QPainter& painter, QPoint cell, int pieceSet, bool white, int code);

}  // namespace quorvel
