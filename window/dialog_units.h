#pragma once
// Dialog units, the layout measure of the window: a quarter of the font's
// average character width horizontally, an eighth of its height vertically,
// so the panel grows with the font as the controls' texts do.

#include <QFont>
#include <QRect>

namespace quorvel {

class DialogUnits {
public:
    // The board is drawn in pixels (450 x 450 from client (12, 30)): the
    // panel beside it and the buttons under it must not come closer, so the
    // base units never go below those of the 10-point system font the
    // layout was made for.
    static constexpr int kMinimumBaseX = 8;
    static constexpr int kMinimumBaseY = 16;

    explicit DialogUnits(const QFont& font);

    int x(int units) const { return (units * baseX_ + 2) / 4; }
    int y(int units) const { return (units * baseY_ + 4) / 8; }
    QRect rect(int left, int top, int width, int height) const {
        return QRect(x(left), y(top), x(width), y(height));
    }
    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

private:
    int baseX_;
    int baseY_;
};

// The window's font: the system's sans-serif face, 8 points on a 120 dpi
// screen and 10 points elsewhere.
QFont windowFont(int logicalDpiY);

}  // namespace quorvel
