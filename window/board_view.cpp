#include "window/board_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "resources/artwork.h"
#include "window/board_geometry.h"

namespace quorvel {

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFixedSize(board::kClientOrigin.x() + board::kShownSize + 8,
                 board::kClientOrigin.y() + board::kShownSize + 2);
}

void BoardView::setPicture(QImage image, int hoverZone) {
    picture_ = std::move(image);
    hoverZone_ = hoverZone;
    update();
}

void BoardView::paintEvent(QPaintEvent*) {
    const qreal ratio = scale();
    QPainter painter(this);
    for (int zone = 1; zone <= board::kToolbarZones; ++zone)
        painter.drawPixmap(board::toolbarIconPosition(zone), art::toolbarIcon(zone, false, ratio));
    if (hoverZone_ >= 1 && hoverZone_ <= board::kToolbarZones)
        painter.drawPixmap(board::toolbarIconPosition(hoverZone_), art::toolbarIcon(hoverZone_, true, ratio));
    if (picture_.isNull()) return;
    // The source region is in the picture's own (device) pixels.
    const qreal pictureRatio = picture_.devicePixelRatio();
    const QSizeF shown(board::kShownSize, board::kShownSize);
    painter.drawImage(QRectF(board::kClientOrigin, shown), picture_,
                      QRectF(QPointF(board::kImageSource) * pictureRatio, shown * pictureRatio));
    if (!qFuzzyCompare(pictureRatio, ratio)) Q_EMIT scaleChanged();
}

QImage BoardView::grabClient() {
    return grab().toImage();
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT mouseMoved(event->position().toPoint());
}

void BoardView::leaveEvent(QEvent* event) {
    Q_EMIT mouseLeft();
    QWidget::leaveEvent(event);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Q_EMIT leftPressed(event->position().toPoint());
    if (event->button() == Qt::RightButton) Q_EMIT rightPressed(event->position().toPoint());
}

void BoardView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    // One step per message, whatever the size of the turn; towards the user
    // (negative) scrolls forward.
    if (delta != 0) Q_EMIT wheelTurned(delta < 0 ? +1 : -1);
}

}  // namespace quorvel
