#pragma once
// The game controller: whose turn it is, handing the board to the human or
// to the search engine, showing the computer's move, the two-human and the
// computer-against-computer modes, the clocks' tick and the end-of-game
// announcements.
//
// Everything runs on the window thread. While the engine thinks, or while a
// move is shown, the controller waits in nested event loops that return on
// a signal or a timer, so the window keeps painting and taking commands;
// the window's command guard keeps the commands that change the game out
// while computerBusy() holds.

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_options.h"
#include "engine/opening_book.h"
#include "engine/search_driver.h"
#include "engine/search_status.h"
#include "window/engine_opponents.h"
#include "window/engine_turn.h"
#include "window/game_timers.h"
#include "window/play_state.h"

namespace quorvel {

class DialogService;

class GameController : public QObject {
    Q_OBJECT
public:
    explicit GameController(DialogService& dialogs, QObject* parent = nullptr);
    ~GameController() override;

    // State read by the views (and changed by the window's input handlers)
    PlayState& state() { return state_; }
    const PlayState& state() const { return state_; }
    DisplayOptions& display() { return display_; }
    const DisplayOptions& display() const { return display_; }
    SearchStatus& status() { return status_; }
    const SearchStatus& status() const { return status_; }
    // The user's thinking time, as the menu and the settings file know it.
    TimeLimits& limits() { return limits_; }
    const TimeLimits& limits() const { return limits_; }
    // The limits the clock's accounting applies now: the user's, except in
    // the computer-against-computer loop, which varies the main time by two
    // seconds either way from one move to the next (never below a second).
    TimeLimits limitsInUse() const;
    EngineOptions& engineOptions() { return engineOptions_; }
    const EngineOptions& engineOptions() const { return engineOptions_; }
    OpeningBook& book() { return book_; }
    GameTimers& timers() { return timers_; }
    DialogService& dialogs() { return dialogs_; }
    bool showThinking() const { return status_.showThinking; }
    // Who plays the computer's side: Quorvel's own engine or another program's.
    EngineOpponents& opponents() { return opponents_; }
    const EngineOpponents& opponents() const { return opponents_; }
    // How the computer takes its move from the root's moves (a level's
    // margin); applied when its next search starts.
    void setRootChoice(RootChoice choice) { rootChoice_ = choice; }
    const RootChoice& rootChoice() const { return rootChoice_; }

    // Start-up values
    // Empty: no recovery file (its folder can't hold one).
    void setRecoveryPath(std::string path) { recoveryPath_ = std::move(path); }
    const std::string& recoveryPath() const { return recoveryPath_; }
    // 0 (unknown) leaves the memory limit out of the accounting.
    void setTotalMemory(std::uint64_t bytes) { totalMemory_ = bytes ? bytes : kUnknownMemory; }
    // The information dialog, run on the window thread for the search: the
    // current and the initial text, and the eight fields as the last showing
    // of this search left them (kept for the next one).
    using InformationDialog =
        std::function<std::optional<ExplorerPath>(const std::string&, const std::string&, ExplorerPath&)>;
    void setInformationDialog(InformationDialog dialog) { informationDialog_ = std::move(dialog); }
    // Run after a human move against the computer, before the reply (the
    // coach's look at the move): false keeps the computer from answering,
    // the move having been taken back.
    void setBeforeReply(std::function<bool()> check) { beforeReply_ = std::move(check); }

    // Turn rule and game-over guard
    bool humanToMove() const;
    bool gameOver() const;
    // The computer has the game: it thinks, shows its move, is about to
    // think, or plays itself. The command guard keeps the game's commands
    // out meanwhile.
    bool computerBusy() const;

    // An engine of another program thinks: its search can be dropped at
    // once, so the commands that replace the game may end it and run.
    bool engineThinking() const { return engineTurn_.thinking; }
    // Drops that search ("stop" is sent, its late answer ignored) and ends
    // the computer-against-computer loop; the game stays as it was.
    void abandonEngineSearch();
    // Runs `then` once no move of the computer or the human is under way
    // (at once, queued, when none is).
    void afterFlows(std::function<void()> then);
    // What an engine of another program said of its last search, for the
    // panel; nullptr while Quorvel's own engine has the figures.
    const EngineFigures* engineFigures() const { return engineFigures_ ? &*engineFigures_ : nullptr; }
    // The status line's text of that search: the blinking word while it
    // runs, its line (with "Afficher la réflexion") and its score.
    QString engineSearchText(bool searching) const;

    // Commands
    void computerPlaysNow();
    void commitHumanMove();
    void runComputerVsComputer();
    void setSideWhite();
    void setSideBlack();
    // The toolbar's change of colour: says which side the human now has.
    void changeSide();
    // After the player changed side: when the change handed the move to the
    // computer, it plays, as after computerPlaysNow().
    void playIfComputersTurn();
    void setModeComputerHuman();
    void setModeHumanHuman();
    // "Interrompre la recherche".
    void pressStopButton();
    // A new game, also after a take-back to the start: the board set up, the
    // record and the clocks cleared, and the last search's figures with them.
    void resetForNewGame();

    // The end-of-game section run after every repaint.
    void announce();
    // The side to move is in check, not mated, on the board shown (false
    // while the board is the search's).
    bool sideToMoveInCheck() const;
    // The result of a finished game as the status line words it ("Les
    // Blancs gagnent!", "Pat ! Fin de la partie", ...); empty while it goes on.
    QString resultText() const;

    // A short word on the status line, such as why a click was refused:
    // shown for a few seconds, then the line says again what it said, unless
    // something else wrote it meanwhile.
    void sayBriefly(const QString& text);
    static constexpr int kBriefMilliseconds = 3000;
    void setBriefDuration(int milliseconds) { briefTimer_.setInterval(milliseconds); }

    // Repaints the window (board, panel, menu marks) and runs announce().
    void repaint() { Q_EMIT repaintNeeded(); }
    // Waits n ticks of 100 ms while the window keeps working.
    void waitTicks(int n);
    // The quit sequence: stops a running search as the stop button does
    // (its move and the recovery file are still written), ends the
    // computer-against-computer loop and waits for the search thread. From
    // here on the controller winds down: its waits return at once.
    void endSearch();
    bool searchThreadDone() const { return threadDone_; }
    // The search thread holds the record (from its start until it has
    // recorded its move and written the recovery file).
    bool searchHoldsRecord() const { return recordHeldBySearch_; }
    // The clocks as shown: the seconds counted while the search thread held
    // the record are added when it ends.
    std::int32_t whiteSeconds() const { return state_.record.whiteClock + pendingWhite_; }
    std::int32_t blackSeconds() const { return state_.record.blackClock + pendingBlack_; }

    // After every write of the recovery file: the first failure is said
    // once (until a write succeeds again); the game goes on, and the
    // previous file stays whole.
    void reportRecoveryWrite(bool written);

    // A new position was set by a take-back, a load or a new game.
    void positionReplaced() { ++state_.positionSerial; }
    // Another game took the board (loaded, recovered, imported or pasted):
    // the move list ends on its last move, no square is marked, and between
    // two humans the board goes to the side to move.
    void gameReplaced();
    // Between two humans the board always belongs to the side to move; a
    // loaded or stepped-to position may have been held by the other one.
    void handBoardToSideToMove();

Q_SIGNALS:
    void repaintNeeded();
    // The once-a-second refresh of the panel fields.
    void panelRefreshNeeded();
    // The three steps of showing the computer's move (1 from-square marked,
    // 2 piece moved and to-square marked, 3 marker removed).
    void computerMoveStep(int step, int file, int rank);
    // A move was played and recorded: the human's when it is committed,
    // the computer's when its piece moves on the board.
    void movePlayed();
    void searchThreadFinished();
    // The search thread handed the record back.
    void searchRecordReleased();
    // computerBusy() may have changed without a repaint.
    void commandStatesChanged();
    // The computer is about to search for its move.
    void searchStarting();
    // A game begins: a new one (also after a take-back to the start), or,
    // `fresh` false, one loaded, recovered, imported or pasted.
    void gameStarted(bool fresh);

private:
    // A move of the computer or the human under way (computerPlaysNow,
    // commitHumanMove, runComputerVsComputer): while one is on the stack,
    // afterFlows waits.
    class FlowScope {
    public:
        explicit FlowScope(GameController& controller) : controller_(controller) { ++controller_.flows_; }
        ~FlowScope();
        FlowScope(const FlowScope&) = delete;
        FlowScope& operator=(const FlowScope&) = delete;

    private:
        GameController& controller_;
    };
    void runAfterFlows();
    // The move by an engine of another program, when one plays the side to
    // move (window/engine_turn.cpp). False when Quorvel's own engine plays
    // it: none is chosen, or the chosen one could not start.
    bool playEngineMove();
    struct EngineWait;
    EngineWait waitForEngine(EngineSeat& seat, int searchNumber, std::chrono::milliseconds patience);
    void showEngineProgress(const SearchProgress& progress);
    void sayEngineFault(const EngineSeat& seat, const EngineFault& fault);

    void connectHooks();
    void startSearchAndShowMove();
    void showComputerMove();
    void foldPendingSeconds();
    void waitForThreadEnd();
    void waitForRecordBack();
    // The information dialog, asked for by the search thread once its move
    // is recorded: opened when the move is on the board, the thread waiting
    // for its answer meanwhile.
    struct InformationRequest;
    void presentInformation();
    void openInformation();
    // The window closes: a request open or to come is answered "Sortir", so
    // the search thread never waits for a dialog nobody will show.
    void closeInformation();
    void onSecond();
    void blinkSearchText();
    bool upperIsWhite() const { return state_.record.playerIsBlack; }
    bool isCheckmated(bool white) const;
    void stopTimersForGameEnd();
    // The computer-against-computer game is over: its result on the status
    // line, and no box.
    void settleComputerGame();
    void showBox(const QString& caption, const QString& text);

    DialogService& dialogs_;
    PlayState state_;
    DisplayOptions display_;
    SearchStatus status_;
    TimeLimits limits_;
    int mainTimeOffset_ = 0;  // seconds added to the main time in use: 0, or +-2 between computers
    EngineOptions engineOptions_;
    RootChoice rootChoice_;
    OpeningBook book_;
    GameTimers timers_;
    QTimer briefTimer_;
    QString briefText_;        // the word shown briefly
    QString textBeforeBrief_;  // what the status line said before it
    std::string recoveryPath_;
    static constexpr std::uint64_t kUnknownMemory = ~std::uint64_t{0};
    std::uint64_t totalMemory_ = kUnknownMemory;
    InformationDialog informationDialog_;
    std::function<bool()> beforeReply_;
    ExplorerPath explorerFields_;  // the information dialog's fields during one search
    bool threadDone_ = true;
    bool recordHeldBySearch_ = false;
    // The information dialog's request, set by the search thread, shown and
    // answered on the window thread, or answered by closeInformation().
    std::mutex informationMutex_;
    std::shared_ptr<InformationRequest> information_;  // guarded; asked for and not answered yet
    bool informationClosed_ = false;                   // guarded
    std::int32_t pendingWhite_ = 0;                    // seconds not yet in the record
    std::int32_t pendingBlack_ = 0;
    bool announcing_ = false;
    bool windingDown_ = false;          // the window is closing
    bool inComputerGame_ = false;       // the computer-against-computer loop runs
    bool recoveryFailureSaid_ = false;  // the last recovery write failed and the user knows
    int drawCheckedSerial_ = -1;        // the position whose draws were last looked for
    int stalemateAnnouncedSerial_ = -1;
    int fullAnnouncedSerial_ = -1;
    int checkAnnouncedSerial_ = -1;  // the position whose check had its box
    EngineOpponents opponents_{dialogs_};
    EngineTurn engineTurn_;
    std::optional<EngineFigures> engineFigures_;
    int flows_ = 0;
    std::vector<std::function<void()>> afterFlows_;
    SearchDriver driver_{status_};   // last: its destructor waits for the thread
};

}  // namespace quorvel
