#pragma once
// The seven 16 x 16 toolbar pictures, drawn on an opaque light background
// because the toolbar copies them without transparency.

#include <QImage>

namespace quorvel::art {

inline constexpr int kToolbarZones = 7;
inline constexpr int kToolbarSide = 16;

// Zone 1..7: new game, load, save, computer first, change side, turn
// board, take back. Highlighted pictures sit on a raised blue button.
// A zone outside 1..7 gives the empty button. Drawn at `scale` device
// pixels per logical pixel, which the image carries as its ratio.
QImage drawToolbarIcon(int zone, bool highlighted, qreal scale = 1);

}  // namespace quorvel::art
