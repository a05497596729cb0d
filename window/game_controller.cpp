#include "window/game_controller.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <condition_variable>
#include <mutex>
#include <utility>

#include "features/dialog_service.h"
#include "rules/move_application.h"
#include "storage/game_file.h"

namespace quorvel {

// One showing of the information dialog, between the search thread, which
// waits for the answer, and the window thread, which shows the dialog.
struct GameController::InformationRequest {
    std::string current;
    std::string initial;
    std::mutex mutex;
    std::condition_variable answeredSignal;
    bool answered = false;
    std::optional<ExplorerPath> path;  // guarded by mutex

    bool opened = false;  // the dialog is showing it (window thread only)

    // The first answer counts (the dialog's, or "Sortir" when the window
    // closes first).
    void answer(std::optional<ExplorerPath> typed) {
        {
            std::lock_guard lock(mutex);
            if (answered) return;
            answered = true;
            path = std::move(typed);
        }
        answeredSignal.notify_all();
    }
    std::optional<ExplorerPath> awaitAnswer() {
        std::unique_lock lock(mutex);
        answeredSignal.wait(lock, [this] { return answered; });
        return path;
    }
};

GameController::GameController(DialogService& dialogs, QObject* parent) : QObject(parent), dialogs_(dialogs) {
    setInitialPosition(state_.record.current);
    state_.record.history[0] = state_.record.current;
    connect(&timers_, &GameTimers::tenthElapsed, this, [this] { ++state_.tickCount; });
    connect(&timers_, &GameTimers::secondElapsed, this, &GameController::onSecond);
    connect(this, &GameController::searchThreadFinished, this, [this] {
        threadDone_ = true;
        recordHeldBySearch_ = false;
        foldPendingSeconds();
    });
    connect(this, &GameController::searchRecordReleased, this, [this] {
        recordHeldBySearch_ = false;
        foldPendingSeconds();
    });
    driver_.setOpeningBook(&book_);
    connectHooks();
    briefTimer_.setSingleShot(true);
    briefTimer_.setInterval(kBriefMilliseconds);
    connect(&briefTimer_, &QTimer::timeout, this, [this] {
        if (state_.statusText != briefText_) return;
        state_.statusText = textBeforeBrief_;
        repaint();
    });
}

GameController::~GameController() {
    // The driver's destructor joins the thread; make sure it is not left
    // growing a tree for seconds, or waiting for a dialog, first.
    abortSearch(status_);
    closeInformation();
}

void GameController::connectHooks() {
    SearchHooks hooks;
    // Hooks run on the search thread: everything that touches the window is
    // queued to this object's thread.
    hooks.finished = [this] {
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT searchThreadFinished(); }, Qt::QueuedConnection);
    };
    hooks.beep = [this] {
        QMetaObject::invokeMethod(
            this, [this] { dialogs_.beep(); }, Qt::QueuedConnection);
    };
    hooks.writeRecovery = [this](const GameRecord& record) {
        const bool written = writeGameFile(recoveryPath_, record);
        QMetaObject::invokeMethod(
            this, [this, written] { reportRecoveryWrite(written); }, Qt::QueuedConnection);
    };
    hooks.recordReleased = [this] {
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT searchRecordReleased(); }, Qt::QueuedConnection);
    };
    hooks.showInformation = [this](const std::string& current,
                                   const std::string& initial) -> std::optional<ExplorerPath> {
        // The dialog belongs to the window thread, which shows the move
        // first; this thread only waits for the answer.
        auto request = std::make_shared<InformationRequest>();
        request->current = current;
        request->initial = initial;
        {
            std::lock_guard lock(informationMutex_);
            if (informationClosed_) return std::nullopt;
            information_ = request;
        }
        QMetaObject::invokeMethod(
            this, [this] { presentInformation(); }, Qt::QueuedConnection);
        return request->awaitAnswer();
    };
    // The seconds spent before the tree grows (waiting for the first paint)
    // must not shorten the phases.
    hooks.mainPhaseStarted = [this] {
        status_.searchSeconds = 0;
        status_.secondarySeconds = 0;
    };
    hooks.secondaryPhaseStarted = [this] { status_.secondarySeconds = 0; };
    hooks.passFinished = [this](int) {
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT panelRefreshNeeded(); }, Qt::QueuedConnection);
    };
    driver_.setHooks(std::move(hooks));
}

bool GameController::humanToMove() const {
    const bool even = state_.record.plyCount % 2 == 0;
    return state_.record.playerIsBlack ? !even : even;
}

bool GameController::computerBusy() const {
    return state_.computerVsComputer || state_.searchRunning || state_.moveAwaitingSearch ||
           !state_.awaitingHuman || !status_.searchIdle || !threadDone_;
}

void GameController::setSideWhite() {
    if (!state_.record.playerIsBlack) return;
    mirrorPosition(state_.record.current);
    state_.record.playerIsBlack = false;
    state_.record.state = packState(state_.record.current, state_.record.state);
    repaint();
}

void GameController::setSideBlack() {
    if (state_.record.playerIsBlack) return;
    mirrorPosition(state_.record.current);
    state_.record.playerIsBlack = true;
    state_.record.state = packState(state_.record.current, state_.record.state);
    repaint();
}

void GameController::changeSide() {
    if (state_.humanVsHuman) return;
    if (!state_.record.playerIsBlack) {
        showBox(infoCaption(), QStringLiteral("Vous êtes maintenant du côté des Noirs"));
        setSideBlack();
    } else {
        showBox(infoCaption(), QStringLiteral("Vous êtes maintenant du côté des Blancs"));
        setSideWhite();
    }
}

void GameController::playIfComputersTurn() {
    if (state_.humanVsHuman || state_.computerVsComputer || humanToMove() || gameOver()) return;
    computerPlaysNow();
}

void GameController::gameReplaced() {
    state_.firstShownRow = firstShownRowFor(state_.record.plyCount);
    state_.markerOn = false;
    state_.moveAwaitingSearch = false;
    opponents_.newGame();
    handBoardToSideToMove();
    positionReplaced();
    Q_EMIT gameStarted(false);
}

void GameController::handBoardToSideToMove() {
    if (!state_.humanVsHuman || humanToMove()) return;
    mirrorPosition(state_.record.current);
    state_.record.playerIsBlack = !state_.record.playerIsBlack;
    state_.record.state = packState(state_.record.current, state_.record.state);
}

void GameController::setModeComputerHuman() {
    state_.humanVsHuman = false;
    state_.computerVsComputer = false;
    repaint();
}

void GameController::setModeHumanHuman() {
    state_.humanVsHuman = true;
    state_.computerVsComputer = false;
    repaint();
}

void GameController::pressStopButton() {
    pressStop(status_);
    // An engine of another program answers "stop" with its best move so far.
    if (engineTurn_.thinking && engineTurn_.seat) engineTurn_.seat->stop();
    state_.computerVsComputer = false;
    Q_EMIT commandStatesChanged();
}

void GameController::resetForNewGame() {
    newGame(state_.record);
    state_.record.history[0] = state_.record.current;
    state_.firstShownRow = 0;
    state_.markerOn = false;
    state_.moveAwaitingSearch = false;
    state_.statusText.clear();
    Q_EMIT gameStarted(true);
    // "Noeud :", "Mem :" and "Profondeur :" belong to the game they measured.
    status_.nodesCreated = 0;
    status_.entriesFreed = 0;
    status_.mainDepthShown = 0;
    status_.secondaryDepthShown = 0;
    status_.mainPhaseOver = false;
    status_.stop = false;
    status_.firstPaintDone = false;
    status_.bookPlay = true;
    engineFigures_.reset();
    opponents_.newGame();
    positionReplaced();
}

void GameController::waitTicks(int n) {
    state_.tickCount = 0;
    if (windingDown_) return;
    QEventLoop loop;
    // A stopped timer (the game just ended) must not leave the wait hanging.
    QTimer fallback;
    fallback.setSingleShot(true);
    connect(&fallback, &QTimer::timeout, &loop, &QEventLoop::quit);
    fallback.start((n + 2) * timers_.tenthInterval());
    connect(&timers_, &GameTimers::tenthElapsed, &loop, [&] {
        if (state_.tickCount >= static_cast<std::uint32_t>(n)) loop.quit();
    });
    loop.exec();
}

void GameController::waitForThreadEnd() {
    QEventLoop loop;
    connect(this, &GameController::searchThreadFinished, &loop, &QEventLoop::quit);
    while (!threadDone_) {
        if (loop.exec() < 0) break;  // the application is quitting
    }
    if (threadDone_) driver_.wait();
}

void GameController::waitForRecordBack() {
    QEventLoop loop;
    connect(this, &GameController::searchRecordReleased, &loop, &QEventLoop::quit);
    connect(this, &GameController::searchThreadFinished, &loop, &QEventLoop::quit);
    while (recordHeldBySearch_) {
        if (loop.exec() < 0) break;  // the application is quitting
    }
}

void GameController::presentInformation() {
    // While the move is still being shown the dialog waits for its end
    // (startSearchAndShowMove opens it then).
    if (!state_.searchRunning) openInformation();
}

void GameController::openInformation() {
    std::shared_ptr<InformationRequest> request;
    {
        std::lock_guard lock(informationMutex_);
        request = information_;
    }
    if (!request || request->opened) return;
    request->opened = true;
    std::optional<ExplorerPath> path;
    if (informationDialog_) path = informationDialog_(request->current, request->initial, explorerFields_);
    request->answer(std::move(path));
    std::lock_guard lock(informationMutex_);
    if (information_ == request) information_.reset();
}

void GameController::closeInformation() {
    std::lock_guard lock(informationMutex_);
    informationClosed_ = true;
    if (information_) information_->answer(std::nullopt);
    information_.reset();
}

void GameController::foldPendingSeconds() {
    state_.record.whiteClock += pendingWhite_;
    state_.record.blackClock += pendingBlack_;
    pendingWhite_ = pendingBlack_ = 0;
}

void GameController::endSearch() {
    windingDown_ = true;
    state_.computerVsComputer = false;
    abortSearch(status_);
    // An engine of another program is dropped and ended (the destructor
    // waits for its process).
    abandonEngineSearch();
    opponents_.quitAll();
    // An information dialog asked for and not answered yet ends as "Sortir".
    closeInformation();
    waitForThreadEnd();
}

void GameController::reportRecoveryWrite(bool written) {
    // No recovery path: its folder was found unusable and said at start-up.
    if (recoveryPath_.empty()) return;
    if (written) {
        recoveryFailureSaid_ = false;
        return;
    }
    if (recoveryFailureSaid_) return;
    recoveryFailureSaid_ = true;
    dialogs_.error(QStringLiteral("Impossible d'écrire le fichier de récupération"));
}

void GameController::sayBriefly(const QString& text) {
    // A second word replaces the first; the line from before both comes back.
    if (!briefTimer_.isActive() || state_.statusText != briefText_) textBeforeBrief_ = state_.statusText;
    briefText_ = text;
    state_.statusText = text;
    briefTimer_.start();
    repaint();
}

void GameController::showBox(const QString& caption, const QString& text) {
    dialogs_.message(caption, text, BoxIcon::exclamation, BoxButtons::ok);
}

}  // namespace quorvel
