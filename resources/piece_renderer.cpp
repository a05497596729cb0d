#include "resources/piece_renderer.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

#include "resources/alpha_ops.h"
#include "resources/art_fonts.h"
#include "resources/flat_shapes.h"

namespace quorvel::art {

namespace {

// How one set colours its pieces. The light line colour on the dark pieces
// is what keeps them readable on dark squares.
struct SetStyle {
    ArtFont font;
    QColor whiteTop, whiteBottom, whiteLines;
    QColor blackTop, blackBottom, blackLines;
    qreal lineWidth;  // flat shapes only: rim width, pixels
};

SetStyle styleOf(int pieceSet) {
    if (pieceSet == 20)
        return {ArtFont::sansChess, QColor(255, 255, 255), QColor(250, 250, 250), QColor(20, 20, 20),
                QColor(40, 40, 40), QColor(20, 20, 20),    QColor(245, 245, 245), 2.0};
    if (pieceSet == 40)
        return {ArtFont::serifChess, QColor(255, 250, 235), QColor(222, 196, 150), QColor(70, 40, 20),
                QColor(110, 60, 40), QColor(30, 14, 8),     QColor(245, 205, 110), 1.5};
    return {ArtFont::sansChess, QColor(255, 255, 255), QColor(255, 255, 255), QColor(0, 0, 0),
            QColor(25, 25, 25), QColor(25, 25, 25),    QColor(235, 235, 235), 1.5};
}

// The pictures are drawn at the device's pixels: the 42 x 42 design is
// scaled as vectors, so edges stay sharp at every scale, and the pixel
// operations (rim, blur) grow with the scale.
struct Canvas {
    qreal scale = 1;

    int side() const { return devicePixels(kPieceSide, scale); }
    qreal px(qreal designPixels) const { return designPixels * scale; }
    int radius() const { return std::max(1, qRound(scale)); }
    QPainterPath map(const QPainterPath& design) const {
        return QTransform::fromScale(scale, scale).map(design);
    }
    QImage blank() const {
        QImage image(side(), side(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }
};

// The white-piece glyphs are line drawings; both colours are made from
// them so the two colours of a type share one silhouette and one mask.
QChar glyphOf(PieceType type, bool solid = false) {
    static const char16_t codes[] = {0x2654, 0x2655, 0x2656, 0x2658, 0x2657, 0x2659};
    return QChar(codes[static_cast<int>(type)] + (solid ? 6 : 0));
}

// One scale for the six glyphs of a font, so a pawn stays smaller than a
// king; every piece stands on the same base line. The solid glyph gets the
// same placement, so it lies exactly under the line drawing.
QPainterPath placedGlyph(ArtFont font, PieceType type, bool solid) {
    qreal tallest = 0, widest = 0;
    for (int t = 0; t < 6; ++t) {
        const QRectF r = textOutline(font, glyphOf(static_cast<PieceType>(t)), 100).boundingRect();
        tallest = std::max(tallest, r.height());
        widest = std::max(widest, r.width());
    }
    const qreal size = 100 * std::min(36.0 / tallest, 37.0 / widest);
    const QRectF r = textOutline(font, glyphOf(type), size).boundingRect();
    return textOutline(font, glyphOf(type, solid), size)
        .translated(kPieceSide / 2.0 - r.center().x(), 39 - r.bottom());
}

QImage painted(const Canvas& canvas, const QPainterPath& path) {
    QImage image = canvas.blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, Qt::black);
    painter.end();
    return alphaOf(image);
}

// The body colour, shaded from top to bottom, cut to `body`'s alpha.
QImage shadedBody(const Canvas& canvas, const QImage& body, QColor top, QColor bottom) {
    QImage image = canvas.blank();
    QPainter painter(&image);
    QLinearGradient shade(0, canvas.px(4), 0, canvas.px(39));
    shade.setColorAt(0, top);
    shade.setColorAt(1, bottom);
    painter.fillRect(image.rect(), shade);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, tinted(body, Qt::black));
    return image;
}

QImage glyphPicture(const Canvas& canvas, const QPainterPath& lines, const QImage& body, QColor top,
                    QColor bottom, QColor ink) {
    QImage image = shadedBody(canvas, body, top, bottom);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(lines, ink);
    return image;
}

// Dark pieces use the font's solid glyph, whose details are cut out of the
// body; a one-pixel rim under it shows through those cuts and around the
// edge, so the piece stays dark yet readable on dark squares.
QImage solidGlyphPicture(const Canvas& canvas, const QPainterPath& solid, const QImage& body,
                         const SetStyle& style) {
    QImage image = tinted(dilated(body, canvas.radius()), style.blackLines);
    QPainter painter(&image);
    QLinearGradient shade(0, canvas.px(4), 0, canvas.px(39));
    shade.setColorAt(0, style.blackTop);
    shade.setColorAt(1, style.blackBottom);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(solid, shade);
    return image;
}

QImage flatPicture(const Canvas& canvas, PieceType type, const QImage& body, QColor top, QColor bottom,
                   QColor ink, qreal designWidth) {
    const QPainterPath shape = canvas.map(flatShape(type));
    const qreal width = canvas.px(designWidth);
    QImage image = canvas.blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The rim is stroked first and the body filled over it, so only its
    // outer half shows and the silhouette stays bold.
    painter.strokePath(shape, QPen(ink, 2 * width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawImage(0, 0, shadedBody(canvas, body, top, bottom));
    painter.setClipPath(shape);
    painter.strokePath(canvas.map(flatDetails(type)), QPen(ink, width * 0.75, Qt::SolidLine, Qt::RoundCap));
    return image;
}

QImage shadowOf(const Canvas& canvas, const QImage& mask) {
    return tinted(blurred(mask, canvas.radius(), 3), QColor(0, 0, 0, 120));
}

}  // namespace

PiecePictures renderPiece(int pieceSet, PieceType type, qreal scale) {
    const Canvas canvas{usableScale(scale)};
    const SetStyle style = styleOf(pieceSet);
    const bool glyphs = pieceSet != 20 && fontHas(style.font, QString(glyphOf(type)) + glyphOf(type, true));
    PiecePictures pictures;
    if (glyphs) {
        const QPainterPath lines = canvas.map(placedGlyph(style.font, type, false));
        const QPainterPath solid = canvas.map(placedGlyph(style.font, type, true));
        // Some line drawings leave a gap in their contour (the knight's
        // mane), so the solid glyph closes the body.
        const QImage body =
            unitedAlpha(filledInterior(painted(canvas, lines)), filledInterior(painted(canvas, solid)));
        pictures.white =
            glyphPicture(canvas, lines, body, style.whiteTop, style.whiteBottom, style.whiteLines);
        pictures.black = solidGlyphPicture(canvas, solid, body, style);
    } else {
        // Also the stand-in for the glyph sets should their font be missing.
        const QImage body = painted(canvas, canvas.map(flatShape(type)));
        pictures.white = flatPicture(canvas, type, body, style.whiteTop, style.whiteBottom, style.whiteLines,
                                     style.lineWidth);
        pictures.black = flatPicture(canvas, type, body, style.blackTop, style.blackBottom, style.blackLines,
                                     style.lineWidth);
    }
    pictures.mask = unitedAlpha(alphaOf(pictures.white), alphaOf(pictures.black));
    pictures.shadow = shadowOf(canvas, pictures.mask);
    for (QImage* picture : {&pictures.white, &pictures.black, &pictures.mask, &pictures.shadow})
        picture->setDevicePixelRatio(canvas.scale);
    return pictures;
}

}  // namespace quorvel::art
