#include "window/dialog_units.h"

#include <QFontMetrics>
#include <algorithm>

namespace quorvel {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = std::max((width / 26 + 1) / 2, kMinimumBaseX);
    baseY_ = std::max(metrics.height(), kMinimumBaseY);
}

QFont windowFont(int logicalDpiY) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(logicalDpiY == 120 ? 8 : 10);
    return font;
}

}  // namespace quorvel
