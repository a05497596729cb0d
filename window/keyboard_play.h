#pragma once
// Playing with the keyboard: the board's focus square, moved by the arrow
// keys and pressed with Space or Enter as a click presses a square, and the
// field "Coup :" where a move is typed. Both go through the move entry, the
// one road of the human's moves.

#include <QString>

#include "window/board_focus.h"

namespace quorvel {

class BoardView;
class GameController;
class MoveAnnouncer;
class MoveEntry;
class MoveField;

class KeyboardPlay {
public:
    KeyboardPlay(GameController& controller, MoveEntry& moves, MoveAnnouncer& announcer, BoardView& view,
                 MoveField& field);

    board::ChessSquare focus() const { return focus_; }

    // Keys of the focused board
    void stepFocus(int dx, int dy);
    // Space or Enter: the focus square pressed, as a click on it.
    void pressFocus();
    // Escape: the selected piece put back.
    void dropSelection();
    bool hasSelection() const;
    // A letter or a digit: the field takes the focus, the text starts with it.
    void startTyping(const QString& text);

    // The field
    void focusField();
    // Plays the field's text; a refusal is said on the status line and the
    // text kept for correction.
    void playTypedText();
    // A move was played, whichever way: a typed one leaves the field.
    void movePlayed();

    // After every repaint: the focus square drawn where it is and the
    // squares' texts for screen readers.
    void refresh();
    // Whenever what the game does may have changed: the field takes moves
    // only while the human may move and the command guard lets a typed
    // move through.
    void updateField(bool guardAllowsTyping);

    // What the focus square shows ("e4, pion blanc").
    QString focusText() const;

private:
    void placeFocusSquare();

    GameController& controller_;
    MoveEntry& moves_;
    MoveAnnouncer& announcer_;
    BoardView& view_;
    MoveField& field_;
    board::ChessSquare focus_;
    bool userMovedFocus_ = false;  // until then the focus follows the human's king
    bool backToField_ = false;     // the field had the focus when it was greyed
    bool playingTyped_ = false;    // the field's text is being played
    int lastPlyCount_ = 0;
};

}  // namespace quorvel
