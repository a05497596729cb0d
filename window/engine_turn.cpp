// A move of the computer played by an engine of another program: the
// engine started if it is not running, asked for the live position with the
// game's time, its lines shown on the panel, its answer recorded and shown
// as Quorvel's own engine's is; and each fault said, the game left as it was.

#include <QEventLoop>
#include <QTimer>

#include "features/dialog_service.h"
#include "storage/game_file.h"
#include "uci/game_for_engine.h"
#include "window/engine_play.h"
#include "window/game_controller.h"

namespace quorvel {

namespace {

// The panel follows the engine's lines a few times a second, however fast
// they come.
constexpr qint64 kShownEveryMs = 250;

QString waitingText() {
    return QStringLiteral(
        "Partie en attente : « L'ordinateur joue en premier » fait jouer l'adversaire choisi");
}

}  // namespace

// How the wait for the engine ended: its answer, its fault, a command that
// dropped the search, or (nothing set) the window's own patience.
struct GameController::EngineWait {
    bool ready = false;
    std::optional<SearchAnswer> answer;
    std::optional<EngineFault> fault;
    bool abandoned = false;
};

GameController::FlowScope::~FlowScope() {
    if (--controller_.flows_ == 0 && !controller_.afterFlows_.empty()) controller_.runAfterFlows();
}

void GameController::afterFlows(std::function<void()> then) {
    afterFlows_.push_back(std::move(then));
    if (flows_ == 0) runAfterFlows();
}

void GameController::runAfterFlows() {
    // Queued: whoever called the flow finishes first.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (flows_ > 0) return;  // another move began meanwhile: its end runs them
            auto pending = std::exchange(afterFlows_, {});
            for (auto& then : pending) then();
        },
        Qt::QueuedConnection);
}

void GameController::abandonEngineSearch() {
    state_.computerVsComputer = false;
    if (!engineTurn_.seat || !engineTurn_.wait) return;
    engineTurn_.abandoned = true;
    engineTurn_.seat->cancel();
    engineTurn_.wait->quit();
}

QString GameController::engineSearchText(bool searching) const {
    if (!engineFigures_) return {};
    const EngineFigures& figures = *engineFigures_;
    const bool algebraic = display_.algebraic;
    QString text;
    if (searching)
        text = status_.searchSeconds % 2 == 1 ? QStringLiteral("Recherche en cours...\r\n")
                                              : QStringLiteral("\r\n");
    // Without "Afficher la réflexion", as for Quorvel's own engine: the
    // blinking word while it thinks, then the move alone.
    const bool whole = status_.showThinking;
    const std::string line =
        engineLineText(figures.before, figures.info.pv, algebraic, whole ? 12 : (searching ? 0 : 1));
    if (line.empty()) return text;
    text += QString::fromStdString(figures.name + " : " + line);
    if (whole && figures.info.score)
        text += QStringLiteral("\r\n") +
                QString::fromStdString(engineScoreText(*figures.info.score, figures.engineIsWhite));
    return text;
}

void GameController::showEngineProgress(const SearchProgress& progress) {
    if (!engineFigures_ || progress.searchNumber != engineTurn_.searchNumber) return;
    mergeInfo(engineFigures_->info, progress.info);
    if (engineTurn_.lastShown.isValid() && engineTurn_.lastShown.elapsed() < kShownEveryMs) return;
    engineTurn_.lastShown.start();
    if (status_.showThinking) state_.statusText = engineSearchText(true);
    Q_EMIT panelRefreshNeeded();
}

GameController::EngineWait GameController::waitForEngine(EngineSeat& seat, int searchNumber,
                                                         std::chrono::milliseconds patience) {
    EngineWait result;
    QEventLoop loop;
    bool over = false;
    auto finish = [&] {
        over = true;
        loop.quit();
    };
    if (searchNumber == 0) {
        connect(&seat, &EngineSeat::readied, &loop, [&] {
            result.ready = true;
            finish();
        });
    }
    connect(&seat, &EngineSeat::answered, &loop, [&](const SearchAnswer& answer) {
        if (searchNumber == 0 || answer.searchNumber != searchNumber) return;
        result.answer = answer;
        finish();
    });
    connect(&seat, &EngineSeat::failed, &loop, [&](const EngineFault& fault) {
        // An illegal move belongs to its search; the other faults end the
        // engine, whatever it was doing.
        if (fault.kind == EngineFaultKind::illegalMove && fault.searchNumber != searchNumber) return;
        result.fault = fault;
        finish();
    });
    connect(&seat, &EngineSeat::progressed, &loop,
            [this](const SearchProgress& progress) { showEngineProgress(progress); });
    QTimer patienceTimer;
    patienceTimer.setSingleShot(true);
    connect(&patienceTimer, &QTimer::timeout, &loop, finish);
    patienceTimer.start(static_cast<int>(std::min<long long>(patience.count(), 1 << 30)));

    engineTurn_.seat = &seat;
    engineTurn_.searchNumber = searchNumber;
    engineTurn_.abandoned = false;
    engineTurn_.wait = &loop;
    engineTurn_.lastShown.invalidate();
    while (!over && !engineTurn_.abandoned && !windingDown_) {
        if (loop.exec() < 0) break;  // the application is quitting
    }
    result.abandoned = engineTurn_.abandoned || windingDown_;
    engineTurn_.wait = nullptr;
    engineTurn_.seat = nullptr;
    return result;
}

void GameController::sayEngineFault(const EngineSeat& seat, const EngineFault& fault) {
    const QString name = seat.name();
    QString text;
    switch (fault.kind) {
        case EngineFaultKind::notAnswering:
            text = QStringLiteral("Le moteur %1 ne répond pas").arg(name);
            break;
        case EngineFaultKind::stopped:
            text = QStringLiteral("Le moteur %1 s'est arrêté").arg(name);
            break;
        case EngineFaultKind::illegalMove:
            text = QStringLiteral("Coup illégal du moteur %1 : %2")
                       .arg(name, fault.move.empty() ? QStringLiteral("(aucun coup)")
                                                     : QString::fromStdString(fault.move));
            break;
        case EngineFaultKind::timeout:
            text =
                QStringLiteral("Le moteur %1 n'a pas joué dans le temps donné : il a été arrêté").arg(name);
            break;
    }
    dialogs_.error(text);
}

bool GameController::playEngineMove() {
    GameRecord& record = state_.record;
    const bool whiteMoves = record.plyCount % 2 == 0;
    EngineSeat* seat = opponents_.seatFor(whiteMoves, state_.computerVsComputer);
    const auto game = seat ? gameForEngine(record) : std::nullopt;
    if (!seat || !game) {
        // Quorvel's own engine plays, and its figures are the panel's again.
        engineFigures_.reset();
        return false;
    }
    waitForThreadEnd();

    if (!seat->ready()) {
        const QString before = state_.statusText;
        state_.statusText = QStringLiteral("Démarrage du moteur %1...").arg(seat->name());
        repaint();
        seat->start();
        const auto& t = seat->timeouts();
        const EngineWait started = waitForEngine(*seat, 0, t.handshake + t.ready + std::chrono::seconds(5));
        if (started.abandoned) return true;
        if (!seat->ready()) {
            // It can't play this game: Quorvel's own engine takes its place.
            EngineFault fault;
            fault.kind = EngineFaultKind::notAnswering;
            sayEngineFault(*seat, fault);
            opponents_.standIn(seat);
            seat->quit();
            state_.statusText = before;
            engineFigures_.reset();
            return false;
        }
        state_.statusText = before;
    }

    const int shownRowBefore = state_.firstShownRow;
    state_.searchBackup = record.current;
    if (record.plyCount % 2 == 1 && record.plyCount > 7) state_.firstShownRow += 2;
    status_.searchSeconds = 0;
    status_.secondarySeconds = 0;
    status_.mainPhaseOver = false;
    status_.stop = false;
    engineFigures_ = EngineFigures{seat->entry().name, {}, liveChessPosition(record), whiteMoves};
    // The player's move is kept before the engine is asked: a fault of the
    // engine, or of Quorvel, loses nothing the player did.
    reportRecoveryWrite(writeGameFile(recoveryPath_, record));
    const GoRequest limits = moveLimits(limitsInUse(), seat->entry().strength, seat->offers());
    const SearchStart started = seat->search(*game, limits);
    EngineWait result;
    if (started) {
        status_.searchIdle = false;
        state_.searchRunning = true;
        state_.moveAwaitingSearch = false;
        engineTurn_.thinking = true;
        Q_EMIT commandStatesChanged();
        result = waitForEngine(*seat, started.number, seat->patience(limits, whiteMoves));
        engineTurn_.thinking = false;
        status_.searchIdle = true;
    } else {
        // The engine ended between the handshake and the search.
        result.fault = EngineFault{EngineFaultKind::stopped, 0, {}, started.problem};
    }

    if (result.fault && result.fault->kind == EngineFaultKind::notAnswering) {
        // Not ready for the search: as if it had not started.
        sayEngineFault(*seat, *result.fault);
        opponents_.standIn(seat);
        seat->quit();
        state_.firstShownRow = shownRowBefore;
        state_.searchRunning = false;
        engineFigures_.reset();
        return false;
    }
    if (result.answer && !recordEngineMove(record, result.answer->move)) {
        // The client checks the move; a record with no room left refuses it too.
        result.fault = EngineFault{EngineFaultKind::illegalMove, started.number, result.answer->move, {}};
        result.answer.reset();
    }
    if (result.answer) {
        mergeInfo(engineFigures_->info, result.answer->info);
        // As Quorvel's own engine does: the recovery file first, then the
        // move shown from the position before it.
        reportRecoveryWrite(writeGameFile(recoveryPath_, record));
        // The line shown begins with the move played, whatever it said last.
        std::vector<std::string>& line = engineFigures_->info.pv;
        if (line.empty() || line.front() != result.answer->move) line = {result.answer->move};
        state_.statusText = engineSearchText(false);
        record.current = state_.searchBackup;
        ++state_.positionSerial;
        record.recordLength = record.plyCount;
        showComputerMove();
    } else if (!result.abandoned) {
        // A fault, or an engine past the window's own patience: the game
        // stays as it was, and the player chooses what comes next.
        state_.computerVsComputer = false;
        state_.firstShownRow = shownRowBefore;
        if (!result.fault) result.fault = EngineFault{EngineFaultKind::timeout, started.number, {}, {}};
        if (result.fault->kind != EngineFaultKind::illegalMove) seat->quit();
        sayEngineFault(*seat, *result.fault);
        state_.statusText = waitingText();
    } else {
        state_.firstShownRow = shownRowBefore;
    }
    state_.searchRunning = false;
    state_.markerOn = false;
    repaint();
    return true;
}

}  // namespace quorvel
