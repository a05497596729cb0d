#pragma once
// A chess engine in another process, as the window, the coach and the match
// runner see it: start it, set its options, begin a game, ask it to search a
// position, stop it, end it. One interface, one adapter per protocol (the
// UCI one is makeUciEngine; an xboard one would sit beside it).
//
// Threads. Every call returns at once: nothing waits for the engine. What
// the engine answers comes back through the callbacks of EngineEvents,
// called one at a time, in order, on the engine's own thread (never the
// caller's), with plain structs. A caller with an event loop (the window)
// turns them into queued signals; a caller without one waits on them
// (SyncEngine). A callback may call this interface again, but must not
// destroy the engine.
//
// Searches. Each search() gets a number, and every answer or fault names
// the search it belongs to. An engine owes exactly one "bestmove" per "go";
// the adapter never sends a "go" while one is owed, and drops a bestmove
// nobody waits for any more (after cancel(), newGame(), a newer search()).
// So a late answer can never be played on the wrong board.
//
// Faults. Each fault is reported once through `failed`, named for the
// message the user sees:
//   notAnswering  the program can't be started, or gives no "uciok" within
//                 5 s, or no "readyok" in time: "Le moteur X ne répond pas"
//   stopped       the process ended while it was wanted:
//                 "Le moteur X s'est arrêté"
//   illegalMove   a bestmove that is no legal move of the position, or no
//                 move at all: "Coup illégal du moteur X : e2e5"; the
//                 engine stays usable
//   timeout       no bestmove within the time given plus a grace: the
//                 engine is sent "stop", then ended
// After notAnswering, stopped and timeout the process is gone (or on its
// way: `ended` follows once it is reaped).
//
// Processes. The adapter alone owns its process: "quit", then SIGTERM after
// a short grace, then SIGKILL, and the child is always reaped; destroying
// the engine does all of this and waits for it. Its standard error is read
// and kept (the last line helps a fault's detail), so an engine that talks
// there never blocks. Lines that are no protocol, very long lines and
// floods of "info" lines are read and dropped without blocking anything;
// `progress` comes at most about ten times a second with the latest of
// each field.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "uci/engine_command.h"
#include "uci/engine_offers.h"
#include "uci/uci_go.h"
#include "uci/uci_info_line.h"

namespace quorvel {

// How long the engine is given for each step; tests shorten them.
struct EngineTimeouts {
    std::chrono::milliseconds handshake{5000};  // "uci" to "uciok"
    std::chrono::milliseconds ready{15000};     // "isready" to "readyok": an engine may load a network first
    std::chrono::milliseconds searchGrace{2000};   // past the time a search was given, plus a tenth of it
    std::chrono::milliseconds openSearch{120000};  // a search bounded by a depth or by nothing
    std::chrono::milliseconds stopGrace{5000};     // "stop" to "bestmove"
    std::chrono::milliseconds quitGrace{1000};     // "quit" to the end of the process, then SIGTERM
    std::chrono::milliseconds termGrace{1000};     // SIGTERM to the end, then SIGKILL
};

// A position to search and how to bound the search.
struct SearchRequest {
    std::string fen;                 // the game's start position; empty for the initial position
    std::vector<std::string> moves;  // the moves played from it, in the engines' notation ("e2e4", "e7e8q")
    GoRequest limits;                // movetime, clocks, depth or infinite; nothing: the engine's own limits
    // From the "go" to the answer; by default the time the limits give
    // (movetime, or the mover's clock) plus EngineTimeouts::searchGrace and
    // a tenth, EngineTimeouts::openSearch for a depth or nothing, no limit
    // for "infinite" (which answers after stop()).
    std::optional<std::chrono::milliseconds> deadline;
};

// The default deadline of a search: the time the limits give (movetime, or
// the clock of the side to move) plus a tenth of it and the grace; the open
// search limit for a depth or nothing; none for "infinite".
std::optional<std::chrono::milliseconds> searchDeadline(const GoRequest& limits, bool whiteToMove,
                                                        const EngineTimeouts& timeouts);

// What search() did: the search's number, or why it was refused (a position
// the rules can't set up, no legal move, an engine that has ended).
struct SearchStart {
    int number = 0;  // from 1; 0 when refused
    std::string problem;

    explicit operator bool() const { return number > 0; }
};

struct SearchProgress {
    int searchNumber = 0;
    UciInfo info;                          // the latest of each field the engine sent for this search
    std::chrono::milliseconds elapsed{0};  // since the "go"
};

struct SearchAnswer {
    int searchNumber = 0;
    std::string move;                      // a legal move of the position, in the engines' notation
    std::optional<std::string> ponder;     // the reply the engine expects, unchecked
    UciInfo info;                          // the last the engine said of this search
    std::chrono::milliseconds elapsed{0};  // from the "go" to the "bestmove"
};

enum class EngineFaultKind { notAnswering, stopped, illegalMove, timeout };

struct EngineFault {
    EngineFaultKind kind = EngineFaultKind::stopped;
    int searchNumber = 0;  // the search it ended, 0 when none was under way
    std::string move;      // illegalMove: what the engine sent, control bytes replaced, cut at 32 bytes
    std::string detail;    // for logs and the command line, in English: what happened
};

// "not answering", "stopped", "illegal move", "timeout".
const char* faultName(EngineFaultKind kind);

enum class EngineState {
    notStarted,
    starting,  // the handshake is under way
    ready,     // idle, or searching
    ended,     // the process has ended or is being ended; nothing more is sent
};

struct EngineEvents {
    std::function<void(const EngineOffers&)> ready;  // the handshake is over: once
    std::function<void(const SearchProgress&)> progress;
    std::function<void(const SearchAnswer&)> answered;
    std::function<void(const EngineFault&)> failed;
    std::function<void()> ended;  // the process is gone and reaped: the last event
};

class ChessEngine {
public:
    // Ends the process as quit() does and waits until it is reaped; no
    // callback runs once this returns.
    virtual ~ChessEngine() = default;

    // Starts the program and the handshake; `ready` or `failed`
    // (notAnswering) follows. Only once per engine.
    virtual void start(const EngineCommand& command, EngineEvents events) = 0;

    // Sets an option: sent once the handshake is over (at once after it),
    // with "value" always written; a button option is pressed only when
    // asked for by name here, never on its own.
    virtual void setOption(const std::string& name, const std::string& value) = 0;

    // A new game: a search under way is abandoned (its answer dropped), the
    // engine is told ("ucinewgame") and the next search waits until it is
    // ready again.
    virtual void newGame() = 0;

    // Searches a position: `answered` or `failed` follows, with the number
    // returned. A search under way is abandoned first (its answer dropped);
    // one asked for before the handshake is over waits for it.
    virtual SearchStart search(const SearchRequest& request) = 0;

    // The search under way answers now with the best move it has ("stop"
    // is sent once); its answer comes through `answered`.
    virtual void stop() = 0;

    // The search under way, or the one waiting, is abandoned: no answer
    // will come for it.
    virtual void cancel() = 0;

    // Ends the engine: "quit", then the signals after their graces. `ended`
    // follows; no fault is reported for the end itself.
    virtual void quit() = 0;

    virtual EngineState state() const = 0;
    // What the engine offers; the name is the program's until the handshake is over.
    virtual EngineOffers offers() const = 0;
};

std::unique_ptr<ChessEngine> makeUciEngine(EngineTimeouts timeouts = {});

}  // namespace quorvel
