#include "features/captured_pieces_window.h"

#include <QPainter>
#include <QPushButton>

#include "features/clip_player.h"
#include "features/piece_picture.h"

namespace quorvel {

CapturedPiecesWindow::CapturedPiecesWindow(const Position& whiteLower, int pieceSet, const QString& clipPath,
                                           QWidget* parent)
    : QDialog(parent),
      placements_(layoutCapturedPieces(whiteLower)),
      pieceSet_(pieceSet),
      clipPath_(clipPath) {
    setWindowTitle(QStringLiteral("Pièces capturées :"));
    setFixedSize(570, 250);
    // The clip keeps to the left of the first picture column (x = 180).
    clip_ = new ClipPlayer(this);
    clip_->setGeometry(10, 10, 160, 120);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(480, 212, 75, 26);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CapturedPiecesWindow::showCaptured(const Position& whiteLower, int pieceSet, const QString& clipPath,
                                        QWidget* parent) {
    CapturedPiecesWindow window(whiteLower, pieceSet, clipPath, parent);
    window.exec();
}

void CapturedPiecesWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const PiecePlacement& piece : placements_)
        drawPiecePicture(painter, QPoint(piece.x, piece.y), pieceSet_, piece.code > 10, piece.code);
    if (placements_.empty()) {
        // Text drawn from its top-left corner, as the layout names it.
        const QFontMetrics metrics(painter.font());
        painter.drawText(QPoint(200, 80 + metrics.ascent()), QStringLiteral("Pas de pièce capturée"));
    }
}

void CapturedPiecesWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    clip_->play(clipPath_);
}

}  // namespace quorvel
