#include "tools/artframes/contact_sheet.h"

#include <QPainter>

#include "resources/artwork.h"

namespace quorvel::tools {

namespace {

using art::PieceType;

constexpr int kCell = 50;
constexpr int kLeft = 90;
const QColor kLight(240, 240, 240);
const QColor kDark(90, 100, 152);

// The board's own offsets: the shadow four pixels right and down.
void drawPieceOnSquare(QPainter& p, QPoint cell, QColor square, int set, bool white, PieceType type) {
    p.fillRect(QRect(cell, QSize(kCell, kCell)), square);
    const QPoint piece = cell + QPoint(3, 2);
    p.drawPixmap(piece + QPoint(4, 4), art::pieceShadow(set, type));
    p.drawPixmap(piece, art::pieceImage(set, white, type));
}

void drawSets(QPainter& p, int top) {
    const char* names[] = {"Modèle 1", "Modèle 2", "Modèle 3"};
    for (int s = 0; s < 3; ++s) {
        for (int row = 0; row < 2; ++row) {
            const int y = top + (2 * s + row) * kCell;
            p.drawText(QRect(4, y, kLeft - 8, kCell), Qt::AlignVCenter, QString::fromUtf8(names[s]));
            for (int i = 0; i < 12; ++i) {
                // Squares alternate, and the second row swaps them, so every
                // piece is seen on both colours.
                drawPieceOnSquare(p, QPoint(kLeft + i * kCell, y), (i + row) % 2 ? kDark : kLight, 20 * s,
                                  i < 6, static_cast<PieceType>(i % 6));
            }
        }
    }
}

void drawToolbar(QPainter& p, int top) {
    p.drawText(QRect(4, top, kLeft - 8, 40), Qt::AlignVCenter, "Barre");
    for (int z = 1; z <= 7; ++z) {
        const int x = kLeft + (z - 1) * 80;
        p.drawPixmap(x, top, art::toolbarIcon(z, false));
        p.drawPixmap(x + 20, top, art::toolbarIcon(z, true));
        // Enlarged copies, to judge the pixels.
        p.drawPixmap(QRect(x, top + 20, 32, 32), art::toolbarIcon(z, false));
        p.drawPixmap(QRect(x + 36, top + 20, 32, 32), art::toolbarIcon(z, true));
    }
}

void drawLogoAndIcon(QPainter& p, int top) {
    p.fillRect(QRect(kLeft, top, 233, 33), QColor(212, 208, 200));
    p.drawPixmap(kLeft, top, art::titleLogo());
    p.drawPixmap(QRect(kLeft + 250, top - 10, 466, 66), art::titleLogo());
    int x = kLeft;
    for (const int side : {16, 24, 32, 48, 64, 128}) {
        p.drawPixmap(x, top + 70, art::applicationIcon().pixmap(side, side));
        x += side + 10;
    }
}

}  // namespace

QImage contactSheet() {
    QImage sheet(kLeft + 12 * kCell + 10, 6 * kCell + 300, QImage::Format_RGB32);
    sheet.fill(QColor(212, 208, 200));
    QPainter p(&sheet);
    drawSets(p, 10);
    drawToolbar(p, 6 * kCell + 20);
    drawLogoAndIcon(p, 6 * kCell + 100);
    return sheet;
}

}  // namespace quorvel::tools
