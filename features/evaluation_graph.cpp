#include "features/evaluation_graph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

// Room for the pawn labels on the left and the move numbers below.
constexpr double kLeftMargin = 34, kRightMargin = 8, kTopMargin = 8, kBottomMargin = 22;

}  // namespace

GraphPoint graphPointOf(const std::optional<AnalysisScore>& whiteView, MoveMark mark) {
    GraphPoint point;
    point.mark = mark;
    if (!whiteView) return point;
    point.mate = whiteView->isMate();
    // A side already mated reads as the other side's mate.
    const double value = boundedScore(*whiteView) / 100.0;
    point.pawns = std::clamp(value, -kGraphEdge, kGraphEdge);
    return point;
}

std::vector<GraphPoint> graphPointsOf(const GameReview& review) {
    std::vector<GraphPoint> points{graphPointOf(review.start)};
    for (const ReviewedMove& move : review.moves) points.push_back(graphPointOf(move.after, move.mark));
    return points;
}

QColor markColour(MoveMark mark) {
    switch (mark) {
        case MoveMark::inaccuracy:
            return {214, 176, 0};
        case MoveMark::mistake:
            return {232, 120, 20};
        case MoveMark::blunder:
            return {210, 30, 30};
        case MoveMark::none:
            break;
    }
    return {90, 90, 90};
}

EvaluationGraph::EvaluationGraph(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Un clic montre la position sur l'échiquier"));
}

void EvaluationGraph::setPoints(int firstPly, std::vector<GraphPoint> points) {
    firstPly_ = firstPly;
    points_ = std::move(points);
    update();
}

void EvaluationGraph::setCurrentPly(std::optional<int> ply) {
    currentPly_ = ply;
    update();
}

QRectF EvaluationGraph::plotArea() const {
    return QRectF(kLeftMargin, kTopMargin, std::max(1.0, width() - kLeftMargin - kRightMargin),
                  std::max(1.0, height() - kTopMargin - kBottomMargin));
}

double EvaluationGraph::yOf(double pawns) const {
    const QRectF area = plotArea();
    return area.center().y() - pawns / kGraphEdge * area.height() / 2;
}

QPointF EvaluationGraph::pointOf(int ply) const {
    const QRectF area = plotArea();
    const int index = ply - firstPly_;
    const int last = std::max(1, static_cast<int>(points_.size()) - 1);
    const double x = area.left() + area.width() * index / last;
    double pawns = 0;
    if (index >= 0 && index < static_cast<int>(points_.size()) &&
        points_[static_cast<std::size_t>(index)].pawns)
        pawns = *points_[static_cast<std::size_t>(index)].pawns;
    return {x, yOf(pawns)};
}

std::optional<int> EvaluationGraph::plyAt(QPoint point) const {
    const QRectF area = plotArea().adjusted(-6, -6, 6, 6);
    if (points_.empty() || !area.contains(point)) return std::nullopt;
    const QRectF plot = plotArea();
    const int last = std::max(1, static_cast<int>(points_.size()) - 1);
    const double share = (point.x() - plot.left()) / plot.width();
    const int index =
        std::clamp(static_cast<int>(std::lround(share * last)), 0, static_cast<int>(points_.size()) - 1);
    return firstPly_ + index;
}

void EvaluationGraph::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const auto ply = plyAt(event->position().toPoint())) Q_EMIT plyChosen(*ply);
}

void EvaluationGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = plotArea();
    // White's half light, Black's half dark, as the sides' colours.
    painter.fillRect(QRectF(area.left(), area.top(), area.width(), area.height() / 2), QColor(250, 250, 245));
    painter.fillRect(QRectF(area.left(), area.center().y(), area.width(), area.height() / 2),
                     QColor(70, 70, 75));

    // The pawn lines and their labels.
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.85));
    painter.setFont(small);
    for (int pawns = -static_cast<int>(kGraphEdge); pawns <= kGraphEdge; pawns += 2) {
        const double y = yOf(pawns);
        painter.setPen(
            QPen(pawns == 0 ? QColor(150, 150, 150) : QColor(160, 160, 160, 110), pawns == 0 ? 1.5 : 1));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(palette().color(QPalette::WindowText));
        const QString label = pawns > 0 ? QStringLiteral("+%1").arg(pawns) : QString::number(pawns);
        painter.drawText(QRectF(0, y - 8, kLeftMargin - 4, 16), Qt::AlignRight | Qt::AlignVCenter, label);
    }
    // Move numbers below, about ten of them.
    if (points_.size() > 1) {
        const int moves = static_cast<int>(points_.size()) - 1;
        const int step = std::max(1, (moves / 2 + 9) / 10);
        for (int ply = firstPly_; ply <= firstPly_ + moves; ++ply) {
            if (ply % 2 != 0 || (ply / 2) % step != 0) continue;
            const QPointF at = pointOf(ply);
            painter.drawText(QRectF(at.x() - 20, area.bottom() + 2, 40, kBottomMargin - 2),
                             Qt::AlignHCenter | Qt::AlignTop, QString::number(ply / 2 + 1));
        }
    }
    if (points_.empty()) return;

    // The curve, filled down to the middle line; a gap where a score is missing.
    QPainterPath curve, fill;
    bool drawing = false;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const int ply = firstPly_ + static_cast<int>(i);
        if (!points_[i].pawns) {
            if (drawing) fill.lineTo(pointOf(ply - 1).x(), area.center().y());
            drawing = false;
            continue;
        }
        const QPointF at = pointOf(ply);
        if (!drawing) {
            curve.moveTo(at);
            fill.moveTo(at.x(), area.center().y());
            fill.lineTo(at);
            drawing = true;
        } else {
            curve.lineTo(at);
            fill.lineTo(at);
        }
    }
    if (drawing)
        fill.lineTo(pointOf(firstPly_ + static_cast<int>(points_.size()) - 1).x(), area.center().y());
    painter.fillPath(fill, QColor(120, 150, 200, 90));
    painter.setPen(QPen(QColor(30, 90, 200), 2));
    painter.drawPath(curve);

    // The position on the board.
    if (currentPly_ && *currentPly_ >= firstPly_ &&
        *currentPly_ < firstPly_ + static_cast<int>(points_.size())) {
        const double x = pointOf(*currentPly_).x();
        painter.setPen(QPen(QColor(0, 150, 70), 2, Qt::DashLine));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    // Marked moves and mates.
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const GraphPoint& point = points_[i];
        if (!point.pawns || (point.mark == MoveMark::none && !point.mate)) continue;
        const QPointF at = pointOf(firstPly_ + static_cast<int>(i));
        const double radius = point.mark == MoveMark::blunder ? 5 : 4;
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(point.mark == MoveMark::none ? QColor(30, 90, 200) : markColour(point.mark));
        if (point.mate) {
            painter.drawRect(QRectF(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius));
        } else {
            painter.drawEllipse(at, radius, radius);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(110, 110, 110), 1));
    painter.drawRect(area);
}

}  // namespace quorvel
