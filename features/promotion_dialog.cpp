#include "features/promotion_dialog.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "features/piece_picture.h"

namespace quorvel {

PromotionDialog::PromotionDialog(int pieceSet, bool playerIsBlack, QWidget* parent)
    : QDialog(parent), pieceSet_(pieceSet), playerIsBlack_(playerIsBlack) {
    setWindowTitle(QStringLiteral("Promotion du pion"));
    setFixedSize(270, 100);
    auto* text = new QLabel(QStringLiteral("Veuillez cliquer sur votre nouvelle pièce"), this);
    text->setGeometry(0, 66, 270, 20);
    text->setAlignment(Qt::AlignCenter);
}

int PromotionDialog::choose(int pieceSet, bool playerIsBlack, QWidget* parent) {
    PromotionDialog dialog(pieceSet, playerIsBlack, parent);
    dialog.exec();
    return dialog.chosenCode();
}

std::optional<int> PromotionDialog::codeAt(QPoint point) {
    const int x = point.x();
    const int y = point.y();
    if (x <= 60 || x >= 210 || y < 10 || y > 40) return std::nullopt;
    return (x - 40) / 50 + 12;
}

void PromotionDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Pictures of the human's colour; each next one overlaps the previous
    // by ten pixels.
    for (int k = 0; k < 4; ++k)
        drawPiecePicture(painter, QPoint(60 + 40 * k, 10), pieceSet_, !playerIsBlack_, 12 + k);
}

void PromotionDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const auto code = codeAt(event->position().toPoint())) {
        chosen_ = *code;
        accept();
    }
}

}  // namespace quorvel
