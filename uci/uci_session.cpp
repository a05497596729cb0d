#include "uci/uci_session.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "engine/search_tree.h"
#include "uci/uci_report.h"
#include "uci/uci_go.h"
#include "uci/uci_time.h"
#include "rules/perft.h"
#include "rules/uci_move.h"

namespace quorvel {

using Clock = std::chrono::steady_clock;

// One "go": the search's own copy of the position, how it is bounded, and
// where it stands. The fields below the line are guarded by runMutex_.
struct UciSession::Run {
    std::unique_ptr<GameRecord> record;  // belongs to the search while it runs
    Position base;                       // the position searched
    StateWord baseState = 0;
    bool playerIsBlack = false;
    EngineOptions options;
    int choiceMargin = 0;  // the level's root choice
    SearchPlan plan;
    std::shared_ptr<const OpeningBook> book;
    bool bookPlay = false;
    Clock::time_point started;  // when the command arrived

    bool firstPassDone = false;       // a move is known: a stop can be honoured
    bool mainOverWanted = false;      // the main phase should end
    bool stopWanted = false;          // the search should stop
    PrincipalLine shown;              // the last line with a real score
    std::optional<std::string> held;  // the answer kept until "stop" ("go infinite")
    bool answered = false;            // "bestmove" has been sent
    bool finished = false;            // the driver is done with the run
};

namespace {

// What a chess program sent, fit to be quoted back on one line: control
// bytes and bytes past ASCII (which may not be valid text) become '?'.
std::string quoted(std::string_view text) {
    std::string result;
    for (char c : text.substr(0, 60)) {
        const auto byte = static_cast<unsigned char>(c);
        result += byte < 0x20 || byte >= 0x7F ? '?' : c;
    }
    return "'" + result + (text.size() > 60 ? "...'" : "'");
}

}  // namespace

UciSession::UciSession(Send send, std::string bookFile, std::uint64_t totalMemory)
    : send_(std::move(send)), totalMemory_(totalMemory) {
    settings_.bookFile = std::move(bookFile);
    defaults_ = settings_;
    loadBook();
    position_ = std::move(*setUpUciPosition("startpos").position);
    SearchHooks hooks;
    hooks.passFinished = [this](int) { onPassFinished(); };
    hooks.moveRecorded = [this] { onMoveRecorded(); };
    hooks.finished = [this] { onFinished(); };
    driver_.setHooks(std::move(hooks));
}

UciSession::~UciSession() {
    quit();
}

void UciSession::say(const std::string& line) {
    std::lock_guard lock(sendMutex_);
    send_(line);
}

bool UciSession::handleLine(std::string_view line) {
    // Blanks count for nothing, a Windows line end among them: each command
    // reads its arguments word by word.
    constexpr std::string_view kBlanks = " \t\r\n";
    line.remove_prefix(std::min(line.find_first_not_of(kBlanks), line.size()));
    const std::string_view command = line.substr(0, line.find_first_of(kBlanks));
    const std::string_view arguments = line.substr(command.size());
    if (command.empty() || command == "debug" || command == "register") {
        // Nothing to do: Quorvel has no debug output and needs no registration.
    } else if (command == "uci") {
        uci();
    } else if (command == "isready") {
        say("readyok");
    } else if (command == "setoption") {
        setOption(arguments);
    } else if (command == "ucinewgame") {
        position("startpos");
    } else if (command == "position") {
        position(arguments);
    } else if (command == "go") {
        go(arguments);
    } else if (command == "stop") {
        stop();
    } else if (command == "quit") {
        quit();
        return false;
    } else {
        say("info string unknown command " + quoted(command));
    }
    return true;
}

void UciSession::finishInput() {
    std::unique_lock lock(runMutex_);
    if (latest_ && latest_->plan.waitForStop && !latest_->answered) stopLocked(*latest_);
    runChanged_.wait(lock, [this] { return !latest_ || latest_->answered; });
}

// Commands

void UciSession::uci() {
    say("id name Quorvel 1.0");
    say("id author the Quorvel team");
    for (const std::string& option : uciOptionLines(defaults_)) say(option);
    say("uciok");
}

void UciSession::setOption(std::string_view arguments) {
    UciSettings changed = settings_;
    if (const auto problem = applySetOption(arguments, changed)) {
        say("info string " + *problem);
        return;
    }
    const bool newBook = changed.bookFile != settings_.bookFile;
    settings_ = changed;
    if (newBook) {
        loadBook();
        if (!bookProblem_.empty()) say("info string " + bookProblem_);
    }
}

void UciSession::loadBook() {
    book_.reset();
    bookProblem_.clear();
    if (settings_.bookFile.empty()) return;
    auto book = std::make_shared<OpeningBook>();
    if (book->load(settings_.bookFile) == OpeningBook::LoadStatus::missing) {
        bookProblem_ = "cannot read the opening book " + quoted(settings_.bookFile);
        return;
    }
    book_ = std::move(book);
}

void UciSession::position(std::string_view arguments) {
    UciPositionResult result = setUpUciPosition(arguments);
    if (!result.problem.empty()) say("info string " + result.problem);
    if (result.position) position_ = std::move(*result.position);
}

void UciSession::go(std::string_view arguments) {
    const GoRequest request = parseGo(arguments);
    for (const std::string& problem : request.problems) say("info string go: " + problem);
    auto run = std::make_shared<Run>();
    run->started = Clock::now();
    run->record = std::make_unique<GameRecord>(*position_.record);
    run->base = run->record->current;
    run->baseState = packState(run->base, run->record->state);
    run->playerIsBlack = run->record->playerIsBlack;
    run->plan = planSearch(request, position_.engineIsWhite, settings_.limits, settings_.engine.maxDepthMain);
    run->options = settings_.engine;
    run->choiceMargin = levelChoiceMargin(settings_);
    run->options.maxDepthMain = static_cast<std::int8_t>(run->plan.maxDepthMain);
    // The book's lines start from the initial position.
    run->bookPlay = settings_.ownBook && book_ && position_.fromInitialPosition;
    run->book = book_;
    if (settings_.ownBook && !bookProblem_.empty()) {
        say("info string " + bookProblem_);
        bookProblem_.clear();  // once is enough
    }
    {
        std::lock_guard lock(runMutex_);
        // A "go" before the last one was answered (a program that does not
        // wait for "bestmove" after "stop"): that search ends first, and each
        // gets its answer.
        if (latest_ && !latest_->answered) {
            if (!latest_->stopWanted) say("info string go during a search: that search is stopped first");
            stopLocked(*latest_);
        }
        latest_ = run;
    }
    // Each watch thread first joins the one before it, so this thread never
    // waits for a search that is still freeing its tree.
    watch_ = std::thread([this, run, previous = std::move(watch_)]() mutable {
        if (previous.joinable()) previous.join();
        watch(run);
    });
}

void UciSession::stop() {
    std::lock_guard lock(runMutex_);
    if (latest_ && !latest_->answered) stopLocked(*latest_);
}

void UciSession::quit() {
    {
        std::lock_guard lock(runMutex_);
        if (latest_ && !latest_->answered) stopLocked(*latest_);
    }
    if (watch_.joinable()) watch_.join();
    driver_.wait();
}

// Searching

void UciSession::watch(const std::shared_ptr<Run>& run) {
    driver_.wait();  // the previous search's thread has returned
    {
        std::lock_guard lock(runMutex_);
        active_ = run;
    }
    startSearch(*run);
    const SearchPlan& plan = run->plan;
    const auto at = [&](std::chrono::milliseconds offset) { return run->started + offset; };
    auto nextTick = at(std::chrono::seconds(1));
    std::unique_lock lock(runMutex_);
    while (!run->finished) {
        auto wake = nextTick;
        if (plan.mainPhaseEnd && !run->mainOverWanted) wake = std::min(wake, at(*plan.mainPhaseEnd));
        if (plan.stopAt && !run->stopWanted) wake = std::min(wake, at(*plan.stopAt));
        if (runChanged_.wait_until(lock, wake, [&] { return run->finished; })) break;
        const auto now = Clock::now();
        if (plan.mainPhaseEnd && now >= at(*plan.mainPhaseEnd)) run->mainOverWanted = true;
        if (plan.stopAt && now >= at(*plan.stopAt)) run->stopWanted = true;
        if (now >= nextTick) {
            // The clock's tick: the memory budget, and the engine's own
            // whole-second limits when the plan uses them.
            accountSearchSecond(status_, plan.tickLimits, totalMemory_);
            if (run->firstPassDone && !run->answered) say(infoLocked(*run));
            nextTick += std::chrono::seconds(1);
        }
        applyWantedLocked(*run);
    }
}

void UciSession::startSearch(Run& run) {
    status_.bookPlay.store(run.bookPlay);
    status_.prepareSearchWithoutWindow();
    driver_.setOpeningBook(run.book.get());
    // A level's draws are seeded once from the clock, like the game's.
    if (driver_.rootChoice().margin != run.choiceMargin) {
        const auto seed = static_cast<std::uint32_t>(Clock::now().time_since_epoch().count());
        driver_.setRootChoice({run.choiceMargin, seed});
    }
    driver_.start(*run.record, run.options, false);
}

// "stop": a held answer goes at once, otherwise the search is stopped.
void UciSession::stopLocked(Run& run) {
    run.stopWanted = true;
    if (run.held) {
        answerLocked(run, *run.held);
    } else {
        applyWantedLocked(run);
    }
}

// A stop before the first level is complete would leave no move to play, and
// that level takes a fraction of a millisecond: the stop waits for it.
void UciSession::applyWantedLocked(Run& run) {
    if (&run != active_.get() || run.finished || !run.firstPassDone) return;
    if (run.stopWanted) {
        // The stop button pressed twice: the main phase ends and the
        // secondary phase does not run.
        pressStop(status_);
        pressStop(status_);
    } else if (run.mainOverWanted) {
        status_.mainPhaseOver.store(true);
    }
}

void UciSession::answerLocked(Run& run, const std::string& bestMove) {
    if (run.plan.waitForStop && !run.stopWanted) {
        run.held = bestMove;
        return;
    }
    say(formatBestMove(bestMove));
    run.answered = true;
    runChanged_.notify_all();
}

// The search's line when it is scored, else the last one that was.
std::string UciSession::infoLocked(Run& run) {
    if (PrincipalLine line = status_.principalLine(); isScored(line)) run.shown = std::move(line);
    return infoOf(run, run.shown);
}

std::string UciSession::infoOf(const Run& run, const PrincipalLine& line) const {
    InfoSnapshot info;
    info.depth = status_.mainDepthShown.load();
    info.secondaryDepth = status_.secondaryDepthShown.load();
    info.nodes = status_.nodesCreated.load();
    info.time = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - run.started);
    info.line = line;
    return formatInfo(info, run.base, run.playerIsBlack);
}

// The hooks, on the search thread.

void UciSession::onPassFinished() {
    std::lock_guard lock(runMutex_);
    if (!active_) return;
    Run& run = *active_;
    run.firstPassDone = true;
    // A level that ended without a line (a stalemated root, a pass cut short)
    // has nothing new to show.
    if (!run.answered && isScored(status_.principalLine())) say(infoLocked(run));
    applyWantedLocked(run);
}

void UciSession::onMoveRecorded() {
    std::lock_guard lock(runMutex_);
    if (!active_) return;
    Run& run = *active_;
    const GameRecord& record = *run.record;
    const MoveText& played = record.moves[static_cast<std::size_t>(record.plyCount - 1)];
    const std::string bestMove = uciMoveOfRecorded(run.base, played, run.playerIsBlack);
    if (status_.principalLine().moves.empty()) {
        // No line: the move came from the book, whose line the status names.
        std::string name = status_.statusText();
        name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }),
                   name.end());
        say("info string " + name);
    } else {
        std::string info = infoLocked(run);
        // The line shown must begin with the move played; when the last
        // scored one does not, the move alone is shown, without a score.
        const std::string line = uciLine(run.base, run.shown, run.playerIsBlack);
        if (line.substr(0, line.find(' ')) != bestMove) {
            // The record holds chess ranks; the conversion back gives the board's rows.
            info = infoOf(run, PrincipalLine{{toChessRanks(played, run.playerIsBlack)}, kExcluded});
        }
        say(info);
    }
    answerLocked(run, bestMove);
}

void UciSession::onFinished() {
    std::lock_guard lock(runMutex_);
    if (!active_) return;
    Run& run = *active_;
    if (!run.answered && !run.held) {
        // No move was recorded: the game is over, or the search had nothing
        // to offer, in which case any legal move beats none.
        const std::vector<LegalMove> moves = legalMoves(run.base, run.baseState, true);
        if (!moves.empty()) say("info string the search found no move: the first legal move is played");
        answerLocked(run, moves.empty() ? "0000" : uciMoveOf(moves.front(), run.playerIsBlack));
    }
    run.finished = true;
    runChanged_.notify_all();
}

}  // namespace quorvel
