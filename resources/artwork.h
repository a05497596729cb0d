#pragma once
// Our own artwork: three piece sets, the toolbar icons, the title logo and
// the application icon. Everything is drawn by the program itself (vector
// shapes and the chess glyphs of a free font), so no picture file is needed.

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace quorvel::art {

enum class PieceType { king, queen, rook, knight, bishop, pawn };

// Piece type of a piece code (1..6 or 11..16).
PieceType pieceTypeOf(int code);

// Every picture is drawn at a device pixel ratio `scale` (the screen's:
// 2 on a 4K laptop) and carries it, so it paints at its logical size with
// every edge sharp. Sizes below are logical pixels.

// A ratio of 0 or less (unknown) draws at 1.
inline qreal usableScale(qreal scale) {
    return scale > 0 ? scale : 1;
}
// The device pixels `logical` pixels take at `scale`, rounded up so the
// picture covers its logical size (42 x 1.5 a hair over 63 stays 63).
int devicePixels(qreal logical, qreal scale);

// pieceSet is 0, 20 or 40 ("Modèle 1", "Modèle 2", "Modèle 3").
// A 42 x 42 picture with a transparent background.
QPixmap pieceImage(int pieceSet, bool white, PieceType type, qreal scale = 1);
// The transparency mask of the piece (opaque where the piece is).
QImage pieceMask(int pieceSet, PieceType type, qreal scale = 1);
// A soft shadow of the piece, same size, drawn a few pixels off the piece.
QPixmap pieceShadow(int pieceSet, PieceType type, qreal scale = 1);

// Toolbar zone 1..7 (new game, load, save, computer first, change side,
// turn board, take back): a 16 x 16 icon, normal or highlighted.
QPixmap toolbarIcon(int zone, bool highlighted, qreal scale = 1);

// The title logo, 233 x 33, or stretched to `size`.
QPixmap titleLogo(qreal scale = 1);
QPixmap titleLogo(QSize size, qreal scale);

QIcon applicationIcon();

}  // namespace quorvel::art
