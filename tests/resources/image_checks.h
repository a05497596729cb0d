#pragma once
// Pixel comparisons shared by the artwork tests.

#include <QImage>

namespace quorvel::art::testing {

// Number of pixels that differ between two pictures of the same size.
inline int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) ++count;
    return count;
}

}  // namespace quorvel::art::testing
