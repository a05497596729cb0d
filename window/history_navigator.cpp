#include "window/history_navigator.h"

#include <QEventLoop>
#include <QTimer>

#include "rules/move_application.h"
#include "rules/record_positions.h"
#include "window/game_controller.h"

namespace quorvel {

void HistoryNavigator::scrollList(int delta) {
    PlayState& play = controller_.state();
    if (delta > 0 && play.firstShownRow < play.record.recordLength - 8) play.firstShownRow += 2;
    if (delta < 0 && play.firstShownRow > 0) play.firstShownRow = std::max(0, play.firstShownRow - 2);
    controller_.repaint();
}

void HistoryNavigator::applySideMarker() {
    GameRecord& record = controller_.state().record;
    if (record.current[0] == kMarkerPlayerBlack) record.playerIsBlack = true;
    if (record.current[0] == kMarkerPlayerWhite) record.playerIsBlack = false;
}

void HistoryNavigator::showHistoryEntry() {
    GameRecord& record = controller_.state().record;
    if (record.plyCount > 0) {
        record.current = record.history[static_cast<std::size_t>(record.plyCount - 1)];
    } else {
        // The initial position reads the same mirrored, and its empty side
        // marker keeps the side the player has.
        record.current = Position{};
        setInitialPosition(record.current);
    }
    record.state = packState(record.current, record.state);
}

void HistoryNavigator::step(bool back) {
    PlayState& play = controller_.state();
    GameRecord& record = play.record;
    if (!play.markerOn) {
        // A game set up from a position goes back to that position at most.
        if (back && record.plyCount > setupPly(record))
            --record.plyCount;
        else if (!back && record.plyCount < record.recordLength)
            ++record.plyCount;
        else
            return;
        play.firstShownRow = firstShownRowFor(record.plyCount);
        if (record.plyCount < 20) controller_.status().bookPlay = true;
        showHistoryEntry();
        play.statusText.clear();
        controller_.positionReplaced();
    }
    applySideMarker();
    controller_.handBoardToSideToMove();
    controller_.repaint();
}

void HistoryNavigator::undo() {
    PlayState& play = controller_.state();
    GameRecord& record = play.record;
    const int start = setupPly(record);
    if (play.markerOn || record.plyCount <= start) return;
    const int length = record.recordLength;
    record.plyCount = length;
    if (length >= 2) record.moves[static_cast<std::size_t>(length - 1)].clear();
    if (length >= 3) record.moves[static_cast<std::size_t>(length - 2)].clear();
    play.firstShownRow = firstShownRowFor(length);
    if (length < 20) controller_.status().bookPlay = true;
    if (length >= 2) record.plyCount = record.recordLength = length - 2;
    if (!record.playerIsBlack && record.plyCount % 2 == 1) --record.plyCount;
    if (start > 0 && record.plyCount < start) record.plyCount = record.recordLength = start;
    if (record.plyCount >= 1) {
        record.current = record.history[static_cast<std::size_t>(record.plyCount - 1)];
        record.state = packState(record.current, record.state);
    }
    if (start == 0 && record.plyCount < 2) controller_.resetForNewGame();
    play.statusText.clear();
    applySideMarker();
    controller_.handBoardToSideToMove();
    controller_.positionReplaced();
    controller_.repaint();
}

void HistoryNavigator::takeBackHalfMove() {
    PlayState& play = controller_.state();
    GameRecord& record = play.record;
    if (play.markerOn || record.recordLength <= setupPly(record)) return;
    record.plyCount = record.recordLength - 1;
    record.recordLength = record.plyCount;
    record.moves[static_cast<std::size_t>(record.plyCount)].clear();
    play.firstShownRow = firstShownRowFor(record.plyCount);
    if (record.plyCount < 20) controller_.status().bookPlay = true;
    showHistoryEntry();
    play.statusText.clear();
    applySideMarker();
    controller_.handBoardToSideToMove();
    controller_.positionReplaced();
    controller_.repaint();
}

void HistoryNavigator::showPly(int ply) {
    PlayState& play = controller_.state();
    GameRecord& record = play.record;
    if (play.markerOn || ply < setupPly(record) || ply > record.recordLength) return;
    if (ply != record.plyCount) {
        record.plyCount = ply;
        play.firstShownRow = firstShownRowFor(record.plyCount);
        if (record.plyCount < 20) controller_.status().bookPlay = true;
        showHistoryEntry();
        play.statusText.clear();
        controller_.positionReplaced();
    }
    applySideMarker();
    controller_.handBoardToSideToMove();
    controller_.repaint();
}

void HistoryNavigator::waitOneSecond() {
    PlayState& play = controller_.state();
    QEventLoop loop;
    // The clock's tick when it runs; a second of our own when it doesn't.
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, &loop, &QEventLoop::quit);
    fallback.start(controller_.timers().running() ? 2000 : 1000);
    const auto before = play.secondsCounter;
    QObject::connect(&controller_, &GameController::panelRefreshNeeded, &loop, [&] {
        if (play.secondsCounter != before) loop.quit();
    });
    replayWait_ = &loop;
    loop.exec();
    replayWait_ = nullptr;
}

void HistoryNavigator::markReviewSquare(bool from) {
    PlayState& play = controller_.state();
    const GameRecord& record = play.record;
    const MoveText text = record.moves[static_cast<std::size_t>(record.plyCount - 1)];
    if (text.isCastling()) {
        // The back rank of the side that castled: the entry's side marker
        // tells how the board was held, the parity who moved.
        const bool whiteMoved = (record.plyCount - 1) % 2 == 0;
        const bool humanMoved = whiteMoved != record.playerIsBlack;
        play.markFile = from ? 5 : (text.isLongCastling() ? 3 : 7);
        play.markRank = humanMoved ? 1 : 8;
        return;
    }
    play.markFile = text[from ? 0 : 3] - 'a' + 1;
    const int rank = text[from ? 1 : 4] - '0';
    play.markRank = record.playerIsBlack ? 9 - rank : rank;
}

void HistoryNavigator::reviewLastMove() {
    PlayState& play = controller_.state();
    DisplayOptions& display = controller_.display();
    GameRecord& record = play.record;
    // The position before the last move: none before a set-up position.
    if (record.plyCount < 2 || record.plyCount - 1 < setupPly(record) || play.reviewing) return;
    // The replay only shows: the game goes on from the board as it stood,
    // also when the two entries were held by different players.
    borrowed_ = Borrowed{record.current, record.playerIsBlack, record.state, display.showPossibleMoves};
    display.showPossibleMoves = false;

    record.current = record.history[static_cast<std::size_t>(record.plyCount - 2)];
    applySideMarker();
    markReviewSquare(true);
    play.markerOn = true;
    play.reviewing = true;
    controller_.repaint();
    waitOneSecond();
    // A command that changes the game ends the replay first; the record may
    // be another game's by now.
    if (!play.reviewing) return;

    record.current = record.history[static_cast<std::size_t>(record.plyCount - 1)];
    applySideMarker();
    markReviewSquare(false);
    controller_.repaint();
    waitOneSecond();
    endReplay();
}

void HistoryNavigator::endReplay() {
    PlayState& play = controller_.state();
    if (!play.reviewing || !borrowed_) return;
    GameRecord& record = play.record;
    record.current = borrowed_->shown;
    record.playerIsBlack = borrowed_->playerIsBlack;
    record.state = borrowed_->state;
    controller_.display().showPossibleMoves = borrowed_->showPossibleMoves;
    borrowed_.reset();
    play.markerOn = false;
    play.reviewing = false;
    if (replayWait_) replayWait_->quit();
    controller_.repaint();
}

}  // namespace quorvel
