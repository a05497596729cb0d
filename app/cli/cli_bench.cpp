// quorvel-cli bench: the engine's fixed benchmark (engine/bench_suite.h),
// searched to a fixed depth with no time limit. The total node count is the
// algorithm's fingerprint; it must not change when the code only gets faster.

#include <cstdio>

#include "cli_commands.h"
#include "engine/bench_suite.h"

namespace quorvel::cli {

int runBench(const Args& args) {
    int depth = kBenchDepth;
    ExpandFn expand = fastExpand;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--literal") {
            expand = literalExpand;
        } else if (args[i] == "--depth" && i + 1 < args.size() && args[i + 1].size() == 1 &&
                   args[i + 1][0] >= '1' && args[i + 1][0] <= '9') {
            depth = args[++i][0] - '0';
        } else {
            return usageError("bench takes --literal and --depth N (1..9)");
        }
    }
    std::uint64_t total = 0;
    double seconds = 0;
    for (const BenchResult& result : runBench(kBenchSuite, depth, expand)) {
        std::printf("%-20s %-8s %10u\n", result.name.c_str(), result.move.c_str(), result.nodes);
        total += result.nodes;
        seconds += result.seconds;
    }
    std::printf("total nodes %llu\n", static_cast<unsigned long long>(total));
    std::printf("seconds %.2f\n", seconds);
    std::printf("nodes per second %.0f\n", seconds > 0 ? total / seconds : 0.0);
    return 0;
}

}  // namespace quorvel::cli
