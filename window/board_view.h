#pragma once
// The left part of the window's client area: the toolbar icons and the
// board picture, shown with one copy. The view grows with the window: the
// board is drawn as large as the view allows (board::ViewGeometry), at the
// screen's device pixels. Mouse events go to the mouse input in base
// coordinates, those of the window at its smallest, whatever the size.
//
// With the keyboard focus the view shows a focus square, which the arrow
// keys move; Space and Enter press it, Escape drops a selection, and a
// letter or a digit starts a typed move. For screen readers the view is a
// list of the 64 squares, the focused item the focus square.

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>

#include "window/board_geometry.h"

namespace quorvel {

class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    void setPicture(QImage image, int hoverZone);
    const QImage& picture() const { return picture_; }
    // Where the board and the toolbar lie at the view's current size.
    const board::ViewGeometry& geometry() const { return geometry_; }
    // Device pixels per picture pixel the board wants now (the screen's
    // scale times the board's zoom).
    qreal scale() const { return geometry_.pictureScale(); }
    // The view as the window shows it, for tests.
    QImage grabClient();

    // Keyboard
    // The focus square as a picture square (c, r), 1..8 from the left and
    // from the top; drawn while the view has the keyboard focus and the
    // keyboard is in use: after a key on the board, or the focus brought by
    // Tab, until the next click.
    void setFocusSquare(QPoint pictureSquare);
    QPoint focusSquare() const { return focusSquare_; }
    // Whether Escape has a selection to drop here, asked as the key comes:
    // otherwise the window's own Escape acts.
    void setSelectionQuery(std::function<bool()> hasSelection) { hasSelection_ = std::move(hasSelection); }

    // Screen readers
    // What each picture square shows ("e4, pion blanc"), at 8 * (r - 1) + c - 1.
    using SquareTexts = std::array<QString, 64>;
    void setSquareTexts(SquareTexts texts);
    const QString& squareText(QPoint pictureSquare) const;
    static int squareIndex(QPoint pictureSquare) {
        return 8 * (pictureSquare.y() - 1) + pictureSquare.x() - 1;
    }

Q_SIGNALS:
    void mouseMoved(QPoint base);
    void mouseLeft();
    void leftPressed(QPoint base);
    void rightPressed(QPoint base);
    void wheelTurned(int steps);
    // The picture's scale no longer matches the board's (the view grew or
    // shrank, or the window moved to another screen): the picture wants
    // drawing again.
    void scaleChanged();
    // Keys of the focused view: an arrow (dx +1 right, dy +1 down), Space or
    // Enter on the focus square, Escape with a selection, the first
    // character of a typed move.
    void focusStepped(int dx, int dy);
    void focusPressed();
    void escapePressed();
    void typingStarted(const QString& text);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Fits the geometry to the view's size and screen; true when it moved.
    bool refit();
    // The keys the view takes before the window's shortcuts do.
    bool wantsKey(const QKeyEvent& key) const;
    // Tells screen readers which square has the focus.
    void reportFocusSquare();
    void showFocusSquare();

    QImage picture_;
    int hoverZone_ = 0;
    board::ViewGeometry geometry_;
    QPoint focusSquare_{5, 8};
    bool focusShown_ = false;  // the keyboard is in use on the board
    std::function<bool()> hasSelection_;
    SquareTexts squareTexts_;
};

// The focus square's frame over the picture square's rectangle on the
// screen: a black ring and a white one inside it, seen on the light and the
// dark squares, the red marker and the reachable squares alike, and unlike
// the marker, which fills the square. `zoom` is the board's (1 at the
// window's smallest): the rings grow with the squares.
void paintFocusSquare(QPainter& painter, const QRectF& square, qreal zoom);

}  // namespace quorvel
