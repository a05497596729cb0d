// quorvel-cli selfplay: the computer plays both sides for a few moves through
// the game's own search driver, arena and opening book, with the game's time
// limits and memory budget, and prints the process's resident memory after
// each move: what the program holds while the human thinks.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <variant>

#include "cli_commands.h"
#include "cli_ticker.h"
#include "engine/opening_book.h"
#include "engine/search_driver.h"
#include "rules/fen.h"
#include "rules/game_end.h"
#include "rules/game_outcome.h"
#include "rules/notation.h"

namespace quorvel::cli {

namespace {

// A field of /proc/self/status in mebibytes ("VmRSS:", "VmHWM:"); -1 when
// the system does not report it.
double statusMebibytes(const std::string& field) {
    std::ifstream in("/proc/self/status");
    std::string key;
    while (in >> key) {
        if (key == field) {
            long kilobytes = 0;
            in >> kilobytes;
            return kilobytes / 1024.0;
        }
        in.ignore(1 << 16, '\n');
    }
    return -1;
}

struct SelfPlayRequest {
    std::string fen = kStartFen;
    int moves = 6;
    TimeLimits limits;
    EngineOptions options;
    std::string bookPath;
};

std::variant<SelfPlayRequest, std::string> parseSelfPlayArgs(const Args& args) {
    SelfPlayRequest request;
    std::string fen;
    bool fenGiven = false;  // an empty word is an empty FEN, not the start position
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--moves" || a == "--main-time" || a == "--secondary-time" || a == "--depth") {
            const int high = a == "--depth" ? 10 : a == "--moves" ? GameRecord::kCapacity : 100000;
            const auto number = hasValue ? wholeNumber(args[i + 1], 1, high) : std::nullopt;
            if (!number) return "bad or missing value for " + a;
            const int value = *number;
            ++i;
            if (a == "--moves") request.moves = value;
            if (a == "--main-time") request.limits.mainTimeLimit = value;
            if (a == "--secondary-time") request.limits.secondaryTimeLimit = value;
            if (a == "--depth") request.options.maxDepthMain = static_cast<std::int8_t>(value);
        } else if (a == "--book") {
            if (!hasValue) return std::string("--book needs a file");
            request.bookPath = args[++i];
        } else if (a.rfind("--", 0) == 0) {
            return "unknown option '" + a + "'";
        } else {
            if (fenGiven) fen += ' ';
            fen += a;
            fenGiven = true;
        }
    }
    if (fenGiven) request.fen = fen;
    return request;
}

// Mate, stalemate, the draws of the rules or a full record end the game, as
// they end the window's game of the computer against itself.
bool gameOver(const GameRecord& record) {
    return gameResult(record) != GameResult::ongoing || isRepetition(record, record.plyCount - 1);
}

}  // namespace

int runSelfPlay(const Args& args) {
    const auto parsed = parseSelfPlayArgs(args);
    if (const auto* message = std::get_if<std::string>(&parsed)) return usageError(*message);
    const SelfPlayRequest& request = std::get<SelfPlayRequest>(parsed);
    const auto fen = parseLegalFen(request.fen, FenOrientation::sideToMoveUpper);
    if (const auto* error = std::get_if<FenError>(&fen)) return usageError("bad FEN: " + error->message);
    OpeningBook book;
    if (!request.bookPath.empty() && book.load(request.bookPath) == OpeningBook::LoadStatus::missing) {
        return usageError("cannot read the book '" + request.bookPath + "'");
    }
    auto record = std::make_unique<GameRecord>(std::get<FenSetup>(fen).record);
    SearchStatus status;
    SearchDriver driver(status);
    driver.setOpeningBook(request.bookPath.empty() ? nullptr : &book);
    std::atomic<bool> secondaryBegun{false};
    SearchHooks hooks;
    hooks.secondaryPhaseStarted = [&] { secondaryBegun.store(true); };
    driver.setHooks(hooks);
    std::printf("before the first move: resident %.0f MB\n", statusMebibytes("VmRSS:"));
    for (int move = 1; move <= request.moves && !gameOver(*record); ++move) {
        // As the window does for each move of the computer against itself.
        status.bookPlay.store(!request.bookPath.empty());
        status.prepareSearchWithoutWindow();
        secondaryBegun.store(false);
        const auto start = std::chrono::steady_clock::now();
        {
            Ticker ticker(status, request.limits, 0, std::nullopt, secondaryBegun);
            driver.start(*record, request.options, true);
            driver.wait();
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const SearchOutcome outcome = driver.lastOutcome();
        if (!outcome.movePlayed) break;
        const MoveText& played = record->moves[static_cast<std::size_t>(record->plyCount - 1)];
        const double atOnce = statusMebibytes("VmRSS:");
        // The freed tree goes back to the system in the background while the
        // move is shown; a second later the human is thinking.
        std::this_thread::sleep_for(std::chrono::seconds(1));
        std::printf(
            "move %d %-6s %s nodes %10u %5.1f s  peak %5.0f MB  resident %5.0f MB, 1 s later %4.0f MB\n",
            move, longAlgebraic(played, record->playerIsBlack).c_str(),
            outcome.fromBook ? "book  " : "search", outcome.fromBook ? 0u : status.nodesCreated.load(),
            seconds, statusMebibytes("VmHWM:"), atOnce, statusMebibytes("VmRSS:"));
        std::fflush(stdout);
        // The other side's turn: it becomes the upper side, the computer's.
        holdLiveBoardFor(*record, !record->playerIsBlack);
    }
    return 0;
}

}  // namespace quorvel::cli
