#pragma once
// The left part of the window's client area: the toolbar icons and the
// board picture, shown with one copy. Mouse events go to the mouse input in
// client coordinates (this view sits at the client's origin). Pictures are
// drawn at the screen's device pixel ratio; geometry stays in logical
// pixels.

#include <QImage>
#include <QWidget>

namespace quorvel {

class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    void setPicture(QImage image, int hoverZone);
    const QImage& picture() const { return picture_; }
    // Device pixels per logical pixel of the screen the view is on.
    qreal scale() const { return devicePixelRatioF(); }
    // The view as the window shows it, for tests.
    QImage grabClient();

Q_SIGNALS:
    void mouseMoved(QPoint client);
    void mouseLeft();
    void leftPressed(QPoint client);
    void rightPressed(QPoint client);
    void wheelTurned(int steps);
    // The screen's ratio no longer matches the picture's (the window moved
    // to another screen): the picture wants drawing again.
    void scaleChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage picture_;
    int hoverZone_ = 0;
};

}  // namespace quorvel
