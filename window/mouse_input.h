#pragma once
// The human's mouse on the main window: a left click on the board presses
// its square (the move entry picks up a piece, then tries the move); the
// toolbar icons above the board announce their meaning on the status line
// while hovered and act on a click; a right click drops the selection.

#include <QPoint>
#include <QString>
#include <functional>

namespace quorvel {

class GameController;
class MoveEntry;

class MouseInput {
public:
    // `runCommand` runs a menu command by its id (toolbar icons share them).
    MouseInput(GameController& controller, MoveEntry& moves, std::function<void(int)> runCommand);

    void onMouseMove(QPoint client);
    // The pointer left the board and the toolbar: no help text stays.
    void onMouseLeft();
    void onLeftButtonDown(QPoint client);
    void onRightButtonDown();

    int hoverZone() const { return hoverZone_; }

private:
    void runZone(int zone);

    GameController& controller_;
    MoveEntry& moves_;
    std::function<void(int)> runCommand_;
    int hoverZone_ = 0;
    QString savedStatus_;
};

}  // namespace quorvel
