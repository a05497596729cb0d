#pragma once
// The text of a chess clock: hours, minutes and seconds, two digits each at
// least. Hours are not wrapped at 24 or 100, so long games stay readable.

#include <QString>

namespace quorvel {

// 3725 -> "01:02:05", 360000 -> "100:00:00".
QString formatClock(long seconds);

}  // namespace quorvel
