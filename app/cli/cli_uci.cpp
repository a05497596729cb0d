// quorvel-cli uci: the engine for chess programs, over standard input and
// output. Reading stays on this thread; the session never keeps it waiting,
// so a search runs while the next commands are read.

#include <cstdio>
#include <iostream>
#include <string>

#include "cli_commands.h"
#include "engine/system_memory.h"
#include "engine/uci_session.h"

namespace quorvel::cli {

int runUci(const Args& args) {
    if (!args.empty()) return usageError("uci takes no arguments");
    UciSession session(
        [](const std::string& line) {
            // One write per line, flushed at once: the program on the other end waits for it.
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
        },
        "ouvertures.txt", totalPhysicalMemory());
    for (std::string line; std::getline(std::cin, line);) {
        if (!session.handleLine(line)) return 0;
    }
    session.finishInput();
    return 0;
}

}  // namespace quorvel::cli
