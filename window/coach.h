#pragma once
// The coach of the game window: "Suggérer un coup", the warning after a
// costly move against the computer, and "Analyser la partie" with its
// window. It asks an analyst (Quorvel's own engine unless another is
// chosen) and never changes the game by itself: the hint is drawn and
// written, the review shown; only the player's "Reprendre le coup" takes a
// move back, as the take-back command does.
//
// Answers come from the analyst's threads and are queued to the window
// thread; each request has its number, and an answer whose number is not
// the one awaited, or whose position is no longer on the board, is dropped.

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "coach/review_run.h"
#include "storage/pgn_export.h"
#include "uci/analyst.h"
#include "window/coach_texts.h"

class QEventLoop;
class QWidget;

namespace quorvel {

class GameController;
class HistoryNavigator;
class ReviewWindow;

class Coach : public QObject {
    Q_OBJECT
public:
    using AnalystFactory = std::function<std::unique_ptr<Analyst>()>;

    // `window` parents the review window and the coach's boxes.
    Coach(GameController& controller, HistoryNavigator& history, QWidget* window);
    ~Coach() override;

    CoachSettings& settings() { return settings_; }
    const CoachSettings& settings() const { return settings_; }
    // Where analysts come from: the hint and the warning share one, each
    // review gets its own. Replacing it drops the one made so far.
    void setAnalystFactory(AnalystFactory factory);

    // "Suggérer un coup": the human's turn, against the computer or
    // between two humans, the game going on and the board free.
    bool canSuggest() const;
    void suggest();
    bool hinting() const { return hintRequest_ != 0; }
    // The suggestion on the board, while its position is shown.
    void drawHint(QImage& picture) const;
    bool hintShown() const;

    // After a human move against the computer, before the reply: with the
    // warnings on, the analyst compares the move with its own best and a
    // costly one gets the box. False when the player took the move back
    // (or the window is closing): the computer does not answer then.
    bool checkHumanMove();
    bool checking() const { return checkLoop_ != nullptr; }

    // "Interrompre la recherche": the hint shows what was found so far; the
    // warning's look ends without a box. False when neither ran.
    bool interrupt();

    // "Analyser la partie": a game with a move and the board free.
    bool canReview() const;
    void reviewGame();
    bool reviewRunning() const { return reviewRun_ != nullptr; }
    ReviewWindow* reviewWindow() const;
    // The last review's notes for the export of `record` (the moves both
    // share); false when there is no review of this game.
    bool addReviewTo(const GameRecord& record, PgnExportOptions& options) const;
    // The position after `ply` half-moves of the game on the board is one
    // the last review scored (the game has not changed before it).
    bool reviewCovers(int ply) const;

    // The window closes: every analysis stops, no answer is waited for.
    void shutdown();

Q_SIGNALS:
    // A position of the review was clicked: the window shows the position
    // after `ply` half-moves through the history.
    void reviewedPositionChosen(int ply);
    // What the coach may do has changed (menu items to enable).
    void statesChanged();

private:
    struct HintShown {
        int serial = 0;  // the position it belongs to
        int fromFile = 0, fromRank = 0, toFile = 0, toRank = 0;
    };
    struct Check {
        std::uint64_t beforeRequest = 0, afterRequest = 0;
        UciGameText afterPosition;
        std::optional<Analysis> before, after;
        bool interrupted = false;
    };

    Analyst& analyst();
    Analyst::Answer answerOnThisThread();
    void answered(const Analysis& analysis);
    void hintAnswered(const Analysis& analysis);
    void checkAnswered(const Analysis& analysis);
    void showHintProgress();
    void takeBackHumanMove();
    void endReview();
    void reviewFinished(const GameReview& review, int serial);

    GameController& controller_;
    HistoryNavigator& history_;
    QPointer<QWidget> window_;
    CoachSettings settings_;
    AnalystFactory factory_;
    std::unique_ptr<Analyst> analyst_;  // the hint's and the warning's, made when first needed
    std::string analystChoice_;         // the setting it was made for
    bool shuttingDown_ = false;

    // The hint
    std::uint64_t hintRequest_ = 0;  // awaited; 0 when none runs
    int hintSerial_ = -1;            // the position it was asked for
    ChessPosition hintPosition_;
    std::chrono::steady_clock::time_point hintStarted_;
    QTimer hintProgress_;
    std::optional<HintShown> hint_;

    // The warning's look at a move
    std::optional<Check> check_;
    QEventLoop* checkLoop_ = nullptr;

    // The review
    std::unique_ptr<Analyst> reviewAnalyst_;
    std::unique_ptr<ReviewRun> reviewRun_;
    int reviewSerial_ = 0;  // the run whose callbacks count
    QPointer<ReviewWindow> reviewWindow_;
    std::unique_ptr<GameRecord> reviewRecord_;  // the game as it was reviewed
    std::optional<GameReview> lastReview_;
    std::unique_ptr<GameRecord> lastReviewRecord_;
};

}  // namespace quorvel
