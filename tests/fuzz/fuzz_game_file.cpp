// libFuzzer target: any bytes as a game file. A refused file must leave the
// game exactly as it was; an accepted one must hold a playable record.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "rules/move_application.h"
#include "storage/game_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    static const auto start = [] {
        auto record = std::make_unique<GameRecord>();
        newGame(*record);
        record->whiteClock = 77;
        return record;
    }();
    auto record = std::make_unique<GameRecord>(*start);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (readGameBytes(bytes, *record) != GameFileError::none) {
        if (gameFileBytes(*record) != gameFileBytes(*start) || !(record->current == start->current))
            std::abort();
        return 0;
    }
    if (record->plyCount < 0 || record->plyCount > GameRecord::kCapacity ||
        record->recordLength != record->plyCount)
        std::abort();
    // What was accepted is written back the same way, and reads again.
    auto again = std::make_unique<GameRecord>(*start);
    if (readGameBytes(gameFileBytes(*record), *again) != GameFileError::none) std::abort();
    return 0;
}
