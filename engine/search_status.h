#pragma once
// State shared between the window thread and the search thread.
//
// Flags and counters are atomics written by one side and read by the other;
// the report texts are replaced whole under a mutex. The window reads these
// to paint "Noeud :", "Mem :", "Profondeur :" and the live report, and raises
// the phase flags from its one-second tick and the stop button.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "engine/engine_options.h"
#include "rules/position.h"

namespace quorvel {

// The principal line as the search last reported it: the moves from the root
// in rows of the stored board, the computer's first, and the score of its
// leaf (hundredths of a pawn, positive for the computer). Empty until the
// first pass is backed up.
struct PrincipalLine {
    std::vector<MoveText> moves;
    int score = 0;
};

class SearchStatus {
public:
    // Flags
    std::atomic<bool> searchIdle{true};       // no search thread is working on the game
    std::atomic<bool> mainPhaseOver{false};   // the main tree is no longer expanded
    std::atomic<bool> stop{false};            // nothing is expanded any more
    std::atomic<bool> inSecondary{false};     // a secondary tree is being grown
    std::atomic<bool> reportFrozen{false};    // the live report must not be shown
    std::atomic<bool> firstPaintDone{false};  // the window has painted since the human's move
    std::atomic<bool> bookPlay{true};         // the game may still follow a book line
    std::atomic<bool> showThinking{false};    // detailed reports ("Afficher la réflexion")

    // Counters
    std::atomic<std::uint32_t> nodesCreated{0};   // children evaluated ("Noeud :")
    std::atomic<std::uint32_t> entriesFreed{0};   // tree entries released
    std::atomic<std::int32_t> largestDropped{0};  // moves lost past 100 children
    std::atomic<std::int32_t> mainDepthShown{0};
    std::atomic<std::int32_t> secondaryDepthShown{0};
    std::atomic<std::int32_t> searchSeconds{0};     // written by the clock tick
    std::atomic<std::int32_t> secondarySeconds{0};  // written by the clock tick

    // Bumped, with a notify_all, whenever firstPaintDone or stop is raised,
    // so the search thread can sleep until either changes.
    std::atomic<std::uint32_t> wakeCount{0};
    void wakeSearchThread() {
        wakeCount.fetch_add(1);
        wakeCount.notify_all();
    }
    // The window calls this at the end of each paint.
    void markPainted() {
        firstPaintDone.store(true);
        wakeSearchThread();
    }
    // Before a search no window shows (the command line, a chess program):
    // the last search's stop and seconds are cleared, and no paint awaited.
    void prepareSearchWithoutWindow() {
        searchIdle.store(false);
        mainPhaseOver.store(false);
        stop.store(false);
        searchSeconds.store(0);
        secondarySeconds.store(0);
        markPainted();
    }
    // Sleeps (no spinning) until `ready()` holds; re-checked after each wake.
    template <class Ready>
    void waitForSearchWake(Ready ready) {
        for (;;) {
            const std::uint32_t seen = wakeCount.load();
            if (ready()) return;
            wakeCount.wait(seen);
        }
    }

    // Bytes held by the tree: 24 per live node.
    std::uint64_t memoryInUse() const {
        return 24ull * static_cast<std::uint32_t>(nodesCreated.load() - entriesFreed.load());
    }

    // Report texts, replaced whole.
    std::string mainReport() const { return read(mainReport_); }
    std::string secondaryReport() const { return read(secondaryReport_); }
    std::string statusText() const { return read(statusText_); }
    void setMainReport(std::string text) { write(mainReport_, std::move(text)); }
    void setSecondaryReport(std::string text) { write(secondaryReport_, std::move(text)); }
    void setStatusText(std::string text) { write(statusText_, std::move(text)); }
    PrincipalLine principalLine() const { return read(principalLine_); }
    void setPrincipalLine(PrincipalLine line) { write(principalLine_, std::move(line)); }

private:
    template <class T>
    T read(const T& value) const {
        std::lock_guard lock(mutex_);
        return value;
    }
    template <class T>
    void write(T& target, T value) {
        std::lock_guard lock(mutex_);
        target = std::move(value);
    }

    mutable std::mutex mutex_;
    std::string mainReport_;
    std::string secondaryReport_;
    std::string statusText_;
    PrincipalLine principalLine_;
};

// Time limits of a search, seconds, each in kTimeLimitRange.
struct TimeLimits {
    std::int32_t mainTimeLimit = 9;
    std::int32_t secondaryTimeLimit = 8;
};

// The per-second accounting of the clock tick that ends the search's phases:
// search seconds + 1 (secondary seconds + 1 when the main phase was already
// over); main phase over past mainTimeLimit or past a third of totalMemory;
// stop past secondaryTimeLimit. Strict comparisons.
void accountSearchSecond(SearchStatus& status, const TimeLimits& limits, std::uint64_t totalMemory);

// The stop button "Interrompre la recherche": a first press ends the main
// phase, a press during the secondary phase stops the search.
void pressStop(SearchStatus& status);

// Ends a running search as soon as possible (quitting): both phases over,
// and a search still waiting for the first paint gives up.
void abortSearch(SearchStatus& status);

}  // namespace quorvel
