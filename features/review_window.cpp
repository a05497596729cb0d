#include "features/review_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "features/evaluation_graph.h"

namespace quorvel {

namespace {

QString counted(int count, const char* one, const char* many) {
    return QString::number(count) + QLatin1Char(' ') + QString::fromUtf8(count > 1 ? many : one);
}

QString frenchPawns(double value) {
    return QString::number(value, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

// "1", "0,5": seconds as the window writes them.
QString secondsText(int milliseconds) {
    return QString::number(milliseconds / 1000.0, 'g', 3).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString pawnsWord(double pawns) {
    return frenchPawns(pawns) + (pawns < 2 ? QStringLiteral(" pion") : QStringLiteral(" pions"));
}

QString signedPawns(const std::optional<AnalysisScore>& score) {
    if (!score) return {};
    if (score->isMate()) {
        if (score->value == 0) return {};
        const bool whiteMates = score->kind == AnalysisScore::Kind::mates;
        return QStringLiteral("#%1%2").arg(whiteMates ? "" : "-").arg(score->value);
    }
    const QString text = frenchPawns(std::abs(score->value) / 100.0);
    return score->value > 0 ? QLatin1Char('+') + text : score->value < 0 ? QLatin1Char('-') + text : text;
}

}  // namespace

QString sideSummaryText(const QString& side, const SideSummary& summary) {
    return side + QStringLiteral(" : ") + counted(summary.inaccuracies, "imprécision", "imprécisions") +
           QStringLiteral(", ") + counted(summary.mistakes, "erreur", "erreurs") + QStringLiteral(", ") +
           counted(summary.blunders, "gaffe", "gaffes") + QStringLiteral(" ; perte moyenne ") +
           pawnsWord(summary.averageLoss()) + QStringLiteral(" par coup");
}

QString timeLeftText(std::chrono::milliseconds left) {
    const long long seconds = (left.count() + 999) / 1000;
    const long long hours = seconds / 3600, minutes = seconds / 60 % 60, rest = seconds % 60;
    if (hours > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(hours)
            .arg(minutes, 2, 10, QLatin1Char('0'))
            .arg(rest, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(minutes).arg(rest, 2, 10, QLatin1Char('0'));
}

ReviewWindow::ReviewWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Analyse de la partie"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);

    heading_ = new QLabel(this);
    heading_->setWordWrap(true);
    layout->addWidget(heading_);

    progressRow_ = new QWidget(this);
    auto* row = new QHBoxLayout(progressRow_);
    row->setContentsMargins(0, 0, 0, 0);
    progress_ = new QProgressBar(progressRow_);
    timeLeft_ = new QLabel(progressRow_);
    cancel_ = new QPushButton(QStringLiteral("Annuler"), progressRow_);
    row->addWidget(progress_, 1);
    row->addWidget(timeLeft_);
    row->addWidget(cancel_);
    layout->addWidget(progressRow_);
    connect(cancel_, &QPushButton::clicked, this, &ReviewWindow::cancelRequested);

    graph_ = new EvaluationGraph(this);
    layout->addWidget(graph_, 2);
    connect(graph_, &EvaluationGraph::plyChosen, this, &ReviewWindow::plyChosen);

    table_ = new QTableWidget(0, 3, this);
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("N°"), QStringLiteral("Blancs"), QStringLiteral("Noirs")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    layout->addWidget(table_, 3);
    connect(table_, &QTableWidget::cellClicked, this, &ReviewWindow::cellClicked);

    summary_ = new QLabel(this);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_);
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    layout->addWidget(note_);
    resize(620, 640);
}

void ReviewWindow::startProgress(int total, const QString& analyst, int secondsPerPosition) {
    running_ = true;
    heading_->setText(
        QStringLiteral("Analyse en cours par %1, %2 s par position...").arg(analyst).arg(secondsPerPosition));
    progress_->setRange(0, std::max(1, total));
    progress_->setValue(0);
    timeLeft_->setText(
        QStringLiteral("Temps restant estimé : ") +
        timeLeftText(std::chrono::seconds(static_cast<long long>(total) * secondsPerPosition)));
    progressRow_->show();
    graph_->setPoints(0, {});
    table_->setRowCount(0);
    summary_->clear();
    note_->clear();
}

void ReviewWindow::setProgress(int done, int total, std::chrono::milliseconds left) {
    progress_->setRange(0, std::max(1, total));
    progress_->setValue(done);
    timeLeft_->setText(QStringLiteral("Temps restant estimé : ") + timeLeftText(left));
}

std::pair<int, int> ReviewWindow::cellOf(int ply) const {
    if (ply < firstPly_) return {-1, -1};
    return {ply / 2 - firstPly_ / 2, 1 + ply % 2};
}

void ReviewWindow::showReview(const GameReview& review, const std::vector<QString>& moves) {
    running_ = false;
    progressRow_->hide();
    firstPly_ = review.firstPly;
    heading_->setText(
        QStringLiteral("Analyse par %1, %2 s par position%3")
            .arg(QString::fromStdString(review.analyst))
            .arg(secondsText(review.moveTimeMs))
            .arg(review.complete ? QString() : QStringLiteral(" (des positions n'ont pas pu être notées)")));
    graph_->setPoints(review.firstPly, graphPointsOf(review));

    table_->setRowCount(0);
    for (std::size_t i = 0; i < review.moves.size(); ++i) {
        const ReviewedMove& move = review.moves[i];
        const auto [row, column] = cellOf(move.ply);
        if (row < 0) continue;
        if (row >= table_->rowCount()) {
            table_->setRowCount(row + 1);
            table_->setItem(row, 0, new QTableWidgetItem(QString::number(move.ply / 2 + 1)));
        }
        const QString played = i < moves.size() ? moves[i] : QString::fromStdString(move.playedSan);
        QString text = played + QString::fromLatin1(markSymbol(move.mark));
        const QString after = signedPawns(move.after);
        if (!after.isEmpty()) text += QStringLiteral("   ") + after;
        auto* item = new QTableWidgetItem(text);
        QString tip = QStringLiteral("Après le coup : ") + (after.isEmpty() ? QStringLiteral("?") : after);
        if (move.loss && move.loss->centipawns > 0)
            tip += QStringLiteral("\nPerte : ") + pawnsWord(move.loss->centipawns / 100.0);
        if (!move.bestSan.empty() && move.bestMove != move.played)
            tip += QStringLiteral("\nMeilleur : ") + QString::fromStdString(move.bestSan);
        item->setToolTip(tip);
        if (move.mark != MoveMark::none) {
            QColor background = markColour(move.mark);
            background.setAlpha(70);
            item->setBackground(background);
        }
        table_->setItem(row, column, item);
    }
    summary_->setText(sideSummaryText(QStringLiteral("Blancs"), review.white) + QLatin1Char('\n') +
                      sideSummaryText(QStringLiteral("Noirs"), review.black));
    note_->setText(
        QStringLiteral("?! imprécision (0,5 pion perdu), ? erreur (1 pion), ?? gaffe (3 pions ou un mat "
                       "permis).") +
        (review.analyst.rfind("Quorvel", 0) == 0
             ? QStringLiteral(" Les notes de Quorvel sont en pions de son propre moteur, plus grossières "
                              "que celles d'un moteur fort.")
             : QString()));
}

void ReviewWindow::setCurrentPly(std::optional<int> ply) {
    graph_->setCurrentPly(ply);
    if (!ply || *ply <= firstPly_) {
        table_->clearSelection();
        return;
    }
    const auto [row, column] = cellOf(*ply - 1);
    if (row >= 0 && row < table_->rowCount()) table_->setCurrentCell(row, column);
}

void ReviewWindow::cellClicked(int row, int column) {
    if (column < 1 || !table_->item(row, column)) return;
    const int ply = (firstPly_ / 2 + row) * 2 + (column - 1);
    Q_EMIT plyChosen(ply + 1);
}

QString ReviewWindow::summaryText() const {
    return summary_->text();
}

QString ReviewWindow::timeLeft() const {
    return timeLeft_->text();
}

void ReviewWindow::closeEvent(QCloseEvent* event) {
    // Closing the window ends the analysis it shows.
    if (running_) Q_EMIT cancelRequested();
    event->accept();
}

}  // namespace quorvel
