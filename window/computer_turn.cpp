// The computer's turn, the human's committed move and the
// computer-against-computer loop.

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>

#include "features/dialog_service.h"
#include "rules/game_end.h"
#include "rules/move_application.h"
#include "rules/record_positions.h"
#include "storage/game_file.h"
#include "window/game_controller.h"

namespace quorvel {

namespace {
const QString kSearching = QStringLiteral("Recherche en cours...");

void dispatchOne() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}
}  // namespace

void GameController::computerPlaysNow() {
    const FlowScope flow(*this);
    if (state_.searchRunning || state_.humanVsHuman) return;
    // Before the game's first move the computer takes the side to move.
    if (state_.record.plyCount == setupPly(state_.record) && humanToMove()) {
        if (state_.record.playerIsBlack)
            setSideWhite();
        else
            setSideBlack();
    }
    if (humanToMove()) return;
    if (!gameOver()) {
        GameRecord& record = state_.record;
        state_.awaitingHuman = false;
        record.state = packState(record.current, record.state);
        status_.mainDepthShown = 0;
        status_.secondaryDepthShown = 0;
        timers_.start();
        if (record.plyCount < 20) status_.bookPlay = true;
        if (!quorvel::isCheckmated(record.current, record.state, true)) state_.statusText = kSearching;
        state_.markerOn = false;
        repaint();
        dispatchOne();
        startSearchAndShowMove();
    }
    state_.awaitingHuman = true;
    status_.bookPlay = true;
    Q_EMIT commandStatesChanged();
}

void GameController::commitHumanMove() {
    const FlowScope flow(*this);
    GameRecord& record = state_.record;
    state_.announcePending = true;
    state_.firstShownRow = firstShownRowFor(record.plyCount - 1);  // the count before this move
    record.recordLength = record.plyCount;
    ++state_.positionSerial;
    if (!quorvel::isCheckmated(record.current, record.state, true)) state_.statusText = kSearching;
    Q_EMIT movePlayed();

    if (state_.humanVsHuman) {
        reportRecoveryWrite(writeGameFile(recoveryPath_, record));
        state_.markerOn = false;
        record.state = packState(record.current, record.state);
        state_.searchRunning = false;
        state_.awaitingHuman = true;
        status_.searchIdle = true;
        repaint();
        dispatchOne();
        // A finished game keeps its last word on the status line.
        if (state_.statusText.contains(QStringLiteral("gagnent")) ||
            state_.statusText.contains(QStringLiteral("Pat")) || gameOver())
            return;
        if (!record.playerIsBlack) {
            setSideBlack();
            state_.statusText = QStringLiteral("C'est aux Noirs de jouer");
        } else {
            setSideWhite();
            state_.statusText = QStringLiteral("C'est aux Blancs de jouer");
        }
        repaint();
        return;
    }

    state_.markerOn = false;
    state_.moveAwaitingSearch = true;
    repaint();
    dispatchOne();
    // A draw or a finished game leaves the board with the human; the next
    // repaint announces it.
    if (!gameOver() && (!beforeReply_ || beforeReply_())) {
        state_.awaitingHuman = false;
        startSearchAndShowMove();
    }
    state_.moveAwaitingSearch = false;
    state_.awaitingHuman = true;
    Q_EMIT commandStatesChanged();
}

void GameController::startSearchAndShowMove() {
    // An engine of another program may have this move (window/engine_turn.cpp).
    if (playEngineMove()) return;
    GameRecord& record = state_.record;
    waitForThreadEnd();
    state_.searchBackup = record.current;
    if (record.plyCount % 2 == 1 && record.plyCount > 7) state_.firstShownRow += 2;
    const int plyBefore = record.plyCount;

    status_.searchSeconds = 0;
    status_.secondarySeconds = 0;
    status_.mainPhaseOver = false;
    status_.stop = false;
    status_.searchIdle = false;
    state_.searchRunning = true;
    state_.moveAwaitingSearch = false;
    threadDone_ = false;
    explorerFields_ = {};  // each search's information dialog starts with empty fields
    status_.setStatusText({});
    recordHeldBySearch_ = true;
    if (driver_.rootChoice() != rootChoice_) driver_.setRootChoice(rootChoice_);
    Q_EMIT searchStarting();
    driver_.start(record, engineOptions_, state_.computerVsComputer);
    // The record is the search thread's until it has recorded its move and
    // written the recovery file; the thread may go on with the information
    // dialog, which is opened once the move is shown.
    waitForRecordBack();
    // The engine's last word (the opening's name or the final report).
    if (const std::string report = status_.statusText(); !report.empty())
        state_.statusText = QString::fromStdString(report);

    record.current = state_.searchBackup;
    const bool moved =
        record.plyCount == plyBefore + 1 && !record.moves[static_cast<std::size_t>(plyBefore)].empty();
    if (moved) {
        ++state_.positionSerial;
        record.recordLength = record.plyCount;
        showComputerMove();
    } else if (record.plyCount != plyBefore) {
        // The search recorded no move: keep the record as it was.
        record.plyCount = plyBefore;
        record.recordLength = plyBefore;
        record.state = packState(record.current, record.state);
    }
    state_.searchRunning = false;
    state_.markerOn = false;
    repaint();
    // The information dialog asked for meanwhile opens once the flow that
    // played this move is over, so its wait does not hold the move back.
    QMetaObject::invokeMethod(
        this, [this] { openInformation(); }, Qt::QueuedConnection);
}

void GameController::showComputerMove() {
    GameRecord& record = state_.record;
    const MoveText text = record.moves[static_cast<std::size_t>(record.plyCount - 1)];
    const int backRank = record.playerIsBlack ? 1 : 8;
    // Castling marks the king's squares on the computer's back rank.
    if (text.isCastling()) {
        state_.markFile = 5;
        state_.markRank = backRank;
    } else {
        state_.markFile = text[0] - 'a' + 1;
        state_.markRank = text[1] - '0';
    }
    waitTicks(2);
    state_.markerOn = true;
    repaint();
    Q_EMIT computerMoveStep(1, state_.markFile, state_.markRank);
    dispatchOne();

    waitTicks(10);
    record.current = record.history[static_cast<std::size_t>(record.plyCount - 1)];
    if (text.isCastling()) {
        state_.markFile = text.isLongCastling() ? 3 : 7;
        state_.markRank = backRank;
    } else {
        state_.markFile = text[3] - 'a' + 1;
        state_.markRank = text[4] - '0';
    }
    repaint();
    Q_EMIT computerMoveStep(2, state_.markFile, state_.markRank);
    Q_EMIT movePlayed();
    dispatchOne();

    waitTicks(10);
    Q_EMIT computerMoveStep(3, state_.markFile, state_.markRank);
}

void GameController::runComputerVsComputer() {
    const FlowScope flow(*this);
    if (state_.searchRunning) return;
    QRandomGenerator random(static_cast<quint32>(QDateTime::currentSecsSinceEpoch()));
    state_.humanVsHuman = false;
    status_.bookPlay = true;
    GameRecord& record = state_.record;
    for (int k = record.plyCount; k < GameRecord::kCapacity; ++k)
        record.moves[static_cast<std::size_t>(k)].clear();
    record.recordLength = record.plyCount;

    state_.computerVsComputer = true;
    inComputerGame_ = true;
    setSideBlack();
    status_.mainPhaseOver = false;
    status_.stop = false;
    state_.announcePending = false;
    auto changeColour = [this] {
        if (state_.record.playerIsBlack)
            setSideWhite();
        else
            setSideBlack();
    };
    while (state_.computerVsComputer && !gameOver()) {
        status_.bookPlay = true;
        // The user's setting stays as it is (the menu, a preset chosen
        // meanwhile and the settings file see it); only the time in use varies.
        mainTimeOffset_ = random.generate() % 2 == 0 ? 2 : -2;
        computerPlaysNow();
        state_.announcePending = false;
        changeColour();
        status_.mainPhaseOver = false;
        status_.stop = false;
        dispatchOne();
    }
    state_.computerVsComputer = false;
    mainTimeOffset_ = 0;
    settleComputerGame();
    inComputerGame_ = false;
    changeColour();
    repaint();
}

}  // namespace quorvel
