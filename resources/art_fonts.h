#pragma once
// The fonts the artwork is drawn from: small cuts of DejaVu Sans and
// FreeSerif (chess glyphs) and DejaVu Serif Bold (letters), carried inside
// the program so pictures look the same whatever fonts the machine has.

#include <QPainterPath>
#include <QString>

namespace quorvel::art {

enum class ArtFont { sansChess, serifChess, titleLetters };

// True when the font loaded and holds `text`'s characters.
bool fontHas(ArtFont font, const QString& text);

// Outline of `text` at `pixelSize`, its baseline starting at (0, 0).
// Empty when the font is unavailable.
QPainterPath textOutline(ArtFont font, const QString& text, qreal pixelSize);

// `path` scaled (aspect kept) and centred to fill at most `box`.
QPainterPath fittedInto(const QPainterPath& path, const QRectF& box);

}  // namespace quorvel::art
