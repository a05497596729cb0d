#pragma once
// The move list's scrolling, stepping through the positions of the game,
// taking back moves and replaying the last half-move on the board.

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
    // "&Revoir le dernier mouvement": the last half-move again, in two
    // one-second steps.
    void reviewLastMove();

private:
    void showHistoryEntry();
    void applySideMarker();
    void waitOneSecond();
    void markReviewSquare(bool from);

    GameController& controller_;
};

}  // namespace quorvel
