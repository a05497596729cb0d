#include "window/mouse_input.h"

#include <array>

#include "features/dialog_service.h"
#include "window/board_geometry.h"
#include "window/command_ids.h"
#include "window/game_controller.h"
#include "window/human_move.h"

namespace quorvel {

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
    if (!controller_.humanToMove()) return;
    clickSquare(client);
    controller_.state().awaitingHuman = true;
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
    // A click while the computer's move is still shown, or while the last
    // move is replayed, would play from a board that is only on display.
    if (play.searchRunning || play.reviewing) return;
    if (controller_.gameOver() || !square.onBoard() || !controller_.status().searchIdle) return;

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
    const auto move = validateHumanMove(record.current, record.state, {play.selFile, play.selRank}, {x, y});
    if (!move) {
        // The selection is kept, and the marker stays on the selected piece
        // with the squares it may reach.
        controller_.repaint();
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
