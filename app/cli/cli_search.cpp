// quorvel-cli search: the engine run on its own thread, the way
// the window runs it, with a ticker of our own doing the clock's per-second
// accounting.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <optional>
#include <variant>

#include "cli_commands.h"
#include "cli_ticker.h"
#include "engine/opening_book.h"
#include "engine/search_driver.h"
#include "engine/system_memory.h"
#include "rules/fen.h"
#include "rules/uci_move.h"
#include "storage/data_files.h"

namespace quorvel::cli {

namespace {

struct SearchRequest {
    std::string fen = kStartFen;
    EngineOptions options;
    TimeLimits limits;
    bool thinking = false;
    std::string bookPath;
    bool findBook = false;  // --book without a file
    int stopAt = 0;         // second at which the stop button is first pressed (0: never)
    // Milliseconds between the first and the second press (0: both at once);
    // unset, the second press waits for the secondary phase.
    std::optional<int> secondPressAfter;
};

struct ParseFailure {
    std::string message;
};

// One numeric option: `name VALUE` within [low, high].
std::optional<ParseFailure> takeNumber(const Args& args, std::size_t& i, int low, int high, int& out) {
    if (i + 1 >= args.size()) return ParseFailure{args[i] + " needs a value"};
    const auto value = wholeNumber(args[i + 1], low, high);
    if (!value) {
        return ParseFailure{"bad value '" + args[i + 1] + "' for " + args[i] + " (" + std::to_string(low) +
                            ".." + std::to_string(high) + ")"};
    }
    out = *value;
    ++i;
    return std::nullopt;
}

std::variant<SearchRequest, ParseFailure> parseSearchArgs(const Args& args) {
    SearchRequest request;
    std::string fen;
    bool fenGiven = false;  // an empty word is an empty FEN, not the start position
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        int value = 0;
        std::optional<ParseFailure> failure;
        if (a == "--main-time") {
            failure = takeNumber(args, i, 1, 100000, request.limits.mainTimeLimit);
        } else if (a == "--secondary-time") {
            failure = takeNumber(args, i, 1, 100000, request.limits.secondaryTimeLimit);
        } else if (a == "--depth") {
            if (!(failure = takeNumber(args, i, 1, 10, value)))
                request.options.maxDepthMain = static_cast<std::int8_t>(value);
        } else if (a == "--secondary-depth") {
            if (!(failure = takeNumber(args, i, 0, 10, value))) {
                request.options.maxDepthSecondary = static_cast<std::int8_t>(value);
            }
        } else if (a == "--tolerance") {
            failure = takeNumber(args, i, 0, 1000, request.options.alphaBetaTolerance);
        } else if (a == "--min-sons") {
            failure = takeNumber(args, i, 1, 100, request.options.minSons);
        } else if (a == "--no-horizon") {
            request.options.horizonReduction = false;
        } else if (a == "--no-sorting") {
            request.options.alphaBetaSorting = false;
        } else if (a == "--stop-at") {
            failure = takeNumber(args, i, 1, 100000, request.stopAt);
        } else if (a == "--second-press-after") {
            if (!(failure = takeNumber(args, i, 0, 100000, value))) request.secondPressAfter = value;
        } else if (a == "--thinking") {
            request.thinking = true;
        } else if (a == "--book") {
            // Without a file (the last word, or an option next) the book is
            // the one the game reads.
            if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
                request.bookPath = args[++i];
            } else {
                request.findBook = true;
            }
        } else if (a.rfind("--", 0) == 0) {
            return ParseFailure{"unknown option '" + a + "'"};
        } else {
            if (fenGiven) fen += ' ';
            fen += a;
            fenGiven = true;
        }
        if (failure) return *failure;
    }
    if (fenGiven) request.fen = fen;
    return request;
}

// The move the computer recorded, in the notation engines print.
std::string bestMove(const GameRecord& before, const GameRecord& after) {
    if (after.plyCount <= before.plyCount) return "(none)";
    return uciMoveOfRecorded(before.current, after.moves[static_cast<std::size_t>(after.plyCount - 1)],
                             after.playerIsBlack);
}

struct RunResult {
    std::uint32_t nodes = 0;
    double seconds = 0;
    std::optional<double> afterStop;          // seconds from the clock's stop to the end
    std::optional<double> recordedAfterStop;  // ... to the move being recorded
    std::optional<double> secondaryBegan;     // seconds from the start to the secondary phase
    std::optional<double> stoppedAt;          // ... to the clock's stop
};

// Runs one search on `record` and waits for its thread to end.
RunResult runOnce(GameRecord& record, const SearchRequest& request, SearchStatus& status,
                  const OpeningBook* book) {
    SearchDriver driver(status);
    driver.setOpeningBook(book);
    SearchHooks hooks;
    std::chrono::steady_clock::time_point recordedAt{};
    std::chrono::steady_clock::time_point secondaryAt{};
    std::atomic<bool> secondaryBegun{false};
    hooks.moveRecorded = [&] { recordedAt = std::chrono::steady_clock::now(); };
    hooks.secondaryPhaseStarted = [&] {
        secondaryAt = std::chrono::steady_clock::now();
        secondaryBegun.store(true);
    };
    driver.setHooks(hooks);
    status.prepareSearchWithoutWindow();
    const auto start = std::chrono::steady_clock::now();
    Ticker ticker(status, request.limits, request.stopAt, request.secondPressAfter, secondaryBegun);
    driver.start(record, request.options, false);
    driver.wait();
    const auto end = std::chrono::steady_clock::now();
    ticker.finish();
    RunResult result;
    auto since = [&](std::chrono::steady_clock::time_point t) {
        return std::chrono::duration<double>(t - start).count();
    };
    if (secondaryAt != std::chrono::steady_clock::time_point{}) result.secondaryBegan = since(secondaryAt);
    if (ticker.stoppedAt) {
        result.stoppedAt = since(*ticker.stoppedAt);
        result.afterStop = std::chrono::duration<double>(end - *ticker.stoppedAt).count();
        if (recordedAt != std::chrono::steady_clock::time_point{}) {
            result.recordedAfterStop = std::chrono::duration<double>(recordedAt - *ticker.stoppedAt).count();
        }
    }
    result.seconds = since(std::chrono::steady_clock::now());
    result.nodes = status.nodesCreated.load();
    return result;
}

}  // namespace

int runSearch(const Args& args) {
    const auto parsed = parseSearchArgs(args);
    if (const auto* failure = std::get_if<ParseFailure>(&parsed)) return usageError(failure->message);
    SearchRequest request = std::get<SearchRequest>(parsed);
    if (request.findBook) {
        const DataFolders folders = defaultDataFolders();
        request.bookPath = findDataFile(kBookFileName, folders, UserCopy::allowed);
        if (request.bookPath.empty()) {
            std::string places;
            for (const std::string& place : dataFileCandidates(kBookFileName, folders, UserCopy::allowed))
                places += (places.empty() ? "" : ", ") + place;
            return usageError("no opening book found (looked for " + places + ")");
        }
    }
    const auto fen = parseLegalFen(request.fen, FenOrientation::sideToMoveUpper);
    if (const auto* error = std::get_if<FenError>(&fen)) return usageError("bad FEN: " + error->message);
    const FenSetup& setup = std::get<FenSetup>(fen);
    OpeningBook book;
    if (!request.bookPath.empty() && book.load(request.bookPath) == OpeningBook::LoadStatus::missing) {
        return usageError("cannot read the book '" + request.bookPath + "'");
    }
    auto record = std::make_unique<GameRecord>(setup.record);
    const GameRecord before = *record;
    SearchStatus status;
    status.showThinking.store(request.thinking);
    status.bookPlay.store(!request.bookPath.empty());
    const RunResult result = runOnce(*record, request, status, request.bookPath.empty() ? nullptr : &book);
    // The report's CR LF line ends become plain ones on the terminal.
    std::string report;
    for (const char c : status.statusText()) {
        if (c != '\r') report += c;
    }
    std::cout << report << (report.empty() || report.back() == '\n' ? "" : "\n");
    const double nps = result.seconds > 0 ? result.nodes / result.seconds : 0;
    std::printf("nodes %u\nseconds %.2f\nnodes per second %.0f\n", result.nodes, result.seconds, nps);
    if (result.secondaryBegan)
        std::printf("secondary phase began %.3f s after the start\n", *result.secondaryBegan);
    if (result.stoppedAt) std::printf("stopped %.3f s after the start\n", *result.stoppedAt);
    if (result.recordedAfterStop)
        std::printf("move recorded %.3f s after the stop\n", *result.recordedAfterStop);
    if (result.afterStop) std::printf("search ended %.3f s after the stop\n", *result.afterStop);
    std::cout << "bestmove " << bestMove(before, *record) << '\n';
    return 0;
}

}  // namespace quorvel::cli
