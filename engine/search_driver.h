#pragma once
// The engine's front: start a search on its own thread without blocking,
// stop it, be told when it is done. The search never knows who listens: the
// window turns the hooks into queued signals; the command-line tool waits.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <utility>

#include "engine/engine_options.h"
#include "engine/expansion.h"
#include "engine/root_choice.h"
#include "engine/search_status.h"
#include "rules/position.h"

namespace quorvel {

class OpeningBook;

// The eight move texts typed in the information dialog ("1:" to "8:").
using ExplorerPath = std::array<std::string, 8>;

// Callbacks, all called on the search thread. Any may be empty.
struct SearchHooks {
    // The move and the position are recorded and searchIdle is set.
    std::function<void()> moveRecorded;
    // The information dialog, shown when extraDisplays is on outside the
    // computer-against-computer mode. Blocks until the dialog closes; returns
    // the typed path for "Rechercher", nullopt for "Sortir". `initialText` is
    // the full report that "<" brings back.
    std::function<std::optional<ExplorerPath>(const std::string& currentText, const std::string& initialText)>
        showInformation;
    // The platform's default beep.
    std::function<void()> beep;
    // Writes the recovery file from the record.
    std::function<void(const GameRecord&)> writeRecovery;
    // The record is the caller's again: the move (if any) is recorded and
    // the recovery file written. From here on the search thread reads only
    // its tree (the information dialog, freeing the tree, the beep).
    std::function<void()> recordReleased;
    // The main phase begins (the flags were reset after the first paint);
    // from here on the clock's accounting counts.
    std::function<void()> mainPhaseStarted;
    // A pass of the main phase is backed up and reported (its depth limit).
    std::function<void(int)> passFinished;
    // The secondary phase begins: its seconds count from here.
    std::function<void()> secondaryPhaseStarted;
    // The run is over: the tree is freed, searchIdle is set.
    std::function<void()> finished;
};

// What one run did.
struct SearchOutcome {
    bool movePlayed = false;  // a move was appended to the record
    bool fromBook = false;    // it came from the opening book
    bool noMove = false;      // the side to move had no move (or nothing was evaluated)
    bool gameOver = false;    // a side was already checkmated: nothing searched
};

class SearchDriver {
public:
    explicit SearchDriver(SearchStatus& status);
    ~SearchDriver();  // waits for a running search
    SearchDriver(const SearchDriver&) = delete;
    SearchDriver& operator=(const SearchDriver&) = delete;

    void setOpeningBook(const OpeningBook* book) { book_ = book; }
    void setHooks(SearchHooks hooks) { hooks_ = std::move(hooks); }
    // The expansion the search uses (the fast one unless told otherwise; the
    // benchmark compares it with the literal one).
    void setExpansion(ExpandFn expand) { expand_ = expand; }
    // How the move is taken from the root's moves (a level's margin); the
    // draws restart from the choice's seed. Not while a search runs.
    void setRootChoice(RootChoice choice);
    const RootChoice& rootChoice() const { return choice_; }

    // Starts runSearch on its own thread. The record belongs to the search
    // until `finished`; the caller has cleared searchIdle and the stop flags.
    void start(GameRecord& record, const EngineOptions& options, bool computerVsComputer);
    // Waits for the thread to end (it ends by itself; see pressStop).
    void wait();
    bool running() const;

    SearchOutcome lastOutcome() const;

private:
    SearchStatus& status_;
    const OpeningBook* book_ = nullptr;
    SearchHooks hooks_;
    ExpandFn expand_ = fastExpand;
    RootChoice choice_;
    std::mt19937 draws_;  // drawn on the caller's thread, one number per search with a margin
    std::thread thread_;
    struct Run;
    std::unique_ptr<Run> run_;
};

}  // namespace quorvel
