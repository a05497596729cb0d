#pragma once
// Says the moves played, the computer's and the human's, while the option
// "Annoncer les coups" is on, and the state of the game on request (the
// last move, the clocks, the pieces of one side). A request is said
// whenever a voice answers, and shown on the status line otherwise.

#include <QString>

namespace quorvel {

class GameController;
class Speaker;

class MoveAnnouncer {
public:
    MoveAnnouncer(GameController& controller, Speaker& speaker);

    void setSpeaker(Speaker& speaker) { speaker_ = &speaker; }
    Speaker& speaker() const { return *speaker_; }

    // The option as the user chose it, kept in the preferences.
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    // The option is on and a voice answers.
    bool speaking() const;

    // A move was just played: the record's last half-move.
    void movePlayed();
    // Words that accompany the keyboard (a refused typed move, the focus
    // square), said while the option is on.
    void sayAside(const QString& text, bool interrupt);

    // On request
    void sayLastMove();
    void sayClocks();
    void sayPieces(bool white);

private:
    void answer(const QString& text);

    GameController& controller_;
    Speaker* speaker_;
    bool enabled_ = false;
};

}  // namespace quorvel
