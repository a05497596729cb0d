#include "tools/artframes/clip_frames.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>

#include "resources/artwork.h"

namespace quorvel::tools {

namespace {

using art::PieceType;

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int kCell = 40;
const QColor kLight(240, 240, 240);
const QColor kDark(90, 100, 152);

// 0..1 with gentle start and stop, for every movement.
qreal eased(qreal t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Progress of `frame` through frames first..last, 0..1.
qreal phase(int frame, int first, int last) {
    return eased(qreal(frame - first) / (last - first));
}

QPointF squareCentre(int col, int row, QPointF origin = {}) {
    return origin + QPointF(col * kCell + kCell / 2.0, row * kCell + kCell / 2.0);
}

void drawBoard(QPainter& p, int cols, int rows, QPointF origin = {}) {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            p.fillRect(QRectF(origin.x() + c * kCell, origin.y() + r * kCell, kCell, kCell),
                       (r + c) % 2 ? kDark : kLight);
}

// A piece centred on `centre`; `lift` raises it off its shadow (a jump).
void drawPiece(QPainter& p, int set, bool white, PieceType type, QPointF centre, qreal size = 38,
               qreal lift = 0, qreal opacity = 1) {
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setOpacity(opacity);
    const qreal shadowOffset = 3 + lift / 3;
    const QRectF box(centre.x() - size / 2, centre.y() - size / 2, size, size);
    p.drawPixmap(box.translated(shadowOffset, shadowOffset), art::pieceShadow(set, type),
                 QRectF(0, 0, 42, 42));
    p.drawPixmap(box.translated(0, -lift), art::pieceImage(set, white, type), QRectF(0, 0, 42, 42));
    p.restore();
}

// The logo on a light band, scaled to the clip's width.
void drawLogoBand(QPainter& p, qreal top, qreal opacity) {
    p.save();
    p.setOpacity(opacity);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.fillRect(QRectF(0, top, kWidth, 30), QColor(250, 250, 250, 225));
    p.drawPixmap(QRectF(4, top + 4, 152, 21.5), art::titleLogo(), QRectF(0, 0, 233, 33));
    p.restore();
}

// Splash: a knight leaps in an L, then the name appears. 3 s.
void introFrame(QPainter& p, int frame) {
    drawBoard(p, 4, 3);
    drawPiece(p, 20, false, PieceType::pawn, squareCentre(3, 0));
    drawPiece(p, 20, true, PieceType::rook, squareCentre(3, 2));
    const qreal t = phase(frame, 2, 16);
    const QPointF from = squareCentre(0, 2), to = squareCentre(1, 0);
    const qreal lift = 18 * std::sin(M_PI * t);
    drawPiece(p, 20, true, PieceType::knight, from + (to - from) * t, 38 + 8 * std::sin(M_PI * t), lift);
    if (frame >= 16) drawLogoBand(p, 76, phase(frame, 16, 24));
}

// About box: a rook sweeps along its rank and back under the name. 4 s.
void aproposFrame(QPainter& p, int frame) {
    const QPointF origin(0, 40);
    drawBoard(p, 4, 2, origin);
    drawLogoBand(p, 5, 1);
    drawPiece(p, 40, false, PieceType::king, squareCentre(3, 0, origin));
    drawPiece(p, 40, false, PieceType::pawn, squareCentre(1, 0, origin));
    const qreal out = phase(frame, 4, 18), back = phase(frame, 24, 38);
    const qreal x = 3 * (out - back);
    drawPiece(p, 40, true, PieceType::rook, squareCentre(0, 1, origin) + QPointF(x * kCell, 0));
}

// Captured pieces: a pawn takes a knight, which flies to the corner. 3 s.
void capturedFrame(QPainter& p, int frame) {
    drawBoard(p, 4, 3);
    drawPiece(p, 0, true, PieceType::king, squareCentre(3, 2));
    drawPiece(p, 0, false, PieceType::rook, squareCentre(0, 0));
    const QPointF victim = squareCentre(2, 1), corner(kWidth - 14, 14);
    const qreal flight = phase(frame, 10, 20);
    if (frame < 10)
        drawPiece(p, 0, false, PieceType::knight, victim);
    else
        drawPiece(p, 0, false, PieceType::knight, victim + (corner - victim) * flight, 38 - 16 * flight,
                  12 * std::sin(M_PI * flight), 1 - 0.3 * flight);
    const qreal step = phase(frame, 6, 14);
    drawPiece(p, 0, true, PieceType::pawn, squareCentre(1, 2) + (victim - squareCentre(1, 2)) * step);
}

struct ClipScript {
    const char* name;
    int frames;
    std::function<void(QPainter&, int)> draw;
};

const ClipScript kClips[] = {
    {"intro", 30, introFrame},
    {"apropos", 40, aproposFrame},
    {"pieceprise", 30, capturedFrame},
};

}  // namespace

int writeClipFrames(const QString& name, const QString& folder) {
    const auto clip = std::find_if(std::begin(kClips), std::end(kClips),
                                   [&](const ClipScript& c) { return name == QLatin1String(c.name); });
    if (clip == std::end(kClips)) return 0;
    for (int frame = 0; frame < clip->frames; ++frame) {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(kLight);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        clip->draw(painter, frame);
        painter.end();
        const QString file = QDir(folder).filePath(QString("frame%1.png").arg(frame, 4, 10, QChar('0')));
        if (!image.save(file)) return 0;
    }
    return clip->frames;
}

}  // namespace quorvel::tools
