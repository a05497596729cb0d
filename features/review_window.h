#pragma once
// "Analyse de la partie": the review of a game in a window of its own. While
// the analyst works, a progress bar, the estimated time left and
// "Annuler"; then the evaluation graph, the moves with their marks and the
// count of each side's inaccuracies, mistakes and blunders with its average
// loss. A click on a move or on the graph asks for that position on the
// main board. The window stays open beside the game.

#include <QString>
#include <QWidget>
#include <chrono>
#include <vector>

#include "coach/game_review.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace quorvel {

class EvaluationGraph;

// "Blancs : 1 imprécision, 0 erreur, 2 gaffes ; perte moyenne 0,45 pion par coup".
QString sideSummaryText(const QString& side, const SideSummary& summary);
// "0:42", "1:05:00": the estimated time left.
QString timeLeftText(std::chrono::milliseconds left);

class ReviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReviewWindow(QWidget* parent = nullptr);

    // The analysis starts: `total` positions to score.
    void startProgress(int total, const QString& analyst, int secondsPerPosition);
    void setProgress(int done, int total, std::chrono::milliseconds left);
    // The result; `moves` holds each reviewed move in the player's notation.
    void showReview(const GameReview& review, const std::vector<QString>& moves);
    // The position shown on the main board, when it is one of the review's.
    void setCurrentPly(std::optional<int> ply);
    bool running() const { return running_; }

    // For tests and for the gallery.
    EvaluationGraph* graph() const { return graph_; }
    QTableWidget* moveTable() const { return table_; }
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* cancelButton() const { return cancel_; }
    QString summaryText() const;
    QString timeLeft() const;
    // The table cell of half-move `ply` (row, column), or (-1, -1).
    std::pair<int, int> cellOf(int ply) const;

Q_SIGNALS:
    void cancelRequested();
    // The position after `ply` half-moves.
    void plyChosen(int ply);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cellClicked(int row, int column);

    EvaluationGraph* graph_ = nullptr;
    QTableWidget* table_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* timeLeft_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* note_ = nullptr;
    QWidget* progressRow_ = nullptr;
    int firstPly_ = 0;
    bool running_ = false;
};

}  // namespace quorvel
