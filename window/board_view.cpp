#include "window/board_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "resources/artwork.h"

namespace quorvel {

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMinimumSize(board::ViewGeometry::kBaseViewSize);
    resize(board::ViewGeometry::kBaseViewSize);
    refit();
}

bool BoardView::refit() {
    const board::ViewGeometry fitted = board::ViewGeometry::fitting(size(), devicePixelRatioF());
    if (fitted == geometry_) return false;
    geometry_ = fitted;
    return true;
}

void BoardView::setPicture(QImage image, int hoverZone) {
    picture_ = std::move(image);
    hoverZone_ = hoverZone;
    update();
}

void BoardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (refit()) Q_EMIT scaleChanged();
}

void BoardView::paintEvent(QPaintEvent*) {
    // The screen may have changed since the last size change.
    refit();
    const qreal ratio = devicePixelRatioF();
    QPainter painter(this);
    for (int zone = 1; zone <= board::kToolbarZones; ++zone)
        painter.drawPixmap(geometry_.toolbarIconPosition(zone), art::toolbarIcon(zone, false, ratio));
    if (hoverZone_ >= 1 && hoverZone_ <= board::kToolbarZones)
        painter.drawPixmap(geometry_.toolbarIconPosition(hoverZone_),
                           art::toolbarIcon(hoverZone_, true, ratio));
    if (picture_.isNull()) return;
    // The source region is in the picture's own (device) pixels, as many as
    // the board takes on the screen.
    const qreal pictureRatio = picture_.devicePixelRatio();
    const QSizeF shown(board::kShownSize, board::kShownSize);
    painter.drawImage(geometry_.boardRect(), picture_,
                      QRectF(QPointF(board::kImageSource) * pictureRatio, shown * pictureRatio));
    if (!qFuzzyCompare(pictureRatio, geometry_.pictureScale())) Q_EMIT scaleChanged();
}

QImage BoardView::grabClient() {
    return grab().toImage();
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT mouseMoved(geometry_.toBase(event->position()));
}

void BoardView::leaveEvent(QEvent* event) {
    Q_EMIT mouseLeft();
    QWidget::leaveEvent(event);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    const QPoint base = geometry_.toBase(event->position());
    if (event->button() == Qt::LeftButton) Q_EMIT leftPressed(base);
    if (event->button() == Qt::RightButton) Q_EMIT rightPressed(base);
}

void BoardView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    // One step per message, whatever the size of the turn; towards the user
    // (negative) scrolls forward.
    if (delta != 0) Q_EMIT wheelTurned(delta < 0 ? +1 : -1);
}

}  // namespace quorvel
