#pragma once
// Quorvel's engine behind the Universal Chess Interface: a chess program (a
// GUI, a tournament manager) sends one command per line, the session answers
// through `send`, one line per call, from whichever thread has something to
// say (the caller's, the search's, or the watch thread's), never two at once.
//
// handleLine never waits for a search: "go" hands the search to a watch
// thread, which waits for the previous search to be over, starts the search
// driver, does the clock's per-second accounting, reports once a second and
// ends the phases at the planned moments. So "isready" and "stop" are
// answered while the engine thinks.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "engine/opening_book.h"
#include "engine/search_driver.h"
#include "uci/uci_options.h"
#include "rules/uci_position.h"

namespace quorvel {

class UciSession {
public:
    using Send = std::function<void(const std::string& line)>;

    // `bookFile` is the default of the BookFile option; `totalMemory` sets
    // the search's memory budget, as in the game.
    UciSession(Send send, std::string bookFile, std::uint64_t totalMemory);
    ~UciSession();  // stops a running search and waits for it
    UciSession(const UciSession&) = delete;
    UciSession& operator=(const UciSession&) = delete;

    // One line from the chess program. False once "quit" has been handled.
    bool handleLine(std::string_view line);
    // The input has ended: a search waiting for "stop" is stopped, and this
    // returns once the last search has answered.
    void finishInput();

private:
    struct Run;

    // Commands
    void uci();
    void setOption(std::string_view arguments);
    void position(std::string_view arguments);
    void go(std::string_view arguments);
    void stop();
    void quit();

    // Searching
    void watch(const std::shared_ptr<Run>& run);
    void startSearch(Run& run);
    void stopLocked(Run& run);
    void applyWantedLocked(Run& run);
    void answerLocked(Run& run, const std::string& bestMove);
    std::string infoLocked(Run& run);
    std::string infoOf(const Run& run, const PrincipalLine& line) const;
    void onPassFinished();
    void onMoveRecorded();
    void onFinished();
    void loadBook();

    void say(const std::string& line);

    Send send_;
    std::mutex sendMutex_;
    const std::uint64_t totalMemory_;

    // Read and written on the caller's thread only.
    UciSettings settings_;
    UciSettings defaults_;  // what "uci" announces
    UciPosition position_;
    std::shared_ptr<const OpeningBook> book_;
    std::string bookProblem_;  // why the book could not be read, reported once

    SearchStatus status_;
    SearchDriver driver_{status_};  // touched by one watch thread at a time

    std::mutex runMutex_;
    std::condition_variable runChanged_;
    std::shared_ptr<Run> latest_;  // the last "go"
    std::shared_ptr<Run> active_;  // the run the driver is working on, for the hooks
    std::thread watch_;            // the last watch thread; each joins its predecessor
};

}  // namespace quorvel
