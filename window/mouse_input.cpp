#include "window/mouse_input.h"

#include <array>

#include "features/dialog_service.h"
#include "window/board_geometry.h"
#include "window/command_ids.h"
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

MouseInput::MouseInput(GameController& controller, std::function<void(int)> runCommand)
    : controller_(controller), runCommand_(std::move(runCommand)) {}

void MouseInput::onMouseMove(QPoint client) {
    PlayState& play = controller_.state();
    const QString arrow = QStringLiteral("->");
    if (!play.statusText.contains(arrow)) savedStatus_ = play.statusText;
    const int zone = board::toolbarZoneAt(client.x(), client.y());
    if (zone >= 0) {
        const bool changed = zone != hoverZone_ || play.statusText != board::toolbarHelpText(zone);
        play.statusText = board::toolbarHelpText(zone);
        hoverZone_ = zone;
        // Zone 0 lies over the history control: while the computer thinks,
        // its text waits for the clock's refresh.
        const bool thinking = play.searchRunning && !controller_.status().searchIdle;
        if (changed && (zone != 0 || !thinking)) controller_.repaint();
        return;
    }
    // Off the toolbar the status line says what it said before, at once.
    const bool shown = hoverZone_ != 0 || play.statusText.contains(arrow);
    hoverZone_ = 0;
    play.statusText = savedStatus_;
    if (shown) controller_.repaint();
}

void MouseInput::onMouseLeft() {
    onMouseMove(QPoint(-1, -1));
}

void MouseInput::onLeftButtonDown(QPoint client) {
    if (hoverZone_ != 0 && client.x() > 10 && client.x() < 500 && client.y() > 0 && client.y() < 30) {
        const int zone = hoverZone_;
        hoverZone_ = 0;
        runZone(zone);
        controller_.repaint();
        return;
    }
    // A click out of turn leaves the game's flags alone; it is only told why.
    const bool humansTurn = controller_.humanToMove();
    clickSquare(client);
    if (humansTurn) controller_.state().awaitingHuman = true;
}

QString MouseInput::refusalNow() const {
    const PlayState& play = controller_.state();
    if (play.computerVsComputer) return QStringLiteral("L'ordinateur joue les deux camps");
    // A click while the computer's move is still shown would play from a
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
void MouseInput::onRightButtonDown() {
    controller_.state().markerOn = false;
    controller_.repaint();
}

// Every zone runs its command through the window's command guard.
void MouseInput::runZone(int zone) {
    static constexpr std::array<int, 8> kCommands{0,
                                                  cmd::kNewGame,
                                                  cmd::kLoadGame,
                                                  cmd::kSaveGameAs,
                                                  cmd::kComputerFirst,
                                                  cmd::kChangeSide,
                                                  cmd::kTurnBoard,
                                                  cmd::kTakeBack};
    if (zone > 0 && zone < 8) runCommand_(kCommands[static_cast<std::size_t>(zone)]);
}

void MouseInput::clickSquare(QPoint client) {
    PlayState& play = controller_.state();
    const board::Square square = board::hitSquare(client.x(), client.y(), play.record.playerIsBlack,
                                                  controller_.display().boardTurned);
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
    trySecondClick(square.x, square.y);
}

void MouseInput::trySecondClick(int x, int y) {
    PlayState& play = controller_.state();
    GameRecord& record = play.record;
    controller_.status().firstPaintDone = false;
    record.state = packState(record.current, record.state);
    const board::Square from{play.selFile, play.selRank};
    const auto move = validateHumanMove(record.current, record.state, from, {x, y});
    if (!move) {
        // The selection is kept, and the marker stays on the selected piece
        // with the squares it may reach.
        controller_.sayBriefly(refusalText(humanMoveRefusal(record.current, record.state, from, {x, y})));
        return;
    }
    play.movingPiece = record.current.at(play.selFile, play.selRank);
    int promotion = 0;
    if (move->promotes) {
        promotion =
            controller_.dialogs().choosePromotion(controller_.display().pieceSet, record.playerIsBlack);
        if (promotion < kLowerQueen || promotion > kLowerBishop) promotion = kLowerQueen;
    }
    if (!playHumanMove(record, *move, promotion)) return;
    controller_.commitHumanMove();
}

}  // namespace quorvel
