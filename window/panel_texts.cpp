#include "window/panel_texts.h"

#include <limits>

namespace quorvel {

QString memoryText(std::uint64_t bytesInUse) {
    return QString::number(bytesInUse >> 20) + QStringLiteral(" Mo");
}

QString depthText(int mainDepth, int secondaryDepth) {
    if (secondaryDepth == 0) return QString::number(mainDepth);
    return QStringLiteral("%1  |  %2").arg(mainDepth).arg(mainDepth + secondaryDepth);
}

QString nodesText(std::uint32_t nodes) {
    return QString::number(nodes);
}

QString scoreText(double pawns) {
    return QString::number(pawns);
}

QString statusLineText(const QString& statusText, bool inCheck) {
    QString text = statusText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (inCheck && !text.startsWith(QStringLiteral("->"))) {
        const QString rest = text.trimmed();
        text = rest.isEmpty() ? QStringLiteral("Echec !") : QStringLiteral("Echec !\n") + rest;
    }
    // The text layout may break a line after a hyphen, cutting "e2-e4" in
    // two: a word joiner after each hyphen keeps a move whole.
    text.replace(QStringLiteral("-"), QStringLiteral("-\u2060"));
    return text;
}

QString longestNodesText() {
    return nodesText(std::numeric_limits<std::uint32_t>::max());
}

QString longestDepthText() {
    // Both trees grow ten levels at most (the engine options' ranges).
    return depthText(10, 10);
}

QString longestMemoryText() {
    // 24 bytes a node, as many nodes as the count can hold.
    return memoryText(24ull * std::numeric_limits<std::uint32_t>::max());
}

QString longestScoreText() {
    return scoreText(-199.99);
}

QStringList longestMoveCellTexts() {
    // A capture with mate; in algebraic notation by a piece told apart from
    // its rival; a long castling with mate; a promotion by a capture, with
    // mate, in either notation.
    return {QStringLiteral(">d8xh4++<"), QStringLiteral(">Dhxd8++<"),   QStringLiteral(">Tdxd8++<"),
            QStringLiteral(">o-o-o++<"), QStringLiteral(">b7xa8=D++<"), QStringLiteral(">bxa8=D++<")};
}

}  // namespace quorvel
