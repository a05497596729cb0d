// quorvel-cli review: a game judged by an analyst, move by move, with the
// same code as the window's "Analyser la partie": the reviewed game as PGN
// on standard output (marks as glyphs, scores as [%eval] comments), a
// summary per side on standard error.

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

#include "cli_commands.h"
#include "coach/review_run.h"
#include "engine/system_memory.h"
#include "storage/pgn_export.h"
#include "storage/pgn_import.h"
#include "uci/analyst_choice.h"
#include "uci/known_engines.h"

namespace quorvel::cli {

namespace {

struct ReviewArgs {
    std::string file;
    std::string analyst;  // empty: Quorvel's own engine
    int moveTimeMs = 1000;
    std::optional<int> game;
};

// The arguments, or the line that says what is wrong with them.
std::variant<ReviewArgs, std::string> readArgs(const Args& args) {
    ReviewArgs read;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool valued = word == "--analyst" || word == "--movetime" || word == "--game";
        if (valued && i + 1 >= args.size()) return word + " needs a value";
        if (word == "--analyst") {
            read.analyst = args[++i];
        } else if (word == "--movetime") {
            const auto value = wholeNumber(args[++i], 10, 600000);
            if (!value) return "--movetime needs milliseconds from 10 to 600000";
            read.moveTimeMs = *value;
        } else if (word == "--game") {
            const auto value = wholeNumber(args[++i], 1, 1000000);
            if (!value) return "--game needs a game number from 1";
            read.game = *value;
        } else if (word.size() > 1 && word[0] == '-') {
            return "unknown option '" + word + "'";
        } else {
            files.push_back(word);
        }
    }
    if (files.size() != 1) return "review needs one game file (.ech or .pgn)";
    read.file = files[0];
    return read;
}

bool isPgnFile(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".pgn";
}

struct LoadedGame {
    std::unique_ptr<GameRecord> record;
    std::vector<PgnTag> tags;  // a PGN game's own tags
    std::string result;
};

// The game to review; nullopt once one line has said why it can't be read.
std::optional<LoadedGame> loadGame(const ReviewArgs& args) {
    LoadedGame loaded;
    if (!isPgnFile(args.file)) {
        if (args.game) {
            usageError("--game chooses among the games of a PGN file");
            return std::nullopt;
        }
        loaded.record = loadGameFile(args.file);
        if (!loaded.record) return std::nullopt;
        return loaded;
    }
    // A pipe would keep the reader waiting for a writer.
    std::error_code error;
    const auto status = std::filesystem::status(args.file, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        usageError(args.file + ": not a file (a folder, a pipe or a device)");
        return std::nullopt;
    }
    std::ifstream in(args.file, std::ios::binary);
    if (!in) {
        usageError(args.file + ": cannot read the file");
        return std::nullopt;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::vector<PgnGameText> games = readPgnGames(bytes);
    const int number = args.game.value_or(1);
    if (games.empty()) {
        usageError(args.file + ": aucune partie dans ce fichier");
        return std::nullopt;
    }
    if (number > static_cast<int>(games.size())) {
        usageError(args.file + ": le fichier n'a que " + std::to_string(games.size()) + " partie(s)");
        return std::nullopt;
    }
    const PgnGameText& game = games[static_cast<std::size_t>(number - 1)];
    loaded.record = std::make_unique<GameRecord>();
    if (const auto problem = importPgnGame(game, number, *loaded.record)) {
        usageError(args.file + ": " + problem->message);
        return std::nullopt;
    }
    loaded.tags = game.tags;
    loaded.result = game.result;
    return loaded;
}

std::string pawns(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

void printSummary(const GameReview& review) {
    std::cerr << "Analyst: " << review.analyst << ", " << review.moveTimeMs << " ms per position"
              << (review.complete ? "" : " (some positions could not be scored)") << '\n';
    for (const auto& [side, summary] : {std::pair{"White", review.white}, std::pair{"Black", review.black}}) {
        std::cerr << side << ": " << counted(summary.inaccuracies, "inaccuracy", "inaccuracies") << ", "
                  << counted(summary.mistakes, "mistake", "mistakes") << ", "
                  << counted(summary.blunders, "blunder", "blunders") << ", average loss "
                  << pawns(summary.averageLoss()) << " pawns per move\n";
    }
}

}  // namespace

int runReview(const Args& args) {
    const auto read = readArgs(args);
    if (const auto* problem = std::get_if<std::string>(&read)) return usageError(*problem);
    const ReviewArgs& options = std::get<ReviewArgs>(read);
    // An engine that is not there is said before anything is read.
    const std::string choice = options.analyst.empty() ? std::string(kOwnAnalyst) : options.analyst;
    if (choice != kOwnAnalyst) {
        const auto command = parseEngineCommand(choice);
        if (!command || !findProgram(command->program))
            return usageError("--analyst: cannot find the engine '" + choice + "'");
    }
    auto game = loadGame(options);
    if (!game) return 2;
    const GameRecord& record = *game->record;
    std::vector<ReviewPosition> positions = reviewPositions(record);
    if (positions.empty())
        return usageError(options.file + ": damaged: a move does not lead from its board to the next");
    if (positions.size() < 2) return usageError(options.file + ": the game has no move to review");

    const auto analyst = makeAnalyst(choice, totalPhysicalMemory());
    const bool terminal = isatty(STDERR_FILENO) != 0;
    const GameReview review = reviewToEnd(
        *analyst, std::move(positions), std::chrono::milliseconds(options.moveTimeMs),
        [terminal](const ReviewProgress& progress) {
            if (terminal)
                std::cerr << "\rposition " << progress.done << " of " << progress.total << std::flush;
        });
    if (terminal) std::cerr << '\r' << std::string(30, ' ') << '\r';
    if (!review.problem.empty() && !review.scored) return usageError("--analyst: " + review.problem);

    PgnExportOptions exportOptions;
    exportOptions.date = today();
    exportOptions.humanName = loginName();
    exportOptions.notes = pgnNotesOf(review);
    exportOptions.annotator = review.analyst;
    exportOptions.sourceTags = game->tags;
    exportOptions.sourceResult = game->result;
    // A saved game without moves does not say who played: the player has White.
    exportOptions.fallbackRoles = {record.playerIsBlack, !record.playerIsBlack};
    // The whole game, also when it was saved stepped back.
    auto whole = std::make_unique<GameRecord>(record);
    whole->plyCount = whole->recordLength;
    const auto text = exportPgn(*whole, exportOptions);
    if (const auto* error = std::get_if<PgnExportError>(&text))
        return usageError(options.file + ": " + error->message);
    std::cout << std::get<std::string>(text);
    printSummary(review);
    return 0;
}

}  // namespace quorvel::cli
