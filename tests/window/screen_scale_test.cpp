// The board on a high-density screen. This suite runs once per scale, each
// in its own process with QT_SCALE_FACTOR set (1, 1.5 and 2): the board is
// drawn at the screen's pixels, not enlarged, while clicks keep their
// logical places.

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <cmath>

#include "window/board_geometry.h"
#include "window/board_renderer.h"
#include "window/board_view.h"
#include "window/dialog_units.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class ScreenScale : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        ASSERT_EQ(window->boardView().devicePixelRatioF(), scale) << "the scale did not reach the window";
    }
    static int devicePixels(int logical, qreal scale) {
        return static_cast<int>(std::lround(logical * scale));
    }

    // The board as the view shows it, 450 x 450 logical pixels.
    QImage grabbedBoard() {
        const QImage view = window->boardView().grabClient();
        const QPoint origin(devicePixels(board::kClientOrigin.x(), scale),
                            devicePixels(board::kClientOrigin.y(), scale));
        return view.copy(QRect(
            origin, QSize(devicePixels(board::kShownSize, scale), devicePixels(board::kShownSize, scale))));
    }
    // The same board drawn at scale 1 and enlarged to the screen's pixels,
    // as a program unaware of the scale would show it.
    QImage enlargedPlainBoard(Qt::TransformationMode mode) {
        BoardRenderer plain(windowFont(96));
        const QImage image = plain.render(play(), controller().display(), 1);
        const QImage shown =
            image.copy(QRect(board::kImageSource, QSize(board::kShownSize, board::kShownSize)));
        const int side = devicePixels(board::kShownSize, scale);
        return shown.scaled(side, side, Qt::IgnoreAspectRatio, mode).convertToFormat(QImage::Format_RGB32);
    }
    // Pixels of `square` (a chess square of the view) that differ by more
    // than a faint shade between two boards.
    int differingPixels(const QImage& a, const QImage& b, const char* square) {
        const QRect logical = board::squareRectInClient(square[0] - 'a' + 1, '9' - square[1])
                                  .translated(-board::kClientOrigin)
                                  .adjusted(2, 2, -2, -2);
        const QRect area(QPoint(devicePixels(logical.left(), scale), devicePixels(logical.top(), scale)),
                         QPoint(devicePixels(logical.right(), scale), devicePixels(logical.bottom(), scale)));
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                        std::abs(qBlue(p) - qBlue(q)) >
                    48)
                    ++count;
            }
        return count;
    }

    qreal scale = 1;
};

TEST_F(ScreenScale, TheBoardHasTheScreensPixels) {
    const QImage picture = window->boardView().picture();
    EXPECT_EQ(picture.devicePixelRatio(), scale);
    EXPECT_EQ(picture.width(), devicePixels(board::kImageSize, scale));
    const QImage view = window->boardView().grabClient();
    EXPECT_EQ(view.size(), window->boardView().size() * scale);
    EXPECT_EQ(grabbedBoard().width(), devicePixels(board::kShownSize, scale));
    // The toolbar and the logo too.
    const QPixmap logo = window->layout().logo->pixmap();
    EXPECT_EQ(logo.devicePixelRatio(), scale);
    EXPECT_EQ(logo.deviceIndependentSize().toSize(), window->layout().logo->size());
}

TEST_F(ScreenScale, PiecesAreDrawnAtThatSizeNotEnlarged) {
    const QImage shown = grabbedBoard();
    if (scale == 1) {
        // Nothing to enlarge: the very picture of scale 1.
        EXPECT_EQ(differingPixels(shown, enlargedPlainBoard(Qt::FastTransformation), "e2"), 0);
        return;
    }
    const int squarePixels = devicePixels(46, scale) * devicePixels(46, scale);
    for (const Qt::TransformationMode mode : {Qt::FastTransformation, Qt::SmoothTransformation}) {
        const QImage enlarged = enlargedPlainBoard(mode);
        SCOPED_TRACE(mode == Qt::FastTransformation ? "fast enlargement" : "smooth enlargement");
        // Piece edges differ: a pawn, a knight, a black queen.
        for (const char* square : {"e2", "g1", "d8"})
            EXPECT_GT(differingPixels(shown, enlarged, square), squarePixels / 40) << square;
        // An empty square's inside is the same colour either way.
        EXPECT_EQ(differingPixels(shown, enlarged, "e4"), 0);
    }
}

// The keyboard's focus square, at the screen's pixels: a black ring, then
// a white one, each at least as thick on the screen as in the picture, on a
// dark and on a light square.
TEST_F(ScreenScale, TheFocusSquareShowsAtTheScreensPixels) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    BoardView& view = window->boardView();
    view.setFocus();
    for (const Qt::Key step : {Qt::Key_Right, Qt::Key_Up}) {
        QTest::keyClick(&view, step);  // f1 (light), then f2 (dark)
        const QImage shown = view.grabClient();
        const QRect square = view.geometry().pictureSquareRect(view.focusSquare().x(), view.focusSquare().y()).toAlignedRect();
        const int y = devicePixels(square.center().y(), scale);
        int black = 0, white = 0;
        // From the square's outline inwards, six pixels of the picture.
        for (int x = devicePixels(square.left() + 1, scale); x < devicePixels(square.left() + 7, scale); ++x) {
            const QRgb p = shown.pixel(x, y);
            black += p == qRgb(0, 0, 0);
            white += p == qRgb(255, 255, 255);
        }
        EXPECT_GE(black, devicePixels(3, scale) - 1) << "after key " << step;
        EXPECT_GE(white, devicePixels(2, scale) - 1) << "after key " << step;
    }
}

TEST_F(ScreenScale, ClicksKeepTheirLogicalPlaces) {
    playChess("e2", "e4");
    ASSERT_GE(record().plyCount, 1);
    EXPECT_EQ(record().moves[0].str(), "e2-e4");
}

}  // namespace
}  // namespace quorvel::testing
