// libFuzzer target: any bytes as a PGN file, each game imported; what is
// imported is exported and read back to the same record.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "storage/game_file.h"
#include "storage/pgn_export.h"
#include "storage/pgn_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const auto games = readPgnGames(std::string(reinterpret_cast<const char*>(data), size));
    for (std::size_t g = 0; g < games.size(); ++g) {
        auto record = std::make_unique<GameRecord>();
        if (importPgnGame(games[g], static_cast<int>(g) + 1, *record)) continue;
        const auto text = exportPgn(*record, PgnExportOptions{});
        if (!std::holds_alternative<std::string>(text)) std::abort();
        const auto again = readPgnGames(std::get<std::string>(text));
        auto back = std::make_unique<GameRecord>();
        if (again.size() != 1 || importPgnGame(again[0], 1, *back)) std::abort();
        if (gameFileBytes(*back) != gameFileBytes(*record)) std::abort();
    }
    return 0;
}
