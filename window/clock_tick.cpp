// The one-second tick: the running clock, the accounting that ends the
// search's phases, and the blinking search message.

#include <algorithm>

#include "window/game_controller.h"

namespace quorvel {

void GameController::onSecond() {
    GameRecord& r = state_.record;
    const bool whiteRuns = r.playerIsBlack == state_.searchRunning;
    // The search thread writes the record (the recovery file takes the
    // clocks): while it holds it, the seconds wait beside it.
    if (!recordHeldBySearch_)
        (whiteRuns ? r.whiteClock : r.blackClock) += 1;
    else
        (whiteRuns ? pendingWhite_ : pendingBlack_) += 1;
    // Between the human's move and the start of the reply only the clock runs.
    if (state_.moveAwaitingSearch && !state_.humanVsHuman) return;

    ++state_.secondsCounter;
    accountSearchSecond(status_, limitsInUse(), totalMemory_);
    blinkSearchText();
    Q_EMIT panelRefreshNeeded();
}

TimeLimits GameController::limitsInUse() const {
    TimeLimits inUse = limits_;
    inUse.mainTimeLimit = std::max(1, limits_.mainTimeLimit + mainTimeOffset_);
    return inUse;
}

void GameController::blinkSearchText() {
    if (!state_.searchRunning || status_.searchIdle) return;
    if (engineTurn_.thinking) {
        state_.statusText = engineSearchText(true);
        return;
    }
    const bool on = status_.searchSeconds % 2 == 1;
    QString text = on ? QStringLiteral("Recherche en cours...\r\n") : QStringLiteral("\r\n");
    if (status_.showThinking) {
        // The live line only while the engine says the report is meaningful.
        if (status_.reportFrozen || status_.mainDepthShown < 1) return;
        text += QString::fromStdString(status_.mainReport());
    }
    state_.statusText = text;
}

}  // namespace quorvel
