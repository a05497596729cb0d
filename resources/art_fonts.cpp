#include "resources/art_fonts.h"

#include <QFile>
#include <QRawFont>
#include <QTransform>
#include <algorithm>

// The fonts are compiled into this static library; registering them by hand
// keeps the linker from dropping them.
static void registerArtResources() {
    Q_INIT_RESOURCE(artwork);
}

namespace quorvel::art {

namespace {

const char* resourceOf(ArtFont font) {
    switch (font) {
        case ArtFont::sansChess:
            return ":/quorvel/fonts/QuorvelGlyphs.ttf";
        case ArtFont::serifChess:
            return ":/quorvel/fonts/QuorvelSerifGlyphs.ttf";
        case ArtFont::titleLetters:
            return ":/quorvel/fonts/QuorvelTitle.ttf";
    }
    return "";
}

QByteArray fontData(ArtFont font) {
    registerArtResources();
    QFile file(QString::fromLatin1(resourceOf(font)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// QRawFont needs a pixel size; outlines are scaled afterwards, so one large
// size keeps the curves precise.
constexpr qreal kDesignSize = 200;

const QRawFont& rawFont(ArtFont font) {
    static const QRawFont fonts[] = {
        QRawFont(fontData(ArtFont::sansChess), kDesignSize),
        QRawFont(fontData(ArtFont::serifChess), kDesignSize),
        QRawFont(fontData(ArtFont::titleLetters), kDesignSize),
    };
    return fonts[static_cast<int>(font)];
}

}  // namespace

bool fontHas(ArtFont font, const QString& text) {
    const QRawFont& raw = rawFont(font);
    if (!raw.isValid()) return false;
    const QList<quint32> indexes = raw.glyphIndexesForString(text);
    return !indexes.isEmpty() &&
           std::none_of(indexes.begin(), indexes.end(), [](quint32 i) { return i == 0; });
}

QPainterPath textOutline(ArtFont font, const QString& text, qreal pixelSize) {
    QPainterPath outline;
    const QRawFont& raw = rawFont(font);
    if (!raw.isValid()) return outline;
    const QList<quint32> indexes = raw.glyphIndexesForString(text);
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(indexes);
    QPointF pen(0, 0);
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        outline.addPath(raw.pathForGlyph(indexes[i]).translated(pen));
        if (i < advances.size()) pen += advances[i];
    }
    const qreal scale = pixelSize / kDesignSize;
    return QTransform::fromScale(scale, scale).map(outline);
}

QPainterPath fittedInto(const QPainterPath& path, const QRectF& box) {
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty()) return path;
    const qreal scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(scale, scale);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    return fit.map(path);
}

}  // namespace quorvel::art
