#include "uci/uci_engine.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

#include "rules/perft.h"
#include "rules/uci_move.h"
#include "rules/uci_position.h"
#include "uci/uci_words.h"

namespace quorvel {

namespace {

using std::chrono::milliseconds;

// An engine that closed its output but still runs is given this long to
// end on its own before it is reported and ended.
constexpr milliseconds kOutputClosedGrace{500};
// How often a child is asked whether it has ended, where the system gives
// no descriptor to wait on.
constexpr milliseconds kExitCheckInterval{50};

// What an engine sent, fit to be quoted in a message.
std::string printable(std::string_view text, std::size_t limit = 32) {
    std::string result;
    for (char c : text.substr(0, limit)) {
        const auto byte = static_cast<unsigned char>(c);
        result += byte < 0x20 || byte >= 0x7F ? '?' : c;
    }
    return result;
}

std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return result;
}

std::string seconds(milliseconds time) {
    const long long ms = time.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

}  // namespace

UciEngine::UciEngine(EngineTimeouts timeouts) : timeouts_(timeouts) {}

UciEngine::~UciEngine() {
    quit();
    if (thread_.joinable()) thread_.join();
    for (int fd : {wakeRead_, wakeWrite_}) {
        if (fd >= 0) ::close(fd);
    }
}

// The caller's side

void UciEngine::start(const EngineCommand& command, EngineEvents events) {
    std::lock_guard lock(mutex_);
    if (state_ != EngineState::notStarted) return;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        // Without a way to wake its thread the engine can't be served: it
        // is reported as not answering, from a thread of its own all the same.
        state_ = EngineState::ended;
        thread_ = std::thread([events] {
            if (events.failed) events.failed({EngineFaultKind::notAnswering, 0, {}, "cannot make a pipe"});
            if (events.ended) events.ended();
        });
        return;
    }
    wakeRead_ = ends[0];
    wakeWrite_ = ends[1];
    command_ = command;
    events_ = std::move(events);
    offers_.name = command.shortName();
    state_ = EngineState::starting;
    thread_ = std::thread(&UciEngine::run, this);
}

void UciEngine::setOption(const std::string& name, const std::string& value) {
    {
        std::lock_guard lock(mutex_);
        if (state_ == EngineState::ended) return;
        pendingOptions_.emplace_back(name, value);
        pumpLocked();
    }
    wake();
}

void UciEngine::newGame() {
    {
        std::lock_guard lock(mutex_);
        if (state_ == EngineState::ended) return;
        waiting_.reset();
        abandonRunningLocked();
        // A fresh engine is in a new game already.
        newGamePending_ = handshakeDone_;
        pumpLocked();
    }
    wake();
}

SearchStart UciEngine::search(const SearchRequest& request) {
    // The rules set the position up; its legal moves judge the answer.
    const std::string positionLine = formatPosition(request.fen, request.moves);
    const UciPositionResult setUp = setUpUciPosition(std::string_view(positionLine).substr(9));
    if (!setUp.position || !setUp.problem.empty())
        return {0, "the position can't be set up: " + setUp.problem};
    const GameRecord& record = *setUp.position->record;
    Search search;
    for (const LegalMove& move : legalMoves(record.current, record.state, true))
        search.legalMoves.push_back(uciMoveOf(move, record.playerIsBlack));
    if (search.legalMoves.empty()) return {0, "the side to move has no legal move"};
    search.positionLine = positionLine;
    search.goLine = formatGo(request.limits);
    search.deadline = request.deadline
                          ? request.deadline
                          : searchDeadline(request.limits, setUp.position->engineIsWhite, timeouts_);
    SearchStart started;
    {
        std::lock_guard lock(mutex_);
        if (state_ == EngineState::notStarted || state_ == EngineState::ended)
            return {0, "the engine is not running"};
        search.number = nextNumber_++;
        started.number = search.number;
        abandonRunningLocked();
        waiting_ = std::move(search);
        pumpLocked();
    }
    wake();
    return started;
}

void UciEngine::stop() {
    {
        std::lock_guard lock(mutex_);
        if (running_ && runningWanted_ && !stopSent_) {
            sendStopLocked();
        } else if (waiting_) {
            waiting_->stopWanted = true;
        }
    }
    wake();
}

void UciEngine::cancel() {
    {
        std::lock_guard lock(mutex_);
        waiting_.reset();
        abandonRunningLocked();
    }
    wake();
}

void UciEngine::quit() {
    {
        std::lock_guard lock(mutex_);
        if (state_ == EngineState::notStarted) state_ = EngineState::ended;
        quitAsked_ = true;
        beginShutdownLocked();
    }
    wake();
}

EngineState UciEngine::state() const {
    std::lock_guard lock(mutex_);
    return state_;
}

EngineOffers UciEngine::offers() const {
    std::lock_guard lock(mutex_);
    return offers_;
}

void UciEngine::wake() {
    if (wakeWrite_ >= 0) {
        const char byte = 1;
        // A full pipe wakes the thread all the same.
        [[maybe_unused]] const ssize_t written = ::write(wakeWrite_, &byte, 1);
    }
}

// Under the mutex

void UciEngine::sendLocked(const std::string& line) {
    outbox_ += line;
    outbox_ += '\n';
}

void UciEngine::sendStopLocked() {
    sendLocked("stop");
    stopSent_ = true;
    // An engine told to stop answers at once; one that does not has hung.
    const auto limit = Clock::now() + timeouts_.stopGrace;
    if (!runDeadline_ || limit < *runDeadline_) runDeadline_ = limit;
}

void UciEngine::pingLocked() {
    sendLocked("isready");
    ++pingsOwed_;
    pingDeadline_ = Clock::now() + timeouts_.ready;
}

// A button is pressed only because it was named: it has no value.
void UciEngine::sendOptionsLocked() {
    for (const auto& [name, value] : pendingOptions_) {
        const UciOption* option = offers_.find(name);
        const bool button = option != nullptr && option->type == UciOptionType::button;
        sendLocked(button ? formatButtonPress(name) : formatSetOption(name, value));
    }
    pendingOptions_.clear();
}

// Sends what waits, in the order the protocol wants it: nothing while a
// bestmove is owed; the new game and the options at once; before the next
// "go", one "isready" for all of them, and the "go" only after its
// "readyok" (an engine may take its time over a new hash table).
void UciEngine::pumpLocked() {
    if (!handshakeDone_ || shutdown_ != Shutdown::none || running_) return;
    if (newGamePending_) sendLocked("ucinewgame");
    unsettled_ = unsettled_ || newGamePending_ || !pendingOptions_.empty();
    newGamePending_ = false;
    sendOptionsLocked();
    if (state_ != EngineState::ready || !waiting_ || pingsOwed_ > 0) return;
    if (unsettled_) {
        unsettled_ = false;
        pingLocked();
        return;
    }

    running_ = std::move(waiting_);
    waiting_.reset();
    sendLocked(running_->positionLine);
    sendLocked(running_->goLine);
    runningWanted_ = true;
    stopSent_ = false;
    goAt_ = Clock::now();
    runDeadline_.reset();
    if (running_->deadline) runDeadline_ = goAt_ + *running_->deadline;
    progress_ = {};
    progressDirty_ = false;
    lastProgress_ = goAt_ - kProgressInterval;
    if (running_->stopWanted) sendStopLocked();
}

// The search under way is no longer wanted: its bestmove, still owed, will
// be dropped when it comes.
void UciEngine::abandonRunningLocked() {
    if (!running_ || !runningWanted_) return;
    runningWanted_ = false;
    progressDirty_ = false;
    if (!stopSent_) sendStopLocked();
}

int UciEngine::concernedSearchLocked() const {
    if (running_ && runningWanted_) return running_->number;
    return waiting_ ? waiting_->number : 0;
}

void UciEngine::failLocked(EngineFaultKind kind, int searchNumber, std::string detail,
                           std::vector<Event>& events, std::string move) {
    if (!lastErrorLine_.empty()) detail += " (its last words: " + lastErrorLine_ + ")";
    EngineFault fault{kind, searchNumber, std::move(move), std::move(detail)};
    events.push_back([callback = events_.failed, fault] {
        if (callback) callback(fault);
    });
    if (kind == EngineFaultKind::illegalMove) return;
    // Every other fault ends the engine, and is the only word about its end.
    faultReported_ = true;
    beginShutdownLocked();
}

void UciEngine::beginShutdownLocked() {
    if (state_ != EngineState::notStarted) state_ = EngineState::ended;
    waiting_.reset();
    runningWanted_ = false;
    progressDirty_ = false;
    if (shutdown_ != Shutdown::none) return;
    // A search under way is stopped first: some engines read nothing else while they think.
    if (running_ && !stopSent_) sendLocked("stop");
    sendLocked("quit");
    shutdown_ = Shutdown::quitSent;
    shutdownStepAt_ = Clock::now() + timeouts_.quitGrace;
}

void UciEngine::flushProgressLocked(std::vector<Event>& events) {
    if (!progressDirty_ || !running_) return;
    progressDirty_ = false;
    const auto now = Clock::now();
    lastProgress_ = now;
    SearchProgress progress{running_->number, progress_,
                            std::chrono::duration_cast<milliseconds>(now - goAt_)};
    events.push_back([callback = events_.progress, progress] {
        if (callback) callback(progress);
    });
}

void UciEngine::handleLineLocked(std::string_view line, std::vector<Event>& events) {
    const UciWords words(line);
    if (words.size() == 0) return;
    const std::string_view first = words[0];
    if (first == "info") {
        if (!running_ || !runningWanted_) return;
        const auto info = parseInfoLine(line);
        // Only the first of several lines is the engine's current choice.
        if (!info || (info->multiPv && *info->multiPv != 1)) return;
        mergeInfo(progress_, *info);
        progressDirty_ = true;
        if (Clock::now() - lastProgress_ >= kProgressInterval) flushProgressLocked(events);
    } else if (first == "bestmove") {
        handleBestMoveLocked(line, events);
    } else if (state_ == EngineState::starting && !handshakeDone_) {
        if (first == "id" && words.size() > 2 && words[1] == "name") {
            offers_.name = std::string(words.span(2, words.size()));
        } else if (first == "id" && words.size() > 2 && words[1] == "author") {
            offers_.author = std::string(words.span(2, words.size()));
        } else if (first == "option") {
            if (auto option = parseOptionLine(line)) offers_.options.push_back(std::move(*option));
        } else if (first == "uciok") {
            handshakeDone_ = true;
            readStrengthOffers(offers_);
            sendOptionsLocked();
            pingLocked();
        }
    } else if (first == "readyok") {
        if (pingsOwed_ == 0) return;
        if (--pingsOwed_ > 0) return;
        if (state_ == EngineState::starting) {
            state_ = EngineState::ready;
            events.push_back([callback = events_.ready, offers = offers_] {
                if (callback) callback(offers);
            });
        }
        pumpLocked();
    }
    // Anything else is no part of the dialogue: read and dropped.
}

void UciEngine::handleBestMoveLocked(std::string_view line, std::vector<Event>& events) {
    // Nobody waits for it (GNU Chess answers a stop even when idle): dropped.
    if (!running_) return;
    const bool wanted = runningWanted_;
    if (wanted) flushProgressLocked(events);
    const Search search = std::move(*running_);
    running_.reset();
    runDeadline_.reset();
    runningWanted_ = false;
    if (wanted) {
        const auto best = parseBestMove(line);
        const std::string move = best ? lowered(best->move) : std::string();
        if (!best) {
            failLocked(EngineFaultKind::illegalMove, search.number, "a bestmove without a move", events);
        } else if (std::find(search.legalMoves.begin(), search.legalMoves.end(), move) ==
                   search.legalMoves.end()) {
            failLocked(EngineFaultKind::illegalMove, search.number,
                       "bestmove '" + printable(best->move) + "' is no legal move after '" +
                           printable(search.positionLine, 200) + "'",
                       events, printable(best->move));
        } else {
            const auto now = Clock::now();
            SearchAnswer answer{search.number, move, best->ponder, progress_,
                                std::chrono::duration_cast<milliseconds>(now - goAt_)};
            events.push_back([callback = events_.answered, answer = std::move(answer)] {
                if (callback) callback(answer);
            });
        }
    }
    pumpLocked();
}

// The engine's thread

void UciEngine::run() {
    // A write to an engine that has died must give an error, not end Quorvel.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);

    std::vector<Event> events;
    bool spawnWanted;
    {
        std::lock_guard lock(mutex_);
        spawnWanted = !quitAsked_;
    }
    if (spawnWanted) {
        auto spawned = EngineProcess::spawn(command_);
        std::lock_guard lock(mutex_);
        if (auto* problem = std::get_if<std::string>(&spawned)) {
            failLocked(EngineFaultKind::notAnswering, concernedSearchLocked(), *problem, events);
        } else {
            process_ = std::move(std::get<std::unique_ptr<EngineProcess>>(spawned));
            // The quit asked meanwhile is already waiting to go.
            if (!quitAsked_) {
                outbox_.insert(0, "uci\n");
                handshakeDeadline_ = Clock::now() + timeouts_.handshake;
            }
        }
    }
    for (Event& event : events) event();
    if (process_) serve();
    {
        std::lock_guard lock(mutex_);
        state_ = EngineState::ended;
    }
    process_.reset();
    if (events_.ended) events_.ended();
}

void UciEngine::serve() {
    while (true) {
        std::vector<Event> events;
        bool writeWanted = false, endingWanted = false;
        int timeout = 0;
        {
            std::lock_guard lock(mutex_);
            const auto now = Clock::now();
            checkTimesLocked(now, events);
            writeWanted = !outbox_.empty() && process_->inputFd() >= 0;
            endingWanted = shutdown_ != Shutdown::none;
            const auto wait = std::chrono::ceil<milliseconds>(nextWakeLocked(now) - now);
            timeout = static_cast<int>(std::clamp<long long>(wait.count(), 0, 3600 * 1000));
        }
        for (Event& event : events) event();
        events.clear();
        if (process_->reaped()) return;

        enum { kWake, kOutput, kErrors, kExit, kInput, kCount };
        pollfd fds[kCount] = {};
        fds[kWake] = {wakeRead_, POLLIN, 0};
        fds[kOutput] = {process_->outputFd(), POLLIN, 0};
        fds[kErrors] = {process_->errorFd(), POLLIN, 0};
        fds[kExit] = {process_->exitFd(), POLLIN, 0};
        fds[kInput] = {writeWanted ? process_->inputFd() : -1, POLLOUT, 0};
        // Negative descriptors are skipped by poll.
        if (::poll(fds, kCount, timeout) < 0 && errno != EINTR) return;

        if (fds[kWake].revents != 0) {
            char drain[64];
            while (::read(wakeRead_, drain, sizeof drain) > 0) {
            }
        }
        if (fds[kOutput].revents != 0) readOutput(events);
        if (fds[kErrors].revents != 0) readErrors();
        if (fds[kInput].revents != 0) writeInput();
        const bool exitSeen = fds[kExit].revents != 0;
        // Without a descriptor to wait on, the end is asked for once it is likely.
        const bool exitLikely = process_->exitFd() < 0 && (outputClosed_ || endingWanted);
        if (exitSeen || exitLikely) {
            if (const auto how = process_->reapIfEnded()) {
                // What it wrote before it ended is read first: its last bestmove counts.
                while (process_->outputFd() >= 0 && readOutput(events)) {
                }
                std::lock_guard lock(mutex_);
                processEndedLocked(*how, events);
            }
        }
        for (Event& event : events) event();
    }
}

UciEngine::Clock::time_point UciEngine::nextWakeLocked(Clock::time_point now) const {
    auto next = now + std::chrono::hours(1);
    auto consider = [&](Clock::time_point at) { next = std::min(next, at); };
    if (state_ == EngineState::starting && !handshakeDone_ && shutdown_ == Shutdown::none)
        consider(handshakeDeadline_);
    if (pingsOwed_ > 0 && shutdown_ == Shutdown::none) consider(pingDeadline_);
    if (runDeadline_ && shutdown_ == Shutdown::none) consider(*runDeadline_);
    if (progressDirty_) consider(lastProgress_ + kProgressInterval);
    if (outputClosed_ && shutdown_ == Shutdown::none) consider(outputClosedAt_ + kOutputClosedGrace);
    if (shutdown_ != Shutdown::none) consider(shutdownStepAt_);
    if (process_->exitFd() < 0 && (outputClosed_ || shutdown_ != Shutdown::none))
        consider(now + kExitCheckInterval);
    return next;
}

void UciEngine::checkTimesLocked(Clock::time_point now, std::vector<Event>& events) {
    if (shutdown_ == Shutdown::none) {
        if (state_ == EngineState::starting && !handshakeDone_ && now >= handshakeDeadline_) {
            failLocked(EngineFaultKind::notAnswering, concernedSearchLocked(),
                       "no uciok within " + seconds(timeouts_.handshake), events);
        } else if (pingsOwed_ > 0 && now >= pingDeadline_) {
            failLocked(EngineFaultKind::notAnswering, concernedSearchLocked(),
                       "no readyok within " + seconds(timeouts_.ready), events);
        } else if (runDeadline_ && now >= *runDeadline_) {
            const int number = running_ && runningWanted_ ? running_->number : concernedSearchLocked();
            failLocked(EngineFaultKind::timeout, number,
                       "no bestmove within " +
                           seconds(std::chrono::duration_cast<milliseconds>(now - goAt_)) + " of '" +
                           running_->goLine + "'",
                       events);
        } else if (outputClosed_ && now >= outputClosedAt_ + kOutputClosedGrace) {
            failLocked(EngineFaultKind::stopped, concernedSearchLocked(), "it closed its output", events);
        }
    }
    if (progressDirty_ && now >= lastProgress_ + kProgressInterval) flushProgressLocked(events);

    if (shutdown_ == Shutdown::none || process_->reaped()) return;
    // "quit" has been written: the end of its input says the same to an
    // engine that reads no more commands.
    if (outbox_.empty()) process_->closeInput();
    if (now < shutdownStepAt_) return;
    if (shutdown_ == Shutdown::quitSent) {
        // A stopped (paused) process ignores SIGTERM until it is continued.
        process_->signal(SIGCONT);
        process_->signal(SIGTERM);
        shutdown_ = Shutdown::termSent;
        shutdownStepAt_ = now + timeouts_.termGrace;
    } else {
        processEndedLocked(process_->killAndReap(), events);
    }
}

void UciEngine::processEndedLocked(const std::string& how, std::vector<Event>& events) {
    if (!quitAsked_ && !faultReported_) {
        // An end during the handshake is a program that does not answer.
        const bool starting = state_ == EngineState::starting;
        failLocked(starting ? EngineFaultKind::notAnswering : EngineFaultKind::stopped,
                   concernedSearchLocked(), "the process ended: " + how, events);
    }
    faultReported_ = true;
    state_ = EngineState::ended;
    running_.reset();
    waiting_.reset();
    runDeadline_.reset();
    outbox_.clear();
    if (shutdown_ == Shutdown::none) shutdown_ = Shutdown::termSent;
}

bool UciEngine::readOutput(std::vector<Event>& events) {
    char buffer[64 * 1024];
    // A few reads at a time: a flood of lines must not keep the deadlines,
    // the writes and the error stream waiting.
    for (int round = 0; round < 4; ++round) {
        const ssize_t n = ::read(process_->outputFd(), buffer, sizeof buffer);
        if (n > 0) {
            std::lock_guard lock(mutex_);
            output_.feed({buffer, static_cast<std::size_t>(n)},
                         [&](std::string_view line) { handleLineLocked(line, events); });
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) return false;
        // The end of its output: the engine can say nothing more.
        {
            std::lock_guard lock(mutex_);
            output_.finish([&](std::string_view line) { handleLineLocked(line, events); });
        }
        process_->closeOutput();
        outputClosed_ = true;
        outputClosedAt_ = Clock::now();
        return false;
    }
    return true;
}

void UciEngine::readErrors() {
    char buffer[16 * 1024];
    for (int round = 0; round < 4; ++round) {
        const ssize_t n = ::read(process_->errorFd(), buffer, sizeof buffer);
        if (n > 0) {
            std::lock_guard lock(mutex_);
            errors_.feed({buffer, static_cast<std::size_t>(n)}, [&](std::string_view line) {
                if (line.find_first_not_of(" \t") != std::string_view::npos)
                    lastErrorLine_ = printable(line, 200);
            });
            continue;
        }
        if (n < 0 && (errno == EINTR)) continue;
        if (n == 0 || errno != EAGAIN) process_->closeErrors();
        return;
    }
}

void UciEngine::writeInput() {
    std::lock_guard lock(mutex_);
    while (!outbox_.empty() && process_->inputFd() >= 0) {
        const ssize_t n = ::write(process_->inputFd(), outbox_.data(), outbox_.size());
        if (n > 0) {
            outbox_.erase(0, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            return;
        } else {
            // It reads no more (it has ended, or closed its input): its end is noticed by itself.
            outbox_.clear();
            process_->closeInput();
        }
    }
}

}  // namespace quorvel
