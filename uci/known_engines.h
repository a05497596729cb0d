#pragma once
// The UCI engines Debian ships, found where they are installed: the list a
// player chooses an opponent from before adding engines of their own.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "uci/engine_command.h"

namespace quorvel {

struct KnownEngine {
    std::string program;    // the name it is known by ("stockfish")
    EngineCommand command;  // its full path, and the arguments it needs to speak UCI
};

// In this order: stockfish, gnuchessu (else gnuchess --uci: GNU Chess
// speaks UCI under its UCI name, or when asked), ethereal-chess, toga2,
// glaurung. Each is looked for in the folders of `path` (as the PATH
// variable writes them, ':' between folders), then in `extraFolders`; the
// first executable file wins.
std::vector<KnownEngine> findKnownEngines(std::string_view path,
                                          const std::vector<std::string>& extraFolders = {"/usr/games"});
// The same from this process's PATH.
std::vector<KnownEngine> findKnownEngines();

// The file a program name stands for, looked for as above (PATH, then
// /usr/games, where Debian puts its engines even when PATH leaves it out);
// a name with a '/' is kept as it is. Nullopt when it is nowhere.
std::optional<std::string> findProgram(const std::string& name, std::string_view path,
                                       const std::vector<std::string>& extraFolders = {"/usr/games"});
std::optional<std::string> findProgram(const std::string& name);

}  // namespace quorvel
