#pragma once
// The one road of the human's move, whichever way it comes: two left
// clicks, Space or Enter pressed twice on the board's focus square, or a
// move typed in the field "Coup :". The same checks, the same rules, the
// same promotion chooser, clocks, record and recovery file.

#include <QString>

#include "window/board_geometry.h"

namespace quorvel {

class GameController;

class MoveEntry {
public:
    explicit MoveEntry(GameController& controller);

    // Why the human can't move now (the computer plays, a replay, the game
    // over, not their turn); empty when they may.
    QString refusalNow() const;
    bool humanMayMove() const { return refusalNow().isEmpty(); }
    // What the status line says when it is not the human's turn.
    static QString notYourTurnText() { return QStringLiteral("Ce n'est pas à vous de jouer"); }

    // A press on a square of the stored board, as a left click on it: the
    // first one picks up one of the human's pieces (and starts the
    // clocks), the same square again drops it, another square tries the
    // move and keeps the selection when the rules refuse it. A press that
    // can't play says why, briefly, on the status line.
    void pressSquare(board::Square square);

    // Drops the selection (right click, Escape).
    void dropSelection();

    // Plays the move `text` names. Returns the sentence saying why it was
    // not played, empty when it was.
    QString playTyped(const QString& text);

private:
    void pressOnBoard(board::Square square);
    // Validates, asks for the promotion piece unless `promotionKind`
    // (queen 2 .. bishop 5) names it, plays and hands over to the
    // controller. The refusal's words, empty when the move was played.
    QString tryMove(board::Square from, board::Square to, int promotionKind);

    GameController& controller_;
};

}  // namespace quorvel
