// A window that grows: the board takes the room it is given, square and
// centred, drawn at its size; clicks, the toolbar and the history arrows
// follow it; the size comes back at the next start.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "storage/preferences_file.h"
#include "window/board_geometry.h"
#include "window/board_view.h"
#include "window/command_ids.h"
#include "window/mouse_input.h"
#include "window/up_down_control.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class WindowSize : public WindowTest {
protected:
    void resizeTo(QSize size) {
        window->resize(size);
        QApplication::processEvents();
    }
    const board::ViewGeometry& geometry() { return window->boardView().geometry(); }
    // A real mouse event on the board view, at a point of the view.
    void sendToView(QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton) {
        BoardView& view = window->boardView();
        QMouseEvent event(type, at, view.mapToGlobal(at), button, button, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }
    // The board as the screen shows it, in device pixels.
    QImage shownBoard() {
        const QImage view = window->boardView().grabClient();
        const qreal s = view.devicePixelRatio();
        const QRectF board = geometry().boardRect();
        return view.copy(QRect(QPoint(std::lround(board.x() * s), std::lround(board.y() * s)),
                               QSize(std::lround(board.width() * s), std::lround(board.height() * s))));
    }
};

TEST_F(WindowSize, TheWindowStartsAtItsFormerSizeWhichIsItsSmallest) {
    EXPECT_EQ(window->size(), window->minimumSize().expandedTo(window->minimumSizeHint()));
    EXPECT_EQ(window->boardView().size(), board::ViewGeometry::kBaseViewSize);
    EXPECT_EQ(geometry().zoom(), 1);
    const QSize smallest = window->size();
    resizeTo(smallest - QSize(200, 100));
    EXPECT_EQ(window->size(), smallest);
    resizeTo(smallest + QSize(300, 200));
    EXPECT_EQ(window->size(), smallest + QSize(300, 200));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
}

// At three sizes: the board square and centred in its part of the window,
// drawn at that size (the picture has as many pixels as the screen shows,
// copied without resampling), and a game played by clicks on it.
TEST_F(WindowSize, ClicksAndDrawingFollowTheBoardAtEverySize) {
    const QSize smallest = window->size();
    const QSize sizes[] = {smallest, smallest + QSize(330, 150), QSize(2560, 1400)};
    qreal lastZoom = 0;
    for (const QSize size : sizes) {
        SCOPED_TRACE(::testing::Message() << size.width() << "x" << size.height());
        window->runCommand(cmd::kNewGame);
        window->runCommand(cmd::kModeHumanHuman);
        resizeTo(size);
        const board::ViewGeometry& g = geometry();
        EXPECT_GT(g.zoom(), lastZoom);
        lastZoom = g.zoom();

        // Square and centred in the view, clear of the panel.
        const QRectF board = g.boardRect();
        EXPECT_DOUBLE_EQ(board.width(), board.height());
        const QSize view = window->boardView().size();
        const qreal left = board.left() - board::kClientOrigin.x();
        const qreal right = view.width() - board.right() - 8;
        EXPECT_LE(std::abs(left - right), 1.0);
        EXPECT_LE(board.right(), window->layout().searchGroup->geometry().left());
        EXPECT_LE(board.bottom(), window->layout().quit->geometry().top());

        // Drawn at its size: the picture's scale is the board's, and the
        // screen shows its pixels one for one.
        const QImage picture = window->boardView().picture();
        ASSERT_DOUBLE_EQ(picture.devicePixelRatio(), g.pictureScale());
        const qreal f = g.pictureScale();
        const QImage shownRegion = picture.copy(QRect(QPoint(std::lround(20 * f), std::lround(20 * f)),
                                                      QSize(std::lround(450 * f), std::lround(450 * f))));
        EXPECT_EQ(shownBoard().convertToFormat(QImage::Format_RGB32),
                  shownRegion.convertToFormat(QImage::Format_RGB32));

        // Every square is hit near its corners, whatever the size: three
        // pixels of the smallest board inside (the hit test leaves the top
        // row's first two to the frame).
        const QPointF inside = QPointF(3, 3) * g.zoom();
        for (int x = 1; x <= 8; ++x) {
            for (int y = 1; y <= 8; ++y) {
                const QRectF rect = window->squareOnScreen({x, y});
                for (const QPointF corner : {rect.topLeft() + inside, rect.bottomRight() - inside}) {
                    const QPoint base = g.toBase(corner);
                    EXPECT_EQ(board::hitSquare(base.x(), base.y(), false, false), (board::Square{x, y}))
                        << x << "," << y << " at " << corner.x() << "," << corner.y();
                }
            }
        }
        // A click in the margin left of the board is no square.
        leftClick(QPoint(static_cast<int>(board.left()) / 2, static_cast<int>(board.center().y())));
        EXPECT_FALSE(play().markerOn);
        // A move by two clicks, the selection drawn where it was clicked.
        clickChess("e2");
        ASSERT_TRUE(play().markerOn);
        const QImage shown = window->boardView().grabClient();
        const QPointF corner = window->squareOnScreen({5, 2}).topLeft() + QPointF(4, 4);
        const qreal s = shown.devicePixelRatio();
        EXPECT_EQ(shown.pixel(std::lround(corner.x() * s), std::lround(corner.y() * s)) & 0xFFFFFF,
                  BoardRenderer::kMarker & 0xFFFFFF);
        clickChess("e4");
        ASSERT_EQ(record().plyCount, 1);
        EXPECT_EQ(record().moves[0].str(), "e2-e4");
    }
}

// The toolbar stays its size right above the board, its icons working, and
// the history arrows stay over their zone.
TEST_F(WindowSize, TheToolbarAndTheArrowsFollowTheBoard) {
    const QPoint arrowsBefore = window->layout().history->pos();
    resizeTo(window->size() + QSize(500, 300));
    const QPointF shift = geometry().toolbarShift();
    ASSERT_GT(shift.x(), 0);
    EXPECT_EQ(window->layout().history->pos(), arrowsBefore + shift.toPoint());
    EXPECT_LT(geometry().toolbarIconPosition(1).y() + 16, geometry().boardRect().top());

    const QPointF icon = geometry().toolbarIconPosition(6) + QPointF(8, 8);  // "Tourner l'échiquier"
    sendToView(QEvent::MouseMove, icon);
    EXPECT_EQ(shownStatus(), QString::fromUtf8("-> Tourner l'échiquier de 180°"));
    sendToView(QEvent::MouseButtonPress, icon, Qt::LeftButton);
    EXPECT_TRUE(controller().display().boardTurned);
    // Where zone 6 was at the smallest size there is now nothing.
    sendToView(QEvent::MouseMove, QPointF(board::toolbarIconPosition(6)) + QPointF(8, 8));
    EXPECT_EQ(window->mouse().hoverZone(), 0);
}

// The size (and the maximized state) is the user's: kept beside
// quorvel.ini, which keeps its 183 bytes, and taken back at the next start.
TEST_F(WindowSize, TheSizeAndTheMaximizedStateComeBackAtTheNextStart) {
    const QSize chosen = window->size() + QSize(240, 160);
    resizeTo(chosen);
    dialogs.answers.push_back(BoxAnswer::yes);
    window->runCommand(cmd::kQuit);
    ASSERT_FALSE(window->isVisible());
    EXPECT_EQ(QFileInfo(configFile("quorvel.ini")).size(), 183);
    const auto kept = readPreferences(configFile("preferences.ini").toStdString());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->text("window.width"), std::to_string(chosen.width()));
    EXPECT_EQ(kept->text("window.maximized"), "0");
    {
        GameWindow next(dialogs, *locations);
        next.readSettingsFile();
        EXPECT_EQ(next.size(), chosen);
        EXPECT_FALSE(next.windowState() & Qt::WindowMaximized);
        // Maximized, the window keeps the size it comes back to.
        next.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&next));
        next.showMaximized();
        QApplication::processEvents();
        dialogs.answers.push_back(BoxAnswer::yes);
        next.runCommand(cmd::kQuit);
    }
    GameWindow third(dialogs, *locations);
    third.readSettingsFile();
    EXPECT_TRUE(third.windowState() & Qt::WindowMaximized);
    third.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(third.size(), chosen);
}

TEST_F(WindowSize, ADamagedOrTooSmallSizeGivesTheSmallest) {
    const QSize smallest = window->size();
    const char* const damaged[][2] = {{"abc", "600"}, {"10", "10"}, {"99999999", "800"}, {"", ""}};
    for (const auto& values : damaged) {
        SCOPED_TRACE(values[0]);
        Preferences preferences;
        preferences.set("window.width", values[0]);
        preferences.set("window.height", values[1]);
        preferences.set("window.maximized", "peut-être");
        ASSERT_TRUE(writePreferences(configFile("preferences.ini").toStdString(), preferences));
        GameWindow next(dialogs, *locations);
        next.readSettingsFile();
        EXPECT_EQ(next.size().width(), smallest.width());
        EXPECT_FALSE(next.windowState() & Qt::WindowMaximized);
    }
}

}  // namespace
}  // namespace quorvel::testing
