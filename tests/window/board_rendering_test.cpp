// The board picture's known pixels: the light corner, the marker and the
// two colours of the reachable squares, in the four orientations.

#include <QImage>

#include "window/board_geometry.h"
#include "window/board_renderer.h"
#include "window/board_view.h"
#include "window/mouse_input.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class BoardRendering : public WindowTest {
protected:
    // Colour shown at the centre of the stored square (X, Y), sampled from
    // the view as the window shows it.
    QRgb shownColour(int x, int y) {
        const QImage shown = window->boardView().grabClient();
        const QPoint picture =
            board::pictureSquareOf({x, y}, record().playerIsBlack, controller().display().boardTurned);
        // A corner of the square, away from the piece drawn in its middle.
        const QRect rect = board::squareRectInClient(picture.x(), picture.y());
        return shown.pixel(rect.topLeft() + QPoint(4, 4)) & 0xFFFFFF;
    }
    static QRgb rgb(std::uint32_t bgr) { return colourFromBgr(bgr).rgb() & 0xFFFFFF; }
};

TEST_F(BoardRendering, CornersMarkerAndReachableSquaresInTheFourViews) {
    const QRgb light = rgb(DisplayOptions::kDefaultLight);
    const QRgb dark = rgb(DisplayOptions::kDefaultDark);
    for (bool humanBlack : {false, true}) {
        for (bool turned : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "human black " << humanBlack << " turned " << turned);
            // Black to move when the human plays Black, so the click selects.
            setFen(humanBlack ? "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1" : kStartFen,
                   humanBlack);
            controller().display().boardTurned = turned;
            controller().repaint();
            // a8 and h1 are light in every view; a1 is dark.
            EXPECT_EQ(shownColour(1, humanBlack ? 1 : 8), light);
            EXPECT_EQ(shownColour(8, humanBlack ? 8 : 1), light);
            EXPECT_EQ(shownColour(1, humanBlack ? 8 : 1), dark);
            // The human's e-pawn selected: its square red, the two squares
            // ahead in the two reachable colours.
            const QPoint pawn = storedSquarePoint(5, 2);
            leftClick(pawn);
            ASSERT_TRUE(play().markerOn);
            EXPECT_EQ(shownColour(5, 2), QRgb(BoardRenderer::kMarker & 0xFFFFFF));
            const bool thirdRowLight = humanBlack;  // e3 is dark, e6 light
            const QRgb onLight =
                (humanBlack ? BoardRenderer::kReachableB : BoardRenderer::kReachableA) & 0xFFFFFF;
            const QRgb onDark =
                (humanBlack ? BoardRenderer::kReachableA : BoardRenderer::kReachableB) & 0xFFFFFF;
            EXPECT_EQ(shownColour(5, 3), thirdRowLight ? onLight : onDark);
            EXPECT_EQ(shownColour(5, 4), thirdRowLight ? onDark : onLight);
            EXPECT_EQ(shownColour(5, 5), humanBlack ? light : dark);  // e5 or e4, out of reach
            window->mouse().onRightButtonDown();
            EXPECT_FALSE(play().markerOn);
        }
    }
}

TEST_F(BoardRendering, DefaultColoursComeBackAfterCustomOnes) {
    dialogs.colours.push_back(QColor(10, 200, 30));
    window->runCommand(32808);
    EXPECT_EQ(controller().display().darkColour, 0x001EC80Au);
    EXPECT_EQ(shownColour(1, 1), qRgb(10, 200, 30) & 0xFFFFFF);
    window->runCommand(32834);
    EXPECT_EQ(controller().display().darkColour, 0x0098645Au);
    EXPECT_EQ(controller().display().lightColour, 0x00F0F0F0u);
    EXPECT_EQ(controller().display().borderColour, 0x00CACACAu);
    EXPECT_EQ(shownColour(1, 1), rgb(DisplayOptions::kDefaultDark));
}

}  // namespace
}  // namespace quorvel::testing
