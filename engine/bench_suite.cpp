#include "engine/bench_suite.h"

#include <chrono>
#include <memory>
#include <variant>

#include "engine/search_driver.h"
#include "rules/fen.h"
#include "rules/uci_move.h"

namespace quorvel {

std::vector<BenchResult> runBench(std::span<const BenchPosition> positions, int depth, ExpandFn expand) {
    EngineOptions options;
    options.maxDepthMain = static_cast<std::int8_t>(depth);
    options.maxDepthSecondary = 3;
    // One driver for the suite, as the window keeps one for the game.
    SearchStatus status;
    SearchDriver driver(status);
    driver.setExpansion(expand);
    std::vector<BenchResult> results;
    for (const BenchPosition& position : positions) {
        const auto parsed = parseFen(position.fen, FenOrientation::sideToMoveUpper);
        const FenSetup* setup = std::get_if<FenSetup>(&parsed);
        if (setup == nullptr) continue;
        auto record = std::make_unique<GameRecord>(setup->record);
        const int plyBefore = record->plyCount;
        status.prepareSearchWithoutWindow();
        const auto start = std::chrono::steady_clock::now();
        driver.start(*record, options, false);
        driver.wait();
        BenchResult result;
        result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        result.name = position.name;
        result.nodes = status.nodesCreated.load();
        result.move = "(none)";
        if (record->plyCount > plyBefore) {
            result.move = uciMoveOfRecorded(setup->record.current,
                                            record->moves[static_cast<std::size_t>(record->plyCount - 1)],
                                            record->playerIsBlack);
        }
        results.push_back(result);
    }
    return results;
}

}  // namespace quorvel
