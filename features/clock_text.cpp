#include "features/clock_text.h"

#include <cstdio>

namespace quorvel {

QString formatClock(long seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%02li:%02li:%02li", seconds / 3600, (seconds % 3600) / 60,
                  seconds % 60);
    return QString::fromLatin1(text);
}

}  // namespace quorvel
