// quorvel-cli: the rules and the engine of Quorvel from the command line, for
// people who test chess programs.

#include <iostream>

#include "cli_commands.h"

namespace {

void printUsage() {
    std::cout << "Usage:\n"
                 "  quorvel-cli perft DEPTH [FEN] [--mirrored]\n"
                 "  quorvel-cli divide DEPTH [FEN]\n"
                 "  quorvel-cli search [FEN] [--main-time S] [--secondary-time S] [--depth N]\n"
                 "                     [--secondary-depth N] [--tolerance N] [--min-sons N]\n"
                 "                     [--no-horizon] [--no-sorting] [--thinking] [--book [FILE]]\n"
                 "                     [--stop-at S] [--second-press-after MS]\n"
                 "  quorvel-cli bench [--literal] [--depth N]\n"
                 "  quorvel-cli selfplay [FEN] [--moves N] [--main-time S] [--secondary-time S]\n"
                 "                       [--depth N] [--book FILE]\n"
                 "  quorvel-cli game FILE.ech\n"
                 "  quorvel-cli pgn FILE.ech\n"
                 "  quorvel-cli ech FILE.pgn OUT.ech [--game N]\n"
                 "  quorvel-cli review GAME.ech|GAME.pgn [--analyst quorvel] [--movetime MS] [--game N]\n"
                 "  quorvel-cli uci      (the engine for chess programs, on standard input and output)\n"
                 "  quorvel-cli match --engine1 CMD --engine2 CMD --games N (--movetime MS | --depth N)\n"
                 "                    [--option1 NAME=VALUE]... [--option2 NAME=VALUE]...\n"
                 "                    [--movetime1 MS] [--movetime2 MS] [--depth1 N] [--depth2 N]\n"
                 "                    [--own-time1] [--own-time2] [--own-time-limit S]\n"
                 "                    [--openings FILE] [--opening-plies N] [--pgn OUT]\n"
                 "                    [--concurrency N] [--max-moves N]\n"
                 "                    (CMD 'quorvel' is the built-in engine)\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quorvel::cli;
    if (argc < 2) {
        printUsage();
        return 2;
    }
    const std::string command = argv[1];
    const Args args(argv + 2, argv + argc);
    if (command == "perft") return runPerft(args, false);
    if (command == "divide") return runPerft(args, true);
    if (command == "search") return runSearch(args);
    if (command == "bench") return runBench(args);
    if (command == "selfplay") return runSelfPlay(args);
    if (command == "game") return runGame(args);
    if (command == "uci") return runUci(args);
    if (command == "pgn") return runPgn(args);
    if (command == "ech") return runEch(args);
    if (command == "match") return runMatch(args);
    if (command == "review") return runReview(args);
    if (command == "help" || command == "--help" || command == "-h") {
        printUsage();
        return 0;
    }
    return usageError("unknown command '" + command + "'");
}
