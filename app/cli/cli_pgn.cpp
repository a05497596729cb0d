// quorvel-cli pgn and ech: a saved game as PGN, and a PGN game as a saved
// game, through the same code as the window's export and import.

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

#include "cli_commands.h"
#include "storage/game_file.h"
#include "storage/pgn_export.h"
#include "storage/pgn_import.h"

namespace quorvel::cli {

std::string today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y.%m.%d", &local);
    return text;
}

std::string loginName() {
    for (const char* variable : {"USER", "LOGNAME"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != 0) return value;
    }
    return "Joueur";
}

int runPgn(const Args& args) {
    if (args.size() != 1) return usageError("pgn needs one game file");
    const auto record = loadGameFile(args[0]);
    if (!record) return 2;
    PgnExportOptions options;
    options.date = today();
    options.humanName = loginName();
    // A saved game without moves does not say who played: the player has White.
    options.fallbackRoles = {record->playerIsBlack, !record->playerIsBlack};
    const auto text = exportPgn(*record, options);
    if (const auto* error = std::get_if<PgnExportError>(&text))
        return usageError(args[0] + ": " + error->message);
    std::cout << std::get<std::string>(text);
    return 0;
}

int runEch(const Args& args) {
    std::vector<std::string> files;
    int number = 1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--game") {
            const auto value = i + 1 < args.size() ? wholeNumber(args[i + 1], 1, 1000000) : std::nullopt;
            if (!value) return usageError("--game needs a game number from 1");
            number = *value;
            ++i;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) return usageError("ech needs a PGN file and the game file to write");
    // A pipe would keep the reader waiting for a writer.
    std::error_code error;
    const auto status = std::filesystem::status(files[0], error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return usageError(files[0] + ": not a file (a folder, a pipe or a device)");
    std::ifstream in(files[0], std::ios::binary);
    if (!in) return usageError(files[0] + ": cannot read the file");
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::vector<PgnGameText> games = readPgnGames(bytes);
    if (games.empty()) return usageError(files[0] + ": aucune partie dans ce fichier");
    if (number > static_cast<int>(games.size()))
        return usageError(files[0] + ": le fichier n'a que " + std::to_string(games.size()) + " partie(s)");
    auto record = std::make_unique<GameRecord>();
    if (const auto error = importPgnGame(games[static_cast<std::size_t>(number - 1)], number, *record))
        return usageError(files[0] + ": " + error->message);
    if (!writeGameFile(files[1], *record)) return usageError(files[1] + ": cannot write the file");
    return 0;
}

}  // namespace quorvel::cli
