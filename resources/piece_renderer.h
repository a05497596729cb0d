#pragma once
// Draws the pictures of one piece type of one set: both colours, the mask
// and the shadow, all 42 x 42 logical pixels with a transparent background,
// drawn at a device pixel ratio.

#include <QImage>

#include "resources/artwork.h"

namespace quorvel::art {

inline constexpr int kPieceSide = 42;

struct PiecePictures {
    QImage white;   // ARGB32 premultiplied
    QImage black;   // ARGB32 premultiplied
    QImage mask;    // Alpha8: opaque where either colour's picture is
    QImage shadow;  // ARGB32 premultiplied: soft dark silhouette, not offset
};

// pieceSet 0: DejaVu glyphs, plain black and white with fine lines.
// pieceSet 20: our flat silhouettes with a bold rim.
// pieceSet 40: FreeSerif glyphs, shaded ivory and ebony with gold lines.
// Any other value draws set 0. `scale`: device pixels per logical pixel;
// the pictures carry it as their device pixel ratio.
PiecePictures renderPiece(int pieceSet, PieceType type, qreal scale = 1);

}  // namespace quorvel::art
