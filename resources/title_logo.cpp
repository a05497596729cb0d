#include "resources/title_logo.h"

#include <QLinearGradient>
#include <QPainter>

#include "resources/art_fonts.h"
#include "resources/artwork.h"
#include "resources/flat_shapes.h"

namespace quorvel::art {

namespace {

const QColor kDarkSquare(90, 100, 152);
const QColor kLightSquare(240, 240, 240);
const QColor kTitleInk(35, 45, 105);

// The knight on a two-by-two board, drawn in a `side` x `side` square at
// the painter's origin; vector shapes keep it sharp at every size.
void paintEmblem(QPainter& p, qreal side) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal half = side / 2, radius = side / 8;
    QPainterPath board;
    board.addRoundedRect(QRectF(0, 0, side, side), radius, radius);
    p.setClipPath(board);
    p.fillRect(QRectF(0, 0, side, side), kLightSquare);
    p.fillRect(QRectF(half, 0, half, half), kDarkSquare);
    p.fillRect(QRectF(0, half, half, half), kDarkSquare);
    p.setClipping(false);
    p.setPen(QPen(kTitleInk, std::max(1.0, side / 32)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(board);
    // The shape's grid is 42 pixels; it leaves a margin on every side.
    p.scale(side / 42, side / 42);
    p.translate(0, 1);
    const QPainterPath knight = flatShape(PieceType::knight);
    p.setPen(QPen(QColor(20, 20, 20), side >= 32 ? 1.8 : 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(knight);
    p.restore();
}

// The name, from the font when it loaded, else from the painter's own.
void paintName(QPainter& p, const QRectF& box) {
    const QString name = QStringLiteral("Quorvel");
    QPainterPath text = textOutline(ArtFont::titleLetters, name, 100);
    if (text.isEmpty()) {
        QFont font;
        font.setBold(true);
        font.setPixelSize(100);
        text.addText(0, 0, font, name);
    }
    text = fittedInto(text, box);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(text.translated(1.2, 1.2), QColor(0, 0, 0, 70));
    QLinearGradient ink(0, box.top(), 0, box.bottom());
    ink.setColorAt(0, QColor(70, 90, 170));
    ink.setColorAt(1, kTitleInk);
    p.fillPath(text, ink);
}

// A band of squares fading to the right, the board running off the logo.
void paintBand(QPainter& p, qreal left) {
    const qreal cell = 6;
    for (int c = 0; left + cell * (c + 1) <= kLogoWidth - 1; ++c) {
        const int alpha = std::max(40, 220 - c * 14);
        for (int r = 0; r < 2; ++r) {
            QColor colour = (c + r) % 2 ? kDarkSquare : QColor(190, 195, 215);
            colour.setAlpha(alpha);
            p.fillRect(QRectF(left + cell * c, 13 + cell * r, cell, cell), colour);
        }
    }
}

}  // namespace

QImage drawTitleLogo(QSize size, qreal scale) {
    scale = usableScale(scale);
    if (size.isEmpty()) size = QSize(kLogoWidth, kLogoHeight);
    QImage logo(devicePixels(size.width(), scale), devicePixels(size.height(), scale),
                QImage::Format_ARGB32_Premultiplied);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    // Drawn on the 233 x 33 design grid, stretched as vectors.
    p.scale(scale * size.width() / kLogoWidth, scale * size.height() / kLogoHeight);
    p.save();
    p.translate(1, 1);
    paintEmblem(p, 31);
    p.restore();
    const QRectF nameBox(38, 3, 120, 27);
    paintName(p, nameBox);
    paintBand(p, 166);
    p.end();
    logo.setDevicePixelRatio(scale);
    return logo;
}

QImage drawIconEmblem(int side) {
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    paintEmblem(p, side);
    return icon;
}

}  // namespace quorvel::art
