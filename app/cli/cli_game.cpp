#include "cli_commands.h"

namespace quorvel::cli {

int runGame(const Args&) { return usageError("game is not built yet"); }

}  // namespace quorvel::cli
