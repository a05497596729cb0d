#include "window/move_entry.h"

#include "features/dialog_service.h"
#include "rules/typed_move.h"
#include "window/game_controller.h"
#include "window/human_move.h"

namespace quorvel {

MoveEntry::MoveEntry(GameController& controller) : controller_(controller) {}

bool MoveEntry::humanMayMove() const {
    const PlayState& play = controller_.state();
    // While the computer's move is still shown, or the last move replayed,
    // the board is only on display: a move would be played from it.
    return controller_.humanToMove() && !play.searchRunning && !play.reviewing &&
           controller_.status().searchIdle && !controller_.gameOver();
}

void MoveEntry::pressSquare(board::Square square) {
    PlayState& play = controller_.state();
    if (!controller_.humanToMove()) return;
    if (humanMayMove() && square.onBoard()) {
        if (!play.markerOn) {
            controller_.timers().start();
            const int code = play.record.current.at(square.x, square.y);
            if (isLowerPiece(code)) {
                play.selFile = play.markFile = square.x;
                play.selRank = play.markRank = square.y;
                play.movingPiece = code;
                play.markerOn = true;
                controller_.repaint();
            }
        } else if (square.x == play.selFile && square.y == play.selRank) {
            play.markerOn = false;
            controller_.repaint();
        } else if (!tryMove({play.selFile, play.selRank}, square, 0)) {
            // The selection is kept, and the marker stays on the selected
            // piece with the squares it may reach.
            controller_.repaint();
        }
    }
    play.awaitingHuman = true;
}

void MoveEntry::dropSelection() {
    controller_.state().markerOn = false;
    controller_.repaint();
}

QString MoveEntry::playTyped(const QString& text) {
    if (!humanMayMove()) return QStringLiteral("Ce n'est pas à vous de jouer");
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
    if (!tryMove({move.fromX, move.fromY}, {move.toX, move.toY}, move.promotionKind))
        return QStringLiteral("Coup impossible");
    return {};
}

bool MoveEntry::tryMove(board::Square from, board::Square to, int promotionKind) {
    PlayState& play = controller_.state();
    GameRecord& record = play.record;
    controller_.status().firstPaintDone = false;
    record.state = packState(record.current, record.state);
    const auto move = validateHumanMove(record.current, record.state, from, to);
    if (!move) return false;
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
    return true;
}

}  // namespace quorvel
