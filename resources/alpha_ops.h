#pragma once
// Small operations on alpha images (QImage::Format_Alpha8) used to derive a
// piece's body, mask and shadow from its drawing.

#include <QColor>
#include <QImage>

namespace quorvel::art {

// Alpha channel of a picture, as Format_Alpha8.
QImage alphaOf(const QImage& picture);

// The shape with its holes filled: every pixel the outside can't reach
// through pixels fainter than `wall` (0..255) becomes opaque. Edge pixels
// keep their antialiased alpha.
QImage filledInterior(const QImage& alpha, int wall = 96);

// Grows the shape by `radius` pixels (square neighbourhood, max filter).
QImage dilated(const QImage& alpha, int radius);

// Box blur of `radius` pixels, `passes` times (three passes look Gaussian).
QImage blurred(const QImage& alpha, int radius, int passes);

// Pixel-wise maximum of two alpha images of the same size.
QImage unitedAlpha(const QImage& a, const QImage& b);

// A picture of one colour whose alpha is `alpha` scaled by `colour`'s alpha.
QImage tinted(const QImage& alpha, QColor colour);

}  // namespace quorvel::art
