#include "features/score_layout.h"

#include <algorithm>
#include <cassert>
#include <cstdio>

#include "features/program_version.h"
#include "rules/notation.h"

namespace quorvel {

std::vector<std::string> printedHalfMoves(const GameRecord& record, bool algebraic) {
    // A damaged record must not make us read past the arrays.
    const int length = std::clamp(record.recordLength, 0, GameRecord::kCapacity);
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i) texts.push_back(formatRecordMove(record, i, false, algebraic));
    return texts;
}

QString scoreLine(int number, const std::string& white, const std::string& black) {
    char text[96];
    std::snprintf(text, sizeof text, "%-3i:  %-8s  %-8s", number, white.c_str(), black.c_str());
    return QString::fromLatin1(text);
}

std::vector<PrintedLine> layoutScore(const std::vector<std::string>& halfMoves, int lineHeight) {
    assert(lineHeight > 0);
    const int h = lineHeight;
    std::vector<PrintedLine> lines = {
        {0, 1600, -1000, QStringLiteral(" ") + programTitle()},
        // The rule under the title, a character longer.
        {0, 1600, -1000 - h, QStringLiteral(" ") + QString(programTitle().size() + 1, QLatin1Char('='))},
        {0, 1560, -1000 - 4 * h, QStringLiteral("    Blancs    Noirs")},
        {0, 1560, -1000 - 5 * h, QStringLiteral("    ------    -----")},
    };
    int page = 0;
    int j = 9;
    for (std::size_t i = 0; i < halfMoves.size(); i += 2) {
        const std::string& black = i + 1 < halfMoves.size() ? halfMoves[i + 1] : std::string();
        lines.push_back({page, 1000, -j * h, scoreLine(static_cast<int>(i / 2 + 1), halfMoves[i], black)});
        ++j;
        // The page is turned only when a line is left to print, so a score
        // that ends at the foot of a page leaves no blank sheet behind.
        if (static_cast<long long>(j) * h > kPageDepth && i + 2 < halfMoves.size()) {
            ++page;
            j = 1;
        }
    }
    return lines;
}

}  // namespace quorvel
