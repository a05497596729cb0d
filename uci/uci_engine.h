#pragma once
// The ChessEngine of an engine that speaks the Universal Chess Interface.
//
// The dialogue: "uci", its "id" and "option" lines up to "uciok" (within the
// handshake time), the options set before, "isready" up to "readyok"; then
// per game "ucinewgame" and "isready", per search "position ... moves ..."
// and "go ...", up to "bestmove". Options set later are sent between
// searches, each batch followed by "isready", and no "go" leaves before its
// "readyok". At the end "quit", then SIGCONT and SIGTERM, then SIGKILL.
//
// One thread of its own reads the engine's output and error streams,
// writes what is waiting to go to it, keeps the deadlines and calls the
// events; the callers' calls only change the state under a mutex, queue
// lines and wake that thread. The thread writes with SIGPIPE blocked, so a
// dead engine's pipe gives an error, not the signal.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "uci/chess_engine.h"
#include "uci/engine_process.h"
#include "uci/line_splitter.h"

namespace quorvel {

class UciEngine final : public ChessEngine {
public:
    explicit UciEngine(EngineTimeouts timeouts = {});
    ~UciEngine() override;

    void start(const EngineCommand& command, EngineEvents events) override;
    void setOption(const std::string& name, const std::string& value) override;
    void newGame() override;
    SearchStart search(const SearchRequest& request) override;
    void stop() override;
    void cancel() override;
    void quit() override;
    EngineState state() const override;
    EngineOffers offers() const override;

    // The longest line read from an engine; longer ones are dropped.
    static constexpr std::size_t kMaxLineLength = 64 * 1024;
    // The fewest milliseconds between two `progress` events.
    static constexpr std::chrono::milliseconds kProgressInterval{100};

private:
    using Clock = std::chrono::steady_clock;
    using Event = std::function<void()>;

    // One search asked for.
    struct Search {
        int number = 0;
        std::string positionLine, goLine;
        std::vector<std::string> legalMoves;  // every legal move, in the engines' notation
        std::optional<std::chrono::milliseconds> deadline;
        bool stopWanted = false;  // stop() came before its "go" left
    };

    enum class Shutdown { none, quitSent, termSent };

    // The engine's thread
    void run();
    void serve();
    Clock::time_point nextWakeLocked(Clock::time_point now) const;
    bool readOutput(std::vector<Event>& events);  // false once nothing more is there for now
    void readErrors();
    void writeInput();
    void checkTimesLocked(Clock::time_point now, std::vector<Event>& events);
    void processEndedLocked(const std::string& how, std::vector<Event>& events);

    // Under mutex_
    void sendLocked(const std::string& line);
    void handleLineLocked(std::string_view line, std::vector<Event>& events);
    void handleBestMoveLocked(std::string_view line, std::vector<Event>& events);
    void pumpLocked();
    void sendOptionsLocked();
    void abandonRunningLocked();
    void sendStopLocked();
    void pingLocked();
    void flushProgressLocked(std::vector<Event>& events);
    void failLocked(EngineFaultKind kind, int searchNumber, std::string detail, std::vector<Event>& events,
                    std::string move = {});
    void beginShutdownLocked();
    int concernedSearchLocked() const;
    void wake();

    const EngineTimeouts timeouts_;
    EngineCommand command_;
    EngineEvents events_;  // set by start(), read by the engine's thread only afterwards
    std::thread thread_;
    int wakeRead_ = -1, wakeWrite_ = -1;

    // Touched by the engine's thread only.
    std::unique_ptr<EngineProcess> process_;
    LineSplitter output_{kMaxLineLength};
    LineSplitter errors_{1024};
    bool outputClosed_ = false;
    Clock::time_point outputClosedAt_;

    mutable std::mutex mutex_;
    EngineState state_ = EngineState::notStarted;
    bool quitAsked_ = false;  // quit(): the end is wanted, no fault for it
    bool handshakeDone_ = false;
    int pingsOwed_ = 0;  // "isready" sent, "readyok" not yet read
    bool newGamePending_ = false;
    bool unsettled_ = false;  // a new game or options sent since the last "readyok"
    Clock::time_point handshakeDeadline_, pingDeadline_;
    EngineOffers offers_;
    std::vector<std::pair<std::string, std::string>> pendingOptions_;
    std::string outbox_;  // bytes waiting to go to the engine

    int nextNumber_ = 1;
    std::optional<Search> waiting_;  // asked for, its "go" not sent yet
    std::optional<Search> running_;  // its "go" sent: a bestmove is owed
    bool runningWanted_ = false;     // the owed bestmove is to be played (not abandoned)
    bool stopSent_ = false;          // "stop" sent for the running search
    Clock::time_point goAt_;
    std::optional<Clock::time_point> runDeadline_;
    UciInfo progress_;
    bool progressDirty_ = false;
    Clock::time_point lastProgress_;

    Shutdown shutdown_ = Shutdown::none;
    Clock::time_point shutdownStepAt_;
    bool faultReported_ = false;  // a fault that ends the engine was said: the end adds none
    std::string lastErrorLine_;   // the engine's last words on its error stream
};

}  // namespace quorvel
