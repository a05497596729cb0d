#pragma once
// The human's mouse on the main window: a first left click picks up one of
// the human's pieces, a second one tries the move; the toolbar icons above
// the board announce their meaning on the status line while hovered and act
// on a click; a right click drops the selection.

#include <QPoint>
#include <QString>
#include <functional>

namespace quorvel {

class GameController;

class MouseInput {
public:
    // `runCommand` runs a menu command by its id (toolbar icons share them).
    MouseInput(GameController& controller, std::function<void(int)> runCommand);

    void onMouseMove(QPoint client);
    // The pointer left the board and the toolbar: no help text stays.
    void onMouseLeft();
    void onLeftButtonDown(QPoint client);
    void onRightButtonDown();

    int hoverZone() const { return hoverZone_; }

    // What the status line says when a click on the board is refused.
    static QString notYourTurnText() { return QStringLiteral("Ce n'est pas à vous de jouer"); }

private:
    void runZone(int zone);
    // Why a click on the board can't play now; empty when it may.
    QString refusalNow() const;
    void clickSquare(QPoint client);
    void trySecondClick(int x, int y);

    GameController& controller_;
    std::function<void(int)> runCommand_;
    int hoverZone_ = 0;
    QString savedStatus_;
};

}  // namespace quorvel
