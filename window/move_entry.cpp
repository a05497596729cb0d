#include "window/move_entry.h"

#include "features/dialog_service.h"
#include "rules/typed_move.h"
#include "window/game_controller.h"
#include "window/human_move.h"

namespace quorvel {

namespace {

QString refusalText(MoveRefusal refusal) {
    switch (refusal) {
        case MoveRefusal::kingLeftInCheck:
            return QStringLiteral("Mouvement impossible : votre roi serait en échec");
        case MoveRefusal::castlingInCheck:
            return QStringLiteral(
                "Roque impossible : le roi est en échec ou passerait par une case attaquée");
        case MoveRefusal::notAMove:
        case MoveRefusal::none:
            break;
    }
    return QStringLiteral("Mouvement impossible");
}

}  // namespace

MoveEntry::MoveEntry(GameController& controller) : controller_(controller) {}

QString MoveEntry::refusalNow() const {
    const PlayState& play = controller_.state();
    if (play.computerVsComputer) return QStringLiteral("L'ordinateur joue les deux camps");
    // A move while the computer's is still shown would be played from a
    // board that is only on display.
    if (play.searchRunning || !controller_.status().searchIdle)
        return QStringLiteral("L'ordinateur joue : attendez son coup");
    if (play.reviewing) return QStringLiteral("Revue du dernier mouvement en cours");
    if (controller_.gameOver()) return QStringLiteral("La partie est terminée");
    if (!controller_.humanToMove()) {
        if (play.record.plyCount < play.record.recordLength)
            return QStringLiteral("Position passée : ce n'est pas à vous de jouer ici");
        return notYourTurnText();
    }
    return {};
}

void MoveEntry::pressSquare(board::Square square) {
    // A press out of turn leaves the game's flags alone; it is only told why.
    const bool humansTurn = controller_.humanToMove();
    pressOnBoard(square);
    if (humansTurn) controller_.state().awaitingHuman = true;
}

void MoveEntry::pressOnBoard(board::Square square) {
    PlayState& play = controller_.state();
    // The frame, the coordinates and the margins take no clicks.
    if (!square.onBoard()) return;
    if (const QString refusal = refusalNow(); !refusal.isEmpty()) {
        controller_.sayBriefly(refusal);
        return;
    }
    if (!play.markerOn) {
        controller_.timers().start();
        const int code = play.record.current.at(square.x, square.y);
        if (isLowerPiece(code)) {
            play.selFile = play.markFile = square.x;
            play.selRank = play.markRank = square.y;
            play.movingPiece = code;
            play.markerOn = true;
            controller_.repaint();
        } else {
            controller_.sayBriefly(QStringLiteral("Cliquez d'abord sur une de vos pièces"));
        }
        return;
    }
    if (square.x == play.selFile && square.y == play.selRank) {
        play.markerOn = false;
        controller_.repaint();
        return;
    }
    // A refused move keeps the selection, and the marker stays on the
    // selected piece with the squares it may reach.
    if (const QString refusal = tryMove({play.selFile, play.selRank}, square, 0); !refusal.isEmpty())
        controller_.sayBriefly(refusal);
}

void MoveEntry::dropSelection() {
    controller_.state().markerOn = false;
    controller_.repaint();
}

QString MoveEntry::playTyped(const QString& text) {
    if (const QString refusal = refusalNow(); !refusal.isEmpty()) return refusal;
    // Typing the move is the human's first action on it, as a first click.
    controller_.timers().start();
    GameRecord& record = controller_.state().record;
    record.state = packState(record.current, record.state);
    const TypedMoveResult read =
        readTypedMove(record.current, record.state, record.playerIsBlack, text.toStdString());
    if (const auto* problem = std::get_if<TypedMoveProblem>(&read))
        return QString::fromStdString(typedMoveMessage(*problem));
    const TypedMove& move = std::get<TypedMove>(read);
    // The reader found it among the legal moves; the move's own checks
    // still have the last word.
    return tryMove({move.fromX, move.fromY}, {move.toX, move.toY}, move.promotionKind);
}

QString MoveEntry::tryMove(board::Square from, board::Square to, int promotionKind) {
    PlayState& play = controller_.state();
    GameRecord& record = play.record;
    controller_.status().firstPaintDone = false;
    record.state = packState(record.current, record.state);
    const auto move = validateHumanMove(record.current, record.state, from, to);
    if (!move) return refusalText(humanMoveRefusal(record.current, record.state, from, to));
    play.movingPiece = record.current.at(from.x, from.y);
    int promotion = 0;
    if (move->promotes) {
        promotion = promotionKind != 0 ? promotionKind + 10
                                       : controller_.dialogs().choosePromotion(controller_.display().pieceSet,
                                                                               record.playerIsBlack);
        if (promotion < kLowerQueen || promotion > kLowerBishop) promotion = kLowerQueen;
    }
    // A full record refuses the move without a change: nothing to commit.
    if (playHumanMove(record, *move, promotion)) controller_.commitHumanMove();
    return {};
}

}  // namespace quorvel
