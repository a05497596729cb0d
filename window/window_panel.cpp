// The panel fields of the main window: the move list, the clocks and the
// search figures, refreshed by every repaint and by the clock tick.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <algorithm>
#include <cstdint>

#include "engine/evaluation.h"
#include "features/clock_text.h"
#include "rules/notation.h"
#include "window/game_window.h"
#include "window/panel_texts.h"

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
        if (index < GameRecord::kCapacity)
            text = QString::fromStdString(formatRecordMove(record, index, index == record.plyCount - 1,
                                                           controller_.display().algebraic));
        QLineEdit* moveCell = layout_.moveCells[static_cast<std::size_t>(i)];
        setText(moveCell, text);
        // Screen readers name each cell by the move it holds.
        const QString name = QStringLiteral("Coup %1, %2")
                                 .arg(play.firstShownRow / 2 + 1 + i / 2)
                                 .arg(i % 2 == 0 ? QStringLiteral("Blancs") : QStringLiteral("Noirs"));
        if (moveCell->accessibleName() != name) moveCell->setAccessibleName(name);
    }
    for (int row = 0; row < 5; ++row)
        setText(layout_.moveNumbers[static_cast<std::size_t>(row)],
                QString::number(play.firstShownRow / 2 + 1 + row));
}

void GameWindow::fillSearchFields() {
    const SearchStatus& status = controller_.status();
    if (const EngineFigures* figures = controller_.engineFigures()) {
        // An engine of another program: its own depths and count, as its
        // lines gave them.
        const UciInfo& info = figures->info;
        const int depth = info.depth.value_or(0);
        const int beyond = info.selDepth && *info.selDepth > depth ? *info.selDepth - depth : 0;
        const auto nodes = std::min<std::uint64_t>(info.nodes.value_or(0), UINT32_MAX);
        setText(layout_.memory, memoryText(0));
        setText(layout_.depth, depthText(depth, beyond));
        setText(layout_.nodes, nodesText(static_cast<std::uint32_t>(nodes)));
        return;
    }
    // The whole mebibytes: a tenth of them read as a tree ten times smaller.
    setText(layout_.memory, memoryText(status.memoryInUse()));
    setText(layout_.depth, depthText(status.mainDepthShown, status.secondaryDepthShown));
    setText(layout_.nodes, nodesText(status.nodesCreated.load()));
}

void GameWindow::fillPanel() {
    const PlayState& play = controller_.state();
    const GameRecord& record = play.record;
    fillSearchFields();
    // While the search thread holds the record it may be writing its move
    // there: the score and the move list keep what they showed, and the
    // repaint that follows the record's return fills them.
    if (!controller_.searchHoldsRecord()) {
        // "Note Noirs :" is the evaluation for the computer's side, which is
        // Black unless the human plays Black.
        EvalSettings settings;
        settings.plyCount = record.plyCount;
        settings.horizonReduction = controller_.engineOptions().horizonReduction;
        double score = evaluate(record.current, record.state, 0, 0, 0, 0, 0, settings) / 100.0;
        if (record.playerIsBlack) score = -score;
        setText(layout_.score, scoreText(score));
        fillMoveList();
    }
    const QString status = statusLineText(play.statusText, controller_.sideToMoveInCheck());
    if (layout_.status->toPlainText() != status) layout_.status->setPlainText(status);
    setText(layout_.whiteClock, formatClock(controller_.whiteSeconds()));
    setText(layout_.blackClock, formatClock(controller_.blackSeconds()));
}

}  // namespace quorvel
