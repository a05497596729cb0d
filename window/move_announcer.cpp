#include "window/move_announcer.h"

#include "features/speaker.h"
#include "rules/spoken_texts.h"
#include "window/game_controller.h"

namespace quorvel {

namespace {

// The board shown, as the player names it: White the lower side.
Position shownChessBoard(const GameRecord& record) {
    Position board = record.current;
    if (record.playerIsBlack) mirrorPosition(board);
    return board;
}

}  // namespace

MoveAnnouncer::MoveAnnouncer(GameController& controller, Speaker& speaker)
    : controller_(controller), speaker_(&speaker) {}

void MoveAnnouncer::setEnabled(bool on) {
    enabled_ = on;
    if (on) speaker_->prepare();
}

bool MoveAnnouncer::speaking() const {
    return enabled_ && speaker_->available();
}

void MoveAnnouncer::movePlayed() {
    if (!speaking()) return;
    const std::string words = spokenLastMove(controller_.state().record);
    if (!words.empty()) speaker_->say(QString::fromStdString(words));
}

void MoveAnnouncer::sayAside(const QString& text, bool interrupt) {
    if (speaking() && !text.isEmpty()) speaker_->say(text, interrupt);
}

void MoveAnnouncer::sayLastMove() {
    answer(QString::fromStdString(spokenLastMoveReport(controller_.state().record)));
}

void MoveAnnouncer::sayClocks() {
    answer(QString::fromStdString(spokenClocks(controller_.whiteSeconds(), controller_.blackSeconds())));
}

void MoveAnnouncer::sayPieces(bool white) {
    answer(QString::fromStdString(spokenPieces(shownChessBoard(controller_.state().record), white)));
}

void MoveAnnouncer::answer(const QString& text) {
    if (speaker_->available()) {
        speaker_->say(text, true);
        return;
    }
    controller_.state().statusText = text;
    controller_.repaint();
}

}  // namespace quorvel
