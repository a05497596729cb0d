#pragma once
// The title logo and the pictures of the application icon.

#include <QImage>

namespace quorvel::art {

inline constexpr int kLogoWidth = 233;
inline constexpr int kLogoHeight = 33;

// "Quorvel" beside a knight on a small board, transparent background.
QImage drawTitleLogo();

// The icon's emblem (a knight on a two-by-two board) at side x side pixels.
QImage drawIconEmblem(int side);

}  // namespace quorvel::art
