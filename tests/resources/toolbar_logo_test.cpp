#include <gtest/gtest.h>

#include <QImage>

#include "image_checks.h"
#include "resources/artwork.h"

namespace quorvel::art {
namespace {

using testing::differingPixels;

TEST(ToolbarArtwork, SevenOpaqueIconsEachWithAVisiblyDifferentHighlight) {
    for (int zone = 1; zone <= 7; ++zone) {
        const QImage normal = toolbarIcon(zone, false).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage lit = toolbarIcon(zone, true).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(normal.size(), QSize(16, 16)) << zone;
        ASSERT_EQ(lit.size(), QSize(16, 16)) << zone;
        // Copied without transparency: every pixel must be opaque.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) ASSERT_EQ(qAlpha(normal.pixel(x, y)), 255) << zone;
        EXPECT_GT(differingPixels(normal, lit), 60) << "zone " << zone;
        for (int other = 1; other < zone; ++other)
            EXPECT_GT(differingPixels(
                          normal, toolbarIcon(other, false).toImage().convertToFormat(QImage::Format_ARGB32)),
                      30)
                << "zones " << other << " and " << zone;
    }
    EXPECT_EQ(toolbarIcon(0, false).size(), QSize(16, 16)) << "no zone gives the empty button";
}

TEST(TitleArtwork, LogoHasItsSizeAndTheIconAllItsSizes) {
    const QImage logo = titleLogo().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(logo.size(), QSize(233, 33));
    int inked = 0;
    for (int y = 0; y < 33; ++y)
        for (int x = 40; x < 160; ++x)
            if (qAlpha(logo.pixel(x, y)) > 200 && qGray(logo.pixel(x, y)) < 120) ++inked;
    EXPECT_GT(inked, 500) << "the name must be drawn in a dark ink";

    const QIcon icon = applicationIcon();
    ASSERT_FALSE(icon.isNull());
    for (int side : {16, 32, 48, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(side, side))) << side;
        const QImage picture = icon.pixmap(side, side).toImage();
        EXPECT_EQ(picture.size(), QSize(side, side));
    }
}

}  // namespace
}  // namespace quorvel::art
