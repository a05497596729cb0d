#include "window/mouse_input.h"

#include <array>

#include "window/board_geometry.h"
#include "window/command_ids.h"
#include "window/game_controller.h"
#include "window/move_entry.h"

namespace quorvel {

MouseInput::MouseInput(GameController& controller, MoveEntry& moves, std::function<void(int)> runCommand)
    : controller_(controller), moves_(moves), runCommand_(std::move(runCommand)) {}

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
    const PlayState& play = controller_.state();
    moves_.pressSquare(board::hitSquare(client.x(), client.y(), play.record.playerIsBlack,
                                        controller_.display().boardTurned));
}

void MouseInput::onRightButtonDown() {
    moves_.dropSelection();
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

}  // namespace quorvel
