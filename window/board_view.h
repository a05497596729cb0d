#pragma once
// The left part of the window's client area: the toolbar icons and the
// board picture, shown with one copy. The view grows with the window: the
// board is drawn as large as the view allows (board::ViewGeometry), at the
// screen's device pixels. Mouse events go to the mouse input in base
// coordinates, those of the window at its smallest, whatever the size.

#include <QImage>
#include <QWidget>

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Fits the geometry to the view's size and screen; true when it moved.
    bool refit();

    QImage picture_;
    int hoverZone_ = 0;
    board::ViewGeometry geometry_;
};

}  // namespace quorvel
