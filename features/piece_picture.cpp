#include "features/piece_picture.h"

#include <QPainter>
#include <QPixmap>

#include "resources/artwork.h"

namespace quorvel {

void drawPiecePicture(QPainter& painter, QPoint cell, int pieceSet, bool white, int code) {
    // Drawn at the ratio of the surface it lands on, so it is never enlarged.
    const qreal scale = painter.device() ? painter.device()->devicePixelRatioF() : 1;
    const QPixmap picture = art::pieceImage(pieceSet, white, art::pieceTypeOf(code), scale);
    // The artwork is smaller than the cell: centre it so neighbouring
    // pictures keep the spacing the dialogs were laid out for.
    const QSize size = picture.deviceIndependentSize().toSize();
    const QPoint offset((kPieceCell - size.width()) / 2, (kPieceCell - size.height()) / 2);
    painter.drawPixmap(cell + offset, picture);
}

}  // namespace quorvel
