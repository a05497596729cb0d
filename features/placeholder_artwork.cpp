// Stand-in artwork, built only while the artwork library is absent, so the
// dialogs can be built and tested on their own: a letter in a disc.

#include <QPainter>

#include "resources/artwork.h"

namespace quorvel::art {

PieceType pieceTypeOf(int code) {
    switch (code % 10) {
        case 1: return PieceType::king;
        case 2: return PieceType::queen;
        case 3: return PieceType::rook;
        case 4: return PieceType::knight;
        case 5: return PieceType::bishop;
        default: return PieceType::pawn;
    }
}

QPixmap pieceImage(int, bool white, PieceType type) {
    QPixmap picture(42, 42);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(white ? Qt::white : Qt::black);
    painter.setPen(white ? Qt::black : Qt::white);
    painter.drawEllipse(3, 3, 36, 36);
    static const char letters[] = "RDTCFP";
    painter.drawText(QRect(0, 0, 42, 42), Qt::AlignCenter, QString(QChar(letters[static_cast<int>(type)])));
    return picture;
}

QImage pieceMask(int pieceSet, PieceType type) {
    return pieceImage(pieceSet, true, type).toImage().createAlphaMask();
}

QPixmap pieceShadow(int pieceSet, PieceType type) { return pieceImage(pieceSet, false, type); }

QPixmap toolbarIcon(int, bool) {
    QPixmap icon(16, 16);
    icon.fill(Qt::gray);
    return icon;
}

QPixmap titleLogo() {
    QPixmap logo(233, 33);
    logo.fill(Qt::darkGreen);
    return logo;
}

QIcon applicationIcon() { return QIcon(titleLogo()); }

}  // namespace quorvel::art
