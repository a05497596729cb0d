// quorvel-cli uci: the engine for chess programs, over standard input and
// output. Reading stays on this thread; the session never keeps it waiting,
// so a search runs while the next commands are read.

#include <cstdio>
#include <iostream>
#include <string>

#include "cli_commands.h"
#include "engine/system_memory.h"
#include "uci/uci_session.h"
#include "storage/data_files.h"

namespace quorvel::cli {

namespace {

// The default of the BookFile option: the book the game reads, as found
// from this program's place, whatever folder the chess program starts the
// engine in; when there is none, its installed place, so the engine names
// the file it missed.
std::string defaultBookFile() {
    const DataFolders folders = defaultDataFolders();
    const std::string found = findDataFile(kBookFileName, folders, UserCopy::allowed);
    if (!found.empty()) return found;
    const std::vector<std::string> places = dataFileCandidates(kBookFileName, folders, UserCopy::allowed);
    return places.empty() ? std::string(kBookFileName) : places.back();
}

}  // namespace

int runUci(const Args& args) {
    if (!args.empty()) return usageError("uci takes no arguments");
    UciSession session(
        [](const std::string& line) {
            // One write per line, flushed at once: the program on the other end waits for it.
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
        },
        defaultBookFile(), totalPhysicalMemory());
    for (std::string line; std::getline(std::cin, line);) {
        if (!session.handleLine(line)) return 0;
    }
    session.finishInput();
    return 0;
}

}  // namespace quorvel::cli
