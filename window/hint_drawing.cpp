#include "window/hint_drawing.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "window/board_geometry.h"

namespace quorvel {

namespace {

const QColor kFill(30, 170, 80, 215);
const QColor kEdge(10, 45, 20);
const QColor kHalo(255, 255, 255, 170);

// The arrow as one outline: a shaft ending in a head at `to`.
QPainterPath arrowPath(QPointF from, QPointF to) {
    const QLineF line(from, to);
    constexpr double kShaft = 4.5, kHeadLength = 20, kHeadWidth = 12;
    QPainterPath path;
    const double length = line.length();
    if (length < kHeadLength) return path;
    // Built along the x axis, then turned and moved onto the line.
    path.moveTo(0, -kShaft);
    path.lineTo(length - kHeadLength, -kShaft);
    path.lineTo(length - kHeadLength, -kHeadWidth);
    path.lineTo(length, 0);
    path.lineTo(length - kHeadLength, kHeadWidth);
    path.lineTo(length - kHeadLength, kShaft);
    path.lineTo(0, kShaft);
    path.closeSubpath();
    QTransform place;
    place.translate(from.x(), from.y());
    place.rotate(-line.angle());
    return place.map(path);
}

}  // namespace

QPoint pictureSquareOfChess(ChessSquare square, bool playerIsBlack, bool boardTurned) {
    // The stored board is mirrored rank-wise while the player has Black.
    const board::Square stored{square.file, playerIsBlack ? 9 - square.rank : square.rank};
    return board::pictureSquareOf(stored, playerIsBlack, boardTurned);
}

void drawHintArrow(QImage& picture, ChessSquare from, ChessSquare to, bool playerIsBlack, bool boardTurned) {
    const QPoint fromSquare = pictureSquareOfChess(from, playerIsBlack, boardTurned);
    const QPoint toSquare = pictureSquareOfChess(to, playerIsBlack, boardTurned);
    const QRectF fromRect = board::squareRectInImage(fromSquare.x(), fromSquare.y());
    const QRectF toRect = board::squareRectInImage(toSquare.x(), toSquare.y());

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    // The squares: a frame inside each, the arrival one stronger.
    for (const auto& [rect, width] : {std::pair{fromRect, 3.0}, std::pair{toRect, 5.0}}) {
        const QRectF inner = rect.adjusted(width / 2 + 2, width / 2 + 2, -width / 2 - 2, -width / 2 - 2);
        painter.setPen(QPen(kHalo, width + 3));
        painter.drawRect(inner);
        painter.setPen(QPen(kEdge, width + 1.5));
        painter.drawRect(inner);
        painter.setPen(QPen(kFill, width));
        painter.drawRect(inner);
    }
    // The arrow, from the centre of the first square to the edge of the second.
    const QLineF line(fromRect.center(), toRect.center());
    QLineF shortened = line;
    shortened.setLength(std::max(0.0, line.length() - 10));
    const QPainterPath arrow = arrowPath(shortened.p1(), shortened.p2());
    painter.setPen(QPen(kHalo, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(arrow);
    painter.setPen(QPen(kEdge, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kFill);
    painter.drawPath(arrow);
}

}  // namespace quorvel
