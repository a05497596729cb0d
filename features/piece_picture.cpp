#include "features/piece_picture.h"

#include <QPainter>
#include <QPixmap>

#include "resources/artwork.h"

namespace quorvel {

void drawPiecePicture(QPainter& painter, QPoint cell, int pieceSet, bool white, int code) {
    const QPixmap picture = art::pieceImage(pieceSet, white, art::pieceTypeOf(code));
    // The artwork is smaller than the cell: centre it so neighbouring
    // pictures keep the spacing the dialogs were laid out for.
    const QPoint offset((kPieceCell - picture.width()) / 2, (kPieceCell - picture.height()) / 2);
    painter.drawPixmap(cell + offset, picture);
}

}  // namespace quorvel
