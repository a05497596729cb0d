#include <iostream>
#include <variant>

#include "cli_commands.h"
#include "rules/fen.h"
#include "rules/perft.h"

namespace quorvel::cli {

int runPerft(const Args& args, bool divideByMove) {
    if (args.empty()) return usageError("perft needs a depth");
    const auto depth = wholeNumber(args[0], 0, 12);
    if (!depth) return usageError("bad depth '" + args[0] + "' (a whole number from 0 to 12)");
    // --mirrored holds the board as for a player with Black: White becomes the upper side.
    bool mirrored = false;
    std::string fen;
    bool fenGiven = false;  // an empty word is an empty FEN, not the start position
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--mirrored") {
            mirrored = true;
            continue;
        }
        fen += (fenGiven ? " " : "") + args[i];
        fenGiven = true;
    }
    if (!fenGiven) fen = kStartFen;
    const auto parsed =
        parseLegalFen(fen, mirrored ? FenOrientation::blackLower : FenOrientation::whiteLower);
    if (const auto* error = std::get_if<FenError>(&parsed)) return usageError("bad FEN: " + error->message);
    const FenSetup& setup = std::get<FenSetup>(parsed);
    const GameRecord& record = setup.record;
    // White is the upper side exactly when the board is held mirrored.
    const bool sideIsUpper = setup.whiteToMove == record.playerIsBlack;
    if (!divideByMove) {
        std::cout << perft(record.current, record.state, sideIsUpper, *depth) << '\n';
        return 0;
    }
    std::uint64_t total = 0;
    for (const DivideLine& line :
         divide(record.current, record.state, sideIsUpper, record.playerIsBlack, *depth)) {
        std::cout << line.move << ": " << line.nodes << '\n';
        total += line.nodes;
    }
    std::cout << "\nNodes searched: " << total << '\n';
    return 0;
}

}  // namespace quorvel::cli
