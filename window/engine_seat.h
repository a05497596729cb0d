#pragma once
// One engine of another program playing one side in the window: its
// ChessEngine, whose callbacks (on the engine's own thread) become signals
// on the window's thread, what it offered, and its strength, applied as soon
// as the handshake is over and again when it changes.
//
// An engine that ended (a fault, or quit) is started afresh by start(). An
// engine left behind (quit, or replaced by a fresh one) ends in the
// background and is reaped when its process is gone; the seat's destructor
// waits for all of them, so no process outlives the seat.

#include <QObject>
#include <QString>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "storage/engine_list_file.h"
#include "uci/chess_engine.h"
#include "uci/game_for_engine.h"

namespace quorvel {

class EngineSeat : public QObject {
    Q_OBJECT
public:
    EngineSeat(EngineEntry entry, EngineTimeouts timeouts, QObject* parent = nullptr);
    ~EngineSeat() override;

    const EngineEntry& entry() const { return entry_; }
    QString name() const { return QString::fromStdString(entry_.name); }
    const EngineTimeouts& timeouts() const { return timeouts_; }
    // What the engine said of itself at its last handshake.
    const EngineOffers& offers() const { return offers_; }

    // The name the menu shows, when the player gave none of their own.
    void rename(const std::string& name) { entry_.name = name; }
    // Sent at once when the engine is ready (between searches), else after
    // its handshake.
    void setStrength(const EngineStrength& strength);

    // Starts the program and its handshake unless one runs: `readied` or
    // `failed` follows.
    void start();
    bool running() const;  // started, not ended
    bool ready() const { return ready_ && running(); }

    // Searches the game's live position; the engine hears of a new game
    // first when this game does not continue the last one it searched.
    SearchStart search(const GameForEngine& game, const GoRequest& limits);
    // The longest the window waits for an answer before it gives up on the
    // engine itself: the engine's own deadline, the graces of "stop" and of
    // the end, and a margin.
    std::chrono::milliseconds patience(const GoRequest& limits, bool whiteToMove) const;
    void stop();
    void cancel();
    // Ends the engine in the background.
    void quit();
    // Engines left behind and not reaped yet (for tests).
    std::size_t endingCount() const { return retired_.size(); }

Q_SIGNALS:
    void readied();
    void progressed(const quorvel::SearchProgress& progress);
    void answered(const quorvel::SearchAnswer& answer);
    void failed(const quorvel::EngineFault& fault);
    // A process left behind is gone.
    void reaped();

private:
    void retire();
    void reapEnded();

    // An engine and whether its process is gone and reaped (set on its own
    // thread, by its last event).
    struct Held {
        std::unique_ptr<ChessEngine> engine;
        std::shared_ptr<std::atomic<bool>> gone;
    };

    EngineEntry entry_;
    EngineTimeouts timeouts_;
    std::unique_ptr<ChessEngine> engine_;
    std::shared_ptr<std::atomic<bool>> gone_;  // engine_'s
    int generation_ = 0;                       // which engine_ the queued events come from
    bool ready_ = false;
    EngineOffers offers_;
    std::optional<GameForEngine> lastGame_;  // the last game searched, for "ucinewgame"
    std::vector<Held> retired_;
};

}  // namespace quorvel
