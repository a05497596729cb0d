#include <iostream>
#include <memory>
#include <sstream>

#include "cli_commands.h"
#include "rules/fen.h"
#include "rules/record_positions.h"
#include "storage/game_file.h"

namespace quorvel::cli {

namespace {

std::string gameFileProblem(GameFileError error) {
    switch (error) {
        case GameFileError::cannotOpen:
            return "cannot open the file";
        case GameFileError::notAFile:
            return "not a file (a folder, a pipe or a device)";
        case GameFileError::badCount:
            return "damaged: the half-move count is not a number from 0 to 300";
        case GameFileError::wrongSize:
            return "damaged: the size is not 24 bytes plus 89 per half-move of its count";
        case GameFileError::badContent:
            return "damaged: a move text, a board or a clock is not a game's";
        case GameFileError::movesDisagree:
            return "damaged: a move does not lead from its board to the next";
        case GameFileError::none:
            break;
    }
    return "";
}

// The piece on a chess square, as a FEN letter (White upper case). The
// stored board is mirrored while the player has Black.
char pieceLetter(const GameRecord& r, int file, int rank) {
    const int code = r.current.at(file, r.playerIsBlack ? 9 - rank : rank);
    if (code == kEmpty) return 0;
    const bool white = isLowerPiece(code) != r.playerIsBlack;
    const char letter = "kqrnbp"[(code % 10) - 1];
    return white ? static_cast<char>(letter - 'a' + 'A') : letter;
}

void printMoves(const GameRecord& r) {
    // A game set up from a position has no moves before it.
    for (int k = setupPly(r) / 2 * 2; k < r.plyCount; k += 2) {
        std::ostringstream row;
        row << (k / 2 + 1) << ". " << r.moves[static_cast<std::size_t>(k)].str();
        if (k + 1 < r.plyCount)
            row << std::string(8 - r.moves[static_cast<std::size_t>(k)].str().size(), ' ')
                << r.moves[static_cast<std::size_t>(k + 1)].str();
        std::cout << "  " << row.str() << '\n';
    }
}

void printDiagram(const GameRecord& r) {
    std::cout << "  +-----------------+\n";
    for (int rank = 8; rank >= 1; --rank) {
        std::cout << rank << " |";
        for (int file = 1; file <= 8; ++file) {
            const char c = pieceLetter(r, file, rank);
            std::cout << ' ' << (c ? c : '.');
        }
        std::cout << " |\n";
    }
    std::cout << "  +-----------------+\n    a b c d e f g h\n";
}

}  // namespace

std::unique_ptr<GameRecord> loadGameFile(const std::string& path) {
    auto record = std::make_unique<GameRecord>();
    if (const GameFileError error = readGameFile(path, *record); error != GameFileError::none) {
        usageError(path + ": " + gameFileProblem(error));
        return nullptr;
    }
    return record;
}

int runGame(const Args& args) {
    if (args.size() != 1) return usageError("game needs one file name");
    const auto record = loadGameFile(args[0]);
    if (!record) return 2;
    const GameRecord& r = *record;
    std::cout << "Half-moves: " << r.plyCount << '\n';
    printMoves(r);
    std::cout << "Player: " << (r.playerIsBlack ? "Black" : "White") << " (the lower side)\n"
              << "To move: " << (r.plyCount % 2 == 0 ? "White" : "Black") << '\n'
              << "Clocks: White " << r.whiteClock << " s, Black " << r.blackClock << " s\n";
    printDiagram(r);
    std::cout << "FEN: " << formatFen(r) << '\n';
    return 0;
}

}  // namespace quorvel::cli
