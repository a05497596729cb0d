#pragma once
// Our own flat silhouettes of the six pieces, drawn from plain geometric
// shapes on a 42 x 42 grid (the bold "Modèle 2" set).

#include <QPainterPath>

#include "resources/artwork.h"

namespace quorvel::art {

// The piece's outline in 42 x 42 picture coordinates, base near y = 37.
QPainterPath flatShape(PieceType type);

// Lines drawn inside the shape in the rim colour, so the parts of the piece
// stay distinct (collar, crown band, knight's eye and mane).
QPainterPath flatDetails(PieceType type);

}  // namespace quorvel::art
