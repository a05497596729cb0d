#include "window/board_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorvel::board {

QRect squareRectInImage(int c, int r) {
    const int s = kSquareSize;
    return QRect(QPoint(s * c - 5, s * r - 8), QPoint(s * c + 45, s * r + 42));
}

QRect squareRectInClient(int c, int r) {
    return squareRectInImage(c, r).translated(kClientOrigin - kImageSource);
}

Square shownSquare(int c, int r, bool playerIsBlack, bool boardTurned) {
    if (!playerIsBlack) return boardTurned ? Square{9 - c, r} : Square{c, 9 - r};
    return boardTurned ? Square{9 - c, 9 - r} : Square{c, r};
}

QPoint pictureSquareOf(Square square, bool playerIsBlack, bool boardTurned) {
    // Each mapping of shownSquare is its own inverse.
    const Square back = shownSquare(square.x, square.y, playerIsBlack, boardTurned);
    return QPoint(back.x, back.y);
}

Square hitSquare(int x, int y, bool playerIsBlack, bool boardTurned) {
    int fileX = (x + 12) / kSquareSize;
    int rowY = y < 54 ? 0 : 8 - (y - 53) / kSquareSize;
    // Clicks left of or above the board must stay off it whatever the view.
    if (x + 12 < kSquareSize || rowY < 1 || fileX > 8) return {};
    if (playerIsBlack != boardTurned) {
        fileX = 9 - fileX;
        rowY = 9 - rowY;
    }
    if (playerIsBlack) fileX = 9 - fileX;
    return {fileX, rowY};
}

bool isLightPictureSquare(int c, int r) {
    return (c + r) % 2 == 0;
}

namespace {
struct Zone {
    int left;
    int right;
    const char* help;
};
const std::array<Zone, 8> kZones{{
    {31, 69, "-> Revoir les mouvements de la partie"},
    {96, 109, "-> Commencer une nouvelle partie"},
    {136, 149, "-> Charger une partie"},
    {176, 191, "-> Sauvegarder une partie"},
    {215, 231, "-> Faire jouer l'ordinateur en premier"},
    {259, 272, "-> Changer de camp"},
    {296, 311, "-> Tourner l'échiquier de 180°"},
    {336, 351, "-> Annuler le dernier mouvement"},
}};
}  // namespace

int toolbarZoneAt(int x, int y) {
    if (y < 5 || y > 24 || x < 31 || x > 351) return -1;
    for (int z = 0; z <= kToolbarZones; ++z) {
        const Zone& zone = kZones[static_cast<std::size_t>(z)];
        if (x >= zone.left && x <= zone.right) return z;
    }
    return -1;
}

QPoint toolbarIconPosition(int zone) {
    return QPoint(40 * zone + 56, 6);
}

QString toolbarHelpText(int zone) {
    if (zone < 0 || zone > kToolbarZones) return {};
    return QString::fromUtf8(kZones[static_cast<std::size_t>(zone)].help);
}

ViewGeometry ViewGeometry::fitting(QSize viewSize, qreal screenScale) {
    ViewGeometry g;
    g.screenScale_ = screenScale > 0 ? screenScale : 1;
    const qreal s = g.screenScale_;
    // The board's side may grow with the view beyond its margins. The
    // picture's scale goes in tenths, so its squares and frame fall on whole
    // device pixels and a resize draws a few sizes, not one per pixel; never
    // below the screen's own scale.
    const QSize margins = kBaseViewSize - QSize(kShownSize, kShownSize);
    const qreal room = std::min(viewSize.width() - margins.width(), viewSize.height() - margins.height());
    const qreal tenths = std::floor(room * s / kShownSize * 10 + 1e-9) / 10;
    g.pictureScale_ = std::max(s, tenths);
    // The block of the toolbar strip and the board, centred, its corner on a
    // whole device pixel.
    const qreal side = kShownSize * g.zoom();
    const QSizeF block(margins.width() + side, margins.height() + side);
    auto onDevicePixel = [s](qreal logical) { return std::round(logical * s) / s; };
    g.shift_ = QPointF(onDevicePixel(std::max(0.0, (viewSize.width() - block.width()) / 2)),
                       onDevicePixel(std::max(0.0, (viewSize.height() - block.height()) / 2)));
    return g;
}

QRectF ViewGeometry::boardRect() const {
    const qreal side = kShownSize * zoom();
    return QRectF(QPointF(kClientOrigin) + shift_, QSizeF(side, side));
}

QRectF ViewGeometry::fromBase(const QRectF& base) const {
    const QPointF origin = QPointF(kClientOrigin) + shift_;
    return QRectF(origin + (base.topLeft() - QPointF(kClientOrigin)) * zoom(), base.size() * zoom());
}

QRectF ViewGeometry::pictureSquareRect(int c, int r) const {
    // The square's pixels, its shared outline included.
    const QRect base = squareRectInClient(c, r);
    return fromBase(QRectF(base.topLeft(), QSizeF(base.width(), base.height())));
}

QRectF ViewGeometry::squareRect(Square stored, bool playerIsBlack, bool boardTurned) const {
    const QPoint picture = pictureSquareOf(stored, playerIsBlack, boardTurned);
    return pictureSquareRect(picture.x(), picture.y());
}

QPointF ViewGeometry::toolbarIconPosition(int zone) const {
    return QPointF(board::toolbarIconPosition(zone)) + shift_;
}

QPoint ViewGeometry::toBase(QPointF view) const {
    const QPointF origin = QPointF(kClientOrigin) + shift_;
    QPointF base;
    if (view.y() < origin.y()) {
        base = view - shift_;  // the toolbar strip keeps its size
    } else {
        base = QPointF(kClientOrigin) + (view - origin) / zoom();
    }
    return QPoint(static_cast<int>(std::floor(base.x())), static_cast<int>(std::floor(base.y())));
}

}  // namespace quorvel::board
