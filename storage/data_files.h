#pragma once
// Where the files shipped with Quorvel (the opening book, the clips) are
// found, the same way by the game and by the command line: the user's own
// copy of a file the user may edit, then beside the program (a build
// folder), then the installed data folder. Nothing here looks at the
// current folder.

#include <string>
#include <vector>

namespace quorvel {

inline constexpr const char* kBookFileName = "ouvertures.txt";

struct DataFolders {
    std::string user;     // the user's data folder, possibly not made yet; empty: none
    std::string program;  // the folder holding the running program; empty: unknown
};

// Whether a copy in the user's data folder counts (the book: a player may
// edit it; the clips: no).
enum class UserCopy { allowed, ignored };

// The installed data folder of a program that lies in `programFolder`
// ("/usr/bin" gives "/usr/share/quorvel").
std::string installedDataFolder(const std::string& programFolder);

// The places `name` is looked for, in order of precedence.
std::vector<std::string> dataFileCandidates(const std::string& name, const DataFolders& folders,
                                            UserCopy userCopy);

// The first candidate that is a regular file; empty when none is.
std::string findDataFile(const std::string& name, const DataFolders& folders, UserCopy userCopy);

// The folders found without Qt, as QStandardPaths names them for the game:
// $XDG_DATA_HOME (or $HOME/.local/share) followed by "/quorvel", and the
// folder of the running executable.
DataFolders defaultDataFolders();

}  // namespace quorvel
