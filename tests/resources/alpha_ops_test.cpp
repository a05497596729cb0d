#include "resources/alpha_ops.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace quorvel::art {
namespace {

QImage ring(int gapWidth) {
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(4, 4, 11, 11);
    if (gapWidth > 0)
        p.setCompositionMode(QPainter::CompositionMode_Clear), p.fillRect(8, 0, gapWidth, 6, Qt::black);
    p.end();
    return alphaOf(image);
}

TEST(AlphaOps, FilledInteriorFillsClosedOutlinesOnly) {
    const QImage closed = filledInterior(ring(0));
    EXPECT_EQ(closed.pixelColor(10, 10).alpha(), 255) << "inside a closed outline";
    EXPECT_EQ(closed.pixelColor(1, 1).alpha(), 0) << "outside stays clear";
    EXPECT_EQ(closed.pixelColor(18, 10).alpha(), 0);
    const QImage open = filledInterior(ring(3));
    EXPECT_EQ(open.pixelColor(10, 10).alpha(), 0) << "the outside leaks in through a gap";
}

TEST(AlphaOps, BlurSpreadsButKeepsTheShapeAndDilationGrowsIt) {
    QImage dot(21, 21, QImage::Format_Alpha8);
    dot.fill(0);
    for (int y = 8; y <= 12; ++y)
        for (int x = 8; x <= 12; ++x) dot.scanLine(y)[x] = 255;
    const QImage soft = blurred(dot, 1, 3);
    EXPECT_GT(soft.pixelColor(10, 10).alpha(), 200);
    EXPECT_GT(soft.pixelColor(13, 10).alpha(), 0) << "the edge softens outwards";
    EXPECT_LT(soft.pixelColor(12, 12).alpha(), 255);
    EXPECT_EQ(soft.pixelColor(0, 0).alpha(), 0);
    const QImage grown = dilated(dot, 2);
    EXPECT_EQ(grown.pixelColor(14, 10).alpha(), 255);
    EXPECT_EQ(grown.pixelColor(15, 10).alpha(), 0);
}

TEST(AlphaOps, TintKeepsTheAlphaScaledByTheColour) {
    QImage alpha(2, 1, QImage::Format_Alpha8);
    alpha.scanLine(0)[0] = 255;
    alpha.scanLine(0)[1] = 0;
    const QImage tint = tinted(alpha, QColor(0, 0, 0, 128)).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(tint.pixel(0, 0)), 128);
    EXPECT_EQ(qAlpha(tint.pixel(1, 0)), 0);
}

}  // namespace
}  // namespace quorvel::art
