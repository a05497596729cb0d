#pragma once
// The left part of the window's client area: the toolbar icons and the
// board picture, shown with one copy. Mouse events go to the mouse input in
// client coordinates (this view sits at the client's origin).

#include <QImage>
#include <QWidget>

namespace quorvel {

class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    void setPicture(QImage image, int hoverZone);
    const QImage& picture() const { return picture_; }
    // The view as the window shows it, for tests.
    QImage grabClient();

Q_SIGNALS:
    void mouseMoved(QPoint client);
    void mouseLeft();
    void leftPressed(QPoint client);
    void rightPressed(QPoint client);
    void wheelTurned(int steps);

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
