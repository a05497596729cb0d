#pragma once
// The title logo and the pictures of the application icon.

#include <QImage>
#include <QSize>

namespace quorvel::art {

inline constexpr int kLogoWidth = 233;
inline constexpr int kLogoHeight = 33;

// "Quorvel" beside a knight on a small board, transparent background:
// `size` logical pixels (the design stretched to it), drawn at `scale`
// device pixels per logical pixel, which the image carries as its ratio.
QImage drawTitleLogo(QSize size = QSize(kLogoWidth, kLogoHeight), qreal scale = 1);

// The icon's emblem (a knight on a two-by-two board) at side x side pixels.
QImage drawIconEmblem(int side);

}  // namespace quorvel::art
