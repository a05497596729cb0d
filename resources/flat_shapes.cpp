#include "resources/flat_shapes.h"

#include <QPolygonF>

namespace quorvel::art {

namespace {

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath roundedBox(qreal x, qreal y, qreal w, qreal h, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    return path;
}

QPainterPath disc(qreal cx, qreal cy, qreal r) {
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

// Every piece but the pawn stands on the same wide plinth.
QPainterPath plinth() {
    return roundedBox(8, 32, 26, 6, 2);
}

QPainterPath pawn() {
    QPainterPath path = roundedBox(11, 32, 20, 6, 2);
    path = path.united(polygon({{13, 33}, {29, 33}, {24.5, 22}, {17.5, 22}}));
    path = path.united(roundedBox(14.5, 19.5, 13, 4, 2));
    return path.united(disc(21, 14, 6));
}

QPainterPath rook() {
    QPainterPath path = plinth().united(polygon({{11.5, 33}, {30.5, 33}, {28.5, 16}, {13.5, 16}}));
    path = path.united(roundedBox(10, 7, 22, 10, 1));
    path = path.subtracted(roundedBox(14.5, 5, 4, 6, 0.5));
    return path.subtracted(roundedBox(23.5, 5, 4, 6, 0.5));
}

QPainterPath bishop() {
    QPainterPath path = plinth().united(polygon({{12, 33}, {30, 33}, {25, 24}, {17, 24}}));
    path = path.united(roundedBox(14, 22.5, 14, 4, 2));
    QPainterPath mitre;
    mitre.moveTo(21, 7);
    mitre.cubicTo(27, 11, 29, 17, 26.5, 23);
    mitre.lineTo(15.5, 23);
    mitre.cubicTo(13, 17, 15, 11, 21, 7);
    path = path.united(mitre).united(disc(21, 6, 2.8));
    // The slit in the mitre, cut right through so it reads at any size.
    return path.subtracted(polygon({{22.5, 11}, {24.5, 12.5}, {20, 18.5}, {18, 17}}));
}

QPainterPath knight() {
    QPainterPath head;
    head.moveTo(12, 33);
    head.cubicTo(13, 28, 16, 25, 18, 22);
    head.lineTo(12.5, 23.5);
    head.cubicTo(9.5, 24, 7, 22.5, 6.5, 20);
    head.cubicTo(6, 18, 7.5, 16.5, 9, 15);
    head.lineTo(15, 9);
    head.lineTo(16, 4);
    head.lineTo(19.5, 7.5);
    head.cubicTo(27, 7.5, 33, 14, 32.5, 24);
    head.lineTo(31.5, 33);
    head.closeSubpath();
    return plinth().united(head);
}

QPainterPath queen() {
    QPainterPath path = plinth().united(polygon({{11, 33}, {31, 33}, {27, 24}, {15, 24}}));
    path = path.united(roundedBox(13.5, 22, 15, 4, 2));
    path = path.united(polygon(
        {{14, 24}, {28, 24}, {34, 11}, {27, 18}, {26.5, 8.5}, {21, 16.5}, {15.5, 8.5}, {15, 18}, {8, 11}}));
    for (const QPointF tip :
         {QPointF(8, 10.5), QPointF(15.5, 7.5), QPointF(21, 5.5), QPointF(26.5, 7.5), QPointF(34, 10.5)})
        path = path.united(disc(tip.x(), tip.y(), 2.4));
    return path;
}

QPainterPath king() {
    QPainterPath path = plinth().united(polygon({{11, 33}, {31, 33}, {28, 21}, {14, 21}}));
    path = path.united(roundedBox(12.5, 13.5, 17, 9, 4.5));
    path = path.united(roundedBox(19.25, 2.5, 3.5, 12, 0.8));
    return path.united(roundedBox(16, 5.5, 10, 3.5, 0.8));
}

}  // namespace

QPainterPath flatShape(PieceType type) {
    switch (type) {
        case PieceType::king:
            return king();
        case PieceType::queen:
            return queen();
        case PieceType::rook:
            return rook();
        case PieceType::knight:
            return knight();
        case PieceType::bishop:
            return bishop();
        case PieceType::pawn:
            return pawn();
    }
    return {};
}

QPainterPath flatDetails(PieceType type) {
    QPainterPath lines;
    switch (type) {
        case PieceType::king:
            lines.moveTo(14, 22), lines.lineTo(28, 22);
            break;
        case PieceType::queen:
            lines.moveTo(14.5, 24), lines.lineTo(27.5, 24);
            break;
        case PieceType::rook:
            lines.moveTo(13.5, 17), lines.lineTo(28.5, 17);
            break;
        case PieceType::knight:
            lines.addEllipse(QPointF(16.5, 12.5), 1.3, 1.3);
            lines.moveTo(20.5, 9.5), lines.cubicTo(26, 11, 29, 16, 28.5, 25);
            break;
        case PieceType::bishop:
            lines.moveTo(15.5, 26.5), lines.lineTo(26.5, 26.5);
            break;
        case PieceType::pawn:
            lines.moveTo(15, 23.5), lines.lineTo(27, 23.5);
            break;
    }
    lines.moveTo(9, 32), lines.lineTo(33, 32);
    return lines;
}

}  // namespace quorvel::art
