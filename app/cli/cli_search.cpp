#include "cli_commands.h"

namespace quorvel::cli {

int runSearch(const Args&) { return usageError("search is not built yet"); }
int runBench(const Args&) { return usageError("bench is not built yet"); }

}  // namespace quorvel::cli
