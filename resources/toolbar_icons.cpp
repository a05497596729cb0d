#include "resources/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "resources/artwork.h"

namespace quorvel::art {

namespace {

const QColor kInk(30, 30, 30);

void newGame(QPainter& p) {
    // A small chessboard: the game starts afresh.
    p.fillRect(QRectF(2, 2, 12, 12), QColor(250, 250, 250));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if ((r + c) % 2) p.fillRect(QRectF(2 + 3 * c, 2 + 3 * r, 3, 3), QColor(90, 100, 152));
    p.setPen(QPen(kInk, 1));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
}

void loadGame(QPainter& p) {
    // An opening yellow folder.
    p.setPen(QPen(QColor(120, 90, 10), 1));
    p.setBrush(QColor(230, 190, 60));
    p.drawPolygon(QPolygonF({{1.5, 3.5}, {6.5, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(QColor(250, 220, 110));
    p.drawPolygon(QPolygonF({{3.5, 7.5}, {15, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
}

void saveGame(QPainter& p) {
    // A diskette.
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(QColor(60, 90, 170));
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
    p.fillRect(QRectF(4, 2, 7, 4), QColor(235, 235, 235));
    p.fillRect(QRectF(8, 2.5, 2, 3), QColor(60, 90, 170));
    p.fillRect(QRectF(3.5, 9, 9, 5), QColor(250, 250, 250));
}

void computerFirst(QPainter& p) {
    // A screen with a "play" sign on it.
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(200, 200, 205));
    p.drawRect(QRectF(1.5, 1.5, 13, 10));
    p.fillRect(QRectF(3, 3, 10, 7), QColor(40, 70, 140));
    p.fillRect(QRectF(6, 12, 4, 2), QColor(120, 120, 125));
    p.fillRect(QRectF(3, 14, 10, 1.5), QColor(90, 90, 95));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 230, 120));
    p.drawPolygon(QPolygonF({{6.5, 4}, {10.5, 6.5}, {6.5, 9}}));
}

void changeSide(QPainter& p) {
    // A disc half white, half black, with the arrow of the swap.
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawPie(QRectF(2.5, 1.5, 11, 11), 90 * 16, 180 * 16);
    p.setBrush(kInk);
    p.drawPie(QRectF(2.5, 1.5, 11, 11), -90 * 16, 180 * 16);
    p.setPen(QPen(QColor(180, 30, 30), 1.5));
    p.drawLine(QPointF(3, 14.5), QPointF(13, 14.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(180, 30, 30));
    p.drawPolygon(QPolygonF({{1, 14.5}, {4.5, 12}, {4.5, 17}}));
    p.drawPolygon(QPolygonF({{15, 14.5}, {11.5, 12}, {11.5, 17}}));
}

void arrowHead(QPainter& p, QPointF tip, QPointF back1, QPointF back2, QColor colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({tip, back1, back2}));
}

void turnBoard(QPainter& p) {
    // A half-turn arrow around a tiny board.
    p.fillRect(QRectF(5, 5, 3, 3), kInk);
    p.fillRect(QRectF(8, 8, 3, 3), kInk);
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(5, 5, 6, 6));
    const QColor blue(30, 90, 200);
    p.setPen(QPen(blue, 1.6));
    p.drawArc(QRectF(1.5, 1.5, 13, 13), 100 * 16, 200 * 16);
    arrowHead(p, QPointF(11.5, 14.5), QPointF(7.5, 11.5), QPointF(7.5, 16), blue);
}

void takeBack(QPainter& p) {
    // The curved "undo" arrow, pointing back.
    const QColor green(20, 130, 40);
    QPainterPath curve;
    curve.moveTo(5, 6);
    curve.cubicTo(12, 6, 15, 9, 13.5, 13.5);
    p.setPen(QPen(green, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    arrowHead(p, QPointF(0.5, 6), QPointF(6, 1.5), QPointF(6, 10.5), green);
}

void drawZone(QPainter& p, int zone) {
    switch (zone) {
        case 1:
            newGame(p);
            break;
        case 2:
            loadGame(p);
            break;
        case 3:
            saveGame(p);
            break;
        case 4:
            computerFirst(p);
            break;
        case 5:
            changeSide(p);
            break;
        case 6:
            turnBoard(p);
            break;
        case 7:
            takeBack(p);
            break;
        default:
            break;
    }
}

void raisedButton(QPainter& p) {
    // The bevel as one-pixel bands, which stay whole pixels at every scale.
    const int last = kToolbarSide - 1;
    p.fillRect(0, 0, kToolbarSide, kToolbarSide, QColor(195, 220, 255));
    const QColor light(255, 255, 255), dark(60, 90, 160);
    p.fillRect(0, 0, kToolbarSide, 1, light);
    p.fillRect(0, 0, 1, kToolbarSide, light);
    p.fillRect(last, 0, 1, kToolbarSide, dark);
    p.fillRect(0, last, kToolbarSide, 1, dark);
}

}  // namespace

QImage drawToolbarIcon(int zone, bool highlighted, qreal scale) {
    scale = usableScale(scale);
    const int side = devicePixels(kToolbarSide, scale);
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(QColor(236, 236, 236));
    QPainter painter(&image);
    painter.scale(scale, scale);
    if (highlighted) raisedButton(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    drawZone(painter, zone);
    painter.end();
    image.setDevicePixelRatio(scale);
    return image;
}

}  // namespace quorvel::art
