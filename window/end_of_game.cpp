// The game-over guard and the announcements of check, mate and draws.

#include "features/dialog_service.h"
#include "rules/game_end.h"
#include "rules/game_outcome.h"
#include "window/game_controller.h"

namespace quorvel {

namespace {
const QString kStalemate = QStringLiteral("Pat ! Fin de la partie");

// The message that says why a game is drawn.
QString drawMessage(DrawReason reason) {
    switch (reason) {
        case DrawReason::repetition:
            return QStringLiteral("Trois fois la même position : partie nulle");
        case DrawReason::fiftyMoves:
            return QStringLiteral("Règle des cinquante coups : partie nulle");
        case DrawReason::insufficientMaterial:
            return QStringLiteral("Matériel insuffisant : partie nulle");
        case DrawReason::none:
            break;
    }
    return {};
}
}  // namespace

bool GameController::isCheckmated(bool white) const {
    const GameRecord& r = state_.record;
    return quorvel::isCheckmated(r.current, r.state, white == upperIsWhite());
}

bool GameController::gameOver() const {
    const GameRecord& r = state_.record;
    if (r.plyCount >= GameRecord::kCapacity) return true;
    if (quorvel::isCheckmated(r.current, r.state, true) || quorvel::isCheckmated(r.current, r.state, false))
        return true;
    if (drawReason(r) != DrawReason::none) return true;
    // A side to move without a legal move ends the game, the computer's side
    // included: searching would find no move to play.
    return quorvel::isStalemated(r.current, r.state, !humanToMove());
}

bool GameController::sideToMoveInCheck() const {
    if (state_.searchRunning) return false;
    const GameRecord& r = state_.record;
    const bool upper = !humanToMove();
    return quorvel::isInCheck(r.current, r.state, upper) && !quorvel::isCheckmated(r.current, r.state, upper);
}

void GameController::stopTimersForGameEnd() {
    timers_.stop();
}

QString GameController::resultText() const {
    if (isCheckmated(true)) return QStringLiteral("Les Noirs gagnent!");
    if (isCheckmated(false)) return QStringLiteral("Les Blancs gagnent!");
    const GameRecord& r = state_.record;
    if (quorvel::isStalemated(r.current, r.state, !humanToMove())) return kStalemate;
    if (gameOver()) return QStringLiteral("Partie nulle");
    return {};
}

void GameController::settleComputerGame() {
    const QString result = resultText();
    if (result.isEmpty()) return;
    state_.statusText = result;
    state_.announcePending = false;
    stopTimersForGameEnd();
    // The boxes stay closed in this mode, also on the repaints to come.
    drawCheckedSerial_ = stalemateAnnouncedSerial_ = fullAnnouncedSerial_ = state_.positionSerial;
}

void GameController::announce() {
    // A box's own event loop repaints; the nested repaint must not ask again.
    if (announcing_) return;
    announcing_ = true;
    GameRecord& r = state_.record;
    const int serial = state_.positionSerial;
    const bool idle = status_.searchIdle;
    // The computer playing itself ends its game on the status line alone.
    const bool boxes = !inComputerGame_;

    // The draws of the rules: repetition, fifty moves, insufficient material.
    // Looked for once per position, not on every repaint: only a new
    // position changes the answer.
    if (!state_.markerOn && idle && drawCheckedSerial_ != serial) {
        drawCheckedSerial_ = serial;
        if (const DrawReason reason = drawReason(r); reason != DrawReason::none) {
            state_.statusText = QStringLiteral("Partie nulle");
            state_.announcePending = false;
            status_.mainPhaseOver = true;
            stopTimersForGameEnd();
            if (boxes) {
                dialogs_.beep();
                dialogs_.message(infoCaption(), drawMessage(reason), BoxIcon::exclamation);
            }
        }
    }
    const bool whiteMated = isCheckmated(true);
    const bool blackMated = isCheckmated(false);
    if ((whiteMated || blackMated) && r.plyCount > 0)
        r.moves[static_cast<std::size_t>(r.plyCount - 1)][6] = '+';
    if (state_.markerOn) {
        announcing_ = false;
        return;
    }

    // The human's side stalemated, or the computer's when it is its turn.
    const bool humanStalemated = quorvel::isStalemated(r.current, r.state, false);
    const bool computerStalemated =
        !state_.humanVsHuman && !humanToMove() && idle && quorvel::isStalemated(r.current, r.state, true);
    if ((humanStalemated || computerStalemated) && stalemateAnnouncedSerial_ != serial) {
        stalemateAnnouncedSerial_ = serial;
        state_.statusText = kStalemate;
        stopTimersForGameEnd();
        if (boxes) dialogs_.message(infoCaption(), kStalemate, BoxIcon::exclamation);
    }

    // The record holds 300 half-moves at most: the game ends there, drawn.
    if (r.plyCount >= GameRecord::kCapacity && idle && fullAnnouncedSerial_ != serial) {
        fullAnnouncedSerial_ = serial;
        state_.statusText = QStringLiteral("Partie nulle");
        stopTimersForGameEnd();
        if (boxes) {
            dialogs_.beep();
            dialogs_.message(infoCaption(),
                             QStringLiteral("La partie a atteint 300 demi-coups : partie nulle"),
                             BoxIcon::exclamation);
        }
    }

    if (idle && state_.announcePending) {
        if (whiteMated) {
            state_.statusText = QStringLiteral("Les Noirs gagnent!");
            state_.announcePending = false;
            stopTimersForGameEnd();
            dialogs_.beep();
            dialogs_.message(checkCaption(), QStringLiteral("Echec et mat : les Noirs gagnent !"),
                             BoxIcon::exclamation);
        } else if (blackMated) {
            state_.statusText = QStringLiteral("Les Blancs gagnent!");
            state_.announcePending = false;
            stopTimersForGameEnd();
            dialogs_.beep();
            dialogs_.message(checkCaption(), QStringLiteral("Echec et mat : les Blancs gagnent !"),
                             BoxIcon::exclamation);
        }
    }
    // A check is shown on the board and the status line; the box is the
    // player's choice, once per position whichever side is checked.
    if (boxes && idle && display_.boxAtEveryCheck && checkAnnouncedSerial_ != serial && sideToMoveInCheck()) {
        checkAnnouncedSerial_ = serial;
        dialogs_.message(checkCaption(), QStringLiteral("Echec !      "), BoxIcon::exclamation);
    }
    announcing_ = false;
}

}  // namespace quorvel
