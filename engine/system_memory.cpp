#include "engine/system_memory.h"

#include <fstream>
#include <string>

namespace quorvel {

std::uint64_t totalPhysicalMemory() {
    // Read from the kernel's own report so the core needs nothing beyond the
    // standard library.
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kilobytes = 0;
    std::string unit;
    while (meminfo >> key >> kilobytes >> unit) {
        if (key == "MemTotal:") return kilobytes * 1024;
    }
    return std::uint64_t{1} << 40;
}

}  // namespace quorvel
