#include "features/game_printer.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <cmath>

#include "features/dialog_service.h"
#include "features/print_progress_window.h"
#include "features/score_layout.h"

namespace quorvel {

namespace {

constexpr double kUnitsPerInch = 2540.0;  // hundredths of a millimetre

QFont scoreFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(11);
    return font;
}

}  // namespace

void GamePrinter::printCommand(const std::vector<std::string>& halfMoves) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent_);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted) return;

    PrintProgressWindow progress(parent_, progressTickMs_);
    progress.exec();
    print(printer, halfMoves);
}

bool GamePrinter::print(QPrinter& printer, const std::vector<std::string>& halfMoves) {
    printer.setDocName(QStringLiteral("Impression Quorvel 1.0"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        reportFailure();
        return false;
    }
    const QFont font = scoreFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const double pixelsPerUnit = printer.resolution() / kUnitsPerInch;
    const int lineHeight = static_cast<int>(std::lround(metrics.height() / pixelsPerUnit));
    if (lineHeight <= 0) {
        painter.end();
        reportFailure();
        return false;
    }

    int page = 0;
    for (const PrintedLine& line : layoutScore(halfMoves, lineHeight)) {
        if (line.page != page) {
            printer.newPage();
            page = line.page;
        }
        // Positions name the top-left corner of the text; Qt draws from the
        // baseline.
        const QPointF at(line.x * pixelsPerUnit, -line.y * pixelsPerUnit + metrics.ascent());
        painter.drawText(at, line.text);
    }
    painter.end();
    return true;
}

void GamePrinter::reportFailure() {
    dialogs_.message(errorCaption(), QStringLiteral("Impossible d'imprimer"), BoxIcon::none);
}

}  // namespace quorvel
