#include "window/board_renderer.h"

#include <QPainter>

#include "resources/artwork.h"
#include "rules/game_end.h"
#include "window/board_geometry.h"
#include "window/human_move.h"

namespace quorvel {

QColor colourFromBgr(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::uint32_t bgrFromColour(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) | static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue()) << 16;
}

std::optional<board::Square> checkedKing(const Position& position, StateWord state) {
    for (const bool upper : {true, false}) {
        if (!isInCheck(position, state, upper)) continue;
        const int king = upper ? kUpperKing : kLowerKing;
        for (int x = 1; x <= 8; ++x)
            for (int y = 1; y <= 8; ++y)
                if (position.at(x, y) == king) return board::Square{x, y};
    }
    return std::nullopt;
}

QImage BoardRenderer::render(const PlayState& play, const DisplayOptions& display, qreal scale) {
    scale = art::usableScale(scale);
    const int side = art::devicePixels(board::kImageSize, scale);
    QImage image(side, side, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.fillRect(QRect(20, 20, 460, 460), colourFromBgr(display.borderColour));
    }
    drawFrame(image);
    // The picture shows the real position from White's side unless turned,
    // whichever side the human plays: the letters follow the turn alone.
    if (display.showCoordinates) drawCoordinates(image, display.boardTurned);
    drawSquares(image, play, display);
    {
        QPainter painter(&image);
        painter.fillRect(QRect(45, 42, 1, 402), Qt::black);
    }
    drawPieces(image, play, display);
    return image;
}

// The one-pixel lines of the frame and the squares are filled as bands of
// whole pixels, which scale to whole device pixels where a stroked line
// would straddle them.
void BoardRenderer::drawFrame(QImage& image) const {
    QPainter painter(&image);
    for (int k = 0; k <= 2; ++k) {
        const int a = 22 - k;
        const int b = 467 + k;
        painter.fillRect(QRect(b, a, 1, b - a + 1), QColor(110, 110, 110));
        painter.fillRect(QRect(a, b, b - a + 2, 1), QColor(100, 100, 100));
        painter.fillRect(QRect(a, a, 1, b - a + 1), QColor(240, 240, 240));
        painter.fillRect(QRect(a, a, b - a + 1, 1), QColor(245, 245, 245));
    }
}

void BoardRenderer::drawCoordinates(QImage& image, bool fromBlack) const {
    QPainter painter(&image);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    const int s = board::kSquareSize;
    for (int k = 1; k <= 8; ++k) {
        const QChar file(fromBlack ? 'h' + 1 - k : 'a' - 1 + k);
        const QChar rank(fromBlack ? '0' + k : '9' - k);
        painter.drawText(QRect(s * k + 15, 444, 20, 24), Qt::AlignLeft | Qt::AlignTop, QString(file));
        painter.drawText(QRect(28, s * k + 7, 20, 24), Qt::AlignLeft | Qt::AlignTop, QString(rank));
    }
}

void BoardRenderer::drawSquares(QImage& image, const PlayState& play, const DisplayOptions& display) const {
    QPainter painter(&image);
    const GameRecord& record = play.record;
    const bool pib = record.playerIsBlack;
    // While the computer's move is shown the mark is a chess rank.
    board::Square mark{play.markFile, play.markRank};
    if (play.searchRunning && pib) mark.y = 9 - mark.y;
    const bool showReach = play.markerOn && display.showPossibleMoves && !play.searchRunning;
    // The board is the search's while it runs; its check is shown once the
    // move is on it.
    const std::optional<board::Square> check =
        play.searchRunning ? std::nullopt : checkedKing(record.current, record.state);

    for (int r = 1; r <= 8; ++r) {
        for (int c = 1; c <= 8; ++c) {
            const board::Square shown = board::shownSquare(c, r, pib, display.boardTurned);
            const bool light = board::isLightPictureSquare(c, r);
            QColor fill = colourFromBgr(light ? display.lightColour : display.darkColour);
            if (play.markerOn && shown == mark) {
                fill = QColor(kMarker);
            } else if (check == shown) {
                fill = QColor(kCheck);
            } else if (showReach && validateHumanMove(record.current, record.state, mark, shown)) {
                fill = QColor(light != pib ? kReachableA : kReachableB);
            }
            // The outline is the square's edge pixels, shared with its
            // neighbours; the colour fills the inside.
            const QRect rect = board::squareRectInImage(c, r);
            painter.fillRect(rect, Qt::black);
            painter.fillRect(rect.adjusted(1, 1, -1, -1), fill);
        }
    }
}

const BoardRenderer::PieceSetImages& BoardRenderer::piecesOf(int pieceSet, qreal scale) {
    if (cache_.pieceSet != pieceSet || cache_.scale != scale) {
        cache_.pieceSet = pieceSet;
        cache_.scale = scale;
        for (int t = 0; t < 6; ++t) {
            const auto type = static_cast<art::PieceType>(t);
            const auto i = static_cast<std::size_t>(t);
            cache_.white[i] = art::pieceImage(pieceSet, true, type, scale);
            cache_.black[i] = art::pieceImage(pieceSet, false, type, scale);
            cache_.shadow[i] = art::pieceShadow(pieceSet, type, scale);
        }
    }
    return cache_;
}

void BoardRenderer::drawPieces(QImage& image, const PlayState& play, const DisplayOptions& display) {
    const PieceSetImages& set = piecesOf(display.pieceSet, image.devicePixelRatio());
    QPainter painter(&image);
    const int s = board::kSquareSize;
    const QPoint offset = display.pieceSet == 20 ? QPoint(-2, 1) : QPoint(0, 0);
    const bool pib = play.record.playerIsBlack;
    for (int r = 1; r <= 8; ++r) {
        for (int c = 1; c <= 8; ++c) {
            const board::Square shown = board::shownSquare(c, r, pib, display.boardTurned);
            int code = play.record.current.at(shown.x, shown.y);
            if (code <= 0) continue;
            // The human's pieces are the lower side: White's images for the
            // real White army whichever side holds it.
            if (pib) code = code > 10 ? code - 10 : code + 10;
            const bool white = code > 10;
            const auto type = static_cast<std::size_t>(art::pieceTypeOf(code));
            if (type >= 6) continue;
            if (display.shadedPieces)
                painter.drawPixmap(QPoint(s * c + 3, s * r + 1) + offset, set.shadow[type]);
            painter.drawPixmap(QPoint(s * c - 1, s * r - 3) + offset,
                               white ? set.white[type] : set.black[type]);
        }
    }
}

}  // namespace quorvel
