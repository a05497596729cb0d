#pragma once
// The printed score of a game, laid out in hundredths of a millimetre from
// the top-left corner of the printable area, y growing upwards (lines go down
// the page with more negative y). Pure layout: no printer involved.

#include <QString>
#include <string>
#include <vector>

#include "rules/position.h"

namespace quorvel {

struct PrintedLine {
    int page = 0;  // 0 for the first page
    int x = 0;     // 0.01 mm
    int y = 0;     // 0.01 mm, <= 0
    QString text;
};

// Lines past this depth (0.01 mm) go to the next page.
inline constexpr int kPageDepth = 27000;

// Every half-move of the whole record (even past the position shown), in
// the notation chosen on screen, without the last-move brackets.
std::vector<std::string> printedHalfMoves(const GameRecord& record, bool algebraic);

// "%-3i" ":  " "%-8s" "  " "%-8s" for the move of number `number`.
QString scoreLine(int number, const std::string& white, const std::string& black);

// The heading (first page only) and one line per move number. `lineHeight`
// is the font's height in 0.01 mm and must be positive.
std::vector<PrintedLine> layoutScore(const std::vector<std::string>& halfMoves, int lineHeight);

}  // namespace quorvel
