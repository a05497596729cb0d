#include "window/board_geometry.h"

#include <gtest/gtest.h>

namespace quorvel::board {
namespace {

TEST(BoardGeometry, TopRowStartsAtY54AndTurningFlipsIt) {
    // x = 40 is in the first column.
    EXPECT_FALSE(hitSquare(40, 53, false, false).onBoard());
    EXPECT_EQ(hitSquare(40, 54, false, false), (Square{1, 8}));
    EXPECT_EQ(hitSquare(40, 54, false, true), (Square{8, 1}));
    // The human as Black, board not turned: the top-left square is (1, 1).
    EXPECT_EQ(hitSquare(40, 54, true, false), (Square{1, 1}));
    EXPECT_EQ(hitSquare(40, 54, true, true), (Square{8, 8}));
    // Left of the first column and below the last row are off the board in
    // every view.
    for (bool pib : {false, true}) {
        for (bool turned : {false, true}) {
            EXPECT_FALSE(hitSquare(30, 200, pib, turned).onBoard());
            EXPECT_FALSE(hitSquare(200, 454, pib, turned).onBoard());
            EXPECT_FALSE(hitSquare(440, 200, pib, turned).onBoard());
        }
    }
}

// Squares are 50 pixels: rows start at y = 103, 153, ... (the top row at
// 54, below the toolbar) and columns at x = 38, 88, ... in the client area.
TEST(BoardGeometry, NeighbouringSquaresMeetAtExactPixels) {
    for (int row = 0; row < 8; ++row) {
        const int top = row == 0 ? 54 : 53 + 50 * row;
        EXPECT_EQ(hitSquare(40, top, false, false).y, 8 - row) << "y " << top;
        if (row > 0) {
            EXPECT_EQ(hitSquare(40, top - 1, false, false).y, 9 - row) << "y " << top - 1;
        }
    }
    for (int column = 0; column < 8; ++column) {
        const int left = 38 + 50 * column;
        EXPECT_EQ(hitSquare(left, 200, false, false).x, column + 1) << "x " << left;
        EXPECT_NE(hitSquare(left - 1, 200, false, false).x, column + 1) << "x " << left - 1;
    }
}

TEST(BoardGeometry, EverySquareIsHitAtItsCentreInTheFourViews) {
    for (bool pib : {false, true}) {
        for (bool turned : {false, true}) {
            for (int x = 1; x <= 8; ++x) {
                for (int y = 1; y <= 8; ++y) {
                    const QPoint picture = pictureSquareOf({x, y}, pib, turned);
                    EXPECT_EQ(shownSquare(picture.x(), picture.y(), pib, turned), (Square{x, y}));
                    const QPoint centre = squareRectInClient(picture.x(), picture.y()).center();
                    EXPECT_EQ(hitSquare(centre.x(), centre.y(), pib, turned), (Square{x, y}))
                        << "pib " << pib << " turned " << turned << " square " << x << "," << y;
                }
            }
        }
    }
}

TEST(BoardGeometry, ToolbarZonesAndTheirBounds) {
    EXPECT_EQ(toolbarZoneAt(31, 5), 0);
    EXPECT_EQ(toolbarZoneAt(69, 24), 0);
    EXPECT_EQ(toolbarZoneAt(96, 10), 1);
    EXPECT_EQ(toolbarZoneAt(351, 10), 7);
    EXPECT_EQ(toolbarZoneAt(352, 10), -1);
    EXPECT_EQ(toolbarZoneAt(100, 4), -1);
    EXPECT_EQ(toolbarZoneAt(100, 25), -1);
    EXPECT_EQ(toolbarZoneAt(80, 10), -1);  // the gap between zones 0 and 1
    EXPECT_EQ(toolbarHelpText(6), QString::fromUtf8("-> Tourner l'échiquier de 180°"));
    // Every icon lies inside its own zone.
    for (int z = 1; z <= kToolbarZones; ++z) {
        const QPoint icon = toolbarIconPosition(z);
        EXPECT_EQ(toolbarZoneAt(icon.x() + 4, icon.y() + 4), z);
    }
}

}  // namespace
}  // namespace quorvel::board
