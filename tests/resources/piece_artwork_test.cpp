#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "image_checks.h"
#include "resources/artwork.h"

namespace quorvel::art {
namespace {

constexpr int kSets[] = {0, 20, 40};
constexpr PieceType kTypes[] = {PieceType::king,   PieceType::queen,  PieceType::rook,
                                PieceType::knight, PieceType::bishop, PieceType::pawn};
const QColor kLightSquare(240, 240, 240);
const QColor kDarkSquare(90, 100, 152);

QImage argb(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// The piece as the board shows it, on a square of `square`'s colour.
QImage onSquare(const QPixmap& piece, QColor square) {
    QImage image(42, 42, QImage::Format_RGB32);
    image.fill(square);
    QPainter(&image).drawPixmap(0, 0, piece);
    return image;
}

// Pixels whose grey level differs from the square's by at least `contrast`.
int contrastingPixels(const QImage& image, QColor square, int contrast) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (std::abs(qGray(image.pixel(x, y)) - qGray(square.rgb())) >= contrast) ++count;
    return count;
}

using testing::differingPixels;

std::string describe(int set, PieceType type, bool white) {
    return "set " + std::to_string(set) + " type " + std::to_string(static_cast<int>(type)) +
           (white ? " white" : " black");
}

TEST(PieceArtwork, EveryPictureIs42SquareWithTransparentCornersAndAMatchingMask) {
    for (int set : kSets)
        for (PieceType type : kTypes) {
            const QImage mask = pieceMask(set, type);
            ASSERT_EQ(mask.size(), QSize(42, 42)) << describe(set, type, true);
            for (bool white : {true, false}) {
                const QImage image = argb(pieceImage(set, white, type));
                SCOPED_TRACE(describe(set, type, white));
                ASSERT_EQ(image.size(), QSize(42, 42));
                EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
                EXPECT_EQ(qAlpha(image.pixel(41, 0)), 0);
                EXPECT_EQ(qAlpha(image.pixel(21, 30)), 255) << "the body must be solid";
                // Nothing of the piece may lie outside its mask, or the
                // board's transparency would cut it off.
                for (int y = 0; y < 42; ++y)
                    for (int x = 0; x < 42; ++x)
                        ASSERT_GE(mask.pixelColor(x, y).alpha(), qAlpha(image.pixel(x, y))) << x << "," << y;
            }
        }
}

TEST(PieceArtwork, ShadowsAreSoftTranslucentSilhouettes) {
    for (int set : kSets)
        for (PieceType type : kTypes) {
            const QImage shadow = argb(pieceShadow(set, type));
            SCOPED_TRACE(describe(set, type, false));
            ASSERT_EQ(shadow.size(), QSize(42, 42));
            int darkest = 0, covered = 0;
            for (int y = 0; y < 42; ++y)
                for (int x = 0; x < 42; ++x) {
                    const QRgb p = shadow.pixel(x, y);
                    darkest = std::max(darkest, qAlpha(p));
                    if (qAlpha(p) > 0) ++covered;
                    EXPECT_LE(qGray(p), 10) << "a shadow is dark";
                }
            EXPECT_GT(darkest, 60);
            EXPECT_LT(darkest, 255) << "the square must show through";
            EXPECT_GT(covered, 150);
        }
}

TEST(PieceArtwork, BothColoursStandOutOnBothSquareColours) {
    for (int set : kSets)
        for (PieceType type : kTypes)
            for (bool white : {true, false})
                for (QColor square : {kLightSquare, kDarkSquare}) {
                    SCOPED_TRACE(describe(set, type, white) +
                                 (square == kDarkSquare ? " on dark" : " on light"));
                    const QImage shown = onSquare(pieceImage(set, white, type), square);
                    // A body, outline or rim of clear contrast traces the piece.
                    EXPECT_GT(contrastingPixels(shown, square, 70), 100);
                }
}

// Median grey level of the piece's core: pixels two or more pixels inside
// its mask, away from outlines and rims, as the eye judges a piece's colour.
int coreGrey(const QImage& piece, const QImage& mask) {
    std::vector<int> greys;
    for (int y = 2; y < 40; ++y)
        for (int x = 2; x < 40; ++x) {
            bool inside = true;
            for (int dy = -2; dy <= 2 && inside; ++dy)
                for (int dx = -2; dx <= 2 && inside; ++dx)
                    inside = mask.pixelColor(x + dx, y + dy).alpha() == 255;
            if (inside) greys.push_back(qGray(piece.pixel(x, y)));
        }
    if (greys.empty()) return -1;
    std::nth_element(greys.begin(), greys.begin() + greys.size() / 2, greys.end());
    return greys[greys.size() / 2];
}

TEST(PieceArtwork, WhiteAndBlackPiecesAreTellableApart) {
    for (int set : kSets)
        for (PieceType type : kTypes) {
            SCOPED_TRACE(describe(set, type, true));
            const QImage mask = pieceMask(set, type);
            // Line-heavy drawings (queens, bishops) keep a greyer core.
            const int white = coreGrey(argb(pieceImage(set, true, type)), mask);
            const int black = coreGrey(argb(pieceImage(set, false, type)), mask);
            EXPECT_GT(white, 100);
            EXPECT_GE(black, 0);
            EXPECT_LT(black, 80);
            EXPECT_GE(white - black, 60);
        }
}

TEST(PieceArtwork, TheThreeSetsAndTheSixTypesLookDifferent) {
    for (PieceType type : kTypes) {
        const QImage a = argb(pieceImage(0, true, type)), b = argb(pieceImage(20, true, type)),
                     c = argb(pieceImage(40, true, type));
        EXPECT_GT(differingPixels(a, b), 300) << describe(20, type, true);
        EXPECT_GT(differingPixels(a, c), 300) << describe(40, type, true);
        EXPECT_GT(differingPixels(b, c), 300) << describe(40, type, true);
    }
    for (int set : kSets)
        for (int i = 0; i < 6; ++i)
            for (int j = i + 1; j < 6; ++j)
                EXPECT_GT(differingPixels(pieceMask(set, kTypes[i]), pieceMask(set, kTypes[j])), 80)
                    << "set " << set << " types " << i << " and " << j << " have nearly one silhouette";
}

TEST(PieceArtwork, PiecesAreDrawnOnceAndUnknownSetsFallBackToTheFirst) {
    EXPECT_EQ(pieceImage(20, true, PieceType::rook).cacheKey(),
              pieceImage(20, true, PieceType::rook).cacheKey());
    EXPECT_EQ(pieceImage(7, false, PieceType::queen).cacheKey(),
              pieceImage(0, false, PieceType::queen).cacheKey());
    EXPECT_FALSE(pieceImage(-1, true, PieceType::pawn).isNull());
}

TEST(PieceArtwork, PieceCodesOfBothSidesMapToTheirType) {
    const PieceType order[] = {PieceType::king,   PieceType::queen,  PieceType::rook,
                               PieceType::knight, PieceType::bishop, PieceType::pawn};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(pieceTypeOf(1 + i), order[i]);
        EXPECT_EQ(pieceTypeOf(11 + i), order[i]);
    }
}

}  // namespace
}  // namespace quorvel::art
