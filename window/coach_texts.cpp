#include "window/coach_texts.h"

#include <cstdlib>

#include "rules/notation.h"
#include "rules/san.h"
#include "rules/uci_move.h"

namespace quorvel {

namespace {

QString decimal(double value, int decimals) {
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

// "1,5 pion", "3,2 pions": the French plural starts at two.
QString pawnsWord(int centipawns) {
    const int tenths = (std::abs(centipawns) + 5) / 10;
    return decimal(tenths / 10.0, 1) + (tenths < 20 ? QStringLiteral(" pion") : QStringLiteral(" pions"));
}

}  // namespace

QString pawnsText(int centipawns) {
    const QString number = decimal(std::abs(centipawns) / 100.0, 2);
    if (centipawns > 0) return QLatin1Char('+') + number;
    if (centipawns < 0) return QLatin1Char('-') + number;
    return number;
}

QString scoreWords(const AnalysisScore& score) {
    switch (score.kind) {
        case AnalysisScore::Kind::mates:
            return QStringLiteral("mat en %1").arg(score.value);
        case AnalysisScore::Kind::mated:
            return QStringLiteral("mat subi en %1").arg(score.value);
        case AnalysisScore::Kind::centipawns:
            break;
    }
    return pawnsText(score.value);
}

QString moveInNotation(const ChessPosition& position, const std::string& uci, bool algebraic) {
    const auto move = findUciMove(position.board, position.state, !position.whiteToMove, false, uci);
    if (!move) return {};
    if (algebraic)
        return QString::fromStdString(
            frenchLetters(sanOf(position.board, position.state, position.whiteToMove, *move)));
    // The board of a chess position has its rows in ranks already.
    const int piece = position.board.at(move->fromX, move->fromY);
    const bool capture = position.board.at(move->toX, move->toY) != kEmpty ||
                         (pieceKind(piece) == kUpperPawn && move->fromX != move->toX);
    return QString::fromStdString(
        buildMoveText(move->fromX, move->fromY, move->toX, move->toY, piece, capture).str());
}

QString hintText(const QString& move, const std::optional<AnalysisScore>& score) {
    QString text = QStringLiteral("Suggestion : ") + move;
    if (score) text += QStringLiteral(" (") + scoreWords(*score) + QLatin1Char(')');
    return text;
}

bool coachWarns(const AnalysisScore& best, const AnalysisScore& after, bool playedIsBest,
                int thresholdPawns) {
    if (playedIsBest) return false;
    const MoveLoss loss = moveLoss(best, after);
    return loss.allowsMate || loss.centipawns >= thresholdPawns * 100;
}

QString coachWarningText(const AnalysisScore& best, const AnalysisScore& after, const QString& bestMove) {
    const MoveLoss loss = moveLoss(best, after);
    QString text;
    if (loss.allowsMate)
        text = QStringLiteral("Ce coup permet à l'adversaire de mater en %1.").arg(after.value);
    else if (loss.missesMate)
        text = QStringLiteral("Ce coup laisse passer un mat en %1.").arg(best.value);
    else
        text = QStringLiteral("Ce coup perd environ ") + pawnsWord(loss.evaluationLoss) + QLatin1Char('.');
    if (!bestMove.isEmpty()) text += QStringLiteral(" Meilleur : ") + bestMove + QLatin1Char('.');
    return text;
}

}  // namespace quorvel
