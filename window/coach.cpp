#include "window/coach.h"

#include <QEventLoop>
#include <QWidget>

#include "features/dialog_service.h"
#include "features/review_window.h"
#include "rules/perft.h"
#include "rules/uci_move.h"
#include "rules/uci_position.h"
#include "uci/analyst_choice.h"
#include "window/game_controller.h"
#include "window/hint_drawing.h"
#include "window/history_navigator.h"
#include "window/startup.h"

namespace quorvel {

using Clock = std::chrono::steady_clock;

namespace {

const QString kHintSearching = QStringLiteral("Recherche d'une suggestion...");
const QString kCoachLooking = QStringLiteral("L'entraîneur examine votre coup...");

// The UCI text of the move between two plies of the record; empty when none.
std::string playedMove(const GameRecord& record, int ply) {
    const ChessPosition before = positionAtPly(record, ply);
    const ChessPosition after = positionAtPly(record, ply + 1);
    const auto move = legalMoveBetween(before.board, before.state, !before.whiteToMove, after.board);
    return move ? uciMoveOf(*move, false) : std::string();
}

// The game both records hold from their start: the number of half-moves
// they share.
int sharedPlies(const GameRecord& a, const GameRecord& b) {
    if (setupPly(a) != setupPly(b)) return 0;
    const int start = setupPly(a);
    if (start > 0 && !sameSquares(a.history[static_cast<std::size_t>(start - 1)],
                                  b.history[static_cast<std::size_t>(start - 1)]))
        return 0;
    const int end = std::min(a.recordLength, b.recordLength);
    int ply = start;
    while (ply < end && a.moves[static_cast<std::size_t>(ply)] == b.moves[static_cast<std::size_t>(ply)])
        ++ply;
    return ply;
}

}  // namespace

Coach::Coach(GameController& controller, HistoryNavigator& history, QWidget* window)
    : controller_(controller), history_(history), window_(window) {
    factory_ = [this] { return makeAnalyst(settings_.analyst, totalPhysicalMemory()); };
    hintProgress_.setInterval(250);
    connect(&hintProgress_, &QTimer::timeout, this, &Coach::showHintProgress);
}

Coach::~Coach() {
    shutdown();
}

void Coach::setAnalystFactory(AnalystFactory factory) {
    analyst_.reset();
    hintRequest_ = 0;
    factory_ = std::move(factory);
}

Analyst& Coach::analyst() {
    // Another analyst chosen: the next request goes to it (none runs now).
    if (analyst_ && analystChoice_ != settings_.analyst && !hinting() && !check_) analyst_.reset();
    if (!analyst_) {
        analyst_ = factory_();
        analystChoice_ = settings_.analyst;
    }
    return *analyst_;
}

Analyst::Answer Coach::answerOnThisThread() {
    // The analyst answers on its own thread; the window's work is done on
    // the window's. A coach that is gone takes its queued answers with it.
    return [this](Analysis analysis) {
        QMetaObject::invokeMethod(
            this, [this, analysis = std::move(analysis)] { answered(analysis); }, Qt::QueuedConnection);
    };
}

void Coach::answered(const Analysis& analysis) {
    if (analysis.request == 0) return;
    if (analysis.request == hintRequest_) {
        hintAnswered(analysis);
    } else if (check_ &&
               (analysis.request == check_->beforeRequest || analysis.request == check_->afterRequest)) {
        checkAnswered(analysis);
    }
    // Any other answer belongs to a request given up: dropped.
}

// The hint

bool Coach::canSuggest() const {
    const PlayState& play = controller_.state();
    return !shuttingDown_ && !checking() && !controller_.computerBusy() && !play.reviewing &&
           !play.computerVsComputer && controller_.humanToMove() && !controller_.gameOver();
}

void Coach::suggest() {
    if (!canSuggest()) return;
    PlayState& play = controller_.state();
    const GameRecord& record = play.record;
    const auto position = uciGameOf(record, record.plyCount);
    if (!position) return;
    hint_.reset();
    hintSerial_ = play.positionSerial;
    hintPosition_ = positionAtPly(record, record.plyCount);
    hintStarted_ = Clock::now();
    hintRequest_ = 0;  // an earlier hint's answer is no longer awaited
    hintRequest_ =
        analyst().analyse({*position, std::chrono::seconds(settings_.hintSeconds)}, answerOnThisThread());
    play.statusText = kHintSearching;
    hintProgress_.start();
    controller_.repaint();
    Q_EMIT statesChanged();
}

void Coach::showHintProgress() {
    PlayState& play = controller_.state();
    if (!hinting() || play.positionSerial != hintSerial_) return;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - hintStarted_);
    const long long total = std::max(1, settings_.hintSeconds) * 1000LL;
    const long long percent = std::min(99LL, elapsed.count() * 100 / total);
    play.statusText = kHintSearching + QStringLiteral(" %1 %").arg(percent);
    Q_EMIT controller_.panelRefreshNeeded();
}

void Coach::hintAnswered(const Analysis& analysis) {
    hintRequest_ = 0;
    hintProgress_.stop();
    PlayState& play = controller_.state();
    Q_EMIT statesChanged();
    // The player has moved on: the answer is for a position gone.
    if (play.positionSerial != hintSerial_) return;
    const bool algebraic = controller_.display().algebraic;
    const QString move = moveInNotation(hintPosition_, analysis.bestMove, algebraic);
    if (move.isEmpty()) {
        play.statusText = analysis.problem.empty() ? QStringLiteral("Aucune suggestion")
                                                   : QString::fromStdString(analysis.problem);
        controller_.repaint();
        return;
    }
    const std::string& uci = analysis.bestMove;
    hint_ = HintShown{hintSerial_, uci[0] - 'a' + 1, uci[1] - '0', uci[2] - 'a' + 1, uci[3] - '0'};
    play.statusText = hintText(move, analysis.score);
    controller_.repaint();
}

bool Coach::hintShown() const {
    return hint_ && hint_->serial == controller_.state().positionSerial;
}

void Coach::drawHint(QImage& picture) const {
    if (!hintShown()) return;
    const GameRecord& record = controller_.state().record;
    drawHintArrow(picture, {hint_->fromFile, hint_->fromRank}, {hint_->toFile, hint_->toRank},
                  record.playerIsBlack, controller_.display().boardTurned);
}

// The warning after a costly move

bool Coach::checkHumanMove() {
    // The hint of the position before is of no use any more.
    if (hinting()) {
        hintRequest_ = 0;
        hintProgress_.stop();
    }
    PlayState& play = controller_.state();
    GameRecord& record = play.record;
    const int ply = record.plyCount - 1;
    if (!settings_.warnings || shuttingDown_ || play.humanVsHuman || play.computerVsComputer ||
        ply < setupPly(record))
        return !shuttingDown_;
    const auto before = uciGameOf(record, ply);
    const auto after = uciGameOf(record, ply + 1);
    const std::string played = playedMove(record, ply);
    if (!before || !after || played.empty()) return true;
    const ChessPosition beforePosition = positionAtPly(record, ply);

    // The coach's time is nobody's: the clocks are put back afterwards.
    const std::int32_t whiteClock = record.whiteClock, blackClock = record.blackClock;
    const QString statusBefore = play.statusText;
    check_ = Check{};
    check_->afterPosition = *after;
    check_->beforeRequest =
        analyst().analyse({*before, std::chrono::seconds(settings_.coachSeconds)}, answerOnThisThread());
    play.statusText = kCoachLooking;
    controller_.repaint();
    Q_EMIT statesChanged();

    QEventLoop loop;
    // An analyst that never answers must not hold the game.
    QTimer fallback;
    fallback.setSingleShot(true);
    connect(&fallback, &QTimer::timeout, &loop, &QEventLoop::quit);
    fallback.start(std::chrono::seconds(2 * settings_.coachSeconds + 30));
    checkLoop_ = &loop;
    loop.exec();
    checkLoop_ = nullptr;
    const Check check = std::move(*check_);
    check_.reset();
    Q_EMIT statesChanged();
    if (shuttingDown_) return false;
    record.whiteClock = whiteClock;
    record.blackClock = blackClock;
    play.statusText = statusBefore;

    if (check.interrupted || !check.before || !check.after || !check.before->score || !check.after->score)
        return true;
    const AnalysisScore best = *check.before->score;
    const AnalysisScore afterMove = check.after->score->opposite();
    const bool playedIsBest = check.before->bestMove == played;
    if (!coachWarns(best, afterMove, playedIsBest, settings_.thresholdPawns)) return true;
    const QString bestText =
        moveInNotation(beforePosition, check.before->bestMove, controller_.display().algebraic);
    const int choice = controller_.dialogs().ask(
        infoCaption(), coachWarningText(best, afterMove, bestText), BoxIcon::exclamation,
        {QStringLiteral("Reprendre le coup"), QStringLiteral("Jouer quand même")});
    if (shuttingDown_) return false;
    if (choice != 0) return true;
    takeBackHumanMove();
    return false;
}

void Coach::checkAnswered(const Analysis& analysis) {
    Check& check = *check_;
    if (analysis.request == check.beforeRequest) {
        check.before = analysis;
        if (check.interrupted) {
            if (checkLoop_) checkLoop_->quit();
            return;
        }
        check.afterRequest = analyst().analyse(
            {check.afterPosition, std::chrono::seconds(settings_.coachSeconds)}, answerOnThisThread());
        return;
    }
    check.after = analysis;
    if (checkLoop_) checkLoop_->quit();
}

void Coach::takeBackHumanMove() {
    history_.takeBackHalfMove();
    controller_.state().statusText = QStringLiteral("Coup repris : à vous de jouer");
    controller_.repaint();
}

bool Coach::interrupt() {
    if (checking()) {
        check_->interrupted = true;
        analyst().cancel();
        checkLoop_->quit();
        return true;
    }
    if (hinting()) {
        // The answer comes soon, with the best move found so far.
        analyst().cancel();
        return true;
    }
    return false;
}

// The review

bool Coach::canReview() const {
    const PlayState& play = controller_.state();
    const GameRecord& record = play.record;
    return !shuttingDown_ && !reviewRunning() && !checking() && !controller_.computerBusy() &&
           record.recordLength > setupPly(record);
}

void Coach::reviewGame() {
    if (!canReview()) return;
    const GameRecord& record = controller_.state().record;
    std::vector<ReviewPosition> positions = reviewPositions(record);
    if (positions.size() < 2) {
        controller_.dialogs().error(
            QStringLiteral("Cette partie ne peut pas être analysée : un coup ne mène pas "
                           "à la position suivante"));
        return;
    }
    reviewRecord_ = std::make_unique<GameRecord>(record);
    reviewAnalyst_ = factory_();
    const auto perPosition = std::chrono::seconds(settings_.reviewSeconds);
    reviewRun_ = std::make_unique<ReviewRun>(*reviewAnalyst_, std::move(positions), perPosition);
    const int serial = ++reviewSerial_;

    if (!reviewWindow_) {
        reviewWindow_ = new ReviewWindow(window_);
        connect(reviewWindow_, &ReviewWindow::cancelRequested, this, [this] {
            endReview();
            if (reviewWindow_) reviewWindow_->close();
        });
        connect(reviewWindow_, &ReviewWindow::plyChosen, this, &Coach::reviewedPositionChosen);
    }
    reviewWindow_->startProgress(reviewRun_->total(), QString::fromStdString(reviewAnalyst_->name()),
                                 settings_.reviewSeconds);
    reviewWindow_->show();
    reviewWindow_->raise();
    Q_EMIT statesChanged();

    reviewRun_->start(
        [this, serial](const ReviewProgress& progress) {
            QMetaObject::invokeMethod(
                this,
                [this, serial, progress] {
                    if (serial == reviewSerial_ && reviewRun_ && reviewWindow_)
                        reviewWindow_->setProgress(progress.done, progress.total, progress.left);
                },
                Qt::QueuedConnection);
        },
        [this, serial](const GameReview& review) {
            QMetaObject::invokeMethod(
                this, [this, serial, review] { reviewFinished(review, serial); }, Qt::QueuedConnection);
        });
}

void Coach::reviewFinished(const GameReview& review, int serial) {
    if (serial != reviewSerial_ || !reviewRun_) return;
    lastReview_ = review;
    lastReviewRecord_ = std::move(reviewRecord_);
    endReview();
    if (!reviewWindow_) return;
    std::vector<QString> moves;
    const bool algebraic = controller_.display().algebraic;
    for (const ReviewedMove& move : review.moves) {
        const ChessPosition before = positionAtPly(*lastReviewRecord_, move.ply);
        moves.push_back(moveInNotation(before, move.played, algebraic));
    }
    reviewWindow_->showReview(review, moves);
    const GameRecord& record = controller_.state().record;
    if (sharedPlies(record, *lastReviewRecord_) >= record.plyCount)
        reviewWindow_->setCurrentPly(record.plyCount);
}

void Coach::endReview() {
    ++reviewSerial_;
    // The run first: it must not call an analyst that is gone.
    reviewRun_.reset();
    reviewAnalyst_.reset();
    reviewRecord_.reset();
    Q_EMIT statesChanged();
}

bool Coach::addReviewTo(const GameRecord& record, PgnExportOptions& options) const {
    if (!lastReview_ || !lastReviewRecord_) return false;
    const int shared = std::min(sharedPlies(record, *lastReviewRecord_), record.plyCount);
    if (shared <= setupPly(record)) return false;
    options.notes = pgnNotesOf(*lastReview_);
    options.notes.resize(std::min(options.notes.size(), static_cast<std::size_t>(shared)));
    options.annotator = lastReview_->analyst;
    return true;
}

ReviewWindow* Coach::reviewWindow() const {
    return reviewWindow_.data();
}

bool Coach::reviewCovers(int ply) const {
    if (!lastReview_ || !lastReviewRecord_) return false;
    const GameRecord& record = controller_.state().record;
    return ply >= setupPly(record) && ply <= record.recordLength &&
           sharedPlies(record, *lastReviewRecord_) >= ply;
}

void Coach::shutdown() {
    shuttingDown_ = true;
    hintProgress_.stop();
    hintRequest_ = 0;
    if (checkLoop_) checkLoop_->quit();
    endReview();
    analyst_.reset();
}

}  // namespace quorvel
