#pragma once
// The move list's scrolling, stepping through the positions of the game,
// taking back moves and replaying the last half-move on the board.

#include <optional>

#include "rules/position.h"

class QEventLoop;

namespace quorvel {

class GameController;

class HistoryNavigator {
public:
    explicit HistoryNavigator(GameController& controller) : controller_(controller) {}

    // +1 scrolls towards later moves, -1 towards earlier ones.
    void scrollList(int delta);
    // One half-move back (true) or forward (false) through the history.
    void step(bool back);
    // "Annuler le dernier mouvement".
    void undo();
    // Takes back the last half-move alone (the coach's "Reprendre le
    // coup", before the computer has answered): the record ends one
    // half-move earlier and that position is on the board again.
    void takeBackHalfMove();
    // Shows the position after `ply` half-moves, as stepping to it would
    // (the coach's review): the record stays whole.
    void showPly(int ply);
    // "&Revoir le dernier mouvement": the last half-move again, in two
    // one-second steps.
    void reviewLastMove();
    // Ends a replay at once: the board, the side and the possible-moves
    // option as they were before it. Nothing when no replay runs.
    void endReplay();

private:
    void showHistoryEntry();
    void applySideMarker();
    void waitOneSecond();
    void markReviewSquare(bool from);

    // What the replay borrowed, given back when it ends.
    struct Borrowed {
        Position shown;
        bool playerIsBlack = false;
        StateWord state = 0;
        bool showPossibleMoves = true;
    };

    GameController& controller_;
    std::optional<Borrowed> borrowed_;
    QEventLoop* replayWait_ = nullptr;  // the replay's one-second wait, while it runs
};

}  // namespace quorvel
