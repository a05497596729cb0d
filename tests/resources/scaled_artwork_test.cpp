// The artwork drawn for high-density screens: at a device pixel ratio the
// pictures have the ratio's pixels, carry the ratio, and are the same
// drawing as at scale 1 (same place, same silhouette), only finer.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "resources/artwork.h"
#include "resources/piece_renderer.h"

namespace quorvel::art {
namespace {

constexpr PieceType kTypes[] = {PieceType::king,   PieceType::queen,  PieceType::rook,
                                PieceType::knight, PieceType::bishop, PieceType::pawn};
constexpr qreal kScales[] = {1.25, 1.5, 2, 3};

double alphaSum(const QImage& picture) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) sum += qAlpha(argb.pixel(x, y));
    return sum;
}

// Mean difference per channel between two pictures of one size, in 0..255.
double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * x.width() * x.height());
}

TEST(ScaledArtwork, PiecesHaveTheRatiosPixelsAndTheSameDrawing) {
    for (const qreal scale : kScales) {
        for (const int set : {0, 20, 40}) {
            for (const PieceType type : kTypes) {
                SCOPED_TRACE(::testing::Message()
                             << "scale " << scale << " set " << set << " type " << static_cast<int>(type));
                const int side = devicePixels(kPieceSide, scale);
                const QPixmap white = pieceImage(set, true, type, scale);
                ASSERT_EQ(white.size(), QSize(side, side));
                EXPECT_EQ(white.devicePixelRatio(), scale);
                EXPECT_EQ(pieceShadow(set, type, scale).size(), QSize(side, side));
                // The silhouette covers the same logical area (the dark
                // pieces' rim is whole device pixels: a little more or less
                // at fractional scales)...
                const double area = alphaSum(pieceMask(set, type, scale)) / (scale * scale);
                const double plain = alphaSum(pieceMask(set, type));
                EXPECT_NEAR(area / plain, 1.0, 0.12);
                // ...and brought back to 42 pixels by a whole factor the
                // picture is the plain one, give or take the edges' shading
                // (two pixels off would differ by 20 or more).
                if (scale == std::floor(scale)) {
                    const QImage back = white.toImage().scaled(kPieceSide, kPieceSide, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation);
                    EXPECT_LT(meanDifference(back, pieceImage(set, true, type).toImage()), 9);
                }
            }
        }
    }
}

TEST(ScaledArtwork, ToolbarIconsAndTheLogoHaveTheRatiosPixels) {
    for (const qreal scale : kScales) {
        SCOPED_TRACE(::testing::Message() << "scale " << scale);
        const int side = devicePixels(16, scale);
        for (int zone = 1; zone <= 7; ++zone) {
            for (const bool lit : {false, true}) {
                const QPixmap icon = toolbarIcon(zone, lit, scale);
                ASSERT_EQ(icon.size(), QSize(side, side)) << zone;
                EXPECT_EQ(icon.devicePixelRatio(), scale);
                const QImage pixels = icon.toImage().convertToFormat(QImage::Format_ARGB32);
                for (int y = 0; y < side; ++y)
                    for (int x = 0; x < side; ++x) ASSERT_EQ(qAlpha(pixels.pixel(x, y)), 255) << zone;
            }
        }
        const QPixmap logo = titleLogo(QSize(236, 36), scale);
        EXPECT_EQ(logo.size(), QSize(devicePixels(236, scale), devicePixels(36, scale)));
        EXPECT_EQ(logo.devicePixelRatio(), scale);
        EXPECT_NEAR(alphaSum(logo.toImage()) / (scale * scale),
                    alphaSum(titleLogo(QSize(236, 36), 1).toImage()),
                    alphaSum(titleLogo(QSize(236, 36), 1).toImage()) * 0.05);
    }
}

}  // namespace
}  // namespace quorvel::art
