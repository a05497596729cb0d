#pragma once
// The evaluation graph of a reviewed game: the score of each position from
// White's view, in pawns, over the half-moves; White's advantage above the
// middle line, Black's below. Scores beyond the edge and forced mates are
// drawn at the edge; marked moves get a dot of their mark's colour. A click
// chooses the position under the pointer.

#include <QColor>
#include <QWidget>
#include <optional>
#include <vector>

#include "coach/game_review.h"

namespace quorvel {

// The graph's edge, pawns: a decided game reads at the edge.
constexpr double kGraphEdge = 6.0;

struct GraphPoint {
    std::optional<double> pawns;     // White's view, within the edge; none when not scored
    bool mate = false;               // a forced mate (at the edge)
    MoveMark mark = MoveMark::none;  // the mark of the move that led here
};

// A score as the graph draws it.
GraphPoint graphPointOf(const std::optional<AnalysisScore>& whiteView, MoveMark mark = MoveMark::none);
// The points of a review: the first position, then one per move.
std::vector<GraphPoint> graphPointsOf(const GameReview& review);
// The colour a mark is shown in (the graph's dots, the move list).
QColor markColour(MoveMark mark);

class EvaluationGraph : public QWidget {
    Q_OBJECT
public:
    explicit EvaluationGraph(QWidget* parent = nullptr);

    // Point i is the position after firstPly + i half-moves.
    void setPoints(int firstPly, std::vector<GraphPoint> points);
    // The position shown on the board, marked with a vertical line.
    void setCurrentPly(std::optional<int> ply);
    // The position under a point of the widget, or none off the plot.
    std::optional<int> plyAt(QPoint point) const;
    // Where the point of a position is drawn (for tests).
    QPointF pointOf(int ply) const;
    QRectF plotArea() const;

    QSize sizeHint() const override { return {560, 220}; }
    QSize minimumSizeHint() const override { return {240, 120}; }

Q_SIGNALS:
    void plyChosen(int ply);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    double yOf(double pawns) const;

    int firstPly_ = 0;
    std::vector<GraphPoint> points_;
    std::optional<int> currentPly_;
};

}  // namespace quorvel
