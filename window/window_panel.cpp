// The panel fields of the main window: the move list, the clocks and the
// search figures, refreshed by every repaint and by the clock tick.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "engine/evaluation.h"
#include "features/clock_text.h"
#include "rules/notation.h"
#include "window/game_window.h"

namespace quorvel {

namespace {
void setText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}
}  // namespace

void GameWindow::fillMoveList() {
    PlayState& play = controller_.state();
    if (play.firstShownRow < 0) play.firstShownRow = 0;
    const GameRecord& record = play.record;
    for (int i = 0; i < 10; ++i) {
        const int index = play.firstShownRow + i;
        QString text;
        if (index < GameRecord::kCapacity) {
            const auto k = static_cast<std::size_t>(index);
            text = QString::fromStdString(formatMove(record.moves[k], record.history[k], record.state,
                                                     index == record.plyCount - 1,
                                                     controller_.display().algebraic));
        }
        setText(layout_.moveCells[static_cast<std::size_t>(i)], text);
    }
    for (int row = 0; row < 5; ++row)
        setText(layout_.moveNumbers[static_cast<std::size_t>(row)],
                QString::number(play.firstShownRow / 2 + 1 + row));
}

void GameWindow::fillSearchFields() {
    const SearchStatus& status = controller_.status();
    const std::uint64_t inUse = status.memoryInUse();
    setText(layout_.memory,
            QString::number(static_cast<std::uint32_t>(inUse) / 1048576u / 10u) + QStringLiteral(" Mo"));
    const int d = status.mainDepthShown;
    const int e = status.secondaryDepthShown;
    setText(layout_.depth, e == 0 ? QString::number(d) : QStringLiteral("%1  |  %2").arg(d).arg(d + e));
    setText(layout_.nodes, QString::number(status.nodesCreated.load()));
}

void GameWindow::fillPanel() {
    const PlayState& play = controller_.state();
    const GameRecord& record = play.record;
    fillSearchFields();
    // "Note Noirs :" is the evaluation for the computer's side, which is
    // Black unless the human plays Black.
    EvalSettings settings;
    settings.plyCount = record.plyCount;
    settings.horizonReduction = controller_.engineOptions().horizonReduction;
    double score = evaluate(record.current, record.state, 0, 0, 0, 0, 0, settings) / 100.0;
    if (record.playerIsBlack) score = -score;
    setText(layout_.score, QString::number(score));
    fillMoveList();
    QString status = play.statusText;
    status.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (layout_.status->toPlainText() != status) layout_.status->setPlainText(status);
    setText(layout_.whiteClock, formatClock(controller_.whiteSeconds()));
    setText(layout_.blackClock, formatClock(controller_.blackSeconds()));
}

}  // namespace quorvel
