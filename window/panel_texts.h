#pragma once
// The texts of the panel's search figures, and the longest each can be, by
// which the layout sizes their fields.

#include <QString>
#include <QStringList>
#include <cstdint>

namespace quorvel {

// "Mem :": the whole mebibytes the tree holds, then " Mo".
QString memoryText(std::uint64_t bytesInUse);
// "Profondeur :": the main depth d, and d + e while a secondary tree of
// depth e grows.
QString depthText(int mainDepth, int secondaryDepth);
// "Noeud :": the count of nodes created.
QString nodesText(std::uint32_t nodes);
// "Note Noirs :": the evaluation in pawns.
QString scoreText(double pawns);

// The status line as shown: the status text with its CR LF line ends, and
// "Echec !" first while the side to move is in check (a toolbar's help text
// stands alone). A move's text is never broken across two lines: the line
// may only break between moves.
QString statusLineText(const QString& statusText, bool inCheck);

// The longest texts of each figure: every digit of a 32-bit count, the
// deepest main and secondary trees, the tree of a full count of nodes, and
// an evaluation beyond any material the board can hold.
QString longestNodesText();
QString longestDepthText();
QString longestMemoryText();
QString longestScoreText();
// The longest texts of a move-list cell, the last move marked, in either
// notation; which is the widest depends on the font.
QStringList longestMoveCellTexts();

}  // namespace quorvel
