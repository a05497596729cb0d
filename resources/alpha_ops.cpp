#include "resources/alpha_ops.h"

#include <QPainter>
#include <algorithm>
#include <vector>

namespace quorvel::art {

namespace {

QImage blankAlpha(QSize size) {
    QImage image(size, QImage::Format_Alpha8);
    image.fill(0);
    return image;
}

// One horizontal then one vertical running-sum pass; pixels outside the
// image count as transparent so shapes near the edge fade out evenly.
void boxPass(QImage& image, int radius) {
    const int w = image.width(), h = image.height(), span = 2 * radius + 1;
    std::vector<int> line(static_cast<size_t>(std::max(w, h)));
    for (int y = 0; y < h; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < w; ++x) line[x] = row[x];
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int k = std::max(0, x - radius); k <= std::min(w - 1, x + radius); ++k) sum += line[k];
            row[x] = static_cast<uchar>(sum / span);
        }
    }
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) line[y] = image.scanLine(y)[x];
        for (int y = 0; y < h; ++y) {
            int sum = 0;
            for (int k = std::max(0, y - radius); k <= std::min(h - 1, y + radius); ++k) sum += line[k];
            image.scanLine(y)[x] = static_cast<uchar>(sum / span);
        }
    }
}

}  // namespace

QImage alphaOf(const QImage& picture) {
    return picture.convertToFormat(QImage::Format_ARGB32).convertToFormat(QImage::Format_Alpha8);
}

QImage filledInterior(const QImage& alpha, int wall) {
    const int w = alpha.width(), h = alpha.height();
    std::vector<char> outside(static_cast<size_t>(w * h), 0);
    std::vector<QPoint> todo;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        char& seen = outside[static_cast<size_t>(y * w + x)];
        if (seen || alpha.constScanLine(y)[x] >= wall) return;
        seen = 1;
        todo.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) visit(x, 0), visit(x, h - 1);
    for (int y = 0; y < h; ++y) visit(0, y), visit(w - 1, y);
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        visit(p.x() + 1, p.y()), visit(p.x() - 1, p.y()), visit(p.x(), p.y() + 1), visit(p.x(), p.y() - 1);
    }
    QImage result = alpha.copy();
    for (int y = 0; y < h; ++y) {
        uchar* row = result.scanLine(y);
        for (int x = 0; x < w; ++x)
            if (!outside[static_cast<size_t>(y * w + x)]) row[x] = 255;
    }
    return result;
}

QImage dilated(const QImage& alpha, int radius) {
    const int w = alpha.width(), h = alpha.height();
    QImage result = blankAlpha(alpha.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uchar best = 0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx >= 0 && sy >= 0 && sx < w && sy < h)
                        best = std::max(best, alpha.constScanLine(sy)[sx]);
                }
            result.scanLine(y)[x] = best;
        }
    }
    return result;
}

QImage blurred(const QImage& alpha, int radius, int passes) {
    QImage result = alpha.convertToFormat(QImage::Format_Alpha8);
    for (int i = 0; i < passes; ++i) boxPass(result, radius);
    return result;
}

QImage unitedAlpha(const QImage& a, const QImage& b) {
    QImage result = a.convertToFormat(QImage::Format_Alpha8);
    for (int y = 0; y < result.height() && y < b.height(); ++y) {
        uchar* row = result.scanLine(y);
        const uchar* other = b.constScanLine(y);
        for (int x = 0; x < result.width() && x < b.width(); ++x) row[x] = std::max(row[x], other[x]);
    }
    return result;
}

QImage tinted(const QImage& alpha, QColor colour) {
    QImage result(alpha.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    for (int y = 0; y < alpha.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        const uchar* source = alpha.constScanLine(y);
        for (int x = 0; x < alpha.width(); ++x) {
            const int a = source[x] * colour.alpha() / 255;
            row[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), a));
        }
    }
    return result;
}

}  // namespace quorvel::art
